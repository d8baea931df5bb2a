// The engine's state: the handle table, the engine-global settings and texts, the checker's worker, and the
// guard every entry point runs in.
#pragma once

#include "engine/CheckerClient.h"
#include "engine/EngineHandles.h"
#include "engine/MessageCatalogue.h"

#include "platform/rtl/Assert.h"
#include "platform/win/WinTypes.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace zubengine {

// One per loaded library: made when the library is loaded and destroyed when it is unloaded (or the process
// ends), so a library loaded again starts from a fresh engine.
struct TEngine {
  TEngine() = default;
  ~TEngine();
  TEngine(const TEngine&) = delete;
  TEngine& operator=(const TEngine&) = delete;

  std::recursive_mutex Lock;
  std::unordered_map<ZUBInt, std::unique_ptr<THandleObject>> Handles;
  ZUBInt NextHandle = 1;
  std::atomic<std::uint32_t> GlobalFlags{0};  // ZUB_ENGINE_FLAGS
  ZUBSpellCallback Callback = nullptr;
  ZUBInt ValidateAllMark = 0;  // ZUB_VALIDATE_ALL_DONE
  // The message IDs the configuration editor lists.
  TMessageCatalogue Catalogue;
  // The engine's window that is open (its handle), so that a second request brings it forward.
  HWND OpenWindow = 0;
  // Engine-global texts: each lives until the next call of the entry point that handed it out.
  std::string VersionText;
  std::string LinkCacheText;
  // The HTML checker runs in a worker process of its own, ended with the engine.
  TCheckerClient Checker;
  // The joined lines of a validation job, kept from job to job so that a large page's memory is reused.
  std::string JobText;
  // The (emptied) line block of a job freed, handed to the next new job for the same reason.
  TJobLines SpareLines;
};

// The live engine; only valid inside an entry point (Guarded) or a thread the engine waits for at unload.
TEngine& Engine();

template <class T>
T* Find(ZUBInt H) {
  auto& E = Engine();
  const auto It = E.Handles.find(H);
  if (It == E.Handles.end()) {
    return nullptr;
  }
  // A handle in the table always owns its object, and handles are positive.
  ZUBQ_ASSERT(H > 0 && It->second != nullptr);
  return dynamic_cast<T*>(It->second.get());
}

// Adds an object to the handle table; its new handle.
ZUBInt AddHandle(std::unique_ptr<THandleObject> Object);

// Test switches: the environment's ZUBQ_ENGINE_ variables, read when the library is loaded and read again only
// when the environment has changed since. FailSwitch: the entry point is named in ZUBQ_ENGINE_FAIL. EnvText and
// EnvInt: the variable is set, not empty (and a whole number); its value in Out.
bool FailSwitch(const char* EntryPoint);
bool EnvText(const char* Name, std::string& Out);
bool EnvInt(const char* Name, long& Out);
ZUBInt Version();

// Every entry point runs inside this: the engine's lock, and no exception leaves the library. A call made while
// the engine is not there (during unload) fails.
bool EngineAlive();
std::recursive_mutex& EngineLock();

template <class R, class Fn>
R Guarded(const char* Name, R Failure, Fn&& Body) {
  if (FailSwitch(Name) || !EngineAlive()) {
    return Failure;
  }
  try {
    std::lock_guard<std::recursive_mutex> G(EngineLock());
    return Body();
  } catch (...) {
    return Failure;
  }
}

}  // namespace zubengine
