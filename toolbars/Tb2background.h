// Backgrounds: a bitmap tiled behind docks (and the windows on them), optionally with one colour made transparent.
#pragma once

#include "platform/classes/Component.h"
#include "platform/graphics/Graphics.h"
#include "toolbars/Tb2common.h"

#include <memory>
#include <vector>

// What a dock needs of a background.
class TTBBasicBackground : public TComponent {
  Z_CLASS(TTBBasicBackground, TComponent)

public:
  explicit TTBBasicBackground(TComponent* AOwner) : TComponent(AOwner) {}
  virtual void Draw(HDC DC, const TRect& DrawRect) = 0;
  virtual HPALETTE GetPalette() = 0;
  virtual void RegisterChanges(const TTBNotifyMethod& Proc) = 0;
  virtual void SysColorChanged() = 0;
  virtual void UnregisterChanges(const TTBNotifyMethod& Proc) = 0;
  virtual bool UsingBackground() = 0;
};

// A bitmap tiled from the drawn rectangle's corner; with Transparent, the colour of the bitmap's bottom-left pixel
// shows BkColor instead. The prepared copy is made once per change; registered handlers hear of every change.
class TTBBackground : public TTBBasicBackground {
  Z_CLASS(TTBBackground, TTBBasicBackground)

public:
  explicit TTBBackground(TComponent* AOwner);
  ~TTBBackground() override;

  void Draw(HDC DC, const TRect& DrawRect) override;
  HPALETTE GetPalette() override { return 0; }
  void RegisterChanges(const TTBNotifyMethod& Proc) override;
  void SysColorChanged() override;
  void UnregisterChanges(const TTBNotifyMethod& Proc) override;
  bool UsingBackground() override;

  TBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(TBitmap* Value);
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Whether a prepared copy exists (it is made at the first drawing after a change).
  bool Prepared() const { return static_cast<bool>(FBitmapCache); }
  int HandlerCount() const { return static_cast<int>(FChangeHandlers.size()); }
  static void Publish(TMetaClass& Meta);

protected:
  void BitmapChanged();

private:
  std::unique_ptr<TBitmap> FBitmap;
  std::unique_ptr<TBitmap> FBitmapCache;
  TColor FBkColor = clBtnFace;
  std::vector<TTBNotifyMethod> FChangeHandlers;
  bool FTransparent = false;
};
