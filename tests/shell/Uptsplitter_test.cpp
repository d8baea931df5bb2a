// The splitter: pane layout, proportional resizing, minimum sizes, dragging the bar live and as a line, swapping
// and naming the panes.
#include "shell/Uptsplitter.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "tests/support/Forms.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Splitter : public TestSupport::TFormTest {
protected:
  TPTSplitter* MakeSplitter(int Width = 200, int Height = 140) {
    auto* S = TestSupport::Make<TPTSplitter>(Form, Form, Rect(0, 0, Width, Height));
    S->SetName("Split");
    S->CreatePanes();
    Form->SetBounds(40, 40, Width + 40, Height + 60);
    Form->Show();
    Harness::RunUntilIdle();
    return S;
  }
  // Drags the bar with the mouse from one x to the others (client coordinates of the splitter, at y = 50).
  void Drag(TPTSplitter* S, std::vector<int> Xs) {
    Harness::MouseDown(S->Handle(), Point(Xs.front(), 50));
    Harness::RunUntilIdle();
    for (std::size_t I = 1; I < Xs.size(); ++I) {
      Harness::MouseMove(S->Handle(), Point(Xs[I], 50), {});
      Harness::RunUntilIdle();
    }
  }
  void Release(TPTSplitter* S, int X) {
    Harness::MouseUp(S->Handle(), Point(X, 50));
    Harness::RunUntilIdle();
  }
};

TEST_F(Splitter, LaysThePanesOutBesideOrAboveTheBar) {
  auto* S = MakeSplitter();
  EXPECT_EQ(S->GetPane(0)->BoundsRect(), Rect(0, 0, 65, 140));
  EXPECT_EQ(S->GetPane(1)->BoundsRect(), Rect(68, 0, 200, 140));
  EXPECT_EQ(S->GetPane(0)->FrameStyle(), ptfsLowered);
  S->SetStyle(ptstHorizontal);
  S->SetSplitterWidth(5);
  EXPECT_EQ(S->GetPane(0)->BoundsRect(), Rect(0, 0, 200, 65));
  EXPECT_EQ(S->GetPane(1)->BoundsRect(), Rect(0, 70, 200, 140));
}

TEST_F(Splitter, ShowsTheSplitCursorOverTheBarOnly) {
  auto* S = MakeSplitter();
  Harness::MouseMove(S->Handle(), Point(66, 50));
  Harness::RunUntilIdle();
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHSplit));
  // Over a pane the splitter leaves the cursor to the pane.
  SetCursor(Screen->Cursors(crArrow));
  Harness::MouseMove(S->GetPane(1)->Handle(), Point(20, 50));
  Harness::RunUntilIdle();
  EXPECT_EQ(GetCursor(), Screen->Cursors(crArrow));
  S->SetStyle(ptstHorizontal);
  Harness::MouseMove(S->Handle(), Point(100, 66));
  Harness::RunUntilIdle();
  EXPECT_EQ(GetCursor(), Screen->Cursors(crVSplit));
}

TEST_F(Splitter, KeepsItsPositionProportionalWhenResized) {
  auto* S = MakeSplitter();
  int Changes = 0;
  S->OnChange = [&](TObject*) { ++Changes; };
  S->SetWidth(400);
  Harness::RunUntilIdle();
  EXPECT_EQ(S->Position(), 130);  // 0.325 x 400
  EXPECT_EQ(S->GetPane(0)->Width(), 130);
  EXPECT_EQ(Changes, 1);
  S->SetWidth(201);
  EXPECT_EQ(S->Position(), 65);  // 65.325 rounds to 65
  S->SetProportional(false);
  S->SetWidth(300);
  EXPECT_EQ(S->Position(), 65);
  EXPECT_EQ(S->GetPane(1)->BoundsRect(), Rect(68, 0, 300, 140));
}

TEST_F(Splitter, HonoursTheMinimumSizeOfEachPane) {
  auto* S = MakeSplitter();
  S->SetPane1MinSize(30);
  S->SetPane2MinSize(40);
  S->SetPosition(5);
  EXPECT_EQ(S->Position(), 30);
  // Pane 2 keeps its forty pixels beside the bar.
  S->SetPosition(190);
  EXPECT_EQ(S->Position(), 157);
  EXPECT_EQ(S->GetPane(1)->Width(), 40);
  // When both cannot be met, pane 1's minimum wins.
  S->SetPane1MinSize(180);
  S->SetPosition(100);
  EXPECT_EQ(S->Position(), 180);
}

TEST_F(Splitter, DraggingALinePastTheMinimumStopsThereAndMovesThePanesOnlyOnRelease) {
  auto* S = MakeSplitter();
  S->SetFullDragMode(ptfdOff);
  std::vector<int> Reported;
  std::vector<int> Dropped;
  S->OnSplitterDrag = [&](TObject*, int P) { Reported.push_back(P); };
  S->OnSplitterDrop = [&](TObject*, int P) { Dropped.push_back(P); };
  int Changes = 0;
  S->OnChange = [&](TObject*) { ++Changes; };
  // Grabbed one pixel into the bar: the offset is 1.
  Drag(S, {66, 100, 150, 199});
  EXPECT_TRUE(S->Dragging());
  EXPECT_EQ(S->GetPane(0)->Width(), 65);  // nothing moves yet
  EXPECT_EQ(S->Position(), 65);
  // The line shows over pane 2 at the held place (a checkerboard: every other pixel inverted).
  const TPoint Line = S->ClientToScreen(Point(177, 60));
  HDC Screen = GetDC(0);
  const COLORREF A = GetPixel(Screen, Line.X, Line.Y), B = GetPixel(Screen, Line.X + 1, Line.Y);
  EXPECT_NE(A, B);
  // The pointer's coordinates; the last one is held where pane 2 keeps its 20 pixels (200 - 3 - 20 + 1).
  EXPECT_EQ(Reported, (std::vector<int>{66, 100, 150, 178}));
  Release(S, 199);
  EXPECT_FALSE(S->Dragging());
  EXPECT_EQ(Reported.back(), -1);
  // Drawn twice, the line is gone.
  EXPECT_EQ(GetPixel(Screen, Line.X, Line.Y), GetPixel(Screen, Line.X + 1, Line.Y));
  ReleaseDC(0, Screen);
  EXPECT_EQ(S->Position(), 177);
  EXPECT_EQ(S->GetPane(1)->BoundsRect(), Rect(180, 0, 200, 140));
  EXPECT_EQ(Dropped, (std::vector<int>{177}));
  EXPECT_EQ(Changes, 1);
  // The proportion follows the drop.
  S->SetWidth(400);
  EXPECT_EQ(S->Position(), 354);
}

TEST_F(Splitter, FullDragMovesThePanesLive) {
  auto* S = MakeSplitter();
  S->SetFullDragMode(ptfdOn);
  Drag(S, {66, 120});
  EXPECT_EQ(S->Position(), 119);
  EXPECT_EQ(S->GetPane(0)->Width(), 119);
  // A second press ends the drag where it is.
  Harness::MouseDown(S->Handle(), Point(120, 50), Harness::TButton::Right);
  Harness::RunUntilIdle();
  EXPECT_FALSE(S->Dragging());
  EXPECT_EQ(S->Position(), 119);
  // A press on a pane starts nothing.
  Harness::MouseDown(S->GetPane(0)->Handle(), Point(10, 10));
  Harness::MouseUp(S->GetPane(0)->Handle(), Point(10, 10));
  Harness::RunUntilIdle();
  EXPECT_FALSE(S->Dragging());
}

TEST_F(Splitter, SwappingWithMirroringExchangesThePanesAndMirrorsThePosition) {
  auto* S = MakeSplitter(300, 140);
  S->SetPosition(100);
  TPTPane* Left = S->GetPane(0);
  TPTPane* Right = S->GetPane(1);
  auto* Inside = TestSupport::Make<TPTFrame>(Form, Left, Rect(1, 1, 10, 10));
  S->SwapPanes(true);
  EXPECT_EQ(S->Position(), 200);
  EXPECT_EQ(S->GetPane(0), Right);
  EXPECT_EQ(S->GetPane(1), Left);
  EXPECT_EQ(Left->Index(), 1);
  EXPECT_EQ(Inside->Parent(), S->GetPane(1));
  EXPECT_EQ(S->GetPane(1)->Left(), 203);
  EXPECT_EQ(S->GetPane(0)->Width(), 200);
  // A later resize keeps the mirrored proportion.
  S->SetWidth(600);
  EXPECT_EQ(S->Position(), 400);
}

TEST_F(Splitter, NamesItsPanesAfterItself) {
  auto* S = MakeSplitter();
  EXPECT_EQ(S->GetPane(0)->Name(), "Split_pane1");
  EXPECT_EQ(S->GetPane(1)->Name(), "Split_pane2");
  EXPECT_EQ(S->GetPane(0)->Caption(), "");
  S->SetName("Browser");
  EXPECT_EQ(S->GetPane(0)->Name(), "Browser_pane1");
  EXPECT_EQ(S->GetPane(1)->Name(), "Browser_pane2");
}

TEST_F(Splitter, WithoutPanesNothingIsLaidOutOrLimited) {
  auto* S = TestSupport::Make<TPTSplitter>(Form, Form, Rect(0, 0, 200, 140));
  Form->Show();
  Harness::RunUntilIdle();
  S->SetPosition(199);
  EXPECT_EQ(S->Position(), 199);
  EXPECT_EQ(S->GetPane(0), nullptr);
}

TEST_F(Splitter, AFormLayoutPutsItsPanesIntoTheirSlotsAndKeepsThemOnAWriteAndRead) {
  RegisterClasses({TPTSplitter::StaticClass()});
  TStringStream In(
      "object Form1: TForm\r\n"
      "  object Split: TPTSplitter\r\n"
      "    Left = 0\r\n    Top = 0\r\n    Width = 300\r\n    Height = 140\r\n"
      "    Position = 141\r\n    SplitterWidth = 5\r\n"
      "    object Split_pane2: TPTPane\r\n"
      "      Index = 1\r\n      MinSize = 60\r\n"
      "    end\r\n"
      "    object Split_pane1: TPTPane\r\n"
      "      MinSize = 4\r\n      FrameStyle = ptfsNone\r\n"
      "    end\r\n"
      "  end\r\n"
      "end\r\n");
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* S = dynamic_cast<TPTSplitter*>(Form->FindComponent("Split"));
  ASSERT_NE(S, nullptr);
  Form->Show();
  Harness::RunUntilIdle();
  ASSERT_NE(S->GetPane(0), nullptr);
  ASSERT_NE(S->GetPane(1), nullptr);
  EXPECT_EQ(S->GetPane(0)->Name(), "Split_pane1");
  EXPECT_EQ(S->Pane1MinSize(), 4);
  EXPECT_EQ(S->Pane2MinSize(), 60);
  EXPECT_EQ(S->Pane1FrameStyle(), ptfsNone);
  EXPECT_EQ(S->GetPane(1)->BoundsRect(), Rect(146, 0, 300, 140));
  // The proportion is fixed from the layout: 141 of 300.
  S->SetWidth(600);
  EXPECT_EQ(S->Position(), 282);

  TMemoryStream Out;
  Out.WriteComponent(S);
  Out.SetPosition(0);
  S->SetName("Original");
  auto* Copy = TestSupport::Make<TPTSplitter>(Form);
  Copy->SetParent(Form);
  Out.ReadComponent(Copy);
  ASSERT_NE(Copy->GetPane(1), nullptr);
  EXPECT_EQ(Copy->Pane2MinSize(), 60);
  EXPECT_EQ(Copy->GetPane(1)->Owner(), Copy);
  EXPECT_EQ(Copy->GetPane(1)->Name(), "Split_pane2");
}

}  // namespace
