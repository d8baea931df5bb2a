// Text drawn with a turned font (escapement): placement by the text alignment in the run's own direction, the
// opaque background cell, and underlines, as upright text has them.
#include "platform/graphics/WinGdi.h"
#include "tests/platform/GdiTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using GdiTest::TCanvasDC;

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Black = RGB(0, 0, 0);

HFONT MakeFont(LONG Escapement, bool Underline = false) {
  LOGFONT L;
  L.lfHeight = -13;
  L.lfEscapement = L.lfOrientation = Escapement;
  L.lfUnderline = Underline ? 1 : 0;
  std::strncpy(L.lfFaceName, "Arial", LF_FACESIZE - 1);
  return CreateFontIndirect(&L);
}

struct TTurnCase {
  const char* Name;
  LONG Escapement;
  UINT Align;
  // The cell from the reference point (60, 60), given the text's width and the font's ascent and descent.
  TRect (*Cell)(int W, int Ascent, int Descent);
};

class TurnedText : public ::testing::TestWithParam<TTurnCase> {};

TEST_P(TurnedText, TheOpaqueCellLiesWhereTheAlignmentPutsItInTheRunsDirection) {
  const TTurnCase& Case = GetParam();
  TCanvasDC C(120, 120);
  HFONT Upright = MakeFont(0);
  HGDIOBJ Old = SelectObject(C.DC(), Upright);
  TSize Size{};
  GetTextExtentPoint32(C.DC(), "Hello", 5, &Size);
  TEXTMETRIC Tm;
  GetTextMetrics(C.DC(), &Tm);
  HFONT Turned = MakeFont(Case.Escapement);
  SelectObject(C.DC(), Turned);
  SetBkMode(C.DC(), OPAQUE);
  SetBkColor(C.DC(), Red);
  SetTextColor(C.DC(), Black);
  SetTextAlign(C.DC(), Case.Align);
  TextOut(C.DC(), 60, 60, "Hello", 5);
  SelectObject(C.DC(), Old);
  DeleteObject(Turned);
  DeleteObject(Upright);
  const TRect Expected = Case.Cell(Size.cx, Tm.tmAscent, Tm.tmDescent);
  // The red background shows the cell; the glyphs stay inside it.
  EXPECT_EQ(C.Ink(White, Rect(0, 0, 120, 120)), Expected) << C.Map(Rect(0, 0, 120, 120), Red);
  const TRect Glyphs = [&] {
    TRect B{120, 120, 0, 0};
    for (int Y = 0; Y < 120; ++Y) {
      for (int X = 0; X < 120; ++X) {
        if (C.At(X, Y) != White && C.At(X, Y) != Red) {
          B = Rect(std::min<LONG>(B.Left, X), std::min<LONG>(B.Top, Y), std::max<LONG>(B.Right, X + 1),
                   std::max<LONG>(B.Bottom, Y + 1));
        }
      }
    }
    return B;
  }();
  EXPECT_GE(Glyphs.Left, Expected.Left);
  EXPECT_GE(Glyphs.Top, Expected.Top);
  EXPECT_LE(Glyphs.Right, Expected.Right);
  EXPECT_LE(Glyphs.Bottom, Expected.Bottom);
  const bool Sideways = Case.Escapement == 900 || Case.Escapement == 2700;
  EXPECT_GT(Sideways ? Glyphs.Height() : Glyphs.Width(), Size.cx * 3 / 4);
}

INSTANTIATE_TEST_SUITE_P(
    Text, TurnedText,
    ::testing::Values(
        // Upward: the top of the text faces left, the run goes up from the reference point.
        TTurnCase{"UpTopLeft", 900, TA_TOP | TA_LEFT,
                  [](int W, int A, int D) { return Rect(60, 60 - W, 60 + A + D, 60); }},
        // Downward: the top faces right, the run goes down.
        TTurnCase{"DownTopLeft", 2700, TA_TOP | TA_LEFT,
                  [](int W, int A, int D) { return Rect(60 - A - D, 60, 60, 60 + W); }},
        TTurnCase{"UpsideDown", 1800, TA_TOP | TA_LEFT,
                  [](int W, int A, int D) { return Rect(60 - W, 60 - A - D, 60, 60); }},
        // The baseline through the reference point, the run ending there.
        TTurnCase{"UpBaselineRight", 900, TA_BASELINE | TA_RIGHT,
                  [](int W, int A, int D) { return Rect(60 - A, 60, 60 + D, 60 + W); }},
        TTurnCase{"UprightBottom", 0, TA_BOTTOM | TA_LEFT,
                  [](int W, int A, int D) { return Rect(60, 60 - A - D, 60 + W, 60); }}),
    [](const ::testing::TestParamInfo<TTurnCase>& Info) { return std::string(Info.param.Name); });

TEST(Text, UnderlinesRunAlongUprightAndTurnedText) {
  for (LONG Escapement : {0L, 900L}) {
    TCanvasDC C(120, 120);
    HFONT F = MakeFont(Escapement, true);
    HGDIOBJ Old = SelectObject(C.DC(), F);
    TSize Size{};
    GetTextExtentPoint32(C.DC(), "Hello", 5, &Size);
    SetBkMode(C.DC(), TRANSPARENT);
    SetTextColor(C.DC(), Black);
    TextOut(C.DC(), 20, 100, "Hello", 5);
    SelectObject(C.DC(), Old);
    DeleteObject(F);
    // A solid line of the text colour as long as the text, across the run.
    int Longest = 0;
    for (int Line = 0; Line < 120; ++Line) {
      int Run = 0;
      for (int K = 0; K < 120; ++K) {
        Run += (Escapement ? C.At(Line, K) : C.At(K, Line)) == Black ? 1 : 0;
      }
      Longest = std::max(Longest, Run);
    }
    EXPECT_GE(Longest, Size.cx - 1) << "escapement " << Escapement;
  }
}

}  // namespace
