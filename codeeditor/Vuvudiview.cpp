// Code editor control: metrics, gutter geometry, text styles resolution, word wrap, position conversion,
// scrolling and the caret.
#include "codeeditor/Vuvudi.h"
#include "platform/graphics/Caret.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "treeview/Fontman.h"

#include <algorithm>
#include <cstring>

namespace Vuvudi {

using namespace Dcstring;

// --- word-wrap list -----------------------------------------------------------------------------------------------

namespace {
bool Before(const TWordBreak& A, Integer Column, Integer Line) {
  return A.Line < Line || (A.Line == Line && A.Column < Column);
}
}  // namespace

void TWordWrapList::Add(const TWordBreak& B) {
  const Integer I = LowerBound(B.Column, B.Line);
  FItems.insert(FItems.begin() + I, B);
}

Integer TWordWrapList::LowerBound(Integer Column, Integer Line) const {
  auto It = std::lower_bound(FItems.begin(), FItems.end(), 0,
                             [&](const TWordBreak& A, int) { return Before(A, Column, Line); });
  return static_cast<Integer>(It - FItems.begin());
}

Integer TWordWrapList::FindNear(Integer Column, Integer Line, bool& Exact) const {
  // The last break at or before (Column, Line).
  auto It = std::upper_bound(FItems.begin(), FItems.end(), 0, [&](int, const TWordBreak& A) {
    return Line < A.Line || (Line == A.Line && Column < A.Column);
  });
  const Integer I = static_cast<Integer>(It - FItems.begin()) - 1;
  Exact = I >= 0 && FItems[I].Line == Line && FItems[I].Column == Column;
  return I;
}

Integer TWordWrapList::FindRow(Integer Row) const {
  // Break i begins display row Line(i) + i + 1; that row number grows strictly with i.
  Integer Lo = 0, Hi = Count() - 1, Found = -1;
  while (Lo <= Hi) {
    const Integer Mid = (Lo + Hi) / 2;
    if (FItems[Mid].Line + Mid + 1 <= Row) {
      Found = Mid;
      Lo = Mid + 1;
    } else {
      Hi = Mid - 1;
    }
  }
  return Found;
}

void TWordWrapList::ClearRange(Integer FirstLine, Integer LastLine) {
  const Integer A = LowerBound(0, FirstLine);
  const Integer B = LastLine >= MaxInt - 1 ? Count() : LowerBound(0, LastLine + 1);
  if (A < B) {
    FItems.erase(FItems.begin() + A, FItems.begin() + B);
  }
}

Integer TWordWrapList::CountInLines(Integer FirstLine, Integer LastLine) const {
  const Integer A = LowerBound(0, FirstLine);
  const Integer B = LastLine >= MaxInt - 1 ? Count() : LowerBound(0, LastLine + 1);
  return std::max<Integer>(0, B - A);
}

// --- metrics ------------------------------------------------------------------------------------------------------

Integer TCustomVUVudi::GetAveLineHeight() {
  if (FLineHeight == 0) {
    Integer H = TreeFonts::GetFontInfo(FFont->Handle()).Height;
    if (FUseMonoFont) {
      H = std::max(H, FTextStyles->GetMaxCharHeight());
    }
    if (Dorazori::TSimpleParser* P = GetSource()->SyntaxParser()) {
      if (TFont* F = P->GetFont(-1)) {
        H = std::max(H, TreeFonts::GetFontInfo(F->Handle()).Height);
      }
    }
    FLineHeight = std::max<Integer>(H, 1);
  }
  return FLineHeight;
}

Integer TCustomVUVudi::GetAveCharWidth() {
  if (FCharWidth == 0) {
    Integer W = TreeFonts::GetFontInfo(FFont->Handle()).DoubleAverageWidth / 2;
    if (FUseMonoFont) {
      W = std::max(W, FTextStyles->GetMaxCharWidth());
    }
    if (Dorazori::TSimpleParser* P = GetSource()->SyntaxParser()) {
      if (TFont* F = P->GetFont(-1)) {
        W = std::max(W, TreeFonts::GetFontInfo(F->Handle()).DoubleAverageWidth / 2);
      }
    }
    FCharWidth = std::max<Integer>(W, 1);
    FCharSp.clear();
    UpdateCharSp(512);
  }
  return FCharWidth;
}

void TCustomVUVudi::UpdateLineHeight() {
  FLineHeight = 0;
  GetAveLineHeight();
}

void TCustomVUVudi::UpdateAVESize() {
  FLineHeight = 0;
  FCharWidth = 0;
  GetAveLineHeight();
  GetAveCharWidth();
}

void TCustomVUVudi::UpdateCharSp(Integer Count) {
  if (static_cast<Integer>(FCharSp.size()) < Count) {
    FCharSp.assign(static_cast<std::size_t>(Count), GetAveCharWidth());
  }
}

void TCustomVUVudi::FontOnChange(TObject*) {
  if (!FReady) {
    return;
  }
  Invalidate();
  UpdateLineHeight();
  UpdateLineNumbersWidth();
  FTextStyles->UpdateParams();
  FCharWidth = 0;
  GetAveCharWidth();
  FGutterBackground->PaintBackground();
  FCaretWidth = FCaretHeight = 0;
  UpdateCaretMode();
  RewrapAll();
  UpdateScrollSize();
  UpdateScrollPos();
  UpdateMaxLine(true);
  UpdateMonoFontFlag();
  if (!FUseMonoFont) {
    GetSource()->ParserChanged();
  }
}

bool TCustomVUVudi::IsMemoFontMonoSpaced() {
  auto Mono = [](TFont* F) {
    HDC DC = GetDC(0);
    HGDIOBJ Old = SelectObject(DC, F->Handle());
    TEXTMETRIC Tm{};
    GetTextMetrics(DC, &Tm);
    SelectObject(DC, Old);
    ReleaseDC(0, DC);
    return Tm.tmAveCharWidth == Tm.tmMaxCharWidth;
  };
  if (!Mono(FFont.get())) {
    return false;
  }
  const HFONT H = FFont->Handle();
  for (Integer I = 0; I < FTextStyles->Count(); ++I) {
    TFont* F = FTextStyles->GetItem(I)->Font();
    if (F->Name() != FFont->Name() || F->Height() != FFont->Height() || !Mono(F)) {
      return false;
    }
    (void)H;
  }
  return true;
}

void TCustomVUVudi::UpdateMonoFontFlag() {
  if (FReady) {
    FMonoSpaced = IsMemoFontMonoSpaced();
  }
}

void TCustomVUVudi::TextStylesChanged(TObject*) {
  FStylesChanged = true;
  Invalidate();
  UpdateLineHeight();
}

// --- text styles resolution -------------------------------------------------------------------------------------

TFont* TCustomVUVudi::GetFontFromTextStyle(Integer Style) {
  TFont* Result = nullptr;
  Dorazori::TSimpleParser* P = GetSource()->SyntaxParser();
  if (!FStyleLock && P) {
    Result = P->GetFont(Style);
  }
  if (!Result && Style >= 0 && Style < FTextStyles->Count()) {
    Result = FTextStyles->GetItem(Style)->Font();
  }
  if (!Result) {
    Result = FFont.get();
  }
  TColor Scratch = 0;
  DoGetFontFromStyle(Style, FFont.get(), Scratch);
  return Result;
}

TColor TCustomVUVudi::GetColorFromTextStyle(Integer Style) {
  TColor Result = Color();
  Dorazori::TSimpleParser* P = GetSource()->SyntaxParser();
  TColor C = 0;
  if (!FStyleLock && P && P->GetBackColor(Style, C)) {
    Result = C == TColor(-1) ? Color() : C;
  } else if (Style >= 0 && Style < FTextStyles->Count()) {
    Result = FTextStyles->GetItem(Style)->Color();
  }
  Result = CheckReadOnlyColor(Result);
  DoGetFontFromStyle(Style, nullptr, Result);
  return Result;
}

TColor TCustomVUVudi::CheckReadOnlyColor(TColor Value) {
  if (HasOption(moUseReadOnlyColor) && Value == Color() && GetSource()->ReadOnly()) {
    return FReadOnlyColor;
  }
  return Value;
}

void TCustomVUVudi::DoGetFontFromStyle(Integer Style, TFont* Font, TColor& Color) {
  if (OnGetFontFromStyle) {
    OnGetFontFromStyle(this, Style, Font, Color);
  }
}

bool TCustomVUVudi::IsUpperCaseStyle(Integer Style) {
  Dorazori::TSimpleParser* P = GetSource()->SyntaxParser();
  if (!FStyleLock && P && P->GetFont(Style)) {
    return false;
  }
  return Style >= 0 && Style < FTextStyles->Count() && FTextStyles->GetItem(Style)->UpperCase();
}

bool TCustomVUVudi::EqualStyles(Integer A, Integer B, bool IgnoreColor) {
  if (A < 0 || B < 0) {
    return true;
  }
  if (!IgnoreColor && GetColorFromTextStyle(A) != GetColorFromTextStyle(B)) {
    return false;
  }
  TFont* FA = GetFontFromTextStyle(A);
  TFont* FB = GetFontFromTextStyle(B);
  return IsUpperCaseStyle(A) == IsUpperCaseStyle(B) && FA->Handle() == FB->Handle() &&
         (IgnoreColor || FA->Color() == FB->Color());
}

TColor TCustomVUVudi::GetSelColor() {
  if (!FHideSelection || Focused()) {
    return FSelColor;
  }
  return Canvas()->Font()->Color();
}

TColor TCustomVUVudi::GetSelBkColor() {
  if (!FHideSelection || Focused()) {
    return FSelBackColor;
  }
  return Color();
}

void TCustomVUVudi::GetSelColorsFromStyle(Integer Style, TColor& FontColor, TColor& BackColor) {
  if (Style <= 0 || HasOption(moDisableInvertedSel) || Style >= FTextStyles->Count()) {
    FontColor = GetSelColor();
    BackColor = GetSelBkColor();
    return;
  }
  FStyleLock = true;
  FontColor = GetColorFromTextStyle(Style);
  BackColor = GetFontColorFromTextStyle(Style);
  FStyleLock = false;
}

void TCustomVUVudi::DoColorChanged() {
  FTextStyles->UpdateParams();
  Invalidate();
}

Integer TCustomVUVudi::TempHighlightLineWithStyle(Integer Line, const std::string& StyleName) {
  const Integer I = FTextStyles->IndexOfName(StyleName);
  if (I >= 0) {
    GetSource()->TempHighlightLine(Line, static_cast<Byte>(I));
  }
  return I;
}

void TCustomVUVudi::ToggleImageAndTextStyle(const std::string& Name) {
  const Integer Style = FTextStyles->IndexOfName(Name);
  const Integer Image = FGutterImgs->IndexOfName(Name);
  TCustomMemoSource* S = GetSource();
  const Integer Line = S->GetCurLine();
  if (Style < 0 || Image < 0 || Line >= S->GetStrCount()) {
    return;
  }
  const bool Set = !S->GetImageBit(Line, Image);
  S->SetImageBit(Line, Image, Set);
  S->SetLineTextStyle(Line, static_cast<Byte>(Set ? Style : 0));
}

// --- gutter geometry ----------------------------------------------------------------------------------------------

Integer TCustomVUVudi::GetRealGutterWidth() {
  if (!HasOption(moDrawGutter)) {
    return 0;
  }
  if (HasOption(moLineNumbers) && HasOption(moLineNumbersOnGutter)) {
    return std::max(FLineNumWidth + FGutterLineIndent + 2, FGutterWidth);
  }
  return FGutterWidth;
}

Integer TCustomVUVudi::GetPaintX() {
  Integer X = GetRealGutterWidth();
  const bool OnGutter = HasOption(moLineNumbersOnGutter) && HasOption(moDrawGutter);
  if (HasOption(moLineNumbers) && !OnGutter) {
    X += FLineNumWidth;
  }
  if (HasOption(moLeftIndent) && FLeftIndent > 0) {
    X += FLeftIndent;
  }
  if (HideLines()) {
    X += GetAveLineHeight();
  }
  return X;
}

bool TCustomVUVudi::UpdateLineNumbersWidth() {
  if (!HasOption(moLineNumbers)) {
    if (FLineNumWidth != 0) {
      FLineNumWidth = 0;
      FLineNumDigits = 0;
      return true;
    }
    return false;
  }
  Integer N = GetSource()->GetStrCount();
  if (!HasOption(moLimitLineNumbers)) {
    const Integer Rows = FLineHeight > 0 ? std::max<Integer>(ClientHeight() / FLineHeight, 1) : 1;
    N = std::max(N, FWinLine + Rows + 1);
  }
  Integer D = static_cast<Integer>(std::to_string(std::max<Integer>(N, 1)).size());
  if (OnGetLineNumber) {
    std::string S;
    OnGetLineNumber(this, S, D);
  }
  if (D == FLineNumDigits) {
    return false;
  }
  FLineNumDigits = D;
  FLineNumWidth = GetAveCharWidth() * (D + 1);
  if (HandleAllocated() && FReady) {
    if (FWordWrap) {
      RewrapAll();
    }
    FGutterBackground->PaintBackground();
    UpdateCaret();
  }
  return true;
}

void TCustomVUVudi::OnGutterImgsChange(TObject*) {
  FImagesChanged = true;
  FBookmarkImages.fill(0);
  for (Integer I = 0; I < FGutterImgs->Count(); ++I) {
    const Integer B = FGutterImgs->GetItem(I)->BookmarkIndex();
    if (B >= 0 && B <= 9) {
      FBookmarkImages[static_cast<std::size_t>(B)] = I + 1;
    }
  }
  Invalidate();
}

void TCustomVUVudi::CalcGutterImgSize(Integer Index, Integer& Width, Integer& Height) {
  TBitmap* G = FGutterImgs->GetItem(Index)->Glyph();
  const Integer GH = G->Height(), GW = G->Width();
  Height = std::min<Integer>(GH, GetAveLineHeight() - 1);
  if (Height == GH || GH == 0) {
    Width = GW;
  } else {
    Width = (GW * Height * 2 + GH) / (2 * GH);
  }
}

bool TCustomVUVudi::DoPaintGutter(const TRect& Rect, TDrawState DrawState) {
  bool Owner = false;
  if (OnDrawGutter) {
    OnDrawGutter(this, Canvas(), Rect, DrawState, Owner);
  }
  return Owner;
}

// --- word wrap ----------------------------------------------------------------------------------------------------

Integer TCustomVUVudi::GetWrapMargin() {
  if (HasOption(moBreakWordAtMargin)) {
    return GetAveCharWidth() * FMarginPos + GetPaintX();
  }
  return ClientWidth();
}

void TCustomVUVudi::CheckWBCount(bool Force) {
  if (Force || FWrapColumns < 2) {
    if (HasOption(moBreakWordAtMargin)) {
      FWrapColumns = std::max<Integer>(FMarginPos - 1, 1);
    } else {
      const Integer W = GetAveCharWidth();
      FWrapColumns = std::max<Integer>((ClientWidth() - W - GetPaintX()) / W, 1);
    }
  }
}

void TCustomVUVudi::WordWrapLines(Integer First, Integer Last, bool) {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) {
    return;
  }
  TCustomMemoSource* S = GetSource();
  const Integer Count = S->GetStrCount();
  if (!FWordWrap || Count == 0) {
    FWordWrapList.Clear();
    FLineInfoList.Clear();
    FWrappedUpTo = 0;
    return;
  }
  CheckWBCount(true);
  const bool Lazy = Last == MaxInt;
  const Integer Before = FWordWrapList.CountInLines(First, Last);
  if (Lazy) {
    Last = FWinLine + LazyWrapRows;
    FWrappedUpTo = Last;
    if (First == 0) {
      FWordWrapList.Clear();
      FLineInfoList.Clear();
    }
  } else {
    FWrappedUpTo = std::max(FWrappedUpTo, Last);
  }
  Last = std::min(Last, Count - 1);
  FWordWrapList.ClearRange(First, Last);
  FLineInfoList.ClearRange(First, Last);
  const bool Mono = FUseMonoFont;
  const Integer RowWidth = std::max<Integer>(GetWrapMargin() - GetPaintX(), 1);
  Integer M = FWrapColumns;
  TInternalStrings* Strings = S->GetStrings();
  for (Integer L = First; L <= Last; ++L) {
    // Short lines need no break: decided without copying the line (by its measured width in proportional mode).
    if (Mono) {
      if (const TStringItem* Item = Strings->Items(L)) {
        const std::string& Raw = Item->Text;
        if (static_cast<Integer>(Raw.size()) <= M + 1 && std::memchr(Raw.data(), '\t', Raw.size()) == nullptr) {
          continue;
        }
      }
    } else if (GetRealLineWidth(L) <= RowWidth) {
      continue;
    }
    std::string Text, Colors;
    if (Mono) {
      Text = S->GetDisplay(L);
    } else {
      GetStrData(L, Text, Colors);
    }
    const Integer Len = static_cast<Integer>(Text.size());
    if (Mono && Len <= M + 1) {
      continue;
    }
    Integer Pos = 1;
    bool Broke = false;
    while (true) {
      if (!Mono) {
        // The room of this row: the characters from Pos that fit the row's width.
        TRect Room{0, 0, RowWidth, GetAveLineHeight()};
        Integer Extra = 0;
        M = std::max<Integer>(SymbolsDrawn(L, Pos - 1, Text, Colors, Room, Extra, true) - 1, 1);
      }
      if (Len - Pos <= M) {
        break;
      }
      Integer Break = Pos + M;
      for (Integer I = Pos + M; I >= Pos; --I) {
        if (S->IsDelimiter(Text[static_cast<std::size_t>(I - 1)])) {
          Break = I;
          break;
        }
      }
      Pos = Break + 1;
      if (Pos > Len) {
        break;
      }
      FWordWrapList.Add({Pos - 1, L, 0, 0, 0});
      Broke = true;
    }
    if (Broke) {
      FLineInfoList.Add({0, L, 0, 0, 0});
    }
  }
  WordWrapUpdated();
  if (HandleAllocated()) {
    if (First == 0 && Lazy) {
      Invalidate();
    } else if (FWordWrapList.CountInLines(First, Last) != Before) {
      InvalidateLines(First, MaxInt);
    } else {
      InvalidateLines(First, Last);
    }
  }
}

void TCustomVUVudi::SafeWordWrapLines(Integer First, Integer Last) {
  const bool Old = FWrapping;
  FWrapping = true;
  WordWrapLines(First, Last, true);
  FWrapping = Old;
}

void TCustomVUVudi::WordWrapUpdated() {
  if (!FWrapping) {
    RecalculatePosition();
    UpdateCaret();
  }
  UpdateScrollSize();
  UpdateScrollPos();
}

void TCustomVUVudi::CheckLastWrappedLine(Integer Line) {
  if (FWordWrap && Line >= FWrappedUpTo && !FWrapping) {
    const Integer From = FWrappedUpTo;
    SafeWordWrapLines(From, Line + WrapStep);
  }
}

void TCustomVUVudi::GetWBPositionEx(const TPoint& P, TPoint& D, Integer& RowStart) {
  D = P;
  RowStart = 0;
  if (!FWordWrap) {
    return;
  }
  CheckLastWrappedLine(P.Y);
  bool Exact = false;
  const Integer I = FWordWrapList.FindNear(P.X, P.Y, Exact);
  if (I >= 0) {
    const TWordBreak& B = FWordWrapList[I];
    if (B.Line == P.Y) {
      D.X = P.X - B.Column;
      RowStart = B.Column;
    }
    D.Y = P.Y + I + 1;
  }
  if (FWrapColumns > 0 && D.X > FWrapColumns + 1) {
    // Beyond the line's end in monospaced mode: carried over into further rows.
    const bool LastRow = I + 1 >= FWordWrapList.Count() || FWordWrapList[I + 1].Line != P.Y;
    if (LastRow && P.X > static_cast<Integer>(GetSource()->GetDisplay(P.Y).size())) {
      D.Y += D.X / FWrapColumns;
      D.X = 0;
    }
  }
}

void TCustomVUVudi::GetWBPosition(const TPoint& P, TPoint& D) {
  Integer RowStart = 0;
  GetWBPositionEx(P, D, RowStart);
}

void TCustomVUVudi::GetRealPosition(const TPoint& D, TPoint& P) {
  P = D;
  if (!FWordWrap) {
    return;
  }
  // Rows of the wrapped lines are lines plus breaks: wrap on, step by step, only until the row is known.
  const Integer Count = GetSource()->GetStrCount();
  while (!FWrapping && FWrappedUpTo < Count - 1 && D.Y >= FWrappedUpTo + FWordWrapList.Count()) {
    SafeWordWrapLines(FWrappedUpTo, FWrappedUpTo + WrapStep);
  }
  const Integer I = FWordWrapList.FindRow(D.Y);
  P.Y = D.Y - (I + 1);
  if (I >= 0 && FWordWrapList[I].Line == P.Y) {
    P.X = D.X + FWordWrapList[I].Column;
  }
}

Integer TCustomVUVudi::GetRealLineIndex(Integer Row, Integer& RowStart) {
  TPoint P;
  GetRealPosition({0, Row}, P);
  RowStart = P.X;
  return P.Y;
}

Integer TCustomVUVudi::GetWBStringLength(Integer Line, Integer Row, bool Flag) {
  const Integer Len = static_cast<Integer>(GetSource()->GetDisplay(Line).size());
  if (!FWordWrap) {
    return Len + 1;
  }
  Integer RowStart = 0;
  GetRealLineIndex(Row, RowStart);
  bool Exact = false;
  const Integer I = FWordWrapList.FindNear(RowStart, Line, Exact);
  const Integer Next = I + 1;
  if (Next < FWordWrapList.Count() && FWordWrapList[Next].Line == Line) {
    return FWordWrapList[Next].Column - RowStart;
  }
  return Len - RowStart + (Flag ? 0 : 1);
}

Integer TCustomVUVudi::GetWordBreakCount(Integer FirstLine, Integer FromColumn, Integer LastLine) {
  Integer N = FWordWrapList.CountInLines(FirstLine, LastLine);
  const Integer A = FWordWrapList.LowerBound(0, FirstLine);
  for (Integer I = A; I < FWordWrapList.Count() && FWordWrapList[I].Line == FirstLine; ++I) {
    if (FWordWrapList[I].Column <= FromColumn) {
      --N;
    }
  }
  return N;
}

Integer TCustomVUVudi::GetRealStrCount() {
  Integer N = GetSource()->GetStrCount() - 1;
  if (FWordWrap) {
    N += FWordWrapList.Count();
  }
  if (HideLines()) {
    N = GetSource()->RealToVisibleIndex(std::max<Integer>(N, 0));
  }
  return N;
}

Integer TCustomVUVudi::GetRealStrCountEx() { return GetRealStrCount() + (DrawEof() ? 1 : 0); }

void TCustomVUVudi::CheckBlockOptions(bool Switch) {
  TCustomMemoSource* S = GetSource();
  if (Switch) {
    if (!FBlockOptionSwitched) {
      FSavedBlockOption = S->BlockOption();
    }
    TBlockOption B = FSavedBlockOption;
    if (B == bkBoth) {
      B = bkStreamSel;
    } else if (B == bkBlockSel) {
      B = bkNone;
    }
    S->SetBlockOption(B);
    FBlockOptionSwitched = true;
  } else if (FBlockOptionSwitched) {
    FBlockOptionSwitched = false;
    S->SetBlockOption(FSavedBlockOption);
  }
}

void TCustomVUVudi::SetWordWrap(bool Value) {
  if (Value == FWordWrap) {
    return;
  }
  FWordWrap = Value;
  RewrapAll();
  if (!Value && !FUseMonoFont) {
    GetSource()->ParserChanged();
  }
  CheckBlockOptions(Value || (!FUseMonoFont && !FMonoSpaced));
  if (Value) {
    FWinChar = 0;
  } else {
    WordWrapUpdated();
  }
  Invalidate();
  UpdateMaxLine(false);
}

void TCustomVUVudi::GetWrapLines(TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  TCustomMemoSource* S = GetSource();
  for (Integer L = 0; L < S->GetStrCount(); ++L) {
    const std::string T = S->GetDisplay(L);
    if (!FWordWrap) {
      Strings->Add(T);
      continue;
    }
    CheckLastWrappedLine(L);
    Integer Start = 0;
    const Integer A = FWordWrapList.LowerBound(0, L);
    for (Integer I = A; I < FWordWrapList.Count() && FWordWrapList[I].Line == L; ++I) {
      Strings->Add(
          T.substr(static_cast<std::size_t>(Start), static_cast<std::size_t>(FWordWrapList[I].Column - Start)));
      Start = FWordWrapList[I].Column;
    }
    Strings->Add(T.substr(std::min<std::size_t>(static_cast<std::size_t>(Start), T.size())));
  }
  Strings->EndUpdate();
}

Integer TCustomVUVudi::RealToVisible(Integer Line) {
  return HideLines() ? GetSource()->RealToVisibleIndex(Line) : Line;
}

Integer TCustomVUVudi::VisibleToReal(Integer Row) { return HideLines() ? GetSource()->VisibleToRealIndex(Row) : Row; }

// --- conversion ---------------------------------------------------------------------------------------------------

Integer TCustomVUVudi::VisibleRows() {
  if (FUseMonoFont) {
    return std::max<Integer>(ClientHeight() / GetAveLineHeight(), 1);
  }
  // Rows that fit whole from the top row down.
  Integer Top = 0;
  const Integer Row = PixelToRow(ClientHeight(), Top);
  return std::max<Integer>(Row - FWinLine, 1);
}

void TCustomVUVudi::GetStrData(Integer Line, std::string& S, std::string& ColorS) {
  TCustomMemoSource* Src = GetSource();
  S.clear();
  ColorS.clear();
  if (Line < 0 || Line >= Src->GetStrCount()) {
    return;
  }
  S = Src->GetDisplay(Line);
  if (NeedSyntaxPaint() || Src->HighlightUrls()) {
    ColorS = Src->GetColorData(Line);
  }
}

namespace {
// Width of the first N characters of a row in proportional mode, each run in its style's font.
Integer MeasureRow(TCustomVUVudi* M, const std::string& S, const std::string& C, Integer From, Integer N) {
  Integer W = 0;
  Integer I = From;
  const Integer End = std::min<Integer>(From + N, static_cast<Integer>(S.size()));
  while (I < End) {
    const Integer Style = I < static_cast<Integer>(C.size()) ? static_cast<Byte>(C[static_cast<std::size_t>(I)]) : 0;
    Integer J = I + 1;
    while (J < End &&
           (J < static_cast<Integer>(C.size()) ? static_cast<Byte>(C[static_cast<std::size_t>(J)]) : 0) == Style) {
      ++J;
    }
    W += TreeFonts::GetWidth(M->GetFontFromTextStyle(Style)->Handle(), S.data() + I, J - I);
    I = J;
  }
  return W;
}
}  // namespace

Integer TCustomVUVudi::CalcSpacesSize(Integer Count, const TPoint&) {
  if (Count == 0 || !HandleAllocated()) {
    return 0;
  }
  const Integer W = TreeFonts::GetWidth(FFont->Handle(), " ", 1) * Count;
  return W == 0 ? 1 : W;
}

Integer TCustomVUVudi::TextToPixelLine(const TPoint& P) {
  TPoint D;
  GetWBPosition(P, D);
  return RowTop(RealToVisible(D.Y));
}

Integer TCustomVUVudi::TextToPixelChar(const TPoint& P) {
  Integer RowStart = 0;
  TPoint D;
  GetWBPositionEx(P, D, RowStart);
  const Integer Origin = GetPaintX() - FWinChar * GetAveCharWidth();
  if (FUseMonoFont) {
    return Origin + D.X * GetAveCharWidth();
  }
  std::string S, C;
  GetStrData(P.Y, S, C);
  const Integer Len = static_cast<Integer>(S.size());
  Integer W;
  if (D.X <= 0) {
    W = CalcSpacesSize(1, P) * D.X;
  } else {
    const Integer InRow = std::min(D.X, std::max<Integer>(Len - RowStart, 0));
    W = MeasureRow(this, S, C, RowStart, InRow);
    if (D.X > InRow) {
      W += CalcSpacesSize(D.X - InRow, P);
    }
  }
  return Origin + W;
}

Integer TCustomVUVudi::GetWrappedLineWidth(Integer Line, Integer& Pos, bool) {
  // The pixel width of the row of Line holding column Pos - 1; Pos becomes that row's break column + 1.
  CheckLastWrappedLine(Line);
  // The monospaced width needs only the length: the line is neither coloured nor copied with its colours.
  std::string S, C;
  if (FUseMonoFont) {
    S = GetSource()->GetDisplay(Line);
  } else {
    GetStrData(Line, S, C);
  }
  bool Exact = false;
  const Integer I = FWordWrapList.FindNear(std::max<Integer>(Pos - 1, 0), Line, Exact);
  Integer Start = 0;
  if (I >= 0 && FWordWrapList[I].Line == Line) {
    Start = FWordWrapList[I].Column;
  }
  Integer End = static_cast<Integer>(S.size());
  if (I + 1 < FWordWrapList.Count() && FWordWrapList[I + 1].Line == Line) {
    End = FWordWrapList[I + 1].Column;
  }
  Pos = End + 1;
  if (FUseMonoFont) {
    return (End - Start) * GetAveCharWidth();
  }
  return MeasureRow(this, S, C, Start, End - Start);
}

Integer TCustomVUVudi::PixelToTextChar(Integer Line, Integer Pos, bool Clamp, Integer X) {
  Pos = std::max<Integer>(Pos, 1);
  const Integer W = GetAveCharWidth();
  const Integer Xp = X - GetPaintX() + (FUseMonoFont ? 0 : FWinChar * W);
  Integer Col;
  bool RoundedUp = false;
  if (FUseMonoFont) {
    Col = (Xp >= 0 ? Xp / W : -((-Xp + W - 1) / W)) + FWinChar;
    const Integer Rem = Xp - (Col - FWinChar) * W;
    if (X < GetWrapMargin() && 2 * Rem > W) {
      ++Col;
      RoundedUp = true;
    }
    if (FWordWrap && Clamp) {
      Integer P2 = Pos;
      const Integer RowW = GetWrappedLineWidth(Line, P2, true);
      const Integer RowEnd = P2 - 1;
      const bool LastRowOfLine = RowEnd >= static_cast<Integer>(GetSource()->GetDisplay(Line).size());
      if (RowW <= Xp || (RoundedUp && Xp >= RowW - W / 2)) {
        return LastRowOfLine ? RowEnd : RowEnd - 1;
      }
      Col += Pos - 1;
    }
    return Col;
  }
  // Proportional: walk the row's characters.
  if (Xp < 0) {
    const Integer B = std::max<Integer>(CalcSpacesSize(1, {0, Line}), 1);
    return -((-Xp + B - 1) / B);
  }
  std::string S, C;
  GetStrData(Line, S, C);
  Integer RowEnd = static_cast<Integer>(S.size());
  if (FWordWrap) {
    Integer P2 = Pos;
    const Integer RowW = GetWrappedLineWidth(Line, P2, true);
    RowEnd = P2 - 1;
    const bool LastRowOfLine = RowEnd >= static_cast<Integer>(S.size());
    if (Xp >= RowW && Clamp) {
      return LastRowOfLine ? RowEnd : RowEnd - 1;
    }
  }
  const bool Truncate = X >= GetWrapMargin();
  Integer Acc = 0;
  Integer I = Pos - 1;
  for (; I < RowEnd; ++I) {
    const Integer Style = I < static_cast<Integer>(C.size()) ? static_cast<Byte>(C[static_cast<std::size_t>(I)]) : 0;
    const Integer Cw = TreeFonts::GetWidth(GetFontFromTextStyle(Style)->Handle(), S.data() + I, 1);
    if (Acc + Cw > Xp) {
      if (!Truncate && 2 * (Xp - Acc) > Cw) {
        ++I;
      }
      return I;
    }
    Acc += Cw;
  }
  if (FWordWrap && RowEnd < static_cast<Integer>(S.size())) {
    return RowEnd - 1;
  }
  const Integer B = std::max<Integer>(CalcSpacesSize(1, {0, Line}), 1);
  const Integer Rest = Xp - Acc;
  return I + (Truncate ? Rest / B : (2 * Rest + B) / (2 * B));
}

void TCustomVUVudi::MouseToTextPoint(Integer X, Integer Y, TPoint& P, bool Clamp) {
  Integer Top = 0;
  Integer Row = PixelToRow(Y, Top);
  if (Clamp && !GetSource()->Options().Contains(soBeyondFileEnd)) {
    Row = std::min(Row, GetRealStrCount());
  }
  Row = std::max<Integer>(Row, 0);
  Integer RowStart = 0;
  Integer Line = Row;
  if (FWordWrap) {
    Line = GetRealLineIndex(Row, RowStart);
  }
  Line = VisibleToReal(Line);
  P.Y = Line;
  P.X = PixelToTextChar(Line, RowStart + 1, Clamp || FWordWrap, X);
}

void TCustomVUVudi::ConvertMousePosEx(Integer X, Integer Y, TPoint& P, bool Clamp) {
  if (FWordWrap) {
    X = std::min(X, GetWrapMargin());
  }
  MouseToTextPoint(X, Y, P, Clamp);
}

bool TCustomVUVudi::IsPointVisible(const TPoint& P) {
  TPoint D;
  GetWBPosition(P, D);
  const Integer Row = RealToVisible(D.Y);
  return Row >= FWinLine && Row <= FWinLine + VisibleRows();
}

void TCustomVUVudi::CenterScreenOnLine() {
  RecalculatePosition();
  TPoint D;
  GetWBPosition(GetCaretPoint(), D);
  const Integer Target = RealToVisible(D.Y) - VisibleRows() / 2;
  if (Target < 1) {
    SetWinLine(0);
  } else {
    ScrollScreenVert(Target - FWinLine);
  }
}

void TCustomVUVudi::CenterScreenOnLineEx() {
  if (IsPointVisible(GetCaretPoint())) {
    RecalculatePosition();
  } else {
    CenterScreenOnLine();
  }
}

// --- scrolling ----------------------------------------------------------------------------------------------------

void TCustomVUVudi::ScrollScreenVert(Integer Delta) {
  if (Delta < 0) {
    Delta = std::max(Delta, -FWinLine);
  }
  if (!GetSource()->Options().Contains(soBeyondFileEnd)) {
    const Integer Last = std::max<Integer>(GetRealStrCount(), 0);
    if (FWinLine + Delta > Last) {
      Delta = std::max<Integer>(0, Last - FWinLine);
    }
  }
  if (Delta == 0) {
    return;
  }
  FWinLine += Delta;
  if (FWordWrap) {
    TPoint P;
    GetRealPosition({0, FWinLine + VisibleRows()}, P);
  }
  if (HandleAllocated()) {
    Integer Dy = -Delta * GetAveLineHeight();
    if (!FUseMonoFont && std::abs(Delta) <= VisibleRows() + 1) {
      Dy = RowTop(FWinLine - Delta);  // where the old top row sits now: the heights of the rows passed
    }
    if (std::abs(Dy) < ClientHeight()) {
      ScrollWindow(Handle(), 0, Dy, nullptr, nullptr);
      FWindowScrolled = true;
    } else {
      Invalidate();
    }
    if (HasOption(moLineNumbers) && UpdateLineNumbersWidth()) {
      Invalidate();
    }
  }
  UpdateCaret();
  UpdateScrollPos();
  DoMemoScroll(ssVertical, Delta);
}

void TCustomVUVudi::ScrollScreenHorz(Integer Delta) {
  if (Delta < 0) {
    Delta = std::max(Delta, -FWinChar);
  }
  if (Delta == 0) {
    return;
  }
  FWinChar += Delta;
  if (HandleAllocated()) {
    const Integer Dx = -Delta * GetAveCharWidth();
    const TRect R{GetPaintX(), 0, ClientWidth(), ClientHeight()};
    if (std::abs(Dx) < R.Width()) {
      ScrollWindow(Handle(), Dx, 0, &R, &R);
      FWindowScrolled = true;
    } else {
      Invalidate();
    }
  }
  UpdateCaret();
  UpdateScrollPos();
  DoMemoScroll(ssHorizontal, Delta);
}

void TCustomVUVudi::ScrollPageUp() { ScrollScreenVert(-(ClientHeight() / GetAveLineHeight())); }
void TCustomVUVudi::ScrollPageDown() { ScrollScreenVert(ClientHeight() / GetAveLineHeight()); }
void TCustomVUVudi::ScrollPageLeft() { ScrollScreenHorz((GetPaintX() - ClientWidth()) / GetAveCharWidth()); }
void TCustomVUVudi::ScrollPageRight() { ScrollScreenHorz((ClientWidth() - GetPaintX()) / GetAveCharWidth()); }

void TCustomVUVudi::DoMemoScroll(TScrollStyle ScrollStyle, Integer Delta) {
  if (OnMemoScroll) {
    OnMemoScroll(this, ScrollStyle, Delta);
  }
}

void TCustomVUVudi::ModifyScrollBar(Integer ScrollBar, Integer ScrollCode, Integer Pos) {
  if (Visible() && CanFocus() && TabStop && !ComponentState().Contains(csDesigning) && !Focused()) {
    SetFocus();
  }
  const bool Vert = ScrollBar == 1;
  if (ScrollCode == SB_THUMBTRACK) {
    if (!HasOption(moThumbTracking)) {
      return;
    }
    ScrollCode = SB_THUMBPOSITION;
  }
  switch (ScrollCode) {
    case SB_LINEUP: Vert ? ScrollUp() : ScrollLeft(); break;
    case SB_LINEDOWN: Vert ? ScrollDown() : ScrollRight(); break;
    case SB_PAGEUP: Vert ? ScrollPageUp() : ScrollPageLeft(); break;
    case SB_PAGEDOWN: Vert ? ScrollPageDown() : ScrollPageRight(); break;
    case SB_THUMBPOSITION:
      if (Vert) {
        ScrollScreenVert(Pos - FWinLine);
      } else if (CharScrollSize()) {
        ScrollScreenHorz(Pos - FWinChar);
      } else {
        ScrollScreenHorz(Pos / GetAveCharWidth() - FWinChar);
      }
      break;
    case SB_TOP:
      if (Vert) {
        GetSource()->JumpToFileBegin();
      } else {
        ScrollScreenHorz(-GetSource()->GetCurChar());
      }
      break;
    case SB_BOTTOM:
      if (Vert) {
        GetSource()->JumpToFileEnd();
      } else {
        ScrollScreenHorz(FHorzMaxPos - GetSource()->GetCurChar());
      }
      break;
    default: break;
  }
}

void TCustomVUVudi::VerticalScroll(Integer ScrollCode) {
  if (!HasOption(moShowScrollHint) || (ScrollCode != SB_THUMBTRACK && ScrollCode != SB_ENDSCROLL)) {
    return;
  }
  Integer Top = FWinLine;
  if (!HasOption(moThumbTracking) && HandleAllocated()) {
    SCROLLINFO Si;
    Si.fMask = SIF_TRACKPOS;
    GetScrollInfo(Handle(), SB_VERT, &Si);
    Top = Si.nTrackPos;
  }
  Integer Start = 0;
  Top = VisibleToReal(FWordWrap ? GetRealLineIndex(Top, Start) : Top);
  bool Show = true;
  std::string Hint = "Line " + std::to_string(Top + 1);
  if (OnVerticalScroll) {
    OnVerticalScroll(this, Top, ScrollCode == SB_ENDSCROLL, Show, Hint);
  }
  FLastScrollHint = Show && ScrollCode != SB_ENDSCROLL ? Hint : std::string();
  if (!Show) {
    return;
  }
  if (ScrollCode == SB_ENDSCROLL) {
    HidePopupHint();
    return;
  }
  if (Hint.empty() || !HandleAllocated()) {
    return;
  }
  // Right-aligned with the client area, at the mouse's height but never outside the client area.
  const TPoint TopLeft = ClientToScreen({0, 0});
  const TPoint BottomRight = ClientToScreen({ClientWidth(), ClientHeight()});
  TPoint Mouse{};
  GetCursorPos(&Mouse);
  const TPoint Size = FPopupHint->GetSize(Hint);
  const Integer Y = std::clamp<Integer>(Mouse.Y, TopLeft.Y, std::max(TopLeft.Y, BottomRight.Y));
  ShowPopupHint(Hint, {BottomRight.X - Size.X, Y}, false);
}

bool TCustomVUVudi::CharScrollSize() {
  if (FWordWrap && FHideScrollBars && ClientWidth() < GetWrapMargin()) {
    return false;
  }
  if (FHideScrollBars && !FUseMonoFont && GetSource()->MaxLineLength != 0) {
    return false;
  }
  return true;
}

void TCustomVUVudi::UpdateScrollSize() {
  if (!HandleAllocated() || !FReady) {
    return;
  }
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
    Integer Page;
    Integer Max = FHorzMaxPos;
    if (FHideScrollBars && !FUseMonoFont && GetSource()->MaxLineLength != 0) {
      Page = ClientWidth() - GetPaintX();
    } else {
      Page = std::max<Integer>(GetMaxCaretChar() + 1, 1);
    }
    if (FHideScrollBars) {
      if (FWordWrap) {
        if (ClientWidth() < GetWrapMargin()) {
          Max = GetWrapMargin();
          Page = ClientWidth();
        } else {
          Page = -1;
          Max = 0;
        }
      } else {
        Max = GetSource()->MaxLineLength;
        if (Max < Page) {
          Page = -1;
        }
      }
    }
    SCROLLINFO Si;
    Si.fMask = SIF_RANGE | SIF_PAGE;
    Si.nMin = 0;
    Si.nMax = Page < 0 ? 0 : Max;
    Si.nPage = Page < 0 ? 1 : static_cast<UINT>(Page);
    SetScrollInfo(Handle(), SB_HORZ, &Si, TRUE);
  }
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
    const Integer OldWidth = TextWidthForBounds();
    Integer Page = RealToVisible(GetMaxCaretLine()) + 1;
    Integer Max = GetRealStrCountEx();
    if (FHideScrollBars) {
      if (Max < Page) {
        Page = -1;
      } else {
        Max = std::max(Max, Page);
      }
    }
    SCROLLINFO Si;
    Si.fMask = SIF_RANGE | SIF_PAGE;
    Si.nMin = 0;
    Si.nMax = Page < 0 ? 0 : Max;
    Si.nPage = Page < 0 ? 1 : static_cast<UINT>(Page);
    SetScrollInfo(Handle(), SB_VERT, &Si, TRUE);
    if (FWordWrap && TextWidthForBounds() != OldWidth) {
      RewrapAll();
    }
  }
}

void TCustomVUVudi::UpdateScrollPos() {
  if (!HandleAllocated() || !FReady) {
    return;
  }
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
    const Integer P = CharScrollSize() ? FWinChar : FWinChar * GetAveCharWidth();
    if (GetScrollPos(Handle(), SB_HORZ) != P) {
      SetScrollPos(Handle(), SB_HORZ, P, TRUE);
    }
  }
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
    if (GetScrollPos(Handle(), SB_VERT) != FWinLine) {
      SetScrollPos(Handle(), SB_VERT, FWinLine, TRUE);
    }
  }
}

void TCustomVUVudi::UpdateMaxLine(bool Force) {
  if (!FReady || ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) {
    return;
  }
  TCustomMemoSource* S = GetSource();
  if (Force || S->MaxLineIndex < 0) {
    const bool Track = FHideScrollBars && !FWordWrap && (FScrollBars == ssHorizontal || FScrollBars == ssBoth);
    if (Track) {
      S->UpdateMaxLine(true);
      S->ReCalculateMaxLine();
    }
  }
  UpdateScrollSize();
  UpdateScrollPos();
}

// --- caret and view -----------------------------------------------------------------------------------------------

Integer TCustomVUVudi::GetCaretWidth() {
  if (HasOption(moOverwriteCaret) && TCustomMemoSource::GetOverwrite()) {
    return GetAveCharWidth();
  }
  return FThinCaretWidth;
}

void TCustomVUVudi::GetCaretSize(TSize& Size) {
  FCaretBaseLine = 0;
  if (FHideCaret) {
    Size = {1, 1};
    return;
  }
  if (FUseMonoFont) {
    Size = {GetCaretWidth(), GetAveLineHeight()};
    return;
  }
  // The size of the character under the caret, in its own font; an empty line gives a blank of the line.
  TPoint R;
  GetRealPoint(GetCaretPoint(), R);
  std::string S, C;
  GetStrData(R.Y, S, C);
  Integer W;
  Integer H;
  if (S.empty()) {
    W = CalcSpacesSize(1, R);
    H = GetRealLineHeight(R.Y);
    FCaretBaseLine = GetBaseLine(R.Y);
  } else {
    const Integer Col = std::clamp<Integer>(R.X, 0, static_cast<Integer>(S.size()) - 1);
    TSize One{};
    CalcStringSize(S, C, One, FCaretBaseLine, 1, Col);
    W = One.cx;
    H = One.cy > 0 ? One.cy : GetRealLineHeight(R.Y);
  }
  Size = {HasOption(moOverwriteCaret) && TCustomMemoSource::GetOverwrite() ? W : FThinCaretWidth, H};
}

void TCustomVUVudi::CreateCaret() {
  if (FCaretWidth == 0 || FCaretHeight == 0) {
    TSize S;
    GetCaretSize(S);
    FCaretWidth = S.cx;
    FCaretHeight = S.cy;
  }
  if (HandleAllocated()) {
    ::CreateCaret(Handle(), 0, FCaretWidth, FCaretHeight);
    ::ShowCaret(Handle());
    FCaretCreated = true;
  }
}

bool TCustomVUVudi::UpdateCaretMode() {
  if (!HandleAllocated() || ComponentState().Contains(csDesigning) || !Enabled() || !Focused()) {
    return false;
  }
  const Integer OldBaseLine = FCaretBaseLine;
  TSize S;
  GetCaretSize(S);
  if (S.cx == FCaretWidth && S.cy == FCaretHeight && FCaretBaseLine == OldBaseLine) {
    return false;
  }
  FCaretWidth = S.cx;
  FCaretHeight = S.cy;
  if (FCaretCreated) {
    ::HideCaret(Handle());
  }
  UpdateCaret();
  CreateCaret();
  UpdateCaret();
  return true;
}

void TCustomVUVudi::UpdateCaret() {
  if (!FReady) {
    return;
  }
  TPoint P{-5, -5};
  if (!FHideCaret) {
    TPoint R;
    GetRealPoint(GetCaretPoint(), R);
    P = TextToPixelPoint(R);
    if (P.X < GetPaintX() || P.Y < 0) {
      P = {-GetAveCharWidth() - 10, -10};
    } else if (FCaretBaseLine != 0) {
      // A smaller character than the row's tallest: the caret stands on the row's baseline.
      P.Y += GetBaseLine(R.Y) - FCaretBaseLine;
    }
  }
  FCaretPixel = P;
  if (HandleAllocated() && Focused() && FCaretCreated) {
    ::SetCaretPos(P.X, P.Y);
  }
}

void TCustomVUVudi::GetRealPoint(const TPoint& P, TPoint& R) { R = P; }

void TCustomVUVudi::CheckRealPosition() {
  TPoint P;
  GetRealPosition(FLastCaretDisplay, P);
  if (FLastCaretDisplay.X >= 0 && P != GetCaretPoint()) {
    GetSource()->JumpTo(P.X, P.Y);
  }
}

void TCustomVUVudi::EnsurePointVisible(const TPoint& P) {
  TPoint D;
  GetWBPosition(P, D);
  const Integer Row = RealToVisible(D.Y);
  if (Row < FWinLine) {
    FWinLine = Row;
  } else {
    // Rows of different heights: the number that fits changes with the top row, so settle it in a few steps.
    for (Integer Step = 0; Step < (FUseMonoFont ? 1 : 10); ++Step) {
      const Integer N = FUseMonoFont ? RealToVisible(GetMaxCaretLine()) : GetMaxCaretLine();
      if (Row <= FWinLine + N) {
        break;
      }
      FWinLine = Row - N;
    }
  }
  if (!FWordWrap) {
    const Integer W = GetAveCharWidth();
    const Integer X = TextToPixelChar(P);
    if (X < GetPaintX()) {
      FWinChar -= (GetPaintX() + W - X - 1) / W;
    } else if (X > ClientWidth() - W && HandleAllocated()) {
      FWinChar += (X - ClientWidth() + W) / W + 1;
    }
    FWinChar = std::max<Integer>(FWinChar, 0);
  }
  if (!UpdateCaretMode()) {
    UpdateCaret();
  }
}

void TCustomVUVudi::RecalculatePosition() {
  TPoint D;
  GetWBPosition(GetCaretPoint(), D);
  if (FLineHighlight->Visible() && D.Y != FLastCaretDisplay.Y && HandleAllocated()) {
    TPoint Old;
    GetRealPosition({0, std::max<Integer>(FLastCaretDisplay.Y, 0)}, Old);
    InvalidateLines(Old.Y, Old.Y);
    InvalidateLines(GetCaretPoint().Y, GetCaretPoint().Y);
  }
  FLastCaretDisplay = D;
  EnsureCaretVisible();
}

Integer TCustomVUVudi::GetMaxCaretCharEx(bool Flag) {
  const Integer W = GetAveCharWidth();
  if (FUseMonoFont || (Flag && GetSource()->MaxLineLength == 0)) {
    return (ClientWidth() - W - GetPaintX()) / W;
  }
  // Proportional: the columns of the caret line between the text's left edge and the client's right edge.
  const Integer Line = GetCaretPoint().Y;
  return PixelToTextChar(Line, 1, false, ClientWidth()) - PixelToTextChar(Line, 1, false, GetPaintX()) - 1;
}

Integer TCustomVUVudi::GetMaxCaretLineEx(Integer Height) {
  if (FUseMonoFont) {
    return std::max<Integer>(0, Height / GetAveLineHeight() - 1);
  }
  Integer Top = 0;
  return std::max<Integer>(0, PixelToRow(Height, Top) - FWinLine - 1);
}

void TCustomVUVudi::GetNavigation(TObject*, Integer& DeltaLine, Integer& DeltaChar) {
  TCustomMemoSource* S = GetSource();
  if (S->Jumping()) {
    FGoalValid = false;  // a jump goes where it was told
    return;
  }
  if (DeltaChar != 0) {
    FGoalValid = false;
  }
  const TPoint C = S->GetCaretPoint();
  if (!FWordWrap) {
    if (HideLines() && DeltaLine != 0) {
      const Integer V = S->RealToVisibleIndex(C.Y) + DeltaLine;
      DeltaLine = S->VisibleToRealIndex(std::max<Integer>(V, 0)) - C.Y;
    }
    return;
  }
  // Row mode: moves count display rows.
  TPoint D;
  Integer RowStart = 0;
  GetWBPositionEx(C, D, RowStart);
  TPoint Target;
  if (DeltaChar == 0 && DeltaLine != 0) {
    if (!FGoalValid) {
      FGoalX = TextToPixelChar(C);
      FGoalWinChar = FWinChar;
      FGoalValid = true;
    }
    const Integer Row = D.Y + DeltaLine;
    if (Row < 0) {
      if (D.Y == 0) {
        DeltaLine = 0;
        return;
      }
      Target = {0, 0};
    } else {
      Integer Start = 0;
      const Integer Line = GetRealLineIndex(Row, Start);
      if (Line >= S->GetStrCount()) {
        Target = {C.X, Line};
      } else {
        Target = {PixelToTextChar(Line, Start + 1, true, FGoalX), Line};
      }
    }
  } else {
    TPoint P;
    GetRealPosition({D.X + DeltaChar, D.Y + DeltaLine}, P);
    Target = P;
  }
  if (!S->Options().Contains(soBeyondFileEnd) && Target.Y >= S->GetStrCount()) {
    Target = {C.X, std::max<Integer>(S->GetStrCount() - 1, 0)};
  }
  DeltaLine = Target.Y - C.Y;
  DeltaChar = Target.X - C.X;
}

void TCustomVUVudi::DoSetFocus() {
  TCustomMemoSource* S = GetSource();
  TakeActive(S);
  CurrentFindSource = S;
  CheckRealPosition();
  UpdateHiddenSelection();
  CreateCaret();
  if (!UpdateCaretMode()) {
    UpdateCaret();
  }
  if (FLineHighlight->Visible()) {
    InvalidateLines(S->GetCurLine(), S->GetCurLine());
  }
  StateChanged(TMemoStates{msPositionChanged, msInsState, msCountChanged, msModifiedChanged, msObjNameChanged});
}

void TCustomVUVudi::DoKillFocus() {
  CancelDragging();
  UpdateHiddenSelection();
  if (FCaretCreated) {
    ::HideCaret(Handle());
    ::DestroyCaret();
    FCaretCreated = false;
  }
  TCustomMemoSource* S = GetSource();
  if (FLineHighlight->Visible()) {
    InvalidateLines(S->GetCurLine(), S->GetCurLine());
  }
  HidePopupHint();
  TPoint D;
  GetWBPosition(S->GetCaretPoint(), D);
  FLastCaretDisplay = D;
  if (S->ActiveMemo == this) {
    S->OnGetPosition = nullptr;
  }
}

void TCustomVUVudi::UpdateHiddenSelection() {
  if (FHideSelection && GetSource()->SelectionType() != stNotSelected) {
    Invalidate();
  }
}

}  // namespace Vuvudi
