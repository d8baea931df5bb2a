// Native controls over Qt widgets: a window of a native class hosts a Qt widget; the class's window procedure
// translates the platform's messages into calls on the widget, the widget's signals into notifications to the
// parent, and hands the user's input (kept as Qt events) back to the widget under a delivery guard.
#pragma once

#include "platform/win/NativeControls.h"
#include "platform/win/WinUser.h"

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QEvent;
class QKeyEvent;

// The toolkit half of one native window, owned by the window system from the window's first message to
// WM_NCDESTROY. It owns its widget; the window's host widget shows it over the client area once the window is
// on screen. Subclasses create the widget in their constructor (SetWidget) and translate messages in
// HandleMessage.
class TNativeControl {
public:
  explicit TNativeControl(HWND AWnd) : FWnd(AWnd) {}
  TNativeControl(const TNativeControl&) = delete;
  TNativeControl& operator=(const TNativeControl&) = delete;
  virtual ~TNativeControl();

  HWND Wnd() const { return FWnd; }
  QWidget* Widget() const { return FWidget; }
  // The font set with WM_SETFONT (WM_GETFONT answers it; 0: the widget's own).
  HFONT FontHandle() const { return FFontHandle; }
  void SetFontHandle(HFONT Font);

  // Handles a message of the class; false passes it on to the common handling: input re-delivered to the
  // widget, WM_ENABLE, WM_GETDLGCODE (DialogCode), WM_SETTEXT mirrored by SetText, then DefWindowProc.
  virtual bool HandleMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) = 0;
  // The WM_GETDLGCODE answer.
  virtual LRESULT DialogCode() { return 0; }
  // Shows new window text on the widget (WM_SETTEXT, creation). The window's own text is kept by the caller.
  virtual void SetText(const QString& Text) { (void)Text; }
  // Whether a press of the left button gives the window the focus first (edits and buttons do).
  virtual bool FocusOnClick() { return true; }
  // The widget that takes the user's keys and mouse (a child that stands in for the control's widget, or the
  // widget itself). Mouse positions are mapped to it from the control's widget.
  virtual QWidget* InputWidget() const { return Widget(); }

  // Sends WM_COMMAND (the window's id and Code, the window's handle) to the parent; 0 without a parent.
  LRESULT Notify(WORD Code);
  // Sends any message to the parent (WM_NOTIFY and the like).
  LRESULT SendToParent(UINT Msg, WPARAM WParam, LPARAM LParam);

protected:
  // Takes ownership of the control's widget.
  void SetWidget(QWidget* W);
  // While true, the subclass's signal handlers send no notifications (state set during creation).
  bool FQuiet = false;

private:
  HWND FWnd;
  HFONT FFontHandle = 0;
  QPointer<QWidget> FWidget;
};

// Makes the toolkit half of a new window of the class; Create is the creation record when the window is being
// created (its style and text), else null.
using TNativeControlFactory = std::function<std::unique_ptr<TNativeControl>(HWND Wnd, const CREATESTRUCT* Create)>;

// Registers a native window class with the window system under ClassName (class style ClassStyle); its window
// procedure makes the toolkit half with Factory on the window's first message. A class library control that
// wraps it subclasses it (TWinControl::CreateSubClass) and passes unhandled messages on to it. Returns the class
// atom, 0 when the name is taken.
ATOM RegisterNativeClass(const char* ClassName, TNativeControlFactory Factory, UINT ClassStyle = CS_DBLCLKS);
// The toolkit half of a native window, or null.
TNativeControl* NativeControlOf(HWND Wnd);

// Sends a Qt event to exactly this widget: the input filter lets this delivery through and blocks the same event
// anywhere else (Qt passes an ignored input event on to the parents). Returns whether the widget accepted it.
bool DeliverToWidget(QWidget* Widget, QEvent* Event);
// Whether the input filter must block the event at Receiver, or let it through (Decided false: not guarded).
bool GuardedDelivery(QObject* Receiver, QEvent* Event, bool& Block);
// Clears the guard while the loop reads new input (a modal loop inside a re-delivered click); restored after.
struct TGuardPause {
  TGuardPause();
  ~TGuardPause();
  TGuardPause(const TGuardPause&) = delete;
  TGuardPause& operator=(const TGuardPause&) = delete;

private:
  QEvent* FEvent;
  QObject* FWidget;
};
// The Qt key event of a key message (WM_KEYDOWN, WM_KEYUP and their system kinds): a copy of the kept event behind
// the message being handled, else one rebuilt from the virtual key; null for a key Qt has no code for.
std::unique_ptr<QKeyEvent> KeyEventOfMessage(UINT Msg, WPARAM Vk);

// Keeps a copy of the Qt input event behind an input message (ExtraInfo names it); KeptEvent finds it while it
// is recent, else null.
void KeepEvent(LPARAM ExtraInfo, const QEvent* Event);
const QEvent* KeptEvent(LPARAM ExtraInfo);

// Text between the layer's 8-bit strings (code page 1252) and Qt's.
QString AnsiToQString(const std::string& S);
std::string QStringToAnsi(const QString& S);
// File names cross to Qt as the file system's bytes: they are never text in code page 1252. A name Qt gives is
// its local encoding; a file URL's path is taken from its percent-encoded bytes, so that names that are not
// UTF-8 come back byte for byte.
QString FileNameToQString(const std::string& Name);
std::string QStringToFileName(const QString& Name);
QUrl FileNameToUrl(const std::string& Name);
std::string UrlToFileName(const QUrl& Url);
