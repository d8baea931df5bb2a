// The update check: the request, the transfer with its wait window, the reply's commands and the last check day.
#include "core/Updatecheck.h"

#include "core/Ekregistryex.h"
#include "core/Fileinfoextraclass.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Validatorlib.h"

#include "net/Httpprot.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

const std::string ControlKey = std::string(SETTINGS_ROOT) + "\\Control";
const char LastUpdateCheckValue[] = "LastUpdateCheck";

// The wait window's own texts.
const char WaitCaption[] = "ZUB Quillon: Checking for Updates";
const char WaitText[] = "Checking for updates, please wait...";

const char InfoPrefix[] = "DISPLAYINFOMESSAGE=";
const char ErrorPrefix[] = "DISPLAYERRORMESSAGE=";
const char QuestionPrefix[] = "DISPLAYQUESTIONMESSAGE=";
const char GotoPrefix[] = "GOTOURL=";

// True when Line starts with Prefix, ignoring letter case; Rest is what follows.
bool TakePrefix(const std::string& Line, const char* Prefix, std::string& Rest) {
  const std::string_view P(Prefix);
  if (Line.size() < P.size() || !SameText(std::string_view(Line).substr(0, P.size()), P)) {
    return false;
  }
  Rest = Line.substr(P.size());
  return true;
}

// Only web pages are opened: the reply comes over plain HTTP and anyone on the way could forge it, and handing a
// program file to the desktop's opener starts it.
bool IsWebAddress(const std::string& Address) {
  const std::string Lower = LowerCase(Address);
  const bool Http = Lower.starts_with("http://") && Lower.size() > 7;
  const bool Https = Lower.starts_with("https://") && Lower.size() > 8;
  return (Http || Https) && Address.find_first_of(" \t\r\n\"") == std::string::npos;
}

void OpenAddress(HWND Window, const std::string& Address) {
  if (ZUBCalls.ZUBDisplayHelp != nullptr) {
    (void)ZUBCalls.ZUBDisplayHelp(Window, HELP_DISPLAY_ID, Address.c_str(), 0);  // the engine reports its own
    return;
  }
  // Without the engine the desktop opens the page itself.
  (void)ShellExecute(Window, "open", Address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

int Box(HWND Window, const std::string& Text, const char* Caption, UINT Type) {
  return MessageBox(Window, Text.c_str(), Caption, Type | MB_SETFOREGROUND);
}

// The server's scheme, host and port.
std::string UpdateServer() {
  const char* Override = std::getenv(UPDATE_SERVER_VARIABLE);
  std::string Server = Override != nullptr && *Override != '\0' ? Override : UPDATE_SERVER;
  while (!Server.empty() && Server.back() == '/') {
    Server.pop_back();
  }
  return Server;
}

std::vector<std::string> SplitReply(const std::string& Text) {
  std::vector<std::string> Lines;
  std::size_t At = 0;
  while (At < Text.size()) {
    std::size_t End = Text.find_first_of("\r\n", At);
    if (End == std::string::npos) {
      End = Text.size();
    }
    Lines.push_back(Text.substr(At, End - At));
    At = End;
    if (At < Text.size() && Text[At] == '\r') {
      ++At;
    }
    if (At < Text.size() && Text[At] == '\n') {
      ++At;
    }
  }
  return Lines;
}

void StoreTodayAsLastCheck() {
  const int Today = TodaysDayNumber();
  if (prg != nullptr && prg->volatileState != nullptr) {
    prg->volatileState->lastUpdateCheckDay = Today;
  }
  // A store that cannot be written keeps the old day: the check is then only offered again at the next start.
  EkRegistryEx Reg(0);
  Reg.SetRootKey(HKEY_CURRENT_USER);
  if (Reg.OpenKeyEx(ControlKey, true) != 0 && Reg.CurrentKey() != 0) {
    (void)Reg.WriteIntegerEx(LastUpdateCheckValue, Today);
  }
}

}  // namespace

int ReadLastUpdateCheck(int Flags) {
  if ((Flags & LASTUPDATECHECK_READ) == 0) {
    return 0;
  }
  int Day =
      prg != nullptr && prg->volatileState != nullptr ? prg->volatileState->lastUpdateCheckDay : TodaysDayNumber();
  EkRegistryEx Reg(EKREG_USE_FALLBACK);
  Reg.SetRootKey(HKEY_CURRENT_USER);
  if (Reg.OpenKeyEx(ControlKey, true) == 0 || Reg.CurrentKey() == 0) {
    return -1;
  }
  // A missing value is written back with the current day; a value that cannot be written makes the read fail.
  if (!Reg.ValueExists(LastUpdateCheckValue) && !Reg.WriteIntegerEx(LastUpdateCheckValue, Day)) {
    return -1;
  }
  (void)Reg.ReadIntegerEx(LastUpdateCheckValue, Day);  // always 1
  return Day;
}

std::string UpdateCheckAddress(int Flags) {
  const char* ConfigVersion =
      prg != nullptr && prg->volatileState != nullptr ? prg->volatileState->engineConfigFileName.text : "";
  std::string Address = UpdateServer() + UPDATE_SCRIPT;
  Address += std::string("?version=") + UrlEncode(UPDATE_VERSION).text;
  Address += std::string("&configversion=") + UrlEncode(ConfigVersion != nullptr ? ConfigVersion : "").text;
  Address += "&flags=" + std::to_string(Flags);
  Address += std::string("&force=") + ((Flags & UPDATECHECK_FORCE) != 0 ? "1" : "0");
  return Address;
}

int CarryOutUpdateReply(const std::vector<std::string>& Lines, HWND Window) {
  int Done = 0;
  for (std::size_t I = 0; I < Lines.size(); ++I) {
    std::string Argument;
    if (TakePrefix(Lines[I], InfoPrefix, Argument)) {
      (void)Box(Window, Argument, "Quillon: Update Check Information Message", MB_OK | MB_ICONINFORMATION);
    } else if (TakePrefix(Lines[I], ErrorPrefix, Argument)) {
      (void)Box(Window, Argument, "Quillon: Update Check Error Message", MB_OK | MB_ICONERROR);
    } else if (TakePrefix(Lines[I], QuestionPrefix, Argument)) {
      if (Box(Window, Argument, "Quillon: Update Check Question", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        ++I;  // No skips the line the question asked about
      }
    } else if (TakePrefix(Lines[I], GotoPrefix, Argument)) {
      if (!IsWebAddress(Argument)) {
        continue;
      }
      OpenAddress(Window, Argument);
    } else {
      continue;
    }
    ++Done;
  }
  return Done;
}

int CheckForUpdate(HWND Window, int Flags) {
  if ((Flags & UPDATECHECK_NO_QUESTION) == 0 &&
      Box(Window,
          "This feature requires a connection to Palvane' server in order to receive any update information about "
          "the version of ZUB Quillon Professional that you are using. You must be connected to the Internet in "
          "order for this feature to work. Do you want to continue?",
          "Quillon: Continue With The Update Check?", MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return 1;
  }
  MainWindow().ShowWaitWindow(WaitCaption, WaitText);
  THttpCli Client(nullptr);
  if (prg != nullptr && prg->volatileState != nullptr) {
    (void)prg->volatileState->networkConfig.ApplyToHttpClient(&Client);  // always 0
  }
  Client.URL = UpdateCheckAddress(Flags);
  Client.Agent = UPDATE_AGENT;
  // The reply is kept in memory rather than in a file of the shared temporary folder, which a second instance
  // checking at the same time would overwrite.
  TMemoryStream Reply;
  Client.RcvdStream = &Reply;
  bool Failed = false;
  try {
    Client.Get();
  } catch (const Exception&) {
    Failed = true;
  }
  Client.RcvdStream = nullptr;
  MainWindow().HideWaitWindow();
  if (Failed || Client.StatusCode() > 399 || Client.StatusCode() <= 0) {
    (void)Box(Window,
              "Failed: " + std::to_string(Client.StatusCode()) + " " + Client.ReasonPhrase() +
                  "\n\nYou may want to try again later and/or check your network connection and proxy settings.",
              "Quillon: Update Check Failed", MB_OK | MB_ICONERROR);
    return 1;
  }
  const std::string Text(static_cast<const char*>(Reply.Memory()), static_cast<std::size_t>(Reply.Size()));
  const std::vector<std::string> Lines = SplitReply(Text);
  if (!Lines.empty()) {
    StoreTodayAsLastCheck();
  }
  (void)CarryOutUpdateReply(Lines, Window);
  return 1;
}
