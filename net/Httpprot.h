// THttpCli, the HTTP/1.0 client component on its own TWSocket, and the address, encoding and date helpers it uses.
#pragma once

#include "net/Wsocket.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Streams.h"
#include "platform/win/UtilWindow.h"

#include <memory>
#include <string>

// ---- Address, encoding and date helpers -------------------------------------------------------------------------
enum THttpEncoding { encUUEncode, encBase64, encMime };

// Splits an address into its parts. Path holds the base for a relative address ("./x", "../x") on entry; every
// output is cleared first. Nothing is converted to lower case and nothing is decoded.
void ParseURL(const std::string& URL, std::string& Proto, std::string& User, std::string& Pass, std::string& Host,
              std::string& Port, std::string& Path);
// 1-based position of the N-th occurrence of S in Text: N > 0 counts from the left (fewer occurrences give a
// position past the end of Text), N < 0 from the right (fewer give 0), N = 0 gives 0.
int Posn(const std::string& S, const std::string& Text, int N);
std::string EncodeStr(THttpEncoding Encoding, const std::string& Value);
std::string EncodeLine(THttpEncoding Encoding, const char* SrcData, int Size);
// "Sat, 01 Jan 2000 10:20:30" (no time zone) for a date-time taken as is.
std::string RFC1123_Date(TDateTime aDate);
std::string UrlEncode(const std::string& S);
std::string UrlDecode(const std::string& S);
bool IsDigit(char Ch);
bool IsXDigit(char Ch);
int XDigit(char Ch);
int htoin(const char* Value, int Len);
int htoi2(const char* Value);
void ReplaceExt(std::string& FName, const std::string& newExt);

// ---- The client -------------------------------------------------------------------------------------------------
enum THttpRequest { httpAbort, httpGET, httpPOST, httpHEAD };
enum THttpState {
  httpReady, httpNotConnected, httpConnected, httpDnsLookup, httpDnsLookupDone, httpWaitingHeader, httpWaitingBody,
  httpAborting
};

// Error codes of EHttpException besides the status codes of failed synchronous requests.
inline constexpr Word httperrBusy = 1;
inline constexpr Word httperrNoData = 2;
inline constexpr Word httperrLineTooLong = 4;

class EHttpException : public Exception {
  Z_CLASS(EHttpException, Exception)
public:
  EHttpException(const std::string& Msg, Word ErrCode) : Exception(Msg), ErrorCode(ErrCode) {}
  Word ErrorCode = 0;
};

using THttpDataEvent = std::function<void(TObject* Sender, const void* Buffer, int Len)>;
using THttpCommandEvent = std::function<void(TObject* Sender, std::string& S)>;
using THttpRequestDone = std::function<void(TObject* Sender, THttpRequest RqType, Word Error)>;
using THttpBeforeHeaderSendEvent = std::function<void(TObject* Sender, const std::string& Method, TStrings* Headers)>;
using TCookieRcvdEvent = std::function<void(TObject* Sender, const std::string& Data, bool& Accept)>;
using THttpSessionError = std::function<void(TObject* Sender, Word Error)>;

// An HTTP/1.0 client: one request per connection, the reply read until the server closes, redirections followed,
// an HTTP proxy and Basic credentials supported. Runs on the thread that created it, driven by window messages
// on its own hidden window and its socket's. Callers own the streams they hand it.
class THttpCli : public TComponent {
  Z_CLASS(THttpCli, TComponent)
public:
  explicit THttpCli(TComponent* AOwner);
  ~THttpCli() override;
  void BeforeDestruction() override;

  // Synchronous requests: return when the request has ended; a status code above 399 raises EHttpException.
  void Get();
  void Head();
  void Post();
  // Asynchronous requests: completion is OnRequestDone.
  void GetASync();
  void HeadASync();
  void PostASync();
  void Abort();
  virtual void AdjustDocName();

  // Properties.
  std::string URL;
  std::string LocalAddr = "0.0.0.0";
  std::string Proxy;
  std::string ProxyPort = "80";
  std::string Sender;
  std::string Agent = "Mozilla/3.0 (compatible)";
  std::string Accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
  std::string AcceptLanguage;
  std::string Reference;
  std::string Username;
  std::string Password;
  std::string ProxyUsername;
  std::string ProxyPassword;
  bool NoCache = false;
  TDateTime ModifiedSince = 0;
  std::string Cookie;
  std::string ContentTypePost = "application/x-www-form-urlencoded";
  std::string ContentRangeBegin;
  std::string ContentRangeEnd;
  const std::string& AcceptRanges() const { return FAcceptRanges; }
  bool MultiThreaded() const { return FMultiThreaded; }
  void SetMultiThreaded(bool Value) { SetMultiThreadedProp(Value); }
  // Pass straight through to the socket's SOCKS settings.
  std::string SocksServer() const { return FCtrlSocket->SocksServer(); }
  void SetSocksServer(const std::string& V) { FCtrlSocket->SetSocksServer(V); }
  std::string SocksLevel() const { return FCtrlSocket->SocksLevel(); }
  void SetSocksLevel(const std::string& V) { FCtrlSocket->SetSocksLevel(V); }
  std::string SocksPort() const { return FCtrlSocket->SocksPort(); }
  void SetSocksPort(const std::string& V) { FCtrlSocket->SetSocksPort(V); }
  std::string SocksUsercode() const { return FCtrlSocket->SocksUsercode(); }
  void SetSocksUsercode(const std::string& V) { FCtrlSocket->SetSocksUsercode(V); }
  std::string SocksPassword() const { return FCtrlSocket->SocksPassword(); }
  void SetSocksPassword(const std::string& V) { FCtrlSocket->SetSocksPassword(V); }
  TSocksAuthentication SocksAuthentication() const { return FCtrlSocket->SocksAuthentication(); }
  void SetSocksAuthentication(TSocksAuthentication V) { FCtrlSocket->SetSocksAuthentication(V); }

  // Public state.
  TStream* RcvdStream = nullptr;  // not owned
  TStream* PostStream = nullptr;  // not owned
  int StatusCode() const { return FStatusCode; }
  const std::string& ReasonPhrase() const { return FReasonPhrase; }
  const std::string& RcvdContentType() const { return FContentType; }
  int RcvdContentLength() const { return FContentLength; }
  const std::string& CurrentLocation() const { return FLocation; }
  const std::string& DocName() const { return FDocName; }
  TStrings* RcvdHeaderLines() const { return FRcvdHeader.get(); }
  int RcvdBodyCount() const { return FRcvdCount; }
  int PostedCount() const { return FSentCount; }
  THttpState HttpState() const { return FState; }
  bool IsConnected() const { return FConnected; }
  TWSocket* CtrlSocket() const { return FCtrlSocket.get(); }

  // Events.
  TNotifyEvent OnStateChange;
  TNotifyEvent OnSessionConnected;
  TNotifyEvent OnRequestHeaderBegin;
  TNotifyEvent OnRequestHeaderEnd;
  TNotifyEvent OnHeaderBegin;
  TNotifyEvent OnHeaderEnd;
  TNotifyEvent OnDocBegin;
  TNotifyEvent OnDocEnd;
  TNotifyEvent OnSendBegin;
  TNotifyEvent OnSendEnd;
  TNotifyEvent OnHeaderData;
  TNotifyEvent OnLocationChange;
  TNotifyEvent OnSocketError;
  THttpDataEvent OnDocData;
  THttpDataEvent OnSendData;
  THttpCommandEvent OnCommand;
  TCookieRcvdEvent OnCookie;
  THttpBeforeHeaderSendEvent OnBeforeHeaderSend;
  THttpRequestDone OnRequestDone;
  TSocksConnectedEvent OnSocksConnected;
  TSocksAuthStateEvent OnSocksAuthState;
  TSocksErrorEvent OnSocksError;
  THttpSessionError OnStrayData;

  // Limits of what a reply may send before its body.
  static constexpr int MaxHeaderBytes = 256 * 1024;
  static constexpr int MaxRedirections = 20;

protected:
  virtual void GetHeaderLineNext();
  virtual void GetBodyLineNext(const char* Data, int Len);
  virtual void SendCommand(const std::string& Cmd);
  virtual void Login();
  virtual void Logout();
  virtual void InternalClear();
  virtual void SocketDNSLookupDone(TObject* Sender, Word Error);
  virtual void SocketSessionClosed(TObject* Sender, Word Error);
  virtual void SocketSessionConnected(TObject* Sender, Word Error);
  virtual void SocketDataSent(TObject* Sender, Word Error);
  virtual void SocketDataAvailable(TObject* Sender, Word Error);
  virtual void LocationSessionClosed(TObject* Sender, Word Error);
  virtual void DoRequestAsync(THttpRequest Rq);
  virtual void DoRequestSync(THttpRequest Rq);
  virtual void SetMultiThreadedProp(bool Value);
  virtual void StateChange(THttpState NewState);
  virtual void TriggerStateChange();
  virtual void TriggerCookie(const std::string& Data, bool& bAccept);
  virtual void TriggerSessionConnected();
  virtual void TriggerBeforeHeaderSend(const std::string& Method, TStrings* Headers);
  virtual void TriggerRequestHeaderBegin();
  virtual void TriggerRequestHeaderEnd();
  virtual void TriggerHeaderBegin();
  virtual void TriggerHeaderEnd();
  virtual void TriggerDocBegin();
  virtual void TriggerDocData(const void* Data, int Len);
  virtual void TriggerDocEnd();
  virtual void TriggerSendBegin();
  virtual void TriggerSendData(const void* Data, int Len);
  virtual void TriggerSendEnd();
  virtual void TriggerRequestDone();
  virtual void WndProc(TMessage& MsgRec);
  virtual void SetReady();
  virtual void HTTPCliAllocateHWnd();
  virtual void HTTPCliDeallocateHWnd();

  void SendRequest(const std::string& Method, const std::string& Version);
  void LocationStep(const std::string& Value);
  void SwitchToBody();
  // Ends the request at once with a 404 and the given reason (a reply the client refuses).
  void FailReply(const std::string& Reason, Word Error);
  void BindSocketEvents();
  // Closes the socket without reporting the close to this client.
  void CloseQuietly();

  enum TNextLine { nlNone, nlHeader, nlBody };

  std::unique_ptr<TWSocket> FCtrlSocket;
  HWND FWindowHandle = 0;
  THttpState FState = httpReady;
  THttpRequest FRequestType = httpGET;
  std::string FHostName;
  std::string FPort;
  std::string FTargetHost;
  std::string FPath;
  std::string FDnsResult;
  char FSendBuffer[8193] = {};
  char FReceiveBuffer[8193] = {};
  int FReceiveLen = 0;
  std::string FLastResponse;
  int FHeaderLineCount = 0;
  int FBodyLineCount = 0;
  int FHeaderBytes = 0;
  int FRedirections = 0;
  bool FAllowedToSend = false;
  bool FLocationFlag = false;
  bool FHeaderEndFlag = false;  // the header has begun and not yet ended
  bool FBodyWithoutHeader = false;
  std::string FLastLineEnd;     // what ended the line being handled ("\r\n" or "\n")
  std::unique_ptr<TStringList> FAuthenticateList;
  std::unique_ptr<TMemoryStream> FReqStream;
  std::unique_ptr<TStringList> FRcvdHeader;
  Word FRequestDoneError = 0;
  TNextLine FNext = nlNone;
  int FStatusCode = 0;
  std::string FReasonPhrase;
  std::string FContentType;
  int FContentLength = -1;
  std::string FLocation;
  std::string FDocName;
  int FRcvdCount = 0;
  int FSentCount = 0;
  bool FConnected = false;
  bool FMultiThreaded = false;
  std::string FAcceptRanges;
  bool FTornDown = false;
};
