// The class library's synchronisation objects: critical sections and events.
#pragma once

#include "platform/rtl/System.h"
#include "platform/win/Sync.h"

#include <string>

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// Base of the synchronisation objects.
class TSynchroObject : public TObject {
  Z_CLASS(TSynchroObject, TObject)
public:
  virtual void Acquire() {}
  virtual void Release() {}
};

// A synchronisation object over a kernel handle, which it owns and closes.
class THandleObject : public TSynchroObject {
  Z_CLASS(THandleObject, TSynchroObject)
public:
  THandleObject() = default;
  ~THandleObject() override;
  THandleObject(const THandleObject&) = delete;
  THandleObject& operator=(const THandleObject&) = delete;
  HANDLE Handle() const { return FHandle; }
  // The error code of the last failed wait.
  Integer LastError() const { return FLastError; }

protected:
  HANDLE FHandle = nullptr;
  Integer FLastError = 0;
};

// An event object. A named event is shared inside the process.
class TEvent : public THandleObject {
  Z_CLASS(TEvent, THandleObject)
public:
  TEvent(LPVOID EventAttributes, bool ManualReset, bool InitialState, const std::string& Name);
  // Waits up to Timeout ms: wrSignaled, wrTimeout, wrAbandoned, or wrError (LastError says why).
  TWaitResult WaitFor(DWORD Timeout);
  void SetEvent();
  void ResetEvent();
};

// A manual-reset event that starts non-signaled.
class TSimpleEvent : public TEvent {
  Z_CLASS(TSimpleEvent, TEvent)
public:
  TSimpleEvent() : TEvent(nullptr, true, false, "") {}
};

// A recursive critical section.
class TCriticalSection : public TSynchroObject {
  Z_CLASS(TCriticalSection, TSynchroObject)
public:
  TCriticalSection();
  ~TCriticalSection() override;
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;
  void Acquire() override;
  void Release() override;
  void Enter() { Acquire(); }
  void Leave() { Release(); }
  bool TryEnter();

private:
  RTL_CRITICAL_SECTION FSection;
};
