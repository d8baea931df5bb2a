// The operating-system interface's basic types, handle types and error codes, with their documented values.
#pragma once

#include "platform/rtl/Types.h"

using BOOL = int;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using WPARAM = std::uintptr_t;   // pointer-sized: callers pass pointers in message parameters
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using ATOM = std::uint16_t;
using COLORREF = std::uint32_t;

// Handles are opaque pointer-sized values. Window handles are small positive integers of the layer's
// window table, so they survive being written as decimal text and read back.
using HANDLE = void*;
using HWND = std::uintptr_t;
using HINSTANCE = void*;
using HMODULE = void*;
using HKEY = std::uintptr_t;
using HDC = std::uintptr_t;
using HGDIOBJ = std::uintptr_t;
using HFONT = std::uintptr_t;
using HPEN = std::uintptr_t;
using HBRUSH = std::uintptr_t;
using HBITMAP = std::uintptr_t;
using HRGN = std::uintptr_t;
using HICON = std::uintptr_t;
using HCURSOR = std::uintptr_t;
using HMENU = std::uintptr_t;
using HPALETTE = std::uintptr_t;
using HGLOBAL = void*;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr int MAX_PATH = 260;

// Geometry records keep the class library's field names (R.Left, P.X), as the program's code writes them.
struct TPoint {
  LONG X = 0;
  LONG Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};
struct TRect {
  LONG Left = 0;
  LONG Top = 0;
  LONG Right = 0;
  LONG Bottom = 0;
  LONG Width() const { return Right - Left; }
  LONG Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};
struct TSize {
  LONG cx = 0;
  LONG cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};
using POINT = TPoint;
using RECT = TRect;
using SIZE = TSize;

inline TPoint Point(LONG AX, LONG AY) { return TPoint{AX, AY}; }
inline TRect Rect(LONG ALeft, LONG ATop, LONG ARight, LONG ABottom) { return TRect{ALeft, ATop, ARight, ABottom}; }

inline constexpr WORD LOWORD(DWORD_PTR V) { return static_cast<WORD>(V & 0xFFFF); }
inline constexpr WORD HIWORD(DWORD_PTR V) { return static_cast<WORD>((V >> 16) & 0xFFFF); }
inline constexpr LONG MAKELONG(WORD Lo, WORD Hi) { return static_cast<LONG>(static_cast<DWORD>(Lo) | (static_cast<DWORD>(Hi) << 16)); }

// Standard access rights shared by every kind of kernel object and registry key.
inline constexpr DWORD DELETE = 0x00010000;
inline constexpr DWORD READ_CONTROL = 0x00020000;
inline constexpr DWORD WRITE_DAC = 0x00040000;
inline constexpr DWORD WRITE_OWNER = 0x00080000;
inline constexpr DWORD SYNCHRONIZE = 0x00100000;
inline constexpr DWORD STANDARD_RIGHTS_READ = READ_CONTROL;
inline constexpr DWORD STANDARD_RIGHTS_WRITE = READ_CONTROL;
inline constexpr DWORD STANDARD_RIGHTS_EXECUTE = READ_CONTROL;
inline constexpr DWORD STANDARD_RIGHTS_REQUIRED = 0x000F0000;
inline constexpr DWORD STANDARD_RIGHTS_ALL = 0x001F0000;

// Result codes of the component interfaces: negative for failures.
using HRESULT = LONG;
inline constexpr bool SUCCEEDED(HRESULT Hr) { return Hr >= 0; }
inline constexpr bool FAILED(HRESULT Hr) { return Hr < 0; }
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFF);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);

// Error codes as GetLastError reports them.
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_INVALID_FUNCTION = 1;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_PATH_NOT_FOUND = 3;
inline constexpr LONG ERROR_TOO_MANY_OPEN_FILES = 4;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr LONG ERROR_BAD_FORMAT = 11;
inline constexpr LONG ERROR_INVALID_DATA = 13;
inline constexpr LONG ERROR_OUTOFMEMORY = 14;
inline constexpr LONG ERROR_NO_MORE_FILES = 18;
inline constexpr LONG ERROR_WRITE_FAULT = 29;
inline constexpr LONG ERROR_READ_FAULT = 30;
inline constexpr LONG ERROR_SHARING_VIOLATION = 32;
inline constexpr LONG ERROR_LOCK_VIOLATION = 33;
inline constexpr LONG ERROR_HANDLE_EOF = 38;
inline constexpr LONG ERROR_NOT_SUPPORTED = 50;
inline constexpr LONG ERROR_FILE_EXISTS = 80;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_BROKEN_PIPE = 109;
inline constexpr LONG ERROR_DISK_FULL = 112;
inline constexpr LONG ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr LONG ERROR_INVALID_NAME = 123;
inline constexpr LONG ERROR_MOD_NOT_FOUND = 126;
inline constexpr LONG ERROR_PROC_NOT_FOUND = 127;
inline constexpr LONG ERROR_DIR_NOT_EMPTY = 145;
inline constexpr LONG ERROR_BAD_PATHNAME = 161;
inline constexpr LONG ERROR_ALREADY_EXISTS = 183;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG WAIT_TIMEOUT_ERROR = 258;
inline constexpr LONG ERROR_NO_MORE_ITEMS = 259;
inline constexpr LONG ERROR_DIRECTORY = 267;
inline constexpr LONG ERROR_NOT_OWNER = 288;
inline constexpr LONG ERROR_INVALID_WINDOW_HANDLE = 1400;
inline constexpr LONG ERROR_CLASS_ALREADY_EXISTS = 1410;
inline constexpr LONG ERROR_CLASS_DOES_NOT_EXIST = 1411;
inline constexpr LONG ERROR_BADDB = 1009;
inline constexpr LONG ERROR_BADKEY = 1010;
inline constexpr LONG ERROR_CANTOPEN = 1011;
inline constexpr LONG ERROR_CANTREAD = 1012;
inline constexpr LONG ERROR_CANTWRITE = 1013;
inline constexpr LONG ERROR_KEY_DELETED = 1018;
inline constexpr LONG ERROR_KEY_HAS_CHILDREN = 1020;

// The calling thread's last error (thread-local), as the operating-system calls set it.
DWORD GetLastError();
void SetLastError(DWORD Code);
