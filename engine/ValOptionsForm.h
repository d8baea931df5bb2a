// The engine's options window: the validator, logging, tools and network settings of a configuration.
#pragma once

#include "engine/EngineConfig.h"
#include "engine/EngineForm.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/StdCtrls.h"

namespace zubengine {

// Shown modally by ZUBOpenValidatorOptions over a copy of the configuration; OK stores the copy back, Cancel
// leaves it as it was.
class TValOptionsForm : public TEngineForm {
  Z_CLASS(TValOptionsForm, TEngineForm)
public:
  explicit TValOptionsForm(TComponent* AOwner) : TEngineForm(AOwner) {}
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  // The page a caller's value opens: 1 logging, 2 network, 8 tools, anything else the validator page.
  static int PageForValue(int Value);
  void ShowPage(int Index);

  // Puts the settings into the controls.
  void LoadFrom(const TEngineConfig& C);
  // Takes the controls' settings into C; false (after saying why, with the control focused) when a value is
  // not acceptable, and C is then unchanged.
  bool StoreTo(TEngineConfig& C);

  // The configuration the window edits; OK leaves the window with the controls' settings in it.
  TEngineConfig Work;

  TPageControl* PageControl = nullptr;
  TTabSheet* ValidatorSheet = nullptr;
  TRadioGroup* DocumentTypeRadioGroup = nullptr;
  TGroupBox* RulesGroup = nullptr;
  TCheckBox* MarkupWarningsCheck = nullptr;
  TCheckBox* MarkupInfoCheck = nullptr;
  TCheckBox* XhtmlRulesCheck = nullptr;
  TGroupBox* AccessibilityGroup = nullptr;
  TCheckBox* AccessibilityCheck = nullptr;
  TCheckBox* AccessibilityFlagCheck = nullptr;
  TRadioGroup* AccessibilityLevelRadioGroup = nullptr;
  TGroupBox* CssGroup = nullptr;
  TCheckBox* CssSyntaxCheck = nullptr;
  TCheckBox* CssPropertiesCheck = nullptr;
  TCheckBox* CssValuesCheck = nullptr;
  TGroupBox* ProgramGroup = nullptr;
  TCheckBox* SpellingFlagCheck = nullptr;
  TCheckBox* MessageIdsCheck = nullptr;
  TCheckBox* LinkCheckOnlyCheck = nullptr;
  TTabSheet* LoggingSheet = nullptr;
  TCheckBox* LogCheck = nullptr;
  TLabel* LogFileLabel = nullptr;
  TEdit* LogFileEdit = nullptr;
  TButton* LogFileBrowseButton = nullptr;
  TTabSheet* ToolsSheet = nullptr;
  TRadioGroup* LineEndsRadioGroup = nullptr;
  TCheckBox* DropNoPauseCheck = nullptr;
  TTabSheet* NetworkSheet = nullptr;
  TCheckBox* ProxyForDocumentsCheck = nullptr;
  TCheckBox* ProxyForLinksCheck = nullptr;
  TLabel* ProxyHostLabel = nullptr;
  TEdit* ProxyHostEdit = nullptr;
  TLabel* ProxyPortLabel = nullptr;
  TEdit* ProxyPortEdit = nullptr;
  TLabel* ProxyUserLabel = nullptr;
  TEdit* ProxyUserEdit = nullptr;
  TLabel* ProxyPasswordLabel = nullptr;
  TEdit* ProxyPasswordEdit = nullptr;
  TLabel* LinkTimeoutLabel = nullptr;
  TEdit* LinkTimeoutEdit = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

private:
  void OKButtonClick();
  void LogFileBrowseButtonClick();
};

}  // namespace zubengine
