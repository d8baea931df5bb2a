// Syntax schemes: a highlighting language described as data (a tree of blocks with their delimiters, keyword sets
// and attributes), kept in the class library's component stream form.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Sets.h"

#include <array>
#include <bitset>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Dcsyntax {

inline constexpr const char* SCantReadScheme = "Can't read syntax scheme from ";
inline constexpr Integer CurrentSyntaxVersion = 3;
inline constexpr TColor DefaultBackColor = static_cast<TColor>(0x80000005);  // the system window colour

// ---- tokens ----

class TToken : public TCollectionItem {
  Z_CLASS(TToken, TCollectionItem)
public:
  explicit TToken(TCollection* ACollection) : TCollectionItem(ACollection) {}
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  Integer FontID = -1;
  bool UseToken = true;
};

class TLineToken : public TToken {
  Z_CLASS(TLineToken, TToken)
public:
  explicit TLineToken(TCollection* ACollection) : TToken(ACollection) {}
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  std::string LeftDelimiter;
};

class TBlockToken : public TLineToken {
  Z_CLASS(TBlockToken, TLineToken)
public:
  explicit TBlockToken(TCollection* ACollection) : TLineToken(ACollection) {}
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  std::string RightDelimiter;
};

class TKeywordSet : public TToken {
  Z_CLASS(TKeywordSet, TToken)
public:
  explicit TKeywordSet(TCollection* ACollection) : TToken(ACollection) {}
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  std::string Name;
  std::string Keywords;  // comma text
};

class TDelimiters : public TCollectionItem {
  Z_CLASS(TDelimiters, TCollectionItem)
public:
  explicit TDelimiters(TCollection* ACollection) : TCollectionItem(ACollection) {}
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  std::string LeftDelimiter;
  std::string RightDelimiter;
  bool DelimitersArePartOfBlock = false;
  bool UseToken = true;
};

// ---- attributes ----

class TAttrItem : public TCollectionItem {
  Z_CLASS(TAttrItem, TCollectionItem)
public:
  explicit TAttrItem(TCollection* ACollection);
  ~TAttrItem() override;
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TColor BackColor() const { return FBackColor; }
  virtual void SetBackColor(TColor Value) { FBackColor = Value; }
  bool UseDefFont() const { return FUseDefFont; }
  virtual void SetUseDefFont(bool Value) { FUseDefFont = Value; }
  bool UseDefBack() const { return FUseDefBack; }
  virtual void SetUseDefBack(bool Value) { FUseDefBack = Value; }

  Integer FontID = -1;
  std::string GlobalAttrID;
  Integer BlockID = 0;
  // Working values the scheme parser computes (not stored).
  std::unique_ptr<TFont> WorkFont;
  TColor WorkBackColor = DefaultBackColor;

protected:
  std::unique_ptr<TFont> FFont;
  TColor FBackColor = DefaultBackColor;
  bool FUseDefFont = true;
  bool FUseDefBack = true;
};

// The tokenizer's default attribute: it never takes the enclosing block's font or background.
class TDefAttrItem : public TAttrItem {
  Z_CLASS(TDefAttrItem, TAttrItem)
public:
  explicit TDefAttrItem(TCollection* ACollection);
  static void Publish(TMetaClass& Meta);
  void SetUseDefFont(bool) override {}
  void SetUseDefBack(bool) override {}
  void SetBackColor(TColor Value) override;
  TNotifyEvent OnBackColorChanged;  // the owning scheme parser's
};

// ---- collections ----

template <class Item, class Base = TCollection>
class TTypedList : public Base {
public:
  TTypedList() : Base(Item::StaticClass()) {}
  Item* GetItem(Integer Index) const { return static_cast<Item*>(this->Items(Index)); }
  void SetItem(Integer Index, Item* Value) { GetItem(Index)->Assign(Value); }
  Item* AddItem() { return static_cast<Item*>(this->Add()); }
};

class TLineTokenList : public TTypedList<TLineToken> {
  Z_CLASS(TLineTokenList, TCollection)
};
class TBlockTokenList : public TTypedList<TBlockToken> {
  Z_CLASS(TBlockTokenList, TCollection)
};
class TKeywordSetList : public TTypedList<TKeywordSet> {
  Z_CLASS(TKeywordSetList, TCollection)
};
class TDelimitersList : public TTypedList<TDelimiters> {
  Z_CLASS(TDelimitersList, TCollection)
};

class TFontList : public TTypedList<TAttrItem> {
  Z_CLASS(TFontList, TCollection)
public:
  Integer GetUniqueID() const;               // the smallest number 0..255 no item uses; -1 when all are taken
  TAttrItem* GetItemByID(Integer Id) const;  // the first item with that FontID
  TFont* GetFontByID(Integer Id) const;
};

class TSyntaxBlock;
class TSyntaxBlockList : public TTypedList<TSyntaxBlock> {
  Z_CLASS(TSyntaxBlockList, TCollection)
};

// ---- blocks ----

// The working tables of one block, built by the scheme's InitScheme from the items in use (never stored).
struct TDelimEntry {
  std::string Text;  // the left delimiter (never empty)
  Integer Pos = 0;   // the item's position in its collection
};
struct TOpenerEntry {
  std::string Text;   // the child's left delimiter
  Cardinal Info = 0;  // bit 17 part of block, bit 16 the child's case, bits 8-15 the child's index, 0-7 the item's
};
struct TKeywordTable {
  Integer Pos = 0;  // the keyword set's position in KeywordSets
  // By first character: ",word,word," (words lowered in a block that ignores case); empty when none start there.
  std::array<std::string, 256> Buckets;
};
struct TBlockTables {
  std::vector<TDelimEntry> SingleLineComments, MultiLineComments, FullLineComments, SingleLineStrings, MultiLineStrings,
      NumPrefixes, NumSuffixes, IdentPrefixes, IdentSuffixes;
  std::vector<TKeywordTable> Keywords;
  std::vector<TOpenerEntry> OuterOpeners;  // openers that stay the parent's text
  std::vector<TOpenerEntry> InnerOpeners;  // openers that are part of the child block
};

// The scalar settings of a block (copied as one by Assign).
struct TBlockSettings {
  std::string Name;
  Integer ID = -1;
  Integer ParentID = -1;
  bool CaseSensitive = false;
  bool UseMetaSymbol = false;
  bool UseMetaToWrapLines = true;
  char MetaSymbol = '\0';
  Integer FIText = -1, FIIntNum = -1, FIFloatNum = -1, FIHexNum = -1, FIDirective = -1, FISymbol = -1,
          FIIdentifier = -1;
  bool UseSymbols = false, UseLineDirectives = false, UseComments = false, UseSingleLineComments = false,
       UseMultiLineComments = false, UseFullLineComments = false, UseStrings = false, UseSingleLineStrings = false,
       UseMultiLineStrings = false, UseNumbers = false, UsePrefixedNumbers = false, UseSuffixedNumbers = false,
       UseMultipleNumSuffixes = false, UsePrefixedSuffixedNumbers = false, UsePSNumComposition = false,
       UseIdentifiers = false, UsePrefixedIdentifiers = false, UseSuffixedIdentifiers = false,
       UsePrefixedSuffixedIdentifiers = false, UseKeywords = false;
  std::string LineDirectivePrefix;
  TSysCharSet FirstIdentChars;
  TSysCharSet OtherIdentChars;
};

// One language of the tree: entered from its parent at one of its BlockDelimiters.
class TSyntaxBlock : public TCollectionItem, public TBlockSettings {
  Z_CLASS(TSyntaxBlock, TCollectionItem)
public:
  explicit TSyntaxBlock(TCollection* ACollection);
  ~TSyntaxBlock() override;
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;
  void ClearKeywordsHash() {}  // the scheme parser's tables are built elsewhere
  using TBlockSettings::ID;    // the block's number, not the collection item's

  TDelimitersList* BlockDelimiters;
  TLineTokenList* SingleLineCommentDelimiters;
  TBlockTokenList* MultiLineCommentDelimiters;
  TLineTokenList* FullLineCommentDelimiters;
  TBlockTokenList* SingleLineStringDelimiters;
  TBlockTokenList* MultiLineStringDelimiters;
  TLineTokenList* NumPrefixes;
  TLineTokenList* NumSuffixes;
  TBlockTokenList* NumPrefixesSuffixes;
  TLineTokenList* IdentPrefixes;
  TLineTokenList* IdentSuffixes;
  TBlockTokenList* IdentPrefixesSuffixes;
  TKeywordSetList* KeywordSets;

  // Each list setter copies the given list.
  void SetBlockDelimiters(TDelimitersList* Value) { BlockDelimiters->Assign(Value); }
  void SetSingleLineCommentDelimiters(TLineTokenList* Value) { SingleLineCommentDelimiters->Assign(Value); }
  void SetMultiLineCommentDelimiters(TBlockTokenList* Value) { MultiLineCommentDelimiters->Assign(Value); }
  void SetFullLineCommentDelimiters(TLineTokenList* Value) { FullLineCommentDelimiters->Assign(Value); }
  void SetSingleLineStringDelimiters(TBlockTokenList* Value) { SingleLineStringDelimiters->Assign(Value); }
  void SetMultiLineStringDelimiters(TBlockTokenList* Value) { MultiLineStringDelimiters->Assign(Value); }
  void SetNumPrefixes(TLineTokenList* Value) { NumPrefixes->Assign(Value); }
  void SetNumSuffixes(TLineTokenList* Value) { NumSuffixes->Assign(Value); }
  void SetNumPrefixesSuffixes(TBlockTokenList* Value) { NumPrefixesSuffixes->Assign(Value); }
  void SetIdentPrefixes(TLineTokenList* Value) { IdentPrefixes->Assign(Value); }
  void SetIdentSuffixes(TLineTokenList* Value) { IdentSuffixes->Assign(Value); }
  void SetIdentPrefixesSuffixes(TBlockTokenList* Value) { IdentPrefixesSuffixes->Assign(Value); }
  void SetKeywordSets(TKeywordSetList* Value) { KeywordSets->Assign(Value); }

  // The switches that decide what is stored.
  bool IsMetaStored() const { return UseMetaSymbol; }
  bool IsLineDirectives() const { return UseLineDirectives; }
  bool IsSingleLineComments() const { return UseSingleLineComments; }
  bool IsMultiLineComments() const { return UseMultiLineComments; }
  bool IsFullLineComments() const { return UseFullLineComments; }
  bool IsSingleLineStrings() const { return UseSingleLineStrings; }
  bool IsMultiLineStrings() const { return UseMultiLineStrings; }
  bool IsPrefixedNumbers() const { return UsePrefixedNumbers; }
  bool IsSuffixedNumbers() const { return UseSuffixedNumbers; }
  bool IsPrefixedSuffixedNumbers() const { return UsePrefixedSuffixedNumbers; }
  bool IsPrefixedIdentifiers() const { return UsePrefixedIdentifiers; }
  bool IsSuffixedIdentifiers() const { return UseSuffixedIdentifiers; }
  bool IsPrefixedSuffixedIdentifiers() const { return UsePrefixedSuffixedIdentifiers; }
  bool IsKeywords() const { return UseKeywords; }

  // The attribute numbers the block refers to: its seven own and every item's of its twelve token lists.
  std::vector<Integer> ReferredFontIDs() const;
  static const TSysCharSet& DefaultFirstIdentChars();
  static const TSysCharSet& DefaultOtherIdentChars();

  TBlockTables Tables;  // working data, rebuilt by TSyntaxScheme::InitScheme

private:
  std::vector<TCollection*> Lists() const;
};

// One nesting path from the innermost block out to the root; frees the rest of its chain.
class TBlockInfo : public TObject {
  Z_CLASS(TBlockInfo, TObject)
public:
  TBlockInfo(Integer ABlockIndex, Integer ADelimiterIndex, TBlockInfo* ANext)
      : BlockIndex(ABlockIndex), DelimiterIndex(ADelimiterIndex), Next(ANext) {}
  ~TBlockInfo() override { delete Next; }
  TBlockInfo(const TBlockInfo&) = delete;
  TBlockInfo& operator=(const TBlockInfo&) = delete;
  Integer BlockIndex;
  Integer DelimiterIndex;
  TBlockInfo* Next;
};

// ---- the scheme ----

class TSyntaxScheme : public TPersistent {
  Z_CLASS(TSyntaxScheme, TPersistent)
public:
  TSyntaxScheme();
  ~TSyntaxScheme() override;
  static void Publish(TMetaClass& Meta);

  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;
  // Binary stream of a holder component whose property P is the scheme; the text form when that fails.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  void LoadFromFile(const std::string& FileName);  // the text form only
  void SaveToFile(const std::string& FileName);    // the text form
  void LoadFromResource(const std::string& Name);
  void ClearContents();
  void SchemeChanged();
  Integer GetUniqueBlockID() const;  // 0 when all 256 are taken
  void InitBlockStackList();
  void ClearBlockStackList();
  virtual void UpdateSchemeVersion();
  // Upgrades the scheme, resets the block-stack list, builds every block's working tables and the set of free
  // punctuation, then tells the owning parser (OnParserChanged).
  virtual void InitScheme();
  // Fills the attribute table from the font table, the owning parser's default attribute and the global options.
  void CreateAttrIDHash();

  TSyntaxBlockList* SyntaxBlocks() const { return FSyntaxBlocks.get(); }
  void SetSyntaxBlocks(TSyntaxBlockList* Value) { FSyntaxBlocks->Assign(Value); }
  TFontList* FontTable() const { return FFontTable.get(); }
  void SetAttrTable(TFontList* Value) { FFontTable->Assign(Value); }
  Integer SyntaxVersion() const { return FSyntaxVersion; }
  void SetSyntaxVersion(Integer Value) { FSyntaxVersion = Value; }
  TAttrItem* WhitespaceAttr() const { return FWhitespace.get(); }
  TAttrItem* UrlAttr() const { return FUrl.get(); }
  const std::vector<std::unique_ptr<TBlockInfo>>& BlockStackList() const { return FBlockStacks; }
  std::vector<std::unique_ptr<TBlockInfo>>& BlockStacks() { return FBlockStacks; }
  // Punctuation ("!".."/", ":".."@", "[".."^", "`", "{"..127) that no block uses in a delimiter or identifier.
  const std::bitset<256>& FreeSymbols() const { return FFreeSymbols; }
  // The attribute of each number (null where none); entry 12 is the "Url" attribute unless the table has one.
  const std::array<TAttrItem*, 256>& AttrTable() const { return FAttrTable; }

  std::string Name;
  bool UseGlobalOptions = false;
  TPersistent* Parser = nullptr;       // the owning scheme parser, when there is one
  std::function<void()> OnParserInit;  // its InitParser
  std::function<void()> OnParserChanged;  // its ParserChanged

private:
  void ReadSyVer(TReader* Reader);
  void WriteSyVer(TWriter* Writer);
  void ReadFrom(TStream* Stream, bool Text);

  std::unique_ptr<TSyntaxBlockList> FSyntaxBlocks;
  std::unique_ptr<TFontList> FFontTable;
  std::unique_ptr<TAttrItem> FWhitespace;
  std::unique_ptr<TAttrItem> FUrl;
  void BuildTables();

  std::vector<std::unique_ptr<TBlockInfo>> FBlockStacks;
  Integer FSyntaxVersion = 1;
  std::bitset<256> FFreeSymbols;
  std::array<TAttrItem*, 256> FAttrTable{};
};

// Lower case as the scheme compares text that ignores case: ASCII and the letters of code page 1252.
const std::array<unsigned char, 256>& SchemeLowerTable();
inline char SchemeLower(char C) { return static_cast<char>(SchemeLowerTable()[static_cast<unsigned char>(C)]); }

// Character sets as text: runs written "first-last", "\" before a "\" or "-" that starts a run.
std::string CharSetToString(const TSysCharSet& Set);
// "\" takes the next character literally; "-" adds the range from the last added character to the next one. A
// "\" or "-" with nothing after it, and a "-" with nothing added before it, are taken literally.
TSysCharSet StringToCharSet(const std::string& Text);

}  // namespace Dcsyntax
