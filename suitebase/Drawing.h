// Rectangle arithmetic, text drawn with the rest of its rectangle filled, and transparent copying of bitmaps,
// for the suite's controls.
#pragma once

#include "platform/graphics/Graphics.h"
#include "platform/graphics/WinGdi.h"

#include <string>

namespace Dorazori {

enum THorzAlignment { haNone, haLeft, haCenter, haRight };
// For the vertical kind "left" means top and "right" means bottom.
enum TVertAlignment { vaNone, vaLeft, vaCenter, vaRight };

inline Integer RectWidth(const TRect& R) { return R.Right - R.Left; }
inline Integer RectHeight(const TRect& R) { return R.Bottom - R.Top; }
// Clips R to Bounds side by side.
void CorrectRectByRect(TRect& R, const TRect& Bounds);
// A rectangle of R's size placed in Bounds by the alignments, clipped to Bounds.
TRect AlignRectByRect(const TRect& R, const TRect& Bounds, THorzAlignment HorzAlign, TVertAlignment VertAlign,
                      Integer MarginLow, Integer MarginHigh);
// Fills the four bands of Outer around Inner with the canvas's brush.
void FillRectEx(TCanvas* Canvas, const TRect& Outer, const TRect& Inner);
// Draws the text placed in R by DT_CENTER, DT_VCENTER and DT_BOTTOM and fills the rest of R; no text fills R.
void DrawTextWithFill(TCanvas* Canvas, const std::string& Text, UINT Flags, const TRect& R);
// The colour of the pixel at (R.Left, R.Bottom).
COLORREF GetTransparentColor(HDC DC, const TRect& R);
// Copies SrcRect into DestRect leaving out the pixels of TransparentColor (stretching when the sizes differ).
void TransparentBitBltEx(HDC SrcDC, HDC DestDC, const TRect& SrcRect, COLORREF TransparentColor, const TRect& DestRect);
void TransparentBitBlt(HDC SrcDC, HDC DestDC, const TRect& SrcRect, Integer X, Integer Y, COLORREF TransparentColor);

}  // namespace Dorazori
