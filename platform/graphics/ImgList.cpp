// Image lists: the list store behind HIMAGELIST, drawing with the ILD_ styles, dragging an image over the screen,
// TCustomImageList and TDragImageList.
#include "platform/graphics/GdiInternals.h"
#include "platform/graphics/ImgList.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/classes/TypInfo.h"
#include "platform/win/WinUser.h"

#include <algorithm>
#include <unordered_map>

Z_IMPLEMENT_CLASS(TChangeLink, TObject)
Z_IMPLEMENT_CLASS(TCustomImageList, TComponent)
Z_IMPLEMENT_CLASS_PUBLISHED(TImageList, TCustomImageList, TImageList::Publish)
Z_IMPLEMENT_CLASS(TDragImageList, TCustomImageList)

namespace {

struct TImage {
  std::vector<std::uint32_t> Pixels;  // Cx * Cy
  std::vector<std::uint8_t> Clear;    // 1 where the mask lets the background show
};

struct TListRec {
  int Cx = 16;
  int Cy = 16;
  UINT Flags = 0;
  COLORREF Bk = CLR_NONE;
  std::vector<TImage> Images;
  int Overlays[16];
  TListRec() { std::fill(std::begin(Overlays), std::end(Overlays), -1); }
};

std::unordered_map<HIMAGELIST, TListRec>& Lists() {
  static std::unordered_map<HIMAGELIST, TListRec> M;
  return M;
}

TListRec* ListOf(HIMAGELIST H) {
  auto It = Lists().find(H);
  return It == Lists().end() ? nullptr : &It->second;
}

PPixels PixelsOf(HBITMAP B) {
  auto O = Gdi::Object(B, OBJ_BITMAP);
  return O ? O->Bitmap : nullptr;
}

// Cuts the bitmap into images of the list's size; MaskOf decides the see-through pixels.
template <class F>
std::vector<TImage> Slice(const TListRec& L, const TPixels& P, F&& MaskOf) {
  std::vector<TImage> Out;
  int N = std::max(1, P.Width / std::max(1, L.Cx));
  for (int I = 0; I < N; ++I) {
    TImage Img;
    Img.Pixels.assign(static_cast<std::size_t>(L.Cx * L.Cy), 0xFF000000);
    Img.Clear.assign(static_cast<std::size_t>(L.Cx * L.Cy), 0);
    for (int Y = 0; Y < L.Cy && Y < P.Height; ++Y) {
      for (int X = 0; X < L.Cx && I * L.Cx + X < P.Width; ++X) {
        std::size_t K = static_cast<std::size_t>(Y * L.Cx + X);
        Img.Pixels[K] = P.Row(Y)[I * L.Cx + X] | 0xFF000000u;
        Img.Clear[K] = MaskOf(I * L.Cx + X, Y, Img.Pixels[K]) ? 1 : 0;
      }
    }
    Out.push_back(std::move(Img));
  }
  return Out;
}

std::vector<TImage> FromBitmaps(const TListRec& L, HBITMAP Image, HBITMAP Mask) {
  auto P = PixelsOf(Image);
  if (!P) {
    return {};
  }
  auto M = PixelsOf(Mask);
  bool UseMask = M && (L.Flags & ILC_MASK);
  return Slice(L, *P, [&](int X, int Y, std::uint32_t) {
    return UseMask && X < M->Width && Y < M->Height && (M->Row(Y)[X] & 0xFFFFFF) != 0;
  });
}

std::uint32_t Mix(std::uint32_t A, std::uint32_t B, int PercentB) {
  auto Ch = [&](int Shift) {
    int Ca = static_cast<int>((A >> Shift) & 0xFF), Cb = static_cast<int>((B >> Shift) & 0xFF);
    return static_cast<std::uint32_t>((Ca * (100 - PercentB) + Cb * PercentB) / 100) << Shift;
  };
  return 0xFF000000u | Ch(16) | Ch(8) | Ch(0);
}

void DrawOne(const TListRec& L, const TImage& Img, TDCRec& D, TPixels& P, const TRegionData& Clip, int X, int Y,
             int W, int H, COLORREF Bk, COLORREF Fg, UINT Style) {
  bool Masked = L.Flags & ILC_MASK;
  bool Transparent = (Style & ILD_TRANSPARENT) || Bk == CLR_NONE;
  int Blend = (Style & ILD_BLEND50) ? 50 : (Style & ILD_BLEND25) ? 25 : 0;
  std::uint32_t FgPx = Gdi::ToPixel(Fg == CLR_DEFAULT || Fg == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : Fg);
  if (Fg == CLR_NONE) {
    Blend = 0;
  }
  std::uint32_t BkPx = Gdi::ToPixel(Bk == CLR_NONE ? 0 : Bk);
  TPoint O = Gdi::ToSurface(D, X, Y);
  for (int Yy = 0; Yy < std::min(H, L.Cy); ++Yy) {
    for (int Xx = 0; Xx < std::min(W, L.Cx); ++Xx) {
      int Sx = O.X + Xx, Sy = O.Y + Yy;
      if (!Clip.Contains(Sx, Sy)) {
        continue;
      }
      std::size_t K = static_cast<std::size_t>(Yy * L.Cx + Xx);
      bool Clear = Masked && Img.Clear[K];
      std::uint32_t& Dst = P.Row(Sy)[Sx];
      if (Style & ILD_MASK) {
        // The mask alone: black where the image is, the destination where it is see-through.
        if (!Clear) {
          Dst = 0xFF000000;
        }
        continue;
      }
      if (Clear) {
        if (!Transparent) {
          Dst = BkPx;
        }
        continue;
      }
      Dst = Blend ? Mix(Img.Pixels[K], FgPx, Blend) : Img.Pixels[K];
    }
  }
  Gdi::Touch(D, Rect(O.X, O.Y, O.X + std::min(W, L.Cx), O.Y + std::min(H, L.Cy)));
}

}  // namespace

HIMAGELIST ImageList_Create(int Cx, int Cy, UINT Flags, int, int) {
  if (Cx <= 0 || Cy <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  static std::uintptr_t Next = 0x20000001;
  std::lock_guard G(Gdi::Lock());
  TListRec L;
  L.Cx = Cx;
  L.Cy = Cy;
  L.Flags = Flags;
  HIMAGELIST H = Next;
  Next += 2;
  Lists()[H] = L;
  return H;
}

BOOL ImageList_Destroy(HIMAGELIST List) {
  std::lock_guard G(Gdi::Lock());
  return Lists().erase(List) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST List) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  return L ? static_cast<int>(L->Images.size()) : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST List, UINT Count) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  if (!L) {
    return FALSE;
  }
  TImage Blank;
  Blank.Pixels.assign(static_cast<std::size_t>(L->Cx * L->Cy), 0xFF000000);
  Blank.Clear.assign(static_cast<std::size_t>(L->Cx * L->Cy), 1);
  L->Images.resize(Count, Blank);
  return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST List, int* Cx, int* Cy) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  if (!L || !Cx || !Cy) {
    return FALSE;
  }
  *Cx = L->Cx;
  *Cy = L->Cy;
  return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST List, int Cx, int Cy) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  if (!L || Cx <= 0 || Cy <= 0) {
    return FALSE;
  }
  L->Cx = Cx;
  L->Cy = Cy;
  L->Images.clear();
  return TRUE;
}

int ImageList_Add(HIMAGELIST List, HBITMAP Image, HBITMAP Mask) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  if (!L) {
    return -1;
  }
  auto New = FromBitmaps(*L, Image, Mask);
  if (New.empty()) {
    return -1;
  }
  int First = static_cast<int>(L->Images.size());
  L->Images.insert(L->Images.end(), New.begin(), New.end());
  return First;
}

int ImageList_AddMasked(HIMAGELIST List, HBITMAP Image, COLORREF MaskColor) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  auto P = PixelsOf(Image);
  if (!L || !P) {
    return -1;
  }
  std::uint32_t Key = Gdi::ToPixel(MaskColor) & 0xFFFFFF;
  bool UseMask = L->Flags & ILC_MASK;
  auto New = Slice(*L, *P, [&](int, int, std::uint32_t Px) { return UseMask && (Px & 0xFFFFFF) == Key; });
  for (TImage& I : New) {
    for (std::size_t K = 0; K < I.Pixels.size(); ++K) {
      if (I.Clear[K]) {
        I.Pixels[K] = 0xFF000000;  // the masked colour becomes black in the image, as on the platform
      }
    }
  }
  int First = static_cast<int>(L->Images.size());
  L->Images.insert(L->Images.end(), New.begin(), New.end());
  return First;
}

BOOL ImageList_Replace(HIMAGELIST List, int Index, HBITMAP Image, HBITMAP Mask) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  if (!L || Index < 0 || Index >= static_cast<int>(L->Images.size())) {
    return FALSE;
  }
  auto New = FromBitmaps(*L, Image, Mask);
  if (New.empty()) {
    return FALSE;
  }
  L->Images[static_cast<std::size_t>(Index)] = New.front();
  return TRUE;
}

int ImageList_ReplaceIcon(HIMAGELIST List, int Index, HICON Icon) {
  ICONINFO Info;
  if (!GetIconInfo(Icon, &Info)) {
    return -1;
  }
  int Result = -1;
  {
    std::lock_guard G(Gdi::Lock());
    auto* L = ListOf(List);
    auto M = PixelsOf(Info.hbmMask);
    auto C = PixelsOf(Info.hbmColor);
    if (L && M && C && (Index == -1 || (Index >= 0 && Index < static_cast<int>(L->Images.size())))) {
      // Icons keep their mask even in lists made without ILC_MASK.
      TListRec Probe = *L;
      Probe.Flags |= ILC_MASK;
      auto New = Slice(Probe, *C, [&](int X, int Y, std::uint32_t) {
        return X < M->Width && Y < M->Height && (M->Row(Y)[X] & 0xFFFFFF) != 0;
      });
      if (Index == -1) {
        Result = static_cast<int>(L->Images.size());
        L->Images.push_back(New.front());
      } else {
        L->Images[static_cast<std::size_t>(Index)] = New.front();
        Result = Index;
      }
      L->Flags |= ILC_MASK;
    }
  }
  DeleteObject(Info.hbmMask);
  if (Info.hbmColor) {
    DeleteObject(Info.hbmColor);
  }
  return Result;
}

BOOL ImageList_Remove(HIMAGELIST List, int Index) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  if (!L) {
    return FALSE;
  }
  if (Index == -1) {
    L->Images.clear();
    return TRUE;
  }
  if (Index < 0 || Index >= static_cast<int>(L->Images.size())) {
    return FALSE;
  }
  L->Images.erase(L->Images.begin() + Index);
  return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST List, COLORREF Color) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  if (!L) {
    return CLR_NONE;
  }
  COLORREF Old = L->Bk;
  L->Bk = Color;
  return Old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST List) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  return L ? L->Bk : CLR_NONE;
}

BOOL ImageList_SetOverlayImage(HIMAGELIST List, int Image, int Overlay) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  if (!L || Overlay < 1 || Overlay > 15) {
    return FALSE;
  }
  L->Overlays[Overlay] = Image;
  return TRUE;
}

BOOL ImageList_DrawEx(HIMAGELIST List, int Index, HDC DC, int X, int Y, int Dx, int Dy, COLORREF Bk, COLORREF Fg,
                      UINT Style) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  auto D = Gdi::DC(DC);
  if (!L || !D || Index < 0 || Index >= static_cast<int>(L->Images.size())) {
    return FALSE;
  }
  PPixels P = Gdi::Surface(*D);
  if (!P) {
    return TRUE;
  }
  TRegionData Clip = Gdi::EffectiveClip(*D);
  int W = Dx ? Dx : L->Cx, H = Dy ? Dy : L->Cy;
  COLORREF Back = Bk == CLR_DEFAULT ? L->Bk : Bk;
  DrawOne(*L, L->Images[static_cast<std::size_t>(Index)], *D, *P, Clip, X, Y, W, H, Back, Fg, Style);
  int Overlay = static_cast<int>((Style & ILD_OVERLAYMASK) >> 8);
  if (Overlay > 0) {
    int O = L->Overlays[Overlay];
    if (O >= 0 && O < static_cast<int>(L->Images.size())) {
      DrawOne(*L, L->Images[static_cast<std::size_t>(O)], *D, *P, Clip, X, Y, W, H, CLR_NONE, Fg,
              (Style & ~ILD_OVERLAYMASK) | ILD_TRANSPARENT);
    }
  }
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST List, int Index, HDC DC, int X, int Y, UINT Style) {
  return ImageList_DrawEx(List, Index, DC, X, Y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, Style);
}

HICON ImageList_GetIcon(HIMAGELIST List, int Index, UINT) {
  HBITMAP Color = 0, Mask = 0;
  {
    std::lock_guard G(Gdi::Lock());
    auto* L = ListOf(List);
    if (!L || Index < 0 || Index >= static_cast<int>(L->Images.size())) {
      return 0;
    }
    const TImage& Img = L->Images[static_cast<std::size_t>(Index)];
    Color = CreateBitmap(L->Cx, L->Cy, 1, 32, nullptr);
    Mask = CreateBitmap(L->Cx, L->Cy, 1, 1, nullptr);
    auto C = PixelsOf(Color);
    auto M = PixelsOf(Mask);
    for (int Y = 0; Y < L->Cy; ++Y) {
      for (int X = 0; X < L->Cx; ++X) {
        std::size_t K = static_cast<std::size_t>(Y * L->Cx + X);
        bool Clear = (L->Flags & ILC_MASK) && Img.Clear[K];
        C->Row(Y)[X] = Clear ? 0xFF000000 : Img.Pixels[K];
        M->Row(Y)[X] = Clear ? 0xFFFFFFFF : 0xFF000000;
      }
    }
  }
  ICONINFO Info;
  Info.hbmColor = Color;
  Info.hbmMask = Mask;
  HICON Icon = CreateIconIndirect(&Info);
  DeleteObject(Color);
  DeleteObject(Mask);
  return Icon;
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST List) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  if (!L) {
    return 0;
  }
  TListRec Copy = *L;
  HIMAGELIST H = ImageList_Create(Copy.Cx, Copy.Cy, Copy.Flags, 0, 0);
  Lists()[H] = Copy;
  return H;
}

// ---- Drag images -------------------------------------------------------------------------------------------------

namespace {

// One image with its size and hot spot, as the drag copies it out of a list.
struct TDragPicture {
  int Cx = 0;
  int Cy = 0;
  TPoint Hot{0, 0};
  TImage Img;
};

struct TDragState {
  bool Active = false;   // between BeginDrag and EndDrag
  TDragPicture Base;     // the dragged image
  bool HasCursor = false;
  TDragPicture Cursor;   // merged by SetDragCursorImage
  HIMAGELIST List = 0;   // the picture shown: Base with Cursor merged
  TPoint Hot{0, 0};      // of the picture shown
  bool Entered = false;  // between DragEnter and DragLeave
  bool Shown = false;
  HWND Lock = 0;
  TPoint Pos{0, 0};      // relative to Lock's window rectangle
  HWND Wnd = 0;          // the window showing the picture
};
TDragState DragImage;

// The see-through parts of the drag picture are painted in this colour, the layered window's colour key.
constexpr COLORREF DragKeyColor = RGB(254, 253, 254);
constexpr BYTE DragAlpha = 160;
const char* const DragWindowClass = "ZDragImageWindow";

bool CopyPicture(HIMAGELIST List, int Index, int HotX, int HotY, TDragPicture& Out) {
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(List);
  if (!L || Index < 0 || Index >= static_cast<int>(L->Images.size())) {
    return false;
  }
  Out.Cx = L->Cx;
  Out.Cy = L->Cy;
  Out.Hot = Point(HotX, HotY);
  Out.Img = L->Images[static_cast<std::size_t>(Index)];
  if (!(L->Flags & ILC_MASK)) {
    std::fill(Out.Img.Clear.begin(), Out.Img.Clear.end(), 0);
  }
  return true;
}

// Builds the picture shown from the dragged image and the merged cursor image (hot spots on one point).
void ComposeDragPicture() {
  TDragState& D = DragImage;
  int Left = 0, Top = 0, Right = D.Base.Cx, Bottom = D.Base.Cy;
  TPoint CurAt{0, 0};  // the cursor image's corner relative to the base image's
  if (D.HasCursor) {
    CurAt = Point(D.Base.Hot.X - D.Cursor.Hot.X, D.Base.Hot.Y - D.Cursor.Hot.Y);
    Left = std::min(Left, CurAt.X);
    Top = std::min(Top, CurAt.Y);
    Right = std::max(Right, CurAt.X + D.Cursor.Cx);
    Bottom = std::max(Bottom, CurAt.Y + D.Cursor.Cy);
  }
  int W = Right - Left, H = Bottom - Top;
  TImage Out;
  Out.Pixels.assign(static_cast<std::size_t>(W * H), 0xFF000000);
  Out.Clear.assign(static_cast<std::size_t>(W * H), 1);
  auto Put = [&](const TDragPicture& P, int Ox, int Oy) {
    for (int Y = 0; Y < P.Cy; ++Y) {
      for (int X = 0; X < P.Cx; ++X) {
        std::size_t From = static_cast<std::size_t>(Y * P.Cx + X);
        if (P.Img.Clear[From]) {
          continue;
        }
        std::size_t To = static_cast<std::size_t>((Oy + Y) * W + Ox + X);
        Out.Pixels[To] = P.Img.Pixels[From];
        Out.Clear[To] = 0;
      }
    }
  };
  Put(D.Base, -Left, -Top);
  if (D.HasCursor) {
    Put(D.Cursor, CurAt.X - Left, CurAt.Y - Top);
  }
  D.Hot = Point(D.Base.Hot.X - Left, D.Base.Hot.Y - Top);
  if (D.List) {
    ImageList_Destroy(D.List);
  }
  D.List = ImageList_Create(W, H, ILC_MASK | ILC_COLOR32, 1, 0);
  std::lock_guard G(Gdi::Lock());
  ListOf(D.List)->Images.push_back(std::move(Out));
}

LRESULT DragWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // the mouse passes through to the windows beneath
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT Ps;
      HDC DC = BeginPaint(Wnd, &Ps);
      TRect R;
      GetClientRect(Wnd, &R);
      HBRUSH Key = CreateSolidBrush(DragKeyColor);
      FillRect(DC, &R, Key);
      DeleteObject(Key);
      if (DragImage.List) {
        ImageList_Draw(DragImage.List, 0, DC, 0, 0, ILD_TRANSPARENT);
      }
      EndPaint(Wnd, &Ps);
      return 0;
    }
    default:
      return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
}

HWND DragWindow() {
  TDragState& D = DragImage;
  if (D.Wnd && IsWindow(D.Wnd)) {
    return D.Wnd;
  }
  static bool Registered = false;
  if (!Registered) {
    WNDCLASS C{};
    C.lpfnWndProc = DragWindowProc;
    C.lpszClassName = DragWindowClass;
    Registered = RegisterClass(&C) != 0;
  }
  D.Wnd = CreateWindowEx(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                         DragWindowClass, "", WS_POPUP, 0, 0, 1, 1, 0, 0, 0, nullptr);
  return D.Wnd;
}

// Places the drag window over the screen as the state says: shown at the position minus the hot spot.
void UpdateDragWindow(bool Repaint) {
  TDragState& D = DragImage;
  bool Show = D.Active && D.Entered && D.Shown && D.List;
  if (!Show) {
    if (D.Wnd && IsWindow(D.Wnd) && IsWindowVisible(D.Wnd)) {
      ShowWindow(D.Wnd, SW_HIDE);
    }
    return;
  }
  HWND W = DragWindow();
  if (!W) {
    return;
  }
  TPoint Origin{0, 0};
  if (D.Lock && D.Lock != GetDesktopWindow()) {
    TRect R;
    GetWindowRect(D.Lock, &R);
    Origin = Point(R.Left, R.Top);
  }
  int Cx = 0, Cy = 0;
  ImageList_GetIconSize(D.List, &Cx, &Cy);
  bool WasVisible = IsWindowVisible(W);
  SetWindowPos(W, HWND_TOPMOST, Origin.X + D.Pos.X - D.Hot.X, Origin.Y + D.Pos.Y - D.Hot.Y, Cx, Cy,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (!WasVisible) {
    SetLayeredWindowAttributes(W, DragKeyColor, DragAlpha, LWA_ALPHA | LWA_COLORKEY);
  }
  if (Repaint || !WasVisible) {
    InvalidateRect(W, nullptr, TRUE);
    UpdateWindow(W);
  }
}

}  // namespace

BOOL ImageList_BeginDrag(HIMAGELIST Track, int Index, int HotspotX, int HotspotY) {
  TDragPicture P;
  if (!CopyPicture(Track, Index, HotspotX, HotspotY, P)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (DragImage.Active) {
    ImageList_EndDrag();
  }
  DragImage.Active = true;
  DragImage.Base = std::move(P);
  DragImage.HasCursor = false;
  ComposeDragPicture();
  return TRUE;
}

BOOL ImageList_DragEnter(HWND Lock, int X, int Y) {
  TDragState& D = DragImage;
  if (!D.Active || (Lock && !IsWindow(Lock))) {
    return FALSE;
  }
  D.Lock = Lock;
  D.Pos = Point(X, Y);
  D.Entered = true;
  D.Shown = true;
  UpdateDragWindow(false);
  return TRUE;
}

BOOL ImageList_DragMove(int X, int Y) {
  TDragState& D = DragImage;
  if (!D.Active) {
    return FALSE;
  }
  D.Pos = Point(X, Y);
  UpdateDragWindow(false);
  return TRUE;
}

BOOL ImageList_DragLeave(HWND Lock) {
  TDragState& D = DragImage;
  if (!D.Active || !D.Entered || D.Lock != Lock) {
    return FALSE;
  }
  D.Entered = false;
  D.Lock = 0;
  UpdateDragWindow(false);
  return TRUE;
}

BOOL ImageList_DragShowNolock(BOOL Show) {
  TDragState& D = DragImage;
  if (!D.Active) {
    return FALSE;
  }
  D.Shown = Show != FALSE;
  UpdateDragWindow(false);
  return TRUE;
}

void ImageList_EndDrag() {
  TDragState& D = DragImage;
  HWND Wnd = D.Wnd;
  if (D.List) {
    ImageList_Destroy(D.List);
  }
  D = TDragState{};
  D.Wnd = Wnd;
  UpdateDragWindow(false);  // hides the window; it is kept for the next drag
}

BOOL ImageList_SetDragCursorImage(HIMAGELIST Drag, int Index, int HotspotX, int HotspotY) {
  TDragState& D = DragImage;
  TDragPicture P;
  if (!D.Active || !CopyPicture(Drag, Index, HotspotX, HotspotY, P)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  D.Cursor = std::move(P);
  D.HasCursor = true;
  ComposeDragPicture();
  UpdateDragWindow(true);
  return TRUE;
}

HIMAGELIST ImageList_GetDragImage(TPoint* Pt, TPoint* Hotspot) {
  TDragState& D = DragImage;
  if (!D.Active) {
    return 0;
  }
  if (Pt) {
    *Pt = D.Pos;
  }
  if (Hotspot) {
    *Hotspot = D.Hot;
  }
  return D.List;
}

// ---- TChangeLink and TCustomImageList ----------------------------------------------------------------------------

TChangeLink::~TChangeLink() {
  if (Sender) {
    Sender->UnRegisterChanges(this);
  }
}

void TChangeLink::Change() {
  if (OnChange) {
    OnChange(Sender);
  }
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* L : FClients) {
    L->Sender = nullptr;
  }
  if (FHandle && !ShareImages) {
    ImageList_Destroy(FHandle);
  }
}

void TCustomImageList::SetHandle(HIMAGELIST Value) {
  if (FHandle && FHandle != Value && !ShareImages) {
    ImageList_Destroy(FHandle);
  }
  FHandle = Value;
  if (FHandle) {
    int Cx = 0, Cy = 0;
    ImageList_GetIconSize(FHandle, &Cx, &Cy);
    FWidth = Cx;
    FHeight = Cy;
  }
  Change();
}

HIMAGELIST TCustomImageList::Handle() {
  if (!FHandle) {
    FHandle = ImageList_Create(FWidth, FHeight, (Masked ? ILC_MASK : 0) | ILC_COLOR32, 0, 4);
    ImageList_SetBkColor(FHandle, FBkColor == clNone ? CLR_NONE : ColorToRGB(FBkColor));
  }
  return FHandle;
}

void TCustomImageList::SetWidth(Integer Value) {
  if (Value != FWidth && Value > 0) {
    FWidth = Value;
    ImageList_SetIconSize(Handle(), FWidth, FHeight);
    Change();
  }
}

void TCustomImageList::SetHeight(Integer Value) {
  if (Value != FHeight && Value > 0) {
    FHeight = Value;
    ImageList_SetIconSize(Handle(), FWidth, FHeight);
    Change();
  }
}

Integer TCustomImageList::Count() { return ImageList_GetImageCount(Handle()); }

void TCustomImageList::SetBkColor(TColor Value) {
  FBkColor = Value;
  ImageList_SetBkColor(Handle(), Value == clNone ? CLR_NONE : ColorToRGB(Value));
  Change();
}

void TCustomImageList::CheckIndex(Integer Index) {
  if (Index < 0 || Index >= Count()) {
    throw EInvalidOperation("Invalid ImageList Index");
  }
}

Integer TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image) {
    return -1;
  }
  Integer R = ImageList_Add(Handle(), Image->Handle(), Mask ? Mask->Handle() : 0);
  Change();
  return R;
}

Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image) {
    return -1;
  }
  Integer R = Masked ? ImageList_AddMasked(Handle(), Image->Handle(), ColorToRGB(MaskColor))
                     : ImageList_Add(Handle(), Image->Handle(), 0);
  Change();
  return R;
}

Integer TCustomImageList::AddIcon(TIcon* Image) {
  if (!Image || Image->Empty()) {
    return -1;
  }
  Integer R = ImageList_AddIcon(Handle(), Image->Handle());
  Change();
  return R;
}

void TCustomImageList::Replace(Integer Index, TBitmap* Image, TBitmap* Mask) {
  CheckIndex(Index);
  ImageList_Replace(Handle(), Index, Image ? Image->Handle() : 0, Mask ? Mask->Handle() : 0);
  Change();
}

void TCustomImageList::ReplaceIcon(Integer Index, TIcon* Image) {
  CheckIndex(Index);
  if (Image) {
    ImageList_ReplaceIcon(Handle(), Index, Image->Handle());
  }
  Change();
}

void TCustomImageList::Delete(Integer Index) {
  CheckIndex(Index);
  ImageList_Remove(Handle(), Index);
  Change();
}

void TCustomImageList::Clear() {
  ImageList_Remove(Handle(), -1);
  Change();
}

bool TCustomImageList::Overlay(Integer ImageIndex, TOverlay Overlay) {
  return ImageList_SetOverlayImage(Handle(), ImageIndex, Overlay + 1) != FALSE;
}

void TCustomImageList::DoDraw(Integer Index, TCanvas* Canvas, Integer X, Integer Y, UINT Style, bool Enabled) {
  HDC DC = Canvas->Handle();
  COLORREF Bk = FBkColor == clNone ? CLR_NONE : ColorToRGB(FBkColor);
  COLORREF Fg = BlendColor == clNone ? CLR_NONE : BlendColor == clDefault ? CLR_DEFAULT : ColorToRGB(BlendColor);
  if (Enabled) {
    ImageList_DrawEx(Handle(), Index, DC, X, Y, 0, 0, Bk, Fg, Style);
    return;
  }
  // Disabled: the image's ink embossed, in the highlight colour one pixel down and right, then the shadow colour.
  std::lock_guard G(Gdi::Lock());
  auto* L = ListOf(Handle());
  auto D = Gdi::DC(DC);
  PPixels P = D ? Gdi::Surface(*D) : nullptr;
  if (!L || !P || Index < 0 || Index >= static_cast<int>(L->Images.size())) {
    return;
  }
  const TImage& Img = L->Images[static_cast<std::size_t>(Index)];
  TRegionData Clip = Gdi::EffectiveClip(*D);
  auto Ink = [&](std::size_t K) {
    std::uint32_t Px = Img.Pixels[K];
    int Sum = static_cast<int>(((Px >> 16) & 0xFF) + ((Px >> 8) & 0xFF) + (Px & 0xFF));
    return !((L->Flags & ILC_MASK) && Img.Clear[K]) && Sum < 3 * 0xC0;
  };
  for (auto [Offset, Color] : {std::pair{1, COLOR_BTNHIGHLIGHT}, std::pair{0, COLOR_BTNSHADOW}}) {
    std::uint32_t Px = Gdi::ToPixel(GetSysColor(Color));
    TPoint O = Gdi::ToSurface(*D, X + Offset, Y + Offset);
    for (int Yy = 0; Yy < L->Cy; ++Yy) {
      for (int Xx = 0; Xx < L->Cx; ++Xx) {
        if (Ink(static_cast<std::size_t>(Yy * L->Cx + Xx)) && Clip.Contains(O.X + Xx, O.Y + Yy)) {
          P->Row(O.Y + Yy)[O.X + Xx] = Px;
        }
      }
    }
    Gdi::Touch(*D, Rect(O.X, O.Y, O.X + L->Cx, O.Y + L->Cy));
  }
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) {
  static const UINT Styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  UINT Style = Styles[DrawingStyle] | (ImageType == itMask ? ILD_MASK : 0);
  DoDraw(Index, Canvas, X, Y, Style, Enabled);
}

void TCustomImageList::DrawOverlay(TCanvas* Canvas, Integer X, Integer Y, Integer ImageIndex, TOverlay Overlay,
                                   bool Enabled) {
  static const UINT Styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  UINT Style = Styles[DrawingStyle] | (ImageType == itMask ? ILD_MASK : 0) |
               INDEXTOOVERLAYMASK(static_cast<UINT>(Overlay + 1));
  DoDraw(ImageIndex, Canvas, X, Y, Style, Enabled);
}

bool TCustomImageList::GetBitmap(Integer Index, TBitmap* Image) {
  if (!Image || Index < 0 || Index >= Count()) {
    return false;
  }
  Image->SetSize(FWidth, FHeight);
  TCanvas* C = Image->Canvas();
  C->Brush()->SetColor(FBkColor == clNone ? clWhite : FBkColor);
  C->FillRect(Rect(0, 0, FWidth, FHeight));
  return ImageList_Draw(Handle(), Index, C->Handle(), 0, 0, ILD_NORMAL) != FALSE;
}

void TCustomImageList::GetIcon(Integer Index, TIcon* Image) {
  if (Image && Index >= 0 && Index < Count()) {
    Image->SetHandle(ImageList_GetIcon(Handle(), Index, ILD_NORMAL));
  }
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (Value && std::find(FClients.begin(), FClients.end(), Value) == FClients.end()) {
    Value->Sender = this;
    FClients.push_back(Value);
  }
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  auto It = std::find(FClients.begin(), FClients.end(), Value);
  if (It != FClients.end()) {
    (*It)->Sender = nullptr;
    FClients.erase(It);
  }
}

void TCustomImageList::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChanged) {
    FChanged = false;
    Change();
  }
}

void TCustomImageList::Change() {
  if (FUpdateCount > 0) {
    FChanged = true;
    return;
  }
  for (TChangeLink* L : std::vector<TChangeLink*>(FClients)) {
    L->Change();
  }
  if (OnChange) {
    OnChange(this);
  }
}

void TCustomImageList::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TCustomImageList*>(Source)) {
    if (FHandle && !ShareImages) {
      ImageList_Destroy(FHandle);
    }
    ShareImages = false;
    FWidth = S->FWidth;
    FHeight = S->FHeight;
    FBkColor = S->FBkColor;
    BlendColor = S->BlendColor;
    Masked = S->Masked;
    DrawingStyle = S->DrawingStyle;
    ImageType = S->ImageType;
    FHandle = ImageList_Duplicate(S->Handle());
    Change();
    return;
  }
  inherited::Assign(Source);
}

// ---- TDragImageList ----------------------------------------------------------------------------------------------

TDragImageList::~TDragImageList() { EndDrag(); }

bool TDragImageList::SetDragImage(Integer Index, Integer HotSpotX, Integer HotSpotY) {
  if (Index < 0 || Index >= Count()) {
    return false;
  }
  FDragIndex = Index;
  FDragHotspot = Point(HotSpotX, HotSpotY);
  if (FDragging) {
    // A new image during the drag: shown at once where the old one was.
    TPoint Pos;
    ImageList_GetDragImage(&Pos, nullptr);
    bool Shown = FLocked;
    ImageList_BeginDrag(Handle(), Index, HotSpotX, HotSpotY);
    if (Shown) {
      ImageList_DragEnter(FDragHandle, Pos.X, Pos.Y);
    }
  }
  return true;
}

void TDragImageList::SetDragHotspot(TPoint Value) { SetDragImage(FDragIndex, Value.X, Value.Y); }

bool TDragImageList::BeginDrag(HWND Window, Integer X, Integer Y) {
  if (FDragIndex < 0 || FDragIndex >= Count()) {
    return false;
  }
  if (!FDragging) {
    if (!ImageList_BeginDrag(Handle(), FDragIndex, FDragHotspot.X, FDragHotspot.Y)) {
      return false;
    }
    FDragging = true;
  }
  return DragLock(Window, X, Y) || FLocked;
}

bool TDragImageList::DragLock(HWND Window, Integer XPos, Integer YPos) {
  if (!FDragging || (FLocked && Window == FDragHandle)) {
    return false;
  }
  DragUnlock();
  if (!ImageList_DragEnter(Window, XPos, YPos)) {
    return false;
  }
  FDragHandle = Window;
  FLocked = true;
  return true;
}

void TDragImageList::DragUnlock() {
  if (FLocked) {
    ImageList_DragLeave(FDragHandle);
    FLocked = false;
    FDragHandle = 0;
  }
}

bool TDragImageList::DragMove(Integer X, Integer Y) { return FDragging && ImageList_DragMove(X, Y); }

void TDragImageList::ShowDragImage() {
  if (FDragging) {
    ImageList_DragShowNolock(TRUE);
  }
}

void TDragImageList::HideDragImage() {
  if (FDragging) {
    ImageList_DragShowNolock(FALSE);
  }
}

bool TDragImageList::EndDrag() {
  if (!FDragging) {
    return false;
  }
  DragUnlock();
  ImageList_EndDrag();
  FDragging = false;
  FDragCursor = crNone;
  return true;
}

void TDragImageList::SetDragCursor(TCursor Value) {
  if (Value != FDragCursor) {
    FDragCursor = Value;
    if (FDragging) {
      SetCursor(CursorOfTCursor(Value));
    }
  }
}

// ---- Streaming -----------------------------------------------------------------------------------------------------

void TImageList::Publish(TMetaClass& Meta) {
  TPublisher<TImageList> P(Meta);
  P.Property("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight).Default(16);
  P.Property("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth).Default(16);
}

namespace {
// The key colour behind the images of a stored strip; it marks their transparent pixels.
constexpr TColor StripKey = static_cast<TColor>(0x00FF00FF);
}  // namespace

void TCustomImageList::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Bitmap",
      [this](TStream* Stream) {
        TBitmap Strip;
        Strip.LoadFromStream(Stream);
        BeginUpdate();
        Clear();
        if (!Strip.Empty()) {
          AddMasked(&Strip, StripKey);
        }
        EndUpdate();
      },
      [this](TStream* Stream) {
        TBitmap Strip;
        const Integer N = Count();
        Strip.SetSize(N * FWidth, FHeight);
        Strip.Canvas()->Brush()->SetColor(StripKey);
        Strip.Canvas()->FillRect(Rect(0, 0, N * FWidth, FHeight));
        for (Integer I = 0; I < N; ++I) {
          Draw(Strip.Canvas(), I * FWidth, 0, I);
        }
        Strip.SaveToStream(Stream);
      },
      ImageDataStored());
}
