// Suggestion candidates one typing error away from a misspelt word.
#pragma once

#include "platform/classes/StringList.h"
#include "platform/rtl/System.h"

#include <cstdint>
#include <functional>
#include <string>

enum TSuggestionType { stSingleDeletion, stTransposition, stInsertion, stSubstitution, stSplitWord };
// A set of suggestion types, one bit per type.
using TSuggestionTypes = std::uint8_t;
inline constexpr TSuggestionTypes SuggestionTypeBit(TSuggestionType T) {
  return static_cast<TSuggestionTypes>(1u << static_cast<unsigned>(T));
}
inline constexpr TSuggestionTypes AllSuggestionTypes = 0x1F;

// Existence test: sets Exists when the word is acceptable.
using TExistsEvent = std::function<void(const std::string& Word, bool& Exists)>;

// Generates candidates by deleting, inserting, substituting and swapping characters and by splitting the
// word, keeping those the existence test accepts. The spell component owns one.
class TSuggestionsGenerator : public TObject {
public:
  TSuggestionsGenerator();

  std::int32_t Language() const { return FLanguage; }
  // Adds the letters of the language to the tried letters (the same id again changes nothing).
  virtual void WriteLanguage(std::int32_t Id);
  bool DefaultSuggestionTypes() const { return FDefaultSuggestionTypes; }
  virtual void WriteDefaultSuggestionTypes(bool Value);
  TSuggestionTypes SuggestionTypes() const { return FSuggestionTypes; }
  virtual void WriteSuggestionTypes(TSuggestionTypes Value);

  // Appends candidates for Word to List; MaxCount -1 means 65,535.
  virtual void Suggest(const std::string& Word, int MaxCount, const TExistsEvent& Exists, TStrings* List);

  std::string MiddleChars;
  std::string FirstChars;

protected:
  virtual void AddWordToList(const std::string& Word);
  // True when the list is full.
  virtual bool CheckWord(const std::string& Candidate);
  virtual bool Generate_SingleDeletion();
  virtual bool Generate_SingleTransposition(int Distance);
  virtual bool Generate_SingleInsertion();
  virtual bool Generate_SingleSubstitution();
  virtual bool Generate_SplitWord();
  virtual void InternalSuggest(const std::string& Word);

private:
  bool Exists(const std::string& Word) const;
  bool Has(TSuggestionType T) const { return (FSuggestionTypes & SuggestionTypeBit(T)) != 0; }

  std::int32_t FLanguage = 0;
  bool FDefaultSuggestionTypes = true;
  TSuggestionTypes FSuggestionTypes = AllSuggestionTypes;
  std::string FWord;
  bool FWordLower = true;
  TStrings* FList = nullptr;
  TExistsEvent FExists;
  int FMaxCount = 0;
};
