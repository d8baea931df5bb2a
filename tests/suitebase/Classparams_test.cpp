// The class parameter registry: matching by class relationship and parameter values, verbs, and walking
// registrations while deleting them.
#include "suitebase/Classparams.h"

#include "suitebase/Notifiers.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

using namespace Dorazori;

namespace {
class TBase : public TObject {
  Z_CLASS(TBase, TObject)
};
class TDerived : public TBase {
  Z_CLASS(TDerived, TBase)
};
class TOther : public TObject {
  Z_CLASS(TOther, TObject)
};
}  // namespace
Z_IMPLEMENT_CLASS(TBase, TObject)
Z_IMPLEMENT_CLASS(TDerived, TBase)
Z_IMPLEMENT_CLASS(TOther, TObject)

class ClassParams : public ::testing::Test {
protected:
  void TearDown() override {
    for (TClass C :
         {TBase::StaticClass(), TDerived::StaticClass(), TOther::StaticClass(), TVerbObject::StaticClass()}) {
      UnRegisterClassExt(C);
    }
  }
};

TEST_F(ClassParams, LookupsMatchByClassRelationshipAndValues) {
  TObjectParamListItem* Base = RegisterClassExt(TBase::StaticClass(), {"Lang", "Extra"}, {"Pascal", 1});
  TObjectParamListItem* Derived = RegisterClassExt(TDerived::StaticClass(), {"Lang"}, {"pas"});
  struct TCase {
    const char* Name;
    TObjectParamListItem* Found;
    TObjectParamListItem* Expected;
  } Cases[] = {
      {"fewer names still match", GetItemEx(TBase::StaticClass(), {"Lang"}, {"Pascal"}), Base},
      {"no names: earliest suitable", GetItemEx(TBase::StaticClass(), {}, {}), Base},
      {"descendants only", GetItemEx(TDerived::StaticClass(), {}, {}), Derived},
      {"ancestors apply to descendants", GetItemInherited(TDerived::StaticClass(), {"Extra"}, {1}), Base},
      {"exact class", GetItemEqual(TDerived::StaticClass(), {}, {}), Derived},
      {"case matters by default", GetItemEx(TBase::StaticClass(), {"Lang"}, {"PASCAL"}), nullptr},
      {"case ignored", GetItemEx(TBase::StaticClass(), {"lang"}, {"PASCAL"}, TCompareParams{cpIgnoreCase}), Base},
      {"partial: pas in pascal",
       GetItemEx(TBase::StaticClass(), {"Lang"}, {"pas"}, TCompareParams{cpIgnoreCase, cpPartialCompare}), Base},
      {"partial: pascal holds pas",
       GetItemEx(TDerived::StaticClass(), {"Lang"}, {"pascal"}, TCompareParams{cpPartialCompare}), Derived},
      {"partial: empty matches nothing",
       GetItemEx(TBase::StaticClass(), {"Lang"}, {""}, TCompareParams{cpPartialCompare}), nullptr},
      {"types differ", GetItemEx(TBase::StaticClass(), {"Extra"}, {"1"}), nullptr},
      {"missing is Null", GetItemEx(TBase::StaticClass(), {"Missing"}, {Null()}), Base},
      {"unrelated class", GetItemEx(TOther::StaticClass(), {}, {}), nullptr},
      {"parent walk", GetItemExParent(TDerived::StaticClass(), TBase::StaticClass(), {"Extra"}, {1}), Base},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(C.Found, C.Expected) << C.Name;
  }
  EXPECT_TRUE(ParamValuesEqual("", "", {}));
  TList Classes;
  GetRegisteredClasses(TBase::StaticClass(), &Classes);
  EXPECT_EQ(Classes.Count(), 2);
}

TEST_F(ClassParams, ShortNamesRegisterNothingAndUnregisterTakesEveryRegistration) {
  const Integer Before = ObjectParamList()->Count();
  try {
    (void)RegisterClassExt(TBase::StaticClass(), {"A"}, {1, 2});
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), SParamsMismatch);
  }
  EXPECT_EQ(ObjectParamList()->Count(), Before);
  for (int I = 0; I < 3; ++I) {
    (void)RegisterClassExt(TOther::StaticClass(), {}, {});
  }
  UnRegisterClassExt(TOther::StaticClass());
  EXPECT_EQ(ObjectParamList()->ItemByDataPtr(TOther::StaticClass()), nullptr);
}

TEST_F(ClassParams, ForEveryClassWalksBackwardsAndMayDeleteWhileItWalks) {
  for (int I = 0; I < 4; ++I) {
    (void)RegisterClassExt(TBase::StaticClass(), {"N"}, {I});
  }
  std::vector<int> Seen;
  const Variant Last = ObjectParamList()->ForEveryClass(
      TBase::StaticClass(), {}, [&](TObjectParamListItem* Item, const std::vector<Variant>&, bool& Finish) {
        Seen.push_back(Item->GetParamByName("N").AsInteger());
        delete Item;  // deleting the current registration
        Finish = Seen.size() == 3;
        return Variant(static_cast<int>(Seen.size()));
      });
  EXPECT_EQ(Seen, (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(Last.AsInteger(), 3);
  EXPECT_NE(GetItemEx(TBase::StaticClass(), {"N"}, {0}), nullptr);
}

namespace {
int Executed = 0;
void ExecuteCopy() { ++Executed; }
void CopyState(TVerbStates& State) { State.Include(vsEnabled); }
}  // namespace

TEST_F(ClassParams, VerbsAreFoundIgnoringCase) {
  RegisterVerbArray({{"Copy", &CopyState, &ExecuteCopy}, {"Paste", nullptr, nullptr}});
  TVerbGetStateProc GetState = nullptr;
  TVerbExecuteProc Execute = nullptr;
  ASSERT_NE(GetVerbProcAddr("COPY", GetState, Execute), nullptr);
  EXPECT_EQ(GetState, &CopyState);
  EXPECT_EQ(Execute, &ExecuteCopy);
  CallVerbByName("copy");
  EXPECT_EQ(Executed, 1);
  EXPECT_NE(GetVerbProcAddr("Paste", GetState, Execute), nullptr);
  CallVerbByName("Paste");  // no execute procedure: nothing
  EXPECT_EQ(Executed, 1);
  EXPECT_EQ(GetVerbProcAddr("Cut", GetState, Execute), nullptr);
}
