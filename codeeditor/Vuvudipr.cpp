// The code editor's print dialog.
#include "codeeditor/Vuvudipr.h"

#include "platform/classes/ClassRegistry.h"
#include "suitebase/Designreg.h"
#include "suitebase/Formhelpers.h"

namespace Vuvudipr {

using namespace Vuvudi;

Z_IMPLEMENT_CLASS_PUBLISHED(TMemoPrintForm, TForm, TMemoPrintForm::Publish)

namespace {
void RegisterLayoutClasses() {
  static const bool Done = [] {
    RegisterClasses({TGroupBox::StaticClass(), TLabel::StaticClass(), TCheckBox::StaticClass(), TEdit::StaticClass(),
                     TButton::StaticClass(), TPrinterSetupDialog::StaticClass()});
    return true;
  }();
  (void)Done;
}
}  // namespace

TMemoPrintForm::TMemoPrintForm(TComponent* AOwner) : TForm((RegisterLayoutClasses(), AOwner)) {}

void TMemoPrintForm::Publish(TMetaClass& Meta) {
  TPublisher<TMemoPrintForm> P(Meta);
  P.Field("gbxPrintDestination", &TMemoPrintForm::gbxPrintDestination);
  P.Field("lblFileName", &TMemoPrintForm::lblFileName);
  P.Field("PrintSelCheck", &TMemoPrintForm::PrintSelCheck);
  P.Field("gbxOptions", &TMemoPrintForm::gbxOptions);
  P.Field("HeaderCheck", &TMemoPrintForm::HeaderCheck);
  P.Field("LineNumbersCheck", &TMemoPrintForm::LineNumbersCheck);
  P.Field("SyntaxPrintCheck", &TMemoPrintForm::SyntaxPrintCheck);
  P.Field("UseColorCheck", &TMemoPrintForm::UseColorCheck);
  P.Field("WrapLinesCheck", &TMemoPrintForm::WrapLinesCheck);
  P.Field("ShowPrintProgress", &TMemoPrintForm::ShowPrintProgress);
  P.Field("lblLeftMargin", &TMemoPrintForm::lblLeftMargin);
  P.Field("LeftMarginEdit", &TMemoPrintForm::LeftMarginEdit);
  P.Field("SetupBut", &TMemoPrintForm::SetupBut);
  P.Field("OkBut", &TMemoPrintForm::OkBut);
  P.Field("CancelBut", &TMemoPrintForm::CancelBut);
  P.Field("HelpBut", &TMemoPrintForm::HelpBut);
  P.Field("PrinterSetup", &TMemoPrintForm::PrinterSetup);
  P.Method("FormCreate", &TMemoPrintForm::FormCreate);
  P.Method("FormShow", &TMemoPrintForm::FormShow);
  P.Method("OkButClick", &TMemoPrintForm::OkButClick);
  P.Method("SetupButClick", &TMemoPrintForm::SetupButClick);
  P.Method("PrintSelCheckChange", &TMemoPrintForm::PrintSelCheckChange);
}

void TMemoPrintForm::FormCreate(TObject*) {
  Dccommon::SetFormFont(this);
  SetCaption(SPrintCaption);
  gbxPrintDestination->SetCaption(SFileToPrint);
  PrintSelCheck->SetCaption(SPrintSelectedBlock);
  gbxOptions->SetCaption(SPrintOptions);
  HeaderCheck->SetCaption(SHeaderPageNumber);
  LineNumbersCheck->SetCaption(SLineNumbers);
  SyntaxPrintCheck->SetCaption(SSyntaxPrint);
  UseColorCheck->SetCaption(SUseColor);
  ShowPrintProgress->SetCaption(SShowPrintProgress);
  WrapLinesCheck->SetCaption(SWrapLines);
  lblLeftMargin->SetCaption(SLeftMargin);
  SetupBut->SetCaption(SSetup);
  if (!Dorazori::boolShowHelpButton) {
    SetupBut->SetLeft(OkBut->Left());
  }
  Dorazori::UpdateStandardButtons(OkBut, CancelBut, HelpBut);
  LeftMarginEdit->SetText("");
}

void TMemoPrintForm::FormShow(TObject*) {
  HeaderCheck->SetChecked(Options.Contains(poPrintHeader));
  LineNumbersCheck->SetChecked(Options.Contains(poLineNumbers));
  SyntaxPrintCheck->SetChecked(Options.Contains(poPrintSyntax));
  UseColorCheck->SetChecked(Options.Contains(poInColor));
  ShowPrintProgress->SetChecked(Options.Contains(poShowProgress));
  WrapLinesCheck->SetChecked(Options.Contains(poWrapLines));
}

void TMemoPrintForm::OkButClick(TObject*) {
  ZEZPrintOptions O;
  const std::pair<TCheckBox*, ZEZPrintOption> Boxes[] = {
      {PrintSelCheck, poPrintSel},       {HeaderCheck, poPrintHeader}, {LineNumbersCheck, poLineNumbers},
      {SyntaxPrintCheck, poPrintSyntax}, {UseColorCheck, poInColor},   {ShowPrintProgress, poShowProgress},
      {WrapLinesCheck, poWrapLines}};
  for (const auto& [Box, Option] : Boxes) {
    if (Box->Checked()) {
      O.Include(Option);
    }
  }
  Options = O;
}

void TMemoPrintForm::SetupButClick(TObject*) { PrinterSetup->Execute(); }

void TMemoPrintForm::PrintSelCheckChange(TObject*) {
  SetCaption(PrintSelCheck->Checked() ? SPrintSelection : SPrintCaption);
}

}  // namespace Vuvudipr
