// The editor's paged views: page lookups, the page-layout branches of mapping, extents and scrolling, the page
// frames, numbers and breaks of the paint pass, single-page painting for the preview and printer, the rulers'
// link to the current page, and the page-layout helpers of caret and mouse handling.
#include "editor/Easyeditor.h"

#include "editor/Easyruler.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {

constexpr int MaxInt = EasyMaxInt;

TRect Intersect(const TRect& A, const TRect& B) {
  TRect I =
      Rect(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right), std::min(A.Bottom, B.Bottom));
  if (I.Right < I.Left || I.Bottom < I.Top) {
    I = TRect{0, 0, 0, 0};
  }
  return I;
}

}  // namespace

// ---- page lookups ----

int TCustomEasyEdit::GetPageIndexAt(TPoint P, bool ByText) {
  if (!NeedPages() || FPages->Count() == 0) {
    return 0;
  }
  if (!ByText) {
    P.X = std::max(P.X, 0);
  }
  const int I = FPages->GetPageIndexAt(P, ByText);
  return I < 0 ? 0 : I;
}

TEasyPage* TCustomEasyEdit::GetPageAt(const TPoint& P, bool ByText) {
  if (FPages->Count() == 0) {
    return nullptr;
  }
  return FPages->Page(GetPageIndexAt(P, ByText));
}

TEasyPage* TCustomEasyEdit::GetCurrentPage() {
  if (NeedPages()) {
    if (TEasyPage* P = GetPageAt(GetCurrentPosition(), true)) {
      return P;
    }
  }
  return GetDefaultPage();
}

// ---- mapping ----

TEasyPage* TCustomEasyEdit::GetPageAtPoint(const TPoint& P, bool AtRowEnd) {
  // The lookup reads the row-end flag from the caret's; the position's own flag stands in for the call.
  const bool Saved = CaretAtRowEnd;
  CaretAtRowEnd = AtRowEnd;
  TEasyPage* Page = nullptr;
  try {
    Page = GetPageAt(P, true);
  } catch (...) {
    CaretAtRowEnd = Saved;
    throw;
  }
  CaretAtRowEnd = Saved;
  return Page;
}

TPoint TCustomEasyEdit::PageLayoutTextToPixel(const TPoint& P, bool AtRowEnd) {
  // The end of the text stands for "to the bottom": no page is looked up (and none laid out) for it.
  TEasyPage* Page = P.Y == MaxInt ? GetDefaultPage() : GetPageAtPoint(P, AtRowEnd);
  TPoint Q = FPainter->TextToPixelPoint(P, TPoint{Page->FirstChar, Page->FirstLine}, false, AtRowEnd);
  if (Q.X != MaxInt) {
    Q.X += GetLeftIndent() + Page->GetLeftGutterWidth() + Page->LeftIndent() - FWindowChar;
  }
  if (Q.Y != MaxInt) {
    Q.Y += Page->Top + Page->TopIndent() - FWindowLine + GetTopIndent();
  }
  return Q;
}

TPoint TCustomEasyEdit::PageLayoutPixelToText(const TPoint& Q, bool AtRowEnd, bool ClampToRow, bool AllowRowEnd,
                                              bool NoRound) {
  (void)AtRowEnd;
  const int Y = Q.Y - GetTopIndent();
  TEasyPage* Page = GetPageAt(TPoint{Q.X + FWindowChar, Y + FWindowLine}, false);
  const TRect Text = Page->PageRect();
  const int X = std::clamp(Q.X, Text.Left, std::max(Text.Right, Text.Left));
  const int Bottom = Page->Height - Page->TopIndent() - Page->BottomIndent();
  const int PX = std::max(X - Text.Left, 0);
  const int PY = std::clamp(Y + FWindowLine - Page->Top - Page->TopIndent(), 0, std::max(Bottom - 1, 0));
  return FPainter->PixelToTextPoint(TPoint{PX, PY}, TPoint{Page->FirstChar, Page->FirstLine}, Bottom, false, ClampToRow,
                                    AllowRowEnd, NoRound);
}

int TCustomEasyEdit::PageLayoutPixelToTextChar(int& Row, int X, bool ClampToRow, bool AllowRowEnd, bool NoRound) {
  // With word wrap Row is a display row: its page is the one its first character lies on.
  TEasyPage* Page = FWordWrap ? GetPageAtPoint(FWrapList->WrapPointToPoint(TPoint{0, std::max(Row, 0)}), false)
                              : GetPageAt(TPoint{0, Row}, true);
  const int TextX = X + FWindowChar - Page->GetLeftGutterWidth() - Page->LeftIndent() - GetLeftIndent();
  return FPainter->PixelToTextChar(Row, TextX, ClampToRow, AllowRowEnd, NoRound);
}

int TCustomEasyEdit::PageLayoutRowAt(int Y) {
  TEasyPage* Page = GetPageAt(TPoint{0, Y + FWindowLine}, false);
  const int Origin = FWrapList->IndexFromPoint(TPoint{Page->FirstChar, Page->FirstLine}, false);
  if (Origin < 0) {
    return -1;
  }
  const int H = std::max(FPainter->GetDefaultLineHeight(), 1);
  const int Dy = Y + FWindowLine - Page->Top - Page->TopIndent();
  const int Row = Dy >= 0 ? Dy / H : -((-Dy + H - 1) / H);
  return Origin + std::clamp(Row, 0, Page->TextRows() - 1);
}

void TCustomEasyEdit::PageGeometryChanged(TEasyPage* Page) {
  FSheetsAlike = -1;
  if (!FWordWrap || !PageLayout() || FOptions.Contains(eoBreakWordsAtMargin) || WrapUpdating ||
      FWrapList->Count() == 0 || Page == nullptr) {
    return;
  }
  // The rows from the page before on are dropped (the two may share a line) and wrapped again as they are
  // needed, at the new width; the pages from there on are laid out again.
  const int Before = std::min(Page->Index(), FPages->LaidOut) - 1;
  const int Line = Before >= 0 ? FPages->Page(Before)->FirstLine : 0;
  FWrapList->ClearLines(Line, MaxInt);
  WrappedUpTo = std::min(WrappedUpTo, Line - 1);
  FPages->LaidOut = std::min(FPages->LaidOut, std::max(Before, 0));
}

// ---- extents and scrolling ----

int TCustomEasyEdit::PagedMaxScrollHeight() {
  TEasyPage* Last = GetLastPage();
  if (ScrollHeightCache == 0) {
    if (Last != nullptr) {
      if (Last->Height == 0) {
        FPages->CalcPageInternalSize(FPages->Count() - 1, true);
      }
      ScrollHeightCache = Last->Top + Last->Height;
    } else {
      ScrollHeightCache = -1;
    }
  }
  return ScrollHeightCache + (PageLayout() && Last != nullptr ? Last->GetTopGutterHeight() : 0);
}

int TCustomEasyEdit::GetEstimatedHeight() {
  if (FPages->LaidOut != 0 && GetLastPage() != nullptr) {
    const TEasyPage* Q = FPages->Page(std::min(FPages->LaidOut - 1, FPages->Count() - 1));
    const int K = Q->LastLine;
    const int N = LineCount();
    if (K < N || N < 0 || K <= 0) {
      return std::max(GetMaxScrollHeight(), MulDiv(Q->Top + Q->Height, std::max(N - 1, 0), K));
    }
  }
  return GetMaxScrollHeight();
}

int TCustomEasyEdit::PageLayoutMaxWindowLine() { return std::max(GetMaxScrollHeight() - ClientHeight(), 0); }

int TCustomEasyEdit::PageLayoutMaxWindowChar() { return std::max(GetMaxScrollWidth() - ClientWidth(), 0); }

void TCustomEasyEdit::PageLayoutHScroll(int Code, int Pos) {
  const int OldChar = FWindowChar;
  const int Step = FPainter->GetDefaultCharWidth();
  switch (Code) {
    case SB_LINELEFT: FWindowChar = std::max(FWindowChar - Step, 0); break;
    case SB_LINERIGHT: FWindowChar = std::min(FWindowChar + Step, PageLayoutMaxWindowChar()); break;
    case SB_PAGELEFT: FWindowChar = std::max(FWindowChar - ClientWidth(), 0); break;
    case SB_PAGERIGHT: FWindowChar = std::min(FWindowChar + ClientWidth(), PageLayoutMaxWindowChar()); break;
    case SB_THUMBPOSITION: FWindowChar = std::max(Pos, 0); break;
    case SB_THUMBTRACK:
      if (FOptions.Contains(eoThumbTracking)) {
        FWindowChar = std::max(Pos, 0);
      }
      break;
    case SB_LEFT: FWindowChar = 0; break;
    case SB_RIGHT: FWindowChar = PageLayoutMaxWindowChar(); break;
    default: break;
  }
  RepaintControl(OldChar, FWindowLine);
  UpdateScrollPos();
  UpdateRulers();
  DoScroll(false, Code);
}

void TCustomEasyEdit::PageLayoutScrollBars() {
  const bool Vert = FScrollBars == ssVertical || FScrollBars == ssBoth;
  const bool Horz = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
  SetScrollBarInfo(Vert ? GetEstimatedHeight() : -1, Vert ? ClientHeight() : -1, true);
  SetScrollBarInfo(Horz ? GetMaxScrollWidth() : -1, Horz ? ClientWidth() : -1, false);
}

// ---- painting ----

TRect TCustomEasyEdit::PageTextPaintRect(TEasyPage* Page) {
  TRect R = Page->PageRect();
  const int Bottom = R.Bottom;
  R.Bottom = R.Top + Page->GetRealPageHeight();
  if (PageLayout()) {
    // Nothing is painted below the sheet's bottom margin.
    R.Bottom = std::min(R.Bottom, Bottom);
  }
  return R;
}

void TCustomEasyEdit::InitPagedPainter(const TRect& R) {
  const bool Layout = PageLayout();
  const int LeftIndent = GetLeftIndent();
  const int TopIndent = GetTopIndent();
  int Index = 0;
  if (PaintSinglePage) {
    Index = std::clamp(PaintPageIndex, 0, FPages->Count() - 1);
    if (Index >= FPages->LaidOut) {
      for (int I = FPages->LaidOut; I <= Index; ++I) {
        FPages->CalcPageInternalSize(I, true);
      }
    }
  } else if (Layout) {
    Index = GetPageIndexAt(TPoint{0, R.Top + FWindowLine}, false);
  } else if (FWordWrap) {
    // WindowLine is a display row: the page of its first character.
    Index = GetPageAtPoint(FWrapList->WrapPointToPoint(TPoint{0, FWindowLine}), false)->Index();
  } else {
    int Line = FWindowLine;
    GetRealLineIndex(Line);
    Index = GetPageIndexAt(TPoint{0, Line}, true);
  }
  FirstPaintPage = Index;
  LastPaintPage = Index;
  const int LastLine = LineCount() - 1;
  for (;;) {
    TEasyPage* Page = FPages->Page(Index);
    if (Index >= FPages->LaidOut) {
      FPages->CalcPageInternalSize(Index, true);
    }
    const TRect PageR = PageTextPaintRect(Page);
    TRect Paint = R;
    if (Layout) {
      Paint.Right = std::max(Paint.Right, PageR.Left + 1);
    } else {
      Paint.Left = std::max(Paint.Left, LeftIndent);
      Paint.Right = std::max(Paint.Right, LeftIndent + 1);
    }
    Paint.Top = std::max(Paint.Top, TopIndent);
    TCustomPainterRecord* Rec = FPainter->NewPainterRecord();
    Rec->PageIndex = Index;
    Rec->Rect = Intersect(Paint, PageR);
    Rec->VisibleRect = Intersect(PageR, Paint);
    Rec->PageTextRect = PageR;
    Rec->PageFirstLine = Page->FirstLine;
    Rec->PageFirstChar = Page->FirstChar;
    Rec->GutterOffset = Layout ? Page->GetLeftGutterWidth() : 0;
    FPainter->InitPainterRecord(Rec);
    FPainter->AddRecord(Rec);
    LastPaintPage = Index;
    if (PaintSinglePage || R.Bottom <= Page->PageOuterRect(false).Bottom) {
      break;
    }
    if (Index + 1 >= FPages->Count()) {
      if (FPages->TextEndsOnPage(Index)) {
        break;
      }
      FPages->Add();
      if (Index + 1 >= FPages->Count()) {
        break;
      }
    } else if (Index + 1 >= FPages->LaidOut) {
      FPages->CalcPageInternalSize(Index + 1, true);
    }
    if (FPages->Page(Index + 1)->FirstLine > LastLine) {
      break;
    }
    ++Index;
  }
  LastPaintPage = std::min(LastPaintPage, FPages->Count() - 1);
}

void TCustomEasyEdit::PaintPages(const TRect& R) {
  if (FPages->Count() == 0) {
    return;
  }
  for (int I = FirstPaintPage; I <= LastPaintPage; ++I) {
    PaintPage(I, R, FPages->Page(I)->PageOuterRect(false));
  }
  if (PaintSinglePage) {
    return;
  }
  const int Y = FPages->Page(LastPaintPage)->PageOuterRect(false).Bottom + (PageLayout() ? 2 : 0);
  if (Y < R.Bottom) {
    if (PageLayout()) {
      Canvas()->Brush()->SetColor(FBorderColor);
      Canvas()->FillRect(Rect(R.Left, Y, R.Right, R.Bottom));
    } else {
      DoFillRect(Rect(std::max(R.Left, GetLeftIndent()), Y, R.Right, R.Bottom));
    }
  }
  Canvas()->Brush()->SetColor(GetEditorColor());
}

void TCustomEasyEdit::PaintPage(int Index, const TRect& Clip, const TRect& Outer) {
  (void)Clip;
  TEasyPage* Page = FPages->Page(Index);
  const TRect Text = PageTextPaintRect(Page);
  if (PageLayout()) {
    const int Gutter = GetLeftIndent();
    PaintBoundsRect(Rect(Outer.Left + Gutter, Outer.Top, Outer.Right, Outer.Bottom), Text, GetEditorColor());
    if (Gutter != 0) {
      PaintGutter(Rect(Outer.Left, Outer.Top, Outer.Left + Gutter, Outer.Bottom));
    }
    if (Printing) {
      return;
    }
    TCanvas* C = Canvas();
    const TColor OldPen = C->Pen()->Color();
    const TRect G = Rect(Outer.Left - 1, Outer.Top - 1, Outer.Right + 1, Outer.Bottom + 1);
    const int BandTop = Page->Top - Page->GetTopGutterHeight() - FWindowLine + (Index > 0 ? 2 : 0);
    PaintBoundsRect(Rect(0, BandTop, ClientWidth(), G.Bottom + 2), G, FBorderColor);
    C->Brush()->SetColor(clBlack);
    C->FrameRect(G);
    C->Pen()->SetColor(clBlack);
    C->MoveTo(G.Right + 1, G.Top + 1);
    C->LineTo(G.Right + 1, G.Bottom + 1);
    C->MoveTo(G.Left + 1, G.Bottom);
    C->LineTo(G.Right + 1, G.Bottom);
    C->Pen()->SetColor(OldPen);
    C->Brush()->SetColor(GetEditorColor());
  } else {
    PaintBoundsRect(Rect(GetLeftIndent(), Outer.Top, ClientWidth(), Outer.Bottom), Text, GetEditorColor());
  }
}

void TCustomEasyEdit::PaintPageNumber(int Index, const TRect& R) {
  if (Index < 0 || Index >= FPages->Count() || !FPages->Page(Index)->PaintPageNumber()) {
    return;
  }
  TEasyPage* Page = FPages->Page(Index);
  const std::string Text = std::to_string(Index + 1);
  TCanvas* C = Canvas();
  C->Font()->Assign(FPageNumFont.get());
  try {
    HDC DC = C->Handle();
    const int OldMode = SetBkMode(DC, TRANSPARENT);
    const TSize S = C->TextExtent(Text);
    int X = R.Left + 2;
    if (Page->NumAlignment() == taRightJustify) {
      X = R.Right - S.cx - 2;
    } else if (Page->NumAlignment() == taCenter) {
      X = (R.Left + R.Right - S.cx) / 2;
    }
    C->TextOut(X, R.Bottom - S.cy - 1, Text);
    SetBkMode(DC, OldMode);
  } catch (...) {
    C->Font()->Assign(Font());
    throw;
  }
  C->Font()->Assign(Font());
}

void TCustomEasyEdit::PaintPageBreak(int Index, int Y) {
  if (FPageType != ptPageBreaks || Index < 0 || Index >= FPages->Count() || FPages->TextEndsOnPage(Index)) {
    return;
  }
  if (Index + 1 < FPages->Count() && Index + 1 < FPages->LaidOut &&
      FPages->Page(Index + 1)->FirstLine > LineCount() - 1) {
    return;
  }
  HDC DC = Canvas()->Handle();
  HPEN Pen = CreatePen(PS_DOT, 1, ColorToRGB(clBlack));
  HGDIOBJ Old = SelectObject(DC, Pen);
  MoveToEx(DC, 0, Y, nullptr);
  LineTo(DC, ClientWidth(), Y);
  SelectObject(DC, Old);
  DeleteObject(Pen);
}

void TCustomEasyEdit::PaintSinglePageTo(TCanvas* Target, int PageIndex) {
  if (PageIndex < 0 || PageIndex >= FPages->Count()) {
    return;
  }
  TEasyPage* Page = FPages->Page(PageIndex);
  NoScrollRepaint = true;
  FWindowChar = 0;
  FWindowLine = Page->Top;
  NoScrollRepaint = false;
  PaintSinglePage = true;
  PaintPageIndex = PageIndex;
  TCanvas* C = Canvas();
  C->Lock();
  try {
    C->SetHandle(Target->Handle());
    Paint();
  } catch (...) {
    C->SetHandle(0);
    C->Unlock();
    PaintSinglePage = false;
    throw;
  }
  C->SetHandle(0);
  C->Unlock();
  PaintSinglePage = false;
}

int TCustomEasyEdit::SelRowLeft(int Line) {
  if (PageLayout()) {
    return GetPageAt(TPoint{0, Line}, true)->PageRect().Left;
  }
  return GetLeftIndent();
}

int TCustomEasyEdit::SelRowRight(int Line) {
  if (PageLayout()) {
    return GetPageAt(TPoint{0, Line}, true)->PageRect().Right;
  }
  return ClientWidth();
}

// ---- rulers ----

void TCustomEasyEdit::UpdateRulers() {
  if (!HandleAllocated() || FPages == nullptr || FRuler == nullptr ||
      (!FRuler->HorzRulerVisible() && !FRuler->VertRulerVisible())) {
    return;
  }
  TEasyPage* Page = GetCurrentPage();
  if (Page == nullptr) {
    return;
  }
  const bool Layout = PageLayout();
  const TRect Ref = Layout ? Page->PageOuterRect(false) : Page->PageRect();
  if (FRuler->HorzRulerVisible()) {
    TEasyRuler* H = FRuler->HorzRuler();
    H->SetPageStart(Ref.Left);
    H->SetPageEnd(NeedPages() ? Ref.Right : ClientWidth());
    TEasyRulerOptions O = H->Options();
    NeedStoreInfo() ? O.Include(roShowSliders) : O.Exclude(roShowSliders);
    Layout ? O.Exclude(roFixedIndents) : O.Include(roFixedIndents);
    H->SetOptions(O);
    H->SetLeftPageIndent(Layout ? Page->LeftIndent() + GetGutterIndent(true) : 0);
    H->SetRightPageIndent(Layout ? Page->RightIndent() : 0);
    H->Invalidate();
  }
  if (FRuler->VertRulerVisible()) {
    TEasyRuler* V = FRuler->VertRuler();
    if (NeedPages()) {
      V->SetPageStart(Ref.Top - V->Top());
      V->SetPageEnd(Ref.Bottom - V->Top());
    } else {
      V->SetPageStart(0);
      V->SetPageEnd(ClientHeight());
    }
    TEasyRulerOptions O = V->Options();
    Layout ? O.Exclude(roFixedIndents) : O.Include(roFixedIndents);
    V->SetOptions(O);
    V->SetLeftPageIndent(Layout ? Page->TopIndent() : 0);
    V->SetRightPageIndent(Layout ? Page->BottomIndent() : 0);
    V->Invalidate();
  }
}

void TCustomEasyEdit::RulerChanged(TObject* Ruler, int Indentation) {
  TEasyPage* Page = GetCurrentPage();
  if (Page == nullptr || Indentation < 0) {
    return;
  }
  if (Ruler == FRuler->VertRuler() && Ruler != nullptr) {
    TEasyRuler* V = FRuler->VertRuler();
    if (Indentation == 1) {
      Page->SetBottomIndent(V->RightPageIndent());
    } else {
      Page->SetTopIndent(V->LeftPageIndent());
    }
  } else if (Ruler == FRuler->HorzRuler() && Ruler != nullptr) {
    TEasyRuler* H = FRuler->HorzRuler();
    if (Indentation == 1) {
      Page->SetRightIndent(H->RightPageIndent());
    } else {
      Page->SetLeftIndent(H->LeftPageIndent() - (PageLayout() ? GetGutterIndent(true) : 0));
    }
  }
  UpdateWordWrap(0, MaxInt, true);
  Invalidate();
}

// ---- caret and mouse helpers of page layout ----

void TCustomEasyEdit::PageLayoutEnsureVisible(const TPoint& P) {
  if (!HandleAllocated()) {
    return;
  }
  PageScrollDone = false;
  const TSize Caret = FPainter->GetCaretSize();
  const TPoint Q = TextToPixelPoint(P, CaretAtRowEnd);
  const int TopRuler = GetTopRulerIndent();
  if (Q.Y < TopRuler) {
    SetWindowLine(FWindowLine + Q.Y - TopRuler);
  } else if (Q.Y > ClientHeight() - Caret.cy) {
    SetWindowLine(Q.Y + FWindowLine - (ClientHeight() - Caret.cy));
  }
  if (Q.X < 0) {
    SetWindowChar(Q.X + FWindowChar);
  } else if (Q.X > ClientWidth() - 2) {
    SetWindowChar(Q.X + FWindowChar - ClientWidth() + 2);
  }
}

bool TCustomEasyEdit::PageLayoutIsCurrentLineVisible() {
  const int Y = TextToPixelPoint(GetCurrentPosition(), CaretAtRowEnd).Y;
  return Y >= 0 && Y <= ClientHeight() - FPainter->GetCaretSize().cy;
}

void TCustomEasyEdit::PageLayoutCenterCurrentLine() {
  const int Y = TextToPixelPoint(GetCurrentPosition(), CaretAtRowEnd).Y;
  SetWindowLine(Y + FWindowLine - (ClientHeight() - FPainter->GetCaretSize().cy) / 2);
}

int TCustomEasyEdit::PageLayoutPageStep() { return ClientHeight() - FPainter->GetDefaultLineHeight(); }

TPoint TCustomEasyEdit::PageLayoutVisiblePoint(bool Bottom) {
  return PixelToTextPoint(TPoint{0, Bottom ? ClientHeight() : 0}, false);
}

int TCustomEasyEdit::PageLayoutWrapWidth(TEasyPage* Page) {
  const TRect R = Page->GetPageRect(false, true);
  return R.Right - R.Left - 2;
}

bool TCustomEasyEdit::PageLayoutMouseOnGutter(const TPoint& P) {
  if (!FOptions.Contains(eoPaintGutter)) {
    return false;
  }
  TEasyPage* Page = GetPageAt(TPoint{P.X + FWindowChar, P.Y + FWindowLine - GetTopIndent()}, false);
  return Page->GetLeftGutterWidth() - FWindowChar <= P.X && P.X < Page->PageRect().Left - Page->LeftIndent();
}

int TCustomEasyEdit::PageLayoutGutterLeft(const TPoint& P) {
  TEasyPage* Page = GetPageAt(TPoint{P.X + FWindowChar, P.Y + FWindowLine - GetTopIndent()}, false);
  return Page->GetLeftGutterWidth() - FWindowChar;
}

bool TCustomEasyEdit::PageLayoutCaretPlaceable(int X, int Y) {
  return Y >= GetTopRulerIndent() && X >= GetLeftRulerIndent();
}
