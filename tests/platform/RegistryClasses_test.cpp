// TRegistry and TRegIniFile over the registry store: typed values, paths, recursive deletes, failures.
#include "platform/classes/Registry.h"
#include "platform/classes/StringList.h"
#include "platform/win/RegistryStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

class RegistryClasses : public ::testing::Test {
protected:
  TestSupport::TTempFolder Temp{"zubq-regclasses"};
  void SetUp() override {
    Dir = Temp.Path();
    setenv("ZUBQ_REGISTRY_DIR", Dir.c_str(), 1);
    unsetenv("ZUBQ_REGISTRY_READONLY");
    RegistryResetForTests();
  }
  void TearDown() override {
    RegistryResetForTests();
  }
  static std::vector<std::string> ToVector(const TStrings& S) {
    std::vector<std::string> V;
    for (Integer I = 0; I < S.Count(); ++I) {
      V.push_back(S[I]);
    }
    return V;
  }
  std::string Dir;
};

std::string MessageOf(const std::function<void()>& Fn) {
  try {
    Fn();
  } catch (const ERegistryException& E) {
    return E.Message();
  }
  return "<no exception>";
}

TEST_F(RegistryClasses, TypedValuesRoundTrip) {
  const unsigned char Blob[] = {0, 1, 2, 0xFE, 0xFF};
  {
    TRegistry Reg;
    EXPECT_EQ(Reg.RootKey(), HKEY_CURRENT_USER);
    ASSERT_TRUE(Reg.OpenKey("Software\\ZUB\\Settings", true));
    Reg.WriteString("Name", "Quillon \xe9");
    Reg.WriteString("Empty", "");
    Reg.WriteExpandString("Path", "%HOME%/x");
    Reg.WriteInteger("Negative", -42);
    Reg.WriteBool("Flag", true);
    Reg.WriteFloat("Ratio", 0.1);
    Reg.WriteCurrency("Price", 12.3456);
    Reg.WriteDateTime("When", 45000.75);
    Reg.WriteDate("Day", 45000.0);
    Reg.WriteBinaryData("Blob", Blob, sizeof Blob);
  }
  RegistryResetForTests();  // as another process would see it
  TRegistry Reg;
  ASSERT_TRUE(Reg.OpenKeyReadOnly("Software\\ZUB\\Settings"));
  EXPECT_EQ(Reg.ReadString("name"), "Quillon \xe9");
  EXPECT_EQ(Reg.ReadString("Empty"), "");
  EXPECT_TRUE(Reg.ValueExists("Empty"));
  EXPECT_EQ(Reg.ReadString("Path"), "%HOME%/x");
  EXPECT_EQ(Reg.ReadInteger("Negative"), -42);
  EXPECT_TRUE(Reg.ReadBool("Flag"));
  EXPECT_EQ(Reg.ReadFloat("Ratio"), 0.1);
  EXPECT_DOUBLE_EQ(Reg.ReadCurrency("Price"), 12.3456);
  EXPECT_EQ(Reg.ReadDateTime("When"), 45000.75);
  EXPECT_EQ(Reg.ReadTime("When"), 45000.75);
  EXPECT_EQ(Reg.ReadDate("Day"), 45000.0);
  unsigned char Back[8] = {};
  EXPECT_EQ(Reg.ReadBinaryData("Blob", Back, sizeof Back), 5);
  EXPECT_EQ(std::memcmp(Back, Blob, sizeof Blob), 0);

  EXPECT_EQ(Reg.GetDataType("Name"), rdString);
  EXPECT_EQ(Reg.GetDataType("Path"), rdExpandString);
  EXPECT_EQ(Reg.GetDataType("Negative"), rdInteger);
  EXPECT_EQ(Reg.GetDataType("Price"), rdBinary);
  EXPECT_EQ(Reg.GetDataType("Missing"), rdUnknown);
  EXPECT_EQ(Reg.GetDataSize("Name"), 10);  // with the NUL
  EXPECT_EQ(Reg.GetDataSize("Missing"), -1);
  TRegDataInfo Info;
  EXPECT_TRUE(Reg.GetDataInfo("Price", Info));
  EXPECT_EQ(Info.DataSize, 8);

  // Currency keeps the class library's binary form: ten-thousandths in a 64-bit integer.
  Int64 Scaled = 0;
  EXPECT_EQ(Reg.ReadBinaryData("Price", &Scaled, sizeof Scaled), 8);
  EXPECT_EQ(Scaled, 123456);
}

TEST_F(RegistryClasses, FailuresRaiseTheClassLibraryMessages) {
  TRegistry Reg;
  ASSERT_TRUE(Reg.OpenKey("Software\\ZUB", true));
  Reg.WriteString("Text", "abc");
  Reg.WriteInteger("Number", 7);
  Reg.WriteBinaryData("Blob", "12345678", 8);
  char Small[4];
  const struct {
    const char* Label;
    std::function<void()> Fn;
    const char* Message;
  } Cases[] = {
      {"missing integer", [&] { Reg.ReadInteger("Missing"); }, "Failed to get data for 'Missing'"},
      {"integer of a string", [&] { Reg.ReadInteger("Text"); }, "Invalid data type for 'Text'"},
      {"string of an integer", [&] { Reg.ReadString("Number"); }, "Invalid data type for 'Number'"},
      {"float of an integer", [&] { Reg.ReadFloat("Number"); }, "Invalid data type for 'Number'"},
      {"date of a string", [&] { Reg.ReadDateTime("Text"); }, "Invalid data type for 'Text'"},
      {"binary too big", [&] { Reg.ReadBinaryData("Blob", Small, sizeof Small); }, "Invalid data type for 'Blob'"},
      {"binary of a string", [&] { Reg.ReadBinaryData("Text", Small, sizeof Small); }, "Invalid data type for 'Text'"},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(MessageOf(C.Fn), C.Message) << C.Label;
  }
  // Missing strings and binary data are not errors.
  EXPECT_EQ(Reg.ReadString("Missing"), "");
  EXPECT_EQ(Reg.ReadBinaryData("Missing", Small, sizeof Small), 0);

  ASSERT_TRUE(Reg.OpenKeyReadOnly("\\Software\\ZUB"));
  EXPECT_EQ(Reg.Access(), static_cast<LongWord>(KEY_READ));
  EXPECT_EQ(MessageOf([&] { Reg.WriteString("Text", "x"); }), "Failed to set data for 'Text'");

  // A hive without write rights: keys cannot be created or opened for writing, but can be read.
  RegistrySetReadOnly(HKEY_LOCAL_MACHINE, true);
  TRegistry Machine;
  Machine.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(MessageOf([&] { Machine.CreateKey("Software\\ZUB"); }), "Unable to create key Software\\ZUB");
  EXPECT_FALSE(Machine.OpenKey("Software", true));
  EXPECT_FALSE(Machine.DeleteKey("Software"));
}

TEST_F(RegistryClasses, OpenKeyFollowsRelativeAndAbsolutePaths) {
  TRegistry Reg;
  EXPECT_FALSE(Reg.OpenKey("Software\\Missing", false));
  EXPECT_EQ(Reg.CurrentKey(), 0u);
  ASSERT_TRUE(Reg.OpenKey("Software\\A", true));
  EXPECT_EQ(Reg.CurrentPath(), "Software\\A");
  ASSERT_TRUE(Reg.OpenKey("B", true));  // relative to the current key
  EXPECT_EQ(Reg.CurrentPath(), "Software\\A\\B");
  EXPECT_TRUE(Reg.KeyExists("\\Software\\A"));
  EXPECT_FALSE(Reg.KeyExists("Software"));  // relative: Software\A\B\Software
  EXPECT_FALSE(Reg.OpenKey("Nowhere", false));
  EXPECT_EQ(Reg.CurrentPath(), "Software\\A\\B");  // a failed open keeps the current key
  ASSERT_TRUE(Reg.OpenKey("\\Software", false));
  EXPECT_EQ(Reg.CurrentPath(), "Software");
  EXPECT_TRUE(Reg.CreateKey("\\Other\\Deep"));
  EXPECT_TRUE(Reg.KeyExists("\\OTHER\\deep"));

  Reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(Reg.CurrentKey(), 0u);
  EXPECT_EQ(Reg.CurrentPath(), "");
  EXPECT_FALSE(Reg.KeyExists("Software"));
  Reg.CloseKey();
}

TEST_F(RegistryClasses, DeleteKeyRemovesTheWholeTree) {
  TRegistry Reg;
  for (const char* Path : {"\\Tree\\A\\B\\C", "\\Tree\\A\\D", "\\Tree\\E"}) {
    ASSERT_TRUE(Reg.OpenKey(Path, true));
    Reg.WriteString("V", Path);
  }
  ASSERT_TRUE(Reg.OpenKey("\\Tree", false));
  EXPECT_TRUE(Reg.HasSubKeys());
  TStringList Names;
  Reg.GetKeyNames(&Names);
  EXPECT_EQ(ToVector(Names), (std::vector<std::string>{"A", "E"}));
  TRegKeyInfo Info;
  ASSERT_TRUE(Reg.GetKeyInfo(Info));
  EXPECT_EQ(Info.NumSubKeys, 2);
  EXPECT_EQ(Info.NumValues, 0);

  EXPECT_TRUE(Reg.DeleteKey("A"));  // relative to \Tree, with its sub keys
  EXPECT_FALSE(Reg.KeyExists("A"));
  EXPECT_TRUE(Reg.KeyExists("E"));
  EXPECT_FALSE(Reg.DeleteKey("A"));
  Reg.CloseKey();
  EXPECT_TRUE(Reg.DeleteKey("\\Tree"));
  EXPECT_FALSE(Reg.KeyExists("Tree"));
}

TEST_F(RegistryClasses, RenameValueAndMoveKeyKeepTypesAndData) {
  TRegistry Reg;
  ASSERT_TRUE(Reg.OpenKey("Move\\From\\Sub", true));
  Reg.WriteInteger("Deep", 5);
  ASSERT_TRUE(Reg.OpenKey("\\Move\\From", false));
  const char Multi[] = "a\0b\0";
  ASSERT_EQ(RegSetValueEx(Reg.CurrentKey(), "List", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(Multi), 5),
            ERROR_SUCCESS);
  Reg.WriteString("Old", "text");
  Reg.RenameValue("Old", "New");
  Reg.RenameValue("List", "Items");
  EXPECT_FALSE(Reg.ValueExists("Old"));
  EXPECT_EQ(Reg.ReadString("New"), "text");
  DWORD Type = 0;
  char Back[8];
  DWORD Size = sizeof Back;
  ASSERT_EQ(RegQueryValueEx(Reg.CurrentKey(), "Items", nullptr, &Type, reinterpret_cast<BYTE*>(Back), &Size),
            ERROR_SUCCESS);
  EXPECT_EQ(Type, REG_MULTI_SZ);
  EXPECT_EQ(std::string(Back, Size), std::string(Multi, 5));
  TStringList Values;
  Reg.GetValueNames(&Values);
  EXPECT_EQ(ToVector(Values), (std::vector<std::string>{"New", "Items"}));

  Reg.CloseKey();
  Reg.MoveKey("Move\\From", "Move\\To", true);
  EXPECT_FALSE(Reg.KeyExists("Move\\From"));
  ASSERT_TRUE(Reg.OpenKey("Move\\To\\Sub", false));
  EXPECT_EQ(Reg.ReadInteger("Deep"), 5);
  ASSERT_TRUE(Reg.OpenKey("\\Move\\To", false));
  EXPECT_EQ(Reg.ReadString("New"), "text");
}

TEST_F(RegistryClasses, RegIniFileKeepsSectionsAsSubKeys) {
  {
    TRegIniFile Ini("Software\\ZUB\\Ini");
    Ini.WriteString("General", "Title", "Hello");
    Ini.WriteInteger("General", "Count", 12);
    Ini.WriteBool("General", "Enabled", true);
    Ini.WriteString("Other", "X", "1");
  }
  TRegistry Reg;
  ASSERT_TRUE(Reg.OpenKey("Software\\ZUB\\Ini\\General", false));
  EXPECT_EQ(Reg.GetDataType("Count"), rdString);  // integers are stored as strings
  EXPECT_EQ(Reg.ReadString("Count"), "12");
  EXPECT_EQ(Reg.ReadString("Enabled"), "1");
  Reg.WriteInteger("Binary", 99);  // an integer value written by someone else

  TRegIniFile Ini("Software\\ZUB\\Ini");
  EXPECT_EQ(Ini.ReadString("general", "title", "none"), "Hello");
  EXPECT_EQ(Ini.ReadString("General", "Missing", "none"), "none");
  EXPECT_EQ(Ini.ReadString("NoSection", "Title", "none"), "none");
  EXPECT_EQ(Ini.ReadInteger("General", "Count", -1), 12);
  EXPECT_EQ(Ini.ReadInteger("General", "Binary", -1), 99);
  EXPECT_EQ(Ini.ReadInteger("General", "Title", -1), -1);
  EXPECT_TRUE(Ini.ReadBool("General", "Enabled", false));
  EXPECT_TRUE(Ini.ReadBool("NoSection", "Enabled", true));

  TStringList S;
  Ini.ReadSections(&S);
  EXPECT_EQ(ToVector(S), (std::vector<std::string>{"General", "Other"}));
  Ini.ReadSection("General", &S);
  EXPECT_EQ(ToVector(S), (std::vector<std::string>{"Title", "Count", "Enabled", "Binary"}));
  Ini.ReadSectionValues("General", &S);
  EXPECT_EQ(ToVector(S), (std::vector<std::string>{"Title=Hello", "Count=12", "Enabled=1", "Binary=99"}));

  Ini.DeleteKey("General", "Title");
  EXPECT_EQ(Ini.ReadString("General", "Title", "gone"), "gone");
  Ini.EraseSection("Other");
  Ini.ReadSections(&S);
  EXPECT_EQ(ToVector(S), (std::vector<std::string>{"General"}));
}

}  // namespace
