// The formatted hint window and the hint component that shows it on its timer's ticks.
#include "editor/Easyhintwindow.h"

#include "platform/controls/Forms.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TEasyHintWindow, THintWindow)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyHint, TComponent, TEasyHint::Publish)

// ---- the window ----

TEasyHintWindow::TEasyHintWindow(TComponent* AOwner)
    : THintWindow(AOwner), FPainter(std::make_unique<TEasyRtfPainter>()) {}

TEasyHintWindow::~TEasyHintWindow() = default;

void TEasyHintWindow::CreateWnd() {
  THintWindow::CreateWnd();
  SetColor(Hints().HintColor);
}

TSize TEasyHintWindow::Measure(const std::string& Text) {
  FPainter->DestroyItems();
  FLines.clear();
  FPainter->AssignFont(Font());
  TSize Size{0, 0};
  std::size_t Start = 0;
  while (Start <= Text.size()) {
    std::size_t End = Text.find("\r\n", Start);
    if (End == std::string::npos) {
      End = Text.size();
    }
    const std::string Line = Text.substr(Start, End - Start);
    if (!Line.empty()) {
      TEasyRtfInfo* Head = FPainter->AddRtfString(Line);
      FLines.push_back(Head);
      Size.cx = std::max(Size.cx, Head->Width);
      Size.cy += Head->Height;
    }
    Start = End + 2;
  }
  return Size;
}

void TEasyHintWindow::SetHintText(const std::string& Text) {
  FSameText = FSameText || Text == Caption();
  SetCaption(Text);
  if (!FSameText || FLines.empty()) {
    const TSize Size = Measure(Text);
    if (HandleAllocated()) {
      SetBounds(Left(), Top(), Size.cx + 4, Size.cy + 4);
    }
  }
}

void TEasyHintWindow::ActivateHint(TRect R, const std::string& AHint) {
  FSameText = Caption() == AHint;
  try {
    SetHintText(AHint);
  } catch (...) {
    FSameText = false;
    throw;
  }
  FSameText = false;
  R.Bottom += 4;
  int W = R.Width();
  int H = R.Height();
  int X = R.Left;
  int Y = R.Top;
  const int ScreenW = GetSystemMetrics(SM_CXSCREEN);
  const int ScreenH = GetSystemMetrics(SM_CYSCREEN);
  if (Y + H > ScreenH) {
    Y = ScreenH - H;
  }
  if (X + W > ScreenW) {
    X = ScreenW - W;
  }
  X = std::max(X, 0);
  Y = std::max(Y, 0);
  SetBounds(X, Y, W, H);
  SetWindowPos(Handle(), HWND_TOPMOST, X, Y, W, H, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FVisible = true;
  Invalidate();
  Update();
}

void TEasyHintWindow::Paint() {
  TCanvas* C = Canvas();
  C->SetFont(Font());
  C->Brush()->SetColor(Color());
  TRect R = ClientRect();
  C->FillRect(R);
  R.Left += 2;
  C->Font()->SetColor(clInfoText);
  for (TEasyRtfInfo* Head : FLines) {
    const TRect Row = Rect(R.Left, R.Top, R.Right, R.Top + Head->Height);
    FPainter->PaintToCanvas(C, Row, false, false, Head);
    R.Top += Head->Height;
  }
}

void TEasyHintWindow::NCPaint(HDC DC) {
  TRect R;
  GetWindowRect(Handle(), &R);
  R = Rect(0, 0, R.Width(), R.Height());
  DrawEdge(DC, &R, BDR_RAISEDOUTER, BF_RECT);
}

// ---- the hint component ----

TEasyHint::TEasyHint(TComponent* AOwner) : TComponent(AOwner) {
  FWindow = new TEasyHintWindow(this);
  FWindow->AfterConstruction();
  FTimer = new TEasyTimer(this);
  FTimer->AfterConstruction();
  FTimer->SetEnabled(false);
  FTimer->SetInterval(50);
  FTimer->SetOnTimer([this](TObject* Sender) { DoTimer(Sender); });
}

// The timer stops before the owned window and timer go with the component.
void TEasyHint::BeforeDestruction() {
  FTimer->SetEnabled(false);
  TComponent::BeforeDestruction();
}

void TEasyHint::Publish(TMetaClass& Meta) {
  TPublisher<TEasyHint> P(Meta);
  P.Property("AutoHide", &TEasyHint::AutoHide, &TEasyHint::AutoHide).Default(true);
  P.Property("Interval", &TEasyHint::Interval, &TEasyHint::SetInterval).Default(50);
  P.Property("Immediate", &TEasyHint::Immediate, &TEasyHint::Immediate).Default(true);
  P.Property("Visible", &TEasyHint::Visible, &TEasyHint::SetVisible).Default(false);
  P.Property("Caption", &TEasyHint::Caption, &TEasyHint::SetCaption);
  P.Property("OnVisibleChanged", &TEasyHint::OnVisibleChanged, &TEasyHint::OnVisibleChanged);
}

int TEasyHint::Interval() const { return static_cast<int>(FTimer->Interval()); }
void TEasyHint::SetInterval(int Value) { FTimer->SetInterval(static_cast<Cardinal>(std::max(Value, 1))); }

bool TEasyHint::Visible() const { return FWindow->HandleAllocated() && IsWindowVisible(FWindow->Handle()); }

void TEasyHint::SetVisible(bool Value) {
  if (Value == Visible()) {
    return;
  }
  if (Value) {
    ActivateHint(FCaption);
  } else {
    CancelHint();
  }
}

void TEasyHint::SetCaption(const std::string& Value) {
  FCaption = Value;
  if (Visible()) {
    FWindow->SetHintText(Value);
    FWindow->Invalidate();
  }
}

TSize TEasyHint::GetSize(const std::string& Text) {
  TSize S = FWindow->Measure(Text);
  S.cx += 8;
  return S;
}

void TEasyHint::HideHintWindow() {
  if (Visible()) {
    ShowWindow(FWindow->Handle(), SW_HIDE);
    FWindow->SetVisible(false);
  }
  if (OnVisibleChanged) {
    OnVisibleChanged(this);
  }
}

void TEasyHint::PaintHintWindow() {
  const bool Was = Visible();
  TRect R = FHintRect;
  R.Top += FOffset;
  R.Bottom += FOffset;
  FWindow->ActivateHint(R, FCaption);
  if (!Was && OnVisibleChanged) {
    OnVisibleChanged(this);
  }
}

void TEasyHint::ActivateHintAtPos(TPoint P, const std::string& Text) {
  if (Text.empty()) {
    CancelHint();
    return;
  }
  const TSize S = FWindow->Measure(Text);
  FHintRect = Rect(P.X, P.Y, P.X + S.cx + 8, P.Y + S.cy);
  FOffset = 0;
  FTimer->SetEnabled(true);
  FState = hstOnShow;
  FTicks = 0;
  FCaption = Text;
  if (Immediate) {
    DoTimer(this);
  }
}

void TEasyHint::ActivateHint(const std::string& Text) {
  TPoint P{0, 0};
  GetCursorPos(&P);
  ActivateHintAtPos(P, Text);
  FOffset = 20;
}

void TEasyHint::CancelHint() {
  HideHintWindow();
  FTicks = 0;
  FTimer->SetEnabled(false);
  FState = hstHide;
}

void TEasyHint::DoTimer(TObject*) {
  const int Elapsed = FTicks * Interval();
  switch (FState) {
    case hstOnShow: {
      const int Pause = Visible() ? Hints().HintShortPause : Hints().HintPause;
      if (Immediate || Elapsed >= Pause) {
        PaintHintWindow();
        FTicks = 0;
        FState = hstShow;
      } else {
        ++FTicks;
      }
      break;
    }
    case hstShow:
      if (!AutoHide || Elapsed <= Hints().HintHidePause) {
        ++FTicks;
      } else {
        HideHintWindow();
        FTicks = 0;
        FState = hstHide;
      }
      break;
    case hstHide:
      if (Visible()) {
        HideHintWindow();
      }
      FTicks = 0;
      break;
  }
}
