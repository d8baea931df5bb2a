// The highlighter's rules files: any rules text compiles or gives a pattern error, and what compiled lexes a
// sample of several languages giving one style per character.
#include "editor/Easyeditorparser.h"
#include "editor/Easyregexpr.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const Sample[] = {
    "<!DOCTYPE html><html lang=\"en\"><!-- note --><a href='x.htm#top'>Caf&eacute; &amp; more</a>",
    "p.note > a:hover { color: #fe0; margin: 0 1em !important } /* comment */",
    "int main(int argc, char** argv) { return argc > 1 ? 0x1F : 'c'; } // done",
    "[Section]\tKey = \"value\" ; remark",
    "",
    "\t  unterminated \"string and /* comment",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  std::unique_ptr<TEasyEditorParser> Parser(new TEasyEditorParser(nullptr));
  TStringList Rules;
  Rules.SetText(std::string(reinterpret_cast<const char*>(Data), Size));
  try {
    Parser->SetRules(&Rules);
  } catch (const EEasyRegExprError&) {
    // What came before the bad line stays in force: lex with it.
  } catch (const Exception&) {
    return 0;
  }
  int State = 0;
  std::vector<int> Styles;
  for (const char* Line : Sample) {
    const std::string Text = Line;
    EasyLexLine(Parser.get(), State, Text, Styles);
    if (Styles.size() != Text.size()) {
      std::fprintf(stderr, "lexing gave %zu styles for %zu characters\n", Styles.size(), Text.size());
      std::abort();
    }
  }
  return 0;
}
