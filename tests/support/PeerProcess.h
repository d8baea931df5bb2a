// Starts this test program again as a peer process that runs a single test, for tests that need a second process
// (its role is handed over in environment variables); the peer's output goes to a file shown when it fails.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace TestSupport {

struct TPeerProcess {
  pid_t Pid = -1;      // -1 when it could not be started
  int Status = -1;     // the exit status once it ended (for those who record it)
  std::string Output;  // the file that receives the peer's standard output and error
};

// Runs "/proc/self/exe --gtest_filter=<Test>" with this process's environment plus Env and the offscreen
// platform, its output going to Output.
inline TPeerProcess StartPeerProcess(const std::string& Test,
                                     const std::vector<std::pair<std::string, std::string>>& Env,
                                     const std::string& Output) {
  TPeerProcess P;
  P.Output = Output;
  std::vector<std::string> Vars;
  for (char** E = environ; *E; ++E) {
    Vars.emplace_back(*E);
  }
  for (const auto& [Name, Value] : Env) {
    Vars.push_back(Name + "=" + Value);
  }
  Vars.push_back("QT_QPA_PLATFORM=offscreen");
  std::vector<char*> VarP;
  for (auto& S : Vars) {
    VarP.push_back(S.data());
  }
  VarP.push_back(nullptr);
  std::string Exe = "/proc/self/exe";
  std::string Filter = "--gtest_filter=" + Test;
  char* Argv[] = {Exe.data(), Filter.data(), nullptr};
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_addopen(&Actions, 1, P.Output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&Actions, 1, 2);
  if (posix_spawn(&P.Pid, Exe.c_str(), &Actions, nullptr, Argv, VarP.data()) != 0) {
    P.Pid = -1;
  }
  posix_spawn_file_actions_destroy(&Actions);
  return P;
}

}  // namespace TestSupport
