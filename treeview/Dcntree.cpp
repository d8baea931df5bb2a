// ZEZCustomTreeView: published surface, construction and destruction, window parameters, the setters other
// code relies on, events, the selection basics and persistence.
#include "treeview/Dcntree.h"
#include "treeview/Dcntreepopup.h"
#include "treeview/Dcntreetooltip.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>



void ZEZCustomTreeView::Publish(TMetaClass& Meta) {
  TPublisher<ZEZCustomTreeView> P(Meta);
  using V = ZEZCustomTreeView;
  P.Property("ActiveSelectedColor", &V::ActiveSelectedColor, &V::SetActiveSelectedColor).Type(TypeInfoColor()).Default(clHighlight);
  P.Property("ActiveSelectedFontColor", &V::ActiveSelectedFontColor, &V::SetActiveSelectedFontColor).Type(TypeInfoColor()).Default(clHighlightText);
  P.Property("AllowMultiDrag", &V::AllowMultiDrag, &V::AllowMultiDrag).Default(false);
  P.Property("AutoCheck", &V::AutoCheck, &V::SetAutoCheck).Default(false);
  P.Property("AutoExpand", &V::AutoExpand, &V::AutoExpand).Default(false);
  P.Property("AutoScroll", &V::AutoScroll, &V::AutoScroll).Default(true);
  P.Property("ChangeDelay", &V::ChangeDelay, &V::SetChangeDelay).Default(0);
  P.Property("CheckBoxesType", &V::CheckBoxesType, &V::SetCheckBoxesType).Default(ctNone);
  P.Property("DragExpandDelay", &V::DragExpandDelay, &V::SetDragExpandDelay).Default(100);
  P.Property("DropTargetKind", &V::DropTargetKind, &V::SetDropTargetKind).Default(tkStandard);
  P.Property("ExpandOnDrag", &V::ExpandOnDrag, &V::ExpandOnDrag).Default(true);
  P.Property("FlatBorder", &V::FlatBorder, &V::SetFlatBorder).Default(false);
  P.Property("FlatChecks", &V::FlatChecks, &V::SetFlatChecks).Default(false);
  P.Property("HideSelection", &V::HideSelection, &V::SetHideSelection).Default(true);
  P.Property("HotTrack", &V::HotTrack, &V::SetHotTrack).Default(false);
  P.Property("InactiveSelectedColor", &V::InactiveSelectedColor, &V::SetInactiveSelectedColor).Type(TypeInfoColor()).Default(clBtnFace);
  P.Property("InactiveSelectedFontColor", &V::InactiveSelectedFontColor, &V::SetInactiveSelectedFontColor).Type(TypeInfoColor()).Default(clBtnText);
  P.Property("Indent", &V::Indent, &V::SetIndent).Default(19);
  P.Property("Images", &V::Images, &V::SetImages);
  P.Property("LinesColor", &V::LinesColor, &V::SetLinesColor).Type(TypeInfoColor()).Default(clBtnShadow);
  P.Property("MultiLineNodes", &V::MultiLineNodes, &V::SetMultiLineNodes).Default(false);
  P.Property("MultiSelect", &V::MultiSelect, &V::SetMultiSelect).Default(false);
  P.Property("ReadOnly", &V::ReadOnly, &V::ReadOnly).Default(false);
  P.Property("RightClickSelect", &V::RightClickSelect, &V::RightClickSelect).Default(false);
  P.Property("RowSelect", &V::RowSelect, &V::SetRowSelect).Default(false);
  P.Property("RowSelectType", &V::RowSelectType, &V::SetRowSelectType).Default(rtPartial);
  P.Property("ScrollBarsStyle", &V::ScrollBarsStyle, &V::SetScrollBarsStyle).Default(ssRegular);
  P.Property("SelectOnlySiblings", &V::SelectOnlySiblings, &V::SetSelectOnlySiblings).Default(false);
  P.Property("ShowButtons", &V::ShowButtons, &V::SetShowButtons).Default(true);
  P.Property("ShowLines", &V::ShowLines, &V::SetShowLines).Default(true);
  P.Property("ShowRoot", &V::ShowRoot, &V::SetShowRoot).Default(true);
  P.Property("SortOrder", &V::SortOrder, &V::SetSortOrder).Default(soAscending);
  P.Property("SortType", &V::SortType, &V::SetSortType).Default(stNone);
  P.Property("StateImages", &V::StateImages, &V::SetStateImages);
  P.Property("ToolTips", &V::ToolTips, &V::SetToolTips).Default(true);
  P.Property("WordWrap", &V::WordWrap, &V::SetWordWrap).Default(false);
  P.Property("PrintOptions", &V::PrintOptions, &V::SetPrintOptions);
  P.Property("OnAfterEditing", &V::OnAfterEditing, &V::OnAfterEditing);
  P.Property("OnAfterInsert", &V::OnAfterInsert, &V::OnAfterInsert);
  P.Property("OnChanging", &V::OnChanging, &V::OnChanging);
  P.Property("OnChange", &V::OnChange, &V::OnChange);
  P.Property("OnCheckClick", &V::OnCheckClick, &V::OnCheckClick);
  P.Property("OnCollapsing", &V::OnCollapsing, &V::OnCollapsing);
  P.Property("OnCollapsed", &V::OnCollapsed, &V::OnCollapsed);
  P.Property("OnCompare", &V::OnCompare, &V::OnCompare);
  P.Property("OnDeletion", &V::OnDeletion, &V::OnDeletion);
  P.Property("OnEditing", &V::OnEditing, &V::OnEditing);
  P.Property("OnEdited", &V::OnEdited, &V::OnEdited);
  P.Property("OnExpanding", &V::OnExpanding, &V::OnExpanding);
  P.Property("OnExpanded", &V::OnExpanded, &V::OnExpanded);
  P.Property("OnGetImageIndex", &V::OnGetImageIndex, &V::OnGetImageIndex);
  P.Property("OnGetSelectedIndex", &V::OnGetSelectedIndex, &V::OnGetSelectedIndex);
  P.Property("OnGetToolTipInfo", &V::OnGetToolTipInfo, &V::OnGetToolTipInfo);
  P.Property("OnRightClickNode", &V::OnRightClickNode, &V::OnRightClickNode);
  P.Property("OnSelectionChanged", &V::OnSelectionChanged, &V::OnSelectionChanged);
  P.Property("OnStateChanged", &V::OnStateChanged, &V::OnStateChanged);
  P.Property("OnStateChanging", &V::OnStateChanging, &V::OnStateChanging);
  P.Property("OnValidateEditText", &V::OnValidateEditText, &V::OnValidateEditText);
}

Z_IMPLEMENT_CLASS_PUBLISHED(ZEZCustomTreeView, TWinControl, ZEZCustomTreeView::Publish)
Z_IMPLEMENT_CLASS(ZEZTree, ZEZCustomTreeView)

// ---- lifecycle -------------------------------------------------------------------------------------------------

ZEZCustomTreeView::ZEZCustomTreeView(TComponent* AOwner) : TWinControl(AOwner) {
  RegisterTreeNodeClasses();
  ControlStyle.Include(csClickEvents);
  ControlStyle.Include(csDoubleClicks);
  ControlStyle.Include(csDisplayDragImage);
  FCanvas = std::make_unique<ZEZCanvas>();
  FCanvas->SetControl(this);
  FPrintOptions = std::make_unique<ZEZTreePrintOptions>(this);
  FDragImages = std::make_unique<TDragImageList>(nullptr);
  FStandardNodeClass = ZEZTreeNode::StaticClass();
  FDefaultNodeClass = ZEZTreeNode::StaticClass();
  FItems = std::make_unique<ZEZTreeNodes>(this);
  FRoot = CreateRootNode();
  FRoot->FStates.Include(nsExpanded);
  AddFontHeightCacheUser();
  SetCtl3D(true);
  SetBounds(FLeft, FTop, 121, 97);
  SetParentColor(false);
  SetColor(clWindow);
  SetParentCtl3D(true);
  TabStop = true;
}

void ZEZCustomTreeView::BeforeDestruction() {
  FFocused = nullptr;
  TWinControl::BeforeDestruction();
}

ZEZCustomTreeView::~ZEZCustomTreeView() {
  RemoveKeyboardHook();
  delete FToolTip;
  FToolTip = nullptr;
  FFocused = nullptr;
  FPendingSelected = nullptr;
  ReleaseFontHeightCacheUser();
  if (FItems) {
    // The nodes go first, while the view can still see them; the view is marked destroying.
    while (FRoot && FRoot->GetFirstChild()) {
      delete FRoot->GetFirstChild();
    }
  }
  delete FRoot;
  FRoot = nullptr;
  FItems.reset();
  FSelection.clear();
  FPrintOptions.reset();
  FDragImages.reset();
  SetImages(nullptr);
  SetStateImages(nullptr);
  FCanvas->SetControl(nullptr);
}

ZEZTreeNode* ZEZCustomTreeView::CreateNode() {
  TObject* O = FDefaultNodeClass->NewInstance(FItems.get());
  auto* N = dynamic_cast<ZEZTreeNode*>(O);
  if (!N) {
    delete O;
    InvalidOperation("Invalid Node");
  }
  return N;
}

ZEZTreeNode* ZEZCustomTreeView::CreateRootNode() {
  auto* N = new ZEZTreeNode(FItems.get());
  return N;
}

void ZEZCustomTreeView::SetDefaultNodeClass(ZEZTreeNodeClass Value) {
  if (Value && Value != FDefaultNodeClass) {
    FDefaultNodeClass = Value;
  }
}

void ZEZCustomTreeView::Delete(ZEZTreeNode* Node) { delete Node; }

bool ZEZCustomTreeView::Popup(Integer X, Integer Y) { return SizeablePopup(this, Parent(), X, Y, true); }

void ZEZCustomTreeView::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) {
    Params.Style |= WS_BORDER;
  }
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
  if (Ctl3D() && FBorderStyle == bsSingle) {
    Params.Style &= ~WS_BORDER;
    Params.ExStyle |= FFlatBorder ? WS_EX_STATICEDGE : WS_EX_CLIENTEDGE;
  }
}

void ZEZCustomTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  if (FNeedRecalc) {
    FNeedRecalc = false;
    RecalcAll();
  }
  if (FScrollBarsStyle != ssRegular) {
    const TScrollBarStyle Wanted = FScrollBarsStyle;
    FScrollBarsStyle = ssRegular;
    SetScrollBarsStyle(Wanted);
  }
  CreateToolTipWindow();
}

void ZEZCustomTreeView::UpdateBorder() {
  if (!HandleAllocated()) {
    return;
  }
  HWND W = Handle();
  LONG Style = GetWindowLong(W, GWL_STYLE);
  LONG ExStyle = GetWindowLong(W, GWL_EXSTYLE) & ~static_cast<LONG>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
  if (Ctl3D()) {
    Style &= ~static_cast<LONG>(WS_BORDER);
    if (FBorderStyle == bsSingle) {
      ExStyle |= FFlatBorder ? WS_EX_STATICEDGE : WS_EX_CLIENTEDGE;
    }
  } else if (FBorderStyle == bsSingle) {
    Style |= WS_BORDER;
  } else {
    Style &= ~static_cast<LONG>(WS_BORDER);
  }
  SetWindowLong(W, GWL_STYLE, Style);
  SetWindowLong(W, GWL_EXSTYLE, ExStyle);
  SetWindowPos(W, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void ZEZCustomTreeView::DefineProperties(TFiler* Filer) {
  TWinControl::DefineProperties(Filer);
  Filer->DefineProperty(
      "CheckBoxes", [this](TReader* R) { SetCheckBoxesType(R->ReadBoolean() ? ctAll : ctNone); }, nullptr, false);
  Filer->DefineBinaryProperty("DrawData", [](TStream*) {}, nullptr, false);
  Filer->DefineProperty("SelectDelay", [this](TReader* R) { FChangeDelay = R->ReadInteger(); }, nullptr, false);
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* S) { FItems->ReadData(S); }, [this](TStream* S) { FItems->WriteData(S); }, true);
}

void ZEZCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    if (AComponent == FToolTip) {
      FToolTip = nullptr;
    }
    if (AComponent == FImages) {
      SetImages(nullptr);
    }
    if (AComponent == FStateImages) {
      SetStateImages(nullptr);
    }
  }
}

// ---- persistence -----------------------------------------------------------------------------------------------

void ZEZCustomTreeView::LoadFromFile(const std::string& Name) {
  TFileStream S(Name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&S);
}

void ZEZCustomTreeView::LoadFromStream(TStream* Stream) {
  FItems->Clear();
  FItems->ReadData(Stream);
}

void ZEZCustomTreeView::SaveToFile(const std::string& Name) {
  TFileStream S(Name, fmCreate);
  SaveToStream(&S);
}

void ZEZCustomTreeView::SaveToStream(TStream* Stream) { FItems->WriteData(Stream); }

// ---- setters ---------------------------------------------------------------------------------------------------

namespace {
template <class T> bool Store(T& Field, T Value) {
  if (Field == Value) {
    return false;
  }
  Field = Value;
  return true;
}
}  // namespace

void ZEZCustomTreeView::SetActiveSelectedColor(TColor Value) {
  if (Store(FActiveSelectedColor, Value)) Invalidate();
}
void ZEZCustomTreeView::SetActiveSelectedFontColor(TColor Value) {
  if (Store(FActiveSelectedFontColor, Value)) Invalidate();
}
void ZEZCustomTreeView::SetInactiveSelectedColor(TColor Value) {
  if (Store(FInactiveSelectedColor, Value)) Invalidate();
}
void ZEZCustomTreeView::SetInactiveSelectedFontColor(TColor Value) {
  if (Store(FInactiveSelectedFontColor, Value)) Invalidate();
}
void ZEZCustomTreeView::SetLinesColor(TColor Value) {
  if (Store(FLinesColor, Value)) Invalidate();
}

void ZEZCustomTreeView::SetAutoCheck(bool Value) {
  if (!Store(FAutoCheck, Value) || !Value || FCheckBoxesType == ctNone) {
    return;
  }
  ++FParentCheckLock;
  ++FChildCheckLock;
  try {
    // Bottom up: children with children first, then the node from its check-box children.
    std::function<void(ZEZTreeNode*)> Align = [&](ZEZTreeNode* N) {
      for (ZEZTreeNode* C = N->GetFirstChild(); C; C = C->GetNextSibling()) {
        if (C->GetFirstChild()) {
          Align(C);
        }
      }
      bool Any = false;
      TCheckBoxState S = cbUnchecked;
      for (ZEZTreeNode* C = N->GetFirstChild(); C; C = C->GetNextSibling()) {
        if (C->NodeType() != ntCheckBox) {
          continue;
        }
        if (!Any) {
          S = C->State();
          Any = true;
        } else if (C->State() != S) {
          S = cbGrayed;
        }
      }
      if (Any) {
        N->SetState(S);
      }
    };
    for (ZEZTreeNode* N = FRoot->GetFirstChild(); N; N = N->GetNextSibling()) {
      if (N->GetFirstChild()) {
        Align(N);
      }
    }
  } catch (...) {
    --FParentCheckLock;
    --FChildCheckLock;
    throw;
  }
  --FParentCheckLock;
  --FChildCheckLock;
}

void ZEZCustomTreeView::SetBorderStyle(TBorderStyle Value) {
  if (Store(FBorderStyle, Value)) UpdateBorder();
}

void ZEZCustomTreeView::SetChangeDelay(Integer Value) {
  if (Value < 0) {
    InvalidOperation("Invalid value");
  }
  FChangeDelay = Value;
}

void ZEZCustomTreeView::SetDragExpandDelay(Integer Value) {
  if (Value < 0) {
    InvalidOperation("Invalid value");
  }
  FDragExpandDelay = Value;
}

void ZEZCustomTreeView::SetCheckBoxesType(ZEZCheckBoxesType Value) {
  if (!Store(FCheckBoxesType, Value)) {
    return;
  }
  if (Value == ctAll) {
    ForEachNode(FRoot, [](ZEZTreeNode* N) { N->SetNodeType(ntCheckBox); });
  }
  ResetCache();
  RecalcAll();
  Invalidate();
}

void ZEZCustomTreeView::SetDropTargetKind(ZEZDropTargetKind Value) {
  if (Store(FDropTargetKind, Value) && FDropTarget) {
    FDropTarget->Invalidate({npText});
  }
}

void ZEZCustomTreeView::SetFlatBorder(bool Value) {
  if (Store(FFlatBorder, Value)) UpdateBorder();
}
void ZEZCustomTreeView::SetFlatChecks(bool Value) {
  if (Store(FFlatChecks, Value)) Invalidate();
}

void ZEZCustomTreeView::SetHideSelection(bool Value) {
  if (Store(FHideSelection, Value)) {
    for (ZEZTreeNode* N : FSelection) {
      N->Invalidate({npText});
    }
  }
}

void ZEZCustomTreeView::SetHotTrack(bool Value) {
  if (!Store(FHotTrack, Value)) {
    return;
  }
  if (!Value && FHotNode) {
    FHotNode->Invalidate({npText});
    FHotNode = nullptr;
  }
}

void ZEZCustomTreeView::SetIndent(Integer Value) {
  if (Value < 0) {
    InvalidOperation("Invalid value");
  }
  if (Store(FIndent, Value)) {
    ResetCache();
    RecalcAll();
    Invalidate();
  }
}

void ZEZCustomTreeView::SetImages(TCustomImageList* Value) {
  if (Value == FImages) {
    return;
  }
  if (FImages && FImageChangeLink) {
    FImages->UnRegisterChanges(FImageChangeLink.get());
  }
  FImages = Value;
  if (Value) {
    if (!FImageChangeLink) {
      FImageChangeLink = std::make_unique<TChangeLink>();
      FImageChangeLink->OnChange = [this](TObject* Sender) { ImagesChanged(Sender); };
    }
    Value->RegisterChanges(FImageChangeLink.get());
    Value->FreeNotification(this);
  } else {
    FImageChangeLink.reset();
  }
  if (!Destroying()) {
    ImagesChanged(this);
  }
}

void ZEZCustomTreeView::SetStateImages(TCustomImageList* Value) {
  if (Value == FStateImages) {
    return;
  }
  if (FStateImages && FStateChangeLink) {
    FStateImages->UnRegisterChanges(FStateChangeLink.get());
  }
  FStateImages = Value;
  if (Value) {
    if (!FStateChangeLink) {
      FStateChangeLink = std::make_unique<TChangeLink>();
      FStateChangeLink->OnChange = [this](TObject* Sender) { ImagesChanged(Sender); };
    }
    Value->RegisterChanges(FStateChangeLink.get());
    Value->FreeNotification(this);
  } else {
    FStateChangeLink.reset();
  }
  if (!Destroying()) {
    ImagesChanged(this);
  }
}

void ZEZCustomTreeView::ImagesChanged(TObject* Sender) {
  (void)Sender;
  ResetCache();
  RecalcAll();
  Invalidate();
}

void ZEZCustomTreeView::SetMultiLineNodes(bool Value) {
  if (Store(FMultiLineNodes, Value)) WordWrapTree();
}

void ZEZCustomTreeView::SetWordWrap(bool Value) {
  if (Store(FWordWrap, Value) && FMultiLineNodes) WordWrapTree();
}

void ZEZCustomTreeView::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) {
    return;
  }
  if (!Value) {
    DeselectPrevious(FFocused);
  }
  FMultiSelect = Value;
  MultiSelectChanged();
}

void ZEZCustomTreeView::SetRowSelect(bool Value) {
  if (Store(FRowSelect, Value)) Invalidate();
}

void ZEZCustomTreeView::SetRowSelectType(ZEZRowSelectType Value) {
  if (Store(FRowSelectType, Value) && FFocused && FFocused->GetSelected()) {
    FFocused->Invalidate({npLines, npButton, npCheckBox, npStateImage, npImage, npText});
  }
}

void ZEZCustomTreeView::SetScrollBarsStyle(TScrollBarStyle Value) {
  if (!HandleAllocated()) {
    FScrollBarsStyle = Value;
    return;
  }
  if (Value == ssRegular) {
    UninitializeFlatSB(Handle());
    FFlatScrollBars = false;
    FScrollBarsStyle = Value;
    return;
  }
  if (!InitializeFlatSB(Handle())) {
    FFlatScrollBars = false;
    return;
  }
  FFlatScrollBars = true;
  FScrollBarsStyle = Value;
  const std::intptr_t Mode = Value == ssFlat ? FSB_FLAT_MODE : FSB_ENCARTA_MODE;
  FlatSB_SetScrollProp(Handle(), WSB_PROP_VSTYLE, Mode, TRUE);
  FlatSB_SetScrollProp(Handle(), WSB_PROP_HSTYLE, Mode, TRUE);
}

void ZEZCustomTreeView::SetSelectOnlySiblings(bool Value) {
  if (!Store(FSelectOnlySiblings, Value) || !Value) {
    return;
  }
  ZEZTreeNode* P = FFocused ? FFocused->Parent() : nullptr;
  std::vector<ZEZTreeNode*> Sel = FSelection;
  for (ZEZTreeNode* N : Sel) {
    if (N->Parent() != P) {
      N->SetSelected(false);
    }
  }
}

void ZEZCustomTreeView::SetShowButtons(bool Value) {
  if (Store(FShowButtons, Value)) Invalidate();
}
void ZEZCustomTreeView::SetShowLines(bool Value) {
  if (Store(FShowLines, Value)) Invalidate();
}
void ZEZCustomTreeView::SetShowRoot(bool Value) {
  if (Store(FShowRoot, Value)) {
    ResetCache();
    RecalcAll();
    Invalidate();
  }
}

void ZEZCustomTreeView::SetToolTips(bool Value) {
  FToolTips = Value;
  if (!Value) {
    delete FToolTip;
    FToolTip = nullptr;
  } else {
    CreateToolTipWindow();
  }
}

void ZEZCustomTreeView::OnColorChanged() {
  const TColor C = Color();
  ForEachNode(FRoot, [C](ZEZTreeNode* N) {
    if (N->GetParentColor()) {
      N->FColor = C;
    }
  });
  Invalidate();
}

void ZEZCustomTreeView::OnFontChanged() {
  ResetTextCache();
  if (FPrintOptions) {
    FPrintOptions->ViewFontChanged();
  }
  RecalcAll();
  Invalidate();
}

void ZEZCustomTreeView::ForEachNode(ZEZTreeNode* From, const std::function<void(ZEZTreeNode*)>& Proc) {
  // Pre-order over the whole subtree, From included, without recursion.
  Proc(From);
  for (ZEZTreeNode* N = From->GetFirstChild(); N;) {
    Proc(N);
    if (N->GetFirstChild()) {
      N = N->GetFirstChild();
      continue;
    }
    while (N && N != From && !N->GetNextSibling()) {
      N = N->InternalParent();
    }
    N = N && N != From ? N->GetNextSibling() : nullptr;
  }
}

// ---- events ----------------------------------------------------------------------------------------------------

bool ZEZCustomTreeView::CanChange(ZEZTreeNode* Node) {
  bool Allow = true;
  if (OnChanging) OnChanging(this, Node, Allow);
  return Allow;
}
void ZEZCustomTreeView::Change(ZEZTreeNode* Node) {
  if (OnChange) OnChange(this, Node);
}
bool ZEZCustomTreeView::CanExpand(ZEZTreeNode* Node) {
  bool Allow = true;
  if (OnExpanding) OnExpanding(this, Node, Allow);
  return Allow;
}
bool ZEZCustomTreeView::CanCollapse(ZEZTreeNode* Node) {
  bool Allow = true;
  if (OnCollapsing) OnCollapsing(this, Node, Allow);
  return Allow;
}
void ZEZCustomTreeView::DoExpanded(ZEZTreeNode* Node) {
  if (OnExpanded) OnExpanded(this, Node);
}
void ZEZCustomTreeView::DoCollapsed(ZEZTreeNode* Node) {
  if (OnCollapsed) OnCollapsed(this, Node);
}
void ZEZCustomTreeView::DoDeletion(ZEZTreeNode* Node) {
  if (OnDeletion) OnDeletion(this, Node);
}
void ZEZCustomTreeView::DoGetImageIndex(ZEZTreeNode* Node) {
  if (OnGetImageIndex) OnGetImageIndex(this, Node);
}
void ZEZCustomTreeView::DoGetSelectedIndex(ZEZTreeNode* Node) {
  if (OnGetSelectedIndex) OnGetSelectedIndex(this, Node);
}
void ZEZCustomTreeView::DoStateChanging(ZEZTreeNode* Node, TCheckBoxState& NewState) {
  if (OnStateChanging) OnStateChanging(this, Node, NewState);
}
void ZEZCustomTreeView::DoStateChanged(ZEZTreeNode* Node) {
  if (OnStateChanged) OnStateChanged(this, Node);
}

// ---- selection basics ------------------------------------------------------------------------------------------

ZEZTreeNode* ZEZCustomTreeView::Selected() const { return FFocused ? FFocused : FPendingSelected; }

void ZEZCustomTreeView::SetSelected(ZEZTreeNode* Node) {
  if (Node && Node == FFocused) {
    Node->SetSelected(true);
    return;
  }
  if (!Destroying() && !CanChange(Node)) {
    return;
  }
  ++FSelectLock;
  try {
    std::vector<ZEZTreeNode*> Old = FSelection;
    for (auto It = Old.rbegin(); It != Old.rend(); ++It) {
      if (*It != Node) {
        (*It)->SetSelected(false);
      }
    }
    if (Node) {
      Node->SetFocused(true);
      if (!Node->GetSelected()) {
        Node->InternalSetSelected(true);
        FSelection.push_back(Node);
        FSelectPending = true;
      }
    } else if (FFocused) {
      ZEZTreeNode* F = FFocused;
      F->SetFocused(false);
      if (F->GetSelected()) {
        F->SetSelected(false);
      }
      FFocused = nullptr;
      StopEditTimer();
    } else {
      FFocused = nullptr;
    }
    EndEditNode(false);
  } catch (...) {
    --FSelectLock;
    if (FSelectLock == 0 && FSelectPending) DoSelectionChanged();
    Change(Node);
    throw;
  }
  --FSelectLock;
  if (FSelectLock == 0 && FSelectPending) {
    DoSelectionChanged();
  }
  Change(Node);
}

void ZEZCustomTreeView::DeselectPrevious(ZEZTreeNode* Keep) {
  std::vector<ZEZTreeNode*> Sel = FSelection;
  for (auto It = Sel.rbegin(); It != Sel.rend(); ++It) {
    if (*It != Keep) {
      (*It)->SetSelected(false);
    }
  }
}

void ZEZCustomTreeView::NodeSelectionChanged(ZEZTreeNode* Node) { Node->Invalidate({npText}); }

void ZEZCustomTreeView::SelectionNodeGone(ZEZTreeNode* Node) {
  RemoveFromMultiSelect(Node);
  if (FToolTip && FToolTip->Node() == Node) HideToolTip();
  if (FDragExpandNode == Node) FDragExpandNode = nullptr;
  if (FShiftAnchor == Node) FShiftAnchor = nullptr;
  if (FMouseDownNode == Node) FMouseDownNode = nullptr;
  if (FPrevFocused == Node) FPrevFocused = nullptr;
  if (FHighlighted == Node) FHighlighted = nullptr;
  if (FHotNode == Node) FHotNode = nullptr;
  if (FDropTarget == Node) FDropTarget = nullptr;
  if (FDropNode == Node) FDropNode = nullptr;
  if (FEditNode == Node) FEditNode = nullptr;
}

bool ZEZCustomTreeView::IsFocused() { return FEditing || (HandleAllocated() && GetFocus() == Handle()); }

// ---- expansion -------------------------------------------------------------------------------------------------

void ZEZCustomTreeView::FullExpand() {
  FItems->BeginUpdate();
  try {
    for (ZEZTreeNode* N = FRoot->GetFirstChild(); N; N = N->GetNextSibling()) {
      N->Expand(true);
    }
  } catch (...) {
    FItems->EndUpdate();
    throw;
  }
  FItems->EndUpdate();
}

void ZEZCustomTreeView::FullCollapse() {
  FItems->BeginUpdate();
  try {
    for (ZEZTreeNode* N = FRoot->GetFirstChild(); N; N = N->GetNextSibling()) {
      N->Collapse(true);
    }
  } catch (...) {
    FItems->EndUpdate();
    throw;
  }
  FItems->EndUpdate();
}
