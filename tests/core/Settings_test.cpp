// Settings load and save: the first start's store, reading back, odd stored values and the failure paths.
#include "SettingsTestSupport.h"

#include "core/Batchwizclass.h"
#include "core/Commandqueue.h"
#include "core/Ekregistryex.h"
#include "core/Inserterclass.h"
#include "core/Parserclass.h"
#include "core/Settings.h"
#include "core/Timeutils.h"

#include "platform/graphics/Graphics.h"

#include <fstream>
#include <sstream>

namespace {

const std::string Root = std::string("\\") + SETTINGS_ROOT;

void WriteInt(const std::string& Key, const char* Name, int Value) {
  EkRegistryEx Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_EQ(Reg.OpenKeyEx(Root + Key, true), 1);
  ASSERT_TRUE(Reg.WriteIntegerEx(Name, Value));
}

void WriteText(const std::string& Key, const char* Name, const char* Value) {
  EkRegistryEx Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_EQ(Reg.OpenKeyEx(Root + Key, true), 1);
  ASSERT_TRUE(Reg.WriteStringEx(Name, Value));
}

std::string ReadText(const std::string& Key, const char* Name) {
  EkRegistryEx Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  Reg.OpenKeyReadOnlyEx(Root + Key);
  StrStore Value("<missing>");
  Reg.ReadStrStoreEx(Name, Value, 0);
  return Value.text;
}

int ReadInt(const std::string& Key, const char* Name) {
  EkRegistryEx Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  Reg.OpenKeyReadOnlyEx(Root + Key);
  int Value = -12345;
  if (!Reg.ValueExists(Name)) {
    return Value;
  }
  Reg.ReadIntegerEx(Name, Value);
  return Value;
}

std::string ReadFile(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

// The start-up sequence of the program up to the point where the settings exist, then the save of a shutdown.
int FirstStartSequence() {
  prg->volatileState->CreateSharedSources(SHARED_SOURCES_CREATE);
  const int Loaded = LoadSettings();
  InitParsers(prg->volatileState->documentTypes);
  const int Saved = SaveSettings();
  return Loaded == 1 && Saved == 1 ? 1 : 0;
}

}  // namespace

TEST_F(SettingsTest, FirstStartWritesTheGoldenStore) {
  MakeRoot();
  ASSERT_EQ(FirstStartSequence(), 1);
  const std::string Actual = Dump();
  const std::string GoldenName = std::string(ZUBQ_TEST_DATA_DIR) + "/golden/FirstStartStore.txt";
  const std::string Expected = ReadFile(GoldenName);
  if (Actual != Expected) {
    std::ofstream(GoldenName + ".new", std::ios::binary) << Actual;
  }
  EXPECT_EQ(Actual, Expected) << "the store differs; see " << GoldenName << ".new";

  // The first run is marked and its command queued; no update check is due on the day of installation.
  EXPECT_TRUE(prg->volatileState->stateFlags.has(VSF::FirstRun));
  ASSERT_EQ(prg->volatileState->commandQueue.getCount(), 1);
  EXPECT_STREQ(prg->volatileState->commandQueue.getString(0), FIRST_RUN_COMMAND);
  EXPECT_FALSE(prg->volatileState->stateFlags.has(VSF::UpdateCheckDue));
  EXPECT_EQ(ReadInt("", "FirstTimeAfterInstall"), 0);
  EXPECT_EQ(prg->editorOptions->editorFont->Size(), 10);
  EXPECT_EQ(prg->volatileState->documentTypes->getCount(), 28);
}

TEST_F(SettingsTest, SecondLoadReadsBackWhatWasSaved) {
  MakeRoot();
  ASSERT_EQ(FirstStartSequence(), 1);
  // Change a value of each kind, save, and start again.
  prg->interface->mainFormLeft = 77;
  prg->interface->editorSplit = 0.25f;
  prg->interface->flags2.set(IF2::UserInserter, true);
  prg->editorOptions->tabStops.assign("4,8");
  prg->editorOptions->editorFont->SetName("Arial");
  prg->batchWizard->jobSubtype.assign("Strict");
  prg->tools->lastToolFile.assign("/home/a b/c.html");
  ASSERT_EQ(SaveSettings(), 1);
  const std::string Saved = Dump();
  Root.reset();

  MakeRoot();
  ASSERT_EQ(LoadSettings(), 1);
  InitParsers(prg->volatileState->documentTypes);
  EXPECT_EQ(Dump(), Saved);  // nothing was missing, so nothing was written
  EXPECT_EQ(prg->interface->mainFormLeft, 77);
  EXPECT_EQ(prg->volatileState->normalLeft, 77);
  EXPECT_FLOAT_EQ(prg->interface->editorSplit, 0.25f);
  EXPECT_TRUE(prg->interface->flags2.has(IF2::UserInserter));
  EXPECT_STREQ(prg->editorOptions->tabStops.text, "4,8");
  EXPECT_EQ(prg->editorOptions->editorFont->Name(), "Arial");
  EXPECT_STREQ(prg->batchWizard->jobSubtype.text, "Strict");
  EXPECT_STREQ(prg->tools->lastToolFile.text, "/home/a b/c.html");
  EXPECT_EQ(prg->volatileState->commandQueue.getCount(), 0);  // not the first run any more
  EXPECT_FALSE(prg->volatileState->stateFlags.has(VSF::FirstRun));
  ASSERT_EQ(SaveSettings(), 1);
  EXPECT_EQ(Dump(), Saved);
}

TEST_F(SettingsTest, OddStoredValuesLoadAsTheSettingsSay) {
  WriteText("\\Editor\\Interface", "RightMargin", "100");      // a number as text
  WriteText("\\Editor\\Interface", "MainFormTop", "high");     // text that is no number
  WriteText("\\Editor\\Interface", "EditorSplitPosition", "x");  // not a float
  WriteInt("\\Editor\\Interface", "StructureSplitPosition", 3);  // not a float either
  WriteInt("\\Editor\\Interface", "EditorFontColor", 7);
  WriteText("\\Editor\\Interface", "TabStops", "");             // an empty text is a value
  WriteInt("\\Editor\\Interface", "OpenDialogViewStyle", 7);
  WriteInt("\\Editor\\Interface", "MainFormWidth", -5000);       // out of range: kept
  WriteInt("\\Editor\\BatchWizard", "ReportsPerPage", 0);
  WriteInt("\\Editor\\BatchWizard", "MaxConcurrentHTTPRequests", -3);
  WriteInt("\\Editor\\BatchWizard", "TargetListLimit", 99999);
  WriteInt("\\Editor\\Interface", "SelectedFolder", 12);     // an int where a text belongs
  WriteText("", "InstallDirV60", "");
  WriteText("", "InstallDir", "/opt/zub quillon/");
  WriteInt("", "FirstTimeAfterInstall", 0);
  MakeRoot();
  ASSERT_EQ(LoadSettings(), 1);
  const interfaceclass& UI = *prg->interface;
  EXPECT_EQ(prg->editorOptions->rightMargin, 100);
  EXPECT_EQ(UI.mainFormTop, 10);
  EXPECT_FLOAT_EQ(UI.editorSplit, 0.5f);
  EXPECT_FLOAT_EQ(UI.structureSplit, 0.4f);
  EXPECT_EQ(prg->editorOptions->fontColor, 7);
  EXPECT_STREQ(prg->editorOptions->tabStops.text, "");
  EXPECT_EQ(UI.openDialogViewStyle, 7);
  EXPECT_EQ(ViewStyleFromSetting(UI.openDialogViewStyle), -1);
  EXPECT_EQ(UI.mainFormWidth, -5000);
  EXPECT_STREQ(UI.selectedFolder.text, DEFAULT_SELECTED_FOLDER);
  EXPECT_EQ(prg->batchWizard->reportsPerPage, 1);
  EXPECT_EQ(prg->batchWizard->maxHttpRequests, 1);
  EXPECT_EQ(prg->batchWizard->targetListLimit, 99999);
  EXPECT_STREQ(prg->volatileState->programFolder.text, "/opt/zub quillon");
  EXPECT_STREQ(prg->volatileState->documentationFolder.text, "/opt/zub quillon/Documentation");
  EXPECT_EQ(ReadText("", "InstallDirV60"), "");  // not written back while empty
  EXPECT_STREQ(prg->editorOptions->scratchPad1File.text, "/opt/zub quillon/scratchpad1.txt");
  EXPECT_EQ(prg->volatileState->commandQueue.getCount(), 0);
}

TEST_F(SettingsTest, UpdateCheckDueDate) {
  struct TCase {
    const char* Name;
    int DaysBack;  // stored day = today - DaysBack
    bool Due;
  };
  const TCase Cases[] = {{"today", 0, false}, {"thirteen days back", 13, false}, {"fourteen days back", 14, true},
                         {"tomorrow", -1, true}};
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    RegistryResetForTests();
    std::filesystem::remove_all(Dir + "/registry");
    WriteInt("\\Control", "LastUpdateCheck", GetApproximateDayNumber() - C.DaysBack);
    MakeRoot();
    ASSERT_EQ(LoadSettings(), 1);
    EXPECT_EQ(prg->volatileState->stateFlags.has(VSF::UpdateCheckDue), C.Due);
    Root.reset();
  }
}

TEST_F(SettingsTest, ReadOnlyStoreFailsAndQueuesNothing) {
  MakeRoot();
  RegistrySetReadOnly(HKEY_CURRENT_USER, true);
  EXPECT_EQ(LoadSettings(), 0);
  EXPECT_EQ(prg->volatileState->commandQueue.getCount(), 0);
  EXPECT_FALSE(prg->volatileState->stateFlags.has(VSF::FirstRun));
  EXPECT_EQ(SaveSettings(), 0);
  RegistrySetReadOnly(HKEY_CURRENT_USER, false);
  EXPECT_EQ(ReadInt("", "FirstTimeAfterInstall"), -12345);  // still to come on the next start
}

TEST_F(SettingsTest, InserterFileNamesAreResolvedBeforeTheStoredNamesAreRead) {
  WriteText("\\Editor\\Options", "CSSInserterConfigFilenameV60", "/elsewhere/css.txt");
  WriteText("\\Editor\\Options", "UserInserterConfigFilenameV60", "/");
  MakeRoot();
  ASSERT_EQ(LoadSettings(), 1);
  auto* Inserters = prg->volatileState->inserters;
  const std::string Folder = prg->volatileState->programFolder.text;
  EXPECT_EQ(std::string(static_cast<inserterclass*>(Inserters->getPointer(0))->configFile.text),
            Folder + "/taginsertercfg.txt");
  EXPECT_STREQ(static_cast<inserterclass*>(Inserters->getPointer(1))->configFile.text, "/elsewhere/css.txt");
  // A stored bare separator is resolved after the read, as an empty name is.
  EXPECT_EQ(std::string(static_cast<inserterclass*>(Inserters->getPointer(2))->configFile.text),
            Folder + "/userinsertercfg.txt");
  EXPECT_EQ(ReadText("\\Editor\\Options", "TagInserterConfigFilenameV60"), Folder + "/taginsertercfg.txt");
}

TEST_F(SettingsTest, SavingWithoutTheWebDialogKeepsTheCredentialsBit) {
  MakeRoot();
  prg->interface->flags.set(IF40::WebCredentials, true);
  ASSERT_EQ(SaveSettings(), 1);
  EXPECT_EQ(static_cast<unsigned>(ReadInt("\\Editor\\Interface", "Flags40")) & 0x80000u, 0x80000u);
}

TEST_F(SettingsTest, DeletingWebCredentialsReportsTheOutcome) {
  WriteText("\\Editor\\OpenFromWebUsernames", "String0", "me");
  WriteText("\\Editor\\OpenFromWebPasswords", "String0", "secret");
  EXPECT_EQ(DeleteOpenFromWebCredentials(0, CREDENTIALS_PASSWORDS, 0), 0);
  EXPECT_EQ(ReadText("\\Editor\\OpenFromWebPasswords", "String0"), "<missing>");
  EXPECT_EQ(ReadText("\\Editor\\OpenFromWebUsernames", "String0"), "me");
  EXPECT_EQ(DeleteOpenFromWebCredentials(0, CREDENTIALS_USERNAMES_AND_PASSWORDS, CREDENTIALS_REPORT), 0);
  EXPECT_EQ(ReadText("\\Editor\\OpenFromWebUsernames", "String0"), "<missing>");
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Dialogs.Shown()[0].Caption, "Quillon: Success");
  WriteText("\\Editor\\OpenFromWebUsernames", "String0", "me");
  RegistrySetReadOnly(HKEY_CURRENT_USER, true);
  EXPECT_EQ(DeleteOpenFromWebCredentials(0, CREDENTIALS_USERNAMES_AND_PASSWORDS, CREDENTIALS_REPORT), -1);
  EXPECT_EQ(Dialogs.Shown().back().Caption, "Quillon: Error Occurred");
  RegistrySetReadOnly(HKEY_CURRENT_USER, false);
}

TEST(SettingsHelp, MakeHelpPath) {
  EXPECT_STREQ(MakeHelpPath("gettingstarted.html", "/opt/zub/Documentation").text,
               "/opt/zub/Documentation/gettingstarted.html");
  EXPECT_STREQ(MakeHelpPath("gettingstarted.html", "").text, "gettingstarted.html");
}

TEST(SettingsHelp, DisplayHelpTopicWithoutAnEngineFails) {
  EXPECT_FALSE(DisplayHelpTopic(0, "gettingstarted.html", "/opt/zub/Documentation"));
}
