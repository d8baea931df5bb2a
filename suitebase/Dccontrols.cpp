// The suite's small drawing routines.
#include "suitebase/Dccontrols.h"

#include "platform/graphics/Colors.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace Vivaridiriz {
char SBoldTag = '~';
}  // namespace Vivaridiriz

namespace Dccontrols {

using Vivaridiriz::SBoldTag;

namespace {

// Keeps the canvas's font and gives it back at the end.
class TFontKeeper {
public:
  explicit TFontKeeper(TCanvas* Canvas) : FCanvas(Canvas) { FSaved.Assign(Canvas->Font()); }
  ~TFontKeeper() { FCanvas->SetFont(&FSaved); }
  TFontKeeper(const TFontKeeper&) = delete;
  TFontKeeper& operator=(const TFontKeeper&) = delete;

private:
  TCanvas* FCanvas;
  TFont FSaved;
};

TSize ExtentIn(TCanvas* Canvas, TFont* Font, const std::string& S) {
  if (Font) {
    Canvas->SetFont(Font);
  }
  return GetStringExtent(Canvas, S);
}

}  // namespace

TSize GetStringExtent(TCanvas* Canvas, const std::string& S) {
  if (S.empty()) {
    return TSize{0, 0};
  }
  return Canvas->TextExtent(S);
}

void DrawWithSelection(TCanvas* Canvas, TFont* Font, TFont* SelFont, const TRect& Rect, const std::string& S,
                       int SelPos, int SelLen, TLeftRightAlign Align) {
  std::string First = S;
  std::string Middle;
  std::string Last;
  if (SelPos >= 1) {
    const std::size_t P = std::min<std::size_t>(static_cast<std::size_t>(SelPos - 1), S.size());
    First = S.substr(0, P);
    Middle = S.substr(P, static_cast<std::size_t>(std::max(SelLen, 0)));
    Last = S.substr(std::min(S.size(), P + Middle.size()));
  }
  const UINT Format = (Align == lrLeftJustify ? DT_LEFT : DT_RIGHT) | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
  TFontKeeper Keep(Canvas);
  if (Font) {
    Canvas->SetFont(Font);
  }
  SetBkMode(Canvas->Handle(), TRANSPARENT);
  TRect R = Rect;
  auto Draw = [&](const std::string& Piece, bool Selected) {
    if (Piece.empty()) {
      return;
    }
    if (Selected && SelFont) {
      Canvas->SetFont(SelFont);
    }
    const int W = Canvas->TextWidth(Piece);
    TRect Box = R;
    DrawText(Canvas->Handle(), Piece.c_str(), static_cast<int>(Piece.size()), &Box, Format);
    if (Align == lrLeftJustify) {
      R.Left += W;
    } else {
      R.Right -= W;
    }
    if (Selected && Font) {
      Canvas->SetFont(Font);
    }
  };
  if (Align == lrLeftJustify) {
    Draw(First, false);
    Draw(Middle, true);
    Draw(Last, false);
  } else {
    Draw(Last, false);
    Draw(Middle, true);
    Draw(First, false);
  }
}

TPoint CalcStringSize(TCanvas* Canvas, TFont* Font, TFont* BoldFont, const std::string& S) {
  TFontKeeper Keep(Canvas);
  const std::size_t P = S.find(SBoldTag);
  TSize Size = ExtentIn(Canvas, Font, P == std::string::npos ? S : S.substr(0, P));
  TPoint Result{Size.cx, Size.cy};
  if (P != std::string::npos) {
    const std::size_t End = S.find(SBoldTag, P + 1);
    const std::string Bold = S.substr(P + 1, End == std::string::npos ? std::string::npos : End - P - 1);
    Size = ExtentIn(Canvas, BoldFont, Bold);
    Result.X += Size.cx;
    Result.Y = std::max<int>(Result.Y, Size.cy);
    if (End != std::string::npos) {
      Size = ExtentIn(Canvas, Font, S.substr(End + 1));
      Result.X += Size.cx;
      Result.Y = std::max<int>(Result.Y, Size.cy);
    }
  }
  return Result;
}

std::string ExtractBoldPos(const std::string& S, int& BoldPos, int& BoldLen) {
  std::string Result = S;
  const std::size_t First = Result.find(SBoldTag);
  if (First == std::string::npos) {
    BoldPos = 0;
    BoldLen = 0;
    return Result;
  }
  BoldPos = static_cast<int>(First) + 1;
  Result.erase(First, 1);
  const std::size_t Next = Result.find(SBoldTag, First);
  if (Next != std::string::npos) {
    Result.erase(Next, 1);
    BoldLen = static_cast<int>(Next) + 1 - BoldPos;
  } else {
    BoldLen = static_cast<int>(Result.size()) - BoldPos + 1;
  }
  return Result;
}

std::string ExtractColumn(const std::string& S, int& Pos) {
  const int Start = std::max(Pos, 1);
  int I = Start;
  const int Len = static_cast<int>(S.size());
  while (I <= Len && S[static_cast<std::size_t>(I - 1)] != '|') {
    ++I;
  }
  std::string Result =
      Start <= Len ? S.substr(static_cast<std::size_t>(Start - 1), static_cast<std::size_t>(I - Start)) : std::string();
  Pos = (I <= Len && S[static_cast<std::size_t>(I - 1)] == '|') ? I + 1 : I;
  return Result;
}

void FillGradient(TCanvas* Canvas, int Width, int Height, TColor BeginColor, TColor EndColor, bool Vertical) {
  if (Width <= 0 || Height <= 0) {
    return;
  }
  const COLORREF B = ColorToRGB(BeginColor);
  const COLORREF E = ColorToRGB(EndColor);
  const int BR = GetRValue(B), BG = GetGValue(B), BB = GetBValue(B);
  const int DR = GetRValue(E) - BR, DG = GetGValue(E) - BG, DB = GetBValue(E) - BB;
  const int Steps = std::max({std::abs(DR), std::abs(DG), std::abs(DB)}) + 1;
  const int Length = Vertical ? Height : Width;
  const int Band = Length / Steps + 1;
  TRect R = Vertical ? TRect{0, 0, Width, Band} : TRect{0, 0, Band, Height};
  const TColor Saved = Canvas->Brush()->Color();
  for (int I = 0; I < Steps; ++I) {
    // Integer steps of a band's share of the difference, so the colours reach the end colour at the far edge.
    const auto Channel = [&](int Begin, int D) {
      return static_cast<BYTE>(
          std::clamp(Begin + static_cast<int>(static_cast<long long>(I) * Band * D / Length), 0, 255));
    };
    Canvas->Brush()->SetColor(static_cast<TColor>(RGB(Channel(BR, DR), Channel(BG, DG), Channel(BB, DB))));
    Canvas->FillRect(R);
    if (Vertical) {
      R.Top += Band;
      R.Bottom += Band;
      if (R.Top >= Length) {
        break;
      }
    } else {
      R.Left += Band;
      R.Right += Band;
      if (R.Left >= Length) {
        break;
      }
    }
  }
  Canvas->Brush()->SetColor(Saved);
}

void PaintExpandCollapse(TCanvas* Canvas, int X, int Y, int Size, int Margin, bool Expanded) {
  TRect Button{X + Margin, Y + Margin, X + Size - Margin, Y + Size - Margin};
  DrawFrameControl(Canvas->Handle(), &Button, DFC_BUTTON, DFCS_BUTTONPUSH);
  const int W = Button.Width();
  const int K = W < 5 ? 1 : (W < 7 ? 3 : 5);
  const int Left = Button.Left + (W - K) / 2;
  const int Top = Button.Top + (W - K) / 2;
  Canvas->Pen()->SetColor(clBlack);
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetWidth(1);
  Canvas->MoveTo(Left, Top + K / 2);
  Canvas->LineTo(Left + K, Top + K / 2);
  if (!Expanded) {
    Canvas->MoveTo(Left + K / 2, Top);
    Canvas->LineTo(Left + K / 2, Top + K);
  }
}

}  // namespace Dccontrols
