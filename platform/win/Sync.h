// Waitable kernel objects, the wait functions, critical sections, interlocked operations, TLS and thread ids.
#pragma once

#include "platform/win/KernelObjects.h"

#include <pthread.h>

#include <functional>

// Wait results and limits, with their documented values.
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_ABANDONED_0 = 0x80;
inline constexpr DWORD WAIT_ABANDONED = WAIT_ABANDONED_0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
inline constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;
inline constexpr LONG ERROR_TOO_MANY_POSTS = 298;
inline constexpr DWORD STILL_ACTIVE = 259;
inline constexpr DWORD CREATE_SUSPENDED = 0x4;
inline constexpr DWORD TLS_OUT_OF_INDEXES = 0xFFFFFFFF;

// Base of every object a wait function accepts. All state changes happen under one process-wide lock (the
// sync lock) and wake every waiter, so a wait for all of several objects can take them atomically.
// The hooks below are called with the sync lock held.
class TWaitableObject : public TKernelObject {
public:
  // True when the given thread could take the object now. An object whose state lives outside the process
  // (a named semaphore) may reserve a unit here; CancelReservation gives it back if the wait does not complete.
  virtual bool IsSignaled(DWORD ThreadId) = 0;
  // Takes the object for the thread (only after IsSignaled said yes). Returns true when the object was
  // abandoned (a mutex whose owner ended, a watched folder that was deleted).
  virtual bool Acquire(DWORD ThreadId) = 0;
  virtual void CancelReservation() {}
  // True for objects whose state another process changes: a wait containing one re-checks periodically.
  virtual bool NeedsPolling() const { return false; }
};

// Base of semaphores, counted in the process or shared by name between processes.
class TSemaphoreBase : public TWaitableObject {
public:
  // Adds Count units; FALSE with ERROR_INVALID_PARAMETER for a count below 1 and ERROR_TOO_MANY_POSTS when the
  // maximum would be passed. Called without the sync lock.
  virtual BOOL Release(LONG Count, LONG* PreviousCount) = 0;
};

// Runs F with the sync lock held and wakes every waiter afterwards. For objects defined in other units
// (change notifications, the named semaphore) that change their state outside a wait.
void ChangeWaitableState(const std::function<void()>& F);

// Events. The security attributes are accepted and ignored. A named event or mutex is shared inside the
// process only (CreateEvent with an existing name returns it and sets ERROR_ALREADY_EXISTS).
HANDLE CreateEvent(LPVOID lpEventAttributes, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName);
BOOL SetEvent(HANDLE hEvent);
BOOL ResetEvent(HANDLE hEvent);
// Releases the threads waiting at this instant (all of them for a manual-reset event, one for an auto-reset
// event) and leaves the event non-signaled.
BOOL PulseEvent(HANDLE hEvent);

// Mutexes: recursive, owned by a thread; a mutex whose owner thread ends is abandoned and the next waiter
// gets WAIT_ABANDONED_0 + index.
HANDLE CreateMutex(LPVOID lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName);
BOOL ReleaseMutex(HANDLE hMutex);

// Semaphores. With a name the semaphore is shared by every process of the user (see NamedSemaphore.h).
HANDLE CreateSemaphore(LPVOID lpSemaphoreAttributes, LONG lInitialCount, LONG lMaximumCount, LPCSTR lpName);
HANDLE OpenSemaphore(DWORD dwDesiredAccess, BOOL bInheritHandle, LPCSTR lpName);
BOOL ReleaseSemaphore(HANDLE hSemaphore, LONG lReleaseCount, LONG* lpPreviousCount);
inline constexpr DWORD SEMAPHORE_ALL_ACCESS = 0x1F0003;

// Waits for one object or for any/all of up to MAXIMUM_WAIT_OBJECTS. Time-outs run on the layer's clock
// (Clock.h), so a manual clock decides when they expire. A wait that includes a named semaphore re-checks it
// every 10 ms, since another process releases it without telling us.
// Returns WAIT_OBJECT_0 + i, WAIT_ABANDONED_0 + i, WAIT_TIMEOUT, or WAIT_FAILED with GetLastError
// ERROR_INVALID_HANDLE (a handle that names no waitable object) or ERROR_INVALID_PARAMETER (no handles, more
// than 64, or the same object twice in a wait for all).
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds);

// Threads. The start routine runs on a new operating-system thread; the handle is signaled when it returns.
// A thread created with CREATE_SUSPENDED does not exist until ResumeThread. SuspendThread only works on a
// thread that has not started yet (Linux cannot stop a running thread safely): for a running one it fails
// with ERROR_NOT_SUPPORTED.
using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID lpParameter);
HANDLE CreateThread(LPVOID lpThreadAttributes, std::size_t dwStackSize, LPTHREAD_START_ROUTINE lpStartAddress,
                    LPVOID lpParameter, DWORD dwCreationFlags, DWORD* lpThreadId);
DWORD ResumeThread(HANDLE hThread);   // the previous suspend count, or 0xFFFFFFFF on failure
DWORD SuspendThread(HANDLE hThread);
BOOL GetExitCodeThread(HANDLE hThread, DWORD* lpExitCode);  // STILL_ACTIVE while it runs
DWORD GetThreadId(HANDLE hThread);

// Identity. Thread ids are the layer's own small numbers (never 0), stable for a thread's life; the thread
// that loaded the layer is MainThreadID.
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();
extern const DWORD MainThreadID;

// Critical sections: recursive, owned by a thread.
struct RTL_CRITICAL_SECTION {
  pthread_mutex_t Mutex;
  DWORD OwningThread = 0;
  LONG RecursionCount = 0;
};
using CRITICAL_SECTION = RTL_CRITICAL_SECTION;
using TRTLCriticalSection = RTL_CRITICAL_SECTION;
void InitializeCriticalSection(RTL_CRITICAL_SECTION* lpCriticalSection);
void EnterCriticalSection(RTL_CRITICAL_SECTION* lpCriticalSection);
void LeaveCriticalSection(RTL_CRITICAL_SECTION* lpCriticalSection);
BOOL TryEnterCriticalSection(RTL_CRITICAL_SECTION* lpCriticalSection);
void DeleteCriticalSection(RTL_CRITICAL_SECTION* lpCriticalSection);

// Interlocked operations (full barriers). Increment and Decrement return the new value, Exchange and
// ExchangeAdd and CompareExchange the previous one.
LONG InterlockedIncrement(volatile LONG* Addend);
LONG InterlockedDecrement(volatile LONG* Addend);
LONG InterlockedExchange(volatile LONG* Target, LONG Value);
LONG InterlockedExchangeAdd(volatile LONG* Addend, LONG Value);
LONG InterlockedCompareExchange(volatile LONG* Destination, LONG Exchange, LONG Comparand);
void* InterlockedExchangePointer(void* volatile* Target, void* Value);
void* InterlockedCompareExchangePointer(void* volatile* Destination, void* Exchange, void* Comparand);

// Thread-local storage. A freshly allocated index reads null in every thread; TlsGetValue clears the last
// error on success so that a stored null can be told from a failure.
DWORD TlsAlloc();
BOOL TlsFree(DWORD dwTlsIndex);
LPVOID TlsGetValue(DWORD dwTlsIndex);
BOOL TlsSetValue(DWORD dwTlsIndex, LPVOID lpTlsValue);
