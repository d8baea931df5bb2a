// Inner editors of the drop-down edit frame that speak its window-message protocol (get and set text, text length,
// get-modified): graphic value displays for colours, a check box, the colour list popup and the colour edit kind.
#pragma once

#include "platform/controls/ComCtrls.h"
#include "suitebase/Dcedit.h"

#include <string>

namespace Dcedit {

// The suite's paint-to message: paints the value into the canvas of WParam at the point of LParam (X low, Y high).
inline constexpr UINT CM_PAINTTO = CM_BASE + 200;

// Shows a value as a picture; its text is the value's name.
class TGraphicEdit : public TCustomControl {
  Z_CLASS(TGraphicEdit, TCustomControl)
public:
  explicit TGraphicEdit(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  virtual void PaintToCanvas(TCanvas* Canvas, int X, int Y) = 0;
  virtual void SetValueText(const std::string& Value) { FValue = Value; }
  virtual std::string GetValueText() { return FValue; }

protected:
  void Paint() override;
  std::string FValue;
};

// A colour swatch and the colour's name without "cl"; names that are no colour are refused (EConvertError).
class TColorEdit : public TGraphicEdit {
  Z_CLASS(TColorEdit, TGraphicEdit)
public:
  explicit TColorEdit(TComponent* AOwner);
  void SetValueText(const std::string& Value) override;
  void PaintToCanvas(TCanvas* Canvas, int X, int Y) override;
};

// Shows a picture (GetGraphic) stretched over itself, inside a property editor frame only; elsewhere it paints its
// background.
class TGraphEdit : public TGraphicEdit {
  Z_CLASS(TGraphEdit, TGraphicEdit)
public:
  using TGraphicEdit::TGraphicEdit;
  virtual TGraphic* GetGraphic() = 0;
  void PaintToCanvas(TCanvas* Canvas, int X, int Y) override;
};

// A line in the pen style its text names ("psDash").
class TPenStyleEdit : public TGraphicEdit {
  Z_CLASS(TPenStyleEdit, TGraphicEdit)
public:
  explicit TPenStyleEdit(TComponent* AOwner);
  void SetValueText(const std::string& Value) override;
  void PaintToCanvas(TCanvas* Canvas, int X, int Y) override;
};

// A swatch in the brush style its text names ("bsCross") and the style's name without "bs".
class TBrushStyleEdit : public TGraphicEdit {
  Z_CLASS(TBrushStyleEdit, TGraphicEdit)
public:
  explicit TBrushStyleEdit(TComponent* AOwner);
  void SetValueText(const std::string& Value) override;
  void PaintToCanvas(TCanvas* Canvas, int X, int Y) override;
};

// A check box whose text is "True" or "False"; a text beginning with T or Y (either case) checks it.
class TCheckEdit : public TCustomControl {
  Z_CLASS(TCheckEdit, TCustomControl)
public:
  explicit TCheckEdit(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  bool Checked() const { return FChecked; }
  // Flips the state unless the owning frame is read-only; the frame hears the change and commits.
  void ChangeChecked();
  virtual UINT GetWinStyle() const { return DFCS_BUTTONCHECK; }
  bool Cute = false;
  bool Scaled = false;
  bool Inverted = false;
  bool ClickAnywhere = false;

protected:
  void Paint() override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  bool FChecked = false;
  bool FModified = false;
};

// A radio button: a click on a checked one only fires OnClick; Space on a checked one is ignored.
class TRadioEdit : public TCheckEdit {
  Z_CLASS(TRadioEdit, TCheckEdit)
public:
  explicit TRadioEdit(TComponent* AOwner) : TCheckEdit(AOwner) {}
  UINT GetWinStyle() const override { return DFCS_BUTTONRADIO; }

protected:
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
};

// The drop-down list of the 16 standard colours, the 25 system colours and no colour.
class TPopupColorBox : public TPopupListBox {
  Z_CLASS(TPopupColorBox, TPopupListBox)
public:
  explicit TPopupColorBox(TComponent* AOwner);
  void BuildList() override;
  bool DisplayNames = true;

protected:
  void CreateWnd() override;
  // A black-framed swatch of the item's colour, then its name with DisplayNames.
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
};

// A date and time picker as an inner editor (its own drop button: the frame shows none); the kinds say how its
// value reads as text.
class ZEZDtEdit : public TDateTimePicker {
  Z_CLASS(ZEZDtEdit, TDateTimePicker)
public:
  explicit ZEZDtEdit(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  void SetParent(TWinControl* AParent) override;
  virtual std::string GetValueText() = 0;
  virtual void SetValueText(const std::string& Value) = 0;

protected:
  void Change() override;
  void DropDown() override;
  void CloseUp() override;
  bool FModified = false;
  bool FDropped = false;

private:
  bool FParentedOnce = false;
};

// The date in the short date format while checked, else empty; an empty text shows no value.
class ZEZDateEdit : public ZEZDtEdit {
  Z_CLASS(ZEZDateEdit, ZEZDtEdit)
public:
  using ZEZDtEdit::ZEZDtEdit;
  std::string GetValueText() override;
  void SetValueText(const std::string& Value) override;
};

// The same with the time.
class ZEZTimeEdit : public ZEZDtEdit {
  Z_CLASS(ZEZTimeEdit, ZEZDtEdit)
public:
  explicit ZEZTimeEdit(TComponent* AOwner);
  std::string GetValueText() override;
  void SetValueText(const std::string& Value) override;

protected:
  void Change() override { FModified = true; }
};

// The drop-down lists of the pen styles and the brush styles; their text is the style's name.
class TPopupPenBox : public TPopupListBox {
  Z_CLASS(TPopupPenBox, TPopupListBox)
public:
  explicit TPopupPenBox(TComponent* AOwner);
  void BuildList() override;
  bool DisplayNames = false;

protected:
  void CreateWnd() override;
  // A black line in the item's pen style through the middle of the swatch.
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
};
class TPopupBrushBox : public TPopupListBox {
  Z_CLASS(TPopupBrushBox, TPopupListBox)
public:
  explicit TPopupBrushBox(TComponent* AOwner);
  void BuildList() override;
  void Dispatch(TMessage& Message) override;
  bool DisplayNames = true;

protected:
  void CreateWnd() override;
  // A black-framed swatch of the item's brush style in black over the info-background colour ("Clear": a plain
  // info-background field).
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
};

class ZEZPenStyleEdit : public TCustomDCEdit {
  Z_CLASS(ZEZPenStyleEdit, TCustomDCEdit)
public:
  explicit ZEZPenStyleEdit(TComponent* AOwner) : TCustomDCEdit(AOwner) { DropOnClick = true; }
  static void Publish(TMetaClass& Meta);
  TClass GetDefaultEditorClass() override { return TPenStyleEdit::StaticClass(); }
  TClass GetDefaultPopupClass() override { return TPopupPenBox::StaticClass(); }
  TPenStyle PenStyle() const;
  void SetPenStyle(TPenStyle Value);
};

class ZEZBrushStyleEdit : public TCustomDCEdit {
  Z_CLASS(ZEZBrushStyleEdit, TCustomDCEdit)
public:
  explicit ZEZBrushStyleEdit(TComponent* AOwner) : TCustomDCEdit(AOwner) { DropOnClick = true; }
  static void Publish(TMetaClass& Meta);
  TClass GetDefaultEditorClass() override { return TBrushStyleEdit::StaticClass(); }
  TClass GetDefaultPopupClass() override { return TPopupBrushBox::StaticClass(); }
  TBrushStyle BrushStyle() const;
  void SetBrushStyle(TBrushStyle Value);
};

class ZEZColorEdit : public TCustomDCEdit {
  Z_CLASS(ZEZColorEdit, TCustomDCEdit)
public:
  explicit ZEZColorEdit(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);
  TClass GetDefaultEditorClass() override { return TColorEdit::StaticClass(); }
  TClass GetDefaultPopupClass() override { return TPopupColorBox::StaticClass(); }
  TColor SelectedColor() const;
  void SetSelectedColor(TColor Value);
  void Dispatch(TMessage& Message) override;
  // Ctrl with the left press opens the property editor of SelectedColor.
  bool EditMouseDown(WPARAM Keys) override;
};

// Registers the editors and popups of colours, pen and brush styles and booleans.
void RegisterValueEditors();
// Removes the boolean editor and popup entries.
void UnRegisterBooleanEditor();

}  // namespace Dcedit
