// Scrolling, extents and coordinate mapping, and the window side of the editor: creation, scroll bars, focus,
// the cursor shape, the wheel and the messages it answers.
#include "editor/Easyeditor.h"

#include "editor/Easyutils.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Caret.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>
#include <string>

namespace {
constexpr int MaxInt = EasyMaxInt;
// Flat scroll-bar properties and the flat style.
constexpr UINT WsbPropVStyle = 0x0100;
constexpr UINT WsbPropHStyle = 0x0200;
constexpr std::intptr_t FsbFlatMode = 2;
}  // namespace

// ---- scroll commands ----

void TCustomEasyEdit::DoVScroll(int Code, int Pos) {
  if (UpdatingScrollPos) {
    return;
  }
  // Outside page layout the view moves by display rows, in page layout by pixels.
  const bool Pixels = PageLayout();
  const int OldLine = FWindowLine;
  const int Step = Pixels ? FPainter->GetTopLineHeight() : 1;
  const int PageStep = Pixels ? ClientHeight() : std::max(ScrollPageSize().cy, 1);
  auto MaxLine = [&] { return Pixels ? PageLayoutMaxWindowLine() : MaxVisibleLine(); };
  switch (Code) {
    case SB_LINEUP: InternalSetWindowLine(std::max(FWindowLine - Step, 0)); break;
    case SB_LINEDOWN: InternalSetWindowLine(std::min(FWindowLine + Step, MaxLine())); break;
    case SB_PAGEUP: InternalSetWindowLine(std::max(FWindowLine - PageStep, 0)); break;
    case SB_PAGEDOWN: InternalSetWindowLine(std::min(FWindowLine + PageStep, MaxLine())); break;
    case SB_THUMBPOSITION: InternalSetWindowLine(std::max(Pos, 0)); break;
    case SB_THUMBTRACK:
      if (FOptions.Contains(eoThumbTracking)) {
        InternalSetWindowLine(std::max(Pos, 0));
      }
      break;
    case SB_TOP: InternalSetWindowLine(0); break;
    case SB_BOTTOM: InternalSetWindowLine(MaxLine()); break;
    case SB_ENDSCROLL:
      if (FWordWrap) {
        UpdateScrollBars();
        UpdateScrollPos();
      }
      return;
    default: break;
  }
  RepaintControl(FWindowChar, OldLine);
  UpdateScrollPos();
  DoScroll(true, Code);
}

void TCustomEasyEdit::DoHScroll(int Code, int Pos) {
  if (UpdatingScrollPos) {
    return;
  }
  if (PageLayout()) {
    PageLayoutHScroll(Code, Pos);
    return;
  }
  const int OldChar = FWindowChar;
  const int Columns = std::max(ScrollPageSize().cx, 1);
  switch (Code) {
    case SB_LINELEFT: FWindowChar = std::max(FWindowChar - 1, 0); break;
    case SB_LINERIGHT: FWindowChar = FWindowChar + 1; break;
    case SB_PAGELEFT: FWindowChar = std::max(FWindowChar - Columns, 0); break;
    case SB_PAGERIGHT: FWindowChar = FWindowChar + Columns; break;
    case SB_THUMBPOSITION: FWindowChar = std::max(Pos, 0); break;
    case SB_THUMBTRACK:
      if (FOptions.Contains(eoThumbTracking)) {
        FWindowChar = std::max(Pos, 0);
      }
      break;
    case SB_LEFT: FWindowChar = 0; break;
    // The right end: the last page of the horizontal range, in columns as the range is.
    case SB_RIGHT: FWindowChar = std::max(GetMaxScrollWidth() - ScrollPageSize().cx, 0); break;
    default: break;
  }
  RepaintControl(OldChar, FWindowLine);
  UpdateScrollPos();
  UpdateRulers();
  DoScroll(false, Code);
}

TSize TCustomEasyEdit::ScrollPageSize() {
  TSize Size{0, 0};
  const TRect R = Rect(PageLayout() ? 0 : GetLeftIndent(), GetTopRulerIndent(), ClientWidth(), ClientHeight());
  FPainter->ScrollPageSize(R, Size);
  return Size;
}

// ---- scroll bars ----

void TCustomEasyEdit::UpdateScrollBars() {
  if (!HandleAllocated()) {
    return;
  }
  const int W = ClientWidth();
  // A bar that appears or vanishes changes the page of the other; two passes settle both.
  for (int Pass = 0; Pass < 2; ++Pass) {
    const TRect Before = ClientRect();
    SetBarRanges();
    const TRect After = ClientRect();
    if (Before.Right == After.Right && Before.Bottom == After.Bottom) {
      break;
    }
  }
  if (FWordWrap && ClientWidth() != W) {
    UpdateWordWrap(0, MaxInt, false);
  }
}

void TCustomEasyEdit::SetBarRanges() {
  if (PageLayout()) {
    PageLayoutScrollBars();
    return;
  }
  const int W = ClientWidth();
  const TSize Page = ScrollPageSize();
  int Range = -1;
  int PageSize = -1;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
    Range = MaxVisibleLine();
    PageSize = Page.cy;
    if (FHideScrollBars && Range < PageSize) {
      PageSize = -1;
    }
  }
  SetScrollBarInfo(Range, PageSize, true);
  Range = -1;
  PageSize = -1;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
    Range = GetMaxScrollWidth();
    PageSize = Page.cx;
    if (FHideScrollBars) {
      if (FWordWrap) {
        const int MarginWidth = std::max(FMargin->Position(), 1) * FPainter->GetDefaultCharWidth();
        if (FOptions.Contains(eoBreakWordsAtMargin) && MarginWidth > W) {
          Range = MarginWidth;
          PageSize = W;
        } else {
          Range = 0;
          PageSize = -1;
        }
      } else {
        Range = GetMaxLineWidth();
        if (Range < PageSize) {
          PageSize = -1;
        }
      }
    }
  }
  SetScrollBarInfo(Range, PageSize, false);
}

void TCustomEasyEdit::SetScrollBarInfo(int Max, int Page, bool Vertical) {
  if (HandleAllocated()) {
    SetScrollSize(Vertical ? SB_VERT : SB_HORZ, 0, Page, std::max(Max, Page));
  }
}

void TCustomEasyEdit::UpdateScrollPos() {
  if (!HandleAllocated()) {
    return;
  }
  UpdatingScrollPos = true;
  try {
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
      SetScrollPos(SB_VERT, FWindowLine);
    }
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
      SetScrollPos(SB_HORZ, FWindowChar);
    }
  } catch (...) {
    UpdatingScrollPos = false;
    throw;
  }
  UpdatingScrollPos = false;
  if (!WrapUpdating) {
    UpdateCaret();
  }
}

int TCustomEasyEdit::GetScrollPos(int Bar) {
  if (!HandleAllocated()) {
    return 0;
  }
  SCROLLINFO Info;
  Info.fMask = SIF_POS | SIF_TRACKPOS;
  if (FlatScrollBarsActive) {
    FlatSB_GetScrollInfo(Handle(), Bar, &Info);
  } else {
    GetScrollInfo(Handle(), Bar, &Info);
  }
  return Info.nPos;
}

void TCustomEasyEdit::SetScrollPos(int Bar, int Pos) {
  if (FlatScrollBarsActive) {
    FlatSB_SetScrollPos(Handle(), Bar, Pos, TRUE);
  } else {
    ::SetScrollPos(Handle(), Bar, Pos, TRUE);
  }
}

void TCustomEasyEdit::SetScrollSize(int Bar, int Min, int Page, int Max) {
  SCROLLINFO Info;
  Info.fMask = SIF_RANGE | SIF_PAGE;
  Info.nMin = Min;
  Info.nMax = Max;
  Info.nPage = static_cast<UINT>(Page);
  if (FlatScrollBarsActive) {
    FlatSB_SetScrollInfo(Handle(), Bar, &Info, TRUE);
  } else {
    SetScrollInfo(Handle(), Bar, &Info, TRUE);
  }
}

// ---- extents ----

int TCustomEasyEdit::GetMaxScrollHeight() {
  if (PageLayout()) {
    return PagedMaxScrollHeight();
  }
  if (ScrollHeightCache == 0) {
    ScrollHeightCache = VisibleLineCount() * FPainter->GetDefaultLineHeight();
  }
  return ScrollHeightCache;
}

int TCustomEasyEdit::GetMaxScrollWidth() {
  if (ScrollWidthCache == 0) {
    ScrollWidthCache = FMaxScrollPos;
    if (PageLayout()) {
      ScrollWidthCache = 0;
      for (int I = 0; I < FPages->Count(); ++I) {
        TEasyPage* P = FPages->Page(I);
        ScrollWidthCache = std::max(ScrollWidthCache, P->GetRealPageSize().cx + 2 * P->GetLeftGutterWidth());
      }
    }
  }
  return ScrollWidthCache;
}

int TCustomEasyEdit::WrapLineCount() const { return FWordWrap ? std::max(LineCount(), FWrapList->Count()) : LineCount(); }

int TCustomEasyEdit::VisibleLineCount() {
  int N = WrapLineCount();
  if (InvisibleLines()) {
    N -= GetLines()->GetHiddenCount();
  }
  if (FOptions.Contains(eoPaintFormattingMarks) && GetFmtMark(fmEof) != 0) {
    ++N;
  }
  return N;
}

int TCustomEasyEdit::MaxVisibleLine() { return std::max(VisibleLineCount() - 1, 0); }

void TCustomEasyEdit::GetVisibleLineIndex(int& Line) {
  if (InvisibleLines()) {
    Line = GetLines()->RealToVisibleLineIndex(Line);
  }
}

void TCustomEasyEdit::GetRealLineIndex(int& Line) {
  if (InvisibleLines()) {
    Line = GetLines()->VisibleToRealLineIndex(Line);
  }
}

// ---- the widest line ----

void TCustomEasyEdit::UpdateLines(int First, int Last) {
  DirtyFirstLine = (DirtyFirstLine == -1 || First == -1) ? First : std::min(DirtyFirstLine, First);
  DirtyLastLine = (DirtyLastLine == -1 || Last == -1) ? Last : std::max(DirtyLastLine, Last);
}

int TCustomEasyEdit::LineWidth(int Line) { return GetEditSource()->LineLength(Line); }

int TCustomEasyEdit::GetMaxLineWidth() {
  if (DirtyFirstLine != -1) {
    if (DirtyFirstLine != DirtyLastLine || DirtyFirstLine == MaxWidthLine || MaxWidthLine == -1) {
      UpdateMaxLine();
    } else if (LineWidth(DirtyFirstLine) > MaxLineWidth) {
      UpdateMaxLine();
    }
    DirtyFirstLine = DirtyLastLine = -1;
  }
  return MaxLineWidth;
}

void TCustomEasyEdit::UpdateMaxLine() {
  MaxLineWidth = 0;
  MaxWidthLine = -1;
  const int Count = LineCount();
  for (int I = 0; I < Count; ++I) {
    const int W = LineWidth(I);
    if (W >= MaxLineWidth) {
      MaxLineWidth = W;
      MaxWidthLine = I;
    }
  }
}

// ---- indents and line numbers ----

int TCustomEasyEdit::GetGutterIndent(bool WithFoldButtons) {
  int N = FOptions.Contains(eoPaintGutter) ? FGutter->GetWidth() : 0;
  if (FLineNumbers->Visible() && !FLineNumbers->Options().Contains(lnPaintOnGutter)) {
    N += LineNumberWidth;
  }
  N += FGutter->Indent();
  if (WithFoldButtons && InvisibleLines() && !FOptions.Contains(eoCollapseButtonOnGutter)) {
    N += FGutter->Images()->Width();
  }
  return N;
}

int TCustomEasyEdit::GetLeftIndent() { return GetGutterIndent(true) + (PageLayout() ? 0 : GetLeftRulerIndent()); }

int TCustomEasyEdit::GetLineNumberLength() {
  int N = LineCount() + FLineNumbers->StartFrom() - 1;
  if (FLineNumbers->Options().Contains(lnPaintBeyondEof)) {
    ++N;
    if (!MeasuringLineNumbers && !WrapUpdating) {
      MeasuringLineNumbers = true;
      const int Bottom = FWindowLine + std::max(ScrollPageSize().cy, 0);
      MeasuringLineNumbers = false;
      N = std::max(N, Bottom + FLineNumbers->StartFrom());
    }
  }
  return static_cast<int>(std::to_string(std::max(N, 0)).size());
}

int TCustomEasyEdit::GetLineNumberWidth() {
  LineNumberWidth = FPainter->GetDefaultCharWidth() * LineNumberDigits + FLineNumbers->Indent() +
                    FLineNumbers->LeftIndent();
  return LineNumberWidth;
}

bool TCustomEasyEdit::UpdateLineNumbers(bool Force) {
  if (!FLineNumbers->Visible()) {
    return false;
  }
  const int Digits = GetLineNumberLength();
  const bool Changed = Digits != LineNumberDigits;
  LineNumberDigits = Digits;
  if (Changed || Force) {
    GetLineNumberWidth();
    UpdateWordWrap(0, MaxInt, true);
    PaintBackground();
    if (HandleAllocated()) {
      UpdateCaret();
    }
  }
  return Changed;
}

// ---- mapping ----

TPoint TCustomEasyEdit::TextToPixelPoint(const TPoint& P, bool AtRowEnd) {
  if (PageLayout()) {
    return PageLayoutTextToPixel(P, AtRowEnd);
  }
  TPoint Q = FPainter->TextToPixelPoint(P, TPoint{0, FWindowLine}, true, AtRowEnd);
  if (Q.X != MaxInt) {
    Q.X += GetLeftIndent() - FPainter->GetOffsetFromChar(FWindowChar);
  }
  if (Q.Y != MaxInt) {
    Q.Y += GetTopIndent();
  }
  return Q;
}

TPoint TCustomEasyEdit::PixelToTextPoint(const TPoint& Q, bool AtRowEnd) {
  return PixelToTextPointEx(Q, AtRowEnd, true, false, false);
}

TPoint TCustomEasyEdit::PixelToTextPointEx(const TPoint& Q, bool AtRowEnd, bool ClampToRow, bool AllowRowEnd,
                                           bool NoRound) {
  if (PageLayout()) {
    return PageLayoutPixelToText(Q, AtRowEnd, ClampToRow, AllowRowEnd, NoRound);
  }
  (void)AtRowEnd;
  const int Y = Q.Y - GetTopIndent();
  const int X = Q.X == MaxInt ? MaxInt : Q.X + FPainter->GetOffsetFromChar(FWindowChar) - GetLeftIndent();
  return FPainter->PixelToTextPoint(TPoint{X, Y}, TPoint{0, FWindowLine}, MaxInt, true, ClampToRow, AllowRowEnd,
                                    NoRound);
}

int TCustomEasyEdit::PixelToTextChar(int& Row, int X, bool ClampToRow, bool AllowRowEnd, bool NoRound) {
  if (PageLayout()) {
    return PageLayoutPixelToTextChar(Row, X, ClampToRow, AllowRowEnd, NoRound);
  }
  const int TextX = X + FPainter->GetOffsetFromChar(FWindowChar) - GetLeftIndent();
  return FPainter->PixelToTextChar(Row, TextX, ClampToRow, AllowRowEnd, NoRound);
}

int TCustomEasyEdit::GetRealChar(int Line, int Column) {
  TCustomEasyEditSource* Source = GetEditSource();
  if (Source->NeedTabs() && Column != MaxInt) {
    return Source->TabStopList()->PosToRealPos(Source->Strings()->GetStrRef(Line), Column);
  }
  return Column;
}

TRect TCustomEasyEdit::RectFromTextPoint(const TRect& Range) {
  const int H = FPainter->GetDefaultLineHeight();
  const TPoint Start = TextToPixelPoint(TPoint{Range.Left, Range.Top}, SelStartAtRowEnd);
  const TPoint End = TextToPixelPoint(TPoint{Range.Right, Range.Bottom}, SelEndAtRowEnd);
  TRect R;
  R.Top = Start.Y;
  R.Bottom = End.Y == MaxInt ? ClientHeight() : End.Y + H;
  R.Right = End.X == MaxInt ? ClientWidth() : End.X;
  const TEasyEditSourceStates Pending = GetEditSource()->State;
  const bool GutterDepends =
      FOptions.Contains(eoPaintGutter) &&
      (Pending.Contains(csBookMarkChanged) || Pending.Contains(csLineStyleChanged) || InvisibleLines() ||
       (FOptions.Contains(eoPaintWrapBookmark) && FWordWrap) ||
       (FLineNumbers->Visible() && FLineNumbers->Options().Contains(lnPaintOnGutter)));
  if (GutterDepends) {
    R.Left = 0;
  } else if (FLineNumbers->Visible() && !FLineNumbers->Options().Contains(lnPaintOnGutter)) {
    R.Left = GetLeftRulerIndent() + FGutter->GetWidth();
  } else {
    R.Left = std::min(Start.X, GetLeftIndent());
  }
  R.Left = std::max(R.Left, 0);
  R.Top = std::max(R.Top, 0);
  R.Right = std::min(R.Right, ClientWidth());
  R.Bottom = std::min(R.Bottom, ClientHeight());
  return R;
}

void TCustomEasyEdit::InvalidateEditor(int First, int Last) {
  if (!HandleAllocated()) {
    return;
  }
  const TRect R = RectFromTextPoint(Rect(0, First, MaxInt, Last));
  if (R.Right > R.Left && R.Bottom > R.Top) {
    InvalidateRect(Handle(), &R, FALSE);
  }
}

// ---- size ----

void TCustomEasyEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const int OldWidth = Width();
  const int OldHeight = Height();
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (Width() == OldWidth && Height() == OldHeight) {
    return;
  }
  UpdateScrollBars();
  UpdateScrollPos();
  PaintBackground();
  if (Width() != OldWidth && !PageLayout()) {
    UpdateWordWrap(0, MaxInt, true);
  }
  if (Height() != OldHeight && UpdateLineNumbers(false)) {
    Invalidate();
  }
  UpdateRulers();
}

void TCustomEasyEdit::MouseWheel(int Delta) {
  WheelDelta = static_cast<SmallInt>(WheelDelta + Delta);
  const int Notches = WheelDelta / WHEEL_DELTA;
  if (Notches == 0) {
    return;
  }
  const int Lines = std::max(Mouse->WheelScrollLines, 1);
  if (PageLayout()) {
    SetWindowLine(
        std::min(FWindowLine - Notches * Lines * FPainter->GetDefaultLineHeight(), PageLayoutMaxWindowLine()));
  } else {
    SetWindowLine(std::min(FWindowLine - Notches * Lines, MaxVisibleLine()));
  }
  WheelDelta = static_cast<SmallInt>(WheelDelta - Notches * WHEEL_DELTA);
}

// ---- the window ----

void TCustomEasyEdit::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_TABSTOP;
  Params.WindowClass.style = CS_DBLCLKS;
  if (FBorderStyle == bsSingle) {
    if (Ctl3D()) {
      Params.Style &= ~WS_BORDER;
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    } else {
      Params.Style |= WS_BORDER;
    }
  }
}

void TCustomEasyEdit::CreateWnd() {
  TCustomControl::CreateWnd();
  if (FFlatScrollBars) {
    if (InitializeFlatSB(Handle())) {
      FlatScrollBarsActive = true;
      FlatSB_SetScrollProp(Handle(), WsbPropVStyle, FsbFlatMode, TRUE);
      FlatSB_SetScrollProp(Handle(), WsbPropHStyle, FsbFlatMode, TRUE);
    }
  } else if (FlatScrollBarsActive) {
    UninitializeFlatSB(Handle());
    FlatScrollBarsActive = false;
  }
  DoCreateWnd();
}

void TCustomEasyEdit::DoCreateWnd() {
  UpdateScrollBars();
  UpdateWordWrap(0, MaxInt, true);
  UpdateLineNumbers(false);
  PaintBackground();
  if (TEasyPage* Page = GetDefaultPage()) {
    Page->UpdatePage();
  }
  UpdateRulers();
}

void TCustomEasyEdit::DestroyWnd() {
  DisableSelTimer();
  DisableAutoCompleteTimer();
  TCustomControl::DestroyWnd();
}

void TCustomEasyEdit::DoSetFocus() {
  GetEditSource()->ActiveEditor = this;
  FFocused = true;
  if (!FHideCaret) {
    CreateCaret();
    UpdateCaret();
  }
  if (FLineDivider->Options().Contains(ldHighlightCurrentLine)) {
    Invalidate();
  } else if (SelType != slNone && (FColors->SelColor != FColors->InActiveSelColor ||
                                   FColors->SelBackColor != FColors->InActiveSelBackColor)) {
    InvalidateSelection(SelRect, SelType);
  }
}

void TCustomEasyEdit::DoKillFocus() {
  FFocused = false;
  if (HandleAllocated()) {
    ::HideCaret(Handle());
    DestroyCaret();
  }
  CaretWidth = CaretHeight = 0;
  if (FLineDivider->Options().Contains(ldHighlightCurrentLine)) {
    Invalidate();
  } else if (SelType != slNone && (FColors->SelColor != FColors->InActiveSelColor ||
                                   FColors->SelBackColor != FColors->InActiveSelBackColor)) {
    InvalidateSelection(SelRect, SelType);
  }
}

void TCustomEasyEdit::DoEnabledChanged() {
  if (FOptions.Contains(eoUseDisabledColor)) {
    Invalidate();
  }
  SetSelType(slNone);
  if (!Enabled() && HandleAllocated()) {
    ::HideCaret(Handle());
  }
}

void TCustomEasyEdit::DoColorChanged() {
  if (TCustomEasyParser* P = GetParser()) {
    P->ColorChanged(Color());
  }
}

void TCustomEasyEdit::DoMouseLeave() {
  HidePopupHint();
  if (OnMouseLeave) {
    OnMouseLeave(this);
  }
}

bool TCustomEasyEdit::DoSetCursor() {
  TPoint P{0, 0};
  ::GetCursorPos(&P);
  P = ScreenToClient(P);
  bool Arrow = P.X < GetLeftIndent();
  if (PageLayout()) {
    const TRect Text = GetPageAt(TPoint{P.X + FWindowChar, P.Y + FWindowLine}, false)->PageRect();
    Arrow = P.X < Text.Left || P.X > Text.Right;
  }
  if (!Arrow && SelType != slNone) {
    const TPoint T = PixelToTextPoint(P, CaretAtRowEnd);
    Arrow = InsideBlock(T.X, T.Y) &&
            (T.Y < LineCount() || GetSourceOptions().Contains(srBeyondEol));
  }
  if (Arrow) {
    ::SetCursor(LoadCursor(0, MAKEINTRESOURCE(IDC_ARROW)));
  }
  return Arrow;
}

void TCustomEasyEdit::WndProc(TMessage& Message) {
  if (!HandleEditorMessage(Message)) {
    TCustomControl::WndProc(Message);
  }
}

bool TCustomEasyEdit::HandleEditorMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return true;
    case WM_VSCROLL:
      Message.Result = 1;
      DoVScroll(LOWORD(Message.WParam), GetScrollPos(SB_VERT));
      ProcessVScroll(LOWORD(Message.WParam), -1);
      return true;
    case WM_HSCROLL:
      Message.Result = 1;
      DoHScroll(LOWORD(Message.WParam), GetScrollPos(SB_HORZ));
      return true;
    case WM_GETDLGCODE: {
      LRESULT Code = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
      if (FWantTabs) {
        Code |= DLGC_WANTTAB;
      }
      if (!FWantReturns) {
        Code &= ~DLGC_WANTALLKEYS;
      }
      Message.Result = Code;
      return true;
    }
    case WM_SETFOCUS: TCustomControl::WndProc(Message); DoSetFocus(); return true;
    case WM_KILLFOCUS: TCustomControl::WndProc(Message); DoKillFocus(); return true;
    case CM_ENTER: TCustomControl::WndProc(Message); GetEditSource()->SetFocused(true); return true;
    case CM_EXIT: TCustomControl::WndProc(Message); GetEditSource()->SetFocused(false); return true;
    case CM_ENABLEDCHANGED: TCustomControl::WndProc(Message); DoEnabledChanged(); return true;
    case CM_COLORCHANGED: TCustomControl::WndProc(Message); DoColorChanged(); return true;
    case CM_FONTCHANGED: TCustomControl::WndProc(Message); DoFontChanged(this); return true;
    case CM_MOUSELEAVE: TCustomControl::WndProc(Message); DoMouseLeave(); return true;
    case WM_SETCURSOR:
      if (DoSetCursor()) {
        Message.Result = 1;
        return true;
      }
      return false;
    case WM_MOUSEWHEEL:
      MouseWheel(static_cast<SmallInt>(HIWORD(Message.WParam)));
      Message.Result = 1;
      return true;
    case WM_TIMER:
      if (Message.WParam == EasySelTimerId) {
        MouseSelect();
      } else if (Message.WParam == EasyAutoCompleteTimerId) {
        DisableAutoCompleteTimer();
        DoCodeCompletion();
      }
      return true;
    case WM_KEYUP: {
      TCustomControl::WndProc(Message);
      if (LastTypedChar != 0 && GetSourceOptions().Contains(srAutoCorrect)) {
        const char C = static_cast<char>(std::tolower(static_cast<unsigned char>(LastTypedChar)));
        for (char D : FAutoCorrectDelims) {
          if (std::tolower(static_cast<unsigned char>(D)) == static_cast<unsigned char>(C)) {
            CheckAutoCorrect();
            break;
          }
        }
      }
      LastTypedChar = 0;
      return true;
    }
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      // A pending prefix (or a system key) is looked up before the form's dialog keys see the key.
      if (Message.Msg == CN_SYSKEYDOWN || KeyState != 0) {
        Word Key = static_cast<Word>(Message.WParam);
        KeyDown(Key, KeyDataToShiftState(Message.LParam));
        if (Key == 0) {
          Message.Result = 1;
          return true;
        }
      }
      return false;
    case WM_DESTROY:
      if (FlatScrollBarsActive) {
        UninitializeFlatSB(Handle());
        FlatScrollBarsActive = false;
      }
      return false;
    default: return HandleEditMessage(Message);
  }
  return false;
}
