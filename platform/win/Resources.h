// The program's resources: typed, named data registered at start-up (from files under data/), string tables,
// and the calls that find and load them.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstddef>
#include <string>

using HRSRC = std::uintptr_t;

// Resource types (MAKEINTRESOURCE values).
inline constexpr WORD RT_CURSOR_ID = 1;
inline constexpr WORD RT_BITMAP_ID = 2;
inline constexpr WORD RT_ICON_ID = 3;
inline constexpr WORD RT_MENU_ID = 4;
inline constexpr WORD RT_DIALOG_ID = 5;
inline constexpr WORD RT_STRING_ID = 6;
inline constexpr WORD RT_RCDATA_ID = 10;
inline constexpr WORD RT_GROUP_CURSOR_ID = 12;
inline constexpr WORD RT_GROUP_ICON_ID = 14;
inline LPCSTR MAKEINTRESOURCE(WORD Id) { return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(Id)); }
inline LPCSTR ResourceId(WORD Id) { return MAKEINTRESOURCE(Id); }
inline bool IS_INTRESOURCE(LPCSTR Name) { return reinterpret_cast<std::uintptr_t>(Name) <= 0xFFFF; }
inline const LPCSTR RT_CURSOR = ResourceId(RT_CURSOR_ID);
inline const LPCSTR RT_BITMAP = ResourceId(RT_BITMAP_ID);
inline const LPCSTR RT_ICON = ResourceId(RT_ICON_ID);
inline const LPCSTR RT_STRING = ResourceId(RT_STRING_ID);
inline const LPCSTR RT_RCDATA = ResourceId(RT_RCDATA_ID);
inline const LPCSTR RT_GROUP_CURSOR = ResourceId(RT_GROUP_CURSOR_ID);
inline const LPCSTR RT_GROUP_ICON = ResourceId(RT_GROUP_ICON_ID);
inline constexpr LONG ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
inline constexpr LONG ERROR_RESOURCE_NAME_NOT_FOUND = 1814;

// Registers resource data under a type and a name (a string, compared without regard to ASCII case, or an id:
// "#12" names id 12 too). The bytes are not copied and must live as long as the program. A bitmap is a BMP file
// or a BMP without its file header; an icon or cursor is an .ico/.cur file.
void RegisterResource(LPCSTR Type, LPCSTR Name, const void* Data, std::size_t Size);
// String tables: the text of a string id (code page 1252).
void RegisterStringResource(UINT Id, const std::string& Text);

// Instance handles are ignored: the program and its built-in modules share one table. RT_RCDATA also finds the
// form layouts registered by the form loader.
HRSRC FindResource(HMODULE Module, LPCSTR Name, LPCSTR Type);
HGLOBAL LoadResource(HMODULE Module, HRSRC Res);
LPVOID LockResource(HGLOBAL Data);
DWORD SizeofResource(HMODULE Module, HRSRC Res);
BOOL FreeResource(HGLOBAL Data);
// Copies the string into Buffer (truncated, NUL-terminated) and returns its length; 0 when there is none.
// BufferMax 0 stores a pointer to the read-only text in *Buffer instead and returns its length.
int LoadString(HINSTANCE Instance, UINT Id, LPSTR Buffer, int BufferMax);
// The class library's form: the text of a resource string id, "" when missing.
std::string LoadResString(UINT Id);
