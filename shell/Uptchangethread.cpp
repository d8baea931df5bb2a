// The change-notification worker and its command protocol.
#include "shell/Uptchangethread.h"

#include "platform/win/Sync.h"
#include "platform/win/WinUser.h"

TChangeHandlerThread::TChangeHandlerThread(HWND Window, UINT Message)
    : TThread(true), FWindow(Window), FMessage(Message) {
  FCommandEvent = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  FAckEvent = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  FSlots.reserve(64);
  FSlots.assign(SlotCount, INVALID_HANDLE_VALUE);
  Start();
}

void TChangeHandlerThread::BeforeDestruction() {
  EndWorker();
  TThread::BeforeDestruction();
}

void TChangeHandlerThread::EndWorker() {
  if (!FEnded) {
    FEnded = true;
    FCommand = CmdEnd;
    SetEvent(FCommandEvent);
    WaitForSingleObject(Handle(), EndTimeout);
    if (Finished()) {
      for (HANDLE H : FSlots) {
        if (H != INVALID_HANDLE_VALUE) {
          FToClose.push_back(H);
        }
      }
      if (FPending != INVALID_HANDLE_VALUE) {
        FToClose.push_back(FPending);
      }
    }
    // A worker still busy is told to stop at its next wake, which the command event gives it.
    Terminate();
    SetEvent(FCommandEvent);
    WaitFor();
  }
}

TChangeHandlerThread::~TChangeHandlerThread() {
  EndWorker();  // an object that was not deleted through the class library (a scoped one) ends its worker here
  FSlots.clear();
  CloseHandle(FCommandEvent);
  CloseHandle(FAckEvent);
  for (HANDLE H : FToClose) {
    FindCloseChangeNotification(H);
  }
}

bool TChangeHandlerThread::AddWatch(const std::string& Path, DWORD Filter, int& Slot, bool Subtree) {
  Slot = -1;
  if (Path.empty()) {
    return false;
  }
  const HANDLE H = FindFirstChangeNotification(Path.c_str(), Subtree ? TRUE : FALSE, Filter);
  if (H == INVALID_HANDLE_VALUE) {
    return false;
  }
  FPending = H;
  FCommand = CmdAddPendingHandle;
  ResetEvent(FAckEvent);
  SetEvent(FCommandEvent);
  if (WaitForSingleObject(FAckEvent, AckTimeout) != WAIT_OBJECT_0) {
    return false;
  }
  Slot = FResultSlot;
  if (Slot == -1) {
    // The table was full: the handle is not watched, so it goes now rather than at the end.
    FindCloseChangeNotification(FPending);
    FPending = INVALID_HANDLE_VALUE;
    return false;
  }
  return true;
}

void TChangeHandlerThread::RemoveAllWatches() {
  FCommand = CmdCloseAllSlots;
  ResetEvent(FAckEvent);
  SetEvent(FCommandEvent);
  WaitForSingleObject(FAckEvent, AckTimeout);
}

void TChangeHandlerThread::SignalChange(int Slot) {
  if (FWindow) {
    PostMessage(FWindow, FMessage, static_cast<WPARAM>(Slot), 0);
  }
  if (!FindNextChangeNotification(FSlots[static_cast<std::size_t>(Slot)])) {
    CloseSlot(Slot);
  }
}

void TChangeHandlerThread::CloseSlot(int Slot) {
  HANDLE& H = FSlots[static_cast<std::size_t>(Slot)];
  if (H != INVALID_HANDLE_VALUE) {
    FindCloseChangeNotification(H);
    H = INVALID_HANDLE_VALUE;
  }
}

void TChangeHandlerThread::Execute() {
  for (;;) {
    HANDLE Wait[64];
    int SlotOf[64];
    DWORD Count = 0;
    Wait[Count++] = FCommandEvent;
    for (int I = 0; I < SlotCount; ++I) {
      if (FSlots[static_cast<std::size_t>(I)] != INVALID_HANDLE_VALUE) {
        SlotOf[Count] = I;
        Wait[Count++] = FSlots[static_cast<std::size_t>(I)];
      }
    }
    const DWORD R = WaitForMultipleObjects(Count, Wait, FALSE, INFINITE);
    if (Terminated()) {
      return;
    }
    if (R == WAIT_OBJECT_0) {
      switch (FCommand) {
        case CmdAddPendingHandle: {
          FResultSlot = -1;
          for (int I = 0; I < SlotCount; ++I) {
            if (FSlots[static_cast<std::size_t>(I)] == INVALID_HANDLE_VALUE) {
              FSlots[static_cast<std::size_t>(I)] = FPending;
              FPending = INVALID_HANDLE_VALUE;
              FResultSlot = I;
              break;
            }
          }
          break;
        }
        case CmdCloseAllSlots:
          for (int I = 0; I < SlotCount; ++I) {
            CloseSlot(I);
          }
          break;
        case CmdEnd: return;
        default: break;
      }
      SetEvent(FAckEvent);
    } else if (R > WAIT_OBJECT_0 && R < WAIT_OBJECT_0 + Count) {
      SignalChange(SlotOf[R - WAIT_OBJECT_0]);
    } else if (R > WAIT_ABANDONED_0 && R < WAIT_ABANDONED_0 + Count) {
      CloseSlot(SlotOf[R - WAIT_ABANDONED_0]);
    }
  }
}

Z_IMPLEMENT_CLASS(TChangeHandlerThread, TThread)
