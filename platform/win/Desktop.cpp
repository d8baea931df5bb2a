// Files dropped from the desktop, hot keys, sounds, help requests and window regions.
#include "platform/win/Desktop.h"
#include "platform/win/ApplicationIcon.h"
#include "platform/win/WinReg.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/GlobalMemory.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Ole.h"
#include "platform/win/WindowInternals.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>

using namespace WindowSystem;

namespace {

struct TDrop {
  std::vector<std::string> Files;
  TPoint Point;
  bool Client = true;
};

struct TDesktopState {
  std::mutex Lock;
  std::map<HDROP, TDrop> Drops;
  HDROP NextDrop = 0x5000;
  std::vector<THotKey> HotKeys;
  std::vector<std::string> Sounds;
  std::vector<TWinHelpRequest> Help;
};
TDesktopState& State() {
  static auto* S = new TDesktopState;
  return *S;
}

bool Contains(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

// The window that takes a drop at a screen point: the window there or its nearest ancestor accepting files.
HWND DropTarget(TPoint P) {
  for (HWND W = WindowFromPoint(P); W; W = GetParent(W)) {
    if (GetWindowLong(W, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) {
      return W;
    }
    if (!(GetWindowLong(W, GWL_STYLE) & WS_CHILD)) {
      break;
    }
  }
  return 0;
}

bool IsSystemAlias(const std::string& Name) {
  static const char* Aliases[] = {"SystemAsterisk", "SystemExclamation", "SystemHand", "SystemQuestion",
                                  "SystemDefault", "SystemStart", "SystemExit", ".Default", "SystemNotification",
                                  "MailBeep", "Minimize", "Maximize", "RestoreUp", "RestoreDown"};
  for (const char* A : Aliases) {
    if (SameText(Name, A)) {
      return true;
    }
  }
  // Program events ("MenuPopup", "MenuCommand"...) are aliases when the user's sound scheme names a sound for them.
  HKEY Key = 0;
  const std::string Path = "AppEvents\\Schemes\\Apps\\.Default\\" + Name + "\\.Current";
  if (RegOpenKeyEx(HKEY_CURRENT_USER, Path.c_str(), 0, KEY_QUERY_VALUE, &Key) != ERROR_SUCCESS) {
    return false;
  }
  char Buffer[2] = {};
  DWORD Size = sizeof(Buffer);
  const LONG Result = RegQueryValueEx(Key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(Buffer), &Size);
  RegCloseKey(Key);
  return Result == ERROR_MORE_DATA || (Result == ERROR_SUCCESS && Size > 0 && Buffer[0] != '\0');
}

}  // namespace

// ---- Dropped files ----------------------------------------------------------------------------------------------

void DragAcceptFiles(HWND Wnd, BOOL Accept) {
  if (!IsWindow(Wnd)) {
    return;
  }
  auto Ex = static_cast<DWORD>(GetWindowLong(Wnd, GWL_EXSTYLE));
  SetWindowLong(Wnd, GWL_EXSTYLE, static_cast<LONG>(Accept ? Ex | WS_EX_ACCEPTFILES : Ex & ~WS_EX_ACCEPTFILES));
}

bool AcceptsFilesAt(TPoint ScreenPos) { return DropTarget(ScreenPos) != 0; }

bool DropFilesAt(TPoint ScreenPos, const std::vector<std::string>& Files) {
  HWND Target = DropTarget(ScreenPos);
  if (!Target || Files.empty()) {
    return false;
  }
  TDrop D;
  D.Files = Files;
  D.Point = ScreenPos;
  ScreenToClient(Target, &D.Point);
  TRect C;
  GetClientRect(Target, &C);
  D.Client = Contains(C, D.Point);
  HDROP Handle = 0;
  {
    auto& S = State();
    std::lock_guard G(S.Lock);
    Handle = S.NextDrop++;
    S.Drops[Handle] = std::move(D);
  }
  if (!PostMessage(Target, WM_DROPFILES, static_cast<WPARAM>(Handle), 0)) {
    DragFinish(Handle);
    return false;
  }
  return true;
}

namespace {

// A drop handle's contents: one the window system made, or a dropped-files block a program built.
bool LookUpDrop(HDROP Drop, TDrop& Out) {
  {
    auto& S = State();
    std::lock_guard G(S.Lock);
    if (auto It = S.Drops.find(Drop); It != S.Drops.end()) {
      Out = It->second;
      return true;
    }
  }
  bool NonClient = false;
  if (!ReadDropFilesBlock(reinterpret_cast<HGLOBAL>(Drop), Out.Files, &Out.Point, &NonClient)) {
    return false;
  }
  Out.Client = !NonClient;
  return true;
}

void AppendUtf16As1252(std::string& Out, const unsigned char* P, std::size_t Count) {
  for (std::size_t I = 0; I < Count; ++I) {
    char32_t C = static_cast<char32_t>(P[2 * I] | (P[2 * I + 1] << 8));
    if (C >= 0xD800 && C < 0xDC00 && I + 1 < Count) {
      char32_t Low = static_cast<char32_t>(P[2 * I + 2] | (P[2 * I + 3] << 8));
      if (Low >= 0xDC00 && Low < 0xE000) {
        C = 0x10000 + ((C - 0xD800) << 10) + (Low - 0xDC00);
        ++I;
      }
    }
    int B = UnicodeToCp1252(C);
    Out += B >= 0 ? static_cast<char>(B) : '?';
  }
}

}  // namespace

HGLOBAL CreateDropFilesBlock(const std::vector<std::string>& Files, TPoint Pt, bool NonClient) {
  std::size_t Size = sizeof(DROPFILES) + 1;
  for (const std::string& F : Files) {
    Size += F.size() + 1;
  }
  HGLOBAL Block = GlobalAlloc(GHND, Size);
  auto* P = static_cast<char*>(GlobalLock(Block));
  if (!P) {
    GlobalFree(Block);
    return nullptr;
  }
  DROPFILES H;
  H.pFiles = sizeof(DROPFILES);
  H.pt = Pt;
  H.fNC = NonClient ? TRUE : FALSE;
  std::memcpy(P, &H, sizeof H);
  std::size_t Pos = sizeof(DROPFILES);
  for (const std::string& F : Files) {
    std::memcpy(P + Pos, F.data(), F.size());
    Pos += F.size() + 1;  // the block is zero-filled: terminators are there already
  }
  GlobalUnlock(Block);
  return Block;
}

bool ReadDropFilesBlock(HGLOBAL Block, std::vector<std::string>& Files, TPoint* Pt, bool* NonClient) {
  std::size_t Size = Block ? GlobalSize(Block) : 0;
  if (Size < sizeof(DROPFILES)) {
    return false;
  }
  const auto* P = static_cast<const unsigned char*>(GlobalLock(Block));
  if (!P) {
    return false;
  }
  DROPFILES H;
  std::memcpy(&H, P, sizeof H);
  Files.clear();
  std::size_t Pos = H.pFiles;
  std::size_t Unit = H.fWide ? 2 : 1;
  // A name runs to its zero or to the end of the block; an empty name ends the list.
  while (Pos + Unit <= Size) {
    std::size_t End = Pos;
    while (End + Unit <= Size && !(P[End] == 0 && (Unit == 1 || P[End + 1] == 0))) {
      End += Unit;
    }
    if (End == Pos) {
      break;
    }
    std::string Name;
    if (H.fWide) {
      AppendUtf16As1252(Name, P + Pos, (End - Pos) / 2);
    } else {
      Name.assign(reinterpret_cast<const char*>(P + Pos), End - Pos);
    }
    Files.push_back(std::move(Name));
    Pos = End + Unit;
  }
  if (Pt) {
    *Pt = H.pt;
  }
  if (NonClient) {
    *NonClient = H.fNC != FALSE;
  }
  GlobalUnlock(Block);
  return true;
}

UINT DragQueryFile(HDROP Drop, UINT Index, LPSTR File, UINT Size) {
  TDrop D;
  if (!LookUpDrop(Drop, D)) {
    return 0;
  }
  const auto& Files = D.Files;
  if (Index == 0xFFFFFFFF) {
    return static_cast<UINT>(Files.size());
  }
  if (Index >= Files.size()) {
    return 0;
  }
  const std::string& Name = Files[Index];
  if (!File || Size == 0) {
    return static_cast<UINT>(Name.size());
  }
  std::size_t N = std::min<std::size_t>(Name.size(), Size - 1);
  std::memcpy(File, Name.data(), N);
  File[N] = '\0';
  return static_cast<UINT>(N);
}

BOOL DragQueryPoint(HDROP Drop, TPoint* Point) {
  TDrop D;
  if (!Point || !LookUpDrop(Drop, D)) {
    return FALSE;
  }
  *Point = D.Point;
  return D.Client ? TRUE : FALSE;
}

void DragFinish(HDROP Drop) {
  auto& S = State();
  {
    std::lock_guard G(S.Lock);
    if (S.Drops.erase(Drop)) {
      return;
    }
  }
  // A block a program built is global memory: finishing frees it, as the platform does.
  GlobalFree(reinterpret_cast<HGLOBAL>(Drop));
}

int OpenDropHandles() {
  auto& S = State();
  std::lock_guard G(S.Lock);
  return static_cast<int>(S.Drops.size());
}

// ---- Hot keys ---------------------------------------------------------------------------------------------------

namespace {

THotKeyGrabber* Grabber = nullptr;

}  // namespace

void SetHotKeyGrabber(THotKeyGrabber* G) { Grabber = G; }

BOOL RegisterHotKey(HWND Wnd, int Id, UINT Modifiers, UINT Vk) {
  if (Wnd && !IsWindow(Wnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (Wnd && GetWindowThreadProcessId(Wnd, nullptr) != GetCurrentThreadId()) {
    SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
    return FALSE;
  }
  Modifiers &= MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;
  auto& S = State();
  {
    std::lock_guard G(S.Lock);
    for (auto& H : S.HotKeys) {
      if ((H.Modifiers == Modifiers && H.Vk == Vk) || (H.Wnd == Wnd && H.Id == Id)) {
        SetLastError(ERROR_HOTKEY_ALREADY_REGISTERED);
        return FALSE;
      }
    }
  }
  // The grab talks to the window system, so it runs without the lock; hot keys belong to the user-interface
  // thread, which is the only one registering them.
  if (Grabber && Grabber->Grab(Modifiers, Vk) == ERROR_HOTKEY_ALREADY_REGISTERED) {
    SetLastError(ERROR_HOTKEY_ALREADY_REGISTERED);
    return FALSE;
  }
  std::lock_guard G(S.Lock);
  S.HotKeys.push_back(THotKey{Wnd, Id, Modifiers, Vk});
  return TRUE;
}

BOOL UnregisterHotKey(HWND Wnd, int Id) {
  THotKey Gone;
  {
    auto& S = State();
    std::lock_guard G(S.Lock);
    auto It =
        std::find_if(S.HotKeys.begin(), S.HotKeys.end(), [&](const THotKey& H) { return H.Wnd == Wnd && H.Id == Id; });
    if (It == S.HotKeys.end()) {
      SetLastError(ERROR_HOTKEY_NOT_REGISTERED);
      return FALSE;
    }
    Gone = *It;
    S.HotKeys.erase(It);
  }
  if (Grabber) {
    Grabber->Release(Gone.Modifiers, Gone.Vk);
  }
  return TRUE;
}

bool PostHotKey(UINT Modifiers, UINT Vk) {
  MSG M{};
  {
    auto& S = State();
    std::lock_guard G(S.Lock);
    auto It = std::find_if(S.HotKeys.begin(), S.HotKeys.end(),
                           [&](const THotKey& H) { return H.Modifiers == Modifiers && H.Vk == Vk; });
    if (It == S.HotKeys.end()) {
      return false;
    }
    M.hwnd = It->Wnd;
    M.wParam = static_cast<WPARAM>(It->Id);
  }
  M.lParam = MAKELONG(static_cast<WORD>(Modifiers), static_cast<WORD>(Vk));
  if (M.hwnd) {
    return PostMessage(M.hwnd, WM_HOTKEY, M.wParam, M.lParam) != FALSE;
  }
  return PostThreadMessage(GetCurrentThreadId(), WM_HOTKEY, M.wParam, M.lParam) != FALSE;
}

std::vector<THotKey> RegisteredHotKeys() {
  auto& S = State();
  std::lock_guard G(S.Lock);
  return S.HotKeys;
}

// ---- Sounds -----------------------------------------------------------------------------------------------------

BOOL PlaySound(LPCSTR Sound, HMODULE Module, DWORD Flags) {
  (void)Module;
  if (!Sound || (Flags & SND_PURGE)) {
    return TRUE;  // stopping: nothing plays here
  }
  std::string Name;
  if ((Flags & SND_ALIAS_ID) == SND_ALIAS_ID || (Flags & SND_MEMORY) || (Flags & SND_RESOURCE) == SND_RESOURCE) {
    Name = "(data)";
  } else {
    Name = Sound;
    bool Found = (Flags & SND_FILENAME) ? std::filesystem::is_regular_file(Name)
                 : (Flags & SND_ALIAS) ? IsSystemAlias(Name)
                                       : IsSystemAlias(Name) || std::filesystem::is_regular_file(Name);
    if (!Found) {
      if (Flags & SND_NODEFAULT) {
        return FALSE;
      }
      Name = ".Default";
    }
  }
  auto& S = State();
  std::lock_guard G(S.Lock);
  S.Sounds.push_back(Name);
  return TRUE;
}

std::vector<std::string> PlayedSounds() {
  auto& S = State();
  std::lock_guard G(S.Lock);
  return S.Sounds;
}

// ---- Help -------------------------------------------------------------------------------------------------------

BOOL WinHelp(HWND Wnd, LPCSTR HelpFile, UINT Command, UINT_PTR Data) {
  auto& S = State();
  std::lock_guard G(S.Lock);
  S.Help.push_back(TWinHelpRequest{Wnd, HelpFile ? HelpFile : "", Command, Data});
  return (HelpFile && *HelpFile) || Command == HELP_QUIT ? TRUE : FALSE;
}

std::vector<TWinHelpRequest> WinHelpRequests() {
  auto& S = State();
  std::lock_guard G(S.Lock);
  return S.Help;
}

// ---- Regions ----------------------------------------------------------------------------------------------------

int SetWindowRgn(HWND Wnd, HRGN Rgn, BOOL Redraw) {
  auto R = Find(Wnd);
  if (!R || R->Dead) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (R->Region && R->Region != Rgn) {
    DeleteObject(R->Region);
  }
  R->Region = Rgn;
  if (auto* B = ExistingWindowBackend()) {
    B->WindowChanged(Wnd, TWindowChange::Geometry);
  }
  if (Redraw) {
    RedrawWindow(Wnd, nullptr, 0, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
  }
  return 1;
}

int GetWindowRgn(HWND Wnd, HRGN Rgn) {
  auto R = Find(Wnd);
  if (!R || !R->Region || !Rgn) {
    return ERROR;
  }
  return CombineRgn(Rgn, R->Region, 0, RGN_COPY);
}

namespace WindowSystem {

bool InsideWindowRegion(const TWindowRec& R, TPoint ScreenPos) {
  if (!R.Region) {
    return true;
  }
  TRect W = WindowRectOnScreen(R.Handle);
  return PtInRegion(R.Region, ScreenPos.X - W.Left, ScreenPos.Y - W.Top) != FALSE;
}

bool HotKeyMessage(WORD Vk, bool Shift, bool Ctrl, bool Alt, MSG& Msg) {
  UINT Mods = (Shift ? MOD_SHIFT : 0) | (Ctrl ? MOD_CONTROL : 0) | (Alt ? MOD_ALT : 0);
  auto& S = State();
  std::lock_guard G(S.Lock);
  for (auto& H : S.HotKeys) {
    if (H.Vk == Vk && H.Modifiers == Mods) {
      Msg = MSG{};
      Msg.hwnd = H.Wnd;
      Msg.message = WM_HOTKEY;
      Msg.wParam = static_cast<WPARAM>(H.Id);
      Msg.lParam = MAKELONG(static_cast<WORD>(Mods), static_cast<WORD>(Vk));
      return true;
    }
  }
  return false;
}

void ForgetDesktopState(const PWindowRec& Rec) {
  if (Rec->Region) {
    DeleteObject(Rec->Region);
    Rec->Region = 0;
  }
  std::vector<THotKey> Gone;
  {
    auto& S = State();
    std::lock_guard G(S.Lock);
    for (const THotKey& H : S.HotKeys) {
      if (H.Wnd == Rec->Handle) {
        Gone.push_back(H);
      }
    }
    std::erase_if(S.HotKeys, [&](const THotKey& H) { return H.Wnd == Rec->Handle; });
  }
  // A window that goes gives its keys back to the desktop.
  for (const THotKey& H : Gone) {
    if (::Grabber) {
      ::Grabber->Release(H.Modifiers, H.Vk);
    }
  }
  OleWindowGone(Rec->Handle);
}

}  // namespace WindowSystem

// ---- The application's icon ---------------------------------------------------------------------------------------

namespace {

HICON& ApplicationIconSlot() {
  static HICON Icon = 0;
  return Icon;
}

}  // namespace

void SetApplicationIcon(HICON Icon) {
  ApplicationIconSlot() = Icon;
  // Without a desktop yet there is nothing to show it on; the toolkit takes it when a window first shows.
  if (auto* B = ExistingWindowBackend()) {
    B->ApplicationIconChanged(Icon);
  }
}

HICON GetApplicationIcon() { return ApplicationIconSlot(); }
