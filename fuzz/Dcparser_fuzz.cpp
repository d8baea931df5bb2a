// The ten language tokenizers on any text: read token by token over the lines and coloured line by line with the
// state carried, every language must tile each line with tokens in order, never pass a line's end, give colour
// data as long as the line, and give the same code under every token both ways.
#include "codeeditor/Dclanguages.h"
#include "tests/codeeditor/TokenDump.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {
template <class T>
TokenTest::TParserFactory Factory() {
  return [] { return new T(nullptr); };
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  using namespace Dcparser;
  static const TokenTest::TParserFactory Languages[] = {
      Factory<TDelphiParser>(),     Factory<TDFMParser>(),  Factory<TVBScriptParser>(), Factory<TPythonParser>(),
      Factory<TJavaScriptParser>(), Factory<TPerlParser>(), Factory<TSqlParser>(),      Factory<THTMLParser>(),
      Factory<TCParser>(),          Factory<TCPPParser>()};
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  std::unique_ptr<TStringList> Lines(TokenTest::MakeLines(Text));
  for (std::size_t I = 0; I < std::size(Languages); ++I) {
    const std::string Fault = TokenTest::CheckBothPaths(Languages[I], Lines.get());
    if (!Fault.empty()) {
      std::fprintf(stderr, "language %zu: %s\n", I, Fault.c_str());
      std::abort();
    }
  }
  return 0;
}
