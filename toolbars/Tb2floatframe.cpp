// The floating frame: its own border, caption and close button in each look, the clicks on them (move, size,
// close, dock back) and its activation tied to the form it belongs to.
#include "toolbars/Tb2dockable.h"

#include "platform/graphics/WinGdi.h"
#include "platform/win/SystemParams.h"
#include "toolbars/Tb2common.h"
#include "toolbars/Tb2imagelist.h"
#include "toolbars/Tbskins.h"

#include <algorithm>

namespace {

// The close cross of the floating caption: 8 by 7 pixels.
void DrawCaptionCloseGlyph(HDC DC, const TRect& Area, COLORREF C) {
  static const char* const Rows[7] = {"XX....XX", ".XX..XX.", "..XXXX..", "...XX...",
                                      "..XXXX..", ".XX..XX.", "XX....XX"};
  const int X0 = Area.Left + (Area.Width() - 8) / 2;
  const int Y0 = Area.Top + (Area.Height() - 7) / 2;
  for (int Y = 0; Y < 7; ++Y) {
    for (int X = 0; X < 8; ++X) {
      if (Rows[Y][X] == 'X') {
        SetPixel(DC, X0 + X, Y0 + Y, C);
      }
    }
  }
}

TTBBaseSkin* EffectiveSkin(TTBCustomDockableWindow* W) {
  TTBBaseSkin* S = W ? W->Skin() : nullptr;
  return S && S->SkinType() != tbsDisabled ? S : nullptr;
}

}  // namespace

int TBSmallCaptionHeight() { return GetSystemMetrics(SM_CYSMCAPTION); }

TTBFloatingWindowParent::TTBFloatingWindowParent(TComponent* AOwner) : TCustomForm(AOwner) {}

void TTBFloatingWindowParent::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
  Params.Style = WS_POPUP | WS_BORDER;
  if (FDockableWindow && FDockableWindow->Resizable) {
    Params.Style |= WS_THICKFRAME;
  }
  Params.ExStyle = WS_EX_TOOLWINDOW;
  if (FParentForm && FParentForm->HandleAllocated()) {
    Params.WndParent = FParentForm->Handle();
  }
}

void TTBFloatingWindowParent::SetShouldShow(bool Value) {
  if (Value == FShouldShow && Value == Visible()) {
    return;
  }
  FShouldShow = Value;
  if (Value && HandleAllocated()) {
    // Shown without being activated, moved, sized or reordered: the form keeps the focus.
    SetWindowPos(Handle(), 0, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
  }
  SetVisible(Value);
}

TRect TTBFloatingWindowParent::CaptionRect(bool ForDrawing) {
  if (!FDockableWindow || !FDockableWindow->ShowCaption) {
    return Rect(0, 0, 0, 0);
  }
  const int H = TBSmallCaptionHeight();
  const TPoint B = FDockableWindow->GetFloatingBorderSize();
  const int Off = ForDrawing ? 1 : 0;
  TRect R = Rect(B.X - Off, B.Y - Off, B.X - Off + ClientWidth(), B.Y - Off + H - 1);
  if (FDockableWindow->CloseButton) {
    R.Right -= H - 1;
  }
  return R;
}

TRect TTBFloatingWindowParent::CloseButtonRect(bool ForDrawing) {
  if (!FDockableWindow || !FDockableWindow->ShowCaption || !FDockableWindow->CloseButton) {
    return Rect(0, 0, 0, 0);
  }
  const int H = TBSmallCaptionHeight();
  const TPoint B = FDockableWindow->GetFloatingBorderSize();
  const int Off = ForDrawing ? 1 : 0;
  TRect R = Rect(0, B.Y - Off, B.X - Off + ClientWidth(), B.Y - Off + H - 1);
  R.Left = R.Right - H + (ForDrawing ? 0 : 1);
  TTBBaseSkin* S = EffectiveSkin(FDockableWindow);
  if (ForDrawing && S && S->SkinType() == tbsWindowsXP) {
    --R.Right;
  }
  return R;
}

LRESULT TTBFloatingWindowParent::HitTest(TPoint P) {
  if (!FDockableWindow) {
    return HTNOWHERE;
  }
  if (FDockableWindow->ShowCaption) {
    const TRect Close = CloseButtonRect(false);
    if (PointInRect(Close, P)) {
      return HTTBCLOSEBUTTON;
    }
    TRect Caption = CaptionRect(false);
    if (FDockableWindow->CloseButton) {
      Caption.Right = Close.Right;
    }
    if (PointInRect(Caption, P)) {
      return HTTBCAPTION;
    }
  }
  if (!FDockableWindow->Resizable) {
    return HTNOWHERE;
  }
  const TPoint B = FDockableWindow->GetFloatingBorderSize();
  const int W = Width();
  const int Ht = Height();
  const bool InLeft = P.X >= 0 && P.X < B.X;
  const bool InRight = P.X >= W - B.X - 1 && P.X < W;
  const bool InTop = P.Y >= 0 && P.Y < B.Y;
  const bool InBottom = P.Y >= Ht - B.Y - 1 && P.Y < Ht;
  if (FDockableWindow->DockableWindowStyles.Contains(tbdsResizeEightCorner)) {
    const int C = TBSmallCaptionHeight() + B.X - 1;
    if (InLeft) {
      return P.Y < C ? HTTOPLEFT : P.Y >= Ht - C ? HTBOTTOMLEFT : HTLEFT;
    }
    if (InRight) {
      return P.Y < C ? HTTOPRIGHT : P.Y >= Ht - C ? HTBOTTOMRIGHT : HTRIGHT;
    }
    if (InTop) {
      return P.X < C ? HTTOPLEFT : P.X >= W - C ? HTTOPRIGHT : HTTOP;
    }
    if (InBottom) {
      return P.X < C ? HTBOTTOMLEFT : P.X >= W - C ? HTBOTTOMRIGHT : HTBOTTOM;
    }
    return HTNOWHERE;
  }
  return InTop ? HTTOP : InBottom ? HTBOTTOM : InLeft ? HTLEFT : InRight ? HTRIGHT : HTNOWHERE;
}

void TTBFloatingWindowParent::SetCloseButtonState(bool Pressed) {
  if (Pressed != FCloseButtonDown) {
    FCloseButtonDown = Pressed;
    RedrawNCArea(TTBToolWindowNCRedrawWhat{twrdCloseButton});
  }
}

void TTBFloatingWindowParent::RedrawNCArea(TTBToolWindowNCRedrawWhat What) {
  if (HandleAllocated() && IsWindowVisible(Handle())) {
    DrawNCArea(false, 0, 0, What);
  }
}

void TTBFloatingWindowParent::PrintNCArea(HWND, HDC DC, LPARAM AppData) {
  reinterpret_cast<TTBFloatingWindowParent*>(AppData)->DrawNCArea(
      true, DC, 0, TTBToolWindowNCRedrawWhat{twrdBorder, twrdCaption, twrdCloseButton});
}

void TTBFloatingWindowParent::DrawNCArea(bool DrawToDC, HDC ADC, HRGN Clip, TTBToolWindowNCRedrawWhat What) {
  if (!FDockableWindow || !HandleAllocated()) {
    return;
  }
  HDC DC = DrawToDC ? ADC : GetWindowDC(Handle());
  if (!DrawToDC && Clip) {
    SelectNCUpdateRgn(Handle(), DC, Clip);
  }
  const int Saved = SaveDC(DC);
  const TRect R = Rect(0, 0, Width(), Height());
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  TTBBaseSkin* S = EffectiveSkin(FDockableWindow);
  const TTBSkins Look = S ? S->SkinType() : tbsDisabled;
  const bool OfficeXP = Look == tbsOfficeXP;
  TPoint TL, BR;
  FDockableWindow->GetFloatingNCArea(TL, BR);
  const TRect ClientR = Rect(TL.X, TL.Y, R.Right - BR.X, R.Bottom - BR.Y);
  const bool ShowCaption = FDockableWindow->ShowCaption;
  const TRect Caption = CaptionRect(true);
  const TRect Close = CloseButtonRect(true);
  const bool HasClose = ShowCaption && FDockableWindow->CloseButton;
  const COLORREF CaptionText = S ? S->RGBColor(cCaptionText) : ColorToRGB(clCaptionText);
  const COLORREF TitleColour = S ? S->RGBColor(cDockBorderTitle) : ColorToRGB(clActiveCaption);
  if (What.Contains(twrdBorder)) {
    const int Inner = SaveDC(DC);
    ExcludeClipRect(DC, ClientR.Left, ClientR.Top, ClientR.Right, ClientR.Bottom);
    if (ShowCaption) {
      ExcludeClipRect(DC, Caption.Left, Caption.Top, Caption.Right, Caption.Bottom);
      if (HasClose) {
        ExcludeClipRect(DC, Close.Left, Close.Top, Close.Right, Close.Bottom);
      }
    }
    if (OfficeXP) {
      TBFrameSolid(DC, R, S->RGBColor(cDockBorderOut));
      TRect In = R;
      GrowRect(In, -1, -1);
      TBFrameSolid(DC, In, S->RGBColor(cDockBorderIn));
      GrowRect(In, -1, -1);
      TBFillSolid(DC, In, S->RGBColor(cFace));
      for (TPoint P : {Point(0, 0), Point(R.Right - 1, 0), Point(0, R.Bottom - 1), Point(R.Right - 1, R.Bottom - 1)}) {
        SetPixel(DC, P.X, P.Y, S->RGBColor(cDockBorderOut));
      }
    } else {
      TRect E = R;
      DrawEdge(DC, &E, EDGE_RAISED, BF_RECT | BF_ADJUST);
      TBFillSolid(DC, E, ColorToRGB(clBtnFace));
    }
    RestoreDC(DC, Inner);
  }
  if (ShowCaption && What.Contains(twrdCaption)) {
    const int Inner = SaveDC(DC);
    if (HasClose && !What.Contains(twrdCloseButton)) {
      ExcludeClipRect(DC, Close.Left, Close.Top, Close.Right, Close.Bottom);
    }
    if (!S) {
      BOOL Gradient = FALSE;
      SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &Gradient, 0);
      const UINT Flags =
          DC_TEXT | DC_SMALLCAP | (FDockableWindow->InactiveCaption() ? 0 : DC_ACTIVE) | (Gradient ? DC_GRADIENT : 0);
      DrawCaption(Handle(), DC, &Caption, Flags);
      TBFillSolid(DC,
                Rect(Caption.Left, Caption.Bottom, Caption.Right + (HasClose ? Close.Width() : 0), Caption.Bottom + 1),
                ColorToRGB(clBtnFace));
    } else {
      TRect Strip = Caption;
      Strip.Right += 2;
      if (OfficeXP) {
        TBFillSolid(DC, Strip, TitleColour);
      } else {
        TBFillSolid(DC, Strip, ColorToRGB(FDockableWindow->Color()));
        HBRUSH B = CreateSolidBrush(S->RGBColor(cSelBar));
        HPEN P = CreatePen(PS_SOLID, 1, S->RGBColor(cSelBarBorder));
        HGDIOBJ OB = SelectObject(DC, B);
        HGDIOBJ OP = SelectObject(DC, P);
        RoundRect(DC, Strip.Left, Strip.Top, Strip.Right, Strip.Bottom, 6, 6);
        SelectObject(DC, OB);
        SelectObject(DC, OP);
        DeleteObject(B);
        DeleteObject(P);
      }
      TRect TextR = Rect(Caption.Left + 2, Caption.Top, Caption.Right - 1, Caption.Bottom);
      TFont* F = S->ParentFont() || !S->CaptionFont() ? ToolbarFont() : S->CaptionFont();
      HGDIOBJ OldFont = SelectObject(DC, F->Handle());
      SetBkMode(DC, TRANSPARENT);
      SetTextColor(DC, CaptionText);
      const UINT Align = FDockableWindow->DockTextAlign == taCenter         ? DT_CENTER
                         : FDockableWindow->DockTextAlign == taRightJustify ? DT_RIGHT
                                                                            : DT_LEFT;
      const std::string Text = FDockableWindow->Caption();
      DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &TextR,
               Align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
      SelectObject(DC, OldFont);
      TBFillSolid(
          DC,
          Rect(Caption.Left, Caption.Bottom, Caption.Right + (HasClose ? Close.Width() : 0) + 2, Caption.Bottom + 2),
          OfficeXP ? S->RGBColor(cFace) : S->RGBColor(cToolbar));
    }
    RestoreDC(DC, Inner);
  }
  if (HasClose && What.Contains(twrdCloseButton)) {
    if (!S) {
      TRect B = Close;
      TBFillSolid(DC, B, ColorToRGB(FDockableWindow->InactiveCaption() ? clInactiveCaption : clActiveCaption));
      B = Rect(B.Left, B.Top + 2, B.Right - 2, B.Bottom - 2);
      DrawFrameControl(DC, &B, DFC_CAPTION, DFCS_CAPTIONCLOSE | (FCloseButtonDown ? DFCS_PUSHED : 0));
    } else {
      if (OfficeXP) {
        TBFillSolid(DC, Close, TitleColour);
      }
      TRect Box = Close;
      GrowRect(Box, -2, -2);
      if (FCloseButtonDown) {
        TBFillSolid(DC, Box, S->RGBColor(cSelPushed));
        TBFrameSolid(DC, Box, S->RGBColor(cSelItemBorder));
      } else if (OfficeXP && FCloseButtonHover) {
        TBFillSolid(DC, Box, S->RGBColor(cSelBar));
        TBFrameSolid(DC, Box, S->RGBColor(cSelBarBorder));
      } else {
        TBFillSolid(DC, Box, OfficeXP ? TitleColour : S->RGBColor(cSelBar));
      }
      TRect G = Close;
      GrowRect(G, -3, -3);
      MoveRect(G, 1, 1);
      DrawCaptionCloseGlyph(DC, G, CaptionText);
    }
  }
  RestoreDC(DC, Saved);
  if (!DrawToDC) {
    ReleaseDC(Handle(), DC);
  }
}

void TTBFloatingWindowParent::Dispatch(TMessage& Message) {
  TTBCustomDockableWindow* W = FDockableWindow;
  switch (Message.Msg) {
    case WM_GETMINMAXINFO: {
      inherited::Dispatch(Message);
      auto* Info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
      Info->ptMinTrackSize = Point(1, 1);
      Info->ptMaxTrackSize = Point(32767, 32767);
      return;
    }
    case WM_NCCALCSIZE: {
      TRect* R = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                : reinterpret_cast<TRect*>(Message.LParam);
      if (R && W) {
        TPoint TL, BR;
        W->GetFloatingNCArea(TL, BR);
        R->Left += TL.X;
        R->Top += TL.Y;
        R->Right = std::max(R->Left, R->Right - BR.X);
        R->Bottom = std::max(R->Top, R->Bottom - BR.Y);
      }
      Message.Result = 0;
      return;
    }
    case WM_NCPAINT:
      DrawNCArea(false, 0, Message.WParam > 1 ? reinterpret_cast<HRGN>(Message.WParam) : 0,
                 TTBToolWindowNCRedrawWhat{twrdBorder, twrdCaption, twrdCloseButton});
      Message.Result = 0;
      return;
    case WM_PRINT: HandleWMPrint(Handle(), Message, &PrintNCArea, reinterpret_cast<LPARAM>(this)); return;
    case WM_PRINTCLIENT: HandleWMPrintClient(this, Message); return;
    case WM_NCHITTEST: {
      inherited::Dispatch(Message);
      if (Message.Result == HTCLIENT) {
        return;
      }
      TRect WR;
      GetWindowRect(Handle(), &WR);
      const TPoint P = Point(static_cast<short>(LOWORD(Message.LParam)) - WR.Left,
                             static_cast<short>(HIWORD(Message.LParam)) - WR.Top);
      Message.Result = HitTest(P);
      return;
    }
    case WM_NCMOUSEMOVE: {
      inherited::Dispatch(Message);
      CallTrackMouseEvent(Handle(), TME_LEAVE | TME_NONCLIENT);
      const bool Hover = static_cast<LRESULT>(Message.WParam) == HTTBCLOSEBUTTON;
      if (Hover != FCloseButtonHover) {
        FCloseButtonHover = Hover;
        RedrawNCArea(TTBToolWindowNCRedrawWhat{twrdCloseButton});
      }
      return;
    }
    case WM_NCMOUSELEAVE:
    case CM_MOUSELEAVE:
      if (FCloseButtonHover) {
        FCloseButtonHover = false;
        RedrawNCArea(TTBToolWindowNCRedrawWhat{twrdCloseButton});
      }
      inherited::Dispatch(Message);
      return;
    case WM_NCLBUTTONDOWN: {
      const LRESULT Code = static_cast<LRESULT>(Message.WParam);
      if (W && W->Resizable && Code >= HTLEFT && Code <= HTBOTTOMRIGHT) {
        static const TTBSizeHandle Handles[] = {twshLeft,     twshRight,  twshTop,        twshTopLeft,
                                                twshTopRight, twshBottom, twshBottomLeft, twshBottomRight};
        W->BeginSizing(Handles[Code - HTLEFT]);
        return;
      }
      if (W && Code == HTTBCLOSEBUTTON) {
        if (TBTrackCloseButton(Handle(), CloseButtonRect(false), [this](bool Down) { SetCloseButtonState(Down); })) {
          W->Close();
        }
        return;
      }
      if (W && Code == HTTBCAPTION) {
        const TPoint P = W->ScreenToClient(
            Point(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))));
        W->BeginMoving(P.X, P.Y);
        return;
      }
      inherited::Dispatch(Message);
      return;
    }
    case WM_NCLBUTTONDBLCLK:
      if (W && static_cast<LRESULT>(Message.WParam) == HTTBCAPTION) {
        W->DoubleClick();
        return;
      }
      if (static_cast<LRESULT>(Message.WParam) == HTTBCLOSEBUTTON) {
        // A quick second click on the close button is a press like the first.
        Message.Msg = WM_NCLBUTTONDOWN;
        Dispatch(Message);
        return;
      }
      inherited::Dispatch(Message);
      return;
    case WM_NCRBUTTONUP:
      if (W) {
        SendMessage(W->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(W->Handle()), Message.LParam);
      }
      return;
    case WM_CLOSE:
      // Alt+F4 on the frame closes the form the window belongs to, never the frame itself.
      if (FParentForm && FParentForm->HandleAllocated()) {
        SendMessage(FParentForm->Handle(), WM_CLOSE, 0, 0);
      }
      return;
    case WM_MOUSEACTIVATE:
      // A click on a floating window leaves the form active; the frame only comes to the top of its band.
      Message.Result = MA_NOACTIVATE;
      SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      if (W && W->ActivateParent && W->FloatingMode == fmOnTopOfParentForm && GetActiveWindow() != Handle() &&
          FParentForm && FParentForm->HandleAllocated() && GetActiveWindow() != FParentForm->Handle()) {
        SetActiveWindow(FParentForm->Handle());
      }
      return;
    case WM_ACTIVATE:
      inherited::Dispatch(Message);
      if (FParentForm && FParentForm->HandleAllocated()) {
        SendMessage(FParentForm->Handle(), WM_NCACTIVATE, LOWORD(Message.WParam) != WA_INACTIVE, 0);
      }
      return;
    case CM_DIALOGKEY:
      if (Message.WParam == VK_ESCAPE && KeyDataToShiftState(static_cast<LongInt>(Message.LParam)).Empty() &&
          FParentForm) {
        if (FParentForm->HandleAllocated()) {
          ::SetFocus(FParentForm->Handle());
        }
        Message.Result = 1;
        return;
      }
      inherited::Dispatch(Message);
      return;
    case CM_TEXTCHANGED:
      inherited::Dispatch(Message);
      RedrawNCArea(TTBToolWindowNCRedrawWhat{twrdCaption});
      return;
    case WM_MOVE:
      inherited::Dispatch(Message);
      if (W) {
        W->Moved();
      }
      return;
    default: inherited::Dispatch(Message);
  }
}

bool TBTrackCloseButton(HWND Wnd, const TRect& WindowRect, const std::function<void(bool)>& SetState) {
  TRect WR;
  GetWindowRect(Wnd, &WR);
  TRect ScreenRect = WindowRect;
  MoveRect(ScreenRect, WR.Left, WR.Top);
  const DWORD Pos = GetMessagePos();
  const TPoint P = Point(static_cast<short>(LOWORD(Pos)), static_cast<short>(HIWORD(Pos)));
  SetState(PointInRect(ScreenRect, P));
  ::SetCapture(Wnd);
  bool Clicked = false;
  MSG Msg;
  while (TBNextCaptureMessage(Wnd, Msg)) {
    if (Msg.message == WM_LBUTTONUP) {
      Clicked = PointInRect(ScreenRect, TBMessagePoint(Msg));
      break;
    }
    if (Msg.message == WM_LBUTTONDOWN || Msg.message == WM_LBUTTONDBLCLK) {
      break;
    }
    if (Msg.message == WM_MOUSEMOVE) {
      SetState(PointInRect(ScreenRect, TBMessagePoint(Msg)));
      continue;
    }
    TBDispatchCaptureMessage(Msg);
  }
  if (GetCapture() == Wnd) {
    ReleaseCapture();
  }
  SetState(false);
  return Clicked;
}
