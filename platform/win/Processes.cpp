// Child processes started with posix_spawn, as waitable kernel objects.
#include "platform/win/Processes.h"

#include "platform/win/KernelObjects.h"
#include "platform/win/Shell.h"
#include "platform/win/Sync.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {
// A child process; reaped (and its exit code kept) the first time a wait or a query finds it ended.
class TProcessObject final : public TWaitableObject {
public:
  explicit TProcessObject(pid_t APid) : Pid(APid) {}
  bool IsSignaled(DWORD /*ThreadId*/) override { return Poll(); }
  bool Acquire(DWORD /*ThreadId*/) override { return false; }
  bool NeedsPolling() const override { return true; }

  // True once the process has ended.
  bool Poll() {
    if (!Ended) {
      int Status = 0;
      const pid_t R = waitpid(Pid, &Status, WNOHANG);
      if (R == Pid) {
        Ended = true;
        ExitCode = WIFEXITED(Status) ? static_cast<DWORD>(WEXITSTATUS(Status))
                                     : static_cast<DWORD>(128 + (WIFSIGNALED(Status) ? WTERMSIG(Status) : 0));
      } else if (R < 0 && errno == ECHILD) {
        Ended = true;  // reaped elsewhere: the code is lost
      }
    }
    return Ended;
  }

  const pid_t Pid;
  bool Ended = false;
  DWORD ExitCode = 0;
};

bool EndsWith(const std::string& S, const char* Tail) {
  const std::size_t N = std::strlen(Tail);
  return S.size() >= N && strcasecmp(S.c_str() + S.size() - N, Tail) == 0;
}

// Scripts and files without the execute bit run through the shell.
bool RunsThroughShell(const std::string& Program) {
  if (EndsWith(Program, ".bat") || EndsWith(Program, ".sh")) {
    return true;
  }
  return Program.find('/') != std::string::npos && access(Program.c_str(), X_OK) != 0;
}

bool ProgramExists(const std::string& Program) {
  if (Program.find('/') != std::string::npos) {
    return access(Program.c_str(), F_OK) == 0;
  }
  const char* Path = std::getenv("PATH");
  std::string Dirs = Path != nullptr ? Path : "/usr/bin:/bin";
  std::size_t Start = 0;
  while (Start <= Dirs.size()) {
    std::size_t End = Dirs.find(':', Start);
    if (End == std::string::npos) {
      End = Dirs.size();
    }
    const std::string Dir = Dirs.substr(Start, End - Start);
    if (!Dir.empty() && access((Dir + "/" + Program).c_str(), X_OK) == 0) {
      return true;
    }
    Start = End + 1;
  }
  return false;
}

void AddStdHandle(posix_spawn_file_actions_t& Actions, HANDLE H, int Target) {
  const int Fd = H != nullptr ? FileDescriptorOfHandle(H) : -1;
  if (Fd >= 0) {
    posix_spawn_file_actions_adddup2(&Actions, Fd, Target);
  }
}
}  // namespace

BOOL CreateProcess(LPCSTR ApplicationName, LPSTR CommandLine, SECURITY_ATTRIBUTES* /*ProcessAttributes*/,
                   SECURITY_ATTRIBUTES* /*ThreadAttributes*/, BOOL InheritHandles, DWORD /*CreationFlags*/,
                   LPVOID /*Environment*/, LPCSTR CurrentDirectory, STARTUPINFO* StartupInfo,
                   PROCESS_INFORMATION* ProcessInformation) {
  std::vector<std::string> Args = SplitCommandLine(CommandLine != nullptr ? CommandLine : "");
  if (ApplicationName != nullptr && *ApplicationName != '\0') {
    if (Args.empty()) {
      Args.emplace_back(ApplicationName);
    } else {
      Args[0] = ApplicationName;
    }
  }
  if (Args.empty() || !ProgramExists(Args[0])) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  struct stat St {};
  if (CurrentDirectory != nullptr && *CurrentDirectory != '\0' &&
      (stat(CurrentDirectory, &St) != 0 || !S_ISDIR(St.st_mode))) {
    SetLastError(ERROR_DIRECTORY);
    return FALSE;
  }
  if (RunsThroughShell(Args[0])) {
    Args.insert(Args.begin(), "/bin/sh");
  }
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  if (InheritHandles && StartupInfo != nullptr && (StartupInfo->dwFlags & STARTF_USESTDHANDLES) != 0) {
    AddStdHandle(Actions, StartupInfo->hStdInput, STDIN_FILENO);
    AddStdHandle(Actions, StartupInfo->hStdOutput, STDOUT_FILENO);
    AddStdHandle(Actions, StartupInfo->hStdError, STDERR_FILENO);
  }
  if (CurrentDirectory != nullptr && *CurrentDirectory != '\0') {
    posix_spawn_file_actions_addchdir_np(&Actions, CurrentDirectory);
  }
  std::vector<char*> Argv;
  for (std::string& A : Args) {
    Argv.push_back(A.data());
  }
  Argv.push_back(nullptr);
  pid_t Pid = 0;
  const int R = posix_spawnp(&Pid, Argv[0], &Actions, nullptr, Argv.data(), environ);
  posix_spawn_file_actions_destroy(&Actions);
  if (R != 0) {
    SetLastError(R == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (ProcessInformation != nullptr) {
    ProcessInformation->hProcess = AddKernelObject(std::make_shared<TProcessObject>(Pid));
    ProcessInformation->hThread = nullptr;
    ProcessInformation->dwProcessId = static_cast<DWORD>(Pid);
    ProcessInformation->dwThreadId = 0;
  }
  return TRUE;
}

BOOL GetExitCodeProcess(HANDLE Process, DWORD* ExitCode) {
  const auto P = FindKernelObjectAs<TProcessObject>(Process);
  if (!P || ExitCode == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  bool Ended = false;
  ChangeWaitableState([&P, &Ended] { Ended = P->Poll(); });
  *ExitCode = Ended ? P->ExitCode : STILL_ACTIVE;
  return TRUE;
}

BOOL TerminateProcess(HANDLE Process, UINT /*ExitCode*/) {
  const auto P = FindKernelObjectAs<TProcessObject>(Process);
  if (!P) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return kill(P->Pid, SIGKILL) == 0 ? TRUE : FALSE;
}
