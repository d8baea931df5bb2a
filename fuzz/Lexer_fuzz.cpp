// The highlighter lexing documents with the shipped rules: the first byte picks the rules file, the rest is the
// document, lexed line by line as an edit source does, one style per character.
#include "editor/Easyeditorparser.h"
#include "platform/classes/StringList.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const RulesFiles[] = {"html.xs", "css_lev2.xs", "java_script.xs", "xml.xs", "c.xs", "perl.xs",
                                  "ini_file.xs", "sql_oracle.xs"};
constexpr std::size_t RulesCount = sizeof RulesFiles / sizeof RulesFiles[0];
std::vector<std::unique_ptr<TEasyEditorParser>> Parsers;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  for (const char* Name : RulesFiles) {
    std::unique_ptr<TEasyEditorParser> P(new TEasyEditorParser(nullptr));
    P->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/" + Name);
    Parsers.push_back(std::move(P));
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) {
    return 0;
  }
  TEasyEditorParser* Parser = Parsers[Data[0] % RulesCount].get();
  TStringList Lines;
  Lines.SetText(std::string(reinterpret_cast<const char*>(Data + 1), Size - 1));
  int State = 0;
  std::vector<int> Styles;
  for (Integer L = 0; L < Lines.Count(); ++L) {
    const std::string Line = Lines.Strings(L);
    EasyLexLine(Parser, State, Line, Styles);
    if (Styles.size() != Line.size()) {
      std::fprintf(stderr, "lexing gave %zu styles for %zu characters\n", Styles.size(), Line.size());
      std::abort();
    }
    for (int S : Styles) {
      if (S < -1 || S >= Parser->GetStyleCount()) {
        std::fprintf(stderr, "style %d out of range\n", S);
        std::abort();
      }
    }
  }
  return 0;
}
