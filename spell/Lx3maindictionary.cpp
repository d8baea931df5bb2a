// Read-only access to one compiled main dictionary.
#include "spell/Lx3maindictionary.h"

#include "platform/rtl/CodePage.h"
#include "platform/win/Files.h"
#include "spell/Lx3phoneticsmap.h"

#include <cstring>
#include <fstream>
#include <vector>

namespace {

std::uint32_t ReadLE32(const std::uint8_t* P) {
  return static_cast<std::uint32_t>(P[0]) | (static_cast<std::uint32_t>(P[1]) << 8) |
         (static_cast<std::uint32_t>(P[2]) << 16) | (static_cast<std::uint32_t>(P[3]) << 24);
}

// Reads Size bytes at Offset; false when the file is shorter.
bool ReadAt(std::ifstream& In, std::uint64_t Offset, void* Buffer, std::size_t Size) {
  In.clear();
  In.seekg(static_cast<std::streamoff>(Offset));
  In.read(static_cast<char*>(Buffer), static_cast<std::streamsize>(Size));
  return In.gcount() == static_cast<std::streamsize>(Size);
}

constexpr std::size_t WordBufferSize = 513;
constexpr std::size_t MaxPhoneticResults = 500;

}  // namespace

TMainDictionary::~TMainDictionary() { Release(); }

void TMainDictionary::WriteFilename(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  if (Name.empty() || !In) {
    return;
  }
  In.seekg(0, std::ios::end);
  const auto FileSize = static_cast<std::uint64_t>(In.tellg());
  const bool WasLoaded = FLoaded;
  FWordsFound = 0;
  WriteLoaded(false);
  if (FileSize <= AdmFormat::HeadSize) {
    if (WasLoaded) {
      WriteLoaded(true);
    }
    return;
  }
  std::vector<char> Head(AdmFormat::HeadSize);
  bool Ok = ReadAt(In, 0, Head.data(), Head.size());
  if (Ok) {
    const std::string Text(Head.data(), strnlen(Head.data(), Head.size()));
    Ok = Text.substr(0, AdmFormat::BannerSize) == AdmFormat::Banner;
  }
  std::uint8_t TitleLength = 0;
  std::vector<std::uint8_t> Title;
  std::uint8_t Fixed[12 + 4 * AdmFormat::GroupCount] = {};
  if (Ok) {
    Ok = ReadAt(In, AdmFormat::HeadSize, &TitleLength, 1);
  }
  if (Ok) {
    Title.resize(2u * TitleLength + 2u);
    Ok = ReadAt(In, AdmFormat::HeadSize + 1, Title.data(), Title.size()) &&
         ReadAt(In, AdmFormat::HeadSize + 1 + Title.size(), Fixed, sizeof(Fixed));
  }
  if (!Ok) {
    // Not a main dictionary: the previous file stays and is mapped again when it was.
    if (WasLoaded) {
      WriteLoaded(true);
    }
    return;
  }
  FTitle.clear();
  for (std::size_t I = 0; I < TitleLength && I < 257; ++I) {
    const char32_t C = static_cast<char32_t>(Title[2 * I] | (Title[2 * I + 1] << 8));
    const int B = UnicodeToCp1252(C);
    FTitle.push_back(B < 0 ? '?' : static_cast<char>(B));
  }
  FLanguage = static_cast<std::int32_t>(ReadLE32(Fixed));
  FWordCount = ReadLE32(Fixed + 4);
  FNodeCount = ReadLE32(Fixed + 8);
  FGroupOffset[0] = AdmFormat::HeadSize + 1 + Title.size() + sizeof(Fixed);
  FGroupFirst[0] = 0;
  for (int G = 0; G < AdmFormat::GroupCount; ++G) {
    FGroupCount[G] = ReadLE32(Fixed + 12 + 4 * G);
    FGroupOffset[G + 1] = FGroupOffset[G] + static_cast<std::uint64_t>(FGroupCount[G]) * (G + 4);
    FGroupFirst[G + 1] = FGroupFirst[G] + FGroupCount[G];
  }
  FFilename = Name;
  if (WasLoaded) {
    WriteLoaded(true);
  }
}

void TMainDictionary::Release() {
  if (FView) {
    UnmapViewOfFile(FView);
  }
  if (FMapping) {
    CloseHandle(FMapping);
  }
  FView = nullptr;
  FMapping = nullptr;
  FViewSize = 0;
  FLinkage = nullptr;
  FLinkageSize = 0;
  FGroupAddress.fill(nullptr);
  FAnswers.clear();
  FLoaded = false;
}

void TMainDictionary::WriteLoaded(bool Flag) {
  if (Flag == FLoaded) {
    return;
  }
  if (!Flag) {
    Release();
    return;
  }
  if (FFilename.empty()) {
    return;
  }
  HANDLE File = CreateFile(FFilename.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE) {
    return;
  }
  Int64 Size = 0;
  GetFileSizeEx(File, &Size);
  FMapping = CreateFileMapping(File, nullptr, PAGE_READONLY, 0, 0, nullptr);
  CloseHandle(File);  // the mapping keeps the file open
  if (!FMapping) {
    Release();
    return;
  }
  FView = static_cast<const std::uint8_t*>(MapViewOfFile(FMapping, FILE_MAP_READ, 0, 0, 0));
  if (!FView || Size <= 0) {
    Release();
    return;
  }
  FViewSize = static_cast<std::uint64_t>(Size);
  const std::uint64_t LinkageWord = FGroupOffset[AdmFormat::GroupCount];
  if (!(LinkageWord + 4 < FViewSize)) {
    Release();
    return;
  }
  FLinkageSize = ReadLE32(FView + LinkageWord);
  const std::uint64_t Tables = LinkageWord + 4 + FLinkageSize;
  if (FViewSize < Tables + AdmFormat::FirstLetterTableSize + AdmFormat::CharTableSize) {
    Release();
    return;
  }
  FLinkage = FView + LinkageWord + 4;
  std::memcpy(FFirstLetters.data(), FView + Tables, FFirstLetters.size());
  std::memcpy(FCharTable.data(), FView + Tables + FFirstLetters.size(), FCharTable.size());
  for (int G = 0; G < AdmFormat::GroupCount; ++G) {
    FGroupAddress[G] = FView + FGroupOffset[G];
  }
  FLoaded = true;
}

bool TMainDictionary::EnsureLoaded() {
  if (!FLoaded) {
    WriteLoaded(true);
  }
  return FLoaded;
}

const std::uint8_t* TMainDictionary::NodeAddress(std::uint32_t Number, int& Group) const {
  int G = 0;
  while (G < AdmFormat::GroupCount - 1 && Number >= FGroupFirst[G + 1]) {
    ++G;
  }
  // Group 8 takes everything from its first number on, but only its own nodes lie inside the file's groups.
  if (Number < FGroupFirst[G] || Number >= FGroupFirst[G + 1]) {
    return nullptr;
  }
  Group = G;
  return FGroupAddress[G] + (Number - FGroupFirst[G]) * static_cast<std::uint64_t>(G + 4);
}

bool TMainDictionary::DecodeNode(const std::uint8_t* P, int Group, TNode& Node) const {
  const std::uint32_t Header = ReadLE32(P);
  Node.Char = static_cast<unsigned char>(Header & 0xFF);
  Node.WordEnd = (Header & 0x80000000u) != 0;
  Node.Group = Group;
  Node.Tail = P + 4;
  return ReadChildren((Header >> 28) & 7, (Header >> 8) & 0xFFFFF, Node.Children);
}

bool TMainDictionary::GetNode(std::uint32_t Number, TNode& Node) const {
  int Group = 0;
  const std::uint8_t* P = NodeAddress(Number, Group);
  return P != nullptr && DecodeNode(P, Group, Node);
}

bool TMainDictionary::ReadChildren(std::uint32_t Count, std::uint32_t Link, TChildren& Children) const {
  Children = TChildren{};
  if (Count == 1) {
    Children = {1, Link, true};
    return true;
  }
  if (Count > 1) {
    Children = {Count, Link, false};
    return true;
  }
  if (Link == AdmFormat::NoLink) {
    return true;
  }
  if (Link >= FLinkageSize) {
    return false;
  }
  Children = {FLinkage[Link], Link + 1, false};
  return true;
}

bool TMainDictionary::GetLinkageIndex(std::uint32_t& Offset, std::uint32_t& Number) const {
  if (FNodeCount < AdmFormat::ShortNumberLimit) {
    if (Offset + 2ull > FLinkageSize) {
      return false;
    }
    Number = FLinkage[Offset] | (FLinkage[Offset + 1] << 8);
    Offset += 2;
    return true;
  }
  if (Offset + 2ull > FLinkageSize) {
    return false;
  }
  const std::uint8_t B0 = FLinkage[Offset];
  if (B0 & 0x80) {
    Number = ((B0 & 0x7Fu) << 8) | FLinkage[Offset + 1];
    Offset += 2;
    return true;
  }
  if (Offset + 3ull > FLinkageSize) {
    return false;
  }
  Number = (static_cast<std::uint32_t>(B0) << 16) | (FLinkage[Offset + 1] << 8) | FLinkage[Offset + 2];
  Offset += 3;
  return true;
}

bool TMainDictionary::FindChild(const TChildren& Children, unsigned char Ch, TNode& Node) const {
  if (Children.Direct) {
    return GetNode(Children.Link, Node) && Node.Char == Ch;
  }
  // Siblings that do not match are only looked at for their character (the header's low byte).
  std::uint32_t Offset = Children.Link;
  for (std::uint32_t I = 0; I < Children.Count; ++I) {
    std::uint32_t Number = 0;
    int Group = 0;
    const std::uint8_t* P = nullptr;
    if (!GetLinkageIndex(Offset, Number) || (P = NodeAddress(Number, Group)) == nullptr) {
      return false;
    }
    if (P[0] == Ch) {
      return DecodeNode(P, Group, Node);
    }
  }
  return false;
}

bool TMainDictionary::InternalWordExists(const std::string& Word, int& Length) {
  if (!EnsureLoaded() || Word.empty()) {
    return false;
  }
  Length = 0;
  const std::uint8_t* Record = &FFirstLetters[static_cast<unsigned char>(Word[0]) * 8u];
  if (Word.size() == 1 && Record[0] != 0) {
    Length = 1;
    return true;
  }
  if (Record[1] == 0) {
    return false;
  }
  Length = 1;
  TChildren Children{Record[1], ReadLE32(Record + 4), Record[1] == 1};
  const std::size_t N = Word.size();
  std::size_t I = 1;
  TNode Node;
  while (I < N) {
    if (!FindChild(Children, static_cast<unsigned char>(Word[I]), Node)) {
      return false;
    }
    ++Length;
    ++I;
    if (I == N) {
      return Node.WordEnd;
    }
    for (int T = 0; T < Node.Group; ++T) {
      if (I >= N || Node.Tail[T] != static_cast<std::uint8_t>(Word[I])) {
        return false;
      }
      ++Length;
      ++I;
    }
    if (I == N) {
      return false;  // no word ends right after a tail
    }
    Children = Node.Children;
    if (Children.Count == 0) {
      return false;
    }
  }
  return false;
}

bool TMainDictionary::WordExists(const std::string& Word) {
  // Text repeats its words: the answers of recent look-ups are kept while the dictionary stays loaded.
  if (FLoaded) {
    if (auto It = FAnswers.find(Word); It != FAnswers.end()) {
      return It->second;
    }
  }
  int Length = 0;
  const bool Exists = InternalWordExists(Word, Length);
  if (FLoaded) {
    if (FAnswers.size() >= MaxKeptAnswers) {
      FAnswers.clear();
    }
    FAnswers.emplace(Word, Exists);
  }
  return Exists;
}

int TMainDictionary::WordLength(const std::string& Word) {
  int Length = 0;
  InternalWordExists(Word, Length);
  return Length;
}

void TMainDictionary::Suggest(const std::string& Word, const TPhoneticsMap& Map, TStrings& List) {
  FSearchCode = Map.GetMapping(Word);
  if (FSearchCode.size() <= 1 || !EnsureLoaded()) {
    return;
  }
  const std::size_t Depth = std::min<std::size_t>(static_cast<std::size_t>(Map.StartDepth()), Word.size());
  const std::string Prefix = Word.substr(0, Depth);
  FMap = &Map;
  FResults = &List;
  // Every node of a sound tree is visited at most once per search; a damaged file whose links form cycles
  // must not make the search endless.
  FVisitBudget = FGroupFirst[AdmFormat::GroupCount] + 1;
  FBuffer.assign(Prefix);
  // Walk the prefix from the root as a lookup does.
  TNode Node;
  if (!GetNode(0, Node)) {
    FResults = nullptr;
    FMap = nullptr;
    return;
  }
  std::size_t I = 0;
  while (I < Prefix.size()) {
    const TChildren Children = Node.Children;
    if (!FindChild(Children, static_cast<unsigned char>(Prefix[I]), Node)) {
      return;
    }
    ++I;
    if (I == Prefix.size()) {
      InternalPrefixWords(Node, I - 1);
      break;
    }
    for (int T = 0; T < Node.Group; ++T) {
      if (I >= Prefix.size() || Node.Tail[T] != static_cast<std::uint8_t>(Prefix[I])) {
        return;  // the prefix ends inside a tail or leaves the tree
      }
      ++I;
    }
    if (I == Prefix.size()) {
      // The prefix ends with a tail: its words continue in the children.
      std::uint32_t Offset = Node.Children.Link;
      for (std::uint32_t C = 0; C < Node.Children.Count; ++C) {
        std::uint32_t Number = Node.Children.Link;
        TNode Child;
        if ((!Node.Children.Direct && !GetLinkageIndex(Offset, Number)) || !GetNode(Number, Child)) {
          break;
        }
        InternalPrefixWords(Child, I);
      }
      break;
    }
  }
  FResults = nullptr;
  FMap = nullptr;
}

void TMainDictionary::InternalPrefixWords(const TNode& Node, std::size_t Position) {
  if (FVisitBudget == 0 || Position + 1 + static_cast<std::size_t>(Node.Group) >= WordBufferSize) {
    return;
  }
  --FVisitBudget;
  FBuffer.resize(Position);
  FBuffer.push_back(static_cast<char>(Node.Char));
  if (Node.WordEnd && FoundWord(Position + 1) == TFoundResult::Stop) {
    return;
  }
  FBuffer.append(reinterpret_cast<const char*>(Node.Tail), static_cast<std::size_t>(Node.Group));
  const std::size_t Next = Position + 1 + static_cast<std::size_t>(Node.Group);
  std::uint32_t Offset = Node.Children.Link;
  for (std::uint32_t C = 0; C < Node.Children.Count; ++C) {
    std::uint32_t Number = Node.Children.Link;
    if (!Node.Children.Direct && !GetLinkageIndex(Offset, Number)) {
      return;
    }
    TNode Child;
    if (!GetNode(Number, Child)) {
      return;
    }
    InternalPrefixWords(Child, Next);
  }
}

TMainDictionary::TFoundResult TMainDictionary::FoundWord(std::size_t Length) {
  const std::string Candidate = FBuffer.substr(0, Length);
  const std::string Code = FMap->GetMapping(Candidate);
  if (Code != FSearchCode) {
    return Code.size() > FSearchCode.size() ? TFoundResult::Stop : TFoundResult::GoOn;
  }
  if (static_cast<std::size_t>(FResults->Count()) > MaxPhoneticResults) {
    return TFoundResult::Stop;
  }
  if (FResults->IndexOf(Candidate) < 0) {
    FResults->Add(Candidate);
  }
  return TFoundResult::GoOn;
}
