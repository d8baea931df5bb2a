// The editor's key table: bindings of a key and shift state (and optionally a pending prefix state) to a
// handler and a one-byte command code, the lookup with its prefix-state machine, and the five built-in schemes.
#pragma once

#include "editor/Easyclasses.h"
#include "platform/classes/Classes.h"

#include <cstdint>
#include <functional>

class TCustomEasyEdit;

// A keyboard handler: called with the command code of the binding.
using TEasyKeyboardMethod = std::function<void(Byte Cmd)>;

// The shift set as the number the key table sorts by.
inline int ShiftToInt(TShiftState Shift) { return static_cast<int>(Shift.ToMask()); }

// One binding. A binding without Proc is a pure prefix key: it only changes the key state.
class TEasyKeyData : public TObject {
  Z_CLASS(TEasyKeyData, TObject)
public:
  Word Key = 0;
  TShiftState Shift;
  std::int8_t State = 0;     // -1: in every key state
  std::int8_t NewState = 0;  // the key state after the key
  TEasyKeyboardMethod Proc;
  Byte Cmd = 0;
};

// The bindings of one editor, sorted by key, shift and state (any-state entries first); owns its entries: an
// entry is freed whenever the list drops it (Delete, Clear, destruction). At most one entry exists per
// (Key, Shift, State).
class TEasyKeyList : public TEasySortedList {
  Z_CLASS(TEasyKeyList, TEasySortedList)
public:
  TEasyKeyList();
  ~TEasyKeyList() override;
  TEasyKeyList(const TEasyKeyList&) = delete;
  TEasyKeyList& operator=(const TEasyKeyList&) = delete;

  TEasyKeyData* Entry(int Index) const { return static_cast<TEasyKeyData*>(Get(Index)); }
  // Adds a binding; one with the same key, shift and state is replaced (and freed).
  TEasyKeyData* RegisterKey(Word Key, TShiftState Shift, const TEasyKeyboardMethod& Proc, Byte Cmd, int State,
                            int NewState);
  // Bound in every key state; ends a pending prefix.
  TEasyKeyData* RegisterAllKey(Word Key, TShiftState Shift, const TEasyKeyboardMethod& Proc, Byte Cmd) {
    return RegisterKey(Key, Shift, Proc, Cmd, -1, 0);
  }
  // Bound only while no prefix is pending.
  TEasyKeyData* RegisterSimpleKey(Word Key, TShiftState Shift, const TEasyKeyboardMethod& Proc, Byte Cmd) {
    return RegisterKey(Key, Shift, Proc, Cmd, 0, 0);
  }
  // The binding that applies to the key in the key state: the last matching entry, so an exact-state binding
  // beats an any-state one. -1 when none applies.
  int FindKeyIndex(Word Key, TShiftState Shift, int State);
  TEasyKeyData* FindKeyData(Word Key, TShiftState Shift, int State);
  // Removes the entries of the key and shift whose state is -1 or State.
  void UnregisterKey(Word Key, TShiftState Shift, int State);
  // Frees every entry.
  void ClearEntries();

protected:
  int Compare(void* Item1, void* Item2) override;
  void Notify(Pointer Ptr, TListNotification Action) override;
};

// The scheme initialisers: each empties the editor's key table and registers its scheme.
void InitializeDefaultKeys(TCustomEasyEdit* Edit);
void InitializeClassicKeys(TCustomEasyEdit* Edit);
void InitializeBriefKeys(TCustomEasyEdit* Edit);
void InitializeEpsilonKeys(TCustomEasyEdit* Edit);
void InitializeVStudioKeys(TCustomEasyEdit* Edit);
