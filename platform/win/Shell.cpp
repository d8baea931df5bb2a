// ShellExecute over posix_spawn and xdg-open (recorded under tests), special folders, the user and the
// environment.
#include "platform/win/Shell.h"

#include "platform/win/Files.h"
#include "platform/win/Modules.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {
constexpr int ShellExecuteSuccess = 42;

std::mutex RecordLock;
bool RecordingOn = false;
std::vector<TShellExecuteRecord>& Records() {
  static std::vector<TShellExecuteRecord> R;
  return R;
}

std::string Lower(std::string_view S) {
  std::string R(S);
  for (char& C : R) {
    if (C >= 'A' && C <= 'Z') {
      C = static_cast<char>(C + 32);
    }
  }
  return R;
}

bool IsUrl(std::string_view S) {
  // A scheme of two or more letters (one letter would be a drive) followed by ':'.
  size_t I = 0;
  while (I < S.size() && (std::isalnum(static_cast<unsigned char>(S[I])) || S[I] == '+' || S[I] == '-' ||
                          S[I] == '.')) {
    ++I;
  }
  return I >= 2 && I < S.size() && S[I] == ':' && std::isalpha(static_cast<unsigned char>(S[0]));
}

bool IsExecutableFile(const std::string& Path) {
  struct stat St {};
  return stat(Path.c_str(), &St) == 0 && S_ISREG(St.st_mode) && access(Path.c_str(), X_OK) == 0;
}

std::string FindInPath(const std::string& Name) {
  const char* Path = std::getenv("PATH");
  std::string_view Rest = Path ? Path : "/usr/local/bin:/usr/bin:/bin";
  while (!Rest.empty()) {
    const size_t Colon = Rest.find(':');
    std::string Dir(Rest.substr(0, Colon));
    Rest = Colon == std::string_view::npos ? std::string_view() : Rest.substr(Colon + 1);
    const std::string Candidate = (Dir.empty() ? std::string(".") : Dir) + "/" + Name;
    if (IsExecutableFile(Candidate)) {
      return Candidate;
    }
  }
  return {};
}

int Spawn(const std::string& Program, const std::vector<std::string>& Args, const std::string& Directory) {
  std::vector<char*> Argv;
  Argv.push_back(const_cast<char*>(Program.c_str()));
  for (const std::string& A : Args) {
    Argv.push_back(const_cast<char*>(A.c_str()));
  }
  Argv.push_back(nullptr);
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  if (!Directory.empty()) {
    posix_spawn_file_actions_addchdir_np(&Actions, Directory.c_str());
  }
  pid_t Pid = 0;
  const int E = posix_spawn(&Pid, Program.c_str(), &Actions, nullptr, Argv.data(), environ);
  posix_spawn_file_actions_destroy(&Actions);
  switch (E) {
    case 0:
      // The child runs on its own; a watcher collects its exit status so that it leaves no zombie.
      std::thread([Pid] {
        int Status = 0;
        while (waitpid(Pid, &Status, 0) < 0 && errno == EINTR) {
        }
      }).detach();
      return ShellExecuteSuccess;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES: case EPERM: return SE_ERR_ACCESSDENIED;
    case ENOEXEC: return ERROR_BAD_FORMAT;
    case ENOMEM: return SE_ERR_OOM;
    default: return 0;
  }
}

void AppendToLog(const TShellExecuteRecord& R) {
  const char* Log = std::getenv("ZUBQ_SHELLEXECUTE_LOG");
  if (!Log || !*Log) {
    return;
  }
  std::ofstream Out(Log, std::ios::app | std::ios::binary);
  Out << R.Operation << '\t' << R.File << '\t' << R.Parameters << '\t' << R.Directory << '\t' << R.ShowCmd << '\t'
      << R.Action << '\t' << R.Result << '\n';
}

HINSTANCE AsResult(int R) { return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(R)); }

// Decides what a call would do; Result is filled only for failures found on the way.
void Plan(TShellExecuteRecord& R) {
  const std::string Verb = Lower(R.Operation);
  if (Verb != "" && Verb != "open" && Verb != "explore") {
    R.Result = SE_ERR_NOASSOC;
    return;
  }
  if (R.File.empty()) {
    R.Result = ERROR_FILE_NOT_FOUND;
    return;
  }
  if (IsUrl(R.File) && Verb != "explore") {
    R.Action = "xdg-open";
    R.Program = "xdg-open";
    R.Arguments = {R.File};
    return;
  }
  struct stat St {};
  if (!R.Directory.empty() && (stat(R.Directory.c_str(), &St) != 0 || !S_ISDIR(St.st_mode))) {
    R.Result = ERROR_PATH_NOT_FOUND;
    return;
  }
  std::string Path = R.File;
  if (Path[0] != '/' && !R.Directory.empty()) {
    Path = R.Directory + "/" + Path;
  }
  if (stat(Path.c_str(), &St) != 0) {
    const std::string Found = R.File.find('/') == std::string::npos ? FindInPath(R.File) : std::string();
    if (Found.empty() || Verb == "explore") {
      R.Result = static_cast<int>(ErrorFromErrno(ENOENT, Path));
      return;
    }
    Path = Found;
    stat(Path.c_str(), &St);
  }
  if (S_ISDIR(St.st_mode)) {
    R.Action = "xdg-open";
    R.Program = "xdg-open";
    R.Arguments = {Path};
    return;
  }
  if (Verb == "explore") {
    R.Result = SE_ERR_NOASSOC;
    return;
  }
  if (IsExecutableFile(Path)) {
    R.Action = "spawn";
    R.Program = Path;
    R.Arguments = SplitCommandLine(R.Parameters);
    return;
  }
  if (access(Path.c_str(), R_OK) != 0) {
    R.Result = SE_ERR_ACCESSDENIED;
    return;
  }
  R.Action = "xdg-open";
  R.Program = "xdg-open";
  R.Arguments = {Path};
}
}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view S) {
  std::vector<std::string> Args;
  size_t I = 0;
  while (true) {
    while (I < S.size() && (S[I] == ' ' || S[I] == '\t')) {
      ++I;
    }
    if (I >= S.size()) {
      break;
    }
    std::string Arg;
    bool Quoted = false;
    while (I < S.size() && (Quoted || (S[I] != ' ' && S[I] != '\t'))) {
      if (S[I] == '\\') {
        // Backslashes are literal unless they precede a quote: 2n backslashes + quote give n and a
        // delimiter, 2n+1 give n and a literal quote.
        size_t N = 0;
        while (I < S.size() && S[I] == '\\') {
          ++N;
          ++I;
        }
        if (I < S.size() && S[I] == '"') {
          Arg.append(N / 2, '\\');
          if (N % 2) {
            Arg += '"';
            ++I;
          }
        } else {
          Arg.append(N, '\\');
        }
        continue;
      }
      if (S[I] == '"') {
        Quoted = !Quoted;
        ++I;
        continue;
      }
      Arg += S[I++];
    }
    Args.push_back(std::move(Arg));
  }
  return Args;
}

void SetShellExecuteRecording(bool On) {
  std::lock_guard<std::mutex> G(RecordLock);
  RecordingOn = On;
}

bool ShellExecuteRecording() {
  std::lock_guard<std::mutex> G(RecordLock);
  const char* Log = std::getenv("ZUBQ_SHELLEXECUTE_LOG");
  return RecordingOn || (Log && *Log);
}

std::vector<TShellExecuteRecord> ShellExecuteRecords() {
  std::lock_guard<std::mutex> G(RecordLock);
  return Records();
}

void ClearShellExecuteRecords() {
  std::lock_guard<std::mutex> G(RecordLock);
  Records().clear();
}

HINSTANCE ShellExecute(HWND, LPCSTR Operation, LPCSTR File, LPCSTR Parameters, LPCSTR Directory, int ShowCmd) {
  TShellExecuteRecord R;
  R.Operation = Operation ? Operation : "";
  R.File = File ? File : "";
  R.Parameters = Parameters ? Parameters : "";
  R.Directory = Directory ? Directory : "";
  R.ShowCmd = ShowCmd;
  Plan(R);
  const bool Recording = ShellExecuteRecording();
  if (!R.Action.empty()) {
    if (Recording) {
      R.Result = ShellExecuteSuccess;
    } else if (R.Action == "xdg-open") {
      const std::string Opener = FindInPath("xdg-open");
      R.Result = Opener.empty() ? SE_ERR_NOASSOC : Spawn(Opener, R.Arguments, R.Directory);
    } else {
      R.Result = Spawn(R.Program, R.Arguments, R.Directory);
    }
  }
  if (Recording) {
    std::lock_guard<std::mutex> G(RecordLock);
    Records().push_back(R);
    AppendToLog(R);
  }
  return AsResult(R.Result);
}

// --- special folders ------------------------------------------------------------------------------------------

namespace {
std::string Home() {
  const char* H = std::getenv("HOME");
  if (H && *H) {
    return H;
  }
  const passwd* Pw = getpwuid(getuid());
  return Pw && Pw->pw_dir ? Pw->pw_dir : "/";
}

std::string XdgBase(const char* Var, const char* Default) {
  const char* V = std::getenv(Var);
  return V && *V == '/' ? std::string(V) : Home() + "/" + Default;
}

// A folder of user-dirs.dirs (XDG_DESKTOP_DIR="$HOME/Desktop"), else ~/Fallback.
std::string UserDir(const char* Key, const char* Fallback) {
  std::ifstream In(XdgBase("XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs");
  std::string Line;
  const std::string Prefix = std::string(Key) + "=";
  while (std::getline(In, Line)) {
    if (Line.rfind(Prefix, 0) != 0) {
      continue;
    }
    std::string V = Line.substr(Prefix.size());
    if (V.size() >= 2 && V.front() == '"' && V.back() == '"') {
      V = V.substr(1, V.size() - 2);
    }
    if (V.rfind("$HOME", 0) == 0) {
      V = Home() + V.substr(5);
    }
    while (V.size() > 1 && V.back() == '/') {
      V.pop_back();
    }
    if (!V.empty() && V[0] == '/') {
      return V;
    }
  }
  return Home() + "/" + Fallback;
}

std::string FirstDataDir() {
  const char* V = std::getenv("XDG_DATA_DIRS");
  std::string S = V && *V ? V : "/usr/local/share";
  S = S.substr(0, S.find(':'));
  return S.empty() ? "/usr/local/share" : S;
}

bool MakeFolders(const std::string& Path) {
  for (size_t I = 1; I <= Path.size(); ++I) {
    if (I == Path.size() || Path[I] == '/') {
      mkdir(Path.substr(0, I).c_str(), 0700);
    }
  }
  struct stat St {};
  return stat(Path.c_str(), &St) == 0 && S_ISDIR(St.st_mode);
}

// The folder for a CSIDL, existing or made when asked.
bool ResolveFolder(int Csidl, bool Create, std::string& Path) {
  Path = SpecialFolderPath(Csidl & ~CSIDL_FLAG_CREATE);
  if (Path.empty()) {
    return false;
  }
  struct stat St {};
  if (stat(Path.c_str(), &St) == 0 && S_ISDIR(St.st_mode)) {
    return true;
  }
  return (Create || (Csidl & CSIDL_FLAG_CREATE)) && MakeFolders(Path);
}
}  // namespace

std::string SpecialFolderPath(int Csidl) {
  switch (Csidl & ~CSIDL_FLAG_CREATE) {
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY: return UserDir("XDG_DESKTOP_DIR", "Desktop");
    case CSIDL_PERSONAL: return UserDir("XDG_DOCUMENTS_DIR", "Documents");
    case CSIDL_MYMUSIC: return UserDir("XDG_MUSIC_DIR", "Music");
    case CSIDL_MYVIDEO: return UserDir("XDG_VIDEOS_DIR", "Videos");
    case CSIDL_MYPICTURES: return UserDir("XDG_PICTURES_DIR", "Pictures");
    case CSIDL_TEMPLATES: return UserDir("XDG_TEMPLATES_DIR", "Templates");
    case CSIDL_APPDATA: return XdgBase("XDG_CONFIG_HOME", ".config");
    case CSIDL_LOCAL_APPDATA: return XdgBase("XDG_DATA_HOME", ".local/share");
    case CSIDL_INTERNET_CACHE: return XdgBase("XDG_CACHE_HOME", ".cache");
    case CSIDL_FONTS: return XdgBase("XDG_DATA_HOME", ".local/share") + "/fonts";
    case CSIDL_PROFILE: return Home();
    // Per user, so that a setup run by the user can write them.
    case CSIDL_WINDOWS: return XdgBase("XDG_DATA_HOME", ".local/share");
    case CSIDL_SYSTEM: return Home() + "/.local/lib";
    case CSIDL_PROGRAM_FILES: return Home() + "/.local/opt";
    case CSIDL_PROGRAMS: return XdgBase("XDG_DATA_HOME", ".local/share") + "/applications";
    case CSIDL_COMMON_APPDATA:
    case CSIDL_COMMON_DOCUMENTS: return FirstDataDir();
    default: return {};
  }
}

BOOL SHGetSpecialFolderPath(HWND, LPSTR Path, int Csidl, BOOL Create) {
  std::string Folder;
  if (!Path || !ResolveFolder(Csidl, Create != FALSE, Folder) || Folder.size() >= static_cast<size_t>(MAX_PATH)) {
    if (Path) {
      *Path = '\0';
    }
    return FALSE;
  }
  std::memcpy(Path, Folder.c_str(), Folder.size() + 1);
  return TRUE;
}


// --- the user and the environment -------------------------------------------------------------------------------

namespace {
std::string UserName() {
  passwd Pw{};
  passwd* Found = nullptr;
  char Buf[4096];
  if (getpwuid_r(geteuid(), &Pw, Buf, sizeof(Buf), &Found) == 0 && Found && Found->pw_name) {
    return Found->pw_name;
  }
  const char* U = std::getenv("USER");
  return U ? U : "";
}

// The value of a variable: exact name, then any case, then the stand-ins for the platform's usual names.
bool LookUp(const std::string& Name, std::string& Value) {
  if (Name.empty()) {
    return false;
  }
  if (const char* V = std::getenv(Name.c_str())) {
    Value = V;
    return true;
  }
  const std::string Wanted = Lower(Name);
  for (char** E = environ; E && *E; ++E) {
    const char* Eq = std::strchr(*E, '=');
    if (Eq && Lower(std::string_view(*E, static_cast<size_t>(Eq - *E))) == Wanted) {
      Value = Eq + 1;
      return true;
    }
  }
  if (Wanted == "temp" || Wanted == "tmp") {
    Value = GetTempPathString();
    Value.pop_back();
  } else if (Wanted == "userprofile") {
    Value = Home();
  } else if (Wanted == "appdata") {
    Value = SpecialFolderPath(CSIDL_APPDATA);
  } else if (Wanted == "localappdata") {
    Value = SpecialFolderPath(CSIDL_LOCAL_APPDATA);
  } else if (Wanted == "username") {
    Value = UserName();
  } else {
    return false;
  }
  return true;
}

struct TShellExports {
  TShellExports() {
    RegisterModuleExport("shell32.dll", "SHGetSpecialFolderPathA", reinterpret_cast<void*>(&SHGetSpecialFolderPath));
    RegisterModuleExport("shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&ShellExecute));
  }
} ShellExports;
}  // namespace

BOOL GetUserName(LPSTR Buffer, DWORD* Size) {
  if (!Size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::string Name = UserName();
  const DWORD Needed = static_cast<DWORD>(Name.size() + 1);
  if (!Buffer || *Size < Needed) {
    *Size = Needed;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(Buffer, Name.c_str(), Needed);
  *Size = Needed;
  return TRUE;
}

DWORD GetEnvironmentVariable(LPCSTR Name, LPSTR Buffer, DWORD Size) {
  std::string Value;
  if (!Name || !LookUp(Name, Value)) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  if (!Buffer || Size < Value.size() + 1) {
    return static_cast<DWORD>(Value.size() + 1);
  }
  std::memcpy(Buffer, Value.c_str(), Value.size() + 1);
  return static_cast<DWORD>(Value.size());
}

std::string GetEnvironmentVariable(const std::string& Name) {
  std::string Value;
  return LookUp(Name, Value) ? Value : std::string();
}

BOOL SetEnvironmentVariable(LPCSTR Name, LPCSTR Value) {
  if (!Name || !*Name || std::strchr(Name, '=')) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const int R = Value ? setenv(Name, Value, 1) : unsetenv(Name);
  if (R != 0) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  return TRUE;
}

std::string ExpandEnvironmentString(std::string_view Src) {
  std::string Out;
  size_t I = 0;
  while (I < Src.size()) {
    if (Src[I] != '%') {
      Out += Src[I++];
      continue;
    }
    const size_t Close = Src.find('%', I + 1);
    if (Close == std::string_view::npos) {
      Out.append(Src.substr(I));
      break;
    }
    std::string Value;
    if (Close > I + 1 && LookUp(std::string(Src.substr(I + 1, Close - I - 1)), Value)) {
      Out += Value;
      I = Close + 1;
    } else {
      // Not a variable: keep "%NAME" and let the closing '%' start the next candidate.
      Out.append(Src.substr(I, Close - I));
      I = Close;
    }
  }
  return Out;
}

DWORD ExpandEnvironmentStrings(LPCSTR Src, LPSTR Dst, DWORD Size) {
  if (!Src) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::string R = ExpandEnvironmentString(Src);
  const DWORD Needed = static_cast<DWORD>(R.size() + 1);
  if (Dst && Size >= Needed) {
    std::memcpy(Dst, R.c_str(), Needed);
  }
  return Needed;
}
