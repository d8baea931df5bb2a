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
// ZUBRunJob's run flags: the caller waits for a link check to end (its messages keep being dispatched).
inline constexpr ZUBInt ZUB_RUN_WAIT = 1;

// ---- configuration handle ---------------------------------------------------------------------------------
// Flag words (ZUBGetFlag / ZUBSetFlag; 1000-1999), tested and set one bit at a time.
inline constexpr ZUBInt ZUB_CONFIG_FLAG_WORD_FIRST = 1000;
inline constexpr ZUBInt ZUB_CONFIG_FLAG_WORD_LAST = 1999;
inline constexpr ZUBInt ZUB_CONFIG_DROP_OPTIONS = 1003;     // bit ZUB_DROP_NO_PAUSE
inline constexpr ZUBInt ZUB_CONFIG_NETWORK_OPTIONS = 1004;  // bit ZUB_NETWORK_USE_PROXY
inline constexpr ZUBInt ZUB_CONFIG_LOG_OPTIONS = 1006;      // bit ZUB_LOG_VALIDATIONS
// The numbered program flags: the bit argument is the flag's number (1 to ZUB_PROGRAM_FLAG_LIMIT - 1).
inline constexpr ZUBInt ZUB_CONFIG_PROGRAM_FLAGS = 1007;
inline constexpr ZUBInt ZUB_CONFIG_MARKUP_OPTIONS = 1021;  // bit ZUB_MARKUP_ACCESSIBILITY
inline constexpr ZUBInt ZUB_CONFIG_CSS_OPTIONS = 1022;     // bit ZUB_CSS_SYNTAX_CHECK
inline constexpr ZUBInt ZUB_PROGRAM_FLAG_LIMIT = 256;
inline constexpr ZUBInt ZUB_DROP_NO_PAUSE = 1;
inline constexpr ZUBInt ZUB_NETWORK_USE_PROXY = 1;
inline constexpr ZUBInt ZUB_LOG_VALIDATIONS = 8;
inline constexpr ZUBInt ZUB_MARKUP_ACCESSIBILITY = 0x100000;
inline constexpr ZUBInt ZUB_MARKUP_ALWAYS_XHTML = 0x1;  // every markup document is checked by the XHTML rules
inline constexpr ZUBInt ZUB_MARKUP_NEVER_XHTML = 0x2;   // no document is (neither: by its document type)
inline constexpr ZUBInt ZUB_CSS_SYNTAX_CHECK = 1;
// Integers.
inline constexpr ZUBInt ZUB_CONFIG_PROXY_FLAGS = 4003;
inline constexpr ZUBInt ZUB_CONFIG_CONFIGURATION_COUNT = 4005;
inline constexpr ZUBInt ZUB_CONFIG_LINK_CHECK_MENU = 4006;  // bit 1: offer the link-check-only mode
inline constexpr ZUBInt ZUB_CONFIG_MESSAGE_IDS = 4008;      // 1: message IDs are in use
// Texts.
inline constexpr ZUBInt ZUB_CONFIG_FILE_NAME = 7000;
inline constexpr ZUBInt ZUB_CONFIG_LOADED_FILE_NAME = 7001;
inline constexpr ZUBInt ZUB_CONFIG_PROXY_HOST = 7002;
inline constexpr ZUBInt ZUB_CONFIG_PROXY_PORT = 7003;
inline constexpr ZUBInt ZUB_CONFIG_PROXY_USER = 7006;
inline constexpr ZUBInt ZUB_CONFIG_PROXY_PASSWORD = 7007;
inline constexpr ZUBInt ZUB_CONFIG_LOG_FILE = 7008;
// What the last load of a configuration file left out because it was damaged (one line each; empty: nothing).
inline constexpr ZUBInt ZUB_CONFIG_LOAD_REPORT = 7009;
inline constexpr ZUBInt ZUB_CONFIG_CONFIGURATION_NAME = 11000;  // indexed from 0; 0 is "Normal"
// Settings per message ID (the index is the ID).
inline constexpr ZUBInt ZUB_CONFIG_MESSAGE_TYPE = 13000;     // 1 error ... 4 message, 5 the engine's default
inline constexpr ZUBInt ZUB_CONFIG_MESSAGE_ENABLED = 13001;  // 0 disabled
// ZUBHTMLConfiguration operations.
inline constexpr ZUBInt ZUB_CONFIG_LOAD_DEFAULT = 1;
inline constexpr ZUBInt ZUB_CONFIG_RESET = 4;
inline constexpr ZUBInt ZUB_CONFIG_SAVE_AS = 0x10;
inline constexpr ZUBInt ZUB_CONFIG_SAVE = 0x20;
inline constexpr ZUBInt ZUB_CONFIG_CLEAN = 0x40;
inline constexpr ZUBInt ZUB_CONFIG_LOAD_FROM = 0x80;
inline constexpr ZUBInt ZUB_CONFIG_SAVE_AT_SHUTDOWN = 0x100;
inline constexpr ZUBInt ZUB_CONFIG_EXPORT_PROGRAMS = 0x8000;
inline constexpr ZUBInt ZUB_CONFIG_IMPORT_PROGRAMS = 0x10000;

// ---- job handle ---------------------------------------------------------------------------------------------
inline constexpr ZUBInt ZUB_JOB_FLAGS = 2000;  // flag word
inline constexpr ZUBInt ZUB_JOB_READ_FILE = 0x2;  // the engine reads the file named in ZUB_JOB_NAME
inline constexpr ZUBInt ZUB_JOB_FILE_OPTION = 0x10;
inline constexpr ZUBInt ZUB_JOB_FILE_OPTION2 = 0x800;
inline constexpr ZUBInt ZUB_JOB_TEXT_HANDED_OVER = 0x2000;
inline constexpr ZUBInt ZUB_JOB_VALIDATION = 0x4000;
inline constexpr ZUBInt ZUB_JOB_VALIDATION2 = 0x8000;
inline constexpr ZUBInt ZUB_JOB_BATCH = 0x10000;
inline constexpr ZUBInt ZUB_JOB_BATCH2 = 0x20000;
inline constexpr ZUBInt ZUB_JOB_VALIDATE_COMMAND = 0x40000;
inline constexpr ZUBInt ZUB_JOB_CHECK_ALL_LINKS = 0x80000;
inline constexpr ZUBInt ZUB_JOB_SOURCE = 5000;  // ZUB_SOURCE_FILE or ZUB_SOURCE_LINES
inline constexpr ZUBInt ZUB_JOB_KIND = 5001;    // ZUB_JOB_LOWER_CASE ... ZUB_JOB_QUOTE_VALUES
inline constexpr ZUBInt ZUB_JOB_TEXT_START = 5003;  // set to 0 before the lines are handed over
inline constexpr ZUBInt ZUB_JOB_CONFIGURATION = 5004;  // the validator configuration's number
inline constexpr ZUBInt ZUB_JOB_NAME = 8000;
inline constexpr ZUBInt ZUB_JOB_LINE = 8002;        // one line of the text, in order
inline constexpr ZUBInt ZUB_JOB_INPUT_LINE = 10000;  // line i (from 0) of the input as the engine holds it
inline constexpr ZUBInt ZUB_SOURCE_FILE = 1;
inline constexpr ZUBInt ZUB_SOURCE_LINES = 2;
// Job kinds.
inline constexpr ZUBInt ZUB_JOB_LOWER_CASE = 1;
inline constexpr ZUBInt ZUB_JOB_UPPER_CASE = 2;
inline constexpr ZUBInt ZUB_JOB_STRIP_TAGS = 3;
inline constexpr ZUBInt ZUB_JOB_TEMPLATE = 4;
inline constexpr ZUBInt ZUB_JOB_TEXT_FORMAT = 5;
inline constexpr ZUBInt ZUB_JOB_VALIDATE_MARKUP = 6;
inline constexpr ZUBInt ZUB_JOB_CHECK_LINKS = 7;
inline constexpr ZUBInt ZUB_JOB_EXTRACT_LINKS = 8;
inline constexpr ZUBInt ZUB_JOB_SPELL_CHECK = 9;
inline constexpr ZUBInt ZUB_JOB_VALIDATE_CSS = 10;
inline constexpr ZUBInt ZUB_JOB_QUOTE_VALUES = 11;

// ---- result handle ------------------------------------------------------------------------------------------
inline constexpr ZUBInt ZUB_RESULT_FLAGS = 3000;   // bit ZUB_RESULT_NO_NEW_TEXT
inline constexpr ZUBInt ZUB_RESULT_FLAGS2 = 3001;  // bit ZUB_RESULT_TOOL_FAILED
inline constexpr ZUBInt ZUB_RESULT_NO_NEW_TEXT = 1;
inline constexpr ZUBInt ZUB_RESULT_TOOL_FAILED = 2;
inline constexpr ZUBInt ZUB_RESULT_ERRORS = 6000;
inline constexpr ZUBInt ZUB_RESULT_WARNINGS = 6001;
inline constexpr ZUBInt ZUB_RESULT_NEW_TEXT_LINES = 6002;
inline constexpr ZUBInt ZUB_RESULT_MESSAGES = 6003;
inline constexpr ZUBInt ZUB_RESULT_STRUCTURE_LINES = 6004;
inline constexpr ZUBInt ZUB_RESULT_STRUCTURE_OPTION = 6005;
inline constexpr ZUBInt ZUB_RESULT_TAG_STATS = 6006;
inline constexpr ZUBInt ZUB_RESULT_PLAIN_MESSAGES = 6007;
inline constexpr ZUBInt ZUB_RESULT_COMMENTS = 6008;
inline constexpr ZUBInt ZUB_RESULT_MISSPELLINGS = 6009;  // distinct misspelt words
inline constexpr ZUBInt ZUB_RESULT_QUOTED_VALUES = 15016;
// Indexed texts: new text and structure lines and tag names from 0, message texts from 1, report lines from 0.
inline constexpr ZUBInt ZUB_RESULT_NEW_TEXT_LINE = 12000;
inline constexpr ZUBInt ZUB_MSG_TEXT = 12001;
inline constexpr ZUBInt ZUB_RESULT_STRUCTURE_LINE = 12002;
inline constexpr ZUBInt ZUB_RESULT_TAG_NAME = 12003;
inline constexpr ZUBInt ZUB_MSG_CATEGORY = 12004;
inline constexpr ZUBInt ZUB_RESULT_REPORT_LINE = 12005;
// Indexed integers of message i (from 1).
inline constexpr ZUBInt ZUB_MSG_TYPE = 15000;
inline constexpr ZUBInt ZUB_MSG_LINE = 15001;  // also written when edits moved the line
inline constexpr ZUBInt ZUB_MSG_CHAR = 15002;
inline constexpr ZUBInt ZUB_MSG_LENGTH = 15003;
inline constexpr ZUBInt ZUB_MSG_FLAG1 = 15005;  // a program flag that decides whether it is shown; 0 none
inline constexpr ZUBInt ZUB_MSG_KIND = 15013;   // ZUB_MSG_KIND_STYLE, ZUB_MSG_KIND_ACCESSIBILITY
inline constexpr ZUBInt ZUB_MSG_FLAG2 = 15014;
inline constexpr ZUBInt ZUB_MSG_ID = 15015;
inline constexpr ZUBInt ZUB_MSG_KIND_STYLE = 1;
inline constexpr ZUBInt ZUB_MSG_KIND_ACCESSIBILITY = 2;
// Indexed integers of tag statistic i, structure line i and named list i (from 0).
inline constexpr ZUBInt ZUB_TAG_OPENED = 15006;
inline constexpr ZUBInt ZUB_TAG_CLOSED = 15007;
inline constexpr ZUBInt ZUB_LIST_SIZE = 15008;
inline constexpr ZUBInt ZUB_TAG_USED = 15009;
inline constexpr ZUBInt ZUB_STRUCTURE_LINE = 15010;
inline constexpr ZUBInt ZUB_STRUCTURE_CHAR = 15011;
// Named lists ("links", "linkstypes", "basehref"): the list's index by name, and item j of list i.
inline constexpr ZUBInt ZUB_LIST_INDEX = 23000;
inline constexpr ZUBInt ZUB_LIST_ITEM = 20000;

// ---- engine-global ------------------------------------------------------------------------------------------
inline constexpr ZUBInt ZUB_ENGINE_VERSION = 16000;  // version times 10000
inline constexpr ZUBInt ZUB_LINK_CACHE_RESET = 16001;
inline constexpr ZUBInt ZUB_LINK_CHECKS_RUNNING = 16002;
inline constexpr ZUBInt ZUB_DOWNLOAD_NOTE = 16003;
inline constexpr ZUBInt ZUB_VALIDATE_ALL_DONE = 16006;
inline constexpr ZUBInt ZUB_ENGINE_VERSION_TEXT = 17000;
inline constexpr ZUBInt ZUB_LINK_REGISTER = 17005;       // ZUBSetString3: a link's address; its id
inline constexpr ZUBInt ZUB_LINK_CACHE_TEXT = 24000;
inline constexpr ZUBInt ZUB_LINK_CACHE_COMMENT = 24001;
inline constexpr ZUBInt ZUB_LINK_CACHE_STATUS = 25003;
inline constexpr ZUBInt ZUB_ENGINE_FLAGS = 26000;  // flag word
inline constexpr ZUBInt ZUB_ENGINE_STOP_LINK_CHECK = 1;
inline constexpr ZUBInt ZUB_ENGINE_CONFIG_LOADED = 8;
inline constexpr ZUBInt ZUB_TYPE_NAME = 27000;  // the name of a message type
inline constexpr ZUBInt ZUB_KIND_TEXT = 27001;  // the text of a message's kind bits
// Texts attached to a registered link (ZUBSetString7 with the link's id).
inline constexpr ZUBInt ZUB_LINK_USER = 28000;
inline constexpr ZUBInt ZUB_LINK_PASSWORD = 28001;
inline constexpr ZUBInt ZUB_LINK_USER_AGENT = 28002;
inline constexpr ZUBInt ZUB_LINK_RESET = 29000;  // ZUBSetInteger6 (id, link, 1)
inline constexpr ZUBInt ZUB_LINK_STATE = 30001;  // ZUBGetInteger6EZ (id, link)
inline constexpr ZUBInt ZUB_SPELL_CALLBACK = 30000;
inline constexpr ZUBInt ZUB_SPELL_OPTIONS = 31000;
inline constexpr ZUBInt ZUB_SPELL_TEST_WORD = 31001;
inline constexpr ZUBInt ZUB_QUICK_HELP = 34000;
inline constexpr ZUBInt ZUB_HELP_PROGRAM_FLAG = 35000;  // the flag's number in place of the text
inline constexpr ZUBInt ZUB_HELP_PAGE = 35001;
// What the spell-check callback is asked (its Flags).
inline constexpr ZUBInt ZUB_SPELL_ASK_TEST = 1;
inline constexpr ZUBInt ZUB_SPELL_ASK_OPTIONS = 2;
inline constexpr ZUBInt ZUB_SPELL_ASK_IGNORE = 4;
inline constexpr ZUBInt ZUB_SPELL_ASK_PREPARE_LINE = 8;
inline constexpr ZUBInt ZUB_SPELL_ASK_NEXT_WORD = 0x20;

// Message types (ZUB_MSG_TYPE).
inline constexpr ZUBInt ZUB_MSG_ERROR = 1;
inline constexpr ZUBInt ZUB_MSG_WARNING = 2;
inline constexpr ZUBInt ZUB_MSG_COMMENT = 3;
inline constexpr ZUBInt ZUB_MSG_MESSAGE = 4;

// The entry points in binding order. Results: negative = failure; texts are owned by the engine and stay valid
// until the handle they belong to is freed or the same property is set again (engine-global texts until the next
// call of the same entry point).
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
