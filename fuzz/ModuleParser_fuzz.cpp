// The module parser's conditional directives and the set definitions on any text: only the errors the parser
// reports for bad directives and sets may be raised, and it always ends. Input: the text; DCRemoveIfDefs reads it
// as a unit (its includes are given up when missing), ParseCharSetDef as a set definition.
#include "codeeditor/Dcmoduleparser.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
bool Expected(const std::string& Message) {
  static const char* Known[] = {"Only 32 nested levels",
                                "Invalid compiler directive: ",
                                "Invalid charset definition",
                                "More than 64 include files",
                                "'",
                                "File "};
  for (const char* K : Known) {
    if (Message.rfind(K, 0) == 0) {
      return true;
    }
  }
  return false;
}

template <class F>
void Run(const char* What, F Call) {
  try {
    Call();
  } catch (const Exception& E) {
    if (!Expected(E.Message())) {
      std::fprintf(stderr, "%s raised: %s\n", What, E.Message().c_str());
      std::abort();
    }
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  Run("DCRemoveIfDefs", [&] {
    (void)Dcparser::DCRemoveIfDefsEx(Text, "A;B", "C", "", false, [](std::string&, bool& GiveUp) { GiveUp = true; });
  });
  Run("ParseCharSetDef", [&] { (void)Dcparser::ParseCharSetDef(Text); });
  return 0;
}
