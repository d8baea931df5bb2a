// Published property access: values by name and record, copying between classes, enumeration, property
// lists of two classes, common ancestors and replaceable class data.
#include "suitebase/Propaccess.h"

#include "platform/controls/StdCtrls.h"
#include "platform/rtl/Exceptions.h"
#include "tests/suitebase/SuiteSamples.h"

#include <gtest/gtest.h>

using namespace SuiteSamples;

TEST(Propaccess, SetPropValueConvertsTextAndBooleans) {
  TSampleOptions O;
  Dorazori::SetPropValue(&O, "count", Variant("12"));
  EXPECT_EQ(O.FCount, 12);
  EXPECT_THROW(Dorazori::SetPropValue(&O, "Count", Variant("twelve")), EConvertError);
  EXPECT_EQ(O.FCount, 12);
  Dorazori::SetPropValue(&O, "Flag", Variant(true));
  EXPECT_TRUE(O.FFlag);
  EXPECT_EQ(GetOrdProp(&O, "Flag"), 1);
  Dorazori::SetPropValue(&O, "Mode", Variant(true));  // ordinal 1, not -1
  EXPECT_EQ(O.FMode, smSlow);
  Dorazori::SetPropValue(&O, "Ratio", Variant(2.5));
  Dorazori::SetPropValue(&O, "Text", Variant(7));
  EXPECT_EQ(O.FRatio, 2.5);
  EXPECT_EQ(O.FText, "7");
  // Unknown names, no instance and unhandled kinds change nothing and give unassigned.
  Dorazori::SetPropValue(&O, "Missing", Variant(1));
  Dorazori::SetPropValue(nullptr, "Count", Variant(1));
  EXPECT_TRUE(VarIsEmpty(Dorazori::GetPropValue(&O, "Missing")));
  EXPECT_TRUE(VarIsEmpty(Dorazori::GetPropValue(&O, "OnChange")));
  EXPECT_TRUE(VarIsEmpty(Dorazori::GetPropValue(&O, "Big")));
  EXPECT_EQ(Dorazori::GetPropValue(&O, "Count").AsInteger(), 12);
  EXPECT_TRUE(Dorazori::PropertyExists(&O, "RATIO"));
  EXPECT_FALSE(Dorazori::PropertyExists(nullptr, "Ratio"));
}

TEST(Propaccess, ClassPropertiesMoveObjectsNotNumbers) {
  TSampleComponent C;
  TSampleOptions Other;
  Other.FCount = 4;
  const Variant V = Dorazori::GetPropValue(&C, "Options");
  EXPECT_EQ(V.AsPointer(), C.Options());
  EXPECT_EQ(Vivaridiriz::GetClassProperty(&C, "Options"), reinterpret_cast<NativeInt>(C.Options()));
  EXPECT_EQ(Vivaridiriz::GetClassProperty(&C, "Number"), 0);
  EXPECT_EQ(Vivaridiriz::GetClassProperty(nullptr, "Number"), 0);
  Dorazori::SetPropValue(&C, "Options", Variant::FromPointer(varUnknown, &Other));
  EXPECT_EQ(C.Options()->FCount, 4);
  // A number is never taken as an address.
  EXPECT_THROW(Dorazori::SetPropValue(&C, "Options", Variant(12345)), EPropertyError);
}

TEST(Propaccess, AssignAllPropsCopiesSharedNamesButNoEvents) {
  TSampleOptions Source;
  Source.FCount = 3;
  Source.FText = "abc";
  Source.FRatio = 1.5;
  int Calls = 0;
  Source.FOnChange = [&Calls](TObject*) { ++Calls; };
  TSampleOther Dest;
  Vivaridiriz::AssignAllProps(&Source, &Dest);
  EXPECT_EQ(Dest.FCount, 3);
  EXPECT_EQ(Dest.FText, "abc");
  EXPECT_EQ(Dest.FExtra, "");
  EXPECT_FALSE(Dest.FOnChange);

  TStringList Exclude;
  Exclude.Add("TEXT");
  TSampleOther Dest2;
  Vivaridiriz::AssignAllPropsExclude(&Source, &Dest2, &Exclude);
  EXPECT_EQ(Dest2.FCount, 3);
  EXPECT_EQ(Dest2.FText, "");

  TSampleOptions Copy;
  Vivaridiriz::AssignPropsEx(&Source, &Copy, "Ratio,Text");
  EXPECT_EQ(Copy.FRatio, 1.5);
  EXPECT_EQ(Copy.FText, "abc");
  EXPECT_EQ(Copy.FCount, 0);

  Vivaridiriz::AssignAllProps(&Source, &Source);  // nothing, no failure
  EXPECT_EQ(Source.FCount, 3);
}

TEST(Propaccess, NamesAndValuesFromStrings) {
  TSampleOptions O;
  TStringList Names;
  Dorazori::PropNamesToStrings(&O, &Names);
  EXPECT_EQ(Names.CommaText(), "Count,Flag,Text,Ratio,Mode,Big,Value,OnChange");
  TStringList Values;
  Values.SetText("Count= 8 \r\nText=  \r\nMode=2\r\nOther=1\r\n");
  O.FText = "kept";
  Dorazori::AssignPropsFromStrings(&O, &Values);
  EXPECT_EQ(O.FCount, 8);
  EXPECT_EQ(O.FText, "kept");
  EXPECT_EQ(O.FMode, smFast);

  TStringList Enum;
  Enum.Add("untouched");
  Dorazori::DCGetEnumTypeValueNames(TypeInfo<int>(), &Enum);
  EXPECT_EQ(Enum.CommaText(), "untouched");
  Dorazori::DCGetEnumTypeValueNames(TypeInfo<TSampleMode>(), &Enum);
  EXPECT_EQ(Enum.CommaText(), "smOff,smSlow,smFast");
}

TEST(Propaccess, IterationSkipsUnstoredAndFiltersKinds) {
  TButton B(nullptr);
  std::vector<std::string> Seen;
  Vivaridiriz::IterateProps(&B, TTypeKinds{tkString, tkLString}, false, 7,
                            [&Seen](TPersistent*, PPropInfo Info, NativeInt UserData) {
                              EXPECT_EQ(UserData, 7);
                              Seen.push_back(Info->Name);
                            });
  EXPECT_FALSE(Seen.empty());
  for (const std::string& Name : Seen) {
    EXPECT_TRUE(PropIsType(&B, Name, tkLString) || PropIsType(&B, Name, tkString)) << Name;
  }
  int All = 0;
  int Stored = 0;
  TSampleComponent C;
  Vivaridiriz::ForEachProp(&C, false, 0, [&All](TPersistent*, PPropInfo, NativeInt) { ++All; });
  Vivaridiriz::ForEachProp(&C, true, 0, [&Stored](TPersistent*, PPropInfo, NativeInt) { ++Stored; });
  EXPECT_EQ(Stored, All - 1);  // Name is carried by the stream's header
}

TEST(Propaccess, PropInfoListsIntersectOnNameAndType) {
  TSampleOptions A;
  TSampleOther B;
  Dorazori::IDCPropInfoList LA = Dorazori::DCCreatePropInfoList(&A, tkProperties);
  Dorazori::IDCPropInfoList LB = Dorazori::DCCreatePropInfoList(&B, tkProperties);
  LA->Intersect(*LB);
  std::vector<std::string> Names;
  for (Integer I = 0; I < LA->Count(); ++I) {
    Names.push_back(LA->Items(I)->Name);
  }
  EXPECT_EQ(Names, (std::vector<std::string>{"Count", "Text"}));
  EXPECT_EQ(LA->Items(5), nullptr);
  EXPECT_TRUE(LA->IsInList(GetPropInfo(&B, "text")));
  EXPECT_FALSE(LA->IsInList(GetPropInfo(&B, "Extra")));
  LA->UpdateList(&B, tkMethods);
  ASSERT_EQ(LA->Count(), 1);
  EXPECT_EQ(LA->Items(0)->Name, "OnChange");
}

TEST(Propaccess, CommonParentsAndClassNames) {
  TButton Button(nullptr);
  TLabel Label(nullptr);
  TList List;
  List.Add(&Button);
  EXPECT_EQ(Dorazori::GetCommonClassesParent(&List), TButton::StaticClass());
  List.Add(&Label);
  EXPECT_EQ(Dorazori::GetCommonClassesParent(&List), TControl::StaticClass());
  List.Clear();
  EXPECT_EQ(Dorazori::GetCommonClassesParent(&List), nullptr);
  EXPECT_TRUE(Vivaridiriz::InheritsFromClassName(&Button, "twincontrol"));
  EXPECT_FALSE(Vivaridiriz::InheritsFromClassName(&Button, "TLabel"));
  EXPECT_FALSE(Vivaridiriz::InheritsFromClassName(nullptr, "TObject"));
  EXPECT_EQ(Vivaridiriz::GetOrdSize(otUWord), 2);
  EXPECT_EQ(Vivaridiriz::GetFloatSize(ftExtended), 10);
  EXPECT_EQ(Vivaridiriz::GetDWordSize(5), 2);
  TSampleOptions O;
  O.FText = "abc";
  EXPECT_EQ(Vivaridiriz::GetPropValueSize(&O, GetPropInfo(&O, "Text")), 3);
  EXPECT_EQ(Vivaridiriz::GetPropValueSize(&O, GetPropInfo(&O, "Value")), 16);
}

namespace {
class TNamed : public TPersistent {
  Z_CLASS(TNamed, TPersistent)
public:
  int Hits = 0;
  void Hit() { ++Hits; }
  static void Publish(TMetaClass& Meta) { TPublisher<TNamed>(Meta).Method("Hit", &TNamed::Hit); }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TNamed, TPersistent, TNamed::Publish)
}  // namespace

TEST(Propaccess, ClassNameAndMethodTableCanBeReplacedAndRestored) {
  TClass C = TNamed::StaticClass();
  const std::string Other = "TRenamed";
  Vivaridiriz::SetClassNamePtr(C, &Other);
  TNamed N;
  EXPECT_EQ(*Vivaridiriz::ClassNamePtr(C), "TRenamed");
  EXPECT_EQ(N.ClassName(), "TNamed");  // the meta class keeps its own
  Vivaridiriz::SetClassNamePtr(C, nullptr);
  EXPECT_EQ(*Vivaridiriz::ClassNamePtr(C), "TNamed");

  const TMethodTable* Own = Vivaridiriz::MethodTable(C);
  ASSERT_EQ(Own->size(), 1u);
  Vivaridiriz::CallMethod(&N, MethodAddress(C, "Hit"));
  EXPECT_EQ(N.Hits, 1);
  const TMethodTable Empty;
  Vivaridiriz::SetMethodTable(C, &Empty);
  EXPECT_EQ(MethodAddress(C, "Hit"), nullptr);
  Vivaridiriz::SetMethodTable(C, nullptr);
  EXPECT_NE(MethodAddress(C, "Hit"), nullptr);
}
