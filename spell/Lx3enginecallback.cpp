// The spell checker as the validator engine's spell-check callback asks for it.
#include "spell/Lx3enginecallback.h"

#include "spell/Lx3config.h"
#include "spell/Lx3spellbase.h"

#include <memory>

void TEngineSpellWordParser::Initialize(const std::string& Text) {
  FText = Text;
  FCursor.Initialize(&FText);
  FEngine.Initialize(&FCursor, 2);
}

bool TEngineSpellChecker::WordAcceptable(const std::string& Word) { return FSpeller.WordAcceptable(Word); }

bool TEngineSpellChecker::RunPostCheckIgnore(const std::string& Word) {
  return FSpeller.RunPostCheckIgnore(Word, nullptr);
}

void TEngineSpellChecker::SetupAndSave() {
  FSpeller.Setup();
  FSpeller.Config()->SaveConfiguration();
}

void TEngineSpellChecker::BindParser(SpellWordParser& Parser) {
  auto* Own = dynamic_cast<TEngineSpellWordParser*>(&Parser);
  if (Own == nullptr) {
    return;
  }
  TLexiSpell3Base* Speller = &FSpeller;
  Own->Engine().OnInlineIgnore = nullptr;
  Own->Engine().OnPreCheckIgnore = [Speller](const std::string& Word, TControlParser* Cursor, bool& Ignore) {
    Speller->RunPreCheckIgnore(Word, Cursor, Ignore);
  };
}

void RegisterEngineSpellWordParser() {
  SetSpellWordParserFactory([] { return std::make_unique<TEngineSpellWordParser>(); });
}
