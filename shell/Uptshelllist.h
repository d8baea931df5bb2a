// TPTCustomShellList / TPTShellList: the items of one shell folder in a list view, with their system icons and
// detail columns, sorting by column, a file filter, change tracking, and the user's actions on the items (opening,
// context menus and verbs, the keyboard table, renaming, new folders, OLE drag and drop). It stands alone with its
// own Folder, or follows a linked shell tree or shell combo box.
#pragma once

#include "platform/classes/Streams.h"
#include "platform/controls/ExtCtrls.h"
#include "shell/Uptchangethread.h"
#include "shell/Uptdragdrop.h"
#include "shell/Uptshelldata.h"
#include "shell/Uptshelllinks.h"
#include "shell/Uptshelllocator.h"
#include "shell/Uptshelltree.h"
#include "shell/Upttreelist.h"

#include <functional>
#include <memory>
#include <string>

enum TPTShellListOption {
  ptsloAutoFill, ptsloNonFilesystemAncestors, ptsloDesignInteractive, ptsloDefaultKeyHandling, ptsloContextMenus,
  ptsloDontChangeFolder, ptsloDontGoBelowBase, ptsloDynamicRefresh, ptsloHideFoldersWhenLinkedToTree, ptsloOleDrag,
  ptsloOleDrop, ptsloFolderContextMenu, ptsloShowHidden
};
Z_ENUM_TYPEINFO(TPTShellListOption, "ptsloAutoFill", "ptsloNonFilesystemAncestors", "ptsloDesignInteractive",
                "ptsloDefaultKeyHandling", "ptsloContextMenus", "ptsloDontChangeFolder", "ptsloDontGoBelowBase",
                "ptsloDynamicRefresh", "ptsloHideFoldersWhenLinkedToTree", "ptsloOleDrag", "ptsloOleDrop",
                "ptsloFolderContextMenu", "ptsloShowHidden")
using TPTShellListOptions = TSet<TPTShellListOption, ptsloShowHidden>;
// The options of a new list (value 7835).
TPTShellListOptions PTShellListDefaultOptions();

class TPTCustomShellList;

// Attribute bits the list data asks for.
inline constexpr ULONG PTShListDataAttributes = 0x700F0037;

// The data of one list item (the item's Data points at it): owns the item's relative id list and caches its
// absolute list, display name and the texts of the default columns. Lives as long as its item.
class TPTShListData : public TObject {
  Z_CLASS(TPTShListData, TObject)
public:
  explicit TPTShListData(TPTCustomShellList* List) : FList(List) {}
  ~TPTShListData() override;
  TPTShListData(const TPTShListData&) = delete;
  TPTShListData& operator=(const TPTShListData&) = delete;

  // Takes ownership of a relative list (the previous one is freed) and flushes the caches.
  void SetData(LPITEMIDLIST Relative);
  void Flush();
  LPCITEMIDLIST GetRelativeIdList() const { return FRelPidl; }
  // The list's folder followed by the item (built on first use).
  LPCITEMIDLIST GetAbsoluteIdList();
  std::string GetPathName();
  std::string GetFilename();
  std::string GetDisplayName();
  // The attribute bits 0x700F0037 as the list's folder answers them (the asked bits when it refuses).
  ULONG GetAttributes();
  bool IsFolder() { return (GetAttributes() & SFGAO_FOLDER) != 0; }
  bool IsFileSystem() { return (GetAttributes() & SFGAO_FILESYSTEM) != 0; }
  bool GetEditable() { return (GetAttributes() & SFGAO_CANRENAME) != 0; }
  // Whether the folder still has the item.
  bool IsValid();
  // Whether the item is a shortcut (a desktop entry or a symbolic link).
  bool IsLnkShortcut();
  // The text of a column: empty for the name column; the folder's detail text when it has a details provider,
  // else size (1), type (2) and modified (3).
  std::string GetColText(int Column);
  void GetExtraData();
  const std::string& GetSize();
  const std::string& GetFileType();
  const std::string& GetModified();
  TPTCustomShellList* List() const { return FList; }

private:
  TPTCustomShellList* FList;
  LPITEMIDLIST FAbsPidl = nullptr;
  LPITEMIDLIST FRelPidl = nullptr;
  std::string FDisplayName;
  bool FDisplayNameLoaded = false;
  bool FExtraLoaded = false;
  std::string FSize, FType, FModified;
};

using TPTShListDeleteItemEvent =
    std::function<void(TObject* aSender, TListItem* aNode, TPTShListData* aShListData)>;
using TPTShDblClickOpenEvent = std::function<void(TObject* aSender, bool& afHandled)>;
using TPTShLvCustomDrawEvent =
    std::function<void(TObject* aSender, TPTCustomDraw* aCD, TListItem* aItem, TPTShListData* aData)>;

using TDropTarget_shlv = TPTControlDropTarget<TPTCustomShellList>;

class TPTCustomShellList : public TPTCustomListView, public TPTShellTreeLink, public TPTShellListLink {
  Z_CLASS(TPTCustomShellList, TPTCustomListView)
  friend class TPTShListData;

public:
  explicit TPTCustomShellList(TComponent* AOwner);
  ~TPTCustomShellList() override;
  void BeforeDestruction() override;
  void Dispatch(TMessage& Message) override;

  // ---- Properties
  TPTShellLocator* Folder() const { return FFolder.get(); }
  void SetFolder(TPTShellLocator* Value);
  bool IsFolderStored() const { return !FShellTree && !FShellCombo; }
  TPTShellListOptions Options() const { return FOptions; }
  void SetOptions(TPTShellListOptions Value);
  const std::string& FileFilter() const { return FFileFilter; }
  void SetFileFilter(const std::string& Value);
  // The masks of FileFilter (null before the first non-empty filter).
  TStrings* FilterMasks() const { return FMasks.get(); }
  // 1-based; negative: reverse order; 0: the list view's own order.
  int SortColumn() const { return FSortColumn; }
  void SetSortColumn(int Column);

  // ---- Contents
  void FillItems();
  void RefreshItems();
  void GoUp(int Levels);
  int ShellSelCount();
  TPTShListData* GetSelectedItem();
  TPTShListData* GetShListData(int Index);
  TPTShListData* GetDataFromItem(TListItem* Item);
  bool ItemHasData(TListItem* Item);
  // The current folder's column provider (asked once per folder; null when it has none).
  IShellDetails* GetCurrentFolderIShellDetails();
  IShellFolder_NRC* CurrentFolder() const { return FFolderShf; }
  LPCITEMIDLIST CurrentFolderIdList() const { return FFolderPidl; }
  void Synchronize(bool Propagate);
  void SortList();
  bool IsFolderNetworkShare();
  void InitColumns(IShellDetails* Details);
  void InitImageLists();

  // ---- Links
  void SetShellTree(TPTCustomShellTree* Tree) override;
  TPTCustomShellTree* ShellTree() const { return FShellTree; }
  void SetShellCombo(TPTShellComboLink* Combo) override;
  TPTShellComboLink* ShellCombo() const { return FShellCombo; }
  void TreeChanged(TTreeNode* Node) override;
  void SetFolderFromTree(TPTShellLocator* Folder) override;
  void SynchronizeFromTree() override { Synchronize(false); }
  bool HidesFoldersWhenLinked() const override { return FOptions.Contains(ptsloHideFoldersWhenLinkedToTree); }
  TPTShellLocator* ListFolder() override { return FFolder.get(); }
  void SynchronizeFromLink() override { Synchronize(false); }
  TComponent* LinkComponent() override { return this; }

  // ---- Items and the selection
  bool CreateNewFolder(bool StartRename);
  void OpenItem(TListItem* Item);
  void OpenSelectedItems();
  void ProcessMenu(TListItem* Item, TPoint Pt);
  void ProcessMenuForAllSelected(TPoint Pt);
  // A verb name, or a command offset when the pointer's upper bits are zero.
  HRESULT DoCommandForItem(TListItem* Item, const char* Verb);
  HRESULT DoCommandForAllSelected(const char* Verb);
  HRESULT DoCommandForFolder(const char* Verb);
  void ProcessSendTo(int Index);
  void SelectAll();
  DWORD GetDragDropAttributesForAllSelected();
  DWORD GetDragDropAttributesForItem(TListItem* Item);
  virtual HRESULT GetUIObjectForAllSelected(REFIID Riid, void*& Object);
  virtual HRESULT GetUIObjectForItem(REFIID Riid, TListItem* Item, void*& Object);
  // The relative lists of the selected items with shell data, in list order.
  std::vector<LPCITEMIDLIST> SelectedIdLists();

  // ---- Drag and drop
  virtual IDropSource_NRC* CreateIDropSource(int Button);
  void OleBeginDrag(int Button);
  virtual HRESULT OnDropTarget_DragEnter(IDataObject_NRC* Data, DWORD Keys, POINTL Pt, DWORD& Effect);
  virtual HRESULT OnDropTarget_DragOver(DWORD Keys, POINTL Pt, DWORD& Effect);
  virtual HRESULT OnDropTarget_DragLeave();
  virtual HRESULT OnDropTarget_Drop(IDataObject_NRC* Data, DWORD Keys, POINTL Pt, DWORD& Effect);

  // ---- Overridable steps
  virtual bool CanAdd(IShellFolder_NRC* Folder, LPCITEMIDLIST ParentAbs, LPCITEMIDLIST Relative, ULONG Attributes);
  virtual void DeviceChangeDetected(TPTDeviceChangeHandler* Sender, TMessage& Message);
  virtual void FillList(IShellFolder_NRC* Folder, LPCITEMIDLIST FolderIdList);
  virtual void FilterPreApply();
  virtual bool FilterApply(IShellFolder_NRC* Folder, LPCITEMIDLIST Relative, ULONG Attributes);
  virtual void FilterPostApply();

  // ---- State the tests and the linked controls look at
  bool InDragOrMenu() const { return FInDragOrMenu; }
  bool RefreshPending() const { return FRefreshPending; }
  bool SuppressNextNotice() const { return FSuppressNextNotice; }
  TTimer* RefreshTimer() const { return FTimer.get(); }
  TChangeHandlerThread* ChangeThread() const { return FChangeThread.get(); }
  std::string WatchedFolder() const { return FWatched; }
  bool DropTargetRegistered() const { return FDropRegistered; }

  TPTShAddItemEvent OnAddItem;
  TPTShListDeleteItemEvent OnDeleteItem;
  TPTShPopupHintEvent OnPopupHint;
  TPTShDblClickOpenEvent OnDblClickOpen;
  TPTShLvCustomDrawEvent OnCustomDrawSh;
  TPTShLvCustomDrawEvent OnCustomDrawShEx;
  TNotifyEvent OnFillStart;
  TNotifyEvent OnFillComplete;
  TNotifyEvent OnFolderChanged;

  // Refresh delays after a change notice (with and without the input focus).
  static constexpr UINT RefreshDelayFocused = 400;
  static constexpr UINT RefreshDelayUnfocused = 2000;

protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool CanEdit(TListItem* Item) override;
  void Edit(TListItem* Item, std::string& S) override;
  void Delete(TListItem* Item) override;
  void InsertItem(TListItem* Item) override;
  void ColClick(TListColumn* Column) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void ItemContextMenu(TListItem* Item, TPoint Pt, TPopupMenu*& Menu) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void PTCustomDraw(NMLVCUSTOMDRAW* Notification, LRESULT& Result) override;
  virtual void PTCustomDrawSh(TPTCustomDraw* CD, TListItem* Item, TPTShListData* Data);
  virtual void FillStart();
  virtual void FillComplete();
  virtual void FolderChanged();
  virtual void DblClickOpen(bool& Handled);
  virtual void InstallChangeHandler();

private:
  void HandleOnFolderChanged();
  void NavigateTo(LPCITEMIDLIST Absolute);
  bool ShouldInclude(IShellFolder_NRC* Folder, LPCITEMIDLIST Relative, ULONG& Attributes);
  void AddItem(TPTShListData* Data, ULONG Attributes);
  HRESULT AddNewShellItem(IShellFolder_NRC* Folder, LPCITEMIDLIST Relative);
  DWORD EnumFlags() const;
  void ClearItems();
  void GetDispInfo(NMLVDISPINFO& Info);
  void TimerElapsed(TObject* Sender);
  void AMChangeNotify();
  void AMDeferredEdit();
  void RegisterDropTarget(bool On);
  void RememberColumnWidths();
  void ApplyRememberedWidths();
  TListItem* ItemAtScreen(POINTL Pt, TPoint* Client = nullptr);
  IDropTarget_NRC* DropTargetAt(POINTL Pt, DWORD Keys, TListItem*& Item, bool& Refused, bool ForDrop);
  void HighlightDropItem(TListItem* Item);
  void DropAutoscroll(TPoint Client);
  void RunMenu(IShellFolder_NRC* Folder, const std::vector<LPCITEMIDLIST>& Items, TListItem* RenameItem,
               bool CanRename, TPoint Pt, bool Guarded);
  HRESULT RunVerb(const std::vector<LPCITEMIDLIST>& Items, const char* Verb);
  void StartRename(TListItem* Item);

  std::unique_ptr<TPTShellLocator> FFolder;
  TPTShellListOptions FOptions;
  std::string FFileFilter;
  std::unique_ptr<TStringList> FMasks;
  std::unique_ptr<TStringList> FMatched;  // upper-case names that pass the filter, during a fill
  IShellFolder_NRC* FFolderShf = nullptr;
  LPITEMIDLIST FFolderPidl = nullptr;
  IShellDetails* FDetails = nullptr;
  bool FDetailsFetched = false;
  bool FWidthsRemembered = false;
  TPTCustomShellTree* FShellTree = nullptr;
  TPTShellComboLink* FShellCombo = nullptr;
  TComponent* FShellComboComponent = nullptr;
  int FSortColumn = 1;
  std::unique_ptr<TTimer> FTimer;
  std::unique_ptr<TChangeHandlerThread> FChangeThread;
  std::string FWatched;
  TDropTarget_shlv* FDropTarget = nullptr;
  bool FDropRegistered = false;
  IContextMenu_NRC* FOpenMenu = nullptr;
  IDataObject_NRC* FOutData = nullptr;
  IDataObject_NRC* FInData = nullptr;
  DWORD FKeysAtEntry = 0;
  UInt64 FLastScroll = 0;
  TListItem* FDropItem = nullptr;
  bool FInDragOrMenu = false;
  bool FRefreshPending = false;
  bool FSuppressNextNotice = false;
  bool FHandlerSetSort = false;
  bool FDragStartedHere = false;
  int FDragButton = 0;
  bool FCreatingWindow = false;
  bool FDestroyingWindow = false;
  int FFolderChangeNesting = 0;
  // Handed from the fill to InsertItem.
  TPTShListData* FPendingData = nullptr;
  ULONG FPendingAttributes = 0;
  std::string FNewFolderName;
};

// Publishes the shell list's properties and events.
class TPTShellList : public TPTCustomShellList {
  Z_CLASS(TPTShellList, TPTCustomShellList)
public:
  using TPTCustomShellList::TPTCustomShellList;
  static void Publish(TMetaClass& Meta);
};

// The data object of the list's selection: the selected items under the list's folder, with both formats.
class TDataObject_shlv : public TPTShellDataObject {
public:
  // A selection without shell data gives a data object without formats.
  explicit TDataObject_shlv(TPTCustomShellList* List);
};

// ---- Process-wide column memory ------------------------------------------------------------------------------------
// The remembered column widths of every list of the process: {count, then each width}, int32 little-endian.
TMemoryStream* PTShellListColumnMemory();
// The default columns' widths from the registry's "DirectoryCols" value (200, 60, 100, 120 without it).
void PTReadDirectoryCols(int Widths[4], std::string& Bytes);
