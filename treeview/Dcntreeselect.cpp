// ZEZCustomTreeView: the multiple-selection model (Shift ranges, the only-siblings rule, the anchor), the delayed
// selection notification and the rubber band with its auto-scroll.
#include "treeview/Dcntree.h"

#include <algorithm>

namespace {
bool Between(Integer V, Integer Low, Integer High) { return V >= Low && V <= High; }

// Whether two rectangles touch along an edge or a corner although their intersection is empty.
bool RectsTouch(const TRect& Row, const TRect& R) {
  return (Between(R.Top, Row.Top, Row.Bottom) &&
          (Between(R.Left, Row.Left, Row.Right) || Between(R.Right, Row.Left, Row.Right))) ||
         (Between(Row.Top, R.Top, R.Bottom) && Between(R.Left, Row.Left, Row.Right)) ||
         (Between(R.Top, Row.Top, Row.Bottom) && Between(Row.Left, R.Left, R.Right));
}
}  // namespace

// ---- selection model -------------------------------------------------------------------------------------------

void ZEZCustomTreeView::SelectRange(ZEZTreeNode* From, ZEZTreeNode* To) {
  if (!From || !To) {
    return;
  }
  if (CompareVisibleOrder(From, To) > 0) {
    std::swap(From, To);
  }
  for (ZEZTreeNode* N = From; N; N = N->GetNextVisibleSimple()) {
    N->SetSelected(true);
    if (N == To) {
      break;
    }
  }
}

void ZEZCustomTreeView::ProcessShiftSelect(ZEZTreeNode* Target) {
  if (!Target) {
    return;
  }
  if (!FShiftAnchor) {
    FShiftAnchor = FFocused ? FFocused : Target;
  }
  ZEZTreeNode* Anchor = FShiftAnchor;
  LockSelectionChanged();
  try {
    Target->SetFocused(true);
    SelectRange(Anchor, Target);
    if (SelectOnlySiblings()) {
      const bool Down = CompareVisibleOrder(Anchor, Target) <= 0;
      for (ZEZTreeNode* N = Anchor; N; N = Down ? N->GetNextVisibleSimple() : N->GetPrevVisibleSimple()) {
        if (N->GetSelected()) {
          Anchor = N;
          break;
        }
        if (N == Target) {
          break;
        }
      }
    }
    FShiftAnchor = Anchor;
  } catch (...) {
    UnlockSelectionChanged();
    throw;
  }
  UnlockSelectionChanged();
}

void ZEZCustomTreeView::RemoveFromMultiSelect(ZEZTreeNode* Node) {
  if (Node != FShiftAnchor) {
    return;
  }
  if (FSelection.size() < 2 || !FFocused || FFocused == Node) {
    FShiftAnchor = nullptr;
    return;
  }
  ZEZTreeNode* Next =
      CompareVisibleOrder(Node, FFocused) < 0 ? Node->GetNextVisibleSimple() : Node->GetPrevVisibleSimple();
  FShiftAnchor = Next && Next != Node && !Next->HasAsParent(Node) ? Next : nullptr;
}

void ZEZCustomTreeView::DeleteSelectedItems() {
  FItems->BeginUpdate();
  try {
    while (!FSelection.empty()) {
      ZEZTreeNode* N = FSelection.front();
      N->Delete();
    }
    // The selection went on purpose: no neighbour takes it over.
    FPendingSelected = nullptr;
  } catch (...) {
    FItems->EndUpdate();
    throw;
  }
  FItems->EndUpdate();
}

void ZEZCustomTreeView::InvalidateSelected() {
  for (ZEZTreeNode* N : FSelection) {
    N->Invalidate({npText});
  }
  if (FDropTarget) {
    FDropTarget->Invalidate({npText});
  }
}

void ZEZCustomTreeView::UpdateSelected() {
  if (!FFocused && FTopItem) {
    SetSelected(FTopItem);
  }
}

// ---- delayed notification --------------------------------------------------------------------------------------

void ZEZCustomTreeView::DoSelectionChanged() {
  if (FSelectLock == 0) {
    if (FChangeDelay > 0 && HandleAllocated()) {
      StopTimer(1, FChangeTimerOn);
      StartTimer(1, FChangeDelay, FChangeTimerOn);
    } else {
      SelectionChanged();
    }
  }
  FSelectPending = FSelectLock != 0;
}

void ZEZCustomTreeView::SelectionChanged() {
  StopTimer(1, FChangeTimerOn);
  if (OnSelectionChanged) OnSelectionChanged(this, Selected());
}

void ZEZCustomTreeView::UnlockSelectionChanged() {
  if (FSelectLock > 0) {
    --FSelectLock;
  }
  if (FSelectLock == 0 && FSelectPending) {
    DoSelectionChanged();
  }
}

void ZEZCustomTreeView::FlushDelayedSelection() {
  if (FChangeTimerOn) {
    SelectionChanged();
  }
}

// ---- rubber band -----------------------------------------------------------------------------------------------

TRect ZEZCustomTreeView::NormalizeRect(const TRect& R) {
  return Rect(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
              std::max(R.Top, R.Bottom));
}

TRect ZEZCustomTreeView::RubberBandRect() {
  if (!FRubberBand) {
    return Rect(0, 0, 0, 0);
  }
  const TPoint Abs = GetTopItemAbsPt();
  TRect R = NormalizeRect(Rect(FRubberAnchor.X, FRubberAnchor.Y, FRubberCorner.X, FRubberCorner.Y));
  R.Left -= Abs.X;
  R.Right -= Abs.X;
  R.Top -= Abs.Y;
  R.Bottom -= Abs.Y;
  return R;
}

void ZEZCustomTreeView::MouseSelectBegin(Integer X, Integer Y) {
  KillEditTimer();
  const TPoint Abs = GetTopItemAbsPt();
  FRubberBand = true;
  FRubberAnchor = Point(X + Abs.X, Y + Abs.Y);
  FRubberCorner = FRubberAnchor;
  FFrameHidden = true;
}

void ZEZCustomTreeView::MouseSelectProcess() {
  if (!FRubberBand) {
    return;
  }
  TPoint P = GetCursorPos();
  const TRect D = GetDrawRect();
  if (AutoScroll && (P.X < D.Left || P.X >= D.Right || P.Y < D.Top || P.Y >= D.Bottom)) {
    StartTimer(2, 10, FScrollTimerOn);
  }
  const TRect C = HandleAllocated() ? ClientRect() : D;
  P.X = std::max(C.Left, std::min(P.X, C.Right));
  P.Y = std::max(C.Top, std::min(P.Y, C.Bottom));
  const TPoint Abs = GetTopItemAbsPt();
  P = Point(P.X + Abs.X, P.Y + Abs.Y);
  if (P.X == FRubberCorner.X && P.Y == FRubberCorner.Y && !FFrameHidden) {
    return;
  }
  std::vector<ZEZTreeNode*> List;
  GetItemsInAbsRect(List, NormalizeRect(Rect(FRubberAnchor.X, FRubberAnchor.Y, P.X, P.Y)));
  EraseSelectFrame();
  FRubberCorner = P;
  LockSelectionChanged();
  try {
    std::vector<ZEZTreeNode*> Old = FSelection;
    for (ZEZTreeNode* N : Old) {
      if (std::find(List.begin(), List.end(), N) == List.end()) {
        N->SetSelected(false);
      }
    }
    for (ZEZTreeNode* N : List) {
      if (!N->GetSelected()) {
        N->SetSelected(true);
      }
    }
  } catch (...) {
    UnlockSelectionChanged();
    throw;
  }
  UnlockSelectionChanged();
  PaintSelectFrame();
}

void ZEZCustomTreeView::GetItemsInAbsRect(std::vector<ZEZTreeNode*>& List, const TRect& R) {
  const TRect D = GetDrawRect();
  const Integer ClientRight = (HandleAllocated() ? ClientRect().Right : D.Right) + FHorzPos;
  Integer Y = D.Top;
  for (ZEZTreeNode* N = FItems->GetFirstNode(); N; N = N->GetNextVisibleSimple()) {
    const Integer H = N->GetHeight();
    if (Y > R.Bottom) {
      break;
    }
    const Integer TextW = N->GetTextWidth();
    TRect Row = Rect(N->GetWidth() - TextW, Y, N->GetWidth(), Y + H);
    if (IsRowSelect() && Row.Right < ClientRight) {
      Row.Right = ClientRight;
    }
    const TRect I = Rect(std::max(Row.Left, R.Left), std::max(Row.Top, R.Top), std::min(Row.Right, R.Right),
                         std::min(Row.Bottom, R.Bottom));
    const bool Overlap = I.Left < I.Right && I.Top < I.Bottom;
    if (Overlap || RectsTouch(Row, R)) {
      List.push_back(N);
    }
    Y += H;
  }
}

void ZEZCustomTreeView::MouseSelectUpdate(ZEZTreeNode* Node) {
  if (!FRubberBand || !Node) {
    return;
  }
  const Integer Y = Node->GetAbsolutePointY();
  const Integer H = Node->GetHeight();
  if (Y < FRubberAnchor.Y) FRubberAnchor.Y += H;
  if (Y < FRubberCorner.Y) FRubberCorner.Y += H;
}

void ZEZCustomTreeView::MouseSelectCancel() {
  if (FRubberBand) {
    EraseSelectFrame();
  }
  FRubberBand = false;
  KillScrollTimer();
}

void ZEZCustomTreeView::EraseSelectFrame() {
  if (FPaintingFrame || FFrameHidden) {
    return;
  }
  TRect R = RubberBandRect();
  R.Right += 1;
  R.Bottom += 1;
  InvalidateRect(R);
  FFrameHidden = true;
}

void ZEZCustomTreeView::PaintSelectFrame() {
  FFrameHidden = false;
  TRect R = RubberBandRect();
  R.Right += 1;
  R.Bottom += 1;
  InvalidateRect(R);
}

void ZEZCustomTreeView::BeforeScrollUpdate() { EraseSelectFrame(); }

void ZEZCustomTreeView::AfterScrollUpdate() {
  if (FRubberBand) {
    MouseSelectProcess();
  }
  if (FDragOver) {
    const TPoint P = GetCursorPos();
    UpdateDropTarget(P.X, P.Y);
  }
}

void ZEZCustomTreeView::ProcessScrollTimer() {
  if (FRubberBand) {
    const TPoint P = GetCursorPos();
    const TRect D = GetDrawRect();
    Integer Dist = 0;
    if (P.X < D.Left) {
      Scroll(smLineLeft);
      Dist = D.Left - P.X;
    }
    if (P.X >= D.Right) {
      Scroll(smLineRight);
      Dist = P.X - D.Right;
    }
    if (P.Y < D.Top) {
      Scroll(smLineUp);
      Dist = D.Top - P.Y;
    }
    if (P.Y >= D.Bottom) {
      Scroll(smLineDown);
      Dist = P.Y - D.Bottom;
    }
    FScrollDistance = Dist;
    if (AutoScroll || Dist != 0) {
      if (HandleAllocated()) {
        ::SetTimer(Handle(), 2, static_cast<UINT>(std::max<Integer>(1, 100 - Dist)), nullptr);
        FScrollTimerOn = true;
      }
    } else {
      KillScrollTimer();
    }
    return;
  }
  if (FDropTarget || FDragOver) {
    ProcessDragScroll();
    return;
  }
  KillScrollTimer();
}
