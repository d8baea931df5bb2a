// The list box and combo box of the standard controls: their items kept in the native window, selection, owner
// drawing, and the notifications turned into events.
#include "platform/classes/TypInfo.h"
#include "platform/controls/StdCtrls.h"
#include "platform/win/ListControls.h"
#include "platform/win/WinMenu.h"

#include <algorithm>


Z_IMPLEMENT_CLASS(TCustomListBox, TWinControl)
Z_IMPLEMENT_CLASS_PUBLISHED(TListBox, TCustomListBox, TListBox::Publish)
Z_IMPLEMENT_CLASS(TCustomComboBox, TWinControl)
Z_IMPLEMENT_CLASS_PUBLISHED(TComboBox, TCustomComboBox, TComboBox::Publish)

namespace {

struct TListMessages {
  UINT Add, Insert, Delete, Reset, Count, GetText, GetTextLen, GetData, SetData;
};
constexpr TListMessages ListBoxMessages{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCOUNT,
                                        LB_GETTEXT, LB_GETTEXTLEN, LB_GETITEMDATA, LB_SETITEMDATA};
constexpr TListMessages ComboBoxMessages{CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
                                         CB_GETCOUNT, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_GETITEMDATA, CB_SETITEMDATA};

}  // namespace

// The items of a list or combo box: every call goes to the control's window (made when needed).
class TWindowStrings : public TStrings {
public:
  TWindowStrings(TWinControl* AControl, const TListMessages& AMsgs) : FControl(AControl), FMsgs(AMsgs) {}
  Integer Add(const std::string& S) override {
    const LRESULT R = Send(FMsgs.Add, 0, reinterpret_cast<LPARAM>(S.c_str()));
    if (R < 0) {
      throw EOutOfResources("Insufficient memory for this operation");
    }
    return static_cast<Integer>(R);
  }
  void Insert(Integer Index, const std::string& S) override {
    if (Send(FMsgs.Insert, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str())) < 0) {
      throw EOutOfResources("Insufficient memory for this operation");
    }
  }
  void Delete(Integer Index) override { Send(FMsgs.Delete, static_cast<WPARAM>(Index), 0); }
  void Clear() override { Send(FMsgs.Reset, 0, 0); }

protected:
  std::string Get(Integer Index) const override {
    const LRESULT Len = Send(FMsgs.GetTextLen, static_cast<WPARAM>(Index), 0);
    if (Len < 0) {
      Error(RtlConsts::SListIndexError, Index);
    }
    std::string S(static_cast<std::size_t>(Len) + 1, '\0');
    Send(FMsgs.GetText, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.data()));
    S.resize(static_cast<std::size_t>(Len));
    return S;
  }
  Integer GetCount() const override { return static_cast<Integer>(Send(FMsgs.Count, 0, 0)); }
  TObject* GetObject(Integer Index) const override {
    const LRESULT D = Send(FMsgs.GetData, static_cast<WPARAM>(Index), 0);
    if (D == LB_ERR && (Index < 0 || Index >= GetCount())) {
      Error(RtlConsts::SListIndexError, Index);
    }
    return reinterpret_cast<TObject*>(D);
  }
  void PutObject(Integer Index, TObject* AObject) override {
    Send(FMsgs.SetData, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
  }

private:
  LRESULT Send(UINT Msg, WPARAM W, LPARAM L) const { return SendMessage(FControl->Handle(), Msg, W, L); }
  TWinControl* FControl;
  TListMessages FMsgs;
};

class TListBoxStrings final : public TWindowStrings {
public:
  explicit TListBoxStrings(TCustomListBox* Box) : TWindowStrings(Box, ListBoxMessages) {}
};

class TComboBoxStrings final : public TWindowStrings {
public:
  explicit TComboBoxStrings(TCustomComboBox* Box) : TWindowStrings(Box, ComboBoxMessages) {}
};

namespace {

template <class C> void SaveItems(C* Control, std::vector<std::pair<std::string, TObject*>>& Saved) {
  Saved.clear();
  TStrings* Items = Control->Items();
  for (int I = 0; I < Items->Count(); ++I) {
    Saved.emplace_back(Items->Strings(I), Items->Objects(I));
  }
}

// CN_DRAWITEM of a list or combo box: Canvas over the item's context in the control's font and colour (the
// highlight colours for a selected item), the item drawn by Draw (an empty selection field only filled), then the
// focus outline.
template <class F> void DrawOwnerItem(TWinControl* Control, TCanvas* Canvas, TMessage& Message, F Draw) {
  auto* D = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  if (!D) {
    return;
  }
  TOwnerDrawState State;
  for (int Bit = 0; Bit <= odComboBoxEdit; ++Bit) {
    if (D->itemState & (1u << Bit)) {
      State.Include(static_cast<TOwnerDrawStateItem>(Bit));
    }
  }
  Canvas->SetHandle(D->hDC);
  Canvas->Font()->Assign(Control->Font());
  Canvas->Brush()->SetColor(Control->Color());
  const int Index = static_cast<int>(D->itemID);
  if (Index >= 0 && State.Contains(odSelected)) {
    Canvas->Brush()->SetColor(clHighlight);
    Canvas->Font()->SetColor(clHighlightText);
  }
  if (Index >= 0) {
    Draw(Index, D->rcItem, State);
  } else {
    Canvas->FillRect(D->rcItem);
  }
  if (State.Contains(odFocused)) {
    DrawFocusRect(D->hDC, &D->rcItem);
  }
  Canvas->SetHandle(0);
  Message.Result = 1;
}

// The class library's own drawing of an item: the row filled, the text a little in from the left.
void DrawItemText(TCanvas* Canvas, TStrings* Items, int Index, const TRect& Rect) {
  Canvas->FillRect(Rect);
  if (Index < Items->Count()) {
    Canvas->TextOut(Rect.Left + 2, Rect.Top, Items->Strings(Index));
  }
}

template <class C> void RestoreItems(C* Control, std::vector<std::pair<std::string, TObject*>>& Saved) {
  TStrings* Items = Control->Items();
  for (auto& [S, O] : Saved) {
    Items->AddObject(S, O);
  }
  Saved.clear();
}

}  // namespace

// ---- TCustomListBox ---------------------------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TListBoxStrings>(this)), FCanvas(std::make_unique<TCanvas>()) {
  ControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetColor(clWindow);
  TabStop = true;
  SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_LISTBOX);
  // The native list scrolls itself (no WS_VSCROLL frame of the layer around it).
  Params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  if (FSorted) Params.Style |= LBS_SORT;
  if (FMultiSelect) Params.Style |= ExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (FStyle == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
  if (FStyle == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
  AddBorder(Params);
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (Value != FStyle) {
    FStyle = Value;
    if (HandleAllocated()) {
      RecreateWnd();
    }
  }
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
  } else {
    DrawItemText(FCanvas.get(), FItems.get(), Index, Rect);
  }
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, Index, Height);
  }
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  if (FItemHeight > 0) {
    SendMessage(Handle(), LB_SETITEMHEIGHT, 0, FItemHeight);
  }
  RestoreItems(this, FSaved);
}

void TCustomListBox::DestroyWnd() {
  SaveItems(this, FSaved);
  TWinControl::DestroyWnd();
}

void TCustomListBox::Loaded() {
  TWinControl::Loaded();
  if (FLoadedItemIndex >= 0) {
    SetItemIndex(FLoadedItemIndex);
    FLoadedItemIndex = -1;
  }
}

void TCustomListBox::SetItems(TStrings* Value) { FItems->Assign(Value); }

int TCustomListBox::ItemIndex() {
  return static_cast<int>(SendMessage(Handle(), FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value) {
  if (ComponentState().Contains(csLoading)) {
    FLoadedItemIndex = Value;
    return;
  }
  if (FMultiSelect) {
    SendMessage(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(Value), 0);
  } else if (ItemIndex() != Value) {
    SendMessage(Handle(), LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  }
}

bool TCustomListBox::Selected(int Index) {
  const LRESULT R = SendMessage(Handle(), LB_GETSEL, static_cast<WPARAM>(Index), 0);
  if (R < 0) {
    throw EListError(Format(RtlConsts::SListIndexError, {Index}));
  }
  return R != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (FMultiSelect) {
    if (SendMessage(Handle(), LB_SETSEL, Value, Index) < 0) {
      throw EListError(Format(RtlConsts::SListIndexError, {Index}));
    }
  } else if (Value) {
    SetItemIndex(Index);
  } else if (ItemIndex() == Index) {
    SetItemIndex(-1);
  }
}

int TCustomListBox::SelCount() {
  return static_cast<int>(SendMessage(Handle(), LB_GETSELCOUNT, 0, 0));
}

int TCustomListBox::TopIndex() { return static_cast<int>(SendMessage(Handle(), LB_GETTOPINDEX, 0, 0)); }
void TCustomListBox::SetTopIndex(int Value) { SendMessage(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0); }

int TCustomListBox::ItemHeight() {
  return HandleAllocated() ? static_cast<int>(SendMessage(Handle(), LB_GETITEMHEIGHT, 0, 0)) : FItemHeight;
}

void TCustomListBox::SetItemHeight(int Value) {
  FItemHeight = Value;
  if (HandleAllocated() && Value > 0) {
    SendMessage(Handle(), LB_SETITEMHEIGHT, 0, Value);
  }
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) {
  const int Count = FItems->Count();
  for (int I = TopIndex(); I < Count; ++I) {
    const TRect R = ItemRect(I);
    if (Pos.Y >= R.Top && Pos.Y < R.Bottom && Pos.X >= R.Left && Pos.X < R.Right) {
      return I;
    }
    if (R.Top > Pos.Y) {
      break;
    }
  }
  return Existing ? -1 : Count;
}

TRect TCustomListBox::ItemRect(int Index) {
  TRect R;
  if (SendMessage(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&R)) < 0) {
    // Past the last item: where the next one would be, as the class library answers.
    if (Index == FItems->Count() && Index > 0) {
      SendMessage(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(Index - 1), reinterpret_cast<LPARAM>(&R));
      return Rect(R.Left, R.Bottom, R.Right, R.Bottom + R.Height());
    }
    return Rect(0, 0, 0, 0);
  }
  return R;
}

void TCustomListBox::SetSorted(bool Value) {
  if (Value != FSorted) {
    FSorted = Value;
    // The sorted style applies to items as they are added: the items go in again.
    if (HandleAllocated()) {
      RecreateWnd();
    }
  }
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (Value != FMultiSelect) {
    FMultiSelect = Value;
    if (HandleAllocated()) {
      RecreateWnd();
    }
  }
}

void TCustomListBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_DRAWITEM) {
    DrawOwnerItem(this, FCanvas.get(), Message,
                  [this](int Index, const TRect& R, TOwnerDrawState State) { DrawItem(Index, R, State); });
    return;
  }
  if (Message.Msg == CN_MEASUREITEM) {
    if (auto* M = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)) {
      int H = FItemHeight > 0 ? FItemHeight : static_cast<int>(M->itemHeight);
      if (FStyle == lbOwnerDrawVariable) {
        MeasureItem(static_cast<int>(M->itemID), H);
      }
      M->itemHeight = static_cast<UINT>(std::max(H, 0));
      Message.Result = 1;
    }
    return;
  }
  if (Message.Msg == CN_COMMAND) {
    switch (HIWORD(Message.WParam)) {
      case LBN_SELCHANGE: Click(); break;
      case LBN_DBLCLK: DblClick(); break;
      default: break;
    }
    return;
  }
  TWinControl::Dispatch(Message);
}

void TListBox::Publish(TMetaClass& Meta) {
  TPublisher<TListBox> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("ExtendedSelect", &TListBox::ExtendedSelect, &TListBox::ExtendedSelect).Default(true);
  P.Property("ItemHeight", &TListBox::ItemHeightSetting, &TListBox::SetItemHeight).Default(0);
  P.Property("Items", &TListBox::Items, &TListBox::SetItems);
  P.Property("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect).Default(false);
  P.Property("Sorted", &TListBox::Sorted, &TListBox::SetSorted).Default(false);
  P.Property("Style", &TListBox::Style, &TListBox::SetStyle).Default(lbStandard);
  P.Property("OnDrawItem", &TListBox::OnDrawItem, &TListBox::OnDrawItem);
  P.Property("OnMeasureItem", &TListBox::OnMeasureItem, &TListBox::OnMeasureItem);
}

// ---- TCustomComboBox --------------------------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TComboBoxStrings>(this)), FCanvas(std::make_unique<TCanvas>()) {
  ControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetColor(clWindow);
  TabStop = true;
  SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_COMBOBOX);
  static const DWORD Kinds[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  Params.Style |= Kinds[FStyle] | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
  if (FSorted) Params.Style |= CBS_SORT;
}

void TCustomComboBox::CreateWnd() {
  const std::string KeptText = FText;
  TWinControl::CreateWnd();
  if (FMaxLength > 0) {
    SendMessage(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  }
  SendMessage(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(DropDownCount, 1)), 0);
  RestoreItems(this, FSaved);
  if (FSavedIndex >= 0) {
    SendMessage(Handle(), CB_SETCURSEL, static_cast<WPARAM>(FSavedIndex), 0);
    FSavedIndex = -1;
  } else if (FStyle == csDropDown || FStyle == csSimple) {
    SetWindowText(Handle(), KeptText.c_str());
  }
}

void TCustomComboBox::DestroyWnd() {
  FSavedIndex = ItemIndex();
  SaveItems(this, FSaved);
  TWinControl::DestroyWnd();
}

void TCustomComboBox::Loaded() {
  TWinControl::Loaded();
  if (FLoadedItemIndex >= 0) {
    SetItemIndex(FLoadedItemIndex);
    FLoadedItemIndex = -1;
  }
}

void TCustomComboBox::SetItems(TStrings* Value) { FItems->Assign(Value); }

int TCustomComboBox::ItemIndexValue() const {
  return HandleAllocated() ? static_cast<int>(SendMessage(FHandle, CB_GETCURSEL, 0, 0)) : FLoadedItemIndex;
}

int TCustomComboBox::ItemIndex() { return static_cast<int>(SendMessage(Handle(), CB_GETCURSEL, 0, 0)); }

void TCustomComboBox::SetItemIndex(int Value) {
  if (ComponentState().Contains(csLoading)) {
    FLoadedItemIndex = Value;
    return;
  }
  if (ItemIndex() != Value) {
    SendMessage(Handle(), CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  }
}

bool TCustomComboBox::DroppedDown() { return SendMessage(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }
void TCustomComboBox::SetDroppedDown(bool Value) { SendMessage(Handle(), CB_SHOWDROPDOWN, Value, 0); }

void TCustomComboBox::SetMaxLength(int Value) {
  FMaxLength = std::max(Value, 0);
  if (HandleAllocated()) {
    SendMessage(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  }
}

int TCustomComboBox::SelStart() {
  DWORD Start = 0;
  SendMessage(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&Start), 0);
  return static_cast<int>(Start);
}

int TCustomComboBox::SelLength() {
  DWORD Start = 0;
  DWORD End = 0;
  SendMessage(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
  return static_cast<int>(End - Start);
}

void TCustomComboBox::SetSelStart(int Value) {
  SendMessage(Handle(), CB_SETEDITSEL, 0, MAKELONG(static_cast<WORD>(Value), static_cast<WORD>(Value)));
}

void TCustomComboBox::SetSelLength(int Value) {
  const int Start = SelStart();
  SendMessage(Handle(), CB_SETEDITSEL, 0, MAKELONG(static_cast<WORD>(Start), static_cast<WORD>(Start + Value)));
}

void TCustomComboBox::SelectAll() { SendMessage(Handle(), CB_SETEDITSEL, 0, MAKELONG(0, 0xFFFF)); }

void TCustomComboBox::SetSorted(bool Value) {
  if (Value != FSorted) {
    FSorted = Value;
    if (HandleAllocated()) {
      RecreateWnd();
    }
  }
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value != FStyle) {
    FStyle = Value;
    if (HandleAllocated()) {
      RecreateWnd();
    }
  }
}

int TCustomComboBox::ItemHeight() {
  return HandleAllocated() ? static_cast<int>(SendMessage(Handle(), CB_GETITEMHEIGHT, 0, 0)) : FItemHeight;
}

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value > 0 && Value != FItemHeight) {
    FItemHeight = Value;
    // The owner gives the heights when the window is made.
    if (HandleAllocated() && (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable)) {
      RecreateWnd();
    }
  }
}

void TCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
  } else {
    DrawItemText(FCanvas.get(), FItems.get(), Index, Rect);
  }
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, Index, Height);
  }
}

void TCustomComboBox::Clear() {
  FItems->Clear();
  SetText({});
}

void TCustomComboBox::Change() {
  if (OnChange) {
    OnChange(this);
  }
}

void TCustomComboBox::Select() {
  if (OnSelect) {
    OnSelect(this);
  } else {
    Change();
  }
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) {
    OnDropDown(this);
  }
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) {
    OnCloseUp(this);
  }
}

void TCustomComboBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_DRAWITEM) {
    DrawOwnerItem(this, FCanvas.get(), Message,
                  [this](int Index, const TRect& R, TOwnerDrawState State) { DrawItem(Index, R, State); });
    return;
  }
  if (Message.Msg == CN_MEASUREITEM) {
    if (auto* M = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)) {
      int H = FItemHeight > 0 ? FItemHeight : static_cast<int>(M->itemHeight);
      if (FStyle == csOwnerDrawVariable && static_cast<int>(M->itemID) >= 0) {
        MeasureItem(static_cast<int>(M->itemID), H);
      }
      M->itemHeight = static_cast<UINT>(std::max(H, 0));
      Message.Result = 1;
    }
    return;
  }
  if (Message.Msg == CN_COMMAND) {
    switch (HIWORD(Message.WParam)) {
      case CBN_DBLCLK: DblClick(); break;
      case CBN_EDITCHANGE: Change(); break;
      case CBN_DROPDOWN:
        DropDown();
        SendMessage(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(DropDownCount, 1)), 0);
        break;
      case CBN_CLOSEUP: CloseUp(); break;
      case CBN_SELCHANGE: {
        const int I = ItemIndex();
        if (I >= 0) {
          SetText(FItems->Strings(I));
        }
        Click();
        Select();
        break;
      }
      default: break;
    }
    return;
  }
  TWinControl::Dispatch(Message);
}

void TComboBox::Publish(TMetaClass& Meta) {
  TPublisher<TComboBox> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("Style", &TComboBox::Style, &TComboBox::SetStyle).Default(csDropDown);
  P.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::DropDownCount).Default(8);
  P.Property("ItemHeight", &TComboBox::ItemHeightSetting, &TComboBox::SetItemHeight).Default(0);
  P.Property("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength).Default(0);
  P.Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted).Default(false);
  P.Property("Text", static_cast<std::string (TControl::*)() const>(&TControl::Caption), &TControl::SetText);
  P.Property("OnChange", &TComboBox::OnChange, &TComboBox::OnChange);
  P.Property("OnCloseUp", &TComboBox::OnCloseUp, &TComboBox::OnCloseUp);
  P.Property("OnDrawItem", &TComboBox::OnDrawItem, &TComboBox::OnDrawItem);
  P.Property("OnDropDown", &TComboBox::OnDropDown, &TComboBox::OnDropDown);
  P.Property("OnMeasureItem", &TComboBox::OnMeasureItem, &TComboBox::OnMeasureItem);
  P.Property("OnSelect", &TComboBox::OnSelect, &TComboBox::OnSelect);
  P.Property("Items", &TComboBox::Items, &TComboBox::SetItems);
  P.Property("ItemIndex", &TComboBox::ItemIndexValue, &TComboBox::SetItemIndex).Default(-1);
}
