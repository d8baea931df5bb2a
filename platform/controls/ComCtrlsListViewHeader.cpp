// The list view's column header window: its geometry, the HDM_ messages, tracking and painting.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/ComCtrlsListViewHeader.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"
#include "platform/win/WinMenu.h"

#include <algorithm>
#include <cstring>

Z_IMPLEMENT_CLASS(TListViewHeader, TCustomControl)

namespace {

constexpr int DividerGrip = 3;

}  // namespace

TRect TListViewHeader::ItemRect(int Index) {
  int X = -FList->FScrollX;
  for (int I = 0; I < FList->FColumns->Count(); ++I) {
    int W = FList->FColumns->Items(I)->Width();
    if (I == Index) {
      return Rect(X, 0, X + W, Height());
    }
    X += W;
  }
  return TRect{};
}

int TListViewHeader::DividerAt(int X) {
  for (int I = FList->FColumns->Count() - 1; I >= 0; --I) {
    TRect R = ItemRect(I);
    if (X >= R.Right - DividerGrip && X <= R.Right + DividerGrip) {
      return I;
    }
  }
  return -1;
}

int TListViewHeader::ItemAt(int X) {
  for (int I = 0; I < FList->FColumns->Count(); ++I) {
    TRect R = ItemRect(I);
    if (X >= R.Left && X < R.Right) {
      return I;
    }
  }
  return -1;
}

LRESULT TListViewHeader::NotifyHeader(UINT Code, int Item, HDITEM* Data) {
  NMHEADER NM;
  NM.hdr.hwndFrom = HandleAllocated() ? FHandle : 0;
  NM.hdr.idFrom = 0;
  NM.hdr.code = Code;
  NM.iItem = Item;
  NM.pitem = Data;
  return SendMessage(FList->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&NM));
}

void TListViewHeader::Dispatch(TMessage& Message) {
  TListColumns* Cols = FList->FColumns.get();
  switch (Message.Msg) {
    case HDM_GETITEMCOUNT: Message.Result = Cols->Count(); return;
    case HDM_GETITEMRECT: {
      auto Index = static_cast<int>(Message.WParam);
      if (Index < 0 || Index >= Cols->Count() || !Message.LParam) {
        Message.Result = 0;
        return;
      }
      *reinterpret_cast<TRect*>(Message.LParam) = ItemRect(Index);
      Message.Result = 1;
      return;
    }
    case HDM_GETITEM:
    case HDM_SETITEM: {
      auto Index = static_cast<int>(Message.WParam);
      auto* Item = reinterpret_cast<HDITEM*>(Message.LParam);
      if (Index < 0 || Index >= Cols->Count() || !Item) {
        Message.Result = 0;
        return;
      }
      TListColumn* Col = Cols->Items(Index);
      if (Message.Msg == HDM_GETITEM) {
        if (Item->mask & HDI_WIDTH) Item->cxy = Col->Width();
        if (Item->mask & HDI_FORMAT) {
          int Align = Col->Alignment() == taRightJustify ? HDF_RIGHT : Col->Alignment() == taCenter ? HDF_CENTER : HDF_LEFT;
          Item->fmt = Align | (Format(Index) & ~HDF_JUSTIFYMASK) | ((Format(Index) & HDF_OWNERDRAW) ? 0 : HDF_STRING);
        }
        if ((Item->mask & HDI_TEXT) && Item->pszText && Item->cchTextMax > 0) {
          std::string T = Col->Caption().substr(0, static_cast<std::size_t>(Item->cchTextMax - 1));
          std::memcpy(Item->pszText, T.c_str(), T.size() + 1);
        }
        if (Item->mask & HDI_IMAGE) Item->iImage = Col->ImageIndex();
        if (Item->mask & HDI_LPARAM) Item->lParam = reinterpret_cast<LPARAM>(Col);
      } else {
        if (NotifyHeader(HDN_ITEMCHANGING, Index, Item) != 0) {
          Message.Result = 0;
          return;
        }
        if (Item->mask & HDI_FORMAT) {
          if (static_cast<int>(Formats.size()) <= Index) {
            Formats.resize(static_cast<std::size_t>(Index) + 1, 0);
          }
          Formats[static_cast<std::size_t>(Index)] = Item->fmt & ~HDF_JUSTIFYMASK;
          int J = Item->fmt & HDF_JUSTIFYMASK;
          Col->SetAlignment(J == HDF_RIGHT ? taRightJustify : J == HDF_CENTER ? taCenter : taLeftJustify);
        }
        if (Item->mask & HDI_WIDTH) Col->SetWidth(Item->cxy);
        if ((Item->mask & HDI_TEXT) && Item->pszText) Col->SetCaption(Item->pszText);
        if (Item->mask & HDI_IMAGE) Col->SetImageIndex(Item->iImage);
        NotifyHeader(HDN_ITEMCHANGED, Index, Item);
        Invalidate();
      }
      Message.Result = 1;
      return;
    }
    case WM_LBUTTONDOWN: {
      auto X = static_cast<short>(LOWORD(Message.LParam));
      int Div = DividerAt(X);
      if (Div >= 0) {
        HDITEM Item;
        Item.mask = HDI_WIDTH;
        Item.cxy = Cols->Items(Div)->Width();
        if (NotifyHeader(HDN_BEGINTRACK, Div, &Item) == 0) {
          FTracking = Div;
          FTrackStartX = X;
          FTrackStartWidth = Item.cxy;
          SetCapture(FHandle);
        }
      } else {
        FPressed = ItemAt(X);
        if (FPressed >= 0) {
          SetCapture(FHandle);
        }
      }
      Message.Result = 0;
      return;
    }
    case WM_MOUSEMOVE:
      if (FTracking >= 0) {
        auto X = static_cast<short>(LOWORD(Message.LParam));
        HDITEM Item;
        Item.mask = HDI_WIDTH;
        Item.cxy = std::max(0, FTrackStartWidth + X - FTrackStartX);
        NotifyHeader(HDN_TRACK, FTracking, &Item);
        Message.Result = 0;
        return;
      }
      break;
    case WM_LBUTTONUP: {
      auto X = static_cast<short>(LOWORD(Message.LParam));
      if (GetCapture() == FHandle) {
        ReleaseCapture();
      }
      if (FTracking >= 0) {
        int Index = FTracking;
        FTracking = -1;
        HDITEM Item;
        Item.mask = HDI_WIDTH;
        Item.cxy = std::max(0, FTrackStartWidth + X - FTrackStartX);
        NotifyHeader(HDN_ENDTRACK, Index, &Item);
        SendMessage(FHandle, HDM_SETITEM, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&Item));
      } else if (FPressed >= 0) {
        int Index = FPressed;
        FPressed = -1;
        if (ItemAt(X) == Index) {
          // The list view's header reports clicks with the wide code, as the platform's does.
          NotifyHeader(HDN_ITEMCLICKW, Index, nullptr);
        }
      }
      Message.Result = 0;
      return;
    }
    default: break;
  }
  TCustomControl::Dispatch(Message);
}

void TListViewHeader::Paint() {
  TCanvas* C = Canvas();
  C->Brush()->SetColor(clBtnFace);
  C->FillRect(ClientRect());
  TListColumns* Cols = FList->FColumns.get();
  for (int I = 0; I < Cols->Count(); ++I) {
    TListColumn* Col = Cols->Items(I);
    TRect R = ItemRect(I);
    TRect Edge = R;
    DrawEdge(C->Handle(), &Edge, EDGE_RAISED, BF_RECT | BF_SOFT);
    int Fmt = Format(I);
    if (Fmt & HDF_OWNERDRAW) {
      DRAWITEMSTRUCT DIS;
      DIS.CtlType = ODT_HEADER;
      DIS.itemID = static_cast<UINT>(I);
      DIS.itemAction = ODA_DRAWENTIRE;
      DIS.hwndItem = FHandle;
      DIS.hDC = C->Handle();
      DIS.rcItem = R;
      DIS.itemData = reinterpret_cast<ULONG_PTR>(Col);
      SendMessage(FList->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&DIS));
      continue;
    }
    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsClear);
    int W = C->TextWidth(Col->Caption());
    int Room = R.Width() - 12 - ((Fmt & (HDF_SORTUP | HDF_SORTDOWN)) ? 14 : 0);
    int X = R.Left + 6;
    if (Col->Alignment() == taRightJustify) {
      X = R.Left + 6 + std::max(0, Room - W);
    } else if (Col->Alignment() == taCenter) {
      X = R.Left + 6 + std::max(0, (Room - W) / 2);
    }
    TRect Clip = Rect(R.Left + 2, R.Top, R.Right - 2, R.Bottom);
    C->TextRect(Clip, X, R.Top + (R.Height() - C->TextHeight("Wg")) / 2, Col->Caption());
    C->Brush()->SetStyle(bsSolid);
    if (Fmt & (HDF_SORTUP | HDF_SORTDOWN)) {
      // A small triangle: pointing up for ascending, down for descending.
      int AX = std::min(X + W + 6, R.Right - 12), AY = R.Top + R.Height() / 2;
      C->Brush()->SetColor(clBtnShadow);
      for (int Row = 0; Row < 4; ++Row) {
        int Half = (Fmt & HDF_SORTUP) ? Row : 3 - Row;
        C->FillRect(Rect(AX + 3 - Half, AY - 2 + Row, AX + 4 + Half, AY - 1 + Row));
      }
    }
  }
}
