// The drawing interface: GDI objects (pens, brushes, fonts, bitmaps, regions), device contexts and their state,
// drawing, text and the window painting calls.
#pragma once

#include "platform/graphics/Colors.h"
#include "platform/win/WinTypes.h"

#include <string>

// ---- Object types, stock objects ---------------------------------------------------------------------------------
inline constexpr DWORD OBJ_PEN = 1;
inline constexpr DWORD OBJ_BRUSH = 2;
inline constexpr DWORD OBJ_DC = 3;
inline constexpr DWORD OBJ_FONT = 6;
inline constexpr DWORD OBJ_BITMAP = 7;
inline constexpr DWORD OBJ_REGION = 8;
inline constexpr DWORD OBJ_MEMDC = 10;

inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int OEM_FIXED_FONT = 10;
inline constexpr int ANSI_FIXED_FONT = 11;
inline constexpr int ANSI_VAR_FONT = 12;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEVICE_DEFAULT_FONT = 14;
inline constexpr int DEFAULT_PALETTE = 15;
inline constexpr int SYSTEM_FIXED_FONT = 16;
inline constexpr int DEFAULT_GUI_FONT = 17;
inline constexpr int DC_BRUSH = 18;
inline constexpr int DC_PEN = 19;

// ---- Pens, brushes -----------------------------------------------------------------------------------------------
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;
inline constexpr int PS_DOT = 2;
inline constexpr int PS_DASHDOT = 3;
inline constexpr int PS_DASHDOTDOT = 4;
inline constexpr int PS_NULL = 5;
inline constexpr int PS_INSIDEFRAME = 6;
inline constexpr int PS_ALTERNATE = 8;
inline constexpr int PS_STYLE_MASK = 0x0F;

inline constexpr UINT BS_SOLID = 0;
inline constexpr UINT BS_NULL = 1;
inline constexpr UINT BS_HOLLOW = BS_NULL;
inline constexpr UINT BS_HATCHED = 2;
inline constexpr UINT BS_PATTERN = 3;
inline constexpr int HS_HORIZONTAL = 0;
inline constexpr int HS_VERTICAL = 1;
inline constexpr int HS_FDIAGONAL = 2;
inline constexpr int HS_BDIAGONAL = 3;
inline constexpr int HS_CROSS = 4;
inline constexpr int HS_DIAGCROSS = 5;

struct LOGPEN {
  UINT lopnStyle = PS_SOLID;
  TPoint lopnWidth;  // X is the width
  COLORREF lopnColor = 0;
};
struct LOGBRUSH {
  UINT lbStyle = BS_SOLID;
  COLORREF lbColor = 0;
  std::uintptr_t lbHatch = 0;  // the hatch style, or the pattern bitmap of BS_PATTERN
};
using TLogPen = LOGPEN;
using TLogBrush = LOGBRUSH;

HPEN CreatePen(int Style, int Width, COLORREF Color);
HPEN CreatePenIndirect(const LOGPEN* LogPen);
HBRUSH CreateSolidBrush(COLORREF Color);
HBRUSH CreateHatchBrush(int Style, COLORREF Color);
// A brush that repeats the top-left 8x8 pixels of the bitmap (a copy is taken: the bitmap may be deleted).
// A monochrome pattern draws its 0 bits in the text colour and its 1 bits in the background colour.
HBRUSH CreatePatternBrush(HBITMAP Bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* LogBrush);

// ---- Fonts -------------------------------------------------------------------------------------------------------
inline constexpr int LF_FACESIZE = 32;
inline constexpr LONG FW_DONTCARE = 0;
inline constexpr LONG FW_THIN = 100;
inline constexpr LONG FW_LIGHT = 300;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_MEDIUM = 500;
inline constexpr LONG FW_SEMIBOLD = 600;
inline constexpr LONG FW_BOLD = 700;
inline constexpr LONG FW_HEAVY = 900;
inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE SYMBOL_CHARSET = 2;
inline constexpr BYTE OEM_CHARSET = 255;
inline constexpr BYTE OUT_DEFAULT_PRECIS = 0;
inline constexpr BYTE OUT_TT_PRECIS = 4;
inline constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
inline constexpr BYTE DEFAULT_QUALITY = 0;
inline constexpr BYTE NONANTIALIASED_QUALITY = 3;
inline constexpr BYTE ANTIALIASED_QUALITY = 4;
inline constexpr BYTE DEFAULT_PITCH = 0;
inline constexpr BYTE FIXED_PITCH = 1;
inline constexpr BYTE VARIABLE_PITCH = 2;
inline constexpr BYTE FF_DONTCARE = 0x00;
inline constexpr BYTE FF_ROMAN = 0x10;
inline constexpr BYTE FF_SWISS = 0x20;
inline constexpr BYTE FF_MODERN = 0x30;
inline constexpr BYTE FF_SCRIPT = 0x40;
inline constexpr BYTE FF_DECORATIVE = 0x50;

struct LOGFONT {
  LONG lfHeight = 0;  // negative: character height in pixels; positive: cell height; 0: the default size
  LONG lfWidth = 0;
  LONG lfEscapement = 0;  // tenths of a degree, counter-clockwise
  LONG lfOrientation = 0;
  LONG lfWeight = FW_NORMAL;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = DEFAULT_CHARSET;
  BYTE lfOutPrecision = OUT_DEFAULT_PRECIS;
  BYTE lfClipPrecision = CLIP_DEFAULT_PRECIS;
  BYTE lfQuality = DEFAULT_QUALITY;
  BYTE lfPitchAndFamily = DEFAULT_PITCH;
  char lfFaceName[LF_FACESIZE] = {};
};
using LOGFONTA = LOGFONT;
using TLogFont = LOGFONT;

// Face names map to the installed metric-compatible families ("Courier New" to Liberation Mono, "Arial" and
// "MS Sans Serif" to Liberation Sans...); a leading '@' (vertical variant) is ignored.
HFONT CreateFontIndirect(const LOGFONT* LogFont);
HFONT CreateFont(int Height, int Width, int Escapement, int Orientation, int Weight, DWORD Italic, DWORD Underline,
                 DWORD StrikeOut, DWORD CharSet, DWORD OutPrecision, DWORD ClipPrecision, DWORD Quality,
                 DWORD PitchAndFamily, LPCSTR FaceName);
// The family a face name is drawn with.
std::string MappedFontFamily(const std::string& FaceName);

// ---- Bitmaps -----------------------------------------------------------------------------------------------------
struct BITMAP {
  LONG bmType = 0;
  LONG bmWidth = 0;
  LONG bmHeight = 0;
  LONG bmWidthBytes = 0;
  WORD bmPlanes = 1;
  WORD bmBitsPixel = 0;
  void* bmBits = nullptr;
};
using TBitmapRec = BITMAP;

struct BITMAPINFOHEADER {
  DWORD biSize = 40;
  LONG biWidth = 0;
  LONG biHeight = 0;  // positive: rows bottom-up; negative: top-down
  WORD biPlanes = 1;
  WORD biBitCount = 0;
  DWORD biCompression = 0;
  DWORD biSizeImage = 0;
  LONG biXPelsPerMeter = 0;
  LONG biYPelsPerMeter = 0;
  DWORD biClrUsed = 0;
  DWORD biClrImportant = 0;
};
struct RGBQUAD {
  BYTE rgbBlue = 0;
  BYTE rgbGreen = 0;
  BYTE rgbRed = 0;
  BYTE rgbReserved = 0;
};
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};
struct DIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3] = {};
  HANDLE dshSection = nullptr;
  DWORD dsOffset = 0;
};
inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_BITFIELDS = 3;
inline constexpr UINT DIB_RGB_COLORS = 0;

// Device-dependent bitmaps are 32 bits per pixel; 1 bit per pixel gives a monochrome bitmap (black and white).
// Bits, when given, are rows of the given depth padded to 16 bits as for the platform's device-dependent bitmaps.
HBITMAP CreateBitmap(int Width, int Height, UINT Planes, UINT BitCount, const void* Bits);
// As the bitmap selected into the DC (monochrome for a fresh memory DC), of the given size.
HBITMAP CreateCompatibleBitmap(HDC DC, int Width, int Height);
// A 32-bit (or 24-bit) section whose pixels the caller reads and writes through *Bits, rows as the header's sign
// says. Other depths fail with ERROR_INVALID_PARAMETER.
HBITMAP CreateDIBSection(HDC DC, const BITMAPINFO* Info, UINT Usage, void** Bits, HANDLE Section, DWORD Offset);
// Copies rows [Start, Start+Lines) of the bitmap into/out of 32- or 24-bit DIB rows; returns the lines copied.
int GetDIBits(HDC DC, HBITMAP Bitmap, UINT Start, UINT Lines, void* Bits, BITMAPINFO* Info, UINT Usage);
int SetDIBits(HDC DC, HBITMAP Bitmap, UINT Start, UINT Lines, const void* Bits, const BITMAPINFO* Info, UINT Usage);

// ---- Regions -----------------------------------------------------------------------------------------------------
inline constexpr int RGN_AND = 1;
inline constexpr int RGN_OR = 2;
inline constexpr int RGN_XOR = 3;
inline constexpr int RGN_DIFF = 4;
inline constexpr int RGN_COPY = 5;
inline constexpr int ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;

HRGN CreateRectRgn(int Left, int Top, int Right, int Bottom);
HRGN CreateRectRgnIndirect(const TRect* Rc);
// Combines Src1 and Src2 into Dest (which must exist); returns the kind of the result or ERROR.
int CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, int Mode);
int OffsetRgn(HRGN Rgn, int X, int Y);
BOOL PtInRegion(HRGN Rgn, int X, int Y);
BOOL RectInRegion(HRGN Rgn, const TRect* Rc);
int GetRgnBox(HRGN Rgn, TRect* Rc);
BOOL SetRectRgn(HRGN Rgn, int Left, int Top, int Right, int Bottom);
BOOL EqualRgn(HRGN A, HRGN B);
BOOL FillRgn(HDC DC, HRGN Rgn, HBRUSH Brush);
BOOL FrameRgn(HDC DC, HRGN Rgn, HBRUSH Brush, int Width, int Height);
BOOL InvertRgn(HDC DC, HRGN Rgn);

// ---- Objects and device contexts ---------------------------------------------------------------------------------
HGDIOBJ GetStockObject(int Index);
// Selecting a region copies it into the DC's clip region (and returns its kind); other objects return the
// object they replace. A bitmap can be selected into one memory DC at a time.
HGDIOBJ SelectObject(HDC DC, HGDIOBJ Object);
// Fails for stock objects (TRUE, nothing done) and for objects selected into a DC (FALSE).
BOOL DeleteObject(HGDIOBJ Object);
// Fills LOGPEN, LOGBRUSH, LOGFONT, BITMAP or DIBSECTION; returns the bytes written (or needed, for null Buffer).
int GetObject(HGDIOBJ Object, int Size, void* Buffer);
DWORD GetObjectType(HGDIOBJ Object);
HGDIOBJ GetCurrentObject(HDC DC, UINT Type);

HDC CreateCompatibleDC(HDC DC);  // a memory DC with a 1x1 monochrome bitmap selected
BOOL DeleteDC(HDC DC);
int SaveDC(HDC DC);                     // returns the new depth
BOOL RestoreDC(HDC DC, int SavedDC);    // negative: relative to the current depth

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
int SetBkMode(HDC DC, int Mode);
int GetBkMode(HDC DC);
COLORREF SetBkColor(HDC DC, COLORREF Color);
COLORREF GetBkColor(HDC DC);
COLORREF SetTextColor(HDC DC, COLORREF Color);
COLORREF GetTextColor(HDC DC);
COLORREF SetDCBrushColor(HDC DC, COLORREF Color);
COLORREF SetDCPenColor(HDC DC, COLORREF Color);

inline constexpr UINT TA_NOUPDATECP = 0;
inline constexpr UINT TA_UPDATECP = 1;
inline constexpr UINT TA_LEFT = 0;
inline constexpr UINT TA_RIGHT = 2;
inline constexpr UINT TA_CENTER = 6;
inline constexpr UINT TA_TOP = 0;
inline constexpr UINT TA_BOTTOM = 8;
inline constexpr UINT TA_BASELINE = 24;
UINT SetTextAlign(HDC DC, UINT Align);
UINT GetTextAlign(HDC DC);

inline constexpr int R2_BLACK = 1;
inline constexpr int R2_NOTMERGEPEN = 2;
inline constexpr int R2_MASKNOTPEN = 3;
inline constexpr int R2_NOTCOPYPEN = 4;
inline constexpr int R2_MASKPENNOT = 5;
inline constexpr int R2_NOT = 6;
inline constexpr int R2_XORPEN = 7;
inline constexpr int R2_NOTMASKPEN = 8;
inline constexpr int R2_MASKPEN = 9;
inline constexpr int R2_NOTXORPEN = 10;
inline constexpr int R2_NOP = 11;
inline constexpr int R2_MERGENOTPEN = 12;
inline constexpr int R2_COPYPEN = 13;
inline constexpr int R2_MERGEPENNOT = 14;
inline constexpr int R2_MERGEPEN = 15;
inline constexpr int R2_WHITE = 16;
int SetROP2(HDC DC, int Mode);
int GetROP2(HDC DC);

inline constexpr int BLACKONWHITE = 1;
inline constexpr int WHITEONBLACK = 2;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;
int SetStretchBltMode(HDC DC, int Mode);
int GetStretchBltMode(HDC DC);

BOOL SetBrushOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetBrushOrgEx(HDC DC, TPoint* Org);
BOOL SetWindowOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetWindowOrgEx(HDC DC, TPoint* Org);
BOOL SetViewportOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetViewportOrgEx(HDC DC, TPoint* Org);
BOOL OffsetWindowOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL OffsetViewportOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL LPtoDP(HDC DC, TPoint* Points, int Count);
BOOL DPtoLP(HDC DC, TPoint* Points, int Count);

// Clipping. Clip regions are kept in device coordinates; the rectangle calls take logical ones.
int SelectClipRgn(HDC DC, HRGN Rgn);  // null removes the clip region
int ExtSelectClipRgn(HDC DC, HRGN Rgn, int Mode);
int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
int OffsetClipRgn(HDC DC, int X, int Y);
int GetClipBox(HDC DC, TRect* Rc);  // logical coordinates of what can be drawn
int GetClipRgn(HDC DC, HRGN Rgn);   // 1 with a clip region (copied into Rgn), 0 without, -1 on error
BOOL PtVisible(HDC DC, int X, int Y);
BOOL RectVisible(HDC DC, const TRect* Rc);

inline constexpr int HORZSIZE = 4;
inline constexpr int VERTSIZE = 6;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int NUMCOLORS = 24;
inline constexpr int RASTERCAPS = 38;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int PHYSICALWIDTH = 110;
inline constexpr int PHYSICALHEIGHT = 111;
inline constexpr int PHYSICALOFFSETX = 112;
inline constexpr int PHYSICALOFFSETY = 113;
int GetDeviceCaps(HDC DC, int Index);  // the screen is 96 dots per inch
BOOL GdiFlush();

// ---- Drawing -----------------------------------------------------------------------------------------------------
// Brush values 1..31 stand for system colours (COLOR_xxx + 1), as for window class backgrounds.
int FillRect(HDC DC, const TRect* Rc, HBRUSH Brush);
int FrameRect(HDC DC, const TRect* Rc, HBRUSH Brush);
BOOL InvertRect(HDC DC, const TRect* Rc);

inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD SRCERASE = 0x00440328;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD NOTSRCERASE = 0x001100A6;
inline constexpr DWORD MERGECOPY = 0x00C000CA;
inline constexpr DWORD MERGEPAINT = 0x00BB0226;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD PATPAINT = 0x00FB0A09;
inline constexpr DWORD PATINVERT = 0x005A0049;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;
inline constexpr DWORD ROP_DSPDxax = 0x00E20746;  // the pattern where the source is 1 (white), else the destination
inline DWORD MAKEROP4(DWORD Fore, DWORD Back) { return ((Back << 8) & 0xFF000000) | Fore; }

// Raster operations are applied per pixel with the full ternary table of source, destination and pattern.
BOOL PatBlt(HDC DC, int X, int Y, int Width, int Height, DWORD Rop);
BOOL BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, DWORD Rop);
BOOL StretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int SrcWidth,
                int SrcHeight, DWORD Rop);
// Where the monochrome mask is 1 the foreground operation (low bytes of Rop) applies, else the background one.
BOOL MaskBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, HBITMAP Mask, int MaskX,
             int MaskY, DWORD Rop);

struct TRIVERTEX {
  LONG x = 0;
  LONG y = 0;
  USHORT Red = 0;  // 16-bit colour channels
  USHORT Green = 0;
  USHORT Blue = 0;
  USHORT Alpha = 0;
};
struct GRADIENT_RECT {
  ULONG UpperLeft = 0;
  ULONG LowerRight = 0;
};
inline constexpr ULONG GRADIENT_FILL_RECT_H = 0;
inline constexpr ULONG GRADIENT_FILL_RECT_V = 1;
BOOL GradientFill(HDC DC, TRIVERTEX* Vertices, ULONG NumVertices, void* Mesh, ULONG NumMesh, ULONG Mode);

BOOL MoveToEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetCurrentPositionEx(HDC DC, TPoint* Pos);
BOOL LineTo(HDC DC, int X, int Y);  // leaves out the end point
BOOL Polyline(HDC DC, const TPoint* Points, int Count);
BOOL Polygon(HDC DC, const TPoint* Points, int Count);
BOOL Rectangle(HDC DC, int Left, int Top, int Right, int Bottom);  // right and bottom edges excluded
BOOL RoundRect(HDC DC, int Left, int Top, int Right, int Bottom, int Width, int Height);
BOOL Ellipse(HDC DC, int Left, int Top, int Right, int Bottom);
COLORREF SetPixel(HDC DC, int X, int Y, COLORREF Color);
COLORREF GetPixel(HDC DC, int X, int Y);  // CLR_INVALID outside the surface or the clip region

// ---- Text --------------------------------------------------------------------------------------------------------
struct TEXTMETRIC {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  LONG tmDigitizedAspectX = 96;
  LONG tmDigitizedAspectY = 96;
  BYTE tmFirstChar = 0x20;
  BYTE tmLastChar = 0xFF;
  BYTE tmDefaultChar = 0x1F;
  BYTE tmBreakChar = 0x20;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;  // TMPF_FIXED_PITCH set means VARIABLE pitch, as on the platform
  BYTE tmCharSet = 0;
};
using TTextMetric = TEXTMETRIC;
inline constexpr BYTE TMPF_FIXED_PITCH = 0x01;
inline constexpr BYTE TMPF_VECTOR = 0x02;
inline constexpr BYTE TMPF_TRUETYPE = 0x04;

struct OUTLINETEXTMETRIC {
  UINT otmSize = 0;
  TEXTMETRIC otmTextMetrics;
  UINT otmEMSquare = 0;
  int otmAscent = 0;
  int otmDescent = 0;
  UINT otmsCapEmHeight = 0;
  UINT otmsXHeight = 0;
  int otmsUnderscoreSize = 0;
  int otmsUnderscorePosition = 0;
  UINT otmsStrikeoutSize = 0;
  int otmsStrikeoutPosition = 0;
};

BOOL GetTextMetrics(HDC DC, TEXTMETRIC* Tm);
UINT GetOutlineTextMetrics(HDC DC, UINT Size, OUTLINETEXTMETRIC* Otm);
BOOL GetTextExtentPoint32(HDC DC, LPCSTR Text, int Count, TSize* Size);
inline BOOL GetTextExtentPoint(HDC DC, LPCSTR Text, int Count, TSize* Size) {
  return GetTextExtentPoint32(DC, Text, Count, Size);
}
// How many characters fit in MaxExtent (when Fit is given) and the extent of each prefix in Dx.
BOOL GetTextExtentExPoint(HDC DC, LPCSTR Text, int Count, int MaxExtent, int* Fit, int* Dx, TSize* Size);
BOOL GetCharWidth32(HDC DC, UINT First, UINT Last, int* Widths);
inline BOOL GetCharWidth(HDC DC, UINT First, UINT Last, int* Widths) { return GetCharWidth32(DC, First, Last, Widths); }
int GetTextFace(HDC DC, int Count, LPSTR Name);

inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;
BOOL TextOut(HDC DC, int X, int Y, LPCSTR Text, int Count);
// Dx, when given, holds the advance of each character: character i starts at X + Dx[0] + ... + Dx[i-1].
BOOL ExtTextOut(HDC DC, int X, int Y, UINT Options, const TRect* Rc, LPCSTR Text, UINT Count, const int* Dx);

inline constexpr UINT DT_TOP = 0x0000;
inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_RIGHT = 0x0002;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_BOTTOM = 0x0008;
inline constexpr UINT DT_WORDBREAK = 0x0010;
inline constexpr UINT DT_SINGLELINE = 0x0020;
inline constexpr UINT DT_EXPANDTABS = 0x0040;
inline constexpr UINT DT_TABSTOP = 0x0080;
inline constexpr UINT DT_NOCLIP = 0x0100;
inline constexpr UINT DT_EXTERNALLEADING = 0x0200;
inline constexpr UINT DT_CALCRECT = 0x0400;
inline constexpr UINT DT_NOPREFIX = 0x0800;
inline constexpr UINT DT_INTERNAL = 0x1000;
inline constexpr UINT DT_EDITCONTROL = 0x2000;
inline constexpr UINT DT_PATH_ELLIPSIS = 0x4000;
inline constexpr UINT DT_END_ELLIPSIS = 0x8000;
inline constexpr UINT DT_MODIFYSTRING = 0x10000;
inline constexpr UINT DT_RTLREADING = 0x20000;
inline constexpr UINT DT_WORD_ELLIPSIS = 0x40000;
inline constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x80000;
inline constexpr UINT DT_HIDEPREFIX = 0x100000;
inline constexpr UINT DT_PREFIXONLY = 0x200000;
// Draws formatted text in the rectangle; returns the height of the text (0 on failure). Count -1: up to the NUL.
// With DT_CALCRECT nothing is drawn: the rectangle's right (single line) or bottom is set to fit the text.
int DrawText(HDC DC, LPCSTR Text, int Count, TRect* Rc, UINT Format);

// ---- Edges, frame controls, focus rectangles ---------------------------------------------------------------------
inline constexpr UINT BDR_RAISEDOUTER = 0x0001;
inline constexpr UINT BDR_SUNKENOUTER = 0x0002;
inline constexpr UINT BDR_RAISEDINNER = 0x0004;
inline constexpr UINT BDR_SUNKENINNER = 0x0008;
inline constexpr UINT BDR_OUTER = 0x0003;
inline constexpr UINT BDR_INNER = 0x000C;
inline constexpr UINT BDR_RAISED = 0x0005;
inline constexpr UINT BDR_SUNKEN = 0x000A;
inline constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr UINT BF_LEFT = 0x0001;
inline constexpr UINT BF_TOP = 0x0002;
inline constexpr UINT BF_RIGHT = 0x0004;
inline constexpr UINT BF_BOTTOM = 0x0008;
inline constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr UINT BF_TOPRIGHT = BF_TOP | BF_RIGHT;
inline constexpr UINT BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
inline constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr UINT BF_DIAGONAL = 0x0010;
inline constexpr UINT BF_DIAGONAL_ENDTOPRIGHT = BF_DIAGONAL | BF_TOP | BF_RIGHT;
inline constexpr UINT BF_DIAGONAL_ENDTOPLEFT = BF_DIAGONAL | BF_TOP | BF_LEFT;
inline constexpr UINT BF_DIAGONAL_ENDBOTTOMLEFT = BF_DIAGONAL | BF_BOTTOM | BF_LEFT;
inline constexpr UINT BF_DIAGONAL_ENDBOTTOMRIGHT = BF_DIAGONAL | BF_BOTTOM | BF_RIGHT;
inline constexpr UINT BF_MIDDLE = 0x0800;
inline constexpr UINT BF_SOFT = 0x1000;
inline constexpr UINT BF_ADJUST = 0x2000;
inline constexpr UINT BF_FLAT = 0x4000;
inline constexpr UINT BF_MONO = 0x8000;
// Draws one or two one-pixel borders along the chosen sides; BF_ADJUST shrinks *Rc by what was drawn.
BOOL DrawEdge(HDC DC, TRect* Rc, UINT Edge, UINT Flags);

inline constexpr UINT DFC_CAPTION = 1;
inline constexpr UINT DFC_MENU = 2;
inline constexpr UINT DFC_SCROLL = 3;
inline constexpr UINT DFC_BUTTON = 4;
inline constexpr UINT DFCS_CAPTIONCLOSE = 0x0000;
inline constexpr UINT DFCS_CAPTIONMIN = 0x0001;
inline constexpr UINT DFCS_CAPTIONMAX = 0x0002;
inline constexpr UINT DFCS_CAPTIONRESTORE = 0x0003;
inline constexpr UINT DFCS_CAPTIONHELP = 0x0004;
inline constexpr UINT DFCS_MENUARROW = 0x0000;
inline constexpr UINT DFCS_MENUCHECK = 0x0001;
inline constexpr UINT DFCS_MENUBULLET = 0x0002;
inline constexpr UINT DFCS_MENUARROWRIGHT = 0x0004;
inline constexpr UINT DFCS_SCROLLUP = 0x0000;
inline constexpr UINT DFCS_SCROLLDOWN = 0x0001;
inline constexpr UINT DFCS_SCROLLLEFT = 0x0002;
inline constexpr UINT DFCS_SCROLLRIGHT = 0x0003;
inline constexpr UINT DFCS_SCROLLCOMBOBOX = 0x0005;
inline constexpr UINT DFCS_SCROLLSIZEGRIP = 0x0008;
inline constexpr UINT DFCS_BUTTONCHECK = 0x0000;
inline constexpr UINT DFCS_BUTTONRADIOIMAGE = 0x0001;
inline constexpr UINT DFCS_BUTTONRADIOMASK = 0x0002;
inline constexpr UINT DFCS_BUTTONRADIO = 0x0004;
inline constexpr UINT DFCS_BUTTON3STATE = 0x0008;
inline constexpr UINT DFCS_BUTTONPUSH = 0x0010;
inline constexpr UINT DFCS_INACTIVE = 0x0100;
inline constexpr UINT DFCS_PUSHED = 0x0200;
inline constexpr UINT DFCS_CHECKED = 0x0400;
inline constexpr UINT DFCS_TRANSPARENT = 0x0800;
inline constexpr UINT DFCS_HOT = 0x1000;
inline constexpr UINT DFCS_ADJUSTRECT = 0x2000;
inline constexpr UINT DFCS_FLAT = 0x4000;
inline constexpr UINT DFCS_MONO = 0x8000;
BOOL DrawFrameControl(HDC DC, TRect* Rc, UINT Type, UINT State);
// Inverts a dotted outline (every other pixel) of the rectangle: drawing it twice restores the pixels.
BOOL DrawFocusRect(HDC DC, const TRect* Rc);

// ---- Window device contexts and painting ------------------------------------------------------------------------
struct PAINTSTRUCT {
  HDC hdc = 0;
  BOOL fErase = FALSE;  // the background still needs erasing (WM_ERASEBKGND answered 0)
  TRect rcPaint;
  BOOL fRestore = FALSE;
  BOOL fIncUpdate = FALSE;
  BYTE rgbReserved[32] = {};
};
using TPaintStruct = PAINTSTRUCT;

inline constexpr DWORD DCX_WINDOW = 0x00000001;
inline constexpr DWORD DCX_CACHE = 0x00000002;
inline constexpr DWORD DCX_NORESETATTRS = 0x00000004;
inline constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
inline constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
inline constexpr DWORD DCX_PARENTCLIP = 0x00000020;
inline constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
inline constexpr DWORD DCX_INTERSECTRGN = 0x00000080;
inline constexpr DWORD DCX_LOCKWINDOWUPDATE = 0x00000400;
inline constexpr DWORD DCX_VALIDATE = 0x00200000;

// Window DCs draw into the window's backing image at once; releasing them shows what was drawn. GetDC(0) is the
// screen's context (for measuring; drawing on it goes nowhere).
HDC GetDC(HWND Wnd);
HDC GetWindowDC(HWND Wnd);
HDC GetDCEx(HWND Wnd, HRGN Clip, DWORD Flags);
int ReleaseDC(HWND Wnd, HDC DC);
HWND WindowFromDC(HDC DC);
// Clips to the invalid area, validates it and sends WM_ERASEBKGND when erasing was asked for.
HDC BeginPaint(HWND Wnd, PAINTSTRUCT* Ps);
BOOL EndPaint(HWND Wnd, const PAINTSTRUCT* Ps);
int GetUpdateRgn(HWND Wnd, HRGN Rgn, BOOL Erase);
BOOL InvalidateRgn(HWND Wnd, HRGN Rgn, BOOL Erase);
BOOL ValidateRgn(HWND Wnd, HRGN Rgn);

inline constexpr UINT RDW_INVALIDATE = 0x0001;
inline constexpr UINT RDW_INTERNALPAINT = 0x0002;
inline constexpr UINT RDW_ERASE = 0x0004;
inline constexpr UINT RDW_VALIDATE = 0x0008;
inline constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
inline constexpr UINT RDW_NOERASE = 0x0020;
inline constexpr UINT RDW_NOCHILDREN = 0x0040;
inline constexpr UINT RDW_ALLCHILDREN = 0x0080;
inline constexpr UINT RDW_UPDATENOW = 0x0100;
inline constexpr UINT RDW_ERASENOW = 0x0200;
inline constexpr UINT RDW_FRAME = 0x0400;
inline constexpr UINT RDW_NOFRAME = 0x0800;
BOOL RedrawWindow(HWND Wnd, const TRect* Update, HRGN UpdateRgn, UINT Flags);

inline constexpr UINT SW_SCROLLCHILDREN = 0x0001;
inline constexpr UINT SW_INVALIDATE = 0x0002;
inline constexpr UINT SW_ERASE = 0x0004;
inline constexpr UINT SW_SMOOTHSCROLL = 0x0010;
// Moves the pixels of the client area (or of Scroll, clipped to Clip) by (Dx, Dy) in the backing image and
// reports (and with SW_INVALIDATE invalidates) the part that was uncovered. Returns the update region's kind.
int ScrollWindowEx(HWND Wnd, int Dx, int Dy, const TRect* Scroll, const TRect* Clip, HRGN Update, TRect* UpdateRc,
                   UINT Flags);
BOOL ScrollWindow(HWND Wnd, int Dx, int Dy, const TRect* Scroll, const TRect* Clip);
BOOL ScrollDC(HDC DC, int Dx, int Dy, const TRect* Scroll, const TRect* Clip, HRGN Update, TRect* UpdateRc);

inline constexpr LPARAM PRF_CHECKVISIBLE = 0x0001;
inline constexpr LPARAM PRF_NONCLIENT = 0x0002;
inline constexpr LPARAM PRF_CLIENT = 0x0004;
inline constexpr LPARAM PRF_ERASEBKGND = 0x0008;
inline constexpr LPARAM PRF_CHILDREN = 0x0010;
inline constexpr LPARAM PRF_OWNED = 0x0020;
// What the default window procedure does for WM_PRINT: the window's image (frame and/or client as the flags ask)
// and, with PRF_CHILDREN, its visible children's, drawn into DC at the window's origin.
void PrintWindowImage(HWND Wnd, HDC DC, LPARAM Flags);
BOOL PrintWindow(HWND Wnd, HDC DC, UINT Flags);

// ---- Captions and window effects ---------------------------------------------------------------------------------
inline constexpr UINT DC_ACTIVE = 0x0001;
inline constexpr UINT DC_SMALLCAP = 0x0002;
inline constexpr UINT DC_ICON = 0x0004;
inline constexpr UINT DC_TEXT = 0x0008;
inline constexpr UINT DC_INBUTTON = 0x0010;
inline constexpr UINT DC_GRADIENT = 0x0020;
// Draws a caption bar for the window into Rc: the caption colours (a gradient with DC_GRADIENT), the small icon
// with DC_ICON and the window's text in the bold caption font with DC_TEXT.
BOOL DrawCaption(HWND Wnd, HDC DC, const TRect* Rc, UINT Flags);

inline constexpr DWORD LWA_COLORKEY = 0x00000001;
inline constexpr DWORD LWA_ALPHA = 0x00000002;
inline constexpr DWORD ULW_COLORKEY = 0x00000001;
inline constexpr DWORD ULW_ALPHA = 0x00000002;
inline constexpr DWORD ULW_OPAQUE = 0x00000004;
struct BLENDFUNCTION {
  BYTE BlendOp = 0;
  BYTE BlendFlags = 0;
  BYTE SourceConstantAlpha = 255;
  BYTE AlphaFormat = 0;
};
// Layered windows (WS_EX_LAYERED) are shown with the given opacity; the colour key is kept and reported but not
// cut out. Windows without WS_EX_LAYERED fail with ERROR_INVALID_PARAMETER.
BOOL SetLayeredWindowAttributes(HWND Wnd, COLORREF Key, BYTE Alpha, DWORD Flags);
BOOL GetLayeredWindowAttributes(HWND Wnd, COLORREF* Key, BYTE* Alpha, DWORD* Flags);
// Only the opacity of the blend function is used (the window paints its own picture).
BOOL UpdateLayeredWindow(HWND Wnd, HDC DstDC, TPoint* Dst, TSize* Size, HDC SrcDC, TPoint* Src, COLORREF Key,
                         const BLENDFUNCTION* Blend, DWORD Flags);
