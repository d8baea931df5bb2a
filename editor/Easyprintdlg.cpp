// The print dialog.
#include "editor/Easyprintdlg.h"

#include "editor/Easyeditor.h"
#include "editor/Easyprint.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/controls/Dialogs.h"
#include "platform/rtl/SysUtils.h"

#include <memory>

Z_IMPLEMENT_CLASS_PUBLISHED(TFrmPrintDlg, TForm, TFrmPrintDlg::Publish)

TFrmPrintDlg* FrmPrintDlg = nullptr;

namespace {

void RegisterPrintDialogClasses() {
  static const bool Done = [] {
    RegisterClasses({TLabel::StaticClass(), TEdit::StaticClass(), TButton::StaticClass(), TCheckBox::StaticClass(),
                     TGroupBox::StaticClass()});
    return true;
  }();
  (void)Done;
}

struct TOptionBox {
  TCheckBox* TFrmPrintDlg::*Box;
  TEasyPrintOption Option;
};

const TOptionBox OptionBoxes[] = {
    {&TFrmPrintDlg::chkHeader, prPrintHeader},       {&TFrmPrintDlg::chkLineNum, prLineNumbers},
    {&TFrmPrintDlg::chkPageNum, prPageNumbers},      {&TFrmPrintDlg::chkWordWrap, prWrapLines},
    {&TFrmPrintDlg::chkSyntaxPrint, prPrintSyntax},  {&TFrmPrintDlg::chkColorPrint, prPrintColor},
    {&TFrmPrintDlg::chkProgress, prDisplayProgress},
};

}  // namespace

void TFrmPrintDlg::Publish(TMetaClass& Meta) {
  TPublisher<TFrmPrintDlg> P(Meta);
  P.Field("gbDestination", &TFrmPrintDlg::gbDestination);
  P.Field("lblFileName", &TFrmPrintDlg::lblFileName);
  P.Field("chkPrintSel", &TFrmPrintDlg::chkPrintSel);
  P.Field("gbOptions", &TFrmPrintDlg::gbOptions);
  P.Field("chkHeader", &TFrmPrintDlg::chkHeader);
  P.Field("chkLineNum", &TFrmPrintDlg::chkLineNum);
  P.Field("chkPageNum", &TFrmPrintDlg::chkPageNum);
  P.Field("chkWordWrap", &TFrmPrintDlg::chkWordWrap);
  P.Field("chkSyntaxPrint", &TFrmPrintDlg::chkSyntaxPrint);
  P.Field("chkColorPrint", &TFrmPrintDlg::chkColorPrint);
  P.Field("chkProgress", &TFrmPrintDlg::chkProgress);
  P.Field("lblLeftMargin", &TFrmPrintDlg::lblLeftMargin);
  P.Field("edLeftIndent", &TFrmPrintDlg::edLeftIndent);
  P.Field("SetupBut", &TFrmPrintDlg::SetupBut);
  P.Field("OkBut", &TFrmPrintDlg::OkBut);
  P.Field("CancelBut", &TFrmPrintDlg::CancelBut);
}

TFrmPrintDlg::TFrmPrintDlg(TComponent* AOwner) : TForm((RegisterPrintDialogClasses(), AOwner)) {}

void TFrmPrintDlg::AfterConstruction() {
  TForm::AfterConstruction();
  SetupBut->OnClick = [this](TObject* Sender) { SetupButClick(Sender); };
}

void TFrmPrintDlg::InitValues() {
  TEasyPrintSettings* S = PrintSettings();
  for (const TOptionBox& B : OptionBoxes) {
    (this->*B.Box)->SetChecked(S->Options.Contains(B.Option));
  }
  edLeftIndent->SetText(IntToStr(S->Indent));
  const bool HasSelection = Editor != nullptr && Editor->SelType != slNone;
  chkPrintSel->SetEnabled(HasSelection);
  chkPrintSel->SetChecked(HasSelection);
  if (Editor != nullptr) {
    lblFileName->SetCaption(lblFileName->Caption() + ": " + Editor->GetEditSource()->FileName);
  }
}

void TFrmPrintDlg::SaveValues() {
  TEasyPrintSettings* S = PrintSettings();
  for (const TOptionBox& B : OptionBoxes) {
    if ((this->*B.Box)->Checked()) {
      S->Options.Include(B.Option);
    } else {
      S->Options.Exclude(B.Option);
    }
  }
  S->Scope = chkPrintSel->Checked() ? psSelectedText : psGlobal;
  S->Indent = StrToIntDef(edLeftIndent->Text(), 0);
}

void TFrmPrintDlg::SetupButClick(TObject*) {
  TPrinterSetupDialog Dialog(this);
  Dialog.Execute();
}

bool EditPrintSettings(TCustomEasyEdit* Editor) {
  std::unique_ptr<TFrmPrintDlg> Form(new TFrmPrintDlg(Application));
  Form->AfterConstruction();
  Form->Editor = Editor;
  Form->InitValues();
  const bool Ok = Form->ShowModal() == mrOk;
  if (Ok) {
    Form->SaveValues();
  }
  return Ok;
}

void PrintWithDialog(TCustomEasyEdit* Editor) {
  if (EditPrintSettings(Editor)) {
    PrintEditor(Editor);
  }
}
