// The font metrics cache: sums of widths, fitting characters, metrics, and the most-recently-used eviction.
#include "treeview/Fontman.h"

#include "platform/controls/TestHarness.h"
#include "platform/graphics/Graphics.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace TreeFonts;

namespace {

class FontManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    // A fixed-pitch font, so that every character has the same width.
    Font.SetName("Courier New");
    Font.SetHeight(-13);
    H = Font.Handle();
    W = GetWidth(H, "x", 1);
  }
  TFont Font;
  HFONT H = 0;
  Integer W = 0;
};

TEST_F(FontManagerTest, WidthsAddUp) {
  ASSERT_GT(W, 0);
  EXPECT_EQ(GetWidth(H, "xxxxx", 5), 5 * W);
  EXPECT_EQ(GetWidth(H, "xxxxx", 0), 0);
  const char Text[] = {'a', 'b', '\0', 'c', 'd'};
  Integer Widths[5] = {-1, -1, -1, -1, -1};
  EXPECT_EQ(GetWidths(H, Text, 5, Widths), 2 * W);
  EXPECT_EQ(Widths[2], -1);  // nothing written after the 0 character
  EXPECT_EQ(GetWidthAndInfo(H, Text, 5, nullptr, Widths), 5 * W);  // a 0 counts as a character here
}

TEST_F(FontManagerTest, CharsInWidth) {
  // Characters "six pixels" wide in the metric units of this font: scale the cases by the real width.
  struct TCase {
    Integer Width;
    bool WholeOnly;
    Integer Count;
    Integer Used;
  };
  const TCase Cases[] = {
      {2 * W + W / 2, true, 2, 2 * W},      // whole characters only
      {2 * W + W / 2, false, 2, 2 * W},     // half the third one left: not enough
      {2 * W + W / 2 + 1, false, 3, 3 * W}, // more than half: it counts
      {3 * W, true, 3, 3 * W},              // equal still fits
      {100 * W, true, 5, 5 * W},            // everything fits
  };
  for (const TCase& C : Cases) {
    Integer Used = -1;
    EXPECT_EQ(GetCharsInWidth(H, "abcde", 5, C.Width, false, C.WholeOnly, Used), C.Count) << C.Width;
    EXPECT_EQ(Used, C.Used) << C.Width;
  }
  Integer Used = -1;
  EXPECT_EQ(GetCharsInWidth(H, "abcde", 0, 100, false, false, Used), 0);
  EXPECT_EQ(Used, 0);
  // From the end: a wide character at the start does not matter.
  TFont Prop;
  Prop.SetName("Arial");
  const HFONT P = Prop.Handle();
  const Integer WideW = GetWidth(P, "W", 1), DotW = GetWidth(P, ".", 1);
  ASSERT_GT(WideW, DotW);
  EXPECT_EQ(GetCharsInWidth(P, "W..", 3, 2 * DotW, true, true, Used), 2);
  EXPECT_EQ(GetCharsInWidth(P, "W..", 3, 2 * DotW, false, true, Used), WideW <= 2 * DotW ? 1 : 0);
}

TEST_F(FontManagerTest, InfoLeavesTheHeightFieldAlone) {
  TFontInfo Info;
  Info.Height = 777;
  GetWidthAndInfo(H, "a", 1, &Info, nullptr);
  EXPECT_EQ(Info.Height, 777);
  EXPECT_GT(Info.Ascent, 0);
  const TFontInfo Full = GetFontInfo(H);
  EXPECT_EQ(Full.Ascent, Info.Ascent);
  EXPECT_EQ(Full.Height, Full.Ascent + Full.Descent);
  EXPECT_EQ(Full.DoubleAverageWidth % 2, 0);
}

TEST_F(FontManagerTest, ThirtyThirdFontEvictsTheLeastRecentlyUsed) {
  std::vector<std::unique_ptr<TFont>> Fonts;
  for (int I = 0; I < 33; ++I) {
    auto F = std::make_unique<TFont>();
    F->SetName("Arial");
    F->SetHeight(-(40 + I));
    Fonts.push_back(std::move(F));
  }
  TFontManager& M = FontManager();
  for (int I = 0; I < 32; ++I) GetWidth(Fonts[I]->Handle(), "a", 1);
  const int Measured = M.MeasureCount();
  GetWidth(Fonts[0]->Handle(), "a", 1);  // a hit moves it to the front
  EXPECT_EQ(M.MeasureCount(), Measured);
  GetWidth(Fonts[32]->Handle(), "a", 1);  // evicts font 1, the least recently used
  EXPECT_EQ(M.MeasureCount(), Measured + 1);
  GetWidth(Fonts[0]->Handle(), "a", 1);
  EXPECT_EQ(M.MeasureCount(), Measured + 1);
  GetWidth(Fonts[1]->Handle(), "a", 1);
  EXPECT_EQ(M.MeasureCount(), Measured + 2);
}

}  // namespace
