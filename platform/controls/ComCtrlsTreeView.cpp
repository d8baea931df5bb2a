// The tree view: the node model, rows and hit tests, painting with custom draw, the mouse and keys, label
// editing over a native edit, and the TVN_ notifications in the platform's order.
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
Z_IMPLEMENT_CLASS(TCustomTreeView, TCustomControl)
Z_IMPLEMENT_CLASS_PUBLISHED(TTreeView, TCustomTreeView, TTreeView::Publish)

namespace {

TSize MeasureWith(TFont* Font, const std::string& Text) {
  HDC DC = CreateCompatibleDC(0);
  HGDIOBJ Old = SelectObject(DC, Font->Handle());
  TSize Size{0, 0};
  const std::string S = Text.empty() ? std::string(" ") : Text;
  GetTextExtentPoint32(DC, S.c_str(), static_cast<int>(S.size()), &Size);
  if (Text.empty()) {
    Size.cx = 0;
  }
  SelectObject(DC, Old);
  DeleteDC(DC);
  return Size;
}

}  // namespace

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
  auto It = std::find(S.begin(), S.end(), this);
  return It != S.end() && It + 1 != S.end() ? *(It + 1) : nullptr;
}

TTreeNode* TTreeNode::getPrevSibling() const {
  if (!FParentNode) {
    return nullptr;
  }
  const auto& S = FParentNode->FChildren;
  auto It = std::find(S.begin(), S.end(), this);
  return It != S.end() && It != S.begin() ? *(It - 1) : nullptr;
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
  const auto& S = FParentNode->FChildren;
  return static_cast<int>(std::find(S.begin(), S.end(), this) - S.begin());
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

bool TTreeNode::EditText() {
  TCustomTreeView* TV = TreeView();
  if (!TV || TV->ReadOnly || !TV->HandleAllocated()) {
    return false;
  }
  TV->EndEditing(false);
  TV->EnsureVisible(this);
  NMTVDISPINFO Info;
  Info.item.mask = TVIF_TEXT | TVIF_HANDLE | TVIF_PARAM;
  Info.item.hItem = this;
  Info.item.lParam = reinterpret_cast<LPARAM>(this);
  Info.item.pszText = FText.data();
  Info.item.cchTextMax = static_cast<int>(FText.size()) + 1;
  if (TV->Notify(Info.hdr, TVN_BEGINLABELEDIT) != 0) {
    return false;
  }
  TRect R = DisplayRect(true);
  TV->FEditNode = this;
  TV->FEditWnd = CreateWindowEx(0, WC_EDIT, FText.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                R.Left, R.Top, std::max(R.Width() + 40, 60), R.Height() + 2, TV->Handle(), 0, 0,
                                nullptr);
  if (!TV->FEditWnd) {
    TV->FEditNode = nullptr;
    return false;
  }
  SetWindowLongPtr(TV->FEditWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(TV));
  TV->FEditOldProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(TV->FEditWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCustomTreeView::EditProc)));
  SendMessage(TV->FEditWnd, EM_SETSEL, 0, -1);
  ::SetFocus(TV->FEditWnd);
  return true;
}

void TTreeNode::EndEdit(bool Cancel) {
  TCustomTreeView* TV = TreeView();
  if (TV && TV->FEditNode == this) {
    TV->EndEditing(Cancel);
  }
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
void TTreeNodes::ReadData(TStream* Stream) {
  auto ReadInt = [&] {
    std::int32_t V = 0;
    Stream->ReadBuffer(&V, sizeof V);
    return V;
  };
  std::function<void(TTreeNode*)> ReadNode = [&](TTreeNode* Parent) {
    std::int32_t Size = ReadInt();
    if (Size < NodeRecordFixed + 1 || Size > NodeRecordFixed + 256) {
      throw EReadError(RtlConsts::SInvalidImage);
    }
    std::int32_t Fields[6];
    Stream->ReadBuffer(Fields, sizeof Fields);
    unsigned char Len = 0;
    Stream->ReadBuffer(&Len, 1);
    if (Len != Size - NodeRecordFixed - 1) {
      throw EReadError(RtlConsts::SInvalidImage);
    }
    std::string Text(Len, '\0');
    if (Len) {
      Stream->ReadBuffer(Text.data(), Len);
    }
    TTreeNode* Node = InternalAdd(Parent, -1, Text, nullptr);
    Node->FImageIndex = Fields[0];
    Node->FSelectedIndex = Fields[1];
    Node->FStateIndex = Fields[2];
    Node->FOverlayIndex = Fields[3];
    for (std::int32_t I = 0; I < Fields[5]; ++I) {
      ReadNode(Node);
    }
  };
  BeginUpdate();
  Clear();
  std::int32_t Count = ReadInt();
  for (std::int32_t I = 0; I < Count; ++I) {
    ReadNode(&FRoot);
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

// ---- TCustomTreeView --------------------------------------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)) {
  FWidth = 121;
  FHeight = 97;
  TabStop = true;
  FColor = clWindow;
  FParentColor = false;
  FImageLink = std::make_unique<TChangeLink>();
  FImageLink->OnChange = [this](TObject*) { NodesChanged(); };
}

void TCustomTreeView::BeforeDestruction() {
  // Every node is announced as it goes (children first), so descendants can free what they keep in Data.
  EndEditing(true);
  FItems->BeginUpdate();
  FItems->Clear();
  FDestroying = true;
  SetImages(nullptr);
  SetStateImages(nullptr);
  TCustomControl::BeforeDestruction();
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_VSCROLL;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd() {
  TCustomControl::CreateWnd();
  NodesChanged();
}

int TCustomTreeView::TextWidth(const std::string& Text) { return MeasureWith(Font(), Text).cx; }

int TCustomTreeView::ItemHeight() {
  int H = MeasureWith(Font(), "Wg").cy + 3;
  if (FImages) {
    H = std::max(H, FImages->Height());
  }
  if (FStateImages) {
    H = std::max(H, FStateImages->Height());
  }
  return H;
}

int TCustomTreeView::VisibleRowCount() {
  int H = ItemHeight();
  return H > 0 ? ClientHeight() / H : 0;
}

std::vector<TTreeNode*> TCustomTreeView::Rows() {
  std::vector<TTreeNode*> Result;
  for (TTreeNode* N = FItems->GetFirstNode(); N; N = N->GetNextVisible()) {
    Result.push_back(N);
  }
  return Result;
}

int TCustomTreeView::RowOf(TTreeNode* Node) {
  if (!Node || !Node->IsVisible()) {
    return -1;
  }
  int Row = 0;
  for (TTreeNode* N = FItems->GetFirstNode(); N; N = N->GetNextVisible(), ++Row) {
    if (N == Node) {
      return Row;
    }
  }
  return -1;
}

// Where the node's state image (else its image, else its label) starts.
int TCustomTreeView::IndentOf(TTreeNode* Node) {
  int Steps = Node->Level() + ((FShowRoot && (FShowLines || FShowButtons)) ? 1 : 0);
  return Steps * FIndent + 2;
}

TRect TCustomTreeView::LabelRect(TTreeNode* Node, int Row) {
  int H = ItemHeight();
  int X = IndentOf(Node);
  if (FStateImages && Node->FStateIndex > 0) {
    X += FStateImages->Width();
  }
  if (FImages) {
    X += FImages->Width() + 1;
  }
  int Y = (Row - FTopRow) * H;
  return Rect(X, Y, X + TextWidth(Node->FText) + 4, Y + H);
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) {
  if (Y < 0 || X < 0 || X >= ClientWidth()) {
    return nullptr;
  }
  int Row = FTopRow + Y / ItemHeight();
  std::vector<TTreeNode*> All = Rows();
  return Row < static_cast<int>(All.size()) ? All[static_cast<std::size_t>(Row)] : nullptr;
}

THitTests TCustomTreeView::GetHitTestInfoAt(int X, int Y) {
  THitTests Result;
  if (Y < 0) {
    Result.Include(htAbove);
  }
  if (Y >= ClientHeight()) {
    Result.Include(htBelow);
  }
  if (X < 0) {
    Result.Include(htToLeft);
  }
  if (X >= ClientWidth()) {
    Result.Include(htToRight);
  }
  if (!Result.Empty()) {
    return Result;
  }
  TTreeNode* Node = GetNodeAt(X, Y);
  if (!Node) {
    Result.Include(htNowhere);
    return Result;
  }
  int Start = IndentOf(Node);
  int Row = RowOf(Node);
  TRect Label = LabelRect(Node, Row);
  if (X < Start) {
    bool ButtonShown = FShowButtons && Node->HasChildren() && (Node->Parent() || FShowRoot);
    Result.Include(ButtonShown && X >= Start - 2 - FIndent ? htOnButton : htOnIndent);
    return Result;
  }
  int X0 = Start;
  if (FStateImages && Node->FStateIndex > 0) {
    if (X < X0 + FStateImages->Width()) {
      Result.Include(htOnStateIcon);
      Result.Include(htOnItem);
      return Result;
    }
    X0 += FStateImages->Width();
  }
  if (FImages && X < X0 + FImages->Width() + 1) {
    Result.Include(htOnIcon);
    Result.Include(htOnItem);
    return Result;
  }
  if (X < Label.Right) {
    Result.Include(htOnLabel);
    Result.Include(htOnItem);
    return Result;
  }
  Result.Include(htOnRight);
  return Result;
}

TTreeNode* TCustomTreeView::TopItem() {
  std::vector<TTreeNode*> All = Rows();
  return FTopRow < static_cast<int>(All.size()) ? All[static_cast<std::size_t>(FTopRow)] : nullptr;
}

void TCustomTreeView::SetTopItem(TTreeNode* Node) {
  int Row = RowOf(Node);
  if (Row >= 0) {
    ScrollTo(Row);
  }
}

void TCustomTreeView::ScrollTo(int TopRow) {
  int Count = static_cast<int>(Rows().size());
  int Page = std::max(1, VisibleRowCount());
  TopRow = std::clamp(TopRow, 0, std::max(0, Count - Page));
  if (TopRow != FTopRow) {
    FTopRow = TopRow;
    Invalidate();
  }
  UpdateScrollBar();
}

void TCustomTreeView::EnsureVisible(TTreeNode* Node) {
  for (TTreeNode* P = Node->Parent(); P; P = P->Parent()) {
    if (!P->FExpanded) {
      DoExpand(P, true, TVC_UNKNOWN);
    }
  }
  int Row = RowOf(Node);
  if (Row < 0) {
    return;
  }
  int Page = std::max(1, VisibleRowCount());
  if (Row < FTopRow) {
    ScrollTo(Row);
  } else if (Row >= FTopRow + Page) {
    ScrollTo(Row - Page + 1);
  }
}

void TCustomTreeView::UpdateScrollBar() {
  if (!HandleAllocated() || FDestroying) {
    return;
  }
  SCROLLINFO Info;
  Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  Info.nMin = 0;
  Info.nMax = static_cast<int>(Rows().size()) - 1;
  Info.nPage = static_cast<UINT>(std::max(0, VisibleRowCount()));
  Info.nPos = FTopRow;
  SetScrollInfo(FHandle, SB_VERT, &Info, TRUE);
}

void TCustomTreeView::NodesChanged() {
  if (FItems->Updating() || FDestroying) {
    return;
  }
  int Count = static_cast<int>(Rows().size());
  int Page = std::max(1, VisibleRowCount());
  FTopRow = std::clamp(FTopRow, 0, std::max(0, Count - Page));
  UpdateScrollBar();
  Invalidate();
}

void TCustomTreeView::Resize() {
  NodesChanged();
  TCustomControl::Resize();
}

void TCustomTreeView::SetHideSelection(bool Value) {
  FHideSelection = Value;
  Invalidate();
}
void TCustomTreeView::SetShowRoot(bool Value) {
  FShowRoot = Value;
  Invalidate();
}
void TCustomTreeView::SetShowLines(bool Value) {
  FShowLines = Value;
  Invalidate();
}
void TCustomTreeView::SetShowButtons(bool Value) {
  FShowButtons = Value;
  Invalidate();
}
void TCustomTreeView::SetIndent(int Value) {
  FIndent = std::max(Value, 0);
  Invalidate();
}
void TCustomTreeView::SetRowSelect(bool Value) {
  FRowSelect = Value;
  Invalidate();
}

void TCustomTreeView::SetSortType(TSortType Value) {
  if (FSortType != Value) {
    FSortType = Value;
    if (Value == stText || Value == stBoth) {
      AlphaSort(true);
    }
  }
}

void TCustomTreeView::SetImages(TCustomImageList* Value) {
  if (FImages == Value) {
    return;
  }
  if (FImages) {
    FImages->UnRegisterChanges(FImageLink.get());
    RemoveFreeNotification(FImages);
  }
  FImages = Value;
  if (FImages) {
    FImages->RegisterChanges(FImageLink.get());
    FreeNotification(FImages);
  }
  NodesChanged();
}

void TCustomTreeView::SetStateImages(TCustomImageList* Value) {
  if (FStateImages == Value) {
    return;
  }
  if (FStateImages) {
    RemoveFreeNotification(FStateImages);
  }
  FStateImages = Value;
  if (FStateImages) {
    FreeNotification(FStateImages);
  }
  NodesChanged();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    if (AComponent == FImages) {
      FImages = nullptr;
      NodesChanged();
    }
    if (AComponent == FStateImages) {
      FStateImages = nullptr;
      NodesChanged();
    }
  }
}

TTreeNode* TCustomTreeView::DropTarget() const { return FDropTarget; }

void TCustomTreeView::SetDropTarget(TTreeNode* Node) {
  if (FDropTarget) {
    FDropTarget->FDropTarget = false;
  }
  FDropTarget = Node;
  if (Node) {
    Node->FDropTarget = true;
  }
  Invalidate();
}

// ---- Notifications ----------------------------------------------------------------------------------------------

LRESULT TCustomTreeView::Notify(NMHDR& Header, UINT Code) {
  Header.hwndFrom = HandleAllocated() ? FHandle : 0;
  Header.idFrom = HandleAllocated() ? static_cast<UINT_PTR>(GetDlgCtrlID(FHandle)) : 0;
  Header.code = Code;
  auto L = reinterpret_cast<LPARAM>(&Header);
  if (HandleAllocated() && FParent && FParent->HandleAllocated() && !FDestroying) {
    return SendMessage(FParent->Handle(), WM_NOTIFY, Header.idFrom, L);
  }
  return Perform(CN_NOTIFY, Header.idFrom, L);
}

LRESULT TCustomTreeView::NotifyTree(UINT Code, UINT Action, TTreeNode* OldNode, TTreeNode* NewNode, TPoint Pt) {
  NMTREEVIEW NM;
  NM.action = Action;
  auto Fill = [](TVITEM& Item, TTreeNode* Node) {
    if (!Node) {
      return;
    }
    Item.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE | TVIF_TEXT;
    Item.hItem = Node;
    Item.lParam = reinterpret_cast<LPARAM>(Node);
    Item.state = (Node->Selected() ? TVIS_SELECTED : 0) | (Node->FExpanded ? TVIS_EXPANDED : 0) |
                 (Node->FCut ? TVIS_CUT : 0) | (Node->FDropTarget ? TVIS_DROPHILITED : 0);
    Item.pszText = const_cast<char*>(Node->FText.c_str());
    Item.cChildren = Node->HasChildren() ? 1 : 0;
  };
  Fill(NM.itemOld, OldNode);
  Fill(NM.itemNew, NewNode);
  NM.ptDrag = Pt;
  return Notify(NM.hdr, Code);
}

bool TCustomTreeView::DoSelect(TTreeNode* Node, UINT Action) {
  if (Node == FSelected) {
    return true;
  }
  if (NotifyTree(TVN_SELCHANGING, Action, FSelected, Node) != 0) {
    return false;
  }
  TTreeNode* Old = FSelected;
  FSelected = Node;
  if (Node) {
    EnsureVisible(Node);
  }
  Invalidate();
  NotifyTree(TVN_SELCHANGED, Action, Old, Node);
  return true;
}

void TCustomTreeView::SetSelected(TTreeNode* Node) {
  if (Node && Node->FOwner != FItems.get()) {
    return;
  }
  DoSelect(Node, TVC_UNKNOWN);
}

// Expanding asks first (TVN_ITEMEXPANDING); a node that was only promised children and got none on the way
// loses its button instead of opening.
bool TCustomTreeView::DoExpand(TTreeNode* Node, bool Expand, UINT Action) {
  if (Node->FExpanded == Expand) {
    return true;
  }
  UINT Code = Expand ? TVE_EXPAND : TVE_COLLAPSE;
  (void)Action;
  if (Expand && !Node->HasChildren()) {
    return false;
  }
  if (NotifyTree(TVN_ITEMEXPANDING, Code, nullptr, Node) != 0) {
    return false;
  }
  if (Expand && Node->FChildren.empty()) {
    Node->FHasChildren = false;
    NodesChanged();
    return false;
  }
  Node->FExpanded = Expand;
  if (!Expand && FSelected && FSelected->HasAsParent(Node)) {
    // The selection may not hide under a collapsed node: it moves up to it.
    TTreeNode* Old = FSelected;
    FSelected = Node;
    NotifyTree(TVN_SELCHANGED, TVC_UNKNOWN, Old, Node);
  }
  NodesChanged();
  NotifyTree(TVN_ITEMEXPANDED, Code, nullptr, Node);
  return true;
}

void TCustomTreeView::NodeGoing(TTreeNode* Node) {
  if (Node == FEditNode) {
    EndEditing(true);
  }
  NotifyTree(TVN_DELETEITEM, 0, Node, nullptr);
  if (Node == FDropTarget) {
    FDropTarget = nullptr;
  }
  if (Node == FDragNode) {
    FDragNode = nullptr;
  }
  if (Node == FRClickNode) {
    FRClickNode = nullptr;
  }
}

void TCustomTreeView::CNNotify(TMessage& Message) {
  auto* Header = reinterpret_cast<NMHDR*>(Message.LParam);
  auto* NM = reinterpret_cast<NMTREEVIEW*>(Message.LParam);
  Message.Result = 0;
  switch (Header->code) {
    case TVN_SELCHANGING: Message.Result = CanChange(NM->itemNew.hItem) ? 0 : 1; break;
    case TVN_SELCHANGED: Change(NM->itemNew.hItem); break;
    case TVN_ITEMEXPANDING: {
      TTreeNode* Node = NM->itemNew.hItem;
      bool Allowed = NM->action == TVE_EXPAND ? CanExpand(Node) : CanCollapse(Node);
      Message.Result = Allowed ? 0 : 1;
      break;
    }
    case TVN_ITEMEXPANDED:
      if (NM->action == TVE_EXPAND) {
        Expand(NM->itemNew.hItem);
      } else {
        Collapse(NM->itemNew.hItem);
      }
      break;
    case TVN_DELETEITEM: Delete(NM->itemOld.hItem); break;
    case TVN_GETDISPINFO: {
      auto* Info = reinterpret_cast<NMTVDISPINFO*>(Message.LParam);
      TTreeNode* Node = Info->item.lParam ? reinterpret_cast<TTreeNode*>(Info->item.lParam) : Info->item.hItem;
      if (Node && (Info->item.mask & TVIF_IMAGE)) {
        GetImageIndex(Node);
        Info->item.iImage = Node->FImageIndex;
      }
      if (Node && (Info->item.mask & TVIF_SELECTEDIMAGE)) {
        GetSelectedIndex(Node);
        Info->item.iSelectedImage = Node->FSelectedIndex;
      }
      break;
    }
    case TVN_BEGINLABELEDIT: {
      auto* Info = reinterpret_cast<NMTVDISPINFO*>(Message.LParam);
      Message.Result = CanEdit(reinterpret_cast<TTreeNode*>(Info->item.hItem)) ? 0 : 1;
      break;
    }
    case TVN_ENDLABELEDIT: {
      auto* Info = reinterpret_cast<NMTVDISPINFO*>(Message.LParam);
      if (Info->item.pszText) {
        std::string S = Info->item.pszText;
        auto* Node = reinterpret_cast<TTreeNode*>(Info->item.hItem);
        Edit(Node, S);
      }
      break;
    }
    case TVN_BEGINDRAG:
    case TVN_BEGINRDRAG:
      if (DragMode == dmAutomatic && Header->code == TVN_BEGINDRAG) {
        BeginDrag(true);
      }
      break;
    case NM_RCLICK:
      if (RightClickSelect && FRClickNode) {
        SetSelected(FRClickNode);
      }
      FRClickNode = nullptr;
      break;
    case NM_CUSTOMDRAW: {
      auto* CD = reinterpret_cast<NMTVCUSTOMDRAW*>(Message.LParam);
      LRESULT R = CDRF_DODEFAULT;
      TCanvas* C = Canvas();
      switch (CD->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
          if (OnCustomDraw && !CustomDraw(CD->nmcd.rc, cdPrePaint)) {
            R = CDRF_SKIPDEFAULT;
          } else if (OnCustomDrawItem) {
            R = CDRF_NOTIFYITEMDRAW;
          }
          break;
        case CDDS_ITEMPREPAINT: {
          auto* Node = reinterpret_cast<TTreeNode*>(CD->nmcd.lItemlParam);
          TCustomDrawState State;
          UINT S = CD->nmcd.uItemState;
          if (S & CDIS_SELECTED) State.Include(cdsSelected);
          if (S & CDIS_FOCUS) State.Include(cdsFocused);
          if (S & CDIS_HOT) State.Include(cdsHot);
          if (S & CDIS_DISABLED) State.Include(cdsDisabled);
          C->Font()->Assign(Font());
          C->Font()->SetColor(static_cast<TColor>(CD->clrText));
          C->Brush()->SetColor(static_cast<TColor>(CD->clrTextBk));
          const TColor TextBefore = C->Font()->Color(), BackBefore = C->Brush()->Color();
          if (!CustomDrawItem(Node, State, cdPrePaint)) {
            R = CDRF_SKIPDEFAULT;
          } else if (C->Font()->Color() != TextBefore || C->Brush()->Color() != BackBefore) {
            CD->clrText = ColorToRGB(C->Font()->Color());
            CD->clrTextBk = ColorToRGB(C->Brush()->Color());
            R = CDRF_NEWFONT;
          }
          break;
        }
        default: break;
      }
      Message.Result = R;
      break;
    }
    default: break;
  }
}

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool Allow = true;
  if (OnChanging) {
    OnChanging(this, Node, Allow);
  }
  return Allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (OnChange) {
    OnChange(this, Node);
  }
}

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
  bool Allow = true;
  if (OnExpanding) {
    OnExpanding(this, Node, Allow);
  }
  return Allow;
}

void TCustomTreeView::Expand(TTreeNode* Node) {
  if (OnExpanded) {
    OnExpanded(this, Node);
  }
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
  bool Allow = true;
  if (OnCollapsing) {
    OnCollapsing(this, Node, Allow);
  }
  return Allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node) {
  if (OnCollapsed) {
    OnCollapsed(this, Node);
  }
}

bool TCustomTreeView::CanEdit(TTreeNode* Node) {
  bool Allow = !ReadOnly;
  if (Allow && OnEditing) {
    OnEditing(this, Node, Allow);
  }
  return Allow;
}

void TCustomTreeView::Edit(TTreeNode* Node, std::string& S) {
  if (OnEdited) {
    OnEdited(this, Node, S);
  }
  if (Node) {
    Node->SetText(S);
  }
}

void TCustomTreeView::Delete(TTreeNode* Node) {
  if (OnDeletion) {
    OnDeletion(this, Node);
  }
}

void TCustomTreeView::GetImageIndex(TTreeNode* Node) {
  if (OnGetImageIndex) {
    OnGetImageIndex(this, Node);
  }
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* Node) {
  if (OnGetSelectedIndex) {
    OnGetSelectedIndex(this, Node);
  }
}

bool TCustomTreeView::CustomDraw(const TRect& ARect, TCustomDrawStage Stage) {
  bool Default = true;
  if (OnCustomDraw && Stage == cdPrePaint) {
    OnCustomDraw(this, ARect, Default);
  }
  return Default;
}

bool TCustomTreeView::CustomDrawItem(TTreeNode* Node, TCustomDrawState State, TCustomDrawStage Stage) {
  bool Default = true;
  if (OnCustomDrawItem && Stage == cdPrePaint) {
    OnCustomDrawItem(this, Node, State, Default);
  }
  return Default;
}

// ---- Sorting ----------------------------------------------------------------------------------------------------

int TCustomTreeView::Compare(TTreeNode* Node1, TTreeNode* Node2, LPARAM Data) {
  if (OnCompare) {
    int Result = 0;
    OnCompare(this, Node1, Node2, static_cast<int>(Data), Result);
    return Result;
  }
  return std::strcmp(Node1->FText.c_str(), Node2->FText.c_str());
}

void TCustomTreeView::SortChildren(TTreeNode* Parent, const TTVCompare& Proc, LPARAM Data, bool Recurse) {
  auto& C = Parent->FChildren;
  std::stable_sort(C.begin(), C.end(), [&](TTreeNode* A, TTreeNode* B) {
    return (Proc ? Proc(A, B, Data) : Compare(A, B, Data)) < 0;
  });
  if (Recurse) {
    for (TTreeNode* Child : C) {
      SortChildren(Child, Proc, Data, true);
    }
  }
}

void TCustomTreeView::AutoSort(TTreeNode* Parent) {
  if (FSortType == stText || FSortType == stBoth) {
    SortChildren(Parent, nullptr, 0, false);
  }
}

bool TCustomTreeView::AlphaSort(bool Recurse) { return CustomSort(nullptr, 0, Recurse); }

bool TCustomTreeView::CustomSort(const TTVCompare& SortProc, LPARAM Data, bool Recurse) {
  SortChildren(&FItems->FRoot, SortProc, Data, Recurse);
  NodesChanged();
  return true;
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* N = FItems->GetFirstNode(); N; N = N->getNextSibling()) {
    N->Expand(true);
  }
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* N = FItems->GetFirstNode(); N; N = N->getNextSibling()) {
    N->Collapse(true);
  }
}

// ---- Label editing ----------------------------------------------------------------------------------------------

LRESULT TCustomTreeView::EditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* TV = reinterpret_cast<TCustomTreeView*>(GetWindowLongPtr(Wnd, GWLP_USERDATA));
  WNDPROC Old = TV ? TV->FEditOldProc : nullptr;
  if (TV && TV->FEditWnd == Wnd) {
    if (Msg == WM_KEYDOWN && (WParam == VK_RETURN || WParam == VK_ESCAPE)) {
      TV->EndEditing(WParam == VK_ESCAPE);
      return 0;
    }
    if (Msg == WM_CHAR && (WParam == '\r' || WParam == 27)) {
      return 0;
    }
    if (Msg == WM_GETDLGCODE) {
      return DLGC_WANTALLKEYS | CallWindowProc(Old, Wnd, Msg, WParam, LParam);
    }
    if (Msg == WM_KILLFOCUS) {
      LRESULT R = CallWindowProc(Old, Wnd, Msg, WParam, LParam);
      TV->EndEditing(false);
      return R;
    }
  }
  return Old ? CallWindowProc(Old, Wnd, Msg, WParam, LParam) : DefWindowProc(Wnd, Msg, WParam, LParam);
}

void TCustomTreeView::EndEditing(bool Cancel) {
  if (!FEditWnd) {
    return;
  }
  HWND Wnd = FEditWnd;
  TTreeNode* Node = FEditNode;
  FEditWnd = 0;
  FEditNode = nullptr;
  std::string Text = GetWindowTextString(Wnd);
  NMTVDISPINFO Info;
  Info.item.mask = TVIF_TEXT | TVIF_HANDLE | TVIF_PARAM;
  Info.item.hItem = Node;
  Info.item.lParam = reinterpret_cast<LPARAM>(Node);
  Info.item.pszText = Cancel ? nullptr : Text.data();
  Info.item.cchTextMax = static_cast<int>(Text.size()) + 1;
  bool HadFocus = GetFocus() == Wnd;
  SetWindowLongPtr(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditOldProc));
  DestroyWindow(Wnd);
  if (HadFocus && HandleAllocated()) {
    ::SetFocus(FHandle);
  }
  Notify(Info.hdr, TVN_ENDLABELEDIT);
  Invalidate();
}

// ---- Input ------------------------------------------------------------------------------------------------------

void TCustomTreeView::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) {
    return;
  }
  NMTVKEYDOWN KD;
  KD.wVKey = Key;
  Notify(KD.hdr, TVN_KEYDOWN);
  std::vector<TTreeNode*> All = Rows();
  if (All.empty()) {
    return;
  }
  int Row = RowOf(FSelected);
  int Last = static_cast<int>(All.size()) - 1;
  int Page = std::max(1, VisibleRowCount());
  auto Go = [&](int R) { DoSelect(All[static_cast<std::size_t>(std::clamp(R, 0, Last))], TVC_BYKEYBOARD); };
  switch (Key) {
    case VK_DOWN: Go(Row < 0 ? 0 : Row + 1); break;
    case VK_UP: Go(Row < 0 ? 0 : Row - 1); break;
    case VK_HOME: Go(0); break;
    case VK_END: Go(Last); break;
    case VK_NEXT: Go(Row + Page - 1); break;
    case VK_PRIOR: Go(Row - Page + 1); break;
    case VK_LEFT:
      if (FSelected && FSelected->FExpanded) {
        DoExpand(FSelected, false, TVC_BYKEYBOARD);
      } else if (FSelected && FSelected->Parent()) {
        DoSelect(FSelected->Parent(), TVC_BYKEYBOARD);
      }
      break;
    case VK_RIGHT:
      if (FSelected && FSelected->HasChildren() && !FSelected->FExpanded) {
        DoExpand(FSelected, true, TVC_BYKEYBOARD);
      } else if (FSelected && FSelected->FExpanded && FSelected->getFirstChild()) {
        DoSelect(FSelected->getFirstChild(), TVC_BYKEYBOARD);
      }
      break;
    case VK_ADD:
      if (FSelected) DoExpand(FSelected, true, TVC_BYKEYBOARD);
      break;
    case VK_SUBTRACT:
      if (FSelected) DoExpand(FSelected, false, TVC_BYKEYBOARD);
      break;
    case VK_MULTIPLY:
      if (FSelected) FSelected->Expand(true);
      break;
    case VK_F2:
      if (FSelected) FSelected->EditText();
      break;
    default: break;
  }
}

void TCustomTreeView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY:
      CNNotify(Message);
      return;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      auto X = static_cast<short>(LOWORD(Message.LParam)), Y = static_cast<short>(HIWORD(Message.LParam));
      EndEditing(false);
      if (CanFocus() && HandleAllocated() && GetFocus() != FHandle) {
        SetFocus();
      }
      TTreeNode* Node = GetNodeAt(X, Y);
      THitTests Hit = GetHitTestInfoAt(X, Y);
      if (Message.Msg == WM_LBUTTONDOWN) {
        if (Node && Hit.Contains(htOnButton)) {
          DoExpand(Node, !Node->FExpanded, TVC_BYMOUSE);
        } else if (Node && (Hit.Contains(htOnItem) || FRowSelect)) {
          bool WasSelected = Node == FSelected;
          DoSelect(Node, TVC_BYMOUSE);
          FDragNode = Node;
          FDragStart = Point(X, Y);
          if (WasSelected && AutoExpand) {
            DoExpand(Node, !Node->FExpanded, TVC_BYMOUSE);
          }
        }
      } else {
        FRClickNode = Node && (Hit.Contains(htOnItem) || FRowSelect) ? Node : nullptr;
        FDragNode = FRClickNode;
        FDragStart = Point(X, Y);
      }
      break;
    }
    case WM_MOUSEMOVE:
      if (FDragNode && (Message.WParam & (MK_LBUTTON | MK_RBUTTON))) {
        auto X = static_cast<short>(LOWORD(Message.LParam)), Y = static_cast<short>(HIWORD(Message.LParam));
        if (std::abs(X - FDragStart.X) >= GetSystemMetrics(SM_CXDRAG) ||
            std::abs(Y - FDragStart.Y) >= GetSystemMetrics(SM_CYDRAG)) {
          TTreeNode* Node = FDragNode;
          FDragNode = nullptr;
          NotifyTree((Message.WParam & MK_LBUTTON) ? TVN_BEGINDRAG : TVN_BEGINRDRAG, 0, nullptr, Node, FDragStart);
        }
      }
      break;
    case WM_LBUTTONUP: {
      FDragNode = nullptr;
      TCustomControl::Dispatch(Message);
      NMHDR H;
      Notify(H, NM_CLICK);
      return;
    }
    case WM_RBUTTONUP: {
      FDragNode = nullptr;
      NMHDR H;
      if (Notify(H, NM_RCLICK) != 0) {
        return;
      }
      break;
    }
    case WM_LBUTTONDBLCLK: {
      // The second press selects as the first did (a button toggles again); then the double click opens or
      // closes the item unless NM_DBLCLK was handled.
      auto X = static_cast<short>(LOWORD(Message.LParam)), Y = static_cast<short>(HIWORD(Message.LParam));
      TTreeNode* Node = GetNodeAt(X, Y);
      THitTests Hit = GetHitTestInfoAt(X, Y);
      if (Node && Hit.Contains(htOnButton)) {
        DoExpand(Node, !Node->FExpanded, TVC_BYMOUSE);
      } else if (Node && (Hit.Contains(htOnItem) || FRowSelect)) {
        DoSelect(Node, TVC_BYMOUSE);
      }
      TCustomControl::Dispatch(Message);
      NMHDR H;
      if (Notify(H, NM_DBLCLK) == 0 && Node && Hit.Contains(htOnItem) && Node->FOwner == FItems.get()) {
        DoExpand(Node, !Node->FExpanded, TVC_BYMOUSE);
      }
      return;
    }
    case WM_VSCROLL: {
      int Page = std::max(1, VisibleRowCount());
      int Top = FTopRow;
      switch (static_cast<int>(LOWORD(Message.WParam))) {
        case SB_LINEUP: --Top; break;
        case SB_LINEDOWN: ++Top; break;
        case SB_PAGEUP: Top -= Page; break;
        case SB_PAGEDOWN: Top += Page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: Top = static_cast<short>(HIWORD(Message.WParam)); break;
        case SB_TOP: Top = 0; break;
        case SB_BOTTOM: Top = static_cast<int>(Rows().size()); break;
        default: break;
      }
      ScrollTo(Top);
      Message.Result = 0;
      return;
    }
    case WM_MOUSEWHEEL: {
      auto Delta = static_cast<short>(HIWORD(Message.WParam));
      ScrollTo(FTopRow - Delta / WHEEL_DELTA * 3);
      Message.Result = 0;
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    default: break;
  }
  TCustomControl::Dispatch(Message);
}

// ---- Painting ---------------------------------------------------------------------------------------------------

void TCustomTreeView::Paint() {
  TCanvas* C = Canvas();
  HDC DC = C->Handle();
  const TRect Client = ClientRect();
  NMTVCUSTOMDRAW CD;
  CD.nmcd.dwDrawStage = CDDS_PREPAINT;
  CD.nmcd.hdc = DC;
  CD.nmcd.rc = Client;
  C->Brush()->SetColor(Color());
  C->FillRect(Client);
  LRESULT Pre = Notify(CD.nmcd.hdr, NM_CUSTOMDRAW);
  if (Pre & CDRF_SKIPDEFAULT) {
    return;
  }
  const bool Focus = HandleAllocated() && GetFocus() == FHandle;
  const int H = ItemHeight();
  std::vector<TTreeNode*> All = Rows();
  const int Page = H > 0 ? Client.Height() / H + 1 : 0;
  for (int Row = FTopRow; Row < static_cast<int>(All.size()) && Row < FTopRow + Page; ++Row) {
    TTreeNode* Node = All[static_cast<std::size_t>(Row)];
    const int Y = (Row - FTopRow) * H;
    const int Start = IndentOf(Node);
    const bool Sel = Node == FSelected, Drop = Node == FDropTarget;
    const bool Shown = Drop || (Sel && (Focus || !FHideSelection));
    COLORREF Text = ColorToRGB(Shown ? (Focus || Drop ? clHighlightText : clBtnText) : Font()->Color());
    COLORREF Back = ColorToRGB(Shown ? (Focus || Drop ? clHighlight : clBtnFace) : Color());
    LRESULT ItemResult = CDRF_DODEFAULT;
    if (Pre & CDRF_NOTIFYITEMDRAW) {
      NMTVCUSTOMDRAW Item;
      Item.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
      Item.nmcd.hdc = DC;
      Item.nmcd.rc = Rect(0, Y, Client.Width(), Y + H);
      Item.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(Node);
      Item.nmcd.uItemState = (Sel ? CDIS_SELECTED : 0) | (Sel && Focus ? CDIS_FOCUS : 0);
      Item.nmcd.lItemlParam = reinterpret_cast<LPARAM>(Node);
      Item.clrText = Text;
      Item.clrTextBk = Back;
      Item.iLevel = Node->Level();
      ItemResult = Notify(Item.nmcd.hdr, NM_CUSTOMDRAW);
      if (ItemResult & CDRF_SKIPDEFAULT) {
        continue;
      }
      if (ItemResult & CDRF_NEWFONT) {
        Text = Item.clrText;
        Back = Item.clrTextBk;
      }
    }
    // Lines and the button.
    const int Mid = Y + H / 2;
    const bool RootSpace = FShowRoot && (FShowLines || FShowButtons);
    if (FShowLines && (Node->Parent() || RootSpace)) {
      int LX = Start - 2 - FIndent / 2;
      for (int X = LX; X < Start - 2; X += 2) {
        SetPixel(DC, X, Mid, ColorToRGB(clGray));
      }
      int Bottom = Node->getNextSibling() ? Y + H : Mid;
      for (int YY = (Node->getPrevSibling() || Node->Parent()) ? Y : Mid; YY < Bottom; YY += 2) {
        SetPixel(DC, LX, YY, ColorToRGB(clGray));
      }
      int Level = 1;
      for (TTreeNode* P = Node->Parent(); P; P = P->Parent(), ++Level) {
        if (P->getNextSibling() && (P->Parent() || RootSpace)) {
          int PX = LX - Level * FIndent;
          for (int YY = Y; YY < Y + H; YY += 2) {
            SetPixel(DC, PX, YY, ColorToRGB(clGray));
          }
        }
      }
    }
    if (FShowButtons && Node->HasChildren() && (Node->Parent() || RootSpace)) {
      int BX = Start - 2 - FIndent / 2;
      TRect Box = Rect(BX - 4, Mid - 4, BX + 5, Mid + 5);
      C->Brush()->SetColor(Color());
      C->FillRect(Box);
      C->Brush()->SetColor(clGray);
      FrameRect(DC, &Box, C->Brush()->Handle());
      C->Brush()->SetColor(clBlack);
      C->FillRect(Rect(BX - 2, Mid, BX + 3, Mid + 1));
      if (!Node->FExpanded) {
        C->FillRect(Rect(BX, Mid - 2, BX + 1, Mid + 3));
      }
    }
    int X = Start;
    if (FStateImages && Node->FStateIndex > 0) {
      FStateImages->Draw(C, X, Y + (H - FStateImages->Height()) / 2, Node->FStateIndex, Enabled());
      X += FStateImages->Width();
    }
    if (FImages) {
      // The image is asked for as the platform's control asks: TVN_GETDISPINFO, answered by GetImageIndex /
      // GetSelectedIndex.
      NMTVDISPINFO Info;
      Info.item.mask = Sel ? TVIF_SELECTEDIMAGE : TVIF_IMAGE;
      Info.item.hItem = Node;
      Info.item.lParam = reinterpret_cast<LPARAM>(Node);
      Info.item.iImage = Node->FImageIndex;
      Info.item.iSelectedImage = Node->FSelectedIndex;
      Notify(Info.hdr, TVN_GETDISPINFO);
      int Image = Sel ? Info.item.iSelectedImage : Info.item.iImage;
      if (Image >= 0 && Image < FImages->Count()) {
        FImages->Draw(C, X, Y + (H - FImages->Height()) / 2, Image, Enabled() && !Node->FCut);
        if (Node->FOverlayIndex >= 0) {
          FImages->DrawOverlay(C, X, Y + (H - FImages->Height()) / 2, Image, static_cast<TOverlay>(Node->FOverlayIndex),
                               Enabled());
        }
      }
      X += FImages->Width() + 1;
    }
    TRect Label = Rect(X, Y, X + TextWidth(Node->FText) + 4, Y + H);
    TRect Fill = FRowSelect ? Rect(0, Y, Client.Width(), Y + H) : Label;
    if (Shown || (ItemResult & CDRF_NEWFONT)) {
      C->Brush()->SetColor(static_cast<TColor>(Back));
      C->FillRect(Fill);
    }
    C->Font()->Assign(Font());
    C->Font()->SetColor(static_cast<TColor>(Text));
    C->Brush()->SetStyle(bsClear);
    C->TextOut(Label.Left + 2, Y + (H - C->TextHeight("Wg")) / 2, Node->FText);
    C->Brush()->SetStyle(bsSolid);
    if (Sel && Focus) {
      TRect FR = Fill;
      DrawFocusRect(DC, &FR);
    }
  }
  if (Pre & CDRF_NOTIFYPOSTPAINT) {
    NMTVCUSTOMDRAW Post;
    Post.nmcd.dwDrawStage = CDDS_POSTPAINT;
    Post.nmcd.hdc = DC;
    Post.nmcd.rc = Client;
    Notify(Post.nmcd.hdr, NM_CUSTOMDRAW);
  }
}

// ---- TTreeView --------------------------------------------------------------------------------------------------

void TTreeView::Publish(TMetaClass& Meta) {
  TPublisher<TTreeView> P(Meta);
  P.Property("Items", &TTreeView::Items, &TTreeView::SetItems);
  P.Property("AutoExpand", &TTreeView::AutoExpand, &TTreeView::AutoExpand).Default(false);
  P.Property("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection).Default(true);
  P.Property("HotTrack", &TTreeView::HotTrack, &TTreeView::HotTrack).Default(false);
  P.Property("Images", &TTreeView::Images, &TTreeView::SetImages);
  P.Property("Indent", &TTreeView::Indent, &TTreeView::SetIndent).Default(19);
  P.Property("ReadOnly", &TTreeView::ReadOnly, &TTreeView::ReadOnly).Default(false);
  P.Property("RightClickSelect", &TTreeView::RightClickSelect, &TTreeView::RightClickSelect).Default(false);
  P.Property("RowSelect", &TTreeView::RowSelect, &TTreeView::SetRowSelect).Default(false);
  P.Property("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons).Default(true);
  P.Property("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines).Default(true);
  P.Property("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot).Default(true);
  P.Property("SortType", &TTreeView::SortType, &TTreeView::SetSortType).Default(stNone);
  P.Property("StateImages", &TTreeView::StateImages, &TTreeView::SetStateImages);
  P.Property("ToolTips", &TTreeView::ToolTips, &TTreeView::ToolTips).Default(true);
  P.Property("OnChange", &TTreeView::OnChange, &TTreeView::OnChange);
  P.Property("OnChanging", &TTreeView::OnChanging, &TTreeView::OnChanging);
  P.Property("OnCollapsed", &TTreeView::OnCollapsed, &TTreeView::OnCollapsed);
  P.Property("OnCollapsing", &TTreeView::OnCollapsing, &TTreeView::OnCollapsing);
  P.Property("OnCompare", &TTreeView::OnCompare, &TTreeView::OnCompare);
  P.Property("OnCustomDraw", &TTreeView::OnCustomDraw, &TTreeView::OnCustomDraw);
  P.Property("OnCustomDrawItem", &TTreeView::OnCustomDrawItem, &TTreeView::OnCustomDrawItem);
  P.Property("OnDeletion", &TTreeView::OnDeletion, &TTreeView::OnDeletion);
  P.Property("OnEdited", &TTreeView::OnEdited, &TTreeView::OnEdited);
  P.Property("OnEditing", &TTreeView::OnEditing, &TTreeView::OnEditing);
  P.Property("OnExpanded", &TTreeView::OnExpanded, &TTreeView::OnExpanded);
  P.Property("OnExpanding", &TTreeView::OnExpanding, &TTreeView::OnExpanding);
  P.Property("OnGetImageIndex", &TTreeView::OnGetImageIndex, &TTreeView::OnGetImageIndex);
  P.Property("OnGetSelectedIndex", &TTreeView::OnGetSelectedIndex, &TTreeView::OnGetSelectedIndex);
}
