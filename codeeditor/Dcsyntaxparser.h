// The scheme-driven tokenizer: colours the code editor's lines from a syntax scheme, switching between nested
// blocks at their delimiters, and tells which block and token lie at a text position.
#pragma once

#include "codeeditor/Dcsyntax.h"
#include "suitebase/Dorazori.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace Vuvudi {
class TCustomVUVudi;
}

namespace Dcsyntax {

// Token kinds (the TokenID of OnGetToken).
inline constexpr Integer skText = 0;
inline constexpr Integer skSingleLineComment = 1;
inline constexpr Integer skMultiLineComment = 2;
inline constexpr Integer skDirective = 3;
inline constexpr Integer skFullLineComment = 4;
inline constexpr Integer skSingleLineString = 5;
inline constexpr Integer skMultiLineString = 6;
inline constexpr Integer skInteger = 7;
inline constexpr Integer skFloat = 8;
inline constexpr Integer skHexNumber = 9;
inline constexpr Integer skIdentifier = 10;
inline constexpr Integer skKeyword = 11;
inline constexpr Integer skSymbol = 12;

// Scan states carried from line to line in bits 8-15 of the state word.
inline constexpr Integer ssNormal = 0;
inline constexpr Integer ssMultiLineComment = 1;
inline constexpr Integer ssSingleLineString = 2;
inline constexpr Integer ssMultiLineString = 3;
inline constexpr Integer ssDirective = 4;

// The block-stack list holds at most this many nesting chains (the state word keeps 8 bits of the index).
inline constexpr Integer MaxBlockChains = 256;

using TGetTokenEvent = std::function<void(TObject* Sender, Integer TokenID, const std::string& TokenStr)>;

// What lies at a text position: the block, the font-table attribute, the token kind and the matched comment,
// string or keyword-set item (kinds 1, 2, 4, 5, 6 and 11).
struct TSyntaxItemInfo {
  TSyntaxBlock* Block = nullptr;
  TAttrItem* Attr = nullptr;
  Integer TokenKind = skText;
  TCollectionItem* Item = nullptr;
};

// Colours lines from its own scheme; owns the scheme and the default attribute. State word between lines: bits
// 24-31 the nesting chain, bit 23 part of block, bit 22 case sensitive, bits 16-21 the block delimiter, bits 8-15
// the scan state, bits 0-7 the matched item. Colouring never raises.
class TSyntaxParser : public Dorazori::TSimpleParser {
  Z_CLASS(TSyntaxParser, Dorazori::TSimpleParser)
public:
  explicit TSyntaxParser(TComponent* AOwner);
  ~TSyntaxParser() override;
  static void Publish(TMetaClass& Meta);

  // ---- the simple parser's slots ----
  void Loaded() override;
  TFont* GetFont(Integer Index) override;                    // entry Index, or the "Whitespace" attribute's
  bool GetBackColor(Integer Index, TColor& Color) override;  // true
  Integer ColorString(const std::string& S, Integer State, std::string& ColorData) override;
  void Dispatch(TMessage& Message) override;  // the global options' update message

  // ---- introduced, in slot order ----
  virtual bool ParseComment();
  virtual bool ParseLineDirective();
  virtual bool ParseString();
  virtual bool ParseIntNumber();
  virtual bool ParseFloatNumber();
  virtual bool ParsePSNumber();
  virtual bool ParseIdentifiers();
  virtual void InitParser();
  virtual void ParserChanged();  // rebuilds the attribute table and tells the listeners, unless updating

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  TSyntaxScheme* SyntaxScheme() const { return FScheme.get(); }
  void SetSyntaxScheme(TSyntaxScheme* Value);
  TDefAttrItem* DefaultAttr() const { return FDefaultAttr.get(); }
  void SetDefaultAttr(TDefAttrItem* Value);
  void DefaultAttrChanged(TObject* Sender);
  bool GetUseGlobalOptions() const { return FScheme->UseGlobalOptions; }
  void SetUseGlobalOptions(bool Value);
  // Selects a nesting chain: +1 enters the block of Value (bits 8-15, delimiter bits 0-7) inside the current
  // chain, -1 leaves to the enclosing chain, 0 takes Value as the chain's index. Returns the chain's index.
  Integer SetCurBlock(Integer Value, Integer Direction);
  bool CurPosIsTokenS(std::string_view Text) const;  // Text at the scan position, exactly
  bool CurPosIsTokenI(std::string_view Text) const;  // ignoring case
  void GetToken();
  Integer _GetAttrID() const;  // the attribute number of the current token

  // The state after the last ColorString (GetItemInfoAt reads them).
  TSyntaxBlock* CurBlock() const { return FCurBlock; }
  Integer CurBlockIndex() const { return FCurBlockIndex; }
  Integer TokenKind() const { return FTokenKind; }
  Integer ItemIndex() const { return FItemIndex; }
  Integer ScanState() const { return FScanState; }

  TGetTokenEvent OnGetToken;

private:
  bool IsFirstIdent(Integer Pos) const;
  bool IsOtherIdent(Integer Pos) const;
  bool MatchAt(Integer Pos, std::string_view Text, bool Case) const;
  bool MatchForward(std::string_view Text) const;              // at the scan position, whole-word rule
  bool MatchBackward(std::string_view Text, bool Case) const;  // ending at the scan position
  bool CheckClose();
  void CheckBlocks();
  Integer StateWord() const;
  void SelectBlock(const TBlockInfo* Head);
  bool FindDelim(const std::vector<TDelimEntry>& List, Integer& Item, bool StringOpeners = false);
  bool ReadIdentifier();
  bool ReadHexRun();
  bool ReadSuffixes(bool Multiple);
  bool ParsePrefixedNumber();
  void ScanBlockToken(const std::string& Closer, bool String);
  const std::string* MatchedCloser() const;

  std::unique_ptr<TSyntaxScheme> FScheme;
  std::unique_ptr<TDefAttrItem> FDefaultAttr;
  Integer FUpdateCount = 0;
  TSyntaxBlock* FCurBlock = nullptr;
  Integer FCurBlockIndex = 0;
  Integer FBlockStackIndex = 0;
  Integer FDelimIndex = 0;
  Integer FItemIndex = 0;
  Integer FScanState = ssNormal;
  Integer FTokenKind = skText;
  bool FPartOfBlock = false;
  bool FCaseSensitive = false;
  bool FLineDirAllowed = true;
  bool FLineDirFound = false;
  bool FFullLineAllowed = true;
  bool FPendingReset = false;
  bool FPrefixWithoutIdent = false;
  const char* FLine = nullptr;
  Integer FLen = 0;
  Integer FPos = 0;
  std::string FTokenText;
};

// Nothing is filled unless the memo's source has a TSyntaxParser and the point's line exists; X is a display
// column.
TSyntaxItemInfo GetItemInfoAt(Vuvudi::TCustomVUVudi* Memo, const TPoint& P);
TSyntaxBlock* GetSyntaxBlockAt(Vuvudi::TCustomVUVudi* Memo, const TPoint& P);
TSyntaxBlock* GetSyntaxBlockAtCursor(Vuvudi::TCustomVUVudi* Memo);

}  // namespace Dcsyntax
