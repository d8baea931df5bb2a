// The report of a broken invariant.
#include "platform/rtl/Assert.h"

#include <cstdio>
#include <cstdlib>

void ZubqAssertFailed(const char* Expression, const char* File, int Line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", File, Line, Expression);
  std::fflush(stderr);
  std::abort();
}
