// ZUBQ_ASSERT: checks an invariant in debug and sanitizer builds and costs nothing in release builds.
#pragma once

// Debug builds (no NDEBUG) and sanitized builds (the build defines ZUBQ_ASSERTIONS) check; release builds do not
// even evaluate the condition, so it must have no side effects.
#if !defined(NDEBUG) && !defined(ZUBQ_ASSERTIONS)
#define ZUBQ_ASSERTIONS 1
#endif

// Reports the broken invariant on the standard error (expression, file and line) and aborts the process.
[[noreturn]] void ZubqAssertFailed(const char* Expression, const char* File, int Line);

#if defined(ZUBQ_ASSERTIONS)

#define ZUBQ_ASSERT(Condition)                          \
  do {                                                  \
    if (!(Condition)) {                                 \
      ZubqAssertFailed(#Condition, __FILE__, __LINE__); \
    }                                                   \
  } while (false)

#else

#define ZUBQ_ASSERT(Condition) \
  do {                         \
    (void)sizeof(Condition);   \
  } while (false)

#endif
