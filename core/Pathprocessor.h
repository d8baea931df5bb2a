// File tests, file times, file and URL names, and the resolution of relative links against a document's path.
#pragma once

#include "core/Strstore.h"
#include "platform/win/TimeApi.h"

// Path styles: file paths use the platform's separator (PathDelim, '/' here), URLs use '/'. Flags of
// ResolveRelativePath and NormalizePath name them.
inline constexpr int PATH_STYLE_FILE = 1;
inline constexpr int PATH_STYLE_URL = 2;

// Codes of NormalizePath and ResolveRelativePath.
inline constexpr int PATH_RESOLVED = 0;
inline constexpr int PATH_NO_STYLE = -1;         // NormalizePath without a style
inline constexpr int PATH_ABOVE_ROOT = -2;       // NormalizePath: ".." with nothing left to remove
inline constexpr int PATH_TOO_MANY_PARENTS = -1; // ResolveRelativePath: more ".." parts than the base has parts
inline constexpr int PATH_RESOLVE_NO_STYLE = -2; // ResolveRelativePath without a style
inline constexpr int PATH_NORMALIZE_FAILED = -3; // ResolveRelativePath: the base or the result did not normalise

// Flags of ResolveRelativePath.
inline constexpr int RESOLVE_FILE = 0x1;          // file path style
inline constexpr int RESOLVE_URL = 0x2;           // URL style
inline constexpr int RESOLVE_BASE_DOCUMENT = 0x4; // the base names a document: its last part is dropped
inline constexpr int RESOLVE_TARGET_AS_FILE = 0x8;// the target uses '/' and is read as a file path
inline constexpr int RESOLVE_KEEP_BASE = 0x10;    // a relative target yields the base text unchanged
inline constexpr int RESOLVE_ANCHOR_SELF = 0x20;  // a target beginning with '#' refers to the base document

// 1 when Name is a file that can be opened for reading (a folder is not), else 0.
int DoesFileExist(const char* Name);
// The file's last-write time (zero when it cannot be opened), its size when Size is given, and Found = 1 or 0
// when Found is given.
void GetFileWriteTime(FILETIME* Time, const char* Name, Int64* Size, int* Found);

// The part of a file path after its last separator (the whole text when there is none).
StrStore GetFileNameFromPath(const char* Path);
StrStore GetPathFileName(const char* Path);
// The last path segment of a URL without its query; flag 2 also drops an anchor after the last '/'. An address
// ending with '/' gives its last folder name followed by '/'.
StrStore GetUrlFileName(const char* Url, int Flags);
// The URL without a trailing anchor (a '#' after the last '/' or '\').
StrStore RemoveUrlAnchor(const char* Url);
// 1 when, after trimming, a ':' comes before any '/' or '\' (a URL scheme or a drive).
int HasDriveOrScheme(const char* Text);
// 1 when the path is not empty and ends with the file path separator.
int EndsWithBackslash(const char* Path);
// 1 for a path that starts at the file system's root and does not end with the separator.
int IsAbsoluteWindowsPath(const char* Path);
// With flag 1: 1 when the path starts at the file system's root.
int HasDriveLetter(const char* Path, int Flags);

// Resolves "S..S" (drops the part before) and "S.S" (drops the dot) for the separator S of the style; see the
// PATH_* codes. Dots at the very start and a final "S.." are left as they are.
StrStore NormalizePath(const char* Path, int Style, int* Code);
// Resolves a link Target found in a document at Base; see the RESOLVE_* flags and PATH_* codes. On failure the
// result is empty.
StrStore ResolveRelativePath(const char* Base, const char* Target, int Flags, int* Code);
