// The drawing functions the toolkit provides, reached through the table its library registers while it loads.
#include "platform/graphics/GdiInternals.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/WindowBackend.h"

#include <atomic>

namespace {

std::atomic<const TToolkitGraphics*> Registered{nullptr};

// The toolkit's functions for calls that cannot do without them: loads the toolkit on first use.
const TToolkitGraphics& Needed() {
  const TToolkitGraphics* F = Registered.load();
  if (!F) {
    LoadToolkit();
    F = Registered.load();
    if (!F) {
      throw Exception("The window toolkit is not available: fonts, shapes and printing need it");
    }
  }
  return *F;
}

// The toolkit's functions if it is loaded: calls that only show something on screen skip it otherwise.
const TToolkitGraphics* IfLoaded() { return Registered.load(); }

}  // namespace

namespace Gdi {

void RegisterToolkitGraphics(const TToolkitGraphics* Functions) { Registered = Functions; }

void ShowWindowImage(HWND Wnd, const TRect& ImageRc) {
  if (auto* F = IfLoaded()) {
    F->ShowWindowImage(Wnd, ImageRc);
  }
}

void ShowCursor(HCURSOR Cursor) {
  if (auto* F = IfLoaded()) {
    F->ShowCursor(Cursor);
  }
}

void ShowDesktopImage(const TRect& Rc) {
  if (auto* F = IfLoaded()) {
    F->ShowDesktopImage(Rc);
  }
}

void SetWindowOpacity(HWND Wnd, double Opacity) {
  if (auto* F = IfLoaded()) {
    F->SetWindowOpacity(Wnd, Opacity);
  }
}

void FontDeleted(HFONT Font) {
  if (auto* F = IfLoaded()) {
    F->FontDeleted(Font);
  }
}

TMask PolygonMask(const std::vector<TPoint>& Points, bool Winding) { return Needed().PolygonMask(Points, Winding); }

TMask EllipseMask(const TRect& Box) { return Needed().EllipseMask(Box); }

TMask RoundRectMask(const TRect& Box, int CornerWidth, int CornerHeight) {
  return Needed().RoundRectMask(Box, CornerWidth, CornerHeight);
}

const TFontInfo& FontInfo(HFONT Font) { return Needed().FontInfo(Font); }

void DrawGlyphs(TDCRec& D, TPixels& P, const TRegionData& Clip, HFONT Font, int X, int Y, const std::string& Text,
                const std::vector<int>& Offsets, COLORREF Color) {
  Needed().DrawGlyphs(D, P, Clip, Font, X, Y, Text, Offsets, Color);
}

std::vector<std::string> PrinterNames() { return Needed().PrinterNames(); }

void* PrintJobStart(const TPrintSettings& Settings) { return Needed().PrintJobStart(Settings); }

bool PrintJobPage(void* Job, const TPixels& Page) { return Needed().PrintJobPage(Job, Page); }

bool PrintJobEnd(void* Job, bool Abort) { return Needed().PrintJobEnd(Job, Abort); }

int DesktopIcon(const std::vector<std::string>& Names, TStandardIcon Standard, int Size, std::string& Key,
                std::vector<std::uint32_t>* Pixels) {
  const TToolkitGraphics* F = Registered.load();
  if (!F) {
    LoadToolkit();
    F = Registered.load();
  }
  return F && F->DesktopIcon ? F->DesktopIcon(Names, Standard, Size, Key, Pixels) : -1;
}

}  // namespace Gdi
