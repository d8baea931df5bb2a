// Code editor control: the painter (text runs, selection, special symbols, margin, line highlight, bookmarks,
// collapse boxes) and the gutter (background, line numbers, images).
#include "codeeditor/Vuvudi.h"
#include "platform/graphics/Caret.h"
#include "platform/graphics/WinGdi.h"
#include "treeview/Fontman.h"

#include <algorithm>

namespace Vuvudi {

using namespace Dcstring;

bool TCustomVUVudi::NeedSyntaxPaint() { return HasOption(moColorSyntax) && GetSource()->SyntaxParser() != nullptr; }

bool TCustomVUVudi::InFoundRect(Integer Column, Integer Line) {
  const TRect& R = GetSource()->FoundRect;
  if (R.Bottom <= R.Top || (R.Bottom == R.Top + 1 && R.Right <= R.Left)) {
    return false;
  }
  const bool AfterStart = Line > R.Top || (Line == R.Top && Column >= R.Left);
  const bool BeforeEnd = Line < R.Bottom - 1 || (Line == R.Bottom - 1 && Column < R.Right);
  return AfterStart && BeforeEnd;
}

bool TCustomVUVudi::DrawEof() { return HasOption(moDrawSpecialSymbols) && !FSpecialSymbols->EOFString().empty(); }

void TCustomVUVudi::InvalidateLines(Integer First, Integer Last) {
  if (!HandleAllocated()) {
    return;
  }
  First = std::max<Integer>(First, 0);
  TPoint D;
  GetWBPosition({0, First}, D);
  const Integer FirstRow = RealToVisible(D.Y);
  if (FirstRow > FWinLine + VisibleRows() + 1) {
    return;  // below the view
  }
  Integer Top = RowTop(std::max(FirstRow, FWinLine - 1));
  Integer Bottom = ClientHeight();
  if (Last < MaxInt - 1 && Last >= First) {
    TPoint E;
    GetWBPosition({0, Last + 1}, E);
    const Integer EndRow = RealToVisible(E.Y);
    if (EndRow < FWinLine) {
      return;  // above the view
    }
    Bottom = RowTop(std::min(EndRow, FWinLine + VisibleRows() + 2));
  }
  Top = std::max<Integer>(Top, 0);
  Bottom = std::min<Integer>(Bottom, ClientHeight());
  if (Bottom <= Top) {
    return;
  }
  const TRect R{0, Top, ClientWidth(), Bottom};
  InvalidateRect(Handle(), &R, FALSE);
}

void TCustomVUVudi::Paint() {
  TCanvas* C = Canvas();
  const TRect Clip = C->ClipRect();
  FPaintRect = Clip;
  const Integer TextX = GetPaintX();
  TCustomMemoSource* S = GetSource();
  bool Handled = CustomDraw(C, Clip, TDrawStates{dsBeforePaint}, -1, -1, std::string());
  if (!Handled) {
    // The text area's background: the control's colour, or its background picture.
    const TRect Area{std::max<Integer>(GetRealGutterWidth(), Clip.Left), Clip.Top, Clip.Right, Clip.Bottom};
    if (FMemoBackground->NeedPaint() && FMemoBackground->PaintedBitmap()) {
      C->CopyRect(Area, FMemoBackground->PaintedBitmap()->Canvas(), Area);
    } else {
      C->Brush()->SetColor(Enabled() ? CheckReadOnlyColor(Color()) : FDisabledColor);
      C->FillRect(Area);
    }
    Integer Y = 0;
    Integer Row = PixelToRow(Clip.Top, Y);
    const Integer LastDisplay = GetRealStrCount();
    for (Integer RH = RowHeight(Row); Y < Clip.Bottom; Y += RH, ++Row, RH = RowHeight(Row)) {
      if (Row > LastDisplay) {
        if (Row == LastDisplay + 1 && DrawEof()) {
          C->Font()->Assign(FFont.get());
          SetBkMode(C->Handle(), TRANSPARENT);
          SetTextColor(C->Handle(), ColorToRGB(FFont->Color()));
          C->TextOut(TextX - FWinChar * GetAveCharWidth(), Y, FSpecialSymbols->EOFString());
          SetBkMode(C->Handle(), OPAQUE);
        }
        continue;
      }
      Integer RowStart = 0;
      Integer Line = FWordWrap ? GetRealLineIndex(Row, RowStart) : VisibleToReal(Row);
      if (Line >= S->GetStrCount()) {
        continue;
      }
      const std::string Text = S->GetDisplay(Line);
      Integer RowEnd = static_cast<Integer>(Text.size());
      if (FWordWrap) {
        Integer P = RowStart + 1;
        GetWrappedLineWidth(Line, P, true);
        RowEnd = std::min<Integer>(P - 1, RowEnd);
      }
      PaintLine(C, Line, RowStart, RowEnd, Y, RH, RowEnd >= static_cast<Integer>(Text.size()));
    }
    PaintMargin(C, Clip);
  }
  PaintGutter(C, Clip);
  CustomDraw(C, Clip, TDrawStates{dsAfterPaint}, -1, -1, std::string());
}

void TCustomVUVudi::PaintLine(TCanvas* C, Integer Line, Integer RowStart, Integer RowEnd, Integer Y, Integer RowHeight,
                              bool LastRow) {
  TCustomMemoSource* S = GetSource();
  std::string Text, Colors;
  GetStrData(Line, Text, Colors);
  if (HasOption(moDrawSpecialSymbols) && (FSpecialSymbols->TabChar() != 0 || FSpecialSymbols->SpaceChar() != 0)) {
    // Visible blanks and tabs; a tab keeps its expanded width, so columns stay where they were.
    Text = S->GetSpecialString(Line, true, FSpecialSymbols->TabChar(), FSpecialSymbols->SpaceChar());
  }
  DoCustomString(Text, Colors);
  const Integer W = GetAveCharWidth();
  const Integer TextX = GetPaintX();
  const Integer Origin = TextX - FWinChar * W;
  const Integer Right = ClientWidth();
  const bool Focus = Focused();
  const bool CaretRow = FLineHighlight->Visible() && Focus && Line == S->GetCurLine();
  const Byte LineStyle = S->GetLineTextStyle(Line);
  const bool LineStyled = LineStyle > 0 && LineStyle < FTextStyles->Count() && HasOption(moColoredLineStyle);
  const TColor BaseBack = Enabled() ? CheckReadOnlyColor(Color()) : FDisabledColor;
  const bool Picture = FMemoBackground->NeedPaint() && FMemoBackground->PaintedBitmap();

  // The row's own background: the line style, the caret row's highlight or the control's colour.
  TRect RowRect{TextX, Y, Right, Y + RowHeight};
  if (LineStyled) {
    FStyleLock = true;
    C->Brush()->SetColor(GetColorFromTextStyle(LineStyle));
    FStyleLock = false;
    C->FillRect(RowRect);
  } else if (CaretRow) {
    C->Brush()->Assign(FLineHighlight->Brush());
    C->FillRect(RowRect);
  }
  // Selection bounds on this line.
  Integer SelFrom = 0, SelTo = 0;
  const bool HasSel = S->SelectionType() != stNotSelected && (!FHideSelection || Focus);
  if (HasSel) {
    S->SelectionBounds(Line, SelFrom, SelTo);
  }
  const bool SelectBeyond = HasSel && !HasOption(moSelectOnlyText) && SelTo > static_cast<Integer>(Text.size());

  HDC DC = C->Handle();
  SetBkMode(DC, TRANSPARENT);
  // Runs: characters of equal style and equal selection state.
  const Integer Len = static_cast<Integer>(Text.size());
  Integer I = std::max<Integer>(RowStart, 0);
  const bool UseLinks = !HasOption(moColorSyntax) && S->HighlightUrls();
  Integer X = Origin;
  // Proportional mode: runs in fonts of different sizes share the row's baseline (the largest ascent).
  Integer RowAscent = FUseMonoFont ? 0 : GetBaseLine(Line);
  if (!FUseMonoFont && RowAscent == 0) {
    for (Integer K = std::max<Integer>(RowStart, 0); K < RowEnd && K < Len; ++K) {
      const Integer St =
          K < static_cast<Integer>(Colors.size()) ? static_cast<Byte>(Colors[static_cast<std::size_t>(K)]) : 0;
      RowAscent = std::max(RowAscent, TreeFonts::GetFontInfo(GetFontFromTextStyle(St)->Handle()).Ascent);
    }
  }
  while (I < RowEnd && I < Len) {
    auto StyleAt = [&](Integer K) {
      Integer St = K < static_cast<Integer>(Colors.size()) ? static_cast<Byte>(Colors[static_cast<std::size_t>(K)]) : 0;
      if (!HasOption(moColorSyntax) && !(UseLinks && St == 12)) {
        St = 0;
      }
      DoGetColorStyle({K, Line}, St);
      return St;
    };
    auto Selected = [&](Integer K) { return HasSel && K >= SelFrom && K < SelTo; };
    const Integer Style = StyleAt(I);
    const bool Sel = Selected(I);
    const bool Found = InFoundRect(I, Line);
    Integer J = I + 1;
    while (J < RowEnd && J < Len && StyleAt(J) == Style && Selected(J) == Sel && InFoundRect(J, Line) == Found) {
      ++J;
    }
    std::string Run = Text.substr(static_cast<std::size_t>(I), static_cast<std::size_t>(J - I));
    if (IsUpperCaseStyle(Style)) {
      std::transform(Run.begin(), Run.end(), Run.begin(),
                     [](char Ch) { return static_cast<char>(std::toupper(static_cast<unsigned char>(Ch))); });
    }
    TFont* F = GetFontFromTextStyle(Style);
    TColor Fg = F->Color();
    TColor Bg = GetColorFromTextStyle(Style);
    if (LineStyled) {
      FStyleLock = true;
      Fg = GetFontColorFromTextStyle(LineStyle);
      Bg = GetColorFromTextStyle(LineStyle);
      FStyleLock = false;
    }
    if (Sel) {
      GetSelColorsFromStyle(LineStyle < FTextStyles->Count() ? LineStyle : 0, Fg, Bg);
    }
    if (Found) {
      Fg = FMatchColor;
      Bg = FMatchBackColor;
    }
    if (!Enabled()) {
      Fg = clGrayText;
    }
    Integer RunW;
    if (FUseMonoFont) {
      RunW = (J - I) * W;
    } else {
      RunW = TreeFonts::GetWidth(F->Handle(), Run.data(), static_cast<Integer>(Run.size()));
    }
    const TRect RunRect{X, Y, X + RunW, Y + RowHeight};
    TDrawStates DS{dsText};
    if (Sel) {
      DS.Include(dsSelection);
    }
    if (Found) {
      DS.Include(dsMarkedText);
    }
    if (RunRect.Right > TextX && !CustomDraw(C, RunRect, DS, Line, I, Run)) {
      const bool PaintBack = Sel || Found || LineStyled || (Bg != BaseBack && !(CaretRow && Bg == Color()));
      if (PaintBack || !Picture) {
        if (PaintBack || (!CaretRow && !LineStyled)) {
          C->Brush()->SetColor(PaintBack ? Bg : BaseBack);
          TRect Cl = RunRect;
          Cl.Left = std::max<Integer>(Cl.Left, TextX);
          if (Cl.Right > Cl.Left) {
            C->FillRect(Cl);
          }
        }
      }
      C->Font()->Assign(F);
      DC = C->Handle();
      SetBkMode(DC, TRANSPARENT);
      SetTextColor(DC, ColorToRGB(Fg));
      const TRect TextClip{std::max<Integer>(X, TextX), Y, RunRect.Right, Y + RowHeight};
      if (FUseMonoFont) {
        UpdateCharSp(static_cast<Integer>(Run.size()));
        ExtTextOut(DC, X, Y, ETO_CLIPPED, &TextClip, Run.data(), static_cast<UINT>(Run.size()), FCharSp.data());
      } else {
        const Integer Dy = RowAscent - TreeFonts::GetFontInfo(F->Handle()).Ascent;
        ExtTextOut(DC, X, Y + Dy, ETO_CLIPPED, &TextClip, Run.data(), static_cast<UINT>(Run.size()), nullptr);
      }
    }
    X += RunW;
    I = J;
  }
  if (I < RowEnd) {
    // Virtual blanks up to a selection beyond the end.
    I = RowEnd;
  }
  // The selection beyond the line's end, up to its column or to the right edge.
  if (SelectBeyond && LastRow) {
    TColor Fg, Bg;
    GetSelColorsFromStyle(LineStyle < FTextStyles->Count() ? LineStyle : 0, Fg, Bg);
    const Integer SelEndX =
        SelTo >= MaxInt / 2 ? Right : Origin + (FUseMonoFont ? SelTo * W : X - Origin + (SelTo - Len) * W);
    const TRect R{std::max<Integer>(X, TextX), Y, std::min<Integer>(SelEndX, Right), Y + RowHeight};
    if (R.Right > R.Left) {
      C->Brush()->SetColor(Bg);
      C->FillRect(R);
    }
  }
  // Special symbols after the line.
  if (LastRow && HasOption(moDrawSpecialSymbols)) {
    C->Font()->Assign(FFont.get());
    DC = C->Handle();
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, ColorToRGB(FFont->Color()));
    const std::string& Eol = FSpecialSymbols->EOLString();
    if (X >= TextX && !Eol.empty()) {
      ExtTextOut(DC, X, Y, 0, nullptr, Eol.data(), static_cast<UINT>(Eol.size()), nullptr);
    }
  }
  // Line bookmarks: a small triangle under the bookmark's column.
  if (HasOption(moDrawLineBookmarks)) {
    for (Integer Col = RowStart; Col <= RowEnd; ++Col) {
      if (S->GetBookmarkFromRange(Line, Col, Col + 1) > 0) {
        const Integer Bx = Origin + (Col - RowStart) * W;
        if (Bx >= TextX) {
          C->Pen()->SetColor(FLineBookmarkColor);
          C->Brush()->SetColor(FLineBookmarkColor);
          C->Polygon({{Bx, Y + RowHeight - 1}, {Bx - 3, Y + RowHeight - 5}, {Bx + 3, Y + RowHeight - 5}});
        }
        break;
      }
    }
  }
  // The caret row's lines.
  if (CaretRow) {
    C->Pen()->Assign(FLineHighlight->Pen());
    if (FLineHighlight->Shape() == shDoubleLine) {
      C->MoveTo(TextX, Y);
      C->LineTo(Right, Y);
    }
    C->MoveTo(TextX, Y + RowHeight - 1);
    C->LineTo(Right, Y + RowHeight - 1);
  }
  // Line separators.
  if (!FLineSeparator->Options().Empty() && (LastRow || FLineSeparator->Options().Contains(moWrappedLineSeparator))) {
    C->Pen()->Assign(FLineSeparator->Pen());
    C->MoveTo(TextX, Y + RowHeight - 1);
    C->LineTo(Right, Y + RowHeight - 1);
  }
  // The collapse box left of the text.
  if (HideLines() && RowStart == 0) {
    const TCollapseState Cs = S->GetCollapseState(Line);
    if (Cs != csNone) {
      const Integer Box = std::max<Integer>(RowHeight / 2, 5) | 1;
      const Integer Bx = TextX - RowHeight + (RowHeight - Box) / 2;
      const Integer By = Y + (RowHeight - Box) / 2;
      C->Pen()->SetColor(clGray);
      C->Brush()->SetColor(clWindow);
      C->Rectangle(Bx, By, Bx + Box, By + Box);
      C->Pen()->SetColor(clBlack);
      C->MoveTo(Bx + 2, By + Box / 2);
      C->LineTo(Bx + Box - 2, By + Box / 2);
      if (Cs == csCollapsed) {
        C->MoveTo(Bx + Box / 2, By + 2);
        C->LineTo(Bx + Box / 2, By + Box - 2);
      }
    }
  }
  SetBkMode(C->Handle(), OPAQUE);
}

void TCustomVUVudi::PaintMargin(TCanvas* C, const TRect& Clip) {
  if (!HasOption(moDrawMargin)) {
    return;
  }
  const Integer X = GetPaintX() + (FMarginPos - FWinChar) * GetAveCharWidth();
  if (X < GetPaintX() || X >= Clip.Right + 2) {
    return;
  }
  C->Pen()->Assign(FMarginPen.get());
  C->MoveTo(X, Clip.Top);
  C->LineTo(X, Clip.Bottom);
}

void TCustomVUVudi::DrawGutterImage(TCanvas* C, Integer Index, Integer& X, Integer Y, Integer RowHeight,
                                    Integer RightLimit) {
  Integer Iw = 0, Ih = 0;
  CalcGutterImgSize(Index, Iw, Ih);
  if (Iw <= 0 || Ih <= 0) {
    return;
  }
  Integer Dx = X;
  if (FGutterImgsAlign == iaLeft) {
    if (X + Iw + 1 > RightLimit) {
      return;  // does not fit: skipped, the line's other images still get their chance
    }
    X += Iw + 1;
  } else {
    X -= Iw + 1;
    Dx = X;
    if (X < 0) {
      X += Iw + 1;
      return;
    }
  }
  const Integer Dy = Y + (RowHeight - Ih) / 2;
  C->StretchDraw(TRect{Dx, Dy, Dx + Iw, Dy + Ih}, FGutterImgs->GetItem(Index)->Glyph());
}

void TCustomVUVudi::PaintGutter(TCanvas* C, const TRect& Clip) {
  const Integer RW = GetRealGutterWidth();
  TCustomMemoSource* S = GetSource();
  TRect G{0, 0, RW, ClientHeight() + 1};
  TRect R{std::max(G.Left, Clip.Left), std::max(G.Top, Clip.Top), std::min(G.Right, Clip.Right),
          std::min(G.Bottom, Clip.Bottom)};
  const bool Gutter = HasOption(moDrawGutter) && R.Right > R.Left && R.Bottom > R.Top;
  if (Gutter && !DoPaintGutter(R, dsBeforePaint)) {
    if (FGutterBackground->NeedPaint() && FGutterBackground->PaintedBitmap()) {
      C->CopyRect(R, FGutterBackground->PaintedBitmap()->Canvas(), R);
    } else {
      TRect F = R;
      F.Right = std::min<Integer>(F.Right, RW - 2);
      C->Brush()->Assign(FGutterBrush.get());
      if (F.Right > F.Left) {
        C->FillRect(F);
      }
      C->Pen()->SetStyle(psSolid);
      C->Pen()->SetWidth(1);
      C->Pen()->SetColor(FGutterBackColor);
      C->MoveTo(RW - 2, R.Top);
      C->LineTo(RW - 2, R.Bottom + 1);
      C->Pen()->SetColor(FGutterLineColor);
      C->MoveTo(RW - 1, R.Top);
      C->LineTo(RW - 1, R.Bottom + 1);
    }
  }
  Integer FirstTop = 0;
  const Integer FirstRow = PixelToRow(Clip.Top, FirstTop);
  const Integer LastDisplay = GetRealStrCount();
  // Line numbers.
  if (HasOption(moLineNumbers)) {
    const bool OnGutter = HasOption(moLineNumbersOnGutter) && HasOption(moDrawGutter);
    Integer X;
    if (!OnGutter) {
      X = RW + (HasOption(moLeftIndent) && FLeftIndent > 0 ? FLeftIndent : 0);
    } else {
      X = FLineNumAlign == taRightJustify ? RW - FLineNumWidth - FGutterLineIndent : FGutterLineIndent;
    }
    C->Font()->Assign(FFont.get());
    HDC DC = C->Handle();
    SetTextColor(DC, ColorToRGB(FLineNumColor));
    SetBkMode(DC, TRANSPARENT);
    Integer Y = FirstTop;
    for (Integer Row = FirstRow, H = RowHeight(Row); Y < Clip.Bottom; Y += H, ++Row, H = RowHeight(Row)) {
      if (!OnGutter) {
        C->Brush()->SetColor(FLineNumBackColor);
        C->FillRect(TRect{X, Y, X + FLineNumWidth, Y + H});
      }
      Integer RowStart = 0;
      const Integer Line = FWordWrap ? GetRealLineIndex(Row, RowStart) : VisibleToReal(Row);
      if (RowStart != 0 || (HasOption(moLimitLineNumbers) && (Row > LastDisplay || Line >= S->GetStrCount()))) {
        continue;
      }
      std::string N = std::to_string(Line + 1);
      Integer D = FLineNumDigits;
      if (static_cast<Integer>(N.size()) < D) {
        const std::string Pad(static_cast<std::size_t>(D) - N.size(), ' ');
        N = FLineNumAlign == taLeftJustify ? N + Pad : Pad + N;
      }
      if (OnGetLineNumber) {
        OnGetLineNumber(this, N, D);
      }
      DC = C->Handle();
      SetBkMode(DC, TRANSPARENT);
      SetTextColor(DC, ColorToRGB(FLineNumColor));
      ExtTextOut(DC, X, Y, 0, nullptr, N.data(), static_cast<UINT>(N.size()), nullptr);
    }
    SetBkMode(C->Handle(), OPAQUE);
  }
  // Images: the line's image bits on its first row, then its bookmark.
  if (HasOption(moDrawGutter) && FGutterImgs->Count() > 0) {
    const Integer RightLimit = RW - 3;
    Integer Y = FirstTop;
    for (Integer Row = FirstRow, H = RowHeight(Row); Y < Clip.Bottom && Row <= LastDisplay;
         Y += H, ++Row, H = RowHeight(Row)) {
      Integer RowStart = 0;
      const Integer Line = FWordWrap ? GetRealLineIndex(Row, RowStart) : VisibleToReal(Row);
      if (Line >= S->GetStrCount()) {
        continue;
      }
      Integer X = FGutterImgsAlign == iaLeft ? 1 : RightLimit - 1;
      if (RowStart == 0) {
        for (Integer I = 0; I < std::min<Integer>(FGutterImgs->Count(), 16); ++I) {
          if (S->GetImageBit(Line, I)) {
            DrawGutterImage(C, I, X, Y, H, RightLimit);
          }
        }
      }
      Integer RowEnd = MaxInt;
      if (FWordWrap) {
        Integer P = RowStart + 1;
        GetWrappedLineWidth(Line, P, true);
        RowEnd = P - 1;
      }
      const Integer B = S->GetBookmarkFromRange(Line, RowStart, RowEnd);
      if (B >= 1 && B <= 10) {
        const Integer Entry = FBookmarkImages[static_cast<std::size_t>(B == 10 ? 0 : B)];
        if (Entry != 0) {
          DrawGutterImage(C, Entry - 1, X, Y, H, RightLimit);
        }
      }
    }
  }
  if (Gutter) {
    DoPaintGutter(R, dsAfterPaint);
  }
}

}  // namespace Vuvudi
