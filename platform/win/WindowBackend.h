// The window system's view of the toolkit underneath (Qt, in platform/qt): event pumping, waking and hosts.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>
#include <vector>

// What changed in a window; the backend mirrors it on the window's host.
enum class TWindowChange {
  Created,
  Destroyed,   // sent while the record is still readable, before the handle is gone
  Geometry,    // window rectangle moved or resized
  Visibility,  // WS_VISIBLE changed
  Parent,      // re-parented
  ZOrder,
  Text,
  Enabled,
  Invalidated,  // part of the window needs repainting
  Icon,         // WM_SETICON gave it another icon
  Activated,    // the layer made it the active window: the desktop raises and activates it
};

// The toolkit backend. One exists per process, created on first use on the main thread; it belongs to the thread
// that created it (the user-interface thread). Calls come from that thread except WakeUp.
class TWindowBackend {
public:
  TWindowBackend() = default;
  TWindowBackend(const TWindowBackend&) = delete;
  TWindowBackend& operator=(const TWindowBackend&) = delete;
  virtual ~TWindowBackend() = default;

  // Handles the toolkit's pending events once without waiting; input becomes queue entries on the way.
  virtual void ProcessEvents() = 0;
  // Waits in the toolkit until an event arrives, WakeUp is called, or TimeoutMs passes (negative: no limit).
  virtual void WaitForEvents(int TimeoutMs) = 0;
  // Safe from any thread: ends a WaitForEvents.
  virtual void WakeUp() = 0;
  // Mirrors a change of a window on its host widget.
  virtual void WindowChanged(HWND Wnd, TWindowChange What) = 0;
  // The screen's rectangle and the work area.
  virtual TRect ScreenRect() = 0;
  // Gives the toolkit's keyboard focus to the window's native widget (if any) after the layer moved its focus.
  virtual void FocusChanged(HWND Wnd) = 0;
  // Saves the current look of a window as a PNG file; false when it cannot.
  virtual bool SaveWindowImage(HWND Wnd, const std::string& FileName) = 0;
  // The installed font families (code page 1252 names).
  virtual std::vector<std::string> FontFamilies() { return {}; }
  // The application's icon changed (SetApplicationIcon): the desktop shows it for windows without their own.
  virtual void ApplicationIconChanged(HICON) {}
};

using TWindowBackendFactory = TWindowBackend* (*)();
// Registered once by the toolkit side at load time.
void RegisterWindowBackendFactory(TWindowBackendFactory Factory);
// The toolkit lives in its own library (libzubplatformqt.so), which programs either link or leave to the layer:
// the first call that needs windows on screen, fonts, native controls or real dialogs loads it from the folder of
// the layer's own library (then from the library path). Code that needs no windows never loads it. True when the
// toolkit is there (linked or loaded); a failure is reported once on stderr with the loader's reason.
bool LoadToolkit();
// Whether the toolkit library is there, without loading it.
bool ToolkitLoaded();
// The backend when the calling thread is the user-interface thread, creating it on first use from the main
// thread (loading the toolkit library if needed); null on other threads or when the toolkit cannot be loaded.
TWindowBackend* WindowBackend();
// As WindowBackend, but never loads the toolkit library: null when it is not there yet. For windows that do not
// show (hidden top-level windows of sockets and timers), which live without a toolkit.
TWindowBackend* WindowBackendIfLoaded();
// The backend if it exists, from any thread.
TWindowBackend* ExistingWindowBackend();
