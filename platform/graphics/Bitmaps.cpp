// TGraphic and TBitmap (with BMP files and its canvas), icons and TIcon, and TPicture.
#include "platform/graphics/GdiInternals.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Images.h"
#include "platform/win/Resources.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"

#include <cstring>
#include <unordered_map>

Z_IMPLEMENT_CLASS(TGraphic, TPersistent)
Z_IMPLEMENT_CLASS(TBitmap, TGraphic)
Z_IMPLEMENT_CLASS(TIcon, TGraphic)
Z_IMPLEMENT_CLASS(TPicture, TPersistent)

namespace {

constexpr const char* SInvalidBitmap = "Bitmap image is not valid";
constexpr const char* SInvalidIcon = "Icon image is not valid";

template <class T>
void Put(std::string& Out, T V) {
  Out.append(reinterpret_cast<const char*>(&V), sizeof V);
}

template <class T>
T Get(const std::string& In, std::size_t At) {
  if (At + sizeof(T) > In.size()) {
    throw EInvalidGraphic(SInvalidBitmap);
  }
  T V;
  std::memcpy(&V, In.data() + At, sizeof V);
  return V;
}

std::string ReadAll(TStream* Stream) {
  std::string S;
  char Buf[65536];
  while (true) {
    LongInt N = Stream->Read(Buf, sizeof Buf);
    if (N <= 0) {
      break;
    }
    S.append(Buf, static_cast<std::size_t>(N));
  }
  return S;
}

PPixels PixelsOf(HBITMAP B) {
  auto O = Gdi::Object(B, OBJ_BITMAP);
  return O ? O->Bitmap : nullptr;
}

HBITMAP NewSection(int W, int H) {
  BITMAPINFO Info{};
  Info.bmiHeader.biWidth = std::max(1, W);
  Info.bmiHeader.biHeight = -std::max(1, H);
  Info.bmiHeader.biBitCount = 32;
  void* Bits = nullptr;
  HBITMAP B = CreateDIBSection(0, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  if (!B) {
    throw EOutOfResources("Out of system resources");
  }
  // Fresh bitmaps are white, as the class library's are.
  auto P = PixelsOf(B);
  std::fill(P->Data.begin(), P->Data.end(), 0xFFFFFFFFu);
  return B;
}

// Decodes the pixel rows of a DIB (after its header and palette) into 0xFFRRGGBB words, top-down.
void DecodeRows(const std::string& In, std::size_t Bits, int W, int H, bool BottomUp, int BitCount,
                const std::vector<std::uint32_t>& Palette, std::vector<std::uint32_t>& Out) {
  std::size_t RowBytes = ((static_cast<std::size_t>(W) * BitCount + 31) / 32) * 4;
  if (Bits + RowBytes * static_cast<std::size_t>(H) > In.size()) {
    throw EInvalidGraphic(SInvalidBitmap);
  }
  Out.resize(static_cast<std::size_t>(W) * static_cast<std::size_t>(H));
  for (int Y = 0; Y < H; ++Y) {
    const auto* R = reinterpret_cast<const unsigned char*>(In.data() + Bits + RowBytes * static_cast<std::size_t>(BottomUp ? H - 1 - Y : Y));
    std::uint32_t* Dst = Out.data() + static_cast<std::size_t>(Y) * W;
    for (int X = 0; X < W; ++X) {
      std::uint32_t Px = 0;
      switch (BitCount) {
        case 32: Px = R[X * 4] | (R[X * 4 + 1] << 8) | (R[X * 4 + 2] << 16); break;
        case 24: Px = R[X * 3] | (R[X * 3 + 1] << 8) | (R[X * 3 + 2] << 16); break;
        default: {
          int PerByte = 8 / BitCount;
          int Index = (R[X / PerByte] >> ((PerByte - 1 - X % PerByte) * BitCount)) & ((1 << BitCount) - 1);
          Px = static_cast<std::size_t>(Index) < Palette.size() ? Palette[static_cast<std::size_t>(Index)] : 0;
          break;
        }
      }
      Dst[X] = 0xFF000000u | Px;
    }
  }
}

// ---- Icons -------------------------------------------------------------------------------------------------------

struct TIconRec {
  HBITMAP Color = 0;
  HBITMAP Mask = 0;
  ICONINFO Info;
};

std::unordered_map<HICON, TIconRec>& Icons() {
  static std::unordered_map<HICON, TIconRec> M;
  return M;
}

HBITMAP CopyBitmap(HBITMAP B) {
  auto P = PixelsOf(B);
  if (!P) {
    return 0;
  }
  HBITMAP C = P->Mono ? CreateBitmap(P->Width, P->Height, 1, 1, nullptr) : NewSection(P->Width, P->Height);
  auto Q = PixelsOf(C);
  for (int Y = 0; Y < P->Height; ++Y) {
    std::memcpy(Q->Row(Y), P->Row(Y), static_cast<std::size_t>(P->Width) * 4);
  }
  return C;
}

}  // namespace

HICON CreateIconIndirect(const ICONINFO* Info) {
  if (!Info || !PixelsOf(Info->hbmMask)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  static std::uintptr_t Next = 0x40000001;
  std::lock_guard G(Gdi::Lock());
  TIconRec R;
  R.Mask = CopyBitmap(Info->hbmMask);
  R.Color = Info->hbmColor ? CopyBitmap(Info->hbmColor) : 0;
  R.Info = *Info;
  R.Info.hbmMask = R.Mask;
  R.Info.hbmColor = R.Color;
  HICON H = Next;
  Next += 2;
  Icons()[H] = R;
  return H;
}

BOOL GetIconInfo(HICON Icon, ICONINFO* Info) {
  std::lock_guard G(Gdi::Lock());
  auto It = Icons().find(Icon);
  if (It == Icons().end() || !Info) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *Info = It->second.Info;
  Info->hbmMask = CopyBitmap(It->second.Mask);
  Info->hbmColor = It->second.Color ? CopyBitmap(It->second.Color) : 0;
  return TRUE;
}

bool Gdi::IconPixels(HICON Icon, int& Width, int& Height, std::vector<std::uint32_t>& Argb) {
  std::lock_guard G(Gdi::Lock());
  auto It = Icons().find(Icon);
  if (It == Icons().end()) {
    return false;
  }
  PPixels Mask = PixelsOf(It->second.Mask);
  PPixels Color = It->second.Color ? PixelsOf(It->second.Color) : nullptr;
  if (!Mask) {
    return false;
  }
  // A monochrome icon keeps its image in the lower half of the mask.
  Width = Mask->Width;
  Height = Color ? Color->Height : Mask->Height / 2;
  Argb.assign(static_cast<std::size_t>(Width) * static_cast<std::size_t>(std::max(0, Height)), 0);
  for (int Y = 0; Y < Height; ++Y) {
    const std::uint32_t* M = Mask->Row(Y);
    const std::uint32_t* C = Color ? Color->Row(Y) : Mask->Row(Y + Height);
    for (int X = 0; X < Width; ++X) {
      const bool Transparent = (M[X] & 0xFFFFFF) == 0xFFFFFF;
      Argb[static_cast<std::size_t>(Y) * Width + X] = Transparent ? 0 : (C[X] | 0xFF000000u);
    }
  }
  return true;
}

BOOL DestroyIcon(HICON Icon) {
  std::lock_guard G(Gdi::Lock());
  auto It = Icons().find(Icon);
  if (It == Icons().end()) {
    return FALSE;
  }
  DeleteObject(It->second.Mask);
  if (It->second.Color) {
    DeleteObject(It->second.Color);
  }
  Icons().erase(It);
  return TRUE;
}

HICON CopyIcon(HICON Icon) {
  std::lock_guard G(Gdi::Lock());
  auto It = Icons().find(Icon);
  return It == Icons().end() ? 0 : CreateIconIndirect(&It->second.Info);
}

BOOL DrawIconEx(HDC DC, int X, int Y, HICON Icon, int Width, int Height, UINT, HBRUSH, UINT Flags) {
  TIconRec R;
  {
    std::lock_guard G(Gdi::Lock());
    auto It = Icons().find(Icon);
    if (It == Icons().end()) {
      return FALSE;
    }
    R = It->second;
  }
  auto M = PixelsOf(R.Mask);
  int W = Width ? Width : M->Width;
  int H = Height ? Height : (R.Color ? M->Height : M->Height / 2);
  HDC Mem = CreateCompatibleDC(DC);
  HGDIOBJ Old = SelectObject(Mem, R.Mask);
  int SrcH = R.Color ? M->Height : M->Height / 2;
  if (Flags & DI_MASK) {
    StretchBlt(DC, X, Y, W, H, Mem, 0, 0, M->Width, SrcH, SRCAND);
  }
  if (Flags & DI_IMAGE) {
    if (R.Color) {
      SelectObject(Mem, R.Color);
      StretchBlt(DC, X, Y, W, H, Mem, 0, 0, M->Width, SrcH, (Flags & DI_MASK) ? SRCINVERT : SRCCOPY);
    } else {
      StretchBlt(DC, X, Y, W, H, Mem, 0, SrcH, M->Width, SrcH, (Flags & DI_MASK) ? SRCINVERT : SRCCOPY);
    }
  }
  SelectObject(Mem, Old);
  DeleteDC(Mem);
  return TRUE;
}

BOOL DrawIcon(HDC DC, int X, int Y, HICON Icon) { return DrawIconEx(DC, X, Y, Icon, 0, 0, 0, 0, DI_NORMAL); }

// ---- TGraphic ----------------------------------------------------------------------------------------------------

void TGraphic::SetTransparent(bool Value) {
  if (Value != FTransparent) {
    FTransparent = Value;
    Changed();
  }
}

void TGraphic::Changed() {
  Modified = true;
  if (OnChange) {
    OnChange(this);
  }
}

void TGraphic::LoadFromFile(const std::string& FileName) {
  TFileStream S(FileName, fmOpenRead);
  LoadFromStream(&S);
}

void TGraphic::SaveToFile(const std::string& FileName) {
  TFileStream S(FileName, fmCreate);
  SaveToStream(&S);
}

// ---- TBitmap -----------------------------------------------------------------------------------------------------

// The canvas of a bitmap: a memory DC holding the bitmap, made when first drawn on.
class TBitmapCanvas final : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap* Owner) : FOwner(Owner) {}

protected:
  void CreateHandle() override {
    HBITMAP B = FOwner->Handle();
    HDC DC = CreateCompatibleDC(0);
    FOwner->FCanvasOld = SelectObject(DC, B);
    FOwner->FCanvasDC = DC;
    SetHandle(DC);
  }
  void Changed() override {
    FOwner->FreeMask();
    TCanvas::Changed();
  }

private:
  TBitmap* FOwner;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
  if (FCanvasDC) {
    SelectObject(FCanvasDC, FCanvasOld);
    DeleteDC(FCanvasDC);
  }
  FreeMask();
  if (FHandle) {
    DeleteObject(FHandle);
  }
}

void TBitmap::FreeMask() {
  if (FMask) {
    DeleteObject(FMask);
    FMask = 0;
  }
}

void TBitmap::NewImage(Integer W, Integer H, bool Mono, HBITMAP Copy) {
  // The canvas DC lets go of the old bitmap before it is replaced.
  if (FCanvasDC) {
    if (FCanvas) {
      FCanvas->SetHandle(0);
    }
    SelectObject(FCanvasDC, FCanvasOld);
    DeleteDC(FCanvasDC);
    FCanvasDC = 0;
  }
  FreeMask();
  HBITMAP Old = FHandle;
  FHandle = 0;
  FWidth = std::max(0, W);
  FHeight = std::max(0, H);
  FMonochrome = Mono;
  if (FWidth > 0 && FHeight > 0) {
    FHandle = Mono ? CreateBitmap(FWidth, FHeight, 1, 1, nullptr) : NewSection(FWidth, FHeight);
    if (Mono) {
      auto P = PixelsOf(FHandle);
      std::fill(P->Data.begin(), P->Data.end(), 0xFFFFFFFFu);
    }
    HBITMAP From = Copy ? Copy : Old;
    if (auto Src = PixelsOf(From)) {
      auto Dst = PixelsOf(FHandle);
      int Cw = std::min(FWidth, Src->Width), Ch = std::min(FHeight, Src->Height);
      for (int Y = 0; Y < Ch; ++Y) {
        for (int X = 0; X < Cw; ++X) {
          std::uint32_t Px = Src->Row(Y)[X] | 0xFF000000u;
          if (Mono && !Src->Mono) {
            int Sum = static_cast<int>(((Px >> 16) & 0xFF) + ((Px >> 8) & 0xFF) + (Px & 0xFF));
            Px = Sum >= 384 ? 0xFFFFFFFF : 0xFF000000;
          }
          Dst->Row(Y)[X] = Px;
        }
      }
    }
  }
  if (Old) {
    DeleteObject(Old);
  }
  Changed();
}

void TBitmap::SetSize(Integer AWidth, Integer AHeight) {
  if (AWidth != FWidth || AHeight != FHeight) {
    NewImage(AWidth, AHeight, FMonochrome, 0);
  }
}

HBITMAP TBitmap::Handle() { return FHandle; }

void TBitmap::SetHandle(HBITMAP Value) {
  auto P = PixelsOf(Value);
  if (!P) {
    NewImage(0, 0, false, 0);
    return;
  }
  NewImage(P->Width, P->Height, P->Mono, Value);
  DeleteObject(Value);
}

HBITMAP TBitmap::ReleaseHandle() {
  HBITMAP B = FHandle;
  if (B) {
    HBITMAP Copy = CopyBitmap(B);
    NewImage(0, 0, FMonochrome, 0);
    return Copy;
  }
  return 0;
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TBitmapCanvas>(this);
  }
  if (!FHandle) {
    // An empty bitmap still gives a canvas (that draws nowhere visible), as the class library's does.
    NewImage(0, 0, FMonochrome, 0);
  }
  return FCanvas.get();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == pf1bit) {
    SetMonochrome(true);
    return;
  }
  FPixelFormat = Value;
  if (FMonochrome) {
    SetMonochrome(false);
  }
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value != FMonochrome) {
    NewImage(FWidth, FHeight, Value, 0);
  }
}

TColor TBitmap::TransparentColor() {
  if (FTransparentColor != clDefault && TransparentMode == tmFixed) {
    return FTransparentColor;
  }
  if (Empty()) {
    return clDefault;
  }
  auto P = PixelsOf(FHandle);
  return static_cast<TColor>(Gdi::FromPixel(P->Row(FHeight - 1)[0]));
}

void TBitmap::SetTransparentColor(TColor Value) {
  FTransparentColor = Value;
  TransparentMode = Value == clDefault ? tmAuto : tmFixed;
  FreeMask();
  Changed();
}

void TBitmap::Mask(TColor TransparentColor) {
  FreeMask();
  if (Empty()) {
    return;
  }
  auto P = PixelsOf(FHandle);
  FMask = CreateBitmap(FWidth, FHeight, 1, 1, nullptr);
  auto M = PixelsOf(FMask);
  std::uint32_t Key = Gdi::ToPixel(ColorToRGB(TransparentColor)) & 0xFFFFFF;
  for (int Y = 0; Y < FHeight; ++Y) {
    for (int X = 0; X < FWidth; ++X) {
      M->Row(Y)[X] = (P->Row(Y)[X] & 0xFFFFFF) == Key ? 0xFFFFFFFF : 0xFF000000;
    }
  }
  FMaskColor = TransparentColor;
}

HBITMAP TBitmap::MaskHandle() {
  TColor C = TransparentColor();
  if (!FMask || FMaskColor != C) {
    Mask(C);
  }
  return FMask;
}

void* TBitmap::ScanLine(Integer Y) {
  if (Y < 0 || Y >= FHeight || FMonochrome || !FHandle) {
    throw ERangeError("Scan line index out of range");
  }
  return PixelsOf(FHandle)->Row(Y);
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    NewImage(0, 0, false, 0);
    return;
  }
  if (auto* B = dynamic_cast<TBitmap*>(Source)) {
    if (B == this) {
      return;
    }
    FPixelFormat = B->FPixelFormat;
    FTransparent = B->FTransparent;
    FTransparentColor = B->FTransparentColor;
    TransparentMode = B->TransparentMode;
    NewImage(B->FWidth, B->FHeight, B->FMonochrome, B->FHandle);
    return;
  }
  inherited::Assign(Source);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& R) {
  if (Empty()) {
    return;
  }
  HDC Dst = ACanvas->Handle();
  // The pixels are read through the bitmap's own canvas, which holds the bitmap.
  HDC Src = Canvas()->Handle();
  if (FMonochrome) {
    // Monochrome bitmaps take the canvas's colours.
    SetTextColor(Dst, ColorToRGB(ACanvas->Font()->Color()));
    SetBkColor(Dst, ColorToRGB(ACanvas->Brush()->Color()));
  }
  if (!FTransparent) {
    StretchBlt(Dst, R.Left, R.Top, R.Width(), R.Height(), Src, 0, 0, FWidth, FHeight,
               static_cast<DWORD>(ACanvas->CopyMode));
  } else {
    // The image where the mask is 0; the canvas shows through where it is 1.
    HBITMAP Mask = MaskHandle();
    HDC MaskDC = CreateCompatibleDC(0);
    HGDIOBJ OldMask = SelectObject(MaskDC, Mask);
    int W = R.Width(), H = R.Height();
    HDC TmpDC = CreateCompatibleDC(0);
    BITMAPINFO Info{};
    Info.bmiHeader.biWidth = std::max(1, W);
    Info.bmiHeader.biHeight = -std::max(1, H);
    Info.bmiHeader.biBitCount = 32;
    void* Bits = nullptr;
    HBITMAP Tmp = CreateDIBSection(0, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
    HBITMAP TmpMask = CreateBitmap(std::max(1, W), std::max(1, H), 1, 1, nullptr);
    HGDIOBJ OldTmp = SelectObject(TmpDC, Tmp);
    StretchBlt(TmpDC, 0, 0, W, H, Src, 0, 0, FWidth, FHeight, SRCCOPY);
    HDC TmpMaskDC = CreateCompatibleDC(0);
    HGDIOBJ OldTmpMask = SelectObject(TmpMaskDC, TmpMask);
    StretchBlt(TmpMaskDC, 0, 0, W, H, MaskDC, 0, 0, FWidth, FHeight, SRCCOPY);
    SelectObject(TmpMaskDC, OldTmpMask);
    DeleteDC(TmpMaskDC);
    MaskBlt(Dst, R.Left, R.Top, W, H, TmpDC, 0, 0, TmpMask, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
    SelectObject(TmpDC, OldTmp);
    DeleteDC(TmpDC);
    DeleteObject(Tmp);
    DeleteObject(TmpMask);
    SelectObject(MaskDC, OldMask);
    DeleteDC(MaskDC);
  }
}

void TBitmap::LoadFromStream(TStream* Stream) {
  std::string In = ReadAll(Stream);
  if (In.size() < 14 + 12 || In[0] != 'B' || In[1] != 'M') {
    throw EInvalidGraphic(SInvalidBitmap);
  }
  DWORD Offset = Get<DWORD>(In, 10);
  DWORD HeaderSize = Get<DWORD>(In, 14);
  int W = 0, H = 0, BitCount = 0;
  DWORD Compression = BI_RGB, ClrUsed = 0;
  std::size_t PaletteAt = 14 + HeaderSize;
  int PaletteEntry = 4;
  if (HeaderSize == 12) {  // the old core header
    W = Get<WORD>(In, 18);
    H = static_cast<SHORT>(Get<WORD>(In, 20));
    BitCount = Get<WORD>(In, 24);
    PaletteEntry = 3;
  } else if (HeaderSize >= 40) {
    W = Get<LONG>(In, 18);
    H = Get<LONG>(In, 22);
    BitCount = Get<WORD>(In, 28);
    Compression = Get<DWORD>(In, 30);
    ClrUsed = Get<DWORD>(In, 46);
    if (Compression == BI_BITFIELDS && HeaderSize == 40) {
      PaletteAt += 12;
    }
  } else {
    throw EInvalidGraphic(SInvalidBitmap);
  }
  bool BottomUp = H > 0;
  H = std::abs(H);
  bool Supported = (BitCount == 1 || BitCount == 4 || BitCount == 8 || BitCount == 24 || BitCount == 32) &&
                   (Compression == BI_RGB || (Compression == BI_BITFIELDS && BitCount == 32));
  if (!Supported || W <= 0 || H <= 0 || W > 32768 || H > 32768) {
    throw EInvalidGraphic(SInvalidBitmap);
  }
  std::vector<std::uint32_t> Palette;
  if (BitCount <= 8) {
    std::size_t N = ClrUsed ? ClrUsed : (1u << BitCount);
    for (std::size_t I = 0; I < N; ++I) {
      std::size_t At = PaletteAt + I * static_cast<std::size_t>(PaletteEntry);
      Palette.push_back(static_cast<std::uint32_t>(static_cast<unsigned char>(In.at(At))) |
                        (static_cast<std::uint32_t>(static_cast<unsigned char>(In.at(At + 1))) << 8) |
                        (static_cast<std::uint32_t>(static_cast<unsigned char>(In.at(At + 2))) << 16));
    }
  }
  std::vector<std::uint32_t> Pixels;
  DecodeRows(In, Offset, W, H, BottomUp, BitCount, Palette, Pixels);
  bool Mono = BitCount == 1 && Palette.size() == 2 && (Palette[0] & 0xFFFFFF) == 0 && (Palette[1] & 0xFFFFFF) == 0xFFFFFF;
  NewImage(W, H, Mono, 0);
  auto P = PixelsOf(FHandle);
  for (int Y = 0; Y < H; ++Y) {
    std::memcpy(P->Row(Y), Pixels.data() + static_cast<std::size_t>(Y) * W, static_cast<std::size_t>(W) * 4);
  }
  FPixelFormat = BitCount == 32 ? pf32bit : BitCount == 24 ? pf24bit : BitCount == 8 ? pf8bit : BitCount == 4 ? pf4bit : pfDevice;
  Modified = false;
}

void TBitmap::SaveToStream(TStream* Stream) {
  int BitCount = FMonochrome ? 1 : FPixelFormat == pf32bit ? 32 : 24;
  std::size_t RowBytes = ((static_cast<std::size_t>(FWidth) * BitCount + 31) / 32) * 4;
  DWORD PaletteSize = BitCount == 1 ? 8 : 0;
  DWORD Offset = 14 + 40 + PaletteSize;
  std::string Out;
  Out += "BM";
  Put<DWORD>(Out, static_cast<DWORD>(Offset + RowBytes * static_cast<std::size_t>(FHeight)));
  Put<DWORD>(Out, 0);
  Put<DWORD>(Out, Offset);
  Put<DWORD>(Out, 40);
  Put<LONG>(Out, FWidth);
  Put<LONG>(Out, FHeight);
  Put<WORD>(Out, 1);
  Put<WORD>(Out, static_cast<WORD>(BitCount));
  Put<DWORD>(Out, BI_RGB);
  Put<DWORD>(Out, static_cast<DWORD>(RowBytes * static_cast<std::size_t>(FHeight)));
  Put<LONG>(Out, 3780);
  Put<LONG>(Out, 3780);
  Put<DWORD>(Out, BitCount == 1 ? 2 : 0);
  Put<DWORD>(Out, 0);
  if (BitCount == 1) {
    Put<DWORD>(Out, 0);
    Put<DWORD>(Out, 0xFFFFFF);
  }
  auto P = PixelsOf(FHandle);
  for (int Y = FHeight - 1; Y >= 0; --Y) {
    std::string Row(RowBytes, '\0');
    const std::uint32_t* Src = P->Row(Y);
    for (int X = 0; X < FWidth; ++X) {
      std::uint32_t Px = Src[X];
      if (BitCount == 1) {
        if (Px & 0xFFFFFF) {
          Row[static_cast<std::size_t>(X / 8)] = static_cast<char>(Row[static_cast<std::size_t>(X / 8)] | (0x80 >> (X % 8)));
        }
      } else {
        std::size_t At = static_cast<std::size_t>(X) * static_cast<std::size_t>(BitCount / 8);
        Row[At] = static_cast<char>(Px & 0xFF);
        Row[At + 1] = static_cast<char>((Px >> 8) & 0xFF);
        Row[At + 2] = static_cast<char>((Px >> 16) & 0xFF);
      }
    }
    Out += Row;
  }
  Stream->WriteBuffer(Out.data(), static_cast<LongInt>(Out.size()));
}

std::string BitmapFileBytes(std::string Data) {
  if (Data.size() >= 2 && Data[0] == 'B' && Data[1] == 'M') {
    return Data;
  }
  // A bitmap resource is a BMP file without its 14-byte file header: put one in front.
  if (Data.size() < 40) {
    throw EInvalidGraphic(SInvalidBitmap);
  }
  DWORD HeaderSize = Get<DWORD>(Data, 0);
  WORD BitCount = Get<WORD>(Data, 14);
  DWORD ClrUsed = HeaderSize >= 40 ? Get<DWORD>(Data, 32) : 0;
  DWORD Colors = BitCount <= 8 ? (ClrUsed ? ClrUsed : (1u << BitCount)) : 0;
  std::string File = "BM";
  Put<DWORD>(File, static_cast<DWORD>(14 + Data.size()));
  Put<DWORD>(File, 0);
  Put<DWORD>(File, 14 + HeaderSize + Colors * 4);
  return File + Data;
}

HBITMAP BitmapFromBytes(const std::string& Data) {
  std::string File = BitmapFileBytes(Data);
  TMemoryStream M;
  M.WriteBuffer(File.data(), static_cast<LongInt>(File.size()));
  M.SetPosition(0);
  TBitmap B;
  B.LoadFromStream(&M);
  return B.ReleaseHandle();
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const std::string& ResName) {
  std::string Data;
  if (HRSRC R = FindResource(static_cast<HMODULE>(Instance), ResName.c_str(), RT_BITMAP)) {
    Data.assign(static_cast<const char*>(LockResource(LoadResource(nullptr, R))), SizeofResource(nullptr, R));
  } else {
    TResourceStream Res(ResName);
    Data = ReadAll(&Res);
  }
  std::string File = BitmapFileBytes(Data);
  TMemoryStream M;
  M.WriteBuffer(File.data(), static_cast<LongInt>(File.size()));
  M.SetPosition(0);
  LoadFromStream(&M);
}

// ---- TIcon -------------------------------------------------------------------------------------------------------

TIcon::~TIcon() {
  if (FHandle) {
    DestroyIcon(FHandle);
  }
}

void TIcon::SetHandle(HICON Value) {
  if (FHandle && FHandle != Value) {
    DestroyIcon(FHandle);
  }
  FHandle = Value;
  ICONINFO I;
  if (Value && GetIconInfo(Value, &I)) {
    BITMAP B;
    GetObject(I.hbmMask, sizeof B, &B);
    FWidth = B.bmWidth;
    FHeight = I.hbmColor ? B.bmHeight : B.bmHeight / 2;
    DeleteObject(I.hbmMask);
    if (I.hbmColor) {
      DeleteObject(I.hbmColor);
    }
  }
  Changed();
}

HICON TIcon::ReleaseHandle() {
  HICON H = FHandle;
  FHandle = 0;
  return H;
}

void TIcon::Assign(TPersistent* Source) {
  if (auto* I = dynamic_cast<TIcon*>(Source)) {
    SetHandle(I->FHandle ? CopyIcon(I->FHandle) : 0);
    return;
  }
  inherited::Assign(Source);
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& R) {
  if (FHandle) {
    DrawIconEx(ACanvas->Handle(), R.Left, R.Top, FHandle, R.Width(), R.Height(), 0, 0, DI_NORMAL);
  }
}

HICON IconFromBytes(const std::string& In) {
  // Icon (type 1) and cursor (type 2) files: the first image, 24 or 32 bits with its mask.
  if (In.size() < 6 + 16 || Get<WORD>(In, 0) != 0 || (Get<WORD>(In, 2) != 1 && Get<WORD>(In, 2) != 2) ||
      Get<WORD>(In, 4) == 0) {
    throw EInvalidGraphic(SInvalidIcon);
  }
  DWORD At = Get<DWORD>(In, 6 + 12);
  int W = Get<LONG>(In, At + 4);
  int H = Get<LONG>(In, At + 8) / 2;
  int BitCount = Get<WORD>(In, At + 14);
  if ((BitCount != 32 && BitCount != 24) || W <= 0 || H <= 0 || W > 1024 || H > 1024) {
    throw EInvalidGraphic(SInvalidIcon);
  }
  std::vector<std::uint32_t> Color, MaskBits;
  std::size_t Bits = At + Get<DWORD>(In, At);
  DecodeRows(In, Bits, W, H, true, BitCount, {}, Color);
  std::size_t MaskAt = Bits + ((static_cast<std::size_t>(W) * BitCount + 31) / 32) * 4 * static_cast<std::size_t>(H);
  DecodeRows(In, MaskAt, W, H, true, 1, {0, 0xFFFFFF}, MaskBits);
  HBITMAP C = NewSection(W, H);
  HBITMAP M = CreateBitmap(W, H, 1, 1, nullptr);
  auto Cp = PixelsOf(C);
  auto Mp = PixelsOf(M);
  for (int Y = 0; Y < H; ++Y) {
    for (int X = 0; X < W; ++X) {
      std::size_t I = static_cast<std::size_t>(Y) * W + X;
      Cp->Row(Y)[X] = Color[I];
      Mp->Row(Y)[X] = MaskBits[I];
    }
  }
  ICONINFO Info;
  Info.fIcon = Get<WORD>(In, 2) == 1;
  Info.hbmColor = C;
  Info.hbmMask = M;
  HICON Icon = CreateIconIndirect(&Info);
  DeleteObject(C);
  DeleteObject(M);
  return Icon;
}

void TIcon::LoadFromStream(TStream* Stream) { SetHandle(IconFromBytes(ReadAll(Stream))); }

void TIcon::SaveToStream(TStream* Stream) {
  ICONINFO I;
  if (!FHandle || !GetIconInfo(FHandle, &I)) {
    throw EInvalidGraphic(SInvalidIcon);
  }
  auto M = PixelsOf(I.hbmMask);
  auto C = PixelsOf(I.hbmColor);
  int W = FWidth, H = FHeight;
  std::size_t MaskRow = ((static_cast<std::size_t>(W) + 31) / 32) * 4;
  std::size_t Size = 40 + static_cast<std::size_t>(W) * H * 4 + MaskRow * H;
  std::string Out;
  Put<WORD>(Out, 0);
  Put<WORD>(Out, 1);
  Put<WORD>(Out, 1);
  Out += static_cast<char>(W >= 256 ? 0 : W);
  Out += static_cast<char>(H >= 256 ? 0 : H);
  Out += '\0';
  Out += '\0';
  Put<WORD>(Out, 1);
  Put<WORD>(Out, 32);
  Put<DWORD>(Out, static_cast<DWORD>(Size));
  Put<DWORD>(Out, 22);
  Put<DWORD>(Out, 40);
  Put<LONG>(Out, W);
  Put<LONG>(Out, H * 2);
  Put<WORD>(Out, 1);
  Put<WORD>(Out, 32);
  for (int K = 0; K < 6; ++K) {
    Put<DWORD>(Out, 0);
  }
  for (int Y = H - 1; Y >= 0; --Y) {
    for (int X = 0; X < W; ++X) {
      bool Clear = M->Row(Y)[X] & 0xFFFFFF;
      std::uint32_t Px = C ? (C->Row(Y)[X] & 0xFFFFFF) : 0;
      Put<std::uint32_t>(Out, Clear ? 0u : (Px | 0xFF000000u));
    }
  }
  for (int Y = H - 1; Y >= 0; --Y) {
    std::string Row(MaskRow, '\0');
    for (int X = 0; X < W; ++X) {
      if (M->Row(Y)[X] & 0xFFFFFF) {
        Row[static_cast<std::size_t>(X / 8)] = static_cast<char>(Row[static_cast<std::size_t>(X / 8)] | (0x80 >> (X % 8)));
      }
    }
    Out += Row;
  }
  DeleteObject(I.hbmMask);
  if (I.hbmColor) {
    DeleteObject(I.hbmColor);
  }
  Stream->WriteBuffer(Out.data(), static_cast<LongInt>(Out.size()));
}

// ---- TPicture ----------------------------------------------------------------------------------------------------

TPicture::~TPicture() = default;

void TPicture::Changed(TObject*) {
  if (OnChange) {
    OnChange(this);
  }
}

void TPicture::Adopt(std::unique_ptr<TGraphic> G) {
  FGraphic = std::move(G);
  if (FGraphic) {
    FGraphic->OnChange = [this](TObject* S) { Changed(S); };
  }
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (!Value) {
    Adopt(nullptr);
    return;
  }
  auto* Copy = static_cast<TGraphic*>(Value->ClassType()->NewInstance(nullptr));
  std::unique_ptr<TGraphic> G(Copy);
  G->Assign(Value);
  Adopt(std::move(G));
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) {
    Adopt(std::make_unique<TBitmap>());
  }
  return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon() {
  if (!dynamic_cast<TIcon*>(FGraphic.get())) {
    Adopt(std::make_unique<TIcon>());
  }
  return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    Adopt(nullptr);
  } else if (auto* P = dynamic_cast<TPicture*>(Source)) {
    SetGraphic(P->FGraphic.get());
  } else if (auto* G = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(G);
  } else {
    inherited::Assign(Source);
  }
}

void TPicture::LoadFromFile(const std::string& FileName) {
  std::string Ext = LowerCase(ExtractFileExt(FileName));
  std::unique_ptr<TGraphic> G;
  if (Ext == ".bmp") {
    G = std::make_unique<TBitmap>();
  } else if (Ext == ".ico") {
    G = std::make_unique<TIcon>();
  } else {
    throw EInvalidGraphic(Format("Unknown picture file extension (%s)", {Ext}));
  }
  G->LoadFromFile(FileName);
  Adopt(std::move(G));
}

void TPicture::SaveToFile(const std::string& FileName) {
  if (FGraphic) {
    FGraphic->SaveToFile(FileName);
  }
}
