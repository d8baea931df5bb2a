// ZUB Quillon's entry point.
#include <cstdio>

int main() {
  std::puts(
      "ZUB Quillon: the program's start-up is not built yet; the platform layer, the editor control, the "
      "application core, the toolbar framework, the tree view, the spell checker, the HTTP client, the "
      "shell controls with the file dialogs and the validator engine with its windows exist with their tests.");
  return 0;
}
