// The message box and the dialog service it goes through.
#include "platform/win/MessageBox.h"
#include "platform/win/DialogService.h"
#include "platform/win/WindowBackend.h"
#include "platform/win/WinUser.h"

#include <atomic>
#include <map>
#include <mutex>

namespace {

std::atomic<TDialogService*> Installed{nullptr};
std::atomic<TDialogService*> Platform{nullptr};

std::vector<int> ButtonsOf(UINT Type) {
  switch (Type & MB_TYPEMASK) {
    case MB_OK: return {IDOK};
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default: return {};
  }
}

std::mutex KindsLock;
std::map<std::string, TDialogService*>& Kinds() {
  static std::map<std::string, TDialogService*> M;
  return M;
}

// With no service installed: the handler registered for the request's kind, else the platform service; without
// a toolkit there is nobody to ask and the default button answers.
class TPlatformRouter final : public TDialogService {
public:
  TDialogAnswer Run(const TDialogRequest& Request) override {
    TDialogService* Handler = nullptr;
    {
      std::lock_guard G(KindsLock);
      auto It = Kinds().find(Request.Kind);
      Handler = It != Kinds().end() ? It->second : nullptr;
    }
    if (Handler == nullptr) {
      Handler = Platform.load();
    }
    if (Handler == nullptr && !ToolkitLoaded() && LoadToolkit()) {
      return Run(Request);  // the toolkit registered its dialogs while it loaded
    }
    if (Handler != nullptr) {
      return Handler->Run(Request);
    }
    return TDialogAnswer{Request.DefaultButton, {}};
  }
};

}  // namespace

TDialogService& DialogService() {
  if (auto* S = Installed.load()) {
    return *S;
  }
  static TPlatformRouter Router;
  return Router;
}

void RegisterPlatformDialogKind(const std::string& Kind, TDialogService* Service) {
  std::lock_guard G(KindsLock);
  Kinds()[Kind] = Service;
}

TDialogService* SetDialogService(TDialogService* Service) { return Installed.exchange(Service); }

void RegisterPlatformDialogService(TDialogService* Service) { Platform = Service; }

void TScriptedDialogs::QueueAnswer(int Result, std::string Value) {
  std::lock_guard G(Lock);
  Answers.push_back(TDialogAnswer{Result, std::move(Value)});
}

void TScriptedDialogs::QueueAnswer(TDialogAnswer Answer) {
  std::lock_guard G(Lock);
  Answers.push_back(std::move(Answer));
}

TDialogAnswer TScriptedDialogs::Run(const TDialogRequest& Request) {
  std::lock_guard G(Lock);
  Requests.push_back(Request);
  if (Answers.empty()) {
    return TDialogAnswer{Request.DefaultButton, {}};
  }
  TDialogAnswer A = Answers.front();
  Answers.pop_front();
  return A;
}

std::vector<TDialogRequest> TScriptedDialogs::Shown() {
  std::lock_guard G(Lock);
  return Requests;
}

int MessageBox(HWND Wnd, LPCSTR Text, LPCSTR Caption, UINT Type) {
  TDialogRequest R;
  R.Kind = "MessageBox";
  R.Owner = Wnd;
  R.Caption = Caption ? Caption : "Error";
  R.Text = Text ? Text : "";
  R.Flags = Type;
  R.Buttons = ButtonsOf(Type);
  if (R.Buttons.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (Type & MB_HELP) {
    R.Buttons.push_back(IDHELP);
  }
  std::size_t Def = (Type & MB_DEFMASK) >> 8;
  R.DefaultButton = R.Buttons[Def < R.Buttons.size() ? Def : 0];
  // The owner waits while the box is up (every window of the thread for a task-modal box).
  std::vector<HWND> Candidates;
  if (Type & MB_TASKMODAL) {
    EnumThreadWindows(GetCurrentThreadId(), [](HWND W, LPARAM L) {
      if (IsWindowVisible(W)) {
        reinterpret_cast<std::vector<HWND>*>(L)->push_back(W);
      }
      return TRUE;
    }, reinterpret_cast<LPARAM>(&Candidates));
  } else if (Wnd) {
    Candidates.push_back(GetAncestor(Wnd, GA_ROOT));
  }
  std::vector<HWND> Disabled;
  for (HWND W : Candidates) {
    if (W && IsWindowEnabled(W)) {
      EnableWindow(W, FALSE);
      Disabled.push_back(W);
    }
  }
  TDialogAnswer A;
  try {
    A = DialogService().Run(R);
  } catch (...) {
    for (HWND W : Disabled) {
      EnableWindow(W, TRUE);
    }
    throw;
  }
  for (HWND W : Disabled) {
    EnableWindow(W, TRUE);
  }
  if (Wnd && IsWindow(Wnd) && !Disabled.empty()) {
    SetActiveWindow(GetAncestor(Wnd, GA_ROOT));
  }
  return A.Result;
}
