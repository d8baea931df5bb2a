// The tooltip control: its tools, the hover cycle driven by the tool windows' mouse messages (subclassed or
// relayed), and the tip window's placement and painting.
#include "platform/controls/ToolTipControl.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr UINT_PTR InitialTimer = 1;
constexpr UINT_PTR AutoPopTimer = 2;

struct TTool {
  UINT Flags = 0;
  HWND Wnd = 0;
  UINT_PTR Id = 0;
  TRect Rect;
  std::string Text;
  LPARAM Param = 0;
  HWND Window() const { return (Flags & TTF_IDISHWND) ? static_cast<HWND>(Id) : Wnd; }
};

struct TTip {
  std::vector<TTool> Tools;
  bool Active = true;
  int MaxWidth = -1;
  int Initial = -1;  // -1: the platform's default (the double-click time)
  int AutoPop = -1;  // -1: ten times the initial delay
  int Reshow = -1;   // -1: a fifth of the initial delay
  HFONT Font = 0;
  COLORREF Back = CLR_INVALID_TIP;
  COLORREF TextColor = CLR_INVALID_TIP;
  int Pending = -1;  // the tool waiting for the initial delay
  int Current = -1;  // the tool whose tip is up
  bool Showing = false;
  static constexpr COLORREF CLR_INVALID_TIP = 0xFFFFFFFF;
};

std::map<HWND, TTip>& Tips() {
  static std::map<HWND, TTip> M;
  return M;
}

// Tool windows subclassed for their tooltips: the procedure they had and the tooltips that watch them.
struct TSubclass {
  WNDPROC Previous = nullptr;
  std::set<HWND> Tips;
};
std::map<HWND, TSubclass>& Subclassed() {
  static std::map<HWND, TSubclass> M;
  return M;
}

TTip* TipOf(HWND Wnd) {
  auto It = Tips().find(Wnd);
  return It == Tips().end() ? nullptr : &It->second;
}

int Delay(const TTip& T, WPARAM Which) {
  const int Initial = T.Initial >= 0 ? T.Initial : static_cast<int>(GetDoubleClickTime());
  switch (Which) {
    case TTDT_INITIAL: return Initial;
    case TTDT_AUTOPOP: return T.AutoPop >= 0 ? T.AutoPop : Initial * 10;
    case TTDT_RESHOW: return T.Reshow >= 0 ? T.Reshow : Initial / 5;
    default: return Initial;
  }
}

int FindTool(const TTip& T, HWND Wnd, UINT_PTR Id) {
  for (std::size_t I = 0; I < T.Tools.size(); ++I) {
    if (T.Tools[I].Wnd == Wnd && T.Tools[I].Id == Id) {
      return static_cast<int>(I);
    }
  }
  return -1;
}

bool ToolHas(const TTool& Tool, HWND Wnd, TPoint Client) {
  if (Tool.Window() != Wnd) {
    return false;
  }
  TRect R = Tool.Rect;
  if (Tool.Flags & TTF_IDISHWND) {
    GetClientRect(Wnd, &R);
  }
  return Client.X >= R.Left && Client.X < R.Right && Client.Y >= R.Top && Client.Y < R.Bottom;
}

LRESULT Notify(HWND Tip, const TTool& Tool, UINT Code) {
  NMHDR H;
  H.hwndFrom = Tip;
  H.idFrom = Tool.Id;
  H.code = Code;
  return SendMessage(Tool.Wnd, WM_NOTIFY, Tool.Id, reinterpret_cast<LPARAM>(&H));
}

TRect TextRect(HWND Tip, const TTip& T, const std::string& Text) {
  HDC DC = CreateCompatibleDC(0);
  HGDIOBJ Old = T.Font ? SelectObject(DC, T.Font) : 0;
  TRect R = Rect(0, 0, T.MaxWidth > 0 ? T.MaxWidth : 0, 0);
  const UINT Prefix = (GetWindowLong(Tip, GWL_STYLE) & TTS_NOPREFIX) ? DT_NOPREFIX : 0;
  DrawText(DC, Text.empty() ? " " : Text.c_str(), -1, &R,
           DT_CALCRECT | Prefix | (T.MaxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  if (Old) {
    SelectObject(DC, Old);
  }
  DeleteDC(DC);
  return R;
}

void Hide(HWND Tip, TTip& T) {
  KillTimer(Tip, AutoPopTimer);
  if (!T.Showing) {
    return;
  }
  T.Showing = false;
  const int Was = T.Current;
  T.Current = -1;
  SetWindowPos(Tip, 0, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (Was >= 0 && static_cast<std::size_t>(Was) < T.Tools.size()) {
    Notify(Tip, T.Tools[static_cast<std::size_t>(Was)], TTN_POP);
  }
}

void Show(HWND Tip, TTip& T, int Index) {
  if (Index < 0 || static_cast<std::size_t>(Index) >= T.Tools.size()) {
    return;
  }
  const TTool Tool = T.Tools[static_cast<std::size_t>(Index)];
  T.Current = Index;
  T.Pending = -1;
  SetWindowText(Tip, Tool.Text.c_str());
  TRect R = TextRect(Tip, T, Tool.Text);
  const int W = R.Width() + 2 * GetSystemMetrics(SM_CXBORDER) + 6;
  const int H = R.Height() + 2 * GetSystemMetrics(SM_CYBORDER) + 2;
  TPoint P;
  GetCursorPos(&P);
  P.Y += GetSystemMetrics(SM_CYCURSOR) * 3 / 4;
  T.Showing = true;
  // Sized for the text before TTN_SHOW, so that a handler placing the tip itself knows its size (and may change
  // it: what the handler sets stays).
  SetWindowPos(Tip, 0, 0, 0, W, H, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const bool Placed = Notify(Tip, Tool, TTN_SHOW) != 0;
  if (Placed) {
    SetWindowPos(Tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  } else {
    SetWindowPos(Tip, HWND_TOPMOST, P.X, P.Y, W, H, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  }
  InvalidateRect(Tip, nullptr, TRUE);
  KillTimer(Tip, AutoPopTimer);
  SetTimer(Tip, AutoPopTimer, static_cast<UINT>(Delay(T, TTDT_AUTOPOP)), nullptr);
}

// A mouse message of a tool window (client coordinates), seen through the subclass or TTM_RELAYEVENT.
void Relay(HWND Tip, UINT Msg, HWND Wnd, TPoint Client) {
  TTip* T = TipOf(Tip);
  if (!T) {
    return;
  }
  if (Msg != WM_MOUSEMOVE) {
    if (Msg == WM_MOUSELEAVE) {
      // Leaving for the tip itself (a tip over its tool) keeps it.
      TPoint P;
      GetCursorPos(&P);
      if (WindowFromPoint(P) == Tip) {
        return;
      }
    }
    KillTimer(Tip, InitialTimer);
    T->Pending = -1;
    Hide(Tip, *T);
    return;
  }
  int Hit = -1;
  for (std::size_t I = 0; I < T->Tools.size(); ++I) {
    if (ToolHas(T->Tools[I], Wnd, Client)) {
      Hit = static_cast<int>(I);
      break;
    }
  }
  if (!T->Active || Hit < 0) {
    KillTimer(Tip, InitialTimer);
    T->Pending = -1;
    Hide(Tip, *T);
    return;
  }
  TRACKMOUSEEVENT Track;
  Track.dwFlags = TME_LEAVE;
  Track.hwndTrack = Wnd;
  TrackMouseEvent(&Track);
  if (T->Showing && T->Current == Hit) {
    return;
  }
  const bool WasShowing = T->Showing;
  Hide(Tip, *T);
  if (T->Pending == Hit) {
    return;
  }
  T->Pending = Hit;
  const int Wait = Delay(*T, WasShowing ? TTDT_RESHOW : TTDT_INITIAL);
  KillTimer(Tip, InitialTimer);
  if (Wait <= 0) {
    Show(Tip, *T, Hit);
  } else {
    SetTimer(Tip, InitialTimer, static_cast<UINT>(Wait), nullptr);
  }
}

LRESULT SubclassProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto It = Subclassed().find(Wnd);
  if (It == Subclassed().end()) {
    return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
  const WNDPROC Previous = It->second.Previous;
  const bool Mouse = (Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST && Msg != WM_MOUSEWHEEL) || Msg == WM_MOUSELEAVE;
  if (Mouse) {
    const TPoint P = Point(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(LParam))),
                           static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(LParam))));
    for (HWND Tip : std::set<HWND>(It->second.Tips)) {
      Relay(Tip, Msg, Wnd, P);
    }
  }
  if (Msg == WM_NCDESTROY) {
    SetWindowLongPtr(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Previous));
    Subclassed().erase(Wnd);
  }
  return CallWindowProc(Previous, Wnd, Msg, WParam, LParam);
}

void Watch(HWND Tip, HWND Wnd) {
  if (!IsWindow(Wnd)) {
    return;
  }
  auto It = Subclassed().find(Wnd);
  if (It == Subclassed().end()) {
    TSubclass S;
    S.Previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(Wnd, GWLP_WNDPROC));
    It = Subclassed().emplace(Wnd, S).first;
    SetWindowLongPtr(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
  }
  It->second.Tips.insert(Tip);
}

void Unwatch(HWND Tip, HWND Wnd) {
  auto It = Subclassed().find(Wnd);
  if (It == Subclassed().end()) {
    return;
  }
  It->second.Tips.erase(Tip);
  // Only a subclass that is still on top can be taken off; a later one keeps calling through it.
  if (It->second.Tips.empty() &&
      reinterpret_cast<WNDPROC>(GetWindowLongPtr(Wnd, GWLP_WNDPROC)) == &SubclassProc) {
    SetWindowLongPtr(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(It->second.Previous));
    Subclassed().erase(It);
  }
}

TTool ToolFrom(const TOOLINFO& I) {
  TTool T;
  T.Flags = I.uFlags;
  T.Wnd = I.hwnd;
  T.Id = I.uId;
  T.Rect = I.rect;
  T.Text = I.lpszText ? I.lpszText : "";
  T.Param = I.lParam;
  return T;
}

void Paint(HWND Tip, TTip& T) {
  PAINTSTRUCT Ps;
  HDC DC = BeginPaint(Tip, &Ps);
  TRect R;
  GetClientRect(Tip, &R);
  const COLORREF Back = T.Back != TTip::CLR_INVALID_TIP ? T.Back : ColorToRGB(clInfoBk);
  HBRUSH Brush = CreateSolidBrush(Back);
  FillRect(DC, &R, Brush);
  DeleteObject(Brush);
  HGDIOBJ Old = T.Font ? SelectObject(DC, T.Font) : 0;
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, T.TextColor != TTip::CLR_INVALID_TIP ? T.TextColor : ColorToRGB(clInfoText));
  const std::string Text = GetWindowTextString(Tip);
  R = Rect(R.Left + 3, R.Top + 1, R.Right - 1, R.Bottom);
  const UINT Prefix = (GetWindowLong(Tip, GWL_STYLE) & TTS_NOPREFIX) ? DT_NOPREFIX : 0;
  DrawText(DC, Text.c_str(), -1, &R, Prefix | (T.MaxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  if (Old) {
    SelectObject(DC, Old);
  }
  EndPaint(Tip, &Ps);
}

// The list of tools: adding, changing, removing and reading them.
std::optional<LRESULT> ToolListMessage(HWND Tip, TTip* T, UINT Msg, [[maybe_unused]] WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case TTM_ADDTOOL: {
      const auto* I = reinterpret_cast<const TOOLINFO*>(LParam);
      if (!I) {
        return FALSE;
      }
      TTool Tool = ToolFrom(*I);
      if (const int Old = FindTool(*T, Tool.Wnd, Tool.Id); Old >= 0) {
        T->Tools[static_cast<std::size_t>(Old)] = Tool;
      } else {
        T->Tools.push_back(Tool);
      }
      if (Tool.Flags & TTF_SUBCLASS) {
        Watch(Tip, Tool.Window());
      }
      return TRUE;
    }
    case TTM_SETTOOLINFO:
    case TTM_NEWTOOLRECT:
    case TTM_UPDATETIPTEXT: {
      const auto* I = reinterpret_cast<const TOOLINFO*>(LParam);
      const int Index = I ? FindTool(*T, I->hwnd, I->uId) : -1;
      if (Index < 0) {
        return 0;
      }
      TTool& Tool = T->Tools[static_cast<std::size_t>(Index)];
      if (Msg == TTM_SETTOOLINFO) {
        Tool = ToolFrom(*I);
      } else if (Msg == TTM_NEWTOOLRECT) {
        Tool.Rect = I->rect;
      } else {
        Tool.Text = I->lpszText ? I->lpszText : "";
      }
      if (T->Showing && T->Current == Index && Msg != TTM_NEWTOOLRECT) {
        SetWindowText(Tip, Tool.Text.c_str());
        InvalidateRect(Tip, nullptr, TRUE);
      }
      return 0;
    }
    case TTM_DELTOOL: {
      const auto* I = reinterpret_cast<const TOOLINFO*>(LParam);
      const int Index = I ? FindTool(*T, I->hwnd, I->uId) : -1;
      if (Index < 0) {
        return 0;
      }
      if (T->Current == Index) {
        Hide(Tip, *T);
      }
      if (T->Pending == Index) {
        KillTimer(Tip, InitialTimer);
        T->Pending = -1;
      }
      const HWND Watched = T->Tools[static_cast<std::size_t>(Index)].Window();
      T->Tools.erase(T->Tools.begin() + Index);
      if (T->Current > Index) --T->Current;
      if (T->Pending > Index) --T->Pending;
      if (std::none_of(T->Tools.begin(), T->Tools.end(), [&](const TTool& X) { return X.Window() == Watched; })) {
        Unwatch(Tip, Watched);
      }
      return 0;
    }
    case TTM_GETTOOLINFO: {
      auto* I = reinterpret_cast<TOOLINFO*>(LParam);
      const int Index = I ? FindTool(*T, I->hwnd, I->uId) : -1;
      if (Index < 0) {
        return FALSE;
      }
      const TTool& Tool = T->Tools[static_cast<std::size_t>(Index)];
      I->uFlags = Tool.Flags;
      I->rect = Tool.Rect;
      I->lParam = Tool.Param;
      return TRUE;
    }
    case TTM_GETTOOLCOUNT:
      return static_cast<LRESULT>(T->Tools.size());
    default: return std::nullopt;
  }
}

// When the tip shows and hides: activation, relayed mouse messages, tracking and the timers.
std::optional<LRESULT> ShowingMessage(HWND Tip, TTip* T, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case TTM_ACTIVATE:
      T->Active = WParam != 0;
      if (!T->Active) {
        KillTimer(Tip, InitialTimer);
        T->Pending = -1;
        Hide(Tip, *T);
      }
      return 0;
    case TTM_RELAYEVENT: {
      const auto* M = reinterpret_cast<const MSG*>(LParam);
      if (M && ((M->message >= WM_MOUSEFIRST && M->message <= WM_MOUSELAST) || M->message == WM_MOUSELEAVE)) {
        Relay(Tip, M->message, M->hwnd,
              Point(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(M->lParam))),
                    static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(M->lParam)))));
      }
      return 0;
    }
    case TTM_WINDOWFROMPOINT: {
      const auto* P = reinterpret_cast<const TPoint*>(LParam);
      return P ? static_cast<LRESULT>(WindowFromPoint(*P)) : 0;
    }
    case TTM_POP: Hide(Tip, *T); return 0;
    case TTM_UPDATE: InvalidateRect(Tip, nullptr, TRUE); return 0;
    case TTM_TRACKACTIVATE: {
      const auto* I = reinterpret_cast<const TOOLINFO*>(LParam);
      const int Index = I ? FindTool(*T, I->hwnd, I->uId) : -1;
      if (WParam && Index >= 0) {
        Show(Tip, *T, Index);
      } else {
        Hide(Tip, *T);
      }
      return 0;
    }
    case TTM_TRACKPOSITION:
      SetWindowPos(Tip, HWND_TOPMOST, static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(LParam))),
                   static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(LParam))), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
      return 0;
    case WM_TIMER:
      KillTimer(Tip, WParam);
      if (WParam == InitialTimer && T->Pending >= 0) {
        Show(Tip, *T, T->Pending);
      } else if (WParam == AutoPopTimer) {
        Hide(Tip, *T);
      }
      return 0;
    default: return std::nullopt;
  }
}

// The settings: delays, the widest tip, colours and the font.
std::optional<LRESULT> SettingMessage(HWND Tip, TTip* T, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case TTM_SETDELAYTIME: {
      const int Ms = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(LParam)));
      switch (WParam) {
        case TTDT_INITIAL: T->Initial = Ms; break;
        case TTDT_AUTOPOP: T->AutoPop = Ms; break;
        case TTDT_RESHOW: T->Reshow = Ms; break;
        default:
          T->Initial = Ms < 0 ? -1 : Ms;
          T->AutoPop = Ms < 0 ? -1 : Ms * 10;
          T->Reshow = Ms < 0 ? -1 : Ms / 5;
          break;
      }
      return 0;
    }
    case TTM_GETDELAYTIME:
      return Delay(*T, WParam);
    case TTM_SETMAXTIPWIDTH: {
      const int Old = T->MaxWidth;
      T->MaxWidth = static_cast<int>(LParam);
      return Old;
    }
    case TTM_GETMAXTIPWIDTH:
      return T->MaxWidth;
    case TTM_SETTIPBKCOLOR:
      T->Back = static_cast<COLORREF>(WParam);
      return 0;
    case TTM_SETTIPTEXTCOLOR:
      T->TextColor = static_cast<COLORREF>(WParam);
      return 0;
    case WM_SETFONT:
      T->Font = static_cast<HFONT>(WParam);
      if (LParam) {
        InvalidateRect(Tip, nullptr, TRUE);
      }
      return 0;
    case WM_GETFONT: return static_cast<LRESULT>(T->Font);
    default: return std::nullopt;
  }
}

// The tip's own window: the mouse over it, and its painting.
std::optional<LRESULT> WindowMessage(HWND Tip, TTip* T, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_MOUSEMOVE: {
      // The mouse over the tip: it stays while the window under the cursor counts as the tool's.
      TPoint P;
      GetCursorPos(&P);
      const HWND Under = static_cast<HWND>(SendMessage(Tip, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&P)));
      if (T->Showing && T->Current >= 0 && Under == T->Tools[static_cast<std::size_t>(T->Current)].Window()) {
        return 0;
      }
      Hide(Tip, *T);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      Hide(Tip, *T);
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      // The tip of a transparent tool lets the mouse through to the window under it.
      if (T->Showing && T->Current >= 0 && (T->Tools[static_cast<std::size_t>(T->Current)].Flags & TTF_TRANSPARENT)) {
        return HTTRANSPARENT;
      }
      return DefWindowProc(Tip, Msg, WParam, LParam);
    case WM_PAINT:
      Paint(Tip, *T);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default: return std::nullopt;
  }
}

LRESULT ToolTipProc(HWND Tip, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TTip* T = TipOf(Tip);
  switch (Msg) {
    case WM_NCCREATE: {
      Tips()[Tip] = TTip();
      // A tip is a popup of its own, framed, above everything.
      SetWindowLong(Tip, GWL_STYLE,
                    static_cast<LONG>((GetWindowLong(Tip, GWL_STYLE) & ~WS_CHILD) | WS_POPUP | WS_BORDER));
      SetWindowLong(Tip, GWL_EXSTYLE,
                    static_cast<LONG>(GetWindowLong(Tip, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
      return DefWindowProc(Tip, Msg, WParam, LParam);
    }
    case WM_NCDESTROY:
      if (T) {
        for (const auto& Tool : T->Tools) {
          Unwatch(Tip, Tool.Window());
        }
        Tips().erase(Tip);
      }
      return DefWindowProc(Tip, Msg, WParam, LParam);
    default: break;
  }
  if (!T) {
    return DefWindowProc(Tip, Msg, WParam, LParam);
  }
  for (auto* Group : {&ToolListMessage, &ShowingMessage, &SettingMessage, &WindowMessage}) {
    if (const std::optional<LRESULT> Result = Group(Tip, T, Msg, WParam, LParam)) {
      return *Result;
    }
  }
  return DefWindowProc(Tip, Msg, WParam, LParam);
}

}  // namespace

bool InitToolTipControl() {
  WNDCLASS C;
  if (GetClassInfo(nullptr, TOOLTIPS_CLASS, &C)) {
    return true;
  }
  C = WNDCLASS{};
  C.style = CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS;
  C.lpfnWndProc = &ToolTipProc;
  C.lpszClassName = TOOLTIPS_CLASS;
  return RegisterClass(&C) != 0;
}

namespace {
const bool Registered = InitToolTipControl();
}  // namespace
