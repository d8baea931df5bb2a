// The jobs the editor runs through the validator engine for the user: the quick tools, the callback through which
// the engine asks the spell checker about words, the link checker and the placeholder texts of the result panels.
// Every job the program runs through the engine is defined in Enginejobs.cpp, the validation of a document
// (fileinfoclass::Validate) and the hand-over of its text (fileinfoclass::SendTextToJob) included.
#pragma once

#include "engine/ZubValidator.h"

#include <functional>
#include <memory>
#include <string>

class PointerArrayManager;
class TComponent;
class fileinfoclass;

// Flags of RunTool.
inline constexpr int TOOL_REPLACE_DOCUMENT = 0x1;
inline constexpr int TOOL_QUIET = 0x2;
inline constexpr int TOOL_NAMED_FILE = 0x4;

// Flags of fileinfoclass::Validate.
inline constexpr int VALIDATE_QUIET = 0x2;
inline constexpr int VALIDATE_NAMED_FILE = 0x4;
inline constexpr int VALIDATE_NO_COUNTS = 0x8;
inline constexpr int VALIDATE_NOT_FROM_COMMAND = 0x20;
// Validation modes besides a configuration number.
inline constexpr int VALIDATE_LAST_CONFIGURATION = -1;
inline constexpr int VALIDATE_LINKS_ONLY = -2;
// Engine versions above this one take a validator configuration for a job.
inline constexpr int ENGINE_VERSION_WITH_CONFIGURATIONS = 45090;

// The word parser that reads a text word by word for the engine's spell check.
class SpellWordParser {
public:
  virtual ~SpellWordParser() = default;
  // The characters that may not stand inside a word.
  virtual std::string GetMidWord() const = 0;
  virtual void SetMidWord(const std::string& Characters) = 0;
  // Starts reading the text (the parser keeps its own copy).
  virtual void Initialize(const std::string& Text) = 0;
  // The next word; empty at the end.
  virtual std::string NextWord() = 0;
};

// What the engine's spell-check callback asks of the main window's spell checker.
class SpellCheckService {
public:
  virtual ~SpellCheckService() = default;
  // True when the word is in a dictionary or otherwise acceptable.
  virtual bool WordAcceptable(const std::string& Word) = 0;
  // True when the word is to be ignored after checking.
  virtual bool RunPostCheckIgnore(const std::string& Word) = 0;
  // Shows the checker's configuration dialog and saves its configuration afterwards.
  virtual void SetupAndSave() = 0;
  // Binds the checker's pre-check ignore rule to the word parser (and clears its first ignore hook).
  virtual void BindParser(SpellWordParser& Parser) = 0;
};

// Makes the word parser of the spell check (none registered: the callback cannot prepare texts).
using SpellWordParserFactory = std::function<std::unique_ptr<SpellWordParser>()>;
void SetSpellWordParserFactory(SpellWordParserFactory Factory);

// The callback registered with the engine (ZUB_SPELL_CALLBACK). The first matching flag decides: 1 is the word
// acceptable (1/0; 0 without checker), 0x20 the next prepared word (its text's address; 0 unprepared), 2 setup,
// 4 ignore after checking, 8 prepare the text word by word (1; SPELL_NOT_PREPARED without checker or parser),
// 0x10 shutdown.
inline constexpr int SPELL_NOT_PREPARED = -1;
inline constexpr int SPELL_ASK_SHUTDOWN = 0x10;
std::intptr_t EngineSpellCallback(const char* Text, ZUBInt Flags);

// Results of the engine jobs: ValidateDocument (and fileinfoclass::Validate), RunTool and RunLinkCheckJob.
inline constexpr int JOB_DONE = 0;
inline constexpr int JOB_NO_HANDLE = -1;
inline constexpr int JOB_NOT_SET_UP = -2;  // the kind (or the configuration) could not be set
inline constexpr int JOB_FAILED = -3;
inline constexpr int TOOL_NO_MEMORY = -4;
inline constexpr int LINKCHECK_NOT_FREED = -4;
inline constexpr int TOOL_NO_DOCUMENT = -5;
inline constexpr int JOB_INPUT_NOT_HANDED_OVER = -6;
inline constexpr int VALIDATE_NO_DOCUMENT = -7;
inline constexpr int TOOL_REPORTED_FAILURE = -7;
inline constexpr int TOOL_NOT_PLACED = -8;  // the tool's text could not be read or its document not placed

// Validates the document, or with VALIDATE_NAMED_FILE the last validated file (Document may be null then).
// fileinfoclass::Validate is this function for its own document. JOB_DONE; JOB_NO_HANDLE, JOB_NOT_SET_UP,
// JOB_FAILED, JOB_INPUT_NOT_HANDED_OVER or VALIDATE_NO_DOCUMENT.
[[nodiscard]] int ValidateDocument(fileinfoclass* Document, int Mode, int Flags);

// Runs a quick tool on the current document (or, with TOOL_NAMED_FILE, on the last validated file). JOB_DONE or
// one of the failures above; the document is only replaced once the tool's whole text has been read.
[[nodiscard]] int RunTool(int Tool, int Flags);

// Flags of RunLinkCheckJob.
inline constexpr int LINKCHECK_ENGINE_FLAG_2 = 0x2;  // the engine's run flag 2 joins the wait flag
inline constexpr int LINKCHECK_ENGINE_FLAG_4 = 0x4;  // passed on as the engine's run flag 4
inline constexpr int LINKCHECK_ALL_LINKS = 0x8;
// Runs the engine's link-check job over the links submitted before. JOB_DONE, JOB_NO_HANDLE, JOB_NOT_SET_UP,
// JOB_FAILED or LINKCHECK_NOT_FREED.
[[nodiscard]] int RunLinkCheckJob(int Flags);

// Flags and results of SubmitLinksForCheck.
inline constexpr int SUBMIT_RESET_FAILED = 0x2;  // links the checker gave up on are checked again
inline constexpr int SUBMIT_DONE = 0;
inline constexpr int SUBMIT_CHECKS_RUNNING = 1;  // nothing submitted: the checker is busy
inline constexpr int SUBMIT_NOTHING = -1;        // no list, or an engine without the link checker
// Registers every link of the list (StrStoreEx records, not owned) with the engine's link checker.
[[nodiscard]] int SubmitLinksForCheck(PointerArrayManager* Links, int Flags);

// With flag 1 every result placeholder of the main window (flag 2 passed on); one control: "A problem occurred."
// (flag 2) or "Validating...". 1 for one control, 0 for the set.
int SetResultPanelsText(TComponent* Control, int Flags);
