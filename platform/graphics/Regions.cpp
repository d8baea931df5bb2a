// Regions: sets of pixels as banded rectangles, their combination, and the region calls.
#include "platform/graphics/GdiInternals.h"

#include <algorithm>

namespace {

bool Valid(const TRect& R) { return R.Right > R.Left && R.Bottom > R.Top; }

bool InRects(const std::vector<TRect>& Rs, int X, int Y) {
  for (const TRect& R : Rs) {
    if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) {
      return true;
    }
  }
  return false;
}

}  // namespace

TRegionData::TRegionData(const TRect& R) {
  if (Valid(R)) {
    FRects.push_back(R);
  }
}

TRect TRegionData::Box() const {
  if (FRects.empty()) {
    return TRect{};
  }
  TRect B = FRects.front();
  for (const TRect& R : FRects) {
    B.Left = std::min(B.Left, R.Left);
    B.Top = std::min(B.Top, R.Top);
    B.Right = std::max(B.Right, R.Right);
    B.Bottom = std::max(B.Bottom, R.Bottom);
  }
  return B;
}

bool TRegionData::Contains(int X, int Y) const { return InRects(FRects, X, Y); }

bool TRegionData::Intersects(const TRect& R) const {
  for (const TRect& A : FRects) {
    if (std::max(A.Left, R.Left) < std::min(A.Right, R.Right) && std::max(A.Top, R.Top) < std::min(A.Bottom, R.Bottom)) {
      return true;
    }
  }
  return false;
}

void TRegionData::Offset(int Dx, int Dy) {
  for (TRect& R : FRects) {
    R = Rect(R.Left + Dx, R.Top + Dy, R.Right + Dx, R.Bottom + Dy);
  }
}

// Cuts the plane along every edge of both operands; each cell is wholly inside or outside each operand, so the
// operation is decided per cell. Cells are then merged along rows and identical rows into bands.
TRegionData TRegionData::Combine(const TRegionData& A, const TRegionData& B, int Mode) {
  TRegionData Out;
  if (Mode == RGN_COPY) {
    return A;
  }
  if (Mode == RGN_AND && A.FRects.size() == 1 && B.FRects.size() == 1) {
    // The common case of clipping one rectangle to another.
    const TRect& Ra = A.FRects[0];
    const TRect& Rb = B.FRects[0];
    return TRegionData(Rect(std::max(Ra.Left, Rb.Left), std::max(Ra.Top, Rb.Top), std::min(Ra.Right, Rb.Right),
                            std::min(Ra.Bottom, Rb.Bottom)));
  }
  if (A.FRects.empty() || B.FRects.empty()) {
    if (Mode == RGN_AND || (Mode == RGN_DIFF && A.FRects.empty())) {
      return Out;
    }
    return A.FRects.empty() ? B : A;
  }
  std::vector<LONG> Xs, Ys;
  for (const auto* Src : {&A, &B}) {
    for (const TRect& R : Src->FRects) {
      Xs.push_back(R.Left);
      Xs.push_back(R.Right);
      Ys.push_back(R.Top);
      Ys.push_back(R.Bottom);
    }
  }
  std::sort(Xs.begin(), Xs.end());
  Xs.erase(std::unique(Xs.begin(), Xs.end()), Xs.end());
  std::sort(Ys.begin(), Ys.end());
  Ys.erase(std::unique(Ys.begin(), Ys.end()), Ys.end());
  std::vector<TRect> PrevRow;
  for (std::size_t Yi = 0; Yi + 1 < Ys.size(); ++Yi) {
    std::vector<TRect> Row;
    for (std::size_t Xi = 0; Xi + 1 < Xs.size(); ++Xi) {
      bool InA = InRects(A.FRects, Xs[Xi], Ys[Yi]);
      bool InB = InRects(B.FRects, Xs[Xi], Ys[Yi]);
      bool In = Mode == RGN_AND ? (InA && InB) : Mode == RGN_OR ? (InA || InB) : Mode == RGN_XOR ? (InA != InB)
                                                                                                  : (InA && !InB);
      if (!In) {
        continue;
      }
      if (!Row.empty() && Row.back().Right == Xs[Xi]) {
        Row.back().Right = Xs[Xi + 1];
      } else {
        Row.push_back(Rect(Xs[Xi], Ys[Yi], Xs[Xi + 1], Ys[Yi + 1]));
      }
    }
    // A row with the same spans as the band above extends that band.
    bool Same = !Row.empty() && Row.size() == PrevRow.size() && PrevRow.front().Bottom == Ys[Yi];
    for (std::size_t I = 0; Same && I < Row.size(); ++I) {
      Same = Row[I].Left == PrevRow[I].Left && Row[I].Right == PrevRow[I].Right;
    }
    if (Same) {
      std::size_t First = Out.FRects.size() - PrevRow.size();
      for (std::size_t I = 0; I < Row.size(); ++I) {
        Out.FRects[First + I].Bottom = Ys[Yi + 1];
      }
      for (TRect& R : PrevRow) {
        R.Bottom = Ys[Yi + 1];
      }
    } else {
      Out.FRects.insert(Out.FRects.end(), Row.begin(), Row.end());
      PrevRow = Row;
    }
  }
  return Out;
}

// ---- The region calls --------------------------------------------------------------------------------------------

HRGN CreateRectRgn(int Left, int Top, int Right, int Bottom) {
  auto O = std::make_shared<TGdiObject>();
  O->Type = OBJ_REGION;
  O->Region = TRegionData(Rect(std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom)));
  return Gdi::AddObject(O);
}

HRGN CreateRectRgnIndirect(const TRect* Rc) {
  return Rc ? CreateRectRgn(Rc->Left, Rc->Top, Rc->Right, Rc->Bottom) : 0;
}

int CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, int Mode) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::Object(Dest, OBJ_REGION);
  auto A = Gdi::Object(Src1, OBJ_REGION);
  auto B = Mode == RGN_COPY ? A : Gdi::Object(Src2, OBJ_REGION);
  if (!D || !A || !B || Mode < RGN_AND || Mode > RGN_COPY) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return ERROR;
  }
  D->Region = TRegionData::Combine(A->Region, B->Region, Mode);
  return D->Region.Kind();
}

int OffsetRgn(HRGN Rgn, int X, int Y) {
  std::lock_guard G(Gdi::Lock());
  auto R = Gdi::Object(Rgn, OBJ_REGION);
  if (!R) {
    return ERROR;
  }
  R->Region.Offset(X, Y);
  return R->Region.Kind();
}

BOOL PtInRegion(HRGN Rgn, int X, int Y) {
  std::lock_guard G(Gdi::Lock());
  auto R = Gdi::Object(Rgn, OBJ_REGION);
  return R && R->Region.Contains(X, Y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN Rgn, const TRect* Rc) {
  std::lock_guard G(Gdi::Lock());
  auto R = Gdi::Object(Rgn, OBJ_REGION);
  return R && Rc && R->Region.Intersects(*Rc) ? TRUE : FALSE;
}

int GetRgnBox(HRGN Rgn, TRect* Rc) {
  std::lock_guard G(Gdi::Lock());
  auto R = Gdi::Object(Rgn, OBJ_REGION);
  if (!R || !Rc) {
    return ERROR;
  }
  *Rc = R->Region.Box();
  return R->Region.Kind();
}

BOOL SetRectRgn(HRGN Rgn, int Left, int Top, int Right, int Bottom) {
  std::lock_guard G(Gdi::Lock());
  auto R = Gdi::Object(Rgn, OBJ_REGION);
  if (!R) {
    return FALSE;
  }
  R->Region = TRegionData(Rect(std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom)));
  return TRUE;
}

BOOL EqualRgn(HRGN A, HRGN B) {
  std::lock_guard G(Gdi::Lock());
  auto Ra = Gdi::Object(A, OBJ_REGION);
  auto Rb = Gdi::Object(B, OBJ_REGION);
  return Ra && Rb && Ra->Region == Rb->Region ? TRUE : FALSE;
}
