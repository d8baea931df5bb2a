// Toolbar image lists and the toolbar system font.
#include "toolbars/Tb2imagelist.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/win/SystemParams.h"

Z_IMPLEMENT_CLASS(TTBCustomImageList, TImageList)
Z_IMPLEMENT_CLASS_PUBLISHED(TTBImageList, TTBCustomImageList, TTBImageList::Publish)

TTBCustomImageList::TTBCustomImageList(TComponent* AOwner)
    : TImageList(AOwner),
      FCheckedLink(std::make_unique<TChangeLink>()),
      FDisabledLink(std::make_unique<TChangeLink>()),
      FHotLink(std::make_unique<TChangeLink>()),
      FImagesBitmap(std::make_unique<TBitmap>()) {
  for (TChangeLink* L : {FCheckedLink.get(), FDisabledLink.get(), FHotLink.get()}) {
    L->OnChange = [this](TObject*) { Change(); };
  }
  FImagesBitmap->OnChange = [this](TObject*) { ImagesBitmapChanged(); };
}

TTBCustomImageList::~TTBCustomImageList() = default;

void TTBCustomImageList::BeforeDestruction() {
  SetCheckedImages(nullptr);
  SetDisabledImages(nullptr);
  SetHotImages(nullptr);
  TImageList::BeforeDestruction();
}

void TTBCustomImageList::DrawState(TCanvas* Canvas, int X, int Y, int Index, bool Enabled, bool Selected,
                                   bool Checked) {
  if (!Enabled && FDisabledImages) {
    FDisabledImages->Draw(Canvas, X, Y, Index, true);
  } else if (Checked && FCheckedImages) {
    FCheckedImages->Draw(Canvas, X, Y, Index, Enabled);
  } else if (Selected && FHotImages) {
    FHotImages->Draw(Canvas, X, Y, Index, Enabled);
  } else {
    Draw(Canvas, X, Y, Index, Enabled);
  }
}

void TTBCustomImageList::SetCompanion(TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value) {
  if (Value == this) {
    Value = nullptr;
  }
  if (Value == Field) {
    return;
  }
  if (Field) {
    Field->UnRegisterChanges(Link);
    Field->RemoveFreeNotification(this);
  }
  Field = Value;
  if (Value) {
    Value->RegisterChanges(Link);
    Value->FreeNotification(this);
  }
  if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying)) {
    Change();
  }
}

void TTBCustomImageList::SetCheckedImages(TCustomImageList* Value) {
  SetCompanion(FCheckedImages, FCheckedLink.get(), Value);
}
void TTBCustomImageList::SetDisabledImages(TCustomImageList* Value) {
  SetCompanion(FDisabledImages, FDisabledLink.get(), Value);
}
void TTBCustomImageList::SetHotImages(TCustomImageList* Value) { SetCompanion(FHotImages, FHotLink.get(), Value); }

void TTBCustomImageList::Notification(TComponent* AComponent, TOperation Operation) {
  TImageList::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    if (AComponent == FCheckedImages) {
      SetCheckedImages(nullptr);
    }
    if (AComponent == FDisabledImages) {
      SetDisabledImages(nullptr);
    }
    if (AComponent == FHotImages) {
      SetHotImages(nullptr);
    }
  }
}

void TTBCustomImageList::SetImagesBitmap(TBitmap* Value) { FImagesBitmap->Assign(Value); }

void TTBCustomImageList::SetImagesBitmapMaskColor(TColor Value) {
  if (Value != FImagesBitmapMaskColor) {
    FImagesBitmapMaskColor = Value;
    ImagesBitmapChanged();
  }
}

void TTBCustomImageList::ImagesBitmapChanged() {
  if (FImagesBitmap->Empty() || ComponentState().Contains(csLoading)) {
    return;
  }
  Clear();
  AddMasked(FImagesBitmap.get(), FImagesBitmapMaskColor);
}

void TTBCustomImageList::Loaded() {
  TImageList::Loaded();
  ImagesBitmapChanged();
}

// The bitmap strip is stored as a bitmap file; the images themselves are not, since the strip rebuilds them.
void TTBCustomImageList::DefineProperties(TFiler* Filer) {
  TImageList::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "ImagesBitmapData", [this](TStream* S) { ReadImagesBitmap(S); }, [this](TStream* S) { WriteImagesBitmap(S); },
      !FImagesBitmap->Empty());
}

void TTBCustomImageList::ReadImagesBitmap(TStream* Stream) { FImagesBitmap->LoadFromStream(Stream); }

void TTBCustomImageList::WriteImagesBitmap(TStream* Stream) { FImagesBitmap->SaveToStream(Stream); }

void TTBImageList::Publish(TMetaClass& Meta) {
  TPublisher<TTBImageList> P(Meta);
  P.Property("CheckedImages", &TTBImageList::CheckedImages, &TTBImageList::SetCheckedImages);
  P.Property("DisabledImages", &TTBImageList::DisabledImages, &TTBImageList::SetDisabledImages);
  P.Property("Height", &TTBImageList::GetHeight, &TTBImageList::SetListHeight).Default(16);
  P.Property("HotImages", &TTBImageList::HotImages, &TTBImageList::SetHotImages);
  P.Property("ImagesBitmapMaskColor", &TTBImageList::ImagesBitmapMaskColor,
             &TTBImageList::SetImagesBitmapMaskColor).Default(clFuchsia);
  P.Property("Width", &TTBImageList::GetWidth, &TTBImageList::SetListWidth).Default(16);
}

// ---- The toolbar system font ------------------------------------------------------------------------------------

TFont* ToolbarFont() {
  static TFont* Font = [] {
    auto* F = new TFont();
    NONCLIENTMETRICS M;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &M, 0)) {
      F->SetHandle(CreateFontIndirect(&M.lfMenuFont));
    }
    return F;
  }();
  return Font;
}

void TBInitToolbarSystemFont() {
  NONCLIENTMETRICS M;
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &M, 0)) {
    ToolbarFont()->SetHandle(CreateFontIndirect(&M.lfMenuFont));
  }
}
