// WindowControl and the hooks through which it reaches the screen, controls and the status bar.
#include "core/Windowcontrol.h"


namespace {

SmallInt KeptScreenCursor = WindowControlDefaultCursor;

WindowControlHooks DefaultHooks() {
  WindowControlHooks H;
  H.GetScreenCursor = [] { return KeptScreenCursor; };
  H.SetScreenCursor = [](SmallInt C) { KeptScreenCursor = C; };
  H.GetControlText = [](TControl*, std::string&) { return false; };
  H.SetControlText = [](TControl*, const std::string&) { return false; };
  H.GetControlCursor = [](TControl*, SmallInt&) { return false; };
  H.SetControlCursor = [](TControl*, SmallInt) { return false; };
  H.GetStatusText = [](TStatusBar*, int, std::string&) { return false; };
  H.SetStatusText = [](TStatusBar*, int, const std::string&) { return false; };
  return H;
}

WindowControlHooks& Hooks() {
  static WindowControlHooks H = DefaultHooks();
  return H;
}

}  // namespace

void SetWindowControlHooks(const WindowControlHooks& New) {
  WindowControlHooks& H = Hooks();
  if (New.GetScreenCursor) H.GetScreenCursor = New.GetScreenCursor;
  if (New.SetScreenCursor) H.SetScreenCursor = New.SetScreenCursor;
  if (New.GetControlText) H.GetControlText = New.GetControlText;
  if (New.SetControlText) H.SetControlText = New.SetControlText;
  if (New.GetControlCursor) H.GetControlCursor = New.GetControlCursor;
  if (New.SetControlCursor) H.SetControlCursor = New.SetControlCursor;
  if (New.GetStatusText) H.GetStatusText = New.GetStatusText;
  if (New.SetStatusText) H.SetStatusText = New.SetStatusText;
}

void ResetWindowControlHooks() {
  Hooks() = DefaultHooks();
  KeptScreenCursor = WindowControlDefaultCursor;
}

SmallInt WindowControlScreenCursor() { return KeptScreenCursor; }

WindowControl::WindowControl(int Flags, TControl* Control, TStatusBar* StatusBar)
    : control(Control), statusBar(StatusBar), flags(Flags) {
  if ((flags & WINCTRL_SCREEN_CURSOR) != 0) {
    savedScreenCursor = Hooks().GetScreenCursor();
    currentScreenCursor = savedScreenCursor;
  }
  if ((flags & WINCTRL_CONTROL_TEXT) != 0 && control != nullptr) {
    Hooks().GetControlText(control, savedText);
  }
  if ((flags & WINCTRL_CONTROL_CURSOR) != 0 && control != nullptr) {
    Hooks().GetControlCursor(control, savedControlCursor);
  }
}

WindowControl::~WindowControl() {
  // The busy state goes first: it would otherwise put its own remembered cursor back over the restored one.
  if (busyActive) {
    setBusy(false, busyPanel);
  }
  if ((flags & WINCTRL_SCREEN_CURSOR) != 0) {
    Hooks().SetScreenCursor(savedScreenCursor);
  }
  if ((flags & WINCTRL_CONTROL_TEXT) != 0 && control != nullptr) {
    Hooks().SetControlText(control, savedText);
  }
  if ((flags & WINCTRL_CONTROL_CURSOR) != 0 && control != nullptr) {
    Hooks().SetControlCursor(control, savedControlCursor);
  }
}

void WindowControl::setCursor(SmallInt Cursor) {
  if (Cursor != currentScreenCursor) {
    Hooks().SetScreenCursor(Cursor);
    currentScreenCursor = Cursor;
  }
}

bool WindowControl::setControlText(const std::string& Text) {
  return control != nullptr && Hooks().SetControlText(control, Text);
}

bool WindowControl::setStatusText(int Panel, const std::string& Text) {
  return statusBar != nullptr && Hooks().SetStatusText(statusBar, Panel < 0 ? -1 : Panel, Text);
}

bool WindowControl::setTexts(const std::string& ControlText, int Panel, const std::string& PanelText) {
  const bool A = setControlText(ControlText);
  const bool B = setStatusText(Panel, PanelText);
  return A && B;
}

int WindowControl::setBusy(bool On, int Panel) {
  if (On) {
    if (busyActive) {
      return 0;
    }
    std::string Current;
    if (statusBar != nullptr && Hooks().GetStatusText(statusBar, Panel, Current) && Current == "Busy") {
      return 0;
    }
    setStatusText(Panel, "Busy");
    busyCursor = Hooks().GetScreenCursor();
    Hooks().SetScreenCursor(WindowControlHourGlass);
    currentScreenCursor = WindowControlHourGlass;
    busyPanel = Panel;
    busyActive = true;
    return 1;
  }
  if (!busyActive) {
    return 0;
  }
  setStatusText(busyPanel, "");
  Hooks().SetScreenCursor(busyCursor);
  currentScreenCursor = busyCursor;
  busyPanel = -1;
  busyActive = false;
  return 1;
}
