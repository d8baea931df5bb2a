// Character classes and message texts shared by every unit of the editor component.
#pragma once

#include <bitset>
#include <initializer_list>

// A set of 8-bit characters.
using TEasyCharSet = std::bitset<256>;

inline bool InCharSet(char C, const TEasyCharSet& Set) { return Set.test(static_cast<unsigned char>(C)); }
// Builds a set from single characters and inclusive ranges given as pairs {first, last}.
TEasyCharSet MakeCharSet(std::initializer_list<char> Chars,
                         std::initializer_list<std::pair<char, char>> Ranges = {});

// Letters, digits and the underscore: characters that continue a word or a value.
extern const TEasyCharSet ValueSet;
// The control characters 1 to 32.
extern const TEasyCharSet DelimSet;
// Punctuation that separates words for live spelling and word trimming.
extern const TEasyCharSet WordDelimSet;
// Punctuation that may occur inside an address; URL marking joins ValueSet into it.
extern const TEasyCharSet UrlSet;

// The component's message texts.
namespace EasyConsts {
inline constexpr const char* SListIndexError = "List Index out of bounds Index: %d";
inline constexpr const char* SInvalidTabError = "Invalid Tab Stop";
inline constexpr const char* sStringsExpected = "Strings can't be nil";
inline constexpr const char* sUnknownRegType = "Unknown Registry Type";
inline constexpr const char* sWrongEditSource = "The instance of %s expected";
inline constexpr const char* sCaseSensitive = "CaseSensitive";
inline constexpr const char* sEmptySel = "Tried to search selected text but no text is selected";
inline constexpr const char* sNotFound = "Search string '%s' not found";
inline constexpr const char* sReplace = "Replace this occurence of '%s'?";
}  // namespace EasyConsts
