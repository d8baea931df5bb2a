// The editor and the mouse: clicks, shift-clicks and double clicks, drag-selection with the auto-scroll timer,
// dragging a selection to move or copy it, the gutter, and links with the hand cursor.
#include "tests/editor/EditorInputSupport.h"

#include "platform/graphics/Cursors.h"
#include "platform/win/Clock.h"
#include "platform/win/Shell.h"

namespace {

class Mouse : public EditorInputTest {
protected:
  void SetUp() override {
    EditorInputTest::SetUp();
    SetShellExecuteRecording(true);
    ClearShellExecuteRecords();
  }
  void TearDown() override {
    SetShellExecuteRecording(false);
    EditorInputTest::TearDown();
  }
  void Click(int X, int Y, Harness::TMods Mods = {}) {
    Harness::Click(Edit->Handle(), CellPoint(X, Y), Harness::TButton::Left, Mods);
    Harness::Advance(Clock, 1000);  // the next press is no double click
  }
  void Drag(TPoint From, TPoint To, Harness::TMods Mods = {}) {
    Harness::MouseDown(Edit->Handle(), CellPoint(From.X, From.Y), Harness::TButton::Left, Mods);
    Harness::RunUntilIdle();
    Harness::MouseMove(Edit->Handle(), CellPoint(To.X, To.Y), Mods);
    Harness::Advance(Clock, 30);
    Harness::MouseUp(Edit->Handle(), CellPoint(To.X, To.Y), Harness::TButton::Left, Mods);
    Harness::Advance(Clock, 1000);
  }
  std::vector<std::string> Opened() {
    std::vector<std::string> Files;
    for (const TShellExecuteRecord& R : ShellExecuteRecords()) {
      Files.push_back(R.File);
    }
    return Files;
  }
  TManualClock Clock;
  TScopedClock UseClock{Clock};
};

TEST_F(Mouse, ClickShiftClickAndDoubleClick) {
  SetText("one two three\nfour five");
  Click(2, 1);
  EXPECT_TRUE(SamePoint(Pos(), 2, 1));
  EXPECT_EQ(Edit->SelType, slNone);
  Click(5, 0, Shift());
  EXPECT_EQ(Edit->GetSelText(), "wo three\r\nfo") << "Shift+click extends from the old caret";
  Harness::DoubleClick(Edit->Handle(), CellPoint(5, 0));
  Harness::Advance(Clock, 1000);
  EXPECT_EQ(Edit->GetSelText(), "two");
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoDblClickLine);
  Edit->SetOptions(O);
  Harness::DoubleClick(Edit->Handle(), CellPoint(1, 1));
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->GetSelText(), "four five\r\n") << "with the option, the whole line";
}

TEST_F(Mouse, DragSelectsAndTheTimerScrollsWhileTheMouseIsBelowTheView) {
  std::string Text;
  for (int I = 0; I < 200; ++I) {
    Text += "row " + std::to_string(I) + "\n";
  }
  SetText(Text);
  Harness::MouseDown(Edit->Handle(), CellPoint(1, 2));
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->MouseSelState, seSel);
  Harness::MouseMove(Edit->Handle(), TPoint{20, Edit->ClientHeight() + 30});
  Harness::RunUntilIdle();
  const int Top = Edit->WindowLine();
  Harness::Advance(Clock, 30);
  const int After1 = Edit->WindowLine();
  Harness::Advance(Clock, 30);
  Harness::Advance(Clock, 30);
  EXPECT_GT(After1, Top) << "a tick moves the caret below the view, and the view follows";
  EXPECT_GT(Edit->WindowLine(), After1) << "each 30 ms tick scrolls on";
  EXPECT_EQ(Edit->SelType, slStream);
  EXPECT_TRUE(SamePoint(TPoint{Edit->SelRect.Left, Edit->SelRect.Top}, 1, 2));
  EXPECT_EQ(Edit->SelRect.Bottom, Pos().Y);
  Harness::MouseUp(Edit->Handle(), TPoint{20, Edit->ClientHeight() + 30});
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->MouseSelState, seNone);
  const int Stopped = Edit->WindowLine();
  Harness::Advance(Clock, 90);
  EXPECT_EQ(Edit->WindowLine(), Stopped) << "the timer stops with the release";
}

TEST_F(Mouse, DraggingASelectionMovesOrCopiesIt) {
  SetText("one two three");
  Edit->SetSelection(Rect(4, 0, 8, 0), slStream);
  Drag(TPoint{5, 0}, TPoint{13, 0});
  EXPECT_EQ(Text(), "one threetwo ");
  Edit->SetSelection(Rect(0, 0, 3, 0), slStream);
  Drag(TPoint{1, 0}, TPoint{2, 0});
  EXPECT_EQ(Text(), "one threetwo ") << "dropped inside itself: nothing changes";
  EXPECT_EQ(Edit->SelType, slNone) << "and the selection goes";
  Edit->SetSelection(Rect(0, 0, 3, 0), slStream);
  Drag(TPoint{1, 0}, TPoint{13, 0}, Ctrl());
  EXPECT_EQ(Text(), "one threetwo one") << "Ctrl copies";
}

TEST_F(Mouse, GutterClicksReportTheLine) {
  SetText("a\nb\nc");
  int ClickLine = -1;
  int DblLine = -1;
  Edit->OnGutterClick = [&](TObject*, int Line, int) { ClickLine = Line; };
  Edit->OnGutterDblClick = [&](TObject*, int Line, int) { DblLine = Line; };
  const int Y = CellPoint(0, 2).Y;
  ASSERT_GT(Edit->GetLeftIndent(), 4);
  Harness::Click(Edit->Handle(), TPoint{2, Y});
  Harness::RunUntilIdle();
  EXPECT_EQ(ClickLine, 2);
  Harness::DoubleClick(Edit->Handle(), TPoint{2, CellPoint(0, 1).Y});
  Harness::RunUntilIdle();
  EXPECT_EQ(DblLine, 1);
}

TEST_F(Mouse, AClickOnLinkTextOpensIt) {
  SetText("see http://example.com/page here\nmail joe@example.com now");
  Harness::RunUntilIdle();
  Click(8, 0);
  EXPECT_EQ(Opened(), std::vector<std::string>{"http://example.com/page"});
  ClearShellExecuteRecords();
  Click(7, 1);
  EXPECT_EQ(Opened(), std::vector<std::string>{"mailto:joe@example.com"}) << "an address gets mailto:";
  ClearShellExecuteRecords();
  Drag(TPoint{6, 0}, TPoint{10, 0});
  EXPECT_TRUE(Opened().empty()) << "a drag that starts on a link selects and opens nothing";
  EXPECT_EQ(Edit->GetSelText(), "tp:/");
  std::string Asked;
  Edit->OnUrlJump = [&](TObject*, const std::string& Url, bool& Handled) {
    Asked = Url;
    Handled = true;
  };
  Click(8, 0);
  EXPECT_EQ(Asked, "http://example.com/page");
  EXPECT_TRUE(Opened().empty()) << "a handled link event stops the open";
  Click(1, 0);
  EXPECT_TRUE(Opened().empty()) << "plain text is no link";
}

TEST_F(Mouse, TheHandOverLinksIsOurOwnCursor) {
  const HCURSOR Hand = Screen->Cursors(crEasyHand);
  EXPECT_NE(Hand, CursorOfTCursor(crHandPoint));
  EXPECT_NE(Hand, CursorOfTCursor(crArrow));
  SetText("go to http://example.com now");
  Harness::RunUntilIdle();
  Harness::MouseMove(Edit->Handle(), CellPoint(8, 0));
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->Cursor, crEasyHand);
  Harness::MouseMove(Edit->Handle(), CellPoint(1, 0));
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->Cursor, crIBeam) << "leaving the link restores the cursor";
}

}  // namespace
