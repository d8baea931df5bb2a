// Tests of text: font mapping, metrics of the metric-stable fonts, extents, ExtTextOut and DrawText.
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

TEST(Fonts, PrintMetrics) {
  HDC DC = GetDC(0);
  for (auto [Face, H] : {std::pair{"Courier New", -13}, {"Arial", -13}, {"MS Sans Serif", -11}, {"Arial", 16}}) {
    TFontScope S(DC, MakeFont(Face, H));
    TEXTMETRIC Tm;
    GetTextMetrics(DC, &Tm);
    TSize Sz;
    GetTextExtentPoint32(DC, "Hello, World", 12, &Sz);
    printf("%s %d: h%d a%d d%d il%d el%d ave%d max%d pf%x  ext %d\n", Face, H, Tm.tmHeight, Tm.tmAscent, Tm.tmDescent,
           Tm.tmInternalLeading, Tm.tmExternalLeading, Tm.tmAveCharWidth, Tm.tmMaxCharWidth, Tm.tmPitchAndFamily, Sz.cx);
  }
  ReleaseDC(0, DC);
}

}  // namespace
