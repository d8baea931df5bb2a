// GDI objects: the handle tables, stock objects, pens, brushes, fonts, bitmaps, selection and deletion.
#include "platform/graphics/GdiInternals.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace {

// Object and DC handles share one counter; 0 is never a handle. Handles are not reused.
struct TTables {
  std::unordered_map<HGDIOBJ, PGdiObject> Objects;
  std::unordered_map<HDC, PDCRec> DCs;
  std::uintptr_t Next = 0x100;
};

TTables& Tables() {
  static TTables T;
  return T;
}

HGDIOBJ StockObjects[DC_PEN + 1] = {};

PGdiObject NewObject(DWORD Type) {
  auto O = std::make_shared<TGdiObject>();
  O->Type = Type;
  return O;
}

HGDIOBJ MakeStock(PGdiObject O) {
  O->Stock = true;
  return Gdi::AddObject(std::move(O));
}

LOGFONT StockFont(const char* Face, LONG Height, BYTE Pitch) {
  LOGFONT F;
  F.lfHeight = Height;
  F.lfPitchAndFamily = Pitch;
  std::strncpy(F.lfFaceName, Face, LF_FACESIZE - 1);
  return F;
}

void InitStock() {
  auto Solid = [](COLORREF C) {
    auto O = NewObject(OBJ_BRUSH);
    O->Brush.lbColor = C;
    return MakeStock(O);
  };
  auto Pen = [](UINT Style, COLORREF C) {
    auto O = NewObject(OBJ_PEN);
    O->Pen.lopnStyle = Style;
    O->Pen.lopnWidth.X = 1;
    O->Pen.lopnColor = C;
    return MakeStock(O);
  };
  auto Font = [](const LOGFONT& F) {
    auto O = NewObject(OBJ_FONT);
    O->Font = F;
    return MakeStock(O);
  };
  StockObjects[WHITE_BRUSH] = Solid(RGB(255, 255, 255));
  StockObjects[LTGRAY_BRUSH] = Solid(RGB(192, 192, 192));
  StockObjects[GRAY_BRUSH] = Solid(RGB(128, 128, 128));
  StockObjects[DKGRAY_BRUSH] = Solid(RGB(64, 64, 64));
  StockObjects[BLACK_BRUSH] = Solid(RGB(0, 0, 0));
  auto Null = NewObject(OBJ_BRUSH);
  Null->Brush.lbStyle = BS_NULL;
  StockObjects[NULL_BRUSH] = MakeStock(Null);
  StockObjects[WHITE_PEN] = Pen(PS_SOLID, RGB(255, 255, 255));
  StockObjects[BLACK_PEN] = Pen(PS_SOLID, RGB(0, 0, 0));
  StockObjects[NULL_PEN] = Pen(PS_NULL, 0);
  StockObjects[OEM_FIXED_FONT] = Font(StockFont("Courier New", -13, FIXED_PITCH | FF_MODERN));
  StockObjects[ANSI_FIXED_FONT] = Font(StockFont("Courier New", -13, FIXED_PITCH | FF_MODERN));
  StockObjects[ANSI_VAR_FONT] = Font(StockFont("MS Sans Serif", -11, VARIABLE_PITCH | FF_SWISS));
  LOGFONT Sys = StockFont("MS Sans Serif", -13, VARIABLE_PITCH | FF_SWISS);
  Sys.lfWeight = FW_BOLD;
  StockObjects[SYSTEM_FONT] = Font(Sys);
  StockObjects[DEVICE_DEFAULT_FONT] = Font(Sys);
  StockObjects[SYSTEM_FIXED_FONT] = Font(StockFont("Courier New", -13, FIXED_PITCH | FF_MODERN));
  StockObjects[DEFAULT_GUI_FONT] = Font(StockFont("MS Sans Serif", -11, VARIABLE_PITCH | FF_SWISS));
  StockObjects[DEFAULT_PALETTE] = MakeStock(NewObject(OBJ_BRUSH));
  // DC_BRUSH and DC_PEN stand for the DC's own colours.
  auto DcBrush = NewObject(OBJ_BRUSH);
  StockObjects[DC_BRUSH] = MakeStock(DcBrush);
  auto DcPen = NewObject(OBJ_PEN);
  DcPen->Pen.lopnWidth.X = 1;
  StockObjects[DC_PEN] = MakeStock(DcPen);
}

void EnsureStock() {
  static std::once_flag Once;
  std::call_once(Once, InitStock);
}

}  // namespace

namespace Gdi {

std::recursive_mutex& Lock() {
  static std::recursive_mutex M;
  return M;
}

PGdiObject Object(HGDIOBJ H) {
  std::lock_guard G(Lock());
  auto& T = Tables();
  auto It = T.Objects.find(H);
  return It == T.Objects.end() ? nullptr : It->second;
}

PGdiObject Object(HGDIOBJ H, DWORD Type) {
  auto O = Object(H);
  return O && O->Type == Type ? O : nullptr;
}

HGDIOBJ AddObject(PGdiObject Obj) {
  std::lock_guard G(Lock());
  auto& T = Tables();
  HGDIOBJ H = T.Next;
  T.Next += 4;
  T.Objects.emplace(H, std::move(Obj));
  return H;
}

PDCRec DC(HDC H) {
  std::lock_guard G(Lock());
  auto& T = Tables();
  auto It = T.DCs.find(H);
  return It == T.DCs.end() ? nullptr : It->second;
}

HDC AddDC(PDCRec Rec) {
  EnsureStock();
  std::lock_guard G(Lock());
  auto& T = Tables();
  HDC H = T.Next;
  T.Next += 4;
  Rec->S.Pen = StockObjects[BLACK_PEN];
  Rec->S.Brush = StockObjects[WHITE_BRUSH];
  Rec->S.Font = StockObjects[SYSTEM_FONT];
  T.DCs.emplace(H, std::move(Rec));
  return H;
}

void RemoveDC(HDC H) {
  std::lock_guard G(Lock());
  auto& T = Tables();
  auto It = T.DCs.find(H);
  if (It == T.DCs.end()) {
    return;
  }
  T.DCs.erase(It);
}

COLORREF BrushColor(const TDCRec& D, HBRUSH Brush, bool& Null) {
  Null = false;
  if (Brush >= 1 && Brush <= static_cast<HBRUSH>(COLOR_ENDCOLORS + 1)) {
    return GetSysColor(static_cast<int>(Brush) - 1);
  }
  auto B = Object(Brush, OBJ_BRUSH);
  if (!B || B->Brush.lbStyle == BS_NULL) {
    Null = true;
    return 0;
  }
  if (Brush == StockObjects[DC_BRUSH]) {
    return D.S.DCBrushColor;
  }
  return B->Brush.lbColor;
}

std::uint32_t BrushPixel(const TDCRec& D, const TGdiObject& Brush, int X, int Y) {
  if (!Brush.Pattern) {
    return ToPixel(Brush.Brush.lbColor);
  }
  int Px = ((X - D.S.BrushOrg.X) % 8 + 8) % 8;
  int Py = ((Y - D.S.BrushOrg.Y) % 8 + 8) % 8;
  std::uint32_t P = Brush.Pattern->Row(Py)[Px];
  if (Brush.Pattern->Mono) {
    // Monochrome patterns and hatches take the DC's colours: 0 bits the text colour, 1 bits the background.
    if (Brush.Brush.lbStyle == BS_HATCHED) {
      return (P & 0xFFFFFF) == 0 ? ToPixel(Brush.Brush.lbColor) : ToPixel(D.S.BkColor);
    }
    return (P & 0xFFFFFF) == 0 ? ToPixel(D.S.TextColor) : ToPixel(D.S.BkColor);
  }
  return P;
}

}  // namespace Gdi

// ---- Creation ----------------------------------------------------------------------------------------------------

HGDIOBJ GetStockObject(int Index) {
  EnsureStock();
  return Index >= 0 && Index <= DC_PEN ? StockObjects[Index] : 0;
}

HPEN CreatePen(int Style, int Width, COLORREF Color) {
  LOGPEN L;
  L.lopnStyle = static_cast<UINT>(Style);
  L.lopnWidth.X = Width;
  L.lopnColor = Color;
  return CreatePenIndirect(&L);
}

HPEN CreatePenIndirect(const LOGPEN* LogPen) {
  if (!LogPen || (LogPen->lopnStyle & PS_STYLE_MASK) > PS_ALTERNATE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto O = NewObject(OBJ_PEN);
  O->Pen = *LogPen;
  O->Pen.lopnColor &= 0xFFFFFF;
  return Gdi::AddObject(O);
}

HBRUSH CreateSolidBrush(COLORREF Color) {
  auto O = NewObject(OBJ_BRUSH);
  O->Brush.lbColor = Color & 0xFFFFFF;
  return Gdi::AddObject(O);
}

HBRUSH CreateHatchBrush(int Style, COLORREF Color) {
  if (Style < HS_HORIZONTAL || Style > HS_DIAGCROSS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto P = std::make_shared<TPixels>();
  P->Width = P->Height = 8;
  P->Mono = true;
  P->BitsPixel = 1;
  P->Data.assign(64, 0xFFFFFFFF);
  for (int Y = 0; Y < 8; ++Y) {
    for (int X = 0; X < 8; ++X) {
      bool On = false;
      switch (Style) {
        case HS_HORIZONTAL: On = Y == 7; break;
        case HS_VERTICAL: On = X == 7; break;
        case HS_FDIAGONAL: On = X == Y; break;
        case HS_BDIAGONAL: On = X == 7 - Y; break;
        case HS_CROSS: On = X == 7 || Y == 7; break;
        default: On = X == Y || X == 7 - Y; break;
      }
      if (On) {
        P->Data[static_cast<std::size_t>(Y * 8 + X)] = 0xFF000000;
      }
    }
  }
  auto O = NewObject(OBJ_BRUSH);
  O->Brush.lbStyle = BS_HATCHED;
  O->Brush.lbColor = Color & 0xFFFFFF;
  O->Brush.lbHatch = static_cast<std::uintptr_t>(Style);
  O->Pattern = P;
  return Gdi::AddObject(O);
}

HBRUSH CreatePatternBrush(HBITMAP Bitmap) {
  auto B = Gdi::Object(Bitmap, OBJ_BITMAP);
  if (!B || !B->Bitmap || B->Bitmap->Width <= 0 || B->Bitmap->Height <= 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  auto P = std::make_shared<TPixels>();
  P->Width = P->Height = 8;
  P->Mono = B->Bitmap->Mono;
  P->BitsPixel = B->Bitmap->BitsPixel;
  P->Data.resize(64);
  for (int Y = 0; Y < 8; ++Y) {
    for (int X = 0; X < 8; ++X) {
      P->Data[static_cast<std::size_t>(Y * 8 + X)] = B->Bitmap->Row(Y % B->Bitmap->Height)[X % B->Bitmap->Width];
    }
  }
  auto O = NewObject(OBJ_BRUSH);
  O->Brush.lbStyle = BS_PATTERN;
  O->Brush.lbHatch = Bitmap;
  O->Pattern = P;
  return Gdi::AddObject(O);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* LogBrush) {
  if (!LogBrush) {
    return 0;
  }
  switch (LogBrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(LogBrush->lbColor);
    case BS_NULL: return GetStockObject(NULL_BRUSH);
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(LogBrush->lbHatch), LogBrush->lbColor);
    case BS_PATTERN: return CreatePatternBrush(static_cast<HBITMAP>(LogBrush->lbHatch));
    default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
  }
}

HFONT CreateFontIndirect(const LOGFONT* LogFont) {
  if (!LogFont) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto O = NewObject(OBJ_FONT);
  O->Font = *LogFont;
  O->Font.lfFaceName[LF_FACESIZE - 1] = '\0';
  return Gdi::AddObject(O);
}

HFONT CreateFont(int Height, int Width, int Escapement, int Orientation, int Weight, DWORD Italic, DWORD Underline,
                 DWORD StrikeOut, DWORD CharSet, DWORD OutPrecision, DWORD ClipPrecision, DWORD Quality,
                 DWORD PitchAndFamily, LPCSTR FaceName) {
  LOGFONT F;
  F.lfHeight = Height;
  F.lfWidth = Width;
  F.lfEscapement = Escapement;
  F.lfOrientation = Orientation;
  F.lfWeight = Weight;
  F.lfItalic = Italic ? 1 : 0;
  F.lfUnderline = Underline ? 1 : 0;
  F.lfStrikeOut = StrikeOut ? 1 : 0;
  F.lfCharSet = static_cast<BYTE>(CharSet);
  F.lfOutPrecision = static_cast<BYTE>(OutPrecision);
  F.lfClipPrecision = static_cast<BYTE>(ClipPrecision);
  F.lfQuality = static_cast<BYTE>(Quality);
  F.lfPitchAndFamily = static_cast<BYTE>(PitchAndFamily);
  if (FaceName) {
    std::strncpy(F.lfFaceName, FaceName, LF_FACESIZE - 1);
  }
  return CreateFontIndirect(&F);
}

// ---- Bitmaps -----------------------------------------------------------------------------------------------------

namespace {

HBITMAP NewBitmap(int Width, int Height, bool Mono) {
  auto P = std::make_shared<TPixels>();
  P->Width = std::max(0, Width);
  P->Height = std::max(0, Height);
  P->Mono = Mono;
  P->BitsPixel = Mono ? 1 : 32;
  // New colour bitmaps are black; new monochrome ones too, as the platform's.
  P->Data.assign(static_cast<std::size_t>(P->Width) * static_cast<std::size_t>(P->Height), 0xFF000000);
  auto O = NewObject(OBJ_BITMAP);
  O->Bitmap = P;
  return Gdi::AddObject(O);
}

}  // namespace

HBITMAP CreateBitmap(int Width, int Height, UINT Planes, UINT BitCount, const void* Bits) {
  if (Width < 0 || Height < 0 || Planes != 1 || (BitCount != 1 && BitCount != 24 && BitCount != 32)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  HBITMAP H = NewBitmap(Width, Height, BitCount == 1);
  if (Bits) {
    auto& P = *Gdi::Object(H)->Bitmap;
    const auto* Src = static_cast<const BYTE*>(Bits);
    std::size_t RowBytes = ((static_cast<std::size_t>(Width) * BitCount + 15) / 16) * 2;
    for (int Y = 0; Y < Height; ++Y) {
      const BYTE* R = Src + RowBytes * static_cast<std::size_t>(Y);
      for (int X = 0; X < Width; ++X) {
        std::uint32_t Px = 0;
        if (BitCount == 1) {
          Px = (R[X / 8] & (0x80 >> (X % 8))) ? 0xFFFFFFFF : 0xFF000000;
        } else if (BitCount == 24) {
          Px = 0xFF000000u | (R[X * 3 + 2] << 16) | (R[X * 3 + 1] << 8) | R[X * 3];
        } else {
          Px = 0xFF000000u | (R[X * 4 + 2] << 16) | (R[X * 4 + 1] << 8) | R[X * 4];
        }
        P.Row(Y)[X] = Px;
      }
    }
  }
  return H;
}

HBITMAP CreateCompatibleBitmap(HDC DC, int Width, int Height) {
  bool Mono = false;
  if (auto D = Gdi::DC(DC)) {
    if (D->Type == OBJ_MEMDC) {
      auto B = Gdi::Object(D->S.Bitmap, OBJ_BITMAP);
      Mono = B && B->Bitmap->Mono;
    }
  } else if (DC) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return NewBitmap(Width, Height, Mono);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* Info, UINT, void** Bits, HANDLE, DWORD) {
  if (!Info || Info->bmiHeader.biWidth <= 0 || Info->bmiHeader.biHeight == 0 ||
      (Info->bmiHeader.biBitCount != 32) ||
      (Info->bmiHeader.biCompression != BI_RGB && Info->bmiHeader.biCompression != BI_BITFIELDS)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    if (Bits) {
      *Bits = nullptr;
    }
    return 0;
  }
  HBITMAP H = NewBitmap(Info->bmiHeader.biWidth, std::abs(Info->bmiHeader.biHeight), false);
  auto& P = *Gdi::Object(H)->Bitmap;
  P.DibSection = true;
  P.BottomUp = Info->bmiHeader.biHeight > 0;
  // Sections start zeroed (alpha included), as the platform's do.
  std::fill(P.Data.begin(), P.Data.end(), 0u);
  if (Bits) {
    *Bits = P.Data.data();
  }
  return H;
}

int GetDIBits(HDC, HBITMAP Bitmap, UINT Start, UINT Lines, void* Bits, BITMAPINFO* Info, UINT) {
  auto B = Gdi::Object(Bitmap, OBJ_BITMAP);
  if (!B || !Info) {
    return 0;
  }
  const TPixels& P = *B->Bitmap;
  BITMAPINFOHEADER& H = Info->bmiHeader;
  if (H.biBitCount == 0) {
    H.biWidth = P.Width;
    H.biHeight = P.Height;
    H.biBitCount = 32;
    H.biPlanes = 1;
    H.biCompression = BI_RGB;
    H.biSizeImage = static_cast<DWORD>(P.Width * P.Height * 4);
    return P.Height;
  }
  if ((H.biBitCount != 32 && H.biBitCount != 24) || H.biWidth != P.Width) {
    return 0;
  }
  if (!Bits) {
    return P.Height;
  }
  bool TopDown = H.biHeight < 0;
  int Count = std::min<int>(static_cast<int>(Lines), P.Height - static_cast<int>(Start));
  std::size_t RowBytes = ((static_cast<std::size_t>(P.Width) * H.biBitCount + 31) / 32) * 4;
  auto* Out = static_cast<BYTE*>(Bits);
  for (int I = 0; I < Count; ++I) {
    int DibRow = static_cast<int>(Start) + I;          // row index in DIB order
    int Y = TopDown ? DibRow : P.Height - 1 - DibRow;  // row in the picture
    BYTE* R = Out + RowBytes * static_cast<std::size_t>(I);
    const std::uint32_t* Src = P.Row(Y);
    for (int X = 0; X < P.Width; ++X) {
      std::uint32_t Px = Src[X];
      if (H.biBitCount == 32) {
        std::memcpy(R + X * 4, &Px, 4);
      } else {
        R[X * 3] = Px & 0xFF;
        R[X * 3 + 1] = (Px >> 8) & 0xFF;
        R[X * 3 + 2] = (Px >> 16) & 0xFF;
      }
    }
  }
  return std::max(0, Count);
}

int SetDIBits(HDC, HBITMAP Bitmap, UINT Start, UINT Lines, const void* Bits, const BITMAPINFO* Info, UINT) {
  auto B = Gdi::Object(Bitmap, OBJ_BITMAP);
  if (!B || !Info || !Bits) {
    return 0;
  }
  TPixels& P = *B->Bitmap;
  const BITMAPINFOHEADER& H = Info->bmiHeader;
  if ((H.biBitCount != 32 && H.biBitCount != 24) || H.biWidth != P.Width) {
    return 0;
  }
  bool TopDown = H.biHeight < 0;
  int Count = std::min<int>(static_cast<int>(Lines), P.Height - static_cast<int>(Start));
  std::size_t RowBytes = ((static_cast<std::size_t>(P.Width) * H.biBitCount + 31) / 32) * 4;
  const auto* In = static_cast<const BYTE*>(Bits);
  for (int I = 0; I < Count; ++I) {
    int DibRow = static_cast<int>(Start) + I;
    int Y = TopDown ? DibRow : P.Height - 1 - DibRow;
    const BYTE* R = In + RowBytes * static_cast<std::size_t>(I);
    std::uint32_t* Dst = P.Row(Y);
    for (int X = 0; X < P.Width; ++X) {
      std::uint32_t Px = 0xFF000000u | (R[X * (H.biBitCount / 8) + 2] << 16) | (R[X * (H.biBitCount / 8) + 1] << 8) |
                         R[X * (H.biBitCount / 8)];
      if (P.Mono) {
        Px = (Px & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFFFF : 0xFF000000;
      }
      Dst[X] = Px;
    }
  }
  return std::max(0, Count);
}

// ---- Selection, deletion, queries --------------------------------------------------------------------------------

HGDIOBJ SelectObject(HDC DC, HGDIOBJ Object) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  auto O = Gdi::Object(Object);
  if (!D || !O) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  HGDIOBJ* Slot = nullptr;
  switch (O->Type) {
    case OBJ_PEN: Slot = &D->S.Pen; break;
    case OBJ_BRUSH: Slot = &D->S.Brush; break;
    case OBJ_FONT: Slot = &D->S.Font; break;
    case OBJ_REGION: return static_cast<HGDIOBJ>(SelectClipRgn(DC, Object));
    case OBJ_BITMAP:
      if (D->Type != OBJ_MEMDC) {
        return 0;
      }
      if (!O->Stock) {
        // A bitmap can be selected into one DC at a time.
        for (auto& [H, Other] : Tables().DCs) {
          if (H != DC && Other->S.Bitmap == Object) {
            return 0;
          }
        }
      }
      Slot = &D->S.Bitmap;
      break;
    default: return 0;
  }
  HGDIOBJ Old = *Slot;
  *Slot = Object;
  return Old;
}

BOOL DeleteObject(HGDIOBJ Object) {
  std::lock_guard G(Gdi::Lock());
  auto O = Gdi::Object(Object);
  if (!O) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (O->Stock) {
    return TRUE;
  }
  // An object still selected into a DC (or kept by SaveDC) cannot go.
  for (auto& [H, D] : Tables().DCs) {
    auto Uses = [&](const TDCState& S) {
      return S.Pen == Object || S.Brush == Object || S.Font == Object || S.Bitmap == Object;
    };
    if (Uses(D->S) || std::any_of(D->Saved.begin(), D->Saved.end(), Uses)) {
      return FALSE;
    }
  }
  if (O->Type == OBJ_FONT) {
    Gdi::FontDeleted(Object);
  }
  Tables().Objects.erase(Object);
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ Object) {
  if (auto O = Gdi::Object(Object)) {
    return O->Type;
  }
  if (auto D = Gdi::DC(Object)) {
    return D->Type;
  }
  return 0;
}

int GetObject(HGDIOBJ Object, int Size, void* Buffer) {
  auto O = Gdi::Object(Object);
  if (!O) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  auto Copy = [&](const void* Src, int N) {
    if (!Buffer) {
      return N;
    }
    int Len = std::min(Size, N);
    std::memcpy(Buffer, Src, static_cast<std::size_t>(std::max(0, Len)));
    return Len;
  };
  switch (O->Type) {
    case OBJ_PEN: return Copy(&O->Pen, sizeof(LOGPEN));
    case OBJ_BRUSH: return Copy(&O->Brush, sizeof(LOGBRUSH));
    case OBJ_FONT: return Copy(&O->Font, sizeof(LOGFONT));
    case OBJ_BITMAP: {
      DIBSECTION S;
      const TPixels& P = *O->Bitmap;
      S.dsBm.bmWidth = P.Width;
      S.dsBm.bmHeight = P.Height;
      S.dsBm.bmBitsPixel = static_cast<WORD>(P.BitsPixel);
      S.dsBm.bmWidthBytes = P.Mono ? ((P.Width + 15) / 16) * 2 : P.Width * 4;
      S.dsBm.bmBits = P.DibSection ? const_cast<std::uint32_t*>(P.Data.data()) : nullptr;
      if (P.DibSection && Size >= static_cast<int>(sizeof(DIBSECTION))) {
        S.dsBmih.biWidth = P.Width;
        S.dsBmih.biHeight = P.BottomUp ? P.Height : -P.Height;
        S.dsBmih.biBitCount = 32;
        S.dsBmih.biSizeImage = static_cast<DWORD>(P.Width * P.Height * 4);
        return Copy(&S, sizeof(DIBSECTION));
      }
      return Copy(&S.dsBm, sizeof(BITMAP));
    }
    default: return 0;
  }
}

HGDIOBJ GetCurrentObject(HDC DC, UINT Type) {
  auto D = Gdi::DC(DC);
  if (!D) {
    return 0;
  }
  switch (Type) {
    case OBJ_PEN: return D->S.Pen;
    case OBJ_BRUSH: return D->S.Brush;
    case OBJ_FONT: return D->S.Font;
    case OBJ_BITMAP: return D->S.Bitmap;
    default: return 0;
  }
}
