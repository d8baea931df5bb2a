// WindowControl: the busy guard that shows the hourglass and puts cursor and texts back when its scope ends.
#pragma once

#include "platform/rtl/Types.h"

#include <functional>
#include <string>

class TControl;    // the class library's control (its text and cursor are reached through the hooks below)
class TStatusBar;  // the class library's status bar

// Cursor identifiers of the class library that the guard uses.
inline constexpr SmallInt WindowControlDefaultCursor = 0;  // crDefault
inline constexpr SmallInt WindowControlHourGlass = -11;    // crHourGlass

// Flags of WindowControl.
inline constexpr int WINCTRL_SCREEN_CURSOR = 1;   // save and restore the screen cursor
inline constexpr int WINCTRL_CONTROL_TEXT = 2;    // save and restore the control's text
inline constexpr int WINCTRL_CONTROL_CURSOR = 8;  // save and restore the control's own cursor

// How the guard reaches the screen cursor, a control and the status bar. The main window connects them once
// the class library's screen, controls and status bar exist. Until then the screen cursor is a value kept here
// (read it with WindowControlScreenCursor) and the control and status-bar hooks do nothing and report failure.
struct WindowControlHooks {
  std::function<SmallInt()> GetScreenCursor;
  std::function<void(SmallInt)> SetScreenCursor;
  std::function<bool(TControl*, std::string&)> GetControlText;
  std::function<bool(TControl*, const std::string&)> SetControlText;
  std::function<bool(TControl*, SmallInt&)> GetControlCursor;
  std::function<bool(TControl*, SmallInt)> SetControlCursor;
  // Panel < 0 means the status bar's simple text.
  std::function<bool(TStatusBar*, int, std::string&)> GetStatusText;
  std::function<bool(TStatusBar*, int, const std::string&)> SetStatusText;
};
// Installs the hooks; members left empty keep their default.
void SetWindowControlHooks(const WindowControlHooks& Hooks);
// Back to the defaults (the kept screen cursor becomes the default cursor).
void ResetWindowControlHooks();
// The screen cursor as the default hooks keep it.
SmallInt WindowControlScreenCursor();

// Created on the stack at the start of a long operation, so that every way out restores the cursor:
//   WindowControl Busy(WINCTRL_SCREEN_CURSOR, nullptr, nullptr);
//   Busy.setCursor(WindowControlHourGlass);
class WindowControl {
public:
  TControl* control = nullptr;
  TStatusBar* statusBar = nullptr;
  int flags = 0;
  int busyPanel = -1;  // the status panel that reads "Busy" through this guard
  std::string savedText;
  SmallInt savedScreenCursor = WindowControlDefaultCursor;
  SmallInt currentScreenCursor = WindowControlDefaultCursor;
  SmallInt savedControlCursor = WindowControlDefaultCursor;

  WindowControl(int Flags, TControl* Control, TStatusBar* StatusBar);
  ~WindowControl();
  WindowControl(const WindowControl&) = delete;
  WindowControl& operator=(const WindowControl&) = delete;

  // Sets the screen cursor when it differs from the one last set through this guard.
  void setCursor(SmallInt Cursor);
  bool setControlText(const std::string& Text);
  bool setStatusText(int Panel, const std::string& Text);
  bool setTexts(const std::string& ControlText, int Panel, const std::string& PanelText);
  // On: writes "Busy" into the panel and shows the hourglass, unless a busy panel is recorded or the panel
  // already reads "Busy" (0). Off: empties the panel and puts the cursor back. 1 when done.
  int setBusy(bool On, int Panel);

private:
  SmallInt busyCursor = WindowControlDefaultCursor;  // the screen cursor before setBusy showed the hourglass
  bool busyActive = false;  // also true for the simple text (a negative panel)
};
