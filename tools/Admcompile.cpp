// zubq_admcompile: compiles a UTF-8 word list (one word a line) into a main dictionary file (.adm).
//
//   zubq_admcompile [--title TEXT] [--language ID] <words.txt> <out.adm>
//
// Words are stored as code page 1252 bytes; a word that 1252 cannot hold, or a tree too large for the file's
// 20-bit links, stops the compiler with a message and exit code 1, and no output file is left behind.
#include "platform/rtl/CodePage.h"
#include "spell/Lx3admformat.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct TCompileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Converts one UTF-8 line to 1252 bytes.
std::string Utf8To1252(const std::string& Line, std::size_t LineNo) {
  std::string Out;
  for (std::size_t I = 0; I < Line.size();) {
    const auto B = static_cast<unsigned char>(Line[I]);
    char32_t C = 0;
    int More = 0;
    if (B < 0x80) {
      C = B;
    } else if ((B & 0xE0) == 0xC0) {
      C = B & 0x1F;
      More = 1;
    } else if ((B & 0xF0) == 0xE0) {
      C = B & 0x0F;
      More = 2;
    } else if ((B & 0xF8) == 0xF0) {
      C = B & 0x07;
      More = 3;
    } else {
      throw TCompileError("line " + std::to_string(LineNo) + ": invalid UTF-8");
    }
    ++I;
    for (int K = 0; K < More; ++K, ++I) {
      if (I >= Line.size() || (static_cast<unsigned char>(Line[I]) & 0xC0) != 0x80) {
        throw TCompileError("line " + std::to_string(LineNo) + ": invalid UTF-8");
      }
      C = (C << 6) | (static_cast<unsigned char>(Line[I]) & 0x3F);
    }
    const int Byte = UnicodeToCp1252(C);
    if (Byte <= 0) {
      throw TCompileError("line " + std::to_string(LineNo) + ": a character code page 1252 cannot hold");
    }
    Out.push_back(static_cast<char>(Byte));
  }
  return Out;
}

struct TTrieNode {
  unsigned char Char = 0;
  bool WordEnd = false;
  std::vector<std::uint32_t> Children;  // trie node ids, in byte order
};

// A node as it is written: its character, tail and children (output node ids).
struct TOutNode {
  unsigned char Char = 0;
  bool WordEnd = false;
  std::string Tail;
  std::vector<std::uint32_t> Children;
  std::uint32_t Number = 0;
};

class TCompiler {
public:
  void Build(const std::vector<std::string>& Words) {
    FTrie.assign(1, TTrieNode{});
    for (const auto& W : Words) {
      std::uint32_t Node = 0;
      for (unsigned char C : W) {
        auto& Kids = FTrie[Node].Children;
        // Words arrive sorted, so a new child always comes last.
        if (!Kids.empty() && FTrie[Kids.back()].Char == C) {
          Node = Kids.back();
          continue;
        }
        FTrie.push_back(TTrieNode{C, false, {}});
        const auto Id = static_cast<std::uint32_t>(FTrie.size() - 1);
        FTrie[Node].Children.push_back(Id);
        Node = Id;
      }
      FTrie[Node].WordEnd = true;
    }
    Compress();
    Number();
  }

  std::string Write(const std::string& Title, std::uint32_t Language, std::uint32_t WordCount) {
    const auto NodeCount = static_cast<std::uint32_t>(FOut.size());
    if (NodeCount > AdmFormat::MaxLink) {
      throw TCompileError("too many nodes for 20-bit links: " + std::to_string(NodeCount));
    }
    FLongNumbers = NodeCount >= AdmFormat::ShortNumberLimit;
    std::vector<std::uint32_t> Headers(FOut.size());
    std::string Linkage;
    for (const auto& N : FOut) {
      const auto Count = static_cast<std::uint32_t>(N.Children.size());
      std::uint32_t Link = AdmFormat::NoLink;
      std::uint32_t Field = 0;
      if (Count == 1) {
        Link = FOut[N.Children[0]].Number;
        Field = 1;
      } else if (Count >= 2) {
        Link = static_cast<std::uint32_t>(Linkage.size());
        if (Count > 7) {
          Linkage.push_back(static_cast<char>(Count));
        } else {
          Field = Count;
        }
        for (auto C : N.Children) {
          AppendNumber(Linkage, FOut[C].Number);
        }
      }
      if (Count >= 1 && Link >= AdmFormat::MaxLink) {
        throw TCompileError("a link does not fit in 20 bits: " + std::to_string(Link));
      }
      Headers[N.Number] = N.Char | (Link << 8) | (Field << 28) | (N.WordEnd ? 0x80000000u : 0u);
    }
    // First-letter records describe the children of each first-letter node.
    std::array<std::uint8_t, AdmFormat::FirstLetterTableSize> First{};
    for (auto C : FOut[0].Children) {
      const auto& N = FOut[C];
      std::uint8_t* Record = &First[N.Char * 8u];
      Record[0] = N.WordEnd ? 1 : 0;
      const auto Count = static_cast<std::uint32_t>(N.Children.size());
      Record[1] = static_cast<std::uint8_t>(Count);
      const std::uint32_t H = Headers[N.Number];
      std::uint32_t Link = (H >> 8) & 0xFFFFF;
      if (Count > 7) {
        ++Link;  // past the count byte
      }
      PutLE32(Record + 4, Count == 0 ? 0 : Link);
    }
    std::array<std::uint32_t, 256> CharCounts{};
    for (const auto& N : FTrie) {
      ++CharCounts[N.Char];
    }

    std::string Out(AdmFormat::HeadSize, '\0');
    std::copy(AdmFormat::Banner.begin(), AdmFormat::Banner.end(), Out.begin());
    const std::size_t TitleLength = std::min<std::size_t>(Title.size(), 255);
    Out.push_back(static_cast<char>(TitleLength));
    for (std::size_t I = 0; I < TitleLength; ++I) {
      const char32_t C = Cp1252ToUnicode(static_cast<unsigned char>(Title[I]));
      Out.push_back(static_cast<char>(C & 0xFF));
      Out.push_back(static_cast<char>((C >> 8) & 0xFF));
    }
    Out.append(2, '\0');
    AppendLE32(Out, Language);
    AppendLE32(Out, WordCount);
    AppendLE32(Out, NodeCount);
    for (int G = 0; G < AdmFormat::GroupCount; ++G) {
      AppendLE32(Out, FGroupCounts[G]);
    }
    for (std::uint32_t Num = 0; Num < NodeCount; ++Num) {
      const auto& N = FOut[FByNumber[Num]];
      AppendLE32(Out, Headers[Num]);
      Out += N.Tail;
    }
    AppendLE32(Out, static_cast<std::uint32_t>(Linkage.size()));
    Out += Linkage;
    Out.append(reinterpret_cast<const char*>(First.data()), First.size());
    for (auto C : CharCounts) {
      AppendLE32(Out, C);
    }
    return Out;
  }

  std::size_t NodeCount() const { return FOut.size(); }

private:
  static void PutLE32(std::uint8_t* P, std::uint32_t V) {
    for (int I = 0; I < 4; ++I) {
      P[I] = static_cast<std::uint8_t>(V >> (8 * I));
    }
  }
  static void AppendLE32(std::string& S, std::uint32_t V) {
    for (int I = 0; I < 4; ++I) {
      S.push_back(static_cast<char>(V >> (8 * I)));
    }
  }
  void AppendNumber(std::string& S, std::uint32_t V) const {
    if (!FLongNumbers) {
      S.push_back(static_cast<char>(V & 0xFF));
      S.push_back(static_cast<char>(V >> 8));
    } else if (V < 0x8000) {
      S.push_back(static_cast<char>(0x80 | (V >> 8)));
      S.push_back(static_cast<char>(V & 0xFF));
    } else if (V < 0x800000) {
      S.push_back(static_cast<char>(V >> 16));
      S.push_back(static_cast<char>((V >> 8) & 0xFF));
      S.push_back(static_cast<char>(V & 0xFF));
    } else {
      throw TCompileError("a child number does not fit in 23 bits: " + std::to_string(V));
    }
  }

  // Makes the output nodes: the root and the first letters keep no tail (the first-letter records describe
  // their children directly); every other node takes up to 8 following characters that lead on without a
  // branch and without a word ending there.
  void Compress() {
    FOut.clear();
    FOut.push_back(TOutNode{});
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Work;  // (trie node, output node)
    Work.push_back({0, 0});
    while (!Work.empty()) {
      const auto [TrieId, OutId] = Work.back();
      Work.pop_back();
      std::uint32_t End = TrieId;
      std::string Tail;
      const bool MayCompress = TrieId != 0 && !IsFirstLetter(TrieId);
      while (MayCompress && Tail.size() < 8 && FTrie[End].Children.size() == 1 &&
             !FTrie[FTrie[End].Children[0]].WordEnd) {
        End = FTrie[End].Children[0];
        Tail.push_back(static_cast<char>(FTrie[End].Char));
      }
      FOut[OutId].Char = FTrie[TrieId].Char;
      FOut[OutId].WordEnd = FTrie[TrieId].WordEnd;
      FOut[OutId].Tail = Tail;
      const auto& Kids = FTrie[End].Children;
      for (std::size_t K = 0; K < Kids.size(); ++K) {
        FOut.push_back(TOutNode{});
        const auto ChildOut = static_cast<std::uint32_t>(FOut.size() - 1);
        FOut[OutId].Children.push_back(ChildOut);
      }
      // Visit children first to last (push in reverse) so numbering follows depth-first order.
      for (std::size_t I = Kids.size(); I-- > 0;) {
        Work.push_back({Kids[I], FOut[OutId].Children[I]});
      }
    }
  }
  bool IsFirstLetter(std::uint32_t TrieId) const {
    for (auto C : FTrie[0].Children) {
      if (C == TrieId) {
        return true;
      }
    }
    return false;
  }
  // Numbers the nodes by group (tail length), depth-first within a group; the root is number 0.
  void Number() {
    std::vector<std::uint32_t> Order;
    std::vector<std::uint32_t> Stack{0};
    while (!Stack.empty()) {
      const auto Id = Stack.back();
      Stack.pop_back();
      Order.push_back(Id);
      const auto& Kids = FOut[Id].Children;
      for (std::size_t I = Kids.size(); I-- > 0;) {
        Stack.push_back(Kids[I]);
      }
    }
    FGroupCounts.fill(0);
    for (const auto& N : FOut) {
      ++FGroupCounts[N.Tail.size()];
    }
    std::array<std::uint32_t, AdmFormat::GroupCount> Next{};
    for (int G = 1; G < AdmFormat::GroupCount; ++G) {
      Next[G] = Next[G - 1] + FGroupCounts[G - 1];
    }
    FByNumber.assign(FOut.size(), 0);
    for (auto Id : Order) {
      auto& N = FOut[Id];
      N.Number = Next[N.Tail.size()]++;
      FByNumber[N.Number] = Id;
    }
  }

  std::vector<TTrieNode> FTrie;
  std::vector<TOutNode> FOut;
  std::vector<std::uint32_t> FByNumber;
  std::array<std::uint32_t, AdmFormat::GroupCount> FGroupCounts{};
  bool FLongNumbers = false;
};

int Usage() {
  std::cerr << "usage: zubq_admcompile [--title TEXT] [--language ID] <words.txt> <out.adm>\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string Title = "Dictionary";
  std::uint32_t Language = 0x0409;
  std::vector<std::string> Files;
  for (int I = 1; I < argc; ++I) {
    const std::string A = argv[I];
    if (A == "--title" && I + 1 < argc) {
      Title = argv[++I];
    } else if (A == "--language" && I + 1 < argc) {
      Language = static_cast<std::uint32_t>(std::stoul(argv[++I], nullptr, 0));
    } else {
      Files.push_back(A);
    }
  }
  if (Files.size() != 2) {
    return Usage();
  }
  try {
    std::ifstream In(Files[0], std::ios::binary);
    if (!In) {
      throw TCompileError("cannot read " + Files[0]);
    }
    std::vector<std::string> Words;
    std::string Line;
    std::size_t LineNo = 0;
    while (std::getline(In, Line)) {
      ++LineNo;
      while (!Line.empty() && (Line.back() == '\r' || Line.back() == ' ' || Line.back() == '\t')) {
        Line.pop_back();
      }
      if (Line.empty() || Line[0] == '#') {
        continue;
      }
      Words.push_back(Utf8To1252(Line, LineNo));
    }
    std::sort(Words.begin(), Words.end());
    Words.erase(std::unique(Words.begin(), Words.end()), Words.end());
    if (Words.empty()) {
      throw TCompileError("no words in " + Files[0]);
    }
    TCompiler Compiler;
    Compiler.Build(Words);
    const std::string Bytes = Compiler.Write(Title, Language, static_cast<std::uint32_t>(Words.size()));
    const std::string Temp = Files[1] + ".part";
    {
      std::ofstream Out(Temp, std::ios::binary | std::ios::trunc);
      Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
      if (!Out.flush()) {
        std::remove(Temp.c_str());
        throw TCompileError("cannot write " + Temp);
      }
    }
    if (std::rename(Temp.c_str(), Files[1].c_str()) != 0) {
      std::remove(Temp.c_str());
      throw TCompileError("cannot write " + Files[1]);
    }
    return 0;
  } catch (const std::exception& E) {
    std::cerr << "zubq_admcompile: " << E.what() << "\n";
    return 1;
  }
}
