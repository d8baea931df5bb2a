// Drawing helpers the tree's node, view, editors and tooltip share: font comparison and the font-height cache,
// multi-line text drawing and measuring with its word-wrap line breaker, rectangle helpers, the unit's error
// helpers, the selection-list difference, and ZEZCanvas, which draws dotted lines, focus rectangles and
// aligned text.
#pragma once

#include "treeview/Dcntreetypes.h"

#include "platform/controls/ControlCanvas.h"
#include "platform/graphics/Graphics.h"

#include <string>
#include <vector>

// True when both fonts exist, share one font handle and have the same colour.
bool FontsEqual(TFont* A, TFont* B);
// The row height of a font (its text-metric height rounded up to even), from a process-wide cache of 20 fonts
// that lives while at least one tree view exists.
Integer GetFontHeight(TFont* Font);
void AddFontHeightCacheUser();
void ReleaseFontHeightCacheUser();
// Whether the font-height cache exists now (for tests), and how many fonts it holds.
bool FontHeightCacheExists();
Integer FontHeightCacheCount();

// Draws a text line by line into Rect (wrapping at Rect's width with WordWrap), each line on an opaque background
// of the canvas brush, and fills the rest of Rect below the last line.
void DrawMultiLineText(TCanvas* Canvas, const std::string& Text, const TRect& Rect, bool WordWrap);
Integer GetMultiLineTextHeight(TCanvas* Canvas, const std::string& Text, Integer Width, bool WordWrap);
Integer GetMultiLineTextWidth(TCanvas* Canvas, const std::string& Text, Integer MaxWidth, bool WordWrap);
Integer GetRealTextWidth(TCanvas* Canvas, const std::string& Text);
// Where the line that begins at Start ends when wrapped at Width pixels (indexes into Text; Text[End] may be the
// terminating 0). Start moves past one leading space.
void FindLineBreak(TCanvas* Canvas, const std::string& Text, std::size_t& Start, std::size_t& End, Integer Width,
                   Integer Overhang);
Integer GetWrappedTextHeight(TCanvas* Canvas, const std::string& Text, Integer Width);

// Moves every edge of R that reaches Bounds to one pixel inside it.
void ShrinkRectInRect(TRect& R, const TRect& Bounds);
void ClipRectToBounds(TRect& R, const TRect& Bounds);
void AlignRectLeft(TRect& R, const TRect& Bounds);
void CenterRectHorz(TRect& R, const TRect& Bounds);
void AlignRectRight(TRect& R, const TRect& Bounds);
void AlignRectTop(TRect& R, const TRect& Bounds);
void CenterRectVert(TRect& R, const TRect& Bounds);
void AlignRectBottom(TRect& R, const TRect& Bounds);
void CenterRect(TRect& R, const TRect& Bounds);
void CenterRectVertEven(TRect& R, const TRect& Bounds);
Integer MidPoint(Integer A, Integer B);

[[noreturn]] void Error(const std::string& Msg);
[[noreturn]] void InvalidOperation(const std::string& Msg);
[[noreturn]] void InvalidOperationFmt(std::string_view Fmt, TVarRecList Args);

// Selects the nodes of New that Old lacks (in New's order), then deselects those of Old that New lacks (from Old's
// end to its start).
void ApplySelectionList(const std::vector<ZEZTreeNode*>& Old, const std::vector<ZEZTreeNode*>& New);

// The size of one box of the platform's check-box bitmap, measured once.
TSize SystemCheckBoxSize();

enum ZEZCanvasFlag { cfNoTextFill };
using ZEZCanvasFlags = TSet<ZEZCanvasFlag, cfNoTextFill>;
enum THorzAlign { haLeft, haCenter, haRight };
enum TVertAlign { vaTop, vaCenter, vaBottom };
enum TDrawTextFlag { dtfCalcRect, dtfEndEllipsis, dtfPathEllipsis, dtfSingleLine, dtfWordBreak, dftPrefix };
using TDrawTextFlags = TSet<TDrawTextFlag, dftPrefix>;

// The view's drawing canvas: dotted lines and focus rectangles from prebuilt one-pixel pattern bitmaps in the pen
// and brush colours, aligned text, and fills around an excluded rectangle.
class ZEZCanvas : public TControlCanvas {
  Z_CLASS(ZEZCanvas, TControlCanvas)
public:
  ZEZCanvas() = default;
  ~ZEZCanvas() override;

  ZEZCanvasFlags Flags;
  THorzAlign HorzAlign = haLeft;
  TVertAlign VertAlign = vaTop;
  Byte Pattern() const { return FPattern; }
  void SetPattern(Byte P);
  static Byte MirrorPattern(Byte P);
  void DrawHorzDotLine(Integer X1, Integer Y, Integer X2);
  void DrawVertDotLine(Integer X, Integer Y1, Integer Y2);
  void DrawFocusRect(const TRect& R);
  void DrawText(const std::string& Text, TRect& R, TDrawTextFlags DrawFlags);
  void FillRectExclude(const TRect& R, const TRect& Exclude);
  // How many pattern pieces were blitted so far (for tests of the piecewise drawing).
  Integer BlitCount() const { return FBlitCount; }

private:
  void CheckDotPatterns();
  void CreateDotPatterns();
  void InitPatterns();
  void FreeDotPatterns();

  TColor FLastBrushColor = clNone;
  HBITMAP FHorzBitmap = 0;
  HDC FHorzDC = 0;
  Integer FPatternLength = 10;
  HBITMAP FVertBitmap = 0;
  HDC FVertDC = 0;
  Byte FPattern = 0xAA;
  bool FPatternsDirty = true;
  bool FPatternsCreated = false;
  TColor FLastPenColor = clNone;
  HGDIOBJ FOldHorz = 0;
  HGDIOBJ FOldVert = 0;
  Integer FBlitCount = 0;
};
