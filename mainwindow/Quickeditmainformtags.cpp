// The Tags menu of the main window: one table of the texts each command inserts, the insertion into the focused
// editor that wraps a selection, the colour value and the conversion of a selection to entities.
#include "mainwindow/Quickeditmainform.h"

#include "core/Fileinfoclass.h"
#include "core/Prgclass.h"
#include "core/Volatileclass.h"

#include "editor/Easyeditsource.h"
#include "editor/Easystrings.h"
#include "platform/controls/Dialogs.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

// The editor's key commands an insertion runs, and its deletion of the character before the caret.
constexpr Byte KEY_NEW_LINE = 16;
constexpr Byte KEY_TAB = 18;
constexpr Byte DELETE_CHAR_BEFORE = 2;

// One command of the Tags menu: what it inserts in an XHTML document and in any other.
struct TTagRow {
  const char* Command;  // the menu item's name; its handler is the name followed by "Click"
  const char* XhtmlStart;
  const char* XhtmlEnd;
  int XhtmlFlags;
  const char* HtmlStart;
  const char* HtmlEnd;
  int HtmlFlags;
};

#define ZUBQ_PAIR(Command, Name) \
  { Command, "<" Name ">", "</" Name ">", 2, "<" Name ">", "</" Name ">", 0 }
#define ZUBQ_SAME(Command, Start, End, Flags) \
  { Command, Start, End, Flags, Start, End, Flags }
#define ZUBQ_DOCTYPE(Command, Root, Public, Host, Path) \
  ZUBQ_SAME(Command, "<!DOCTYPE " Root " PUBLIC \"" Public "\" \"" Host Path "\">", "", 3)
#define ZUBQ_W3C "http://www.w3.org"
#define ZUBQ_WAP "http://www.wapforum.org"

constexpr TTagRow TagRows[] = {
    ZUBQ_PAIR("TagsBold", "b"),
    ZUBQ_PAIR("TagsItalic", "i"),
    ZUBQ_PAIR("TagsUnderline", "u"),
    ZUBQ_PAIR("TagsBlockquote", "blockquote"),
    ZUBQ_PAIR("TagsCenter", "center"),
    ZUBQ_PAIR("TagsParagraph", "p"),
    ZUBQ_PAIR("TagsHeadingsH1", "h1"),
    ZUBQ_PAIR("TagsHeadingsH2", "h2"),
    ZUBQ_PAIR("TagsHeadingsH3", "h3"),
    ZUBQ_PAIR("TagsHeadingsH4", "h4"),
    ZUBQ_PAIR("TagsHeadingsH5", "h5"),
    ZUBQ_PAIR("TagsHeadingsH6", "h6"),
    ZUBQ_PAIR("TagsTablesTABLE", "table"),
    ZUBQ_PAIR("TagsTablesTR", "tr"),
    ZUBQ_PAIR("TagsTablesTH", "th"),
    ZUBQ_PAIR("TagsTablesTD", "td"),
    ZUBQ_PAIR("TagsTablesCAPTION", "caption"),
    ZUBQ_PAIR("TagsTablesTHEAD", "thead"),
    ZUBQ_PAIR("TagsTablesTBODY", "tbody"),
    ZUBQ_PAIR("TagsTablesTFOOT", "tfoot"),
    ZUBQ_PAIR("TagsFormsSELECT", "select"),
    ZUBQ_PAIR("TagsFormsOPTION", "option"),
    ZUBQ_PAIR("TagsFormsTEXTAREA", "textarea"),
    ZUBQ_PAIR("TagsFramesFRAMESET", "frameset"),
    ZUBQ_PAIR("TagsFramesIFRAME", "iframe"),
    ZUBQ_PAIR("TagsFramesNOFRAMES", "noframes"),
    ZUBQ_PAIR("TagsListsOL", "ol"),
    ZUBQ_PAIR("TagsListsUL", "ul"),
    ZUBQ_PAIR("TagsListsLI", "li"),
    ZUBQ_PAIR("TagsListsDD", "dd"),
    ZUBQ_PAIR("TagsListsDT", "dt"),
    ZUBQ_PAIR("TagsListsMENU", "menu"),
    ZUBQ_PAIR("TagsTextACRONYM", "acronym"),
    ZUBQ_PAIR("TagsTextBIG", "big"),
    ZUBQ_PAIR("TagsTextBLINK", "blink"),
    ZUBQ_PAIR("TagsTextCITE", "cite"),
    ZUBQ_PAIR("TagsTextCODE", "code"),
    ZUBQ_PAIR("TagsTextDEL", "del"),
    ZUBQ_PAIR("TagsTextDFN", "dfn"),
    ZUBQ_PAIR("TagsTextEM", "em"),
    ZUBQ_PAIR("TagsTextINS", "ins"),
    ZUBQ_PAIR("TagsTextKBD", "kbd"),
    ZUBQ_PAIR("TagsTextQ", "q"),
    ZUBQ_PAIR("TagsTextS", "s"),
    ZUBQ_PAIR("TagsTextSAMP", "samp"),
    ZUBQ_PAIR("TagsTextSMALL", "small"),
    ZUBQ_PAIR("TagsTextSTRIKE", "strike"),
    ZUBQ_PAIR("TagsTextSTRONG", "strong"),
    ZUBQ_PAIR("TagsTextSUB", "sub"),
    ZUBQ_PAIR("TagsTextSUP", "sup"),
    ZUBQ_PAIR("TagsTextTT", "tt"),
    ZUBQ_PAIR("TagsTextVAR", "var"),
    ZUBQ_PAIR("TagsMediaAPPLET", "applet"),
    ZUBQ_PAIR("TagsMediaEMBED", "embed"),
    ZUBQ_PAIR("TagsMediaOBJECT", "object"),
    {"TagsA", "<a href=\"", "\"></a>", 2, "<a href=\"", "\"></a>", 0},
    {"TagsFormsFORM", "<form action=\"", "\"></form>", 2, "<form action=\"", "\"></form>", 0},
    {"TagsFormsINPUT", "<input type=\"", "\"></input>", 2, "<input type=\"", "\"></input>", 0},
    {"TagsTextFONT", "<font ", "></font>", 2, "<font ", "></font>", 0},
    {"TagsBreak", "<br />", "", 2, "<br>", "", 0},
    {"TagsBreakAndNewline", "<br />", "", 3, "<br>", "", 1},
    {"TagsHorizontalRule", "<hr />", "", 2, "<hr>", "", 0},
    {"TagsFramesFRAME", "<frame src=\"", "\" />", 2, "<frame src=\"", "\">", 0},
    {"TagsMediaBGSOUND", "<bgsound src=\"", "\" />", 2, "<bgsound src=\"", "\">", 0},
    {"TagsMediaIMG", "<img src=\"", "\" alt=\"\" />", 2, "<img src=\"", "\" alt=\"\">", 0},
    {"TagsMetaDescription", "<meta name=\"description\" content=\"", "\" />", 3,
     "<meta name=\"description\" content=\"", "\">", 1},
    {"TagsMetaKeywords", "<meta name=\"keywords\" content=\"", "\" />", 3, "<meta name=\"keywords\" content=\"", "\">",
     1},
    {"TagsMetaAuthor", "<meta name=\"author\" content=\"", "\" />", 3, "<meta name=\"author\" content=\"", "\">", 1},
    {"TagsMetaCopyright", "<meta name=\"copyright\" content=\"", "\" />", 3, "<meta name=\"copyright\" content=\"",
     "\">", 1},
    {"TagsMetaRSACiRating", "<meta http-equiv=\"PICS-Label\" content='", "' />", 3,
     "<meta http-equiv=\"PICS-Label\" content='", "'>", 1},
    {"TagsMetaCSS1", "<meta http-equiv=\"Content-Style-Type\" content=\"text/css\" />", "", 3,
     "<meta http-equiv=\"Content-Style-Type\" content=\"text/css\">", "", 1},
    {"TagsMetaCSS2", "<meta http-equiv=\"Content-Style-Type\" content=\"text/css2\" />", "", 3,
     "<meta http-equiv=\"Content-Style-Type\" content=\"text/css2\">", "", 1},
    ZUBQ_SAME("TagsStartTag", "<", ">", 0),
    ZUBQ_SAME("TagsEndTag", "</", ">", 0),
    ZUBQ_SAME("TagsComment", "<!-- ", " -->", 0),
    ZUBQ_SAME("TagsEntitiesSpace", "&nbsp;", "", 2),
    ZUBQ_SAME("TagsEntitiesDoubleQuote", "&quot;", "", 2),
    ZUBQ_SAME("TagsEntitiesLessThan", "&lt;", "", 2),
    ZUBQ_SAME("TagsEntitiesGreaterThan", "&gt;", "", 2),
    ZUBQ_SAME("TagsEntitiesAmpersand", "&amp;", "", 2),
    ZUBQ_SAME("TagsEntitiesCopyright", "&copy;", "", 2),
    ZUBQ_SAME("TagsEntitiesTrademark", "&#153;", "", 2),
    ZUBQ_DOCTYPE("TagsHTML401Strict", "HTML", "-//W3C//DTD HTML 4.01//EN", ZUBQ_W3C, "/TR/html4/strict.dtd"),
    ZUBQ_DOCTYPE("TagsHTML401Transitional", "HTML", "-//W3C//DTD HTML 4.01 Transitional//EN", ZUBQ_W3C,
                 "/TR/html4/loose.dtd"),
    ZUBQ_DOCTYPE("TagsHTML401Frameset", "HTML", "-//W3C//DTD HTML 4.01 Frameset//EN", ZUBQ_W3C,
                 "/TR/html4/frameset.dtd"),
    ZUBQ_DOCTYPE("TagsXHTML10Strict", "html", "-//W3C//DTD XHTML 1.0 Strict//EN", ZUBQ_W3C,
                 "/TR/xhtml1/DTD/xhtml1-strict.dtd"),
    ZUBQ_DOCTYPE("TagsXHTML10Transitional", "html", "-//W3C//DTD XHTML 1.0 Transitional//EN", ZUBQ_W3C,
                 "/TR/xhtml1/DTD/xhtml1-transitional.dtd"),
    ZUBQ_DOCTYPE("TagsXHTML10Frameset", "html", "-//W3C//DTD XHTML 1.0 Frameset//EN", ZUBQ_W3C,
                 "/TR/xhtml1/DTD/xhtml1-frameset.dtd"),
    ZUBQ_DOCTYPE("XHTML111", "html", "-//W3C//DTD XHTML 1.1//EN", ZUBQ_W3C, "/TR/xhtml11/DTD/xhtml11.dtd"),
    ZUBQ_SAME("TagsXMLDeclaration", "<?xml version=\"1.0\"?>", "", 3),
    ZUBQ_DOCTYPE("TagsWMLPrologue", "wml", "-//WAPFORUM//DTD WML 1.2//EN", ZUBQ_WAP, "/DTD/wml_1.2.xml"),
};

#undef ZUBQ_PAIR
#undef ZUBQ_SAME
#undef ZUBQ_DOCTYPE
#undef ZUBQ_W3C
#undef ZUBQ_WAP

bool StartsWithNoCase(std::string_view Text, std::string_view Prefix) {
  if (Text.size() < Prefix.size()) {
    return false;
  }
  for (std::size_t I = 0; I < Prefix.size(); ++I) {
    if (std::tolower(static_cast<unsigned char>(Text[I])) != std::tolower(static_cast<unsigned char>(Prefix[I]))) {
      return false;
    }
  }
  return true;
}

bool ContainsNoCase(std::string_view Text, std::string_view Part) {
  for (std::size_t I = 0; I + Part.size() <= Text.size(); ++I) {
    if (StartsWithNoCase(Text.substr(I), Part)) {
      return true;
    }
  }
  return false;
}

void UpperCaseLetters(std::string& Text) {
  for (char& C : Text) {
    if (C >= 'a' && C <= 'z') {
      C = static_cast<char>(C - 'a' + 'A');
    }
  }
}

// The focused control of the window when it is an editor.
TCustomEasyEdit* FocusedEditor(TZUBQEForm& Form) {
  TWinControl* Control = Form.ActiveControl();
  return Control && Control->ClassName() == "TEasyEdit" ? dynamic_cast<TCustomEasyEdit*>(Control) : nullptr;
}

// Inserts the text at the caret as typed: ordinary characters go into the text, a carriage return (with a line
// feed after it) breaks the line with the editor's auto indent, a tab is the tab key and a backspace deletes the
// character before the caret.
void InsertKeys(TCustomEasyEdit& Editor, const std::string& Text) {
  TCustomEasyEditSource* Source = Editor.GetEditSource();
  std::size_t I = 0;
  while (I < Text.size()) {
    const char C = Text[I];
    if (C == '\r') {
      Editor.ProcessKey(KEY_NEW_LINE);
      I += (I + 1 < Text.size() && Text[I + 1] == '\n') ? 2 : 1;
      continue;
    }
    if (C == '\t') {
      Editor.ProcessKey(KEY_TAB);
      ++I;
      continue;
    }
    if (C == '\b') {
      Editor.DeleteStr(DELETE_CHAR_BEFORE);
      ++I;
      continue;
    }
    const std::size_t End = Text.find_first_of("\r\t\b", I);
    const std::string Run = Text.substr(I, End == std::string::npos ? std::string::npos : End - I);
    const TPoint Char = Source->GetCharacterPos();
    Source->InsertString(Run);
    const int Line = Source->CurrentPosition.Y;
    Source->JumpTo(Source->GetRealPos(Line, Char.X + static_cast<int>(Run.size())), Line);
    I += Run.size();
  }
}

// Inserts the text at the caret as it is (tabs and line breaks included) and leaves it selected.
void PasteSelected(TCustomEasyEdit& Editor, const std::string& Text) {
  TEasyStrings Lines;
  Lines.SetTextBuffer(Text.data(), Text.size());
  if (!Text.empty() && (Text.back() == '\r' || Text.back() == '\n')) {
    Lines.Add(std::string());
  }
  Editor.PasteStrings(&Lines, slStream);
}

// Whether the caret lies in the (ordered) stream selection, its two ends included.
bool CaretInside(const TPoint& Caret, const TRect& Sel) {
  if (Caret.Y < Sel.Top || Caret.Y > Sel.Bottom) {
    return false;
  }
  if (Caret.Y > Sel.Top && Caret.Y < Sel.Bottom) {
    return true;
  }
  const bool AfterStart = Caret.Y > Sel.Top || Caret.X >= Sel.Left;
  const bool BeforeEnd = Caret.Y < Sel.Bottom || Caret.X <= Sel.Right;
  return AfterStart && BeforeEnd;
}

// The selection with its start before its end.
TRect Ordered(TRect R) {
  if (R.Top > R.Bottom || (R.Top == R.Bottom && R.Left > R.Right)) {
    std::swap(R.Left, R.Right);
    std::swap(R.Top, R.Bottom);
  }
  return R;
}

}  // namespace

bool IsXhtmlText(TCustomEasyEditSource* Text) {
  if (Text == nullptr) {
    return false;
  }
  TEasyStrings* Lines = Text->Strings();
  for (int I = 0; I < 2 && I < Lines->Count(); ++I) {
    const std::string Line = Lines->Get(I);
    if (StartsWithNoCase(Line, "<!doctype") && ContainsNoCase(Line, "xhtml")) {
      return true;
    }
  }
  return false;
}

bool TZUBQEForm::CurrentDocumentIsXhtml() {
  fileinfoclass* Document = GetCurrentFile();
  return Document && IsXhtmlText(Document->text);
}

int TZUBQEForm::InsertTag(const char* StartText, const char* EndText, int Flags) {
  std::string Start = StartText ? StartText : "";
  std::string End = EndText ? EndText : "";
  if ((Flags & INSERT_KEEP_CASE) == 0 && prg && prg->editorOptions &&
      prg->editorOptions->flags.has(EOF40::UpperCaseTags)) {
    UpperCaseLetters(Start);
    UpperCaseLetters(End);
  }
  TCustomEasyEdit* Editor = FocusedEditor(*this);
  if (Editor == nullptr) {
    return INSERT_DONE;
  }
  TCustomEasyEditSource* Source = Editor->GetEditSource();
  if (Source->ReadOnly()) {
    (void)ShowMessageBox(StrStore("Document is read only. Cannot insert text."), StrStore("Quillon: Read Only"),
                         MSG_ERROR);
    return INSERT_READ_ONLY;
  }
  Source->LockUndo();
  const TEasyEditorOptions EditorOptions = Editor->Options();
  if (End.empty() && Editor->SelType != slNone && EditorOptions.Contains(eoOverwriteBlocks) &&
      !EditorOptions.Contains(eoPersistentBlocks)) {
    Editor->DeleteBlock();  // typing over the block
  }
  const bool Overwrite = Editor->GetOverwrite();
  Editor->SetOverwrite(false);
  TEasyEditorOptions Working = EditorOptions;
  Working.Include(eoPersistentBlocks);
  Working.Exclude(eoOverwriteBlocks);
  Editor->SetOptions(Working);
  const TEasySourceOptions SourceOptions = Source->Options();
  TEasySourceOptions Typing = SourceOptions;
  Typing.Include(srAutoIndent);
  Typing.Include(srBackUnindents);
  Typing.Include(srLeaveTrailSpaces);
  Source->SetOptions(Typing);

  const TPoint Caret = Editor->GetCurrentPosition();
  const TEasySelType SelType = Editor->SelType;
  const TRect Sel = Ordered(Editor->SelRect);
  const bool Wrap = SelType == slStream && !End.empty() && (Sel.Top != Sel.Bottom || Sel.Left != Sel.Right) &&
                    CaretInside(Caret, Sel);
  if (Wrap) {
    // The end text goes after the selection and the start text before it; the selected text itself is never
    // taken out and put back, so it stays exactly as it was (tabs, blanks and line breaks) whatever its size.
    Source->SetCurrentPosition(TPoint{Sel.Left, Sel.Top});
    const int StartChar = Source->GetCharacterPos().X;
    Source->SetCurrentPosition(TPoint{Sel.Right, Sel.Bottom});
    const int EndChar = Source->GetCharacterPos().X;
    InsertKeys(*Editor, End);
    Source->SetCurrentPosition(TPoint{Sel.Left, Sel.Top});
    InsertKeys(*Editor, Start);
    const TPoint Between = Source->CurrentPosition;
    const int Shift = Source->GetCharacterPos().X - StartChar;
    const int EndLine = Sel.Bottom + (Between.Y - Sel.Top);
    const int EndX = Source->GetRealPos(EndLine, Sel.Top == Sel.Bottom ? EndChar + Shift : EndChar);
    Source->SetCurrentPosition(TPoint{EndX, EndLine});
    Editor->SetSelection(Rect(Between.X, Between.Y, EndX, EndLine), SelType);
  } else {
    InsertKeys(*Editor, Start);
    const TPoint Between = Source->CurrentPosition;
    InsertKeys(*Editor, End);
    Source->SetCurrentPosition(Between);
    if ((Flags & INSERT_NEW_LINE) != 0 && End.empty()) {
      Editor->ProcessKey(KEY_NEW_LINE);
    }
  }
  Source->UnlockUndo();
  Source->SetOptions(SourceOptions);
  Editor->SetOptions(EditorOptions);
  Editor->SetOverwrite(Overwrite);
  return INSERT_DONE;
}

int TZUBQEForm::InsertTagsCommand(const char* Command) {
  if (!prg || !prg->volatileState || prg->volatileState->shuttingDown != 0) {
    return INSERT_DONE;
  }
  for (const TTagRow& Row : TagRows) {
    if (std::string_view(Row.Command) != Command) {
      continue;
    }
    if (std::string_view(Command) == "TagsWMLPrologue") {
      // The XML declaration comes first, on its own line.
      const int Result = InsertTagsCommand("TagsXMLDeclaration");
      if (Result != INSERT_DONE) {
        return Result;
      }
    }
    return CurrentDocumentIsXhtml() ? InsertTag(Row.XhtmlStart, Row.XhtmlEnd, Row.XhtmlFlags)
                                    : InsertTag(Row.HtmlStart, Row.HtmlEnd, Row.HtmlFlags);
  }
  return INSERT_DONE;
}

void TZUBQEForm::TagsColorClick(TObject*) {
  if (!prg || !prg->volatileState || prg->volatileState->shuttingDown != 0) {
    return;
  }
  if (TagColorDialog == nullptr) {
    TagColorDialog = new TColorDialog(this);
    TagColorDialog->Options.Include(cdFullOpen);
    TagColorDialog->Options.Include(cdAnyColor);
  }
  if (!TagColorDialog->Execute()) {
    return;
  }
  const unsigned Color = static_cast<unsigned>(TagColorDialog->Color);
  char Text[8] = {};
  std::snprintf(Text, sizeof(Text), "#%.2x%.2x%.2x", Color & 0xFFu, (Color >> 8) & 0xFFu, (Color >> 16) & 0xFFu);
  (void)InsertTag(Text, "", 0);
}

void TZUBQEForm::EditorPopupConvertToEntitiesClick(TObject*) {
  TEasyEdit* Editor = CurrentEditor;
  if (!Editor || Editor->GetReadOnly()) {
    return;
  }
  const std::string Selected = Editor->GetSelText();
  if (Selected.empty()) {
    return;
  }
  std::string Converted;
  Converted.reserve(Selected.size() + Selected.size() / 4);
  for (char C : Selected) {
    switch (C) {
      case '&': Converted += "&amp;"; break;
      case '<': Converted += "&lt;"; break;
      case '>': Converted += "&gt;"; break;
      default: Converted += C; break;
    }
  }
  TCustomEasyEditSource* Source = Editor->GetEditSource();
  Source->LockUndo();
  Editor->DeleteBlock();
  PasteSelected(*Editor, Converted);
  Source->UnlockUndo();
}

// ---- The Tags menu's handlers: each inserts its row of the table ----------------------------------------------

#define ZUBQ_TAG_HANDLER(Command) \
  void TZUBQEForm::Command##Click(TObject*) { (void)InsertTagsCommand(#Command); }
ZUBQ_TAG_HANDLER(TagsStartTag)
ZUBQ_TAG_HANDLER(TagsEndTag)
ZUBQ_TAG_HANDLER(TagsBold)
ZUBQ_TAG_HANDLER(TagsItalic)
ZUBQ_TAG_HANDLER(TagsUnderline)
ZUBQ_TAG_HANDLER(TagsA)
ZUBQ_TAG_HANDLER(TagsBlockquote)
ZUBQ_TAG_HANDLER(TagsBreak)
ZUBQ_TAG_HANDLER(TagsBreakAndNewline)
ZUBQ_TAG_HANDLER(TagsCenter)
ZUBQ_TAG_HANDLER(TagsComment)
ZUBQ_TAG_HANDLER(TagsHorizontalRule)
ZUBQ_TAG_HANDLER(TagsParagraph)
ZUBQ_TAG_HANDLER(TagsHTML401Strict)
ZUBQ_TAG_HANDLER(TagsHTML401Transitional)
ZUBQ_TAG_HANDLER(TagsHTML401Frameset)
ZUBQ_TAG_HANDLER(TagsXHTML10Strict)
ZUBQ_TAG_HANDLER(TagsXHTML10Transitional)
ZUBQ_TAG_HANDLER(TagsXHTML10Frameset)
ZUBQ_TAG_HANDLER(XHTML111)
ZUBQ_TAG_HANDLER(TagsXMLDeclaration)
ZUBQ_TAG_HANDLER(TagsWMLPrologue)
ZUBQ_TAG_HANDLER(TagsEntitiesAmpersand)
ZUBQ_TAG_HANDLER(TagsEntitiesCopyright)
ZUBQ_TAG_HANDLER(TagsEntitiesDoubleQuote)
ZUBQ_TAG_HANDLER(TagsEntitiesGreaterThan)
ZUBQ_TAG_HANDLER(TagsEntitiesLessThan)
ZUBQ_TAG_HANDLER(TagsEntitiesSpace)
ZUBQ_TAG_HANDLER(TagsEntitiesTrademark)
ZUBQ_TAG_HANDLER(TagsFormsFORM)
ZUBQ_TAG_HANDLER(TagsFormsINPUT)
ZUBQ_TAG_HANDLER(TagsFormsOPTION)
ZUBQ_TAG_HANDLER(TagsFormsSELECT)
ZUBQ_TAG_HANDLER(TagsFormsTEXTAREA)
ZUBQ_TAG_HANDLER(TagsFramesFRAMESET)
ZUBQ_TAG_HANDLER(TagsFramesFRAME)
ZUBQ_TAG_HANDLER(TagsFramesIFRAME)
ZUBQ_TAG_HANDLER(TagsFramesNOFRAMES)
ZUBQ_TAG_HANDLER(TagsHeadingsH1)
ZUBQ_TAG_HANDLER(TagsHeadingsH2)
ZUBQ_TAG_HANDLER(TagsHeadingsH3)
ZUBQ_TAG_HANDLER(TagsHeadingsH4)
ZUBQ_TAG_HANDLER(TagsHeadingsH5)
ZUBQ_TAG_HANDLER(TagsHeadingsH6)
ZUBQ_TAG_HANDLER(TagsListsOL)
ZUBQ_TAG_HANDLER(TagsListsUL)
ZUBQ_TAG_HANDLER(TagsListsLI)
ZUBQ_TAG_HANDLER(TagsListsDD)
ZUBQ_TAG_HANDLER(TagsListsDT)
ZUBQ_TAG_HANDLER(TagsListsMENU)
ZUBQ_TAG_HANDLER(TagsMediaAPPLET)
ZUBQ_TAG_HANDLER(TagsMediaBGSOUND)
ZUBQ_TAG_HANDLER(TagsMediaEMBED)
ZUBQ_TAG_HANDLER(TagsMediaIMG)
ZUBQ_TAG_HANDLER(TagsMediaOBJECT)
ZUBQ_TAG_HANDLER(TagsMetaAuthor)
ZUBQ_TAG_HANDLER(TagsMetaCopyright)
ZUBQ_TAG_HANDLER(TagsMetaCSS1)
ZUBQ_TAG_HANDLER(TagsMetaCSS2)
ZUBQ_TAG_HANDLER(TagsMetaDescription)
ZUBQ_TAG_HANDLER(TagsMetaKeywords)
ZUBQ_TAG_HANDLER(TagsMetaRSACiRating)
ZUBQ_TAG_HANDLER(TagsTablesTABLE)
ZUBQ_TAG_HANDLER(TagsTablesTR)
ZUBQ_TAG_HANDLER(TagsTablesTH)
ZUBQ_TAG_HANDLER(TagsTablesTD)
ZUBQ_TAG_HANDLER(TagsTablesCAPTION)
ZUBQ_TAG_HANDLER(TagsTablesTHEAD)
ZUBQ_TAG_HANDLER(TagsTablesTBODY)
ZUBQ_TAG_HANDLER(TagsTablesTFOOT)
ZUBQ_TAG_HANDLER(TagsTextACRONYM)
ZUBQ_TAG_HANDLER(TagsTextBIG)
ZUBQ_TAG_HANDLER(TagsTextBLINK)
ZUBQ_TAG_HANDLER(TagsTextCITE)
ZUBQ_TAG_HANDLER(TagsTextCODE)
ZUBQ_TAG_HANDLER(TagsTextDEL)
ZUBQ_TAG_HANDLER(TagsTextDFN)
ZUBQ_TAG_HANDLER(TagsTextEM)
ZUBQ_TAG_HANDLER(TagsTextFONT)
ZUBQ_TAG_HANDLER(TagsTextINS)
ZUBQ_TAG_HANDLER(TagsTextKBD)
ZUBQ_TAG_HANDLER(TagsTextQ)
ZUBQ_TAG_HANDLER(TagsTextS)
ZUBQ_TAG_HANDLER(TagsTextSAMP)
ZUBQ_TAG_HANDLER(TagsTextSMALL)
ZUBQ_TAG_HANDLER(TagsTextSTRIKE)
ZUBQ_TAG_HANDLER(TagsTextSTRONG)
ZUBQ_TAG_HANDLER(TagsTextSUB)
ZUBQ_TAG_HANDLER(TagsTextSUP)
ZUBQ_TAG_HANDLER(TagsTextTT)
ZUBQ_TAG_HANDLER(TagsTextVAR)
#undef ZUBQ_TAG_HANDLER
