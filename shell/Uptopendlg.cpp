// The open and save window.
#include "shell/Uptopendlg.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/NativeControls.h"
#include "platform/win/ShlObj.h"
#include "platform/win/VirtualKeys.h"
#include "shell/Uptdialogs.h"
#include "shell/Uptdlgglyphs.h"
#include "shell/Uptshelldata.h"

namespace {

constexpr int GripSize = 13;
constexpr UINT CB_SETEXTENDEDUI_MSG = 0x0155;

void RegisterLayoutClasses() {
  RegisterClasses({TLabel::StaticClass(), TPTShellCombo::StaticClass(), TSpeedButton::StaticClass(),
                   TPTGroup::StaticClass(), TPTSplitter::StaticClass(), TPTPane::StaticClass(),
                   TPTShellTree::StaticClass(), TPTShellList::StaticClass(), TPanel::StaticClass(),
                   TEdit::StaticClass(), TComboBox::StaticClass(), TPTCombobox::StaticClass(), TButton::StaticClass(),
                   TCheckBox::StaticClass(), TPopupMenu::StaticClass(), TMenuItem::StaticClass()});
}

std::string WithoutTrailingSlash(std::string Path) {
  while (Path.size() > 1 && Path.back() == '/') {
    Path.pop_back();
  }
  return Path;
}

}  // namespace

Z_IMPLEMENT_CLASS(TFilterItemRec, TObject)
Z_IMPLEMENT_CLASS_PUBLISHED(TPTFrmOpenDlg, TForm, TPTFrmOpenDlg::Publish)

void TPTFrmOpenDlg::Publish(TMetaClass& Meta) {
  TPublisher<TPTFrmOpenDlg> P(Meta);
  using F = TPTFrmOpenDlg;
  P.Field("LookInTxt", &F::LookInTxt);
  P.Field("PTShellCombo1", &F::PTShellCombo1);
  P.Field("UpOneLevelBtn", &F::UpOneLevelBtn);
  P.Field("ShowDesktopBtn", &F::ShowDesktopBtn);
  P.Field("CreateNewFolderBtn", &F::CreateNewFolderBtn);
  P.Field("ShowTreeBtn", &F::ShowTreeBtn);
  P.Field("ViewBtn", &F::ViewBtn);
  P.Field("SplitterContainer", &F::SplitterContainer);
  P.Field("PTSplitter1", &F::PTSplitter1);
  P.Field("PTSplitter1_pane1", &F::PTSplitter1_pane1);
  P.Field("PTSplitter1_pane2", &F::PTSplitter1_pane2);
  P.Field("PTShellTree1", &F::PTShellTree1);
  P.Field("PTShellList1", &F::PTShellList1);
  P.Field("Panel1", &F::Panel1);
  P.Field("FileNameTxt", &F::FileNameTxt);
  P.Field("FileNameEdt", &F::FileNameEdt);
  P.Field("FileNameCbx", &F::FileNameCbx);
  P.Field("FilesOfTypeTxt", &F::FilesOfTypeTxt);
  P.Field("FileTypesCbx", &F::FileTypesCbx);
  P.Field("OpenBtn", &F::OpenBtn);
  P.Field("CancelBtn", &F::CancelBtn);
  P.Field("ReadOnlyChk", &F::ReadOnlyChk);
  P.Field("HelpBtn", &F::HelpBtn);
  P.Field("LvPopup", &F::LvPopup);
  P.Field("ViewMenu", &F::ViewMenu);
  P.Field("LargeIconsItem", &F::LargeIconsItem);
  P.Field("SmallIconsItem", &F::SmallIconsItem);
  P.Field("ListItem", &F::ListItem);
  P.Field("DetailsItem", &F::DetailsItem);
  P.Field("PasteItem", &F::PasteItem);
  P.Field("NewMenu", &F::NewMenu);
  P.Field("NewFolderItem", &F::NewFolderItem);
  P.Field("PropertiesItem", &F::PropertiesItem);
  P.Field("ViewPopupMenu", &F::ViewPopupMenu);
  P.Field("LargeIconsItem2", &F::LargeIconsItem2);
  P.Field("SmallIconsItem2", &F::SmallIconsItem2);
  P.Field("ListItem2", &F::ListItem2);
  P.Field("DetailsItem2", &F::DetailsItem2);
}

TPTFrmOpenDlg::TPTFrmOpenDlg(TComponent* AOwner)
    : TForm((RegisterLayoutClasses(), AOwner)), FOptions(PTFileDlgDefaultOptions()) {}

TPTFrmOpenDlg::~TPTFrmOpenDlg() = default;

void TPTFrmOpenDlg::BeforeDestruction() {
  ClearTypes();
  TForm::BeforeDestruction();
}

void TPTFrmOpenDlg::AfterConstruction() {
  TForm::AfterConstruction();
  KeyPreview = true;
  Constraints()->SetMinWidth(MinWidth);
  Constraints()->SetMinHeight(MinHeight);

  PTShellTree1->SetOptions(
      TPTShellTreeOptions{ptstoAutoFill, ptstoDefaultKeyHandling, ptstoContextMenus, ptstoDynamicRefresh});
  PTShellTree1->SetHideSelection(false);
  PTShellTree1->SetIndent(19);
  PTShellTree1->DragMode = dmAutomatic;
  PTShellList1->SetOptions(
      TPTShellListOptions{ptsloAutoFill, ptsloDefaultKeyHandling, ptsloContextMenus, ptsloDynamicRefresh});
  PTShellList1->SetViewStyle(vsList);
  PTShellList1->SetPopupMenu(LvPopup);
  PTShellCombo1->SetOptions(TPTShellComboOptions{ptscoAutofill});
  PTShellCombo1->DropDownCount = 16;
  PTShellCombo1->SetShellList(PTShellList1);
  FileTypesCbx->SetStyle(csDropDownList);
  PTSplitter1->SetColor(clBtnFace);
  LookInTxt->SetFocusControl(PTShellCombo1);
  FileNameTxt->SetFocusControl(FileNameEdt);
  FilesOfTypeTxt->SetFocusControl(FileTypesCbx);

  UpOneLevelBtn->OnClick = [this](TObject*) { PTShellList1->GoUp(1); };  // the linked combo or tree goes up
  ShowDesktopBtn->OnClick = [this](TObject*) { PTShellList1->Folder()->SetCSIDL(csidlDesktop); };
  auto NewFolder = [this](TObject*) {
    if (PTShellTree1->Focused() ||
        (FOptions.Contains(ptofShowTree) && FOptions.Contains(ptofHideFoldersInListWhenTreeVisible))) {
      PTShellTree1->CreateNewFolder(true);
    } else {
      PTShellList1->CreateNewFolder(true);
    }
  };
  CreateNewFolderBtn->OnClick = NewFolder;
  NewFolderItem->SetOnClick(NewFolder);
  ShowTreeBtn->OnClick = [this](TObject*) { ShowTree(ShowTreeBtn->Down()); };
  ViewBtn->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, int, int) {
    if (Button == mbLeft) {
      TPoint P = ViewBtn->ClientToScreen(TPoint{0, ViewBtn->Height()});
      PostMessage(Handle(), AM_VIEWMENU, 0, static_cast<LPARAM>((P.X & 0xFFFF) | ((P.Y & 0xFFFF) << 16)));
    }
  };
  for (TMenuItem* Item : {LargeIconsItem, SmallIconsItem, ListItem, DetailsItem, LargeIconsItem2, SmallIconsItem2,
                          ListItem2, DetailsItem2}) {
    Item->SetOnClick([this](TObject* Sender) { ViewBtnClick(Sender); });
  }
  PasteItem->SetOnClick([this](TObject*) { PTShellList1->DoCommandForFolder("paste"); });
  PropertiesItem->SetOnClick([this](TObject*) { PTShellList1->DoCommandForFolder("properties"); });
  HelpBtn->OnClick = [this](TObject*) { Application->HelpContext(FHelpContext); };
  ReadOnlyChk->OnClick = [this](TObject*) {
    if (ReadOnlyChk->Checked()) {
      FOptions.Include(ptofReadOnly);
    } else {
      FOptions.Exclude(ptofReadOnly);
    }
  };
  FileTypesCbx->OnSelEndOk = [this](TObject* Sender) { FileTypesCbxSelEndOk(Sender); };
  FileNameEdt->OnChange = [this](TObject*) {
    if (FShowing && !FSettingName) {
      FNameFromSelection = false;
    }
  };
  PTShellList1->OnChange = [this](TObject*, TListItem*, TItemChange) { ListSelectionChanged(); };
  PTShellList1->OnFolderChanged = [this](TObject*) {
    if (FShowing) {
      DoOnFolderChanged();
    }
  };
  PTShellList1->OnDblClickOpen = [this](TObject*, bool& Handled) {
    ModalResult = mrOk;
    Handled = true;
  };
  PTShellTree1->OnChange = [this](TObject*, TTreeNode*) {
    if (FShowing) {
      FileNameEdt->SetText("");
    }
  };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnHide = [this](TObject* Sender) { FormHide(Sender); };
  OnCloseQuery = [this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };
  OnClose = [this](TObject*, TCloseAction&) {
    if (!FOptions.Contains(ptofNoChangeDir)) {
      const std::string Path = PTShellList1->Folder()->GetPathName();
      if (!Path.empty()) {
        SetCurrentDirectory(Path.c_str());  // failures are of no concern to the user here
      }
    }
  };
  FRestoredWidth = Width();
  FRestoredHeight = Height();
  // The tree pane starts hidden; ShowTree brings it.
  ShowTree(false);
  SetOptions(FOptions);
}

void TPTFrmOpenDlg::CreateWnd() {
  TForm::CreateWnd();
  const TRect R = ClientRect();
  FSizeGrip = CreateWindowEx(0, WC_SCROLLBAR, "", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, R.Right - GripSize,
                             R.Bottom - GripSize, GripSize, GripSize, Handle(), 0, 0, nullptr);
  LayOut();
}

void TPTFrmOpenDlg::Resize() {
  TForm::Resize();
  if (WindowState() == wsNormal) {
    FRestoredWidth = Width();
    FRestoredHeight = Height();
  }
  LayOut();
}

void TPTFrmOpenDlg::LayOut() {
  if (!Panel1 || !HandleAllocated()) {
    return;
  }
  const int W = ClientWidth();
  const int Top = PTShellCombo1->Top() + PTShellCombo1->Height() + 4;
  SplitterContainer->SetBounds(4, Top, std::max(0, W - 8), std::max(0, Panel1->Top() - Top));
  for (TButton* B : {OpenBtn, CancelBtn, HelpBtn}) {
    B->SetLeft(W - B->Width() - 16);
  }
  const int Right = OpenBtn->Left() - 8;
  for (TWinControl* C : std::initializer_list<TWinControl*>{FileNameEdt, FileNameCbx, FileTypesCbx}) {
    C->SetWidth(std::max(0, Right - C->Left()));
  }
  if (FSizeGrip) {
    const TRect R = ClientRect();
    MoveWindow(FSizeGrip, R.Right - GripSize, R.Bottom - GripSize, GripSize, GripSize, TRUE);
    SetWindowPos(FSizeGrip, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// ---- Options and properties -------------------------------------------------------------------------------------------

void TPTFrmOpenDlg::SetOptions(TPTOpenOptions Value) {
  FOptions = Value;
  TPTShellListOptions L = PTShellList1->Options();
  auto MapList = [&](TPTOpenOption From, TPTShellListOption To) {
    if (Value.Contains(From)) {
      L.Include(To);
    } else {
      L.Exclude(To);
    }
  };
  MapList(ptofOleDrag, ptsloOleDrag);
  MapList(ptofOleDrop, ptsloOleDrop);
  MapList(ptofShowHidden, ptsloShowHidden);
  MapList(ptofHideFoldersInListWhenTreeVisible, ptsloHideFoldersWhenLinkedToTree);
  PTShellList1->SetOptions(L);
  TPTShellTreeOptions T = PTShellTree1->Options();
  auto MapTree = [&](TPTOpenOption From, TPTShellTreeOption To) {
    if (Value.Contains(From)) {
      T.Include(To);
    } else {
      T.Exclude(To);
    }
  };
  MapTree(ptofOleDrag, ptstoOleDrag);
  MapTree(ptofOleDrop, ptstoOleDrop);
  MapTree(ptofShowHidden, ptstoShowHidden);
  PTShellTree1->SetOptions(T);
  PTShellList1->SetMultiSelect(Value.Contains(ptofAllowMultiselect));
  ReadOnlyChk->SetVisible(!Value.Contains(ptofHideReadOnly));
  HelpBtn->SetVisible(Value.Contains(ptofShowHelp));
  SetShowHint(Value.Contains(ptofShowHints));
}

std::string TPTFrmOpenDlg::GetFilename() {
  if (FShowing) {
    return FileNameEdt->Text();
  }
  return FSelectedFiles.empty() ? std::string() : FSelectedFiles.front();
}

void TPTFrmOpenDlg::SetFilename(const std::string& Name) {
  FSettingName = true;
  FileNameEdt->SetText(Name);
  FSettingName = false;
}

void TPTFrmOpenDlg::GetSelectedFiles(TStrings* List) {
  List->Clear();
  for (const std::string& F : FSelectedFiles) {
    List->Add(F);
  }
}

void TPTFrmOpenDlg::ClearTypes() {
  if (!FileTypesCbx) {
    return;
  }
  TStrings* Items = FileTypesCbx->Items();
  for (int I = 0; I < Items->Count(); ++I) {
    delete Items->Objects(I);
    Items->SetObjects(I, nullptr);
  }
}

void TPTFrmOpenDlg::SetFilter(const std::string& Text) {
  FFilter = Text;
  if (Text.empty()) {
    return;
  }
  std::vector<std::string> Parts;
  std::size_t Start = 0;
  while (true) {
    const std::size_t Bar = Text.find('|', Start);
    Parts.push_back(Text.substr(Start, Bar == std::string::npos ? std::string::npos : Bar - Start));
    if (Bar == std::string::npos) {
      break;
    }
    Start = Bar + 1;
  }
  for (std::size_t I = 0; I < Parts.size(); I += 2) {
    const std::string Masks = I + 1 < Parts.size() ? Parts[I + 1] : std::string();
    FileTypesCbx->Items()->AddObject(Parts[I], new TFilterItemRec(Masks));
  }
}

int TPTFrmOpenDlg::GetFilterIndex() {
  if (FileTypesCbx->Items()->Count() == 0) {
    return 0;
  }
  return FileTypesCbx->ItemIndex() + 1;
}

void TPTFrmOpenDlg::SetFilterIndex(int Index) {
  const int Count = FileTypesCbx->Items()->Count();
  if (Count == 0) {
    return;
  }
  if (Index >= 1 && Index <= Count) {
    FileTypesCbx->SetItemIndex(Index - 1);
    FileTypesCbxSelEndOk(FileTypesCbx);
  } else {
    FileTypesCbx->SetItemIndex(0);
  }
}

void TPTFrmOpenDlg::FileTypesCbxSelEndOk(TObject*) {
  if (!FUserFilter.empty()) {
    SetFilename("");
  }
  FUserFilter.clear();
  const int Index = FileTypesCbx->ItemIndex();
  if (Index >= 0) {
    auto* Rec = dynamic_cast<TFilterItemRec*>(FileTypesCbx->Items()->Objects(Index));
    PTShellList1->SetFileFilter(Rec ? Rec->Masks : std::string());
  }
  if (FShowing) {
    DoOnTypeChanged();
  }
}

void TPTFrmOpenDlg::SetInitialDir(const std::string& Dir) {
  FInitialDir = Dir;
  if (!Dir.empty()) {
    PTShellList1->Folder()->SetPathName(Dir);
  }
}

int TPTFrmOpenDlg::GetFormSplitterPos() {
  return FOptions.Contains(ptofShowTree) ? PTSplitter1->Position() : FFormSplitterPos;
}

void TPTFrmOpenDlg::SetFormSplitterPos(int Position) {
  FFormSplitterPos = Position;
  if (FOptions.Contains(ptofShowTree) && Position >= 0) {
    PTSplitter1->SetPosition(Position);
  }
}

// ---- Events handed to the list and tree ------------------------------------------------------------------------------

TPTShAddItemEvent TPTFrmOpenDlg::GetOnAddListItem() const { return PTShellList1->OnAddItem; }
void TPTFrmOpenDlg::SetOnAddListItem(TPTShAddItemEvent Value) { PTShellList1->OnAddItem = std::move(Value); }
TPTShAddItemEvent TPTFrmOpenDlg::GetOnAddTreeItem() const { return PTShellTree1->OnAddItem; }
void TPTFrmOpenDlg::SetOnAddTreeItem(TPTShAddItemEvent Value) { PTShellTree1->OnAddItem = std::move(Value); }
void TPTFrmOpenDlg::SetOnLvCustomDrawSh(TPTShLvCustomDrawEvent Value) {
  PTShellList1->OnCustomDrawSh = std::move(Value);
}
void TPTFrmOpenDlg::SetOnLvCustomDrawShEx(TPTShLvCustomDrawEvent Value) {
  PTShellList1->OnCustomDrawShEx = std::move(Value);
}
void TPTFrmOpenDlg::SetOnTvCustomDrawSh(TPTShTvCustomDrawEvent Value) {
  PTShellTree1->OnCustomDrawSh = std::move(Value);
}
void TPTFrmOpenDlg::SetOnTvCustomDrawShEx(TPTShTvCustomDrawEvent Value) {
  PTShellTree1->OnCustomDrawShEx = std::move(Value);
}

void TPTFrmOpenDlg::DoOnFormClose() {
  if (OnFormClose) {
    OnFormClose(this);
  }
}

void TPTFrmOpenDlg::DoOnFolderChanged() {
  if (OnFolderChanged) {
    OnFolderChanged(this);
  }
}

void TPTFrmOpenDlg::DoOnSelectionChanged() {
  if (OnSelectionChanged) {
    OnSelectionChanged(this);
  }
}

void TPTFrmOpenDlg::DoOnFormShow() {
  if (OnFormShow) {
    OnFormShow(this);
  }
}

void TPTFrmOpenDlg::DoOnTypeChanged() {
  if (OnTypeChanged) {
    OnTypeChanged(this);
  }
}

// ---- Showing and hiding ---------------------------------------------------------------------------------------------------

void TPTFrmOpenDlg::DoTranslation() {
  CancelBtn->SetCaption("Cancel");
  HelpBtn->SetCaption("&Help");
  UpOneLevelBtn->Hint = "Up One Level";
  CreateNewFolderBtn->Hint = "Create New Folder";
  ShowTreeBtn->Hint = "Show Tree (F12)";
  const char* ViewHint = "Contains commands for customizing this window.";
  ViewBtn->Hint = ViewHint;
  ViewMenu->SetHint(ViewHint);
  ReadOnlyChk->SetCaption("Open as &read-only");
  FileNameTxt->SetCaption("File &name:");
  ViewMenu->SetCaption("&View");
  struct TViewText {
    const char* Caption;
    const char* Hint;
  };
  const TViewText Texts[] = {{"Lar&ge Icons", "Displays items by using large icons."},
                             {"S&mall Icons", "Displays items by using small icons."},
                             {"&List", "Displays items in a list."},
                             {"&Details", "Displays information about each item in the window."}};
  TMenuItem* Menu1[] = {LargeIconsItem, SmallIconsItem, ListItem, DetailsItem};
  TMenuItem* Menu2[] = {LargeIconsItem2, SmallIconsItem2, ListItem2, DetailsItem2};
  for (int I = 0; I < 4; ++I) {
    for (TMenuItem* Item : {Menu1[I], Menu2[I]}) {
      Item->SetCaption(Texts[I].Caption);
      Item->SetHint(Texts[I].Hint);
    }
  }
  PasteItem->SetCaption("&Paste");
  PasteItem->SetHint("Inserts the items you have copied or cut into the selected location.");
  NewMenu->SetCaption("Ne&w");
  NewMenu->SetHint("Contains commands for creating new items.");
  NewFolderItem->SetCaption("&Folder");
  NewFolderItem->SetHint("Creates a new, empty folder.");
  PropertiesItem->SetCaption("P&roperties");
  PropertiesItem->SetHint("Displays the properties of the selected items.");
}

void TPTFrmOpenDlg::AlignLabels() {
  auto Start = [](TControl* C, int Left) {
    const int Right = C->Left() + C->Width();
    C->SetBounds(Left, C->Top(), std::max(0, Right - Left), C->Height());
  };
  const int Bottom =
      std::max(FileNameTxt->Left() + FileNameTxt->Width(), FilesOfTypeTxt->Left() + FilesOfTypeTxt->Width());
  for (TControl* C : std::initializer_list<TControl*>{FileNameEdt, FileNameCbx, FileTypesCbx, ReadOnlyChk}) {
    Start(C, Bottom + 8);
  }
  Start(PTShellCombo1, LookInTxt->Left() + LookInTxt->Width() + 8);
}

void TPTFrmOpenDlg::FormShow(TObject*) {
  TPTBusyCursor Busy;
  Font()->SetName("MS Sans Serif");
  SendMessage(FileTypesCbx->Handle(), CB_SETEXTENDEDUI_MSG, TRUE, 0);
  if (!FOptions.Contains(ptofAllowTree)) {
    ShowTreeBtn->SetVisible(false);
    ViewBtn->SetLeft(ShowTreeBtn->Left());
  }
  int Lowest = 0;
  for (int I = 0; I < Panel1->ControlCount(); ++I) {
    TControl* C = Panel1->Controls(I);
    if (C->Visible()) {
      Lowest = std::max(Lowest, C->Top() + C->Height());
    }
  }
  Panel1->SetHeight(Lowest + 4);
  // The read-only box starts unchecked and its option tells how it ended, never how an earlier run left it.
  ReadOnlyChk->SetChecked(false);
  FOptions.Exclude(ptofReadOnly);
  PTSetDialogGlyph(UpOneLevelBtn, TPTDialogGlyph::UpOneLevel);
  PTSetDialogGlyph(ShowDesktopBtn, TPTDialogGlyph::Desktop);
  PTSetDialogGlyph(CreateNewFolderBtn, TPTDialogGlyph::NewFolder);
  PTSetDialogGlyph(ShowTreeBtn, TPTDialogGlyph::Tree);
  PTSetDialogGlyph(ViewBtn, TPTDialogGlyph::View);
  DoTranslation();
  AlignLabels();
  if (FOptions.Contains(ptofShowTree)) {
    ShowTree(true);
  }
  std::string Folder = FInitialDir;
  if (Folder.empty()) {
    const std::string Name = FileNameEdt->Text();
    const std::size_t Slash = Name.rfind('/');
    if (Slash != std::string::npos) {
      Folder = Slash == 0 ? std::string("/") : Name.substr(0, Slash);
      if (Slash + 1 < Name.size()) {
        SetFilename(Name.substr(Slash + 1));
      }
    }
  }
  if (Folder.empty()) {
    Folder = GetCurrentDir();
  }
  PTShellList1->Folder()->SetPathName(Folder);  // the linked combo or tree follows
  LayOut();
  FNameFromSelection = true;
  FShowing = true;
  DoOnFormShow();
}

void TPTFrmOpenDlg::FormHide(TObject*) {
  FShowing = false;
  DoOnFormClose();
}

// ---- Name box and list selection ---------------------------------------------------------------------------------------

void TPTFrmOpenDlg::ListSelectionChanged() {
  if (!FShowing) {
    return;
  }
  std::vector<std::string> Names;
  TListItems* Items = PTShellList1->Items();
  TListItem* First = PTShellList1->Selected();
  const bool Several = PTShellList1->SelCount() > 1;
  for (int I = First ? First->Index() : Items->Count(); I < Items->Count(); ++I) {
    TListItem* Item = Items->Item(I);
    if (!Item->Selected() || !PTShellList1->ItemHasData(Item)) {
      continue;
    }
    TPTShListData* Data = PTShellList1->GetDataFromItem(Item);
    if (Data->GetAttributes() & SFGAO_FOLDER) {
      continue;
    }
    Names.push_back(Data->GetDisplayName());
    if (!Several) {
      break;
    }
  }
  if (Names.size() >= 2) {
    std::string Text;
    for (const std::string& N : Names) {
      Text += (Text.empty() ? "\"" : " \"") + N + "\"";
    }
    SetFilename(Text);
  } else if (Names.size() == 1) {
    SetFilename(Names.front());
  }
  FNameFromSelection = true;
  DoOnSelectionChanged();
}

void TPTFrmOpenDlg::ViewBtnClick(TObject* Sender) {
  auto* C = dynamic_cast<TComponent*>(Sender);
  const NativeInt Tag = C ? C->Tag() : -1;
  if (Tag < 0 || Tag > 3) {
    return;
  }
  PTShellList1->SetViewStyle(static_cast<TViewStyle>(Tag));
  for (TMenuItem* Item : {LargeIconsItem, SmallIconsItem, ListItem, DetailsItem, LargeIconsItem2, SmallIconsItem2,
                          ListItem2, DetailsItem2}) {
    Item->SetChecked(Item->Tag() == Tag);
  }
}

// ---- Tree pane ---------------------------------------------------------------------------------------------------------

void TPTFrmOpenDlg::ShowTree(bool Show) {
  const int Bar = PTSplitter1->SplitterWidth();
  if (Show) {
    const bool Linked = PTShellTree1->ShellList() != nullptr;
    if (Linked && PTSplitter1->Position() > -Bar) {
      return;
    }
    ShowTreeBtn->SetDown(true);
    try {
      if (!Linked) {
        TPTBusyCursor Busy;
        PTShellTree1->SetSelectedFolder(PTShellList1->Folder());
        PTShellCombo1->SetShellList(nullptr);
        PTShellCombo1->SetShellTree(PTShellTree1);
        PTShellTree1->SetShellList(PTShellList1);
        PTSplitter1->SetPane1MinSize(4);
      }
      PTSplitter1->SetPosition(FFormSplitterPos >= 0 ? FFormSplitterPos : 200);
    } catch (...) {
      ShowTreeBtn->SetDown(false);
      throw;
    }
    FOptions.Include(ptofShowTree);
    PTShellTree1->TabStop = true;
  } else {
    ShowTreeBtn->SetDown(false);
    if (PTShellTree1->Focused() && PTShellList1->CanFocus()) {
      PTShellList1->SetFocus();
    }
    PTShellTree1->TabStop = false;
    if (PTShellTree1->ShellList()) {
      PTShellTree1->SetShellList(nullptr);
    }
    if (PTShellCombo1->ShellTree()) {
      PTShellCombo1->SetShellTree(nullptr);
    }
    PTShellCombo1->SetShellList(PTShellList1);
    PTSplitter1->SetPane1MinSize(-Bar);
    PTSplitter1->SetPosition(-Bar);
    FFormSplitterPos = -Bar;
    FOptions.Exclude(ptofShowTree);
  }
  if (PTShellList1->Visible() && PTShellList1->HandleAllocated()) {
    PTShellList1->FillItems();
  }
}

// ---- Keys and messages -----------------------------------------------------------------------------------------------

void TPTFrmOpenDlg::KeyDown(Word& Key, TShiftState Shift) {
  TForm::KeyDown(Key, Shift);
  if (!Shift.Empty()) {
    return;
  }
  switch (Key) {
    case VK_F4:
      if (PTShellCombo1->DroppedDown()) {
        PTShellCombo1->SetDroppedDown(false);
        PTShellList1->SetFocus();
        const int Index = PTShellCombo1->ItemIndex();
        if (Index >= 0) {
          if (TPTShComboData* Data = PTShellCombo1->GetShComboData(Index)) {
            PTShellCombo1->GetSelectedFolder()->SetIdList(Data->AbsPidl());
          }
        }
      } else {
        PTShellCombo1->SetDroppedDown(true);
      }
      Key = 0;
      break;
    case VK_F5:
      if (!PTShellCombo1->Focused()) {
        PTShellCombo1->FillItems();
      }
      if (!PTShellList1->Focused()) {
        PTShellList1->FillItems();
      }
      if (PTShellTree1->ShellList() == PTShellList1 && !PTShellTree1->Focused()) {
        PTShellTree1->FillItems();
      }
      Key = 0;
      break;
    case VK_F12:
      if (FOptions.Contains(ptofAllowTree)) {
        ShowTree(!FOptions.Contains(ptofShowTree));
        Key = 0;
      }
      break;
    default: break;
  }
}

void TPTFrmOpenDlg::Dispatch(TMessage& Message) {
  if (Message.Msg == AM_VIEWMENU) {
    const int X = static_cast<short>(LOWORD(Message.LParam));
    const int Y = static_cast<short>(HIWORD(Message.LParam));
    ViewPopupMenu->Popup(X, Y);
    ViewBtn->SetDown(false);
    ViewBtn->Invalidate();
    return;
  }
  if (Message.Msg == WM_HELP && OnHelp) {
    OnHelp(this);
    Message.Result = TRUE;
    return;
  }
  TForm::Dispatch(Message);
}

// ---- Closing and typed names -------------------------------------------------------------------------------------------

void TPTFrmOpenDlg::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = true;
  if (ModalResult != mrOk) {
    return;
  }
  const std::string Text = FileNameEdt->Text();
  try {
    if (PTHasWildcardName(Text)) {
      CanClose = false;
      std::string Folder;
      std::string Mask;
      PTSplitTypedName(Text, Folder, Mask);
      // The folder part only navigates: a part that names no folder is no file to ask about or to return.
      std::string Path;
      if (!Folder.empty() && PTCombineTypedPath(CurrentFolder(), Folder, Path) && !Path.empty() &&
          IsShellFolder(Path)) {
        OpenFolder(Path);
      }
      FSelectedFiles.clear();
      ApplyUserFilter(Mask);
      SetFilename(Mask);
      FileNameEdt->SelectAll();
      return;
    }
    CanClose = ParseInputString(Text);
  } catch (const Exception& E) {
    // A folder that cannot be opened is reported; the window stays so that nothing typed is lost.
    FSelectedFiles.clear();
    CanClose = false;
    MessageBox(Handle(), E.Message().c_str(), Caption().c_str(), MB_OK | MB_ICONWARNING);
  }
}

bool TPTFrmOpenDlg::ParseInputString(const std::string& Text) {
  TPTTypedNameParser Parser(*this);
  Parser.Options = FOptions;
  Parser.DefaultExt = FDefaultExt;
  const int Index = FileTypesCbx->ItemIndex();
  if (Index >= 0) {
    if (auto* Rec = dynamic_cast<TFilterItemRec*>(FileTypesCbx->Items()->Objects(Index))) {
      Parser.TypeMasks = Rec->Masks;
    }
  }
  const bool Accepted = Parser.Parse(Text, FSelectedFiles);
  FOptions = Parser.Options;
  return Accepted;
}

void TPTFrmOpenDlg::ApplyUserFilter(const std::string& Mask) {
  FUserFilter = Mask;
  PTShellList1->SetFileFilter(Mask);
  PTShellList1->FillItems();
}

std::string TPTFrmOpenDlg::CurrentFolder() { return WithoutTrailingSlash(PTShellList1->Folder()->GetPathName()); }

bool TPTFrmOpenDlg::IsShellFolder(const std::string& Path) {
  LPITEMIDLIST List = nullptr;
  if (FAILED(ShellGetIdListFromPath(Path, List)) || !List) {
    return false;
  }
  ShellMemFree(List);
  const DWORD Attributes = GetFileAttributes(Path.c_str());
  return Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void TPTFrmOpenDlg::OpenFolder(const std::string& Path) {
  LPITEMIDLIST List = nullptr;
  HRESULT Hr = ShellGetIdListFromPath(Path, List);
  IShellFolder_NRC* Folder = nullptr;
  if (SUCCEEDED(Hr)) {
    Hr = ShellGetFolderFromIdList(List, Folder);
  }
  if (FAILED(Hr) || !Folder) {
    ShellMemFree(List);
    PTShRaiseSysError(Hr);
  }
  Folder->Release();
  PTShellList1->Folder()->SetIdList(List);
  ShellMemFree(List);
  FileNameEdt->SelectAll();
}

void TPTFrmOpenDlg::MoveToFolder(const std::string& Folder) { PTShellList1->Folder()->SetPathName(Folder); }

bool TPTFrmOpenDlg::NameFromSelection(std::string& Path) {
  if (!FNameFromSelection) {
    return false;
  }
  TListItem* Item = PTShellList1->Selected();
  if (!Item || !PTShellList1->ItemHasData(Item)) {
    return false;
  }
  TPTShListData* Data = PTShellList1->GetDataFromItem(Item);
  // Only a file can be the answer; a selected folder leaves the typed name in force.
  if (Data->GetAttributes() & SFGAO_FOLDER) {
    return false;
  }
  Path = Data->GetPathName();
  return !Path.empty();
}

TListItem* TPTFrmOpenDlg::FindItem(const std::string& Name, bool& Ambiguous) {
  Ambiguous = false;
  TListItem* Found = nullptr;
  TListItems* Items = PTShellList1->Items();
  for (int I = 0; I < Items->Count(); ++I) {
    TListItem* Item = Items->Item(I);
    if (!PTShellList1->ItemHasData(Item)) {
      continue;
    }
    const std::string Caption = PTShellList1->GetDataFromItem(Item)->GetDisplayName();
    if (Caption == Name) {
      Ambiguous = false;
      return Item;
    }
    if (AnsiSameText(Caption, Name)) {
      if (Found) {
        Ambiguous = true;
      } else {
        Found = Item;
      }
    }
  }
  return Found;
}

int TPTFrmOpenDlg::FindListItems(const std::string& Name, std::string& FirstPath) {
  bool Ambiguous = false;
  TListItem* Item = FindItem(Name, Ambiguous);
  if (!Item) {
    return 0;
  }
  FirstPath = PTShellList1->GetDataFromItem(Item)->GetPathName();
  return Ambiguous ? 2 : 1;
}

void TPTFrmOpenDlg::FocusFirstListItem(const std::string& Name) {
  bool Ambiguous = false;
  if (TListItem* Item = FindItem(Name, Ambiguous)) {
    PTShellList1->ClearSelection();
    Item->SetSelected(true);
    PTShellList1->SetItemFocused(Item);
    if (PTShellList1->CanFocus()) {
      PTShellList1->SetFocus();
    }
  }
}

int TPTFrmOpenDlg::Ask(TPTTypedNameMessage Kind, const std::string& Text) {
  UINT Flags = MB_OK | MB_ICONWARNING;
  if (Kind == TPTTypedNameMessage::Replace) {
    Flags = MB_YESNO | MB_ICONWARNING;
  } else if (Kind == TPTTypedNameMessage::Create) {
    Flags = MB_YESNO | MB_ICONQUESTION;
  }
  return MessageBox(Handle(), Text.c_str(), Caption().c_str(), Flags);
}
