// The bitmap button: kinds with their captions and modal results, and its glyph.
#include "platform/controls/Buttons.h"
#include "platform/classes/TypInfo.h"

#include <algorithm>

Z_ENUM_TYPEINFO(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort",
                "bkRetry", "bkIgnore", "bkAll")
Z_ENUM_TYPEINFO(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")

Z_IMPLEMENT_CLASS_PUBLISHED(TBitBtn, TButton, TBitBtn::Publish)

std::string BitBtnCaption(TBitBtnKind Kind) {
  switch (Kind) {
    case bkOK: return "OK";
    case bkCancel: return "Cancel";
    case bkHelp: return "&Help";
    case bkYes: return "&Yes";
    case bkNo: return "&No";
    case bkClose: return "&Close";
    case bkAbort: return "Abort";
    case bkRetry: return "&Retry";
    case bkIgnore: return "&Ignore";
    case bkAll: return "&All";
    case bkCustom: break;
  }
  return {};
}

TModalResult BitBtnModalResult(TBitBtnKind Kind) {
  switch (Kind) {
    case bkOK: return mrOk;
    case bkCancel: return mrCancel;
    case bkYes: return mrYes;
    case bkNo: return mrNo;
    case bkAbort: return mrAbort;
    case bkRetry: return mrRetry;
    case bkIgnore: return mrIgnore;
    case bkAll: return mrAll;
    case bkCustom: case bkHelp: case bkClose: break;
  }
  return mrNone;
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(std::make_unique<TBitmap>()) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetKind(TBitBtnKind Value) {
  if (Value == FKind) {
    return;
  }
  FKind = Value;
  if (Value == bkCustom) {
    return;
  }
  SetCaption(BitBtnCaption(Value));
  ModalResult = BitBtnModalResult(Value);
  if (Value == bkOK) SetDefault(true);
  if (Value == bkCancel) Cancel = true;
}

void TBitBtn::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  Invalidate();
}

void TBitBtn::SetNumGlyphs(TNumGlyphs Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TBitBtn::Click() {
  if (FKind == bkClose) {
    if (TCustomForm* Form = GetParentForm(this)) {
      TButton::Click();
      Form->Close();
      return;
    }
  }
  TButton::Click();
}

void TBitBtn::Publish(TMetaClass& Meta) {
  TPublisher<TBitBtn> P(Meta);
  P.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
  P.Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
  P.Property("Layout", &TBitBtn::Layout, &TBitBtn::Layout).Default(blGlyphLeft);
  P.Property("Margin", &TBitBtn::Margin, &TBitBtn::Margin).Default(-1);
  P.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).Default(1);
  P.Property("Spacing", &TBitBtn::Spacing, &TBitBtn::Spacing).Default(4);
}
