// The atom tables and registered window messages.
#include "platform/win/Atoms.h"
#include "platform/win/WinUser.h"
#include "platform/rtl/SysUtils.h"

#include <cstring>
#include <map>
#include <mutex>

namespace {

constexpr std::size_t MaxAtomName = 255;

struct TAtomTable {
  struct TEntry {
    std::string Name;
    int Refs = 0;
    bool Pinned = false;  // registered window messages never go away
  };
  std::mutex Lock;
  std::map<ATOM, TEntry> ById;
  std::map<std::string, ATOM> ByName;  // upper-case name
  ATOM Next = 0xC000;

  ATOM Add(LPCSTR S, bool Pin) {
    if (!S) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    if (reinterpret_cast<std::uintptr_t>(S) < 0x10000) {
      auto I = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(S));
      if (I == 0 || I >= 0xC000) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
      }
      return I;
    }
    std::string Name(S);
    if (Name.empty() || Name.size() > MaxAtomName) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    // "#123" names the integer atom 123.
    if (Name[0] == '#') {
      int V = StrToIntDef(Name.substr(1), -1);
      if (V > 0 && V < 0xC000) {
        return static_cast<ATOM>(V);
      }
    }
    std::lock_guard G(Lock);
    std::string Key = UpperCase(Name);
    if (auto It = ByName.find(Key); It != ByName.end()) {
      auto& E = ById[It->second];
      ++E.Refs;
      E.Pinned = E.Pinned || Pin;
      return It->second;
    }
    if (ById.size() >= 0x3FFF) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    while (ById.count(Next)) {
      Next = Next == 0xFFFF ? 0xC000 : Next + 1;
    }
    ATOM A = Next;
    Next = Next == 0xFFFF ? 0xC000 : Next + 1;
    ById[A] = TEntry{Name, 1, Pin};
    ByName[Key] = A;
    return A;
  }

  ATOM FindName(LPCSTR S) {
    if (!S) {
      return 0;
    }
    if (reinterpret_cast<std::uintptr_t>(S) < 0x10000) {
      auto I = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(S));
      return I < 0xC000 ? I : 0;
    }
    std::lock_guard G(Lock);
    auto It = ByName.find(UpperCase(S));
    if (It == ByName.end()) {
      SetLastError(ERROR_FILE_NOT_FOUND);
      return 0;
    }
    return It->second;
  }

  ATOM Delete(ATOM A) {
    if (A != 0 && A < 0xC000) {
      return 0;  // integer atoms need no deleting
    }
    std::lock_guard G(Lock);
    auto It = ById.find(A);
    if (It == ById.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return A;
    }
    if (!It->second.Pinned && --It->second.Refs <= 0) {
      ByName.erase(UpperCase(It->second.Name));
      ById.erase(It);
    }
    return 0;
  }

  UINT Name(ATOM A, LPSTR Buffer, int Size) {
    if (!Buffer || Size <= 0) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    std::string S;
    if (A != 0 && A < 0xC000) {
      S = "#" + IntToStr(A);
    } else {
      std::lock_guard G(Lock);
      auto It = ById.find(A);
      if (It == ById.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
      }
      S = It->second.Name;
    }
    std::size_t N = std::min<std::size_t>(S.size(), static_cast<std::size_t>(Size - 1));
    std::memcpy(Buffer, S.data(), N);
    Buffer[N] = '\0';
    return static_cast<UINT>(N);
  }
};

TAtomTable& Global() {
  static auto* T = new TAtomTable;
  return *T;
}

TAtomTable& Local() {
  static auto* T = new TAtomTable;
  return *T;
}

}  // namespace

ATOM GlobalAddAtom(LPCSTR String) { return Global().Add(String, false); }
ATOM GlobalFindAtom(LPCSTR String) { return Global().FindName(String); }
ATOM GlobalDeleteAtom(ATOM Atom) { return Global().Delete(Atom); }
UINT GlobalGetAtomName(ATOM Atom, LPSTR Buffer, int Size) { return Global().Name(Atom, Buffer, Size); }
ATOM AddAtom(LPCSTR String) { return Local().Add(String, false); }
ATOM FindAtom(LPCSTR String) { return Local().FindName(String); }
ATOM DeleteAtom(ATOM Atom) { return Local().Delete(Atom); }
UINT GetAtomName(ATOM Atom, LPSTR Buffer, int Size) { return Local().Name(Atom, Buffer, Size); }

// Registered messages share the global atom numbering (0xC000..0xFFFF) and are never released.
UINT RegisterWindowMessage(LPCSTR String) {
  if (!String || reinterpret_cast<std::uintptr_t>(String) < 0x10000 || !*String) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return Global().Add(String, true);
}
