// The suite's hint component and its window.
#include "suitebase/Suitehint.h"

#include "platform/controls/Forms.h"
#include "platform/graphics/WinGdi.h"
#include "suitebase/Dccontrols.h"

#include <algorithm>

namespace Dccontrols {

Z_IMPLEMENT_CLASS(ZEZHintWindow, THintWindow)
Z_IMPLEMENT_CLASS_PUBLISHED(ZEZHint, TComponent, ZEZHint::Publish)

namespace {

std::unique_ptr<TFont> BoldCopy(TFont* Source) {
  auto F = std::make_unique<TFont>();
  F->Assign(Source);
  TFontStyles Style = F->Style();
  Style.Include(fsBold);
  F->SetStyle(Style);
  return F;
}

std::vector<std::string> SplitLines(const std::string& S) {
  std::vector<std::string> Out;
  std::size_t Start = 0;
  for (;;) {
    const std::size_t End = S.find("\r\n", Start);
    Out.push_back(S.substr(Start, End == std::string::npos ? std::string::npos : End - Start));
    if (End == std::string::npos) {
      break;
    }
    Start = End + 2;
  }
  if (Out.size() > 1 && Out.back().empty()) {
    Out.pop_back();  // a final line break ends the last line
  }
  return Out;
}

}  // namespace

// ---- ZEZHintWindow -----------------------------------------------------------------------------------------------

ZEZHintWindow::ZEZHintWindow(TComponent* AOwner) : THintWindow(AOwner), FBoldFont(BoldCopy(Canvas()->Font())) {}

ZEZHintWindow::~ZEZHintWindow() = default;

void ZEZHintWindow::CreateWnd() {
  THintWindow::CreateWnd();
  SetColor(Hints().HintColor);
  FBoldFont = BoldCopy(Canvas()->Font());
}

TPoint ZEZHintWindow::TextSize(const std::string& S) {
  FLines.clear();
  FLineHeights.clear();
  // Measured on a memory context: the window's canvas draws only while it paints.
  struct TMeasure {
    HDC DC = CreateCompatibleDC(0);
    TCanvas C;
    TMeasure() { C.SetHandle(DC); }
    ~TMeasure() {
      C.SetHandle(0);
      DeleteDC(DC);
    }
  } M;
  TCanvas* C = &M.C;
  C->SetFont(Font());
  if (S.find("\r\n") == std::string::npos) {
    return CalcStringSize(C, Font(), FBoldFont.get(), S);
  }
  TRect R{0, 0, 0, 0};
  DrawText(C->Handle(), S.c_str(), static_cast<int>(S.size()), &R, DT_CALCRECT | DT_NOPREFIX);
  TPoint Size{0, R.Height()};
  for (const std::string& Line : SplitLines(S)) {
    const TPoint L = CalcStringSize(C, Font(), FBoldFont.get(), Line);
    FLines.push_back(Line);
    FLineHeights.push_back(L.Y);
    Size.X = std::max<LONG>(Size.X, L.X + 8);
  }
  return Size;
}

void ZEZHintWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED) {
    THintWindow::Dispatch(Message);
    if (!FSizeLocked && HandleAllocated()) {
      const TPoint Size = TextSize(Caption());
      SetBounds(Left(), Top(), Size.X + 4, Size.Y + 4);
    }
    return;
  }
  THintWindow::Dispatch(Message);
}

void ZEZHintWindow::ActivateHint(TRect Rect, const std::string& AHint) {
  FSizeLocked = AHint == Caption();
  try {
    SetCaption(AHint);
  } catch (...) {
    FSizeLocked = false;
    throw;
  }
  FSizeLocked = false;
  Rect.Bottom += 4;
  SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  // Kept on the screen.
  const int ScreenW = GetSystemMetrics(SM_CXSCREEN);
  const int ScreenH = GetSystemMetrics(SM_CYSCREEN);
  int L = Left();
  int T = Top();
  if (T + Height() > ScreenH) {
    T = ScreenH - Height();
  }
  if (L + Width() > ScreenW) {
    L = ScreenW - Width();
  }
  L = std::max(L, 0);
  T = std::max(T, 0);
  SetBounds(L, T, Width(), Height());
  SetWindowPos(Handle(), HWND_TOPMOST, L, T, Width(), Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void ZEZHintWindow::Paint() {
  TCanvas* C = Canvas();
  C->Brush()->SetColor(Color());
  C->FillRect(ClientRect());
  C->Font()->Assign(Font());
  C->Font()->SetColor(clInfoText);
  FBoldFont->SetColor(clInfoText);
  TRect Area = ClientRect();
  Area.Left += 2;
  auto DrawLine = [&](const std::string& Line) {
    int BoldPos = 0;
    int BoldLen = 0;
    const std::string Plain = ExtractBoldPos(Line, BoldPos, BoldLen);
    DrawWithSelection(C, C->Font(), FBoldFont.get(), Area, Plain, BoldPos, BoldLen, lrLeftJustify);
  };
  if (!FLines.empty()) {
    for (std::size_t I = 0; I < FLines.size(); ++I) {
      DrawLine(FLines[I]);
      Area.Top += FLineHeights[I];
    }
  } else {
    DrawLine(Caption());
  }
  const HDC DC = GetWindowDC(Handle());
  DrawFrame(DC);
  ReleaseDC(Handle(), DC);
}

void ZEZHintWindow::NCPaint(HDC DC) { DrawFrame(DC); }

void ZEZHintWindow::DrawFrame(HDC DC) {
  TRect R{0, 0, Width(), Height()};
  DrawEdge(DC, &R, BDR_RAISEDOUTER, BF_RECT);
}

// ---- ZEZHint -------------------------------------------------------------------------------------------------------

ZEZHint::ZEZHint(TComponent* AOwner)
    : TComponent(AOwner), FHintWindow(new ZEZHintWindow(this)), FHintTimer(new TTimer(this)) {
  FHintTimer->SetEnabled(false);
  FHintTimer->SetInterval(50);
  FHintTimer->SetOnTimer([this](TObject*) { ExecHintTimer(); });
  FBoldFont = BoldCopy(FHintWindow->Canvas()->Font());
}

ZEZHint::~ZEZHint() = default;

void ZEZHint::Publish(TMetaClass& Meta) {
  TPublisher<ZEZHint> P(Meta);
  P.Property("AutoHide", &ZEZHint::AutoHide, &ZEZHint::AutoHide).Default(true);
  P.Property("Interval", &ZEZHint::Interval, &ZEZHint::SetInterval).Default(50);
  P.Property("Immediate", &ZEZHint::Immediate, &ZEZHint::Immediate).NoDefault();
  P.Property("BoldFont", &ZEZHint::BoldFont, &ZEZHint::SetBoldFont);
  P.Property("Visible", &ZEZHint::Visible, &ZEZHint::SetVisible).Default(false);
  P.Property("Caption", &ZEZHint::Caption, &ZEZHint::SetCaption);
  P.Property("OnVisibleChanged", &ZEZHint::OnVisibleChanged, &ZEZHint::OnVisibleChanged);
}

Cardinal ZEZHint::Interval() const { return FHintTimer->Interval(); }
void ZEZHint::SetInterval(Cardinal Value) { FHintTimer->SetInterval(Value); }

bool ZEZHint::Visible() const { return FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->Handle()); }

void ZEZHint::SetVisible(bool Value) {
  if (Value == Visible()) {
    return;
  }
  if (Value) {
    ActivateHint(FCaption);
  } else {
    CancelHint();
  }
}

void ZEZHint::SetCaption(const std::string& Value) {
  if (Value == FCaption) {
    return;
  }
  FCaption = Value;
  if (Visible()) {
    FHintWindow->SetCaption(Value);
    FHintWindow->Invalidate();
  }
}

void ZEZHint::SetBoldFont(TFont* Value) {
  FBoldFont->Assign(Value);
  FHintWindow->BoldFont()->Assign(FBoldFont.get());
}

TPoint ZEZHint::GetSize(const std::string& Text) {
  TPoint Size = FHintWindow->TextSize(Text);
  Size.X += 8;
  return Size;
}

void ZEZHint::ActivateHint(const std::string& Text) {
  TPoint P;
  GetCursorPos(&P);
  Activate(P, Text, 20);
}

void ZEZHint::ActivateHintAtPos(TPoint Point, const std::string& Text) { Activate(Point, Text, 0); }

void ZEZHint::Activate(TPoint Point, const std::string& Text, int Offset) {
  if (Text.empty()) {
    CancelHint();
    return;
  }
  const TPoint Size = FHintWindow->TextSize(Text);
  HintRect = TRect{Point.X, Point.Y, Point.X + Size.X + 8, Point.Y + Size.Y};
  FHintTimer->SetEnabled(true);
  HintState = 2;
  FCaption = Text;
  HintOffset = Offset;
  if (Immediate) {
    ExecHintTimer();
  }
}

void ZEZHint::CancelHint() {
  HideHintWindow();
  TickCount = 0;
  FHintTimer->SetEnabled(false);
}

void ZEZHint::HideHintWindow() {
  if (Visible()) {
    ShowWindow(FHintWindow->Handle(), SW_HIDE);
  }
  VisibleChanged();
}

void ZEZHint::DrawHintWindow() {
  const bool WasVisible = Visible();
  TRect R = HintRect;
  R.Top += HintOffset;
  R.Bottom += HintOffset;
  FHintWindow->ActivateHint(R, FCaption);
  if (!WasVisible) {
    VisibleChanged();
  }
}

void ZEZHint::VisibleChanged() {
  if (OnVisibleChanged) {
    OnVisibleChanged(this);
  }
}

bool ZEZHint::IsHintInRect(const TRect& Rect, const TPoint& Point) {
  const LONG Top = 2 * Rect.Top - Rect.Bottom;
  return Point.X >= Rect.Left && Point.X < Rect.Right && Point.Y >= Top && Point.Y < Rect.Bottom;
}

void ZEZHint::ExecHintTimer() {
  const int Elapsed = static_cast<int>(Interval()) * TickCount;
  TPoint Cursor;
  GetCursorPos(&Cursor);
  const bool Inside = IsHintInRect(HintRect, Cursor);
  switch (HintState) {
    case 2: {
      if (AutoHide && !Inside) {
        HintState = 1;
        break;
      }
      const int Pause = Visible() ? Hints().HintShortPause : Application->HintPause;
      if (Immediate || Elapsed >= Pause) {
        DrawHintWindow();
        TickCount = 0;
        HintState = 0;
      } else {
        ++TickCount;
      }
      break;
    }
    case 0:
      if (AutoHide && (!Inside || Elapsed > Application->HintHidePause)) {
        HideHintWindow();
        TickCount = 0;
        HintState = 1;
      } else {
        ++TickCount;
      }
      break;
    default:
      HideHintWindow();
      TickCount = 0;
      if (!Inside) {
        FHintTimer->SetEnabled(false);
      }
      break;
  }
}

}  // namespace Dccontrols
