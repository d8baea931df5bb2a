// The shared drawing routines (wavy underline, gradient bands, bands around a rectangle), the control
// background's paint rule, the timer component and the character-width cache.
#include "editor/Easycontrols.h"
#include "editor/Easyfontman.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/WinGdi.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(DrawLiveSpell, PointsSnapToSixPixelsAndWaveAroundTheBottom) {
  const std::vector<TPoint> P = LiveSpellPoints(Rect(7, 0, 20, 10));
  ASSERT_EQ(P.size(), 10u);
  EXPECT_EQ(P.front().X, 6);
  EXPECT_EQ(P.back().X, 24);
  const int Expected[3] = {7, 9, 11};
  for (std::size_t I = 0; I < P.size(); ++I) {
    EXPECT_EQ(P[I].X, 6 + 2 * static_cast<int>(I));
    EXPECT_EQ(P[I].Y, Expected[I % 3]) << I;
  }
  EXPECT_EQ(LiveSpellPoints(Rect(0, 0, 4, 10)).size(), 4u) << "a short word still gets one segment";
}

TEST(PaintGradient, HorizontalBandsStepThroughTheColours) {
  Harness::Start();
  TBitmap B;
  B.SetSize(256, 8);
  PaintGradient(B.Canvas(), 256, 8, clBlack, static_cast<TColor>(RGB(255, 0, 0)), false);
  for (int I = 0; I < 128; ++I) {
    const COLORREF C = static_cast<COLORREF>(B.Canvas()->Pixels(2 * I, 4));
    EXPECT_EQ(GetRValue(C), 510 * I / 256) << "band " << I;
    EXPECT_EQ(static_cast<COLORREF>(B.Canvas()->Pixels(2 * I + 1, 4)), C) << "bands are two pixels wide";
  }
  EXPECT_EQ(GetRValue(static_cast<COLORREF>(B.Canvas()->Pixels(255, 4))), 253);
}

TEST(PaintGradient, EqualColoursFillOneBandAndEmptyAreasNothing) {
  Harness::Start();
  TBitmap B;
  B.SetSize(40, 30);
  B.Canvas()->Brush()->SetColor(clWhite);
  B.Canvas()->FillRect(Rect(0, 0, 40, 30));
  PaintGradient(B.Canvas(), 40, 0, clRed, clBlue, true);
  EXPECT_EQ(B.Canvas()->Pixels(10, 10), static_cast<TColor>(0xFFFFFF));
  PaintGradient(B.Canvas(), 40, 30, clNavy, clNavy, true);
  EXPECT_EQ(B.Canvas()->Pixels(0, 0), clNavy);
  EXPECT_EQ(B.Canvas()->Pixels(39, 29), clNavy);
}

TEST(PaintBoundingRect, FillsOnlyTheBandsOutsideTheInnerRectangle) {
  Harness::Start();
  TBitmap B;
  B.SetSize(20, 20);
  B.Canvas()->Brush()->SetColor(clWhite);
  B.Canvas()->FillRect(Rect(0, 0, 20, 20));
  PaintBoundingRect(B.Canvas(), Rect(0, 0, 20, 20), Rect(5, 6, 15, 16), clRed);
  for (TPoint P : {TPoint{0, 0}, TPoint{19, 19}, TPoint{10, 2}, TPoint{10, 18}, TPoint{2, 10}, TPoint{17, 10}}) {
    EXPECT_EQ(B.Canvas()->Pixels(P.X, P.Y), clRed) << P.X << "," << P.Y;
  }
  EXPECT_EQ(B.Canvas()->Pixels(10, 10), static_cast<TColor>(0xFFFFFF));
}

TEST(ControlBackground, ATiledEmptyBitmapPaintsNothing) {
  TEasyControlBackground Background(nullptr);
  Background.SetOption(bgTile);
  EXPECT_FALSE(Background.NeedPaint());
}

TEST(EasyTimer, DoesNotStartWhileDisabledAndTicksOnceEnabled) {
  Harness::Start();
  TManualClock Clock;
  TScopedClock UseClock(Clock);
  std::unique_ptr<TEasyTimer> Timer(new TEasyTimer(nullptr));
  Timer->SetEnabled(false);
  int Ticks = 0;
  Timer->SetOnTimer([&](TObject*) { ++Ticks; });
  EXPECT_FALSE(Timer->Running());
  Harness::Advance(Clock, 2000);
  EXPECT_EQ(Ticks, 0);
  Timer->SetEnabled(true);
  EXPECT_TRUE(Timer->Running());
  Harness::Advance(Clock, 1000);
  EXPECT_EQ(Ticks, 1);
  Timer->SetOnTimer(nullptr);
  EXPECT_FALSE(Timer->Running()) << "no handler, no timer";
}

TEST(EasyTimer, AnErrorInTheHandlerGoesToTheApplication) {
  Harness::Start();
  TManualClock Clock;
  TScopedClock UseClock(Clock);
  std::unique_ptr<TEasyTimer> Timer(new TEasyTimer(nullptr));
  Timer->SetInterval(100);
  Timer->SetOnTimer([](TObject*) { throw Exception("tick failed"); });
  EXPECT_NO_THROW(Harness::Advance(Clock, 100));
  Timer->SetEnabled(false);
}

// ---- the width cache ----

class FontWidths : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Font.SetName("Arial");
    Font.SetSize(12);
  }
  TFont Font;
};

TEST_F(FontWidths, WidthsAreSumsOfTheCharacterTable) {
  const int* W = GetCharWidths(Font.Handle());
  EXPECT_EQ(GetWidth(Font.Handle(), "Wil", 3), W[Byte('W')] + W[Byte('i')] + W[Byte('l')]);
  EXPECT_EQ(GetWidth(Font.Handle(), "Wil", 0), 0);
  EXPECT_GT(W[Byte('W')], W[Byte('i')]) << "a proportional font";
  TEasyFontInfo Info;
  GetWidthWithInfo(Font.Handle(), "x", 1, Info);
  EXPECT_GT(Info.Height, 0);
  EXPECT_EQ(Info.SubscriptSize, Info.Height * 2 / 3);
}

TEST_F(FontWidths, ACharacterFitsWhenMoreThanHalfOfItDoes) {
  const int* W = GetCharWidths(Font.Handle());
  const int A = W[Byte('W')];
  const int B = W[Byte('W')];
  int Width = 0;
  EXPECT_EQ(GetCharsInWidth(Font.Handle(), "WW", 2, Width, false, A + B / 2), 1) << "exactly half left out";
  EXPECT_EQ(Width, A);
  EXPECT_EQ(GetCharsInWidth(Font.Handle(), "WW", 2, Width, false, A + B / 2 + 1), 2) << "more than half counts";
  EXPECT_EQ(Width, A + B);
  EXPECT_EQ(GetCharsInWidth(Font.Handle(), "WW", 2, Width, true, A + B / 2 + 1), 1) << "unless exact";
  EXPECT_EQ(GetCharsInWidth(Font.Handle(), "WW", 2, Width, false, 10000), 2);
  EXPECT_EQ(Width, A + B);
}

}  // namespace
