// Toolbars: their view's orientation, wrap and chevron for each place, sizing in docks and floating.
#include "toolbars/Tb2toolbar.h"

#include "toolbars/Tb2imagelist.h"
#include "toolbars/Tbskinshared.h"

#include "platform/controls/Forms.h"
#include "toolbars/Tb2common.h"

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
  UpdateMainWindowHook();
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
  // Controls behind the chevron are hidden and so never count.
  return inherited::ControlExistsAtPos(P);
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
