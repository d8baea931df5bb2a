// Object and property streaming: the holder for non-components, property subsets byte for byte, records read
// by their count, stream recognition and raw values.
#include "suitebase/Objstreams.h"

#include "platform/rtl/Exceptions.h"
#include "tests/suitebase/SuiteSamples.h"

#include <gtest/gtest.h>

using namespace SuiteSamples;

namespace {
std::string Bytes(TMemoryStream& S) { return std::string(static_cast<const char*>(S.Memory()), S.Size()); }

// A component root with only the given published values: what the class library's writer gives for it.
std::string HandWrittenRoot(const std::string& ClassName, const std::string& Name, const std::string& Props) {
  std::string S = "TPF0";
  S += static_cast<char>(ClassName.size()) + ClassName;
  S += static_cast<char>(Name.size()) + Name;
  S += Props;
  S += std::string(2, '\0');  // end of properties, end of (no) children
  return S;
}
}  // namespace

TEST(Objstreams, CollectionGoesThroughOneHolderAndReadsBack) {
  TOwnedCollection Items(nullptr, TSampleItem::StaticClass());
  static_cast<TSampleItem*>(Items.Add())->FCaption = "first";
  static_cast<TSampleItem*>(Items.Add())->FWidth = 40;
  TStringStream Text("");
  Vivaridiriz::WriteObjToTextStream(&Text, &Items);
  const std::string T = Text.DataString();
  EXPECT_EQ(T.find("object TPersHolder"), 0u) << T;
  EXPECT_NE(T.find("P = <"), std::string::npos) << T;
  EXPECT_NE(T.find("Caption = 'first'"), std::string::npos) << T;

  TOwnedCollection Copy(nullptr, TSampleItem::StaticClass());
  Text.SetPosition(0);
  Vivaridiriz::ReadObjFromTextStream(&Text, &Copy);
  ASSERT_EQ(Copy.Count(), 2);
  EXPECT_EQ(static_cast<TSampleItem*>(Copy.Items(0))->FCaption, "first");
  EXPECT_EQ(static_cast<TSampleItem*>(Copy.Items(1))->FWidth, 40);
}

TEST(Objstreams, ComponentsAndOptionsRoundTripThroughFiles) {
  TSampleComponent C;
  C.SetName("Sample");
  C.FCaption = "hello";
  C.Lines()->Add("one");
  C.Options()->FCount = 9;
  TSampleOptions O;
  O.FText = "opts";
  O.FMode = smFast;
  const std::string Dir = testing::TempDir();
  Vivaridiriz::WriteObjToFile(&C, Dir + "/sb_comp.bin");
  Vivaridiriz::WriteObjToTextFile(&O, Dir + "/sb_opts.txt");
  TSampleComponent C2;
  TSampleOptions O2;
  Vivaridiriz::ReadObjFromFile(&C2, Dir + "/sb_comp.bin");
  Vivaridiriz::ReadObjFromTextFile(&O2, Dir + "/sb_opts.txt");
  EXPECT_EQ(C2.FCaption, "hello");
  EXPECT_EQ(C2.Lines()->Text(), "one\r\n");
  EXPECT_EQ(C2.Options()->FCount, 9);
  EXPECT_EQ(O2.FText, "opts");
  EXPECT_EQ(O2.FMode, smFast);
}

TEST(Objstreams, PropertySubsetsAreTheBytesOfTheSelectedProperties) {
  TSampleComponent C;
  C.SetName("Box");
  C.FCaption = "cap";
  C.FNumber = 5;
  C.SetDesignInfo(0x00200010);  // the component's own custom properties (Left, Top) are left out
  TMemoryStream None;
  Dorazori::WritePropsToStream(&None, &C, {});
  const std::string Body = HandWrittenRoot("TSampleComponent", "Box", "");
  ASSERT_EQ(Body.size(), 0x1Bu);
  EXPECT_EQ(Bytes(None), std::string("\x1B\0\0\0", 4) + Body);

  TMemoryStream Some;
  Dorazori::WritePropsToStream(&Some, &C, {"number", "NoSuchProperty"});
  const std::string Props = std::string("\x06Number\x02\x05", 9);
  const std::string Body2 = HandWrittenRoot("TSampleComponent", "Box", Props);
  EXPECT_EQ(Bytes(Some).substr(4), Body2);
  EXPECT_EQ(GetPropInfo(&C, "Caption")->HasGetter, true);  // nothing withheld from the class afterwards

  // Nested objects keep their own custom properties: the string list's lines are written.
  C.Lines()->Add("kept");
  TMemoryStream Nested;
  Dorazori::WritePropsToStream(&Nested, &C, {"Lines"});
  EXPECT_NE(Bytes(Nested).find("Lines.Strings"), std::string::npos);

  TMemoryStream Nothing;
  Dorazori::WritePropsToStream(&Nothing, nullptr, {"Number"});
  EXPECT_EQ(Nothing.Size(), 0);
}

TEST(Objstreams, RecordsAreReadByTheirCount) {
  TSampleComponent A;
  A.SetName("A");
  A.FNumber = 7;
  A.FCaption = "x";
  TMemoryStream First;
  Dorazori::WritePropsToStream(&First, &A, {"Number"});
  // A record whose count covers bytes after the component (a newer writer's extra data) is read whole.
  std::string Padded = Bytes(First) + "pad";
  Padded[0] = static_cast<char>(Padded[0] + 3);
  TMemoryStream S;
  S.WriteBuffer(Padded.data(), static_cast<LongInt>(Padded.size()));
  A.FNumber = 8;
  Dorazori::WritePropsToStream(&S, &A, {"Caption", "Number"});
  S.SetPosition(0);
  TSampleComponent B;
  B.SetName("A");
  B.FCaption = "keep";
  Dorazori::ReadPropsFromStream(&S, &B);
  EXPECT_EQ(B.FNumber, 7);
  EXPECT_EQ(B.FCaption, "keep");
  Dorazori::ReadPropsFromStream(&S, &B);
  EXPECT_EQ(B.FNumber, 8);
  EXPECT_EQ(B.FCaption, "x");
  EXPECT_EQ(S.Position(), S.Size());

  TMemoryStream Short;
  Dorazori::WriteInt(&Short, 1000);
  Dorazori::WriteInt(&Short, 0);
  Short.SetPosition(0);
  EXPECT_THROW(Dorazori::ReadPropsFromStream(&Short, &B), EReadError);
}

TEST(Objstreams, ClassFromStreamKeepsThePosition) {
  TSampleComponent C;
  TMemoryStream Plain;
  Dorazori::WriteInt(&Plain, 0);  // something in front
  Plain.WriteComponent(&C);
  Plain.SetPosition(4);
  EXPECT_EQ(Dorazori::GetClassFromStream(&Plain), TSampleComponent::StaticClass());
  EXPECT_EQ(Plain.Position(), 4);
  EXPECT_FALSE(Dorazori::SmartSkipResHeader(&Plain, false));
  EXPECT_EQ(Plain.Position(), 4);

  TMemoryStream Res;
  Res.WriteComponentRes("SAMPLE", &C);
  Res.SetPosition(0);
  EXPECT_EQ(Dorazori::GetClassFromStream(&Res), TSampleComponent::StaticClass());
  EXPECT_EQ(Res.Position(), 0);
  EXPECT_TRUE(Dorazori::SmartSkipResHeader(&Res, true));
  EXPECT_EQ(Res.Position(), 0);
  EXPECT_TRUE(Dorazori::SmartSkipResHeader(&Res, false));
  EXPECT_EQ(Res.Position(), 16);  // 0xFF, type, "SAMPLE" and its zero, flags, size

  TStringStream Bad("TPFX....");
  EXPECT_THROW((void)Dorazori::GetClassFromStream(&Bad), EReadError);
  EXPECT_EQ(Bad.Position(), 0);
  TMemoryStream Unknown;
  Unknown.WriteBuffer("TPF0\x08TUnknown\x00\x00\x00", 16);
  Unknown.SetPosition(0);
  EXPECT_EQ(Dorazori::GetClassFromStream(&Unknown), nullptr);
}

TEST(Objstreams, RawValues) {
  TMemoryStream S;
  Dorazori::WriteShortStr(&S, std::string(300, 'a'));
  EXPECT_EQ(S.Size(), 256);
  Dorazori::DCWriteStrWithLenToStream(&S, "hello");
  Dorazori::WriteWord(&S, 0x0102);
  S.SetPosition(256);
  EXPECT_EQ(Dorazori::DCReadStrWithLenFromStream(&S), "hello");
  EXPECT_EQ(Bytes(S).substr(265), std::string("\x02\x01", 2));
  const std::string Mem = std::string(
      "\x03"
      "abcrest");
  const char* P = Mem.data();
  std::string Out;
  Dorazori::PReadShortStr(P, Out);
  EXPECT_EQ(Out, "abc");
  EXPECT_EQ(P, Mem.data() + 4);

  TMemoryStream Huge;
  Dorazori::WriteInt(&Huge, 0x7FFFFFFF);
  Huge.SetPosition(0);
  EXPECT_THROW((void)Dorazori::DCReadStrWithLenFromStream(&Huge), EReadError);
}
