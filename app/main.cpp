// ZUB Quillon's entry point.
#include <cstdio>

int main() {
  std::puts("ZUB Quillon: the program's start-up is not built yet; the platform layer, the editor's text store, the "
            "application core's foundation, the HTTP client and the validator engine exist with their tests.");
  return 0;
}
