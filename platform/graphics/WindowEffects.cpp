// Caption bars drawn for windows, and layered windows shown with an opacity.
#include "platform/graphics/GdiInternals.h"
#include "platform/graphics/Images.h"
#include "platform/win/WindowInternals.h"
#include "platform/win/Modules.h"

#include <cstring>
#include <map>
#include <utility>

namespace {

struct TLayered {
  COLORREF Key = 0;
  BYTE Alpha = 255;
  DWORD Flags = 0;
};

std::map<HWND, TLayered>& Layered() {
  static std::map<HWND, TLayered> M;
  return M;
}

bool IsLayered(HWND Wnd) {
  auto R = WindowSystem::Find(Wnd);
  if (!R || !(R->ExStyle & WS_EX_LAYERED)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return true;
}

}  // namespace

BOOL DrawCaption(HWND Wnd, HDC DC, const TRect* Rc, UINT Flags) {
  if (!Rc || !Gdi::DC(DC)) {
    return FALSE;
  }
  bool Active = Flags & DC_ACTIVE;
  TRect R = *Rc;
  if (Flags & DC_INBUTTON) {
    FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
  } else if (Flags & DC_GRADIENT) {
    COLORREF From = GetSysColor(Active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    COLORREF To = GetSysColor(Active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    TRIVERTEX V[2];
    V[0].x = R.Left;
    V[0].y = R.Top;
    V[0].Red = static_cast<USHORT>(GetRValue(From) << 8);
    V[0].Green = static_cast<USHORT>(GetGValue(From) << 8);
    V[0].Blue = static_cast<USHORT>(GetBValue(From) << 8);
    V[1].x = R.Right;
    V[1].y = R.Bottom;
    V[1].Red = static_cast<USHORT>(GetRValue(To) << 8);
    V[1].Green = static_cast<USHORT>(GetGValue(To) << 8);
    V[1].Blue = static_cast<USHORT>(GetBValue(To) << 8);
    GRADIENT_RECT G{0, 1};
    GradientFill(DC, V, 2, &G, 1, GRADIENT_FILL_RECT_H);
  } else {
    FillRect(DC, &R, GetSysColorBrush(Active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  }
  int X = R.Left + 2;
  if (Flags & DC_ICON) {
    HICON Icon = 0;
    if (auto W = WindowSystem::Find(Wnd)) {
      Icon = W->Class->Info.hIcon;
    }
    if (!Icon) {
      Icon = LoadIcon(nullptr, MAKEINTRESOURCE(IDI_APPLICATION));
    }
    int S = std::min<int>(16, R.Height());
    DrawIconEx(DC, X, R.Top + (R.Height() - S) / 2, Icon, S, S, 0, 0, DI_NORMAL);
    X += S + 2;
  }
  if ((Flags & DC_TEXT) && Wnd) {
    LOGFONT L;
    L.lfHeight = -11;
    L.lfWeight = FW_BOLD;
    std::strcpy(L.lfFaceName, "Tahoma");
    HFONT F = CreateFontIndirect(&L);
    int Saved = SaveDC(DC);
    SelectObject(DC, F);
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, GetSysColor((Flags & DC_INBUTTON) ? COLOR_BTNTEXT
                                 : Active            ? COLOR_CAPTIONTEXT
                                                     : COLOR_INACTIVECAPTIONTEXT));
    std::string Text = GetWindowTextString(Wnd);
    TRect T = Rect(X, R.Top, R.Right - 2, R.Bottom);
    DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &T, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    RestoreDC(DC, Saved);
    DeleteObject(F);
  }
  return TRUE;
}

BOOL SetLayeredWindowAttributes(HWND Wnd, COLORREF Key, BYTE Alpha, DWORD Flags) {
  if (!IsLayered(Wnd)) {
    return FALSE;
  }
  auto& M = Layered();
  if (M.find(Wnd) == M.end()) {
    for (auto It = M.begin(); It != M.end();) {
      It = IsWindow(It->first) ? std::next(It) : M.erase(It);  // windows that are gone
    }
  }
  TLayered& L = M[Wnd];
  L.Key = Key;
  L.Alpha = Alpha;
  L.Flags = Flags;
  Gdi::SetWindowOpacity(Wnd, (Flags & LWA_ALPHA) ? Alpha / 255.0 : 1.0);
  return TRUE;
}

namespace Gdi {

bool WindowShape(HWND Wnd, TWindowShape& Shape) {
  Shape = TWindowShape{};
  auto R = WindowSystem::Find(Wnd);
  if (!R) {
    return false;
  }
  std::lock_guard G(Lock());
  if (R->Region) {
    if (auto O = Object(R->Region, OBJ_REGION)) {
      Shape.HasRegion = true;
      Shape.Region = O->Region.Rects();
    }
  }
  auto It = Layered().find(Wnd);
  if ((R->ExStyle & WS_EX_LAYERED) && It != Layered().end() && (It->second.Flags & LWA_COLORKEY)) {
    if (PPixels Img = ExistingBackingImage(Wnd); Img && !Img->Data.empty()) {
      Shape.HasKey = true;
      const COLORREF K = It->second.Key;
      const std::uint32_t Key = (GetRValue(K) << 16) | (GetGValue(K) << 8) | GetBValue(K);
      for (int Y = 0; Y < Img->Height; ++Y) {
        const std::uint32_t* Row = std::as_const(*Img).Row(Y);
        for (int X = 0; X < Img->Width;) {
          if ((Row[X] & 0xFFFFFF) == Key) {
            ++X;
            continue;
          }
          int End = X + 1;
          while (End < Img->Width && (Row[End] & 0xFFFFFF) != Key) {
            ++End;
          }
          // A run continuing the one above with the same span grows it instead of adding a rectangle.
          if (!Shape.Opaque.empty() && Shape.Opaque.back().Left == X && Shape.Opaque.back().Right == End &&
              Shape.Opaque.back().Bottom == Y) {
            Shape.Opaque.back().Bottom = Y + 1;
          } else {
            Shape.Opaque.push_back(Rect(X, Y, End, Y + 1));
          }
          X = End;
        }
      }
    }
  }
  return Shape.HasRegion || Shape.HasKey;
}

}  // namespace Gdi

BOOL GetLayeredWindowAttributes(HWND Wnd, COLORREF* Key, BYTE* Alpha, DWORD* Flags) {
  if (!IsLayered(Wnd)) {
    return FALSE;
  }
  auto It = Layered().find(Wnd);
  TLayered L = It == Layered().end() ? TLayered{} : It->second;
  if (Key) {
    *Key = L.Key;
  }
  if (Alpha) {
    *Alpha = L.Alpha;
  }
  if (Flags) {
    *Flags = L.Flags;
  }
  return TRUE;
}

BOOL UpdateLayeredWindow(HWND Wnd, HDC, TPoint* Dst, TSize* Size, HDC, TPoint*, COLORREF Key,
                         const BLENDFUNCTION* Blend, DWORD Flags) {
  if (!IsLayered(Wnd)) {
    return FALSE;
  }
  if (Dst || Size) {
    TRect W;
    GetWindowRect(Wnd, &W);
    SetWindowPos(Wnd, 0, Dst ? Dst->X : W.Left, Dst ? Dst->Y : W.Top, Size ? Size->cx : W.Width(),
                 Size ? Size->cy : W.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  BYTE Alpha = (Flags & ULW_ALPHA) && Blend ? Blend->SourceConstantAlpha : 255;
  return SetLayeredWindowAttributes(Wnd, Key, Alpha, ((Flags & ULW_ALPHA) ? LWA_ALPHA : 0) |
                                                         ((Flags & ULW_COLORKEY) ? LWA_COLORKEY : 0));
}

namespace {
// Programs bind the layered-window update by name, as older systems lack it.
struct TLayeredExports {
  TLayeredExports() {
    RegisterModuleExport("user32.dll", "UpdateLayeredWindow", reinterpret_cast<void*>(&UpdateLayeredWindow));
    RegisterModuleExport("user32.dll", "SetLayeredWindowAttributes",
                         reinterpret_cast<void*>(&SetLayeredWindowAttributes));
  }
};
const TLayeredExports LayeredExports;
}  // namespace
