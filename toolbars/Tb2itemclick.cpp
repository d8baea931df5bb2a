// Item trees: action links, the click and its deferral to the click window, shortcut lookup, and the item kinds.
#include "toolbars/Tb2item.h"

#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/win/Desktop.h"
#include "platform/win/UtilWindow.h"
#include "toolbars/Tb2itemviewer.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TTBCustomItemActionLink, TActionLink)
Z_IMPLEMENT_CLASS_PUBLISHED(TTBItem, TTBCustomItem, TTBItem::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TTBGroupItem, TTBCustomItem, TTBGroupItem::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TTBSubmenuItem, TTBCustomItem, TTBSubmenuItem::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TTBSeparatorItem, TTBCustomItem, TTBSeparatorItem::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TTBControlItem, TTBCustomItem, TTBControlItem::Publish)

namespace {

// The item unit's state of one thread.
struct TThreadState {
  int LiveItems = 0;
  HWND ClickWnd = 0;
  TTBCustomItem* ClickItem = nullptr;
};
thread_local TThreadState ThreadState;

// The menu loop's capture (TBBeginCapture / TBEndCapture).
int CaptureCount = 0;
HWND CaptureWnd = 0;

void HandleAppException(TObject* Sender) {
  try {
    throw;
  } catch (const std::exception& E) {
    Application->HandleException(Sender, &E);
  } catch (...) {
    Application->HandleException(Sender, nullptr);
  }
}

void ClickWndProc(TMessage& Message) {
  if (Message.Msg == WM_TB2K_CLICKITEM) {
    TTBCustomItem* Item = ThreadState.ClickItem;
    ThreadState.ClickItem = nullptr;
    if (Item) {
      try {
        Item->Click();
      } catch (...) {
        HandleAppException(Item);
      }
    }
    return;
  }
  Message.Result = DefWindowProc(ThreadState.ClickWnd, Message.Msg, Message.WParam, Message.LParam);
}

TCustomAction* Custom(TBasicAction* A) { return dynamic_cast<TCustomAction*>(A); }

}  // namespace

void TBItemCreated() { ++ThreadState.LiveItems; }

void TBItemDestroyed(TTBCustomItem* Item) {
  if (ThreadState.ClickItem == Item) {
    ThreadState.ClickItem = nullptr;
  }
  if (--ThreadState.LiveItems == 0 && ThreadState.ClickWnd) {
    DeallocateHWnd(ThreadState.ClickWnd);
    ThreadState.ClickWnd = 0;
  }
}

int TTBCustomItem::LiveItemCount() { return ThreadState.LiveItems; }

HWND TTBCustomItem::ClickWindow() { return ThreadState.ClickWnd; }

void ExecuteDoneAction(const TTBDoneActionData& Data) {
  switch (Data.DoneAction) {
    case tbdaNone: break;
    case tbdaClickItem:
      if (Data.Sound && NeedToPlaySound("MenuCommand")) {
        PlaySound("MenuCommand", 0, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
      }
      ThreadState.ClickItem = Data.ClickItem;
      if (!ThreadState.ClickWnd) {
        ThreadState.ClickWnd = AllocateHWnd(&ClickWndProc);
      }
      PostMessage(ThreadState.ClickWnd, WM_TB2K_CLICKITEM, 0, 0);
      break;
    case tbdaOpenSystemMenu: SendMessage(Data.Wnd, WM_SYSCOMMAND, SC_KEYMENU, Data.Key); break;
    case tbdaHelpContext: {
      TCustomForm* Active = Screen->ActiveForm();
      if (Active && Active->BorderIcons.Contains(biHelp)) {
        Application->HelpCommand(8 /* HELP_CONTEXTPOPUP */, Data.ContextID);
      } else {
        Application->HelpContext(Data.ContextID);
      }
      break;
    }
  }
}

void TBBeginCapture(HWND Wnd) {
  if (CaptureCount++ == 0) {
    CaptureWnd = Wnd;
    SetCapture(Wnd);
    SetCursor(LoadCursor(0, MAKEINTRESOURCE(IDC_ARROW)));
  }
}

void TBEndCapture() {
  if (CaptureCount == 0) {
    return;
  }
  if (--CaptureCount == 0) {
    if (GetCapture() == CaptureWnd) {
      ReleaseCapture();
    }
    CaptureWnd = 0;
  }
}

// ---- Action link ------------------------------------------------------------------------------------------------

void TTBCustomItemActionLink::AssignClient(TObject* AClient) { FClient = dynamic_cast<TTBCustomItem*>(AClient); }

bool TTBCustomItemActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && FClient->Caption() == Custom(FAction)->Caption();
}
bool TTBCustomItemActionLink::IsCheckedLinked() {
  return TActionLink::IsCheckedLinked() && FClient->Checked() == Custom(FAction)->Checked();
}
bool TTBCustomItemActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && FClient->Enabled() == Custom(FAction)->Enabled();
}
bool TTBCustomItemActionLink::IsHelpContextLinked() {
  return TActionLink::IsHelpContextLinked() && FClient->HelpContext() == Custom(FAction)->HelpContext();
}
bool TTBCustomItemActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && FClient->Hint() == Custom(FAction)->Hint();
}
bool TTBCustomItemActionLink::IsImageIndexLinked() {
  return TActionLink::IsImageIndexLinked() && FClient->ImageIndex() == Custom(FAction)->ImageIndex();
}
bool TTBCustomItemActionLink::IsShortCutLinked() {
  return TActionLink::IsShortCutLinked() && FClient->ShortCut() == Custom(FAction)->ShortCut();
}
bool TTBCustomItemActionLink::IsVisibleLinked() {
  return TActionLink::IsVisibleLinked() && FClient->Visible() == Custom(FAction)->Visible();
}
bool TTBCustomItemActionLink::IsOnExecuteLinked() {
  return TActionLink::IsOnExecuteLinked() && FClient->FClickIsActionExecute;
}
void TTBCustomItemActionLink::SetCaption(const std::string& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TTBCustomItemActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FClient->SetChecked(Value);
}
void TTBCustomItemActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TTBCustomItemActionLink::SetHelpContext(THelpContext Value) {
  if (IsHelpContextLinked()) FClient->FHelpContext = Value;
}
void TTBCustomItemActionLink::SetHint(const std::string& Value) {
  if (IsHintLinked()) FClient->FHint = Value;
}
void TTBCustomItemActionLink::SetImageIndex(TImageIndex Value) {
  if (IsImageIndexLinked()) FClient->SetImageIndex(Value);
}
void TTBCustomItemActionLink::SetShortCut(TShortCut Value) {
  if (IsShortCutLinked()) FClient->FShortCut = Value;
}
void TTBCustomItemActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value);
}
void TTBCustomItemActionLink::SetOnExecute(const TNotifyEvent& Value) {
  if (IsOnExecuteLinked()) {
    FClient->FOnClick = Value;
    FClient->FClickIsActionExecute = true;
  }
}

// ---- Items and actions ------------------------------------------------------------------------------------------

TBasicAction* TTBCustomItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TTBCustomItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) {
    FActionLink = std::make_unique<TTBCustomItemActionLink>(this);
  }
  FActionLink->SetAction(Value);
  FActionLink->OnChange = [this](TObject* Sender) { DoActionChange(Sender); };
  ActionChange(Value, Value->ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

void TTBCustomItem::SetOnClick(const TNotifyEvent& Value) {
  FOnClick = Value;
  FClickIsActionExecute = false;
}

void TTBCustomItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* A = Custom(dynamic_cast<TBasicAction*>(Sender));
  if (!A) {
    return;
  }
  if (!CheckDefaults || FCaption.empty()) SetCaption(A->Caption());
  if (!CheckDefaults || !FChecked) SetChecked(A->Checked());
  if (!CheckDefaults || FEnabled) SetEnabled(A->Enabled());
  if (!CheckDefaults || FHelpContext == 0) FHelpContext = A->HelpContext();
  if (!CheckDefaults || FHint.empty()) FHint = A->Hint();
  if (!CheckDefaults || FImageIndex == -1) SetImageIndex(A->ImageIndex());
  if (!CheckDefaults || FShortCut == 0) FShortCut = A->ShortCut();
  if (!CheckDefaults || FVisible) SetVisible(A->Visible());
  if (!CheckDefaults || !FOnClick) {
    FOnClick = A->OnExecute();
    FClickIsActionExecute = true;
  }
}

void TTBCustomItem::DoActionChange(TObject* Sender) {
  if (Sender == Action()) {
    ActionChange(Sender, false);
  }
}

void TTBCustomItem::Loaded() {
  TComponent::Loaded();
  if (TBasicAction* A = Action()) {
    ActionChange(A, true);
  }
}

bool TTBCustomItem::IsCaptionStored() const { return !FActionLink || !FActionLink->IsCaptionLinked(); }
bool TTBCustomItem::IsCheckedStored() const { return !FActionLink || !FActionLink->IsCheckedLinked(); }
bool TTBCustomItem::IsEnabledStored() const { return !FActionLink || !FActionLink->IsEnabledLinked(); }
bool TTBCustomItem::IsHintStored() const { return !FActionLink || !FActionLink->IsHintLinked(); }
bool TTBCustomItem::IsHelpContextStored() const { return !FActionLink || !FActionLink->IsHelpContextLinked(); }
bool TTBCustomItem::IsImageIndexStored() const { return !FActionLink || !FActionLink->IsImageIndexLinked(); }
bool TTBCustomItem::IsShortCutStored() const { return !FActionLink || !FActionLink->IsShortCutLinked(); }
bool TTBCustomItem::IsVisibleStored() const { return !FActionLink || !FActionLink->IsVisibleLinked(); }
bool TTBCustomItem::IsOnClickStored() const { return !FActionLink || !FActionLink->IsOnExecuteLinked(); }

void TTBCustomItem::InitiateAction() {
  if (FActionLink) {
    FActionLink->Update();
  }
}

void TTBCustomItem::DoPopup(TTBCustomItem* Sender, bool FromLink) {
  if (OnPopup) {
    OnPopup(Sender, FromLink);
  }
  if (!FItemStyle.Contains(tbisCombo)) {
    Click();
  }
}

void TTBCustomItem::Click() {
  // A closed menu leaves the screen before the command runs.
  ProcessPaintMessages();
  if (FAutoCheck) {
    SetChecked(!FChecked);
  }
  if (!FOnClick || !FActionLink || FClickIsActionExecute) {
    if (!ComponentState().Contains(csDesigning) && FActionLink) {
      FActionLink->Execute(this);
      return;
    }
    if (!FOnClick) {
      return;
    }
  }
  FOnClick(this);
}

// ---- Shortcuts and hints ----------------------------------------------------------------------------------------

namespace {

TTBCustomItem* FindShortCut(TTBCustomItem* From, TShortCut AShortCut, TTBCustomItem*& Topmost, int LinkDepth) {
  TTBCustomItem* Source = From->SubitemSource();
  if (Source != From) {
    if (++LinkDepth > 25) {
      return nullptr;
    }
  }
  for (int I = 0; I < Source->Count(); ++I) {
    TTBCustomItem* Sub = Source->Items(I);
    if (Sub->ShortCut() == AShortCut) {
      return Sub;
    }
    TTBCustomItem* Dummy = nullptr;
    if (TTBCustomItem* Found = FindShortCut(Sub, AShortCut, Dummy, LinkDepth)) {
      Topmost = Sub;
      return Found;
    }
  }
  return nullptr;
}

}  // namespace

TTBCustomItem* TTBCustomItem::FindItemWithShortCut(TShortCut AShortCut, TTBCustomItem*& ATopmostParent) {
  ATopmostParent = nullptr;
  if (AShortCut == 0) {
    return nullptr;
  }
  return FindShortCut(this, AShortCut, ATopmostParent, 0);
}

bool TTBCustomItem::IsShortCut(TWMKey& Message) {
  const TShortCut SC = ::ShortCut(Message.CharCode, KeyDataToShiftState(Message.KeyData));
  for (;;) {
    TTBCustomItem* Topmost = nullptr;
    if (!FindItemWithShortCut(SC, Topmost)) {
      return false;
    }
    TTBCustomItem* K = this;
    bool Restart = false;
    while (!Restart) {
      if (!K->Enabled()) {
        return false;
      }
      TTBCustomItem* Source = K->SubitemSource();
      if (!ComponentState().Contains(csDesigning)) {
        for (int I = 0; I < Source->Count(); ++I) {
          Source->Items(I)->InitiateAction();
        }
      }
      if (!K->FItemStyle.Contains(tbisEmbeddedGroup)) {
        try {
          if (Source != K) {
            Source->DoPopup(K, true);
          }
          K->DoPopup(K, false);
        } catch (...) {
          HandleAppException(K);
        }
      }
      TTBCustomItem* Next = nullptr;
      TTBCustomItem* Found = K->FindItemWithShortCut(SC, Next);
      if (!Found) {
        Restart = true;
      } else if (Next) {
        K = Next;
      } else {
        if (!Found->Enabled()) {
          return false;
        }
        try {
          Found->Click();
        } catch (...) {
          HandleAppException(Found);
        }
        return true;
      }
    }
  }
}

std::string TTBCustomItem::GetShortCutText() {
  const std::size_t Tab = FCaption.find('\t');
  if (Tab != std::string::npos) {
    return FCaption.substr(Tab + 1);
  }
  return FShortCut ? ShortCutToText(FShortCut) : std::string();
}

std::string TTBCustomItem::GetHintText() {
  std::string Result = FHint.substr(0, FHint.find('|'));
  if (Result.empty() || !FActionLink) {
    return Result;
  }
  if (auto* A = Custom(FActionLink->Action())) {
    std::string H = Result;
    // The application shows shortcuts in hints (the class library's default; the layer has no switch for it).
    if (A->DoHint(H) && A->ShortCut() != 0) {
      Result = H + " (" + ShortCutToText(A->ShortCut()) + ")";
    }
  }
  return Result;
}

// ---- Item kinds -------------------------------------------------------------------------------------------------

TTBGroupItem::TTBGroupItem(TComponent* AOwner) : TTBCustomItem(AOwner) {
  FItemStyle.Include(tbisEmbeddedGroup);
  FItemStyle.Include(tbisSubitemsEditable);
}

TTBSubmenuItem::TTBSubmenuItem(TComponent* AOwner) : TTBCustomItem(AOwner) {
  FItemStyle.Include(tbisSubmenu);
  FItemStyle.Include(tbisSubitemsEditable);
}

void TTBSubmenuItem::SetDropdownCombo(bool Value) {
  if (Value != DropdownCombo()) {
    if (Value) {
      FItemStyle.Include(tbisCombo);
    } else {
      FItemStyle.Exclude(tbisCombo);
    }
    Change(true);
  }
}

TTBSeparatorItem::TTBSeparatorItem(TComponent* AOwner) : TTBCustomItem(AOwner) {
  FItemStyle -= TTBItemStyle{tbisSelectable, tbisRedrawOnSelChange, tbisRedrawOnMouseOverChange};
  FItemStyle += TTBItemStyle{tbisSeparator, tbisClicksTransparent};
}

void TTBSeparatorItem::SetBlank(bool Value) {
  if (Value != FBlank) {
    FBlank = Value;
    Change(false);
  }
}

TTBItemViewerClass TTBSeparatorItem::GetItemViewerClass(TTBView* AView) {
  (void)AView;
  return &TTBSeparatorItemViewer::Create;
}

TTBControlItem::TTBControlItem(TComponent* AOwner) : TTBCustomItem(AOwner) {
  FItemStyle.Exclude(tbisSelectable);
  FItemStyle.Include(tbisClicksTransparent);
}

TTBControlItem::TTBControlItem(TComponent* AOwner, TControl* AControl) : TTBControlItem(AOwner) {
  FControl = AControl;
  if (AControl) {
    AControl->FreeNotification(this);
  }
}

TTBControlItem::~TTBControlItem() {
  // The control goes with its item unless the item was told to keep it or a form owns it as its component.
  if (FControl && !DontFreeControl && !FControl->ComponentState().Contains(csAncestor) &&
      !FControl->ComponentState().Contains(csDestroying)) {
    TControl* C = FControl;
    FControl = nullptr;
    delete C;
  }
}

void TTBControlItem::SetControl(TControl* Value) {
  if (Value != FControl) {
    ReplaceFreeNotified(FControl, Value);
    Change(true);
  }
}

void TTBControlItem::Notification(TComponent* AComponent, TOperation Operation) {
  TTBCustomItem::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FControl) {
    FControl = nullptr;
    Change(true);
  }
}

void TBRegisterControlItem() {
  static const bool Done = [] {
    RegisterClass(TTBControlItem::StaticClass());
    return true;
  }();
  (void)Done;
}

// ---- Published properties ---------------------------------------------------------------------------------------

namespace {

template <class C> void PublishCommon(TPublisher<C>& P) {
  P.Property("Action", &C::Action, &C::SetAction);
  P.Property("AutoCheck", &C::AutoCheck, &C::SetAutoCheck).Default(false);
  P.Property("Caption", &C::Caption, &C::SetCaption).Stored(&C::IsCaptionStored);
  P.Property("Checked", &C::Checked, &C::SetChecked).Default(false).Stored(&C::IsCheckedStored);
  P.Property("DisplayMode", &C::DisplayMode, &C::SetDisplayMode).Default(nbdmDefault);
  P.Property("Enabled", &C::Enabled, &C::SetEnabled).Default(true).Stored(&C::IsEnabledStored);
  P.Property("GroupIndex", &C::GroupIndex, &C::SetGroupIndex).Default(0);
  P.Property("HelpContext", &C::HelpContext, &C::SetHelpContext).Default(0).Stored(&C::IsHelpContextStored);
  P.Property("Hint", &C::Hint, &C::SetHint).Stored(&C::IsHintStored);
  P.Property("ImageIndex", &C::ImageIndex, &C::SetImageIndex).Default(-1).Stored(&C::IsImageIndexStored);
  P.Property("Images", &C::Images, &C::SetImages);
  P.Property("InheritOptions", &C::InheritOptions, &C::SetInheritOptions).Default(true);
  P.Property("MaskOptions", &C::MaskOptions, &C::SetMaskOptions).Default(TTBItemOptions{});
  P.Property("Options", &C::Options, &C::SetOptions).Default(TTBItemOptions{});
  P.Property("ShortCut", &C::ShortCut, &C::SetShortCut).Default(0).Stored(&C::IsShortCutStored);
  P.Property("Visible", &C::Visible, &C::SetVisible).Default(true).Stored(&C::IsVisibleStored);
  P.Property("OnClick", &C::OnClick, &C::SetOnClick).Stored(&C::IsOnClickStored);
}

}  // namespace

void TTBItem::Publish(TMetaClass& Meta) {
  TPublisher<TTBItem> P(Meta);
  PublishCommon(P);
  P.Property("OnSelect", &TTBItem::OnSelect, &TTBItem::OnSelect);
}

void TTBGroupItem::Publish(TMetaClass& Meta) {
  TPublisher<TTBGroupItem> P(Meta);
  P.Property("InheritOptions", &TTBGroupItem::InheritOptions, &TTBGroupItem::SetInheritOptions).Default(true);
  P.Property("LinkSubitems", &TTBGroupItem::LinkSubitems, &TTBGroupItem::SetLinkSubitems);
  P.Property("MaskOptions", &TTBGroupItem::MaskOptions, &TTBGroupItem::SetMaskOptions).Default(TTBItemOptions{});
  P.Property("Options", &TTBGroupItem::Options, &TTBGroupItem::SetOptions).Default(TTBItemOptions{});
}

void TTBSubmenuItem::Publish(TMetaClass& Meta) {
  TPublisher<TTBSubmenuItem> P(Meta);
  PublishCommon(P);
  P.Property("DropdownCombo", &TTBSubmenuItem::DropdownCombo, &TTBSubmenuItem::SetDropdownCombo).Default(false);
  P.Property("LinkSubitems", &TTBSubmenuItem::LinkSubitems, &TTBSubmenuItem::SetLinkSubitems);
  P.Property("SubMenuImages", &TTBSubmenuItem::SubMenuImages, &TTBSubmenuItem::SetSubMenuImages);
  P.Property("OnPopup", &TTBSubmenuItem::OnPopup, &TTBSubmenuItem::OnPopup);
  P.Property("OnSelect", &TTBSubmenuItem::OnSelect, &TTBSubmenuItem::OnSelect);
}

void TTBSeparatorItem::Publish(TMetaClass& Meta) {
  TPublisher<TTBSeparatorItem> P(Meta);
  P.Property("Blank", &TTBSeparatorItem::Blank, &TTBSeparatorItem::SetBlank).Default(false);
  P.Property("Hint", &TTBSeparatorItem::Hint, &TTBSeparatorItem::SetHint);
  P.Property("Visible", &TTBSeparatorItem::Visible, &TTBSeparatorItem::SetVisible).Default(true);
}

void TTBControlItem::Publish(TMetaClass& Meta) {
  TPublisher<TTBControlItem> P(Meta);
  P.Property("Control", &TTBControlItem::Control, &TTBControlItem::SetControl);
}
