// The class library's standard controls: TLabel, TButton (Default, Cancel, ModalResult), TCheckBox, TRadioButton,
// TEdit, TListBox and TComboBox over the platform's native controls, TGroupBox, TPanel and TBevel, with their
// published properties.
#pragma once

#include "platform/classes/TypInfo.h"
#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"

#include <memory>
#include <string>
#include <vector>

enum TTextLayout { tlTop, tlCenter, tlBottom };
Z_ENUM_TYPEINFO(TTextLayout, "tlTop", "tlCenter", "tlBottom")
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
Z_ENUM_TYPEINFO(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
Z_ENUM_TYPEINFO(TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase")
using TBorderStyle = TFormBorderStyle;  // bsNone or bsSingle for controls
enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
Z_ENUM_TYPEINFO(TPanelBevel, "bvNone", "bvLowered", "bvRaised", "bvSpace")
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
Z_ENUM_TYPEINFO(TBevelShape, "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer")
enum TBevelStyle { bsLowered, bsRaised };
Z_ENUM_TYPEINFO(TBevelStyle, "bsLowered", "bsRaised")
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
Z_ENUM_TYPEINFO(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth")
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
Z_ENUM_TYPEINFO(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable")
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
Z_ENUM_TYPEINFO(TListBoxStyle, "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable")
// The state of an owner-drawn item, from the platform's ODS_ bits in order.
enum TOwnerDrawStateItem {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
  odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem, odComboBoxEdit>;
// Draws item Index of an owner-drawn list or combo box on its Canvas within Rect (Index -1: a combo box's empty
// selection field).
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;
// Gives the height of item Index of a variable-height list or combo box (Height comes set to ItemHeight).
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// Whether Key is the '&' accelerator of Caption (case ignored; "&&" is a literal ampersand).
bool IsAccel(Word Key, const std::string& Caption);

// A text that has no window; its accelerator focuses FocusControl (CM_DIALOGCHAR).
class TCustomLabel : public TGraphicControl {
  Z_CLASS(TCustomLabel, TGraphicControl)

public:
  explicit TCustomLabel(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  TAlignment Alignment = taLeftJustify;
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  TTextLayout Layout = tlTop;
  bool ShowAccelChar = true;
  bool Transparent = false;
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Sizes the label to its text (one line, or wrapped at the current width), keeping its anchor corner.
  virtual void AdjustBounds();
  // Fills the background unless Transparent, then draws the caption aligned, wrapped and with its '&' accelerator
  // underlined; a disabled label is drawn embossed.
  void Paint() override;

private:
  TWinControl* FFocusControl = nullptr;
  bool FAutoSize = true;
  bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
  Z_CLASS(TLabel, TCustomLabel)

public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
  static void Publish(TMetaClass& Meta);
};

// A push button over the native button. A click sets the parent form's ModalResult to the button's (ending
// ShowModal when not mrNone) and runs OnClick. Return clicks the default button (or the focused button), Escape
// the cancel button, through the form's dialog keys.
class TButton : public TWinControl {
  Z_CLASS(TButton, TWinControl)

public:
  explicit TButton(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  void Click() override;
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel = false;
  TModalResult ModalResult = mrNone;
  static void Publish(TMetaClass& Meta);

protected:
  void CreateParams(TCreateParams& Params) override;
  // Whether Return clicks this button: the focused button is active, else the default one.
  bool Active();

private:
  bool FDefault = false;
};

// A check box over the native button (manual three-state style: the control decides). A click moves through
// unchecked, (grayed when AllowGrayed,) checked; any change of state runs OnClick.
class TCheckBox : public TWinControl {
  Z_CLASS(TCheckBox, TWinControl)

public:
  explicit TCheckBox(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  TAlignment Alignment = taRightJustify;
  bool AllowGrayed = false;
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  static void Publish(TMetaClass& Meta);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Toggle();

private:
  TCheckBoxState FState = cbUnchecked;
};

// A radio button: checking it unchecks the radio buttons that share its parent, and runs OnClick.
class TRadioButton : public TWinControl {
  Z_CLASS(TRadioButton, TWinControl)

public:
  explicit TRadioButton(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  TAlignment Alignment = taRightJustify;
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  static void Publish(TMetaClass& Meta);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  bool FChecked = false;
};

// A single-line edit over the native edit. Properties set before the window exists are applied when it is made.
class TCustomEdit : public TWinControl {
  Z_CLASS(TCustomEdit, TWinControl)

public:
  explicit TCustomEdit(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  TEditCharCase CharCase = ecNormal;
  bool AutoSelect = true;
  bool HideSelection = true;
  TBorderStyle BorderStyle = bsSingle;
  bool Modified();
  void SetModified(bool Value);
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  std::string SelText();
  void SetSelText(const std::string& Value);
  void SelectAll();
  void Clear() { SetText({}); }
  void ClearSelection() { SetSelText({}); }
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  bool CanUndo();
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change();

private:
  int FMaxLength = 0;
  char FPasswordChar = 0;
  bool FReadOnly = false;
  bool FModified = false;
};

class TEdit : public TCustomEdit {
  Z_CLASS(TEdit, TCustomEdit)

public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
  static void Publish(TMetaClass& Meta);
};

// A multi-line edit. Lines is a view of the window's text, one string per line (the lines as typed, not as
// wrapped); the text joins them with CR LF. WordWrap and ScrollBars remake the window, keeping the text.
class TCustomMemo : public TCustomEdit {
  Z_CLASS(TCustomMemo, TCustomEdit)

public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;
  void Dispatch(TMessage& Message) override;

  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  // Whether Return and Tab are typed into the text rather than working the dialog.
  bool WantReturns = true;
  bool WantTabs = false;
  // The caret as a column (X) and line (Y), both from 0.
  TPoint CaretPos();
  void SetCaretPos(TPoint Value);

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  std::unique_ptr<TStrings> FLines;
  bool FWordWrap = true;
  TScrollStyle FScrollBars = ssNone;
};

class TMemo : public TCustomMemo {
  Z_CLASS(TMemo, TCustomMemo)

public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
  static void Publish(TMetaClass& Meta);
};

// A frame with a caption that holds other controls; it paints itself.
class TGroupBox : public TCustomControl {
  Z_CLASS(TGroupBox, TCustomControl)

public:
  explicit TGroupBox(TComponent* AOwner);
  void AdjustClientRect(TRect& Rect) override;
  static void Publish(TMetaClass& Meta);

protected:
  void Paint() override;
};

// A group box of radio buttons, one per line of Items, laid out top to bottom in Columns columns. ItemIndex is
// the checked button (-1: none); a click on a button sets it and runs OnClick (setting it in code does not).
// The buttons belong to the group and are remade when Items change.
class TCustomRadioGroup : public TGroupBox {
  Z_CLASS(TCustomRadioGroup, TGroupBox)

public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;
  void Dispatch(TMessage& Message) override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value);
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);  // 1 .. 16
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TRadioButton* Buttons(int Index) const { return FButtons.at(static_cast<std::size_t>(Index)); }

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Places the buttons in the client area.
  void ArrangeButtons();

private:
  void ItemsChanged();
  void ButtonClicked(TRadioButton* Button);
  std::unique_ptr<TStrings> FItems;
  std::vector<TRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
  Z_CLASS(TRadioGroup, TCustomRadioGroup)

public:
  explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
  static void Publish(TMetaClass& Meta);
};

// A container with bevels and a caption; it paints itself.
class TPanel : public TCustomControl {
  Z_CLASS(TPanel, TCustomControl)

public:
  explicit TPanel(TComponent* AOwner);
  void AdjustClientRect(TRect& Rect) override;
  TAlignment Alignment = taCenter;
  TPanelBevel BevelInner = bvNone;
  TPanelBevel BevelOuter = bvRaised;
  int BevelWidth = 1;
  int BorderWidth = 0;
  static void Publish(TMetaClass& Meta);

protected:
  void Paint() override;
};

// A bevelled line or box without a window (its parent shows it).
class TBevel : public TGraphicControl {
  Z_CLASS(TBevel, TGraphicControl)

public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape Shape = bsBox;
  TBevelStyle Style = bsLowered;
  static void Publish(TMetaClass& Meta);

protected:
  // Draws the box, frame or line in the shadow and highlight colours (swapped when raised).
  void Paint() override;
};

// A list box over the native one. Items talk to the window (which is made on first use); the items are kept
// while the window is recreated. Selecting an item runs OnClick.
class TCustomListBox : public TWinControl {
  Z_CLASS(TCustomListBox, TWinControl)

public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;
  void Dispatch(TMessage& Message) override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value);
  // The selected item (the caret item with MultiSelect); -1 for none.
  int ItemIndex();
  void SetItemIndex(int Value);
  bool Selected(int Index);
  void SetSelected(int Index, bool Value);
  int SelCount();
  int TopIndex();
  void SetTopIndex(int Value);
  int ItemHeight();
  void SetItemHeight(int Value);
  int ItemHeightSetting() const { return FItemHeight; }  // 0: the platform's height
  // The item at a client point; with Existing false, the count when the point is below the last item.
  int ItemAtPos(TPoint Pos, bool Existing);
  TRect ItemRect(int Index);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect = true;
  void Clear() { FItems->Clear(); }
  // Owner drawing: the rows are drawn by DrawItem (OnDrawItem, else the item's text) on Canvas, with ItemHeight
  // for every row (lbOwnerDrawFixed) or the height MeasureItem (OnMeasureItem) gives each item as it is added.
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  TCanvas* Canvas() const { return FCanvas.get(); }
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Loaded() override;
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);

private:
  friend class TListBoxStrings;
  std::unique_ptr<TStrings> FItems;
  std::unique_ptr<TCanvas> FCanvas;
  TListBoxStyle FStyle = lbStandard;
  std::vector<std::pair<std::string, TObject*>> FSaved;
  bool FSorted = false;
  bool FMultiSelect = false;
  int FItemHeight = 0;
  int FLoadedItemIndex = -1;
};

class TListBox : public TCustomListBox {
  Z_CLASS(TListBox, TCustomListBox)

public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
  static void Publish(TMetaClass& Meta);
};

// A combo box over the native one. Choosing from the list: CBN_SELCHANGE sets Text, then OnClick and OnSelect
// (OnChange when there is no OnSelect); typing: OnChange; the list opening and closing: OnDropDown, OnCloseUp.
class TCustomComboBox : public TWinControl {
  Z_CLASS(TCustomComboBox, TWinControl)

public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;
  void Dispatch(TMessage& Message) override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value);
  int ItemIndex();
  void SetItemIndex(int Value);
  // ItemIndex as a form file holds it, without making the window.
  int ItemIndexValue() const;
  bool DroppedDown();
  void SetDroppedDown(bool Value);
  // How many rows the open list shows at most; applied whenever the list opens.
  int DropDownCount = 8;
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  // Selects the whole text of the edit field.
  void SelectAll();
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  void Clear();
  // Owner drawing (csOwnerDrawFixed / csOwnerDrawVariable): the selection field and the rows of the list are
  // drawn by DrawItem (OnDrawItem, else the item's text) on Canvas; rows are ItemHeight high, or as high as
  // MeasureItem (OnMeasureItem) says for each item of a variable-height box. ItemHeight 0: the platform's height.
  TCanvas* Canvas() const { return FCanvas.get(); }
  int ItemHeight();
  void SetItemHeight(int Value);
  int ItemHeightSetting() const { return FItemHeight; }
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;
  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Loaded() override;
  virtual void Change();
  virtual void Select();
  // OnDropDown; DropDownCount as it is afterwards sets how many rows the list shows, so a handler may change it.
  virtual void DropDown();
  virtual void CloseUp();
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);

private:
  friend class TComboBoxStrings;
  std::unique_ptr<TStrings> FItems;
  std::unique_ptr<TCanvas> FCanvas;
  int FItemHeight = 0;
  std::vector<std::pair<std::string, TObject*>> FSaved;
  int FSavedIndex = -1;
  int FLoadedItemIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
  bool FSorted = false;
  int FMaxLength = 0;
};

class TComboBox : public TCustomComboBox {
  Z_CLASS(TComboBox, TCustomComboBox)

public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
  static void Publish(TMetaClass& Meta);
};

enum TScrollBarKind { sbHorizontal, sbVertical };
Z_ENUM_TYPEINFO(TScrollBarKind, "sbHorizontal", "sbVertical")
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
Z_ENUM_TYPEINFO(TScrollCode, "scLineUp", "scLineDown", "scPageUp", "scPageDown", "scPosition", "scTrack", "scTop",
                "scBottom", "scEndScroll")
// Called for every scroll action with the position it would give; the handler may change ScrollPos.
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// A scroll bar control: a window that is all scroll bar (its own window scroll bar of Kind). The arrows move
// Position by SmallChange, the page areas by LargeChange, the thumb to where it is dragged; OnScroll sees each
// action and OnChange each change of Position. Position stays within Min .. Max - PageSize + 1 (PageSize 0:
// Max).
class TScrollBar : public TWinControl {
  Z_CLASS(TScrollBar, TWinControl)

public:
  explicit TScrollBar(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return FMin; }
  void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
  int Max() const { return FMax; }
  void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
  int Position() const { return FPosition; }
  void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  // Sets position and range at once; EInvalidOperation when Max < Min.
  void SetParams(int APosition, int AMin, int AMax);
  int LargeChange = 1;
  int SmallChange = 1;
  TNotifyEvent OnChange;
  TScrollEvent OnScroll;
  static void Publish(TMetaClass& Meta);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Loaded() override;
  virtual void Change();
  virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

private:
  void DoScroll(int Code, WPARAM WParam);
  void UpdateBar();
  int Bar() const;
  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FPageSize = 0;
};

class TScrollBox;

// One scroll bar of a scroll box: Range is the extent of the contents along it (pixels), Position how far they
// are scrolled (0 .. Range - client extent), Increment the step of its arrows.
class TControlScrollBar : public TPersistent {
  Z_CLASS(TControlScrollBar, TPersistent)

public:
  TControlScrollBar(TScrollBox* AControl, TScrollBarKind AKind) : FControl(AControl), FKind(AKind) {}
  TControlScrollBar(const TControlScrollBar&) = delete;
  TControlScrollBar& operator=(const TControlScrollBar&) = delete;
  static void Publish(TMetaClass& Meta);

  TScrollBarKind Kind() const { return FKind; }
  int Range() const { return FRange; }
  void SetRange(int Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int Increment = 8;
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // The largest position: the range beyond the client extent.
  int MaxPosition() const;

private:
  friend class TScrollBox;
  TScrollBox* FControl;
  TScrollBarKind FKind;
  int FRange = 0;
  int FPosition = 0;
  bool FVisible = true;
};

// A container that scrolls its controls with its window scroll bars. With AutoScroll the ranges follow the
// controls' extent; without it they are the ones set.
class TScrollBox : public TWinControl {
  Z_CLASS(TScrollBox, TWinControl)

public:
  explicit TScrollBox(TComponent* AOwner);
  ~TScrollBox() override;
  void Dispatch(TMessage& Message) override;
  static void Publish(TMetaClass& Meta);

  TControlScrollBar* HorzScrollBar() const { return FHorz.get(); }
  void SetHorzScrollBar(TControlScrollBar* Value);
  TControlScrollBar* VertScrollBar() const { return FVert.get(); }
  void SetVertScrollBar(TControlScrollBar* Value);
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  // Scrolls so that Control is within the client area.
  void ScrollInView(TControl* Control);
  // Brings the window's bars up to date with the ranges and positions.
  void UpdateScrollBars();

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Loaded() override;

private:
  friend class TControlScrollBar;
  // Moves the controls by the change of a position.
  void ScrollContents(int Dx, int Dy);
  void CalcAutoRange();
  void ScrollMessage(TControlScrollBar& Bar, int Code, WPARAM WParam);
  std::unique_ptr<TControlScrollBar> FHorz;
  std::unique_ptr<TControlScrollBar> FVert;
  bool FAutoScroll = true;
  bool FUpdating = false;
};

