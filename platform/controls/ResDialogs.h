// Dialogs made from dialog templates (the classic DLGTEMPLATE form): the template reader, CreateDialogParam,
// the dialog manager's keyboard handling (IsDialogMessage) and the calls on dialog items.
#pragma once

#include "platform/win/Resources.h"
#include "platform/win/WinUser.h"

#include <cstddef>
#include <string>
#include <vector>

// Answers TRUE when it handled the message; the dialog's window then answers 0.
using DLGPROC = LONG_PTR (*)(HWND Dlg, UINT Msg, WPARAM WParam, LPARAM LParam);

inline constexpr DWORD DS_SETFONT = 0x40;
inline constexpr DWORD DS_MODALFRAME = 0x80;
inline constexpr DWORD SS_LEFT = 0x0000;
// The window class of dialogs.
inline constexpr const char* WC_DIALOG = "#32770";
inline constexpr const char* WC_STATIC = "STATIC";

// One control of a template.
struct TDialogItemTemplate {
  DWORD Style = 0;
  DWORD ExStyle = 0;
  short X = 0, Y = 0, Cx = 0, Cy = 0;  // dialog units
  WORD Id = 0;
  std::string ClassName;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX" for the predefined atoms
  std::string Title;      // code page 1252; "#<n>" for a resource id
  std::vector<BYTE> CreationData;
};
struct TDialogTemplate {
  DWORD Style = 0;
  DWORD ExStyle = 0;
  short X = 0, Y = 0, Cx = 0, Cy = 0;
  std::string Menu;       // "" for none
  std::string ClassName;  // "" for the dialog class
  std::string Title;
  WORD PointSize = 0;  // with DS_SETFONT
  std::string FontName;
  std::vector<TDialogItemTemplate> Items;
};
// Reads a template of Size bytes (names and texts are UTF-16, converted to code page 1252); false when it is cut
// short or not well made. Every read is checked against Size.
bool ReadDialogTemplate(const void* Data, std::size_t Size, TDialogTemplate& Template);

// Creates the dialog of the RT_DIALOG resource TemplateName (hidden unless the template has WS_VISIBLE), its
// controls in template order, sends WM_INITDIALOG (wParam the first tab stop, lParam InitParam) and gives the focus
// to the first tab stop when the procedure answers TRUE to it. 0 when the resource is missing or not well made.
HWND CreateDialogParam(HINSTANCE Instance, LPCSTR TemplateName, HWND Parent, DLGPROC DialogFunc, LPARAM InitParam);
HWND CreateDialogIndirectParam(HINSTANCE Instance, const TDialogTemplate& Template, HWND Parent, DLGPROC DialogFunc,
                               LPARAM InitParam);
// The dialog manager's keys for a message of the dialog or one of its controls: Tab and Shift+Tab move the focus
// between tab stops, Return sends WM_COMMAND of the focused push button, else the default push button, else IDOK,
// Escape sends WM_COMMAND of IDCANCEL (each unless the focused control asks for the key with WM_GETDLGCODE). Any
// other message of the dialog is translated and dispatched. FALSE for messages of other windows.
BOOL IsDialogMessage(HWND Dlg, MSG* Msg);
BOOL SetDlgItemText(HWND Dlg, int Id, LPCSTR Text);
UINT GetDlgItemText(HWND Dlg, int Id, LPSTR Text, int MaxCount);
LRESULT SendDlgItemMessage(HWND Dlg, int Id, UINT Msg, WPARAM WParam, LPARAM LParam);
// The next (or previous) control with WS_TABSTOP after Ctl, wrapping; Ctl itself when there is no other.
HWND GetNextDlgTabItem(HWND Dlg, HWND Ctl, BOOL Previous);
