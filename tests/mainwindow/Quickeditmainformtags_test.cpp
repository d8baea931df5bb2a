// The Tags menu: every command's texts in an HTML and an XHTML document, wrapping a selection as one undo step,
// block selections, the upper-case option, overwrite and persistent blocks, the XHTML mark, the read-only
// refusal, control characters run as editor keys, the colour value and the conversion to entities.
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"

#include "editor/Easyeditsource.h"
#include "platform/win/MessageBox.h"

#include <string>
#include <vector>

namespace {

using Handler = void (TZUBQEForm::*)(TObject*);

struct TagCase {
  const char* Name;
  Handler Command;
  std::string Xhtml;  // the text inserted into an empty line, "|" where the caret ends
  std::string Html;
};

std::string Pair(const std::string& Name) { return "<" + Name + ">|</" + Name + ">"; }

const std::vector<TagCase>& TagCases() {
  using F = TZUBQEForm;
  static const std::vector<TagCase> Cases = [] {
    std::vector<TagCase> C = {
        {"b", &F::TagsBoldClick, "", ""},
        {"i", &F::TagsItalicClick, "", ""},
        {"u", &F::TagsUnderlineClick, "", ""},
        {"blockquote", &F::TagsBlockquoteClick, "", ""},
        {"center", &F::TagsCenterClick, "", ""},
        {"p", &F::TagsParagraphClick, "", ""},
        {"h1", &F::TagsHeadingsH1Click, "", ""},
        {"h2", &F::TagsHeadingsH2Click, "", ""},
        {"h3", &F::TagsHeadingsH3Click, "", ""},
        {"h4", &F::TagsHeadingsH4Click, "", ""},
        {"h5", &F::TagsHeadingsH5Click, "", ""},
        {"h6", &F::TagsHeadingsH6Click, "", ""},
        {"table", &F::TagsTablesTABLEClick, "", ""},
        {"tr", &F::TagsTablesTRClick, "", ""},
        {"th", &F::TagsTablesTHClick, "", ""},
        {"td", &F::TagsTablesTDClick, "", ""},
        {"caption", &F::TagsTablesCAPTIONClick, "", ""},
        {"thead", &F::TagsTablesTHEADClick, "", ""},
        {"tbody", &F::TagsTablesTBODYClick, "", ""},
        {"tfoot", &F::TagsTablesTFOOTClick, "", ""},
        {"select", &F::TagsFormsSELECTClick, "", ""},
        {"option", &F::TagsFormsOPTIONClick, "", ""},
        {"textarea", &F::TagsFormsTEXTAREAClick, "", ""},
        {"frameset", &F::TagsFramesFRAMESETClick, "", ""},
        {"iframe", &F::TagsFramesIFRAMEClick, "", ""},
        {"noframes", &F::TagsFramesNOFRAMESClick, "", ""},
        {"ol", &F::TagsListsOLClick, "", ""},
        {"ul", &F::TagsListsULClick, "", ""},
        {"li", &F::TagsListsLIClick, "", ""},
        {"dd", &F::TagsListsDDClick, "", ""},
        {"dt", &F::TagsListsDTClick, "", ""},
        {"menu", &F::TagsListsMENUClick, "", ""},
        {"acronym", &F::TagsTextACRONYMClick, "", ""},
        {"big", &F::TagsTextBIGClick, "", ""},
        {"blink", &F::TagsTextBLINKClick, "", ""},
        {"cite", &F::TagsTextCITEClick, "", ""},
        {"code", &F::TagsTextCODEClick, "", ""},
        {"del", &F::TagsTextDELClick, "", ""},
        {"dfn", &F::TagsTextDFNClick, "", ""},
        {"em", &F::TagsTextEMClick, "", ""},
        {"ins", &F::TagsTextINSClick, "", ""},
        {"kbd", &F::TagsTextKBDClick, "", ""},
        {"q", &F::TagsTextQClick, "", ""},
        {"s", &F::TagsTextSClick, "", ""},
        {"samp", &F::TagsTextSAMPClick, "", ""},
        {"small", &F::TagsTextSMALLClick, "", ""},
        {"strike", &F::TagsTextSTRIKEClick, "", ""},
        {"strong", &F::TagsTextSTRONGClick, "", ""},
        {"sub", &F::TagsTextSUBClick, "", ""},
        {"sup", &F::TagsTextSUPClick, "", ""},
        {"tt", &F::TagsTextTTClick, "", ""},
        {"var", &F::TagsTextVARClick, "", ""},
        {"applet", &F::TagsMediaAPPLETClick, "", ""},
        {"embed", &F::TagsMediaEMBEDClick, "", ""},
        {"object", &F::TagsMediaOBJECTClick, "", ""},
    };
    for (TagCase& Case : C) {
      Case.Xhtml = Case.Html = Pair(Case.Name);
    }
    const std::string W3 = "http://www.w3.org";
    const auto Doctype = [&](const std::string& Root, const std::string& Public, const std::string& System) {
      return "<!DOCTYPE " + Root + " PUBLIC \"" + Public + "\" \"" + System + "\">\r\n|";
    };
    const std::vector<TagCase> Others = {
        {"a", &F::TagsAClick, "<a href=\"|\"></a>", "<a href=\"|\"></a>"},
        {"form", &F::TagsFormsFORMClick, "<form action=\"|\"></form>", "<form action=\"|\"></form>"},
        {"input", &F::TagsFormsINPUTClick, "<input type=\"|\"></input>", "<input type=\"|\"></input>"},
        {"font", &F::TagsTextFONTClick, "<font |></font>", "<font |></font>"},
        {"br", &F::TagsBreakClick, "<br />|", "<br>|"},
        {"br+nl", &F::TagsBreakAndNewlineClick, "<br />\r\n|", "<br>\r\n|"},
        {"hr", &F::TagsHorizontalRuleClick, "<hr />|", "<hr>|"},
        {"frame", &F::TagsFramesFRAMEClick, "<frame src=\"|\" />", "<frame src=\"|\">"},
        {"bgsound", &F::TagsMediaBGSOUNDClick, "<bgsound src=\"|\" />", "<bgsound src=\"|\">"},
        {"img", &F::TagsMediaIMGClick, "<img src=\"|\" alt=\"\" />", "<img src=\"|\" alt=\"\">"},
        {"description", &F::TagsMetaDescriptionClick, "<meta name=\"description\" content=\"|\" />",
         "<meta name=\"description\" content=\"|\">"},
        {"keywords", &F::TagsMetaKeywordsClick, "<meta name=\"keywords\" content=\"|\" />",
         "<meta name=\"keywords\" content=\"|\">"},
        {"author", &F::TagsMetaAuthorClick, "<meta name=\"author\" content=\"|\" />",
         "<meta name=\"author\" content=\"|\">"},
        {"copyright", &F::TagsMetaCopyrightClick, "<meta name=\"copyright\" content=\"|\" />",
         "<meta name=\"copyright\" content=\"|\">"},
        {"pics", &F::TagsMetaRSACiRatingClick, "<meta http-equiv=\"PICS-Label\" content='|' />",
         "<meta http-equiv=\"PICS-Label\" content='|'>"},
        {"css1", &F::TagsMetaCSS1Click, "<meta http-equiv=\"Content-Style-Type\" content=\"text/css\" />\r\n|",
         "<meta http-equiv=\"Content-Style-Type\" content=\"text/css\">\r\n|"},
        {"css2", &F::TagsMetaCSS2Click, "<meta http-equiv=\"Content-Style-Type\" content=\"text/css2\" />\r\n|",
         "<meta http-equiv=\"Content-Style-Type\" content=\"text/css2\">\r\n|"},
        {"start", &F::TagsStartTagClick, "<|>", "<|>"},
        {"end", &F::TagsEndTagClick, "</|>", "</|>"},
        {"comment", &F::TagsCommentClick, "<!-- | -->", "<!-- | -->"},
        {"nbsp", &F::TagsEntitiesSpaceClick, "&nbsp;|", "&nbsp;|"},
        {"quot", &F::TagsEntitiesDoubleQuoteClick, "&quot;|", "&quot;|"},
        {"lt", &F::TagsEntitiesLessThanClick, "&lt;|", "&lt;|"},
        {"gt", &F::TagsEntitiesGreaterThanClick, "&gt;|", "&gt;|"},
        {"amp", &F::TagsEntitiesAmpersandClick, "&amp;|", "&amp;|"},
        {"copy", &F::TagsEntitiesCopyrightClick, "&copy;|", "&copy;|"},
        {"trade", &F::TagsEntitiesTrademarkClick, "&#153;|", "&#153;|"},
        {"xml", &F::TagsXMLDeclarationClick, "<?xml version=\"1.0\"?>\r\n|", "<?xml version=\"1.0\"?>\r\n|"},
    };
    C.insert(C.end(), Others.begin(), Others.end());
    const std::vector<std::tuple<const char*, Handler, std::string>> Doctypes = {
        {"html401s", &F::TagsHTML401StrictClick,
         Doctype("HTML", "-//W3C//DTD HTML 4.01//EN", W3 + "/TR/html4/strict.dtd")},
        {"html401t", &F::TagsHTML401TransitionalClick,
         Doctype("HTML", "-//W3C//DTD HTML 4.01 Transitional//EN", W3 + "/TR/html4/loose.dtd")},
        {"html401f", &F::TagsHTML401FramesetClick,
         Doctype("HTML", "-//W3C//DTD HTML 4.01 Frameset//EN", W3 + "/TR/html4/frameset.dtd")},
        {"xhtml10s", &F::TagsXHTML10StrictClick,
         Doctype("html", "-//W3C//DTD XHTML 1.0 Strict//EN", W3 + "/TR/xhtml1/DTD/xhtml1-strict.dtd")},
        {"xhtml10t", &F::TagsXHTML10TransitionalClick,
         Doctype("html", "-//W3C//DTD XHTML 1.0 Transitional//EN", W3 + "/TR/xhtml1/DTD/xhtml1-transitional.dtd")},
        {"xhtml10f", &F::TagsXHTML10FramesetClick,
         Doctype("html", "-//W3C//DTD XHTML 1.0 Frameset//EN", W3 + "/TR/xhtml1/DTD/xhtml1-frameset.dtd")},
        {"xhtml11", &F::XHTML111Click,
         Doctype("html", "-//W3C//DTD XHTML 1.1//EN", W3 + "/TR/xhtml11/DTD/xhtml11.dtd")},
        {"wml", &F::TagsWMLPrologueClick,
         "<?xml version=\"1.0\"?>\r\n" +
             Doctype("wml", "-//WAPFORUM//DTD WML 1.2//EN", "http://www.wapforum.org/DTD/wml_1.2.xml")},
    };
    for (const auto& [Name, Command, Text] : Doctypes) {
      C.push_back({Name, Command, Text, Text});
    }
    return C;
  }();
  return Cases;
}

constexpr char XHTML_DOCTYPE[] = "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\">";

class MainFormTags : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Form->Show();
    Harness::RunUntilIdle();
    Form->SetActiveControl(Form->EasyEdit1);
  }
  TEasyEditSource* Source() { return Form->GetCurrentFile()->text; }
  TEasyEdit* Edit() { return Form->EasyEdit1; }
  void SetText(const std::string& S) {
    Source()->Strings()->SetTextBuffer(S.data(), S.size());
    Source()->UndoList()->Clear();
    Source()->RedoList()->Clear();
  }
  std::string Line(int I) { return Source()->Strings()->Get(I); }
  // The text from line First on, with "|" at the caret.
  std::string TextWithCaret(int First) {
    std::string Out;
    const TPoint Caret = Source()->CurrentPosition;
    for (int I = First; I < Source()->Strings()->Count(); ++I) {
      std::string L = Line(I);
      if (I == Caret.Y) {
        L.insert(std::min<std::size_t>(L.size(), static_cast<std::size_t>(Caret.X)), "|");
      }
      Out += (I > First ? "\r\n" : "") + L;
    }
    return Out;
  }
  // Runs the command on an empty line (after an XHTML doctype line when asked); what it left, with the caret.
  std::string Insert(Handler Command, bool Xhtml) {
    SetText(Xhtml ? std::string(XHTML_DOCTYPE) + "\r\n" : std::string("\r\n"));
    const int First = Xhtml ? 1 : 0;
    if (Source()->Strings()->Count() <= First) {
      Source()->Strings()->Add("");
    }
    Source()->SetCurrentPosition(TPoint{0, First});
    (Form->*Command)(nullptr);
    return TextWithCaret(First);
  }
};

TEST_F(MainFormTags, EveryCommandInsertsItsTextsInBothForms) {
  for (const TagCase& Case : TagCases()) {
    SCOPED_TRACE(Case.Name);
    EXPECT_EQ(Insert(Case.Command, false), Case.Html);
    EXPECT_EQ(Insert(Case.Command, true), Case.Xhtml);
  }
}

TEST_F(MainFormTags, BoldWrapsAStreamSelectionMadeEitherWayAsOneUndoStep) {
  for (const bool Backwards : {false, true}) {
    SCOPED_TRACE(Backwards ? "backwards" : "forwards");
    SetText("x abc y");
    // Dragging sets the caret at the end the drag stopped at.
    Edit()->SetSelection(Rect(2, 0, 5, 0), slStream);
    Source()->SetCurrentPosition(TPoint{Backwards ? 2 : 5, 0});
    Edit()->SetSelection(Rect(2, 0, 5, 0), slStream);
    Form->TagsBoldClick(nullptr);
    EXPECT_EQ(Line(0), "x <b>abc</b> y");
    EXPECT_EQ(Edit()->GetSelText(), "abc");
    EXPECT_EQ(Edit()->SelType, slStream);
    Source()->Undo();
    EXPECT_EQ(Line(0), "x abc y");
  }
  // A selection over lines stays whole and selected.
  SetText("one\r\ntwo");
  Source()->SetCurrentPosition(TPoint{3, 1});
  Edit()->SetSelection(Rect(0, 0, 3, 1), slStream);
  Form->TagsParagraphClick(nullptr);
  EXPECT_EQ(Line(0), "<p>one");
  EXPECT_EQ(Line(1), "two</p>");
  EXPECT_EQ(Edit()->GetSelText(), "one\r\ntwo");
}

TEST_F(MainFormTags, BlockSelectionAndNoSelection) {
  // Block selections need word wrap off.
  prg->interface->flags.set(IF40::WordWrap, false);
  ASSERT_EQ(Form->ApplyViewSettings(VIEW_EDITOR_ONLY), 0);
  SetText("abcd\r\nefgh");
  Source()->SetCurrentPosition(TPoint{1, 1});
  Edit()->SetSelection(Rect(1, 0, 3, 1), slBlock);
  Source()->SetCurrentPosition(TPoint{1, 1});
  Form->TagsBoldClick(nullptr);
  EXPECT_EQ(Line(0), "abcd");
  EXPECT_EQ(Line(1), "e<b></b>fgh");
  SetText("");
  Source()->Strings()->Add("");
  Source()->SetCurrentPosition(TPoint{0, 0});
  Form->TagsBoldClick(nullptr);
  EXPECT_EQ(TextWithCaret(0), "<b>|</b>");
}

TEST_F(MainFormTags, UpperCaseOptionForHtmlOnly) {
  prg->editorOptions->flags.set(EOF40::UpperCaseTags, true);
  EXPECT_EQ(Insert(&TZUBQEForm::TagsBoldClick, false), "<B>|</B>");
  EXPECT_EQ(Insert(&TZUBQEForm::TagsMetaDescriptionClick, false), "<META NAME=\"DESCRIPTION\" CONTENT=\"|\">");
  EXPECT_EQ(Insert(&TZUBQEForm::TagsBoldClick, true), "<b>|</b>");
  EXPECT_EQ(Insert(&TZUBQEForm::TagsEntitiesCopyrightClick, false), "&copy;|");
  EXPECT_EQ(Insert(&TZUBQEForm::TagsXMLDeclarationClick, false), "<?xml version=\"1.0\"?>\r\n|");
  EXPECT_EQ(Insert(&TZUBQEForm::TagsHTML401StrictClick, false).substr(0, 15), "<!DOCTYPE HTML ");
}

TEST_F(MainFormTags, BreakOverASelectionByTheBlockOptions) {
  // Overwrite blocks (the default): the selection is replaced.
  SetText("keep this");
  Source()->SetCurrentPosition(TPoint{9, 0});
  Edit()->SetSelection(Rect(5, 0, 9, 0), slStream);
  Form->TagsBreakClick(nullptr);
  EXPECT_EQ(Line(0), "keep <br>");
  EXPECT_TRUE(Edit()->Options().Contains(eoOverwriteBlocks));
  // Persistent blocks: inserted at the caret, the selection survives.
  prg->interface->flags2.set(IF2::PersistentBlocks, true);
  ASSERT_EQ(Form->ApplyViewSettings(VIEW_EDITOR_ONLY), 0);
  SetText("keep this");
  Source()->SetCurrentPosition(TPoint{0, 0});
  Edit()->SetSelection(Rect(5, 0, 9, 0), slStream);
  Source()->SetCurrentPosition(TPoint{0, 0});
  Form->TagsBreakClick(nullptr);
  EXPECT_EQ(Line(0), "<br>keep this");
  EXPECT_EQ(Edit()->GetSelText(), "this");
  EXPECT_TRUE(Edit()->Options().Contains(eoPersistentBlocks));
}

TEST_F(MainFormTags, TheXhtmlMarkCountsOnTheFirstTwoLinesOnly) {
  SetText("<html>\r\n<!DocType html PUBLIC \"-//W3C//DTD XHtml 1.0//EN\">\r\n");
  EXPECT_TRUE(Form->CurrentDocumentIsXhtml());
  SetText("<html>\r\n<head>\r\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0//EN\">\r\n");
  EXPECT_FALSE(Form->CurrentDocumentIsXhtml());
  Source()->SetCurrentPosition(TPoint{0, 1});
  Form->TagsBreakClick(nullptr);
  EXPECT_EQ(Line(1), "<br><head>");
  SetText("<!doctype html system \"about:legacy-compat\">\r\n");
  EXPECT_FALSE(Form->CurrentDocumentIsXhtml());
}

TEST_F(MainFormTags, ReadOnlyDocumentsAreRefusedWithUndoUntouched) {
  SetText("text");
  Source()->SetCurrentPosition(TPoint{0, 0});
  Form->TagsBoldClick(nullptr);
  Source()->Undo();
  Form->GetCurrentFile()->SetReadOnly(true);
  const bool Redo = Source()->RedoAvailable();
  const bool Undo = Source()->UndoAvailable();
  EXPECT_EQ(Form->InsertTag("<b>", "</b>", 0), INSERT_READ_ONLY);
  EXPECT_EQ(Line(0), "text");
  EXPECT_EQ(Dialogs.Shown().back().Caption, "Quillon: Read Only");
  EXPECT_EQ(Dialogs.Shown().back().Text, "Document is read only. Cannot insert text.");
  EXPECT_EQ(Source()->RedoAvailable(), Redo);
  EXPECT_EQ(Source()->UndoAvailable(), Undo);
  Form->GetCurrentFile()->SetReadOnly(false);
  // Without a focused editor nothing happens.
  Form->SetActiveControl(Form->ShellListFileFilterCombo);
  EXPECT_EQ(Form->InsertTag("<b>", "</b>", 0), INSERT_DONE);
  EXPECT_EQ(Line(0), "text");
}

TEST_F(MainFormTags, ControlCharactersRunAsEditorKeys) {
  SetText("  item");
  Source()->SetCurrentPosition(TPoint{6, 0});
  ASSERT_EQ(Form->InsertTag("<ul>\r\n<li>", "", 0), INSERT_DONE);
  EXPECT_EQ(Line(0), "  item<ul>");
  EXPECT_EQ(Line(1), "  <li>");
  ASSERT_EQ(Form->InsertTag("ab\bc\rd", "", 0), INSERT_DONE);
  EXPECT_EQ(Line(1), "  <li>ac");
  EXPECT_EQ(Line(2), "  d");
  ASSERT_EQ(Form->InsertTag("x\ty", "", 0), INSERT_DONE);
  EXPECT_NE(Line(2).find("x"), std::string::npos);
  EXPECT_GT(Line(2).find('y'), Line(2).find('x') + 1);
  // The whole insertion is one undo step.
  Source()->Undo();
  EXPECT_EQ(Line(2), "  d");
}

TEST_F(MainFormTags, ColourFromTheDialog) {
  const auto Answer = [&] {
    TDialogAnswer A(IDOK);
    A.Params["Color"] = std::to_string(0xAA00FF);  // red ff, green 00, blue aa
    Dialogs.QueueAnswer(A);
  };
  Answer();
  EXPECT_EQ(Insert(&TZUBQEForm::TagsColorClick, false), "#ff00aa|");
  EXPECT_EQ(Dialogs.Shown().back().Kind, "ColorDialog");
  prg->editorOptions->flags.set(EOF40::UpperCaseTags, true);
  Answer();
  EXPECT_EQ(Insert(&TZUBQEForm::TagsColorClick, false), "#FF00AA|");
  Dialogs.QueueAnswer(IDCANCEL);
  EXPECT_EQ(Insert(&TZUBQEForm::TagsColorClick, false), "|");
}

TEST_F(MainFormTags, ConvertSelectionToEntities) {
  SetText("x a<b>&c \"q\" y");
  Source()->SetCurrentPosition(TPoint{12, 0});
  Edit()->SetSelection(Rect(2, 0, 12, 0), slStream);
  Form->EditorPopupConvertToEntitiesClick(nullptr);
  EXPECT_EQ(Line(0), "x a&lt;b&gt;&amp;c \"q\" y");
  EXPECT_EQ(Edit()->GetSelText(), "a&lt;b&gt;&amp;c \"q\"");
  Source()->Undo();
  EXPECT_EQ(Line(0), "x a<b>&c \"q\" y");
  // Without a selection nothing happens.
  Edit()->SetSelection(Rect(0, 0, 0, 0), slNone);
  Form->EditorPopupConvertToEntitiesClick(nullptr);
  EXPECT_EQ(Line(0), "x a<b>&c \"q\" y");
}

}  // namespace
