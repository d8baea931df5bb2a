// Character classes of the editor component.
#include "editor/Easyconsts.h"

TEasyCharSet MakeCharSet(std::initializer_list<char> Chars, std::initializer_list<std::pair<char, char>> Ranges) {
  TEasyCharSet Result;
  for (char C : Chars) {
    Result.set(static_cast<unsigned char>(C));
  }
  for (const auto& R : Ranges) {
    for (int C = static_cast<unsigned char>(R.first); C <= static_cast<unsigned char>(R.second); ++C) {
      Result.set(static_cast<std::size_t>(C));
    }
  }
  return Result;
}

const TEasyCharSet ValueSet = MakeCharSet({'_'}, {{'0', '9'}, {'A', 'Z'}, {'a', 'z'}});
const TEasyCharSet DelimSet = MakeCharSet({}, {{'\x01', ' '}});
const TEasyCharSet WordDelimSet = MakeCharSet({':', ';', '=', '?', '@'}, {{'!', '&'}, {'(', '/'}, {'[', '^'}, {'{', '}'}});
const TEasyCharSet UrlSet = MakeCharSet({'-', '.', '/', ':', '=', '?', '@', '~'});
