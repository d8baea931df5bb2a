// ZEZTreeNode: structure, navigation, properties, check states, expansion, moving, destruction and sorting.
#include "treeview/Dcntreenode.h"

#include "treeview/Dcntree.h"
#include "treeview/Dcntreedraw.h"
#include "treeview/Dcntreenodes.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Assert.h"
#include "platform/rtl/Exceptions.h"

void ZEZTreeNode::Publish(TMetaClass& Meta) {
  TPublisher<ZEZTreeNode> P(Meta);
  P.Property("AllowGrayed", &ZEZTreeNode::GetAllowGrayed, &ZEZTreeNode::SetAllowGrayed).Default(false);
  P.Property("Color", &ZEZTreeNode::Color, &ZEZTreeNode::SetColor)
      .Type(TypeInfoColor())
      .Default(clWindow)
      .Stored(&ZEZTreeNode::IsColorStored);
  P.Property("Expanded", &ZEZTreeNode::GetExpanded, &ZEZTreeNode::SetExpanded).Default(false);
  P.Property("Font", &ZEZTreeNode::GetFont, &ZEZTreeNode::SetFont).Stored(&ZEZTreeNode::IsFontStored);
  P.Property("HasChildren", &ZEZTreeNode::GetHasChildren, &ZEZTreeNode::SetHasChildren).Default(false);
  P.Property("ImageIndex", &ZEZTreeNode::ImageIndex, &ZEZTreeNode::SetImageIndex).Default(0);
  P.Property("NodeType", &ZEZTreeNode::NodeType, &ZEZTreeNode::SetNodeType).Default(ntNone);
  P.Property("OverlayIndex", &ZEZTreeNode::OverlayIndex, &ZEZTreeNode::SetOverlayIndex).Default(-1);
  P.Property("ReadOnly", &ZEZTreeNode::GetReadOnly, &ZEZTreeNode::SetReadOnly).Default(false);
  P.Property("ParentColor", &ZEZTreeNode::GetParentColor, &ZEZTreeNode::SetParentColor).Default(true);
  P.Property("ParentFont", &ZEZTreeNode::GetParentFont, &ZEZTreeNode::SetParentFont).Default(true);
  P.Property("SelectedIndex", &ZEZTreeNode::SelectedIndex, &ZEZTreeNode::SetSelectedIndex).Default(0);
  P.Property("State", &ZEZTreeNode::State, &ZEZTreeNode::SetState).Default(cbUnchecked);
  P.Property("StateIndex", &ZEZTreeNode::StateIndex, &ZEZTreeNode::SetStateIndex).Default(-1);
  P.Property("Text", &ZEZTreeNode::GetText, &ZEZTreeNode::SetText);
}

Z_IMPLEMENT_CLASS_PUBLISHED(ZEZTreeNode, TPersistent, ZEZTreeNode::Publish)

void RegisterTreeNodeClasses() {
  static const bool Done = [] {
    if (!GetClass("TFont")) {
      RegisterClass(TFont::StaticClass());
    }
    if (!GetClass("ZEZTreeNode")) {
      RegisterClass(ZEZTreeNode::StaticClass());
    }
    return true;
  }();
  (void)Done;
}

ZEZTreeNode::ZEZTreeNode(ZEZTreeNodes* AOwner) : FOwner(AOwner) {
  FTreeView = AOwner ? AOwner->Owner() : nullptr;
  if (FTreeView) {
    FColor = FTreeView->Color();
  }
  FWidestNode = this;
}

bool ZEZTreeNode::Locked() const { return FOwner && FOwner->Locked(); }

// ---- navigation ------------------------------------------------------------------------------------------------

ZEZTreeNode* ZEZTreeNode::GetNext() const {
  if (FFirstChild) {
    return FFirstChild;
  }
  for (const ZEZTreeNode* N = this; N; N = N->FInternalParent) {
    if (N->FNext) {
      return N->FNext;
    }
  }
  return nullptr;
}

ZEZTreeNode* ZEZTreeNode::GetPrev() const {
  ZEZTreeNode* N = FPrev;
  if (!N) {
    return FParent;
  }
  while (N->FLastChild) {
    N = N->FLastChild;
  }
  return N;
}

ZEZTreeNode* ZEZTreeNode::GetNextVisibleNonExpanded() const {
  for (const ZEZTreeNode* N = this; N; N = N->FInternalParent) {
    if (N->FNext) {
      return N->FNext;
    }
  }
  return nullptr;
}

ZEZTreeNode* ZEZTreeNode::GetNextVisibleSimple() const {
  return GetExpanded() ? GetNext() : GetNextVisibleNonExpanded();
}

ZEZTreeNode* ZEZTreeNode::GetPrevVisibleSimple() const {
  if (!FPrev) {
    return FParent;
  }
  ZEZTreeNode* N = FPrev;
  while (N->FLastChild && N->GetExpanded()) {
    N = N->FLastChild;
  }
  return N;
}

ZEZTreeNode* ZEZTreeNode::GetNextVisible() const {
  ZEZTreeNode* N = GetNextVisibleSimple();
  return !N || N->GetIsVisible() ? N : nullptr;
}

ZEZTreeNode* ZEZTreeNode::GetPrevVisible() const {
  ZEZTreeNode* N = GetPrevVisibleSimple();
  return !N || N->GetIsVisible() ? N : nullptr;
}

bool ZEZTreeNode::GetIsVisible() const {
  for (ZEZTreeNode* A = FParent; A; A = A->FParent) {
    if (!A->GetExpanded()) {
      return false;
    }
  }
  return true;
}

bool ZEZTreeNode::HasAsParent(const ZEZTreeNode* Node) const {
  if (!Node) {
    return false;
  }
  for (ZEZTreeNode* A = FParent; A; A = A->FParent) {
    if (A == Node) {
      return true;
    }
  }
  return false;
}

Integer ZEZTreeNode::GetLevel() const {
  Integer L = 0;
  for (ZEZTreeNode* A = FParent; A; A = A->FParent) {
    ++L;
  }
  return L;
}

Integer ZEZTreeNode::GetIndex() const {
  Integer I = 0;
  for (ZEZTreeNode* N = FPrev; N; N = N->FPrev) {
    ++I;
  }
  return I;
}

Integer ZEZTreeNode::IndexOf(const ZEZTreeNode* Child) const {
  Integer I = 0;
  for (ZEZTreeNode* N = FFirstChild; N; N = N->FNext, ++I) {
    if (N == Child) {
      return I;
    }
  }
  return -1;
}

ZEZTreeNode* ZEZTreeNode::GetItem(Integer Index) const {
  ZEZTreeNode* N = Index >= 0 ? FFirstChild : nullptr;
  for (Integer I = 0; N && I < Index; ++I) {
    N = N->FNext;
  }
  if (!N) {
    throw EListError(Format(RtlConsts::SListIndexError, {Index}));
  }
  return N;
}

void ZEZTreeNode::SetItem(Integer Index, ZEZTreeNode* Node) { GetItem(Index)->Assign(Node); }

Integer ZEZTreeNode::GetExpandedCount() const {
  Integer C = 0;
  for (ZEZTreeNode* N = FFirstChild; N; N = N->FNext) {
    C += 1 + N->GetExpandedCount();
  }
  return C;
}

Integer ZEZTreeNode::GetAbsoluteIndex() const {
  if (FOwner && FOwner->FCacheNode == this) {
    return FOwner->FCacheIndex;
  }
  Integer I = 0;
  for (ZEZTreeNode* N = FPrev; N; N = N->FPrev) {
    I += N->FItemCount + 1;
  }
  if (FParent) {
    I += FParent->GetAbsoluteIndex() + 1;
  }
  return I;
}

void ZEZTreeNode::IncItemCount(Integer Delta) {
  for (ZEZTreeNode* N = this; N; N = N->FInternalParent) {
    N->FItemCount += Delta;
    ZUBQ_ASSERT(N->FItemCount >= N->FCount);
  }
}

void ZEZTreeNode::IncExpandedCount(Integer Delta) {
  // A collapsed node keeps an expanded count of 0: the walk stops there.
  for (ZEZTreeNode* N = this; N && N->GetExpanded(); N = N->FInternalParent) {
    N->FExpandedCount += Delta;
    ZUBQ_ASSERT(N->FExpandedCount >= 0 && N->FExpandedCount <= N->FItemCount);
  }
}

// ---- linking ---------------------------------------------------------------------------------------------------

void ZEZTreeNode::Unlink() {
  ZEZTreeNode* P = FInternalParent;
  if (FPrev) {
    FPrev->FNext = FNext;
  } else if (P) {
    P->FFirstChild = FNext;
  }
  if (FNext) {
    FNext->FPrev = FPrev;
  } else if (P) {
    P->FLastChild = FPrev;
  }
  if (P) {
    ZUBQ_ASSERT(P->FCount > 0);
    --P->FCount;
    ZUBQ_ASSERT((P->FCount == 0) == (P->FFirstChild == nullptr && P->FLastChild == nullptr));
  }
  FPrev = FNext = nullptr;
}

void ZEZTreeNode::LinkLast(ZEZTreeNode* NewParent) {
  FInternalParent = NewParent;
  FPrev = NewParent->FLastChild;
  FNext = nullptr;
  if (FPrev) {
    FPrev->FNext = this;
  } else {
    NewParent->FFirstChild = this;
  }
  NewParent->FLastChild = this;
  ++NewParent->FCount;
}

void ZEZTreeNode::LinkFirst(ZEZTreeNode* NewParent) {
  FInternalParent = NewParent;
  FNext = NewParent->FFirstChild;
  FPrev = nullptr;
  if (FNext) {
    FNext->FPrev = this;
  } else {
    NewParent->FLastChild = this;
  }
  NewParent->FFirstChild = this;
  ++NewParent->FCount;
}

void ZEZTreeNode::LinkBefore(ZEZTreeNode* Sibling) {
  ZEZTreeNode* P = Sibling->FInternalParent;
  FInternalParent = P;
  FNext = Sibling;
  FPrev = Sibling->FPrev;
  Sibling->FPrev = this;
  if (FPrev) {
    FPrev->FNext = this;
  } else {
    P->FFirstChild = this;
  }
  ++P->FCount;
}

// ---- properties ------------------------------------------------------------------------------------------------

void ZEZTreeNode::SetText(const std::string& S) {
  if (S == GetText()) {
    return;
  }
  SetTextInternal(S);
  FStates.Exclude(nsWidthCalculated);
  if (FTreeView && FTreeView->IsSorted()) {
    ReSortNode();
  }
  if (FTreeView && FTreeView->MultiLineNodes()) {
    NodeWidthChanged();
    InvalidateBelow(true);
  } else if (!Locked() && GetIsVisible()) {
    InvalidateToRight(npText);
    UpdateWidth();
  }
}

void ZEZTreeNode::SetData(void* P) {
  FData = P;
  if (FTreeView && (FTreeView->SortType() == stData || FTreeView->SortType() == stBoth) && FTreeView->OnCompare) {
    ReSortNode();
  }
}

void ZEZTreeNode::SetImageIndex(Integer Value) {
  if (Value != FImageIndex) {
    FImageIndex = Value;
    Repaint({npImage});
  }
}

void ZEZTreeNode::SetOverlayIndex(Integer Value) {
  if (Value != FOverlayIndex) {
    FOverlayIndex = Value;
    Repaint({npImage});
  }
}

void ZEZTreeNode::SetSelectedIndex(Integer Value) {
  if (Value != FSelectedIndex) {
    FSelectedIndex = Value;
    Repaint({npImage, npText});
  }
}

void ZEZTreeNode::SetStateIndex(Integer Value) {
  if (Value == FStateIndex) {
    return;
  }
  const bool WidthChanges = (Value < 0) != (FStateIndex < 0);
  FStateIndex = Value;
  if (WidthChanges) {
    FStates.Exclude(nsWidthCalculated);
    if (GetIsVisible() && !Locked()) {
      InvalidateToRight(npStateImage);
      UpdateWidth();
    }
  } else {
    Repaint({npStateImage});
  }
}

void ZEZTreeNode::SetHasChildren(bool Value) {
  if (Value == GetHasChildren()) {
    return;
  }
  if (Value) {
    FStates.Include(nsHasChildren);
  } else {
    FStates.Exclude(nsHasChildren);
  }
  if (FTreeView) {
    Repaint({npButton});
  }
}

void ZEZTreeNode::SetCut(bool Value) {
  if (Value == GetCut()) {
    return;
  }
  Value ? FStates.Include(nsCut) : FStates.Exclude(nsCut);
  Repaint({npImage});
}

void ZEZTreeNode::SetReadOnly(bool Value) { Value ? FStates.Include(nsReadOnly) : FStates.Exclude(nsReadOnly); }

void ZEZTreeNode::SetColor(TColor Value) {
  if (Value == FColor && !GetParentColor()) {
    return;
  }
  FColor = Value;
  FStates.Exclude(nsParentColor);
  Repaint({npText});
}

void ZEZTreeNode::SetParentColor(bool Value) {
  if (Value == GetParentColor()) {
    return;
  }
  if (Value) {
    FStates.Include(nsParentColor);
    if (FTreeView) {
      FColor = FTreeView->Color();
    }
  } else {
    FStates.Exclude(nsParentColor);
  }
  Repaint({npText});
}

TFont* ZEZTreeNode::CreateFont(TFont* From) const {
  auto* F = new TFont;
  if (From) {
    F->Assign(From);
  }
  auto* Self = const_cast<ZEZTreeNode*>(this);
  F->OnChange = [Self](TObject* Sender) { Self->OnFontChanged(Sender); };
  return F;
}

TFont* ZEZTreeNode::GetFont() const {
  if (!FFont) {
    FFont = CreateFont(FTreeView ? FTreeView->Font() : nullptr);
  }
  return FFont;
}

TFont* ZEZTreeNode::GetInternalFont() const {
  if (FTreeView && FTreeView->Printing() && GetParentFont()) {
    return FTreeView->NodeParentFont();
  }
  if (FFont) {
    return FFont;
  }
  if (FTreeView) {
    return FTreeView->Font();
  }
  return GetFont();
}

void ZEZTreeNode::SetFont(TFont* F) {
  if (!F || FontsEqual(F, GetInternalFont())) {
    return;
  }
  if (FFont) {
    FFont->Assign(F);  // the change notification runs OnFontChanged
  } else {
    FFont = CreateFont(F);
    OnFontChanged(FFont);
  }
}

void ZEZTreeNode::OnFontChanged(TObject* Sender) {
  (void)Sender;
  FStates.Exclude(nsWidthCalculated);
  FStates.Exclude(nsParentFont);
  NodeWidthChanged();
  InvalidateBelow(true);
}

void ZEZTreeNode::SetFontColor(TColor Value) {
  TFont* F = GetFont();
  if (Value == F->Color()) {
    return;
  }
  TNotifyEvent Saved = F->OnChange;
  F->OnChange = nullptr;
  F->SetColor(Value);
  F->OnChange = Saved;
  Repaint({npText});
}

void ZEZTreeNode::SetFontStyle(TFontStyles Value) {
  TFont* F = GetFont();
  if (Value != F->Style()) {
    F->SetStyle(Value);
  }
}

void ZEZTreeNode::SetParentFont(bool Value) {
  if (Value) {
    if (GetParentFont() && !FFont) {
      return;
    }
    delete FFont;
    FFont = nullptr;
    FStates.Include(nsParentFont);
    InvalidateBelow(true);
    NodeWidthChanged();
  } else {
    if (!GetParentFont()) {
      return;
    }
    if (!FFont) {
      FFont = CreateFont(FTreeView ? FTreeView->Font() : nullptr);
    }
    FStates.Exclude(nsParentFont);
  }
}

void ZEZTreeNode::SetExpanded(bool Value) {
  if (Value) {
    Expand(false);
  } else {
    Collapse(false);
  }
}

void ZEZTreeNode::SetSelected(bool Value) {
  ZEZCustomTreeView* V = FTreeView;
  if (V && V->MultiSelect() && V->SelectOnlySiblings() && !V->FSelection.empty() &&
      V->FSelection.front()->FParent != FParent) {
    Value = false;
  }
  if (Value == GetSelected()) {
    return;
  }
  InternalSetSelected(Value);
  if (!V) {
    return;
  }
  if (Value) {
    V->FSelection.push_back(this);
    if (!V->MultiSelect()) {
      V->SetSelected(this);
    }
  } else {
    auto It = std::find(V->FSelection.begin(), V->FSelection.end(), this);
    if (It != V->FSelection.end()) {
      V->FSelection.erase(It);
    }
    if (V->FShiftAnchor == this) {
      V->FShiftAnchor = nullptr;
    }
  }
  V->DoSelectionChanged();
}

void ZEZTreeNode::InternalSetSelected(bool Value) {
  Value ? FStates.Include(nsSelected) : FStates.Exclude(nsSelected);
  if (FImageIndex != FSelectedIndex) {
    Repaint({npImage});
  }
  if (FTreeView) {
    FTreeView->NodeSelectionChanged(this);
  }
}

void ZEZTreeNode::SetFocused(bool Value) {
  ZEZCustomTreeView* V = FTreeView;
  Value ? FStates.Include(nsFocused) : FStates.Exclude(nsFocused);
  if (Value && V) {
    if (V->FFocused && V->FFocused != this) {
      ZEZTreeNode* Old = V->FFocused;
      Old->FStates.Exclude(nsFocused);
      V->NodeSelectionChanged(Old);
    }
    V->FFocused = this;
    EnsureExpanded();
    MakeVisibleVert();
  }
  if (V) {
    V->NodeSelectionChanged(this);
  }
}

void ZEZTreeNode::SetDropTarget(bool Value) {
  ZEZCustomTreeView* V = FTreeView;
  if (Value) {
    if (V && V->FDropTarget && V->FDropTarget != this) {
      V->FDropTarget->FStates.Exclude(nsDropTarget);
      V->NodeSelectionChanged(V->FDropTarget);
    }
    FStates.Include(nsDropTarget);
    if (V) {
      V->FDropTarget = this;
    }
  } else {
    FStates.Exclude(nsDropTarget);
    if (V && V->FDropTarget == this) {
      V->FDropTarget = nullptr;
    }
  }
  if (V) {
    V->NodeSelectionChanged(this);
  }
}

void ZEZTreeNode::EditText() {
  if (FTreeView) {
    FTreeView->EditNode(this);
  }
}

void ZEZTreeNode::EndEdit(bool Cancel) {
  if (FTreeView) {
    FTreeView->EndEditNode(Cancel);
  }
}

// ---- check states ----------------------------------------------------------------------------------------------

void ZEZTreeNode::SetCheckedRadioChild(ZEZTreeNode* Child) {
  if (FInternalParent) {
    FInternalParent->FCheckedRadioChild = Child;
  }
}

void ZEZTreeNode::PropagateStateDown(TCheckBoxState NewState) {
  for (ZEZTreeNode* C = FFirstChild; C; C = C->FNext) {
    C->PropagateStateDown(NewState);
    C->SetState(NewState);
  }
}

void ZEZTreeNode::SetState(TCheckBoxState NewState) {
  ZEZCustomTreeView* V = FTreeView;
  if (V) {
    V->DoStateChanging(this, NewState);
  }
  if (FState == NewState) {
    return;
  }
  if (FNodeType == ntRadioButton && NewState == cbGrayed) {
    return;
  }
  if (FNodeType == ntRadioButton && NewState == cbChecked && FInternalParent) {
    ZEZTreeNode* Old = FInternalParent->FCheckedRadioChild;
    if (Old && Old != this) {
      Old->SetState(cbUnchecked);
    }
  }
  FState = NewState;
  if (FNodeType == ntRadioButton) {
    if (FState == cbChecked) {
      SetCheckedRadioChild(this);
    } else if (FInternalParent && FInternalParent->FCheckedRadioChild == this) {
      SetCheckedRadioChild(nullptr);
    }
  }
  if (V && V->AutoCheck()) {
    if (V->FParentCheckLock == 0) {
      ++V->FChildCheckLock;
      try {
        PropagateStateDown(NewState);
      } catch (...) {
        --V->FChildCheckLock;
        throw;
      }
      --V->FChildCheckLock;
    }
    if (V->FChildCheckLock == 0) {
      ++V->FParentCheckLock;
      try {
        if (FParent) {
          FParent->UpdateAutoCheck();
        }
      } catch (...) {
        --V->FParentCheckLock;
        throw;
      }
      --V->FParentCheckLock;
    }
  }
  Repaint({npCheckBox});
  if (V) {
    V->DoStateChanged(this);
  }
}

void ZEZTreeNode::UpdateAutoCheck() {
  bool Any = false;
  TCheckBoxState Result = cbUnchecked;
  for (ZEZTreeNode* C = FFirstChild; C; C = C->FNext) {
    if (C->FNodeType != ntCheckBox) {
      continue;
    }
    if (!Any) {
      Result = C->FState;
      Any = true;
    } else if (C->FState != Result) {
      Result = cbGrayed;
    }
  }
  if (Any) {
    SetState(Result);
  }
}

void ZEZTreeNode::SetNodeType(ZEZNodeType Value) {
  if (Value == FNodeType) {
    return;
  }
  const TNodeParts All{npCheckBox, npStateImage, npImage, npText};
  Repaint(All);
  if (FNodeType == ntRadioButton && FInternalParent && FInternalParent->FCheckedRadioChild == this) {
    SetCheckedRadioChild(nullptr);
  }
  FNodeType = Value;
  if (FNodeType == ntRadioButton) {
    if (FState == cbChecked && FInternalParent) {
      ZEZTreeNode* Old = FInternalParent->FCheckedRadioChild;
      if (Old && Old != this) {
        Old->SetState(cbUnchecked);
      }
      SetCheckedRadioChild(this);
    } else if (FState == cbGrayed) {
      FState = cbUnchecked;
    }
  }
  FStates.Exclude(nsWidthCalculated);
  if (GetIsVisible() && !Locked()) {
    Repaint(All);
    UpdateWidth();
  }
}

void ZEZTreeNode::SetAllowGrayed(bool Value) {
  if (Value) {
    FStates.Include(nsAllowGrayed);
  } else {
    FStates.Exclude(nsAllowGrayed);
    if (FState == cbGrayed) {
      SetState(cbUnchecked);
    }
  }
}

void ZEZTreeNode::SwitchToNextState() {
  if (FNodeType == ntNone || GetReadOnly()) {
    return;
  }
  TCheckBoxState Next = cbUnchecked;
  switch (FState) {
    case cbUnchecked: Next = cbChecked; break;
    case cbGrayed: Next = cbUnchecked; break;
    case cbChecked:
      if (FNodeType == ntRadioButton) {
        Next = cbChecked;
      } else if (GetAllowGrayed() && !(FTreeView && FTreeView->AutoCheck())) {
        Next = cbGrayed;
      } else {
        Next = cbUnchecked;
      }
      break;
  }
  SetState(Next);
}

void ZEZTreeNode::UpdateButton() {
  if (FParent && !FParent->FFirstChild) {
    FParent->FStates.Exclude(nsExpanded);
    FParent->FStates.Exclude(nsHasChildren);
    if (FTreeView && !FTreeView->Destroying()) {
      FParent->Repaint({npButton});
    }
  }
}
