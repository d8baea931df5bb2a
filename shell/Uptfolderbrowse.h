// The folder browse dialog: TPTCustomFolderBrowseDlg / TPTFolderBrowseDlg (a TPTDialog) and its window
// TPTFrmFolderBrowseDlg, a resizable modal window with a shell tree, a status line and optional create and delete
// buttons.
#pragma once

#include "platform/controls/Buttons.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "shell/Uptdialogs.h"
#include "shell/Uptframes.h"
#include "shell/Uptshelllocator.h"
#include "shell/Uptshelltree.h"

enum TPTFolderBrowseDlgOption {
  ptfbCreateDeleteButtons,
  ptfbContextMenus,
  ptfbReadOnly,
  ptfbIncludeNonFolders,
  ptfbOleDrag,
  ptfbOleDrop,
  ptfbCreateFolderIcon,
  ptfbDeleteFolderIcon,
  ptfbVirtualFolders,
  ptfbShowHidden
};
using TPTFolderBrowseDlgOptions = TSet<TPTFolderBrowseDlgOption, ptfbShowHidden>;
// The options of a new dialog (value 706).
TPTFolderBrowseDlgOptions PTFolderBrowseDlgDefaultOptions();

// The newly selected folder's absolute id list (valid during the call).
using TPTFolderBrowseSelChangeEvent = std::function<void(TObject* aSender, LPCITEMIDLIST aNewSel)>;

// The dialog's window, made by Execute with the application as owner and freed before Execute returns.
class TPTFrmFolderBrowseDlg : public TForm {
  Z_CLASS(TPTFrmFolderBrowseDlg, TForm)
public:
  explicit TPTFrmFolderBrowseDlg(TComponent* AOwner);
  ~TPTFrmFolderBrowseDlg() override;
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  TSpeedButton* CreateNewFolderBtn = nullptr;
  TSpeedButton* DeleteFolderBtn = nullptr;
  TPTFrame* StatusTxt = nullptr;
  TPTShellTree* PTShellTree1 = nullptr;
  TPanel* ButtonPanel = nullptr;
  TButton* OkBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TButton* CreateBtn = nullptr;
  TButton* DeleteBtn = nullptr;

  TPTFolderBrowseDlgOptions Options() const { return FOptions; }
  void SetOptions(TPTFolderBrowseDlgOptions Value);
  std::string GetSelectedPathname() { return PTShellTree1->GetSelectedPathName(); }
  void SetSelectedPathname(const std::string& Path) { PTShellTree1->SetSelectedPathName(Path); }
  std::string GetStatus() const { return StatusTxt->Caption(); }
  void SetStatus(const std::string& Text) { StatusTxt->SetCaption(Text); }
  bool GetOkEnabled() const { return OkBtn->Enabled(); }
  void SetOkEnabled(bool Value) { OkBtn->SetEnabled(Value); }
  // The size the window has when not minimised or maximised.
  int RestoredWidth() const { return FRestoredWidth; }
  int RestoredHeight() const { return FRestoredHeight; }
  HWND SizeGrip() const { return FSizeGrip; }

  TPTFolderBrowseSelChangeEvent OnSelChange;
  TNotifyEvent OnFormShow;
  TNotifyEvent OnFormClose;

  // The handlers of the layout's controls.
  void PTShellTree1Change(TObject* Sender, TTreeNode* Node);
  void CreateFolderClick(TObject* Sender);
  void DeleteFolderClick(TObject* Sender);
  void DoTranslation();

  static constexpr int MinWidth = 366;
  static constexpr int MinHeight = 340;

protected:
  void CreateWnd() override;
  void Resize() override;

private:
  void FormShow(TObject* Sender);
  void FormHide(TObject* Sender);
  void LayOut();
  TPTFolderBrowseDlgOptions FOptions;
  HWND FSizeGrip = 0;
  int FRestoredWidth = 0;
  int FRestoredHeight = 0;
};

class TPTCustomFolderBrowseDlg : public TPTDialog {
  Z_CLASS(TPTCustomFolderBrowseDlg, TPTDialog)
public:
  explicit TPTCustomFolderBrowseDlg(TComponent* AOwner);
  ~TPTCustomFolderBrowseDlg() override;
  static void Publish(TMetaClass& Meta);

  TPTFolderBrowseDlgOptions Options() const { return FOptions; }
  void SetOptions(TPTFolderBrowseDlgOptions Value);
  // The file-system path of the selected folder (empty for a virtual folder).
  std::string GetSelectedPathName();
  // The selected folder becomes that path (the desktop when it cannot be parsed).
  void SetSelectedPathName(const std::string& Path);
  TPTShellLocator* SelectedFolder() const { return FSelectedFolder.get(); }
  void SetSelectedFolder(TPTShellLocator* Locator);
  TPTShellLocator* BaseFolder() const { return FBaseFolder.get(); }
  void SetBaseFolder(TPTShellLocator* Locator);
  const std::string& GetStatus() const { return FStatus; }
  void SetStatus(const std::string& Text);
  // Only while the window exists, else EInvalidOperation "TPTFolderBrowseDlg form not active".
  bool GetOkEnabled();
  void SetOkEnabled(bool Value);
  void AssertFormActive();
  void AssertFormNotActive();
  TPTFrmFolderBrowseDlg* Form() const { return FForm; }

  TPTShAddItemEvent OnAddItem;
  TPTFolderBrowseSelChangeEvent OnSelChange;
  TPTShTvCustomDrawEvent OnTvCustomDrawSh;
  TPTShTvCustomDrawEvent OnTvCustomDrawShEx;

protected:
  bool DoExecute() override;
  virtual TPTFrmFolderBrowseDlg* CreateForm();
  virtual void InitForm(TPTFrmFolderBrowseDlg* Form);
  virtual void SaveFormSettings(TPTFrmFolderBrowseDlg* Form);

private:
  TPTFolderBrowseDlgOptions FOptions;
  std::unique_ptr<TPTShellLocator> FSelectedFolder;
  std::unique_ptr<TPTShellLocator> FBaseFolder;
  std::string FStatus;
  TPTFrmFolderBrowseDlg* FForm = nullptr;
};

class TPTFolderBrowseDlg : public TPTCustomFolderBrowseDlg {
  Z_CLASS(TPTFolderBrowseDlg, TPTCustomFolderBrowseDlg)
public:
  using TPTCustomFolderBrowseDlg::TPTCustomFolderBrowseDlg;
};
