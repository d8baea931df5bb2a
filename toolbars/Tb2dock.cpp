// Docks: row layout of the dockable windows along a form's edge, bound lines and key relays.
#include "toolbars/Tb2dock.h"

#include "platform/graphics/WinGdi.h"
#include "toolbars/Tb2common.h"
#include "toolbars/Tb2dockable.h"

#include <algorithm>
#include <sstream>

Z_IMPLEMENT_CLASS_PUBLISHED(TTBDock, TCustomControl, TTBDock::Publish)

void TTBDock::Publish(TMetaClass& Meta) {
  TPublisher<TTBDock> P(Meta);
  P.Property("Position", &TTBDock::Position, &TTBDock::SetPosition).Default(dpTop);
  P.Property("AllowDrag", &TTBDock::AllowDrag, &TTBDock::SetAllowDrag).Default(true);
  P.Property("OnRequestDock", &TTBDock::OnRequestDock, &TTBDock::OnRequestDock);
}

TTBDockType TBGetDockTypeOf(const TTBDock* Control, bool Floating) {
  if (Floating) {
    return dtFloating;
  }
  if (!Control) {
    return dtNotDocked;
  }
  return Control->IsVertical() ? dtLeftRight : dtTopBottom;
}

TTBDock::TTBDock(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle.Exclude(csCaptureMouse);
  ControlStyle.Exclude(csClickEvents);
  ControlStyle.Exclude(csOpaque);
  ControlStyle.Include(csAcceptsControls);
  ControlStyle.Include(csMenuEvents);
  SetColor(clBtnFace);
  SetAlign(alTop);
}

void TTBDock::BeforeDestruction() {
  // Windows still listed forget this dock before it goes (they hear it through the free notification too).
  inherited::BeforeDestruction();
  FDockList.clear();
  FVisibleList.clear();
}

void TTBDock::SetParent(TWinControl* AParent) {
  if (AParent && (AParent->Is<TTBCustomDockableWindow>() || AParent->Is<TTBDock>())) {
    throw EInvalidOperation("A TTBDock control cannot be placed inside a tool window or another TTBDock");
  }
  inherited::SetParent(AParent);
}

void TTBDock::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (!ComponentState().Contains(csDesigning)) {
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
  }
}

void TTBDock::SetPosition(TTBDockPosition Value) {
  if (Value == FPosition) {
    return;
  }
  if (ControlCount() > 0) {
    throw EInvalidOperation("Cannot change Position of a TTBDock if it already contains controls");
  }
  FPosition = Value;
  static const TAlign Aligns[] = {alTop, alBottom, alLeft, alRight};
  SetAlign(Aligns[Value]);
}

void TTBDock::SetAllowDrag(bool Value) {
  if (Value == FAllowDrag) {
    return;
  }
  FAllowDrag = Value;
  for (int I = 0; I < ControlCount(); ++I) {
    if (auto* W = dynamic_cast<TTBCustomDockableWindow*>(Controls(I))) {
      W->RecalcNCArea();
    }
  }
  ArrangeToolbars();
}

void TTBDock::SetBoundLines(TTBDockBoundLines Value) {
  if (Value == FBoundLines) {
    return;
  }
  FBoundLines = Value;
  FNonClientWidth = (Value.Contains(blLeft) ? 1 : 0) + (Value.Contains(blRight) ? 1 : 0);
  FNonClientHeight = (Value.Contains(blTop) ? 1 : 0) + (Value.Contains(blBottom) ? 1 : 0);
  if (HandleAllocated()) {
    SetWindowPos(Handle(), 0, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
  ArrangeToolbars();
}

void TTBDock::SetFixAlign(bool Value) {
  if (Value != FFixAlign) {
    FFixAlign = Value;
    ArrangeToolbars();
  }
}

void TTBDock::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FArrangeNeeded) {
    ArrangeToolbars();
  }
}

void TTBDock::Resize() {
  inherited::Resize();
  ArrangeToolbars();
}

void TTBDock::Loaded() {
  inherited::Loaded();
  ArrangeToolbars();
}

void TTBDock::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    auto Drop = [AComponent](std::vector<TTBCustomDockableWindow*>& L) {
      L.erase(std::remove(L.begin(), L.end(), AComponent), L.end());
    };
    Drop(FDockList);
    Drop(FVisibleList);
    if (DragWindow == AComponent) {
      DragWindow = nullptr;
    }
  }
}

void TTBDock::ChangeDockList(bool Insert, TTBCustomDockableWindow* Bar) {
  auto It = std::find(FDockList.begin(), FDockList.end(), Bar);
  if (Insert) {
    if (It == FDockList.end()) {
      FDockList.push_back(Bar);
      Bar->FreeNotification(this);
    }
  } else if (It != FDockList.end()) {
    FDockList.erase(It);
  }
  ToolbarVisibilityChanged(Bar, false);
}

bool TTBDock::ToolbarVisibleOnDock(TTBCustomDockableWindow* AToolbar) const {
  return AToolbar->Parent() == this &&
         (AToolbar->Visible() || AToolbar->ComponentState().Contains(csDesigning));
}

bool TTBDock::HasVisibleToolbars() const {
  return std::any_of(FDockList.begin(), FDockList.end(),
                     [this](TTBCustomDockableWindow* W) { return ToolbarVisibleOnDock(W); });
}

void TTBDock::ToolbarVisibilityChanged(TTBCustomDockableWindow* Bar, bool ForceRemove) {
  auto It = std::find(FVisibleList.begin(), FVisibleList.end(), Bar);
  const bool Want = !ForceRemove && ToolbarVisibleOnDock(Bar);
  const bool Has = It != FVisibleList.end();
  if (Want == Has) {
    return;
  }
  if (Want) {
    FVisibleList.push_back(Bar);
  } else {
    FVisibleList.erase(It);
  }
  ArrangeToolbars();
  if (OnInsertRemoveBar) {
    OnInsertRemoveBar(this, Want, Bar);
  }
}

int TTBDock::GetHighestRow(bool HighestEffective) const {
  int Result = -1;
  for (TTBCustomDockableWindow* W : FDockList) {
    Result = std::max(Result, HighestEffective ? W->EffectiveDockRow() : W->DockRow());
  }
  return Result;
}

int TTBDock::GetCurrentRowSize(int Row, bool& AFullSize) const {
  AFullSize = false;
  if (Row < 0) {
    return 0;
  }
  int Result = 0;
  for (TTBCustomDockableWindow* W : FDockList) {
    if (W->EffectiveDockRow() == Row && ToolbarVisibleOnDock(W)) {
      AFullSize = W->FullSize();
      Result = std::max(Result, IsVertical() ? W->Width() : W->Height());
    }
  }
  return Result;
}

int TTBDock::GetMinRowSize(int Row, TTBCustomDockableWindow* ExcludeControl) const {
  int Result = 0;
  if (Row < 0) {
    return 0;
  }
  for (TTBCustomDockableWindow* W : FDockList) {
    if (W != ExcludeControl && ToolbarVisibleOnDock(W) && W->EffectiveDockRow() == Row) {
      Result = std::max(Result, W->RowThickness());
    }
  }
  return Result;
}

int TTBDock::GetDesignModeRowOf(int XY) const {
  const int Highest = GetHighestRow(true);
  int Sum = 0;
  for (int R = 0; R <= Highest + 1; ++R) {
    bool Full = false;
    const int S = GetCurrentRowSize(R, Full);
    if (S > 0) {
      Sum += S;
      if (Sum > XY) {
        return R;
      }
    }
  }
  return Highest + 1;
}

void TTBDock::CommitPositions() {
  for (TTBCustomDockableWindow* W : FVisibleList) {
    W->FDockRow = W->FEffectiveDockRow;
    W->FDockPos = W->FEffectiveDockPos;
  }
}

void TTBDock::ChangeWidthHeight(int NewWidth, int NewHeight) {
  switch (Align()) {
    case alTop: case alLeft: case alNone:
      SetBounds(Left(), Top(), NewWidth, NewHeight);
      break;
    case alBottom:
      SetBounds(Left(), Top() + Height() - NewHeight, NewWidth, NewHeight);
      break;
    case alRight:
      SetBounds(Left() + Width() - NewWidth, Top(), NewWidth, NewHeight);
      break;
    default:
      break;
  }
}

std::string TTBDock::DebugDump() const {
  std::vector<TTBCustomDockableWindow*> L(FVisibleList);
  std::stable_sort(L.begin(), L.end(), [](TTBCustomDockableWindow* A, TTBCustomDockableWindow* B) {
    return A->EffectiveDockRow() != B->EffectiveDockRow() ? A->EffectiveDockRow() < B->EffectiveDockRow()
                                                          : A->EffectiveDockPos() < B->EffectiveDockPos();
  });
  std::ostringstream S;
  for (TTBCustomDockableWindow* W : L) {
    S << (S.tellp() > 0 ? " " : "") << W->EffectiveDockRow() << ":" << W->Name() << "@" << W->Left() << ","
      << W->Top() << "+" << W->Width() << "x" << W->Height();
  }
  return S.str();
}

LRESULT TTBDock::RelayMsgToFloatingBars(TMessage& Message) {
  for (TTBCustomDockableWindow* W : std::vector<TTBCustomDockableWindow*>(FDockList)) {
    if (W->ControlStyle.Contains(csMenuEvents) && W->Floating() && W->Showing() && W->Enabled()) {
      W->Dispatch(Message);
      if (Message.Result != 0) {
        return Message.Result;
      }
    }
  }
  return 0;
}

void TTBDock::DrawNCArea() {
  if (FBoundLines.Empty() || !HandleAllocated()) {
    return;
  }
  if (!HasVisibleToolbars() && !ComponentState().Contains(csDesigning)) {
    return;
  }
  HDC DC = GetWindowDC(Handle());
  RECT WR;
  GetWindowRect(Handle(), &WR);
  const int W = WR.Right - WR.Left;
  const int H = WR.Bottom - WR.Top;
  auto Line = [DC](int X1, int Y1, int X2, int Y2, TColor C) {
    TBFillSolid(DC, Rect(X1, Y1, X2, Y2), ColorToRGB(C));
  };
  if (FBoundLines.Contains(blTop)) {
    Line(0, 0, W, 1, clBtnShadow);
  }
  if (FBoundLines.Contains(blLeft)) {
    Line(0, 0, 1, H, clBtnShadow);
  }
  if (FBoundLines.Contains(blBottom)) {
    Line(0, H - 1, W, H, clBtnHighlight);
  }
  if (FBoundLines.Contains(blRight)) {
    Line(W - 1, 0, W, H, clBtnHighlight);
  }
  ReleaseDC(Handle(), DC);
}

void TTBDock::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE: {
      inherited::Dispatch(Message);
      RECT* R = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                               : reinterpret_cast<RECT*>(Message.LParam);
      if (R) {
        R->Top += FBoundLines.Contains(blTop) ? 1 : 0;
        R->Bottom -= FBoundLines.Contains(blBottom) ? 1 : 0;
        R->Left += FBoundLines.Contains(blLeft) ? 1 : 0;
        R->Right -= FBoundLines.Contains(blRight) ? 1 : 0;
        R->Right = std::max(R->Right, R->Left);
        R->Bottom = std::max(R->Bottom, R->Top);
      }
      return;
    }
    case WM_NCPAINT:
      inherited::Dispatch(Message);
      DrawNCArea();
      return;
    case WM_SYSCOMMAND:
      Message.Result = RelayMsgToFloatingBars(Message);
      return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
      if (RelayMsgToFloatingBars(Message) == 0) {
        inherited::Dispatch(Message);
      }
      return;
    default:
      inherited::Dispatch(Message);
  }
}
