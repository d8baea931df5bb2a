// The word splitter: cuts the text behind a text cursor into the words the spell checker tests.
#pragma once

#include "spell/Lx3parserbase.h"

#include <array>
#include <string>

// Splits text into words by a set of word characters, with rules for inner periods, apostrophes and French
// elisions. The spell component owns one; the cursor it walks is not owned.
class TMainParsingEngine : public TParsingEngine {
public:
  TMainParsingEngine();

  void Initialize(TControlParser* Parser, int Mode) override;
  void AdjustToPosition(int X, int Y) override;
  std::string NextWord() override;

  void SetCharSet(const std::string& Set);
  void SetMidWord(const std::string& Chars);
  void SetForbidEnd(const std::string& Chars);
  void SetFrenchExceptions(bool Flag);
  const std::string& CharSet() const { return FCharSet; }
  const std::string& MidWord() const { return FMidWord; }
  const std::string& ForbidEnd() const { return FForbidEnd; }
  bool FrenchExceptions() const { return FFrenchExceptions; }
  const std::string& LastWord() const { return FLastWord; }
  TControlParser* Parser() const { return FParser; }

  std::string NoStartChars = "'\"";
  bool PeriodInsideWord = true;
  bool KeepUnfinishedLastWord = false;

private:
  void BuildTables();
  // One pass of the search: the next word before the pre-check.
  std::string ReadWord();

  TControlParser* FParser = nullptr;
  std::string FCharSet;
  std::string FMidWord = "&";
  std::string FForbidEnd = "'\".";
  std::array<bool, 256> FWordChars{};
  std::array<bool, 256> FInnerChars{};
  std::array<bool, 256> FEndCut{};
  std::string FLastWord;
  bool FFrenchExceptions = false;
};
