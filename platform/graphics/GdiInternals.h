// The drawing unit's inner records (objects, regions, surfaces, device contexts), shared by its sources and the
// toolkit side that paints; not for callers.
#pragma once

#include "platform/graphics/WinGdi.h"

#include <cstdint>
#include <functional>
#include <string>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

// A set of pixels as disjoint rectangles, kept in bands (sorted by top, then left; horizontally touching
// rectangles of a band merged).
class TRegionData {
public:
  TRegionData() = default;
  explicit TRegionData(const TRect& R);
  bool Empty() const { return FRects.empty(); }
  const std::vector<TRect>& Rects() const { return FRects; }
  TRect Box() const;
  int Kind() const { return FRects.empty() ? NULLREGION : FRects.size() == 1 ? SIMPLEREGION : COMPLEXREGION; }
  bool Contains(int X, int Y) const;
  bool Intersects(const TRect& R) const;
  void Offset(int Dx, int Dy);
  static TRegionData Combine(const TRegionData& A, const TRegionData& B, int Mode);
  friend bool operator==(const TRegionData&, const TRegionData&) = default;

private:
  std::vector<TRect> FRects;
};

// Pixels of a bitmap or a window's backing image: 0xFFRRGGBB words. Monochrome bitmaps hold only black and white.
// Bottom-up DIB sections keep their rows in the caller's order (Stride < 0 walks them top-down).
struct TPixels {
  int Width = 0;
  int Height = 0;
  bool Mono = false;
  int BitsPixel = 32;  // as reported by GetObject
  bool DibSection = false;
  bool BottomUp = false;
  std::vector<std::uint32_t> Data;
  std::uint32_t* Row(int Y) { return Data.data() + static_cast<std::size_t>(BottomUp ? Height - 1 - Y : Y) * Width; }
  const std::uint32_t* Row(int Y) const {
    return Data.data() + static_cast<std::size_t>(BottomUp ? Height - 1 - Y : Y) * Width;
  }
};
using PPixels = std::shared_ptr<TPixels>;

// One GDI object.
struct TGdiObject {
  DWORD Type = 0;
  bool Stock = false;
  LOGPEN Pen;
  LOGBRUSH Brush;
  std::shared_ptr<TPixels> Pattern;  // BS_PATTERN / BS_HATCHED: 8x8 pixels
  LOGFONT Font;
  PPixels Bitmap;
  TRegionData Region;
};
using PGdiObject = std::shared_ptr<TGdiObject>;

// The state SaveDC keeps.
struct TDCState {
  HPEN Pen = 0;
  HBRUSH Brush = 0;
  HFONT Font = 0;
  HBITMAP Bitmap = 0;
  COLORREF BkColor = 0xFFFFFF;
  COLORREF TextColor = 0;
  COLORREF DCBrushColor = 0xFFFFFF;
  COLORREF DCPenColor = 0;
  int BkMode = OPAQUE;
  int Rop2 = R2_COPYPEN;
  UINT TextAlign = 0;
  int StretchMode = BLACKONWHITE;
  TPoint BrushOrg;
  TPoint WindowOrg;
  TPoint ViewportOrg;
  TPoint CurPos;
  std::optional<TRegionData> Clip;  // device coordinates
};

// A device context. Window DCs draw into the window's backing image at Origin (the client or window rectangle's
// place in the image), limited to Limit (image coordinates: the client area, or the paint area in BeginPaint).
struct TRecording;

struct TDCRec {
  DWORD Type = OBJ_DC;
  HWND Wnd = 0;
  bool Screen = false;   // measures, draws nowhere (metafile recording DCs)
  bool Desktop = false;  // GetDC(0): draws on the overlay above the program's windows
  bool WholeWindow = false;
  bool Painting = false;
  TPoint Origin;
  std::optional<TRegionData> Limit;
  TDCState S;
  std::vector<TDCState> Saved;
  PPixels Target;  // the backing image of a window DC
  TRect Touched;   // image rectangle drawn on since the last flush
  bool HasTouched = false;
  // Printer DCs: the page is Target at Dpi; Origin is the printable area's corner on the paper.
  bool Printer = false;
  int Dpi = 96;
  // Metafile DCs: drawing calls are recorded here instead of drawn.
  std::shared_ptr<TRecording> Record;
};
using PDCRec = std::shared_ptr<TDCRec>;

namespace Gdi {
std::recursive_mutex& Lock();
PGdiObject Object(HGDIOBJ H);
PGdiObject Object(HGDIOBJ H, DWORD Type);  // null unless of that type
// The icon's image as 0xAARRGGBB words, rows top-down: its colour where the mask is black, transparent where it is
// white. False for a handle that is no icon.
bool IconPixels(HICON Icon, int& Width, int& Height, std::vector<std::uint32_t>& Argb);
HGDIOBJ AddObject(PGdiObject Obj);
PDCRec DC(HDC H);
HDC AddDC(PDCRec Rec);
void RemoveDC(HDC H);

// The pixels a DC draws on (selected bitmap or backing image); null for the screen DC.
PPixels Surface(const TDCRec& D);
// The area drawing may touch, in surface coordinates: surface bounds ∩ limit ∩ clip region.
TRegionData EffectiveClip(const TDCRec& D);
// Logical to surface coordinates.
inline TPoint ToSurface(const TDCRec& D, int X, int Y) {
  return Point(X - D.S.WindowOrg.X + D.S.ViewportOrg.X + D.Origin.X, Y - D.S.WindowOrg.Y + D.S.ViewportOrg.Y + D.Origin.Y);
}
inline TPoint ToDevice(const TDCRec& D, int X, int Y) {
  return Point(X - D.S.WindowOrg.X + D.S.ViewportOrg.X, Y - D.S.WindowOrg.Y + D.S.ViewportOrg.Y);
}
// Notes a drawn surface rectangle of a window DC, so that releasing the DC shows it.
void Touch(TDCRec& D, const TRect& SurfaceRc);
// The colour a brush paints (solid brushes, system colour values 1..31), and whether it is a pattern.
COLORREF BrushColor(const TDCRec& D, HBRUSH Brush, bool& Null);
// The 0xFFRRGGBB pixel of a COLORREF and back.
inline std::uint32_t ToPixel(COLORREF C) { return 0xFF000000u | (GetRValue(C) << 16) | (GetGValue(C) << 8) | GetBValue(C); }
inline COLORREF FromPixel(std::uint32_t P) { return RGB((P >> 16) & 0xFF, (P >> 8) & 0xFF, P & 0xFF); }
// The brush's pixel at surface point (X, Y) given the DC's brush origin (for pattern brushes).
std::uint32_t BrushPixel(const TDCRec& D, const TGdiObject& Brush, int X, int Y);
// Applies a ternary raster operation to one pixel.
std::uint32_t Rop3(std::uint32_t Src, std::uint32_t Dst, std::uint32_t Pat, BYTE Code);
// The window's backing image, created or resized to its window rectangle on demand.
PPixels BackingImage(HWND Wnd);
void DropBackingImage(HWND Wnd);
PPixels ExistingBackingImage(HWND Wnd);  // null when the window never drew
// Shows a rectangle of the window's image on screen (asks the host to repaint it). Implemented by the toolkit side.
void ShowWindowImage(HWND Wnd, const TRect& ImageRc);
// Shows a standard cursor (an IDC_ value; 0 hides it) over the program's windows (toolkit side).
void ShowCursor(HCURSOR Cursor);
// The desktop overlay: an image the size of the screen, 0 where nothing is drawn, shown above every window of
// the program (XOR outlines drawn twice leave it empty again).
PPixels DesktopImage();
void ShowDesktopImage(const TRect& Rc);  // toolkit side
bool DesktopOverlayVisible();            // toolkit side: whether the overlay shows anything
// Shows a top-level window with the given opacity (0..1) (toolkit side).
void SetWindowOpacity(HWND Wnd, double Opacity);
// The part of a top-level window the desktop shows, in window coordinates: its window region (SetWindowRgn), less
// the pixels of its colour key when it is layered with LWA_COLORKEY. False when the whole rectangle shows. The
// colour key needs the window's drawn image; pixels not drawn yet show.
struct TWindowShape {
  bool HasRegion = false;
  std::vector<TRect> Region;
  bool HasKey = false;
  std::vector<TRect> Opaque;  // runs of pixels that are not the key colour
};
bool WindowShape(HWND Wnd, TWindowShape& Shape);
// Forgets toolkit-side caches of a font (toolkit side).
void FontDeleted(HFONT Font);
}  // namespace Gdi

// Coverage masks of filled shapes, rasterised by the toolkit side without antialiasing (pixel centres inside).
struct TMask {
  TRect Box;  // surface coordinates the bits cover
  std::vector<std::uint8_t> Bits;
  bool At(int X, int Y) const {
    return X >= Box.Left && X < Box.Right && Y >= Box.Top && Y < Box.Bottom &&
           Bits[static_cast<std::size_t>((Y - Box.Top) * Box.Width() + (X - Box.Left))] != 0;
  }
};
namespace Gdi {
TMask PolygonMask(const std::vector<TPoint>& Points, bool Winding);
TMask EllipseMask(const TRect& Box);
TMask RoundRectMask(const TRect& Box, int CornerWidth, int CornerHeight);
}  // namespace Gdi

// Fonts as measured and drawn by the toolkit side: metrics and the advance of every 1252 byte, in pixels.
struct TFontInfo {
  TEXTMETRIC Tm;
  int Widths[256] = {};
  int EmSize = 0;
  int CapHeight = 0;
  int XHeight = 0;
  int UnderlinePos = 0;  // below the baseline
  int UnderlineSize = 1;
  int StrikeoutPos = 0;  // above the baseline
  std::string Family;
};
namespace Gdi {
// The metrics of a font handle (the DC's font when 0 or unknown: the system font). Cached per handle.
const TFontInfo& FontInfo(HFONT Font);
// Draws Text with the glyph origin of character i at (X + Offsets[i], Y), Y being the baseline, in surface
// coordinates, limited to Clip; the run is rotated about (X, Y) by the font's escapement.
void DrawGlyphs(TDCRec& D, TPixels& P, const TRegionData& Clip, HFONT Font, int X, int Y, const std::string& Text,
                const std::vector<int>& Offsets, COLORREF Color);
}  // namespace Gdi

// Print jobs, run by the toolkit side: pages arrive as images of the whole paper.
struct TPrintSettings {
  std::string Printer;  // "PDF" or a printer of the system
  std::string Output;   // the PDF file
  std::string Title;
  bool Landscape = false;
  int Copies = 1;
  int Dpi = 150;
};
namespace Gdi {
std::vector<std::string> PrinterNames();  // "PDF" first
void* PrintJobStart(const TPrintSettings& Settings);  // null when it cannot start
bool PrintJobPage(void* Job, const TPixels& Page);
bool PrintJobEnd(void* Job, bool Abort);  // ends (or abandons) the job and frees it
}  // namespace Gdi

// Icons of the desktop: the toolkit's standard icons, asked for where the icon theme has none of the names.
enum class TStandardIcon { None, File, FileLink, Folder, FolderOpen, Home, Computer, Drive, Removable, Trash, Desktop };
namespace Gdi {
// Looks up the first of Names in the desktop's icon theme, else the toolkit's standard icon. Key receives a name
// that is equal for equal icons ("theme:folder", "standard:3"); Pixels (when not null) receive the icon drawn
// Size x Size as 0xAARRGGBB words, not premultiplied, row by row. 1: found; 0: neither the theme nor the toolkit
// has such an icon; -1: the toolkit cannot be asked (it cannot be loaded, or the call is not on the thread that
// runs it). Loads the toolkit when needed.
int DesktopIcon(const std::vector<std::string>& Names, TStandardIcon Standard, int Size, std::string& Key,
                std::vector<std::uint32_t>* Pixels);
}  // namespace Gdi

// The toolkit side of the functions above that say so. The toolkit library registers them while it loads; the
// layer loads it on the first call that needs it (fonts, masks, printing). Calls that only show something on
// screen do nothing while no toolkit is there, since nothing is on screen then.
struct TToolkitGraphics {
  void (*ShowWindowImage)(HWND Wnd, const TRect& ImageRc) = nullptr;
  void (*ShowCursor)(HCURSOR Cursor) = nullptr;
  void (*ShowDesktopImage)(const TRect& Rc) = nullptr;
  void (*SetWindowOpacity)(HWND Wnd, double Opacity) = nullptr;
  void (*FontDeleted)(HFONT Font) = nullptr;
  TMask (*PolygonMask)(const std::vector<TPoint>& Points, bool Winding) = nullptr;
  TMask (*EllipseMask)(const TRect& Box) = nullptr;
  TMask (*RoundRectMask)(const TRect& Box, int CornerWidth, int CornerHeight) = nullptr;
  const TFontInfo& (*FontInfo)(HFONT Font) = nullptr;
  void (*DrawGlyphs)(TDCRec& D, TPixels& P, const TRegionData& Clip, HFONT Font, int X, int Y,
                     const std::string& Text, const std::vector<int>& Offsets, COLORREF Color) = nullptr;
  std::vector<std::string> (*PrinterNames)() = nullptr;
  void* (*PrintJobStart)(const TPrintSettings& Settings) = nullptr;
  bool (*PrintJobPage)(void* Job, const TPixels& Page) = nullptr;
  bool (*PrintJobEnd)(void* Job, bool Abort) = nullptr;
  int (*DesktopIcon)(const std::vector<std::string>& Names, TStandardIcon Standard, int Size, std::string& Key,
                     std::vector<std::uint32_t>* Pixels) = nullptr;
};
namespace Gdi {
// Registered once by the toolkit side at load time; the table must outlive the process's use of it.
void RegisterToolkitGraphics(const TToolkitGraphics* Functions);
}  // namespace Gdi

// Recorded drawing for metafiles. Coordinates are the recording DC's device coordinates; playing maps them
// into a destination rectangle, scaling coordinates, pen widths and font sizes.
struct TPlayScale {
  double Sx = 1.0;
  double Sy = 1.0;
  int Ox = 0;
  int Oy = 0;
  int X(int V) const { return Ox + static_cast<int>(V * Sx + (V >= 0 ? 0.5 : -0.5)); }
  int Y(int V) const { return Oy + static_cast<int>(V * Sy + (V >= 0 ? 0.5 : -0.5)); }
  TRect R(const TRect& Rc) const { return Rect(X(Rc.Left), Y(Rc.Top), X(Rc.Right), Y(Rc.Bottom)); }
  TPoint P(const TPoint& Pt) const { return Point(X(Pt.X), Y(Pt.Y)); }
};
using TPlayCall = std::function<void(HDC Target, const TPlayScale& Scale)>;
namespace Gdi {
// Records a call with the DC's current state (pen, brush, font, colours, modes, clip region); Bounds is the
// device area it covers, which grows the recording's extent.
void Record(TDCRec& D, const TRect& Bounds, TPlayCall Call);
// A brush's attributes as the recording holds them, and a fresh brush made from them at play time.
struct TBrushCopy {
  bool Null = true;
  COLORREF Color = 0;
  std::shared_ptr<TPixels> Pattern;
  UINT Style = BS_SOLID;
};
TBrushCopy CopyBrush(const TDCRec& D, HBRUSH Brush);
HBRUSH MakeBrush(const TBrushCopy& B);
// A copy of a rectangle of a DC's surface (logical coordinates of Src), for recorded blits.
PPixels CopyPixels(const TDCRec& Src, int X, int Y, int W, int H);
// Plays a recording into Dest (logical coordinates of the target DC) for a picture of the given frame size.
void Play(HDC Target, const TRecording& R, const TRect& Dest, TSize Frame);
}  // namespace Gdi
