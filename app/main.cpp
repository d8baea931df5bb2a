// ZUB Quillon's entry point.
#include <cstdio>

int main() {
  std::puts("ZUB Quillon: the program's start-up is not built yet; only the platform layer and its tests exist.");
  return 0;
}
