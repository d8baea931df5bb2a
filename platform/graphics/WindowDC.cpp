// Window device contexts and the painting flow: backing images, GetDC/BeginPaint, update regions as regions,
// RedrawWindow, scrolling by moving pixels, and WM_PRINT's picture of a window.
#include "platform/graphics/Caret.h"
#include "platform/graphics/GdiInternals.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/win/WindowInternals.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace {

std::unordered_map<HWND, PPixels>& Images() {
  static std::unordered_map<HWND, PPixels> M;
  return M;
}

// The client rectangle's place in the window's image.
TPoint ClientOffset(const TWindowRec& R) {
  return Point(R.Client.Left - R.Window.Left, R.Client.Top - R.Window.Top);
}

TRect ClientInImage(const TWindowRec& R) {
  TPoint O = ClientOffset(R);
  return Rect(O.X, O.Y, O.X + R.Client.Width(), O.Y + R.Client.Height());
}

TRect Intersect(const TRect& A, const TRect& B) {
  TRect R = Rect(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
                 std::min(A.Bottom, B.Bottom));
  return R.Right > R.Left && R.Bottom > R.Top ? R : TRect{};
}

TRect Offset(const TRect& R, int Dx, int Dy) { return Rect(R.Left + Dx, R.Top + Dy, R.Right + Dx, R.Bottom + Dy); }

HDC MakeWindowDC(HWND Wnd, bool Whole) {
  auto R = WindowSystem::Find(Wnd);
  if (!R || R->Dead) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  auto D = std::make_shared<TDCRec>();
  D->Wnd = Wnd;
  D->WholeWindow = Whole;
  D->Target = Gdi::BackingImage(Wnd);
  if (Whole) {
    D->Limit = TRegionData(Rect(0, 0, R->Window.Width(), R->Window.Height()));
  } else {
    D->Origin = ClientOffset(*R);
    D->Limit = TRegionData(ClientInImage(*R));
  }
  return Gdi::AddDC(D);
}

void Flush(TDCRec& D) {
  if (D.Wnd && D.HasTouched) {
    Gdi::ShowWindowImage(D.Wnd, D.Touched);
    D.HasTouched = false;
  } else if (D.Desktop && D.HasTouched) {
    Gdi::ShowDesktopImage(D.Touched);
    D.HasTouched = false;
  }
}

HRGN NewRegion(const TRegionData& R) {
  auto O = std::make_shared<TGdiObject>();
  O->Type = OBJ_REGION;
  O->Region = R;
  return Gdi::AddObject(O);
}

// Moves the pixels of Area (image coordinates) by (Dx, Dy), keeping only what lands inside Keep.
void MovePixels(TPixels& P, const TRect& Area, const TRect& Keep, int Dx, int Dy) {
  TRect Dst = Intersect(Intersect(Offset(Area, Dx, Dy), Keep), Rect(0, 0, P.Width, P.Height));
  if (Dst.Right <= Dst.Left) {
    return;
  }
  int W = Dst.Width();
  auto CopyRow = [&](int Y) {
    std::memmove(P.Row(Y) + Dst.Left, P.Row(Y - Dy) + Dst.Left - Dx, static_cast<std::size_t>(W) * 4);
  };
  if (Dy > 0) {
    for (int Y = Dst.Bottom - 1; Y >= Dst.Top; --Y) {
      CopyRow(Y);
    }
  } else {
    for (int Y = Dst.Top; Y < Dst.Bottom; ++Y) {
      CopyRow(Y);
    }
  }
}

}  // namespace

namespace Gdi {

PPixels BackingImage(HWND Wnd) {
  std::lock_guard G(Lock());
  auto R = WindowSystem::Find(Wnd);
  if (!R) {
    return nullptr;
  }
  int W = std::max<int>(0, R->Window.Width()), H = std::max<int>(0, R->Window.Height());
  auto& M = Images();
  auto It = M.find(Wnd);
  if (It != M.end() && It->second->Width == W && It->second->Height == H) {
    return It->second;
  }
  if (It == M.end()) {
    // Images of windows that are gone are dropped whenever a new one is made.
    for (auto I = M.begin(); I != M.end();) {
      I = WindowSystem::Find(I->first) ? std::next(I) : M.erase(I);
    }
  }
  auto P = std::make_shared<TPixels>();
  P->Width = W;
  P->Height = H;
  P->Data.assign(static_cast<std::size_t>(W) * static_cast<std::size_t>(H), ToPixel(GetSysColor(COLOR_BTNFACE)));
  if (It != M.end()) {
    // A resized window keeps what it showed where both sizes overlap.
    const TPixels& Old = *It->second;
    int Cw = std::min(W, Old.Width), Ch = std::min(H, Old.Height);
    for (int Y = 0; Cw > 0 && Y < Ch; ++Y) {
      std::memcpy(P->Row(Y), Old.Row(Y), static_cast<std::size_t>(Cw) * 4);
    }
  }
  M[Wnd] = P;
  return P;
}

PPixels DesktopImage() {
  std::lock_guard G(Lock());
  static PPixels Image;
  int W = std::max(1, GetSystemMetrics(SM_CXSCREEN)), H = std::max(1, GetSystemMetrics(SM_CYSCREEN));
  if (!Image || Image->Width != W || Image->Height != H) {
    Image = std::make_shared<TPixels>();
    Image->Width = W;
    Image->Height = H;
    Image->Data.assign(static_cast<std::size_t>(W) * static_cast<std::size_t>(H), 0u);
  }
  return Image;
}

PPixels ExistingBackingImage(HWND Wnd) {
  std::lock_guard G(Lock());
  auto It = Images().find(Wnd);
  return It == Images().end() ? nullptr : It->second;
}

void DropBackingImage(HWND Wnd) {
  std::lock_guard G(Lock());
  Images().erase(Wnd);
}

}  // namespace Gdi

HDC GetDC(HWND Wnd) {
  if (!Wnd) {
    auto D = std::make_shared<TDCRec>();
    D->Desktop = true;
    D->Target = Gdi::DesktopImage();
    return Gdi::AddDC(D);
  }
  return MakeWindowDC(Wnd, false);
}

HDC GetWindowDC(HWND Wnd) {
  if (!Wnd) {
    return GetDC(0);
  }
  return MakeWindowDC(Wnd, true);
}

HDC GetDCEx(HWND Wnd, HRGN Clip, DWORD Flags) {
  HDC DC = (Flags & DCX_WINDOW) ? GetWindowDC(Wnd) : GetDC(Wnd);
  auto D = Gdi::DC(DC);
  auto Rgn = Gdi::Object(Clip, OBJ_REGION);
  if (D && Rgn && D->Limit && (Flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
    // The region is in the DC's own (window or client) coordinates.
    TRegionData R = Rgn->Region;
    R.Offset(D->Origin.X, D->Origin.Y);
    D->Limit = TRegionData::Combine(*D->Limit, R, (Flags & DCX_INTERSECTRGN) ? RGN_AND : RGN_DIFF);
  }
  if (Clip && (Flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) && !(Flags & DCX_CACHE)) {
    // The caller's region belongs to the system once passed in.
    DeleteObject(Clip);
  }
  return DC;
}

int ReleaseDC(HWND Wnd, HDC DC) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D || D->Type != OBJ_DC || (Wnd && D->Wnd != Wnd) || D->Painting) {
    return 0;
  }
  Flush(*D);
  Gdi::RemoveDC(DC);
  return 1;
}

HWND WindowFromDC(HDC DC) {
  auto D = Gdi::DC(DC);
  return D ? D->Wnd : 0;
}

HDC BeginPaint(HWND Wnd, PAINTSTRUCT* Ps) {
  auto R = WindowSystem::Find(Wnd);
  if (!R || !Ps) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  *Ps = PAINTSTRUCT{};
  TRect Update;
  GetUpdateRect(Wnd, &Update, FALSE);
  bool Erase = TakeEraseBackground(Wnd) != FALSE;
  ValidateRect(Wnd, nullptr);
  Gdi::CaretPaintBegin(Wnd);
  if (R->Style & (WS_VSCROLL | WS_HSCROLL)) {
    Gdi::DrawScrollBars(Wnd);  // the frame's bars stay drawn however the window was resized
  }
  HDC DC = MakeWindowDC(Wnd, false);
  auto D = Gdi::DC(DC);
  if (!D) {
    return 0;
  }
  D->Painting = true;
  D->Limit = TRegionData::Combine(*D->Limit, TRegionData(Offset(Update, D->Origin.X, D->Origin.Y)), RGN_AND);
  Ps->hdc = DC;
  Ps->rcPaint = Update;
  if (Erase) {
    Ps->fErase = SendMessage(Wnd, WM_ERASEBKGND, static_cast<WPARAM>(DC), 0) ? FALSE : TRUE;
  }
  return DC;
}

BOOL EndPaint(HWND Wnd, const PAINTSTRUCT* Ps) {
  if (!Ps) {
    return FALSE;
  }
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(Ps->hdc);
  if (!D || D->Wnd != Wnd) {
    return FALSE;
  }
  Flush(*D);
  Gdi::RemoveDC(Ps->hdc);
  Gdi::CaretPaintEnd(Wnd);
  return TRUE;
}

int GetUpdateRgn(HWND Wnd, HRGN Rgn, BOOL Erase) {
  auto O = Gdi::Object(Rgn, OBJ_REGION);
  TRect R;
  if (!O || !WindowSystem::Find(Wnd)) {
    return ERROR;
  }
  GetUpdateRect(Wnd, &R, Erase);
  O->Region = TRegionData(R);
  return O->Region.Kind();
}

BOOL InvalidateRgn(HWND Wnd, HRGN Rgn, BOOL Erase) {
  if (!Rgn) {
    return InvalidateRect(Wnd, nullptr, Erase);
  }
  auto O = Gdi::Object(Rgn, OBJ_REGION);
  if (!O) {
    return FALSE;
  }
  if (O->Region.Empty()) {
    return TRUE;
  }
  TRect B = O->Region.Box();
  return InvalidateRect(Wnd, &B, Erase);
}

BOOL ValidateRgn(HWND Wnd, HRGN Rgn) {
  if (!Rgn) {
    return ValidateRect(Wnd, nullptr);
  }
  auto O = Gdi::Object(Rgn, OBJ_REGION);
  if (!O) {
    return FALSE;
  }
  for (const TRect& R : O->Region.Rects()) {
    ValidateRect(Wnd, &R);
  }
  return TRUE;
}

BOOL RedrawWindow(HWND Wnd, const TRect* Update, HRGN UpdateRgn, UINT Flags) {
  if (!Wnd) {
    for (HWND W : WindowSystem::TopLevelWindows()) {
      RedrawWindow(W, Update, UpdateRgn, Flags);
    }
    return TRUE;
  }
  auto R = WindowSystem::Find(Wnd);
  if (!R) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  TRect Area;
  const TRect* Rc = Update;
  if (!Rc && UpdateRgn) {
    auto O = Gdi::Object(UpdateRgn, OBJ_REGION);
    if (O) {
      Area = O->Region.Box();
      Rc = &Area;
    }
  }
  if (Flags & RDW_INVALIDATE) {
    InvalidateRect(Wnd, Rc, (Flags & RDW_ERASE) ? TRUE : FALSE);
  } else if (Flags & RDW_VALIDATE) {
    ValidateRect(Wnd, Rc);
  }
  bool Children = (Flags & RDW_ALLCHILDREN) || (!(Flags & RDW_NOCHILDREN) && !(R->Style & WS_CLIPCHILDREN));
  if (Children && (Flags & (RDW_INVALIDATE | RDW_VALIDATE))) {
    for (HWND C : WindowSystem::ChildrenOf(Wnd)) {
      auto CR = WindowSystem::Find(C);
      if (!CR || !(CR->Style & WS_VISIBLE)) {
        continue;
      }
      if (Rc) {
        // The child's part of the area, in its client coordinates.
        TRect Part = Intersect(*Rc, Rect(CR->Window.Left, CR->Window.Top, CR->Window.Right, CR->Window.Bottom));
        if (Part.Right <= Part.Left) {
          continue;
        }
        TRect Local = Offset(Part, -CR->Client.Left, -CR->Client.Top);
        RedrawWindow(C, &Local, 0, Flags & ~(RDW_UPDATENOW | RDW_ERASENOW));
      } else {
        RedrawWindow(C, nullptr, 0, Flags & ~(RDW_UPDATENOW | RDW_ERASENOW));
      }
    }
  }
  if ((Flags & RDW_FRAME) && (Flags & RDW_INVALIDATE)) {
    SendMessage(Wnd, WM_NCPAINT, 1, 0);
  }
  if (Flags & RDW_UPDATENOW) {
    UpdateWindow(Wnd);
  } else if (Flags & RDW_ERASENOW) {
    TRect U;
    if (GetUpdateRect(Wnd, &U, FALSE) && TakeEraseBackground(Wnd)) {
      HDC DC = GetDC(Wnd);
      IntersectClipRect(DC, U.Left, U.Top, U.Right, U.Bottom);
      SendMessage(Wnd, WM_ERASEBKGND, static_cast<WPARAM>(DC), 0);
      ReleaseDC(Wnd, DC);
    }
  }
  return TRUE;
}

int ScrollWindowEx(HWND Wnd, int Dx, int Dy, const TRect* Scroll, const TRect* Clip, HRGN Update, TRect* UpdateRc,
                   UINT Flags) {
  auto R = WindowSystem::Find(Wnd);
  if (!R) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return ERROR;
  }
  TRect Client = Rect(0, 0, R->Client.Width(), R->Client.Height());
  TRect Area = Scroll ? Intersect(*Scroll, Client) : Client;
  TRect Keep = Clip ? Intersect(*Clip, Client) : Client;
  TRect Live = Intersect(Area, Keep);
  TRect Moved = Intersect(Live, Offset(Area, Dx, Dy));
  TRegionData Uncovered = TRegionData::Combine(TRegionData(Live), TRegionData(Moved), RGN_DIFF);
  {
    std::lock_guard G(Gdi::Lock());
    PPixels P = Gdi::BackingImage(Wnd);
    TPoint O = ClientOffset(*R);
    if (P) {
      MovePixels(*P, Offset(Area, O.X, O.Y), Offset(Keep, O.X, O.Y), Dx, Dy);
      Gdi::ShowWindowImage(Wnd, Offset(Live, O.X, O.Y));
    }
  }
  // What was already invalid inside the scrolled area moves with the pixels.
  TRect Invalid;
  if (GetUpdateRect(Wnd, &Invalid, FALSE) && Intersect(Invalid, Live).Right > 0) {
    TRect Shifted = Intersect(Offset(Intersect(Invalid, Live), Dx, Dy), Live);
    bool Inside = Intersect(Invalid, Live) == Invalid;
    BOOL Erase = TakeEraseBackground(Wnd);
    if (Inside) {
      ValidateRect(Wnd, nullptr);
    }
    if (Shifted.Right > Shifted.Left) {
      InvalidateRect(Wnd, &Shifted, Erase);
    }
  }
  if (Flags & SW_SCROLLCHILDREN) {
    for (HWND C : WindowSystem::ChildrenOf(Wnd)) {
      auto CR = WindowSystem::Find(C);
      if (!CR) {
        continue;
      }
      TRect CRc = CR->Window;
      if (!Scroll || Intersect(CRc, Area).Right > 0) {
        SetWindowPos(C, 0, CRc.Left + Dx, CRc.Top + Dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
  }
  if (Flags & SW_INVALIDATE) {
    for (const TRect& U : Uncovered.Rects()) {
      InvalidateRect(Wnd, &U, (Flags & SW_ERASE) ? TRUE : FALSE);
    }
  }
  if (auto O = Gdi::Object(Update, OBJ_REGION)) {
    O->Region = Uncovered;
  }
  if (UpdateRc) {
    *UpdateRc = Uncovered.Box();
  }
  return Uncovered.Kind();
}

BOOL ScrollWindow(HWND Wnd, int Dx, int Dy, const TRect* Scroll, const TRect* Clip) {
  UINT Flags = SW_INVALIDATE | SW_ERASE | (Scroll ? 0 : SW_SCROLLCHILDREN);
  return ScrollWindowEx(Wnd, Dx, Dy, Scroll, Clip, 0, nullptr, Flags) != ERROR ? TRUE : FALSE;
}

BOOL ScrollDC(HDC DC, int Dx, int Dy, const TRect* Scroll, const TRect* Clip, HRGN Update, TRect* UpdateRc) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D) {
    return FALSE;
  }
  PPixels P = Gdi::Surface(*D);
  if (!P) {
    return FALSE;
  }
  TRect Box;
  GetClipBox(DC, &Box);
  TRect Area = Scroll ? Intersect(*Scroll, Box) : Box;
  TRect Keep = Clip ? Intersect(*Clip, Box) : Box;
  TPoint O = Gdi::ToSurface(*D, 0, 0);
  MovePixels(*P, Offset(Area, O.X, O.Y), Offset(Keep, O.X, O.Y), Dx, Dy);
  TRect Live = Intersect(Area, Keep);
  Gdi::Touch(*D, Offset(Live, O.X, O.Y));
  TRegionData Uncovered =
      TRegionData::Combine(TRegionData(Live), TRegionData(Intersect(Live, Offset(Area, Dx, Dy))), RGN_DIFF);
  if (auto U = Gdi::Object(Update, OBJ_REGION)) {
    U->Region = Uncovered;
  }
  if (UpdateRc) {
    *UpdateRc = Uncovered.Box();
  }
  if (D->Wnd) {
    Flush(*D);
  }
  return TRUE;
}

void PrintWindowImage(HWND Wnd, HDC DC, LPARAM Flags) {
  auto R = WindowSystem::Find(Wnd);
  if (!R || !Gdi::DC(DC)) {
    return;
  }
  if ((Flags & PRF_CHECKVISIBLE) && !IsWindowVisible(Wnd)) {
    return;
  }
  PPixels Img = Gdi::BackingImage(Wnd);
  auto Src = std::make_shared<TDCRec>();
  Src->Target = Img;
  HDC SrcDC = Gdi::AddDC(Src);
  TRect ClientRc = ClientInImage(*R);
  if (Flags & PRF_NONCLIENT) {
    // The frame: the whole image minus the client area.
    HRGN Frame = NewRegion(TRegionData::Combine(TRegionData(Rect(0, 0, Img->Width, Img->Height)),
                                                TRegionData(ClientRc), RGN_DIFF));
    int Saved = SaveDC(DC);
    TPoint Org;
    GetViewportOrgEx(DC, &Org);
    OffsetRgn(Frame, Org.X, Org.Y);
    ExtSelectClipRgn(DC, Frame, RGN_AND);
    BitBlt(DC, 0, 0, Img->Width, Img->Height, SrcDC, 0, 0, SRCCOPY);
    RestoreDC(DC, Saved);
    DeleteObject(Frame);
  }
  if (Flags & PRF_CLIENT) {
    BitBlt(DC, ClientRc.Left, ClientRc.Top, ClientRc.Width(), ClientRc.Height(), SrcDC, ClientRc.Left, ClientRc.Top,
           SRCCOPY);
  }
  Gdi::RemoveDC(SrcDC);
  if (Flags & PRF_CHILDREN) {
    auto Children = WindowSystem::ChildrenOf(Wnd);
    // Bottom of the z-order first, so that upper children cover lower ones.
    for (auto It = Children.rbegin(); It != Children.rend(); ++It) {
      auto CR = WindowSystem::Find(*It);
      if (!CR || !(CR->Style & WS_VISIBLE)) {
        continue;
      }
      int Saved = SaveDC(DC);
      OffsetViewportOrgEx(DC, ClientRc.Left + CR->Window.Left, ClientRc.Top + CR->Window.Top, nullptr);
      PrintWindowImage(*It, DC, Flags | PRF_CLIENT | PRF_NONCLIENT);
      RestoreDC(DC, Saved);
    }
  }
}

BOOL PrintWindow(HWND Wnd, HDC DC, UINT) {
  if (!WindowSystem::Find(Wnd)) {
    return FALSE;
  }
  PrintWindowImage(Wnd, DC, PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN);
  return TRUE;
}
