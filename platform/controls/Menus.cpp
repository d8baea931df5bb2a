// Menus: shortcut text, menu items and their platform menus, main and popup menus, the popup list window.
#include "platform/controls/Menus.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImgList.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>


Z_IMPLEMENT_CLASS(EMenuError, Exception)
Z_IMPLEMENT_CLASS(TMenuActionLink, TActionLink)
Z_IMPLEMENT_CLASS_PUBLISHED(TMenuItem, TComponent, TMenuItem::Publish)
Z_IMPLEMENT_CLASS(TMenu, TComponent)
Z_IMPLEMENT_CLASS_PUBLISHED(TMainMenu, TMenu, TMainMenu::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TPopupMenu, TMenu, TPopupMenu::Publish)

// ---- Shortcuts --------------------------------------------------------------------------------------------------

namespace {

const char* KeyName(Word Key) {
  static const char* const Names[] = {"BkSp", "Tab"};
  static const char* const Nav[] = {"Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down"};
  switch (Key) {
    case 0x08: case 0x09: return Names[Key - 0x08];
    case 0x0D: return "Enter";
    case 0x1B: return "Esc";
    case 0x2D: return "Ins";
    case 0x2E: return "Del";
    default: break;
  }
  if (Key >= 0x20 && Key <= 0x28) {
    return Nav[Key - 0x20];
  }
  return nullptr;
}

// Key names of the keyboard for keys outside the fixed table (as the platform's key name text gives them on a
// US keyboard).
const char* SpecialName(Word Key) {
  switch (Key) {
    case VK_OEM_1: return ";";
    case VK_OEM_PLUS: return "=";
    case VK_OEM_COMMA: return ",";
    case VK_OEM_MINUS: return "-";
    case VK_OEM_PERIOD: return ".";
    case VK_OEM_2: return "/";
    case VK_OEM_3: return "`";
    case VK_OEM_4: return "[";
    case VK_OEM_5: return "\\";
    case VK_OEM_6: return "]";
    case VK_OEM_7: return "'";
    case VK_MULTIPLY: return "Num *";
    case VK_ADD: return "Num +";
    case VK_SUBTRACT: return "Num -";
    case VK_DECIMAL: return "Num Del";
    case VK_DIVIDE: return "Num /";
    case VK_PAUSE: return "Pause";
    case VK_CAPITAL: return "Caps Lock";
    case VK_NUMLOCK: return "Num Lock";
    case VK_SCROLL: return "Scroll Lock";
    case VK_APPS: return "Application";
    default: return nullptr;
  }
}

bool TakeFront(std::string& Text, const char* Front) {
  const std::size_t N = std::strlen(Front);
  if (Text.size() >= N && SameText(Text.substr(0, N), Front)) {
    Text.erase(0, N);
    return true;
  }
  return false;
}

}  // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if (Key & 0xFF00) {
    return scNone;
  }
  TShortCut Result = Key;
  if (Shift.Contains(ssShift)) Result |= scShift;
  if (Shift.Contains(ssCtrl)) Result |= scCtrl;
  if (Shift.Contains(ssAlt)) Result |= scAlt;
  return Result;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift) {
  Key = ShortCut & 0xFF;
  Shift = {};
  if (ShortCut & scShift) Shift.Include(ssShift);
  if (ShortCut & scCtrl) Shift.Include(ssCtrl);
  if (ShortCut & scAlt) Shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut ShortCut) {
  const Word Key = ShortCut & 0xFF;
  std::string Name;
  if (const char* N = KeyName(Key)) {
    Name = N;
  } else if (Key >= '0' && Key <= '9') {
    Name = std::string(1, static_cast<char>(Key));
  } else if (Key >= 'A' && Key <= 'Z') {
    Name = std::string(1, static_cast<char>(Key));
  } else if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9) {
    Name = std::string(1, static_cast<char>('0' + Key - VK_NUMPAD0));
  } else if (Key >= VK_F1 && Key <= VK_F24) {
    Name = "F" + std::to_string(Key - VK_F1 + 1);
  } else if (const char* S = SpecialName(Key)) {
    Name = S;
  }
  if (Name.empty()) {
    return {};
  }
  std::string Result;
  if (ShortCut & scShift) Result += "Shift+";
  if (ShortCut & scCtrl) Result += "Ctrl+";
  if (ShortCut & scAlt) Result += "Alt+";
  return Result + Name;
}

TShortCut TextToShortCut(std::string Text) {
  TShortCut Shift = 0;
  while (true) {
    if (TakeFront(Text, "Shift+")) {
      Shift |= scShift;
    } else if (TakeFront(Text, "^") || TakeFront(Text, "Ctrl+")) {
      Shift |= scCtrl;
    } else if (TakeFront(Text, "Alt+")) {
      Shift |= scAlt;
    } else {
      break;
    }
  }
  if (Text.empty()) {
    return scNone;
  }
  for (Word Key = 0x08; Key <= 0xFF; ++Key) {
    if (SameText(Text, ShortCutToText(Key))) {
      return static_cast<TShortCut>(Key | Shift);
    }
  }
  return scNone;
}

std::string StripHotkey(const std::string& Text) {
  std::string Out;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == cHotkeyPrefix && I + 1 < Text.size()) {
      ++I;  // "&x" gives "x", "&&" gives "&"
    } else if (Text[I] == cHotkeyPrefix) {
      continue;
    }
    Out += Text[I];
  }
  return Out;
}

char GetHotkey(const std::string& Text) {
  for (std::size_t I = 0; I + 1 < Text.size(); ++I) {
    if (Text[I] == cHotkeyPrefix) {
      if (Text[I + 1] == cHotkeyPrefix) {
        ++I;
        continue;
      }
      return static_cast<char>(std::toupper(static_cast<unsigned char>(Text[I + 1])));
    }
  }
  return 0;
}

std::string GetShortHint(const std::string& Hint) {
  auto Bar = Hint.find('|');
  return Bar == std::string::npos ? Hint : Hint.substr(0, Bar);
}

std::string GetLongHint(const std::string& Hint) {
  auto Bar = Hint.find('|');
  return Bar == std::string::npos ? Hint : Hint.substr(Bar + 1);
}

// ---- Commands ---------------------------------------------------------------------------------------------------

namespace {

std::vector<bool>& CommandPool() {
  static std::vector<bool> Pool(1, true);  // 0 is never given out: it means "no command"
  return Pool;
}

UINT UniqueCommand() {
  auto& Pool = CommandPool();
  for (std::size_t I = 1; I < Pool.size(); ++I) {
    if (!Pool[I]) {
      Pool[I] = true;
      return static_cast<UINT>(I);
    }
  }
  Pool.push_back(true);
  return static_cast<UINT>(Pool.size() - 1);
}

void ReleaseCommand(UINT Command) {
  auto& Pool = CommandPool();
  if (Command < Pool.size() && Command != 0) {
    Pool[Command] = false;
  }
}

std::vector<TPopupMenu*>& PopupList() {
  static std::vector<TPopupMenu*> List;
  return List;
}

}  // namespace

// ---- TMenuActionLink --------------------------------------------------------------------------------------------

void TMenuActionLink::AssignClient(TObject* AClient) { FClient = dynamic_cast<TMenuItem*>(AClient); }

namespace {
TCustomAction* Custom(TBasicAction* A) { return dynamic_cast<TCustomAction*>(A); }
}  // namespace

bool TMenuActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && FClient->Caption() == Custom(FAction)->Caption();
}
bool TMenuActionLink::IsCheckedLinked() {
  return TActionLink::IsCheckedLinked() && FClient->Checked() == Custom(FAction)->Checked();
}
bool TMenuActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && FClient->Enabled() == Custom(FAction)->Enabled();
}
bool TMenuActionLink::IsHelpContextLinked() {
  return TActionLink::IsHelpContextLinked() && FClient->HelpContext() == Custom(FAction)->HelpContext();
}
bool TMenuActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && FClient->Hint() == Custom(FAction)->Hint();
}
bool TMenuActionLink::IsGroupIndexLinked() {
  return TActionLink::IsGroupIndexLinked() && FClient->GroupIndex() == Custom(FAction)->GroupIndex();
}
bool TMenuActionLink::IsImageIndexLinked() {
  return TActionLink::IsImageIndexLinked() && FClient->ImageIndex() == Custom(FAction)->ImageIndex();
}
bool TMenuActionLink::IsShortCutLinked() {
  return TActionLink::IsShortCutLinked() && FClient->ShortCut() == Custom(FAction)->ShortCut();
}
bool TMenuActionLink::IsVisibleLinked() {
  return TActionLink::IsVisibleLinked() && FClient->Visible() == Custom(FAction)->Visible();
}
bool TMenuActionLink::IsOnExecuteLinked() {
  return TActionLink::IsOnExecuteLinked() && FClient->FClickIsActionExecute;
}
void TMenuActionLink::SetAutoCheck(bool Value) {
  if (Custom(FAction)) FClient->SetAutoCheck(Value);
}
void TMenuActionLink::SetCaption(const std::string& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TMenuActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FClient->SetChecked(Value);
}
void TMenuActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TMenuActionLink::SetHelpContext(THelpContext Value) {
  if (IsHelpContextLinked()) FClient->SetHelpContext(Value);
}
void TMenuActionLink::SetHint(const std::string& Value) {
  if (IsHintLinked()) FClient->SetHint(Value);
}
void TMenuActionLink::SetImageIndex(TImageIndex Value) {
  if (IsImageIndexLinked()) FClient->SetImageIndex(Value);
}
void TMenuActionLink::SetShortCut(TShortCut Value) {
  if (IsShortCutLinked()) FClient->SetShortCut(Value);
}
void TMenuActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value);
}
void TMenuActionLink::SetOnExecute(const TNotifyEvent& Value) {
  if (IsOnExecuteLinked()) {
    FClient->FOnClick = Value;
    FClient->FClickIsActionExecute = true;
  }
}

// ---- TMenuItem --------------------------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(UniqueCommand()) {}

TMenuItem::~TMenuItem() {
  ReleaseCommand(FCommand);
}

void TMenuItem::BeforeDestruction() {
  if (FParent) {
    FParent->Remove(this);
  }
  // Subitems go with their parent (those their owner is already freeing are only let go).
  while (!FItems.empty()) {
    TMenuItem* Child = FItems.back();
    if (Child->ComponentState().Contains(csDestroying)) {
      Remove(Child);
    } else {
      delete Child;
    }
  }
  FActionLink.reset();
  DestroyHandle();
  TComponent::BeforeDestruction();
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) {
    throw EMenuError("Menu index out of range");
  }
  return FItems[static_cast<std::size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) {
    return;
  }
  if (Item->FParent) {
    throw EMenuError("Menu inserted twice");
  }
  if (Index < 0 || Index > Count()) {
    throw EMenuError("Menu index out of range");
  }
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  if (Item->FChecked && Item->FRadioItem) {
    Item->TurnSiblingsOff();
  }
  MenuChanged(Count() == 1);
  RebuildHandle();
}

void TMenuItem::Delete(int Index) {
  TMenuItem* Item = Items(Index);
  FItems.erase(FItems.begin() + Index);
  Item->FParent = nullptr;
  if (FItems.empty() && FMenu == nullptr) {
    // A leaf again: its submenu goes, and the parent's entry is rebuilt without it.
    DestroyHandle();
    MenuChanged(true);
  } else {
    RebuildHandle();
    MenuChanged(false);
  }
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int I = IndexOf(Item);
  if (I < 0) {
    throw EMenuError("Sub-menu is not in menu");
  }
  Delete(I);
}

void TMenuItem::Clear() {
  while (!FItems.empty()) {
    delete FItems.back();
  }
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const {
  const std::string Wanted = StripHotkey(ACaption);
  for (auto* I : FItems) {
    if (SameText(Wanted, StripHotkey(I->FCaption))) {
      return I;
    }
  }
  return nullptr;
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int Value) {
  if (!FParent) {
    return;
  }
  TMenuItem* P = FParent;
  const int Cur = MenuIndex();
  Value = std::clamp(Value, 0, P->Count() - 1);
  if (Value == Cur) {
    return;
  }
  P->FItems.erase(P->FItems.begin() + Cur);
  P->FItems.insert(P->FItems.begin() + Value, this);
  P->RebuildHandle();
  P->MenuChanged(true);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* I = this;
  while (I->FParent) {
    I = I->FParent;
  }
  return I->FMenu;
}

HMENU TMenuItem::Handle() {
  if (!FHandle) {
    FHandle = (FMenu && FMenu->IsMainMenu()) ? ::CreateMenu() : ::CreatePopupMenu();
    RebuildHandle();
  }
  return FHandle;
}

void TMenuItem::DestroyHandle() {
  if (FHandle) {
    // Keep the subitems' own handles: they are destroyed with their items.
    while (GetMenuItemCount(FHandle) > 0) {
      RemoveMenu(FHandle, 0, MF_BYPOSITION);
    }
    DestroyMenu(FHandle);
    FHandle = 0;
  }
}

void TMenuItem::RebuildHandle() {
  if (!FHandle) {
    return;
  }
  while (GetMenuItemCount(FHandle) > 0) {
    RemoveMenu(FHandle, 0, MF_BYPOSITION);
  }
  for (auto* I : FItems) {
    if (I->FVisible) {
      I->AppendTo(FHandle);
    }
  }
}

void TMenuItem::AppendTo(HMENU Menu) {
  MENUITEMINFO Info;
  Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
  TMenu* ParentMenu = GetParentMenu();
  if (IsLine()) {
    Info.fType = MFT_SEPARATOR;
  } else {
    Info.fType = MFT_STRING;
    if (FRadioItem) Info.fType |= MFT_RADIOCHECK;
    if (ParentMenu && ParentMenu->OwnerDraw()) Info.fType |= MFT_OWNERDRAW;
  }
  if (FBreak == mbBreak) Info.fType |= MFT_MENUBREAK;
  if (FBreak == mbBarBreak) Info.fType |= MFT_MENUBARBREAK;
  if (FChecked) Info.fState |= MFS_CHECKED;
  if (!FEnabled) Info.fState |= MFS_GRAYED;
  if (FDefault) Info.fState |= MFS_DEFAULT;
  Info.wID = FCommand;
  Info.hSubMenu = FItems.empty() ? 0 : Handle();
  Info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  std::string Text = FCaption;
  if (FShortCut != scNone && FParent && !(ParentMenu && ParentMenu->IsMainMenu() && FParent->FMenu)) {
    Text += "\t" + ShortCutToText(FShortCut);
  }
  Info.dwTypeData = Text.data();
  InsertMenuItem(Menu, static_cast<UINT>(-1), TRUE, &Info);
}

void TMenuItem::MenuChanged(bool Rebuild) {
  if (FParent) {
    FParent->RebuildHandle();
  }
  if (TMenu* M = GetParentMenu()) {
    M->MenuChanged(this, Rebuild);
  }
}

TMenuItem* TMenuItem::FindItem(UINT Value, TFindItemKind Kind) {
  for (auto* I : FItems) {
    const bool Match = (Kind == fkCommand && I->FCommand == Value) ||
                       (Kind == fkHandle && I->FHandle != 0 && I->FHandle == Value) ||
                       (Kind == fkShortCut && I->FShortCut != scNone && I->FShortCut == Value);
    if (Match) {
      return I;
    }
    if (TMenuItem* Found = I->FindItem(Value, Kind)) {
      return Found;
    }
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (!FEnabled) {
    return;
  }
  if (FAutoCheck && !ComponentState().Contains(csDesigning)) {
    SetChecked(!FChecked);
  }
  const bool ViaAction = FActionLink && FActionLink->Action() &&
                         (!FOnClick || FClickIsActionExecute) && !ComponentState().Contains(csDesigning);
  if (ViaAction) {
    FActionLink->Execute(this);
  } else if (FOnClick) {
    FOnClick(this);
  }
}

void TMenuItem::InitiateAction() {
  if (FActionLink) {
    FActionLink->Update();
  }
}

void TMenuItem::SetCaption(const std::string& Value) {
  if (Value != FCaption) {
    FCaption = Value;
    MenuChanged(true);
  }
}

void TMenuItem::TurnSiblingsOff() {
  if (!FParent) {
    return;
  }
  for (auto* I : std::vector<TMenuItem*>(FParent->FItems)) {
    if (I != this && I->FRadioItem && I->FGroupIndex == FGroupIndex) {
      I->SetChecked(false);
    }
  }
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == FChecked) {
    return;
  }
  FChecked = Value;
  if (Value && FRadioItem) {
    TurnSiblingsOff();
  }
  MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool Value) {
  if (Value == FRadioItem) {
    return;
  }
  FRadioItem = Value;
  if (FChecked && FRadioItem) {
    TurnSiblingsOff();
  }
  MenuChanged(false);
}

void TMenuItem::SetGroupIndex(Byte Value) {
  if (Value == FGroupIndex) {
    return;
  }
  FGroupIndex = Value;
  if (FChecked && FRadioItem) {
    TurnSiblingsOff();
  }
  MenuChanged(false);
}

void TMenuItem::SetEnabled(bool Value) {
  if (Value != FEnabled) {
    FEnabled = Value;
    MenuChanged(false);
  }
}

void TMenuItem::SetVisible(bool Value) {
  if (Value != FVisible) {
    FVisible = Value;
    MenuChanged(true);
  }
}

void TMenuItem::SetDefault(bool Value) {
  if (Value == FDefault) {
    return;
  }
  // One default item per submenu.
  if (Value && FParent) {
    for (auto* I : FParent->FItems) {
      if (I != this) {
        I->FDefault = false;
      }
    }
  }
  FDefault = Value;
  MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (Value != FShortCut) {
    FShortCut = Value;
    MenuChanged(false);
  }
}

void TMenuItem::SetImageIndex(TImageIndex Value) {
  if (Value != FImageIndex) {
    FImageIndex = Value;
    MenuChanged(false);
  }
}

void TMenuItem::SetBreak(TMenuBreak Value) {
  if (Value != FBreak) {
    FBreak = Value;
    MenuChanged(true);
  }
}

void TMenuItem::SetOnClick(const TNotifyEvent& Value) {
  FOnClick = Value;
  FClickIsActionExecute = false;
}

void TMenuItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) {
    FActionLink = std::make_unique<TMenuActionLink>(this);
  }
  FActionLink->SetAction(Value);
  FActionLink->OnChange = [this](TObject* Sender) { DoActionChange(Sender); };
  ActionChange(Value, Value->ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* A = dynamic_cast<TCustomAction*>(Sender);
  if (!A) {
    return;
  }
  if (!CheckDefaults || FCaption.empty()) SetCaption(A->Caption());
  if (!CheckDefaults || !FChecked) SetChecked(A->Checked());
  if (!CheckDefaults || FEnabled) SetEnabled(A->Enabled());
  if (!CheckDefaults || FHelpContext == 0) SetHelpContext(A->HelpContext());
  if (!CheckDefaults || FHint.empty()) SetHint(A->Hint());
  if (!CheckDefaults || FImageIndex == -1) SetImageIndex(A->ImageIndex());
  if (!CheckDefaults || FShortCut == scNone) SetShortCut(A->ShortCut());
  if (!CheckDefaults || FVisible) SetVisible(A->Visible());
  if (!CheckDefaults || !FAutoCheck) SetAutoCheck(A->AutoCheck());
  if (!CheckDefaults || !FOnClick) {
    FOnClick = A->OnExecute();
    FClickIsActionExecute = true;
  }
}

void TMenuItem::DoActionChange(TObject* Sender) {
  if (Sender == Action()) {
    ActionChange(Sender, false);
  }
}

bool TMenuItem::IsCaptionStored() const { return !FActionLink || !FActionLink->IsCaptionLinked(); }
bool TMenuItem::IsCheckedStored() const { return !FActionLink || !FActionLink->IsCheckedLinked(); }
bool TMenuItem::IsEnabledStored() const { return !FActionLink || !FActionLink->IsEnabledLinked(); }
bool TMenuItem::IsHintStored() const { return !FActionLink || !FActionLink->IsHintLinked(); }
bool TMenuItem::IsHelpContextStored() const { return !FActionLink || !FActionLink->IsHelpContextLinked(); }
bool TMenuItem::IsImageIndexStored() const { return !FActionLink || !FActionLink->IsImageIndexLinked(); }
bool TMenuItem::IsShortCutStored() const { return !FActionLink || !FActionLink->IsShortCutLinked(); }
bool TMenuItem::IsVisibleStored() const { return !FActionLink || !FActionLink->IsVisibleLinked(); }
bool TMenuItem::IsOnClickStored() const { return !FActionLink || !FActionLink->IsOnExecuteLinked(); }

TComponent* TMenuItem::GetParentComponent() {
  if (FParent && FParent->FMenu) {
    return FParent->FMenu;
  }
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  TMenuItem* Target = nullptr;
  if (auto* M = dynamic_cast<TMenu*>(Value)) {
    Target = M->Items();
  } else {
    Target = dynamic_cast<TMenuItem*>(Value);
  }
  if (Target == FParent) {
    return;
  }
  if (FParent) {
    FParent->Remove(this);
  }
  if (Target) {
    Target->Add(this);
  }
}

void TMenuItem::GetChildren(TGetChildProc Proc, TComponent* Root) {
  (void)Root;
  for (auto* I : std::vector<TMenuItem*>(FItems)) {
    Proc(I);
  }
}

void TMenuItem::SetChildOrder(TComponent* Child, Integer Order) {
  if (auto* I = dynamic_cast<TMenuItem*>(Child); I && I->FParent == this) {
    I->SetMenuIndex(Order);
  }
}

void TMenuItem::ReadState(TReader* Reader) {
  if (Reader->Parent() && !FParent) {
    SetParentComponent(Reader->Parent());
  }
  TComponent::ReadState(Reader);
}

void TMenuItem::Loaded() {
  TComponent::Loaded();
  if (TBasicAction* A = Action()) {
    ActionChange(A, true);
  }
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && FActionLink && AComponent == FActionLink->Action()) {
    FActionLink.reset();
  }
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, ACanvas, Width, Height);
  }
}

void TMenuItem::DrawItem(TCanvas* ACanvas, TRect ARect, bool Selected) {
  if (OnDrawItem) {
    OnDrawItem(this, ACanvas, ARect, Selected);
  }
}

void TMenuItem::Publish(TMetaClass& Meta) {
  TPublisher<TMenuItem> P(Meta);
  P.Property("Action", &TMenuItem::Action, &TMenuItem::SetAction);
  P.Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(false);
  P.Property("AutoHotkeys", &TMenuItem::AutoHotkeys, &TMenuItem::SetAutoHotkeys).Default(maParent);
  P.Property("Break", &TMenuItem::Break, &TMenuItem::SetBreak).Default(mbNone);
  P.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption).Stored(&TMenuItem::IsCaptionStored);
  P.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false)
      .Stored(&TMenuItem::IsCheckedStored);
  P.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(false);
  P.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true)
      .Stored(&TMenuItem::IsEnabledStored);
  P.Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
  P.Property("HelpContext", &TMenuItem::HelpContext, &TMenuItem::SetHelpContext).Default(0)
      .Stored(&TMenuItem::IsHelpContextStored);
  P.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint).Stored(&TMenuItem::IsHintStored);
  P.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1)
      .Stored(&TMenuItem::IsImageIndexStored);
  P.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
  P.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0)
      .Stored(&TMenuItem::IsShortCutStored);
  P.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true)
      .Stored(&TMenuItem::IsVisibleStored);
  P.Property("OnClick", &TMenuItem::OnClick, &TMenuItem::SetOnClick).Stored(&TMenuItem::IsOnClickStored);
  P.Property("OnDrawItem", &TMenuItem::OnDrawItem, &TMenuItem::OnDrawItem);
  P.Property("OnMeasureItem", &TMenuItem::OnMeasureItem, &TMenuItem::OnMeasureItem);
}

// ---- TMenu ------------------------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner) {
  FItems = new TMenuItem(this);
  FItems->FMenu = this;
}

void TMenu::BeforeDestruction() {
  // The root goes first, with every item still in the menu.
  if (FItems && !FItems->ComponentState().Contains(csDestroying)) {
    delete FItems;
  }
  FItems = nullptr;
  TComponent::BeforeDestruction();
}

bool TMenu::DispatchCommand(Word ACommand) {
  if (TMenuItem* I = FindItem(ACommand, fkCommand)) {
    I->Click();
    return true;
  }
  return false;
}

bool TMenu::DispatchPopup(HMENU AMenu) {
  if (FItems && FItems->FHandle == AMenu && AMenu != 0) {
    return true;
  }
  if (TMenuItem* I = FindItem(static_cast<UINT>(AMenu), fkHandle)) {
    I->Click();
    return true;
  }
  return false;
}

TMenuItem* TMenu::FindItem(UINT Value, TFindItemKind Kind) { return FItems ? FItems->FindItem(Value, Kind) : nullptr; }

bool TMenu::IsShortCut(TWMKey& Message) {
  if (!FWindowHandle || !FItems) {
    return false;
  }
  const TShortCut Key = ::ShortCut(Message.CharCode, KeyDataToShiftState(Message.KeyData));
  if (Key == scNone) {
    return false;
  }
  // The parents are clicked first (their OnClick may rebuild the submenu); when the shortcut then belongs to
  // another item, the search starts again.
  for (int Attempt = 0; Attempt < 8; ++Attempt) {
    TMenuItem* Item = FindItem(Key, fkShortCut);
    if (!Item) {
      return false;
    }
    std::vector<TMenuItem*> Chain;
    for (TMenuItem* I = Item; I && I != FItems; I = I->FParent) {
      Chain.push_back(I);
    }
    std::reverse(Chain.begin(), Chain.end());
    bool Moved = false;
    try {
      for (TMenuItem* I : Chain) {
        I->InitiateAction();
        if (!I->Enabled()) {
          return false;
        }
        if (I != Item) {
          I->Click();
          if (FindItem(Key, fkShortCut) != Item) {
            Moved = true;
            break;
          }
        }
      }
      if (!Moved) {
        Item->Click();
        return true;
      }
    } catch (const std::exception& E) {
      Application->HandleException(this, &E);
      return true;
    }
  }
  return false;
}

void TMenu::SetImages(TCustomImageList* Value) {
  if (Value == FImages) {
    return;
  }
  ReplaceFreeNotified(FImages, Value);
  MenuChanged(nullptr, false);
}

void TMenu::SetOwnerDraw(bool Value) {
  if (Value != FOwnerDraw) {
    FOwnerDraw = Value;
    if (FItems) {
      // Every entry changes its type: rebuild each allocated submenu.
      std::function<void(TMenuItem*)> Rebuild = [&](TMenuItem* I) {
        I->RebuildHandle();
        for (auto* C : I->FItems) {
          Rebuild(C);
        }
      };
      Rebuild(FItems);
    }
    MenuChanged(nullptr, true);
  }
}

void TMenu::GetChildren(TGetChildProc Proc, TComponent* Root) {
  if (FItems) {
    for (auto* I : std::vector<TMenuItem*>(FItems->FItems)) {
      if (I->Owner() == Root) {
        Proc(I);
      }
    }
  }
}

void TMenu::SetChildOrder(TComponent* Child, Integer Order) {
  if (FItems) {
    FItems->SetChildOrder(Child, Order);
  }
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) {
    FImages = nullptr;
  }
}

void TMenu::MenuChanged(TMenuItem* Source, bool Rebuild) {
  if (IsMainMenu() && FWindowHandle) {
    DrawMenuBar(FWindowHandle);
  }
  if (OnChange && !ComponentState().Contains(csDestroying) && !ComponentState().Contains(csLoading)) {
    OnChange(this, Source, Rebuild);
  }
}

void TMainMenu::Publish(TMetaClass& Meta) {
  TPublisher<TMainMenu> P(Meta);
  P.Property("AutoHotkeys", &TMainMenu::AutoHotkeys, &TMainMenu::AutoHotkeys).Default(maAutomatic);
  P.Property("AutoLineReduction", &TMainMenu::AutoLineReduction, &TMainMenu::AutoLineReduction).Default(true);
  P.Property("Images", &TMainMenu::Images, &TMainMenu::SetImages);
  P.Property("OwnerDraw", &TMainMenu::OwnerDraw, &TMainMenu::SetOwnerDraw).Default(false);
  P.Property("OnChange", &TMainMenu::OnChange, &TMainMenu::OnChange);
}

// ---- The popup list ---------------------------------------------------------------------------------------------

namespace {

void SetApplicationHint(const std::string& Hint) {
  TApplication* App = Application;
  if (App->Hint != Hint) {
    App->Hint = Hint;
    if (App->OnHint) {
      App->OnHint(App);
    }
  }
}

TMenuItem* FindInPopups(UINT Value, TFindItemKind Kind) {
  for (auto* M : std::vector<TPopupMenu*>(PopupList())) {
    if (TMenuItem* I = M->FindItem(Value, Kind)) {
      return I;
    }
  }
  return nullptr;
}

// Measures or draws an owner-drawn menu item on a canvas over the given device context.
void OwnerDraw(TMessage& Message) {
  if (Message.Msg == WM_MEASUREITEM) {
    auto* M = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    if (!M || M->CtlType != ODT_MENU) {
      return;
    }
    if (TMenuItem* I = FindInPopups(M->itemID, fkCommand)) {
      HDC DC = CreateCompatibleDC(0);
      TCanvas Canvas;
      Canvas.SetHandle(DC);
      // Room for the check mark column on both sides of the text, as the platform leaves it.
      int W = Canvas.TextWidth(StripHotkey(I->Caption())) + 2 * GetSystemMetrics(SM_CXSMICON);
      int H = GetSystemMetrics(SM_CYMENU);
      I->MeasureItem(&Canvas, W, H);
      Canvas.SetHandle(0);
      DeleteDC(DC);
      M->itemWidth = static_cast<UINT>(std::max(W, 0));
      M->itemHeight = static_cast<UINT>(std::max(H, 0));
      Message.Result = 1;
    }
    return;
  }
  auto* D = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  if (!D || D->CtlType != ODT_MENU) {
    return;
  }
  if (TMenuItem* I = FindInPopups(D->itemID, fkCommand)) {
    TCanvas Canvas;
    Canvas.SetHandle(D->hDC);
    I->DrawItem(&Canvas, D->rcItem, (D->itemState & ODS_SELECTED) != 0);
    Canvas.SetHandle(0);
    Message.Result = 1;
  }
}

void PopupListWndProc(TMessage& Message) {
  try {
    switch (Message.Msg) {
      case WM_COMMAND:
        for (auto* M : std::vector<TPopupMenu*>(PopupList())) {
          if (M->DispatchCommand(LOWORD(Message.WParam))) {
            return;
          }
        }
        break;
      case WM_INITMENUPOPUP:
        for (auto* M : std::vector<TPopupMenu*>(PopupList())) {
          if (M->DispatchPopup(static_cast<HMENU>(Message.WParam))) {
            return;
          }
        }
        break;
      case WM_MENUSELECT: {
        const WORD Flags = HIWORD(Message.WParam);
        const WORD Id = LOWORD(Message.WParam);
        const HMENU Menu = static_cast<HMENU>(Message.LParam);
        TMenuItem* Item = nullptr;
        if (Flags != 0xFFFF || Menu != 0) {
          Item = (Flags & MF_POPUP) ? FindInPopups(static_cast<UINT>(GetSubMenu(Menu, Id)), fkHandle)
                                    : FindInPopups(Id, fkCommand);
        }
        SetApplicationHint(Item ? GetLongHint(Item->Hint()) : std::string());
        return;
      }
      case WM_MEASUREITEM:
      case WM_DRAWITEM:
        OwnerDraw(Message);
        return;
      default:
        break;
    }
  } catch (const std::exception& E) {
    Application->HandleException(nullptr, &E);
    return;
  }
  Message.Result = DefWindowProc(PopupListWindow(), Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace

HWND PopupListWindow() {
  static HWND Wnd = AllocateHWnd(&PopupListWndProc);
  return Wnd;
}

// ---- TPopupMenu -------------------------------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {
  PopupList().push_back(this);
  FWindowHandle = PopupListWindow();
}

void TPopupMenu::BeforeDestruction() {
  std::erase(PopupList(), this);
  SetPopupComponent(nullptr);
  TMenu::BeforeDestruction();
}

void TPopupMenu::DoPopup(TObject* Sender) {
  if (OnPopup) {
    OnPopup(Sender);
  }
}

void TPopupMenu::Popup(int X, int Y) {
  FPopupPoint = Point(X, Y);
  DoPopup(this);
  UINT Flags = TrackButton == tbRightButton ? TPM_RIGHTBUTTON : TPM_LEFTBUTTON;
  Flags |= Alignment == paRight ? TPM_RIGHTALIGN : Alignment == paCenter ? TPM_CENTERALIGN : TPM_LEFTALIGN;
  TrackPopupMenu(FItems->Handle(), Flags, X, Y, 0, FWindowHandle, nullptr);
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (Value == FPopupComponent) {
    return;
  }
  ReplaceFreeNotified(FPopupComponent, Value);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) {
    FPopupComponent = nullptr;
  }
}

void TPopupMenu::Publish(TMetaClass& Meta) {
  TPublisher<TPopupMenu> P(Meta);
  P.Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::Alignment).Default(paLeft);
  P.Property("AutoHotkeys", &TPopupMenu::AutoHotkeys, &TPopupMenu::AutoHotkeys).Default(maAutomatic);
  P.Property("AutoLineReduction", &TPopupMenu::AutoLineReduction, &TPopupMenu::AutoLineReduction).Default(true);
  P.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::AutoPopup).Default(true);
  P.Property("HelpContext", &TPopupMenu::HelpContext, &TPopupMenu::HelpContext).Default(0);
  P.Property("Images", &TPopupMenu::Images, &TPopupMenu::SetImages);
  P.Property("OwnerDraw", &TPopupMenu::OwnerDraw, &TPopupMenu::SetOwnerDraw).Default(false);
  P.Property("TrackButton", &TPopupMenu::TrackButton, &TPopupMenu::TrackButton).Default(tbRightButton);
  P.Property("OnChange", &TPopupMenu::OnChange, &TPopupMenu::OnChange);
  P.Property("OnPopup", &TPopupMenu::OnPopup, &TPopupMenu::OnPopup);
}

// A control's context menu (WM_CONTEXTMENU): the menu pops up when it pops up automatically, with the control
// as its PopupComponent.
namespace {
bool PopupForControl(TPopupMenu* Menu, TControl* Control, TPoint ScreenPos) {
  if (!Menu->AutoPopup) {
    return false;
  }
  Menu->SetPopupComponent(Control);
  Menu->Popup(ScreenPos.X, ScreenPos.Y);
  return true;
}

struct TInstallPopupHandler {
  TInstallPopupHandler() { SetPopupMenuHandler(&PopupForControl); }
} InstallPopupHandler;
}  // namespace

// ---- Forms and their menus --------------------------------------------------------------------------------------

namespace {
std::map<TCustomForm*, TMainMenu*>& FormMenus() {
  static std::map<TCustomForm*, TMainMenu*> M;
  return M;
}
}  // namespace

void SetFormMenu(TCustomForm* Form, TMainMenu* Menu) {
  if (!Form) {
    return;
  }
  if (Menu) {
    FormMenus()[Form] = Menu;
    Menu->SetWindowHandle(Form->Handle());
    SetMenu(Form->Handle(), Menu->Handle());
  } else {
    if (auto It = FormMenus().find(Form); It != FormMenus().end()) {
      It->second->SetWindowHandle(0);
      FormMenus().erase(It);
    }
    if (Form->HandleAllocated()) {
      SetMenu(Form->Handle(), 0);
    }
  }
}

TMainMenu* FormMenu(TCustomForm* Form) {
  auto It = FormMenus().find(Form);
  return It == FormMenus().end() ? nullptr : It->second;
}

bool FormIsShortCut(TCustomForm* Form, TWMKey& Message) {
  if (!Form) {
    return false;
  }
  if (TMainMenu* M = FormMenu(Form); M && M->WindowHandle() && M->IsShortCut(Message)) {
    return true;
  }
  for (int I = 0; I < Form->ComponentCount(); ++I) {
    if (auto* List = dynamic_cast<TCustomActionList*>(Form->Components(I)); List && List->IsShortCut(Message)) {
      return true;
    }
  }
  return false;
}

void UpdateFormActions() {
  std::function<void(TMenuItem*)> Walk = [&](TMenuItem* I) {
    for (int K = 0; K < I->Count(); ++K) {
      TMenuItem* C = I->Items(K);
      C->InitiateAction();
      Walk(C);
    }
  };
  for (int F = 0; F < Screen->FormCount(); ++F) {
    TCustomForm* Form = Screen->Forms(F);
    if (!Form->HandleAllocated() || !IsWindowVisible(Form->Handle()) || !IsWindowEnabled(Form->Handle())) {
      continue;
    }
    for (int I = 0; I < Form->ComponentCount(); ++I) {
      if (auto* M = dynamic_cast<TMenu*>(Form->Components(I))) {
        Walk(M->Items());
      }
    }
  }
}

// ---- Building menus in code -------------------------------------------------------------------------------------

TMenuItem* NewItem(const std::string& ACaption, TShortCut AShortCut, bool AChecked, bool AEnabled,
                   TNotifyEvent AOnClick, THelpContext HelpContext, const std::string& AName) {
  auto* Item = new TMenuItem(nullptr);
  Item->SetName(AName);
  Item->SetCaption(ACaption);
  Item->SetShortCut(AShortCut);
  Item->SetChecked(AChecked);
  Item->SetEnabled(AEnabled);
  Item->SetOnClick(std::move(AOnClick));
  Item->SetHelpContext(HelpContext);
  return Item;
}

TMenuItem* NewLine() {
  auto* Item = new TMenuItem(nullptr);
  Item->SetCaption(cLineCaption);
  return Item;
}

TMenuItem* NewSubMenu(const std::string& ACaption, THelpContext HelpContext, const std::string& AName,
                      const std::vector<TMenuItem*>& Items, bool AEnabled) {
  auto* Item = NewItem(ACaption, scNone, false, AEnabled, nullptr, HelpContext, AName);
  for (auto* I : Items) {
    Item->Add(I);
  }
  return Item;
}

TPopupMenu* NewPopupMenu(TComponent* Owner, const std::string& AName, TPopupAlignment Alignment, bool AutoPopup,
                         const std::vector<TMenuItem*>& Items) {
  auto* Menu = new TPopupMenu(Owner);
  Menu->AfterConstruction();
  Menu->SetName(AName);
  Menu->Alignment = Alignment;
  Menu->AutoPopup = AutoPopup;
  for (auto* I : Items) {
    Menu->Items()->Add(I);
  }
  return Menu;
}
