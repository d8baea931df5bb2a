// The service every modal dialog of the layer goes through: the platform's dialogs on screen, or a script
// under tests that answers at once and records what was asked.
#pragma once

#include "platform/win/WinTypes.h"

#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// What a dialog shows. Kind names the dialog ("MessageBox"; later the common dialogs); Buttons holds the ID_
// results it offers, in order, and DefaultButton the one Return gives.
struct TDialogRequest {
  std::string Kind;
  HWND Owner = 0;
  std::string Caption;
  std::string Text;
  UINT Flags = 0;
  std::vector<int> Buttons;
  int DefaultButton = 0;
  // Named settings of dialogs beyond the message box (menus, file, font, colour, print dialogs); each kind
  // documents its names where its request is made.
  std::map<std::string, std::string> Params;
};

// The user's answer: the result code and, for dialogs that ask for text or a file, the value.
struct TDialogAnswer {
  TDialogAnswer() = default;
  TDialogAnswer(int AResult, std::string AValue = {}) : Result(AResult), Value(std::move(AValue)) {}
  int Result = 0;
  std::string Value;
  // More values (the files of a multiple selection) and named results (a font's size, a print range).
  std::vector<std::string> Values;
  std::map<std::string, std::string> Params;
};

class TDialogService {
public:
  TDialogService() = default;
  TDialogService(const TDialogService&) = delete;
  TDialogService& operator=(const TDialogService&) = delete;
  virtual ~TDialogService() = default;
  // Shows the dialog and returns the answer; modal for the owner, while the program's loop keeps running.
  virtual TDialogAnswer Run(const TDialogRequest& Request) = 0;
};

// The installed service (the platform's when none is installed). Installing returns the previous one (null for
// the platform's); the installer keeps its service alive while installed.
TDialogService& DialogService();
TDialogService* SetDialogService(TDialogService* Service);
// Registered once by the toolkit side: the service that shows real dialogs. Without a screen (offscreen tests)
// it answers with the default button at once, so nothing ever waits.
void RegisterPlatformDialogService(TDialogService* Service);
// Test switch: while on, the platform service shows the real dialogs and popup menus even without a screen
// (offscreen), so that a test can drive the real widgets from inside the layer's loop (Harness::DriveDialogs);
// off (the default) offscreen requests get the default answer at once. Setting the environment variable
// ZUB_REAL_DIALOGS to 1 turns it on for the whole process.
void SetShowRealDialogs(bool On);
bool ShowRealDialogs();
// Registered by the toolkit side for one kind of dialog ("PopupMenu", "OpenDialog"...): with no service installed,
// requests of that kind go to it instead of the platform service.
void RegisterPlatformDialogKind(const std::string& Kind, TDialogService* Service);

// A scripted service for tests: answers from a queue (or the default button when the queue is empty, so nothing
// ever waits) and keeps every request it was given. Thread-safe.
class TScriptedDialogs final : public TDialogService {
public:
  void QueueAnswer(int Result, std::string Value = {});
  void QueueAnswer(TDialogAnswer Answer);
  TDialogAnswer Run(const TDialogRequest& Request) override;
  std::vector<TDialogRequest> Shown();

private:
  std::mutex Lock;
  std::deque<TDialogAnswer> Answers;
  std::vector<TDialogRequest> Requests;
};

// Installs a service for a scope.
class TScopedDialogService {
public:
  explicit TScopedDialogService(TDialogService& S) : Previous(SetDialogService(&S)) {}
  ~TScopedDialogService() { SetDialogService(Previous); }
  TScopedDialogService(const TScopedDialogService&) = delete;
  TScopedDialogService& operator=(const TScopedDialogService&) = delete;

private:
  TDialogService* Previous;
};
