// Backgrounds: a bitmap tiled behind docks.
#include "toolbars/Tb2background.h"

#include "platform/graphics/WinGdi.h"

#include <algorithm>
#include <cstdint>

Z_IMPLEMENT_CLASS(TTBBasicBackground, TComponent)
Z_IMPLEMENT_CLASS_PUBLISHED(TTBBackground, TTBBasicBackground, TTBBackground::Publish)

TTBBackground::TTBBackground(TComponent* AOwner)
    : TTBBasicBackground(AOwner), FBitmap(std::make_unique<TBitmap>()) {
  FBitmap->OnChange = [this](TObject*) { BitmapChanged(); };
}

TTBBackground::~TTBBackground() = default;

void TTBBackground::SetBitmap(TBitmap* Value) { FBitmap->Assign(Value); }

void TTBBackground::SetBkColor(TColor Value) {
  if (Value != FBkColor) {
    FBkColor = Value;
    if (FTransparent) {
      BitmapChanged();
    }
  }
}

void TTBBackground::SetTransparent(bool Value) {
  if (Value != FTransparent) {
    FTransparent = Value;
    BitmapChanged();
  }
}

void TTBBackground::BitmapChanged() {
  FBitmapCache.reset();
  for (const TTBNotifyMethod& M : std::vector<TTBNotifyMethod>(FChangeHandlers)) {
    M.Fn(this);
  }
}

void TTBBackground::RegisterChanges(const TTBNotifyMethod& Proc) {
  for (const TTBNotifyMethod& M : FChangeHandlers) {
    if (MethodsEqual(M, Proc)) {
      return;
    }
  }
  FChangeHandlers.push_back(Proc);
}

void TTBBackground::UnregisterChanges(const TTBNotifyMethod& Proc) {
  auto It = std::find_if(FChangeHandlers.begin(), FChangeHandlers.end(),
                         [&](const TTBNotifyMethod& M) { return MethodsEqual(M, Proc); });
  if (It != FChangeHandlers.end()) {
    FChangeHandlers.erase(It);
  }
}

bool TTBBackground::UsingBackground() { return FBitmap->Width() != 0 && FBitmap->Height() != 0; }

void TTBBackground::SysColorChanged() {
  if (FTransparent && (static_cast<std::uint32_t>(FBkColor) & 0x80000000u)) {
    BitmapChanged();
  }
}

void TTBBackground::Draw(HDC DC, const TRect& DrawRect) {
  if (!UsingBackground()) {
    return;
  }
  const int W = FBitmap->Width();
  const int H = FBitmap->Height();
  if (!FBitmapCache) {
    // Prepared once per change: the transparent colour is the bottom-left pixel's.
    FBitmapCache = std::make_unique<TBitmap>();
    FBitmapCache->SetPixelFormat(pf32bit);
    FBitmapCache->SetSize(W, H);
    TCanvas* C = FBitmapCache->Canvas();
    if (FTransparent) {
      C->Brush()->SetColor(FBkColor);
      C->FillRect(Rect(0, 0, W, H));
      const TColor Key = FBitmap->Canvas()->Pixels(0, H - 1);
      const TColor Bk = static_cast<TColor>(ColorToRGB(FBkColor));
      for (int Y = 0; Y < H; ++Y) {
        for (int X = 0; X < W; ++X) {
          const TColor P = FBitmap->Canvas()->Pixels(X, Y);
          C->SetPixels(X, Y, P == Key ? Bk : P);
        }
      }
    } else {
      BitBlt(C->Handle(), 0, 0, W, H, FBitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    FBitmap->Dormant();
  }
  const int Saved = SaveDC(DC);
  HDC Src = FBitmapCache->Canvas()->Handle();
  if (W == 8 && H == 8) {
    HBRUSH Brush = CreatePatternBrush(FBitmapCache->Handle());
    TPoint Org;
    GetWindowOrgEx(DC, &Org);
    SetBrushOrgEx(DC, DrawRect.Left - Org.X, DrawRect.Top - Org.Y, nullptr);
    TRect R = DrawRect;
    FillRect(DC, &R, Brush);
    DeleteObject(Brush);
  } else {
    for (int X = DrawRect.Left; X < DrawRect.Right; X += W) {
      for (int Y = DrawRect.Top; Y < DrawRect.Bottom; Y += H) {
        BitBlt(DC, X, Y, W, H, Src, 0, 0, SRCCOPY);
      }
    }
  }
  RestoreDC(DC, Saved);
}

void TTBBackground::Publish(TMetaClass& Meta) {
  TPublisher<TTBBackground> P(Meta);
  P.Property("BkColor", &TTBBackground::BkColor, &TTBBackground::SetBkColor).Default(clBtnFace);
  P.Property("Transparent", &TTBBackground::Transparent, &TTBBackground::SetTransparent).Default(false);
}
