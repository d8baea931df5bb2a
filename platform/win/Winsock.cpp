// The built-in "wsock32.dll": the socket table, the poller thread that turns readiness into the asynchronous-select
// messages, the per-thread notify window that delivers them, name lookups on worker threads, and the exports.
#include "platform/win/Winsock.h"

#include "platform/win/Modules.h"
#include "platform/win/WinUser.h"
#include "platform/win/WinsockSys.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace {

// One socket of the module. Flags follow the enabling rules of the asynchronous-select model.
struct TEntry {
  TSocket Handle = INVALID_SOCKET;
  int Fd = -1;
  int Type = SOCK_STREAM;
  HWND Wnd = 0;        // selected window (0: no messages)
  UINT Msg = 0;
  long Mask = 0;
  HWND Notify = 0;     // the notify window of Wnd's thread, or 0 to post to Wnd directly
  bool NonBlocking = false;
  bool Connecting = false;
  bool Connected = false;
  bool Listening = false;
  bool Failed = false;        // the connect attempt failed; nothing more to watch
  bool ReadEnabled = true;
  bool ReadQueued = false;    // an FD_READ waits in the notify window's queue
  bool WriteEnabled = false;
  bool AcceptEnabled = true;
  bool ClosePosted = false;
  bool ShutSend = false;
};

struct TLookup {
  UINT_PTR Handle = 0;
  HWND Wnd = 0;
  UINT Msg = 0;
  char* Buf = nullptr;
  int BufLen = 0;
  bool Cancelled = false;
};

struct TModuleState {
  std::mutex Lock;
  std::map<TSocket, TEntry> Sockets;
  std::map<UINT_PTR, std::shared_ptr<TLookup>> Lookups;
  std::map<DWORD, HWND> NotifyWindows;  // per thread
  int StartupCount = 0;
  TSocket NextHandle = 0x100;
  UINT_PTR NextLookup = 1;
  std::thread Poller;
  int WakeFd = -1;
  bool StopPoller = false;
  TWinsockResolver Resolver;
};

// Never destroyed: worker threads of pending lookups may still look at it while the process ends.
TModuleState& State() {
  static auto* S = new TModuleState;
  return *S;
}

thread_local int LastWsaError = 0;
constexpr UINT WM_SOCKETNOTIFY = WM_USER + 1;
const char* const NotifyClassName = "WinsockNotifyWindow";

int Fail(int Error) {
  LastWsaError = Error;
  return SOCKET_ERROR;
}

void WakePoller(TModuleState& S) {
  if (S.WakeFd >= 0) {
    std::uint64_t One = 1;
    [[maybe_unused]] ssize_t N = ::write(S.WakeFd, &One, sizeof One);
  }
}

// Posts one network event for the entry (lock held).
void PostEvent(TEntry& E, long Event, int Error) {
  if (!E.Wnd) {
    return;
  }
  LPARAM L = WSAMAKESELECTREPLY(static_cast<WORD>(Event), static_cast<WORD>(Error));
  if (E.Notify) {
    if (Event == FD_READ) {
      E.ReadQueued = true;
    }
    PostMessage(E.Notify, WM_SOCKETNOTIFY, E.Handle, L);
  } else {
    PostMessage(E.Wnd, E.Msg, E.Handle, L);
  }
}

// ---- The poller -------------------------------------------------------------------------------------------------

short WatchedEvents(const TEntry& E) {
  if (!E.Wnd || !E.Mask || E.Failed) {
    return 0;
  }
  if (E.Connecting) {
    return POLLOUT;
  }
  if (E.Listening) {
    return E.AcceptEnabled && (E.Mask & FD_ACCEPT) ? POLLIN : 0;
  }
  if (!E.Connected || E.ClosePosted) {
    return 0;
  }
  short Ev = 0;
  if (E.ReadEnabled && (E.Mask & FD_READ)) {
    Ev |= POLLIN;
  }
  if (E.WriteEnabled && (E.Mask & FD_WRITE)) {
    Ev |= POLLOUT;
  }
  if (E.Type == SOCK_STREAM) {
    Ev |= POLLRDHUP;
  }
  return Ev;
}

void Evaluate(TEntry& E, short Revents) {
  if (E.Connecting) {
    int Error = WinsockSys::PendingError(E.Fd);
    E.Connecting = false;
    if (Error == 0) {
      E.Connected = true;
      E.ReadEnabled = true;
      if (E.Mask & FD_CONNECT) {
        PostEvent(E, FD_CONNECT, 0);
      }
      if (E.Mask & FD_WRITE) {
        PostEvent(E, FD_WRITE, 0);
      }
    } else {
      E.Failed = true;
      if (E.Mask & FD_CONNECT) {
        PostEvent(E, FD_CONNECT, Error);
      }
    }
    return;
  }
  if (E.Listening) {
    if ((Revents & POLLIN) && E.AcceptEnabled) {
      E.AcceptEnabled = false;
      PostEvent(E, FD_ACCEPT, 0);
    }
    return;
  }
  if ((Revents & POLLIN) && E.ReadEnabled && (E.Mask & FD_READ)) {
    int Error = 0;
    if (E.Type != SOCK_STREAM || WinsockSys::BytesWaiting(E.Fd, Error) > 0) {
      E.ReadEnabled = false;
      PostEvent(E, FD_READ, 0);
    }
  }
  if ((Revents & POLLOUT) && E.WriteEnabled && (E.Mask & FD_WRITE)) {
    E.WriteEnabled = false;
    PostEvent(E, FD_WRITE, 0);
  }
  if ((Revents & (POLLRDHUP | POLLHUP | POLLERR)) && !E.ClosePosted) {
    if (E.Type != SOCK_STREAM) {
      WinsockSys::PendingError(E.Fd);  // clears a reported datagram error
      return;
    }
    int Error = WinsockSys::PendingError(E.Fd);
    int Code = Error == 0 ? 0 : Error == WSAECONNRESET ? WSAECONNRESET : WSAECONNABORTED;
    E.ClosePosted = true;
    if (E.Mask & FD_CLOSE) {
      PostEvent(E, FD_CLOSE, Code);
    }
  }
}

void PollerMain() {
  TModuleState& S = State();
  std::vector<pollfd> Fds;
  std::vector<TSocket> Handles;
  for (;;) {
    Fds.clear();
    Handles.clear();
    {
      std::lock_guard G(S.Lock);
      if (S.StopPoller) {
        return;
      }
      Fds.push_back(pollfd{S.WakeFd, POLLIN, 0});
      Handles.push_back(INVALID_SOCKET);
      for (auto& [Handle, E] : S.Sockets) {
        if (short Ev = WatchedEvents(E)) {
          Fds.push_back(pollfd{E.Fd, Ev, 0});
          Handles.push_back(Handle);
        }
      }
    }
    int N = ::poll(Fds.data(), Fds.size(), -1);
    if (N < 0) {
      continue;
    }
    if (Fds[0].revents) {
      std::uint64_t Count = 0;
      [[maybe_unused]] ssize_t R = ::read(Fds[0].fd, &Count, sizeof Count);
    }
    std::lock_guard G(S.Lock);
    for (std::size_t I = 1; I < Fds.size(); ++I) {
      if (!Fds[I].revents) {
        continue;
      }
      auto It = S.Sockets.find(Handles[I]);
      if (It == S.Sockets.end() || It->second.Fd != Fds[I].fd) {
        continue;  // closed while we waited
      }
      Evaluate(It->second, Fds[I].revents);
    }
  }
}

// ---- The notify window ------------------------------------------------------------------------------------------
// Events go through a hidden window of the receiving thread, which hands them to the selected window when they are
// read from the queue. So the module knows when an FD_READ has been delivered (one waits in the queue at most),
// drops an FD_READ whose data a receive loop has already taken, and drops every event of a closed socket.

LRESULT NotifyProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg != WM_SOCKETNOTIFY) {
    return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
  HWND Target = 0;
  UINT TargetMsg = 0;
  {
    TModuleState& S = State();
    std::lock_guard G(S.Lock);
    auto It = S.Sockets.find(static_cast<TSocket>(WParam));
    if (It == S.Sockets.end()) {
      return 0;
    }
    TEntry& E = It->second;
    long Event = WSAGETSELECTEVENT(LParam);
    if (Event == FD_READ) {
      E.ReadQueued = false;
      int Error = 0;
      if (E.Type == SOCK_STREAM && WinsockSys::BytesWaiting(E.Fd, Error) == 0) {
        if (!E.ReadEnabled) {
          E.ReadEnabled = true;
          WakePoller(S);
        }
        return 0;
      }
    }
    if (!E.Wnd || !(E.Mask & Event)) {
      return 0;
    }
    Target = E.Wnd;
    TargetMsg = E.Msg;
  }
  return SendMessage(Target, TargetMsg, WParam, LParam);
}

// The notify window of the calling thread when Wnd belongs to it (created on first use), else 0.
HWND NotifyWindowFor(HWND Wnd) {
  if (!Wnd || GetWindowThreadProcessId(Wnd, nullptr) != GetCurrentThreadId()) {
    return 0;
  }
  TModuleState& S = State();
  DWORD Me = GetCurrentThreadId();
  {
    std::lock_guard G(S.Lock);
    auto It = S.NotifyWindows.find(Me);
    if (It != S.NotifyWindows.end() && IsWindow(It->second)) {
      return It->second;
    }
  }
  WNDCLASS Cls;
  if (!GetClassInfo(nullptr, NotifyClassName, &Cls)) {
    WNDCLASS C;
    C.lpfnWndProc = &NotifyProc;
    C.lpszClassName = NotifyClassName;
    RegisterClass(&C);
  }
  HWND W = CreateWindowEx(WS_EX_TOOLWINDOW, NotifyClassName, "", WS_POPUP, 0, 0, 0, 0, 0, 0, nullptr, nullptr);
  if (W) {
    std::lock_guard G(S.Lock);
    S.NotifyWindows[Me] = W;
  }
  return W;
}

// ---- Host entries -----------------------------------------------------------------------------------------------

// Lays a host entry out in Buf (entry, alias list, address list, addresses, name). Returns the size it needs;
// nothing is written when that is more than BufLen.
int FillHostEnt(char* Buf, int BufLen, const std::string& Name, const std::vector<std::uint32_t>& Addrs) {
  const std::size_t Ptr = sizeof(char*);
  std::size_t Need = sizeof(THostEnt) + Ptr + (Addrs.size() + 1) * Ptr + Addrs.size() * 4 + Name.size() + 1;
  if (!Buf || Need > static_cast<std::size_t>(BufLen) ||
      reinterpret_cast<std::uintptr_t>(Buf) % alignof(THostEnt) != 0) {
    return static_cast<int>(Need);
  }
  auto* H = reinterpret_cast<THostEnt*>(Buf);
  auto** Aliases = reinterpret_cast<char**>(Buf + sizeof(THostEnt));
  auto** List = Aliases + 1;
  char* Bytes = reinterpret_cast<char*>(List + Addrs.size() + 1);
  char* NameAt = Bytes + Addrs.size() * 4;
  Aliases[0] = nullptr;
  for (std::size_t I = 0; I < Addrs.size(); ++I) {
    std::memcpy(Bytes + I * 4, &Addrs[I], 4);
    List[I] = Bytes + I * 4;
  }
  List[Addrs.size()] = nullptr;
  std::memcpy(NameAt, Name.c_str(), Name.size() + 1);
  H->h_name = NameAt;
  H->h_aliases = Aliases;
  H->h_addrtype = AF_INET;
  H->h_length = 4;
  H->h_addr_list = List;
  return static_cast<int>(Need);
}

int ResolveName(const std::string& Name, std::vector<std::uint32_t>& Addrs, std::string& Official) {
  std::uint32_t A = 0;
  if (WinsockSys::ParseAddress(Name, A)) {
    Addrs.push_back(A);
    Official = Name;
    return 0;
  }
  decltype(TWinsockResolver::Lookup) Lookup;
  {
    std::lock_guard G(State().Lock);
    Lookup = State().Resolver.Lookup;
  }
  return Lookup ? Lookup(Name, Addrs, Official) : WinsockSys::LookupName(Name, Addrs, Official);
}

int ResolveAddr(std::uint32_t Addr, std::string& Name) {
  decltype(TWinsockResolver::ReverseLookup) Reverse;
  {
    std::lock_guard G(State().Lock);
    Reverse = State().Resolver.ReverseLookup;
  }
  return Reverse ? Reverse(Addr, Name) : WinsockSys::LookupAddr(Addr, Name);
}

bool Started() {
  std::lock_guard G(State().Lock);
  return State().StartupCount > 0;
}

// Runs a lookup on a worker thread and posts its answer unless it was cancelled first.
using TLookupWork = std::function<int(std::string& Name, std::vector<std::uint32_t>& Addrs)>;

HANDLE StartLookup(HWND Wnd, UINT Msg, char* Buf, int BufLen, TLookupWork Work) {
  if (!Started()) {
    LastWsaError = WSANOTINITIALISED;
    return nullptr;
  }
  if (!Buf || BufLen <= 0) {
    LastWsaError = WSAEFAULT;
    return nullptr;
  }
  TModuleState& S = State();
  auto L = std::make_shared<TLookup>();
  {
    std::lock_guard G(S.Lock);
    L->Handle = S.NextLookup++;
    S.Lookups[L->Handle] = L;
  }
  L->Wnd = Wnd;
  L->Msg = Msg;
  L->Buf = Buf;
  L->BufLen = BufLen;
  std::thread([L, Work = std::move(Work)] {
    std::string Name;
    std::vector<std::uint32_t> Addrs;
    int Error = Work(Name, Addrs);
    TModuleState& S = State();
    std::lock_guard G(S.Lock);
    if (L->Cancelled) {
      return;
    }
    S.Lookups.erase(L->Handle);
    int Need = 0;
    if (Error == 0) {
      Need = FillHostEnt(L->Buf, L->BufLen, Name, Addrs);
      if (Need > L->BufLen) {
        Error = WSAENOBUFS;
      }
    }
    PostMessage(L->Wnd, L->Msg, L->Handle, WSAMAKEASYNCREPLY(static_cast<WORD>(Need), static_cast<WORD>(Error)));
  }).detach();
  return reinterpret_cast<HANDLE>(L->Handle);
}

// ---- The exports ------------------------------------------------------------------------------------------------

TEntry* FindEntry(TSocket S) {
  auto& M = State().Sockets;
  auto It = M.find(S);
  return It == M.end() ? nullptr : &It->second;
}

bool ReadAddr(const TSockAddr* Name, int Len, std::uint32_t& Addr, std::uint16_t& Port, int& Error) {
  if (!Name || Len < static_cast<int>(sizeof(TSockAddrIn))) {
    Error = WSAEFAULT;
    return false;
  }
  TSockAddrIn In;
  std::memcpy(static_cast<void*>(&In), Name, sizeof In);
  if (In.sin_family != AF_INET) {
    Error = WSAEAFNOSUPPORT;
    return false;
  }
  Addr = In.sin_addr.S_addr;
  Port = In.sin_port;
  return true;
}

int WriteAddr(TSockAddr* Name, int* Len, std::uint32_t Addr, std::uint16_t Port) {
  if (!Name) {
    return 0;
  }
  if (!Len || *Len < static_cast<int>(sizeof(TSockAddrIn))) {
    return WSAEFAULT;
  }
  TSockAddrIn In;
  In.sin_family = AF_INET;
  In.sin_port = Port;
  In.sin_addr.S_addr = Addr;
  std::memcpy(static_cast<void*>(Name), &In, sizeof In);
  *Len = sizeof In;
  return 0;
}

int WSAStartupImpl(WORD VersionRequired, TWSAData* Data) {
  if ((VersionRequired & 0xFF) < 1) {
    return WSAVERNOTSUPPORTED;
  }
  if (!Data) {
    return WSAEFAULT;
  }
  *Data = TWSAData();
  WORD Highest = 0x0202;
  Data->wVersion = ((VersionRequired & 0xFF) > 2 || VersionRequired > Highest) ? Highest : VersionRequired;
  Data->wHighVersion = Highest;
  std::strcpy(Data->szDescription, "WinSock 2.0");
  std::strcpy(Data->szSystemStatus, "Running");
  Data->iMaxSockets = 32767;
  Data->iMaxUdpDg = 65467;
  TModuleState& S = State();
  std::lock_guard G(S.Lock);
  if (S.StartupCount++ == 0) {
    S.WakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    S.StopPoller = false;
    S.Poller = std::thread(PollerMain);
  }
  return 0;
}

int WSACleanupImpl() {
  TModuleState& S = State();
  std::thread Poller;
  {
    std::lock_guard G(S.Lock);
    if (S.StartupCount == 0) {
      return Fail(WSANOTINITIALISED);
    }
    if (--S.StartupCount > 0) {
      return 0;
    }
    S.StopPoller = true;
    WakePoller(S);
    Poller = std::move(S.Poller);
  }
  if (Poller.joinable()) {
    Poller.join();
  }
  std::lock_guard G(S.Lock);
  for (auto& [Handle, E] : S.Sockets) {
    WinsockSys::Close(E.Fd);
  }
  S.Sockets.clear();
  for (auto& [Handle, L] : S.Lookups) {
    L->Cancelled = true;
  }
  S.Lookups.clear();
  ::close(S.WakeFd);
  S.WakeFd = -1;
  return 0;
}

void WSASetLastErrorImpl(int Error) { LastWsaError = Error; }
int WSAGetLastErrorImpl() { return LastWsaError; }

int WSACancelAsyncRequestImpl(HANDLE Task) {
  TModuleState& S = State();
  std::lock_guard G(S.Lock);
  auto It = S.Lookups.find(reinterpret_cast<UINT_PTR>(Task));
  if (It == S.Lookups.end()) {
    return Fail(WSAEINVAL);
  }
  It->second->Cancelled = true;
  S.Lookups.erase(It);
  return 0;
}

HANDLE WSAAsyncGetHostByNameImpl(HWND Wnd, std::uint32_t Msg, const char* Name, char* Buf, int BufLen) {
  if (!Name) {
    LastWsaError = WSAEFAULT;
    return nullptr;
  }
  std::string N = Name;
  return StartLookup(Wnd, Msg, Buf, BufLen, [N](std::string& Official, std::vector<std::uint32_t>& Addrs) {
    return ResolveName(N, Addrs, Official);
  });
}

HANDLE WSAAsyncGetHostByAddrImpl(HWND Wnd, std::uint32_t Msg, const char* Addr, int Len, int Type, char* Buf,
                                 int BufLen) {
  if (!Addr || Len != 4 || Type != AF_INET) {
    LastWsaError = !Addr ? WSAEFAULT : WSAEAFNOSUPPORT;
    return nullptr;
  }
  std::uint32_t A = 0;
  std::memcpy(&A, Addr, 4);
  return StartLookup(Wnd, Msg, Buf, BufLen, [A](std::string& Name, std::vector<std::uint32_t>& Addrs) {
    Addrs.push_back(A);
    return ResolveAddr(A, Name);
  });
}

int WSAAsyncSelectImpl(TSocket Sock, HWND Wnd, std::uint32_t Msg, long Event) {
  HWND Notify = (Wnd && Event) ? NotifyWindowFor(Wnd) : 0;
  TModuleState& S = State();
  std::lock_guard G(S.Lock);
  TEntry* E = FindEntry(Sock);
  if (!E) {
    return Fail(WSAENOTSOCK);
  }
  if (!Wnd || !Event) {
    E->Wnd = 0;
    E->Mask = 0;
    WakePoller(S);
    return 0;
  }
  if (!E->NonBlocking) {
    if (int Error = WinsockSys::SetNonBlocking(E->Fd, true)) {
      return Fail(Error);
    }
    E->NonBlocking = true;
  }
  E->Wnd = Wnd;
  E->Msg = Msg;
  E->Mask = Event;
  E->Notify = Notify;
  E->ReadEnabled = !E->ReadQueued;
  E->AcceptEnabled = true;
  if (E->Connected && !E->ClosePosted) {
    E->WriteEnabled = true;
  }
  WakePoller(S);
  return 0;
}

TSocket SocketImpl(int Af, int Type, int Protocol) {
  if (!Started()) {
    Fail(WSANOTINITIALISED);
    return INVALID_SOCKET;
  }
  if (Af != AF_INET) {
    Fail(WSAEAFNOSUPPORT);
    return INVALID_SOCKET;
  }
  int Fd = -1;
  if (int Error = WinsockSys::OpenSocket(Type, Protocol, Fd)) {
    Fail(Error);
    return INVALID_SOCKET;
  }
  TModuleState& S = State();
  std::lock_guard G(S.Lock);
  TEntry E;
  E.Handle = S.NextHandle;
  S.NextHandle += 4;  // handles are not reused, so a stale event never reaches a newer socket
  E.Fd = Fd;
  E.Type = Type;
  E.Connected = Type != SOCK_STREAM;
  S.Sockets[E.Handle] = E;
  return E.Handle;
}

int CloseSocketImpl(TSocket Sock) {
  TModuleState& S = State();
  std::lock_guard G(S.Lock);
  TEntry* E = FindEntry(Sock);
  if (!E) {
    return Fail(WSAENOTSOCK);
  }
  WinsockSys::Close(E->Fd);
  S.Sockets.erase(Sock);
  WakePoller(S);
  return 0;
}

int ShutdownImpl(TSocket Sock, int How) {
  std::lock_guard G(State().Lock);
  TEntry* E = FindEntry(Sock);
  if (!E) {
    return Fail(WSAENOTSOCK);
  }
  if (int Error = WinsockSys::Shutdown(E->Fd, How)) {
    return Fail(Error);
  }
  if (How >= SD_SEND) {
    E->ShutSend = true;
  }
  return 0;
}

int SetSockOptImpl(TSocket Sock, int Level, int OptName, const char* OptVal, int OptLen) {
  std::lock_guard G(State().Lock);
  TEntry* E = FindEntry(Sock);
  if (!E) {
    return Fail(WSAENOTSOCK);
  }
  int Error = WinsockSys::SetOption(E->Fd, Level, OptName, OptVal, OptLen);
  return Error ? Fail(Error) : 0;
}

int GetSockOptImpl(TSocket Sock, int Level, int OptName, char* OptVal, int* OptLen) {
  std::lock_guard G(State().Lock);
  TEntry* E = FindEntry(Sock);
  if (!E) {
    return Fail(WSAENOTSOCK);
  }
  int Error = WinsockSys::GetOption(E->Fd, Level, OptName, OptVal, OptLen);
  return Error ? Fail(Error) : 0;
}

int BindImpl(TSocket Sock, const TSockAddr* Addr, int Len) {
  std::uint32_t A = 0;
  std::uint16_t P = 0;
  int Error = 0;
  if (!ReadAddr(Addr, Len, A, P, Error)) {
    return Fail(Error);
  }
  std::lock_guard G(State().Lock);
  TEntry* E = FindEntry(Sock);
  if (!E) {
    return Fail(WSAENOTSOCK);
  }
  Error = WinsockSys::Bind(E->Fd, A, P);
  return Error ? Fail(Error) : 0;
}

int ListenImpl(TSocket Sock, int Backlog) {
  TModuleState& S = State();
  std::lock_guard G(S.Lock);
  TEntry* E = FindEntry(Sock);
  if (!E) {
    return Fail(WSAENOTSOCK);
  }
  if (int Error = WinsockSys::Listen(E->Fd, Backlog)) {
    return Fail(Error);
  }
  E->Listening = true;
  E->AcceptEnabled = true;
  WakePoller(S);
  return 0;
}

TSocket AcceptImpl(TSocket Sock, TSockAddr* Addr, int* AddrLen) {
  TModuleState& S = State();
  std::lock_guard G(S.Lock);
  TEntry* L = FindEntry(Sock);
  if (!L) {
    Fail(WSAENOTSOCK);
    return INVALID_SOCKET;
  }
  if (!L->Listening) {
    Fail(WSAEINVAL);
    return INVALID_SOCKET;
  }
  int NewFd = -1;
  std::uint32_t A = 0;
  std::uint16_t P = 0;
  int Error = WinsockSys::Accept(L->Fd, NewFd, A, P);
  L->AcceptEnabled = true;
  WakePoller(S);
  if (Error) {
    Fail(Error);
    return INVALID_SOCKET;
  }
  if (L->NonBlocking) {
    WinsockSys::SetNonBlocking(NewFd, true);
  }
  if (int E2 = WriteAddr(Addr, AddrLen, A, P)) {
    WinsockSys::Close(NewFd);
    Fail(E2);
    return INVALID_SOCKET;
  }
  // The accepted socket shares the listening socket's selection, as on the platform.
  TEntry E;
  E.Handle = S.NextHandle;
  S.NextHandle += 4;
  E.Fd = NewFd;
  E.Type = SOCK_STREAM;
  E.Connected = true;
  E.NonBlocking = L->NonBlocking;
  E.Wnd = L->Wnd;
  E.Msg = L->Msg;
  E.Mask = L->Mask;
  E.Notify = L->Notify;
  E.WriteEnabled = true;
  S.Sockets[E.Handle] = E;
  return E.Handle;
}

int ConnectImpl(TSocket Sock, const TSockAddr* Name, int Len) {
  std::uint32_t A = 0;
  std::uint16_t P = 0;
  int Error = 0;
  if (!ReadAddr(Name, Len, A, P, Error)) {
    return Fail(Error);
  }
  TModuleState& S = State();
  std::unique_lock G(S.Lock);
  TEntry* E = FindEntry(Sock);
  if (!E) {
    return Fail(WSAENOTSOCK);
  }
  if (E->Type == SOCK_STREAM && (E->Connected || E->Connecting)) {
    return Fail(E->Connected ? WSAEISCONN : WSAEALREADY);
  }
  if (!E->NonBlocking) {
    int Fd = E->Fd;
    G.unlock();  // a blocking connect must not hold the table
    Error = WinsockSys::Connect(Fd, A, P);
    G.lock();
    E = FindEntry(Sock);
    if (E && Error == 0) {
      E->Connected = true;
    }
    return Error ? Fail(Error) : 0;
  }
  Error = WinsockSys::Connect(E->Fd, A, P);
  if (E->Type != SOCK_STREAM) {
    return Error ? Fail(Error) : 0;
  }
  // A selected socket always completes through FD_CONNECT, even when the system answered at once.
  if (Error == 0 || Error == WSAEWOULDBLOCK) {
    E->Connecting = true;
    WakePoller(S);
    return Fail(WSAEWOULDBLOCK);
  }
  if (Error == WSAECONNREFUSED || Error == WSAENETUNREACH || Error == WSAEHOSTUNREACH || Error == WSAETIMEDOUT) {
    E->Failed = true;
    if (E->Mask & FD_CONNECT) {
      PostEvent(*E, FD_CONNECT, Error);
    }
    return Fail(WSAEWOULDBLOCK);
  }
  return Fail(Error);
}

int SendImpl(TSocket Sock, const void* Buf, int Len, int Flags) {
  TModuleState& S = State();
  int Fd = -1;
  {
    std::lock_guard G(S.Lock);
    TEntry* E = FindEntry(Sock);
    if (!E) {
      return Fail(WSAENOTSOCK);
    }
    if (E->Type == SOCK_STREAM && !E->Connected) {
      return Fail(WSAENOTCONN);
    }
    Fd = E->Fd;
  }
  int Error = 0;
  int N = WinsockSys::Send(Fd, Buf, Len, Flags, Error);
  if (N >= 0) {
    return N;
  }
  std::lock_guard G(S.Lock);
  if (TEntry* E = FindEntry(Sock)) {
    if (Error == WSAEWOULDBLOCK && !E->WriteEnabled) {
      E->WriteEnabled = true;
      WakePoller(S);
    } else if (Error == WSAECONNRESET && E->ShutSend) {
      Error = WSAESHUTDOWN;
    }
  }
  return Fail(Error);
}

int SendToImpl(TSocket Sock, const void* Buf, int Len, int Flags, const TSockAddr* To, int ToLen) {
  std::uint32_t A = 0;
  std::uint16_t P = 0;
  int Error = 0;
  if (!ReadAddr(To, ToLen, A, P, Error)) {
    return Fail(Error);
  }
  int Fd = -1;
  {
    std::lock_guard G(State().Lock);
    TEntry* E = FindEntry(Sock);
    if (!E) {
      return Fail(WSAENOTSOCK);
    }
    Fd = E->Fd;
  }
  int N = WinsockSys::SendTo(Fd, Buf, Len, Flags, A, P, Error);
  return N >= 0 ? N : Fail(Error);
}

// After a receive: FD_READ is enabled again; when data remains and no FD_READ waits, one is posted now.
void ReenableRead(TSocket Sock) {
  TModuleState& S = State();
  std::lock_guard G(S.Lock);
  TEntry* E = FindEntry(Sock);
  if (!E || !E->Wnd || !(E->Mask & FD_READ) || E->ReadEnabled) {
    return;
  }
  int Error = 0;
  if (WinsockSys::BytesWaiting(E->Fd, Error) > 0) {
    if (!E->ReadQueued || !E->Notify) {
      PostEvent(*E, FD_READ, 0);
    }
  } else {
    E->ReadEnabled = true;
    if (!E->ClosePosted) {
      WakePoller(S);
    }
  }
}

int RecvImpl(TSocket Sock, void* Buf, int Len, int Flags) {
  int Fd = -1;
  {
    std::lock_guard G(State().Lock);
    TEntry* E = FindEntry(Sock);
    if (!E) {
      return Fail(WSAENOTSOCK);
    }
    if (E->Type == SOCK_STREAM && !E->Connected) {
      return Fail(WSAENOTCONN);
    }
    Fd = E->Fd;
  }
  int Error = 0;
  int N = WinsockSys::Recv(Fd, Buf, Len, Flags, Error);
  if (!(Flags & MSG_PEEK)) {
    ReenableRead(Sock);
  }
  return N >= 0 ? N : Fail(Error);
}

int RecvFromImpl(TSocket Sock, void* Buf, int Len, int Flags, TSockAddr* From, int* FromLen) {
  int Fd = -1;
  {
    std::lock_guard G(State().Lock);
    TEntry* E = FindEntry(Sock);
    if (!E) {
      return Fail(WSAENOTSOCK);
    }
    Fd = E->Fd;
  }
  int Error = 0;
  std::uint32_t A = 0;
  std::uint16_t P = 0;
  int N = WinsockSys::RecvFrom(Fd, Buf, Len, Flags, A, P, Error);
  if (!(Flags & MSG_PEEK)) {
    ReenableRead(Sock);
  }
  if (N < 0) {
    return Fail(Error);
  }
  if (int E2 = WriteAddr(From, FromLen, A, P)) {
    return Fail(E2);
  }
  return N;
}

int IoctlSocketImpl(TSocket Sock, long Cmd, std::uint32_t* Arg) {
  std::lock_guard G(State().Lock);
  TEntry* E = FindEntry(Sock);
  if (!E) {
    return Fail(WSAENOTSOCK);
  }
  if (!Arg) {
    return Fail(WSAEFAULT);
  }
  if (Cmd == FIONREAD) {
    int Error = 0;
    int N = WinsockSys::BytesWaiting(E->Fd, Error);
    if (N < 0) {
      return Fail(Error);
    }
    *Arg = static_cast<std::uint32_t>(N);
    return 0;
  }
  if (Cmd == FIONBIO) {
    if (!*Arg && E->Wnd) {
      return Fail(WSAEINVAL);  // a selected socket stays non-blocking
    }
    if (int Error = WinsockSys::SetNonBlocking(E->Fd, *Arg != 0)) {
      return Fail(Error);
    }
    E->NonBlocking = *Arg != 0;
    return 0;
  }
  return Fail(WSAEINVAL);
}

// The local or the remote address of a socket (Query: WinsockSys::SockName or PeerName) into Name.
int AddressOf(TSocket Sock, TSockAddr* Name, int* Len, int (*Query)(int, std::uint32_t&, std::uint16_t&)) {
  std::lock_guard G(State().Lock);
  TEntry* E = FindEntry(Sock);
  if (!E) {
    return Fail(WSAENOTSOCK);
  }
  std::uint32_t A = 0;
  std::uint16_t P = 0;
  if (int Error = Query(E->Fd, A, P)) {
    return Fail(Error);
  }
  int Error = WriteAddr(Name, Len, A, P);
  return Error ? Fail(Error) : 0;
}

int GetSockNameImpl(TSocket Sock, TSockAddr* Name, int* Len) {
  return AddressOf(Sock, Name, Len, WinsockSys::SockName);
}

int GetPeerNameImpl(TSocket Sock, TSockAddr* Name, int* Len) {
  return AddressOf(Sock, Name, Len, WinsockSys::PeerName);
}

std::uint16_t Swap16(std::uint16_t V) { return static_cast<std::uint16_t>((V << 8) | (V >> 8)); }
std::uint32_t Swap32(std::uint32_t V) {
  return (V >> 24) | ((V >> 8) & 0xFF00u) | ((V << 8) & 0xFF0000u) | (V << 24);
}
std::uint16_t NtohsImpl(std::uint16_t V) { return Swap16(V); }
std::uint32_t NtohlImpl(std::uint32_t V) { return Swap32(V); }
std::uint16_t HtonsImpl(std::uint16_t V) { return Swap16(V); }
std::uint32_t HtonlImpl(std::uint32_t V) { return Swap32(V); }

char* InetNtoaImpl(TInAddr In) {
  thread_local char Buf[16];
  std::string S = WinsockSys::FormatAddress(In.S_addr);
  std::snprintf(Buf, sizeof Buf, "%s", S.c_str());
  return Buf;
}

std::uint32_t InetAddrImpl(const char* Cp) {
  if (!Cp) {
    return INADDR_NONE;
  }
  std::uint32_t A = 0;
  return WinsockSys::ParseAddress(Cp, A) ? A : INADDR_NONE;
}

PHostEnt HostEntResult(const std::string& Name, const std::vector<std::uint32_t>& Addrs) {
  alignas(THostEnt) thread_local char Buf[MAXGETHOSTSTRUCT * 4];
  if (FillHostEnt(Buf, sizeof Buf, Name, Addrs) > static_cast<int>(sizeof Buf)) {
    LastWsaError = WSAENOBUFS;
    return nullptr;
  }
  return reinterpret_cast<PHostEnt>(Buf);
}

PHostEnt GetHostByNameImpl(const char* Name) {
  if (!Started()) {
    LastWsaError = WSANOTINITIALISED;
    return nullptr;
  }
  std::vector<std::uint32_t> Addrs;
  std::string Official;
  if (int Error = ResolveName(Name ? Name : "", Addrs, Official)) {
    LastWsaError = Error;
    return nullptr;
  }
  return HostEntResult(Official, Addrs);
}

PHostEnt GetHostByAddrImpl(const char* Addr, int Len, int Type) {
  if (!Addr || Len != 4 || Type != AF_INET) {
    LastWsaError = WSAEFAULT;
    return nullptr;
  }
  std::uint32_t A = 0;
  std::memcpy(&A, Addr, 4);
  std::string Name;
  if (int Error = ResolveAddr(A, Name)) {
    LastWsaError = Error;
    return nullptr;
  }
  return HostEntResult(Name, {A});
}

int GetHostNameImpl(char* Name, int Len) {
  std::string H;
  if (int Error = WinsockSys::HostName(H)) {
    return Fail(Error);
  }
  if (!Name || Len <= static_cast<int>(H.size())) {
    return Fail(WSAEFAULT);
  }
  std::memcpy(Name, H.c_str(), H.size() + 1);
  return 0;
}

PServEnt GetServByNameImpl(const char* Name, const char* Proto) {
  thread_local TServEnt Ent;
  thread_local std::string EntName;
  thread_local std::string EntProto;
  thread_local char* NoAliases[1] = {nullptr};
  std::uint16_t Port = 0;
  if (!Name || !WinsockSys::ServicePort(Name, Proto ? Proto : "", Port)) {
    LastWsaError = WSANO_DATA;
    return nullptr;
  }
  EntName = Name;
  EntProto = Proto ? Proto : "tcp";
  Ent.s_name = EntName.data();
  Ent.s_aliases = NoAliases;
  Ent.s_port = static_cast<std::int16_t>(Port);
  Ent.s_proto = EntProto.data();
  return &Ent;
}

PProtoEnt GetProtoByNameImpl(const char* Name) {
  struct TKnown {
    const char* Name;
    std::int16_t Number;
  };
  static const TKnown Known[] = {{"ip", 0}, {"icmp", 1}, {"igmp", 2}, {"tcp", 6}, {"udp", 17}, {"raw", 255}};
  thread_local TProtoEnt Ent;
  thread_local std::string EntName;
  thread_local char* NoAliases[1] = {nullptr};
  for (const TKnown& K : Known) {
    if (Name && ::strcasecmp(Name, K.Name) == 0) {
      EntName = K.Name;
      Ent.p_name = EntName.data();
      Ent.p_aliases = NoAliases;
      Ent.p_proto = K.Number;
      return &Ent;
    }
  }
  LastWsaError = WSANO_DATA;
  return nullptr;
}

template <class F> void* Export(F* Function) { return reinterpret_cast<void*>(Function); }

// Wires the exports into the built-in module when the layer loads.
struct TRegisterExports {
  TRegisterExports() {
    const char* M = "wsock32.dll";
    RegisterModuleExport(M, "WSAStartup", Export(&WSAStartupImpl));
    RegisterModuleExport(M, "WSACleanup", Export(&WSACleanupImpl));
    RegisterModuleExport(M, "WSASetLastError", Export(&WSASetLastErrorImpl));
    RegisterModuleExport(M, "WSAGetLastError", Export(&WSAGetLastErrorImpl));
    RegisterModuleExport(M, "WSACancelAsyncRequest", Export(&WSACancelAsyncRequestImpl));
    RegisterModuleExport(M, "WSAAsyncGetHostByName", Export(&WSAAsyncGetHostByNameImpl));
    RegisterModuleExport(M, "WSAAsyncGetHostByAddr", Export(&WSAAsyncGetHostByAddrImpl));
    RegisterModuleExport(M, "WSAAsyncSelect", Export(&WSAAsyncSelectImpl));
    RegisterModuleExport(M, "getservbyname", Export(&GetServByNameImpl));
    RegisterModuleExport(M, "getprotobyname", Export(&GetProtoByNameImpl));
    RegisterModuleExport(M, "gethostbyname", Export(&GetHostByNameImpl));
    RegisterModuleExport(M, "gethostbyaddr", Export(&GetHostByAddrImpl));
    RegisterModuleExport(M, "gethostname", Export(&GetHostNameImpl));
    RegisterModuleExport(M, "socket", Export(&SocketImpl));
    RegisterModuleExport(M, "shutdown", Export(&ShutdownImpl));
    RegisterModuleExport(M, "setsockopt", Export(&SetSockOptImpl));
    RegisterModuleExport(M, "getsockopt", Export(&GetSockOptImpl));
    RegisterModuleExport(M, "sendto", Export(&SendToImpl));
    RegisterModuleExport(M, "send", Export(&SendImpl));
    RegisterModuleExport(M, "ntohs", Export(&NtohsImpl));
    RegisterModuleExport(M, "ntohl", Export(&NtohlImpl));
    RegisterModuleExport(M, "listen", Export(&ListenImpl));
    RegisterModuleExport(M, "ioctlsocket", Export(&IoctlSocketImpl));
    RegisterModuleExport(M, "inet_ntoa", Export(&InetNtoaImpl));
    RegisterModuleExport(M, "inet_addr", Export(&InetAddrImpl));
    RegisterModuleExport(M, "htons", Export(&HtonsImpl));
    RegisterModuleExport(M, "htonl", Export(&HtonlImpl));
    RegisterModuleExport(M, "getsockname", Export(&GetSockNameImpl));
    RegisterModuleExport(M, "getpeername", Export(&GetPeerNameImpl));
    RegisterModuleExport(M, "connect", Export(&ConnectImpl));
    RegisterModuleExport(M, "closesocket", Export(&CloseSocketImpl));
    RegisterModuleExport(M, "bind", Export(&BindImpl));
    RegisterModuleExport(M, "accept", Export(&AcceptImpl));
    RegisterModuleExport(M, "recv", Export(&RecvImpl));
    RegisterModuleExport(M, "recvfrom", Export(&RecvFromImpl));
  }
} RegisterExports;

}  // namespace

TWinsockResolver SetWinsockResolver(TWinsockResolver Resolver) {
  std::lock_guard G(State().Lock);
  TWinsockResolver Old = std::move(State().Resolver);
  State().Resolver = std::move(Resolver);
  return Old;
}

int WinsockOpenSocketCount() {
  std::lock_guard G(State().Lock);
  return static_cast<int>(State().Sockets.size());
}
