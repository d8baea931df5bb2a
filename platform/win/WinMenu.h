// The platform's menus: menu handles with their items (text, command, state, submenu), the calls that build and
// query them, and TrackPopupMenu, which shows a popup menu through the dialog service.
#pragma once

#include "platform/win/WinUser.h"

#include <string>
#include <cstdint>
#include <vector>

using ULONG_PTR = std::uintptr_t;

// ---- Item flags (MF_) -------------------------------------------------------------------------------------------
inline constexpr UINT MF_INSERT = 0x00000000;
inline constexpr UINT MF_CHANGE = 0x00000080;
inline constexpr UINT MF_APPEND = 0x00000100;
inline constexpr UINT MF_DELETE = 0x00000200;
inline constexpr UINT MF_REMOVE = 0x00001000;
inline constexpr UINT MF_BYCOMMAND = 0x00000000;
inline constexpr UINT MF_BYPOSITION = 0x00000400;
inline constexpr UINT MF_SEPARATOR = 0x00000800;
inline constexpr UINT MF_ENABLED = 0x00000000;
inline constexpr UINT MF_GRAYED = 0x00000001;
inline constexpr UINT MF_DISABLED = 0x00000002;
inline constexpr UINT MF_UNCHECKED = 0x00000000;
inline constexpr UINT MF_CHECKED = 0x00000008;
inline constexpr UINT MF_USECHECKBITMAPS = 0x00000200;
inline constexpr UINT MF_STRING = 0x00000000;
inline constexpr UINT MF_BITMAP = 0x00000004;
inline constexpr UINT MF_OWNERDRAW = 0x00000100;
inline constexpr UINT MF_POPUP = 0x00000010;
inline constexpr UINT MF_MENUBARBREAK = 0x00000020;
inline constexpr UINT MF_MENUBREAK = 0x00000040;
inline constexpr UINT MF_UNHILITE = 0x00000000;
inline constexpr UINT MF_HILITE = 0x00000080;
inline constexpr UINT MF_DEFAULT = 0x00001000;
inline constexpr UINT MF_SYSMENU = 0x00002000;
inline constexpr UINT MF_HELP = 0x00004000;
inline constexpr UINT MF_RIGHTJUSTIFY = 0x00004000;
inline constexpr UINT MF_MOUSESELECT = 0x00008000;

// ---- MENUITEMINFO types, states and masks -----------------------------------------------------------------------
inline constexpr UINT MFT_STRING = MF_STRING;
inline constexpr UINT MFT_BITMAP = MF_BITMAP;
inline constexpr UINT MFT_MENUBARBREAK = MF_MENUBARBREAK;
inline constexpr UINT MFT_MENUBREAK = MF_MENUBREAK;
inline constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
inline constexpr UINT MFT_RADIOCHECK = 0x00000200;
inline constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
inline constexpr UINT MFT_RIGHTORDER = 0x00002000;
inline constexpr UINT MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;
inline constexpr UINT MFS_GRAYED = 0x00000003;
inline constexpr UINT MFS_DISABLED = MFS_GRAYED;
inline constexpr UINT MFS_CHECKED = MF_CHECKED;
inline constexpr UINT MFS_HILITE = MF_HILITE;
inline constexpr UINT MFS_ENABLED = MF_ENABLED;
inline constexpr UINT MFS_UNCHECKED = MF_UNCHECKED;
inline constexpr UINT MFS_UNHILITE = MF_UNHILITE;
inline constexpr UINT MFS_DEFAULT = MF_DEFAULT;
inline constexpr UINT MIIM_STATE = 0x00000001;
inline constexpr UINT MIIM_ID = 0x00000002;
inline constexpr UINT MIIM_SUBMENU = 0x00000004;
inline constexpr UINT MIIM_CHECKMARKS = 0x00000008;
inline constexpr UINT MIIM_TYPE = 0x00000010;
inline constexpr UINT MIIM_DATA = 0x00000020;
inline constexpr UINT MIIM_STRING = 0x00000040;
inline constexpr UINT MIIM_BITMAP = 0x00000080;
inline constexpr UINT MIIM_FTYPE = 0x00000100;

// ---- TrackPopupMenu flags ---------------------------------------------------------------------------------------
inline constexpr UINT TPM_LEFTBUTTON = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_CENTERALIGN = 0x0004;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;
inline constexpr UINT TPM_TOPALIGN = 0x0000;
inline constexpr UINT TPM_VCENTERALIGN = 0x0010;
inline constexpr UINT TPM_BOTTOMALIGN = 0x0020;
inline constexpr UINT TPM_HORIZONTAL = 0x0000;
inline constexpr UINT TPM_VERTICAL = 0x0040;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;
inline constexpr UINT TPM_RECURSE = 0x0001;

// WM_MENUCHAR answers (high word of the result; the low word is the item's position).
inline constexpr WORD MNC_IGNORE = 0;
inline constexpr WORD MNC_CLOSE = 1;
inline constexpr WORD MNC_EXECUTE = 2;
inline constexpr WORD MNC_SELECT = 3;

// ---- Owner-drawn items (menus, list and combo boxes, buttons) ---------------------------------------------------
inline constexpr UINT ODT_MENU = 1;
inline constexpr UINT ODT_LISTBOX = 2;
inline constexpr UINT ODT_COMBOBOX = 3;
inline constexpr UINT ODT_BUTTON = 4;
inline constexpr UINT ODT_STATIC = 5;
inline constexpr UINT ODA_DRAWENTIRE = 0x0001;
inline constexpr UINT ODA_SELECT = 0x0002;
inline constexpr UINT ODA_FOCUS = 0x0004;
inline constexpr UINT ODS_SELECTED = 0x0001;
inline constexpr UINT ODS_GRAYED = 0x0002;
inline constexpr UINT ODS_DISABLED = 0x0004;
inline constexpr UINT ODS_CHECKED = 0x0008;
inline constexpr UINT ODS_FOCUS = 0x0010;
inline constexpr UINT ODS_DEFAULT = 0x0020;
inline constexpr UINT ODS_COMBOBOXEDIT = 0x1000;
inline constexpr UINT ODS_HOTLIGHT = 0x0040;
inline constexpr UINT ODS_INACTIVE = 0x0080;
inline constexpr UINT ODS_NOACCEL = 0x0100;

// WM_MEASUREITEM's record (lParam); for menus CtlID is 0 and itemData the item's data.
struct MEASUREITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemWidth = 0;
  UINT itemHeight = 0;
  ULONG_PTR itemData = 0;
};
using TMeasureItemStruct = MEASUREITEMSTRUCT;

// WM_DRAWITEM's record (lParam); for menus hwndItem holds the menu handle.
struct DRAWITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemAction = 0;
  UINT itemState = 0;
  HWND hwndItem = 0;
  HDC hDC = 0;
  TRect rcItem;
  ULONG_PTR itemData = 0;
};
using TDrawItemStruct = DRAWITEMSTRUCT;

struct MENUITEMINFO {
  UINT cbSize = sizeof(MENUITEMINFO);
  UINT fMask = 0;
  UINT fType = 0;
  UINT fState = 0;
  UINT wID = 0;
  HMENU hSubMenu = 0;
  HBITMAP hbmpChecked = 0;
  HBITMAP hbmpUnchecked = 0;
  ULONG_PTR dwItemData = 0;
  LPSTR dwTypeData = nullptr;  // the text (MIIM_STRING / MFT_STRING); GetMenuItemInfo copies into it
  UINT cch = 0;                // GetMenuItemInfo: buffer size in, text length out
  HBITMAP hbmpItem = 0;
};
using TMenuItemInfo = MENUITEMINFO;

// ---- Menu calls -------------------------------------------------------------------------------------------------
// Handles are small positive integers, not reused soon. A menu belongs to the process; destroying it destroys its
// submenus. Calls on an invalid handle fail (FALSE, -1 or 0 as on the platform) with ERROR_INVALID_MENU_HANDLE.
inline constexpr LONG ERROR_INVALID_MENU_HANDLE = 1401;
inline constexpr LONG ERROR_MENU_ITEM_NOT_FOUND = 1456;
HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU Menu);
BOOL IsMenu(HMENU Menu);
// MF_POPUP takes the submenu's handle in IdNewItem; MF_SEPARATOR ignores the text; MF_OWNERDRAW keeps the text
// pointer's value as the item's data instead of text.
BOOL AppendMenu(HMENU Menu, UINT Flags, UINT_PTR IdNewItem, LPCSTR NewItem);
BOOL InsertMenu(HMENU Menu, UINT Position, UINT Flags, UINT_PTR IdNewItem, LPCSTR NewItem);
BOOL ModifyMenu(HMENU Menu, UINT Position, UINT Flags, UINT_PTR IdNewItem, LPCSTR NewItem);
BOOL InsertMenuItem(HMENU Menu, UINT Item, BOOL ByPosition, const MENUITEMINFO* Info);
BOOL GetMenuItemInfo(HMENU Menu, UINT Item, BOOL ByPosition, MENUITEMINFO* Info);
BOOL SetMenuItemInfo(HMENU Menu, UINT Item, BOOL ByPosition, const MENUITEMINFO* Info);
// DeleteMenu destroys the item's submenu; RemoveMenu leaves it alive for the caller.
BOOL DeleteMenu(HMENU Menu, UINT Position, UINT Flags);
BOOL RemoveMenu(HMENU Menu, UINT Position, UINT Flags);
int GetMenuItemCount(HMENU Menu);
// The command of the item at Pos: -1 (as UINT) for a submenu or a bad position.
UINT GetMenuItemID(HMENU Menu, int Pos);
HMENU GetSubMenu(HMENU Menu, int Pos);
// MF_ state flags of the item (type bits included); for a submenu the item count in the high byte of the low
// word. -1 (as UINT) when there is no such item.
UINT GetMenuState(HMENU Menu, UINT Id, UINT Flags);
int GetMenuString(HMENU Menu, UINT Item, LPSTR String, int MaxCount, UINT Flags);
// The previous MF_CHECKED / MF_UNCHECKED (or MF_ENABLED / MF_GRAYED / MF_DISABLED) state; -1 (as DWORD) when
// there is no such item.
DWORD CheckMenuItem(HMENU Menu, UINT Item, UINT Check);
BOOL EnableMenuItem(HMENU Menu, UINT Item, UINT Enable);
BOOL CheckMenuRadioItem(HMENU Menu, UINT First, UINT Last, UINT Check, UINT Flags);
BOOL SetMenuDefaultItem(HMENU Menu, UINT Item, UINT ByPos);
UINT GetMenuDefaultItem(HMENU Menu, UINT ByPos, UINT Flags);
// A window's menu bar (kept here; the bar itself is not drawn by the layer).
BOOL SetMenu(HWND Wnd, HMENU Menu);
HMENU GetMenu(HWND Wnd);
BOOL DrawMenuBar(HWND Wnd);

// Shows the popup menu at (X, Y) in screen coordinates and runs the menu loop for Wnd, which receives
// WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP (for the menu, and for each submenu the user opens),
// WM_MEASUREITEM for owner-drawn items, WM_MENUSELECT as items are highlighted (and 0xFFFF / 0 when the menu
// closes), WM_MENUCHAR for keys that match no item, and WM_EXITMENULOOP. With TPM_RETURNCMD the chosen command
// is returned (0: none) and nothing is sent; otherwise WM_COMMAND with the command is posted to Wnd and the result
// is TRUE when an item was chosen. TPM_NONOTIFY sends no notifications.
//
// The choice goes through the dialog service (DialogService.h) as a request of kind "PopupMenu": Owner is Wnd,
// Text the menu's dump (TrackMenuDump), Buttons the commands that can be chosen (enabled items, submenus
// included), DefaultButton 0, Params "Menu", "X", "Y" and "Flags" (decimal). The answer's Result is the command
// chosen (0 or an unknown or disabled command: dismissed); an answer whose Value is one character and whose Result
// is 0 is that key typed in the menu: it chooses the item whose '&' mnemonic it is, else the owner is asked with
// WM_MENUCHAR. Tests queue answers with TScriptedDialogs; on screen a real menu is shown and waited for.
BOOL TrackPopupMenu(HMENU Menu, UINT Flags, int X, int Y, int Reserved, HWND Wnd, const TRect* Rect);
struct TPMPARAMS {
  UINT cbSize = sizeof(TPMPARAMS);
  TRect rcExclude;
};
BOOL TrackPopupMenuEx(HMENU Menu, UINT Flags, int X, int Y, HWND Wnd, const TPMPARAMS* Params);

// A readable one-line-per-item dump of a menu (submenus indented by two spaces): "Caption\tid[ flags]" with flags
// among checked, radio, grayed, default, ownerdraw; separators as "-".
std::string TrackMenuDump(HMENU Menu);
