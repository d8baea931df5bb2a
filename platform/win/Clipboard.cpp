// The clipboard store: format table, ownership, opening, synthesized text formats and the viewer chain.
#include "platform/win/Clipboard.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/GlobalMemory.h"
#include "platform/win/WinUser.h"

#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace {

struct TStore {
  // The store frees the blocks it holds when the process ends. The global memory table must outlive it: using the
  // table first constructs it first, so it is destroyed after the store.
  TStore() { GlobalSize(nullptr); }
  ~TStore() {
    for (auto& [F, H] : Data) {
      if (F != CF_BITMAP && H != nullptr) {
        GlobalFree(H);  // bitmaps belong to the drawing layer, which may be gone by now
      }
    }
    for (HANDLE H : Synthesized) {
      GlobalFree(H);
    }
  }
  TStore(const TStore&) = delete;
  TStore& operator=(const TStore&) = delete;

  std::recursive_mutex Lock;
  std::vector<std::pair<UINT, HANDLE>> Data;  // in the order they were set
  HWND Owner = 0;
  bool IsOpen = false;
  HWND OpenWnd = 0;
  DWORD OpenThread = 0;
  bool Changed = false;
  HWND Viewer = 0;
  std::map<std::string, UINT> Names;  // upper-cased name -> format
  std::map<UINT, std::string> Formats;
  UINT NextFormat = 0xC000;
  DWORD Sequence = 1;
  std::vector<HANDLE> Synthesized;  // text made on request, freed with the rest
  TClipboardMirror Mirror;
};

TStore& Store() {
  static TStore S;
  return S;
}

HANDLE Find(TStore& S, UINT Format) {
  for (auto& [F, H] : S.Data) {
    if (F == Format) {
      return H;
    }
  }
  return nullptr;
}

bool Has(TStore& S, UINT Format) {
  for (auto& [F, H] : S.Data) {
    if (F == Format) {
      return true;
    }
  }
  return false;
}

void FreeHandle(UINT Format, HANDLE H) {
  if (!H) {
    return;
  }
  if (Format == CF_BITMAP) {
    DeleteObject(reinterpret_cast<HGDIOBJ>(H));
  } else {
    GlobalFree(H);
  }
}

void FreeAll(TStore& S) {
  for (auto& [F, H] : S.Data) {
    FreeHandle(F, H);
  }
  for (HANDLE H : S.Synthesized) {
    GlobalFree(H);
  }
  S.Data.clear();
  S.Synthesized.clear();
}

HGLOBAL TextHandle(const std::string& Bytes) {
  HGLOBAL H = GlobalAlloc(GMEM_MOVEABLE, Bytes.size());
  std::memcpy(GlobalLock(H), Bytes.data(), Bytes.size());
  GlobalUnlock(H);
  return H;
}

std::string HandleBytes(HANDLE H) {
  std::size_t N = GlobalSize(H);
  const char* P = static_cast<const char*>(GlobalLock(H));
  std::string S(P ? P : "", P ? N : 0);
  GlobalUnlock(H);
  return S;
}

bool OwnedByThread(TStore& S) { return S.IsOpen && S.OpenThread == GetCurrentThreadId(); }

}  // namespace

void SetClipboardMirror(const TClipboardMirror& Mirror) { Store().Mirror = Mirror; }

BOOL OpenClipboard(HWND Wnd) {
  TStore& S = Store();
  std::lock_guard G(S.Lock);
  if (S.IsOpen && S.OpenThread != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  S.IsOpen = true;
  S.OpenWnd = Wnd;
  S.OpenThread = GetCurrentThreadId();
  std::string Outside;
  std::string OutsideRtf;
  const bool Active = S.Mirror.Active && S.Mirror.Active();
  const bool Imported = Active && (S.Mirror.ImportRich ? S.Mirror.ImportRich(Outside, OutsideRtf)
                                                       : (S.Mirror.Import && S.Mirror.Import(Outside)));
  if (Imported) {
    // Another program copied text: it replaces what the program had.
    FreeAll(S);
    S.Owner = 0;
    Outside += '\0';
    S.Data.emplace_back(CF_TEXT, TextHandle(Outside));
    if (!OutsideRtf.empty()) {
      OutsideRtf += '\0';
      S.Data.emplace_back(RegisterClipboardFormat(SRichTextFormatName), TextHandle(OutsideRtf));
    }
    ++S.Sequence;
  }
  return TRUE;
}

BOOL CloseClipboard() {
  TStore& S = Store();
  HWND Viewer = 0;
  {
    std::lock_guard G(S.Lock);
    if (!OwnedByThread(S)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    S.IsOpen = false;
    S.OpenWnd = 0;
    if (S.Changed) {
      S.Changed = false;
      ++S.Sequence;
      Viewer = S.Viewer;
      if (S.Mirror.Active && S.Mirror.Active() && (S.Mirror.Export || S.Mirror.ExportRich)) {
        HANDLE T = Find(S, CF_TEXT);
        std::string Text = T ? HandleBytes(T) : std::string();
        Text = Text.substr(0, std::min(Text.size(), Text.find('\0')));
        if (S.Mirror.ExportRich) {
          const auto Rich = S.Names.find(UpperCase(SRichTextFormatName));
          HANDLE R = Rich != S.Names.end() ? Find(S, Rich->second) : nullptr;
          std::string Rtf = R ? HandleBytes(R) : std::string();
          Rtf = Rtf.substr(0, std::min(Rtf.size(), Rtf.find('\0')));
          S.Mirror.ExportRich(Text, Rtf);
        } else {
          S.Mirror.Export(Text);
        }
      }
    }
  }
  if (Viewer) {
    SendMessage(Viewer, WM_DRAWCLIPBOARD, 0, 0);
  }
  return TRUE;
}

BOOL EmptyClipboard() {
  TStore& S = Store();
  HWND OldOwner = 0;
  {
    std::lock_guard G(S.Lock);
    if (!OwnedByThread(S)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    OldOwner = S.Owner;
  }
  if (OldOwner && IsWindow(OldOwner)) {
    SendMessage(OldOwner, WM_DESTROYCLIPBOARD, 0, 0);
  }
  std::lock_guard G(S.Lock);
  FreeAll(S);
  S.Owner = S.OpenWnd;
  S.Changed = true;
  return TRUE;
}

HANDLE SetClipboardData(UINT Format, HANDLE Mem) {
  TStore& S = Store();
  std::lock_guard G(S.Lock);
  if (!OwnedByThread(S) || Format == 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  for (auto& [F, H] : S.Data) {
    if (F == Format) {
      if (H != Mem) {
        FreeHandle(F, H);
      }
      H = Mem;
      S.Changed = true;
      return Mem;
    }
  }
  S.Data.emplace_back(Format, Mem);
  S.Changed = true;
  return Mem;
}

HANDLE GetClipboardData(UINT Format) {
  TStore& S = Store();
  std::unique_lock G(S.Lock);
  if (!OwnedByThread(S)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  if (Has(S, Format) && !Find(S, Format) && S.Owner) {
    // Delayed rendering: the owner puts the data in now.
    HWND Owner = S.Owner;
    G.unlock();
    SendMessage(Owner, WM_RENDERFORMAT, Format, 0);
    G.lock();
  }
  if (HANDLE H = Find(S, Format)) {
    return H;
  }
  // The text formats stand in for each other.
  if (Format == CF_UNICODETEXT || Format == CF_OEMTEXT) {
    if (HANDLE T = Find(S, CF_TEXT)) {
      std::string Bytes = HandleBytes(T);
      std::string Out;
      if (Format == CF_OEMTEXT) {
        Out = Bytes;
      } else {
        for (unsigned char C : Bytes) {
          char16_t U = static_cast<char16_t>(Cp1252ToUnicode(C));
          Out.append(reinterpret_cast<const char*>(&U), 2);
          if (C == 0) {
            break;
          }
        }
      }
      HGLOBAL H = TextHandle(Out);
      S.Synthesized.push_back(H);
      return H;
    }
  }
  if (Format == CF_TEXT) {
    if (HANDLE U = Find(S, CF_UNICODETEXT)) {
      std::string Bytes = HandleBytes(U);
      std::string Out;
      for (std::size_t I = 0; I + 1 < Bytes.size(); I += 2) {
        char16_t C = static_cast<char16_t>(static_cast<unsigned char>(Bytes[I]) | (static_cast<unsigned char>(Bytes[I + 1]) << 8));
        if (C == 0) {
          break;
        }
        int B = UnicodeToCp1252(C);
        Out += static_cast<char>(B >= 0 ? B : '?');
      }
      Out += '\0';
      HGLOBAL H = TextHandle(Out);
      S.Synthesized.push_back(H);
      return H;
    }
  }
  return nullptr;
}

BOOL IsClipboardFormatAvailable(UINT Format) {
  TStore& S = Store();
  std::lock_guard G(S.Lock);
  if (Has(S, Format)) {
    return TRUE;
  }
  bool Text = Has(S, CF_TEXT) || Has(S, CF_UNICODETEXT);
  return (Format == CF_TEXT || Format == CF_UNICODETEXT || Format == CF_OEMTEXT) && Text ? TRUE : FALSE;
}

int CountClipboardFormats() {
  TStore& S = Store();
  std::lock_guard G(S.Lock);
  return static_cast<int>(S.Data.size());
}

UINT EnumClipboardFormats(UINT Format) {
  TStore& S = Store();
  std::lock_guard G(S.Lock);
  bool Next = Format == 0;
  for (auto& [F, H] : S.Data) {
    if (Next) {
      return F;
    }
    Next = F == Format;
  }
  return 0;
}

UINT RegisterClipboardFormat(LPCSTR Name) {
  if (!Name || !*Name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  TStore& S = Store();
  std::lock_guard G(S.Lock);
  std::string Key = UpperCase(Name);
  auto It = S.Names.find(Key);
  if (It != S.Names.end()) {
    return It->second;
  }
  UINT F = S.NextFormat++;
  S.Names[Key] = F;
  S.Formats[F] = Name;
  return F;
}

int GetClipboardFormatName(UINT Format, LPSTR Name, int MaxCount) {
  TStore& S = Store();
  std::lock_guard G(S.Lock);
  auto It = S.Formats.find(Format);
  if (It == S.Formats.end() || !Name || MaxCount <= 0) {
    return 0;
  }
  std::size_t N = std::min<std::size_t>(It->second.size(), static_cast<std::size_t>(MaxCount - 1));
  std::memcpy(Name, It->second.data(), N);
  Name[N] = '\0';
  return static_cast<int>(N);
}

HWND GetClipboardOwner() {
  TStore& S = Store();
  std::lock_guard G(S.Lock);
  return S.Owner && IsWindow(S.Owner) ? S.Owner : 0;
}

HWND GetOpenClipboardWindow() {
  TStore& S = Store();
  std::lock_guard G(S.Lock);
  return S.IsOpen ? S.OpenWnd : 0;
}

DWORD GetClipboardSequenceNumber() {
  TStore& S = Store();
  std::lock_guard G(S.Lock);
  return S.Sequence;
}

HWND SetClipboardViewer(HWND Wnd) {
  TStore& S = Store();
  HWND Old = 0;
  {
    std::lock_guard G(S.Lock);
    Old = S.Viewer;
    S.Viewer = Wnd;
  }
  if (Wnd) {
    SendMessage(Wnd, WM_DRAWCLIPBOARD, 0, 0);
  }
  return Old;
}

HWND GetClipboardViewer() {
  TStore& S = Store();
  std::lock_guard G(S.Lock);
  return S.Viewer;
}

BOOL ChangeClipboardChain(HWND Remove, HWND Next) {
  TStore& S = Store();
  HWND Head = 0;
  {
    std::lock_guard G(S.Lock);
    if (S.Viewer == Remove) {
      S.Viewer = Next;
      return TRUE;
    }
    Head = S.Viewer;
  }
  if (Head) {
    SendMessage(Head, WM_CHANGECBCHAIN, static_cast<WPARAM>(Remove), static_cast<LPARAM>(Next));
  }
  return TRUE;
}
