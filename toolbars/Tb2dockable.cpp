// Dockable windows: docking, floating, undocking onto the form, last dock, layout requests and visibility.
#include "toolbars/Tb2dockable.h"

#include "platform/rtl/SysUtils.h"
#include "toolbars/Tb2common.h"
#include "toolbars/Tb2hook.h"
#include "toolbars/Tbskins.h"

#include <algorithm>
#include <cstdint>

Z_IMPLEMENT_CLASS_PUBLISHED(TTBCustomDockableWindow, TCustomControl, TTBCustomDockableWindow::Publish)
Z_IMPLEMENT_CLASS(TTBFloatingWindowParent, TCustomForm)

namespace {

std::vector<TTBCustomDockableWindow*>& FloatingList() {
  static std::vector<TTBCustomDockableWindow*> List;
  return List;
}

// One procedure for all dockable windows: floating windows follow their form's showing and the application's
// activation, and frames owned by a window that goes away are handed to the application's window first.
void DockableWindowHook(THookProcCode Code, HWND Wnd, WPARAM, LPARAM LParam) {
  const std::vector<TTBCustomDockableWindow*> Floating = FloatingList();
  switch (Code) {
    case hpSendActivateApp:
      for (TTBCustomDockableWindow* W : Floating) {
        W->UpdateVisibility();
      }
      break;
    case hpSendWindowPosChanged: {
      const auto* Pos = reinterpret_cast<const WINDOWPOS*>(LParam);
      if (!Pos || !(Pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED))) {
        break;
      }
      for (TTBCustomDockableWindow* W : Floating) {
        if (W->FloatingMode != fmOnTopOfParentForm || !W->HandleAllocated()) {
          continue;
        }
        TTBFloatingWindowParent* Frame = W->FloatingParent();
        TCustomForm* Form = Frame ? Frame->ParentForm() : nullptr;
        if (Form && Form->HandleAllocated() && (Form->Handle() == Wnd || IsChild(Wnd, Form->Handle()))) {
          W->UpdateVisibility();
        }
      }
      break;
    }
    case hpPreDestroy:
      for (TTBCustomDockableWindow* W : Floating) {
        TTBFloatingWindowParent* Frame = W->FloatingParent();
        if (Frame && Frame->HandleAllocated() && Frame->Handle() != Wnd &&
            static_cast<HWND>(GetWindowLongPtr(Frame->Handle(), GWLP_HWNDPARENT)) == Wnd) {
          SetWindowLongPtr(Frame->Handle(), GWLP_HWNDPARENT, static_cast<LONG_PTR>(Application->Handle()));
        }
      }
      break;
    default: break;
  }
}

}  // namespace

const std::vector<TTBCustomDockableWindow*>& TBFloatingWindows() { return FloatingList(); }

TCustomForm* TBGetToolWindowParentForm(TControl* Control) {
  TCustomForm* Result = nullptr;
  for (TControl* C = Control; C; C = C->Parent()) {
    if (auto* F = dynamic_cast<TCustomForm*>(C)) {
      Result = F;
    }
  }
  if (auto* Frame = dynamic_cast<TTBFloatingWindowParent*>(Result)) {
    Result = Frame->ParentForm();
  }
  return Result;
}

TCustomForm* TBValidToolWindowParentForm(TControl* Control) {
  TCustomForm* Result = TBGetToolWindowParentForm(Control);
  if (!Result) {
    throw EInvalidOperation("Control '" + Control->Name() + "' has no parent window");
  }
  return Result;
}

void TTBCustomDockableWindow::Publish(TMetaClass& Meta) {
  TPublisher<TTBCustomDockableWindow> P(Meta);
  using W = TTBCustomDockableWindow;
  P.Property("DockRow", &W::DockRow, &W::SetDockRow).Default(0);
  P.Property("DockPos", &W::DockPos, &W::SetDockPos).Default(-1);
  P.Property("OnClose", &W::OnClose, &W::OnClose);
  P.Property("OnDockChanged", &W::OnDockChanged, &W::OnDockChanged);
  P.Property("OnDockChanging", &W::OnDockChanging, &W::OnDockChanging);
  P.Property("OnVisibleChanged", &W::OnVisibleChanged, &W::OnVisibleChanged);
}

TTBCustomDockableWindow::TTBCustomDockableWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle.Include(csAcceptsControls);
  ControlStyle.Include(csClickEvents);
  ControlStyle.Include(csSetCaption);
  ControlStyle.Include(csDoubleClicks);
  ControlStyle.Exclude(csCaptureMouse);
  ControlStyle.Exclude(csOpaque);
  SetColor(clBtnFace);
  InstallHookProc(&DockableWindowHook, THookProcCodes{hpSendActivateApp, hpSendWindowPosChanged, hpPreDestroy},
                  ComponentState().Contains(csDesigning));
}

void TTBCustomDockableWindow::BeforeDestruction() {
  auto& L = FloatingList();
  L.erase(std::remove(L.begin(), L.end(), this), L.end());
  TTBFloatingWindowParent* Frame = FFloatFrameCache;
  FFloatFrameCache = nullptr;
  const bool InFrame = Frame && Parent() == Frame;
  if (InFrame) {
    // Leave the frame first, so that freeing it does not free this window's native window twice.
    TCustomControl::SetParent(nullptr);
  }
  if (FCurrentDock) {
    FCurrentDock->ChangeDockList(false, this);
  }
  if (FLastDock && FLastDock != FCurrentDock) {
    FLastDock->ChangeDockList(false, this);
  }
  if (FSkin) {
    FSkin->UnregisterDockable(this);
  }
  inherited::BeforeDestruction();
  delete Frame;
  UninstallHookProc(&DockableWindowHook);
}

bool TTBCustomDockableWindow::HasParent() {
  return !dynamic_cast<TTBFloatingWindowParent*>(Parent()) && inherited::HasParent();
}

TComponent* TTBCustomDockableWindow::GetParentComponent() {
  return dynamic_cast<TTBFloatingWindowParent*>(Parent()) ? nullptr : inherited::GetParentComponent();
}

void TTBCustomDockableWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (!ComponentState().Contains(csDesigning)) {
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
  }
}

void TTBCustomDockableWindow::Loaded() {
  inherited::Loaded();
  Arrange();
}

void TTBCustomDockableWindow::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) {
    return;
  }
  if (AComponent == FDefaultDock) {
    FDefaultDock = nullptr;
  }
  if (AComponent == FLastDock) {
    FLastDock = nullptr;
  }
  if (FSkin && AComponent == FSkin) {
    FSkin = nullptr;
  }
  RemoveDockForm(dynamic_cast<TCustomForm*>(AComponent));
  if (FFloatFrameCache && AComponent == FFloatFrameCache->ParentForm()) {
    if (Parent() == FFloatFrameCache) {
      if (FloatingMode == fmOnTopOfParentForm) {
        TCustomControl::SetParent(nullptr);
      } else {
        FFloatFrameCache->SetParentForm(nullptr);
      }
    } else {
      delete FFloatFrameCache;
      FFloatFrameCache = nullptr;
    }
  }
}

// ---- Where it lives ----

void TTBCustomDockableWindow::SetCurrentDock(TTBDock* Value) {
  if (ComponentState().Contains(csLoading)) {
    return;
  }
  if (Value) {
    SetParent(Value);
  } else {
    SetParent(TBValidToolWindowParentForm(this));
  }
}

TTBFloatingWindowParent* TTBCustomDockableWindow::FloatingParent() const {
  return dynamic_cast<TTBFloatingWindowParent*>(Parent());
}

void TTBCustomDockableWindow::SetFloating(bool Value) {
  if (Value == FFloating) {
    return;
  }
  TCustomForm* Form = TBValidToolWindowParentForm(this);
  if (!Value || ComponentState().Contains(csDesigning)) {
    SetParent(Form);
    return;
  }
  if (!FFloatFrameCache || FFloatFrameCache->ParentForm() != Form) {
    auto* Frame = new TTBFloatingWindowParent(nullptr);
    try {
      Frame->AfterConstruction();
      Frame->SetParentForm(Form);
      Frame->SetDockableWindow(this);
      char Buf[40];
      std::snprintf(Buf, sizeof Buf, "NBFloatingWindowParent_%.8x",
                    static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(Frame)));
      Frame->SetName(Buf);
      Frame->SetCaption(Caption());
      Frame->BorderStyle = bsToolWindow;
      Frame->SetBounds(0, 0, 100, 100);
      Frame->SetClientWidth(ClientWidth());
      Frame->SetClientHeight(ClientHeight());
      Frame->SetShowHint(true);
    } catch (...) {
      delete Frame;
      throw;
    }
    delete FFloatFrameCache;
    FFloatFrameCache = Frame;
  }
  Form->FreeNotification(this);
  SetParent(FFloatFrameCache);
  SetBounds(0, 0, Width(), Height());
}

void TTBCustomDockableWindow::SetFloatingPosition(TPoint Value) {
  FFloatingPosition = Value;
  if (TTBFloatingWindowParent* Frame = FloatingParent()) {
    Frame->SetBounds(Value.X, Value.Y, Frame->Width(), Frame->Height());
  }
}

void TTBCustomDockableWindow::SetLastDock(TTBDock* Value) {
  if (FUseLastDock && FCurrentDock) {
    Value = FCurrentDock;
  }
  if (Value == FLastDock) {
    return;
  }
  if (FLastDock && FLastDock != Parent()) {
    FLastDock->ChangeDockList(false, this);
  }
  FLastDock = Value;
  if (Value) {
    FUseLastDock = true;
    Value->FreeNotification(this);
    Value->ChangeDockList(true, this);
  }
}

void TTBCustomDockableWindow::SetUseLastDock(bool Value) {
  if (Value == FUseLastDock) {
    return;
  }
  FUseLastDock = Value;
  if (Value) {
    SetLastDock(FCurrentDock);
  } else {
    // The window stays listed by the dock it sits in; a dock it only remembered lets it go.
    if (FLastDock && FLastDock != Parent()) {
      FLastDock->ChangeDockList(false, this);
    }
    FLastDock = nullptr;
  }
}

void TTBCustomDockableWindow::SetDefaultDock(TTBDock* Value) {
  if (Value != FDefaultDock) {
    FDefaultDock = Value;
    if (Value) {
      Value->FreeNotification(this);
    }
  }
}

void TTBCustomDockableWindow::ReparentKeepingHandle(TWinControl* AParent) {
  HWND Kept = AParent ? FHandle : 0;
  FHandle = Kept ? 0 : FHandle;  // taking the old parent's control away must not destroy the window
  try {
    if (Parent()) {
      Parent()->RemoveControl(this);
    }
  } catch (...) {
    if (Kept) {
      FHandle = Kept;
    }
    throw;
  }
  FCurrentDock = dynamic_cast<TTBDock*>(AParent);
  FFloating = dynamic_cast<TTBFloatingWindowParent*>(AParent) != nullptr;
  FDocked = FCurrentDock != nullptr;
  if (Kept) {
    FHandle = Kept;
    ::SetParent(Kept, AParent->Handle());
    SetWindowPos(Kept, 0, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
  TCustomControl::SetParent(AParent);
  FEffectiveDockRow = -1;
}

void TTBCustomDockableWindow::UpdateFloatingList() {
  auto& L = FloatingList();
  auto It = std::find(L.begin(), L.end(), this);
  if (TTBFloatingWindowParent* Frame = FloatingParent()) {
    if (It == L.end()) {
      L.push_back(this);
    }
    Frame->SetBounds(FFloatingPosition.X, FFloatingPosition.Y, Frame->Width(), Frame->Height());
  } else if (It != L.end()) {
    L.erase(It);
  }
}

void TTBCustomDockableWindow::SetParent(TWinControl* AParent) {
  auto* OldDock = dynamic_cast<TTBDock*>(Parent());
  auto* NewDock = dynamic_cast<TTBDock*>(AParent);
  const bool NewFloating = dynamic_cast<TTBFloatingWindowParent*>(AParent) != nullptr;
  if (AParent == Parent()) {
    FCurrentDock = NewDock;
    FFloating = NewFloating;
    FDocked = NewDock != nullptr;
    UpdateFloatingList();
    return;
  }
  const bool Destroying = ComponentState().Contains(csDestroying);
  if (!Destroying && AParent) {
    if (OnDockChanging) {
      OnDockChanging(this, NewFloating, NewDock);
    }
    if (OnRecreating) {
      OnRecreating(this);
    }
  }
  ++FHideCount;
  ++FMoveEventLock;
  UpdateVisibility();
  if (OldDock) {
    OldDock->BeginUpdate();
  }
  if (NewDock) {
    NewDock->BeginUpdate();
  }
  ++FPositioningLock;
  struct TUnwind {
    TTBCustomDockableWindow* W;
    TTBDock* Old;
    TTBDock* New;
    ~TUnwind() {
      W->EndUpdate();
      --W->FPositioningLock;
      if (New) {
        New->EndUpdate();
      }
      if (Old) {
        Old->EndUpdate();
      }
      --W->FHideCount;
      --W->FMoveEventLock;
      W->UpdateVisibility();
    }
  };
  {
    BeginUpdate();
    TUnwind Unwind{this, OldDock, NewDock};
    if (AParent) {
      DoDockChangingHidden(NewFloating, NewDock);
    }
    FCurrentShrunkSize = 0;
    if (OldDock) {
      if (!(FUseLastDock && FLastDock == OldDock)) {
        OldDock->ChangeDockList(false, this);
      }
      OldDock->ToolbarVisibilityChanged(this, true);
    }
    auto* OldFrame = dynamic_cast<TTBFloatingWindowParent*>(Parent());
    try {
      ReparentKeepingHandle(AParent);
    } catch (...) {
      FCurrentDock = dynamic_cast<TTBDock*>(Parent());
      FFloating = dynamic_cast<TTBFloatingWindowParent*>(Parent()) != nullptr;
      FDocked = FCurrentDock != nullptr;
      throw;
    }
    if (FDragMode && OldFrame) {
      OldFrame->SetShouldShow(false);  // kept for the rest of the drag, out of sight
    }
    if (!FDragMode && OldFrame) {
      if (OldFrame == FFloatFrameCache) {
        FFloatFrameCache = nullptr;
      }
      delete OldFrame;
    }
    if (NewDock) {
      if (FUseLastDock && !FDragMode) {
        SetLastDock(NewDock);
        NewDock->ToolbarVisibilityChanged(this, false);
      } else {
        NewDock->ChangeDockList(true, this);
      }
    }
    UpdateFloatingList();
    Arrange();
  }
  if (Parent()) {
    Moved();
  }
  if (!Destroying && AParent) {
    if (OnRecreated) {
      OnRecreated(this);
    }
    if (OnDockChanged) {
      OnDockChanged(this);
    }
  }
}

void TTBCustomDockableWindow::DoDockChangingHidden(bool NewFloating, TTBDock* DockingTo) {
  if (!ComponentState().Contains(csDestroying) && OnDockChangingHidden) {
    OnDockChangingHidden(this, NewFloating, DockingTo);
  }
}

// ---- Place in the dock ----

void TTBCustomDockableWindow::SetDockRow(int Value) {
  FDockRow = Value;
  if (FDocked) {
    FCurrentDock->ArrangeToolbars();
  }
}

void TTBCustomDockableWindow::SetDockPos(int Value) {
  FDockPos = Value;
  if (FDocked) {
    FCurrentDock->ArrangeToolbars();
  }
}

void TTBCustomDockableWindow::SetFullSize(bool Value) {
  FFullSize = Value;
  if (FDocked) {
    FCurrentDock->ArrangeToolbars();
  }
}

void TTBCustomDockableWindow::SetStretch(bool Value) {
  FStretch = Value;
  if (FDocked) {
    FCurrentDock->ArrangeToolbars();
  }
}

void TTBCustomDockableWindow::SetAutoResize(bool Value) {
  if (Value != FAutoResize) {
    FAutoResize = Value;
    if (Value) {
      Arrange();
    }
  }
}

void TTBCustomDockableWindow::SetBorderStyle(TBorderStyle Value) {
  if (Value != FBorderStyle) {
    FBorderStyle = Value;
    RecalcNCArea();
  }
}

void TTBCustomDockableWindow::SetCloseButtonWhenDocked(bool Value) {
  if (Value != FCloseButtonWhenDocked) {
    FCloseButtonWhenDocked = Value;
    RecalcNCArea();
  }
}

void TTBCustomDockableWindow::SetDragHandleStyle(TTBDragHandleStyle Value) {
  if (Value != FDragHandleStyle) {
    FDragHandleStyle = Value;
    RecalcNCArea();
  }
}

void TTBCustomDockableWindow::RecalcNCArea() {
  if (FDocked && HandleAllocated()) {
    SetWindowPos(Handle(), 0, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
}

// ---- Layout ----

void TTBCustomDockableWindow::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FArrangeNeeded) {
    Arrange();
  }
}

void TTBCustomDockableWindow::Arrange() {
  if (FUpdateCount > 0 || ComponentState().Contains(csLoading) || !Parent()) {
    FArrangeNeeded = true;
    return;
  }
  FArrangeNeeded = false;
  const TPoint Size = DoArrange(true, TBGetDockTypeOf(FCurrentDock, FFloating), FFloating, FCurrentDock);
  if (IsAutoResized()) {
    ChangeSize(Size.X, Size.Y);
  }
}

void TTBCustomDockableWindow::ChangeSize(int AWidth, int AHeight) {
  if (FDocked) {
    FCurrentDock->ArrangeToolbars();
    return;
  }
  int NCW = 0, NCH = 0;
  CalcNCSizes(NCW, NCH);
  AWidth += NCW;
  AHeight += NCH;
  if (!FFloating) {
    if (Anchors().Contains(akLeft) && Anchors().Contains(akRight)) {
      AWidth = Width();
    }
    if (Anchors().Contains(akTop) && Anchors().Contains(akBottom)) {
      AHeight = Height();
    }
  }
  ++FPositioningLock;
  try {
    SetBounds(Left(), Top(), AWidth, AHeight);
  } catch (...) {
    --FPositioningLock;
    throw;
  }
  --FPositioningLock;
}

int TTBCustomDockableWindow::DragHandleSize() {
  static const int Sizes[2][3] = {{9, 0, 6}, {14, 14, 14}};
  return Sizes[FCloseButtonWhenDocked ? 1 : 0][FDragHandleStyle];
}

void TTBCustomDockableWindow::CalcNCSizes(int& AWidth, int& AHeight) {
  AWidth = 0;
  AHeight = 0;
  if (!FDocked) {
    return;
  }
  AWidth = 4;
  AHeight = 4;
  if (FCurrentDock->AllowDrag()) {
    if (FCurrentDock->IsVertical()) {
      AHeight += DockedHandleSize(true);
    } else {
      AWidth += DockedHandleSize(false);
    }
  }
}

int TTBCustomDockableWindow::GetNonClientWidth() {
  int W = 0, H = 0;
  CalcNCSizes(W, H);
  return W;
}

int TTBCustomDockableWindow::GetNonClientHeight() {
  int W = 0, H = 0;
  CalcNCSizes(W, H);
  return H;
}

void TTBCustomDockableWindow::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (TTBFloatingWindowParent* Frame = FloatingParent(); Frame && !ComponentState().Contains(csDesigning)) {
    Frame->SetBounds(Frame->Left(), Frame->Top(), Frame->Width() + AWidth - Frame->ClientWidth(),
                     Frame->Height() + AHeight - Frame->ClientHeight());
    ALeft = 0;
    ATop = 0;
  }
  if (FPositioningLock == 0 && (AWidth != Width() || AHeight != Height())) {
    SizeChanging(AWidth, AHeight);
  }
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TTBCustomDockableWindow::MoveOnScreen(bool OnlyIfFullyOffscreen) {
  TTBFloatingWindowParent* Frame = FloatingParent();
  if (!Frame) {
    return;
  }
  TRect R = Frame->BoundsRect();
  const TRect M = Screen->WorkAreaRect();
  const bool Meets = R.Left < M.Right && M.Left < R.Right && R.Top < M.Bottom && M.Top < R.Bottom;
  if (OnlyIfFullyOffscreen && Meets) {
    return;
  }
  auto Shift = [&R](int DX, int DY) { R = Rect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY); };
  if (R.Right > M.Right) {
    Shift(M.Right - R.Right, 0);
  }
  if (R.Bottom > M.Bottom) {
    Shift(0, M.Bottom - R.Bottom);
  }
  if (R.Left < M.Left) {
    Shift(M.Left - R.Left, 0);
  }
  if (R.Top < M.Top) {
    Shift(0, M.Top - R.Top);
  }
  FFloatingPosition = Point(R.Left, R.Top);
  Frame->SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

// ---- Showing and events ----

bool TTBCustomDockableWindow::GetShowingState() {
  if (FHideCount > 0 || !Visible()) {
    return false;
  }
  if (!FloatingParent()) {
    return Showing();
  }
  if (ComponentState().Contains(csDesigning)) {
    return true;
  }
  if (FloatingMode == fmOnTopOfParentForm) {
    TCustomForm* Form = FloatingParent()->ParentForm();
    if (!Form || !Form->HandleAllocated() || !Form->Visible() || IsIconic(Form->Handle())) {
      return false;
    }
  }
  return !(HideWhenInactive && !ApplicationIsActive());
}

void TTBCustomDockableWindow::UpdateVisibility() {
  // A floating window that stays up while the application is inactive shows that with an inactive caption.
  const bool Inactive =
      !ComponentState().Contains(csDesigning) && FFloating && !HideWhenInactive && !ApplicationIsActive();
  if (Inactive != FInactiveCaption) {
    FInactiveCaption = Inactive;
    if (TTBFloatingWindowParent* Frame = FloatingParent()) {
      Frame->RedrawNCArea(TTBToolWindowNCRedrawWhat{twrdBorder, twrdCaption, twrdCloseButton});
    }
  }
  if (TTBFloatingWindowParent* Frame = FloatingParent()) {
    const bool Show = GetShowingState();
    if (Show && Frame->HandleAllocated() && !ComponentState().Contains(csDesigning)) {
      // The frame belongs to its form (or, on top of all forms, to the application) for Z order and minimising.
      TCustomForm* Form = Frame->ParentForm();
      const HWND Owner = FloatingMode == fmOnTopOfAllForms ? Application->Handle()
                         : Form && Form->HandleAllocated() ? Form->Handle()
                                                           : HWND(0);
      if (static_cast<HWND>(GetWindowLongPtr(Frame->Handle(), GWLP_HWNDPARENT)) != Owner) {
        SetWindowLongPtr(Frame->Handle(), GWLP_HWNDPARENT, static_cast<LONG_PTR>(Owner));
      }
      UpdateTopmostFlag();
    }
    Frame->SetShouldShow(Show);
  }
}

void TTBCustomDockableWindow::UpdateTopmostFlag() {
  TTBFloatingWindowParent* Frame = FloatingParent();
  if (!Frame || !Frame->HandleAllocated()) {
    return;
  }
  const HWND Owner = static_cast<HWND>(GetWindowLongPtr(Frame->Handle(), GWLP_HWNDPARENT));
  const bool Wanted = FloatingMode == fmOnTopOfAllForms
                          ? IsWindowEnabled(Handle()) != FALSE
                          : Owner && (GetWindowLong(Owner, GWL_EXSTYLE) & static_cast<LONG>(WS_EX_TOPMOST)) != 0;
  const bool Is = (GetWindowLong(Frame->Handle(), GWL_EXSTYLE) & static_cast<LONG>(WS_EX_TOPMOST)) != 0;
  if (Wanted != Is) {
    SetWindowPos(Frame->Handle(), Wanted ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TTBCustomDockableWindow::Moved() {
  if (!ComponentState().Contains(csLoading) && FMoveEventLock == 0 && OnMove) {
    OnMove(this);
  }
}

bool TTBCustomDockableWindow::IsMovable() const {
  return (FDocked && FCurrentDock->AllowDrag()) || FFloating;
}

void TTBCustomDockableWindow::DoubleClick() {
  if (!FDocked) {
    if (FLastDock) {
      SetParent(FLastDock);
    } else if (FDefaultDock) {
      FDockRow = 0;
      FDockPos = -8;
      SetParent(FDefaultDock);
    }
  } else if (DockMode == dmCanFloat) {
    SetFloating(true);
    MoveOnScreen(true);
  }
}

void TTBCustomDockableWindow::Close() {
  bool CanClose = true;
  if (OnCloseQuery) {
    OnCloseQuery(this, CanClose);
  }
  if (CanClose) {
    Hide();
    if (OnClose) {
      OnClose(this);
    }
  }
}

namespace {

bool Contains(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

}  // namespace

bool TTBCustomDockableWindow::ControlExistsAtPos(TPoint P) {
  for (int I = 0; I < ControlCount(); ++I) {
    TControl* C = Controls(I);
    if (C->Visible() && Contains(C->BoundsRect(), P)) {
      return true;
    }
  }
  return false;
}

void TTBCustomDockableWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !IsMovable() || ControlExistsAtPos(Point(X, Y))) {
    return;
  }
  if (Shift.Contains(ssDouble)) {
    DoubleClick();
  } else {
    BeginMoving(X, Y);
    MouseUp(mbLeft, TShiftState{}, -1, -1);
  }
}

void TTBCustomDockableWindow::AddDockForm(TCustomForm* Form) {
  if (Form && std::find(FDockForms.begin(), FDockForms.end(), Form) == FDockForms.end()) {
    FDockForms.push_back(Form);
    Form->FreeNotification(this);
  }
}

void TTBCustomDockableWindow::RemoveDockForm(TCustomForm* Form) {
  FDockForms.erase(std::remove(FDockForms.begin(), FDockForms.end(), Form), FDockForms.end());
}

void TTBCustomDockableWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE: {
      inherited::Dispatch(Message);
      if (!FDocked) {
        return;
      }
      TRect* R = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                : reinterpret_cast<TRect*>(Message.LParam);
      if (R) {
        const int Handle = FCurrentDock->AllowDrag() ? DockedHandleSize(FCurrentDock->IsVertical()) : 0;
        const bool Vertical = FCurrentDock->IsVertical();
        R->Left += 2 + (Vertical ? 0 : Handle);
        R->Top += 2 + (Vertical ? Handle : 0);
        R->Right = std::max(R->Left, R->Right - 2);
        R->Bottom = std::max(R->Top, R->Bottom - 2);
      }
      return;
    }
    case WM_MOVE:
      inherited::Dispatch(Message);
      Moved();
      return;
    case WM_NCHITTEST:
    case WM_NCPAINT:
    case WM_PRINT:
    case WM_PRINTCLIENT:
    case WM_NCMOUSEMOVE:
    case WM_NCMOUSELEAVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONUP:
    case WM_SETCURSOR: DispatchNonClient(Message); return;
    case CM_MOUSELEAVE:
    case WM_MOUSEMOVE:
      CancelNCHover();
      inherited::Dispatch(Message);
      return;
    case WM_ENABLE:
      inherited::Dispatch(Message);
      if (FloatingMode == fmOnTopOfAllForms) {
        UpdateTopmostFlag();  // a window disabled by a modal dialog leaves the topmost band
      }
      return;
    case CM_COLORCHANGED:
      RedrawNCArea();
      inherited::Dispatch(Message);
      return;
    case CM_VISIBLECHANGED:
      if (FDocked && !ComponentState().Contains(csDesigning)) {
        FCurrentDock->ToolbarVisibilityChanged(this, false);
      }
      inherited::Dispatch(Message);
      UpdateVisibility();
      if (OnVisibleChanged) {
        OnVisibleChanged(this);
      }
      return;
    case CM_TEXTCHANGED:
      inherited::Dispatch(Message);
      if (TTBFloatingWindowParent* Frame = FloatingParent()) {
        Frame->SetCaption(Caption());
      }
      return;
    default:
      inherited::Dispatch(Message);
  }
}
