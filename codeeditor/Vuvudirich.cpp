// The code editor's formatted text: TMemoAttributes, the attribute table TAttributeParser, and the control's
// selection attributes.
#include "codeeditor/Vuvudirich.h"

#include "platform/classes/TypInfoImpl.h"

#include <algorithm>

namespace Vuvudi {

Z_IMPLEMENT_CLASS(TMemoAttributes, TPersistent)
Z_IMPLEMENT_CLASS_PUBLISHED(TAttributeParser, Dorazori::TSimpleParser, TAttributeParser::Publish)

namespace {
using Dcstring::MaxInt;
constexpr Integer TableSize = 256;
constexpr Integer LinkIndex = 12;
constexpr Integer UpdateReasonAttributes = 71;

constexpr TConsistentAttrs MemberBit(Integer Member) {
  return Member == 0 ? csBold : Member == 1 ? csItalic : Member == 2 ? csUnderline : csStrikeOut;
}
constexpr TFontStyle MemberStyle(Integer Member) {
  return Member == 0 ? fsBold : Member == 1 ? fsItalic : Member == 2 ? fsUnderline : fsStrikeOut;
}
}  // namespace

// ---- TMemoAttributes ----

TMemoAttributes::TMemoAttributes(TCustomVUVudi* AMemo) : FFont(new TFont()), FMemo(AMemo) {
  FName = FFont->Name();
  FSize = FFont->Size();
  AssignMemoFont();
}

TMemoAttributes::~TMemoAttributes() = default;

TAttributeParser* TMemoAttributes::Parser() const {
  return FMemo != nullptr ? dynamic_cast<TAttributeParser*>(FMemo->GetSource()->SyntaxParser()) : nullptr;
}

void TMemoAttributes::AssignMemoFont() {
  if (FMemo == nullptr) {
    return;
  }
  ++FUpdateCount;
  Assign(FMemo->Font());
  SetBkColor(FMemo->Color());
  --FUpdateCount;
  FChangeMask = 0;
}

void TMemoAttributes::Assign(TPersistent* Source) {
  if (auto* F = dynamic_cast<TFont*>(Source)) {
    BeginUpdate();
    SetColor(F->Color());
    SetName(F->Name());
    SetCharset(F->Charset());
    SetStyle(F->Style());
    SetSize(F->Size());
    SetPitch(F->Pitch());
    EndUpdate();
    return;
  }
  if (auto* A = dynamic_cast<TMemoAttributes*>(Source)) {
    BeginUpdate();
    SetColor(A->FColor);
    SetBkColor(A->FBkColor);
    SetName(A->FName);
    SetCharset(A->FCharset);
    SetSize(A->FSize);
    SetStyle(A->FStyle);
    SetPitch(A->FPitch);
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TMemoAttributes::SafeAssign(TPersistent* Source) {
  const TConsistentAttrs Mask = FChangeMask;
  ++FUpdateCount;
  // Copy every value, even those equal to the current ones over a consistent selection.
  const bool Stored = FConsistentStored;
  FConsistentStored = true;
  const TConsistentAttrs Consistent = FConsistent;
  FConsistent = 0;
  Assign(Source);
  FConsistent = Consistent;
  FConsistentStored = Stored;
  --FUpdateCount;
  FChangeMask = Mask;
}

void TMemoAttributes::EndUpdate() {
  --FUpdateCount;
  if (FUpdateCount <= 0) {
    FUpdateCount = 0;
    Update();
  }
}

void TMemoAttributes::Update() {
  if (FUpdateCount > 0) {
    return;
  }
  if (TAttributeParser* P = Parser(); P != nullptr && FChangeMask != 0) {
    Dcstring::TCustomMemoSource* Source = FMemo->GetSource();
    const TRect R = Source->GetSelectionRect();
    const Dcstring::TSelectionType SelType = Source->SelectionType();
    P->SetAttribute(R, SelType, this);
    if (SelType != Dcstring::stNotSelected) {
      Source->BeginUpdate(UpdateReasonAttributes);
      for (Integer Line = std::max(R.Top, 0); Line <= R.Bottom && Line < Source->GetStrCount(); ++Line) {
        Source->GetStringItem(Line)->ItemState.Exclude(Dcstring::isWasParsed);
        (void)Source->UpdateString(Line);
      }
      Source->EndUpdate();
    }
    if (Source->UpdateCount() == 0) {
      Source->UpdateMaxLine(true);
    }
    Source->SelAttributesUpdated();
    FConsistentStored = false;
  }
  FChangeMask = 0;
}

void TMemoAttributes::CheckFont() {
  FFont->SetName(FName);
  FFont->SetSize(FSize);
  FFont->SetCharset(FCharset);
  FFont->SetPitch(FPitch);
  FFont->SetStyle(FStyle);
  FFont->SetColor(FColor);
}

TFont* TMemoAttributes::GetFont() {
  CheckFont();
  return FFont.get();
}

bool TMemoAttributes::EqualFontStyles(TFontStyles A, TFontStyles B, Integer Member) {
  const TFontStyle S = MemberStyle(Member);
  return A.Contains(S) == B.Contains(S);
}

TConsistentAttrs TMemoAttributes::GetAllAttributes(bool StyleAware) const {
  TConsistentAttrs Mask = csAllAttrs;
  if (StyleAware) {
    for (Integer M = 0; M < 4; ++M) {
      if (!FStyle.Contains(MemberStyle(M))) {
        Mask &= static_cast<TConsistentAttrs>(~MemberBit(M));
      }
    }
  }
  return Mask;
}

TConsistentAttrs TMemoAttributes::GetConsistentAttrs() {
  if (FConsistentStored) {
    return FConsistent;
  }
  TConsistentAttrs Mask = csAllAttrs;
  if (TAttributeParser* P = Parser()) {
    Dcstring::TCustomMemoSource* Source = FMemo->GetSource();
    P->GetAttributes(Source->GetSelectionRect(), Source->SelectionType(), Mask, this);
  }
  FConsistent = Mask;
  FConsistentStored = true;
  return Mask;
}

bool TMemoAttributes::Unchanged(bool Equal, TConsistentAttrs Bit) { return Equal && (GetConsistentAttrs() & Bit) != 0; }

void TMemoAttributes::Changed(TConsistentAttrs Bits) {
  FChangeMask |= Bits;
  Update();
}

void TMemoAttributes::SetCharset(TFontCharset Value) {
  if (!Unchanged(Value == FCharset, csCharSet)) {
    FCharset = Value;
    Changed(csCharSet);
  }
}

void TMemoAttributes::SetColor(TColor Value) {
  if (!Unchanged(Value == FColor, csColor)) {
    FColor = Value;
    Changed(csColor);
  }
}

void TMemoAttributes::SetBkColor(TColor Value) {
  if (!Unchanged(Value == FBkColor, csBkColor)) {
    FBkColor = Value;
    Changed(csBkColor);
  }
}

void TMemoAttributes::SetName(const std::string& Value) {
  if (!Unchanged(Value == FName, csFace)) {
    FName = Value;
    Changed(csFace);
  }
}

void TMemoAttributes::SetPitch(TFontPitch Value) {
  if (!Unchanged(Value == FPitch, csPitch)) {
    FPitch = Value;
    Changed(csPitch);
  }
}

void TMemoAttributes::SetSize(Integer Value) {
  if (!Unchanged(Value == FSize, csSize)) {
    FSize = Value;
    Changed(csSize);
  }
}

void TMemoAttributes::SetStyle(TFontStyles Value) {
  if (Unchanged(Value == FStyle, csStyle)) {
    return;
  }
  FStyle = Value;
  TConsistentAttrs Bits = csStyle;
  for (Integer M = 0; M < 4; ++M) {
    if (Value.Contains(MemberStyle(M))) {
      Bits |= MemberBit(M);
    }
  }
  Changed(Bits);
}

bool TMemoAttributes::GetResetOnOverFlow() const {
  const TAttributeParser* P = Parser();
  return P != nullptr && P->ResetOnOverFlow;
}

void TMemoAttributes::SetResetOnOverFlow(bool Value) {
  if (TAttributeParser* P = Parser()) {
    P->ResetOnOverFlow = Value;
  }
}

// ---- TAttributeParser ----

TAttributeParser::TAttributeParser(TComponent* AOwner) : TSimpleParser(AOwner) {
  if (auto* M = dynamic_cast<TCustomVUVudi*>(AOwner)) {
    FSelAttributes = std::make_unique<TMemoAttributes>(M);
    (void)AddNewAttribute(FSelAttributes.get());
  }
}

TAttributeParser::~TAttributeParser() = default;

void TAttributeParser::Publish(TMetaClass& Meta) {
  TPublisher<TAttributeParser> P(Meta);
  P.Property("ResetOnOverFlow", &TAttributeParser::ResetOnOverFlow, &TAttributeParser::ResetOnOverFlow).Default(false);
}

TCustomVUVudi* TAttributeParser::Memo() const { return dynamic_cast<TCustomVUVudi*>(Owner()); }

Dcstring::TCustomMemoSource* TAttributeParser::Source() const {
  TCustomVUVudi* M = Memo();
  return M != nullptr ? M->GetSource() : nullptr;
}

TAttributeParser::TKey TAttributeParser::KeyOf(TMemoAttributes* A) {
  return {A->GetFont()->Handle(), A->Color(), A->BkColor()};
}

TFont* TAttributeParser::GetFont(Integer Index) {
  if (Index >= 0 && Index < Count()) {
    return FTable[static_cast<std::size_t>(Index)]->GetFont();
  }
  if (Index == LinkIndex) {
    return nullptr;  // the links' text style
  }
  TCustomVUVudi* M = Memo();
  return M != nullptr ? M->Font() : nullptr;
}

bool TAttributeParser::GetBackColor(Integer Index, TColor& Color) {
  if (Index >= 0 && Index < Count()) {
    Color = FTable[static_cast<std::size_t>(Index)]->BkColor();
    return true;
  }
  if (Index == LinkIndex) {
    return false;
  }
  TCustomVUVudi* M = Memo();
  Color = M != nullptr ? M->Color() : static_cast<TColor>(-1);
  return true;
}

// The colour data is the document's: the source hands over the stored data of the line, which stays as it is.
Integer TAttributeParser::ColorString(const std::string& /*S*/, Integer State, std::string& /*ColorS*/) {
  return State;
}

void TAttributeParser::PrepareColorData(Integer /*Index*/, const std::string& S, std::string& ColorS) {
  if (ColorS.empty()) {
    ColorS.assign(S.size(), '\0');
  } else if (!S.empty()) {
    ColorS.resize(S.size(), '\0');
  }
}

Integer TAttributeParser::IndexOfEx(TMemoAttributes* A) const {
  const auto It = FLookup.find(KeyOf(A));
  return It != FLookup.end() ? It->second : -1;
}

void TAttributeParser::AddToCachList(TMemoAttributes* A, Integer Index) { FLookup.emplace(KeyOf(A), Index); }

Integer TAttributeParser::AddNewAttribute(TMemoAttributes* A) {
  const Integer Found = IndexOfEx(A);
  if (Found >= 0) {
    return Found;
  }
  auto TakeOffFreeList = [this](Integer Index) {
    if (FFreeList) {
      FFreeList->erase(std::remove(FFreeList->begin(), FFreeList->end(), Index), FFreeList->end());
    }
  };
  if (Count() < TableSize) {
    if (Count() == LinkIndex) {
      auto Link = std::make_unique<TMemoAttributes>(nullptr);
      TCustomVUVudi* M = Memo();
      if (M != nullptr && M->TextStyles()->Count() > LinkIndex) {
        const TTextStyle* Style = M->TextStyles()->GetItem(LinkIndex);
        Link->SafeAssign(Style->Font());
        Link->SetBkColor(Style->Color());
      }
      Link->TableIndex = LinkIndex;
      FTable.push_back(std::move(Link));
    }
    auto Copy = std::make_unique<TMemoAttributes>(nullptr);
    Copy->SafeAssign(A);
    const Integer Index = Count();
    Copy->TableIndex = Index;
    AddToCachList(Copy.get(), Index);
    FTable.push_back(std::move(Copy));
    TakeOffFreeList(Index);
    return Index;
  }
  TCustomVUVudi* M = Memo();
  if (!ResetOnOverFlow && M != nullptr && M->GetSource()->AllowUndo()) {
    return 0;  // no room: the text falls back to entry 0
  }
  if (!FFreeList || FFreeList->empty()) {
    FFreeList = std::make_unique<std::vector<Integer>>(CreateEmptyList());
  }
  if (FFreeList->empty()) {
    return 0;
  }
  const Integer Index = FFreeList->front();
  FFreeList->erase(FFreeList->begin());
  TMemoAttributes* Entry = FTable[static_cast<std::size_t>(Index)].get();
  for (auto It = FLookup.begin(); It != FLookup.end();) {
    It = It->second == Index ? FLookup.erase(It) : std::next(It);
  }
  Entry->SafeAssign(A);
  AddToCachList(Entry, Index);
  return Index;
}

std::vector<Integer> TAttributeParser::CreateEmptyList() {
  std::vector<bool> Used(TableSize, false);
  Used[LinkIndex] = true;
  if (Dcstring::TCustomMemoSource* S = Source()) {
    S->ClearUndoBuffer();
    for (Integer Line = 0; Line < S->GetStrCount(); ++Line) {
      for (const char C : S->GetStringItem(Line)->ColorData) {
        Used[static_cast<unsigned char>(C)] = true;
      }
    }
  }
  std::vector<Integer> Free;
  for (Integer I = 1; I < TableSize; ++I) {
    if (!Used[static_cast<std::size_t>(I)]) {
      Free.push_back(I);
    }
  }
  return Free;
}

void TAttributeParser::ClearStyles() {
  if (FTable.size() > 1) {
    FTable.resize(1);
  }
  FFreeList.reset();
  FLookup.clear();
  if (Dcstring::TCustomMemoSource* S = Source()) {
    FClearing = true;
    S->ParserChanged();
    FClearing = false;
  }
}

Integer TAttributeParser::GetAttr(const TPoint& P) {
  Dcstring::TCustomMemoSource* S = Source();
  return S != nullptr ? S->GetAttr(P) : 0;
}

Dcstring::TStringItem* TAttributeParser::GetStringItem(Integer Line) {
  Dcstring::TCustomMemoSource* S = Source();
  if (S == nullptr || Line < 0 || Line >= S->GetStrCount()) {
    return nullptr;
  }
  Dcstring::TStringItem* Item = S->GetStringItem(Line);
  if (Item->ColorData.empty() && !Item->Text.empty() && !FClearing) {
    // A line not coloured yet (off screen): its colour data is made first, so a change covers the whole range.
    (void)S->GetColorData(Line);
  }
  return Item;
}

Integer TAttributeParser::GetPos(const std::string& S, Integer Pos) {
  Dcstring::TCustomMemoSource* Src = Source();
  if (Pos > 1 && Pos < MaxInt && Src != nullptr) {
    return Src->GetRealTabIndex(S, Pos - 1) + 1;
  }
  return Pos;
}

TMemoAttributes* TAttributeParser::GetAttrFromIndex(Integer Index) {
  if (Index >= 0 && Index < Count()) {
    return FTable[static_cast<std::size_t>(Index)].get();
  }
  if (!FTable.empty()) {
    return FTable[0].get();
  }
  return FSelAttributes.get();
}

void TAttributeParser::GetAttribute(const TPoint& P, TMemoAttributes* A) {
  if (TMemoAttributes* From = GetAttrFromIndex(GetAttr(P))) {
    A->SafeAssign(From);
  }
}

void TAttributeParser::GetStrAttribute(Integer Line, Integer FromPos, TConsistentAttrs& Mask, Integer AttrIndex,
                                       Integer ToPos) {
  Dcstring::TStringItem* Item = GetStringItem(Line);
  if (Item == nullptr || Item->ColorData.empty()) {
    return;
  }
  const auto Size = static_cast<Integer>(Item->ColorData.size());
  FromPos = std::clamp(GetPos(Item->Text, FromPos), 1, Size + 1);
  ToPos = std::min(GetPos(Item->Text, ToPos), Size);
  TMemoAttributes* Ref = GetAttrFromIndex(AttrIndex);
  for (Integer P = FromPos; P <= ToPos; ++P) {
    const Integer Index = static_cast<unsigned char>(Item->ColorData[static_cast<std::size_t>(P - 1)]);
    if (Index == AttrIndex) {
      continue;
    }
    const TMemoAttributes* E = GetAttrFromIndex(Index);
    auto Clear = [&Mask](bool Differs, TConsistentAttrs Bit) {
      if (Differs) {
        Mask &= static_cast<TConsistentAttrs>(~Bit);
      }
    };
    Clear(E->Charset() != Ref->Charset(), csCharSet);
    Clear(E->Color() != Ref->Color(), csColor);
    Clear(E->BkColor() != Ref->BkColor(), csBkColor);
    Clear(E->Name() != Ref->Name(), csFace);
    Clear(E->Pitch() != Ref->Pitch(), csPitch);
    Clear(E->Size() != Ref->Size(), csSize);
    if (E->Style() != Ref->Style()) {
      Mask &= static_cast<TConsistentAttrs>(~csStyle);
      for (Integer M = 0; M < 4; ++M) {
        Clear(!TMemoAttributes::EqualFontStyles(E->Style(), Ref->Style(), M), MemberBit(M));
      }
    }
  }
}

void TAttributeParser::SetStrAttribute(Integer Line, Integer FromPos, TMemoAttributes* A, Integer ToPos) {
  Dcstring::TStringItem* Item = GetStringItem(Line);
  Dcstring::TCustomMemoSource* S = Source();
  if (Item == nullptr || S == nullptr) {
    return;
  }
  if (Item->ColorData.empty()) {
    Item->ColorData.assign(1, static_cast<char>(AddNewAttribute(A)));
    S->ColorDataChanged(std::string(), Line, 1);
    return;
  }
  const auto Size = static_cast<Integer>(Item->ColorData.size());
  FromPos = GetPos(Item->Text, FromPos);
  ToPos = std::min(GetPos(Item->Text, ToPos), Size);
  if (FromPos < 1 || FromPos > ToPos || FromPos > Size) {
    return;
  }
  const auto Start = static_cast<std::size_t>(FromPos - 1);
  const auto Length = static_cast<std::size_t>(ToPos - FromPos + 1);
  std::string Slice = Item->ColorData.substr(Start, Length);
  S->ColorDataChanged(Slice, Line, FromPos);
  const TConsistentAttrs Mask = A->ChangeMask();
  std::size_t I = 0;
  while (I < Slice.size()) {
    std::size_t End = I + 1;
    while (End < Slice.size() && Slice[End] == Slice[I]) {
      ++End;
    }
    TMemoAttributes Changed(nullptr);
    Changed.SafeAssign(GetAttrFromIndex(static_cast<unsigned char>(Slice[I])));
    Changed.BeginUpdate();
    if ((Mask & csColor) != 0) {
      Changed.SetColor(A->Color());
    }
    if ((Mask & csBkColor) != 0) {
      Changed.SetBkColor(A->BkColor());
    }
    if ((Mask & csFace) != 0) {
      Changed.SetName(A->Name());
    }
    if ((Mask & csSize) != 0) {
      Changed.SetSize(A->Size());
    }
    if ((Mask & csCharSet) != 0) {
      Changed.SetCharset(A->Charset());
    }
    if ((Mask & csPitch) != 0) {
      Changed.SetPitch(A->Pitch());
    }
    if ((Mask & csStyle) != 0) {
      TFontStyles Style;
      for (Integer M = 0; M < 4; ++M) {
        if ((Mask & MemberBit(M)) != 0) {
          Style.Include(MemberStyle(M));
        }
      }
      Changed.SetStyle(Style);
    }
    Changed.EndUpdate();
    const auto Index = static_cast<char>(AddNewAttribute(&Changed));
    std::fill(Slice.begin() + static_cast<long>(I), Slice.begin() + static_cast<long>(End), Index);
    I = End;
  }
  Item->ColorData.replace(Start, Length, Slice);
}

void TAttributeParser::GetAttributes(const TRect& R, Dcstring::TSelectionType SelType, TConsistentAttrs& Mask,
                                     TMemoAttributes* A) {
  if (A->Memo() == nullptr || SelType == Dcstring::stNotSelected) {
    return;
  }
  const Integer Ref = GetAttr(TPoint{R.Left + 1, R.Top});
  if (SelType == Dcstring::stBlockSel) {
    for (Integer Line = R.Top; Line <= R.Bottom; ++Line) {
      GetStrAttribute(Line, R.Left + 1, Mask, Ref, R.Right + 1);
    }
    return;
  }
  if (R.Top == R.Bottom) {
    GetStrAttribute(R.Top, R.Left + 1, Mask, Ref, R.Right);
    return;
  }
  GetStrAttribute(R.Top, R.Left + 1, Mask, Ref, MaxInt);
  for (Integer Line = R.Top + 1; Line < R.Bottom; ++Line) {
    GetStrAttribute(Line, 1, Mask, Ref, MaxInt);
  }
  GetStrAttribute(R.Bottom, 1, Mask, Ref, R.Right);
}

void TAttributeParser::SetAttribute(const TRect& R, Dcstring::TSelectionType SelType, TMemoAttributes* A) {
  Dcstring::TCustomMemoSource* S = Source();
  if (A->Memo() == nullptr || S == nullptr) {
    return;
  }
  if (SelType == Dcstring::stNotSelected) {
    S->CurrentAttr = AddNewAttribute(A);
    return;
  }
  if (SelType == Dcstring::stBlockSel) {
    for (Integer Line = R.Top; Line <= R.Bottom; ++Line) {
      const Dcstring::TStringItem* Item = GetStringItem(Line);
      if (R.Left <= 0 || (Item != nullptr && !Item->Text.empty())) {
        SetStrAttribute(Line, R.Left + 1, A, R.Right + 1);
      }
    }
    return;
  }
  if (R.Top == R.Bottom) {
    SetStrAttribute(R.Top, R.Left + 1, A, R.Right);
    return;
  }
  SetStrAttribute(R.Top, R.Left + 1, A, MaxInt);
  for (Integer Line = R.Top + 1; Line < R.Bottom; ++Line) {
    SetStrAttribute(Line, 1, A, MaxInt);
  }
  SetStrAttribute(R.Bottom, 1, A, R.Right);
}

// ---- the control's selection attributes ----

TMemoAttributes* GetSelAttributes(TCustomVUVudi* Memo) {
  Dcstring::TCustomMemoSource* Source = Memo->GetSource();
  auto* Parser = dynamic_cast<TAttributeParser*>(Source->SyntaxParser());
  if (Source->SyntaxParser() == nullptr) {
    Parser = new TAttributeParser(Memo);  // owned by the control: it switches to formatted text
    Source->SetSyntaxParser(Parser);
  }
  if (Parser == nullptr) {
    return nullptr;
  }
  TMemoAttributes* Sel = Parser->SelAttributes();
  const TPoint At = Source->SelectionType() != Dcstring::stNotSelected
                        ? TPoint{Source->GetSelectionRect().Left + 1, Source->GetSelectionRect().Top}
                        : Source->GetCaretPoint();
  Parser->GetAttribute(At, Sel);
  Sel->ForgetConsistentAttrs();
  return Sel;
}

void SetSelAttributes(TCustomVUVudi* Memo, TMemoAttributes* Value) {
  if (TMemoAttributes* Sel = GetSelAttributes(Memo)) {
    Sel->Assign(Value);
  }
}

}  // namespace Vuvudi
