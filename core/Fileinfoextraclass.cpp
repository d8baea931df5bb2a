// The web origin of a document, its "<FIEC>" block, the network settings and the synchronous download.
#include "core/Fileinfoextraclass.h"

#include "core/Errorreport.h"
#include "core/Filestore.h"
#include "core/Fileinfoclass.h"
#include "core/Mainwindowservices.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"

#include "net/Httpprot.h"
#include "platform/classes/Streams.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr const char MakerSite[] = "http://www.palvane.com/";
constexpr const char OpenFailedCaption[] = "Quillon: Open From The Web Failed";

THttpCli* ActiveClient = nullptr;
bool CancelRequested = false;

void ShowBox(const StrStore& Text, const char* Caption, int Flags) {
  if (MainWindowMessageBox* Box = GetMainWindowMessageBox()) {
    Box->ShowMessageBox(Text, StrStore(Caption), Flags);
  }
}

// Sets the wait window and the busy cursor for the length of a download.
class DownloadScope {
public:
  DownloadScope() {
    MainWindow().SetBusyCursor(true);
    MainWindow().ShowWaitWindow("Quillon: Opening...", "Downloading, please wait...");
  }
  ~DownloadScope() { End(); }
  // Hides the wait window before the download's messages are shown.
  void End() {
    if (Active) {
      Active = false;
      MainWindow().HideWaitWindow();
      MainWindow().SetBusyCursor(false);
    }
  }
  DownloadScope(const DownloadScope&) = delete;
  DownloadScope& operator=(const DownloadScope&) = delete;

private:
  bool Active = true;
};

// The value after "Key" when Line starts with it (case-sensitive).
bool KeyValue(const char* Line, const char* Key, const char** Value) {
  const std::size_t N = std::strlen(Key);
  if (std::strncmp(Line, Key, N) != 0) {
    return false;
  }
  *Value = Line + N;
  return true;
}

}  // namespace

StrStore GetDefaultUserAgent(int Flags) {
  StrStore Agent;
  if ((Flags & 1) == 0) {
    return Agent;
  }
  Agent.append((Flags & 2) != 0 ? "ZUB Quillon Professional (" : "ZUB Quillon Pro 6.01 (").append(MakerSite);
  Agent.append(")");
  return Agent;
}

// ---- network settings -------------------------------------------------------------------------------------------

int NetworkConfigClass::LoadFromEngine(int Flags) {
  volatileclass* Vol = EngineOwnerState();
  const int Config = Vol != nullptr ? Vol->configHandle : -1;
  if (Config >= 0 && ZUBCalls.ZUBGetIntegerEZ != nullptr && ZUBCalls.ZUBGetString != nullptr) {
    proxyFlags = static_cast<std::uint32_t>(ZUBCalls.ZUBGetIntegerEZ(Config, ZUB_CONFIG_PROXY_FLAGS));
    struct {
      StrStore* Member;
      int Id;
    } const Texts[] = {{&proxyHost, ZUB_CONFIG_PROXY_HOST},
                       {&proxyPort, ZUB_CONFIG_PROXY_PORT},
                       {&proxyUserName, ZUB_CONFIG_PROXY_USER},
                       {&proxyPassword, ZUB_CONFIG_PROXY_PASSWORD}};
    for (const auto& T : Texts) {
      const char* Value = ZUBCalls.ZUBGetString(Config, T.Id);
      *T.Member = Value != nullptr ? Value : "";
    }
  }
  if ((Flags & 1) != 0) {
    userAgent = GetDefaultUserAgent(1);
  } else if ((Flags & 2) != 0) {
    userAgent = "ZUB Quillon Update Check";
  }
  return 0;
}

int NetworkConfigClass::ApplyToHttpClient(THttpCli* Client) const {
  if (Client == nullptr) {
    return NETCONFIG_NO_CLIENT;
  }
  Client->Agent = userAgent.text;
  const bool UseProxy = (proxyFlags & 1) != 0;
  Client->Proxy = UseProxy ? proxyHost.text : "";
  Client->ProxyPort = UseProxy ? proxyPort.text : "";
  Client->ProxyUsername = UseProxy ? proxyUserName.text : "";
  Client->ProxyPassword = UseProxy ? proxyPassword.text : "";
  return 0;
}

// ---- the record -------------------------------------------------------------------------------------------------

void fileinfoextraclass::CopyFrom(const fileinfoextraclass& Other) {
  address = Other.address;
  localFile = Other.localFile;
  userAgent = Other.userAgent;
  userName = Other.userName;
  password = Other.password;
  requestedAddress = Other.requestedAddress;
  redirectTarget = Other.redirectTarget;
  flags = Other.flags;
}

void fileinfoextraclass::TakeCredentials(const fileinfoextraclass& Other, int Bits) {
  if ((Bits & 1) != 0) {
    userAgent = Other.userAgent;
  }
  if ((Bits & 2) != 0) {
    userName = Other.userName;
    password = Other.password;
    flags |= WEBORIGIN_CREDENTIALS;
  }
}

const char* fileinfoextraclass::GetString(int Selector) const {
  const char* Result = nullptr;
  if ((Selector & 4) != 0) {
    Result = userName.text;
  }
  if ((Selector & 8) != 0) {
    Result = password.text;
  }
  if ((Selector & 0x10) != 0) {
    Result = address.text;
  }
  if ((Selector & 0x20) != 0) {
    Result = userAgent.text;
  }
  if ((Selector & 0x40) != 0) {
    Result = (flags & WEBORIGIN_REDIRECTED) != 0 && redirectTarget.length > 0 ? redirectTarget.text : address.text;
  }
  return Result;
}

int fileinfoextraclass::UsesCredentials(const fileinfoextraclass* Record, int Flags) {
  if (Record == nullptr || (Flags & 1) == 0) {
    return 0;
  }
  return (Record->flags & WEBORIGIN_CREDENTIALS) != 0 ? 1 : 0;
}

void fileinfoextraclass::SetUseCredentials(bool On, int Flags) {
  if ((Flags & 1) != 0) {
    flags = On ? (flags | WEBORIGIN_CREDENTIALS) : (flags & ~WEBORIGIN_CREDENTIALS);
  }
}

void fileinfoextraclass::ClearRedirect(int Flags) {
  (void)Flags;
  flags &= ~WEBORIGIN_REDIRECTED;
  redirectTarget.clear();
  requestedAddress.clear();
}

void fileinfoextraclass::OnLocationChange(TObject* Sender) {
  flags |= WEBORIGIN_REDIRECTED;
  auto* Client = dynamic_cast<THttpCli*>(Sender);
  redirectTarget = Client != nullptr ? Client->CurrentLocation().c_str() : "";
}

int fileinfoextraclass::GetFileType() const { return GetFileTypeByName(address.text, nullptr, 2); }

fileinfoextraclass* fileinfoextraclass::ReadFromFileStore(FileStore* File, int First, int* Next) {
  if (File == nullptr) {
    return nullptr;
  }
  auto Record = std::make_unique<fileinfoextraclass>();
  for (int I = First < 0 ? 0 : First; I < File->getLineCount(); ++I) {
    const char* Line = File->getLineText(I);
    if (Line == nullptr) {
      continue;
    }
    const char* Value = nullptr;
    if (std::strcmp(Line, "</FIEC>") == 0) {
      if (Next != nullptr) {
        *Next = I + 1;
      }
      return Record.release();
    }
    if (KeyValue(Line, "AGENT=", &Value)) {
      Record->userAgent = Value;
    } else if (KeyValue(Line, "FLAGS=", &Value)) {
      Record->flags = static_cast<std::uint32_t>(std::strtol(Value, nullptr, 10));
    } else if (KeyValue(Line, "PASSWORD=", &Value)) {
      Record->password = Value;
    } else if (KeyValue(Line, "URL=", &Value)) {
      Record->address = Value;
    } else if (KeyValue(Line, "USERNAME=", &Value)) {
      Record->userName = Value;
    }
  }
  return nullptr;
}

int fileinfoextraclass::WriteToFileStore(FileStore* File) const {
  if (File == nullptr) {
    return WEBORIGIN_NO_FILE;
  }
  auto Add = [File](const char* Key, const char* Value) {
    StrStore Line(Key);
    Line.append(Value);
    File->addLine(Line.text, 0);
  };
  File->addLine("<FIEC>", 0);
  File->addLine("VERSION=1", 0);
  if (userAgent.notEqualStore(GetDefaultUserAgent(1)) != 0) {
    Add("AGENT=", userAgent.text);
  }
  Add("FLAGS=", std::to_string(flags).c_str());
  if ((flags & WEBORIGIN_CREDENTIALS) != 0 && password.length > 0) {
    Add("PASSWORD=", password.text);
  }
  if (address.length > 0) {
    Add("URL=", address.text);
  }
  if (userName.length > 0) {
    Add("USERNAME=", userName.text);
  }
  File->addLine("</FIEC>", 0);
  return 0;
}

// ---- the download -----------------------------------------------------------------------------------------------

bool CancelActiveDownload() {
  if (ActiveClient == nullptr) {
    return false;
  }
  CancelRequested = true;
  ActiveClient->Abort();
  return true;
}

int fileinfoextraclass::Download(fileinfoextraclass* Record) {
  if (Record == nullptr) {
    return DOWNLOAD_NO_RECORD;
  }
  if (Record->address.startsWithNoCase("https") != 0) {
    ShowBox(StrStore("Cannot open an HTTPS link (not supported)."), OpenFailedCaption, MSGBOX_ERROR);
    return DOWNLOAD_REFUSED_SECURE;
  }
  if (ActiveClient != nullptr) {
    ShowBox(StrStore("Another document is being downloaded."), OpenFailedCaption, MSGBOX_ERROR);
    return DOWNLOAD_FAILED;
  }
  Record->ClearRedirect(1);
  Record->requestedAddress = Record->address;
  Record->requestedAddress.removeAnchor();
  StrStore Status("Opening ");
  Status.append(Record->requestedAddress.text).append(".");
  MainWindow().SetStatusText(Status);

  DownloadScope Scope;
  THttpCli Client(nullptr);
  NetworkConfigClass Network;
  Network.LoadFromEngine(1);
  Network.userAgent = Record->userAgent;
  Network.ApplyToHttpClient(&Client);
  Client.URL = Record->requestedAddress.text;
  Client.OnLocationChange = [Record](TObject* Sender) { Record->OnLocationChange(Sender); };
  if ((Record->flags & WEBORIGIN_CREDENTIALS) != 0) {
    Client.Username = Record->userName.text;
    Client.Password = Record->password.text;
  }

  std::unique_ptr<TFileStream> Local;
  try {
    Local = std::make_unique<TFileStream>(Record->localFile.text, fmCreate);
  } catch (...) {
    StrStore Message("Could not create \"");
    Message.append(Record->localFile.text).append("\".");
    ShowBox(Message, OpenFailedCaption, MSGBOX_ERROR);
    return DOWNLOAD_FAILED;
  }
  Client.RcvdStream = Local.get();
  ActiveClient = &Client;
  CancelRequested = false;
  bool Raised = false;
  try {
    Client.Get();
  } catch (...) {
    Raised = true;
  }
  ActiveClient = nullptr;
  Client.RcvdStream = nullptr;
  Local.reset();
  Scope.End();

  if (CancelRequested) {
    CancelRequested = false;
    ShowBox(StrStore("The download was cancelled."), OpenFailedCaption, MSGBOX_ERROR);
    return DOWNLOAD_FAILED;
  }
  if (Raised || Client.StatusCode() > 399 || Client.StatusCode() <= 0) {
    StrStore Message("Failed: ");
    Message.appendInt(Client.StatusCode()).appendChar(' ');
    Message.append(Client.ReasonPhrase().empty() ? "[no reason given]" : Client.ReasonPhrase().c_str());
    const int Code = Client.StatusCode();
    if (Code != 401 && Code != 403 && Code != 404) {
      Message.append("; You may want to check your network connection and proxy settings.");
    }
    ShowBox(Message, OpenFailedCaption, MSGBOX_ERROR);
    return DOWNLOAD_FAILED;
  }
  // A reply that announced its length and ended early is a broken download, not a document.
  if (Client.RcvdContentLength() >= 0 && Client.RcvdBodyCount() < Client.RcvdContentLength()) {
    StrStore Message("The download of \"");
    Message.append(Record->requestedAddress.text).append("\" ended early: ");
    Message.appendInt(Client.RcvdBodyCount()).append(" of ").appendInt(Client.RcvdContentLength());
    Message.append(" bytes were received.");
    ShowBox(Message, OpenFailedCaption, MSGBOX_ERROR);
    return DOWNLOAD_FAILED;
  }
  Record->contentType = Client.RcvdContentType().c_str();
  if (Record->redirectTarget.length > 0 && Record->redirectTarget.notEqualStore(Record->requestedAddress) != 0) {
    StrStore Message("The server redirected the request for \"");
    Message.append(Record->requestedAddress.text).append("\" to \"").append(Record->redirectTarget.text);
    Message.append("\".");
    ShowBox(Message, "Quillon: Redirected", MSGBOX_INFORMATION);
  }
  return DOWNLOAD_DONE;
}
