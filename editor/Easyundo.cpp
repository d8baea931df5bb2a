// Undo and redo on the edit source: recording, grouping, lock blocks and replay.
#include "editor/Easyeditsource.h"

#include <climits>

bool TCustomEasyEditSource::UndoAvailable() const {
  return FOptions.Contains(srAllowUndo) && UndoList()->Count() > 0;
}

bool TCustomEasyEditSource::RedoAvailable() const {
  return FOptions.Contains(srAllowUndo) && RedoList()->Count() > 0;
}

void TCustomEasyEditSource::UnlockUndo() {
  if (FUndoLockCount <= 0) {
    return;
  }
  if (--FUndoLockCount == 0 && FOptions.Contains(srAllowUndo)) {
    AddUndoRecord(oprBlockUndo, 0);
  }
}

void TCustomEasyEditSource::AddUndoRecord(TEasyOperation Operation, NativeInt Data) {
  TEasyUndoRecord Rec{Operation, FUpdateOperation, FUndoLockCount > 0, FGroupStart, Data};
  UndoList()->Add(&Rec);
  FGroupStart = false;
}

void TCustomEasyEditSource::AddUndoRecordEx(TEasyOperation Operation, NativeInt Data) {
  if (FOptions.Contains(srUndoOnlyChanges)) {
    Data = reinterpret_cast<NativeInt>(new TStoreStringRec{std::string(), std::string(), CurrentPosition, Data});
  }
  AddUndoRecord(Operation, Data);
}

void TCustomEasyEditSource::ProcessUndo(const TEasyUndoRecord& Record) {
  const bool Wrapped = FOptions.Contains(srUndoOnlyChanges);
  NativeInt Value = Record.Data;
  switch (Record.Operation) {
    case oprInsert:
    case oprJoin:
    case oprBreak:
      if (Wrapped) {
        const auto* Rec = reinterpret_cast<const TStoreStringRec*>(Record.Data);
        JumpTo(Rec->Position.X, Rec->Position.Y);
        Value = Rec->Value;
      }
      break;
    case oprDelete:
      if (Wrapped) {
        const auto* Rec = reinterpret_cast<const TStoreStringRec*>(Record.Data);
        JumpTo(Rec->Position.X, Rec->Position.Y);
      }
      break;
    default:
      break;
  }
  switch (Record.Operation) {
    case oprNavigate:
      Navigate(-MoveDX(Record.Data), -MoveDY(Record.Data));
      break;
    case oprInsert:
      DeleteString(static_cast<int>(Value));
      break;
    case oprDelete: {
      const auto* Rec = reinterpret_cast<const TStoreStringRec*>(Record.Data);
      InsertStringWithData(Rec->Text, Rec->Styles);
      break;
    }
    case oprJoin:
      BreakString();
      break;
    case oprBreak:
      JoinStrings();
      break;
    case oprBlockUndo:
      AddUndoRecord(oprBlockUndo, 0);
      break;
    case oprUpdateData: {
      const auto* Rec = reinterpret_cast<const TStoreStringRec*>(Record.Data);
      UpdateStringData(Rec->Position, Rec->Styles);
      LinesUpdated(0, INT_MAX, Rec->Position.Y, Rec->Position.Y, true);
      break;
    }
    default:
      break;
  }
}

void TCustomEasyEditSource::Undo() {
  if (!FOptions.Contains(srAllowUndo) || UndoList()->Count() == 0 || ReadOnly()) {
    return;
  }
  FUndoSwapped = !FUndoSwapped;
  try {
    TEasyUndoList* Replayed = RedoList();
    const TEasyOperation Group = Replayed->Last()->Group;
    BeginSourceUpdate(Group);
    BeginBlockUpdate();
    try {
      bool FirstOfStep = true;
      while (Replayed->Count() > 0) {
        FGroupStart = true;
        State.Include(csUndo);
        const TEasyUndoRecord Q = *Replayed->Last();
        if (Q.Group != Group && !Q.Locked) {
          break;
        }
        if (Q.Operation == oprBlockUndo && !FirstOfStep) {
          break;
        }
        try {
          ProcessUndo(Q);
        } catch (...) {
          Replayed->DeleteLast();
          throw;
        }
        Replayed->DeleteLast();
        FirstOfStep = false;
        if (Q.First && !FOptions.Contains(srGroupUndo) && !Q.Locked) {
          break;
        }
      }
    } catch (...) {
      EndBlockUpdate();
      EndSourceUpdate();
      throw;
    }
    EndBlockUpdate();
    EndSourceUpdate();
  } catch (...) {
    FUndoSwapped = !FUndoSwapped;
    throw;
  }
  FUndoSwapped = !FUndoSwapped;
}

void TCustomEasyEditSource::Redo() {
  FUndoSwapped = !FUndoSwapped;
  try {
    Undo();
  } catch (...) {
    FUndoSwapped = !FUndoSwapped;
    throw;
  }
  FUndoSwapped = !FUndoSwapped;
}
