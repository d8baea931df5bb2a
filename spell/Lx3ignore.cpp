// The ignore filters.
#include "spell/Lx3ignore.h"

#include "platform/rtl/SysUtils.h"

#include <cstring>

namespace {

bool StartsWithWww(const std::string& Word) { return AnsiLowerCase(Word.substr(0, 4)) == "www."; }

}  // namespace

bool THTMLIgnore::ExecuteIgnore(char Ch, TControlParser* Parser) {
  if (Ch != '<' || !Parser) {
    return false;
  }
  if (!Parser->MoveNext()) {
    return true;
  }
  const char First = Parser->GetChar();
  if (First == '!') {
    int X = 0;
    int Y = 0;
    Parser->GetPosition(X, Y);
    if (Parser->MoveNext() && Parser->GetChar() == '-' && Parser->MoveNext() && Parser->GetChar() == '-') {
      // A comment: the cursor stands on its opening's last '-'; skip to the end of "-->".
      int Dashes = 0;
      while (Parser->MoveNext()) {
        const char C = Parser->GetChar();
        if (C == '>' && Dashes >= 2) {
          return true;
        }
        Dashes = C == '-' ? Dashes + 1 : 0;
      }
      return true;
    }
    // Not a comment: back to just behind the '<', then skip it as a tag.
    Parser->SetPosition(X, Y, ptCurrent);
  }
  if (First == '%' || First == '?') {
    char Prev = 0;
    while (Parser->MoveNext()) {
      const char C = Parser->GetChar();
      if (C == '>' && Prev == First) {
        return true;
      }
      Prev = C;
    }
    return true;
  }
  while (Parser->GetChar() != '>' && Parser->MoveNext()) {
  }
  return true;
}

bool THTMLIgnore::ExecuteWordIgnorePostCheck(const std::string& Word, TControlParser*) {
  return !Word.empty() && Word[0] == '&';
}

bool TURLIgnore::ExecuteWordIgnorePreCheck(const std::string& Word, TControlParser* Parser) {
  if (!Parser) {
    return false;
  }
  const char After = Parser->GetChar();
  bool Skip = false;
  if (After == ':') {
    static const char* const Schemes[] = {"http", "ftp", "news", "mailto", "nntp", "file", "https", "telnet", "wais"};
    const std::string Lower = AnsiLowerCase(Word);
    for (const char* S : Schemes) {
      Skip = Skip || Lower == S;
    }
  } else if (After == '@') {
    Skip = true;
  } else if (After == '\\' || After == '/') {
    Skip = StartsWithWww(Word);
  }
  if (!Skip) {
    return false;
  }
  static const char Stops[] = "\r\n\t \"()[]{},<>'";
  for (;;) {
    const char C = Parser->GetChar();
    if (C != 0 && std::memchr(Stops, C, sizeof(Stops) - 1) != nullptr) {
      break;
    }
    if (!Parser->MoveNext()) {
      break;
    }
  }
  return true;
}

bool TURLIgnore::ExecuteWordIgnorePostCheck(const std::string& Word, TControlParser*) { return StartsWithWww(Word); }

bool TQuotedLineIgnore::ExecuteWordIgnorePostCheck(const std::string&, TControlParser* Parser) {
  return Parser ? ExecuteLineIgnore(Parser->GetLine()) : false;
}

bool TQuotedLineIgnore::ExecuteLineIgnore(const std::string& Line) {
  return !Line.empty() && QuoteChars.find(Line[0]) != std::string::npos;
}

bool TUppercaseWordIgnore::ExecuteWordIgnorePostCheck(const std::string& Word, TControlParser*) {
  return Word == AnsiUpperCase(Word);
}

bool TNumbersIgnore::ExecuteWordIgnorePostCheck(const std::string& Word, TControlParser*) {
  for (char C : Word) {
    if (C >= '0' && C <= '9') {
      return true;
    }
  }
  return false;
}

bool TAbbreviationsIgnore::ExecuteWordIgnorePostCheck(const std::string& Word, TControlParser*) {
  if (Word.find('.') == std::string::npos) {
    return false;
  }
  std::string Rest = Word;
  while (Rest.size() >= 3 && Rest[1] == '.') {
    Rest.erase(0, 2);
  }
  return Rest.size() < 3;
}
