// Shell node data and the operations the shell tree and list share: new folders with their naming rounds,
// context menus and verbs, splitting an absolute id list into folder and item, drop targets, scrolling, the
// keyboard table, and the texts of sizes and types.
#pragma once

#include "platform/controls/Controls.h"
#include "shell/Uptshellutils.h"

#include <array>
#include <string>

class TPTCustomShellTree;

// Attribute bits asked for and tested.
inline constexpr ULONG PTShTreeDataAttributes = 0xF00F0037;
inline constexpr ULONG PTShEditableAttributes = 0x40000177;

// The data of one shell node of a tree (the node's Data points at it); owns the node's id lists and caches its
// absolute list and folder objects.
class TPTShTreeData : public TObject {
  Z_CLASS(TPTShTreeData, TObject)
public:
  explicit TPTShTreeData(TPTCustomShellTree* Tree) : FTree(Tree) {}
  ~TPTShTreeData() override;
  TPTShTreeData(const TPTShTreeData&) = delete;
  TPTShTreeData& operator=(const TPTShTreeData&) = delete;

  // With a parent: List is the item inside the parent folder. Without: List is the absolute list.
  void SetData(TPTShTreeData* Parent, LPCITEMIDLIST List);
  LPCITEMIDLIST GetAbsPidl();
  LPCITEMIDLIST GetRelPidl() const { return FRelPidl; }
  TPTShTreeData* ParentData() const { return FParent; }
  // The node's own folder (held by the data; callers do not release it); null when it cannot be bound.
  IShellFolder_NRC* GetThisIShf();
  // Takes a reference to Folder as the node's own folder.
  void SetThisIShf(IShellFolder_NRC* Folder);
  IShellFolder_NRC* GetParentIShf();
  ULONG GetAttributes();
  bool GetEditable();
  std::string GetPathName();
  bool IsRootDir();
  void SetRelPidl(LPCITEMIDLIST List);
  void Flush();
  HRESULT GetIDropTarget(HWND Owner, IDropTarget_NRC*& Target);
  TPTCustomShellTree* Tree() const { return FTree; }

private:
  TPTCustomShellTree* FTree;
  TPTShTreeData* FParent = nullptr;
  LPITEMIDLIST FRelPidl = nullptr;
  LPITEMIDLIST FAbsPidl = nullptr;
  IShellFolder_NRC* FThisFolder = nullptr;
  IShellFolder_NRC* FRootParentFolder = nullptr;
};

// ---- Shared operations -------------------------------------------------------------------------------------------------
// Creates a new folder in Directory (the current folder when empty) with the naming rounds "New Folder",
// "New Folder (2)"... and "fldr", "fldr2"..., fifty names each, warning through a message box when a name cannot
// be made for another reason than that it exists. Name gets the new folder's name.
bool PTShCreateNewFolder(const std::string& Directory, std::string& Name, HWND Owner = 0);
HRESULT PTShGetContextMenu(HWND Owner, IShellFolder_NRC* Folder, UINT Count, LPCITEMIDLIST* Items, UINT Flags,
                           UINT FirstId, IContextMenu_NRC*& ContextMenu, HMENU& Popup);
int PTShFindVerb(IContextMenu_NRC* ContextMenu, const std::string& Verb);
// Verb is a verb name, or a command offset when VerbOrOffset's upper 16 bits are zero.
HRESULT PTShInvokeCommand(HWND Owner, IContextMenu_NRC* ContextMenu, const char* VerbOrOffset);
HRESULT PTShSplitIdList(LPCITEMIDLIST Absolute, IShellFolder_NRC*& Folder, LPITEMIDLIST& ParentList,
                        LPITEMIDLIST& Item);
HRESULT PTShGetUIObjectOf(LPCITEMIDLIST Absolute, REFIID Riid, void*& Object);
HRESULT PTShGetDesktopDropTarget(IDropTarget_NRC*& Target);
void PTShMenuSelect(IContextMenu_NRC* ContextMenu, TMessage& Message, const std::function<void(const std::string&)>& Hint);
HWND PTShGetOwnerFormHandle(TControl* Control);
void PTShBusyWait(DWORD Milliseconds);
void PTShScrollStep(TWinControl* Control, int Bar, int Code);
void PTShWheelScroll(TWinControl* Control, int Bar, int LineCode, int PageCode);
std::string PTShFormatSizeKB(unsigned long long Bytes);
void PTShGetSizeAndDate(LPCITEMIDLIST Absolute, std::string& Size, std::string& Modified);
std::string PTShGetTypeName(LPCITEMIDLIST Absolute, ULONG Attributes);
[[noreturn]] void PTShRaiseSysError(HRESULT Code);

// ---- The keyboard table ------------------------------------------------------------------------------------------------
// A shortcut text ("Ctrl+A", "Shift+Del", "F5") as a key code or'ed with Shift 0x2000, Ctrl 0x4000, Alt 0x8000;
// 0 for an unknown text.
WORD PTTextToShortCut(const std::string& Text);
// The seven shortcuts: 0 select all, 1 delete, 2 copy, 3 cut, 4 paste, 5 refresh, 6 rename; parsed once.
const std::array<WORD, 7>& PTShKeyTable();
WORD PTShortCut(WORD Key, TShiftState Shift);

// The cursor shown while shell work runs; restored when the scope ends.
class TPTBusyCursor {
public:
  TPTBusyCursor();
  ~TPTBusyCursor();
  TPTBusyCursor(const TPTBusyCursor&) = delete;
  TPTBusyCursor& operator=(const TPTBusyCursor&) = delete;

private:
  int FSaved;
};
