// The batch wizard's options dialog: its working copy, tool and configuration lists, check boxes, limits and
// report files.
#include "batchwizard/Batchwizoptions.h"

#include "batchwizard/Batchjob.h"
#include "core/Errorreport.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/controls/Dialogs.h"
#include "platform/rtl/SysUtils.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

const WizardToolEntry WizardTools[9] = {{"Validator", 1}, {"Link check", 7},          {"Spell check", 8},
                                        {"Template", 6},  {"Convert file format", 5}, {"Lowercase", 3},
                                        {"Uppercase", 2}, {"Strip tags", 4},          {"Quote attribute values", 9}};

namespace {

constexpr int NewerConfigurationsVersion = 45090;
constexpr int MaximumTargets = 5000;
constexpr int MaximumRequests = 100;

void RegisterLayoutClasses() {
  RegisterClasses({TPageControl::StaticClass(), TTabSheet::StaticClass(), TGroupBox::StaticClass(),
                   TComboBox::StaticClass(), TLabel::StaticClass(), TEdit::StaticClass(), TCheckBox::StaticClass(),
                   TButton::StaticClass()});
}

// A whole number in the text (blanks around it allowed); false when it is not one.
bool WholeNumber(const std::string& Text, int& Value) {
  const char* Begin = Text.c_str();
  char* End = nullptr;
  errno = 0;
  const long V = std::strtol(Begin, &End, 10);
  if (End == Begin || errno != 0 || V < INT_MIN || V > INT_MAX) {
    return false;
  }
  while (*End == ' ') {
    ++End;
  }
  if (*End != 0) {
    return false;
  }
  Value = static_cast<int>(V);
  return true;
}

int Clamp(int V, int Low, int High) { return V < Low ? Low : (V > High ? High : V); }

}  // namespace

Z_IMPLEMENT_CLASS_PUBLISHED(TWizardOptionsForm, TForm, TWizardOptionsForm::Publish)

void TWizardOptionsForm::Publish(TMetaClass& Meta) {
  TPublisher<TWizardOptionsForm> P(Meta);
  using F = TWizardOptionsForm;
#define ZUBQ_FIELD(N) P.Field(#N, &F::N)
  ZUBQ_FIELD(OptionsPageControl);
  ZUBQ_FIELD(GeneralSheet);
  ZUBQ_FIELD(ToolGroupBox);
  ZUBQ_FIELD(ToolComboBox);
  ZUBQ_FIELD(ToolSubtypeComboBox);
  ZUBQ_FIELD(MiscGroupBox);
  ZUBQ_FIELD(MaximumTargetsLabel);
  ZUBQ_FIELD(MaximumTargetsEdit);
  ZUBQ_FIELD(MaximumHTTPRequestsLabel);
  ZUBQ_FIELD(MaximumHTTPRequests);
  ZUBQ_FIELD(AutoDeselectCheckBox);
  ZUBQ_FIELD(AutoOpenHTMLReportCheckBox);
  ZUBQ_FIELD(AutoAutoSizeCheckBox);
  ZUBQ_FIELD(DCOpenInEditorCheckBox);
  ZUBQ_FIELD(VerboseCheckBox);
  ZUBQ_FIELD(AutoSetIFlagCheckBox);
  ZUBQ_FIELD(ShowProgressCheckBox);
  ZUBQ_FIELD(ReportingSheet);
  ZUBQ_FIELD(OtherOptionsGroupBox);
  ZUBQ_FIELD(ReportsPerPageLabel);
  ZUBQ_FIELD(ReportsPerPageEdit);
  ZUBQ_FIELD(OnlyErrorOrWarningResultsCheckBox);
  ZUBQ_FIELD(IncludeSummaryCheckBox);
  ZUBQ_FIELD(MultipleHTMLPageReport);
  ZUBQ_FIELD(FileOptionsGroupBox);
  ZUBQ_FIELD(ReportFileLabel);
  ZUBQ_FIELD(ReportFileEdit);
  ZUBQ_FIELD(ReportFileBrowseBtn);
  ZUBQ_FIELD(CSSFileLabel);
  ZUBQ_FIELD(CSSFileEdit);
  ZUBQ_FIELD(CSSFileBrowseBtn);
  ZUBQ_FIELD(FooterFileLabel);
  ZUBQ_FIELD(FooterFileEdit);
  ZUBQ_FIELD(FooterFileBrowseBtn);
  ZUBQ_FIELD(IncludeSourceGroupBox);
  ZUBQ_FIELD(IncludeErrorsCheckBox);
  ZUBQ_FIELD(IncludeWarningsCheckBox);
  ZUBQ_FIELD(IncludeMessagesCheckBox);
  ZUBQ_FIELD(LinksSheet);
  ZUBQ_FIELD(LinkReportingGroupBox);
  ZUBQ_FIELD(IncludeFailedLinksCheckBox);
  ZUBQ_FIELD(IncludeNotCheckedLinksCheckBox);
  ZUBQ_FIELD(IncludePassedLinksCheckBox);
  ZUBQ_FIELD(ActuallyLinkCheckBox);
  ZUBQ_FIELD(AlwaysGenerateLinkReportCheckBox);
  ZUBQ_FIELD(EnableLinkCheckingCheckBox);
  ZUBQ_FIELD(TextEditGroupBox);
  ZUBQ_FIELD(DefaultLinkFollowExtensionsLabel);
  ZUBQ_FIELD(DefaultLinkFollowExtensionsEdit);
  ZUBQ_FIELD(OKBtn);
  ZUBQ_FIELD(CancelBtn);
  ZUBQ_FIELD(HelpBtn);
#undef ZUBQ_FIELD
}

TWizardOptionsForm::TWizardOptionsForm(TComponent* AOwner)
    : TForm((RegisterLayoutClasses(), AOwner)), copy(std::make_unique<batchwizclass>()) {}

TWizardOptionsForm::~TWizardOptionsForm() = default;

void TWizardOptionsForm::AfterConstruction() {
  TForm::AfterConstruction();
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OKBtn->OnClick = [this](TObject* Sender) { OKBtnClick(Sender); };
  HelpBtn->OnClick = [this](TObject* Sender) { HelpBtnClick(Sender); };
  ToolComboBox->OnChange = [this](TObject* Sender) { ToolComboBoxChange(Sender); };
  ReportFileBrowseBtn->OnClick = [this](TObject* Sender) { ReportFileBrowseBtnClick(Sender); };
  CSSFileBrowseBtn->OnClick = [this](TObject* Sender) { CSSFileBrowseBtnClick(Sender); };
  FooterFileBrowseBtn->OnClick = [this](TObject* Sender) { FooterFileBrowseBtnClick(Sender); };
  for (const auto& [Box, Bit] : Boxes()) {
    (void)Bit;
    Box->OnClick = [this](TObject* Sender) { CheckBoxClick(Sender); };
  }
}

void TWizardOptionsForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle &= ~WS_EX_APPWINDOW;
  if (auto* Owner = dynamic_cast<TWinControl*>(this->Owner()); Owner != nullptr && Owner->HandleAllocated()) {
    Params.WndParent = Owner->Handle();
  }
}

std::vector<std::pair<TCheckBox*, unsigned>> TWizardOptionsForm::Boxes() const {
  return {{AutoDeselectCheckBox, 0x20000},
          {AutoOpenHTMLReportCheckBox, 0x10000},
          {AutoAutoSizeCheckBox, 0x40000},
          {DCOpenInEditorCheckBox, 0x200000},
          {VerboseCheckBox, 0x200},
          {AutoSetIFlagCheckBox, 0x400000},
          {ShowProgressCheckBox, 0x2000000},
          {OnlyErrorOrWarningResultsCheckBox, 0x8},
          {IncludeSummaryCheckBox, 0x8000},
          {MultipleHTMLPageReport, 0x10},
          {IncludeErrorsCheckBox, 0x1},
          {IncludeWarningsCheckBox, 0x2},
          {IncludeMessagesCheckBox, 0x4},
          {IncludeFailedLinksCheckBox, 0x80000},
          {IncludeNotCheckedLinksCheckBox, 0x40},
          {IncludePassedLinksCheckBox, 0x80},
          {ActuallyLinkCheckBox, 0x100000},
          {AlwaysGenerateLinkReportCheckBox, 0x100},
          {EnableLinkCheckingCheckBox, 0x20}};
}

void TWizardOptionsForm::FormShow(TObject*) {
  const batchwizclass* Live = BatchSettings();
  loading = true;
  if (Live != nullptr) {
    copy->copyFrom(*Live);
  }
  OptionsPageControl->SetActivePage(GeneralSheet);
  SetCaption("ZUB Quillon Pro Batch Wizard Options");
  ToolComboBox->Items()->Clear();
  int Selected = 0;
  for (int I = 0; I < 9; ++I) {
    ToolComboBox->Items()->Add(WizardTools[I].name);
    if (WizardTools[I].tool == copy->toolNumber) {
      Selected = I;
    }
  }
  ToolComboBox->SetItemIndex(Selected);
  ToolSubtypeComboBox->Items()->Clear();
  ToolSubtypeComboBox->Items()->Add("Normal");
  const volatileclass* V = EngineOwnerState();
  if (ZUBCalls.ZUBGetInteger3EZ != nullptr &&
      ZUBCalls.ZUBGetInteger3EZ(ZUB_ENGINE_VERSION) > NewerConfigurationsVersion && V != nullptr &&
      V->configHandle >= 0 && ZUBCalls.ZUBGetIntegerEZ != nullptr && ZUBCalls.ZUBGetString2 != nullptr) {
    const int Count = ZUBCalls.ZUBGetIntegerEZ(V->configHandle, ZUB_CONFIG_CONFIGURATION_COUNT);
    for (int I = 1; I < Count; ++I) {
      const char* Name = ZUBCalls.ZUBGetString2(V->configHandle, ZUB_CONFIG_CONFIGURATION_NAME, I);
      if (Name != nullptr && *Name != 0) {
        ToolSubtypeComboBox->Items()->Add(Name);
      }
    }
  }
  int Subtype = 0;
  for (int I = 0; I < ToolSubtypeComboBox->Items()->Count(); ++I) {
    if (copy->jobSubtype.equalsNoCase(ToolSubtypeComboBox->Items()->Strings(I).c_str()) != 0) {
      Subtype = I;
      break;
    }
  }
  ToolSubtypeComboBox->SetItemIndex(Subtype);
  MaximumTargetsEdit->SetText(std::to_string(copy->targetListLimit));
  MaximumHTTPRequests->SetText(std::to_string(copy->maxHttpRequests));
  ReportsPerPageEdit->SetText(std::to_string(copy->reportsPerPage));
  DefaultLinkFollowExtensionsEdit->SetText(copy->followLinkExtensions.text);
  for (const auto& [Box, Bit] : Boxes()) {
    Box->SetChecked((copy->optionFlags.bits & Bit) != 0);
  }
  const StrStore* Report = copy->getString(BWGET_REPORT);
  const StrStore* Css = copy->getString(BWGET_CSS);
  const StrStore* Footer = copy->getString(BWGET_FOOTER);
  ReportFileEdit->SetText(Report != nullptr ? Report->text : "");
  CSSFileEdit->SetText(Css != nullptr ? Css->text : "");
  FooterFileEdit->SetText(Footer != nullptr ? Footer->text : "");
  loading = false;
  ToolComboBoxChange(this);
  UpdateEnabledStates();
  if (HandleAllocated()) {
    SetForegroundWindow(Handle());
  }
}

void TWizardOptionsForm::UpdateEnabledStates() {
  const bool Pages = MultipleHTMLPageReport->Checked();
  ReportsPerPageEdit->SetEnabled(Pages);
  ReportsPerPageLabel->SetEnabled(Pages);
  const bool Links = EnableLinkCheckingCheckBox->Checked();
  for (TCheckBox* Box : {IncludeFailedLinksCheckBox, IncludeNotCheckedLinksCheckBox, IncludePassedLinksCheckBox,
                         ActuallyLinkCheckBox, AlwaysGenerateLinkReportCheckBox}) {
    Box->SetEnabled(Links);
  }
}

void TWizardOptionsForm::ToolComboBoxChange(TObject*) {
  ToolSubtypeComboBox->SetEnabled(ToolComboBox->ItemIndex() == 0);
}

void TWizardOptionsForm::CheckBoxClick(TObject* Sender) {
  if (loading) {
    return;
  }
  for (const auto& [Box, Bit] : Boxes()) {
    if (Box == Sender) {
      const unsigned Word = copy->optionFlags.bits;
      copy->optionFlags.bits = Box->Checked() ? (Word | Bit) : (Word & ~Bit);
    }
  }
  if (Sender == MultipleHTMLPageReport || Sender == EnableLinkCheckingCheckBox) {
    UpdateEnabledStates();
  }
}

void TWizardOptionsForm::OKBtnClick(TObject*) {
  (void)copy->setString(ReportFileEdit->Text().c_str(), BWSET_REPORT);  // always 0
  (void)copy->setString(CSSFileEdit->Text().c_str(), BWSET_CSS);
  (void)copy->setString(FooterFileEdit->Text().c_str(), BWSET_FOOTER);
  copy->followLinkExtensions.assign(DefaultLinkFollowExtensionsEdit->Text().c_str());
  int V = 0;
  if (WholeNumber(ReportsPerPageEdit->Text(), V)) {
    copy->reportsPerPage = V < 1 ? 1 : V;
  }
  if (WholeNumber(MaximumTargetsEdit->Text(), V)) {
    copy->targetListLimit = Clamp(V, 1, MaximumTargets);
  }
  if (WholeNumber(MaximumHTTPRequests->Text(), V)) {
    copy->maxHttpRequests = Clamp(V, 1, MaximumRequests);
  }
  copy->toolNumber = 1;
  const std::string Tool = ToolComboBox->Text();
  for (const WizardToolEntry& E : WizardTools) {
    if (CompareText(Tool, E.name) == 0) {
      copy->toolNumber = E.tool;
    }
  }
  copy->jobSubtype.assign(ToolSubtypeComboBox->Text().c_str());
  if (batchwizclass* Live = BatchSettings()) {
    Live->copyFrom(*copy);
  }
  ModalResult = mrOk;
}

void TWizardOptionsForm::HelpBtnClick(TObject*) {
  const char* Page = OptionsPageControl->ActivePage() == ReportingSheet ? "wizardreportingtab.html"
                     : OptionsPageControl->ActivePage() == LinksSheet   ? "wizardlinkstab.html"
                                                                        : "wizardoptionstab.html";
  const char* Folder =
      prg != nullptr && prg->volatileState != nullptr ? prg->volatileState->documentationFolder.text : "";
  if (!DisplayHelpTopic(Application->Handle(), Page, Folder)) {
    (void)ReportInternalError(-1, "HelpBtnClick", "can't get help file");  // the report is the whole answer
  }
}

namespace {

// A file dialog made on the spot: true with the chosen name.
bool ChooseFile(TComponent* Owner, bool Save, const char* Filter, const char* Ext, const char* Title,
                const std::string& Start, std::string& Chosen) {
  std::unique_ptr<TOpenDialog> Dialog(Save ? new TSaveDialog(Owner) : new TOpenDialog(Owner));
  Dialog->Filter = Filter;
  Dialog->FilterIndex = 1;
  Dialog->DefaultExt = Ext;
  Dialog->Title = Title;
  Dialog->FileName = Start;
  if (!Dialog->Execute()) {
    return false;
  }
  Chosen = Dialog->FileName;
  return true;
}

constexpr const char HtmlFilter[] = "HTML Documents (*.html,*.htm)|*.html;*.htm|All Files (*.*)|*.*";
constexpr const char CssFilter[] = "CSS Documents (*.css)|*.css|All Files (*.*)|*.*";

}  // namespace

void TWizardOptionsForm::ReportFileBrowseBtnClick(TObject*) {
  std::string Chosen;
  const StrStore* Start = copy->getString(BWGET_REPORT);
  if (ChooseFile(this, true, HtmlFilter, "html", "Specify HTML Validation Report File",
                 Start != nullptr ? Start->text : "", Chosen)) {
    (void)copy->setString(Chosen.c_str(), BWSET_REPORT);  // always 0
    ReportFileEdit->SetText(Chosen);
  }
}

void TWizardOptionsForm::CSSFileBrowseBtnClick(TObject*) {
  batchwizclass* Live = BatchSettings();
  std::string Chosen;
  if (ChooseFile(this, false, CssFilter, "css", "Specify External CSS File",
                 Live != nullptr ? Live->cssFileName.text : "", Chosen)) {
    if (Live != nullptr) {
      (void)Live->setString(Chosen.c_str(), BWSET_CSS);  // always 0
    }
    CSSFileEdit->SetText(Chosen);
  }
}

void TWizardOptionsForm::FooterFileBrowseBtnClick(TObject*) {
  batchwizclass* Live = BatchSettings();
  std::string Chosen;
  if (ChooseFile(this, false, HtmlFilter, "html", "Specify External HTML Footer File",
                 Live != nullptr ? Live->footerFileName.text : "", Chosen)) {
    if (Live != nullptr) {
      (void)Live->setString(Chosen.c_str(), BWSET_FOOTER);  // always 0
    }
    FooterFileEdit->SetText(Chosen);
  }
}
