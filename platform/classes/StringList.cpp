// TStrings and TStringList.
#include "platform/classes/StringList.h"

#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <memory>
#include <typeinfo>
#include <utility>
#include <vector>

Z_IMPLEMENT_CLASS(TStrings, TPersistent)
Z_IMPLEMENT_CLASS(TStringList, TStrings)

namespace {
// Holds a list in an update for the lifetime of the guard, so that errors still end the update.
class TUpdateGuard {
public:
  explicit TUpdateGuard(TStrings* AList) : FList(AList) { FList->BeginUpdate(); }
  ~TUpdateGuard() { FList->EndUpdate(); }
  TUpdateGuard(const TUpdateGuard&) = delete;
  TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
  TStrings* FList;
};

bool IsBlank(char C) {
  return static_cast<unsigned char>(C) <= ' ';
}

// Quote + S with every Quote doubled + Quote.
std::string QuoteItem(const std::string& S, char Quote) {
  std::string Result;
  Result.reserve(S.size() + 2);
  Result += Quote;
  for (char C : S) {
    Result += C;
    if (C == Quote) {
      Result += Quote;
    }
  }
  Result += Quote;
  return Result;
}

// Reads a quoted item starting at Value[Pos] (the opening quote). A doubled quote stands for one; the item
// ends at a single quote or at the end of the text. Pos is left after the closing quote.
std::string ExtractQuoted(std::string_view Value, std::size_t& Pos, char Quote) {
  std::string Result;
  ++Pos;
  while (Pos < Value.size()) {
    char C = Value[Pos++];
    if (C == Quote) {
      if (Pos < Value.size() && Value[Pos] == Quote) {
        ++Pos;
      } else {
        break;
      }
    }
    Result += C;
  }
  return Result;
}

std::string JoinDelimited(const TStrings& List, char Delimiter, char Quote) {
  std::string Result;
  Integer Count = List.Count();
  for (Integer I = 0; I < Count; ++I) {
    std::string S = List.Strings(I);
    // Empty items are quoted too, so that an empty last item survives the round trip.
    bool NeedsQuotes = S.empty();
    for (char C : S) {
      if (IsBlank(C) || C == Quote || C == Delimiter) {
        NeedsQuotes = true;
        break;
      }
    }
    if (I > 0) {
      Result += Delimiter;
    }
    Result += NeedsQuotes ? QuoteItem(S, Quote) : S;
  }
  return Result;
}

void SplitDelimited(TStrings& List, std::string_view Value, char Delimiter, char Quote) {
  TUpdateGuard Guard(&List);
  List.Clear();
  std::size_t P = 0;
  std::size_t N = Value.size();
  // Every character <= ' ' separates items like the delimiter (NUL included, so no byte stops the scan).
  while (P < N && IsBlank(Value[P])) {
    ++P;
  }
  while (P < N) {
    std::string S;
    if (Value[P] == Quote) {
      S = ExtractQuoted(Value, P, Quote);
    } else {
      std::size_t Start = P;
      while (P < N && !IsBlank(Value[P]) && Value[P] != Delimiter) {
        ++P;
      }
      S.assign(Value.substr(Start, P - Start));
    }
    List.Add(S);
    while (P < N && IsBlank(Value[P])) {
      ++P;
    }
    if (P < N && Value[P] == Delimiter) {
      if (P + 1 == N) {
        List.Add(std::string());  // a delimiter at the very end stands before an empty item
      }
      do {
        ++P;
      } while (P < N && IsBlank(Value[P]));
    }
  }
}
}  // namespace

// ---- TStrings ----

Integer TStrings::Add(const std::string& S) {
  Integer Result = GetCount();
  Insert(Result, S);
  return Result;
}

Integer TStrings::AddObject(const std::string& S, TObject* AObject) {
  Integer Result = Add(S);
  PutObject(Result, AObject);
  return Result;
}

void TStrings::AddStrings(TStrings* Strings) {
  TUpdateGuard Guard(this);
  Integer Count = Strings->Count();
  for (Integer I = 0; I < Count; ++I) {
    AddObject(Strings->Get(I), Strings->GetObject(I));
  }
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* Src = dynamic_cast<TStrings*>(Source)) {
    if (Src == this) {
      return;
    }
    TUpdateGuard Guard(this);
    Clear();
    AddStrings(Src);
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) {
    SetUpdateState(true);
  }
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  --FUpdateCount;
  if (FUpdateCount == 0) {
    SetUpdateState(false);
  }
}

bool TStrings::Equals(TStrings* Strings) const {
  Integer Count = GetCount();
  if (Count != Strings->GetCount()) {
    return false;
  }
  for (Integer I = 0; I < Count; ++I) {
    if (Get(I) != Strings->Get(I)) {
      return false;
    }
  }
  return true;
}

void TStrings::Error(const std::string& Msg, NativeInt Data) const {
  throw EStringListError(Format(Msg, {Data}));
}

void TStrings::Exchange(Integer Index1, Integer Index2) {
  TUpdateGuard Guard(this);
  std::string TempString = Get(Index1);
  TObject* TempObject = GetObject(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, TempString);
  PutObject(Index2, TempObject);
}

int TStrings::CompareStrings(std::string_view S1, std::string_view S2) const {
  return AnsiCompareText(S1, S2);
}

TObject* TStrings::GetObject(Integer Index) const {
  (void)Index;
  return nullptr;
}

std::string TStrings::GetTextStr() const {
  Integer Count = GetCount();
  std::string Result;
  for (Integer I = 0; I < Count; ++I) {
    Result += Get(I);
    Result += "\r\n";
  }
  return Result;
}

Integer TStrings::IndexOf(const std::string& S) const {
  Integer Count = GetCount();
  for (Integer I = 0; I < Count; ++I) {
    if (CompareStrings(Get(I), S) == 0) {
      return I;
    }
  }
  return -1;
}

Integer TStrings::IndexOfName(const std::string& Name) const {
  Integer Count = GetCount();
  for (Integer I = 0; I < Count; ++I) {
    std::string S = Get(I);
    std::size_t P = S.find('=');
    if (P != std::string::npos && CompareStrings(std::string_view(S).substr(0, P), Name) == 0) {
      return I;
    }
  }
  return -1;
}

Integer TStrings::IndexOfObject(TObject* AObject) const {
  Integer Count = GetCount();
  for (Integer I = 0; I < Count; ++I) {
    if (GetObject(I) == AObject) {
      return I;
    }
  }
  return -1;
}

void TStrings::InsertObject(Integer Index, const std::string& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::LoadFromFile(const std::string& FileName) {
  std::unique_ptr<TFileStream> Stream(new TFileStream(FileName, fmOpenRead | fmShareDenyWrite));
  LoadFromStream(Stream.get());
}

namespace {
// Streams move at most LongInt bytes per call; larger texts go in pieces.
constexpr Int64 MaxChunk = 0x40000000;
}  // namespace

void TStrings::LoadFromStream(TStream* Stream) {
  TUpdateGuard Guard(this);
  Int64 Size = Stream->Size() - Stream->Position();
  std::string S;
  if (Size > 0) {
    S.resize(static_cast<std::size_t>(Size));
    Int64 Done = 0;
    while (Done < Size) {
      LongInt N = Stream->Read(S.data() + Done, static_cast<LongInt>(std::min(Size - Done, MaxChunk)));
      if (N <= 0) {
        break;
      }
      Done += N;
    }
    S.resize(static_cast<std::size_t>(Done));
  }
  SetTextStr(S);
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) {
    return;
  }
  // Both indexes are checked before anything changes, so a bad one loses no line.
  if (NewIndex < 0 || NewIndex >= GetCount()) {
    Error(RtlConsts::SListIndexError, NewIndex);
  }
  TUpdateGuard Guard(this);
  std::string TempString = Get(CurIndex);
  TObject* TempObject = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, TempString, TempObject);
}

std::string TStrings::Names(Integer Index) const {
  std::string S = Get(Index);
  std::size_t P = S.find('=');
  return P != std::string::npos ? S.substr(0, P) : std::string();
}

void TStrings::Put(Integer Index, const std::string& S) {
  TObject* TempObject = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, TempObject);
}

void TStrings::PutObject(Integer Index, TObject* AObject) {
  (void)Index;
  (void)AObject;
}

void TStrings::SaveToFile(const std::string& FileName) {
  std::unique_ptr<TFileStream> Stream(new TFileStream(FileName, fmCreate));
  SaveToStream(Stream.get());
}

void TStrings::SaveToStream(TStream* Stream) {
  std::string S = GetTextStr();
  auto Size = static_cast<Int64>(S.size());
  for (Int64 Done = 0; Done < Size;) {
    auto N = static_cast<LongInt>(std::min(Size - Done, MaxChunk));
    Stream->WriteBuffer(S.data() + Done, N);
    Done += N;
  }
}

void TStrings::SetCapacity(Integer NewCapacity) {
  (void)NewCapacity;
}

std::string TStrings::CommaText() const {
  return JoinDelimited(*this, ',', '"');
}

void TStrings::SetCommaText(std::string_view Value) {
  SplitDelimited(*this, Value, ',', '"');
}

std::string TStrings::DelimitedText() const {
  return JoinDelimited(*this, FDelimiter, FQuoteChar);
}

void TStrings::SetDelimitedText(std::string_view Value) {
  SplitDelimited(*this, Value, FDelimiter, FQuoteChar);
}

void TStrings::SetTextStr(std::string_view Value) {
  TUpdateGuard Guard(this);
  Clear();
  std::size_t P = 0;
  std::size_t N = Value.size();
  while (P < N) {
    std::size_t Start = P;
    while (P < N && Value[P] != '\r' && Value[P] != '\n') {
      ++P;
    }
    Add(std::string(Value.substr(Start, P - Start)));
    if (P < N && Value[P] == '\r') {
      ++P;
    }
    if (P < N && Value[P] == '\n') {
      ++P;
    }
  }
}

void TStrings::SetUpdateState(bool Updating) {
  (void)Updating;
}

std::string TStrings::Values(const std::string& Name) const {
  Integer I = IndexOfName(Name);
  if (I < 0) {
    return std::string();
  }
  std::string S = Get(I);
  return S.substr(S.find('=') + 1);
}

void TStrings::SetValues(const std::string& Name, const std::string& Value) {
  Integer I = IndexOfName(Name);
  if (!Value.empty()) {
    if (I < 0) {
      I = Add(std::string());
    }
    Put(I, Name + "=" + Value);
  } else if (I >= 0) {
    Delete(I);
  }
}

// ---- TStringList ----

TStringList::~TStringList() = default;

void TStringList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) {
    Error(RtlConsts::SListIndexError, Index);
  }
}

Integer TStringList::Add(const std::string& S) {
  return AddObject(S, nullptr);
}

Integer TStringList::AddObject(const std::string& S, TObject* AObject) {
  Integer Result = GetCount();
  if (FSorted && Find(S, Result)) {
    switch (FDuplicates) {
      case dupIgnore:
        return Result;
      case dupError:
        Error(RtlConsts::SDuplicateString, 0);
      case dupAccept:
        break;
    }
  }
  InsertItem(Result, S, AObject);
  return Result;
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && FOnChange) {
    FOnChange(this);
  }
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && FOnChanging) {
    FOnChanging(this);
  }
}

void TStringList::Clear() {
  if (!FList.empty()) {
    Changing();
    FList.clear();
    SetCapacity(0);
    Changed();
  }
}

int TStringList::CompareItems(TStringList* List, Integer Index1, Integer Index2) {
  return List->CompareStrings(List->FList[static_cast<std::size_t>(Index1)].FString,
                              List->FList[static_cast<std::size_t>(Index2)].FString);
}

int TStringList::CompareStrings(std::string_view S1, std::string_view S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::CustomSort(TStringListSortCompare Compare) {
  if (!FSorted && GetCount() > 1) {
    Changing();
    QuickSort(0, GetCount() - 1, Compare);
    Changed();
  }
}

void TStringList::Delete(Integer Index) {
  CheckIndex(Index);
  Changing();
  FList.erase(FList.begin() + Index);
  Changed();
}

void TStringList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
  Changed();
}

bool TStringList::Find(const std::string& S, Integer& Index) const {
  bool Result = false;
  Integer L = 0;
  Integer H = GetCount() - 1;
  while (L <= H) {
    Integer I = L + (H - L) / 2;
    int C = CompareStrings(FList[static_cast<std::size_t>(I)].FString, S);
    if (C < 0) {
      L = I + 1;
    } else {
      H = I - 1;
      if (C == 0) {
        Result = true;
        if (FDuplicates != dupAccept) {
          L = I;
        }
      }
    }
  }
  Index = L;
  return Result;
}

std::string TStringList::Get(Integer Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].FString;
}

std::string TStringList::GetTextStr() const {
  std::size_t Size = 0;
  for (const TStringItem& Item : FList) {
    Size += Item.FString.size() + 2;
  }
  std::string Result;
  Result.reserve(Size);
  for (const TStringItem& Item : FList) {
    Result += Item.FString;
    Result += "\r\n";
  }
  return Result;
}

TObject* TStringList::GetObject(Integer Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].FObject;
}

void TStringList::Grow() {
  Integer Delta = 4;
  if (FCapacity > 64) {
    Delta = FCapacity / 4;
  } else if (FCapacity > 8) {
    Delta = 16;
  }
  SetCapacity(FCapacity + Delta);
}

Integer TStringList::IndexOf(const std::string& S) const {
  Integer Result = -1;
  if (FSorted) {
    if (!Find(S, Result)) {
      Result = -1;
    }
    return Result;
  }
  Integer Count = GetCount();
  for (Integer I = 0; I < Count; ++I) {
    if (CompareStrings(FList[static_cast<std::size_t>(I)].FString, S) == 0) {
      return I;
    }
  }
  return -1;
}

void TStringList::Insert(Integer Index, const std::string& S) {
  InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(Integer Index, const std::string& S, TObject* AObject) {
  if (FSorted) {
    Error(RtlConsts::SSortedListError, 0);
  }
  if (Index < 0 || Index > GetCount()) {
    Error(RtlConsts::SListIndexError, Index);
  }
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(Integer Index, const std::string& S, TObject* AObject) {
  Changing();
  if (GetCount() == FCapacity) {
    Grow();
  }
  FList.insert(FList.begin() + Index, TStringItem{S, AObject});
  Changed();
}

void TStringList::Move(Integer CurIndex, Integer NewIndex) {
  if (FSorted && CurIndex != NewIndex) {
    Error(RtlConsts::SSortedListError, 0);
  }
  TStrings::Move(CurIndex, NewIndex);
}

void TStringList::Put(Integer Index, const std::string& S) {
  if (FSorted) {
    Error(RtlConsts::SSortedListError, 0);
  }
  CheckIndex(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].FString = S;
  Changed();
}

void TStringList::PutObject(Integer Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].FObject = AObject;
  Changed();
}

namespace {

// The class library's quicksort over indexes (middle pivot, followed as items swap). It recurses into the
// smaller part and loops on the larger, so the stack stays shallow on any input.
template <typename TCompare, typename TSwap>
void QuickSortIndexes(Integer L, Integer R, const TCompare& Compare, const TSwap& Swap) {
  while (L < R) {
    Integer I = L;
    Integer J = R;
    Integer P = L + (R - L) / 2;
    do {
      while (Compare(I, P) < 0) {
        ++I;
      }
      while (Compare(J, P) > 0) {
        --J;
      }
      if (I <= J) {
        if (I != J) {
          Swap(I, J);
        }
        if (P == I) {
          P = J;
        } else if (P == J) {
          P = I;
        }
        ++I;
        --J;
      }
    } while (I <= J);
    if (J - L < R - I) {
      QuickSortIndexes(L, J, Compare, Swap);
      L = I;
    } else {
      QuickSortIndexes(I, R, Compare, Swap);
      R = J;
    }
  }
}

}  // namespace

void TStringList::QuickSort(Integer L, Integer R, TStringListSortCompare SCompare) {
  QuickSortIndexes(
      L, R, [&](Integer A, Integer B) { return SCompare(this, A, B); },
      [&](Integer A, Integer B) { std::swap(FList[static_cast<std::size_t>(A)], FList[static_cast<std::size_t>(B)]); });
}

// The same sort as QuickSort with CompareItems, comparing collation keys made once per string: every
// comparison has the same sign, so the list ends in the same order, ties and objects included.
bool TStringList::SortByCollationKeys() {
  const std::size_t N = FList.size();
  std::vector<std::string> Keys(N);
  for (std::size_t I = 0; I < N; ++I) {
    if (!AnsiCollationKey(FList[I].FString, !FCaseSensitive, Keys[I])) {
      return false;
    }
  }
  const bool IgnoreCase = !FCaseSensitive;
  Changing();
  QuickSortIndexes(
      0, static_cast<Integer>(N) - 1,
      [&](Integer A, Integer B) {
        const auto IA = static_cast<std::size_t>(A);
        const auto IB = static_cast<std::size_t>(B);
        return AnsiCompareByKeys(Keys[IA], FList[IA].FString, Keys[IB], FList[IB].FString, IgnoreCase);
      },
      [&](Integer A, Integer B) {
        const auto IA = static_cast<std::size_t>(A);
        const auto IB = static_cast<std::size_t>(B);
        std::swap(FList[IA], FList[IB]);
        std::swap(Keys[IA], Keys[IB]);
      });
  Changed();
  return true;
}

void TStringList::SetCapacity(Integer NewCapacity) {
  if (NewCapacity < GetCount() || NewCapacity > MaxListSize) {
    Error(RtlConsts::SListCapacityError, NewCapacity);
  }
  if (NewCapacity < static_cast<Integer>(FList.capacity())) {
    FList.shrink_to_fit();
  }
  FList.reserve(static_cast<std::size_t>(NewCapacity));
  FCapacity = NewCapacity;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (Value != FCaseSensitive) {
    FCaseSensitive = Value;
    // A sorted list must follow the new order, or Find would search it wrongly.
    if (FSorted && GetCount() > 1) {
      Changing();
      QuickSort(0, GetCount() - 1, &CompareItems);
      Changed();
    }
  }
}

void TStringList::SetSorted(bool Value) {
  if (FSorted != Value) {
    if (Value) {
      Sort();
    }
    FSorted = Value;
  }
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) {
    Changing();
  } else {
    Changed();
  }
}

void TStringList::Sort() {
  // Lists that compare in their own way keep the direct comparison.
  if (!FSorted && GetCount() > 1 && typeid(*this) == typeid(TStringList) && SortByCollationKeys()) {
    return;
  }
  CustomSort(&CompareItems);
}
