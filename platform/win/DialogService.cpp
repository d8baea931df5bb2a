// The platform message box and the dialog service that answers it.
#include "platform/win/DialogService.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>

namespace {

struct TDialogService {
  std::mutex Lock;
  std::deque<int> Answers;
  std::vector<TMessageBoxRecord> Calls;
  TInteractiveDialogHandler Handler;
  int ScriptedSwitch = -1;  // -1: decided by the environment
};

TDialogService& Service() {
  static TDialogService S;
  return S;
}

bool EnvironmentIsScripted() {
  const char* Scripted = std::getenv("ZUBQ_SCRIPTED_DIALOGS");
  if (Scripted != nullptr && std::strcmp(Scripted, "1") == 0) {
    return true;
  }
  const char* Qpa = std::getenv("QT_QPA_PLATFORM");
  return Qpa != nullptr && std::strcmp(Qpa, "offscreen") == 0;
}

bool HasDisplay() {
  const char* X = std::getenv("DISPLAY");
  const char* W = std::getenv("WAYLAND_DISPLAY");
  return (X != nullptr && *X != 0) || (W != nullptr && *W != 0);
}

bool IsScriptedLocked(const TDialogService& S) {
  return S.ScriptedSwitch >= 0 ? S.ScriptedSwitch == 1 : EnvironmentIsScripted();
}

}  // namespace

int MessageBoxDefaultResult(UINT Type) {
  static const int Buttons[6][3] = {
      {IDOK, 0, 0},          {IDOK, IDCANCEL, 0}, {IDABORT, IDRETRY, IDIGNORE},
      {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO, 0},  {IDRETRY, IDCANCEL, 0},
  };
  const UINT Set = Type & MB_TYPEMASK;
  if (Set > MB_RETRYCANCEL) {
    return 0;
  }
  const UINT Default = (Type & MB_DEFMASK) >> 8;
  if (Default < 3 && Buttons[Set][Default] != 0) {
    return Buttons[Set][Default];
  }
  return Buttons[Set][0];
}

int MessageBox(HWND Owner, LPCSTR Text, LPCSTR Caption, UINT Type) {
  TMessageBoxRecord Box;
  Box.Owner = Owner;
  Box.Text = Text != nullptr ? Text : "";
  Box.Caption = Caption != nullptr ? Caption : "Error";
  Box.Type = Type;
  const int Default = MessageBoxDefaultResult(Type);
  if (Default == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }

  TDialogService& S = Service();
  TInteractiveDialogHandler Handler;
  {
    std::lock_guard<std::mutex> Guard(S.Lock);
    if (!S.Answers.empty()) {
      Box.Result = S.Answers.front();
      Box.Scripted = true;
      S.Answers.pop_front();
      S.Calls.push_back(Box);
      return Box.Result;
    }
    if (S.Handler && !IsScriptedLocked(S) && HasDisplay()) {
      Handler = S.Handler;
    }
  }

  // The real dialog runs without the lock, so that a box shown from inside another box's handling works.
  int Result = Handler ? Handler(Box) : 0;
  if (Result == 0) {
    Result = Default;
    Box.Defaulted = true;
    std::fprintf(stderr, "MessageBox answered unseen with %d: [%s] %s\n", Result, Box.Caption.c_str(),
                 Box.Text.c_str());
  }
  Box.Result = Result;
  std::lock_guard<std::mutex> Guard(S.Lock);
  S.Calls.push_back(Box);
  return Result;
}

TInteractiveDialogHandler SetInteractiveDialogHandler(TInteractiveDialogHandler Handler) {
  TDialogService& S = Service();
  std::lock_guard<std::mutex> Guard(S.Lock);
  TInteractiveDialogHandler Previous = std::move(S.Handler);
  S.Handler = std::move(Handler);
  return Previous;
}

void DialogServiceSetScripted(bool Scripted) {
  TDialogService& S = Service();
  std::lock_guard<std::mutex> Guard(S.Lock);
  S.ScriptedSwitch = Scripted ? 1 : 0;
}

bool DialogServiceIsScripted() {
  TDialogService& S = Service();
  std::lock_guard<std::mutex> Guard(S.Lock);
  return IsScriptedLocked(S);
}

void DialogServiceQueueAnswer(int Result) {
  TDialogService& S = Service();
  std::lock_guard<std::mutex> Guard(S.Lock);
  S.Answers.push_back(Result);
}

int DialogServicePendingAnswers() {
  TDialogService& S = Service();
  std::lock_guard<std::mutex> Guard(S.Lock);
  return static_cast<int>(S.Answers.size());
}

std::vector<TMessageBoxRecord> DialogServiceCalls() {
  TDialogService& S = Service();
  std::lock_guard<std::mutex> Guard(S.Lock);
  return S.Calls;
}

void DialogServiceReset() {
  TDialogService& S = Service();
  std::lock_guard<std::mutex> Guard(S.Lock);
  S.Answers.clear();
  S.Calls.clear();
}
