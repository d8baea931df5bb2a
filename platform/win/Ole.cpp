// OLE drag and drop: drop-target registration, the modal drag loop, drags coming in from the desktop, and media.
#include "platform/win/Ole.h"
#include "platform/graphics/Cursors.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/GlobalMemory.h"
#include "platform/win/Resources.h"
#include "platform/win/WindowInternals.h"

#include <algorithm>
#include <map>

namespace {

// Where a drag at a screen point is taken: a registered target, or a window that only accepts files.
struct TDropPlace {
  HWND Wnd = 0;
  IDropTarget* Target = nullptr;
  bool Files = false;
};

struct TOleState {
  int InitCount = 0;
  std::map<HWND, IDropTarget*> Targets;  // one reference each
  TOleDesktopDrag Bridge;
  IDataObject* CurrentDrag = nullptr;
};
// Registration and dragging belong to the user-interface thread.
TOleState& Ole() {
  static auto* S = new TOleState;
  return *S;
}

TDropPlace PlaceAt(TPoint P) {
  TDropPlace R;
  HWND W = WindowFromPoint(P);
  if (!W || !IsWindowEnabled(GetAncestor(W, GA_ROOT))) {
    return R;  // nothing of ours there, or a window that a modal one disabled
  }
  auto& S = Ole();
  for (; W; W = GetParent(W)) {
    if (auto It = S.Targets.find(W); It != S.Targets.end()) {
      R.Wnd = W;
      R.Target = It->second;
      return R;
    }
    if (GetWindowLong(W, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) {
      R.Wnd = W;
      R.Files = true;
      return R;
    }
    if (!(GetWindowLong(W, GWL_STYLE) & WS_CHILD)) {
      break;
    }
  }
  return R;
}

FORMATETC GlobalFormat(UINT Format) {
  FORMATETC F;
  F.cfFormat = static_cast<CLIPFORMAT>(Format);
  F.dwAspect = DVASPECT_CONTENT;
  F.lindex = -1;
  F.tymed = TYMED_HGLOBAL;
  return F;
}

bool OffersFiles(IDataObject* Data) {
  FORMATETC F = GlobalFormat(CF_HDROP);
  return Data && Data->QueryGetData(&F) == S_OK;
}

POINTL ToPointL(TPoint P) { return POINTL{P.X, P.Y}; }

DWORD Limit(DWORD Effect, DWORD Ok) { return Effect & (Ok | DROPEFFECT_SCROLL); }

bool IsNone(DWORD Effect) { return (Effect & ~DROPEFFECT_SCROLL) == DROPEFFECT_NONE; }

// Follows a drag from target to target: enter, over and leave as the place under the pointer changes, and drop.
class TTargetTracker {
public:
  TTargetTracker() = default;
  TTargetTracker(const TTargetTracker&) = delete;
  TTargetTracker& operator=(const TTargetTracker&) = delete;
  ~TTargetTracker() { Forget(); }

  bool SamePlace(TPoint P) const {
    TDropPlace N = PlaceAt(P);
    return N.Wnd == FWnd && N.Target == FTarget && N.Files == FFiles;
  }

  // The effect at the point, limited to Ok; enters the place there (leaving the old one) or drags over it.
  DWORD Move(IDataObject* Data, TPoint P, DWORD Keys, DWORD Ok) {
    if (!SamePlace(P) || !IsWindow(FWnd)) {
      Leave();
      TDropPlace N = PlaceAt(P);
      FWnd = N.Wnd;
      FFiles = N.Files;
      DWORD Effect = DROPEFFECT_NONE;
      if (N.Target) {
        FTarget = N.Target;
        FTarget->AddRef();
        Effect = Ok;
        if (FAILED(FTarget->DragEnter(Data, Keys, ToPointL(P), &Effect))) {
          Effect = DROPEFFECT_NONE;
        }
      } else if (FFiles) {
        Effect = OffersFiles(Data) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
      }
      FEffect = Limit(Effect, Ok);
    } else if (FTarget) {
      DWORD Effect = Ok;
      if (FAILED(FTarget->DragOver(Keys, ToPointL(P), &Effect))) {
        Effect = DROPEFFECT_NONE;
      }
      FEffect = Limit(Effect, Ok);
    }
    return FEffect;
  }

  void Leave() {
    IDropTarget* T = FTarget;
    FTarget = nullptr;
    FWnd = 0;
    FFiles = false;
    FEffect = DROPEFFECT_NONE;
    if (T) {
      T->DragLeave();
      T->Release();
    }
  }

  // Ends the drag at the point with the effect of the drop. A place that refused at its last answer (or no place)
  // is left instead: false, and the effect is none.
  bool Drop(IDataObject* Data, TPoint P, DWORD Keys, DWORD Ok, DWORD& Effect) {
    Effect = DROPEFFECT_NONE;
    if (!SamePlace(P)) {
      Move(Data, P, Keys, Ok);
    }
    if (IsNone(FEffect)) {
      Leave();
      return false;
    }
    if (FTarget) {
      IDropTarget* T = FTarget;
      FTarget = nullptr;
      Effect = Ok;
      HRESULT Hr = T->Drop(Data, Keys, ToPointL(P), &Effect);
      T->Release();
      Effect = FAILED(Hr) ? DROPEFFECT_NONE : Effect & Ok;
    } else if (FFiles) {
      std::vector<std::string> Files;
      HGLOBAL Block = nullptr;
      STGMEDIUM M;
      FORMATETC F = GlobalFormat(CF_HDROP);
      if (SUCCEEDED(Data->GetData(&F, &M))) {
        Block = M.hGlobal;
        if (M.tymed == TYMED_HGLOBAL && ReadDropFilesBlock(Block, Files) && DropFilesAt(P, Files)) {
          Effect = DROPEFFECT_COPY & Ok;
        }
        ReleaseStgMedium(&M);
      }
    }
    FWnd = 0;
    FFiles = false;
    FEffect = DROPEFFECT_NONE;
    return true;
  }

  bool Over() const { return FWnd != 0; }

private:
  void Forget() {
    if (FTarget) {
      FTarget->Release();
      FTarget = nullptr;
    }
  }

  HWND FWnd = 0;
  IDropTarget* FTarget = nullptr;  // one reference while over it
  bool FFiles = false;
  DWORD FEffect = DROPEFFECT_NONE;
};

DWORD KeyStateNow() {
  DWORD K = 0;
  auto Down = [](int Vk) { return (GetKeyState(Vk) & 0x8000) != 0; };
  if (Down(VK_LBUTTON)) K |= MK_LBUTTON;
  if (Down(VK_RBUTTON)) K |= MK_RBUTTON;
  if (Down(VK_MBUTTON)) K |= MK_MBUTTON;
  if (Down(VK_SHIFT)) K |= MK_SHIFT;
  if (Down(VK_CONTROL)) K |= MK_CONTROL;
  if (Down(VK_MENU)) K |= MK_ALT;
  return K;
}

LRESULT TrackerProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return DefWindowProc(Wnd, Msg, WParam, LParam);
}

const char* TrackerClass() {
  static const char* Name = [] {
    WNDCLASS C;
    C.lpfnWndProc = &TrackerProc;
    C.lpszClassName = "OleDragTracker";
    RegisterClass(&C);
    return "OleDragTracker";
  }();
  return Name;
}

constexpr UINT_PTR TickTimer = 1;
constexpr UINT TickMs = 50;

// What the drag loop holds: the mouse, a tick, its arguments' references; given back however the loop ends.
class TDragLoopGuard {
public:
  TDragLoopGuard(IDataObject* Data, IDropSource* Source) : FData(Data), FSource(Source) {
    FData->AddRef();
    FSource->AddRef();
    Ole().CurrentDrag = FData;
    Tracker = CreateWindowEx(0, TrackerClass(), "", 0, 0, 0, 0, 0, HWND_MESSAGE, 0, nullptr, nullptr);
    SetCapture(Tracker);
    SetTimer(Tracker, TickTimer, TickMs, nullptr);
  }
  TDragLoopGuard(const TDragLoopGuard&) = delete;
  TDragLoopGuard& operator=(const TDragLoopGuard&) = delete;
  ~TDragLoopGuard() {
    if (GetCapture() == Tracker) {
      ReleaseCapture();
    }
    DestroyWindow(Tracker);
    Ole().CurrentDrag = nullptr;
    FSource->Release();
    FData->Release();
  }
  HWND Tracker = 0;

private:
  IDataObject* FData;
  IDropSource* FSource;
};

bool IsMouseMessage(UINT M) {
  return (M >= WM_MOUSEFIRST && M <= WM_MOUSELAST) || (M >= WM_NCMOUSEMOVE && M <= WM_NCMBUTTONDBLCLK);
}

bool IsKeyMessage(UINT M) { return M >= WM_KEYFIRST && M <= WM_KEYLAST; }

template <class F>
void Guarded(F&& Call) {
  try {
    Call();
  } catch (const std::exception& E) {
    WindowSystem::ReportException(E);
  } catch (...) {
    WindowSystem::ReportUnknownException();
  }
}

// The drag that comes in from the desktop. While it rests over a target, a tick asks the target again (the
// desktop reports moves only), so targets can scroll and open nodes as they do in the program's own drags.
struct TDesktopSession {
  IDataObject* Data = nullptr;  // one reference while the drag is over the program
  TTargetTracker Tracker;
  TPoint LastPos;
  DWORD LastKeys = 0;
  DWORD LastAllowed = 0;
  UINT_PTR Tick = 0;
};
TDesktopSession& Desktop() {
  static auto* S = new TDesktopSession;
  return *S;
}

void DesktopTick(HWND, UINT, UINT_PTR, DWORD) {
  auto& D = Desktop();
  if (D.Data && D.Tracker.Over()) {
    Guarded([&] { D.Tracker.Move(D.Data, D.LastPos, D.LastKeys, D.LastAllowed); });
  }
}

void EndDesktopSession() {
  auto& D = Desktop();
  if (D.Tick) {
    KillTimer(0, D.Tick);
    D.Tick = 0;
  }
  Guarded([&] { D.Tracker.Leave(); });
  if (IDataObject* Data = D.Data) {
    D.Data = nullptr;
    Data->Release();
  }
}

void UseDesktopData(IDataObject* Data) {
  auto& D = Desktop();
  if (D.Data == Data) {
    return;
  }
  EndDesktopSession();
  D.Data = Data;
  Data->AddRef();
}

}  // namespace

// ---- Initialisation and registration ------------------------------------------------------------------------------

HRESULT OleInitialize(void*) { return Ole().InitCount++ == 0 ? S_OK : S_FALSE; }

void OleUninitialize() {
  auto& S = Ole();
  if (S.InitCount > 0) {
    --S.InitCount;
  }
}

HRESULT RegisterDragDrop(HWND Wnd, IDropTarget* Target) {
  if (!IsWindow(Wnd)) {
    return DRAGDROP_E_INVALIDHWND;
  }
  if (!Target) {
    return E_INVALIDARG;
  }
  auto& S = Ole();
  if (S.Targets.count(Wnd)) {
    return DRAGDROP_E_ALREADYREGISTERED;
  }
  Target->AddRef();
  S.Targets[Wnd] = Target;
  return S_OK;
}

HRESULT RevokeDragDrop(HWND Wnd) {
  if (!IsWindow(Wnd)) {
    return DRAGDROP_E_INVALIDHWND;
  }
  auto& S = Ole();
  auto It = S.Targets.find(Wnd);
  if (It == S.Targets.end()) {
    return DRAGDROP_E_NOTREGISTERED;
  }
  IDropTarget* T = It->second;
  S.Targets.erase(It);
  T->Release();
  return S_OK;
}

IDropTarget* RegisteredDropTarget(HWND Wnd) {
  auto& S = Ole();
  auto It = S.Targets.find(Wnd);
  return It == S.Targets.end() ? nullptr : It->second;
}

void OleWindowGone(HWND Wnd) {
  auto& S = Ole();
  auto It = S.Targets.find(Wnd);
  if (It == S.Targets.end()) {
    return;
  }
  // A window that ends without revoking gives its registration's reference back here rather than leaking it.
  IDropTarget* T = It->second;
  S.Targets.erase(It);
  Guarded([&] { T->Release(); });
}

void ReleaseStgMedium(STGMEDIUM* Medium) {
  if (!Medium) {
    return;
  }
  if (Medium->pUnkForRelease) {
    Medium->pUnkForRelease->Release();
  } else if (Medium->tymed == TYMED_HGLOBAL && Medium->hGlobal) {
    GlobalFree(Medium->hGlobal);
  } else if (Medium->tymed == TYMED_GDI && Medium->hBitmap) {
    DeleteObject(static_cast<HGDIOBJ>(Medium->hBitmap));
  }
  *Medium = STGMEDIUM{};
}

HCURSOR DefaultDragCursor(DWORD Effect) {
  return LoadCursor(nullptr, MAKEINTRESOURCE(IsNone(Effect) ? IDC_NO : IDC_ARROW));
}

void SetOleDesktopDrag(const TOleDesktopDrag& Bridge) { Ole().Bridge = Bridge; }

IDataObject* OleCurrentDragData() { return Ole().CurrentDrag; }

// ---- The drag loop --------------------------------------------------------------------------------------------------

HRESULT DoDragDrop(IDataObject* Data, IDropSource* Source, DWORD OkEffects, DWORD* Effect) {
  if (!Data || !Source || !Effect) {
    return E_INVALIDARG;
  }
  *Effect = DROPEFFECT_NONE;
  if (Ole().CurrentDrag) {
    return E_UNEXPECTED;  // one drag at a time
  }
  OkEffects &= DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  TDragLoopGuard Guard(Data, Source);
  TTargetTracker Targets;
  TPoint Pt;
  GetCursorPos(&Pt);
  DWORD Keys = KeyStateNow();
  bool Escape = false;
  HRESULT Result = DRAGDROP_S_CANCEL;

  // One step: the source decides whether the drag goes on; returns true when it ended.
  auto Step = [&]() {
    HRESULT Hr = Source->QueryContinueDrag(Escape ? TRUE : FALSE, Keys);
    Escape = false;
    if (Hr == DRAGDROP_S_DROP) {
      Result = Targets.Drop(Data, Pt, Keys, OkEffects, *Effect) ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
      return true;
    }
    if (Hr != S_OK) {
      Targets.Leave();
      Result = Hr == DRAGDROP_S_CANCEL || SUCCEEDED(Hr) ? DRAGDROP_S_CANCEL : Hr;
      return true;
    }
    const auto& Bridge = Ole().Bridge;
    if (!WindowFromPoint(Pt) && Bridge.Active && Bridge.Start && Bridge.Active()) {
      // Out of the program's windows on a real desktop: the desktop's drag carries the data from here on.
      Targets.Leave();
      ReleaseCapture();
      *Effect = Bridge.Start(Data, OkEffects) & OkEffects;
      Result = *Effect ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
      return true;
    }
    DWORD E = Targets.Move(Data, Pt, Keys, OkEffects);
    if (Source->GiveFeedback(E) == DRAGDROP_S_USEDEFAULTCURSORS) {
      SetCursor(DefaultDragCursor(E));
    }
    return false;
  };

  bool Ended = Step();
  while (!Ended) {
    MSG M;
    if (!GetMessage(&M, 0, 0, 0)) {
      PostQuitMessage(static_cast<int>(M.wParam));  // the caller's loop ends too
      Targets.Leave();
      Result = DRAGDROP_S_CANCEL;
      break;
    }
    if (IsMouseMessage(M.message)) {
      Pt = M.pt;
      Keys = KeyStateNow();
    } else if (IsKeyMessage(M.message)) {
      if ((M.message == WM_KEYDOWN || M.message == WM_SYSKEYDOWN) && M.wParam == VK_ESCAPE) {
        Escape = true;
      }
      Keys = KeyStateNow();
    } else if (M.hwnd == Guard.Tracker && M.message == WM_TIMER) {
      Keys = KeyStateNow();
    } else {
      TranslateMessage(&M);
      DispatchMessage(&M);
      if (GetCapture() != Guard.Tracker) {
        Targets.Leave();  // someone took the mouse: the drag cannot go on
        Result = DRAGDROP_S_CANCEL;
        break;
      }
      continue;
    }
    Ended = Step();
  }
  if (Result != DRAGDROP_S_DROP) {
    *Effect = DROPEFFECT_NONE;
  }
  return Result;
}

// ---- Data coming in from the desktop -------------------------------------------------------------------------------

DWORD OleDesktopDragOver(IDataObject* Data, TPoint ScreenPos, DWORD KeyState, DWORD Allowed) {
  if (!Data) {
    return DROPEFFECT_NONE;
  }
  UseDesktopData(Data);
  auto& D = Desktop();
  D.LastPos = ScreenPos;
  D.LastKeys = KeyState;
  D.LastAllowed = Allowed;
  if (!D.Tick) {
    D.Tick = SetTimer(0, 0, TickMs, &DesktopTick);
  }
  DWORD Effect = DROPEFFECT_NONE;
  Guarded([&] { Effect = D.Tracker.Move(Data, ScreenPos, KeyState, Allowed); });
  return Effect;
}

void OleDesktopDragLeave() { EndDesktopSession(); }

DWORD OleDesktopDrop(IDataObject* Data, TPoint ScreenPos, DWORD KeyState, DWORD Allowed) {
  if (!Data) {
    return DROPEFFECT_NONE;
  }
  UseDesktopData(Data);
  DWORD Effect = DROPEFFECT_NONE;
  Guarded([&] { Desktop().Tracker.Drop(Data, ScreenPos, KeyState, Allowed, Effect); });
  EndDesktopSession();
  return Effect;
}

bool OleDesktopDragActive() { return Desktop().Data != nullptr && Desktop().Tracker.Over(); }

// ---- Data objects ---------------------------------------------------------------------------------------------------

namespace {

class TFormatEnumerator final : public IEnumFORMATETC {
public:
  TFormatEnumerator(std::vector<FORMATETC> Formats, std::size_t Pos) : FFormats(std::move(Formats)), FPos(Pos) {}
  TFormatEnumerator(const TFormatEnumerator&) = delete;
  TFormatEnumerator& operator=(const TFormatEnumerator&) = delete;

  HRESULT QueryInterface(REFIID Riid, void** Object) override {
    if (!Object) {
      return E_POINTER;
    }
    if (Riid == IID_IUnknown || Riid == IID_IEnumFORMATETC) {
      *Object = static_cast<IEnumFORMATETC*>(this);
      AddRef();
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++FRefs; }
  ULONG Release() override {
    ULONG N = --FRefs;
    if (N == 0) {
      delete this;
    }
    return N;
  }
  HRESULT Next(ULONG Celt, FORMATETC* Rgelt, ULONG* CeltFetched) override {
    if (!Rgelt || (!CeltFetched && Celt != 1)) {
      return E_INVALIDARG;
    }
    ULONG N = 0;
    while (N < Celt && FPos < FFormats.size()) {
      Rgelt[N++] = FFormats[FPos++];
    }
    if (CeltFetched) {
      *CeltFetched = N;
    }
    return N == Celt ? S_OK : S_FALSE;
  }
  HRESULT Skip(ULONG Celt) override {
    if (FFormats.size() - FPos < Celt) {
      FPos = FFormats.size();
      return S_FALSE;
    }
    FPos += Celt;
    return S_OK;
  }
  HRESULT Reset() override {
    FPos = 0;
    return S_OK;
  }
  HRESULT Clone(IEnumFORMATETC** Enum) override {
    if (!Enum) {
      return E_INVALIDARG;
    }
    *Enum = new TFormatEnumerator(FFormats, FPos);
    return S_OK;
  }

private:
  ~TFormatEnumerator() = default;
  std::atomic<ULONG> FRefs{1};
  std::vector<FORMATETC> FFormats;
  std::size_t FPos = 0;
};

}  // namespace

IEnumFORMATETC* CreateFormatEnumerator(const std::vector<FORMATETC>& Formats) {
  return new TFormatEnumerator(Formats, 0);
}

bool OleReadFormat(IDataObject* Data, UINT Format, std::string& Bytes) {
  FORMATETC F = GlobalFormat(Format);
  STGMEDIUM M;
  if (!Data || FAILED(Data->GetData(&F, &M))) {
    return false;
  }
  bool Ok = false;
  if (M.tymed == TYMED_HGLOBAL && M.hGlobal) {
    std::size_t Size = GlobalSize(M.hGlobal);
    if (const auto* P = static_cast<const char*>(GlobalLock(M.hGlobal))) {
      Bytes.assign(P, Size);
      GlobalUnlock(M.hGlobal);
      Ok = true;
    }
  }
  ReleaseStgMedium(&M);
  return Ok;
}

TMemoryDataObject::TMemoryDataObject(std::vector<UINT> Formats, TRender Render)
    : FFormats(std::move(Formats)), FCache(FFormats.size()), FCached(FFormats.size(), false),
      FRender(std::move(Render)) {}

HRESULT TMemoryDataObject::QueryInterface(REFIID Riid, void** Object) {
  if (!Object) {
    return E_POINTER;
  }
  if (Riid == IID_IUnknown || Riid == IID_IDataObject) {
    *Object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *Object = nullptr;
  return E_NOINTERFACE;
}

ULONG TMemoryDataObject::AddRef() { return ++FRefs; }

ULONG TMemoryDataObject::Release() {
  ULONG N = --FRefs;
  if (N == 0) {
    delete this;
  }
  return N;
}

HRESULT TMemoryDataObject::QueryGetData(FORMATETC* Format) {
  if (!Format) {
    return E_INVALIDARG;
  }
  if (Format->dwAspect != DVASPECT_CONTENT) {
    return DV_E_FORMATETC;
  }
  if (Format->lindex != -1) {
    return DV_E_LINDEX;
  }
  if (std::find(FFormats.begin(), FFormats.end(), Format->cfFormat) == FFormats.end()) {
    return DV_E_FORMATETC;
  }
  return (Format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
}

HRESULT TMemoryDataObject::GetData(FORMATETC* FormatIn, STGMEDIUM* Medium) {
  if (!Medium) {
    return E_INVALIDARG;
  }
  if (HRESULT Hr = QueryGetData(FormatIn); Hr != S_OK) {
    return Hr;
  }
  std::size_t I = static_cast<std::size_t>(
      std::find(FFormats.begin(), FFormats.end(), FormatIn->cfFormat) - FFormats.begin());
  if (!FCached[I]) {
    std::string Bytes;
    if (!FRender || !FRender(FFormats[I], Bytes)) {
      return DV_E_FORMATETC;  // the data is gone
    }
    FCache[I] = std::move(Bytes);
    FCached[I] = true;
  }
  const std::string& Bytes = FCache[I];
  HGLOBAL Block = GlobalAlloc(GHND, Bytes.empty() ? 1 : Bytes.size());
  auto* P = static_cast<char*>(GlobalLock(Block));
  if (!P) {
    GlobalFree(Block);
    return E_OUTOFMEMORY;
  }
  std::copy(Bytes.begin(), Bytes.end(), P);
  GlobalUnlock(Block);
  *Medium = STGMEDIUM{};
  Medium->tymed = TYMED_HGLOBAL;
  Medium->hGlobal = Block;
  return S_OK;
}

HRESULT TMemoryDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT TMemoryDataObject::GetCanonicalFormatEtc(FORMATETC* FormatIn, FORMATETC* FormatOut) {
  if (!FormatIn || !FormatOut) {
    return E_INVALIDARG;
  }
  *FormatOut = *FormatIn;
  FormatOut->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

HRESULT TMemoryDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT TMemoryDataObject::EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) {
  if (!Enum) {
    return E_INVALIDARG;
  }
  *Enum = nullptr;
  if (Direction != DATADIR_GET) {
    return E_NOTIMPL;
  }
  std::vector<FORMATETC> Records;
  for (UINT F : FFormats) {
    Records.push_back(GlobalFormat(F));
  }
  *Enum = CreateFormatEnumerator(Records);
  return S_OK;
}

HRESULT TMemoryDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TMemoryDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TMemoryDataObject::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

void TMemoryDataObject::Detach() {
  for (std::size_t I = 0; I < FFormats.size(); ++I) {
    if (!FCached[I] && FRender) {
      std::string Bytes;
      if (FRender(FFormats[I], Bytes)) {
        FCache[I] = std::move(Bytes);
        FCached[I] = true;
      }
    }
  }
  FRender = nullptr;
}
