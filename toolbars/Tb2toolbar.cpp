// Toolbars: their view's orientation, wrap and chevron for each place, sizing in docks and floating.
#include "toolbars/Tb2toolbar.h"

#include "toolbars/Tb2imagelist.h"
#include "toolbars/Tbskinshared.h"

#include "platform/controls/Forms.h"
#include "toolbars/Tb2common.h"
#include "toolbars/Tb2hook.h"

#include <algorithm>

namespace {

// The toolbars that take the form's shortcut and menu keys, and the application's main-window hook they share.
std::vector<TTBCustomToolbar*>& KeyToolbars() {
  static std::vector<TTBCustomToolbar*> List;
  return List;
}
int MainWindowHookId = -1;

// Hands SC_KEYMENU to the first control of the form (depth first) that takes menu keys and answers it.
bool SendSysCommand(TWinControl* Parent, TMessage& SysCommand) {
  for (int I = 0; I < Parent->ControlCount(); ++I) {
    auto* W = dynamic_cast<TWinControl*>(Parent->Controls(I));
    if (!W || !W->Visible() || !W->Enabled() || !W->Showing()) {
      continue;
    }
    if (W->ControlStyle.Contains(csMenuEvents) &&
        W->Perform(WM_SYSCOMMAND, SysCommand.WParam, SysCommand.LParam) != 0) {
      return true;
    }
    if (SendSysCommand(W, SysCommand)) {
      return true;
    }
  }
  return false;
}

bool MainWindowHook(TMessage& Message) {
  if (Message.Msg == CM_APPSYSCOMMAND) {
    auto* SysCommand = reinterpret_cast<TMessage*>(Message.LParam);
    TCustomForm* Form = Screen->ActiveForm();
    if (Form && SysCommand && SendSysCommand(Form, *SysCommand)) {
      Message.Result = 1;
      return true;
    }
  } else if (Message.Msg == CM_APPKEYDOWN) {
    auto& Key = *reinterpret_cast<TWMKey*>(&Message);
    TCustomForm* Active = Screen->ActiveForm();
    TCustomForm* Main = Application->MainForm();
    for (TCustomForm* Form : {Active, Main == Active ? nullptr : Main}) {
      if (!Form || !Form->HandleAllocated() || !IsWindowEnabled(Form->Handle())) {
        continue;
      }
      for (TTBCustomToolbar* T : std::vector<TTBCustomToolbar*>(KeyToolbars())) {
        if (T->ProcessShortCuts() && TBGetToolWindowParentForm(T) == Form && T->Items()->IsShortCut(Key)) {
          Message.Result = 1;
          return true;
        }
      }
    }
  }
  return false;
}

// The window of the main form's MDI client area (a child of class "MDICLIENT"), or 0.
HWND MDIClientOf(HWND Form) {
  for (HWND W = GetWindow(Form, GW_CHILD); W; W = GetWindow(W, GW_HWNDNEXT)) {
    char Name[32] = {};
    GetClassName(W, Name, sizeof Name);
    if (CompareText(Name, "MDICLIENT") == 0) {
      return W;
    }
  }
  return 0;
}

// While a menu bar exists: Alt+letter typed in the MDI client area (and Alt+"-" in a child inside it) opens the
// menu bar's menu as if typed on the main form.
void MenuBarKeyHook(THookProcCode Code, HWND, WPARAM WParam, LPARAM LParam) {
  auto* Msg = reinterpret_cast<MSG*>(LParam);
  if (Code != hpGetMessage || !(WParam & PM_REMOVE) || !Msg || Msg->message != WM_SYSCHAR || !Msg->hwnd) {
    return;
  }
  TCustomForm* Main = Application->MainForm();
  if (!Main || !Main->HandleAllocated() || GetCapture() != 0) {
    return;
  }
  const HWND Client = MDIClientOf(Main->Handle());
  if (!Client) {
    return;
  }
  if (Msg->hwnd == Client || (Msg->wParam == '-' && IsChild(Client, Msg->hwnd))) {
    SendMessage(Main->Handle(), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(Msg->wParam));
    Msg->message = WM_NULL;
  }
}

}  // namespace

Z_IMPLEMENT_CLASS(TTBChevronItem, TTBCustomItem)
Z_IMPLEMENT_CLASS(TTBToolbarView, TTBView)
Z_IMPLEMENT_CLASS(TTBCustomToolbar, TTBCustomDockableWindow)
Z_IMPLEMENT_CLASS(TTBToolbar, TTBCustomToolbar)

TTBChevronItem::TTBChevronItem(TComponent* AOwner) : TTBCustomItem(AOwner) {
  FItemStyle.Include(tbisSubmenu);
  FItemStyle.Include(tbisNoAutoOpen);
}

TTBItemViewerClass TTBChevronItem::GetItemViewerClass(TTBView*) { return &TTBChevronItemViewer::Create; }

TTBToolbarView::TTBToolbarView(TTBCustomToolbar* AToolbar, TTBCustomItem* ARoot, bool AUsePriorityList)
    : TTBView(AToolbar, nullptr, ARoot, AToolbar, true, false, AUsePriorityList), FToolbar(AToolbar) {}

void TTBToolbarView::AutoSize(int AWidth, int AHeight) {
  FToolbar->FBaseSize = BaseSize();
  if (FToolbar->IsAutoResized() && FToolbar->FArranging == 0) {
    FToolbar->ChangeSize(AWidth, AHeight);
  }
}

void TTBToolbarView::DoUpdatePositions(TPoint& ASize) {
  ASize = Point(0, 0);
  if (TTBDock* D = FToolbar->CurrentDock()) {
    const int Min = D->GetMinRowSize(FToolbar->EffectiveDockRow(), FToolbar);
    if (D->IsVertical()) {
      ASize.X = Min;
    } else {
      ASize.Y = Min;
    }
  }
  if (FToolbar->FullSize()) {
    if (Orientation() == tbvoVertical) {
      ASize.Y = std::max(ASize.Y, WrapOffset());
    } else {
      ASize.X = std::max(ASize.X, WrapOffset());
    }
  }
  ++FToolbar->FArranging;
  try {
    TTBView::DoUpdatePositions(ASize);
  } catch (...) {
    --FToolbar->FArranging;
    throw;
  }
  --FToolbar->FArranging;
}

TFont* TTBToolbarView::GetFont() { return FToolbar->SystemFont() ? ToolbarFont() : FToolbar->Font(); }

TTBCustomItem* TTBToolbarView::GetChevronItem() { return FToolbar->ChevronItem(); }

TTBCustomToolbar::TTBCustomToolbar(TComponent* AOwner) : TTBCustomDockableWindow(AOwner) {
  ControlStyle.Include(csAcceptsControls);
  ControlStyle.Include(csActionClient);
  ControlStyle.Exclude(csCaptureMouse);
  DockableWindowStyles.Exclude(tbdsResizeEightCorner);
  DockableWindowStyles.Exclude(tbdsResizeClipCursor);
  SetColor(clBtnFace);
  SetBounds(0, 0, 23, 22);
}

void TTBCustomToolbar::AfterConstruction() {
  inherited::AfterConstruction();
  TBRegisterControlItem();
  FItem = new TTBRootItem(this);
  FItem->AfterConstruction();
  FChevronItem = new TTBChevronItem(this);
  FChevronItem->AfterConstruction();
  FView = new TTBToolbarView(this, FItem, !ComponentState().Contains(csDesigning));
  FView->AfterConstruction();
  FView->RecreateAllViewers();  // the chevron's viewer: the view's own construction could not ask for it yet
  FView->SetBackgroundColor(clBtnFace);
}

void TTBCustomToolbar::BeforeDestruction() {
  FProcessShortCuts = false;
  FMenuBar = false;
  UpdateMainWindowHook();
  UpdateMenuBarHook();
  TTBToolbarView* V = FView;
  FView = nullptr;
  delete V;
  inherited::BeforeDestruction();
}

void TTBCustomToolbar::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (int I = 0; I < FItem->Count(); ++I) {
    if (FItem->Items(I)->Owner() == Root) {
      Proc(FItem->Items(I));
    }
  }
  inherited::GetChildren(Proc, Root);
}

void TTBCustomToolbar::SetMenuBar(bool Value) {
  if (Value == FMenuBar) {
    return;
  }
  FMenuBar = Value;
  if (Value) {
    ControlStyle.Include(csMenuEvents);
  } else {
    ControlStyle.Exclude(csMenuEvents);
  }
  TTBViewStyle S = FView->Style();
  if (Value) {
    S.Include(vsUseHiddenAccels);
  } else {
    S.Exclude(vsUseHiddenAccels);
  }
  FView->SetStyle(S);
  if (!ComponentState().Contains(csLoading)) {
    SetFullSize(Value);
    SetShrinkMode(Value ? tbsmWrap : tbsmChevron);
    CloseButton = !Value;
    FProcessShortCuts = Value;
  }
  UpdateMenuBarHook();
  UpdateMainWindowHook();
}

void TTBCustomToolbar::UpdateMenuBarHook() {
  const bool Want = FMenuBar && !ComponentState().Contains(csDesigning);
  if (Want && !FMenuBarHook) {
    InstallHookProc(&MenuBarKeyHook, THookProcCodes{hpGetMessage});
    FMenuBarHook = true;
  } else if (!Want && FMenuBarHook) {
    UninstallHookProc(&MenuBarKeyHook);
    FMenuBarHook = false;
  }
}

void TTBCustomToolbar::SetProcessShortCuts(bool Value) {
  if (Value != FProcessShortCuts) {
    FProcessShortCuts = Value;
    UpdateMainWindowHook();
  }
}

void TTBCustomToolbar::UpdateMainWindowHook() {
  auto& L = KeyToolbars();
  const bool Want = (FProcessShortCuts || FMenuBar) && !ComponentState().Contains(csDesigning);
  auto It = std::find(L.begin(), L.end(), this);
  if (Want && It == L.end()) {
    L.push_back(this);
    if (L.size() == 1) {
      MainWindowHookId = Application->HookMainWindow(&MainWindowHook);
    }
  } else if (!Want && It != L.end()) {
    L.erase(It);
    if (L.empty() && MainWindowHookId >= 0) {
      Application->UnhookMainWindow(MainWindowHookId);
      MainWindowHookId = -1;
    }
  }
}

bool TTBCustomToolbar::KeyboardOpen(char Key, bool RequirePrimaryAccel) {
  TTBView* V = FView;
  V->SetAccelsVisibility(true);
  TTBItemViewer* Found = nullptr;
  bool Result = false;
  try {
    if (Key != 0) {
      bool Only = false;
      Found = V->NextSelectableWithAccel(nullptr, Key, RequirePrimaryAccel, Only);
      if (Found && Found->Item()->Enabled()) {
        Result = true;
        if (Only && !Found->Item()->ItemStyle().Contains(tbisSubmenu)) {
          V->SetAccelsVisibility(false);
          Found->Item()->Click();
        } else if (Only) {
          V->SetSelected(Found);
          V->EnterToolbarLoop(TTBEnterToolbarLoopOptions{tbetDropDownMenus, tbetKeyboardControl});
        } else if (FMenuBar) {
          V->SetSelected(Found);
          V->EnterToolbarLoop(TTBEnterToolbarLoopOptions{tbetKeyboardControl});
        }
      }
    } else if ((Found = V->FirstSelectable())) {
      Result = true;
      V->SetSelected(Found);
      V->EnterToolbarLoop(TTBEnterToolbarLoopOptions{tbetKeyboardControl});
    }
  } catch (...) {
    V->SetAccelsVisibility(false);
    throw;
  }
  if (Found) {
    V->SetAccelsVisibility(false);
  }
  return Result;
}

void TTBCustomToolbar::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_SYSCOMMAND && FMenuBar && (Message.WParam & 0xFFF0) == SC_KEYMENU &&
      Message.LParam != ' ' && Enabled() && Showing() && GetCapture() == 0) {
    const char Key = static_cast<char>(Message.LParam);
    if (KeyboardOpen(Key, false)) {
      Message.Result = 1;
    } else if (Key != '-') {
      MessageBeep(0);
    }
    return;
  }
  switch (Message.Msg) {
    case CM_MOUSELEAVE: CancelHover(); break;
    case WM_NCMOUSEMOVE:
      Hint.clear();
      CancelHover();
      break;
    case WM_MOUSELEAVE:
      if (!FMouseLoop) {
        CancelHover();
      }
      break;
    default: break;
  }
  inherited::Dispatch(Message);
}

void TTBCustomToolbar::SetShrinkMode(TTBShrinkMode Value) {
  if (Value == FShrinkMode) {
    return;
  }
  FShrinkMode = Value;
  if (Docked()) {
    CurrentDock()->ArrangeToolbars();
  } else if (!Floating()) {
    Arrange();
  }
}

void TTBCustomToolbar::SetFloatingWidth(int Value) {
  if (Value != FFloatingWidth) {
    FFloatingWidth = Value;
    if (Floating()) {
      Arrange();
    }
  }
}

void TTBCustomToolbar::SetSystemFont(bool Value) {
  if (Value != FSystemFont) {
    FSystemFont = Value;
    Arrange();
  }
}

int TTBCustomToolbar::CalcWrapOffset(TTBDock* ADock) {
  if (!ADock) {
    return FFloatingWidth;
  }
  if (FShrinkMode != tbsmWrap) {
    return 0;
  }
  if (ADock->IsVertical()) {
    return ADock->Height() - ADock->NonClientHeight() - GetNonClientHeight();
  }
  return ADock->Width() - ADock->NonClientWidth() - GetNonClientWidth();
}

int TTBCustomToolbar::CalcChevronOffset(TTBDock* ADock, TTBViewOrientation AOrientation) {
  if (FShrinkMode != tbsmChevron || !Docked() || ADock != CurrentDock() || CurrentShrunkSize() == 0) {
    return 0;
  }
  const int NC = AOrientation == tbvoVertical ? GetNonClientHeight() : GetNonClientWidth();
  return std::max(0, CurrentShrunkSize() - NC);
}

void TTBCustomToolbar::UpdateViewProperties() {
  TTBViewOrientation O = tbvoHorizontal;
  switch (TBGetDockTypeOf(CurrentDock(), Floating())) {
    case dtLeftRight: O = tbvoVertical; break;
    case dtFloating: O = tbvoFloating; break;
    default: break;
  }
  FView->BeginUpdate();
  FView->SetOrientation(O);
  FView->SetChevronSize(tbChevronSize);
  if (Docked() || Floating()) {
    FView->SetChevronOffset(CalcChevronOffset(CurrentDock(), O));
    FView->SetWrapOffset(CalcWrapOffset(CurrentDock()));
  } else {
    int Chevron = 0, Wrap = 0;
    if (!AutoResize() || (Anchors().Contains(akLeft) && Anchors().Contains(akRight))) {
      const int Room = Width() - GetNonClientWidth();
      (FShrinkMode == tbsmChevron ? Chevron : Wrap) = FShrinkMode == tbsmNone ? 0 : Room;
    }
    FView->SetChevronOffset(Chevron);
    FView->SetWrapOffset(Wrap);
  }
  FView->EndUpdate();
}

TPoint TTBCustomToolbar::DoArrange(bool CanMoveControls, TTBDockType PreviousDockType, bool NewFloating,
                                   TTBDock* NewDock) {
  (void)PreviousDockType;
  if (!FView) {
    return Point(Width(), Height());
  }
  if (CanMoveControls) {
    UpdateViewProperties();
    ++FArranging;
    TPoint Size{0, 0};
    try {
      Size = FView->UpdatePositions();
    } catch (...) {
      --FArranging;
      throw;
    }
    --FArranging;
    return Size;
  }
  TTBViewOrientation O = tbvoHorizontal;
  switch (TBGetDockTypeOf(NewDock, NewFloating)) {
    case dtLeftRight: O = tbvoVertical; break;
    case dtFloating: O = tbvoFloating; break;
    default: break;
  }
  TPoint Base{0, 0}, Total{0, 0};
  FView->CalculatePositions(false, O, CalcWrapOffset(NewDock), CalcChevronOffset(NewDock, O), tbChevronSize,
                            Base, Total, FWrappedLines);
  return Total;
}

void TTBCustomToolbar::GetBaseSize(TPoint& ASize) {
  if (FView) {
    FView->ValidatePositions();
    FBaseSize = FView->BaseSize();
    if (FView->ChevronOffset() > 0) {
      // Items behind the chevron still count: the dock must know the length that shows them all.
      TPoint Total{0, 0};
      int Lines = 1;
      FView->CalculatePositions(false, FView->Orientation(), FView->WrapOffset(), 0, FView->ChevronSize(), ASize,
                                Total, Lines);
      return;
    }
  }
  ASize = FBaseSize;
}

void TTBCustomToolbar::GetMinShrinkSize(int& AMinimumSize) {
  const bool Vertical = CurrentDock() && CurrentDock()->IsVertical();
  int First = 0;
  if (FView) {
    FView->ValidatePositions();
    for (int I = 0; I < FView->ViewerCount(); ++I) {
      TTBItemViewer* V = FView->Viewers(I);
      if (V->Item() != FChevronItem && V->Show()) {
        First = Vertical ? V->BoundsRect().Height() : V->BoundsRect().Width();
        break;
      }
    }
  }
  AMinimumSize = First + (Vertical ? GetNonClientHeight() : GetNonClientWidth()) + tbChevronSize;
}

bool TTBCustomToolbar::ControlExistsAtPos(TPoint P) {
  if (inherited::ControlExistsAtPos(P)) {
    return true;
  }
  // A press on an item works the item; only the bar's empty parts drag the toolbar.
  if (ComponentState().Contains(csDesigning) || !FView) {
    return false;
  }
  TTBItemViewer* V = FView->ViewerFromPoint(P);
  return V && !V->Item()->ItemStyle().Contains(tbisClicksTransparent);
}

void TTBCustomToolbar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TWinControl* OldParent = Parent();
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || Parent() != OldParent || ComponentState().Contains(csDesigning) || !FView) {
    return;
  }
  TPoint P = ClientToScreen(Point(X, Y));
  FView->UpdateSelection(&P, true);
  TTBItemViewer* S = FView->Selected();
  if (S && !S->Item()->ItemStyle().Contains(tbisClicksTransparent)) {
    FMouseLoop = true;
    struct TReset {
      bool& Flag;
      ~TReset() { Flag = false; }
    } Reset{FMouseLoop};
    FView->EnterToolbarLoop(TTBEnterToolbarLoopOptions{tbetMouseDown});
  }
}

void TTBCustomToolbar::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  if (ComponentState().Contains(csDesigning) || !FView) {
    return;
  }
  TPoint P = ClientToScreen(Point(X, Y));
  FView->UpdateSelection(&P, true);
  TTBItemViewer* S = FView->Selected();
  Hint = S && !S->Item()->EffectiveOptions().Contains(tboLongHintInMenuOnly) ? S->Item()->Hint() : std::string();
  CallTrackMouseEvent(Handle(), TME_LEAVE);
}

void TTBCustomToolbar::CancelHover() {
  if (FView && !FView->Capture()) {
    FView->UpdateSelection(nullptr, true);
  }
}

void TTBCustomToolbar::BuildPotentialSizesList(std::vector<TPoint>& List) {
  List.clear();
  const TRect Margins = FView->GetMargins(tbvoFloating);
  const int Narrowest = Margins.Left + Margins.Right;
  const int Saved = FFloatingWidth;
  struct TRestore {
    TTBCustomToolbar* T;
    int W;
    ~TRestore() { T->FFloatingWidth = W; }
  } Restore{this, Saved};
  FFloatingWidth = 0;
  TPoint One = DoArrange(false, dtFloating, true, nullptr);
  List.push_back(One);
  int LastLines = FWrappedLines;
  for (int W = One.X - 1; W >= Narrowest;) {
    FFloatingWidth = W;
    const TPoint S = DoArrange(false, dtFloating, true, nullptr);
    if (S.X > W) {
      break;
    }
    if (S.X == W) {
      if (FWrappedLines == LastLines && !List.empty()) {
        List.back() = S;
      } else {
        List.push_back(S);
      }
      LastLines = FWrappedLines;
      --W;
    } else {
      W = S.X;
    }
  }
}

void TTBCustomToolbar::ResizeBegin(TTBSizeHandle SizeHandle) {
  TTBFloatingWindowParent* Frame = FloatingParent();
  if (!Frame) {
    return;
  }
  auto R = std::make_unique<TResizeRecord>();
  R->SizeHandle = SizeHandle;
  R->StartFrame = Frame->BoundsRect();
  R->BorderWidth = Frame->ClientToScreen(Point(0, 0)).X - Frame->Left();
  R->FloatingWidth = FFloatingWidth;
  R->Vertical = SizeHandle != twshLeft && SizeHandle != twshRight;
  BuildPotentialSizesList(R->Sizes);
  for (TPoint& S : R->Sizes) {
    AddFloatingNCAreaToSize(S);
  }
  const bool ByHeight = SizeHandle == twshTop || SizeHandle == twshBottom;
  std::stable_sort(R->Sizes.begin(), R->Sizes.end(),
                   [ByHeight](const TPoint& A, const TPoint& B) { return ByHeight ? A.Y > B.Y : A.X > B.X; });
  // Snapping back to the start must not swallow the next size the items allow.
  const int Start = R->Vertical ? R->StartFrame.Height() : R->StartFrame.Width();
  for (const TPoint& S : R->Sizes) {
    const int D = std::abs((R->Vertical ? S.Y : S.X) - Start);
    if (D > 0) {
      R->SnapDistance = std::max(0, std::min(R->SnapDistance, D - 1));
    }
  }
  FResize = std::move(R);
}

void TTBCustomToolbar::ResizeTrack(TRect& Rect, const TRect& OrigRect) {
  (void)OrigRect;
  if (!FResize || FResize->Sizes.empty()) {
    return;
  }
  TResizeRecord& R = *FResize;
  const int Start = R.Vertical ? R.StartFrame.Height() : R.StartFrame.Width();
  int Wanted = R.Vertical ? Rect.Height() : Rect.Width();
  const int Direction = Wanted > Start ? 1 : Wanted < Start ? -1 : 0;
  if ((!R.Changed || (Direction != 0 && Direction != R.LastDirection)) && std::abs(Wanted - Start) <= R.SnapDistance) {
    Wanted = Start;
  }
  const TPoint* Pick = nullptr;
  auto Dim = [&R](const TPoint& P) { return R.Vertical ? P.Y : P.X; };
  if (Wanted == Start) {
    for (const TPoint& S : R.Sizes) {
      if (S.X == R.StartFrame.Width() && S.Y == R.StartFrame.Height()) {
        Pick = &S;
      }
    }
  }
  if (!Pick && Wanted > Start) {
    for (const TPoint& S : R.Sizes) {
      if (Dim(S) > Wanted && (!Pick || Dim(S) < Dim(*Pick))) {
        Pick = &S;
      }
    }
    if (!Pick) {
      for (const TPoint& S : R.Sizes) {
        if (!Pick || Dim(S) > Dim(*Pick)) {
          Pick = &S;
        }
      }
    }
  } else if (!Pick) {
    for (const TPoint& S : R.Sizes) {
      if (Dim(S) <= Wanted && (!Pick || Dim(S) > Dim(*Pick))) {
        Pick = &S;
      }
    }
    if (!Pick) {
      for (const TPoint& S : R.Sizes) {
        if (!Pick || Dim(S) < Dim(*Pick)) {
          Pick = &S;
        }
      }
    }
  }
  if (Direction != 0 && Wanted != Start) {
    R.Changed = true;
    R.LastDirection = Direction;
  }
  const TTBSizeHandle H = R.SizeHandle;
  const bool FromLeft = H == twshLeft || H == twshTopLeft || H == twshBottomLeft;
  const bool FromTop = H == twshTop || H == twshTopLeft || H == twshTopRight;
  const TRect& F = R.StartFrame;
  Rect.Left = FromLeft ? F.Right - Pick->X : F.Left;
  Rect.Right = Rect.Left + Pick->X;
  Rect.Top = FromTop ? F.Bottom - Pick->Y : F.Top;
  Rect.Bottom = Rect.Top + Pick->Y;
  // The widest size is one line; any other is a width to wrap at.
  int Widest = 0;
  for (const TPoint& S : R.Sizes) {
    Widest = std::max(Widest, S.X);
  }
  R.FloatingWidth = Pick->X >= Widest ? 0 : Pick->X - 2 * R.BorderWidth;
}

void TTBCustomToolbar::ResizeTrackAccept() {
  if (FResize) {
    SetFloatingWidth(FResize->FloatingWidth);
  }
}

void TTBCustomToolbar::ResizeEnd() { FResize.reset(); }

void TTBCustomToolbar::ReadPositionData(const TTBReadPositionData& Data) {
  FFloatingWidth = std::clamp(Data.ReadIntProc(Name(), "FloatRightX", 0, Data.ExtraData), 0, 32767);
}

void TTBCustomToolbar::WritePositionData(const TTBWritePositionData& Data) {
  Data.WriteIntProc(Name(), "FloatRightX", FFloatingWidth, Data.ExtraData);
}

void TTBCustomToolbar::Paint() {
  if (FView) {
    FView->DrawSubitems(Canvas());
  }
}
