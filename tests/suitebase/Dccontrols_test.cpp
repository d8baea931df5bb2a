// The suite's hints, control backgrounds and small drawing routines.
#include "platform/win/Clock.h"
#include "suitebase/Controlbackground.h"
#include "suitebase/Dccontrols.h"
#include "suitebase/Suitehint.h"
#include "tests/support/Forms.h"

#include <set>

using namespace Dccontrols;

namespace {

// The pixels of a bitmap, to compare two drawings.
std::vector<COLORREF> Pixels(TBitmap& B) {
  std::vector<COLORREF> Out;
  for (int Y = 0; Y < B.Height(); ++Y) {
    for (int X = 0; X < B.Width(); ++X) {
      Out.push_back(GetPixel(B.Canvas()->Handle(), X, Y));
    }
  }
  return Out;
}

TBitmap* White(TBitmap& B, int W, int H) {
  B.SetSize(W, H);
  B.Canvas()->Brush()->SetColor(clWhite);
  B.Canvas()->FillRect(TRect{0, 0, W, H});
  return &B;
}

struct TFonts {
  TFont Normal;
  TFont Bold;
  TFonts() {
    Normal.SetSize(10);
    Bold.Assign(&Normal);
    Bold.SetStyle(TFontStyles{fsBold});
  }
};

// A reference drawing: the pieces one after the other, each in its font.
void DrawPieces(TCanvas* C, const std::vector<std::pair<std::string, TFont*>>& Pieces) {
  int X = 0;
  SetBkMode(C->Handle(), TRANSPARENT);
  for (const auto& [Text, Font] : Pieces) {
    C->SetFont(Font);
    C->TextOut(X, 0, Text);
    X += C->TextWidth(Text);
  }
}

struct TBoldCase {
  const char* Name;
  std::string Marked;
  std::vector<std::pair<std::string, bool>> Pieces;  // text, bold
};

class BoldParts : public ::testing::TestWithParam<TBoldCase> {};

TEST_P(BoldParts, AreDrawnInTheBoldFontAndMeasuredSo) {
  const TBoldCase& Case = GetParam();
  TFonts F;
  TBitmap Drawn;
  White(Drawn, 120, 20);
  int Pos = 0;
  int Len = 0;
  const std::string Plain = ExtractBoldPos(Case.Marked, Pos, Len);
  DrawWithSelection(Drawn.Canvas(), &F.Normal, &F.Bold, TRect{0, 0, 120, 20}, Plain, Pos, Len, lrLeftJustify);
  TBitmap Expected;
  White(Expected, 120, 20);
  std::vector<std::pair<std::string, TFont*>> Pieces;
  int Width = 0;
  for (const auto& [Text, IsBold] : Case.Pieces) {
    Pieces.emplace_back(Text, IsBold ? &F.Bold : &F.Normal);
    Expected.Canvas()->SetFont(IsBold ? &F.Bold : &F.Normal);
    Width += Expected.Canvas()->TextWidth(Text);
  }
  DrawPieces(Expected.Canvas(), Pieces);
  EXPECT_EQ(Pixels(Drawn), Pixels(Expected));
  EXPECT_EQ(CalcStringSize(Drawn.Canvas(), &F.Normal, &F.Bold, Case.Marked).X, Width);
}

INSTANTIATE_TEST_SUITE_P(Hints, BoldParts,
                         ::testing::Values(TBoldCase{"NoMarker", "abc", {{"abc", false}}},
                                           TBoldCase{"TwoMarkers", "a~b~c", {{"a", false}, {"b", true}, {"c", false}}},
                                           TBoldCase{"OneMarker", "a~bc", {{"a", false}, {"bc", true}}}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(Dccontrols, MarkersAndColumns) {
  int Pos = -1;
  int Len = -1;
  EXPECT_EQ(ExtractBoldPos("a~b~c", Pos, Len), "abc");
  EXPECT_EQ(Pos, 2);
  EXPECT_EQ(Len, 1);
  EXPECT_EQ(ExtractBoldPos("a~bc", Pos, Len), "abc");
  EXPECT_EQ(Len, 2);
  EXPECT_EQ(ExtractBoldPos("abc", Pos, Len), "abc");
  EXPECT_EQ(Len, 0);
  int Col = 1;
  EXPECT_EQ(ExtractColumn("a|b", Col), "a");
  EXPECT_EQ(Col, 3);
  EXPECT_EQ(ExtractColumn("a|b", Col), "b");
  EXPECT_EQ(Col, 4);
  TBitmap B;
  White(B, 4, 4);
  EXPECT_EQ(GetStringExtent(B.Canvas(), ""), (TSize{0, 0}));
}

TEST(Dccontrols, GradientBands) {
  TBitmap B;
  White(B, 300, 10);
  B.Canvas()->Brush()->SetColor(clRed);
  FillGradient(B.Canvas(), 300, 10, clBlack, clWhite, false);
  std::set<COLORREF> Colors;
  for (int X = 0; X < 300; ++X) {
    Colors.insert(GetPixel(B.Canvas()->Handle(), X, 5));
  }
  EXPECT_LE(Colors.size(), 256u);
  EXPECT_GT(Colors.size(), 100u);
  EXPECT_EQ(GetPixel(B.Canvas()->Handle(), 0, 0), 0u);  // the first band has the begin colour
  EXPECT_EQ(B.Canvas()->Brush()->Color(), clRed);       // the brush keeps its colour
  White(B, 50, 50);
  FillGradient(B.Canvas(), 50, 50, clBlue, clBlue, true);
  EXPECT_EQ(GetPixel(B.Canvas()->Handle(), 10, 49), 0x00FF0000u);  // one band covers everything
  FillGradient(B.Canvas(), 0, 50, clBlack, clWhite, true);         // nothing for an empty area
}

// ---- Hints -------------------------------------------------------------------------------------------------------

class HintTest : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    Hint = TestSupport::Make<ZEZHint>(Form);
    Hint->OnVisibleChanged = [this](TObject*) { ++Changes; };
  }
  void TearDown() override {
    SetClock(nullptr);
    TFormTest::TearDown();
  }
  ZEZHint* Hint = nullptr;
  int Changes = 0;
};

TEST_F(HintTest, ImmediateShowsAtOnceAndAnEmptyTextCancels) {
  SetCursorPos(100, 100);
  Hint->ActivateHintAtPos(TPoint{100, 100}, "Some ~hint~ text");
  EXPECT_TRUE(Hint->Visible());
  EXPECT_EQ(Hint->HintState, 0);
  EXPECT_EQ(Changes, 1);
  RECT R;
  GetWindowRect(Hint->HintWindow()->Handle(), &R);
  EXPECT_EQ(R.Left, 100);
  EXPECT_EQ(R.Top, 100);
  EXPECT_EQ(R.Width(), Hint->GetSize("Some ~hint~ text").X);
  Hint->ActivateHintAtPos(TPoint{100, 100}, "");
  EXPECT_FALSE(Hint->Visible());
  EXPECT_FALSE(Hint->HintTimer()->Enabled());
}

TEST_F(HintTest, WithoutImmediateTheHintWaitsForTheHintPause) {
  TManualClock Manual;
  TScopedClock Use(Manual);
  Hint->Immediate = false;
  Application->HintPause = 500;
  SetCursorPos(50, 50);
  Hint->ActivateHintAtPos(TPoint{50, 50}, "Later");
  EXPECT_FALSE(Hint->Visible());
  // Ticks of 50 ms are counted until they make up the pause: the eleventh tick finds 500 ms elapsed.
  int Ticks = 0;
  while (!Hint->Visible() && Ticks < 20) {
    Harness::Advance(Manual, 50);
    ++Ticks;
  }
  EXPECT_EQ(Ticks, 11);
}

TEST_F(HintTest, TheMouseMayRiseByTheHintsHeightAndAutoHideOffKeepsIt) {
  const TRect R{100, 100, 200, 120};
  EXPECT_TRUE(Hint->IsHintInRect(R, TPoint{150, 81}));
  EXPECT_TRUE(Hint->IsHintInRect(R, TPoint{100, 80}));
  EXPECT_FALSE(Hint->IsHintInRect(R, TPoint{150, 79}));
  EXPECT_FALSE(Hint->IsHintInRect(R, TPoint{200, 110}));
  EXPECT_FALSE(Hint->IsHintInRect(R, TPoint{150, 120}));

  TManualClock Manual;
  TScopedClock Use(Manual);
  SetCursorPos(300, 300);
  Hint->ActivateHintAtPos(TPoint{300, 300}, "Stays");
  SetCursorPos(10, 10);  // the mouse leaves: with AutoHide the hint goes
  Harness::Advance(Manual, 100);
  EXPECT_FALSE(Hint->Visible());
  Hint->AutoHide = false;
  Hint->ActivateHintAtPos(TPoint{300, 300}, "Stays");
  Harness::Advance(Manual, 10000);
  EXPECT_TRUE(Hint->Visible());
  Hint->CancelHint();
  EXPECT_FALSE(Hint->Visible());
}

TEST_F(HintTest, PlacedBackOnScreen) {
  const int W = GetSystemMetrics(SM_CXSCREEN);
  const int H = GetSystemMetrics(SM_CYSCREEN);
  SetCursorPos(W - 2, H - 2);
  Hint->ActivateHintAtPos(TPoint{W - 2, H - 2}, "Near the corner");
  RECT R;
  GetWindowRect(Hint->HintWindow()->Handle(), &R);
  EXPECT_EQ(R.Right, W);
  EXPECT_EQ(R.Bottom, H);
  SetCursorPos(-30, -30);
  Hint->ActivateHintAtPos(TPoint{-30, -30}, "Off the edge");
  GetWindowRect(Hint->HintWindow()->Handle(), &R);
  EXPECT_EQ(R.Left, 0);
  EXPECT_EQ(R.Top, 0);
}

TEST_F(HintTest, MultiLineHintsKeepEachLinesHeightAndDrawEveryLine) {
  SetCursorPos(60, 60);
  Hint->ActivateHintAtPos(TPoint{60, 60}, "First ~bold~\r\nSecond line is longer");
  ZEZHintWindow* W = Hint->HintWindow();
  ASSERT_EQ(W->Lines().size(), 2u);
  EXPECT_EQ(W->Lines()[0], "First ~bold~");
  EXPECT_GT(W->LineHeights()[1], 0);
  Harness::RunUntilIdle();
  const std::string Png = ::testing::TempDir() + "zubq-hint.png";
  ASSERT_TRUE(Harness::SaveWindowPng(W->Handle(), Png));
  Harness::TSavedImage Image;
  ASSERT_TRUE(Harness::LoadPng(Png, Image));
  // Text pixels (dark) in the band of each line.
  auto DarkInRows = [&](int Top, int Bottom) {
    for (int Y = Top; Y < Bottom && Y < Image.Height; ++Y) {
      for (int X = 3; X < Image.Width - 3; ++X) {
        const std::uint32_t P = Image.At(X, Y);
        if (((P >> 16) & 0xFF) < 100 && ((P >> 8) & 0xFF) < 100 && (P & 0xFF) < 100) {
          return true;
        }
      }
    }
    return false;
  };
  const int H0 = W->LineHeights()[0];
  EXPECT_TRUE(DarkInRows(2, H0));
  EXPECT_TRUE(DarkInRows(H0 + 1, H0 + W->LineHeights()[1]));
}

// ---- Backgrounds -------------------------------------------------------------------------------------------------

class TBackgroundControl : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
};

class BackgroundTest : public TestSupport::TFormTest {};

TEST_F(BackgroundTest, NothingIsPaintedBeforeTheWindowExistsAndACentredPictureMayStartLeftOfIt) {
  auto* Control = new TBackgroundControl(Form);
  Control->SetParent(Form);
  Control->SetBounds(0, 0, 40, 30);
  Control->SetColor(clYellow);
  TControlBackground B(Control);
  B.SetBkgndOption(boCenter);
  TBitmap Picture;
  Picture.SetSize(60, 50);
  Picture.Canvas()->Brush()->SetColor(clBlue);
  Picture.Canvas()->FillRect(TRect{0, 0, 60, 50});
  Picture.Canvas()->Brush()->SetColor(clRed);
  Picture.Canvas()->FillRect(TRect{10, 10, 12, 12});  // lands at the control's corner
  B.SetBackground(&Picture);
  EXPECT_FALSE(B.NeedPaint());
  EXPECT_EQ(B.PaintedBitmap()->Width(), 0);
  Form->Show();
  Control->HandleNeeded();
  ASSERT_TRUE(B.NeedPaint());
  B.PaintBackground();
  ASSERT_EQ(B.PaintedBitmap()->Width(), 40);
  // Centred at (-10, -10): the picture's point (10, 10) is the bitmap's top left.
  EXPECT_EQ(GetPixel(B.PaintedBitmap()->Canvas()->Handle(), 0, 0), 0x000000FFu);
  EXPECT_EQ(GetPixel(B.PaintedBitmap()->Canvas()->Handle(), 1, 1), 0x000000FFu);
  EXPECT_EQ(GetPixel(B.PaintedBitmap()->Canvas()->Handle(), 2, 2), 0x00FF0000u);
  EXPECT_EQ(GetPixel(B.PaintedBitmap()->Canvas()->Handle(), 20, 20), 0x00FF0000u);

  B.SetBkgndOption(boVertGradient);
  EXPECT_EQ(GetPixel(B.PaintedBitmap()->Canvas()->Handle(), 20, 0), 0x00FF0000u);  // blue begins
  TControlBackground Copy(Control);
  Copy.Assign(&B);
  EXPECT_EQ(Copy.BkgndOption(), boVertGradient);
  EXPECT_EQ(Copy.Background()->Width(), 60);
}

}  // namespace
