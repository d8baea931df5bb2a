// TPTCustomShellTree / TPTShellTree: the shell namespace as a folder tree. One root node for the base folder (the
// desktop unless set), its subfolders below, each filled on first expansion; a selected folder that can drive a
// linked shell list or combo box; renaming, new folders, shell commands and context menus; OLE drag and drop; and
// a refresh that follows change notifications and device broadcasts.
#pragma once

#include "platform/controls/ExtCtrls.h"
#include "shell/Uptchangethread.h"
#include "shell/Uptdragdrop.h"
#include "shell/Uptshelldata.h"
#include "shell/Uptshelllocator.h"
#include "shell/Upttreelist.h"

#include <functional>
#include <memory>

enum TPTShellTreeOption {
  ptstoAutoFill, ptstoVirtualFolders, ptstoDesignInteractive, ptstoDefaultKeyHandling, ptstoContextMenus,
  ptstoDynamicRefresh, ptstoIncludeNonFolders, ptstoOleDrag, ptstoOleDrop, ptstoShowHidden
};
using TPTShellTreeOptions = TSet<TPTShellTreeOption, ptstoShowHidden>;
// The options of a new tree (value 955).
TPTShellTreeOptions PTShellTreeDefaultOptions();

inline constexpr UINT AM_CHANGENOTIFY = 0x465;
inline constexpr UINT AM_DEFERREDEDIT = 0x466;
inline constexpr UINT AM_DEFERREDFILL = 0x467;

class TPTCustomShellTree;

// What a linked shell list or combo box offers the tree (the list and combo box implement it).
class TPTShellTreeLink {
public:
  virtual ~TPTShellTreeLink() = default;
  virtual void TreeChanged(TTreeNode* Node) = 0;
  virtual void SetShellTree(TPTCustomShellTree* Tree) = 0;
  virtual void SetFolderFromTree(TPTShellLocator* Folder) = 0;
  virtual void SynchronizeFromTree() {}
  // A list that hides file-system folders while linked to a tree.
  virtual bool HidesFoldersWhenLinked() const { return false; }
  virtual TComponent* LinkComponent() = 0;
};

using TPTShAddItemEvent = std::function<void(TObject* aSender, IShellFolder_NRC* aParentIShf,
                                             LPCITEMIDLIST aParentAbsIdList, LPCITEMIDLIST aItemRelIdList,
                                             int aAttribs, bool& afAllowAdd)>;
using TPTShTreeInsertItemEvent = std::function<void(TObject* aSender, TTreeNode* aNode)>;
using TPTShTreeDeleteItemEvent = std::function<void(TObject* aSender, TTreeNode* aNode, TPTShTreeData* aShTreeData)>;
using TPTShPopupHintEvent = std::function<void(TObject* aSender, const std::string& hint)>;
using TPTShTvCustomDrawEvent =
    std::function<void(TObject* aSender, TPTCustomDraw* aCD, TTreeNode* aNode, TPTShTreeData* aData)>;

class TDataObject_shtv;
using TDropTarget_shtv = TPTControlDropTarget<TPTCustomShellTree>;

class TPTCustomShellTree : public TPTCustomTreeView {
  Z_CLASS(TPTCustomShellTree, TPTCustomTreeView)

public:
  explicit TPTCustomShellTree(TComponent* AOwner);
  ~TPTCustomShellTree() override;
  void BeforeDestruction() override;
  void Dispatch(TMessage& Message) override;

  // ---- Folders and links
  TPTShellLocator* BaseFolder() const { return FBaseFolder.get(); }
  void SetBaseFolder(TPTShellLocator* Locator);
  TPTShellLocator* SelectedFolder() const { return FSelectedFolder.get(); }
  void SetSelectedFolder(TPTShellLocator* Locator);
  void SetSelectedPathName(const std::string& Path);
  std::string GetSelectedPathName();
  TPTShellTreeLink* ShellList() const { return FShellList; }
  void SetShellList(TPTShellTreeLink* List);
  TPTShellTreeLink* ShellCombo() const { return FShellCombo; }
  void SetShellCombo(TPTShellTreeLink* Combo);
  TPTShellTreeOptions Options() const { return FOptions; }
  void SetOptions(TPTShellTreeOptions Value);

  // ---- Nodes
  TPTShTreeData* GetSelectedItem();
  TPTShTreeData* GetShTreeData(int Index);
  TPTShTreeData* GetDataFromNode(TTreeNode* Node);
  bool NodeHasData(TTreeNode* Node);
  TTreeNode* GetFirstRootLevelShellNode();
  TTreeNode* FindNodeWithIdList(TTreeNode* Parent, LPCITEMIDLIST Relative);
  TTreeNode* LastInsertedNode() const { return FLastInserted; }

  // ---- Filling
  void FillItems();
  virtual void FillTree(IShellFolder_NRC* Folder, TTreeNode* Node);
  virtual HRESULT AddNewShellNode(IShellFolder_NRC* Folder, LPCITEMIDLIST ParentAbs, LPCITEMIDLIST Relative,
                                  TTreeNode* ParentNode);
  virtual bool CanAdd(IShellFolder_NRC* Folder, LPCITEMIDLIST ParentAbs, ULONG Attributes, LPCITEMIDLIST Relative);
  void SortNode(TTreeNode* Node);
  void Synchronize(bool All);
  HWND GetParentHWND();
  void InitImageList();

  // ---- Refresh and commands
  void RefreshNodes();
  void GoUp(int Levels);
  bool CreateNewFolder(bool StartRename);
  // A verb name, or a command offset in the pointer's low 16 bits; 1 for a root-level node or a node without
  // shell data.
  HRESULT DoCommandForNode(TTreeNode* Node, const char* Verb);
  void InstallChangeHandlersForAllLocalDrives();
  virtual void DeviceChangeDetected(TPTDeviceChangeHandler* Sender, TMessage& Message);

  // ---- Drag and drop
  virtual IDropSource_NRC* CreateIDropSource(int Button, IDataObject_NRC* Data);
  void OleBeginDrag(int Button);
  DWORD GetDragDropAttributesForNode(TTreeNode* Node);
  virtual HRESULT OnDropTarget_DragEnter(IDataObject_NRC* Data, DWORD Keys, POINTL Pt, DWORD& Effect);
  virtual HRESULT OnDropTarget_DragOver(DWORD Keys, POINTL Pt, DWORD& Effect);
  virtual HRESULT OnDropTarget_DragLeave();
  virtual HRESULT OnDropTarget_Drop(IDataObject_NRC* Data, DWORD Keys, POINTL Pt, DWORD& Effect);
  virtual void DoDropTargetAutoscroll(TPoint Client);

  // ---- State the tests and the linked controls look at
  bool InDragOrMenu() const { return FInDragOrMenu; }
  bool RefreshPending() const { return FRefreshPending; }
  bool IgnoreNextNotice() const { return FIgnoreNextNotice; }
  TChangeHandlerThread* ChangeThread() const { return FChangeThread.get(); }
  // The folders watched for changes (the expanded ones), in slot order.
  const std::vector<std::string>& WatchedFolders() const { return FWatched; }
  TTimer* RefreshTimer() const { return FTimer.get(); }

  TPTShAddItemEvent OnAddItem;
  TPTShTreeInsertItemEvent OnInsertItem;
  TPTShTreeDeleteItemEvent OnDeleteItem;
  TPTShPopupHintEvent OnPopupHint;
  TPTShTvCustomDrawEvent OnCustomDrawSh;
  TPTShTvCustomDrawEvent OnCustomDrawShEx;
  TNotifyEvent OnFillStart;
  TNotifyEvent OnFillComplete;

  // Refresh delays after a change notice (with and without the input focus).
  static constexpr UINT RefreshDelayFocused = 400;
  static constexpr UINT RefreshDelayUnfocused = 2000;

protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void GetImageIndex(TTreeNode* Node) override;
  void GetSelectedIndex(TTreeNode* Node) override;
  bool CanExpand(TTreeNode* Node) override;
  bool CanEdit(TTreeNode* Node) override;
  void Change(TTreeNode* Node) override;
  void Delete(TTreeNode* Node) override;
  void Edit(TTreeNode* Node, std::string& S) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  // The wheel: the class library's events first; over another shell tree or list the step goes there; else the
  // tree scrolls by the system's wheel setting.
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void PTCustomDraw(NMTVCUSTOMDRAW* Notification, LRESULT& Result) override;
  void NodeContextMenu(TTreeNode* Node, TPoint Pt, TPopupMenu*& Menu) override;
  virtual void PTCustomDrawSh(TPTCustomDraw* CD, TTreeNode* Node, TPTShTreeData* Data);
  virtual void DoOnInsertItem(TTreeNode* Node);
  virtual void ExpandNode(TTreeNode* Node);
  virtual void FillStart();
  virtual void FillComplete();
  virtual void ProcessMenu(TTreeNode* Node, TPoint Pt);
  virtual void ProcessSendTo(TTreeNode* Node, int Index);
  // Watches a folder (and with an empty path stops every watch).
  virtual void InstallChangeHandler(const std::string& Path);

private:
  void BaseFolderChanged();
  void SelectedFolderChanged();
  void DoSetSelectedIdList(LPCITEMIDLIST Target);
  void ApplySelection(TTreeNode* Node);
  void TimerElapsed(TObject* Sender);
  void RefreshNode(TTreeNode* Node, TTreeNode*& Remembered);
  void AMChangeNotify(TMessage& Message);
  void RegisterDropTarget(bool On);
  void ApplyDragStyle();
  void BeginDragNotify(NMTREEVIEW* NM, int Button);
  void DeleteAllNodes();
  void DestroyChangeThread();
  TTreeNode* NodeAtScreen(POINTL Pt, TPoint* Client = nullptr);

  std::unique_ptr<TPTShellLocator> FBaseFolder;
  std::unique_ptr<TPTShellLocator> FSelectedFolder;
  TPTShellTreeOptions FOptions;
  TPTShellTreeLink* FShellList = nullptr;
  TPTShellTreeLink* FShellCombo = nullptr;
  std::unique_ptr<TTimer> FTimer;
  std::unique_ptr<TChangeHandlerThread> FChangeThread;
  std::vector<std::string> FWatched;
  int FInternalChange = 0;
  int FShellDialogSuppression = 0;
  bool FApplyNow = false;
  bool FExpansionBlock = false;
  bool FIgnoreNextNotice = false;
  bool FInDragOrMenu = false;
  bool FRefreshPending = false;
  bool FDestroyingWindow = false;
  TTreeNode* FLastInserted = nullptr;
  IContextMenu_NRC* FOpenMenu = nullptr;
  // Drag and drop.
  TTreeNode* FDragNode = nullptr;
  IDataObject_NRC* FOutData = nullptr;
  TDropTarget_shtv* FDropTarget = nullptr;
  bool FDropRegistered = false;
  IDataObject_NRC* FInData = nullptr;
  DWORD FKeysAtEntry = 0;
  UInt64 FLastScrollCheck = 0;
  TPoint FHoverPoint{};
  UInt64 FLastAction = 0;
};

class TPTShellTree : public TPTCustomShellTree {
  Z_CLASS(TPTShellTree, TPTCustomShellTree)
public:
  using TPTCustomShellTree::TPTCustomShellTree;
};

// The data object of a tree node: the node's item under its parent's folder, with both formats.
class TDataObject_shtv : public TPTShellDataObject {
public:
  // A node without shell data (or without a parent node) gives a data object without formats.
  TDataObject_shtv(TPTCustomShellTree* Tree, TTreeNode* Node);
};

// Drag constants: scroll margins, the scroll check interval and the hover box and time.
inline constexpr int PTDragScrollMarginX = 26;
inline constexpr int PTDragScrollMarginY = 20;
inline constexpr UINT PTDragScrollInterval = 100;
struct TPTHoverSettings {
  UINT Time = 400;
  int Width = 2;
  int Height = 2;
};
const TPTHoverSettings& PTHoverSettings();
