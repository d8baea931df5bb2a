// The key table, its lookup and the five built-in key schemes.
#include "editor/Easykeymap.h"

#include "editor/Easyeditor.h"
#include "platform/win/VirtualKeys.h"
#include <type_traits>

Z_IMPLEMENT_CLASS(TEasyKeyData, TObject)
Z_IMPLEMENT_CLASS(TEasyKeyList, TEasySortedList)

namespace {

int CompareKeys(Word K1, int S1, Word K2, int S2) {
  if (K1 != K2) {
    return K1 < K2 ? -1 : 1;
  }
  if (S1 != S2) {
    return S1 < S2 ? -1 : 1;
  }
  return 0;
}

}  // namespace

TEasyKeyList::TEasyKeyList() { Duplicates = dupAccept; }

// `delete` empties the list (through the base's BeforeDestruction) before this destructor runs; the entries are
// freed by Notify as they go. Clearing here covers a list torn down without `delete`.
TEasyKeyList::~TEasyKeyList() { ClearEntries(); }

void TEasyKeyList::Notify(Pointer Ptr, TListNotification Action) {
  if (Action == lnDeleted) {
    delete static_cast<TEasyKeyData*>(Ptr);
  }
  TEasySortedList::Notify(Ptr, Action);
}

int TEasyKeyList::Compare(void* Item1, void* Item2) {
  const auto* A = static_cast<const TEasyKeyData*>(Item1);
  const auto* B = static_cast<const TEasyKeyData*>(Item2);
  if (const int C = CompareKeys(A->Key, ShiftToInt(A->Shift), B->Key, ShiftToInt(B->Shift)); C != 0) {
    return C;
  }
  return A->State == B->State ? 0 : (A->State < B->State ? -1 : 1);
}

void TEasyKeyList::ClearEntries() { Clear(); }

TEasyKeyData* TEasyKeyList::RegisterKey(Word Key, TShiftState Shift, const TEasyKeyboardMethod& Proc, Byte Cmd,
                                        int State, int NewState) {
  auto* Data = new TEasyKeyData();
  Data->Key = Key;
  Data->Shift = Shift;
  Data->State = static_cast<std::int8_t>(State);
  Data->NewState = static_cast<std::int8_t>(NewState);
  Data->Proc = Proc;
  Data->Cmd = Cmd;
  int Index = 0;
  if (Find(Data, Index)) {
    Delete(Index);
  }
  Add(Data);
  return Data;
}

int TEasyKeyList::FindKeyIndex(Word Key, TShiftState Shift, int State) {
  const int S = ShiftToInt(Shift);
  // The first entry of (Key, Shift).
  int Lo = 0;
  int Hi = Count();
  while (Lo < Hi) {
    const int Mid = (Lo + Hi) / 2;
    const TEasyKeyData* E = Entry(Mid);
    if (CompareKeys(E->Key, ShiftToInt(E->Shift), Key, S) < 0) {
      Lo = Mid + 1;
    } else {
      Hi = Mid;
    }
  }
  int Found = -1;
  for (int I = Lo; I < Count(); ++I) {
    const TEasyKeyData* E = Entry(I);
    if (CompareKeys(E->Key, ShiftToInt(E->Shift), Key, S) != 0) {
      break;
    }
    if (E->State == -1 || (State >= 0 && E->State == State)) {
      Found = I;
    }
  }
  return Found;
}

TEasyKeyData* TEasyKeyList::FindKeyData(Word Key, TShiftState Shift, int State) {
  const int I = FindKeyIndex(Key, Shift, State);
  return I < 0 ? nullptr : Entry(I);
}

void TEasyKeyList::UnregisterKey(Word Key, TShiftState Shift, int State) {
  int I = FindKeyIndex(Key, Shift, State);
  if (I < 0) {
    return;
  }
  // Back to the first entry of the key and shift, then over all of them.
  while (I > 0 && Entry(I - 1)->Key == Key && Entry(I - 1)->Shift == Shift) {
    --I;
  }
  while (I < Count() && Entry(I)->Key == Key && Entry(I)->Shift == Shift) {
    TEasyKeyData* E = Entry(I);
    if (E->State == -1 || E->State == State) {
      Delete(I);
    } else {
      ++I;
    }
  }
}

// ---- the schemes ----

namespace {

using M = void (TCustomEasyEdit::*)(Byte);

const TShiftState None{};
const TShiftState Sh{ssShift};
const TShiftState Ct{ssCtrl};
const TShiftState Al{ssAlt};
const TShiftState CtSh{ssCtrl, ssShift};
const TShiftState AlSh{ssAlt, ssShift};
const TShiftState CtAl{ssCtrl, ssAlt};
const TShiftState CtAlSh{ssCtrl, ssAlt, ssShift};

// The virtual key of "[" on the keyboard layout, with the shift flags in the high byte as the platform's
// character-to-key translation gives it. The layer's keyboard is the US layout, where "[" needs no modifier.
Word BracketKeyCode() { return 219; }

// Registers the bindings of one scheme into the editor's table.
class TScheme {
public:
  explicit TScheme(TCustomEasyEdit* AEdit) : E(AEdit), L(AEdit->KeyList()) { L->ClearEntries(); }

  // Commands that take no code (templates, brackets, incremental search) ignore the binding's code.
  template <class F>
  TEasyKeyboardMethod P(F Method) const {
    TCustomEasyEdit* Edit = E;
    if constexpr (std::is_same_v<F, M>) {
      return [Edit, Method](Byte Cmd) { (Edit->*Method)(Cmd); };
    } else {
      return [Edit, Method](Byte) { (Edit->*Method)(); };
    }
  }
  void All(Word Key, TShiftState S, auto Method, Byte Cmd) { L->RegisterAllKey(Key, S, P(Method), Cmd); }
  void Simple(Word Key, TShiftState S, auto Method, Byte Cmd) { L->RegisterSimpleKey(Key, S, P(Method), Cmd); }
  void In(int State, Word Key, TShiftState S, auto Method, Byte Cmd, int NewState = 0) {
    L->RegisterKey(Key, S, P(Method), Cmd, State, NewState);
  }
  // A binding of a prefix state that works with or without Ctrl (or another modifier) held.
  void InBoth(int State, Word Key, TShiftState Held, auto Method, Byte Cmd) {
    In(State, Key, None, Method, Cmd);
    In(State, Key, Held, Method, Cmd);
  }
  void Prefix(Word Key, TShiftState S, int NewState, int State = 0) {
    L->RegisterKey(Key, S, TEasyKeyboardMethod(), 0, State, NewState);
  }

  void CommonCore(bool Classic, bool Prefixes) {
    const Word Arrows[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT};
    for (Byte I = 0; I < 6; ++I) {
      All(Arrows[I], None, &TCustomEasyEdit::Navigate, I);
    }
    Simple(VK_DELETE, None, &TCustomEasyEdit::DeleteStr, 3);
    Simple(VK_BACK, None, &TCustomEasyEdit::DeleteStr, 2);
    Simple(VK_BACK, Sh, &TCustomEasyEdit::DeleteStr, 2);
    Simple(VK_RETURN, None, &TCustomEasyEdit::ProcessKey, 16);
    Simple(VK_RETURN, Sh, &TCustomEasyEdit::ProcessKey, 16);
    Simple(VK_ESCAPE, None, &TCustomEasyEdit::ProcessKey, 17);
    Simple(VK_TAB, None, &TCustomEasyEdit::ProcessKey, 18);
    Simple(VK_TAB, Sh, &TCustomEasyEdit::ProcessKey, 19);
    Simple(VK_LEFT, Ct, &TCustomEasyEdit::Navigate, 8);
    Simple(VK_RIGHT, Ct, &TCustomEasyEdit::Navigate, 9);
    Simple('J', Ct, &TCustomEasyEdit::ShowCodeTemplates, 0);
    SelectionKeys(Classic);
    if (Prefixes) {
      Prefix('K', Ct, 1);
      Prefix('Q', Ct, 2);
      for (Byte D = 0; D < 10; ++D) {
        InBoth(1, static_cast<Word>('0' + D), Ct, &TCustomEasyEdit::ToggleBookMark, D);
        InBoth(2, static_cast<Word>('0' + D), Ct, &TCustomEasyEdit::GoToBookMark, D);
        Simple(static_cast<Word>('0' + D), CtSh, &TCustomEasyEdit::ToggleBookMark, D);
        Simple(static_cast<Word>('0' + D), Ct, &TCustomEasyEdit::GoToBookMark, D);
      }
    }
  }

  void SelectionKeys(bool Classic) {
    const Word Plain[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME, VK_END};
    const Byte PlainCodes[] = {0, 1, 2, 3, 4, 5, 10, 11};
    const Word Wide[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_PRIOR, VK_NEXT};
    const Byte WideCodes[] = {8, 9, 12, 13, 14, 15};
    const Byte ClassicCodes[] = {8, 9, 14, 15, 12, 13};
    for (int I = 0; I < 8; ++I) {
      Simple(Plain[I], Sh, &TCustomEasyEdit::SelectStreamBlock, PlainCodes[I]);
    }
    for (int I = 0; I < 6; ++I) {
      Simple(Wide[I], CtSh, &TCustomEasyEdit::SelectStreamBlock, Classic ? ClassicCodes[I] : WideCodes[I]);
    }
    for (int I = 0; I < 8; ++I) {
      Simple(Plain[I], AlSh, &TCustomEasyEdit::SelectSquareBlock, PlainCodes[I]);
    }
    for (int I = 0; I < 6; ++I) {
      Simple(Wide[I], CtAlSh, &TCustomEasyEdit::SelectSquareBlock, Classic ? ClassicCodes[I] : WideCodes[I]);
    }
  }

  void SecondGroup() {
    All(VK_HOME, None, &TCustomEasyEdit::Navigate, 10);
    All(VK_END, None, &TCustomEasyEdit::Navigate, 11);
    Simple(VK_BACK, Al, &TCustomEasyEdit::UndoOrRedo, 20);
    Simple(VK_BACK, AlSh, &TCustomEasyEdit::UndoOrRedo, 21);
    Simple(VK_DELETE, Sh, &TCustomEasyEdit::ProcessBlock, 23);
    Simple(VK_DELETE, Ct, &TCustomEasyEdit::ProcessBlock, 25);
    Simple(VK_INSERT, Sh, &TCustomEasyEdit::ProcessBlock, 24);
    Simple(VK_INSERT, Ct, &TCustomEasyEdit::ProcessBlock, 22);
    Simple(VK_INSERT, None, &TCustomEasyEdit::Toggle, 53);
    In(2, 'F', Ct, &TCustomEasyEdit::ExecuteDialog, 26);
    In(2, 'A', Ct, &TCustomEasyEdit::ExecuteDialog, 27);
    In(2, 'Y', Ct, &TCustomEasyEdit::DeleteStr, 11);
    Simple(VK_BACK, Ct, &TCustomEasyEdit::DeleteStr, 8);
    Simple('A', Ct, &TCustomEasyEdit::ProcessBlock, 44);
    Simple('G', CtSh, &TCustomEasyEdit::InsertStr, 45);
    Prefix('O', Ct, 3);
    In(3, 'G', Ct, &TCustomEasyEdit::ExecuteDialog, 28);
    In(3, 'L', Ct, &TCustomEasyEdit::ProcessBlock, 34);
    In(3, 'U', Ct, &TCustomEasyEdit::ProcessBlock, 46);
    Simple(219, Ct, &TCustomEasyEdit::Navigate, 61);
    Simple(221, Ct, &TCustomEasyEdit::Navigate, 62);
    Simple(BracketKeyCode(), Ct, &TCustomEasyEdit::FindBracket, 0);
    Simple('E', Ct, &TCustomEasyEdit::InitIncrementalSearch, 0);
  }

  void PrefixStateLetters() {
    const char Block[] = "BKCVYTLIUNOEF";
    const Byte BlockCodes[] = {29, 38, 30, 40, 41, 39, 34, 33, 37, 35, 36, 31, 32};
    for (int I = 0; I < 13; ++I) {
      InBoth(1, static_cast<Word>(Block[I]), Ct, &TCustomEasyEdit::ProcessBlock, BlockCodes[I]);
    }
    const char Nav[] = "SDRCETXUBK";
    const Byte NavCodes[] = {10, 11, 12, 13, 14, 14, 15, 15, 42, 43};
    for (int I = 0; I < 10; ++I) {
      InBoth(2, static_cast<Word>(Nav[I]), Ct, &TCustomEasyEdit::Navigate, NavCodes[I]);
    }
  }

  void CtrlHomeEnd(Byte Home, Byte End, Byte PgUp, Byte PgDn) {
    All(VK_HOME, Ct, &TCustomEasyEdit::Navigate, Home);
    All(VK_END, Ct, &TCustomEasyEdit::Navigate, End);
    All(VK_PRIOR, Ct, &TCustomEasyEdit::Navigate, PgUp);
    All(VK_NEXT, Ct, &TCustomEasyEdit::Navigate, PgDn);
  }

  TCustomEasyEdit* E;
  TEasyKeyList* L;
};

}  // namespace

void InitializeDefaultKeys(TCustomEasyEdit* Edit) {
  using T = TCustomEasyEdit;
  TScheme S(Edit);
  S.CommonCore(false, true);
  S.SecondGroup();
  S.PrefixStateLetters();
  S.CtrlHomeEnd(12, 13, 14, 15);
  S.Simple('X', Ct, &T::ProcessBlock, 23);
  S.Simple('V', Ct, &T::ProcessBlock, 24);
  S.Simple('C', Ct, &T::ProcessBlock, 22);
  S.Simple(VK_F3, None, &T::FindNext, 26);
  S.Simple('F', Ct, &T::ExecuteDialog, 26);
  S.Simple('R', Ct, &T::ExecuteDialog, 27);
  S.Simple(VK_UP, Ct, &T::Navigate, 49);
  S.Simple(VK_DOWN, Ct, &T::Navigate, 50);
  S.Simple('Z', Ct, &T::UndoOrRedo, 20);
  S.Simple('Y', CtSh, &T::DeleteStr, 11);
  S.Simple('Y', Ct, &T::DeleteStr, 48);
  S.Simple('L', Ct, &T::FindNext, 26);
  S.Simple('I', Ct, &T::ProcessKey, 18);
  S.Simple('N', Ct, &T::InsertStr, 51);
  S.Simple('T', Ct, &T::DeleteStr, 67);
  S.Simple('Z', CtSh, &T::UndoOrRedo, 21);
  S.Simple('I', CtSh, &T::ProcessBlock, 33);
  S.Simple('U', CtSh, &T::ProcessBlock, 37);
}

void InitializeClassicKeys(TCustomEasyEdit* Edit) {
  using T = TCustomEasyEdit;
  TScheme S(Edit);
  S.CommonCore(true, true);
  S.PrefixStateLetters();
  S.SecondGroup();
  S.Simple('A', Ct, &T::Navigate, 8);
  S.Simple('F', Ct, &T::Navigate, 9);
  S.Simple('S', Ct, &T::Navigate, 2);
  S.Simple('D', Ct, &T::Navigate, 3);
  S.Simple('E', Ct, &T::Navigate, 0);
  S.Simple('X', Ct, &T::Navigate, 1);
  S.Simple('Z', Ct, &T::Navigate, 0);
  S.Simple('R', Ct, &T::Navigate, 4);
  S.Simple('W', Ct, &T::Navigate, 5);
  S.Simple('C', Ct, &T::Navigate, 15);
  S.Simple('G', Ct, &T::DeleteStr, 3);
  S.Simple('H', Ct, &T::DeleteStr, 2);
  S.Simple('T', Ct, &T::DeleteStr, 67);
  S.Simple('Y', Ct, &T::DeleteStr, 48);
  S.Simple('I', Ct, &T::ProcessKey, 18);
  S.Simple('N', Ct, &T::ProcessKey, 16);
  S.Simple('L', Ct, &T::FindNext, 26);
  S.Simple('S', CtSh, &T::FindNext, 26);
  S.Simple('V', Ct, &T::Toggle, 53);
  S.Simple(VK_BACK, Sh, &T::DeleteStr, 2);
  S.CtrlHomeEnd(14, 15, 12, 13);
}

void InitializeBriefKeys(TCustomEasyEdit* Edit) {
  using T = TCustomEasyEdit;
  TScheme S(Edit);
  S.CommonCore(false, false);
  S.Simple(VK_SUBTRACT, None, &T::ProcessBlock, 23);
  S.Simple(VK_INSERT, None, &T::ProcessBlock, 24);
  S.Simple(VK_ADD, None, &T::ProcessBlock, 22);
  S.Simple(VK_MULTIPLY, None, &T::UndoOrRedo, 20);
  S.Simple('U', Ct, &T::UndoOrRedo, 21);
  S.Simple('U', Al, &T::UndoOrRedo, 20);
  S.Simple('A', Ct, &T::ProcessBlock, 11);
  S.Simple('B', Ct, &T::Navigate, 15);
  S.Simple('T', Ct, &T::Navigate, 14);
  S.Simple('C', Ct, &T::Navigate, 52);
  S.Simple('D', Ct, &T::Navigate, 5);
  S.Simple('E', Ct, &T::Navigate, 4);
  S.Simple('K', Ct, &T::DeleteStr, 10);
  S.Simple('K', Al, &T::DeleteStr, 11);
  S.Simple('D', Al, &T::DeleteStr, 48);
  S.Simple(VK_BACK, Ct, &T::DeleteStr, 8);
  S.Simple(VK_BACK, Al, &T::DeleteStr, 9);
  S.Simple('M', Ct, &T::ProcessKey, 16);
  S.Simple(VK_RETURN, Ct, &T::InsertStr, 51);
  S.Simple('G', Al, &T::ExecuteDialog, 28);
  S.Simple('I', Al, &T::Toggle, 53);
  S.Simple(VK_F5, None, &T::ExecuteDialog, 26);
  S.Simple(VK_F5, Al, &T::ExecuteDialog, 26);
  S.Simple('S', Al, &T::ExecuteDialog, 26);
  S.Simple(VK_F6, None, &T::ExecuteDialog, 27);
  S.Simple(VK_F6, Al, &T::ExecuteDialog, 27);
  S.Simple('T', Al, &T::ExecuteDialog, 27);
  S.Simple(VK_F5, Sh, &T::FindNext, 26);
  S.Simple('S', Ct, &T::FindNext, 26);
  S.Simple(VK_F6, Sh, &T::FindNext, 27);
  S.Simple(VK_F5, Ct, &T::Toggle, 54);
  S.Simple(VK_F6, Ct, &T::Toggle, 55);
  for (Byte D = 0; D < 10; ++D) {
    S.Simple(static_cast<Word>('0' + D), Al, &T::ToggleBookMark, D);
    S.InBoth(4, static_cast<Word>('0' + D), Al, &T::GoToBookMark, D);
  }
  S.Prefix('J', Al, 4);
  S.Prefix('O', Ct, 3);
  S.In(3, 'O', Ct, &T::ProcessBlock, 46);
  S.In(0, 'A', Al, &T::SelectStreamBlock, 56, 5);
  S.In(0, 'M', Al, &T::SelectStreamBlock, 3, 5);
  S.In(0, 'L', Al, &T::ProcessBlock, 34, 5);
  S.In(0, 'C', Al, &T::SelectSquareBlock, 57, 6);
  const Word Keys[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME, VK_END};
  const Byte Codes[] = {0, 1, 2, 3, 4, 5, 10, 11};
  for (int I = 0; I < 8; ++I) {
    S.In(5, Keys[I], None, &T::SelectStreamBlock, Codes[I], 5);
    S.In(6, Keys[I], None, &T::SelectSquareBlock, Codes[I], 6);
  }
  S.In(5, VK_ESCAPE, None, &T::ProcessBlock, 58);
  S.In(6, VK_ESCAPE, None, &T::ProcessBlock, 58);
  S.In(0, VK_HOME, None, &T::Navigate, 10, 7);
  S.In(0, VK_END, None, &T::Navigate, 11, 7);
  S.In(7, VK_HOME, None, &T::Navigate, 12);
  S.In(7, VK_END, None, &T::Navigate, 13);
  S.All(VK_HOME, Sh, &T::Navigate, 10);
  S.All(VK_END, Sh, &T::Navigate, 11);
  S.CtrlHomeEnd(14, 15, 12, 13);
}

void InitializeEpsilonKeys(TCustomEasyEdit* Edit) {
  using T = TCustomEasyEdit;
  TScheme S(Edit);
  S.CommonCore(false, true);
  S.Simple('Y', Ct, &T::ProcessBlock, 24);
  S.Simple('W', Al, &T::ProcessBlock, 22);
  S.Simple('W', Ct, &T::ProcessBlock, 23);
  S.Simple('H', Ct, &T::DeleteStr, 2);
  S.Simple('H', CtAl, &T::DeleteStr, 8);
  S.Simple(VK_BACK, Al, &T::DeleteStr, 8);
  S.Simple('D', Ct, &T::DeleteStr, 3);
  S.Simple('D', Al, &T::DeleteStr, 9);
  S.Simple('C', Al, &T::ProcessBlock, 59);
  S.Simple('M', Ct, &T::ProcessKey, 16);
  S.Simple('O', Ct, &T::InsertStr, 51);
  S.Simple('L', Al, &T::ProcessBlock, 31);
  S.Simple('U', Al, &T::ProcessBlock, 32);
  S.Simple('B', Ct, &T::Navigate, 2);
  S.Simple('F', Ct, &T::Navigate, 3);
  S.Simple('B', Al, &T::Navigate, 8);
  S.Simple('F', Al, &T::Navigate, 9);
  S.Simple('A', Ct, &T::Navigate, 10);
  S.Simple('E', Ct, &T::Navigate, 11);
  S.Simple('P', Ct, &T::Navigate, 0);
  S.Simple('N', Ct, &T::Navigate, 1);
  S.Simple('V', Ct, &T::Navigate, 5);
  S.Simple('V', Al, &T::Navigate, 4);
  S.Simple('Z', Ct, &T::Navigate, 49);
  S.Simple('Z', Al, &T::Navigate, 50);
  S.Simple(VK_HOME, None, &T::Navigate, 14);
  S.Simple(VK_END, None, &T::Navigate, 15);
  S.Simple(VK_HOME, Ct, &T::Navigate, 12);
  S.Simple(VK_END, Ct, &T::Navigate, 13);
  S.Simple(VK_F6, Ct, &T::Navigate, 5);
  S.Simple(VK_F6, CtSh, &T::Navigate, 5);
  S.Simple(VK_SUBTRACT, Al, &T::Navigate, 14);
  S.Simple('S', CtAl, &T::ExecuteDialog, 26);
  S.Simple('5', AlSh, &T::ExecuteDialog, 26);
  S.Simple('R', CtAl, &T::ExecuteDialog, 27);
  S.Simple('7', AlSh, &T::ExecuteDialog, 27);
  S.Simple(VK_F10, Ct, &T::UndoOrRedo, 21);
  S.Simple(VK_F9, Ct, &T::UndoOrRedo, 20);
  S.Simple(VK_INSERT, None, &T::Toggle, 53);
  S.Prefix('X', Ct, 8);
  S.InBoth(8, 'G', Ct, &T::ExecuteDialog, 28);
  S.In(8, 'N', Ct, &T::ExecuteDialog, 26);
  S.InBoth(8, 'R', Ct, &T::UndoOrRedo, 21);
  S.InBoth(8, 'U', Ct, &T::UndoOrRedo, 20);
  S.In(8, '0', Ct, &T::DeleteStr, 60);
  S.In(8, VK_TAB, Ct, &T::ProcessBlock, 33);
}

void InitializeVStudioKeys(TCustomEasyEdit* Edit) {
  using T = TCustomEasyEdit;
  TScheme S(Edit);
  S.CommonCore(false, true);
  S.PrefixStateLetters();
  S.Simple(VK_DELETE, Sh, &T::ProcessBlock, 23);
  S.Simple(VK_INSERT, Sh, &T::ProcessBlock, 24);
  S.Simple(VK_INSERT, Ct, &T::ProcessBlock, 22);
  S.Simple('X', Ct, &T::ProcessBlock, 23);
  S.Simple('V', Ct, &T::ProcessBlock, 24);
  S.Simple('C', Ct, &T::ProcessBlock, 22);
  S.Simple(VK_F3, None, &T::FindNext, 26);
  S.Simple('I', Ct, &T::FindNext, 26);
  S.Simple('F', Ct, &T::ExecuteDialog, 26);
  S.Simple('H', Ct, &T::ExecuteDialog, 27);
  S.Simple('G', Al, &T::ExecuteDialog, 28);
  S.Simple(VK_F3, Al, &T::ExecuteDialog, 26);
  S.Simple('L', Ct, &T::DeleteStr, 48);
  S.Simple('Y', Ct, &T::DeleteStr, 48);
  S.Simple('T', Ct, &T::DeleteStr, 8);
  S.Simple(VK_BACK, Ct, &T::DeleteStr, 8);
  S.Simple('Y', CtSh, &T::DeleteStr, 11);
  S.Simple('Z', Ct, &T::UndoOrRedo, 20);
  S.Simple('Z', CtSh, &T::UndoOrRedo, 21);
  S.Simple(VK_BACK, Al, &T::UndoOrRedo, 20);
  S.Simple(VK_BACK, AlSh, &T::UndoOrRedo, 21);
  S.In(1, 'E', Ct, &T::ProcessBlock, 36);
  S.In(1, 'F', Ct, &T::ProcessBlock, 35);
  S.Simple(VK_UP, Ct, &T::Navigate, 49);
  S.Simple(VK_DOWN, Ct, &T::Navigate, 50);
  S.In(2, 'A', None, &T::ExecuteDialog, 27);
  S.In(2, 'F', None, &T::ExecuteDialog, 26);
  S.In(2, 'Y', None, &T::DeleteStr, 11);
  S.InBoth(2, 221, Ct, &T::Navigate, 61);
  S.InBoth(2, 219, Ct, &T::Navigate, 62);
  S.Simple(221, Al, &T::Navigate, 61);
  S.Simple(219, Al, &T::Navigate, 62);
  S.Simple(VK_INSERT, None, &T::Toggle, 53);
  S.Simple('I', CtSh, &T::ProcessBlock, 33);
  S.Simple('U', CtSh, &T::ProcessBlock, 37);
  S.Simple(VK_DELETE, Ct, &T::ProcessBlock, 41);
  S.All(VK_HOME, None, &T::Navigate, 10);
  S.All(VK_END, None, &T::Navigate, 11);
  S.CtrlHomeEnd(12, 13, 14, 15);
}
