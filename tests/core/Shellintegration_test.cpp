// Shell integration: the verbs and Open With keys, the desktop entry and the user's associations, the browser's
// source viewer, the hot key and the log-file check, over a temporary registry and temporary XDG folders.
#include "SettingsTestSupport.h"

#include "core/Ekregistryex.h"
#include "core/Shellintegration.h"

#include "platform/win/Desktop.h"
#include "platform/win/DesktopFiles.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"
#include "platform/win/VirtualKeys.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

class ShellIntegration : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    setenv("XDG_DATA_HOME", (Dir + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (Dir + "/config").c_str(), 1);
    const std::string Exe = GetModuleFileNameString(nullptr);
    ExeName = Exe.substr(Exe.find_last_of('/') + 1);
    Program = Exe;
  }
  void TearDown() override {
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
    SettingsTest::TearDown();
  }

  std::string Hive(HKEY Root) const {
    std::string Out;
    RegReadHive(Root, [&](const TRegStoreKey& HiveRoot) -> LONG {
      DumpKey(HiveRoot, "", Out);
      return ERROR_SUCCESS;
    });
    Replace(Out, Program, "<EXE>");
    Replace(Out, ProgramFolderOfProcess().text, "<PROGRAM>");
    Replace(Out, ExeName, "<NAME>");
    return Out;
  }
  static void Set(const char* Path, const char* Text) {
    ASSERT_EQ(WriteRegistryValue("", Text, HKEY_CLASSES_ROOT, Path, REG_SZ, 0), 1);
  }
  static std::string Read(const std::string& Path) {
    std::string Text;
    return ReadTextFile(Path, Text) ? Text : "<missing>";
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> Out;
    for (const TDialogRequest& R : Dialogs.Shown()) {
      Out.push_back(R.Caption);
    }
    return Out;
  }
  std::string EntryPath() const { return Dir + "/data/applications/zubquillon.desktop"; }
  std::string ListPath() const { return Dir + "/config/mimeapps.list"; }

  std::string ExeName;
  std::string Program;
  const HWND Owner = 0;
};

TEST_F(ShellIntegration, DecliningChangesNothing) {
  Dialogs.QueueAnswer(IDNO);
  EXPECT_EQ(AddFileAssociations(Owner, 1, 1), 1);
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Dialogs.Shown()[0].Caption, "Quillon: Add Associations To The Registry?");
  EXPECT_NE(Dialogs.Shown()[0].Text.find("'Add Associations to the Registry'"), std::string::npos);
  EXPECT_EQ(Hive(HKEY_CLASSES_ROOT), "[]\n");
  EXPECT_FALSE(std::filesystem::exists(EntryPath()));
  EXPECT_FALSE(std::filesystem::exists(ListPath()));
}

TEST_F(ShellIntegration, AddingWritesTheKeysTheEntryAndTheAssociations) {
  Set(".css", "mycss");    // a class of its own, without description
  Set(".html", "mypage");  // a class with a description that stays
  Set("mypage", "My Page");
  const std::string Foreign = "[Default Applications]\ntext/html=firefox.desktop\n";
  ASSERT_TRUE(WriteTextFileAtomic(ListPath(), Foreign));
  Dialogs.QueueAnswer(IDYES);
  EXPECT_EQ(AddFileAssociations(Owner, 0, 1), 1);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Quillon: Add Associations To The Registry?", "Quillon: Success"}));
  const std::string Dump = Hive(HKEY_CLASSES_ROOT);
  // Table classes where there was none, the verbs on the class the extension has.
  for (const char* Expected : {
           "[.htm]\n   = sz:\"htmlfile\"\n",
           "[.css]\n   = sz:\"mycss\"\n",
           "[mycss]\n   = sz:\"Cascading Style Sheet\"\n",
           "[mypage]\n   = sz:\"My Page\"\n",
           "[mypage\\shell\\EditZUB]\n   = sz:\"&Edit with ZUB Quillon Pro\"\n",
           "[mypage\\shell\\EditZUB\\command]\n   = sz:\"\"<EXE>\" -o \"%1\"\"\n",
           "[mypage\\shell\\ValidateZUB\\command]\n   = sz:\"\"<EXE>\" -v \"%1\"\"\n",
           "[phpfile]\n   = sz:\"PHP Hypertext Processor Document\"\n",
           "[.php4]\n   = sz:\"phpfile\"\n",
           "[shtmlfile\\shell\\ValidateZUB]\n   = sz:\"&Validate using ZUB Quillon Pro\"\n",
           "[.htm\\OpenWithList\\<NAME>\\shell\\edit\\command]\n   = sz:\"\"<EXE>\" -o \"%1\"\"\n",
           "[Applications\\<NAME>\\shell]\n  FriendlyCache = sz:\"ZUB Quillon Pro\"\n",
       }) {
    EXPECT_NE(Dump.find(Expected), std::string::npos) << Expected << "\n" << Dump;
  }
  EXPECT_EQ(Dump.find("[htmlfile]\n   = sz:\"My Page\""), std::string::npos);
  // The installer's values, taken from the running program.
  const std::string User = Hive(HKEY_CURRENT_USER);
  EXPECT_NE(User.find("  InstallDir = sz:\"<PROGRAM>\"\n  ValidatorEXE = sz:\"<NAME>\"\n  EditorEXE = sz:\"<NAME>\"\n"),
            std::string::npos)
      << User;

  const std::string Entry = Read(EntryPath());
  EXPECT_NE(Entry.find("Name=ZUB Quillon Pro\n"), std::string::npos);
  EXPECT_NE(Entry.find("Exec=" + QuoteExecArgument(Program) + " -o %f\n"), std::string::npos) << Entry;
  EXPECT_NE(Entry.find("MimeType=text/html;"), std::string::npos);
  EXPECT_NE(Entry.find("text/css;"), std::string::npos);
  EXPECT_EQ(Entry.find("cfm"), std::string::npos);
  EXPECT_NE(Entry.find("[Desktop Action Validate]\nName=Validate using ZUB Quillon Pro\nExec=" +
                       QuoteExecArgument(Program) + " -v %f\n"),
            std::string::npos)
      << Entry;
  EXPECT_NE(Entry.find("[Desktop Action Edit]\nName=Edit with ZUB Quillon Pro\n"), std::string::npos);
  const std::string List = Read(ListPath());
  EXPECT_EQ(List.substr(0, Foreign.size()), Foreign);
  EXPECT_NE(List.find("\n[Added Associations]\ntext/html=zubquillon.desktop;\ntext/css=zubquillon.desktop;\n"),
            std::string::npos)
      << List;

  if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is not installed: the entry was not validated";
  }
  EXPECT_EQ(std::system(("desktop-file-validate '" + EntryPath() + "'").c_str()), 0) << Entry;
}

TEST_F(ShellIntegration, RemovingRestoresTheListAndTakesTheVerbsOfEveryExtension) {
  const std::string Foreign =
      "[Added Associations]\ntext/html=gedit.desktop;\nimage/png=gimp.desktop;\n\n"
      "[Default Applications]\ntext/html=firefox.desktop\n";
  ASSERT_TRUE(WriteTextFileAtomic(ListPath(), Foreign));
  Dialogs.QueueAnswer(IDYES);
  ASSERT_EQ(AddFileAssociations(Owner, 0, 0), 1);
  ASSERT_NE(Read(ListPath()), Foreign);
  for (const char* Ext : {".scp", ".lst"}) {
    const std::string Class = std::string(Ext + 1) + "file";
    Set(Ext, Class.c_str());
    Set((Class + "\\shell\\ValidateZUB\\command").c_str(), "x");
  }
  EXPECT_EQ(RemoveFileAssociations(Owner, 1), 1);
  EXPECT_EQ(Captions().back(), "Quillon: Success");
  EXPECT_EQ(Read(ListPath()), Foreign);
  EXPECT_FALSE(std::filesystem::exists(EntryPath()));
  const std::string Dump = Hive(HKEY_CLASSES_ROOT);
  EXPECT_EQ(Dump.find("ZUB]"), std::string::npos) << Dump;
  EXPECT_EQ(Dump.find("ZUB\\command]"), std::string::npos) << Dump;
  EXPECT_EQ(Dump.find("OpenWithList\\"), std::string::npos) << Dump;
  EXPECT_NE(Dump.find("[scpfile\\shell]"), std::string::npos);
}

TEST_F(ShellIntegration, AnUnwritableFolderFailsWithTheMessages) {
  std::ofstream(Dir + "/plainfile") << "x";
  setenv("XDG_DATA_HOME", (Dir + "/plainfile/data").c_str(), 1);
  Dialogs.QueueAnswer(IDYES);
  const HWND Window = 1;
  EXPECT_EQ(AddFileAssociations(Window, 0, 0), 0);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Quillon: Add Associations To The Registry?", "Quillon: Error"}));
  EXPECT_NE(Dialogs.Shown().back().Text.find("could not be added successfully"), std::string::npos);
}

TEST_F(ShellIntegration, AStoreThatCannotBeWrittenIsReported) {
  RegistrySetReadOnly(HKEY_CURRENT_USER, true);
  StrStore Value, Path;
  EXPECT_EQ(GetPathFromRegistry(Owner, Value, Path, EDITOR_EXE_VALUE, REGPATH_NAMED_VALUE), 0);
  RegistrySetReadOnly(HKEY_CURRENT_USER, false);
  EXPECT_EQ(Captions(), std::vector<std::string>{"Quillon: GetPathFromRegistry() Failed"});
}

TEST_F(ShellIntegration, InstallerValuesMakeThePaths) {
  ASSERT_EQ(WriteRegistryValue("InstallDir", "/opt/zub/", HKEY_CURRENT_USER, SETTINGS_ROOT, REG_SZ, 0), 1);
  ASSERT_EQ(WriteRegistryValue("ValidatorEXE", "zubcheck", HKEY_CURRENT_USER, SETTINGS_ROOT, REG_SZ, 0), 1);
  StrStore Value, Path;
  ASSERT_EQ(GetPathFromRegistry(Owner, Value, Path, VALIDATOR_EXE_VALUE, REGPATH_NAMED_VALUE), 1);
  EXPECT_STREQ(Path.text, "/opt/zub/zubcheck");
  EXPECT_STREQ(Value.text, "zubcheck");
  ASSERT_EQ(GetPathFromRegistry(Owner, Value, Path, "help.html", REGPATH_NAME_ITSELF), 1);
  EXPECT_STREQ(Path.text, "/opt/zub/help.html");
  EXPECT_TRUE(Dialogs.Shown().empty());
}

TEST_F(ShellIntegration, TheSourceViewerIsSavedOnceAndRestored) {
  ASSERT_EQ(WriteRegistryValue("", "notepad", HKEY_LOCAL_MACHINE, SOURCE_VIEWER_KEY, REG_SZ, 0), 1);
  Dialogs.QueueAnswer(IDYES);
  EXPECT_EQ(MakeSourceViewer(Owner, 1), 1);
  Dialogs.QueueAnswer(IDYES);
  EXPECT_EQ(MakeSourceViewer(Owner, 0), 1);
  std::string Dump = Hive(HKEY_LOCAL_MACHINE);
  EXPECT_NE(Dump.find("  ZUBOldDefaultValue = sz:\"notepad\"\n   = sz:\"<EXE>\"\n"), std::string::npos) << Dump;

  Dialogs.QueueAnswer(IDYES);
  EXPECT_EQ(RestoreSourceViewer(Owner, 0), 1);
  EXPECT_EQ(Captions().back(), "Quillon: Source Viewer Restored");
  Dump = Hive(HKEY_LOCAL_MACHINE);
  EXPECT_NE(
      Dump.find("[SOFTWARE\\Microsoft\\Internet Explorer\\View Source Editor\\Editor Name]\n   = sz:\"notepad\"\n"),
      std::string::npos)
      << Dump;
  EXPECT_EQ(Dump.find("ZUBOldDefaultValue"), std::string::npos);

  // Nothing saved any more: said so, and not at all when quiet.
  Dialogs.QueueAnswer(IDYES);
  EXPECT_EQ(RestoreSourceViewer(Owner, 0), 1);
  EXPECT_EQ(Captions().back(), "Quillon: Restore Source Viewer Failed");
  EXPECT_NE(Dialogs.Shown().back().Text.find("already been restored"), std::string::npos);
  const std::size_t Shown = Dialogs.Shown().size();
  EXPECT_EQ(RestoreSourceViewer(Owner, 1), 1);
  EXPECT_EQ(Dialogs.Shown().size(), Shown);
}

TEST_F(ShellIntegration, AViewerFirstSetByUsIsRemovedWithItsKey) {
  Dialogs.QueueAnswer(IDYES);
  EXPECT_EQ(MakeSourceViewer(Owner, 0), 1);  // no viewer before: the empty one is saved
  EXPECT_EQ(RestoreSourceViewer(Owner, 1), 1);
  EXPECT_EQ(Hive(HKEY_LOCAL_MACHINE).find("Editor Name"), std::string::npos);
}

TEST_F(ShellIntegration, HotKeyAndLogFile) {
  EXPECT_EQ(SetHotKey(0, 1), 1);
  const std::vector<THotKey> Keys = RegisteredHotKeys();
  ASSERT_EQ(Keys.size(), 1u);
  EXPECT_EQ(Keys[0].Id, MAIN_HOTKEY_ID);
  EXPECT_EQ(Keys[0].Modifiers, 0u);
  EXPECT_EQ(Keys[0].Vk, static_cast<UINT>(VK_F2));
  EXPECT_EQ(SetHotKey(0, 0), 1);
  EXPECT_TRUE(RegisteredHotKeys().empty());

  std::ofstream(Dir + "/log.txt") << "x";
  EXPECT_EQ(CheckLogFileExists(Owner, (Dir + "/log.txt").c_str()), 1);
  EXPECT_EQ(CheckLogFileExists(Owner, (Dir + "/none.txt").c_str()), 0);
  EXPECT_EQ(Captions(), std::vector<std::string>{"Quillon: No Log File On Disk"});
  EXPECT_EQ(MakeDefaultEditor(), 1);
}

}  // namespace
