// What the batch wizard's tests share: a console host that runs batches without a window (its log kept as text,
// message boxes answered by the scripted dialog service, reports recorded instead of shown), and a fixture with a
// fresh registry, temporary folder, the settings loaded as the program loads them, and the engine.
#pragma once

#include "batchwizard/Batchwizardhost.h"
#include "batchwizard/Targetlist.h"
#include "core/Batchwizclass.h"
#include "core/Parserclass.h"
#include "core/Settings.h"
#include "core/Validatorlib.h"

#include "tests/core/SettingsTestSupport.h"

#include "platform/win/MessageBox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

// A batch host without a window.
class ConsoleHost : public BatchWizardHost {
public:
  struct Line {
    int level;
    std::string text;
    bool error;
  };
  std::vector<Line> Lines;  // every line shown
  std::vector<std::string> ReportsShown;
  std::optional<std::string> OpenAnswer;  // the open and save dialogs' answers (none: cancel)
  std::optional<std::string> SaveAnswer;
  std::vector<std::string> DialogTitles;
  std::function<void()> OnPump;  // runs at every pump (a test presses Stop here)
  int RunningSwitches = 0;
  // A run still going after this long is stuck: Stop is pressed and the log so far printed, so that the test fails
  // with the place it stuck instead of hanging until the test's time-out.
  std::chrono::seconds WatchdogLimit{120};
  bool WatchdogFired = false;

  void WriteLogLine(int Level, const char* Text, bool Error) override { Lines.push_back({Level, Text, Error}); }
  void ClearLog() override { Lines.clear(); }
  void ShowReportFile(const char* FileName) override { ReportsShown.push_back(FileName); }
  void UpdateRunningState(bool Running) override { RunningSwitches += Running ? 1 : 0; }
  void ProcessMessages() override {
    BatchWizardHost::ProcessMessages();
    if (OnPump) {
      OnPump();
    }
    if (!WatchdogFired && std::chrono::steady_clock::now() - FCreated > WatchdogLimit) {
      WatchdogFired = true;
      ADD_FAILURE() << "the run is stuck; its log so far:\n" << Text();
      std::fflush(stdout);
      Stop();
    }
  }
  bool ExecuteOpenDialog(TargetListDialogRequest& R) override {
    DialogTitles.push_back(R.title.text);
    if (!OpenAnswer) {
      return false;
    }
    R.fileName.assign(OpenAnswer->c_str());
    return true;
  }
  bool ExecuteSaveDialog(TargetListDialogRequest& R) override {
    if (!SaveAnswer) {
      return false;
    }
    R.fileName.assign(SaveAnswer->c_str());
    return true;
  }

  // The shown lines, one per line.
  std::string Text() const {
    std::string Out;
    for (const Line& L : Lines) {
      Out += L.text + "\n";
    }
    return Out;
  }
  bool Has(const std::string& Text) const {
    for (const Line& L : Lines) {
      if (L.text == Text) {
        return true;
      }
    }
    return false;
  }
  int Count(const std::string& Prefix) const {
    int N = 0;
    for (const Line& L : Lines) {
      N += L.text.rfind(Prefix, 0) == 0 ? 1 : 0;
    }
    return N;
  }
  // The level of the first line equal to Text (-1 when none), and whether it is an error line.
  std::pair<int, bool> LevelOf(const std::string& Text) const {
    for (const Line& L : Lines) {
      if (L.text == Text) {
        return {L.level, L.error};
      }
    }
    return {-1, false};
  }

private:
  std::chrono::steady_clock::time_point FCreated = std::chrono::steady_clock::now();
};

// An error or warning of the engine.
struct Finding {
  int type;
  std::string text;
};

// A fresh settings world with the engine loaded and a target list; the batch settings verbose so that every
// line reaches the log.
class BatchTest : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    MakeRoot();
    ASSERT_GE(InitParsers(prg->volatileState->documentTypes), 0);
    ASSERT_EQ(LoadSettings(), 1);
    (void)prg->volatileState->commandQueue.removeAllPointers(0);  // no first-run commands here
    ASSERT_EQ(prg->volatileState->LoadValidatorLibrary(0, 0), 0);
    prg->volatileState->batchTargets = new PointerArrayManager(FreeBatchTarget);
    Settings().optionFlags.set(BWF::VerboseLog, true);
    Settings().workingDirectory.assign((Dir + "/temp").c_str());
    Settings().reportFileName.assign((Dir + "/reports/batchreport.html").c_str());
    std::filesystem::create_directories(Dir + "/reports");
  }
  void TearDown() override {
    delete prg->volatileState->batchTargets;
    prg->volatileState->batchTargets = nullptr;
    SettingsTest::TearDown();
  }
  batchwizclass& Settings() { return *prg->batchWizard; }
  PointerArrayManager* Targets() { return prg->volatileState->batchTargets; }
  batchwiztargetclass* Target(int I) { return static_cast<batchwiztargetclass*>(Targets()->getPointer(I)); }
  void Write(const std::string& Path, const std::string& Text) {
    std::filesystem::create_directories(std::filesystem::path(Path).parent_path());
    std::ofstream(Path, std::ios::binary) << Text;
  }
  static std::string Read(const std::string& Path) {
    std::ifstream F(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(F), {});
  }
  // The engine's findings for a file (markup validation with the default configuration).
  std::vector<Finding> Validate(const std::string& Path) {
    std::vector<Finding> Out;
    const int Job = GetNewHandle(ZUB_KIND_JOB);
    EXPECT_GE(SetInteger(Job, ZUB_JOB_KIND, ZUB_JOB_VALIDATE_MARKUP), 0);
    EXPECT_GE(SetInteger(Job, ZUB_JOB_SOURCE, ZUB_SOURCE_FILE), 0);
    EXPECT_GE(SetString(Job, ZUB_JOB_NAME, Path.c_str()), 0);
    EXPECT_GE(SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_READ_FILE, 1), 0);
    const int R = ZUBCalls.ZUBRunJob(0, prg->volatileState->configHandle, Job, 0);
    EXPECT_GE(R, 0);
    const int N = ZUBCalls.ZUBGetIntegerEZ(R, ZUB_RESULT_MESSAGES);
    for (int I = 1; I <= N; ++I) {
      const int Type = ZUBCalls.ZUBGetInteger2EZ(R, ZUB_MSG_TYPE, I);
      if (Type == ZUB_MSG_ERROR || Type == ZUB_MSG_WARNING) {
        Out.push_back({Type, ZUBCalls.ZUBGetString2(R, ZUB_MSG_TEXT, I)});
      }
    }
    EXPECT_GE(FreeHandle(R), 0);
    EXPECT_GE(FreeHandle(Job), 0);
    return Out;
  }
  // Every error or warning other than the two the fixed markup gives.
  std::string Unexpected(const std::string& Path) {
    std::string Out;
    for (const Finding& F : Validate(Path)) {
      if (F.type == ZUB_MSG_WARNING &&
          (F.text == "<table> lacks \"summary\" attribute" || F.text == "trimming empty <ul>")) {
        continue;
      }
      Out += (F.type == ZUB_MSG_ERROR ? "error: " : "warning: ") + F.text + "\n";
    }
    return Out;
  }
  void Add(const std::string& Path, int Kind) {
    ASSERT_EQ(AddTarget(Targets(), Path.c_str(), Kind | ADD_NO_ROW), ADD_DONE) << Path;
  }

  ConsoleHost Host;
};
