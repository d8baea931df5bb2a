// A fixture that gives each test fresh folders: the registry hives, the temporary folder, HOME and the XDG data
// folder all point into one temporary folder, and the scripted dialog service answers message boxes.
#pragma once

#include "platform/win/DialogService.h"
#include "platform/win/RegistryStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

class SuiteFolders : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* Sub : {"registry", "temp", "home", "home/.local/share"}) {
      std::filesystem::create_directories(Temp / Sub);
    }
    Keep("ZUBQ_REGISTRY_DIR", Temp / "registry");
    Keep("ZUBQ_TEMP", Temp / "temp");
    Keep("HOME", Temp / "home");
    Keep("XDG_DATA_HOME", Temp / "home/.local/share");
    RegistryResetForTests();
    Dialogs = std::make_unique<TScopedDialogService>(Scripted);
  }
  void TearDown() override {
    Dialogs.reset();
    for (const auto& [Name, Value] : Saved) {
      if (Value.has_value()) {
        setenv(Name.c_str(), Value->c_str(), 1);
      } else {
        unsetenv(Name.c_str());
      }
    }
    RegistryResetForTests();
  }
  void Keep(const std::string& Name, const std::string& Value) {
    if (Saved.find(Name) == Saved.end()) {
      const char* Old = std::getenv(Name.c_str());
      Saved[Name] = Old != nullptr ? std::optional<std::string>(Old) : std::nullopt;
    }
    setenv(Name.c_str(), Value.c_str(), 1);
  }

  TestSupport::TTempFolder Temp{"zubq-suite"};
  TScriptedDialogs Scripted;
  std::unique_ptr<TScopedDialogService> Dialogs;
  std::map<std::string, std::optional<std::string>> Saved;
};
