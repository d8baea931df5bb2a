// Classic three-dimensional edges, frame controls (buttons, check and radio boxes, arrows, caption buttons) and
// focus rectangles, drawn with the platform's classic palette.
#include "platform/graphics/GdiInternals.h"

#include <algorithm>
#include <set>

namespace {

void Fill(HDC DC, int L, int T, int R, int B, int SysColor) {
  TRect Rc = Rect(L, T, R, B);
  if (R > L && B > T) {
    FillRect(DC, &Rc, static_cast<HBRUSH>(SysColor + 1));
  }
}

void FillColor(HDC DC, const TRect& Rc, COLORREF C) {
  HBRUSH B = CreateSolidBrush(C);
  FillRect(DC, &Rc, B);
  DeleteObject(B);
}

// One ring of an edge: the top-left colour on the left and top sides, the bottom-right colour on the right and
// bottom sides (which own the corners they share).
void Ring(HDC DC, TRect& Rc, UINT Flags, int TopLeft, int BottomRight) {
  int L = Rc.Left, T = Rc.Top, R = Rc.Right, B = Rc.Bottom;
  if (Flags & BF_LEFT) {
    Fill(DC, L, T, L + 1, (Flags & BF_BOTTOM) ? B - 1 : B, TopLeft);
  }
  if (Flags & BF_TOP) {
    Fill(DC, L, T, (Flags & BF_RIGHT) ? R - 1 : R, T + 1, TopLeft);
  }
  if (Flags & BF_RIGHT) {
    Fill(DC, R - 1, T, R, B, BottomRight);
  }
  if (Flags & BF_BOTTOM) {
    Fill(DC, L, B - 1, R, B, BottomRight);
  }
  Rc = Rect(Rc.Left + ((Flags & BF_LEFT) ? 1 : 0), Rc.Top + ((Flags & BF_TOP) ? 1 : 0),
            Rc.Right - ((Flags & BF_RIGHT) ? 1 : 0), Rc.Bottom - ((Flags & BF_BOTTOM) ? 1 : 0));
}

void Diagonal(HDC DC, const TRect& Rc, UINT Flags, int Color) {
  HPEN Pen = CreatePen(PS_SOLID, 1, GetSysColor(Color));
  HGDIOBJ Old = SelectObject(DC, Pen);
  bool Up = (Flags & (BF_TOP | BF_RIGHT)) == (BF_TOP | BF_RIGHT) || (Flags & (BF_BOTTOM | BF_LEFT)) == (BF_BOTTOM | BF_LEFT);
  if (Up) {
    MoveToEx(DC, Rc.Left, Rc.Bottom - 1, nullptr);
    LineTo(DC, Rc.Right, Rc.Top - 1);
  } else {
    MoveToEx(DC, Rc.Left, Rc.Top, nullptr);
    LineTo(DC, Rc.Right, Rc.Bottom);
  }
  SelectObject(DC, Old);
  DeleteObject(Pen);
}

void Triangle(HDC DC, const TRect& Rc, int Dir, COLORREF Color) {
  // Dir: 0 up, 1 down, 2 left, 3 right. The glyph is sized to the smaller side of the rectangle.
  int S = std::max(2, std::min(Rc.Width(), Rc.Height()) / 3);
  int Cx = (Rc.Left + Rc.Right) / 2, Cy = (Rc.Top + Rc.Bottom) / 2;
  HBRUSH Br = CreateSolidBrush(Color);
  for (int I = 0; I < S; ++I) {
    TRect Line;
    int Half = I;
    switch (Dir) {
      case 0: Line = Rect(Cx - Half, Cy - S / 2 + I, Cx + Half + 1, Cy - S / 2 + I + 1); break;
      case 1: Line = Rect(Cx - Half, Cy + S / 2 - I, Cx + Half + 1, Cy + S / 2 - I + 1); break;
      case 2: Line = Rect(Cx - S / 2 + I, Cy - Half, Cx - S / 2 + I + 1, Cy + Half + 1); break;
      default: Line = Rect(Cx + S / 2 - I, Cy - Half, Cx + S / 2 - I + 1, Cy + Half + 1); break;
    }
    FillRect(DC, &Line, Br);
  }
  DeleteObject(Br);
}

void CheckMark(HDC DC, const TRect& Box, COLORREF Color) {
  // A seven-pixel tick, three pixels thick, centred in the box.
  int X = Box.Left + (Box.Width() - 7) / 2, Y = Box.Top + (Box.Height() - 7) / 2;
  static const int Heights[7] = {2, 3, 4, 3, 2, 1, 0};
  HBRUSH Br = CreateSolidBrush(Color);
  for (int I = 0; I < 7; ++I) {
    TRect Col = Rect(X + I, Y + Heights[I], X + I + 1, Y + Heights[I] + 3);
    FillRect(DC, &Col, Br);
  }
  DeleteObject(Br);
}

BOOL DrawButton(HDC DC, TRect* Rc, UINT State) {
  UINT Type = State & 0x1F;
  if (Type == DFCS_BUTTONPUSH) {
    TRect R = *Rc;
    UINT Edge = (State & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED;
    DrawEdge(DC, &R, Edge, BF_RECT | BF_SOFT | BF_MIDDLE | ((State & DFCS_FLAT) ? BF_FLAT : 0) | BF_ADJUST);
    if (State & DFCS_ADJUSTRECT) {
      *Rc = R;
    }
    return TRUE;
  }
  // Check and radio boxes are 13x13, centred vertically at the left of the rectangle.
  int Size = std::min<int>(13, std::min(Rc->Width(), Rc->Height()));
  TRect Box = Rect(Rc->Left, Rc->Top + (Rc->Height() - Size) / 2, Rc->Left + Size, Rc->Top + (Rc->Height() - Size) / 2 + Size);
  bool Face = State & (DFCS_PUSHED | DFCS_INACTIVE);
  COLORREF Mark = GetSysColor((State & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
  if (Type == DFCS_BUTTONRADIO || Type == DFCS_BUTTONRADIOIMAGE || Type == DFCS_BUTTONRADIOMASK) {
    HPEN Pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HBRUSH Br = CreateSolidBrush(Type == DFCS_BUTTONRADIOMASK ? 0 : GetSysColor(Face ? COLOR_BTNFACE : COLOR_WINDOW));
    HGDIOBJ OldPen = SelectObject(DC, Pen);
    HGDIOBJ OldBr = SelectObject(DC, Br);
    Ellipse(DC, Box.Left, Box.Top, Box.Right - 1, Box.Bottom - 1);
    SelectObject(DC, OldPen);
    SelectObject(DC, OldBr);
    DeleteObject(Pen);
    DeleteObject(Br);
    if ((State & DFCS_CHECKED) && Type != DFCS_BUTTONRADIOMASK) {
      TRect Dot = Rect(Box.Left + 4, Box.Top + 4, Box.Left + 8, Box.Top + 8);
      FillColor(DC, Dot, Mark);
    }
    return TRUE;
  }
  TRect R = Box;
  DrawEdge(DC, &R, EDGE_SUNKEN, BF_RECT | BF_ADJUST | ((State & DFCS_FLAT) ? BF_FLAT : 0) |
                                    ((State & DFCS_MONO) ? BF_MONO : 0));
  FillColor(DC, R, GetSysColor(Face ? COLOR_BTNFACE : COLOR_WINDOW));
  if (State & DFCS_CHECKED) {
    CheckMark(DC, R, Mark);
  }
  return TRUE;
}

}  // namespace

BOOL DrawEdge(HDC DC, TRect* Rc, UINT Edge, UINT Flags) {
  if (!Rc || !Gdi::DC(DC)) {
    return FALSE;
  }
  TRect R = *Rc;
  UINT Outer = Edge & BDR_OUTER;
  UINT Inner = Edge & BDR_INNER;
  bool Soft = Flags & BF_SOFT;
  int OuterTL = -1, OuterBR = -1, InnerTL = -1, InnerBR = -1;
  if (Flags & BF_MONO) {
    OuterTL = OuterBR = COLOR_WINDOWFRAME;
    InnerTL = InnerBR = COLOR_WINDOW;
  } else if (Flags & BF_FLAT) {
    OuterTL = OuterBR = COLOR_BTNSHADOW;
    InnerTL = InnerBR = COLOR_BTNFACE;
  } else {
    if (Outer == BDR_RAISEDOUTER) {
      OuterTL = Soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT;
      OuterBR = COLOR_3DDKSHADOW;
    } else if (Outer == BDR_SUNKENOUTER) {
      OuterTL = Soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW;
      OuterBR = COLOR_BTNHIGHLIGHT;
    }
    if (Inner == BDR_RAISEDINNER) {
      InnerTL = Soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT;
      InnerBR = COLOR_BTNSHADOW;
    } else if (Inner == BDR_SUNKENINNER) {
      InnerTL = Soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW;
      InnerBR = COLOR_3DLIGHT;
    }
  }
  // Both bits of a pair (raised and sunken at once) draw nothing for that ring, as on the platform.
  bool HasOuter = Outer && Outer != BDR_OUTER;
  bool HasInner = Inner && Inner != BDR_INNER;
  if ((Flags & (BF_MONO | BF_FLAT)) == 0) {
    HasOuter = HasOuter && OuterTL >= 0;
    HasInner = HasInner && InnerTL >= 0;
  }
  if (Flags & BF_DIAGONAL) {
    if (HasOuter) {
      Diagonal(DC, R, Flags, OuterBR);
    }
    if (Flags & BF_ADJUST) {
      *Rc = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    }
    return TRUE;
  }
  if (HasOuter) {
    Ring(DC, R, Flags, OuterTL, OuterBR);
  }
  if (HasInner) {
    Ring(DC, R, Flags, InnerTL, InnerBR);
  }
  if (Flags & BF_MIDDLE) {
    Fill(DC, R.Left, R.Top, R.Right, R.Bottom, (Flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
  }
  if (Flags & BF_ADJUST) {
    *Rc = R;
  }
  return TRUE;
}

BOOL DrawFrameControl(HDC DC, TRect* Rc, UINT Type, UINT State) {
  if (!Rc || !Gdi::DC(DC)) {
    return FALSE;
  }
  COLORREF Glyph = GetSysColor((State & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_BTNTEXT);
  switch (Type) {
    case DFC_BUTTON:
      return DrawButton(DC, Rc, State);
    case DFC_MENU: {
      // Menu glyphs are black on white, to be used as masks.
      FillColor(DC, *Rc, RGB(255, 255, 255));
      UINT Kind = State & 0xFF;
      if (Kind == DFCS_MENUCHECK) {
        CheckMark(DC, *Rc, 0);
      } else if (Kind == DFCS_MENUBULLET) {
        int Cx = (Rc->Left + Rc->Right) / 2, Cy = (Rc->Top + Rc->Bottom) / 2;
        FillColor(DC, Rect(Cx - 2, Cy - 2, Cx + 2, Cy + 2), 0);
      } else {
        Triangle(DC, *Rc, Kind == DFCS_MENUARROWRIGHT ? 2 : 3, 0);
      }
      return TRUE;
    }
    case DFC_CAPTION:
    case DFC_SCROLL: {
      UINT Kind = State & 0xFF;
      TRect R = *Rc;
      if (Type == DFC_SCROLL && Kind == DFCS_SCROLLSIZEGRIP) {
        FillColor(DC, R, GetSysColor(COLOR_BTNFACE));
        // Three pairs of diagonal lines in the bottom-right corner.
        for (int I = 0; I < 3; ++I) {
          int O = 4 * I;
          Diagonal(DC, Rect(R.Right - 12 + O, R.Bottom - 12 + O, R.Right, R.Bottom), BF_BOTTOM | BF_LEFT, COLOR_BTNHIGHLIGHT);
          Diagonal(DC, Rect(R.Right - 11 + O, R.Bottom - 11 + O, R.Right, R.Bottom), BF_BOTTOM | BF_LEFT, COLOR_BTNSHADOW);
        }
        return TRUE;
      }
      bool Pushed = State & DFCS_PUSHED;
      UINT Flags = BF_RECT | BF_MIDDLE | BF_ADJUST | BF_SOFT;
      if (State & DFCS_FLAT) {
        Flags |= BF_FLAT;
      }
      DrawEdge(DC, &R, Pushed ? EDGE_SUNKEN : EDGE_RAISED, Flags);
      if (Pushed) {
        R = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
      }
      if (Type == DFC_SCROLL) {
        int Dir = Kind == DFCS_SCROLLUP ? 0 : Kind == DFCS_SCROLLLEFT ? 2 : Kind == DFCS_SCROLLRIGHT ? 3 : 1;
        Triangle(DC, R, Dir, Glyph);
        return TRUE;
      }
      int S = std::max(4, std::min(R.Width(), R.Height()) - 6);
      int L = (R.Left + R.Right - S) / 2, T = (R.Top + R.Bottom - S) / 2;
      HPEN Pen = CreatePen(PS_SOLID, 1, Glyph);
      HGDIOBJ Old = SelectObject(DC, Pen);
      HGDIOBJ OldBr = SelectObject(DC, GetStockObject(NULL_BRUSH));
      switch (Kind) {
        case DFCS_CAPTIONCLOSE:
          for (int K = 0; K < 2; ++K) {
            MoveToEx(DC, L + K, T, nullptr);
            LineTo(DC, L + S + K, T + S);
            MoveToEx(DC, L + S - 1 + K, T, nullptr);
            LineTo(DC, L - 1 + K, T + S);
          }
          break;
        case DFCS_CAPTIONMIN:
          FillColor(DC, Rect(L, T + S - 2, L + S - 2, T + S), Glyph);
          break;
        case DFCS_CAPTIONMAX:
          Rectangle(DC, L, T, L + S, T + S);
          FillColor(DC, Rect(L, T + 1, L + S, T + 2), Glyph);
          break;
        case DFCS_CAPTIONRESTORE:
          Rectangle(DC, L + 2, T, L + S, T + S - 2);
          Rectangle(DC, L, T + 2, L + S - 2, T + S);
          break;
        default:
          TextOut(DC, L, T, "?", 1);
          break;
      }
      SelectObject(DC, Old);
      SelectObject(DC, OldBr);
      DeleteObject(Pen);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

BOOL DrawFocusRect(HDC DC, const TRect* Rc) {
  std::lock_guard G(Gdi::Lock());
  auto D = Gdi::DC(DC);
  if (!D || !Rc) {
    return FALSE;
  }
  if (Rc->Right <= Rc->Left || Rc->Bottom <= Rc->Top) {
    return TRUE;
  }
  if (D->Record) {
    TPoint A = Gdi::ToDevice(*D, Rc->Left, Rc->Top), B = Gdi::ToDevice(*D, Rc->Right, Rc->Bottom);
    TRect DR = Rect(A.X, A.Y, B.X, B.Y);
    Gdi::Record(*D, DR, [DR](HDC Target, const TPlayScale& Sc) {
      TRect R = Sc.R(DR);
      DrawFocusRect(Target, &R);
    });
    return TRUE;
  }
  // Every other pixel of the outline, each visited once, is inverted: drawing twice restores the pixels.
  std::set<std::pair<int, int>> Points;
  for (int X = Rc->Left; X < Rc->Right; ++X) {
    for (int Y : {Rc->Top, Rc->Bottom - 1}) {
      if (((X - Rc->Left) + (Y - Rc->Top)) % 2 == 0) {
        Points.insert({X, Y});
      }
    }
  }
  for (int Y = Rc->Top; Y < Rc->Bottom; ++Y) {
    for (int X : {Rc->Left, Rc->Right - 1}) {
      if (((X - Rc->Left) + (Y - Rc->Top)) % 2 == 0) {
        Points.insert({X, Y});
      }
    }
  }
  PPixels P = Gdi::Surface(*D);
  if (!P) {
    return TRUE;
  }
  TRegionData Clip = Gdi::EffectiveClip(*D);
  for (auto [X, Y] : Points) {
    TPoint S = Gdi::ToSurface(*D, X, Y);
    if (Clip.Contains(S.X, S.Y)) {
      std::uint32_t& Px = P->Row(S.Y)[S.X];
      Px = ~Px | 0xFF000000;
    }
  }
  TPoint A = Gdi::ToSurface(*D, Rc->Left, Rc->Top);
  Gdi::Touch(*D, Rect(A.X, A.Y, A.X + Rc->Width(), A.Y + Rc->Height()));
  return TRUE;
}
