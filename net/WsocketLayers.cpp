// The layers TWSocket stacks on the core socket: SOCKS 4/4A/5 negotiation, line mode and waiting for a line.
#include "net/Wsocket.h"

#include "platform/win/Clock.h"

#include <algorithm>
#include <cstring>

Z_IMPLEMENT_CLASS(TCustomSocksWSocket, TCustomWSocket)
Z_IMPLEMENT_CLASS(TCustomLineWSocket, TCustomSocksWSocket)
Z_IMPLEMENT_CLASS(TCustomSyncWSocket, TCustomLineWSocket)
Z_IMPLEMENT_CLASS(TWSocket, TCustomSyncWSocket)
Z_IMPLEMENT_CLASS(TSocksWSocket, TWSocket)

// ==== SOCKS ======================================================================================================

TCustomSocksWSocket::TCustomSocksWSocket(TComponent* AOwner) : TCustomWSocket(AOwner) {
  TCustomSocksWSocket::AssignDefaultValue();
}

void TCustomSocksWSocket::AssignDefaultValue() {
  TCustomWSocket::AssignDefaultValue();
  FSocksState = socksData;
  FSocksServerActive = false;
  FRcvCnt = 0;
  FSocksRcvdCnt = 0;
  FSocksRcvdPtr = 0;
}

void TCustomSocksWSocket::SetSocksServer(const std::string& Value) {
  if (FState != wsClosed) {
    RaiseException("Can't change socks server if not closed");
    return;
  }
  FSocksServer = Trim(Value);
}

void TCustomSocksWSocket::SetSocksPort(const std::string& Value) {
  if (FState != wsClosed) {
    RaiseException("Can't change socks port if not closed");
    return;
  }
  FSocksPort = Trim(Value);
}

void TCustomSocksWSocket::SetSocksLevel(const std::string& Value) {
  if (FState != wsClosed) {
    RaiseException("Can't change socks level if not closed");
    return;
  }
  if (Value != "4" && Value != "4A" && Value != "4a" && Value != "5") {
    RaiseException("Invalid socks level. Must be 4, 4A or 5.");
    return;
  }
  FSocksLevel = UpperCase(Value);
}

void TCustomSocksWSocket::SetRemotePort(const std::string& Value) { TCustomWSocket::SetRemotePort(Value); }

void TCustomSocksWSocket::TriggerSocksConnected(Word Error) {
  if (OnSocksConnected) {
    OnSocksConnected(this, Error);
  }
}

void TCustomSocksWSocket::TriggerSocksError(int Error, const std::string& Msg) {
  if (OnSocksError) {
    OnSocksError(this, Error, Msg);
  }
}

void TCustomSocksWSocket::TriggerSocksAuthState(TSocksAuthState AuthState) {
  if (OnSocksAuthState) {
    OnSocksAuthState(this, AuthState);
  }
}

void TCustomSocksWSocket::Listen() {
  if (!FSocksServer.empty()) {
    RaiseException("Listening is not supported thru socks server");
    return;
  }
  TCustomWSocket::Listen();
}

void TCustomSocksWSocket::Connect() {
  FSocksServerActive = false;
  if (FSocksServer.empty()) {
    TCustomWSocket::Connect();
    return;
  }
  if (LowerCase(FProtoStr) != "tcp") {
    RaiseException("tcp is the only protocol supported thru socks server");
    return;
  }
  if (FHSocket != INVALID_SOCKET && FState != wsClosed) {
    RaiseException("Connect: Socket already in use");
    return;
  }
  // Connect to the SOCKS server; the target is kept for the negotiation.
  FSocksTargetAddr = FAddrStr;
  FSocksTargetPort = FPortStr;
  FAddrStr = FSocksServer;
  FAddrAssigned = true;
  FAddrResolved = false;
  FPortStr = FSocksPort;
  FPortAssigned = true;
  FPortResolved = false;
  FRcvCnt = 0;
  FSocksRcvdCnt = 0;
  FSocksServerActive = true;
  FSocksState = socksNegociateMethods;
  TCustomWSocket::Connect();
}

void TCustomSocksWSocket::TriggerSessionConnected(Word Error) {
  if (!FSocksServerActive || FSocksState != socksNegociateMethods || FState == wsClosed) {
    TCustomWSocket::TriggerSessionConnected(Error);
    return;
  }
  TriggerSocksConnected(Error);
  if (Error != 0) {
    FSocksState = socksData;
    TCustomWSocket::TriggerSessionConnected(Error);
    return;
  }
  if (FSocksLevel[0] == '4') {
    SocksDoConnect();
    return;
  }
  unsigned char Req[3] = {5, 1, static_cast<unsigned char>(FSocksAuthentication == socksAuthenticateUsercode ? 2 : 0)};
  FRcvCnt = 0;
  TCustomWSocket::Send(Req, sizeof Req);
}

void TCustomSocksWSocket::SocksDoConnect() {
  FSocksState = socksConnect;
  FRcvCnt = 0;
  std::uint16_t Port = 0;
  try {
    Port = WSocketResolvePort(FSocksTargetPort, "tcp");
  } catch (const Exception& E) {
    SocksError(20017, std::string(E.ClassName()) + " " + E.Message());
    return;
  }
  const auto* PortBytes = reinterpret_cast<const unsigned char*>(&Port);  // network order
  std::string Req;
  if (FSocksLevel[0] == '4') {
    std::uint32_t Addr = 0x01000000u;  // 0.0.0.1 (network order) asks the server to resolve the name
    if (FSocksLevel == "4") {
      try {
        Addr = WSocketResolveHost(FSocksTargetAddr);
      } catch (const Exception& E) {
        SocksError(20017, std::string(E.ClassName()) + " " + E.Message());
        return;
      }
    }
    Req += '\x04';
    Req += '\x01';
    Req.append(reinterpret_cast<const char*>(PortBytes), 2);
    Req.append(reinterpret_cast<const char*>(&Addr), 4);
    Req += FSocksUsercode;
    Req += '\0';
    if (FSocksLevel == "4A") {
      Req += FSocksTargetAddr;
      Req += '\0';
    }
  } else {
    Req += '\x05';
    Req += '\x01';
    Req += '\x00';
    Req += '\x03';
    Req += static_cast<char>(std::min<std::size_t>(FSocksTargetAddr.size(), 255));
    Req += FSocksTargetAddr.substr(0, 255);
    Req.append(reinterpret_cast<const char*>(PortBytes), 2);
  }
  TCustomWSocket::Send(Req.data(), static_cast<int>(Req.size()));
}

void TCustomSocksWSocket::SocksDoAuthenticate() {
  FSocksState = socksAuthenticate;
  FRcvCnt = 0;
  std::string User = FSocksUsercode.substr(0, 255);
  std::string Pass = FSocksPassword.substr(0, 255);
  std::string Req;
  Req += '\x01';
  Req += static_cast<char>(User.size());
  Req += User;
  Req += static_cast<char>(Pass.size());
  Req += Pass;
  TCustomWSocket::Send(Req.data(), static_cast<int>(Req.size()));
}

void TCustomSocksWSocket::SocksError(int Error, const std::string& Msg) {
  TriggerSocksError(Error, Msg);
  FSocksState = socksData;
  TCustomWSocket::TriggerSessionConnected(static_cast<Word>(Error));
  InternalClose(false, static_cast<Word>(Error));
}

void TCustomSocksWSocket::TriggerSessionClosed(Word Error) {
  if (FSocksServerActive && FSocksState == socksAuthenticate) {
    TriggerSocksAuthState(socksAuthFailure);
  }
  TCustomWSocket::TriggerSessionClosed(Error);
}

int TCustomSocksWSocket::GetRcvdCount() {
  if (FSocksRcvdCnt > 0) {
    return FSocksRcvdCnt;
  }
  return TCustomWSocket::GetRcvdCount();
}

int TCustomSocksWSocket::DoRecv(void* Buffer, int BufferSize, int Flags) {
  if (FSocksRcvdCnt <= 0) {
    return TCustomWSocket::DoRecv(Buffer, BufferSize, Flags);
  }
  // Bytes that came behind the server's reply are handed out first.
  int N = std::min(BufferSize, FSocksRcvdCnt);
  std::memcpy(Buffer, FRcvBuf + FSocksRcvdPtr, static_cast<std::size_t>(std::max(N, 0)));
  if (!(Flags & MSG_PEEK)) {
    FSocksRcvdPtr += N;
    FSocksRcvdCnt -= N;
  }
  FRcvdFlag = N >= BufferSize;
  return N;
}

bool TCustomSocksWSocket::TriggerDataAvailable(Word Error) {
  if (!FSocksServerActive || FSocksState == socksData) {
    return TCustomWSocket::TriggerDataAvailable(Error);
  }
  if (Error != 0) {
    SocksError(Error, "data receive error");
    return true;
  }
  int Free = static_cast<int>(sizeof FRcvBuf) - FRcvCnt;
  int N = Free > 0 ? TCustomWSocket::DoRecv(FRcvBuf + FRcvCnt, Free, 0) : 0;
  if (N < 0) {
    FLastError = WSocket_WSAGetLastError();
    return true;
  }
  if (N == 0 && Free > 0) {
    return true;
  }
  FRcvCnt += N;
  if (FSocksLevel[0] == '4') {
    DataAvailableSocks4();
  } else {
    DataAvailableSocks5();
  }
  return true;
}

namespace {
int Socks5ErrorCode(int Reply, std::string& Msg) {
  static const char* const Texts[] = {"general SOCKS server failure", "connection not allowed by ruleset",
                                      "network unreachable",          "host unreachable",
                                      "connection refused",           "time to live expired",
                                      "command not supported",        "address type not supported"};
  if (Reply >= 1 && Reply <= 8) {
    Msg = Texts[Reply - 1];
    return 20003 + Reply;
  }
  Msg = "unassigned error #" + IntToStr(Reply);
  return 20012;
}
}  // namespace

void TCustomSocksWSocket::DataAvailableSocks4() {
  if (FSocksState != socksConnect || FRcvCnt < 8) {
    return;
  }
  if (FRcvBuf[0] != 0) {
    SocksError(20002, "socks version error");
    return;
  }
  switch (FRcvBuf[1]) {
    case 90: break;
    case 91: SocksError(20016, "request rejected or failed"); return;
    case 92: SocksError(20008, "connection refused"); return;
    case 93: SocksError(20015, "authentification failed"); return;
    default: SocksError(20012, "unassigned error #" + IntToStr(FRcvBuf[1])); return;
  }
  std::uint16_t Port = 0;
  std::memcpy(&Port, FRcvBuf + 2, 2);
  FBoundPort = IntToStr(WSocket_ntohs(Port));
  TInAddr In;
  std::memcpy(&In.S_addr, FRcvBuf + 4, 4);
  FBoundAddr = WSocket_inet_ntoa(In);
  FSocksState = socksData;
  FSocksRcvdPtr = 8;
  FSocksRcvdCnt = FRcvCnt - 8;
  TCustomWSocket::TriggerSessionConnected(0);
  if (FSocksRcvdCnt > 0) {
    TriggerDataAvailable(0);
  }
}

void TCustomSocksWSocket::DataAvailableSocks5() {
  switch (FSocksState) {
    case socksNegociateMethods: {
      if (FRcvCnt < 2) {
        return;
      }
      if (FRcvBuf[0] != 5) {
        SocksError(20002, "socks version error");
        return;
      }
      if (FRcvBuf[1] == 0) {
        if (FSocksAuthentication == socksAuthenticateUsercode) {
          TriggerSocksAuthState(socksAuthNotRequired);
        }
        SocksDoConnect();
      } else if (FRcvBuf[1] == 2) {
        TriggerSocksAuthState(socksAuthStart);
        SocksDoAuthenticate();
      } else {
        SocksError(20003, "authentification method not acceptable");
      }
      return;
    }
    case socksAuthenticate: {
      if (FRcvCnt < 2) {
        return;
      }
      if (FRcvCnt > 2) {
        SocksError(20001, "too much data availaible");
        return;
      }
      if (FRcvBuf[0] != 1) {
        SocksError(20002, "socks version error");
        return;
      }
      if (FRcvBuf[1] != 0) {
        SocksError(20015, "socks authentication failed");
        return;
      }
      TriggerSocksAuthState(socksAuthSuccess);
      SocksDoConnect();
      return;
    }
    case socksConnect: {
      if (FRcvCnt < 2) {
        return;
      }
      if (FRcvBuf[0] != 5) {
        SocksError(20002, "socks version error");
        return;
      }
      if (FRcvBuf[1] != 0) {
        std::string Msg;
        int Code = Socks5ErrorCode(FRcvBuf[1], Msg);
        SocksError(Code, Msg);
        return;
      }
      if (FRcvCnt < 5) {
        return;
      }
      int Need = 0;
      if (FRcvBuf[3] == 1) {
        Need = 10;
      } else if (FRcvBuf[3] == 3) {
        Need = 7 + FRcvBuf[4];
      } else {
        SocksError(20011, "address type not supported");
        return;
      }
      if (FRcvCnt < Need) {
        return;
      }
      if (FRcvBuf[3] == 1) {
        TInAddr In;
        std::memcpy(&In.S_addr, FRcvBuf + 4, 4);
        FBoundAddr = WSocket_inet_ntoa(In);
      } else {
        FBoundAddr.assign(reinterpret_cast<const char*>(FRcvBuf + 5), FRcvBuf[4]);
      }
      std::uint16_t Port = 0;
      std::memcpy(&Port, FRcvBuf + Need - 2, 2);
      FBoundPort = IntToStr(WSocket_ntohs(Port));
      FSocksState = socksData;
      FSocksRcvdPtr = Need;
      FSocksRcvdCnt = FRcvCnt - Need;
      TCustomWSocket::TriggerSessionConnected(0);
      if (FSocksRcvdCnt > 0) {
        TriggerDataAvailable(0);
      }
      return;
    }
    default: return;
  }
}

// ==== Line mode ==================================================================================================

TCustomLineWSocket::TCustomLineWSocket(TComponent* AOwner) : TCustomSocksWSocket(AOwner) {}

void TCustomLineWSocket::SetLineMode(bool Value) {
  if (FLineMode == Value) {
    return;
  }
  FLineMode = Value;
  if (FRcvdCnt > 0 || FLineLength > 0) {
    PostMessage(FWindowHandle, WM_TRIGGER_DATA_AVAILABLE, 0, 0);
  }
}

void TCustomLineWSocket::WndProc(TMessage& MsgRec) {
  if (MsgRec.Msg != WM_TRIGGER_DATA_AVAILABLE) {
    TCustomSocksWSocket::WndProc(MsgRec);
    return;
  }
  try {
    if (FLineMode) {
      DeliverLines(false);
    } else {
      // Line mode was switched off with data buffered: hand it out as plain data until the buffer is empty.
      while (FRcvdCnt > 0 && OnDataAvailable) {
        int Before = FRcvdCnt;
        FLineLength = FRcvdCnt;
        TCustomWSocket::TriggerDataAvailable(0);
        if (FRcvdCnt == Before) {
          break;
        }
      }
      FLineLength = 0;
    }
  } catch (const Exception& E) {
    HandleBackGroundException(E);
  }
}

void TCustomLineWSocket::TriggerLineLimitExceeded(int Cnt, bool& ClearData) {
  if (OnLineLimitExceeded) {
    OnLineLimitExceeded(this, Cnt, ClearData);
  }
}

void TCustomLineWSocket::EditLine(int& Len) {
  // The new bytes sit behind the buffered ones; edit them into place.
  std::string Echo;
  int Dst = FRcvdCnt;
  for (int I = 0; I < Len; ++I) {
    char C = FRcvdPtr[static_cast<std::size_t>(FRcvdCnt + I)];
    if (C == '\b') {
      if (Dst > 0) {
        --Dst;
        Echo += "\b \b";
      }
    } else if (C == '\t') {
      do {
        if (static_cast<std::size_t>(Dst + 1) >= FRcvdPtr.size()) {
          FRcvdPtr.resize(FRcvdPtr.size() * 2 + 16);
        }
        FRcvdPtr[static_cast<std::size_t>(Dst++)] = ' ';
        Echo += ' ';
      } while (Dst % 8 != 0);
    } else {
      FRcvdPtr[static_cast<std::size_t>(Dst++)] = C;
      Echo += C;
    }
  }
  Len = Dst - FRcvdCnt;
  if (FLineEcho && !Echo.empty() && FState == wsConnected) {
    TCustomWSocket::Send(Echo.data(), static_cast<int>(Echo.size()));
  }
}

bool TCustomLineWSocket::TriggerDataAvailable(Word Error) {
  if (!LineActive()) {
    return TCustomSocksWSocket::TriggerDataAvailable(Error);
  }
  int Cnt = TCustomSocksWSocket::GetRcvdCount();
  if (Cnt < 0) {
    return true;
  }
  if (Cnt == 0) {
    Cnt = 255;
  }
  std::size_t Need = static_cast<std::size_t>(FRcvdCnt + Cnt + 1);
  if (FRcvdPtr.size() < Need) {
    FRcvdPtr.resize(std::max(Need, FRcvdPtr.size() * 2));
  }
  int Len = TCustomSocksWSocket::DoRecv(FRcvdPtr.data() + FRcvdCnt, Cnt, 0);
  if (Len < 0) {
    FLastError = WSocket_WSAGetLastError();
    return true;
  }
  if (Len == 0) {
    return true;
  }
  FReadCount += Len;
  if (FLineEdit) {
    EditLine(Len);
  } else if (FLineEcho && FState == wsConnected) {
    TCustomWSocket::Send(FRcvdPtr.data() + FRcvdCnt, Len);
  }
  FRcvdCnt += Len;
  FRcvdPtr[static_cast<std::size_t>(FRcvdCnt)] = '\0';
  DeliverLines(false);
  return true;
}

void TCustomLineWSocket::DeliverLines(bool Last) {
  for (;;) {
    if (FRcvdCnt <= 0) {
      return;
    }
    const char* Begin = FRcvdPtr.data();
    const char* End = Begin + FRcvdCnt;
    const char* Found = std::search(Begin, End, FLineEnd.begin(), FLineEnd.end());
    if (Found == End) {
      if (FLineLimit > 0 && FRcvdCnt > FLineLimit) {
        bool ClearData = true;
        TriggerLineLimitExceeded(FRcvdCnt, ClearData);
        if (ClearData) {
          FRcvdCnt = 0;
          FLineClearData = true;
          return;
        }
      }
      if (!Last) {
        return;
      }
      FLineLength = FRcvdCnt;  // the connection ends: the rest is the last line
    } else {
      FLineLength = static_cast<int>(Found - Begin) + static_cast<int>(FLineEnd.size());
    }
    FLineReceivedFlag = true;
    if (!OnDataAvailable) {
      // Nobody reads lines: drop it.
      std::memmove(FRcvdPtr.data(), FRcvdPtr.data() + FLineLength, static_cast<std::size_t>(FRcvdCnt - FLineLength));
      FRcvdCnt -= FLineLength;
      FLineLength = 0;
      continue;
    }
    while (FLineLength > 0 && OnDataAvailable) {
      int Before = FLineLength;
      TCustomSocksWSocket::TriggerDataAvailable(0);
      if (FLineLength == Before) {
        break;
      }
    }
    if (FLineLength > 0) {
      FLineLength = 0;  // an unread rest stays in front of the buffer
      return;
    }
    if (Last) {
      return;
    }
  }
}

int TCustomLineWSocket::DoRecv(void* Buffer, int BufferSize, int Flags) {
  if (FLineLength <= 0) {
    return TCustomSocksWSocket::DoRecv(Buffer, BufferSize, Flags);
  }
  // Read from the current line, never past it.
  int N = std::min(BufferSize, FLineLength);
  std::memcpy(Buffer, FRcvdPtr.data(), static_cast<std::size_t>(std::max(N, 0)));
  if (!(Flags & MSG_PEEK) && N > 0) {
    std::memmove(FRcvdPtr.data(), FRcvdPtr.data() + N, static_cast<std::size_t>(FRcvdCnt - N));
    FRcvdCnt -= N;
    FLineLength -= N;
  }
  FRcvdFlag = N >= BufferSize;
  return N;
}

int TCustomLineWSocket::GetRcvdCount() {
  if (FLineLength > 0) {
    return FLineLength;
  }
  return TCustomSocksWSocket::GetRcvdCount();
}

void TCustomLineWSocket::TriggerSessionClosed(Word Error) {
  if (FLineMode && FRcvdCnt > 0 && !FLineClearData) {
    try {
      DeliverLines(true);
    } catch (const std::exception&) {
    }
  }
  FRcvdPtr.clear();
  FRcvdPtr.shrink_to_fit();
  FRcvdCnt = 0;
  FLineLength = 0;
  FLineClearData = false;
  TCustomSocksWSocket::TriggerSessionClosed(Error);
}

// ==== Waiting for a line =========================================================================================

TCustomSyncWSocket::TCustomSyncWSocket(TComponent* AOwner) : TCustomLineWSocket(AOwner) {}

int TCustomSyncWSocket::WaitUntilReady(bool& DoneFlag) {
  FTimeStop = GetTickCount() + static_cast<DWORD>(FTimeout);
  while (!DoneFlag) {
    if (static_cast<int>(FTimeStop - GetTickCount()) <= 0 || FTerminated || FState != wsConnected) {
      return 12001;
    }
    MessagePump();
    if (!DoneFlag) {
      Sleep(1);
    }
  }
  return 0;
}

int TCustomSyncWSocket::Synchronize(const std::function<void()>& Proc, std::string& DataBuffer,
                                    bool& OldDataAvailable) {
  (void)DataBuffer;
  (void)OldDataAvailable;
  if (Proc) {
    Proc();
  }
  return WaitUntilReady(FLineReceivedReady);
}

void TCustomSyncWSocket::ReadLine(int Timeout, std::string& Buffer) {
  Buffer.clear();
  if (FState != wsConnected) {
    RaiseException("ReadLine failed: not connected");
    return;
  }
  FTimeout = Timeout == 0 ? 60000 : Timeout < 0 ? -Timeout : Timeout * 1000;
  TDataAvailable OldHandler = OnDataAvailable;
  bool OldLineMode = FLineMode;
  FLinePointer = &Buffer;
  FLineReceivedReady = false;
  OnDataAvailable = [this](TObject*, Word) {
    char Buf[1024];
    for (;;) {
      int N = Receive(Buf, sizeof Buf);
      if (N <= 0) {
        break;
      }
      FLinePointer->append(Buf, static_cast<std::size_t>(N));
      if (FLineLength <= 0) {
        break;
      }
    }
    FLineReceivedReady = true;
  };
  bool Unused = false;
  int Result = Synchronize([this] { SetLineMode(true); }, Buffer, Unused);
  if (Result == 12001 && FRcvdCnt > 0) {
    Buffer.append(FRcvdPtr.data(), static_cast<std::size_t>(FRcvdCnt));
    FRcvdCnt = 0;
  }
  OnDataAvailable = OldHandler;
  FLinePointer = nullptr;
  SetLineMode(OldLineMode);
}

TWSocket::TWSocket(TComponent* AOwner) : TCustomSyncWSocket(AOwner) {}

TSocksWSocket::TSocksWSocket(TComponent* AOwner) : TWSocket(AOwner) {}
