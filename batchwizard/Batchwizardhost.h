// BatchWizardHost: what a batch run asks of the window that runs it (the batch wizard window, or a console host
// in tests): the log, the progress bar, the status texts, message pumping, the owner window and the list dialogs.
#pragma once

#include "core/Strstore.h"

#include "platform/win/WinTypes.h"

class BatchWizardJobClass;
class PointerArrayManager;
class TObject;

// Flags of BatchWizardHost::AddLogLine.
inline constexpr int LOG_ERROR = 0x2;  // the line gets the error line style
inline constexpr int LOG_ABORT = 0x4;  // writes the abort line (level 1, error) instead of the text
// Log levels: 1 always shown, 2 and 3 only with the verbose option.
inline constexpr int LOG_L1 = 1;
inline constexpr int LOG_L2 = 2;
inline constexpr int LOG_L3 = 3;
inline constexpr const char ABORT_LINE[] = "*** Processing aborted due to user request. ***";

// Bits of the abort word.
inline constexpr int ABORT_REQUESTED = 0x1;
// Bits of BatchWizardJobClass::runState.
inline constexpr int RUNSTATE_FINAL_LINK_CHECK = 0x1;

// Modes of SetProgress and SetProgressWithCounts.
inline constexpr int PROGRESS_ZERO = 0x1;
inline constexpr int PROGRESS_ADD = 0x2;
inline constexpr int PROGRESS_SET = 0x4;
inline constexpr int PROGRESS_FULL = 0x8;
inline constexpr int PROGRESS_NO_CAPTION = 0x10;
inline constexpr int PROGRESS_COUNTS = 0x20;

// Flags of ShowListStatus.
inline constexpr int STATUS_COUNT = 0x1;
inline constexpr int STATUS_PROCESSING = 0x2;
inline constexpr int STATUS_COMPLETE = 0x4;
inline constexpr int STATUS_SAVED = 0x8;
inline constexpr int STATUS_ABORTING = 0x10;

// Flags of SyncListOptions.
inline constexpr int SYNC_EMPTY = 0x1;
inline constexpr int SYNC_FROM_FIELDS = 0x2;

// An open or save dialog request for target lists.
struct TargetListDialogRequest {
  StrStore defaultExt;
  StrStore filter;
  int filterIndex = 1;
  StrStore title;
  StrStore fileName;    // in: the name shown; out: the name chosen
  StrStore initialDir;  // empty: none
};

// The window side of a batch run. It holds the running bit, the abort word and the running job; the log rules
// and Stop are written here, everything the window shows goes through the virtual calls. The window (or the test
// host) lives longer than any run it starts.
class BatchWizardHost {
public:
  BatchWizardHost() = default;
  virtual ~BatchWizardHost() = default;
  BatchWizardHost(const BatchWizardHost&) = delete;
  BatchWizardHost& operator=(const BatchWizardHost&) = delete;

  int running = 0;    // 1 while a run is active
  int abortWord = 0;  // see ABORT_*
  BatchWizardJobClass* runningJob = nullptr;

  // Writes the line when its level shows (level 1 always, others with the verbose option); LOG_ERROR styles it,
  // LOG_ABORT writes the abort line instead. Messages are pumped after every call, shown or not.
  void AddLogLine(int Level, const char* Text, int Flags);
  void AddLogLine(int Level, const StrStore& Text, int Flags) { AddLogLine(Level, Text.text, Flags); }
  // Asks the running job to stop: sets the abort bit, shows the aborting status and, during the final link check,
  // asks the engine to stop checking.
  void Stop();
  // Runs one batch job (Batchjob.cpp): 0 done, -1 documents flag without a list, -2 out of memory, -3 running.
  [[nodiscard]] int ProcessTargets(TObject* Sender, PointerArrayManager* Documents, int Flags);
  // Pumps, then waits up to the time for the next message (a finished download is seen at once).
  virtual void WaitForMessage(int Milliseconds);
  // A message box owned by the window, in the foreground.
  int ShowMessage(const char* Text, const char* Caption, UINT Type);

  // ---- What the window shows and does ----
  virtual void ClearLog() {}
  // Appends a shown line (of the level) to the log; Error gives it the error line style.
  virtual void WriteLogLine(int Level, const char* Text, bool Error) = 0;
  virtual void SetProgress(int Value, int Mode);
  virtual void SetProgressWithCounts(int Value, int Done, int Mode, int Total);
  virtual int GetProgress() { return progress; }
  virtual void ShowListStatus(int Flags) { (void)Flags; }
  // Takes the window's report fields into the current list options (see SYNC_*). Without fields: SYNC_EMPTY makes
  // an empty record current, SYNC_FROM_FIELDS makes sure a record is current.
  virtual void SyncListOptions(int Flags);
  // Switches the window's commands and pages between running and idle.
  virtual void UpdateRunningState(bool Running) { (void)Running; }
  virtual void SetBusyCursor(bool Busy) { (void)Busy; }
  // Handles pending messages (the class library's ProcessMessages).
  virtual void ProcessMessages();
  // The window that owns message boxes and engine jobs; 0 for none.
  virtual HWND OwnerWindow() { return 0; }
  // Shows a report file (the engine's help display of the file).
  virtual void ShowReportFile(const char* FileName);
  // The open and save dialogs of target lists: true when the user chose a name (in Request.fileName).
  virtual bool ExecuteOpenDialog(TargetListDialogRequest& Request) {
    (void)Request;
    return false;
  }
  virtual bool ExecuteSaveDialog(TargetListDialogRequest& Request) {
    (void)Request;
    return false;
  }

protected:
  int progress = 0;
};
