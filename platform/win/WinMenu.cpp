// The platform's menus: the menu handle table, the item calls and the popup menu loop over the dialog service.
#include "platform/win/WinMenu.h"
#include "platform/win/DialogService.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

WPARAM MakeWParam(WORD Lo, WORD Hi) { return static_cast<WPARAM>(Lo) | (static_cast<WPARAM>(Hi) << 16); }

struct TMenuEntry {
  UINT Type = MFT_STRING;  // MFT_ bits
  UINT State = 0;          // MFS_ bits
  UINT Id = 0;
  HMENU SubMenu = 0;
  std::string Text;
  ULONG_PTR Data = 0;
  HBITMAP Checked = 0;
  HBITMAP Unchecked = 0;
  HBITMAP Bitmap = 0;
};

struct TMenuRecord {
  bool Popup = false;
  std::vector<TMenuEntry> Items;
};

struct TMenuTable {
  std::recursive_mutex Lock;
  std::unordered_map<HMENU, TMenuRecord> Menus;
  std::unordered_map<HWND, HMENU> WindowMenus;
  HMENU Next = 1;
};

TMenuTable& Table() {
  static TMenuTable T;
  return T;
}

TMenuRecord* Find(HMENU Menu) {
  auto& T = Table();
  auto It = T.Menus.find(Menu);
  if (It == T.Menus.end()) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return nullptr;
  }
  return &It->second;
}

HMENU NewMenu(bool Popup) {
  auto& T = Table();
  std::lock_guard G(T.Lock);
  HMENU H = T.Next++;
  T.Menus[H].Popup = Popup;
  return H;
}

// A located item: the menu that holds it (the search by command descends into submenus) and its position.
struct TLocation {
  TMenuRecord* Menu = nullptr;
  HMENU Handle = 0;
  int Pos = -1;
  TMenuEntry* Entry() const { return Menu ? &Menu->Items[static_cast<std::size_t>(Pos)] : nullptr; }
};

TLocation LocateByCommand(HMENU Menu, UINT Id, int Depth = 0) {
  TMenuRecord* R = Find(Menu);
  if (!R || Depth > 32) {
    return {};
  }
  for (std::size_t I = 0; I < R->Items.size(); ++I) {
    const TMenuEntry& E = R->Items[I];
    if (E.SubMenu == 0 && E.Id == Id) {
      return {R, Menu, static_cast<int>(I)};
    }
  }
  for (std::size_t I = 0; I < R->Items.size(); ++I) {
    if (HMENU Sub = R->Items[I].SubMenu) {
      if (TLocation L = LocateByCommand(Sub, Id, Depth + 1); L.Menu) {
        return L;
      }
    }
  }
  // A submenu item can be named by its handle as its command, as the platform allows.
  for (std::size_t I = 0; I < R->Items.size(); ++I) {
    if (R->Items[I].SubMenu != 0 && R->Items[I].SubMenu == Id) {
      return {R, Menu, static_cast<int>(I)};
    }
  }
  return {};
}

TLocation Locate(HMENU Menu, UINT Item, bool ByPosition) {
  if (ByPosition) {
    TMenuRecord* R = Find(Menu);
    if (!R) {
      return {};
    }
    if (Item >= R->Items.size()) {
      SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
      return {};
    }
    return {R, Menu, static_cast<int>(Item)};
  }
  TLocation L = LocateByCommand(Menu, Item);
  if (!L.Menu && Find(Menu)) {
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
  }
  return L;
}

void DestroyTree(HMENU Menu, int Depth = 0) {
  auto& T = Table();
  auto It = T.Menus.find(Menu);
  if (It == T.Menus.end() || Depth > 32) {
    return;
  }
  std::vector<HMENU> Subs;
  for (auto& E : It->second.Items) {
    if (E.SubMenu) {
      Subs.push_back(E.SubMenu);
    }
  }
  T.Menus.erase(It);
  for (HMENU S : Subs) {
    DestroyTree(S, Depth + 1);
  }
}

// An entry from the old-style MF_ flags of AppendMenu / InsertMenu / ModifyMenu.
TMenuEntry EntryFromFlags(UINT Flags, UINT_PTR IdNewItem, LPCSTR NewItem) {
  TMenuEntry E;
  E.Type = Flags & (MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP | MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY);
  E.State = Flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
  if (Flags & MF_POPUP) {
    E.SubMenu = static_cast<HMENU>(IdNewItem);
    E.Id = static_cast<UINT>(IdNewItem);
  } else {
    E.Id = static_cast<UINT>(IdNewItem);
  }
  if (Flags & MF_OWNERDRAW) {
    E.Data = reinterpret_cast<ULONG_PTR>(NewItem);
  } else if (Flags & MF_BITMAP) {
    E.Bitmap = reinterpret_cast<HBITMAP>(NewItem);
  } else if (!(Flags & MF_SEPARATOR) && NewItem) {
    E.Text = NewItem;
  }
  return E;
}

bool ValidSubMenu(HMENU Sub) { return Sub == 0 || Table().Menus.count(Sub) != 0; }

void ApplyInfo(TMenuEntry& E, const MENUITEMINFO& I) {
  if (I.fMask & MIIM_TYPE) {
    E.Type = I.fType;
    E.Text = (I.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) == 0 && I.dwTypeData ? I.dwTypeData : "";
    if (I.fType & MFT_OWNERDRAW) {
      E.Data = reinterpret_cast<ULONG_PTR>(I.dwTypeData);
    }
  }
  if (I.fMask & MIIM_FTYPE) {
    E.Type = I.fType;
  }
  if (I.fMask & MIIM_STRING) {
    E.Text = I.dwTypeData ? I.dwTypeData : "";
  }
  if (I.fMask & MIIM_STATE) {
    E.State = I.fState;
  }
  if (I.fMask & MIIM_ID) {
    E.Id = I.wID;
  }
  if (I.fMask & MIIM_SUBMENU) {
    E.SubMenu = I.hSubMenu;
  }
  if (I.fMask & MIIM_CHECKMARKS) {
    E.Checked = I.hbmpChecked;
    E.Unchecked = I.hbmpUnchecked;
  }
  if (I.fMask & MIIM_DATA) {
    E.Data = I.dwItemData;
  }
  if (I.fMask & MIIM_BITMAP) {
    E.Bitmap = I.hbmpItem;
  }
}

BOOL InsertEntry(HMENU Menu, UINT Position, bool ByPosition, TMenuEntry E) {
  std::lock_guard G(Table().Lock);
  TMenuRecord* R = Find(Menu);
  if (!R) {
    return FALSE;
  }
  if (!ValidSubMenu(E.SubMenu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  std::size_t At = R->Items.size();
  if (ByPosition) {
    At = std::min<std::size_t>(Position, R->Items.size());
  } else if (Position != static_cast<UINT>(-1)) {
    // By command: before the item with that command (in this menu or a submenu); appended when absent.
    if (TLocation L = LocateByCommand(Menu, Position); L.Menu) {
      L.Menu->Items.insert(L.Menu->Items.begin() + L.Pos, std::move(E));
      return TRUE;
    }
  }
  R->Items.insert(R->Items.begin() + static_cast<std::ptrdiff_t>(At), std::move(E));
  return TRUE;
}

BOOL RemoveEntry(HMENU Menu, UINT Position, UINT Flags, bool DestroySub) {
  std::lock_guard G(Table().Lock);
  TLocation L = Locate(Menu, Position, (Flags & MF_BYPOSITION) != 0);
  if (!L.Menu) {
    return FALSE;
  }
  HMENU Sub = L.Entry()->SubMenu;
  L.Menu->Items.erase(L.Menu->Items.begin() + L.Pos);
  if (DestroySub && Sub) {
    DestroyTree(Sub);
  }
  return TRUE;
}

std::string StripAccelerator(const std::string& S) {
  auto Tab = S.find('\t');
  return Tab == std::string::npos ? S : S.substr(0, Tab);
}

// The mnemonic of an item's text: the character after a single '&' ("&&" is a literal ampersand).
char Mnemonic(const std::string& Text) {
  std::string S = StripAccelerator(Text);
  for (std::size_t I = 0; I + 1 < S.size(); ++I) {
    if (S[I] == '&') {
      if (S[I + 1] == '&') {
        ++I;
        continue;
      }
      return static_cast<char>(std::toupper(static_cast<unsigned char>(S[I + 1])));
    }
  }
  return 0;
}

bool Selectable(const TMenuEntry& E) { return !(E.Type & MFT_SEPARATOR) && !(E.State & MFS_GRAYED); }

void CollectCommands(HMENU Menu, std::vector<int>& Out, int Depth = 0) {
  TMenuRecord* R = Find(Menu);
  if (!R || Depth > 32) {
    return;
  }
  for (const auto& E : R->Items) {
    if (!Selectable(E)) {
      continue;
    }
    if (E.SubMenu) {
      CollectCommands(E.SubMenu, Out, Depth + 1);
    } else {
      Out.push_back(static_cast<int>(E.Id));
    }
  }
}

void Dump(HMENU Menu, int Depth, std::string& Out) {
  TMenuRecord* R = Find(Menu);
  if (!R || Depth > 32) {
    return;
  }
  for (const auto& E : R->Items) {
    Out.append(static_cast<std::size_t>(Depth) * 2, ' ');
    if (E.Type & MFT_SEPARATOR) {
      Out += "-\n";
      continue;
    }
    Out += E.Text;
    if (!E.SubMenu) {
      Out += "\t" + std::to_string(E.Id);
    }
    if (E.State & MFS_CHECKED) Out += " checked";
    if (E.Type & MFT_RADIOCHECK) Out += " radio";
    if (E.State & MFS_GRAYED) Out += " grayed";
    if (E.State & MFS_DEFAULT) Out += " default";
    if (E.Type & MFT_OWNERDRAW) Out += " ownerdraw";
    Out += "\n";
    if (E.SubMenu) {
      Dump(E.SubMenu, Depth + 1, Out);
    }
  }
}

// Sends the owner-draw measuring of a menu's items, as the platform does before it first shows the menu.
void MeasureItems(HWND Wnd, HMENU Menu) {
  std::vector<TMenuEntry> Items;
  {
    std::lock_guard G(Table().Lock);
    if (TMenuRecord* R = Find(Menu)) {
      Items = R->Items;
    }
  }
  for (const auto& E : Items) {
    if (E.Type & MFT_OWNERDRAW) {
      MEASUREITEMSTRUCT M;
      M.CtlType = ODT_MENU;
      M.itemID = E.Id;
      M.itemData = E.Data;
      SendMessage(Wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&M));
    }
  }
}

// The chain of (menu, position) from Menu down to the item with command Id; empty when it is not there.
bool PathTo(HMENU Menu, UINT Id, std::vector<std::pair<HMENU, int>>& Path, int Depth = 0) {
  TMenuRecord* R = Find(Menu);
  if (!R || Depth > 32) {
    return false;
  }
  for (std::size_t I = 0; I < R->Items.size(); ++I) {
    const TMenuEntry& E = R->Items[I];
    if (!Selectable(E)) {
      continue;
    }
    Path.emplace_back(Menu, static_cast<int>(I));
    if ((!E.SubMenu && E.Id == Id) || (E.SubMenu && PathTo(E.SubMenu, Id, Path, Depth + 1))) {
      return true;
    }
    Path.pop_back();
  }
  return false;
}

UINT ItemFlags(const TMenuEntry& E) {
  return E.Type | (E.State & (MFS_GRAYED | MFS_CHECKED | MFS_DEFAULT)) | (E.SubMenu ? MF_POPUP : 0);
}

void SendMenuSelect(HWND Wnd, HMENU Menu, int Pos) {
  TMenuEntry E;
  {
    std::lock_guard G(Table().Lock);
    TMenuRecord* R = Find(Menu);
    if (!R || Pos < 0 || static_cast<std::size_t>(Pos) >= R->Items.size()) {
      return;
    }
    E = R->Items[static_cast<std::size_t>(Pos)];
  }
  WORD Item = E.SubMenu ? static_cast<WORD>(Pos) : static_cast<WORD>(E.Id);
  SendMessage(Wnd, WM_MENUSELECT, MakeWParam(Item, static_cast<WORD>(ItemFlags(E) | MF_HILITE)),
              static_cast<LPARAM>(Menu));
}

// Resolves a key typed in the menu: the item whose mnemonic it is, else what the owner answers to WM_MENUCHAR.
// Returns the chosen command (0: none).
UINT ResolveKey(HWND Wnd, HMENU Menu, char Key, bool Notify) {
  std::vector<TMenuEntry> Items;
  {
    std::lock_guard G(Table().Lock);
    if (TMenuRecord* R = Find(Menu)) {
      Items = R->Items;
    }
  }
  const char Upper = static_cast<char>(std::toupper(static_cast<unsigned char>(Key)));
  int Pos = -1;
  for (std::size_t I = 0; I < Items.size(); ++I) {
    if (Selectable(Items[I]) && !(Items[I].Type & MFT_OWNERDRAW) && Mnemonic(Items[I].Text) == Upper) {
      Pos = static_cast<int>(I);
      break;
    }
  }
  if (Pos < 0 && Notify) {
    LRESULT R = SendMessage(Wnd, WM_MENUCHAR, MakeWParam(static_cast<unsigned char>(Key), MF_POPUP),
                            static_cast<LPARAM>(Menu));
    if (HIWORD(static_cast<DWORD_PTR>(R)) == MNC_EXECUTE) {
      Pos = LOWORD(static_cast<DWORD_PTR>(R));
    }
  }
  if (Pos < 0 || static_cast<std::size_t>(Pos) >= Items.size() || !Selectable(Items[static_cast<std::size_t>(Pos)])) {
    return 0;
  }
  const TMenuEntry& E = Items[static_cast<std::size_t>(Pos)];
  return E.SubMenu ? 0 : E.Id;
}

}  // namespace

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }

BOOL DestroyMenu(HMENU Menu) {
  std::lock_guard G(Table().Lock);
  if (!Find(Menu)) {
    return FALSE;
  }
  DestroyTree(Menu);
  for (auto& [Wnd, M] : Table().WindowMenus) {
    if (M == Menu) {
      M = 0;
    }
  }
  return TRUE;
}

BOOL IsMenu(HMENU Menu) {
  std::lock_guard G(Table().Lock);
  return Table().Menus.count(Menu) ? TRUE : FALSE;
}

BOOL AppendMenu(HMENU Menu, UINT Flags, UINT_PTR IdNewItem, LPCSTR NewItem) {
  return InsertEntry(Menu, static_cast<UINT>(-1), true, EntryFromFlags(Flags, IdNewItem, NewItem));
}

BOOL InsertMenu(HMENU Menu, UINT Position, UINT Flags, UINT_PTR IdNewItem, LPCSTR NewItem) {
  return InsertEntry(Menu, Position, (Flags & MF_BYPOSITION) != 0, EntryFromFlags(Flags, IdNewItem, NewItem));
}

BOOL ModifyMenu(HMENU Menu, UINT Position, UINT Flags, UINT_PTR IdNewItem, LPCSTR NewItem) {
  std::lock_guard G(Table().Lock);
  TLocation L = Locate(Menu, Position, (Flags & MF_BYPOSITION) != 0);
  if (!L.Menu) {
    return FALSE;
  }
  TMenuEntry E = EntryFromFlags(Flags, IdNewItem, NewItem);
  if (!ValidSubMenu(E.SubMenu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  *L.Entry() = std::move(E);
  return TRUE;
}

BOOL InsertMenuItem(HMENU Menu, UINT Item, BOOL ByPosition, const MENUITEMINFO* Info) {
  if (!Info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  TMenuEntry E;
  ApplyInfo(E, *Info);
  return InsertEntry(Menu, Item, ByPosition != FALSE, std::move(E));
}

BOOL GetMenuItemInfo(HMENU Menu, UINT Item, BOOL ByPosition, MENUITEMINFO* Info) {
  if (!Info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard G(Table().Lock);
  TLocation L = Locate(Menu, Item, ByPosition != FALSE);
  if (!L.Menu) {
    return FALSE;
  }
  const TMenuEntry& E = *L.Entry();
  if (Info->fMask & (MIIM_TYPE | MIIM_FTYPE)) {
    Info->fType = E.Type;
  }
  if (Info->fMask & MIIM_STATE) {
    // Grayed and disabled are one state here, as MFS_GRAYED and MFS_DISABLED are.
    Info->fState = (E.State & MFS_GRAYED) ? (E.State | MFS_GRAYED) : E.State;
  }
  if (Info->fMask & MIIM_ID) {
    Info->wID = E.Id;
  }
  if (Info->fMask & MIIM_SUBMENU) {
    Info->hSubMenu = E.SubMenu;
  }
  if (Info->fMask & MIIM_CHECKMARKS) {
    Info->hbmpChecked = E.Checked;
    Info->hbmpUnchecked = E.Unchecked;
  }
  if (Info->fMask & MIIM_DATA) {
    Info->dwItemData = E.Data;
  }
  if (Info->fMask & MIIM_BITMAP) {
    Info->hbmpItem = E.Bitmap;
  }
  const bool WantsText = (Info->fMask & MIIM_STRING) ||
                         ((Info->fMask & MIIM_TYPE) && !(E.Type & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)));
  if (WantsText) {
    if (Info->dwTypeData && Info->cch > 0) {
      std::size_t N = std::min<std::size_t>(E.Text.size(), Info->cch - 1);
      std::memcpy(Info->dwTypeData, E.Text.data(), N);
      Info->dwTypeData[N] = 0;
      Info->cch = static_cast<UINT>(N);
    } else {
      Info->cch = static_cast<UINT>(E.Text.size());
    }
  } else if ((Info->fMask & MIIM_TYPE) && (E.Type & MFT_OWNERDRAW)) {
    Info->dwTypeData = reinterpret_cast<LPSTR>(E.Data);
  }
  return TRUE;
}

BOOL SetMenuItemInfo(HMENU Menu, UINT Item, BOOL ByPosition, const MENUITEMINFO* Info) {
  if (!Info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard G(Table().Lock);
  TLocation L = Locate(Menu, Item, ByPosition != FALSE);
  if (!L.Menu) {
    return FALSE;
  }
  if ((Info->fMask & MIIM_SUBMENU) && !ValidSubMenu(Info->hSubMenu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  ApplyInfo(*L.Entry(), *Info);
  return TRUE;
}

BOOL DeleteMenu(HMENU Menu, UINT Position, UINT Flags) { return RemoveEntry(Menu, Position, Flags, true); }
BOOL RemoveMenu(HMENU Menu, UINT Position, UINT Flags) { return RemoveEntry(Menu, Position, Flags, false); }

int GetMenuItemCount(HMENU Menu) {
  std::lock_guard G(Table().Lock);
  TMenuRecord* R = Find(Menu);
  return R ? static_cast<int>(R->Items.size()) : -1;
}

UINT GetMenuItemID(HMENU Menu, int Pos) {
  std::lock_guard G(Table().Lock);
  TLocation L = Locate(Menu, static_cast<UINT>(Pos), true);
  if (Pos < 0 || !L.Menu || L.Entry()->SubMenu) {
    return static_cast<UINT>(-1);
  }
  return L.Entry()->Id;
}

HMENU GetSubMenu(HMENU Menu, int Pos) {
  std::lock_guard G(Table().Lock);
  TLocation L = Locate(Menu, static_cast<UINT>(Pos), true);
  return Pos >= 0 && L.Menu ? L.Entry()->SubMenu : 0;
}

UINT GetMenuState(HMENU Menu, UINT Id, UINT Flags) {
  std::lock_guard G(Table().Lock);
  TLocation L = Locate(Menu, Id, (Flags & MF_BYPOSITION) != 0);
  if (!L.Menu) {
    return static_cast<UINT>(-1);
  }
  const TMenuEntry& E = *L.Entry();
  UINT State = (E.Type & ~MFT_RADIOCHECK) | (E.State & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT));
  if (E.SubMenu) {
    TMenuRecord* Sub = Find(E.SubMenu);
    const UINT Count = Sub ? static_cast<UINT>(Sub->Items.size()) : 0;
    State = (State & 0xFF) | MF_POPUP | ((Count & 0xFF) << 8);
  }
  return State;
}

int GetMenuString(HMENU Menu, UINT Item, LPSTR String, int MaxCount, UINT Flags) {
  std::lock_guard G(Table().Lock);
  TLocation L = Locate(Menu, Item, (Flags & MF_BYPOSITION) != 0);
  if (!L.Menu) {
    return 0;
  }
  const std::string& Text = L.Entry()->Text;
  if (!String || MaxCount <= 0) {
    return static_cast<int>(Text.size());
  }
  std::size_t N = std::min<std::size_t>(Text.size(), static_cast<std::size_t>(MaxCount - 1));
  std::memcpy(String, Text.data(), N);
  String[N] = 0;
  return static_cast<int>(N);
}

DWORD CheckMenuItem(HMENU Menu, UINT Item, UINT Check) {
  std::lock_guard G(Table().Lock);
  TLocation L = Locate(Menu, Item, (Check & MF_BYPOSITION) != 0);
  if (!L.Menu) {
    return static_cast<DWORD>(-1);
  }
  TMenuEntry& E = *L.Entry();
  DWORD Old = E.State & MF_CHECKED;
  E.State = (E.State & ~MF_CHECKED) | (Check & MF_CHECKED);
  return Old;
}

BOOL EnableMenuItem(HMENU Menu, UINT Item, UINT Enable) {
  std::lock_guard G(Table().Lock);
  TLocation L = Locate(Menu, Item, (Enable & MF_BYPOSITION) != 0);
  if (!L.Menu) {
    return -1;
  }
  TMenuEntry& E = *L.Entry();
  BOOL Old = static_cast<BOOL>(E.State & (MF_GRAYED | MF_DISABLED));
  E.State = (E.State & ~(MF_GRAYED | MF_DISABLED)) | (Enable & (MF_GRAYED | MF_DISABLED));
  return Old;
}

BOOL CheckMenuRadioItem(HMENU Menu, UINT First, UINT Last, UINT Check, UINT Flags) {
  std::lock_guard G(Table().Lock);
  const bool ByPos = (Flags & MF_BYPOSITION) != 0;
  TLocation L = Locate(Menu, Check, ByPos);
  if (!L.Menu) {
    return FALSE;
  }
  for (std::size_t I = 0; I < L.Menu->Items.size(); ++I) {
    TMenuEntry& E = L.Menu->Items[I];
    const UINT Key = ByPos ? static_cast<UINT>(I) : E.Id;
    if (Key < First || Key > Last || E.SubMenu) {
      continue;
    }
    if (static_cast<int>(I) == L.Pos) {
      E.State |= MFS_CHECKED;
      E.Type |= MFT_RADIOCHECK;
    } else {
      E.State &= ~MFS_CHECKED;
    }
  }
  return TRUE;
}

BOOL SetMenuDefaultItem(HMENU Menu, UINT Item, UINT ByPos) {
  std::lock_guard G(Table().Lock);
  TMenuRecord* R = Find(Menu);
  if (!R) {
    return FALSE;
  }
  int Target = -1;
  if (Item != static_cast<UINT>(-1)) {
    for (std::size_t I = 0; I < R->Items.size(); ++I) {
      if (ByPos ? I == Item : (!R->Items[I].SubMenu && R->Items[I].Id == Item)) {
        Target = static_cast<int>(I);
      }
    }
    if (Target < 0) {
      SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
      return FALSE;
    }
  }
  for (std::size_t I = 0; I < R->Items.size(); ++I) {
    R->Items[I].State = static_cast<int>(I) == Target ? (R->Items[I].State | MFS_DEFAULT)
                                                      : (R->Items[I].State & ~MFS_DEFAULT);
  }
  return TRUE;
}

UINT GetMenuDefaultItem(HMENU Menu, UINT ByPos, UINT Flags) {
  (void)Flags;
  std::lock_guard G(Table().Lock);
  TMenuRecord* R = Find(Menu);
  if (!R) {
    return static_cast<UINT>(-1);
  }
  for (std::size_t I = 0; I < R->Items.size(); ++I) {
    if (R->Items[I].State & MFS_DEFAULT) {
      return ByPos ? static_cast<UINT>(I) : R->Items[I].Id;
    }
  }
  return static_cast<UINT>(-1);
}

BOOL SetMenu(HWND Wnd, HMENU Menu) {
  if (!IsWindow(Wnd)) {
    return FALSE;
  }
  std::lock_guard G(Table().Lock);
  if (Menu && !Find(Menu)) {
    return FALSE;
  }
  Table().WindowMenus[Wnd] = Menu;
  return TRUE;
}

HMENU GetMenu(HWND Wnd) {
  std::lock_guard G(Table().Lock);
  auto It = Table().WindowMenus.find(Wnd);
  return It != Table().WindowMenus.end() && IsWindow(Wnd) ? It->second : 0;
}

BOOL DrawMenuBar(HWND Wnd) { return IsWindow(Wnd); }

std::string TrackMenuDump(HMENU Menu) {
  std::lock_guard G(Table().Lock);
  std::string Out;
  Dump(Menu, 0, Out);
  return Out;
}

BOOL TrackPopupMenu(HMENU Menu, UINT Flags, int X, int Y, int Reserved, HWND Wnd, const TRect* Rect) {
  (void)Reserved;
  (void)Rect;
  if (!IsMenu(Menu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  if (!IsWindow(Wnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const bool Notify = !(Flags & TPM_NONOTIFY);
  if (Notify) {
    SendMessage(Wnd, WM_ENTERMENULOOP, TRUE, 0);
    SendMessage(Wnd, WM_INITMENU, static_cast<WPARAM>(Menu), 0);
    SendMessage(Wnd, WM_INITMENUPOPUP, static_cast<WPARAM>(Menu), 0);
    MeasureItems(Wnd, Menu);
  }
  TDialogRequest Request;
  Request.Kind = "PopupMenu";
  Request.Owner = Wnd;
  {
    std::lock_guard G(Table().Lock);
    std::string Out;
    Dump(Menu, 0, Out);
    Request.Text = std::move(Out);
    CollectCommands(Menu, Request.Buttons);
  }
  Request.Flags = Flags;
  Request.Params["Menu"] = std::to_string(Menu);
  Request.Params["X"] = std::to_string(X);
  Request.Params["Y"] = std::to_string(Y);
  Request.Params["Flags"] = std::to_string(Flags);
  TDialogAnswer Answer = DialogService().Run(Request);

  UINT Chosen = 0;
  std::vector<std::pair<HMENU, int>> Path;
  if (Answer.Result == 0 && Answer.Value.size() == 1) {
    Chosen = ResolveKey(Wnd, Menu, Answer.Value[0], Notify);
  } else if (Answer.Result > 0) {
    Chosen = static_cast<UINT>(Answer.Result);
  }
  if (Chosen != 0) {
    std::lock_guard G(Table().Lock);
    if (!PathTo(Menu, Chosen, Path)) {
      Chosen = 0;  // not in the menu, or disabled: the menu was dismissed
    }
  }
  // A menu shown on screen sent the highlighting and submenu notifications itself, as the user moved.
  if (Notify && Answer.Params.count("Notified") == 0) {
    // The way to the item as the user took it: each submenu opened on the way, then the item highlighted.
    for (std::size_t I = 0; I < Path.size(); ++I) {
      SendMenuSelect(Wnd, Path[I].first, Path[I].second);
      if (I + 1 < Path.size()) {
        SendMessage(Wnd, WM_INITMENUPOPUP, static_cast<WPARAM>(Path[I + 1].first),
                    static_cast<LPARAM>(Path[I].second));
        MeasureItems(Wnd, Path[I + 1].first);
      }
    }
  }
  if (Notify) {
    SendMessage(Wnd, WM_MENUSELECT, MakeWParam(0, 0xFFFF), 0);
    SendMessage(Wnd, WM_EXITMENULOOP, TRUE, 0);
  }
  if (Flags & TPM_RETURNCMD) {
    return static_cast<BOOL>(Chosen);
  }
  if (Chosen != 0) {
    PostMessage(Wnd, WM_COMMAND, MakeWParam(static_cast<WORD>(Chosen), 0), 0);
    return TRUE;
  }
  return FALSE;
}

BOOL TrackPopupMenuEx(HMENU Menu, UINT Flags, int X, int Y, HWND Wnd, const TPMPARAMS* Params) {
  return TrackPopupMenu(Menu, Flags, X, Y, 0, Wnd, Params ? &Params->rcExclude : nullptr);
}
