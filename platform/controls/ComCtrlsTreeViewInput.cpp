// The tree view's label editing over a native edit, its keys and its mouse.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/ComCtrlsShared.h"
#include "platform/controls/Forms.h"
#include "platform/controls/ToolTipControl.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

// ---- Label editing ----------------------------------------------------------------------------------------------

bool TTreeNode::EditText() {
  TCustomTreeView* TV = TreeView();
  if (!TV || TV->ReadOnly || !TV->HandleAllocated()) {
    return false;
  }
  TV->EndEditing(false);
  TV->EnsureVisible(this);
  NMTVDISPINFO Info;
  Info.item.mask = TVIF_TEXT | TVIF_HANDLE | TVIF_PARAM;
  Info.item.hItem = this;
  Info.item.lParam = reinterpret_cast<LPARAM>(this);
  Info.item.pszText = FText.data();
  Info.item.cchTextMax = static_cast<int>(FText.size()) + 1;
  if (TV->Notify(Info.hdr, TVN_BEGINLABELEDIT) != 0) {
    return false;
  }
  TRect R = DisplayRect(true);
  TV->ClearTip();
  TV->FEditNode = this;
  if (!ComCtrlsShared::OpenLabelEdit(TV, FText, R, &TCustomTreeView::EditProc, TV->FEditWnd, TV->FEditOldProc)) {
    TV->FEditNode = nullptr;
    return false;
  }
  return true;
}

void TTreeNode::EndEdit(bool Cancel) {
  TCustomTreeView* TV = TreeView();
  if (TV && TV->FEditNode == this) {
    TV->EndEditing(Cancel);
  }
}

LRESULT TCustomTreeView::EditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* TV = static_cast<TCustomTreeView*>(reinterpret_cast<TWinControl*>(GetWindowLongPtr(Wnd, GWLP_USERDATA)));
  WNDPROC Old = TV ? TV->FEditOldProc : nullptr;
  return ComCtrlsShared::LabelEditMessage(Wnd, Msg, WParam, LParam, Old, TV && TV->FEditWnd == Wnd,
                                          [TV](bool Cancel) { TV->EndEditing(Cancel); });
}

void TCustomTreeView::EndEditing(bool Cancel) {
  if (!FEditWnd) {
    return;
  }
  HWND Wnd = FEditWnd;
  TTreeNode* Node = FEditNode;
  FEditWnd = 0;
  FEditNode = nullptr;
  std::string Text = GetWindowTextString(Wnd);
  NMTVDISPINFO Info;
  Info.item.mask = TVIF_TEXT | TVIF_HANDLE | TVIF_PARAM;
  Info.item.hItem = Node;
  Info.item.lParam = reinterpret_cast<LPARAM>(Node);
  Info.item.pszText = Cancel ? nullptr : Text.data();
  Info.item.cchTextMax = static_cast<int>(Text.size()) + 1;
  ComCtrlsShared::CloseLabelEdit(this, Wnd, FEditOldProc);
  Notify(Info.hdr, TVN_ENDLABELEDIT);
  Invalidate();
}

// ---- Input ------------------------------------------------------------------------------------------------------

void TCustomTreeView::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) {
    return;
  }
  NMTVKEYDOWN KD;
  KD.wVKey = Key;
  Notify(KD.hdr, TVN_KEYDOWN);
  std::vector<TTreeNode*> All = Rows();
  if (All.empty()) {
    return;
  }
  int Row = RowOf(FSelected);
  int Last = static_cast<int>(All.size()) - 1;
  int Page = std::max(1, VisibleRowCount());
  auto Go = [&](int R) { DoSelect(All[static_cast<std::size_t>(std::clamp(R, 0, Last))], TVC_BYKEYBOARD); };
  switch (Key) {
    case VK_DOWN: Go(Row < 0 ? 0 : Row + 1); break;
    case VK_UP: Go(Row < 0 ? 0 : Row - 1); break;
    case VK_HOME: Go(0); break;
    case VK_END: Go(Last); break;
    case VK_NEXT: Go(Row + Page - 1); break;
    case VK_PRIOR: Go(Row - Page + 1); break;
    case VK_LEFT:
      if (FSelected && FSelected->FExpanded) {
        DoExpand(FSelected, false, TVC_BYKEYBOARD);
      } else if (FSelected && FSelected->Parent()) {
        DoSelect(FSelected->Parent(), TVC_BYKEYBOARD);
      }
      break;
    case VK_RIGHT:
      if (FSelected && FSelected->HasChildren() && !FSelected->FExpanded) {
        DoExpand(FSelected, true, TVC_BYKEYBOARD);
      } else if (FSelected && FSelected->FExpanded && FSelected->getFirstChild()) {
        DoSelect(FSelected->getFirstChild(), TVC_BYKEYBOARD);
      }
      break;
    case VK_ADD:
      if (FSelected) DoExpand(FSelected, true, TVC_BYKEYBOARD);
      break;
    case VK_SUBTRACT:
      if (FSelected) DoExpand(FSelected, false, TVC_BYKEYBOARD);
      break;
    case VK_MULTIPLY:
      if (FSelected) FSelected->Expand(true);
      break;
    case VK_F2:
      if (FSelected) FSelected->EditText();
      break;
    default: break;
  }
}

void TCustomTreeView::DefaultHandler(TMessage& Message) {
  if (Message.Msg != WM_MOUSEWHEEL) {
    TCustomControl::DefaultHandler(Message);
    return;
  }
  // Whole notches scroll WheelScrollLines rows each; the rest waits for the next turn.
  const int Notches = ComCtrlsShared::TakeWheelNotches(FWheelRest, Message.WParam);
  if (Notches != 0) {
    ScrollTo(FTopRow - Notches * Mouse->WheelScrollLines);
  }
  Message.Result = 0;
}

void TCustomTreeView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (HandleAllocated()) {
        MouseOver(Message.Msg, Message.WParam, Message.LParam);
      }
      break;
    default: break;
  }
  switch (Message.Msg) {
    case CN_NOTIFY:
      CNNotify(Message);
      return;
    case WM_NOTIFY:
      if (auto* H = reinterpret_cast<NMHDR*>(Message.LParam); H && FToolTip && H->hwndFrom == FToolTip) {
        Message.Result = H->code == TTN_SHOW && PlaceTip() ? 1 : 0;
        return;
      }
      break;
    case WM_SETCURSOR:
      if (LOWORD(static_cast<DWORD_PTR>(Message.LParam)) == HTCLIENT && static_cast<HWND>(Message.WParam) == FHandle &&
          SetCursorOverLabel()) {
        Message.Result = 1;
        return;
      }
      break;
    case TVM_GETTOOLTIPS:
      Message.Result = static_cast<LRESULT>(FToolTip);
      return;
    case TVM_SETTOOLTIPS:
      Message.Result = static_cast<LRESULT>(ReplaceToolTip(static_cast<HWND>(Message.WParam)));
      return;
    case WM_TIMER:
      if (ChangeTimerFired(static_cast<UINT_PTR>(Message.WParam))) {
        return;
      }
      break;
    case WM_DESTROY:
      // The window goes with its parent's: the tip the tree made goes with it.
      DestroyToolTip();
      break;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      auto X = static_cast<short>(LOWORD(Message.LParam)), Y = static_cast<short>(HIWORD(Message.LParam));
      EndEditing(false);
      if (CanFocus() && HandleAllocated() && GetFocus() != FHandle) {
        SetFocus();
      }
      TTreeNode* Node = GetNodeAt(X, Y);
      THitTests Hit = GetHitTestInfoAt(X, Y);
      if (Message.Msg == WM_LBUTTONDOWN) {
        if (Node && Hit.Contains(htOnButton)) {
          DoExpand(Node, !Node->FExpanded, TVC_BYMOUSE);
        } else if (Node && (Hit.Contains(htOnItem) || FRowSelect)) {
          bool WasSelected = Node == FSelected;
          DoSelect(Node, TVC_BYMOUSE);
          FDragNode = Node;
          FDragStart = Point(X, Y);
          if (WasSelected && AutoExpand) {
            DoExpand(Node, !Node->FExpanded, TVC_BYMOUSE);
          }
        }
      } else {
        FRClickNode = Node && (Hit.Contains(htOnItem) || FRowSelect) ? Node : nullptr;
        FDragNode = FRClickNode;
        FDragStart = Point(X, Y);
      }
      break;
    }
    case WM_MOUSEMOVE:
      if (FDragNode && (Message.WParam & (MK_LBUTTON | MK_RBUTTON))) {
        if (ComCtrlsShared::PastDragThreshold(FDragStart, ComCtrlsShared::MousePos(Message.LParam))) {
          TTreeNode* Node = FDragNode;
          FDragNode = nullptr;
          NotifyTree((Message.WParam & MK_LBUTTON) ? TVN_BEGINDRAG : TVN_BEGINRDRAG, 0, nullptr, Node, FDragStart);
        }
      }
      break;
    case WM_LBUTTONUP: {
      FDragNode = nullptr;
      TCustomControl::Dispatch(Message);
      NMHDR H;
      Notify(H, NM_CLICK);
      return;
    }
    case WM_RBUTTONUP: {
      FDragNode = nullptr;
      NMHDR H;
      if (Notify(H, NM_RCLICK) != 0) {
        return;
      }
      break;
    }
    case WM_LBUTTONDBLCLK: {
      // The second press selects as the first did (a button toggles again); then the double click opens or
      // closes the item unless NM_DBLCLK was handled.
      auto X = static_cast<short>(LOWORD(Message.LParam)), Y = static_cast<short>(HIWORD(Message.LParam));
      TTreeNode* Node = GetNodeAt(X, Y);
      THitTests Hit = GetHitTestInfoAt(X, Y);
      if (Node && Hit.Contains(htOnButton)) {
        DoExpand(Node, !Node->FExpanded, TVC_BYMOUSE);
      } else if (Node && (Hit.Contains(htOnItem) || FRowSelect)) {
        DoSelect(Node, TVC_BYMOUSE);
      }
      TCustomControl::Dispatch(Message);
      NMHDR H;
      if (Notify(H, NM_DBLCLK) == 0 && Node && Hit.Contains(htOnItem) && Node->FOwner == FItems.get()) {
        DoExpand(Node, !Node->FExpanded, TVC_BYMOUSE);
      }
      return;
    }
    case WM_VSCROLL: {
      int Page = std::max(1, VisibleRowCount());
      int Top = FTopRow;
      switch (static_cast<int>(LOWORD(Message.WParam))) {
        case SB_LINEUP: --Top; break;
        case SB_LINEDOWN: ++Top; break;
        case SB_PAGEUP: Top -= Page; break;
        case SB_PAGEDOWN: Top += Page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: Top = static_cast<short>(HIWORD(Message.WParam)); break;
        case SB_TOP: Top = 0; break;
        case SB_BOTTOM: Top = static_cast<int>(Rows().size()); break;
        default: break;
      }
      ScrollTo(Top);
      Message.Result = 0;
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    default: break;
  }
  TCustomControl::Dispatch(Message);
}
