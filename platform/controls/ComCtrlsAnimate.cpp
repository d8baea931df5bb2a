// The animation control: the platform's common animations drawn by the layer, a few frames each, played on a
// timer.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>
#include <cmath>

Z_IMPLEMENT_CLASS_PUBLISHED(TAnimate, TCustomControl, TAnimate::Publish)

namespace {

constexpr UINT_PTR PlayTimer = 1;
constexpr UINT FrameInterval = 100;  // milliseconds a frame stays
constexpr int ClipFrames = 8;
constexpr int ClipWidth = 272;
constexpr int ClipHeight = 60;

constexpr TColor FolderYellow = static_cast<TColor>(0x4CC8F0);   // BGR
constexpr TColor FolderShade = static_cast<TColor>(0x2090C0);
constexpr TColor PaperWhite = static_cast<TColor>(0xFFFFFF);
constexpr TColor LensBlue = static_cast<TColor>(0xF0D8A0);
constexpr TColor ScreenBlue = static_cast<TColor>(0x804000);
constexpr TColor BinGrey = static_cast<TColor>(0xA0A0A0);

void Folder(TCanvas* C, int X, int Y) {
  C->Pen()->SetColor(FolderShade);
  C->Brush()->SetColor(FolderYellow);
  C->Polygon({Point(X, Y + 6), Point(X + 12, Y + 6), Point(X + 15, Y + 2), Point(X + 26, Y + 2), Point(X + 28, Y + 6),
              Point(X + 40, Y + 6), Point(X + 40, Y + 34), Point(X, Y + 34)});
  C->Brush()->SetColor(FolderShade);
  C->Rectangle(X + 1, Y + 10, X + 40, Y + 12);
}

void Page(TCanvas* C, int X, int Y) {
  C->Pen()->SetColor(clBlack);
  C->Brush()->SetColor(PaperWhite);
  C->Polygon({Point(X, Y), Point(X + 16, Y), Point(X + 22, Y + 6), Point(X + 22, Y + 28), Point(X, Y + 28)});
  C->Pen()->SetColor(clGray);
  for (int L = Y + 9; L < Y + 26; L += 4) {
    C->MoveTo(X + 4, L);
    C->LineTo(X + 18, L);
  }
}

void Computer(TCanvas* C, int X, int Y) {
  C->Pen()->SetColor(clBlack);
  C->Brush()->SetColor(clSilver);
  C->Rectangle(X, Y, X + 40, Y + 28);
  C->Brush()->SetColor(ScreenBlue);
  C->Rectangle(X + 4, Y + 4, X + 36, Y + 24);
  C->Brush()->SetColor(clSilver);
  C->Rectangle(X + 14, Y + 28, X + 26, Y + 32);
  C->Rectangle(X + 6, Y + 32, X + 34, Y + 36);
}

void Bin(TCanvas* C, int X, int Y) {
  C->Pen()->SetColor(clBlack);
  C->Brush()->SetColor(BinGrey);
  C->Polygon({Point(X, Y + 4), Point(X + 30, Y + 4), Point(X + 26, Y + 38), Point(X + 4, Y + 38)});
  C->Rectangle(X - 2, Y, X + 32, Y + 5);
  C->Pen()->SetColor(clGray);
  for (int L = X + 8; L < X + 26; L += 6) {
    C->MoveTo(L, Y + 9);
    C->LineTo(L, Y + 34);
  }
}

void Magnifier(TCanvas* C, int X, int Y) {
  C->Pen()->SetColor(clBlack);
  C->Pen()->SetWidth(3);
  C->MoveTo(X + 15, Y + 15);
  C->LineTo(X + 24, Y + 24);
  C->Pen()->SetWidth(2);
  C->Brush()->SetColor(LensBlue);
  C->Ellipse(X, Y, X + 18, Y + 18);
  C->Pen()->SetWidth(1);
}

}  // namespace

TAnimate::TAnimate(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 100, 80);
  FParentColor = true;
}

void TAnimate::BeforeDestruction() {
  StopTimer();
  TCustomControl::BeforeDestruction();
}

void TAnimate::Publish(TMetaClass& Meta) {
  TPublisher<TAnimate> P(Meta);
  P.Property("Active", &TAnimate::Active, &TAnimate::SetActive).Default(false);
  P.Property("AutoSize", &TAnimate::AutoSize, &TAnimate::SetAutoSize).Default(true);
  P.Property("Center", &TAnimate::Center, &TAnimate::SetCenter).Default(true);
  P.Property("CommonAVI", &TAnimate::CommonAVI, &TAnimate::SetCommonAVI).Default(aviNone);
  P.Property("Open", &TAnimate::Open, &TAnimate::SetOpen).Default(false);
  P.Property("Repetitions", &TAnimate::Repetitions, &TAnimate::Repetitions).Default(0);
  P.Property("StartFrame", &TAnimate::StartFrame, &TAnimate::SetStartFrame).Default(1);
  P.Property("StopFrame", &TAnimate::StopFrame, &TAnimate::SetStopFrame).Default(0);
  P.Property("Timers", &TAnimate::Timers, &TAnimate::Timers).Default(false);
  P.Property("Transparent", &TAnimate::Transparent, &TAnimate::SetTransparent).Default(true);
  P.Property("OnClose", &TAnimate::OnClose, &TAnimate::OnClose);
  P.Property("OnOpen", &TAnimate::OnOpen, &TAnimate::OnOpen);
  P.Property("OnStart", &TAnimate::OnStart, &TAnimate::OnStart);
  P.Property("OnStop", &TAnimate::OnStop, &TAnimate::OnStop);
}

void TAnimate::SetCommonAVI(TCommonAVI Value) {
  if (Value == FCommonAVI) {
    return;
  }
  CloseClip();
  FCommonAVI = Value;
  if (Value != aviNone) {
    OpenClip();
    if (FActive && !ComponentState().Contains(csLoading)) {
      Play(FStartFrame, FStopFrame, Repetitions);
    }
  }
}

void TAnimate::OpenClip() {
  FFrameCount = ClipFrames;
  FFrameWidth = ClipWidth;
  FFrameHeight = ClipHeight;
  FFrame = 1;
  FOpen = true;
  AdjustSize();
  Invalidate();
  if (OnOpen) {
    OnOpen(this);
  }
}

void TAnimate::CloseClip() {
  if (!FOpen) {
    return;
  }
  const bool WasActive = FActive;
  Stop();
  FActive = WasActive;  // a clip set later plays again
  FOpen = false;
  FFrameCount = FFrameWidth = FFrameHeight = FFrame = 0;
  Invalidate();
  if (OnClose) {
    OnClose(this);
  }
}

void TAnimate::SetOpen(bool Value) {
  if (Value && !FOpen && FCommonAVI != aviNone) {
    OpenClip();
  } else if (!Value) {
    CloseClip();
  }
}

void TAnimate::SetActive(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    FActive = Value;
    return;
  }
  if (Value) {
    FActive = true;
    Play(FStartFrame, FStopFrame, Repetitions);
  } else {
    Stop();
    FActive = false;
  }
}

void TAnimate::SetAutoSize(bool Value) {
  FAutoSize = Value;
  AdjustSize();
}

void TAnimate::SetCenter(bool Value) {
  FCenter = Value;
  Invalidate();
}

void TAnimate::SetTransparent(bool Value) {
  FTransparent = Value;
  Invalidate();
}

void TAnimate::SetStartFrame(int Value) { FStartFrame = std::max(Value, 1); }
void TAnimate::SetStopFrame(int Value) { FStopFrame = std::max(Value, 0); }

void TAnimate::AdjustSize() {
  if (FAutoSize && FOpen && !ComponentState().Contains(csLoading)) {
    SetBounds(FLeft, FTop, FFrameWidth, FFrameHeight);
  }
}

void TAnimate::Play(int FromFrame, int ToFrame, int Count) {
  if (!FOpen) {
    return;  // Active waits for a clip
  }
  if (ToFrame <= 0 || ToFrame > FFrameCount) {
    ToFrame = FFrameCount;
  }
  FromFrame = std::clamp(FromFrame, 1, ToFrame);
  FPlayFrom = FromFrame;
  FPlayTo = ToFrame;
  FPlayCount = std::max(Count, 0);
  FPlayed = 0;
  FFrame = FromFrame;
  FActive = true;
  const bool Starting = !FPlaying;
  FPlaying = true;
  Invalidate();
  if (HandleAllocated()) {
    StartTimer();
  }
  if (Starting && OnStart) {
    OnStart(this);
  }
}

void TAnimate::Stop() {
  FActive = false;
  if (!FPlaying) {
    return;
  }
  FPlaying = false;
  StopTimer();
  if (OnStop) {
    OnStop(this);
  }
}

void TAnimate::Seek(int Frame) {
  Stop();
  if (FOpen) {
    FFrame = std::clamp(Frame, 1, FFrameCount);
    Invalidate();
  }
}

void TAnimate::Reset() { Seek(1); }

void TAnimate::StartTimer() {
  if (HandleAllocated()) {
    SetTimer(Handle(), PlayTimer, FrameInterval, nullptr);
  }
}

void TAnimate::StopTimer() {
  if (HandleAllocated()) {
    KillTimer(Handle(), PlayTimer);
  }
}

void TAnimate::Step() {
  if (!FPlaying) {
    return;
  }
  if (++FFrame > FPlayTo) {
    ++FPlayed;
    if (FPlayCount > 0 && FPlayed >= FPlayCount) {
      FFrame = FPlayTo;
      Stop();
      return;
    }
    FFrame = FPlayFrom;
  }
  Invalidate();
}

void TAnimate::CreateWnd() {
  TCustomControl::CreateWnd();
  // A clip made active before the window existed starts now.
  if (FPlaying) {
    StartTimer();
  }
}

void TAnimate::Loaded() {
  TCustomControl::Loaded();
  AdjustSize();
  if (FActive) {
    Play(FStartFrame, FStopFrame, Repetitions);
  }
}

void TAnimate::Paint() {
  TCanvas* C = Canvas();
  const TColor Back = FTransparent && Parent() ? Parent()->Color() : Color();
  C->Brush()->SetColor(Back);
  C->FillRect(ClientRect());
  if (FOpen) {
    const TRect R = ClientRect();
    const int Left = FCenter ? (R.Width() - FFrameWidth) / 2 : 0;
    const int Top = FCenter ? (R.Height() - FFrameHeight) / 2 : 0;
    DrawFrame(C, Left, Top, FFrame);
  }
  TCustomControl::Paint();
}

// Each clip is a scene with one thing moving along it as the frames go by.
void TAnimate::DrawFrame(TCanvas* C, int Left, int Top, int Frame) {
  const double T = FFrameCount > 1 ? static_cast<double>(Frame - 1) / (FFrameCount - 1) : 0.0;
  const int Span = FFrameWidth - 120;
  auto Along = [&](int From) { return Left + From + static_cast<int>(T * Span); };
  // The magnifier circles over what it searches.
  const double Angle = 6.2831853 * (Frame - 1) / std::max(FFrameCount, 1);
  const int CircleX = Left + 116 + static_cast<int>(std::cos(Angle) * 14);
  const int CircleY = Top + 16 + static_cast<int>(std::sin(Angle) * 8);
  switch (FCommonAVI) {
    case aviFindFolder:
      Folder(C, Left + 100, Top + 14);
      Magnifier(C, CircleX, CircleY);
      break;
    case aviFindFile:
      Page(C, Left + 110, Top + 16);
      Magnifier(C, CircleX, CircleY);
      break;
    case aviFindComputer:
      Computer(C, Left + 100, Top + 12);
      Magnifier(C, CircleX, CircleY);
      break;
    case aviCopyFiles:
    case aviCopyFile:
      Folder(C, Left + 16, Top + 14);
      Folder(C, Left + FFrameWidth - 56, Top + 14);
      Page(C, Along(60), Top + 6 + static_cast<int>(std::fabs(T - 0.5) * 16));
      if (FCommonAVI == aviCopyFiles) {
        Page(C, Along(60) - 14, Top + 10 + static_cast<int>(std::fabs(T - 0.5) * 16));
      }
      break;
    case aviRecycleFile:
      Folder(C, Left + 16, Top + 14);
      Bin(C, Left + FFrameWidth - 50, Top + 14);
      Page(C, Along(60), Top + 6 + static_cast<int>(std::fabs(T - 0.5) * 16));
      break;
    case aviEmptyRecycle:
      Bin(C, Left + 16, Top + 14);
      if (Frame < FFrameCount) {
        Page(C, Along(60), Top + 6 + static_cast<int>(std::fabs(T - 0.5) * 16));
      }
      break;
    case aviDeleteFile:
      Folder(C, Left + 16, Top + 14);
      if (Frame < FFrameCount) {
        Page(C, Along(60), Top + 6 + static_cast<int>(std::fabs(T - 0.5) * 16));
      }
      break;
    case aviNone: break;
  }
}

void TAnimate::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_TIMER && Message.WParam == PlayTimer) {
    Step();
    return;
  }
  if (Message.Msg == WM_DESTROY) {
    StopTimer();
  }
  TCustomControl::Dispatch(Message);
}
