// The modal Replace dialog of the memo sources (unit Replunit).
#pragma once

#include "codeeditor/Searunit.h"

namespace Replunit {

// The modal result of Replace All.
inline constexpr int mrReplaceAll = 8;

// Edits a copy of the shared search options; OK and Replace All assign it back (Replace All with ReplaceAll set).
class TReplDialog : public TForm {
  Z_CLASS(TReplDialog, TForm)
public:
  explicit TReplDialog(TComponent* AOwner);
  ~TReplDialog() override;
  static void Publish(TMetaClass& Meta);
  void FormCreate(TObject* Sender);
  void OKButClick(TObject* Sender);
  void ReplButClick(TObject* Sender);
  void SaveOptions(bool ReplaceAll);
  Dcstring::TSearchOptions* Options() const { return FOptions.get(); }

  TLabel* LTexttFind = nullptr;
  Histed::ZEZHistoryEditor* SearText = nullptr;
  TLabel* LReplWith = nullptr;
  Histed::ZEZHistoryEditor* ReplText = nullptr;
  TGroupBox* OptionsGroup = nullptr;
  TCheckBox* CaseSens = nullptr;
  TCheckBox* WholeWord = nullptr;
  TCheckBox* RegExpr = nullptr;
  TCheckBox* PromptRepl = nullptr;
  TGroupBox* DirectionGroup = nullptr;
  TRadioButton* dirForward = nullptr;
  TRadioButton* dirBackward = nullptr;
  TRadioGroup* ScopeGroup = nullptr;
  TRadioGroup* OriginGroup = nullptr;
  TButton* OKBut = nullptr;
  TButton* ReplBut = nullptr;
  TButton* CancelBut = nullptr;
  TButton* HelpBut = nullptr;

private:
  std::unique_ptr<Dcstring::TSearchOptions> FOptions;
};

extern TReplDialog* ReplDialog;

}  // namespace Replunit
