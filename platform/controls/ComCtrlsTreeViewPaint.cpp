// The tree view's painting with custom draw: lines, buttons, images and labels.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

void TCustomTreeView::Paint() {
  TCanvas* C = Canvas();
  HDC DC = C->Handle();
  const TRect Client = ClientRect();
  NMTVCUSTOMDRAW CD;
  CD.nmcd.dwDrawStage = CDDS_PREPAINT;
  CD.nmcd.hdc = DC;
  CD.nmcd.rc = Client;
  C->Brush()->SetColor(Color());
  C->FillRect(Client);
  LRESULT Pre = Notify(CD.nmcd.hdr, NM_CUSTOMDRAW);
  if (Pre & CDRF_SKIPDEFAULT) {
    return;
  }
  const bool Focus = HandleAllocated() && GetFocus() == FHandle;
  const int H = ItemHeight();
  std::vector<TTreeNode*> All = Rows();
  const int Page = H > 0 ? Client.Height() / H + 1 : 0;
  for (int Row = FTopRow; Row < static_cast<int>(All.size()) && Row < FTopRow + Page; ++Row) {
    TTreeNode* Node = All[static_cast<std::size_t>(Row)];
    const int Y = (Row - FTopRow) * H;
    const int Start = IndentOf(Node);
    const bool Sel = Node == FSelected, Drop = Node == FDropTarget;
    const bool Shown = Drop || (Sel && (Focus || !FHideSelection));
    const bool Hot = Node == FHotNode && TrackingStyle();
    COLORREF Text = ColorToRGB(Shown ? (Focus || Drop ? clHighlightText : clBtnText) : Hot ? clHotLight : Font()->Color());
    COLORREF Back = ColorToRGB(Shown ? (Focus || Drop ? clHighlight : clBtnFace) : Color());
    LRESULT ItemResult = CDRF_DODEFAULT;
    if (Pre & CDRF_NOTIFYITEMDRAW) {
      NMTVCUSTOMDRAW Item;
      Item.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
      Item.nmcd.hdc = DC;
      Item.nmcd.rc = Rect(0, Y, Client.Width(), Y + H);
      Item.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(Node);
      Item.nmcd.uItemState = (Sel ? CDIS_SELECTED : 0) | (Sel && Focus ? CDIS_FOCUS : 0) | (Hot ? CDIS_HOT : 0);
      Item.nmcd.lItemlParam = reinterpret_cast<LPARAM>(Node);
      Item.clrText = Text;
      Item.clrTextBk = Back;
      Item.iLevel = Node->Level();
      ItemResult = Notify(Item.nmcd.hdr, NM_CUSTOMDRAW);
      if (ItemResult & CDRF_SKIPDEFAULT) {
        continue;
      }
      if (ItemResult & CDRF_NEWFONT) {
        Text = Item.clrText;
        Back = Item.clrTextBk;
      }
    }
    // Lines and the button.
    const int Mid = Y + H / 2;
    const bool RootSpace = FShowRoot && (FShowLines || FShowButtons);
    if (FShowLines && (Node->Parent() || RootSpace)) {
      int LX = Start - 2 - FIndent / 2;
      for (int X = LX; X < Start - 2; X += 2) {
        SetPixel(DC, X, Mid, ColorToRGB(clGray));
      }
      int Bottom = Node->getNextSibling() ? Y + H : Mid;
      for (int YY = (Node->getPrevSibling() || Node->Parent()) ? Y : Mid; YY < Bottom; YY += 2) {
        SetPixel(DC, LX, YY, ColorToRGB(clGray));
      }
      int Level = 1;
      for (TTreeNode* P = Node->Parent(); P; P = P->Parent(), ++Level) {
        if (P->getNextSibling() && (P->Parent() || RootSpace)) {
          int PX = LX - Level * FIndent;
          for (int YY = Y; YY < Y + H; YY += 2) {
            SetPixel(DC, PX, YY, ColorToRGB(clGray));
          }
        }
      }
    }
    if (FShowButtons && Node->HasChildren() && (Node->Parent() || RootSpace)) {
      int BX = Start - 2 - FIndent / 2;
      TRect Box = Rect(BX - 4, Mid - 4, BX + 5, Mid + 5);
      C->Brush()->SetColor(Color());
      C->FillRect(Box);
      C->Brush()->SetColor(clGray);
      FrameRect(DC, &Box, C->Brush()->Handle());
      C->Brush()->SetColor(clBlack);
      C->FillRect(Rect(BX - 2, Mid, BX + 3, Mid + 1));
      if (!Node->FExpanded) {
        C->FillRect(Rect(BX, Mid - 2, BX + 1, Mid + 3));
      }
    }
    int X = Start;
    if (FStateImages && Node->FStateIndex > 0) {
      FStateImages->Draw(C, X, Y + (H - FStateImages->Height()) / 2, Node->FStateIndex, Enabled());
      X += FStateImages->Width();
    }
    if (FImages) {
      // The image is asked for as the platform's control asks: TVN_GETDISPINFO, answered by GetImageIndex /
      // GetSelectedIndex.
      NMTVDISPINFO Info;
      Info.item.mask = Sel ? TVIF_SELECTEDIMAGE : TVIF_IMAGE;
      Info.item.hItem = Node;
      Info.item.lParam = reinterpret_cast<LPARAM>(Node);
      Info.item.iImage = Node->FImageIndex;
      Info.item.iSelectedImage = Node->FSelectedIndex;
      Notify(Info.hdr, TVN_GETDISPINFO);
      int Image = Sel ? Info.item.iSelectedImage : Info.item.iImage;
      if (Image >= 0 && Image < FImages->Count()) {
        FImages->Draw(C, X, Y + (H - FImages->Height()) / 2, Image, Enabled() && !Node->FCut);
        if (Node->FOverlayIndex >= 0) {
          FImages->DrawOverlay(C, X, Y + (H - FImages->Height()) / 2, Image, static_cast<TOverlay>(Node->FOverlayIndex),
                               Enabled());
        }
      }
      X += FImages->Width() + 1;
    }
    TRect Label = Rect(X, Y, X + TextWidth(Node->FText) + 4, Y + H);
    TRect Fill = FRowSelect ? Rect(0, Y, Client.Width(), Y + H) : Label;
    if (Shown || (ItemResult & CDRF_NEWFONT)) {
      C->Brush()->SetColor(static_cast<TColor>(Back));
      C->FillRect(Fill);
    }
    C->Font()->Assign(Font());
    C->Font()->SetColor(static_cast<TColor>(Text));
    if (Hot) {
      TFontStyles Style = C->Font()->Style();
      Style.Include(fsUnderline);
      C->Font()->SetStyle(Style);
    }
    C->Brush()->SetStyle(bsClear);
    C->TextOut(Label.Left + 2, Y + (H - C->TextHeight("Wg")) / 2, Node->FText);
    C->Brush()->SetStyle(bsSolid);
    if (Sel && Focus) {
      TRect FR = Fill;
      DrawFocusRect(DC, &FR);
    }
  }
  if (Pre & CDRF_NOTIFYPOSTPAINT) {
    NMTVCUSTOMDRAW Post;
    Post.nmcd.dwDrawStage = CDDS_POSTPAINT;
    Post.nmcd.hdc = DC;
    Post.nmcd.rc = Client;
    Notify(Post.nmcd.hdr, NM_CUSTOMDRAW);
  }
}
