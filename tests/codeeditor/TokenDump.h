// What the tokenizer tests share: a token dump of a text and the check that the two ways of reading a file (token
// by token over the lines, and colouring line by line with the state carried) agree.
#pragma once

#include "codeeditor/Dclanguages.h"

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace TokenTest {

// A file's bytes ("" when it cannot be read).
inline std::string ReadAll(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

// The message of the exception Run raises, or "nothing raised".
inline std::string Raised(const std::function<void()>& Run) {
  try {
    Run();
  } catch (const Exception& E) {
    return E.Message();
  }
  return "nothing raised";
}

using TParserFactory = std::function<Dcparser::TStringsParser*()>;

// Splits at LF only, so that a lone CR stays inside a line.
inline TStringList* MakeLines(const std::string& Text) {
  auto* Lines = new TStringList();
  std::size_t Pos = 0;
  while (Pos <= Text.size()) {
    const std::size_t End = Text.find('\n', Pos);
    if (End == std::string::npos) {
      if (Pos < Text.size()) {
        Lines->Add(Text.substr(Pos));
      }
      break;
    }
    Lines->Add(Text.substr(Pos, End - Pos));
    Pos = End + 1;
  }
  return Lines;
}

// "code[text]" per token, blank-separated, up to the end; the scanner state after the last token follows "#".
inline std::string DumpTokens(Dcparser::TStringsParser& Parser, const std::string& Text) {
  std::unique_ptr<TStringList> Lines(MakeLines(Text));
  Parser.SetStrings(Lines.get());
  Parser.ResetParser();
  std::string Out;
  for (Integer Code = Parser.NextToken(); Code != Dcparser::tokEof; Code = Parser.NextToken()) {
    if (!Out.empty()) {
      Out += ' ';
    }
    Out += std::to_string(Code) + "[" + std::string(Parser.TokenView()) + "]";
  }
  Out += " #" + std::to_string(Parser.State());
  Parser.SetStrings(nullptr);
  return Out;
}

// One token of a file: its line, columns and code.
struct TTokenAt {
  Integer Line;
  NativeInt From;
  NativeInt To;
  Integer Code;
};

// Reads Lines both ways and returns the first disagreement ("" when none): tokens in order that never pass their
// line's end, colour data as long as each line, and the same code under every character of every token.
inline std::string CheckBothPaths(const TParserFactory& Make, TStrings* Lines) {
  std::unique_ptr<Dcparser::TStringsParser> Reader(Make());
  Reader->SetStrings(Lines);
  std::vector<TTokenAt> Tokens;
  Integer LastLine = 0;
  NativeInt LastEnd = 0;
  for (Integer Code = Reader->NextToken(); Code != Dcparser::tokEof; Code = Reader->NextToken()) {
    const Integer Line = Reader->LinePos();
    const NativeInt From = Reader->GetTokenCharPos();
    const NativeInt To = Reader->GetCharPos();
    if (Line < LastLine || (Line == LastLine && From < LastEnd) || To < From ||
        To > static_cast<NativeInt>(Lines->Strings(Line).size())) {
      std::ostringstream S;
      S << "token out of order or past the line end at line " << Line + 1 << " column " << From + 1;
      return S.str();
    }
    LastLine = Line;
    LastEnd = To;
    Tokens.push_back({Line, From, To, Code});
  }
  std::unique_ptr<Dcparser::TStringsParser> Colorer(Make());
  Integer State = 0;
  std::size_t Next = 0;
  for (Integer I = 0; I < Lines->Count(); ++I) {
    const std::string Line = Lines->Strings(I);
    std::string Colors;
    Colorer->PrepareColorData(I, Line, Colors);
    State = Colorer->ColorString(Line, State, Colors);
    if (Colors.size() != Line.size()) {
      return "colour data of line " + std::to_string(I + 1) + " is not as long as the line";
    }
    for (; Next < Tokens.size() && Tokens[Next].Line == I; ++Next) {
      const TTokenAt& T = Tokens[Next];
      for (NativeInt C = T.From; C < T.To; ++C) {
        if (static_cast<unsigned char>(Colors[static_cast<std::size_t>(C)]) != T.Code) {
          std::ostringstream S;
          S << "line " << I + 1 << " column " << C + 1 << ": token " << T.Code << ", colour "
            << static_cast<int>(static_cast<unsigned char>(Colors[static_cast<std::size_t>(C)]));
          return S.str();
        }
      }
    }
  }
  return {};
}

}  // namespace TokenTest
