// Input: focus, activation and capture; key state; raw input events turned into key and mouse messages when read
// (target decided then); double clicks; TranslateMessage.
#include "platform/win/WindowInternals.h"
#include "platform/win/CrossProcess.h"
#include "platform/win/WinHooks.h"
#include "platform/win/Clock.h"
#include "platform/win/Desktop.h"

#include <algorithm>
#include <cstdlib>
#include <map>

using namespace WindowSystem;

namespace {

std::mutex AsyncLock;
BYTE AsyncKeys[256] = {};
TPoint CursorPos;
UINT DoubleClickTime = 500;
std::map<LPARAM, std::string> KeptTexts;  // recent key events' text by extra-info id (user-interface thread)
LPARAM NextExtraInfo = 1;
int BeepCount = 0;

void SetKey(BYTE* Keys, WORD Vk, bool Down) {
  if (Down) {
    if (!(Keys[Vk] & 0x80)) {
      Keys[Vk] ^= 0x01;  // toggled on each press
    }
    Keys[Vk] |= 0x80;
  } else {
    Keys[Vk] &= static_cast<BYTE>(~0x80);
  }
  // The generic and the left/right codes move together.
  auto Pair = [&](WORD Generic, WORD Left, WORD Right) {
    if (Vk == Generic || Vk == Left || Vk == Right) {
      BYTE V = Down ? 0x80 : 0;
      Keys[Generic] = static_cast<BYTE>((Keys[Generic] & 0x01) | V);
      Keys[Vk == Right ? Right : Left] = static_cast<BYTE>((Keys[Vk == Right ? Right : Left] & 0x01) | V);
    }
  };
  Pair(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
  Pair(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
  Pair(VK_MENU, VK_LMENU, VK_RMENU);
}

WORD ButtonKey(int Button) {
  switch (Button) {
    case 1: return VK_LBUTTON;
    case 2: return VK_RBUTTON;
    case 3: return VK_MBUTTON;
    case 4: return VK_XBUTTON1;
    default: return VK_XBUTTON2;
  }
}

WPARAM MouseKeys(const TInputEvent& E, const BYTE* Keys) {
  WPARAM K = 0;
  if (Keys[VK_LBUTTON] & 0x80) K |= MK_LBUTTON;
  if (Keys[VK_RBUTTON] & 0x80) K |= MK_RBUTTON;
  if (Keys[VK_MBUTTON] & 0x80) K |= MK_MBUTTON;
  if (Keys[VK_XBUTTON1] & 0x80) K |= MK_XBUTTON1;
  if (Keys[VK_XBUTTON2] & 0x80) K |= MK_XBUTTON2;
  if (E.Shift) K |= MK_SHIFT;
  if (E.Ctrl) K |= MK_CONTROL;
  return K;
}

bool Contains(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

LPARAM PackPoint(TPoint P) { return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(P.X), static_cast<WORD>(P.Y))); }

// The layer's own window-under-point search: visible windows in z-order; disabled children let the point fall
// through to what is below them; WM_NCHITTEST answering HTTRANSPARENT passes it on as well.
HWND HitSearch(const std::vector<HWND>& List, TPoint P, LRESULT& Hit) {
  for (HWND W : List) {
    auto R = Find(W);
    if (!R || R->Dead || !(R->Style & WS_VISIBLE) || !Contains(WindowRectOnScreen(W), P) ||
        !InsideWindowRegion(*R, P)) {
      continue;
    }
    if (R->Style & WS_DISABLED) {
      if (!R->Parent) {
        Hit = HTERROR;
        return W;
      }
      continue;
    }
    TPoint O = ClientOriginOnScreen(W);
    if (Contains(Rect(O.X, O.Y, O.X + R->Client.Width(), O.Y + R->Client.Height()), P)) {
      if (HWND C = HitSearch(ChildrenOf(W), P, Hit)) {
        return C;
      }
    }
    Hit = SendMessage(W, WM_NCHITTEST, 0, PackPoint(P));
    if (Hit == HTTRANSPARENT) {
      continue;
    }
    return W;
  }
  return 0;
}

UINT ButtonMessage(int Button, int Kind) {  // Kind: 0 down, 1 up, 2 double click
  switch (Button) {
    case 1: return WM_LBUTTONDOWN + Kind;
    case 2: return WM_RBUTTONDOWN + Kind;
    case 3: return WM_MBUTTONDOWN + Kind;
    default: return WM_XBUTTONDOWN + Kind;
  }
}

bool IsDoubleClick(const TThreadQueue& Q, HWND Target, const TInputEvent& E) {
  if (Q.LastClickWasDouble || Q.LastClickWnd != Target || Q.LastClickButton != E.Button) {
    return false;
  }
  if (E.Time - Q.LastClickTime > DoubleClickTime) {
    return false;
  }
  return std::abs(E.ScreenPos.X - Q.LastClickPos.X) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
         std::abs(E.ScreenPos.Y - Q.LastClickPos.Y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

bool ConvertKey(TThreadQueue& Q, const TInputEvent& E, MSG& M) {
  HWND Target = IsWindow(Q.Focus) ? Q.Focus : IsWindow(Q.Active) ? Q.Active : 0;
  if (!Target) {
    return false;
  }
  bool Down = E.Kind == TInputEvent::ikKeyDown;
  bool Sys = !IsWindow(Q.Focus) || (E.Alt && !E.Ctrl) || E.VirtualKey == VK_F10 || E.VirtualKey == VK_MENU;
  M = MSG{};
  M.hwnd = Target;
  M.message = Down ? (Sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (Sys ? WM_SYSKEYUP : WM_KEYUP);
  M.wParam = E.VirtualKey;
  DWORD Data = 1;
  Data |= static_cast<DWORD>(E.ScanCode ? E.ScanCode : MapVirtualKey(E.VirtualKey, MAPVK_VK_TO_VSC)) << 16;
  if (E.Extended) Data |= 1u << 24;
  if ((E.Alt && !E.Ctrl) || (E.VirtualKey == VK_MENU && Down)) Data |= 1u << 29;
  if (!Down || E.AutoRepeat) Data |= 1u << 30;
  if (!Down) Data |= 1u << 31;
  M.lParam = static_cast<LPARAM>(Data);
  M.time = E.Time;
  M.pt = CursorPos;
  return true;
}

// Converts a mouse event; Hit receives the hit-test code (HTCLIENT under capture).
bool ConvertMouse(TThreadQueue& Q, const TInputEvent& E, MSG& M, LRESULT& Hit, BYTE* KeysAfter) {
  HWND Target = 0;
  Hit = HTCLIENT;
  if (IsWindow(Q.Capture)) {
    Target = Q.Capture;
  } else {
    Target = HitSearch(TopLevelWindows(), E.ScreenPos, Hit);
    if (Target && Find(Target)->Queue.get() != &Q) {
      Target = 0;
    }
  }
  if (Target && Hit == HTERROR) {
    M.hwnd = Target;  // a disabled window: no message, but the mouse hook hears of a click (TakeInput)
  }
  if (!Target || Hit == HTERROR || Hit == HTNOWHERE) {
    return false;
  }
  M = MSG{};
  M.hwnd = Target;
  M.time = E.Time;
  M.pt = E.ScreenPos;
  bool Client = Hit == HTCLIENT;
  WPARAM Keys = MouseKeys(E, KeysAfter);
  switch (E.Kind) {
    case TInputEvent::ikMouseMove: M.message = WM_MOUSEMOVE; break;
    case TInputEvent::ikButtonDown: {
      bool Dbl = IsDoubleClick(Q, Target, E) && (!Client || (Find(Target)->Class->Info.style & CS_DBLCLKS));
      M.message = ButtonMessage(E.Button, Dbl ? 2 : 0);
      break;
    }
    case TInputEvent::ikButtonUp: M.message = ButtonMessage(E.Button, 1); break;
    default: return false;
  }
  if (Client) {
    TPoint P = E.ScreenPos;
    ScreenToClient(Target, &P);
    M.wParam = Keys;
    M.lParam = PackPoint(P);
  } else {
    M.message -= WM_MOUSEMOVE - WM_NCMOUSEMOVE;
    M.wParam = static_cast<WPARAM>(Hit);
    M.lParam = PackPoint(E.ScreenPos);
  }
  if (E.Button >= 4 && E.Kind != TInputEvent::ikMouseMove) {
    M.wParam |= static_cast<WPARAM>(E.Button == 4 ? 1 : 2) << 16;
  }
  return true;
}

// Input-method events go to the focus as WM_IME_COMPOSITION; the committed text stays with the event.
bool ConvertIme(TThreadQueue& Q, const TInputEvent& E, MSG& M) {
  HWND Target = IsWindow(Q.Focus) ? Q.Focus : IsWindow(Q.Active) ? Q.Active : 0;
  if (!Target) {
    return false;
  }
  M = MSG{};
  M.hwnd = Target;
  M.message = WM_IME_COMPOSITION;
  M.wParam = E.Text.empty() ? 0 : static_cast<unsigned char>(E.Text.back());
  M.lParam = (E.Text.empty() ? 0 : GCS_RESULTSTR) | (E.Composing ? GCS_COMPSTR : 0);
  M.time = E.Time;
  M.pt = CursorPos;
  return true;
}

bool ConvertWheel(TThreadQueue& Q, const TInputEvent& E, MSG& M, BYTE* KeysAfter) {
  HWND Target = IsWindow(Q.Focus) ? Q.Focus : IsWindow(Q.Active) ? Q.Active : 0;
  if (!Target) {
    return false;
  }
  M = MSG{};
  M.hwnd = Target;
  M.message = WM_MOUSEWHEEL;
  M.wParam = (MouseKeys(E, KeysAfter) & 0xFFFF) | (static_cast<WPARAM>(static_cast<WORD>(E.WheelDelta)) << 16);
  M.lParam = PackPoint(E.ScreenPos);
  M.time = E.Time;
  M.pt = E.ScreenPos;
  return true;
}

// Ends a TrackMouseEvent request when the pointer is no longer over the tracked window (or part of it).
void CheckMouseLeave(TThreadQueue& Q, HWND Target, bool Client) {
  if (!Q.TrackWnd) {
    return;
  }
  bool NonClient = Q.TrackFlags & TME_NONCLIENT;
  if (Target == Q.TrackWnd && Client != NonClient) {
    return;
  }
  HWND W = Q.TrackWnd;
  Q.TrackWnd = 0;
  Q.TrackFlags = 0;
  if (IsWindow(W)) {
    PostMessage(W, NonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
  }
}

// The state changes that happen when an input message is taken off the queue. False when the message is eaten.
bool TakeEffects(TThreadQueue& Q, const TInputEvent& E, MSG& M, LRESULT Hit) {
  switch (E.Kind) {
    case TInputEvent::ikKeyDown:
    case TInputEvent::ikKeyUp: {
      bool Down = E.Kind == TInputEvent::ikKeyDown;
      SetKey(Q.KeyState, E.VirtualKey, Down);
      if (Down) {
        Q.AltAlone = E.VirtualKey == VK_MENU ? (E.AutoRepeat ? Q.AltAlone : true) : false;
        Q.KeyMenuPress = 0;
      }
      if (Down) {
        KeptTexts[E.ExtraInfo] = E.Text;
        while (KeptTexts.size() > 64) {
          KeptTexts.erase(KeptTexts.begin());
        }
      }
      return true;
    }
    case TInputEvent::ikButtonDown: {
      SetKey(Q.KeyState, ButtonKey(E.Button), true);
      Q.AltAlone = false;
      bool Dbl = M.message == WM_LBUTTONDBLCLK || M.message == WM_RBUTTONDBLCLK || M.message == WM_MBUTTONDBLCLK ||
                 M.message == WM_XBUTTONDBLCLK || M.message == WM_NCLBUTTONDBLCLK ||
                 M.message == WM_NCRBUTTONDBLCLK || M.message == WM_NCMBUTTONDBLCLK;
      Q.LastClickWnd = M.hwnd;
      Q.LastClickButton = E.Button;
      Q.LastClickTime = E.Time;
      Q.LastClickPos = E.ScreenPos;
      Q.LastClickWasDouble = Dbl;
      if (!IsWindow(Q.Capture)) {
        HWND Top = GetAncestor(M.hwnd, GA_ROOT);
        if (Top != Q.Active) {
          LRESULT A = SendMessage(M.hwnd, WM_MOUSEACTIVATE, Top, MAKELONG(static_cast<WORD>(Hit), static_cast<WORD>(M.message)));
          if (A == MA_ACTIVATE || A == MA_ACTIVATEANDEAT || A == 0) {
            SetActiveWindow(Top);
          }
          if (A == MA_ACTIVATEANDEAT || A == MA_NOACTIVATEANDEAT) {
            return false;
          }
        }
        SendMessage(M.hwnd, WM_SETCURSOR, M.hwnd, MAKELONG(static_cast<WORD>(Hit), static_cast<WORD>(M.message)));
      }
      return IsWindow(M.hwnd);
    }
    case TInputEvent::ikButtonUp:
      SetKey(Q.KeyState, ButtonKey(E.Button), false);
      return true;
    case TInputEvent::ikIme:
      KeptTexts[E.ExtraInfo] = E.Text;
      while (KeptTexts.size() > 64) {
        KeptTexts.erase(KeptTexts.begin());
      }
      return true;
    case TInputEvent::ikMouseMove:
      if (!IsWindow(Q.Capture)) {
        SendMessage(M.hwnd, WM_SETCURSOR, M.hwnd, MAKELONG(static_cast<WORD>(Hit), static_cast<WORD>(M.message)));
      }
      return IsWindow(M.hwnd);
    default:
      return true;
  }
}

void SendActivate(HWND Wnd, WORD State, HWND Other) {
  if (IsWindow(Wnd)) {
    SendMessage(Wnd, WM_ACTIVATE, MAKELONG(State, IsIconic(Wnd) ? 1 : 0), static_cast<LPARAM>(Other));
  }
}

void ActivateApp(TThreadQueue& Q, BOOL Active) {
  for (HWND W : TopLevelWindows()) {
    auto R = Find(W);
    if (R && !R->Dead && R->Queue.get() == &Q) {
      SendMessage(W, WM_ACTIVATEAPP, Active, static_cast<LPARAM>(Q.ThreadId));
    }
  }
}

HWND Foreground = 0;

}  // namespace

// ---- Focus, activation, capture ---------------------------------------------------------------------------------

HWND GetFocus() {
  auto& Q = CurrentQueue();
  return IsWindow(Q.Focus) ? Q.Focus : 0;
}

HWND SetFocus(HWND Wnd) {
  auto& Q = CurrentQueue();
  HWND Old = GetFocus();
  if (Wnd) {
    auto R = Find(Wnd);
    if (!R || R->Dead || R->Queue.get() != &Q) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
  }
  if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_SETFOCUS, Wnd, static_cast<LPARAM>(Old)) != 0) {
    return 0;
  }
  if (Wnd) {
    HWND Top = GetAncestor(Wnd, GA_ROOT);
    if (Top != Q.Active) {
      HWND Saved = Q.FocusAfterActivate;
      Q.FocusAfterActivate = Wnd;
      SetActiveWindow(Top);
      Q.FocusAfterActivate = Saved;
      Old = GetFocus();
    }
  }
  if (Old == Wnd) {
    return Old;
  }
  if (Old) {
    SendMessage(Old, WM_KILLFOCUS, Wnd, 0);
  }
  Q.Focus = IsWindow(Wnd) ? Wnd : 0;
  if (Q.Focus) {
    SendMessage(Wnd, WM_SETFOCUS, Old, 0);
  }
  if (auto* B = ExistingWindowBackend()) {
    B->FocusChanged(Q.Focus);
  }
  return Old;
}

HWND GetActiveWindow() {
  auto& Q = CurrentQueue();
  return IsWindow(Q.Active) ? Q.Active : 0;
}

HWND SetActiveWindow(HWND Wnd) {
  auto& Q = CurrentQueue();
  if (Wnd) {
    Wnd = GetAncestor(Wnd, GA_ROOT);
    auto R = Find(Wnd);
    if (!R || R->Dead || R->Queue.get() != &Q) {
      return 0;
    }
  }
  HWND Old = GetActiveWindow();
  if (Old == Wnd) {
    return Old;
  }
  if (Wnd && HasHooks(WH_CBT)) {
    CBTACTIVATESTRUCT A{FALSE, Old};
    if (CallHooks(WH_CBT, HCBT_ACTIVATE, Wnd, reinterpret_cast<LPARAM>(&A)) != 0) {
      return 0;
    }
  }
  if (Old) {
    SendMessage(Old, WM_NCACTIVATE, FALSE, 0);
    SendActivate(Old, WA_INACTIVE, Wnd);
  }
  if (!Old && Wnd) {
    ActivateApp(Q, TRUE);
  }
  Q.Active = Wnd;
  if (Wnd) {
    Foreground = Wnd;
    SendMessage(Wnd, WM_NCACTIVATE, TRUE, 0);
    SendActivate(Wnd, WA_ACTIVE, Old);
    if (auto* B = ExistingWindowBackend(); B && IsWindow(Wnd)) {
      B->WindowChanged(Wnd, TWindowChange::Activated);
    }
  } else {
    if (Foreground == Old) {
      Foreground = 0;
    }
    ActivateApp(Q, FALSE);
    if (GetFocus()) {
      SetFocus(0);
    }
  }
  return Old;
}

HWND GetForegroundWindow() { return IsWindow(Foreground) ? Foreground : 0; }

void WindowSystem::DesktopActivationChanged(HWND Wnd) {
  if (Wnd) {
    Wnd = GetAncestor(Wnd, GA_ROOT);
    if (!IsWindow(Wnd) || !IsWindowEnabled(Wnd)) {
      return;  // a window disabled under a modal one does not take the activation
    }
  }
  if (GetActiveWindow() != Wnd) {
    (void)SetActiveWindow(Wnd);
  }
}

BOOL SetForegroundWindow(HWND Wnd) {
  if (CrossProcess::IsForeignHandle(Wnd)) {
    // A window of another process: its own thread brings it forward when the request arrives.
    return PostMessage(Wnd, WM_LAYER_FOREGROUND, 0, 0);
  }
  return IsWindow(Wnd) && (SetActiveWindow(Wnd), GetActiveWindow() != 0);
}

HWND GetCapture() {
  auto& Q = CurrentQueue();
  return IsWindow(Q.Capture) ? Q.Capture : 0;
}

HWND SetCapture(HWND Wnd) {
  auto& Q = CurrentQueue();
  HWND Old = GetCapture();
  if (!IsWindow(Wnd)) {
    return Old;
  }
  Q.Capture = Wnd;
  if (Old && Old != Wnd) {
    SendMessage(Old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(Wnd));
  }
  return Old;
}

BOOL ReleaseCapture() {
  auto& Q = CurrentQueue();
  HWND Old = GetCapture();
  Q.Capture = 0;
  if (Old) {
    SendMessage(Old, WM_CAPTURECHANGED, 0, 0);
  }
  return TRUE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* Track) {
  if (!Track || Track->cbSize < sizeof(TRACKMOUSEEVENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto& Q = CurrentQueue();
  if (Track->dwFlags & TME_QUERY) {
    Track->dwFlags = Q.TrackFlags;
    Track->hwndTrack = Q.TrackWnd;
    return TRUE;
  }
  if (Track->dwFlags & TME_CANCEL) {
    if (Q.TrackWnd == Track->hwndTrack) {
      Q.TrackWnd = 0;
      Q.TrackFlags = 0;
    }
    return TRUE;
  }
  if (!IsWindow(Track->hwndTrack)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  // A request for a window the pointer is not over ends at once, as on the platform.
  TPoint P;
  GetCursorPos(&P);
  LRESULT Hit = HTNOWHERE;
  HWND Under = HitSearch(TopLevelWindows(), P, Hit);
  Q.TrackWnd = Track->hwndTrack;
  Q.TrackFlags = Track->dwFlags & (TME_LEAVE | TME_NONCLIENT | TME_HOVER);
  CheckMouseLeave(Q, Under, Hit == HTCLIENT);
  return TRUE;
}

BOOL MessageBeep(UINT Type) {
  ++BeepCount;
  const char* Alias = "SystemDefault";
  switch (Type & 0xF0) {
    case 0x10: Alias = "SystemHand"; break;
    case 0x20: Alias = "SystemQuestion"; break;
    case 0x30: Alias = "SystemExclamation"; break;
    case 0x40: Alias = "SystemAsterisk"; break;
    default: break;
  }
  if (Type == 0xFFFFFFFF) {
    Alias = "SystemDefault";  // the simple beep
  }
  return PlaySound(Alias, nullptr, SND_ALIAS | SND_ASYNC);
}

int MessageBeepCount() { return BeepCount; }

// ---- Key state and the mouse ------------------------------------------------------------------------------------

SHORT GetKeyState(int VirtKey) {
  BYTE V = CurrentQueue().KeyState[VirtKey & 0xFF];
  return static_cast<SHORT>(((V & 0x80) ? 0xFF80 : 0) | (V & 0x01));
}

SHORT GetAsyncKeyState(int VirtKey) {
  std::lock_guard G(AsyncLock);
  return (AsyncKeys[VirtKey & 0xFF] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetKeyboardState(BYTE* KeyState) {
  if (!KeyState) {
    return FALSE;
  }
  std::copy(std::begin(CurrentQueue().KeyState), std::end(CurrentQueue().KeyState), KeyState);
  return TRUE;
}

BOOL SetKeyboardState(const BYTE* KeyState) {
  if (!KeyState) {
    return FALSE;
  }
  std::copy(KeyState, KeyState + 256, CurrentQueue().KeyState);
  return TRUE;
}

UINT MapVirtualKey(UINT Code, UINT MapType) {
  // Scan codes of set 1 for a US keyboard.
  static const std::pair<WORD, WORD> Scan[] = {
      {VK_ESCAPE, 0x01}, {'1', 0x02}, {'2', 0x03}, {'3', 0x04}, {'4', 0x05}, {'5', 0x06}, {'6', 0x07},
      {'7', 0x08}, {'8', 0x09}, {'9', 0x0A}, {'0', 0x0B}, {VK_OEM_MINUS, 0x0C}, {VK_OEM_PLUS, 0x0D},
      {VK_BACK, 0x0E}, {VK_TAB, 0x0F}, {'Q', 0x10}, {'W', 0x11}, {'E', 0x12}, {'R', 0x13}, {'T', 0x14},
      {'Y', 0x15}, {'U', 0x16}, {'I', 0x17}, {'O', 0x18}, {'P', 0x19}, {VK_OEM_4, 0x1A}, {VK_OEM_6, 0x1B},
      {VK_RETURN, 0x1C}, {VK_CONTROL, 0x1D}, {'A', 0x1E}, {'S', 0x1F}, {'D', 0x20}, {'F', 0x21}, {'G', 0x22},
      {'H', 0x23}, {'J', 0x24}, {'K', 0x25}, {'L', 0x26}, {VK_OEM_1, 0x27}, {VK_OEM_7, 0x28}, {VK_OEM_3, 0x29},
      {VK_SHIFT, 0x2A}, {VK_OEM_5, 0x2B}, {'Z', 0x2C}, {'X', 0x2D}, {'C', 0x2E}, {'V', 0x2F}, {'B', 0x30},
      {'N', 0x31}, {'M', 0x32}, {VK_OEM_COMMA, 0x33}, {VK_OEM_PERIOD, 0x34}, {VK_OEM_2, 0x35},
      {VK_MULTIPLY, 0x37}, {VK_MENU, 0x38}, {VK_SPACE, 0x39}, {VK_CAPITAL, 0x3A}, {VK_F1, 0x3B}, {VK_F2, 0x3C},
      {VK_F3, 0x3D}, {VK_F4, 0x3E}, {VK_F5, 0x3F}, {VK_F6, 0x40}, {VK_F7, 0x41}, {VK_F8, 0x42}, {VK_F9, 0x43},
      {VK_F10, 0x44}, {VK_NUMLOCK, 0x45}, {VK_SCROLL, 0x46}, {VK_HOME, 0x47}, {VK_UP, 0x48}, {VK_PRIOR, 0x49},
      {VK_SUBTRACT, 0x4A}, {VK_LEFT, 0x4B}, {VK_NUMPAD5, 0x4C}, {VK_RIGHT, 0x4D}, {VK_ADD, 0x4E},
      {VK_END, 0x4F}, {VK_DOWN, 0x50}, {VK_NEXT, 0x51}, {VK_INSERT, 0x52}, {VK_DELETE, 0x53}, {VK_F11, 0x57},
      {VK_F12, 0x58}, {VK_NUMPAD7, 0x47}, {VK_NUMPAD8, 0x48}, {VK_NUMPAD9, 0x49}, {VK_NUMPAD4, 0x4B},
      {VK_NUMPAD6, 0x4D}, {VK_NUMPAD1, 0x4F}, {VK_NUMPAD2, 0x50}, {VK_NUMPAD3, 0x51}, {VK_NUMPAD0, 0x52},
      {VK_DECIMAL, 0x53}, {VK_LWIN, 0x5B}, {VK_RWIN, 0x5C}, {VK_APPS, 0x5D}, {VK_DIVIDE, 0x35}};
  switch (MapType) {
    case MAPVK_VK_TO_VSC:
      for (auto& [Vk, Sc] : Scan) {
        if (Vk == Code) {
          return Sc;
        }
      }
      return 0;
    case MAPVK_VSC_TO_VK:
      for (auto& [Vk, Sc] : Scan) {
        if (Sc == Code) {
          return Vk;
        }
      }
      return 0;
    case MAPVK_VK_TO_CHAR:
      if ((Code >= 'A' && Code <= 'Z') || (Code >= '0' && Code <= '9') || Code == VK_SPACE) {
        return Code;
      }
      return CharOfKey(static_cast<WORD>(Code), false);
    default:
      return 0;
  }
}

UINT GetDoubleClickTime() { return DoubleClickTime; }

BOOL SetDoubleClickTime(UINT Milliseconds) {
  DoubleClickTime = Milliseconds ? Milliseconds : 500;
  return TRUE;
}

BOOL GetCursorPos(TPoint* Point) {
  if (!Point) {
    return FALSE;
  }
  std::lock_guard G(AsyncLock);
  *Point = CursorPos;
  return TRUE;
}

BOOL SetCursorPos(int X, int Y) {
  std::lock_guard G(AsyncLock);
  CursorPos = Point(X, Y);
  return TRUE;
}

// ---- Characters -------------------------------------------------------------------------------------------------

char CharOfKey(WORD Vk, bool Shift) {
  if (Vk >= 'A' && Vk <= 'Z') {
    return static_cast<char>(Shift ? Vk : Vk - 'A' + 'a');
  }
  if (Vk >= '0' && Vk <= '9') {
    static const char ShiftedDigits[] = ")!@#$%^&*(";
    return Shift ? ShiftedDigits[Vk - '0'] : static_cast<char>(Vk);
  }
  if (Vk >= VK_NUMPAD0 && Vk <= VK_NUMPAD9) {
    return static_cast<char>('0' + (Vk - VK_NUMPAD0));
  }
  switch (Vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 27;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    case VK_OEM_1: return Shift ? ':' : ';';
    case VK_OEM_PLUS: return Shift ? '+' : '=';
    case VK_OEM_COMMA: return Shift ? '<' : ',';
    case VK_OEM_MINUS: return Shift ? '_' : '-';
    case VK_OEM_PERIOD: return Shift ? '>' : '.';
    case VK_OEM_2: return Shift ? '?' : '/';
    case VK_OEM_3: return Shift ? '~' : '`';
    case VK_OEM_4: return Shift ? '{' : '[';
    case VK_OEM_5: return Shift ? '|' : '\\';
    case VK_OEM_6: return Shift ? '}' : ']';
    case VK_OEM_7: return Shift ? '"' : '\'';
    default: return 0;
  }
}

BOOL TranslateMessage(const MSG* Msg) {
  if (!Msg || (Msg->message != WM_KEYDOWN && Msg->message != WM_SYSKEYDOWN)) {
    return FALSE;
  }
  auto& Q = CurrentQueue();
  auto Vk = static_cast<WORD>(Msg->wParam);
  bool Shift = Q.KeyState[VK_SHIFT] & 0x80;
  bool Ctrl = Q.KeyState[VK_CONTROL] & 0x80;
  bool Alt = Q.KeyState[VK_MENU] & 0x80;
  std::string Chars;
  if (Ctrl && !Alt) {
    // Control characters are the layer's own: Ctrl+letter gives 1..26, whatever text the toolkit reported.
    if (Vk >= 'A' && Vk <= 'Z') {
      Chars = std::string(1, static_cast<char>(Vk - 'A' + 1));
    } else if (Vk == VK_OEM_4) {
      Chars = "\x1B";
    } else if (Vk == VK_OEM_5) {
      Chars = "\x1C";
    } else if (Vk == VK_OEM_6) {
      Chars = "\x1D";
    } else if (Vk == VK_RETURN) {
      Chars = "\n";
    } else if (Vk == VK_BACK) {
      Chars = "\x7F";
    } else if (Vk == VK_SPACE) {
      Chars = " ";
    }
  } else {
    auto It = KeptTexts.find(Q.LastExtraInfo);
    if (Q.LastMsg.hwnd == Msg->hwnd && Q.LastMsg.message == Msg->message && Q.LastMsg.wParam == Msg->wParam &&
        It != KeptTexts.end() && !It->second.empty()) {
      Chars = It->second;
    } else if (char C = CharOfKey(Vk, Shift ^ ((Q.KeyState[VK_CAPITAL] & 1) && Vk >= 'A' && Vk <= 'Z'))) {
      Chars = std::string(1, C);
    }
    if (Vk == VK_RETURN || Vk == VK_BACK || Vk == VK_TAB || Vk == VK_ESCAPE) {
      Chars = std::string(1, CharOfKey(Vk, false));
    }
  }
  if (Chars.empty()) {
    return FALSE;
  }
  UINT CharMsg = Msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  // The characters keep the key's extra info (it finds the kept key event for native controls).
  bool SameMsg = Q.LastMsg.hwnd == Msg->hwnd && Q.LastMsg.message == Msg->message && Q.LastMsg.wParam == Msg->wParam;
  // The characters are read before anything else that is queued, as if typed right then.
  {
    std::lock_guard G(Q.Lock);
    for (auto It = Chars.rbegin(); It != Chars.rend(); ++It) {
      TPostedMessage P;
      P.ExtraInfo = SameMsg ? Q.LastExtraInfo : 0;
      P.Msg = *Msg;
      P.Msg.message = CharMsg;
      P.Msg.wParam = static_cast<unsigned char>(*It);
      Q.Posted.push_front(P);
    }
  }
  return TRUE;
}

// ---- Internals --------------------------------------------------------------------------------------------------

namespace WindowSystem {

LPARAM QueueInputEvent(TInputEvent E) {
  auto& Q = CurrentQueue();
  if (!E.ExtraInfo) {
    E.ExtraInfo = NextExtraInfo++;
  }
  if (!E.Time) {
    E.Time = GetTickCount();
  }
  {
    std::lock_guard G(AsyncLock);
    switch (E.Kind) {
      case TInputEvent::ikKeyDown: SetKey(AsyncKeys, E.VirtualKey, true); break;
      case TInputEvent::ikKeyUp: SetKey(AsyncKeys, E.VirtualKey, false); break;
      case TInputEvent::ikButtonDown: SetKey(AsyncKeys, ButtonKey(E.Button), true); CursorPos = E.ScreenPos; break;
      case TInputEvent::ikButtonUp: SetKey(AsyncKeys, ButtonKey(E.Button), false); CursorPos = E.ScreenPos; break;
      case TInputEvent::ikIme: break;
      default: CursorPos = E.ScreenPos; break;
    }
    E.Shift = E.Shift || (AsyncKeys[VK_SHIFT] & 0x80);
    E.Ctrl = E.Ctrl || (AsyncKeys[VK_CONTROL] & 0x80);
    E.Alt = E.Alt || (AsyncKeys[VK_MENU] & 0x80);
  }
  {
    std::lock_guard G(Q.Lock);
    // Moves not yet read merge into one with the latest position, as the platform's mouse-moved flag does.
    if (E.Kind == TInputEvent::ikMouseMove && !Q.Input.empty() && Q.Input.back().Kind == TInputEvent::ikMouseMove) {
      Q.Input.back() = E;
    } else {
      Q.Input.push_back(E);
    }
  }
  return E.ExtraInfo;
}

bool TakeInput(TThreadQueue& Q, MSG& Msg, LPARAM& ExtraInfo, HWND Filter, UINT Min, UINT Max, bool Remove) {
  for (std::size_t I = 0;;) {
    TInputEvent E;
    {
      std::lock_guard G(Q.Lock);
      if (I >= Q.Input.size()) {
        return false;
      }
      E = Q.Input[I];
    }
    auto EraseAt = [&](std::size_t At) {
      std::lock_guard G(Q.Lock);
      if (At < Q.Input.size()) {
        Q.Input.erase(Q.Input.begin() + static_cast<std::ptrdiff_t>(At));
      }
    };
    // The mouse state after this event, for MK_ flags.
    BYTE Keys[256];
    std::copy(std::begin(Q.KeyState), std::end(Q.KeyState), Keys);
    if (E.Kind == TInputEvent::ikButtonDown || E.Kind == TInputEvent::ikButtonUp) {
      SetKey(Keys, ButtonKey(E.Button), E.Kind == TInputEvent::ikButtonDown);
    }
    MSG M;
    LRESULT Hit = HTCLIENT;
    bool Ok = false;
    switch (E.Kind) {
      case TInputEvent::ikKeyDown: case TInputEvent::ikKeyUp: Ok = ConvertKey(Q, E, M); break;
      case TInputEvent::ikWheel: Ok = ConvertWheel(Q, E, M, Keys); break;
      case TInputEvent::ikIme: Ok = ConvertIme(Q, E, M); break;
      default: Ok = ConvertMouse(Q, E, M, Hit, Keys); break;
    }
    if (E.Kind != TInputEvent::ikKeyDown && E.Kind != TInputEvent::ikKeyUp && E.Kind != TInputEvent::ikWheel &&
        E.Kind != TInputEvent::ikIme && (Remove || !Ok)) {
      CheckMouseLeave(Q, Ok ? M.hwnd : 0, Ok && (M.message >= WM_MOUSEFIRST && M.message <= WM_MOUSELAST));
    }
    if (!Ok) {
      // Nobody can receive it: the event is dropped (the button state still follows it). A click on a disabled
      // window still reaches the mouse hook with HTERROR, as on the platform, so that a modal popup can notice
      // clicks on the windows it disabled.
      if ((E.Kind == TInputEvent::ikButtonDown || E.Kind == TInputEvent::ikButtonUp) && Hit == HTERROR && M.hwnd &&
          HasHooks(WH_MOUSE)) {
        MOUSEHOOKSTRUCT H;
        H.pt = E.ScreenPos;
        H.hwnd = M.hwnd;
        H.wHitTestCode = static_cast<UINT>(HTERROR);
        const UINT Nc =
            ButtonMessage(E.Button, E.Kind == TInputEvent::ikButtonDown ? 0 : 1) - (WM_MOUSEMOVE - WM_NCMOUSEMOVE);
        CallHooks(WH_MOUSE, HC_ACTION, Nc, reinterpret_cast<LPARAM>(&H));
      }
      if (E.Kind == TInputEvent::ikButtonDown || E.Kind == TInputEvent::ikButtonUp) {
        SetKey(Q.KeyState, ButtonKey(E.Button), E.Kind == TInputEvent::ikButtonDown);
      } else if (E.Kind == TInputEvent::ikKeyDown || E.Kind == TInputEvent::ikKeyUp) {
        SetKey(Q.KeyState, E.VirtualKey, E.Kind == TInputEvent::ikKeyDown);
      }
      EraseAt(I);
      continue;
    }
    if (E.Kind == TInputEvent::ikKeyDown) {
      // A registered hot key becomes WM_HOTKEY for its window instead of a key message.
      MSG H;
      if (HotKeyMessage(E.VirtualKey, E.Shift, E.Ctrl, E.Alt, H)) {
        H.time = E.Time;
        H.pt = CursorPos;
        M = H;
      }
    }
    if (!MessageMatches(M, Filter, Min, Max)) {
      ++I;
      continue;
    }
    if (Remove) {
      EraseAt(I);
      if (!TakeEffects(Q, E, M, Hit)) {
        continue;
      }
    }
    Msg = M;
    ExtraInfo = E.ExtraInfo;
    return true;
  }
}

bool AllowInputMessage(const MSG& Msg, bool Remove) {
  int Code = Remove ? HC_ACTION : HC_NOREMOVE;
  if (Msg.message >= WM_KEYFIRST && Msg.message <= WM_KEYLAST) {
    return !HasHooks(WH_KEYBOARD) || CallHooks(WH_KEYBOARD, Code, Msg.wParam, Msg.lParam) == 0;
  }
  if (HasHooks(WH_MOUSE) && ((Msg.message >= WM_MOUSEFIRST && Msg.message <= WM_MOUSELAST) ||
                             (Msg.message >= WM_NCMOUSEMOVE && Msg.message <= WM_NCMBUTTONDBLCLK))) {
    MOUSEHOOKSTRUCT H;
    H.pt = Msg.pt;
    H.hwnd = Msg.hwnd;
    H.wHitTestCode = Msg.message >= WM_MOUSEFIRST ? static_cast<UINT>(HTCLIENT) : static_cast<UINT>(Msg.wParam);
    H.dwExtraInfo = static_cast<std::uintptr_t>(GetMessageExtraInfo());
    return CallHooks(WH_MOUSE, Code, Msg.message, reinterpret_cast<LPARAM>(&H)) == 0;
  }
  return true;
}

std::string KeptText(LPARAM ExtraInfo) {
  auto It = KeptTexts.find(ExtraInfo);
  return It == KeptTexts.end() ? std::string() : It->second;
}

void MoveActivationAway(HWND Wnd, bool Dying) {
  auto& Q = CurrentQueue();
  HWND Focus = GetFocus();
  if (Dying && Focus && (Focus == Wnd || IsChild(Wnd, Focus))) {
    auto R = Find(Wnd);
    HWND Parent = R && (R->Style & WS_CHILD) ? R->Parent : 0;
    SetFocus(IsWindow(Parent) ? Parent : 0);
  }
  if (GetActiveWindow() != Wnd) {
    return;
  }
  // Activate the owner if it can take it, else the topmost other visible window of the thread.
  HWND Next = 0;
  auto R = Find(Wnd);
  if (R && IsWindowVisible(R->Owner) && IsWindowEnabled(R->Owner)) {
    Next = R->Owner;
  } else {
    for (HWND W : TopLevelWindows()) {
      auto T = Find(W);
      if (W != Wnd && T && !T->Dead && !T->Destroying && T->Queue.get() == &Q && (T->Style & WS_VISIBLE) &&
          !(T->Style & WS_DISABLED) && !(T->ExStyle & WS_EX_TOOLWINDOW)) {
        Next = W;
        break;
      }
    }
  }
  SetActiveWindow(Next);
}

void WindowHidden(HWND Wnd) { MoveActivationAway(Wnd, false); }

void ForgetWindow(const PWindowRec& R) {
  CrossProcess::WindowGone(R->Handle);
  ForgetDesktopState(R);
  auto& Q = *R->Queue;
  if (Q.Focus == R->Handle) {
    Q.Focus = 0;
  }
  if (Q.Capture == R->Handle) {
    Q.Capture = 0;
  }
  if (Q.Active == R->Handle) {
    Q.Active = 0;
  }
  if (Q.LastClickWnd == R->Handle) {
    Q.LastClickWnd = 0;
  }
  if (R->NeedsPaint) {
    R->NeedsPaint = false;
    --Q.PaintPending;
  }
  if (R->Queue.get() == &CurrentQueue()) {
    KillTimersOf(R->Handle);
  }
}

}  // namespace WindowSystem
