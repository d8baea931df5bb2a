// The folder browse dialog and its window.
#include "shell/Uptfolderbrowse.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/NativeControls.h"
#include "shell/Uptdlgglyphs.h"
#include "shell/Uptshelldata.h"

namespace {

const char* const NotActive = "TPTFolderBrowseDlg form not active";
const char* const AlreadyActive = "TPTFolderBrowseDlg form already active";
constexpr int GripSize = 13;
constexpr int EdgeMargin = 16;

void RegisterLayoutClasses() {
  RegisterClasses({TSpeedButton::StaticClass(), TPTFrame::StaticClass(), TPTShellTree::StaticClass(),
                   TPanel::StaticClass(), TButton::StaticClass()});
}

}  // namespace

TPTFolderBrowseDlgOptions PTFolderBrowseDlgDefaultOptions() {
  return {ptfbContextMenus, ptfbCreateFolderIcon, ptfbDeleteFolderIcon, ptfbShowHidden};
}

// ---- The window -----------------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS_PUBLISHED(TPTFrmFolderBrowseDlg, TForm, TPTFrmFolderBrowseDlg::Publish)

void TPTFrmFolderBrowseDlg::Publish(TMetaClass& Meta) {
  TPublisher<TPTFrmFolderBrowseDlg> P(Meta);
  using F = TPTFrmFolderBrowseDlg;
  P.Field("CreateNewFolderBtn", &F::CreateNewFolderBtn);
  P.Field("DeleteFolderBtn", &F::DeleteFolderBtn);
  P.Field("StatusTxt", &F::StatusTxt);
  P.Field("PTShellTree1", &F::PTShellTree1);
  P.Field("ButtonPanel", &F::ButtonPanel);
  P.Field("OkBtn", &F::OkBtn);
  P.Field("CancelBtn", &F::CancelBtn);
  P.Field("CreateBtn", &F::CreateBtn);
  P.Field("DeleteBtn", &F::DeleteBtn);
}

TPTFrmFolderBrowseDlg::TPTFrmFolderBrowseDlg(TComponent* AOwner)
    : TForm((RegisterLayoutClasses(), AOwner)), FOptions(PTFolderBrowseDlgDefaultOptions()) {}

TPTFrmFolderBrowseDlg::~TPTFrmFolderBrowseDlg() = default;

void TPTFrmFolderBrowseDlg::AfterConstruction() {
  TForm::AfterConstruction();
  Constraints()->SetMinWidth(MinWidth);
  Constraints()->SetMinHeight(MinHeight);
  PTShellTree1->SetOptions(
      TPTShellTreeOptions{ptstoVirtualFolders, ptstoDesignInteractive, ptstoContextMenus, ptstoDynamicRefresh});
  PTShellTree1->SetShowRoot(true);
  PTShellTree1->SetHideSelection(false);
  PTShellTree1->SetIndent(19);
  PTShellTree1->DragMode = dmAutomatic;
  PTShellTree1->OnChange = [this](TObject* Sender, TTreeNode* Node) { PTShellTree1Change(Sender, Node); };
  CreateNewFolderBtn->OnClick = [this](TObject* Sender) { CreateFolderClick(Sender); };
  CreateBtn->OnClick = [this](TObject* Sender) { CreateFolderClick(Sender); };
  DeleteFolderBtn->OnClick = [this](TObject* Sender) { DeleteFolderClick(Sender); };
  DeleteBtn->OnClick = [this](TObject* Sender) { DeleteFolderClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnHide = [this](TObject* Sender) { FormHide(Sender); };
  FRestoredWidth = Width();
  FRestoredHeight = Height();
  SetOptions(FOptions);
}

void TPTFrmFolderBrowseDlg::CreateWnd() {
  TForm::CreateWnd();
  const TRect R = ClientRect();
  FSizeGrip = CreateWindowEx(0, WC_SCROLLBAR, "", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, R.Right - GripSize,
                             R.Bottom - GripSize, GripSize, GripSize, Handle(), 0, 0, nullptr);
  LayOut();
}

void TPTFrmFolderBrowseDlg::Resize() {
  TForm::Resize();
  if (WindowState() == wsNormal) {
    FRestoredWidth = Width();
    FRestoredHeight = Height();
  }
  LayOut();
}

void TPTFrmFolderBrowseDlg::LayOut() {
  if (!PTShellTree1 || !ButtonPanel || !HandleAllocated()) {
    return;
  }
  const int W = ClientWidth();
  StatusTxt->SetWidth(W - 24);
  const int TreeTop = StatusTxt->Top() + StatusTxt->Height() + 8;
  PTShellTree1->SetBounds(PTShellTree1->Left(), TreeTop, W - 24, std::max(0, ButtonPanel->Top() - 8 - TreeTop));
  if (FOptions.Contains(ptfbCreateDeleteButtons)) {
    OkBtn->SetLeft(PTShellTree1->Left());
    CancelBtn->SetLeft(OkBtn->Left() + OkBtn->Width() + 4);
  } else {
    CancelBtn->SetLeft(W - EdgeMargin - CancelBtn->Width());
    OkBtn->SetLeft(CancelBtn->Left() - 4 - OkBtn->Width());
  }
  int Right = W - EdgeMargin;
  if (DeleteFolderBtn->Visible()) {
    DeleteFolderBtn->SetLeft(Right - DeleteFolderBtn->Width());
    Right = DeleteFolderBtn->Left() - 8;
  }
  if (CreateNewFolderBtn->Visible()) {
    CreateNewFolderBtn->SetLeft(Right - CreateNewFolderBtn->Width());
  }
  int StatusRight = W - EdgeMargin;
  if (CreateNewFolderBtn->Visible()) {
    StatusRight = CreateNewFolderBtn->Left() - 4;
  } else if (DeleteFolderBtn->Visible()) {
    StatusRight = DeleteFolderBtn->Left() - 8;
  }
  StatusTxt->SetWidth(std::max(0, StatusRight - StatusTxt->Left()));
  if (FSizeGrip) {
    const TRect R = ClientRect();
    MoveWindow(FSizeGrip, R.Right - GripSize, R.Bottom - GripSize, GripSize, GripSize, TRUE);
    SetWindowPos(FSizeGrip, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TPTFrmFolderBrowseDlg::SetOptions(TPTFolderBrowseDlgOptions Value) {
  FOptions = Value;
  TPTShellTreeOptions Tree = PTShellTree1->Options();
  auto Map = [&](TPTFolderBrowseDlgOption From, TPTShellTreeOption To) {
    if (Value.Contains(From)) {
      Tree.Include(To);
    } else {
      Tree.Exclude(To);
    }
  };
  Map(ptfbOleDrag, ptstoOleDrag);
  Map(ptfbOleDrop, ptstoOleDrop);
  Map(ptfbIncludeNonFolders, ptstoIncludeNonFolders);
  Map(ptfbVirtualFolders, ptstoVirtualFolders);
  Map(ptfbContextMenus, ptstoContextMenus);
  Map(ptfbShowHidden, ptstoShowHidden);
  PTShellTree1->SetOptions(Tree);
  CreateBtn->SetVisible(Value.Contains(ptfbCreateDeleteButtons));
  DeleteBtn->SetVisible(Value.Contains(ptfbCreateDeleteButtons));
  CreateNewFolderBtn->SetVisible(Value.Contains(ptfbCreateFolderIcon));
  DeleteFolderBtn->SetVisible(Value.Contains(ptfbDeleteFolderIcon));
  PTShellTree1->ReadOnly = Value.Contains(ptfbReadOnly);
  LayOut();
}

void TPTFrmFolderBrowseDlg::DoTranslation() {
  OkBtn->SetCaption("OK");
  CancelBtn->SetCaption("Cancel");
  CreateNewFolderBtn->Hint = std::string("Create Folder") + "|" + "Creates a new, empty folder.";
  DeleteFolderBtn->Hint = std::string("Delete") + "|" + "Deletes the selected items.";
  if (Caption().empty()) {
    SetCaption("Browse for Folder");
  }
}

void TPTFrmFolderBrowseDlg::FormShow(TObject*) {
  Font()->SetName("MS Sans Serif");
  PTShellTree1->SetOptions(PTShellTree1->Options() + TPTShellTreeOptions{ptstoAutoFill});
  PTShellTree1->FillItems();
  DoTranslation();
  PTSetDialogGlyph(CreateNewFolderBtn, TPTDialogGlyph::NewFolder);
  PTSetDialogGlyph(DeleteFolderBtn, TPTDialogGlyph::Delete);
  LayOut();
  if (OnFormShow) {
    OnFormShow(this);
  }
}

void TPTFrmFolderBrowseDlg::FormHide(TObject*) {
  if (OnFormClose) {
    OnFormClose(this);
  }
}

void TPTFrmFolderBrowseDlg::PTShellTree1Change(TObject*, TTreeNode* Node) {
  if (!Node || !PTShellTree1->NodeHasData(Node)) {
    return;
  }
  TPTShTreeData* Data = PTShellTree1->GetDataFromNode(Node);
  const std::string Path = Data->GetPathName();
  const bool CanCreate = !Path.empty();
  const bool CanDelete = CanCreate && Node != PTShellTree1->Items()->GetFirstNode();
  CreateBtn->SetEnabled(CanCreate);
  CreateNewFolderBtn->SetEnabled(CanCreate);
  DeleteBtn->SetEnabled(CanDelete);
  DeleteFolderBtn->SetEnabled(CanDelete);
  if (OnSelChange) {
    OnSelChange(this, Data->GetAbsPidl());
  }
}

void TPTFrmFolderBrowseDlg::CreateFolderClick(TObject*) { PTShellTree1->CreateNewFolder(true); }

void TPTFrmFolderBrowseDlg::DeleteFolderClick(TObject*) {
  if (TTreeNode* Node = PTShellTree1->Selected()) {
    PTShellTree1->DoCommandForNode(Node, "delete");
    PTShellTree1->RefreshNodes();
  }
}

// ---- The component ----------------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS_PUBLISHED(TPTCustomFolderBrowseDlg, TPTDialog, TPTCustomFolderBrowseDlg::Publish)
Z_IMPLEMENT_CLASS(TPTFolderBrowseDlg, TPTCustomFolderBrowseDlg)

void TPTCustomFolderBrowseDlg::Publish(TMetaClass& Meta) {
  TPublisher<TPTCustomFolderBrowseDlg> P(Meta);
  P.Property("OnSelChange", &TPTCustomFolderBrowseDlg::OnSelChange, &TPTCustomFolderBrowseDlg::OnSelChange);
}

TPTCustomFolderBrowseDlg::TPTCustomFolderBrowseDlg(TComponent* AOwner)
    : TPTDialog(AOwner),
      FOptions(PTFolderBrowseDlgDefaultOptions()),
      FSelectedFolder(std::make_unique<TPTShellLocator>()),
      FBaseFolder(std::make_unique<TPTShellLocator>()) {}

TPTCustomFolderBrowseDlg::~TPTCustomFolderBrowseDlg() = default;

void TPTCustomFolderBrowseDlg::SetOptions(TPTFolderBrowseDlgOptions Value) {
  FOptions = Value;
  if (FForm) {
    FForm->SetOptions(Value);
  }
}

std::string TPTCustomFolderBrowseDlg::GetSelectedPathName() { return FSelectedFolder->GetPathName(); }

void TPTCustomFolderBrowseDlg::SetSelectedPathName(const std::string& Path) { FSelectedFolder->SetPathName(Path); }

void TPTCustomFolderBrowseDlg::SetSelectedFolder(TPTShellLocator* Locator) { FSelectedFolder->Assign(Locator); }

void TPTCustomFolderBrowseDlg::SetBaseFolder(TPTShellLocator* Locator) { FBaseFolder->Assign(Locator); }

void TPTCustomFolderBrowseDlg::SetStatus(const std::string& Text) {
  FStatus = Text;
  if (FForm) {
    FForm->SetStatus(Text);
  }
}

bool TPTCustomFolderBrowseDlg::GetOkEnabled() {
  AssertFormActive();
  return FForm->GetOkEnabled();
}

void TPTCustomFolderBrowseDlg::SetOkEnabled(bool Value) {
  AssertFormActive();
  FForm->SetOkEnabled(Value);
}

void TPTCustomFolderBrowseDlg::AssertFormActive() {
  if (!FForm) {
    throw EInvalidOperation(NotActive);
  }
}

void TPTCustomFolderBrowseDlg::AssertFormNotActive() {
  if (FForm) {
    throw EInvalidOperation(AlreadyActive);
  }
}

bool TPTCustomFolderBrowseDlg::DoExecute() {
  AssertFormNotActive();
  return RunDialogWindow(
      FForm, [this] { return CreateForm(); }, [this](TPTFrmFolderBrowseDlg* F) { InitForm(F); },
      [this](TPTFrmFolderBrowseDlg* F) { SaveFormSettings(F); });
}

TPTFrmFolderBrowseDlg* TPTCustomFolderBrowseDlg::CreateForm() {
  auto* F = new TPTFrmFolderBrowseDlg(Application);
  F->AfterConstruction();
  return F;
}

void TPTCustomFolderBrowseDlg::InitForm(TPTFrmFolderBrowseDlg* F) {
  F->OnSelChange = OnSelChange;
  F->PTShellTree1->OnAddItem = OnAddItem;
  F->PTShellTree1->OnCustomDrawSh = OnTvCustomDrawSh;
  F->PTShellTree1->OnCustomDrawShEx = OnTvCustomDrawShEx;
  F->OnFormShow = OnFormShow;
  F->OnFormClose = OnFormClose;
  F->SetStatus(FStatus);
  if (FormWidth > 0) {
    F->SetWidth(FormWidth);
  }
  if (FormHeight > 0) {
    F->SetHeight(FormHeight);
  }
  F->SetWindowState(FormWindowState);
  F->SetCaption(Title.empty() ? "Browse for Folder" : Title);
  F->SetOptions(FOptions);
  F->PTShellTree1->SetBaseFolder(FBaseFolder.get());
  F->PTShellTree1->SetSelectedFolder(FSelectedFolder.get());
}

void TPTCustomFolderBrowseDlg::SaveFormSettings(TPTFrmFolderBrowseDlg* F) {
  FormWidth = F->RestoredWidth();
  FormHeight = F->RestoredHeight();
  FormWindowState = F->WindowState();
  if (F->ModalResult == mrOk) {
    FSelectedFolder->Assign(F->PTShellTree1->SelectedFolder());
  }
}
