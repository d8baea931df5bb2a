// The spell checker's text cursor over an editor, the live-spelling test and the spelling menu.
#include "spell/Easyspelladapter.h"

#include "platform/win/WinUser.h"

#include <algorithm>
#include <climits>
#include <memory>

void TEasyLexiParser::Initialize(void* Control) {
  Editor = static_cast<TCustomEasyEdit*>(Control);
  HasEnd = false;
  CurPos = TPoint{0, 0};
  EndPos = TPoint{0, 0};
  NeedReload = true;
  LineLength = 0;
  LineCached = -1;
  LineText.clear();
  LineCount = Editor ? Editor->LineCount() : 0;
}

bool TEasyLexiParser::CurrentLine() {
  if (Editor == nullptr) {
    return false;
  }
  if (CurPos.Y == LineCached) {
    if (CurPos.X > LineLength) {
      ++CurPos.Y;
      CurPos.X = 0;
    } else if (CurPos.X < 0) {
      --CurPos.Y;
      CurPos.X = -1;
    }
  }
  bool Result = false;
  if (CurPos.Y == LineCached && !NeedReload) {
    Result = true;
  } else {
    LineCount = Editor->LineCount();
    if (CurPos.Y >= 0 && CurPos.Y < LineCount) {
      LineText = Editor->GetLines()->GetStr(CurPos.Y) + ' ';
      LineLength = static_cast<int>(LineText.size());
      LineCached = CurPos.Y;
      NeedReload = false;
      Result = true;
    }
  }
  if (Result && CurPos.X == -1) {
    CurPos.X = LineLength - 1;
  }
  return Result;
}

char TEasyLexiParser::GetChar() {
  if (!CurrentLine() || CurPos.X < 1 || CurPos.X > LineLength) {
    return '\0';
  }
  return LineText[static_cast<std::size_t>(CurPos.X - 1)];
}

std::string TEasyLexiParser::GetLine() { return CurrentLine() ? LineText : std::string(); }

bool TEasyLexiParser::MoveNext() {
  ++CurPos.X;
  bool Result = CurrentLine();
  if (HasEnd && (CurPos.Y > EndPos.Y || (CurPos.Y == EndPos.Y && CurPos.X > EndPos.X + 1))) {
    Result = false;
  }
  return Result;
}

bool TEasyLexiParser::MovePrevious() {
  --CurPos.X;
  return CurrentLine();
}

void TEasyLexiParser::SetPosition(int X, int Y, TPositionType Kind) {
  const TPoint P{std::max(X, 0), std::max(Y, 0)};
  if (Kind == ptCurrent) {
    CurPos = P;
    NeedReload = true;
  } else {
    EndPos = P;
    HasEnd = true;
  }
}

void TEasyLexiParser::GetPosition(int& X, int& Y) {
  X = CurPos.X;
  Y = CurPos.Y;
}

void TEasyLexiParser::SelectWord(int Length) {
  TCustomEasyEditSource* Source = Editor->GetEditSource();
  TPoint Start;
  TPoint End;
  TPoint Caret;
  if (CurPos.X > 0) {
    const int Y = CurPos.Y;
    Start = TPoint{Source->GetRealPos(Y, std::max(CurPos.X - Length - 1, 0)), Y};
    End = TPoint{Source->GetRealPos(Y, std::max(CurPos.X - 1, 0)), Y};
    CurPos.X -= Length;
    Caret = Start;
  } else {
    const int Y = std::max(CurPos.Y - 1, 0);
    const int L = static_cast<int>(Editor->GetLines()->GetStrRef(Y).size());
    Start = TPoint{Source->GetRealPos(Y, std::max(L - Length, 0)), Y};
    End = TPoint{Source->GetRealPos(Y, L), Y};
    Caret = TPoint{0, CurPos.Y};
  }
  ++Editor->SelectionHold;
  try {
    Source->JumpTo(Caret.X, Caret.Y);
    Editor->SetSelection(Rect(Start.X, Start.Y, End.X, End.Y), slStream);
  } catch (...) {
    --Editor->SelectionHold;
    throw;
  }
  --Editor->SelectionHold;
}

void TEasyLexiParser::ReplaceWord(const std::string& Word, int State) {
  (void)State;
  TCustomEasyEditSource* Source = Editor->GetEditSource();
  const int Old = Editor->GetSelLength();
  if (HasEnd && CurPos.Y == EndPos.Y) {
    EndPos.X += static_cast<int>(Word.size()) - Old;
  }
  Source->LockUndo();
  try {
    Source->Bracket(oprOther, [&] {
      if (Editor->SelType != slNone) {
        Editor->DeleteBlock();
      }
      Source->InsertString(Word);
    });
  } catch (...) {
    Source->UnlockUndo();
    throw;
  }
  Source->UnlockUndo();
  CurPos.X += static_cast<int>(Word.size());
  NeedReload = true;
}

void TEasyLexiParser::IgnoreWord(int State) {
  (void)State;
  if (Editor->SelType != slNone) {
    CurPos.X += Editor->SelRect.Right - Editor->SelRect.Left;
  }
  UpdateStrings(CurPos.Y, CurPos.Y);
}

void TEasyLexiParser::CenterSelection() {
  TCustomEasyEditSource* Source = Editor->GetEditSource();
  const TPoint Caret = Source->CurrentPosition;
  ++Editor->SelectionHold;
  try {
    Source->Bracket(oprNavigate, [&] {
      const TRect R = Editor->SelRect;
      if (Editor->SelType == slNone || R.Top == R.Bottom) {
        Source->JumpTo(R.Left, R.Top);
      } else {
        Source->JumpTo(0, (R.Top + R.Bottom) / 2);
      }
      Editor->Navigate(52);
      Source->JumpTo(Caret.X, Caret.Y);
    });
  } catch (...) {
    --Editor->SelectionHold;
    throw;
  }
  --Editor->SelectionHold;
}

void TEasyLexiParser::GetCursorPosition(int& X, int& Y) {
  const TPoint P = Editor->SelType != slNone ? TPoint{Editor->SelRect.Left, Editor->SelRect.Top}
                                             : Editor->GetCurrentPosition();
  X = P.X;
  Y = P.Y;
}

void TEasyLexiParser::GetSelectionPosition(int& X1, int& Y1, int& X2, int& Y2) {
  if (Editor->SelType != slNone) {
    X1 = Editor->SelRect.Left;
    Y1 = Editor->SelRect.Top;
    X2 = Editor->SelRect.Right;
    Y2 = Editor->SelRect.Bottom;
  } else {
    const TPoint P = Editor->GetCurrentPosition();
    X1 = X2 = P.X;
    Y1 = Y2 = P.Y;
  }
}

void TEasyLexiParser::GetControlScreenPosition(RECT& R) {
  if (Editor == nullptr || !Editor->HandleAllocated()) {
    R = RECT{-1, -1, -1, -1};
    return;
  }
  const TPoint A = Editor->ClientToScreen(TPoint{0, 0});
  R = RECT{A.X, A.Y, A.X + Editor->ClientWidth(), A.Y + Editor->ClientHeight()};
}

void TEasyLexiParser::GetSelectionScreenPosition(RECT& R) {
  if (Editor == nullptr || !Editor->HandleAllocated() || Editor->SelType == slNone) {
    R = RECT{-1, -1, -1, -1};
    return;
  }
  const TPoint S = Editor->ClientToScreen(
      Editor->TextToPixelPoint(TPoint{Editor->SelRect.Left, Editor->SelRect.Top}, Editor->SelStartAtRowEnd));
  const TPoint E = Editor->ClientToScreen(
      Editor->TextToPixelPoint(TPoint{Editor->SelRect.Right, Editor->SelRect.Bottom}, Editor->SelEndAtRowEnd));
  R = RECT{S.X, S.Y, E.X, E.Y + Editor->Painter()->GetLineHeight(Editor->SelRect.Bottom, 0, false)};
}

void TEasyLexiParser::UpdateStrings(int First, int Last) {
  TCustomEasyEditSource* Source = Editor->GetEditSource();
  Last = std::min(Last, Editor->LineCount() - 1);
  if (First > Last) {
    return;
  }
  // Lexing lines again changes no text: a document that was unchanged stays so.
  const bool WasModified = Source->Modified;
  Source->Bracket(oprOther, [&] {
    Source->LinesUpdated(0, INT_MAX, First, Last, false);
    Source->Strings()->ClearParsed(First, Last);
    Source->State.Include(csParagraphChanged);
    Source->State.Include(csBlockChanged);
  });
  if (!WasModified && Source->Modified) {
    Source->Modified = false;
    Source->Bracket(oprOther, [&] { Source->State.Include(csModifiedChanged); });
  }
  // Lines already lexed are lexed again now; the others are lexed when they are shown.
  const int Done = std::min(Last, Source->ParsedUpTo() - 1);
  if (Done >= First) {
    Source->ParseStrings(First, Done, true);
  }
  Editor->Invalidate();
}

bool IsWordCorrect(TEasySpeller* Speller, const std::string& Word) {
  return Speller->WordAcceptable(Word) && !(Speller->UseExcludeWords() && Speller->WordExcluded(Word));
}

bool HandlePopup(TCustomEasyEdit* Editor, TEasySpeller* Speller, const TPoint& Point, TSpellPopupOptions Options) {
  TCustomEasyEditSource* Source = Editor->GetEditSource();
  const TPoint P = Editor->PixelToTextPoint(Point, false);
  const TEasyCharSet Saved = Source->Delimiters;
  Source->Delimiters |= WordDelimSet;
  try {
    const std::string Word = Source->GetTextAt(P, true);
    if (Word.empty() || Speller->WordAcceptable(Word)) {
      Source->Delimiters = Saved;
      return false;
    }
    Source->JumpTo(P.X, P.Y);
    Editor->MarkWord();
    const TPoint Screen = Editor->ClientToScreen(Point);
    std::string Choice = Word;
    const TSpellPopupOption Action = Speller->ShowPopupMenu(Editor, Options, Screen.X, Screen.Y, Choice);
    auto Parser = std::make_unique<TEasyLexiParser>();
    Parser->Initialize(Editor);
    const TRect R = Editor->SelRect;
    const int Index = Editor->SelType != slNone ? Editor->GetRealChar(R.Top, R.Left) : Editor->GetRealChar(P.Y, P.X);
    Parser->SetPosition(Index + 1, Editor->SelType != slNone ? R.Top : P.Y, ptCurrent);
    switch (Action) {
      case spCancel: break;
      case spDialog: {
        const TSpellEndMessage OldEnd = Speller->EndMessage();
        const TSpellDialogInitialPos OldPos = Speller->DialogInitialPos();
        Speller->SetEndMessage(emNever);
        Speller->SetDialogInitialPos(ipUnderSelection);
        try {
          Speller->CheckParser(Parser.release(), ctSelected);
        } catch (...) {
          Speller->SetEndMessage(OldEnd);
          Speller->SetDialogInitialPos(OldPos);
          throw;
        }
        Speller->SetEndMessage(OldEnd);
        Speller->SetDialogInitialPos(OldPos);
        break;
      }
      case spAutoCorrect: case spChangeAll: case spReplace: Parser->ReplaceWord(Choice, 0); break;
      case spAdd: case spIgnoreAll: Parser->UpdateStrings(0, Editor->LineCount() - 1); break;
      case spIgnore: Parser->IgnoreWord(0); break;
    }
  } catch (...) {
    Source->Delimiters = Saved;
    throw;
  }
  Source->Delimiters = Saved;
  return true;
}
