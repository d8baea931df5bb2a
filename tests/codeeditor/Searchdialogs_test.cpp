// The memo sources' Find and Replace dialogs, the go-to-line prompt and the non-modal Find and Replace window,
// driven as a user would: the test acts from each modal dialog's OnShow and clicks its buttons.
#include "codeeditor/Dcstring.h"
#include "codeeditor/Replunit.h"
#include "codeeditor/Searrepldlg.h"
#include "codeeditor/Searunit.h"
#include "platform/controls/TestHarness.h"
#include "platform/rtl/SysUtils.h"
#include "suitebase/Dcinpfrm.h"
#include "suitebase/Regstore.h"
#include "tests/suitebase/SuiteEnvironment.h"

#include <functional>

using namespace Dcstring;

namespace {

class SearchDialogs : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    Harness::Start();
    ModalSearchAndReplace = true;
    TSearchOptions Fresh;
    GetSearchOptions()->Assign(&Fresh);
    M = std::make_unique<TMemoSource>(nullptr);
  }
  void TearDown() override {
    M.reset();
    Searrepldlg::CloseSearchWindow();
    ModalSearchAndReplace = true;
    CurrentFindSource = nullptr;
    SuiteFolders::TearDown();
  }
  // The lines joined with "\n".
  std::string Text() const {
    std::string R;
    for (Integer I = 0; I < M->GetStrCount(); ++I) {
      R += (I > 0 ? "\n" : "") + M->GetRaw(I);
    }
    return R;
  }
  // Act runs when the dialog the source creates shows; it ends the dialog as a user would.
  void OnDialog(const std::function<void(TForm*)>& Act) {
    Created = 0;
    M->OnCreateDialog = [this, Act](TObject*, TForm* Dialog) {
      ++Created;
      Dialog->OnShow = [Dialog, Act](TObject*) { Act(Dialog); };
    };
  }
  // The button's click as the dialog's loop sees it: its handler and modal result, then a message that wakes
  // the loop.
  static void ClickButton(TButton* B) {
    B->Click();
    PostMessage(B->Handle(), WM_NULL, 0, 0);
  }
  std::unique_ptr<TMemoSource> M;
  int Created = 0;
};

// Captions and bounds of a control, as one text.
std::string Geometry(TControl* C) {
  return C->Name() + " " + IntToStr(C->Left()) + "," + IntToStr(C->Top()) + " " + IntToStr(C->Width()) + "x" +
         IntToStr(C->Height());
}

TEST_F(SearchDialogs, FindDialogShowsTheSharedOptionsAndOkFindsWithWhatWasEntered) {
  M->Lines()->SetText("alpha\nbeta gamma\nGamma\n");
  GetSearchOptions()->CaseSensitive = true;
  GetSearchOptions()->Origin = soEntireScope;
  std::vector<std::string> Seen;
  OnDialog([&](TForm* F) {
    auto* D = dynamic_cast<Searunit::TSrchDialog*>(F);
    ASSERT_NE(D, nullptr);
    Seen = {D->Caption(),
            IntToStr(D->ClientWidth()) + "x" + IntToStr(D->ClientHeight()),
            Geometry(D->SearText),
            Geometry(D->OptionsGroup),
            Geometry(D->OKBut),
            D->CaseSens->Checked() ? "case" : "nocase",
            IntToStr(D->OriginGroup->ItemIndex()),
            D->ScopeGroup->Items()->Strings(1),
            D->FileFindPage->TabVisible() ? "files shown" : "files hidden"};
    D->SearText->SetText("gamma");
    ClickButton(D->OKBut);
  });
  M->ShowSearchDialog();
  EXPECT_EQ(Created, 1);
  EXPECT_EQ(Seen, (std::vector<std::string>{"Find Text", "433x278", "SearText 96,16 321x21", "OptionsGroup 8,40 201x89",
                                            "OKBut 272,8 73x25", "case", "1", "&Selected text", "files hidden"}));
  EXPECT_EQ(GetSearchOptions()->TextToFind, "gamma");
  EXPECT_EQ(M->GetCurLine(), 1);  // case sensitive: "Gamma" on line 2 is not it
  EXPECT_EQ(M->GetCaretPoint(), (TPoint{10, 1}));
  EXPECT_EQ(Searunit::SrchDialog, nullptr);
}

TEST_F(SearchDialogs, CancelledFindLeavesOptionsAndCaret) {
  M->Lines()->SetText("one two\n");
  OnDialog([](TForm* F) {
    auto* D = static_cast<Searunit::TSrchDialog*>(F);
    D->SearText->SetText("two");
    D->CaseSens->SetChecked(true);
    ClickButton(D->CancelBut);
  });
  M->ShowSearchDialog();
  EXPECT_NE(GetSearchOptions()->TextToFind, "two");
  EXPECT_FALSE(GetSearchOptions()->CaseSensitive);
  EXPECT_EQ(M->GetCaretPoint(), (TPoint{0, 0}));
}

TEST_F(SearchDialogs, ReplaceAllFromTheModalDialogReplacesEveryOccurrence) {
  M->Lines()->SetText("a x a\nx a\na\n");
  std::vector<std::string> Seen;
  OnDialog([&](TForm* F) {
    auto* D = dynamic_cast<Replunit::TReplDialog*>(F);
    ASSERT_NE(D, nullptr);
    Seen = {D->Caption(),          IntToStr(D->ClientWidth()) + "x" + IntToStr(D->ClientHeight()),
            Geometry(D->ReplText), D->HelpBut->Visible() ? "help" : "no help",
            Geometry(D->OKBut),    Geometry(D->ReplBut)};
    D->SearText->SetText("a");
    D->ReplText->SetText("bb");
    D->OriginGroup->SetItemIndex(1);
    ClickButton(D->ReplBut);
  });
  M->ShowReplaceDialog();
  // Without the help button OK, Replace All and Cancel sit 80 pixels further right.
  EXPECT_EQ(Seen, (std::vector<std::string>{"Replace Text", "425x281", "ReplText 96,40 321x21", "no help",
                                            "OKBut 168,248 73x25", "ReplBut 248,248 89x25"}));
  EXPECT_TRUE(GetSearchOptions()->ReplaceAll);
  EXPECT_EQ(Text(), "bb x bb\nx bb\nbb");
}

TEST_F(SearchDialogs, NoReplaceDialogForAReadOnlySource) {
  M->Lines()->SetText("text\n");
  M->SetReadOnly(true);
  OnDialog([](TForm* F) { F->ModalResult = mrCancel; });
  M->ShowReplaceDialog();
  EXPECT_EQ(Created, 0);
  EXPECT_EQ(Text(), "text");
}

TEST_F(SearchDialogs, GoToLineBeyondTheTextStopsAtTheLastLine) {
  M->Lines()->SetText("1\n2\n3\n4\n5\n");
  M->JumpTo(0, 1);
  for (const auto& [Typed, Line] :
       std::vector<std::pair<std::string, Integer>>{{"3", 2}, {"2000000000", 4}, {"0", 0}, {"-7", 0}}) {
    std::string Prefilled;
    OnDialog([&, Typed = Typed](TForm* F) {
      auto* D = dynamic_cast<Dcinpfrm::TInputLineForm*>(F);
      ASSERT_NE(D, nullptr);
      Prefilled = D->Caption() + "|" + D->PropEdit->Text();
      D->PropEdit->SetText(Typed);
      ClickButton(D->OkBut);
    });
    const Integer Before = M->GetCurLine();
    M->ShowGoToLineDialog();
    EXPECT_EQ(Prefilled, "Go to line Number|" + IntToStr(Before + 1)) << Typed;
    EXPECT_EQ(M->GetCurLine(), Line) << Typed;
  }
  EXPECT_EQ(M->GetStrCount(), 5);
  // Typing after the jump does not add lines either.
  M->InsertString("x");
  EXPECT_EQ(M->GetStrCount(), 5);
}

class SearchWindow : public SearchDialogs {
protected:
  void SetUp() override {
    SearchDialogs::SetUp();
    ModalSearchAndReplace = false;
    CurrentFindSource = M.get();
  }
  Searrepldlg::TFrmSearRepl* W() const { return Searrepldlg::FrmSearRepl; }
};

TEST_F(SearchWindow, FindTakesTheNonModalWindowAndReportsFailuresInItsInfoLine) {
  M->Lines()->SetText("red green\nblue\n");
  M->JumpTo(0, 1);
  M->ShowSearchDialog();
  ASSERT_NE(W(), nullptr);
  EXPECT_TRUE(W()->Visible());
  EXPECT_EQ(W()->FormStyle, fsStayOnTop);
  EXPECT_EQ(W()->Caption(), "Find and Replace");
  EXPECT_EQ(W()->PageControl->ActivePageIndex(), 0);
  EXPECT_EQ(W()->LineEd->Text(), "2");
  // Designed open, shown collapsed: the panel's 106 pixels are gone.
  EXPECT_FALSE(W()->Expanded());
  EXPECT_EQ(W()->ClientHeight(), 267 - 106);
  EXPECT_EQ(W()->ExBtn->Caption(), "&More");
  W()->ExBtnClick(W()->ExBtn);
  EXPECT_EQ(W()->ClientHeight(), 267);
  EXPECT_EQ(W()->ExBtn->Caption(), "&Less");

  W()->SearText->SetText("purple");
  W()->FindBtnClick(W()->FindBtn);
  EXPECT_EQ(W()->InfoLbl->Caption(), "Search string 'purple' not found");
  EXPECT_EQ(W()->InfoLbl2->Caption(), W()->InfoLbl->Caption());
  EXPECT_TRUE(Scripted.Shown().empty());  // no message box

  W()->SearText->SetText("green");
  W()->dirBackward->SetChecked(true);
  W()->FindBtnClick(W()->FindBtn);
  EXPECT_EQ(W()->InfoLbl->Caption(), "");
  EXPECT_EQ(M->GetCaretPoint(), (TPoint{4, 0}));
}

TEST_F(SearchWindow, PagesSwitchTheirButtons) {
  M->Lines()->SetText("x\n");
  M->ShowReplaceDialog();
  ASSERT_NE(W(), nullptr);
  struct Row {
    int Page;
    std::string Expected;
  };
  auto State = [this] {
    return std::string(W()->FindBtn->Enabled() ? "F" : "f") + (W()->ReplBtn->Enabled() ? "R" : "r") +
           (W()->ReplAllBtn->Visible() ? "A" : "a") + (W()->GoToBtn->Visible() ? "G" : "g") +
           (W()->FindBtn->Default() ? "1" : "") + (W()->ReplBtn->Default() ? "2" : "") +
           (W()->GoToBtn->Default() ? "3" : "");
  };
  EXPECT_EQ(W()->PageControl->ActivePageIndex(), 1);
  for (const Row& R : {Row{1, "FRAg2"}, Row{2, "fraG3"}, Row{0, "FrAg1"}}) {
    W()->ExBtnClick(W()->ExBtn);  // the Go To page closes an open panel
    W()->SetActiveIndex(R.Page);
    EXPECT_EQ(State(), R.Expected) << R.Page;
    if (R.Page == 2) {
      EXPECT_FALSE(W()->Expanded());
    }
  }
}

TEST_F(SearchWindow, ReplaceAllCountsAndGoToReportsMissingBookmarks) {
  M->Lines()->SetText("cat dog cat\ncat\n\ncat\n");
  M->ShowReplaceDialog();
  ASSERT_NE(W(), nullptr);
  W()->SearText1->SetText("bird");
  W()->ReplText->SetText("cow");
  W()->ReplBtnClick(W()->ReplAllBtn);
  EXPECT_EQ(W()->InfoLbl1->Caption(), "Search string 'bird' not found");
  W()->SearText1->SetText("cat");
  W()->ReplBtnClick(W()->ReplAllBtn);
  EXPECT_EQ(W()->InfoLbl1->Caption(), "4 replacements have been made");
  EXPECT_EQ(Text(), "cow dog cow\ncow\n\ncow");

  M->JumpTo(0, 1);
  M->ToggleBookMark(1);
  M->JumpTo(0, 3);
  W()->SetActiveIndex(2);
  W()->GotoBox->SetItemIndex(1);
  W()->LineEd->SetText("3");
  W()->GoToBtnClick(W()->GoToBtn);
  EXPECT_EQ(W()->InfoLbl2->Caption(), "Bookmark 3 not found");
  W()->LineEd->SetText("1");
  W()->GoToBtnClick(W()->GoToBtn);
  EXPECT_EQ(W()->InfoLbl2->Caption(), "");
  EXPECT_EQ(M->GetCurLine(), 1);

  W()->GotoBox->SetItemIndex(0);
  for (const auto& [Typed, Line] : std::vector<std::pair<std::string, Integer>>{{"3", 2}, {"999999", 3}}) {
    W()->LineEd->SetText(Typed);
    W()->GoToBtnClick(W()->GoToBtn);
    EXPECT_EQ(M->GetCurLine(), Line) << Typed;
  }
  W()->LineEd->SetText("three");
  EXPECT_THROW(W()->GoToBtnClick(W()->GoToBtn), EConvertError);
}

TEST_F(SearchWindow, CloseKeepsTheOptionsAndTheSourceTakesTheWindowAlong) {
  M->Lines()->SetText("x\n");
  M->ShowSearchDialog();
  ASSERT_NE(W(), nullptr);
  W()->SearText->SetText("kept");
  W()->CaseSens->SetChecked(true);
  W()->CloseBtnClick(W()->CloseBtn);
  Harness::RunUntilIdle();
  EXPECT_EQ(W(), nullptr);
  EXPECT_EQ(GetSearchOptions()->TextToFind, "kept");
  EXPECT_TRUE(GetSearchOptions()->CaseSensitive);
  EXPECT_EQ(GetSearchOptions()->Origin, soFromCursor);

  M->ShowGoToLineDialog();
  ASSERT_NE(W(), nullptr);
  EXPECT_EQ(W()->PageControl->ActivePageIndex(), 2);
  EXPECT_EQ(W()->SearText->Text(), "kept");
  M.reset();
  EXPECT_EQ(W(), nullptr);
  EXPECT_EQ(CurrentFindSource, nullptr);
}

}  // namespace
