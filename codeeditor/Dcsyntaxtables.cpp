// The working tables of a syntax scheme: per block the delimiters in use, keyword buckets and the openers of its
// child blocks, and the punctuation that no block claims.
#include "codeeditor/Dcsyntax.h"

#include "platform/classes/StringList.h"

#include <algorithm>
#include <type_traits>

namespace Dcsyntax {

const std::array<unsigned char, 256>& SchemeLowerTable() {
  static const std::array<unsigned char, 256> Table = [] {
    std::array<unsigned char, 256> T{};
    for (int C = 0; C < 256; ++C) {
      T[static_cast<std::size_t>(C)] = static_cast<unsigned char>(C);
    }
    for (int C = 'A'; C <= 'Z'; ++C) {
      T[static_cast<std::size_t>(C)] = static_cast<unsigned char>(C + 32);
    }
    for (int C = 0xC0; C <= 0xDE; ++C) {
      if (C != 0xD7) {
        T[static_cast<std::size_t>(C)] = static_cast<unsigned char>(C + 32);
      }
    }
    T[0x8A] = 0x9A;
    T[0x8C] = 0x9C;
    T[0x8E] = 0x9E;
    T[0x9F] = 0xFF;
    return T;
  }();
  return Table;
}

namespace {

// The state word keeps 6 bits of a block delimiter's index and 8 of an item's or a block's: items beyond them
// could not be told apart on the next line, so they take no part.
constexpr Integer MaxDelimiterItems = 64;
constexpr Integer MaxListItems = 256;
constexpr Integer MaxBlocks = 256;

void AddChars(std::bitset<256>& Used, const std::string& Text) {
  for (const char C : Text) {
    Used.set(static_cast<unsigned char>(C));
  }
}

void AddChars(std::bitset<256>& Used, const TSysCharSet& Set) {
  for (int C = 0; C < 256; ++C) {
    if (Set.Contains(static_cast<char>(C))) {
      Used.set(static_cast<std::size_t>(C));
    }
  }
}

// The left delimiters of the items in use of a token list (and their right ones into Used, for block tokens).
template <class List>
std::vector<TDelimEntry> InUse(const List* L, bool On, std::bitset<256>& Used) {
  std::vector<TDelimEntry> Out;
  if (!On) {
    return Out;
  }
  const Integer N = std::min(L->Count(), MaxListItems);
  for (Integer I = 0; I < N; ++I) {
    const auto* Item = L->GetItem(I);
    if (!Item->UseToken || Item->LeftDelimiter.empty()) {
      continue;
    }
    Out.push_back({Item->LeftDelimiter, I});
    AddChars(Used, Item->LeftDelimiter);
    if constexpr (std::is_same_v<List, TBlockTokenList>) {
      AddChars(Used, Item->RightDelimiter);
    }
  }
  return Out;
}

void BuildKeywords(TSyntaxBlock* B) {
  B->Tables.Keywords.clear();
  if (!B->UseKeywords) {
    return;
  }
  TStringList Words;
  const Integer N = std::min(B->KeywordSets->Count(), MaxListItems);
  for (Integer I = 0; I < N; ++I) {
    const TKeywordSet* Set = B->KeywordSets->GetItem(I);
    if (!Set->UseToken) {
      continue;
    }
    TKeywordTable Table;
    Table.Pos = I;
    Words.SetCommaText(Set->Keywords);
    for (Integer W = 0; W < Words.Count(); ++W) {
      std::string Word = Words.Strings(W);
      if (Word.empty()) {
        continue;
      }
      if (!B->CaseSensitive) {
        for (char& C : Word) {
          C = SchemeLower(C);
        }
      }
      std::string& Bucket = Table.Buckets[static_cast<unsigned char>(Word[0])];
      if (Bucket.empty()) {
        Bucket.push_back(',');
      }
      Bucket.append(Word.data(), Word.size());
      Bucket.push_back(',');
    }
    B->Tables.Keywords.push_back(std::move(Table));
  }
}

}  // namespace

void TSyntaxScheme::BuildTables() {
  std::bitset<256> Used;
  const Integer Count = FSyntaxBlocks->Count();
  for (Integer Index = 0; Index < Count; ++Index) {
    TSyntaxBlock* B = FSyntaxBlocks->GetItem(Index);
    TBlockTables& T = B->Tables;
    AddChars(Used, B->FirstIdentChars);
    AddChars(Used, B->OtherIdentChars);
    if (B->UseMetaSymbol) {
      Used.set(static_cast<unsigned char>(B->MetaSymbol));
    }
    if (B->UseLineDirectives) {
      AddChars(Used, B->LineDirectivePrefix);
    }
    for (Integer D = 0; D < B->BlockDelimiters->Count(); ++D) {
      const TDelimiters* Item = B->BlockDelimiters->GetItem(D);
      if (Item->UseToken) {
        AddChars(Used, Item->LeftDelimiter);
        AddChars(Used, Item->RightDelimiter);
      }
    }
    T.SingleLineComments = InUse(B->SingleLineCommentDelimiters, B->UseSingleLineComments, Used);
    T.MultiLineComments = InUse(B->MultiLineCommentDelimiters, B->UseMultiLineComments, Used);
    T.FullLineComments = InUse(B->FullLineCommentDelimiters, B->UseFullLineComments, Used);
    T.SingleLineStrings = InUse(B->SingleLineStringDelimiters, B->UseSingleLineStrings, Used);
    T.MultiLineStrings = InUse(B->MultiLineStringDelimiters, B->UseMultiLineStrings, Used);
    T.NumPrefixes = InUse(B->NumPrefixes, B->UsePrefixedNumbers, Used);
    T.NumSuffixes = InUse(B->NumSuffixes, B->UseSuffixedNumbers, Used);
    T.IdentPrefixes = InUse(B->IdentPrefixes, B->UsePrefixedIdentifiers, Used);
    T.IdentSuffixes = InUse(B->IdentSuffixes, B->UseSuffixedIdentifiers, Used);
    // The pairs are tried item by item; only their characters count here.
    (void)InUse(B->NumPrefixesSuffixes, B->UsePrefixedSuffixedNumbers, Used);
    (void)InUse(B->IdentPrefixesSuffixes, B->UsePrefixedSuffixedIdentifiers, Used);
    BuildKeywords(B);

    T.OuterOpeners.clear();
    T.InnerOpeners.clear();
    for (Integer Child = 0; Child < std::min(Count, MaxBlocks); ++Child) {
      const TSyntaxBlock* C = FSyntaxBlocks->GetItem(Child);
      if (C->ParentID != B->ID) {
        continue;
      }
      for (Integer D = 0; D < std::min(C->BlockDelimiters->Count(), MaxDelimiterItems); ++D) {
        const TDelimiters* Item = C->BlockDelimiters->GetItem(D);
        if (!Item->UseToken || Item->LeftDelimiter.empty()) {
          continue;
        }
        const Cardinal Info = (Item->DelimitersArePartOfBlock ? 0x20000u : 0u) | (C->CaseSensitive ? 0x10000u : 0u) |
                              (static_cast<Cardinal>(Child) << 8) | static_cast<Cardinal>(D);
        (Item->DelimitersArePartOfBlock ? T.InnerOpeners : T.OuterOpeners).push_back({Item->LeftDelimiter, Info});
      }
    }
  }
  FFreeSymbols.reset();
  for (int C = '!'; C < 128; ++C) {
    const bool Punct = C <= '/' || (C >= ':' && C <= '@') || (C >= '[' && C <= '^') || C == '`' || C >= '{';
    if (Punct && !Used.test(static_cast<std::size_t>(C))) {
      FFreeSymbols.set(static_cast<std::size_t>(C));
    }
  }
}

}  // namespace Dcsyntax
