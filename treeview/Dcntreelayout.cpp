// ZEZCustomTreeView: measuring rows, keeping counts and widths current as nodes come and go, choosing the top
// row, sizing the scroll bars, scrolling the picture and turning the wheel into rows.
#include "treeview/Dcntree.h"

#include "platform/graphics/ScrollBars.h"
#include "platform/win/SystemParams.h"

#include <algorithm>
#include <cstdlib>

namespace {
Integer RoundUpEven(Integer V) { return (V + 1) & ~1; }
}  // namespace

// ---- measuring -------------------------------------------------------------------------------------------------

void ZEZCustomTreeView::SelectNodeFont(ZEZTreeNode* Node) {
  // Assigning a font makes a new font object; rows mostly share one font, so only a different one is assigned.
  TFont* F = Node->GetInternalFont();
  if (!FontsEqual(FCanvas->Font(), F) || FCanvas->Font()->Style() != F->Style()) {
    FCanvas->SetFont(F);
  }
}

Integer ZEZCustomTreeView::NodeHeight(ZEZTreeNode* Node, Integer Column) {
  SelectNodeFont(Node);
  const Integer H = GetEditorHeight(Node, Node->GetText(), Column);
  Integer Result = RoundUpEven(H) + 2;
  if (FImages) {
    Result = std::max<Integer>(Result, RoundUpEven(FImages->Height()));
  }
  return std::max<Integer>(Result, 4);
}

Integer ZEZCustomTreeView::NodeWidth(ZEZTreeNode* Node, Integer Column) {
  SelectNodeFont(Node);
  return RoundUpEven(GetEditorWidth(Node, Node->GetText(), Column)) + 2;
}

Integer ZEZCustomTreeView::GetEditorHeight(ZEZTreeNode* Node, const std::string& Text, Integer Column) {
  if (TControl* E = GetEditor(Node, Column)) {
    const TRect R = GetNodeWordWrapRect(Node, Column);
    TDMMeasure M{Text.c_str(), R.Left, R.Right, IsWordWrap(), true};
    if (const LRESULT A = E->Perform(DMMeasure, reinterpret_cast<WPARAM>(&M), 0)) {
      return static_cast<Integer>(A);
    }
  }
  return GetDefaultEditorHeight(Node, Text, Column) + 2;
}

Integer ZEZCustomTreeView::GetEditorWidth(ZEZTreeNode* Node, const std::string& Text, Integer Column) {
  if (TControl* E = GetEditor(Node, Column)) {
    const TRect R = GetNodeWordWrapRect(Node, Column);
    TDMMeasure M{Text.c_str(), R.Left, R.Right, IsWordWrap(), false};
    if (const LRESULT A = E->Perform(DMMeasure, reinterpret_cast<WPARAM>(&M), 0)) {
      return static_cast<Integer>(A);
    }
  }
  return GetDefaultEditorWidth(Node, Text, Column) + 2;
}

Integer ZEZCustomTreeView::GetDefaultEditorHeight(ZEZTreeNode* Node, const std::string& Text, Integer Column) {
  if (!FMultiLineNodes) {
    return GetFontHeight(FCanvas->Font());
  }
  const TRect R = GetNodeWordWrapRect(Node, Column);
  return GetMultiLineTextHeight(FCanvas.get(), Text, R.Width(), IsColumnWordWrap(Column));
}

Integer ZEZCustomTreeView::GetDefaultEditorWidth(ZEZTreeNode* Node, const std::string& Text, Integer Column) {
  if (FMultiLineNodes) {
    const TRect R = GetNodeWordWrapRect(Node, Column);
    return GetMultiLineTextWidth(FCanvas.get(), Text, R.Width(), IsColumnWordWrap(Column));
  }
  return GetRealTextWidth(FCanvas.get(), Text);
}

TRect ZEZCustomTreeView::GetNodeWordWrapRect(ZEZTreeNode* Node, Integer Column) {
  (void)Column;
  const Integer Left = Node->GetPositionX() + Node->GetIndent() + Node->GetCheckBoxWidth() +
                       Node->GetStateImageWidth() + Node->GetImageWidth() + 2;
  Integer Right = GetDrawRect().Right - 2;
  if ((Right - Left) % 2 != 0) {
    --Right;
  }
  return Rect(Left, 0, Right, 0);
}

// ---- caches and counts -----------------------------------------------------------------------------------------

void ZEZCustomTreeView::ResetCache() {
  ForEachNode(FRoot, [](ZEZTreeNode* N) {
    N->FStates.Exclude(nsWidthCalculated);
    N->FStates.Exclude(nsHeightCalculated);
  });
}

void ZEZCustomTreeView::ResetTextCache() {
  ForEachNode(FRoot, [](ZEZTreeNode* N) {
    if (N->GetParentFont()) {
      N->FStates.Exclude(nsWidthCalculated);
      N->FStates.Exclude(nsHeightCalculated);
    }
  });
}

Integer ZEZCustomTreeView::RecalcExpandedCount(ZEZTreeNode* Node) {
  // Post-order over the expanded part of the subtree, without recursion.
  struct TFrame {
    ZEZTreeNode* Node;
    ZEZTreeNode* Child;
    Integer Sum;
  };
  std::vector<TFrame> Stack;
  Stack.push_back({Node, Node->GetFirstChild(), 0});
  Integer Result = 0;
  while (!Stack.empty()) {
    TFrame& F = Stack.back();
    if (F.Child) {
      ZEZTreeNode* C = F.Child;
      F.Child = C->GetNextSibling();
      F.Sum += 1;
      if (C->GetExpanded()) {
        Stack.push_back({C, C->GetFirstChild(), 0});
      }
      continue;
    }
    F.Node->FExpandedCount = F.Sum;
    Result = F.Sum;
    Stack.pop_back();
    if (!Stack.empty()) {
      Stack.back().Sum += Result;
    }
  }
  return Result;
}

void ZEZCustomTreeView::RecalcHorzInfo(bool Full) {
  if (!FRoot) {
    return;
  }
  (void)Full;  // the root's recalculation rebuilds every expanded level bottom-up
  FRoot->CalcMaxWidthInfo();
}

void ZEZCustomTreeView::RecalcAll() {
  if (!HandleAllocated() || FItems->Locked()) {
    FNeedRecalc = true;
    RecalcExpandedCount(FRoot);
    return;
  }
  RecalcHorzInfo(false);
  RecalcExpandedCount(FRoot);
  UpdateScroll(true, true);
}

void ZEZCustomTreeView::WordWrapTree() {
  ResetCache();
  RecalcHorzInfo(true);
  UpdateScroll(true, true);
  Invalidate();
}

// ---- insertion and deletion ------------------------------------------------------------------------------------

void ZEZCustomTreeView::DoAfterInsert(ZEZTreeNode* Node) {
  if (!FTopItem) {
    FTopItem = Node;
    FTopIndex = 0;
    FTopIndexValid = true;
  }
  ZEZTreeNode* P = Node->InternalParent();
  P->IncItemCount(1);
  P->IncExpandedCount(1);
  const bool Locked = FItems->Locked();
  if (Node->GetIsVisible()) {
    Node->ReSortNode();
    if (Locked || !HandleAllocated()) {
      FNeedRecalc = true;
    } else {
      Node->WidestAfterInsert();
      UpdateScroll(false, false);
    }
  }
  MouseSelectUpdate(Node);
  ZEZTreeNode* Parent = Node->Parent();
  if (Parent) {
    Parent->FStates.Include(nsHasChildren);
  }
  if (!Locked && HandleAllocated()) {
    if (Parent && !Parent->GetExpanded()) {
      Parent->Invalidate({npButton});
    }
    ZEZTreeNode* Prev = Node->GetPrevSibling();
    ZEZTreeNode* Next = Node->GetNextSibling();
    if (Prev && !Next) {
      Prev->InvalidateChild({npLines});
      Prev->Invalidate({npButton});
    } else if (Next && !Prev) {
      Next->Invalidate({npButton});
    }
    Node->InvalidateBelow(true);
  }
  if (FCheckBoxesType == ctAll) {
    Node->SetNodeType(ntCheckBox);
  }
  if (OnAfterInsert) {
    OnAfterInsert(this, Node);
  }
}

void ZEZCustomTreeView::DoBeforeDelete1(ZEZTreeNode* Node) {
  if (FItems->Locked() || !HandleAllocated()) {
    return;
  }
  ZEZTreeNode* Prev = Node->GetPrevSibling();
  if (Prev && !Node->GetNextSibling()) {
    Prev->InvalidateChild({npLines});
    Prev->Invalidate({npButton});
  }
  Node->InvalidateBelow(true);
}

void ZEZCustomTreeView::DoBeforeDelete2(ZEZTreeNode* Node) {
  ZEZTreeNode* P = Node->FInternalParent;
  if (!P) {
    return;
  }
  // The node is already out of its sibling list (its parent's child count fixed by the unlinking).
  P->IncExpandedCount(-(Node->FExpandedCount + 1));
  P->IncItemCount(-(Node->FItemCount + 1));
  if (P != FRoot && P->FItemCount == 0) {
    P->FStates.Exclude(nsExpanded);
  }
  if (!FItems->Locked() && !Destroying() && HandleAllocated()) {
    Node->WidestAfterRemove();
    UpdateScroll(true, true);
  }
}

// ---- scroll bars -----------------------------------------------------------------------------------------------

TRect ZEZCustomTreeView::GetDrawRect() {
  if (!HandleAllocated()) {
    return Rect(0, 0, Width(), Height());
  }
  return ClientRect();
}

TSize ZEZCustomTreeView::GetPageSize() {
  const TRect D = GetDrawRect();
  return TSize{D.Width(), D.Height()};
}

TSize ZEZCustomTreeView::GetRealPageSize() {
  TSize S = GetPageSize();
  if (HandleAllocated()) {
    const LONG Style = GetWindowLong(Handle(), GWL_STYLE);
    if (Style & WS_HSCROLL) {
      S.cy += GetSystemMetrics(SM_CYHSCROLL);
    }
    if (Style & WS_VSCROLL) {
      S.cx += GetSystemMetrics(SM_CXVSCROLL);
    }
  }
  return S;
}

Integer ZEZCustomTreeView::GetMaxWidth() const { return FRoot ? FRoot->WidestWidth() : 0; }

Integer ZEZCustomTreeView::CalcVertPage(TSize Size) {
  if (!FTopItem) {
    return 0;
  }
  Integer Rows = 0;
  Integer Room = Size.cy;
  for (ZEZTreeNode* N = FTopItem; N; N = N->GetNextVisibleSimple()) {
    Room -= N->GetHeight();
    if (Room < 0) {
      break;
    }
    ++Rows;
  }
  if (Room > 0) {
    for (ZEZTreeNode* N = FTopItem->GetPrevVisibleSimple(); N; N = N->GetPrevVisibleSimple()) {
      Room -= N->GetHeight();
      if (Room < 0) {
        break;
      }
      ++Rows;
    }
  }
  return std::max<Integer>(Rows, 1);
}

void ZEZCustomTreeView::UpdateScroll(bool UpdateHorz, bool UpdateTop) {
  if (Destroying() || !HandleAllocated() || FItems->Locked()) {
    return;
  }
  BeforeUpdateScrollBars();
  TSize Size = GetRealPageSize();
  FHorzRange = FRoot ? GetMaxWidth() : 0;
  Integer Rows = CalcVertPage(Size);
  bool HorzBar = false;
  if (Size.cx < FHorzRange) {
    HorzBar = true;
    Size.cy -= GetSystemMetrics(SM_CYHSCROLL);
    Rows = CalcVertPage(Size);
  }
  const Integer Total = FRoot->VisibleCount();
  if (Rows < Total) {
    Size.cx -= GetSystemMetrics(SM_CXVSCROLL);
    if (!HorzBar && Size.cx < FHorzRange) {
      Size.cy -= GetSystemMetrics(SM_CYHSCROLL);
      Rows = CalcVertPage(Size);
    }
  }
  SetHorzScrollInfo(Size.cx, FHorzRange);
  SetVertScrollInfo(Rows, Total);
  UpdateToolTip();
  UpdateHotTrack();
  if (UpdateHorz) {
    ProcessHScroll(FHorzPos);
  }
  if (UpdateTop) {
    SetTopItemInternal(FTopItem);
  }
  AfterUpdateScrollBars();
}

void ZEZCustomTreeView::SetVertScrollInfo(Integer Page, Integer Range) {
  if (!HandleAllocated()) {
    return;
  }
  SCROLLINFO Si;
  Si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  Si.nMin = 0;
  Si.nMax = Range - 1;
  Si.nPage = static_cast<UINT>(std::max<Integer>(Page, 0));
  Si.nPos = 0;
  if (Page < Range && FTopItem) {
    FTopIndex = FTopItem->GetVisibleIndex();
    FTopIndexValid = true;
    Si.nPos = FTopIndex;
  }
  if (FFlatScrollBars) {
    FlatSB_SetScrollInfo(Handle(), SB_VERT, &Si, TRUE);
  } else {
    SetScrollInfo(Handle(), SB_VERT, &Si, TRUE);
  }
}

void ZEZCustomTreeView::SetHorzScrollInfo(Integer Page, Integer Range) {
  if (!HandleAllocated()) {
    return;
  }
  SCROLLINFO Si;
  Si.fMask = SIF_RANGE | SIF_PAGE;
  Si.nMin = 0;
  Si.nMax = Range - 1;
  Si.nPage = static_cast<UINT>(std::max<Integer>(Page, 0));
  if (FFlatScrollBars) {
    FlatSB_SetScrollInfo(Handle(), SB_HORZ, &Si, TRUE);
  } else {
    SetScrollInfo(Handle(), SB_HORZ, &Si, TRUE);
  }
}

Integer ZEZCustomTreeView::GetScrollPosition(int Bar, bool Track) {
  SCROLLINFO Si;
  Si.fMask = Track ? SIF_TRACKPOS : SIF_POS;
  if (FFlatScrollBars) {
    FlatSB_GetScrollInfo(Handle(), Bar, &Si);
  } else {
    GetScrollInfo(Handle(), Bar, &Si);
  }
  return Track ? Si.nTrackPos : Si.nPos;
}

void ZEZCustomTreeView::SetScrollPosition(int Bar, Integer Pos) {
  if (FFlatScrollBars) {
    FlatSB_SetScrollPos(Handle(), Bar, Pos, TRUE);
  } else {
    ::SetScrollPos(Handle(), Bar, Pos, TRUE);
  }
}

// ---- the top row -----------------------------------------------------------------------------------------------

ZEZTreeNode* ZEZCustomTreeView::GetNewTopItem(ZEZTreeNode* Node, Integer& Delta) {
  Delta = 0;
  if (!Node) {
    return nullptr;
  }
  Integer Avail = GetDrawRect().Height() - Node->GetHeight();
  for (ZEZTreeNode* N = Node->GetNextVisibleExternal(); N; N = N->GetNextVisibleExternal()) {
    Avail -= N->GetHeight();
    if (Avail <= 0) {
      return Node;
    }
  }
  if (Avail <= 0) {
    return Node;
  }
  ZEZTreeNode* Result = Node;
  for (ZEZTreeNode* N = Node->GetPrevVisibleExternal(); N; N = N->GetPrevVisibleExternal()) {
    if (Avail - N->GetHeight() < 0) {
      break;
    }
    Avail -= N->GetHeight();
    --Delta;
    Result = N;
  }
  return Result;
}

void ZEZCustomTreeView::SetTopItem(ZEZTreeNode* Node) {
  if (!Node || Node == FTopItem) {
    return;
  }
  Node->EnsureExpanded();
  SetTopItemInternal(Node);
}

bool ZEZCustomTreeView::IsNodeShown(const ZEZTreeNode* Node) const { return FPrinting || Node->GetIsVisible(); }

void ZEZCustomTreeView::SetTopItemInternal(ZEZTreeNode* Node) {
  if (!Node || !HandleAllocated()) {
    return;
  }
  if (!IsNodeShown(Node)) {
    Node = FItems->GetFirstVisibleInTreeView();
    if (!Node) {
      return;
    }
  }
  Integer Delta = 0;
  ZEZTreeNode* New = GetNewTopItem(Node, Delta);
  if (New == FTopItem) {
    return;
  }
  EndEditNode(false);
  BeforeSetTopItem(New);
  BeforeScrollUpdate();
  ZEZTreeNode* OldTop = FTopItem;
  if (New == Node && FTrackIndex >= 0) {
    FTopIndex = FTrackIndex;
  } else if (Node == OldTop && FTopIndexValid) {
    FTopIndex += Delta;
  } else {
    FTopIndex = New->GetVisibleIndex();
  }
  FTrackIndex = -1;
  if (!OldTop || !OldTop->GetIsVisible() || OldTop->GetDeleting()) {
    FTopItem = New;
    Invalidate();
  } else if (CompareVisibleOrder(New, OldTop) < 0) {
    FTopItem = New;
    ScrollAbs(0, ScrollDelta(New, OldTop));
  } else {
    const Integer D = ScrollDelta(OldTop, New);
    FTopItem = New;
    ScrollAbs(0, -D);
  }
  Update();
  FTopIndexValid = true;
  UpdateScroll(true, false);
  AfterScrollUpdate();
  AfterSetTopItem(New);
}

Integer ZEZCustomTreeView::ScrollDelta(ZEZTreeNode* From, ZEZTreeNode* To) {
  Integer Sum = 0;
  const Integer Limit = Height();
  for (ZEZTreeNode* N = From; N && N != To; N = N->GetNextVisibleSimple()) {
    Sum += N->GetHeight();
    if (Sum > Limit) {
      break;
    }
  }
  return Sum;
}

void ZEZCustomTreeView::ScrollAbs(Integer DX, Integer DY) {
  HideToolTip();
  FScrollSumX += DX;
  FScrollSumY += DY;
  const TRect R = GetScrollRect(DX, DY);
  if (std::abs(FScrollSumX) > R.Width() || std::abs(DX) > R.Width() || std::abs(FScrollSumY) > R.Height() ||
      std::abs(DY) > R.Height()) {
    Invalidate();
    return;
  }
  // The drag image is kept out of the moved pixels.
  HideDragImage();
  ScrollWindowEx(Handle(), DX, DY, &R, &R, 0, nullptr, SW_INVALIDATE);
  ShowDragImage();
}

void ZEZCustomTreeView::TopItemChanged() {
  if (!HandleAllocated() || !FTopItem) {
    return;
  }
  Integer Delta = 0;
  FTopItem = GetNewTopItem(FTopItem, Delta);
  FTopIndex = FTopItem ? FTopItem->GetVisibleIndex() : 0;
  FTopIndexValid = true;
  UpdateScroll(true, true);
  UpdateHotTrack();
  UpdateToolTip();
  Invalidate();
}

void ZEZCustomTreeView::ScrollByLines(Integer N) {
  ZEZTreeNode* Node = FTopItem;
  if (!Node) {
    return;
  }
  for (Integer I = 0; I < std::abs(N); ++I) {
    ZEZTreeNode* Next = N > 0 ? Node->GetNextVisibleSimple() : Node->GetPrevVisibleSimple();
    if (!Next) {
      break;
    }
    Node = Next;
  }
  SetTopItem(Node);
}

ZEZTreeNode* ZEZCustomTreeView::PageDownItem(ZEZTreeNode* Node) {
  Integer Avail = GetDrawRect().Height() - Node->GetHeight();
  ZEZTreeNode* Last = Node;
  for (ZEZTreeNode* N = Node->GetNextVisibleExternal(); N; N = N->GetNextVisibleExternal()) {
    Avail -= N->GetHeight();
    if (Avail < 0) {
      return Last == Node ? N : Last;
    }
    Last = N;
  }
  return Last;
}

ZEZTreeNode* ZEZCustomTreeView::PageUpItem(ZEZTreeNode* Node) {
  Integer Avail = GetDrawRect().Height() - Node->GetHeight();
  ZEZTreeNode* Last = Node;
  for (ZEZTreeNode* N = Node->GetPrevVisibleExternal(); N; N = N->GetPrevVisibleExternal()) {
    Avail -= N->GetHeight();
    if (Avail < 0) {
      return Last == Node ? N : Last;
    }
    Last = N;
  }
  return Last;
}

ZEZTreeNode* ZEZCustomTreeView::GetFirstVisibleNode() const { return FItems->GetFirstNode(); }
ZEZTreeNode* ZEZCustomTreeView::GetLastVisibleNode() const { return FItems->GetLastVisibleNode(); }
ZEZTreeNode* ZEZCustomTreeView::GetVisibleItem(Integer Index) const { return FItems->GetVisibleItem(Index); }

TPoint ZEZCustomTreeView::GetTopItemAbsPt() {
  return FTopItem ? Point(FHorzPos, FTopItem->GetAbsolutePointY()) : Point(0, 0);
}

void ZEZCustomTreeView::ProcessHScroll(Integer Pos) {
  const Integer Page = GetPageSize().cx;
  Pos = std::max<Integer>(0, std::min<Integer>(Pos, FHorzRange - Page));
  if (Pos == FHorzPos) {
    return;
  }
  BeforeScrollUpdate();
  const Integer Old = FHorzPos;
  FHorzPos = Pos;
  if (HandleAllocated()) {
    ScrollAbs(Old - Pos, 0);
    SetScrollPosition(SB_HORZ, Pos);
    Update();
  }
  AfterScrollUpdate();
}

void ZEZCustomTreeView::InvalidateRect(const TRect& Rect) {
  if (!HandleAllocated()) {
    return;
  }
  const TRect C = ClientRect();
  if (Rect.Right < C.Left || Rect.Bottom < C.Top || Rect.Left > C.Right || Rect.Top > C.Bottom) {
    return;
  }
  TRect R = Rect;
  ClipRectToBounds(R, C);
  ::InvalidateRect(Handle(), &R, FALSE);
}

void ZEZCustomTreeView::Scroll(ZEZScrollMode Mode) {
  HideToolTip();
  static const struct {
    UINT Msg;
    WORD Code;
  } Map[] = {{WM_HSCROLL, SB_LINELEFT},  {WM_HSCROLL, SB_PAGELEFT},  {WM_HSCROLL, SB_LEFT},
             {WM_VSCROLL, SB_LINEUP},    {WM_VSCROLL, SB_PAGEUP},    {WM_VSCROLL, SB_TOP},
             {WM_HSCROLL, SB_LINERIGHT}, {WM_HSCROLL, SB_PAGERIGHT}, {WM_HSCROLL, SB_RIGHT},
             {WM_VSCROLL, SB_LINEDOWN},  {WM_VSCROLL, SB_PAGEDOWN},  {WM_VSCROLL, SB_BOTTOM}};
  TMessage M;
  M.Msg = Map[Mode].Msg;
  M.WParam = Map[Mode].Code;
  if (M.Msg == WM_VSCROLL) {
    WMVScroll(M);
  } else {
    WMHScroll(M);
  }
  UpdateToolTip();
}

// ---- scroll messages -------------------------------------------------------------------------------------------

void ZEZCustomTreeView::WMVScroll(TMessage& Message) {
  Message.Result = 1;
  if (!FTopItem) {
    return;
  }
  EndEditNode(false);
  FTrackIndex = -1;
  ZEZTreeNode* Target = nullptr;
  switch (LOWORD(Message.WParam)) {
    case SB_LINEUP: Target = FTopItem->GetPrevVisibleSimple(); break;
    case SB_LINEDOWN: Target = FTopItem->GetNextVisibleSimple(); break;
    case SB_PAGEUP: Target = PageUpItem(FTopItem); break;
    case SB_PAGEDOWN: Target = PageDownItem(FTopItem); break;
    case SB_THUMBTRACK: FTrackIndex = GetScrollPosition(SB_VERT, true); break;
    case SB_TOP: Target = GetFirstVisibleNode(); break;
    case SB_BOTTOM: Target = GetLastVisibleNode(); break;
    default: return;
  }
  if (FTrackIndex >= 0 && FTrackIndex < FRoot->VisibleCount()) {
    Target = GetVisibleItem(FTrackIndex);
  }
  if (Target && Target != FTopItem) {
    SetTopItemInternal(Target);
  }
  Update();
}

void ZEZCustomTreeView::WMHScroll(TMessage& Message) {
  Message.Result = 1;
  EndEditNode(false);
  const Integer Page = GetPageSize().cx;
  Integer Pos = FHorzPos;
  switch (LOWORD(Message.WParam)) {
    case SB_LINELEFT: Pos -= 5; break;
    case SB_LINERIGHT: Pos += 5; break;
    case SB_PAGELEFT: Pos -= Page - 5; break;
    case SB_PAGERIGHT: Pos += Page - 5; break;
    case SB_LEFT: Pos = 0; break;
    case SB_RIGHT: Pos = GetMaxWidth(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: Pos = GetScrollPosition(SB_HORZ, true); break;
    default: return;
  }
  ProcessHScroll(Pos);
  if (FRowSelect && FFocused) {
    FFocused->Invalidate({npText});
  }
  Update();
}

void ZEZCustomTreeView::WMMouseWheel(TMessage& Message) {
  FWheelRest += static_cast<short>(HIWORD(Message.WParam));
  const Integer N = FWheelRest / WHEEL_DELTA;
  if (N != 0) {
    UINT Lines = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
    ScrollByLines(-N * static_cast<Integer>(Lines));
    FWheelRest -= N * WHEEL_DELTA;
  }
  Message.Result = 1;
}

void ZEZCustomTreeView::WMSize(TMessage& Message) {
  TWinControl::Dispatch(Message);
  if (FRowSelect) {
    for (ZEZTreeNode* N : FSelection) {
      N->Invalidate({npText});
    }
  }
  if (IsWordWrap()) {
    WordWrapTree();
  } else {
    UpdateScroll(true, true);
  }
}

// ---- visible order ---------------------------------------------------------------------------------------------

Integer ZEZCustomTreeView::CompareVisibleOrder(ZEZTreeNode* A, ZEZTreeNode* B) {
  if (A == B) {
    return 0;
  }
  ZEZTreeNode* AFwd = A;
  ZEZTreeNode* ABack = A;
  ZEZTreeNode* BFwd = B;
  ZEZTreeNode* BBack = B;
  while (true) {
    AFwd = AFwd ? AFwd->GetNextVisibleSimple() : nullptr;
    ABack = ABack ? ABack->GetPrevVisibleSimple() : nullptr;
    BFwd = BFwd ? BFwd->GetNextVisibleSimple() : nullptr;
    BBack = BBack ? BBack->GetPrevVisibleSimple() : nullptr;
    if (AFwd == B || BBack == A || !ABack || !BFwd) {
      return -1;
    }
    if (BFwd == A || ABack == B || !BBack || !AFwd) {
      return 1;
    }
  }
}
