// The syntax scheme model: tokens, attributes, blocks, the scheme and its version upgrade, and character sets as
// text.
#include "codeeditor/Dcsyntax.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/rtl/UnitInit.h"

#include <algorithm>
#include <array>

namespace Dcsyntax {

Z_IMPLEMENT_CLASS_PUBLISHED(TToken, TCollectionItem, TToken::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TLineToken, TToken, TLineToken::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TBlockToken, TLineToken, TBlockToken::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TKeywordSet, TToken, TKeywordSet::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TDelimiters, TCollectionItem, TDelimiters::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TAttrItem, TCollectionItem, TAttrItem::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TDefAttrItem, TAttrItem, TDefAttrItem::Publish)
Z_IMPLEMENT_CLASS(TLineTokenList, TCollection)
Z_IMPLEMENT_CLASS(TBlockTokenList, TCollection)
Z_IMPLEMENT_CLASS(TKeywordSetList, TCollection)
Z_IMPLEMENT_CLASS(TDelimitersList, TCollection)
Z_IMPLEMENT_CLASS(TFontList, TCollection)
Z_IMPLEMENT_CLASS(TSyntaxBlockList, TCollection)
Z_IMPLEMENT_CLASS_PUBLISHED(TSyntaxBlock, TCollectionItem, TSyntaxBlock::Publish)
Z_IMPLEMENT_CLASS(TBlockInfo, TObject)
Z_IMPLEMENT_CLASS_PUBLISHED(TSyntaxScheme, TPersistent, TSyntaxScheme::Publish)

// ---- tokens ----

void TToken::Publish(TMetaClass& Meta) {
  TPublisher<TToken> P(Meta);
  P.Property("FontID", &TToken::FontID, &TToken::FontID).Default(-1);
  P.Property("UseToken", &TToken::UseToken, &TToken::UseToken).Default(true);
}

void TToken::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TToken*>(Source)) {
    FontID = S->FontID;
    UseToken = S->UseToken;
    return;
  }
  TCollectionItem::Assign(Source);
}

void TLineToken::Publish(TMetaClass& Meta) {
  TPublisher<TLineToken> P(Meta);
  P.Property("LeftDelimiter", &TLineToken::LeftDelimiter, &TLineToken::LeftDelimiter);
}

void TLineToken::Assign(TPersistent* Source) {
  TToken::Assign(Source);
  if (auto* S = dynamic_cast<TLineToken*>(Source)) {
    LeftDelimiter = S->LeftDelimiter;
  }
}

void TBlockToken::Publish(TMetaClass& Meta) {
  TPublisher<TBlockToken> P(Meta);
  P.Property("RightDelimiter", &TBlockToken::RightDelimiter, &TBlockToken::RightDelimiter);
}

void TBlockToken::Assign(TPersistent* Source) {
  TLineToken::Assign(Source);
  if (auto* S = dynamic_cast<TBlockToken*>(Source)) {
    RightDelimiter = S->RightDelimiter;
  }
}

void TKeywordSet::Publish(TMetaClass& Meta) {
  TPublisher<TKeywordSet> P(Meta);
  P.Property("Name", &TKeywordSet::Name, &TKeywordSet::Name);
  P.Property("Keywords", &TKeywordSet::Keywords, &TKeywordSet::Keywords);
}

void TKeywordSet::Assign(TPersistent* Source) {
  TToken::Assign(Source);
  if (auto* S = dynamic_cast<TKeywordSet*>(Source)) {
    Name = S->Name;
    Keywords = S->Keywords;
  }
}

void TDelimiters::Publish(TMetaClass& Meta) {
  TPublisher<TDelimiters> P(Meta);
  P.Property("LeftDelimiter", &TDelimiters::LeftDelimiter, &TDelimiters::LeftDelimiter);
  P.Property("RightDelimiter", &TDelimiters::RightDelimiter, &TDelimiters::RightDelimiter);
  P.Property("DelimitersArePartOfBlock", &TDelimiters::DelimitersArePartOfBlock, &TDelimiters::DelimitersArePartOfBlock)
      .Default(false);
  P.Property("UseToken", &TDelimiters::UseToken, &TDelimiters::UseToken).Default(true);
}

void TDelimiters::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TDelimiters*>(Source)) {
    LeftDelimiter = S->LeftDelimiter;
    RightDelimiter = S->RightDelimiter;
    DelimitersArePartOfBlock = S->DelimitersArePartOfBlock;
    UseToken = S->UseToken;
    return;
  }
  TCollectionItem::Assign(Source);
}

// ---- attributes ----

TAttrItem::TAttrItem(TCollection* ACollection)
    : TCollectionItem(ACollection), WorkFont(new TFont()), FFont(new TFont()) {
  if (auto* Table = dynamic_cast<TFontList*>(ACollection)) {
    // This item is in the table already: it must not count itself.
    FontID = -1;
    FontID = Table->GetUniqueID();
  }
}

TAttrItem::~TAttrItem() = default;

void TAttrItem::Publish(TMetaClass& Meta) {
  TPublisher<TAttrItem> P(Meta);
  P.Property("FontID", &TAttrItem::FontID, &TAttrItem::FontID).Default(-1);
  P.Property("GlobalAttrID", &TAttrItem::GlobalAttrID, &TAttrItem::GlobalAttrID);
  P.Property("BlockID", &TAttrItem::BlockID, &TAttrItem::BlockID).Default(0);
  P.Property("Font", &TAttrItem::Font, &TAttrItem::SetFont);
  P.Property("BackColor", &TAttrItem::BackColor, &TAttrItem::SetBackColor)
      .Type(TypeInfoColor())
      .Default(DefaultBackColor);
  P.Property("UseDefFont", &TAttrItem::UseDefFont, &TAttrItem::SetUseDefFont).Default(true);
  P.Property("UseDefBack", &TAttrItem::UseDefBack, &TAttrItem::SetUseDefBack).Default(true);
}

void TAttrItem::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TAttrItem*>(Source)) {
    FontID = S->FontID;
    GlobalAttrID = S->GlobalAttrID;
    BlockID = S->BlockID;
    FFont->Assign(S->FFont.get());
    SetBackColor(S->FBackColor);
    SetUseDefFont(S->FUseDefFont);
    SetUseDefBack(S->FUseDefBack);
    return;
  }
  TCollectionItem::Assign(Source);
}

TDefAttrItem::TDefAttrItem(TCollection* ACollection) : TAttrItem(ACollection) {
  FUseDefFont = false;
  FUseDefBack = false;
}

void TDefAttrItem::Publish(TMetaClass& Meta) {
  TPublisher<TDefAttrItem> P(Meta);
  P.Property("UseDefFont", &TAttrItem::UseDefFont, &TAttrItem::SetUseDefFont).Default(false);
  P.Property("UseDefBack", &TAttrItem::UseDefBack, &TAttrItem::SetUseDefBack).Default(false);
}

void TDefAttrItem::SetBackColor(TColor Value) {
  FBackColor = Value;
  if (OnBackColorChanged) {
    OnBackColorChanged(this);
  }
}

// ---- the font table ----

Integer TFontList::GetUniqueID() const {
  std::array<bool, 256> Used{};
  for (Integer I = 0; I < Count(); ++I) {
    const Integer Id = GetItem(I)->FontID;
    if (Id >= 0 && Id < 256) {
      Used[static_cast<std::size_t>(Id)] = true;
    }
  }
  for (std::size_t Id = 0; Id < Used.size(); ++Id) {
    if (!Used[Id]) {
      return static_cast<Integer>(Id);
    }
  }
  return -1;
}

TAttrItem* TFontList::GetItemByID(Integer Id) const {
  for (Integer I = 0; I < Count(); ++I) {
    if (GetItem(I)->FontID == Id) {
      return GetItem(I);
    }
  }
  return nullptr;
}

TFont* TFontList::GetFontByID(Integer Id) const {
  TAttrItem* Item = GetItemByID(Id);
  return Item != nullptr ? Item->Font() : nullptr;
}

// ---- character sets ----

std::string CharSetToString(const TSysCharSet& Set) {
  std::string Text;
  int C = 0;
  while (C < 256) {
    if (!Set.Contains(static_cast<char>(C))) {
      ++C;
      continue;
    }
    int Last = C;
    while (Last + 1 < 256 && Set.Contains(static_cast<char>(Last + 1))) {
      ++Last;
    }
    if (C == '\\' || C == '-') {
      Text += '\\';
    }
    Text += static_cast<char>(C);
    if (Last > C) {
      Text += '-';
      Text += static_cast<char>(Last);
    }
    C = Last + 1;
  }
  return Text;
}

TSysCharSet StringToCharSet(const std::string& Text) {
  TSysCharSet Set;
  int LastAdded = -1;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    const char C = Text[I];
    // A "\" or "-" at the end, and a "-" before anything was added, stand for themselves.
    if (C == '\\' && I + 1 < Text.size()) {
      ++I;
    } else if (C == '-' && I + 1 < Text.size() && LastAdded >= 0) {
      ++I;
      const int To = static_cast<unsigned char>(Text[I]);
      for (int Code = LastAdded; Code <= To; ++Code) {
        Set.Include(static_cast<char>(Code));
      }
      if (To >= LastAdded) {
        LastAdded = To;
      }
      continue;
    }
    Set.Include(Text[I]);
    LastAdded = static_cast<unsigned char>(Text[I]);
  }
  return Set;
}

// ---- blocks ----

const TSysCharSet& TSyntaxBlock::DefaultFirstIdentChars() {
  static const TSysCharSet Set = TSysCharSet::Range('A', 'Z') + TSysCharSet{'_'} + TSysCharSet::Range('a', 'z');
  return Set;
}

const TSysCharSet& TSyntaxBlock::DefaultOtherIdentChars() {
  static const TSysCharSet Set = TSysCharSet::Range('0', '9') + DefaultFirstIdentChars();
  return Set;
}

TSyntaxBlock::TSyntaxBlock(TCollection* ACollection)
    : TCollectionItem(ACollection),
      BlockDelimiters(new TDelimitersList()),
      SingleLineCommentDelimiters(new TLineTokenList()),
      MultiLineCommentDelimiters(new TBlockTokenList()),
      FullLineCommentDelimiters(new TLineTokenList()),
      SingleLineStringDelimiters(new TBlockTokenList()),
      MultiLineStringDelimiters(new TBlockTokenList()),
      NumPrefixes(new TLineTokenList()),
      NumSuffixes(new TLineTokenList()),
      NumPrefixesSuffixes(new TBlockTokenList()),
      IdentPrefixes(new TLineTokenList()),
      IdentSuffixes(new TLineTokenList()),
      IdentPrefixesSuffixes(new TBlockTokenList()),
      KeywordSets(new TKeywordSetList()) {
  FirstIdentChars = DefaultFirstIdentChars();
  OtherIdentChars = DefaultOtherIdentChars();
}

TSyntaxBlock::~TSyntaxBlock() {
  for (TCollection* L : Lists()) {
    delete L;
  }
}

// Every list, BlockDelimiters first, then the twelve token lists.
std::vector<TCollection*> TSyntaxBlock::Lists() const {
  return {BlockDelimiters,
          SingleLineCommentDelimiters,
          MultiLineCommentDelimiters,
          FullLineCommentDelimiters,
          SingleLineStringDelimiters,
          MultiLineStringDelimiters,
          NumPrefixes,
          NumSuffixes,
          NumPrefixesSuffixes,
          IdentPrefixes,
          IdentSuffixes,
          IdentPrefixesSuffixes,
          KeywordSets};
}

// The block's published members, in order; lists and switches stored only when the switch that uses them is on.
void TSyntaxBlock::Publish(TMetaClass& Meta) {
  using B = TSyntaxBlock;
  {
    TPublisher<B> P(Meta);
    P.Property("Name", &B::Name, &B::Name);
    P.Property("ID", &B::ID, &B::ID).Default(-1);
    P.Property("ParentID", &B::ParentID, &B::ParentID).Default(-1);
    P.Property("CaseSensitive", &B::CaseSensitive, &B::CaseSensitive).Default(false);
    P.Property("UseMetaSymbol", &B::UseMetaSymbol, &B::UseMetaSymbol).Default(false);
    P.Property("UseMetaToWrapLines", &B::UseMetaToWrapLines, &B::UseMetaToWrapLines)
        .NoDefault()
        .Stored(&B::IsMetaStored);
    P.Property("MetaSymbol", &B::MetaSymbol, &B::MetaSymbol).NoDefault().Stored(&B::IsMetaStored);
    P.Property("FIText", &B::FIText, &B::FIText).Default(-1);
    P.Property("FIIntNum", &B::FIIntNum, &B::FIIntNum).Default(-1);
    P.Property("FIFloatNum", &B::FIFloatNum, &B::FIFloatNum).Default(-1);
    P.Property("FIHexNum", &B::FIHexNum, &B::FIHexNum).Default(-1);
    P.Property("FIDirective", &B::FIDirective, &B::FIDirective).Default(-1);
    P.Property("FISymbol", &B::FISymbol, &B::FISymbol).Default(-1);
    P.Property("FIIdentifier", &B::FIIdentifier, &B::FIIdentifier).Default(-1);
    P.Property("UseSymbols", &B::UseSymbols, &B::UseSymbols).Default(false);
    P.Property("UseLineDirectives", &B::UseLineDirectives, &B::UseLineDirectives).Default(false);
    P.Property("UseComments", &B::UseComments, &B::UseComments).Default(false);
    P.Property("UseSingleLineComments", &B::UseSingleLineComments, &B::UseSingleLineComments).Default(false);
    P.Property("UseMultiLineComments", &B::UseMultiLineComments, &B::UseMultiLineComments).Default(false);
    P.Property("UseFullLineComments", &B::UseFullLineComments, &B::UseFullLineComments).Default(false);
    P.Property("UseStrings", &B::UseStrings, &B::UseStrings).Default(false);
    P.Property("UseSingleLineStrings", &B::UseSingleLineStrings, &B::UseSingleLineStrings).Default(false);
    P.Property("UseMultiLineStrings", &B::UseMultiLineStrings, &B::UseMultiLineStrings).Default(false);
    P.Property("UseNumbers", &B::UseNumbers, &B::UseNumbers).Default(false);
    P.Property("UsePrefixedNumbers", &B::UsePrefixedNumbers, &B::UsePrefixedNumbers).Default(false);
    P.Property("UseSuffixedNumbers", &B::UseSuffixedNumbers, &B::UseSuffixedNumbers).Default(false);
    P.Property("UseMultipleNumSuffixes", &B::UseMultipleNumSuffixes, &B::UseMultipleNumSuffixes)
        .Default(false)
        .Stored(&B::IsSuffixedNumbers);
    P.Property("UsePrefixedSuffixedNumbers", &B::UsePrefixedSuffixedNumbers, &B::UsePrefixedSuffixedNumbers)
        .Default(false);
    P.Property("UsePSNumComposition", &B::UsePSNumComposition, &B::UsePSNumComposition)
        .Default(false)
        .Stored(&B::IsPrefixedSuffixedNumbers);
    P.Property("UseIdentifiers", &B::UseIdentifiers, &B::UseIdentifiers).Default(false);
    P.Property("UsePrefixedIdentifiers", &B::UsePrefixedIdentifiers, &B::UsePrefixedIdentifiers).Default(false);
    P.Property("UseSuffixedIdentifiers", &B::UseSuffixedIdentifiers, &B::UseSuffixedIdentifiers).Default(false);
    P.Property("UsePrefixedSuffixedIdentifiers", &B::UsePrefixedSuffixedIdentifiers, &B::UsePrefixedSuffixedIdentifiers)
        .Default(false);
    P.Property("UseKeywords", &B::UseKeywords, &B::UseKeywords).Default(false);
    P.Property("BlockDelimiters", &B::BlockDelimiters, &B::SetBlockDelimiters);
    P.Property("LineDirectivePrefix", &B::LineDirectivePrefix, &B::LineDirectivePrefix).Stored(&B::IsLineDirectives);
    P.Property("SingleLineCommentDelimiters", &B::SingleLineCommentDelimiters, &B::SetSingleLineCommentDelimiters)
        .Stored(&B::IsSingleLineComments);
    P.Property("MultiLineCommentDelimiters", &B::MultiLineCommentDelimiters, &B::SetMultiLineCommentDelimiters)
        .Stored(&B::IsMultiLineComments);
    P.Property("FullLineCommentDelimiters", &B::FullLineCommentDelimiters, &B::SetFullLineCommentDelimiters)
        .Stored(&B::IsFullLineComments);
    P.Property("SingleLineStringDelimiters", &B::SingleLineStringDelimiters, &B::SetSingleLineStringDelimiters)
        .Stored(&B::IsSingleLineStrings);
    P.Property("MultiLineStringDelimiters", &B::MultiLineStringDelimiters, &B::SetMultiLineStringDelimiters)
        .Stored(&B::IsMultiLineStrings);
    P.Property("NumPrefixes", &B::NumPrefixes, &B::SetNumPrefixes).Stored(&B::IsPrefixedNumbers);
    P.Property("NumSuffixes", &B::NumSuffixes, &B::SetNumSuffixes).Stored(&B::IsSuffixedNumbers);
    P.Property("NumPrefixesSuffixes", &B::NumPrefixesSuffixes, &B::SetNumPrefixesSuffixes)
        .Stored(&B::IsPrefixedSuffixedNumbers);
    P.Property("IdentPrefixes", &B::IdentPrefixes, &B::SetIdentPrefixes).Stored(&B::IsPrefixedIdentifiers);
    P.Property("IdentSuffixes", &B::IdentSuffixes, &B::SetIdentSuffixes).Stored(&B::IsSuffixedIdentifiers);
    P.Property("IdentPrefixesSuffixes", &B::IdentPrefixesSuffixes, &B::SetIdentPrefixesSuffixes)
        .Stored(&B::IsPrefixedSuffixedIdentifiers);
    P.Property("KeywordSets", &B::KeywordSets, &B::SetKeywordSets).Stored(&B::IsKeywords);
  }
}

void TSyntaxBlock::DefineProperties(TFiler* Filer) {
  TCollectionItem::DefineProperties(Filer);
  Filer->DefineProperty(
      "FirstIdentChars", [this](TReader* R) { FirstIdentChars = StringToCharSet(R->ReadString()); },
      [this](TWriter* W) { W->WriteString(CharSetToString(FirstIdentChars)); },
      FirstIdentChars != DefaultFirstIdentChars());
  Filer->DefineProperty(
      "OtherIdentChars", [this](TReader* R) { OtherIdentChars = StringToCharSet(R->ReadString()); },
      [this](TWriter* W) { W->WriteString(CharSetToString(OtherIdentChars)); },
      OtherIdentChars != DefaultOtherIdentChars());
}

void TSyntaxBlock::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TSyntaxBlock*>(Source);
  if (S == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  static_cast<TBlockSettings&>(*this) = *S;
  const std::vector<TCollection*> Mine = Lists();
  const std::vector<TCollection*> Theirs = S->Lists();
  for (std::size_t I = 0; I < Mine.size(); ++I) {
    Mine[I]->Assign(Theirs[I]);
  }
}

std::vector<Integer> TSyntaxBlock::ReferredFontIDs() const {
  std::vector<Integer> Ids = {FIText, FIIntNum, FIFloatNum, FIHexNum, FIDirective, FISymbol, FIIdentifier};
  const std::vector<TCollection*> All = Lists();
  for (std::size_t N = 1; N < All.size(); ++N) {  // the token lists, not the delimiters
    const TCollection* L = All[N];
    for (Integer I = 0; I < L->Count(); ++I) {
      Ids.push_back(static_cast<const TToken*>(L->Items(I))->FontID);
    }
  }
  return Ids;
}

}  // namespace Dcsyntax
