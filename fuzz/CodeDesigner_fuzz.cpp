// The script code designers on any text: every designer's read operations and DeleteEmptyMethods raise nothing,
// end, and leave a text in which a second pass deletes nothing.
#include "codeeditor/Dccdesdelphi.h"
#include "tests/codeeditor/TokenDump.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {
template <class D>
std::function<Dccdes::TStringsCodeDesigner*()> Factory() {
  return [] { return new D(nullptr); };
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  using namespace Dccdes;
  static const std::function<TStringsCodeDesigner*()> Designers[] = {
      Factory<TVbsCodeDesigner>(),   Factory<TBasicCodeDesigner>(),  Factory<TJsCodeDesigner>(),
      Factory<TPerlCodeDesigner>(),  Factory<TPythonCodeDesigner>(), Factory<TUnitCodeDesigner>(),
      Factory<TDelphiCodeDesigner>()};
  static TComponent* const Module = [] {
    auto* M = new TComponent(nullptr);
    M->SetName("Form1");
    return M;
  }();
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  for (std::size_t I = 0; I < std::size(Designers); ++I) {
    std::unique_ptr<TStringList> Lines(TokenTest::MakeLines(Text));
    std::unique_ptr<TStringsCodeDesigner> D(Designers[I]());
    D->DesignedModule = Module;
    D->SetStrings(Lines.get());
    std::unique_ptr<TStringList> List(new TStringList());
    D->GetMethods(nullptr, List.get());
    D->GetMethods(NotifyEventTypeData(), List.get());
    for (Integer N = 0; N < List->Count() && N < 8; ++N) {
      (void)D->GetMethodState(List->Strings(N));  // ends, whatever the state
    }
    D->GetUsedUnits(List.get(), true);
    D->DeleteEmptyMethods();
    // A second pass finds nothing left to delete.
    const std::string Once = Lines->Text();
    D->DeleteEmptyMethods();
    if (Lines->Text() != Once) {
      std::fprintf(stderr, "designer %zu: a second pass deleted more\n", I);
      std::abort();
    }
  }
  return 0;
}
