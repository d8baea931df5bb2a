// The engine's link checker.
#include "engine/LinkCheck.h"

#include "platform/win/Atoms.h"
#include "platform/win/WinUser.h"

#include <curl/curl.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace zubengine {

namespace {

struct TLink {
  std::string Address;
  std::string User, Password, Agent;
};

std::mutex Lock;  // guards everything below
std::vector<TLink> Links;
std::map<std::string, int> LinkIds;
std::map<std::string, TLinkStatus> Cache;
std::thread Worker;
std::atomic<bool> Running{false};
std::atomic<bool> Unloading{false};

// A check still running when the library is unloaded (or the process ends) is stopped and waited for first.
struct TUnloadGuard {
  ~TUnloadGuard() {
    Unloading = true;
    if (Worker.joinable()) {
      Worker.join();
    }
  }
} UnloadGuard;

const char* const DefaultAgent = "ZUB Validator Engine Link Checker/6.01";

std::string PercentDecode(const std::string& S) {
  std::string R;
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '%' && I + 2 < S.size() && std::isxdigit(static_cast<unsigned char>(S[I + 1])) &&
        std::isxdigit(static_cast<unsigned char>(S[I + 2]))) {
      R += static_cast<char>(std::stoi(S.substr(I + 1, 2), nullptr, 16));
      I += 2;
    } else {
      R += S[I];
    }
  }
  return R;
}

bool StartsWithNoCase(const std::string& S, const char* P) {
  for (std::size_t I = 0; P[I]; ++I) {
    if (I >= S.size() || std::tolower(static_cast<unsigned char>(S[I])) != P[I]) {
      return false;
    }
  }
  return true;
}

struct TTransfer {
  std::string StatusLine;
  const std::function<bool()>* Stop = nullptr;
};

size_t OnHeader(char* Data, size_t Size, size_t Count, void* User) {
  auto* T = static_cast<TTransfer*>(User);
  const std::string Line(Data, Size * Count);
  if (Line.rfind("HTTP/", 0) == 0) {
    std::string L = Line;
    while (!L.empty() && (L.back() == '\r' || L.back() == '\n')) {
      L.pop_back();
    }
    T->StatusLine = L;
  }
  return Size * Count;
}

size_t OnBody(char*, size_t, size_t, void*) { return 0; }  // the headers are enough: stop the body at once

int OnProgress(void* User, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* T = static_cast<TTransfer*>(User);
  return (T->Stop && *T->Stop && (*T->Stop)()) ? 1 : 0;
}

// One request; Code gets the HTTP status (0 when none), Reason the phrase, Location a redirect target.
CURLcode Request(const std::string& Url, bool Head, const std::string& User, const std::string& Password,
                 const std::string& Agent, const TLinkCheckSettings& S, const std::function<bool()>& Stop,
                 long& Code, std::string& Reason, std::string& Location) {
  CURL* C = curl_easy_init();
  if (!C) {
    return CURLE_FAILED_INIT;
  }
  TTransfer T;
  T.Stop = &Stop;
  curl_easy_setopt(C, CURLOPT_URL, Url.c_str());
  curl_easy_setopt(C, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(C, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(C, CURLOPT_TIMEOUT, static_cast<long>(S.TimeoutSeconds > 0 ? S.TimeoutSeconds : 15));
  curl_easy_setopt(C, CURLOPT_CONNECTTIMEOUT, static_cast<long>(S.TimeoutSeconds > 0 ? S.TimeoutSeconds : 15));
  curl_easy_setopt(C, CURLOPT_USERAGENT, Agent.empty() ? DefaultAgent : Agent.c_str());
  curl_easy_setopt(C, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(C, CURLOPT_HEADERDATA, &T);
  curl_easy_setopt(C, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(C, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(C, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(C, CURLOPT_XFERINFODATA, &T);
  if (Head) {
    curl_easy_setopt(C, CURLOPT_NOBODY, 1L);
  } else {
    curl_easy_setopt(C, CURLOPT_HTTPGET, 1L);
  }
  if (!User.empty()) {
    curl_easy_setopt(C, CURLOPT_USERNAME, User.c_str());
    curl_easy_setopt(C, CURLOPT_PASSWORD, Password.c_str());
  }
  if (!S.Proxy.empty()) {
    curl_easy_setopt(C, CURLOPT_PROXY, S.Proxy.c_str());
    if (!S.ProxyUser.empty()) {
      curl_easy_setopt(C, CURLOPT_PROXYUSERNAME, S.ProxyUser.c_str());
      curl_easy_setopt(C, CURLOPT_PROXYPASSWORD, S.ProxyPassword.c_str());
    }
  } else {
    curl_easy_setopt(C, CURLOPT_PROXY, "");  // no proxy from the environment either
  }
  CURLcode R = curl_easy_perform(C);
  Code = 0;
  curl_easy_getinfo(C, CURLINFO_RESPONSE_CODE, &Code);
  char* Redirect = nullptr;
  curl_easy_getinfo(C, CURLINFO_REDIRECT_URL, &Redirect);
  Location = Redirect ? Redirect : "";
  curl_easy_cleanup(C);
  // "HTTP/1.1 404 Not Found": the phrase follows the code.
  Reason.clear();
  const std::size_t Sp1 = T.StatusLine.find(' ');
  if (Sp1 != std::string::npos) {
    const std::size_t Sp2 = T.StatusLine.find(' ', Sp1 + 1);
    if (Sp2 != std::string::npos) {
      Reason = T.StatusLine.substr(Sp2 + 1);
    }
  }
  if (R == CURLE_WRITE_ERROR && Code > 0) {
    R = CURLE_OK;  // we stopped the body ourselves
  }
  return R;
}

TLinkStatus CheckWeb(const std::string& Address, const std::string& User, const std::string& Password,
                     const std::string& Agent, const TLinkCheckSettings& S, const std::function<bool()>& Stop) {
  std::string Url = Address;
  const std::size_t Hash = Url.find('#');
  if (Hash != std::string::npos) {
    Url.erase(Hash);
  }
  TLinkStatus First;
  bool Redirected = false;
  for (int Hop = 0; Hop <= 5; ++Hop) {
    long Code = 0;
    std::string Reason, Location;
    CURLcode R = Request(Url, true, User, Password, Agent, S, Stop, Code, Reason, Location);
    if (R != CURLE_OK || Code == 405 || Code == 501 || Code == 403 || Code == 400) {
      // Some servers answer HEAD badly: ask again with GET.
      R = Request(Url, false, User, Password, Agent, S, Stop, Code, Reason, Location);
    }
    if (R == CURLE_ABORTED_BY_CALLBACK) {
      return {1, "[not checked]", "The link check was stopped."};
    }
    if (R != CURLE_OK) {
      return {3, "Connection failed", curl_easy_strerror(R)};
    }
    const std::string Text = std::to_string(Code) + (Reason.empty() ? "" : " " + Reason);
    if (Code >= 300 && Code < 400 && !Location.empty()) {
      if (!Redirected) {
        First.Text = Text;
      }
      Redirected = true;
      Url = Location;
      continue;
    }
    if (Redirected) {
      if (Code >= 200 && Code < 300) {
        return {4, First.Text, "Redirected to " + Url};
      }
      return {3, Text, "Redirected to " + Url};
    }
    if (Code >= 200 && Code < 300) {
      return {2, Text, ""};
    }
    return {3, Text, ""};
  }
  return {3, First.Text, "Too many redirections (last: " + Url + ")"};
}

void PostProgress(const TLinkCheckSettings& S, int Percent) {
  if (S.Window == 0 || Unloading) {
    return;
  }
  const std::string Text = "-LinkCheckMessage " + std::to_string(Percent);
  const ATOM A = GlobalAddAtom(Text.c_str());
  if (A == 0) {
    return;
  }
  if (!PostMessage(static_cast<HWND>(S.Window), S.Message, 0, static_cast<LPARAM>(A))) {
    GlobalDeleteAtom(A);
  }
}

void Run(TLinkCheckSettings S, std::function<bool()> Stop) {
  std::vector<TLink> Todo;
  {
    std::lock_guard<std::mutex> G(Lock);
    for (const TLink& L : Links) {
      const auto It = Cache.find(L.Address);
      if (S.CheckAll || It == Cache.end() || It->second.Status == 1) {
        Todo.push_back(L);
      }
    }
  }
  int LastPercent = -1;
  for (std::size_t I = 0; I < Todo.size(); ++I) {
    if (Stop && Stop()) {
      break;
    }
    const TLink& L = Todo[I];
    TLinkStatus St = CheckOneLink(L.Address, L.User, L.Password, L.Agent, S, Stop);
    if (St.Status != 1) {
      std::lock_guard<std::mutex> G(Lock);
      Cache[L.Address] = St;
    }
    const int Percent = static_cast<int>((I + 1) * 100 / Todo.size());
    if (Percent != LastPercent && Percent < 100) {
      PostProgress(S, Percent);
      LastPercent = Percent;
    }
  }
  Running = false;
  PostProgress(S, 101);
}

}  // namespace

TLinkStatus CheckOneLink(const std::string& Address, const std::string& User, const std::string& Password,
                         const std::string& Agent, const TLinkCheckSettings& Settings,
                         const std::function<bool()>& StopRequested) {
  if (StartsWithNoCase(Address, "http://") || StartsWithNoCase(Address, "https://")) {
    return CheckWeb(Address, User, Password, Agent, Settings, StopRequested);
  }
  std::string Path;
  if (StartsWithNoCase(Address, "file://")) {
    Path = Address.substr(7);
    if (StartsWithNoCase(Path, "localhost/")) {
      Path.erase(0, 9);
    }
    Path = PercentDecode(Path);
  } else if (!Address.empty() && Address[0] == '/') {
    Path = Address;
  }
  if (!Path.empty()) {
    const std::size_t Hash = Path.find('#');
    if (Hash != std::string::npos) {
      Path.erase(Hash);
    }
    std::error_code Ec;
    if (std::filesystem::exists(Path, Ec)) {
      return {2, "OK", ""};
    }
    return {3, "File not found", ""};
  }
  const std::size_t Colon = Address.find(':');
  if (Colon != std::string::npos && Colon > 1 && Address[0] != '[') {
    return {4, "Not checked", "Links with the scheme \"" + Address.substr(0, Colon) + "\" are not checked."};
  }
  return {3, "Invalid address", "The address is not absolute."};
}

int LinkRegister(const std::string& Address) {
  if (Address.empty()) {
    return -1;
  }
  std::lock_guard<std::mutex> G(Lock);
  const auto It = LinkIds.find(Address);
  if (It != LinkIds.end()) {
    return It->second;
  }
  Links.push_back({Address, {}, {}, {}});
  const int Id = static_cast<int>(Links.size());
  LinkIds[Address] = Id;
  return Id;
}

bool LinkSetText(int Id, int Which, const std::string& Text) {
  std::lock_guard<std::mutex> G(Lock);
  if (Id < 1 || Id > static_cast<int>(Links.size())) {
    return false;
  }
  TLink& L = Links[static_cast<std::size_t>(Id - 1)];
  (Which == 0 ? L.User : Which == 1 ? L.Password : L.Agent) = Text;
  return true;
}

int LinkState(int Id) {
  std::lock_guard<std::mutex> G(Lock);
  if (Id < 1 || Id > static_cast<int>(Links.size())) {
    return -1;
  }
  const auto It = Cache.find(Links[static_cast<std::size_t>(Id - 1)].Address);
  return It == Cache.end() ? 1 : It->second.Status;
}

bool LinkReset(int Id) {
  std::lock_guard<std::mutex> G(Lock);
  if (Id < 1 || Id > static_cast<int>(Links.size())) {
    return false;
  }
  Cache.erase(Links[static_cast<std::size_t>(Id - 1)].Address);
  return true;
}

bool LinkCacheLookup(const std::string& Address, TLinkStatus& Out) {
  std::lock_guard<std::mutex> G(Lock);
  const auto It = Cache.find(Address);
  if (It == Cache.end()) {
    return false;
  }
  Out = It->second;
  return true;
}

void LinkCacheClear() {
  std::lock_guard<std::mutex> G(Lock);
  Cache.clear();
}

int LinkChecksRunning() { return Running ? 1 : 0; }

bool LinkCheckStart(const TLinkCheckSettings& Settings, std::function<bool()> StopRequested) {
  static std::once_flag CurlReady;
  std::call_once(CurlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  bool Expected = false;
  if (!Running.compare_exchange_strong(Expected, true)) {
    return false;
  }
  if (Worker.joinable()) {
    Worker.join();
  }
  std::function<bool()> Stop = [Asked = std::move(StopRequested)] { return Unloading || (Asked && Asked()); };
  Worker = std::thread(Run, Settings, std::move(Stop));
  return true;
}

bool LinkCheckFinished() { return !Running; }

void LinkCheckJoin() {
  if (Worker.joinable()) {
    Worker.join();
  }
}

}  // namespace zubengine
