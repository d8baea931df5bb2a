// ZEZCustomTreeView: the window procedure's messages and the painting of rows: lines, buttons, text, the
// colours of normal, selected, hot and drop-target rows, the focus rectangle and the insertion mark.
#include "treeview/Dcntree.h"

#include <algorithm>

namespace {
bool EmptyRect(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
Integer Half(Integer V) { return V >= 0 ? V / 2 : -((-V + 1) / 2); }
}  // namespace

void ZEZCustomTreeView::Dispatch(TMessage& Message) {
  if (InputMessage(Message)) {
    return;
  }
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_VSCROLL: WMVScroll(Message); return;
    case WM_HSCROLL: WMHScroll(Message); return;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_GETDLGCODE:
      TWinControl::Dispatch(Message);
      Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TWinControl::Dispatch(Message);
      for (ZEZTreeNode* N : FSelection) {
        N->Invalidate({npText});
      }
      return;
    case CM_COLORCHANGED:
      TWinControl::Dispatch(Message);
      OnColorChanged();
      return;
    case CM_FONTCHANGED:
      TWinControl::Dispatch(Message);
      OnFontChanged();
      return;
    case WM_DESTROY:
      // A measuring context made from this window goes with it.
      FCanvas->FreeHandle();
      DestroyToolTipWindowOfView();
      TWinControl::Dispatch(Message);
      return;
    case CM_CTL3DCHANGED:
      TWinControl::Dispatch(Message);
      UpdateBorder();
      return;
    default: TWinControl::Dispatch(Message); return;
  }
}

void ZEZCustomTreeView::WMPaint(TMessage& Message) {
  PAINTSTRUCT Ps;
  HDC DC = BeginPaint(Handle(), &Ps);
  if (FItems->Locked()) {
    const TRect R = Rect(0, 0, Width(), Height());
    ValidateRect(Handle(), &R);
    EndPaint(Handle(), &Ps);
    return;
  }
  HDC Use = Message.WParam ? reinterpret_cast<HDC>(Message.WParam) : DC;
  TRect Area = Ps.rcPaint;
  if (Message.WParam) {
    Area = GetDrawRect();
  }
  const bool WasPrinting = FPrinting;
  const ZEZCanvasFlags SavedFlags = FCanvas->Flags;
  const Integer SavedHorz = FHorzPos;
  if (FPrinting) {
    // The screen's look for this paint; rows measured in the print font are measured again, now and after.
    FHorzPos = FSavedHorzPos;
    FPrinting = false;
    ResetTextCache();
  }
  FCanvas->Flags = ZEZCanvasFlags{};
  FCanvas->SetHandle(Use);
  HideDragImage();
  try {
    FPaintingFrame = true;
    DrawTreeView(Area);
    FPaintingFrame = false;
    if (FRubberBand && !FFrameHidden) {
      FCanvas->DrawFocusRect(RubberBandRect());
    }
    FScrollSumX = FScrollSumY = 0;
  } catch (...) {
    ShowDragImage();
    FPaintingFrame = false;
    FCanvas->SetHandle(0);
    if (WasPrinting)
      ResetTextCache();
    FPrinting = WasPrinting;
    FHorzPos = SavedHorz;
    FCanvas->Flags = SavedFlags;
    EndPaint(Handle(), &Ps);
    throw;
  }
  ShowDragImage();
  FCanvas->SetHandle(0);
  if (WasPrinting) {
    ResetTextCache();
    FPrinting = true;
    FHorzPos = SavedHorz;
    FCanvas->Flags = SavedFlags;
  }
  EndPaint(Handle(), &Ps);
}

void ZEZCustomTreeView::DrawTreeView(const TRect& Rect) {
  EraseSelectFrame();
  ZEZTreeNode* Node = FItems->GetFirstVisibleRect(Rect);
  if (!Node) {
    DrawBackground(nullptr, Rect);
    return;
  }
  FCanvas->CopyMode = cmSrcCopy;
  ZEZTreeNode* Last = nullptr;
  for (ZEZTreeNode* N = Node; N; N = N->GetNextVisibleRect(true, Rect)) {
    DrawNode(N, Rect);
    Last = N;
  }
  if (FFocused && (FRowSelect || AllowDrawText(FFocused)) && AllowDrawFocusRect(FFocused)) {
    const TRect F = GetFocusRect();
    const TRect D = GetDrawRect();
    if (F.Top >= D.Top && F.Top < D.Bottom) {
      FCanvas->Pen()->SetColor(static_cast<TColor>(ColorToRGB(GetFocusPenColor()) ^ ColorToRGB(clHighlight)));
      FCanvas->Brush()->SetColor(static_cast<TColor>(ColorToRGB(GetFocusBrushColor()) ^ 0xFFFFFF));
      FCanvas->DrawFocusRect(F);
    }
  }
  const Integer Bottom = Last->DisplayRectPart(npText, npText, true).Bottom;
  if (Bottom < Rect.Bottom) {
    DrawBackground(nullptr, ::Rect(Rect.Left, Bottom, Rect.Right, Rect.Bottom));
  }
  if (FDropTarget && (FDropTargetKind == tkUp || FDropTargetKind == tkDown)) {
    const TRect R = GetNodeFocusRect(FDropTarget);
    FCanvas->Pen()->SetColor(GetNodeFontColor(FDropTarget, FDropTarget->GetFontColor()));
    const Integer Y = FDropTargetKind == tkUp ? R.Top + 1 : R.Bottom - 2;
    FCanvas->MoveTo(R.Left - 1, Y);
    FCanvas->LineTo(R.Right, Y);
    FCanvas->MoveTo(R.Left, Y - 1);
    FCanvas->LineTo(R.Left, Y + 2);
    FCanvas->MoveTo(R.Right - 1, Y - 1);
    FCanvas->LineTo(R.Right - 1, Y + 2);
  }
}

void ZEZCustomTreeView::DrawNode(ZEZTreeNode* Node, const TRect& Rect) {
  ZEZNodeDispInfo Info;
  Node->GetNodeDispInfo(Info);
  InternalDrawNode(Node, Info, Rect);
}

void ZEZCustomTreeView::InternalDrawNode(ZEZTreeNode* Node, const ZEZNodeDispInfo& Info, const TRect& Clip) {
  for (int P = npLines; P <= npText; ++P) {
    const TRect& R = Info.Rects[P];
    if (R.Left >= R.Right) {
      continue;
    }
    const bool Overlaps = (R.Left >= Clip.Left && R.Left < Clip.Right) || (R.Left < Clip.Left && R.Right > Clip.Left);
    if (!Overlaps) {
      continue;
    }
    switch (static_cast<TNodePart>(P)) {
      case npLines: DrawNodeLines(Node, R); break;
      case npButton: DrawNodeButton(Node, R); break;
      case npCheckBox: Node->DrawCheckBox(R); break;
      case npStateImage: Node->DrawStateImage(R); break;
      case npImage: Node->DrawImage(R); break;
      case npText: DrawNodeText(Node, R); break;
    }
  }
  const TRect& T = Info.Rects[npText];
  if (T.Right < Clip.Right) {
    DrawBackground(Node, ::Rect(std::max(Clip.Left, T.Right), T.Top, Clip.Right, T.Bottom));
  }
}

void ZEZCustomTreeView::DrawNodeLines(ZEZTreeNode* Node, const TRect& Rect) {
  Integer X = Node->GetPositionX();
  for (ZEZTreeNode* A = Node->Parent(); A; A = A->Parent()) {
    const Integer W = A->GetIndent();
    DrawNodeLineSection(A, Node, ::Rect(X - W, Rect.Top, X, Rect.Bottom));
    X -= W;
  }
}

void ZEZCustomTreeView::DrawNodeLineSection(ZEZTreeNode* Ancestor, ZEZTreeNode* Node, const TRect& R) {
  if (!FPrinting) {
    DrawBackground(Node, R);
  }
  if (FShowLines && Ancestor->GetNextSibling()) {
    FCanvas->SetPattern(170);
    FCanvas->Pen()->SetColor(FLinesColor);
    FCanvas->Brush()->SetColor(Color());
    FCanvas->DrawVertDotLine(R.Left + Half(R.Width() - 1), R.Top, R.Bottom);
  }
}

void ZEZCustomTreeView::DrawNodeButton(ZEZTreeNode* Node, const TRect& R) {
  if (!FPrinting) {
    DrawBackground(Node, R);
  }
  const bool Button = Node->GetHasChildren() && FShowButtons;
  TRect B;
  TRect S;
  Integer MidY = 0;
  if (Button) {
    B = Node->GetButtonRect();
    CenterRectHorz(B, R);
    CenterRectVertEven(B, R);
    MidY = Half(B.Top + B.Bottom);
  } else {
    MidY = Half(R.Top + R.Bottom) & ~1;
  }
  const Integer MidX = R.Left + Half(R.Width() - 1);
  const Integer UpTop = Node->GetPrev() ? R.Top : MidY;
  const Integer LowBottom = Node->GetNextSibling() ? R.Bottom : MidY;
  Integer UpFrom = UpTop, UpTo = MidY, LowFrom = MidY, LowTo = LowBottom, HorzFrom = MidX;
  if (Button) {
    S = ZEZTreeNode::GetSymbolRect(B);
    CenterRect(S, B);
    UpTo = B.Top;
    LowFrom = B.Bottom - 1;
    HorzFrom = B.Right + 1;
    FCanvas->Brush()->SetColor(FLinesColor);
    FCanvas->FrameRect(B);
    FCanvas->Pen()->SetColor(clBlack);
    FCanvas->Brush()->SetColor(Color());
    FCanvas->SetPattern(255);
    const Integer SY = Half(S.Top + S.Bottom);
    FCanvas->DrawHorzDotLine(S.Left, SY, S.Right);
    if (!Node->GetExpanded() && !FPrinting) {
      FCanvas->DrawVertDotLine(Half(S.Left + S.Right), S.Top, S.Bottom);
    }
  }
  if (FShowLines) {
    FCanvas->SetPattern(170);
    FCanvas->Pen()->SetColor(FLinesColor);
    FCanvas->Brush()->SetColor(Color());
    if (UpFrom < UpTo) {
      FCanvas->DrawVertDotLine(MidX, UpFrom, UpTo);
    }
    if (LowFrom < LowTo) {
      FCanvas->DrawVertDotLine(MidX, LowFrom, LowTo);
    }
    if (HorzFrom < R.Right) {
      FCanvas->DrawHorzDotLine(HorzFrom, MidY, R.Right);
    }
  }
}

void ZEZCustomTreeView::DrawNodeText(ZEZTreeNode* Node, const TRect& R) {
  if (!AllowDrawText(Node)) {
    DrawBackground(Node, R);
    return;
  }
  FCanvas->SetFont(Node->GetInternalFont());
  TColor FontColor = FCanvas->Font()->Color();
  if (!FPrinting) {
    if (Node == FHotNode) {
      FontColor = FActiveSelectedColor;
    }
    FCanvas->Brush()->SetColor(GetNodeBrushColor(Node, GetDefaultNodeBrushColor(Node)));
    FCanvas->Font()->SetColor(GetNodeFontColor(Node, FontColor));
  }
  TRect Outer = R;
  if (AllowDrawFocusRect(Node)) {
    ShrinkRectInRect(Outer, GetNodeFocusRect(Node));
  }
  const TRect Inner = ::Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  if (!FPrinting) {
    FCanvas->FillRectExclude(Outer, Inner);
  }
  DrawEditor(Node, Node->GetText(), 0, Inner);
  if (!FPrinting && Node == FHotNode) {
    TEXTMETRIC Tm;
    GetTextMetrics(FCanvas->Handle(), &Tm);
    const Integer Y = Inner.Top + Tm.tmAscent + 2;
    FCanvas->Pen()->SetColor(FCanvas->Font()->Color());
    FCanvas->MoveTo(Inner.Left, Y);
    FCanvas->LineTo(Inner.Right, Y);
  }
}

void ZEZCustomTreeView::DrawEditor(ZEZTreeNode* Node, const std::string& Text, Integer Column, const TRect& R) {
  if (TControl* E = GetEditor(Node, Column)) {
    TDMDraw D{Text.c_str(), &R, IsWordWrap()};
    if (E->Perform(DMDraw, reinterpret_cast<WPARAM>(&D), reinterpret_cast<LPARAM>(FCanvas.get()))) {
      return;
    }
  }
  const Integer H = GetEditorHeight(Node, Text, Column);
  TRect T = ::Rect(R.Left, 0, R.Right, H);
  CenterRectVert(T, R);
  T.Left += 1;
  T.Right += 1;
  T.Top += 1;
  T.Bottom -= 1;
  if (IsWordWrap()) {
    DrawMultiLineText(FCanvas.get(), Text, T, true);
  } else {
    ExtTextOut(FCanvas->Handle(), T.Left, T.Top, ETO_OPAQUE | ETO_CLIPPED, &T, Text.data(),
               static_cast<UINT>(Text.size()), nullptr);
  }
  FCanvas->FillRectExclude(R, T);
}

void ZEZCustomTreeView::DrawBackground(ZEZTreeNode* Node, const TRect& R) {
  if (EmptyRect(R)) {
    return;
  }
  FCanvas->Brush()->SetColor(GetNodeBackgroundColor(Node));
  FCanvas->FillRect(R);
}

void ZEZCustomTreeView::FillRectExclude(ZEZTreeNode* Node, const TRect& Outer, const TRect& Inner) {
  DrawBackground(Node, ::Rect(Outer.Left, Outer.Top, Inner.Left, Outer.Bottom));
  DrawBackground(Node, ::Rect(Inner.Right, Outer.Top, Outer.Right, Outer.Bottom));
  DrawBackground(Node, ::Rect(Inner.Left, Outer.Top, Inner.Right, Inner.Top));
  DrawBackground(Node, ::Rect(Inner.Left, Inner.Bottom, Inner.Right, Outer.Bottom));
}

// ---- colours ---------------------------------------------------------------------------------------------------

TColor ZEZCustomTreeView::GetSelectedColor(ZEZTreeNode* Node, TColor Default) {
  if (Node && FRowSelect && FRowSelectType == rtFull && (IsFocused() || !FHideSelection) &&
      (Node->GetSelected() || (Node == FDropTarget && FDropTargetKind == tkStandard))) {
    return IsFocused() ? FActiveSelectedColor : FInactiveSelectedColor;
  }
  return Default;
}

TColor ZEZCustomTreeView::GetNodeBrushColor(ZEZTreeNode* Node, TColor Default) {
  if (Node == FDropTarget && FDropTargetKind == tkStandard) {
    return FActiveSelectedColor;
  }
  if (!Node->GetSelected()) {
    return Default;
  }
  if (IsFocused()) {
    return FActiveSelectedColor;
  }
  return FHideSelection ? Default : FInactiveSelectedColor;
}

TColor ZEZCustomTreeView::GetNodeFontColor(ZEZTreeNode* Node, TColor Default) {
  if (Node == FDropTarget && FDropTargetKind == tkStandard) {
    return FActiveSelectedFontColor;
  }
  if (!Node->GetSelected()) {
    return Default;
  }
  if (IsFocused()) {
    return FActiveSelectedFontColor;
  }
  return FHideSelection ? Default : FInactiveSelectedFontColor;
}

TColor ZEZCustomTreeView::GetFocusPenColor() const {
  return FFocused && FFocused->GetSelected() ? FActiveSelectedColor : clHighlight;
}

TColor ZEZCustomTreeView::GetFocusBrushColor() const {
  return FFocused && FFocused->GetSelected() ? FActiveSelectedColor : clBlack;
}

bool ZEZCustomTreeView::AllowDrawFocusRect(ZEZTreeNode* Node) {
  return Node && Node->GetFocused() && HandleAllocated() && GetFocus() == Handle();
}

TRect ZEZCustomTreeView::GetNodeFocusRect(ZEZTreeNode* Node) {
  if (!Node) {
    return TRect{};
  }
  if (FRowSelect && FRowSelectType == rtFull) {
    const TRect Row = Node->DisplayRectPart(npText, npText, true);
    return ::Rect(0, Row.Top, GetDrawRect().Right, Row.Bottom);
  }
  return Node->DisplayRectPart(npText, npText, true);
}
