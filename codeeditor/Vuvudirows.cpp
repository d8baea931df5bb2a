// Code editor control: row geometry and proportional measuring: line heights, widths and baselines, rows at
// pixels and pixels of rows, how many characters fit, and the view helpers built on them.
#include "codeeditor/Vuvudi.h"
#include "platform/graphics/WinGdi.h"
#include "treeview/Fontman.h"

#include <algorithm>

namespace Vuvudi {

using namespace Dcstring;

namespace {

Integer StyleAt(const std::string& C, Integer I) {
  return I < static_cast<Integer>(C.size()) ? static_cast<Byte>(C[static_cast<std::size_t>(I)]) : 0;
}

std::string Upper(std::string S) {
  std::transform(S.begin(), S.end(), S.begin(),
                 [](char Ch) { return static_cast<char>(std::toupper(static_cast<unsigned char>(Ch))); });
  return S;
}

// Width, largest ascent and largest descent of N characters of S from From, each run of one style in its font.
struct TRunMetrics {
  Integer Width = 0, Ascent = 0, Descent = 0;
};

TRunMetrics MeasureRuns(TCustomVUVudi* M, const std::string& S, const std::string& C, Integer From, Integer N) {
  TRunMetrics R;
  const Integer End = std::min<Integer>(From + N, static_cast<Integer>(S.size()));
  Integer I = std::max<Integer>(From, 0);
  while (I < End) {
    const Integer Style = StyleAt(C, I);
    Integer J = I + 1;
    while (J < End && StyleAt(C, J) == Style) {
      ++J;
    }
    const HFONT F = M->GetFontFromTextStyle(Style)->Handle();
    if (M->IsUpperCaseStyle(Style)) {
      const std::string Run = Upper(S.substr(static_cast<std::size_t>(I), static_cast<std::size_t>(J - I)));
      R.Width += TreeFonts::GetWidth(F, Run.data(), J - I);
    } else {
      R.Width += TreeFonts::GetWidth(F, S.data() + I, J - I);
    }
    const TreeFonts::TFontInfo Info = TreeFonts::GetFontInfo(F);
    R.Ascent = std::max(R.Ascent, Info.Ascent);
    R.Descent = std::max(R.Descent, Info.Descent);
    I = J;
  }
  return R;
}

}  // namespace

// --- rows -------------------------------------------------------------------------------------------------------

Integer TCustomVUVudi::RowLine(Integer Row, Integer& RowStart) {
  RowStart = 0;
  return FWordWrap ? GetRealLineIndex(Row, RowStart) : VisibleToReal(Row);
}

Integer TCustomVUVudi::RowHeight(Integer Row) {
  if (FUseMonoFont || Row < 0) {
    return GetAveLineHeight();
  }
  Integer RowStart = 0;
  const Integer Line = RowLine(Row, RowStart);
  if (Line >= GetSource()->GetStrCount()) {
    return GetAveLineHeight();
  }
  return GetRealLineHeight(Line);
}

Integer TCustomVUVudi::RowTop(Integer Row) {
  if (FUseMonoFont) {
    return (Row - FWinLine) * GetAveLineHeight();
  }
  Integer Y = 0;
  if (Row >= FWinLine) {
    for (Integer R = FWinLine; R < Row; ++R) {
      Y += RowHeight(R);
    }
  } else {
    for (Integer R = Row; R < FWinLine; ++R) {
      Y -= RowHeight(R);
    }
  }
  return Y;
}

Integer TCustomVUVudi::PixelToRow(Integer Y, Integer& Top) {
  if (FUseMonoFont) {
    const Integer H = GetAveLineHeight();
    const Integer Rows = Y >= 0 ? Y / H : -((-Y + H - 1) / H);
    Top = Rows * H;
    return FWinLine + Rows;
  }
  Integer Row = FWinLine;
  Integer Acc = 0;
  if (Y >= 0) {
    // Rows beyond the text have the average height, so the walk always ends.
    while (true) {
      const Integer H = RowHeight(Row);
      if (Y < Acc + H) {
        break;
      }
      Acc += H;
      ++Row;
    }
  } else {
    while (Acc > Y && Row > 0) {
      --Row;
      Acc -= RowHeight(Row);
    }
    if (Acc > Y) {
      // Above row 0: rows of average height.
      const Integer H = GetAveLineHeight();
      const Integer N = (Acc - Y + H - 1) / H;
      Row -= N;
      Acc -= N * H;
    }
  }
  Top = Acc;
  return Row;
}

// --- lines --------------------------------------------------------------------------------------------------------

void TCustomVUVudi::GetLineHeight(TObject*, Integer Index, TStringItem* Item) {
  Item->LineHeight = GetAveLineHeight();
  Item->LineWidth = 0;
  Item->BaseLine = 0;
  if (FUseMonoFont) {
    return;
  }
  // Called while the source colours the line: its colour data is read from the item, never asked for again.
  TCustomMemoSource* S = GetSource();
  const std::string Text = S->GetDisplay(Index);
  if (Text.empty()) {
    return;
  }
  const std::string Colors = NeedSyntaxPaint() || S->HighlightUrls() ? Item->ColorData : std::string();
  TSize Size{};
  Integer Base = 0;
  CalcStringSize(Text, Colors, Size, Base, static_cast<Integer>(Text.size()), 0);
  Item->LineWidth = Size.cx;
  Item->LineHeight = Size.cy > 0 ? Size.cy : GetAveLineHeight();
  Item->BaseLine = Base;
}

namespace {
// The line's record, coloured and measured first.
TStringItem* MeasuredItem(TCustomMemoSource* S, Integer Line) {
  TStringItem* Item = S->GetStringItem(Line);
  if (Item != nullptr && !Item->ItemState.Contains(isWasParsed)) {
    S->ParseToString(Line, true);
  }
  return Item;
}
}  // namespace

Integer TCustomVUVudi::GetRealLineHeight(Integer Line) {
  if (FUseMonoFont) {
    return GetAveLineHeight();
  }
  const TStringItem* Item = MeasuredItem(GetSource(), Line);
  if (Item == nullptr || Item->LineHeight == 0) {
    return GetAveLineHeight();
  }
  return Item->LineHeight;
}

Integer TCustomVUVudi::GetRealLineWidth(Integer Line) {
  TCustomMemoSource* S = GetSource();
  const Integer Len = static_cast<Integer>(S->GetDisplay(Line).size());
  if (FUseMonoFont) {
    return Len * GetAveCharWidth();
  }
  const TStringItem* Item = MeasuredItem(S, Line);
  if (Item == nullptr || Item->LineWidth == 0) {
    return Len * GetAveCharWidth();
  }
  return Item->LineWidth;
}

Integer TCustomVUVudi::GetBaseLine(Integer Line) {
  if (FUseMonoFont) {
    return 0;
  }
  const TStringItem* Item = MeasuredItem(GetSource(), Line);
  return Item == nullptr ? 0 : Item->BaseLine;
}

Integer TCustomVUVudi::GetStringSize(Integer Line, Integer Start, Integer Count) {
  if (FUseMonoFont) {
    return Count * GetAveCharWidth();
  }
  return TextToPixelChar({Start + Count, Line}) - TextToPixelChar({Start, Line});
}

// Measures without a window too: the metrics come from the font cache, so a line measured before the window
// exists has its real size.
void TCustomVUVudi::CalcStringSize(const std::string& S, const std::string& ColorS, TSize& Size, Integer& Extra,
                                   Integer Count, Integer Start) {
  const TRunMetrics R = MeasureRuns(this, S, ColorS, Start, Count);
  Size = {R.Width, R.Ascent + R.Descent};
  Extra = R.Ascent;
}

Integer TCustomVUVudi::SymbolsDrawn(Integer Line, Integer Start, const std::string& S, const std::string& ColorS,
                                    TRect& Rect, Integer& Extra, bool Truncate) {
  Extra = 0;
  const Integer Width = Rect.Right;
  if (Width <= 0) {
    return 0;
  }
  const Integer Blank = std::max<Integer>(CalcSpacesSize(1, {Start, Line}), 1);
  const Integer Len = static_cast<Integer>(S.size());
  Integer Used = 0;
  Integer I = std::max<Integer>(Start, 0);
  while (I < Len) {
    const Integer Style = StyleAt(ColorS, I);
    Integer J = I + 1;
    while (J < Len && StyleAt(ColorS, J) == Style) {
      ++J;
    }
    const HFONT F = GetFontFromTextStyle(Style)->Handle();
    std::string Run = S.substr(static_cast<std::size_t>(I), static_cast<std::size_t>(J - I));
    if (IsUpperCaseStyle(Style)) {
      Run = Upper(Run);
    }
    Integer RunUsed = 0;
    const Integer Fit = TreeFonts::GetCharsInWidth(F, Run.data(), J - I, Width - Used, false, Truncate, RunUsed);
    Used += RunUsed;
    if (Fit < J - I) {
      Extra = Used;
      return I + Fit - Start;
    }
    I = J;
  }
  // All characters fit: the rest of the width holds virtual blanks.
  const Integer Rest = Width - Used;
  const Integer Blanks = Truncate ? Rest / Blank : (2 * Rest + Blank) / (2 * Blank);
  Extra = Used + Blanks * Blank;
  return std::max<Integer>(Len - std::max<Integer>(Start, 0), 0) + Blanks;
}

void TCustomVUVudi::GetStrDataEx(TPoint& P, std::string& S, std::string& ColorS) {
  const Integer Line = P.Y;
  GetStrData(Line, S, ColorS);
  if (!FWordWrap) {
    return;
  }
  Integer RowStart = 0;
  TPoint D;
  GetWBPositionEx(P, D, RowStart);
  P = D;
  if (RowStart > 0) {
    S.erase(0, std::min<std::size_t>(static_cast<std::size_t>(RowStart), S.size()));
    ColorS.erase(0, std::min<std::size_t>(static_cast<std::size_t>(RowStart), ColorS.size()));
  }
}

Integer TCustomVUVudi::GetWrappedLineHeightEx(Integer Line, Integer& Pos, bool Next, bool OneRow, Integer& BaseLine) {
  BaseLine = GetBaseLine(Line);
  const Integer H = GetRealLineHeight(Line);
  if (!FWordWrap) {
    return H;
  }
  CheckLastWrappedLine(Line);
  // Rows of the line: its breaks plus one.
  const Integer First = FWordWrapList.LowerBound(0, Line);
  Integer Breaks = 0;
  Integer RowOfPos = 0;
  for (Integer I = First; I < FWordWrapList.Count() && FWordWrapList[I].Line == Line; ++I) {
    ++Breaks;
    if (FWordWrapList[I].Column <= std::max<Integer>(Pos - 1, 0)) {
      RowOfPos = Breaks;
    }
  }
  if (Next) {
    ++RowOfPos;
  }
  if (RowOfPos > Breaks) {
    return 0;
  }
  if (OneRow) {
    Pos = RowOfPos < Breaks ? FWordWrapList[First + RowOfPos].Column + 1 : MaxInt;
    return H;
  }
  return (Breaks + 1 - RowOfPos) * H;
}

Integer TCustomVUVudi::GetWrappedLineHeight(Integer Line) {
  if (!FWordWrap) {
    return GetRealLineHeight(Line);
  }
  Integer Pos = 1;
  Integer Base = 0;
  return GetWrappedLineHeightEx(Line, Pos, false, false, Base);
}

Integer TCustomVUVudi::LineToPixel(Integer FromLine, Integer ToLine, Integer Pos) {
  TPoint A, B;
  GetWBPosition({Pos > 1 ? Pos - 1 : 0, FromLine}, A);
  GetWBPosition({0, ToLine}, B);
  const Integer RowA = RealToVisible(A.Y), RowB = RealToVisible(B.Y);
  Integer H = 0;
  for (Integer R = RowA; R < RowB; ++R) {
    H += RowHeight(R);
  }
  return H;
}

Integer TCustomVUVudi::PixelToTextLine(Integer& Y, Integer& Pos, bool Clamp) {
  Integer Top = 0;
  Integer Row = PixelToRow(Y, Top);
  if (Clamp && !GetSource()->Options().Contains(soBeyondFileEnd)) {
    const Integer Last = std::max<Integer>(GetRealStrCount(), 0);
    if (Row > Last) {
      Top = RowTop(Last);
      Row = Last;
    }
  }
  Row = std::max<Integer>(Row, 0);
  Integer RowStart = 0;
  const Integer Line = RowLine(Row, RowStart);
  Pos = RowStart + 1;
  Y = Top;
  return Line;
}

void TCustomVUVudi::TextAtMousePoint(const TPoint& P, std::string& S) {
  TPoint T;
  ConvertMousePos(P.X, P.Y, T);
  S = GetSource()->CorrectTextAt(T.X, T.Y);
}

// --- view helpers -------------------------------------------------------------------------------------------------

Integer TCustomVUVudi::GetCaretChar() {
  TPoint R;
  GetRealPoint(GetCaretPoint(), R);
  if (!FUseMonoFont) {
    return TextToPixelChar(R);
  }
  TPoint D;
  GetWBPosition(R, D);
  return D.X - PixelToTextChar(R.Y, 1, false, GetPaintX());
}

Integer TCustomVUVudi::GetCaretLine() {
  TPoint R;
  GetRealPoint(GetCaretPoint(), R);
  if (!FUseMonoFont) {
    return TextToPixelLine(R);
  }
  TPoint D;
  GetWBPosition(R, D);
  return RealToVisible(D.Y) - FWinLine;
}

void TCustomVUVudi::MakeSearchPointVisible(const TRect& Rect, bool UseStart) {
  EnsurePointVisible(UseStart ? TPoint{Rect.Left, Rect.Top} : TPoint{Rect.Right, Rect.Bottom - 1});
}

void TCustomVUVudi::CheckVisibleIndex(Integer& Index, bool ToVisible) {
  if (HideLines()) {
    Index = ToVisible ? GetSource()->RealToVisibleIndex(Index) : GetSource()->VisibleToRealIndex(Index);
  }
}

// The attribute parser that keeps per-character fonts comes with rich text; plain parsers take nothing.
void TCustomVUVudi::AssignAttributeFont() {}

void TCustomVUVudi::QuickPaint(Integer OldWinChar, Integer OldWinLine) {
  if (!HandleAllocated()) {
    return;
  }
  if (FMemoBackground->NeedPaint()) {
    Invalidate();
    return;
  }
  const Integer X0 = GetPaintX();
  if (FWinLine == OldWinLine && std::abs(FWinChar - OldWinChar) == 1) {
    const TRect R{X0, 0, ClientWidth(), ClientHeight()};
    ScrollWindow(Handle(), (OldWinChar - FWinChar) * GetAveCharWidth(), 0, &R, &R);
  } else if (FWinChar == OldWinChar && std::abs(FWinLine - OldWinLine) == 1) {
    // The picture moves by the height of the row that leaves (down) or enters (up) at the top.
    const Integer Dy = FWinLine > OldWinLine ? -RowHeight(OldWinLine) : RowHeight(FWinLine);
    ScrollWindow(Handle(), 0, Dy, nullptr, nullptr);
  } else {
    Invalidate();
  }
  if (FGutterBackground->NeedPaint() || FGutterBrush->Style() != bsSolid) {
    const TRect G{0, 0, GetRealGutterWidth(), ClientHeight()};
    InvalidateRect(Handle(), &G, FALSE);
  }
}

}  // namespace Vuvudi
