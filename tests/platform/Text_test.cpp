// Tests of text: font mapping, metrics of the metric-stable fonts, extents, ExtTextOut and DrawText.
#include "platform/graphics/Graphics.h"
#include "platform/graphics/WinGdi.h"
#include "tests/platform/GdiTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

using GdiTest::TCanvasDC;

namespace {

constexpr COLORREF White = RGB(255, 255, 255);

HFONT MakeFont(const char* Face, LONG Height, LONG Weight = FW_NORMAL, LONG Escapement = 0) {
  LOGFONT L;
  L.lfHeight = Height;
  L.lfWeight = Weight;
  L.lfEscapement = Escapement;
  std::strncpy(L.lfFaceName, Face, LF_FACESIZE - 1);
  return CreateFontIndirect(&L);
}

// Selects a font into a DC for the scope.
class TFontScope {
public:
  TFontScope(HDC DC, HFONT F) : FDC(DC), FFont(F), FOld(SelectObject(DC, F)) {}
  ~TFontScope() {
    SelectObject(FDC, FOld);
    DeleteObject(FFont);
  }
  TFontScope(const TFontScope&) = delete;
  TFontScope& operator=(const TFontScope&) = delete;

private:
  HDC FDC;
  HFONT FFont;
  HGDIOBJ FOld;
};

TEST(Fonts, FaceNamesMapToMetricStableFamilies) {
  EXPECT_EQ(MappedFontFamily("Courier New"), "Liberation Mono");
  EXPECT_EQ(MappedFontFamily("courier new"), "Liberation Mono");
  EXPECT_EQ(MappedFontFamily("@Courier New"), "Liberation Mono");
  EXPECT_EQ(MappedFontFamily("Arial"), "Liberation Sans");
  EXPECT_EQ(MappedFontFamily("MS Sans Serif"), "Liberation Sans");
  EXPECT_EQ(MappedFontFamily("Times New Roman"), "Liberation Serif");
}

struct TMetricsCase {
  const char* Name;
  const char* Face;
  LONG Height;
  LONG TmHeight, Ascent, Descent, InternalLeading, AveCharWidth, HelloWidth;
  bool Fixed;
};

class TextMetricsTest : public ::testing::TestWithParam<TMetricsCase> {};

// These numbers are what every machine with the metric-stable fonts measures; layouts depend on them.
TEST_P(TextMetricsTest, AreFixed) {
  const auto& C = GetParam();
  HDC DC = GetDC(0);
  {
    TFontScope S(DC, MakeFont(C.Face, C.Height));
    TEXTMETRIC Tm;
    ASSERT_TRUE(GetTextMetrics(DC, &Tm));
    EXPECT_EQ(Tm.tmHeight, C.TmHeight);
    EXPECT_EQ(Tm.tmAscent, C.Ascent);
    EXPECT_EQ(Tm.tmDescent, C.Descent);
    EXPECT_EQ(Tm.tmInternalLeading, C.InternalLeading);
    EXPECT_EQ(Tm.tmAveCharWidth, C.AveCharWidth);
    EXPECT_EQ(Tm.tmOverhang, 0);
    // The "fixed pitch" bit is set for variable-pitch fonts, as on the platform.
    EXPECT_EQ((Tm.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0, C.Fixed);
    TSize Sz;
    ASSERT_TRUE(GetTextExtentPoint32(DC, "Hello, World", 12, &Sz));
    EXPECT_EQ(Sz.cx, C.HelloWidth);
    EXPECT_EQ(Sz.cy, C.TmHeight);
  }
  ReleaseDC(0, DC);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, TextMetricsTest,
    ::testing::Values(TMetricsCase{"CourierNew10pt", "Courier New", -13, 15, 11, 4, 2, 8, 96, true},
                      TMetricsCase{"Arial10pt", "Arial", -13, 15, 12, 3, 2, 6, 70, false},
                      TMetricsCase{"MSSansSerif8pt", "MS Sans Serif", -11, 13, 10, 3, 2, 5, 58, false},
                      TMetricsCase{"ArialCellHeight16", "Arial", 16, 16, 13, 3, 2, 6, 77, false}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(Fonts, CourierNewCharacterWidthsAreTheSameOverAllBytes) {
  HDC DC = GetDC(0);
  TFontScope S(DC, MakeFont("Courier New", -13));
  int W[256];
  ASSERT_TRUE(GetCharWidth32(DC, 0, 255, W));
  for (int I = 0x20; I < 256; ++I) {
    EXPECT_EQ(W[I], 8) << "byte " << I;
  }
  EXPECT_FALSE(GetCharWidth32(DC, 10, 300, W));
  // Measuring twice, or with a second handle for the same font, gives the same answers.
  TEXTMETRIC A, B;
  GetTextMetrics(DC, &A);
  TFontScope S2(DC, MakeFont("Courier New", -13));
  GetTextMetrics(DC, &B);
  EXPECT_EQ(A.tmHeight, B.tmHeight);
  EXPECT_EQ(A.tmAveCharWidth, B.tmAveCharWidth);
  EXPECT_EQ(A.tmMaxCharWidth, B.tmMaxCharWidth);
  ReleaseDC(0, DC);
}

TEST(Text, ExtentExPointCountsWhatFits) {
  HDC DC = GetDC(0);
  TFontScope S(DC, MakeFont("Courier New", -13));
  int Fit = -1;
  int Dx[5];
  TSize Sz;
  ASSERT_TRUE(GetTextExtentExPoint(DC, "abcde", 5, 20, &Fit, Dx, &Sz));
  EXPECT_EQ(Fit, 2);
  EXPECT_EQ(Dx[0], 8);
  EXPECT_EQ(Dx[4], 40);
  EXPECT_EQ(Sz.cx, 40);
  ReleaseDC(0, DC);
}

TEST(Text, ExtTextOutPutsEachCharacterInItsCell) {
  TCanvasDC C(120, 20);
  TFontScope S(C.DC(), MakeFont("Arial", -13));
  SetBkMode(C.DC(), TRANSPARENT);
  const int Dx[3] = {30, 30, 30};
  ASSERT_TRUE(ExtTextOut(C.DC(), 10, 2, 0, nullptr, "MiW", 3, Dx));
  for (int I = 0; I < 3; ++I) {
    TRect Cell = Rect(10 + 30 * I, 0, 10 + 30 * I + 30, 20);
    TRect Ink = C.Ink(White, Cell);
    EXPECT_NE(Ink, TRect{}) << "cell " << I;
    EXPECT_GE(Ink.Left, Cell.Left);
    EXPECT_LE(Ink.Left, Cell.Left + 2) << "cell " << I;  // the glyph starts at its cell's left edge
  }
  // Nothing between the cells' glyphs and the next cell except that glyph: the narrow 'i' leaves a gap.
  EXPECT_EQ(C.Ink(White, Rect(48, 0, 70, 20)), TRect{});
}

TEST(Text, OpaqueAndClippedOptions) {
  TCanvasDC C(60, 20);
  TFontScope S(C.DC(), MakeFont("Courier New", -13));
  SetBkColor(C.DC(), RGB(255, 255, 0));
  TRect R = Rect(0, 0, 20, 20);
  ExtTextOut(C.DC(), 0, 0, ETO_OPAQUE | ETO_CLIPPED, &R, "MMMMM", 5, nullptr);
  EXPECT_EQ(C.At(19, 19), RGB(255, 255, 0));     // the rectangle is filled
  EXPECT_EQ(C.Ink(White, Rect(20, 0, 60, 20)), TRect{});  // nothing beyond it
  // Opaque background mode fills exactly the text cell.
  TCanvasDC D(60, 20);
  TFontScope S2(D.DC(), MakeFont("Courier New", -13));
  SetBkColor(D.DC(), RGB(0, 255, 0));
  TextOut(D.DC(), 5, 2, "ab", 2);
  EXPECT_EQ(D.Ink(White, Rect(0, 0, 60, 20)), Rect(5, 2, 21, 17));
  // TA_RIGHT | TA_UPDATECP ends at the current position and moves it back.
  SetTextAlign(D.DC(), TA_RIGHT | TA_UPDATECP);
  MoveToEx(D.DC(), 50, 0, nullptr);
  TextOut(D.DC(), 0, 0, "xy", 2);
  TPoint P;
  GetCurrentPositionEx(D.DC(), &P);
  EXPECT_EQ(P, Point(34, 0));
}

TEST(Text, RotatedTextRunsUpwards) {
  TCanvasDC C(40, 120);
  TFontScope S(C.DC(), MakeFont("Arial", -13, FW_NORMAL, 900));
  SetBkMode(C.DC(), TRANSPARENT);
  TextOut(C.DC(), 5, 110, "Rotated", 7);
  TRect Ink = C.Ink(White, Rect(0, 0, 40, 120));
  EXPECT_GT(Ink.Height(), 2 * Ink.Width());
  EXPECT_LE(Ink.Bottom, 111);
}

// ---- DrawText ----------------------------------------------------------------------------------------------------

class DrawTextTest : public ::testing::Test {
protected:
  void SetUp() override { FScope = std::make_unique<TFontScope>(C.DC(), MakeFont("Courier New", -13)); }
  TCanvasDC C{200, 100};
  std::unique_ptr<TFontScope> FScope;
};

TEST_F(DrawTextTest, CalcRectWithWordBreaks) {
  // 8 pixels a character: 12 characters fit in 100 pixels.
  TRect R = Rect(0, 0, 100, 0);
  int H = DrawText(C.DC(), "The quick brown fox jumps over", -1, &R, DT_CALCRECT | DT_WORDBREAK);
  // "The quick" / "brown fox" / "jumps over"
  EXPECT_EQ(H, 45);
  EXPECT_EQ(R, Rect(0, 0, 80, 45));
  // A word longer than the width stands on its own line and widens the rectangle.
  R = Rect(0, 0, 40, 0);
  DrawText(C.DC(), "a verylongword b", -1, &R, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(R, Rect(0, 0, 96, 45));
  // Line breaks in the text count; a single line ignores the width.
  R = Rect(10, 10, 20, 10);
  EXPECT_EQ(DrawText(C.DC(), "ab\r\ncdef\n", -1, &R, DT_CALCRECT), 30);
  EXPECT_EQ(R, Rect(10, 10, 42, 40));
  R = Rect(0, 0, 10, 0);
  DrawText(C.DC(), "one two", -1, &R, DT_CALCRECT | DT_SINGLELINE | DT_WORDBREAK);
  EXPECT_EQ(R, Rect(0, 0, 56, 15));
}

TEST_F(DrawTextTest, PrefixesAndEllipses) {
  TRect R = Rect(0, 0, 200, 0);
  DrawText(C.DC(), "&File && more", -1, &R, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(R.Right, 8 * 11);  // "File & more"
  R = Rect(0, 0, 200, 0);
  DrawText(C.DC(), "&File", -1, &R, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(R.Right, 40);
  // The prefixed character is underlined below the baseline, unless hidden.
  R = Rect(0, 0, 100, 20);
  SetBkMode(C.DC(), TRANSPARENT);
  DrawText(C.DC(), "a&b", -1, &R, DT_SINGLELINE);
  EXPECT_EQ(C.At(8, 12), RGB(0, 0, 0));
  EXPECT_EQ(C.At(15, 12), RGB(0, 0, 0));
  EXPECT_EQ(C.At(16, 12), White);
  R = Rect(0, 30, 100, 50);
  DrawText(C.DC(), "a&b", -1, &R, DT_SINGLELINE | DT_HIDEPREFIX);
  EXPECT_EQ(C.Ink(White, Rect(8, 42, 16, 44)), TRect{});
  // Ellipses: "abcdefghij" is 80 pixels; in 50 pixels the end becomes "abc..." (6 characters).
  TCanvasDC E(100, 20);
  TFontScope S(E.DC(), MakeFont("Courier New", -13));
  SetBkColor(E.DC(), RGB(0, 255, 0));
  R = Rect(0, 0, 50, 20);
  DrawText(E.DC(), "abcdefghij", -1, &R, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(E.Ink(White, Rect(0, 0, 100, 20)).Right, 48);
  TCanvasDC P(200, 20);
  TFontScope S3(P.DC(), MakeFont("Courier New", -13));
  SetBkColor(P.DC(), RGB(0, 255, 0));
  R = Rect(0, 0, 96, 20);
  // "c:\folder\sub\file.txt" (22 characters) in 12: the file name stays, the folders give way.
  DrawText(P.DC(), "c:\\folder\\sub\\file.txt", -1, &R, DT_SINGLELINE | DT_PATH_ELLIPSIS);
  EXPECT_EQ(P.Ink(White, Rect(0, 0, 200, 20)).Right, 96);
}

TEST_F(DrawTextTest, AlignmentInTheRectangle) {
  SetBkColor(C.DC(), RGB(0, 255, 0));
  TRect R = Rect(0, 0, 100, 45);
  DrawText(C.DC(), "ab", -1, &R, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  EXPECT_EQ(C.Ink(White, Rect(0, 0, 100, 45)), Rect(42, 15, 58, 30));
  TCanvasDC D(100, 45);
  TFontScope S(D.DC(), MakeFont("Courier New", -13));
  SetBkColor(D.DC(), RGB(0, 255, 0));
  DrawText(D.DC(), "ab", -1, &R, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
  EXPECT_EQ(D.Ink(White, Rect(0, 0, 100, 45)), Rect(84, 30, 100, 45));
}

// Fonts larger than the backend can render are built at its largest size instead of failing.
TEST(Fonts, HugeFontSizesAreClampedToWhatCanBeDrawn) {
  TBitmap B;
  B.SetSize(40, 20);
  B.Canvas()->Font()->SetName("Arial");
  B.Canvas()->Font()->SetSize(50000);
  const TSize Huge = B.Canvas()->TextExtent("W");
  EXPECT_GT(Huge.cx, 0);
  EXPECT_GT(Huge.cy, 1000);
  B.Canvas()->TextOut(0, 0, "W");
  TCanvasDC C(20, 20);
  for (LONG Height : {LONG(-100000), LONG(100000), LONG(INT32_MIN), LONG(INT32_MAX)}) {
    SCOPED_TRACE(Height);
    TFontScope F(C.DC(), MakeFont("Arial", Height));
    TEXTMETRIC Tm{};
    ASSERT_TRUE(GetTextMetrics(C.DC(), &Tm));
    EXPECT_GT(Tm.tmHeight, 1000);
    EXPECT_TRUE(TextOut(C.DC(), 0, 0, "Wg", 2));
  }
}

}  // namespace
