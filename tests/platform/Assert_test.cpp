// The invariant check: it stops the process where it is on, and costs nothing (not even the condition) where it
// is off.
#include "platform/rtl/Assert.h"

#include <gtest/gtest.h>

namespace {

int Evaluated = 0;
// Release builds name it only in an operand that is never evaluated, which clang reports as not needed.
[[maybe_unused]] bool Counted(bool Value) {
  ++Evaluated;
  return Value;
}

TEST(Assertions, AHeldInvariantPassesAndABrokenOneStopsWhereChecked) {
  Evaluated = 0;
  ZUBQ_ASSERT(Counted(true));
#if defined(ZUBQ_ASSERTIONS)
  EXPECT_EQ(Evaluated, 1);
  EXPECT_DEATH(ZUBQ_ASSERT(Counted(1 + 1 == 3)), "invariant broken: Counted\\(1 \\+ 1 == 3\\)");
#else
  EXPECT_EQ(Evaluated, 0);
  ZUBQ_ASSERT(Counted(false));
  EXPECT_EQ(Evaluated, 0);
#endif
}

}  // namespace
