// What the main window's browser-pane sources share: the flags of the browser operations and a few tests of the
// program's state.
#pragma once

class TBrowserControl;
class TWinControl;

namespace BrowserPane {

// Flags of TZUBQEForm::ToggleWebBrowser.
inline constexpr int TOGGLE_FLIP = 0x1;
inline constexpr int TOGGLE_NO_PREVIEW = 0x2;
// Flags of TZUBQEForm::NavigateTo and NavigateWebBrowser.
inline constexpr int NAVIGATE_KEEP_PANE = 0x1;
inline constexpr int NAVIGATE_SHOW_ADDRESS = 0x2;
inline constexpr int NAVIGATE_RESTART_TIMER = 0x4;
inline constexpr int NAVIGATE_CURRENT_DOCUMENT = 0x8;
inline constexpr int NAVIGATE_ADDRESS_BOX_TEXT = 0x10;
inline constexpr int NAVIGATE_DOCUMENTATION = 0x20;
inline constexpr int NAVIGATE_BY_MODE = 0x40;
inline constexpr int NAVIGATE_PREVIEW = 15;
inline constexpr int NAVIGATE_ADDRESS_BOX = 17;
// Flags of TZUBQEForm::IsPreviewable.
inline constexpr int PREVIEWABLE_DOCUMENT = 0x1;
inline constexpr int PREVIEWABLE_NAME = 0x2;
inline constexpr int PREVIEWABLE_CAN_PREVIEW = 0x4;
// Flags of TZUBQEForm::WaitForBrowser.
inline constexpr int WAIT_STOP_FIRST = 0x1;
inline constexpr int WAIT_UNTIL_IDLE = 0x2;
// Flags of TZUBQEForm::WebBrowserDocumentComplete.
inline constexpr int COMPLETE_FROM_EVENT = 0x1;
inline constexpr int COMPLETE_AFTER_WAIT = 0x2;
// Flags of TZUBQEForm::ShowBrowserSourceTab.
inline constexpr int SOURCETAB_UNLESS_CURRENT = 0x1;
// TZUBQEForm::ApplySettings: the browser's status bar.
inline constexpr int APPLY_STATUS_BAR = 0x100;

// The root object and the run-time state exist and the program is not shutting down.
bool Running();
// Interface bits of the pane and of preview mode.
bool PaneOn();
bool PreviewMode();
// The window's browser (its WebBrowser member) as the browser control, or null.
TBrowserControl* AsBrowser(TWinControl* Control);

}  // namespace BrowserPane
