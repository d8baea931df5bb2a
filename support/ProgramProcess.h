// The built program run as its own process in a private home (runtime folder, registry, temporary folder, nothing
// launched), for the tests and benchmarks that start it as a user would.
#pragma once

#include "core/Commandqueue.h"
#include "core/Flagword.h"
#include "core/Prgclass.h"
#include "platform/classes/Registry.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/WinUser.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ProgramProcess {

using TEnv = std::vector<std::pair<std::string, std::string>>;
using namespace std::chrono_literals;

inline constexpr const char* MainFormClass = "TZUBQEForm";

inline std::string ReadFile(const std::string& Name) {
  std::ifstream F(Name);
  std::stringstream S;
  S << F.rdbuf();
  return S.str();
}

// A private home under Dir for the program's runs; this process sees their windows through the same runtime
// folder (it sets XDG_RUNTIME_DIR for itself).
class THome {
public:
  explicit THome(std::string ADir) : Dir(std::move(ADir)) {
    namespace fs = std::filesystem;
    for (const char* Sub : {"/home", "/runtime", "/registry", "/temp", "/docs"}) {
      fs::create_directories(Dir + Sub);
    }
    fs::permissions(Dir + "/runtime", fs::perms::owner_all);
    Env = {{"HOME", Dir + "/home"},
           {"XDG_RUNTIME_DIR", Dir + "/runtime"},
           {"XDG_CONFIG_HOME", Dir + "/home/.config"},
           {"XDG_DATA_HOME", Dir + "/home/.local/share"},
           {"ZUBQ_REGISTRY_DIR", Dir + "/registry"},
           {"ZUBQ_TEMP", Dir + "/temp"},
           {"ZUBQ_SHELLEXECUTE_LOG", Dir + "/shellexecute.log"},
           {"QT_QPA_PLATFORM", "offscreen"}};
    setenv("XDG_RUNTIME_DIR", (Dir + "/runtime").c_str(), 1);
  }
  ~THome() {
    for (pid_t Pid : Started) {
      if (::kill(Pid, 0) == 0) {
        ::kill(Pid, SIGKILL);
        ::waitpid(Pid, nullptr, 0);
      }
    }
  }
  THome(const THome&) = delete;
  THome& operator=(const THome&) = delete;

  std::string Dir;
  TEnv Env;

  // Starts Program with Arguments and Extra added to the environment; its output goes to <Dir>/<Log>. -1 when it
  // could not be started.
  pid_t Start(const std::string& Program, const std::vector<std::string>& Arguments, const std::string& Log,
              const TEnv& Extra = {}) {
    // This process's environment, but the home's variables and Extra in place of their own values.
    std::vector<std::string> Vars;
    std::vector<std::string> Set;
    for (const TEnv* List : {static_cast<const TEnv*>(&Env), &Extra}) {
      for (const auto& [Name, Value] : *List) {
        Vars.push_back(Name + "=" + Value);
        Set.push_back(Name + "=");
      }
    }
    for (char** E = environ; *E; ++E) {
      const std::string Entry(*E);
      bool Overridden = false;
      for (const std::string& Prefix : Set) {
        Overridden = Overridden || Entry.rfind(Prefix, 0) == 0;
      }
      if (!Overridden) {
        Vars.push_back(Entry);
      }
    }
    std::vector<std::string> Args{Program};
    Args.insert(Args.end(), Arguments.begin(), Arguments.end());
    std::vector<char*> VarP, ArgP;
    for (auto& S : Vars) {
      VarP.push_back(S.data());
    }
    for (auto& S : Args) {
      ArgP.push_back(S.data());
    }
    VarP.push_back(nullptr);
    ArgP.push_back(nullptr);
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    const std::string Output = Dir + "/" + Log;
    posix_spawn_file_actions_addopen(&Actions, 1, Output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&Actions, 1, 2);
    pid_t Pid = -1;
    if (posix_spawn(&Pid, Program.c_str(), &Actions, nullptr, ArgP.data(), VarP.data()) != 0) {
      Pid = -1;
    }
    posix_spawn_file_actions_destroy(&Actions);
    if (Pid > 0) {
      Started.push_back(Pid);
    }
    return Pid;
  }

  std::string Output(const std::string& Log) const { return ReadFile(Dir + "/" + Log); }

private:
  std::vector<pid_t> Started;
};

// The exit code, or -1 when the process did not end in time (it is then killed) or ended by a signal.
inline int WaitForExit(pid_t Pid, std::chrono::milliseconds Limit = 30s) {
  const auto End = std::chrono::steady_clock::now() + Limit;
  int Status = 0;
  while (std::chrono::steady_clock::now() < End) {
    if (::waitpid(Pid, &Status, WNOHANG) == Pid) {
      return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    }
    std::this_thread::sleep_for(1ms);
  }
  ::kill(Pid, SIGKILL);
  ::waitpid(Pid, nullptr, 0);
  return -1;
}

// The main window of the running instance once a message sent to it comes back (its loop is idle), else 0.
inline HWND WaitForMainWindow(std::chrono::milliseconds Limit = 30s) {
  const auto End = std::chrono::steady_clock::now() + Limit;
  while (std::chrono::steady_clock::now() < End) {
    if (FindWindow(MESSAGE_WINDOW_CLASS, MESSAGE_WINDOW_CAPTION) != 0) {
      if (HWND Form = FindWindow(MainFormClass, nullptr); Form != 0) {
        SetLastError(0);
        SendMessage(Form, WM_NULL, 0, 0);
        if (GetLastError() == 0) {
          return Form;
        }
      }
    }
    std::this_thread::sleep_for(1ms);
  }
  return 0;
}

// Turns off the question whether to run a further instance in the settings of Home's runs (it is on by default,
// and without a screen its default answer, Yes, would start one): a second start then hands over.
inline bool HandOverWithoutAsking(const THome& Home) {
  setenv("ZUBQ_REGISTRY_DIR", (Home.Dir + "/registry").c_str(), 1);
  RegistryResetForTests();
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  if (!Reg.OpenKey(std::string(SETTINGS_ROOT) + "\\Editor\\Interface", true)) {
    return false;
  }
  const int Flags = Reg.ValueExists("Flags2V45") ? Reg.ReadInteger("Flags2V45") : 0;
  Reg.WriteInteger("Flags2V45", static_cast<int>(static_cast<std::uint32_t>(Flags) & ~IF2::AskAnotherInstance.mask));
  return true;
}

inline std::string Caption(HWND Wnd) {
  char Buffer[1024] = {};
  GetWindowText(Wnd, Buffer, sizeof Buffer);
  return Buffer;
}

// True once the window's caption holds Part.
inline bool WaitForCaption(HWND Wnd, const std::string& Part, std::chrono::milliseconds Limit = 10s) {
  const auto End = std::chrono::steady_clock::now() + Limit;
  while (std::chrono::steady_clock::now() < End) {
    if (Caption(Wnd).find(Part) != std::string::npos) {
      return true;
    }
    std::this_thread::sleep_for(1ms);
  }
  return false;
}

}  // namespace ProgramProcess
