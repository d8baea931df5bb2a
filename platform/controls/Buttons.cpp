// The bitmap button (kinds with their captions and modal results, its glyph) and the speed button (down
// states, groups, the mouse, and drawing with the graphics layer).
#include "platform/controls/Buttons.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>

Z_ENUM_TYPEINFO(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort",
                "bkRetry", "bkIgnore", "bkAll")
Z_ENUM_TYPEINFO(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")

Z_IMPLEMENT_CLASS_PUBLISHED(TBitBtn, TButton, TBitBtn::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TSpeedButton, TGraphicControl, TSpeedButton::Publish)

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

// ---- TSpeedButton -----------------------------------------------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  ControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

TSpeedButtonState TSpeedButton::State() const {
  if (!const_cast<TSpeedButton*>(this)->Enabled()) return bsDisabled;
  if (FDown) return bsExclusive;
  return FPressed && FMouseInControl ? bsDown : bsUp;
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) {
    Value = false;  // only a button of a group stays down
  }
  if (Value == FDown) {
    return;
  }
  if (FDown && !FAllowAllUp) {
    return;  // one button of the group is always down
  }
  FDown = Value;
  Invalidate();
  if (Value) {
    UpdateExclusive(false);
  }
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (Value != FGroupIndex) {
    FGroupIndex = Value;
    if (Value == 0 && FDown) {
      FDown = false;
      Invalidate();
    }
    UpdateExclusive(true);
  }
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (Value != FAllowAllUp) {
    FAllowAllUp = Value;
    UpdateExclusive(true);
  }
}

void TSpeedButton::UpdateExclusive(bool ShareAllowAllUp) {
  TWinControl* P = Parent();
  if (FGroupIndex == 0 || !P) {
    return;
  }
  for (int I = 0; I < P->ControlCount(); ++I) {
    auto* B = dynamic_cast<TSpeedButton*>(P->Controls(I));
    if (!B || B == this || B->FGroupIndex != FGroupIndex) {
      continue;
    }
    if (ShareAllowAllUp) {
      B->FAllowAllUp = FAllowAllUp;
    } else if (FDown && B->FDown) {
      B->FDown = false;
      B->Invalidate();
    }
  }
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value != FFlat) {
    FFlat = Value;
    Invalidate();
  }
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Enabled()) {
    FPressed = true;
    FMouseInControl = true;
    Invalidate();
  }
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FPressed) {
    const bool Inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
    if (Inside != FMouseInControl) {
      FMouseInControl = Inside;
      Invalidate();
    }
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !FPressed) {
    return;
  }
  FPressed = false;
  // Released elsewhere, the press is abandoned.
  const bool DoClick = X >= 0 && Y >= 0 && X < Width() && Y < Height();
  if (DoClick && FGroupIndex != 0) {
    SetDown(!FDown);
  }
  Invalidate();
  if (DoClick) {
    Click();
  }
}

void TSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER: FMouseInControl = true; if (FFlat) Invalidate(); break;
    case CM_MOUSELEAVE: FMouseInControl = false; if (FFlat) Invalidate(); break;
    case CM_ENABLEDCHANGED: case CM_TEXTCHANGED: Invalidate(); break;
    default: break;
  }
  TGraphicControl::Dispatch(Message);
}

void TSpeedButton::Paint() {
  PaintOn(*TGraphicControl::Canvas(), Point(0, 0));
}

void TSpeedButton::PaintOn(TCanvas& C, TPoint Origin) {
  TRect R = Rect(Origin.X, Origin.Y, Origin.X + Width(), Origin.Y + Height());
  const TSpeedButtonState S = State();
  C.Brush()->SetStyle(bsSolid);
  C.Brush()->SetColor(S == bsExclusive ? clBtnHighlight : clBtnFace);
  C.FillRect(R);
  // A flat button shows its frame only while down or under the mouse.
  const bool Sunken = S == bsDown || S == bsExclusive;
  if (!FFlat || Sunken || FMouseInControl) {
    C.Pen()->SetColor(Sunken ? clBtnShadow : clBtnHighlight);
    C.MoveTo(R.Left, R.Bottom - 1);
    C.LineTo(R.Left, R.Top);
    C.LineTo(R.Right - 1, R.Top);
    C.Pen()->SetColor(Sunken ? clBtnHighlight : clBtnShadow);
    C.LineTo(R.Right - 1, R.Bottom - 1);
    C.LineTo(R.Left - 1, R.Bottom - 1);
  }
  const int Shift = Sunken ? 1 : 0;
  int TextLeft = R.Left;
  if (!FGlyph->Empty()) {
    // The glyph holds NumGlyphs images side by side: up, disabled, down, exclusive (missing ones: up).
    const int W = FGlyph->Width() / FNumGlyphs;
    const int H = FGlyph->Height();
    int Index = S == bsDisabled ? 1 : S == bsDown ? 2 : S == bsExclusive ? 3 : 0;
    if (Index >= FNumGlyphs) Index = 0;
    const bool HasText = !Caption().empty();
    const int X = HasText && Margin >= 0 ? R.Left + Margin : HasText ? R.Left + 4 : R.Left + (Width() - W) / 2;
    const int Y = R.Top + (Height() - H) / 2;
    C.CopyRect(Rect(X + Shift, Y + Shift, X + Shift + W, Y + Shift + H), FGlyph->Canvas(),
               Rect(Index * W, 0, (Index + 1) * W, H));
    TextLeft = X + W + Spacing;
  }
  const std::string Text = Caption();
  if (!Text.empty()) {
    C.Brush()->SetStyle(bsClear);
    C.Font()->SetColor(S == bsDisabled ? clGrayText : clBtnText);
    TRect T = Rect(TextLeft + Shift, R.Top + Shift, R.Right + Shift, R.Bottom + Shift);
    DrawText(C.Handle(), Text.c_str(), -1, &T,
             DT_SINGLELINE | DT_VCENTER | (FGlyph->Empty() ? DT_CENTER : DT_LEFT));
  }
}

void TSpeedButton::Publish(TMetaClass& Meta) {
  TPublisher<TSpeedButton> P(Meta);
  P.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
  P.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
  P.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
  P.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
  P.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
  P.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::Layout).Default(blGlyphLeft);
  P.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::Margin).Default(-1);
  P.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
  P.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::Spacing).Default(4);
}
