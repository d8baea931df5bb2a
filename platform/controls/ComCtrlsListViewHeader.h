// The column header window of the list view's report view, shared by the list view's sources.
#pragma once

#include "platform/controls/ComCtrls.h"

#include <vector>

// The column header of the report view: a window of its own that answers the HDM_ messages and tells its
// parent (the list view) HDN_ITEMCLICK, HDN_BEGINTRACK / HDN_TRACK / HDN_ENDTRACK and HDN_ITEMCHANGING /
// HDN_ITEMCHANGED.
class TListViewHeader : public TCustomControl {
  Z_CLASS(TListViewHeader, TCustomControl)

public:
  explicit TListViewHeader(TCustomListView* AList) : TCustomControl(nullptr), FList(AList) {
    FColor = clBtnFace;
    FParentColor = false;
  }
  void Dispatch(TMessage& Message) override;
  // Sort marks and owner drawing per column (HDF_ flags beyond the alignment).
  std::vector<int> Formats;
  int Format(int Index) const {
    return Index >= 0 && Index < static_cast<int>(Formats.size()) ? Formats[static_cast<std::size_t>(Index)] : 0;
  }
  TRect ItemRect(int Index);

protected:
  void Paint() override;

private:
  LRESULT NotifyHeader(UINT Code, int Item, HDITEM* Data);
  int DividerAt(int X);
  int ItemAt(int X);
  TCustomListView* FList;
  int FTracking = -1;
  int FTrackStartX = 0;
  int FTrackStartWidth = 0;
  int FPressed = -1;
};
