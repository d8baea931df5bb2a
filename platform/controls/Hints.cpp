// The hint window and the application's hint cycle.
#include "platform/controls/Hints.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/Clock.h"
#include "platform/win/WinHooks.h"

Z_IMPLEMENT_CLASS(THintWindow, TCustomControl)

namespace {
constexpr UINT_PTR ShowTimer = 1;
constexpr UINT_PTR HideTimer = 2;
constexpr UINT_PTR ReshowTimer = 3;

// The hint font: the screen's hint font of the platform (8 points of the default face).
void UseHintFont(TCanvas& C) { C.Font()->SetColor(clInfoText); }
}  // namespace

// ---- THintWindow ------------------------------------------------------------------------------------------------

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clInfoBk);
  SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WindowClass.style |= CS_SAVEBITS;
  Params.WndParent = 0;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) {
  (void)AData;
  HDC DC = CreateCompatibleDC(0);
  TCanvas C;
  C.SetHandle(DC);
  C.SetFont(Font());
  TRect R = Rect(0, 0, MaxWidth, 0);
  DrawText(C.Handle(), AHint.c_str(), -1, &R, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  C.SetHandle(0);
  DeleteDC(DC);
  R.Right += 6;
  R.Bottom += 2;
  return R;
}

void THintWindow::ActivateHint(TRect Rect, const std::string& AHint) {
  SetCaption(AHint);
  // Kept on the screen, as the platform keeps popups.
  const int ScreenW = GetSystemMetrics(SM_CXSCREEN);
  const int ScreenH = GetSystemMetrics(SM_CYSCREEN);
  if (Rect.Right > ScreenW) {
    Rect = ::Rect(ScreenW - Rect.Width(), Rect.Top, ScreenW, Rect.Bottom);
  }
  if (Rect.Bottom > ScreenH) {
    Rect = ::Rect(Rect.Left, ScreenH - Rect.Height(), Rect.Right, ScreenH);
  }
  if (Rect.Left < 0) {
    Rect = ::Rect(0, Rect.Top, Rect.Width(), Rect.Bottom);
  }
  SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  SetWindowPos(Handle(), HWND_TOPMOST, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FVisible = true;
  Invalidate();
}

void THintWindow::ActivateHintData(TRect Rect, const std::string& AHint, void* AData) {
  (void)AData;
  ActivateHint(Rect, AHint);
}

bool THintWindow::IsHintMsg(const MSG& Msg) {
  return (Msg.message >= WM_KEYFIRST && Msg.message <= WM_KEYLAST) ||
         (Msg.message >= WM_LBUTTONDOWN && Msg.message <= WM_MOUSELAST && Msg.message != WM_MOUSEMOVE) ||
         (Msg.message >= WM_NCLBUTTONDOWN && Msg.message <= WM_NCMBUTTONDBLCLK) || Msg.message == WM_ACTIVATE ||
         Msg.message == WM_ACTIVATEAPP;
}

void THintWindow::ReleaseHandle() {
  if (HandleAllocated()) {
    ShowWindow(Handle(), SW_HIDE);
  }
  FVisible = false;
  DestroyHandle();
}

void THintWindow::Paint() {
  HDC DC = GetDC(Handle());
  TCanvas C;
  C.SetHandle(DC);
  C.SetFont(Font());
  UseHintFont(C);
  TRect R = ClientRect();
  C.Brush()->SetColor(Color());
  C.FillRect(R);
  R = Rect(R.Left + 2, R.Top + 2, R.Right, R.Bottom);
  SetBkMode(C.Handle(), TRANSPARENT);
  const std::string Text = Caption();
  DrawText(C.Handle(), Text.c_str(), -1, &R, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
  C.SetHandle(0);
  ReleaseDC(Handle(), DC);
  TCustomControl::Paint();
}

void THintWindow::NCPaint(HDC DC) {
  TRect R;
  GetWindowRect(Handle(), &R);
  R = Rect(0, 0, R.Width(), R.Height());
  TCanvas C;
  C.SetHandle(DC);
  C.Brush()->SetColor(clWindowFrame);
  C.FrameRect(R);
  C.SetHandle(0);
}

void THintWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST:
      Message.Result = HTTRANSPARENT;
      return;
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      return;
    case WM_NCPAINT: {
      HDC DC = GetWindowDC(Handle());
      NCPaint(DC);
      ReleaseDC(Handle(), DC);
      Message.Result = 0;
      return;
    }
    default:
      break;
  }
  TCustomControl::Dispatch(Message);
}

// ---- The hint cycle ---------------------------------------------------------------------------------------------

std::string GetHintOf(TControl* Control) {
  for (TControl* C = Control; C; C = C->Parent()) {
    if (!C->Hint.empty()) {
      return GetShortHint(C->Hint);
    }
  }
  return {};
}

namespace {

// Screen and client coordinates through the window of the control (or of its parent for a windowless one).
TPoint ToClient(TControl* C, TPoint P) {
  if (auto* W = dynamic_cast<TWinControl*>(C); W && W->HandleAllocated()) {
    ::ScreenToClient(W->Handle(), &P);
    return P;
  }
  if (TWinControl* Parent = C->Parent(); Parent && Parent->HandleAllocated()) {
    ::ScreenToClient(Parent->Handle(), &P);
    return Point(P.X - C->Left(), P.Y - C->Top());
  }
  return C->ScreenToClient(P);
}

TPoint ToScreen(TControl* C, TPoint P) {
  const TPoint Origin = ToClient(C, Point(0, 0));
  return Point(P.X - Origin.X, P.Y - Origin.Y);
}

TControl* ControlAt(HWND Wnd, TPoint ScreenPos) {
  TWinControl* W = FindControl(Wnd);
  while (!W && Wnd) {
    Wnd = GetParent(Wnd);
    W = FindControl(Wnd);
  }
  if (!W) {
    return nullptr;
  }
  if (TControl* Child = W->ControlAtPos(ToClient(W, ScreenPos))) {
    return Child;
  }
  return W;
}

// The control whose hint shows over C: the nearest of C and its parents with ShowHint on (null: none). A
// hint shows when it, or a parent of it, has hint text.
TControl* HintControlOf(TControl* C) {
  while (C && !C->ShowHint()) {
    C = C->Parent();
  }
  if (C && C->ComponentState().Contains(csDesigning)) {
    return nullptr;
  }
  return C;
}

bool WantsHint(TControl* C) {
  return C && Hints().ShowHint && Application->ShowHint && !GetHintOf(C).empty();
}

LRESULT MouseHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code >= 0) {
    const auto* M = reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
    const UINT Msg = static_cast<UINT>(WParam);
    if (Msg == WM_MOUSEMOVE || Msg == WM_NCMOUSEMOVE) {
      Hints().HintMouseMessage(M->hwnd, M->pt);
    } else if (Msg != WM_MOUSEWHEEL) {
      Hints().CancelHint();
    }
  }
  return CallNextHookEx(0, Code, WParam, LParam);
}

LRESULT KeyHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code >= 0) {
    Hints().CancelHint();
  }
  return CallNextHookEx(0, Code, WParam, LParam);
}

}  // namespace

THintManager::THintManager() : HintColor(clInfoBk) {
  FWindow = AllocateHWnd([this](TMessage& M) { WndProc(M); });
}

THintManager::~THintManager() {
  Uninstall();
  if (FWindow) {
    DeallocateHWnd(FWindow);
  }
}

void THintManager::Install() {
  if (!FMouseHook) {
    FMouseHook = SetWindowsHookEx(WH_MOUSE, &MouseHook, nullptr, GetCurrentThreadId());
    FKeyHook = SetWindowsHookEx(WH_KEYBOARD, &KeyHook, nullptr, GetCurrentThreadId());
  }
}

void THintManager::Uninstall() {
  if (FMouseHook) {
    UnhookWindowsHookEx(FMouseHook);
    UnhookWindowsHookEx(FKeyHook);
    FMouseHook = FKeyHook = 0;
  }
}

bool THintManager::HintShowing() const { return FHintWindow && FHintWindow->HandleAllocated() && FHintWindow->Visible(); }

void THintManager::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    try {
      TimerExpired(Message.WParam);
    } catch (const std::exception& E) {
      Application->HandleException(nullptr, &E);
    }
    return;
  }
  Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
}

void THintManager::HintMouseMessage(HWND Wnd, TPoint CursorPos) {
  TControl* Control = HintControlOf(ControlAt(Wnd, CursorPos));
  if (HintShowing()) {
    if (Control == FHintControl && CursorPos.X >= FCursorRect.Left && CursorPos.X < FCursorRect.Right &&
        CursorPos.Y >= FCursorRect.Top && CursorPos.Y < FCursorRect.Bottom) {
      return;  // still over the hinted area
    }
    HideHint();
  }
  if (Control != FHintControl || !FActive) {
    FHintControl = Control;
    KillTimer(FWindow, ShowTimer);
    FActive = WantsHint(Control);
    if (FActive) {
      // Right after another hint went, the next one comes quicker.
      const bool Recent = FLastHideTick != 0 && GetTickCount() - FLastHideTick < static_cast<DWORD>(HintHidePause);
      SetTimer(FWindow, ShowTimer, static_cast<UINT>(Recent ? HintShortPause : HintPause), nullptr);
    }
  }
}

void THintManager::TimerExpired(UINT_PTR Id) {
  KillTimer(FWindow, Id);
  if (Id == HideTimer) {
    HideHint();
    return;
  }
  TPoint P;
  GetCursorPos(&P);
  ActivateHint(P);
}

bool THintManager::ActivateHint(TPoint CursorPos) {
  TControl* Control = HintControlOf(ControlAt(WindowFromPoint(CursorPos), CursorPos));
  if (!WantsHint(Control)) {
    return false;
  }
  FHintControl = Control;
  THintInfo Info;
  Info.HintControl = Control;
  Info.HintStr = GetHintOf(Control);
  Info.HintColor = HintColor;
  Info.HintMaxWidth = GetSystemMetrics(SM_CXSCREEN);
  Info.CursorPos = ToClient(Control, CursorPos);
  Info.CursorRect = Control->ClientRect();
  Info.HintPos = Point(CursorPos.X, CursorPos.Y + GetSystemMetrics(SM_CYCURSOR) * 3 / 4);
  Info.HideTimeout = HintHidePause;
  const bool Refused = Control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)) != 0;
  bool CanShow = !Refused;
  if (CanShow && OnShowHint) {
    OnShowHint(Info.HintStr, CanShow, Info);
  }
  if (!CanShow || Info.HintStr.empty()) {
    HideHint();
    return false;
  }
  if (!FHintWindow) {
    FHintWindow = std::make_unique<THintWindow>(nullptr);
  }
  FHintWindow->SetColor(Info.HintColor);
  TRect R = FHintWindow->CalcHintRect(Info.HintMaxWidth, Info.HintStr, Info.HintData);
  R = Rect(Info.HintPos.X, Info.HintPos.Y, Info.HintPos.X + R.Width(), Info.HintPos.Y + R.Height());
  FHintWindow->ActivateHintData(R, Info.HintStr, Info.HintData);
  TPoint TopLeft = ToScreen(Control, Point(Info.CursorRect.Left, Info.CursorRect.Top));
  FCursorRect = Rect(TopLeft.X, TopLeft.Y, TopLeft.X + Info.CursorRect.Width(), TopLeft.Y + Info.CursorRect.Height());
  KillTimer(FWindow, HideTimer);
  if (Info.HideTimeout > 0) {
    SetTimer(FWindow, HideTimer, static_cast<UINT>(Info.HideTimeout), nullptr);
  }
  if (Info.ReshowTimeout > 0) {
    SetTimer(FWindow, ReshowTimer, static_cast<UINT>(Info.ReshowTimeout), nullptr);
  }
  return true;
}

void THintManager::HideHint() {
  KillTimer(FWindow, HideTimer);
  KillTimer(FWindow, ReshowTimer);
  if (HintShowing()) {
    FHintWindow->ReleaseHandle();
    FLastHideTick = GetTickCount();
  }
}

void THintManager::CancelHint() {
  KillTimer(FWindow, ShowTimer);
  HideHint();
  FActive = false;
  FHintControl = nullptr;
}

THintManager& Hints() {
  // Never freed: the hint window must not be torn down after the application object during the program's exit.
  static THintManager* Manager = new THintManager;
  return *Manager;
}
