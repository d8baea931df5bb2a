// Drawing helpers and the tree's canvas.
#include "treeview/Dcntreedraw.h"

#include "treeview/Dcntreenode.h"
#include "treeview/Fontman.h"

#include "platform/graphics/Images.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <memory>

using namespace TreeFonts;

Z_IMPLEMENT_CLASS(ZEZCanvas, TControlCanvas)

// ---- font comparison and the font-height cache ----------------------------------------------------------------

bool FontsEqual(TFont* A, TFont* B) {
  return A && B && A->Handle() == B->Handle() && A->Color() == B->Color();
}

namespace {

struct TFontHeightEntry {
  Integer UseCount = 0;
  std::unique_ptr<TFont> Font;
  Integer Height = 0;
};

constexpr std::size_t FontHeightCacheSize = 20;

struct TFontHeightCache {
  std::vector<TFontHeightEntry> Entries;
};

TFontHeightCache* HeightCache = nullptr;
Integer HeightCacheUsers = 0;

}  // namespace

void AddFontHeightCacheUser() {
  if (HeightCacheUsers++ == 0) {
    HeightCache = new TFontHeightCache;
  }
}

void ReleaseFontHeightCacheUser() {
  if (HeightCacheUsers > 0 && --HeightCacheUsers == 0) {
    delete HeightCache;
    HeightCache = nullptr;
  }
}

bool FontHeightCacheExists() { return HeightCache != nullptr; }
Integer FontHeightCacheCount() { return HeightCache ? static_cast<Integer>(HeightCache->Entries.size()) : 0; }

Integer GetFontHeight(TFont* Font) {
  // Without a view nothing holds the cache: measure directly.
  TFontHeightCache* Cache = HeightCache;
  if (Cache) {
    for (auto& E : Cache->Entries) {
      if (FontsEqual(E.Font.get(), Font)) {
        ++E.UseCount;
        return E.Height;
      }
    }
  }
  TFontHeightEntry Scratch;
  TFontHeightEntry* E = &Scratch;
  if (Cache) {
    if (Cache->Entries.size() >= FontHeightCacheSize) {
      E = &*std::min_element(Cache->Entries.begin(), Cache->Entries.end(),
                             [](const TFontHeightEntry& A, const TFontHeightEntry& B) { return A.UseCount < B.UseCount; });
    } else {
      Cache->Entries.emplace_back();
      E = &Cache->Entries.back();
    }
  }
  if (!E->Font) {
    E->Font = std::make_unique<TFont>();
  }
  E->Font->Assign(Font);
  E->UseCount = 1;
  HDC DC = GetDC(0);
  HGDIOBJ Old = SelectObject(DC, Font->Handle());
  TEXTMETRIC Tm;
  GetTextMetrics(DC, &Tm);
  SelectObject(DC, Old);
  ReleaseDC(0, DC);
  E->Height = (Tm.tmHeight + 1) & ~1;
  return E->Height;
}

// ---- multi-line text ------------------------------------------------------------------------------------------

namespace {

TEXTMETRIC CanvasMetrics(TCanvas* Canvas) {
  TEXTMETRIC Tm;
  GetTextMetrics(Canvas->Handle(), &Tm);
  return Tm;
}

char CharAt(const std::string& Text, std::size_t I) { return I < Text.size() ? Text[I] : '\0'; }

// Steps over the line end at I (LF, CR LF or a lone CR); false at the end of the text.
bool StepLineEnd(const std::string& Text, std::size_t& I) {
  const char C = CharAt(Text, I);
  if (C == '\0') {
    return false;
  }
  if (C == '\r' && CharAt(Text, I + 1) == '\n') {
    I += 2;
  } else if (C == '\r' || C == '\n') {
    ++I;
  }
  return true;
}

std::size_t FindLineEnd(const std::string& Text, std::size_t I) {
  while (true) {
    const char C = CharAt(Text, I);
    if (C == '\0' || C == '\n' || C == '\r') {
      return I;
    }
    ++I;
  }
}

}  // namespace

void FindLineBreak(TCanvas* Canvas, const std::string& Text, std::size_t& Start, std::size_t& End, Integer Width,
                   Integer Overhang) {
  if (CharAt(Text, Start) == ' ') {
    ++Start;
  }
  End = Start;
  HFONT Font = Canvas->Font()->Handle();
  Integer Widths[256];
  std::size_t Filled = 0;  // characters from FillStart covered by Widths
  std::size_t FillStart = Start;
  Integer Remaining = Width;
  while (true) {
    const char C = CharAt(Text, End);
    if (C == '\0' || C == '\n' || C == '\r') {
      return;
    }
    if (End >= FillStart + Filled) {
      FillStart = End;
      const std::size_t N = std::min<std::size_t>(256, Text.size() - End);
      GetWidthAndInfo(Font, Text.data() + End, static_cast<Integer>(N), nullptr, Widths);
      Filled = N;
    }
    Remaining -= Widths[End - FillStart];
    if (Remaining < Overhang) {
      if (End == Start) {
        ++End;
      } else if (C != ' ') {
        std::size_t Space = End;
        bool Found = false;
        while (Space > Start + 1) {
          --Space;
          if (Text[Space] == ' ') {
            Found = true;
            break;
          }
        }
        if (Found) {
          End = Space + 1;
        }
      }
      return;
    }
    ++End;
  }
}

Integer GetWrappedTextHeight(TCanvas* Canvas, const std::string& Text, Integer Width) {
  const TEXTMETRIC Tm = CanvasMetrics(Canvas);
  Integer Height = 0;
  std::size_t Start = 0;
  while (true) {
    std::size_t End = Start;
    FindLineBreak(Canvas, Text, Start, End, Width, Tm.tmOverhang);
    Height += Tm.tmHeight;
    const char C = CharAt(Text, End);
    if (C == '\0') {
      break;
    }
    if (C == '\n' || C == '\r') {
      StepLineEnd(Text, End);
    }
    Start = End;
  }
  return Height;
}

void DrawMultiLineText(TCanvas* Canvas, const std::string& Text, const TRect& Rect, bool WordWrap) {
  const TEXTMETRIC Tm = CanvasMetrics(Canvas);
  HDC DC = Canvas->Handle();
  TRect Line = ::Rect(Rect.Left, Rect.Top, Rect.Right, Rect.Top + Tm.tmHeight);
  std::size_t Start = 0;
  while (Line.Top < Rect.Bottom) {
    std::size_t End = Start;
    if (WordWrap) {
      FindLineBreak(Canvas, Text, Start, End, Rect.Width(), Tm.tmOverhang);
    } else {
      End = FindLineEnd(Text, Start);
    }
    TRect Clipped = Line;
    Clipped.Bottom = std::min(Clipped.Bottom, Rect.Bottom);
    ExtTextOut(DC, Line.Left, Line.Top, ETO_OPAQUE | ETO_CLIPPED, &Clipped, Text.data() + Start,
               static_cast<UINT>(End - Start), nullptr);
    Line.Top += Tm.tmHeight;
    Line.Bottom += Tm.tmHeight;
    if (CharAt(Text, End) == '\0') {
      if (Line.Top < Rect.Bottom) {
        TRect Rest = ::Rect(Rect.Left, Line.Top, Rect.Right, Rect.Bottom);
        Canvas->FillRect(Rest);
      }
      return;
    }
    if (!WordWrap || CharAt(Text, End) == '\n' || CharAt(Text, End) == '\r') {
      StepLineEnd(Text, End);
    }
    Start = End;
  }
}

Integer GetMultiLineTextHeight(TCanvas* Canvas, const std::string& Text, Integer Width, bool WordWrap) {
  if (Text.empty()) {
    return CanvasMetrics(Canvas).tmHeight;
  }
  if (WordWrap) {
    return GetWrappedTextHeight(Canvas, Text, Width);
  }
  TRect R = Rect(0, 0, Width, 0);
  return ::DrawText(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &R, DT_NOPREFIX | DT_CALCRECT);
}

Integer GetMultiLineTextWidth(TCanvas* Canvas, const std::string& Text, Integer MaxWidth, bool WordWrap) {
  if (Text.empty()) {
    return 0;
  }
  TRect R = Rect(0, 0, MaxWidth, 0);
  ::DrawText(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &R, DT_NOPREFIX | DT_CALCRECT);
  const Integer W = R.Width();
  return WordWrap ? std::min(W, MaxWidth) : W;
}

Integer GetRealTextWidth(TCanvas* Canvas, const std::string& Text) {
  // The canvas measures with the same advance widths the metrics cache keeps; the cache saves the device context
  // round trips of measuring every row.
  const HFONT Font = Canvas->Font()->Handle();
  const Integer W = GetWidth(Font, Text.data(), static_cast<Integer>(Text.size()));
  return W + GetFontInfo(Font).Overhang;
}

// ---- rectangles ------------------------------------------------------------------------------------------------

void ShrinkRectInRect(TRect& R, const TRect& Bounds) {
  if (Bounds.Left >= R.Left) {
    R.Left = Bounds.Left + 1;
  }
  if (Bounds.Top >= R.Top) {
    R.Top = Bounds.Top + 1;
  }
  if (R.Right >= Bounds.Right) {
    R.Right = Bounds.Right - 1;
  }
  if (R.Bottom >= Bounds.Bottom) {
    R.Bottom = Bounds.Bottom - 1;
  }
}

void ClipRectToBounds(TRect& R, const TRect& Bounds) {
  R.Left = std::max(R.Left, Bounds.Left);
  R.Top = std::max(R.Top, Bounds.Top);
  R.Right = std::min(R.Right, Bounds.Right);
  R.Bottom = std::min(R.Bottom, Bounds.Bottom);
}

namespace {
Integer FloorDiv2(Integer V) { return V >= 0 ? V / 2 : -((-V + 1) / 2); }
void MoveHorz(TRect& R, Integer Left) {
  const Integer W = R.Width();
  R.Left = Left;
  R.Right = Left + W;
}
void MoveVert(TRect& R, Integer Top) {
  const Integer H = R.Height();
  R.Top = Top;
  R.Bottom = Top + H;
}
}  // namespace

void AlignRectLeft(TRect& R, const TRect& Bounds) { MoveHorz(R, Bounds.Left); }
void CenterRectHorz(TRect& R, const TRect& Bounds) { MoveHorz(R, FloorDiv2(Bounds.Left + Bounds.Right - R.Width())); }
void AlignRectRight(TRect& R, const TRect& Bounds) { MoveHorz(R, Bounds.Right - R.Width()); }
void AlignRectTop(TRect& R, const TRect& Bounds) { MoveVert(R, Bounds.Top); }
void CenterRectVert(TRect& R, const TRect& Bounds) { MoveVert(R, FloorDiv2(Bounds.Top + Bounds.Bottom - R.Height())); }
void AlignRectBottom(TRect& R, const TRect& Bounds) { MoveVert(R, Bounds.Bottom - R.Height()); }
void CenterRect(TRect& R, const TRect& Bounds) {
  CenterRectHorz(R, Bounds);
  CenterRectVert(R, Bounds);
}
void CenterRectVertEven(TRect& R, const TRect& Bounds) {
  MoveVert(R, FloorDiv2(Bounds.Top + Bounds.Bottom - R.Height() + 1) & ~1);
}
Integer MidPoint(Integer A, Integer B) { return A + FloorDiv2(B - A - 1); }

// ---- errors ----------------------------------------------------------------------------------------------------

void Error(const std::string& Msg) { throw Exception(Msg); }
void InvalidOperation(const std::string& Msg) { throw EInvalidOperation(Msg); }
void InvalidOperationFmt(std::string_view Fmt, TVarRecList Args) { throw EInvalidOperation(Format(Fmt, Args)); }

// ---- selection lists -------------------------------------------------------------------------------------------

void ApplySelectionList(const std::vector<ZEZTreeNode*>& Old, const std::vector<ZEZTreeNode*>& New) {
  auto Has = [](const std::vector<ZEZTreeNode*>& L, ZEZTreeNode* N) { return std::find(L.begin(), L.end(), N) != L.end(); };
  for (ZEZTreeNode* N : New) {
    if (!Has(Old, N)) {
      N->SetSelected(true);
    }
  }
  for (auto It = Old.rbegin(); It != Old.rend(); ++It) {
    if (!Has(New, *It)) {
      (*It)->SetSelected(false);
    }
  }
}

TSize SystemCheckBoxSize() {
  static const TSize Size = [] {
    TSize S{13, 13};
    HBITMAP B = LoadBitmap(0, reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(OBM_CHECKBOXES)));
    if (B) {
      BITMAP Info{};
      if (GetObject(B, sizeof(Info), &Info)) {
        S = TSize{Info.bmWidth / 4, Info.bmHeight / 3};
      }
      DeleteObject(B);
    }
    return S;
  }();
  return Size;
}

// ---- ZEZCanvas -------------------------------------------------------------------------------------------------

ZEZCanvas::~ZEZCanvas() {
  SetControl(nullptr);
  FreeDotPatterns();
}

void ZEZCanvas::SetPattern(Byte P) {
  if (P != FPattern) {
    FPattern = P;
    FPatternsDirty = true;
  }
}

Byte ZEZCanvas::MirrorPattern(Byte P) {
  Byte R = 0;
  for (int I = 0; I < 8; ++I) {
    if (P & (1 << I)) {
      R = static_cast<Byte>(R | (0x80 >> I));
    }
  }
  return R;
}

void ZEZCanvas::CheckDotPatterns() {
  if (FPatternsCreated) {
    InitPatterns();
  } else {
    CreateDotPatterns();
  }
}

void ZEZCanvas::CreateDotPatterns() {
  HDC Screen = GetDC(0);
  FHorzDC = CreateCompatibleDC(Screen);
  FVertDC = CreateCompatibleDC(Screen);
  FHorzBitmap = CreateCompatibleBitmap(Screen, FPatternLength, 1);
  FVertBitmap = CreateCompatibleBitmap(Screen, 1, FPatternLength);
  FOldHorz = SelectObject(FHorzDC, FHorzBitmap);
  FOldVert = SelectObject(FVertDC, FVertBitmap);
  ReleaseDC(0, Screen);
  FPatternsCreated = true;
  FPatternsDirty = true;
  InitPatterns();
}

void ZEZCanvas::InitPatterns() {
  const TColor BrushColor = Brush()->Color();
  const TColor PenColor = Pen()->Color();
  if (BrushColor == FLastBrushColor && PenColor == FLastPenColor && !FPatternsDirty) {
    return;
  }
  const COLORREF On = ColorToRGB(PenColor);
  const COLORREF Off = ColorToRGB(BrushColor);
  for (Integer I = 0; I < FPatternLength; ++I) {
    const COLORREF C = (FPattern & (1 << (7 - I % 8))) ? On : Off;
    SetPixel(FHorzDC, I, 0, C);
    SetPixel(FVertDC, 0, I, C);
  }
  FLastBrushColor = BrushColor;
  FLastPenColor = PenColor;
  FPatternsDirty = false;
}

void ZEZCanvas::FreeDotPatterns() {
  if (!FPatternsCreated) {
    return;
  }
  SelectObject(FHorzDC, FOldHorz);
  SelectObject(FVertDC, FOldVert);
  DeleteObject(FHorzBitmap);
  DeleteObject(FVertBitmap);
  DeleteDC(FHorzDC);
  DeleteDC(FVertDC);
  FPatternsCreated = false;
}

void ZEZCanvas::DrawHorzDotLine(Integer X1, Integer Y, Integer X2) {
  HDC DC = Handle();
  const Byte Saved = FPattern;
  const bool RightToLeft = X1 >= X2;
  if (RightToLeft) {
    SetPattern(MirrorPattern(Saved));
  }
  CheckDotPatterns();
  if (!RightToLeft) {
    for (Integer X = X1; X < X2; X += FPatternLength) {
      const Integer N = std::min(FPatternLength, X2 - X);
      BitBlt(DC, X, Y, N, 1, FHorzDC, 0, 0, static_cast<DWORD>(CopyMode));
      ++FBlitCount;
    }
  } else {
    // Right to left: pixels X1 down to X2 + 1; each piece ends at the pixel before the previous piece.
    for (Integer End = X1 + 1; End > X2 + 1; End -= FPatternLength) {
      const Integer N = std::min(FPatternLength, End - (X2 + 1));
      BitBlt(DC, End - N, Y, N, 1, FHorzDC, FPatternLength - N, 0, static_cast<DWORD>(CopyMode));
      ++FBlitCount;
    }
  }
  SetPattern(Saved);
}

void ZEZCanvas::DrawVertDotLine(Integer X, Integer Y1, Integer Y2) {
  HDC DC = Handle();
  const Byte Saved = FPattern;
  const bool BottomToTop = Y1 >= Y2;
  if (BottomToTop) {
    SetPattern(MirrorPattern(Saved));
  }
  CheckDotPatterns();
  if (!BottomToTop) {
    for (Integer Y = Y1; Y < Y2; Y += FPatternLength) {
      const Integer N = std::min(FPatternLength, Y2 - Y);
      BitBlt(DC, X, Y, 1, N, FVertDC, 0, 0, static_cast<DWORD>(CopyMode));
      ++FBlitCount;
    }
  } else {
    for (Integer End = Y1 + 1; End > Y2 + 1; End -= FPatternLength) {
      const Integer N = std::min(FPatternLength, End - (Y2 + 1));
      BitBlt(DC, X, End - N, 1, N, FVertDC, 0, FPatternLength - N, static_cast<DWORD>(CopyMode));
      ++FBlitCount;
    }
  }
  SetPattern(Saved);
}

void ZEZCanvas::DrawFocusRect(const TRect& R) {
  if (R.Right <= R.Left || R.Bottom <= R.Top) {
    return;
  }
  SetPattern(0xAA);
  const Integer L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  const bool EvenWidth = (Rt - L) % 2 == 0;
  DrawHorzDotLine(L, T, EvenWidth ? Rt : Rt - 1);
  const Integer Y1 = EvenWidth ? T + 1 : T;
  const bool UsedB = (B - 1 - Y1) % 2 != 0;
  DrawVertDotLine(Rt - 1, Y1, UsedB ? B : B - 1);
  const Integer X1 = UsedB ? Rt - 2 : Rt - 1;
  const bool UsedL1 = (L - X1) % 2 != 0;
  DrawHorzDotLine(X1, B - 1, UsedL1 ? L - 1 : L);
  DrawVertDotLine(L, UsedL1 ? B - 2 : B - 1, T);
}

void ZEZCanvas::DrawText(const std::string& Text, TRect& R, TDrawTextFlags DrawFlags) {
  if (DrawFlags.Contains(dtfEndEllipsis) && DrawFlags.Contains(dtfPathEllipsis)) {
    InvalidOperation("Invalid flags");
  }
  HDC DC = Handle();
  UINT Format = 0;
  if (DrawFlags.Contains(dtfEndEllipsis)) Format |= DT_END_ELLIPSIS;
  if (DrawFlags.Contains(dtfPathEllipsis)) Format |= DT_PATH_ELLIPSIS;
  if (DrawFlags.Contains(dtfWordBreak)) Format |= DT_WORDBREAK;
  if (DrawFlags.Contains(dtfSingleLine)) Format |= DT_SINGLELINE;
  if (!DrawFlags.Contains(dftPrefix)) Format |= DT_NOPREFIX;
  TRect M = R;
  ::DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &M, Format | DT_CALCRECT);
  M.Right = M.Left + std::min<Integer>(M.Width(), R.Width());
  switch (HorzAlign) {
    case haLeft: AlignRectLeft(M, R); break;
    case haCenter: CenterRectHorz(M, R); break;
    case haRight: AlignRectRight(M, R); break;
  }
  switch (VertAlign) {
    case vaTop: AlignRectTop(M, R); break;
    case vaCenter: CenterRectVert(M, R); break;
    case vaBottom: AlignRectBottom(M, R); break;
  }
  if (DrawFlags.Contains(dtfCalcRect)) {
    R = M;
    return;
  }
  if (Text.empty()) {
    M.Right = M.Left;
    M.Bottom = M.Top;
  }
  TRect Placed = M;
  ::DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &Placed, Format);
  if (!Flags.Contains(cfNoTextFill)) {
    FillRectExclude(R, M);
  }
}

void ZEZCanvas::FillRectExclude(const TRect& R, const TRect& Exclude) {
  if (R.Right <= R.Left || R.Bottom <= R.Top) {
    return;
  }
  if (Exclude.Right <= Exclude.Left || Exclude.Bottom <= Exclude.Top) {
    FillRect(R);
    return;
  }
  auto Fill = [this](TRect B) {
    if (B.Right > B.Left && B.Bottom > B.Top) {
      FillRect(B);
    }
  };
  Fill(Rect(R.Left, R.Top, Exclude.Left, R.Bottom));
  Fill(Rect(Exclude.Right, R.Top, R.Right, R.Bottom));
  Fill(Rect(Exclude.Left, R.Top, Exclude.Right, Exclude.Top));
  Fill(Rect(Exclude.Left, Exclude.Bottom, Exclude.Right, R.Bottom));
}
