// A small library for the module-loading tests: one pure function and one with state that shows unloading.
extern "C" {

__attribute__((visibility("default"))) int ZubqTestAdd(int A, int B) { return A + B; }

// Counts calls since the library was loaded: a fresh load starts again at 1.
__attribute__((visibility("default"))) int ZubqTestNext() {
  static int Calls = 0;
  return ++Calls;
}
}
