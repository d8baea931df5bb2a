// The open and save dialog components.
#include "shell/Uptdialogs.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Streams.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/rtl/Exceptions.h"
#include "shell/Uptopendlg.h"
#include "shell/Uptshelldata.h"

#include <cstdint>

// ---- TPTFileDlg -----------------------------------------------------------------------------------------------------

TPTOpenOptions PTFileDlgDefaultOptions() {
  return {ptofHideReadOnly, ptofAllowTree, ptofShowHints, ptofOleDrag, ptofOleDrop, ptofShowHidden};
}

Z_IMPLEMENT_CLASS_PUBLISHED(TPTFileDlg, TPTDialog, TPTFileDlg::Publish)

TPTFileDlg::TPTFileDlg(TComponent* AOwner)
    : TPTDialog(AOwner),
      FOptions(PTFileDlgDefaultOptions()),
      FHistoryList(std::make_unique<TStringList>()),
      FFiles(std::make_unique<TStringList>()) {}

TPTFileDlg::~TPTFileDlg() = default;

void TPTFileDlg::Publish(TMetaClass& Meta) {
  TPublisher<TPTFileDlg> P(Meta);
  P.Property("Filter", &TPTFileDlg::Filter, &TPTFileDlg::SetFilter);
  P.Property("FilterIndex", &TPTFileDlg::FFilterIndex, &TPTFileDlg::SetFilterIndex).Default(1);
  P.Property("FormSplitterPos", &TPTFileDlg::FFormSplitterPos, &TPTFileDlg::SetFormSplitterPos).Default(-1);
  P.Property("HelpContext", &TPTFileDlg::HelpContext, &TPTFileDlg::HelpContext).Default(0);
  P.Property("InitialDir", &TPTFileDlg::InitialDir, &TPTFileDlg::InitialDir);
  P.Property("DefaultExt", &TPTFileDlg::DefaultExt, &TPTFileDlg::DefaultExt);
}

void TPTFileDlg::SetOptions(TPTOpenOptions Value) {
  FOptions = Value;
  if (FForm) {
    FForm->SetOptions(Value);
  }
}

void TPTFileDlg::SetFilter(const std::string& Value) {
  FFilter = Value;
  if (FForm) {
    FForm->SetFilter(Value);
  }
}

int TPTFileDlg::GetFilterIndex() { return FForm ? FForm->GetFilterIndex() : FFilterIndex; }

void TPTFileDlg::SetFilterIndex(int Value) {
  FFilterIndex = Value;
  if (FForm) {
    FForm->SetFilterIndex(Value);
  }
}

int TPTFileDlg::GetFormSplitterPos() { return FForm ? FForm->GetFormSplitterPos() : FFormSplitterPos; }

void TPTFileDlg::SetFormSplitterPos(int Value) {
  FFormSplitterPos = Value;
  if (FForm) {
    FForm->SetFormSplitterPos(Value);
  }
}

std::string TPTFileDlg::GetFilename() {
  if (FForm) {
    return FForm->GetFilename();
  }
  return FFiles->Count() > 0 ? FFiles->Strings(0) : std::string();
}

void TPTFileDlg::SetFilename(const std::string& Name) {
  FFiles->Clear();
  FFiles->Add(Name);
  if (FForm) {
    FForm->SetFilename(Name);
  }
}

void TPTFileDlg::SetHistoryList(TStrings* Value) {
  if (Value) {
    FHistoryList->Assign(Value);
  } else {
    FHistoryList->Clear();
  }
}

void TPTFileDlg::SetOnAddListItem(TPTShAddItemEvent Value) {
  FOnAddListItem = std::move(Value);
  if (FForm) {
    FForm->SetOnAddListItem(FOnAddListItem);
  }
}

void TPTFileDlg::SetOnAddTreeItem(TPTShAddItemEvent Value) {
  FOnAddTreeItem = std::move(Value);
  if (FForm) {
    FForm->SetOnAddTreeItem(FOnAddTreeItem);
  }
}

void TPTFileDlg::ReadStateFromStream(TStream* Stream) {
  const TBaseState Base = ReadBaseState(Stream);
  const unsigned char Tree = ReadStateByte(Stream);
  const int Splitter = ReadStateInt32(Stream);
  ApplyBaseState(Base);
  if (Tree != 0) {
    FOptions.Include(ptofShowTree);
  } else {
    FOptions.Exclude(ptofShowTree);
  }
  FFormSplitterPos = Splitter;
}

void TPTFileDlg::WriteStateToStream(TStream* Stream) {
  TPTDialog::WriteStateToStream(Stream);
  const unsigned char Tree = FOptions.Contains(ptofShowTree) ? 1 : 0;
  Stream->WriteBuffer(&Tree, 1);
  WriteStateInt32(Stream, FFormSplitterPos);
}

bool TPTFileDlg::DoExecute() {
  if (FForm) {
    throw EInvalidOperation(Name() + " already executing");
  }
  return RunDialogWindow(
      FForm, [this] { return CreateForm(); }, [this](TPTFrmOpenDlg* F) { InitForm(F); },
      [this](TPTFrmOpenDlg* F) { SaveFormSettings(F); });
}

TPTFrmOpenDlg* TPTFileDlg::CreateForm() {
  auto* F = new TPTFrmOpenDlg(Application);
  F->AfterConstruction();
  return F;
}

void TPTFileDlg::InitForm(TPTFrmOpenDlg* F) {
  F->SetOnAddListItem(FOnAddListItem);
  F->SetOnAddTreeItem(FOnAddTreeItem);
  F->SetOnLvCustomDrawSh(OnLvCustomDrawSh);
  F->SetOnLvCustomDrawShEx(OnLvCustomDrawShEx);
  F->SetOnTvCustomDrawSh(OnTvCustomDrawSh);
  F->SetOnTvCustomDrawShEx(OnTvCustomDrawShEx);
  F->OnFormShow = OnFormShow;
  F->OnFormClose = OnFormClose;
  F->OnTypeChanged = OnTypeChanged;
  F->OnFolderChanged = OnFolderChanged;
  F->OnSelectionChanged = OnSelectionChanged;
  F->SetInitialDir(InitialDir);
  F->SetFilename(FFiles->Count() > 0 ? FFiles->Strings(0) : std::string());
  F->SetDefaultExt(DefaultExt);
  F->SetOptions(FOptions);
  if (FormWidth > 0) {
    F->SetWidth(FormWidth);
  }
  if (FormHeight > 0) {
    F->SetHeight(FormHeight);
  }
  F->SetWindowState(FormWindowState);
  F->SetFilter(FFilter);
  F->SetFilterIndex(FFilterIndex);
  F->SetFormSplitterPos(FFormSplitterPos);
  F->LookInTxt->SetCaption("Look &in:");
  F->FilesOfTypeTxt->SetCaption("Files of &type:");
  F->SetHelpContext(HelpContext);
  F->OnHelp = OnHelp;
}

void TPTFileDlg::SaveFormSettings(TPTFrmOpenDlg* F) {
  FOptions = F->Options();
  F->GetSelectedFiles(FFiles.get());
  FormWidth = F->RestoredWidth();
  FormHeight = F->RestoredHeight();
  FormWindowState = F->WindowState();
  FFilterIndex = F->GetFilterIndex();
  FFormSplitterPos = F->GetFormSplitterPos();
}

// ---- Open and save --------------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS(TPTCustomOpenDlg, TPTFileDlg)
Z_IMPLEMENT_CLASS(TPTCustomSaveDlg, TPTFileDlg)
Z_IMPLEMENT_CLASS(TPTOpenDlg, TPTCustomOpenDlg)
Z_IMPLEMENT_CLASS(TPTSaveDlg, TPTCustomSaveDlg)

TPTCustomOpenDlg::TPTCustomOpenDlg(TComponent* AOwner) : TPTFileDlg(AOwner) {}

void TPTCustomOpenDlg::InitForm(TPTFrmOpenDlg* F) {
  TPTFileDlg::InitForm(F);
  F->SetCaption(Title.empty() ? "Open" : Title);
  F->OpenBtn->SetCaption("&Open");
}

TPTCustomSaveDlg::TPTCustomSaveDlg(TComponent* AOwner) : TPTFileDlg(AOwner) {}

void TPTCustomSaveDlg::InitForm(TPTFrmOpenDlg* F) {
  TPTFileDlg::InitForm(F);
  F->SetCaption(Title.empty() ? "Save As" : Title);
  F->OpenBtn->SetCaption("&Save");
}
