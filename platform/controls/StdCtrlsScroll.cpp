// The scroll bar control and the scroll box of the standard controls, over window scroll bars.
#include "platform/classes/TypInfo.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/ScrollBars.h"

#include <algorithm>


Z_IMPLEMENT_CLASS_PUBLISHED(TScrollBar, TWinControl, TScrollBar::Publish)

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  TabStop = true;
  SetBounds(0, 0, 121, 17);
}

int TScrollBar::Bar() const { return FKind == sbHorizontal ? SB_HORZ : SB_VERT; }

void TScrollBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= FKind == sbHorizontal ? WS_HSCROLL : WS_VSCROLL;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateBar();
}

void TScrollBar::UpdateBar() {
  if (!HandleAllocated()) {
    return;
  }
  SCROLLINFO Info;
  Info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  Info.nMin = FMin;
  Info.nMax = FMax;
  Info.nPage = static_cast<UINT>(FPageSize);
  Info.nPos = FPosition;
  SetScrollInfo(Handle(), Bar(), &Info, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (Value == FKind) {
    return;
  }
  FKind = Value;
  if (!ComponentState().Contains(csLoading)) {
    SetBounds(Left(), Top(), Height(), Width());  // turned on its side
  }
  RecreateWnd();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  if (ComponentState().Contains(csLoading)) {
    FPosition = APosition;  // checked once the form file is read (Max may come before Min)
    FMin = AMin;
    FMax = AMax;
    return;
  }
  if (AMax < AMin) {
    throw EInvalidOperation("Scrollbar property out of range");
  }
  const int Last = FPageSize > 0 ? std::max(AMin, AMax - FPageSize + 1) : AMax;
  APosition = std::clamp(APosition, AMin, Last);
  const bool Moved = APosition != FPosition;
  FMin = AMin;
  FMax = AMax;
  FPosition = APosition;
  UpdateBar();
  if (Moved) {
    Change();
  }
}

void TScrollBar::SetPageSize(int Value) {
  if (ComponentState().Contains(csLoading)) {
    FPageSize = Value;
    return;
  }
  if (Value < 0 || Value > FMax - FMin + 1) {
    throw EInvalidOperation("Scrollbar property out of range");
  }
  FPageSize = Value;
  SetParams(FPosition, FMin, FMax);
  UpdateBar();
}

void TScrollBar::Loaded() {
  TWinControl::Loaded();
  const int Page = FPageSize;
  FPageSize = 0;
  SetParams(FPosition, FMin, FMax);
  SetPageSize(Page);
}

void TScrollBar::Change() {
  if (OnChange) {
    OnChange(this);
  }
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
  if (OnScroll) {
    OnScroll(this, ScrollCode, ScrollPos);
  }
}

void TScrollBar::DoScroll(int Code, WPARAM WParam) {
  int Pos = FPosition;
  TScrollCode ScrollCode = scEndScroll;
  switch (Code) {
    case SB_LINEUP: ScrollCode = scLineUp; Pos -= SmallChange; break;
    case SB_LINEDOWN: ScrollCode = scLineDown; Pos += SmallChange; break;
    case SB_PAGEUP: ScrollCode = scPageUp; Pos -= LargeChange; break;
    case SB_PAGEDOWN: ScrollCode = scPageDown; Pos += LargeChange; break;
    case SB_THUMBPOSITION: case SB_THUMBTRACK: {
      // The message carries 16 bits of the position; the bar's track position, when it matches them, has all.
      ScrollCode = Code == SB_THUMBTRACK ? scTrack : scPosition;
      Pos = static_cast<SHORT>(HIWORD(WParam));
      SCROLLINFO Info;
      Info.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(Handle(), Bar(), &Info) && static_cast<WORD>(Info.nTrackPos) == HIWORD(WParam)) {
        Pos = Info.nTrackPos;
      }
      break;
    }
    case SB_TOP: ScrollCode = scTop; Pos = FMin; break;
    case SB_BOTTOM: ScrollCode = scBottom; Pos = FMax; break;
    case SB_ENDSCROLL: break;
    default: return;
  }
  Scroll(ScrollCode, Pos);
  SetPosition(Pos);
}

void TScrollBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HSCROLL: case WM_VSCROLL: case CN_HSCROLL: case CN_VSCROLL:
      DoScroll(LOWORD(Message.WParam), Message.WParam);
      Message.Result = 0;
      return;
    default: break;
  }
  TWinControl::Dispatch(Message);
}

void TScrollBar::Publish(TMetaClass& Meta) {
  TPublisher<TScrollBar> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("Kind", &TScrollBar::Kind, &TScrollBar::SetKind).Default(sbHorizontal);
  P.Property("LargeChange", &TScrollBar::LargeChange, &TScrollBar::LargeChange).Default(1);
  P.Property("Max", &TScrollBar::Max, &TScrollBar::SetMax).Default(100);
  P.Property("Min", &TScrollBar::Min, &TScrollBar::SetMin).Default(0);
  P.Property("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize).Default(0);
  P.Property("Position", &TScrollBar::Position, &TScrollBar::SetPosition).Default(0);
  P.Property("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SmallChange).Default(1);
  P.Property("OnChange", &TScrollBar::OnChange, &TScrollBar::OnChange);
  P.Property("OnScroll", &TScrollBar::OnScroll, &TScrollBar::OnScroll);
}

// ---- TScrollBox -------------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS_PUBLISHED(TControlScrollBar, TPersistent, TControlScrollBar::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TScrollBox, TWinControl, TScrollBox::Publish)

int TControlScrollBar::MaxPosition() const {
  const int Extent = FKind == sbHorizontal ? FControl->ClientWidth() : FControl->ClientHeight();
  return FVisible ? std::max(0, FRange - Extent) : 0;
}

void TControlScrollBar::SetRange(int Value) {
  FRange = std::max(0, Value);
  FControl->UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int Value) {
  if (FControl->ComponentState().Contains(csLoading)) {
    FPosition = Value;
    return;
  }
  Value = std::clamp(Value, 0, MaxPosition());
  if (Value != FPosition) {
    const int Delta = FPosition - Value;
    FPosition = Value;
    FControl->ScrollContents(FKind == sbHorizontal ? Delta : 0, FKind == sbVertical ? Delta : 0);
  }
  FControl->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool Value) {
  FVisible = Value;
  FControl->UpdateScrollBars();
}

void TControlScrollBar::Publish(TMetaClass& Meta) {
  TPublisher<TControlScrollBar> P(Meta);
  P.Property("Increment", &TControlScrollBar::Increment, &TControlScrollBar::Increment).Default(8);
  P.Property("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange).Default(0);
  P.Property("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition).Default(0);
  P.Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(true);
}

TScrollBox::TScrollBox(TComponent* AOwner)
    : TWinControl(AOwner), FHorz(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVert(std::make_unique<TControlScrollBar>(this, sbVertical)) {
  ControlStyle.Include(csAcceptsControls);
  SetBounds(0, 0, 185, 41);
}

TScrollBox::~TScrollBox() = default;

void TScrollBox::SetHorzScrollBar(TControlScrollBar* Value) {
  FHorz->Increment = Value->Increment;
  FHorz->FVisible = Value->Visible();
  FHorz->SetRange(Value->Range());
  FHorz->SetPosition(Value->Position());
}

void TScrollBox::SetVertScrollBar(TControlScrollBar* Value) {
  FVert->Increment = Value->Increment;
  FVert->FVisible = Value->Visible();
  FVert->SetRange(Value->Range());
  FVert->SetPosition(Value->Position());
}

void TScrollBox::SetAutoScroll(bool Value) {
  FAutoScroll = Value;
  UpdateScrollBars();
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= WS_HSCROLL | WS_VSCROLL;
  AddBorder(Params);
}

void TScrollBox::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollBars();
}

void TScrollBox::Loaded() {
  TWinControl::Loaded();
  // Positions read from the form file: the controls were laid out unscrolled.
  const int X = FHorz->FPosition;
  const int Y = FVert->FPosition;
  FHorz->FPosition = 0;
  FVert->FPosition = 0;
  UpdateScrollBars();
  FHorz->SetPosition(X);
  FVert->SetPosition(Y);
}

void TScrollBox::ScrollContents(int Dx, int Dy) {
  FUpdating = true;
  for (int I = 0; I < ControlCount(); ++I) {
    TControl* C = Controls(I);
    C->SetBounds(C->Left() + Dx, C->Top() + Dy, C->Width(), C->Height());
  }
  FUpdating = false;
}

void TScrollBox::CalcAutoRange() {
  int Right = 0;
  int Bottom = 0;
  for (int I = 0; I < ControlCount(); ++I) {
    TControl* C = Controls(I);
    if (C->Visible()) {
      Right = std::max(Right, C->Left() + C->Width() + FHorz->FPosition);
      Bottom = std::max(Bottom, C->Top() + C->Height() + FVert->FPosition);
    }
  }
  FHorz->FRange = Right;
  FVert->FRange = Bottom;
}

void TScrollBox::UpdateScrollBars() {
  if (FUpdating || ComponentState().Contains(csLoading)) {
    return;
  }
  FUpdating = true;
  if (FAutoScroll) {
    CalcAutoRange();
  }
  // Twice: a bar appearing narrows the client area the other bar's page depends on.
  for (int Pass = 0; Pass < 2 && HandleAllocated(); ++Pass) {
    for (TControlScrollBar* B : {FHorz.get(), FVert.get()}) {
      SCROLLINFO Info;
      Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
      Info.nMin = 0;
      Info.nMax = B->FVisible ? std::max(B->FRange - 1, 0) : 0;
      const int Extent = B->FKind == sbHorizontal ? ClientWidth() : ClientHeight();
      Info.nPage = static_cast<UINT>(B->FVisible && B->FRange > 0 ? std::max(Extent, 1) : 1);
      Info.nPos = B->FPosition;
      SetScrollInfo(Handle(), B->FKind == sbHorizontal ? SB_HORZ : SB_VERT, &Info, TRUE);
    }
  }
  FUpdating = false;
  // A grown client area may leave a position beyond its end.
  for (TControlScrollBar* B : {FHorz.get(), FVert.get()}) {
    if (B->FPosition > B->MaxPosition()) {
      B->SetPosition(B->MaxPosition());
    }
  }
}

void TScrollBox::ScrollInView(TControl* Control) {
  if (!Control || Control->Parent() != this) {
    return;
  }
  auto Into = [](TControlScrollBar& B, int Start, int Size, int Extent) {
    if (Start < 0) {
      B.SetPosition(B.Position() + Start);
    } else if (Start + Size > Extent) {
      B.SetPosition(B.Position() + std::min(Start, Start + Size - Extent));
    }
  };
  Into(*FHorz, Control->Left(), Control->Width(), ClientWidth());
  Into(*FVert, Control->Top(), Control->Height(), ClientHeight());
}

void TScrollBox::ScrollMessage(TControlScrollBar& Bar, int Code, WPARAM WParam) {
  const int Page = Bar.FKind == sbHorizontal ? ClientWidth() : ClientHeight();
  int Pos = Bar.Position();
  switch (Code) {
    case SB_LINEUP: Pos -= Bar.Increment; break;
    case SB_LINEDOWN: Pos += Bar.Increment; break;
    case SB_PAGEUP: Pos -= Page; break;
    case SB_PAGEDOWN: Pos += Page; break;
    case SB_THUMBPOSITION: case SB_THUMBTRACK: {
      Pos = HIWORD(WParam);
      SCROLLINFO Info;
      Info.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(Handle(), Bar.FKind == sbHorizontal ? SB_HORZ : SB_VERT, &Info) &&
          static_cast<WORD>(Info.nTrackPos) == HIWORD(WParam)) {
        Pos = Info.nTrackPos;
      }
      break;
    }
    case SB_TOP: Pos = 0; break;
    case SB_BOTTOM: Pos = Bar.MaxPosition(); break;
    default: return;
  }
  Bar.SetPosition(Pos);
}

void TScrollBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HSCROLL: ScrollMessage(*FHorz, LOWORD(Message.WParam), Message.WParam); Message.Result = 0; return;
    case WM_VSCROLL: ScrollMessage(*FVert, LOWORD(Message.WParam), Message.WParam); Message.Result = 0; return;
    default: break;
  }
  TWinControl::Dispatch(Message);
  switch (Message.Msg) {
    case WM_SIZE: case CM_CONTROLCHANGE: case CM_CONTROLLISTCHANGE: UpdateScrollBars(); break;
    default: break;
  }
}

void TScrollBox::Publish(TMetaClass& Meta) {
  TPublisher<TScrollBox> P(Meta);
  P.Property("AutoScroll", &TScrollBox::AutoScroll, &TScrollBox::SetAutoScroll).Default(true);
  P.Property("HorzScrollBar", &TScrollBox::HorzScrollBar, &TScrollBox::SetHorzScrollBar);
  P.Property("VertScrollBar", &TScrollBox::VertScrollBar, &TScrollBox::SetVertScrollBar);
}
