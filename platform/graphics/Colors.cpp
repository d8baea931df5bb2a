// Colours: the classic system palette, ColorToRGB and the colour names of the class library.
#include "platform/graphics/Colors.h"
#include "platform/graphics/ColorValues.h"
#include "platform/graphics/GdiInternals.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <array>
#include <cstdio>
#include <mutex>

namespace {

// The classic ("Windows Standard") scheme, index by index.
constexpr std::array<COLORREF, COLOR_ENDCOLORS + 1> Palette = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(10, 36, 106),
    RGB(212, 208, 200)};

struct TColorName {
  TColor Color;
  const char* Name;
};
constexpr TColorName ColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"}, {clBtnFace, "clBtnFace"}, {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"}, {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"}, {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"}, {clInfoText, "clInfoText"},
    {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"}, {clMenuHighlight, "clMenuHighlight"}, {clMenuText, "clMenuText"},
    {clNone, "clNone"}, {clScrollBar, "clScrollBar"}, {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"}};

}  // namespace

DWORD GetSysColor(int Index) {
  return Index >= 0 && Index <= COLOR_ENDCOLORS ? Palette[static_cast<std::size_t>(Index)] : 0;
}

HBRUSH GetSysColorBrush(int Index) {
  if (Index < 0 || Index > COLOR_ENDCOLORS) {
    return 0;
  }
  static std::array<HBRUSH, COLOR_ENDCOLORS + 1> Brushes{};
  static std::once_flag Once;
  std::call_once(Once, [] {
    for (std::size_t I = 0; I < Brushes.size(); ++I) {
      Brushes[I] = CreateSolidBrush(Palette[I]);
      Gdi::Object(Brushes[I])->Stock = true;
    }
  });
  return Brushes[static_cast<std::size_t>(Index)];
}

COLORREF ColorToRGB(TColor Color) {
  if (Color < 0) {
    return GetSysColor(Color & 0xFF);
  }
  return static_cast<COLORREF>(Color) & 0xFFFFFF;
}

std::string ColorToString(TColor Color) {
  for (const auto& N : ColorNames) {
    if (N.Color == Color) {
      return N.Name;
    }
  }
  char Buf[16];
  std::snprintf(Buf, sizeof Buf, "$%.8X", static_cast<unsigned>(Color));
  return Buf;
}

bool IdentToColor(const std::string& Ident, TColor& Color) {
  for (const auto& N : ColorNames) {
    if (SameText(Ident, N.Name)) {
      Color = N.Color;
      return true;
    }
  }
  return false;
}

TColor StringToColor(const std::string& S) {
  TColor C = 0;
  if (IdentToColor(S, C)) {
    return C;
  }
  return static_cast<TColor>(StrToInt(S));
}

void GetColorValues(const std::function<void(const std::string& S)>& Proc) {
  for (const TColorName& N : ColorNames) {
    Proc(N.Name);
  }
}
