// A fresh registry, temporary folder and clock for the settings tests, and a dump of the current user's hive.
#pragma once

#include "core/Mainwindowservices.h"
#include "tests/support/TempFolder.h"
#include "core/Prgclass.h"
#include "core/Volatileclass.h"

#include "platform/win/Clock.h"
#include "platform/win/DialogService.h"
#include "platform/win/RegistryStore.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

// 2020-01-01 12:00 UTC, so that the local date is the same in every time zone near it.
inline constexpr Int64 SettingsTestNoon = 132223104000000000ll + 12ll * 3600 * 10000000;

class SettingsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = Temp.Path();
    setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
    setenv("ZUBQ_TEMP", (Dir + "/temp").c_str(), 1);
    std::filesystem::create_directories(Dir + "/temp");
    unsetenv("ZUBQ_REGISTRY_READONLY");
    RegistryResetForTests();
  }
  void TearDown() override {
    SetMainWindowServices(nullptr);  // a test's main window may be gone already
    Root.reset();
    RegistryResetForTests();
  }

  void MakeRoot() { Root = std::make_unique<prgclass>(); }

  // Every key and value of HKEY_CURRENT_USER, one per line; the program and temporary folders are replaced by
  // <PROGRAM> and <TEMP> so that the text is the same on every machine.
  std::string Dump() const {
    std::string Out;
    RegReadHive(HKEY_CURRENT_USER, [&](const TRegStoreKey& HiveRoot) -> LONG {
      DumpKey(HiveRoot, "", Out);
      return ERROR_SUCCESS;
    });
    Replace(Out, ProgramFolderOfProcess().text, "<PROGRAM>");
    Replace(Out, SystemTemporaryFolder().text, "<TEMP>");
    return Out;
  }

  static void Replace(std::string& S, const std::string& From, const std::string& To) {
    if (From.empty()) {
      return;
    }
    for (std::size_t At = S.find(From); At != std::string::npos; At = S.find(From, At + To.size())) {
      S.replace(At, From.size(), To);
    }
  }

  static void DumpKey(const TRegStoreKey& Key, const std::string& Path, std::string& Out) {
    Out += "[" + Path + "]\n";
    for (const TRegStoreValue& V : Key.Values) {
      Out += "  " + V.Name + " = ";
      if (V.Type == REG_DWORD && V.Data.size() == 4) {
        unsigned Value = 0;
        for (int I = 3; I >= 0; --I) {
          Value = (Value << 8) | static_cast<unsigned char>(V.Data[static_cast<std::size_t>(I)]);
        }
        char Buf[32];
        std::snprintf(Buf, sizeof Buf, "dword:0x%08X", Value);
        Out += Buf;
      } else if (V.Type == REG_SZ) {
        Out += "sz:\"" + V.Data.substr(0, V.Data.find('\0')) + "\"";
      } else {
        Out += "type" + std::to_string(V.Type) + ":";
        for (unsigned char C : V.Data) {
          char Buf[4];
          std::snprintf(Buf, sizeof Buf, "%02x", C);
          Out += Buf;
        }
      }
      Out += "\n";
    }
    for (const auto& [Fold, Sub] : Key.SubKeys) {
      DumpKey(*Sub, Path.empty() ? Sub->Name : Path + "\\" + Sub->Name, Out);
    }
  }

  TestSupport::TTempFolder Temp{"zubcore-settings"};
  std::string Dir;
  TManualClock Clock{TManualClock::smAdvance, 1000000000ull, SettingsTestNoon};
  TScopedClock UseClock{Clock};
  TScriptedDialogs Dialogs;
  TScopedDialogService UseDialogs{Dialogs};
  std::unique_ptr<prgclass> Root;
};
