// The download pool of a batch run: one HTTP client per slot, driven through the message loop, with the sweep
// that aborts downloads running too long.
#pragma once

#include "platform/win/WinTypes.h"

#include <memory>

class BatchWizardJobClass;
class batchwiztargetclass;
class THttpCli;
class TFileStream;
class TObject;

// Bits of EkHttpArrayClass::slotState and SetState.
inline constexpr int SLOT_FREE = 0x1;
inline constexpr int SLOT_TAKEN = 0x2;  // SetState: take the slot
inline constexpr int SLOT_TIMED_OUT = 0x2;
inline constexpr int SLOT_ABORTED = 0x4;
// Flags of StartDownloads and WaitForDownloads.
inline constexpr int DOWNLOAD_START = 0x1;
inline constexpr int DOWNLOAD_WAIT = 0x1;
// Flags of AbortHttpRequests.
inline constexpr int ABORT_TIMED_OUT = 0x1;
inline constexpr int ABORT_ALL = 0x2;
// How often the waits sweep for time-outs, and their longest wait for a message.
inline constexpr int SWEEP_INTERVAL_MS = 1000;
inline constexpr int WAIT_SLICE_MS = 200;

// One slot of the pool. The pool (the job's httpSlots) owns it; it owns its client and the client's stream.
class EkHttpArrayClass {
public:
  explicit EkHttpArrayClass(BatchWizardJobClass* Job);
  ~EkHttpArrayClass();
  EkHttpArrayClass(const EkHttpArrayClass&) = delete;
  EkHttpArrayClass& operator=(const EkHttpArrayClass&) = delete;

  batchwiztargetclass* slotTarget = nullptr;  // borrowed
  std::unique_ptr<THttpCli> client;
  int slotState = 0;
  unsigned long long startNs = 0;  // monotonic start of the download
  double elapsedSeconds = 0;
  std::unique_ptr<TFileStream> stream;  // the download file while the request runs
  BatchWizardJobClass* job;

  // SLOT_FREE frees the slot (its stream deleted, its target forgotten); SLOT_TAKEN takes it and notes the time.
  void SetState(int Bits);
  bool busy() const { return (slotState & SLOT_FREE) == 0; }
};

// A client ready for a request, or null without a pool or when the run was stopped while waiting for a slot.
THttpCli* GetFreeHttpSlot(BatchWizardJobClass* Job, int* AbortWord);
// With DOWNLOAD_START starts the downloads of the run's web targets: 0, or -1 when no slot could be had.
[[nodiscard]] int StartDownloads(BatchWizardJobClass* Job, int* AbortWord, int Flags);
// The request-done handler of every pool client.
void HttpRequestDone(EkHttpArrayClass* Slot, TObject* Sender, unsigned short Error);
// The number of requests aborted: ABORT_TIMED_OUT those past the time-out, ABORT_ALL every running one.
int AbortHttpRequests(BatchWizardJobClass* Job, int Flags);
// With DOWNLOAD_WAIT waits until no download runs (or the run is stopped).
void WaitForDownloads(BatchWizardJobClass* Job, int* AbortWord, int Flags);
// After AbortHttpRequests with ABORT_ALL: lets the aborted clients report (for up to two seconds).
void FinishAbortedDownloads(BatchWizardJobClass* Job);
