// The tree view's model: nodes (TTreeNode) and their collection (TTreeNodes) with its stored form.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

Z_IMPLEMENT_CLASS(TTreeNode, TPersistent)
Z_IMPLEMENT_CLASS(TTreeNodes, TPersistent)

// ---- TTreeNode --------------------------------------------------------------------------------------------------

TTreeNode::TTreeNode(TTreeNodes* AOwner) : FOwner(AOwner) {}

TTreeNode::~TTreeNode() {
  for (TTreeNode* Child : FChildren) {
    delete Child;
  }
}

TCustomTreeView* TTreeNode::TreeView() const { return FOwner ? FOwner->Owner() : nullptr; }

void TTreeNode::SetText(const std::string& Value) {
  FText = Value;
  if (TCustomTreeView* TV = TreeView()) {
    if (TV->FTipNode == this) {
      TV->ClearTip();  // the tip showed the old text
    }
    if (FParentNode && (TV->SortType() == stText || TV->SortType() == stBoth)) {
      TV->AutoSort(FParentNode);
    }
    TV->NodesChanged();
  }
}

#define Z_NODE_SETTER(Name, Field, Type)            \
  void TTreeNode::Set##Name(Type Value) {           \
    if (Field != Value) {                           \
      Field = Value;                                \
      if (TCustomTreeView* TV = TreeView()) {       \
        TV->Invalidate();                           \
      }                                             \
    }                                               \
  }
Z_NODE_SETTER(ImageIndex, FImageIndex, int)
Z_NODE_SETTER(SelectedIndex, FSelectedIndex, int)
Z_NODE_SETTER(StateIndex, FStateIndex, int)
Z_NODE_SETTER(OverlayIndex, FOverlayIndex, int)
Z_NODE_SETTER(Cut, FCut, bool)
#undef Z_NODE_SETTER

void TTreeNode::SetDropTarget(bool Value) {
  if (TCustomTreeView* TV = TreeView()) {
    if (Value) {
      TV->SetDropTarget(this);
    } else if (TV->FDropTarget == this) {
      TV->SetDropTarget(nullptr);
    }
  } else {
    FDropTarget = Value;
  }
}

bool TTreeNode::Selected() const {
  TCustomTreeView* TV = TreeView();
  return TV && TV->FSelected == this;
}

void TTreeNode::SetSelected(bool Value) {
  if (TCustomTreeView* TV = TreeView()) {
    if (Value) {
      TV->SetSelected(this);
    } else if (TV->FSelected == this) {
      TV->SetSelected(nullptr);
    }
  }
}

void TTreeNode::SetHasChildren(bool Value) {
  if (FHasChildren != Value) {
    FHasChildren = Value;
    if (TCustomTreeView* TV = TreeView()) {
      TV->Invalidate();
    }
  }
}

void TTreeNode::SetExpanded(bool Value) {
  if (Value) {
    Expand(false);
  } else {
    Collapse(false);
  }
}

void TTreeNode::Expand(bool Recurse) {
  if (TCustomTreeView* TV = TreeView(); TV && HasChildren()) {
    TV->DoExpand(this, true, TVC_UNKNOWN);
  }
  if (Recurse) {
    for (TTreeNode* Child : std::vector<TTreeNode*>(FChildren)) {
      Child->Expand(true);
    }
  }
}

void TTreeNode::Collapse(bool Recurse) {
  if (TCustomTreeView* TV = TreeView(); TV && FExpanded) {
    TV->DoExpand(this, false, TVC_UNKNOWN);
  }
  if (Recurse) {
    for (TTreeNode* Child : std::vector<TTreeNode*>(FChildren)) {
      Child->Collapse(true);
    }
  }
}

TTreeNode* TTreeNode::Parent() const {
  return FParentNode && FParentNode != &FOwner->FRoot ? FParentNode : nullptr;
}

TTreeNode* TTreeNode::getNextSibling() const {
  if (!FParentNode) {
    return nullptr;
  }
  const auto& S = FParentNode->FChildren;
  const std::size_t I = PositionInParent();
  return I + 1 < S.size() ? S[I + 1] : nullptr;
}

TTreeNode* TTreeNode::getPrevSibling() const {
  if (!FParentNode) {
    return nullptr;
  }
  const auto& S = FParentNode->FChildren;
  const std::size_t I = PositionInParent();
  return I < S.size() && I > 0 ? S[I - 1] : nullptr;
}

std::size_t TTreeNode::PositionInParent() const {
  // Walking siblings one after another asks for neighbouring positions: the last one found is checked first
  // (and its neighbours), so a walk over a level costs one step per node instead of a search each.
  const auto& S = FParentNode->FChildren;
  for (std::size_t Guess : {FPositionHint, FPositionHint + 1, FPositionHint - 1}) {
    if (Guess < S.size() && S[Guess] == this) {
      FPositionHint = Guess;
      return Guess;
    }
  }
  // The level changed (sorted, nodes inserted or removed before this one): every sibling learns its place
  // again, once for the whole level.
  std::size_t Found = S.size();
  for (std::size_t I = 0; I < S.size(); ++I) {
    S[I]->FPositionHint = I;
    if (S[I] == this) {
      Found = I;
    }
  }
  return Found;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!FChildren.empty()) {
    return FChildren.front();
  }
  for (const TTreeNode* N = this; N && N->FParentNode; N = N->Parent()) {
    if (TTreeNode* Next = N->getNextSibling()) {
      return Next;
    }
  }
  return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
  TTreeNode* Prev = getPrevSibling();
  if (!Prev) {
    return Parent();
  }
  while (!Prev->FChildren.empty()) {
    Prev = Prev->FChildren.back();
  }
  return Prev;
}

TTreeNode* TTreeNode::GetNextVisible() const {
  if (FExpanded && !FChildren.empty()) {
    return FChildren.front();
  }
  for (const TTreeNode* N = this; N && N->FParentNode; N = N->Parent()) {
    if (TTreeNode* Next = N->getNextSibling()) {
      return Next;
    }
  }
  return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const {
  TTreeNode* Prev = getPrevSibling();
  if (!Prev) {
    return Parent();
  }
  while (Prev->FExpanded && !Prev->FChildren.empty()) {
    Prev = Prev->FChildren.back();
  }
  return Prev;
}

TTreeNode* TTreeNode::Item(int Index) const {
  if (Index < 0 || Index >= Count()) {
    throw EListError(Format(RtlConsts::SListIndexError, {Index}));
  }
  return FChildren[static_cast<std::size_t>(Index)];
}

int TTreeNode::Index() const {
  if (!FParentNode) {
    return -1;
  }
  return static_cast<int>(PositionInParent());
}

int TTreeNode::AbsoluteIndex() const {
  int Result = 0;
  for (const TTreeNode* N = FOwner->GetFirstNode(); N; N = N->GetNext(), ++Result) {
    if (N == this) {
      return Result;
    }
  }
  return -1;
}

int TTreeNode::Level() const {
  int Result = 0;
  for (TTreeNode* P = Parent(); P; P = P->Parent()) {
    ++Result;
  }
  return Result;
}

bool TTreeNode::IsVisible() const {
  for (TTreeNode* P = Parent(); P; P = P->Parent()) {
    if (!P->FExpanded) {
      return false;
    }
  }
  return true;
}

bool TTreeNode::HasAsParent(TTreeNode* Value) const {
  for (TTreeNode* P = Parent(); P; P = P->Parent()) {
    if (P == Value) {
      return true;
    }
  }
  return false;
}

TRect TTreeNode::DisplayRect(bool TextOnly) {
  TCustomTreeView* TV = TreeView();
  int Row = TV ? TV->RowOf(this) : -1;
  if (Row < 0) {
    return TRect{};
  }
  if (!TextOnly) {
    int H = TV->ItemHeight();
    int Y = (Row - TV->FTopRow) * H;
    return Rect(0, Y, TV->ClientWidth(), Y + H);
  }
  return TV->LabelRect(this, Row);
}

void TTreeNode::MakeVisible() {
  if (TCustomTreeView* TV = TreeView()) {
    TV->EnsureVisible(this);
  }
}

void TTreeNode::Delete() { FOwner->Delete(this); }

void TTreeNode::DeleteChildren() {
  FOwner->BeginUpdate();
  while (!FChildren.empty()) {
    FOwner->Delete(FChildren.front());
  }
  FOwner->EndUpdate();
}

bool TTreeNode::AlphaSort(bool Recurse) { return CustomSort(nullptr, 0, Recurse); }

bool TTreeNode::CustomSort(const TTVCompare& SortProc, LPARAM Data, bool Recurse) {
  TCustomTreeView* TV = TreeView();
  if (!TV) {
    return false;
  }
  TV->SortChildren(this, SortProc, Data, Recurse);
  TV->NodesChanged();
  return true;
}

// ---- TTreeNodes -------------------------------------------------------------------------------------------------

TTreeNodes::TTreeNodes(TCustomTreeView* AOwner) : FOwner(AOwner), FRoot(this) { FRoot.FExpanded = true; }

TTreeNodes::~TTreeNodes() = default;

TTreeNode* TTreeNodes::GetFirstNode() const { return FRoot.getFirstChild(); }

TTreeNode* TTreeNodes::Item(int Index) const {
  if (Index >= 0 && Index < FCount) {
    TTreeNode* N = GetFirstNode();
    for (int I = 0; N && I < Index; ++I) {
      N = N->GetNext();
    }
    if (N) {
      return N;
    }
  }
  throw EListError(Format(RtlConsts::SListIndexError, {Index}));
}

TTreeNode* TTreeNodes::InternalAdd(TTreeNode* Parent, int Position, const std::string& S, void* Ptr) {
  auto* Node = new TTreeNode(this);
  Node->FText = S;
  Node->Data = Ptr;
  Node->FParentNode = Parent;
  auto& Siblings = Parent->FChildren;
  Position = Position < 0 || Position > static_cast<int>(Siblings.size()) ? static_cast<int>(Siblings.size()) : Position;
  Siblings.insert(Siblings.begin() + Position, Node);
  Node->FPositionHint = static_cast<std::size_t>(Position);
  ++FCount;
  if (FOwner) {
    FOwner->AutoSort(Parent);
    FOwner->NodesChanged();
  }
  return Node;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr) {
  TTreeNode* Parent = Sibling ? Sibling->FParentNode : &FRoot;
  return InternalAdd(Parent, -1, S, Ptr);
}

TTreeNode* TTreeNodes::AddObjectFirst(TTreeNode* Sibling, const std::string& S, void* Ptr) {
  TTreeNode* Parent = Sibling ? Sibling->FParentNode : &FRoot;
  return InternalAdd(Parent, 0, S, Ptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr) {
  return InternalAdd(Parent ? Parent : &FRoot, -1, S, Ptr);
}

TTreeNode* TTreeNodes::AddChildObjectFirst(TTreeNode* Parent, const std::string& S, void* Ptr) {
  return InternalAdd(Parent ? Parent : &FRoot, 0, S, Ptr);
}

TTreeNode* TTreeNodes::InsertObject(TTreeNode* Sibling, const std::string& S, void* Ptr) {
  if (!Sibling) {
    return InternalAdd(&FRoot, -1, S, Ptr);
  }
  return InternalAdd(Sibling->FParentNode, Sibling->Index(), S, Ptr);
}

// Children first (in their order), each announced once (TVN_DELETEITEM) while it is still whole; then the node
// leaves its parent.
void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node || Node->FOwner != this || Node->FDeleting || Node == &FRoot) {
    return;
  }
  // The selection inside what goes passes to a neighbour of the deleted node, or its parent, once it is gone;
  // only the change is reported (it cannot be refused).
  TTreeNode* NewSelection = nullptr;
  bool MoveSelection = false;
  if (FOwner && FOwner->FSelected && (FOwner->FSelected == Node || FOwner->FSelected->HasAsParent(Node))) {
    MoveSelection = true;
    NewSelection = Node->getNextSibling();
    if (!NewSelection) {
      NewSelection = Node->getPrevSibling();
    }
    if (!NewSelection) {
      NewSelection = Node->Parent();
    }
    if (NewSelection && NewSelection->FDeleting) {
      NewSelection = nullptr;
    }
    FOwner->FSelected = nullptr;
  }
  Node->FDeleting = true;
  while (!Node->FChildren.empty()) {
    Delete(Node->FChildren.front());
  }
  if (FOwner) {
    FOwner->NodeGoing(Node);
  }
  auto& Siblings = Node->FParentNode->FChildren;
  Siblings.erase(std::find(Siblings.begin(), Siblings.end(), Node));
  --FCount;
  delete Node;
  if (FOwner) {
    if (MoveSelection && NewSelection && !FOwner->FDestroying) {
      FOwner->FSelected = NewSelection;
      FOwner->NotifyTree(TVN_SELCHANGED, TVC_UNKNOWN, nullptr, NewSelection);
    }
    FOwner->NodesChanged();
  }
}

void TTreeNodes::Clear() {
  BeginUpdate();
  while (!FRoot.FChildren.empty()) {
    Delete(FRoot.FChildren.front());
  }
  EndUpdate();
}

void TTreeNodes::BeginUpdate() { ++FUpdateCount; }

void TTreeNodes::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FOwner) {
    FOwner->NodesChanged();
  }
}

void TTreeNodes::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TTreeNodes*>(Source);
  if (!Other) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  Clear();
  std::function<void(TTreeNode*, TTreeNode*)> Copy = [&](TTreeNode* From, TTreeNode* To) {
    for (TTreeNode* C : From->FChildren) {
      TTreeNode* N = InternalAdd(To, -1, C->FText, C->Data);
      N->FImageIndex = C->FImageIndex;
      N->FSelectedIndex = C->FSelectedIndex;
      N->FStateIndex = C->FStateIndex;
      N->FOverlayIndex = C->FOverlayIndex;
      N->FHasChildren = C->FHasChildren;
      Copy(C, N);
      N->FExpanded = C->FExpanded;
    }
  };
  Copy(&Other->FRoot, &FRoot);
  EndUpdate();
}

void TTreeNodes::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* S) { ReadData(S); }, [this](TStream* S) { WriteData(S); }, FCount > 0);
}

namespace {
constexpr std::int32_t NodeRecordFixed = 6 * 4;  // the four indexes, the data slot and the child count
}  // namespace

// The data slot of a stored node is not read back: a pointer from another run of a program means nothing here.
// The whole block is read and checked before the tree changes, so a damaged block raises EReadError and leaves the
// nodes as they were; nesting is followed without recursion, so no depth of stored children can exhaust the stack.
void TTreeNodes::ReadData(TStream* Stream) {
  auto ReadInt = [&] {
    std::int32_t V = 0;
    Stream->ReadBuffer(&V, sizeof V);
    return V;
  };
  struct TStoredNode {
    std::int32_t Fields[6];  // image, selected, state, overlay, data slot, child count
    std::string Text;
  };
  std::vector<TStoredNode> Stored;  // in pre-order
  const std::int32_t Count = ReadInt();
  if (Count < 0) {
    throw EReadError(RtlConsts::SInvalidImage);
  }
  std::vector<std::int32_t> Pending{Count};  // children still to read, per open level
  while (!Pending.empty()) {
    if (Pending.back() == 0) {
      Pending.pop_back();
      continue;
    }
    --Pending.back();
    const std::int32_t Size = ReadInt();
    if (Size < NodeRecordFixed + 1 || Size > NodeRecordFixed + 256) {
      throw EReadError(RtlConsts::SInvalidImage);
    }
    TStoredNode N;
    Stream->ReadBuffer(N.Fields, sizeof N.Fields);
    unsigned char Len = 0;
    Stream->ReadBuffer(&Len, 1);
    if (Len != Size - NodeRecordFixed - 1 || N.Fields[5] < 0) {
      throw EReadError(RtlConsts::SInvalidImage);
    }
    N.Text.assign(Len, '\0');
    if (Len) {
      Stream->ReadBuffer(N.Text.data(), Len);
    }
    Pending.push_back(N.Fields[5]);
    Stored.push_back(std::move(N));
  }
  BeginUpdate();
  try {
    Clear();
    std::vector<std::pair<TTreeNode*, std::int32_t>> Open{{&FRoot, Count}};  // parent, children still to add
    for (const TStoredNode& N : Stored) {
      while (Open.back().second == 0) {
        Open.pop_back();
      }
      --Open.back().second;
      TTreeNode* Node = InternalAdd(Open.back().first, -1, N.Text, nullptr);
      Node->FImageIndex = N.Fields[0];
      Node->FSelectedIndex = N.Fields[1];
      Node->FStateIndex = N.Fields[2];
      Node->FOverlayIndex = N.Fields[3];
      Open.emplace_back(Node, N.Fields[5]);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TTreeNodes::WriteData(TStream* Stream) {
  auto WriteInt = [&](std::int32_t V) { Stream->WriteBuffer(&V, sizeof V); };
  std::function<void(TTreeNode*)> WriteNode = [&](TTreeNode* Node) {
    std::string Text = Node->FText.substr(0, 255);
    WriteInt(NodeRecordFixed + 1 + static_cast<std::int32_t>(Text.size()));
    WriteInt(Node->FImageIndex);
    WriteInt(Node->FSelectedIndex);
    WriteInt(Node->FStateIndex);
    WriteInt(Node->FOverlayIndex);
    WriteInt(0);  // the data slot
    WriteInt(Node->Count());
    auto Len = static_cast<unsigned char>(Text.size());
    Stream->WriteBuffer(&Len, 1);
    Stream->WriteBuffer(Text.data(), Len);
    for (TTreeNode* Child : Node->FChildren) {
      WriteNode(Child);
    }
  };
  WriteInt(static_cast<std::int32_t>(FRoot.FChildren.size()));
  for (TTreeNode* Node : FRoot.FChildren) {
    WriteNode(Node);
  }
}
