// The class library's critical section and event wrappers.
#include "platform/classes/SyncObjs.h"

Z_IMPLEMENT_CLASS(TSynchroObject, TObject)
Z_IMPLEMENT_CLASS(THandleObject, TSynchroObject)
Z_IMPLEMENT_CLASS(TEvent, THandleObject)
Z_IMPLEMENT_CLASS(TSimpleEvent, TEvent)
Z_IMPLEMENT_CLASS(TCriticalSection, TSynchroObject)

THandleObject::~THandleObject() {
  if (FHandle) {
    CloseHandle(FHandle);
  }
}

TEvent::TEvent(LPVOID EventAttributes, bool ManualReset, bool InitialState, const std::string& Name) {
  FHandle = CreateEvent(EventAttributes, ManualReset ? TRUE : FALSE, InitialState ? TRUE : FALSE,
                        Name.empty() ? nullptr : Name.c_str());
}

TWaitResult TEvent::WaitFor(DWORD Timeout) {
  switch (WaitForSingleObject(FHandle, Timeout)) {
    case WAIT_OBJECT_0:
      return wrSignaled;
    case WAIT_TIMEOUT:
      return wrTimeout;
    case WAIT_ABANDONED_0:
      return wrAbandoned;
    default:
      FLastError = static_cast<Integer>(GetLastError());
      return wrError;
  }
}

void TEvent::SetEvent() { ::SetEvent(FHandle); }
void TEvent::ResetEvent() { ::ResetEvent(FHandle); }

TCriticalSection::TCriticalSection() { InitializeCriticalSection(&FSection); }
TCriticalSection::~TCriticalSection() { DeleteCriticalSection(&FSection); }
void TCriticalSection::Acquire() { EnterCriticalSection(&FSection); }
void TCriticalSection::Release() { LeaveCriticalSection(&FSection); }
bool TCriticalSection::TryEnter() { return TryEnterCriticalSection(&FSection) != FALSE; }
