// The event-driven socket component: the sockets library wrappers, the core socket on its hidden window, and the
// SOCKS, line and waiting layers that TWSocket stacks on it.
#pragma once

#include "net/Wsockbuf.h"
#include "platform/classes/Component.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Sets.h"
#include "platform/win/WinUser.h"
#include "platform/win/Winsock.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

Z_EXCEPTION(ESocketException, Exception)

// Messages of the socket's hidden window.
inline constexpr UINT WM_ASYNCSELECT = WM_USER + 1;
inline constexpr UINT WM_ASYNCGETHOSTBYNAME = WM_USER + 2;
inline constexpr UINT WM_ASYNCGETHOSTBYADDR = WM_USER + 3;
inline constexpr UINT WM_CLOSE_DELAYED = WM_USER + 4;
inline constexpr UINT WM_WSOCKET_RELEASE = WM_USER + 5;
inline constexpr UINT WM_TRIGGER_EXCEPTION = WM_USER + 6;
inline constexpr UINT WM_TRIGGER_DATA_AVAILABLE = WM_USER + 20;

inline constexpr const char* winsocket = "wsock32.dll";

// ---- The sockets library, bound by name on first use ------------------------------------------------------------
// The entry point of the sockets library by name, loading the library (and starting it, version 1.1) first;
// an empty name only ensures the library. Failures raise ESocketException.
void* WSocketGetProc(const std::string& ProcName);
void WSocketUnloadWinsock();
void WSocketForceLoadWinsock();
void WSocketCancelForceLoadWinsock();
TWSAData WinsockInfo();

int WSocket_WSAStartup(WORD wVersionRequired, TWSAData& WSData);
int WSocket_WSACleanup();
void WSocket_WSASetLastError(int iError);
int WSocket_WSAGetLastError();
int WSocket_WSACancelAsyncRequest(HANDLE hAsyncTaskHandle);
HANDLE WSocket_WSAAsyncGetHostByName(HWND HWindow, UINT wMsg, const char* name, char* buf, int buflen);
HANDLE WSocket_WSAAsyncGetHostByAddr(HWND HWindow, UINT wMsg, const char* addr, int len, int Struct, char* buf,
                                     int buflen);
int WSocket_WSAAsyncSelect(TSocket s, HWND HWindow, UINT wMsg, long lEvent);
PServEnt WSocket_getservbyname(const char* name, const char* proto);
PProtoEnt WSocket_getprotobyname(const char* name);
PHostEnt WSocket_gethostbyname(const char* name);
PHostEnt WSocket_gethostbyaddr(const char* addr, int len, int Struct);
int WSocket_gethostname(char* name, int len);
TSocket WSocket_socket(int af, int Struct, int protocol);
int WSocket_shutdown(TSocket s, int how);
int WSocket_setsockopt(TSocket s, int level, int optname, const char* optval, int optlen);
int WSocket_getsockopt(TSocket s, int level, int optname, char* optval, int& optlen);
int WSocket_sendto(TSocket s, const void* Buf, int len, int flags, const TSockAddr& addrto, int tolen);
int WSocket_send(TSocket s, const void* Buf, int len, int flags);
std::uint16_t WSocket_ntohs(std::uint16_t netshort);
std::uint32_t WSocket_ntohl(std::uint32_t netlong);
int WSocket_listen(TSocket s, int backlog);
int WSocket_ioctlsocket(TSocket s, long cmd, std::uint32_t& arg);
char* WSocket_inet_ntoa(TInAddr inaddr);
std::uint32_t WSocket_inet_addr(const char* cp);
std::uint16_t WSocket_htons(std::uint16_t hostshort);
std::uint32_t WSocket_htonl(std::uint32_t hostlong);
int WSocket_getsockname(TSocket s, TSockAddr& name, int& namelen);
int WSocket_getpeername(TSocket s, TSockAddr& name, int& namelen);
int WSocket_connect(TSocket s, const TSockAddr& name, int namelen);
int WSocket_closesocket(TSocket s);
int WSocket_bind(TSocket s, const TSockAddr& addr, int namelen);
TSocket WSocket_accept(TSocket s, TSockAddr* addr, int* addrlen);
int WSocket_recv(TSocket s, void* Buf, int len, int flags);
int WSocket_recvfrom(TSocket s, void* Buf, int len, int flags, TSockAddr& from, int& fromlen);

// ---- Plain functions --------------------------------------------------------------------------------------------
bool WSocketIsDottedIP(const std::string& S);
// Network-order address of a dotted address or a host name; raises ESocketException.
std::uint32_t WSocketResolveHost(const std::string& InAddr);
// Network-order port of a number or a service name; raises ESocketException.
std::uint16_t WSocketResolvePort(const std::string& Port, const std::string& Proto);
int WSocketResolveProto(const std::string& Proto);
std::uint32_t WSocketGetHostByName(const std::string& Name);
std::string WSocketGetHostByAddr(const std::string& Addr);
std::string WSocketResolveIp(const std::string& IpAddr);
std::string LocalHostName();
TStrings* LocalIPList();
std::string WSocketErrorDesc(int ErrCode);

// ---- Types ------------------------------------------------------------------------------------------------------
enum TSocketState { wsInvalidState, wsOpened, wsBound, wsConnecting, wsConnected, wsAccepting, wsListening, wsClosed };
enum TSocketSendFlags { wsSendNormal, wsSendUrgent };
enum TSocketLingerOnOff { wsLingerOff, wsLingerOn, wsLingerNoSet };
enum TWSocketOption { wsoNoReceiveLoop, wsoTcpNoDelay };
using TWSocketOptions = TSet<TWSocketOption, wsoTcpNoDelay>;
enum TSocksState { socksData, socksNegociateMethods, socksAuthenticate, socksConnect };
enum TSocksAuthentication { socksNoAuthentication, socksAuthenticateUsercode };
enum TSocksAuthState { socksAuthStart, socksAuthSuccess, socksAuthFailure, socksAuthNotRequired };

using TSessionAvailable = std::function<void(TObject* Sender, Word Error)>;
using TSessionConnected = std::function<void(TObject* Sender, Word Error)>;
using TSessionClosed = std::function<void(TObject* Sender, Word Error)>;
using TDataAvailable = std::function<void(TObject* Sender, Word Error)>;
using TDataSent = std::function<void(TObject* Sender, Word Error)>;
using TDnsLookupDone = std::function<void(TObject* Sender, Word Error)>;
using TChangeState = std::function<void(TObject* Sender, TSocketState OldState, TSocketState NewState)>;
using TSendData = std::function<void(TObject* Sender, int BytesSent)>;
using TBgExceptionEvent = std::function<void(TObject* Sender, const Exception& E, bool& CanClose)>;
using TWSocketNotifyEvent = std::function<void(TObject* Sender)>;
using TDebugDisplay = std::function<void(TObject* Sender, std::string& Msg)>;
using TSocksConnectedEvent = std::function<void(TObject* Sender, Word Error)>;
using TSocksErrorEvent = std::function<void(TObject* Sender, int Error, const std::string& Msg)>;
using TSocksAuthStateEvent = std::function<void(TObject* Sender, TSocksAuthState AuthState)>;
using TLineLimitEvent = std::function<void(TObject* Sender, int RcvdLength, bool& ClearData)>;

// ---- The core socket --------------------------------------------------------------------------------------------
// A TCP/UDP socket driven by the messages the sockets library posts to its own hidden window. Never blocks.
// Lives on the thread that created it; every event runs from that thread's message loop.
class TCustomWSocket : public TComponent {
  Z_CLASS(TCustomWSocket, TComponent)
public:
  explicit TCustomWSocket(TComponent* AOwner);
  ~TCustomWSocket() override;
  void BeforeDestruction() override;

  virtual void Connect();
  virtual void Close();
  virtual void CloseDelayed();
  virtual void Release();
  virtual void Abort();
  virtual void Flush();
  virtual void WaitForClose();
  virtual void Listen();
  virtual TSocket Accept();
  virtual int Receive(void* Buffer, int BufferSize);
  virtual std::string ReceiveStr();
  virtual int ReceiveFrom(void* Buffer, int BufferLength, TSockAddr& From, int& FromLength);
  virtual int PeekData(void* Buffer, int BufferSize);
  virtual int Send(const void* Data, int Len);
  virtual int SendTo(const TSockAddr& Dest, int DestLen, const void* Data, int Len);
  virtual int SendStr(const std::string& Str);
  virtual void DnsLookup(const std::string& HostName);
  virtual void ReverseDnsLookup(const std::string& HostAddr);
  virtual void CancelDnsLookup();
  virtual int GetPeerAddr(TSockAddr& Saddr, int& SaddrLen);
  virtual std::string GetPeerAddr();
  virtual std::string GetPeerPort();
  virtual int GetPeerName(TSockAddrIn& Name, int NameLen);
  virtual std::string GetXPort();
  virtual std::string GetXAddr();
  virtual int GetSockName(TSockAddrIn& Saddr, int& SaddrLen);
  virtual void Dup(TSocket NewHSocket);
  virtual void Shutdown(int How);
  virtual void Pause();
  virtual void Resume();
  virtual void MessagePump();
  void ProcessMessages();
  bool ProcessMessage();
  void MessageLoop();
  void PutDataInSendBuffer(const void* Data, int Len);
  void DeleteBufferedData();

  // Properties.
  const std::string& Addr() const { return FAddrStr; }
  void SetAddr(const std::string& Value);
  const std::string& Port() const { return FPortStr; }
  void SetPort(const std::string& Value) { SetRemotePort(Value); }
  const std::string& Proto() const { return FProtoStr; }
  void SetProto(const std::string& Value);
  const std::string& LocalAddr() const { return FLocalAddr; }
  void SetLocalAddr(const std::string& Value);
  const std::string& LocalPort() const { return FLocalPortStr; }
  void SetLocalPort(const std::string& Value);
  std::string PeerAddr() { return GetPeerAddr(); }
  std::string PeerPort() { return GetPeerPort(); }
  const std::string& DnsResult() const { return FDnsResult; }
  TStrings* DnsResultList() const { return FDnsResultList.get(); }
  TSocketState State() const { return FState; }
  Int64 ReadCount() const { return FReadCount; }
  int RcvdCount() { return GetRcvdCount(); }
  int LastError() const { return FLastError; }
  TSocket HSocket() const { return FHSocket; }
  HWND Handle() const { return FWindowHandle; }
  bool AllSent() const { return FAllSent; }
  bool MultiThreaded() const { return FMultiThreaded; }
  void SetMultiThreaded(bool Value) { FMultiThreaded = Value; }
  bool MultiCast() const { return FMultiCast; }
  void SetMultiCast(bool Value) { FMultiCast = Value; }
  const std::string& MultiCastAddrStr() const { return FMultiCastAddrStr; }
  void SetMultiCastAddrStr(const std::string& Value) { FMultiCastAddrStr = Value; }
  int MultiCastIpTTL() const { return FMultiCastIpTTL; }
  void SetMultiCastIpTTL(int Value) { FMultiCastIpTTL = Value; }
  bool ReuseAddr() const { return FReuseAddr; }
  void SetReuseAddr(bool Value) { FReuseAddr = Value; }
  TWSocketOptions ComponentOptions() const { return FComponentOptions; }
  void SetComponentOptions(TWSocketOptions Value) { FComponentOptions = Value; }
  int FlushTimeout() const { return FFlushTimeout; }
  void SetFlushTimeout(int Value) { FFlushTimeout = Value; }
  TSocketSendFlags SendFlags() const;
  void SetSendFlags(TSocketSendFlags Value);
  TSocketLingerOnOff LingerOnOff() const { return FLingerOnOff; }
  void SetLingerOnOff(TSocketLingerOnOff Value) { FLingerOnOff = Value; }
  int LingerTimeout() const { return FLingerTimeout; }
  void SetLingerTimeout(int Value) { FLingerTimeout = Value; }
  int BufSize() const { return FBufSize; }

  // Events.
  TSessionAvailable OnSessionAvailable;
  TSessionConnected OnSessionConnected;
  TSessionClosed OnSessionClosed;
  TDataAvailable OnDataAvailable;
  TDataSent OnDataSent;
  TDnsLookupDone OnDnsLookupDone;
  TChangeState OnChangeState;
  TSendData OnSendData;
  TWSocketNotifyEvent OnError;
  TBgExceptionEvent OnBgException;
  TDebugDisplay OnDisplay;

protected:
  virtual void WndProc(TMessage& MsgRec);
  virtual void AllocateSocketHWnd();
  virtual void DeallocateSocketHWnd();
  virtual void AssignDefaultValue();
  virtual void InternalClose(bool bShut, Word Error);
  virtual void SetRemotePort(const std::string& Value);
  virtual int GetRcvdCount();
  virtual void BindSocket();
  virtual int RealSend(const void* Data, int Len);
  virtual void RaiseExceptionFmt(const std::string& Fmt, TVarRecList Args);
  virtual void RaiseException(const std::string& Msg);
  virtual void HandleBackGroundException(const Exception& E);
  // Returns false when no data handler is assigned.
  virtual bool TriggerDataAvailable(Word Error);
  virtual void TriggerSessionAvailable(Word Error);
  virtual void TriggerSessionConnected(Word Error);
  virtual void TriggerSessionClosed(Word Error);
  virtual void TriggerDataSent(Word Error);
  virtual void TriggerChangeState(TSocketState OldState, TSocketState NewState);
  virtual void TriggerDNSLookupDone(Word Error);
  virtual void TriggerError();
  virtual int DoRecv(void* Buffer, int BufferSize, int Flags);
  virtual int DoRecvFrom(TSocket FHSocket, void* Buffer, int BufferSize, int Flags, TSockAddr& From,
                         int& FromLen);

  void SocketError(const std::string& Where);
  // The protocol (and the socket type it gives) and the remote port, each resolved once; raises when unknown.
  void ResolveProtoAndPort();
  // The remote address, resolved once; raises when unknown.
  void ResolveAddr();
  void ChangeState(TSocketState NewState);
  void TryToSend();
  void ASyncReceive(Word Error, TWSocketOptions MySocketOptions);
  void SetLingerOption();
  void WMASyncSelect(TMessage& Msg);
  void WMAsyncGetHostByName(TMessage& Msg);
  void WMAsyncGetHostByAddr(TMessage& Msg);
  // True when Msg answers the pending lookup (which then ends); an early answer is kept for later and a stale
  // one dropped.
  bool TakeLookupAnswer(TMessage& Msg);
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }

  std::string FDnsResult;
  std::unique_ptr<TStringList> FDnsResultList;
  TSocket FASocket = INVALID_SOCKET;
  std::deque<TBuffer*> FBufList;
  int FBufSize = 1460;
  int FSendFlags = 0;
  int FLastError = 0;
  HWND FWindowHandle = 0;
  alignas(THostEnt) char FDnsLookupBuffer[MAXGETHOSTSTRUCT + 1] = {};
  HANDLE FDnsLookupHandle = nullptr;
  bool FDnsLookupStarting = false;
  bool FDnsLookupCheckMsg = false;
  TMessage FDnsLookupTmpMsg;
  TSocket FHSocket = INVALID_SOCKET;
  std::string FAddrStr;
  bool FAddrAssigned = false;
  bool FAddrResolved = false;
  int FAddrFormat = AF_INET;
  int FProto = IPPROTO_TCP;
  bool FProtoAssigned = false;
  bool FProtoResolved = false;
  std::string FProtoStr = "tcp";
  std::string FPortStr;
  bool FPortAssigned = false;
  bool FPortResolved = false;
  std::uint16_t FPortNum = 0;
  std::string FLocalPortStr = "0";
  bool FLocalPortResolved = false;
  std::uint16_t FLocalPortNum = 0;
  std::string FLocalAddr = "0.0.0.0";
  int FType = SOCK_STREAM;
  TSocketLingerOnOff FLingerOnOff = wsLingerOn;
  int FLingerTimeout = 0;
  bool FAllSent = true;
  Int64 FReadCount = 0;
  bool FPaused = false;
  bool FCloseInvoked = false;
  int FFlushTimeout = 60;
  bool FMultiThreaded = false;
  bool FMultiCast = false;
  std::string FMultiCastAddrStr;
  int FMultiCastIpTTL = 1;
  bool FReuseAddr = false;
  TWSocketOptions FComponentOptions;
  TSocketState FState = wsClosed;
  bool FRcvdFlag = false;
  bool FTerminated = false;
  long FSelectEvent = 0;
  DWORD FThreadId = 0;
  TSockAddrIn FSin;
  bool FTornDown = false;
};

// ---- SOCKS layer ------------------------------------------------------------------------------------------------
// Connects through a SOCKS 4, 4A or 5 server when SocksServer is set; otherwise passes everything through.
class TCustomSocksWSocket : public TCustomWSocket {
  Z_CLASS(TCustomSocksWSocket, TCustomWSocket)
public:
  explicit TCustomSocksWSocket(TComponent* AOwner);

  void Connect() override;
  void Listen() override;

  const std::string& SocksServer() const { return FSocksServer; }
  void SetSocksServer(const std::string& Value);
  const std::string& SocksPort() const { return FSocksPort; }
  void SetSocksPort(const std::string& Value);
  const std::string& SocksLevel() const { return FSocksLevel; }
  void SetSocksLevel(const std::string& Value);
  const std::string& SocksUsercode() const { return FSocksUsercode; }
  void SetSocksUsercode(const std::string& Value) { FSocksUsercode = Value; }
  const std::string& SocksPassword() const { return FSocksPassword; }
  void SetSocksPassword(const std::string& Value) { FSocksPassword = Value; }
  TSocksAuthentication SocksAuthentication() const { return FSocksAuthentication; }
  void SetSocksAuthentication(TSocksAuthentication Value) { FSocksAuthentication = Value; }

  TSocksConnectedEvent OnSocksConnected;
  TSocksErrorEvent OnSocksError;
  TSocksAuthStateEvent OnSocksAuthState;

protected:
  virtual void TriggerSocksConnected(Word Error);
  virtual void TriggerSocksError(int Error, const std::string& Msg);
  virtual void TriggerSocksAuthState(TSocksAuthState AuthState);
  void AssignDefaultValue() override;
  void SetRemotePort(const std::string& Value) override;
  int GetRcvdCount() override;
  bool TriggerDataAvailable(Word Error) override;
  void TriggerSessionConnected(Word Error) override;
  void TriggerSessionClosed(Word Error) override;
  int DoRecv(void* Buffer, int BufferSize, int Flags) override;

  void SocksDoConnect();
  void SocksDoAuthenticate();
  void SocksError(int Error, const std::string& Msg);
  bool SocksNegotiating() const { return !FSocksServer.empty() && FSocksState != socksData; }
  void DataAvailableSocks4();
  void DataAvailableSocks5();

  std::string FSocksServer;
  std::string FSocksPort;
  std::string FSocksLevel = "5";
  std::string FSocksUsercode;
  std::string FSocksPassword;
  TSocksAuthentication FSocksAuthentication = socksNoAuthentication;
  TSocksState FSocksState = socksData;
  std::string FSocksTargetAddr;  // what Connect was asked to reach
  std::string FSocksTargetPort;
  bool FSocksServerActive = false;  // this connection goes through the SOCKS server
  unsigned char FRcvBuf[128] = {};
  int FRcvCnt = 0;
  std::string FBoundAddr;
  std::string FBoundPort;
  int FSocksRcvdCnt = 0;  // bytes that came behind the server's reply
  int FSocksRcvdPtr = 0;
};

// ---- Line layer -------------------------------------------------------------------------------------------------
// In line mode, data events come one line (ending with LineEnd) at a time and Receive never reads past it.
class TCustomLineWSocket : public TCustomSocksWSocket {
  Z_CLASS(TCustomLineWSocket, TCustomSocksWSocket)
public:
  explicit TCustomLineWSocket(TComponent* AOwner);

  bool LineMode() const { return FLineMode; }
  void SetLineModeProp(bool Value) { SetLineMode(Value); }
  int LineLimit() const { return FLineLimit; }
  void SetLineLimit(int Value) { FLineLimit = Value; }
  const std::string& LineEnd() const { return FLineEnd; }
  void SetLineEnd(const std::string& Value) { FLineEnd = Value; }
  bool LineEcho() const { return FLineEcho; }
  void SetLineEcho(bool Value) { FLineEcho = Value; }
  bool LineEdit() const { return FLineEdit; }
  void SetLineEdit(bool Value) { FLineEdit = Value; }
  int LineLength() const { return FLineLength; }

  TLineLimitEvent OnLineLimitExceeded;

protected:
  virtual void SetLineMode(bool Value);
  virtual void EditLine(int& Len);
  virtual void TriggerLineLimitExceeded(int Cnt, bool& ClearData);
  void WndProc(TMessage& MsgRec) override;
  bool TriggerDataAvailable(Word Error) override;
  void TriggerSessionClosed(Word Error) override;
  int DoRecv(void* Buffer, int BufferSize, int Flags) override;
  int GetRcvdCount() override;

  bool LineActive() const { return FLineMode && !FLineEnd.empty() && !SocksNegotiating(); }
  // Delivers every complete line in the buffer; Last also delivers an unterminated rest.
  void DeliverLines(bool Last);

  bool FLineMode = false;
  int FLineLimit = 65536;
  std::string FLineEnd = "\r\n";
  bool FLineEcho = false;
  bool FLineEdit = false;
  std::vector<char> FRcvdPtr;  // the line buffer
  int FRcvdCnt = 0;
  int FLineLength = 0;  // what the data event may still read of the current line
  bool FLineReceivedFlag = false;
  bool FLineClearData = false;
};

// ---- Waiting layer ----------------------------------------------------------------------------------------------
class TCustomSyncWSocket : public TCustomLineWSocket {
  Z_CLASS(TCustomSyncWSocket, TCustomLineWSocket)
public:
  explicit TCustomSyncWSocket(TComponent* AOwner);

  // Waits for one line (with its LineEnd) at most Timeout seconds (0: 60 s, negative: -Timeout ms); on a time-out
  // (error 12001) whatever is buffered is the line.
  void ReadLine(int Timeout, std::string& Buffer);

protected:
  virtual int Synchronize(const std::function<void()>& Proc, std::string& DataBuffer, bool& OldDataAvailable);
  virtual int WaitUntilReady(bool& DoneFlag);

  int FTimeout = 0;
  DWORD FTimeStop = 0;
  bool FLineReceivedReady = false;
  std::string* FLinePointer = nullptr;
};

// The published socket component.
class TWSocket : public TCustomSyncWSocket {
  Z_CLASS(TWSocket, TCustomSyncWSocket)
public:
  explicit TWSocket(TComponent* AOwner);
};

class TSocksWSocket : public TWSocket {
  Z_CLASS(TSocksWSocket, TWSocket)
public:
  explicit TSocksWSocket(TComponent* AOwner);
};
