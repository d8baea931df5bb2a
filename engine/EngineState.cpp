// The engine's state for the life of the loaded library, its handle table and the test switches.
#include "engine/EngineState.h"

#include <cstdlib>
#include <string_view>

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

bool FailSwitch(const char* EntryPoint) {
  const char* V = std::getenv("ZUBQ_ENGINE_FAIL");
  if (!V || !*V) {
    return false;
  }
  const std::string_view List(V);
  const std::string_view N(EntryPoint);
  std::size_t Pos = 0;
  while (Pos <= List.size()) {
    std::size_t Comma = List.find(',', Pos);
    if (Comma == std::string_view::npos) {
      Comma = List.size();
    }
    if (List.substr(Pos, Comma - Pos) == N) {
      return true;
    }
    Pos = Comma + 1;
  }
  return false;
}

bool EnvInt(const char* Name, long& Out) {
  const char* V = std::getenv(Name);
  if (!V || !*V) {
    return false;
  }
  char* End = nullptr;
  Out = std::strtol(V, &End, 10);
  return End && *End == 0;
}

ZUBInt Version() {
  long V = 0;
  return EnvInt("ZUBQ_ENGINE_VERSION", V) ? static_cast<ZUBInt>(V) : EngineVersion;
}

}  // namespace zubengine
