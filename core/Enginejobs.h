// The jobs the editor runs through the validator engine for the user: the quick tools, the callback through which
// the engine asks the spell checker about words, and the placeholder texts of the result panels. The validation of
// a document is fileinfoclass::Validate.
#pragma once

#include "engine/ZubValidator.h"

#include <functional>
#include <memory>
#include <string>

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
// 4 ignore after checking, 8 prepare the text word by word (1; -1 without checker or parser), 0x10 shutdown.
std::intptr_t EngineSpellCallback(const char* Text, ZUBInt Flags);

// Validates the document, or with VALIDATE_NAMED_FILE the last validated file (Document may be null). 0 done;
// -1 no job handle; -2 the kind or configuration could not be set; -3 the job failed; -6 the input could not be
// handed over; -7 no document.
int ValidateDocument(fileinfoclass* Document, int Mode, int Flags);

// Runs a quick tool on the current document (or, with TOOL_NAMED_FILE, on the last validated file). 0 done; -1 no
// job handle; -2 the kind could not be set; -3 the job failed; -4 no memory; -5 no current document; -6 the input
// could not be handed over; -7 the engine reported the tool failed; -8 the new document could not be placed.
int RunTool(int Tool, int Flags);

// With flag 1 every result placeholder of the main window (flag 2 passed on); one control: "A problem occurred."
// (flag 2) or "Validating...". 1 for one control, 0 for the set.
int SetResultPanelsText(TComponent* Control, int Flags);
