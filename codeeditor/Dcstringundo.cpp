// The memo source's undo and redo: the record list, grouping, the undo limit and the modified state.
#include "codeeditor/Dcstring.h"

#include <algorithm>

namespace Dcstring {

Z_IMPLEMENT_CLASS(TUndoList, TObject)

TUndoRecord* TUndoList::AddUndoRecord() {
  FRecords.emplace_back();
  return &FRecords.back();
}

void TUndoList::DeleteLast() {
  if (FRecords.empty()) {
    return;
  }
  FRecords.pop_back();
  if (FRecords.size() * 4 < FRecords.capacity()) {
    std::vector<TUndoRecord> Smaller;
    Smaller.reserve(FRecords.capacity() / 2);
    std::move(FRecords.begin(), FRecords.end(), std::back_inserter(Smaller));
    FRecords.swap(Smaller);
  }
}

void TUndoList::Clear() {
  FRecords.clear();
  FRecords.shrink_to_fit();
}

void TUndoList::ClearToIndex(Integer N) {
  const auto Cut = static_cast<std::size_t>(std::clamp<Integer>(N + 1, 0, Count()));
  FRecords.erase(FRecords.begin(), FRecords.begin() + static_cast<std::ptrdiff_t>(Cut));
}

TUndoRecord* TCustomMemoSource::CreateNewUndoRecord(TStringsOperation Operation) {
  if (!FAllowUndo) {
    return nullptr;
  }
  // The limit: the list may exceed it by 100 records before the oldest go, never cutting into an undo block.
  if (!FUndoSwapped && FUndoLimit > 0 && FUndoLimit < FUndoList->Count() - 100) {
    Integer N = FUndoList->Count() - FUndoLimit - 1;
    while (N > 0 && FUndoList->Items(N)->InBlock != 0) {
      --N;
    }
    if (N > 0) {
      FSavedUndoIndex = FSavedUndoIndex - N - 1;
      if (FSavedUndoIndex < 0) {
        FSavedUndoIndex = -1;
        FForcedModified = FindModifiedRecord(N + 1) >= 0;
      }
      FUndoList->ClearToIndex(N);
    }
  }
  TUndoRecord* R = CurrentUndoList()->AddUndoRecord();
  R->Operation = Operation;
  R->GroupStart = FNewUndoGroup ? 1 : 0;
  FNewUndoGroup = false;
  R->Reason = static_cast<Byte>(FUpdateReason & 0xFF);
  R->InBlock = FUndoBlockDepth > 0 ? 1 : 0;
  return R;
}

void TCustomMemoSource::EndUndoBlock() {
  --FUndoBlockDepth;
  if (FUndoBlockDepth <= 0) {
    FUndoBlockDepth = 0;
    if (FAllowUndo) {
      CreateNewUndoRecord(soNavigate);
    }
  }
}

void TCustomMemoSource::ClearUndoBuffer() {
  FUndoList->Clear();
  FRedoList->Clear();
}

void TCustomMemoSource::SetAllowUndo(bool Value) {
  FAllowUndo = Value;
  if (!Value) {
    ClearUndoBuffer();
  }
}

void TCustomMemoSource::SetUndoLimit(Integer Value) { FUndoLimit = std::max<Integer>(Value, 0); }

void TCustomMemoSource::SetModified(bool Value) {
  FForcedModified = Value;
  CheckModified(Value);
}

void TCustomMemoSource::SafeCheckModified(bool Value, bool Notify) {
  if (Value == FModified) {
    return;
  }
  if (Notify) {
    BeginUpdate(Reason::ModifiedFlag);
  }
  FModified = Value;
  if (!Value) {
    FSavedUndoIndex = FindModifiedRecord(MaxInt);
  }
  if (Notify) {
    EndUpdate();
  }
}

Integer TCustomMemoSource::FindModifiedRecord(Integer N) {
  TUndoList* L = CurrentUndoList();
  for (Integer I = std::min(N, L->Count()) - 1; I >= 0; --I) {
    const TStringsOperation Op = L->Items(I)->Operation;
    if (Op != soNavigate && Op != soUpdateColorData) {
      return I;
    }
  }
  return -1;
}

bool TCustomMemoSource::IsSourceModified() {
  if (FForcedModified) {
    return true;
  }
  TUndoList* L = CurrentUndoList();
  for (Integer I = std::max(FSavedUndoIndex + 1, 0); I < L->Count(); ++I) {
    const TStringsOperation Op = L->Items(I)->Operation;
    if (Op != soNavigate && Op != soUpdateColorData) {
      return true;
    }
  }
  return false;
}

void TCustomMemoSource::Undo() {
  if (CurrentUndoList()->Count() == 0 || GetReadOnly()) {
    return;
  }
  SwapUndoRedoLists();
  FJumping = true;
  TUndoList* Consumed = CurrentRedoList();
  const Byte R = Consumed->Last()->Reason;
  BeginUpdate(R);
  State.Include(msUndo);
  try {
    while (Consumed->Count() > 0) {
      FNewUndoGroup = true;
      TUndoRecord Rec = *Consumed->Last();
      if (Rec.Reason != R && Rec.InBlock == 0) {
        break;
      }
      switch (Rec.Operation) {
        case soNavigate: Navigate(-Rec.Value1, -Rec.Value2); break;
        case soInsert: DeleteRight(Rec.Value1); break;
        case soBreakLine: JoinLines(); break;
        case soJoinLines: BreakLine(); break;
        case soDeleteRight:
          if (StoreColorData() && !Rec.ColorText.empty()) {
            InsertEx(Rec.Text, Rec.ColorText);
          } else {
            Insert(Rec.Text);
          }
          break;
        case soUpdateColorData:
          if (StoreColorData() && !Rec.ColorText.empty()) {
            if (TStringItem* Item = GetStringItem(Rec.Value1)) {
              FColorUndo = true;
              MoveColorData(Rec.ColorText, Item->ColorData, Rec.Value2, Rec.Value1);
              FColorUndo = false;
              Item->ItemState.Exclude(isWasParsed);
              UpdateString(Rec.Value1);
            }
          }
          break;
      }
      if (Consumed->Count() == FSavedUndoIndex + 1) {
        FSavedUndoIndex = -1;
        FForcedModified = true;
      }
      Consumed->DeleteLast();
      if (Rec.GroupStart != 0 && Rec.InBlock == 0 && !FOptions.Contains(soGroupUndo)) {
        break;
      }
    }
  } catch (...) {
    FColorUndo = false;
    FJumping = false;
    FSelectionType = stNotSelected;
    EndUpdate();
    SwapUndoRedoLists();
    throw;
  }
  FJumping = false;
  FSelectionType = stNotSelected;
  EndUpdate();
  SwapUndoRedoLists();
  if (FModified && !FUndoSwapped) {
    CheckModified(IsSourceModified());
  }
}

void TCustomMemoSource::Redo() {
  SwapUndoRedoLists();
  try {
    Undo();
  } catch (...) {
    SwapUndoRedoLists();
    throw;
  }
  SwapUndoRedoLists();
  if (FModified) {
    CheckModified(IsSourceModified());
  }
}

}  // namespace Dcstring
