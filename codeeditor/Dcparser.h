// The table-driven tokenizer: token codes, saved scanner positions, the dispatch-table parser that colours lines
// and the string-list parser that reads a script line by line. The language set-ups live in Dclanguages.h, the
// module parser in Dcmoduleparser.h.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/rtl/Sets.h"
#include "platform/win/WinTypes.h"
#include "suitebase/Dorazori.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Dcparser {

// Token codes; the same numbers are the editor's stored colour data.
inline constexpr Integer tokNone = -1;  // nothing read yet; from a handler: scanning goes on
inline constexpr Integer tokEof = 0;
inline constexpr Integer tokString = 1;
inline constexpr Integer tokComment = 2;
inline constexpr Integer tokIdentifier = 3;
inline constexpr Integer tokInteger = 4;
inline constexpr Integer tokFloat = 5;
inline constexpr Integer tokResWord = 6;
inline constexpr Integer tokSymbol = 7;
inline constexpr Integer tokDirective = 8;
inline constexpr Integer tokAsm = 9;
inline constexpr Integer tokHtmlTag = 10;
inline constexpr Integer tokHtmlParam = 11;
inline constexpr Integer tokLineEnd = 12;

// Scanner states the languages use; a state carries a multi-line construct from one line to the next.
inline constexpr Integer psNormal = 0;
inline constexpr Integer psBraceComment = 1;  // Pascal "{"
inline constexpr Integer psBlockComment = 2;  // "(*", "/*", HTML "<!--"
inline constexpr Integer psHtmlTag = 3;
inline constexpr Integer psAsm = 4;
inline constexpr Integer psAsmBraceComment = 5;
inline constexpr Integer psAsmLineComment = 6;
inline constexpr Integer psAsmBlockComment = 7;
inline constexpr Integer psPythonString = 8;   // '''
inline constexpr Integer psPythonCString = 9;  // """
inline constexpr Integer psDirective = 10;     // a continued preprocessor line
inline constexpr Integer psHereDocument = 11;  // Perl

inline constexpr const char* STokenListEmpty = "Token list is empty";
inline constexpr const char* SStateInFuture = "State is in future";
inline constexpr const char* SStringsNotSpecified = "Strings are not specified";
inline constexpr const char* SErrorPosition = " at Line:%d, Char:%d. ";
inline constexpr const char* SCharExpected = "'%s' expected";
inline constexpr const char* SSymbolExpected = "%s expected";

class TCustomDCParser;
// A handler: scans from the current character and returns a token code, or tokNone to go on scanning.
using TParseProc = Integer (TCustomDCParser::*)();
using TParseTable = std::array<TParseProc, 256>;
using TGetColorDataEvent =
    std::function<void(TObject* Sender, Integer Token, const std::string& TokenStr, std::string& ColorData)>;

// One saved scanner position on the parser's state stack.
class TTokenData : public TCollectionItem {
  Z_CLASS(TTokenData, TCollectionItem)
public:
  explicit TTokenData(TCollection* ACollection) : TCollectionItem(ACollection) {}
  // Called when the item is popped, before the position is restored.
  virtual void ProcessSinglePop(TCustomDCParser* Parser);

  Integer Token = tokNone;
  Integer State = psNormal;
  Integer LinePos = 0;
  NativeInt CharPos = 0;
  NativeInt TokenCharPos = 0;
  Cardinal SkipMask = 0;
  Integer IfDefLevel = -1;
  Integer ResWordId = -1;
  const char* LinePtr = nullptr;
  bool Soft = false;
};

// The tokenizer: per scanner state a table of 256 handlers indexed by the byte at the scan position. It scans a
// zero-terminated buffer, and colours a line (ColorString) for the editor. One thread uses a parser at a time.
class TCustomDCParser : public Dorazori::TSimpleParser {
  Z_CLASS(TCustomDCParser, Dorazori::TSimpleParser)
public:
  explicit TCustomDCParser(TComponent* AOwner);
  ~TCustomDCParser() override;
  static void Publish(TMetaClass& Meta);

  // ---- virtual operations ----
  virtual std::string GetErrorDesc();
  virtual void DoGetColorData(Integer Token, const std::string& TokenStr, std::string& ColorData);
  virtual void SetLinePos(Integer Value) { FLinePos = Value; }
  virtual void InitCommon();
  virtual void UpdateLinePtr() {}
  virtual void TokenDataToState(TTokenData* Item);
  virtual void StateToTokenData(TTokenData* Item);
  virtual TCollectionItemClass GetTokenDataClass();
  virtual void UpdateSettings();
  virtual Integer ParseComment();  // the Pascal "{" comment
  virtual TPoint GetErrorPoint();
  virtual std::string TokenString();
  virtual Integer NextToken();
  Integer ColorString(const std::string& S, Integer State, std::string& ColorData) override;
  void Loaded() override;

  // ---- scanning ----
  Integer SimpleNextToken();
  Integer NextValidToken();  // skips comments
  std::string NextTokenStr();
  std::string NextValidTokenStr();
  Integer SkipTokens(Integer Count);
  bool SkipToResWord(Integer Id);
  bool SkipToChar(char C);
  Integer PeekToken();
  std::string PeekTokenStr();
  std::string PeekValidTokenStr();
  bool IsPeekTokenResWord(Integer Id);
  bool IsPeekTokenChar(char C);
  bool ParserEOF() const { return FToken == tokEof; }
  bool IsTokenResWord(Integer Id) const { return FToken == tokResWord && FResWordId == Id; }
  bool IsTokenChar(char C) const { return FToken == tokSymbol && *FTokenPtr == C; }
  bool IsNextTokenChar(char C);
  bool IsNextTokenResWord(Integer Id);
  void CheckChar(char C);
  void CheckNextChar(char C);
  void CheckResWord(Integer Id);
  void CheckNextResWord(Integer Id);
  // The text of the current token without a copy (TokenString may decode it).
  std::string_view TokenView() const { return {FTokenPtr, static_cast<std::size_t>(FCurPtr - FTokenPtr)}; }

  // ---- reserved words ----
  bool FindResWord(std::string_view Text);  // sets ResWordId when found
  void SetCaseSensitive(bool Value);
  bool CaseSensitive() const { return FCaseSensitive; }
  TStrings* ResWords() const { return FResWords; }
  void SetResWords(TStrings* Value) { FResWords->Assign(Value); }
  TStringList* WordList() const { return FWordList; }  // sorted; a word's id is its index
  Integer ResWordId() const { return FResWordId; }
  Integer WordId(std::string_view Word);  // -1 when not a reserved word

  // ---- positions ----
  void SetLinePtr(const char* P);
  NativeInt GetCharPos() const { return FCurPtr - FLinePtr; }
  void SetCharPos(NativeInt Value) { FCurPtr = FLinePtr + Value; }
  NativeInt GetTokenCharPos() const { return FTokenPtr - FLinePtr; }
  void SetTokenCharPos(NativeInt Value) { FTokenPtr = FLinePtr + Value; }
  Integer LinePos() const { return FLinePos; }
  Integer Token() const { return FToken; }
  Integer State() const { return FState; }
  void SetState(Integer Value) { FState = Value; }
  const char* CurPtr() const { return FCurPtr; }
  const char* TokenPtr() const { return FTokenPtr; }
  const char* LinePtr() const { return FLinePtr; }
  bool Unterminated() const { return FUnterminated; }

  // ---- state stack ----
  Integer PushState();
  Integer SoftPushState();
  Integer PopState();  // unwinds soft items above the hard one; returns the restored token code
  bool SoftPopState();
  bool SinglePop();  // returns the popped item's soft flag
  Integer GetInternalState() const { return FStateStack->Count() - 1; }
  void SetInternalState(Integer Index);

  // ---- tables ----
  void RegisterProc(std::initializer_list<Integer> States, const TSysCharSet& Chars, TParseProc Proc);
  void RegisterNormalProc(const TSysCharSet& Chars, TParseProc Proc) { RegisterProc({psNormal}, Chars, Proc); }
  void CheckEnoughStates(Integer Count);
  void ClearParserStates();
  void InitEolState(Integer State);
  Integer StateCount() const { return static_cast<Integer>(FTables.size()); }

  // ---- shared handlers and scanning routines ----
  bool SkipToCharOrEol(char C);
  void SkipDigits();
  void SkipHexDigits();
  Integer ParseWhiteChar();
  Integer ParseEol(char Other);
  Integer Parse1013Eol();
  Integer Parse1310Eol();
  Integer RestIsComment();
  Integer ParseIdentifier();
  Integer ParseIdentifierEx(const TSysCharSet& Chars);
  Integer ParseNumConst();
  Integer ParseHexConst();

  // ---- language handlers and set-ups (Dclanguages.cpp, Dcparserhandlers.cpp) ----
  Integer ParseUniStrConst(char Quote);
  Integer ParseStrConst();
  Integer ParseVBStrConst();
  Integer ParseCharConst();
  Integer ParseCStrConst();
  Integer ParseComplexComment();
  Integer ParseComplexCommentEnd();
  Integer ParseUniComplexCommentEnd(char C);
  Integer ParseJscrComment();
  Integer ParseJScrCommentEnd();
  Integer ParseCComment();
  Integer ParseDelphiIdentifier();
  Integer ParseVBIdentifier();
  Integer ParseVBHexConst();
  Integer ParseJHexConst();
  Integer ParseCNumConst();
  Integer ParseCHexConst();
  void ParseCSuffixes();
  Integer ParseDefines();
  Integer ParseAsm();
  bool NextWordIsEnd() const;
  Integer ParseAsmCComment();
  Integer ParseAsmComment();
  Integer ParseAsmComplexComment();
  Integer ParseAsmComplexCommentEnd();
  void InitDelphiSyntax();
  void InitDFMSyntax();
  void InitVBSyntax();
  void InitJSSyntax();
  void InitJScrSyntax();
  void InitCSyntax();
  void InitCppSyntax();

  // ---- errors ----
  // Raises Exception with Format(Msg, Args), then the position and GetErrorDesc as they are.
  [[noreturn]] void ErrorFmt(std::string_view Msg, TVarRecList Args);
  [[noreturn]] void Error(std::string_view Msg);

  const TGetColorDataEvent& OnGetColorData() const { return FOnGetColorData; }
  void SetOnGetColorData(TGetColorDataEvent Value) { FOnGetColorData = std::move(Value); }
  const std::string& Version() const { return FVersion; }
  void SetVersion(const std::string& Value) { (void)Value; }  // a design-time label; it never changes

protected:
  void OnChange(TObject* Sender);
  void Advance() { ++FCurPtr; }
  char Cur() const { return *FCurPtr; }
  char PeekAt(NativeInt Offset) const;  // the character Offset ahead, never past the terminating zero
  bool AtLineEnd() const;               // a byte below 32 other than tab

  Integer FSpecialResWordId = -1;
  Cardinal FSkipMask = 0;
  Integer FIfDefLevel = -1;
  Integer FState = psNormal;
  Integer FLinePos = 0;
  Integer FToken = tokNone;
  Integer FResWordId = -1;
  bool FUnterminated = false;
  bool FCaseSensitive = false;
  bool FTextHasLineEnds = true;  // line-end characters start a new line (false where lines come one by one)
  const char* FTokenPtr;
  const char* FCurPtr;
  const char* FLinePtr;
  TCollection* FStateStack = nullptr;

private:
  struct TWordEntry {
    std::string Word;
    Integer Id;
  };
  static std::size_t WordHash(std::string_view Word);

  TGetColorDataEvent FOnGetColorData;
  TStringList* FWordList = nullptr;
  TStringList* FResWords = nullptr;
  std::vector<std::unique_ptr<TParseTable>> FTables;
  std::array<std::vector<TWordEntry>, 256> FWordHash;
  std::string FVersion = "4.11";
};

// Reads a string list line by line; the scanner state carries over from line to line. The list is not owned.
class TStringsParser : public TCustomDCParser {
  Z_CLASS(TStringsParser, TCustomDCParser)
public:
  explicit TStringsParser(TComponent* AOwner);

  void SetStrings(TStrings* Value);  // a different list resets the parser
  TStrings* Strings() const { return FStrings; }
  void ResetParser();
  void ValidateStrings() const;  // raises SStringsNotSpecified without a list
  // Reads on across lines; 0 at the end of the last line (the line number is then the line count). With
  // ReportLineEnds, a line change in state 0 first gives tokLineEnd.
  Integer NextToken() override;
  void SetLinePos(Integer Value) override;
  void UpdateLinePtr() override;
  void TokenDataToState(TTokenData* Item) override;

  bool ReportLineEnds = false;

private:
  TStrings* FStrings = nullptr;
  std::string FLine;
};

// Advances a character pointer by one.
inline void DCIncPtr(const char*& P) { ++P; }
// Converts Text with "." as the decimal separator whatever the locale says.
double GetFloatFromString(const std::string& Text);

}  // namespace Dcparser
