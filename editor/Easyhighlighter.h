// The rules-driven highlighter: the rules language (states, tokens, delimiters and four-field rules), the
// compiled rule buckets per state and first character, the lexer of one token, and a token-stream reader.
#pragma once

#include "editor/Easyattributes.h"
#include "editor/Easyparser.h"
#include "editor/Easyregexpr.h"
#include "platform/classes/StringList.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// What a rule yields: the token (its index is the style code) and the state after it.
struct TEasyRule {
  int NextState = 0;
  int Token = 0;
};

// A compiled pattern of a rule.
class TEasyParserRegExpr : public TEasyRegExpr {
public:
  TEasyParserRegExpr(const std::string& Pattern, bool ACaseSensitive, const TEasyRule& ARule)
      : TEasyRegExpr(Pattern, ACaseSensitive), Rule(ARule) {}
  TEasyRule Rule;
};

class TEasyParserState;

// The rules of one state whose text begins with one character: literal words kept sorted (compared as the
// state's case sensitivity says), then the patterns that may begin with that character.
class TEasyParserRule {
public:
  explicit TEasyParserRule(TEasyParserState* AState) : State(AState) {}
  TEasyParserRule(const TEasyParserRule&) = delete;
  TEasyParserRule& operator=(const TEasyParserRule&) = delete;

  struct TWord {
    std::string Text;
    TEasyRule Rule;
  };

  // Adds a word or replaces the rule of the same word.
  void AddWord(const std::string& Word, const TEasyRule& Rule);
  // The word at the start of Text (Available characters) whose first word is the Run characters from
  // there; with multi-word entries the longest entry that ends at a word boundary wins.
  bool FindWord(const char* Text, int Available, int Run, TEasyRule& Rule, int& Length) const;

  TEasyParserState* State;
  std::vector<TWord> Words;
  bool HasSpaces = false;  // some word holds a blank
  int LongestWord = 0;     // the length of the longest word
  std::vector<TEasyParserRegExpr*> Patterns;  // in the order added; owned by the state

private:
  // Compares Word with Length characters of Text: the first differing (folded) bytes, else the lengths.
  int Compare(std::string_view Word, const char* Text, int Length) const;
};

// One compiled state: 256 buckets created on demand, its patterns (owned) and its end-of-line rules.
class TEasyParserState {
public:
  TEasyParserState(TCustomEasyParser* AOwner, bool ACaseSensitive) : Owner(AOwner), CaseSensitive(ACaseSensitive) {}
  TEasyParserState(const TEasyParserState&) = delete;
  TEasyParserState& operator=(const TEasyParserState&) = delete;

  // Files a literal word ('quoted') or a pattern; raises EEasyRegExprError for a bad pattern.
  void AddRule(int NextState, int Token, const std::string& Expression);
  TEasyParserRule* Bucket(Byte C) const { return Buckets[C].get(); }

  TCustomEasyParser* Owner;
  bool CaseSensitive;
  std::array<std::unique_ptr<TEasyParserRule>, 256> Buckets;
  std::vector<std::unique_ptr<TEasyParserRegExpr>> Patterns;
  std::vector<TEasyParserRegExpr*> EolRules;

private:
  TEasyParserRule* NeedBucket(Byte C);
};

// Line kinds of the rules text.
enum TEasyRuleLineKind { rlState = 0, rlToken = 1, rlRule = 2, rlDelimiters = 3, rlNone = 4 };

// A highlighter compiled from its Rules text. Token i is style code i; lexing starts in state 0.
class TEasyParser : public TCustomEasyParser {
  Z_CLASS(TEasyParser, TCustomEasyParser)
public:
  explicit TEasyParser(TComponent* AOwner);
  ~TEasyParser() override;

  // The rules text; any change recompiles. A pattern error found while compiling after a change of the
  // list itself is kept in RulesError (the lines before it stay in force); SetRules and LoadRulesFromFile
  // raise it as EEasyRegExprError once the list is whole again.
  TStringList* Rules() const { return FRules.get(); }
  void SetRules(TStrings* Value);
  void LoadRulesFromFile(const std::string& FileName);  // also raises the file's open error
  const std::string& RulesError() const { return FRulesError; }

  // Rebuilds states, tokens and compiled states from the rules text. A pattern error raises out of it
  // after the lines before it have been compiled.
  void ParseRules();
  TEasyRuleLineKind ParseRule(const std::string& Line, int& State, int& NextState, int& Token, std::string& Text,
                              bool& CaseSensitive);
  int AddState(const std::string& Name, bool CaseSensitive);
  int AddToken(const std::string& Name);
  void AddRule(int State, int NextState, int Token, const std::string& Expression);
  // The compiled state of that index, null when there is none.
  TEasyParserState* GetParserState(int Index) const;

  int ParseString(int& State, const std::string& Line, int& Pos) override;
  bool TellsTokenReach() const override { return true; }
  // The same over a character buffer of Length characters.
  int ParseBuffer(int& State, const char* Line, int Length, int& Pos);

  int GetStyleCount() override { return TokenCount(); }
  int GetStyleByName(const std::string& Name) override;
  Integer GetColor(int Style) override;
  Integer GetDefaultColor() override;

  int StateCount() const { return static_cast<int>(FStateNames.size()); }
  int TokenCount() const { return static_cast<int>(FTokenNames.size()); }
  const std::string& StateName(int I) const { return FStateNames[I]; }
  const std::string& TokenName(int I) const { return FTokenNames[I]; }
  int IndexOfState(const std::string& Name) const;
  int IndexOfToken(const std::string& Name) const;
  int CompiledStateCount() const { return static_cast<int>(FStates.size()); }

protected:
  // Runs on every change of the rules: compiles them and tells the attached sources.
  virtual void RulesChanged();
  // Compiles the rules, keeping a pattern error in RulesError instead of raising it.
  void CompileRules();

private:
  void RaiseRulesError() const;
  std::unique_ptr<TStringList> FRules;
  std::string FRulesError;
  std::vector<std::string> FStateNames;
  std::vector<bool> FStateCase;
  std::vector<std::string> FTokenNames;
  std::vector<std::unique_ptr<TEasyParserState>> FStates;
};

// A highlighter that also reads a list of lines as a stream of tokens.
class TEasySourceParser : public TEasyParser {
  Z_CLASS(TEasySourceParser, TEasyParser)
public:
  using TEasyParser::TEasyParser;

  struct TEasyParserSaveState {
    int State, Token, Pos, TokenStart, LineIndex;
  };

  TStrings* Strings = nullptr;  // the lines to read; not owned
  int State = 0;
  int Token = 0;
  int Pos = 1;
  int TokenStart = 1;
  int LineIndex = 0;

  void Reset();  // raises "Strings can't be nil" without lines
  int NextToken();
  int PeekToken(std::string& Text);
  std::string TokenString() const;
  bool EndOfSource() const;
  void SaveState();
  void RestoreState();
  bool UpdateString();

private:
  std::string FLine;
  std::vector<TEasyParserSaveState> FSaved;
};

// Lexes Line from State the way an edit source does: one style code per character (-1 for no style).
// State becomes the state at the end of the line.
void EasyLexLine(TCustomEasyParser* Parser, int& State, const std::string& Line, std::vector<int>& Styles);
