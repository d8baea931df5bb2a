// The keyboard in views and the modal menu loop that routes input to the open views while a menu is up.
#include "toolbars/Tb2common.h"
#include "toolbars/Tb2popup.h"
#include "toolbars/Tb2view.h"

#include "platform/controls/Forms.h"

namespace {

// The last cursor position the loop saw; an X of 0x80000000 marks it stale.
TPoint LastPos{static_cast<LONG>(0x80000000u), 0};

TTBView* DeepestView(TTBView* R) {
  TTBView* V = R;
  while (V->OpenViewerView()) {
    V = V->OpenViewerView();
  }
  return V;
}

// A toolbar with drop-down menus on opens the newly selected item's submenu; otherwise its submenus close.
void SubmenuFollowUp(TTBView* T) {
  TTBItemViewer* S = T->Selected();
  if (T->State().Contains(vsDropDownMenus) && S && !S->Item()->ItemStyle().Contains(tbisNoAutoOpen)) {
    T->OpenChildPopup(true);
  } else {
    T->CloseChildPopups();
  }
}

bool IsVerticalToolbar(TTBView* V) { return V && V->IsToolbar() && V->Orientation() == tbvoVertical; }

TControl* ControlUnder(TPoint P) {
  HWND W = WindowFromPoint(P);
  return W ? FindControl(W) : nullptr;
}

}  // namespace

bool TTBView::ClickSelectedItem(TTBItemEventData& Data) {
  if (!FSelected) {
    return true;
  }
  if (!FSelected->Item()->ItemStyle().Contains(tbisCombo) && OpenChildPopup(true)) {
    if (FIsToolbar) {
      FState.Include(vsDropDownMenus);
    }
    return false;
  }
  if (!FSelected->Item()->ItemStyle().Contains(tbisSelectable)) {
    return true;
  }
  GivePriority(FSelected);
  if (Data.DoneActionData) {
    Data.DoneActionData->DoneAction = tbdaClickItem;
    Data.DoneActionData->ClickItem = FSelected->Item();
    Data.DoneActionData->Sound = this != Data.RootView || Data.RootView->IsPopup();
  }
  return true;
}

void TTBView::KeyDown(WORD& Key, TShiftState Shift, TTBItemEventData& Data) {
  TTBView* T = GetParentToolbarView();
  TTBView* R = Data.RootView;
  auto Select = [this](TTBItemViewer* V) {
    if (V) {
      SetSelected(V);
      ScrollSelectedIntoView();
    }
  };
  auto BackOut = [this]() {
    if (FParentView->IsToolbar()) {
      TBSetDropDownMenus(FParentView, false);
    }
    FParentView->CloseChildPopups();
  };
  bool Handled = true;
  switch (Key) {
    case VK_TAB:
      Select(NextSelectable(FSelected, !Shift.Contains(ssShift)));
      break;
    case VK_RETURN:
      if (FSelected && FSelected->Item()->Enabled()) {
        Data.Exit = ClickSelectedItem(Data);
      } else {
        Data.Exit = true;
      }
      break;
    case VK_MENU:
    case VK_F10:
      Data.Exit = true;
      break;
    case VK_ESCAPE:
      if (this == R) {
        Data.Exit = true;
      } else {
        BackOut();
      }
      break;
    case VK_HOME:
    case VK_END:
      Select(NextSelectable(nullptr, Key == VK_HOME));
      break;
    case VK_LEFT:
    case VK_RIGHT:
      if (IsVerticalToolbar(this)) {
        if (OpenChildPopup(true) && T) {
          TBSetDropDownMenus(T, true);
        }
      } else if (Key == VK_LEFT) {
        if (T && !IsVerticalToolbar(T)) {
          if (this == T || FParentView == T) {
            T->SetSelected(T->NextSelectable(T->Selected(), false));
            SubmenuFollowUp(T);
          } else {
            FParentView->CloseChildPopups();
          }
        } else if (this != R) {
          BackOut();
        }
      } else {
        const bool Opened = this != T && OpenChildPopup(true);
        if (!Opened && T && !IsVerticalToolbar(T)) {
          T->SetSelected(T->NextSelectable(T->Selected(), true));
          SubmenuFollowUp(T);
        }
      }
      break;
    case VK_UP:
    case VK_DOWN:
      if (this == T && !IsVerticalToolbar(T)) {
        if (OpenChildPopup(true)) {
          TBSetDropDownMenus(T, true);
        }
      } else {
        Select(NextSelectable(FSelected, Key == VK_DOWN));
      }
      break;
    case VK_F1: {
      THelpContext Context = 0;
      for (TTBView* V = this; V && Context == 0; V = V->FParentView) {
        if (V->FSelected) {
          Context = V->FSelected->Item()->HelpContext();
        }
      }
      if (Context != 0 && Data.DoneActionData) {
        Data.DoneActionData->DoneAction = tbdaHelpContext;
        Data.DoneActionData->ContextID = static_cast<int>(Context);
        Data.Exit = true;
      }
      break;
    }
    default:
      Handled = false;
  }
  if (Handled) {
    Key = 0;
  }
}

void TTBView::EnterToolbarLoop(TTBEnterToolbarLoopOptions Options) {
  if (FIsPopup || FState.Contains(vsOpen)) {
    return;
  }
  TTBDoneActionData Done;
  TTBViewState Kept;
  if (FState.Contains(vsShowAccels)) {
    Kept.Include(vsShowAccels);
  }
  FState = Kept;
  try {
    RunMenuLoop(Options.Contains(tbetMouseDown), Options.Contains(tbetDropDownMenus), Done, false,
                Options.Contains(tbetKeyboardControl));
  } catch (...) {
    StopAllTimers();
    CloseChildPopups();
    throw;
  }
  StopAllTimers();
  CloseChildPopups();
  TPoint P;
  GetCursorPos(&P);
  UpdateSelection(&P, true);
  SetAccelsVisibility(false);
  SetSelected(nullptr);
  ExecuteDoneAction(Done);
}

// The modal menu loop of a root view: the chain of open views below it, the capture on its window, and what a
// message does to them. Each Handle function answers whether the loop ends.
struct TTBView::TMenuLoop {
  TTBView* Root;
  TTBDoneActionData& DoneAction;
  TTBItemEventData& Data;
  const bool TrackRightButton;

  // The chain of open views, deepest first, ends at the root.
  TTBView* Next(TTBView* V) const { return V == Root ? nullptr : V->ParentView(); }
  TTBView* ViewAt(TPoint P) const;
  TTBItemViewer* FoundViewer(TPoint P) const;
  void Hover(TPoint P, bool AllowNew);
  static void ScrollArrows(TTBView* V, TPoint P, bool In);
  bool ClickOutsideEnds(const MSG& Msg);
  bool HandleKeyDown(MSG& Msg, bool ButtonHeld);
  bool HandleChar(const MSG& Msg, bool ButtonHeld);
  void HandleTimer(MSG& Msg);
  bool HandleButtonDown(const MSG& Msg);
  bool HandleButtonUp(const MSG& Msg);
  void ShowHint(const MSG& Msg);
};

// The open view under a point.
TTBView* TTBView::TMenuLoop::ViewAt(TPoint P) const {
  for (TTBView* V = DeepestView(Root); V; V = Next(V)) {
    if (V->Window() && ControlUnder(P) == V->Window()) {
      return V;
    }
  }
  return nullptr;
}

// The viewer a click belongs to: the selection of a view holding the capture, else the selected viewer under the
// mouse.
TTBItemViewer* TTBView::TMenuLoop::FoundViewer(TPoint P) const {
  for (TTBView* V = DeepestView(Root); V; V = Next(V)) {
    if (V->Capture()) {
      return V->Selected();
    }
  }
  TTBView* V = ViewAt(P);
  return V && V->Selected() && V->MouseOverSelected() ? V->Selected() : nullptr;
}

// The mouse at P: every open view (only the one holding the capture, if any) follows it with its selection and
// opens or times the opening of the submenu under it.
void TTBView::TMenuLoop::Hover(TPoint P, bool AllowNew) {
  TTBView* CaptureView = nullptr;
  for (TTBView* V = DeepestView(Root); V && !CaptureView; V = Next(V)) {
    CaptureView = V->Capture() ? V : nullptr;
  }
  for (TTBView* V = DeepestView(Root); V; V = Next(V)) {
    if (CaptureView && V != CaptureView) {
      continue;
    }
    TTBItemViewer* Before = V->Selected();
    V->UpdateSelection(&P, AllowNew);
    const bool In = V->State().Contains(vsMouseInWindow);
    if (In && V->Selected() != V->OpenViewer() &&
        (V->OpenViewerView() || (V->Selected() && V->Selected()->Item()->ItemStyle().Contains(tbisSubmenu)))) {
      if (V->IsToolbar()) {
        if (V != Root && !V->Capture()) {
          TBSetDropDownMenus(V, true);
        }
        if (V->State().Contains(vsDropDownMenus)) {
          V->OpenChildPopup(false);
        }
      } else {
        const int Delay = GetMenuShowDelay();
        const bool OpenRunning = V->FActiveTimers.Contains(tiOpen);
        if (!OpenRunning) {
          V->StartTimer(tiClose, Delay);
        }
        if (!OpenRunning || Before != V->Selected()) {
          V->StartTimer(tiOpen, Delay);
        }
      }
    }
    ScrollArrows(V, P, In);
  }
}

// Resting on a scroll arrow of a tall popup scrolls it every 100 ms.
void TTBView::TMenuLoop::ScrollArrows(TTBView* V, TPoint P, bool In) {
  if (!V->IsPopup() || !V->Window()) {
    return;
  }
  const TPoint C = V->Window()->ScreenToClient(P);
  const bool InClient =
      In && C.X >= 0 && C.Y >= 0 && C.X < V->Window()->ClientWidth() && C.Y < V->Window()->ClientHeight();
  const int Band = 19;
  if (InClient && C.Y < Band && V->ShowUpArrow()) {
    V->StopTimer(tiScrollDown);
    if (!V->FActiveTimers.Contains(tiScrollUp)) {
      V->StartTimer(tiScrollUp, 100);
    }
  } else if (InClient && C.Y >= V->Window()->ClientHeight() - Band && V->ShowDownArrow()) {
    V->StopTimer(tiScrollUp);
    if (!V->FActiveTimers.Contains(tiScrollDown)) {
      V->StartTimer(tiScrollDown, 100);
    }
  } else {
    V->StopTimer(tiScrollUp);
    V->StopTimer(tiScrollDown);
  }
}

// A button press still queued outside the open views (or off the root's items) ends the loop and stays queued for
// its target.
bool TTBView::TMenuLoop::ClickOutsideEnds(const MSG& Msg) {
  if (Msg.message != WM_LBUTTONDOWN && Msg.message != WM_RBUTTONDOWN) {
    return false;
  }
  TControl* Under = ControlUnder(Msg.pt);
  auto* Popup = dynamic_cast<TTBPopupWindow*>(Under);
  if (Popup && Root->ContainsView(Popup->View())) {
    return false;
  }
  TWinControl* Window = Root->FWindow;
  const TPoint C = Window->ScreenToClient(Msg.pt);
  const TRect CR = Window->ClientRect();
  if (Root->FIsPopup || Under != Window || C.X < CR.Left || C.Y < CR.Top || C.X >= CR.Right || C.Y >= CR.Bottom) {
    return true;
  }
  if (Msg.message == WM_LBUTTONDOWN) {
    Hover(Msg.pt, true);
    TTBItemViewer* Selected = Root->FSelected;
    if (!Selected || !Root->FMouseOverSelected || Selected->Item()->ItemStyle().Contains(tbisClicksTransparent)) {
      return true;
    }
  }
  return false;
}

// A key goes to the deepest view's selected viewer, then to the view; keys nobody took are translated.
bool TTBView::TMenuLoop::HandleKeyDown(MSG& Msg, bool ButtonHeld) {
  WORD Key = static_cast<WORD>(Msg.wParam);
  if (ButtonHeld && Key != VK_F1) {
    return false;
  }
  TTBView* D = DeepestView(Root);
  const TShiftState Shift = KeyDataToShiftState(static_cast<LongInt>(Msg.lParam));
  if (D->Selected()) {
    D->Selected()->KeyDown(Key, Shift, Data);
  }
  if (Key != 0) {
    D->KeyDown(Key, Shift, Data);
  }
  if (Data.Exit) {
    return true;
  }
  if (Key != 0) {
    TranslateMessage(&Msg);
  }
  return false;
}

// A character selects the next item with that accelerator (and clicks it when it is the only one); Space or a
// hyphen on a bar of its own opens the window's system menu.
bool TTBView::TMenuLoop::HandleChar(const MSG& Msg, bool ButtonHeld) {
  if (ButtonHeld) {
    return false;
  }
  TTBView* D = DeepestView(Root);
  const char Ch = static_cast<char>(Msg.wParam);
  bool Only = false;
  if (TTBItemViewer* V = D->NextSelectableWithAccel(D->Selected(), Ch, false, Only)) {
    D->SetSelected(V);
    if (Only) {
      WORD Key = VK_RETURN;
      if (D->Selected()) {
        D->Selected()->KeyDown(Key, TShiftState{}, Data);
      }
      if (Key != 0) {
        D->KeyDown(Key, TShiftState{}, Data);
      }
      if (Data.Exit) {
        return true;
      }
    }
    D->ScrollSelectedIntoView();
  } else if ((Ch == ' ' || Ch == '-') && !Root->FIsPopup && D == Root && GetActiveWindow() != 0) {
    DoneAction.DoneAction = tbdaOpenSystemMenu;
    DoneAction.Wnd = GetActiveWindow();
    DoneAction.Key = static_cast<WORD>(static_cast<unsigned char>(Ch));
    return true;
  } else {
    MessageBeep(0);
  }
  return false;
}

// The open popups' view timers run here; other timers are dispatched.
void TTBView::TMenuLoop::HandleTimer(MSG& Msg) {
  auto* Popup = dynamic_cast<TTBPopupWindow*>(FindControl(Msg.hwnd));
  if (Popup && Root->ContainsView(Popup->View()) && Msg.wParam >= ViewTimerBaseID &&
      Msg.wParam <= ViewTimerBaseID + tiScrollDown) {
    Popup->View()->TimerExpired(static_cast<TTBViewTimerID>(Msg.wParam - ViewTimerBaseID));
  } else {
    DispatchMessage(&Msg);
  }
}

bool TTBView::TMenuLoop::HandleButtonDown(const MSG& Msg) {
  if (Msg.message == WM_RBUTTONDOWN && !TrackRightButton) {
    return false;
  }
  Root->FState.Exclude(vsIgnoreFirstMouseUp);
  Hover(Msg.pt, true);
  if (TTBItemViewer* V = FoundViewer(Msg.pt)) {
    const TPoint C = V->ScreenToClient(Msg.pt);
    TShiftState Shift;
    if (Msg.message == WM_LBUTTONDBLCLK) {
      Shift.Include(ssDouble);
    }
    V->MouseDown(Shift, C.X, C.Y, Data);
    if (Data.Exit) {
      return true;
    }
  }
  LastPos = Msg.pt;
  return false;
}

// A release goes to the viewer it belongs to; one outside the open views (or on the root toolbar's empty part)
// ends the loop, unless it is the release of the click that opened the menu.
bool TTBView::TMenuLoop::HandleButtonUp(const MSG& Msg) {
  if (Msg.message == WM_RBUTTONUP && !TrackRightButton) {
    return false;
  }
  Hover(Msg.pt, false);
  if (TTBItemViewer* V = FoundViewer(Msg.pt)) {
    const TPoint C = V->ScreenToClient(Msg.pt);
    V->MouseUp(C.X, C.Y, Data);
    return Data.Exit;
  }
  if (TTBView* V = ViewAt(Msg.pt); V && !(V == Root && Root->FIsToolbar)) {
    return false;
  }
  if (Root->FState.Contains(vsIgnoreFirstMouseUp)) {
    Root->FState.Exclude(vsIgnoreFirstMouseUp);  // the release of the click that opened the menu
    return false;
  }
  return true;
}

// After each message: a stale cursor position is taken again, and the application's hint is the selected item's.
void TTBView::TMenuLoop::ShowHint(const MSG& Msg) {
  if (LastPos.X == static_cast<LONG>(0x80000000u)) {
    LastPos = Msg.pt;
    Hover(Msg.pt, false);
  }
  TTBView* D = DeepestView(Root);
  while (D && !D->Selected() && D != Root) {
    D = D->ParentView();
  }
  Application->Hint = D && D->Selected() ? GetLongHint(D->Selected()->Item()->Hint()) : std::string();
}

void TTBView::RunMenuLoop(bool MouseDownStart, bool DropDown, TTBDoneActionData& DoneAction, bool TrackRightButton,
                          bool SelectFirst) {
  ValidatePositions();
  TBSetDropDownMenus(this, DropDown);
  FState.Include(vsOpen);
  const HWND CaptureWnd = FWindow->Handle();
  TBBeginCapture(CaptureWnd);
  struct TCleanUp {
    TTBView* R;
    ~TCleanUp() {
      R->FState.Exclude(vsOpen);
      TBEndCapture();
      Application->Hint.clear();
      RemoveMessages(WM_CHAR, WM_DEADCHAR);
      RemoveMessages(WM_SYSCHAR, WM_SYSDEADCHAR);
      R->CancelCapture();
    }
  } CleanUp{this};
  TTBItemEventData Data;
  Data.RootView = this;
  Data.DoneActionData = &DoneAction;
  if (MouseDownStart && FSelected) {
    const DWORD Pos = GetMessagePos();
    const TPoint C = FSelected->ScreenToClient(Point(static_cast<short>(LOWORD(Pos)), static_cast<short>(HIWORD(Pos))));
    FSelected->MouseDown(TShiftState{}, C.X, C.Y, Data);
    if (Data.Exit) {
      return;
    }
  }
  if (FState.Contains(vsDropDownMenus)) {
    OpenChildPopup(SelectFirst);
  }
  TMenuLoop Loop{this, DoneAction, Data, TrackRightButton};

  MSG Msg;
  bool Idle = false;
  while (GetCapture() == CaptureWnd) {
    if (Idle) {
      WaitMessage();
    }
    if (!PeekMessage(&Msg, 0, 0, 0, PM_NOREMOVE)) {
      Idle = true;
      continue;
    }
    Idle = false;
    Msg.pt = TBMessagePoint(Msg);
    if (Loop.ClickOutsideEnds(Msg)) {
      return;  // the click stays queued for its target
    }
    if (!PeekMessage(&Msg, 0, 0, 0, PM_REMOVE)) {
      continue;
    }
    Msg.pt = TBMessagePoint(Msg);
    const bool LeftHeld = GetKeyState(VK_LBUTTON) < 0;
    const bool ButtonHeld = LeftHeld || (TrackRightButton && GetKeyState(VK_RBUTTON) < 0);
    bool Ends = false;
    switch (Msg.message) {
      case WM_CONTEXTMENU: case 0x118: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
      case WM_MBUTTONDBLCLK:
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: Ends = Loop.HandleKeyDown(Msg, ButtonHeld); break;
      case WM_CHAR:
      case WM_SYSCHAR: Ends = Loop.HandleChar(Msg, ButtonHeld); break;
      case WM_KEYUP: case WM_SYSKEYUP: case WM_DEADCHAR: case WM_SYSDEADCHAR:
        break;
      case WM_TIMER: Loop.HandleTimer(Msg); break;
      case WM_MOUSEMOVE:
        if (Msg.pt.X != LastPos.X || Msg.pt.Y != LastPos.Y) {
          LastPos = Msg.pt;
          Loop.Hover(Msg.pt, true);
        }
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDOWN: Ends = Loop.HandleButtonDown(Msg); break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP: Ends = Loop.HandleButtonUp(Msg); break;
      default:
        DispatchMessage(&Msg);
    }
    if (Ends) {
      return;
    }
    Loop.ShowHint(Msg);
  }
}
