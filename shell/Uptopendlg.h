// TPTFrmOpenDlg: the window of the open and save dialogs: a shell combo, an optional shell tree beside a shell
// list in a splitter, the name box and the file-type box; it turns what the user chose or typed into the list of
// selected files.
#pragma once

#include "platform/controls/Buttons.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"
#include "shell/Uptframes.h"
#include "shell/Uptimagecombo.h"
#include "shell/Uptshellcombo.h"
#include "shell/Uptshelllist.h"
#include "shell/Uptshelltree.h"
#include "shell/Uptsplitter.h"
#include "shell/Upttypednames.h"

// The object of each file-type entry: the entry's masks.
class TFilterItemRec : public TObject {
  Z_CLASS(TFilterItemRec, TObject)
public:
  explicit TFilterItemRec(std::string AMasks) : Masks(std::move(AMasks)) {}
  std::string Masks;
};

// Made by TPTFileDlg::Execute with the application as owner, run modally and freed before Execute returns.
class TPTFrmOpenDlg : public TForm, private TPTTypedNameHost {
  Z_CLASS(TPTFrmOpenDlg, TForm)
public:
  explicit TPTFrmOpenDlg(TComponent* AOwner);
  ~TPTFrmOpenDlg() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  static void Publish(TMetaClass& Meta);

  TLabel* LookInTxt = nullptr;
  TPTShellCombo* PTShellCombo1 = nullptr;
  TSpeedButton* UpOneLevelBtn = nullptr;
  TSpeedButton* ShowDesktopBtn = nullptr;
  TSpeedButton* CreateNewFolderBtn = nullptr;
  TSpeedButton* ShowTreeBtn = nullptr;
  TSpeedButton* ViewBtn = nullptr;
  TPTGroup* SplitterContainer = nullptr;
  TPTSplitter* PTSplitter1 = nullptr;
  TPTPane* PTSplitter1_pane1 = nullptr;
  TPTPane* PTSplitter1_pane2 = nullptr;
  TPTShellTree* PTShellTree1 = nullptr;
  TPTShellList* PTShellList1 = nullptr;
  TPanel* Panel1 = nullptr;
  TLabel* FileNameTxt = nullptr;
  TEdit* FileNameEdt = nullptr;
  TComboBox* FileNameCbx = nullptr;
  TLabel* FilesOfTypeTxt = nullptr;
  TPTCombobox* FileTypesCbx = nullptr;
  TButton* OpenBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TCheckBox* ReadOnlyChk = nullptr;
  TButton* HelpBtn = nullptr;
  TPopupMenu* LvPopup = nullptr;
  TMenuItem* ViewMenu = nullptr;
  TMenuItem* LargeIconsItem = nullptr;
  TMenuItem* SmallIconsItem = nullptr;
  TMenuItem* ListItem = nullptr;
  TMenuItem* DetailsItem = nullptr;
  TMenuItem* PasteItem = nullptr;
  TMenuItem* NewMenu = nullptr;
  TMenuItem* NewFolderItem = nullptr;
  TMenuItem* PropertiesItem = nullptr;
  TPopupMenu* ViewPopupMenu = nullptr;
  TMenuItem* LargeIconsItem2 = nullptr;
  TMenuItem* SmallIconsItem2 = nullptr;
  TMenuItem* ListItem2 = nullptr;
  TMenuItem* DetailsItem2 = nullptr;

  // ---- What the dialog component sets and reads
  TPTOpenOptions Options() const { return FOptions; }
  void SetOptions(TPTOpenOptions Value);
  // The name box's text while showing, else the first selected file.
  std::string GetFilename();
  void SetFilename(const std::string& Name);
  void GetFiles(TStrings* List) { GetSelectedFiles(List); }
  void GetSelectedFiles(TStrings* List);
  // Adds one type entry per description and masks pair of the text ("Web pages|*.htm;*.html|All|*").
  void SetFilter(const std::string& Text);
  // 1-based; 0 with no types.
  int GetFilterIndex();
  void SetFilterIndex(int Index);
  // Keeps the text and moves the list to that folder at once.
  void SetInitialDir(const std::string& Dir);
  void SetDefaultExt(const std::string& Ext) { FDefaultExt = Ext; }
  int GetFormSplitterPos();
  void SetFormSplitterPos(int Position);
  void ShowTree(bool Show);
  // Keeps the mask as the user filter, filters the list by it and refills it.
  void ApplyUserFilter(const std::string& Mask);
  // Turns the text into the selected files (the typed-name rules); true when every name was accepted.
  bool ParseInputString(const std::string& Text);
  // Sets the list's view style from the sender's tag (0 large icons ... 3 details) and checks the view items.
  void ViewBtnClick(TObject* Sender);
  // The size the window has when not minimised or maximised.
  int RestoredWidth() const { return FRestoredWidth; }
  int RestoredHeight() const { return FRestoredHeight; }
  const std::string& UserFilter() const { return FUserFilter; }
  bool NameFromSelectionFlag() const { return FNameFromSelection; }
  HWND SizeGrip() const { return FSizeGrip; }

  // ---- Events handed to the list and the tree
  TPTShAddItemEvent GetOnAddListItem() const;
  void SetOnAddListItem(TPTShAddItemEvent Value);
  TPTShAddItemEvent GetOnAddTreeItem() const;
  void SetOnAddTreeItem(TPTShAddItemEvent Value);
  void SetOnLvCustomDrawSh(TPTShLvCustomDrawEvent Value);
  void SetOnLvCustomDrawShEx(TPTShLvCustomDrawEvent Value);
  void SetOnTvCustomDrawSh(TPTShTvCustomDrawEvent Value);
  void SetOnTvCustomDrawShEx(TPTShTvCustomDrawEvent Value);

  TNotifyEvent OnFormShow;
  TNotifyEvent OnFormClose;
  TNotifyEvent OnTypeChanged;
  TNotifyEvent OnFolderChanged;
  TNotifyEvent OnSelectionChanged;
  TNotifyEvent OnHelp;
  int HelpContextValue() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }

  static constexpr int MinWidth = 459;
  static constexpr int MinHeight = 274;
  static constexpr UINT AM_VIEWMENU = 0x466;

protected:
  void CreateWnd() override;
  void Resize() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void Dispatch(TMessage& Message) override;
  virtual void DoOnFormClose();
  virtual void DoOnFolderChanged();
  virtual void DoOnSelectionChanged();
  virtual void DoOnFormShow();
  virtual void DoOnTypeChanged();
  virtual void DoTranslation();

private:
  // TPTTypedNameHost
  std::string CurrentFolder() override;
  bool IsShellFolder(const std::string& Path) override;
  void OpenFolder(const std::string& Path) override;
  void MoveToFolder(const std::string& Folder) override;
  bool NameFromSelection(std::string& Path) override;
  int FindListItems(const std::string& Name, std::string& FirstPath) override;
  void FocusFirstListItem(const std::string& Name) override;
  int Ask(TPTTypedNameMessage Kind, const std::string& Text) override;

  void FormShow(TObject* Sender);
  void FormHide(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FileTypesCbxSelEndOk(TObject* Sender);
  void ListSelectionChanged();
  void LayOut();
  void AlignLabels();
  void ApplyType(int Index);
  void SetFolderPath(const std::string& Path);
  TListItem* FindItem(const std::string& Name, bool& Ambiguous);
  void ClearTypes();

  TPTOpenOptions FOptions;
  std::string FFilter;
  std::string FInitialDir;
  std::string FDefaultExt;
  std::string FUserFilter;
  std::vector<std::string> FSelectedFiles;
  bool FShowing = false;
  bool FNameFromSelection = false;
  bool FSettingName = false;
  HWND FSizeGrip = 0;
  int FRestoredWidth = 0;
  int FRestoredHeight = 0;
  int FHelpContext = 0;
  int FFormSplitterPos = -1;
};
