// THttpCli: request start, lookup and connect, the request header, the reply parser, redirections and Abort.
#include "net/Httpprot.h"

#include <algorithm>
#include <cstring>

Z_IMPLEMENT_CLASS(EHttpException, Exception)
Z_IMPLEMENT_CLASS(THttpCli, TComponent)

namespace {

// Messages of the client's own window.
constexpr UINT WM_HTTP_REQUEST_DONE = WM_USER + 1;
constexpr UINT WM_HTTP_SET_READY = WM_USER + 2;
constexpr UINT WM_HTTP_LOGIN = WM_USER + 3;

// Base(P): P up to and including the last "/" or ":" before its first "?".
std::string BaseOf(const std::string& P) {
  std::size_t Query = P.find('?');
  std::string Head = Query == std::string::npos ? P : P.substr(0, Query);
  std::size_t Cut = Head.find_last_of("/:");
  return Cut == std::string::npos ? std::string() : Head.substr(0, Cut + 1);
}

// The host part of an address: the host, with the port when it is not the default one.
std::string HostAndPort(const std::string& Host, const std::string& Port) {
  return Port.empty() || Port == "80" ? Host : Host + ":" + Port;
}

}  // namespace

THttpCli::THttpCli(TComponent* AOwner) : TComponent(AOwner) {
  HTTPCliAllocateHWnd();
  FCtrlSocket = std::make_unique<TWSocket>(nullptr);
  BindSocketEvents();
  FRcvdHeader = std::make_unique<TStringList>();
  FAuthenticateList = std::make_unique<TStringList>();
  FReqStream = std::make_unique<TMemoryStream>();
}

void THttpCli::BindSocketEvents() {
  TWSocket* S = FCtrlSocket.get();
  S->OnSessionClosed = [this](TObject* Sender, Word Error) { SocketSessionClosed(Sender, Error); };
  S->OnDataAvailable = [this](TObject* Sender, Word Error) { SocketDataAvailable(Sender, Error); };
  S->OnSessionConnected = [this](TObject* Sender, Word Error) { SocketSessionConnected(Sender, Error); };
  S->OnDataSent = [this](TObject* Sender, Word Error) { SocketDataSent(Sender, Error); };
  S->OnDnsLookupDone = [this](TObject* Sender, Word Error) { SocketDNSLookupDone(Sender, Error); };
  S->OnSocksError = [this](TObject*, int Error, const std::string& Msg) {
    if (OnSocksError) {
      OnSocksError(this, Error, Msg);
    }
  };
  S->OnSocksConnected = [this](TObject*, Word Error) {
    if (OnSocksConnected) {
      OnSocksConnected(this, Error);
    }
  };
  S->OnSocksAuthState = [this](TObject*, TSocksAuthState State) {
    if (OnSocksAuthState) {
      OnSocksAuthState(this, State);
    }
  };
  // The socket reports its errors through this event instead of raising them.
  S->OnError = [this](TObject*) {
    if (OnSocketError) {
      OnSocketError(this);
    }
  };
}

void THttpCli::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (FTornDown) {
    return;
  }
  FTornDown = true;
  if (FCtrlSocket) {
    // No event may reach this half-destroyed client.
    FCtrlSocket->OnSessionClosed = nullptr;
    FCtrlSocket->OnDnsLookupDone = nullptr;
    FCtrlSocket->OnDataAvailable = nullptr;
    FCtrlSocket->OnSessionConnected = nullptr;
    FCtrlSocket->OnDataSent = nullptr;
    FCtrlSocket->OnError = nullptr;
  }
}

THttpCli::~THttpCli() {
  if (FCtrlSocket) {
    FCtrlSocket->OnSessionClosed = nullptr;
    FCtrlSocket->OnDnsLookupDone = nullptr;
    FCtrlSocket->OnDataAvailable = nullptr;
    FCtrlSocket->OnError = nullptr;
  }
  FCtrlSocket.reset();
  HTTPCliDeallocateHWnd();
}

void THttpCli::HTTPCliAllocateHWnd() {
  FWindowHandle = AllocateHWnd([this](TMessage& M) { WndProc(M); });
}

void THttpCli::HTTPCliDeallocateHWnd() {
  if (FWindowHandle) {
    DeallocateHWnd(FWindowHandle);
    FWindowHandle = 0;
  }
}

void THttpCli::WndProc(TMessage& MsgRec) {
  switch (MsgRec.Msg) {
    case WM_HTTP_REQUEST_DONE:
      if (OnRequestDone) {
        OnRequestDone(this, FRequestType, FRequestDoneError);
      }
      break;
    case WM_HTTP_SET_READY: StateChange(httpReady); break;
    case WM_HTTP_LOGIN:
      // A redirection's new round; an Abort in between has already ended the request.
      if (FState != httpReady && FState != httpAborting) {
        Login();
      }
      break;
    default: MsgRec.Result = DefWindowProc(FWindowHandle, MsgRec.Msg, MsgRec.WParam, MsgRec.LParam); break;
  }
}

void THttpCli::SetMultiThreadedProp(bool Value) {
  FMultiThreaded = Value;
  FCtrlSocket->SetMultiThreaded(Value);
}

// ---- Triggers ---------------------------------------------------------------------------------------------------

void THttpCli::StateChange(THttpState NewState) {
  if (FState == NewState) {
    return;
  }
  FState = NewState;
  TriggerStateChange();
  if (NewState == httpReady) {
    TriggerRequestDone();
  }
}

void THttpCli::TriggerStateChange() {
  if (OnStateChange) {
    OnStateChange(this);
  }
}
void THttpCli::TriggerCookie(const std::string& Data, bool& bAccept) {
  if (OnCookie) {
    OnCookie(this, Data, bAccept);
  }
}
void THttpCli::TriggerSessionConnected() {
  if (OnSessionConnected) {
    OnSessionConnected(this);
  }
}
void THttpCli::TriggerBeforeHeaderSend(const std::string& Method, TStrings* Headers) {
  if (OnBeforeHeaderSend) {
    OnBeforeHeaderSend(this, Method, Headers);
  }
}
void THttpCli::TriggerRequestHeaderBegin() {
  if (OnRequestHeaderBegin) {
    OnRequestHeaderBegin(this);
  }
}
void THttpCli::TriggerRequestHeaderEnd() {
  if (OnRequestHeaderEnd) {
    OnRequestHeaderEnd(this);
  }
}
void THttpCli::TriggerHeaderBegin() {
  FHeaderEndFlag = true;
  if (OnHeaderBegin) {
    OnHeaderBegin(this);
  }
}
void THttpCli::TriggerHeaderEnd() {
  FHeaderEndFlag = false;
  if (OnHeaderEnd) {
    OnHeaderEnd(this);
  }
}
void THttpCli::TriggerDocBegin() {
  if (OnDocBegin) {
    OnDocBegin(this);
  }
}
void THttpCli::TriggerDocData(const void* Data, int Len) {
  if (OnDocData) {
    OnDocData(this, Data, Len);
  }
}
void THttpCli::TriggerDocEnd() {
  if (OnDocEnd) {
    OnDocEnd(this);
  }
}
void THttpCli::TriggerSendBegin() {
  if (OnSendBegin) {
    OnSendBegin(this);
  }
}
void THttpCli::TriggerSendData(const void* Data, int Len) {
  if (OnSendData) {
    OnSendData(this, Data, Len);
  }
}
void THttpCli::TriggerSendEnd() {
  if (OnSendEnd) {
    OnSendEnd(this);
  }
}
void THttpCli::TriggerRequestDone() { PostMessage(FWindowHandle, WM_HTTP_REQUEST_DONE, 0, 0); }

void THttpCli::SetReady() { PostMessage(FWindowHandle, WM_HTTP_SET_READY, 0, 0); }

// ---- Starting a request -----------------------------------------------------------------------------------------

void THttpCli::InternalClear() {
  FRcvdHeader->Clear();
  FRequestDoneError = 0;
  FDocName.clear();
  FStatusCode = 0;
  FReasonPhrase.clear();
  FRcvdCount = 0;
  FSentCount = 0;
  FHeaderLineCount = 0;
  FBodyLineCount = 0;
  FHeaderBytes = 0;
  FRedirections = 0;
  FContentLength = -1;
  FContentType.clear();
  FAllowedToSend = false;
  FLocationFlag = false;
  FHeaderEndFlag = false;
  FBodyWithoutHeader = false;
  FReceiveLen = 0;
  FLocation = URL;
}

void THttpCli::DoRequestAsync(THttpRequest Rq) {
  if (FState != httpReady) {
    throw EHttpException("HTTP component is busy", httperrBusy);
  }
  if (Rq == httpPOST && !PostStream) {
    throw EHttpException("HTTP component has nothing to post", httperrNoData);
  }
  FCtrlSocket->OnSessionClosed = [this](TObject* Sender, Word Error) { SocketSessionClosed(Sender, Error); };
  CloseQuietly();  // a connection left open by the previous reply
  StateChange(httpNotConnected);
  FRequestType = Rq;
  InternalClear();
  std::string Proto;
  std::string User;
  std::string Pass;
  std::string Host;
  std::string Port;
  std::string Path;
  ParseURL(URL, Proto, User, Pass, Host, Port, Path);
  FTargetHost = Host;
  FDocName = Path;
  if (!User.empty()) {
    Username = User;
  }
  if (!Pass.empty()) {
    Password = Pass;
  }
  if (Proxy.empty()) {
    FPath = Path;
    FHostName = Host;
    FPort = Port.empty() ? std::string("80") : Port;
  } else {
    FPath = (Proto.empty() ? std::string("http") : Proto) + "://" + Host + (Port.empty() ? "" : ":" + Port) + Path;
    std::string PProto;
    std::string PUser;
    std::string PPass;
    std::string PHost;
    std::string PPort;
    std::string PPath;
    ParseURL(Proxy, PProto, PUser, PPass, PHost, PPort, PPath);
    FHostName = PHost;
    FPort = PPort.empty() ? ProxyPort : PPort;
  }
  if (FPath.empty()) {
    FPath = "/";
  }
  AdjustDocName();
  Login();
}

void THttpCli::AdjustDocName() {
  std::size_t Q = FDocName.find('?');
  if (Q != std::string::npos) {
    FDocName.erase(Q);
  }
  if (FDocName.empty() || FDocName.back() == '/') {
    FDocName = "document.htm";
    return;
  }
  std::size_t Slash = FDocName.rfind('/');
  if (Slash != std::string::npos) {
    FDocName.erase(0, Slash + 1);
  }
  if (FDocName.size() > 255) {
    FDocName.resize(255);
  }
  if (FDocName.empty()) {
    FDocName = "document.htm";
  }
}

void THttpCli::DoRequestSync(THttpRequest Rq) {
  DoRequestAsync(Rq);
  while (FState != httpReady) {
    // Every step of a request arrives as a message, so waiting for the next one yields the processor.
    if (!FCtrlSocket->ProcessMessage()) {
      WaitMessage();
    }
  }
  if (FStatusCode > 399) {
    throw EHttpException(FReasonPhrase, static_cast<Word>(FStatusCode));
  }
}

void THttpCli::Get() { DoRequestSync(httpGET); }
void THttpCli::Head() { DoRequestSync(httpHEAD); }
void THttpCli::Post() { DoRequestSync(httpPOST); }
void THttpCli::GetASync() { DoRequestAsync(httpGET); }
void THttpCli::HeadASync() { DoRequestAsync(httpHEAD); }
void THttpCli::PostASync() { DoRequestAsync(httpPOST); }

// ---- Lookup and connection --------------------------------------------------------------------------------------

void THttpCli::Login() {
  FDnsResult.clear();
  StateChange(httpDnsLookup);
  try {
    FCtrlSocket->SetLocalAddr(LocalAddr);
    FCtrlSocket->DnsLookup(FHostName);
  } catch (const Exception& E) {
    FStatusCode = 404;
    FReasonPhrase = E.Message();
    FConnected = false;
    StateChange(httpReady);
  }
}

void THttpCli::Logout() {
  FCtrlSocket->Close();
  FConnected = false;
}

void THttpCli::SocketDNSLookupDone(TObject* Sender, Word Error) {
  if (Error != 0) {
    if (FState == httpAborting) {
      return;
    }
    FRequestDoneError = Error;
    FStatusCode = 404;
    FReasonPhrase = "can't resolve hostname to IP address";
    SocketSessionClosed(Sender, Error);
    return;
  }
  FDnsResult = FCtrlSocket->DnsResult();
  StateChange(httpDnsLookupDone);
  TWSocket* S = FCtrlSocket.get();
  bool Failed = false;
  try {
    S->SetAddr(FDnsResult);
    S->SetLocalAddr(LocalAddr);
    S->SetPort(FPort);
    S->SetProto("tcp");
    S->Connect();
    // An error reported through the socket's error event instead of raised leaves it unconnected.
    Failed = S->State() != wsConnecting && S->State() != wsConnected;
  } catch (const Exception&) {
    Failed = true;
  }
  if (Failed) {
    int Last = S->LastError();
    FRequestDoneError = static_cast<Word>(Last);
    FStatusCode = 404;
    FReasonPhrase = "can't connect: " + WSocketErrorDesc(Last) + " (Error #" + IntToStr(Last) + ")";
    S->Close();
    SocketSessionClosed(S, static_cast<Word>(Last));
  }
}

void THttpCli::SocketSessionConnected(TObject* Sender, Word Error) {
  if (Error != 0) {
    FRequestDoneError = Error;
    FStatusCode = 404;
    FReasonPhrase = WSocketErrorDesc(Error) + " (Error #" + IntToStr(Error) + ")";
    SocketSessionClosed(Sender, Error);
    return;
  }
  FConnected = true;
  StateChange(httpConnected);
  TriggerSessionConnected();
  FNext = nlHeader;
  StateChange(httpWaitingHeader);
  try {
    switch (FRequestType) {
      case httpPOST:
        SendRequest("POST", "1.0");
        TriggerSendBegin();
        FAllowedToSend = true;
        SocketDataSent(FCtrlSocket.get(), 0);
        break;
      case httpHEAD: SendRequest("HEAD", "1.0"); break;
      default: SendRequest("GET", "1.0"); break;
    }
  } catch (const Exception&) {
    Logout();
  }
}

// ---- The request ------------------------------------------------------------------------------------------------

void THttpCli::SendCommand(const std::string& Cmd) {
  std::string Line = Cmd;
  if (OnCommand) {
    OnCommand(this, Line);
  }
  if (!Line.empty()) {
    FReqStream->Write(Line.data(), static_cast<LongInt>(Line.size()));
  }
  FReqStream->Write("\r\n", 2);
}

void THttpCli::SendRequest(const std::string& Method, const std::string& Version) {
  FReqStream->Clear();
  TriggerRequestHeaderBegin();
  TStringList Headers;
  Headers.Add(Method + " " + FPath + " HTTP/" + Version);
  if (!Sender.empty()) {
    Headers.Add("From: " + Sender);
  }
  if (!Accept.empty()) {
    Headers.Add("Accept: " + Accept);
  }
  if (!Reference.empty()) {
    Headers.Add("Referer: " + Reference);
  }
  if (!AcceptLanguage.empty()) {
    Headers.Add("Accept-Language: " + AcceptLanguage);
  }
  if (Method == "POST" && !ContentTypePost.empty()) {
    Headers.Add("Content-Type: " + ContentTypePost);
  }
  if (!Agent.empty()) {
    Headers.Add("User-Agent: " + Agent);
  }
  Headers.Add("Host: " + FTargetHost);
  if (NoCache) {
    Headers.Add("Pragma: no-cache");
  }
  if (Method == "POST") {
    Headers.Add("Content-Length: " + IntToStr(PostStream ? PostStream->Size() : 0));
  }
  if (ModifiedSince != 0) {
    Headers.Add("If-Modified-Since: " + RFC1123_Date(ModifiedSince) + " GMT");
  }
  if (!Username.empty()) {
    Headers.Add("Authorization: Basic " + EncodeStr(encBase64, Username + ":" + Password));
  }
  if (!Proxy.empty() && !ProxyUsername.empty()) {
    Headers.Add("Proxy-Authorization: Basic " + EncodeStr(encBase64, ProxyUsername + ":" + ProxyPassword));
  }
  if (!Cookie.empty()) {
    Headers.Add("Cookie: " + Cookie);
  }
  if (!ContentRangeBegin.empty() || !ContentRangeEnd.empty()) {
    Headers.Add("Range: bytes=" + ContentRangeBegin + "-" + ContentRangeEnd);
    ContentRangeBegin.clear();
    ContentRangeEnd.clear();
  }
  FAcceptRanges.clear();
  TriggerBeforeHeaderSend(Method, &Headers);
  for (Integer I = 0; I < Headers.Count(); ++I) {
    SendCommand(Headers.Strings(I));
  }
  TriggerRequestHeaderEnd();
  SendCommand("");
  FCtrlSocket->Send(FReqStream->Memory(), static_cast<int>(FReqStream->Size()));
  FReqStream->Clear();
}

void THttpCli::SocketDataSent(TObject*, Word) {
  if (!FAllowedToSend || !PostStream) {
    return;
  }
  int Len = PostStream->Read(FSendBuffer, sizeof FSendBuffer);
  if (Len <= 0) {
    FAllowedToSend = false;
    TriggerSendEnd();
    return;
  }
  FSentCount += Len;
  TriggerSendData(FSendBuffer, Len);
  FCtrlSocket->Send(FSendBuffer, Len);
}

// ---- The reply --------------------------------------------------------------------------------------------------

void THttpCli::FailReply(const std::string& Reason, Word Error) {
  FStatusCode = 404;
  FReasonPhrase = Reason;
  FRequestDoneError = Error;
  FLocationFlag = false;
  FReceiveLen = 0;
  FNext = nlNone;
  TSessionClosed Handler = std::move(FCtrlSocket->OnSessionClosed);
  FCtrlSocket->OnSessionClosed = nullptr;
  FCtrlSocket->Abort();
  FCtrlSocket->OnSessionClosed = std::move(Handler);
  FConnected = false;
  FHeaderEndFlag = false;
  SetReady();
}

void THttpCli::SocketDataAvailable(TObject*, Word) {
  if (FState == httpReady || FState == httpAborting) {
    // The request has ended (a refused reply): nothing more is read.
    return;
  }
  if (FReceiveLen >= static_cast<int>(sizeof FReceiveBuffer) - 1) {
    // A line longer than the buffer ends the request instead of stalling it.
    FailReply("HTTP line too long", httperrLineTooLong);
    return;
  }
  const int Room = static_cast<int>(sizeof FReceiveBuffer) - 1 - FReceiveLen;
  int Len = FCtrlSocket->Receive(FReceiveBuffer + FReceiveLen, Room);
  if (FRequestType == httpAbort || Len <= 0) {
    return;
  }
  FReceiveLen += Len;
  FReceiveBuffer[FReceiveLen] = '\0';
  if (FState == httpWaitingBody) {
    int N = FReceiveLen;
    FReceiveLen = 0;
    if (FNext == nlBody) {
      GetBodyLineNext(FReceiveBuffer, N);
    } else {
      SetReady();
    }
    return;
  }
  while (FReceiveLen > 0) {
    if (FState == httpWaitingBody) {
      // The header ended inside this buffer and left its rest here: that rest is body.
      int N = FReceiveLen;
      FReceiveLen = 0;
      GetBodyLineNext(FReceiveBuffer, N);
      return;
    }
    auto* Lf = static_cast<char*>(std::memchr(FReceiveBuffer, '\n', static_cast<std::size_t>(FReceiveLen)));
    if (!Lf) {
      return;  // a partial line waits for the rest
    }
    int LineLen = static_cast<int>(Lf - FReceiveBuffer);
    int Used = LineLen + 1;
    bool Cr = LineLen > 0 && FReceiveBuffer[LineLen - 1] == '\r';
    FLastResponse.assign(FReceiveBuffer, static_cast<std::size_t>(Cr ? LineLen - 1 : LineLen));
    FLastLineEnd = Cr ? "\r\n" : "\n";
    std::memmove(FReceiveBuffer, FReceiveBuffer + Used, static_cast<std::size_t>(FReceiveLen - Used));
    FReceiveLen -= Used;
    FReceiveBuffer[FReceiveLen] = '\0';
    if (FState == httpWaitingHeader) {
      FHeaderBytes += Used;
      if (FHeaderBytes > MaxHeaderBytes) {
        FailReply("HTTP header too long", httperrLineTooLong);
        return;
      }
      if (FNext == nlHeader) {
        GetHeaderLineNext();
      } else {
        SetReady();
      }
    } else if (OnStrayData) {
      OnStrayData(this, 0);
    }
    if (FState == httpReady || FNext == nlNone) {
      return;
    }
  }
}

void THttpCli::SwitchToBody() {
  StateChange(httpWaitingBody);
  FNext = nlBody;
  TriggerHeaderEnd();
}

void THttpCli::GetHeaderLineNext() {
  if (FHeaderLineCount == 0) {
    TriggerHeaderBegin();
  }
  ++FHeaderLineCount;
  const std::string& Line = FLastResponse;
  if (UpperCase(Line.substr(0, 6)) == "<HTML>") {
    // The body began without (the rest of) a header; the line, with its own line end, is the first piece.
    if (FContentType.empty()) {
      FContentType = "text/html";
    }
    FBodyWithoutHeader = FStatusCode == 0;
    SwitchToBody();
    std::string Piece = Line + FLastLineEnd;
    GetBodyLineNext(Piece.data(), static_cast<int>(Piece.size()));
    return;
  }
  if (!Line.empty()) {
    FRcvdHeader->Add(Line);
    if (Line.compare(0, 8, "HTTP/1.0") == 0 || Line.compare(0, 8, "HTTP/1.1") == 0) {
      FStatusCode = StrToIntDef(Trim(Copy(Line, 10, 3)), 0);
      FReasonPhrase = Copy(Line, 14, static_cast<int>(Line.size()));
    } else {
      std::size_t Colon = Line.find(':');
      if (Colon != std::string::npos) {
        std::string Field = LowerCase(Line.substr(0, Colon));
        std::size_t V = Colon + 1;
        while (V < Line.size() && Line[V] == ' ') {
          ++V;
        }
        std::string Data = Line.substr(V);
        if (Field == "location") {
          FLocationFlag = true;
          LocationStep(Data);
        } else if (Field == "content-length") {
          FContentLength = StrToIntDef(Trim(Data), -1);
        } else if (Field == "content-range") {
          std::size_t Dash = Data.find('-');
          std::size_t Slash = Data.find('/');
          if (Data.size() > 6 && Dash != std::string::npos && Dash >= 6) {
            ContentRangeBegin = Data.substr(6, Dash - 6);
            if (Slash != std::string::npos && Slash > Dash) {
              ContentRangeEnd = Data.substr(Dash + 1, Slash - Dash - 1);
            }
          }
        } else if (Field == "accept-ranges") {
          FAcceptRanges = Data;
        } else if (Field == "content-type") {
          FContentType = LowerCase(Data);
        } else if (Field == "www-authenticate") {
          FAuthenticateList->Add(Data);
        } else if (Field == "set-cookie") {
          bool Accepted = true;
          TriggerCookie(Data, Accepted);
        }
      }
    }
    if (OnHeaderData) {
      OnHeaderData(this);
    }
    return;
  }
  // The blank line ends the header.
  if (FLocationFlag) {
    TriggerHeaderEnd();
    FReceiveLen = 0;
    FHeaderLineCount = 0;
    FBodyLineCount = 0;
    FNext = nlNone;
    FCtrlSocket->OnSessionClosed = [this](TObject* Sender, Word Error) { LocationSessionClosed(Sender, Error); };
    FCtrlSocket->Close();
    return;
  }
  if (FContentLength != 0) {
    std::string Ext;
    std::size_t Dot = FDocName.rfind('.');
    if (Dot != std::string::npos) {
      Ext = LowerCase(FDocName.substr(Dot));
    }
    if ((Ext.empty() || Ext == ".exe") && FContentType == "text/html") {
      ReplaceExt(FDocName, "htm");
    }
    SwitchToBody();
    if (FReceiveLen > 0) {
      int N = FReceiveLen;
      FReceiveLen = 0;
      GetBodyLineNext(FReceiveBuffer, N);
    }
    if (FStatusCode > 399) {
      // An error reply's body ends with what came in with its header.
      FCtrlSocket->Close();
    }
    return;
  }
  TriggerHeaderEnd();
  FNext = nlNone;
  SetReady();
  CloseQuietly();  // one request per connection: nothing more may arrive on this one
}

void THttpCli::CloseQuietly() {
  if (FCtrlSocket->State() == wsClosed && FCtrlSocket->HSocket() == INVALID_SOCKET) {
    return;
  }
  TSessionClosed Handler = std::move(FCtrlSocket->OnSessionClosed);
  FCtrlSocket->OnSessionClosed = nullptr;
  FCtrlSocket->Close();
  FCtrlSocket->OnSessionClosed = std::move(Handler);
  FConnected = false;
}

void THttpCli::GetBodyLineNext(const char* Data, int Len) {
  if (FBodyLineCount == 0) {
    TriggerDocBegin();
  }
  ++FBodyLineCount;
  if (Len <= 0) {
    return;
  }
  FRcvdCount += Len;
  if (RcvdStream) {
    RcvdStream->Write(Data, Len);
  }
  TriggerDocData(Data, Len);
}

void THttpCli::LocationStep(const std::string& Value) {
  std::string Proto;
  std::string User;
  std::string Pass;
  std::string Host;
  std::string Port;
  std::string Path;
  const bool Absolute = Value.compare(0, 7, "http://") == 0;
  if (Proxy.empty()) {
    if (!Value.empty() && Value[0] == '/') {
      FPath = Value;
      FLocation = "http://" + HostAndPort(FTargetHost, FPort) + Value;
    } else if (!Absolute) {
      FPath = BaseOf(FPath) + Value;
      FLocation = "http://" + HostAndPort(FTargetHost, FPort) + FPath;
    } else {
      ParseURL(Value, Proto, User, Pass, Host, Port, Path);
      FPath = Path.empty() ? std::string("/") : Path;
      if (!Host.empty()) {
        FHostName = Host;
        FTargetHost = Host;
      }
      FPort = Port.empty() ? std::string("80") : Port;
      if (!User.empty() && !Pass.empty()) {
        Username = User;
        Password = Pass;
      }
      FLocation = Proto + "://" + HostAndPort(FTargetHost, FPort) + FPath;
    }
    return;
  }
  if (!Value.empty() && Value[0] == '/') {
    std::string Cur = FPath;
    ParseURL(Cur, Proto, User, Pass, Host, Port, Path);
    if (!User.empty() && !Pass.empty()) {
      Username = User;
      Password = Pass;
    }
    FLocation = (Proto.empty() ? std::string("http") : Proto) + "://" + HostAndPort(Host, Port) + Value;
    FPath = FLocation;
  } else if (!Absolute) {
    FPath = BaseOf(FPath) + Value;
    FLocation = FPath;
  } else {
    ParseURL(Value, Proto, User, Pass, Host, Port, Path);
    FPort = Port.empty() ? std::string("80") : Port;
    if (!User.empty() && !Pass.empty()) {
      Username = User;
      Password = Pass;
    }
    if (!Host.empty()) {
      FTargetHost = Host;
    }
    FLocation = Proto + "://" + HostAndPort(FTargetHost, Port) + (Path.empty() ? std::string("/") : Path);
    FPath = FLocation;
  }
}

void THttpCli::LocationSessionClosed(TObject*, Word) {
  if (FState == httpAborting || FState == httpReady) {
    return;
  }
  if (++FRedirections > MaxRedirections) {
    // An endless chain of redirections ends here.
    FCtrlSocket->OnSessionClosed = [this](TObject* Sender, Word Error) { SocketSessionClosed(Sender, Error); };
    FConnected = false;
    FLocationFlag = false;
    FStatusCode = 404;
    FReasonPhrase = "Too many redirections";
    StateChange(httpReady);
    return;
  }
  std::string Loc = FLocation;
  std::size_t Hash = Loc.find('#');
  if (Hash != std::string::npos) {
    Loc.erase(Hash);
  }
  std::string Proto;
  std::string User;
  std::string Pass;
  std::string Host;
  std::string Port;
  std::string Path;
  ParseURL(Loc, Proto, User, Pass, Host, Port, Path);
  FDocName = Path;
  AdjustDocName();
  FConnected = false;
  FLocationFlag = false;
  if (FRequestType == httpPOST) {
    FRequestType = httpGET;  // the body is not sent again
  }
  FCtrlSocket->OnSessionClosed = [this](TObject* Sender, Word Error) { SocketSessionClosed(Sender, Error); };
  if (OnLocationChange) {
    OnLocationChange(this);
  }
  FRcvdHeader->Clear();
  FHeaderLineCount = 0;
  FBodyLineCount = 0;
  FHeaderBytes = 0;
  FContentLength = -1;
  FContentType.clear();
  FStatusCode = 0;
  if (!Proxy.empty()) {
    std::string PProto;
    std::string PUser;
    std::string PPass;
    std::string PHost;
    std::string PPort;
    std::string PPath;
    ParseURL(Proxy, PProto, PUser, PPass, PHost, PPort, PPath);
    FPort = PPort.empty() ? ProxyPort : PPort;
  }
  PostMessage(FWindowHandle, WM_HTTP_LOGIN, 0, 0);
}

void THttpCli::SocketSessionClosed(TObject* Sender, Word Error) {
  if (Error != 0) {
    FRequestDoneError = Error;
  }
  FConnected = false;
  if (FHeaderEndFlag) {
    TriggerHeaderEnd();
    if (FLocationFlag && FState != httpAborting) {
      LocationSessionClosed(Sender, Error);
      return;
    }
  } else if (FBodyLineCount > 0) {
    TriggerDocEnd();
  }
  if (FStatusCode == 0 && !FBodyWithoutHeader && FState != httpAborting) {
    // A reply without a status line is no success.
    FStatusCode = 404;
    if (FReasonPhrase.empty()) {
      FReasonPhrase = "Invalid reply: no status line";
    }
  }
  FNext = nlNone;
  SetReady();
}

void THttpCli::Abort() {
  if (FState == httpReady) {
    if (FCtrlSocket->State() != wsClosed) {
      FCtrlSocket->Close();
    }
    return;
  }
  THttpState Was = FState;
  StateChange(httpAborting);
  if (Was == httpDnsLookup) {
    try {
      FCtrlSocket->CancelDnsLookup();
    } catch (...) {
    }
  }
  FStatusCode = 404;
  FReasonPhrase = "Connection aborted on request";
  FRequestDoneError = 3;
  if (Was == httpDnsLookup) {
    SocketSessionClosed(FCtrlSocket.get(), 0);
  } else {
    FCtrlSocket->Close();
  }
  StateChange(httpReady);
}
