// Frame drawing routines and the group and frame controls.
#include "shell/Uptframes.h"

#include "platform/classes/TypInfo.h"
#include "platform/win/Messages.h"

Z_IMPLEMENT_CLASS(TPTCustomGroup, TCustomControl)
Z_IMPLEMENT_CLASS_PUBLISHED(TPTGroup, TPTCustomGroup, TPTGroup::Publish)
Z_IMPLEMENT_CLASS(TPTCustomFrame, TGraphicControl)
Z_IMPLEMENT_CLASS_PUBLISHED(TPTFrame, TPTCustomFrame, TPTFrame::Publish)

namespace {

// A two-segment line a -> b -> c in one colour (the last pixel left out, as lines are drawn).
void Line3(TCanvas* Canvas, TColor Color, int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Canvas->Pen()->SetColor(Color);
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
  Canvas->LineTo(X3, Y3);
}

void Line2(TCanvas* Canvas, TColor Color, int X1, int Y1, int X2, int Y2) {
  Canvas->Pen()->SetColor(Color);
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
}

// The four-colour frame of the lowered and raised styles, colours from the outer top-left line inwards.
void DrawFourColourFrame(TCanvas* Canvas, const TRect& R, TColor Outer, TColor Inner, TColor InnerBR, TColor OuterBR) {
  const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  Line3(Canvas, Outer, L, B - 1, L, T, Rt, T);
  Line3(Canvas, Inner, L + 1, B - 2, L + 1, T + 1, Rt - 1, T + 1);
  Line3(Canvas, InnerBR, L + 1, B - 1, Rt - 1, B - 1, Rt - 1, T);
  Line3(Canvas, OuterBR, L, B, Rt, B, Rt, T - 1);
}

void DrawTwoColourFrame(TCanvas* Canvas, const TRect& R, TColor TopLeft, TColor BottomRight) {
  const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  Line3(Canvas, TopLeft, L, B - 1, L, T, Rt, T);
  Line3(Canvas, BottomRight, L, B, Rt, B, Rt, T - 1);
}

UINT AlignmentFormat(TAlignment A) {
  switch (A) {
    case taLeftJustify: return DT_LEFT;
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
  }
  return DT_CENTER;
}

// The caption inside a frame: one line, vertically centred, ellipsis, aligned, in R narrowed by Space.
void DrawInnerCaption(TCanvas* Canvas, TRect R, const std::string& Caption, int Space, TAlignment Alignment) {
  R.Left += Space;
  R.Right -= Space;
  Canvas->Brush()->SetStyle(bsClear);
  PTDrawCaptionText(Canvas->Handle(), Caption, R,
                    DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | AlignmentFormat(Alignment));
}

// The text height of a font on the screen for a caption (2 without one).
int CaptionHeight(TFont* Font, const std::string& Caption) {
  if (Caption.empty()) {
    return 2;
  }
  HDC DC = GetDC(0);
  HGDIOBJ Old = SelectObject(DC, Font->Handle());
  TRect R = Rect(0, 0, 0, 0);
  PTDrawCaptionText(DC, Caption, R, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(DC, Old);
  ReleaseDC(0, DC);
  return R.Height();
}

}  // namespace

// ---- Drawing routines --------------------------------------------------------------------------------------------

int PTDrawCaptionText(HDC DC, const std::string& Caption, TRect& R, UINT Format) {
  std::string Text = Caption;
  if ((Format & DT_CALCRECT) && (Text.empty() || ((Format & DT_NOPREFIX) == 0 && Text == "&"))) {
    Text += ' ';
  }
  return DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &R, Format);
}

void DrawLoweredFrame(TCanvas* Canvas, const TRect& R) {
  DrawFourColourFrame(Canvas, R, clBtnShadow, cl3DDkShadow, clBtnFace, clBtnHighlight);
}

void DrawRaisedFrame(TCanvas* Canvas, const TRect& R) {
  DrawFourColourFrame(Canvas, R, clBtnHighlight, clBtnFace, clBtnShadow, cl3DDkShadow);
}

void DrawDintFrame(TCanvas* Canvas, const TRect& R) { DrawTwoColourFrame(Canvas, R, clBtnShadow, clBtnHighlight); }

void DrawBumpFrame(TCanvas* Canvas, const TRect& R) { DrawTwoColourFrame(Canvas, R, clBtnHighlight, clBtnShadow); }

void DrawSingleFrame(TCanvas* Canvas, const TRect& R) {
  const TBrushStyle Kept = Canvas->Brush()->Style();
  const TColor KeptColor = Canvas->Brush()->Color();
  Canvas->Pen()->SetColor(clWindowFrame);
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Rectangle(R.Left, R.Top, R.Right + 1, R.Bottom + 1);
  Canvas->Brush()->SetColor(KeptColor);
  Canvas->Brush()->SetStyle(Kept);
}

void DrawHorzLine(TCanvas* Canvas, const TRect& R, TColor First, TColor Second) {
  Line2(Canvas, First, R.Left, R.Top, R.Right + 1, R.Top);
  Line2(Canvas, Second, R.Left, R.Top + 1, R.Right + 1, R.Top + 1);
}

void DrawHorzEdge(TCanvas* Canvas, const TRect& R, TColor First, TColor Second) {
  Line2(Canvas, First, R.Left, R.Top, R.Right + 1, R.Top);
  Line2(Canvas, First, R.Left, R.Bottom - 1, R.Right + 1, R.Bottom - 1);
  Line2(Canvas, Second, R.Left, R.Top + 1, R.Right + 1, R.Top + 1);
  Line2(Canvas, Second, R.Left, R.Bottom, R.Right + 1, R.Bottom);
}

void DrawVertLine(TCanvas* Canvas, const TRect& R, TColor First, TColor Second) {
  Line2(Canvas, First, R.Left, R.Top, R.Left, R.Bottom + 1);
  Line2(Canvas, Second, R.Left + 1, R.Top, R.Left + 1, R.Bottom + 1);
}

void DrawVertEdge(TCanvas* Canvas, const TRect& R, TColor First, TColor Second) {
  Line2(Canvas, First, R.Left, R.Top, R.Left, R.Bottom + 1);
  Line2(Canvas, First, R.Right - 1, R.Top, R.Right - 1, R.Bottom + 1);
  Line2(Canvas, Second, R.Left + 1, R.Top, R.Left + 1, R.Bottom + 1);
  Line2(Canvas, Second, R.Right, R.Top, R.Right, R.Bottom + 1);
}

void DrawGroupFrame(TCanvas* Canvas, const TRect& R, const std::string& Caption, bool Enabled, TColor Color) {
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(Rect(R.Left, R.Top, R.Right + 1, R.Bottom + 1));
  const int H = Caption.empty() ? 2 : Canvas->TextHeight("0");
  const int Top = R.Top + H / 2 - 1;
  // An etched line: highlight one pixel down and right of the shadow.
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Pen()->SetColor(clBtnHighlight);
  Canvas->Rectangle(R.Left + 1, Top + 1, R.Right + 1, R.Bottom + 1);
  Canvas->Pen()->SetColor(clBtnShadow);
  Canvas->Rectangle(R.Left, Top, R.Right, R.Bottom);
  if (Caption.empty()) {
    return;
  }
  TRect Text = Rect(R.Left + 8, R.Top, R.Right - 8, R.Top + H);
  const UINT Format = DT_SINGLELINE | DT_LEFT | DT_END_ELLIPSIS;
  // The text's background hides the line behind it.
  Canvas->Brush()->SetColor(Color);
  const TColor FontColor = Canvas->Font()->Color();
  if (!Enabled) {
    TRect Engraved = Rect(Text.Left + 1, Text.Top + 1, Text.Right + 1, Text.Bottom + 1);
    Canvas->Font()->SetColor(clBtnHighlight);
    PTDrawCaptionText(Canvas->Handle(), Caption, Engraved, Format);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Font()->SetColor(clBtnShadow);
    PTDrawCaptionText(Canvas->Handle(), Caption, Text, Format);
    Canvas->Font()->SetColor(FontColor);
    return;
  }
  PTDrawCaptionText(Canvas->Handle(), Caption, Text, Format);
}

void DrawFrame(TPTFrameStyle Style, TCanvas* Canvas, const TRect& R) {
  switch (Style) {
    case ptfsNone: return;
    case ptfsGroup: DrawGroupFrame(Canvas, R, {}, true, Canvas->Brush()->Color()); return;
    case ptfsLowered: DrawLoweredFrame(Canvas, R); return;
    case ptfsRaised: DrawRaisedFrame(Canvas, R); return;
    case ptfsDint: DrawDintFrame(Canvas, R); return;
    case ptfsBump: DrawBumpFrame(Canvas, R); return;
    case ptfsSingle: DrawSingleFrame(Canvas, R); return;
    case ptfsHorzLine: DrawHorzLine(Canvas, R, clBtnShadow, clBtnHighlight); return;
    case ptfsHorzEdge: DrawHorzEdge(Canvas, R, clBtnShadow, clBtnHighlight); return;
    case ptfsVertLine: DrawVertLine(Canvas, R, clBtnShadow, clBtnHighlight); return;
    case ptfsVertEdge: DrawVertEdge(Canvas, R, clBtnShadow, clBtnHighlight); return;
  }
}

void AdjustRectForFrame(TPTFrameStyle Style, TRect& R) {
  switch (Style) {
    case ptfsLowered:
    case ptfsRaised: R = Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2); return;
    case ptfsDint:
    case ptfsBump:
    case ptfsSingle: R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1); return;
    case ptfsHorzLine: R.Top += 2; return;
    case ptfsHorzEdge:
      R.Top += 2;
      R.Bottom -= 2;
      return;
    case ptfsVertLine: R.Left += 2; return;
    case ptfsVertEdge:
      R.Left += 2;
      R.Right -= 2;
      return;
    case ptfsGroup:
    case ptfsNone: return;
  }
}

// ---- TPTCustomGroup ----------------------------------------------------------------------------------------------

TPTCustomGroup::TPTCustomGroup(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  SetBounds(Left(), Top(), 64, 48);
}

void TPTCustomGroup::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
  Params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TPTCustomGroup::SetFrameStyle(TPTFrameStyle Value) {
  if (Value == FFrameStyle) {
    return;
  }
  FFrameStyle = Value;
  FFrameChanged = true;
  // The frame is recomputed and drawn again in place: the window and its children's windows stay.
  RepaintNonClient();
  Invalidate();
}

void TPTCustomGroup::SetFrameSpace(int Value) {
  if (Value != FFrameSpace) {
    FFrameSpace = Value;
    Invalidate();
  }
}

void TPTCustomGroup::SetAlignment(TAlignment Value) {
  if (Value != FAlignment) {
    FAlignment = Value;
    Invalidate();
  }
}

void TPTCustomGroup::SetDefaultDrawing(bool Value) {
  if (Value != FDefaultDrawing) {
    FDefaultDrawing = Value;
    Invalidate();
  }
}

void TPTCustomGroup::EnableAllChildren(bool Enabled) {
  for (int I = 0; I < ControlCount(); ++I) {
    Controls(I)->SetEnabled(Enabled);
  }
}

void TPTCustomGroup::RepaintNonClient() {
  if (HandleAllocated()) {
    SetWindowPos(Handle(), 0, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

TRect TPTCustomGroup::ClientRectForWindow(const TRect& Window) {
  TRect R = Window;
  if (FFrameStyle == ptfsGroup) {
    R.Top += CaptionHeight(Font(), Caption());
    R.Left += 2;
    R.Right -= 2;
    R.Bottom -= 2;
  } else {
    AdjustRectForFrame(FFrameStyle, R);
  }
  R.Right = std::max(R.Right, R.Left);
  R.Bottom = std::max(R.Bottom, R.Top);
  return R;
}

void TPTCustomGroup::WMNCCalcSize(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  TRect* R = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                            : reinterpret_cast<TRect*>(Message.LParam);
  if (!R) {
    return;
  }
  const TRect Origin = *R;
  const TRect Inner = ClientRectForWindow(Rect(0, 0, Origin.Width(), Origin.Height()));
  *R = Rect(Origin.Left + Inner.Left, Origin.Top + Inner.Top, Origin.Left + Inner.Right, Origin.Top + Inner.Bottom);
  if (Message.WParam && (!Caption().empty() || IsDesigning() || FFrameChanged)) {
    // The frame's caption or new style moves with the size: the whole window is drawn again.
    FFrameChanged = false;
    if (HandleAllocated()) {
      InvalidateRect(Handle(), nullptr, TRUE);
    }
  }
}

void TPTCustomGroup::WMNCPaint(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  if (!HandleAllocated()) {
    return;
  }
  HDC DC = GetWindowDC(Handle());
  TRect W;
  GetWindowRect(Handle(), &W);
  TRect C;
  GetClientRect(Handle(), &C);
  TPoint Corner = ClientToScreen(Point(0, 0));
  Corner.X -= W.Left;
  Corner.Y -= W.Top;
  ExcludeClipRect(DC, Corner.X, Corner.Y, Corner.X + C.Width(), Corner.Y + C.Height());
  TCanvas Canvas;
  Canvas.SetHandle(DC);
  Canvas.Font()->Assign(Font());
  try {
    PaintNonClient(&Canvas, Rect(0, 0, W.Width(), W.Height()));
  } catch (...) {
    Canvas.SetHandle(0);
    ReleaseDC(Handle(), DC);
    throw;
  }
  Canvas.SetHandle(0);
  ReleaseDC(Handle(), DC);
}

void TPTCustomGroup::PaintNonClient(TCanvas* Canvas, const TRect& R) {
  Canvas->Brush()->SetColor(Color());
  Canvas->Brush()->SetStyle(bsClear);
  TRect F = R;
  --F.Right;
  --F.Bottom;
  if (FFrameStyle == ptfsGroup) {
    DrawGroupFrame(Canvas, F, Caption(), Enabled(), Color());
  } else {
    DrawFrame(FFrameStyle, Canvas, F);
  }
}

void TPTCustomGroup::Paint() {
  TCanvas* C = Canvas();
  TRect R;
  GetClientRect(Handle(), &R);
  if (Color() != clNone) {
    C->Brush()->SetColor(Color());
    C->Brush()->SetStyle(bsSolid);
    C->FillRect(R);
  }
  if (FDefaultDrawing && FFrameStyle != ptfsGroup) {
    C->Font()->Assign(Font());
    DrawInnerCaption(C, R, Caption(), FFrameSpace, FAlignment);
  }
  if (OnPaint) {
    OnPaint(this, C);
  }
}

void TPTCustomGroup::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(Message); return;
    case WM_NCPAINT: WMNCPaint(Message); return;
    case WM_ERASEBKGND:
      if (IsDesigning() || FDefaultDrawing) {
        TCustomControl::Dispatch(Message);
      } else {
        Message.Result = 1;
      }
      return;
    case CM_ENABLEDCHANGED:
      TCustomControl::Dispatch(Message);
      EnableAllChildren(Enabled());
      Invalidate();
      if (FFrameStyle == ptfsGroup) {
        RepaintNonClient();
      }
      return;
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
      TCustomControl::Dispatch(Message);
      Invalidate();
      if (FFrameStyle == ptfsGroup) {
        RepaintNonClient();
      }
      return;
    case CM_FONTCHANGED:
      TCustomControl::Dispatch(Message);
      if (FFrameStyle == ptfsGroup) {
        RepaintNonClient();
      } else {
        Invalidate();
      }
      return;
    default: TCustomControl::Dispatch(Message);
  }
}

void TPTGroup::Publish(TMetaClass& Meta) {
  TPublisher<TPTCustomGroup> P(Meta);
  P.Property("Alignment", &TPTCustomGroup::Alignment, &TPTCustomGroup::SetAlignment).Default(taCenter);
  P.Property("DefaultDrawing", &TPTCustomGroup::DefaultDrawing, &TPTCustomGroup::SetDefaultDrawing).Default(true);
  P.Property("FrameSpace", &TPTCustomGroup::FrameSpace, &TPTCustomGroup::SetFrameSpace).Default(2);
  P.Property("FrameStyle", &TPTCustomGroup::FrameStyle, &TPTCustomGroup::SetFrameStyle).Default(ptfsGroup);
  P.Property("OnPaint", &TPTCustomGroup::OnPaint, &TPTCustomGroup::OnPaint);
}

// ---- TPTCustomFrame ----------------------------------------------------------------------------------------------

TPTCustomFrame::TPTCustomFrame(TComponent* AOwner) : TGraphicControl(AOwner) {
  ControlStyle = TControlStyle{csOpaque, csClickEvents, csDoubleClicks, csSetCaption};
  SetBounds(Left(), Top(), 64, 48);
}

void TPTCustomFrame::SetFrameStyle(TPTFrameStyle Value) {
  if (Value != FFrameStyle) {
    FFrameStyle = Value;
    Invalidate();
  }
}

void TPTCustomFrame::SetFrameSpace(int Value) {
  if (Value != FFrameSpace) {
    FFrameSpace = Value;
    Invalidate();
  }
}

void TPTCustomFrame::SetAlignment(TAlignment Value) {
  if (Value != FAlignment) {
    FAlignment = Value;
    Invalidate();
  }
}

void TPTCustomFrame::SetDefaultDrawing(bool Value) {
  if (Value != FDefaultDrawing) {
    FDefaultDrawing = Value;
    Invalidate();
  }
}

void TPTCustomFrame::InvalidateInterior() {
  if (!Parent() || !Parent()->HandleAllocated() || !Visible()) {
    return;
  }
  TRect R = BoundsRect();
  --R.Right;
  --R.Bottom;
  AdjustRectForFrame(FFrameStyle, R);
  InvalidateRect(Parent()->Handle(), &R, FALSE);
}

void TPTCustomFrame::Paint() {
  TCanvas* C = Canvas();
  const TRect Client = Rect(0, 0, Width(), Height());
  if (Color() != clNone) {
    C->Brush()->SetColor(Color());
    C->Brush()->SetStyle(bsSolid);
    if (FDefaultDrawing || ComponentState().Contains(csDesigning)) {
      C->FillRect(Client);
    }
  }
  C->Brush()->SetStyle(bsClear);
  C->Font()->Assign(Font());
  TRect R = Rect(0, 0, Width() - 1, Height() - 1);
  if (FFrameStyle == ptfsGroup) {
    DrawGroupFrame(C, R, Caption(), Enabled(), Color());
    return;
  }
  DrawFrame(FFrameStyle, C, R);
  if (FDefaultDrawing) {
    DrawInnerCaption(C, R, Caption(), FFrameSpace, FAlignment);
  }
  if (OnPaint) {
    OnPaint(this, C);
  }
}

void TPTCustomFrame::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
      TGraphicControl::Dispatch(Message);
      InvalidateInterior();
      return;
    default: TGraphicControl::Dispatch(Message);
  }
}

void TPTFrame::Publish(TMetaClass& Meta) {
  TPublisher<TPTCustomFrame> P(Meta);
  P.Property("Alignment", &TPTCustomFrame::Alignment, &TPTCustomFrame::SetAlignment).Default(taCenter);
  P.Property("DefaultDrawing", &TPTCustomFrame::DefaultDrawing, &TPTCustomFrame::SetDefaultDrawing).Default(true);
  P.Property("FrameSpace", &TPTCustomFrame::FrameSpace, &TPTCustomFrame::SetFrameSpace).Default(2);
  P.Property("FrameStyle", &TPTCustomFrame::FrameStyle, &TPTCustomFrame::SetFrameStyle).Default(ptfsLowered);
  P.Property("OnPaint", &TPTCustomFrame::OnPaint, &TPTCustomFrame::OnPaint);
}
