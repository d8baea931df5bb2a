// ZEZTreeNode: where a node's row lies, how wide and high it is, the rectangles of its six parts, scrolling it
// into view, repaint requests, the widest-row bookkeeping and the drawing of its check box and images.
#include "treeview/Dcntree.h"

#include "platform/graphics/ImgList.h"

#include <algorithm>
#include <climits>

namespace {
constexpr Integer NotShown = INT_MAX;
}  // namespace

// ---- measuring -------------------------------------------------------------------------------------------------

Integer ZEZTreeNode::GetHeight() {
  if (!FTreeView || !FTreeView->HandleAllocated()) {
    return 0;
  }
  if (!FStates.Contains(nsHeightCalculated)) {
    FHeight = FTreeView->NodeHeight(this, 0);
    FStates.Include(nsHeightCalculated);
  }
  return FHeight;
}

Integer ZEZTreeNode::GetTextWidth() {
  if (!FTreeView || !FTreeView->HandleAllocated()) {
    return 0;
  }
  if (!FStates.Contains(nsWidthCalculated)) {
    FTextWidth = FTreeView->NodeWidth(this, 0);
    FStates.Include(nsWidthCalculated);
  }
  return FTextWidth;
}

Integer ZEZTreeNode::GetIndentInternal() const { return FTreeView ? FTreeView->Indent() : 0; }

Integer ZEZTreeNode::GetIndent() const {
  return FTreeView && (FTreeView->ShowRoot() || FParent) ? GetIndentInternal() : 0;
}

bool ZEZTreeNode::GetShowCheckBox() const {
  return FTreeView && FTreeView->CheckBoxesType() != ctNone && FNodeType != ntNone;
}

Integer ZEZTreeNode::GetCheckBoxWidth() const { return GetShowCheckBox() ? SystemCheckBoxSize().cx + 4 : 0; }

Integer ZEZTreeNode::GetStateImageWidth() const {
  TCustomImageList* L = FTreeView ? FTreeView->StateImages() : nullptr;
  return L && FStateIndex >= 0 && FStateIndex < L->Count() ? L->Width() : 0;
}

Integer ZEZTreeNode::GetImageWidth() const {
  TCustomImageList* L = FTreeView ? FTreeView->Images() : nullptr;
  return L ? L->Width() + 3 : 0;
}

Integer ZEZTreeNode::GetWidth() {
  if (!FOwner || !FTreeView || !FTreeView->HandleAllocated()) {
    return 0;
  }
  const Integer X = GetPositionX();
  if (X == NotShown) {
    return 0;
  }
  const Integer W = X + FTreeView->HorzPos() + GetIndent() + GetCheckBoxWidth() + GetStateImageWidth() +
                    GetImageWidth() + GetTextWidth();
  return std::max<Integer>(W, 0);
}

TRect ZEZTreeNode::GetButtonRect() {
  const Integer M = std::min(GetIndent() - 2, GetHeight());
  const Integer S = M < 5 ? 3 : M < 9 ? 5 : M < 14 ? 7 : 9;
  return Rect(0, 0, S, S);
}

TRect ZEZTreeNode::GetSymbolRect(const TRect& ButtonRect) {
  const Integer W = ButtonRect.Width();
  const Integer S = W < 5 ? 1 : W < 7 ? 3 : 5;
  return Rect(0, 0, S, S);
}

// ---- positions -------------------------------------------------------------------------------------------------

Integer ZEZTreeNode::GetPositionX() const {
  ZEZCustomTreeView* V = FTreeView;
  if (!V) {
    return NotShown;
  }
  Integer X = V->GetDrawRect().Left - V->HorzPos();
  for (ZEZTreeNode* A = FParent; A; A = A->FParent) {
    if (!A->GetExpanded() && !V->Printing()) {
      return NotShown;
    }
    X += A->GetIndent();
  }
  return X;
}

Integer ZEZTreeNode::GetPositionY() {
  ZEZCustomTreeView* V = FTreeView;
  if (!V) {
    return NotShown;
  }
  Integer Y = V->GetDrawRect().Top;
  for (ZEZTreeNode* N = V->TopItem(); N; N = N->GetNextVisibleSimple()) {
    if (N == this) {
      return Y;
    }
    Y += N->GetHeight();
  }
  return NotShown;
}

Integer ZEZTreeNode::GetPositionYSmart() {
  ZEZCustomTreeView* V = FTreeView;
  if (!V) {
    return NotShown;
  }
  const TRect D = V->GetDrawRect();
  Integer Y = D.Top;
  const Integer Limit = V->Height();
  for (ZEZTreeNode* N = V->TopItem(); N; N = N->GetNextVisibleSimple()) {
    if (N == this) {
      return Y;
    }
    Y += N->GetHeight();
    if (Y - D.Top > Limit) {
      return Y;
    }
  }
  return NotShown;
}

TPoint ZEZTreeNode::GetPosition() { return Point(GetPositionX(), GetPositionY()); }
TPoint ZEZTreeNode::GetPositionSmart() { return Point(GetPositionX(), GetPositionYSmart()); }

Integer ZEZTreeNode::GetAbsolutePointY() {
  Integer Y = 0;
  for (ZEZTreeNode* N = GetPrevVisibleSimple(); N; N = N->GetPrevVisibleSimple()) {
    Y += N->GetHeight();
  }
  return Y;
}

TPoint ZEZTreeNode::GetAbsolutePoint() {
  const Integer X = GetPositionX();
  return Point(X == NotShown ? X : X + (FTreeView ? FTreeView->HorzPos() : 0), GetAbsolutePointY());
}

// ---- display rectangles ----------------------------------------------------------------------------------------

void ZEZTreeNode::GetNodeDispInfoByPos(TPoint Pos, ZEZNodeDispInfo& Info) {
  ZEZCustomTreeView* V = FTreeView;
  const TRect D = V->GetDrawRect();
  const Integer H = GetHeight();
  const Integer Top = Pos.Y;
  // A node out of view sits at the largest position; its bottom stays there instead of overflowing.
  const Integer Bottom = static_cast<Integer>(std::min<long long>(static_cast<long long>(Top) + H, 2147483647));
  Integer X = Pos.X;
  Info.Rects[npLines] = Rect(D.Left - V->HorzPos(), Top, X, Bottom);
  const Integer Widths[] = {GetIndent(), GetCheckBoxWidth(), GetStateImageWidth(), GetImageWidth(), GetTextWidth()};
  for (int P = npButton; P <= npText; ++P) {
    Info.Rects[P] = Rect(X, Top, X + Widths[P - 1], Bottom);
    X += Widths[P - 1];
  }
  if (V->IsRowSelect() && D.Right > Info.Rects[npText].Right) {
    Info.Rects[npText].Right = D.Right;
  }
}

void ZEZTreeNode::GetNodeDispInfoEx(ZEZNodeDispInfo& Info, bool Smart) {
  if (!FTreeView || FTreeView->Root() == this) {
    Info = ZEZNodeDispInfo{};
    return;
  }
  GetNodeDispInfoByPos(Smart ? GetPositionSmart() : GetPosition(), Info);
}

TRect ZEZTreeNode::DisplayRectPart(TNodePart From, TNodePart To, bool Smart) {
  ZEZNodeDispInfo Info;
  GetNodeDispInfoEx(Info, Smart);
  TRect R = Info.Rects[From];
  R.Right = Info.Rects[To].Right;
  return R;
}

TRect ZEZTreeNode::DisplayRect(bool TextOnly) {
  return TextOnly ? DisplayRectPart(npText, npText, false) : DisplayRectPart(npStateImage, npText, false);
}

// ---- rows and visibility ---------------------------------------------------------------------------------------

bool ZEZTreeNode::InTreeView() {
  const TRect D = FTreeView->GetDrawRect();
  const TRect R = DisplayRectPart(npButton, npText, true);
  return R.Left >= D.Left && R.Left < D.Right && R.Right >= D.Left && R.Right <= D.Right && R.Top >= D.Top &&
         R.Top < D.Bottom && R.Bottom >= D.Top && R.Bottom <= D.Bottom;
}

bool ZEZTreeNode::InTreeViewVert() {
  const TRect D = FTreeView->GetDrawRect();
  const TRect R = DisplayRectPart(npLines, npText, true);
  return R.Top >= D.Top && R.Top < D.Bottom && R.Bottom >= D.Top && R.Bottom <= D.Bottom;
}

Integer ZEZTreeNode::GetVisibleIndex() const {
  ZEZCustomTreeView* V = FTreeView;
  const bool Valid = V && V->TopIndexValid() && V->TopItem();
  ZEZTreeNode* Top = V ? V->TopItem() : nullptr;
  Integer Before = 0;
  Integer After = FExpandedCount + 1;
  const ZEZTreeNode* Left = this;
  const ZEZTreeNode* Right = this;
  while (true) {
    if (Valid && Left == Top) {
      return V->TopIndex() + Before;
    }
    if (Valid && Right && Right->FNext == Top) {
      return V->TopIndex() - After;
    }
    if (Left->FPrev) {
      Left = Left->FPrev;
      Before += (Left->GetExpanded() ? Left->FExpandedCount : 0) + 1;
    } else if (Left->FParent) {
      Left = Left->FParent;
      Before += 1;
    } else {
      return Before;
    }
    if (Right) {
      if (Right->FNext) {
        Right = Right->FNext;
        After += 1 + (Right->GetExpanded() ? Right->FExpandedCount : 0);
      } else if (Right->FParent) {
        Right = Right->FParent;
      } else {
        const ZEZTreeNode* Root = V ? V->Root() : nullptr;
        return Root ? Root->FExpandedCount - After : Before;
      }
    }
  }
}

ZEZTreeNode* ZEZTreeNode::GetNextVisibleRect(bool Forward, const TRect& R) {
  for (ZEZTreeNode* N = Forward ? GetNextVisibleSimple() : GetPrevVisibleSimple(); N;
       N = Forward ? N->GetNextVisibleSimple() : N->GetPrevVisibleSimple()) {
    const TRect Row = N->DisplayRectPart(npLines, npText, true);
    if (Forward && R.Bottom < Row.Top) {
      return nullptr;
    }
    if (!Forward && Row.Bottom < R.Top) {
      return nullptr;
    }
    if ((Row.Top >= R.Top && Row.Top < R.Bottom) || (R.Top >= Row.Top && R.Top < Row.Bottom)) {
      return N;
    }
  }
  return nullptr;
}

void ZEZTreeNode::MakeVisible() {
  if (!FTreeView || !FTreeView->HandleAllocated()) {
    return;
  }
  if (Locked()) {
    FTreeView->FPendingMakeVisible = this;
    return;
  }
  EnsureExpanded();
  if (InTreeView()) {
    return;
  }
  if (!InTreeViewVert()) {
    MakeVisibleVert();
  }
  MakeVisibleHorz();
}

void ZEZTreeNode::MakeVisibleVert() {
  ZEZCustomTreeView* V = FTreeView;
  if (!V || !V->HandleAllocated() || Locked() || InTreeViewVert()) {
    return;
  }
  ZEZTreeNode* Top = V->TopItem();
  if (!Top || ZEZCustomTreeView::CompareVisibleOrder(this, Top) >= 0) {
    Integer Room = V->GetDrawRect().Height() - GetHeight();
    ZEZTreeNode* NewTop = this;
    for (ZEZTreeNode* N = GetPrevVisibleSimple(); N; N = N->GetPrevVisibleSimple()) {
      Room -= N->GetHeight();
      if (Room < 0) {
        break;
      }
      NewTop = N;
    }
    V->SetTopItemInternal(NewTop);
  } else {
    V->SetTopItemInternal(this);
  }
}

void ZEZTreeNode::MakeVisibleHorz() {
  ZEZCustomTreeView* V = FTreeView;
  if (!V || Locked()) {
    return;
  }
  const TRect R = DisplayRectPart(npButton, npText, true);
  const TRect D = V->GetDrawRect();
  if (R.Left >= D.Left && R.Right <= D.Right) {
    return;
  }
  if (D.Width() < R.Width()) {
    V->ProcessHScroll(V->HorzPos() + R.Left);
  } else {
    V->ProcessHScroll(V->HorzPos() + D.Left + R.Right - D.Right);
  }
}

// ---- repainting ------------------------------------------------------------------------------------------------

bool ZEZTreeNode::AllowPaint() const { return FTreeView && !Locked() && FTreeView->HandleAllocated(); }

void ZEZTreeNode::Invalidate(TNodeParts Parts) {
  if (AllowPaint()) {
    InvalidateInternal(Parts);
  }
}

void ZEZTreeNode::InvalidateInternal(TNodeParts Parts) {
  ZEZCustomTreeView* V = FTreeView;
  if (!V || !V->HandleAllocated() || Parts.Empty() || V->Root() == this) {
    return;
  }
  const Integer Y = GetPositionYSmart();
  if (Y == NotShown || GetPositionX() == NotShown) {
    return;
  }
  ZEZNodeDispInfo Info;
  GetNodeDispInfoEx(Info, true);
  if (V->RowSelect() && V->RowSelectType() == rtFull) {
    V->InvalidateRect(Rect(Info.Rects[npLines].Left, Info.Rects[npLines].Top, Info.Rects[npText].Right,
                           Info.Rects[npText].Bottom));
    return;
  }
  for (int P = npLines; P <= npText; ++P) {
    if (Parts.Contains(static_cast<TNodePart>(P))) {
      V->InvalidateRect(Info.Rects[P]);
    }
  }
}

void ZEZTreeNode::InvalidateChild(TNodeParts Parts) {
  InvalidateInternal(Parts);
  const ZEZTreeNode* Stop = GetNextVisibleNonExpanded();
  for (ZEZTreeNode* N = GetNext(); N && N != Stop; N = N->GetNext()) {
    if (!N->HasAsParent(this)) {
      break;
    }
    N->InvalidateInternal(Parts);
  }
}

void ZEZTreeNode::InvalidateBelow(bool Including) {
  if (!AllowPaint() || FTreeView->Root() == this) {
    return;
  }
  Integer Y = GetPositionYSmart();
  if (Y == NotShown || GetPositionX() == NotShown) {
    return;
  }
  if (!Including) {
    Y += GetHeight();
  }
  const TRect C = FTreeView->ClientRect();
  FTreeView->InvalidateRect(Rect(C.Left, Y, C.Right, C.Bottom));
}

void ZEZTreeNode::InvalidateToRight(TNodePart Part) {
  if (!AllowPaint() || FTreeView->Root() == this || GetPositionX() == NotShown) {
    return;
  }
  ZEZNodeDispInfo Info;
  GetNodeDispInfoEx(Info, true);
  const TRect& P = Info.Rects[Part];
  FTreeView->InvalidateRect(Rect(P.Left, P.Top, FTreeView->GetDrawRect().Right, P.Bottom));
}

// ---- widest-row bookkeeping ------------------------------------------------------------------------------------

void ZEZTreeNode::CalcMaxWidthInfo() {
  // Depth first over the expanded subtree without recursion: children first, then their parent.
  struct TFrame {
    ZEZTreeNode* Node;
    ZEZTreeNode* Child;
  };
  std::vector<TFrame> Stack;
  Stack.push_back({this, GetExpanded() ? FFirstChild : nullptr});
  while (!Stack.empty()) {
    TFrame& F = Stack.back();
    if (F.Child) {
      ZEZTreeNode* C = F.Child;
      F.Child = C->FNext;
      Stack.push_back({C, C->GetExpanded() ? C->FFirstChild : nullptr});
      continue;
    }
    ZEZTreeNode* N = F.Node;
    Stack.pop_back();
    N->RecomputeWidestLocal();
  }
}

void ZEZTreeNode::RecomputeWidestLocal() {
  FWidestNode = this;
  FWidestWidth = FTreeView && FTreeView->Root() == this ? 0 : GetWidth();
  if (GetExpanded()) {
    for (ZEZTreeNode* C = FFirstChild; C; C = C->FNext) {
      if (C->FWidestWidth > FWidestWidth) {
        FWidestNode = C->FWidestNode;
        FWidestWidth = C->FWidestWidth;
      }
    }
  }
}

void ZEZTreeNode::RecomputeWidestUp(ZEZTreeNode* From, ZEZTreeNode* Gone) {
  for (ZEZTreeNode* A = From; A && A->FWidestNode == Gone; A = A->FInternalParent) {
    A->RecomputeWidestLocal();
  }
}

void ZEZTreeNode::PromoteWidestUp(ZEZTreeNode* From, ZEZTreeNode* Node, Integer Width) {
  for (ZEZTreeNode* A = From; A && A->FWidestWidth < Width; A = A->FInternalParent) {
    A->FWidestNode = Node;
    A->FWidestWidth = Width;
  }
}

void ZEZTreeNode::WidestAfterExpand() {
  CalcMaxWidthInfo();
  PromoteWidestUp(FInternalParent, FWidestNode, FWidestWidth);
}

void ZEZTreeNode::WidestAfterCollapse(ZEZTreeNode* FormerWidest) { RecomputeWidestUp(this, FormerWidest); }

void ZEZTreeNode::WidestAfterInsert() {
  FWidestNode = this;
  FWidestWidth = GetWidth();
  PromoteWidestUp(FInternalParent, this, FWidestWidth);
}

void ZEZTreeNode::WidestAfterRemove() { RecomputeWidestUp(FInternalParent, this); }

void ZEZTreeNode::UpdateWidth() {
  if (FTreeView) {
    FTreeView->EndEditNode(false);
  }
  FStates.Exclude(nsWidthCalculated);
  if (!FTreeView || !GetIsVisible() || Locked()) {
    return;
  }
  const Integer W = GetWidth();
  if (W < FWidestWidth) {
    RecomputeWidestUp(this, this);
  } else {
    PromoteWidestUp(this, this, W);
  }
  FTreeView->UpdateScroll(true, false);
  FTreeView->UpdateHotTrack();
  FTreeView->UpdateToolTip();
}

void ZEZTreeNode::NodeWidthChanged() {
  FStates.Exclude(nsHeightCalculated);
  UpdateWidth();
}

// ---- drawing pieces --------------------------------------------------------------------------------------------

void ZEZTreeNode::DrawCheckBox(const TRect& R) {
  ZEZCustomTreeView* V = FTreeView;
  const bool Printing = V->Printing();
  if (FNodeType == ntRadioButton && !Printing) {
    V->DrawBackground(this, R);
  }
  const TSize S = SystemCheckBoxSize();
  TRect Inner = Rect(0, 0, S.cx - 1, S.cy - 1);
  CenterRect(Inner, R);
  TRect Box = Rect(Inner.Left, Inner.Top, Inner.Left + S.cx, Inner.Top + S.cy);
  UINT Style = FNodeType == ntCheckBox ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO;
  if (V->FlatChecks()) {
    Style |= DFCS_FLAT;
  }
  if (FState == cbChecked) {
    Style |= DFCS_CHECKED;
  } else if (FState == cbGrayed) {
    Style |= DFCS_CHECKED | DFCS_INACTIVE;
  }
  DrawFrameControl(V->Canvas()->Handle(), &Box, DFC_BUTTON, Style);
  if (FNodeType != ntRadioButton && !Printing) {
    V->FillRectExclude(this, R, Box);
  }
}

void ZEZTreeNode::DrawStateImage(const TRect& R) {
  ZEZCustomTreeView* V = FTreeView;
  TCustomImageList* L = V->StateImages();
  if (!L) {
    return;
  }
  const Integer Y = (R.Top + R.Bottom - L->Height()) >> 1;
  ImageList_DrawEx(L->Handle(), FStateIndex, V->Canvas()->Handle(), R.Left, Y, 0, 0, ColorToRGB(V->Color()),
                   CLR_NONE, ILD_NORMAL);
  if (!V->Printing()) {
    V->FillRectExclude(this, R, Rect(R.Left, Y, R.Right, Y + L->Height()));
  }
}

void ZEZTreeNode::DrawImage(const TRect& R) {
  ZEZCustomTreeView* V = FTreeView;
  TCustomImageList* L = V->Images();
  if (!L) {
    return;
  }
  Integer Index = 0;
  if (GetSelected()) {
    V->DoGetSelectedIndex(this);
    Index = FSelectedIndex;
  } else {
    V->DoGetImageIndex(this);
    Index = FImageIndex;
  }
  if (Index < 0 || Index >= L->Count()) {
    if (!V->Printing()) {
      V->DrawBackground(this, R);
    }
    return;
  }
  const TColor Bk = V->RowSelect() && V->RowSelectType() == rtFull ? V->GetSelectedColor(this, V->Color()) : V->Color();
  const Integer Y = (R.Top + R.Bottom - L->Height()) >> 1;
  HDC DC = V->Canvas()->Handle();
  ImageList_DrawEx(L->Handle(), Index, DC, R.Left, Y, 0, 0, ColorToRGB(Bk), ColorToRGB(FColor),
                   GetCut() ? ILD_BLEND50 : ILD_NORMAL);
  if (!V->Printing()) {
    V->FillRectExclude(this, R, Rect(R.Left, Y, R.Left + L->Width(), Y + L->Height()));
  }
  if (FOverlayIndex >= 0) {
    L->Draw(V->Canvas(), R.Left, Y, FOverlayIndex, true);
  }
}
