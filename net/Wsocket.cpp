// TCustomWSocket: the core socket on its hidden window (connect, lookups, send queue, receive loop, close).
#include "net/Wsocket.h"

#include "platform/win/Clock.h"

#include <atomic>
#include <cstring>

Z_IMPLEMENT_CLASS(ESocketException, Exception)
Z_IMPLEMENT_CLASS(TCustomWSocket, TComponent)

namespace {

const char* const SocketWindowClassName = "XSocketWindowClass";
std::atomic<int> WSocketGCount{0};

LRESULT XSocketWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* Obj = reinterpret_cast<TCustomWSocket*>(GetWindowLongPtr(Wnd, 0));
  if (!Obj) {
    return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
  TMessage M;
  M.Msg = Msg;
  M.WParam = WParam;
  M.LParam = LParam;
  struct TCall : TCustomWSocket {
    static void Dispatch(TCustomWSocket* S, TMessage& Msg) { (S->*(&TCall::WndProc))(Msg); }
  };
  TCall::Dispatch(Obj, M);
  return M.Result;
}

void RegisterSocketWindowClass() {
  WNDCLASS Cls;
  if (GetClassInfo(nullptr, SocketWindowClassName, &Cls)) {
    return;
  }
  WNDCLASS C;
  C.style = 0;
  C.lpfnWndProc = &XSocketWindowProc;
  C.cbClsExtra = 0;
  C.cbWndExtra = sizeof(void*);
  C.lpszClassName = SocketWindowClassName;
  RegisterClass(&C);
}

std::string AddrToStr(std::uint32_t A) {
  TInAddr In;
  In.S_addr = A;
  return WSocket_inet_ntoa(In);
}

}  // namespace

TCustomWSocket::TCustomWSocket(TComponent* AOwner) : TComponent(AOwner) {
  FDnsResultList = std::make_unique<TStringList>();
  ++WSocketGCount;
  AllocateSocketHWnd();
  FThreadId = GetCurrentThreadId();
  TCustomWSocket::AssignDefaultValue();
}

void TCustomWSocket::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (FTornDown) {
    return;
  }
  FTornDown = true;
  try {
    CancelDnsLookup();
  } catch (...) {
  }
  DeleteBufferedData();
  try {
    if (FState != wsClosed || FHSocket != INVALID_SOCKET) {
      FCloseInvoked = true;  // no events while being destroyed
      InternalClose(false, 0);
    }
  } catch (...) {
  }
}

TCustomWSocket::~TCustomWSocket() {
  if (!FTornDown) {
    FTornDown = true;
    Destroying();
    try {
      CancelDnsLookup();
    } catch (...) {
    }
    if (FHSocket != INVALID_SOCKET) {
      try {
        WSocket_closesocket(FHSocket);
      } catch (...) {
      }
      FHSocket = INVALID_SOCKET;
    }
  }
  DeleteBufferedData();
  DeallocateSocketHWnd();
  if (--WSocketGCount <= 0) {
    WSocketGCount = 0;
    UnregisterClass(SocketWindowClassName, nullptr);
    try {
      WSocketUnloadWinsock();
    } catch (...) {
    }
  }
}

// ---- Window -----------------------------------------------------------------------------------------------------

void TCustomWSocket::AllocateSocketHWnd() {
  RegisterSocketWindowClass();
  FWindowHandle = CreateWindowEx(WS_EX_TOOLWINDOW, SocketWindowClassName, "", WS_POPUP, 0, 0, 0, 0, 0, 0, nullptr,
                                 nullptr);
  if (!FWindowHandle) {
    --WSocketGCount;
    throw ESocketException("Cannot create a hidden window for TWSocket");
  }
  SetWindowLongPtr(FWindowHandle, 0, reinterpret_cast<LONG_PTR>(this));
}

void TCustomWSocket::DeallocateSocketHWnd() {
  if (!FWindowHandle) {
    return;
  }
  SetWindowLongPtr(FWindowHandle, 0, 0);
  DestroyWindow(FWindowHandle);
  FWindowHandle = 0;
}

void TCustomWSocket::WndProc(TMessage& MsgRec) {
  try {
    switch (MsgRec.Msg) {
      case WM_ASYNCSELECT: WMASyncSelect(MsgRec); break;
      case WM_ASYNCGETHOSTBYNAME: WMAsyncGetHostByName(MsgRec); break;
      case WM_ASYNCGETHOSTBYADDR: WMAsyncGetHostByAddr(MsgRec); break;
      case WM_CLOSE_DELAYED: Close(); break;
      case WM_WSOCKET_RELEASE: delete this; return;
      case WM_TRIGGER_EXCEPTION: throw ESocketException("Test exception in WSocket");
      default: MsgRec.Result = DefWindowProc(FWindowHandle, MsgRec.Msg, MsgRec.WParam, MsgRec.LParam); break;
    }
  } catch (const Exception& E) {
    HandleBackGroundException(E);
  }
}

void TCustomWSocket::HandleBackGroundException(const Exception& E) {
  bool CanAbort = true;
  if (OnBgException) {
    try {
      OnBgException(this, E, CanAbort);
    } catch (...) {
    }
  }
  if (CanAbort) {
    try {
      Abort();
    } catch (...) {
    }
  }
}

// ---- Errors and state -------------------------------------------------------------------------------------------

void TCustomWSocket::RaiseException(const std::string& Msg) {
  if (OnError) {
    TriggerError();
  } else {
    throw ESocketException(Msg);
  }
}

void TCustomWSocket::RaiseExceptionFmt(const std::string& Fmt, TVarRecList Args) { RaiseException(Format(Fmt, Args)); }

void TCustomWSocket::SocketError(const std::string& Where) {
  int Error = WSocket_WSAGetLastError();
  std::string Line = "Error " + IntToStr(Error) + " in function " + Where + "\r\n" + WSocketErrorDesc(Error);
  if (Error == WSAECONNRESET || Error == WSAENOTCONN) {
    if (FHSocket != INVALID_SOCKET) {
      WSocket_closesocket(FHSocket);
    }
    FHSocket = INVALID_SOCKET;
    if (FState != wsClosed) {
      TriggerSessionClosed(static_cast<Word>(Error));
    }
    ChangeState(wsClosed);
  }
  FLastError = Error;
  RaiseException(Line);
}

void TCustomWSocket::ChangeState(TSocketState NewState) {
  TSocketState OldState = FState;
  FState = NewState;
  TriggerChangeState(OldState, NewState);
}

void TCustomWSocket::AssignDefaultValue() {
  FSin = TSockAddrIn();
  FSin.sin_family = AF_INET;
  FAddrFormat = AF_INET;
  FPortAssigned = false;
  FAddrAssigned = false;
  FAddrResolved = false;
  FPortResolved = false;
  FProtoResolved = false;
  FLocalPortResolved = false;
  FProtoAssigned = true;
  FProto = IPPROTO_TCP;
  FProtoStr = "tcp";
  FType = SOCK_STREAM;
  FLocalPortStr = "0";
  FLocalAddr = "0.0.0.0";
  FLingerOnOff = wsLingerOn;
  FLingerTimeout = 0;
  FHSocket = INVALID_SOCKET;
  FSelectEvent = 0;
  FState = wsClosed;
  FAllSent = true;
  FPaused = false;
  FReadCount = 0;
  FCloseInvoked = false;
  FFlushTimeout = 60;
}

// ---- Triggers ---------------------------------------------------------------------------------------------------

bool TCustomWSocket::TriggerDataAvailable(Word Error) {
  if (!OnDataAvailable) {
    return false;
  }
  OnDataAvailable(this, Error);
  return true;
}
void TCustomWSocket::TriggerSessionAvailable(Word Error) {
  if (OnSessionAvailable) {
    OnSessionAvailable(this, Error);
  }
}
void TCustomWSocket::TriggerSessionConnected(Word Error) {
  if (OnSessionConnected) {
    OnSessionConnected(this, Error);
  }
}
void TCustomWSocket::TriggerSessionClosed(Word Error) {
  if (OnSessionClosed) {
    OnSessionClosed(this, Error);
  }
}
void TCustomWSocket::TriggerDataSent(Word Error) {
  if (OnDataSent) {
    OnDataSent(this, Error);
  }
}
void TCustomWSocket::TriggerChangeState(TSocketState OldState, TSocketState NewState) {
  if (OnChangeState) {
    OnChangeState(this, OldState, NewState);
  }
}
void TCustomWSocket::TriggerDNSLookupDone(Word Error) {
  if (OnDnsLookupDone) {
    OnDnsLookupDone(this, Error);
  }
}
void TCustomWSocket::TriggerError() {
  if (OnError) {
    OnError(this);
  }
}

// ---- Network events ---------------------------------------------------------------------------------------------

void TCustomWSocket::WMASyncSelect(TMessage& Msg) {
  if (static_cast<TSocket>(Msg.WParam) != FHSocket || FPaused) {
    return;
  }
  Word Event = Msg.LParamLo();
  Word Error = Msg.LParamHi();
  if (Event & FD_CONNECT) {
    if (FState != wsConnected) {
      ChangeState(wsConnected);
      TriggerSessionConnected(Error);
      if (Error != 0 && FState != wsClosed) {
        Close();
      }
    }
  }
  if (Event & FD_READ) {
    if (FState != wsConnected) {
      ChangeState(wsConnected);
      TriggerSessionConnected(Error);
    }
    ASyncReceive(Error, FComponentOptions);
  }
  if (Event & FD_WRITE) {
    TryToSend();
    if (FAllSent) {
      TriggerDataSent(Error);
    }
  }
  if (Event & FD_ACCEPT) {
    TriggerSessionAvailable(Error);
  }
  if ((Event & FD_CLOSE) && FState != wsConnecting) {
    // Whatever the peer sent before closing is delivered before the close is reported.
    ASyncReceive(0, FComponentOptions - TWSocketOptions{wsoNoReceiveLoop});
    if (!FCloseInvoked) {
      FCloseInvoked = true;
      TriggerSessionClosed(Error);
    }
    if (FState != wsClosed) {
      Close();
    }
  }
}

void TCustomWSocket::ASyncReceive(Word Error, TWSocketOptions MySocketOptions) {
  for (;;) {
    try {
      FLastError = 0;
      if (!TriggerDataAvailable(Error)) {
        // Nobody wants the data: read it away so that the peer is not blocked.
        char Junk[1024];
        if (Receive(Junk, sizeof Junk) < 0 && FLastError == WSAEWOULDBLOCK) {
          FLastError = 0;
          break;
        }
      }
      if (MySocketOptions.Contains(wsoNoReceiveLoop) || FLastError != 0 || FHSocket == INVALID_SOCKET) {
        break;
      }
      std::uint32_t Waiting = 0;
      if (WSocket_ioctlsocket(FHSocket, FIONREAD, Waiting) == SOCKET_ERROR || Waiting == 0) {
        break;
      }
    } catch (const std::exception&) {
      break;
    }
  }
}

// ---- Lookups ----------------------------------------------------------------------------------------------------

void TCustomWSocket::DnsLookup(const std::string& HostName) {
  if (HostName.empty()) {
    RaiseException("DNS lookup: invalid host name.");
    TriggerDNSLookupDone(WSAEINVAL);
    return;
  }
  if (FDnsLookupHandle) {
    WSocket_WSACancelAsyncRequest(FDnsLookupHandle);
    FDnsLookupHandle = nullptr;
  }
  FDnsResult.clear();
  FDnsResultList->Clear();
  std::uint32_t IPAddr = WSocket_inet_addr(HostName.c_str());
  if (IPAddr != INADDR_NONE) {
    FDnsResult = AddrToStr(IPAddr);
    FDnsResultList->Add(FDnsResult);
    TriggerDNSLookupDone(0);
    return;
  }
  if (!FWindowHandle) {
    RaiseException("DnsLookup: Window not assigned");
    return;
  }
  FDnsLookupCheckMsg = false;
  FDnsLookupStarting = true;
  FDnsLookupHandle = WSocket_WSAAsyncGetHostByName(FWindowHandle, WM_ASYNCGETHOSTBYNAME, HostName.c_str(),
                                                   FDnsLookupBuffer, sizeof FDnsLookupBuffer);
  FDnsLookupStarting = false;
  if (!FDnsLookupHandle) {
    RaiseExceptionFmt("%s: can't start DNS lookup, error #%d", {HostName, WSocket_WSAGetLastError()});
    return;
  }
  if (FDnsLookupCheckMsg) {
    FDnsLookupCheckMsg = false;
    WMAsyncGetHostByName(FDnsLookupTmpMsg);
  }
}

void TCustomWSocket::ReverseDnsLookup(const std::string& HostAddr) {
  if (HostAddr.empty() || HostAddr.size() > 256) {
    RaiseException("ReverseDnsLookup: Invalid host name.");
    TriggerDNSLookupDone(WSAEINVAL);
    return;
  }
  if (FDnsLookupHandle) {
    WSocket_WSACancelAsyncRequest(FDnsLookupHandle);
    FDnsLookupHandle = nullptr;
  }
  FDnsResult.clear();
  FDnsResultList->Clear();
  std::uint32_t A = WSocket_inet_addr(HostAddr.c_str());
  if (!FWindowHandle) {
    RaiseException("DnsLookup: Window not assigned");
    return;
  }
  FDnsLookupCheckMsg = false;
  FDnsLookupStarting = true;
  FDnsLookupHandle = WSocket_WSAAsyncGetHostByAddr(FWindowHandle, WM_ASYNCGETHOSTBYADDR,
                                                   reinterpret_cast<const char*>(&A), 4, AF_INET, FDnsLookupBuffer,
                                                   sizeof FDnsLookupBuffer);
  FDnsLookupStarting = false;
  if (!FDnsLookupHandle) {
    RaiseExceptionFmt("%s: can't start DNS lookup, error #%d", {HostAddr, WSocket_WSAGetLastError()});
    return;
  }
  if (FDnsLookupCheckMsg) {
    FDnsLookupCheckMsg = false;
    WMAsyncGetHostByAddr(FDnsLookupTmpMsg);
  }
}

bool TCustomWSocket::TakeLookupAnswer(TMessage& Msg) {
  if (!FDnsLookupHandle) {
    // Answered before the start call returned its handle: handled right after it. Any other answer without
    // a pending lookup is stale (cancelled) and dropped.
    if (FDnsLookupStarting) {
      FDnsLookupCheckMsg = true;
      FDnsLookupTmpMsg = Msg;
    }
    return false;
  }
  if (reinterpret_cast<HANDLE>(Msg.WParam) != FDnsLookupHandle) {
    return false;
  }
  FDnsLookupHandle = nullptr;
  return true;
}

void TCustomWSocket::WMAsyncGetHostByName(TMessage& Msg) {
  if (!TakeLookupAnswer(Msg)) {
    return;
  }
  Word Error = Msg.LParamHi();
  if (Error == 0) {
    auto* H = reinterpret_cast<THostEnt*>(FDnsLookupBuffer);
    for (char** P = H->h_addr_list; P && *P; ++P) {
      std::uint32_t A = 0;
      std::memcpy(&A, *P, 4);
      FDnsResultList->Add(AddrToStr(A));
    }
    if (FDnsResultList->Count() > 0) {
      FDnsResult = FDnsResultList->Strings(0);
    }
  }
  TriggerDNSLookupDone(Error);
}

void TCustomWSocket::WMAsyncGetHostByAddr(TMessage& Msg) {
  if (!TakeLookupAnswer(Msg)) {
    return;
  }
  Word Error = Msg.LParamHi();
  if (Error == 0) {
    auto* H = reinterpret_cast<THostEnt*>(FDnsLookupBuffer);
    FDnsResult = H->h_name ? H->h_name : "";
    FDnsResultList->Add(FDnsResult);
  }
  TriggerDNSLookupDone(Error);
}

void TCustomWSocket::CancelDnsLookup() {
  if (!FDnsLookupHandle) {
    return;
  }
  if (WSocket_WSACancelAsyncRequest(FDnsLookupHandle) != 0) {
    FDnsLookupHandle = nullptr;
    SocketError("WSACancelAsyncRequest");
    return;
  }
  FDnsLookupHandle = nullptr;
  if (!IsDestroying()) {
    TriggerDNSLookupDone(WSAEINTR);
  }
}

// ---- Properties -------------------------------------------------------------------------------------------------

namespace {
// Stores a trimmed address, port or protocol text, to be resolved again at the next use; an unchanged value
// keeps what was resolved.
void AssignEndpointText(const std::string& Value, std::string& Text, bool& Resolved, bool& Assigned) {
  std::string V = Trim(Value);
  if (V == Text && Assigned) {
    return;
  }
  Text = V;
  Resolved = false;
  Assigned = true;
}
}  // namespace

void TCustomWSocket::SetAddr(const std::string& Value) {
  if (FState != wsClosed) {
    RaiseException("Cannot change Addr if not closed");
    return;
  }
  AssignEndpointText(Value, FAddrStr, FAddrResolved, FAddrAssigned);
}

void TCustomWSocket::SetRemotePort(const std::string& Value) {
  if (FState != wsClosed) {
    RaiseException("Cannot change Port if not closed");
    return;
  }
  AssignEndpointText(Value, FPortStr, FPortResolved, FPortAssigned);
}

void TCustomWSocket::SetProto(const std::string& Value) {
  if (FState != wsClosed) {
    RaiseException("Cannot change Proto if not closed");
    return;
  }
  AssignEndpointText(Value, FProtoStr, FProtoResolved, FProtoAssigned);
}

void TCustomWSocket::SetLocalPort(const std::string& Value) {
  if (FState != wsClosed) {
    RaiseException("Cannot change LocalPort if not closed");
    return;
  }
  FLocalPortStr = Value;
  FLocalPortResolved = false;
}

void TCustomWSocket::SetLocalAddr(const std::string& Value) {
  if (FState != wsClosed) {
    RaiseException("Cannot change LocalAddr if not closed");
    return;
  }
  FLocalAddr = Value.empty() ? std::string("0.0.0.0") : Value;
}

TSocketSendFlags TCustomWSocket::SendFlags() const {
  if (FSendFlags == 0) {
    return wsSendNormal;
  }
  if (FSendFlags == MSG_OOB) {
    return wsSendUrgent;
  }
  throw ESocketException("Invalid internal SendFlags");
}

void TCustomWSocket::SetSendFlags(TSocketSendFlags Value) {
  switch (Value) {
    case wsSendNormal: FSendFlags = 0; break;
    case wsSendUrgent: FSendFlags = MSG_OOB; break;
    default: throw ESocketException("Invalid SendFlags");
  }
}

int TCustomWSocket::GetRcvdCount() {
  if (ComponentState().Contains(csDesigning)) {
    return -1;
  }
  std::uint32_t Waiting = 0;
  if (WSocket_ioctlsocket(FHSocket, FIONREAD, Waiting) == SOCKET_ERROR) {
    SocketError("ioctlSocket");
    return -1;
  }
  return static_cast<int>(Waiting);
}

// ---- Connecting -------------------------------------------------------------------------------------------------

void TCustomWSocket::SetLingerOption() {
  if (FLingerOnOff == wsLingerNoSet) {
    return;
  }
  if (FHSocket == INVALID_SOCKET) {
    RaiseException("Cannot set linger option at this time");
    return;
  }
  TLinger Li;
  Li.l_onoff = FLingerOnOff == wsLingerOn ? 1 : 0;
  Li.l_linger = static_cast<std::uint16_t>(FLingerTimeout);
  if (WSocket_setsockopt(FHSocket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&Li), sizeof Li) ==
      SOCKET_ERROR) {
    SocketError("setsockopt(SO_LINGER)");
  }
}

void TCustomWSocket::BindSocket() {
  TSockAddrIn Local;
  Local.sin_family = AF_INET;
  Local.sin_port = FLocalPortNum;
  Local.sin_addr.S_addr = WSocketResolveHost(FLocalAddr);
  if (WSocket_bind(FHSocket, reinterpret_cast<const TSockAddr&>(Local), sizeof Local) != 0) {
    RaiseException(Format("winsock.bind failed, error #%d", {WSocket_WSAGetLastError()}));
    return;
  }
  TSockAddrIn Got;
  int Len = sizeof Got;
  if (WSocket_getsockname(FHSocket, reinterpret_cast<TSockAddr&>(Got), Len) != 0) {
    RaiseException(Format("winsock.getsockname failed, error #%d", {WSocket_WSAGetLastError()}));
    return;
  }
  FLocalPortNum = Got.sin_port;
  FLocalPortStr = IntToStr(WSocket_ntohs(Got.sin_port));
}

void TCustomWSocket::ResolveProtoAndPort() {
  if (!FProtoResolved) {
    FProto = WSocketResolveProto(FProtoStr);
    FType = FProto == IPPROTO_TCP ? SOCK_STREAM : FProto == IPPROTO_UDP ? SOCK_DGRAM : SOCK_RAW;
    FProtoResolved = true;
  }
  if (!FPortResolved) {
    FPortNum = WSocketResolvePort(FPortStr, FProtoStr);
    FSin.sin_port = FPortNum;
    FPortResolved = true;
  }
}

void TCustomWSocket::ResolveAddr() {
  if (!FAddrResolved) {
    FSin.sin_addr.S_addr = WSocketResolveHost(FAddrStr);
    FAddrResolved = true;
  }
}

void TCustomWSocket::Connect() {
  if (FHSocket != INVALID_SOCKET && FState != wsClosed) {
    RaiseException("Connect: Socket already in use");
    return;
  }
  if (!FPortAssigned) {
    RaiseException("Connect: No Port Specified");
    return;
  }
  if (!FAddrAssigned) {
    RaiseException("Connect: No IP Address Specified");
    return;
  }
  if (!FProtoAssigned) {
    RaiseException("Connect: No Protocol Specified");
    return;
  }
  try {
    ResolveProtoAndPort();
    if (!FLocalPortResolved) {
      FLocalPortNum = WSocketResolvePort(FLocalPortStr, FProtoStr);
      FLocalPortResolved = true;
    }
    ResolveAddr();
  } catch (const Exception& E) {
    RaiseException("connect: " + E.Message());
    return;
  }
  DeleteBufferedData();
  FHSocket = WSocket_socket(FAddrFormat, FType, FProto);
  if (FHSocket == INVALID_SOCKET) {
    SocketError("Connect (socket)");
    return;
  }
  ChangeState(wsOpened);
  if (FState != wsOpened) {
    WSocket_WSASetLastError(WSAEINVAL);
    SocketError("Connect (Invalid operation in OnChangeState)");
    return;
  }
  const int On = 1;
  const char* OnPtr = reinterpret_cast<const char*>(&On);
  if (FType == SOCK_DGRAM) {
    if (FLocalPortNum != 0 || FLocalAddr != "0.0.0.0") {
      BindSocket();
    }
    if (FMultiCast) {
      int Ttl = FMultiCastIpTTL;
      if (WSocket_setsockopt(FHSocket, IPPROTO_IP, IP_MULTICAST_TTL, reinterpret_cast<const char*>(&Ttl),
                             sizeof Ttl) == SOCKET_ERROR) {
        SocketError("setsockopt(IP_MULTICAST_TTL)");
        return;
      }
      if (FLocalAddr != "0.0.0.0") {
        TInAddr If;
        If.S_addr = WSocketResolveHost(FLocalAddr);
        if (WSocket_setsockopt(FHSocket, IPPROTO_IP, IP_MULTICAST_IF, reinterpret_cast<const char*>(&If),
                               sizeof If) == SOCKET_ERROR) {
          SocketError("setsockopt(IP_MULTICAST_IF)");
          return;
        }
      }
    }
    if (FSin.sin_addr.S_addr == INADDR_BROADCAST) {
      if (WSocket_setsockopt(FHSocket, SOL_SOCKET, SO_BROADCAST, OnPtr, sizeof On) == SOCKET_ERROR) {
        SocketError("setsockopt(SO_BROADCAST)");
        return;
      }
    }
  } else {
    if (WSocket_setsockopt(FHSocket, SOL_SOCKET, SO_REUSEADDR, OnPtr, sizeof On) == SOCKET_ERROR) {
      SocketError("setsockopt(SO_REUSEADDR)");
      return;
    }
    if (FComponentOptions.Contains(wsoTcpNoDelay) &&
        WSocket_setsockopt(FHSocket, IPPROTO_TCP, TCP_NODELAY, OnPtr, sizeof On) == SOCKET_ERROR) {
      SocketError("setsockopt(IPPROTO_TCP, TCP_NODELAY)");
      return;
    }
    SetLingerOption();
    if (WSocket_setsockopt(FHSocket, SOL_SOCKET, SO_KEEPALIVE, OnPtr, sizeof On) == SOCKET_ERROR) {
      SocketError("setsockopt(SO_KEEPALIVE)");
      return;
    }
    if (FLocalPortNum != 0 || FLocalAddr != "0.0.0.0") {
      BindSocket();
    }
  }
  FSelectEvent = FD_READ | FD_WRITE | FD_CLOSE | FD_ACCEPT | FD_CONNECT;
  if (WSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent) != 0) {
    SocketError("WSAAsyncSelect");
    return;
  }
  if (FType == SOCK_DGRAM) {
    ChangeState(wsConnected);
    TriggerSessionConnected(0);
    return;
  }
  if (WSocket_connect(FHSocket, reinterpret_cast<const TSockAddr&>(FSin), sizeof FSin) == 0) {
    ChangeState(wsConnecting);
    return;
  }
  int Error = WSocket_WSAGetLastError();
  if (Error == WSAEWOULDBLOCK) {
    ChangeState(wsConnecting);
    return;
  }
  FLastError = Error;
  SocketError("Connect");
}

// ---- Listening --------------------------------------------------------------------------------------------------

void TCustomWSocket::Listen() {
  if (!FPortAssigned) {
    WSocket_WSASetLastError(WSAEINVAL);
    SocketError("listen: port not assigned");
    return;
  }
  if (!FProtoAssigned) {
    WSocket_WSASetLastError(WSAEINVAL);
    SocketError("listen: protocol not assigned");
    return;
  }
  if (!FAddrAssigned) {
    WSocket_WSASetLastError(WSAEINVAL);
    SocketError("listen: address not assigned");
    return;
  }
  try {
    ResolveProtoAndPort();
    ResolveAddr();
  } catch (const Exception& E) {
    RaiseException("listen: " + E.Message());
    return;
  }
  FHSocket = WSocket_socket(FAddrFormat, FType, FProto);
  if (FHSocket == INVALID_SOCKET) {
    SocketError("socket");
    return;
  }
  if (FType == SOCK_DGRAM && FReuseAddr) {
    const int On = 1;
    if (WSocket_setsockopt(FHSocket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&On), sizeof On) ==
        SOCKET_ERROR) {
      SocketError("setsockopt(SO_REUSEADDR)");
      return;
    }
  }
  if (WSocket_bind(FHSocket, reinterpret_cast<const TSockAddr&>(FSin), sizeof FSin) != 0) {
    SocketError("Bind");
    Close();
    return;
  }
  ChangeState(wsBound);
  if (FType == SOCK_DGRAM && FMultiCast) {
    TIpMreq Mreq;
    Mreq.imr_multiaddr.S_addr = WSocket_inet_addr(FMultiCastAddrStr.c_str());
    Mreq.imr_interface.S_addr = FSin.sin_addr.S_addr;
    if (WSocket_setsockopt(FHSocket, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&Mreq),
                           sizeof Mreq) == SOCKET_ERROR) {
      SocketError("setsockopt(IP_ADD_MEMBERSHIP)");
      return;
    }
  }
  if (FType == SOCK_DGRAM) {
    ChangeState(wsListening);
    ChangeState(wsConnected);
    TriggerSessionConnected(0);
  } else {
    if (WSocket_listen(FHSocket, 5) != 0) {
      SocketError("Listen");
      return;
    }
    ChangeState(wsListening);
  }
  FSelectEvent = FD_READ | FD_WRITE | FD_ACCEPT | FD_CLOSE;
  if (WSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent) != 0) {
    SocketError("WSAASyncSelect");
  }
}

TSocket TCustomWSocket::Accept() {
  if (FState != wsListening) {
    WSocket_WSASetLastError(WSAEINVAL);
    SocketError("not a listening socket");
    return INVALID_SOCKET;
  }
  TSockAddrIn Peer;
  int Len = sizeof Peer;
  FASocket = WSocket_accept(FHSocket, reinterpret_cast<TSockAddr*>(&Peer), &Len);
  if (FASocket == INVALID_SOCKET) {
    SocketError("Accept");
  }
  return FASocket;
}

void TCustomWSocket::Dup(TSocket NewHSocket) {
  if (NewHSocket == 0 || NewHSocket == INVALID_SOCKET) {
    WSocket_WSASetLastError(WSAEINVAL);
    SocketError("Dup");
    Close();
    return;
  }
  if (FState != wsClosed) {
    WSocket_closesocket(FHSocket);
    FHSocket = INVALID_SOCKET;
    ChangeState(wsClosed);
  }
  FHSocket = NewHSocket;
  SetLingerOption();
  FSelectEvent = FD_READ | FD_WRITE | FD_CLOSE | FD_CONNECT;
  if (WSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent) != 0) {
    SocketError("WSAAsyncSelect");
    return;
  }
  ChangeState(wsConnected);
}

// ---- Receiving --------------------------------------------------------------------------------------------------

int TCustomWSocket::DoRecv(void* Buffer, int BufferSize, int Flags) {
  int N = WSocket_recv(FHSocket, Buffer, BufferSize, Flags);
  FRcvdFlag = N >= BufferSize;
  return N;
}

int TCustomWSocket::DoRecvFrom(TSocket Socket, void* Buffer, int BufferSize, int Flags, TSockAddr& From,
                               int& FromLen) {
  int N = WSocket_recvfrom(Socket, Buffer, BufferSize, Flags, From, FromLen);
  FRcvdFlag = N >= BufferSize;
  return N;
}

int TCustomWSocket::Receive(void* Buffer, int BufferSize) {
  int N = DoRecv(Buffer, BufferSize, 0);
  if (N < 0) {
    FLastError = WSocket_WSAGetLastError();
  } else {
    FReadCount += N;
  }
  return N;
}

std::string TCustomWSocket::ReceiveStr() {
  int Len = GetRcvdCount();
  if (Len < 0) {
    return std::string();
  }
  if (Len == 0) {
    Len = 255;
  }
  std::string S(static_cast<std::size_t>(Len), '\0');
  int N = Receive(S.data(), Len);
  S.resize(N > 0 ? static_cast<std::size_t>(N) : 0);
  return S;
}

int TCustomWSocket::ReceiveFrom(void* Buffer, int BufferLength, TSockAddr& From, int& FromLength) {
  int N = DoRecvFrom(FHSocket, Buffer, BufferLength, 0, From, FromLength);
  if (N < 0) {
    FLastError = WSocket_WSAGetLastError();
  } else {
    FReadCount += N;
  }
  return N;
}

int TCustomWSocket::PeekData(void* Buffer, int BufferSize) { return DoRecv(Buffer, BufferSize, MSG_PEEK); }

// ---- Sending ----------------------------------------------------------------------------------------------------

void TCustomWSocket::DeleteBufferedData() {
  for (TBuffer* B : FBufList) {
    delete B;
  }
  FBufList.clear();
}

void TCustomWSocket::PutDataInSendBuffer(const void* Data, int Len) {
  const char* P = static_cast<const char*>(Data);
  if (Len <= 0) {
    return;
  }
  TBuffer* Last = FBufList.empty() ? nullptr : FBufList.back();
  while (Len > 0) {
    if (!Last) {
      Last = new TBuffer(FBufSize);
      FBufList.push_back(Last);
    }
    int N = Last->Write(P, Len);
    P += N;
    Len -= N;
    if (Len > 0) {
      Last = nullptr;  // full: the rest goes into a new chunk
    }
  }
}

int TCustomWSocket::RealSend(const void* Data, int Len) {
  int N = FType == SOCK_DGRAM
              ? WSocket_sendto(FHSocket, Data, Len, FSendFlags, reinterpret_cast<const TSockAddr&>(FSin), sizeof FSin)
              : WSocket_send(FHSocket, Data, Len, FSendFlags);
  if (N > 0 && OnSendData) {
    OnSendData(this, N);
  }
  return N;
}

void TCustomWSocket::TryToSend() {
  if (FHSocket == INVALID_SOCKET || FBufList.empty()) {
    FAllSent = FBufList.empty();
    return;
  }
  while (!FBufList.empty()) {
    TBuffer* B = FBufList.front();
    int Len = 0;
    const char* Data = B->Peek(Len);
    if (Len <= 0) {
      if (FBufList.size() <= 1) {
        FAllSent = true;
        break;
      }
      delete B;
      FBufList.pop_front();
      continue;
    }
    int Count = RealSend(Data, Len);
    if (Count == 0) {
      break;
    }
    if (Count == SOCKET_ERROR) {
      int Error = WSocket_WSAGetLastError();
      if (Error == WSAEINVAL || Error == WSAENOTSOCK || Error == WSAECONNABORTED || Error == WSAECONNRESET ||
          Error == WSAENOTCONN) {
        FCloseInvoked = true;  // reported here, once
        Close();
        TriggerSessionClosed(static_cast<Word>(Error));
      } else if (Error != WSAEWOULDBLOCK) {
        WSocket_WSASetLastError(Error);
        SocketError("TryToSend failed");
      }
      break;
    }
    B->Remove(Count);
    if (Count < Len) {
      break;  // the system took part of it: wait for the next write event
    }
  }
}

int TCustomWSocket::Send(const void* Data, int Len) {
  if (FState != wsConnected) {
    WSocket_WSASetLastError(WSAENOTCONN);
    SocketError("Send");
    return -1;
  }
  FAllSent = false;
  if (Len <= 0) {
    FAllSent = FBufList.empty();
    return 0;
  }
  PutDataInSendBuffer(Data, Len);
  TryToSend();
  if (FAllSent && FHSocket != INVALID_SOCKET) {
    // OnDataSent follows from the message loop, as after a send that had to wait.
    PostMessage(FWindowHandle, WM_ASYNCSELECT, FHSocket, WSAMAKESELECTREPLY(FD_WRITE, 0));
  }
  return Len;
}

int TCustomWSocket::SendStr(const std::string& Str) {
  return Str.empty() ? 0 : Send(Str.data(), static_cast<int>(Str.size()));
}

int TCustomWSocket::SendTo(const TSockAddr& Dest, int DestLen, const void* Data, int Len) {
  int N = WSocket_sendto(FHSocket, Data, Len, FSendFlags, Dest, DestLen);
  if (N > 0 && OnSendData) {
    OnSendData(this, N);
  }
  return N;
}

// ---- Closing ----------------------------------------------------------------------------------------------------

void TCustomWSocket::Shutdown(int How) {
  if (FHSocket != INVALID_SOCKET) {
    WSocket_shutdown(FHSocket, How);
  }
}

void TCustomWSocket::InternalClose(bool bShut, Word Error) {
  if (FHSocket == INVALID_SOCKET) {
    if (FState != wsClosed) {
      ChangeState(wsClosed);
      AssignDefaultValue();
    }
    return;
  }
  if (FState == wsClosed) {
    // A handle left over by a failed set-up: release it quietly.
    WSocket_closesocket(FHSocket);
    FHSocket = INVALID_SOCKET;
    return;
  }
  if (bShut) {
    Shutdown(SD_SEND);
  }
  for (;;) {
    if (WSocket_closesocket(FHSocket) == 0) {
      break;
    }
    FLastError = WSocket_WSAGetLastError();
    if (FLastError != WSAEWOULDBLOCK) {
      FHSocket = INVALID_SOCKET;
      if (FLastError != WSANOTINITIALISED) {
        SocketError("Disconnect (closesocket)");
      }
      return;
    }
    MessagePump();
  }
  FHSocket = INVALID_SOCKET;
  ChangeState(wsClosed);
  if (!IsDestroying() && !FCloseInvoked) {
    FCloseInvoked = true;
    TriggerSessionClosed(Error);
  }
  try {
    AssignDefaultValue();
  } catch (...) {
  }
}

void TCustomWSocket::Close() { InternalClose(true, 0); }

void TCustomWSocket::CloseDelayed() { PostMessage(FWindowHandle, WM_CLOSE_DELAYED, 0, 0); }

void TCustomWSocket::Release() { PostMessage(FWindowHandle, WM_WSOCKET_RELEASE, 0, 0); }

void TCustomWSocket::Abort() {
  try {
    CancelDnsLookup();
  } catch (...) {
  }
  DeleteBufferedData();
  if (FState == wsConnected && FProto == IPPROTO_TCP) {
    FLingerOnOff = wsLingerOff;
    SetLingerOption();
  }
  InternalClose(false, 0);
}

void TCustomWSocket::Flush() {
  DWORD Stop = GetTickCount() + static_cast<DWORD>(FFlushTimeout) * 1000;
  while (FHSocket != INVALID_SOCKET && !FAllSent && static_cast<int>(Stop - GetTickCount()) > 0) {
    TryToSend();
    if (!FAllSent) {
      MessagePump();
      Sleep(0);
    }
  }
}

void TCustomWSocket::WaitForClose() {
  char Buf[1024];
  while (FHSocket != INVALID_SOCKET && FState != wsClosed) {
    int N = Receive(Buf, sizeof Buf);
    if (N == 0 || (N < 0 && FLastError != WSAEWOULDBLOCK)) {
      break;
    }
    MessagePump();
    Sleep(0);
  }
  Close();
}

void TCustomWSocket::Pause() {
  FPaused = true;
  if (FHSocket != INVALID_SOCKET) {
    WSocket_WSAAsyncSelect(FHSocket, FWindowHandle, 0, 0);
  }
}

void TCustomWSocket::Resume() {
  FPaused = false;
  if (FHSocket != INVALID_SOCKET) {
    WSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent);
  }
}

// ---- Addresses --------------------------------------------------------------------------------------------------

int TCustomWSocket::GetPeerAddr(TSockAddr& Saddr, int& SaddrLen) {
  if (FState != wsConnected) {
    return SOCKET_ERROR;
  }
  return WSocket_getpeername(FHSocket, Saddr, SaddrLen);
}

std::string TCustomWSocket::GetPeerAddr() {
  TSockAddrIn Peer;
  int Len = sizeof Peer;
  if (FState == wsConnected && WSocket_getpeername(FHSocket, reinterpret_cast<TSockAddr&>(Peer), Len) == 0) {
    return WSocket_inet_ntoa(Peer.sin_addr);
  }
  return "error";
}

std::string TCustomWSocket::GetPeerPort() {
  TSockAddrIn Peer;
  int Len = sizeof Peer;
  if (FState == wsConnected && WSocket_getpeername(FHSocket, reinterpret_cast<TSockAddr&>(Peer), Len) == 0) {
    return IntToStr(WSocket_ntohs(Peer.sin_port));
  }
  return "error";
}

int TCustomWSocket::GetPeerName(TSockAddrIn& Name, int NameLen) {
  if (FState != wsConnected) {
    return -1;
  }
  return WSocket_getpeername(FHSocket, reinterpret_cast<TSockAddr&>(Name), NameLen);
}

int TCustomWSocket::GetSockName(TSockAddrIn& Saddr, int& SaddrLen) {
  return WSocket_getsockname(FHSocket, reinterpret_cast<TSockAddr&>(Saddr), SaddrLen);
}

std::string TCustomWSocket::GetXPort() {
  TSockAddrIn Local;
  int Len = sizeof Local;
  if ((FState == wsBound || FState == wsConnected || FState == wsListening) &&
      WSocket_getsockname(FHSocket, reinterpret_cast<TSockAddr&>(Local), Len) == 0) {
    return IntToStr(WSocket_ntohs(Local.sin_port));
  }
  return "error";
}

std::string TCustomWSocket::GetXAddr() {
  TSockAddrIn Local;
  int Len = sizeof Local;
  if ((FState == wsBound || FState == wsConnected || FState == wsListening) &&
      WSocket_getsockname(FHSocket, reinterpret_cast<TSockAddr&>(Local), Len) == 0) {
    return WSocket_inet_ntoa(Local.sin_addr);
  }
  return "error";
}

// ---- Message pumps ----------------------------------------------------------------------------------------------

bool TCustomWSocket::ProcessMessage() {
  MSG Msg;
  if (!PeekMessage(&Msg, 0, 0, 0, PM_REMOVE)) {
    return false;
  }
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
  } else {
    TranslateMessage(&Msg);
    DispatchMessage(&Msg);
  }
  return true;
}

void TCustomWSocket::ProcessMessages() {
  while (ProcessMessage()) {
  }
}

void TCustomWSocket::MessageLoop() {
  MSG Msg;
  while (GetMessage(&Msg, 0, 0, 0)) {
    TranslateMessage(&Msg);
    DispatchMessage(&Msg);
  }
  FTerminated = true;
}

void TCustomWSocket::MessagePump() {
  // The class library's application loop is the same PeekMessage loop over this thread's queue.
  ProcessMessages();
}
