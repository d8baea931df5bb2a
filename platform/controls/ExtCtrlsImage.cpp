// The image control: a picture placed, centred or stretched within a windowless control.
#include "platform/controls/ExtCtrls.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TImage, TGraphicControl, TImage::Publish)

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::SetPicture(TPicture* Value) { FPicture->Assign(Value); }

TCanvas* TImage::Canvas() { return FPicture->Bitmap()->Canvas(); }

void TImage::PictureChanged(TObject*) {
  if (TGraphic* G = FPicture->Graphic()) {
    G->SetTransparent(FTransparent);
  }
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  if (Value != FCenter) {
    FCenter = Value;
    Invalidate();
  }
}

void TImage::SetStretch(bool Value) {
  if (Value != FStretch) {
    FStretch = Value;
    Invalidate();
  }
}

void TImage::SetTransparent(bool Value) {
  if (Value != FTransparent) {
    FTransparent = Value;
    PictureChanged(this);
  }
}

TRect TImage::DestRect() const {
  const int W = FPicture->Width();
  const int H = FPicture->Height();
  const int CW = const_cast<TImage*>(this)->Width();
  const int CH = const_cast<TImage*>(this)->Height();
  if (FStretch) {
    return Rect(0, 0, CW, CH);
  }
  if (FCenter) {
    return Rect((CW - W) / 2, (CH - H) / 2, (CW - W) / 2 + W, (CH - H) / 2 + H);
  }
  return Rect(0, 0, W, H);
}

void TImage::Paint() {
  PaintOn(*TGraphicControl::Canvas(), Point(0, 0));
}

void TImage::PaintOn(TCanvas& Canvas, TPoint Origin) {
  TGraphic* G = FPicture->Graphic();
  if (!G || G->Empty()) {
    return;
  }
  TRect R = DestRect();
  R = Rect(R.Left + Origin.X, R.Top + Origin.Y, R.Right + Origin.X, R.Bottom + Origin.Y);
  Canvas.StretchDraw(R, G);
}

void TImage::Publish(TMetaClass& Meta) {
  TPublisher<TImage> P(Meta);
  P.Property("Center", &TImage::Center, &TImage::SetCenter).Default(false);
  P.Property("Picture", &TImage::Picture, &TImage::SetPicture);
  P.Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
  P.Property("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
}
