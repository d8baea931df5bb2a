// The Windows sockets library ("wsock32.dll"): records, constants and error numbers of its interface, and the
// layer's hooks (the replaceable name resolver). The calls themselves are found by name through
// LoadLibrary("wsock32.dll") and GetProcAddress; the function types below are what those exports are.
//
// How the module works: sockets are POSIX sockets, always sent with MSG_NOSIGNAL. A socket is blocking until
// WSAAsyncSelect (or ioctlsocket FIONBIO) makes it non-blocking. Once a window and a message are selected, one
// poller thread per process watches every selected socket with poll() and posts the network events to the window
// with PostMessage (wParam the socket, lParam WSAMAKESELECTREPLY(event, error)), following the enabling rules:
// FD_CONNECT once, with its error; FD_WRITE once after connecting and again only after a send that would block;
// FD_READ again only after a recv (posted at once by the recv when data remains); FD_ACCEPT again after accept;
// FD_CLOSE once, with 0 (graceful), WSAECONNRESET or WSAECONNABORTED, after the FD_READ of the data before it.
// A connect of a selected socket never completes in the call: success and refusal come as FD_CONNECT.
// Name lookups run on a worker thread each and post their answer; they can be cancelled until posted.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using TSocket = UINT_PTR;

inline constexpr TSocket INVALID_SOCKET = ~static_cast<TSocket>(0);
inline constexpr int SOCKET_ERROR = -1;

// ---- Records ----------------------------------------------------------------------------------------------------
struct TInAddr {
  std::uint32_t S_addr = 0;  // network byte order
};
struct TSockAddrIn {
  std::int16_t sin_family = 0;
  std::uint16_t sin_port = 0;  // network byte order
  TInAddr sin_addr;
  char sin_zero[8] = {};
};
struct TSockAddr {
  std::uint16_t sa_family = 0;
  char sa_data[14] = {};
};
struct THostEnt {
  char* h_name = nullptr;
  char** h_aliases = nullptr;
  std::int16_t h_addrtype = 0;
  std::int16_t h_length = 0;
  char** h_addr_list = nullptr;
};
using PHostEnt = THostEnt*;
struct TServEnt {
  char* s_name = nullptr;
  char** s_aliases = nullptr;
  std::int16_t s_port = 0;  // network byte order
  char* s_proto = nullptr;
};
using PServEnt = TServEnt*;
struct TProtoEnt {
  char* p_name = nullptr;
  char** p_aliases = nullptr;
  std::int16_t p_proto = 0;
};
using PProtoEnt = TProtoEnt*;
inline constexpr int WSADESCRIPTION_LEN = 256;
inline constexpr int WSASYS_STATUS_LEN = 128;
struct TWSAData {
  WORD wVersion = 0;
  WORD wHighVersion = 0;
  char szDescription[WSADESCRIPTION_LEN + 1] = {};
  char szSystemStatus[WSASYS_STATUS_LEN + 1] = {};
  std::uint16_t iMaxSockets = 0;
  std::uint16_t iMaxUdpDg = 0;
  char* lpVendorInfo = nullptr;
};
struct TLinger {
  std::uint16_t l_onoff = 0;
  std::uint16_t l_linger = 0;  // seconds
};
struct TIpMreq {
  TInAddr imr_multiaddr;
  TInAddr imr_interface;
};

// ---- Constants (the platform's values) --------------------------------------------------------------------------
inline constexpr int AF_INET = 2;
inline constexpr int PF_INET = 2;
inline constexpr int SOCK_STREAM = 1;
inline constexpr int SOCK_DGRAM = 2;
inline constexpr int SOCK_RAW = 3;
inline constexpr int IPPROTO_IP = 0;
inline constexpr int IPPROTO_ICMP = 1;
inline constexpr int IPPROTO_TCP = 6;
inline constexpr int IPPROTO_UDP = 17;
inline constexpr int SOL_SOCKET = 0xFFFF;
inline constexpr int SO_DEBUG = 0x0001;
inline constexpr int SO_REUSEADDR = 0x0004;
inline constexpr int SO_KEEPALIVE = 0x0008;
inline constexpr int SO_BROADCAST = 0x0020;
inline constexpr int SO_LINGER = 0x0080;
inline constexpr int SO_SNDBUF = 0x1001;
inline constexpr int SO_RCVBUF = 0x1002;
inline constexpr int SO_ERROR = 0x1007;
inline constexpr int SO_TYPE = 0x1008;
inline constexpr int TCP_NODELAY = 0x0001;
inline constexpr int IP_MULTICAST_IF = 2;
inline constexpr int IP_MULTICAST_TTL = 3;
inline constexpr int IP_MULTICAST_LOOP = 4;
inline constexpr int IP_ADD_MEMBERSHIP = 5;
inline constexpr int IP_DROP_MEMBERSHIP = 6;
inline constexpr std::uint32_t INADDR_ANY = 0;
inline constexpr std::uint32_t INADDR_NONE = 0xFFFFFFFF;
inline constexpr std::uint32_t INADDR_BROADCAST = 0xFFFFFFFF;
inline constexpr long FIONREAD = 0x4004667F;
inline constexpr long FIONBIO = static_cast<long>(0x8004667E);
inline constexpr int MSG_OOB = 1;
inline constexpr int MSG_PEEK = 2;
inline constexpr int SD_RECEIVE = 0;
inline constexpr int SD_SEND = 1;
inline constexpr int SD_BOTH = 2;
inline constexpr int SOMAXCONN = 5;
inline constexpr int MAXGETHOSTSTRUCT = 1024;

inline constexpr long FD_READ = 0x01;
inline constexpr long FD_WRITE = 0x02;
inline constexpr long FD_OOB = 0x04;
inline constexpr long FD_ACCEPT = 0x08;
inline constexpr long FD_CONNECT = 0x10;
inline constexpr long FD_CLOSE = 0x20;

inline constexpr LPARAM WSAMAKESELECTREPLY(WORD Event, WORD Error) {
  return static_cast<LPARAM>(static_cast<DWORD>(Event) | (static_cast<DWORD>(Error) << 16));
}
inline constexpr LPARAM WSAMAKEASYNCREPLY(WORD BufLen, WORD Error) {
  return static_cast<LPARAM>(static_cast<DWORD>(BufLen) | (static_cast<DWORD>(Error) << 16));
}
inline constexpr WORD WSAGETSELECTEVENT(LPARAM L) { return static_cast<WORD>(L & 0xFFFF); }
inline constexpr WORD WSAGETSELECTERROR(LPARAM L) { return static_cast<WORD>((L >> 16) & 0xFFFF); }
inline constexpr WORD WSAGETASYNCERROR(LPARAM L) { return static_cast<WORD>((L >> 16) & 0xFFFF); }
inline constexpr WORD WSAGETASYNCBUFLEN(LPARAM L) { return static_cast<WORD>(L & 0xFFFF); }

// ---- Error numbers ----------------------------------------------------------------------------------------------
inline constexpr int WSABASEERR = 10000;
inline constexpr int WSAEINTR = 10004;
inline constexpr int WSAEBADF = 10009;
inline constexpr int WSAEACCES = 10013;
inline constexpr int WSAEFAULT = 10014;
inline constexpr int WSAEINVAL = 10022;
inline constexpr int WSAEMFILE = 10024;
inline constexpr int WSAEWOULDBLOCK = 10035;
inline constexpr int WSAEINPROGRESS = 10036;
inline constexpr int WSAEALREADY = 10037;
inline constexpr int WSAENOTSOCK = 10038;
inline constexpr int WSAEDESTADDRREQ = 10039;
inline constexpr int WSAEMSGSIZE = 10040;
inline constexpr int WSAEPROTOTYPE = 10041;
inline constexpr int WSAENOPROTOOPT = 10042;
inline constexpr int WSAEPROTONOSUPPORT = 10043;
inline constexpr int WSAESOCKTNOSUPPORT = 10044;
inline constexpr int WSAEOPNOTSUPP = 10045;
inline constexpr int WSAEPFNOSUPPORT = 10046;
inline constexpr int WSAEAFNOSUPPORT = 10047;
inline constexpr int WSAEADDRINUSE = 10048;
inline constexpr int WSAEADDRNOTAVAIL = 10049;
inline constexpr int WSAENETDOWN = 10050;
inline constexpr int WSAENETUNREACH = 10051;
inline constexpr int WSAENETRESET = 10052;
inline constexpr int WSAECONNABORTED = 10053;
inline constexpr int WSAECONNRESET = 10054;
inline constexpr int WSAENOBUFS = 10055;
inline constexpr int WSAEISCONN = 10056;
inline constexpr int WSAENOTCONN = 10057;
inline constexpr int WSAESHUTDOWN = 10058;
inline constexpr int WSAETOOMANYREFS = 10059;
inline constexpr int WSAETIMEDOUT = 10060;
inline constexpr int WSAECONNREFUSED = 10061;
inline constexpr int WSAELOOP = 10062;
inline constexpr int WSAENAMETOOLONG = 10063;
inline constexpr int WSAEHOSTDOWN = 10064;
inline constexpr int WSAEHOSTUNREACH = 10065;
inline constexpr int WSAENOTEMPTY = 10066;
inline constexpr int WSAEPROCLIM = 10067;
inline constexpr int WSAEUSERS = 10068;
inline constexpr int WSAEDQUOT = 10069;
inline constexpr int WSAESTALE = 10070;
inline constexpr int WSAEREMOTE = 10071;
inline constexpr int WSASYSNOTREADY = 10091;
inline constexpr int WSAVERNOTSUPPORTED = 10092;
inline constexpr int WSANOTINITIALISED = 10093;
inline constexpr int WSAHOST_NOT_FOUND = 11001;
inline constexpr int WSATRY_AGAIN = 11002;
inline constexpr int WSANO_RECOVERY = 11003;
inline constexpr int WSANO_DATA = 11004;

// ---- Types of the exports ---------------------------------------------------------------------------------------
using TWSAStartup = int (*)(WORD VersionRequired, TWSAData* WSData);
using TWSACleanup = int (*)();
using TWSASetLastError = void (*)(int Error);
using TWSAGetLastError = int (*)();
using TWSACancelAsyncRequest = int (*)(HANDLE AsyncTaskHandle);
using TWSAAsyncGetHostByName = HANDLE (*)(HWND Wnd, std::uint32_t Msg, const char* Name, char* Buf, int BufLen);
using TWSAAsyncGetHostByAddr = HANDLE (*)(HWND Wnd, std::uint32_t Msg, const char* Addr, int Len, int Type, char* Buf,
                                          int BufLen);
using TWSAAsyncSelect = int (*)(TSocket S, HWND Wnd, std::uint32_t Msg, long Event);
using TGetServByName = PServEnt (*)(const char* Name, const char* Proto);
using TGetProtoByName = PProtoEnt (*)(const char* Name);
using TGetHostByName = PHostEnt (*)(const char* Name);
using TGetHostByAddr = PHostEnt (*)(const char* Addr, int Len, int Type);
using TGetHostName = int (*)(char* Name, int Len);
using TOpenSocket = TSocket (*)(int Af, int Struct, int Protocol);
using TShutdown = int (*)(TSocket S, int How);
using TSetSockOpt = int (*)(TSocket S, int Level, int OptName, const char* OptVal, int OptLen);
using TGetSockOpt = int (*)(TSocket S, int Level, int OptName, char* OptVal, int* OptLen);
using TSendTo = int (*)(TSocket S, const void* Buf, int Len, int Flags, const TSockAddr* AddrTo, int ToLen);
using TSend = int (*)(TSocket S, const void* Buf, int Len, int Flags);
using TRecv = int (*)(TSocket S, void* Buf, int Len, int Flags);
using TRecvFrom = int (*)(TSocket S, void* Buf, int Len, int Flags, TSockAddr* From, int* FromLen);
using Tntohs = std::uint16_t (*)(std::uint16_t NetShort);
using Tntohl = std::uint32_t (*)(std::uint32_t NetLong);
using Thtons = std::uint16_t (*)(std::uint16_t HostShort);
using Thtonl = std::uint32_t (*)(std::uint32_t HostLong);
using TListen = int (*)(TSocket S, int Backlog);
using TIoctlSocket = int (*)(TSocket S, long Cmd, std::uint32_t* Arg);
using TInet_ntoa = char* (*)(TInAddr InAddr);
using TInet_addr = std::uint32_t (*)(const char* Cp);
using TGetSockName = int (*)(TSocket S, TSockAddr* Name, int* NameLen);
using TGetPeerName = int (*)(TSocket S, TSockAddr* Name, int* NameLen);
using TConnect = int (*)(TSocket S, const TSockAddr* Name, int NameLen);
using TCloseSocket = int (*)(TSocket S);
using TBind = int (*)(TSocket S, const TSockAddr* Addr, int NameLen);
using TAccept = TSocket (*)(TSocket S, TSockAddr* Addr, int* AddrLen);

// ---- The layer's hooks ------------------------------------------------------------------------------------------
// Answers name lookups of the module (gethostbyname, WSAAsyncGetHostByName and their reverse forms). Lookup fills
// the IPv4 addresses (network byte order) and the official name and returns 0 or a WSA error number (11001 for an
// unknown name); ReverseLookup fills the name of an address. Calls come from worker threads.
struct TWinsockResolver {
  std::function<int(const std::string& Name, std::vector<std::uint32_t>& Addrs, std::string& OfficialName)> Lookup;
  std::function<int(std::uint32_t Addr, std::string& Name)> ReverseLookup;
};
// Installs a resolver (tests do, so that no real lookup runs); an empty member falls back to the system's
// resolver. Returns the previous one.
TWinsockResolver SetWinsockResolver(TWinsockResolver Resolver);
// Number of sockets the module holds open (for tests that check nothing leaks).
int WinsockOpenSocketCount();
