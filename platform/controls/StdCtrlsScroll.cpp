// The scroll bar control of the standard controls, over a window's own scroll bar.
#include "platform/classes/TypInfo.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/ScrollBars.h"

#include <algorithm>

Z_ENUM_TYPEINFO(TScrollBarKind, "sbHorizontal", "sbVertical")
Z_ENUM_TYPEINFO(TScrollCode, "scLineUp", "scLineDown", "scPageUp", "scPageDown", "scPosition", "scTrack", "scTop",
                "scBottom", "scEndScroll")

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
