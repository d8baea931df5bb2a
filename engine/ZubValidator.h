// The validator engine's C interface: the 44 entry points, their argument types and the identifiers callers use.
#pragma once

#include <cstdint>

// Handles and identifiers are 32-bit; texts, windows and callbacks are pointer-sized.
using ZUBInt = std::int32_t;
using ZUBWindow = std::uintptr_t;
// The spell-check callback the program registers with ZUBSetPointer (30000). Its answer is a number or, for the
// next-word request (flag 0x20), the address of a zero-terminated text.
using ZUBSpellCallback = std::intptr_t (*)(const char* Text, ZUBInt Flags);

// Handle kinds.
inline constexpr ZUBInt ZUB_KIND_JOB = 2;
inline constexpr ZUBInt ZUB_KIND_RESULT = 3;
inline constexpr ZUBInt ZUB_KIND_CONFIGURATION = 9;

// ZUBRunJob's answer when a test switch or a stop made the job end without a result (not a failure).
inline constexpr ZUBInt ZUB_RUN_NO_RESULT = -10;

// The entry points in binding order. Results: negative = failure; texts are owned by the engine and stay valid
// until the handle they belong to is freed (engine-global texts until the next call of the same entry point).
// ZUBDisplayHelp takes, with 35000, the flag number in place of the text (the integer value of the pointer).
#define ZUB_ENTRY_POINTS(X)                                                                            \
  X(ZUBFreeHandle, ZUBInt, (ZUBInt H, ZUBInt Reserved))                                                \
  X(ZUBHandle, ZUBInt, (ZUBInt H))                                                                     \
  X(ZUBDisplayMessage, ZUBInt, (ZUBWindow Owner, ZUBInt Id, ZUBInt Value))                             \
  X(ZUBDisplayHelp, ZUBInt, (ZUBWindow Owner, ZUBInt Id, const char* Text, ZUBInt Value))              \
  X(ZUBGetFlag, ZUBInt, (ZUBInt H, ZUBInt Id, ZUBInt Bit))                                             \
  X(ZUBGetFlag2, ZUBInt, (ZUBInt Id, ZUBInt Bit))                                                      \
  X(ZUBGetInteger, ZUBInt, (ZUBInt H, ZUBInt Id, ZUBInt* Value))                                       \
  X(ZUBGetIntegerEZ, ZUBInt, (ZUBInt H, ZUBInt Id))                                                    \
  X(ZUBGetInteger2, ZUBInt, (ZUBInt H, ZUBInt Id, ZUBInt Index, ZUBInt* Value))                        \
  X(ZUBGetInteger2EZ, ZUBInt, (ZUBInt H, ZUBInt Id, ZUBInt Index))                                     \
  X(ZUBGetInteger3, ZUBInt, (ZUBInt Id, ZUBInt* Value))                                                \
  X(ZUBGetInteger3EZ, ZUBInt, (ZUBInt Id))                                                             \
  X(ZUBGetInteger4, ZUBInt, (ZUBInt H, ZUBInt Id, const char* Name, ZUBInt* Value))                    \
  X(ZUBGetInteger4EZ, ZUBInt, (ZUBInt H, ZUBInt Id, const char* Name))                                 \
  X(ZUBGetInteger5, ZUBInt, (ZUBInt Id, const char* Text, ZUBInt* Value))                              \
  X(ZUBGetInteger5EZ, ZUBInt, (ZUBInt Id, const char* Text))                                           \
  X(ZUBGetInteger6, ZUBInt, (ZUBInt Id, ZUBInt Arg, ZUBInt* Value))                                    \
  X(ZUBGetInteger6EZ, ZUBInt, (ZUBInt Id, ZUBInt Arg))                                                 \
  X(ZUBGetNewHandle, ZUBInt, (ZUBInt Kind))                                                            \
  X(ZUBGetNumberOfHandles, ZUBInt, (ZUBInt Kind))                                                      \
  X(ZUBGetString, const char*, (ZUBInt H, ZUBInt Id))                                                  \
  X(ZUBGetString2, const char*, (ZUBInt H, ZUBInt Id, ZUBInt Index))                                   \
  X(ZUBGetString3, const char*, (ZUBInt Id))                                                           \
  X(ZUBGetString4, const char*, (ZUBInt H, ZUBInt Id, ZUBInt List, ZUBInt Index))                      \
  X(ZUBGetString5, const char*, (ZUBInt Id, const char* Text))                                         \
  X(ZUBGetString6, const char*, (ZUBInt Id, ZUBInt Arg))                                               \
  X(ZUBHTMLConfiguration, ZUBInt, (ZUBWindow Owner, ZUBInt Config, ZUBInt Operation))                  \
  X(ZUBOpenConfigurationEditor, ZUBInt, (ZUBWindow Owner, ZUBInt Config, ZUBInt Value))                \
  X(ZUBOpenValidatorOptions, ZUBInt, (ZUBWindow Owner, ZUBInt Config, ZUBInt Value))                   \
  X(ZUBReadFromRegistry, ZUBInt, (ZUBWindow Owner, ZUBInt Config, ZUBInt Value))                       \
  X(ZUBRunJob, ZUBInt, (ZUBWindow Owner, ZUBInt Config, ZUBInt Job, ZUBInt Flags))                     \
  X(ZUBSetFlag, ZUBInt, (ZUBInt H, ZUBInt Id, ZUBInt Bit, ZUBInt Value))                               \
  X(ZUBSetFlag2, ZUBInt, (ZUBInt Id, ZUBInt Bit, ZUBInt Value))                                        \
  X(ZUBSetInteger, ZUBInt, (ZUBInt H, ZUBInt Id, ZUBInt Value))                                        \
  X(ZUBSetInteger2, ZUBInt, (ZUBInt H, ZUBInt Id, ZUBInt Index, ZUBInt Value))                         \
  X(ZUBSetInteger3, ZUBInt, (ZUBInt Id, ZUBInt Value))                                                 \
  X(ZUBSetInteger6, ZUBInt, (ZUBInt Id, ZUBInt Arg, ZUBInt Value))                                     \
  X(ZUBSetPointer, ZUBInt, (ZUBInt Id, void* Pointer))                                                 \
  X(ZUBSetString, ZUBInt, (ZUBInt H, ZUBInt Id, const char* Text))                                     \
  X(ZUBSetString3, ZUBInt, (ZUBInt Id, const char* Text))                                              \
  X(ZUBSetString7, ZUBInt, (ZUBInt Id, ZUBInt Arg, const char* Text))                                  \
  X(ZUBSpellCheck, ZUBInt, (ZUBInt Id))                                                                \
  X(ZUBSpellCheck2, ZUBInt, (ZUBInt Id, const char* Text))                                             \
  X(ZUBWriteToRegistry, ZUBInt, (ZUBWindow Owner, ZUBInt Config, ZUBInt Value))

// Function pointer types named after the entry points: ZUBRunJob_t and so on.
#define ZUB_DECLARE_POINTER_TYPE(Name, Ret, Args) using Name##_t = Ret(*) Args;
ZUB_ENTRY_POINTS(ZUB_DECLARE_POINTER_TYPE)
#undef ZUB_DECLARE_POINTER_TYPE

// The names in binding order, for binders and tests.
inline constexpr const char* ZUBEntryPointNames[] = {
#define ZUB_NAME(Name, Ret, Args) #Name,
    ZUB_ENTRY_POINTS(ZUB_NAME)
#undef ZUB_NAME
};
inline constexpr int ZUBEntryPointCount = sizeof(ZUBEntryPointNames) / sizeof(ZUBEntryPointNames[0]);
static_assert(ZUBEntryPointCount == 44, "the engine exports 44 entry points");
