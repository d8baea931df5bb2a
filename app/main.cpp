// ZUB Quillon's entry point.
#include "platform/rtl/UnitInit.h"

#include <cstdio>

int main() {
  // The units' initialisations run before the main body and their finalisations after it.
  InitializeUnits();
  std::puts(
      "ZUB Quillon: the program's start-up is not built yet; the platform layer, the editor control, the "
      "application core, the toolbar framework, the tree view, the spell checker, the HTTP client, the "
      "shell controls with the file dialogs and the validator engine with its windows exist with their tests.");
  FinalizeUnits();
  return 0;
}
