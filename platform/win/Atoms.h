// The global atom table: strings shared by number, with reference counts.
#pragma once

#include "platform/win/WinTypes.h"

// Integer atoms (MAKEINTATOM) are 1..0xBFFF and are their own value; string atoms are numbered from 0xC000.
// Names compare without regard to case and are at most 255 bytes. Adding an existing name counts a reference;
// deleting drops one, and the atom goes away with the last. Thread-safe.
inline LPCSTR MAKEINTATOM(WORD I) { return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(I)); }
ATOM GlobalAddAtom(LPCSTR String);
ATOM GlobalFindAtom(LPCSTR String);
ATOM GlobalDeleteAtom(ATOM Atom);  // 0 on success, the atom on failure
UINT GlobalGetAtomName(ATOM Atom, LPSTR Buffer, int Size);
// The process's local atoms behave the same in this layer.
ATOM AddAtom(LPCSTR String);
ATOM FindAtom(LPCSTR String);
ATOM DeleteAtom(ATOM Atom);
UINT GetAtomName(ATOM Atom, LPSTR Buffer, int Size);
