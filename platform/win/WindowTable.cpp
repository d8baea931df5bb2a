// The window table: classes, handles, creation and destruction, window longs, the window tree and its searches.
#include "platform/win/WindowInternals.h"
#include "platform/win/CrossProcess.h"
#include "platform/win/WinHooks.h"
#include "platform/win/UtilWindow.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <unordered_map>

#include <unistd.h>

using namespace WindowSystem;

namespace {

struct TTable {
  std::recursive_mutex Lock;
  std::unordered_map<HWND, PWindowRec> Windows;
  std::vector<HWND> TopLevel;  // z-order, topmost first; message-only windows are not in it
  std::vector<HWND> MessageOnly;
  HWND NextHandle = 0x100;
  std::map<std::string, std::shared_ptr<TWndClassRec>> Classes;  // by upper-case name
  ATOM NextClassAtom = 0xC000;
};

TTable& Table() {
  static TTable* T = new TTable;  // lives for the whole process: windows may die during static teardown
  return *T;
}

std::string ClassKey(LPCSTR Name) { return UpperCase(Name ? std::string(Name) : std::string()); }

bool IsIntAtom(LPCSTR Name) { return reinterpret_cast<std::uintptr_t>(Name) < 0x10000; }

std::shared_ptr<TWndClassRec> FindClass(LPCSTR Name) {
  auto& T = Table();
  std::lock_guard G(T.Lock);
  if (IsIntAtom(Name)) {
    ATOM A = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(Name));
    for (auto& [Key, C] : T.Classes) {
      if (C->Atom == A) {
        return C;
      }
    }
    return nullptr;
  }
  auto It = T.Classes.find(ClassKey(Name));
  return It == T.Classes.end() ? nullptr : It->second;
}

HWND AllocHandle() {
  auto& T = Table();
  for (;;) {
    HWND H = T.NextHandle;
    T.NextHandle = T.NextHandle >= 0x3FFFFFFF ? 0x100 : T.NextHandle + 1;
    if (H != HWND_BROADCAST && T.Windows.find(H) == T.Windows.end()) {
      return H;
    }
  }
}

std::vector<HWND>& SiblingList(const TWindowRec& R) {
  auto& T = Table();
  if (R.MessageOnly) {
    return T.MessageOnly;
  }
  if (R.Parent) {
    return Find(R.Parent)->Children;
  }
  return T.TopLevel;
}

void Unlink(TWindowRec& R) {
  auto& L = SiblingList(R);
  L.erase(std::remove(L.begin(), L.end(), R.Handle), L.end());
}

// Inserts a window among its siblings: children at the bottom (creation order is z-order), top-level windows
// at the top, below the topmost ones unless they are topmost themselves.
void LinkNew(TWindowRec& R) {
  auto& L = SiblingList(R);
  if (R.Parent || R.MessageOnly) {
    L.push_back(R.Handle);
    return;
  }
  auto Pos = L.begin();
  if (!(R.ExStyle & WS_EX_TOPMOST)) {
    while (Pos != L.end()) {
      auto W = Find(*Pos);
      if (!W || !(W->ExStyle & WS_EX_TOPMOST)) {
        break;
      }
      ++Pos;
    }
  }
  L.insert(Pos, R.Handle);
}

bool SameText(const std::string& A, LPCSTR B) { return CompareText(A, B) == 0; }

void ParentNotify(const PWindowRec& R, UINT Event) {
  if (!(R->Style & WS_CHILD) || (R->ExStyle & WS_EX_NOPARENTNOTIFY)) {
    return;
  }
  HWND Child = R->Handle;
  WPARAM W = MAKELONG(static_cast<WORD>(Event), static_cast<WORD>(R->Id));
  for (auto P = Find(R->Parent); P; P = Find(P->Parent)) {
    SendMessage(P->Handle, WM_PARENTNOTIFY, W, static_cast<LPARAM>(Child));
    if (!(P->Style & WS_CHILD) || (P->ExStyle & WS_EX_NOPARENTNOTIFY)) {
      break;
    }
  }
}

void SendDestroyTree(const PWindowRec& R) {
  SendMessage(R->Handle, WM_DESTROY, 0, 0);
  for (HWND C : ChildrenOf(R->Handle)) {
    if (auto CR = Find(C); CR && !CR->Dead) {
      CR->Destroying = true;
      SendDestroyTree(CR);
    }
  }
}

void FreeTree(const PWindowRec& R) {
  for (HWND C : ChildrenOf(R->Handle)) {
    if (auto CR = Find(C); CR && !CR->Dead) {
      FreeTree(CR);
    }
  }
  if (R->Dead) {
    return;
  }
  ForgetWindow(R);
  if (auto* B = ExistingWindowBackend()) {
    B->WindowChanged(R->Handle, TWindowChange::Destroyed);
  }
  SendMessage(R->Handle, WM_NCDESTROY, 0, 0);
  auto& T = Table();
  std::lock_guard G(T.Lock);
  R->Dead = true;
  Unlink(*R);
  R->Class->WindowCount--;
  T.Windows.erase(R->Handle);
}

// The window procedure of windows whose class proc is the object-instance table's.
struct TObjectInstances {
  std::mutex Lock;
  std::unordered_map<std::uintptr_t, std::shared_ptr<TWndMethod>> Map;
  std::uintptr_t Next = 0x7F0000000000ull;  // fake addresses that never name code
};
TObjectInstances& Instances() {
  static auto* I = new TObjectInstances;
  return *I;
}

LRESULT UtilWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return DefWindowProc(Wnd, Msg, WParam, LParam);
}

}  // namespace

namespace WindowSystem {

std::recursive_mutex& TableLock() { return Table().Lock; }

PWindowRec Find(HWND Wnd) {
  if (Wnd == 0) {
    return nullptr;
  }
  auto& T = Table();
  std::lock_guard G(T.Lock);
  auto It = T.Windows.find(Wnd);
  return It == T.Windows.end() ? nullptr : It->second;
}

std::vector<HWND> TopLevelWindows() {
  auto& T = Table();
  std::lock_guard G(T.Lock);
  return T.TopLevel;
}

void ReorderTopLevel(const std::vector<HWND>& NewOrder) {
  auto& T = Table();
  std::lock_guard G(T.Lock);
  T.TopLevel = NewOrder;
}

std::vector<HWND> ChildrenOf(HWND Wnd) {
  if (Wnd == 0) {
    return TopLevelWindows();
  }
  auto& T = Table();
  std::lock_guard G(T.Lock);
  auto It = T.Windows.find(Wnd);
  return It == T.Windows.end() ? std::vector<HWND>{} : It->second->Children;
}

LRESULT InvokeProc(WNDPROC Proc, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!Proc) {
    return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
  auto Key = reinterpret_cast<std::uintptr_t>(Proc);
  if (Key >= 0x7F0000000000ull && Key < 0x7F0100000000ull) {
    std::shared_ptr<TWndMethod> Method;
    {
      auto& I = Instances();
      std::lock_guard G(I.Lock);
      auto It = I.Map.find(Key);
      if (It != I.Map.end()) {
        Method = It->second;
      }
    }
    if (Method) {
      TMessage M{Msg, WParam, LParam, 0};
      (*Method)(M);
      return M.Result;
    }
  }
  return Proc(Wnd, Msg, WParam, LParam);
}

}  // namespace WindowSystem

// ---- Object instances and utility windows -----------------------------------------------------------------------

WNDPROC MakeObjectInstance(TWndMethod Method) {
  auto& I = Instances();
  std::lock_guard G(I.Lock);
  std::uintptr_t Key = I.Next;
  I.Next += 16;
  I.Map[Key] = std::make_shared<TWndMethod>(std::move(Method));
  return reinterpret_cast<WNDPROC>(Key);
}

void FreeObjectInstance(WNDPROC ObjectInstance) {
  auto& I = Instances();
  std::lock_guard G(I.Lock);
  I.Map.erase(reinterpret_cast<std::uintptr_t>(ObjectInstance));
}

HWND AllocateHWnd(TWndMethod Method) {
  static const char* ClassName = "TPUtilWindow";
  if (!FindClass(ClassName)) {
    WNDCLASS WC;
    WC.lpfnWndProc = &UtilWindowProc;
    WC.lpszClassName = ClassName;
    RegisterClass(&WC);
  }
  HWND Wnd = CreateWindowEx(WS_EX_TOOLWINDOW, ClassName, "", WS_POPUP, 0, 0, 0, 0, 0, 0, nullptr, nullptr);
  if (Wnd && Method) {
    SetWindowLongPtr(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(MakeObjectInstance(std::move(Method))));
  }
  return Wnd;
}

void DeallocateHWnd(HWND Wnd) {
  auto R = Find(Wnd);
  if (!R) {
    return;
  }
  WNDPROC Instance = R->Proc;
  DestroyWindow(Wnd);
  if (Instance != &UtilWindowProc) {
    FreeObjectInstance(Instance);
  }
}

// ---- Classes ----------------------------------------------------------------------------------------------------

ATOM RegisterClass(const WNDCLASS* WndClass) {
  if (!WndClass || !WndClass->lpszClassName || IsIntAtom(WndClass->lpszClassName) ||
      !*WndClass->lpszClassName || WndClass->cbClsExtra < 0 || WndClass->cbWndExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto& T = Table();
  std::lock_guard G(T.Lock);
  std::string Key = ClassKey(WndClass->lpszClassName);
  if (T.Classes.count(Key)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto C = std::make_shared<TWndClassRec>();
  C->Name = WndClass->lpszClassName;
  C->MenuName = WndClass->lpszMenuName && !IsIntAtom(WndClass->lpszMenuName) ? WndClass->lpszMenuName : "";
  C->Info = *WndClass;
  C->Info.lpszClassName = C->Name.c_str();
  C->Info.lpszMenuName = C->MenuName.empty() ? nullptr : C->MenuName.c_str();
  C->ClassExtra.assign(static_cast<std::size_t>(WndClass->cbClsExtra), 0);
  C->Atom = T.NextClassAtom++;
  T.Classes[Key] = C;
  return C->Atom;
}

BOOL UnregisterClass(LPCSTR ClassName, HINSTANCE) {
  auto C = FindClass(ClassName);
  if (!C) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  auto& T = Table();
  std::lock_guard G(T.Lock);
  if (C->WindowCount > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  T.Classes.erase(ClassKey(C->Name.c_str()));
  return TRUE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR ClassName, WNDCLASS* WndClass) {
  auto C = FindClass(ClassName);
  if (!C) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (WndClass) {
    *WndClass = C->Info;
  }
  return TRUE;
}

int GetClassName(HWND Wnd, LPSTR ClassName, int MaxCount) {
  if (std::string Name; CrossProcess::IsForeignHandle(Wnd)) {
    if (!CrossProcess::ForeignWindowInfo(Wnd, &Name, nullptr) || !ClassName || MaxCount <= 0) {
      return 0;
    }
    int N = std::min<int>(static_cast<int>(Name.size()), MaxCount - 1);
    std::memcpy(ClassName, Name.data(), static_cast<std::size_t>(N));
    ClassName[N] = '\0';
    return N;
  }
  auto R = Find(Wnd);
  if (!R) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (!ClassName || MaxCount <= 0) {
    return 0;
  }
  int N = std::min<int>(static_cast<int>(R->Class->Name.size()), MaxCount - 1);
  std::memcpy(ClassName, R->Class->Name.data(), static_cast<std::size_t>(N));
  ClassName[N] = '\0';
  return N;
}

LONG_PTR GetClassLongPtr(HWND Wnd, int Index) {
  auto R = Find(Wnd);
  if (!R) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  const auto& I = R->Class->Info;
  switch (Index) {
    case GCL_STYLE: return I.style;
    case GCL_WNDPROC: return reinterpret_cast<LONG_PTR>(I.lpfnWndProc);
    case GCL_CBWNDEXTRA: return I.cbWndExtra;
    case GCL_CBCLSEXTRA: return I.cbClsExtra;
    case GCL_HCURSOR: return static_cast<LONG_PTR>(I.hCursor);
    case GCL_HICON: return static_cast<LONG_PTR>(I.hIcon);
    case GCL_HBRBACKGROUND: return static_cast<LONG_PTR>(I.hbrBackground);
    case GCW_ATOM: return R->Class->Atom;
    default: break;
  }
  if (Index >= 0 && static_cast<std::size_t>(Index) + sizeof(LONG_PTR) <= R->Class->ClassExtra.size()) {
    LONG_PTR V = 0;
    std::memcpy(&V, R->Class->ClassExtra.data() + Index, sizeof V);
    return V;
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

DWORD GetClassLong(HWND Wnd, int Index) { return static_cast<DWORD>(GetClassLongPtr(Wnd, Index)); }

// ---- Creation and destruction -----------------------------------------------------------------------------------

HWND CreateWindowEx(DWORD ExStyle, LPCSTR ClassName, LPCSTR WindowName, DWORD Style, int X, int Y, int Width,
                    int Height, HWND Parent, HMENU Menu, HINSTANCE Instance, LPVOID Param) {
  bool MessageOnly = Parent == HWND_MESSAGE;
  auto Class = FindClass(ClassName);
  if (!Class && !MessageOnly && !IsIntAtom(ClassName) && !ToolkitLoaded() && LoadToolkit()) {
    Class = FindClass(ClassName);  // the native control classes come with the toolkit
  }
  if (!Class) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return 0;
  }
  if (MessageOnly) {
    Parent = 0;
    Style &= ~WS_CHILD;
  }
  if ((Style & WS_CHILD) && !Parent) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return 0;
  }
  if (Parent && !Find(Parent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  HWND Owner = 0;
  if (!(Style & WS_CHILD) && Parent) {
    Owner = GetAncestor(Parent, GA_ROOT);  // a top-level window's "parent" is its owner
    Parent = 0;
  }
  if (X == CW_USEDEFAULT || Width == CW_USEDEFAULT) {
    TRect Screen{0, 0, 800, 600};
    if (!Parent) {
      if (auto* B = WindowBackend()) {
        Screen = B->ScreenRect();
      }
    }
    if (X == CW_USEDEFAULT) {
      X = Parent ? 0 : 26;
      Y = Parent ? 0 : 26;
    }
    if (Width == CW_USEDEFAULT) {
      Width = Parent ? 0 : Screen.Width() * 3 / 4;
      Height = Parent ? 0 : Screen.Height() * 3 / 4;
    }
  }
  auto R = std::make_shared<TWindowRec>();
  R->Class = Class;
  R->Proc = Class->Info.lpfnWndProc;
  R->Style = Style & ~WS_VISIBLE;
  R->ExStyle = ExStyle;
  R->Parent = Parent;
  R->Owner = Owner;
  R->MessageOnly = MessageOnly;
  R->Window = Rect(X, Y, X + std::max(Width, 0), Y + std::max(Height, 0));
  R->Client = R->Window;
  R->Normal = R->Window;
  R->Text = WindowName ? WindowName : "";
  R->Id = (Style & WS_CHILD) ? static_cast<LONG_PTR>(Menu) : 0;
  R->Instance = Instance;
  R->Extra.assign(static_cast<std::size_t>(Class->Info.cbWndExtra), 0);
  R->Queue = CurrentQueuePtr();
  {
    auto& T = Table();
    std::lock_guard G(T.Lock);
    R->Handle = AllocHandle();
    T.Windows[R->Handle] = R;
    Class->WindowCount++;
    LinkNew(*R);
  }
  HWND Wnd = R->Handle;

  CREATESTRUCT CS;
  CS.lpCreateParams = Param;
  CS.hInstance = Instance;
  CS.hMenu = Menu;
  CS.hwndParent = Parent ? Parent : Owner;
  CS.x = X;
  CS.y = Y;
  CS.cx = R->Window.Width();
  CS.cy = R->Window.Height();
  CS.style = static_cast<LONG>(Style);
  CS.lpszName = R->Text.c_str();
  CS.lpszClass = Class->Name.c_str();
  CS.dwExStyle = ExStyle;

  auto Abandon = [&] {
    auto& T = Table();
    std::lock_guard G(T.Lock);
    ForgetWindow(R);
    R->Dead = true;
    Unlink(*R);
    Class->WindowCount--;
    T.Windows.erase(Wnd);
  };
  if (HasHooks(WH_CBT)) {
    CBT_CREATEWND Cbt{&CS, HWND_TOP};
    if (CallHooks(WH_CBT, HCBT_CREATEWND, Wnd, reinterpret_cast<LPARAM>(&Cbt)) != 0) {
      Abandon();
      return 0;
    }
  }
  if (!(Style & WS_CHILD) || (Style & WS_THICKFRAME)) {
    MINMAXINFO MM;
    MM.ptMaxTrackSize = Point(GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK));
    SendMessage(Wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&MM));
    if (R->Window.Width() > MM.ptMaxTrackSize.X) {
      R->Window.Right = R->Window.Left + MM.ptMaxTrackSize.X;
    }
    if (R->Window.Height() > MM.ptMaxTrackSize.Y) {
      R->Window.Bottom = R->Window.Top + MM.ptMaxTrackSize.Y;
    }
    R->Client = R->Window;
  }
  if (SendMessage(Wnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&CS)) == 0) {
    if (!R->Dead) {
      SendMessage(Wnd, WM_NCDESTROY, 0, 0);
      Abandon();
    }
    return 0;
  }
  RecalcClient(R);
  if (SendMessage(Wnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&CS)) == -1) {
    DestroyWindow(Wnd);
    return 0;
  }
  if (R->Dead) {
    return 0;
  }
  // A window that shows needs the toolkit; hidden top-level windows (sockets, timers) live without it until
  // they are shown.
  const bool Shows = !R->MessageOnly && (R->Style & WS_VISIBLE) && (!R->Parent || IsWindowVisible(R->Parent));
  if (auto* B = R->MessageOnly ? nullptr : Shows ? WindowBackend() : WindowBackendIfLoaded()) {
    B->WindowChanged(Wnd, TWindowChange::Created);
  }
  SendMessage(Wnd, WM_SIZE, SIZE_RESTORED, MAKELONG(static_cast<WORD>(R->Client.Width()), static_cast<WORD>(R->Client.Height())));
  SendMessage(Wnd, WM_MOVE, 0, MAKELONG(static_cast<WORD>(R->Client.Left), static_cast<WORD>(R->Client.Top)));
  if (R->Dead) {
    return 0;
  }
  ParentNotify(R, WM_CREATE);
  CrossProcess::WindowChanged(Wnd);  // findable by other processes
  if (Style & WS_VISIBLE) {
    int Cmd = (Style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : (Style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOW;
    ShowWindow(Wnd, Cmd);
  }
  return R->Dead ? 0 : Wnd;
}

HWND CreateWindow(LPCSTR ClassName, LPCSTR WindowName, DWORD Style, int X, int Y, int Width, int Height,
                  HWND Parent, HMENU Menu, HINSTANCE Instance, LPVOID Param) {
  return CreateWindowEx(0, ClassName, WindowName, Style, X, Y, Width, Height, Parent, Menu, Instance, Param);
}

BOOL DestroyWindow(HWND Wnd) {
  auto R = Find(Wnd);
  if (!R) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (R->Queue.get() != &CurrentQueue()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (R->Destroying) {
    return TRUE;
  }
  if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_DESTROYWND, Wnd, 0) != 0) {
    return FALSE;
  }
  R->Destroying = true;
  ParentNotify(R, WM_DESTROY);
  // Owned windows go first, as on the platform.
  for (HWND Top : TopLevelWindows()) {
    if (auto T = Find(Top); T && T->Owner == Wnd && !T->Destroying) {
      DestroyWindow(Top);
    }
  }
  if (R->Style & WS_VISIBLE) {
    SetWindowPos(Wnd, 0, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  MoveActivationAway(Wnd, true);
  if (HWND Cap = GetCapture(); Cap && (Cap == Wnd || IsChild(Wnd, Cap))) {
    ReleaseCapture();
  }
  SendDestroyTree(R);
  FreeTree(R);
  return TRUE;
}

BOOL IsWindow(HWND Wnd) {
  if (CrossProcess::IsForeignHandle(Wnd)) {
    return CrossProcess::ForeignWindowInfo(Wnd, nullptr, nullptr) ? TRUE : FALSE;
  }
  auto R = Find(Wnd);
  return R && !R->Dead;
}

BOOL IsWindowVisible(HWND Wnd) {
  for (auto R = Find(Wnd); R; R = Find(R->Parent)) {
    if (!(R->Style & WS_VISIBLE)) {
      return FALSE;
    }
    if (!(R->Style & WS_CHILD)) {
      return TRUE;
    }
  }
  return FALSE;
}

BOOL IsWindowEnabled(HWND Wnd) {
  auto R = Find(Wnd);
  return R && !(R->Style & WS_DISABLED);
}

BOOL IsIconic(HWND Wnd) {
  auto R = Find(Wnd);
  return R && (R->Style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND Wnd) {
  auto R = Find(Wnd);
  return R && (R->Style & WS_MAXIMIZE);
}

BOOL IsChild(HWND Parent, HWND Wnd) {
  for (auto R = Find(Wnd); R && (R->Style & WS_CHILD); R = Find(R->Parent)) {
    if (R->Parent == Parent) {
      return TRUE;
    }
  }
  return FALSE;
}

// ---- Window longs -----------------------------------------------------------------------------------------------

LONG_PTR GetWindowLongPtr(HWND Wnd, int Index) {
  auto R = Find(Wnd);
  if (!R) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  switch (Index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(R->Proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(R->Instance);
    case GWL_HWNDPARENT: return static_cast<LONG_PTR>((R->Style & WS_CHILD) ? R->Parent : R->Owner);
    case GWL_ID: return R->Id;
    case GWL_STYLE: return static_cast<LONG_PTR>(R->Style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(R->ExStyle);
    case GWL_USERDATA: return R->UserData;
    default: break;
  }
  if (Index >= 0 && static_cast<std::size_t>(Index) + sizeof(LONG_PTR) <= R->Extra.size()) {
    LONG_PTR V = 0;
    std::memcpy(&V, R->Extra.data() + Index, sizeof V);
    return V;
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

LONG GetWindowLong(HWND Wnd, int Index) {
  if (Index >= 0) {
    auto R = Find(Wnd);
    if (R && static_cast<std::size_t>(Index) + sizeof(LONG) <= R->Extra.size()) {
      LONG V = 0;
      std::memcpy(&V, R->Extra.data() + Index, sizeof V);
      return V;
    }
  }
  return static_cast<LONG>(GetWindowLongPtr(Wnd, Index));
}

namespace {

LONG_PTR SetStyleLong(const PWindowRec& R, int Index, DWORD New) {
  DWORD& Field = Index == GWL_STYLE ? R->Style : R->ExStyle;
  DWORD Old = Field;
  STYLESTRUCT SS{Old, New};
  SendMessage(R->Handle, WM_STYLECHANGING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&SS));
  if (R->Dead) {
    return 0;
  }
  Field = SS.styleNew;
  SS.styleOld = Old;
  SendMessage(R->Handle, WM_STYLECHANGED, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&SS));
  if (Index == GWL_STYLE && (New & ~Old & WS_VISIBLE) && !R->MessageOnly) {
    WindowBackend();  // a window that comes to show needs the toolkit
  }
  if (auto* B = ExistingWindowBackend(); B && Index == GWL_STYLE) {
    if ((Old ^ New) & WS_VISIBLE) {
      B->WindowChanged(R->Handle, TWindowChange::Visibility);
    }
    if ((Old ^ New) & WS_DISABLED) {
      B->WindowChanged(R->Handle, TWindowChange::Enabled);
    }
  }
  return static_cast<LONG_PTR>(Old);
}

}  // namespace

LONG_PTR SetWindowLongPtr(HWND Wnd, int Index, LONG_PTR NewLong) {
  auto R = Find(Wnd);
  if (!R) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  LONG_PTR Old = 0;
  switch (Index) {
    case GWL_WNDPROC:
      Old = reinterpret_cast<LONG_PTR>(R->Proc);
      R->Proc = reinterpret_cast<WNDPROC>(NewLong);
      return Old;
    case GWL_HINSTANCE:
      Old = reinterpret_cast<LONG_PTR>(R->Instance);
      R->Instance = reinterpret_cast<HINSTANCE>(NewLong);
      return Old;
    case GWL_HWNDPARENT:
      if (R->Style & WS_CHILD) {
        return static_cast<LONG_PTR>(SetParent(Wnd, static_cast<HWND>(NewLong)));
      }
      Old = static_cast<LONG_PTR>(R->Owner);
      R->Owner = static_cast<HWND>(NewLong);
      return Old;
    case GWL_ID:
      Old = R->Id;
      R->Id = NewLong;
      return Old;
    case GWL_STYLE:
    case GWL_EXSTYLE:
      return SetStyleLong(R, Index, static_cast<DWORD>(NewLong));
    case GWL_USERDATA:
      Old = R->UserData;
      R->UserData = NewLong;
      return Old;
    default: break;
  }
  if (Index >= 0 && static_cast<std::size_t>(Index) + sizeof(LONG_PTR) <= R->Extra.size()) {
    std::memcpy(&Old, R->Extra.data() + Index, sizeof Old);
    std::memcpy(R->Extra.data() + Index, &NewLong, sizeof NewLong);
    return Old;
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

LONG SetWindowLong(HWND Wnd, int Index, LONG NewLong) {
  if (Index >= 0) {
    auto R = Find(Wnd);
    if (R && static_cast<std::size_t>(Index) + sizeof(LONG) <= R->Extra.size()) {
      LONG Old = 0;
      std::memcpy(&Old, R->Extra.data() + Index, sizeof Old);
      std::memcpy(R->Extra.data() + Index, &NewLong, sizeof NewLong);
      return Old;
    }
  }
  if (Index == GWL_STYLE || Index == GWL_EXSTYLE) {
    return static_cast<LONG>(SetWindowLongPtr(Wnd, Index, static_cast<LONG_PTR>(static_cast<DWORD>(NewLong))));
  }
  return static_cast<LONG>(SetWindowLongPtr(Wnd, Index, NewLong));
}

LRESULT CallWindowProc(WNDPROC PrevWndFunc, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return InvokeProc(PrevWndFunc, Wnd, Msg, WParam, LParam);
}

// ---- The tree ---------------------------------------------------------------------------------------------------

HWND GetWindow(HWND Wnd, UINT Cmd) {
  auto R = Find(Wnd);
  if (!R) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  std::lock_guard G(TableLock());
  switch (Cmd) {
    case GW_OWNER: return R->Owner;
    case GW_CHILD: return R->Children.empty() ? 0 : R->Children.front();
    case GW_ENABLEDPOPUP: return 0;
    default: break;
  }
  const auto& L = SiblingList(*R);
  auto It = std::find(L.begin(), L.end(), Wnd);
  if (It == L.end()) {
    return 0;
  }
  switch (Cmd) {
    case GW_HWNDFIRST: return L.front();
    case GW_HWNDLAST: return L.back();
    case GW_HWNDNEXT: return It + 1 == L.end() ? 0 : *(It + 1);
    case GW_HWNDPREV: return It == L.begin() ? 0 : *(It - 1);
    default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
  }
}

HWND GetParent(HWND Wnd) {
  auto R = Find(Wnd);
  if (!R) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (R->Style & WS_CHILD) {
    return R->Parent;
  }
  return (R->Style & WS_POPUP) ? R->Owner : 0;
}

HWND GetAncestor(HWND Wnd, UINT Flags) {
  auto R = Find(Wnd);
  if (!R) {
    return 0;
  }
  switch (Flags) {
    case GA_PARENT: return R->Parent;
    case GA_ROOT:
      while (R->Parent) {
        R = Find(R->Parent);
      }
      return R->Handle;
    case GA_ROOTOWNER: {
      HWND Root = GetAncestor(Wnd, GA_ROOT);
      for (auto O = Find(Root); O && O->Owner; O = Find(O->Owner)) {
        Root = O->Owner;
      }
      return Root;
    }
    default: return 0;
  }
}

HWND GetTopWindow(HWND Wnd) {
  auto L = ChildrenOf(Wnd);
  return L.empty() ? 0 : L.front();
}

HWND GetDesktopWindow() { return 0; }

HWND SetParent(HWND Child, HWND NewParent) {
  auto R = Find(Child);
  if (!R || (NewParent && !Find(NewParent)) || NewParent == Child || IsChild(Child, NewParent)) {
    SetLastError(R ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  HWND Old = R->Parent;
  {
    std::lock_guard G(TableLock());
    Unlink(*R);
    R->Parent = NewParent;
    R->MessageOnly = false;
    auto& L = SiblingList(*R);
    L.insert(L.begin(), Child);  // the window comes out on top of its new siblings
  }
  if (!NewParent) {
    R->Owner = 0;
  }
  if (auto* B = ExistingWindowBackend()) {
    B->WindowChanged(Child, TWindowChange::Parent);
  }
  CrossProcess::WindowChanged(Child);
  return Old;
}

namespace {

bool EnumTree(HWND Parent, WNDENUMPROC Func, LPARAM Param) {
  for (HWND C : ChildrenOf(Parent)) {
    if (!IsWindow(C)) {
      continue;
    }
    if (!Func(C, Param) || !EnumTree(C, Func, Param)) {
      return false;
    }
  }
  return true;
}

}  // namespace

BOOL EnumWindows(WNDENUMPROC Func, LPARAM Param) {
  for (HWND W : TopLevelWindows()) {
    if (IsWindow(W) && !Func(W, Param)) {
      return FALSE;
    }
  }
  return TRUE;
}

BOOL EnumChildWindows(HWND Parent, WNDENUMPROC Func, LPARAM Param) {
  if (!Parent) {
    return EnumWindows(Func, Param);
  }
  return EnumTree(Parent, Func, Param) ? TRUE : FALSE;
}

BOOL EnumThreadWindows(DWORD ThreadId, WNDENUMPROC Func, LPARAM Param) {
  for (HWND W : TopLevelWindows()) {
    auto R = Find(W);
    if (R && !R->Dead && R->Queue->ThreadId == ThreadId && !Func(W, Param)) {
      return FALSE;
    }
  }
  return TRUE;
}

HWND FindWindowEx(HWND Parent, HWND ChildAfter, LPCSTR ClassName, LPCSTR WindowName) {
  // Top-level searches go on into other processes' windows once the own ones are done.
  if (Parent == 0 && CrossProcess::IsForeignHandle(ChildAfter)) {
    return CrossProcess::FindForeignWindow(ClassName, WindowName, ChildAfter);
  }
  std::vector<HWND> L;
  if (Parent == HWND_MESSAGE) {
    std::lock_guard G(TableLock());
    L = Table().MessageOnly;
  } else {
    L = ChildrenOf(Parent);
  }
  auto It = L.begin();
  if (ChildAfter) {
    It = std::find(L.begin(), L.end(), ChildAfter);
    if (It == L.end()) {
      return 0;
    }
    ++It;
  }
  std::shared_ptr<TWndClassRec> Class;
  if (ClassName && (IsIntAtom(ClassName) || *ClassName)) {
    Class = FindClass(ClassName);
    if (!Class) {
      return Parent == 0 ? CrossProcess::FindForeignWindow(ClassName, WindowName, 0) : 0;
    }
  }
  for (; It != L.end(); ++It) {
    auto R = Find(*It);
    if (!R || R->Dead) {
      continue;
    }
    if (Class && R->Class != Class) {
      continue;
    }
    if (WindowName && !SameText(R->Text, WindowName)) {
      continue;
    }
    return R->Handle;
  }
  return Parent == 0 ? CrossProcess::FindForeignWindow(ClassName, WindowName, 0) : 0;
}

HWND FindWindow(LPCSTR ClassName, LPCSTR WindowName) { return FindWindowEx(0, 0, ClassName, WindowName); }

// ---- Text, enabling, identifiers --------------------------------------------------------------------------------

int GetWindowText(HWND Wnd, LPSTR String, int MaxCount) {
  if (std::string Caption; CrossProcess::IsForeignHandle(Wnd)) {
    if (!CrossProcess::ForeignWindowInfo(Wnd, nullptr, &Caption) || !String || MaxCount <= 0) {
      return 0;
    }
    int N = std::min<int>(static_cast<int>(Caption.size()), MaxCount - 1);
    std::memcpy(String, Caption.data(), static_cast<std::size_t>(N));
    String[N] = '\0';
    return N;
  }
  auto R = Find(Wnd);
  if (!R || !String || MaxCount <= 0) {
    if (!R) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    }
    return 0;
  }
  if (R->Queue.get() == &CurrentQueue()) {
    return static_cast<int>(SendMessage(Wnd, WM_GETTEXT, static_cast<WPARAM>(MaxCount), reinterpret_cast<LPARAM>(String)));
  }
  int N = std::min<int>(static_cast<int>(R->Text.size()), MaxCount - 1);
  std::memcpy(String, R->Text.data(), static_cast<std::size_t>(N));
  String[N] = '\0';
  return N;
}

int GetWindowTextLength(HWND Wnd) {
  if (std::string Caption; CrossProcess::IsForeignHandle(Wnd)) {
    return CrossProcess::ForeignWindowInfo(Wnd, nullptr, &Caption) ? static_cast<int>(Caption.size()) : 0;
  }
  auto R = Find(Wnd);
  if (!R) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (R->Queue.get() == &CurrentQueue()) {
    return static_cast<int>(SendMessage(Wnd, WM_GETTEXTLENGTH, 0, 0));
  }
  return static_cast<int>(R->Text.size());
}

std::string GetWindowTextString(HWND Wnd) {
  int Len = GetWindowTextLength(Wnd);
  std::string S(static_cast<std::size_t>(Len) + 1, '\0');
  int N = GetWindowText(Wnd, S.data(), Len + 1);
  S.resize(static_cast<std::size_t>(std::max(N, 0)));
  return S;
}

BOOL SetWindowText(HWND Wnd, LPCSTR String) {
  if (!IsWindow(Wnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return SendMessage(Wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(String ? String : "")) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND Wnd, BOOL Enable) {
  auto R = Find(Wnd);
  if (!R) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  BOOL WasDisabled = (R->Style & WS_DISABLED) ? TRUE : FALSE;
  if (WasDisabled == !Enable) {
    return WasDisabled;
  }
  if (!Enable) {
    SendMessage(Wnd, WM_CANCELMODE, 0, 0);
    R->Style |= WS_DISABLED;
    HWND Focus = GetFocus();
    if (Focus && (Focus == Wnd || IsChild(Wnd, Focus))) {
      SetFocus(0);
    }
  } else {
    R->Style &= ~WS_DISABLED;
  }
  if (auto* B = ExistingWindowBackend()) {
    B->WindowChanged(Wnd, TWindowChange::Enabled);
  }
  SendMessage(Wnd, WM_ENABLE, Enable ? TRUE : FALSE, 0);
  return WasDisabled;
}

int GetDlgCtrlID(HWND Wnd) {
  auto R = Find(Wnd);
  return R && (R->Style & WS_CHILD) ? static_cast<int>(R->Id) : 0;
}

HWND GetDlgItem(HWND Dlg, int Id) {
  for (HWND C : ChildrenOf(Dlg)) {
    if (auto R = Find(C); R && R->Id == Id) {
      return C;
    }
  }
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return 0;
}

DWORD GetWindowThreadProcessId(HWND Wnd, DWORD* ProcessId) {
  auto R = Find(Wnd);
  if (!R) {
    return 0;
  }
  if (ProcessId) {
    *ProcessId = static_cast<DWORD>(::getpid());
  }
  return R->Queue->ThreadId;
}

BOOL LockWindowUpdate(HWND Wnd) {
  // One window at a time may be locked; drawing into it is held back until it is unlocked.
  static HWND Locked = 0;
  if (Wnd && Locked && Locked != Wnd && IsWindow(Locked)) {
    return FALSE;
  }
  if (auto R = Find(Locked)) {
    R->Redraw = true;
    if (auto* B = ExistingWindowBackend()) {
      B->WindowChanged(Locked, TWindowChange::Invalidated);
    }
  }
  Locked = Wnd;
  if (auto R = Find(Wnd)) {
    R->Redraw = false;
  }
  return TRUE;
}
