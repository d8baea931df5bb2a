// ZEZTreeNodes: adding, the update lock, index and visible-row lookup, copying.
#include "treeview/Dcntreenodes.h"

#include "treeview/Dcntree.h"

#include "platform/rtl/Exceptions.h"

#include <cstdlib>

Z_IMPLEMENT_CLASS(ZEZTreeNodes, TPersistent)

ZEZTreeNodes::ZEZTreeNodes(ZEZCustomTreeView* AOwner) : FOwner(AOwner) {}

// ---- adding ----------------------------------------------------------------------------------------------------

ZEZTreeNode* ZEZTreeNodes::Add(ZEZTreeNode* Sibling, const std::string& S) {
  return AddChild(Sibling ? Sibling->Parent() : nullptr, S);
}

ZEZTreeNode* ZEZTreeNodes::AddFirst(ZEZTreeNode* Sibling, const std::string& S) {
  ZEZTreeNode* P = Sibling ? Sibling->InternalParent() : nullptr;
  return AddChildFirst(P == FOwner->Root() ? nullptr : P, S);
}

ZEZTreeNode* ZEZTreeNodes::AddChild(ZEZTreeNode* Parent, const std::string& S) {
  return InternalAdd(Parent, S, nullptr, naAddChild);
}

ZEZTreeNode* ZEZTreeNodes::AddChildFirst(ZEZTreeNode* Parent, const std::string& S) {
  return InternalAdd(Parent, S, nullptr, naAddChildFirst);
}

ZEZTreeNode* ZEZTreeNodes::AddChildObject(ZEZTreeNode* Parent, const std::string& S, void* Ptr) {
  return InternalAdd(Parent, S, Ptr, naAddChild);
}

ZEZTreeNode* ZEZTreeNodes::AddChildObjectFirst(ZEZTreeNode* Parent, const std::string& S, void* Ptr) {
  return InternalAdd(Parent, S, Ptr, naAddChildFirst);
}

ZEZTreeNode* ZEZTreeNodes::AddObject(ZEZTreeNode* Sibling, const std::string& S, void* Ptr) {
  ZEZTreeNode* N = Add(Sibling, S);
  N->SetData(Ptr);
  return N;
}

ZEZTreeNode* ZEZTreeNodes::AddObjectFirst(ZEZTreeNode* Sibling, const std::string& S, void* Ptr) {
  ZEZTreeNode* N = AddFirst(Sibling, S);
  N->SetData(Ptr);
  return N;
}

ZEZTreeNode* ZEZTreeNodes::Insert(ZEZTreeNode* Sibling, const std::string& S) {
  return InternalAdd(Sibling, S, nullptr, naInsert);
}

ZEZTreeNode* ZEZTreeNodes::InsertObject(ZEZTreeNode* Sibling, const std::string& S, void* Ptr) {
  return InternalAdd(Sibling, S, Ptr, naInsert);
}

ZEZTreeNode* ZEZTreeNodes::InternalAdd(ZEZTreeNode* Node, const std::string& S, void* Ptr, TNodeAttachMode Mode) {
  ClearCache();
  ZEZCustomTreeView* V = FOwner;
  V->EraseSelectFrame();
  const ZEZTreeNodeClass Remembered = V->FDefaultNodeClass;
  if (V->OnCreateNodeClass) {
    Integer Level = 0;
    if (Node) {
      Level = Node->GetLevel() + (Mode == naAddChild || Mode == naAddChildFirst ? 1 : 0);
    }
    ZEZTreeNodeClass C = V->FDefaultNodeClass;
    V->OnCreateNodeClass(V, Level, C);
    if (C && C->InheritsFrom(ZEZTreeNode::StaticClass())) {
      V->FDefaultNodeClass = C;
    }
  }
  ZEZTreeNode* N = nullptr;
  try {
    N = V->CreateNode();
  } catch (...) {
    V->FDefaultNodeClass = Remembered;
    throw;
  }
  ZEZTreeNode* Root = V->Root();
  ZEZTreeNode* Container = Node ? Node : Root;
  switch (Mode) {
    case naAdd:
      N->LinkLast(Container == Root ? Root : Container->InternalParent());
      break;
    case naAddFirst:
      N->LinkFirst(Container == Root ? Root : Container->InternalParent());
      break;
    case naAddChild:
      N->LinkLast(Container);
      break;
    case naAddChildFirst:
      N->LinkFirst(Container);
      break;
    case naInsert:
      if (Container == Root) {
        N->LinkLast(Root);
      } else {
        N->LinkBefore(Container);
      }
      break;
  }
  N->FParent = N->FInternalParent == Root ? nullptr : N->FInternalParent;
  V->FDefaultNodeClass = Remembered;
  N->SetTextInternal(S);
  N->FData = Ptr;
  V->DoAfterInsert(N);
  return N;
}

// ---- clearing and deleting -------------------------------------------------------------------------------------

void ZEZTreeNodes::Clear() {
  BeginUpdate();
  try {
    InternalClear();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void ZEZTreeNodes::InternalClear() {
  ZEZCustomTreeView* V = FOwner;
  V->SetSelected(nullptr);
  ZEZTreeNode* Root = V->Root();
  if (!Root) {
    return;
  }
  while (Root->FFirstChild) {
    delete Root->FFirstChild;
  }
  Root->FWidestNode = Root;
  Root->FWidestWidth = 0;
  ClearCache();
}

void ZEZTreeNodes::Delete(ZEZTreeNode* Node) { Node->Delete(); }

// ---- the update lock -------------------------------------------------------------------------------------------

void ZEZTreeNodes::BeginUpdate() { ++FOwner->FLockCount; }

void ZEZTreeNodes::EndLock() {
  if (FOwner->FLockCount > 0) {
    --FOwner->FLockCount;
  }
}

bool ZEZTreeNodes::Locked() const { return FOwner->FLockCount > 0; }

void ZEZTreeNodes::EndUpdate() {
  ZEZCustomTreeView* V = FOwner;
  if (V->FLockCount == 0) {
    return;
  }
  if (--V->FLockCount > 0) {
    return;
  }
  if (V->IsSorted()) {
    V->AlphaSort();
  }
  if (V->HandleAllocated()) {
    const TRect R = Rect(0, 0, V->Width(), V->Height());
    RedrawWindow(V->Handle(), &R, 0, RDW_INVALIDATE | RDW_FRAME);
    ++V->FFullRedrawCount;
  }
  V->RecalcAll();
  if (!V->FFocused && V->FPendingSelected) {
    ZEZTreeNode* P = V->FPendingSelected;
    V->FPendingSelected = nullptr;
    V->SetSelected(P);
  }
  V->UpdateToolTip();
  if (V->FPendingMakeVisible) {
    ZEZTreeNode* P = V->FPendingMakeVisible;
    V->FPendingMakeVisible = nullptr;
    P->MakeVisible();
  }
}

// ---- lookup ----------------------------------------------------------------------------------------------------

Integer ZEZTreeNodes::GetCount() const { return FOwner->Root() ? FOwner->Root()->ItemCount() : 0; }

Integer ZEZTreeNodes::GetVisibleCount() const { return FOwner->Root() ? FOwner->Root()->VisibleCount() : 0; }

ZEZTreeNode* ZEZTreeNodes::GetFirstNode() const { return FOwner->Root() ? FOwner->Root()->GetFirstChild() : nullptr; }

ZEZTreeNode* ZEZTreeNodes::GetLastNode() const {
  ZEZTreeNode* N = FOwner->Root() ? FOwner->Root()->GetLastChild() : nullptr;
  while (N && N->GetLastChild()) {
    N = N->GetLastChild();
  }
  return N;
}

ZEZTreeNode* ZEZTreeNodes::GetLastVisibleNode() const {
  ZEZTreeNode* N = FOwner->Root() ? FOwner->Root()->GetLastChild() : nullptr;
  while (N && N->GetLastChild() && N->GetExpanded()) {
    N = N->GetLastChild();
  }
  return N;
}

void ZEZTreeNodes::ClearCache() {
  FCacheNode = nullptr;
  FOwner->FTopIndexValid = false;
  FOwner->FKeyboardRow = -1;
}

ZEZTreeNode* ZEZTreeNodes::GetItem(Integer Index) {
  if (Index < 0 || Index >= GetCount()) {
    InvalidOperationFmt("Index out of bounds (%d)", {Index});
  }
  if (FCacheNode && std::abs(Index - FCacheIndex) <= 1) {
    ZEZTreeNode* N = FCacheNode;
    if (Index == FCacheIndex + 1) {
      N = N->GetNext();
    } else if (Index == FCacheIndex - 1) {
      N = N->GetPrev();
    }
    FCacheNode = N;
    FCacheIndex = Index;
    return N;
  }
  Integer I = 0;
  ZEZTreeNode* K = FOwner->Root()->GetFirstChild();
  while (K) {
    if (Index == I) {
      break;
    }
    if (Index < I + K->ItemCount() + 1) {
      ++I;
      K = K->GetFirstChild();
    } else {
      I += K->ItemCount() + 1;
      K = K->GetNextSibling();
    }
  }
  FCacheNode = K;
  FCacheIndex = Index;
  return K;
}

ZEZTreeNode* ZEZTreeNodes::GetVisibleItem(Integer Index) const {
  const Integer Count = GetVisibleCount();
  if (Index < 0 || Index >= Count) {
    InvalidOperationFmt("Index out of bounds (%d)", {Index});
  }
  ZEZCustomTreeView* V = FOwner;
  ZEZTreeNode* Fwd = GetFirstNode();
  Integer FwdRow = 0;
  ZEZTreeNode* Back = GetLastVisibleNode();
  Integer BackRow = Count - 1;
  if (V->FTopIndexValid && V->FTopItem) {
    if (Index < V->FTopIndex) {
      Back = V->FTopItem;
      BackRow = V->FTopIndex;
    } else {
      Fwd = V->FTopItem;
      FwdRow = V->FTopIndex;
    }
  }
  ZEZTreeNode* N = nullptr;
  Integer R = 0;
  if (std::abs(Index - BackRow) <= std::abs(Index - FwdRow)) {
    N = Back;
    R = BackRow;
    while (N && R != Index) {
      ZEZTreeNode* P = N->GetPrevSibling();
      if (P) {
        const Integer E = P->GetExpanded() ? P->VisibleCount() : 0;
        if (Index >= R - E) {
          N = P->GetFirstChild();
          R = R - E;
          break;  // continue forward inside P's subtree
        }
        N = P;
        R = R - E - 1;
      } else {
        N = N->Parent();
        R = R - 1;
      }
    }
    if (R == Index) {
      return N;
    }
  } else {
    N = Fwd;
    R = FwdRow;
  }
  while (N) {
    if (R == Index) {
      return N;
    }
    const Integer E = N->GetExpanded() ? N->VisibleCount() : 0;
    if (Index < R + 1 + E) {
      N = N->GetFirstChild();
      R = R + 1;
    } else {
      R = R + 1 + E;
      N = N->GetNextVisibleNonExpanded();
    }
  }
  return nullptr;
}

ZEZTreeNode* ZEZTreeNodes::GetFirstVisibleInTreeView() const {
  ZEZTreeNode* First = GetFirstNode();
  if (!First) {
    return nullptr;
  }
  const TRect D = FOwner->GetDrawRect();
  const TRect Row = First->DisplayRectPart(npLines, npText, true);
  if ((Row.Top >= D.Top && Row.Top < D.Bottom) || (D.Top >= Row.Top && D.Top < Row.Bottom)) {
    return First;
  }
  return First->GetNextVisibleSimple();
}

ZEZTreeNode* ZEZTreeNodes::GetFirstVisibleRect(const TRect& R) const {
  ZEZTreeNode* Top = FOwner->TopItem();
  if (!Top) {
    return nullptr;
  }
  const TRect Row = Top->DisplayRectPart(npLines, npText, true);
  if ((Row.Top >= R.Top && Row.Top < R.Bottom) || (R.Top >= Row.Top && R.Top < Row.Bottom)) {
    return Top;
  }
  return Top->GetNextVisibleRect(true, R);
}

// ---- copying ---------------------------------------------------------------------------------------------------

void ZEZTreeNodes::Assign(TPersistent* Source) {
  auto* S = Source && Source->Is<ZEZTreeNodes>() ? static_cast<ZEZTreeNodes*>(Source) : nullptr;
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  if (S == this) {
    return;
  }
  BeginUpdate();
  try {
    Clear();
    struct TFrame {
      ZEZTreeNode* Source;
      ZEZTreeNode* DestParent;
      ZEZTreeNode* Dest;  // set once added; assigned when its children are done
      bool ChildrenDone;
    };
    std::vector<TFrame> Stack;
    for (ZEZTreeNode* N = S->GetFirstNode() ? S->Owner()->Root()->GetLastChild() : nullptr; N; N = N->GetPrevSibling()) {
      Stack.push_back({N, nullptr, nullptr, false});
    }
    while (!Stack.empty()) {
      TFrame F = Stack.back();
      Stack.pop_back();
      if (F.ChildrenDone) {
        F.Dest->Assign(F.Source);
        continue;
      }
      FOwner->SetDefaultNodeClass(F.Source->ClassType());
      ZEZTreeNode* D = AddChild(F.DestParent, "");
      FOwner->DoExpandNode(F.Source);
      Stack.push_back({F.Source, F.DestParent, D, true});
      for (ZEZTreeNode* C = F.Source->GetLastChild(); C; C = C->GetPrevSibling()) {
        Stack.push_back({C, D, nullptr, false});
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}
