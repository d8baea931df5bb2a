// The combo box with selection-end and deletion events, and the owner-drawn image combo box.
#include "shell/Uptimagecombo.h"

#include "platform/classes/TypInfo.h"
#include "platform/controls/Forms.h"
#include "platform/win/ListControls.h"
#include "platform/win/Messages.h"
#include "platform/win/WinMenu.h"

Z_IMPLEMENT_CLASS(TPTCustomCombobox, TCustomComboBox)
Z_IMPLEMENT_CLASS_PUBLISHED(TPTCombobox, TPTCustomCombobox, TPTCombobox::Publish)
Z_IMPLEMENT_CLASS(TPTImageComboItem, TObject)
Z_IMPLEMENT_CLASS(TPTCustomImageCombo, TPTCustomCombobox)
Z_IMPLEMENT_CLASS_PUBLISHED(TPTImageCombo, TPTCustomImageCombo, TPTImageCombo::Publish)

namespace {

template <class T>
void PublishComboProperties(TPublisher<T>& P) {
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::DropDownCount).Default(8);
  P.Property("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength).Default(0);
  P.Property("OnChange", &TCustomComboBox::OnChange, &TCustomComboBox::OnChange);
  P.Property("OnCloseUp", &TCustomComboBox::OnCloseUp, &TCustomComboBox::OnCloseUp);
  P.Property("OnDropDown", &TCustomComboBox::OnDropDown, &TCustomComboBox::OnDropDown);
  P.Property("OnSelect", &TCustomComboBox::OnSelect, &TCustomComboBox::OnSelect);
  P.Property("OnDeleteItem", &TPTCustomCombobox::OnDeleteItem, &TPTCustomCombobox::OnDeleteItem);
  P.Property("OnSelEndCancel", &TPTCustomCombobox::OnSelEndCancel, &TPTCustomCombobox::OnSelEndCancel);
  P.Property("OnSelEndOk", &TPTCustomCombobox::OnSelEndOk, &TPTCustomCombobox::OnSelEndOk);
}

}  // namespace

// ---- TPTCustomCombobox -------------------------------------------------------------------------------------------

void TPTCustomCombobox::DeleteItem(void* Item) {
  if (OnDeleteItem) {
    OnDeleteItem(this, Item);
  }
}

void TPTCustomCombobox::SelEndOk() {
  if (OnSelEndOk) {
    OnSelEndOk(this);
  }
}

void TPTCustomCombobox::SelEndCancel() {
  if (OnSelEndCancel) {
    OnSelEndCancel(this);
  }
}

void TPTCustomCombobox::DeletingEntries(int First, int Last) {
  for (int I = First; I <= Last; ++I) {
    const LRESULT Data = SendMessage(FHandle, CB_GETITEMDATA, static_cast<WPARAM>(I), 0);
    if (Data != 0 && Data != CB_ERR) {
      SendMessage(FHandle, CB_SETITEMDATA, static_cast<WPARAM>(I), 0);
      DeleteItem(reinterpret_cast<void*>(Data));
    }
  }
}

void TPTCustomCombobox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      switch (HIWORD(Message.WParam)) {
        case CBN_SELENDOK: SelEndOk(); return;
        case CBN_SELENDCANCEL: SelEndCancel(); return;
        default: break;
      }
      break;
    // The entries going away are announced before the box drops them.
    case CB_DELETESTRING:
      if (FHandle) {
        DeletingEntries(static_cast<int>(Message.WParam), static_cast<int>(Message.WParam));
      }
      break;
    case CB_RESETCONTENT:
      if (FHandle) {
        DeletingEntries(0, static_cast<int>(SendMessage(FHandle, CB_GETCOUNT, 0, 0)) - 1);
      }
      break;
    case WM_DESTROY:
      // A window made again keeps its entries; one destroyed with its control loses them.
      if (FHandle && ComponentState().Contains(csDestroying)) {
        DeletingEntries(0, static_cast<int>(SendMessage(FHandle, CB_GETCOUNT, 0, 0)) - 1);
      }
      break;
    default: break;
  }
  TCustomComboBox::Dispatch(Message);
}

void TPTCombobox::Publish(TMetaClass& Meta) {
  TPublisher<TPTCombobox> P(Meta);
  PublishComboProperties(P);
  P.Property("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle).Default(csDropDown);
  P.Property("ItemHeight", &TCustomComboBox::ItemHeightSetting, &TCustomComboBox::SetItemHeight).Default(0);
  P.Property("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted).Default(false);
  P.Property("Text", static_cast<std::string (TControl::*)() const>(&TControl::Caption), &TControl::SetText);
  P.Property("OnDrawItem", &TCustomComboBox::OnDrawItem, &TCustomComboBox::OnDrawItem);
  P.Property("OnMeasureItem", &TCustomComboBox::OnMeasureItem, &TCustomComboBox::OnMeasureItem);
  P.Property("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems);
  P.Property("ItemIndex", &TCustomComboBox::ItemIndexValue, &TCustomComboBox::SetItemIndex).Default(-1);
}

// ---- TPTImageComboItem -------------------------------------------------------------------------------------------

void TPTImageComboItem::Changed() {
  if (FCombo) {
    FCombo->Invalidate();
  }
}

void TPTImageComboItem::SetIndent(int Value) {
  FIndent = Value;
  Changed();
}

void TPTImageComboItem::SetImageIndex(int Value) {
  FImageIndex = Value;
  Changed();
}

void TPTImageComboItem::SetOverlayIndex(int Value) {
  FOverlayIndex = Value;
  Changed();
}

void TPTImageComboItem::SetCaption(const std::string& Value) {
  FCaption = Value;
  Changed();
}

// ---- TPTCustomImageCombo -----------------------------------------------------------------------------------------

TPTCustomImageCombo::TPTCustomImageCombo(TComponent* AOwner) : TPTCustomCombobox(AOwner) { SetStyle(csOwnerDrawFixed); }

void TPTCustomImageCombo::CreateParams(TCreateParams& Params) {
  TPTCustomCombobox::CreateParams(Params);
  // The entries are objects, not strings.
  Params.Style &= ~CBS_HASSTRINGS;
}

void TPTCustomImageCombo::CreateWnd() {
  if (FAutoSizeHeight && !ComponentState().Contains(csLoading)) {
    DoAutoSize(Font());
  }
  TPTCustomCombobox::CreateWnd();
  // Down opens the list.
  SendMessage(FHandle, CB_SETEXTENDEDUI, TRUE, 0);
}

void TPTCustomImageCombo::DestroyWnd() {
  ClearItems();
  TPTCustomCombobox::DestroyWnd();
}

void TPTCustomImageCombo::Notification(TComponent* AComponent, TOperation Operation) {
  TPTCustomCombobox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImageList) {
    FImageList = nullptr;
    Invalidate();
  }
}

TPTImageComboItem* TPTCustomImageCombo::AddItem(const std::string& Caption, int ImageIndex, int Indent) {
  auto* Item = new TPTImageComboItem(this);
  Item->FCaption = Caption;
  Item->FImageIndex = ImageIndex;
  Item->FIndent = Indent;
  const LRESULT At = SendMessage(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Item));
  if (At < 0) {
    delete Item;
    throw EOutOfResources("Insufficient memory for this operation");
  }
  Item->FIndex = static_cast<int>(At);
  return Item;
}

TPTImageComboItem* TPTCustomImageCombo::GetImageComboItem(int Index) {
  if (!HandleAllocated()) {
    return nullptr;
  }
  const LRESULT Data = SendMessage(FHandle, CB_GETITEMDATA, static_cast<WPARAM>(Index), 0);
  return Data == CB_ERR ? nullptr : reinterpret_cast<TPTImageComboItem*>(Data);
}

int TPTCustomImageCombo::ItemCount() {
  return HandleAllocated() ? static_cast<int>(SendMessage(FHandle, CB_GETCOUNT, 0, 0)) : 0;
}

void TPTCustomImageCombo::ClearItems() {
  if (HandleAllocated()) {
    SendMessage(FHandle, CB_RESETCONTENT, 0, 0);
  }
}

void TPTCustomImageCombo::DeleteItem(void* Item) {
  TPTCustomCombobox::DeleteItem(Item);
  delete static_cast<TPTImageComboItem*>(Item);
}

void TPTCustomImageCombo::GetItemData(TPTImageComboItem* Item) {
  if (OnGetItemData) {
    OnGetItemData(this, Item);
  }
}

void TPTCustomImageCombo::SetIndentPixels(int Value) {
  FIndentPixels = Value;
  Invalidate();
}

void TPTCustomImageCombo::SetAutoSizeHeight(bool Value) {
  FAutoSizeHeight = Value;
  if (Value && !ComponentState().Contains(csLoading)) {
    DoAutoSize(Font());
  }
}

void TPTCustomImageCombo::SetImageList(TCustomImageList* Value) {
  if (FImageList) {
    FImageList->RemoveFreeNotification(this);
  }
  FImageList = Value;
  if (FImageList) {
    FImageList->FreeNotification(this);
    if (!ComponentState().Contains(csLoading)) {
      DoAutoSize(Font());
    }
  }
  Invalidate();
}

void TPTCustomImageCombo::DoAutoSize(TFont* Font) {
  if (!FAutoSizeHeight) {
    return;
  }
  HDC DC = GetDC(0);
  HGDIOBJ Old = SelectObject(DC, Font->Handle());
  TSize Size;
  GetTextExtentPoint32(DC, "0", 1, &Size);
  SelectObject(DC, Old);
  ReleaseDC(0, DC);
  int H = Size.cy + 2;
  if (FImageList && FImageList->Height() > H) {
    H = FImageList->Height();
  }
  SetItemHeight2(H);
}

void TPTCustomImageCombo::SetItemHeight2(int Height) {
  if (Height == FItemHeight2 || Height <= 0) {
    return;
  }
  FItemHeight2 = Height;
  if (!HandleAllocated()) {
    SetItemHeight(Height);
    return;
  }
  // The live box takes the new height for its field and its rows; its entries stay.
  SendMessage(FHandle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Height);
  SendMessage(FHandle, CB_SETITEMHEIGHT, 0, Height);
  Invalidate();
}

void TPTCustomImageCombo::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    TPTCustomCombobox::DrawItem(Index, Rect, State);
    return;
  }
  TPTImageComboItem* Item = GetImageComboItem(Index);
  if (!Item) {
    return;
  }
  if (Item->Caption().empty() || Item->ImageIndex() < 0) {
    GetItemData(Item);
  }
  const int Indent = State.Contains(odComboBoxEdit) ? 0 : Item->Indent();
  const bool Selected = State.Contains(odSelected);
  TCanvas* C = Canvas();
  const TColor Highlight = C->Brush()->Color();
  C->Brush()->SetColor(Color());
  C->FillRect(Rect);
  if (FImageList && Item->ImageIndex() >= 0) {
    const HIMAGELIST List = FImageList->Handle();
    const COLORREF KeptBk = ImageList_SetBkColor(List, ColorToRGB(Color()));
    const int X = FIndentPixels * Indent + Rect.Left + 2;
    const int Y = (Rect.Top + Rect.Bottom - FImageList->Height()) / 2;
    UINT Style = Selected ? ILD_SELECTED : ILD_NORMAL;
    if (Item->OverlayIndex() >= 0) {
      Style |= INDEXTOOVERLAYMASK(static_cast<UINT>(Item->OverlayIndex()) + 1);
    }
    ImageList_DrawEx(List, Item->ImageIndex(), C->Handle(), X, Y, 0, 0, CLR_DEFAULT,
                     Selected ? ColorToRGB(clHighlight) : CLR_DEFAULT, Style);
    ImageList_SetBkColor(List, KeptBk);
  }
  if (Selected) {
    C->Brush()->SetColor(Highlight);
  }
  if (!Item->Caption().empty()) {
    const int X = (FImageList ? FImageList->Width() + 4 : 4) + FIndentPixels * Indent + Rect.Left + 1;
    const TRect Text = ::Rect(X, Rect.Top, X + C->TextWidth(Item->Caption()) + 3, Rect.Bottom);
    C->TextRect(Text, X + 1, Rect.Top + 1, Item->Caption());
  }
}

void TPTCustomImageCombo::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_MEASUREITEM:
      if (auto* M = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)) {
        if (FItemHeight2 > 0) {
          M->itemHeight = static_cast<UINT>(FItemHeight2);
        }
        Message.Result = 1;
      }
      return;
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == CBN_SELCHANGE) {
        // The entries have no strings to show as the box's text.
        Click();
        Select();
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (Message.WParam) {
        TRect R;
        GetClientRect(FHandle, &R);
        auto* Form = dynamic_cast<TCustomForm*>(Owner());
        HBRUSH Brush = CreateSolidBrush(ColorToRGB(Form ? Form->Color() : clWindow));
        FillRect(reinterpret_cast<HDC>(Message.WParam), &R, Brush);
        DeleteObject(Brush);
        Message.Result = 1;
        return;
      }
      break;
    case CM_FONTCHANGED:
      TPTCustomCombobox::Dispatch(Message);
      if (!FInFontChange) {
        FInFontChange = true;
        try {
          DoAutoSize(Font());
        } catch (...) {
          FInFontChange = false;
          throw;
        }
        FInFontChange = false;
      }
      return;
    default: break;
  }
  TPTCustomCombobox::Dispatch(Message);
}

void TPTImageCombo::Publish(TMetaClass& Meta) {
  TPublisher<TPTImageCombo> P(Meta);
  PublishComboProperties(P);
  P.Property("AutoSizeHeight", &TPTCustomImageCombo::AutoSizeHeight, &TPTCustomImageCombo::SetAutoSizeHeight)
      .Default(true);
  P.Property("IndentPixels", &TPTCustomImageCombo::IndentPixels, &TPTCustomImageCombo::SetIndentPixels).Default(12);
  P.Property("ImageList", &TPTCustomImageCombo::ImageList, &TPTCustomImageCombo::SetImageList);
  P.Property("OnGetItemData", &TPTCustomImageCombo::OnGetItemData, &TPTCustomImageCombo::OnGetItemData);
}
