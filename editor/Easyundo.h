// Undo records and the lists that hold them.
#pragma once

#include "editor/Easyclasses.h"
#include "platform/win/WinTypes.h"

#include <string>

// The kinds of edits, update brackets and undo records.
enum TEasyOperation : Byte {
  oprNavigate, oprInsert, oprDelete, oprJoin, oprBreak, oprInsertBlock, oprDeleteBlock, oprInsertObject, oprOther,
  oprBlockUndo, oprUpdateBlock, oprUpdateData, oprUpdateObject, oprUpdateParagraph, oprUpdateLine, oprUpdateLines
};

// The payload of deletions and style updates, and the wrapper that keeps the caret position of a change
// when only changes are recorded.
struct TStoreStringRec {
  std::string Text;
  std::string Styles;  // 16-bit codes, two bytes each
  TPoint Position;
  NativeInt Value = 0;
};

// One undo record, stored inline in a TEasyUndoList.
struct TEasyUndoRecord {
  TEasyOperation Operation;
  TEasyOperation Group;  // the operation of the outermost bracket when recorded
  bool Locked;           // recorded inside LockUndo / UnlockUndo
  bool First;            // the first record of its outermost bracket
  NativeInt Data;        // the payload: a value, a packed move or a TStoreStringRec*
};

// A caret move (dx, dy) packed into a record's payload.
inline NativeInt PackMove(int DX, int DY) {
  return static_cast<NativeInt>((static_cast<UInt64>(static_cast<Cardinal>(DY)) << 32) | static_cast<Cardinal>(DX));
}
inline int MoveDX(NativeInt Data) { return static_cast<int>(static_cast<Cardinal>(static_cast<UInt64>(Data))); }
inline int MoveDY(NativeInt Data) { return static_cast<int>(static_cast<Cardinal>(static_cast<UInt64>(Data) >> 32)); }

// The undo or redo list of an edit source, which owns both. It owns the payloads of its records.
class TEasyUndoList : public TEasyRecordList {
  Z_CLASS(TEasyUndoList, TEasyRecordList)
public:
  TEasyUndoList() : TEasyRecordList(sizeof(TEasyUndoRecord)) {}
  ~TEasyUndoList() override;

  TEasyUndoRecord* Record(int Index) const { return static_cast<TEasyUndoRecord*>(Get(Index)); }
  TEasyUndoRecord* Last() const { return Count() > 0 ? Record(Count() - 1) : nullptr; }
  void DestroyUndoRecord(TEasyUndoRecord* Rec);  // releases the payload
  void Clear() override;
  void DeleteLast();
  // Whether insert, join and break records wrap their payload with the caret position.
  bool WrapsPayload() const { return FWraps; }
  void SetWrapsPayload(bool Value) { FWraps = Value; }

private:
  bool FWraps = false;
};
