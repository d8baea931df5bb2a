// The dialog components without their windows: the state stream, its registry form and the defaults.
#include "shell/Uptdialogs.h"
#include "shell/Uptfolderbrowse.h"

#include "platform/classes/Registry.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/RegistryStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::string Bytes(TMemoryStream& S) {
  return std::string(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
}

TEST(DialogDefaults, OptionValues) {
  TPTOpenDlg Open(nullptr);
  TPTSaveDlg Save(nullptr);
  TPTFolderBrowseDlg Browse(nullptr);
  EXPECT_EQ(Open.Options().ToMask(), 3833872u);
  EXPECT_EQ(Save.Options().ToMask(), 3833872u);
  EXPECT_EQ(Browse.Options().ToMask(), 706u);
  EXPECT_EQ(Open.GetFilterIndex(), 1);
  EXPECT_EQ(Open.GetFormSplitterPos(), -1);
  EXPECT_EQ(Open.FormWidth, -1);
  EXPECT_EQ(Open.GetFilename(), "");
  Open.SetFilename("/tmp/x.htm");
  EXPECT_EQ(Open.GetFilename(), "/tmp/x.htm");
  EXPECT_EQ(Open.Files()->Count(), 1);
}

TEST(DialogState, TheFileDialogsWriteFourteenLittleEndianBytesAndReadThemBack) {
  TPTOpenDlg A(nullptr);
  A.FormWidth = 0x01020304;
  A.FormHeight = -2;
  A.FormWindowState = wsMaximized;
  A.SetOptions(A.Options() + TPTOpenOptions{ptofShowTree});
  A.SetFormSplitterPos(200);
  TMemoryStream S;
  A.WriteStateToStream(&S);
  EXPECT_EQ(Bytes(S), std::string("\x04\x03\x02\x01\xFE\xFF\xFF\xFF\x02\x01\xC8\x00\x00\x00", 14));

  TPTSaveDlg B(nullptr);
  S.SetPosition(0);
  B.ReadStateFromStream(&S);
  EXPECT_EQ(B.FormWidth, 0x01020304);
  EXPECT_EQ(B.FormHeight, -2);
  EXPECT_EQ(B.FormWindowState, wsMaximized);
  EXPECT_TRUE(B.Options().Contains(ptofShowTree));
  EXPECT_EQ(B.GetFormSplitterPos(), 200);

  // A zero tree byte clears the option again.
  TMemoryStream Z;
  Z.WriteBuffer("\x01\x00\x00\x00\x02\x00\x00\x00\x00\x00\xFF\xFF\xFF\xFF", 14);
  Z.SetPosition(0);
  B.ReadStateFromStream(&Z);
  EXPECT_FALSE(B.Options().Contains(ptofShowTree));
  EXPECT_EQ(B.GetFormSplitterPos(), -1);
  EXPECT_EQ(B.FormWidth, 1);
}

TEST(DialogState, TheFolderDialogWritesNineBytes) {
  TPTFolderBrowseDlg D(nullptr);
  D.FormWidth = 400;
  D.FormHeight = 380;
  TMemoryStream S;
  D.WriteStateToStream(&S);
  EXPECT_EQ(Bytes(S), std::string("\x90\x01\x00\x00\x7C\x01\x00\x00\x00", 9));
}

TEST(DialogState, ABadStreamRaisesAndChangesNothing) {
  for (const std::string& Bad :
       {std::string("\x01\x00\x00\x00\x02\x00\x00\x00\x00\x01", 10),  // short
        std::string("\x01\x00\x00\x00\x02\x00\x00\x00\x03\x01\x05\x00\x00\x00", 14), std::string()}) {
    TPTOpenDlg D(nullptr);
    D.FormWidth = 500;
    D.SetFormSplitterPos(77);
    TMemoryStream S;
    if (!Bad.empty()) {
      S.WriteBuffer(Bad.data(), static_cast<LongInt>(Bad.size()));
    }
    S.SetPosition(0);
    EXPECT_THROW(D.ReadStateFromStream(&S), EReadError) << Bad.size();
    EXPECT_EQ(D.FormWidth, 500);
    EXPECT_EQ(D.FormHeight, -1);
    EXPECT_EQ(D.GetFormSplitterPos(), 77);
    EXPECT_FALSE(D.Options().Contains(ptofShowTree));
  }
}

class DialogRegistry : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("ZUBQ_REGISTRY_DIR", (Temp / "registry").c_str(), 1);
    RegistryResetForTests();
  }
  void TearDown() override { RegistryResetForTests(); }
  TestSupport::TTempFolder Temp{"zubq-dlgreg"};
};

TEST_F(DialogRegistry, TheStateRoundTripsThroughABinaryValue) {
  TPTOpenDlg A(nullptr);
  A.FormWidth = 640;
  A.FormHeight = 480;
  A.SetFormSplitterPos(150);
  A.WriteStateToRegistry(HKEY_CURRENT_USER, "Software\\ZUBQTest\\Dialogs", "OpenState");

  TPTOpenDlg B(nullptr);
  EXPECT_TRUE(B.ReadStateFromRegistry(HKEY_CURRENT_USER, "Software\\ZUBQTest\\Dialogs", "OpenState"));
  EXPECT_EQ(B.FormWidth, 640);
  EXPECT_EQ(B.FormHeight, 480);
  EXPECT_EQ(B.GetFormSplitterPos(), 150);
}

TEST_F(DialogRegistry, AMissingKeyOrValueOrAnOversizedValueChangesNothing) {
  TPTOpenDlg D(nullptr);
  D.FormWidth = 321;
  EXPECT_FALSE(D.ReadStateFromRegistry(HKEY_CURRENT_USER, "Software\\ZUBQTest\\Nothing", "OpenState"));
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(Reg.OpenKey("Software\\ZUBQTest\\Dialogs", true));
  const std::string Big(129, '\x01');
  Reg.WriteBinaryData("Big", Big.data(), static_cast<int>(Big.size()));
  Reg.WriteString("Text", "not binary");
  EXPECT_FALSE(D.ReadStateFromRegistry(HKEY_CURRENT_USER, "Software\\ZUBQTest\\Dialogs", "Missing"));
  EXPECT_FALSE(D.ReadStateFromRegistry(HKEY_CURRENT_USER, "Software\\ZUBQTest\\Dialogs", "Big"));
  EXPECT_FALSE(D.ReadStateFromRegistry(HKEY_CURRENT_USER, "Software\\ZUBQTest\\Dialogs", "Text"));
  // A short value is a clear error, not a half-read state.
  Reg.WriteBinaryData("Short", "\x01\x02", 2);
  EXPECT_THROW(D.ReadStateFromRegistry(HKEY_CURRENT_USER, "Software\\ZUBQTest\\Dialogs", "Short"), EReadError);
  EXPECT_EQ(D.FormWidth, 321);
}

}  // namespace
