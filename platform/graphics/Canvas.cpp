// TCanvas: drawing through a device context with the class library's pen, brush and font.
#include "platform/graphics/Graphics.h"

#include <mutex>

Z_IMPLEMENT_CLASS(TCanvas, TPersistent)

namespace {

int Rop2Of(TPenMode M) {
  static const int Table[] = {R2_BLACK,       R2_WHITE,       R2_NOP,        R2_NOT,         R2_COPYPEN,
                              R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN,
                              R2_MERGEPEN,    R2_NOTMERGEPEN, R2_MASKPEN,    R2_NOTMASKPEN,  R2_XORPEN,
                              R2_NOTXORPEN};
  return Table[M];
}

std::recursive_mutex& CanvasLock() {
  static std::recursive_mutex M;
  return M;
}

}  // namespace

TCanvas::TCanvas() : FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()), FFont(std::make_unique<TFont>()) {
  auto Relay = [this](TObject*) { Changed(); };
  FPen->OnChange = Relay;
  FBrush->OnChange = Relay;
  FFont->OnChange = Relay;
}

TCanvas::~TCanvas() { DeselectHandles(); }

HDC TCanvas::HandleNeeded() {
  if (!FHandle) {
    CreateHandle();
    if (!FHandle) {
      throw EInvalidOperation("Canvas does not allow drawing");
    }
  }
  return FHandle;
}

HDC TCanvas::Handle() {
  // Whoever draws on the context directly finds the canvas's pen, brush and font selected in it.
  Changing();
  RequiredState();
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (Value != FHandle) {
    DeselectHandles();
    FHandle = Value;
  }
}

void TCanvas::CreateHandle() {}

void TCanvas::DeselectHandles() {
  if (FHandle) {
    if (FOldPen) {
      SelectObject(FHandle, FOldPen);
    }
    if (FOldBrush) {
      SelectObject(FHandle, FOldBrush);
    }
    if (FOldFont) {
      SelectObject(FHandle, FOldFont);
    }
  }
  FOldPen = FOldBrush = FOldFont = 0;
}

void TCanvas::RequiredState() {
  HDC DC = HandleNeeded();
  HGDIOBJ P = SelectObject(DC, FPen->Handle());
  HGDIOBJ B = SelectObject(DC, FBrush->Handle());
  HGDIOBJ F = SelectObject(DC, FFont->Handle());
  // Remember what the DC had before the canvas first selected its own objects.
  if (!FOldPen) {
    FOldPen = P;
  }
  if (!FOldBrush) {
    FOldBrush = B;
  }
  if (!FOldFont) {
    FOldFont = F;
  }
  SetTextColor(DC, ColorToRGB(FFont->Color()));
  SetBkColor(DC, ColorToRGB(FBrush->Color()));
  SetBkMode(DC, FBrush->Style() == bsClear ? TRANSPARENT : OPAQUE);
  SetROP2(DC, Rop2Of(FPen->Mode()));
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::Changing() {
  if (OnChanging) {
    OnChanging(this);
  }
}

void TCanvas::Changed() {
  if (OnChange) {
    OnChange(this);
  }
}

TPoint TCanvas::PenPos() {
  TPoint P;
  GetCurrentPositionEx(Handle(), &P);
  return P;
}

TRect TCanvas::ClipRect() {
  TRect R;
  GetClipBox(Handle(), &R);
  return R;
}

void TCanvas::Lock() {
  CanvasLock().lock();
  ++FLockCount;
}

void TCanvas::Unlock() {
  --FLockCount;
  CanvasLock().unlock();
}

bool TCanvas::TryLock() {
  if (!CanvasLock().try_lock()) {
    return false;
  }
  ++FLockCount;
  return true;
}

void TCanvas::MoveTo(int X, int Y) { MoveToEx(Handle(), X, Y, nullptr); }

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequiredState();
  ::LineTo(FHandle, X, Y);
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState();
  ::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::FillRect(const TRect& R) {
  Changing();
  RequiredState();
  ::FillRect(FHandle, &R, FBrush->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& R) {
  Changing();
  RequiredState();
  ::FrameRect(FHandle, &R, FBrush->Handle());
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
  Changing();
  RequiredState();
  ::Polygon(FHandle, Points.data(), static_cast<int>(Points.size()));
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  Changing();
  RequiredState();
  ::Polyline(FHandle, Points.data(), static_cast<int>(Points.size()));
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState();
  ::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Changing();
  RequiredState();
  ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  Changing();
  RequiredState();
  ::ExtTextOut(FHandle, X, Y, 0, nullptr, Text.data(), static_cast<UINT>(Text.size()), nullptr);
  // The pen position follows the text, as the class library's canvas does.
  TSize Sz;
  GetTextExtentPoint32(FHandle, Text.data(), static_cast<int>(Text.size()), &Sz);
  MoveToEx(FHandle, X + Sz.cx, Y, nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
  Changing();
  RequiredState();
  UINT Options = ETO_CLIPPED | (FBrush->Style() != bsClear ? ETO_OPAQUE : 0);
  ::ExtTextOut(FHandle, X, Y, Options, &R, Text.data(), static_cast<UINT>(Text.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const std::string& Text) {
  RequiredState();
  TSize Sz;
  GetTextExtentPoint32(FHandle, Text.data(), static_cast<int>(Text.size()), &Sz);
  return Sz;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (Graphic && !Graphic->Empty()) {
    Changing();
    RequiredState();
    Graphic->Draw(this, Rect(X, Y, X + Graphic->Width(), Y + Graphic->Height()));
    Changed();
  }
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic) {
  if (Graphic && !Graphic->Empty()) {
    Changing();
    RequiredState();
    Graphic->Draw(this, R);
    Changed();
  }
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  Changing();
  RequiredState();
  Canvas->RequiredState();
  StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Canvas->Handle(), Source.Left, Source.Top,
             Source.Width(), Source.Height(), static_cast<DWORD>(CopyMode));
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& R) {
  Changing();
  RequiredState();
  ::DrawFocusRect(FHandle, &R);
  Changed();
}

TColor TCanvas::Pixels(int X, int Y) {
  COLORREF C = GetPixel(Handle(), X, Y);
  return static_cast<TColor>(C);  // CLR_INVALID (-1) outside the clip area
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  SetPixel(Handle(), X, Y, ColorToRGB(Value));
  Changed();
}
