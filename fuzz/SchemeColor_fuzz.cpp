// A syntax scheme stream followed by lines to colour: the scheme loads or is refused, and colouring every line with
// it never fails, keeps the colour data as long as the line and ends in a state word the next line can start from.
#include "codeeditor/Dcsyntaxparser.h"
#include "platform/win/DialogService.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Input: the scheme (binary or text form), a line holding only "%%", then the lines to colour.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static TScriptedDialogs Dialogs;  // answers OK at once
  static TScopedDialogService Scope(Dialogs);
  const std::string_view All(reinterpret_cast<const char*>(Data), Size);
  const std::size_t Split = All.find("\n%%\n");
  const std::string_view SchemeText = All.substr(0, Split);
  const std::string_view Text = Split == std::string_view::npos ? std::string_view() : All.substr(Split + 4);
  Dcsyntax::TSyntaxParser Parser(nullptr);
  TMemoryStream In;
  In.WriteBuffer(SchemeText.data(), static_cast<LongInt>(SchemeText.size()));
  In.SetPosition(0);
  try {
    Parser.SyntaxScheme()->LoadFromStream(&In);
  } catch (const Exception&) {
    // A stream that is no scheme: colour with the empty scheme.
  }
  Integer State = 0;
  std::size_t Start = 0;
  while (Start <= Text.size()) {
    std::size_t End = Text.find('\n', Start);
    if (End == std::string_view::npos) {
      End = Text.size();
    }
    const std::string Line(Text.substr(Start, End - Start));
    std::string Colour(Line.size(), '\0');
    State = Parser.ColorString(Line, State, Colour);
    if (Colour.size() != Line.size()) {
      std::fprintf(stderr, "colour data changed its length\n");
      std::abort();
    }
    for (std::size_t I = 0; I < Colour.size(); ++I) {
      (void)Parser.GetFont(static_cast<unsigned char>(Colour[I]));
    }
    Start = End + 1;
  }
  return 0;
}
