// The document-type window.
#include "mainwindow/Editparser.h"

#include "core/Parserclass.h"

#include "platform/classes/ClassRegistry.h"

#include <algorithm>
#include <cctype>
#include <vector>

Z_IMPLEMENT_CLASS_PUBLISHED(TEditParserForm, TForm, TEditParserForm::Publish)

namespace {

void RegisterLayoutClasses() {
  static const bool Done = [] {
    RegisterClasses({TLabel::StaticClass(), TEdit::StaticClass(), TCheckBox::StaticClass(), TButton::StaticClass()});
    return true;
  }();
  (void)Done;
}

std::string AsString(const StrStore& S) { return S.text != nullptr ? std::string(S.text, S.length) : std::string(); }

}  // namespace

void TEditParserForm::Publish(TMetaClass& Meta) {
  TPublisher<TEditParserForm> P(Meta);
  using F = TEditParserForm;
  P.Field("FileExtLabel", &F::FileExtLabel);
  P.Field("FileExtEdit", &F::FileExtEdit);
  P.Field("DelimitersLabel", &F::DelimitersLabel);
  P.Field("DelimitersEdit", &F::DelimitersEdit);
  P.Field("EnableParserCheckBox", &F::EnableParserCheckBox);
  P.Field("LiveSpellCheckBox", &F::LiveSpellCheckBox);
  P.Field("OKBtn", &F::OKBtn);
  P.Field("CancelBtn", &F::CancelBtn);
}

TEditParserForm::TEditParserForm(TComponent* AOwner) : TForm((RegisterLayoutClasses(), AOwner)) {}

void TEditParserForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  if (auto* OwnerWindow = dynamic_cast<TWinControl*>(Owner());
      OwnerWindow != nullptr && OwnerWindow->HandleAllocated()) {
    Params.WndParent = OwnerWindow->Handle();
  }
}

void TEditParserForm::Fill(const parserclass& Definition) {
  SetCaption("Edit Options for " + AsString(Definition.description) + " Documents");
  FileExtEdit->SetText(AsString(Definition.extensions));
  DelimitersEdit->SetText(AsString(Definition.delimiters));
  EnableParserCheckBox->SetChecked(Definition.flags.has(PF::SyntaxHighlighting));
  LiveSpellCheckBox->SetChecked(Definition.flags.has(PF::LiveSpelling));
}

void TEditParserForm::Store(parserclass& Definition) const {
  Definition.extensions = StrStore(NormalizeExtensions(FileExtEdit->Text()).c_str());
  Definition.delimiters = StrStore(DelimitersEdit->Text().c_str());
  Definition.flags.set(PF::SyntaxHighlighting, EnableParserCheckBox->Checked());
  Definition.flags.set(PF::LiveSpelling, LiveSpellCheckBox->Checked());
}

std::string NormalizeExtensions(const std::string& Typed) {
  std::vector<std::string> Seen;
  std::string Result;
  std::string Word;
  auto Flush = [&]() {
    // "*.htm" and ".htm" both name the extension "HTM".
    const std::size_t Start = Word.find_first_not_of("*.");
    std::string Extension = Start == std::string::npos ? std::string() : Word.substr(Start);
    Word.clear();
    if (Extension.empty() || std::find(Seen.begin(), Seen.end(), Extension) != Seen.end()) {
      return;
    }
    Seen.push_back(Extension);
    Result += (Result.empty() ? "" : ",") + Extension;
  };
  for (const char C : Typed) {
    if (C == ',' || C == ';' || std::isspace(static_cast<unsigned char>(C)) != 0) {
      Flush();
    } else {
      Word += static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    }
  }
  Flush();
  return Result;
}
