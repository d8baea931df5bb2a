// Key maps and keyboard layouts.
#include "suitebase/Keymaps.h"

#include "platform/win/VirtualKeys.h"
#include "platform/win/WinUser.h"
#include "suitebase/Classparams.h"

namespace Dorazori {

Z_IMPLEMENT_CLASS(TKeyData, TCollectionItem)
Z_IMPLEMENT_CLASS(TKeyList, TCollection)

namespace {
inline constexpr const char* ParamKeyboardId = "KeyboardClass.ID";
inline constexpr const char* ParamKeyboardInitName = "KeyboardClass.InitName";
inline constexpr const char* ParamKeyboardInitProc = "KeyboardClass.InitProc";

bool Matches(const TKeyData* Data, Word Key, TShiftState Shift, std::int8_t State) {
  return Data->Key == Key && Data->Shift == Shift && (Data->RequiredState == State || Data->RequiredState == -1);
}

bool KeyDown(SHORT KeyState) { return (static_cast<std::uint16_t>(KeyState) & 0x8000u) != 0; }
}  // namespace

void TKeyData::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TKeyData*>(Source)) {
    RequiredState = Other->RequiredState;
    NextState = Other->NextState;
    Key = Other->Key;
    Shift = Other->Shift;
    Action = Other->Action;
    return;
  }
  TCollectionItem::Assign(Source);
}

TKeyList::TKeyList() : TCollection(TKeyData::StaticClass()) {}

TKeyData* TKeyList::AddKey(Word Key, TShiftState Shift, const TKeyboardMethod& Action, std::int8_t RequiredState,
                           std::int8_t NextState) {
  auto* Data = static_cast<TKeyData*>(Add());
  Data->Key = Key;
  Data->Shift = Shift;
  Data->Action = Action;
  Data->RequiredState = RequiredState;
  Data->NextState = NextState;
  return Data;
}

TKeyData* TKeyList::AddSimpleKey(Word Key, TShiftState Shift, const TKeyboardMethod& Action) {
  return AddKey(Key, Shift, Action, 0, 0);
}

TKeyData* TKeyList::AddAllKey(Word Key, TShiftState Shift, const TKeyboardMethod& Action) {
  return AddKey(Key, Shift, Action, -1, 0);
}

TKeyData* TKeyList::FindKeyData(Word Key, TShiftState Shift, std::int8_t State) {
  if (FLastFound != nullptr && Matches(FLastFound, Key, Shift, State)) {
    return FLastFound;
  }
  for (Integer I = Count() - 1; I >= 0; --I) {
    auto* Data = static_cast<TKeyData*>(Items(I));
    if (Matches(Data, Key, Shift, State)) {
      FLastFound = Data;
      return Data;
    }
  }
  return nullptr;
}

void TKeyList::Update(TCollectionItem* Item) {
  TCollection::Update(Item);
  FLastFound = nullptr;
}

void TKeyList::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  TCollection::Notify(Item, Action);
  // Inside an update bracket Update comes only at its end; a binding leaving must not stay cached meanwhile.
  if (Action != cnAdded && Item == FLastFound) {
    FLastFound = nullptr;
  }
}

void RegisterKeyboardInitProc(TClass ControlClass, const std::string& Name, TKeyboardInitProc InitProc) {
  (void)RegisterClassExt(ControlClass, {ParamKeyboardId, ParamKeyboardInitName, ParamKeyboardInitProc},
                         {Variant(ParamKeyboardId), Variant(Name),
                          ProcVariant(reinterpret_cast<void*>(InitProc))});  // the registration stays in the registry
}

TKeyboardInitProc GetKeyboardInitProc(TClass ControlClass, const std::string& Name) {
  TObjectParamListItem* Item =
      GetItemInherited(ControlClass, {ParamKeyboardId, ParamKeyboardInitName},
                       {Variant(ParamKeyboardId), Variant(Name)}, TCompareParams{cpIgnoreCase});
  if (Item == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<TKeyboardInitProc>(Item->GetParamByName(ParamKeyboardInitProc).AsPointer());
}

TShiftState KeysToShift() {
  TShiftState Result;
  if (KeyDown(GetKeyState(VK_SHIFT))) {
    Result.Include(ssShift);
  }
  if (KeyDown(GetKeyState(VK_CONTROL))) {
    Result.Include(ssCtrl);
  }
  if (KeyDown(GetAsyncKeyState(VK_MENU))) {
    Result.Include(ssAlt);
  }
  return Result;
}

bool ShiftIsPressed() { return KeyDown(GetAsyncKeyState(VK_SHIFT)); }

bool IsAltKeyDown() { return KeyDown(GetAsyncKeyState(VK_MENU)); }

}  // namespace Dorazori
