// ZEZCustomTreeView: sorting the children of every node by text, by the application's comparison or both.
#include "treeview/Dcntree.h"

#include "platform/rtl/SysUtils.h"

bool ZEZCustomTreeView::IsSorted() const {
  return FSortType == stText || FSortType == stBoth ||
         ((FSortType == stData || FSortType == stBoth) && static_cast<bool>(OnCompare));
}

void ZEZCustomTreeView::SetSortType(TSortType Value) {
  if (Value == FSortType) {
    return;
  }
  FSortType = Value;
  if (IsSorted()) {
    AlphaSort();
  }
}

void ZEZCustomTreeView::SetSortOrder(ZEZSortOrder Value) {
  if (Value == FSortOrder) {
    return;
  }
  FSortOrder = Value;
  if (FSortType != stNone) {
    AlphaSort();
  }
}

bool ZEZCustomTreeView::IsSortLocked() const { return FItems->Locked() || Destroying(); }

bool ZEZCustomTreeView::CustomSort(const TZEZTVCompare& SortProc, Integer Data) {
  if (IsSortLocked()) {
    return true;
  }
  FItems->BeginLock();
  try {
    // Parents before their children, over the whole tree, without recursion.
    for (ZEZTreeNode* N = FRoot; N;) {
      if (N->GetFirstChild()) {
        N->CustomSort(SortProc, Data);
      }
      if (N->GetFirstChild()) {
        N = N->GetFirstChild();
        continue;
      }
      while (N && N != FRoot && !N->GetNextSibling()) {
        N = N->InternalParent();
      }
      N = N && N != FRoot ? N->GetNextSibling() : nullptr;
    }
  } catch (...) {
    FItems->EndLock();
    FItems->ClearCache();
    throw;
  }
  FItems->EndLock();
  FItems->ClearCache();
  TopItemChanged();
  return true;
}

Integer ZEZCustomTreeView::DoCompare(ZEZTreeNode* Node1, ZEZTreeNode* Node2) {
  return AnsiCompareText(Node1->GetText(), Node2->GetText());
}

Integer ZEZCustomTreeView::DefaultNodeCompare(ZEZTreeNode* Node1, ZEZTreeNode* Node2, Integer Data) {
  if (OnCompare) {
    Integer Compare = 0;
    OnCompare(this, Node1, Node2, Data, Compare);
    return Compare;
  }
  return DoCompare(Node1, Node2);
}
