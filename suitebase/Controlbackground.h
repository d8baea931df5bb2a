// TControlBackground: the background of a custom control, a picture (stretched, centred or tiled) or a two-colour
// gradient, rendered once into a bitmap that the control draws.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/graphics/Graphics.h"

#include <memory>

namespace Dccontrols {

enum TBkgndOption { boNone, boStretch, boCenter, boTile, boHorzGradient, boVertGradient };

// Owned by its control (Owner), which it does not own.
class TControlBackground : public TPersistent {
  Z_CLASS(TControlBackground, TPersistent)
public:
  explicit TControlBackground(TCustomControl* AOwner);
  ~TControlBackground() override;
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;

  virtual TRect GetPaintRect();  // the owner's client area once its window exists, else empty
  virtual TBrush* GetPaintBrush();
  // Renders the background into PaintedBitmap (only when NeedPaint) and invalidates the owner.
  virtual void PaintBackground();
  bool NeedPaint();
  void BackgroundChanged();

  TBitmap* Background() const { return FBackground.get(); }
  void SetBackground(TBitmap* Value);
  TBkgndOption BkgndOption() const { return FBkgndOption; }
  void SetBkgndOption(TBkgndOption Value);
  TColor GradientBeginColor() const { return FGradientBeginColor; }
  void SetGradientBeginColor(TColor Value);
  TColor GradientEndColor() const { return FGradientEndColor; }
  void SetGradientEndColor(TColor Value);
  TBitmap* PaintedBitmap() const { return FPaintedBitmap.get(); }
  TCustomControl* Owner() const { return FOwner; }

private:
  TCustomControl* FOwner;
  std::unique_ptr<TBitmap> FBackground;
  std::unique_ptr<TBitmap> FPaintedBitmap;
  TBkgndOption FBkgndOption = boNone;
  TColor FGradientBeginColor = 16711680;
  TColor FGradientEndColor = 0;
};

}  // namespace Dccontrols

Z_ENUM_TYPEINFO(Dccontrols::TBkgndOption, "boNone", "boStretch", "boCenter", "boTile", "boHorzGradient",
                "boVertGradient")
