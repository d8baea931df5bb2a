// The tokenizer framework: dispatch tables, reserved words, the state stack, colouring and the string-list
// parser.
#include "codeeditor/Dcparser.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cstring>

namespace Dcparser {

Z_IMPLEMENT_CLASS(TTokenData, TCollectionItem)
Z_IMPLEMENT_CLASS_PUBLISHED(TCustomDCParser, Dorazori::TSimpleParser, TCustomDCParser::Publish)
Z_IMPLEMENT_CLASS(TStringsParser, TCustomDCParser)

namespace {
// The empty text every parser points at until it is given one.
const char EmptyText[1] = {'\0'};

constexpr bool IsIdentChar(unsigned char C) {
  return (C >= '0' && C <= '9') || (C >= 'A' && C <= 'Z') || C == '_' || (C >= 'a' && C <= 'z');
}
constexpr bool IsDigit(unsigned char C) { return C >= '0' && C <= '9'; }
constexpr bool IsHexDigit(unsigned char C) { return IsDigit(C) || (C >= 'A' && C <= 'F') || (C >= 'a' && C <= 'f'); }
}  // namespace

void TTokenData::ProcessSinglePop(TCustomDCParser* Parser) { (void)Parser; }

// ---- construction ----

TCustomDCParser::TCustomDCParser(TComponent* AOwner)
    : Dorazori::TSimpleParser(AOwner), FTokenPtr(EmptyText), FCurPtr(EmptyText), FLinePtr(EmptyText) {
  FStateStack = new TCollection(TTokenData::StaticClass());
  FResWords = new TStringList();
  FResWords->SetOnChange([this](TObject* Sender) { OnChange(Sender); });
  FWordList = new TStringList();
  FWordList->SetSorted(true);
  FWordList->SetDuplicates(dupIgnore);
}

TCustomDCParser::~TCustomDCParser() {
  FreeAndNil(FWordList);
  FreeAndNil(FResWords);
  FreeAndNil(FStateStack);
}

void TCustomDCParser::Publish(TMetaClass& Meta) {
  TPublisher<TCustomDCParser> P(Meta);
  P.Property("OnGetColorData", &TCustomDCParser::OnGetColorData, &TCustomDCParser::SetOnGetColorData);
  P.Property("Version", &TCustomDCParser::Version, &TCustomDCParser::SetVersion).Stored(false);
}

TCollectionItemClass TCustomDCParser::GetTokenDataClass() { return TTokenData::StaticClass(); }

void TCustomDCParser::Loaded() {
  TSimpleParser::Loaded();
  UpdateSettings();
}

// ---- reserved words ----

std::size_t TCustomDCParser::WordHash(std::string_view Word) {
  Cardinal H = static_cast<Cardinal>(Word.size()) - 1u;
  for (const char Ch : Word) {
    Cardinal C = static_cast<unsigned char>(Ch);
    if (C >= 'a' && C <= 'z') {
      C -= 'a' - 'A';
    }
    H = (H ^ C) * 2u;
  }
  return (H >> 1) & 255u;
}

void TCustomDCParser::UpdateSettings() {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) {
    return;
  }
  FWordList->Clear();
  for (Integer I = FResWords->Count() - 1; I >= 0; --I) {
    const std::string W = Trim(FResWords->Strings(I));
    if (!W.empty()) {
      FWordList->Add(W);
    }
  }
  for (auto& Bucket : FWordHash) {
    Bucket.clear();
  }
  for (Integer I = FWordList->Count() - 1; I >= 0; --I) {
    std::string W = FWordList->Strings(I);
    auto& Bucket = FWordHash[WordHash(W)];
    // Buckets are sorted ignoring ASCII case; a word equal to one there up to case keeps the first entry.
    auto At = std::lower_bound(Bucket.begin(), Bucket.end(), W,
                               [](const TWordEntry& E, const std::string& K) { return CompareText(E.Word, K) < 0; });
    if (At == Bucket.end() || CompareText(At->Word, W) != 0) {
      Bucket.insert(At, TWordEntry{std::move(W), I});
    }
  }
}

bool TCustomDCParser::FindResWord(std::string_view Text) {
  const auto& Bucket = FWordHash[WordHash(Text)];
  if (Bucket.empty()) {
    return false;
  }
  auto At = std::lower_bound(Bucket.begin(), Bucket.end(), Text,
                             [](const TWordEntry& E, std::string_view K) { return CompareText(E.Word, K) < 0; });
  if (At == Bucket.end() || CompareText(At->Word, Text) != 0) {
    return false;
  }
  FResWordId = At->Id;
  return !FCaseSensitive || At->Word == Text;
}

Integer TCustomDCParser::WordId(std::string_view Word) {
  const Integer Saved = FResWordId;
  const bool Found = FindResWord(Word);
  const Integer Id = FResWordId;
  FResWordId = Saved;
  return Found ? Id : -1;
}

void TCustomDCParser::SetCaseSensitive(bool Value) {
  if (FCaseSensitive != Value) {
    FCaseSensitive = Value;
    OnChange(this);
  }
}

void TCustomDCParser::OnChange(TObject* Sender) {
  (void)Sender;
  UpdateSettings();
  ChangeListeners->NotifyEvents(this, 0, 0);
}

// ---- tables ----

void TCustomDCParser::CheckEnoughStates(Integer Count) {
  while (static_cast<Integer>(FTables.size()) <= Count) {
    FTables.push_back(std::make_unique<TParseTable>());
    FTables.back()->fill(nullptr);
  }
}

void TCustomDCParser::ClearParserStates() { FTables.clear(); }

void TCustomDCParser::RegisterProc(std::initializer_list<Integer> States, const TSysCharSet& Chars, TParseProc Proc) {
  CheckEnoughStates(*std::max_element(States.begin(), States.end()));
  for (int C = 0; C < 256; ++C) {
    if (Chars.Contains(static_cast<char>(C))) {
      for (const Integer S : States) {
        (*FTables[static_cast<std::size_t>(S)])[static_cast<std::size_t>(C)] = Proc;
      }
    }
  }
}

void TCustomDCParser::InitEolState(Integer State) {
  RegisterProc({State}, TSysCharSet{'\r'}, &TCustomDCParser::Parse1310Eol);
  RegisterProc({State}, TSysCharSet{'\n'}, &TCustomDCParser::Parse1013Eol);
}

void TCustomDCParser::InitCommon() {
  RegisterNormalProc(TSysCharSet::Range('!', '\xFF'), &TCustomDCParser::ParseWhiteChar);
  InitEolState(psNormal);
}

// ---- scanning ----

Integer TCustomDCParser::SimpleNextToken() {
  Integer Result = tokNone;
  do {
    FTokenPtr = FCurPtr;
    const auto C = static_cast<unsigned char>(*FCurPtr);
    if (C == 0) {
      Result = tokEof;
      break;
    }
    const auto S = static_cast<std::size_t>(FState);
    const TParseProc Proc = S < FTables.size() ? (*FTables[S])[C] : nullptr;
    if (Proc != nullptr) {
      Result = (this->*Proc)();
    } else {
      ++FCurPtr;
    }
  } while (Result == tokNone);
  FToken = Result;
  return Result;
}

Integer TCustomDCParser::NextToken() { return SimpleNextToken(); }

Integer TCustomDCParser::NextValidToken() {
  Integer Result = NextToken();
  while (Result == tokComment) {
    Result = NextToken();
  }
  return Result;
}

std::string TCustomDCParser::NextTokenStr() {
  (void)NextToken();  // the text is the result; the code stays readable through Token()
  return TokenString();
}

std::string TCustomDCParser::NextValidTokenStr() {
  (void)NextValidToken();  // as above
  return TokenString();
}

Integer TCustomDCParser::SkipTokens(Integer Count) {
  Integer Result = FToken;
  for (Integer I = 0; I < Count; ++I) {
    Result = NextToken();
  }
  return Result;
}

bool TCustomDCParser::SkipToResWord(Integer Id) {
  while (NextToken() != tokEof) {
    if (IsTokenResWord(Id)) {
      return true;
    }
  }
  return false;
}

bool TCustomDCParser::SkipToChar(char C) {
  while (NextToken() != tokEof) {
    if (IsTokenChar(C)) {
      return true;
    }
  }
  return false;
}

Integer TCustomDCParser::PeekToken() {
  (void)PushState();  // the index is not needed: PopState takes the top item
  const Integer Result = NextToken();
  (void)PopState();  // restores the code read before
  return Result;
}

std::string TCustomDCParser::PeekTokenStr() {
  (void)PushState();  // as in PeekToken
  (void)NextToken();
  std::string Result = TokenString();
  (void)PopState();
  return Result;
}

std::string TCustomDCParser::PeekValidTokenStr() {
  (void)PushState();  // as in PeekToken
  (void)NextValidToken();
  std::string Result = TokenString();
  (void)PopState();
  return Result;
}

bool TCustomDCParser::IsPeekTokenResWord(Integer Id) {
  (void)PushState();  // as in PeekToken
  (void)NextToken();
  const bool Result = IsTokenResWord(Id);
  (void)PopState();
  return Result;
}

bool TCustomDCParser::IsPeekTokenChar(char C) {
  (void)PushState();  // as in PeekToken
  (void)NextToken();
  const bool Result = IsTokenChar(C);
  (void)PopState();
  return Result;
}

bool TCustomDCParser::IsNextTokenChar(char C) {
  (void)NextToken();  // the test reads the token just taken
  return IsTokenChar(C);
}

bool TCustomDCParser::IsNextTokenResWord(Integer Id) {
  (void)NextToken();  // as above
  return IsTokenResWord(Id);
}

void TCustomDCParser::CheckChar(char C) {
  if (!IsTokenChar(C)) {
    ErrorFmt(SCharExpected, {std::string(1, C)});
  }
}

void TCustomDCParser::CheckNextChar(char C) {
  (void)NextValidToken();  // CheckChar reads the token just taken
  CheckChar(C);
}

void TCustomDCParser::CheckResWord(Integer Id) {
  if (!IsTokenResWord(Id)) {
    const std::string Word = Id >= 0 && Id < FWordList->Count() ? FWordList->Strings(Id) : std::string();
    ErrorFmt(SSymbolExpected, {Word});
  }
}

void TCustomDCParser::CheckNextResWord(Integer Id) {
  (void)NextValidToken();  // as in CheckNextChar
  CheckResWord(Id);
}

std::string TCustomDCParser::TokenString() { return std::string(TokenView()); }

// ---- positions ----

void TCustomDCParser::SetLinePtr(const char* P) {
  if (P != FCurPtr) {
    FCurPtr = P;
    FLinePtr = P;
    FTokenPtr = P;
    FToken = tokNone;
  }
}

char TCustomDCParser::PeekAt(NativeInt Offset) const {
  for (NativeInt I = 0; I < Offset; ++I) {
    if (FCurPtr[I] == '\0') {
      return '\0';
    }
  }
  return FCurPtr[Offset];
}

bool TCustomDCParser::AtLineEnd() const {
  const auto C = static_cast<unsigned char>(*FCurPtr);
  return C < 32 && C != '\t';
}

// ---- state stack ----

void TCustomDCParser::StateToTokenData(TTokenData* Item) {
  Item->IfDefLevel = FIfDefLevel;
  Item->SkipMask = FSkipMask;
  Item->Token = FToken;
  Item->State = FState;
  Item->LinePos = FLinePos;
  Item->CharPos = GetCharPos();
  Item->TokenCharPos = GetTokenCharPos();
  Item->LinePtr = FLinePtr;
  Item->ResWordId = FResWordId;
}

void TCustomDCParser::TokenDataToState(TTokenData* Item) {
  FIfDefLevel = Item->IfDefLevel;
  FSkipMask = Item->SkipMask;
  FLinePos = Item->LinePos;
  SetLinePtr(Item->LinePtr);
  FLinePtr = Item->LinePtr;
  UpdateLinePtr();
  FCurPtr = FLinePtr + Item->CharPos;
  FTokenPtr = FLinePtr + Item->TokenCharPos;
  FToken = Item->Token;
  FState = Item->State;
  FResWordId = Item->ResWordId;
}

Integer TCustomDCParser::PushState() {
  auto* Item = static_cast<TTokenData*>(FStateStack->Add());
  StateToTokenData(Item);
  return FStateStack->Count() - 1;
}

Integer TCustomDCParser::SoftPushState() {
  const Integer Result = PushState();
  static_cast<TTokenData*>(FStateStack->Items(Result))->Soft = true;
  return Result;
}

bool TCustomDCParser::SinglePop() {
  if (FStateStack->Count() == 0) {
    Error(STokenListEmpty);
  }
  const Integer Top = FStateStack->Count() - 1;
  auto* Item = static_cast<TTokenData*>(FStateStack->Items(Top));
  Item->ProcessSinglePop(this);
  TokenDataToState(Item);
  const bool Soft = Item->Soft;
  FStateStack->Delete(Top);
  return Soft;
}

Integer TCustomDCParser::PopState() {
  while (SinglePop()) {
  }
  return FToken;
}

bool TCustomDCParser::SoftPopState() {
  if (FStateStack->Count() == 0) {
    Error(STokenListEmpty);
  }
  if (static_cast<TTokenData*>(FStateStack->Items(FStateStack->Count() - 1))->Soft) {
    (void)SinglePop();  // the item is soft: that is what the result says
    return true;
  }
  for (Integer I = FStateStack->Count() - 2; I >= 0; --I) {
    auto* Item = static_cast<TTokenData*>(FStateStack->Items(I));
    if (Item->Soft) {
      TokenDataToState(Item);
      return false;
    }
  }
  Error(STokenListEmpty);
}

void TCustomDCParser::SetInternalState(Integer Index) {
  if (Index >= FStateStack->Count()) {
    Error(SStateInFuture);
  }
  if (Index < 0) {
    return;
  }
  TokenDataToState(static_cast<TTokenData*>(FStateStack->Items(Index)));
  for (Integer I = FStateStack->Count() - 1; I >= Index; --I) {
    FStateStack->Delete(I);
  }
}

// ---- shared scanning routines ----

bool TCustomDCParser::SkipToCharOrEol(char C) {
  while (*FCurPtr != C && !AtLineEnd()) {
    ++FCurPtr;
  }
  return *FCurPtr == C;
}

void TCustomDCParser::SkipDigits() {
  while (IsDigit(static_cast<unsigned char>(*FCurPtr))) {
    ++FCurPtr;
  }
}

void TCustomDCParser::SkipHexDigits() {
  while (IsHexDigit(static_cast<unsigned char>(*FCurPtr))) {
    ++FCurPtr;
  }
}

Integer TCustomDCParser::ParseWhiteChar() {
  ++FCurPtr;
  return tokSymbol;
}

Integer TCustomDCParser::ParseEol(char Other) {
  ++FCurPtr;
  if (*FCurPtr == Other) {
    ++FCurPtr;
  }
  if (FTextHasLineEnds) {
    ++FLinePos;
    FLinePtr = FCurPtr;
  }
  return tokNone;
}

Integer TCustomDCParser::Parse1013Eol() { return ParseEol('\r'); }
Integer TCustomDCParser::Parse1310Eol() { return ParseEol('\n'); }

Integer TCustomDCParser::RestIsComment() {
  while (!AtLineEnd()) {
    ++FCurPtr;
  }
  return tokComment;
}

Integer TCustomDCParser::ParseIdentifier() {
  if (*FCurPtr != '\0') {
    ++FCurPtr;
  }
  while (IsIdentChar(static_cast<unsigned char>(*FCurPtr))) {
    ++FCurPtr;
  }
  return FindResWord(TokenView()) ? tokResWord : tokIdentifier;
}

Integer TCustomDCParser::ParseIdentifierEx(const TSysCharSet& Chars) {
  if (*FCurPtr != '\0') {
    ++FCurPtr;
  }
  while (*FCurPtr != '\0' && Chars.Contains(*FCurPtr)) {
    ++FCurPtr;
  }
  return FindResWord(TokenView()) ? tokResWord : tokIdentifier;
}

namespace {
// Steps over an exponent when "E" or "e" stands at P: the letter, one sign, the digits (maybe none).
const char* SkipExponent(const char* P) {
  if (*P == 'E' || *P == 'e') {
    ++P;
    if (*P == '+' || *P == '-') {
      ++P;
    }
    while (IsDigit(static_cast<unsigned char>(*P))) {
      ++P;
    }
  }
  return P;
}
}  // namespace

Integer TCustomDCParser::ParseNumConst() {
  ++FCurPtr;
  SkipDigits();
  if (*FCurPtr == '.' && IsDigit(static_cast<unsigned char>(FCurPtr[1]))) {
    ++FCurPtr;
    SkipDigits();
    FCurPtr = SkipExponent(FCurPtr);
    return tokFloat;
  }
  if (*FCurPtr == 'E' || *FCurPtr == 'e') {
    FCurPtr = SkipExponent(FCurPtr);
    return tokFloat;
  }
  return tokInteger;
}

Integer TCustomDCParser::ParseHexConst() {
  ++FCurPtr;
  SkipHexDigits();
  return tokInteger;
}

// ---- colouring ----

void TCustomDCParser::DoGetColorData(Integer Token, const std::string& TokenStr, std::string& ColorData) {
  if (FOnGetColorData) {
    FOnGetColorData(this, Token, TokenStr, ColorData);
  }
  ColorData.resize(TokenStr.size(), static_cast<char>(Token));
}

Integer TCustomDCParser::ColorString(const std::string& S, Integer State, std::string& ColorData) {
  if (S.empty() || ColorData.empty()) {
    return State;
  }
  FState = State;
  SetLinePtr(S.c_str());
  // Force a fresh start even when the same buffer comes again.
  FCurPtr = FLinePtr = FTokenPtr = S.c_str();
  ColorData.resize(S.size());
  char* Colors = ColorData.data();
  const char* Base = S.c_str();
  while (SimpleNextToken() != tokEof) {
    const std::size_t From = static_cast<std::size_t>(FTokenPtr - Base);
    const std::size_t Len = static_cast<std::size_t>(FCurPtr - FTokenPtr);
    if (!FOnGetColorData) {
      std::memset(Colors + From, FToken, Len);
    } else {
      std::string TokenColors(Len, static_cast<char>(FToken));
      DoGetColorData(FToken, std::string(TokenView()), TokenColors);
      std::memcpy(Colors + From, TokenColors.data(), Len);
    }
  }
  return FState;
}

// ---- errors ----

TPoint TCustomDCParser::GetErrorPoint() { return TPoint{static_cast<int>(GetTokenCharPos() + 1), FLinePos + 1}; }

std::string TCustomDCParser::GetErrorDesc() { return {}; }

void TCustomDCParser::ErrorFmt(std::string_view Msg, TVarRecList Args) {
  // Only the caller's message is a format: the description and the position may hold any text.
  const TPoint Pt = GetErrorPoint();
  throw Exception(Format(Msg, Args) + Format(SErrorPosition, {Pt.Y, Pt.X}) + GetErrorDesc());
}

void TCustomDCParser::Error(std::string_view Msg) { ErrorFmt("%s", {std::string(Msg)}); }

// ---- TStringsParser ----

TStringsParser::TStringsParser(TComponent* AOwner) : TCustomDCParser(AOwner) {
  // A line of the list is one line whatever control characters it holds: a CR inside it neither counts as a line
  // nor moves the column origin (counting it would skip the next line of the list).
  FTextHasLineEnds = false;
}

void TStringsParser::ValidateStrings() const {
  if (FStrings == nullptr) {
    throw Exception(std::string(SStringsNotSpecified));
  }
}

void TStringsParser::SetStrings(TStrings* Value) {
  if (Value != FStrings) {
    FStrings = Value;
    if (FStrings != nullptr) {
      ResetParser();
    }
  }
}

void TStringsParser::ResetParser() {
  ValidateStrings();
  FLinePos = 0;
  UpdateLinePtr();
  FState = psNormal;
  FToken = tokNone;
}

void TStringsParser::UpdateLinePtr() {
  ValidateStrings();
  if (FLinePos >= 0 && FLinePos < FStrings->Count()) {
    FLine = FStrings->Strings(FLinePos);
  } else {
    FLine.clear();
  }
  // Always a fresh start: the copy may sit where the previous line's end was.
  FCurPtr = FLinePtr = FTokenPtr = FLine.c_str();
  FToken = tokNone;
}

void TStringsParser::SetLinePos(Integer Value) {
  ValidateStrings();
  if (Value == FLinePos && Value >= 0 && Value < FStrings->Count() && FLine == FStrings->Strings(Value)) {
    return;
  }
  FLinePos = Value;
  UpdateLinePtr();
}

void TStringsParser::TokenDataToState(TTokenData* Item) {
  TCustomDCParser::TokenDataToState(Item);
  // The list may have changed since the position was saved: stay inside the line.
  const char* End = FLine.c_str() + FLine.size();
  FCurPtr = std::clamp(FCurPtr, FLine.c_str(), End);
  FTokenPtr = std::clamp(FTokenPtr, FLine.c_str(), FCurPtr);
}

Integer TStringsParser::NextToken() {
  ValidateStrings();
  for (;;) {
    const Integer Result = SimpleNextToken();
    if (Result != tokEof || FLinePos >= FStrings->Count()) {
      return Result;
    }
    ++FLinePos;
    UpdateLinePtr();
    if (ReportLineEnds && FState == psNormal) {
      FToken = tokLineEnd;
      return tokLineEnd;
    }
  }
}

double GetFloatFromString(const std::string& Text) { return StrToFloat(Text); }

}  // namespace Dcparser
