// Setup routines: paths and folders, special folders, shortcuts, uninstall entries, templates, hidden scripts,
// strings and GUID texts.
#include "suitebase/Dcapi.h"

#include "platform/rtl/FileUtils.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Resources.h"
#include "platform/win/ShlObj.h"
#include "tests/suitebase/SuiteEnvironment.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

using namespace Dcapi;

namespace {
std::string ReadFile(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}
}  // namespace

TEST(DcapiPaths, SlashesAndParents) {
  struct TCase {
    const char* In;
    const char* Add;
    const char* Remove;
    const char* Up;
  } Cases[] = {
      {"", "", "", ""},
      {"/data/Temp", "/data/Temp/", "/data/Temp", "/data"},
      {"/data/a/Sub/", "/data/a/Sub/", "/data/a/Sub", "/data/a"},
      {"/data//", "/data//", "/data/", "/data"},
      {"/", "/", "", "/"},
      {"/data", "/data/", "/data", "/"},
      {"name", "name/", "name", "name"},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(AddSlash(C.In), C.Add) << C.In;
    EXPECT_EQ(RemoveSlash(C.In), C.Remove) << C.In;
    EXPECT_EQ(DCUpFolder(C.In), C.Up) << C.In;
  }
}

TEST(DcapiStrings, NameValueQuotingAndGuids) {
  EXPECT_EQ(ExtractNamePart("a=b=c"), "a");
  EXPECT_EQ(ExtractValuePart("a=b=c"), "b=c");
  EXPECT_EQ(ExtractNamePart("abc"), "");
  EXPECT_EQ(ExtractValuePart("abc"), "");
  EXPECT_EQ(ExtractValuePartEx("a::b", "::"), "b");
  TStringList L;
  L.SetText("x=1\r\nnothing\r\ny=Two\r\n");
  EXPECT_EQ(IndexOfValue(&L, "Two"), 2);
  EXPECT_EQ(IndexOfValue(&L, "two"), -1);
  EXPECT_EQ(IndexOfValue(&L, ""), 1);  // a line without "=" has an empty value part
  EXPECT_EQ(Quote("a", '\''), "'a'");
  EXPECT_EQ(QuoteFileName("/a b"), "\"/a b\"");
  const GUID G{0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
  EXPECT_EQ(StringFromGUID(G), "{12345678-9ABC-DEF0-0102-030405060708}");
  const std::string U1 = GetUniqueString("p");
  const std::string U2 = GetUniqueString("p");
  EXPECT_EQ(U1.size(), 39u);
  EXPECT_NE(U1, U2);
  GUID Back;
  ASSERT_TRUE(StringToGUID(U1.substr(1), Back));
  EXPECT_EQ(Back.Data3 >> 12, 4);  // version 4
  EXPECT_EQ(GetCDDeviceID(), -1);
  EXPECT_EQ(GetCDAudioVolume(), -1);
  EXPECT_EQ(SetCDAudioVolume(128), -1);
}

using DcapiFolders = SuiteFolders;

TEST_F(DcapiFolders, CreateAllDirectoriesListsOutermostFirst) {
  TStringList Created;
  CreateAllDirectories(Temp / "A/B/C/", &Created);
  EXPECT_EQ(Created.CommaText(), (Temp / "A") + "," + (Temp / "A/B") + "," + (Temp / "A/B/C"));
  EXPECT_TRUE(::DirectoryExists(Temp / "A/B/C"));
  Created.Clear();
  CreateAllDirectories(Temp / "A/B", &Created);
  EXPECT_EQ(Created.Count(), 0);
  TStringList Folders;
  Folders.Add(Temp / "X/Y");
  Folders.Add("");
  CreateFolders(&Folders);
  EXPECT_TRUE(::DirectoryExists(Temp / "X/Y"));
}

TEST_F(DcapiFolders, SpecialFoldersTempFilesAndTemplates) {
  const std::string Home = Temp / "home";
  EXPECT_EQ(SystemDirectory(), Home + "/.local/lib/");
  EXPECT_EQ(WindowsDirectory(), Home + "/.local/share/");
  EXPECT_EQ(ProgramFilesDirectory(), Home + "/.local/opt/");
  EXPECT_EQ(StartMenuProgramsFolder(), Home + "/.local/share/applications/");
  EXPECT_EQ(GetTemporaryPath(), Temp / "temp");
  const std::string Name = GetTemporaryFileName("sb");
  EXPECT_EQ(ExtractFilePath(Name), (Temp / "temp") + "/");
  EXPECT_TRUE(FileExists(Name));
  Keep("ZUBQ_TEMP", "/");
  EXPECT_EQ(GetTemporaryPath(), "/");

  EXPECT_EQ(ProcessFileTemplate("a%SYSTEM%b%SYSTEM% %system% %PROGRAMFILES%"),
            "a" + SystemDirectory() + "b" + SystemDirectory() + " %system% " + ProgramFilesDirectory());
  // A value that holds its own macro is inserted once, not replaced for ever.
  Keep("HOME", Temp / "%SYSTEM%");
  EXPECT_EQ(ProcessFileTemplate("[%SYSTEM%]"), "[" + (Temp / "%SYSTEM%") + "/.local/lib/]");
  EXPECT_EQ(ProcessFileTemplate("%D4_HELP%"), "");  // no such environment installed
}

TEST_F(DcapiFolders, LinksAreDesktopEntries) {
  CreateLink(Temp / "Tool.lnk", "/usr/bin/tool", "My tool", "/tmp");
  TDesktopEntry E;
  ASSERT_TRUE(ParseDesktopEntry(ReadFile(Temp / "Tool.desktop"), E));
  EXPECT_EQ(E.Get("Exec"), "\"/usr/bin/tool\"");
  EXPECT_EQ(E.Get("Name"), "My tool");
  EXPECT_EQ(E.Get("Path"), "/tmp");
  EXPECT_FALSE(FileExists(Temp / "Tool.lnk"));
  CreateLink(Temp / "none/Tool.lnk", "/usr/bin/tool", "", "");  // no folder: nothing, no failure
}

TEST_F(DcapiFolders, UninstallEntries) {
  EXPECT_FALSE(IsAppInstalled("Suite App"));
  EXPECT_TRUE(InstallCheckPrevVersion("Suite App"));
  AddUnInstaller("Suite App", "/opt/app/uninstall");
  AddUnInstallInfo("Suite App", "Version", "4.11");
  EXPECT_TRUE(IsAppInstalled("Suite App"));
  std::string Value = "unchanged";
  GetUnInstallInfo("Suite App", "UninstallString", Value);
  EXPECT_EQ(Value, "/opt/app/uninstall");
  GetUnInstallInfo("Suite App", "Missing", Value);
  EXPECT_EQ(Value, "/opt/app/uninstall");
  HKEY Key = 0;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, (std::string(UninstallKey) + "\\Suite App").c_str(), 0, KEY_READ, &Key),
            ERROR_SUCCESS);
  DWORD Type = 0;
  DWORD Size = 0;
  EXPECT_EQ(RegQueryValueEx(Key, "DisplayName", nullptr, &Type, nullptr, &Size), ERROR_SUCCESS);
  EXPECT_EQ(Type, REG_SZ);
  EXPECT_EQ(Size, 9u);  // no terminating zero
  (void)RegCloseKey(Key);

  TStringList Files;
  Files.Add("/opt/app/a.bin");
  Files.Add("/opt/app/b.bin");
  AddUnInstallFilesInfo("Suite App", &Files);
  TStringList Back;
  GetUninstallFilesInfo("Suite App", &Back);
  EXPECT_EQ(Back.CommaText(), Files.CommaText());

  // The question goes through the dialog service; Cancel stops the setup.
  Scripted.QueueAnswer(IDCANCEL);
  EXPECT_FALSE(InstallCheckPrevVersion("Suite App"));
  Scripted.QueueAnswer(IDOK);
  EXPECT_TRUE(InstallCheckPrevVersion("Suite App"));
  ASSERT_EQ(Scripted.Shown().size(), 2u);
  EXPECT_EQ(Scripted.Shown()[0].Caption, "Installation Error");
  EXPECT_NE(Scripted.Shown()[0].Text.find("previous version of Suite App is already installed"), std::string::npos);

  RemoveUnInstaller("Suite App");  // a plain deletion: refused while "Files" is there
  EXPECT_TRUE(IsAppInstalled("Suite App"));
  RemoveUninstallFilesInfo("Suite App");
  RemoveUnInstaller("Suite App");
  EXPECT_FALSE(IsAppInstalled("Suite App"));
}

TEST_F(DcapiFolders, ScriptsRunHiddenAndGiveTheirExitCode) {
  {
    std::ofstream(Temp / "three.sh") << "exit 3\n";
    std::ofstream(Temp / "slow.sh") << "sleep 2\n";
  }
  EXPECT_EQ(RunBatFileEx(QuoteFileName(Temp / "three.sh"), true), 3);
  EXPECT_EQ(RunBatFile(QuoteFileName(Temp / "slow.sh")), 259);
  EXPECT_EQ(RunBatFileEx(QuoteFileName(Temp / "missing.sh"), true), -1);

  std::ofstream(Temp / "victim.txt") << "x";
  RemoveFile(Temp / "victim.txt");
  EXPECT_FALSE(FileExists(Temp / "victim.txt"));
  EXPECT_FALSE(FileExists(Temp / "$delme.sh"));
  // A file that cannot be deleted now is left to the script, which ends and removes itself.
  RemoveFile(Temp / "not-there.txt");
  for (int I = 0; I < 100 && FileExists(Temp / "$delme.sh"); ++I) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_FALSE(FileExists(Temp / "$delme.sh"));
}

TEST(DcapiResources, RcDataOfTheRunningModule) {
  static const char Data[] = "hello resource";
  RegisterResource(RT_RCDATA, "SUITETEXT", Data, sizeof Data - 1);
  EXPECT_EQ(LoadStringFromRCData("suitetext"), "hello resource");
  EXPECT_EQ(LoadStringFromRCData("NOSUCHTEXT"), "");
  const void* P = nullptr;
  DWORD Size = 1;
  EXPECT_EQ(GetResData("NOSUCHTEXT", P, Size), HGLOBAL{});
  EXPECT_EQ(P, nullptr);
  EXPECT_EQ(Size, 0u);
}
