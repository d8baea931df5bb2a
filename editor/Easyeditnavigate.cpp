// Navigation and the caret: the navigation commands, vertical moves that keep their pixel column over short
// lines and wrapped rows, page moves that keep the caret's place on the screen, keeping the caret in view and
// the platform caret itself.
#include "editor/Easyeditor.h"

#include "editor/Easyutils.h"
#include "platform/graphics/Caret.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>

namespace {

constexpr int MaxInt = EasyMaxInt;

// The characters 0 and 2 to 32: the source's default delimiters.
const TEasyCharSet& DefaultDelimiters() {
  static const TEasyCharSet Set = [] {
    TEasyCharSet S;
    S.set(0);
    for (int C = 2; C <= 32; ++C) {
      S.set(static_cast<std::size_t>(C));
    }
    return S;
  }();
  return Set;
}

}  // namespace

void TCustomEasyEdit::Navigate(Byte Command) {
  CheckIncrementalSearch();
  TCustomEasyEditSource* Source = GetEditSource();
  const TPoint P = Source->CurrentPosition;
  switch (Command) {
    case 0: case 1:
      if (FHideCaret) {
        DoVScroll(Command == 0 ? SB_LINEUP : SB_LINEDOWN, 0);
      } else {
        WrapNavigate(0, Command == 0 ? -1 : 1);
      }
      return;
    case 2: case 3:
      if (FHideCaret) {
        DoHScroll(Command == 2 ? SB_LINELEFT : SB_LINERIGHT, 0);
      } else if (Command == 2) {
        Source->MoveLeft();
      } else {
        Source->MoveRight();
      }
      WrapColumnValid = false;
      return;
    case 4: case 5: PageUpOrDown(Command == 4); return;
    case 8:
      if (FHideCaret) {
        DoHScroll(SB_LINELEFT, 0);
      } else {
        NavigateWordLeft(Source, P);
      }
      return;
    case 9:
      if (FHideCaret) {
        DoHScroll(SB_LINERIGHT, 0);
      } else {
        NavigateWordRight(Source, P);
      }
      return;
    case 10: NavigateLineStart(Source, P); return;
    case 11: NavigateLineEnd(Source, P); return;
    case 12: Source->JumpTo(0, 0); return;
    case 13: {
      const int Last = std::max(LineCount() - 1, 0);
      Source->JumpTo(Source->LineLength(Last), Last);
      return;
    }
    case 14:
    case 15: NavigateScreenEdge(Source, Command == 15); return;
    case 42: case 43:
      if (SelType != slNone) {
        if (Command == 42) {
          Source->JumpTo(SelRect.Left, SelRect.Top);
        } else {
          Source->JumpTo(SelRect.Right, SelRect.Bottom);
        }
      }
      return;
    case 49: DoVScroll(SB_LINEUP, 0); return;
    case 50: DoVScroll(SB_LINEDOWN, 0); return;
    case 52: CenterCurrentLine(false); return;
    case 67: NavigateNextWordStart(Source, P); return;
    default: return;
  }
}

// Word left: back over delimiters, then to the start of the word (an embedded object right before the caret is
// one step); from the start of a line to the end of the line before.
void TCustomEasyEdit::NavigateWordLeft(TCustomEasyEditSource* Source, const TPoint& P) {
  const int X = P.X;
  const int Y = P.Y;
  Source->Bracket(oprNavigate, [&] {
    WrapColumnValid = false;
    const std::string Line = GetLines()->Get(Y);
    const int Length = static_cast<int>(Line.size());
    int Start = X;
    if (Start > Length) {
      Source->JumpToChar(Length);
      Start = Length;
    }
    int Pos = Start;
    while (Pos > 0 && Source->IsDelimiter(Line, Pos)) {
      --Pos;
    }
    if (Pos > 0) {
      while (Pos > 0 && !Source->IsDelimiter(Line, Pos)) {
        if (Line[static_cast<std::size_t>(Pos - 1)] == '\x01') {
          if (Pos == Start) {
            --Pos;  // an object right before the caret is stepped over
          }
          break;
        }
        --Pos;
      }
      Source->JumpToChar(Pos);
    } else if (Y == 0) {
      Source->JumpTo(0, 0);
    } else {
      Source->JumpToLine(Y - 1);
      Navigate(11);
    }
  });
}

// Word right: to the end of the word (an embedded object under the caret is one step), then over the delimiters
// after it; from the end of a line to the start of the next.
void TCustomEasyEdit::NavigateWordRight(TCustomEasyEditSource* Source, const TPoint& P) {
  const int X = P.X;
  const int Y = P.Y;
  Source->Bracket(oprNavigate, [&] {
    WrapColumnValid = false;
    const std::string Line = GetLines()->Get(Y);
    const int Length = static_cast<int>(Line.size());
    if (X < Length) {
      int Pos = X;
      while (Pos < Length && !Source->IsDelimiter(Line, Pos + 1)) {
        if (Line[static_cast<std::size_t>(Pos)] == '\x01') {
          if (Pos == X) {
            ++Pos;
          }
          break;
        }
        ++Pos;
      }
      while (Pos < Length && Source->IsDelimiter(Line, Pos + 1)) {
        ++Pos;
      }
      Source->JumpToChar(Pos);
    } else if (Y < LineCount() - 1) {
      Source->JumpTo(0, Y + 1);
    }
  });
}

// Home: the start of the line, or of the wrapped row the caret is on.
void TCustomEasyEdit::NavigateLineStart(TCustomEasyEditSource* Source, const TPoint& P) {
  WrapColumnValid = false;
  int Column = 0;
  if (FWordWrap) {
    const int I = FWrapList->IndexFromPoint(P, CaretAtRowEnd);
    if (I >= 0) {
      Column = FWrapList->Row(I).StartChar;
    }
  }
  Source->JumpToChar(Column);
  if (!FOptions.Contains(eoPersistentBlocks)) {
    SetSelType(slNone);
  }
  if (FHideCaret) {
    SetWindowChar(0);
  }
}

// End: the end of the line (before trailing spaces unless they are kept), or of the wrapped row the caret is on.
void TCustomEasyEdit::NavigateLineEnd(TCustomEasyEditSource* Source, const TPoint& P) {
  const int Y = P.Y;
  WrapColumnValid = false;
  int Column = Source->LineLength(Y);
  if (!Source->Options().Contains(srLeaveTrailSpaces)) {
    Column = Source->GetRealPos(Y, static_cast<int>(TrimRightEx(Source->Strings()->GetStrRef(Y)).size()));
  }
  bool AtRowEnd = false;
  if (FWordWrap) {
    const int I = FWrapList->IndexFromPoint(P, CaretAtRowEnd);
    if (I >= 0 && FWrapList->Row(I).EndChar != MaxInt) {
      Column = std::min(Column, FWrapList->Row(I).EndChar);
      CheckAfterLineEnd(Y, Column, true);
      AtRowEnd = true;
    }
  }
  CaretAtRowEnd = AtRowEnd;
  ++NavigateCount;
  try {
    Source->JumpToChar(Column);
  } catch (...) {
    --NavigateCount;
    throw;
  }
  --NavigateCount;
  if (!FOptions.Contains(eoPersistentBlocks)) {
    SetSelType(slNone);
  }
}

// The first or last row on the screen (in page layout, the first or last visible point).
void TCustomEasyEdit::NavigateScreenEdge(TCustomEasyEditSource* Source, bool Bottom) {
  if (PageLayout()) {
    const TPoint T = PageLayoutVisiblePoint(Bottom);
    Source->JumpTo(T.X, std::clamp(T.Y, 0, std::max(LineCount() - 1, 0)));
    return;
  }
  const int Rows = std::max(ScrollPageSize().cy, 1);
  const int Row = Bottom ? FWindowLine + Rows - 1 : FWindowLine;
  if (FWordWrap) {
    const TPoint T = FWrapList->WrapPointToPoint(TPoint{0, std::min(Row, std::max(WrapLineCount() - 1, 0))});
    Source->JumpTo(T.X, T.Y);
  } else {
    int Line = std::min(Row, MaxVisibleLine());
    GetRealLineIndex(Line);
    Source->JumpToLine(Line);
  }
}

// To the start of the next word with the word delimiters added to the source's own, which are restored after.
void TCustomEasyEdit::NavigateNextWordStart(TCustomEasyEditSource* Source, const TPoint& P) {
  const int X = P.X;
  const int Y = P.Y;
  const TEasyCharSet Saved = Source->Delimiters;
  auto Body = [&] {
    WrapColumnValid = false;
    Source->Delimiters = DefaultDelimiters() | WordDelimSet;
    const std::string Line = GetLines()->Get(Y);
    const int Length = static_cast<int>(Line.size());
    const char C = X < Length ? Line[static_cast<std::size_t>(X)] : '\0';
    if (X < Length && InCharSet(C, WordDelimSet)) {
      Source->Navigate(1, 0);
    } else if (X < Length && InCharSet(C, DefaultDelimiters())) {
      int Pos = X + 1;
      while (Pos + 1 < Length && InCharSet(Line[static_cast<std::size_t>(Pos)], DefaultDelimiters())) {
        ++Pos;
      }
      Source->JumpToChar(Pos);
    } else {
      int Start = 0;
      int End = 0;
      Source->GetWord(P, Start, End, wsWordAndSpace);
      if (Start > 0 && X + 1 < Start) {
        Source->JumpToChar(Start - 1);
      } else if (X + 1 < End || (X + 1 == End && End > 0)) {
        Source->JumpToChar(End);
      } else {
        Source->Delimiters = DefaultDelimiters();
        Source->GetWord(P, Start, End, wsToNextWord);
        if (X + 1 < End || (X + 1 == End && End > 0)) {
          Source->JumpToChar(End);
        }
      }
    }
  };
  try {
    Source->Bracket(oprNavigate, Body);
  } catch (...) {
    Source->Delimiters = Saved;
    throw;
  }
  Source->Delimiters = Saved;
}

void TCustomEasyEdit::WrapNavigate(int DX, int DY) {
  CheckIncrementalSearch();
  TCustomEasyEditSource* Source = GetEditSource();
  const bool Hidden = InvisibleLines();
  if (!FWordWrap && !FOptions.Contains(eoKeepColumn) && !Hidden) {
    Source->Navigate(DX, DY);
    return;
  }
  const TPoint Caret = Source->CurrentPosition;
  TPoint P = FWordWrap ? FWrapList->PointToWrapPoint(Caret, CaretAtRowEnd) : Caret;
  if (DX != 0) {
    WrapColumnValid = false;
    TPoint T{P.X + DX, P.Y + DY};
    if (FWordWrap) {
      T = FWrapList->WrapPointToPoint(T);
    }
    Source->JumpTo(T.X, T.Y);
    return;
  }
  if (!WrapColumnValid) {
    WrapColumnX = TextToPixelPoint(Caret, CaretAtRowEnd).X;
    WrapWindowChar = FWindowChar;
    WrapColumnValid = true;
  }
  if (!FWordWrap && Hidden) {
    int Visible = Caret.Y;
    GetVisibleLineIndex(Visible);
    P.Y = Visible;
  }
  int Row = std::max(P.Y + DY, 0);
  const bool Beyond = Source->Options().Contains(srBeyondEof) && !NeedPages();
  if (!Beyond) {
    Row = std::min(Row, FWordWrap ? std::max(WrapLineCount() - 1, 0) : MaxVisibleLine());
  }
  const int SavedChar = FWindowChar;
  FWindowChar = WrapWindowChar;
  int Line = Row;
  int Column = 0;
  try {
    Column = PixelToTextChar(Line, WrapColumnX, true, CaretAtRowEnd, false);
  } catch (...) {
    FWindowChar = SavedChar;
    throw;
  }
  FWindowChar = SavedChar;
  bool AtRowEnd = false;
  if (FWordWrap) {
    const int I = FWrapList->IndexFromWrapPoint(TPoint{0, Row});
    AtRowEnd = I >= 0 && I == Row && FWrapList->Row(I).EndChar != MaxInt && Column == FWrapList->Row(I).EndChar;
  }
  ++NavigateCount;
  WrapNavigating = true;
  try {
    CaretAtRowEnd = AtRowEnd;
    Source->JumpTo(Column, Line);
  } catch (...) {
    --NavigateCount;
    WrapNavigating = false;
    throw;
  }
  --NavigateCount;
  WrapNavigating = false;
}

bool TCustomEasyEdit::PageUpOrDown(bool Up) {
  TCustomEasyEditSource* Source = GetEditSource();
  if (!PageScrollDone) {
    PageScrollPos = TextToPixelPoint(Source->CurrentPosition, CaretAtRowEnd);
  }
  int Target = 0;
  if (PageLayout()) {
    // In page layout the view moves by pixels; the last window position keeps the caret's place on the screen.
    const int Step = std::max(PageLayoutPageStep(), 1);
    if (!Up) {
      // Pages are laid out lazily: those the step reaches are laid out first, so the limit below counts them.
      GetPageIndexAt(TPoint{0, FWindowLine + Step + ClientHeight()}, false);
    }
    Target = Up ? FWindowLine - Step : std::min(FWindowLine + Step, std::max(PageLayoutMaxWindowLine(), FWindowLine));
  } else {
    const int Rows = std::max(ScrollPageSize().cy, 1);
    const int Step = std::max(Rows - 1, 1);
    Target = Up ? FWindowLine - Step : FWindowLine + Step;
    if (!Up) {
      // The view goes no further than its last page, so the caret keeps its place on the screen there.
      const int LastPage = std::max(VisibleLineCount() - Rows, 0);
      Target = std::min(Target, std::max(LastPage, FWindowLine));
    }
  }
  NoScrollRepaint = true;
  try {
    Source->Bracket(oprNavigate, [&] {
      SetWindowLine(Target);
      if (Target >= 0) {
        const TPoint T = PixelToTextPoint(PageScrollPos, CaretAtRowEnd);
        ++NavigateCount;
        try {
          CaretAtRowEnd = CheckEndOfLine(PageScrollPos);
          Source->JumpTo(T.X, std::min(T.Y, std::max(LineCount() - 1, 0)));
        } catch (...) {
          --NavigateCount;
          throw;
        }
        --NavigateCount;
      } else if (FWordWrap) {
        int Row = 0;
        const int Column = PixelToTextChar(Row, PageScrollPos.X, true, false, false);
        Source->JumpTo(Column, 0);
      } else {
        Source->JumpToLine(0);
      }
      EnsureCaretVisible();
      Invalidate();
      Update();
    });
  } catch (...) {
    NoScrollRepaint = false;
    throw;
  }
  NoScrollRepaint = false;
  PageScrollDone = Target >= 0;
  return PageScrollDone;
}

void TCustomEasyEdit::EnsureVisible(const TPoint& P) {
  if (!HandleAllocated()) {
    return;
  }
  if (PageLayout()) {
    PageLayoutEnsureVisible(P);
    return;
  }
  PageScrollDone = false;
  const bool CaretShown = IsFocused() && !FHideCaret && CaretWidth > 0;
  if (CaretShown) {
    ::HideCaret(Handle());
  }
  const bool AtRowEnd = P.X == GetCurrentPosition().X && P.Y == GetCurrentPosition().Y && CaretAtRowEnd;
  int Row = P.Y;
  int Column = P.X;
  if (FWordWrap) {
    const TPoint W = FWrapList->PointToWrapPoint(P, AtRowEnd);
    Row = W.Y;
    Column = W.X;
  } else {
    GetVisibleLineIndex(Row);
  }
  const int Rows = std::max(ScrollPageSize().cy, 1);
  if (Row < FWindowLine) {
    SetWindowLine(Row);
  } else if (Row > FWindowLine + Rows - 1) {
    SetWindowLine(Row - Rows + 1);
  }
  if (Column != MaxInt) {
    if (Column < FWindowChar) {
      SetWindowChar(Column);
    } else {
      TSize Size{0, 0};
      FPainter->ScrollPageSize(Rect(GetLeftIndent(), 0, ClientWidth() - 2, ClientHeight()), Size);
      const int N = std::max(static_cast<int>(Size.cx), 0);
      if (Column > FWindowChar + N) {
        SetWindowChar(Column - N);
      }
    }
  }
  if (CaretShown) {
    ::ShowCaret(Handle());
  }
}

void TCustomEasyEdit::EnsureCaretVisible() { EnsureVisible(GetCurrentPosition()); }

bool TCustomEasyEdit::IsCurrentLineVisble() {
  if (PageLayout()) {
    return PageLayoutIsCurrentLineVisible();
  }
  const TPoint P = GetCurrentPosition();
  int Row = P.Y;
  if (FWordWrap) {
    Row = FWrapList->PointToWrapPoint(P, CaretAtRowEnd).Y;
  } else {
    GetVisibleLineIndex(Row);
  }
  const int Rows = std::max(ScrollPageSize().cy, 1);
  return FWindowLine <= Row && Row <= FWindowLine + Rows - 1;
}

void TCustomEasyEdit::CenterCurrentLine(bool OnlyIfHidden) {
  const bool Visible = OnlyIfHidden && IsCurrentLineVisble();
  EnsureCaretVisible();
  if (OnlyIfHidden && Visible) {
    return;
  }
  if (PageLayout()) {
    PageLayoutCenterCurrentLine();
    return;
  }
  const TPoint P = GetCurrentPosition();
  int Row = P.Y;
  if (FWordWrap) {
    Row = FWrapList->PointToWrapPoint(P, CaretAtRowEnd).Y;
  } else {
    GetVisibleLineIndex(Row);
  }
  const int Rows = std::max(ScrollPageSize().cy, 1);
  SetWindowLine(std::max(Row - (Rows - 1) / 2, 0));
}

// ---- the caret ----

TSize TCustomEasyEdit::GetCaretSize() {
  if (FHideCaret) {
    return TSize{0, 0};
  }
  return FPainter->GetCaretSize();
}

void TCustomEasyEdit::CreateCaret() {
  const TSize Size = GetCaretSize();
  CaretWidth = Size.cx;
  CaretHeight = Size.cy;
  ::CreateCaret(Handle(), 0, CaretWidth, CaretHeight);
  ::ShowCaret(Handle());
}

bool TCustomEasyEdit::UpdateCaretMode() {
  if (FHideCaret || !HandleAllocated() || ComponentState().Contains(csDesigning) || !Enabled() || !IsFocused()) {
    return false;
  }
  const TSize Size = GetCaretSize();
  if (Size.cx == CaretWidth && Size.cy == CaretHeight) {
    return false;
  }
  ::HideCaret(Handle());
  UpdateCaret();
  CreateCaret();
  UpdateCaret();
  return true;
}

void TCustomEasyEdit::UpdateCaret() {
  if (FHideCaret || !IsFocused()) {
    return;
  }
  if (CaretWidth == 0 && CaretHeight == 0) {
    CreateCaret();
  }
  const TPoint P = TextToPixelPoint(GetCurrentPosition(), CaretAtRowEnd);
  UpdateCaretEx(P.X, P.Y);
}

void TCustomEasyEdit::UpdateCaretEx(int X, int Y) {
  const bool Placeable =
      PageLayout() ? PageLayoutCaretPlaceable(X, Y) : Y >= GetTopRulerIndent() && X >= GetLeftIndent();
  if (Placeable) {
    SetCaretPos(X, Y);
  } else {
    const int Away = -2 * FPainter->GetTopLineHeight();
    SetCaretPos(Away, Away);
  }
}
