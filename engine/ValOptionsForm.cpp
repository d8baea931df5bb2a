// The engine's options window.
#include "engine/ValOptionsForm.h"

#include "engine/EngineTypes.h"

#include "platform/controls/Dialogs.h"

#include <algorithm>
#include <cstdlib>

namespace zubengine {

Z_IMPLEMENT_CLASS_PUBLISHED(TValOptionsForm, TEngineForm, TValOptionsForm::Publish)

void TValOptionsForm::Publish(TMetaClass& Meta) {
  TPublisher<TValOptionsForm> P(Meta);
  using F = TValOptionsForm;
  P.Field("PageControl", &F::PageControl);
  P.Field("ValidatorSheet", &F::ValidatorSheet);
  P.Field("DocumentTypeRadioGroup", &F::DocumentTypeRadioGroup);
  P.Field("RulesGroup", &F::RulesGroup);
  P.Field("MarkupWarningsCheck", &F::MarkupWarningsCheck);
  P.Field("MarkupInfoCheck", &F::MarkupInfoCheck);
  P.Field("XhtmlRulesCheck", &F::XhtmlRulesCheck);
  P.Field("AccessibilityGroup", &F::AccessibilityGroup);
  P.Field("AccessibilityCheck", &F::AccessibilityCheck);
  P.Field("AccessibilityFlagCheck", &F::AccessibilityFlagCheck);
  P.Field("AccessibilityLevelRadioGroup", &F::AccessibilityLevelRadioGroup);
  P.Field("CssGroup", &F::CssGroup);
  P.Field("CssSyntaxCheck", &F::CssSyntaxCheck);
  P.Field("CssPropertiesCheck", &F::CssPropertiesCheck);
  P.Field("CssValuesCheck", &F::CssValuesCheck);
  P.Field("ProgramGroup", &F::ProgramGroup);
  P.Field("SpellingFlagCheck", &F::SpellingFlagCheck);
  P.Field("MessageIdsCheck", &F::MessageIdsCheck);
  P.Field("LinkCheckOnlyCheck", &F::LinkCheckOnlyCheck);
  P.Field("LoggingSheet", &F::LoggingSheet);
  P.Field("LogCheck", &F::LogCheck);
  P.Field("LogFileLabel", &F::LogFileLabel);
  P.Field("LogFileEdit", &F::LogFileEdit);
  P.Field("LogFileBrowseButton", &F::LogFileBrowseButton);
  P.Field("ToolsSheet", &F::ToolsSheet);
  P.Field("LineEndsRadioGroup", &F::LineEndsRadioGroup);
  P.Field("DropNoPauseCheck", &F::DropNoPauseCheck);
  P.Field("NetworkSheet", &F::NetworkSheet);
  P.Field("ProxyForDocumentsCheck", &F::ProxyForDocumentsCheck);
  P.Field("ProxyForLinksCheck", &F::ProxyForLinksCheck);
  P.Field("ProxyHostLabel", &F::ProxyHostLabel);
  P.Field("ProxyHostEdit", &F::ProxyHostEdit);
  P.Field("ProxyPortLabel", &F::ProxyPortLabel);
  P.Field("ProxyPortEdit", &F::ProxyPortEdit);
  P.Field("ProxyUserLabel", &F::ProxyUserLabel);
  P.Field("ProxyUserEdit", &F::ProxyUserEdit);
  P.Field("ProxyPasswordLabel", &F::ProxyPasswordLabel);
  P.Field("ProxyPasswordEdit", &F::ProxyPasswordEdit);
  P.Field("LinkTimeoutLabel", &F::LinkTimeoutLabel);
  P.Field("LinkTimeoutEdit", &F::LinkTimeoutEdit);
  P.Field("OKButton", &F::OKButton);
  P.Field("CancelButton", &F::CancelButton);
}

namespace {

// The settings' bits as the controls show them.
constexpr std::uint32_t ProxyForDocuments = 1;  // ZUB_CONFIG_PROXY_FLAGS
constexpr int LinkCheckOnlyOffered = 1;         // ZUB_CONFIG_LINK_CHECK_MENU
constexpr int ValidatorPage = 0;
constexpr int LoggingPage = 1;
constexpr int ToolsPage = 2;
constexpr int NetworkPage = 3;
constexpr int HighestPort = 65535;

bool AllDigits(const std::string& S) {
  if (S.empty()) {
    return false;
  }
  for (char C : S) {
    if (C < '0' || C > '9') {
      return false;
    }
  }
  return true;
}

std::string TrimBlanks(const std::string& S) {
  const std::size_t B = S.find_first_not_of(" \t");
  if (B == std::string::npos) {
    return {};
  }
  return S.substr(B, S.find_last_not_of(" \t") - B + 1);
}

}  // namespace

void TValOptionsForm::AfterConstruction() {
  TEngineForm::AfterConstruction();
  OKButton->OnClick = [this](TObject*) { OKButtonClick(); };
  LogFileBrowseButton->OnClick = [this](TObject*) { LogFileBrowseButtonClick(); };
}

int TValOptionsForm::PageForValue(int Value) {
  switch (Value) {
    case 1: return LoggingPage;
    case 2: return NetworkPage;
    case 8: return ToolsPage;
    default: return ValidatorPage;
  }
}

void TValOptionsForm::ShowPage(int Index) {
  if (Index >= 0 && Index < PageControl->PageCount()) {
    PageControl->SetActivePageIndex(Index);
  }
}

void TValOptionsForm::LoadFrom(const TEngineConfig& C) {
  Work = C;
  const std::uint32_t Markup = C.Flags(ZUB_CONFIG_MARKUP_OPTIONS);
  DocumentTypeRadioGroup->SetItemIndex((Markup & ZUB_MARKUP_ALWAYS_XHTML) ? 1 : (Markup & ZUB_MARKUP_NEVER_XHTML) ? 2 : 0);
  MarkupWarningsCheck->SetChecked(C.ProgramFlags.test(FlagMarkupWarnings));
  MarkupInfoCheck->SetChecked(C.ProgramFlags.test(FlagMarkupInfo));
  XhtmlRulesCheck->SetChecked(C.ProgramFlags.test(FlagXhtmlRules));
  AccessibilityCheck->SetChecked((Markup & ZUB_MARKUP_ACCESSIBILITY) != 0);
  AccessibilityFlagCheck->SetChecked(C.ProgramFlags.test(FlagAccessibility));
  AccessibilityLevelRadioGroup->SetItemIndex(std::clamp(C.AccessibilityLevel, 1, 3) - 1);
  CssSyntaxCheck->SetChecked((C.Flags(ZUB_CONFIG_CSS_OPTIONS) & ZUB_CSS_SYNTAX_CHECK) != 0);
  CssPropertiesCheck->SetChecked(C.ProgramFlags.test(FlagCssProperties));
  CssValuesCheck->SetChecked(C.ProgramFlags.test(FlagCssValues));
  SpellingFlagCheck->SetChecked(C.ProgramFlags.test(FlagSpelling));
  MessageIdsCheck->SetChecked(C.MessageIdsInUse != 0);
  LinkCheckOnlyCheck->SetChecked((C.LinkCheckOnlyMenu & LinkCheckOnlyOffered) != 0);
  LogCheck->SetChecked((C.Flags(ZUB_CONFIG_LOG_OPTIONS) & ZUB_LOG_VALIDATIONS) != 0);
  LogFileEdit->SetText(C.LogFile);
  LineEndsRadioGroup->SetItemIndex(std::clamp(C.LineEndFormat, 0, 2));
  DropNoPauseCheck->SetChecked((C.Flags(ZUB_CONFIG_DROP_OPTIONS) & ZUB_DROP_NO_PAUSE) != 0);
  ProxyForDocumentsCheck->SetChecked((static_cast<std::uint32_t>(C.ProxyFlags) & ProxyForDocuments) != 0);
  ProxyForLinksCheck->SetChecked((C.Flags(ZUB_CONFIG_NETWORK_OPTIONS) & ZUB_NETWORK_USE_PROXY) != 0);
  ProxyHostEdit->SetText(C.ProxyHost);
  ProxyPortEdit->SetText(C.ProxyPort);
  ProxyUserEdit->SetText(C.ProxyUser);
  ProxyPasswordEdit->SetText(C.ProxyPassword);
  LinkTimeoutEdit->SetText(std::to_string(C.LinkTimeout));
}

bool TValOptionsForm::StoreTo(TEngineConfig& C) {
  // The values that can be wrong first, so that nothing is taken from a window that is refused.
  const std::string Port = TrimBlanks(ProxyPortEdit->Text());
  if (!Port.empty() && (!AllDigits(Port) || Port.size() > 5 || std::atoi(Port.c_str()) < 1 ||
                        std::atoi(Port.c_str()) > HighestPort)) {
    ShowPage(NetworkPage);
    InputError("The proxy port must be a number from 1 to 65535, or empty.", ProxyPortEdit);
    return false;
  }
  const std::string Timeout = TrimBlanks(LinkTimeoutEdit->Text());
  const int Seconds = AllDigits(Timeout) && Timeout.size() <= 4 ? std::atoi(Timeout.c_str()) : -1;
  if (Seconds < MinLinkTimeout || Seconds > MaxLinkTimeout) {
    ShowPage(NetworkPage);
    InputError("The link check time-out must be a number of seconds from 1 to 600.", LinkTimeoutEdit);
    return false;
  }
  const std::string Log = TrimBlanks(LogFileEdit->Text());
  if (LogCheck->Checked() && Log.empty()) {
    ShowPage(LoggingPage);
    InputError("Validations cannot be logged without a log file. Please enter the log file's name.", LogFileEdit);
    return false;
  }
  const int DocumentType = DocumentTypeRadioGroup->ItemIndex();
  C.SetFlag(ZUB_CONFIG_MARKUP_OPTIONS, ZUB_MARKUP_ALWAYS_XHTML, DocumentType == 1);
  C.SetFlag(ZUB_CONFIG_MARKUP_OPTIONS, ZUB_MARKUP_NEVER_XHTML, DocumentType == 2);
  C.SetFlag(ZUB_CONFIG_MARKUP_OPTIONS, ZUB_MARKUP_ACCESSIBILITY, AccessibilityCheck->Checked());
  C.ProgramFlags.set(FlagMarkupWarnings, MarkupWarningsCheck->Checked());
  C.ProgramFlags.set(FlagMarkupInfo, MarkupInfoCheck->Checked());
  C.ProgramFlags.set(FlagXhtmlRules, XhtmlRulesCheck->Checked());
  C.ProgramFlags.set(FlagAccessibility, AccessibilityFlagCheck->Checked());
  C.ProgramFlags.set(FlagCssProperties, CssPropertiesCheck->Checked());
  C.ProgramFlags.set(FlagCssValues, CssValuesCheck->Checked());
  C.ProgramFlags.set(FlagSpelling, SpellingFlagCheck->Checked());
  if (AccessibilityLevelRadioGroup->ItemIndex() >= 0) {
    C.AccessibilityLevel = AccessibilityLevelRadioGroup->ItemIndex() + 1;
  }
  C.SetFlag(ZUB_CONFIG_CSS_OPTIONS, ZUB_CSS_SYNTAX_CHECK, CssSyntaxCheck->Checked());
  C.MessageIdsInUse = MessageIdsCheck->Checked() ? 1 : 0;
  C.LinkCheckOnlyMenu = LinkCheckOnlyCheck->Checked() ? (C.LinkCheckOnlyMenu | LinkCheckOnlyOffered)
                                                      : (C.LinkCheckOnlyMenu & ~LinkCheckOnlyOffered);
  C.SetFlag(ZUB_CONFIG_LOG_OPTIONS, ZUB_LOG_VALIDATIONS, LogCheck->Checked());
  C.LogFile = Log;
  if (LineEndsRadioGroup->ItemIndex() >= 0) {
    C.LineEndFormat = LineEndsRadioGroup->ItemIndex();
  }
  C.SetFlag(ZUB_CONFIG_DROP_OPTIONS, ZUB_DROP_NO_PAUSE, DropNoPauseCheck->Checked());
  C.ProxyFlags = ProxyForDocumentsCheck->Checked() ? (C.ProxyFlags | static_cast<int>(ProxyForDocuments))
                                                   : (C.ProxyFlags & ~static_cast<int>(ProxyForDocuments));
  C.SetFlag(ZUB_CONFIG_NETWORK_OPTIONS, ZUB_NETWORK_USE_PROXY, ProxyForLinksCheck->Checked());
  C.ProxyHost = TrimBlanks(ProxyHostEdit->Text());
  C.ProxyPort = Port;
  C.ProxyUser = ProxyUserEdit->Text();
  C.ProxyPassword = ProxyPasswordEdit->Text();
  C.LinkTimeout = Seconds;
  return true;
}

void TValOptionsForm::OKButtonClick() {
  if (StoreTo(Work)) {
    ModalResult = mrOk;
  }
}

void TValOptionsForm::LogFileBrowseButtonClick() {
  TSaveDialog Dialog(nullptr);
  Dialog.Title = "Validation Log File";
  Dialog.Filter = "Log files (*.log)|*.log|Text files (*.txt)|*.txt|All files|*";
  Dialog.DefaultExt = "log";
  Dialog.FileName = LogFileEdit->Text();
  if (Dialog.Execute()) {
    LogFileEdit->SetText(Dialog.FileName);
  }
}

}  // namespace zubengine
