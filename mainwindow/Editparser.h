// The document-type window: the file extensions, word delimiters and flags of one document type.
#pragma once

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

#include <string>

class parserclass;

// Made by the editor options window (its owner, also as a window) for one row of its file types list, shown modally and freed
// afterwards. Fill() shows a definition; Store() writes the window's fields into it (the caller does so on OK).
class TEditParserForm : public TForm {
  Z_CLASS(TEditParserForm, TForm)
public:
  explicit TEditParserForm(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);

  TLabel* FileExtLabel = nullptr;
  TEdit* FileExtEdit = nullptr;
  TLabel* DelimitersLabel = nullptr;
  TEdit* DelimitersEdit = nullptr;
  TCheckBox* EnableParserCheckBox = nullptr;
  TCheckBox* LiveSpellCheckBox = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;

  void Fill(const parserclass& Definition);
  void Store(parserclass& Definition) const;

protected:
  // Its window is owned by the window of its owner, so that it stays above the options window.
  void CreateParams(TCreateParams& Params) override;
};

// Extensions as the document types keep them: upper case, without dots or wildcards, separated by commas, each
// once; blanks, commas and semicolons separate what was typed.
std::string NormalizeExtensions(const std::string& Typed);
