// The list view's painting with custom draw.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/ComCtrlsListViewHeader.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"
#include "platform/win/WinMenu.h"

#include <algorithm>
#include <cstring>

void TCustomListView::Paint() {
  TCanvas* C = Canvas();
  HDC DC = C->Handle();
  const TRect Client = ClientRect();
  C->Brush()->SetColor(Color());
  C->FillRect(Client);
  NMLVCUSTOMDRAW Pre;
  Pre.nmcd.dwDrawStage = CDDS_PREPAINT;
  Pre.nmcd.hdc = DC;
  Pre.nmcd.rc = Client;
  LRESULT PreResult = Notify(Pre.nmcd.hdr, NM_CUSTOMDRAW);
  if (PreResult & CDRF_SKIPDEFAULT) {
    return;
  }
  const bool Focus = HandleAllocated() && GetFocus() == FHandle;
  const int Cols = FViewStyle == vsReport ? std::max(1, FColumns->Count()) : 1;
  for (int Index : VisibleItems()) {
    TListItem* Item = Fetch(Index);  // owner data: asked for here, for what shows only
    UINT State = StateOf(Index);
    bool Sel = (State & LVIS_SELECTED) != 0;
    bool Shown = Sel && (Focus || !HideSelection);
    bool Drop = (State & LVIS_DROPHILITED) != 0;
    const bool Hot = FHotTrack && Index == FHotIndex;
    // The hot item in the hot-track colour; underlined as the styles say (the hot one, or all the others).
    const bool Underlined = FHotTrack && FHotTrackStyles.Contains(Hot ? htUnderlineHot : htUnderlineCold);
    COLORREF Text = ColorToRGB(Shown || Drop ? (Focus || Drop ? clHighlightText : clBtnText)
                                             : Hot ? clHotLight : Font()->Color());
    COLORREF Back = ColorToRGB(Shown || Drop ? (Focus || Drop ? clHighlight : clBtnFace) : Color());
    LRESULT ItemResult = CDRF_DODEFAULT;
    NMLVCUSTOMDRAW CD;
    CD.nmcd.hdc = DC;
    CD.nmcd.dwItemSpec = static_cast<DWORD_PTR>(Index);
    CD.nmcd.uItemState = (Sel ? CDIS_SELECTED : 0) | ((State & LVIS_FOCUSED) && Focus ? CDIS_FOCUS : 0) |
                         (Hot ? CDIS_HOT : 0);
    CD.nmcd.lItemlParam = reinterpret_cast<LPARAM>(Item);
    CD.nmcd.rc = ItemRect(Index, drBounds);
    if (PreResult & CDRF_NOTIFYITEMDRAW) {
      CD.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
      CD.clrText = Text;
      CD.clrTextBk = Back;
      ItemResult = Notify(CD.nmcd.hdr, NM_CUSTOMDRAW);
      if (ItemResult & CDRF_SKIPDEFAULT) {
        continue;
      }
      if (ItemResult & CDRF_NEWFONT) {
        Text = CD.clrText;
        Back = CD.clrTextBk;
      }
    }
    TRect Icon = ItemRect(Index, drIcon), Label = ItemRect(Index, drLabel);
    if (Checkboxes && FViewStyle != vsIcon) {
      TRect B = ItemRect(Index, drBounds);
      TRect Box = Rect(B.Left + 3, B.Top + (B.Height() - 13) / 2, B.Left + 16, B.Top + (B.Height() - 13) / 2 + 13);
      DrawFrameControl(DC, &Box, DFC_BUTTON, DFCS_BUTTONCHECK | (Item->FChecked ? DFCS_CHECKED : 0));
    }
    int Image = -1;
    const std::string Caption = DisplayText(Item, 0, &Image);
    TCustomImageList* Images = FViewStyle == vsIcon ? FLargeImages : FSmallImages;
    if (Images && Image >= 0 && Image < Images->Count()) {
      Images->Draw(C, Icon.Left, Icon.Top + (Icon.Height() - Images->Height()) / 2, Image,
                   Enabled() && !(State & LVIS_CUT));
    }
    TRect Fill = FViewStyle == vsReport && RowSelect ? ItemRect(Index, drBounds) : Label;
    if (FViewStyle == vsIcon) {
      Fill = Label;
    }
    for (int Col = 0; Col < Cols; ++Col) {
      COLORREF SubText = Text, SubBack = Back;
      TRect Cell = Label;
      std::string S = Caption;
      TAlignment Align = taLeftJustify;
      if (FViewStyle == vsReport && Col > 0) {
        TRect Head = FHeader ? FHeader->ItemRect(Col) : TRect{};
        Cell = Rect(Head.Left, Label.Top, Head.Right, Label.Bottom);
        S = DisplayText(Item, Col, nullptr);
        Align = FColumns->Items(Col)->Alignment();
        if (!RowSelect) {
          SubText = ColorToRGB(Font()->Color());
          SubBack = ColorToRGB(Color());
        }
      }
      if (FViewStyle == vsReport && (ItemResult & CDRF_NOTIFYSUBITEMDRAW)) {
        NMLVCUSTOMDRAW Sub = CD;
        Sub.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
        Sub.iSubItem = Col;
        Sub.clrText = SubText;
        Sub.clrTextBk = SubBack;
        Sub.nmcd.rc = Cell;
        LRESULT SubResult = Notify(Sub.nmcd.hdr, NM_CUSTOMDRAW);
        if (SubResult & CDRF_SKIPDEFAULT) {
          continue;
        }
        if (SubResult & CDRF_NEWFONT) {
          SubText = Sub.clrText;
          SubBack = Sub.clrTextBk;
        }
      }
      if (Col == 0 ? (Shown || Drop || (ItemResult & CDRF_NEWFONT)) : (SubBack != ColorToRGB(Color()))) {
        C->Brush()->SetColor(static_cast<TColor>(SubBack));
        C->FillRect(Col == 0 ? (FViewStyle == vsReport && RowSelect ? Label : Fill) : Cell);
        if (Col == 0 && FViewStyle == vsReport && RowSelect) {
          C->FillRect(Fill);
        }
      }
      C->Font()->Assign(Font());
      C->Font()->SetColor(static_cast<TColor>(SubText));
      if (Underlined && Col == 0) {
        TFontStyles Style = C->Font()->Style();
        Style.Include(fsUnderline);
        C->Font()->SetStyle(Style);
      }
      C->Brush()->SetStyle(bsClear);
      int W = C->TextWidth(S);
      int X = Cell.Left + 2;
      if (FViewStyle == vsIcon) {
        X = Cell.Left + (Cell.Width() - W) / 2;
      } else if (Align == taRightJustify) {
        X = Cell.Right - 6 - W;
      } else if (Align == taCenter) {
        X = Cell.Left + (Cell.Width() - W) / 2;
      } else if (Col > 0) {
        X = Cell.Left + 6;
      }
      TRect Clip = Rect(Cell.Left, Cell.Top, Cell.Right - 2, Cell.Bottom);
      C->TextRect(Clip, X, Cell.Top + (FViewStyle == vsIcon ? 1 : (Cell.Height() - C->TextHeight("Wg")) / 2), S);
      C->Brush()->SetStyle(bsSolid);
    }
    if ((State & LVIS_FOCUSED) && Focus) {
      TRect FR = Fill;
      DrawFocusRect(DC, &FR);
    }
    if (GridLines && FViewStyle == vsReport) {
      TRect B = ItemRect(Index, drBounds);
      C->Brush()->SetColor(clBtnFace);
      C->FillRect(Rect(B.Left, B.Bottom - 1, std::max(B.Right, Client.Right), B.Bottom));
    }
  }
  if (GridLines && FViewStyle == vsReport && FHeader) {
    C->Brush()->SetColor(clBtnFace);
    for (int Col = 0; Col < FColumns->Count(); ++Col) {
      TRect Head = FHeader->ItemRect(Col);
      C->FillRect(Rect(Head.Right - 1, HeaderHeight(), Head.Right, Client.Bottom));
    }
  }
  if (PreResult & CDRF_NOTIFYPOSTPAINT) {
    NMLVCUSTOMDRAW Post;
    Post.nmcd.dwDrawStage = CDDS_POSTPAINT;
    Post.nmcd.hdc = DC;
    Post.nmcd.rc = Client;
    Notify(Post.nmcd.hdr, NM_CUSTOMDRAW);
  }
}
