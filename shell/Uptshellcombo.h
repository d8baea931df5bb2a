// TPTShellCombo: the drop-down of folders in the open and save dialogs. It shows the desktop, its subfolders,
// the volumes under "Computer" and the chain of folders down to the selected one, each indented by its depth;
// choosing an entry selects that folder and moves a linked shell tree or shell list, whose moves refill it.
#pragma once

#include "shell/Uptimagecombo.h"
#include "shell/Uptshelllinks.h"
#include "shell/Uptshelllocator.h"
#include "shell/Uptshelltree.h"

#include <memory>
#include <vector>

class TPTCustomShellCombo;

// The data of one entry: the folder holding it (a held reference), the holder's absolute list, the entry's item
// inside it and the entry's absolute list (owned copies), and the entry's own folder (bound when first asked).
// The desktop's entry has no item and no absolute list.
class TPTShComboData : public TObject {
  Z_CLASS(TPTShComboData, TObject)
public:
  explicit TPTShComboData(TPTCustomShellCombo* Combo) : FCombo(Combo) {}
  ~TPTShComboData() override;
  TPTShComboData(const TPTShComboData&) = delete;
  TPTShComboData& operator=(const TPTShComboData&) = delete;

  // Takes a reference to ParentFolder and copies both lists.
  void SetData(IShellFolder_NRC* ParentFolder, LPCITEMIDLIST ParentAbs, LPCITEMIDLIST Relative);
  // The entry's own folder (held by the data); raises with the system's message when it cannot be bound.
  IShellFolder_NRC* GetThisIShf();
  IShellFolder_NRC* ParentFolder() const { return FParentFolder; }
  LPCITEMIDLIST ParentAbsPidl() const { return FParentAbs; }
  LPCITEMIDLIST RelPidl() const { return FRelPidl; }
  LPCITEMIDLIST AbsPidl() const { return FAbsPidl; }
  TPTCustomShellCombo* Combo() const { return FCombo; }

private:
  TPTCustomShellCombo* FCombo;
  IShellFolder_NRC* FParentFolder = nullptr;
  LPITEMIDLIST FParentAbs = nullptr;
  LPITEMIDLIST FRelPidl = nullptr;
  LPITEMIDLIST FAbsPidl = nullptr;
  IShellFolder_NRC* FThisFolder = nullptr;
};

enum TPTShellComboOption { ptscoAutofill, ptscoNonFilesystemAncestors };
Z_ENUM_TYPEINFO(TPTShellComboOption, "ptscoAutofill", "ptscoNonFilesystemAncestors")
using TPTShellComboOptions = TSet<TPTShellComboOption, ptscoNonFilesystemAncestors>;

class TPTCustomShellCombo : public TPTCustomImageCombo, public TPTShellTreeLink, public TPTShellComboLink {
  Z_CLASS(TPTCustomShellCombo, TPTCustomImageCombo)

public:
  explicit TPTCustomShellCombo(TComponent* AOwner);
  ~TPTCustomShellCombo() override;
  void Dispatch(TMessage& Message) override;

  // Rebuilds the entries for the selected folder (with a window only).
  void FillItems();
  // Selects the ancestor entry Levels up from the selected entry (the linked control follows).
  void GoUp(int Levels);
  // With Propagate, brings the linked tree and list up to date too (they do not pass it on).
  void Synchronize(bool Propagate);
  TPTShellLocator* GetSelectedFolder() const { return FSelectedFolder.get(); }
  void SetSelectedFolder(TPTShellLocator* Value) { FSelectedFolder->Assign(Value); }
  TPTShComboData* GetShComboData(int Index);

  TPTShellComboOptions Options() const { return FOptions; }
  void SetOptions(TPTShellComboOptions Value) { FOptions = Value; }
  bool AutoDropDownCount() const { return FAutoDropDownCount; }
  void SetAutoDropDownCount(bool Value) { FAutoDropDownCount = Value; }

  // Links: at most one of a tree and a list; linking one while the other is linked is refused.
  TPTCustomShellTree* ShellTree() const { return FShellTree; }
  void SetShellTree(TPTCustomShellTree* Tree) override;
  TPTShellListLink* ShellList() const { return FShellList; }
  void SetShellList(TPTShellListLink* List);
  // The linked list as a component (what a layout names); a component that is no shell list unlinks.
  TComponent* ShellListComponent() const { return FShellList ? FShellList->LinkComponent() : nullptr; }
  void SetShellListComponent(TComponent* Value);

  // ---- What the linked tree calls
  void TreeChanged(TTreeNode* Node) override;
  void SetFolderFromTree(TPTShellLocator* Folder) override;
  void SynchronizeFromTree() override { FillItems(); }
  // ---- What the linked list calls
  void ListUnlinked(TPTShellListLink* List) override;
  TPTShellLocator* ComboSelectedFolder() override { return FSelectedFolder.get(); }
  void ComboGoUp(int Levels) override { GoUp(Levels); }
  void SynchronizeFromLink() override { FillItems(); }
  TComponent* LinkComponent() override { return this; }

  // Filters the entries; true here.
  virtual bool CanAdd(IShellFolder_NRC* Folder, LPCITEMIDLIST ParentAbs, int Level, ULONG Attributes,
                      LPCITEMIDLIST Relative);

protected:
  virtual void SelectedFolderChanged();
  virtual void FillCombo(IShellFolder_NRC* Folder, LPCITEMIDLIST ParentAbs, std::vector<LPITEMIDLIST>* Chain,
                         int Level);
  void GetItemData(TPTImageComboItem* Item) override;
  void DeleteItem(void* Item) override;
  void SelEndOk() override;
  void DropDown() override;
  void Loaded() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  // Adds an entry for Relative (an item of Folder, whose absolute list is ParentAbs) at an indent.
  TPTImageComboItem* AddFolderEntry(IShellFolder_NRC* Folder, LPCITEMIDLIST ParentAbs, LPCITEMIDLIST Relative,
                                    ULONG Attributes, int Indent, bool Selected);
  // The entries of the chain from position Start down to the selected folder, below Folder's item Relative.
  void AddChainBelow(IShellFolder_NRC* Folder, LPCITEMIDLIST Abs, const std::vector<LPITEMIDLIST>& Chain, int Start);
  std::unique_ptr<TCustomImageList> FImages;
  std::unique_ptr<TPTShellLocator> FSelectedFolder;
  TPTShellComboOptions FOptions{ptscoAutofill, ptscoNonFilesystemAncestors};
  bool FAutoDropDownCount = true;
  TPTCustomShellTree* FShellTree = nullptr;
  TPTShellListLink* FShellList = nullptr;
  int FNesting = 0;
};

class TPTShellCombo : public TPTCustomShellCombo {
  Z_CLASS(TPTShellCombo, TPTCustomShellCombo)

public:
  using TPTCustomShellCombo::TPTCustomShellCombo;
  static void Publish(TMetaClass& Meta);
};
