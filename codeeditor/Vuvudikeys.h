// The code editor's five keyboard layouts (part of unit Vuvudi). A layout fills the control's key map; every
// binding names a command of the control or of the memo source the control shows at that moment. The
// procedures are written over the control's type so that each binding names its command directly.
#pragma once

#include "codeeditor/Dcstring.h"
#include "platform/win/VirtualKeys.h"
#include "suitebase/Customcontrol.h"
#include "suitebase/Keymaps.h"

#include <cstdint>

namespace Vuvudi {

inline constexpr const char* SKeyboardClassic = "Classic";
inline constexpr const char* SKeyboardBrief = "Brief";
inline constexpr const char* SKeyboardEpsilon = "Epsilon";
inline constexpr const char* SKeyboardVisualStudio = "Visual Studio";

// The keys that type "[" and "]" on the keyboard layout in use.
inline constexpr Word VK_OPENBRACKET = VK_OEM_4;
inline constexpr Word VK_CLOSEBRACKET = VK_OEM_6;

namespace Keys {

using Dcstring::TCustomMemoSource;
using Dorazori::TKeyboardMethod;
using Dorazori::TKeyList;

inline const TShiftState None{};
inline const TShiftState Shift{ssShift};
inline const TShiftState Ctrl{ssCtrl};
inline const TShiftState Alt{ssAlt};
inline const TShiftState CShift = Dorazori::ssCShift;
inline const TShiftState AShift = Dorazori::ssAShift;
inline const TShiftState CAShift = Dorazori::ssCAShift;
inline const TShiftState CAlt{ssCtrl, ssAlt};
inline constexpr std::int8_t All = -1;

// Adds bindings to the control's key map: Control-side commands with C, the source's with S.
template <class TMemo>
class TBinder {
public:
  explicit TBinder(TMemo* M) : FMemo(M), FList(M->KeyList()), FSource(M->GetSource()) {}
  template <auto Member>
  void C(std::int8_t State, Word Key, TShiftState Sh, std::int8_t Next = 0) {
    FList->AddKey(Key, Sh, TKeyboardMethod::Of<Member>(FMemo), State, Next);
  }
  template <auto Member>
  void S(std::int8_t State, Word Key, TShiftState Sh, std::int8_t Next = 0) {
    FList->AddKey(Key, Sh, TKeyboardMethod::Of<Member>(FSource), State, Next);
  }
  // A prefix key: no command, only the next state.
  void P(std::int8_t State, Word Key, TShiftState Sh, std::int8_t Next) {
    FList->AddKey(Key, Sh, TKeyboardMethod(), State, Next);
  }
  TMemo* Memo() const { return FMemo; }
  TCustomMemoSource* Source() const { return FSource; }

private:
  TMemo* FMemo;
  TKeyList* FList;
  TCustomMemoSource* FSource;
};

using M = TCustomMemoSource;

// Group 1: cursor and editing keys.
template <class T>
void CursorGroup(TBinder<T>& B) {
  B.template C<&T::MemoCursorUp>(All, VK_UP, None);
  B.template C<&T::MemoCursorDown>(All, VK_DOWN, None);
  B.template C<&T::MemoCursorLeft>(All, VK_LEFT, None);
  B.template C<&T::MemoCursorRight>(All, VK_RIGHT, None);
  B.template C<&T::PageUp>(All, VK_PRIOR, None);
  B.template C<&T::PageDown>(All, VK_NEXT, None);
  B.template S<&M::DeleteCharRight>(0, VK_DELETE, None);
  B.template S<&M::DeleteCharLeft>(0, VK_BACK, None);
  B.template S<&M::DeleteCharLeft>(0, VK_BACK, Shift);
  B.template S<&M::PressEnter>(0, VK_RETURN, Shift);
  B.template S<&M::PressEnter>(0, VK_RETURN, None);
  B.template C<&T::ProcessEscape>(0, VK_ESCAPE, None);
  B.template S<&M::PressTab>(0, VK_TAB, None);
  B.template S<&M::PressShiftTab>(0, VK_TAB, Shift);
  B.template S<&M::JumpWordLeft>(0, VK_LEFT, Ctrl);
  B.template S<&M::JumpWordRight>(0, VK_RIGHT, Ctrl);
  B.template C<&T::ShowCodeTemplates>(0, 'J', Ctrl);
}

// Group 2: Ctrl+K block commands (state 1).
template <class T>
void BlockGroup(TBinder<T>& B) {
  B.P(0, 'K', Ctrl, 1);
  B.P(0, 'Q', Ctrl, 2);
  B.template S<&M::MarkBlockBegin>(1, 'B', None);
  for (const TShiftState& Sh : {Ctrl, None}) {
    B.template S<&M::DuplicateBlock>(1, 'C', Sh);
  }
  for (const TShiftState& Sh : {Ctrl, None}) {
    B.template S<&M::IndentBlock>(1, 'I', Sh);
  }
  for (const TShiftState& Sh : {Ctrl, None}) {
    B.template S<&M::MarkLine>(1, 'L', Sh);
  }
  for (const TShiftState& Sh : {Ctrl, None}) {
    B.template S<&M::UpperCaseBlock>(1, 'N', Sh);
  }
  for (const TShiftState& Sh : {Ctrl, None}) {
    B.template S<&M::LowerCaseBlock>(1, 'O', Sh);
  }
  for (const TShiftState& Sh : {Ctrl, None}) {
    B.template S<&M::OutDentBlock>(1, 'U', Sh);
  }
  for (const TShiftState& Sh : {Ctrl, None}) {
    B.template S<&M::MarkBlockEnd>(1, 'K', Sh);
  }
  for (const TShiftState& Sh : {Ctrl, None}) {
    B.template S<&M::MarkWord>(1, 'T', Sh);
  }
  for (const TShiftState& Sh : {Ctrl, None}) {
    B.template S<&M::KeyMoveBlock>(1, 'V', Sh);
  }
  for (const TShiftState& Sh : {Ctrl, None}) {
    B.template S<&M::DeleteBlock>(1, 'Y', Sh);
  }
  for (const TShiftState& Sh : {Ctrl, None}) {
    B.template S<&M::LowerCaseWord>(1, 'E', Sh);
  }
  for (const TShiftState& Sh : {Ctrl, None}) {
    B.template S<&M::UpperCaseWord>(1, 'F', Sh);
  }
}

// Group 3: marking with Shift.
template <class T>
void MarkGroup(TBinder<T>& B) {
  B.template C<&T::MemoMarkDown>(0, VK_DOWN, Shift);
  B.template C<&T::MemoMarkUp>(0, VK_UP, Shift);
  B.template C<&T::MemoMarkLeft>(0, VK_LEFT, Shift);
  B.template S<&M::MarkRight>(0, VK_RIGHT, Shift);
  B.template C<&T::MemoMarkToLineBegin>(0, VK_HOME, Shift);
  B.template C<&T::MemoMarkToLineEnd>(0, VK_END, Shift);
  B.template C<&T::MarkPageUp>(0, VK_PRIOR, Shift);
  B.template C<&T::MarkPageDown>(0, VK_NEXT, Shift);
  B.template C<&T::MarkToTop>(0, VK_PRIOR, CShift);
  B.template C<&T::MarkToBottom>(0, VK_NEXT, CShift);
  B.template S<&M::MarkToFileBegin>(0, VK_HOME, CShift);
  B.template S<&M::MarkToFileEnd>(0, VK_END, CShift);
  B.template S<&M::MarkWordLeft>(0, VK_LEFT, CShift);
  B.template S<&M::MarkWordRight>(0, VK_RIGHT, CShift);
  B.template S<&M::MarkColDown>(0, VK_DOWN, AShift);
  B.template S<&M::MarkColUp>(0, VK_UP, AShift);
  B.template S<&M::MarkColLeft>(0, VK_LEFT, AShift);
  B.template S<&M::MarkColRight>(0, VK_RIGHT, AShift);
  B.template S<&M::MarkColToLineBegin>(0, VK_HOME, AShift);
  B.template S<&M::MarkColToLineEnd>(0, VK_END, AShift);
  B.template C<&T::MarkColPageUp>(0, VK_PRIOR, AShift);
  B.template C<&T::MarkColPageDown>(0, VK_NEXT, AShift);
  B.template C<&T::MarkColToTop>(0, VK_HOME, CAShift);
  B.template C<&T::MarkColToBottom>(0, VK_END, CAShift);
  B.template S<&M::MarkColToFileBegin>(0, VK_PRIOR, CAShift);
  B.template S<&M::MarkColToFileEnd>(0, VK_NEXT, CAShift);
  B.template S<&M::MarkColWordLeft>(0, VK_LEFT, CAShift);
  B.template S<&M::MarkColWordRight>(0, VK_RIGHT, CAShift);
}

// Group 4: Ctrl+Q jumps (state 2).
template <class T>
void JumpGroup(TBinder<T>& B) {
  B.P(0, 'Q', Ctrl, 2);
  B.template S<&M::JumpToBlockBegin>(2, 'B', Ctrl);
  B.template S<&M::JumpToFileEnd>(2, 'C', Ctrl);
  B.template C<&T::MemoJumpToLineEnd>(2, 'D', Ctrl);
  B.template C<&T::JumpToScreenTop>(2, 'E', Ctrl);
  B.template S<&M::JumpToBlockEnd>(2, 'K', Ctrl);
  B.template S<&M::JumpToFileBegin>(2, 'R', Ctrl);
  B.template C<&T::MemoJumpToLineBegin>(2, 'S', Ctrl);
  B.template C<&T::JumpToScreenTop>(2, 'T', Ctrl);
  B.template C<&T::JumpToScreenBottom>(2, 'U', Ctrl);
  B.template C<&T::JumpToScreenBottom>(2, 'X', Ctrl);
}

// The ten bookmark commands by digit.
using TBookmarkCommand = void (M::*)();
inline constexpr TBookmarkCommand ToggleBookMarks[10] = {
    &M::ToggleBookMark0, &M::ToggleBookMark1, &M::ToggleBookMark2, &M::ToggleBookMark3, &M::ToggleBookMark4,
    &M::ToggleBookMark5, &M::ToggleBookMark6, &M::ToggleBookMark7, &M::ToggleBookMark8, &M::ToggleBookMark9};
inline constexpr TBookmarkCommand GoToBookMarks[10] = {
    &M::GoToBookMark0, &M::GoToBookMark1, &M::GoToBookMark2, &M::GoToBookMark3, &M::GoToBookMark4,
    &M::GoToBookMark5, &M::GoToBookMark6, &M::GoToBookMark7, &M::GoToBookMark8, &M::GoToBookMark9};

// Binds the digit's bookmark command (Toggle true: ToggleBookMarkd, else GoToBookMarkd).
template <class T, std::size_t... D>
void BookmarkKeys(TBinder<T>& B, bool Toggle, std::int8_t State, TShiftState Sh, std::index_sequence<D...>) {
  if (Toggle) {
    (B.template S<ToggleBookMarks[D]>(State, static_cast<Word>('0' + D), Sh), ...);
  } else {
    (B.template S<GoToBookMarks[D]>(State, static_cast<Word>('0' + D), Sh), ...);
  }
}
template <class T>
void Bookmarks(TBinder<T>& B, bool Toggle, std::int8_t State, TShiftState Sh) {
  BookmarkKeys(B, Toggle, State, Sh, std::make_index_sequence<10>());
}

// Group 5: bookmarks.
template <class T>
void BookmarkGroup(TBinder<T>& B) {
  B.P(0, 'K', Ctrl, 1);
  B.P(0, 'Q', Ctrl, 2);
  Bookmarks(B, true, 1, Ctrl);
  Bookmarks(B, true, 1, None);
  Bookmarks(B, false, 2, None);
  Bookmarks(B, false, 2, Ctrl);
  Bookmarks(B, true, 2, CShift);
}

// Group 6: common keys.
template <class T>
void CommonGroup(TBinder<T>& B) {
  B.template C<&T::CutToClipboard>(0, VK_DELETE, Shift);
  B.template S<&M::DeleteBlock>(0, VK_DELETE, Ctrl);
  B.template C<&T::PasteFromClipboard>(0, VK_INSERT, Shift);
  B.template C<&T::CopyToClipboard>(0, VK_INSERT, Ctrl);
  B.template S<&M::DeleteWordLeft>(0, VK_BACK, Ctrl);
  B.template S<&M::Undo>(0, VK_BACK, Alt);
  B.template S<&M::Redo>(0, VK_BACK, AShift);
  B.template S<&M::ToggleInsMode>(0, VK_INSERT, None);
  B.template S<&M::SelectAll>(0, 'A', Ctrl);
  B.template S<&M::InsertGUID>(0, 'G', CShift);
  B.P(0, 'Q', Ctrl, 2);
  B.P(0, 'O', Ctrl, 5);
  B.template S<&M::QuoteBlock>(0, 'Q', CAlt);
  B.template S<&M::FindNextBracket>(0, VK_OPENBRACKET, Ctrl);
  B.template C<&T::MemoJumpToLineBegin>(All, VK_HOME, None);
  B.template C<&T::MemoJumpToLineEnd>(All, VK_END, None);
  B.template S<&M::ShowReplaceDialog>(2, 'A', Ctrl);
  B.template S<&M::ShowSearchDialog>(2, 'F', Ctrl);
  B.template S<&M::DeleteToLineEnd>(2, 'Y', Ctrl);
  B.template C<&T::PromptedGotoLine>(5, 'G', Ctrl);
  B.template S<&M::ToggleBlockCase>(5, 'U', Ctrl);
  B.template S<&M::MarkLine>(5, 'L', Ctrl);
}

}  // namespace Keys

template <class T>
void InitDefaultKeyboardFor(T* Memo) {
  using namespace Keys;
  TBinder<T> B(Memo);
  B.template C<&T::CutToClipboard>(0, 'X', Ctrl);
  B.template C<&T::PasteFromClipboard>(0, 'V', Ctrl);
  B.template C<&T::CopyToClipboard>(0, 'C', Ctrl);
  B.template S<&M::KeyFindNext>(0, VK_F3, None);
  B.template S<&M::KeyFindNext>(0, 'E', Ctrl);
  B.template S<&M::ShowSearchDialog>(0, 'F', Ctrl);
  B.template S<&M::ShowReplaceDialog>(0, 'R', Ctrl);
  B.template C<&T::ScrollDown>(0, VK_DOWN, Ctrl);
  B.template C<&T::ScrollUp>(0, VK_UP, Ctrl);
  B.template S<&M::Undo>(0, 'Z', Ctrl);
  B.template S<&M::SelectAll>(0, 'A', Ctrl);
  B.template S<&M::DeleteToLineEnd>(0, 'Y', CShift);
  B.template S<&M::DeleteLine>(0, 'Y', Ctrl);
  B.template S<&M::KeyFindNext>(0, 'L', Ctrl);
  B.template S<&M::PressTab>(0, 'I', Ctrl);
  B.template S<&M::InsertLine>(0, 'N', Ctrl);
  B.template S<&M::CorrectDeleteWordRight>(0, 'T', Ctrl);
  B.template S<&M::Redo>(0, 'Z', CShift);
  B.template S<&M::IndentBlock>(0, 'I', CShift);
  B.template S<&M::OutDentBlock>(0, 'U', CShift);
  B.template S<&M::JumpToFileBegin>(All, VK_HOME, Ctrl);
  B.template S<&M::JumpToFileEnd>(All, VK_END, Ctrl);
  B.template C<&T::JumpToScreenTop>(All, VK_PRIOR, Ctrl);
  B.template C<&T::JumpToScreenBottom>(All, VK_NEXT, Ctrl);
  Bookmarks(B, false, 0, Ctrl);
  Bookmarks(B, true, 0, CShift);
  CommonGroup(B);
  CursorGroup(B);
  MarkGroup(B);
  BlockGroup(B);
  BookmarkGroup(B);
  JumpGroup(B);
}

template <class T>
void InitClassicKeyboardFor(T* Memo) {
  using namespace Keys;
  TBinder<T> B(Memo);
  B.template S<&M::JumpWordLeft>(0, 'A', Ctrl);
  B.template C<&T::JumpToScreenBottom>(0, 'C', Ctrl);
  B.template S<&M::CursorRight>(0, 'D', Ctrl);
  B.template S<&M::CursorUp>(0, 'E', Ctrl);
  B.template S<&M::JumpWordRight>(0, 'F', Ctrl);
  B.template S<&M::DeleteCharRight>(0, 'G', Ctrl);
  B.template S<&M::DeleteCharLeft>(0, 'H', Ctrl);
  B.template S<&M::PressTab>(0, 'I', Ctrl);
  B.template S<&M::KeyFindNext>(0, 'L', Ctrl);
  B.template S<&M::PressEnter>(0, 'N', Ctrl);
  B.template C<&T::PageUp>(0, 'R', Ctrl);
  B.template S<&M::CursorLeft>(0, 'S', Ctrl);
  B.template S<&M::CorrectDeleteWordRight>(0, 'T', Ctrl);
  B.template S<&M::ToggleInsMode>(0, 'V', Ctrl);
  B.template C<&T::PageDown>(0, 'W', Ctrl);
  B.template S<&M::CursorDown>(0, 'X', Ctrl);
  B.template S<&M::DeleteLine>(0, 'Y', Ctrl);
  B.template S<&M::CursorUp>(0, 'Z', Ctrl);
  B.template S<&M::KeyFindNext>(0, 'S', CShift);
  B.template S<&M::DeleteCharLeft>(0, VK_BACK, Shift);
  B.template C<&T::JumpToScreenTop>(All, VK_HOME, Ctrl);
  B.template C<&T::JumpToScreenBottom>(All, VK_END, Ctrl);
  B.template S<&M::JumpToFileBegin>(All, VK_PRIOR, Ctrl);
  B.template S<&M::JumpToFileEnd>(All, VK_NEXT, Ctrl);
  CommonGroup(B);
  CursorGroup(B);
  MarkGroup(B);
  BlockGroup(B);
  JumpGroup(B);
  BookmarkGroup(B);
}

template <class T>
void InitBriefKeyboardFor(T* Memo) {
  using namespace Keys;
  TBinder<T> B(Memo);
  B.template C<&T::CutToClipboard>(0, VK_SUBTRACT, None);
  B.template C<&T::PasteFromClipboard>(0, VK_INSERT, None);
  B.template C<&T::CopyToClipboard>(0, VK_ADD, None);
  B.template S<&M::Undo>(0, VK_MULTIPLY, None);
  B.template S<&M::MarkToLineEnd>(0, 'A', Ctrl);
  B.template C<&T::JumpToScreenBottom>(0, 'B', Ctrl);
  B.template C<&T::CenterScreenOnLine>(0, 'C', Ctrl);
  B.template C<&T::PageDown>(0, 'D', Ctrl);
  B.template C<&T::PageUp>(0, 'E', Ctrl);
  B.template S<&M::DeleteToLineBegin>(0, 'K', Ctrl);
  B.template S<&M::PressEnter>(0, 'M', Ctrl);
  B.template C<&T::JumpToScreenTop>(0, 'T', Ctrl);
  B.template S<&M::Redo>(0, 'U', Ctrl);
  B.template S<&M::DeleteWordLeft>(0, VK_BACK, Ctrl);
  B.template S<&M::InsertLine>(0, VK_RETURN, Ctrl);
  B.template S<&M::DeleteLine>(0, 'D', Alt);
  B.template C<&T::PromptedGotoLine>(0, 'G', Alt);
  B.template S<&M::ToggleInsMode>(0, 'I', Alt);
  B.template S<&M::DeleteToLineEnd>(0, 'K', Alt);
  B.template S<&M::Undo>(0, 'U', Alt);
  B.template S<&M::DeleteWordRight>(0, VK_BACK, Alt);
  B.P(0, 'O', Ctrl, 5);
  B.template S<&M::ShowSearchDialog>(0, VK_F5, None);
  B.template S<&M::ShowReplaceDialog>(0, VK_F6, None);
  B.template S<&M::ShowSearchDialog>(0, VK_F5, Alt);
  B.template S<&M::ShowReplaceDialog>(0, VK_F6, Alt);
  B.template S<&M::KeyFindNext>(0, VK_F5, Shift);
  B.template S<&M::KeyReplace>(0, VK_F6, Shift);
  B.template S<&M::ToggleCaseSensitiveSearch>(0, VK_F5, Ctrl);
  B.template S<&M::ToggleRegularExprSearch>(0, VK_F6, Ctrl);
  B.template S<&M::ShowSearchDialog>(0, 'S', Alt);
  B.template S<&M::KeyFindNext>(0, 'S', Ctrl);
  B.template S<&M::ShowReplaceDialog>(0, 'T', Alt);
  B.P(0, 'J', Alt, 3);
  B.template S<&M::MarkBriefRight>(0, 'A', Alt, 6);
  B.template S<&M::MarkBriefColRight>(0, 'C', Alt, 7);
  B.template S<&M::MarkLine>(0, 'L', Alt, 6);
  B.template S<&M::MarkToLineEnd>(0, 'M', Alt, 6);
  B.template C<&T::MemoJumpToLineBegin>(0, VK_HOME, None, 8);
  B.template C<&T::MemoJumpToLineEnd>(0, VK_END, None, 8);
  B.template S<&M::ToggleBlockCase>(5, 'O', Ctrl);
  B.template C<&T::MemoJumpToLineBegin>(All, VK_HOME, Shift);
  B.template C<&T::JumpToScreenBottom>(All, VK_END, Ctrl);
  B.template C<&T::JumpToScreenTop>(All, VK_HOME, Ctrl);
  B.template C<&T::MemoJumpToLineEnd>(All, VK_END, Shift);
  B.template S<&M::JumpToFileBegin>(All, VK_PRIOR, Ctrl);
  B.template S<&M::JumpToFileEnd>(All, VK_NEXT, Ctrl);
  B.template S<&M::JumpToFileBegin>(8, VK_HOME, None);
  B.template S<&M::JumpToFileEnd>(8, VK_END, None);
  Bookmarks(B, true, 0, Alt);
  Bookmarks(B, false, 3, Alt);
  CursorGroup(B);
  MarkGroup(B);
  // The marking modes' keys come last: the cursor group's arrows and page keys hold in every state and would
  // otherwise end a mode on its first key.
  B.template S<&M::MarkUp>(6, VK_UP, None, 6);
  B.template S<&M::MarkDown>(6, VK_DOWN, None, 6);
  B.template S<&M::MarkLeft>(6, VK_LEFT, None, 6);
  B.template S<&M::MarkRight>(6, VK_RIGHT, None, 6);
  B.template C<&T::MarkPageUp>(6, VK_PRIOR, None, 6);
  B.template C<&T::MarkPageDown>(6, VK_NEXT, None, 6);
  B.template S<&M::MarkToLineBegin>(6, VK_HOME, None, 6);
  B.template S<&M::MarkToLineEnd>(6, VK_END, None, 6);
  B.template S<&M::ClearSelection>(6, VK_ESCAPE, None);
  B.template S<&M::MarkColUp>(7, VK_UP, None, 7);
  B.template S<&M::MarkColDown>(7, VK_DOWN, None, 7);
  B.template S<&M::MarkColLeft>(7, VK_LEFT, None, 7);
  B.template S<&M::MarkColRight>(7, VK_RIGHT, None, 7);
  B.template C<&T::MarkColPageUp>(7, VK_PRIOR, None, 7);
  B.template C<&T::MarkColPageDown>(7, VK_NEXT, None, 7);
  B.template S<&M::MarkColToLineBegin>(7, VK_HOME, None, 7);
  B.template S<&M::MarkColToLineEnd>(7, VK_END, None, 7);
  B.template S<&M::ClearSelection>(7, VK_ESCAPE, None);
}

template <class T>
void InitEpsilonKeyboardFor(T* Memo) {
  using namespace Keys;
  TBinder<T> B(Memo);
  B.template C<&T::PasteFromClipboard>(0, 'Y', Ctrl);
  B.template C<&T::CopyToClipboard>(0, 'W', Alt);
  B.template C<&T::CutToClipboard>(0, 'W', Ctrl);
  B.template S<&M::DeleteCharLeft>(0, 'H', Ctrl);
  B.template S<&M::DeleteWordLeft>(0, 'H', CAlt);
  B.template S<&M::DeleteCharRight>(0, 'D', Ctrl);
  B.template S<&M::DeleteWordRight>(0, 'D', Alt);
  B.template S<&M::CapitalizeWord>(0, 'C', Alt);
  B.template S<&M::PressEnter>(0, 'M', Ctrl);
  B.template S<&M::InsertLine>(0, 'O', Ctrl);
  B.template S<&M::LowerCaseWord>(0, 'L', Alt);
  B.template S<&M::UpperCaseWord>(0, 'U', Alt);
  B.template S<&M::JumpWordRight>(0, 'F', Alt);
  B.P(0, 'X', Ctrl, 4);
  B.template S<&M::Redo>(0, VK_F10, Ctrl);
  B.template S<&M::Undo>(0, VK_F9, Ctrl);
  B.template S<&M::ToggleInsMode>(0, VK_INSERT, None);
  B.template S<&M::DeleteWordLeft>(0, VK_BACK, Alt);
  B.template S<&M::CursorLeft>(0, 'B', Ctrl);
  B.template S<&M::CursorRight>(0, 'F', Ctrl);
  B.template S<&M::JumpWordLeft>(0, 'B', Alt);
  B.template S<&M::JumpWordRight>(0, 'F', Alt);
  B.template C<&T::MemoJumpToLineBegin>(0, 'A', Ctrl);
  B.template C<&T::MemoJumpToLineEnd>(0, 'E', Ctrl);
  B.template S<&M::CursorUp>(0, 'P', Ctrl);
  B.template S<&M::CursorDown>(0, 'N', Ctrl);
  B.template C<&T::PageDown>(0, 'V', Ctrl);
  B.template C<&T::PageUp>(0, 'V', Alt);
  B.template C<&T::ScrollDown>(0, 'Z', Alt);
  B.template C<&T::ScrollUp>(0, 'Z', Ctrl);
  B.template S<&M::ShowSearchDialog>(0, 'S', CAlt);
  B.template S<&M::ShowReplaceDialog>(0, 'R', CAlt);
  B.template S<&M::ShowSearchDialog>(0, '5', CShift);
  B.template S<&M::ShowReplaceDialog>(0, '7', CShift);
  B.template C<&T::JumpToScreenTop>(0, VK_HOME, None);
  B.template C<&T::JumpToScreenBottom>(0, VK_END, None);
  B.template S<&M::JumpToFileBegin>(0, VK_HOME, Ctrl);
  B.template S<&M::JumpToFileEnd>(0, VK_END, Ctrl);
  B.template C<&T::PageDown>(0, VK_F6, Ctrl);
  B.template C<&T::PageDown>(0, VK_F6, CShift);
  B.template C<&T::JumpToScreenTop>(0, VK_SUBTRACT, Alt);
  B.template C<&T::PromptedGotoLine>(4, 'G', Ctrl);
  B.template S<&M::Redo>(4, 'R', Ctrl);
  B.template S<&M::Undo>(4, 'U', Ctrl);
  B.template S<&M::IndentBlock>(4, VK_TAB, Ctrl);
  CursorGroup(B);
  MarkGroup(B);
  BookmarkGroup(B);
}

template <class T>
void InitVisualStudioKeyboardFor(T* Memo) {
  using namespace Keys;
  TBinder<T> B(Memo);
  B.P(0, 'K', Ctrl, 1);
  B.P(0, 'Q', Ctrl, 2);
  B.template C<&T::CutToClipboard>(0, VK_DELETE, Shift);
  B.template C<&T::PasteFromClipboard>(0, VK_INSERT, Shift);
  B.template C<&T::CopyToClipboard>(0, VK_INSERT, Ctrl);
  B.template C<&T::CutToClipboard>(0, 'X', Ctrl);
  B.template C<&T::PasteFromClipboard>(0, 'V', Ctrl);
  B.template C<&T::CopyToClipboard>(0, 'C', Ctrl);
  B.template S<&M::KeyFindNext>(0, VK_F3, None);
  B.template S<&M::ShowSearchDialog>(0, 'F', Ctrl);
  B.template C<&T::PromptedGotoLine>(0, 'G', Alt);
  B.template S<&M::ShowReplaceDialog>(0, 'H', Ctrl);
  B.template S<&M::KeyFindNext>(0, 'I', Ctrl);
  B.template S<&M::DeleteLine>(0, 'L', Ctrl);
  B.template S<&M::DeleteWordLeft>(0, 'T', Ctrl);
  B.template S<&M::DeleteLine>(0, 'Y', Ctrl);
  B.template S<&M::DeleteToLineEnd>(0, 'Y', CShift);
  B.template S<&M::Undo>(0, 'Z', Ctrl);
  B.template S<&M::Redo>(0, 'Z', CShift);
  B.template S<&M::ShowSearchDialog>(0, VK_F3, Alt);
  B.template S<&M::NextBracket>(0, VK_OPENBRACKET, Alt);
  B.template S<&M::PrevBracket>(0, VK_CLOSEBRACKET, Alt);
  B.template S<&M::DeleteWordLeft>(0, VK_BACK, Ctrl);
  B.template S<&M::ToggleInsMode>(0, VK_INSERT, None);
  B.template S<&M::Undo>(0, VK_BACK, Alt);
  B.template S<&M::Redo>(0, VK_BACK, AShift);
  B.template S<&M::IndentBlock>(0, 'I', CShift);
  B.template S<&M::OutDentBlock>(0, 'U', CShift);
  B.template S<&M::DeleteBlock>(0, VK_DELETE, Ctrl);
  B.template S<&M::LowerCaseBlock>(1, 'E', Ctrl);
  B.template S<&M::UpperCaseBlock>(1, 'F', Ctrl);
  B.template S<&M::ShowReplaceDialog>(2, 'A', None);
  B.template S<&M::ShowSearchDialog>(2, 'F', None);
  B.template S<&M::DeleteToLineEnd>(2, 'Y', None);
  B.template S<&M::NextBracket>(2, VK_OPENBRACKET, Ctrl);
  B.template S<&M::NextBracket>(2, VK_OPENBRACKET, None);
  B.template S<&M::PrevBracket>(2, VK_CLOSEBRACKET, Ctrl);
  B.template S<&M::PrevBracket>(2, VK_CLOSEBRACKET, None);
  B.template C<&T::MemoJumpToLineBegin>(All, VK_HOME, None);
  B.template C<&T::MemoJumpToLineEnd>(All, VK_END, None);
  B.template S<&M::JumpToFileBegin>(All, VK_HOME, Ctrl);
  B.template S<&M::JumpToFileEnd>(All, VK_END, Ctrl);
  B.template C<&T::JumpToScreenTop>(All, VK_PRIOR, Ctrl);
  B.template C<&T::JumpToScreenBottom>(All, VK_NEXT, Ctrl);
  CursorGroup(B);
  MarkGroup(B);
  BlockGroup(B);
  BookmarkGroup(B);
  JumpGroup(B);
}

}  // namespace Vuvudi
