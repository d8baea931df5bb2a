// String lists with their own orders and the suite's string routines.
#include "suitebase/Suitestrings.h"

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"
#include "suitebase/Containers.h"

#include <algorithm>

namespace Vivaridiriz {

Z_IMPLEMENT_CLASS(TFastStringList, TStringList)
Z_IMPLEMENT_CLASS(ZEZCaseSensitiveStringList, TStringList)

namespace {
using TOrder = int (*)(std::string_view, std::string_view);

bool BisectStrings(const TStringList* List, const std::string& S, Integer& Index, TOrder Order) {
  bool Found = false;
  Integer L = 0;
  Integer H = List->Count() - 1;
  while (L <= H) {
    const Integer I = L + (H - L) / 2;
    const int C = Order(List->Strings(I), S);
    if (C < 0) {
      L = I + 1;
    } else {
      H = I - 1;
      if (C == 0) {
        Found = true;
        if (List->Duplicates() != dupAccept) {
          L = I;
        }
      }
    }
  }
  Index = L;
  return Found;
}

int CompareByStr(TStringList* List, Integer Index1, Integer Index2) {
  return CompareStr(List->Strings(Index1), List->Strings(Index2));
}
}  // namespace

bool TFastStringList::Find(const std::string& S, Integer& Index) const {
  return BisectStrings(this, S, Index, &CompareText);
}

void TFastStringList::Sort() {
  if (Count() < 2) {
    return;
  }
  BeginUpdate();
  try {
    QuickSort(0, Count() - 1);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TFastStringList::ExchangeItems(Integer I, Integer J) { TStringList::Exchange(I, J); }

void TFastStringList::QuickSort(Integer L, Integer R) {
  // Strings and their objects move together; the pivot is followed by index when it moves.
  DCQuickSort(
      L, R, [this](Integer A, Integer B) { return CompareText(Strings(A), Strings(B)); },
      [this](Integer A, Integer B) { ExchangeItems(A, B); });
}

bool ZEZCaseSensitiveStringList::Find(const std::string& S, Integer& Index) const {
  return BisectStrings(this, S, Index, &CompareStr);
}

void ZEZCaseSensitiveStringList::Sort() {
  // The class library's custom sort refuses a list marked sorted; the order is ours, so it is lifted meanwhile.
  const bool WasSorted = Sorted();
  if (WasSorted) {
    TStringList::SetSorted(false);
  }
  CustomSort(&CompareByStr);
  if (WasSorted) {
    TStringList::SetSorted(true);
  }
}

Integer PosEx(std::string_view SubStr, std::string_view S, Integer Offset) {
  if (SubStr.empty() || S.empty() || SubStr.size() > S.size() || Offset < 1) {
    return 0;
  }
  const auto From = static_cast<std::size_t>(Offset - 1);
  if (From + SubStr.size() > S.size()) {
    return 0;
  }
  const std::size_t At = S.find(SubStr, From);
  return At == std::string_view::npos ? 0 : static_cast<Integer>(At) + 1;
}

Integer BackPosEx(std::string_view SubStr, std::string_view S, Integer Offset) {
  if (SubStr.empty() || S.empty() || SubStr.size() > S.size() || Offset < 1) {
    return 0;
  }
  const std::size_t LastStart = S.size() - SubStr.size();
  const std::size_t From = std::min(static_cast<std::size_t>(Offset - 1), LastStart);
  const std::size_t At = S.rfind(SubStr, From);
  return At == std::string_view::npos ? 0 : static_cast<Integer>(At) + 1;
}

void SafeFmtStr(std::string& Result, std::string_view Fmt, TVarRecList Args) {
  // The formatting works without a fixed buffer; the result is the formatted text of exact length.
  Result = Format(Fmt, Args);
}

std::string SafeFormat(std::string_view Fmt, TVarRecList Args) { return Format(Fmt, Args); }

void ParseString(const std::string& S, char Sep, TStrings* List) {
  std::string Part;
  bool Pending = false;
  for (std::size_t I = 0; I < S.size(); ++I) {
    const char C = S[I];
    if (C == Sep || C == '\r' || C == '\n') {
      (void)List->Add(Part);  // appended after the existing lines
      Part.clear();
      Pending = false;
      if (C == '\r' && I + 1 < S.size() && S[I + 1] == '\n' && Sep != '\r') {
        ++I;  // CR LF is one line break
      }
    } else {
      Part += C;
      Pending = true;
    }
  }
  if (Pending) {
    (void)List->Add(Part);
  }
}

void ParseAndCompactString(const std::string& S, char Sep, TStrings* List) {
  const Integer First = List->Count();
  ParseString(S, Sep, List);
  for (Integer I = List->Count() - 1; I >= First; --I) {
    const std::string T = Trim(List->Strings(I));
    if (T.empty()) {
      List->Delete(I);
    } else {
      List->SetStrings(I, T);
    }
  }
}

std::string ChangeCharTo(char From, char To, const std::string& S) {
  std::string R = S;
  std::replace(R.begin(), R.end(), From, To);
  return R;
}

std::string DCUnParseStringEx(TStrings* List, const std::string& Sep, bool KeepEmpty) {
  std::string Result;
  bool SeenText = false;
  for (Integer I = List->Count() - 1; I >= 0; --I) {
    const std::string Line = List->Strings(I);
    if (KeepEmpty) {
      Result = Line + Sep + Result;
      continue;
    }
    if (!SeenText && Line.empty()) {
      continue;  // empty lines after the last non-empty one are dropped
    }
    Result = SeenText ? Line + Sep + Result : Line;
    SeenText = true;
  }
  return Result;
}

std::string DCUnParseString(TStrings* List, const std::string& Sep) { return DCUnParseStringEx(List, Sep, true); }

std::string StringsToString(TStrings* List, char Sep) {
  std::string Result;
  for (Integer I = 0; I < List->Count(); ++I) {
    if (I > 0) {
      Result += Sep;
    }
    Result += List->Strings(I);
  }
  return Result;
}

std::string StrArrayToDelimStr(const std::vector<std::string>& Strings, char Sep) {
  std::string Result;
  for (const std::string& S : Strings) {
    if (S.empty()) {
      continue;
    }
    if (!Result.empty()) {
      Result += Sep;
    }
    Result += S;
  }
  return Result;
}

std::string CommaText(const std::vector<std::string>& Strings) {
  std::string Result;
  for (std::size_t I = 0; I < Strings.size(); ++I) {
    Result += (I > 0 ? "," : "") + Strings[I];
  }
  return Result;
}

void StrArrayToStrings(TStrings* List, const std::vector<std::string>& Strings) {
  List->BeginUpdate();
  List->Clear();
  for (const std::string& S : Strings) {
    (void)List->Add(S);  // appended in order
  }
  List->EndUpdate();
}

}  // namespace Vivaridiriz

namespace Dorazori {

std::string RemoveCharSet(const TCharSet& Set, const std::string& S) {
  std::string R;
  R.reserve(S.size());
  for (char C : S) {
    if (!Set.Contains(C)) {
      R += C;
    }
  }
  return R;
}

std::string DCRemovePoints(const std::string& S) { return RemoveCharSet(TCharSet{'.'}, S); }

std::string RemoveNonIdentChars(const std::string& S) {
  return RemoveCharSet(
      TCharSet::Range('\0', '\xFF') - TCharSet::Range('A', 'Z') - TCharSet::Range('a', 'z') - TCharSet{'_'}, S);
}

void StringToCharSet(TCharSet& Set, const std::string& S, bool CaseSensitive) {
  if (CaseSensitive) {
    for (char C : S) {
      Set.Include(C);
    }
    return;
  }
  const std::string Upper = AnsiUpperCase(S);
  const std::string Lower = AnsiLowerCase(S);
  for (std::size_t I = 0; I < S.size(); ++I) {
    Set.Include(Upper[I]);
    Set.Include(Lower[I]);
  }
}

std::string RemoveStrSet(const std::string& Chars, const std::string& S, bool CaseSensitive) {
  TCharSet Set;
  StringToCharSet(Set, Chars, CaseSensitive);
  return RemoveCharSet(Set, S);
}

std::string TrimSeparatorsLeft(const std::string& S, const TCharSet& Set) {
  std::size_t I = 0;
  while (I < S.size() && Set.Contains(S[I])) {
    ++I;
  }
  return S.substr(I);
}

std::string TrimSeparatorsRight(const std::string& S, const TCharSet& Set) {
  std::size_t N = S.size();
  while (N > 0 && Set.Contains(S[N - 1])) {
    --N;
  }
  return S.substr(0, N);
}

std::string TrimSeparators(const std::string& S, const TCharSet& Set) {
  return TrimSeparatorsRight(TrimSeparatorsLeft(S, Set), Set);
}

Integer GetFirstNotSpace(const std::string& S) {
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S[I] != ' ') {
      return static_cast<Integer>(I) + 1;
    }
  }
  return static_cast<Integer>(S.size()) + 1;
}

std::string AddCharOccurence(const std::string& S, char Ch, Integer Count) {
  if (Count <= 0) {
    return S;
  }
  std::string R;
  for (char C : S) {
    R.append(C == Ch ? static_cast<std::size_t>(Count) + 1 : 1, C);
  }
  return R;
}

std::string StringOfSpace(Integer N) { return std::string(N > 0 ? static_cast<std::size_t>(N) : 0, ' '); }

void AddBackSpaces(std::string& S, Integer N) {
  if (N > static_cast<Integer>(S.size())) {
    S.append(static_cast<std::size_t>(N) - S.size(), ' ');
  }
}

void AddStr(std::string& S, const std::string& T) { S += T; }

TCharSet DefaultWordSeparators() { return TCharSet::Range('\0', ' '); }

Integer GetWordPos(const std::string& S, Integer N, const TCharSet& Separators) {
  const std::string T = TrimSeparators(S, Separators);
  Integer Word = 0;
  std::size_t I = 0;
  while (I < T.size()) {
    ++Word;
    if (Word == N) {
      return static_cast<Integer>(I) + 1;
    }
    while (I < T.size() && !Separators.Contains(T[I])) {
      ++I;
    }
    while (I < T.size() && Separators.Contains(T[I])) {
      ++I;
    }
  }
  return -1;
}

std::string GetWordEx(const std::string& S, Integer N, const TCharSet& Separators) {
  const Integer At = GetWordPos(S, N, Separators);
  if (At < 1) {
    return "";
  }
  const std::string T = TrimSeparators(S, Separators);
  std::size_t End = static_cast<std::size_t>(At) - 1;
  while (End < T.size() && !Separators.Contains(T[End])) {
    ++End;
  }
  return T.substr(static_cast<std::size_t>(At) - 1, End - (static_cast<std::size_t>(At) - 1));
}

std::string GetWord(const std::string& S, Integer N) { return GetWordEx(S, N, DefaultWordSeparators()); }

void Replace(std::string& S, Integer Index, const std::string& Old, const std::string& New) {
  if (Index < 1 || static_cast<std::size_t>(Index) > S.size() + 1) {
    return;
  }
  S.replace(static_cast<std::size_t>(Index) - 1, Old.size(), New);
}

namespace {
// Replaces each occurrence of Old found in Search (S itself, or its upper-cased copy) at the same place in S.
void ReplaceFound(std::string& S, std::string Search, const std::string& Old, const std::string& New) {
  if (Old.empty()) {
    return;
  }
  std::size_t From = 0;
  while ((From = Search.find(Old, From)) != std::string::npos) {
    S.replace(From, Old.size(), New);
    Search.replace(From, Old.size(), std::string(New.size(), '\0'));
    From += New.size();
  }
}
}  // namespace

void ReplaceAllOccur(std::string& S, const std::string& Old, const std::string& New) { ReplaceFound(S, S, Old, New); }

void ReplaceAllOccurEx(std::string& S, const std::string& Old, const std::string& New, bool IgnoreCase) {
  if (IgnoreCase) {
    ReplaceFound(S, AnsiUpperCase(S), AnsiUpperCase(Old), New);
  } else {
    ReplaceAllOccur(S, Old, New);
  }
}

std::string ExtractQuotedStr(const std::string& S, char Quote) {
  if (S.size() <= 1) {
    return S;
  }
  std::string Body = S;
  if (Body.front() == Quote && Body.back() == Quote) {
    Body = Body.substr(1, Body.size() - 2);
  }
  const std::string Doubled(2, Quote);
  std::string R;
  for (std::size_t I = 0; I < Body.size(); ++I) {
    R += Body[I];
    if (Body[I] == Quote && I + 1 < Body.size() && Body[I + 1] == Quote) {
      ++I;
    }
  }
  return R;
}

void OperateStrings(TStrings* List, const std::function<void(TStrings*)>& Proc) {
  auto* Sorted = dynamic_cast<TStringList*>(List);
  const bool WasSorted = Sorted != nullptr && Sorted->Sorted();
  List->BeginUpdate();
  try {
    if (WasSorted) {
      Sorted->SetSorted(false);
    }
    Proc(List);
    if (WasSorted) {
      Sorted->SetSorted(true);
    }
  } catch (...) {
    List->EndUpdate();
    throw;
  }
  List->EndUpdate();
}

void AnsiUpperCaseStrings(TStrings* List) {
  OperateStrings(List, [](TStrings* L) {
    for (Integer I = 0; I < L->Count(); ++I) {
      L->SetStrings(I, AnsiUpperCase(L->Strings(I)));
    }
  });
}

void AnsiLowerCaseStrings(TStrings* List) {
  OperateStrings(List, [](TStrings* L) {
    for (Integer I = 0; I < L->Count(); ++I) {
      L->SetStrings(I, AnsiLowerCase(L->Strings(I)));
    }
  });
}

void RemoveEmptyStrings(TStrings* List) {
  for (Integer I = List->Count() - 1; I >= 0; --I) {
    if (Trim(List->Strings(I)).empty()) {
      List->Delete(I);
    }
  }
}

void RemoveStrings(TStrings* List, TStrings* Remove) {
  for (Integer I = List->Count() - 1; I >= 0; --I) {
    if (Remove->IndexOf(List->Strings(I)) >= 0) {
      List->Delete(I);
    }
  }
}

void SubtractStrings(TStrings* List, TStrings* Remove) { RemoveStrings(List, Remove); }

void IntersectStrings(TStrings* Keep, TStrings* List) {
  for (Integer I = List->Count() - 1; I >= 0; --I) {
    if (Keep->IndexOf(List->Strings(I)) < 0) {
      List->Delete(I);
    }
  }
}

void SortAndRemoveDups(TStrings* List) {
  TStringList Sorted;
  Sorted.SetSorted(true);
  Sorted.SetDuplicates(dupIgnore);
  Sorted.AddStrings(List);
  List->Assign(&Sorted);
}

void NamePartToStrings(TStrings* List, TStrings* Names) {
  Names->Clear();
  for (Integer I = 0; I < List->Count(); ++I) {
    (void)Names->Add(List->Names(I));  // appended in order
  }
}

void ValuePartToStrings(TStrings* List, TStrings* Values) {
  Values->Clear();
  for (Integer I = 0; I < List->Count(); ++I) {
    const std::string Line = List->Strings(I);
    const std::size_t Eq = Line.find('=');
    (void)Values->Add(Eq == std::string::npos ? std::string() : Line.substr(Eq + 1));  // appended in order
  }
}

void StringsObjectsToList(TStrings* List, TList* Objects) {
  Objects->Clear();
  for (Integer I = 0; I < List->Count(); ++I) {
    Objects->Add(List->Objects(I));
  }
}

void StringsToProc(TStrings* List, const std::function<void(const std::string&)>& Proc) {
  for (Integer I = 0; I < List->Count(); ++I) {
    Proc(List->Strings(I));
  }
}

bool DCIsStrInStrArray(const std::string& S, const std::vector<std::string>& Strings) {
  return std::any_of(Strings.begin(), Strings.end(), [&S](const std::string& T) { return AnsiCompareText(S, T) == 0; });
}

void FreeStringsObjects(TStrings* List) {
  for (Integer I = List->Count() - 1; I >= 0; --I) {
    TObject* Obj = List->Objects(I);
    List->SetObjects(I, nullptr);
    delete Obj;
  }
}

void ClearStrings(TStrings* List) {
  if (List == nullptr) {
    return;
  }
  try {
    FreeStringsObjects(List);
  } catch (...) {
    List->Clear();
    throw;
  }
  List->Clear();
}

void FreeStrings(TStrings*& List) {
  if (List != nullptr) {
    FreeStringsObjects(List);
  }
  FreeAndNil(List);
}

void DCAddSlashInStrings(TStrings* List) {
  for (Integer I = 0; I < List->Count(); ++I) {
    const std::string Line = List->Strings(I);
    if (Line.empty() || Line.back() != '\\') {
      List->SetStrings(I, Line + '\\');
    }
  }
}

TStringList* CreateSortedStringList() { return CreateSortedStringListEx(TStringList::StaticClass()); }

TStringList* CreateSortedStringListEx(TClass ListClass) {
  TObject* Made = ListClass != nullptr ? ListClass->NewInstance() : nullptr;
  auto* List = dynamic_cast<TStringList*>(Made);
  if (List == nullptr) {
    delete Made;
    List = new TStringList();
  }
  List->SetSorted(true);
  return List;
}

void RemoveFromStrings(TStrings* List, const std::string& S) {
  const Integer Index = List->IndexOf(S);
  if (Index >= 0) {
    List->Delete(Index);
  }
}

void AddToCountedStrings(TStrings* List, const std::string& S) {
  const Integer Index = List->IndexOf(S);
  if (Index < 0) {
    (void)List->AddObject(S, reinterpret_cast<TObject*>(static_cast<NativeInt>(1)));  // a new line counts 1
    return;
  }
  const auto Count = reinterpret_cast<NativeInt>(List->Objects(Index));
  List->SetObjects(Index, reinterpret_cast<TObject*>(Count + 1));
}

void RemoveFromCountedStrings(TStrings* List, const std::string& S) {
  const Integer Index = List->IndexOf(S);
  if (Index < 0) {
    return;
  }
  const auto Count = reinterpret_cast<NativeInt>(List->Objects(Index));
  if (Count <= 1) {
    List->Delete(Index);
  } else {
    List->SetObjects(Index, reinterpret_cast<TObject*>(Count - 1));
  }
}

bool EqualList(TList* A, TList* B) {
  if (A->Count() != B->Count()) {
    return false;
  }
  for (Integer I = 0; I < A->Count(); ++I) {
    if (B->IndexOf(A->Items(I)) < 0) {
      return false;
    }
  }
  return true;
}

void RemoveItem(TList* List, TObject* Obj) {
  (void)List->Remove(Obj);  // freed whether or not the list held it, as the caller gives it up
  delete Obj;
}

void RemoveSortedItem(Videroriz::TCustomSortedList* SortedList, TObject* Obj) {
  (void)SortedList->Remove(Obj);  // as RemoveItem
  delete Obj;
}

void DisposeList(TList*& List) {
  if (List == nullptr) {
    return;
  }
  for (Integer I = 0; I < List->Count(); ++I) {
    FreeMem(List->Items(I));
  }
  List->Clear();
  FreeAndNil(List);
}

TList* CreateList() { return new TList(); }

void CreateListIfEmpty(TList*& List) {
  if (List == nullptr) {
    List = CreateList();
  }
}

bool ListsInterSect(TList* A, TList* B) {
  for (Integer I = 0; I < A->Count(); ++I) {
    if (B->IndexOf(A->Items(I)) >= 0) {
      return true;
    }
  }
  return false;
}

void AddList(TList* Source, TList* Dest) {
  Dest->SetCapacity(std::max(Dest->Capacity(), Dest->Count() + Source->Count()));
  for (Integer I = 0; I < Source->Count(); ++I) {
    Dest->Add(Source->Items(I));
  }
}

bool ForEachListItem(TList* List, const TListIteratorProc& Proc) {
  Integer I = List->Count() - 1;
  while (I >= 0) {
    bool Continue = true;
    Proc(static_cast<TObject*>(List->Items(I)), I, Continue);
    if (!Continue) {
      return false;
    }
    I = std::min(I, List->Count()) - 1;
  }
  return true;
}

Integer MaxIntValue(const std::vector<Integer>& Values) {
  return Values.empty() ? 0 : *std::max_element(Values.begin(), Values.end());
}

bool StrToBoolean(const std::string& S) { return CompareText(S, "True") == 0; }

Integer ShortMonthNameToIndex(const std::string& S) {
  for (Integer I = 0; I < 12; ++I) {
    if (AnsiCompareText(S, ShortMonthNames[I + 1]) == 0) {
      return I + 1;
    }
  }
  return -1;
}

Integer CurrentYear() {
  Word Year = 0;
  Word Month = 0;
  Word Day = 0;
  DecodeDate(Now(), Year, Month, Day);
  return Year;
}

bool IsLeapHour(Integer H) { return H >= 0 && H <= 23; }

bool IsLeapMinute(Integer M) { return M >= 0 && M <= 59; }

std::string PointToStr(const TPoint& P) { return IntToStr(P.X) + " " + IntToStr(P.Y); }

std::string RectToStr(const TRect& R) {
  return IntToStr(R.Left) + " " + IntToStr(R.Top) + " " + IntToStr(R.Right) + " " + IntToStr(R.Bottom);
}

void DCClearPointStruct(TPoint& P) {
  P.X = -1;
  P.Y = -1;
}

bool DCIsPointStructClear(const TPoint& P) { return P.X == -1; }

}  // namespace Dorazori
