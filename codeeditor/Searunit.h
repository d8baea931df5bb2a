// The modal Find dialog of the memo sources (unit Searunit), and the texts the search, replace and go-to
// dialogs share.
#pragma once

#include "codeeditor/Dcstring.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "suitebase/Histed.h"

#include <memory>
#include <string>

namespace Searunit {

inline constexpr const char* SFindText = "Find Text";
inline constexpr const char* SReplText = "Replace Text";
inline constexpr const char* sFindAndRepl = "Find and Replace";
inline constexpr const char* SFind = "Find";
inline constexpr const char* sReplace = "Replace";
inline constexpr const char* STextToFind = "&Text to find:";
inline constexpr const char* SReplaceWith = "&Replace with:";
inline constexpr const char* SCaseSensitive = "&Case sensitive";
inline constexpr const char* SWholeWord = "&Whole words only";
inline constexpr const char* SRegExpr = "Regular e&xpressions";
inline constexpr const char* SPropmtRepl = "&Prompt on replace";
inline constexpr const char* SOptions = "Options";
inline constexpr const char* SDirection = "Direction";
inline constexpr const char* SScope = "Scope";
inline constexpr const char* SOrigin = "Origin";
inline constexpr const char* SForward = "Forwar&d";
inline constexpr const char* SBackward = "&Backward";
inline constexpr const char* SGlobal = "&Global";
inline constexpr const char* SSelText = "&Selected text";
inline constexpr const char* SFromCursor = "&From cursor";
inline constexpr const char* SEntireScope = "&Entire scope";
inline constexpr const char* SReplAll = "Replace &All";
inline constexpr const char* sClose = "Close";
inline constexpr const char* SCapGotoLineNumber = "Go to line Number";
inline constexpr const char* SCapEnterNewLine = "&Enter new line number:";
inline constexpr const char* sGoTo = "Go To";
inline constexpr const char* sLine = "Line";
inline constexpr const char* sBookMark = "BookMark";
inline constexpr const char* sMoreButton = "&More";
inline constexpr const char* sLessButton = "&Less";
inline constexpr const char* sReplacements = "%d replacements have been made";
inline constexpr const char* sErrBookmarNotFound = "Bookmark %d not found";

// Registers the classes the three dialogs' layouts name.
void RegisterDialogClasses();

// Fills the radio group with the two texts (once) and selects Index.
void SetChoices(TRadioGroup* Group, const char* First, const char* Second, int Index);

// The modal Find dialog: it edits a copy of the shared search options and assigns it back on OK.
class TSrchDialog : public TForm {
  Z_CLASS(TSrchDialog, TForm)
public:
  explicit TSrchDialog(TComponent* AOwner);
  ~TSrchDialog() override;
  static void Publish(TMetaClass& Meta);
  void FormCreate(TObject* Sender);
  void OKButClick(TObject* Sender);
  Dcstring::TSearchOptions* Options() const { return FOptions.get(); }

  TPageControl* PageControl = nullptr;
  TTabSheet* EditorFindPage = nullptr;
  TLabel* LTexttFind = nullptr;
  Histed::ZEZHistoryEditor* SearText = nullptr;
  TGroupBox* OptionsGroup = nullptr;
  TCheckBox* CaseSens = nullptr;
  TCheckBox* WholeWord = nullptr;
  TCheckBox* RegExpr = nullptr;
  TGroupBox* DirectionGroup = nullptr;
  TRadioButton* dirForward = nullptr;
  TRadioButton* dirBackward = nullptr;
  TRadioGroup* ScopeGroup = nullptr;
  TRadioGroup* OriginGroup = nullptr;
  TTabSheet* FileFindPage = nullptr;
  TPanel* Panel1 = nullptr;
  TButton* OKBut = nullptr;
  TButton* CancelBut = nullptr;
  TButton* HelpBut = nullptr;

private:
  std::unique_ptr<Dcstring::TSearchOptions> FOptions;
};

// The unit's form variable: the Find dialog while one is open.
extern TSrchDialog* SrchDialog;

}  // namespace Searunit
