// The ruler control: scale, margin bands and sliders, painted into a back bitmap, and the dragging of bands
// and sliders with a guide line across the parent.
#include "editor/Easyruler.h"

#include "editor/Easypages.h"
#include "platform/graphics/Cursors.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <climits>

Z_IMPLEMENT_CLASS(TEasyRulerIndentation, TCollectionItem)
Z_IMPLEMENT_CLASS(TEasyRulerSlider, TCollectionItem)
Z_IMPLEMENT_CLASS(TFirstRulerSlider, TEasyRulerSlider)
Z_IMPLEMENT_CLASS(TLeftRulerSlider, TEasyRulerSlider)
Z_IMPLEMENT_CLASS(TRightRulerSlider, TEasyRulerSlider)
Z_IMPLEMENT_CLASS(TBottomRulerSlider, TEasyRulerSlider)
Z_IMPLEMENT_CLASS(TEasyRulerSliders, TOwnedCollection)
Z_IMPLEMENT_CLASS(TEasyRulerIndentations, TOwnedCollection)
Z_IMPLEMENT_CLASS(TEasyRuler, TCustomControl)

namespace {

constexpr int Thickness = 26;

bool PtInRect(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}
constexpr int MinGap = 40;

// A five-point shape in R: a rectangle with a pointed end, pointing down or up.
void PaintArrow(TCanvas* C, const TRect& R, TEasySliderOrientation Pointing) {
  const int Mid = (R.Left + R.Right - 1) / 2;
  const int Half = (R.Bottom - R.Top) / 2;
  if (Pointing == toDown) {
    C->Polygon({TPoint{R.Left, R.Top}, TPoint{R.Right - 1, R.Top}, TPoint{R.Right - 1, R.Top + Half},
                TPoint{Mid, R.Bottom - 1}, TPoint{R.Left, R.Top + Half}});
  } else {
    C->Polygon({TPoint{Mid, R.Top}, TPoint{R.Right - 1, R.Top + Half}, TPoint{R.Right - 1, R.Bottom - 1},
                TPoint{R.Left, R.Bottom - 1}, TPoint{R.Left, R.Top + Half}});
  }
}

}  // namespace

void TEasyRulerSlider::PaintToCanvas(TCanvas* Canvas, const TRect& R, TEasySliderOrientation P) {
  PaintArrow(Canvas, R, P);
}
void TFirstRulerSlider::PaintToCanvas(TCanvas* Canvas, const TRect& R, TEasySliderOrientation P) {
  PaintArrow(Canvas, R, P);
}
void TLeftRulerSlider::PaintToCanvas(TCanvas* Canvas, const TRect& R, TEasySliderOrientation P) {
  PaintArrow(Canvas, R, P);
}
void TRightRulerSlider::PaintToCanvas(TCanvas* Canvas, const TRect& R, TEasySliderOrientation P) {
  PaintArrow(Canvas, R, P);
}
void TBottomRulerSlider::PaintToCanvas(TCanvas* Canvas, const TRect& R, TEasySliderOrientation) {
  Canvas->Rectangle(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
}

TEasyRulerSliders::TEasyRulerSliders(TPersistent* AOwner) : TOwnedCollection(AOwner, TEasyRulerSlider::StaticClass()) {}
TEasyRulerIndentations::TEasyRulerIndentations(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TEasyRulerIndentation::StaticClass()) {}

// ---- construction ----

TEasyRuler::TEasyRuler(TComponent* AOwner)
    : TCustomControl(AOwner),
      FSliders(std::make_unique<TEasyRulerSliders>(this)),
      FIndentations(std::make_unique<TEasyRulerIndentations>(this)),
      FRulerFont(std::make_unique<TFont>()),
      FBackBitmap(std::make_unique<TBitmap>()) {
  ControlStyle.Include(csCaptureMouse);
  ControlStyle.Include(csOpaque);
  FOptions = TEasyRulerOptions{roDiscrete, roShowSliders, roDrawMoveLine};
  static_cast<TEasyRulerIndentation*>(FIndentations->Add())->Side = ioLeft;
  static_cast<TEasyRulerIndentation*>(FIndentations->Add())->Side = ioRight;
  FRulerFont->SetName("Times New Roman");
  FRulerFont->SetSize(7);
  FRulerFont->OnChange = [this](TObject*) { FontChanged(); };
  FontChanged();
  FPixelsPerMark = 8;
  UpdateOrientation(roHorizontal);
}

TEasyRuler::~TEasyRuler() {
  if (FRotatedFont != 0) {
    DeleteObject(FRotatedFont);
  }
}

void TEasyRuler::FontChanged() {
  if (FRotatedFont != 0) {
    DeleteObject(FRotatedFont);
  }
  LOGFONT L{};
  GetObject(FRulerFont->Handle(), sizeof(L), &L);
  L.lfEscapement = 900;
  L.lfOrientation = 900;
  FRotatedFont = CreateFontIndirect(&L);
  Invalidate();
}

// ---- properties ----

void TEasyRuler::SetOrientation(TEasyRulerOrientation Value) {
  if (Value != FOrientation) {
    FOrientation = Value;
    UpdateOrientation(Value);
    Invalidate();
  }
}

void TEasyRuler::UpdateOrientation(TEasyRulerOrientation O) {
  FSliders->Clear();
  if (O == roVertical) {
    SetBounds(Left(), Top(), Thickness, 400);
  } else {
    SetBounds(Left(), Top(), 400, Thickness);
    FPageStart = 0;
    FPageEnd = 400;
    UpdateSliders();
  }
}

void TEasyRuler::UpdateSliders() {
  FSliders->Clear();
  if (FOrientation == roVertical || !FOptions.Contains(roShowSliders)) {
    return;
  }
  auto Add = [](TEasyRulerSlider* S, TEasyRulerSliderType Type, TEasySliderOrientation P, int Top, bool Right) {
    S->AfterConstruction();
    S->Type = Type;
    S->Pointing = P;
    S->Top = Top;
    S->AnchorRight = Right;
  };
  const int H = Height();
  Add(new TFirstRulerSlider(FSliders.get()), rtFirst, toDown, 3, false);
  Add(new TRightRulerSlider(FSliders.get()), rtRight, toDown, H - 15, true);
  Add(new TLeftRulerSlider(FSliders.get()), rtLeft, toUp, H - 15, false);
  Add(new TBottomRulerSlider(FSliders.get()), rtBottom, toUp, H - 8, false);
}

void TEasyRuler::SetPageStart(int Value) {
  if (Value != FPageStart) {
    FPageStart = Value;
    Invalidate();
  }
}

void TEasyRuler::SetPageEnd(int Value) {
  if (Value != FPageEnd) {
    FPageEnd = Value;
    Invalidate();
  }
}

void TEasyRuler::SetOptions(TEasyRulerOptions Value) {
  if (Value == FOptions) {
    return;
  }
  const bool Sliders = Value.Contains(roShowSliders) != FOptions.Contains(roShowSliders);
  FOptions = Value;
  if (Sliders) {
    UpdateSliders();
  }
  Invalidate();
}

void TEasyRuler::SetUnits(TEasyRulerUnits Value) {
  if (Value != FUnits) {
    FUnits = Value;
    Invalidate();
  }
}

void TEasyRuler::SetPixelsPerMark(int Value) {
  Value = std::max(Value, 1);
  if (Value != FPixelsPerMark) {
    FPixelsPerMark = Value;
    if (FUnits == erPixels || FUnits == erCharacters) {
      Invalidate();
    }
  }
}

int TEasyRuler::LeftPageIndent() const {
  return FIndentations->Count() > 0 ? FIndentations->Indentation(0)->Indent() : 0;
}
void TEasyRuler::SetLeftPageIndent(int Value) {
  if (FIndentations->Count() > 0) {
    FIndentations->Indentation(0)->SetIndent(Value);
  }
}
int TEasyRuler::RightPageIndent() const {
  return FIndentations->Count() > 1 ? FIndentations->Indentation(1)->Indent() : 0;
}
void TEasyRuler::SetRightPageIndent(int Value) {
  if (FIndentations->Count() > 1) {
    FIndentations->Indentation(1)->SetIndent(Value);
  }
}

// ---- geometry ----

int TEasyRuler::IndentationPos(TEasyRulerIndentation* I) const {
  return I->Side == ioRight ? FPageEnd - I->Indent() : FPageStart + I->Indent();
}

int TEasyRuler::SliderPos(TEasyRulerSlider* S) const {
  return S->AnchorRight ? FPageEnd - S->Indent() - RightPageIndent() : LeftPageIndent() + FPageStart + S->Indent();
}

TRect TEasyRuler::SliderBoundsRect(TEasyRulerSlider* S) const {
  const int P = SliderPos(S);
  return Rect(P - 5, S->Top, P + 5, S->Top + 8);
}

TRect TEasyRuler::IndentationBoundsRect(TEasyRulerIndentation* I) const {
  const int A = I->Side == ioRight ? FPageEnd - I->Indent() : FPageStart;
  const int B = I->Side == ioRight ? FPageEnd : FPageStart + I->Indent();
  return FOrientation == roVertical ? Rect(0, A, Width(), B) : Rect(A, 0, B, Height());
}

TRect TEasyRuler::IndentationHitRect(TEasyRulerIndentation* I) const {
  const int P = IndentationPos(I);
  return FOrientation == roVertical ? Rect(0, P - 4, Width(), P + 4) : Rect(P - 4, 0, P + 4, Height());
}

int TEasyRuler::GetDiscreteInterval(int D) const {
  if (!FOptions.Contains(roDiscrete)) {
    return D;
  }
  const int Dpi = ScreenPixelsPerInch().X;
  switch (FUnits) {
    case erMilimeters: {
      // Whole 2.5 mm marks, counted exactly: n marks span n * 25 * dpi / 254 pixels.
      const int N = static_cast<int>(static_cast<long long>(D) * 254 / (25LL * Dpi));
      return static_cast<int>(static_cast<long long>(N) * 25 * Dpi / 254);
    }
    case erInches: {
      const int Step = std::max(Dpi / 4, 1);
      return D / Step * Step;
    }
    default: return D / FPixelsPerMark * FPixelsPerMark;
  }
}

int TEasyRuler::MarkDistance(int N) const {
  const int Dpi = ScreenPixelsPerInch().X;
  switch (FUnits) {
    case erMilimeters: return MulDiv(N * 25, Dpi, 254);
    case erInches: return MulDiv(N, Dpi, 4);
    case erPixels: return N * FPixelsPerMark;
    case erCharacters: return N * FPixelsPerMark + FPixelsPerMark / 2;
  }
  return 0;
}

int TEasyRuler::GetMaxLeftIndent() const {
  int Result = INT_MIN;
  for (int I = 0; I < FSliders->Count(); ++I) {
    TEasyRulerSlider* S = FSliders->Slider(I);
    if (!S->AnchorRight) {
      Result = std::max(Result, LeftPageIndent() + FPageStart + S->Indent() + MinGap);
    }
  }
  return Result;
}

int TEasyRuler::GetMinRightIndent() const {
  int Result = INT_MAX;
  for (int I = 0; I < FSliders->Count(); ++I) {
    TEasyRulerSlider* S = FSliders->Slider(I);
    if (S->AnchorRight) {
      Result = std::min(Result, FPageEnd - RightPageIndent() - S->Indent() - MinGap);
    }
  }
  return Result;
}

TEasyRulerSlider* TEasyRuler::FindSlider(TEasyRulerSliderType Type) const {
  for (int I = 0; I < FSliders->Count(); ++I) {
    if (FSliders->Slider(I)->Type == Type) {
      return FSliders->Slider(I);
    }
  }
  return nullptr;
}

void TEasyRuler::UpdateIndent(int Value, TEasyRulerSliderType Type) {
  for (int I = 0; I < FSliders->Count(); ++I) {
    TEasyRulerSlider* S = FSliders->Slider(I);
    if (S->Type != Type) {
      continue;
    }
    Invalidate();
    if (Type == rtFirst) {
      S->SetIndent(S->Indent() + Value);
    } else if (Type == rtLeft || Type == rtBottom) {
      S->SetIndent(Value);
    }
    Invalidate();
  }
}

// ---- dragging ----

void TEasyRuler::SliderMove(int X) {
  for (int I = 0; I < FSliders->Count(); ++I) {
    TEasyRulerSlider* S = FSliders->Slider(I);
    if (!S->Pressed) {
      continue;
    }
    const int Origin = FPageStart + LeftPageIndent();
    if (S->AnchorRight) {
      X = std::max(X, GetMaxLeftIndent());
      S->SetIndent(FPageEnd - RightPageIndent() - FPageStart - LeftPageIndent() - GetDiscreteInterval(X - Origin));
    } else {
      X = std::min(X, GetMinRightIndent());
      const int Old = S->Indent();
      S->SetIndent(GetDiscreteInterval(X - Origin));
      if (S->Type == rtLeft) {
        if (TEasyRulerSlider* Box = FindSlider(rtBottom)) {
          Box->SetIndent(S->Indent());
        }
      } else if (S->Type == rtBottom) {
        if (TEasyRulerSlider* L = FindSlider(rtLeft)) {
          L->SetIndent(S->Indent());
        }
        if (TEasyRulerSlider* F = FindSlider(rtFirst)) {
          F->SetIndent(F->Indent() + S->Indent() - Old);
        }
      }
    }
    DrawLine(SliderPos(S));
    Invalidate();
    return;
  }
}

void TEasyRuler::IndentationMove(int X, int Y) {
  const int Coord = FOrientation == roVertical ? Y : X;
  for (int I = 0; I < FIndentations->Count(); ++I) {
    TEasyRulerIndentation* Ind = FIndentations->Indentation(I);
    if (!Ind->Pressed) {
      continue;
    }
    int Value = 0;
    if (Ind->Side == ioRight) {
      const int Prev = I > 0 ? FIndentations->Indentation(I - 1)->Indent() : 0;
      Value = std::min(FPageEnd - Coord, FPageEnd - Prev - FPageStart - MinGap);
    } else {
      const int Next = I + 1 < FIndentations->Count() ? FIndentations->Indentation(I + 1)->Indent() : 0;
      Value = std::min(Coord, FPageEnd - Next - MinGap) - FPageStart;
    }
    Ind->SetIndent(GetDiscreteInterval(std::max(Value, 2)));
    DrawLine(IndentationPos(Ind));
    Invalidate();
    return;
  }
}

void TEasyRuler::DrawLine(int Pos) {
  if (!FOptions.Contains(roDrawMoveLine)) {
    return;
  }
  auto* P = dynamic_cast<TCustomControl*>(Parent());
  if (P == nullptr || !P->HandleAllocated()) {
    return;
  }
  HDC DC = GetDC(P->Handle());
  const int OldRop = SetROP2(DC, R2_NOT);
  HPEN Pen = CreatePen(PS_DOT, 1, ColorToRGB(clWindowText));
  HGDIOBJ OldPen = SelectObject(DC, Pen);
  auto Line = [&](int At) {
    if (FOrientation == roVertical) {
      const int Y = Top() + At;
      MoveToEx(DC, Left() + Width(), Y, nullptr);
      LineTo(DC, P->ClientWidth(), Y);
    } else {
      const int X = Left() + At;
      MoveToEx(DC, X, Top() + Height(), nullptr);
      LineTo(DC, X, P->ClientHeight());
    }
  };
  if (FGuidePos >= 0) {
    Line(FGuidePos);  // inverting again erases the old line
  }
  FGuidePos = Pos;
  if (Pos >= 0) {
    Line(Pos);
  }
  SelectObject(DC, OldPen);
  DeleteObject(Pen);
  SetROP2(DC, OldRop);
  ReleaseDC(P->Handle(), DC);
}

void TEasyRuler::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) {
    return;
  }
  FGuidePos = -1;
  const TPoint P{X, Y};
  for (int I = 0; I < FSliders->Count(); ++I) {
    TEasyRulerSlider* S = FSliders->Slider(I);
    if (PtInRect(SliderBoundsRect(S), P)) {
      S->Pressed = true;
      Cursor = crDefault;
      return;
    }
  }
  for (int I = 0; I < FIndentations->Count(); ++I) {
    TEasyRulerIndentation* Ind = FIndentations->Indentation(I);
    if (PtInRect(IndentationHitRect(Ind), P)) {
      Ind->Pressed = true;
      return;
    }
  }
}

void TEasyRuler::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  bool OverBand = false;
  if (!FOptions.Contains(roFixedIndents)) {
    for (int I = 0; I < FIndentations->Count(); ++I) {
      if (PtInRect(IndentationHitRect(FIndentations->Indentation(I)), TPoint{X, Y})) {
        OverBand = true;
      }
    }
  }
  Cursor = OverBand ? (FOrientation == roVertical ? crSizeNS : crSizeWE) : crDefault;
  if (!Shift.Contains(ssLeft)) {
    return;
  }
  for (int I = 0; I < FSliders->Count(); ++I) {
    if (FSliders->Slider(I)->Pressed) {
      SliderMove(X);
      return;
    }
  }
  if (!FOptions.Contains(roFixedIndents)) {
    IndentationMove(X, Y);
  }
}

void TEasyRuler::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) {
    return;
  }
  DrawLine(-1);
  for (int I = 0; I < FSliders->Count(); ++I) {
    TEasyRulerSlider* S = FSliders->Slider(I);
    if (S->Pressed) {
      S->Pressed = false;
      if (OnChange) {
        OnChange(this, S);
      }
    }
  }
  for (int I = 0; I < FIndentations->Count(); ++I) {
    TEasyRulerIndentation* Ind = FIndentations->Indentation(I);
    if (Ind->Pressed) {
      Ind->Pressed = false;
      if (OnChange) {
        OnChange(this, Ind);
      }
    }
  }
}

// ---- painting ----

void TEasyRuler::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  TCustomControl::Dispatch(Message);
}

void TEasyRuler::Paint() {
  FBackBitmap->SetSize(std::max(Width(), 1), std::max(Height(), 1));
  PaintTo(FBackBitmap.get());
  Canvas()->Draw(0, 0, FBackBitmap.get());
}

void TEasyRuler::PaintTo(TBitmap* Target) {
  const int W = std::max(Width(), 1);
  const int H = std::max(Height(), 1);
  Target->SetSize(W, H);
  TCanvas* C = Target->Canvas();
  const bool Vertical = FOrientation == roVertical;
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clWindow);
  C->FillRect(Rect(0, 0, W, H));
  for (int I = 0; I < FIndentations->Count(); ++I) {
    TEasyRulerIndentation* Ind = FIndentations->Indentation(I);
    const TRect Band = IndentationBoundsRect(Ind);
    C->Brush()->SetColor(clBtnShadow);
    C->FillRect(Band);
    const int P = IndentationPos(Ind);
    const int A = Ind->Side == ioRight ? P : P - 2;
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Vertical ? Rect(0, A, W, A + 2) : Rect(A, 0, A + 2, H));
  }
  C->Brush()->SetColor(clBtnFace);
  if (Vertical) {
    C->FillRect(Rect(0, 0, 5, H));
    C->FillRect(Rect(W - 7, 0, W, H));
    C->FillRect(Rect(0, 0, W, std::max(FPageStart, 0)));
    C->FillRect(Rect(0, FPageEnd, W, H));
  } else {
    C->FillRect(Rect(0, 0, W, 5));
    C->FillRect(Rect(0, H - 7, W, H));
    C->FillRect(Rect(0, 0, std::max(FPageStart, 0), H));
    C->FillRect(Rect(FPageEnd, 0, W, H));
  }
  PaintMarks(C);
  if (!Vertical) {
    C->Pen()->SetColor(clWindowText);
    C->Brush()->SetColor(clBtnFace);
    for (int I = 0; I < FSliders->Count(); ++I) {
      TEasyRulerSlider* S = FSliders->Slider(I);
      S->PaintToCanvas(C, SliderBoundsRect(S), S->Pointing);
    }
  }
}

void TEasyRuler::PaintMarks(TCanvas* C) {
  const bool Vertical = FOrientation == roVertical;
  HDC DC = C->Handle();
  const int OldMode = SetBkMode(DC, TRANSPARENT);
  C->Font()->Assign(FRulerFont.get());
  HGDIOBJ OldFont = Vertical ? SelectObject(DC, FRotatedFont) : HGDIOBJ(0);
  const int Origin = LeftPageIndent() + FPageStart;
  auto Mark = [&](int N, int Pos) {
    std::string Text;
    if (N % 2 == 1) {
      Text = std::string(1, static_cast<char>(183));
    } else if (N % 4 == 2) {
      Text = "|";
    } else {
      Text = std::to_string(FUnits == erCharacters ? N : N / 4);
    }
    TSize S{0, 0};
    GetTextExtentPoint32(DC, Text.data(), static_cast<int>(Text.size()), &S);
    if (Vertical) {
      // Turned text runs upwards from its origin.
      TextOut(DC, 6, Pos + S.cx / 2, Text.data(), static_cast<int>(Text.size()));
    } else {
      TextOut(DC, Pos - S.cx / 2, 6, Text.data(), static_cast<int>(Text.size()));
    }
  };
  for (int N = 1;; ++N) {
    const int Pos = Origin + MarkDistance(N);
    if (Pos >= FPageEnd || MarkDistance(N) <= 0) {
      break;
    }
    Mark(N, Pos);
  }
  for (int N = 1;; ++N) {
    const int Pos = Origin - MarkDistance(N);
    if (Pos <= FPageStart || MarkDistance(N) <= 0) {
      break;
    }
    Mark(N, Pos);
  }
  if (OldFont != 0) {
    SelectObject(DC, OldFont);
  }
  SetBkMode(DC, OldMode);
}
