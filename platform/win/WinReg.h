// The registry API: predefined keys, value types, access masks and the Reg* functions over the file-backed store.
#pragma once

#include "platform/win/TimeApi.h"
#include "platform/win/WinTypes.h"

using REGSAM = DWORD;

// Predefined root keys. They are always open; RegCloseKey on them does nothing.
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
inline constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

// Value types.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_DWORD_LITTLE_ENDIAN = 4;
inline constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
inline constexpr DWORD REG_LINK = 6;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_RESOURCE_LIST = 8;
inline constexpr DWORD REG_QWORD = 11;

// Access rights.
inline constexpr DWORD MAXIMUM_ALLOWED = 0x02000000;
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
inline constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
inline constexpr REGSAM KEY_READ = 0x00020019;     // (STANDARD_RIGHTS_READ | QUERY | ENUMERATE | NOTIFY)
inline constexpr REGSAM KEY_WRITE = 0x00020006;    // (STANDARD_RIGHTS_WRITE | SET_VALUE | CREATE_SUB_KEY)
inline constexpr REGSAM KEY_EXECUTE = 0x00020019;  // same as KEY_READ
inline constexpr REGSAM KEY_ALL_ACCESS = 0x000F003F;

// RegCreateKeyEx options and dispositions.
inline constexpr DWORD REG_OPTION_RESERVED = 0;
inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_OPTION_VOLATILE = 1;
inline constexpr DWORD REG_OPTION_CREATE_LINK = 2;
inline constexpr DWORD REG_OPTION_BACKUP_RESTORE = 4;
inline constexpr DWORD REG_OPTION_OPEN_LINK = 8;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// The functions return an error code (ERROR_SUCCESS on success); they do not set the thread's last error.
// Handles of opened keys come from a table of the layer; a handle names the key by its path, so a handle to a
// key that has since been deleted (by this or another process) gets ERROR_KEY_DELETED.
// Names of keys and values compare case-insensitively (code page 1252 folding) and keep the case given when
// created. A null or empty value name means the key's default value.
// Opening or creating a key with write rights (KEY_SET_VALUE, KEY_CREATE_SUB_KEY, DELETE...) in a hive switched
// read-only fails with ERROR_ACCESS_DENIED, as it does for a user without rights; so does any change through a
// handle that was opened without the right for it.
LONG RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, HKEY* phkResult);
LONG RegOpenKey(HKEY hKey, LPCSTR lpSubKey, HKEY* phkResult);  // opens with MAXIMUM_ALLOWED
// Creates the key and every missing key on its path; *lpdwDisposition tells whether it was created or existed.
// A sub key path that starts with '\' fails with ERROR_BAD_PATHNAME.
LONG RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions, REGSAM samDesired,
                    void* lpSecurityAttributes, HKEY* phkResult, DWORD* lpdwDisposition);
LONG RegCreateKey(HKEY hKey, LPCSTR lpSubKey, HKEY* phkResult);
LONG RegCloseKey(HKEY hKey);
// Changes are written through at once; flushing only checks the handle.
LONG RegFlushKey(HKEY hKey);

// Type, data and size of a value. lpcbData holds the buffer's size on entry and the data's size on return. A null
// lpData asks only for type and size. A short buffer gives ERROR_MORE_DATA with the needed size. The size of
// string data is what was stored (RegSetValueEx callers include the terminating NUL).
LONG RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData, DWORD* lpcbData);
// Stores cbData bytes as given, with the given type.
LONG RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData, DWORD cbData);
LONG RegDeleteValue(HKEY hKey, LPCSTR lpValueName);
// Deletes a key that has no sub keys (ERROR_ACCESS_DENIED while it has some); ERROR_FILE_NOT_FOUND when missing.
LONG RegDeleteKey(HKEY hKey, LPCSTR lpSubKey);

// Enumeration by index: sub keys in case-insensitive name order, values in the order they were created.
// lpcName / lpcValueName hold the buffer's size in characters (room for the NUL) on entry and the name's length
// without the NUL on return; ERROR_MORE_DATA when it is short; ERROR_NO_MORE_ITEMS past the end.
LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD* lpcName, DWORD* lpReserved, LPSTR lpClass,
                  DWORD* lpcClass, FILETIME* lpftLastWriteTime);
LONG RegEnumKey(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName);
LONG RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, DWORD* lpcValueName, DWORD* lpReserved,
                  DWORD* lpType, BYTE* lpData, DWORD* lpcbData);
// Counts and longest lengths (names in characters without the NUL, data in bytes). Keys have no class and no
// security descriptor here (both report 0); the last write time is that of the hive file.
LONG RegQueryInfoKey(HKEY hKey, LPSTR lpClass, DWORD* lpcClass, DWORD* lpReserved, DWORD* lpcSubKeys,
                     DWORD* lpcMaxSubKeyLen, DWORD* lpcMaxClassLen, DWORD* lpcValues, DWORD* lpcMaxValueNameLen,
                     DWORD* lpcMaxValueLen, DWORD* lpcbSecurityDescriptor, FILETIME* lpftLastWriteTime);
