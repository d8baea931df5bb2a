// TChangeHandlerThread: one worker per shell control that waits on up to 63 change-notification handles and a
// command event, and posts a message to the control's window when a watched folder changes.
#pragma once

#include "platform/classes/Threads.h"
#include "platform/win/ChangeNotify.h"

#include <string>
#include <vector>

class TChangeHandlerThread : public TThread {
  Z_CLASS(TChangeHandlerThread, TThread)
public:
  static constexpr int SlotCount = 63;
  static constexpr DWORD AckTimeout = 2000;
  static constexpr DWORD EndTimeout = 30000;

  // Starts the worker at once. Window 0: changes post nothing.
  TChangeHandlerThread(HWND Window, UINT Message);
  ~TChangeHandlerThread() override;
  // Ends the worker (the end command, at most 30000 ms) before the thread object waits for it.
  void BeforeDestruction() override;

  // Watches one folder (Filter: FILE_NOTIFY_CHANGE_ bits); Slot gets the slot number. False for an empty or
  // unwatchable path, a full table, or a worker that did not acknowledge within 2000 ms.
  bool AddWatch(const std::string& Path, DWORD Filter, int& Slot, bool Subtree);
  // Closes every watch (the worker acknowledges within 2000 ms; the outcome is not waited for longer).
  void RemoveAllWatches();

protected:
  void Execute() override;

private:
  enum : unsigned char { CmdAddPendingHandle = 0, CmdCloseAllSlots = 2, CmdEnd = 3 };
  void EndWorker();
  void SignalChange(int Slot);
  void CloseSlot(int Slot);

  HANDLE FCommandEvent = nullptr;
  HANDLE FAckEvent = nullptr;
  HWND FWindow;
  UINT FMessage;
  std::vector<HANDLE> FSlots;  // INVALID_HANDLE_VALUE: free; written by the worker only while it runs
  HANDLE FPending = INVALID_HANDLE_VALUE;
  int FResultSlot = -1;
  unsigned char FCommand = CmdAddPendingHandle;
  std::vector<HANDLE> FToClose;
  bool FEnded = false;
};
