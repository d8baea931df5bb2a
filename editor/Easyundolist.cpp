// The undo and redo lists.
#include "editor/Easyundo.h"

Z_IMPLEMENT_CLASS(TEasyUndoList, TEasyRecordList)

TEasyUndoList::~TEasyUndoList() { Clear(); }

void TEasyUndoList::DestroyUndoRecord(TEasyUndoRecord* Rec) {
  bool HasRec = false;
  switch (Rec->Operation) {
    case oprDelete:
    case oprUpdateData:
      HasRec = true;
      break;
    case oprInsert:
    case oprJoin:
    case oprBreak:
      HasRec = FWraps;
      break;
    default:
      break;
  }
  if (HasRec) {
    delete reinterpret_cast<TStoreStringRec*>(Rec->Data);
  }
  Rec->Data = 0;
}

void TEasyUndoList::Clear() {
  for (int I = 0; I < Count(); ++I) {
    DestroyUndoRecord(Record(I));
  }
  TEasyRecordList::Clear();
}

void TEasyUndoList::DeleteLast() {
  if (Count() > 0) {
    DestroyUndoRecord(Record(Count() - 1));
    Delete(Count() - 1);
  }
}
