// Tab stops: a tab-stop list such as "8" or "4,8,12" and the conversions between a line's characters and
// display columns.
#pragma once

#include "platform/rtl/System.h"

#include <string>
#include <string_view>
#include <vector>

// The tab stops of one edit source, which owns it. Stops are ascending positive columns; after the last
// explicit stop they continue at a fixed step (the only stop, or the difference of the last two).
class TTabStopList : public TObject {
  Z_CLASS(TTabStopList, TObject)
public:
  TTabStopList() = default;
  TTabStopList(const TTabStopList&) = delete;
  TTabStopList& operator=(const TTabStopList&) = delete;

  // Reads a comma-separated list of stops. Raises "Invalid Tab Stop" for an item that is not positive or
  // not above the previous one (EConvertError for an item that is not a number); the previous stops and
  // text then stay in force. An empty list means the single stop 8.
  void SetTabStops(std::string_view Text);
  const std::string& GetTabStops() const { return FTabStops; }

  int GetStop(int Column) const;  // the first stop after Column, computed
  int Get(int Column);            // the same through the per-column cache; MaxInt stays MaxInt
  int GetPrev(int Column);        // the stop before the one Get(Column - 1) gives; 0 when none

  // The line with every tab replaced by blanks up to its stop.
  std::string GetRealString(std::string_view Line);
  // The display column at which character Index (0-based) starts.
  int RealPosToPos(std::string_view Line, int Index);
  // The character index holding display column Column. When the column lies inside a tab's expansion,
  // InTab is the offset inside it (the result is then the tab's index); TabWidth is the extra width of
  // the last tab walked.
  int PosToRealPos(std::string_view Line, int Column, int& InTab, int& TabWidth);
  int PosToRealPos(std::string_view Line, int Column) {
    int InTab = 0;
    int TabWidth = 0;
    return PosToRealPos(Line, Column, InTab, TabWidth);
  }

private:
  std::string FTabStops = "8";
  std::vector<int> FStops{8};
  std::vector<int> FCache;  // FCache[c] = next stop after column c
};
