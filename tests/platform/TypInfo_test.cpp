// Tests of published-property reflection and of the class registry.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Classes.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {
enum TMode { mdOne, mdTwo, mdThree };
}
Z_ENUM_TYPEINFO(TMode, "mdOne", "mdTwo", "mdThree")

namespace {
using TModes = TSet<TMode, mdThree>;

class TThing : public TPersistent {
  Z_CLASS(TThing, TPersistent)
public:
  int FCount = 5;
  TMode FMode = mdTwo;
  bool FFlag = false;
  char FLetter = 'a';
  double FRatio = 0;
  Int64 FBig = 0;
  std::string FText;
  TModes FModes;
  TThing* FChild = nullptr;
  TNotifyEvent FOnChange;
  Variant FValue;
  int FHits = 0;
  bool FKeepText = true;

  const std::string& GetText() const { return FText; }
  void SetText(const std::string& Value) { FText = Value + "!"; }
  int GetTwice() const { return FCount * 2; }
  bool IsTextStored() const { return FKeepText; }
  void Changed(TObject* Sender) { FHits += Sender == this ? 1 : 100; }
  void Wrong(int) {}

  static void Publish(TMetaClass& Meta) {
    TPublisher<TThing> P(Meta);
    P.Property("Count", &TThing::FCount, &TThing::FCount).Default(5);
    P.Property("Mode", &TThing::FMode, &TThing::FMode).Default(mdTwo);
    P.Property("Flag", &TThing::FFlag, &TThing::FFlag).Default(false);
    P.Property("Letter", &TThing::FLetter, &TThing::FLetter);
    P.Property("Ratio", &TThing::FRatio, &TThing::FRatio);
    P.Property("Big", &TThing::FBig, &TThing::FBig);
    P.Property("Text", &TThing::GetText, &TThing::SetText).Stored(&TThing::IsTextStored);
    P.Property("Modes", &TThing::FModes, &TThing::FModes);
    P.Property("Child", &TThing::FChild, &TThing::FChild);
    P.Property("OnChange", &TThing::FOnChange, &TThing::FOnChange);
    P.Property("Value", &TThing::FValue, &TThing::FValue);
    P.Property("Twice", &TThing::GetTwice, nullptr).Stored(false);
    P.Method("Changed", &TThing::Changed);
    P.Method("Wrong", &TThing::Wrong);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TThing, TPersistent, TThing::Publish)

class TMoreThing : public TThing {
  Z_CLASS(TMoreThing, TThing)
public:
  std::string FExtra;
  TThing* FSlot = nullptr;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TMoreThing> P(Meta);
    P.Property("Extra", &TMoreThing::FExtra, &TMoreThing::FExtra);
    P.Property("Count", &TMoreThing::FCount, &TMoreThing::FCount).Default(9);  // published again
    P.Field("Slot", &TMoreThing::FSlot);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TMoreThing, TThing, TMoreThing::Publish)

std::vector<std::string> Names(const TPropList& List) {
  std::vector<std::string> Result;
  for (PPropInfo P : List) {
    Result.push_back(P->Name);
  }
  return Result;
}

TEST(TypInfoTest, PropertyListsKeepDeclarationOrderWithInheritedFirst) {
  TMoreThing T;
  EXPECT_EQ(Names(GetPropList(&T)),
            (std::vector<std::string>{"Count", "Mode", "Flag", "Letter", "Ratio", "Big", "Text", "Modes", "Child",
                                      "OnChange", "Value", "Twice", "Extra"}));
  // The descendant's Count replaced its ancestor's in place.
  EXPECT_EQ(GetPropInfo(&T, "count")->Default, 9);
  EXPECT_EQ(GetPropInfo(TThing::StaticClass(), "COUNT")->Default, 5);

  TPropList Sorted;
  EXPECT_EQ(GetPropList(TMoreThing::StaticClass(), TTypeKinds{tkLString, tkMethod}, Sorted), 3);
  EXPECT_EQ(Names(Sorted), (std::vector<std::string>{"Extra", "OnChange", "Text"}));
  EXPECT_EQ(GetPropInfo(&T, "Text", TTypeKinds{tkInteger}), nullptr);
  EXPECT_EQ(GetPropInfo(&T, "Nope"), nullptr);
  EXPECT_FALSE(IsPublishedProp(&T, "Nope"));
  EXPECT_EQ(PropType(&T, "Modes"), tkSet);
}

TEST(TypInfoTest, KindsAndTypeRecords) {
  TThing T;
  struct TCase {
    const char* Name;
    TTypeKind Kind;
  } Cases[] = {{"Count", tkInteger}, {"Mode", tkEnumeration}, {"Flag", tkEnumeration}, {"Letter", tkChar},
               {"Ratio", tkFloat},   {"Big", tkInt64},        {"Text", tkLString},      {"Modes", tkSet},
               {"Child", tkClass},   {"OnChange", tkMethod},  {"Value", tkVariant}};
  for (const auto& C : Cases) {
    EXPECT_EQ(PropType(&T, C.Name), C.Kind) << C.Name;
  }
  PPropInfo Modes = GetPropInfo(&T, "Modes");
  EXPECT_EQ(Modes->PropType->CompType, TypeInfo<TMode>());
  EXPECT_EQ(GetPropInfo(&T, "Child")->PropType->ClassType, TThing::StaticClass());
  EXPECT_EQ(TypeInfo<bool>()->NameList, (std::vector<std::string>{"False", "True"}));
}

TEST(TypInfoTest, ReadsAndWritesEveryKindByName) {
  TThing T;
  TThing Other;
  SetOrdProp(&T, "Count", 42);
  SetEnumProp(&T, "Mode", "MDTHREE");
  SetOrdProp(&T, "Flag", 1);
  SetOrdProp(&T, "Letter", 'z');
  SetFloatProp(&T, "Ratio", 2.5);
  SetInt64Prop(&T, "Big", Int64(1) << 40);
  SetStrProp(&T, "Text", "hi");
  SetSetProp(&T, "Modes", "[ mdOne , mdThree ]");
  SetObjectProp(&T, "Child", &Other);
  SetVariantProp(&T, "Value", Variant("v"));

  EXPECT_EQ(T.FCount, 42);
  EXPECT_EQ(GetOrdProp(&T, "Count"), 42);
  EXPECT_EQ(GetEnumProp(&T, "Mode"), "mdThree");
  EXPECT_TRUE(T.FFlag);
  EXPECT_EQ(GetOrdProp(&T, "Letter"), 'z');
  EXPECT_EQ(GetFloatProp(&T, "Ratio"), 2.5);
  EXPECT_EQ(GetInt64Prop(&T, "Big"), Int64(1) << 40);
  EXPECT_EQ(GetStrProp(&T, "Text"), "hi!");  // through the setter
  EXPECT_EQ(GetSetProp(&T, "Modes"), "mdOne,mdThree");
  EXPECT_EQ(GetSetProp(&T, "Modes", true), "[mdOne,mdThree]");
  EXPECT_EQ(GetOrdProp(&T, "Modes"), 0b101);
  EXPECT_EQ(GetObjectProp(&T, "Child"), &Other);
  EXPECT_EQ(GetObjectProp(&T, "Child", TComponent::StaticClass()), nullptr);
  EXPECT_EQ(VarToStr(GetVariantProp(&T, "Value")), "v");
  EXPECT_EQ(GetOrdProp(&T, "Twice"), 84);
  EXPECT_EQ(VarToStr(GetPropValue(&T, "Mode")), "mdThree");
  SetPropValue(&T, "Count", Variant("17"));
  SetPropValue(&T, "Modes", Variant("[mdTwo]"));
  EXPECT_EQ(T.FCount, 17);
  EXPECT_EQ(T.FModes, TModes{mdTwo});
}

TEST(TypInfoTest, MisuseRaisesPropertyErrorsWithTheLibraryTexts) {
  TThing T;
  TStringList NotAThing;
  struct TCase {
    const char* Label;
    std::function<void()> Action;
    const char* Message;
  } Cases[] = {
      {"unknown", [&] { GetOrdProp(&T, "Nope"); }, "Property Nope does not exist"},
      {"wrong kind", [&] { GetStrProp(&T, "Count"); }, "Invalid property type: Integer"},
      {"read-only", [&] { SetOrdProp(&T, "Twice", 3); }, "Property is read-only"},
      {"wrong class", [&] { SetObjectProp(&T, "Child", &NotAThing); }, "Invalid property value"},
      {"bad element", [&] { SetSetProp(&T, "Modes", "[mdOne,mdNine]"); }, "Invalid property element: mdNine"},
      {"bad enum", [&] { SetEnumProp(&T, "Mode", "mdNine"); }, "Invalid property element: mdNine"},
  };
  for (const auto& C : Cases) {
    try {
      C.Action();
      ADD_FAILURE() << C.Label << ": no exception";
    } catch (const EPropertyError& E) {
      EXPECT_EQ(E.Message(), C.Message) << C.Label;
    }
  }
}

TEST(TypInfoTest, AnOrdinalOutsideAnEnumerationLeavesTheValue) {
  TThing T;
  SetOrdProp(&T, "Mode", 2);
  for (const Int64 Ordinal : {Int64(3), Int64(-1), Int64(327681)}) {
    SetOrdProp(&T, "Mode", Ordinal);
    EXPECT_EQ(T.FMode, mdThree) << Ordinal;
  }
  SetOrdProp(&T, "Mode", 0);
  EXPECT_EQ(T.FMode, mdOne);
}

TEST(TypInfoTest, EnumerationNamesAndValues) {
  PTypeInfo Mode = TypeInfo<TMode>();
  EXPECT_EQ(GetEnumName(Mode, 1), "mdTwo");
  EXPECT_EQ(GetEnumName(Mode, 3), "");
  EXPECT_EQ(GetEnumValue(Mode, "MdThree"), 2);
  EXPECT_EQ(GetEnumValue(Mode, "mdFour"), -1);
  EXPECT_EQ(GetEnumName(TypeInfo<int>(), -7), "-7");
  EXPECT_EQ(SetToString(TypeInfo<TModes>(), 0, true), "[]");
  EXPECT_EQ(StringToSet(TypeInfo<TModes>(), "[]"), 0);
}

TEST(TypInfoTest, StoredRules) {
  TThing T;
  EXPECT_TRUE(IsStoredProp(&T, "Text"));
  T.FKeepText = false;
  EXPECT_FALSE(IsStoredProp(&T, "Text"));
  EXPECT_FALSE(IsStoredProp(&T, "Twice"));
  EXPECT_TRUE(IsStoredProp(&T, "Count"));
}

TEST(TypInfoTest, EventsBindToPublishedMethodsAndKeepTheirName) {
  TThing Handler;
  TThing Source;
  const TMethodEntry* Code = MethodAddress(TThing::StaticClass(), "changed");
  ASSERT_NE(Code, nullptr);
  EXPECT_EQ(MethodName(TMoreThing::StaticClass(), Code), "Changed");
  EXPECT_EQ(MethodAddress(TThing::StaticClass(), "Missing"), nullptr);

  SetMethodProp(&Source, "OnChange", TMethod{Code, &Handler});
  Source.FOnChange(&Handler);
  EXPECT_EQ(Handler.FHits, 1);
  TMethod M = GetMethodProp(&Source, "OnChange");
  EXPECT_EQ(M.Code, Code);
  EXPECT_EQ(M.Data, &Handler);

  // A plain callable works but has no name; clearing empties the event.
  Source.FOnChange = [](TObject*) {};
  EXPECT_EQ(GetMethodProp(&Source, "OnChange"), TMethod{});
  SetMethodProp(&Source, "OnChange", TMethod{});
  EXPECT_FALSE(static_cast<bool>(Source.FOnChange));

  // A method whose parameters differ from the event's is refused.
  EXPECT_THROW(SetMethodProp(&Source, "OnChange", TMethod{MethodAddress(TThing::StaticClass(), "Wrong"), &Handler}),
               EPropertyError);
  // So is an object of another class than the method's.
  TStringList Stranger;
  EXPECT_THROW(SetMethodProp(&Source, "OnChange", TMethod{Code, &Stranger}), EPropertyError);
}

TEST(TypInfoTest, PublishedFieldsAreFoundByName) {
  TMoreThing T;
  TThing Slot;
  const TFieldEntry* F = FieldAddress(TMoreThing::StaticClass(), "SLOT");
  ASSERT_NE(F, nullptr);
  EXPECT_TRUE(F->Set(&T, &Slot));
  EXPECT_EQ(T.FSlot, &Slot);
  TStringList Wrong;
  EXPECT_FALSE(F->Set(&T, &Wrong));
  EXPECT_EQ(T.FSlot, &Slot);
  EXPECT_EQ(GetFieldClass(TMoreThing::StaticClass(), "tthing"), TThing::StaticClass());
  EXPECT_EQ(FieldAddress(TThing::StaticClass(), "Slot"), nullptr);
}

// ---- class registry ----

class TRegA : public TThing {
  Z_CLASS(TRegA, TThing)
};
Z_IMPLEMENT_CLASS(TRegA, TThing)
class TRegB : public TPersistent {
  Z_CLASS(TRegB, TPersistent)
};
Z_IMPLEMENT_CLASS(TRegB, TPersistent)

TEST(ClassRegistryTest, RegisterFindAliasAndUnregister) {
  EXPECT_EQ(GetClass("TRegA"), nullptr);
  try {
    FindClass("TRegA");
    ADD_FAILURE();
  } catch (const EClassNotFound& E) {
    EXPECT_EQ(E.Message(), "Class TRegA not found");
  }
  RegisterClass(TRegA::StaticClass());
  RegisterClass(TRegA::StaticClass());  // again: nothing happens
  EXPECT_EQ(FindClass("tREGa"), TRegA::StaticClass());
  EXPECT_EQ(GetClass("TThing"), TThing::StaticClass());  // ancestors come along
  EXPECT_EQ(GetClass("TPersistent"), nullptr);

  RegisterClassAlias(TRegA::StaticClass(), "TOldRegA");
  EXPECT_EQ(GetClass("TOldRegA"), TRegA::StaticClass());
  try {
    RegisterClassAlias(TRegB::StaticClass(), "TOldRegA");
    ADD_FAILURE();
  } catch (const EFilerError& E) {
    EXPECT_EQ(E.Message(), "A class named TOldRegA already exists");
  }
  UnRegisterClasses({TRegA::StaticClass(), TThing::StaticClass()});
  EXPECT_EQ(GetClass("TRegA"), nullptr);
  EXPECT_EQ(GetClass("TOldRegA"), nullptr);
}

TEST(ClassRegistryTest, IsSafeFromManyThreads) {
  std::atomic<int> Misses{0};
  std::vector<std::thread> Threads;
  for (int I = 0; I < 4; ++I) {
    Threads.emplace_back([&] {
      for (int N = 0; N < 2000; ++N) {
        RegisterClass(TRegB::StaticClass());
        if (GetClass("TRegB") != TRegB::StaticClass()) {
          ++Misses;
        }
      }
    });
  }
  for (auto& T : Threads) {
    T.join();
  }
  EXPECT_EQ(Misses, 0);
  UnRegisterClass(TRegB::StaticClass());
}

TEST(ClassRegistryTest, IntegerConstantsMapBothWays) {
  static const TIdentMapEntry Map[] = {{0xFF, "clRed"}, {0, "clBlack"}};
  static const TTypeInfo ColorType = MakeOrdTypeInfo(tkInteger, "TColor", otSLong, INT32_MIN, INT32_MAX);
  RegisterIntegerConsts(
      &ColorType, [](const std::string& S, int& V) { return IdentToInt(S, V, Map, 2); },
      [](int V, std::string& S) { return IntToIdent(V, S, Map, 2); });
  int V = 0;
  ASSERT_NE(FindIdentToInt(&ColorType), nullptr);
  EXPECT_TRUE(FindIdentToInt(&ColorType)("CLRED", V));
  EXPECT_EQ(V, 0xFF);
  std::string S;
  EXPECT_TRUE(FindIntToIdent(&ColorType)(0, S));
  EXPECT_EQ(S, "clBlack");
  EXPECT_FALSE(FindIntToIdent(&ColorType)(5, S));
  UnregisterIntegerConsts(&ColorType);
  EXPECT_EQ(FindIdentToInt(&ColorType), nullptr);
}
}  // namespace
