// The platform's native control classes ("EDIT", "BUTTON"...): their styles, states and the calls that ask
// about them. The classes themselves are registered by the toolkit side (platform/qt/QtNativeControl.h).
#pragma once

#include "platform/win/WinUser.h"

// Class names of the native controls the layer provides.
inline constexpr const char* WC_EDIT = "EDIT";
inline constexpr const char* WC_BUTTON = "BUTTON";

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
