// The frames of dockable windows: docked and floating metrics, the docked frame's hit areas, painting in each
// look, its close button and the drag outline.
#include "toolbars/Tb2dockable.h"

#include "platform/graphics/Cursors.h"
#include "platform/graphics/WinGdi.h"
#include "toolbars/Tb2common.h"
#include "toolbars/Tb2imagelist.h"
#include "toolbars/Tbskins.h"

#include <algorithm>

namespace {

// The docked frame fills nothing for an empty rectangle.
void FillSolid(HDC DC, const TRect& R, COLORREF C) {
  if (!RectEmpty(R)) {
    TBFillSolid(DC, R, C);
  }
}

// The docked close glyph: 8 by 8 pixels, rows 00 CC 78 30 78 CC 00 00.
void DrawDockedCloseGlyph(HDC DC, const TRect& Area, COLORREF C) {
  static const unsigned char Rows[8] = {0x00, 0xCC, 0x78, 0x30, 0x78, 0xCC, 0x00, 0x00};
  const int X0 = Area.Left + (Area.Width() - 8) / 2;
  const int Y0 = Area.Top + (Area.Height() - 8) / 2;
  for (int Y = 0; Y < 8; ++Y) {
    for (int X = 0; X < 8; ++X) {
      if (Rows[Y] & (0x80 >> X)) {
        SetPixel(DC, X0 + X, Y0 + Y, C);
      }
    }
  }
}

bool HasDockedCaption(TTBCustomDockableWindow* W, bool LeftRight) {
  TTBBaseSkin* S = W->Skin();
  return LeftRight && S && S->SkinType() != tbsDisabled && S->Options().Contains(tboDockedCaptions);
}

}  // namespace

// ---- Metrics ----------------------------------------------------------------------------------------------------

TTBBaseSkin* TTBCustomDockableWindow::Skin() const { return FSkin ? FSkin : static_cast<TTBBaseSkin*>(DefaultSkin); }

void TTBCustomDockableWindow::SetSkin(TTBBaseSkin* Value) {
  if (!HandleAllocated() || Value == FSkin) {
    return;
  }
  if (FSkin) {
    FSkin->UnregisterDockable(this);
    FSkin->RemoveFreeNotification(this);
  }
  FSkin = Value;
  if (FSkin) {
    FSkin->FreeNotification(this);
    FSkin->RegisterDockable(this);
  }
  RedrawNCArea();
  Invalidate();
}

TPoint TTBCustomDockableWindow::GetFloatingBorderSize() {
  return Resizable ? Point(GetSystemMetrics(SM_CXSIZEFRAME), GetSystemMetrics(SM_CYSIZEFRAME))
                   : Point(GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CYFIXEDFRAME));
}

void TTBCustomDockableWindow::GetFloatingNCArea(TPoint& TopLeft, TPoint& BottomRight) {
  const TPoint B = GetFloatingBorderSize();
  TopLeft = B;
  BottomRight = B;
  if (ShowCaption) {
    TopLeft.Y += TBSmallCaptionHeight();
  }
  TTBBaseSkin* S = FSkin && FSkin->SkinType() != tbsDisabled ? FSkin : nullptr;
  if (!S) {
    TTBBaseSkin* D = DefaultSkin;
    S = D && D->SkinType() != tbsDisabled ? D : nullptr;
  }
  if (S && S->SkinType() == tbsOfficeXP) {
    TopLeft.Y -= 2;
    BottomRight.Y -= 1;
  }
}

void TTBCustomDockableWindow::AddFloatingNCAreaToSize(TPoint& S) {
  TPoint TL, BR;
  GetFloatingNCArea(TL, BR);
  S.X += TL.X + BR.X;
  S.Y += TL.Y + BR.Y;
}

int TTBCustomDockableWindow::DockedHandleSize(bool LeftRight) {
  return HasDockedCaption(this, LeftRight) ? 14 : DragHandleSize();
}

void TTBCustomDockableWindow::GetDockedNCArea(TPoint& TopLeft, TPoint& BottomRight, bool LeftRight) {
  TopLeft = Point(2, 2);
  BottomRight = Point(2, 2);
  const int Handle = DockedHandleSize(LeftRight);
  if (LeftRight) {
    TopLeft.Y += Handle;
  } else {
    TopLeft.X += Handle;
  }
}

void TTBCustomDockableWindow::AddDockedNCAreaToSize(TPoint& S, bool LeftRight) {
  TPoint TL, BR;
  GetDockedNCArea(TL, BR, LeftRight);
  S.X += TL.X + BR.X;
  S.Y += TL.Y + BR.Y;
}

void TTBCustomDockableWindow::GetDockedCloseButtonRect(bool LeftRight, TRect& R) {
  const bool Caption = HasDockedCaption(this, LeftRight);
  const int Side = DockedHandleSize(LeftRight) - 3;
  if (!LeftRight) {
    R = Rect(3, 2, 3 + Side, 2 + Side);
    return;
  }
  int X = ClientWidth() - Side + 2;
  int Y = 3;
  if (Caption) {
    Y = 4;
    --X;
  }
  R = Rect(X, Y, X + Side, Y + Side);
}

// ---- Painting ---------------------------------------------------------------------------------------------------

void TTBCustomDockableWindow::RedrawNCArea() {
  if (HandleAllocated() && IsWindowVisible(Handle())) {
    DrawNCArea(false, 0, 0);
  }
}

void TTBCustomDockableWindow::DrawNCArea(bool DrawToDC, HDC ADC, HRGN Clip) {
  if (!FDocked || !HandleAllocated()) {
    return;
  }
  HDC DC = DrawToDC ? ADC : GetWindowDC(Handle());
  if (!DrawToDC && Clip) {
    SelectNCUpdateRgn(Handle(), DC, Clip);
  }
  const int Saved = SaveDC(DC);
  const TRect R = Rect(0, 0, Width(), Height());
  TTBBaseSkin* S = Skin();
  const bool Skinned = S && S->SkinType() != tbsDisabled;
  const TTBSkins Look = Skinned ? S->SkinType() : tbsDisabled;
  const bool MenuBar = ControlStyle.Contains(csMenuEvents);
  const bool LeftRight = FCurrentDock->IsVertical();
  const COLORREF WindowColour = ColorToRGB(Color());
  TPoint TL, BR;
  GetDockedNCArea(TL, BR, LeftRight);
  const bool DragArea = FCurrentDock->AllowDrag();
  const TRect ClientR = Rect(DragArea ? TL.X : 2, DragArea ? TL.Y : 2, R.Right - BR.X, R.Bottom - BR.Y);
  ExcludeClipRect(DC, ClientR.Left, ClientR.Top, ClientR.Right, ClientR.Bottom);
  // The outer ring.
  if (FBorderStyle == bsNone || Look == tbsOfficeXP) {
    TBFrameSolid(DC, R, WindowColour);
  } else {
    TRect E = R;
    DrawEdge(DC, &E, BDR_RAISEDINNER, BF_RECT);
  }
  // The inner ring.
  TRect Inner = R;
  GrowRect(Inner, -1, -1);
  const bool ToolbarColour = !(MenuBar && !(Skinned && S->Options().Contains(tboMenuTBColor)));
  const COLORREF HandleFill = Look == tbsOfficeXP ? S->RGBColor(ToolbarColour ? cToolbar : cFace) : WindowColour;
  if (Look == tbsOfficeXP) {
    TBFrameSolid(DC, Inner, HandleFill);
    const COLORREF Corner = !ToolbarColour && !MenuBar ? S->RGBColor(cToolbar) : S->RGBColor(cFace);
    for (TPoint P : {Point(Inner.Left, Inner.Top), Point(Inner.Right - 1, Inner.Top),
                     Point(Inner.Left, Inner.Bottom - 1), Point(Inner.Right - 1, Inner.Bottom - 1)}) {
      SetPixel(DC, P.X, P.Y, Corner);
    }
  } else {
    TBFrameSolid(DC, Inner, WindowColour);
  }
  // The handle: a docked caption, or the grips.
  const bool Caption = HasDockedCaption(this, LeftRight);
  if (DragArea || Caption) {
    const int HandleSize = DockedHandleSize(LeftRight);
    const TRect HandleR =
        LeftRight ? Rect(2, 2, R.Right - 2, 2 + HandleSize) : Rect(2, 2, 2 + HandleSize, R.Bottom - 2);
    if (Caption) {
      TRect Strip = Rect(2, 2, 2 + ClientWidth() - 2, 2 + TBSmallCaptionHeight() - 2);
      FillSolid(DC, HandleR, HandleFill);
      TRect Title = Strip;
      Title.Right += 2;
      FillSolid(DC, Title, S->RGBColor(cDockBorderTitle));
      TRect TextR = Rect(Strip.Left + 2, Strip.Top, Strip.Right + 1, Strip.Bottom);
      if (FCloseButtonWhenDocked) {
        TextR.Right -= Strip.Bottom - 5;
      }
      TFont* F = S->ParentFont() || !S->CaptionFont() ? ToolbarFont() : S->CaptionFont();
      HGDIOBJ OldFont = SelectObject(DC, F->Handle());
      SetBkMode(DC, TRANSPARENT);
      SetTextColor(DC, S->RGBColor(cCaptionText));
      const UINT Align = DockTextAlign == taCenter ? DT_CENTER : DockTextAlign == taRightJustify ? DT_RIGHT : DT_LEFT;
      const std::string Text = this->Caption();
      DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &TextR,
               Align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
      SelectObject(DC, OldFont);
    } else if (FDragHandleStyle != dhNone) {
      static const int Offsets[2][3] = {{2, 0, 1}, {3, 0, 5}};
      const int Offset = Offsets[FCloseButtonWhenDocked ? 1 : 0][FDragHandleStyle] + 2;
      const int Extent = LeftRight ? ClientWidth() : ClientHeight();
      int From = 2;
      int To = Extent + 2;
      if (FCloseButtonWhenDocked) {
        if (LeftRight) {
          To = Extent - HandleSize + 2;
        } else {
          From = HandleSize;
        }
      }
      if (FDragHandleStyle == dhSingle) {
        ++From;
        --To;
      }
      const int Count = FDragHandleStyle == dhDouble ? 2 : 1;
      for (int I = 0; I < Count; ++I) {
        const int A = Offset + 3 * I;
        const TRect G = LeftRight ? Rect(From, A, To, A + 3) : Rect(A, From, A + 3, To);
        if (!Skinned) {
          TRect E = G;
          DrawEdge(DC, &E, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
          SetPixel(DC, LeftRight ? G.Right - 1 : G.Left, LeftRight ? G.Top : G.Bottom - 1, ColorToRGB(clBtnHighlight));
        } else {
          FillSolid(DC, G, HandleFill);
          const COLORREF Dot = S->RGBColor(cDragHandle);
          const int Step = Look == tbsOfficeXP ? 2 : 4;
          const int Dot2 = Look == tbsOfficeXP ? 1 : 2;
          for (int P = From; P + Dot2 <= To; P += Step) {
            FillSolid(DC, LeftRight ? Rect(P, A + 1, P + Dot2, A + 1 + Dot2) : Rect(A + 1, P, A + 1 + Dot2, P + Dot2),
                      Dot);
          }
        }
        ExcludeClipRect(DC, G.Left, G.Top, G.Right, G.Bottom);
      }
      FillSolid(DC, HandleR, HandleFill);
    } else {
      FillSolid(DC, HandleR, HandleFill);
    }
  }
  // The close button.
  if (FCloseButtonWhenDocked && DragArea) {
    TRect B;
    GetDockedCloseButtonRect(LeftRight, B);
    if (FCloseButtonDown) {
      if (!Skinned) {
        TRect E = B;
        DrawEdge(DC, &E, BDR_SUNKENOUTER, BF_RECT);
      }
    } else if (FCloseButtonHover) {
      if (Skinned) {
        FillSolid(DC, B, S->RGBColor(cSelBar));
        TBFrameSolid(DC, B, S->RGBColor(cSelBarBorder));
      } else {
        TRect E = B;
        DrawEdge(DC, &E, BDR_RAISEDINNER, BF_RECT);
      }
    }
    GrowRect(B, -2, -2);
    if (FCloseButtonDown) {
      MoveRect(B, 1, 1);
    }
    DrawDockedCloseGlyph(DC, B, Caption ? RGB(255, 255, 255) : ColorToRGB(clBtnText));
  }
  RestoreDC(DC, Saved);
  if (!DrawToDC) {
    ReleaseDC(Handle(), DC);
  }
}

void TTBCustomDockableWindow::DrawDraggingOutline(HDC DC, const TRect* NewRect, const TRect* OldRect, bool NewDocking,
                                                  bool OldDocking) {
  const TPoint B = GetFloatingBorderSize();
  const TSize NewSize = NewDocking ? TSize{1, 1} : TSize{B.X, B.Y};
  const TSize OldSize = OldDocking ? TSize{1, 1} : TSize{B.X, B.Y};
  DrawHalftoneInvertRect(DC, NewRect, OldRect, NewSize, OldSize);
}

// ---- Non-client input of a docked window ------------------------------------------------------------------------

void TTBCustomDockableWindow::SetCloseButtonState(bool Pressed) {
  if (Pressed != FCloseButtonDown) {
    FCloseButtonDown = Pressed;
    RedrawNCArea();
  }
}

void TTBCustomDockableWindow::CancelNCHover() {
  if (FCloseButtonHover) {
    FCloseButtonHover = false;
    RedrawNCArea();
  }
}

namespace {

void PrintDockedFrame(HWND, HDC DC, LPARAM AppData) {
  reinterpret_cast<TTBCustomDockableWindow*>(AppData)->DrawNCArea(true, DC, 0);
}

}  // namespace

void TTBCustomDockableWindow::DispatchNonClient(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCPAINT:
      inherited::Dispatch(Message);
      DrawNCArea(false, 0, Message.WParam > 1 ? reinterpret_cast<HRGN>(Message.WParam) : 0);
      return;
    case WM_PRINT: HandleWMPrint(Handle(), Message, &PrintDockedFrame, reinterpret_cast<LPARAM>(this)); return;
    case WM_PRINTCLIENT: HandleWMPrintClient(this, Message); return;
    case WM_NCHITTEST: {
      inherited::Dispatch(Message);
      if (!FDocked || Message.Result == HTCLIENT) {
        return;
      }
      Message.Result = HTDOCKEDDRAGAREA;
      if (FCloseButtonWhenDocked && FCurrentDock->AllowDrag()) {
        TRect WR;
        GetWindowRect(Handle(), &WR);
        const TPoint P = Point(static_cast<short>(LOWORD(Message.LParam)) - WR.Left,
                               static_cast<short>(HIWORD(Message.LParam)) - WR.Top);
        TRect B;
        GetDockedCloseButtonRect(TBGetDockTypeOf(FCurrentDock, false) == dtLeftRight, B);
        if (PointInRect(B, P)) {
          Message.Result = HTTBCLOSEBUTTON;
        }
      }
      return;
    }
    case WM_NCMOUSEMOVE: {
      inherited::Dispatch(Message);
      CallTrackMouseEvent(Handle(), TME_LEAVE | TME_NONCLIENT);
      const bool Hover = static_cast<LRESULT>(Message.WParam) == HTTBCLOSEBUTTON;
      if (Hover != FCloseButtonHover) {
        FCloseButtonHover = Hover;
        RedrawNCArea();
      }
      return;
    }
    case WM_NCMOUSELEAVE:
      if (GetCapture() == 0) {
        CancelNCHover();
      }
      inherited::Dispatch(Message);
      return;
    case WM_NCLBUTTONDOWN: {
      const LRESULT Code = static_cast<LRESULT>(Message.WParam);
      if (Code == HTDOCKEDDRAGAREA && IsMovable()) {
        const TPoint P = ScreenToClient(
            Point(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))));
        BeginMoving(P.X, P.Y);
        return;
      }
      if (Code == HTTBCLOSEBUTTON && FDocked) {
        TRect B;
        GetDockedCloseButtonRect(FCurrentDock->IsVertical(), B);
        if (TBTrackCloseButton(Handle(), B, [this](bool Down) { SetCloseButtonState(Down); })) {
          Close();
        }
        return;
      }
      inherited::Dispatch(Message);
      return;
    }
    case WM_NCLBUTTONDBLCLK:
      if (static_cast<LRESULT>(Message.WParam) == HTDOCKEDDRAGAREA && IsMovable()) {
        DoubleClick();
        return;
      }
      if (static_cast<LRESULT>(Message.WParam) == HTTBCLOSEBUTTON) {
        Message.Msg = WM_NCLBUTTONDOWN;
        DispatchNonClient(Message);
        return;
      }
      inherited::Dispatch(Message);
      return;
    case WM_NCRBUTTONUP:
      SendMessage(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), Message.LParam);
      return;
    case WM_SETCURSOR:
      if (FDocked && FCurrentDock->AllowDrag() && static_cast<LRESULT>(LOWORD(Message.LParam)) == HTDOCKEDDRAGAREA &&
          FDragHandleStyle != dhNone) {
        TPoint P;
        GetCursorPos(&P);
        TRect WR;
        GetWindowRect(Handle(), &WR);
        const int Lead = FCurrentDock->IsVertical() ? P.Y - WR.Top : P.X - WR.Left;
        if (Lead < DockedHandleSize(FCurrentDock->IsVertical()) + 2) {
          SetCursor(LoadCursor(0, MAKEINTRESOURCE(IDC_SIZEALL)));
          Message.Result = 1;
          return;
        }
      }
      inherited::Dispatch(Message);
      return;
    default: inherited::Dispatch(Message);
  }
}
