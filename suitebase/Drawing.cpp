// Drawing routines: rectangles, filled text and transparent copies.
#include "suitebase/Drawing.h"

#include <algorithm>

namespace Dorazori {

namespace {
inline constexpr UINT PlacementFlags = DT_CENTER | DT_VCENTER | DT_BOTTOM;
inline constexpr COLORREF White = 0x00FFFFFF;
inline constexpr COLORREF Black = 0x00000000;

// One axis of AlignRectByRect: the low and high edges of a length placed between Low and High.
void AlignAxis(int Mode, Integer Length, Integer Low, Integer High, Integer MarginLow, Integer MarginHigh,
               Integer& OutLow, Integer& OutHigh) {
  switch (Mode) {
    case 1:  // left / top
      OutLow = Low;
      OutHigh = std::min(Low + Length, High - MarginLow);
      break;
    case 2:  // centre
      OutLow = (High + Low - Length) / 2;
      OutHigh = OutLow + Length;
      break;
    case 3:  // right / bottom
      OutHigh = High;
      OutLow = std::max(High - Length, Low + MarginHigh);
      break;
    default:
      OutLow = Low;
      OutHigh = High;
      break;
  }
}
}  // namespace

void CorrectRectByRect(TRect& R, const TRect& Bounds) {
  R.Left = std::max(R.Left, Bounds.Left);
  R.Top = std::max(R.Top, Bounds.Top);
  R.Right = std::min(R.Right, Bounds.Right);
  R.Bottom = std::min(R.Bottom, Bounds.Bottom);
}

TRect AlignRectByRect(const TRect& R, const TRect& Bounds, THorzAlignment HorzAlign, TVertAlignment VertAlign,
                      Integer MarginLow, Integer MarginHigh) {
  TRect Result = Bounds;
  AlignAxis(HorzAlign, RectWidth(R), Bounds.Left, Bounds.Right, MarginLow, MarginHigh, Result.Left, Result.Right);
  AlignAxis(VertAlign, RectHeight(R), Bounds.Top, Bounds.Bottom, MarginLow, MarginHigh, Result.Top, Result.Bottom);
  CorrectRectByRect(Result, Bounds);
  return Result;
}

void FillRectEx(TCanvas* Canvas, const TRect& Outer, const TRect& Inner) {
  const TRect Bands[] = {{Outer.Left, Outer.Top, Inner.Left, Outer.Bottom},
                         {Inner.Right, Outer.Top, Outer.Right, Outer.Bottom},
                         {Inner.Left, Outer.Top, Inner.Right, Inner.Top},
                         {Inner.Left, Inner.Bottom, Inner.Right, Outer.Bottom}};
  for (const TRect& B : Bands) {
    if (B.Right > B.Left && B.Bottom > B.Top) {
      Canvas->FillRect(B);
    }
  }
}

void DrawTextWithFill(TCanvas* Canvas, const std::string& Text, UINT Flags, const TRect& R) {
  if (Text.empty()) {
    Canvas->FillRect(R);
    return;
  }
  TRect Measured = R;
  (void)DrawText(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &Measured,
                 (Flags & ~PlacementFlags) | DT_CALCRECT);  // the rectangle is the result
  Measured.Right = std::min(Measured.Right, R.Right);
  if (Measured.Right <= Measured.Left || Measured.Bottom <= Measured.Top) {
    return;
  }
  const Integer W = RectWidth(Measured);
  const Integer H = RectHeight(Measured);
  if ((Flags & DT_CENTER) != 0) {
    Measured.Left = R.Left + (RectWidth(R) - W) / 2;
    Measured.Right = Measured.Left + W;
  }
  if ((Flags & DT_BOTTOM) != 0) {
    Measured.Bottom = R.Bottom;
    Measured.Top = R.Bottom - H;
  }
  if ((Flags & DT_VCENTER) != 0) {
    Measured.Top = R.Top + (RectHeight(R) - H) / 2;
    Measured.Bottom = Measured.Top + H;
  }
  (void)DrawText(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &Measured,
                 Flags & ~PlacementFlags);  // the height drawn is not needed
  FillRectEx(Canvas, R, Measured);
}

COLORREF GetTransparentColor(HDC DC, const TRect& R) { return GetPixel(DC, R.Left, R.Bottom); }

void TransparentBitBltEx(HDC SrcDC, HDC DestDC, const TRect& SrcRect, COLORREF TransparentColor,
                         const TRect& DestRect) {
  const int SW = RectWidth(SrcRect);
  const int SH = RectHeight(SrcRect);
  const int DW = RectWidth(DestRect);
  const int DH = RectHeight(DestRect);
  if (SW <= 0 || SH <= 0 || DW <= 0 || DH <= 0) {
    return;
  }
  // The source copy and its mask: white where the transparent colour is.
  const HDC ImageDC = CreateCompatibleDC(DestDC);
  const HBITMAP Image = CreateCompatibleBitmap(DestDC, SW, SH);
  const HGDIOBJ OldImage = SelectObject(ImageDC, Image);
  (void)BitBlt(ImageDC, 0, 0, SW, SH, SrcDC, SrcRect.Left, SrcRect.Top, SRCCOPY);  // into our own bitmap
  const HDC MaskDC = CreateCompatibleDC(DestDC);
  const HBITMAP Mask = CreateBitmap(SW, SH, 1, 1, nullptr);
  const HGDIOBJ OldMask = SelectObject(MaskDC, Mask);
  const COLORREF OldImageBk = SetBkColor(ImageDC, TransparentColor);
  (void)BitBlt(MaskDC, 0, 0, SW, SH, ImageDC, 0, 0, SRCCOPY);
  (void)SetBkColor(ImageDC, OldImageBk);
  // Erase the transparent pixels of the copy, then and the mask into the destination and paint the copy in.
  (void)SetBkColor(ImageDC, White);
  (void)SetTextColor(ImageDC, Black);
  (void)BitBlt(ImageDC, 0, 0, SW, SH, MaskDC, 0, 0, 0x00220326);  // DSna: image and not mask
  const COLORREF OldBk = SetBkColor(DestDC, White);
  const COLORREF OldText = SetTextColor(DestDC, Black);
  (void)StretchBlt(DestDC, DestRect.Left, DestRect.Top, DW, DH, MaskDC, 0, 0, SW, SH, SRCAND);
  (void)StretchBlt(DestDC, DestRect.Left, DestRect.Top, DW, DH, ImageDC, 0, 0, SW, SH, SRCPAINT);
  (void)SetBkColor(DestDC, OldBk);
  (void)SetTextColor(DestDC, OldText);
  (void)SelectObject(MaskDC, OldMask);
  (void)SelectObject(ImageDC, OldImage);
  (void)DeleteObject(Mask);
  (void)DeleteObject(Image);
  (void)DeleteDC(MaskDC);
  (void)DeleteDC(ImageDC);
}

void TransparentBitBlt(HDC SrcDC, HDC DestDC, const TRect& SrcRect, Integer X, Integer Y, COLORREF TransparentColor) {
  TransparentBitBltEx(SrcDC, DestDC, SrcRect, TransparentColor,
                      TRect{X, Y, X + RectWidth(SrcRect), Y + RectHeight(SrcRect)});
}

}  // namespace Dorazori
