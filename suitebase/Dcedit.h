// The drop-down edit frame (TCustomDCEdit): an exchangeable inner editor, up to two buttons at the right edge, a
// popup that drops below it and an edit source that takes the committed value; its plain kind ZEZEdit, the
// simple inner editor and the drop-down list.
#pragma once

#include "platform/controls/Buttons.h"
#include "platform/controls/Mask.h"
#include "platform/controls/StdCtrls.h"
#include "suitebase/Dccontrols.h"
#include "suitebase/Designreg.h"

#include <memory>
#include <string>
#include <vector>

namespace Dcedit {

class TCustomDCEdit;
class TColumnMeasure;

// Holds the committed text.
class TDummyEditSource : public Dorazori::TEditSource {
  Z_CLASS(TDummyEditSource, Dorazori::TEditSource)
public:
  using TEditSource::TEditSource;
  std::string GetValue() override { return FValue; }
  void SetValue(const std::string& Value) override { FValue = Value; }

private:
  std::string FValue;
};

// Stands for the absence of a popup.
class TDummyPopup : public TWinControl {
  Z_CLASS(TDummyPopup, TWinControl)
public:
  using TWinControl::TWinControl;
};

// The default inner editor: a borderless edit.
class ZEZSimpleEdit : public TCustomEdit {
  Z_CLASS(ZEZSimpleEdit, TCustomEdit)
public:
  explicit ZEZSimpleEdit(TComponent* AOwner);

protected:
  void CreateParams(TCreateParams& Params) override;
};

// One column of a list with columns: its width (0: measured) and alignment.
class ZEZListBoxColumn : public TCollectionItem {
  Z_CLASS(ZEZListBoxColumn, TCollectionItem)
public:
  explicit ZEZListBoxColumn(TCollection* ACollection) : TCollectionItem(ACollection) {}
  int ColumnSize = 0;
  Dccontrols::TLeftRightAlign Alignment = Dccontrols::lrLeftJustify;
};

// A list box that can draw its items as "|"-separated columns, each with a bold part between markers.
class ZEZListBox : public TCustomListBox {
  Z_CLASS(ZEZListBox, TCustomListBox)
public:
  explicit ZEZListBox(TComponent* AOwner);
  ~ZEZListBox() override;
  void Dispatch(TMessage& Message) override;
  TCollection* Columns() const { return FColumns.get(); }
  // Measures every column of every item (with custom draw, outside a redraw bracket).
  void ResetColumnSize();
  int ColumnSize(int Index) const;
  Dccontrols::TLeftRightAlign ColumnAlign(int Index) const;
  int MeasuredColumnCount() const { return static_cast<int>(FWidths.size()); }
  int MeasuredWidth(int Index) const { return FWidths[static_cast<std::size_t>(Index)]; }
  void SetMeasuredWidth(int Index, int Value) { FWidths[static_cast<std::size_t>(Index)] = Value; }
  bool CustomDraw() const { return FCustomDraw; }
  void SetCustomDraw(bool Value);

protected:
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;

private:
  // Widens the measured columns to fit one item's text (widths only grow).
  void MeasureItemText(const std::string& Text);
  void MeasureWith(const TColumnMeasure& Measure, const std::string& Text);
  std::unique_ptr<TCollection> FColumns;
  std::unique_ptr<TFont> FBoldFont;
  std::vector<int> FWidths;
  bool FCustomDraw = false;
  int FUpdateCount = 0;
};

// The masked variant of the simple inner editor.
class ZEZMaskEdit : public TCustomMaskEdit {
  Z_CLASS(ZEZMaskEdit, TCustomMaskEdit)
public:
  explicit ZEZMaskEdit(TComponent* AOwner);

protected:
  void CreateParams(TCreateParams& Params) override;
};

// The drop-down list of a frame: at most 7 rows high; Return accepts, Escape cancels, a click accepts.
class TPopupListBox : public ZEZListBox {
  Z_CLASS(TPopupListBox, ZEZListBox)
public:
  explicit TPopupListBox(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  // Tells the owning frame to close (accepting or not).
  virtual void Close(bool Accept);
  virtual void BuildList() {}
  void AdjustHeight();
  static void Publish(TMetaClass& Meta);

protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
};

enum TButtonKind { bkCustom, bkDropDown, bkDots };
enum TNimbraBorderStyle {
  dbsSunkenBorder,
  dbsRaisedBorder,
  dbsSunkenLine,
  dbsRaisedLine,
  dbsLine,
  dbsLineBorder,
  dbsSunkenSingle,
  dbsRaisedSingle,
  dbsNone
};

// A button of the frame.
class TEditButton : public TSpeedButton {
  Z_CLASS(TEditButton, TSpeedButton)
public:
  explicit TEditButton(TComponent* AOwner);
  void Click() override;
  TNotifyEvent OnButtonClick;
};

// The settings of one button; the frame owns them.
class TButtonParams : public TPersistent {
  Z_CLASS(TButtonParams, TPersistent)
public:
  TButtonParams(TCustomDCEdit* AFrame, TEditButton* AButton);
  static void Publish(TMetaClass& Meta);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TButtonKind Kind() const { return FKind; }
  void SetKind(TButtonKind Value);
  bool Visible() const;
  void SetVisible(bool Value);
  TEditButton* Button() const { return FButton; }
  // The cursor shown over the button (the frame sets it on WM_SETCURSOR).
  int Cursor() const { return FCursor; }
  void SetCursor(int Value) { FCursor = Value; }
  // The glyph: setting one makes the kind bkCustom; a custom button of automatic width is the glyph's width + 4.
  TBitmap* Glyph() const;
  void SetGlyph(TBitmap* Value);
  bool IsGlyphStored() const { return FKind == bkCustom; }
  int NumGlyphs() const;
  void SetNumGlyphs(int Value);
  std::string Hint() const;
  void SetHint(const std::string& Value);
  bool ShowHint() const;
  void SetShowHint(bool Value);
  bool ParentShowHint() const;
  void SetParentShowHint(bool Value);

private:
  // Sizes a custom button of automatic width to its glyph and has the frame lay its buttons out again.
  void GlyphChanged();
  TCustomDCEdit* FFrame;
  TEditButton* FButton;
  int FWidth = 0;
  int FCursor = crDefault;
  TButtonKind FKind = bkCustom;
};

inline constexpr UINT CM_POSTVALUE = 2035;
// Posted to itself when a commit on leaving failed: the frame takes the focus back.
inline constexpr UINT CM_REFOCUS = WM_USER + 0x7DC;
// Posted to itself when the application lost activation while the popup was down.
inline constexpr UINT CM_CLOSEPOPUP = WM_USER + 0x7DD;
// Sent to the inner editor when the frame is clicked through its accelerator.
inline constexpr UINT CM_EDITCLICK = WM_USER + 0x7DE;

class TCustomDCEdit : public TCustomControl {
  Z_CLASS(TCustomDCEdit, TCustomControl)
public:
  explicit TCustomDCEdit(TComponent* AOwner);
  ~TCustomDCEdit() override;
  void BeforeDestruction() override;
  void Dispatch(TMessage& Message) override;
  void SetParent(TWinControl* AParent) override;
  void Loaded() override;

  // The inner editor's text through the text messages; empty without an editor.
  std::string GetText() override;
  void SetText(const std::string& Value) override;
  virtual void Change();
  void Term();
  virtual void DoTerm();
  virtual void Drop();
  virtual void CloseDropped(bool Accept);
  virtual void SetDropValue();
  virtual void GetDropValue();
  // A left press on the frame or its editor (Keys: the MK_ flags); true when it was taken.
  virtual bool EditMouseDown(WPARAM Keys) {
    (void)Keys;
    return false;
  }
  virtual TClass GetDefaultEditorClass();
  virtual TClass GetDefaultPopupClass();
  void SetEditorClass(TClass Class);
  void SetPopup(TClass Class);

  int NumButtons() const { return FNumButtons; }
  void SetNumButtons(int Value);  // outside 0..2: ignored
  const std::string& EditClass() const { return FEditClass; }
  void SetEditClass(const std::string& Value);
  const std::string& EditSourceClass() const { return FEditSourceClass; }
  void SetEditSourceType(const std::string& Value);
  const std::string& PopupWindowClass() const { return FPopupWindowClass; }
  void SetPopupClassName(const std::string& Value);
  bool DroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool Value);  // true drops, false closes accepting
  void SetButtonBounds();
  void SetEditRect();

  TWinControl* Edit() const { return FEdit; }
  TWinControl* PopupWindow() const { return FPopup; }
  Dorazori::TEditSource* EditSource() const { return FEditSource; }
  TButtonParams* Button1() const { return FButton1.get(); }
  TButtonParams* Button2() const { return FButton2.get(); }
  // Read-only: the editor hears EM_SETREADONLY.
  virtual bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  virtual void CheckReadOnly();
  // The left edge of a check box editor inside the frame.
  int CheckIndent = 0;
  bool DropOnClick = false;
  bool Flat = false;
  bool UseNimbraBorder = false;
  TNimbraBorderStyle NimbraBorderStyle = dbsSunkenBorder;
  // The accelerator caption: its accelerator key (Alt+letter) clicks the control.
  std::string AccelCaption;
  // Flat, UseNimbraBorder or NimbraBorderStyle changed: the window is made again and the parts laid out.
  void BorderChanged();
  // Timer 1: a pending mouse-leave repaint, or, while the popup holds the mouse, a move at the cursor.
  void TimerTick();
  // Set-cursor over a visible button: that button's cursor (button 2 first); false elsewhere.
  bool ButtonCursor();
  // The focus arrives: false when the notice is the echo of passing the focus on to the editor.
  // The mouse left: the flat look is repainted at the next tick of timer 1.
  void MouseLeft();
  // The flat look is inactive: Flat, the mouse outside, not focused, not designing.
  bool FlatInactive();
  // Draws the border of the flat and own-border looks on the canvas.
  void DrawBorder(TCanvas* Canvas);
  TColor LineColor = cl3DDkShadow;
  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  // Hides the editor's caret (now and at every focus gain) and makes it read-only.
  bool HideCaret() const { return FHideCaret; }
  void SetHideCaret(bool Value);
  // Redraws the border of the flat and own-border looks when their state changed since the last drawing.
  void UpdateBorder();
  // The height that fits the font: its text height plus the border's share.
  void AdjustHeight();

protected:
  void Paint() override;
  // The editor's click: the focus goes to the editor, and a check box toggles.
  void Click() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  // OnKeyPress hears Return and Escape too; then they are swallowed.
  void KeyPress(char& Key) override;
  void CreateParams(TCreateParams& Params) override;

private:
  static LRESULT EditWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  void HookEditor();
  void UnhookEditor();
  bool EditKey(UINT Msg, WPARAM Key, LPARAM KeyData);
  int ButtonsWidth() const;

  TWinControl* FEdit = nullptr;
  TWinControl* FPopup = nullptr;
  Dorazori::TEditSource* FEditSource = nullptr;
  std::unique_ptr<TButtonParams> FButton1;
  std::unique_ptr<TButtonParams> FButton2;
  std::string FEditClass;
  std::string FEditSourceClass;
  std::string FPopupWindowClass;
  int FNumButtons = 1;
  bool FDroppedDown = false;
  bool FReadOnly = false;
  bool FMouseOutside = true;
  bool FInTerm = false;
  bool FDestroying = false;
  bool FClassesPending = true;
  bool FHideCaret = false;
  bool FLeavePending = false;  // a mouse-leave repaint is due at the next tick of timer 1
  bool FEnterGuard = false;    // swallows the enter notice of passing the focus on to the editor
  int FBorderState = 2;        // the flat-look state last drawn; 2: not drawn yet
  HWND FHookedEdit = 0;
  int FAppHook = 0;
  WNDPROC FOldEditProc = nullptr;
};

// The base of the suite's property editors; no behaviour of its own.
class TCustomDCPropEditor : public TCustomDCEdit {
  Z_CLASS(TCustomDCPropEditor, TCustomDCEdit)
public:
  using TCustomDCEdit::TCustomDCEdit;
};

// The plain drop-down edit.
class ZEZEdit : public TCustomDCEdit {
  Z_CLASS(ZEZEdit, TCustomDCEdit)
public:
  using TCustomDCEdit::TCustomDCEdit;
  static void Publish(TMetaClass& Meta);
};

}  // namespace Dcedit

Z_ENUM_TYPEINFO(Dcedit::TButtonKind, "bkCustom", "bkDropDown", "bkDots")
Z_ENUM_TYPEINFO(Dcedit::TNimbraBorderStyle, "dbsSunkenBorder", "dbsRaisedBorder", "dbsSunkenLine", "dbsRaisedLine",
                "dbsLine", "dbsLineBorder", "dbsSunkenSingle", "dbsRaisedSingle", "dbsNone")
