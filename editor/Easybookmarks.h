// Bookmarks and line styles: records that move with the text while it is edited.
#pragma once

#include "editor/Easyclasses.h"
#include "platform/win/WinTypes.h"

// One bookmark (Number = its number) or line style (Char = 0, Number = the style index).
struct TEasyBookMark {
  int Char;
  int Line;
  int Number;
};

// Records ordered by line, then column, then number; key searches compare the line only. Owns its records.
class TEasyBookMarkList : public TEasySortedList {
  Z_CLASS(TEasyBookMarkList, TEasySortedList)
public:
  TEasyBookMarkList();
  ~TEasyBookMarkList() override;

  TEasyBookMark* Mark(int Index) const { return static_cast<TEasyBookMark*>(Items(Index)); }
  void SetBookMark(const TPoint& Point, int Number);  // adds unless an identical record exists
  int GetLineBookMark(int Line);                      // the number of the first record on the line, -1
  bool FindBookMark(int Number, int& Index) const;    // searches from the end
  bool ClearBookMark(int Number, int& Line);          // removes it and reports its line
  void DeleteMark(int Index);                         // removes and frees one record
  void Clear() override;                              // frees every record
  // Moves the records after a change at (X, Y) of DX columns and DY lines; true when any moved.
  bool UpdatePosition(int X, int Y, int DX, int DY);

protected:
  int Compare(void* Item1, void* Item2) override;
  int CompareByKey(void* Item, NativeInt Key) override;
};
