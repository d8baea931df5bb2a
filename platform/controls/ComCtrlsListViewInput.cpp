// The list view's label editing over a native edit, its keys and its mouse.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/ComCtrlsListViewHeader.h"
#include "platform/controls/ComCtrlsShared.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"
#include "platform/win/WinMenu.h"

#include <algorithm>
#include <cstring>

// ---- Label editing ----------------------------------------------------------------------------------------------

bool TListItem::EditCaption() {
  TCustomListView* LV = ListView();
  if (!LV || FIndex < 0 || LV->ReadOnly || !LV->HandleAllocated()) {
    return false;
  }
  LV->EndEditing(false);
  LV->EnsureVisible(FIndex, false);
  NMLVDISPINFO Info;
  Info.item.mask = LVIF_TEXT | LVIF_PARAM;
  Info.item.iItem = FIndex;
  Info.item.pszText = FCaption.data();
  Info.item.lParam = reinterpret_cast<LPARAM>(this);
  if (LV->Notify(Info.hdr, LVN_BEGINLABELEDIT) != 0) {
    return false;
  }
  TRect R = LV->ItemRect(FIndex, drLabel);
  LV->FEditIndex = FIndex;
  if (!ComCtrlsShared::OpenLabelEdit(LV, FCaption, R, &TCustomListView::EditProc, LV->FEditWnd, LV->FEditOldProc)) {
    LV->FEditIndex = -1;
    return false;
  }
  return true;
}

void TListItem::CancelEdit() {
  if (TCustomListView* LV = ListView(); LV && LV->FEditIndex == FIndex) {
    LV->EndEditing(true);
  }
}

LRESULT TCustomListView::EditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* LV = static_cast<TCustomListView*>(reinterpret_cast<TWinControl*>(GetWindowLongPtr(Wnd, GWLP_USERDATA)));
  WNDPROC Old = LV ? LV->FEditOldProc : nullptr;
  return ComCtrlsShared::LabelEditMessage(Wnd, Msg, WParam, LParam, Old, LV && LV->FEditWnd == Wnd,
                                          [LV](bool Cancel) { LV->EndEditing(Cancel); });
}

void TCustomListView::EndEditing(bool Cancel) {
  if (!FEditWnd) {
    return;
  }
  HWND Wnd = FEditWnd;
  int Index = FEditIndex;
  FEditWnd = 0;
  FEditIndex = -1;
  std::string Text = GetWindowTextString(Wnd);
  ComCtrlsShared::CloseLabelEdit(this, Wnd, FEditOldProc);
  if (Index < 0 || Index >= FItems->Count()) {
    return;
  }
  NMLVDISPINFO Info;
  Info.item.mask = LVIF_TEXT | LVIF_PARAM;
  Info.item.iItem = Index;
  Info.item.pszText = Cancel ? nullptr : Text.data();
  Info.item.lParam = reinterpret_cast<LPARAM>(FItems->Item(Index));
  Notify(Info.hdr, LVN_ENDLABELEDIT);
  Invalidate();
}

// ---- Input ------------------------------------------------------------------------------------------------------

void TCustomListView::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const int Count = FItems->Count();
  if (Key == 0 || Count == 0) {
    return;
  }
  int Cur = FFocusIndex;
  int Step = FViewStyle == vsList ? 1 : FViewStyle == vsReport ? 1 : PerRow();
  int Next = -2;
  switch (Key) {
    case VK_DOWN: Next = Cur < 0 ? 0 : Cur + Step; break;
    case VK_UP: Next = Cur < 0 ? 0 : Cur - Step; break;
    case VK_RIGHT:
      if (FViewStyle == vsList) Next = Cur + PerColumn();
      else if (FViewStyle != vsReport) Next = Cur + 1;
      break;
    case VK_LEFT:
      if (FViewStyle == vsList) Next = Cur - PerColumn();
      else if (FViewStyle != vsReport) Next = Cur - 1;
      break;
    case VK_HOME: Next = 0; break;
    case VK_END: Next = Count - 1; break;
    case VK_NEXT: Next = Cur + std::max(1, VisibleRowCount() - 1); break;
    case VK_PRIOR: Next = Cur - std::max(1, VisibleRowCount() - 1); break;
    case VK_F2:
      if (FFocusIndex >= 0 && !FOwnerData) FItems->Item(FFocusIndex)->EditCaption();
      return;
    case VK_SPACE:
      if (Checkboxes && FFocusIndex >= 0 && !FOwnerData) {
        TListItem* Item = FItems->Item(FFocusIndex);
        Item->SetChecked(!Item->Checked());
      }
      return;
    default: return;
  }
  if (Next != -2) {
    ClickItem(std::clamp(Next, 0, Count - 1), Shift);
  }
}

void TCustomListView::DefaultHandler(TMessage& Message) {
  if (Message.Msg != WM_MOUSEWHEEL) {
    TCustomControl::DefaultHandler(Message);
    return;
  }
  // Whole notches scroll (the rest waits for the next turn): a column in the list style, WheelScrollLines rows
  // in the report, a third of an icon row per line in the icon styles.
  const int Notches = ComCtrlsShared::TakeWheelNotches(FWheelRest, Message.WParam);
  const int Lines = -Notches * Mouse->WheelScrollLines;
  if (FViewStyle == vsList) {
    Scroll(-Notches * CellWidth(), 0);
  } else if (FViewStyle == vsReport) {
    Scroll(0, Lines * ItemHeight());
  } else {
    Scroll(0, Lines * CellHeight() / 3);
  }
  Message.Result = 0;
}

void TCustomListView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY:
      CNNotify(Message);
      return;
    case WM_NOTIFY:
      if (FHeader && FHeader->HandleAllocated() && Message.LParam &&
          reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom == FHeader->Handle()) {
        HeaderNotify(Message);
        return;
      }
      break;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case LVM_GETHEADER:
      Message.Result = static_cast<LRESULT>(FHeader && FHeader->HandleAllocated() ? FHeader->Handle() : 0);
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      auto X = static_cast<short>(LOWORD(Message.LParam)), Y = static_cast<short>(HIWORD(Message.LParam));
      EndEditing(false);
      if (CanFocus() && HandleAllocated() && GetFocus() != FHandle) {
        SetFocus();
      }
      TListItem* Item = GetItemAt(X, Y);
      int Index = Item ? Item->Index() : -1;
      // A click on a check box turns it.
      if (Checkboxes && Index >= 0 && Message.Msg != WM_RBUTTONDOWN && !FOwnerData) {
        TRect B = ItemRect(Index, drBounds);
        if (X >= B.Left + 2 && X < B.Left + 16) {
          Item->SetChecked(!Item->Checked());
        }
      }
      if (Message.Msg == WM_RBUTTONDOWN) {
        if (Index >= 0 && !(StateOf(Index) & LVIS_SELECTED)) {
          ClickItem(Index, {});
        }
      } else {
        ClickItem(Index, KeysToShiftState(Message.WParam));
      }
      FDragIndex = Index;
      FDragStart = Point(X, Y);
      TCustomControl::Dispatch(Message);
      if (Message.Msg == WM_LBUTTONDBLCLK) {
        NMHDR H;
        Notify(H, NM_DBLCLK);
      }
      return;
    }
    case WM_MOUSELEAVE:
      TrackHot(Message.Msg, Message.LParam);
      break;
    case WM_SETCURSOR:
      if (LOWORD(static_cast<DWORD_PTR>(Message.LParam)) == HTCLIENT && static_cast<HWND>(Message.WParam) == FHandle &&
          SetHotCursor()) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_MOUSEMOVE:
      TrackHot(Message.Msg, Message.LParam);
      if (FDragIndex >= 0 && (Message.WParam & (MK_LBUTTON | MK_RBUTTON))) {
        if (ComCtrlsShared::PastDragThreshold(FDragStart, ComCtrlsShared::MousePos(Message.LParam))) {
          int Index = FDragIndex;
          FDragIndex = -1;
          NotifyItem((Message.WParam & MK_LBUTTON) ? LVN_BEGINDRAG : LVN_BEGINRDRAG, Index, 0, 0, 0, FDragStart);
        }
      }
      break;
    case WM_LBUTTONUP: {
      FDragIndex = -1;
      TCustomControl::Dispatch(Message);
      NMHDR H;
      Notify(H, NM_CLICK);
      return;
    }
    case WM_RBUTTONUP: {
      FDragIndex = -1;
      NMHDR H;
      if (Notify(H, NM_RCLICK) != 0) {
        return;
      }
      break;
    }
    case WM_VSCROLL:
    case WM_HSCROLL: {
      bool Vert = Message.Msg == WM_VSCROLL;
      int Unit = FViewStyle == vsList ? CellWidth() : FViewStyle == vsReport ? (Vert ? ItemHeight() : 8) : CellHeight();
      int Page = Vert ? std::max(1, VisibleRowCount()) : std::max(1, ClientWidth() / std::max(1, Unit));
      int Delta = 0;
      switch (static_cast<int>(LOWORD(Message.WParam))) {
        case SB_LINEUP: Delta = -1; break;
        case SB_LINEDOWN: Delta = 1; break;
        case SB_PAGEUP: Delta = -Page; break;
        case SB_PAGEDOWN: Delta = Page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
          // The message's 16 bits cannot hold the row of a list of more than 65,535 items: the bar's tracking
          // position can.
          int Pos = static_cast<short>(HIWORD(Message.WParam));
          SCROLLINFO Track;
          Track.fMask = SIF_TRACKPOS;
          if (GetScrollInfo(FHandle, Vert ? SB_VERT : SB_HORZ, &Track) &&
              static_cast<WORD>(Track.nTrackPos) == HIWORD(Message.WParam)) {
            Pos = Track.nTrackPos;
          }
          Delta = (FViewStyle == vsReport && !Vert) ? (Pos - FScrollX) / Unit : Pos - FTop;
          break;
        }
        default: break;
      }
      if (Vert) {
        Scroll(0, Delta * Unit);
      } else {
        Scroll(Delta * Unit, 0);
      }
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
