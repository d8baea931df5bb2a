// Windows of other processes: the per-user registry of findable windows, proxy handles, and the local-socket
// transport that carries posted and sent messages (with the text of global atoms) between processes.
#include "platform/win/CrossProcess.h"
#include "platform/win/Atoms.h"
#include "platform/win/NamedSemaphore.h"
#include "platform/win/WindowInternals.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <random>
#include <thread>
#include <tuple>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int PostTimeoutMs = 2000;
constexpr int SendTimeoutMs = 5000;
constexpr int PeerReadTimeoutMs = 2000;  // how long the listener waits for a request to arrive in full
constexpr std::uint32_t RequestMagic = 0x5A515831;  // "ZQX1"
constexpr std::uint32_t ReplyMagic = 0x5A515852;    // "ZQXR"
constexpr std::size_t MaxAtomText = 255;
constexpr const char* ListHeader = "zubq-windows 1";

enum : std::uint32_t { kPost = 1, kSend = 2 };
enum : std::uint32_t { fWParamAtom = 1, fLParamAtom = 2, fRegisteredMessage = 4 };

struct TWireRequest {
  std::uint32_t Magic = RequestMagic;
  std::uint32_t Kind = kPost;
  std::uint64_t Instance = 0;  // the receiving process's instance number
  std::uint64_t Wnd = 0;
  std::uint32_t Msg = 0;
  std::uint32_t Flags = 0;
  std::uint64_t WParam = 0;
  std::uint64_t LParam = 0;
  std::uint16_t Len[3] = {};  // texts that follow: message name, wParam atom, lParam atom
  std::uint16_t Pad = 0;
};

struct TWireReply {
  std::uint32_t Magic = ReplyMagic;
  std::uint32_t Ok = 0;
  std::uint32_t Error = 0;
  std::uint32_t Pad = 0;
  std::int64_t Result = 0;
};

// ---- Small file and socket helpers ------------------------------------------------------------------------------

std::string Hex(std::uint64_t V) {
  char Buf[17];
  std::snprintf(Buf, sizeof Buf, "%016llx", static_cast<unsigned long long>(V));
  return Buf;
}

std::string Escape(const std::string& S) {
  std::string R;
  R.reserve(S.size());
  for (char C : S) {
    switch (C) {
      case '\\': R += "\\\\"; break;
      case '\t': R += "\\t"; break;
      case '\n': R += "\\n"; break;
      case '\r': R += "\\r"; break;
      default: R += C;
    }
  }
  return R;
}

std::string Unescape(const std::string& S) {
  std::string R;
  R.reserve(S.size());
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '\\' && I + 1 < S.size()) {
      char C = S[++I];
      R += C == 't' ? '\t' : C == 'n' ? '\n' : C == 'r' ? '\r' : C;
    } else {
      R += S[I];
    }
  }
  return R;
}

bool WriteAll(int Fd, const void* Data, std::size_t Size) {
  auto* P = static_cast<const char*>(Data);
  while (Size > 0) {
    ssize_t N = ::send(Fd, P, Size, MSG_NOSIGNAL);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N <= 0) {
      return false;
    }
    P += N;
    Size -= static_cast<std::size_t>(N);
  }
  return true;
}

bool ReadAll(int Fd, void* Data, std::size_t Size) {
  auto* P = static_cast<char*>(Data);
  while (Size > 0) {
    ssize_t N = ::recv(Fd, P, Size, 0);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N <= 0) {
      return false;  // closed, or the time-out passed
    }
    P += N;
    Size -= static_cast<std::size_t>(N);
  }
  return true;
}

void SetTimeouts(int Fd, int Ms) {
  timeval Tv{Ms / 1000, (Ms % 1000) * 1000};
  ::setsockopt(Fd, SOL_SOCKET, SO_RCVTIMEO, &Tv, sizeof Tv);
  ::setsockopt(Fd, SOL_SOCKET, SO_SNDTIMEO, &Tv, sizeof Tv);
}

bool FillAddress(sockaddr_un& Addr, const std::string& Path) {
  std::memset(&Addr, 0, sizeof Addr);
  Addr.sun_family = AF_UNIX;
  if (Path.size() >= sizeof Addr.sun_path) {
    return false;
  }
  std::memcpy(Addr.sun_path, Path.c_str(), Path.size() + 1);
  return true;
}

// ---- The registry on disk ---------------------------------------------------------------------------------------

struct TEntry {
  HWND Handle = 0;
  std::string ClassName;
  std::string Caption;
};

// One other process as the registry shows it.
struct TPeer {
  pid_t Pid = 0;
  std::uint64_t Instance = 0;
  std::string Base;  // path without the suffix
  std::vector<TEntry> Windows;
};

std::string RegistryFolder() {
  std::string Root = UserRuntimeFolder();
  if (Root.empty()) {
    return {};
  }
  std::string Folder = Root + "/windows";
  if (::mkdir(Folder.c_str(), 0700) != 0 && errno != EEXIST) {
    return {};
  }
  struct stat St {};
  if (::lstat(Folder.c_str(), &St) != 0 || !S_ISDIR(St.st_mode) || St.st_uid != ::geteuid()) {
    return {};
  }
  return Folder;
}

// "<pid>-<instance>" from a file name with one of the registry's suffixes; false for other names.
bool ParseBaseName(const std::string& Name, pid_t& Pid, std::uint64_t& Instance, std::string& Stem) {
  std::size_t Dot = Name.rfind('.');
  if (Dot == std::string::npos) {
    return false;
  }
  std::string Suffix = Name.substr(Dot);
  if (Suffix != ".list" && Suffix != ".lock" && Suffix != ".sock") {
    return false;
  }
  Stem = Name.substr(0, Dot);
  std::size_t Dash = Stem.find('-');
  if (Dash == std::string::npos || Dash == 0 || Stem.size() - Dash - 1 != 16) {
    return false;
  }
  char* End = nullptr;
  long P = std::strtol(Stem.c_str(), &End, 10);
  if (End != Stem.c_str() + Dash || P <= 0) {
    return false;
  }
  unsigned long long I = std::strtoull(Stem.c_str() + Dash + 1, &End, 16);
  if (*End != '\0') {
    return false;
  }
  Pid = static_cast<pid_t>(P);
  Instance = I;
  return true;
}

// Whether the process holding Base's lock still runs; removes its files when it does not.
bool PeerAlive(const std::string& Base) {
  int Fd = ::open((Base + ".lock").c_str(), O_RDWR | O_CLOEXEC);
  if (Fd >= 0 && ::flock(Fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(Fd);
    return true;
  }
  // Nobody holds the lock (or it is gone): the process ended without cleaning up.
  ::unlink((Base + ".list").c_str());
  ::unlink((Base + ".sock").c_str());
  ::unlink((Base + ".lock").c_str());
  if (Fd >= 0) {
    ::close(Fd);
  }
  return false;
}

std::vector<TEntry> ReadList(const std::string& Base) {
  std::vector<TEntry> L;
  FILE* F = std::fopen((Base + ".list").c_str(), "re");
  if (!F) {
    return L;
  }
  std::string Content;
  char Buf[4096];
  for (std::size_t N; (N = std::fread(Buf, 1, sizeof Buf, F)) > 0;) {
    Content.append(Buf, N);
  }
  std::fclose(F);
  std::size_t Pos = 0;
  bool First = true;
  while (Pos < Content.size()) {
    std::size_t Eol = Content.find('\n', Pos);
    if (Eol == std::string::npos) {
      break;  // an unfinished line is not trusted
    }
    std::string Line = Content.substr(Pos, Eol - Pos);
    Pos = Eol + 1;
    if (First) {
      First = false;
      if (Line != ListHeader) {
        return {};
      }
      continue;
    }
    std::size_t T1 = Line.find('\t');
    std::size_t T2 = T1 == std::string::npos ? T1 : Line.find('\t', T1 + 1);
    if (T2 == std::string::npos) {
      continue;
    }
    TEntry E;
    E.Handle = static_cast<HWND>(std::strtoull(Line.substr(0, T1).c_str(), nullptr, 16));
    E.ClassName = Unescape(Line.substr(T1 + 1, T2 - T1 - 1));
    E.Caption = Unescape(Line.substr(T2 + 1));
    if (E.Handle != 0 && !CrossProcess::IsForeignHandle(E.Handle)) {
      L.push_back(std::move(E));
    }
  }
  return L;
}

// The other live processes of the user with their published windows, ordered by process id and instance;
// entries of dead processes are removed on the way.
std::vector<TPeer> ScanPeers(pid_t OwnPid, std::uint64_t OwnInstance) {
  std::vector<TPeer> Peers;
  std::string Folder = RegistryFolder();
  if (Folder.empty()) {
    return Peers;
  }
  DIR* D = ::opendir(Folder.c_str());
  if (!D) {
    return Peers;
  }
  std::map<std::pair<pid_t, std::uint64_t>, std::string> Stems;
  while (dirent* E = ::readdir(D)) {
    pid_t Pid = 0;
    std::uint64_t Instance = 0;
    std::string Stem;
    if (ParseBaseName(E->d_name, Pid, Instance, Stem) && !(Pid == OwnPid && Instance == OwnInstance)) {
      Stems[{Pid, Instance}] = Stem;
    }
  }
  ::closedir(D);
  for (auto& [Key, Stem] : Stems) {
    std::string Base = Folder + "/" + Stem;
    if (!PeerAlive(Base)) {
      continue;
    }
    TPeer P;
    P.Pid = Key.first;
    P.Instance = Key.second;
    P.Base = Base;
    P.Windows = ReadList(Base);
    Peers.push_back(std::move(P));
  }
  return Peers;
}

// ---- This process's side ----------------------------------------------------------------------------------------

struct TProxy {
  pid_t Pid = 0;
  std::uint64_t Instance = 0;
  HWND Remote = 0;
};

struct TState {
  std::mutex Lock;
  pid_t Pid = 0;  // the process that set this up; a forked child starts afresh
  std::uint64_t Instance = 0;
  std::string Base;
  bool Started = false;
  bool Failed = false;  // no runtime folder: nothing is published this run
  bool AtExitSet = false;
  int LockFd = -1;
  int ListenFd = -1;
  int StopPipe[2] = {-1, -1};
  std::thread* Listener = nullptr;
  std::map<HWND, TEntry> Published;  // in handle order, which is creation order

  // Proxies for other processes' windows (never reused).
  std::mutex ProxyLock;
  std::vector<TProxy> Proxies;  // index = handle - FirstForeignHandle
  std::map<std::tuple<pid_t, std::uint64_t, HWND>, HWND> ProxyOf;
};

TState& State() {
  static auto* S = new TState;  // outlives static teardown: windows may die late
  return *S;
}

void CloseFd(int& Fd) {
  if (Fd >= 0) {
    ::close(Fd);
    Fd = -1;
  }
}

// After fork() the child holds copies of the parent's descriptors and no listening thread.
void ForgetInheritedLocked(TState& S) {
  if (S.Pid == ::getpid()) {
    return;
  }
  if (S.Pid != 0) {
    CloseFd(S.LockFd);
    CloseFd(S.ListenFd);
    CloseFd(S.StopPipe[0]);
    CloseFd(S.StopPipe[1]);
    S.Listener = nullptr;  // that thread lives only in the parent; its object is left alone
    S.Published.clear();
    S.Started = false;
    S.Failed = false;
  }
  S.Pid = ::getpid();
  std::random_device Rd;
  S.Instance = (static_cast<std::uint64_t>(Rd()) << 32) ^ Rd() ^ static_cast<std::uint64_t>(S.Pid);
}

void WriteListLocked(TState& S) {
  if (!S.Started) {
    return;
  }
  std::string Text = std::string(ListHeader) + "\n";
  for (auto& [H, E] : S.Published) {
    char Handle[24];
    std::snprintf(Handle, sizeof Handle, "%llx", static_cast<unsigned long long>(H));
    Text += std::string(Handle) + "\t" + Escape(E.ClassName) + "\t" + Escape(E.Caption) + "\n";
  }
  std::string Tmp = S.Base + ".list.tmp";
  int Fd = ::open(Tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (Fd < 0) {
    return;
  }
  bool Ok = ::write(Fd, Text.data(), Text.size()) == static_cast<ssize_t>(Text.size());
  ::close(Fd);
  if (!Ok || ::rename(Tmp.c_str(), (S.Base + ".list").c_str()) != 0) {
    ::unlink(Tmp.c_str());
  }
}

void ListenLoop(int ListenFd, int StopFd, std::uint64_t Instance);

// At exit the process withdraws its windows; windows that change during the teardown are not published again.
void AtExit() {
  CrossProcess::Shutdown();
  auto& S = State();
  std::lock_guard G(S.Lock);
  S.Failed = true;
}

// Takes the lock, opens the socket and starts the listening thread. False when no runtime folder is available.
bool StartLocked(TState& S) {
  if (S.Started) {
    return true;
  }
  if (S.Failed) {
    return false;
  }
  std::string Folder = RegistryFolder();
  std::string Base = Folder + "/" + std::to_string(S.Pid) + "-" + Hex(S.Instance);
  sockaddr_un Addr;
  if (Folder.empty() || !FillAddress(Addr, Base + ".sock")) {
    S.Failed = true;
    return false;
  }
  // The lock file appears under its own name already locked: a scan that found it unlocked would take this
  // process for a dead one and remove its files. It is made and locked under a name no scan reads, then renamed.
  const std::string Unlocked = Base + ".lock.new";
  S.LockFd = ::open(Unlocked.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (S.LockFd < 0 || ::flock(S.LockFd, LOCK_EX) != 0 || ::rename(Unlocked.c_str(), (Base + ".lock").c_str()) != 0) {
    ::unlink(Unlocked.c_str());
    CloseFd(S.LockFd);
    S.Failed = true;
    return false;
  }
  ::unlink(Addr.sun_path);
  S.ListenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (S.ListenFd < 0 || ::bind(S.ListenFd, reinterpret_cast<sockaddr*>(&Addr), sizeof Addr) != 0 ||
      ::listen(S.ListenFd, 32) != 0 || ::pipe2(S.StopPipe, O_CLOEXEC) != 0) {
    CloseFd(S.ListenFd);
    ::unlink((Base + ".lock").c_str());
    CloseFd(S.LockFd);
    S.Failed = true;
    return false;
  }
  ::chmod(Addr.sun_path, 0600);
  S.Base = Base;
  S.Listener = new std::thread(ListenLoop, S.ListenFd, S.StopPipe[0], S.Instance);
  S.Started = true;
  if (!S.AtExitSet) {
    S.AtExitSet = true;
    std::atexit(AtExit);
  }
  return true;
}

// ---- Messages that may travel -----------------------------------------------------------------------------------

bool MessageTravels(UINT Msg) {
  if (Msg >= CM_BASE && Msg < 0xC000) {
    return false;  // the class library's component and control notifications carry object pointers
  }
  if (Msg >= WM_USER) {
    return true;
  }
  return Msg == WM_NULL || Msg == WM_CLOSE || Msg == WM_LAYER_FOREGROUND || Msg == WM_COMMAND || Msg == WM_SYSCOMMAND || Msg == WM_HOTKEY ||
         (Msg >= WM_KEYFIRST && Msg <= WM_KEYLAST) || (Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST);
}

// The text of a global atom named by a parameter, if it names one.
bool AtomText(std::uintptr_t Value, std::string& Text) {
  if (Value < 0xC000 || Value > 0xFFFF) {
    return false;
  }
  char Buf[MaxAtomText + 1];
  UINT N = GlobalGetAtomName(static_cast<ATOM>(Value), Buf, sizeof Buf);
  if (N == 0) {
    return false;
  }
  Text.assign(Buf, N);
  return true;
}

// ---- The receiving side -----------------------------------------------------------------------------------------

void Reply(int Fd, bool Ok, LONG Error, LRESULT Result) {
  TWireReply R;
  R.Ok = Ok ? 1 : 0;
  R.Error = static_cast<std::uint32_t>(Error);
  R.Result = static_cast<std::int64_t>(Result);
  WriteAll(Fd, &R, sizeof R);
}

struct TIncoming {
  TWireRequest Req;
  std::string Texts[3];
};

// Turns the request into local values: fresh atoms for carried atom texts, the local number of a registered
// message. False (with the error) when it cannot be delivered.
bool Localise(TIncoming& In, UINT& Msg, WPARAM& W, LPARAM& L, std::vector<ATOM>& Fresh, LONG& Error) {
  Msg = In.Req.Msg;
  W = static_cast<WPARAM>(In.Req.WParam);
  L = static_cast<LPARAM>(In.Req.LParam);
  if (In.Req.Flags & fRegisteredMessage) {
    Msg = RegisterWindowMessage(In.Texts[0].c_str());
  }
  if (Msg == 0 && (In.Req.Flags & fRegisteredMessage)) {
    Error = ERROR_INVALID_PARAMETER;
    return false;
  }
  if (!MessageTravels(Msg)) {
    Error = ERROR_MESSAGE_SYNC_ONLY;
    return false;
  }
  HWND Wnd = static_cast<HWND>(In.Req.Wnd);
  if (CrossProcess::IsForeignHandle(Wnd) || !IsWindow(Wnd)) {
    Error = ERROR_INVALID_WINDOW_HANDLE;
    return false;
  }
  for (int I = 1; I <= 2; ++I) {
    if (Msg < WM_USER || !(In.Req.Flags & (I == 1 ? fWParamAtom : fLParamAtom))) {
      continue;
    }
    ATOM A = GlobalAddAtom(In.Texts[I].c_str());
    if (A == 0) {
      for (ATOM F : Fresh) {
        GlobalDeleteAtom(F);
      }
      Fresh.clear();
      Error = ERROR_INVALID_PARAMETER;
      return false;
    }
    Fresh.push_back(A);
    if (I == 1) {
      W = A;
    } else {
      L = A;
    }
  }
  return true;
}

void HandleSend(int Fd, TIncoming In) {
  UINT Msg;
  WPARAM W;
  LPARAM L;
  std::vector<ATOM> Fresh;
  LONG Error = 0;
  if (!Localise(In, Msg, W, L, Fresh, Error)) {
    Reply(Fd, false, Error, 0);
  } else {
    LRESULT Result = SendMessage(static_cast<HWND>(In.Req.Wnd), Msg, W, L);
    Reply(Fd, true, 0, Result);
  }
  ::close(Fd);
}

// Reads one request from a connection and answers it; sends go to a helper thread so that a busy window does
// not hold up posts from other processes.
void HandleConnection(int Fd, std::uint64_t Instance) {
  ucred Cred{};
  socklen_t CredLen = sizeof Cred;
  if (::getsockopt(Fd, SOL_SOCKET, SO_PEERCRED, &Cred, &CredLen) != 0 || Cred.uid != ::geteuid()) {
    ::close(Fd);
    return;
  }
  SetTimeouts(Fd, PeerReadTimeoutMs);
  TIncoming In;
  if (!ReadAll(Fd, &In.Req, sizeof In.Req) || In.Req.Magic != RequestMagic ||
      (In.Req.Kind != kPost && In.Req.Kind != kSend)) {
    ::close(Fd);
    return;
  }
  for (int I = 0; I < 3; ++I) {
    if (In.Req.Len[I] > MaxAtomText) {
      ::close(Fd);
      return;
    }
    In.Texts[I].assign(In.Req.Len[I], '\0');
    if (In.Req.Len[I] && !ReadAll(Fd, In.Texts[I].data(), In.Req.Len[I])) {
      ::close(Fd);
      return;
    }
    if (In.Texts[I].find('\0') != std::string::npos) {
      ::close(Fd);
      return;
    }
  }
  if (In.Req.Instance != Instance) {
    Reply(Fd, false, ERROR_INVALID_WINDOW_HANDLE, 0);  // meant for an earlier process with the same id
    ::close(Fd);
    return;
  }
  if (In.Req.Kind == kSend) {
    SetTimeouts(Fd, SendTimeoutMs);
    std::thread(HandleSend, Fd, std::move(In)).detach();
    return;
  }
  UINT Msg;
  WPARAM W;
  LPARAM L;
  std::vector<ATOM> Fresh;
  LONG Error = 0;
  bool Ok = Localise(In, Msg, W, L, Fresh, Error);
  if (Ok && !PostMessage(static_cast<HWND>(In.Req.Wnd), Msg, W, L)) {
    Ok = false;
    Error = GetLastError();
    for (ATOM A : Fresh) {
      GlobalDeleteAtom(A);
    }
  }
  Reply(Fd, Ok, Error, 0);
  ::close(Fd);
}

void ListenLoop(int ListenFd, int StopFd, std::uint64_t Instance) {
  for (;;) {
    pollfd P[2] = {{ListenFd, POLLIN, 0}, {StopFd, POLLIN, 0}};
    int N = ::poll(P, 2, -1);
    if (N < 0) {
      if (errno == EINTR) {
        continue;
      }
      return;
    }
    if (P[1].revents) {
      return;
    }
    if (P[0].revents & POLLIN) {
      int Fd = ::accept4(ListenFd, nullptr, nullptr, SOCK_CLOEXEC);
      if (Fd >= 0) {
        HandleConnection(Fd, Instance);
      }
    } else if (P[0].revents) {
      return;
    }
  }
}

// ---- The sending side -------------------------------------------------------------------------------------------

HWND ProxyFor(pid_t Pid, std::uint64_t Instance, HWND Remote) {
  auto& S = State();
  std::lock_guard G(S.ProxyLock);
  auto Key = std::make_tuple(Pid, Instance, Remote);
  if (auto It = S.ProxyOf.find(Key); It != S.ProxyOf.end()) {
    return It->second;
  }
  if (S.Proxies.size() > CrossProcess::LastForeignHandle - CrossProcess::FirstForeignHandle) {
    return 0;
  }
  HWND H = CrossProcess::FirstForeignHandle + S.Proxies.size();
  S.Proxies.push_back(TProxy{Pid, Instance, Remote});
  S.ProxyOf[Key] = H;
  return H;
}

bool LookupProxy(HWND Wnd, TProxy& P) {
  if (!CrossProcess::IsForeignHandle(Wnd)) {
    return false;
  }
  auto& S = State();
  std::lock_guard G(S.ProxyLock);
  std::size_t I = Wnd - CrossProcess::FirstForeignHandle;
  if (I >= S.Proxies.size()) {
    return false;
  }
  P = S.Proxies[I];
  return true;
}

std::pair<pid_t, std::uint64_t> OwnIdentity() {
  auto& S = State();
  std::lock_guard G(S.Lock);
  ForgetInheritedLocked(S);
  return {S.Pid, S.Instance};
}

// Fills in the message of a request with the texts that travel with it. False (with the last error) when the
// message cannot travel.
bool BuildRequest(UINT Msg, WPARAM WParam, LPARAM LParam, TWireRequest& Req, std::string (&Texts)[3]) {
  Req.Msg = Msg;
  Req.WParam = WParam;
  Req.LParam = static_cast<std::uint64_t>(LParam);
  if (Msg >= 0xC000 && Msg <= 0xFFFF) {
    if (!AtomText(Msg, Texts[0])) {
      SetLastError(ERROR_INVALID_PARAMETER);  // not a registered message of this process
      return false;
    }
    Req.Flags |= fRegisteredMessage;
  } else if (!MessageTravels(Msg)) {
    SetLastError(ERROR_MESSAGE_SYNC_ONLY);
    return false;
  }
  if (Msg >= WM_USER) {
    if (AtomText(WParam, Texts[1])) {
      Req.Flags |= fWParamAtom;
    }
    if (AtomText(static_cast<std::uintptr_t>(LParam), Texts[2])) {
      Req.Flags |= fLParamAtom;
    }
  }
  for (int I = 0; I < 3; ++I) {
    Req.Len[I] = static_cast<std::uint16_t>(Texts[I].size());
  }
  return true;
}

// Delivers a message to a proxy's process and reads the answer. False with the last error set when it could not.
bool Deliver(HWND Wnd, std::uint32_t Kind, UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
  Result = 0;
  TProxy P;
  if (!LookupProxy(Wnd, P)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  TWireRequest Req;
  Req.Kind = Kind;
  Req.Instance = P.Instance;
  Req.Wnd = P.Remote;
  std::string Texts[3];
  if (!BuildRequest(Msg, WParam, LParam, Req, Texts)) {
    return false;
  }
  std::string Folder = RegistryFolder();
  std::string Base = Folder + "/" + std::to_string(P.Pid) + "-" + Hex(P.Instance);
  sockaddr_un Addr;
  if (Folder.empty() || !FillAddress(Addr, Base + ".sock")) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  int Fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (Fd < 0) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  SetTimeouts(Fd, Kind == kSend ? SendTimeoutMs : PostTimeoutMs);
  if (::connect(Fd, reinterpret_cast<sockaddr*>(&Addr), sizeof Addr) != 0) {
    ::close(Fd);
    PeerAlive(Base);  // clears the entry when the process is gone
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  bool Sent = WriteAll(Fd, &Req, sizeof Req);
  for (int I = 0; I < 3 && Sent; ++I) {
    Sent = WriteAll(Fd, Texts[I].data(), Texts[I].size());
  }
  TWireReply Rep;
  bool Answered = Sent && ReadAll(Fd, &Rep, sizeof Rep) && Rep.Magic == ReplyMagic;
  ::close(Fd);
  if (!Answered) {
    SetLastError(Sent ? ERROR_TIMEOUT : ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  if (!Rep.Ok) {
    SetLastError(static_cast<LONG>(Rep.Error));
    return false;
  }
  Result = static_cast<LRESULT>(Rep.Result);
  return true;
}

bool ClassMatches(const std::string& Name, LPCSTR ClassName) {
  if (!ClassName || reinterpret_cast<std::uintptr_t>(ClassName) < 0x10000) {
    // No class, or a class atom: atoms of window classes mean nothing outside their process.
    return !ClassName;
  }
  return !*ClassName || CompareText(Name, ClassName) == 0;
}

}  // namespace

namespace CrossProcess {

void WindowChanged(HWND Wnd) {
  auto R = WindowSystem::Find(Wnd);
  bool Findable = R && !R->Dead && R->Parent == 0 && !R->MessageOnly && !(R->Style & WS_CHILD);
  TEntry E;
  if (Findable) {
    E.Handle = Wnd;
    E.ClassName = R->Class->Name;
    E.Caption = R->Text;
  }
  auto& S = State();
  std::lock_guard G(S.Lock);
  ForgetInheritedLocked(S);
  auto It = S.Published.find(Wnd);
  if (!Findable) {
    if (It != S.Published.end()) {
      S.Published.erase(It);
      WriteListLocked(S);
    }
    return;
  }
  if (It != S.Published.end() && It->second.ClassName == E.ClassName && It->second.Caption == E.Caption) {
    return;
  }
  S.Published[Wnd] = std::move(E);
  if (StartLocked(S)) {
    WriteListLocked(S);
  }
}

void WindowGone(HWND Wnd) {
  auto& S = State();
  std::lock_guard G(S.Lock);
  ForgetInheritedLocked(S);
  if (S.Published.erase(Wnd) > 0) {
    WriteListLocked(S);
  }
}

HWND FindForeignWindow(LPCSTR ClassName, LPCSTR WindowName, HWND After) {
  TProxy Start;
  bool Skipping = After != 0;
  if (Skipping && !LookupProxy(After, Start)) {
    return 0;
  }
  auto [OwnPid, OwnInstance] = OwnIdentity();
  for (auto& P : ScanPeers(OwnPid, OwnInstance)) {
    for (auto& E : P.Windows) {
      if (Skipping) {
        Skipping = !(P.Pid == Start.Pid && P.Instance == Start.Instance && E.Handle == Start.Remote);
        continue;
      }
      if (ClassMatches(E.ClassName, ClassName) && (!WindowName || CompareText(E.Caption, WindowName) == 0)) {
        return ProxyFor(P.Pid, P.Instance, E.Handle);
      }
    }
  }
  return 0;
}

bool ForeignWindowInfo(HWND Wnd, std::string* ClassName, std::string* Caption) {
  TProxy P;
  std::string Folder = LookupProxy(Wnd, P) ? RegistryFolder() : std::string();
  if (Folder.empty()) {
    return false;
  }
  std::string Base = Folder + "/" + std::to_string(P.Pid) + "-" + Hex(P.Instance);
  if (!PeerAlive(Base)) {
    return false;
  }
  for (auto& E : ReadList(Base)) {
    if (E.Handle == P.Remote) {
      if (ClassName) {
        *ClassName = E.ClassName;
      }
      if (Caption) {
        *Caption = E.Caption;
      }
      return true;
    }
  }
  return false;
}

BOOL PostForeignMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  LRESULT Ignored;
  return Deliver(Wnd, kPost, Msg, WParam, LParam, Ignored) ? TRUE : FALSE;
}

LRESULT SendForeignMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  LRESULT Result = 0;
  Deliver(Wnd, kSend, Msg, WParam, LParam, Result);
  return Result;
}

void Shutdown() {
  auto& S = State();
  std::thread* Listener = nullptr;
  {
    std::lock_guard G(S.Lock);
    ForgetInheritedLocked(S);
    if (!S.Started) {
      return;
    }
    char C = 1;
    [[maybe_unused]] auto N = ::write(S.StopPipe[1], &C, 1);
    Listener = S.Listener;
    S.Listener = nullptr;
  }
  if (Listener) {
    if (Listener->get_id() != std::this_thread::get_id()) {
      Listener->join();
      delete Listener;
    } else {
      Listener->detach();
    }
  }
  std::lock_guard G(S.Lock);
  ::unlink((S.Base + ".list").c_str());
  ::unlink((S.Base + ".sock").c_str());
  ::unlink((S.Base + ".lock").c_str());
  CloseFd(S.ListenFd);
  CloseFd(S.StopPipe[0]);
  CloseFd(S.StopPipe[1]);
  CloseFd(S.LockFd);
  S.Started = false;
  // A later window change publishes again under a new instance, so nobody mistakes it for the old listing.
  S.Pid = 0;
}

}  // namespace CrossProcess
