// The display rows of word-wrapped text: one record per row, sorted by line and end column, with the
// conversions between text positions (column, line) and wrap points (column within the row, row). Rows are
// wrapped lazily: a question about a row or line not wrapped yet asks the editor to wrap further.
#pragma once

#include "platform/rtl/System.h"
#include "platform/win/WinTypes.h"

#include <functional>
#include <vector>

class TCustomEasyEdit;

// One display row: the columns StartChar <= c < EndChar of Line. EndChar is 2147483647 for a line's last row.
struct TEasyWrapRow {
  int Line = 0;
  int EndChar = 0;
  int StartChar = 0;
};

// Asked to wrap the lines First .. Last (Last 2147483647: up to the end).
using TUpdateWordWrapEvent = std::function<void(TObject* Sender, int First, int Last)>;

// The rows of an editor; the editor owns it. Rows are kept by value in one array, so a list of a million rows
// costs no allocation per row and dropping the rows below an edit is constant time.
class TEasyWrapList : public TObject {
  Z_CLASS(TEasyWrapList, TObject)
public:
  using TConstructorArg = TCustomEasyEdit*;
  explicit TEasyWrapList(TCustomEasyEdit* AEdit = nullptr) : FEdit(AEdit) {}

  int Count() const { return static_cast<int>(FRows.size()); }
  const TEasyWrapRow& Row(int Index) const { return FRows[static_cast<std::size_t>(Index)]; }
  TCustomEasyEdit* Edit() const { return FEdit; }
  void Clear() { FRows.clear(); }
  void ClearList() { FRows.clear(); }
  // Removes the rows of lines First .. Last.
  void ClearLines(int First, int Last);
  // Puts Rows (the rows of lines First .. Last, in order) in place of the rows those lines have now.
  void ReplaceLines(int First, int Last, const std::vector<TEasyWrapRow>& Rows);
  // The index of the first row of Line, or of the first row after it when it has none (no wrapping asked).
  int FirstRowOf(int Line) const;

  // Whether row (ByRow) or line N is not wrapped yet; then the lines to wrap.
  bool NeedWrap(int N, bool ByRow, int& Last, int& First) const;
  void CheckWrapUpdated(int N, bool ByRow);
  // The row holding the point, -1 when none. A column equal to a row's end belongs to that row only with
  // AtRowEnd (or when it is the line's last row).
  int IndexFromPoint(const TPoint& P, bool AtRowEnd);
  TPoint PointToWrapPoint(const TPoint& P, bool AtRowEnd);
  // The row of a wrap point, limited to the last row; -1 for an empty list.
  int IndexFromWrapPoint(const TPoint& P);
  TPoint WrapPointToPoint(const TPoint& P);
  // As WrapPointToPoint, but rows below the last row map to lines below the last line.
  TPoint WrapPointToPointEx(const TPoint& P);

  TUpdateWordWrapEvent OnUpdateWordWrap;

private:
  // The first index whose (Line, EndChar) is not less than (Line, EndChar).
  int LowerBound(int Line, int EndChar) const;
  TCustomEasyEdit* FEdit;
  std::vector<TEasyWrapRow> FRows;
};
