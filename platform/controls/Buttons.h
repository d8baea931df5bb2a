// The class library's bitmap button (a push button whose Kind gives it a standard caption and modal result) and
// speed button (a windowless button that can stay down, alone or as one of a group).
#pragma once

#include "platform/classes/TypInfo.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Graphics.h"

#include <memory>

struct DRAWITEMSTRUCT;

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
Z_ENUM_TYPEINFO(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort",
                "bkRetry", "bkIgnore", "bkAll")
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Z_ENUM_TYPEINFO(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")
using TNumGlyphs = int;  // 1 .. 4 images side by side in Glyph: up, disabled, down, (exclusive) down

// A push button with a glyph. Setting Kind (other than bkCustom) sets the caption, ModalResult, Default (bkOK)
// and Cancel (bkCancel), and shows the kind's own glyph while Glyph is empty; a bkClose button closes its form
// when clicked. The native button is owner-drawn: the parent's WM_DRAWITEM comes back as CN_DRAWITEM and
// DrawItem paints the face (frame, pressed and default looks, focus rectangle), glyph and caption.
class TBitBtn : public TButton {
  Z_CLASS(TBitBtn, TButton)

public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;
  void Click() override;
  void Dispatch(TMessage& Message) override;

  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind Value);
  TBitmap* Glyph() const { return FGlyph.get(); }
  // Copies the bitmap; one of square images side by side sets NumGlyphs to their count.
  void SetGlyph(TBitmap* Value);
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs Value);  // kept within 1 .. 4
  TButtonLayout Layout = blGlyphLeft;
  void SetLayout(TButtonLayout Value);
  int Margin = -1;  // pixels from the edge to the glyph; -1: glyph and caption centred together
  void SetMargin(int Value);
  int Spacing = 4;  // pixels between glyph and caption; -1: the room shared out evenly
  void SetSpacing(int Value);
  static void Publish(TMetaClass& Meta);

protected:
  void CreateParams(TCreateParams& Params) override;
  // Draws the whole button on the record's DC within rcItem (ODS_SELECTED: pressed, ODS_FOCUS: focused).
  virtual void DrawItem(const DRAWITEMSTRUCT& DrawItemStruct);

private:
  TBitmap* ShownGlyph() const;
  int ShownNumGlyphs() const;
  std::unique_ptr<TBitmap> FGlyph;
  TBitBtnKind FKind = bkCustom;
  TNumGlyphs FNumGlyphs = 1;
};

enum TSpeedButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// A windowless button. With GroupIndex 0 it springs back up after a click; with a GroupIndex it stays down when
// clicked, and the siblings (same parent) with the same GroupIndex go up; a click on a down button lifts it only
// when AllowAllUp (shared by the group). A click (press and release over it) runs OnClick.
class TSpeedButton : public TGraphicControl {
  Z_CLASS(TSpeedButton, TGraphicControl)

public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;
  void Click() override;

  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs Value);  // kept within 1 .. 4
  TButtonLayout Layout = blGlyphLeft;
  int Margin = -1;
  int Spacing = 4;
  // How the button shows now (pressed, down, disabled or up).
  TSpeedButtonState State() const;
  // Whether the mouse is over a flat button (it shows its frame then).
  bool MouseInControl() const { return FMouseInControl; }
  // Draws the button (frame, glyph image of its state, caption) on Canvas within its bounds at Origin.
  void PaintOn(TCanvas& Canvas, TPoint Origin);
  static void Publish(TMetaClass& Meta);

protected:
  void Paint() override;  // PaintOn its own canvas, which the parent has placed at the button's corner
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

private:
  // Lifts the other buttons of the group (or shares AllowAllUp with them).
  void UpdateExclusive(bool ShareAllowAllUp);
  std::unique_ptr<TBitmap> FGlyph;
  int FGroupIndex = 0;
  TNumGlyphs FNumGlyphs = 1;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FFlat = false;
  bool FPressed = false;  // the left button went down over it and is still held
  bool FMouseInControl = false;
};

// The caption and modal result a kind of bitmap button has.
std::string BitBtnCaption(TBitBtnKind Kind);
TModalResult BitBtnModalResult(TBitBtnKind Kind);
