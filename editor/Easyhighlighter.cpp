// The rules compiler, the per-state rule buckets, the one-token lexer and the token-stream reader.
#include "editor/Easyhighlighter.h"

#include "editor/Easyconsts.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

Byte FoldAscii(Byte C) { return C >= 'a' && C <= 'z' ? static_cast<Byte>(C - 32) : C; }

// Orders words as the buckets compare them: bytes, with a to z folded when not case-sensitive.
bool WordLess(const std::string& A, const std::string& B, bool CaseSensitive) {
  const std::size_t N = std::min(A.size(), B.size());
  for (std::size_t I = 0; I < N; ++I) {
    Byte X = static_cast<Byte>(A[I]);
    Byte Y = static_cast<Byte>(B[I]);
    if (!CaseSensitive) {
      X = FoldAscii(X);
      Y = FoldAscii(Y);
    }
    if (X != Y) {
      return X < Y;
    }
  }
  return A.size() < B.size();
}

// ValueSet as a plain table: the lexer asks for every character.
const std::array<bool, 256>& ValueTable() {
  static const std::array<bool, 256> Table = [] {
    std::array<bool, 256> T{};
    for (int C = 0; C < 256; ++C) {
      T[C] = ValueSet[C];
    }
    return T;
  }();
  return Table;
}

bool IsValueChar(char C) { return ValueTable()[static_cast<Byte>(C)]; }

}  // namespace

// ---- Buckets ----------------------------------------------------------------------------------------------------

int TEasyParserRule::Compare(std::string_view Word, const char* Text, int Length) const {
  const int N = std::min(static_cast<int>(Word.size()), Length);
  for (int I = 0; I < N; ++I) {
    Byte X = static_cast<Byte>(Word[I]);
    Byte Y = static_cast<Byte>(Text[I]);
    if (!State->CaseSensitive) {
      X = FoldAscii(X);
      Y = FoldAscii(Y);
    }
    if (X != Y) {
      return static_cast<int>(X) - static_cast<int>(Y);
    }
  }
  return static_cast<int>(Word.size()) - Length;
}

void TEasyParserRule::AddWord(const std::string& Word, const TEasyRule& Rule) {
  const bool CS = State->CaseSensitive;
  auto It = std::lower_bound(Words.begin(), Words.end(), Word,
                             [CS](const TWord& W, const std::string& Key) { return WordLess(W.Text, Key, CS); });
  if (It != Words.end() && Compare(It->Text, Word.data(), static_cast<int>(Word.size())) == 0) {
    It->Rule = Rule;
    return;
  }
  Words.insert(It, TWord{Word, Rule});
  LongestWord = std::max(LongestWord, static_cast<int>(Word.size()));
  if (Word.find(' ') != std::string::npos) {
    HasSpaces = true;
  }
}

bool TEasyParserRule::FindWord(const char* Text, int Available, int Run, TEasyRule& Rule, int& Length) const {
  // The first word not below the run.
  int Low = 0;
  int High = static_cast<int>(Words.size());
  while (Low < High) {
    const int Mid = (Low + High) / 2;
    if (Compare(Words[Mid].Text, Text, Run) < 0) {
      Low = Mid + 1;
    } else {
      High = Mid;
    }
  }
  if (!HasSpaces) {
    if (Low < static_cast<int>(Words.size()) && Compare(Words[Low].Text, Text, Run) == 0) {
      Rule = Words[Low].Rule;
      Length = Run;
      return true;
    }
    return false;
  }
  // Entries that begin with the run: the longest one that the text holds up to a word boundary wins.
  bool Found = false;
  for (int I = Low; I < static_cast<int>(Words.size()); ++I) {
    const std::string& W = Words[I].Text;
    const int L = static_cast<int>(W.size());
    if (L < Run || Compare(std::string_view(W).substr(0, Run), Text, Run) != 0) {
      break;
    }
    if (L <= Available && Compare(W, Text, L) == 0 && (L == Available || !IsValueChar(Text[L])) &&
        (!Found || L > Length)) {
      Rule = Words[I].Rule;
      Length = L;
      Found = true;
    }
  }
  return Found;
}

TEasyParserRule* TEasyParserState::NeedBucket(Byte C) {
  if (!Buckets[C]) {
    Buckets[C] = std::make_unique<TEasyParserRule>(this);
  }
  return Buckets[C].get();
}

void TEasyParserState::AddRule(int NextState, int Token, const std::string& Expression) {
  const TEasyRule Rule{NextState, Token};
  const std::size_t N = Expression.size();
  if (N >= 2 && Expression.front() == '\'' && Expression.back() == '\'') {
    const std::string Word = Expression.substr(1, N - 2);
    if (Word.empty()) {
      return;
    }
    const Byte First = static_cast<Byte>(Word[0]);
    NeedBucket(CaseSensitive ? First : EasyUpperTable()[First])->AddWord(Word, Rule);
    return;
  }
  auto Owned = std::make_unique<TEasyParserRegExpr>(Expression, CaseSensitive, Rule);
  TEasyParserRegExpr* P = Owned.get();
  Patterns.push_back(std::move(Owned));
  if (Expression == "$") {
    EolRules.push_back(P);
    return;
  }
  const TEasyRegElement* E = P->GetFirstState();
  if (!E) {
    return;  // nothing to file it under: it never applies
  }
  auto FileAll = [&](bool AtFront) {
    for (int C = 0; C < 256; ++C) {
      auto& List = NeedBucket(static_cast<Byte>(C))->Patterns;
      if (AtFront) {
        List.insert(List.begin(), P);
      } else {
        List.push_back(P);
      }
    }
  };
  if (E->Negated) {
    FileAll(true);  // tried last, wherever the text goes
    return;
  }
  switch (E->Kind) {
    case rkChar:
    case rkEscape:
      NeedBucket(E->Char)->Patterns.push_back(P);
      break;
    case rkAny:
      FileAll(false);
      break;
    case rkSet:
      for (int C = 0; C < 256; ++C) {
        if (E->CharSet.test(C) != E->SetNegated) {
          NeedBucket(static_cast<Byte>(C))->Patterns.push_back(P);
        }
      }
      break;
    default:
      break;
  }
}

// ---- The parser -------------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS(TEasyParser, TCustomEasyParser)

TEasyParser::TEasyParser(TComponent* AOwner) : TCustomEasyParser(AOwner), FRules(std::make_unique<TStringList>()) {
  FRules->SetOnChange([this](TObject*) { RulesChanged(); });
}

TEasyParser::~TEasyParser() { FRules->SetOnChange(nullptr); }

void TEasyParser::RaiseRulesError() const {
  if (!FRulesError.empty()) {
    throw EEasyRegExprError(FRulesError);
  }
}

void TEasyParser::SetRules(TStrings* Value) {
  FRules->Assign(Value);
  RaiseRulesError();
}

void TEasyParser::LoadRulesFromFile(const std::string& FileName) {
  FRules->LoadFromFile(FileName);
  RaiseRulesError();
}

void TEasyParser::CompileRules() {
  FRulesError.clear();
  try {
    ParseRules();
  } catch (const EEasyRegExprError& E) {
    FRulesError = E.Message();
  }
}

void TEasyParser::RulesChanged() {
  CompileRules();
  Changed();
}

void TEasyParser::ParseRules() {
  FStateNames.clear();
  FStateCase.clear();
  FTokenNames.clear();
  FStates.clear();
  SafeSetDelimiters(std::string());
  for (int I = 0; I < FRules->Count(); ++I) {
    int State = -1;
    int NextState = -1;
    int Token = -1;
    std::string Text;
    bool CaseSensitive = false;
    switch (ParseRule(FRules->Strings(I), State, NextState, Token, Text, CaseSensitive)) {
      case rlState:
        AddState(Text, CaseSensitive);
        break;
      case rlToken:
        AddToken(Text);
        break;
      case rlDelimiters:
        SafeSetDelimiters(Text);
        break;
      case rlRule:
        AddRule(State, NextState, Token, Text);
        break;
      case rlNone:
        break;
    }
  }
}

TEasyRuleLineKind TEasyParser::ParseRule(const std::string& Line, int& State, int& NextState, int& Token,
                                         std::string& Text, bool& CaseSensitive) {
  if (Line.size() >= 2 && Line[0] == '/' && Line[1] == '/') {
    return rlNone;
  }
  const std::size_t Eq = Line.find('=');
  if (Eq != std::string::npos) {
    const std::string Key = Trim(std::string_view(Line).substr(0, Eq));
    const std::string Value = Trim(std::string_view(Line).substr(Eq + 1));
    if (SameText(Key, "State")) {
      const std::size_t Comma = Value.find(',');
      CaseSensitive = false;
      if (Comma != std::string::npos) {
        CaseSensitive = SameText(Trim(std::string_view(Value).substr(Comma + 1)), EasyConsts::sCaseSensitive);
        Text = Trim(std::string_view(Value).substr(0, Comma));
      } else {
        Text = Value;
      }
      return rlState;
    }
    if (SameText(Key, "Token")) {
      Text = Value;
      return rlToken;
    }
    if (SameText(Key, "Delimiters")) {
      Text = Value;
      return rlDelimiters;
    }
  }
  // A rule: state, expression, next state, token.
  std::string Rest = Trim(Line);
  std::string Fields[4];
  for (std::string& Field : Fields) {
    std::size_t End = 0;
    if (!Rest.empty() && Rest[0] == '\'') {
      const std::size_t Close = Rest.find('\'', 1);
      End = Close == std::string::npos ? Rest.size() : Close + 1;
    } else {
      End = Rest.find(' ');
      if (End == std::string::npos) {
        End = Rest.size();
      }
    }
    Field = Trim(std::string_view(Rest).substr(0, End));
    Rest = Trim(std::string_view(Rest).substr(End));
  }
  State = IndexOfState(Fields[0]);
  Text = Fields[1];
  NextState = IndexOfState(Fields[2]);
  Token = IndexOfToken(Fields[3]);
  if (State < 0 || NextState < 0 || Token < 0 || Text.empty()) {
    return rlNone;
  }
  return rlRule;
}

int TEasyParser::IndexOfState(const std::string& Name) const {
  for (int I = 0; I < StateCount(); ++I) {
    if (SameText(FStateNames[I], Name)) {
      return I;
    }
  }
  return -1;
}

int TEasyParser::IndexOfToken(const std::string& Name) const {
  for (int I = 0; I < TokenCount(); ++I) {
    if (SameText(FTokenNames[I], Name)) {
      return I;
    }
  }
  return -1;
}

int TEasyParser::AddState(const std::string& Name, bool CaseSensitive) {
  if (Name.empty()) {
    return -1;
  }
  const int Existing = IndexOfState(Name);
  if (Existing >= 0) {
    return Existing;  // a second declaration changes nothing
  }
  FStateNames.push_back(Name);
  FStateCase.push_back(CaseSensitive);
  return StateCount() - 1;
}

int TEasyParser::AddToken(const std::string& Name) {
  if (Name.empty()) {
    return -1;
  }
  const int Existing = IndexOfToken(Name);
  if (Existing >= 0) {
    return Existing;
  }
  FTokenNames.push_back(Name);
  return TokenCount() - 1;
}

void TEasyParser::AddRule(int State, int NextState, int Token, const std::string& Expression) {
  if (State < 0 || State >= StateCount()) {
    return;
  }
  while (CompiledStateCount() <= State) {
    FStates.push_back(std::make_unique<TEasyParserState>(this, FStateCase[CompiledStateCount()]));
  }
  FStates[State]->AddRule(NextState, Token, Expression);
}

TEasyParserState* TEasyParser::GetParserState(int Index) const {
  return Index >= 0 && Index < CompiledStateCount() ? FStates[Index].get() : nullptr;
}

int TEasyParser::ParseString(int& State, const std::string& Line, int& Pos) {
  return ParseBuffer(State, Line.data(), static_cast<int>(Line.size()), Pos);
}

int TEasyParser::ParseBuffer(int& State, const char* Line, int Length, int& Pos) {
  CurrentState = State;
  TEasyParserState* St = GetParserState(State);
  if (!St || Pos < 1 || Pos > Length) {
    TokenReach = Pos >= 1 && Pos <= Length ? Length - Pos + 2 : 1;
    Pos = Length + 1;
    return -1;
  }
  static const std::array<bool, 256>& Value = ValueTable();
  const char* Text = Line + Pos - 1;
  const int Available = Length - Pos + 1;
  const int Start = Pos;
  const Byte C = static_cast<Byte>(*Text);
  static const Byte* const Upper = EasyUpperTable().data();
  const TEasyParserRule* Bucket = St->Buckets[St->CaseSensitive ? C : Upper[C]].get();
  TEasyRule Rule;
  int Matched = 0;
  bool Hit = false;
  // How far the token's rules look: the first character picks the bucket.
  int Reach = 1;
  if (Bucket) {
    if (!Bucket->Words.empty() && Value[C]) {
      int Run = 1;
      while (Run < Available && Value[static_cast<Byte>(Text[Run])]) {
        ++Run;
      }
      Reach = std::max(Reach, Run + 1);
      Hit = Bucket->FindWord(Text, Available, Run, Rule, Matched);
      if (Bucket->HasSpaces) {
        // Entries with blanks are compared up to their length and the character after them.
        Reach = std::max(Reach, std::min(Bucket->LongestWord, Available) + 1);
      }
    }
    for (auto It = Bucket->Patterns.rbegin(); !Hit && It != Bucket->Patterns.rend(); ++It) {
      const bool Rejected = (*It)->QuickReject(reinterpret_cast<const Byte*>(Text), Available);
      Reach = std::max(Reach, std::min((*It)->PrefixLength(), Available) + 1);
      if (!Rejected) {
        Hit = (*It)->StringMatch(Text, Available, Pos == 1, Matched);
        Reach = std::max(Reach, (*It)->Reach());
        if (Hit) {
          Rule = (*It)->Rule;
        }
      }
    }
  }
  int Token = 0;
  if (Hit) {
    Token = Rule.Token;
    State = Rule.NextState;
    Pos += Matched;
  } else {
    // No rule: the run of value characters and the blanks after it are one token of the first kind.
    int I = 0;
    while (I < Available && Value[static_cast<Byte>(Text[I])]) {
      ++I;
    }
    while (I < Available && static_cast<Byte>(Text[I]) >= 1 && static_cast<Byte>(Text[I]) <= 32) {
      ++I;
    }
    Reach = std::max(Reach, I + 1);
    Pos += I > 0 ? I : 1;
  }
  // Whether the token ends the line is a look at the character after it.
  TokenReach = std::max(Reach, Pos - Start + 1);
  if (Pos > Length) {
    const TEasyParserState* Now = GetParserState(State);
    if (Now && !Now->EolRules.empty()) {
      State = Now->EolRules.back()->Rule.NextState;
      Token = Now->EolRules.back()->Rule.Token;
    }
  }
  return Token;
}

int TEasyParser::GetStyleByName(const std::string& Name) { return IndexOfToken(Name); }

Integer TEasyParser::GetColor(int) { return -1; }

Integer TEasyParser::GetDefaultColor() { return -1; }

// ---- Token stream -----------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS(TEasySourceParser, TEasyParser)

void TEasySourceParser::Reset() {
  if (!Strings) {
    throw Exception(EasyConsts::sStringsExpected);
  }
  LineIndex = 0;
  Pos = 1;
  TokenStart = 1;
  Token = 0;
  State = InitialState;
  FSaved.clear();
  FLine = Strings->Count() > 0 ? Strings->Strings(0) : std::string();
}

bool TEasySourceParser::UpdateString() {
  while (Pos > static_cast<int>(FLine.size())) {
    if (!Strings || LineIndex + 1 >= Strings->Count()) {
      LineIndex = Strings ? Strings->Count() : 0;
      Token = -1;
      return false;
    }
    ++LineIndex;
    FLine = Strings->Strings(LineIndex);
    Pos = 1;
  }
  return true;
}

int TEasySourceParser::NextToken() {
  if (Token == -1 || !UpdateString()) {
    Token = -1;
    return -1;
  }
  TokenStart = Pos;
  Token = ParseBuffer(State, FLine.data(), static_cast<int>(FLine.size()), Pos);
  return Token;
}

std::string TEasySourceParser::TokenString() const {
  const int Start = std::max(TokenStart, 1);
  const int End = std::min(Pos, static_cast<int>(FLine.size()) + 1);
  return End > Start ? FLine.substr(Start - 1, End - Start) : std::string();
}

int TEasySourceParser::PeekToken(std::string& Text) {
  SaveState();
  const int Result = NextToken();
  Text = TokenString();
  RestoreState();
  return Result;
}

bool TEasySourceParser::EndOfSource() const {
  if (Token == -1 || !Strings) {
    return true;
  }
  if (Pos <= static_cast<int>(FLine.size())) {
    return false;
  }
  for (int I = LineIndex + 1; I < Strings->Count(); ++I) {
    if (!Strings->Strings(I).empty()) {
      return false;
    }
  }
  return true;
}

void TEasySourceParser::SaveState() { FSaved.push_back(TEasyParserSaveState{State, Token, Pos, TokenStart, LineIndex}); }

void TEasySourceParser::RestoreState() {
  if (FSaved.empty()) {
    return;
  }
  const TEasyParserSaveState S = FSaved.back();
  FSaved.pop_back();
  if (S.LineIndex != LineIndex) {
    FLine = Strings && S.LineIndex < Strings->Count() ? Strings->Strings(S.LineIndex) : std::string();
  }
  State = S.State;
  Token = S.Token;
  Pos = S.Pos;
  TokenStart = S.TokenStart;
  LineIndex = S.LineIndex;
}

// ---- Lexing a whole line ----------------------------------------------------------------------------------------

void EasyLexLine(TCustomEasyParser* Parser, int& State, const std::string& Line, std::vector<int>& Styles) {
  const int Length = static_cast<int>(Line.size());
  if (!Parser) {
    Styles.assign(Line.size(), -1);
    return;
  }
  Styles.resize(Line.size());  // every character is covered by a token below
  int Pos = 1;
  while (Pos <= Length) {
    const int Start = Pos;
    const int Style = Parser->ParseString(State, Line, Pos);
    if (Pos <= Start) {
      Pos = Start + 1;
    }
    std::fill(Styles.begin() + (Start - 1), Styles.begin() + (std::min(Pos, Length + 1) - 1), Style);
  }
}
