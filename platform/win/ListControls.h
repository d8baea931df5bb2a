// The platform's list box and combo box classes ("LISTBOX", "COMBOBOX"): their styles and error answers. The
// messages (LB_, CB_) and notifications (LBN_, CBN_) are in Messages.h; the toolkit side registers the classes.
#pragma once

#include "platform/win/WinTypes.h"

inline constexpr const char* WC_LISTBOX = "LISTBOX";
inline constexpr const char* WC_COMBOBOX = "COMBOBOX";

inline constexpr DWORD LBS_NOTIFY = 0x0001;
inline constexpr DWORD LBS_SORT = 0x0002;
inline constexpr DWORD LBS_NOREDRAW = 0x0004;
inline constexpr DWORD LBS_MULTIPLESEL = 0x0008;
inline constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
inline constexpr DWORD LBS_OWNERDRAWVARIABLE = 0x0020;
inline constexpr DWORD LBS_HASSTRINGS = 0x0040;
inline constexpr DWORD LBS_USETABSTOPS = 0x0080;
inline constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
inline constexpr DWORD LBS_MULTICOLUMN = 0x0200;
inline constexpr DWORD LBS_WANTKEYBOARDINPUT = 0x0400;
inline constexpr DWORD LBS_EXTENDEDSEL = 0x0800;
inline constexpr DWORD LBS_DISABLENOSCROLL = 0x1000;
inline constexpr DWORD LBS_NODATA = 0x2000;
inline constexpr DWORD LBS_NOSEL = 0x4000;
inline constexpr LRESULT LB_OKAY = 0;
inline constexpr LRESULT LB_ERR = -1;

inline constexpr DWORD CBS_SIMPLE = 0x0001;
inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD CBS_TYPEMASK = 0x0003;
inline constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;
inline constexpr DWORD CBS_OWNERDRAWVARIABLE = 0x0020;
inline constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
inline constexpr DWORD CBS_OEMCONVERT = 0x0080;
inline constexpr DWORD CBS_SORT = 0x0100;
inline constexpr DWORD CBS_HASSTRINGS = 0x0200;
inline constexpr DWORD CBS_NOINTEGRALHEIGHT = 0x0400;
inline constexpr DWORD CBS_DISABLENOSCROLL = 0x0800;
inline constexpr DWORD CBS_UPPERCASE = 0x2000;
inline constexpr DWORD CBS_LOWERCASE = 0x4000;
inline constexpr LRESULT CB_OKAY = 0;
inline constexpr LRESULT CB_ERR = -1;

// How many rows a combo box's open list shows at most (default 8); CB_SETMINVISIBLE answers FALSE for a count
// below 1.
inline constexpr UINT CB_SETMINVISIBLE = 0x1701;
inline constexpr UINT CB_GETMINVISIBLE = 0x1702;

// Owner-drawn list and combo boxes ask their parent for row heights with WM_MEASUREITEM: a fixed-height box once,
// when it is created (for a combo box also with itemID -1, the selection field), a variable-height box for each
// item as it is added. The record names no window and the class library's windows all have the id 0, so while
// the parent handles the message this answers the box that asks (0 at any other time).
HWND MeasuringItemWindow();
// Set by a box while it asks (per thread); returns the previous one, to be set back afterwards.
HWND SetMeasuringItemWindow(HWND Wnd);
