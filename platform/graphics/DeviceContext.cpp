// Device contexts: memory DCs, the saved state stack, modes, colours, origins and clipping.
#include "platform/graphics/GdiInternals.h"

#include <algorithm>

namespace {

HBITMAP DefaultMonoBitmap() {
  static HBITMAP B = [] {
    HBITMAP H = CreateBitmap(1, 1, 1, 1, nullptr);
    Gdi::Object(H)->Stock = true;
    return H;
  }();
  return B;
}

template <class T, class F>
T Exchange(HDC DC, T Fail, F Field, T Value) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D) {
    SetLastError(ERROR_INVALID_HANDLE);
    return Fail;
  }
  T& Slot = Field(D->S);
  T Old = Slot;
  Slot = Value;
  return Old;
}

template <class T, class F>
T Query(HDC DC, T Fail, F Field) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  return D ? Field(D->S) : Fail;
}

BOOL SetOrg(HDC DC, TPoint TDCState::*Which, int X, int Y, TPoint* Old, bool Relative) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D) {
    return FALSE;
  }
  TPoint& P = D->S.*Which;
  if (Old) {
    *Old = P;
  }
  P = Relative ? Point(P.X + X, P.Y + Y) : Point(X, Y);
  return TRUE;
}

BOOL GetOrg(HDC DC, TPoint TDCState::*Which, TPoint* Out) {
  auto D = Gdi::DC(DC);
  if (!D || !Out) {
    return FALSE;
  }
  *Out = D->S.*Which;
  return TRUE;
}

// The rectangle of the device surface in device coordinates (what a DC could reach without a clip region).
TRect DeviceBounds(const TDCRec& D) {
  if (D.Limit) {
    TRect B = D.Limit->Box();
    return Rect(B.Left - D.Origin.X, B.Top - D.Origin.Y, B.Right - D.Origin.X, B.Bottom - D.Origin.Y);
  }
  if (auto P = Gdi::Surface(D)) {
    return Rect(0, 0, P->Width, P->Height);
  }
  return Rect(0, 0, 0, 0);
}

int ClipKind(const TDCRec& D) {
  TRegionData Eff = Gdi::EffectiveClip(D);
  return Eff.Kind();
}

TRect LogicalToDevice(const TDCRec& D, int Left, int Top, int Right, int Bottom) {
  TPoint A = Gdi::ToDevice(D, std::min(Left, Right), std::min(Top, Bottom));
  TPoint B = Gdi::ToDevice(D, std::max(Left, Right), std::max(Top, Bottom));
  return Rect(A.X, A.Y, B.X, B.Y);
}

}  // namespace

namespace Gdi {

PPixels Surface(const TDCRec& D) {
  if (D.Screen) {
    return nullptr;
  }
  if (D.Type == OBJ_MEMDC) {
    auto B = Object(D.S.Bitmap, OBJ_BITMAP);
    return B ? B->Bitmap : nullptr;
  }
  return D.Target;
}

TRegionData EffectiveClip(const TDCRec& D) {
  auto P = Surface(D);
  if (!P) {
    return TRegionData{};
  }
  TRegionData R(Rect(0, 0, P->Width, P->Height));
  if (D.Limit) {
    R = TRegionData::Combine(R, *D.Limit, RGN_AND);
  }
  if (D.S.Clip) {
    TRegionData C = *D.S.Clip;
    C.Offset(D.Origin.X, D.Origin.Y);
    R = TRegionData::Combine(R, C, RGN_AND);
  }
  return R;
}

void Touch(TDCRec& D, const TRect& Rc) {
  if ((!D.Wnd && !D.Desktop) || Rc.Right <= Rc.Left || Rc.Bottom <= Rc.Top) {
    return;
  }
  if (!D.HasTouched) {
    D.Touched = Rc;
    D.HasTouched = true;
  } else {
    D.Touched = Rect(std::min(D.Touched.Left, Rc.Left), std::min(D.Touched.Top, Rc.Top),
                     std::max(D.Touched.Right, Rc.Right), std::max(D.Touched.Bottom, Rc.Bottom));
  }
}

}  // namespace Gdi

HDC CreateCompatibleDC(HDC DC) {
  if (DC && !Gdi::DC(DC)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  auto D = std::make_shared<TDCRec>();
  D->Type = OBJ_MEMDC;
  HDC H = Gdi::AddDC(D);
  D->S.Bitmap = DefaultMonoBitmap();
  return H;
}

BOOL DeleteDC(HDC DC) {
  auto D = Gdi::DC(DC);
  if (!D) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  Gdi::RemoveDC(DC);
  return TRUE;
}

int SaveDC(HDC DC) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D) {
    return 0;
  }
  D->Saved.push_back(D->S);
  return static_cast<int>(D->Saved.size());
}

BOOL RestoreDC(HDC DC, int SavedDC) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D) {
    return FALSE;
  }
  int Depth = static_cast<int>(D->Saved.size());
  int Target = SavedDC < 0 ? Depth + SavedDC + 1 : SavedDC;
  if (Target < 1 || Target > Depth) {
    return FALSE;
  }
  D->S = D->Saved[static_cast<std::size_t>(Target - 1)];
  D->Saved.resize(static_cast<std::size_t>(Target - 1));
  return TRUE;
}

int SetBkMode(HDC DC, int Mode) {
  if (Mode != TRANSPARENT && Mode != OPAQUE) {
    return 0;
  }
  return Exchange(DC, 0, [](TDCState& S) -> int& { return S.BkMode; }, Mode);
}
int GetBkMode(HDC DC) { return Query(DC, 0, [](const TDCState& S) { return S.BkMode; }); }
COLORREF SetBkColor(HDC DC, COLORREF Color) {
  return Exchange(DC, CLR_INVALID, [](TDCState& S) -> COLORREF& { return S.BkColor; }, Color & 0xFFFFFF);
}
COLORREF GetBkColor(HDC DC) { return Query(DC, CLR_INVALID, [](const TDCState& S) { return S.BkColor; }); }
COLORREF SetTextColor(HDC DC, COLORREF Color) {
  return Exchange(DC, CLR_INVALID, [](TDCState& S) -> COLORREF& { return S.TextColor; }, Color & 0xFFFFFF);
}
COLORREF GetTextColor(HDC DC) { return Query(DC, CLR_INVALID, [](const TDCState& S) { return S.TextColor; }); }
COLORREF SetDCBrushColor(HDC DC, COLORREF Color) {
  return Exchange(DC, CLR_INVALID, [](TDCState& S) -> COLORREF& { return S.DCBrushColor; }, Color & 0xFFFFFF);
}
COLORREF SetDCPenColor(HDC DC, COLORREF Color) {
  return Exchange(DC, CLR_INVALID, [](TDCState& S) -> COLORREF& { return S.DCPenColor; }, Color & 0xFFFFFF);
}
UINT SetTextAlign(HDC DC, UINT Align) {
  return Exchange(DC, static_cast<UINT>(0xFFFFFFFF), [](TDCState& S) -> UINT& { return S.TextAlign; }, Align);
}
UINT GetTextAlign(HDC DC) { return Query(DC, static_cast<UINT>(0xFFFFFFFF), [](const TDCState& S) { return S.TextAlign; }); }
int SetROP2(HDC DC, int Mode) {
  if (Mode < R2_BLACK || Mode > R2_WHITE) {
    return 0;
  }
  return Exchange(DC, 0, [](TDCState& S) -> int& { return S.Rop2; }, Mode);
}
int GetROP2(HDC DC) { return Query(DC, 0, [](const TDCState& S) { return S.Rop2; }); }
int SetStretchBltMode(HDC DC, int Mode) {
  return Exchange(DC, 0, [](TDCState& S) -> int& { return S.StretchMode; }, Mode);
}
int GetStretchBltMode(HDC DC) { return Query(DC, 0, [](const TDCState& S) { return S.StretchMode; }); }

BOOL SetBrushOrgEx(HDC DC, int X, int Y, TPoint* Old) { return SetOrg(DC, &TDCState::BrushOrg, X, Y, Old, false); }
BOOL GetBrushOrgEx(HDC DC, TPoint* Org) { return GetOrg(DC, &TDCState::BrushOrg, Org); }
BOOL SetWindowOrgEx(HDC DC, int X, int Y, TPoint* Old) { return SetOrg(DC, &TDCState::WindowOrg, X, Y, Old, false); }
BOOL GetWindowOrgEx(HDC DC, TPoint* Org) { return GetOrg(DC, &TDCState::WindowOrg, Org); }
BOOL SetViewportOrgEx(HDC DC, int X, int Y, TPoint* Old) {
  return SetOrg(DC, &TDCState::ViewportOrg, X, Y, Old, false);
}
BOOL GetViewportOrgEx(HDC DC, TPoint* Org) { return GetOrg(DC, &TDCState::ViewportOrg, Org); }
BOOL OffsetWindowOrgEx(HDC DC, int X, int Y, TPoint* Old) {
  return SetOrg(DC, &TDCState::WindowOrg, X, Y, Old, true);
}
BOOL OffsetViewportOrgEx(HDC DC, int X, int Y, TPoint* Old) {
  return SetOrg(DC, &TDCState::ViewportOrg, X, Y, Old, true);
}

BOOL LPtoDP(HDC DC, TPoint* Points, int Count) {
  auto D = Gdi::DC(DC);
  if (!D || (!Points && Count > 0)) {
    return FALSE;
  }
  for (int I = 0; I < Count; ++I) {
    Points[I] = Gdi::ToDevice(*D, Points[I].X, Points[I].Y);
  }
  return TRUE;
}

BOOL DPtoLP(HDC DC, TPoint* Points, int Count) {
  auto D = Gdi::DC(DC);
  if (!D || (!Points && Count > 0)) {
    return FALSE;
  }
  for (int I = 0; I < Count; ++I) {
    Points[I] = Point(Points[I].X + D->S.WindowOrg.X - D->S.ViewportOrg.X,
                      Points[I].Y + D->S.WindowOrg.Y - D->S.ViewportOrg.Y);
  }
  return TRUE;
}

// ---- Clipping ----------------------------------------------------------------------------------------------------

int SelectClipRgn(HDC DC, HRGN Rgn) { return ExtSelectClipRgn(DC, Rgn, RGN_COPY); }

int ExtSelectClipRgn(HDC DC, HRGN Rgn, int Mode) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D) {
    return ERROR;
  }
  if (!Rgn) {
    if (Mode != RGN_COPY) {
      return ERROR;
    }
    D->S.Clip.reset();
    return ClipKind(*D);
  }
  auto R = Gdi::Object(Rgn, OBJ_REGION);
  if (!R) {
    return ERROR;
  }
  if (Mode == RGN_COPY || !D->S.Clip) {
    TRegionData Base = D->S.Clip ? *D->S.Clip : TRegionData(DeviceBounds(*D));
    D->S.Clip = Mode == RGN_COPY ? R->Region : TRegionData::Combine(Base, R->Region, Mode);
  } else {
    D->S.Clip = TRegionData::Combine(*D->S.Clip, R->Region, Mode);
  }
  return ClipKind(*D);
}

int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D) {
    return ERROR;
  }
  TRegionData R(LogicalToDevice(*D, Left, Top, Right, Bottom));
  D->S.Clip = D->S.Clip ? TRegionData::Combine(*D->S.Clip, R, RGN_AND) : R;
  return ClipKind(*D);
}

int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D) {
    return ERROR;
  }
  TRegionData Base = D->S.Clip ? *D->S.Clip : TRegionData(DeviceBounds(*D));
  D->S.Clip = TRegionData::Combine(Base, TRegionData(LogicalToDevice(*D, Left, Top, Right, Bottom)), RGN_DIFF);
  return ClipKind(*D);
}

int OffsetClipRgn(HDC DC, int X, int Y) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D) {
    return ERROR;
  }
  if (D->S.Clip) {
    D->S.Clip->Offset(X, Y);
  }
  return ClipKind(*D);
}

int GetClipBox(HDC DC, TRect* Rc) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D || !Rc) {
    return ERROR;
  }
  if (D->Screen) {
    *Rc = Rect(0, 0, 1024, 768);
    return SIMPLEREGION;
  }
  TRegionData Eff = Gdi::EffectiveClip(*D);
  TRect B = Eff.Box();
  // Surface to logical coordinates.
  int Dx = D->Origin.X + D->S.ViewportOrg.X - D->S.WindowOrg.X;
  int Dy = D->Origin.Y + D->S.ViewportOrg.Y - D->S.WindowOrg.Y;
  *Rc = Eff.Empty() ? TRect{} : Rect(B.Left - Dx, B.Top - Dy, B.Right - Dx, B.Bottom - Dy);
  return Eff.Kind();
}

int GetClipRgn(HDC DC, HRGN Rgn) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  auto R = Gdi::Object(Rgn, OBJ_REGION);
  if (!D || !R) {
    return -1;
  }
  if (!D->S.Clip) {
    return 0;
  }
  R->Region = *D->S.Clip;
  return 1;
}

BOOL PtVisible(HDC DC, int X, int Y) {
  auto D = Gdi::DC(DC);
  if (!D) {
    return FALSE;
  }
  TPoint P = Gdi::ToSurface(*D, X, Y);
  return Gdi::EffectiveClip(*D).Contains(P.X, P.Y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC DC, const TRect* Rc) {
  auto D = Gdi::DC(DC);
  if (!D || !Rc) {
    return FALSE;
  }
  TPoint A = Gdi::ToSurface(*D, Rc->Left, Rc->Top);
  TPoint B = Gdi::ToSurface(*D, Rc->Right, Rc->Bottom);
  return Gdi::EffectiveClip(*D).Intersects(Rect(A.X, A.Y, B.X, B.Y)) ? TRUE : FALSE;
}

int GetDeviceCaps(HDC DC, int Index) {
  auto D = Gdi::DC(DC);
  if (!D) {
    return 0;
  }
  auto P = Gdi::Surface(*D);
  int W = D->Screen ? 1024 : P ? P->Width : 0;
  int H = D->Screen ? 768 : P ? P->Height : 0;
  bool Mono = P && P->Mono;
  if (D->Printer && P) {
    // The paper is the whole surface; the printable area starts at the DC's origin and stops as far from the
    // other edges.
    switch (Index) {
      case LOGPIXELSX:
      case LOGPIXELSY: return D->Dpi;
      case PHYSICALWIDTH: return P->Width;
      case PHYSICALHEIGHT: return P->Height;
      case PHYSICALOFFSETX: return D->Origin.X;
      case PHYSICALOFFSETY: return D->Origin.Y;
      case HORZRES: return P->Width - 2 * D->Origin.X;
      case VERTRES: return P->Height - 2 * D->Origin.Y;
      case HORZSIZE: return (P->Width - 2 * D->Origin.X) * 254 / (D->Dpi * 10);
      case VERTSIZE: return (P->Height - 2 * D->Origin.Y) * 254 / (D->Dpi * 10);
      default: break;
    }
  }
  switch (Index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return W;
    case VERTRES: return H;
    case HORZSIZE: return W * 254 / 960;
    case VERTSIZE: return H * 254 / 960;
    case BITSPIXEL: return Mono ? 1 : 32;
    case PLANES: return 1;
    case NUMCOLORS: return Mono ? 2 : -1;
    case RASTERCAPS: return 0x7E99;
    case PHYSICALWIDTH:
    case PHYSICALHEIGHT:
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return 0;  // only printers have pages
    default: return 0;
  }
}

BOOL GdiFlush() { return TRUE; }
