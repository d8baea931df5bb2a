// Forms, the application object and the screen.
#include "platform/controls/Forms.h"
#include "platform/win/SessionEnd.h"
#include "platform/classes/FormResources.h"
#include "platform/classes/Threads.h"
#include "platform/controls/Hints.h"
#include "platform/controls/Menus.h"
#include "platform/win/Desktop.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WindowInternals.h"

#include <algorithm>
#include <utility>

Z_IMPLEMENT_CLASS_PUBLISHED(TCustomForm, TWinControl, TCustomForm::Publish)
Z_IMPLEMENT_CLASS(TForm, TCustomForm)
Z_IMPLEMENT_CLASS(TApplication, TComponent)
Z_IMPLEMENT_CLASS(TScreen, TComponent)

namespace {

TControl* TheCaptureControl = nullptr;

void WindowProcException(const std::exception& E) { Application->HandleException(nullptr, &E); }

}  // namespace

TApplication* TApplicationRef::Get() {
  static TApplication* App = [] {
    auto* A = new TApplication(nullptr);
    A->AfterConstruction();
    return A;
  }();
  return App;
}

TScreen* TScreenRef::Get() {
  static TScreen* S = [] {
    auto* X = new TScreen(nullptr);
    X->AfterConstruction();
    return X;
  }();
  return S;
}

// ---- TCustomForm ------------------------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FVisible = false;
  FColor = clBtnFace;
  FParentColor = false;
  FParentFont = false;
  FWidth = 320;
  FHeight = 240;
  Screen->AddForm(this);
}

void TCustomForm::Publish(TMetaClass& Meta) {
  TPublisher<TCustomForm> P(Meta);
  P.Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
  P.Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::BorderIcons)
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  P.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::BorderStyle).Default(bsSizeable);
  P.Property("ClientHeight", &TCustomForm::ClientHeightValue, &TCustomForm::SetClientHeight);
  P.Property("ClientWidth", &TCustomForm::ClientWidthValue, &TCustomForm::SetClientWidth);
  P.Property("FormStyle", &TCustomForm::FormStyle, &TCustomForm::FormStyle).Default(fsNormal);
  P.Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::KeyPreview).Default(false);
  P.Property("Position", &TCustomForm::Position, &TCustomForm::Position).Default(poDesigned);
  P.Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(wsNormal);
  P.Property("OnActivate", &TCustomForm::OnActivate, &TCustomForm::OnActivate);
  P.Property("OnClose", &TCustomForm::OnClose, &TCustomForm::OnClose);
  P.Property("OnCloseQuery", &TCustomForm::OnCloseQuery, &TCustomForm::OnCloseQuery);
  P.Property("OnCreate", &TCustomForm::OnCreate, &TCustomForm::OnCreate);
  P.Property("OnDeactivate", &TCustomForm::OnDeactivate, &TCustomForm::OnDeactivate);
  P.Property("OnDestroy", &TCustomForm::OnDestroy, &TCustomForm::OnDestroy);
  P.Property("OnHide", &TCustomForm::OnHide, &TCustomForm::OnHide);
  P.Property("OnShow", &TCustomForm::OnShow, &TCustomForm::OnShow);
}

void TCustomForm::AfterConstruction() {
  // The class library's forms read their layout here; forms made with CreateNew (plain TForm) have none.
  if (ClassType() != TForm::StaticClass() && ClassType() != TCustomForm::StaticClass()) {
    InitInheritedComponent(this, TCustomForm::StaticClass());
  }
  inherited::AfterConstruction();
  if (OnCreate) {
    OnCreate(this);
  }
  if (FVisibleAfterCreate) {
    FVisibleAfterCreate = false;
    Show();
  }
}

void TCustomForm::SetVisible(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    FVisibleAfterCreate = Value;
    return;
  }
  TWinControl::SetVisible(Value);
}

namespace {

// The frame a form's styles put around its client area, without a window to ask.
TPoint FrameOf(DWORD Style, DWORD ExStyle) {
  TRect R = Rect(0, 0, 100, 100);
  AdjustWindowRectEx(&R, Style, FALSE, ExStyle);
  return Point(R.Width() - 100, R.Height() - 100);
}

}  // namespace

TRect TCustomForm::ClientRect() {
  if (HandleAllocated()) {
    return TWinControl::ClientRect();
  }
  TCreateParams Params;
  CreateParams(Params);
  TPoint F = FrameOf(Params.Style, Params.ExStyle);
  return Rect(0, 0, std::max(FWidth - F.X, 0), std::max(FHeight - F.Y, 0));
}

void TCustomForm::SetClientWidth(int Value) {
  if (ComponentState().Contains(csReading)) {
    FLoadedClientWidth = Value;
  } else if (HandleAllocated()) {
    TWinControl::SetClientWidth(Value);
  } else {
    TCreateParams Params;
    CreateParams(Params);
    SetWidth(Value + FrameOf(Params.Style, Params.ExStyle).X);
  }
}

void TCustomForm::SetClientHeight(int Value) {
  if (ComponentState().Contains(csReading)) {
    FLoadedClientHeight = Value;
  } else if (HandleAllocated()) {
    TWinControl::SetClientHeight(Value);
  } else {
    TCreateParams Params;
    CreateParams(Params);
    SetHeight(Value + FrameOf(Params.Style, Params.ExStyle).Y);
  }
}

void TCustomForm::Loaded() {
  // The client size needs the border style, which the layout may give after it.
  if (FLoadedClientWidth >= 0) {
    SetClientWidth(std::exchange(FLoadedClientWidth, -1));
  }
  if (FLoadedClientHeight >= 0) {
    SetClientHeight(std::exchange(FLoadedClientHeight, -1));
  }
  TWinControl::Loaded();
}

void TCustomForm::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (int I = 0; I < ComponentCount(); ++I) {
    TComponent* C = Components(I);
    // Components that belong under another (actions in their list, menu items in their menu) are written there;
    // a control without a parent is written here.
    auto* Control = dynamic_cast<TControl*>(C);
    if (Control ? !Control->Parent() : !C->HasParent()) {
      Proc(C);
    }
  }
  TWinControl::GetChildren(Proc, Root);
}

void TCustomForm::BeforeDestruction() {
  if (OnDestroy && !ComponentState().Contains(csDestroying)) {
    OnDestroy(this);
  }
  Screen->RemoveForm(this);
  Application->FormDestroyed(this);
  inherited::BeforeDestruction();
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style &= ~(WS_CHILD | WS_CLIPSIBLINGS);
  Params.WndParent = Application->Handle();
  switch (BorderStyle) {
    case bsNone: Params.Style |= WS_POPUP; break;
    case bsSingle: case bsToolWindow: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: case bsSizeToolWin: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (BorderStyle == bsToolWindow || BorderStyle == bsSizeToolWin) {
    Params.ExStyle |= WS_EX_TOOLWINDOW;
  }
  if (BorderStyle != bsNone && BorderIcons.Contains(biSystemMenu)) {
    Params.Style |= WS_SYSMENU;
    if (BorderStyle != bsDialog && BorderIcons.Contains(biMinimize)) {
      Params.Style |= WS_MINIMIZEBOX;
    }
    if (BorderStyle != bsDialog && BorderIcons.Contains(biMaximize)) {
      Params.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (FormStyle == fsStayOnTop) {
    Params.ExStyle |= WS_EX_TOPMOST;
  }
  // Where the form first appears.
  auto CenterOn = [&](const TRect& R) {
    Params.X = R.Left + (R.Width() - Params.Width) / 2;
    Params.Y = R.Top + (R.Height() - Params.Height) / 2;
  };
  TCustomForm* Over = nullptr;
  switch (Position) {
    case poScreenCenter: case poDesktopCenter: CenterOn(Screen->WorkAreaRect()); break;
    case poOwnerFormCenter:
      Over = dynamic_cast<TCustomForm*>(Owner());
      [[fallthrough]];
    case poMainFormCenter:
      if (!Over) {
        Over = Application->MainForm();
      }
      if (Over && Over != this && Over->HandleAllocated()) {
        TRect R;
        GetWindowRect(Over->Handle(), &R);
        CenterOn(R);
      } else {
        CenterOn(Screen->WorkAreaRect());
      }
      break;
    case poDefault: Params.X = Params.Y = Params.Width = Params.Height = CW_USEDEFAULT; break;
    case poDefaultPosOnly: Params.X = Params.Y = CW_USEDEFAULT; break;
    case poDefaultSizeOnly: Params.Width = Params.Height = CW_USEDEFAULT; break;
    default: break;
  }
  Params.WindowClass.style = CS_DBLCLKS;
}

void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) {
    BringWindowToTop(Handle());
  }
}

TWindowState TCustomForm::WindowState() const {
  if (FHandle) {
    return IsIconic(FHandle) ? wsMinimized : IsZoomed(FHandle) ? wsMaximized : wsNormal;
  }
  return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (FHandle && Showing()) {
    ::ShowWindow(FHandle, Value == wsMinimized ? SW_MINIMIZE : Value == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
  }
}

int TCustomForm::ShowCommand() {
  switch (FWindowState) {
    case wsMinimized: return SW_SHOWMINIMIZED;
    case wsMaximized: return SW_SHOWMAXIMIZED;
    default: return SW_SHOW;
  }
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || FModal) {
    throw EInvalidOperation("Cannot make a visible window modal");
  }
  if (GetCapture()) {
    SendMessage(GetCapture(), WM_CANCELMODE, 0, 0);
  }
  ReleaseCapture();
  // Every other enabled top-level window of the thread waits while the form is up.
  std::vector<HWND> Disabled;
  EnumThreadWindows(GetCurrentThreadId(), [](HWND W, LPARAM L) {
    if (IsWindowVisible(W) && IsWindowEnabled(W)) {
      reinterpret_cast<std::vector<HWND>*>(L)->push_back(W);
    }
    return TRUE;
  }, reinterpret_cast<LPARAM>(&Disabled));
  HWND ActiveBefore = GetActiveWindow();
  for (HWND W : Disabled) {
    EnableWindow(W, FALSE);
  }
  FModal = true;
  ModalResult = mrNone;
  TModalResult Result = mrNone;
  try {
    Show();
    SendMessage(Handle(), CM_ACTIVATE, 0, 0);
    do {
      Application->HandleMessage();
      if (Application->Terminated()) {
        ModalResult = mrCancel;
      } else if (ModalResult != mrNone) {
        // Closing may be refused (OnCloseQuery) or the result reset by OnClose (caNone).
        TCloseAction Action = caNone;
        if (CloseQuery()) {
          Action = caHide;
          DoClose(Action);
        }
        if (Action == caNone) {
          ModalResult = mrNone;
        }
      }
    } while (ModalResult == mrNone);
    Result = ModalResult;
    SendMessage(Handle(), CM_DEACTIVATE, 0, 0);
  } catch (...) {
    FModal = false;
    for (HWND W : Disabled) {
      EnableWindow(W, TRUE);
    }
    throw;
  }
  FModal = false;
  for (HWND W : Disabled) {
    EnableWindow(W, TRUE);
  }
  Hide();
  if (IsWindow(ActiveBefore)) {
    SetActiveWindow(ActiveBefore);
  }
  return Result;
}

bool TCustomForm::CloseQuery() {
  bool CanClose = true;
  if (OnCloseQuery) {
    OnCloseQuery(this, CanClose);
  }
  return CanClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) {
    OnClose(this, Action);
  }
}

void TCustomForm::Close() {
  if (FModal) {
    ModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) {
    return;
  }
  TCloseAction Action = caHide;
  DoClose(Action);
  if (Action == caNone) {
    return;
  }
  if (this == Application->MainForm()) {
    Application->Terminate();
    return;
  }
  switch (Action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
  }
}

void TCustomForm::Release() {
  if (HandleAllocated()) {
    PostMessage(Handle(), CM_RELEASE, 0, 0);
  } else {
    delete this;
  }
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  FActiveControl = Control;
  if (Control && FActive && Control->CanFocus()) {
    ::SetFocus(Control->Handle());
  }
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (FFocusedControl == Control) {
    FActiveControl = Control;
    return true;
  }
  TWinControl* Old = FFocusedControl;
  FFocusedControl = Control;
  FActiveControl = Control;
  if (Screen->OnActiveControlChange) {
    Screen->OnActiveControlChange(Screen);
  }
  if (Old) {
    Old->Perform(CM_EXIT, 0, 0);
  }
  if (Control && FFocusedControl == Control) {
    Control->Perform(CM_ENTER, 0, 0);
  }
  return FFocusedControl == Control;
}

void TCustomForm::FocusControl(TWinControl* Control) {
  FActiveControl = Control;
  if (Control && Control->CanFocus()) {
    ::SetFocus(Control->Handle());
  }
}

bool TCustomForm::IsShortCut(TWMKey& Message) {
  bool Handled = false;
  if (OnShortCut) {
    OnShortCut(Message, Handled);
  }
  // Then the form's main menu and the action lists it owns (Menus.h).
  return Handled || FormIsShortCut(this, Message);
}

void TCustomForm::Activate() {
  if (OnActivate) {
    OnActivate(this);
  }
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) {
    OnDeactivate(this);
  }
}

void TCustomForm::SetActive(bool Value) {
  if (FActive == Value) {
    return;
  }
  FActive = Value;
  if (Value && Screen->OnActiveFormChange) {
    Screen->OnActiveFormChange(Screen);
  }
  if (Value) {
    Activate();
  } else {
    Deactivate();
  }
}

void TCustomForm::CMDialogKey(TWMKey& Message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (Message.CharCode) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        if (FActiveControl && FActiveControl->Parent()) {
          FActiveControl->Parent()->SelectNext(FActiveControl, Message.CharCode == VK_RIGHT || Message.CharCode == VK_DOWN,
                                              false);
          Message.Result = 1;
          return;
        }
        break;
      default: break;
    }
  }
  // Other keys (Return, Escape) go on to every control of the form: a default or cancel button takes them.
  std::function<bool(TWinControl*)> Broadcast = [&](TWinControl* Container) {
    for (int I = 0; I < Container->ControlCount(); ++I) {
      TControl* C = Container->Controls(I);
      if (C->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData) != 0) {
        return true;
      }
      if (auto* W = dynamic_cast<TWinControl*>(C); W && Broadcast(W)) {
        return true;
      }
    }
    return false;
  };
  Message.Result = Broadcast(this) ? 1 : 0;
}

void TCustomForm::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SETFOCUS && FActiveControl && FActiveControl != this && FActiveControl->CanFocus()) {
    // The form passes the focus on to its active control.
    ::SetFocus(FActiveControl->Handle());
    return;
  }
  TWinControl::WndProc(Message);
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE: {
      bool Now = LOWORD(Message.WParam) != WA_INACTIVE;
      SetActive(Now);
      if (Now && !HIWORD(Message.WParam)) {
        TWinControl* Target = FActiveControl && FActiveControl->CanFocus() ? FActiveControl : nullptr;
        if (Target) {
          HWND F = GetFocus();
          if (F != Target->Handle()) {
            ::SetFocus(Target->Handle());
          }
          return;
        }
      }
      TWinControl::Dispatch(Message);
      return;
    }
    case WM_CLOSE:
      Close();
      return;
    case WM_QUERYENDSESSION:
      Message.Result = CloseQuery() ? 1 : 0;
      return;
    case WM_GETMINMAXINFO: {
      TWinControl::Dispatch(Message);
      auto* MM = reinterpret_cast<MINMAXINFO*>(Message.LParam);
      const TSizeConstraints* C = Constraints();
      if (MM && C) {
        if (C->MinWidth() > 0) MM->ptMinTrackSize.X = C->MinWidth();
        if (C->MinHeight() > 0) MM->ptMinTrackSize.Y = C->MinHeight();
        if (C->MaxWidth() > 0) MM->ptMaxTrackSize.X = C->MaxWidth();
        if (C->MaxHeight() > 0) MM->ptMaxTrackSize.Y = C->MaxHeight();
      }
      return;
    }
    case WM_SIZE:
      TWinControl::Dispatch(Message);
      // The state follows the window once it is on screen (before that, WindowState says how to show it).
      if (FHandle && IsWindowVisible(FHandle)) {
        FWindowState = IsIconic(FHandle) ? wsMinimized : IsZoomed(FHandle) ? wsMaximized : wsNormal;
      }
      if (Application->MainForm() == this) {
        Application->MainFormSized(Message.WParam);
      }
      return;
    case WM_SYSCOMMAND:
      if ((Message.WParam & 0xFFF0) == SC_KEYMENU && Application->HandleAllocated() &&
          SendMessage(Application->Handle(), CM_APPSYSCOMMAND, 0, reinterpret_cast<LPARAM>(&Message)) != 0) {
        return;
      }
      TWinControl::Dispatch(Message);
      return;
    case CM_DIALOGKEY:
      CMDialogKey(MessageAs<TWMKey>(Message));
      return;
    case CM_RELEASE:
      delete this;
      return;
    case CM_SHOWINGCHANGED:
      if (Showing()) {
        if (OnShow) {
          OnShow(this);
        }
      } else if (OnHide) {
        OnHide(this);
      }
      return;
    case CM_ACTIVATE:
    case CM_DEACTIVATE:
      return;
    default:
      TWinControl::Dispatch(Message);
      return;
  }
}

// ---- TApplication -----------------------------------------------------------------------------------------------

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  SetWindowExceptionHandler(&WindowProcException);
  WakeMainThread = [](TObject*) {
    if (Application->HandleAllocated()) {
      PostMessage(Application->Handle(), WM_NULL, 0, 0);
    }
  };
  SessionEnd::SetQueryHandler([this] { return QueryEndSession(); });
}

void TApplication::BeforeDestruction() {
  SessionEnd::SetQueryHandler(nullptr);
  inherited::BeforeDestruction();
  if (FHandle) {
    DestroyWindow(FHandle);
  }
  if (FObjectInstance) {
    FreeObjectInstance(FObjectInstance);
  }
}

HWND TApplication::Handle() {
  if (!FHandle) {
    static const char* ClassName = "TApplication";
    WNDCLASS Existing;
    if (!GetClassInfo(nullptr, ClassName, &Existing)) {
      WNDCLASS WC;
      WC.lpfnWndProc = &DefWindowProc;
      WC.lpszClassName = ClassName;
      RegisterClass(&WC);
    }
    FHandle = CreateWindowEx(WS_EX_TOOLWINDOW, ClassName, Title.c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS |
                             WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, 0, 0, nullptr, nullptr);
    FObjectInstance = MakeObjectInstance([this](TMessage& M) {
      try {
        WndProc(M);
      } catch (const std::exception& E) {
        HandleException(this, &E);
      }
    });
    SetWindowLongPtr(FHandle, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInstance));
  }
  return FHandle;
}

void TApplication::WndProc(TMessage& Message) {
  for (auto Hooks = FHooks; auto& [Id, Hook] : Hooks) {
    if (Hook(Message)) {
      return;
    }
  }
  switch (Message.Msg) {
    case CM_APPKEYDOWN:
      Message.Result = IsShortCut(MessageAs<TWMKey>(Message)) ? 1 : 0;
      return;
    case CM_APPSYSCOMMAND:
      Message.Result = 0;
      return;
    case WM_ACTIVATEAPP:
      // As the class library does, the application window also tells itself (and its hooks) afterwards.
      PostMessage(FHandle, Message.WParam ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
      if (Message.WParam) {
        if (OnActivate) OnActivate(this);
      } else if (OnDeactivate) {
        OnDeactivate(this);
      }
      return;
    case WM_CLOSE:
      if (FMainForm) {
        FMainForm->Close();
      }
      return;
    case WM_LAYER_TERMINATE:
      if (FMainForm && FMainForm->HandleAllocated()) {
        SendMessage(FMainForm->Handle(), WM_CLOSE, 0, 0);
      } else {
        Terminate();
      }
      SessionEnd::Handled();
      return;
    default:
      Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
      return;
  }
}

int TApplication::HookMainWindow(TWindowHook Hook) {
  int Id = FNextHookId++;
  FHooks.emplace_back(Id, std::move(Hook));
  return Id;
}

void TApplication::UnhookMainWindow(int HookId) {
  FHooks.erase(std::remove_if(FHooks.begin(), FHooks.end(), [&](auto& H) { return H.first == HookId; }),
               FHooks.end());
}

bool TApplication::IsShortCut(TWMKey& Message) {
  bool Handled = false;
  if (OnShortCut) {
    OnShortCut(Message, Handled);
  }
  if (!Handled && FMainForm && FMainForm->HandleAllocated() && IsWindowEnabled(FMainForm->Handle()) &&
      GetParentForm(FindControl(GetFocus())) != FMainForm) {
    Handled = FMainForm->IsShortCut(Message);
  }
  return Handled;
}

bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST || GetCapture()) {
    return false;
  }
  // The key goes first to the control it is for, as CN_ message (shortcuts, dialog keys).
  HWND Wnd = Msg.hwnd;
  while (Wnd && !FindControl(Wnd)) {
    Wnd = GetParent(Wnd);
  }
  if (!Wnd) {
    return false;
  }
  return SendMessage(Msg.hwnd == Wnd ? Wnd : Msg.hwnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessage(&Msg, 0, 0, 0, PM_REMOVE)) {
    return false;
  }
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  bool Handled = false;
  if (OnMessage) {
    OnMessage(Msg, Handled);
  }
  if (!Handled && DragMessage(Msg)) {
    Handled = true;
  }
  if (!Handled && !IsKeyMsg(Msg)) {
    TranslateMessage(&Msg);
    DispatchMessage(&Msg);
  }
  return true;
}

void TApplication::DoMouseIdle() {
  TPoint P;
  GetCursorPos(&P);
  TControl* Under = nullptr;
  HWND Wnd = WindowFromPoint(P);
  if (TWinControl* W = FindControl(Wnd)) {
    Under = W;
    TPoint C = W->ScreenToClient(P);
    for (int I = W->ControlCount() - 1; I >= 0; --I) {
      TControl* Child = W->Controls(I);
      TRect B = Child->BoundsRect();
      if (!dynamic_cast<TWinControl*>(Child) && Child->Visible() && C.X >= B.Left && C.X < B.Right &&
          C.Y >= B.Top && C.Y < B.Bottom) {
        Under = Child;
        break;
      }
    }
  }
  if (Under != FMouseControl) {
    TControl* Old = FMouseControl;
    FMouseControl = Under;
    if (Old) {
      Old->Perform(CM_MOUSELEAVE, 0, 0);
    }
    if (Under && FMouseControl == Under) {
      Under->Perform(CM_MOUSEENTER, 0, 0);
    }
  }
}

void TApplication::ControlDestroyed(TControl* Control) {
  if (FMouseControl == Control) {
    FMouseControl = nullptr;
  }
  if (TheCaptureControl == Control) {
    TheCaptureControl = nullptr;
  }
}

void TApplication::Idle() {
  DoMouseIdle();
  bool Done = true;
  try {
    if (OnIdle) {
      OnIdle(this, Done);
    }
    if (Done) {
      // Menu items and their actions refresh their state while nothing else is waiting.
      UpdateFormActions();
    }
  } catch (const std::exception& E) {
    HandleException(this, &E);
  }
  if (GetCurrentThreadId() == MainThreadID && CheckSynchronize()) {
    Done = false;
  }
  if (Done) {
    WaitMessage();
  }
}

void TApplication::HandleMessage() {
  MSG Msg;
  if (!ProcessMessage(Msg)) {
    Idle();
  }
}

void TApplication::ProcessMessages() {
  MSG Msg;
  while (ProcessMessage(Msg)) {
  }
}

void TApplication::Run() {
  FTerminated = false;
  Hints().Install();
  if (FMainForm && ShowMainForm) {
    FMainForm->Show();
  }
  // While the loop runs, SIGTERM, SIGHUP and SIGINT close the main form through it, with its close query.
  const bool CatchSignals = !SessionEnd::Started() && SessionEnd::Start(Handle(), WM_LAYER_TERMINATE);
  do {
    try {
      HandleMessage();
    } catch (const std::exception& E) {
      HandleException(this, &E);
    }
  } while (!FTerminated);
  if (CatchSignals) {
    SessionEnd::Stop();
  }
}

bool TApplication::QueryEndSession() {
  bool MayEnd = true;
  if (FMainForm && FMainForm->HandleAllocated()) {
    MayEnd = SendMessage(FMainForm->Handle(), WM_QUERYENDSESSION, 0, 0) != 0;
  }
  if (MayEnd) {
    Terminate();
  }
  return MayEnd;
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleException(TObject* Sender, const std::exception* E) {
  if (!E) {
    static const std::runtime_error Unknown("Unknown exception");
    E = &Unknown;
  }
  if (dynamic_cast<const EAbort*>(E)) {
    return;  // silent, as the class library's EAbort is
  }
  if (OnException) {
    OnException(Sender, *E);
  } else {
    ShowException(*E);
  }
}

void TApplication::ShowException(const std::exception& E) {
  LastExceptionMessage = E.what();
  std::string Msg = E.what();
  if (!Msg.empty() && Msg.back() > '.') {
    Msg += '.';
  }
  MessageBox(Msg, Title, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
  HWND Owner = FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : Handle();
  return ::MessageBox(Owner, Text.c_str(), (Caption.empty() ? Title : Caption).c_str(), Flags);
}

void TApplication::Minimize() {
  if (FMainForm && FMainForm->HandleAllocated() && !IsIconic(FMainForm->Handle())) {
    ShowWindow(FMainForm->Handle(), SW_MINIMIZE);  // WM_SIZE tells MainFormSized
  } else if (!FMinimized) {
    MainFormSized(SIZE_MINIMIZED);
  }
}

void TApplication::Restore() {
  if (FMainForm && FMainForm->HandleAllocated() && IsIconic(FMainForm->Handle())) {
    ShowWindow(FMainForm->Handle(), SW_RESTORE);
  } else if (FMinimized) {
    MainFormSized(SIZE_RESTORED);
  }
}

void TApplication::MainFormSized(WPARAM Kind) {
  bool Now = Kind == SIZE_MINIMIZED;
  if (Now == FMinimized) {
    return;
  }
  FMinimized = Now;
  TNotifyEvent& Event = Now ? OnMinimize : OnRestore;
  if (Event) {
    Event(this);
  }
}

bool TApplication::DoHelp(UINT Command, NativeInt Data, const std::string& Text) {
  HelpRequests.push_back(THelpRequest{HelpFile, Command, Data, Text});
  bool CallHelp = true;
  bool Result = false;
  if (OnHelp) {
    Result = OnHelp(Command, Data, CallHelp);
  }
  if (CallHelp) {
    HWND Wnd = FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : Handle();
    UINT_PTR Arg = Text.empty() ? static_cast<UINT_PTR>(Data) : reinterpret_cast<UINT_PTR>(Text.c_str());
    Result = !HelpFile.empty() && WinHelp(Wnd, HelpFile.c_str(), Command, Arg);
  }
  return Result;
}

bool TApplication::HelpCommand(UINT Command, NativeInt Data) { return DoHelp(Command, Data, {}); }

bool TApplication::HelpContext(int Context) { return DoHelp(HELP_CONTEXT, Context, {}); }

bool TApplication::HelpJump(const std::string& JumpId) { return DoHelp(HELP_COMMAND, 0, "JumpID(\"\",\"" + JumpId + "\")"); }

bool TApplication::HelpKeyword(const std::string& Keyword) { return DoHelp(HELP_KEY, 0, Keyword); }

TControl* TApplication::CaptureControl() { return TheCaptureControl; }

void TApplication::SetCaptureControl(TControl* Control) { TheCaptureControl = Control; }

void TApplication::FormDestroyed(TCustomForm* Form) {
  if (FMainForm == Form) {
    FMainForm = nullptr;
  }
  if (TheCaptureControl && GetParentForm(TheCaptureControl) == Form) {
    TheCaptureControl = nullptr;
  }
}

// ---- TScreen ----------------------------------------------------------------------------------------------------

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

void TScreen::BeforeDestruction() {
  delete FFonts;
  FFonts = nullptr;
  inherited::BeforeDestruction();
}

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount()) {
    throw EListError(Format(RtlConsts::SListIndexError, {Index}));
  }
  std::vector<HWND> Order = WindowSystem::TopLevelWindows();
  auto Rank = [&](TCustomForm* F) -> std::size_t {
    if (F->HandleAllocated() && IsWindowVisible(F->Handle())) {
      auto It = std::find(Order.begin(), Order.end(), F->Handle());
      return static_cast<std::size_t>(It - Order.begin());
    }
    return Order.size();
  };
  std::vector<TCustomForm*> Sorted = FForms;
  std::stable_sort(Sorted.begin(), Sorted.end(), [&](TCustomForm* A, TCustomForm* B) { return Rank(A) < Rank(B); });
  return Sorted[static_cast<std::size_t>(Index)];
}

TCustomForm* TScreen::ActiveForm() const {
  HWND A = GetActiveWindow();
  for (TCustomForm* F : FForms) {
    if (F->HandleAllocated() && F->Handle() == A) {
      return F;
    }
  }
  return nullptr;
}

TWinControl* TScreen::ActiveControl() const { return FindControl(GetFocus()); }

void TScreen::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
}

TRect TScreen::WorkAreaRect() const {
  if (const TRect T = ScreenRectForTests(); T.Right > T.Left && T.Bottom > T.Top) {
    return T;
  }
  if (auto* B = WindowBackend()) {
    return B->ScreenRect();
  }
  return Rect(0, 0, Width(), Height());
}

void TScreen::SetCursor(TCursor Value) {
  if (FCursor == Value) {
    return;
  }
  FCursor = Value;
  if (Value != crDefault) {
    ::SetCursor(Cursors(Value));
    return;
  }
  // Back to the windows' own cursors: the window under the pointer chooses again.
  TPoint P;
  GetCursorPos(&P);
  if (HWND W = WindowFromPoint(P)) {
    LRESULT Hit = SendMessage(W, WM_NCHITTEST, 0, MAKELONG(static_cast<WORD>(P.X), static_cast<WORD>(P.Y)));
    if (SendMessage(W, WM_SETCURSOR, W, MAKELONG(static_cast<WORD>(Hit), static_cast<WORD>(WM_MOUSEMOVE))) == 0) {
      ::SetCursor(CursorOfTCursor(crArrow));
    }
  } else {
    ::SetCursor(CursorOfTCursor(crArrow));
  }
}

HCURSOR TScreen::Cursors(int Index) const {
  auto It = FCursors.find(Index);
  if (It != FCursors.end()) {
    return It->second;
  }
  if (Index == crNone) {
    return 0;
  }
  HCURSOR C = CursorOfTCursor(static_cast<TCursor>(Index));
  return C ? C : CursorOfTCursor(crArrow);
}

void TScreen::SetCursors(int Index, HCURSOR Handle) {
  if (Handle) {
    FCursors[Index] = Handle;
  } else {
    FCursors.erase(Index);
  }
}

TStrings* TScreen::Fonts() {
  if (!FFonts) {
    FFonts = new TStringList;
    FFonts->SetSorted(true);
    FFonts->SetDuplicates(dupIgnore);
    if (auto* B = WindowBackend()) {
      for (const std::string& F : B->FontFamilies()) {
        FFonts->Add(F);
      }
    }
  }
  return FFonts;
}

void TScreen::ResetFonts() {
  delete FFonts;
  FFonts = nullptr;
}

// ---- TMouse -----------------------------------------------------------------------------------------------------

TMouse* TMouseRef::Get() {
  static auto* M = new TMouse;
  return M;
}

TPoint TMouse::CursorPos() const {
  TPoint P;
  GetCursorPos(&P);
  return P;
}

void TMouse::SetCursorPos(TPoint Value) { ::SetCursorPos(Value.X, Value.Y); }

void TMouse::SetCapture(HWND Value) {
  if (Value) {
    ::SetCapture(Value);
  } else {
    ReleaseCapture();
  }
}
