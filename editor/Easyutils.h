// The editor component's toolbox: numbers and rectangles, string helpers, substring scanners, URL tests,
// path helpers and the hexadecimal codec of the settings file.
#pragma once

#include "editor/Easyconsts.h"
#include "platform/rtl/FileUtils.h"  // DirectoryExists: the path exists and is a folder
#include "platform/win/WinTypes.h"

#include <string>
#include <string_view>

// Numbers and rectangles.
inline int Min(int A, int B) { return A < B ? A : B; }
inline int Max(int A, int B) { return A > B ? A : B; }
void SwapInteger(int& A, int& B);
void SwapMaxInt(int& A, int& B);  // afterwards A <= B
void SwapRect(TRect& R);          // left with right, top with bottom
bool IsNullRect(const TRect& R);
void FillWord(Word Value, void* Buffer, int Count);

// Strings (positions are 1-based).
// The first occurrence of Pattern in Text starting at or after Start; 0 when none. Bytes compare exactly.
int FindPos(std::string_view Pattern, std::string_view Text, int Start);
// The last occurrence of Pattern whose first character lies at or before Start; it may run past Start but
// must end within Text. Start must lie in 1..length of Text. 0 when none.
int FindBackPos(std::string_view Pattern, std::string_view Text, int Start);
// Compares S with the first N characters of P, folding only a to z: difference of the first differing
// bytes, else length(S) - N. A null P counts as N = 0.
int CompareTextEx(std::string_view S, const char* P, int N);
int CompareStrEx(std::string_view S, const char* P, int N);
inline bool InDelimSet(char C, const TEasyCharSet& Set) { return InCharSet(C, Set); }
std::string ExludeCharSet(std::string_view S, const TEasyCharSet& Set);
// Drops trailing characters of code 32 or below; a character of code 1 stops the trimming.
std::string TrimRightEx(std::string_view S);
// Drops leading and trailing control characters, blanks, apostrophes and word delimiters.
std::string TrimWord(std::string_view S);
std::string RemoveLastLineEnd(std::string_view S);
void AddTrailSpaces(std::string& S, int N);
int GetFirstValidChar(std::string_view S);  // first non-blank, length + 1 when none
std::string RemoveQuotes(std::string_view S);
std::string AddQuotes(std::string_view S);

// Paths. The temporary folder is the platform's (at most 260 characters), without its trailing separator
// unless it is a root.
std::string GetTempDir();
std::string AddSlash(std::string_view Path);  // appends the path separator; an empty path stays empty
std::string ChangeSlashes(std::string_view Path);  // every "/" becomes "\"
void CreateDirs(const std::string& Path);

// Addresses.
bool IsWWWString(std::string_view S);
bool IsEmlString(std::string_view S);
bool IsHyperString(std::string_view S);

// The settings file's hexadecimal codec.
std::string StringToHex(std::string_view Bytes);  // two upper-case digits per byte
std::string HexToString(std::string_view Text);   // a single last digit is ignored
