// The engine's link checker: registered links, the link cache by address, and the checking thread that reports
// its progress to a window.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace zubengine {

struct TLinkStatus {
  int Status = 1;  // 1 not checked, 2 good, 3 bad, 4 warning
  std::string Text;
  std::string Comment;
};

struct TLinkCheckSettings {
  bool CheckAll = false;           // also links already in the cache
  std::uintptr_t Window = 0;       // progress is posted here when not 0
  unsigned Message = 0;
  int TimeoutSeconds = 15;
  std::string Proxy;               // host:port, empty for none
  std::string ProxyUser, ProxyPassword;
};

// Registration and the cache (thread-safe).
int LinkRegister(const std::string& Address);            // the link's id (from 1); negative when refused
bool LinkSetText(int Id, int Which, const std::string& Text);  // 0 user name, 1 password, 2 user agent
int LinkState(int Id);                                   // status of a registered link; -1 unknown id
bool LinkReset(int Id);                                  // the link is checked again next time
bool LinkCacheLookup(const std::string& Address, TLinkStatus& Out);
void LinkCacheClear();
int LinkChecksRunning();

// Starts checking the registered links on a thread of its own; false when a check is already running.
// StopRequested is polled between links (and during transfers).
bool LinkCheckStart(const TLinkCheckSettings& Settings, std::function<bool()> StopRequested);
bool LinkCheckFinished();
// Waits for a running check to end (used at unload).
void LinkCheckJoin();

// One address checked at once (the thread's work; exposed for tests).
TLinkStatus CheckOneLink(const std::string& Address, const std::string& User, const std::string& Password,
                         const std::string& Agent, const TLinkCheckSettings& Settings,
                         const std::function<bool()>& StopRequested);

}  // namespace zubengine
