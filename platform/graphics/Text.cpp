// Text on device contexts: font mapping, metrics, extents and TextOut/ExtTextOut.
#include "platform/graphics/GdiInternals.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cstring>

std::string MappedFontFamily(const std::string& FaceName) {
  std::string F = FaceName;
  if (!F.empty() && F[0] == '@') {
    F.erase(0, 1);
  }
  static const char* const Mono[] = {"Courier New", "Courier", "Fixedsys", "Lucida Console", "Consolas",
                                     "Terminal", "Liberation Mono", "Monospace", "DejaVu Sans Mono"};
  static const char* const Serif[] = {"Times New Roman", "Times", "MS Serif", "Georgia", "Liberation Serif",
                                      "Serif"};
  static const char* const Sans[] = {"Arial", "MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg",
                                     "MS Shell Dlg 2", "Tahoma", "Verdana", "Segoe UI", "Helvetica", "System",
                                     "Small Fonts", "Liberation Sans", "Sans Serif", "Trebuchet MS"};
  for (const char* N : Mono) {
    if (SameText(F, N)) {
      return "Liberation Mono";
    }
  }
  for (const char* N : Serif) {
    if (SameText(F, N)) {
      return "Liberation Serif";
    }
  }
  for (const char* N : Sans) {
    if (SameText(F, N)) {
      return "Liberation Sans";
    }
  }
  // Anything else (symbol fonts, names of fonts not installed) is drawn with a metric-stable face as well.
  return F.empty() ? "Liberation Sans" : "DejaVu Sans";
}

namespace {

const TFontInfo* InfoOf(HDC DC) {
  auto D = Gdi::DC(DC);
  if (!D) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return &Gdi::FontInfo(D->S.Font);
}

}  // namespace

BOOL GetTextMetrics(HDC DC, TEXTMETRIC* Tm) {
  const TFontInfo* I = InfoOf(DC);
  if (!I || !Tm) {
    return FALSE;
  }
  *Tm = I->Tm;
  return TRUE;
}

UINT GetOutlineTextMetrics(HDC DC, UINT Size, OUTLINETEXTMETRIC* Otm) {
  const TFontInfo* I = InfoOf(DC);
  if (!I) {
    return 0;
  }
  if (!Otm) {
    return sizeof(OUTLINETEXTMETRIC);
  }
  if (Size < sizeof(OUTLINETEXTMETRIC)) {
    return 0;
  }
  OUTLINETEXTMETRIC O;
  O.otmSize = sizeof(OUTLINETEXTMETRIC);
  O.otmTextMetrics = I->Tm;
  O.otmEMSquare = 2048;
  O.otmAscent = I->Tm.tmAscent;
  O.otmDescent = -I->Tm.tmDescent;
  O.otmsCapEmHeight = static_cast<UINT>(I->CapHeight);
  O.otmsXHeight = static_cast<UINT>(I->XHeight);
  O.otmsUnderscoreSize = I->UnderlineSize;
  O.otmsUnderscorePosition = -I->UnderlinePos;
  O.otmsStrikeoutSize = static_cast<UINT>(I->UnderlineSize);
  O.otmsStrikeoutPosition = I->StrikeoutPos;
  *Otm = O;
  return sizeof(OUTLINETEXTMETRIC);
}

BOOL GetTextExtentPoint32(HDC DC, LPCSTR Text, int Count, TSize* Size) {
  const TFontInfo* I = InfoOf(DC);
  if (!I || !Size || (Count > 0 && !Text)) {
    return FALSE;
  }
  int W = 0;
  for (int K = 0; K < Count; ++K) {
    W += I->Widths[static_cast<unsigned char>(Text[K])];
  }
  Size->cx = W;
  Size->cy = I->Tm.tmHeight;
  return TRUE;
}

BOOL GetTextExtentExPoint(HDC DC, LPCSTR Text, int Count, int MaxExtent, int* Fit, int* Dx, TSize* Size) {
  const TFontInfo* I = InfoOf(DC);
  if (!I || !Size || (Count > 0 && !Text) || Count < 0) {
    return FALSE;
  }
  int W = 0;
  int Fits = 0;
  bool Stopped = false;
  for (int K = 0; K < Count; ++K) {
    W += I->Widths[static_cast<unsigned char>(Text[K])];
    if (Dx) {
      Dx[K] = W;
    }
    if (!Stopped && W <= MaxExtent) {
      Fits = K + 1;
    } else {
      Stopped = true;
    }
  }
  if (Fit) {
    *Fit = Fits;
  }
  Size->cx = W;
  Size->cy = I->Tm.tmHeight;
  return TRUE;
}

BOOL GetCharWidth32(HDC DC, UINT First, UINT Last, int* Widths) {
  const TFontInfo* I = InfoOf(DC);
  if (!I || !Widths || First > Last || Last > 255) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  for (UINT C = First; C <= Last; ++C) {
    Widths[C - First] = I->Widths[C];
  }
  return TRUE;
}

int GetTextFace(HDC DC, int Count, LPSTR Name) {
  auto D = Gdi::DC(DC);
  if (!D) {
    return 0;
  }
  auto O = Gdi::Object(D->S.Font, OBJ_FONT);
  std::string Face = O ? O->Font.lfFaceName : "System";
  if (!Name) {
    return static_cast<int>(Face.size()) + 1;
  }
  if (Count <= 0) {
    return 0;
  }
  std::size_t N = std::min<std::size_t>(Face.size(), static_cast<std::size_t>(Count - 1));
  std::memcpy(Name, Face.data(), N);
  Name[N] = '\0';
  return static_cast<int>(N);
}

BOOL TextOut(HDC DC, int X, int Y, LPCSTR Text, int Count) {
  return ExtTextOut(DC, X, Y, 0, nullptr, Text, static_cast<UINT>(std::max(0, Count)), nullptr);
}

BOOL ExtTextOut(HDC DC, int X, int Y, UINT Options, const TRect* Rc, LPCSTR Text, UINT Count, const int* Dx) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D || (Count > 0 && !Text)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const TFontInfo& I = Gdi::FontInfo(D->S.Font);
  // Where each character starts, relative to the reference point.
  std::vector<int> Offsets(Count);
  int Width = 0;
  for (UINT K = 0; K < Count; ++K) {
    Offsets[K] = Width;
    Width += Dx ? Dx[K] : I.Widths[static_cast<unsigned char>(Text[K])];
  }
  bool UpdateCP = D->S.TextAlign & TA_UPDATECP;
  if (UpdateCP) {
    X = D->S.CurPos.X;
    Y = D->S.CurPos.Y;
  }
  UINT HAlign = D->S.TextAlign & TA_CENTER;
  int Left = HAlign == TA_RIGHT ? X - Width : HAlign == TA_CENTER ? X - Width / 2 : X;
  UINT VAlign = D->S.TextAlign & TA_BASELINE;
  int Top = VAlign == TA_BASELINE ? Y - I.Tm.tmAscent : VAlign == TA_BOTTOM ? Y - I.Tm.tmHeight : Y;
  if (UpdateCP) {
    D->S.CurPos.X = HAlign == TA_RIGHT ? X - Width : HAlign == TA_CENTER ? X : X + Width;
  }
  if (D->Record) {
    TPoint At = Gdi::ToDevice(*D, X, Y);
    std::optional<TRect> DevRc;
    if (Rc) {
      TPoint A = Gdi::ToDevice(*D, Rc->Left, Rc->Top), B = Gdi::ToDevice(*D, Rc->Right, Rc->Bottom);
      DevRc = Rect(A.X, A.Y, B.X, B.Y);
    }
    std::string Str(Text, Count);
    std::vector<int> Adv(Count);
    for (UINT K = 0; K < Count; ++K) {
      Adv[K] = Dx ? Dx[K] : I.Widths[static_cast<unsigned char>(Text[K])];
    }
    TPoint Cell = Gdi::ToDevice(*D, Left, Top);
    TRect Bounds = Rect(Cell.X, Cell.Y, Cell.X + Width, Cell.Y + I.Tm.tmHeight);
    Gdi::Record(*D, DevRc ? *DevRc : Bounds, [At, DevRc, Str, Adv, Options](HDC Target, const TPlayScale& Sc) {
      // Advances are scaled as running sums, so that the characters land where the scaled picture puts them.
      std::vector<int> Scaled(Adv.size());
      int Sum = 0, Prev = 0;
      for (std::size_t K = 0; K < Adv.size(); ++K) {
        Sum += Adv[K];
        int Now = static_cast<int>(Sum * Sc.Sx + 0.5);
        Scaled[K] = Now - Prev;
        Prev = Now;
      }
      TRect R = DevRc ? Sc.R(*DevRc) : TRect{};
      ExtTextOut(Target, Sc.X(At.X), Sc.Y(At.Y), Options, DevRc ? &R : nullptr, Str.data(),
                 static_cast<UINT>(Str.size()), Scaled.data());
    });
    return TRUE;
  }
  PPixels P = Gdi::Surface(*D);
  if (!P) {
    return TRUE;
  }
  TRegionData Clip = Gdi::EffectiveClip(*D);
  if (Rc && (Options & (ETO_OPAQUE | ETO_CLIPPED))) {
    TPoint A = Gdi::ToSurface(*D, Rc->Left, Rc->Top);
    TPoint B = Gdi::ToSurface(*D, Rc->Right, Rc->Bottom);
    TRegionData RcRgn(Rect(A.X, A.Y, B.X, B.Y));
    if (Options & ETO_OPAQUE) {
      TRegionData Fill = TRegionData::Combine(Clip, RcRgn, RGN_AND);
      std::uint32_t Bk = Gdi::ToPixel(D->S.BkColor);
      for (const TRect& R : Fill.Rects()) {
        for (int Yy = R.Top; Yy < R.Bottom; ++Yy) {
          std::fill(P->Row(Yy) + R.Left, P->Row(Yy) + R.Right, Bk);
        }
        Gdi::Touch(*D, R);
      }
    }
    if (Options & ETO_CLIPPED) {
      Clip = TRegionData::Combine(Clip, RcRgn, RGN_AND);
    }
  }
  if (Count == 0 || Clip.Empty()) {
    return TRUE;
  }
  TPoint S = Gdi::ToSurface(*D, Left, Top);
  auto O = Gdi::Object(D->S.Font, OBJ_FONT);
  bool Rotated = O && O->Font.lfEscapement != 0;
  TRect Cell = Rect(S.X, S.Y, S.X + Width, S.Y + I.Tm.tmHeight);
  bool Covered = Rc && (Options & ETO_OPAQUE) && Rc->Left <= Left && Rc->Top <= Top && Rc->Right >= Left + Width &&
                 Rc->Bottom >= Top + I.Tm.tmHeight;
  if (D->S.BkMode == OPAQUE && !Rotated && !Covered) {
    TRegionData Fill = TRegionData::Combine(Clip, TRegionData(Cell), RGN_AND);
    std::uint32_t Bk = Gdi::ToPixel(D->S.BkColor);
    for (const TRect& R : Fill.Rects()) {
      for (int Yy = R.Top; Yy < R.Bottom; ++Yy) {
        std::fill(P->Row(Yy) + R.Left, P->Row(Yy) + R.Right, Bk);
      }
    }
  }
  // The glyph run is drawn from the baseline; rotated runs turn about the reference point.
  TPoint Base = Rotated ? Gdi::ToSurface(*D, X, Y) : Point(S.X, S.Y + I.Tm.tmAscent);
  Gdi::DrawGlyphs(*D, *P, Clip, D->S.Font, Base.X, Base.Y, std::string(Text, Count), Offsets, D->S.TextColor);
  if (Rotated) {
    Gdi::Touch(*D, Clip.Box());
  } else {
    Gdi::Touch(*D, Rect(Cell.Left - I.Tm.tmMaxCharWidth, Cell.Top, Cell.Right + I.Tm.tmMaxCharWidth, Cell.Bottom));
  }
  return TRUE;
}
