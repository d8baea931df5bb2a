// Text on device contexts: font mapping, metrics, extents and TextOut/ExtTextOut.
#include "platform/graphics/GdiInternals.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cmath>
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
  const int Escapement = O ? ((O->Font.lfEscapement % 3600) + 3600) % 3600 : 0;
  bool Rotated = Escapement != 0;
  const bool Underline = O && O->Font.lfUnderline, StrikeOut = O && O->Font.lfStrikeOut;
  // Runs turned by a quarter, half or three quarters keep their cell, background and lines upright rectangles.
  const bool Square = Escapement % 900 == 0;
  // The run's direction and the direction from its baseline down to its descent, on the surface.
  int DirX = 1, DirY = 0, DownX = 0, DownY = 1;
  switch (Escapement) {
    case 900: DirX = 0; DirY = -1; DownX = 1; DownY = 0; break;
    case 1800: DirX = -1; DirY = 0; DownX = 0; DownY = -1; break;
    case 2700: DirX = 0; DirY = 1; DownX = -1; DownY = 0; break;
    default: break;
  }
  // The rectangle covering the run from Along0 to Along1 (along its direction) and Down0 to Down1 (below its
  // baseline), from the baseline's start Base; for square runs only.
  auto RunRect = [&](TPoint Base, int Along0, int Along1, int Down0, int Down1) {
    const int X0 = Base.X + DirX * Along0 + DownX * Down0, Y0 = Base.Y + DirY * Along0 + DownY * Down0;
    const int X1 = Base.X + DirX * Along1 + DownX * Down1, Y1 = Base.Y + DirY * Along1 + DownY * Down1;
    return Rect(std::min(X0, X1), std::min(Y0, Y1), std::max(X0, X1), std::max(Y0, Y1));
  };
  auto FillSurface = [&](const TRect& R, COLORREF Color) {
    TRegionData Fill = TRegionData::Combine(Clip, TRegionData(R), RGN_AND);
    const std::uint32_t Px = Gdi::ToPixel(Color);
    for (const TRect& F : Fill.Rects()) {
      for (int Yy = F.Top; Yy < F.Bottom; ++Yy) {
        std::fill(P->Row(Yy) + F.Left, P->Row(Yy) + F.Right, Px);
      }
    }
  };
  TRect Cell = Rect(S.X, S.Y, S.X + Width, S.Y + I.Tm.tmHeight);
  bool Covered = Rc && (Options & ETO_OPAQUE) && Rc->Left <= Left && Rc->Top <= Top && Rc->Right >= Left + Width &&
                 Rc->Bottom >= Top + I.Tm.tmHeight;
  // The glyph run is drawn from the baseline's start. A turned run is placed as an upright one is, in its own
  // direction: the alignment's left, centre or right along the run, and its top, baseline or bottom across it.
  TPoint Base = Point(S.X, S.Y + I.Tm.tmAscent);
  if (Rotated) {
    TPoint Ref = Gdi::ToSurface(*D, X, Y);
    const int Along = HAlign == TA_RIGHT ? -Width : HAlign == TA_CENTER ? -Width / 2 : 0;
    const int Down = VAlign == TA_BASELINE ? 0 : VAlign == TA_BOTTOM ? -I.Tm.tmDescent : I.Tm.tmAscent;
    if (Square) {
      Base = Point(Ref.X + DirX * Along + DownX * Down, Ref.Y + DirY * Along + DownY * Down);
    } else {
      const double A = Escapement * 3.14159265358979323846 / 1800.0;
      const double Dx = std::cos(A), Dy = -std::sin(A), Nx = std::sin(A), Ny = std::cos(A);
      Base = Point(Ref.X + static_cast<int>(std::lround(Dx * Along + Nx * Down)),
                   Ref.Y + static_cast<int>(std::lround(Dy * Along + Ny * Down)));
    }
    Covered = false;
  }
  if (Rotated && Square) {
    Cell = RunRect(Base, 0, Width, -I.Tm.tmAscent, I.Tm.tmDescent);
  }
  if (D->S.BkMode == OPAQUE && (!Rotated || Square) && !Covered) {
    FillSurface(Cell, D->S.BkColor);
  }
  Gdi::DrawGlyphs(*D, *P, Clip, D->S.Font, Base.X, Base.Y, std::string(Text, Count), Offsets, D->S.TextColor);
  // Underline and strike-out lines run the whole width of the text.
  if ((Underline || StrikeOut) && Width > 0 && (!Rotated || Square)) {
    if (Underline) {
      FillSurface(RunRect(Base, 0, Width, I.UnderlinePos, I.UnderlinePos + I.UnderlineSize), D->S.TextColor);
    }
    if (StrikeOut) {
      FillSurface(RunRect(Base, 0, Width, -I.StrikeoutPos, -I.StrikeoutPos + I.UnderlineSize), D->S.TextColor);
    }
  }
  if (Rotated) {
    Gdi::Touch(*D, Clip.Box());
  } else {
    Gdi::Touch(*D, Rect(Cell.Left - I.Tm.tmMaxCharWidth, Cell.Top, Cell.Right + I.Tm.tmMaxCharWidth, Cell.Bottom));
  }
  return TRUE;
}
