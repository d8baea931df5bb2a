// Registry and profile storage: single values, long buffers in both forms, registry streams, objects and their
// properties, profile sections and file associations.
#include "suitebase/Regstore.h"

#include "platform/rtl/Exceptions.h"
#include "platform/win/Profile.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/suitebase/SuiteSamples.h"

#include <numeric>
#include <vector>

using namespace Dorazori;
using namespace SuiteSamples;

class Regstore : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    SetRegistryNTFamilyForTests(std::nullopt);
    OptionsFileName = Temp / "options.ini";
  }
  void TearDown() override {
    SetRegistryNTFamilyForTests(std::nullopt);
    OptionsFileName.clear();
    SuiteFolders::TearDown();
  }
  static std::string Full(const std::string& Key) { return RegistryKey + "\\" + Key; }
  static bool KeyExists(HKEY Root, const std::string& Key) {
    HKEY H = 0;
    if (RegOpenKeyEx(Root, Key.c_str(), 0, KEY_READ, &H) != ERROR_SUCCESS) {
      return false;
    }
    (void)RegCloseKey(H);
    return true;
  }
  static std::vector<char> Pattern(std::size_t Size) {
    std::vector<char> Data(Size);
    for (std::size_t I = 0; I < Size; ++I) {
      Data[I] = static_cast<char>(I * 7 + I / 256);
    }
    return Data;
  }
};

TEST_F(Regstore, SingleValuesBelowTheSuiteKey) {
  WriteToRegistry("Editor\\Tab", Variant(4));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Full("Editor")));
  EXPECT_EQ(ReadFromRegistry("Editor\\Tab", Variant(0)).AsInteger(), 4);
  EXPECT_EQ(ReadFromRegistry("Editor\\Missing", Variant(9)).AsInteger(), 9);
  EXPECT_EQ(ReadFromRegistry("Nokey\\Missing", Variant("d")).AsString(), "d");
  WriteToRegistry("Editor\\Name", Variant("Courier"));
  WriteToRegistry("Editor\\Ratio", Variant(1.25));
  WriteToRegistry("Editor\\On", Variant(true));
  EXPECT_EQ(ReadFromRegistry("Editor\\Name", Variant("")).AsString(), "Courier");
  EXPECT_EQ(ReadFromRegistry("Editor\\Ratio", Variant(0.0)).AsDouble(), 1.25);
  EXPECT_TRUE(ReadFromRegistry("Editor\\On", Variant(false)).AsBoolean());
  EXPECT_EQ(ReadFromRegistry("Editor\\On", Variant(0)).AsInteger(), 1);  // stored as the integer 1
  EXPECT_TRUE(RegValueExists("Editor\\Tab"));
  EXPECT_FALSE(RegValueExists("Editor\\Nothing"));
  WriteToRegistry("", Variant(1));  // nothing
  try {
    WriteToRegistry("Editor\\Bad", Null());
    FAIL();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "This type isn't supported by WriteToRegistry");
  }
  try {
    (void)ReadFromRegistry("Editor\\Tab", Variant::FromPointer(varUnknown, nullptr));
    FAIL();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "This type isn't supported by WriteToRegistry($000D)");
  }
}

TEST_F(Regstore, LongBuffersAsOneValueOrChunks) {
  const std::vector<char> Data = Pattern(20000);
  WriteLongBufToRegistry("Buf\\Big", Data.data(), 20000);
  EXPECT_EQ(GetRegBufSize("Buf\\Big"), 20000);
  EXPECT_FALSE(RegValueExists("Buf\\Big__0"));

  SetRegistryNTFamilyForTests(false);
  WriteLongBufToRegistry("Buf\\Chunked", Data.data(), 20000);
  EXPECT_EQ(GetRegBufSize("Buf\\Chunked"), 36);
  EXPECT_EQ(GetRegBufSize("Buf\\Chunked__0"), 8192);
  EXPECT_EQ(GetRegBufSize("Buf\\Chunked__1"), 8192);
  EXPECT_EQ(GetRegBufSize("Buf\\Chunked__2"), 3616);
  EXPECT_EQ(GetRegBufSize("Buf\\Chunked__3"), 0);  // the key exists, the value does not
  char Header[37] = {};
  EXPECT_EQ(ReadBufFromRegistry("Buf\\Chunked", Header, 36), 36);
  EXPECT_STREQ(Header, "__Long RegKey__0000020000 0000008192");
  EXPECT_EQ(GetLongRegBufSize("Buf\\Chunked"), 20000);
  std::vector<char> Back(20000);
  EXPECT_EQ(ReadLongBufFromRegistry("Buf\\Chunked", Back.data(), 20000), 20000);
  EXPECT_EQ(Back, Data);
  EXPECT_EQ(ReadLongBufFromRegistry("Buf\\Chunked", Back.data(), 100), 100);
  // A plain value is read as it is in either form.
  EXPECT_EQ(ReadLongBufFromRegistry("Buf\\Big", Back.data(), 20000), 20000);
}

TEST_F(Regstore, LongBufferHeadersThatCannotBeTrustedEndTheRead) {
  SetRegistryNTFamilyForTests(false);
  const std::string ZeroChunk = std::string(LongRegKeyMark) + "0000000100 0000000000";
  WriteBufToRegistry("Buf\\Zero", ZeroChunk.data(), 36);
  const std::string Garbled = std::string(LongRegKeyMark) + "00000001x0 0000008192";
  WriteBufToRegistry("Buf\\Garbled", Garbled.data(), 36);
  std::vector<char> Back(100);
  EXPECT_EQ(ReadLongBufFromRegistry("Buf\\Zero", Back.data(), 100), 0);
  EXPECT_EQ(ReadLongBufFromRegistry("Buf\\Garbled", Back.data(), 100), 0);
  EXPECT_EQ(GetLongRegBufSize("Buf\\Garbled"), 0);
  TRegistryStream S("Buf\\Zero", fmOpenRead);
  EXPECT_EQ(S.Size(), 0);
}

TEST_F(Regstore, RegistryStreamsWriteBackOnlyWhatChanged) {
  {
    TRegistryStream S("Stream\\Data", fmCreate);
    S.WriteBuffer("hello", 5);
  }
  EXPECT_EQ(GetRegBufSize("Stream\\Data"), 5);
  {
    TRegistryStream S("Stream\\Data", fmOpenRead);
    EXPECT_EQ(S.Size(), 5);
    // Taken away behind the stream's back: a stream that was only read must not put it back.
    HKEY H = 0;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, Full("Stream").c_str(), 0, KEY_ALL_ACCESS, &H), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValue(H, "Data"), ERROR_SUCCESS);
    (void)RegCloseKey(H);
  }
  EXPECT_FALSE(RegValueExists("Stream\\Data"));
}

TEST_F(Regstore, DeletingAKeyTakesItsSubkeys) {
  for (const char* Sub : {"Top\\A", "Top\\B\\Deep", "Top\\C"}) {
    WriteToRegistry(std::string(Sub) + "\\V", Variant(1));
  }
  EXPECT_TRUE(DCDeleteRegKey(HKEY_CURRENT_USER, RegistryKey, "\\Top"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Full("Top")));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, RegistryKey));
  EXPECT_TRUE(DCDeleteRegKey(HKEY_CURRENT_USER, RegistryKey, "Top"));  // gone already
  EXPECT_EQ(GetNimbraRegKey("X"), "Software\\Halvex (Nimbra VCL)\\X");
}

namespace {
void FillSample(TSampleComponent& C) {
  C.FCaption = "caption";
  C.FNumber = 42;
  C.Lines()->SetText("one\r\ntwo\r\n");
  static_cast<TSampleItem*>(C.Items()->Add())->FCaption = "item";
  C.Font()->SetName("Arial");
  C.Font()->SetSize(14);
  C.Options()->FText = "nested";
  C.Options()->FMode = smFast;
  C.Options()->FFlag = true;
  C.Options()->FRatio = 0.5;
  C.Options()->FOnChange = [](TObject*) {};
}

void ExpectSample(TSampleComponent& C) {
  EXPECT_EQ(C.FNumber, 42);
  EXPECT_EQ(C.Lines()->Text(), "one\r\ntwo\r\n");
  ASSERT_EQ(C.Items()->Count(), 1);
  EXPECT_EQ(static_cast<TSampleItem*>(C.Items()->Items(0))->FCaption, "item");
  EXPECT_EQ(C.Font()->Name(), "Arial");
  EXPECT_EQ(C.Font()->Size(), 14);
  EXPECT_EQ(C.Options()->FText, "nested");
  EXPECT_EQ(C.Options()->FMode, smFast);
  EXPECT_TRUE(C.Options()->FFlag);
  EXPECT_EQ(C.Options()->FRatio, 0.5);
}
}  // namespace

TEST_F(Regstore, PropertiesAndObjectsRoundTripThroughTheRegistry) {
  TSampleComponent C;
  FillSample(C);
  WritePropsToRegistry(&C, "Props");
  EXPECT_EQ(ReadFromRegistry("Props\\Options\\Mode", Variant(0)).AsInteger(), 2);
  TSampleComponent Back;
  Back.FCaption = "kept unless stored";
  ReadPropsFromRegistry(&Back, "Props");
  ExpectSample(Back);
  EXPECT_EQ(Back.FCaption, "caption");

  TSampleComponent Obj;
  WriteObjToRegistry("Objects\\Binary", &C);
  WriteObjTextToRegistry("Objects\\Text", &C);
  ReadObjFromRegistry("Objects\\Binary", &Obj);
  ExpectSample(Obj);
  TSampleComponent Obj2;
  ReadObjTextFromRegistry("Objects\\Text", &Obj2);
  ExpectSample(Obj2);
  TSampleComponent Untouched;
  ReadObjFromRegistry("Objects\\Missing", &Untouched);
  EXPECT_EQ(Untouched.FNumber, 0);

  TStringList Lines;
  Lines.Add("kept");
  ReadStringsFromRegistry("Strings\\Missing", &Lines);
  EXPECT_EQ(Lines.Text(), "kept\r\n");
}

TEST_F(Regstore, ProfileSectionsHoldHexEntriesAndLoadWhole) {
  std::vector<char> Forty(40);
  std::iota(Forty.begin(), Forty.end(), 0);
  const std::string Text = BufferToText(Forty.data(), 40);
  ASSERT_EQ(Text.size(), 64u + 1 + 16 + 1);
  EXPECT_EQ(Text.substr(0, 8), "00010203");
  EXPECT_EQ(Text[64], '\0');
  EXPECT_EQ(Text.substr(65, 16), "2021222324252627");

  TSampleComponent C;
  FillSample(C);
  C.FCaption = std::string(20000, 'x');  // far beyond what one read of 32,767 characters holds
  SaveComponentToIniFile(&C, "Sample");
  TSampleComponent Back;
  LoadComponentFromIniFile(&Back, "Sample");
  ExpectSample(Back);
  EXPECT_TRUE(Back.FCaption == C.FCaption);

  TSampleOptions O;
  O.FText = "opts";
  SaveComponentToIniFile(&O, "Options");
  TSampleOptions O2;
  LoadComponentFromIniFile(&O2, "Options");
  EXPECT_EQ(O2.FText, "opts");
  LoadComponentFromIniFile(&O2, "NoSuchSection");
  EXPECT_EQ(O2.FText, "opts");
}

TEST_F(Regstore, TextThatIsNotHexLoadsNothing) {
  TMemoryStream S;
  EXPECT_FALSE(TextToStream("0A0G", &S));
  EXPECT_FALSE(TextToStream("0A0", &S));
  EXPECT_EQ(S.Size(), 0);
  EXPECT_TRUE(TextToStream(std::string("0a\0"
                                       "FF",
                                       5),
                           &S));
  EXPECT_EQ(S.Size(), 2);

  TSampleOptions O;
  O.FText = "mine";
  ASSERT_TRUE(WritePrivateProfileString("Broken", "zz", "", OptionsFileName.c_str()));
  LoadComponentFromIniFile(&O, "Broken");
  EXPECT_EQ(O.FText, "mine");
}

TEST_F(Regstore, FileAssociations) {
  AssociateFileExt(".sbx", "SuiteBox.Document", "/opt/suite/box", "/opt/suite/box.png", 2);
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CLASSES_ROOT);
  ASSERT_TRUE(Reg.OpenKeyReadOnly("\\.sbx"));
  EXPECT_EQ(Reg.ReadString(""), "SuiteBox.Document");
  ASSERT_TRUE(Reg.OpenKeyReadOnly("\\SuiteBox.Document\\DefaultIcon"));
  EXPECT_EQ(Reg.ReadString(""), "/opt/suite/box.png,2");
  ASSERT_TRUE(Reg.OpenKeyReadOnly("\\SuiteBox.Document\\Shell\\Open\\Command"));
  EXPECT_EQ(Reg.ReadString(""), "/opt/suite/box \"%1\"");
  Reg.CloseKey();
  UnAssociateFileExt(".sbx", "SuiteBox.Document");
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".sbx"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "SuiteBox.Document"));
}
