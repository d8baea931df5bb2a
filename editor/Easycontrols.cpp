// Drawing routines, the control background and the timer component.
#include "editor/Easycontrols.h"

#include "platform/controls/Forms.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>
#include <cstdlib>

Z_IMPLEMENT_CLASS_PUBLISHED(TEasyControlBackground, TPersistent, TEasyControlBackground::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyTimer, TComponent, TEasyTimer::Publish)

bool IsMonoFont(TFont* Font) {
  HDC DC = CreateCompatibleDC(0);
  HGDIOBJ Old = SelectObject(DC, Font->Handle());
  TEXTMETRIC Tm;
  GetTextMetrics(DC, &Tm);
  SelectObject(DC, Old);
  DeleteDC(DC);
  return (Tm.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
}

void PaintBoundingRect(TCanvas* Canvas, const TRect& Outer, const TRect& Inner, TColor Color) {
  const TColor OldColor = Canvas->Brush()->Color();
  const TBrushStyle OldStyle = Canvas->Brush()->Style();
  Canvas->Brush()->SetColor(Color);
  Canvas->Brush()->SetStyle(bsSolid);
  const TRect Bands[4] = {
      Rect(Outer.Left, Outer.Top, Inner.Left, Outer.Bottom), Rect(Inner.Right, Outer.Top, Outer.Right, Outer.Bottom),
      Rect(Inner.Left, Outer.Top, Inner.Right, Inner.Top), Rect(Inner.Left, Inner.Bottom, Inner.Right, Outer.Bottom)};
  for (TRect B : Bands) {
    B.Left = std::max(B.Left, Outer.Left);
    B.Top = std::max(B.Top, Outer.Top);
    B.Right = std::min(B.Right, Outer.Right);
    B.Bottom = std::min(B.Bottom, Outer.Bottom);
    if (B.Right > B.Left && B.Bottom > B.Top) {
      Canvas->FillRect(B);
    }
  }
  Canvas->Brush()->SetColor(OldColor);
  Canvas->Brush()->SetStyle(OldStyle);
}

std::vector<TPoint> LiveSpellPoints(const TRect& R) {
  const int Left = R.Left >= 0 ? R.Left / 6 * 6 : -((-R.Left + 5) / 6 * 6);
  const int Right = R.Right >= 0 ? (R.Right + 5) / 6 * 6 : -(-R.Right / 6 * 6);
  const int N = (Right - Left) / 2;
  const int Count = N < 4 ? 4 : 4 + 3 * ((N - 4 + 2) / 3);
  std::vector<TPoint> Points;
  Points.reserve(static_cast<std::size_t>(Count));
  static const int Offsets[3] = {-2, 0, 2};
  for (int I = 0; I < Count; ++I) {
    Points.push_back(TPoint{Left + 2 * I, R.Bottom - 1 + Offsets[I % 3]});
  }
  return Points;
}

void DrawLiveSpell(TCanvas* Canvas, const TRect& R, TColor Color) {
  const std::vector<TPoint> Control = LiveSpellPoints(R);
  // The layer draws polylines, so each cubic segment is flattened into short lines.
  std::vector<TPoint> Line;
  Line.push_back(Control[0]);
  for (std::size_t I = 0; I + 3 < Control.size(); I += 3) {
    const TPoint& P0 = Control[I];
    const TPoint& P1 = Control[I + 1];
    const TPoint& P2 = Control[I + 2];
    const TPoint& P3 = Control[I + 3];
    constexpr int Steps = 6;
    for (int S = 1; S <= Steps; ++S) {
      const double T = static_cast<double>(S) / Steps;
      const double U = 1 - T;
      const double X = U * U * U * P0.X + 3 * U * U * T * P1.X + 3 * U * T * T * P2.X + T * T * T * P3.X;
      const double Y = U * U * U * P0.Y + 3 * U * U * T * P1.Y + 3 * U * T * T * P2.Y + T * T * T * P3.Y;
      Line.push_back(TPoint{static_cast<int>(X + 0.5), static_cast<int>(Y + 0.5)});
    }
  }
  TPen* Pen = Canvas->Pen();
  const TColor OldColor = Pen->Color();
  const int OldWidth = Pen->Width();
  const TPenStyle OldStyle = Pen->Style();
  Pen->SetColor(Color);
  Pen->SetWidth(1);
  Pen->SetStyle(psSolid);
  Canvas->Polyline(Line);
  Pen->SetColor(OldColor);
  Pen->SetWidth(OldWidth);
  Pen->SetStyle(OldStyle);
}

void PaintGradient(TCanvas* Canvas, int Width, int Height, TColor StartColor, TColor EndColor, bool Vertical) {
  if (Width <= 0 || Height <= 0) {
    return;
  }
  const COLORREF S = ColorToRGB(StartColor);
  const COLORREF E = ColorToRGB(EndColor);
  const int R0 = GetRValue(S), G0 = GetGValue(S), B0 = GetBValue(S);
  const int DR = GetRValue(E) - R0, DG = GetGValue(E) - G0, DB = GetBValue(E) - B0;
  const int Steps = std::max({std::abs(DR), std::abs(DG), std::abs(DB)}) + 1;
  const int Total = Vertical ? Height : Width;
  const int Band = Total / Steps + 1;
  const TColor OldColor = Canvas->Brush()->Color();
  TRect R = Vertical ? Rect(0, 0, Width, Band) : Rect(0, 0, Band, Height);
  for (int I = 0; I < Steps; ++I) {
    const int Red = R0 + static_cast<int>(static_cast<long long>(I) * DR * Band / Total);
    const int Green = G0 + static_cast<int>(static_cast<long long>(I) * DG * Band / Total);
    const int Blue = B0 + static_cast<int>(static_cast<long long>(I) * DB * Band / Total);
    Canvas->Brush()->SetColor(static_cast<TColor>(RGB(static_cast<BYTE>(Red), static_cast<BYTE>(Green),
                                                      static_cast<BYTE>(Blue))));
    Canvas->FillRect(R);
    if (Vertical) {
      R.Top += Band;
      R.Bottom += Band;
      if (R.Top > Total) {
        break;
      }
    } else {
      R.Left += Band;
      R.Right += Band;
      if (R.Left > Total) {
        break;
      }
    }
  }
  Canvas->Brush()->SetColor(OldColor);
}

void PaintGutterLine(TCanvas* Canvas, const TRect& R, int X, TColor Color, TPen* Pen) {
  TPen* CanvasPen = Canvas->Pen();
  const TColor OldColor = CanvasPen->Color();
  const int OldWidth = CanvasPen->Width();
  const TPenStyle OldStyle = CanvasPen->Style();
  CanvasPen->Assign(Pen);
  Canvas->MoveTo(X + 1, R.Top);
  Canvas->LineTo(X + 1, R.Bottom + 1);
  CanvasPen->SetColor(Color);
  Canvas->MoveTo(X, R.Top);
  Canvas->LineTo(X, R.Bottom + 1);
  CanvasPen->SetColor(OldColor);
  CanvasPen->SetWidth(OldWidth);
  CanvasPen->SetStyle(OldStyle);
}

// ---- TEasyControlBackground ----

TEasyControlBackground::TEasyControlBackground(TWinControl* AControl)
    : FControl(AControl), FBitmap(std::make_unique<TBitmap>()), FWorkBitmap(std::make_unique<TBitmap>()) {
  FBitmap->OnChange = [this](TObject* Sender) { BitmapChanged(Sender); };
}

TEasyControlBackground::~TEasyControlBackground() { FBitmap->OnChange = nullptr; }

void TEasyControlBackground::Publish(TMetaClass& Meta) {
  TPublisher<TEasyControlBackground> P(Meta);
  P.Property("Bitmap", &TEasyControlBackground::Bitmap, &TEasyControlBackground::SetBitmap);
  P.Property("Option", &TEasyControlBackground::Option, &TEasyControlBackground::SetOption).Default(bgNone);
  P.Property("GradientStartColor", &TEasyControlBackground::GradientStartColor,
             &TEasyControlBackground::SetGradientStartColor)
      .Type(TypeInfoColor())
      .Default(0xFF0000);
  P.Property("GradientEndColor", &TEasyControlBackground::GradientEndColor,
             &TEasyControlBackground::SetGradientEndColor)
      .Type(TypeInfoColor())
      .Default(0);
}

void TEasyControlBackground::Assign(TPersistent* Source) {
  if (auto* B = dynamic_cast<TEasyControlBackground*>(Source)) {
    BeginUpdate();
    try {
      SetBitmap(B->Bitmap());
      SetOption(B->Option());
      SetGradientStartColor(B->GradientStartColor());
      SetGradientEndColor(B->GradientEndColor());
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TEasyControlBackground::SetBitmap(TBitmap* Value) { FBitmap->Assign(Value); }

void TEasyControlBackground::BitmapChanged(TObject*) { BackgroundChanged(); }

void TEasyControlBackground::SetOption(TEasyBackgroundOption Value) {
  if (Value != FOption) {
    FOption = Value;
    BackgroundChanged();
    if (FControl) {
      FControl->Invalidate();
    }
  }
}

void TEasyControlBackground::SetGradientStartColor(TColor Value) {
  if (Value != FGradientStartColor) {
    FGradientStartColor = Value;
    BackgroundChanged();
  }
}

void TEasyControlBackground::SetGradientEndColor(TColor Value) {
  if (Value != FGradientEndColor) {
    FGradientEndColor = Value;
    BackgroundChanged();
  }
}

void TEasyControlBackground::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) {
    BackgroundChanged();
  }
}

void TEasyControlBackground::BackgroundChanged() {
  if (FUpdateCount > 0) {
    return;
  }
  if (NeedPaint()) {
    Paint();
  } else if (FControl) {
    FControl->Invalidate();
  }
}

bool TEasyControlBackground::NeedPaint() {
  const TRect R = GetPaintRect();
  if (R.Right <= R.Left || R.Bottom <= R.Top) {
    return false;
  }
  switch (FOption) {
    case bgHorzGradient:
    case bgVertGradient: return true;
    case bgStretch:
    case bgCenter:
    case bgTile: return FBitmap->Width() > 0 && FBitmap->Height() > 0 && !FBitmap->Empty();
    case bgNone: break;
  }
  return false;
}

TRect TEasyControlBackground::GetPaintRect() {
  if (FControl == nullptr || !FControl->HandleAllocated()) {
    return TRect{};
  }
  return FControl->ClientRect();
}

TBrush* TEasyControlBackground::GetPaintBrush() {
  if (auto* C = dynamic_cast<TCustomControl*>(FControl)) {
    return C->Canvas()->Brush();
  }
  return nullptr;
}

void TEasyControlBackground::Paint() {
  if (!NeedPaint()) {
    return;
  }
  const TRect R = GetPaintRect();
  FWorkBitmap->SetSize(R.Right, R.Bottom);
  TCanvas* C = FWorkBitmap->Canvas();
  const int W = FWorkBitmap->Width();
  const int H = FWorkBitmap->Height();
  switch (FOption) {
    case bgStretch: C->StretchDraw(R, FBitmap.get()); break;
    case bgCenter: {
      if (TBrush* B = GetPaintBrush()) {
        C->Brush()->Assign(B);
      }
      C->FillRect(Rect(0, 0, W, H));
      C->Draw(R.Left + (W - R.Left - FBitmap->Width()) / 2, R.Top + (H - FBitmap->Height()) / 2, FBitmap.get());
      break;
    }
    case bgTile: {
      const int BW = FBitmap->Width();
      const int BH = FBitmap->Height();
      const int Cols = (W - R.Left + BW - 1) / BW;
      const int Rows = (H + BH - 1) / BH;
      for (int I = 0; I <= Cols; ++I) {
        for (int J = 0; J <= Rows; ++J) {
          C->Draw(R.Left + I * BW, J * BH, FBitmap.get());
        }
      }
      break;
    }
    case bgHorzGradient:
    case bgVertGradient:
      PaintGradient(C, W, H, FGradientStartColor, FGradientEndColor, FOption == bgVertGradient);
      break;
    case bgNone: break;
  }
  if (FControl) {
    FControl->Invalidate();
  }
}

// ---- TEasyTimer ----

TEasyTimer::TEasyTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindow = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
}

TEasyTimer::~TEasyTimer() {
  FEnabled = false;
  if (FRunning) {
    KillTimer(FWindow, 1);
  }
  DeallocateHWnd(FWindow);
}

void TEasyTimer::Publish(TMetaClass& Meta) {
  TPublisher<TEasyTimer> P(Meta);
  P.Property("Enabled", &TEasyTimer::Enabled, &TEasyTimer::SetEnabled).Default(true);
  P.Property("Interval", &TEasyTimer::Interval, &TEasyTimer::SetInterval).Default(1000u);
  P.Property("OnTimer", &TEasyTimer::OnTimer, &TEasyTimer::SetOnTimer);
}

void TEasyTimer::SetEnabled(bool Value) {
  if (Value != FEnabled) {
    FEnabled = Value;
    UpdateTimer();
  }
}

void TEasyTimer::SetInterval(Cardinal Value) {
  if (Value != FInterval) {
    FInterval = Value;
    UpdateTimer();
  }
}

void TEasyTimer::SetOnTimer(const TNotifyEvent& Value) {
  FOnTimer = Value;
  UpdateTimer();
}

void TEasyTimer::UpdateTimer() {
  KillTimer(FWindow, 1);
  FRunning = false;
  if (FInterval != 0 && FEnabled && FOnTimer) {
    if (SetTimer(FWindow, 1, FInterval, nullptr) == 0) {
      throw EOutOfResources("Not enough timers available");
    }
    FRunning = true;
  }
}

void TEasyTimer::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    try {
      Timer();
    } catch (const std::exception& E) {
      Application->HandleException(this, &E);
    }
    return;
  }
  Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
}

void TEasyTimer::Timer() {
  if (FOnTimer) {
    FOnTimer(this);
  }
}
