// The results part of the main window driven as a user drives it, with the real engine: validating, the message
// model, the results pages, the exports, the navigation and the popup.
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"
#include "platform/win/MessageBox.h"

#include "core/Mainsetup.h"
#include "core/Msginfoclass.h"
#include "core/Validatorlib.h"
#include "mainwindow/Resultsexport.h"
#include "mainwindow/Resultsmodel.h"
#include "mainwindow/Resultspages.h"
#include "support/Corpus.h"
#include "treeview/Dcntreenode.h"
#include "treeview/Dcntreenodes.h"

#include "platform/win/Clipboard.h"

#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

std::string ClipboardText() {
  std::string Text;
  if (OpenClipboard(0)) {
    if (HANDLE Mem = GetClipboardData(CF_TEXT)) {
      Text = static_cast<const char*>(GlobalLock(Mem));
      GlobalUnlock(Mem);
    }
    CloseClipboard();
  }
  return Text;
}

void SetClipboardText(const std::string& Text) {
  ASSERT_TRUE(OpenClipboard(0));
  EmptyClipboard();
  HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, Text.size() + 1);
  std::memcpy(GlobalLock(Mem), Text.c_str(), Text.size() + 1);
  GlobalUnlock(Mem);
  SetClipboardData(CF_TEXT, Mem);
  CloseClipboard();
}

}  // namespace

class ResultsTest : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    ResetBookmarkWarning();
    Form->Show();
    ListEverything();
  }

  // The engine files every message under a category: these options list them on the Messages page too.
  static void ListEverything() {
    for (IF2::B Bit : {IF2::GroupedInMessages, IF2::StylesInMessages, IF2::AccessibilityInMessages}) {
      prg->interface->flags2.set(Bit, true);
    }
  }

  std::string Write(const std::string& Name, const std::string& Text) {
    const std::string Path = Dir + "/" + Name;
    std::ofstream(Path, std::ios::binary) << Text;
    return Path;
  }
  fileinfoclass* Open(const std::string& Path) {
    EXPECT_EQ(Form->AddNewFileTab(nullptr, Path.c_str(), 0, nullptr), 0) << Path;
    return Form->GetCurrentFile();
  }
  fileinfoclass* OpenText(const std::string& Name, const std::string& Text) { return Open(Write(Name, Text)); }
  std::string Status() { return Form->StatusBar->Panels()->Items(3)->Text(); }
  std::vector<msginfoclass*> Messages(fileinfoclass* D) {
    std::vector<msginfoclass*> Out;
    for (int I = 0; I < D->messages.getCount(); ++I) {
      Out.push_back(static_cast<msginfoclass*>(D->messages.getPointer(I)));
    }
    return Out;
  }
  std::vector<msginfoclass*> Rows() {
    std::vector<msginfoclass*> Out;
    for (int I = 0; I < Form->ResultsListView->Items()->Count(); ++I) {
      Out.push_back(static_cast<msginfoclass*>(Form->ResultsListView->Items()->Item(I)->Data));
    }
    return Out;
  }
  msginfoclass* SelectedRow() {
    TListItem* Item = Form->ResultsListView->Selected();
    return Item != nullptr ? static_cast<msginfoclass*>(Item->Data) : nullptr;
  }
  int BoxesCaptioned(const std::string& Caption) {
    int N = 0;
    for (const TDialogRequest& R : Dialogs.Shown()) {
      N += R.Caption == Caption ? 1 : 0;
    }
    return N;
  }
  bool BoxWithText(const std::string& Text) {
    for (const TDialogRequest& R : Dialogs.Shown()) {
      if (R.Text == Text) {
        return true;
      }
    }
    return false;
  }
  // A page whose errors and warnings the engine finds on known lines.
  static std::string SmallPage() {
    return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n"
           "<html><head><title>t</title></head>\n"
           "<body>\n"
           "<p>one <foo>two</foo></p>\n"
           "<p>three <bar>four</bar></p>\n"
           "</body></html>\n";
  }
};

// F6 on a real page with the settings as they are after installation. The engine files every message under a
// category, and by default categorised messages are listed on the Grouped Messages page only: the Messages page
// lists what the settings list, and the jump goes to the first page with an error or warning, where the first of
// them is selected with the caret on it. The results area may be hidden by the view settings before: the
// validation still fills and walks the page.
TEST_F(ResultsTest, ValidateARealPageWithDefaultSettingsJumpsToTheFirstErrorOrWarning) {
  prg->interface->flags2 = InterfaceFlags2V45{0x3FF78000u};
  for (const bool AreaHidden : {false, true}) {
    SCOPED_TRACE(AreaHidden ? "results area hidden" : "results area shown");
    Form->ActivateResultsPage(Form->MessagesSheet);
    fileinfoclass* D = Open(CorpusDir() + "html/FAQ.html");
    ASSERT_NE(D, nullptr);
    if (AreaHidden) {
      Form->ResultsPanel->Hide();
    }
    Form->ToolsValidateClick(nullptr);
    ASSERT_GE(D->resultHandle, 0);
    EXPECT_FALSE(BoxWithText("There are no messages available."));
    EXPECT_TRUE(std::regex_match(Status(), std::regex(R"(\d+ errors?, \d+ warnings?, \d+ messages?, \d+ comments?\.)")))
        << Status();
    EXPECT_EQ(Status().rfind(std::to_string(D->GetResultCount(COUNT_ERRORS)) + " error", 0), 0u) << Status();
    // The first error or warning of the first page that has one, in the page's order.
    ASSERT_GT(D->GetResultCount(COUNT_ERRORS_AND_WARNINGS), 0);
    msginfoclass* Selected = nullptr;
    msginfoclass* First = nullptr;
    if (MessageTag(D, MSGTAG_LISTED) + MessageTag(D, MSGTAG_LISTED + 1) > 0) {
      EXPECT_EQ(Form->ResultsPageControl->ActivePage(), Form->MessagesSheet);
      for (msginfoclass* M : Rows()) {
        First = First == nullptr && M->IsErrorOrWarning() ? M : First;
      }
      Selected = SelectedRow();
    } else {
      ASSERT_GT(MessageTag(D, MSGTAG_GROUPED) + MessageTag(D, MSGTAG_GROUPED + 1), 0);
      EXPECT_EQ(Form->ResultsPageControl->ActivePage(), Form->TreeViewSheet);
      for (ZEZTreeNode* N = Form->ResultsTreeView->Items()->GetFirstNode(); N != nullptr; N = N->GetNext()) {
        auto* M = static_cast<msginfoclass*>(N->Data());
        First = First == nullptr && M != nullptr && M->IsErrorOrWarning() ? M : First;
      }
      ZEZTreeNode* Node = Form->ResultsTreeView->Selected();
      Selected = Node != nullptr ? static_cast<msginfoclass*>(Node->Data()) : nullptr;
    }
    ASSERT_NE(First, nullptr);
    EXPECT_EQ(Selected, First);
    const TPoint Caret = Form->CurrentEditor->GetCurrentPosition();
    EXPECT_EQ(Caret.Y, First->line - 1);
    if (First->charpos > 0) {
      EXPECT_EQ(Caret.X, D->text->GetRealPos(Caret.Y, First->charpos - 1));
    }
    // The Messages page lists exactly the listed messages, in the engine's order (sorting by type is off).
    Form->ActivateResultsPage(Form->MessagesSheet);
    std::vector<msginfoclass*> Listed;
    for (msginfoclass* M : Messages(D)) {
      if (M->listed == 1) {
        Listed.push_back(M);
      }
    }
    EXPECT_EQ(Rows(), Listed);
    int Image = PAGEIMAGE_NONE;
    for (int C = 3; C >= 0; --C) {
      Image = MessageTag(D, MSGTAG_LISTED + C) > 0 ? C : Image;
    }
    EXPECT_EQ(Form->MessagesSheet->ImageIndex(), Image);
    Form->ResultsPanel->Show();
  }
}

// With every message listed and sorting by type on, the Messages page holds them all, errors first.
TEST_F(ResultsTest, ValidateListsEveryMessageByTypeAndSelectsTheFirstError) {
  prg->interface->flags2.set(IF2::SortMessagesByType, true);
  fileinfoclass* D = Open(CorpusDir() + "html/FAQ.html");
  Form->ToolsValidateClick(nullptr);
  EXPECT_EQ(Form->ResultsPageControl->ActivePage(), Form->MessagesSheet);
  const std::vector<msginfoclass*> Shown = Rows();
  ASSERT_EQ(static_cast<int>(Shown.size()), D->messages.getCount());
  for (std::size_t I = 1; I < Shown.size(); ++I) {
    EXPECT_LE(TypeCaptionRank(Shown[I - 1]->typetext.text), TypeCaptionRank(Shown[I]->typetext.text)) << I;
  }
  ASSERT_TRUE(Shown.front()->IsErrorOrWarning());
  EXPECT_EQ(SelectedRow(), Shown.front());
}

TEST_F(ResultsTest, ValidationThatFailsMarksThePanels) {
  fileinfoclass* D = OpenText("bad.html", SmallPage());
  // An engine that cannot run the job.
  const auto Run = ZUBCalls.ZUBRunJob;
  ZUBCalls.ZUBRunJob = nullptr;
  Form->ToolsValidateClick(nullptr);
  ZUBCalls.ZUBRunJob = Run;
  EXPECT_LT(D->resultHandle, 0);
  for (TPanel* Panel : {Form->MessagesPanel, Form->TreeViewPanel, Form->StylesPanel, Form->AccessibilityPanel,
                        Form->LinksPanel2, Form->StructurePanel}) {
    EXPECT_EQ(Panel->Caption(), "A problem occurred.") << Panel->Name();
  }
  EXPECT_EQ(Form->ValidateDocuments(nullptr, nullptr, VALIDATEDOCS_GIVEN, -1), -1);
}

TEST_F(ResultsTest, ModelCountsReadsOnceAndKeepsMessageLinesInStep) {
  fileinfoclass* D = OpenText("small.html", SmallPage());
  Form->ToolsValidateClick(nullptr);
  ASSERT_GE(D->resultHandle, 0);
  EXPECT_EQ(ReadResults(D, READ_MESSAGES), READRESULTS_ALREADY_READ);
  const int N = D->messages.getCount();
  EXPECT_EQ(MessageTag(D, MSGTAG_ALL), N);
  // The counters agree with the records.
  int Listed[4] = {}, Style[4] = {}, Access[4] = {}, Grouped[4] = {};
  for (msginfoclass* M : Messages(D)) {
    EXPECT_EQ(M->document, D);
    if ((M->kind & (MSGKIND_STYLE | MSGKIND_ACCESSIBILITY)) != 0) {
      EXPECT_GT(M->category.length, 0);
    }
    if (M->classindex < 0) {
      continue;
    }
    Listed[M->classindex] += M->listed;
    ((M->kind & MSGKIND_STYLE) != 0           ? Style
     : (M->kind & MSGKIND_ACCESSIBILITY) != 0 ? Access
     : M->category.length > 0                 ? Grouped
                                              : Listed)[M->classindex] += (M->kind != 0 || M->category.length > 0);
  }
  for (int C = 0; C < 4; ++C) {
    EXPECT_EQ(MessageTag(D, MSGTAG_STYLES + C), Style[C]);
    EXPECT_EQ(MessageTag(D, MSGTAG_ACCESSIBILITY + C), Access[C]);
  }
  // The <foo> on line 4: two lines typed above it move its line, in the record and in the engine's result.
  msginfoclass* Foo = nullptr;
  for (msginfoclass* M : Messages(D)) {
    if (M->line == 4 && M->bookmark >= 0) {
      Foo = M;
      break;
    }
  }
  ASSERT_NE(Foo, nullptr);
  D->text->JumpTo(0, 0);
  D->text->BreakString();
  D->text->BreakString();
  ASSERT_EQ(D->text->Strings()->Strings(2), "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">");
  EXPECT_EQ(SyncMessageLines(D), 0);
  EXPECT_EQ(Foo->line, 6);
  EXPECT_STREQ(Foo->linetext.text, "6");
  EXPECT_EQ(ZUBCalls.ZUBGetInteger2EZ(D->resultHandle, ZUB_MSG_LINE, Foo->number), 6);
}

TEST_F(ResultsTest, The157thMessageWithALineGetsNoBookmarkAndTheWarningComesOncePerRun) {
  std::string Page =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><head><title>t</title></head><body>\n";
  for (int I = 0; I < 200; ++I) {
    Page += "<p><foo" + std::to_string(I) + ">x</foo" + std::to_string(I) + "></p>\n";
  }
  Page += "</body></html>\n";
  for (const char* Name : {"many1.html", "many2.html"}) {
    fileinfoclass* D = OpenText(Name, Page);
    Form->ToolsValidateClick(nullptr);
    int WithLine = 0;
    for (msginfoclass* M : Messages(D)) {
      if (M->line <= 0) {
        EXPECT_EQ(M->bookmark, -1);
        continue;
      }
      ++WithLine;
      EXPECT_EQ(M->bookmark, WithLine <= 156 ? 99 + WithLine : -1) << WithLine;
    }
    ASSERT_GT(WithLine, 156);
  }
  EXPECT_EQ(BoxesCaptioned("Quillon: Maximum Number of Bookmarks Exceeded"), 1);
}

TEST_F(ResultsTest, EmptyStatesWithoutAResultAndAClickOnThePanelValidates) {
  fileinfoclass* D = OpenText("none.html", SmallPage());
  const std::pair<TTabSheet*, TPanel*> Pages[] = {{Form->MessagesSheet, Form->MessagesPanel},
                                                  {Form->TreeViewSheet, Form->TreeViewPanel},
                                                  {Form->StylesSheet, Form->StylesPanel},
                                                  {Form->AccessibilitySheet, Form->AccessibilityPanel}};
  for (const auto& [Sheet, Panel] : Pages) {
    Form->ActivateResultsPage(Sheet);
    EXPECT_EQ(Panel->Caption(), EMPTY_MESSAGES_TEXT) << Sheet->Name();
    EXPECT_TRUE(Panel->Visible()) << Sheet->Name();
    EXPECT_EQ(Sheet->ImageIndex(), PAGEIMAGE_NONE) << Sheet->Name();
  }
  Form->ActivateResultsPage(Form->StructureSheet);
  EXPECT_EQ(Form->StructurePanel->Caption(), EMPTY_STRUCTURE_TEXT);
  Form->ActivateResultsPage(Form->LinksSheet);
  EXPECT_EQ(Form->LinksPanel2->Caption(),
            "You must first validate the document (F6 or click here) to extract the links.");
  EXPECT_EQ(Form->LinksSheet->ImageIndex(), PAGEIMAGE_NONE);
  // The panels' click is the Validate command.
  Form->ActivateResultsPage(Form->MessagesSheet);
  ASSERT_TRUE(Form->MessagesPanel->OnClick);
  Form->MessagesPanel->OnClick(Form->MessagesPanel);
  EXPECT_GE(D->resultHandle, 0);
  EXPECT_GT(Form->ResultsListView->Items()->Count(), 0);
}

TEST_F(ResultsTest, SortByMessageKeepsEqualTextsInLineOrderAndTypeOrderPutsCommentsLast) {
  fileinfoclass* D = OpenText("sort.html", SmallPage());
  Form->ToolsValidateClick(nullptr);
  TListView* List = Form->ResultsListView;
  ASSERT_GT(List->Items()->Count(), 1);
  auto Lines = [&] {
    std::vector<std::pair<std::string, int>> Out;
    for (msginfoclass* M : Rows()) {
      Out.emplace_back(M->text.text, M->line);
    }
    return Out;
  };
  Form->ResultsListViewColumnClick(List, List->Columns()->Items(2));
  EXPECT_EQ(D->sortModes[SORTWORD_MESSAGES], 0x11 | SORT_CHOSEN);
  auto Up = Lines();
  for (std::size_t I = 1; I < Up.size(); ++I) {
    const int C = ::strcasecmp(Up[I - 1].first.c_str(), Up[I].first.c_str());
    EXPECT_TRUE(C < 0 || (C == 0 && Up[I - 1].second <= Up[I].second)) << I;
  }
  Form->ResultsListViewColumnClick(List, List->Columns()->Items(2));
  auto Down = Lines();
  for (std::size_t I = 1; I < Down.size(); ++I) {
    const int C = ::strcasecmp(Down[I - 1].first.c_str(), Down[I].first.c_str());
    EXPECT_TRUE(C > 0 || (C == 0 && Down[I - 1].second >= Down[I].second)) << I;
  }
  Form->ResultsListViewColumnClick(List, List->Columns()->Items(0));
  int Last = 0;
  for (msginfoclass* M : Rows()) {
    const int Rank = TypeCaptionRank(M->typetext.text);
    EXPECT_GE(Rank, Last);
    Last = Rank;
  }
  EXPECT_EQ(TypeCaptionRank("Comment"), 4);
  EXPECT_GT(TypeCaptionRank("Comment"), TypeCaptionRank("Message"));
}

TEST_F(ResultsTest, TextExportOnTheClipboardByteForByte) {
  fileinfoclass* D = OpenText("export.html", SmallPage());
  SetClipboardText("before");
  Form->ResultsPopupCopyToClipboardInXMLClick(nullptr);
  EXPECT_EQ(ClipboardText(), "before");  // no result: nothing copied
  Form->ToolsValidateClick(nullptr);
  Form->ResultsPopupCopyToClipboardClick(nullptr);
  std::string Expected = std::string("\nValidator message export for \"") + D->GetName(NAME_DISPLAY) +
                         "\":\nGenerated by ZUB Quillon Professional v6.01 (" + PRODUCT_WEB_ADDRESS + ")\n\n";
  int Number = 0;
  for (msginfoclass* M : Messages(D)) {
    Expected += std::to_string(++Number) + ". " + M->typetext.text;
    if (M->line > 0) {
      Expected += " in line " + std::to_string(M->line);
    }
    if (M->charpos > 0) {
      Expected += " at character " + std::to_string(M->charpos);
    }
    Expected += std::string(": ") + M->text.text + "\n";
  }
  EXPECT_EQ(ClipboardText(), Expected);
  ASSERT_GT(Number, 0);
  EXPECT_EQ(ClipboardText().front(), '\n');
  // The XML form is the engine's report lines.
  Form->ResultsPopupCopyToClipboardInXMLClick(nullptr);
  std::string Xml;
  for (int I = 0;; ++I) {
    const char* Line = ZUBCalls.ZUBGetString2(D->resultHandle, ZUB_RESULT_REPORT_LINE, I);
    if (Line == nullptr) {
      break;
    }
    Xml += (I > 0 ? "\n" : "") + std::string(Line);
  }
  EXPECT_EQ(ClipboardText(), Xml);
  EXPECT_FALSE(Xml.empty());
}

TEST_F(ResultsTest, LinkExportMakesANewDocumentThatCannotBeUndoneLineByLine) {
  fileinfoclass* D = OpenText("links.html",
                              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n"
                              "<html><head><title>t</title></head><body>\n"
                              "<p><a href=\"a.html\">a</a> <a href=\"sub/b.html#x\">b</a></p>\n"
                              "</body></html>\n");
  Form->ToolsValidateClick(nullptr);
  ASSERT_EQ(Form->ExportResults(nullptr, EXPORT_LINKS), 0);
  fileinfoclass* Export = Form->GetCurrentFile();
  ASSERT_NE(Export, D);
  std::vector<std::string> Lines;
  for (int I = 0; I < Export->text->Strings()->Count(); ++I) {
    Lines.push_back(Export->text->Strings()->Strings(I));
  }
  const std::string Folder = Dir + "/";
  const std::vector<std::string> Expected = {
      "",
      std::string("Link export for \"") + D->GetName(NAME_DISPLAY) + "\":",
      std::string("Generated by ZUB Quillon Professional v6.01 (") + PRODUCT_WEB_ADDRESS + ")",
      "",
      "Absolute URLs:",
      "-----",
      Folder + "a.html",
      Folder + "sub/b.html#x",
      "",
      "Links as used in the document:",
      "-----",
      "a.html",
      "sub/b.html#x",
      ""};
  ASSERT_GE(Lines.size(), Expected.size());
  for (std::size_t I = 0; I < Expected.size(); ++I) {
    EXPECT_EQ(Lines[I], Expected[I]) << I;
  }
  EXPECT_EQ(Export->text->CurrentPosition.X, 0);
  EXPECT_EQ(Export->text->CurrentPosition.Y, 0);
  EXPECT_FALSE(Export->text->UndoAvailable());
}

TEST_F(ResultsTest, NextMessageWrapsAndTheErrorSearchFindsNothingAfterTheLastOne) {
  OpenText("walk.html", SmallPage());
  Form->ToolsValidateClick(nullptr);
  TListItems* Items = Form->ResultsListView->Items();
  const int N = Items->Count();
  ASSERT_GT(N, 1);
  Form->ResultsListView->SetSelected(Items->Item(N - 1));
  Form->ViewNextMessageClick(nullptr);
  EXPECT_EQ(Form->ResultsListView->Selected(), Items->Item(0));
  Form->ViewPreviousMessageClick(nullptr);
  EXPECT_EQ(Form->ResultsListView->Selected(), Items->Item(N - 1));
  // From the last error or warning the search finds nothing among the rows after it: the selection stays.
  int LastErrorOrWarning = -1;
  for (int I = 0; I < N; ++I) {
    if (static_cast<msginfoclass*>(Items->Item(I)->Data)->IsErrorOrWarning()) {
      LastErrorOrWarning = I;
    }
  }
  ASSERT_GE(LastErrorOrWarning, 0);
  ASSERT_LT(LastErrorOrWarning, N - 1);
  Form->ResultsListView->SetSelected(Items->Item(LastErrorOrWarning));
  EXPECT_EQ(Form->GoToMessage(nullptr, GOTO_ERRORS_ONLY | GOTO_MESSAGES_PAGE), GOTO_DONE);
  EXPECT_EQ(Form->ResultsListView->Selected(), Items->Item(LastErrorOrWarning));
  // From the last row the search starts again at the top.
  Form->ResultsListView->SetSelected(Items->Item(N - 1));
  (void)Form->GoToMessage(nullptr, GOTO_ERRORS_ONLY | GOTO_MESSAGES_PAGE);
  EXPECT_EQ(Form->ResultsListView->Selected(), Items->Item(0));
  // A document without a result is validated first.
  OpenText("fresh.html", SmallPage());
  EXPECT_EQ(Form->GoToMessage(nullptr, GOTO_NEXT), GOTO_VALIDATED);
  EXPECT_GE(Form->GetCurrentFile()->resultHandle, 0);
}

TEST_F(ResultsTest, EmptyMessagePageShowsTheInformationBox) {
  OpenText("clean.html",
           "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n"
           "<html><head><title>t</title></head><body><p>x</p></body></html>\n");
  Form->ToolsValidateClick(nullptr);
  Form->ResultsListView->Items()->Clear();  // a page that lists nothing
  EXPECT_EQ(Form->GoToMessage(nullptr, GOTO_NEXT | GOTO_MESSAGES_PAGE), GOTO_NO_ENTRIES);
  EXPECT_TRUE(BoxWithText("There are no messages available."));
}

TEST_F(ResultsTest, ResultsPagesCycleWithWrapping) {
  Form->ActivateResultsPage(Form->MessagesSheet);
  prg->interface->flags.set(IF40::ResultsWindow, true);
  const int Count = Form->ResultsPageControl->PageCount();
  Form->ViewPreviousResultsPageClick(nullptr);
  EXPECT_EQ(Form->ResultsPageControl->ActivePageIndex(), Count - 1);
  Form->ViewNextResultsPageClick(nullptr);
  EXPECT_EQ(Form->ResultsPageControl->ActivePage(), Form->MessagesSheet);
}

TEST_F(ResultsTest, PopupAddsEachFlagSubmenuOnceAndTheIdentifierItemsByTheMessage) {
  OpenText("popup.html", SmallPage());
  Form->ToolsValidateClick(nullptr);
  msginfoclass* Flagged = nullptr;
  for (msginfoclass* M : Rows()) {
    if (M->flag1 > 0) {
      Flagged = M;
      break;
    }
  }
  ASSERT_NE(Flagged, nullptr);
  for (int I = 0; I < Form->ResultsListView->Items()->Count(); ++I) {
    if (Form->ResultsListView->Items()->Item(I)->Data == Flagged) {
      Form->SelectQuietly(Form->ResultsListView->Items()->Item(I), nullptr);
    }
  }
  TTBCustomItem* Root = Form->ResultsPopupMenu->Items();
  for (int Round = 0; Round < 3; ++Round) {
    Form->ResultsPopupMenuPopup(nullptr);
  }
  int FlagItems = 0;
  for (int I = 0; I < Root->Count(); ++I) {
    const std::string& C = Root->Items(I)->Caption();
    FlagItems += C.rfind("Disable Flag ", 0) == 0 || C.rfind("Enable Flag ", 0) == 0 ? 1 : 0;
  }
  EXPECT_EQ(FlagItems, (Flagged->flag1 > 0 ? 1 : 0) + (Flagged->flag2 > 0 ? 1 : 0));
  EXPECT_EQ(Root->Items(0)->Caption(), "Disable Flag " + std::to_string(Flagged->flag1) + " (currently enabled)");
  EXPECT_TRUE(Form->ResultsPopupOptions->Visible());
  // A message without an identifier: the options are there, disabled, with the hint that says why.
  Flagged->messageid = -1;
  Form->ResultsPopupMenuPopup(nullptr);
  EXPECT_FALSE(Form->ResultsPopupOptions->Enabled());
  EXPECT_EQ(Form->ResultsPopupOptions->Hint(), "This message has no message ID so these options are not available.");
}

TEST_F(ResultsTest, DisablingAFlagAsksAndTakesEffectAtTheNextValidation) {
  fileinfoclass* D = OpenText("flag.html", SmallPage());
  Form->ToolsValidateClick(nullptr);
  msginfoclass* Flagged = nullptr;
  for (msginfoclass* M : Rows()) {
    if (M->flag1 > 0) {
      Flagged = M;
      break;
    }
  }
  ASSERT_NE(Flagged, nullptr);
  const int Flag = Flagged->flag1;
  const int Before = D->messages.getCount();
  Form->AddFlagItem(Flag);
  TTBCustomItem* Item = Form->ResultsPopupMenu->Items()->Items(0);
  Dialogs.QueueAnswer(IDNO);
  Form->ProgramFlagItemClick(Item);
  EXPECT_EQ(ZUBCalls.ZUBGetFlag(EngineConfigHandle(), ZUB_CONFIG_PROGRAM_FLAGS, Flag), 1);
  Dialogs.QueueAnswer(IDYES);
  Dialogs.QueueAnswer(IDYES);
  Form->ProgramFlagItemClick(Item);
  EXPECT_EQ(BoxesCaptioned("Quillon: Flag Disabled"), 1);
  EXPECT_EQ(ZUBCalls.ZUBGetFlag(EngineConfigHandle(), ZUB_CONFIG_PROGRAM_FLAGS, Flag), 0);
  EXPECT_LT(D->messages.getCount(), Before);  // revalidated without the flag's messages
  // Again: the flag is off already.
  Form->ProgramFlagItemClick(Item);
  EXPECT_EQ(BoxesCaptioned("Quillon: Flag Already Disabled"), 1);
  (void)ZUBCalls.ZUBSetFlag(EngineConfigHandle(), ZUB_CONFIG_PROGRAM_FLAGS, Flag, 1);
}

TEST_F(ResultsTest, ClosingAValidatedDocumentWhoseStructureIsShowingLeavesThePlaceholder) {
  fileinfoclass* D = OpenText("structure.html", SmallPage());
  Form->ToolsValidateClick(nullptr);
  Form->ActivateResultsPage(Form->StructureSheet);
  ASSERT_EQ(Form->StructureEdit->EditSource(), D->structureText);
  EXPECT_GT(Form->TagCountListView->Items()->Count(), 0);
  (void)Form->MarkDocumentSaved(D);
  TComponent* Tabs = Form->GetEditorTabControl(0);
  ASSERT_EQ(Form->CloseFileTab(Tabs, Form->TabIndex(Tabs), 0), 0);
  EXPECT_EQ(Form->StructureEdit->EditSource(), prg->volatileState->structurePlaceholderSource);
  EXPECT_EQ(Form->TagCountListView->Tag(), 0);
}

TEST_F(ResultsTest, StructureClickJumpsAndFlashesTheLine) {
  fileinfoclass* D = OpenText("click.html", SmallPage());
  Form->ToolsValidateClick(nullptr);
  Form->ActivateResultsPage(Form->StructureSheet);
  int Waited = 0;
  int StyleDuringWait = -2;
  Form->StructureMarkWait = [&](int Ms) {
    Waited = Ms;
    StyleDuringWait = D->text->GetLineStyle(Form->CurrentEditor->GetCurrentPosition().Y);
  };
  TCustomEasyEditSource* Structure = Form->StructureEdit->GetEditSource();
  int Target = -1;
  for (int I = 0; I < Structure->Strings()->Count() && Target < 0; ++I) {
    if (D->GetStructureSourcePos(I, STRUCTURE_LINE) > 1) {
      Target = I;
    }
  }
  ASSERT_GE(Target, 0);
  Structure->JumpTo(0, Target);
  Form->StructureEdit2MouseUp(Form->StructureEdit, mbLeft, TShiftState(), 0, 0);
  EXPECT_EQ(Waited, 200);
  EXPECT_EQ(Form->CurrentEditor->GetCurrentPosition().Y, D->GetStructureSourcePos(Target, STRUCTURE_LINE) - 1);
  EXPECT_EQ(StyleDuringWait, LINESTYLE_STRUCT);
  EXPECT_EQ(Structure->GetLineStyle(Target), 0);
}

TEST_F(ResultsTest, GroupsShowTheirWorstClassAndACategorySpelledOtherwiseIsLeftOut) {
  fileinfoclass* D = OpenText("groups.html", SmallPage());
  Form->ToolsValidateClick(nullptr);
  Form->ActivateResultsPage(Form->TreeViewSheet);
  ZEZTreeNodes* Nodes = Form->ResultsTreeView->Items();
  int Groups = 0;
  for (ZEZTreeNode* G = Nodes->GetFirstNode(); G != nullptr; G = G->GetNextSibling()) {
    ++Groups;
    EXPECT_EQ(G->Data(), nullptr);
    EXPECT_TRUE(G->GetFontStyle().Contains(fsBold)) << G->GetText();
    int Worst = -1;
    for (ZEZTreeNode* C = G->GetFirstChild(); C != nullptr; C = C->GetNextSibling()) {
      auto* M = static_cast<msginfoclass*>(C->Data());
      ASSERT_NE(M, nullptr);
      EXPECT_EQ(M->category.text, G->GetText());
      Worst = Worst < 0 || M->classindex < Worst ? M->classindex : Worst;
    }
    EXPECT_EQ(G->ImageIndex(), Worst) << G->GetText();
  }
  EXPECT_EQ(Groups, D->stringLists[CATEGORIES_PLAIN].getCount());
  // "Elements" holds the first error; a message filed as "elements" finds no group of its exact text.
  const int Before = Nodes->GetCount();
  for (msginfoclass* M : Messages(D)) {
    if (std::string(M->category.text) == "Elements") {
      M->category = "elements";
      break;
    }
  }
  EXPECT_EQ(FillGroupedMessagesPage(D, SHOW_FORCE), FILL_DONE);
  EXPECT_EQ(Nodes->GetCount(), Before - 1);
  EXPECT_EQ(FillGroupedMessagesPage(D, 0), FILL_ALREADY_SHOWN);
}

TEST_F(ResultsTest, TagStatisticsPrintThePercentOfClosedTags) {
  OpenText("stats.html", SmallPage() + "<br><img src=\"x.png\" alt=\"\">\n");
  Form->ToolsValidateClick(nullptr);
  Form->ActivateResultsPage(Form->StructureSheet);
  TListItems* Rows = Form->TagCountListView->Items();
  ASSERT_GT(Rows->Count(), 0);
  for (int I = 0; I < Rows->Count(); ++I) {
    TStrings* Sub = Rows->Item(I)->SubItems();
    ASSERT_EQ(Sub->Count(), 4);
    const int Opened = std::stoi(Sub->Strings(1));
    const int Closed = std::stoi(Sub->Strings(2));
    char Expected[32] = "-";
    if (Opened != 0) {
      std::snprintf(Expected, sizeof Expected, "%.2f", static_cast<double>(Closed) / Opened * 100.0);
    }
    EXPECT_EQ(Sub->Strings(3), Expected) << Rows->Item(I)->Caption();
  }
  // Sorted by name ascending at first; a click on "Used" sorts the counts descending.
  for (int I = 1; I < Rows->Count(); ++I) {
    EXPECT_LE(::strcasecmp(Rows->Item(I - 1)->Caption().c_str(), Rows->Item(I)->Caption().c_str()), 0);
  }
  Form->TagCountListViewColumnClick(nullptr, Form->TagCountListView->Columns()->Items(1));
  for (int I = 1; I < Rows->Count(); ++I) {
    EXPECT_GE(std::stoi(Rows->Item(I - 1)->SubItems()->Strings(0)), std::stoi(Rows->Item(I)->SubItems()->Strings(0)));
  }
}

TEST_F(ResultsTest, LineStylesFollowTheHighlightingOptions) {
  fileinfoclass* D = OpenText("styles.html", SmallPage());
  Form->ToolsValidateClick(nullptr);
  // Line 4 carries an error and warnings, no other line of the page a message.
  EXPECT_EQ(D->text->GetLineStyle(3), LINESTYLE_ERROR);
  EXPECT_EQ(D->text->GetLineStyle(2), -1);
  EditorOptionFlags& F = prg->editorOptions->flags;
  F.set(EOF40::HighlightErrorLines, false);
  EXPECT_EQ(ApplyMessageLineStyles(D), 0);
  EXPECT_EQ(D->text->GetLineStyle(3), LINESTYLE_WARNING);
  F.set(EOF40::WholeLineHighlight, false);
  EXPECT_EQ(ApplyMessageLineStyles(D), 0);
  EXPECT_EQ(D->text->GetLineStyle(3), -1);
  F.set(EOF40::HighlightErrorLines, true);
  F.set(EOF40::WholeLineHighlight, true);
}

TEST_F(ResultsTest, AnEngineBeforeMessageIdentifiersLeavesThemUnread) {
  fileinfoclass* D = OpenText("ids.html", SmallPage());
  Form->ToolsValidateClick(nullptr);
  int WithId = 0;
  for (msginfoclass* M : Messages(D)) {
    WithId += M->messageid > 0 ? 1 : 0;
  }
  EXPECT_GT(WithId, 0);
  const int Version = prg->volatileState->engineVersion;
  prg->volatileState->engineVersion = ENGINE_VERSION_WITH_MESSAGE_IDS - 1;
  (void)D->messages.setUnchanged(0);
  EXPECT_EQ(ReadResults(D, READ_MESSAGES), READRESULTS_DONE);
  prg->volatileState->engineVersion = Version;
  for (msginfoclass* M : Messages(D)) {
    EXPECT_EQ(M->messageid, -1);
  }
}

TEST_F(ResultsTest, OptionTogglesFlipTheirBits) {
  const InterfaceFlags2V45 Before = prg->interface->flags2;
  const InterfaceFlags3 Before3 = prg->interface->flags3;
  Form->ResultsWindowMsgSingleClickBtnClick(nullptr);
  Form->ResultsWindowShowToolTipsClick(nullptr);
  Form->ResultsWindowSelectBtnClick(nullptr);
  Form->ViewLinkInfoPanelClick(nullptr);
  Form->ViewWrapBookmarkClick(nullptr);
  EXPECT_EQ(prg->interface->flags2.bits ^ Before.bits, 0x200u | 0x400u | 0x2000u | 0x10000u);
  EXPECT_EQ(prg->interface->flags3.bits ^ Before3.bits, 0x100u);
}

TEST_F(ResultsTest, SelectionEventsAreMutedAndAClickOutsideTheRowsRestoresTheLastOne) {
  OpenText("select.html", SmallPage());
  Form->ToolsValidateClick(nullptr);
  TListItems* Items = Form->ResultsListView->Items();
  ASSERT_GT(Items->Count(), 2);
  TEasyEditSource* Pane = prg->volatileState->resultsMessageSource;
  Form->ResultsListViewSelectItem(Form->ResultsListView, Items->Item(1), true);
  EXPECT_EQ(Pane->Strings()->Strings(0), static_cast<msginfoclass*>(Items->Item(1)->Data)->text.text);
  ++prg->volatileState->selectionGuard;
  Form->ResultsListViewSelectItem(Form->ResultsListView, Items->Item(2), true);
  --prg->volatileState->selectionGuard;
  EXPECT_EQ(Pane->Strings()->Strings(0), static_cast<msginfoclass*>(Items->Item(1)->Data)->text.text);
  Form->ResultsListView->ClearSelection();
  Form->ResultsListViewClick(Form->ResultsListView);
  EXPECT_EQ(Form->ResultsListView->Selected(), Items->Item(1));
}

TEST_F(ResultsTest, FreedMessagesTakeTheirBookmarksAlongAndTheXhtmlTestReadsTheFirstTwoLines) {
  fileinfoclass* D = OpenText("marks.html", SmallPage());
  D->text->SetBookMark(3, TPoint{0, 1});  // one of the user's own
  Form->ToolsValidateClick(nullptr);
  TPoint At{};
  ASSERT_TRUE(D->text->FindBookMark(FIRST_MESSAGE_BOOKMARK, At));
  (void)D->messages.removeAllPointers(1, 0);
  EXPECT_FALSE(D->text->FindBookMark(FIRST_MESSAGE_BOOKMARK, At));
  EXPECT_TRUE(D->text->FindBookMark(3, At));
  EXPECT_EQ(D->doctypeFlags & DOCTYPE_XHTML, 0);
  fileinfoclass* X =
      OpenText("x.html", "<?xml version=\"1.0\"?>\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\">\n");
  (void)ReadResults(X, READ_XHTML_TEST);
  EXPECT_EQ(X->doctypeFlags & DOCTYPE_XHTML, DOCTYPE_XHTML);
}
