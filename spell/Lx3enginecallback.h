// The spell checker as the validator engine's spell-check callback asks for it: word tests and the setup over a
// spell component, and the word parser that reads a handed text word by word.
#pragma once

#include "core/Enginejobs.h"
#include "spell/Lx3parseengine.h"
#include "spell/Lx3parserbase.h"

#include <string>

class TLexiSpell3Base;

// The callback's word parser: the spell checker's word splitter over a string cursor on its own copy of the text.
// Made by the factory that RegisterEngineSpellWordParser installs; the callback owns it until shutdown.
class TEngineSpellWordParser final : public SpellWordParser {
public:
  TEngineSpellWordParser() = default;
  TEngineSpellWordParser(const TEngineSpellWordParser&) = delete;
  TEngineSpellWordParser& operator=(const TEngineSpellWordParser&) = delete;

  std::string GetMidWord() const override { return FEngine.MidWord(); }
  void SetMidWord(const std::string& Characters) override { FEngine.SetMidWord(Characters); }
  // Copies Text and starts reading the whole copy.
  void Initialize(const std::string& Text) override;
  std::string NextWord() override { return FEngine.NextWord(); }
  TMainParsingEngine& Engine() { return FEngine; }

private:
  std::string FText;
  TStringParser FCursor;
  TMainParsingEngine FEngine;
};

// The callback's view of a spell component. The main window owns both the component and this adapter (which
// must not outlive it) and hands the adapter out as its spell checker.
class TEngineSpellChecker final : public SpellCheckService {
public:
  explicit TEngineSpellChecker(TLexiSpell3Base& Speller) : FSpeller(Speller) {}
  TEngineSpellChecker(const TEngineSpellChecker&) = delete;
  TEngineSpellChecker& operator=(const TEngineSpellChecker&) = delete;

  bool WordAcceptable(const std::string& Word) override;
  // The component's whole-word ignore rules, asked with no text cursor.
  bool RunPostCheckIgnore(const std::string& Word) override;
  // The component's configuration dialog, then its configuration saved.
  void SetupAndSave() override;
  // Clears the parser's per-character ignore hook and binds its per-word one to the component's pre-check rule.
  // A parser made elsewhere than by RegisterEngineSpellWordParser's factory is left alone.
  void BindParser(SpellWordParser& Parser) override;

private:
  TLexiSpell3Base& FSpeller;
};

// Installs the factory through which the engine's spell-check callback makes its word parser. Called once at
// start-up, before the first validation.
void RegisterEngineSpellWordParser();
