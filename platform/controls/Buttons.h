// The class library's bitmap button: a push button whose Kind gives it a standard caption and modal result.
#pragma once

#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Graphics.h"

#include <memory>

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using TNumGlyphs = int;  // 1 .. 4 images side by side in Glyph: up, disabled, down, (exclusive) down

// A push button with a glyph. Setting Kind (other than bkCustom) sets the caption, ModalResult, Default (bkOK)
// and Cancel (bkCancel); a bkClose button closes its form when clicked.
class TBitBtn : public TButton {
  Z_CLASS(TBitBtn, TButton)

public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;
  void Click() override;

  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind Value);
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs Value);  // kept within 1 .. 4
  TButtonLayout Layout = blGlyphLeft;
  int Margin = -1;  // -1: glyph and caption centred together
  int Spacing = 4;
  static void Publish(TMetaClass& Meta);

private:
  std::unique_ptr<TBitmap> FGlyph;
  TBitBtnKind FKind = bkCustom;
  TNumGlyphs FNumGlyphs = 1;
};

// The caption and modal result a kind of bitmap button has.
std::string BitBtnCaption(TBitBtnKind Kind);
TModalResult BitBtnModalResult(TBitBtnKind Kind);
