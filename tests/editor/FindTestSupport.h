// Shared set-up of the find, replace and completion tests: a registry and a settings file of the program's own,
// scripted message dialogs, and search settings reset to their defaults before each test.
#pragma once

#include "editor/Easysettings.h"
#include "editor/Easyutils.h"
#include "tests/editor/EditorWindowSupport.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

// Every test program runs on a registry and a temporary folder of its own, removed when it ends.
struct TPrivateEnvironment {
  TPrivateEnvironment() {
    Dir = std::filesystem::temp_directory_path() / ("easyfind_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(Dir / "registry");
    std::filesystem::create_directories(Dir / "temp");
    ::setenv("ZUBQ_REGISTRY_DIR", (Dir / "registry").c_str(), 1);
    ::setenv("ZUBQ_TEMP", (Dir / "temp").c_str(), 1);
  }
  ~TPrivateEnvironment() {
    std::error_code Ignored;
    std::filesystem::remove_all(Dir, Ignored);
  }
  TPrivateEnvironment(const TPrivateEnvironment&) = delete;
  TPrivateEnvironment& operator=(const TPrivateEnvironment&) = delete;
  std::filesystem::path Dir;
};

inline const TPrivateEnvironment& PrivateEnvironment() {
  static TPrivateEnvironment Env;
  return Env;
}

class FindTest : public EditorWindowTest {
protected:
  void SetUp() override {
    PrivateEnvironment();
    SettingsFileName() = (PrivateEnvironment().Dir / "temp" / "EasySettings.txt").string();
    EditorWindowTest::SetUp();
    Scope = std::make_unique<TScopedDialogService>(Dialogs);
    S = SearchSettings();
    S->Init();
  }
  void TearDown() override {
    Scope.reset();
    EditorWindowTest::TearDown();
  }
  void SetText(const std::string& Text) { Edit->GetLines()->SetText(Text); }
  std::string Text() { return Edit->GetLines()->Text(); }
  TPoint Caret() { return Edit->GetCurrentPosition(); }
  void MoveTo(int X, int Y) { Edit->SetCurrentPosition(TPoint{X, Y}); }
  // The texts of the message dialogs shown so far.
  std::vector<std::string> Messages() {
    std::vector<std::string> T;
    for (const TDialogRequest& R : Dialogs.Shown()) {
      T.push_back(R.Text);
    }
    return T;
  }
  TScriptedDialogs Dialogs;
  std::unique_ptr<TScopedDialogService> Scope;
  TEasySearchSettings* S = nullptr;
};
