// The engine's state for the life of the loaded library, its handle table and the test switches.
#include "engine/EngineState.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zubengine {

namespace {

constexpr ZUBInt EngineVersion = 60100;
constexpr ZUBInt LastHandle = 0x7FFFFFF0;

// Made when the library is loaded, destroyed when it is unloaded (after the library's static objects: the link
// checker has stopped and waited for its thread by then).
TEngine* LiveEngine = nullptr;

__attribute__((constructor)) void CreateEngine() { LiveEngine = new TEngine; }

__attribute__((destructor)) void DestroyEngine() {
  TEngine* E = LiveEngine;
  LiveEngine = nullptr;
  delete E;
}

}  // namespace

TEngine::~TEngine() = default;

TEngine& Engine() { return *LiveEngine; }

bool EngineAlive() { return LiveEngine != nullptr; }

std::recursive_mutex& EngineLock() { return LiveEngine->Lock; }

ZUBInt AddHandle(std::unique_ptr<THandleObject> Object) {
  auto& E = Engine();
  for (;;) {
    const ZUBInt H = E.NextHandle;
    E.NextHandle = E.NextHandle >= LastHandle ? 1 : E.NextHandle + 1;
    if (!E.Handles.count(H)) {
      E.Handles.emplace(H, std::move(Object));
      return H;
    }
  }
}

namespace {

// The test switches: the engine's variables of the environment, read when the library is loaded. A test that
// changes the environment between calls is seen without reading it again: setenv, unsetenv and putenv add an
// entry at the end of the list (a new last entry, often a new list), put a new text in the place of the one they
// replace, and close up the list behind one they take out, so that an unchanged list, an unchanged last entry
// and unchanged engine entries at their places mean unchanged switches. Every entry point pays a few word
// compares, not a walk over the whole environment.
struct TSwitches {
  std::mutex Lock;
  bool Read = false;
  char** List = nullptr;                                     // the environment's list when the switches were read
  std::size_t Count = 0;                                     // its entries
  const char* Last = nullptr;                                // its last entry
  std::vector<std::pair<std::size_t, const char*>> Entries;  // the engine's entries and their places
  std::unordered_map<std::string, std::string> Values;
  std::vector<std::string> Failing;  // the entry points named in ZUBQ_ENGINE_FAIL
};

constexpr std::string_view SwitchPrefix = "ZUBQ_ENGINE_";

TSwitches& Switches() {
  static TSwitches S;
  return S;
}

bool EnvironmentUnchanged(const TSwitches& S) {
  char** const List = environ;
  if (!S.Read || List != S.List) {
    return false;
  }
  if (!List) {
    return true;
  }
  // The last entry first: a list that became shorter has its end there, so nothing past its end is read.
  if (S.Count > 0 && List[S.Count - 1] != S.Last) {
    return false;
  }
  if (List[S.Count] != nullptr) {
    return false;
  }
  for (const auto& [Place, Entry] : S.Entries) {
    if (List[Place] != Entry) {
      return false;
    }
  }
  return true;
}

// Reads the switches again when the environment is not the one they were read from; the caller holds the lock.
void RefreshSwitches(TSwitches& S) {
  if (EnvironmentUnchanged(S)) {
    return;
  }
  S.Read = true;
  S.List = environ;
  S.Count = 0;
  S.Last = nullptr;
  S.Entries.clear();
  S.Values.clear();
  S.Failing.clear();
  for (char** E = environ; E && *E; ++E, ++S.Count) {
    S.Last = *E;
    const std::string_view Entry(*E);
    const std::size_t Equals = Entry.find('=');
    if (Equals != std::string_view::npos && Entry.substr(0, SwitchPrefix.size()) == SwitchPrefix) {
      S.Entries.emplace_back(S.Count, *E);
      S.Values.emplace(std::string(Entry.substr(0, Equals)), std::string(Entry.substr(Equals + 1)));
    }
  }
  const auto Fail = S.Values.find("ZUBQ_ENGINE_FAIL");
  if (Fail != S.Values.end()) {
    const std::string_view List(Fail->second);
    std::size_t Pos = 0;
    while (Pos <= List.size()) {
      std::size_t Comma = List.find(',', Pos);
      if (Comma == std::string_view::npos) {
        Comma = List.size();
      }
      S.Failing.emplace_back(List.substr(Pos, Comma - Pos));
      Pos = Comma + 1;
    }
  }
}

__attribute__((constructor)) void ReadSwitches() {
  TSwitches& S = Switches();
  std::lock_guard<std::mutex> G(S.Lock);
  RefreshSwitches(S);
}

}  // namespace

bool FailSwitch(const char* EntryPoint) {
  TSwitches& S = Switches();
  std::lock_guard<std::mutex> G(S.Lock);
  RefreshSwitches(S);
  for (const std::string& Name : S.Failing) {
    if (Name == EntryPoint) {
      return true;
    }
  }
  return false;
}

bool EnvText(const char* Name, std::string& Out) {
  TSwitches& S = Switches();
  std::lock_guard<std::mutex> G(S.Lock);
  RefreshSwitches(S);
  const auto It = S.Values.find(Name);
  if (It == S.Values.end() || It->second.empty()) {
    return false;
  }
  Out = It->second;
  return true;
}

bool EnvInt(const char* Name, long& Out) {
  std::string V;
  if (!EnvText(Name, V)) {
    return false;
  }
  char* End = nullptr;
  Out = std::strtol(V.c_str(), &End, 10);
  return End && *End == 0;
}

ZUBInt Version() {
  long V = 0;
  return EnvInt("ZUBQ_ENGINE_VERSION", V) ? static_cast<ZUBInt>(V) : EngineVersion;
}

}  // namespace zubengine
