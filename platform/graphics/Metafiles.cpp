// Recording drawing calls with their DC state, playing them back scaled, and TMetafile/TMetafileCanvas.
#include "platform/graphics/GdiInternals.h"
#include "platform/graphics/Metafiles.h"

#include <cmath>
#include <cstring>

Z_IMPLEMENT_CLASS(TMetafile, TGraphic)
Z_IMPLEMENT_CLASS(TMetafileCanvas, TCanvas)

namespace {

struct TRecordedState {
  bool NullPen = false;
  LOGPEN Pen;
  Gdi::TBrushCopy Brush;
  LOGFONT Font;
  COLORREF TextColor = 0;
  COLORREF BkColor = 0xFFFFFF;
  int BkMode = OPAQUE;
  int Rop2 = R2_COPYPEN;
  UINT TextAlign = 0;
  TPoint BrushOrg;
  std::optional<TRegionData> Clip;
};

}  // namespace

struct TRecording {
  std::vector<std::pair<TRecordedState, TPlayCall>> Items;
  TRect Extent;
  bool HasExtent = false;
};

namespace Gdi {

TBrushCopy CopyBrush(const TDCRec& D, HBRUSH Brush) {
  TBrushCopy B;
  bool Null = false;
  B.Color = BrushColor(D, Brush, Null);
  B.Null = Null;
  if (auto O = Object(Brush, OBJ_BRUSH)) {
    B.Style = O->Brush.lbStyle;
    if (O->Pattern) {
      auto P = std::make_shared<TPixels>(*O->Pattern);
      // Monochrome patterns take the DC's colours now, as drawing would.
      if (P->Mono) {
        for (int Y = 0; Y < 8; ++Y) {
          for (int X = 0; X < 8; ++X) {
            P->Row(Y)[X] = BrushPixel(D, *O, X + D.S.BrushOrg.X, Y + D.S.BrushOrg.Y);
          }
        }
        P->Mono = false;
        P->BitsPixel = 32;
      }
      B.Pattern = P;
    }
  }
  return B;
}

HBRUSH MakeBrush(const TBrushCopy& B) {
  if (B.Null) {
    return GetStockObject(NULL_BRUSH);
  }
  if (B.Pattern) {
    HBITMAP Bmp = CreateBitmap(8, 8, 1, 32, nullptr);
    auto P = Object(Bmp, OBJ_BITMAP)->Bitmap;
    for (int Y = 0; Y < 8; ++Y) {
      std::memcpy(P->Row(Y), B.Pattern->Row(Y), 8 * 4);
    }
    HBRUSH H = CreatePatternBrush(Bmp);
    DeleteObject(Bmp);
    return H;
  }
  return CreateSolidBrush(B.Color);
}

PPixels CopyPixels(const TDCRec& Src, int X, int Y, int W, int H) {
  auto P = std::make_shared<TPixels>();
  P->Width = std::abs(W);
  P->Height = std::abs(H);
  P->Data.assign(static_cast<std::size_t>(P->Width) * static_cast<std::size_t>(P->Height), 0xFFFFFFFF);
  PPixels S = Surface(Src);
  if (!S) {
    return P;
  }
  TPoint O = ToSurface(Src, std::min(X, X + W), std::min(Y, Y + H));
  for (int Yy = 0; Yy < P->Height; ++Yy) {
    for (int Xx = 0; Xx < P->Width; ++Xx) {
      int Sx = O.X + Xx, Sy = O.Y + Yy;
      if (Sx >= 0 && Sy >= 0 && Sx < S->Width && Sy < S->Height) {
        std::uint32_t Px = S->Row(Sy)[Sx];
        if (S->Mono) {
          Px = (Px & 0xFFFFFF) ? ToPixel(Src.S.BkColor) : ToPixel(Src.S.TextColor);
        }
        P->Row(Yy)[Xx] = Px;
      }
    }
  }
  return P;
}

void Record(TDCRec& D, const TRect& Bounds, TPlayCall Call) {
  TRecordedState S;
  auto Pen = Object(D.S.Pen, OBJ_PEN);
  S.NullPen = !Pen || (Pen->Pen.lopnStyle & PS_STYLE_MASK) == PS_NULL;
  if (Pen) {
    S.Pen = Pen->Pen;
    if (D.S.Pen == GetStockObject(DC_PEN)) {
      S.Pen.lopnColor = D.S.DCPenColor;
    }
  }
  S.Brush = CopyBrush(D, D.S.Brush);
  auto Font = Object(D.S.Font, OBJ_FONT);
  S.Font = Font ? Font->Font : Object(GetStockObject(SYSTEM_FONT))->Font;
  S.TextColor = D.S.TextColor;
  S.BkColor = D.S.BkColor;
  S.BkMode = D.S.BkMode;
  S.Rop2 = D.S.Rop2;
  S.TextAlign = D.S.TextAlign & ~TA_UPDATECP;
  S.BrushOrg = D.S.BrushOrg;
  S.Clip = D.S.Clip;
  TRecording& R = *D.Record;
  TRect B = Rect(std::min(Bounds.Left, Bounds.Right), std::min(Bounds.Top, Bounds.Bottom),
                 std::max(Bounds.Left, Bounds.Right), std::max(Bounds.Top, Bounds.Bottom));
  if (!R.HasExtent) {
    R.Extent = B;
    R.HasExtent = true;
  } else {
    R.Extent = Rect(std::min(R.Extent.Left, B.Left), std::min(R.Extent.Top, B.Top), std::max(R.Extent.Right, B.Right),
                    std::max(R.Extent.Bottom, B.Bottom));
  }
  R.Items.emplace_back(std::move(S), std::move(Call));
}

void Play(HDC Target, const TRecording& R, const TRect& Dest, TSize Frame) {
  if (Frame.cx <= 0 || Frame.cy <= 0) {
    return;
  }
  TPlayScale Scale;
  Scale.Sx = static_cast<double>(Dest.Width()) / Frame.cx;
  Scale.Sy = static_cast<double>(Dest.Height()) / Frame.cy;
  Scale.Ox = Dest.Left;
  Scale.Oy = Dest.Top;
  for (const auto& [S, Call] : R.Items) {
    int Saved = SaveDC(Target);
    LOGPEN P = S.Pen;
    if (P.lopnWidth.X > 1) {
      P.lopnWidth.X = std::max<LONG>(1, static_cast<LONG>(std::lround(P.lopnWidth.X * Scale.Sx)));
    }
    HPEN Pen = S.NullPen ? GetStockObject(NULL_PEN) : CreatePenIndirect(&P);
    HBRUSH Brush = MakeBrush(S.Brush);
    LOGFONT F = S.Font;
    F.lfHeight = static_cast<LONG>(std::lround(F.lfHeight * Scale.Sy));
    F.lfWidth = static_cast<LONG>(std::lround(F.lfWidth * Scale.Sx));
    HFONT Font = CreateFontIndirect(&F);
    SelectObject(Target, Pen);
    SelectObject(Target, Brush);
    SelectObject(Target, Font);
    SetTextColor(Target, S.TextColor);
    SetBkColor(Target, S.BkColor);
    SetBkMode(Target, S.BkMode);
    SetROP2(Target, S.Rop2);
    SetTextAlign(Target, S.TextAlign);
    SetBrushOrgEx(Target, Scale.X(S.BrushOrg.X), Scale.Y(S.BrushOrg.Y), nullptr);
    if (S.Clip) {
      // The recorded clip region, scaled and placed like the drawing.
      TRegionData Clip;
      for (const TRect& C : S.Clip->Rects()) {
        TRect Sc = Scale.R(C);
        TPoint Pts[2] = {{Sc.Left, Sc.Top}, {Sc.Right, Sc.Bottom}};
        LPtoDP(Target, Pts, 2);
        Clip = TRegionData::Combine(Clip, TRegionData(Rect(Pts[0].X, Pts[0].Y, Pts[1].X, Pts[1].Y)), RGN_OR);
      }
      auto O = std::make_shared<TGdiObject>();
      O->Type = OBJ_REGION;
      O->Region = Clip;
      HRGN Rgn = AddObject(O);
      ExtSelectClipRgn(Target, Rgn, RGN_AND);
      DeleteObject(Rgn);
    }
    Call(Target, Scale);
    RestoreDC(Target, Saved);
    DeleteObject(Pen);
    DeleteObject(Brush);
    DeleteObject(Font);
  }
}

}  // namespace Gdi

// ---- TMetafile ---------------------------------------------------------------------------------------------------

TMetafile::TMetafile() = default;
TMetafile::~TMetafile() = default;

bool TMetafile::Empty() const { return !FRecording || FRecording->Items.empty(); }

void TMetafile::SetWidth(Integer Value) {
  FWidth = Value;
  Changed();
}

void TMetafile::SetHeight(Integer Value) {
  FHeight = Value;
  Changed();
}

void TMetafile::Clear() {
  FRecording.reset();
  FWidth = FHeight = 0;
  Changed();
}

void TMetafile::Assign(TPersistent* Source) {
  if (auto* M = dynamic_cast<TMetafile*>(Source)) {
    FRecording = M->FRecording;  // recordings are never changed once made: sharing is safe
    FWidth = M->FWidth;
    FHeight = M->FHeight;
    Enhanced = M->Enhanced;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TMetafile::Draw(TCanvas* ACanvas, const TRect& R) {
  if (FRecording) {
    Gdi::Play(ACanvas->Handle(), *FRecording, R, TSize{FWidth, FHeight});
  }
}

TMetafileCanvas::TMetafileCanvas(TMetafile* AMetafile, HDC) : FMetafile(AMetafile) {
  FRecording = std::make_shared<TRecording>();
  auto D = std::make_shared<TDCRec>();
  D->Screen = true;  // measures like the screen, draws nowhere
  D->Record = FRecording;
  FDC = Gdi::AddDC(D);
  SetHandle(FDC);
}

TMetafileCanvas::~TMetafileCanvas() {
  SetHandle(0);
  DeleteDC(FDC);
  if (FMetafile) {
    FMetafile->FRecording = FRecording;
    if (FMetafile->FWidth <= 0 || FMetafile->FHeight <= 0) {
      // No size given: the picture reaches from the origin to the far corner of what was drawn.
      FMetafile->FWidth = FRecording->HasExtent ? std::max<LONG>(1, FRecording->Extent.Right) : 1;
      FMetafile->FHeight = FRecording->HasExtent ? std::max<LONG>(1, FRecording->Extent.Bottom) : 1;
    }
    FMetafile->Changed();
  }
}
