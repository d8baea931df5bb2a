// The non-modal, always-on-top Find and Replace window with its Go To page (unit Searrepldlg). It works on the
// memo source of the editor that had the focus last (CurrentFindSource) and reports in its info lines.
#pragma once

#include "codeeditor/Searunit.h"
#include "platform/controls/Buttons.h"

namespace Searrepldlg {

class TFrmSearRepl : public TForm {
  Z_CLASS(TFrmSearRepl, TForm)
public:
  explicit TFrmSearRepl(TComponent* AOwner);
  ~TFrmSearRepl() override;
  static void Publish(TMetaClass& Meta);

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ExBtnClick(TObject* Sender);
  void FindBtnClick(TObject* Sender);
  void ReplBtnClick(TObject* Sender);
  void GoToBtnClick(TObject* Sender);
  void CloseBtnClick(TObject* Sender);
  void PageControlChange(TObject* Sender);
  void AssignOptions();
  // Selects page 0 (Find), 1 (Replace) or 2 (Go To) and focuses its first field.
  void SetActiveIndex(int Index);
  void ShowInfo(const std::string& S);
  // Moves the window off R (screen coordinates of found text): below it, or above it when below would reach
  // the screen's bottom.
  void MakeSearchVisible(const TRect& R);
  bool Expanded() const { return ExPanel->Visible(); }
  Dcstring::TSearchOptions* Options() const { return FOptions.get(); }

  TPageControl* PageControl = nullptr;
  TTabSheet* EditorFindPage = nullptr;
  TLabel* LTexttFind = nullptr;
  Histed::ZEZHistoryEditor* SearText = nullptr;
  TLabel* InfoLbl = nullptr;
  TTabSheet* EditorReplacePage = nullptr;
  TLabel* Label1 = nullptr;
  Histed::ZEZHistoryEditor* SearText1 = nullptr;
  TLabel* LReplWith = nullptr;
  Histed::ZEZHistoryEditor* ReplText = nullptr;
  TLabel* InfoLbl1 = nullptr;
  TTabSheet* GotoTab = nullptr;
  TLabel* Label4 = nullptr;
  TListBox* GotoBox = nullptr;
  TLabel* InputLabel = nullptr;
  TEdit* LineEd = nullptr;
  TLabel* InfoLbl2 = nullptr;
  TPanel* Panel2 = nullptr;
  TBitBtn* ExBtn = nullptr;
  TButton* FindBtn = nullptr;
  TButton* ReplBtn = nullptr;
  TButton* ReplAllBtn = nullptr;
  TButton* GoToBtn = nullptr;
  TButton* CloseBtn = nullptr;
  TPanel* ExPanel = nullptr;
  TGroupBox* gbxOptions = nullptr;
  TCheckBox* CaseSens = nullptr;
  TCheckBox* WholeWord = nullptr;
  TCheckBox* RegExpr = nullptr;
  TGroupBox* gbxDirection = nullptr;
  TRadioButton* dirForward = nullptr;
  TRadioButton* dirBackward = nullptr;
  TGroupBox* gbxScope = nullptr;
  TRadioButton* ScopeGlobal = nullptr;
  TRadioButton* ScopeSelected = nullptr;

private:
  void ShowExGlyph(bool Open);
  std::unique_ptr<Dcstring::TSearchOptions> FOptions;
};

// The one window, from its first use until it is closed.
extern TFrmSearRepl* FrmSearRepl;
// Closes and frees the window (a memo source that goes away takes the window with it).
void CloseSearchWindow();

}  // namespace Searrepldlg
