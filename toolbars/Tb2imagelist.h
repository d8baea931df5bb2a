// Toolbar image lists (companion lists for disabled, checked and hot images; images loaded from one bitmap strip)
// and the toolbar system font.
#pragma once

#include "platform/graphics/ImgList.h"

class TFiler;

// An image list with optional companion lists drawn instead of it for disabled, checked or hot items, and an
// optional bitmap strip that holds all its images.
class TTBCustomImageList : public TImageList {
  Z_CLASS(TTBCustomImageList, TImageList)

public:
  explicit TTBCustomImageList(TComponent* AOwner);
  ~TTBCustomImageList() override;
  void BeforeDestruction() override;

  // Draws from DisabledImages (as enabled) for a disabled item, else from CheckedImages for a checked one, else
  // from HotImages for a selected one, else from the list itself (greyed when disabled).
  virtual void DrawState(TCanvas* Canvas, int X, int Y, int Index, bool Enabled, bool Selected, bool Checked);

  TCustomImageList* CheckedImages() const { return FCheckedImages; }
  void SetCheckedImages(TCustomImageList* Value);
  TCustomImageList* DisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value);
  TCustomImageList* HotImages() const { return FHotImages; }
  void SetHotImages(TCustomImageList* Value);
  TBitmap* ImagesBitmap() const { return FImagesBitmap.get(); }
  void SetImagesBitmap(TBitmap* Value);  // copies the bitmap, then reloads
  TColor ImagesBitmapMaskColor() const { return FImagesBitmapMaskColor; }
  void SetImagesBitmapMaskColor(TColor Value);

  Integer GetWidth() const { return Width(); }
  Integer GetHeight() const { return Height(); }

protected:
  void DefineProperties(TFiler* Filer) override;
  // The images are rebuilt from the strip, so the list stores them only when it has no strip.
  bool ImageDataStored() override { return TImageList::ImageDataStored() && FImagesBitmap->Empty(); }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

private:
  void SetCompanion(TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value);
  void ImagesBitmapChanged();
  void ReadImagesBitmap(TStream* Stream);
  void WriteImagesBitmap(TStream* Stream);

  TCustomImageList* FCheckedImages = nullptr;
  TCustomImageList* FDisabledImages = nullptr;
  TCustomImageList* FHotImages = nullptr;
  std::unique_ptr<TChangeLink> FCheckedLink;
  std::unique_ptr<TChangeLink> FDisabledLink;
  std::unique_ptr<TChangeLink> FHotLink;
  std::unique_ptr<TBitmap> FImagesBitmap;
  TColor FImagesBitmapMaskColor = clFuchsia;
};

class TTBImageList : public TTBCustomImageList {
  Z_CLASS(TTBImageList, TTBCustomImageList)

public:
  using TTBCustomImageList::TTBCustomImageList;
  void SetListWidth(Integer Value) { SetWidth(Value); }
  void SetListHeight(Integer Value) { SetHeight(Value); }
  static void Publish(TMetaClass& Meta);
};

// The font views draw in unless a toolbar uses its own: the platform's menu font. One per process.
TFont* ToolbarFont();
// Gives the toolbar system font the platform's current menu font.
void TBInitToolbarSystemFont();
