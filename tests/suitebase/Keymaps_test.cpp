// Key maps: exact shift matching, sequence states, the cached binding, and layouts found for ancestors.
#include "suitebase/Keymaps.h"

#include "platform/win/VirtualKeys.h"
#include "suitebase/Classparams.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

using namespace Dorazori;

namespace {
struct TActions {
  void A() {}
  void B() {}
};

class TControlA : public TObject {
  Z_CLASS(TControlA, TObject)
};
class TControlB : public TControlA {
  Z_CLASS(TControlB, TControlA)
};
void LayoutOne(TObject*) {}
void LayoutTwo(TObject*) {}
}  // namespace
Z_IMPLEMENT_CLASS(TControlA, TObject)
Z_IMPLEMENT_CLASS(TControlB, TControlA)

TEST(KeyList, FindsTheLatestExactBindingForTheState) {
  TActions Act;
  TKeyList Keys;
  EXPECT_EQ(Keys.FindKeyData('K', TShiftState{ssCtrl}, 0), nullptr);
  TKeyData* First = Keys.AddSimpleKey('K', TShiftState{ssCtrl}, TKeyboardMethod::Of<&TActions::A>(&Act));
  TKeyData* Later = Keys.AddSimpleKey('K', TShiftState{ssCtrl}, TKeyboardMethod::Of<&TActions::B>(&Act));
  TKeyData* Any = Keys.AddAllKey(VK_ESCAPE, TShiftState{}, TKeyboardMethod());
  TKeyData* Second = Keys.AddKey('B', TShiftState{}, TKeyboardMethod(), 1, 0);
  struct TCase {
    const char* Name;
    Word Key;
    TShiftState Shift;
    std::int8_t State;
    TKeyData* Expected;
  } Cases[] = {
      {"later binding wins", 'K', TShiftState{ssCtrl}, 0, Later},
      {"shift must match exactly", 'K', ssCShift, 0, nullptr},
      {"simple keys only outside a sequence", 'K', TShiftState{ssCtrl}, 1, nullptr},
      {"all-state key in state 0", VK_ESCAPE, TShiftState{}, 0, Any},
      {"all-state key in a sequence", VK_ESCAPE, TShiftState{}, 3, Any},
      {"second key of a sequence", 'B', TShiftState{}, 1, Second},
      {"sequence key outside it", 'B', TShiftState{}, 0, nullptr},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(Keys.FindKeyData(C.Key, C.Shift, C.State), C.Expected) << C.Name;
  }
  (void)First;
}

TEST(KeyList, TheCachedBindingIsTriedFirstUntilTheBindingsChange) {
  TKeyList Keys;
  TKeyData* Any = Keys.AddAllKey('X', TShiftState{}, TKeyboardMethod());
  EXPECT_EQ(Keys.FindKeyData('X', TShiftState{}, 0), Any);
  TKeyData* InState2 = Keys.AddKey('X', TShiftState{}, TKeyboardMethod(), 2, 0);
  // The addition cleared the cache, so the scan from the end finds the newer binding.
  EXPECT_EQ(Keys.FindKeyData('X', TShiftState{}, 2), InState2);
  EXPECT_EQ(Keys.FindKeyData('X', TShiftState{}, 0), Any);
  // Now cached: the all-state binding answers in state 2 too, although a binding for state 2 exists.
  EXPECT_EQ(Keys.FindKeyData('X', TShiftState{}, 2), Any);
  EXPECT_EQ(Keys.LastFound(), Any);
  Keys.Delete(InState2->Index());
  EXPECT_EQ(Keys.LastFound(), nullptr);
}

TEST(KeyList, ACachedBindingDeletedInsideAnUpdateBracketIsNotReturned) {
  TKeyList Keys;
  TKeyData* Cached = Keys.AddSimpleKey('Y', TShiftState{}, TKeyboardMethod());
  ASSERT_EQ(Keys.FindKeyData('Y', TShiftState{}, 0), Cached);
  Keys.BeginUpdate();
  Keys.Delete(Cached->Index());  // Update comes only at the bracket's end
  EXPECT_EQ(Keys.FindKeyData('Y', TShiftState{}, 0), nullptr);
  Keys.EndUpdate();
}

TEST(KeyData, AssignCopiesTheBinding) {
  TActions Act;
  TKeyList Keys;
  TKeyData* A = Keys.AddKey('Q', ssCAShift, TKeyboardMethod::Of<&TActions::A>(&Act), 3, 4);
  TKeyData* B = Keys.AddSimpleKey('Z', TShiftState{}, TKeyboardMethod());
  B->Assign(A);
  EXPECT_EQ(B->Key, 'Q');
  EXPECT_EQ(B->Shift, ssCAShift);
  EXPECT_EQ(B->RequiredState, 3);
  EXPECT_EQ(B->NextState, 4);
  EXPECT_EQ(B->Action, A->Action);
}

TEST(KeyboardLayouts, FoundForTheClassAndItsDescendantsIgnoringCase) {
  RegisterKeyboardInitProc(TControlB::StaticClass(), "Classic", &LayoutTwo);
  RegisterKeyboardInitProc(TControlA::StaticClass(), "Default", &LayoutOne);
  RegisterKeyboardInitProc(TControlA::StaticClass(), "Default", &LayoutTwo);  // a second: the first wins
  EXPECT_EQ(GetKeyboardInitProc(TControlB::StaticClass(), "DEFAULT"), &LayoutOne);
  EXPECT_EQ(GetKeyboardInitProc(TControlA::StaticClass(), "default"), &LayoutOne);
  EXPECT_EQ(GetKeyboardInitProc(TControlA::StaticClass(), "Classic"), nullptr);  // only for a descendant
  EXPECT_EQ(GetKeyboardInitProc(TControlB::StaticClass(), "Classic"), &LayoutTwo);
  EXPECT_EQ(GetKeyboardInitProc(TControlB::StaticClass(), "Missing"), nullptr);
  UnRegisterClassExt(TControlA::StaticClass());
  UnRegisterClassExt(TControlB::StaticClass());
}
