// Semaphores shared by name between all processes of the user, whose units come back when a holder dies.
#pragma once

#include "platform/win/Sync.h"

#include <string>

// The user's runtime folder: "$XDG_RUNTIME_DIR/zubq", or "/tmp/zubq-<uid>" when that variable is unset.
// Created with mode 0700 on first use; a /tmp folder that is not a directory owned by the user and closed to
// others is refused. Returns an empty string when no safe folder is available.
std::string UserRuntimeFolder();

// Creates or opens the semaphore of that name; what CreateSemaphore and OpenSemaphore do for a name.
// Each unit of the count is a lock file under <runtime folder>/sem, locked with flock() while some process
// holds the unit, so the operating system gives a unit back when its holder exits or crashes. The first
// process to open a name fixes its maximum; later ones get the existing semaphore with ERROR_ALREADY_EXISTS
// (CreateSemaphore) or ERROR_SUCCESS (OpenSemaphore, which fails with ERROR_FILE_NOT_FOUND for an unknown
// name). A name exists while any process has it open. Handles in one process share one object.
// A process can release only units that it holds itself (ReleaseSemaphore beyond them fails with
// ERROR_TOO_MANY_POSTS); closing its last handle gives its units back. The "Global\" and "Local\" prefixes
// name the same semaphore as the bare name. A child made by fork() opens its own semaphore rather than
// reusing the parent's object (whose locks it shares).
// Lock files stay in the folder after use; they hold no state of their own.
HANDLE CreateNamedSemaphore(LPCSTR Name, LONG InitialCount, LONG MaximumCount, bool OpenExisting);
