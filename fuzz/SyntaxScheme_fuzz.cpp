// Syntax schemes from any bytes: LoadFromStream reads the binary form or else the text form; a bad stream raises
// the reader's errors (after the scripted message box) and keeps the scheme; a loaded one prepares and saves.
#include "codeeditor/Dcsyntax.h"
#include "platform/win/DialogService.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static TScriptedDialogs Dialogs;  // answers OK at once
  static TScopedDialogService Scope(Dialogs);
  TMemoryStream In;
  In.WriteBuffer(Data, static_cast<LongInt>(Size));
  In.SetPosition(0);
  Dcsyntax::TSyntaxScheme Scheme;
  try {
    Scheme.LoadFromStream(&In);
  } catch (const Exception&) {
    // A stream that is no scheme: the scheme keeps its contents.
    if (Scheme.SyntaxBlocks()->Count() != 1 || Scheme.SyntaxBlocks()->GetItem(0)->Name != "Default") {
      std::fprintf(stderr, "a failed load changed the scheme\n");
      std::abort();
    }
    return 0;
  }
  Scheme.InitScheme();
  TMemoryStream Out;
  Scheme.SaveToStream(&Out);
  Out.SetPosition(0);
  Dcsyntax::TSyntaxScheme Again;
  Again.LoadFromStream(&Out);
  return 0;
}
