// The free text functions over StrStore: searches, words, extensions, entities and URL encoding.
#include "core/Pathprocessor.h"
#include "core/Strstore.h"
#include "core/Strtext.h"

#include <cstring>
#include <string>

int FindNoCase(const char* Text, const char* Needle) {
  if (Text == nullptr || Needle == nullptr || *Needle == 0) {
    return STR_NOT_FOUND;
  }
  const int N = static_cast<int>(std::strlen(Needle));
  const int L = static_cast<int>(std::strlen(Text));
  for (int I = 0; I + N <= L; ++I) {
    if (StrText::StartsNoCase(Text + I, Needle, N)) {
      return I;
    }
  }
  return STR_NOT_FOUND;
}

int FindLastNoCase(const char* Text, const char* Needle) {
  if (Text == nullptr || Needle == nullptr || *Needle == 0) {
    return STR_NOT_FOUND;
  }
  const int N = static_cast<int>(std::strlen(Needle));
  for (int I = static_cast<int>(std::strlen(Text)) - N; I >= 0; --I) {
    if (StrText::StartsNoCase(Text + I, Needle, N)) {
      return I;
    }
  }
  return STR_NOT_FOUND;
}

const char* FindChar(const char* Text, char C) {
  if (Text == nullptr || C == 0) {
    return nullptr;
  }
  return std::strchr(Text, C);
}

int IndexOfChar(const char* Text, char C) {
  const char* P = FindChar(Text, C);
  return P != nullptr ? static_cast<int>(P - Text) : STR_NOT_FOUND;
}

int IsInStringList(const char* Text, const char* const* List, int Flags) {
  if (List == nullptr || Text == nullptr) {
    return 0;
  }
  const int N = static_cast<int>(std::strlen(Text));
  for (; *List != nullptr && **List != 0; ++List) {
    if ((Flags & STR_EXACT) != 0 ? std::strcmp(Text, *List) == 0 : StrText::EqualNoCase(Text, N, *List)) {
      return 1;
    }
  }
  return 0;
}

int FindInCommaList(const char* Item, const char* List, int Flags) {
  if ((Flags & COMMALIST_SEARCH) == 0) {
    return 0;
  }
  if (Item == nullptr || *Item == 0 || List == nullptr) {
    return STR_NOT_FOUND;
  }
  const std::string Framed = std::string(",") + List + ",";
  const std::string Needle = std::string(",") + Item + ",";
  return FindNoCase(Framed.c_str(), Needle.c_str());
}

int IsWebUrl(const char* Text) {
  return (Text != nullptr && std::strlen(Text) >= 5 && StrText::StartsNoCase(Text, "http:", 5)) ? 1 : 0;
}

StrStore SubString(const StrStore& S, int From, int To) {
  StrStore Result;
  if (From < 0) {
    From = 0;
  }
  if (To >= S.length) {
    To = S.length - 1;
  }
  if (To >= From) {
    Result.setString(S.text + From, To - From + 1);
  }
  return Result;
}

StrStore Pluralize(const char* Word, int Count) {
  StrStore Result;
  if (Word != nullptr) {
    Result.assign(Word);
    if (Count != 1) {
      Result.appendChar('s');
    }
  }
  return Result;
}

StrStore GetFirstWord(StrStore& Source, int Flags) {
  Source.trim(0);
  const bool Quotes = (Flags & 2) != 0;
  bool InQuote = false;
  int End = Source.length;   // the word's end (exclusive)
  int Next = Source.length;  // where the rest of the source begins
  for (int I = 0; I < Source.length; ++I) {
    const char C = Source.text[I];
    if (Quotes && C == '"') {
      if (InQuote) {
        End = I + 1;
        Next = I + 1;
        break;
      }
      InQuote = true;
    } else if (StrText::IsSpace(C) && !(InQuote && C == ' ')) {
      End = I;
      Next = I + 1;
      break;
    }
  }
  StrStore Word;
  Word.setString(Source.text, End);
  if ((Flags & 4) != 0) {
    Word.unquote();
  }
  if ((Flags & 1) != 0) {
    if (Next >= Source.length) {
      Source.clear();
    } else {
      Source.setRange(Source.text + Next, Source.text + Source.length - 1);
    }
  }
  return Word;
}

namespace {

const char* const LanguageSuffixes[] = {"dk", "nl", "en", "ee", "fr", "de", "el", "he", "it", "ja", "kr", "nn",
                                        "no", "po", "pt", "pt-br", "lu", "ca", "es", "se", "cz", "ru", "tw", ""};

// Index of the dot that starts the extension, or STR_NOT_FOUND. Flag 1 stops at the file path separator, flag 2 at '/'
// and '\'.
int ExtensionDot(const char* Name, int Length, int Flags) {
  for (int I = Length - 1; I >= 0; --I) {
    const char C = Name[I];
    if (C == '.') {
      return I;
    }
    if ((Flags & 2) != 0 && (C == '/' || C == '\\')) {
      return STR_NOT_FOUND;
    }
    if ((Flags & 1) != 0 && C == StrText::FileSeparator) {
      return STR_NOT_FOUND;
    }
  }
  return STR_NOT_FOUND;
}

}  // namespace

StrStore GetFileExtension(const char* Name, int Flags) {
  StrStore Result;
  if (Name == nullptr) {
    return Result;
  }
  StrStore Work(Name);
  if ((Flags & 4) != 0) {
    Work = GetUrlFileName(Work.text, 2);
  }
  const int Dot = ExtensionDot(Work.text, Work.length, Flags);
  if (Dot < 0) {
    return Result;
  }
  Result.setString(Work.text + Dot + 1, Work.length - Dot - 1);
  if ((Flags & 8) != 0 && IsInStringList(Result.text, LanguageSuffixes, 0) != 0) {
    Work.cut(Work.length - Dot, 1);
    StrStore Inner = GetFileExtension(Work.text, Flags & ~(8 | 4));
    if (Inner.length > 0) {
      return Inner;
    }
  }
  return Result;
}

StrStore AddDefaultExtension(const char* Name, const char* Extension, int Flags) {
  StrStore Result(Name);
  if (Extension == nullptr || *Extension == 0) {
    return Result;
  }
  // The extension is looked for in the last part of the name only: a dotted folder name is no extension.
  if (GetFileExtension(Result.text, 2).length > 0) {
    return Result;
  }
  if ((Flags & 1) != 0 && DoesFileExist(Result.text) != 0) {
    return Result;
  }
  if (Result.length > 0 && Result.text[Result.length - 1] == '.') {
    Result.cut(1, 1);
  }
  Result.appendChar('.').append(Extension);
  return Result;
}

StrStore DecodeBasicEntities(const char* Text, int Flags) {
  // One walk over the text, so that a decoded '&' never starts another reference ("&amp;lt;" gives "&lt;").
  static const struct {
    const char* Name;
    int Flag;
    char Byte;
  } Names[] = {{"&amp;", 1, '&'}, {"&lt;", 2, '<'}, {"&gt;", 4, '>'}, {"&quot;", 8, '"'}};
  StrStore Result;
  if (Text == nullptr) {
    return Result;
  }
  std::string Out;
  for (const char* P = Text; *P != 0;) {
    bool Done = false;
    if (*P == '&') {
      for (const auto& N : Names) {
        const std::size_t L = std::strlen(N.Name);
        if ((Flags & N.Flag) != 0 && std::strncmp(P, N.Name, L) == 0) {
          Out += N.Byte;
          P += L;
          Done = true;
          break;
        }
      }
    }
    if (!Done) {
      Out += *P++;
    }
  }
  Result.setString(Out.data(), static_cast<int>(Out.size()));
  return Result;
}

StrStore EncodeBasicEntities(const StrStore& S, int Flags) {
  std::string Out;
  Out.reserve(static_cast<std::size_t>(S.length));
  for (int I = 0; I < S.length; ++I) {
    const char C = S.text[I];
    if (C == '&') {
      Out += "&amp;";
    } else if (C == '<' && (Flags & 2) == 0) {
      Out += "&lt;";
    } else if (C == '>' && (Flags & 2) == 0) {
      Out += "&gt;";
    } else if (C == '"' && (Flags & 4) != 0) {
      Out += "&quot;";
    } else {
      Out += C;
    }
  }
  StrStore Result;
  Result.setString(Out.data(), static_cast<int>(Out.size()));
  return Result;
}

StrStore UrlEncode(const char* Text) {
  static const char Hex[] = "0123456789abcdef";
  StrStore Result;
  if (Text == nullptr) {
    return Result;
  }
  std::string Out;
  for (const char* P = Text; *P != 0; ++P) {
    const auto C = static_cast<unsigned char>(*P);
    if (C == ' ') {
      Out += '+';
    } else if ((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9')) {
      Out += static_cast<char>(C);
    } else {
      Out += '%';
      Out += Hex[C >> 4];
      Out += Hex[C & 15];
    }
  }
  Result.setString(Out.data(), static_cast<int>(Out.size()));
  return Result;
}

StrStore* GetScriptLinkUrl(const char* Text, StrStore* Out, int Flags) {
  if (Text == nullptr || *Text == 0 || Out == nullptr) {
    return nullptr;
  }
  const char* P = Text;
  while (StrText::IsSpace(*P)) {
    ++P;
  }
  if ((Flags & 1) != 0) {
    if (std::strlen(P) < 10 || !StrText::StartsNoCase(P, "javascript", 10)) {
      return nullptr;
    }
    const int At = FindNoCase(P, "openwindow");
    if (At < 0) {
      return nullptr;
    }
    P += At + 10;
  } else if ((Flags & 2) != 0) {
    if (std::strlen(P) < 8 || !StrText::StartsNoCase(P, "linkpage", 8)) {
      return nullptr;
    }
    P += 8;
  }
  const char* Paren = std::strchr(P, '(');
  if (Paren == nullptr) {
    return nullptr;
  }
  const char* Quote = std::strpbrk(Paren, "\"'");
  if (Quote == nullptr) {
    return nullptr;
  }
  const char* Close = std::strchr(Quote + 1, *Quote);
  if (Close == nullptr) {
    return nullptr;
  }
  Out->setString(Quote + 1, static_cast<int>(Close - Quote - 1));
  return Out;
}
