// Colour arithmetic and image drawing shared by the skinned painters.
#include "toolbars/Tbskinshared.h"

#include "platform/graphics/WinGdi.h"
#include "toolbars/Tb2itemviewer.h"
#include "toolbars/Tb2view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

int tbChevronSize = 12;

namespace {

int Channel(COLORREF C, int Shift) { return static_cast<int>((C >> Shift) & 0xFF); }

COLORREF Make(int R, int G, int B) {
  auto Clamp = [](int V) { return static_cast<BYTE>(std::clamp(V, 0, 255)); };
  return RGB(Clamp(R), Clamp(G), Clamp(B));
}

// The two work bitmaps of the icon painters, kept for the program's lifetime.
TBitmap* StockBitmap(int Which) {
  static std::unique_ptr<TBitmap> Bitmaps[2];
  if (!Bitmaps[Which]) {
    Bitmaps[Which] = std::make_unique<TBitmap>();
    Bitmaps[Which]->SetPixelFormat(pf32bit);
  }
  return Bitmaps[Which].get();
}

// Copies the canvas area into the first work bitmap and the second, draws the image into the second and hands
// every pixel the image covers to Combine (background, image) -> result, then copies the first back.
template <class F>
void CombineIcon(TCanvas* Canvas, const TRect& R, TCustomImageList* ImageList, int ImageIndex, F Combine) {
  const int W = std::min(R.Width(), ImageList->Width());
  const int H = std::min(R.Height(), ImageList->Height());
  if (W <= 0 || H <= 0) {
    return;
  }
  TBitmap* B1 = StockBitmap(0);
  TBitmap* B2 = StockBitmap(1);
  B1->SetSize(W, H);
  B2->SetSize(W, H);
  BitBlt(B1->Canvas()->Handle(), 0, 0, W, H, Canvas->Handle(), R.Left, R.Top, SRCCOPY);
  BitBlt(B2->Canvas()->Handle(), 0, 0, W, H, B1->Canvas()->Handle(), 0, 0, SRCCOPY);
  ImageList->Draw(B2->Canvas(), 0, 0, ImageIndex, true);
  for (int Y = 0; Y < H; ++Y) {
    auto* Back = static_cast<std::uint32_t*>(B1->ScanLine(Y));
    auto* Img = static_cast<std::uint32_t*>(B2->ScanLine(Y));
    for (int X = 0; X < W; ++X) {
      if ((Back[X] & 0xFFFFFF) != (Img[X] & 0xFFFFFF)) {
        Back[X] = Combine(Back[X] & 0xFFFFFF, Img[X] & 0xFFFFFF);
      }
    }
  }
  BitBlt(Canvas->Handle(), R.Left, R.Top, W, H, B1->Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace

TColor BlendColors(TColor C1, TColor C2, double Amount) {
  const COLORREF A = ColorToRGB(C1);
  const COLORREF B = ColorToRGB(C2);
  auto Mix = [Amount](int X, int Y) {
    return static_cast<int>(std::nearbyint((1.0 - Amount) * X + Amount * Y));
  };
  return static_cast<TColor>(
      Make(Mix(Channel(A, 0), Channel(B, 0)), Mix(Channel(A, 8), Channel(B, 8)), Mix(Channel(A, 16), Channel(B, 16))));
}

TColor ColorLighterRGB(COLORREF Color, Byte Percent) {
  auto L = [Percent](int C) { return C + Percent * (255 - C) / 100; };
  return static_cast<TColor>(Make(L(Channel(Color, 0)), L(Channel(Color, 8)), L(Channel(Color, 16))));
}

TColor ColorLighter(TColor Color, Byte Percent) { return ColorLighterRGB(ColorToRGB(Color), Percent); }

TColor ColorDarkerRGB(COLORREF Color, Byte Amount) {
  auto D = [Amount](int C) { return C - Amount; };
  return static_cast<TColor>(Make(D(Channel(Color, 0)), D(Channel(Color, 8)), D(Channel(Color, 16))));
}

TColor ColorDarker(TColor Color, Byte Amount) { return ColorDarkerRGB(ColorToRGB(Color), Amount); }

void FillGradient(HDC DC, const TRect& ARect, TColor StartColor, TColor EndColor, TTBGradDir Direction) {
  const COLORREF S = ColorToRGB(StartColor);
  const COLORREF E = ColorToRGB(EndColor);
  TRIVERTEX V[2];
  V[0].x = ARect.Left;
  V[0].y = ARect.Top;
  V[0].Red = static_cast<USHORT>(Channel(S, 0) << 8);
  V[0].Green = static_cast<USHORT>(Channel(S, 8) << 8);
  V[0].Blue = static_cast<USHORT>(Channel(S, 16) << 8);
  V[1].x = ARect.Right;
  V[1].y = ARect.Bottom;
  V[1].Red = static_cast<USHORT>(Channel(E, 0) << 8);
  V[1].Green = static_cast<USHORT>(Channel(E, 8) << 8);
  V[1].Blue = static_cast<USHORT>(Channel(E, 16) << 8);
  GRADIENT_RECT Mesh;
  Mesh.UpperLeft = 0;
  Mesh.LowerRight = 1;
  if (!GradientFill(DC, V, 2, &Mesh, 1, Direction == tbgLeftRight ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V)) {
    FillGradient2(DC, ARect, StartColor, EndColor, Direction);
  }
}

void FillGradient2(HDC DC, const TRect& ARect, TColor StartColor, TColor EndColor, TTBGradDir Direction) {
  const COLORREF S = ColorToRGB(StartColor);
  const COLORREF E = ColorToRGB(EndColor);
  const int Steps = Direction == tbgTopBottom ? ARect.Height() : ARect.Width();
  for (int I = 0; I < Steps; ++I) {
    auto C = [&](int Shift) {
      return Channel(S, Shift) + (Channel(E, Shift) - Channel(S, Shift)) * I / std::max(1, Steps - 1);
    };
    HBRUSH Brush = CreateSolidBrush(Make(C(0), C(8), C(16)));
    TRect Band = Direction == tbgTopBottom ? Rect(ARect.Left, ARect.Top + I, ARect.Right, ARect.Top + I + 1)
                                           : Rect(ARect.Left + I, ARect.Top, ARect.Left + I + 1, ARect.Bottom);
    FillRect(DC, &Band, Brush);
    DeleteObject(Brush);
  }
}

void BlendTBXIcon(TCanvas* Canvas, const TRect& R, TCustomImageList* ImageList, int ImageIndex, Byte Opacity) {
  CombineIcon(Canvas, R, ImageList, ImageIndex, [Opacity](std::uint32_t Back, std::uint32_t Img) {
    std::uint32_t Out = 0;
    for (int Shift : {0, 8, 16}) {
      const std::uint32_t B = (Back >> Shift) & 0xFF;
      const std::uint32_t I = (Img >> Shift) & 0xFF;
      Out |= ((B * (255u - Opacity) + I * Opacity) / 256u) << Shift;
    }
    return Out;
  });
}

void DrawTBXIconShadow(TCanvas* Canvas, const TRect& R, TCustomImageList* ImageList, int ImageIndex, bool Lighter) {
  CombineIcon(Canvas, R, ImageList, ImageIndex, [Lighter](std::uint32_t Back, std::uint32_t Img) {
    // Pixels are 0x00RRGGBB words.
    const std::uint32_t L = (76u * ((Img >> 16) & 0xFF) + 150u * ((Img >> 8) & 0xFF) + 29u * (Img & 0xFF)) / 256u;
    const std::uint32_t Factor = Lighter ? L / 8 + 223 : L / 3 + 170;
    std::uint32_t Out = 0;
    for (int Shift : {0, 8, 16}) {
      Out |= ((((Back >> Shift) & 0xFF) * Factor / 256u) & 0xFF) << Shift;
    }
    return Out;
  });
}

int GetImgListMargin(TTBItemViewer* Viewer) {
  HDC DC = GetDC(0);
  TCanvas Canvas;
  Canvas.SetHandle(DC);
  Canvas.Font()->Assign(Viewer->View()->GetFont());
  int W = 0;
  int H = 0;
  Viewer->CalcSize(&Canvas, W, H);
  Canvas.SetHandle(0);
  ReleaseDC(0, DC);
  return H + 2;
}

void PolylineEx(HDC DC, const TPoint* Points, int LastIndex) { Polyline(DC, Points, LastIndex + 1); }

void DrawTBXIconFlatShadow(TCanvas* Canvas, const TRect& R, TCustomImageList* ImageList, int ImageIndex,
                           COLORREF Color) {
  const std::uint32_t Pixel = (static_cast<std::uint32_t>(GetRValue(Color)) << 16) |
                              (static_cast<std::uint32_t>(GetGValue(Color)) << 8) | GetBValue(Color);
  CombineIcon(Canvas, R, ImageList, ImageIndex, [Pixel](std::uint32_t, std::uint32_t) { return Pixel; });
}
