// TSyntaxParser: colouring a line from the scheme's working tables, block chains, and the queries by position.
#include "codeeditor/Dcsyntaxparser.h"

#include "codeeditor/Vuvudi.h"
#include "platform/classes/TypInfoImpl.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace Dcsyntax {

Z_IMPLEMENT_CLASS_PUBLISHED(TSyntaxParser, Dorazori::TSimpleParser, TSyntaxParser::Publish)

namespace {
constexpr Integer MaxPasses = 1024;  // block checks at one position; the chain limit ends them far earlier

bool IsPunct(unsigned char C) {
  return (C >= '!' && C <= '/') || (C >= ':' && C <= '@') || (C >= '[' && C <= '^') || C == '`' ||
         (C >= '{' && C <= 127);
}

bool SameChain(const TBlockInfo* A, const TBlockInfo* B) {
  while (A != nullptr && B != nullptr) {
    if (A->BlockIndex != B->BlockIndex || A->DelimiterIndex != B->DelimiterIndex) {
      return false;
    }
    A = A->Next;
    B = B->Next;
  }
  return A == B;
}

TBlockInfo* CopyChain(const TBlockInfo* C) {
  return C == nullptr ? nullptr : new TBlockInfo(C->BlockIndex, C->DelimiterIndex, CopyChain(C->Next));
}

template <class List>
auto* ItemOf(List* L, Integer Index) {
  return Index >= 0 && Index < L->Count() ? L->GetItem(Index) : nullptr;
}
}  // namespace

// ---- life cycle ----

TSyntaxParser::TSyntaxParser(TComponent* AOwner)
    : TSimpleParser(AOwner), FScheme(new TSyntaxScheme()), FDefaultAttr(new TDefAttrItem(nullptr)) {
  FDefaultAttr->Font()->SetName("Courier New");
  FDefaultAttr->Font()->SetSize(10);
  FDefaultAttr->Font()->OnChange = [this](TObject* Sender) { DefaultAttrChanged(Sender); };
  FDefaultAttr->OnBackColorChanged = [this](TObject* Sender) { DefaultAttrChanged(Sender); };
  FScheme->Parser = this;
  FScheme->OnParserInit = [this] { InitParser(); };
  FScheme->OnParserChanged = [this] { ParserChanged(); };
  InitParser();
  Vuvudi::EnvOptObjectList()->Add(static_cast<TObject*>(this));
}

TSyntaxParser::~TSyntaxParser() {
  Vuvudi::EnvOptObjectList()->Remove(static_cast<TObject*>(this));
  FScheme->OnParserInit = nullptr;
  FScheme->OnParserChanged = nullptr;
  FDefaultAttr->Font()->OnChange = nullptr;
  FDefaultAttr->OnBackColorChanged = nullptr;
}

void TSyntaxParser::Publish(TMetaClass& Meta) {
  TPublisher<TSyntaxParser> P(Meta);
  P.Property("SyntaxScheme", &TSyntaxParser::SyntaxScheme, &TSyntaxParser::SetSyntaxScheme);
  P.Property("DefaultAttr", &TSyntaxParser::DefaultAttr, &TSyntaxParser::SetDefaultAttr);
  P.Property("UseGlobalOptions", &TSyntaxParser::GetUseGlobalOptions, &TSyntaxParser::SetUseGlobalOptions)
      .Default(false);
}

void TSyntaxParser::Loaded() {
  TSimpleParser::Loaded();
  InitParser();
}

void TSyntaxParser::InitParser() {
  FScheme->InitScheme();
  SetCurBlock(0, 0);
  FDelimIndex = 0;
  FItemIndex = 0;
  FTokenKind = skText;
  FLine = nullptr;
  FLen = 0;
  FPos = 0;
}

void TSyntaxParser::ParserChanged() {
  if (FUpdateCount > 0) {
    return;
  }
  FScheme->CreateAttrIDHash();
  ChangeListeners->NotifyEvents(this, 0, 0);
}

void TSyntaxParser::EndUpdate() {
  --FUpdateCount;
  ParserChanged();
}

void TSyntaxParser::SetSyntaxScheme(TSyntaxScheme* Value) {
  if (Value == FScheme.get()) {
    return;
  }
  FScheme->ClearContents();
  if (Value != nullptr) {
    FScheme->Assign(Value);
  }
  InitParser();
}

void TSyntaxParser::SetDefaultAttr(TDefAttrItem* Value) {
  FDefaultAttr->Assign(Value);
  DefaultAttrChanged(this);
}

void TSyntaxParser::DefaultAttrChanged(TObject* /*Sender*/) { ParserChanged(); }

void TSyntaxParser::SetUseGlobalOptions(bool Value) {
  if (Value != FScheme->UseGlobalOptions) {
    FScheme->UseGlobalOptions = Value;
    ParserChanged();
  }
}

void TSyntaxParser::Dispatch(TMessage& Message) {
  if (Message.Msg == Vuvudi::CM_UPDATEOPTIONS) {
    if (GetUseGlobalOptions()) {
      ParserChanged();
    }
    return;
  }
  TSimpleParser::Dispatch(Message);
}

// ---- attributes ----

TFont* TSyntaxParser::GetFont(Integer Index) {
  TAttrItem* Attr = Index >= 0 && Index < 256 ? FScheme->AttrTable()[static_cast<std::size_t>(Index)] : nullptr;
  return (Attr != nullptr ? Attr : FScheme->WhitespaceAttr())->WorkFont.get();
}

bool TSyntaxParser::GetBackColor(Integer Index, TColor& Color) {
  TAttrItem* Attr = Index >= 0 && Index < 256 ? FScheme->AttrTable()[static_cast<std::size_t>(Index)] : nullptr;
  Color = (Attr != nullptr ? Attr : FScheme->WhitespaceAttr())->WorkBackColor;
  return true;
}

Integer TSyntaxParser::_GetAttrID() const {
  const TSyntaxBlock* B = FCurBlock;
  Integer A = B->FIText;
  switch (FTokenKind) {
    case skSingleLineComment:
      if (auto* I = ItemOf(B->SingleLineCommentDelimiters, FItemIndex)) {
        A = I->FontID;
      }
      break;
    case skMultiLineComment:
      if (auto* I = ItemOf(B->MultiLineCommentDelimiters, FItemIndex)) {
        A = I->FontID;
      }
      break;
    case skDirective: A = B->UseLineDirectives ? B->FIDirective : B->FIText; break;
    case skFullLineComment:
      if (auto* I = ItemOf(B->FullLineCommentDelimiters, FItemIndex)) {
        A = I->FontID;
      }
      break;
    case skSingleLineString:
      if (auto* I = ItemOf(B->SingleLineStringDelimiters, FItemIndex)) {
        A = I->FontID;
      }
      break;
    case skMultiLineString:
      if (auto* I = ItemOf(B->MultiLineStringDelimiters, FItemIndex)) {
        A = I->FontID;
      }
      break;
    case skInteger: A = B->UseNumbers ? B->FIIntNum : B->FIText; break;
    case skFloat: A = B->UseNumbers ? B->FIFloatNum : B->FIText; break;
    case skHexNumber: A = B->UseNumbers ? B->FIHexNum : B->FIText; break;
    case skIdentifier: A = B->UseIdentifiers ? B->FIIdentifier : B->FIText; break;
    case skKeyword:
      if (auto* I = ItemOf(B->KeywordSets, FItemIndex)) {
        A = I->FontID;
      }
      break;
    case skSymbol: A = B->UseSymbols ? B->FISymbol : B->FIText; break;
    default: break;
  }
  A &= 0xFF;
  return A == 0xFF ? (B->FIText & 0xFF) : A;
}

// ---- block chains ----

void TSyntaxParser::SelectBlock(const TBlockInfo* Head) {
  TSyntaxBlockList* Blocks = FScheme->SyntaxBlocks();
  FCurBlockIndex = Head->BlockIndex >= 0 && Head->BlockIndex < Blocks->Count() ? Head->BlockIndex : 0;
  FCurBlock = Blocks->Count() > 0 ? Blocks->GetItem(FCurBlockIndex) : nullptr;
  FDelimIndex = Head->DelimiterIndex;
  FScanState = ssNormal;
  FCaseSensitive = FCurBlock != nullptr && FCurBlock->CaseSensitive;
  FPartOfBlock = false;
  if (FCurBlock != nullptr && Head->Next != nullptr) {
    if (const TDelimiters* D = ItemOf(FCurBlock->BlockDelimiters, FDelimIndex)) {
      FPartOfBlock = D->DelimitersArePartOfBlock;
    }
  }
}

Integer TSyntaxParser::SetCurBlock(Integer Value, Integer Direction) {
  auto& Chains = FScheme->BlockStacks();
  if (Chains.empty()) {
    FScheme->InitBlockStackList();
  }
  const auto Count = static_cast<Integer>(Chains.size());
  if (FBlockStackIndex < 0 || FBlockStackIndex >= Count) {
    FBlockStackIndex = 0;
  }
  Integer Index = 0;
  if (Direction > 0) {
    const Integer Block = (Value >> 8) & 0xFF;
    const Integer Delim = Value & 0xFF;
    const TBlockInfo* Current = Chains[static_cast<std::size_t>(FBlockStackIndex)].get();
    Index = -1;
    for (Integer I = 0; I < Count; ++I) {
      const TBlockInfo* C = Chains[static_cast<std::size_t>(I)].get();
      if (C->BlockIndex == Block && C->DelimiterIndex == Delim && SameChain(C->Next, Current)) {
        Index = I;
        break;
      }
    }
    if (Index < 0) {
      // Blocks that nest in a cycle would add a chain at every opener: past the limit an opener is not entered.
      if (Count >= MaxBlockChains) {
        return -1;
      }
      Chains.push_back(std::make_unique<TBlockInfo>(Block, Delim, CopyChain(Current)));
      Index = Count;
    }
  } else if (Direction < 0) {
    const TBlockInfo* Outer = Chains[static_cast<std::size_t>(FBlockStackIndex)]->Next;
    for (Integer I = 0; I < Count; ++I) {
      if (SameChain(Chains[static_cast<std::size_t>(I)].get(), Outer)) {
        Index = I;
        break;
      }
    }
  } else {
    Index = Value >= 0 && Value < Count ? Value : 0;
  }
  FBlockStackIndex = Index;
  SelectBlock(Chains[static_cast<std::size_t>(Index)].get());
  return Index;
}

Integer TSyntaxParser::StateWord() const {
  const Cardinal W = (static_cast<Cardinal>(FBlockStackIndex & 0xFF) << 24) | (FPartOfBlock ? 1u << 23 : 0u) |
                     (FCaseSensitive ? 1u << 22 : 0u) | (static_cast<Cardinal>(std::max(FDelimIndex, 0) & 0x3F) << 16) |
                     (static_cast<Cardinal>(FScanState & 0xFF) << 8) | static_cast<Cardinal>(FItemIndex & 0xFF);
  return static_cast<Integer>(W);
}

// ---- matching ----

bool TSyntaxParser::IsFirstIdent(Integer Pos) const {
  return Pos >= 0 && Pos < FLen && FCurBlock->FirstIdentChars.Contains(FLine[Pos]);
}

bool TSyntaxParser::IsOtherIdent(Integer Pos) const {
  return Pos >= 0 && Pos < FLen && FCurBlock->OtherIdentChars.Contains(FLine[Pos]);
}

bool TSyntaxParser::MatchAt(Integer Pos, std::string_view Text, bool Case) const {
  const auto N = static_cast<Integer>(Text.size());
  if (Pos < 0 || N > FLen - Pos) {
    return false;
  }
  const char* P = FLine + Pos;
  if (Case) {
    return std::memcmp(P, Text.data(), Text.size()) == 0;
  }
  for (Integer I = 0; I < N; ++I) {
    if (SchemeLower(P[I]) != SchemeLower(Text[static_cast<std::size_t>(I)])) {
      return false;
    }
  }
  return true;
}

bool TSyntaxParser::MatchForward(std::string_view Text) const {
  if (Text.empty() || !MatchAt(FPos, Text, FCaseSensitive)) {
    return false;
  }
  return !FCurBlock->FirstIdentChars.Contains(Text[0]) || !IsOtherIdent(FPos + static_cast<Integer>(Text.size()));
}

bool TSyntaxParser::MatchBackward(std::string_view Text, bool Case) const {
  const Integer Start = FPos - static_cast<Integer>(Text.size());
  if (Text.empty() || !MatchAt(Start, Text, Case)) {
    return false;
  }
  return !FCurBlock->FirstIdentChars.Contains(Text[0]) || !IsOtherIdent(Start - 1);
}

bool TSyntaxParser::CurPosIsTokenS(std::string_view Text) const { return MatchAt(FPos, Text, true); }
bool TSyntaxParser::CurPosIsTokenI(std::string_view Text) const { return MatchAt(FPos, Text, false); }

bool TSyntaxParser::FindDelim(const std::vector<TDelimEntry>& List, Integer& Item, bool StringOpeners) {
  for (const TDelimEntry& E : List) {
    if (!MatchAt(FPos, E.Text, FCaseSensitive)) {
      continue;
    }
    const auto N = static_cast<Integer>(E.Text.size());
    const bool WholeWord = !FCurBlock->FirstIdentChars.Contains(E.Text[0]) || !IsOtherIdent(FPos + N) ||
                           (StringOpeners && !FCurBlock->OtherIdentChars.Contains(E.Text.back()));
    if (WholeWord) {
      Item = E.Pos;
      FPos += N;
      return true;
    }
  }
  return false;
}

// ---- block boundaries ----

bool TSyntaxParser::CheckClose() {
  const auto& Chains = FScheme->BlockStackList();
  if (Chains[static_cast<std::size_t>(FBlockStackIndex)]->Next == nullptr) {
    return false;  // the root never closes
  }
  const TDelimiters* D = ItemOf(FCurBlock->BlockDelimiters, FDelimIndex);
  if (D == nullptr || D->RightDelimiter.empty()) {
    return false;
  }
  bool Closes = false;
  if (FPartOfBlock) {
    Closes = MatchBackward(D->RightDelimiter, FCaseSensitive);
  } else {
    const bool RootCase = FScheme->SyntaxBlocks()->GetItem(0)->CaseSensitive;
    const std::string& C = D->RightDelimiter;
    Closes = MatchAt(FPos, C, RootCase) &&
             (!FCurBlock->FirstIdentChars.Contains(C[0]) || !IsOtherIdent(FPos + static_cast<Integer>(C.size())));
  }
  if (Closes) {
    SetCurBlock(0, -1);
  }
  return Closes;
}

void TSyntaxParser::CheckBlocks() {
  bool Repeated = false;
  for (Integer Pass = 0; Pass < MaxPasses; ++Pass) {
    const bool FirstClosed = !Repeated && CheckClose();
    const TSyntaxBlock* Before = FCurBlock;
    const bool CaseBefore = FCaseSensitive;
    bool Entered = false;
    bool Again = false;
    for (const TOpenerEntry& O : Before->Tables.OuterOpeners) {
      if (MatchBackward(O.Text, CaseBefore)) {
        if (SetCurBlock(static_cast<Integer>(O.Info & 0xFFFF), 1) >= 0) {
          Entered = true;
          Again = FirstClosed || !CheckClose();
        }
        break;
      }
    }
    for (const TOpenerEntry& O : Before->Tables.InnerOpeners) {
      if (MatchAt(FPos, O.Text, CaseBefore) &&
          (!Before->FirstIdentChars.Contains(O.Text[0]) || FPos + static_cast<Integer>(O.Text.size()) >= FLen ||
           !Before->OtherIdentChars.Contains(FLine[FPos + static_cast<Integer>(O.Text.size())]))) {
        if (SetCurBlock(static_cast<Integer>(O.Info & 0xFFFF), 1) >= 0) {
          Entered = true;
        }
        break;
      }
    }
    if (!Entered) {
      Again = !FirstClosed && CheckClose();
    }
    if (!Again) {
      return;
    }
    Repeated = true;
  }
}

// ---- tokens ----

bool TSyntaxParser::ParseComment() {
  const TBlockTables& T = FCurBlock->Tables;
  Integer Item = 0;
  if (FindDelim(T.MultiLineComments, Item)) {
    FTokenKind = skMultiLineComment;
    FScanState = ssMultiLineComment;
    FItemIndex = Item;
    return true;
  }
  if (FFullLineAllowed && FindDelim(T.FullLineComments, Item)) {
    FTokenKind = skFullLineComment;
    FItemIndex = Item;
    FPos = FLen;
    FScanState = ssNormal;
    return true;
  }
  if (FindDelim(T.SingleLineComments, Item)) {
    FTokenKind = skSingleLineComment;
    FItemIndex = Item;
    FPos = FLen;
    FScanState = ssNormal;
    return true;
  }
  return false;
}

bool TSyntaxParser::ParseString() {
  const TBlockTables& T = FCurBlock->Tables;
  Integer Item = 0;
  if (FindDelim(T.MultiLineStrings, Item)) {
    FTokenKind = skMultiLineString;
    FScanState = ssMultiLineString;
    FItemIndex = Item;
    return true;
  }
  if (FindDelim(T.SingleLineStrings, Item, true)) {
    FTokenKind = skSingleLineString;
    FScanState = FPos < FLen ? ssSingleLineString : ssNormal;
    FItemIndex = Item;
    return true;
  }
  return false;
}

bool TSyntaxParser::ParseLineDirective() {
  const std::string& Prefix = FCurBlock->LineDirectivePrefix;
  if (Prefix.empty() || !MatchAt(FPos, Prefix, FCaseSensitive)) {
    return false;
  }
  FPos += static_cast<Integer>(Prefix.size());
  FLineDirFound = true;
  FTokenKind = skDirective;
  FScanState = FPos < FLen ? ssDirective : ssNormal;
  return true;
}

bool TSyntaxParser::ParseIntNumber() {
  const Integer Start = FPos;
  while (FPos < FLen && FLine[FPos] >= '0' && FLine[FPos] <= '9') {
    ++FPos;
  }
  if (FPos == Start) {
    return false;
  }
  FTokenKind = skInteger;
  return true;
}

bool TSyntaxParser::ParseFloatNumber() {
  if (!ParseIntNumber()) {
    return false;
  }
  if (FPos < FLen && FLine[FPos] == '.') {
    ++FPos;
    while (FPos < FLen && FLine[FPos] >= '0' && FLine[FPos] <= '9') {
      ++FPos;
    }
    FTokenKind = skFloat;
  }
  if (FPos < FLen && (FLine[FPos] == 'e' || FLine[FPos] == 'E')) {
    Integer P = FPos + 1;
    if (P < FLen && (FLine[P] == '+' || FLine[P] == '-')) {
      ++P;
    }
    if (P < FLen && FLine[P] >= '0' && FLine[P] <= '9') {
      while (P < FLen && FLine[P] >= '0' && FLine[P] <= '9') {
        ++P;
      }
      FPos = P;
      FTokenKind = skFloat;
    }
  }
  return true;
}

bool TSyntaxParser::ReadHexRun() {
  const Integer Start = FPos;
  while (FPos < FLen && std::isxdigit(static_cast<unsigned char>(FLine[FPos])) != 0) {
    ++FPos;
  }
  return FPos > Start;
}

bool TSyntaxParser::ReadSuffixes(bool Multiple) {
  Integer Count = 0;
  for (;;) {
    Integer Item = 0;
    if (!FindDelim(FCurBlock->Tables.NumSuffixes, Item)) {
      break;
    }
    ++Count;
    if (!Multiple) {
      break;
    }
  }
  return Count > 0;
}

bool TSyntaxParser::ParsePrefixedNumber() {
  Integer Item = 0;
  if (!FindDelim(FCurBlock->Tables.NumPrefixes, Item)) {
    return false;
  }
  if (ParseFloatNumber()) {
    if (FTokenKind == skInteger) {
      (void)ReadHexRun();
    }
    FTokenKind = skHexNumber;
  } else if (ReadHexRun()) {
    FTokenKind = skHexNumber;
  } else {
    FTokenKind = skSymbol;  // the prefix alone
  }
  return true;
}

bool TSyntaxParser::ParsePSNumber() {
  const TSyntaxBlock* B = FCurBlock;
  const Integer Start = FPos;
  if (B->UsePrefixedSuffixedNumbers && !B->UsePSNumComposition) {
    for (Integer I = 0; I < std::min(B->NumPrefixesSuffixes->Count(), 256); ++I) {
      const TBlockToken* T = B->NumPrefixesSuffixes->GetItem(I);
      if (!T->UseToken || T->LeftDelimiter.empty()) {
        continue;
      }
      std::vector<TDelimEntry> One{{T->LeftDelimiter, I}};
      Integer Item = 0;
      if (!FindDelim(One, Item)) {
        continue;
      }
      if (ReadHexRun() && MatchAt(FPos, T->RightDelimiter, FCaseSensitive)) {
        FPos += static_cast<Integer>(T->RightDelimiter.size());
        FTokenKind = skHexNumber;
        FItemIndex = I;
        return true;
      }
      FPos = Start;
    }
  } else if (B->UsePrefixedSuffixedNumbers) {
    if (ParsePrefixedNumber() && ReadSuffixes(B->UseMultipleNumSuffixes)) {
      FTokenKind = skHexNumber;
      return true;
    }
    FPos = Start;
  }
  if (B->UsePrefixedNumbers && ParsePrefixedNumber()) {
    return true;
  }
  FPos = Start;
  if (B->UseSuffixedNumbers && FPos < FLen && FLine[FPos] >= '0' && FLine[FPos] <= '9') {
    if (ParseFloatNumber() && ReadSuffixes(B->UseMultipleNumSuffixes)) {
      FTokenKind = skHexNumber;
      return true;
    }
    FPos = Start;
  }
  return false;
}

bool TSyntaxParser::ReadIdentifier() {
  if (!IsFirstIdent(FPos)) {
    return false;
  }
  ++FPos;
  while (IsOtherIdent(FPos)) {
    ++FPos;
  }
  return true;
}

bool TSyntaxParser::ParseIdentifiers() {
  const TSyntaxBlock* B = FCurBlock;
  const Integer Start = FPos;
  bool Found = false;
  if (B->UsePrefixedSuffixedIdentifiers) {
    for (Integer I = 0; I < std::min(B->IdentPrefixesSuffixes->Count(), 256) && !Found; ++I) {
      const TBlockToken* T = B->IdentPrefixesSuffixes->GetItem(I);
      if (!T->UseToken || T->LeftDelimiter.empty() || !MatchForward(T->LeftDelimiter)) {
        continue;
      }
      FPos += static_cast<Integer>(T->LeftDelimiter.size());
      if (ReadIdentifier() && MatchAt(FPos, T->RightDelimiter, FCaseSensitive)) {
        FPos += static_cast<Integer>(T->RightDelimiter.size());
        FItemIndex = I;
        Found = true;
      } else {
        FPos = Start;
      }
    }
  }
  if (!Found && B->UsePrefixedIdentifiers) {
    for (const TDelimEntry& E : B->Tables.IdentPrefixes) {
      if (!MatchForward(E.Text)) {
        continue;
      }
      FPos += static_cast<Integer>(E.Text.size());
      if (ReadIdentifier()) {
        FItemIndex = E.Pos;
        Found = true;
        break;
      }
      FPrefixWithoutIdent = true;
      FPos = Start;
    }
  }
  if (!Found && ReadIdentifier()) {
    Found = true;
    if (B->UseSuffixedIdentifiers) {
      Integer Item = 0;
      (void)FindDelim(B->Tables.IdentSuffixes, Item);
    }
  }
  if (!Found) {
    FPos = Start;
    return false;
  }
  FTokenKind = skIdentifier;
  FScanState = ssNormal;
  if (B->UseKeywords && !B->Tables.Keywords.empty()) {
    FTokenText.assign(1, ',');
    FTokenText.append(FLine + Start, static_cast<std::size_t>(FPos - Start));
    FTokenText += ',';
    if (!B->CaseSensitive) {
      for (char& C : FTokenText) {
        C = SchemeLower(C);
      }
    }
    const auto First = static_cast<unsigned char>(FTokenText[1]);
    for (const TKeywordTable& K : B->Tables.Keywords) {
      const std::string& Bucket = K.Buckets[First];
      if (!Bucket.empty() && Bucket.find(FTokenText) != std::string::npos) {
        FTokenKind = skKeyword;
        FItemIndex = K.Pos;
        break;
      }
    }
  }
  return true;
}

const std::string* TSyntaxParser::MatchedCloser() const {
  const TBlockToken* T = nullptr;
  switch (FScanState) {
    case ssMultiLineComment: T = ItemOf(FCurBlock->MultiLineCommentDelimiters, FItemIndex); break;
    case ssSingleLineString: T = ItemOf(FCurBlock->SingleLineStringDelimiters, FItemIndex); break;
    case ssMultiLineString: T = ItemOf(FCurBlock->MultiLineStringDelimiters, FItemIndex); break;
    default: break;
  }
  return T != nullptr ? &T->RightDelimiter : nullptr;
}

// The body of a comment or string, up to and including its closer.
void TSyntaxParser::ScanBlockToken(const std::string& Closer, bool String) {
  const TSyntaxBlock* B = FCurBlock;
  const Integer From = FPos;
  Integer Found = -1;
  for (Integer P = From; P + static_cast<Integer>(Closer.size()) <= FLen; ++P) {
    if (MatchAt(P, Closer, FCaseSensitive)) {
      Found = P;
      break;
    }
  }
  const auto N = static_cast<Integer>(Closer.size());
  const bool WordClash = Found >= 0 && N > 0 && B->FirstIdentChars.Contains(Closer[0]) &&
                         (IsOtherIdent(Found + N) || IsOtherIdent(Found - 1));
  const bool MetaWraps = B->UseMetaSymbol && B->UseMetaToWrapLines;
  if (Found < 0 || WordClash) {
    FPos = FLen;
    if (FScanState == ssSingleLineString && !(MetaWraps && FLen > 0 && FLine[FLen - 1] == B->MetaSymbol)) {
      FPendingReset = true;
    }
    return;
  }
  if (String && B->UseMetaSymbol && Found > From && FLine[Found - 1] == B->MetaSymbol) {
    Integer Run = 0;
    for (Integer P = Found - 1; P >= From && FLine[P] == B->MetaSymbol; --P) {
      ++Run;
    }
    if (Run % 2 == 1) {
      FPos = Found + 1;
      if (FPos >= FLen) {
        FScanState = ssNormal;
      }
      return;
    }
  }
  FPos = Found + N;
  if (String) {
    FScanState = ssNormal;
  } else {
    FScanState = FLineDirFound && FPos < FLen ? ssDirective : ssNormal;
  }
}

void TSyntaxParser::GetToken() {
  const TSyntaxBlock* B = FCurBlock;
  FPrefixWithoutIdent = false;
  switch (FScanState) {
    case ssMultiLineComment:
    case ssSingleLineString:
    case ssMultiLineString: {
      FTokenKind = FScanState == ssMultiLineComment   ? skMultiLineComment
                   : FScanState == ssSingleLineString ? skSingleLineString
                                                      : skMultiLineString;
      const std::string* Closer = MatchedCloser();
      if (Closer == nullptr) {
        // A state word naming an item the block does not have: the rest of the line, then normal text.
        FPos = FLen;
        FScanState = ssNormal;
        return;
      }
      ScanBlockToken(*Closer, FScanState != ssMultiLineComment);
      return;
    }
    case ssDirective:
      if (B->UseComments && ParseComment()) {
        return;
      }
      FTokenKind = skDirective;
      ++FPos;
      if (FPos >= FLen && !(B->UseMetaSymbol && B->UseMetaToWrapLines && FLine[FPos - 1] == B->MetaSymbol)) {
        FScanState = ssNormal;
      }
      return;
    default: break;
  }
  FScanState = ssNormal;
  const auto C = static_cast<unsigned char>(FLine[FPos]);
  if (C < '!') {
    while (FPos < FLen && static_cast<unsigned char>(FLine[FPos]) < '!') {
      ++FPos;
    }
    FTokenKind = skText;
    return;
  }
  const std::bitset<256>& Free = FScheme->FreeSymbols();
  if (Free.test(C)) {
    while (FPos < FLen && Free.test(static_cast<unsigned char>(FLine[FPos]))) {
      ++FPos;
    }
    FTokenKind = skSymbol;
    return;
  }
  if (B->UseComments && ParseComment()) {
    return;
  }
  if (B->UseStrings && ParseString()) {
    return;
  }
  if (B->UseNumbers) {
    if (ParsePSNumber() || ParseFloatNumber()) {
      return;
    }
  } else if (ParseIntNumber()) {
    return;
  }
  if (B->UseLineDirectives && FLineDirAllowed && ParseLineDirective()) {
    return;
  }
  if (ParseIdentifiers()) {
    return;
  }
  FTokenKind = IsPunct(C) || FPrefixWithoutIdent ? skSymbol : skText;
  ++FPos;
}

// ---- colouring ----

Integer TSyntaxParser::ColorString(const std::string& S, Integer State, std::string& ColorData) {
  if (ColorData.empty() || S.empty() || ComponentState().Contains(csLoading) || FScheme->SyntaxBlocks()->Count() == 0) {
    return State;
  }
  const auto W = static_cast<Cardinal>(State);
  SetCurBlock(static_cast<Integer>(W >> 24), 0);
  FPartOfBlock = (W & (1u << 23)) != 0;
  FCaseSensitive = (W & (1u << 22)) != 0;
  FDelimIndex = static_cast<Integer>((W >> 16) & 0x3F);
  FScanState = static_cast<Integer>((W >> 8) & 0xFF);
  FItemIndex = static_cast<Integer>(W & 0xFF);
  if (FScanState > ssDirective) {
    FScanState = ssNormal;
  }
  FLineDirAllowed = true;
  FFullLineAllowed = true;
  FLineDirFound = false;
  FPendingReset = false;
  FLine = S.data();
  FLen = static_cast<Integer>(S.size());
  FPos = 0;
  Integer TokenStart = 0;
  const auto ColourLen = static_cast<Integer>(ColorData.size());
  for (;;) {
    if (FScanState == ssNormal) {
      CheckBlocks();
    }
    if (FPendingReset) {
      FPendingReset = false;
      FScanState = ssNormal;
    }
    if (FPos >= FLen) {
      break;
    }
    const Integer StateBefore = FScanState;
    GetToken();
    if (FPos == TokenStart && FScanState == StateBefore) {
      ++FPos;  // every pass moves on
    }
    if (FTokenKind >= 4) {
      FLineDirAllowed = false;
    }
    if (FTokenKind != skText) {
      FFullLineAllowed = false;
    }
    const Integer To = std::min(FPos, ColourLen);
    if (TokenStart < To) {
      std::memset(ColorData.data() + TokenStart, _GetAttrID(), static_cast<std::size_t>(To - TokenStart));
    }
    if (OnGetToken) {
      const std::string Piece(FLine + TokenStart, static_cast<std::size_t>(FPos - TokenStart));
      if (StateBefore != ssNormal) {
        FTokenText += Piece;
      } else {
        FTokenText = Piece;
      }
      if (FScanState == ssNormal) {
        OnGetToken(this, FTokenKind, FTokenText);
      }
    }
    TokenStart = FPos;
  }
  FLine = nullptr;
  FLen = 0;
  return StateWord();
}

// ---- attribute table ----

void TSyntaxScheme::CreateAttrIDHash() {
  FAttrTable.fill(nullptr);
  auto* P = dynamic_cast<TSyntaxParser*>(Parser);
  std::string Name = "Courier New";
  Integer Size = 10;
  TColor Color = clWindowText;
  TColor Back = clWindow;
  if (P != nullptr && P->DefaultAttr() != nullptr) {
    const TFont* F = P->DefaultAttr()->Font();
    Name = F->Name();
    Size = F->Size();
    Color = F->Color();
    Back = P->DefaultAttr()->BackColor();
  }
  Vuvudi::TMemoEnvOptions* Global = Vuvudi::GlobalMemoOptions();
  Vuvudi::TTextStyles* Styles = Global->TextStyles();
  auto StyleNamed = [Styles](const std::string& N) -> Vuvudi::TTextStyle* {
    const Integer I = Styles->IndexOfName(N);
    return I >= 0 ? Styles->GetItem(I) : nullptr;
  };
  auto StyleBack = [Global](const Vuvudi::TTextStyle* S) { return S->UseMemoColor() ? Global->Color : S->Color(); };
  if (UseGlobalOptions) {
    Name = Global->Font()->Name();
    Size = Global->Font()->Size();
    if (const Vuvudi::TTextStyle* WS = StyleNamed("Whitespace")) {
      Color = WS->Font()->Color();
      Back = StyleBack(WS);
    }
  }
  auto SetWork = [](TAttrItem* A, const std::string& FontName, Integer FontSize, TColor FontColor, TFontStyles Style,
                    TColor BackColor) {
    A->WorkFont->SetName(FontName);
    A->WorkFont->SetSize(FontSize);
    A->WorkFont->SetColor(FontColor);
    A->WorkFont->SetStyle(Style);
    A->WorkBackColor = BackColor;
  };
  const Vuvudi::TTextStyle* UrlStyle = StyleNamed("Url");
  SetWork(FUrl.get(), Name, Size, UrlStyle != nullptr ? UrlStyle->Font()->Color() : Color, TFontStyles{fsUnderline},
          Back);
  const Vuvudi::TTextStyle* WsStyle = UseGlobalOptions ? StyleNamed("Whitespace") : nullptr;
  SetWork(FWhitespace.get(), Name, Size, WsStyle != nullptr ? WsStyle->Font()->Color() : Color, TFontStyles{}, Back);
  FAttrTable[12] = FUrl.get();

  // The FIText attribute of the nearest block (the attribute's own, then its ancestors) that passes Has.
  auto NearestText = [this](Integer BlockID, auto Has) -> TAttrItem* {
    for (Integer Step = 0; Step < 256; ++Step) {
      const TSyntaxBlock* Block = nullptr;
      for (Integer I = 0; I < FSyntaxBlocks->Count(); ++I) {
        if (FSyntaxBlocks->GetItem(I)->ID == BlockID) {
          Block = FSyntaxBlocks->GetItem(I);
          break;
        }
      }
      if (Block == nullptr) {
        return nullptr;
      }
      TAttrItem* Text = FFontTable->GetItemByID(Block->FIText);
      if (Text != nullptr && Has(Text)) {
        return Text;
      }
      BlockID = Block->ParentID;
    }
    return nullptr;
  };
  for (Integer I = 0; I < FFontTable->Count(); ++I) {
    TAttrItem* A = FFontTable->GetItem(I);
    if (A->FontID < 0 || A->FontID > 255) {
      continue;
    }
    FAttrTable[static_cast<std::size_t>(A->FontID)] = A;
    std::string FontName = A->Font()->Name();
    Integer FontSize = A->Font()->Size();
    if (A->UseDefFont()) {
      const TAttrItem* T = NearestText(A->BlockID, [](const TAttrItem* X) { return !X->UseDefFont(); });
      FontName = T != nullptr ? T->Font()->Name() : Name;
      FontSize = T != nullptr ? T->Font()->Size() : Size;
    }
    TColor BackColor = A->BackColor();
    if (A->UseDefBack()) {
      const TAttrItem* T = NearestText(A->BlockID, [](const TAttrItem* X) { return !X->UseDefBack(); });
      BackColor = T != nullptr ? T->BackColor() : Back;
    }
    TColor FontColor = A->Font()->Color();
    TFontStyles Style = A->Font()->Style();
    if (const Vuvudi::TTextStyle* S = UseGlobalOptions ? StyleNamed(A->GlobalAttrID) : nullptr) {
      FontColor = S->Font()->Color();
      Style = S->Font()->Style();
      if (!S->UseMemoColor()) {
        BackColor = S->Color();  // a style with a background of its own gives it to the attribute
      }
    }
    SetWork(A, FontName, FontSize, FontColor, Style, BackColor);
  }
  if (FFontTable->Count() == 0) {
    FAttrTable[0] = FWhitespace.get();
  }
}

// ---- queries by position ----

TSyntaxItemInfo GetItemInfoAt(Vuvudi::TCustomVUVudi* Memo, const TPoint& P) {
  TSyntaxItemInfo Info;
  if (Memo == nullptr) {
    return Info;
  }
  Dcstring::TCustomMemoSource* Source = Memo->GetSource();
  auto* Parser = dynamic_cast<TSyntaxParser*>(Source->SyntaxParser());
  if (Parser == nullptr || P.Y < 0 || P.Y >= Source->GetStrCount()) {
    return Info;
  }
  (void)Source->GetColorData(P.Y);  // makes the line's start state known
  const Dcstring::TStringItem* Item = Source->GetStringItem(P.Y);
  const std::string Prefix =
      Item->Text.substr(0, static_cast<std::size_t>(std::max(0, Source->GetRealTabIndex(Item->Text, P.X))));
  if (Prefix.empty()) {
    Parser->SetCurBlock(static_cast<Integer>(static_cast<Cardinal>(Item->StartState) >> 24), 0);
    Info.Block = Parser->CurBlock();
    return Info;
  }
  std::string Colour(Prefix.size(), '\0');
  (void)Parser->ColorString(Prefix, Item->StartState, Colour);
  TSyntaxBlock* B = Parser->CurBlock();
  Info.Block = B;
  Info.TokenKind = Parser->TokenKind();
  if (B != nullptr) {
    const Integer I = Parser->ItemIndex();
    switch (Info.TokenKind) {
      case skSingleLineComment: Info.Item = ItemOf(B->SingleLineCommentDelimiters, I); break;
      case skMultiLineComment: Info.Item = ItemOf(B->MultiLineCommentDelimiters, I); break;
      case skFullLineComment: Info.Item = ItemOf(B->FullLineCommentDelimiters, I); break;
      case skSingleLineString: Info.Item = ItemOf(B->SingleLineStringDelimiters, I); break;
      case skMultiLineString: Info.Item = ItemOf(B->MultiLineStringDelimiters, I); break;
      case skKeyword: Info.Item = ItemOf(B->KeywordSets, I); break;
      default: break;
    }
  }
  Info.Attr = Parser->SyntaxScheme()->FontTable()->GetItemByID(static_cast<unsigned char>(Colour.back()));
  return Info;
}

TSyntaxBlock* GetSyntaxBlockAt(Vuvudi::TCustomVUVudi* Memo, const TPoint& P) { return GetItemInfoAt(Memo, P).Block; }

TSyntaxBlock* GetSyntaxBlockAtCursor(Vuvudi::TCustomVUVudi* Memo) {
  return Memo != nullptr ? GetSyntaxBlockAt(Memo, Memo->GetCaretPoint()) : nullptr;
}

}  // namespace Dcsyntax
