// ZEZTreeNode: expanding and collapsing, moving, deleting, sorting and copying.
#include "treeview/Dcntree.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>

// ---- expand and collapse ---------------------------------------------------------------------------------------

void ZEZTreeNode::EnsureExpanded() {
  for (ZEZTreeNode* A = FParent; A; A = A->FParent) {
    A->Expand(false);
  }
}

void ZEZTreeNode::Expand(bool Recurse) {
  ZEZCustomTreeView* V = FTreeView;
  if (!GetHasChildren() || !V) {
    return;
  }
  if (!((!GetExpanded() && V->CanExpand(this)) || Recurse)) {
    return;
  }
  FOwner->ClearCache();
  V->EndEditNode(false);
  V->DoExpandNode(this);
  if (!FFirstChild) {
    return;
  }
  FStates.Include(nsExpanded);
  if (Recurse) {
    // Depth first without recursion: a stack of the children still to visit.
    struct TFrame {
      ZEZTreeNode* Child;
      ZEZTreeNode* Expanded;  // the node expanded at this level, announced when its subtree is done
    };
    std::vector<TFrame> Stack;
    Stack.push_back({FFirstChild, nullptr});
    while (!Stack.empty()) {
      TFrame& F = Stack.back();
      if (!F.Child) {
        ZEZTreeNode* Done = F.Expanded;
        Stack.pop_back();
        if (Done) {
          V->DoExpanded(Done);
        }
        continue;
      }
      ZEZTreeNode* C = F.Child;
      F.Child = C->FNext;
      if (!C->GetHasChildren()) {
        continue;
      }
      bool ExpandedHere = false;
      if (!C->GetExpanded() && V->CanExpand(C)) {
        V->DoExpandNode(C);
        if (C->FFirstChild) {
          C->FStates.Include(nsExpanded);
          ExpandedHere = true;
        }
      }
      if (C->FFirstChild) {
        Stack.push_back({C->FFirstChild, ExpandedHere ? C : nullptr});
      }
    }
  }
  const Integer Old = FExpandedCount;
  const Integer New = V->RecalcExpandedCount(this);
  if (FInternalParent && New != Old) {
    FInternalParent->IncExpandedCount(New - Old);
  }
  if (!Locked() && GetIsVisible()) {
    WidestAfterExpand();
    InvalidateBelow(false);
    Repaint({npButton});
    V->UpdateScroll(true, true);
  }
  V->DoExpanded(this);
}

void ZEZTreeNode::Collapse(bool Recurse) {
  ZEZCustomTreeView* V = FTreeView;
  if (!GetHasChildren() || !V) {
    return;
  }
  if (!((GetExpanded() && V->CanCollapse(this)) || Recurse)) {
    return;
  }
  FOwner->ClearCache();
  V->EndEditNode(false);
  ZEZTreeNode* FormerWidest = FWidestNode;
  FStates.Exclude(nsExpanded);
  if (Recurse) {
    struct TFrame {
      ZEZTreeNode* Child;
      ZEZTreeNode* Collapsed;
    };
    std::vector<TFrame> Stack;
    Stack.push_back({FFirstChild, nullptr});
    while (!Stack.empty()) {
      TFrame& F = Stack.back();
      if (!F.Child) {
        ZEZTreeNode* Done = F.Collapsed;
        Stack.pop_back();
        if (Done) {
          V->DoCollapsed(Done);
        }
        continue;
      }
      ZEZTreeNode* C = F.Child;
      F.Child = C->FNext;
      bool CollapsedHere = false;
      if (C->GetExpanded() && V->CanCollapse(C)) {
        C->FStates.Exclude(nsExpanded);
        C->FExpandedCount = 0;
        CollapsedHere = true;
      }
      if (C->FFirstChild) {
        Stack.push_back({C->FFirstChild, CollapsedHere ? C : nullptr});
      } else if (CollapsedHere) {
        V->DoCollapsed(C);
      }
    }
  }
  if (FInternalParent) {
    FInternalParent->IncExpandedCount(-FExpandedCount);
  }
  FExpandedCount = 0;
  if (V->FTopItem && V->FTopItem->HasAsParent(this)) {
    V->FTopItem = this;
    V->FTopIndexValid = false;
  }
  ZEZTreeNode* Sel = V->Selected();
  if (Sel && Sel->HasAsParent(this)) {
    V->SetSelected(this);
  }
  V->DeselectPrevious(V->Selected());
  if (!Locked() && GetIsVisible()) {
    WidestAfterCollapse(FormerWidest);
    InvalidateBelow(false);
    Repaint({npButton});
    V->UpdateScroll(true, true);
  }
  V->DoCollapsed(this);
}

// ---- moving ----------------------------------------------------------------------------------------------------

void ZEZTreeNode::MoveTo(ZEZTreeNode* Destination, TNodeAttachMode Mode, bool EnsureShown) {
  ZEZCustomTreeView* V = FTreeView;
  if (Destination && Destination->HasAsParent(this)) {
    InvalidOperation("Trying move to child");
  }
  if (Destination == this || (!Destination && (Mode == naAddChild || Mode == naAddChildFirst))) {
    InvalidOperation("Invalid operation");
  }
  if (Destination && Destination->FTreeView != V) {
    InvalidOperation("Invalid Node");
  }
  V->EndEditNode(false);
  FOwner->ClearCache();
  ZEZTreeNode* NewTop = nullptr;
  if (V->FTopItem == this) {
    NewTop = GetNextVisibleSimple();
  }
  // Detach.
  ZEZTreeNode* OldParent = FInternalParent;
  OldParent->IncItemCount(-(FItemCount + 1));
  OldParent->IncExpandedCount(-(FExpandedCount + 1));
  Unlink();
  if (OldParent->FCheckedRadioChild == this) {
    OldParent->FCheckedRadioChild = nullptr;
  }
  if (V->FShiftAnchor == this) {
    V->FShiftAnchor = nullptr;
  }
  UpdateButton();
  // Attach.
  ZEZTreeNode* Root = V->FRoot;
  switch (Mode) {
    case naAdd:
    case naAddFirst:
      if (Destination) {
        ZEZTreeNode* P = Destination->FInternalParent;
        Mode == naAdd ? LinkLast(P) : LinkFirst(P);
        if (P != Root) {
          P->FStates.Include(nsHasChildren);
        }
        FParent = Destination->FParent;
      } else {
        Mode == naAdd ? LinkLast(Root) : LinkFirst(Root);
        FParent = nullptr;
      }
      break;
    case naAddChild:
    case naAddChildFirst:
      Destination->FStates.Include(nsHasChildren);
      Mode == naAddChild ? LinkLast(Destination) : LinkFirst(Destination);
      FParent = Destination;
      break;
    case naInsert:
      if (Destination) {
        LinkBefore(Destination);
        FParent = Destination->FParent;
      } else {
        LinkLast(Root);
        FParent = nullptr;
      }
      break;
  }
  FInternalParent->IncItemCount(FItemCount + 1);
  FInternalParent->IncExpandedCount(FExpandedCount + 1);
  if (FNodeType == ntRadioButton && FState == cbChecked) {
    ZEZTreeNode* Old = FInternalParent->FCheckedRadioChild;
    FInternalParent->FCheckedRadioChild = this;
    if (Old && Old != this) {
      Old->SetState(cbUnchecked);
    }
  }
  if (NewTop) {
    V->FTopItem = NewTop;
    V->FTopIndexValid = false;
  }
  if (V->SortType() != stNone) {
    if (Mode == naAdd || Mode == naAddFirst || Mode == naInsert) {
      if (Destination) {
        Destination->FInternalParent->CustomSort(nullptr, 0);
      } else {
        Root->AlphaSort();
      }
    } else {
      Destination->AlphaSort();
    }
  }
  if (EnsureShown) {
    EnsureExpanded();
  }
  V->TopItemChanged();
  V->RecalcAll();
  V->Invalidate();
}

// ---- deleting --------------------------------------------------------------------------------------------------

void ZEZTreeNode::Delete() {
  if (!GetDeleting()) {
    delete this;
  }
}

void ZEZTreeNode::DeleteChildren() {
  if (!FFirstChild) {
    return;
  }
  FOwner->BeginUpdate();
  try {
    while (FFirstChild) {
      delete FFirstChild;
    }
  } catch (...) {
    FOwner->EndUpdate();
    throw;
  }
  FOwner->EndUpdate();
  if (GetIsVisible()) {
    InvalidateBelow(false);
    if (FTreeView) {
      FTreeView->UpdateScroll(true, true);
    }
  }
}

ZEZTreeNode::~ZEZTreeNode() {
  ZEZCustomTreeView* V = FTreeView;
  const bool IsRoot = V && V->FRoot == this;
  if (V && !IsRoot) {
    if (V->FEditNode == this) {
      V->EndEditNode(false);
    }
    FOwner->ClearCache();
  }
  FStates.Include(nsDeleting);
  while (FFirstChild) {
    delete FFirstChild;
  }
  if (V && V->FLastDropNode == this) {
    V->FLastDropNode = nullptr;
  }
  if (V && !IsRoot) {
    const bool ViewGoing = V->Destroying();
    ZEZTreeNode* NewTop = nullptr;
    ZEZTreeNode* NewSelected = nullptr;
    const bool WasSelected = V->FFocused == this;
    if (!ViewGoing) {
      if (V->FPendingMakeVisible == this) {
        V->FPendingMakeVisible = nullptr;
      }
      if (V->FTopItem == this) {
        NewTop = GetNextVisibleSimple();
        if (!NewTop) {
          NewTop = GetPrevVisibleSimple();
        }
      }
      if (V->FEditNode == this) {
        V->StopEditTimer();
      }
      if (WasSelected || V->FPendingSelected == this) {
        NewSelected = GetNextVisibleSimple();
        if (!NewSelected) {
          NewSelected = GetPrevVisibleSimple();
        }
      }
      V->SelectionNodeGone(this);
      V->DoBeforeDelete1(this);
      // The replacement top row takes over before the counts change, so that no scroll update in between
      // measures from a row that is no longer in the tree.
      if (V->FTopItem == this) {
        V->FTopItem = NewTop;
        V->FTopIndexValid = false;
      }
    }
    auto It = std::find(V->FSelection.begin(), V->FSelection.end(), this);
    if (It != V->FSelection.end()) {
      V->FSelection.erase(It);
    }
    ZEZTreeNode* P = FInternalParent;
    // Deleting the children may have cached the top row's index again; this node's rows go now.
    FOwner->ClearCache();
    Unlink();
    if (!ViewGoing) {
      if (P && P->FCheckedRadioChild == this) {
        P->FCheckedRadioChild = nullptr;
      }
      V->DoBeforeDelete2(this);
      if (WasSelected) {
        V->FFocused = nullptr;
        if (V->FItems->Locked()) {
          V->FPendingSelected = NewSelected;
        } else {
          V->SetSelected(NewSelected);
        }
      } else if (V->FPendingSelected == this) {
        V->FPendingSelected = NewSelected;
      }
    } else if (V->FTopItem == this) {
      V->FTopItem = nullptr;
    }
    V->DoDeletion(this);
    UpdateButton();
  }
  delete FFont;
  FFont = nullptr;
}

// ---- sorting ---------------------------------------------------------------------------------------------------

bool ZEZTreeNode::CustomSort(const TZEZTVCompare& SortProc, Integer Data) {
  if (!FFirstChild) {
    return true;
  }
  ZEZCustomTreeView* V = FTreeView;
  TZEZTVCompare Compare = SortProc;
  if (!Compare) {
    Compare = [V](ZEZTreeNode* A, ZEZTreeNode* B, Integer D) { return V->DefaultNodeCompare(A, B, D); };
  }
  // A search tree over the children, made of their own links: FPrev = left, FNext = right, FInternalParent =
  // the tree parent. Equal keys go right, so an in-order walk keeps them in their old order.
  ZEZTreeNode* Child = FFirstChild;
  ZEZTreeNode* Rest = Child->FNext;
  ZEZTreeNode* TreeRoot = Child;
  TreeRoot->FPrev = TreeRoot->FNext = nullptr;
  TreeRoot->FInternalParent = nullptr;
  ZEZTreeNode* Min = TreeRoot;
  ZEZTreeNode* Max = TreeRoot;
  bool Pending = false;  // Child was taken from the list but is not in the search tree yet
  auto Rebuild = [&] {
    if (Pending) {
      // The comparison raised while Child was being placed: it goes in front of the unsorted rest.
      Child->FNext = Rest;
      Rest = Child;
    }
    // In-order walk without recursion.
    std::vector<ZEZTreeNode*> Order;
    Order.reserve(static_cast<std::size_t>(FCount));
    std::vector<ZEZTreeNode*> Stack;
    ZEZTreeNode* N = TreeRoot;
    while (N || !Stack.empty()) {
      while (N) {
        Stack.push_back(N);
        N = N->FPrev;
      }
      N = Stack.back();
      Stack.pop_back();
      Order.push_back(N);
      N = N->FNext;
    }
    if (V && V->SortOrder() == soDescending) {
      std::reverse(Order.begin(), Order.end());
    }
    // Children not yet inserted (the comparison raised) keep their order after the sorted ones.
    for (ZEZTreeNode* R = Rest; R;) {
      ZEZTreeNode* Next = R->FNext;
      Order.push_back(R);
      R = Next;
    }
    FFirstChild = FLastChild = nullptr;
    FCount = 0;
    for (ZEZTreeNode* C : Order) {
      C->LinkLast(this);
    }
  };
  try {
    while (Rest) {
      Child = Rest;
      Rest = Rest->FNext;
      Child->FPrev = Child->FNext = nullptr;
      Pending = true;
      if (Compare(Child, Min, Data) < 0) {
        if (!TreeRoot->FPrev) {
          TreeRoot->FPrev = Child;
          Child->FInternalParent = TreeRoot;
        } else {
          Child->FNext = TreeRoot;
          TreeRoot->FInternalParent = Child;
          Child->FInternalParent = nullptr;
          TreeRoot = Child;
        }
        Min = Child;
      } else if (Compare(Max, Child, Data) < 0) {
        if (!TreeRoot->FNext) {
          TreeRoot->FNext = Child;
          Child->FInternalParent = TreeRoot;
        } else {
          Child->FPrev = TreeRoot;
          TreeRoot->FInternalParent = Child;
          Child->FInternalParent = nullptr;
          TreeRoot = Child;
        }
        Max = Child;
      } else {
        ZEZTreeNode* T = TreeRoot;
        while (true) {
          if (Compare(T, Child, Data) > 0) {
            if (!T->FPrev) {
              T->FPrev = Child;
              break;
            }
            T = T->FPrev;
          } else {
            if (!T->FNext) {
              T->FNext = Child;
              break;
            }
            T = T->FNext;
          }
        }
        Child->FInternalParent = T;
      }
      Pending = false;
    }
  } catch (...) {
    Rebuild();
    FOwner->ClearCache();
    throw;
  }
  Rebuild();
  FOwner->ClearCache();
  if (V && !FOwner->Locked()) {
    V->TopItemChanged();
  }
  return true;
}

void ZEZTreeNode::ReSortNode() {
  ZEZCustomTreeView* V = FTreeView;
  if (!V || !V->IsSorted() || !FInternalParent || FInternalParent->FCount < 2 || FOwner->Locked()) {
    return;
  }
  FOwner->ClearCache();
  const Integer D = V->SortOrder() == soDescending ? -1 : 1;
  auto Cmp = [&](ZEZTreeNode* Other) { return D * V->DefaultNodeCompare(this, Other, 0); };
  ZEZTreeNode* Target = nullptr;
  bool Moved = false;
  if (FPrev && Cmp(FPrev) < 0) {
    for (ZEZTreeNode* S = FPrev; S && Cmp(S) < 0; S = S->FPrev) {
      Target = S;
    }
    ZEZTreeNode* P = FInternalParent;
    Unlink();
    LinkBefore(Target);
    FInternalParent = P;
    Moved = true;
  } else if (FNext && Cmp(FNext) > 0) {
    ZEZTreeNode* S = FNext;
    while (S && Cmp(S) > 0) {
      S = S->FNext;
    }
    ZEZTreeNode* P = FInternalParent;
    Unlink();
    if (S) {
      LinkBefore(S);
    } else {
      LinkLast(P);
    }
    Moved = true;
  }
  if (Moved) {
    V->TopItemChanged();
  }
}

// ---- copying ---------------------------------------------------------------------------------------------------

void ZEZTreeNode::Assign(TPersistent* Source) {
  auto* S = Source && Source->Is<ZEZTreeNode>() ? static_cast<ZEZTreeNode*>(Source) : nullptr;
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  SetChecked(S->GetChecked());
  SetData(S->Data());
  SetAllowGrayed(S->GetAllowGrayed());
  SetParentColor(S->GetParentColor());
  if (!S->GetParentColor()) {
    SetColor(S->Color());
  }
  SetExpanded(S->GetExpanded());
  if (!S->FFirstChild) {
    SetHasChildren(S->GetHasChildren());
  }
  SetImageIndex(S->ImageIndex());
  SetNodeType(S->NodeType());
  SetOverlayIndex(S->OverlayIndex());
  SetParentFont(S->GetParentFont());
  SetReadOnly(S->GetReadOnly());
  SetSelectedIndex(S->SelectedIndex());
  SetState(S->State());
  SetStateIndex(S->StateIndex());
  SetText(S->GetText());
  if (!S->GetParentFont()) {
    SetFont(S->GetFont());
  }
}
