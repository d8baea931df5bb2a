// Child processes: CreateProcess over posix_spawn, their handles (waitable, signaled when the process ends)
// and exit codes.
#pragma once

#include "platform/win/Sync.h"
#include "platform/win/WinTypes.h"

// STILL_ACTIVE (259) comes from the synchronisation unit.
inline constexpr DWORD STARTF_USESHOWWINDOW = 0x00000001;
inline constexpr DWORD STARTF_USESTDHANDLES = 0x00000100;
inline constexpr DWORD NORMAL_PRIORITY_CLASS = 0x00000020;
inline constexpr DWORD CREATE_NO_WINDOW = 0x08000000;

struct SECURITY_ATTRIBUTES {
  DWORD nLength = sizeof(SECURITY_ATTRIBUTES);
  LPVOID lpSecurityDescriptor = nullptr;
  BOOL bInheritHandle = FALSE;
};

struct STARTUPINFO {
  DWORD cb = sizeof(STARTUPINFO);
  DWORD dwFlags = 0;
  WORD wShowWindow = 0;
  HANDLE hStdInput = nullptr;
  HANDLE hStdOutput = nullptr;
  HANDLE hStdError = nullptr;
};

struct PROCESS_INFORMATION {
  HANDLE hProcess = nullptr;
  HANDLE hThread = nullptr;
  DWORD dwProcessId = 0;
  DWORD dwThreadId = 0;
};

// Starts a program. The command line is split as the platform's programs split it (SplitCommandLine); its
// first word is the program unless ApplicationName is given; a program without a folder is searched on PATH.
// A ".bat" or ".sh" script, or any file that is not executable, runs through /bin/sh. With
// STARTF_USESTDHANDLES and InheritHandles, the given file handles become the child's standard input, output
// and error (null keeps the parent's). Windows are never shown, so the show state is accepted and ignored;
// priority classes and the environment block are ignored too. hProcess is waitable (WaitForSingleObject) and
// is signaled when the process ends; hThread is null. Close hProcess with CloseHandle. FALSE with
// ERROR_FILE_NOT_FOUND when the program is not there, ERROR_DIRECTORY for a missing working folder.
BOOL CreateProcess(LPCSTR ApplicationName, LPSTR CommandLine, SECURITY_ATTRIBUTES* ProcessAttributes,
                   SECURITY_ATTRIBUTES* ThreadAttributes, BOOL InheritHandles, DWORD CreationFlags, LPVOID Environment,
                   LPCSTR CurrentDirectory, STARTUPINFO* StartupInfo, PROCESS_INFORMATION* ProcessInformation);
// STILL_ACTIVE while the process runs; its exit status when it ended (128 + the signal when it was killed).
BOOL GetExitCodeProcess(HANDLE Process, DWORD* ExitCode);
// Ends the process with a signal (SIGKILL).
BOOL TerminateProcess(HANDLE Process, UINT ExitCode);

// The descriptor behind a file handle of CreateFile (-1 for anything else); defined by the file unit.
int FileDescriptorOfHandle(HANDLE H);
