// Key maps: keystroke bindings with key-sequence states, named keyboard layouts per control class, and the
// keyboard state functions.
#pragma once

#include "platform/classes/Classes.h"
#include "suitebase/Dcmethod.h"

#include <cstdint>
#include <string>

namespace Dorazori {

inline const TShiftState ssAShift{ssShift, ssAlt};
inline const TShiftState ssCShift{ssShift, ssCtrl};
inline const TShiftState ssCAShift{ssShift, ssAlt, ssCtrl};

using TKeyboardMethod = TDCMethod<void()>;
// Fills a control's key map with a layout's bindings.
using TKeyboardInitProc = void (*)(TObject* Control);

// One binding: Key with exactly Shift, in RequiredState (-1: every state), leading to NextState (0 ends a
// sequence).
class TKeyData : public TCollectionItem {
  Z_CLASS(TKeyData, TCollectionItem)
public:
  explicit TKeyData(TCollection* ACollection) : TCollectionItem(ACollection) {}
  void Assign(TPersistent* Source) override;

  std::int8_t RequiredState = 0;
  std::int8_t NextState = 0;
  Word Key = 0;
  TShiftState Shift;
  TKeyboardMethod Action;
};

// A control's key map. The last binding found is cached until the bindings change.
class TKeyList : public TCollection {
  Z_CLASS(TKeyList, TCollection)
public:
  TKeyList();
  TKeyData* AddKey(Word Key, TShiftState Shift, const TKeyboardMethod& Action, std::int8_t RequiredState,
                   std::int8_t NextState);
  TKeyData* AddSimpleKey(Word Key, TShiftState Shift, const TKeyboardMethod& Action);  // state 0 only
  TKeyData* AddAllKey(Word Key, TShiftState Shift, const TKeyboardMethod& Action);     // every state
  // The cached binding when it matches, else the last-added match (which becomes the cache); null when none.
  TKeyData* FindKeyData(Word Key, TShiftState Shift, std::int8_t State);
  TKeyData* LastFound() const { return FLastFound; }

protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
  TKeyData* FLastFound = nullptr;
};

void RegisterKeyboardInitProc(TClass ControlClass, const std::string& Name, TKeyboardInitProc InitProc);
// The first layout named Name (case ignored) registered for ControlClass or an ancestor; null when none.
TKeyboardInitProc GetKeyboardInitProc(TClass ControlClass, const std::string& Name);

TShiftState KeysToShift();
bool ShiftIsPressed();
bool IsAltKeyDown();

}  // namespace Dorazori
