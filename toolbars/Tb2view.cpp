// Views: the viewer array kept in step with the item tree, selection state and drawing entry points.
#include "toolbars/Tb2view.h"

#include "platform/graphics/WinGdi.h"
#include "toolbars/Tb2consts.h"
#include "toolbars/Tb2imagelist.h"
#include "toolbars/Tbskins.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TTBView, TComponent)

TTBView::TTBView(TComponent* AOwner, TTBView* AParentView, TTBCustomItem* AParentItem, TWinControl* AWindow,
                 bool AIsToolbar, bool ACustomizing, bool AUsePriorityList)
    : TComponent(AOwner),
      FCustomizing(ACustomizing),
      FIsPopup(!AIsToolbar),
      FIsToolbar(AIsToolbar),
      FParentView(AParentView),
      FParentItem(AParentItem),
      FUsePriorityList(AUsePriorityList),
      FWindow(AWindow) {
  if (FParentItem) {
    FParentItem->RegisterNotification(TBMethod<&TTBView::LinkNotification>(this));
    FParentItem->FreeNotification(this);
  }
  if (FParentView) {
    ReplaceFreeNotified(FSkin, FParentView->FSkin);
  }
  UpdateCurParentItem();
}

void TTBView::BeforeDestruction() {
  if (FParentView && FParentView->FIsToolbar) {
    FParentView->FState.Include(vsNoAnimation);
    if (FParentView->FOpenViewer) {
      FParentView->Invalidate(FParentView->FOpenViewer);
    }
  }
  CloseChildPopups();
  if (FCurParentItem) {
    FCurParentItem->UnregisterNotification(TBMethod<&TTBView::ItemNotification>(this));
    FCurParentItem = nullptr;
  }
  if (FParentItem) {
    FParentItem->UnregisterNotification(TBMethod<&TTBView::LinkNotification>(this));
    FParentItem->RemoveFreeNotification(this);
    FParentItem = nullptr;
  }
  FreeViewers();
  TComponent::BeforeDestruction();
}

void TTBView::FreeViewers() {
  FPriorityList.clear();
  std::vector<TTBItemViewer*> Old;
  Old.swap(FViewers);
  FSelected = nullptr;
  FOpenViewer = nullptr;
  for (TTBItemViewer* V : Old) {
    delete V;
  }
}

void TTBView::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) {
    return;
  }
  if (AComponent == FParentItem) {
    FParentItem = nullptr;
    UpdateCurParentItem();
    if (FParentView) {
      FParentView->CloseChildPopups();
    }
  } else if (FOpenViewerWindow && AComponent == FOpenViewerWindow) {
    FOpenViewerWindow = nullptr;
    FOpenViewerView = nullptr;
    FOpenViewer = nullptr;
  } else if (AComponent == FChevronParentView) {
    FChevronParentView = nullptr;
  } else if (AComponent == FSkin) {
    SetSkin(nullptr);
  }
}

void TTBView::CloseChildPopups() {
  if (FOpenViewerView) {
    FOpenViewerView->CloseChildPopups();
  }
  TWinControl* Window = FOpenViewerWindow;
  TTBItemViewer* Opener = FOpenViewer;
  FOpenViewerWindow = nullptr;
  FOpenViewerView = nullptr;
  FOpenViewer = nullptr;
  if (Window) {
    Window->RemoveFreeNotification(this);
    delete Window;
  }
  if (Opener && FIsToolbar) {
    Invalidate(Opener);
  }
}

// ---- The viewer array -------------------------------------------------------------------------------------------

void TTBView::UpdateCurParentItem() {
  TTBCustomItem* Value = FParentItem ? FParentItem->SubitemSource() : nullptr;
  if (Value == FCurParentItem) {
    return;
  }
  CloseChildPopups();
  if (FCurParentItem) {
    FCurParentItem->UnregisterNotification(TBMethod<&TTBView::ItemNotification>(this));
  }
  FCurParentItem = Value;
  if (Value) {
    Value->RegisterNotification(TBMethod<&TTBView::ItemNotification>(this));
  }
  RecreateAllViewers();
  if (Value && !Value->ComponentState().Contains(csDesigning)) {
    for (TTBItemViewer* V : std::vector<TTBItemViewer*>(FViewers)) {
      V->Item()->InitiateAction();
    }
  }
}

void TTBView::RecreateAllViewers() {
  CloseChildPopups();
  SetSelected(nullptr);
  InvalidatePositions();
  FreeViewers();
  FInternalViewersAtFront = 0;
  FInternalViewersAtEnd = 0;
  auto Append = [this](TTBCustomItem* Item, bool Priority) {
    TTBItemViewer* V = Item->GetItemViewerClass(this)(this, Item);
    FViewers.push_back(V);
    if (Priority && FUsePriorityList) {
      FPriorityList.push_back(V);
    }
  };
  if (TTBCustomItem* Sys = GetMDISystemMenuItem()) {
    Append(Sys, false);
    FInternalViewersAtFront = 1;
  }
  if (FCurParentItem) {
    for (int I = 0; I < FCurParentItem->Count(); ++I) {
      TTBCustomItem* Item = FCurParentItem->Items(I);
      Append(Item, true);
      if (Item->ItemStyle().Contains(tbisEmbeddedGroup) && !FCustomizing) {
        TTBCustomItem* Source = Item->SubitemSource();
        for (int J = 0; J < Source->Count(); ++J) {
          Append(Source->Items(J), true);
        }
      }
    }
  }
  if (TTBCustomItem* Mdi = GetMDIButtonsItem()) {
    for (int I = 0; I < Mdi->Count(); ++I) {
      Append(Mdi->Items(I), false);
      ++FInternalViewersAtEnd;
    }
  }
  if (TTBCustomItem* Chevron = GetChevronItem()) {
    Append(Chevron, false);
    ++FInternalViewersAtEnd;
  }
}

void TTBView::RecreateItemViewer(int I) {
  TTBItemViewer* Old = FViewers[static_cast<std::size_t>(I)];
  TTBCustomItem* Item = Old->Item();
  TTBItemViewer* New = Item->GetItemViewerClass(this)(this, Item);
  FViewers[static_cast<std::size_t>(I)] = New;
  std::replace(FPriorityList.begin(), FPriorityList.end(), Old, New);
  if (FSelected == Old) {
    FSelected = New;
  }
  if (FOpenViewer == Old) {
    FOpenViewer = New;
  }
  delete Old;
}

TTBItemViewer* TTBView::Find(TTBCustomItem* Item) {
  for (TTBItemViewer* V : FViewers) {
    if (V->Item() == Item) {
      return V;
    }
  }
  throw ETBItemError(STBViewerNotFound);
}

int TTBView::IndexOf(const TTBItemViewer* V) const {
  if (!V) {
    return -1;
  }
  auto It = std::find(FViewers.begin(), FViewers.end(), V);
  return It == FViewers.end() ? -1 : static_cast<int>(It - FViewers.begin());
}

TTBItemViewer* TTBView::ViewerFromPoint(TPoint P) {
  ValidatePositions();
  for (TTBItemViewer* V : FViewers) {
    if (V->FShow && PointInRect(V->FBoundsRect, P)) {
      return V;
    }
  }
  return nullptr;
}

void TTBView::InsertItemViewers(int NewIndex, const std::vector<TTBItemViewer*>& AViewers) {
  FViewers.insert(FViewers.begin() + NewIndex, AViewers.begin(), AViewers.end());
  if (FUsePriorityList) {
    FPriorityList.insert(FPriorityList.end(), AViewers.begin(), AViewers.end());
  }
}

void TTBView::ItemInserted(TTBCustomItem* Parent, int Index, TTBCustomItem* Item) {
  int RangeStart = 0;
  int RangeEnd = ViewerCount();
  if (Parent != FCurParentItem) {
    // A subitem of an embedded group: the run of viewers after the group's own one.
    int G = -1;
    for (int I = 0; I < ViewerCount(); ++I) {
      if (FViewers[static_cast<std::size_t>(I)]->Item() == Parent) {
        G = I;
        break;
      }
    }
    if (G < 0 || !Parent->ItemStyle().Contains(tbisEmbeddedGroup) || FCustomizing) {
      return;
    }
    TTBCustomItem* Source = Parent->SubitemSource();
    RangeStart = G + 1;
    RangeEnd = RangeStart;
    while (RangeEnd < ViewerCount() && FViewers[static_cast<std::size_t>(RangeEnd)]->Item()->Parent() == Source &&
           FViewers[static_cast<std::size_t>(RangeEnd)]->Item() != Item) {
      ++RangeEnd;
    }
  }
  if (RangeEnd == ViewerCount()) {
    RangeEnd -= FInternalViewersAtEnd;
  }
  int At = RangeEnd;
  TTBCustomItem* Source = Parent->SubitemSource();
  if (Index + 1 < Source->Count()) {
    TTBCustomItem* Next = Source->Items(Index + 1);
    for (int I = RangeStart; I < RangeEnd; ++I) {
      if (FViewers[static_cast<std::size_t>(I)]->Item() == Next) {
        At = I;
        break;
      }
    }
  }
  std::vector<TTBItemViewer*> New{Item->GetItemViewerClass(this)(this, Item)};
  if (Parent == FCurParentItem && Item->ItemStyle().Contains(tbisEmbeddedGroup) && !FCustomizing) {
    TTBCustomItem* GroupSource = Item->SubitemSource();
    for (int J = 0; J < GroupSource->Count(); ++J) {
      New.push_back(GroupSource->Items(J)->GetItemViewerClass(this)(this, GroupSource->Items(J)));
    }
  }
  InsertItemViewers(At, New);
  InvalidatePositions();
}

void TTBView::DeletingViewer(TTBItemViewer* Viewer) {
  if (FSelected == Viewer) {
    FSelected = nullptr;
  }
  if (FOpenViewer == Viewer) {
    CloseChildPopups();
  }
  FPriorityList.erase(std::remove(FPriorityList.begin(), FPriorityList.end(), Viewer), FPriorityList.end());
  FViewers.erase(std::remove(FViewers.begin(), FViewers.end(), Viewer), FViewers.end());
  delete Viewer;
}

void TTBView::ItemDeleting(TTBCustomItem* Parent, TTBCustomItem* Item) {
  const bool DirectGroup = Parent == FCurParentItem && Item->ItemStyle().Contains(tbisEmbeddedGroup);
  for (int I = ViewerCount() - 1; I >= 0; --I) {
    TTBItemViewer* V = FViewers[static_cast<std::size_t>(I)];
    if (V->Item() == Item ||
        (DirectGroup && !FCustomizing && V->Item()->Parent() == Item->SubitemSource() && V->Item() != Item)) {
      DeletingViewer(V);
    }
  }
  InvalidatePositions();
}

void TTBView::ItemNotification(TTBCustomItem* Sender, bool Relayed, TTBItemChangedAction Action, int Index,
                               TTBCustomItem* Item) {
  (void)Relayed;
  switch (Action) {
    case tbicInserted: ItemInserted(Sender, Index, Item); break;
    case tbicDeleting: ItemDeleting(Sender, Item); break;
    case tbicSubitemsChanged: RecreateAllViewers(); break;
    case tbicSubitemsBeginUpdate: BeginUpdate(); break;
    case tbicSubitemsEndUpdate: EndUpdate(); break;
    case tbicInvalidate:
      for (TTBItemViewer* V : FViewers) {
        if (V->Item() == Item) {
          Invalidate(V);
        }
      }
      break;
    case tbicInvalidateAndResize: InvalidatePositions(); break;
    case tbicRecreateItemViewers:
      InvalidatePositions();
      for (int I = 0; I < ViewerCount(); ++I) {
        if (FViewers[static_cast<std::size_t>(I)]->Item() == Item) {
          RecreateItemViewer(I);
        }
      }
      break;
    case tbicSubMenuImagesChanged: ImagesChanged(); break;
    case tbicNameChanged: break;
  }
  TryValidatePositions();
}

void TTBView::LinkNotification(TTBCustomItem* Sender, bool Relayed, TTBItemChangedAction Action, int Index,
                               TTBCustomItem* Item) {
  (void)Relayed;
  (void)Index;
  (void)Item;
  if (Sender != FParentItem) {
    return;
  }
  if (Action == tbicSubitemsChanged) {
    UpdateCurParentItem();
  } else if (Action == tbicSubMenuImagesChanged && FParentItem != FCurParentItem) {
    ImagesChanged();
  }
}

void TTBView::ImagesChanged() {
  InvalidatePositions();
  TryValidatePositions();
  if (FOpenViewerView) {
    FOpenViewerView->ImagesChanged();
  }
}

// ---- Positions --------------------------------------------------------------------------------------------------

void TTBView::InvalidatePositions() {
  if (FValidated) {
    FValidated = false;
    if (FWindow && FWindow->HandleAllocated()) {
      InvalidateRect(FWindow->Handle(), nullptr, TRUE);
    }
  }
}

void TTBView::ValidatePositions() {
  if (!FValidated) {
    UpdatePositions();
  }
}

void TTBView::TryValidatePositions() {
  if (FUpdating == 0 && !(FParentItem && FParentItem->ComponentState().Contains(csLoading)) &&
      !(FParentItem && FParentItem->Owner() && FParentItem->Owner()->ComponentState().Contains(csLoading))) {
    ValidatePositions();
  }
}

TPoint TTBView::UpdatePositions() {
  TPoint Size{0, 0};
  DoUpdatePositions(Size);
  return Size;
}

void TTBView::DoUpdatePositions(TPoint& ASize) {
  const bool Changed = CalculatePositions(true, FOrientation, FWrapOffset, FChevronOffset, FChevronSize, FBaseSize,
                                          ASize, FWrappedLines);
  FValidated = true;
  AutoSize(ASize.X, ASize.Y);
  if (Changed && FWindow && FWindow->HandleAllocated()) {
    // Repainted as a whole, so that no item shows at its old place.
    InvalidateRect(FWindow->Handle(), nullptr, TRUE);
  }
}

void TTBView::GetOffEdgeControlList(std::vector<TWinControl*>& List) {
  for (TTBItemViewer* V : FViewers) {
    if (auto* CI = dynamic_cast<TTBControlItem*>(V->Item()); CI && V->FOffEdge) {
      if (auto* W = dynamic_cast<TWinControl*>(CI->Control())) {
        List.push_back(W);
      }
    }
  }
}

void TTBView::BeginUpdate() { ++FUpdating; }

void TTBView::EndUpdate() {
  if (FUpdating > 0 && --FUpdating == 0) {
    TryValidatePositions();
  }
}

void TTBView::AutoSize(int AWidth, int AHeight) {
  if (!FWindow) {
    return;
  }
  const int DW = FWindow->Width() - FWindow->ClientWidth();
  const int DH = FWindow->Height() - FWindow->ClientHeight();
  if (FWindow->Width() != AWidth + DW || FWindow->Height() != AHeight + DH) {
    FWindow->SetBounds(FWindow->Left(), FWindow->Top(), AWidth + DW, AHeight + DH);
  }
}

TRect TTBView::GetMargins(TTBViewOrientation AOrientation) {
  if (AOrientation == tbvoFloating) {
    return Rect(4, 2, 4, 1);
  }
  return Rect(0, 0, 0, 0);
}

TFont* TTBView::GetFont() { return ToolbarFont(); }

void TTBView::SetChevronParentView(TTBView* Value) { ReplaceFreeNotified(FChevronParentView, Value); }

void TTBView::SetChevronOffset(int Value) {
  if (Value != FChevronOffset) {
    FChevronOffset = Value;
    InvalidatePositions();
  }
}

void TTBView::SetChevronSize(int Value) {
  if (Value != FChevronSize) {
    FChevronSize = Value;
    InvalidatePositions();
  }
}

void TTBView::SetCustomizing(bool Value) {
  if (Value != FCustomizing) {
    FCustomizing = Value;
    RecreateAllViewers();
  }
}

void TTBView::SetMaxHeight(int Value) {
  if (Value != FMaxHeight) {
    FMaxHeight = Value;
    InvalidatePositions();
  }
}

void TTBView::SetOrientation(TTBViewOrientation Value) {
  if (Value != FOrientation) {
    FOrientation = Value;
    InvalidatePositions();
  }
}

void TTBView::SetWrapOffset(int Value) {
  if (Value != FWrapOffset) {
    FWrapOffset = Value;
    InvalidatePositions();
  }
}

void TTBView::SetSkin(TTBBaseSkin* Value) {
  if (Value == FSkin) {
    return;
  }
  ReplaceFreeNotified(FSkin, Value);
  InvalidatePositions();
  if (FWindow && FWindow->HandleAllocated()) {
    InvalidateRect(FWindow->Handle(), nullptr, TRUE);
  }
  TryValidatePositions();
}

TTBBaseSkin* TTBView::ActiveSkin() const {
  TTBBaseSkin* S = FSkin ? FSkin : DefaultSkin;
  return S && S->SkinType() != tbsDisabled ? S : nullptr;
}

// ---- Selection --------------------------------------------------------------------------------------------------

void TTBView::SetSelected(TTBItemViewer* Value) {
  TTBItemViewer* Old = FSelected;
  if (Value != Old) {
    CancelCapture();
    if (Old) {
      Old->Leaving();
    }
    FSelected = Value;
  }
  bool MouseOver = false;
  if (Value && FWindow && FWindow->HandleAllocated()) {
    const DWORD Pos = GetMessagePos();
    TPoint P{static_cast<short>(LOWORD(Pos)), static_cast<short>(HIWORD(Pos))};
    if (WindowFromPoint(P) == FWindow->Handle()) {
      const TPoint C = FWindow->ScreenToClient(P);
      if (ViewerFromPoint(C) == Value) {
        const TPoint VP = Value->ScreenToClient(P);
        MouseOver = !FCapture || Value->IsPtInButtonPart(VP.X, VP.Y);
      }
    }
  }
  if (Value == Old) {
    if (MouseOver != FMouseOverSelected) {
      FMouseOverSelected = MouseOver;
      if (Value && FCapture && Value->Item()->ItemStyle().Contains(tbisRedrawOnMouseOverChange)) {
        Invalidate(Value);
      }
    }
    return;
  }
  FMouseOverSelected = MouseOver;
  if (Old && Old->Item()->ItemStyle().Contains(tbisRedrawOnSelChange)) {
    Invalidate(Old);
  }
  if (Value) {
    if (Value->Item()->ItemStyle().Contains(tbisRedrawOnSelChange)) {
      Invalidate(Value);
    }
    Value->Entering();
  }
}

void TTBView::SetMouseOverSelected(bool Value) {
  if (Value != FMouseOverSelected) {
    FMouseOverSelected = Value;
    if (FSelected) {
      Invalidate(FSelected);
    }
  }
}

void TTBView::SetCapture() { FCapture = true; }

void TTBView::CancelCapture() {
  if (FCapture) {
    FCapture = false;
    if (FSelected) {
      FSelected->LosingCapture();
    }
  }
}

void TTBView::SetAccelsVisibility(bool AShowAccels) {
  const bool Show = AShowAccels || !FStyle.Contains(vsUseHiddenAccels) || AreKeyboardCuesEnabled();
  if (Show == FState.Contains(vsShowAccels)) {
    return;
  }
  if (Show) {
    FState.Include(vsShowAccels);
  } else {
    FState.Exclude(vsShowAccels);
  }
  for (TTBItemViewer* V : FViewers) {
    if (V->CaptionShown() && FindAccelChar(V->GetCaptionText()) != 0) {
      Invalidate(V);
    }
  }
}

TTBView* TTBView::GetParentToolbarView() {
  for (TTBView* V = this; V; V = V->FParentView) {
    if (V->FIsToolbar) {
      return V;
    }
  }
  return nullptr;
}

// ---- Drawing ----------------------------------------------------------------------------------------------------

void TTBView::Invalidate(TTBItemViewer* AViewer) {
  if (FValidated && FWindow && FWindow->HandleAllocated() && AViewer->FShow && !RectEmpty(AViewer->FBoundsRect) &&
      !dynamic_cast<TTBControlItem*>(AViewer->Item())) {
    AViewer->FState.Include(tbisInvalidated);
    InvalidateRect(FWindow->Handle(), &AViewer->FBoundsRect, FALSE);
  }
}

void TTBView::DrawSubitems(TCanvas* ACanvas) {
  ValidatePositions();
  if (FState.Contains(vsDrawInOrder)) {
    for (TTBItemViewer* V : std::vector<TTBItemViewer*>(FViewers)) {
      DrawItem(V, ACanvas, false);
    }
  } else {
    for (TTBItemViewer* V : std::vector<TTBItemViewer*>(FViewers)) {
      if (V != FSelected) {
        DrawItem(V, ACanvas, false);
      }
    }
    if (FSelected) {
      DrawItem(FSelected, ACanvas, false);
    }
  }
  FState.Exclude(vsDrawInOrder);
}

void TBSetDropDownMenus(TTBView* V, bool On) {
  if (!V) {
    return;
  }
  TTBViewState S = V->State();
  if (On) {
    S.Include(vsDropDownMenus);
  } else {
    S.Exclude(vsDropDownMenus);
  }
  V->SetState(S);
}
