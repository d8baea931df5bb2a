// Colour arithmetic and image drawing shared by the skinned painters.
#pragma once

#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImgList.h"

class TTBItemViewer;

enum TTBGradDir { tbgLeftRight, tbgTopBottom };

// Length of a toolbar's chevron in pixels (12 unless a skin changes it).
extern int tbChevronSize;

// Per channel round((1 - Amount) * C1 + Amount * C2), ties to even, limited to 0..255; system colours are
// converted first. The result is an RGB value.
TColor BlendColors(TColor C1, TColor C2, double Amount);
// Per channel C + Percent * (255 - C) / 100.
TColor ColorLighter(TColor Color, Byte Percent);
TColor ColorLighterRGB(COLORREF Color, Byte Percent);
// Per channel C - Amount, not below 0.
TColor ColorDarker(TColor Color, Byte Amount);
TColor ColorDarkerRGB(COLORREF Color, Byte Amount);
// A linear gradient from the start colour at the top-left to the end colour at the bottom-right.
void FillGradient(HDC DC, const TRect& ARect, TColor StartColor, TColor EndColor, TTBGradDir Direction);
// The same, drawn band by band.
void FillGradient2(HDC DC, const TRect& ARect, TColor StartColor, TColor EndColor, TTBGradDir Direction);
// Draws an image blended over the canvas with Opacity (0..255).
void BlendTBXIcon(TCanvas* Canvas, const TRect& R, TCustomImageList* ImageList, int ImageIndex, Byte Opacity);
// Darkens the canvas where the image would cover it, by the image's luminance.
void DrawTBXIconShadow(TCanvas* Canvas, const TRect& R, TCustomImageList* ImageList, int ImageIndex, bool Lighter);
// The width of the image column in skinned menus: the viewer's height plus 2.
int GetImgListMargin(TTBItemViewer* Viewer);
void PolylineEx(HDC DC, const TPoint* Points, int LastIndex);
// Draws the image's silhouette in one colour (the lifted hot image's shadow).
void DrawTBXIconFlatShadow(TCanvas* Canvas, const TRect& R, TCustomImageList* ImageList, int ImageIndex,
                           COLORREF Color);
