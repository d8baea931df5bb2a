// The sockets library bound by name on first use, its wrappers, and the plain address and error functions.
#include "net/Wsocket.h"

#include "platform/win/Modules.h"

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace {

enum TProcIndex {
  piWSAStartup, piWSACleanup, piWSASetLastError, piWSAGetLastError, piWSACancelAsyncRequest,
  piWSAAsyncGetHostByName, piWSAAsyncGetHostByAddr, piWSAAsyncSelect, pigetservbyname, pigetprotobyname,
  pigethostbyname, pigethostbyaddr, pigethostname, pisocket, pishutdown, pisetsockopt, pigetsockopt, pisendto,
  pisend, pintohs, pintohl, pilisten, piioctlsocket, piinet_ntoa, piinet_addr, pihtons, pihtonl, pigetsockname,
  pigetpeername, piconnect, piclosesocket, pibind, piaccept, pirecv, pirecvfrom, piCount
};
const char* const ProcNames[piCount] = {
    "WSAStartup", "WSACleanup", "WSASetLastError", "WSAGetLastError", "WSACancelAsyncRequest",
    "WSAAsyncGetHostByName", "WSAAsyncGetHostByAddr", "WSAAsyncSelect", "getservbyname", "getprotobyname",
    "gethostbyname", "gethostbyaddr", "gethostname", "socket", "shutdown", "setsockopt", "getsockopt", "sendto",
    "send", "ntohs", "ntohl", "listen", "ioctlsocket", "inet_ntoa", "inet_addr", "htons", "htonl", "getsockname",
    "getpeername", "connect", "closesocket", "bind", "accept", "recv", "recvfrom"};

struct TWinsockBinding {
  std::recursive_mutex Lock;
  HMODULE Dll = nullptr;
  TWSAData Data;
  std::array<std::atomic<void*>, piCount> Procs{};
  int ForceLoadCount = 0;
};
TWinsockBinding& Binding() {
  static auto* B = new TWinsockBinding;
  return *B;
}

template <class F> F Proc(TProcIndex I) {
  void* P = Binding().Procs[I].load(std::memory_order_acquire);
  if (!P) {
    P = WSocketGetProc(ProcNames[I]);
    Binding().Procs[I].store(P, std::memory_order_release);
  }
  return reinterpret_cast<F>(P);
}

// The process-wide address list of LocalIPList (a plain pointer, so that it outlives every static destructor).
TStringList*& IPList() {
  static TStringList* L = nullptr;
  return L;
}

// Unit finalization: the address list goes and the library is unloaded.
struct TFinalization {
  ~TFinalization() {
    try {
      delete IPList();
      IPList() = nullptr;
      WSocketUnloadWinsock();
    } catch (...) {
    }
  }
} Finalization;

}  // namespace

void* WSocketGetProc(const std::string& ProcName) {
  TWinsockBinding& B = Binding();
  std::lock_guard G(B.Lock);
  if (!B.Dll) {
    HMODULE Dll = LoadLibrary(winsocket);
    if (!Dll) {
      throw ESocketException("Unable to load " + std::string(winsocket) + " Error #" + IntToStr(GetLastError()));
    }
    auto Startup = reinterpret_cast<TWSAStartup>(GetProcAddress(Dll, "WSAStartup"));
    if (!Startup) {
      int Error = static_cast<int>(GetLastError());
      FreeLibrary(Dll);
      throw ESocketException("Procedure WSAStartup not found in " + std::string(winsocket) + " Error #" +
                             IntToStr(Error));
    }
    int Error = Startup(0x0101, &B.Data);
    if (Error != 0) {
      FreeLibrary(Dll);  // so that a later call tries again
      throw ESocketException(Format("%s: WSAStartup error #%d", {winsocket, Error}));
    }
    B.Dll = Dll;
  }
  if (ProcName.empty()) {
    return nullptr;
  }
  void* P = GetProcAddress(B.Dll, ProcName.c_str());
  if (!P) {
    throw ESocketException("Procedure " + ProcName + " not found in " + winsocket + " Error #" +
                           IntToStr(GetLastError()));
  }
  return P;
}

void WSocketUnloadWinsock() {
  TWinsockBinding& B = Binding();
  std::lock_guard G(B.Lock);
  if (!B.Dll) {
    return;
  }
  if (auto Cleanup = reinterpret_cast<TWSACleanup>(GetProcAddress(B.Dll, "WSACleanup"))) {
    Cleanup();
  }
  FreeLibrary(B.Dll);
  B.Dll = nullptr;
  for (auto& P : B.Procs) {
    P.store(nullptr);
  }
}

void WSocketForceLoadWinsock() {
  std::lock_guard G(Binding().Lock);
  ++Binding().ForceLoadCount;
  WSocketGetProc("");
}

void WSocketCancelForceLoadWinsock() {
  std::lock_guard G(Binding().Lock);
  if (Binding().ForceLoadCount > 0 && --Binding().ForceLoadCount == 0) {
    WSocketUnloadWinsock();
  }
}

TWSAData WinsockInfo() {
  WSocketGetProc("");
  std::lock_guard G(Binding().Lock);
  return Binding().Data;
}

// ---- The wrappers -----------------------------------------------------------------------------------------------

int WSocket_WSAStartup(WORD wVersionRequired, TWSAData& WSData) {
  return Proc<TWSAStartup>(piWSAStartup)(wVersionRequired, &WSData);
}
int WSocket_WSACleanup() { return Proc<TWSACleanup>(piWSACleanup)(); }
void WSocket_WSASetLastError(int iError) { Proc<TWSASetLastError>(piWSASetLastError)(iError); }
int WSocket_WSAGetLastError() { return Proc<TWSAGetLastError>(piWSAGetLastError)(); }
int WSocket_WSACancelAsyncRequest(HANDLE hAsyncTaskHandle) {
  return Proc<TWSACancelAsyncRequest>(piWSACancelAsyncRequest)(hAsyncTaskHandle);
}
HANDLE WSocket_WSAAsyncGetHostByName(HWND HWindow, UINT wMsg, const char* name, char* buf, int buflen) {
  return Proc<TWSAAsyncGetHostByName>(piWSAAsyncGetHostByName)(HWindow, wMsg, name, buf, buflen);
}
HANDLE WSocket_WSAAsyncGetHostByAddr(HWND HWindow, UINT wMsg, const char* addr, int len, int Struct, char* buf,
                                     int buflen) {
  return Proc<TWSAAsyncGetHostByAddr>(piWSAAsyncGetHostByAddr)(HWindow, wMsg, addr, len, Struct, buf, buflen);
}
int WSocket_WSAAsyncSelect(TSocket s, HWND HWindow, UINT wMsg, long lEvent) {
  return Proc<TWSAAsyncSelect>(piWSAAsyncSelect)(s, HWindow, wMsg, lEvent);
}
PServEnt WSocket_getservbyname(const char* name, const char* proto) {
  return Proc<TGetServByName>(pigetservbyname)(name, proto);
}
PProtoEnt WSocket_getprotobyname(const char* name) { return Proc<TGetProtoByName>(pigetprotobyname)(name); }
PHostEnt WSocket_gethostbyname(const char* name) { return Proc<TGetHostByName>(pigethostbyname)(name); }
PHostEnt WSocket_gethostbyaddr(const char* addr, int len, int Struct) {
  return Proc<TGetHostByAddr>(pigethostbyaddr)(addr, len, Struct);
}
int WSocket_gethostname(char* name, int len) { return Proc<TGetHostName>(pigethostname)(name, len); }
TSocket WSocket_socket(int af, int Struct, int protocol) { return Proc<TOpenSocket>(pisocket)(af, Struct, protocol); }
int WSocket_shutdown(TSocket s, int how) { return Proc<TShutdown>(pishutdown)(s, how); }
int WSocket_setsockopt(TSocket s, int level, int optname, const char* optval, int optlen) {
  return Proc<TSetSockOpt>(pisetsockopt)(s, level, optname, optval, optlen);
}
int WSocket_getsockopt(TSocket s, int level, int optname, char* optval, int& optlen) {
  return Proc<TGetSockOpt>(pigetsockopt)(s, level, optname, optval, &optlen);
}
int WSocket_sendto(TSocket s, const void* Buf, int len, int flags, const TSockAddr& addrto, int tolen) {
  return Proc<TSendTo>(pisendto)(s, Buf, len, flags, &addrto, tolen);
}
int WSocket_send(TSocket s, const void* Buf, int len, int flags) { return Proc<TSend>(pisend)(s, Buf, len, flags); }
std::uint16_t WSocket_ntohs(std::uint16_t netshort) { return Proc<Tntohs>(pintohs)(netshort); }
std::uint32_t WSocket_ntohl(std::uint32_t netlong) { return Proc<Tntohl>(pintohl)(netlong); }
int WSocket_listen(TSocket s, int backlog) { return Proc<TListen>(pilisten)(s, backlog); }
int WSocket_ioctlsocket(TSocket s, long cmd, std::uint32_t& arg) {
  return Proc<TIoctlSocket>(piioctlsocket)(s, cmd, &arg);
}
char* WSocket_inet_ntoa(TInAddr inaddr) { return Proc<TInet_ntoa>(piinet_ntoa)(inaddr); }
std::uint32_t WSocket_inet_addr(const char* cp) { return Proc<TInet_addr>(piinet_addr)(cp); }
std::uint16_t WSocket_htons(std::uint16_t hostshort) { return Proc<Thtons>(pihtons)(hostshort); }
std::uint32_t WSocket_htonl(std::uint32_t hostlong) { return Proc<Thtonl>(pihtonl)(hostlong); }
int WSocket_getsockname(TSocket s, TSockAddr& name, int& namelen) {
  return Proc<TGetSockName>(pigetsockname)(s, &name, &namelen);
}
int WSocket_getpeername(TSocket s, TSockAddr& name, int& namelen) {
  return Proc<TGetPeerName>(pigetpeername)(s, &name, &namelen);
}
int WSocket_connect(TSocket s, const TSockAddr& name, int namelen) {
  return Proc<TConnect>(piconnect)(s, &name, namelen);
}
int WSocket_closesocket(TSocket s) { return Proc<TCloseSocket>(piclosesocket)(s); }
int WSocket_bind(TSocket s, const TSockAddr& addr, int namelen) { return Proc<TBind>(pibind)(s, &addr, namelen); }
TSocket WSocket_accept(TSocket s, TSockAddr* addr, int* addrlen) {
  return Proc<TAccept>(piaccept)(s, addr, addrlen);
}
int WSocket_recv(TSocket s, void* Buf, int len, int flags) { return Proc<TRecv>(pirecv)(s, Buf, len, flags); }
int WSocket_recvfrom(TSocket s, void* Buf, int len, int flags, TSockAddr& from, int& fromlen) {
  return Proc<TRecvFrom>(pirecvfrom)(s, Buf, len, flags, &from, &fromlen);
}

// ---- Plain functions --------------------------------------------------------------------------------------------

bool WSocketIsDottedIP(const std::string& S) {
  std::size_t I = 0;
  const std::size_t N = S.size();
  while (I < N && S[I] == ' ') {
    ++I;
  }
  if (I >= N || S[I] == '.') {
    return false;
  }
  int Dots = 0;
  int Part = 0;
  while (I < N && S[I] != ' ') {
    char C = S[I];
    if (C == '.') {
      ++Dots;
      Part = 0;
      if (I + 1 >= N || S[I + 1] < '0' || S[I + 1] > '9') {
        return false;  // a dot must be followed by a digit
      }
    } else if (C >= '0' && C <= '9') {
      Part = Part * 10 + (C - '0');
      if (Part > 255) {
        return false;
      }
    } else {
      return false;
    }
    ++I;
  }
  while (I < N && S[I] == ' ') {
    ++I;
  }
  return I == N && Dots == 3;
}

std::uint32_t WSocketResolveHost(const std::string& InAddr) {
  if (InAddr.empty() || InAddr.size() > 256) {
    throw ESocketException("WSocketResolveHost: '" + InAddr + "' Invalid Hostname.");
  }
  if (WSocketIsDottedIP(InAddr)) {
    std::uint32_t A = WSocket_inet_addr(Trim(InAddr).c_str());
    if (A == INADDR_NONE && Trim(InAddr) != "255.255.255.255") {
      throw ESocketException("WSocketResolveHost: '" + InAddr + "' Invalid IP address.");
    }
    return A;
  }
  PHostEnt H = WSocket_gethostbyname(InAddr.c_str());
  if (!H || !H->h_addr_list || !H->h_addr_list[0]) {
    throw ESocketException(Format("WSocketResolveHost: Cannot convert host address '%s', Error #%d",
                                  {InAddr, WSocket_WSAGetLastError()}));
  }
  std::uint32_t A = 0;
  std::memcpy(&A, H->h_addr_list[0], 4);
  return A;
}

std::uint16_t WSocketResolvePort(const std::string& Port, const std::string& Proto) {
  if (Port.empty() || Port.size() >= 32) {
    throw ESocketException("WSocketResolvePort: Invalid Port.");
  }
  if (Proto.empty() || Proto.size() >= 32) {
    throw ESocketException("WSocketResolvePort: Invalid Proto.");
  }
  std::string P = TrimLeft(Port);
  if (!P.empty() && P[0] >= '0' && P[0] <= '9') {
    unsigned long V = 0;
    for (char C : P) {
      if (C < '0' || C > '9') {
        break;
      }
      V = V * 10 + static_cast<unsigned long>(C - '0');
      if (V > 65535) {
        break;
      }
    }
    if (V > 65535) {
      throw ESocketException(Format("WSocketResolvePort: Cannot convert port '%s', Error #%d", {Port, WSAEINVAL}));
    }
    return WSocket_htons(static_cast<std::uint16_t>(V));
  }
  PServEnt S = WSocket_getservbyname(Port.c_str(), Proto.c_str());
  if (!S) {
    throw ESocketException(
        Format("WSocketResolvePort: Cannot convert port '%s', Error #%d", {Port, WSocket_WSAGetLastError()}));
  }
  return static_cast<std::uint16_t>(S->s_port);
}

int WSocketResolveProto(const std::string& Proto) {
  if (Proto.empty() || Proto.size() >= 32) {
    throw ESocketException("WSocketResolveProto: Invalid Protocol.");
  }
  if (Proto[0] >= '0' && Proto[0] <= '9') {
    return StrToIntDef(Proto, 0);
  }
  PProtoEnt P = WSocket_getprotobyname(Proto.c_str());
  if (!P) {
    throw ESocketException(Format("WSocketResolveProto: Cannot convert protocol '%s', Error #%d",
                                  {Proto, WSocket_WSAGetLastError()}));
  }
  return P->p_proto;
}

std::uint32_t WSocketGetHostByName(const std::string& Name) {
  if (Name.empty()) {
    throw ESocketException("WSocketGetHostByName: Invalid Hostname.");
  }
  return WSocketResolveHost(Name);
}

std::string WSocketGetHostByAddr(const std::string& Addr) {
  std::uint32_t A = WSocket_inet_addr(Addr.c_str());
  if (Addr.empty() || (A == INADDR_NONE && Trim(Addr) != "255.255.255.255")) {
    throw ESocketException("WSocketGetHostByAddr: Invalid address.");
  }
  PHostEnt H = WSocket_gethostbyaddr(reinterpret_cast<const char*>(&A), 4, AF_INET);
  return H && H->h_name ? std::string(H->h_name) : std::string();
}

std::string WSocketResolveIp(const std::string& IpAddr) { return WSocketGetHostByAddr(IpAddr); }

std::string LocalHostName() {
  char Buf[64] = {};
  if (WSocket_gethostname(Buf, sizeof Buf) != 0) {
    throw ESocketException("Winsock.GetHostName failed");
  }
  return Buf;
}

TStrings* LocalIPList() {
  TStringList*& L = IPList();
  if (!L) {
    L = new TStringList();
  }
  L->Clear();
  PHostEnt H = WSocket_gethostbyname(LocalHostName().c_str());
  if (H && H->h_addr_list) {
    for (char** P = H->h_addr_list; *P; ++P) {
      TInAddr In;
      std::memcpy(&In.S_addr, *P, 4);
      L->Add(WSocket_inet_ntoa(In));
    }
  }
  return L;
}

std::string WSocketErrorDesc(int ErrCode) {
  switch (ErrCode) {
    case 0: return "No Error";
    case WSAEINTR: return "Interrupted system call";
    case WSAEBADF: return "Bad file number";
    case WSAEACCES: return "Permission denied";
    case WSAEFAULT: return "Bad address";
    case WSAEINVAL: return "Invalid argument";
    case WSAEMFILE: return "Too many open files";
    case WSAEWOULDBLOCK: return "Operation would block";
    case WSAEINPROGRESS: return "Operation now in progress";
    case WSAEALREADY: return "Operation already in progress";
    case WSAENOTSOCK: return "Socket operation on non-socket";
    case WSAEDESTADDRREQ: return "Destination address required";
    case WSAEMSGSIZE: return "Message too long";
    case WSAEPROTOTYPE: return "Protocol wrong type for socket";
    case WSAENOPROTOOPT: return "Protocol not available";
    case WSAEPROTONOSUPPORT: return "Protocol not supported";
    case WSAESOCKTNOSUPPORT: return "Socket type not supported";
    case WSAEOPNOTSUPP: return "Operation not supported on socket";
    case WSAEPFNOSUPPORT: return "Protocol family not supported";
    case WSAEAFNOSUPPORT: return "Address family not supported by protocol family";
    case WSAEADDRINUSE: return "Address already in use";
    case WSAEADDRNOTAVAIL: return "Address not available";
    case WSAENETDOWN: return "Network is down";
    case WSAENETUNREACH: return "Network is unreachable";
    case WSAENETRESET: return "Network dropped connection on reset";
    case WSAECONNABORTED: return "Connection aborted";
    case WSAECONNRESET: return "Connection reset by peer";
    case WSAENOBUFS: return "No buffer space available";
    case WSAEISCONN: return "Socket is already connected";
    case WSAENOTCONN: return "Socket is not connected";
    case WSAESHUTDOWN: return "Can't send after socket shutdown";
    case WSAETOOMANYREFS: return "Too many references: can't splice";
    case WSAETIMEDOUT: return "Connection timed out";
    case WSAECONNREFUSED: return "Connection refused";
    case WSAELOOP: return "Too many levels of symbolic links";
    case WSAENAMETOOLONG: return "File name too long";
    case WSAEHOSTDOWN: return "Host is down";
    case WSAEHOSTUNREACH: return "No route to host";
    case WSAENOTEMPTY: return "Directory not empty";
    case WSAEPROCLIM: return "Too many processes";
    case WSAEUSERS: return "Too many users";
    case WSAEDQUOT: return "Disc quota exceeded";
    case WSAESTALE: return "Stale NFS file handle";
    case WSAEREMOTE: return "Too many levels of remote in path";
    case WSASYSNOTREADY: return "Network sub-system is unusable";
    case WSAVERNOTSUPPORTED: return "WinSock DLL cannot support this application";
    case WSANOTINITIALISED: return "WinSock not initialized";
    case WSAHOST_NOT_FOUND: return "Host not found";
    case WSATRY_AGAIN: return "Non-authoritative host not found";
    case WSANO_RECOVERY: return "Non-recoverable error";
    case WSANO_DATA: return "No Data";
    default: return "Not a WinSock error";
  }
}
