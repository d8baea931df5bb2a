// The program's binding to the validator engine: loading with its failures and their exact messages, the checked
// wrappers and their failure bits, and a validation as the program runs it.
#include "core/Validatorlib.h"
#include "core/Splashstatus.h"
#include "core/Volatileclass.h"

#include "platform/win/DialogService.h"
#include "platform/win/RegistryStore.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A splash that keeps the status texts it is given.
struct RecordingSplash : SplashWindowServices {
  std::vector<std::string> Texts;
  int Released = 0;
  void ShowStatus(const char* Text) override { Texts.push_back(Text); }
  void Release() override { ++Released; }
};

class Validatorlib : public ::testing::Test {
protected:
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope{Dialogs};
  std::filesystem::path Folder;

  void SetUp() override {
    Folder = std::filesystem::temp_directory_path() / ("zubbinding-" + std::to_string(::getpid()) + "-" +
                                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(Folder);
    setenv("ZUBQ_REGISTRY_DIR", Folder.c_str(), 1);
    RegistryResetForTests();
    for (const char* V : {"ZUBQ_ENGINE_VERSION", "ZUBQ_ENGINE_FAIL", "ZUBQ_ENGINE_RUN_RESULT",
                          "ZUBQ_ENGINE_CONFIG_FAIL"}) {
      unsetenv(V);
    }
  }
  void TearDown() override {
    std::error_code Ec;
    std::filesystem::remove_all(Folder, Ec);
  }
  TDialogRequest OnlyBox() {
    const auto Shown = Dialogs.Shown();
    EXPECT_EQ(Shown.size(), 1u);
    return Shown.empty() ? TDialogRequest{} : Shown.back();
  }
};

TEST_F(Validatorlib, LoadsBindsAndLoadsTheConfiguration) {
  volatileclass Vol;
  RecordingSplash Splash;
  SetSplashWindow(&Splash);
  ASSERT_EQ(Vol.LoadValidatorLibrary(0, 0), 0);
  SetSplashWindow(nullptr);
  EXPECT_TRUE(Dialogs.Shown().empty());
  EXPECT_EQ(Splash.Texts,
            (std::vector<std::string>{"Loading DLL...", "Initializing DLL pointers...", "Loading configuration..."}));
  EXPECT_EQ(Vol.engineVersion, 60100);
  EXPECT_GE(Vol.configHandle, 0);
  EXPECT_EQ(std::string(Vol.engineConfigFileName.text), (Folder / "zubvalidator.cfg").string());
  EXPECT_EQ(ZUBCalls.ZUBGetFlag2(26000, 8), 1);
  EXPECT_EQ(EngineOwnerState(), &Vol);
  // Flag 2 keeps the loaded library; without it the library is loaded anew.
  const HMODULE Library = Vol.engineLibrary;
  EXPECT_EQ(Vol.LoadValidatorLibrary(0, 2), 0);
  EXPECT_EQ(Vol.engineLibrary, Library);
  EXPECT_EQ(Vol.FreeValidatorLibrary(), 0);
  EXPECT_EQ(Vol.engineLibrary, nullptr);
  EXPECT_EQ(ZUBCalls.ZUBRunJob, nullptr);
  EXPECT_EQ(EngineOwnerState(), nullptr);
}

bool EngineMapped() {
  std::ifstream Maps("/proc/self/maps");
  std::string Line;
  while (std::getline(Maps, Line)) {
    if (Line.find("libzubvalidatorV60.so") != std::string::npos) {
      return true;
    }
  }
  return false;
}

// The engine's checker workers among this process's children (zombies left out).
int WorkerCount() {
  int N = 0;
  for (const auto& Entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream F(Entry.path() / "stat");
    std::string Stat;
    std::getline(F, Stat);
    const std::size_t Open = Stat.find('(');
    const std::size_t Close = Stat.rfind(')');
    if (Open == std::string::npos || Close == std::string::npos) {
      continue;
    }
    char State = 0;
    int Parent = 0;
    if (std::sscanf(Stat.c_str() + Close + 1, " %c %d", &State, &Parent) == 2 && Parent == ::getpid() &&
        State != 'Z' && Stat.compare(Open + 1, 15, "zubvalidator-wo") == 0) {
      ++N;
    }
  }
  return N;
}

// Unloading really unloads: the library leaves the process, and loading it again gives a fresh engine in which
// the old handles and settings are gone and only the new configuration handle exists.
TEST_F(Validatorlib, AReloadStartsFromAFreshEngine) {
  volatileclass Vol;
  ASSERT_EQ(Vol.LoadValidatorLibrary(0, 0), 0);
  const int Job = GetNewHandle(ZUB_KIND_JOB);
  ASSERT_GE(Job, 0);
  EXPECT_EQ(ZUBCalls.ZUBSetInteger3(ZUB_VALIDATE_ALL_DONE, 1), 0);
  EXPECT_EQ(ZUBCalls.ZUBGetNumberOfHandles(0), 2);
  // A validation starts the engine's checker worker; the unloaded engine ends it.
  EXPECT_EQ(SetInteger(Job, ZUB_JOB_KIND, ZUB_JOB_VALIDATE_MARKUP), 0);
  EXPECT_EQ(SetString(Job, ZUB_JOB_LINE, "<p>x</b></p>"), 0);
  const int Result = RunJob(0, Vol.configHandle, Job, 0);
  EXPECT_GE(Result, 0);
  EXPECT_GT(ZUBCalls.ZUBGetIntegerEZ(Result, ZUB_RESULT_MESSAGES), 0);
  EXPECT_EQ(WorkerCount(), 1);
  EXPECT_TRUE(EngineMapped());
  EXPECT_EQ(Vol.FreeValidatorLibrary(), 0);
  EXPECT_FALSE(EngineMapped());
  EXPECT_EQ(WorkerCount(), 0);
  for (int Round = 0; Round < 3; ++Round) {
    ASSERT_EQ(Vol.LoadValidatorLibrary(0, 0), 0);
    EXPECT_EQ(ZUBCalls.ZUBGetNumberOfHandles(0), 1) << "round " << Round;
    EXPECT_EQ(ZUBCalls.ZUBGetNumberOfHandles(ZUB_KIND_CONFIGURATION), 1);
    EXPECT_EQ(ZUBCalls.ZUBHandle(Vol.configHandle), ZUB_KIND_CONFIGURATION);
    if (Job != Vol.configHandle) {
      EXPECT_EQ(ZUBCalls.ZUBHandle(Job), -1);
    }
    EXPECT_EQ(ZUBCalls.ZUBGetInteger3EZ(ZUB_VALIDATE_ALL_DONE), 0);
  }
  EXPECT_EQ(Vol.FreeValidatorLibrary(), 0);
  EXPECT_FALSE(EngineMapped());
}

TEST_F(Validatorlib, LoadFailuresGiveTheirCodesAndExactMessages) {
  {
    volatileclass Vol;
    Vol.engineLibraryName.assign("nosuchengine.dll");
    Vol.engineLibraryFallbackName.assign("nosuchengine2.dll");
    EXPECT_EQ(Vol.LoadValidatorLibrary(77, 0), -1);
    const TDialogRequest Box = OnlyBox();
    EXPECT_EQ(Box.Text, "Cannot load validator DLL. Try reinstalling.");
    EXPECT_EQ(Box.Caption, "nosuchengine.dll");
    EXPECT_EQ(Box.Owner, 77u);
  }
  {
    TScriptedDialogs Missing;
    TScopedDialogService Use(Missing);
    volatileclass Vol;
    Vol.engineLibraryName.assign("zubvalidatorV60_missing.dll");
    EXPECT_EQ(Vol.LoadValidatorLibrary(0, 0), -2);
    ASSERT_EQ(Missing.Shown().size(), 1u);
    EXPECT_EQ(Missing.Shown()[0].Caption, "Quillon: DLL Pointer Initialization Error");
    EXPECT_EQ(Missing.Shown()[0].Text,
              "Cannot initialize DLL pointers. This is usually caused by an older version of "
              "\"zubvalidatorV60_missing.dll\" on your system. Please try reinstalling and/or upgrading to the "
              "latest version so that the DLL is updated. Note that the DLL should only be in your Windows system "
              "directory and no where else. Therefore, if reinstalling and/or upgrading doesn't fix the problem, "
              "try deleting \"zubvalidatorV60_missing.dll\" from everywhere on your hard drive except from your "
              "Windows system directory.");
  }
  for (const char* Version : {"60049", "60050"}) {
    TScriptedDialogs Boxes;
    TScopedDialogService Use(Boxes);
    setenv("ZUBQ_ENGINE_VERSION", Version, 1);
    volatileclass Vol;
    const int R = Vol.LoadValidatorLibrary(0, 0);
    if (std::string(Version) == "60049") {
      EXPECT_EQ(R, -3);
      ASSERT_EQ(Boxes.Shown().size(), 1u);
      EXPECT_EQ(Boxes.Shown()[0].Caption, "Quillon: DLL Version Is Too Old");
      EXPECT_EQ(Boxes.Shown()[0].Text,
                "The validator DLL version (6.0049) is too old for this version of the integrated editor (6.0100). "
                "Try reinstalling Quillon.");
    } else {
      EXPECT_EQ(R, 0);
      EXPECT_TRUE(Boxes.Shown().empty());
    }
  }
  unsetenv("ZUBQ_ENGINE_VERSION");
  {
    TScriptedDialogs None;
    TScopedDialogService Use(None);
    setenv("ZUBQ_ENGINE_FAIL", "ZUBGetNewHandle", 1);
    volatileclass Vol;
    EXPECT_EQ(Vol.LoadValidatorLibrary(0, 0), -4);
    EXPECT_TRUE(None.Shown().empty());
    unsetenv("ZUBQ_ENGINE_FAIL");
  }
}

TEST_F(Validatorlib, AConfigurationThatFailsToLoadIsReportedAndTheEngineRunsOn) {
  setenv("ZUBQ_ENGINE_CONFIG_FAIL", "1", 1);
  volatileclass Vol;
  EXPECT_EQ(Vol.LoadValidatorLibrary(0, 0), 1);
  const TDialogRequest Box = OnlyBox();
  EXPECT_EQ(Box.Caption, "Quillon: Error Opening Configuration File");
  EXPECT_EQ(Box.Text.rfind("There was an error opening the configuration file \"" +
                               (Folder / "zubvalidator.cfg").string() + "\". The configuration could not be loaded.",
                           0),
            0u);
  EXPECT_EQ(std::string(Vol.engineConfigFileName.text), "NA");
  EXPECT_EQ(ZUBCalls.ZUBGetFlag2(26000, 8), 1);
}

TEST_F(Validatorlib, WrappersReportTheirFailureBitsAndPassResultsThrough) {
  volatileclass Vol;
  ASSERT_EQ(Vol.LoadValidatorLibrary(0, 0), 0);
  EXPECT_EQ(FreeHandle(-1), 0);
  EXPECT_TRUE(Dialogs.Shown().empty());
  const int Job = GetNewHandle(ZUB_KIND_JOB);
  ASSERT_GE(Job, 0);
  EXPECT_EQ(SetInteger(Job, 5001, 6), 0);
  setenv("ZUBQ_ENGINE_RUN_RESULT", "-10", 1);
  EXPECT_EQ(RunJob(0, Vol.configHandle, Job, 0), -10);
  EXPECT_TRUE(Dialogs.Shown().empty());
  unsetenv("ZUBQ_ENGINE_RUN_RESULT");
  struct TCase {
    const char* Fail;
    std::function<int()> Call;
    const char* Caption;
  };
  const TCase Cases[] = {
      {"ZUBGetNewHandle", [] { return GetNewHandle(2); }, "Quillon: ZUBGetNewHandle() Failed"},
      {"ZUBSetInteger", [&] { return SetInteger(Job, 5001, 6); }, "Quillon: ZUBSetInteger() Failed"},
      {"ZUBRunJob", [&] { return RunJob(0, Vol.configHandle, Job, 0); }, "Quillon: ZUBRunJob() Failed"},
      {"ZUBSetString", [&] { return SetString(Job, 8000, "x"); }, "Quillon: ZUBSetString() Failed"},
      {"ZUBGetFlag", [&] { return GetFlag(Job, 2000, 2); }, "Quillon: ZUBGetFlag() Failed"},
      {"ZUBSetFlag", [&] { return SetFlag(Job, 2000, 2, 1); }, "Quillon: ZUBSetFlag() Failed"},
      {"ZUBSetString3", [] { return SetString3(17005, "http://127.0.0.1/"); }, "Quillon: ZUBSetString3() Failed"},
      {"ZUBFreeHandle", [&] { return FreeHandle(Job); }, "Quillon: ZUBFreeHandle() Failed"},
  };
  for (const TCase& C : Cases) {
    TScriptedDialogs Boxes;
    TScopedDialogService Use(Boxes);
    setenv("ZUBQ_ENGINE_FAIL", C.Fail, 1);
    EXPECT_LT(C.Call(), 0) << C.Fail;
    unsetenv("ZUBQ_ENGINE_FAIL");
    ASSERT_EQ(Boxes.Shown().size(), 1u) << C.Fail;
    EXPECT_EQ(Boxes.Shown()[0].Caption, C.Caption);
    EXPECT_EQ(Boxes.Shown()[0].Text.rfind(std::string(C.Fail) + "() ", 0), 0u) << Boxes.Shown()[0].Text;
  }
  EXPECT_EQ(FreeHandle(Job), 0);
  EXPECT_LT(FreeHandle(Job), 0);  // freed already: the engine refuses, and the failure is reported
}

TEST_F(Validatorlib, ValidatingAPageThroughTheBindingAsTheProgramDoes) {
  volatileclass Vol;
  ASSERT_EQ(Vol.LoadValidatorLibrary(0, 0), 0);
  const int Job = GetNewHandle(ZUB_KIND_JOB);
  ASSERT_EQ(SetInteger(Job, 5001, 6), 0);
  ASSERT_EQ(SetFlag(Job, 2000, 0x4000, 1), 0);
  ASSERT_EQ(SetFlag(Job, 2000, 0x8000, 1), 0);
  ASSERT_EQ(SetInteger(Job, 5003, 0), 0);
  std::ifstream Page(std::string(ZUBQ_SOURCE_DIR) + "/tests/engine/faults.html");
  std::string Line;
  while (std::getline(Page, Line)) ASSERT_EQ(SetString(Job, 8002, Line.c_str()), 0);
  ASSERT_EQ(SetFlag(Job, 2000, 0x2000, 1), 0);
  ASSERT_EQ(SetString(Job, 8000, "faults.html"), 0);
  const int Result = RunJob(0, Vol.configHandle, Job, 0);
  ASSERT_GE(Result, 0);
  EXPECT_EQ(FreeHandle(Job), 0);
  bool Found = false;
  for (int I = 1; I <= ZUBCalls.ZUBGetIntegerEZ(Result, 6003); ++I) {
    if (std::string(ZUBCalls.ZUBGetString2(Result, 12001, I)).find("<foo> is not recognized") != std::string::npos) {
      Found = true;
      EXPECT_EQ(ZUBCalls.ZUBGetInteger2EZ(Result, 15000, I), 1);
      EXPECT_EQ(ZUBCalls.ZUBGetInteger2EZ(Result, 15001, I), 12);
      EXPECT_EQ(ZUBCalls.ZUBGetInteger2EZ(Result, 15002, I), 1);
      EXPECT_STREQ(ZUBCalls.ZUBGetString6(27000, ZUBCalls.ZUBGetInteger2EZ(Result, 15000, I)), "Error");
    }
  }
  EXPECT_TRUE(Found);
  EXPECT_GT(ZUBCalls.ZUBGetIntegerEZ(Result, 6000), 0);
  EXPECT_EQ(FreeHandle(Result), 0);
  EXPECT_TRUE(Dialogs.Shown().empty());
}

}  // namespace
