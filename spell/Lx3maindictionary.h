// Read-only access to one compiled main dictionary (.adm): a memory-mapped, path-compressed letter tree.
#pragma once

#include "platform/classes/StringList.h"
#include "platform/rtl/System.h"
#include "spell/Lx3admformat.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

class TPhoneticsMap;

// One main dictionary file. The spell component keeps one per configured main dictionary. Every read of the
// mapped file is checked against the mapping's size, so a damaged file answers "not found" and never makes a
// read outside the mapping.
class TMainDictionary : public TObject {
public:
  TMainDictionary() = default;
  ~TMainDictionary() override;
  TMainDictionary(const TMainDictionary&) = delete;
  TMainDictionary& operator=(const TMainDictionary&) = delete;

  const std::string& Filename() const { return FFilename; }
  // Accepts Name only when it is a readable main dictionary file; otherwise the previous file stays.
  void WriteFilename(const std::string& Name);
  bool Loaded() const { return FLoaded; }
  // Maps (true) or releases (false) the file.
  void WriteLoaded(bool Flag);

  const std::string& Title() const { return FTitle; }
  std::int32_t Language() const { return FLanguage; }
  std::uint32_t WordCount() const { return FWordCount; }
  std::uint32_t NodeCount() const { return FNodeCount; }
  int WordsFound() const { return FWordsFound; }

  // Whether the word (its bytes as they are, case-sensitive) is in the dictionary.
  bool WordExists(const std::string& Word);
  // How many leading characters of the word the tree holds.
  int WordLength(const std::string& Word);
  // Appends to List the dictionary words that begin with the word's first StartDepth characters and whose
  // sound code equals the word's (at most about 500).
  void Suggest(const std::string& Word, const TPhoneticsMap& Map, TStrings& List);
  // Counts one found word (the dictionary set orders its main dictionaries by this count).
  void WordFound() { ++FWordsFound; }

private:
  // The children of a node: Direct means Link is the only child's number, else Link is a linkage offset
  // where Count child numbers follow.
  struct TChildren {
    std::uint32_t Count = 0;
    std::uint32_t Link = 0;
    bool Direct = false;
  };
  struct TNode {
    unsigned char Char = 0;
    bool WordEnd = false;
    int Group = 0;  // tail length
    const std::uint8_t* Tail = nullptr;
    TChildren Children;
  };
  enum class TFoundResult { GoOn, Stop };

  void Release();
  bool EnsureLoaded();
  // The address of node Number and its group (tail length); null when no group holds it.
  const std::uint8_t* NodeAddress(std::uint32_t Number, int& Group) const;
  bool DecodeNode(const std::uint8_t* P, int Group, TNode& Node) const;
  bool GetNode(std::uint32_t Number, TNode& Node) const;
  bool GetLinkageIndex(std::uint32_t& Offset, std::uint32_t& Number) const;
  bool ReadChildren(std::uint32_t Count, std::uint32_t Link, TChildren& Children) const;
  bool FindChild(const TChildren& Children, unsigned char Ch, TNode& Node) const;
  bool InternalWordExists(const std::string& Word, int& Length);
  void InternalPrefixWords(const TNode& Node, std::size_t Position);
  TFoundResult FoundWord(std::size_t Length);

  std::string FFilename;
  bool FLoaded = false;
  std::string FTitle;
  std::int32_t FLanguage = 0;
  std::uint32_t FWordCount = 0;
  std::uint32_t FNodeCount = 0;
  void* FMapping = nullptr;
  const std::uint8_t* FView = nullptr;
  std::uint64_t FViewSize = 0;
  std::uint32_t FLinkageSize = 0;
  const std::uint8_t* FLinkage = nullptr;
  std::array<std::uint8_t, AdmFormat::FirstLetterTableSize> FFirstLetters{};
  std::array<std::uint8_t, AdmFormat::CharTableSize> FCharTable{};
  std::array<const std::uint8_t*, AdmFormat::GroupCount> FGroupAddress{};
  std::array<std::uint32_t, AdmFormat::GroupCount> FGroupCount{};
  std::array<std::uint64_t, AdmFormat::GroupCount + 1> FGroupOffset{};
  std::array<std::uint64_t, AdmFormat::GroupCount + 1> FGroupFirst{};
  int FWordsFound = 0;
  // Answers of recent look-ups while loaded (emptied when full or released).
  static constexpr std::size_t MaxKeptAnswers = 1 << 16;
  std::unordered_map<std::string, bool> FAnswers;

  // Phonetic search state.
  std::string FBuffer;
  TStrings* FResults = nullptr;
  const TPhoneticsMap* FMap = nullptr;
  std::string FSearchCode;
  std::uint64_t FVisitBudget = 0;
};
