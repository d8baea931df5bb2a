// The editor control's view: two editors on one source, scroll bars, scroll commands and the wheel, the
// scroll-by-blit optimisation, what one edit invalidates, and the mapping between text positions and pixels.
#include "tests/editor/EditorWindowSupport.h"

#include "platform/graphics/ScrollBars.h"

namespace {

std::string NumberedLines(int Count) {
  std::string Text;
  for (int I = 0; I < Count; ++I) {
    Text += "line " + std::to_string(I) + "\r\n";
  }
  return Text;
}

TRect UpdateBox(HWND Wnd) {
  HRGN Rgn = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(Wnd, Rgn, FALSE);
  TRect Box{};
  GetRgnBox(Rgn, &Box);
  DeleteObject(Rgn);
  return Box;
}

bool Empty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

WPARAM WheelParam(int Delta) { return static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(0, static_cast<WORD>(Delta)))); }

bool SameRect(const TRect& A, const TRect& B) {
  return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}

std::string Show(const TRect& R) {
  return "(" + std::to_string(R.Left) + "," + std::to_string(R.Top) + "," + std::to_string(R.Right) + "," +
         std::to_string(R.Bottom) + ")";
}

// ---- two editors on one source ----

class SharedSource : public EditorWindowTest {
protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    Edit->SetBounds(0, 0, 600, 240);
    Edit2 = NewEditor(0, 250, 600, 200);
    Source = new TEasyEditSource(Form);
    const std::string Text = NumberedLines(300);
    Source->Strings()->SetTextBuffer(Text.data(), Text.size());
    Edit->GetLines()->SetText("own one");
    Edit2->GetLines()->SetText("own two");
    Edit->SetEditSource(Source);
    Edit2->SetEditSource(Source);
    Harness::RunUntilIdle();
  }
  TEasyEdit* Edit2 = nullptr;
  TEasyEditSource* Source = nullptr;
};

TEST_F(SharedSource, AnEditThroughOneRepaintsBothAndOnlyTheFocusedOneFollowsTheCaret) {
  Edit2->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_EQ(Source->ActiveEditor, Edit2);
  Source->JumpTo(0, 2);
  Harness::RunUntilIdle();
  Source->InsertString("x");
  EXPECT_FALSE(Empty(UpdateBox(Edit->Handle()))) << "the other editor repaints the changed line";
  EXPECT_FALSE(Empty(UpdateBox(Edit2->Handle())));
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->GetLines()->Get(2), "xline 2");

  Source->JumpTo(0, 250);
  Harness::RunUntilIdle();
  EXPECT_GT(Edit2->WindowLine(), 200) << "the focused editor scrolls to the caret";
  EXPECT_EQ(Edit->WindowLine(), 0) << "the other one stays";
}

TEST_F(SharedSource, FreeingTheSourceGivesEachEditorItsOwnContentBack) {
  EXPECT_EQ(Edit->GetEditSource(), Source);
  delete Source;
  Source = nullptr;
  EXPECT_EQ(Edit->EditSource(), nullptr);
  EXPECT_EQ(Edit->GetEditSource(), Edit->OwnSource());
  EXPECT_EQ(Edit->GetLines()->Get(0), "own one");
  EXPECT_EQ(Edit2->GetLines()->Get(0), "own two");
  Harness::RunUntilIdle();
}

class TNarrowSource : public TCustomEasyEditSource {
  Z_CLASS(TNarrowSource, TCustomEasyEditSource)
public:
  using TCustomEasyEditSource::TCustomEasyEditSource;
};
Z_IMPLEMENT_CLASS(TNarrowSource, TCustomEasyEditSource)

class TNarrowEdit : public TEasyEdit {
  Z_CLASS(TNarrowEdit, TEasyEdit)
public:
  using TEasyEdit::TEasyEdit;
  TClass GetEditSourceClass() override { return TNarrowSource::StaticClass(); }
};
Z_IMPLEMENT_CLASS(TNarrowEdit, TEasyEdit)

TEST_F(SharedSource, ASourceOfAnotherClassIsRefusedAndTheBindingStays) {
  auto* Narrow = new TNarrowEdit(Form);
  Narrow->AfterConstruction();
  Narrow->SetParent(Form);
  auto* Mine = new TNarrowSource(Form);
  Narrow->SetEditSource(Mine);
  try {
    Narrow->SetEditSource(Source);
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "The instance of TNarrowSource expected");
  }
  EXPECT_EQ(Narrow->EditSource(), Mine);
}

TEST_F(SharedSource, InsertingAboveAStreamSelectionMovesItsCornersAndTheTrackedPoints) {
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoPersistentBlocks);
  Edit->SetOptions(O);
  Edit->SetSelection(Rect(2, 5, 4, 6), slStream);
  TPoint Tracked{1, 7};
  Edit->TrackedPoint1 = &Tracked;
  Source->JumpTo(0, 1);
  Source->BreakString();
  EXPECT_TRUE(SameRect(Edit->SelRect, Rect(2, 6, 4, 7))) << Show(Edit->SelRect);
  EXPECT_EQ(Tracked.Y, 8);
  Source->JumpTo(0, 6);
  Source->InsertString("ab");
  EXPECT_TRUE(SameRect(Edit->SelRect, Rect(4, 6, 4, 7))) << Show(Edit->SelRect);
  EXPECT_EQ(Edit->SelType, slStream);
  Edit->TrackedPoint1 = nullptr;
}

// ---- scroll bars and scrolling ----

class Scrolling : public EditorWindowTest {
protected:
  void Load(int Lines) {
    const std::string Text = NumberedLines(Lines);
    Edit->GetLines()->SetTextBuffer(Text.data(), Text.size());
    Harness::RunUntilIdle();
  }
  SCROLLINFO Bar(int Which) {
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    GetScrollInfo(Edit->Handle(), Which, &Info);
    return Info;
  }
  int Rows() { return Edit->ScrollPageSize().cy; }
  int LineHeight() { return Edit->EasyPainter()->LineHeight(); }
};

TEST_F(Scrolling, BarsFollowTheirSettings) {
  Load(200);
  const int FullWidth = Edit->ClientWidth();
  Edit->SetScrollBars(ssBoth);
  Harness::RunUntilIdle();
  EXPECT_LT(Edit->ClientWidth(), FullWidth) << "a vertical bar appeared";
  EXPECT_EQ(Bar(SB_VERT).nMax, 199);
  EXPECT_EQ(static_cast<int>(Bar(SB_VERT).nPage), Rows());
  EXPECT_EQ(Bar(SB_HORZ).nMax, 255) << "255 columns by default";
  EXPECT_EQ(static_cast<int>(Bar(SB_HORZ).nPage), Edit->ScrollPageSize().cx);

  Edit->SetHideScrollBars(true);
  EXPECT_EQ(Bar(SB_HORZ).nMax, static_cast<int>(std::string("line 199").size()))
      << "with the option the range follows the widest line";
  Edit->SetWordWrap(true);
  EXPECT_EQ(Bar(SB_HORZ).nMax, 0) << "hidden while wrapping";
  Edit->Margin()->SetPosition(200);
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoBreakWordsAtMargin);
  Edit->SetOptions(O);
  EXPECT_EQ(Bar(SB_HORZ).nMax, 200 * Edit->EasyPainter()->CharWidth()) << "unless wrapping at a wide margin";
  Edit->SetWordWrap(false);

  Load(5);
  Edit->UpdateScrollBars();
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->ClientWidth(), FullWidth) << "short text hides the vertical bar";
}

TEST_F(Scrolling, NoBarsByDefault) {
  Load(200);
  TRect Window{};
  GetWindowRect(Edit->Handle(), &Window);
  EXPECT_EQ(Edit->ClientWidth(), Window.Width() - 4) << "only the sunken edge";
  EXPECT_EQ(Edit->ClientHeight(), Window.Height() - 4);
}

TEST_F(Scrolling, MessagesAndTheWheelMoveTheView) {
  Load(200);
  Edit->SetScrollBars(ssVertical);
  SendMessage(Edit->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Edit->WindowLine(), 1);
  SendMessage(Edit->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(Edit->WindowLine(), 1 + Rows());
  EXPECT_EQ(Bar(SB_VERT).nPos, 1 + Rows());
  SendMessage(Edit->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(Edit->WindowLine(), 199);
  SendMessage(Edit->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Edit->WindowLine(), 199) << "never past the last row";
  SendMessage(Edit->Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(Edit->WindowLine(), 0);
  SendMessage(Edit->Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
  EXPECT_EQ(Edit->WindowChar(), 1);
  SendMessage(Edit->Handle(), WM_HSCROLL, SB_RIGHT, 0);
  EXPECT_EQ(Edit->WindowChar(), 255 - Edit->ScrollPageSize().cx) << "the last page of the 255 columns";
  SendMessage(Edit->Handle(), WM_HSCROLL, SB_LEFT, 0);

  const int Lines = Mouse->WheelScrollLines;
  Edit->SetFocus();
  Harness::Wheel(Edit->Handle(), Point(100, 100), -1);
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->WindowLine(), Lines);
  for (int I = 0; I < 2; ++I) {
    SendMessage(Edit->Handle(), WM_MOUSEWHEEL, WheelParam(-40), 0);
  }
  EXPECT_EQ(Edit->WindowLine(), Lines) << "two thirds of a notch are kept";
  SendMessage(Edit->Handle(), WM_MOUSEWHEEL, WheelParam(-40), 0);
  EXPECT_EQ(Edit->WindowLine(), 2 * Lines);

  Edit->UpdatingScrollPos = true;
  SendMessage(Edit->Handle(), WM_VSCROLL, SB_TOP, 0);
  Edit->UpdatingScrollPos = false;
  EXPECT_EQ(Edit->WindowLine(), 2 * Lines) << "its own scroll-bar updates are ignored";
}

TEST_F(Scrolling, ASmallScrollMovesPixelsAndRepaintsOnlyTheUncoveredStrip) {
  Load(200);
  Harness::RunUntilIdle();
  SendMessage(Edit->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  const int H = Edit->ClientHeight();
  EXPECT_TRUE(SameRect(Edit->LastPaintedRect, Rect(0, H - LineHeight(), Edit->ClientWidth(), H)))
      << Show(Edit->LastPaintedRect);
  SendMessage(Edit->Handle(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_TRUE(SameRect(Edit->LastPaintedRect, Rect(0, 0, Edit->ClientWidth(), LineHeight())))
      << Show(Edit->LastPaintedRect);
  SendMessage(Edit->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_FALSE(Empty(UpdateBox(Edit->Handle())));
  Harness::RunUntilIdle();
  EXPECT_TRUE(SameRect(Edit->LastPaintedRect, Edit->ClientRect())) << Show(Edit->LastPaintedRect);
}

TEST_F(Scrolling, OneCharacterInsertedInABracketInvalidatesOnlyItsLine) {
  Load(100);
  TCustomEasyEditSource* Source = Edit->GetEditSource();
  Source->JumpTo(3, 5);
  Harness::RunUntilIdle();
  Source->BeginSourceUpdate(oprInsert);
  Source->InsertString("x");
  Source->EndSourceUpdate();
  const int LH = LineHeight();
  const TRect Expected = Rect(Edit->GetLeftIndent(), 5 * LH, Edit->ClientWidth(), 6 * LH);
  const TRect Box = UpdateBox(Edit->Handle());
  EXPECT_TRUE(SameRect(Box, Expected)) << Show(Box) << " instead of " << Show(Expected);
}

TEST_F(Scrolling, DeletingALineRepaintsEverythingBelowIt) {
  Load(100);
  Edit->GetLines()->Delete(5);
  const TRect Box = UpdateBox(Edit->Handle());
  EXPECT_EQ(Box.Top, 5 * LineHeight()) << Show(Box);
  EXPECT_EQ(Box.Bottom, Edit->ClientHeight()) << "the lines below moved up";
}

// ---- mapping ----

TEST_F(Scrolling, PositionsRoundTripThroughPixelsOverTabsAndLineEnds) {
  TEasySourceOptions SO = Edit->GetSourceOptions();
  SO.Include(srUseTab);
  SO.Include(srBeyondEol);
  Edit->SetSourceOptions(SO);
  Edit->GetLines()->SetText("a\tb\r\n\r\n\tx\t\r\nlast");
  Harness::RunUntilIdle();
  for (int Char : {0, 3}) {
    for (int Line : {0, 2}) {
      Edit->SetWindowChar(Char);
      Edit->SetWindowLine(Line);
      for (int Y = 0; Y < 6; ++Y) {  // the lines, the last one and lines past the end
        for (int X : {0, 1, 2, 7, 8, 9, 16, 17, 40}) {  // tab stops, their neighbours, past the end
          const TPoint P{X, Y};
          const TPoint Pixel = Edit->TextToPixelPoint(P, false);
          const TPoint Back = Edit->PixelToTextPoint(Pixel, false);
          EXPECT_EQ(Back.X, X) << "column " << X << " line " << Y;
          EXPECT_EQ(Back.Y, Y) << "column " << X << " line " << Y;
        }
      }
    }
  }
  Edit->SetWindowChar(0);
  Edit->SetWindowLine(0);
  EXPECT_EQ(Edit->GetRealChar(0, 8), 2) << "the b after the tab";
  EXPECT_EQ(Edit->GetRealChar(0, 4), 1) << "inside the tab";
  EXPECT_EQ(Edit->GetRealChar(2, 9), 2) << "the tab after the x";
  const TPoint Corner = Edit->TextToPixelPoint(TPoint{0, 0}, false);
  EXPECT_EQ(Corner.X, Edit->GetLeftIndent());
  EXPECT_EQ(Corner.Y, 0);
}

}  // namespace

namespace {

struct TDlgCase {
  const char* Name;
  bool WantTabs;
  bool WantReturns;
  LRESULT Code;
};

class DialogCodes : public EditorWindowTest, public ::testing::WithParamInterface<TDlgCase> {};

TEST_P(DialogCodes, FollowWantTabsAndWantReturns) {
  Edit->SetWantTabs(GetParam().WantTabs);
  Edit->SetWantReturns(GetParam().WantReturns);
  EXPECT_EQ(SendMessage(Edit->Handle(), WM_GETDLGCODE, 0, 0), GetParam().Code);
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogCodes,
                         ::testing::Values(TDlgCase{"Default", false, true, 133}, TDlgCase{"NoReturns", false, false, 129},
                                           TDlgCase{"TabsNoReturns", true, false, 131},
                                           TDlgCase{"TabsAndReturns", true, true, 135}),
                         [](const ::testing::TestParamInfo<TDlgCase>& I) { return std::string(I.param.Name); });

TEST_F(EditorWindowTest, OverwriteModeIsSharedByEveryEditor) {
  auto* Other = NewEditor(0, 410, 300, 60);
  int Notified = 0;
  Other->OnSourceChanged = [&](TObject*, TEasyEditSourceStates S) { Notified += S.Contains(csInsModeChanged); };
  Other->SetEditSource(Edit->GetEditSource());
  Edit->SetOverwrite(true);
  EXPECT_TRUE(Other->GetOverwrite());
  EXPECT_EQ(Notified, 1) << "editors of the same source hear of it";
  Edit->SetOverwrite(false);
  EXPECT_FALSE(Other->GetOverwrite());
}

TEST_F(EditorWindowTest, HiddenScrollBarsPullTheViewBackToAFullLastPage) {
  std::string Text;
  for (int I = 0; I < 100; ++I) {
    Text += "x\r\n";
  }
  Edit->GetLines()->SetTextBuffer(Text.data(), Text.size());
  Edit->SetHideScrollBars(true);
  Edit->SetWindowLine(95);
  EXPECT_EQ(Edit->WindowLine(), Edit->MaxVisibleLine() + 1 - Edit->ScrollPageSize().cy);
  Edit->SetKeyMapping(kmOther);
  EXPECT_EQ(Edit->KeyList()->Count(), 0);
}

}  // namespace
