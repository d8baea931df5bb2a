// The memo source's caret and editing commands, built from the primitives inside one update each.
#include "codeeditor/Dcstring.h"

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Guid.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace Dcstring {

namespace {
bool GOverwrite = false;
bool IsBlank(char C) { return static_cast<Byte>(C) <= ' '; }

// Runs Body inside an update of the memo source, closing it also when Body raises.
template <class F>
void InUpdate(TCustomMemoSource* M, Integer Reason, F&& Body) {
  M->BeginUpdate(Reason);
  try {
    Body();
  } catch (...) {
    M->EndUpdate();
    throw;
  }
  M->EndUpdate();
}
}  // namespace

bool TCustomMemoSource::GetOverwrite() { return GOverwrite; }

void TCustomMemoSource::SetOverwrite(bool Value) {
  if (Value == GOverwrite) {
    return;
  }
  InUpdate(this, Reason::InsMode, [&] {
    GOverwrite = Value;
    State.Include(msInsState);
  });
}

void TCustomMemoSource::CursorLeft() {
  if (FOptions.Contains(soCursorOnTabs) || FOptions.Contains(soCursorAlwaysOnTabs)) {
    TabCursorLeft();
  } else {
    Navigate(0, -1);
  }
}

void TCustomMemoSource::CursorRight() {
  if (FOptions.Contains(soCursorOnTabs) || FOptions.Contains(soCursorAlwaysOnTabs)) {
    Integer Delta = 1;
    if (GetTabDelta(GetCurChar(), GetCurLine(), Delta, true) && Delta > 1) {
      Navigate(0, Delta);
      return;
    }
  }
  if (FOptions.Contains(soLimitEOL) && GetCurChar() >= DisplayLength(GetCurLine())) {
    if (FSelectionType != stBlockSel && (GetCurLine() + 1 < GetStrCount() || FOptions.Contains(soBeyondFileEnd))) {
      InUpdate(this, Reason::Navigate, [&] { Navigate(1, -GetCurChar()); });
    }
    return;
  }
  Navigate(0, 1);
}

void TCustomMemoSource::JumpTo(Integer Char, Integer Line) {
  const bool Old = FJumping;
  FJumping = true;
  try {
    Navigate(Line - GetCurLine(), Char - GetCurChar());
  } catch (...) {
    FJumping = Old;
    throw;
  }
  FJumping = Old;
}

void TCustomMemoSource::JumpToFileEnd() {
  InUpdate(this, Reason::Navigate, [&] {
    JumpTo(GetCurChar(), GetStrCount() - 1);
    JumpToLineEnd();
  });
}

void TCustomMemoSource::JumpToLineEnd() {
  std::string D = GetDisplay(GetCurLine());
  if (!KeepTrailingBlanks) {
    while (!D.empty() && IsBlank(D.back())) {
      D.pop_back();
    }
  }
  JumpTo(static_cast<Integer>(D.size()), GetCurLine());
}

void TCustomMemoSource::JumpWordRight() {
  InUpdate(this, Reason::Navigate, [&] {
    const Integer Line = GetCurLine();
    const std::string D = GetDisplay(Line);
    auto Col = static_cast<std::size_t>(GetCurChar());
    if (Col >= D.size()) {
      if (Line + 1 < GetStrCount()) {
        JumpTo(0, Line + 1);
      }
      return;
    }
    while (Col < D.size() && !IsDelimiter(D[Col])) {
      ++Col;
    }
    while (Col < D.size() && IsDelimiter(D[Col])) {
      ++Col;
    }
    JumpTo(static_cast<Integer>(Col), Line);
  });
}

void TCustomMemoSource::JumpWordLeft() {
  InUpdate(this, Reason::Navigate, [&] {
    const Integer Line = GetCurLine();
    const std::string D = GetDisplay(Line);
    Integer Col = std::min<Integer>(GetCurChar(), static_cast<Integer>(D.size()));
    while (Col > 0 && IsDelimiter(D[static_cast<std::size_t>(Col - 1)])) {
      --Col;
    }
    if (Col == 0) {
      if (Line > 0) {
        JumpTo(DisplayLength(Line - 1), Line - 1);
      } else {
        JumpTo(0, 0);
      }
      return;
    }
    while (Col > 0 && !IsDelimiter(D[static_cast<std::size_t>(Col - 1)])) {
      --Col;
    }
    JumpTo(Col, Line);
  });
}

void TCustomMemoSource::DeleteCharRight() {
  if (CheckOverwriteBlock()) {
    return;
  }
  if (GetCurChar() < DisplayLength(GetCurLine())) {
    DeleteRight(1);
  } else {
    JoinLines();
  }
}

void TCustomMemoSource::DeleteCharLeft() {
  InUpdate(this, Reason::DeleteCharLeft, [&] {
    if (CheckOverwriteBlock()) {
      return;
    }
    const Integer Line = GetCurLine();
    const Integer Col = GetCurChar();
    if (Col == 0) {
      if (Line > 0 && Line < GetStrCount()) {
        JumpTo(DisplayLength(Line - 1), Line - 1);
        JoinLines();
      }
      return;
    }
    if (Line >= GetStrCount() || Col > DisplayLength(Line)) {
      Navigate(0, -1);
      return;
    }
    const std::string D = GetDisplay(Line);
    const bool LeftBlank = std::all_of(D.begin(), D.begin() + Col, [](char C) { return IsBlank(C); });
    if (FOptions.Contains(soBackUnindents) && LeftBlank) {
      // The column to go back to comes from the nearest line above that is not empty and indented no further.
      Integer Target = 0;
      for (Integer Above = Line - 1; Above >= 0; --Above) {
        const std::string A = GetDisplay(Above);
        const auto First = A.find_first_not_of(" \t");
        if (First == std::string::npos || static_cast<Integer>(First) > Col) {
          continue;
        }
        Integer C = std::min<Integer>(Col, static_cast<Integer>(A.size()));
        while (C > 0 && IsBlank(A[static_cast<std::size_t>(C - 1)])) {
          --C;
        }
        while (C > 0 && !IsBlank(A[static_cast<std::size_t>(C - 1)])) {
          --C;
        }
        Target = C;
        break;
      }
      if (Target >= Col) {
        Target = 0;
      }
      if (!FOptions.Contains(soUseTabCharacter)) {
        Navigate(0, -Col);
        DeleteRight(Col - Target);
        Navigate(0, Target);
      } else {
        JumpTo(Target, Line);
        const Integer From = GetRealTabIndex(GetRaw(Line), Target);
        const Integer To = GetRealTabIndex(GetRaw(Line), Col);
        JumpTo(GetRelativeTabIndex(GetRaw(Line), From), Line);
        DeleteRight(To - From);
        const std::string After = GetDisplay(Line);
        const auto Lead = static_cast<Integer>(std::min(After.find_first_not_of(" \t"), After.size()));
        if (Lead < Target) {
          JumpTo(Lead, Line);
          Insert(std::string(static_cast<std::size_t>(Target - Lead), ' '));
        }
        JumpTo(Target, Line);
      }
      return;
    }
    TabCursorLeft();
    DeleteRight(1);
  });
}

void TCustomMemoSource::DeleteLine() {
  InUpdate(this, Reason::DeleteLine, [&] {
    Navigate(0, -GetCurChar());
    DeleteRight(MaxInt);
    JoinLines();
  });
}

void TCustomMemoSource::DeleteToLineBegin() {
  InUpdate(this, Reason::DeleteToLineBegin, [&] {
    Integer Count = GetCurChar();
    if (FOptions.Contains(soUseTabCharacter)) {
      Count = GetRealTabIndex(GetRaw(GetCurLine()), Count);
    }
    Navigate(0, -GetCurChar());
    DeleteRight(Count);
  });
}

void TCustomMemoSource::DeleteWord() {
  InUpdate(this, Reason::DeleteWord, [&] {
    const TRect Saved = GetSelectionRect();
    MarkWord();
    DeleteBlock();
    FBlockBegin->SetPosition(Saved.Left, Saved.Top);
    FBlockEnd->SetPosition(Saved.Right, Saved.Bottom);
  });
}

void TCustomMemoSource::DeleteWordRight() {
  DoWithBlock(Reason::DeleteWordRight, false, &TCustomMemoSource::DeleteBlock, &TCustomMemoSource::MarkWordRight);
}

void TCustomMemoSource::DeleteWordLeft() {
  DoWithBlock(Reason::DeleteWordLeft, false, &TCustomMemoSource::DeleteBlock, &TCustomMemoSource::MarkWordLeft);
}

void TCustomMemoSource::CorrectDeleteWordRight() {
  std::string D = GetDisplay(GetCurLine());
  while (!D.empty() && IsBlank(D.back())) {
    D.pop_back();
  }
  if (GetCurChar() < static_cast<Integer>(D.size())) {
    DoWithBlock(Reason::DeleteWordRight, false, &TCustomMemoSource::DeleteBlock,
                &TCustomMemoSource::CorrectMarkWordRight);
  } else {
    JoinLines();
  }
}

bool TCustomMemoSource::WordBounds(Integer Col, Integer Line, TWordSelectionType Type, Integer& WordEnd,
                                   Integer& WordStart) {
  const std::string D = GetDisplay(Line);
  const auto Len = static_cast<Integer>(D.size());
  auto Delim = [&](Integer P) { return P < 1 || P > Len || IsDelimiter(D[static_cast<std::size_t>(P - 1)]); };
  WordStart = 0;
  WordEnd = 0;
  if (Len == 0) {
    return false;
  }
  Integer P = std::min(Col + 1, Len);
  while (P >= 1 && Delim(P)) {
    --P;
  }
  if (P >= 1) {
    while (P > 1 && !Delim(P - 1)) {
      --P;
    }
    // When the word found lies wholly left of the column, the search goes on right of the column.
    Integer E = P;
    while (E < Len && !Delim(E + 1)) {
      ++E;
    }
    if (E < Col + 1 && Col + 1 <= Len) {
      P = Col + 1;
    }
  } else {
    P = Col + 1;
  }
  while (P <= Len && Delim(P)) {
    ++P;
  }
  if (P > Len) {
    return false;
  }
  WordStart = P;
  Integer E = P;
  while (E < Len && !Delim(E + 1)) {
    ++E;
  }
  if (Type == wsWordWithSpace) {
    if (E < Len && D[static_cast<std::size_t>(E)] == ' ') {
      ++E;
    }
  } else if (Type == wsUntilNextWord) {
    while (E < Len && Delim(E + 1)) {
      ++E;
    }
  }
  WordEnd = E;
  return WordStart < WordEnd || (WordStart == WordEnd && WordStart > 0);
}

std::string TCustomMemoSource::GetTextAt(Integer Col, Integer Line) {
  Integer E = 0;
  Integer S = 0;
  if (!WordBounds(Col, Line, wsWordOnly, E, S)) {
    return {};
  }
  return GetDisplay(Line).substr(static_cast<std::size_t>(S - 1), static_cast<std::size_t>(E - S + 1));
}

std::string TCustomMemoSource::CorrectTextAt(Integer Col, Integer Line) {
  const std::string D = GetDisplay(Line);
  if (Col < 0 || Col >= static_cast<Integer>(D.size()) || IsDelimiter(D[static_cast<std::size_t>(Col)])) {
    return {};
  }
  return GetTextAt(Col, Line);
}

Integer TCustomMemoSource::GetFirstNonSpaceChar(Integer Line, Integer MinCol) {
  const std::string D = GetDisplay(Line);
  if (D.empty()) {
    return -1;
  }
  const auto N = static_cast<Integer>(std::min(D.find_first_not_of(" \t"), D.size()));
  return N <= MinCol ? -1 : N;
}

void TCustomMemoSource::PressEnter() {
  InUpdate(this, Reason::Enter, [&] {
    const Integer Line = GetCurLine();
    const Integer Col = GetCurChar();
    const bool Auto = FOptions.Contains(soAutoIndent);
    auto Indentation = [&](Integer L) -> Integer {
      const std::string D = GetDisplay(L);
      return static_cast<Integer>(std::min(D.find_first_not_of(" \t"), D.size()));
    };
    if (GetOverwrite()) {
      Integer Indent = 0;
      if (Auto) {
        const std::string D = GetDisplay(Line);
        const auto First = static_cast<Integer>(std::min(D.find_first_not_of(" \t"), D.size()));
        Indent = Col;
        if (D.empty() || Col > First) {
          Indent = Line + 1 < GetStrCount() ? Indentation(Line + 1) : 0;
        }
      }
      CursorDown();
      JumpTo(GetMemoIndent(Indent), GetCurLine());
      return;
    }
    if (CheckOverwriteBlock()) {
      // The selection is gone; the line breaks where the caret now stands.
    }
    const Integer L0 = GetCurLine();
    const Integer C0 = GetCurChar();
    const std::string OldDisplay = GetDisplay(L0);
    const std::string OldRaw = GetRaw(L0);
    BreakLine();
    JumpTo(0, L0 + 1);
    if (!Auto) {
      return;
    }
    const bool OldBlank = OldDisplay.find_first_not_of(" \t") == std::string::npos;
    const auto First = static_cast<Integer>(std::min(OldDisplay.find_first_not_of(" \t"), OldDisplay.size()));
    auto NearestIndent = [&]() -> Integer {
      if (!OldBlank) {
        return First;
      }
      for (Integer Above = L0 - 1; Above >= 0; --Above) {
        if (GetDisplay(Above).find_first_not_of(" \t") != std::string::npos) {
          return Indentation(Above);
        }
      }
      return 0;
    };
    Integer Indent;
    if (OldBlank || (C0 == 0 && First == 0)) {
      Indent = NearestIndent();
    } else if (C0 < First) {
      Indent = C0;  // inside the leading blanks
    } else {
      Indent = NearestIndent();
    }
    if (Indent <= 0) {
      return;
    }
    std::string Text;
    if (!FOptions.Contains(soUseTabCharacter)) {
      Text.assign(static_cast<std::size_t>(Indent), ' ');
    } else if (FOptions.Contains(soUsePrevIndent) && !OldRaw.empty()) {
      for (char C : OldRaw) {
        if (GetRelativeTabIndex(Text, static_cast<Integer>(Text.size())) >= Indent) {
          break;
        }
        Text += C == '\t' ? '\t' : ' ';
      }
    } else if (FOptions.Contains(soOptimalFill)) {
      Integer Last = 0;
      for (Integer K = 0; GetVirtualTabStop(K) <= Indent; ++K) {
        Text += '\t';
        Last = GetVirtualTabStop(K);
      }
      Text.append(static_cast<std::size_t>(Indent - Last), ' ');
    } else {
      Text.assign(static_cast<std::size_t>(Indent), ' ');
    }
    Insert(Text);
    JumpTo(GetRelativeTabIndex(Text, static_cast<Integer>(Text.size())), GetCurLine());
  });
}

void TCustomMemoSource::InsertDate() { InsertString(DateToStr(Date())); }

void TCustomMemoSource::InsertTime() { InsertString(TimeToStr(Time())); }

void TCustomMemoSource::InsertGUID() {
  TGUID G = CreateGUID();
  InsertString("['" + GUIDToString(G) + "']");
}

}  // namespace Dcstring
