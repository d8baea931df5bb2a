// The background painter of the suite's controls.
#include "suitebase/Controlbackground.h"

#include "suitebase/Dccontrols.h"

namespace Dccontrols {

Z_IMPLEMENT_CLASS_PUBLISHED(TControlBackground, TPersistent, TControlBackground::Publish)

TControlBackground::TControlBackground(TCustomControl* AOwner)
    : FOwner(AOwner), FBackground(std::make_unique<TBitmap>()), FPaintedBitmap(std::make_unique<TBitmap>()) {
  FBackground->OnChange = [this](TObject*) { BackgroundChanged(); };
}

TControlBackground::~TControlBackground() = default;

void TControlBackground::Publish(TMetaClass& Meta) {
  TPublisher<TControlBackground> P(Meta);
  P.Property("Background", &TControlBackground::Background, &TControlBackground::SetBackground);
  P.Property("BkgndOption", &TControlBackground::BkgndOption, &TControlBackground::SetBkgndOption).Default(boNone);
  P.Property("GradientBeginColor", &TControlBackground::GradientBeginColor, &TControlBackground::SetGradientBeginColor)
      .Default(16711680)
      .Type(TypeInfoColor());
  P.Property("GradientEndColor", &TControlBackground::GradientEndColor, &TControlBackground::SetGradientEndColor)
      .Default(0)
      .Type(TypeInfoColor());
}

void TControlBackground::Assign(TPersistent* Source) {
  if (auto* B = dynamic_cast<TControlBackground*>(Source)) {
    SetBackground(B->Background());
    SetBkgndOption(B->BkgndOption());
    SetGradientBeginColor(B->GradientBeginColor());
    SetGradientEndColor(B->GradientEndColor());
    return;
  }
  TPersistent::Assign(Source);
}

void TControlBackground::SetBackground(TBitmap* Value) { FBackground->Assign(Value); }

void TControlBackground::SetBkgndOption(TBkgndOption Value) {
  if (Value != FBkgndOption) {
    FBkgndOption = Value;
    BackgroundChanged();
    if (FOwner) {
      FOwner->Invalidate();
    }
  }
}

void TControlBackground::SetGradientBeginColor(TColor Value) {
  if (Value != FGradientBeginColor) {
    FGradientBeginColor = Value;
    BackgroundChanged();
  }
}

void TControlBackground::SetGradientEndColor(TColor Value) {
  if (Value != FGradientEndColor) {
    FGradientEndColor = Value;
    BackgroundChanged();
  }
}

void TControlBackground::BackgroundChanged() {
  if (NeedPaint()) {
    PaintBackground();
  }
}

bool TControlBackground::NeedPaint() {
  const TRect R = GetPaintRect();
  if (R.Width() <= 0 || R.Height() <= 0) {
    return false;
  }
  if (FBkgndOption == boHorzGradient || FBkgndOption == boVertGradient) {
    return true;
  }
  return FBkgndOption != boNone && FBackground->Width() != 0 && FBackground->Height() != 0;
}

TRect TControlBackground::GetPaintRect() {
  return FOwner && FOwner->HandleAllocated() ? FOwner->ClientRect() : TRect{0, 0, 0, 0};
}

TBrush* TControlBackground::GetPaintBrush() { return FOwner->Canvas()->Brush(); }

void TControlBackground::PaintBackground() {
  if (!NeedPaint()) {
    return;
  }
  const TRect R = GetPaintRect();
  FPaintedBitmap->SetSize(R.Width(), R.Height());
  TCanvas* C = FPaintedBitmap->Canvas();
  const int W = FPaintedBitmap->Width();
  const int H = FPaintedBitmap->Height();
  const int PW = FBackground->Width();
  const int PH = FBackground->Height();
  switch (FBkgndOption) {
    case boStretch: C->StretchDraw(R, FBackground.get()); break;
    case boCenter:
      C->SetBrush(GetPaintBrush());
      C->Brush()->SetColor(FOwner->Color());
      C->FillRect(R);
      C->Draw(R.Left + (W - R.Left - PW) / 2, R.Top + (H - PH) / 2, FBackground.get());
      break;
    case boTile: {
      const int Cols = (W - R.Left + PW - 1) / PW;
      const int Rows = (H + PH - 1) / PH;
      for (int Col = 0; Col <= Cols; ++Col) {
        for (int Row = 0; Row <= Rows; ++Row) {
          C->Draw(R.Left + Col * PW, Row * PH, FBackground.get());
        }
      }
      break;
    }
    case boHorzGradient: FillGradient(C, W, H, FGradientBeginColor, FGradientEndColor, false); break;
    case boVertGradient: FillGradient(C, W, H, FGradientBeginColor, FGradientEndColor, true); break;
    default: break;
  }
  if (FOwner) {
    FOwner->Invalidate();
  }
}

}  // namespace Dccontrols
