// The POSIX side of the sockets module: descriptors, options, transfers and the system resolver.
#include "platform/win/WinsockSys.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace WinsockSys {

namespace {

// The platform's numbers that differ from the system's.
constexpr int WLevelSocket = 0xFFFF;
constexpr int WLevelIp = 0;
constexpr int WLevelTcp = 6;

sockaddr_in MakeAddr(std::uint32_t Addr, std::uint16_t Port) {
  sockaddr_in A{};
  A.sin_family = AF_INET;
  A.sin_port = Port;
  A.sin_addr.s_addr = Addr;
  return A;
}

int LastError() { return ErrorFromErrno(errno); }

int MapFlags(int Flags) {
  int F = 0;
  if (Flags & 1) {
    F |= MSG_OOB;
  }
  if (Flags & 2) {
    F |= MSG_PEEK;
  }
  return F;
}

// Finds the system's level and option; false for an option the module does not know.
bool MapOption(int Level, int Option, int& SysLevel, int& SysOption) {
  if (Level == WLevelSocket) {
    SysLevel = SOL_SOCKET;
    switch (Option) {
      case 0x0001: SysOption = SO_DEBUG; return true;
      case 0x0004: SysOption = SO_REUSEADDR; return true;
      case 0x0008: SysOption = SO_KEEPALIVE; return true;
      case 0x0020: SysOption = SO_BROADCAST; return true;
      case 0x0080: SysOption = SO_LINGER; return true;
      case 0x1001: SysOption = SO_SNDBUF; return true;
      case 0x1002: SysOption = SO_RCVBUF; return true;
      case 0x1007: SysOption = SO_ERROR; return true;
      case 0x1008: SysOption = SO_TYPE; return true;
      default: return false;
    }
  }
  if (Level == WLevelTcp && Option == 1) {
    SysLevel = IPPROTO_TCP;
    SysOption = TCP_NODELAY;
    return true;
  }
  if (Level == WLevelIp) {
    SysLevel = IPPROTO_IP;
    switch (Option) {
      case 2: SysOption = IP_MULTICAST_IF; return true;
      case 3: SysOption = IP_MULTICAST_TTL; return true;
      case 4: SysOption = IP_MULTICAST_LOOP; return true;
      case 5: SysOption = IP_ADD_MEMBERSHIP; return true;
      case 6: SysOption = IP_DROP_MEMBERSHIP; return true;
      default: return false;
    }
  }
  return false;
}

int IntValue(const char* Value, int Len) {
  if (Len >= static_cast<int>(sizeof(int))) {
    int V = 0;
    std::memcpy(&V, Value, sizeof V);
    return V;
  }
  return Len >= 1 ? static_cast<unsigned char>(Value[0]) : 0;
}

}  // namespace

int ErrorFromErrno(int E) {
  switch (E) {
    case 0: return 0;
    case EINTR: return 10004;
    case EBADF: return 10038;
    case EACCES: return 10013;
    case EFAULT: return 10014;
    case EINVAL: return 10022;
    case EMFILE:
    case ENFILE: return 10024;
#if EAGAIN != EWOULDBLOCK
    case EWOULDBLOCK:
#endif
    case EAGAIN: return 10035;
    case EINPROGRESS: return 10036;
    case EALREADY: return 10037;
    case ENOTSOCK: return 10038;
    case EDESTADDRREQ: return 10039;
    case EMSGSIZE: return 10040;
    case EPROTOTYPE: return 10041;
    case ENOPROTOOPT: return 10042;
    case EPROTONOSUPPORT: return 10043;
    case ESOCKTNOSUPPORT: return 10044;
    case EOPNOTSUPP: return 10045;
    case EPFNOSUPPORT: return 10046;
    case EAFNOSUPPORT: return 10047;
    case EADDRINUSE: return 10048;
    case EADDRNOTAVAIL: return 10049;
    case ENETDOWN: return 10050;
    case ENETUNREACH: return 10051;
    case ENETRESET: return 10052;
    case ECONNABORTED: return 10053;
    case ECONNRESET:
    case EPIPE: return 10054;
    case ENOBUFS:
    case ENOMEM: return 10055;
    case EISCONN: return 10056;
    case ENOTCONN: return 10057;
    case ESHUTDOWN: return 10058;
    case ETOOMANYREFS: return 10059;
    case ETIMEDOUT: return 10060;
    case ECONNREFUSED: return 10061;
    case ELOOP: return 10062;
    case ENAMETOOLONG: return 10063;
    case EHOSTDOWN: return 10064;
    case EHOSTUNREACH: return 10065;
    case ENOTEMPTY: return 10066;
    case EUSERS: return 10068;
    case EDQUOT: return 10069;
    case ESTALE: return 10070;
    case EREMOTE: return 10071;
    default: return 10022;
  }
}

int OpenSocket(int Type, int Protocol, int& Fd) {
  int SysType = Type == 1 ? SOCK_STREAM : Type == 2 ? SOCK_DGRAM : Type == 3 ? SOCK_RAW : -1;
  if (SysType < 0) {
    return 10044;
  }
  Fd = ::socket(AF_INET, SysType | SOCK_CLOEXEC, Protocol);
  return Fd < 0 ? LastError() : 0;
}

int SetNonBlocking(int Fd, bool On) {
  int Flags = ::fcntl(Fd, F_GETFL, 0);
  if (Flags < 0) {
    return LastError();
  }
  Flags = On ? (Flags | O_NONBLOCK) : (Flags & ~O_NONBLOCK);
  return ::fcntl(Fd, F_SETFL, Flags) < 0 ? LastError() : 0;
}

int Connect(int Fd, std::uint32_t Addr, std::uint16_t Port) {
  sockaddr_in A = MakeAddr(Addr, Port);
  if (::connect(Fd, reinterpret_cast<sockaddr*>(&A), sizeof A) == 0) {
    return 0;
  }
  return errno == EINPROGRESS ? 10035 : LastError();
}

int Bind(int Fd, std::uint32_t Addr, std::uint16_t Port) {
  sockaddr_in A = MakeAddr(Addr, Port);
  return ::bind(Fd, reinterpret_cast<sockaddr*>(&A), sizeof A) == 0 ? 0 : LastError();
}

int Listen(int Fd, int Backlog) { return ::listen(Fd, Backlog) == 0 ? 0 : LastError(); }

int Accept(int Fd, int& NewFd, std::uint32_t& Addr, std::uint16_t& Port) {
  sockaddr_in A{};
  socklen_t L = sizeof A;
  NewFd = ::accept4(Fd, reinterpret_cast<sockaddr*>(&A), &L, SOCK_CLOEXEC);
  if (NewFd < 0) {
    return LastError();
  }
  Addr = A.sin_addr.s_addr;
  Port = A.sin_port;
  return 0;
}

int Shutdown(int Fd, int How) {
  int H = How == 0 ? SHUT_RD : How == 1 ? SHUT_WR : SHUT_RDWR;
  return ::shutdown(Fd, H) == 0 ? 0 : LastError();
}

void Close(int Fd) { ::close(Fd); }

int Send(int Fd, const void* Buf, int Len, int Flags, int& Error) {
  ssize_t N = ::send(Fd, Buf, static_cast<std::size_t>(Len), MapFlags(Flags) | MSG_NOSIGNAL);
  Error = N < 0 ? LastError() : 0;
  return N < 0 ? -1 : static_cast<int>(N);
}

int SendTo(int Fd, const void* Buf, int Len, int Flags, std::uint32_t Addr, std::uint16_t Port, int& Error) {
  sockaddr_in A = MakeAddr(Addr, Port);
  ssize_t N = ::sendto(Fd, Buf, static_cast<std::size_t>(Len), MapFlags(Flags) | MSG_NOSIGNAL,
                       reinterpret_cast<sockaddr*>(&A), sizeof A);
  Error = N < 0 ? LastError() : 0;
  return N < 0 ? -1 : static_cast<int>(N);
}

int Recv(int Fd, void* Buf, int Len, int Flags, int& Error) {
  ssize_t N = ::recv(Fd, Buf, static_cast<std::size_t>(Len), MapFlags(Flags));
  Error = N < 0 ? LastError() : 0;
  return N < 0 ? -1 : static_cast<int>(N);
}

int RecvFrom(int Fd, void* Buf, int Len, int Flags, std::uint32_t& Addr, std::uint16_t& Port, int& Error) {
  sockaddr_in A{};
  socklen_t L = sizeof A;
  ssize_t N = ::recvfrom(Fd, Buf, static_cast<std::size_t>(Len), MapFlags(Flags), reinterpret_cast<sockaddr*>(&A),
                         &L);
  Error = N < 0 ? LastError() : 0;
  Addr = A.sin_addr.s_addr;
  Port = A.sin_port;
  return N < 0 ? -1 : static_cast<int>(N);
}

int SetOption(int Fd, int Level, int Option, const char* Value, int Len) {
  int SysLevel = 0;
  int SysOption = 0;
  if (!Value || Len <= 0) {
    return 10014;
  }
  if (!MapOption(Level, Option, SysLevel, SysOption)) {
    return 10042;
  }
  int R = 0;
  if (SysLevel == SOL_SOCKET && SysOption == SO_LINGER) {
    if (Len < 4) {
      return 10014;
    }
    std::uint16_t OnOff = 0;
    std::uint16_t Seconds = 0;
    std::memcpy(&OnOff, Value, 2);
    std::memcpy(&Seconds, Value + 2, 2);
    linger L{OnOff ? 1 : 0, Seconds};
    R = ::setsockopt(Fd, SysLevel, SysOption, &L, sizeof L);
  } else if (SysLevel == IPPROTO_IP && (SysOption == IP_ADD_MEMBERSHIP || SysOption == IP_DROP_MEMBERSHIP ||
                                        SysOption == IP_MULTICAST_IF)) {
    R = ::setsockopt(Fd, SysLevel, SysOption, Value, static_cast<socklen_t>(Len));
  } else {
    int V = IntValue(Value, Len);
    R = ::setsockopt(Fd, SysLevel, SysOption, &V, sizeof V);
  }
  return R == 0 ? 0 : LastError();
}

int GetOption(int Fd, int Level, int Option, char* Value, int* Len) {
  int SysLevel = 0;
  int SysOption = 0;
  if (!Value || !Len || *Len <= 0) {
    return 10014;
  }
  if (!MapOption(Level, Option, SysLevel, SysOption)) {
    return 10042;
  }
  if (SysLevel == SOL_SOCKET && SysOption == SO_LINGER) {
    linger L{};
    socklen_t N = sizeof L;
    if (*Len < 4) {
      return 10014;
    }
    if (::getsockopt(Fd, SysLevel, SysOption, &L, &N) != 0) {
      return LastError();
    }
    std::uint16_t OnOff = L.l_onoff ? 1 : 0;
    std::uint16_t Seconds = static_cast<std::uint16_t>(L.l_linger);
    std::memcpy(Value, &OnOff, 2);
    std::memcpy(Value + 2, &Seconds, 2);
    *Len = 4;
    return 0;
  }
  int V = 0;
  socklen_t N = sizeof V;
  if (::getsockopt(Fd, SysLevel, SysOption, &V, &N) != 0) {
    return LastError();
  }
  if (SysLevel == SOL_SOCKET && SysOption == SO_ERROR) {
    V = ErrorFromErrno(V);
  } else if (SysLevel == SOL_SOCKET && SysOption == SO_TYPE) {
    V = V == SOCK_STREAM ? 1 : V == SOCK_DGRAM ? 2 : 3;
  }
  if (*Len >= static_cast<int>(sizeof V)) {
    std::memcpy(Value, &V, sizeof V);
    *Len = sizeof V;
  } else {
    Value[0] = static_cast<char>(V);
    *Len = 1;
  }
  return 0;
}

int BytesWaiting(int Fd, int& Error) {
  int N = 0;
  if (::ioctl(Fd, FIONREAD, &N) != 0) {
    Error = LastError();
    return -1;
  }
  Error = 0;
  return N;
}

int PendingError(int Fd) {
  int V = 0;
  socklen_t N = sizeof V;
  if (::getsockopt(Fd, SOL_SOCKET, SO_ERROR, &V, &N) != 0) {
    return LastError();
  }
  return ErrorFromErrno(V);
}

int SockName(int Fd, std::uint32_t& Addr, std::uint16_t& Port) {
  sockaddr_in A{};
  socklen_t L = sizeof A;
  if (::getsockname(Fd, reinterpret_cast<sockaddr*>(&A), &L) != 0) {
    return LastError();
  }
  Addr = A.sin_addr.s_addr;
  Port = A.sin_port;
  return 0;
}

int PeerName(int Fd, std::uint32_t& Addr, std::uint16_t& Port) {
  sockaddr_in A{};
  socklen_t L = sizeof A;
  if (::getpeername(Fd, reinterpret_cast<sockaddr*>(&A), &L) != 0) {
    return LastError();
  }
  Addr = A.sin_addr.s_addr;
  Port = A.sin_port;
  return 0;
}

int HostName(std::string& Name) {
  char Buf[256] = {};
  if (::gethostname(Buf, sizeof Buf - 1) != 0) {
    return LastError();
  }
  Name = Buf;
  return 0;
}

int LookupName(const std::string& Name, std::vector<std::uint32_t>& Addrs, std::string& OfficialName) {
  addrinfo Hints{};
  Hints.ai_family = AF_INET;
  Hints.ai_socktype = SOCK_STREAM;
  Hints.ai_flags = AI_CANONNAME;
  addrinfo* Res = nullptr;
  int R = ::getaddrinfo(Name.c_str(), nullptr, &Hints, &Res);
  if (R != 0) {
    return R == EAI_AGAIN ? 11002 : R == EAI_FAIL ? 11003 : 11001;
  }
  OfficialName = Res->ai_canonname ? Res->ai_canonname : Name;
  for (addrinfo* P = Res; P; P = P->ai_next) {
    auto* A = reinterpret_cast<sockaddr_in*>(P->ai_addr);
    bool Seen = false;
    for (std::uint32_t X : Addrs) {
      Seen = Seen || X == A->sin_addr.s_addr;
    }
    if (!Seen) {
      Addrs.push_back(A->sin_addr.s_addr);
    }
  }
  ::freeaddrinfo(Res);
  return Addrs.empty() ? 11004 : 0;
}

int LookupAddr(std::uint32_t Addr, std::string& Name) {
  sockaddr_in A = MakeAddr(Addr, 0);
  char Host[NI_MAXHOST] = {};
  int R = ::getnameinfo(reinterpret_cast<sockaddr*>(&A), sizeof A, Host, sizeof Host, nullptr, 0, NI_NAMEREQD);
  if (R != 0) {
    return R == EAI_AGAIN ? 11002 : 11001;
  }
  Name = Host;
  return 0;
}

bool ServicePort(const std::string& Name, const std::string& Proto, std::uint16_t& Port) {
  servent Ent{};
  servent* Result = nullptr;
  char Buf[1024];
  if (::getservbyname_r(Name.c_str(), Proto.empty() ? nullptr : Proto.c_str(), &Ent, Buf, sizeof Buf, &Result) !=
          0 ||
      !Result) {
    return false;
  }
  Port = static_cast<std::uint16_t>(Result->s_port);
  return true;
}

bool ParseAddress(const std::string& Text, std::uint32_t& Addr) {
  in_addr A{};
  if (::inet_aton(Text.c_str(), &A) == 0) {
    return false;
  }
  Addr = A.s_addr;
  return true;
}

std::string FormatAddress(std::uint32_t Addr) {
  in_addr A{};
  A.s_addr = Addr;
  char Buf[INET_ADDRSTRLEN] = {};
  ::inet_ntop(AF_INET, &A, Buf, sizeof Buf);
  return Buf;
}

}  // namespace WinsockSys
