// The dock's row layout: wanted rows and positions resolved into rows that fit, windows placed, the dock sized.
#include "toolbars/Tb2dock.h"
#include "toolbars/Tb2dockable.h"

#include <algorithm>

namespace {

struct TWork {
  TTBCustomDockableWindow* Bar = nullptr;
  int Row = 0;
  int LayoutRow = -1;
  int Gap = 0;
  int FullSize = 0;
  int MinSize = 0;
  int CurSize = 0;
  int Overlap = 0;
  int Pos = 0;
  TTBShrinkMode Shrink = tbsmNone;
  bool NeedArrange = false;
};

// Every window from index From on with a row at or past Row, and every window anywhere past Row, moves down.
void PushDown(std::vector<TWork>& W, int Row, std::size_t From) {
  for (std::size_t I = 0; I < W.size(); ++I) {
    if ((I >= From && W[I].Row >= Row) || W[I].Row > Row) {
      ++W[I].Row;
      if (W[I].LayoutRow >= 0) {
        ++W[I].LayoutRow;
      }
    }
  }
}

int HighestRow(const std::vector<TWork>& W) {
  int H = -1;
  for (const TWork& X : W) {
    H = std::max(H, X.Row);
  }
  return H;
}

}  // namespace

// The rows of one arrangement: the windows in the order they are placed, each with its row, position and size as
// worked out so far. The phases run in the order ArrangeRows calls them.
struct TTBDock::TRowArrangement {
  TTBDock& Dock;
  const bool Vertical;
  const int Available;
  std::vector<TWork> W;

  TRowArrangement(TTBDock& ADock, const std::vector<TTBCustomDockableWindow*>& List);
  void SeparateOwnRows();
  void DropEmptyRows();
  std::vector<std::size_t> FillRow(int R);
  void PositionRow(const std::vector<std::size_t>& Row);
  void Commit(const std::vector<TTBCustomDockableWindow*>& List);
  void PlaceWindows();
};

void TTBDock::ArrangeToolbars() {
  if (FUpdateCount > 0 || ComponentState().Contains(csLoading)) {
    FArrangeNeeded = true;
    return;
  }
  ++FUpdateCount;
  struct TUnwind {
    TTBDock* D;
    ~TUnwind() {
      --D->FUpdateCount;
      D->FArrangeNeeded = false;
      D->CommitOnArrange = false;
    }
  } Unwind{this};
  const bool Vertical = IsVertical();
  if (!HasVisibleToolbars()) {
    const int Thick = ComponentState().Contains(csDesigning) ? 9 : (FFixAlign ? 1 : 0);
    if (Vertical) {
      ChangeWidthHeight(Thick, Height());
    } else {
      ChangeWidthHeight(Width(), Thick);
    }
    return;
  }
  // Windows being destroyed leave both lists.
  for (std::size_t I = FDockList.size(); I-- > 0;) {
    if (FDockList[I]->ComponentState().Contains(csDestroying)) {
      TTBCustomDockableWindow* Gone = FDockList[I];
      FDockList.erase(FDockList.begin() + static_cast<std::ptrdiff_t>(I));
      FVisibleList.erase(std::remove(FVisibleList.begin(), FVisibleList.end(), Gone), FVisibleList.end());
    }
  }
  if (FLimitToOneRow) {
    for (TTBCustomDockableWindow* B : FDockList) {
      B->FDockRow = 0;
    }
  }
  std::vector<TTBCustomDockableWindow*> List(FDockList);
  ArrangeRows(List);
}

TTBDock::TRowArrangement::TRowArrangement(TTBDock& ADock, const std::vector<TTBCustomDockableWindow*>& List)
    : Dock(ADock),
      Vertical(ADock.IsVertical()),
      Available(
          std::max(0, Vertical ? ADock.Height() - ADock.FNonClientHeight : ADock.Width() - ADock.FNonClientWidth)),
      W(List.size()) {
  for (std::size_t I = 0; I < List.size(); ++I) {
    W[I].Bar = List[I];
    W[I].Row = List[I]->FDockRow;
    W[I].LayoutRow = Dock.ToolbarVisibleOnDock(List[I]) ? List[I]->FDockRow : -1;
    W[I].Pos = List[I]->FDockPos;
  }
}

// Windows that asked for a row of their own, then full-size windows, push the others in their row down.
void TTBDock::TRowArrangement::SeparateOwnRows() {
  for (int Pass = 0; Pass < 2; ++Pass) {
    for (int R = 0; R <= HighestRow(W); ++R) {
      for (std::size_t I = 0; I < W.size(); ++I) {
        TTBCustomDockableWindow* B = W[I].Bar;
        const bool Own = Pass == 0 ? (B->NewRowRequested && !Dock.FLimitToOneRow) : B->FullSize();
        if (W[I].Row != R || W[I].LayoutRow < 0 || !Own) {
          continue;
        }
        bool Shared = false;
        for (std::size_t J = 0; J < W.size(); ++J) {
          Shared = Shared || (J != I && W[J].Row == R && W[J].LayoutRow >= 0);
        }
        if (Shared) {
          for (std::size_t J = 0; J < W.size(); ++J) {
            if (J != I && W[J].Row >= R) {
              ++W[J].Row;
              if (W[J].LayoutRow >= R) {
                ++W[J].LayoutRow;
              }
            }
          }
        }
      }
    }
  }
}

// Rows that no window names disappear.
void TTBDock::TRowArrangement::DropEmptyRows() {
  for (int R = 0; R <= HighestRow(W);) {
    const bool Used = std::any_of(W.begin(), W.end(), [R](const TWork& X) { return X.Row == R; });
    if (Used) {
      ++R;
      continue;
    }
    for (TWork& X : W) {
      if (X.Row > R) {
        --X.Row;
        if (X.LayoutRow > R) {
          --X.LayoutRow;
        }
      }
    }
  }
}

// The shown windows of row R, measured; the first that no longer fits (even shrunk to its chevron) and the
// windows after it move down a row. Returns the indexes of the windows that stay.
std::vector<std::size_t> TTBDock::TRowArrangement::FillRow(int R) {
  std::vector<std::size_t> Row;
  int RowMin = 0;
  for (std::size_t I = 0; I < W.size(); ++I) {
    if (W[I].LayoutRow != R) {
      continue;
    }
    TWork& X = W[I];
    TPoint Base{0, 0};
    X.Bar->GetBaseSize(Base);
    X.FullSize = (Vertical ? Base.Y + X.Bar->GetNonClientHeight() : Base.X + X.Bar->GetNonClientWidth());
    X.CurSize = X.FullSize;
    X.Shrink = X.Bar->GetShrinkMode();
    int Min = 0;
    X.Bar->GetMinShrinkSize(Min);
    X.MinSize = std::min(Min, X.FullSize);
    X.Gap = 0;
    X.Overlap = 0;
    RowMin += X.Shrink == tbsmChevron ? X.MinSize : X.FullSize;
    if (!Row.empty() && RowMin > Available && !Dock.FLimitToOneRow) {
      PushDown(W, R, I);
      break;
    }
    Row.push_back(I);
  }
  return Row;
}

// The positions in one row: wanted positions with their gaps where there is room, the dragged window kept where
// it is dragged, gaps then chevron windows then other shrinkable windows giving way until the row fits, and
// full-size and stretching windows taking the room left.
void TTBDock::TRowArrangement::PositionRow(const std::vector<std::size_t>& Row) {
  TTBCustomDockableWindow* const DragWindow = Dock.DragWindow;
  int Excess = -Available;
  for (std::size_t I : Row) {
    Excess += W[I].FullSize;
  }
  // Wanted positions: gaps are kept where there is room, overlaps noted.
  int E = 0, S = 0, M = 0, P = 0, DragWanted = 0;
  std::ptrdiff_t DragAt = -1;
  for (std::size_t K = 0; K < Row.size(); ++K) {
    TWork& X = W[Row[K]];
    int Want = (E == 0 && (X.Bar->FullSize() || X.Bar->Stretch())) ? 0 : X.Pos + S;
    if (X.Bar == DragWindow) {
      DragWanted = Want;
      DragAt = static_cast<std::ptrdiff_t>(K);
    }
    Want = std::max(Want, M);
    if (Want > E) {
      if (Excess > 0) {
        S -= Want - E;
      } else {
        X.Gap = Want - E;
      }
      E = Want;
    } else if (Want < P) {
      X.Overlap = P - Want;
    }
    P = Want + X.CurSize;
    M += X.MinSize;
    E += X.CurSize;
  }
  if (Excess < 0 && DragAt >= 0) {
    int End = 0;
    for (std::ptrdiff_t K = 0; K < DragAt; ++K) {
      End += W[Row[static_cast<std::size_t>(K)]].Gap + W[Row[static_cast<std::size_t>(K)]].CurSize;
    }
    for (std::ptrdiff_t K = DragAt - 1; K >= 0 && End > DragWanted; --K) {
      TWork& X = W[Row[static_cast<std::size_t>(K)]];
      const int Take = std::min(X.Gap, End - DragWanted);
      X.Gap -= Take;
      End -= Take;
    }
  }
  int Total = 0;
  for (std::size_t I : Row) {
    Total += W[I].Gap + W[I].CurSize;
  }
  for (std::size_t K = Row.size(); K-- > 0 && Total > Available;) {
    TWork& X = W[Row[K]];
    const int Take = std::min(X.Gap, Total - Available);
    X.Gap -= Take;
    Total -= Take;
  }
  if (Excess > 0) {
    int OverlapSum = 0;
    for (std::size_t K = 0; K < Row.size() && Excess > 0; ++K) {
      OverlapSum = std::min(OverlapSum + W[Row[K]].Overlap, Excess);
      for (std::size_t J = K; J-- > 0 && OverlapSum > 0;) {
        TWork& X = W[Row[J]];
        if (X.Shrink == tbsmChevron && X.CurSize > X.MinSize) {
          const int Take = std::min({X.CurSize - X.MinSize, OverlapSum, Excess});
          X.CurSize -= Take;
          Excess -= Take;
          OverlapSum -= Take;
        }
      }
      if (W[Row[K]].Bar == DragWindow) {
        break;
      }
    }
    if (Row.size() > 1 && DragAt >= 0) {
      Dock.DragRowOverfull = true;
    }
  }
  for (std::size_t K = Row.size(); K-- > 0 && Excess > 0;) {
    TWork& X = W[Row[K]];
    if (X.Shrink == tbsmNone || (X.Shrink == tbsmWrap && Row.size() > 1)) {
      continue;
    }
    const int Take = std::min(std::max(0, X.CurSize - X.MinSize), Excess);
    X.CurSize -= Take;
    Excess -= Take;
  }
  int T = 0;
  for (std::size_t K = 0; K < Row.size(); ++K) {
    TWork& X = W[Row[K]];
    if (X.Bar->FullSize() || X.Bar->Stretch()) {
      X.CurSize += X.Gap;
      X.Gap = 0;
    }
    if (X.Bar->FullSize()) {
      X.CurSize = std::max(X.CurSize, Available);
    }
    if (X.Bar->Stretch()) {
      if (K + 1 < Row.size()) {
        X.CurSize += W[Row[K + 1]].Gap;
        W[Row[K + 1]].Gap = 0;
      } else {
        X.CurSize = std::max(X.CurSize, Available - T);
      }
    }
    T += X.Gap;
    X.Pos = T;
    T += X.CurSize;
  }
}

// The windows learn their effective rows and positions; a committing arrangement also makes them the wanted ones
// and keeps the new order.
void TTBDock::TRowArrangement::Commit(const std::vector<TTBCustomDockableWindow*>& List) {
  for (TWork& X : W) {
    X.Bar->FEffectiveDockRow = X.Row;
    X.Bar->FEffectiveDockPos = X.Pos;
    if (Dock.CommitOnArrange) {
      X.Bar->FDockRow = X.Row;
      X.Bar->FDockPos = X.Pos;
    }
  }
  if (Dock.CommitOnArrange) {
    Dock.FDockList = List;
  }
}

// Row by row: each window arranged again when its shrunk size changed, the row as thick as its thickest window
// (and a margin), the windows placed in it, and the dock sized to hold the rows.
void TTBDock::TRowArrangement::PlaceWindows() {
  const TTBDockType DockType = Vertical ? dtLeftRight : dtTopBottom;
  int Offset = 0;
  for (int R = 0; R <= HighestRow(W); ++R) {
    int Thick = 0;
    std::vector<TWork*> Row;
    std::vector<int> Shrunk;
    for (TWork& X : W) {
      if (X.LayoutRow != R) {
        continue;
      }
      Row.push_back(&X);
      const int NewShrunk = X.CurSize < X.FullSize ? X.CurSize : 0;
      TPoint Size{0, 0};
      if (X.Shrink != tbsmNone && NewShrunk != X.Bar->FCurrentShrunkSize) {
        X.Bar->FCurrentShrunkSize = NewShrunk;
        Size = X.Bar->DoArrange(false, DockType, false, &Dock);
        X.NeedArrange = true;
      } else if (X.Shrink == tbsmWrap && NewShrunk != 0) {
        Size = Point(X.Bar->ClientWidth(), X.Bar->ClientHeight());
      } else {
        X.Bar->GetBaseSize(Size);
      }
      X.Bar->FCurrentShrunkSize = NewShrunk;
      Shrunk.push_back(NewShrunk);
      X.Bar->FRowThickness = Vertical ? Size.X : Size.Y;
      Thick = std::max(Thick, X.Bar->FRowThickness);
    }
    if (Thick != 0) {
      Thick += 4;
    }
    for (std::size_t K = 0; K < Row.size(); ++K) {
      TTBCustomDockableWindow* B = Row[K]->Bar;
      ++B->FPositioningLock;
      try {
        if (Row[K]->NeedArrange) {
          B->FArrangeNeeded = true;
        }
        if (Vertical) {
          B->SetBounds(Offset, Row[K]->Pos, Thick, Row[K]->CurSize);
        } else {
          B->SetBounds(Row[K]->Pos, Offset, Row[K]->CurSize, Thick);
        }
        if (B->FArrangeNeeded) {
          B->Arrange();
        }
        B->FCurrentShrunkSize = Shrunk[K];
      } catch (...) {
        --B->FPositioningLock;
        throw;
      }
      --B->FPositioningLock;
    }
    Offset += Thick;
  }
  if (Vertical) {
    Dock.ChangeWidthHeight(Dock.FNonClientWidth + Offset, Dock.Height());
  } else {
    Dock.ChangeWidthHeight(Dock.Width(), Dock.FNonClientHeight + Offset);
  }
}

void TTBDock::ArrangeRows(std::vector<TTBCustomDockableWindow*>& List) {
  // The windows in row and position order; a window being dragged may keep its place in the list.
  auto ByRowPos = [](TTBCustomDockableWindow* A, TTBCustomDockableWindow* B) {
    return A->FDockRow != B->FDockRow ? A->FDockRow < B->FDockRow : A->FDockPos < B->FDockPos;
  };
  const auto DragBefore = std::find(List.begin(), List.end(), DragWindow);
  const std::ptrdiff_t DragIndex = DragBefore == List.end() ? -1 : DragBefore - List.begin();
  std::stable_sort(List.begin(), List.end(), ByRowPos);
  if (KeepDragOrder && DragIndex >= 0) {
    List.erase(std::find(List.begin(), List.end(), DragWindow));
    List.insert(List.begin() + DragIndex, DragWindow);
  }
  std::stable_sort(FVisibleList.begin(), FVisibleList.end(), ByRowPos);

  TRowArrangement A(*this, List);
  A.SeparateOwnRows();
  A.DropEmptyRows();
  for (int R = 0; R <= HighestRow(A.W); ++R) {
    const std::vector<std::size_t> Row = A.FillRow(R);
    if (!Row.empty()) {
      A.PositionRow(Row);
    }
  }
  A.Commit(List);
  A.PlaceWindows();
}
