// Skins: the drop shadow window under menus and the darkening of its screen copy.
#include "toolbars/Tbskins.h"

#include "platform/controls/Forms.h"
#include "platform/graphics/WinGdi.h"
#include "toolbars/Tb2common.h"

#include <cstdint>

Z_IMPLEMENT_CLASS(TShadow, TCustomControl)

namespace {

// A position p along the strip is darkened only outside ClipStart..ClipFinish.
bool Outside(int P, int ClipStart, int ClipFinish) {
  return ClipStart <= 0 || ClipFinish <= 0 || P < ClipStart || P > ClipFinish;
}

// The pixel at (X, Y) as a colour value (pixels are 0x00RRGGBB words).
template <class F> void Apply(TBitmap* B, int X, int Y, F Change) {
  if (X < 0 || Y < 0 || X >= B->Width() || Y >= B->Height()) {
    return;
  }
  auto* Row = static_cast<std::uint32_t*>(B->ScanLine(Y));
  const std::uint32_t P = Row[X];
  const COLORREF C = RGB((P >> 16) & 0xFF, (P >> 8) & 0xFF, P & 0xFF);
  const COLORREF N = Change(C);
  Row[X] = (static_cast<std::uint32_t>(GetRValue(N)) << 16) | (static_cast<std::uint32_t>(GetGValue(N)) << 8) |
           GetBValue(N);
}

void Darken(TBitmap* B, int X, int Y, int Amount) {
  if (Amount > 0) {
    Apply(B, X, Y, [Amount](COLORREF C) { return ColorDarkerRGB(C, static_cast<Byte>(Amount > 255 ? 255 : Amount)); });
  }
}

void Blend(TBitmap* B, int X, int Y, double Amount) {
  if (Amount > 0) {
    Apply(B, X, Y, [Amount](COLORREF C) { return BlendColors(C, RGB(30, 30, 30), Amount); });
  }
}

constexpr double XPCorner[4][4] = {
    {0.1, 0.031, 0, 0}, {0.175, 0.1, 0.031, 0}, {0.245, 0.175, 0.1, 0.01}, {0.315, 0.245, 0.175, 0.031}};

}  // namespace

void OfficeXPShadow(TBitmap* B, bool Vertical, bool Corner1, bool Corner2, int ClipStart, int ClipFinish) {
  const int W = B->Width();
  const int H = B->Height();
  if (Vertical) {
    for (int X = 0; X < W; ++X) {
      if (Corner1) {
        for (int Row = W; Row <= 2 * W - 1; ++Row) {
          if (Outside(Row, ClipStart, ClipFinish)) {
            Darken(B, X, Row, 5 * Row - 5 * X - 10 * W + 45);
          }
        }
      }
      for (int Row = 2 * W; Row <= H - W + 3 && Row < H; ++Row) {
        if (Outside(Row, ClipStart, ClipFinish)) {
          Darken(B, X, Row, 60 - 15 * X);
        }
      }
    }
    return;
  }
  for (int Y = 0; Y < H; ++Y) {
    if (Corner1) {
      for (int X = 0; X <= H - 1; ++X) {
        if (Outside(X, ClipStart, ClipFinish)) {
          Darken(B, X, Y, 5 * X - 5 * Y - 10 * H + 65);
        }
      }
    }
    for (int X = H; X <= W - H - 1; ++X) {
      if (Outside(X, ClipStart, ClipFinish)) {
        Darken(B, X, Y, 60 - 15 * Y);
      }
    }
    if (Corner2) {
      for (int Bk = 0; Bk < H; ++Bk) {
        const int X = W - 1 - Bk;
        if (Outside(X, ClipStart, ClipFinish)) {
          Darken(B, X, Y, 5 * Bk + 10 * H - 5 * Y - 20);
        }
      }
    }
  }
}

void WindowsXPShadow(TBitmap* B, bool Vertical, bool Corner1, bool Corner2, int ClipStart, int ClipFinish) {
  const int W = B->Width();
  const int H = B->Height();
  if (Vertical) {
    for (int X = 0; X < W && X < 4; ++X) {
      for (int Row = W; Row <= 2 * W - 1 && Row - W < 4; ++Row) {
        if (Outside(Row, ClipStart, ClipFinish)) {
          Blend(B, X, Row, XPCorner[Row - W][X]);
        }
      }
      if (Corner1) {
        for (int Row = 2 * W; Row <= H - W + 3 && Row < H; ++Row) {
          if (Outside(Row, ClipStart, ClipFinish)) {
            Blend(B, X, Row, (50 - 15 * X) / 100.0);
          }
        }
      }
    }
    return;
  }
  for (int Y = 0; Y < H; ++Y) {
    if (Corner1) {
      for (int X = 0; X <= H - 1; ++X) {
        if (Outside(X, ClipStart, ClipFinish)) {
          Blend(B, X, Y, (60 - (2 * H + Y - X - 1) * 7.1) / 100.0);
        }
      }
    }
    for (int X = H; X <= W - H - 1; ++X) {
      if (Outside(X, ClipStart, ClipFinish)) {
        Blend(B, X, Y, (50 - 15 * Y) / 100.0);
      }
    }
    if (Corner2) {
      for (int J = 0; J < 4 && J < W; ++J) {
        double A = 0;
        if (J == 3 && Y == 0) {
          A = 0.5;
        } else if ((J == 3 && Y == 1) || (J == 2 && Y < 2)) {
          A = 0.35;
        } else if ((J > 1 && Y == 2) || (J == 1 && Y < 3)) {
          A = 0.2;
        } else if ((J > 0 && Y == 3) || (J == 0 && Y < 4)) {
          A = 0.05;
        }
        const int X = W - 1 - J;
        if (Outside(X, ClipStart, ClipFinish)) {
          Blend(B, X, Y, A);
        }
      }
    }
  }
}

TShadow::TShadow(bool AOfficeXPStyle, bool AVertical)
    : TCustomControl(nullptr), FFirst(AOfficeXPStyle), FVertical(AVertical) {
  SetVisible(false);
}

TShadow::~TShadow() = default;

void TShadow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = (Params.Style & ~(WS_CHILD | 0x00030000u)) | WS_POPUP;
  Params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WindowClass.style |= CS_SAVEBITS | CS_VREDRAW;
  Params.WndParent = Application->Handle();
}

void TShadow::Prepare() {
  if (FBitmap) {
    return;
  }
  ProcessPaintMessages();
  FBitmap = std::make_unique<TBitmap>();
  FBitmap->SetPixelFormat(pf32bit);
  FBitmap->SetSize(Width(), Height());
  HDC Screen = GetDC(0);
  BitBlt(FBitmap->Canvas()->Handle(), 0, 0, Width(), Height(), Screen, Left(), Top(), SRCCOPY);
  ReleaseDC(0, Screen);
  if (ShadowStyle == sOfficeXP) {
    OfficeXPShadow(FBitmap.get(), FVertical, Corner1, Corner2, ClipStart, ClipFinish);
  } else {
    WindowsXPShadow(FBitmap.get(), FVertical, Corner1, Corner2, ClipStart, ClipFinish);
  }
}

void TShadow::UnPrepare() { FBitmap.reset(); }

void TShadow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST: Message.Result = HTTRANSPARENT; return;
    case WM_NCPAINT: Message.Result = 0; return;
    case WM_ERASEBKGND:
      if (FBitmap) {
        BitBlt(reinterpret_cast<HDC>(Message.WParam), 0, 0, FBitmap->Width(), FBitmap->Height(),
               FBitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
      }
      Message.Result = 1;
      return;
    case WM_PAINT: {
      PAINTSTRUCT Ps;
      HDC DC = BeginPaint(Handle(), &Ps);
      if (FBitmap) {
        BitBlt(DC, 0, 0, FBitmap->Width(), FBitmap->Height(), FBitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
      }
      EndPaint(Handle(), &Ps);
      Message.Result = 0;
      return;
    }
    default: TCustomControl::Dispatch(Message);
  }
}
