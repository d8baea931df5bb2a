// The table of kernel object handles (files, mappings, events, semaphores, threads, change notifications).
#pragma once

#include "platform/win/WinTypes.h"

#include <memory>

// Base of every object a kernel HANDLE names. Waitable kinds derive from it in the synchronisation unit.
// The table keeps a shared reference; CloseHandle drops it, so a waiter still holding one stays safe.
class TKernelObject {
public:
  virtual ~TKernelObject() = default;
};

// Adds an object to the table and returns its handle (never null, never INVALID_HANDLE_VALUE).
HANDLE AddKernelObject(std::shared_ptr<TKernelObject> Obj);
// Returns the object a handle names, or null for a closed or unknown handle.
std::shared_ptr<TKernelObject> FindKernelObject(HANDLE H);
template <class T> std::shared_ptr<T> FindKernelObjectAs(HANDLE H) {
  return std::dynamic_pointer_cast<T>(FindKernelObject(H));
}
// Closes a handle; FALSE with ERROR_INVALID_HANDLE when it names nothing.
BOOL CloseHandle(HANDLE H);
