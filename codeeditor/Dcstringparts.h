// The memo source's bookkeeping lists: undo records, bookmarks and the hidden lines.
#pragma once

#include "codeeditor/Dcstringlines.h"
#include "platform/win/WinTypes.h"
#include "suitebase/Sortedlists.h"

#include <string>
#include <vector>

namespace Dcstring {

// The primitive a record undoes; the numbers are kept in the records.
enum TStringsOperation { soNavigate, soInsert, soBreakLine, soJoinLines, soDeleteRight, soUpdateColorData };

// One undo record. Value1: the line delta (navigate), the inserted length (insert) or the line (colour data);
// Value2: the column delta (navigate) or the 1-based index in the colour data.
struct TUndoRecord {
  TStringsOperation Operation = soNavigate;
  Integer Value1 = 0;
  Integer Value2 = 0;
  std::string Text;       // the deleted text (delete right)
  std::string ColorText;  // the deleted or replaced colour data
  Byte GroupStart = 0;    // 1: the first record of its outermost update
  Byte Reason = 0;        // low byte of the update's reason
  Byte InBlock = 0;       // 1: made inside an undo block
};

// An append-only list of undo records. Record pointers stay valid until the record is deleted or the list
// cleared; adding may move them.
class TUndoList : public TObject {
  Z_CLASS(TUndoList, TObject)
public:
  TUndoList() = default;
  TUndoRecord* AddUndoRecord();  // a zero-filled record at the end
  // Removes the last record; the capacity halves when the count times 4 falls below it.
  void DeleteLast();
  void Clear();
  void ClearToIndex(Integer N);  // the N + 1 oldest records go
  Integer Count() const { return static_cast<Integer>(FRecords.size()); }
  Integer Capacity() const { return static_cast<Integer>(FRecords.capacity()); }
  TUndoRecord* Items(Integer Index) { return &FRecords[static_cast<std::size_t>(Index)]; }
  TUndoRecord* Last() { return FRecords.empty() ? nullptr : &FRecords.back(); }

private:
  std::vector<TUndoRecord> FRecords;
};

// A record of a sorted position list starts with a column and a line.
struct TMemoPositionRec {
  Integer Col = 0;
  Integer Line = 0;
};

// A sorted list of records (owned, freed by Clear and Delete) ordered by line, then column.
class TMemoPositionList : public Vivaridiriz::TSortedListEx {
  Z_CLASS(TMemoPositionList, Vivaridiriz::TSortedListEx)
public:
  TMemoPositionList();
  ~TMemoPositionList() override;
  Integer Compare(Pointer Item1, Pointer Item2) override;
  void Delete(Integer Index) override;
  void ClearRecords();
  void Resort();  // after records were moved in place

protected:
  virtual void FreeRecord(Pointer Item);
};

using TBookMarkNumber = Integer;  // 1 to 255; 0 means none

struct TBookMarkRec : TMemoPositionRec {
  Integer Number = 0;
};

// The bookmarks of one memo source, ordered by line, then column, then number.
class TMemoBookMarkList : public TMemoPositionList {
  Z_CLASS(TMemoBookMarkList, TMemoPositionList)
public:
  TMemoBookMarkList() = default;
  Integer Compare(Pointer Item1, Pointer Item2) override;
  TBookMarkRec* Rec(Integer Index) const { return static_cast<TBookMarkRec*>(Get(Index)); }

  void SetBookMark(const TPoint& P, Integer Number);  // nothing when an identical record exists
  Integer GetBookMarkForLine(Integer Line) const;     // the leftmost bookmark's number, or 0
  Integer GetBookmarkFromRange(Integer Line, Integer FromCol, Integer ToCol) const;
  void GetBookmarksFromRange(Integer Line, Integer FromCol, Integer ToCol, std::vector<TBookMarkRec>& List) const;
  bool ClearBookMark(Integer Number, Integer& Line);  // removes the last record with that number
  bool FindBookMark(Integer Number, TBookMarkRec& Rec) const;
  // On Line, records at or right of Col (Delta > 0) or right of Col (Delta < 0) move by Delta columns.
  void CharChanged(Integer Line, Integer Col, Integer Delta);
  // Records below Line, and on Line at or right of Col, move by Delta lines.
  void LineChanged(Integer Line, Integer Col, Integer Delta);

protected:
  void FreeRecord(Pointer Item) override;
};

// The sorted real indices of the hidden lines, each at most once.
class TVisibleLinesList : public TObject {
  Z_CLASS(TVisibleLinesList, TObject)
public:
  TVisibleLinesList() = default;
  void AddLine(Integer Line);     // nothing when held
  void RemoveLine(Integer Line);  // nothing when not held
  bool Contains(Integer Line) const;
  void Clear() { FLines.clear(); }
  Integer Count() const { return static_cast<Integer>(FLines.size()); }
  Integer Items(Integer Index) const { return FLines[static_cast<std::size_t>(Index)]; }
  // Entries greater than Line move by Delta; entries that meet another are held once.
  void LineChanged(Integer Line, Integer Delta);
  Integer RealToVisibleIndex(Integer Line) const;
  Integer VisibleToRealIndex(Integer Visible) const;

private:
  std::vector<Integer> FLines;
};

}  // namespace Dcstring
