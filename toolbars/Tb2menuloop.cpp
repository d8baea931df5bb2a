// The view's selection rules, keyboard navigation and accelerators, child popups, timers and the modal menu loop.
#include "toolbars/Tb2common.h"
#include "toolbars/Tb2popup.h"
#include "toolbars/Tb2view.h"

#include "platform/controls/Forms.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {

constexpr int ScrollBand = 19;

bool Selectable(TTBItemViewer* V) {
  return (V->Show() || V->Clipped()) && V->Item()->Visible() && V->Item()->ItemStyle().Contains(tbisSelectable);
}

char UpperChar(char C) { return AnsiUpperCase(std::string(1, C))[0]; }

TControl* ControlUnder(TPoint P) {
  HWND W = WindowFromPoint(P);
  return W ? FindControl(W) : nullptr;
}

}  // namespace

// ---- Queries ----------------------------------------------------------------------------------------------------

bool TTBView::ContainsView(TTBView* AView) {
  for (TTBView* V = AView; V; V = V->FParentView) {
    if (V == this) {
      return true;
    }
  }
  return false;
}

void TTBView::InitiateActions() {
  for (TTBItemViewer* V : FViewers) {
    V->Item()->InitiateAction();
  }
}

TTBItemViewer* TTBView::NextSelectable(TTBItemViewer* CurViewer, bool GoForward) {
  ValidatePositions();
  const int N = ViewerCount();
  if (N == 0) {
    return nullptr;
  }
  int I = CurViewer ? IndexOf(CurViewer) : (GoForward ? -1 : N);
  for (int K = 0; K < N; ++K) {
    I = GoForward ? (I + 1) % N : (I - 1 + N) % N;
    if (Selectable(Viewers(I))) {
      return Viewers(I);
    }
  }
  return nullptr;
}

TTBItemViewer* TTBView::FirstSelectable() {
  TTBItemViewer* First = NextSelectable(nullptr, true);
  for (TTBItemViewer* V = First; V;) {
    if (!V->Item()->ItemStyle().Contains(tbisDontSelectFirst)) {
      return V;
    }
    V = NextSelectable(V, true);
    if (V == First) {
      break;
    }
  }
  return First;
}

TTBItemViewer* TTBView::NextSelectableWithAccel(TTBItemViewer* Start, char Key, bool RequirePrimaryAccel,
                                                bool& IsOnlyItemWithAccel) {
  IsOnlyItemWithAccel = false;
  const int N = ViewerCount();
  if (N == 0) {
    return nullptr;
  }
  ValidatePositions();
  const char K = UpperChar(Key);
  auto Matches = [&](TTBItemViewer* V, bool Enabled, bool Explicit) {
    if (!(V->Show() || V->Clipped()) || !V->Item()->ItemStyle().Contains(tbisSelectable) || !V->Item()->Visible() ||
        V->Item()->Enabled() != Enabled || !V->CaptionShown()) {
      return false;
    }
    const std::string Caption = V->GetCaptionText();
    const char Accel = FindAccelChar(Caption);
    if (Explicit) {
      return Accel != 0 && UpperChar(Accel) == K;
    }
    return Accel == 0 && Key != ' ' && !Caption.empty() && UpperChar(Caption[0]) == K;
  };
  auto Search = [&](TTBItemViewer* From, bool Enabled, bool Explicit) -> TTBItemViewer* {
    int I = From ? IndexOf(From) : -1;
    for (int C = 0; C < N; ++C) {
      I = (I + 1) % N;
      if (Matches(Viewers(I), Enabled, Explicit)) {
        return Viewers(I);
      }
    }
    return nullptr;
  };
  for (int Pass = 0; Pass < (RequirePrimaryAccel ? 1 : 2); ++Pass) {
    const bool Enabled = Pass == 0;
    if (TTBItemViewer* Found = Search(Start, Enabled, true)) {
      IsOnlyItemWithAccel = Search(Found, Enabled, true) == Found;
      return Found;
    }
    if (TTBItemViewer* Found = Search(Start, Enabled, false)) {
      IsOnlyItemWithAccel = true;
      return Found;
    }
  }
  return nullptr;
}

TTBItemViewer* TTBView::HighestPriorityViewer() {
  ValidatePositions();
  const std::vector<TTBItemViewer*>& L = FUsePriorityList ? FPriorityList : FViewers;
  for (TTBItemViewer* V : L) {
    if (V->Show() && !V->Item()->ItemStyle().Contains(tbisSeparator)) {
      return V;
    }
  }
  return nullptr;
}

void TTBView::GivePriority(TTBItemViewer* AViewer) {
  if (FChevronParentView) {
    const int I = IndexOf(AViewer) + FChevronParentView->LeadingCount();
    if (I >= 0 && I < FChevronParentView->ViewerCount()) {
      FChevronParentView->GivePriority(FChevronParentView->Viewers(I));
    }
    return;
  }
  if (FUsePriorityList) {
    auto It = std::find(FPriorityList.begin(), FPriorityList.end(), AViewer);
    if (It != FPriorityList.end()) {
      FPriorityList.erase(It);
      FPriorityList.insert(FPriorityList.begin(), AViewer);
      if (!FValidated || AViewer->OffEdge()) {
        UpdatePositions();
      }
    }
  }
  if (FParentView && FParentView->FOpenViewer) {
    FParentView->GivePriority(FParentView->FOpenViewer);
  }
}

// ---- Selection --------------------------------------------------------------------------------------------------

void TTBView::UpdateSelection(const TPoint* P, bool AllowNewSelection) {
  ValidatePositions();
  TTBItemViewer* Candidate = (FIsPopup || FState.Contains(vsOpen)) ? FSelected : nullptr;
  const bool WasIn = FState.Contains(vsMouseInWindow);
  if (P && FWindow && FWindow->HandleAllocated() && ControlUnder(*P) == FWindow) {
    if (FIsPopup || !FState.Contains(vsOpen)) {
      Candidate = nullptr;
    }
    FState.Include(vsMouseInWindow);
    if (AllowNewSelection || FSelected) {
      if (TTBItemViewer* V = ViewerFromPoint(FWindow->ScreenToClient(*P))) {
        Candidate = V;
      }
    }
  } else {
    FState.Exclude(vsMouseInWindow);
  }
  if (FCapture) {
    Candidate = FSelected;
  }
  if (FIsPopup && Candidate) {
    const bool IsIn = FState.Contains(vsMouseInWindow);
    if (WasIn && !IsIn && !FCapture) {
      if (!(FOpenViewerView && Candidate->Item()->ItemStyle().Contains(tbisSubmenu))) {
        Candidate = nullptr;
      }
    }
  }
  if (FIsPopup && FState.Contains(vsMouseInWindow) && FParentView) {
    FParentView->SetSelected(FParentView->FOpenViewer);
    FParentView->StopTimer(tiOpen);
    FParentView->StopTimer(tiClose);
  }
  SetSelected(Candidate);
}

// ---- Child popups and timers ------------------------------------------------------------------------------------

void TTBView::SetOpenViewer(TWinControl* AWindow, TTBView* AView, TTBItemViewer* AViewer) {
  FOpenViewerWindow = AWindow;
  FOpenViewerView = AView;
  FOpenViewer = AViewer;
  if (AWindow) {
    AWindow->FreeNotification(this);
  }
}

bool TTBView::OpenChildPopup(bool SelectFirstItem) {
  StopTimer(tiClose);
  StopTimer(tiOpen);
  if (FSelected != FOpenViewer) {
    CloseChildPopups();
    if (FSelected && FSelected->Item()->Enabled() && FSelected->Item()->ItemStyle().Contains(tbisSubmenu)) {
      TBCreatePopup(FSelected->Item(), this, FSelected, !FIsToolbar, SelectFirstItem, false, Point(0, 0), tbpaLeft);
    }
  }
  return FOpenViewer != nullptr;
}

void TTBView::StartTimer(TTBViewTimerID ATimer, int Interval) {
  StopTimer(ATimer);
  if (auto* W = dynamic_cast<TTBPopupWindow*>(FWindow); W && W->HandleAllocated()) {
    ::SetTimer(W->Handle(), ViewTimerBaseID + ATimer, static_cast<UINT>(Interval), nullptr);
    FActiveTimers.Include(ATimer);
  }
}

void TTBView::StopTimer(TTBViewTimerID ATimer) {
  if (FActiveTimers.Contains(ATimer)) {
    if (auto* W = dynamic_cast<TTBPopupWindow*>(FWindow); W && W->HandleAllocated()) {
      ::KillTimer(W->Handle(), ViewTimerBaseID + ATimer);
    }
    FActiveTimers.Exclude(ATimer);
  }
}

void TTBView::StopAllTimers() {
  for (TTBViewTimerID T : {tiOpen, tiClose, tiScrollUp, tiScrollDown}) {
    StopTimer(T);
  }
}

void TTBView::TimerExpired(TTBViewTimerID ATimer) {
  switch (ATimer) {
    case tiOpen:
      StopTimer(tiOpen);
      CloseChildPopups();
      OpenChildPopup(false);
      break;
    case tiClose:
      StopTimer(tiClose);
      CloseChildPopups();
      break;
    case tiScrollUp:
      if (FShowUpArrow) {
        Scroll(false);
      } else {
        StopTimer(tiScrollUp);
      }
      break;
    case tiScrollDown:
      if (FShowDownArrow) {
        Scroll(true);
      } else {
        StopTimer(tiScrollDown);
      }
      break;
  }
}

void TTBView::Scroll(bool ADown) {
  bool Found = false;
  int Edge = 0;
  for (TTBItemViewer* V : FViewers) {
    if (!V->Clipped() || V->Item()->ItemStyle().Contains(tbisSeparator)) {
      continue;
    }
    if (ADown && V->BoundsRect().Bottom > FMaxHeight - ScrollBand) {
      Edge = Found ? std::min(Edge, V->BoundsRect().Bottom) : V->BoundsRect().Bottom;
      Found = true;
    } else if (!ADown && V->BoundsRect().Top < ScrollBand) {
      Edge = Found ? std::max(Edge, V->BoundsRect().Top) : V->BoundsRect().Top;
      Found = true;
    }
  }
  if (!Found) {
    return;
  }
  FScrollOffset += ADown ? Edge + ScrollBand - FMaxHeight : -(ScrollBand - Edge);
  FValidated = false;
  UpdatePositions();
}

void TTBView::ScrollSelectedIntoView() {
  if (!FSelected || !FSelected->Clipped()) {
    return;
  }
  if (FSelected->BoundsRect().Top < ScrollBand) {
    FScrollOffset -= ScrollBand - FSelected->BoundsRect().Top;
  } else if (FSelected->BoundsRect().Bottom > FMaxHeight - ScrollBand) {
    FScrollOffset += FSelected->BoundsRect().Bottom + ScrollBand - FMaxHeight;
  }
  FValidated = false;
  UpdatePositions();
}
