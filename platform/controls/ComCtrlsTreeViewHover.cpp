// The tree view under the pointer: hot tracking, the tips over labels cut off by the client edge, and the
// delayed change notification.
#include "platform/controls/ComCtrls.h"

#include "platform/controls/ComCtrlsShared.h"
#include "platform/controls/Forms.h"
#include "platform/controls/ToolTipControl.h"
#include "platform/graphics/ImgList.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>

namespace {
constexpr UINT_PTR ChangeTimerId = 0x7443;  // the delayed OnChange
constexpr UINT_PTR TipToolId = 1;           // the tree's one tool: the cut-off label under the pointer

TOOLINFO TipTool(HWND Tree) {
  TOOLINFO Info;
  // Transparent: the tip lies over the label and the mouse goes through it to the tree.
  Info.uFlags = TTF_TRANSPARENT;
  Info.hwnd = Tree;
  Info.uId = TipToolId;
  Info.rect = TRect{};
  Info.lpszText = const_cast<LPSTR>("");
  return Info;
}
}  // namespace

// ---- Styles -----------------------------------------------------------------------------------------------------

bool TCustomTreeView::TrackingStyle() const {
  return HandleAllocated() ? (GetWindowLong(FHandle, GWL_STYLE) & TVS_TRACKSELECT) != 0 : FHotTrack;
}

bool TCustomTreeView::TipsStyle() const {
  return HandleAllocated() ? (GetWindowLong(FHandle, GWL_STYLE) & TVS_NOTOOLTIPS) == 0 : FToolTips;
}

void TCustomTreeView::SetStyleBit(DWORD Bit, bool On) {
  if (!HandleAllocated()) {
    return;
  }
  auto Style = static_cast<DWORD>(GetWindowLong(FHandle, GWL_STYLE));
  Style = On ? (Style | Bit) : (Style & ~Bit);
  SetWindowLong(FHandle, GWL_STYLE, static_cast<LONG>(Style));
}

void TCustomTreeView::SetHotTrack(bool Value) {
  if (FHotTrack == Value) {
    return;
  }
  FHotTrack = Value;
  SetStyleBit(TVS_TRACKSELECT, Value);
  if (!Value) {
    SetHotNode(nullptr);
  }
}

void TCustomTreeView::SetToolTips(bool Value) {
  if (FToolTips == Value) {
    return;
  }
  FToolTips = Value;
  SetStyleBit(TVS_NOTOOLTIPS, !Value);
  if (!HandleAllocated()) {
    return;
  }
  if (Value) {
    CreateToolTip();
  } else {
    DestroyToolTip();
  }
}

// ---- Hot tracking -----------------------------------------------------------------------------------------------

void TCustomTreeView::InvalidateRow(TTreeNode* Node) {
  if (!Node || !HandleAllocated()) {
    return;
  }
  TRect R = Node->DisplayRect(false);
  if (R.Right > R.Left && R.Bottom > R.Top) {
    InvalidateRect(FHandle, &R, TRUE);
  }
}

void TCustomTreeView::SetHotNode(TTreeNode* Node) {
  if (Node == FHotNode) {
    return;
  }
  InvalidateRow(FHotNode);
  FHotNode = Node;
  InvalidateRow(FHotNode);
}

// The pointer moved over the tree, left it, or pressed a button: the hot node and the tip follow it.
void TCustomTreeView::MouseOver(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!FToolTip && !TrackingStyle()) {
    SetHotNode(nullptr);
    return;
  }
  TTreeNode* Node = nullptr;
  THitTests Hit;
  if (Msg != WM_MOUSELEAVE) {
    const TPoint P = ComCtrlsShared::MousePos(LParam);
    Node = GetNodeAt(P.X, P.Y);
    Hit = GetHitTestInfoAt(P.X, P.Y);
    if (Node && !Hit.Contains(htOnItem)) {
      Node = nullptr;
    }
  }
  if (Msg == WM_MOUSEMOVE) {
    // The leave message comes when the pointer goes, whoever else asked for it.
    TRACKMOUSEEVENT Track;
    Track.dwFlags = TME_LEAVE;
    Track.hwndTrack = FHandle;
    TrackMouseEvent(&Track);
  }
  SetHotNode(TrackingStyle() ? Node : nullptr);
  if (!FToolTip) {
    return;
  }
  if (Msg == WM_MOUSEMOVE) {
    TTreeNode* Cut = nullptr;
    TRect Label;
    if (Node && Hit.Contains(htOnLabel) && Node != FEditNode) {
      Label = Node->DisplayRect(true);
      if (Label.Right > ClientWidth()) {
        Cut = Node;
      }
    }
    if (Cut != FTipNode) {
      // Another label: the old tip goes before the tool moves, so the new one is placed over its own label.
      SendMessage(FToolTip, TTM_POP, 0, 0);
      TOOLINFO Info = TipTool(FHandle);
      if (Cut) {
        Info.rect = Label;
        Info.lpszText = const_cast<LPSTR>(Cut->FText.c_str());
      }
      SendMessage(FToolTip, TTM_SETTOOLINFO, 0, reinterpret_cast<LPARAM>(&Info));
      FTipNode = Cut;
    }
  }
  MSG M{};
  M.hwnd = FHandle;
  M.message = Msg;
  M.wParam = WParam;
  M.lParam = LParam;
  SendMessage(FToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&M));
}

bool TCustomTreeView::SetCursorOverLabel() {
  if (!TrackingStyle() || Cursor != crDefault || (Screen && Screen->Cursor() != crDefault)) {
    return false;
  }
  TPoint P;
  GetCursorPos(&P);
  P = ScreenToClient(P);
  if (!GetNodeAt(P.X, P.Y) || !GetHitTestInfoAt(P.X, P.Y).Contains(htOnLabel)) {
    return false;
  }
  ::SetCursor(LoadCursor(nullptr, MAKEINTRESOURCE(IDC_HAND)));
  return true;
}

// ---- Tips -------------------------------------------------------------------------------------------------------

void TCustomTreeView::CreateToolTip() {
  if (FToolTip || !HandleAllocated()) {
    return;
  }
  HWND Tip = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, FHandle, 0,
                            nullptr, nullptr);
  if (!Tip) {
    return;
  }
  ReplaceToolTip(Tip);
  FOwnToolTip = true;
}

// Hands the tree's tool over to Tip (0: none) and answers the tip it had; the tree no longer owns that one.
HWND TCustomTreeView::ReplaceToolTip(HWND Tip) {
  HWND Old = FToolTip;
  if (Old && IsWindow(Old)) {
    TOOLINFO Info = TipTool(FHandle);
    SendMessage(Old, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&Info));
  }
  FToolTip = Tip && IsWindow(Tip) ? Tip : 0;
  FOwnToolTip = false;
  FTipNode = nullptr;
  if (FToolTip && HandleAllocated()) {
    TOOLINFO Info = TipTool(FHandle);
    SendMessage(FToolTip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&Info));
    // The tip shows the label's text as the tree draws it.
    SendMessage(FToolTip, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
  }
  return Old;
}

void TCustomTreeView::DestroyToolTip() {
  const bool Own = FOwnToolTip;
  HWND Tip = ReplaceToolTip(0);
  if (Own && Tip && IsWindow(Tip)) {
    DestroyWindow(Tip);
  }
}

void TCustomTreeView::ClearTip() {
  if (!FTipNode) {
    return;
  }
  FTipNode = nullptr;
  if (FToolTip && IsWindow(FToolTip)) {
    SendMessage(FToolTip, TTM_POP, 0, 0);
    TOOLINFO Info = TipTool(FHandle);
    SendMessage(FToolTip, TTM_SETTOOLINFO, 0, reinterpret_cast<LPARAM>(&Info));
  }
}

// TTN_SHOW: the tip lies exactly over the label, widened when the text needs more room than the label has.
bool TCustomTreeView::PlaceTip() {
  if (!FTipNode || !FToolTip) {
    return false;
  }
  TRect Label = FTipNode->DisplayRect(true);
  if (Label.Right <= Label.Left || Label.Bottom <= Label.Top) {
    return false;
  }
  TRect Tip;
  GetWindowRect(FToolTip, &Tip);
  TPoint At = ClientToScreen(Point(Label.Left, Label.Top));
  SetWindowPos(FToolTip, 0, At.X, At.Y, std::max(Label.Width(), Tip.Width()), Label.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

// ---- The delayed change -----------------------------------------------------------------------------------------

void TCustomTreeView::SelectionChanged(TTreeNode* Node) {
  if (FChangeDelay <= 0 || !HandleAllocated() || FDestroying) {
    Change(Node);
    return;
  }
  KillTimer(FHandle, ChangeTimerId);
  FChangeNode = Node;
  FChangePending = true;
  SetTimer(FHandle, ChangeTimerId, static_cast<UINT>(FChangeDelay), nullptr);
}

bool TCustomTreeView::ChangeTimerFired(UINT_PTR Id) {
  if (Id != ChangeTimerId) {
    return false;
  }
  if (HandleAllocated()) {
    KillTimer(FHandle, ChangeTimerId);
  }
  if (!FChangePending) {
    return true;
  }
  FChangePending = false;
  // A node deleted while the change waited is never handed out: the selection that replaced it is.
  TTreeNode* Node = FChangeNode ? FChangeNode : FSelected;
  FChangeNode = nullptr;
  Change(Node);
  return true;
}
