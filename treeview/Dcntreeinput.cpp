// ZEZCustomTreeView: hit testing, the mouse buttons, double clicks, keys, type-ahead search, hot tracking, the
// right-click highlight and the view's timers.
#include "treeview/Dcntree.h"
#include "treeview/Dcntreetooltip.h"

#include "platform/controls/Forms.h"
#include "platform/win/Clock.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {
constexpr Integer ClickEditDelay = 750;
constexpr DWORD SearchPause = 500;
constexpr Integer MoveSlop = 5;

bool Inside(const TRect& R, Integer X, Integer Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

char UpperAscii(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; }

bool StartsWithFolded(const std::string& Text, const std::string& Prefix) {
  if (Text.size() < Prefix.size()) {
    return false;
  }
  for (std::size_t I = 0; I < Prefix.size(); ++I) {
    if (UpperAscii(Text[I]) != UpperAscii(Prefix[I])) {
      return false;
    }
  }
  return true;
}

bool FarFrom(TPoint A, Integer X, Integer Y, Integer Distance) {
  const long long DX = static_cast<long long>(X) - A.X;
  const long long DY = static_cast<long long>(Y) - A.Y;
  return std::llabs(DX) >= Distance || std::llabs(DY) >= Distance;
}
}  // namespace

// ---- hit testing -----------------------------------------------------------------------------------------------

ZEZCustomTreeView::ZEZHitInfo ZEZCustomTreeView::GetHitTest(Integer X, Integer Y) {
  ZEZHitInfo Hit;
  const TRect H = GetHitTestRect();
  if (Y < H.Top) Hit.HitTests.Include(dhtAbove);
  if (Y >= H.Bottom) Hit.HitTests.Include(dhtBelow);
  if (X < H.Left) Hit.HitTests.Include(dhtToLeft);
  if (X > H.Right) Hit.HitTests.Include(dhtToRight);
  if (!Hit.HitTests.Empty()) {
    return Hit;
  }
  if (Destroying() || !FTopItem) {
    Hit.HitTests.Include(dhtNowhere);
    return Hit;
  }
  const TRect D = GetDrawRect();
  ZEZNodeDispInfo Info;
  for (ZEZTreeNode* N = FTopItem; N; N = N->GetNextVisibleSimple()) {
    N->GetNodeDispInfo(Info);
    const TRect& Row = Info.Rects[npLines];
    if (Row.Top >= H.Bottom) {
      break;
    }
    if (Y < Row.Top || Y >= Row.Bottom) {
      continue;
    }
    Hit.Node = N;
    bool Found = false;
    for (int P = npLines; P <= npText && !Found; ++P) {
      const TRect& R = Info.Rects[P];
      if (!Inside(R, X, Y) || !Inside(D, X, Y)) {
        continue;
      }
      Found = true;
      switch (static_cast<TNodePart>(P)) {
        case npLines: Hit.HitTests.Include(dhtOnIndent); break;
        case npButton:
          Hit.HitTests.Include(N->GetFirstChild() || N->GetHasChildren() ? dhtOnButton : dhtOnIndent);
          break;
        case npCheckBox: {
          const TSize G = SystemCheckBoxSize();
          const Integer W = G.cx - 2;
          const Integer Ht = G.cy - 2;
          const Integer L = R.Left + (R.Width() - W) / 2;
          const Integer T = R.Top + (R.Height() - Ht) / 2;
          if (Inside(Rect(L, T, L + W, T + Ht), X, Y)) {
            Hit.HitTests.Include(dhtOnCheckBox);
          }
          break;
        }
        case npStateImage: Hit.HitTests.Include(dhtOnStateIcon); break;
        case npImage: Hit.HitTests.Include(dhtOnIcon); break;
        case npText: Hit.HitTests.Include(dhtOnLabel); break;
      }
    }
    if (!Found) {
      Hit.HitTests = GetAnotherHitTest(Point(X, Y), Info);
    }
    break;
  }
  if (!Hit.Node) {
    Hit.HitTests.Include(dhtNowhere);
    return Hit;
  }
  for (ZEZHitTest T : {dhtOnStateIcon, dhtOnIcon, dhtOnLabel, dhtOnRight}) {
    if (Hit.HitTests.Contains(T)) {
      Hit.HitTests.Include(dhtOnItem);
      break;
    }
  }
  return Hit;
}

TPoint ZEZCustomTreeView::GetCursorPos() {
  TPoint P{0, 0};
  ::GetCursorPos(&P);
  if (HandleAllocated()) {
    ::ScreenToClient(Handle(), &P);
  }
  return P;
}

ZEZCustomTreeView::ZEZHitInfo ZEZCustomTreeView::GetHitTestAtCursor() {
  const TPoint P = GetCursorPos();
  return GetHitTest(P.X, P.Y);
}

THitTests ZEZCustomTreeView::GetHitTestInfoAt(Integer X, Integer Y) {
  static constexpr struct {
    ZEZHitTest From;
    THitTest To;
  } Map[] = {{dhtNowhere, htNowhere},   {dhtAbove, htAbove},       {dhtBelow, htBelow},
             {dhtToLeft, htToLeft},     {dhtToRight, htToRight},   {dhtOnItem, htOnItem},
             {dhtOnIndent, htOnIndent}, {dhtOnButton, htOnButton}, {dhtOnStateIcon, htOnStateIcon},
             {dhtOnIcon, htOnIcon},     {dhtOnLabel, htOnLabel},   {dhtOnRight, htOnRight}};
  const ZEZHitTests Hit = GetHitTest(X, Y).HitTests;
  THitTests Result;
  for (const auto& M : Map) {
    if (Hit.Contains(M.From)) {
      Result.Include(M.To);
    }
  }
  return Result;
}

THitTests ZEZCustomTreeView::GetHitTestInfoAtCursor() {
  const TPoint P = GetCursorPos();
  return GetHitTestInfoAt(P.X, P.Y);
}

ZEZTreeNode* ZEZCustomTreeView::GetNodeAt(Integer X, Integer Y) {
  const ZEZHitInfo Hit = GetHitTest(X, Y);
  const TRect D = GetDrawRect();
  return Hit.HitTests.Contains(dhtOnItem) && X >= D.Left && X < D.Right ? Hit.Node : nullptr;
}

ZEZTreeNode* ZEZCustomTreeView::GetNodeAtCursor() {
  const TPoint P = GetCursorPos();
  return GetNodeAt(P.X, P.Y);
}

bool ZEZCustomTreeView::IsOnItem(Integer X, Integer Y) { return GetHitTest(X, Y).HitTests.Contains(dhtOnLabel); }

bool ZEZCustomTreeView::IsDownAndUpEqual(Integer X, Integer Y) { return GetNodeAt(X, Y) == FMouseDownNode; }

// ---- the message side ------------------------------------------------------------------------------------------

bool ZEZCustomTreeView::InputMessage(TMessage& Message) {
  if (EditorMessage(Message)) {
    return true;
  }
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); return true;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return true;
    case WM_LBUTTONUP:
      TWinControl::Dispatch(Message);
      if (MouseCapture()) {
        SetMouseCapture(false);
      }
      return true;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); return true;
    case WM_RBUTTONUP:
      RemoveHotTrackNode();
      TWinControl::Dispatch(Message);
      return true;
    case WM_TIMER: OnTimer(static_cast<Integer>(Message.WParam)); return true;
    case CM_DRAG: CMDragMessage(Message); return true;
    case WM_SETCURSOR: WMSetCursor(Message); return true;
    case WM_KEYDOWN:
    case WM_CHAR:
      // While a band runs, only Escape gets through.
      if (FRubberBand && Message.WParam != VK_ESCAPE && Message.WParam != 27) {
        return true;
      }
      return false;
    case WM_CANCELMODE:
      DoCancelMode();
      return false;
    case CM_MOUSELEAVE:
      TWinControl::Dispatch(Message);
      UpdateHotTrack();
      return true;
    case WM_SETFOCUS:
      UpdateSelected();
      return false;
    case WM_KILLFOCUS:
      DoCancelMode();
      KillEditTimer();
      return false;
    default: return false;
  }
}

void ZEZCustomTreeView::DoCancelMode() {
  MouseSelectCancel();
  if (Dragging()) {
    EndDrag(false);
  }
}

void ZEZCustomTreeView::WMLButtonDown(TMessage& Message) {
  const auto& Mouse = MessageAs<TWMMouse>(Message);
  const Integer X = Mouse.XPos;
  const Integer Y = Mouse.YPos;
  EndEditNode(false);
  FWasUnfocused = !IsFocused();
  if (Dragging()) {
    EndDrag(false);
  }
  if (HandleAllocated() && GetFocus() != Handle() && CanFocus()) {
    SetFocus();
  }
  TWinControl::Dispatch(Message);
  UnHighlightNode();
  FPrevFocused = FFocused;
  const ZEZHitInfo Hit = GetHitTest(X, Y);
  LeftPressActions(Hit, Mouse.Keys, X, Y);
  if (GetKeyState(VK_LBUTTON) < 0 || (Mouse.Keys & MK_LBUTTON)) {
    FMouseDownPoint = Point(X, Y);
    FMouseDownNode = Hit.Node;
    FDragPending = DragButtons.Contains(mbLeft);
  }
}

void ZEZCustomTreeView::LeftPressActions(const ZEZHitInfo& Hit, WPARAM Keys, Integer X, Integer Y) {
  ZEZTreeNode* Node = Hit.Node;
  if (Hit.HitTests.Contains(dhtOnItem) && Node) {
    if (AutoExpand) {
      ZEZTreeNode* Sel = Selected();
      if (Sel && Sel != Node && !Node->HasAsParent(Sel)) {
        Sel->Collapse(false);
      }
      if (Node->GetExpanded() && Node != Sel) {
        Node->Collapse(false);
      } else {
        Node->Expand(false);
      }
    }
    const WPARAM Mods = Keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL);
    if (MultiSelect()) {
      if (Mods == (MK_LBUTTON | MK_CONTROL)) {
        Node->SetSelected(!Node->GetSelected());
      } else if (Mods == (MK_LBUTTON | MK_SHIFT)) {
        LockSelectionChanged();
        DeselectPrevious(FShiftAnchor);
        ProcessShiftSelect(Node);
        UnlockSelectionChanged();
      } else if (AllowMultiDrag && Node->GetSelected()) {
        Node->SetFocused(true);
      } else {
        SetSelected(Node);
      }
    } else {
      SetSelected(Node);
    }
  } else if (Hit.HitTests.Contains(dhtOnButton) && Node) {
    Node->GetExpanded() ? Node->Collapse(false) : Node->Expand(false);
  } else if (Hit.HitTests.Contains(dhtOnCheckBox) && Node) {
    if (Node->NodeType() != ntNone) {
      Node->SwitchToNextState();
      if (OnCheckClick) OnCheckClick(this, Node);
    }
  } else if (MultiSelect()) {
    MouseSelectBegin(X, Y);
  }
}

void ZEZCustomTreeView::WMLButtonDblClk(TMessage& Message) {
  const auto& Mouse = MessageAs<TWMMouse>(Message);
  const TPoint P = Point(Mouse.XPos, Mouse.YPos);
  const ZEZHitInfo Hit = GetHitTest(P.X, P.Y);
  TWinControl::Dispatch(Message);
  EndEditNode(false);
  KillEditTimer();
  ZEZTreeNode* Node = Hit.Node;
  if (Hit.HitTests.Contains(dhtOnItem) && Node) {
    Node->GetExpanded() ? Node->Collapse(false) : Node->Expand(false);
  } else if (Hit.HitTests.Contains(dhtOnIndent) && Node) {
    ZEZTreeNode* A = Node->Parent();
    if (A) {
      Integer Left = A->GetPositionX();
      Integer Right = Left + A->GetIndent();
      if (P.X <= Right) {
        while (A) {
          if (P.X >= Left) {
            A->Collapse(false);
            break;
          }
          A = A->Parent();
          if (!A) {
            break;
          }
          Right = Left;
          Left = Right - A->GetIndent();
        }
      }
    }
  } else {
    LeftPressActions(Hit, Mouse.Keys, P.X, P.Y);
  }
  FWasUnfocused = true;
}

void ZEZCustomTreeView::WMRButtonDown(TMessage& Message) {
  const auto& Mouse = MessageAs<TWMMouse>(Message);
  KillEditTimer();
  if (Dragging()) {
    EndDrag(false);
  }
  if (HandleAllocated() && GetFocus() != Handle() && CanFocus()) {
    SetFocus();
  }
  TWinControl::Dispatch(Message);
  if (GetKeyState(VK_RBUTTON) < 0 || (Mouse.Keys & MK_RBUTTON)) {
    UnHighlightNode();
    FMouseDownPoint = Point(Mouse.XPos, Mouse.YPos);
    FMouseDownNode = GetNodeAt(Mouse.XPos, Mouse.YPos);
    FDragPending = DragButtons.Contains(mbRight);
    if (RightClickSelect && FMouseDownNode) {
      HighlightNode();
    }
  }
}

void ZEZCustomTreeView::WMSetCursor(TMessage& Message) {
  const TPoint P = GetCursorPos();
  if (HandleAllocated() && Inside(ClientRect(), P.X, P.Y) && UpdateCursorAt(P.X, P.Y)) {
    ::SetCursor(Screen->Cursors(crHandPoint));
    Message.Result = 1;
    return;
  }
  TWinControl::Dispatch(Message);
}

void ZEZCustomTreeView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  DoUnHighlightNode();
  FDragPending = false;
  TWinControl::MouseUp(Button, Shift, X, Y);
  if (FRubberBand) {
    MouseSelectCancel();
    return;
  }
  const bool NoShift = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  if (Button != mbLeft || !NoShift || !FMouseDownNode || Dragging()) {
    return;
  }
  if (!FWasUnfocused && IsOnItem(X, Y) && IsSameAsPrev() && IsDownAndUpEqual(X, Y)) {
    TryEditNode();
  } else {
    KillEditTimer();
  }
}

void ZEZCustomTreeView::MouseMove(TShiftState Shift, int X, int Y) {
  UnHighlightNode();
  UpdateHotTrack();
  UpdateToolTip();
  if (FarFrom(FMouseDownPoint, X, Y, MoveSlop)) {
    if (FRubberBand) {
      MouseSelectProcess();
    } else if (DragMode == dmAutomatic && !Dragging() && FDragPending && FMouseDownNode) {
      FMouseDownPoint = Point(INT_MAX, INT_MAX);
      BeginDrag(true);
    }
  }
  TWinControl::MouseMove(Shift, X, Y);
}

// ---- right-click highlight -------------------------------------------------------------------------------------

void ZEZCustomTreeView::DoRightClickNode(ZEZTreeNode* Node, TRightClickAction& Action) {
  if (OnRightClickNode) OnRightClickNode(this, Node, Action);
}

void ZEZCustomTreeView::HighlightNode() {
  FHighlightPoint = GetCursorPos();
  FHighlighted = GetNodeAt(FHighlightPoint.X, FHighlightPoint.Y);
  if (!FHighlighted) {
    return;
  }
  TRightClickAction Action = raSelect;
  DoRightClickNode(FHighlighted, Action);
  if (!FHighlighted) {
    return;
  }
  if (Action == raMakeSelected) {
    SetSelected(FHighlighted);
  }
  if (!FHighlighted || FHighlighted->GetSelected() || FHighlighted == Selected() || Action == raNothing) {
    FHighlighted = nullptr;
    return;
  }
  LockSelectionChanged();
  DeselectPrevious(nullptr);
  FHighlighted->InternalSetSelected(true);
  if (FFocused) {
    FFocused->InternalSetSelected(false);
  }
  FSelectPending = false;
  UnlockSelectionChanged();
}

void ZEZCustomTreeView::DoUnHighlightNode() {
  if (!FHighlighted) {
    return;
  }
  ZEZTreeNode* H = FHighlighted;
  FHighlighted = nullptr;
  if (FFocused) {
    FFocused->InternalSetSelected(true);
    if (std::find(FSelection.begin(), FSelection.end(), FFocused) == FSelection.end()) {
      FSelection.push_back(FFocused);
    }
  }
  if (H != FFocused) {
    H->InternalSetSelected(false);
  }
}

void ZEZCustomTreeView::UnHighlightNode() {
  if (!FHighlighted) {
    return;
  }
  const TPoint P = GetCursorPos();
  if (std::abs(P.X - FHighlightPoint.X) > MoveSlop || std::abs(P.Y - FHighlightPoint.Y) > MoveSlop) {
    DoUnHighlightNode();
  }
}

// ---- hot tracking ----------------------------------------------------------------------------------------------

void ZEZCustomTreeView::UpdateHotTrack() {
  if (!HotTrack() || MultiLineNodes() || Dragging() || !HandleAllocated() ||
      ComponentState().Contains(csDesigning)) {
    return;
  }
  ZEZTreeNode* N = GetNodeAtCursor();
  if (N == FHotNode) {
    return;
  }
  ZEZTreeNode* Old = FHotNode;
  FHotNode = N;
  if (Old) Old->Invalidate({npText});
  if (N) N->Invalidate({npText});
}

void ZEZCustomTreeView::RemoveHotTrackNode() {
  if (FHotNode) {
    ZEZTreeNode* Old = FHotNode;
    FHotNode = nullptr;
    Old->Invalidate({npText});
  }
}

bool ZEZCustomTreeView::UpdateCursorAt(Integer X, Integer Y) {
  return !ComponentState().Contains(csDesigning) && HotTrack() && !MultiLineNodes() && GetNodeAt(X, Y);
}

void ZEZCustomTreeView::AfterUpdateScrollBars() {
  UpdateHotTrack();
  UpdateToolTip();
}

// ---- keyboard --------------------------------------------------------------------------------------------------

void ZEZCustomTreeView::KeyDown(Word& Key, TShiftState Shift) {
  if (FItems->Locked()) {
    TWinControl::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    OnEscapeKey();
  }
  const TShiftState Mods = Shift * TShiftState{ssShift, ssCtrl, ssAlt};
  ZEZTreeNode* Sel = Selected();
  if (Mods.Empty()) {
    FTrackIndex = -1;
    if (Sel) {
      switch (Key) {
        case VK_PRIOR: SetSelectedKey(PageUpItem(Sel)); break;
        case VK_NEXT: SetSelectedKey(PageDownItem(Sel)); break;
        case VK_END: SetSelectedKey(GetLastVisibleNode()); break;
        case VK_HOME: SetSelectedKey(GetFirstVisibleNode()); break;
        case VK_LEFT:
          if (Sel->HasDescendants() && Sel->GetExpanded()) {
            Sel->Collapse(false);
          } else {
            SetSelectedKey(Sel->Parent());
          }
          break;
        case VK_UP: SetSelectedKey(Sel->GetPrevVisibleExternal()); break;
        case VK_RIGHT:
          if (Sel->HasDescendants() || Sel->GetHasChildren()) {
            if (Sel->GetExpanded()) {
              SetSelectedKey(Sel->GetFirstChild());
            } else {
              Sel->Expand(false);
            }
          }
          break;
        case VK_DOWN: SetSelectedKey(Sel->GetNextVisibleExternal()); break;
        default: break;
      }
    }
  } else if (Mods == TShiftState{ssShift}) {
    if (MultiSelect() && Sel) {
      auto Extend = [this](ZEZTreeNode* Target) {
        if (!Target) {
          return;
        }
        LockSelectionChanged();
        DeselectPrevious(FShiftAnchor);
        ProcessShiftSelect(Target);
        UnlockSelectionChanged();
      };
      switch (Key) {
        case VK_PRIOR: {
          Sel->MakeVisible();
          ZEZTreeNode* N = PageUpItem(Sel);
          SetTopItem(N);
          Extend(N);
          break;
        }
        case VK_NEXT: {
          Sel->MakeVisible();
          ZEZTreeNode* N = PageDownItem(Sel);
          SetTopItem(Sel);
          Extend(N);
          break;
        }
        case VK_HOME: {
          FTrackIndex = 0;
          ZEZTreeNode* N = FItems->GetFirstNode();
          SetTopItem(N);
          Extend(N);
          break;
        }
        case VK_END: {
          FTrackIndex = FRoot ? FRoot->VisibleCount() - 1 : -1;
          ZEZTreeNode* N = GetLastVisibleNode();
          SetTopItem(N);
          Extend(N);
          break;
        }
        case VK_UP: Extend(Sel->GetPrevVisibleExternal()); break;
        case VK_DOWN: Extend(Sel->GetNextVisibleExternal()); break;
        default: break;
      }
    }
  } else if (Mods == TShiftState{ssCtrl}) {
    switch (Key) {
      case VK_PRIOR: Scroll(smPageUp); break;
      case VK_NEXT: Scroll(smPageDown); break;
      case VK_END: Scroll(smToRight); break;
      case VK_HOME: Scroll(smToLeft); break;
      case VK_LEFT: Scroll(smLineLeft); break;
      case VK_UP: Scroll(smLineUp); break;
      case VK_RIGHT: Scroll(smLineRight); break;
      case VK_DOWN: Scroll(smLineDown); break;
      case VK_MULTIPLY: FullExpand(); break;
      default: break;
    }
  }
  TWinControl::KeyDown(Key, Shift);
}

void ZEZCustomTreeView::KeyPress(char& Key) {
  ZEZTreeNode* Sel = Selected();
  if (!FEditing && !FItems->Locked() && Sel) {
    const unsigned char C = static_cast<unsigned char>(Key);
    if (C == ' ' && Sel->NodeType() != ntNone) {
      Sel->SwitchToNextState();
      if (OnCheckClick) OnCheckClick(this, Sel);
    } else if (C == '*') {
      Sel->Expand(true);
    } else if (C == '+') {
      Sel->Expand(false);
    } else if (C == '-') {
      Sel->Collapse(false);
    } else if (C == ' ' || C >= 46) {
      ProcessQuickSearch(Key);
    }
  }
  TWinControl::KeyPress(Key);
}

void ZEZCustomTreeView::ProcessQuickSearch(char Ch) {
  ZEZTreeNode* First = GetFirstVisibleNode();
  if (!First) {
    return;
  }
  const DWORD T = GetTickCount();
  const std::string Candidate = T - FSearchTick <= SearchPause ? FSearchText + Ch : std::string(1, Ch);
  FSearchTick = T;
  ZEZTreeNode* Start = Selected() ? Selected() : First;
  ZEZTreeNode* Match = nullptr;
  for (ZEZTreeNode* N = Start; N && !Match; N = N->GetNextVisibleSimple()) {
    if (StartsWithFolded(N->GetText(), Candidate)) Match = N;
  }
  for (ZEZTreeNode* N = First; N && N != Start && !Match; N = N->GetNextVisibleSimple()) {
    if (StartsWithFolded(N->GetText(), Candidate)) Match = N;
  }
  if (Match) {
    FSearchText = Candidate;
    SetSelected(Match);
  }
}

// ---- timers ----------------------------------------------------------------------------------------------------

void ZEZCustomTreeView::StartTimer(Integer Id, Integer Interval, bool& Flag) {
  if (Flag || !HandleAllocated()) {
    return;
  }
  ::SetTimer(Handle(), static_cast<UINT_PTR>(Id), static_cast<UINT>(std::max<Integer>(1, Interval)), nullptr);
  Flag = true;
}

void ZEZCustomTreeView::StopTimer(Integer Id, bool& Flag) {
  if (Flag && HandleAllocated()) {
    ::KillTimer(Handle(), static_cast<UINT_PTR>(Id));
  }
  Flag = false;
}

void ZEZCustomTreeView::KillEditTimer() {
  StopTimer(4, FEditTimerOn);
  FPrevFocused = nullptr;
}

void ZEZCustomTreeView::TryEditNode() {
  StopTimer(4, FEditTimerOn);
  if (!ReadOnly) {
    StartTimer(4, ClickEditDelay, FEditTimerOn);
  }
}

void ZEZCustomTreeView::OnTimer(Integer Id) {
  switch (Id) {
    case 1: SelectionChanged(); break;
    case 2: ProcessScrollTimer(); break;
    case 3:
      StopTimer(3, FExpandTimerOn);
      if (FDragOver && FDragExpandNode && FDropTarget == FDragExpandNode) {
        FDragExpandNode->Expand(false);
      }
      break;
    case 4:
      StopTimer(4, FEditTimerOn);
      if (FFocused) EditNode(FFocused);
      break;
    default: break;
  }
}

// ---- tooltips --------------------------------------------------------------------------------------------------

void ZEZCustomTreeView::CreateToolTipWindow() {
  if (!FToolTips || ComponentState().Contains(csDesigning)) {
    return;
  }
  if (!FToolTip) {
    FToolTip = new ZEZTreeToolTip(this);
    FToolTip->AfterConstruction();
  }
  if (HandleAllocated() && !FToolTip->HandleAllocated()) {
    FToolTip->Parent = this;
    FToolTip->CreateToolTipWindow();
    FToolTip->SetInitialTime(0);
    UpdateToolTip();
  }
}

void ZEZCustomTreeView::DestroyToolTipWindowOfView() {
  if (FToolTip) {
    FToolTip->SetNode(nullptr);
    FToolTip->DestroyToolTipWindow();
  }
}

void ZEZCustomTreeView::UpdateToolTip() {
  if (!FToolTip || !FToolTips || WordWrap() || !HandleAllocated() || !FToolTip->HandleAllocated()) {
    return;
  }
  ZEZTreeNode* Node = nullptr;
  if (AllowShowToolTip()) {
    const ZEZHitInfo Hit = GetHitTestAtCursor();
    if (Hit.HitTests.Contains(dhtOnItem)) {
      Node = Hit.Node;
    }
  }
  FToolTip->SetNode(Node);
}

void ZEZCustomTreeView::HideToolTip() {
  if (FToolTip) {
    FToolTip->SetNode(nullptr);
  }
}
