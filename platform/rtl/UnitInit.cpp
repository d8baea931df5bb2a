// The table of unit initialisations and finalisations.
#include "platform/rtl/UnitInit.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace {
struct TUnitEntry {
  int OrderKey = 0;
  const char* Name = "";
  TUnitProc Init = nullptr;
  TUnitProc Fini = nullptr;
};

struct TUnitTable {
  std::recursive_mutex Lock;
  std::vector<TUnitEntry> Units;
  std::vector<TUnitEntry> Initialized;  // in initialisation order
  bool Running = false;
};

TUnitTable& Table() {
  static TUnitTable T;
  return T;
}
}  // namespace

void RegisterUnit(int OrderKey, const char* Name, TUnitProc Init, TUnitProc Fini) {
  TUnitTable& T = Table();
  std::lock_guard<std::recursive_mutex> Guard(T.Lock);
  for (const TUnitEntry& E : T.Units) {
    if (std::strcmp(E.Name, Name) == 0) {
      return;
    }
  }
  const TUnitEntry Entry{OrderKey, Name, Init, Fini};
  auto Pos = std::upper_bound(T.Units.begin(), T.Units.end(), OrderKey,
                              [](int Key, const TUnitEntry& E) { return Key < E.OrderKey; });
  T.Units.insert(Pos, Entry);
  if (T.Running) {
    T.Initialized.push_back(Entry);
    if (Init != nullptr) {
      Init();
    }
  }
}

void InitializeUnits() {
  TUnitTable& T = Table();
  std::lock_guard<std::recursive_mutex> Guard(T.Lock);
  if (T.Running) {
    return;
  }
  T.Running = true;
  // Copied first: an initialisation may register further units.
  const std::vector<TUnitEntry> Units = T.Units;
  for (const TUnitEntry& E : Units) {
    T.Initialized.push_back(E);
    if (E.Init != nullptr) {
      E.Init();
    }
  }
}

void FinalizeUnits() {
  TUnitTable& T = Table();
  std::lock_guard<std::recursive_mutex> Guard(T.Lock);
  if (!T.Running) {
    return;
  }
  while (!T.Initialized.empty()) {
    const TUnitEntry E = T.Initialized.back();
    T.Initialized.pop_back();
    if (E.Fini != nullptr) {
      E.Fini();
    }
  }
  T.Running = false;
}

bool UnitsInitialized() {
  TUnitTable& T = Table();
  std::lock_guard<std::recursive_mutex> Guard(T.Lock);
  return T.Running;
}
