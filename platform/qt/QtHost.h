// The Qt side of the window system: the application object, host widgets mirroring the window tree, and the
// application-wide filter that turns Qt input into the layer's input queue.
#pragma once

#include <QIcon>

#include "platform/win/WindowBackend.h"
#include "platform/win/WinTypes.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <unordered_map>

// The widget that stands for a window on screen. It covers the window rectangle (frame included: the layer draws
// non-client areas itself), never takes Qt's focus, and keeps no input: the event filter takes it first.
class THostWidget final : public QWidget {
public:
  THostWidget(HWND AWnd, QWidget* Parent);
  HWND Wnd() const { return FWnd; }

protected:
  void paintEvent(QPaintEvent* E) override;
  void changeEvent(QEvent* E) override;
  // Drags from the desktop: taken by registered drop targets, or as WM_DROPFILES where a window accepts files.
  void dragEnterEvent(QDragEnterEvent* E) override;
  void dragMoveEvent(QDragMoveEvent* E) override;
  void dragLeaveEvent(QDragLeaveEvent* E) override;
  void dropEvent(QDropEvent* E) override;

private:
  HWND FWnd;
};

class TQtEventFilter;
class QDragMoveEvent;
class QDropEvent;

// Drags from the desktop (QtOleDrag.cpp): the host widgets hand their drag events here; the window under the
// point takes them through its registered drop target, or as WM_DROPFILES where it only accepts files.
void QtOleDragMove(QWidget* Host, QDragMoveEvent* E);  // enter and move
void QtOleDragLeave();
void QtOleDrop(QWidget* Host, QDropEvent* E);

// The backend over Qt. Created on the main thread on first use; creates the QApplication if the program has
// none (offscreen when there is no display).
class TQtBackend final : public TWindowBackend {
public:
  TQtBackend();
  ~TQtBackend() override;

  void ProcessEvents() override;
  void WaitForEvents(int TimeoutMs) override;
  void WakeUp() override;
  void WindowChanged(HWND Wnd, TWindowChange What) override;
  TRect ScreenRect() override;
  void FocusChanged(HWND Wnd) override;
  bool SaveWindowImage(HWND Wnd, const std::string& FileName) override;
  std::vector<std::string> FontFamilies() override;
  void ApplicationIconChanged(HICON Icon) override;
  // The icon of a layer icon handle; a null icon for 0 or a handle that is no icon.
  static QIcon IconOf(HICON Icon);
  // Shows the window's own icon (WM_SETICON) on its host, or the application's when it has none.
  void ApplyWindowIcon(HWND Wnd);

  // The host of a window, or null when it has none (hidden, message-only, not yet shown).
  THostWidget* HostOf(HWND Wnd) const;
  // Whether the desktop lists the top-level window in its taskbar: WS_EX_APPWINDOW, or owned by the application's
  // hidden window and no tool window.
  bool HasTaskbarEntry(HWND Wnd) const;
  // Puts a native window's widget into the window's host (if it has one yet) over its client area.
  void AdoptNativeWidget(HWND Wnd);
  // The backend instance, creating it if needed (main thread only).
  static TQtBackend* Instance();

private:
  void Sync(HWND Wnd, bool Recurse);
  THostWidget* EnsureHost(HWND Wnd);
  void PlaceHost(HWND Wnd, THostWidget* H);
  void Restack(HWND Parent);
  void DropHost(HWND Wnd);

  std::unique_ptr<QApplication> FOwnApp;
  std::unique_ptr<TQtEventFilter> FFilter;
  QTimer FWakeTimer;
  std::unordered_map<HWND, THostWidget*> FHosts;
};
