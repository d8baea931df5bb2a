// Test helpers for drawing: memory DCs over 32-bit bitmaps, and reading their pixels.
#pragma once

#include "platform/graphics/WinGdi.h"

#include <string>
#include <vector>

namespace GdiTest {

// A memory DC with a colour bitmap of its own, filled with one colour; frees both at the end of the scope.
class TCanvasDC {
public:
  TCanvasDC(int W, int H, COLORREF Fill = RGB(255, 255, 255)) : FW(W), FH(H) {
    FDC = CreateCompatibleDC(0);
    BITMAPINFO Info{};
    Info.bmiHeader.biWidth = W;
    Info.bmiHeader.biHeight = -H;
    Info.bmiHeader.biBitCount = 32;
    FBitmap = CreateDIBSection(FDC, &Info, DIB_RGB_COLORS, &FBits, nullptr, 0);
    FOld = SelectObject(FDC, FBitmap);
    HBRUSH B = CreateSolidBrush(Fill);
    TRect R = Rect(0, 0, W, H);
    FillRect(FDC, &R, B);
    DeleteObject(B);
  }
  ~TCanvasDC() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  TCanvasDC(const TCanvasDC&) = delete;
  TCanvasDC& operator=(const TCanvasDC&) = delete;

  HDC DC() const { return FDC; }
  HBITMAP Bitmap() const { return FBitmap; }
  // The pixel as COLORREF, read straight from the section's memory (independent of clip and origin).
  COLORREF At(int X, int Y) const {
    std::uint32_t P = static_cast<const std::uint32_t*>(FBits)[Y * FW + X];
    return RGB((P >> 16) & 0xFF, (P >> 8) & 0xFF, P & 0xFF);
  }
  std::vector<std::uint32_t> Snapshot() const {
    const auto* P = static_cast<const std::uint32_t*>(FBits);
    std::vector<std::uint32_t> V(P, P + FW * FH);
    for (auto& X : V) {
      X &= 0xFFFFFF;
    }
    return V;
  }
  // Rows as text: '#' for pixels of colour C, '.' for others, within the given rectangle.
  std::string Map(const TRect& R, COLORREF C) const {
    std::string S;
    for (int Y = R.Top; Y < R.Bottom; ++Y) {
      for (int X = R.Left; X < R.Right; ++X) {
        S += At(X, Y) == C ? '#' : '.';
      }
      S += '\n';
    }
    return S;
  }
  // The bounding box of pixels different from Background (empty rect when none).
  TRect Ink(COLORREF Background, const TRect& Within) const {
    TRect B{Within.Right, Within.Bottom, Within.Left, Within.Top};
    for (int Y = Within.Top; Y < Within.Bottom; ++Y) {
      for (int X = Within.Left; X < Within.Right; ++X) {
        if (At(X, Y) != Background) {
          B = Rect(std::min<LONG>(B.Left, X), std::min<LONG>(B.Top, Y), std::max<LONG>(B.Right, X + 1),
                   std::max<LONG>(B.Bottom, Y + 1));
        }
      }
    }
    return B.Right > B.Left ? B : TRect{};
  }
  int Width() const { return FW; }
  int Height() const { return FH; }

private:
  int FW, FH;
  HDC FDC = 0;
  HBITMAP FBitmap = 0;
  HGDIOBJ FOld = 0;
  void* FBits = nullptr;
};

}  // namespace GdiTest
