// The spell-check component: the interactive check, its commands and the undo stack.
#include "spell/Lx3spellbase.h"

#include "platform/controls/Forms.h"
#include "platform/win/MessageBox.h"
#include "spell/Lx3customdictionary.h"
#include "spell/Lx3parseengine.h"
#include "spell/Lx3winapiparser.h"

#include <chrono>

namespace {

std::int64_t TickMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Shows the hourglass for a long scan and puts the screen cursor back.
struct THourglass {
  bool Showing = false;
  TCursor Saved = crDefault;
  void Show() {
    if (!Showing) {
      Saved = Screen->Cursor();
      Screen->SetCursor(crHourGlass);
      Showing = true;
    }
  }
  void Restore() {
    if (Showing) {
      Screen->SetCursor(Saved);
      Showing = false;
    }
  }
};

}  // namespace

void TLexiSpell3Base::CheckParser(TControlParser* Parser, TCheckType CheckType) {
  if (FChecking || (FSequence && FCheckCancelled)) {
    if (FFreeCursorAtEnd) {
      delete Parser;
    }
    return;
  }
  if (!Parser) {
    return;
  }
  if (CheckType == ctSmart) {
    CheckSmart(Parser);
    return;
  }
  FBeforeChangeFired = false;
  FChecking = true;
  FCheckCancelled = false;
  FConfig->EnsureLoaded();
  FParser = Parser;
  FParser->GetCursorPosition(FStartX, FStartY);
  FPreviousWord.clear();
  FRepeatedWord = false;
  FParsingEngine->Initialize(FParser, static_cast<int>(CheckType));
  FUndo.clear();
  if (!FSequence) {
    FWordsChecked = 0;
    FOrderCountdown = 100;
  }
  FDialogShown = FSequence && FDialogShown;
  if (DialogShowImmediate) {
    EnsureUI();
  }
  if (FChecking) {
    OptimizeMainDictionaryOrder();
    if (!(DialogShowImmediate && DialogShowModal)) {
      ContinueCheck();
    }
  }
  while (SynchronousCheck && FChecking) {
    Application->HandleMessage();
  }
}

void TLexiSpell3Base::CheckString(std::string& Text) {
  auto* P = new TStringParser();
  P->Initialize(&Text);
  const bool Sync = SynchronousCheck;
  // The string lives in the caller's frame: the check must end before this call returns.
  SynchronousCheck = true;
  CheckParser(P, ctAll);
  SynchronousCheck = Sync;
}

void TLexiSpell3Base::CheckWinControl(TWinControl* Control, TCheckType CheckType) {
  if (!Control) {
    return;
  }
  auto* P = new TWinAPIControlParser();
  P->Initialize(Control);
  CheckParser(P, CheckType);
}

void TLexiSpell3Base::CheckRichEdit(TWinControl* Control, TCheckType CheckType) {
  // The window cursor tells a rich edit from its window class itself.
  CheckWinControl(Control, CheckType);
}

void TLexiSpell3Base::CheckWinControlHWND(HWND Handle, TCheckType CheckType) {
  if (!Handle) {
    return;
  }
  auto* P = new TWinAPIControlParser();
  P->InitializeFromHWND(Handle);
  CheckParser(P, CheckType);
}

namespace {
TControlParser* WindowCursor(TWinControl* Control) {
  auto* P = new TWinAPIControlParser();
  P->Initialize(Control);
  return P;
}
}  // namespace

int TLexiSpell3Base::GetWordCountWinControl(TWinControl* Control, TCheckType CheckType) {
  return Control ? GetWordCountParser(WindowCursor(Control), CheckType) : 0;
}

int TLexiSpell3Base::GetErrorCountWinControl(TWinControl* Control, TCheckType CheckType) {
  return Control ? GetErrorCountParser(WindowCursor(Control), CheckType) : 0;
}

bool TLexiSpell3Base::ErrorsPresentInWinControl(TWinControl* Control, TCheckType CheckType) {
  return Control && ErrorsPresentInParser(WindowCursor(Control), CheckType);
}

void TLexiSpell3Base::StopCheck(bool Cancel) {
  if (FChecking) {
    FCheckCancelled = Cancel;
    CompleteCheck();
  }
}

void TLexiSpell3Base::ContinueCheck() {
  if (!FChecking || !FParser) {
    return;
  }
  const std::int64_t Start = TickMs();
  THourglass Hourglass;
  for (;;) {
    const std::string Word = FParsingEngine->NextWord();
    FCurrentWord = Word;
    if (Word.empty()) {
      Hourglass.Restore();
      CompleteCheck();
      return;
    }
    ++FWordsChecked;
    if (FOrderCountdown > 0) {
      --FOrderCountdown;
      if (FOrderCountdown == 0) {
        OptimizeMainDictionaryOrder();
      }
    }
    std::string Replacement;
    TWordCheckType Verdict = CheckWord(Word, Replacement);
    if (OnWordCheck) {
      OnWordCheck(this, Word, Verdict, Replacement);
    }
    if (Verdict == wcCorrected) {
      FParser->SelectWord(static_cast<int>(Word.size()));
      SetUndoAction(saChange, Replacement, true);
      Fire_ReplaceWord(Replacement, 2);
    }
    if (UseHourglassCursor && !Hourglass.Showing && TickMs() - Start > 1000) {
      Hourglass.Show();
    }
    if (Verdict == wcAccepted || Verdict == wcCorrected) {
      continue;
    }
    Hourglass.Restore();
    FRepeatedWord = Verdict == wcRepeated;
    if (FRepeatedWord) {
      FCurrentWord = Word + " " + Word;
    }
    FParser->SelectWord(static_cast<int>(FCurrentWord.size()));
    FParser->CenterSelection();
    EnsureUI();
    if (FChecking) {
      DoWordPrompt();
    }
    return;
  }
}

TWordCheckType TLexiSpell3Base::CheckWord(const std::string& Word, std::string& Replacement) {
  if (WordAcceptable(Word)) {
    if (UseExcludeWords && WordExcluded(Word)) {
      return WordHasCorrection(Word, Replacement) ? wcCorrected : wcExcluded;
    }
    if (UseAutoCorrectFirst && WordHasCorrection(Word, Replacement)) {
      return wcCorrected;
    }
    TWordCheckType Verdict = wcAccepted;
    if (FRepeated) {
      if (FPreviousWord == Word && ValidRepeatedWord(Word, FParser)) {
        Verdict = wcRepeated;
      }
      FPreviousWord = Word;
    }
    return Verdict;
  }
  return WordHasCorrection(Word, Replacement) ? wcCorrected : wcDenied;
}

void TLexiSpell3Base::CompleteCheck() {
  if (OnCompleteCheck) {
    OnCompleteCheck(this);
  }
  ShowEndMessage();
  if (!FCheckCancelled && FParser) {
    switch (EndCursorPosition) {
      case epHome:
        FParser->SetPosition(0, 0, ptCurrent);
        break;
      case epOriginal:
        FParser->SetPosition(FStartX, FStartY, ptCurrent);
        break;
      case epNoModify:
        break;
    }
    FParser->SelectWord(0);
  }
  TControlParser* Cursor = FParser;
  FParser = nullptr;
  FParsingEngine->Initialize(nullptr, 0);
  if (FFreeCursorAtEnd) {
    delete Cursor;
  }
  if (FCloseAtEnd) {
    ShutdownUI();
  }
  FUndo.clear();
  FChecking = false;
  UnloadDictionaries();
}

void TLexiSpell3Base::ShowEndMessage() {
  if (UIType != suiDialog || FSequence) {
    return;
  }
  bool Due = false;
  switch (EndMessage) {
    case emNever:
      break;
    case emAlways:
      Due = true;
      break;
    case emExceptCancel:
      Due = !FCheckCancelled;
      break;
    case emNoDialog:
      Due = FDialogShown;
      break;
  }
  if (!Due) {
    return;
  }
  if (FCloseAtEnd) {
    CloseSpellDialog();
  }
  if (OnShowEndMessage) {
    OnShowEndMessage(this);
    return;
  }
  std::string Text = GetString(lsEndMessage);
  if (EndMessageWordCount) {
    Text += "\r\n\r\n" + GetString(lsWordsChecked) + " " + std::to_string(FWordsChecked);
  }
  Application->MessageBox(Text, GetString(lsSpelling), MB_ICONINFORMATION | MB_OK);
}

void TLexiSpell3Base::StartSequenceCheck() {
  FWordsChecked = 0;
  FOrderCountdown = 100;
  FCheckCancelled = false;
  FSequence = true;
  FDialogShown = false;
  FSavedCloseAtEnd = FCloseAtEnd;
  FSavedKeepActive = FKeepDictionariesActive;
  FCloseAtEnd = false;
  FKeepDictionariesActive = true;
}

void TLexiSpell3Base::StopSequenceCheck() {
  if (!FSequence) {
    return;
  }
  FSequence = false;
  FCloseAtEnd = true;
  ShowEndMessage();
  ShutdownUI();
  FCloseAtEnd = FSavedCloseAtEnd;
  WriteKeepDictionariesActive(FSavedKeepActive);
}

void TLexiSpell3Base::CheckSmart(TControlParser* Parser) {
  const bool SavedSync = SynchronousCheck;
  const bool SavedFree = FFreeCursorAtEnd;
  SynchronousCheck = true;
  FFreeCursorAtEnd = false;
  StartSequenceCheck();
  int SX = 0;
  int SY = 0;
  int EX = 0;
  int EY = 0;
  Parser->GetSelectionPosition(SX, SY, EX, EY);
  if (SX == EX && SY == EY) {
    CheckParser(Parser, ctFromCursor);
    if (!FCheckCancelled) {
      Parser->SetPosition(0, 0, ptCurrent);
      Parser->SetPosition(SX, SY, ptEnd);
      CheckParser(Parser, ctCurrent);
    }
  } else {
    CheckParser(Parser, ctSelected);
    if (!FCheckCancelled) {
      const int Answer = UIType == suiDialog
                             ? Application->MessageBox(GetString(lsEndSelectionMessage), GetString(lsSpelling),
                                                       MB_ICONINFORMATION | MB_YESNO)
                             : IDNO;
      if (Answer == IDYES) {
        Parser->SetPosition(EX, EY, ptCurrent);
        Parser->SetPosition(2147483647, 2147483647, ptEnd);
        CheckParser(Parser, ctCurrent);
        Parser->SetPosition(0, 0, ptCurrent);
        Parser->SetPosition(SX, SY, ptEnd);
        CheckParser(Parser, ctCurrent);
      } else {
        FCheckCancelled = true;
      }
    }
  }
  StopSequenceCheck();
  SynchronousCheck = SavedSync;
  FFreeCursorAtEnd = SavedFree;
  if (FFreeCursorAtEnd) {
    delete Parser;
  }
}

// Commands.

void TLexiSpell3Base::Check_Ignore() {
  if (!FChecking) {
    return;
  }
  SetUndoAction(saIgnore, std::string(), false);
  Fire_IgnoreWord(10);
  ContinueCheck();
}

void TLexiSpell3Base::Check_IgnoreAll() {
  if (!FChecking || FRepeatedWord) {
    return;
  }
  SetUndoAction(saIgnoreAll, std::string(), false);
  InternalCustom->AddIgnore(FCurrentWord);
  Fire_IgnoreWord(11);
  ContinueCheck();
}

void TLexiSpell3Base::Check_Change(const std::string& Replacement) {
  if (!FChecking || FRepeatedWord) {
    return;
  }
  const std::string Word = FCurrentWord;
  SetUndoAction(saChange, Replacement, false);
  Fire_ReplaceWord(Replacement, 0);
  if (RecheckReplacedWords && FParser) {
    for (std::size_t I = 0; I < Replacement.size(); ++I) {
      FParser->MovePrevious();
    }
  }
  LearnSuggestion(Word, Replacement);
  ContinueCheck();
}

void TLexiSpell3Base::Check_ChangeAll(const std::string& Replacement) {
  if (!FChecking || FRepeatedWord) {
    return;
  }
  const std::string Word = FCurrentWord;
  SetUndoAction(saChangeAll, Replacement, false);
  InternalCustom->AddAutoCorrect(Word, Replacement);
  Fire_ReplaceWord(Replacement, 1);
  LearnSuggestion(Word, Replacement);
  ContinueCheck();
}

void TLexiSpell3Base::Check_Add() {
  if (!FChecking || FRepeatedWord) {
    return;
  }
  SetUndoAction(saAdd, std::string(), false);
  if (ActiveCustom) {
    ActiveCustom->AddIgnore(FCurrentWord);
  }
  Fire_IgnoreWord(12);
  ContinueCheck();
}

void TLexiSpell3Base::Check_AutoCorrect(const std::string& Replacement) {
  if (!FChecking || FRepeatedWord) {
    return;
  }
  const std::string Word = FCurrentWord;
  SetUndoAction(saAutoCorrect, Replacement, false);
  if (ActiveCustom) {
    ActiveCustom->AddAutoCorrect(Word, Replacement);
  }
  LearnSuggestion(Word, Replacement);
  Fire_ReplaceWord(Replacement, 2);
  ContinueCheck();
}

void TLexiSpell3Base::Check_Undo() {
  if (!FChecking || FUndo.empty()) {
    return;
  }
  PerformUndo();
  ContinueCheck();
}

void TLexiSpell3Base::Check_RepeatIgnore() { Check_Ignore(); }

void TLexiSpell3Base::Check_RepeatDelete() {
  if (!FChecking || !FRepeatedWord) {
    return;
  }
  const std::string Single = FCurrentWord.substr(0, FCurrentWord.find(' '));
  SetUndoAction(saChange, Single, false);
  Fire_ReplaceWord(Single, 0);
  ContinueCheck();
}

void TLexiSpell3Base::Check_ControlEdited() {
  if (!FChecking || !FParser) {
    return;
  }
  FUndo.clear();
  int X = 0;
  int Y = 0;
  FParser->GetPosition(X, Y);
  X = ADMax(0, X - static_cast<int>(FCurrentWord.size()));
  int CX = 0;
  int CY = 0;
  FParser->GetCursorPosition(CX, CY);
  if (!ResumeFromLastPosition || CY < Y || (CY == Y && CX < X)) {
    X = CX;
    Y = CY;
  }
  FParsingEngine->AdjustToPosition(X, Y);
  FPreviousWord.clear();
  FRepeatedWord = false;
  ContinueCheck();
}

void TLexiSpell3Base::Check_Cancel() {
  if (!FChecking) {
    return;
  }
  FCheckCancelled = true;
  CompleteCheck();
}

// Notifications and undo.

void TLexiSpell3Base::Fire_ReplaceWord(const std::string& Replacement, int State) {
  if (!FBeforeChangeFired) {
    FBeforeChangeFired = true;
    if (OnBeforeChange) {
      OnBeforeChange(this);
    }
  }
  if (OnParserReplaceWord) {
    OnParserReplaceWord(this, true, Replacement, State);
  }
  if (FParser) {
    FParser->ReplaceWord(Replacement, State);
  }
  if (OnParserReplaceWord) {
    OnParserReplaceWord(this, false, Replacement, State);
  }
}

void TLexiSpell3Base::Fire_IgnoreWord(int State) {
  if (OnParserIgnoreWord) {
    OnParserIgnoreWord(this, true, State);
  }
  IgnoreWordEventList.State = State;
  IgnoreWordEventList.Before = true;
  IgnoreWordEventList.Notify(this);
  if (FParser) {
    FParser->IgnoreWord(State);
  }
  if (OnParserIgnoreWord) {
    OnParserIgnoreWord(this, false, State);
  }
  IgnoreWordEventList.Before = false;
  IgnoreWordEventList.Notify(this);
}

void TLexiSpell3Base::Fire_UndoLast(int Phase, TSpellAction Action, int& Data) {
  if (OnParserUndoLast) {
    OnParserUndoLast(this, Phase, Action, Data);
  }
  if (FParser) {
    FParser->UndoLast(Phase, static_cast<int>(Action), Data);
  }
}

void TLexiSpell3Base::SetUndoAction(TSpellAction Action, const std::string& Replacement, bool Automatic) {
  if (!FParser || MaxUndo == 0) {
    return;
  }
  TLexiUndo Record;
  FParser->GetPosition(Record.X, Record.Y);
  Record.Word = FCurrentWord;
  Record.Replacement = Replacement;
  Record.Action = Action;
  Record.Automatic = Automatic;
  FUndo.push_back(Record);
  Fire_UndoLast(0, Action, FUndo.back().Data);
  while (MaxUndo != -1 && static_cast<int>(FUndo.size()) > MaxUndo) {
    FUndo.erase(FUndo.begin());
  }
}

void TLexiSpell3Base::PerformUndo() {
  while (!FUndo.empty() && FParser) {
    TLexiUndo Record = FUndo.back();
    Fire_UndoLast(1, Record.Action, Record.Data);
    auto Restore = [&](int State) {
      FParser->SetPosition(Record.X + static_cast<int>(Record.Replacement.size()), Record.Y, ptCurrent);
      FParser->SelectWord(static_cast<int>(Record.Replacement.size()));
      FParser->ReplaceWord(Record.Word, State);
      FParser->SetPosition(Record.X, Record.Y, ptCurrent);
    };
    switch (Record.Action) {
      case saIgnore:
        FParser->SetPosition(Record.X, Record.Y, ptCurrent);
        break;
      case saIgnoreAll:
        InternalCustom->RemoveIgnore(Record.Word);
        FParser->SetPosition(Record.X, Record.Y, ptCurrent);
        break;
      case saChange:
        Restore(3);
        break;
      case saChangeAll:
        InternalCustom->RemoveAutoCorrect(Record.Word);
        Restore(4);
        break;
      case saAdd:
        if (ActiveCustom) {
          ActiveCustom->RemoveIgnore(Record.Word);
        }
        FParser->SetPosition(Record.X, Record.Y, ptCurrent);
        break;
      case saAutoCorrect:
        if (ActiveCustom) {
          ActiveCustom->RemoveAutoCorrect(Record.Word);
        }
        InternalCustom->RemoveAutoCorrect(Record.Word);
        Restore(5);
        break;
    }
    FUndo.pop_back();
    Fire_UndoLast(2, Record.Action, Record.Data);
    if (!Record.Automatic) {
      break;
    }
  }
  // The check reads the restored word again: the engine resumes where the cursor now stands.
  if (FParser) {
    int X = 0;
    int Y = 0;
    FParser->GetPosition(X, Y);
    FParsingEngine->AdjustToPosition(X, Y);
  }
  FPreviousWord.clear();
  FRepeatedWord = false;
}
