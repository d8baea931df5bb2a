// Per-language sound codes: a tree of rewrite rules that reduces a word to a rough phonetic code.
#pragma once

#include "platform/rtl/System.h"

#include <array>
#include <memory>
#include <string>

// One node of a rule tree: children by byte, and the rule that ends here (its destination and how many
// characters it consumes). Owns its children.
class TReplaceNode : public TObject {
public:
  TReplaceNode() = default;
  ~TReplaceNode() override = default;
  TReplaceNode(const TReplaceNode&) = delete;
  TReplaceNode& operator=(const TReplaceNode&) = delete;

  // The longest rule whose source matches Text from Position on: true with its destination and skip count.
  virtual bool GetNextMap(const std::string& Text, std::string& Destination, std::size_t Position, int& Skip) const;
  virtual void ClearMap();
  // Adds (or overwrites) the rule Source -> Destination that consumes Skip characters.
  virtual void AddMap(const std::string& Source, const std::string& Destination, int Skip);

private:
  std::array<std::unique_ptr<TReplaceNode>, 256> FChildren;
  bool FHasChildren = false;
  bool FIsDestination = false;
  std::string FDestination;
  int FSkip = 1;
};

// The rule tree of one language and the settings of the phonetic search. The spell component owns one.
class TPhoneticsMap : public TReplaceNode {
public:
  TPhoneticsMap() = default;

  int Language() const { return FLanguage; }
  // Loads the rule set of the identifier's primary language (the low byte); the same id changes nothing.
  virtual void WriteLanguage(int Id);
  int StartDepth() const { return FStartDepth; }
  // Only values above 0 are taken.
  virtual void WriteStartDepth(int Value);
  // The sound code of Word.
  virtual std::string GetMapping(const std::string& Word) const;
  // True when Distance is at most the word's length div LengthDivisor and at most MaxDistance.
  virtual bool AcceptableDistance(const std::string& Word, int Distance) const;

  bool SkipRepeats = true;
  int CodeLimit = 6;
  int LengthDivisor = 2;
  int MaxDistance = 4;

private:
  void AddRules(const char* const* Rules);

  int FStartDepth = 2;
  int FLanguage = -1;
};
