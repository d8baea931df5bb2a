// The platform's web browser control and the loading of its browser engine on first use.
#include "platform/controls/BrowserControl.h"

#include "platform/controls/Forms.h"
#include "platform/win/NativeControls.h"
#include "platform/win/WindowBackend.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include <dlfcn.h>

Z_IMPLEMENT_CLASS(EBrowserError, Exception)
Z_IMPLEMENT_CLASS(TBrowserControl, TWinControl)

namespace {

constexpr const char* EngineLibraryName = "libzubplatformweb.so";

// The folder of the shared library this function is in, with a trailing '/'; empty when unknown.
std::string OwnFolder() {
  Dl_info Info{};
  if (dladdr(reinterpret_cast<void*>(&OwnFolder), &Info) == 0 || !Info.dli_fname) {
    return {};
  }
  std::string Path = Info.dli_fname;
  auto Slash = Path.rfind('/');
  return Slash == std::string::npos ? std::string() : Path.substr(0, Slash + 1);
}

bool LoadEngine() {
  static std::once_flag Once;
  static bool Loaded = false;
  std::call_once(Once, [] {
    if (!LoadToolkit()) {
      return;
    }
    // The library registers the browser's native class while it loads, and stays loaded for the process's life.
    void* Handle = nullptr;
    if (std::string Folder = OwnFolder(); !Folder.empty()) {
      Handle = dlopen((Folder + EngineLibraryName).c_str(), RTLD_NOW | RTLD_GLOBAL);
    }
    if (!Handle) {
      Handle = dlopen(EngineLibraryName, RTLD_NOW | RTLD_GLOBAL);
    }
    if (!Handle) {
      const char* Why = dlerror();
      std::fprintf(stderr, "The web browser engine (%s) could not be loaded: %s\n", EngineLibraryName,
                   Why ? Why : "unknown reason");
      return;
    }
    Loaded = true;
  });
  return Loaded;
}

bool BrowserSwitchedOff() {
  const char* Off = std::getenv("ZUBQ_NO_WEB_BROWSER");
  return Off != nullptr && std::strcmp(Off, "1") == 0;
}

}  // namespace

bool TBrowserControl::EngineAvailable() { return !BrowserSwitchedOff() && LoadEngine(); }

TBrowserControl::TBrowserControl(TComponent* AOwner) : TWinControl(AOwner) {
  if (!EngineAvailable()) {
    throw EBrowserError("Class not registered");
  }
  SetBounds(0, 0, 300, 150);
  TabStop = true;
}

void TBrowserControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_WEBBROWSER);
}

void TBrowserControl::WndProc(TMessage& Message) {
  if (WindowProc) {
    // The replacement may call DefaultWindowProc; it must not find itself again.
    TBrowserWndMethod Hook = WindowProc;
    Hook(Message);
    return;
  }
  DefaultWindowProc(Message);
}

void TBrowserControl::DefaultWindowProc(TMessage& Message) {
  switch (Message.Msg) {
    case BRN_STATUSTEXT:
      if (OnStatusTextChange) {
        OnStatusTextChange(this, Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "");
      }
      Message.Result = 0;
      return;
    case BRN_COMMANDSTATE:
      if (OnCommandStateChange) {
        OnCommandStateChange(this, static_cast<int>(static_cast<LONG_PTR>(Message.WParam)), Message.LParam != 0);
      }
      Message.Result = 0;
      return;
    case BRN_DOCUMENTCOMPLETE:
      if (OnDocumentComplete) {
        OnDocumentComplete(this, this, LocationURL());
      }
      Message.Result = 0;
      return;
    case BRN_NEWWINDOW:
      if (OnNewWindow2 && Message.LParam) {
        OnNewWindow2(this, *reinterpret_cast<bool*>(Message.LParam));
      }
      Message.Result = 0;
      return;
    case WM_CLOSE:
      // A page that closes its window does not take the control away from its owner.
      Message.Result = 0;
      return;
    default: TWinControl::WndProc(Message);
  }
}

void TBrowserControl::Navigate(const std::string& Address) {
  SendMessage(Handle(), BRM_NAVIGATE, 0, reinterpret_cast<LPARAM>(Address.c_str()));
}

void TBrowserControl::GoBack() {
  if (SendMessage(Handle(), BRM_GOBACK, 0, 0) == 0) {
    throw EBrowserError("Unspecified error");
  }
}

void TBrowserControl::GoForward() {
  if (SendMessage(Handle(), BRM_GOFORWARD, 0, 0) == 0) {
    throw EBrowserError("Unspecified error");
  }
}

void TBrowserControl::Refresh() { SendMessage(Handle(), BRM_REFRESH, 0, 0); }

void TBrowserControl::Stop() { SendMessage(Handle(), BRM_STOP, 0, 0); }

bool TBrowserControl::Busy() { return HandleAllocated() && SendMessage(Handle(), BRM_GETBUSY, 0, 0) != 0; }

std::string TBrowserControl::LocationURL() {
  std::string Address;
  if (HandleAllocated()) {
    SendMessage(Handle(), BRM_GETLOCATION, 0, reinterpret_cast<LPARAM>(&Address));
  }
  return Address;
}

int TBrowserControl::OpenedWindowCount() {
  return HandleAllocated() ? static_cast<int>(SendMessage(Handle(), BRM_WINDOWCOUNT, 0, 0)) : 0;
}

Variant TBrowserControl::GetProperty(int DispId) {
  switch (DispId) {
    case DISPID_APPLICATION: return Variant(static_cast<long long>(Handle()));
    case DISPID_DOCUMENT:
      return Variant(HandleAllocated() && SendMessage(Handle(), BRM_HASDOCUMENT, 0, 0) != 0 ? 1 : 0);
    case DISPID_LOCATIONURL: return Variant(LocationURL());
    case DISPID_BUSY: return Variant(Busy());
    case DISPID_VISIBLE: return Variant(FVisibleProperty);
    default: return Variant();
  }
}

void TBrowserControl::SetProperty(int DispId, const Variant& Value) {
  if (DispId == DISPID_VISIBLE) {
    FVisibleProperty = Value.AsBoolean();
  }
}

bool TBrowserControl::SaveDocumentToFile(const std::string& FileName, DWORD TimeoutMs) {
  if (!HandleAllocated() || SendMessage(Handle(), BRM_SAVESTART, 0, reinterpret_cast<LPARAM>(FileName.c_str())) == 0) {
    return false;
  }
  // The real clock: a test's manual clock must not stretch the wait.
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
  for (;;) {
    if (!HandleAllocated()) {
      return false;
    }
    const LRESULT State = SendMessage(Handle(), BRM_SAVESTATE, 0, 0);
    if (State != 0) {
      return State > 0;
    }
    if (std::chrono::steady_clock::now() > Deadline || Application->Terminated()) {
      return false;
    }
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

bool TBrowserControl::TranslateAccelerator(const MSG& Msg) {
  return HandleAllocated() && SendMessage(Handle(), BRM_TRANSLATEKEY, 0, reinterpret_cast<LPARAM>(&Msg)) != 0;
}
