// The window side of a batch run: the log rules, Stop, the progress value, pumping and the message boxes.
#include "batchwizard/Batchwizardhost.h"

#include "batchwizard/Batchjob.h"
#include "core/Batchwizclass.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"

#include "platform/win/MessageBox.h"
#include "platform/win/Sync.h"
#include "platform/win/WinUser.h"

void BatchWizardHost::AddLogLine(int Level, const char* Text, int Flags) {
  if ((Flags & LOG_ABORT) != 0) {
    Level = LOG_L1;
    Text = ABORT_LINE;
    Flags |= LOG_ERROR;
  }
  const batchwizclass* Settings = BatchSettings();
  const bool Verbose = Settings != nullptr && Settings->optionFlags.has(BWF::VerboseLog);
  if (Level == LOG_L1 || Verbose) {
    WriteLogLine(Level, Text != nullptr ? Text : "", (Flags & LOG_ERROR) != 0);
  }
  ProcessMessages();
}

void BatchWizardHost::Stop() {
  abortWord |= ABORT_REQUESTED;
  ShowListStatus(STATUS_ABORTING);
  if (runningJob != nullptr && (runningJob->runState & RUNSTATE_FINAL_LINK_CHECK) != 0 &&
      ZUBCalls.ZUBSetFlag2 != nullptr) {
    (void)ZUBCalls.ZUBSetFlag2(ZUB_ENGINE_FLAGS, ZUB_ENGINE_STOP_LINK_CHECK, 1);  // a refusal leaves the check run
  }
}

void BatchWizardHost::WaitForMessage(int Milliseconds) {
  ProcessMessages();
  // A message that arrives ends the wait and is handled at once, so that the caller sees its effect (a finished
  // download) without waiting another round.
  if (MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(Milliseconds), QS_ALLINPUT) == WAIT_OBJECT_0) {
    ProcessMessages();
  }
}

int BatchWizardHost::ShowMessage(const char* Text, const char* Caption, UINT Type) {
  return MessageBox(OwnerWindow(), Text, Caption, Type | MB_SETFOREGROUND);
}

void BatchWizardHost::SetProgress(int Value, int Mode) {
  if ((Mode & PROGRESS_ZERO) != 0) {
    progress = 0;
  } else if ((Mode & PROGRESS_ADD) != 0) {
    progress += Value;
  } else if ((Mode & PROGRESS_SET) != 0) {
    progress = Value;
  } else if ((Mode & PROGRESS_FULL) != 0) {
    progress = 100;
  }
}

void BatchWizardHost::SetProgressWithCounts(int Value, int Done, int Mode, int Total) {
  (void)Done;
  (void)Total;
  SetProgress(Value, Mode & ~PROGRESS_COUNTS);
}

void BatchWizardHost::SyncListOptions(int Flags) {
  batchwizclass* S = BatchSettings();
  if (S == nullptr) {
    return;
  }
  const batchwizclass2 Empty;
  if ((Flags & SYNC_EMPTY) != 0 || ((Flags & SYNC_FROM_FIELDS) != 0 && S->listOptions == nullptr)) {
    (void)S->SetCurrentListOptions(&Empty);  // out of memory leaves no record: the list is written without one
  }
}

void BatchWizardHost::ProcessMessages() {
  MSG M;
  while (PeekMessage(&M, 0, 0, 0, PM_REMOVE)) {
    if (M.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(M.wParam));
      break;
    }
    TranslateMessage(&M);
    DispatchMessage(&M);
  }
}

void BatchWizardHost::ShowReportFile(const char* FileName) {
  if (ZUBCalls.ZUBDisplayHelp != nullptr) {
    (void)ZUBCalls.ZUBDisplayHelp(OwnerWindow(), ZUB_HELP_PAGE, FileName, 0);  // the engine reports its failures
  }
}
