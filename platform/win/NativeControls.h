// The platform's native control classes ("EDIT", "BUTTON"...): their styles, states and the calls that ask
// about them. The classes themselves are registered by the toolkit side (platform/qt/QtNativeControl.h).
#pragma once

#include "platform/win/TimeApi.h"
#include "platform/win/WinUser.h"

// Class names of the native controls the layer provides.
inline constexpr const char* WC_EDIT = "EDIT";
inline constexpr const char* WC_BUTTON = "BUTTON";
inline constexpr const char* WC_SCROLLBAR = "SCROLLBAR";  // the size box and size grip kinds

// Scroll bar control styles: a size box (with SBS_SIZEGRIP drawn as the grip) sizes its top-level window.
inline constexpr DWORD SBS_HORZ = 0x0000;
inline constexpr DWORD SBS_VERT = 0x0001;
inline constexpr DWORD SBS_SIZEBOXTOPLEFTALIGN = 0x0002;
inline constexpr DWORD SBS_SIZEBOXBOTTOMRIGHTALIGN = 0x0004;
inline constexpr DWORD SBS_SIZEBOX = 0x0008;
inline constexpr DWORD SBS_SIZEGRIP = 0x0010;

// The edge being dragged (WM_SIZING's WParam, added to SC_SIZE in WM_SYSCOMMAND).
inline constexpr WPARAM WMSZ_LEFT = 1;
inline constexpr WPARAM WMSZ_RIGHT = 2;
inline constexpr WPARAM WMSZ_TOP = 3;
inline constexpr WPARAM WMSZ_TOPLEFT = 4;
inline constexpr WPARAM WMSZ_TOPRIGHT = 5;
inline constexpr WPARAM WMSZ_BOTTOM = 6;
inline constexpr WPARAM WMSZ_BOTTOMLEFT = 7;
inline constexpr WPARAM WMSZ_BOTTOMRIGHT = 8;

// Edit control styles.
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_CENTER = 0x0001;
inline constexpr DWORD ES_RIGHT = 0x0002;
inline constexpr DWORD ES_MULTILINE = 0x0004;
inline constexpr DWORD ES_UPPERCASE = 0x0008;
inline constexpr DWORD ES_LOWERCASE = 0x0010;
inline constexpr DWORD ES_PASSWORD = 0x0020;
inline constexpr DWORD ES_AUTOVSCROLL = 0x0040;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_NOHIDESEL = 0x0100;
inline constexpr DWORD ES_OEMCONVERT = 0x0400;
inline constexpr DWORD ES_READONLY = 0x0800;
inline constexpr DWORD ES_WANTRETURN = 0x1000;
inline constexpr DWORD ES_NUMBER = 0x2000;

// Button styles (the low four bits name the kind) and states.
inline constexpr DWORD BS_PUSHBUTTON = 0x0000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
inline constexpr DWORD BS_CHECKBOX = 0x0002;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
inline constexpr DWORD BS_RADIOBUTTON = 0x0004;
inline constexpr DWORD BS_3STATE = 0x0005;
inline constexpr DWORD BS_AUTO3STATE = 0x0006;
inline constexpr DWORD BS_GROUPBOX = 0x0007;
inline constexpr DWORD BS_USERBUTTON = 0x0008;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
inline constexpr DWORD BS_PUSHBOX = 0x000A;
inline constexpr DWORD BS_OWNERDRAW = 0x000B;
inline constexpr DWORD BS_TYPEMASK = 0x000F;
inline constexpr DWORD BS_LEFTTEXT = 0x0020;
inline constexpr DWORD BS_MULTILINE = 0x2000;
inline constexpr DWORD BS_NOTIFY = 0x4000;
inline constexpr DWORD BS_FLAT = 0x8000;

inline constexpr WPARAM BST_UNCHECKED = 0x0000;
inline constexpr WPARAM BST_CHECKED = 0x0001;
inline constexpr WPARAM BST_INDETERMINATE = 0x0002;
inline constexpr LRESULT BST_PUSHED = 0x0004;
inline constexpr LRESULT BST_FOCUS = 0x0008;

// Whether the window is of a native control class (it hosts a toolkit widget).
bool IsNativeWindow(HWND Wnd);
// Registered once by the toolkit side at load time: answers IsNativeWindow (false while no toolkit is loaded).
void RegisterNativeWindowTest(bool (*Test)(HWND Wnd));

// ---- The date and time picker ("SysDateTimePick32") --------------------------------------------------------------
inline constexpr const char* DATETIMEPICK_CLASS = "SysDateTimePick32";

// Styles. The date kinds are the short and long date format; DTS_TIMEFORMAT shows a time with up/down buttons;
// DTS_UPDOWN uses up/down buttons for a date instead of the drop-down calendar; DTS_SHOWNONE adds the check box
// that says whether there is a value; DTS_RIGHTALIGN aligns the calendar with the control's right edge.
inline constexpr DWORD DTS_UPDOWN = 0x0001;
inline constexpr DWORD DTS_SHOWNONE = 0x0002;
inline constexpr DWORD DTS_SHORTDATEFORMAT = 0x0000;
inline constexpr DWORD DTS_LONGDATEFORMAT = 0x0004;
inline constexpr DWORD DTS_SHORTDATECENTURYFORMAT = 0x000C;
inline constexpr DWORD DTS_TIMEFORMAT = 0x0009;
inline constexpr DWORD DTS_APPCANPARSE = 0x0010;
inline constexpr DWORD DTS_RIGHTALIGN = 0x0020;

// Messages. DTM_GETSYSTEMTIME fills the SYSTEMTIME in LParam and answers GDT_VALID, or GDT_NONE when the check
// box is clear; DTM_SETSYSTEMTIME takes GDT_VALID with the time in LParam, or GDT_NONE. DTM_SETRANGE takes the
// GDTR_ flags of the limits given in an array of two SYSTEMTIMEs (minimum, maximum); DTM_GETRANGE fills them and
// answers the flags of the limits set. DTM_SETFORMAT takes a picture of the platform's date and time picture
// language (null: the style's own); DTM_CLOSEMONTHCAL closes the drop-down calendar.
inline constexpr UINT DTM_FIRST = 0x1000;
inline constexpr UINT DTM_GETSYSTEMTIME = DTM_FIRST + 1;
inline constexpr UINT DTM_SETSYSTEMTIME = DTM_FIRST + 2;
inline constexpr UINT DTM_GETRANGE = DTM_FIRST + 3;
inline constexpr UINT DTM_SETRANGE = DTM_FIRST + 4;
inline constexpr UINT DTM_SETFORMAT = DTM_FIRST + 5;
inline constexpr UINT DTM_CLOSEMONTHCAL = DTM_FIRST + 13;

inline constexpr LRESULT GDT_ERROR = -1;
inline constexpr LRESULT GDT_VALID = 0;
inline constexpr LRESULT GDT_NONE = 1;
inline constexpr WPARAM GDTR_MIN = 0x0001;
inline constexpr WPARAM GDTR_MAX = 0x0002;

// Notifications (WM_NOTIFY): the value changed (NMDATETIMECHANGE), the calendar opened and closed (NMHDR).
inline constexpr UINT DTN_FIRST = static_cast<UINT>(-760);
inline constexpr UINT DTN_DATETIMECHANGE = DTN_FIRST + 1;
inline constexpr UINT DTN_DROPDOWN = DTN_FIRST + 6;
inline constexpr UINT DTN_CLOSEUP = DTN_FIRST + 7;

struct NMDATETIMECHANGE {
  NMHDR nmhdr;
  DWORD dwFlags = 0;  // GDT_VALID or GDT_NONE
  SYSTEMTIME st;
};
using TNMDateTimeChange = NMDATETIMECHANGE;
