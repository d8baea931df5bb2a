// Update regions: which windows need WM_PAINT, kept as each window's invalid bounding rectangle.
#include "platform/graphics/WinGdi.h"
#include "platform/win/WindowInternals.h"

#include <algorithm>
#include <functional>

using namespace WindowSystem;

namespace {

void MarkClean(const PWindowRec& R) {
  if (R->NeedsPaint) {
    R->NeedsPaint = false;
    R->Invalid = TRect{};
    --R->Queue->PaintPending;
  }
}

TRect Union(const TRect& A, const TRect& B) {
  return Rect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
              std::max(A.Bottom, B.Bottom));
}

bool Covers(const TRect& Outer, const TRect& Inner) {
  return Outer.Left <= Inner.Left && Outer.Top <= Inner.Top && Outer.Right >= Inner.Right &&
         Outer.Bottom >= Inner.Bottom;
}

}  // namespace

BOOL InvalidateRect(HWND Wnd, const TRect* Rc, BOOL Erase) {
  if (!Wnd) {
    for (HWND W : TopLevelWindows()) {
      InvalidateRect(W, nullptr, Erase);
    }
    return TRUE;
  }
  auto R = Find(Wnd);
  if (!R || R->Dead) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  TRect All = Rect(0, 0, R->Client.Width(), R->Client.Height());
  TRect Add = Rc ? *Rc : All;
  Add = Rect(std::max(Add.Left, All.Left), std::max(Add.Top, All.Top), std::min(Add.Right, All.Right),
             std::min(Add.Bottom, All.Bottom));
  if (Add.Right <= Add.Left || Add.Bottom <= Add.Top) {
    return TRUE;
  }
  if (R->NeedsPaint) {
    R->Invalid = Union(R->Invalid, Add);
  } else {
    R->NeedsPaint = true;
    R->Invalid = Add;
    ++R->Queue->PaintPending;
  }
  R->EraseBackground = R->EraseBackground || Erase;
  if (R->Queue.get() != &CurrentQueue()) {
    WakeQueue(*R->Queue);
  }
  if (auto* B = ExistingWindowBackend()) {
    B->WindowChanged(Wnd, TWindowChange::Invalidated);
  }
  return TRUE;
}

BOOL ValidateRect(HWND Wnd, const TRect* Rc) {
  auto R = Find(Wnd);
  if (!R) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (!R->NeedsPaint) {
    return TRUE;
  }
  if (!Rc || Covers(*Rc, R->Invalid)) {
    MarkClean(R);
    return TRUE;
  }
  // Trim the bounding box when the validated rectangle covers a whole band of it.
  TRect& I = R->Invalid;
  if (Rc->Left <= I.Left && Rc->Right >= I.Right) {
    if (Rc->Top <= I.Top && Rc->Bottom > I.Top) {
      I.Top = Rc->Bottom;
    } else if (Rc->Bottom >= I.Bottom && Rc->Top < I.Bottom) {
      I.Bottom = Rc->Top;
    }
  } else if (Rc->Top <= I.Top && Rc->Bottom >= I.Bottom) {
    if (Rc->Left <= I.Left && Rc->Right > I.Left) {
      I.Left = Rc->Right;
    } else if (Rc->Right >= I.Right && Rc->Left < I.Right) {
      I.Right = Rc->Left;
    }
  }
  if (I.Right <= I.Left || I.Bottom <= I.Top) {
    MarkClean(R);
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND Wnd, TRect* Rc, BOOL Erase) {
  auto R = Find(Wnd);
  if (!R) {
    return FALSE;
  }
  if (Rc) {
    *Rc = R->NeedsPaint ? R->Invalid : TRect{};
  }
  if (Erase && R->NeedsPaint && R->EraseBackground) {
    R->EraseBackground = false;
    HDC DC = GetDC(Wnd);
    IntersectClipRect(DC, R->Invalid.Left, R->Invalid.Top, R->Invalid.Right, R->Invalid.Bottom);
    SendMessage(Wnd, WM_ERASEBKGND, static_cast<WPARAM>(DC), 0);
    ReleaseDC(Wnd, DC);
  }
  return R->NeedsPaint ? TRUE : FALSE;
}

BOOL TakeEraseBackground(HWND Wnd) {
  auto R = Find(Wnd);
  if (!R) {
    return FALSE;
  }
  BOOL E = R->EraseBackground ? TRUE : FALSE;
  R->EraseBackground = false;
  return E;
}

BOOL UpdateWindow(HWND Wnd) {
  auto R = Find(Wnd);
  if (!R) {
    return FALSE;
  }
  if (R->NeedsPaint && IsWindowVisible(Wnd) && R->Redraw) {
    PaintFrameIfDirty(Wnd);
    SendMessage(Wnd, WM_PAINT, 0, 0);
  }
  for (HWND C : ChildrenOf(Wnd)) {
    UpdateWindow(C);
  }
  return TRUE;
}

namespace WindowSystem {

void PaintFrameIfDirty(HWND Wnd) {
  auto R = Find(Wnd);
  if (R && R->FrameDirty && !R->Dead) {
    R->FrameDirty = false;
    SendMessage(Wnd, WM_NCPAINT, 1, 0);
  }
}

void InvalidateWhole(HWND Wnd) {
  if (IsWindowVisible(Wnd)) {
    if (auto R = Find(Wnd); R && R->Window != R->Client) {
      R->FrameDirty = true;
    }
    InvalidateRect(Wnd, nullptr, TRUE);
    for (HWND C : ChildrenOf(Wnd)) {
      InvalidateWhole(C);
    }
  }
}

bool TakePaint(MSG& Msg, HWND Filter) {
  auto& Q = CurrentQueue();
  if (Q.PaintPending <= 0) {
    return false;
  }
  // Parents before their children, top-level windows in z-order.
  std::function<HWND(const std::vector<HWND>&)> Search = [&](const std::vector<HWND>& List) -> HWND {
    for (HWND W : List) {
      auto R = Find(W);
      if (!R || R->Dead || R->Queue.get() != &Q || !(R->Style & WS_VISIBLE)) {
        continue;
      }
      if (R->NeedsPaint && R->Redraw && (Filter == 0 || Filter == W)) {
        return W;
      }
      if (HWND C = Search(R->Children)) {
        return C;
      }
    }
    return 0;
  };
  std::vector<HWND> Tops;
  {
    std::lock_guard G(TableLock());
    Tops = TopLevelWindows();
  }
  HWND W = Search(Tops);
  if (!W) {
    return false;
  }
  Msg = MSG{};
  Msg.hwnd = W;
  Msg.message = WM_PAINT;
  return true;
}

}  // namespace WindowSystem
