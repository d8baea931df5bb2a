// The splitter: its two panes, layout from the position, proportional resizing, dragging the bar, the drag line
// and the panes' streaming.
#include "shell/Uptsplitter.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/TypInfo.h"
#include "platform/controls/Forms.h"
#include "platform/win/Messages.h"
#include "platform/win/SystemParams.h"

#include <cmath>

Z_IMPLEMENT_CLASS_PUBLISHED(TPTPane, TPTGroup, TPTPane::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TPTSplitter, TCustomControl, TPTSplitter::Publish)

namespace {

// The panes are read from window layouts by class name.
struct TPaneRegistration {
  TPaneRegistration() {
    if (!GetClass("TPTPane")) {
      RegisterClass(TPTPane::StaticClass());
      Registered = true;
    }
  }
  ~TPaneRegistration() {
    if (Registered) {
      UnRegisterClass(TPTPane::StaticClass());
    }
  }
  bool Registered = false;
};
const TPaneRegistration PaneRegistration;

// The drag line's brush pattern: a 50 % checkerboard (white where x and y differ in their lowest bit), made on
// first use and freed at the end of the process.
struct TCheckerboard {
  ~TCheckerboard() {
    if (Bitmap) {
      DeleteObject(Bitmap);
    }
  }
  HBITMAP Get() {
    if (!Bitmap) {
      static const WORD Bits[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
      Bitmap = CreateBitmap(8, 8, 1, 1, Bits);
    }
    return Bitmap;
  }
  HBITMAP Bitmap = 0;
};

HBITMAP CheckerboardPattern() {
  static TCheckerboard Pattern;
  return Pattern.Get();
}

bool Inside(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

std::string PaneName(const std::string& SplitterName, int Index) {
  return SplitterName.empty() ? std::string() : SplitterName + "_pane" + std::to_string(Index + 1);
}

}  // namespace

// ---- TPTPane -----------------------------------------------------------------------------------------------------

TPTPane::TPTPane(TComponent* AOwner) : TPTGroup(AOwner) {
  SetFrameStyle(ptfsLowered);
  SetParentFont(true);
}

TPTSplitter* TPTPane::Splitter() const { return dynamic_cast<TPTSplitter*>(Parent()); }

void TPTPane::ReadState(TReader* Reader) {
  TPTGroup::ReadState(Reader);
  if (TPTSplitter* S = Splitter()) {
    S->TakePane(this);
  }
}

void TPTPane::Paint() {
  TPTGroup::Paint();
  if (FActive && ComponentState().Contains(csDesigning)) {
    TRect R;
    GetClientRect(Handle(), &R);
    Canvas()->DrawFocusRect(R);
  }
}

void TPTPane::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DESIGNHITTEST) {
    Message.Result = 0;  // clicks reach the designer
    return;
  }
  TPTGroup::Dispatch(Message);
}

void TPTPane::Publish(TMetaClass& Meta) {
  TPublisher<TPTPane> P(Meta);
  P.Property("FrameStyle", &TPTCustomGroup::FrameStyle, &TPTCustomGroup::SetFrameStyle).Default(ptfsLowered);
  P.Property("Index", &TPTPane::Index, &TPTPane::SetIndex).Default(0);
  P.Property("MinSize", &TPTPane::MinSize, &TPTPane::SetMinSize).Default(20);
}

// ---- TPTSplitter: panes and properties ---------------------------------------------------------------------------

TPTSplitter::TPTSplitter(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle = TControlStyle{csCaptureMouse, csDesignInteractive, csClickEvents, csDoubleClicks, csAcceptsControls};
  SetBounds(Left(), Top(), 200, 140);
  SetParentFont(true);
}

void TPTSplitter::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TPTSplitter::CreatePanes() {
  for (int I = 0; I < 2; ++I) {
    if (FPanes[I]) {
      continue;
    }
    auto* P = new TPTPane(this);
    P->AfterConstruction();
    P->FIndex = I;
    P->SetName(PaneName(Name(), I));
    P->SetCaption("");
    P->SetParent(this);
    FPanes[I] = P;
  }
  SetActivePane(0);
  InitPanePos();
}

void TPTSplitter::TakePane(TPTPane* Pane) {
  const int I = Pane->Index();
  if (FPanes[I] == Pane) {
    return;
  }
  if (FPanes[I]) {
    TPTPane* Old = FPanes[I];
    FPanes[I] = nullptr;
    delete Old;
  }
  if (FPanes[1 - I] == Pane) {
    FPanes[1 - I] = nullptr;
  }
  FPanes[I] = Pane;
  Pane->FreeNotification(this);
}

void TPTSplitter::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    for (TPTPane*& P : FPanes) {
      if (P == AComponent) {
        P = nullptr;
      }
    }
  }
}

void TPTSplitter::GetChildren(TGetChildProc Proc, TComponent* Root) {
  (void)Root;
  for (TPTPane* P : FPanes) {
    if (P) {
      Proc(P);
    }
  }
}

void TPTSplitter::SwapPanes(bool MirrorPosition) {
  std::swap(FPanes[0], FPanes[1]);
  for (int I = 0; I < 2; ++I) {
    if (FPanes[I]) {
      FPanes[I]->FIndex = I;
    }
  }
  if (MirrorPosition) {
    FPosition = (FStyle == ptstVertical ? Width() : Height()) - FPosition;
    // The proportion mirrors too, or the next resize would put the bar back where it was.
    FixProportion();
  }
  InitPanePos();
}

void TPTSplitter::SetActivePane(int Index) {
  for (int I = 0; I < 2; ++I) {
    if (FPanes[I]) {
      FPanes[I]->FActive = I == Index;
      FPanes[I]->Invalidate();
    }
  }
}

void TPTSplitter::SetName(const TComponentName& NewName) {
  TCustomControl::SetName(NewName);
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) {
    return;
  }
  for (int I = 0; I < 2; ++I) {
    if (FPanes[I] && FPanes[I]->Name() != PaneName(NewName, I)) {
      FPanes[I]->SetName(PaneName(NewName, I));
    }
  }
}

void TPTSplitter::SetStyle(TPTSplitterStyle Value) {
  FStyle = Value;
  InitPanePos();
}

void TPTSplitter::SetSplitterWidth(int Value) {
  FSplitterWidth = Value;
  InitPanePos();
}

void TPTSplitter::SetProportion(float Value) {
  FProportion = Value;
  InternalResize(true);
}

void TPTSplitter::SetPaneColor(int I, TColor Value) {
  if (FPanes[I]) {
    FPanes[I]->SetColor(Value);
  }
}

void TPTSplitter::SetPaneFrameStyle(int I, TPTFrameStyle Value) {
  if (FPanes[I]) {
    FPanes[I]->SetFrameStyle(Value);
  }
}

void TPTSplitter::SetPaneMinSize(int I, int Value) {
  if (FPanes[I]) {
    FPanes[I]->SetMinSize(Value);
  }
}

// ---- Layout and position -----------------------------------------------------------------------------------------

int TPTSplitter::Extent() { return FStyle == ptstVertical ? ClientWidth() : ClientHeight(); }

void TPTSplitter::InitPanePos() {
  if (!FPanes[0] || !HandleAllocated() || ComponentState().Contains(csLoading)) {
    return;
  }
  const int W = ClientWidth(), H = ClientHeight();
  auto Place = [](TPTPane* P, int L, int T, int R, int B) {
    if (P) {
      P->SetBounds(L, T, std::max(R - L, 0), std::max(B - T, 0));
    }
  };
  if (FStyle == ptstVertical) {
    Place(FPanes[0], 0, 0, FPosition, H);
    Place(FPanes[1], FPosition + FSplitterWidth, 0, W, H);
  } else {
    Place(FPanes[0], 0, 0, W, FPosition);
    Place(FPanes[1], 0, FPosition + FSplitterWidth, W, H);
  }
}

void TPTSplitter::FixProportion() {
  const int E = Extent();
  FProportion = E == 0 ? 0.5f : static_cast<float>(FPosition) / static_cast<float>(E);
}

void TPTSplitter::InternalSetPosition(int Value, bool Fix) {
  if (FPanes[0] && FPanes[1]) {
    // Pane 1 keeps its minimum beside the bar; pane 0's minimum wins when both cannot be met.
    if (Value < FPanes[0]->MinSize()) {
      Value = FPanes[0]->MinSize();
    } else if (Value > Extent() - FSplitterWidth - FPanes[1]->MinSize()) {
      Value = std::max(Extent() - FSplitterWidth - FPanes[1]->MinSize(), FPanes[0]->MinSize());
    }
  }
  if (Value == FPosition) {
    return;
  }
  FPosition = Value;
  InitPanePos();
  if (Fix) {
    FixProportion();
  }
  Change();
}

void TPTSplitter::InternalResize(bool Force) {
  if (FProportional || Force) {
    InternalSetPosition(static_cast<int>(std::lround(static_cast<double>(Extent()) * FProportion)), false);
  }
  TCustomControl::Resize();
  InitPanePos();
}

void TPTSplitter::Resize() {
  if (ComponentState().Contains(csLoading)) {
    TCustomControl::Resize();
    return;
  }
  InternalResize(false);
}

void TPTSplitter::CreateWnd() {
  TCustomControl::CreateWnd();
  if (ComponentState().Contains(csDesigning) && ControlCount() == 0) {
    CreatePanes();
  }
  InitPanePos();
}

void TPTSplitter::Loaded() {
  TCustomControl::Loaded();
  for (int I = 0; I < ControlCount(); ++I) {
    if (auto* P = dynamic_cast<TPTPane*>(Controls(I))) {
      TakePane(P);
    }
  }
  if (ComponentState().Contains(csDesigning)) {
    SetActivePane(0);
  }
  InitPanePos();
  FixProportion();
}

void TPTSplitter::Change() {
  if (OnChange) {
    OnChange(this);
  }
}

void TPTSplitter::SplitterDrag(int Position) {
  if (OnSplitterDrag) {
    OnSplitterDrag(this, Position);
  }
}

void TPTSplitter::SplitterDrop(int Position) {
  FixProportion();
  if (OnSplitterDrop) {
    OnSplitterDrop(this, Position);
  }
}

// ---- Dragging the bar --------------------------------------------------------------------------------------------

bool TPTSplitter::IsFullDrag() const {
  switch (FFullDragMode) {
    case ptfdOff: return false;
    case ptfdOn: return true;
    case ptfdUser: {
      BOOL Full = FALSE;
      SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &Full, 0);
      return Full != FALSE;
    }
  }
  return false;
}

int TPTSplitter::LimitDrag(int A) {
  if (!FPanes[0] || !FPanes[1]) {
    return A;
  }
  const int High = Extent() - FSplitterWidth - FPanes[1]->MinSize() + FDragOffset;
  const int Low = FPanes[0]->MinSize() + FDragOffset;
  return std::max(std::min(A, High), Low);
}

void TPTSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (FDragging) {
    EndDrag();
    return;
  }
  const bool Designing = ComponentState().Contains(csDesigning);
  if (Button != mbLeft && !(Designing && Button == mbRight && !Shift.Contains(ssShift))) {
    return;
  }
  SetCapture(Handle());
  FDragButton = Button;
  BeginDrag(Point(X, Y));
}

void TPTSplitter::BeginDrag(TPoint P) {
  int A = Along(P);
  const int Edge = FPanes[0] ? (FStyle == ptstVertical ? FPanes[0]->Left() + FPanes[0]->Width()
                                                       : FPanes[0]->Top() + FPanes[0]->Height())
                             : FPosition;
  FDragOffset = A - Edge;
  A = LimitDrag(A);
  FDragging = true;
  FDragPos = -1;
  SetDragPosition(A);
}

void TPTSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (FDragging) {
    ContinueDrag(Point(X, Y));
  }
}

void TPTSplitter::ContinueDrag(TPoint P) {
  const int A = LimitDrag(Along(P));
  if (A != FDragPos) {
    SetDragPosition(A);
  }
}

void TPTSplitter::SetDragPosition(int A) {
  if (!IsFullDrag()) {
    if (FDragPos >= 0) {
      PaintSizingLine(FDragPos);
    }
    FDragPos = A;
    if (A >= 0) {
      PaintSizingLine(A);
    }
  } else {
    FDragPos = A;
    if (A >= 0) {
      SetPosition(A - FDragOffset);
    }
  }
  SplitterDrag(FDragPos);
}

void TPTSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging || Button != FDragButton) {
    return;
  }
  ContinueDrag(Point(X, Y));
  const int Old = FPosition;
  FPosition = FDragPos - FDragOffset;
  EndDrag();
  InitPanePos();
  SplitterDrop(FPosition);
  if (FPosition != Old) {
    Change();
  }
}

void TPTSplitter::EndDrag() {
  if (!FDragging) {
    return;
  }
  SetDragPosition(-1);
  FDragging = false;
  if (GetCapture() == FHandle) {
    ReleaseCapture();
  }
}

void TPTSplitter::PaintSizingLine(int A) {
  if (!HandleAllocated()) {
    return;
  }
  // The line is drawn over the panes, on the screen's context, and only within the splitter.
  const TPoint Origin = ClientToScreen(Point(0, 0));
  const int At = A - FDragOffset;
  TRect Line = FStyle == ptstVertical ? Rect(At, 0, At + FSplitterWidth, ClientHeight())
                                      : Rect(0, At, ClientWidth(), At + FSplitterWidth);
  Line.Left = std::max(Line.Left, 0);
  Line.Top = std::max(Line.Top, 0);
  Line.Right = std::min(Line.Right, ClientWidth());
  Line.Bottom = std::min(Line.Bottom, ClientHeight());
  if (Line.Right <= Line.Left || Line.Bottom <= Line.Top) {
    return;
  }
  HDC DC = GetDCEx(GetDesktopWindow(), 0, DCX_CACHE | DCX_LOCKWINDOWUPDATE | DCX_WINDOW);
  if (!DC) {
    return;
  }
  SetTextColor(DC, RGB(255, 255, 255));
  SetBkColor(DC, RGB(0, 0, 0));
  SetBkMode(DC, OPAQUE);
  SetROP2(DC, R2_COPYPEN);
  HBRUSH Brush = CreatePatternBrush(CheckerboardPattern());
  SetBrushOrgEx(DC, 0, 0, nullptr);
  HGDIOBJ Old = SelectObject(DC, Brush);
  PatBlt(DC, Origin.X + Line.Left, Origin.Y + Line.Top, Line.Width(), Line.Height(), PATINVERT);
  SelectObject(DC, Old);
  DeleteObject(Brush);
  ReleaseDC(GetDesktopWindow(), DC);
}

void TPTSplitter::Paint() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(Rect(0, 0, ClientWidth(), ClientHeight()));
  TCustomControl::Paint();
}

void TPTSplitter::WMSetCursor(TMessage& Message) {
  TPoint P;
  GetCursorPos(&P);
  P = ScreenToClient(P);
  const bool OverPane = std::any_of(std::begin(FPanes), std::end(FPanes), [&](TPTPane* Pane) {
    return Pane && Pane->Visible() && Inside(Pane->BoundsRect(), P);
  });
  if (OverPane || static_cast<HWND>(Message.WParam) != FHandle ||
      LOWORD(static_cast<DWORD_PTR>(Message.LParam)) != HTCLIENT) {
    TCustomControl::Dispatch(Message);
    return;
  }
  SetCursor(Screen->Cursors(FStyle == ptstVertical ? crHSplit : crVSplit));
  Message.Result = 1;
}

void TPTSplitter::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_CANCELMODE:
    case CM_CANCELMODE:
      EndDrag();
      TCustomControl::Dispatch(Message);
      return;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (releasing it, as a button release does, ends nothing here).
      if (Message.LParam != 0 && static_cast<HWND>(Message.LParam) != FHandle) {
        EndDrag();
      }
      TCustomControl::Dispatch(Message);
      return;
    case WM_PARENTNOTIFY:
      if (ComponentState().Contains(csDesigning) && LOWORD(static_cast<DWORD_PTR>(Message.WParam)) == WM_LBUTTONDOWN) {
        const TPoint P = Point(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(Message.LParam))),
                               static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(Message.LParam))));
        for (int I = 0; I < 2; ++I) {
          if (FPanes[I] && Inside(FPanes[I]->BoundsRect(), P)) {
            SetActivePane(I);
          }
        }
      }
      TCustomControl::Dispatch(Message);
      return;
    default: TCustomControl::Dispatch(Message);
  }
}

void TPTSplitter::Publish(TMetaClass& Meta) {
  TPublisher<TPTSplitter> P(Meta);
  P.Property("FullDragMode", &TPTSplitter::FullDragMode, &TPTSplitter::SetFullDragMode).Default(ptfdUser);
  P.Property("Proportional", &TPTSplitter::Proportional, &TPTSplitter::SetProportional).Default(true);
  P.Property("Position", &TPTSplitter::Position, &TPTSplitter::SetPosition).Default(65);
  P.Property("Style", &TPTSplitter::Style, &TPTSplitter::SetStyle).Default(ptstVertical);
  P.Property("SplitterWidth", &TPTSplitter::SplitterWidth, &TPTSplitter::SetSplitterWidth).Default(3);
  P.Property("Pane1Color", &TPTSplitter::Pane1Color, &TPTSplitter::SetPane1Color).Type(TypeInfoColor());
  P.Property("Pane1FrameStyle", &TPTSplitter::Pane1FrameStyle, &TPTSplitter::SetPane1FrameStyle).Default(ptfsLowered);
  P.Property("Pane1MinSize", &TPTSplitter::Pane1MinSize, &TPTSplitter::SetPane1MinSize).Default(20);
  P.Property("Pane2Color", &TPTSplitter::Pane2Color, &TPTSplitter::SetPane2Color).Type(TypeInfoColor());
  P.Property("Pane2FrameStyle", &TPTSplitter::Pane2FrameStyle, &TPTSplitter::SetPane2FrameStyle).Default(ptfsLowered);
  P.Property("Pane2MinSize", &TPTSplitter::Pane2MinSize, &TPTSplitter::SetPane2MinSize).Default(20);
  P.Property("OnChange", &TPTSplitter::OnChange, &TPTSplitter::OnChange);
  P.Property("OnSplitterDrag", &TPTSplitter::OnSplitterDrag, &TPTSplitter::OnSplitterDrag);
  P.Property("OnSplitterDrop", &TPTSplitter::OnSplitterDrop, &TPTSplitter::OnSplitterDrop);
}
