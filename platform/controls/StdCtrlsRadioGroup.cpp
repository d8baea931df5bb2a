// The radio group of the standard controls: a group box whose radio buttons come from its Items.
#include "platform/classes/StringList.h"
#include "platform/classes/TypInfo.h"
#include "platform/controls/StdCtrls.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TCustomRadioGroup, TGroupBox)
Z_IMPLEMENT_CLASS_PUBLISHED(TRadioGroup, TCustomRadioGroup, TRadioGroup::Publish)

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TGroupBox(AOwner), FItems(std::make_unique<TStringList>()) {
  // The buttons are the group's own: other controls are not dropped on it.
  ControlStyle.Exclude(csAcceptsControls);
  static_cast<TStringList*>(FItems.get())->SetOnChange([this](TObject*) { ItemsChanged(); });
}

TCustomRadioGroup::~TCustomRadioGroup() {
  static_cast<TStringList*>(FItems.get())->SetOnChange(nullptr);
  for (TRadioButton* B : FButtons) {
    delete B;
  }
}

void TCustomRadioGroup::Notification(TComponent* AComponent, TOperation Operation) {
  TGroupBox::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    // A button freed with its parent's children is no longer the group's.
    std::erase_if(FButtons, [AComponent](TRadioButton* B) { return static_cast<TComponent*>(B) == AComponent; });
  }
}

void TCustomRadioGroup::SetItems(TStrings* Value) { FItems->Assign(Value); }

void TCustomRadioGroup::ItemsChanged() {
  const int Count = FItems->Count();
  FUpdating = true;
  while (static_cast<int>(FButtons.size()) > Count) {
    delete FButtons.back();
    FButtons.pop_back();
  }
  while (static_cast<int>(FButtons.size()) < Count) {
    auto* B = new TRadioButton(this);
    B->AfterConstruction();
    B->OnClick = [this, B](TObject*) { ButtonClicked(B); };
    B->SetParent(this);
    FButtons.push_back(B);
  }
  for (int I = 0; I < Count; ++I) {
    FButtons[static_cast<std::size_t>(I)]->SetCaption(FItems->Strings(I));
    FButtons[static_cast<std::size_t>(I)]->SetChecked(I == FItemIndex);
  }
  FUpdating = false;
  if (FItemIndex >= Count && !ComponentState().Contains(csLoading)) {
    FItemIndex = -1;
  }
  ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int Value) {
  if (ComponentState().Contains(csLoading)) {
    FItemIndex = Value;  // the items may come later in the form file
    return;
  }
  Value = std::clamp(Value, -1, static_cast<int>(FButtons.size()) - 1);
  if (Value == FItemIndex) {
    return;
  }
  FUpdating = true;
  if (FItemIndex >= 0 && FItemIndex < static_cast<int>(FButtons.size())) {
    FButtons[static_cast<std::size_t>(FItemIndex)]->SetChecked(false);
  }
  FItemIndex = Value;
  if (Value >= 0) {
    FButtons[static_cast<std::size_t>(Value)]->SetChecked(true);
  }
  FUpdating = false;
}

void TCustomRadioGroup::SetColumns(int Value) {
  Value = std::clamp(Value, 1, 16);
  if (Value != FColumns) {
    FColumns = Value;
    ArrangeButtons();
  }
}

void TCustomRadioGroup::ButtonClicked(TRadioButton* Button) {
  if (FUpdating) {
    return;
  }
  auto It = std::find(FButtons.begin(), FButtons.end(), Button);
  if (It == FButtons.end() || !Button->Checked()) {
    return;
  }
  FItemIndex = static_cast<int>(It - FButtons.begin());
  Click();
}

void TCustomRadioGroup::Loaded() {
  TGroupBox::Loaded();
  const int Wanted = FItemIndex;
  FItemIndex = -1;
  SetItemIndex(Wanted);
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty() || ComponentState().Contains(csLoading)) {
    return;
  }
  TRect R = ClientRect();
  AdjustClientRect(R);
  const int Count = static_cast<int>(FButtons.size());
  const int PerColumn = (Count + FColumns - 1) / FColumns;
  const int Width = std::max(R.Width() / FColumns, 1);
  const int Height = std::max(R.Height() / PerColumn, 1);
  const int Top = R.Top + (R.Height() - Height * PerColumn) / 2;
  for (int I = 0; I < Count; ++I) {
    const int Column = I / PerColumn;
    const int Row = I % PerColumn;
    FButtons[static_cast<std::size_t>(I)]->SetBounds(R.Left + 4 + Column * Width, Top + Row * Height,
                                                     std::max(Width - 4, 1), Height);
  }
}

void TCustomRadioGroup::Dispatch(TMessage& Message) {
  TGroupBox::Dispatch(Message);
  switch (Message.Msg) {
    case WM_SIZE: ArrangeButtons(); break;
    case CM_ENABLEDCHANGED:
      for (TRadioButton* B : FButtons) {
        B->SetEnabled(Enabled());
      }
      break;
    default: break;
  }
}

void TRadioGroup::Publish(TMetaClass& Meta) {
  TPublisher<TRadioGroup> P(Meta);
  P.Property("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns).Default(1);
  P.Property("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex).Default(-1);
  P.Property("Items", &TRadioGroup::Items, &TRadioGroup::SetItems);
}
