// Drawing on device contexts: rectangles, raster operations and blits, gradients, lines and shapes, pixels.
#include "platform/graphics/GdiInternals.h"
#include "platform/win/Modules.h"

#include <algorithm>
#include <cstdlib>

namespace {

// One drawing call's view of its DC: the surface and what may be touched on it.
struct TDraw {
  PDCRec D;
  PPixels P;
  TRegionData Clip;
  bool Ok() const { return D && P && !Clip.Empty(); }
};

TDraw Open(HDC DC) {
  TDraw T;
  T.D = Gdi::DC(DC);
  if (!T.D) {
    SetLastError(ERROR_INVALID_HANDLE);
    return T;
  }
  T.P = Gdi::Surface(*T.D);
  if (T.P) {
    T.Clip = Gdi::EffectiveClip(*T.D);
  }
  return T;
}

// Logical coordinates to the recording DC's device coordinates.
TRect DeviceRect(const TDCRec& D, int L, int T, int R, int B) {
  TPoint A = Gdi::ToDevice(D, L, T);
  TPoint Z = Gdi::ToDevice(D, R, B);
  return Rect(A.X, A.Y, Z.X, Z.Y);
}

std::vector<TPoint> DevicePoints(const TDCRec& D, const TPoint* Pts, int Count) {
  std::vector<TPoint> V;
  for (int I = 0; I < Count; ++I) {
    V.push_back(Gdi::ToDevice(D, Pts[I].X, Pts[I].Y));
  }
  return V;
}

TRect BoundsOf(const std::vector<TPoint>& V) {
  TRect B = Rect(V[0].X, V[0].Y, V[0].X, V[0].Y);
  for (const TPoint& P : V) {
    B = Rect(std::min(B.Left, P.X), std::min(B.Top, P.Y), std::max(B.Right, P.X + 1), std::max(B.Bottom, P.Y + 1));
  }
  return B;
}

std::uint32_t ToMono(std::uint32_t Px) {
  int Sum = static_cast<int>(((Px >> 16) & 0xFF) + ((Px >> 8) & 0xFF) + (Px & 0xFF));
  return Sum >= 384 ? 0xFFFFFFFF : 0xFF000000;
}

std::uint32_t Rop2(std::uint32_t Pen, std::uint32_t Dst, int Mode) {
  unsigned Table = static_cast<unsigned>(Mode - 1);
  std::uint32_t R = 0;
  for (unsigned I = 0; I < 4; ++I) {
    if (Table & (1u << I)) {
      R |= ((I & 2) ? Pen : ~Pen) & ((I & 1) ? Dst : ~Dst);
    }
  }
  return R | 0xFF000000;
}

// Calls Fn(X, Y, Pixel&) for every pixel of R (surface coordinates) inside the clip.
template <class F>
void ForRect(TDraw& T, const TRect& R, F&& Fn) {
  for (const TRect& C : T.Clip.Rects()) {
    TRect I = Rect(std::max(C.Left, R.Left), std::max(C.Top, R.Top), std::min(C.Right, R.Right),
                   std::min(C.Bottom, R.Bottom));
    if (I.Right <= I.Left || I.Bottom <= I.Top) {
      continue;
    }
    Gdi::Touch(*T.D, I);
    bool Mono = T.P->Mono;
    for (int Y = I.Top; Y < I.Bottom; ++Y) {
      std::uint32_t* Row = T.P->Row(Y);
      for (int X = I.Left; X < I.Right; ++X) {
        Fn(X, Y, Row[X]);
      }
      if (Mono) {
        for (int X = I.Left; X < I.Right; ++X) {
          Row[X] = ToMono(Row[X]);
        }
      }
    }
  }
}

void Plot(TDraw& T, int X, int Y, std::uint32_t Pen, int Mode) {
  if (!T.Clip.Contains(X, Y)) {
    return;
  }
  std::uint32_t& Px = T.P->Row(Y)[X];
  Px = Rop2(Pen, Px, Mode);
  if (T.P->Mono) {
    Px = ToMono(Px);
  }
  Gdi::Touch(*T.D, Rect(X, Y, X + 1, Y + 1));
}

TRect SurfaceRect(const TDCRec& D, int L, int T, int R, int B) {
  TPoint A = Gdi::ToSurface(D, L, T);
  TPoint Z = Gdi::ToSurface(D, R, B);
  return Rect(std::min(A.X, Z.X), std::min(A.Y, Z.Y), std::max(A.X, Z.X), std::max(A.Y, Z.Y));
}

// Fills R (surface coordinates) with a brush through a raster operation of pattern and destination.
bool PaintRect(TDraw& T, const TRect& R, HBRUSH Brush, BYTE Rop) {
  bool Null = false;
  COLORREF Solid = Gdi::BrushColor(*T.D, Brush, Null);
  auto B = Gdi::Object(Brush, OBJ_BRUSH);
  bool Pattern = B && B->Pattern;
  if (Null && Rop != 0x55 && Rop != 0x00 && Rop != 0xFF) {
    return true;
  }
  std::uint32_t SolidPx = Gdi::ToPixel(Solid);
  if (Rop == 0xF0 && !Pattern) {
    std::uint32_t Fill = T.P->Mono ? ToMono(SolidPx) : SolidPx;
    for (const TRect& C : T.Clip.Rects()) {
      TRect I = Rect(std::max(C.Left, R.Left), std::max(C.Top, R.Top), std::min(C.Right, R.Right),
                     std::min(C.Bottom, R.Bottom));
      if (I.Right <= I.Left || I.Bottom <= I.Top) {
        continue;
      }
      Gdi::Touch(*T.D, I);
      for (int Y = I.Top; Y < I.Bottom; ++Y) {
        std::fill(T.P->Row(Y) + I.Left, T.P->Row(Y) + I.Right, Fill);
      }
    }
  } else {
    ForRect(T, R, [&](int X, int Y, std::uint32_t& Px) {
      std::uint32_t Pat = Pattern ? Gdi::BrushPixel(*T.D, *B, X, Y) : SolidPx;
      Px = Gdi::Rop3(0, Px, Pat, Rop);
    });
  }
  return true;
}

struct TPenInfo {
  bool Null = true;
  std::uint32_t Color = 0xFF000000;
  int Width = 1;
  UINT Style = PS_SOLID;
};

TPenInfo PenOf(const TDCRec& D) {
  TPenInfo I;
  auto P = Gdi::Object(D.S.Pen, OBJ_PEN);
  if (!P || (P->Pen.lopnStyle & PS_STYLE_MASK) == PS_NULL) {
    return I;
  }
  I.Null = false;
  I.Style = P->Pen.lopnStyle & PS_STYLE_MASK;
  I.Width = std::max<int>(1, P->Pen.lopnWidth.X);
  I.Color = Gdi::ToPixel(D.S.Pen == GetStockObject(DC_PEN) ? D.S.DCPenColor : P->Pen.lopnColor);
  return I;
}

// Whether the n-th pixel of a cosmetic styled line is drawn.
bool StyleOn(UINT Style, int N) {
  switch (Style) {
    case PS_DASH: return N % 24 < 18;
    case PS_DOT: return N % 6 < 3;
    case PS_DASHDOT: { int M = N % 24; return M < 9 || (M >= 15 && M < 18); }
    case PS_DASHDOTDOT: { int M = N % 24; return M < 9 || (M >= 12 && M < 15) || (M >= 18 && M < 21); }
    case PS_ALTERNATE: return N % 2 == 0;
    default: return true;
  }
}

// Draws a line from A to B (surface coordinates) leaving out B, as the platform's lines do.
void DrawLine(TDraw& T, TPoint A, TPoint B, const TPenInfo& Pen, int& StyleCounter) {
  int Dx = std::abs(B.X - A.X), Sx = A.X < B.X ? 1 : -1;
  int Dy = -std::abs(B.Y - A.Y), Sy = A.Y < B.Y ? 1 : -1;
  int Err = Dx + Dy;
  int X = A.X, Y = A.Y;
  int Half = (Pen.Width - 1) / 2;
  bool Wide = Pen.Width > 1;
  while (!(X == B.X && Y == B.Y)) {
    if (Wide) {
      for (int Yy = Y - Half; Yy < Y - Half + Pen.Width; ++Yy) {
        for (int Xx = X - Half; Xx < X - Half + Pen.Width; ++Xx) {
          if (T.Clip.Contains(Xx, Yy)) {
            T.P->Row(Yy)[Xx] = T.P->Mono ? ToMono(Pen.Color) : Rop2(Pen.Color, T.P->Row(Yy)[Xx], T.D->S.Rop2);
          }
        }
      }
      Gdi::Touch(*T.D, Rect(X - Half, Y - Half, X - Half + Pen.Width, Y - Half + Pen.Width));
    } else if (StyleOn(Pen.Style, StyleCounter)) {
      Plot(T, X, Y, Pen.Color, T.D->S.Rop2);
    }
    ++StyleCounter;
    int E2 = 2 * Err;
    if (E2 >= Dy) {
      Err += Dy;
      X += Sx;
    }
    if (E2 <= Dx) {
      Err += Dx;
      Y += Sy;
    }
  }
}

void FillMask(TDraw& T, const TMask& M, HBRUSH Brush) {
  bool Null = false;
  COLORREF C = Gdi::BrushColor(*T.D, Brush, Null);
  if (Null) {
    return;
  }
  auto B = Gdi::Object(Brush, OBJ_BRUSH);
  bool Pattern = B && B->Pattern;
  std::uint32_t Solid = Gdi::ToPixel(C);
  int Mode = T.D->S.Rop2;
  ForRect(T, M.Box, [&](int X, int Y, std::uint32_t& Px) {
    if (M.At(X, Y)) {
      Px = Rop2(Pattern ? Gdi::BrushPixel(*T.D, *B, X, Y) : Solid, Px, Mode);
    }
  });
}

void PenMask(TDraw& T, const TMask& Outer, const TMask& Inner, const TPenInfo& Pen) {
  int Mode = T.D->S.Rop2;
  ForRect(T, Outer.Box, [&](int X, int Y, std::uint32_t& Px) {
    if (Outer.At(X, Y) && !Inner.At(X, Y)) {
      Px = Rop2(Pen.Color, Px, Mode);
    }
  });
}

TRect Shrink(const TRect& R, int N) { return Rect(R.Left + N, R.Top + N, R.Right - N, R.Bottom - N); }

// A pixel of the blit source as it arrives at the destination: monochrome sources take the destination DC's text
// (0) and background (1) colours; colour sources going to a monochrome destination become 1 where they match
// the source DC's background colour.
std::uint32_t SourcePixel(const TDCRec& SrcDC, const TPixels& Src, const TDCRec& DstDC, const TPixels& Dst, int X,
                          int Y) {
  if (X < 0 || Y < 0 || X >= Src.Width || Y >= Src.Height) {
    return 0xFF000000;
  }
  std::uint32_t Px = Src.Row(Y)[X];
  if (Src.Mono && !Dst.Mono) {
    return (Px & 0xFFFFFF) ? Gdi::ToPixel(DstDC.S.BkColor) : Gdi::ToPixel(DstDC.S.TextColor);
  }
  if (!Src.Mono && Dst.Mono) {
    return (Px & 0xFFFFFF) == (Gdi::ToPixel(SrcDC.S.BkColor) & 0xFFFFFF) ? 0xFFFFFFFF : 0xFF000000;
  }
  return Px;
}

bool RopUsesSource(BYTE R) { return ((R >> 2) & 0x33) != (R & 0x33); }
bool RopUsesPattern(BYTE R) { return ((R >> 4) & 0x0F) != (R & 0x0F); }

BOOL Blit(HDC Dest, int X, int Y, int W, int H, HDC Src, int SrcX, int SrcY, int SrcW, int SrcH, DWORD Rop,
          HBITMAP Mask, int MaskX, int MaskY) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(Dest);
  if (!T.D) {
    return FALSE;
  }
  BYTE Fore = static_cast<BYTE>((Rop >> 16) & 0xFF);
  BYTE Back = Mask ? static_cast<BYTE>((Rop >> 24) & 0xFF) : Fore;
  bool NeedSrc = RopUsesSource(Fore) || RopUsesSource(Back);
  PDCRec S;
  PPixels SP;
  if (NeedSrc) {
    S = Gdi::DC(Src);
    if (!S) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    SP = Gdi::Surface(*S);
  }
  if (T.D->Record && !Mask) {
    TRect DR = DeviceRect(*T.D, X, Y, X + W, Y + H);
    PPixels Copy = NeedSrc ? Gdi::CopyPixels(*S, SrcX, SrcY, SrcW, SrcH) : nullptr;
    bool FlipX = (W < 0) != (SrcW < 0), FlipY = (H < 0) != (SrcH < 0);
    Gdi::Record(*T.D, DR, [DR, Copy, Rop, FlipX, FlipY](HDC Target, const TPlayScale& Sc) {
      TRect R = Sc.R(DR);
      if (!Copy) {
        PatBlt(Target, R.Left, R.Top, R.Width(), R.Height(), Rop);
        return;
      }
      HDC Mem = CreateCompatibleDC(0);
      HBITMAP B = CreateBitmap(Copy->Width, Copy->Height, 1, 32, nullptr);
      *Gdi::Object(B, OBJ_BITMAP)->Bitmap = *Copy;
      HGDIOBJ Old = SelectObject(Mem, B);
      StretchBlt(Target, FlipX ? R.Right : R.Left, FlipY ? R.Bottom : R.Top, FlipX ? -R.Width() : R.Width(),
                 FlipY ? -R.Height() : R.Height(), Mem, 0, 0, Copy->Width, Copy->Height, Rop);
      SelectObject(Mem, Old);
      DeleteObject(B);
      DeleteDC(Mem);
    });
  }
  if (!T.Ok() || W == 0 || H == 0) {
    return TRUE;
  }
  PPixels MaskPx;
  if (Mask) {
    auto M = Gdi::Object(Mask, OBJ_BITMAP);
    if (!M) {
      return FALSE;
    }
    MaskPx = M->Bitmap;
  }
  // Copy the source first: source and destination may be the same surface.
  TRect DR = SurfaceRect(*T.D, X, Y, X + W, Y + H);
  bool FlipX = (W < 0) != (SrcW < 0);
  bool FlipY = (H < 0) != (SrcH < 0);
  int AbsSW = std::abs(SrcW), AbsSH = std::abs(SrcH);
  int DW = DR.Width(), DH = DR.Height();
  // The scaled source is copied whole before it is drawn; a destination beyond 64 M pixels (a damaged or hostile
  // picture's record, not a real drawing) is refused instead of asking for gigabytes.
  constexpr long long MaxCopyPixels = 1LL << 26;
  if (NeedSrc && SP && static_cast<long long>(DW) * static_cast<long long>(DH) > MaxCopyPixels) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  std::vector<std::uint32_t> Copy;
  if (NeedSrc && SP) {
    TPoint SO = Gdi::ToSurface(*S, std::min(SrcX, SrcX + SrcW), std::min(SrcY, SrcY + SrcH));
    Copy.resize(static_cast<std::size_t>(DW) * static_cast<std::size_t>(DH));
    for (int Yy = 0; Yy < DH; ++Yy) {
      int Sy = (FlipY ? DH - 1 - Yy : Yy) * AbsSH / std::max(1, DH);
      for (int Xx = 0; Xx < DW; ++Xx) {
        int Sx = (FlipX ? DW - 1 - Xx : Xx) * AbsSW / std::max(1, DW);
        Copy[static_cast<std::size_t>(Yy * DW + Xx)] = SourcePixel(*S, *SP, *T.D, *T.P, SO.X + Sx, SO.Y + Sy);
      }
    }
  }
  auto Brush = Gdi::Object(T.D->S.Brush, OBJ_BRUSH);
  bool NullBrush = false;
  std::uint32_t SolidPat = Gdi::ToPixel(Gdi::BrushColor(*T.D, T.D->S.Brush, NullBrush));
  bool Pattern = Brush && Brush->Pattern;
  bool NeedPat = RopUsesPattern(Fore) || RopUsesPattern(Back);
  ForRect(T, DR, [&](int Px, int Py, std::uint32_t& D) {
    std::uint32_t Sv = Copy.empty() ? 0 : Copy[static_cast<std::size_t>((Py - DR.Top) * DW + (Px - DR.Left))];
    std::uint32_t Pv = !NeedPat ? 0 : Pattern ? Gdi::BrushPixel(*T.D, *Brush, Px, Py) : SolidPat;
    BYTE Code = Fore;
    if (MaskPx) {
      int Mx = MaskX + (Px - DR.Left), My = MaskY + (Py - DR.Top);
      bool On = Mx >= 0 && My >= 0 && Mx < MaskPx->Width && My < MaskPx->Height && (MaskPx->Row(My)[Mx] & 0xFFFFFF);
      Code = On ? Fore : Back;
    }
    if (Code == 0xCC) {
      D = Sv | 0xFF000000;
    } else {
      D = Gdi::Rop3(Sv, D, Pv, Code);
    }
  });
  return TRUE;
}

}  // namespace

namespace Gdi {

std::uint32_t Rop3(std::uint32_t S, std::uint32_t D, std::uint32_t P, BYTE Code) {
  switch (Code) {
    case 0xCC: return S | 0xFF000000;
    case 0xF0: return P | 0xFF000000;
    case 0x66: return (S ^ D) | 0xFF000000;
    case 0x88: return (S & D) | 0xFF000000;
    case 0xEE: return (S | D) | 0xFF000000;
    case 0x5A: return (P ^ D) | 0xFF000000;
    case 0x55: return ~D | 0xFF000000;
    case 0x00: return 0xFF000000;
    case 0xFF: return 0xFFFFFFFF;
    default: break;
  }
  std::uint32_t R = 0;
  for (unsigned I = 0; I < 8; ++I) {
    if (Code & (1u << I)) {
      R |= ((I & 4) ? P : ~P) & ((I & 2) ? S : ~S) & ((I & 1) ? D : ~D);
    }
  }
  return R | 0xFF000000;
}

}  // namespace Gdi

int FillRect(HDC DC, const TRect* Rc, HBRUSH Brush) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (!T.D || !Rc) {
    return 0;
  }
  if (T.D->Record) {
    TRect DR = DeviceRect(*T.D, Rc->Left, Rc->Top, Rc->Right, Rc->Bottom);
    Gdi::TBrushCopy BC = Gdi::CopyBrush(*T.D, Brush);
    Gdi::Record(*T.D, DR, [DR, BC](HDC Target, const TPlayScale& Sc) {
      TRect R = Sc.R(DR);
      HBRUSH B = Gdi::MakeBrush(BC);
      FillRect(Target, &R, B);
      DeleteObject(B);
    });
  }
  if (T.Ok()) {
    PaintRect(T, SurfaceRect(*T.D, Rc->Left, Rc->Top, Rc->Right, Rc->Bottom), Brush, 0xF0);
  }
  return 1;
}

int FrameRect(HDC DC, const TRect* Rc, HBRUSH Brush) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (!T.D || !Rc) {
    return 0;
  }
  if (Rc->Right <= Rc->Left || Rc->Bottom <= Rc->Top) {
    return 1;
  }
  if (T.D->Record) {
    TRect DR = DeviceRect(*T.D, Rc->Left, Rc->Top, Rc->Right, Rc->Bottom);
    Gdi::TBrushCopy BC = Gdi::CopyBrush(*T.D, Brush);
    Gdi::Record(*T.D, DR, [DR, BC](HDC Target, const TPlayScale& Sc) {
      TRect R = Sc.R(DR);
      HBRUSH B = Gdi::MakeBrush(BC);
      FrameRect(Target, &R, B);
      DeleteObject(B);
    });
  }
  if (T.Ok()) {
    TRect R = SurfaceRect(*T.D, Rc->Left, Rc->Top, Rc->Right, Rc->Bottom);
    PaintRect(T, Rect(R.Left, R.Top, R.Right, R.Top + 1), Brush, 0xF0);
    PaintRect(T, Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), Brush, 0xF0);
    PaintRect(T, Rect(R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1), Brush, 0xF0);
    PaintRect(T, Rect(R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1), Brush, 0xF0);
  }
  return 1;
}

BOOL InvertRect(HDC DC, const TRect* Rc) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (!T.D || !Rc) {
    return FALSE;
  }
  if (T.D->Record) {
    TRect DR = DeviceRect(*T.D, Rc->Left, Rc->Top, Rc->Right, Rc->Bottom);
    Gdi::Record(*T.D, DR, [DR](HDC Target, const TPlayScale& Sc) {
      TRect R = Sc.R(DR);
      InvertRect(Target, &R);
    });
  }
  if (T.Ok()) {
    ForRect(T, SurfaceRect(*T.D, Rc->Left, Rc->Top, Rc->Right, Rc->Bottom),
            [](int, int, std::uint32_t& Px) { Px = ~Px | 0xFF000000; });
  }
  return TRUE;
}

BOOL PatBlt(HDC DC, int X, int Y, int Width, int Height, DWORD Rop) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (!T.D) {
    return FALSE;
  }
  BYTE Code = static_cast<BYTE>((Rop >> 16) & 0xFF);
  if (RopUsesSource(Code)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (T.D->Record) {
    TRect DR = DeviceRect(*T.D, X, Y, X + Width, Y + Height);
    Gdi::Record(*T.D, DR, [DR, Rop](HDC Target, const TPlayScale& Sc) {
      TRect R = Sc.R(DR);
      PatBlt(Target, R.Left, R.Top, R.Width(), R.Height(), Rop);
    });
  }
  if (T.Ok()) {
    PaintRect(T, SurfaceRect(*T.D, X, Y, X + Width, Y + Height), T.D->S.Brush, Code);
  }
  return TRUE;
}

BOOL BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, DWORD Rop) {
  return Blit(Dest, X, Y, Width, Height, Src, SrcX, SrcY, Width, Height, Rop, 0, 0, 0);
}

BOOL StretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int SrcWidth,
                int SrcHeight, DWORD Rop) {
  return Blit(Dest, X, Y, Width, Height, Src, SrcX, SrcY, SrcWidth, SrcHeight, Rop, 0, 0, 0);
}

BOOL MaskBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, HBITMAP Mask, int MaskX,
             int MaskY, DWORD Rop) {
  return Blit(Dest, X, Y, Width, Height, Src, SrcX, SrcY, Width, Height, Rop, Mask, MaskX, MaskY);
}

BOOL GradientFill(HDC DC, TRIVERTEX* Vertices, ULONG NumVertices, void* Mesh, ULONG NumMesh, ULONG Mode) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (!T.D || !Vertices || !Mesh || (Mode != GRADIENT_FILL_RECT_H && Mode != GRADIENT_FILL_RECT_V)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (T.D->Record) {
    std::vector<TRIVERTEX> Vs(Vertices, Vertices + NumVertices);
    const auto* Gr = static_cast<const GRADIENT_RECT*>(Mesh);
    std::vector<GRADIENT_RECT> Ms(Gr, Gr + NumMesh);
    for (TRIVERTEX& V : Vs) {
      TPoint P = Gdi::ToDevice(*T.D, V.x, V.y);
      V.x = P.X;
      V.y = P.Y;
    }
    std::vector<TPoint> Pts;
    for (const TRIVERTEX& V : Vs) {
      Pts.push_back(Point(V.x, V.y));
    }
    Gdi::Record(*T.D, BoundsOf(Pts), [Vs, Ms, Mode](HDC Target, const TPlayScale& Sc) {
      std::vector<TRIVERTEX> S = Vs;
      std::vector<GRADIENT_RECT> M = Ms;
      for (TRIVERTEX& V : S) {
        V.x = Sc.X(V.x);
        V.y = Sc.Y(V.y);
      }
      GradientFill(Target, S.data(), static_cast<ULONG>(S.size()), M.data(), static_cast<ULONG>(M.size()), Mode);
    });
  }
  if (!T.Ok()) {
    return TRUE;
  }
  const auto* Rects = static_cast<const GRADIENT_RECT*>(Mesh);
  for (ULONG I = 0; I < NumMesh; ++I) {
    if (Rects[I].UpperLeft >= NumVertices || Rects[I].LowerRight >= NumVertices) {
      return FALSE;
    }
    const TRIVERTEX& A = Vertices[Rects[I].UpperLeft];
    const TRIVERTEX& B = Vertices[Rects[I].LowerRight];
    TRect R = SurfaceRect(*T.D, A.x, A.y, B.x, B.y);
    bool Horz = Mode == GRADIENT_FILL_RECT_H;
    // Colours follow the vertex order along the axis, even if the rectangle was given backwards.
    int Span = std::max(1, Horz ? R.Width() : R.Height());
    bool Reverse = Horz ? A.x > B.x : A.y > B.y;
    const TRIVERTEX& From = Reverse ? B : A;
    const TRIVERTEX& To = Reverse ? A : B;
    ForRect(T, R, [&](int X, int Y, std::uint32_t& Px) {
      int Pos = Horz ? X - R.Left : Y - R.Top;
      auto Mix = [&](int C0, int C1) { return ((C0 + (C1 - C0) * Pos / Span) >> 8) & 0xFF; };
      Px = 0xFF000000u | (static_cast<std::uint32_t>(Mix(From.Red, To.Red)) << 16) |
           (static_cast<std::uint32_t>(Mix(From.Green, To.Green)) << 8) | static_cast<std::uint32_t>(Mix(From.Blue, To.Blue));
    });
  }
  return TRUE;
}

// ---- Lines -------------------------------------------------------------------------------------------------------

BOOL MoveToEx(HDC DC, int X, int Y, TPoint* Old) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D) {
    return FALSE;
  }
  if (Old) {
    *Old = D->S.CurPos;
  }
  D->S.CurPos = Point(X, Y);
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC DC, TPoint* Pos) {
  auto D = Gdi::DC(DC);
  if (!D || !Pos) {
    return FALSE;
  }
  *Pos = D->S.CurPos;
  return TRUE;
}

BOOL LineTo(HDC DC, int X, int Y) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (!T.D) {
    return FALSE;
  }
  TPenInfo Pen = PenOf(*T.D);
  if (T.D->Record) {
    TPoint A = Gdi::ToDevice(*T.D, T.D->S.CurPos.X, T.D->S.CurPos.Y), B = Gdi::ToDevice(*T.D, X, Y);
    Gdi::Record(*T.D, BoundsOf({A, B}), [A, B](HDC Target, const TPlayScale& Sc) {
      MoveToEx(Target, Sc.X(A.X), Sc.Y(A.Y), nullptr);
      LineTo(Target, Sc.X(B.X), Sc.Y(B.Y));
    });
  }
  if (T.Ok() && !Pen.Null) {
    int Counter = 0;
    DrawLine(T, Gdi::ToSurface(*T.D, T.D->S.CurPos.X, T.D->S.CurPos.Y), Gdi::ToSurface(*T.D, X, Y), Pen, Counter);
  }
  T.D->S.CurPos = Point(X, Y);
  return TRUE;
}

BOOL Polyline(HDC DC, const TPoint* Points, int Count) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (!T.D || !Points || Count < 2) {
    return FALSE;
  }
  if (T.D->Record) {
    auto Pts = DevicePoints(*T.D, Points, Count);
    Gdi::Record(*T.D, BoundsOf(Pts), [Pts](HDC Target, const TPlayScale& Sc) {
      std::vector<TPoint> S;
      for (const TPoint& P : Pts) {
        S.push_back(Sc.P(P));
      }
      Polyline(Target, S.data(), static_cast<int>(S.size()));
    });
  }
  TPenInfo Pen = PenOf(*T.D);
  if (T.Ok() && !Pen.Null) {
    int Counter = 0;
    for (int I = 1; I < Count; ++I) {
      DrawLine(T, Gdi::ToSurface(*T.D, Points[I - 1].X, Points[I - 1].Y),
               Gdi::ToSurface(*T.D, Points[I].X, Points[I].Y), Pen, Counter);
    }
  }
  return TRUE;
}

BOOL Polygon(HDC DC, const TPoint* Points, int Count) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (!T.D || !Points || Count < 2) {
    return FALSE;
  }
  if (T.D->Record) {
    auto Dev = DevicePoints(*T.D, Points, Count);
    Gdi::Record(*T.D, BoundsOf(Dev), [Dev](HDC Target, const TPlayScale& Sc) {
      std::vector<TPoint> S;
      for (const TPoint& P : Dev) {
        S.push_back(Sc.P(P));
      }
      Polygon(Target, S.data(), static_cast<int>(S.size()));
    });
  }
  if (!T.Ok()) {
    return TRUE;
  }
  std::vector<TPoint> Pts;
  for (int I = 0; I < Count; ++I) {
    Pts.push_back(Gdi::ToSurface(*T.D, Points[I].X, Points[I].Y));
  }
  FillMask(T, Gdi::PolygonMask(Pts, false), T.D->S.Brush);
  TPenInfo Pen = PenOf(*T.D);
  if (!Pen.Null) {
    int Counter = 0;
    for (int I = 0; I < Count; ++I) {
      DrawLine(T, Pts[static_cast<std::size_t>(I)], Pts[static_cast<std::size_t>((I + 1) % Count)], Pen, Counter);
    }
  }
  return TRUE;
}

BOOL Rectangle(HDC DC, int Left, int Top, int Right, int Bottom) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (!T.D) {
    return FALSE;
  }
  if (T.D->Record) {
    TRect DR = DeviceRect(*T.D, Left, Top, Right, Bottom);
    Gdi::Record(*T.D, DR, [DR](HDC Target, const TPlayScale& Sc) {
      TRect Rs = Sc.R(DR);
      Rectangle(Target, Rs.Left, Rs.Top, Rs.Right, Rs.Bottom);
    });
  }
  if (!T.Ok()) {
    return TRUE;
  }
  TRect R = SurfaceRect(*T.D, Left, Top, Right, Bottom);
  TPenInfo Pen = PenOf(*T.D);
  if (Pen.Null) {
    // Without a pen the platform fills one pixel less to the right and bottom.
    TMask M;
    M.Box = Rect(R.Left, R.Top, R.Right - 1, R.Bottom - 1);
    if (M.Box.Width() > 0 && M.Box.Height() > 0) {
      M.Bits.assign(static_cast<std::size_t>(M.Box.Width() * M.Box.Height()), 1);
      FillMask(T, M, T.D->S.Brush);
    }
    return TRUE;
  }
  int W = Pen.Width;
  TMask Inner;
  Inner.Box = Shrink(R, W);
  if (Inner.Box.Width() > 0 && Inner.Box.Height() > 0) {
    Inner.Bits.assign(static_cast<std::size_t>(Inner.Box.Width() * Inner.Box.Height()), 1);
    FillMask(T, Inner, T.D->S.Brush);
  }
  TMask Outer;
  Outer.Box = R;
  if (R.Width() > 0 && R.Height() > 0) {
    Outer.Bits.assign(static_cast<std::size_t>(R.Width() * R.Height()), 1);
    if (Inner.Box.Width() <= 0 || Inner.Box.Height() <= 0) {
      Inner = TMask{};
    }
    PenMask(T, Outer, Inner, Pen);
  }
  return TRUE;
}

BOOL Ellipse(HDC DC, int Left, int Top, int Right, int Bottom) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (!T.D) {
    return FALSE;
  }
  if (T.D->Record) {
    TRect DR = DeviceRect(*T.D, Left, Top, Right, Bottom);
    Gdi::Record(*T.D, DR, [DR](HDC Target, const TPlayScale& Sc) {
      TRect Rs = Sc.R(DR);
      Ellipse(Target, Rs.Left, Rs.Top, Rs.Right, Rs.Bottom);
    });
  }
  if (!T.Ok()) {
    return TRUE;
  }
  TRect R = SurfaceRect(*T.D, Left, Top, Right, Bottom);
  TPenInfo Pen = PenOf(*T.D);
  TMask Outer = Gdi::EllipseMask(R);
  TMask Inner = Pen.Null ? Outer : Gdi::EllipseMask(Shrink(R, Pen.Width));
  FillMask(T, Inner, T.D->S.Brush);
  if (!Pen.Null) {
    PenMask(T, Outer, Inner, Pen);
  }
  return TRUE;
}

BOOL RoundRect(HDC DC, int Left, int Top, int Right, int Bottom, int Width, int Height) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (!T.D) {
    return FALSE;
  }
  if (T.D->Record) {
    TRect DR = DeviceRect(*T.D, Left, Top, Right, Bottom);
    Gdi::Record(*T.D, DR, [DR, Width, Height](HDC Target, const TPlayScale& Sc) {
      TRect Rs = Sc.R(DR);
      RoundRect(Target, Rs.Left, Rs.Top, Rs.Right, Rs.Bottom, static_cast<int>(Width * Sc.Sx),
                static_cast<int>(Height * Sc.Sy));
    });
  }
  if (!T.Ok()) {
    return TRUE;
  }
  TRect R = SurfaceRect(*T.D, Left, Top, Right, Bottom);
  TPenInfo Pen = PenOf(*T.D);
  TMask Outer = Gdi::RoundRectMask(R, Width, Height);
  TMask Inner = Pen.Null ? Outer
                         : Gdi::RoundRectMask(Shrink(R, Pen.Width), std::max(0, Width - 2 * Pen.Width),
                                              std::max(0, Height - 2 * Pen.Width));
  FillMask(T, Inner, T.D->S.Brush);
  if (!Pen.Null) {
    PenMask(T, Outer, Inner, Pen);
  }
  return TRUE;
}

COLORREF SetPixel(HDC DC, int X, int Y, COLORREF Color) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (T.D && T.D->Record) {
    TPoint P = Gdi::ToDevice(*T.D, X, Y);
    Gdi::Record(*T.D, Rect(P.X, P.Y, P.X + 1, P.Y + 1), [P, Color](HDC Target, const TPlayScale& Sc) {
      // A pixel grows with the picture.
      TRect R = Sc.R(Rect(P.X, P.Y, P.X + 1, P.Y + 1));
      HBRUSH B = CreateSolidBrush(Color);
      FillRect(Target, &R, B);
      DeleteObject(B);
    });
    return Color & 0xFFFFFF;
  }
  if (!T.Ok()) {
    return CLR_INVALID;
  }
  TPoint P = Gdi::ToSurface(*T.D, X, Y);
  if (!T.Clip.Contains(P.X, P.Y)) {
    return CLR_INVALID;
  }
  std::uint32_t& Px = T.P->Row(P.Y)[P.X];
  Px = T.P->Mono ? ToMono(Gdi::ToPixel(Color)) : Gdi::ToPixel(Color);
  Gdi::Touch(*T.D, Rect(P.X, P.Y, P.X + 1, P.Y + 1));
  return Gdi::FromPixel(Px);
}

COLORREF GetPixel(HDC DC, int X, int Y) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  if (!T.Ok()) {
    return CLR_INVALID;
  }
  TPoint P = Gdi::ToSurface(*T.D, X, Y);
  if (!T.Clip.Contains(P.X, P.Y)) {
    return CLR_INVALID;
  }
  return Gdi::FromPixel(T.P->Row(P.Y)[P.X]);
}

// ---- Regions drawn -----------------------------------------------------------------------------------------------

namespace {

template <class F>
BOOL ForRegion(HDC DC, HRGN Rgn, F&& Fn) {
  std::lock_guard G(Gdi::Lock());
  TDraw T = Open(DC);
  auto R = Gdi::Object(Rgn, OBJ_REGION);
  if (!T.D || !R) {
    return FALSE;
  }
  if (!T.Ok()) {
    return TRUE;
  }
  for (const TRect& Rc : R->Region.Rects()) {
    Fn(T, SurfaceRect(*T.D, Rc.Left, Rc.Top, Rc.Right, Rc.Bottom));
  }
  return TRUE;
}

}  // namespace

BOOL FillRgn(HDC DC, HRGN Rgn, HBRUSH Brush) {
  return ForRegion(DC, Rgn, [&](TDraw& T, const TRect& R) { PaintRect(T, R, Brush, 0xF0); });
}

BOOL InvertRgn(HDC DC, HRGN Rgn) {
  return ForRegion(DC, Rgn, [](TDraw& T, const TRect& R) {
    ForRect(T, R, [](int, int, std::uint32_t& Px) { Px = ~Px | 0xFF000000; });
  });
}

BOOL FrameRgn(HDC DC, HRGN Rgn, HBRUSH Brush, int Width, int Height) {
  std::lock_guard G(Gdi::Lock());
  auto R = Gdi::Object(Rgn, OBJ_REGION);
  if (!R) {
    return FALSE;
  }
  // The frame is the region minus the region shrunk by Width and Height from every side.
  TRegionData Inner = R->Region;
  for (int Dx : {-Width, Width}) {
    TRegionData S = R->Region;
    S.Offset(Dx, 0);
    Inner = TRegionData::Combine(Inner, S, RGN_AND);
  }
  for (int Dy : {-Height, Height}) {
    TRegionData S = R->Region;
    S.Offset(0, Dy);
    Inner = TRegionData::Combine(Inner, S, RGN_AND);
  }
  auto Tmp = std::make_shared<TGdiObject>();
  Tmp->Type = OBJ_REGION;
  Tmp->Region = TRegionData::Combine(R->Region, Inner, RGN_DIFF);
  HRGN H = Gdi::AddObject(Tmp);
  BOOL Ok = FillRgn(DC, H, Brush);
  DeleteObject(H);
  return Ok;
}

namespace {

// msimg32's exports, found by the callers that bind them by name.
struct TRegisterExports {
  TRegisterExports() {
    RegisterModuleExport("msimg32.dll", "GradientFill", reinterpret_cast<void*>(&GradientFill));
  }
} RegisterExports;

}  // namespace
