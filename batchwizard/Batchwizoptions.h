// TWizardOptionsForm: the batch wizard's options dialog. It edits a working copy of the batch settings, filled
// from the live settings each time it is shown and copied back by OK.
#pragma once

#include "core/Batchwizclass.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Made on first use by the batch wizard window (its owner) and shown modally; no taskbar button, its window
// parented to the batch wizard's.
class TWizardOptionsForm : public TForm {
  Z_CLASS(TWizardOptionsForm, TForm)
public:
  explicit TWizardOptionsForm(TComponent* AOwner);
  ~TWizardOptionsForm() override;
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  TPageControl* OptionsPageControl = nullptr;
  TTabSheet* GeneralSheet = nullptr;
  TGroupBox* ToolGroupBox = nullptr;
  TComboBox* ToolComboBox = nullptr;
  TComboBox* ToolSubtypeComboBox = nullptr;
  TGroupBox* MiscGroupBox = nullptr;
  TLabel* MaximumTargetsLabel = nullptr;
  TEdit* MaximumTargetsEdit = nullptr;
  TLabel* MaximumHTTPRequestsLabel = nullptr;
  TEdit* MaximumHTTPRequests = nullptr;
  TCheckBox* AutoDeselectCheckBox = nullptr;
  TCheckBox* AutoOpenHTMLReportCheckBox = nullptr;
  TCheckBox* AutoAutoSizeCheckBox = nullptr;
  TCheckBox* DCOpenInEditorCheckBox = nullptr;
  TCheckBox* VerboseCheckBox = nullptr;
  TCheckBox* AutoSetIFlagCheckBox = nullptr;
  TCheckBox* ShowProgressCheckBox = nullptr;
  TTabSheet* ReportingSheet = nullptr;
  TGroupBox* OtherOptionsGroupBox = nullptr;
  TLabel* ReportsPerPageLabel = nullptr;
  TEdit* ReportsPerPageEdit = nullptr;
  TCheckBox* OnlyErrorOrWarningResultsCheckBox = nullptr;
  TCheckBox* IncludeSummaryCheckBox = nullptr;
  TCheckBox* MultipleHTMLPageReport = nullptr;
  TGroupBox* FileOptionsGroupBox = nullptr;
  TLabel* ReportFileLabel = nullptr;
  TEdit* ReportFileEdit = nullptr;
  TButton* ReportFileBrowseBtn = nullptr;
  TLabel* CSSFileLabel = nullptr;
  TEdit* CSSFileEdit = nullptr;
  TButton* CSSFileBrowseBtn = nullptr;
  TLabel* FooterFileLabel = nullptr;
  TEdit* FooterFileEdit = nullptr;
  TButton* FooterFileBrowseBtn = nullptr;
  TGroupBox* IncludeSourceGroupBox = nullptr;
  TCheckBox* IncludeErrorsCheckBox = nullptr;
  TCheckBox* IncludeWarningsCheckBox = nullptr;
  TCheckBox* IncludeMessagesCheckBox = nullptr;
  TTabSheet* LinksSheet = nullptr;
  TGroupBox* LinkReportingGroupBox = nullptr;
  TCheckBox* IncludeFailedLinksCheckBox = nullptr;
  TCheckBox* IncludeNotCheckedLinksCheckBox = nullptr;
  TCheckBox* IncludePassedLinksCheckBox = nullptr;
  TCheckBox* ActuallyLinkCheckBox = nullptr;
  TCheckBox* AlwaysGenerateLinkReportCheckBox = nullptr;
  TCheckBox* EnableLinkCheckingCheckBox = nullptr;
  TGroupBox* TextEditGroupBox = nullptr;
  TLabel* DefaultLinkFollowExtensionsLabel = nullptr;
  TEdit* DefaultLinkFollowExtensionsEdit = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TButton* HelpBtn = nullptr;

  // The working copy: made with the dialog, filled when it is shown, copied into the live settings by OK.
  std::unique_ptr<batchwizclass> copy;

  void FormShow(TObject* Sender);
  void OKBtnClick(TObject* Sender);
  void HelpBtnClick(TObject* Sender);
  void CheckBoxClick(TObject* Sender);
  void ToolComboBoxChange(TObject* Sender);
  void ReportFileBrowseBtnClick(TObject* Sender);
  void CSSFileBrowseBtnClick(TObject* Sender);
  void FooterFileBrowseBtnClick(TObject* Sender);

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  std::vector<std::pair<TCheckBox*, unsigned>> Boxes() const;
  void UpdateEnabledStates();
  bool loading = false;
};

// The tools of the tool list, in its order, with the tool numbers they stand for.
struct WizardToolEntry {
  const char* name;
  int tool;
};
extern const WizardToolEntry WizardTools[9];
