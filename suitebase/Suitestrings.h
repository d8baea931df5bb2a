// The suite's string toolbox: sorted string lists with their own orders, substring searches in both
// directions, safe formatting, splitting and joining, character sets, words, replacing, list-of-strings
// routines and the text search over the lines of a string list.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/rtl/Sets.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Types.h"
#include "platform/win/WinTypes.h"
#include "suitebase/Sortedlists.h"

#include <functional>
#include <string>
#include <vector>

namespace Vivaridiriz {

// Ordered by CompareText (ASCII case folded).
class TFastStringList : public TStringList {
  Z_CLASS(TFastStringList, TStringList)
public:
  TFastStringList() = default;
  bool Find(const std::string& S, Integer& Index) const override;
  void Sort() override;
  void QuickSort(Integer L, Integer R);
  void ExchangeItems(Integer I, Integer J);
};

// Ordered by CompareStr (bytes, case-sensitive).
class ZEZCaseSensitiveStringList : public TStringList {
  Z_CLASS(ZEZCaseSensitiveStringList, TStringList)
public:
  ZEZCaseSensitiveStringList() = default;
  bool Find(const std::string& S, Integer& Index) const override;
  void Sort() override;
};

// 1-based position of SubStr in S at or after Offset; 0 when none.
Integer PosEx(std::string_view SubStr, std::string_view S, Integer Offset = 1);
// 1-based position of the last SubStr in S starting at or before Offset and lying wholly inside S; 0 when none.
Integer BackPosEx(std::string_view SubStr, std::string_view S, Integer Offset);

void SafeFmtStr(std::string& Result, std::string_view Fmt, TVarRecList Args);
std::string SafeFormat(std::string_view Fmt, TVarRecList Args);

void ParseString(const std::string& S, char Sep, TStrings* List);
void ParseAndCompactString(const std::string& S, char Sep, TStrings* List);
std::string ChangeCharTo(char From, char To, const std::string& S);
std::string DCUnParseStringEx(TStrings* List, const std::string& Sep, bool KeepEmpty);
std::string DCUnParseString(TStrings* List, const std::string& Sep);
std::string StringsToString(TStrings* List, char Sep);
std::string StrArrayToDelimStr(const std::vector<std::string>& Strings, char Sep);
std::string CommaText(const std::vector<std::string>& Strings);
void StrArrayToStrings(TStrings* List, const std::vector<std::string>& Strings);

}  // namespace Vivaridiriz

namespace Dorazori {

using TCharSet = TSysCharSet;
enum TSearchParam { spCaseSens, spWholeWords, spBackSearch };
using TSearchParams = TSet<TSearchParam, spBackSearch>;
// A pluggable matcher: finds a match in S from the 1-based AStart (Direction true = forward); sets AStart and
// ALen, or AStart 0 when there is none.
using TFindExpression = std::function<bool(const std::string& S, Integer& AStart, Integer& ALen, bool Direction)>;

std::string RemoveCharSet(const TCharSet& Set, const std::string& S);
std::string DCRemovePoints(const std::string& S);
std::string RemoveNonIdentChars(const std::string& S);
std::string RemoveStrSet(const std::string& Chars, const std::string& S, bool CaseSensitive);
void StringToCharSet(TCharSet& Set, const std::string& S, bool CaseSensitive);
std::string TrimSeparatorsLeft(const std::string& S, const TCharSet& Set);
std::string TrimSeparatorsRight(const std::string& S, const TCharSet& Set);
std::string TrimSeparators(const std::string& S, const TCharSet& Set);
Integer GetFirstNotSpace(const std::string& S);
std::string AddCharOccurence(const std::string& S, char Ch, Integer Count);
std::string StringOfSpace(Integer N);
void AddBackSpaces(std::string& S, Integer N);
void AddStr(std::string& S, const std::string& T);

// Every character from #0 to the blank.
TCharSet DefaultWordSeparators();
Integer GetWordPos(const std::string& S, Integer N, const TCharSet& Separators);
std::string GetWordEx(const std::string& S, Integer N, const TCharSet& Separators);
std::string GetWord(const std::string& S, Integer N);

void Replace(std::string& S, Integer Index, const std::string& Old, const std::string& New);
void ReplaceAllOccur(std::string& S, const std::string& Old, const std::string& New);
void ReplaceAllOccurEx(std::string& S, const std::string& Old, const std::string& New, bool IgnoreCase);
std::string ExtractQuotedStr(const std::string& S, char Quote);

void OperateStrings(TStrings* List, const std::function<void(TStrings*)>& Proc);
void AnsiUpperCaseStrings(TStrings* List);
void AnsiLowerCaseStrings(TStrings* List);
void RemoveEmptyStrings(TStrings* List);
void RemoveStrings(TStrings* List, TStrings* Remove);
void SubtractStrings(TStrings* List, TStrings* Remove);
void IntersectStrings(TStrings* Keep, TStrings* List);
void SortAndRemoveDups(TStrings* List);
void NamePartToStrings(TStrings* List, TStrings* Names);
void ValuePartToStrings(TStrings* List, TStrings* Values);
void StringsObjectsToList(TStrings* List, TList* Objects);
void StringsToProc(TStrings* List, const std::function<void(const std::string&)>& Proc);
bool DCIsStrInStrArray(const std::string& S, const std::vector<std::string>& Strings);
void ClearStrings(TStrings* List);
void FreeStringsObjects(TStrings* List);
void FreeStrings(TStrings*& List);
void DCAddSlashInStrings(TStrings* List);
TStringList* CreateSortedStringList();
// A new sorted list of ListClass (a TStringList descendant), or of TStringList for any other class.
TStringList* CreateSortedStringListEx(TClass ListClass);
void RemoveFromStrings(TStrings* List, const std::string& S);
void AddToCountedStrings(TStrings* List, const std::string& S);
void RemoveFromCountedStrings(TStrings* List, const std::string& S);

bool EqualList(TList* A, TList* B);
bool ListsInterSect(TList* A, TList* B);
void AddList(TList* Source, TList* Dest);
void RemoveItem(TList* List, TObject* Obj);  // removes and frees it
void RemoveSortedItem(Videroriz::TCustomSortedList* SortedList, TObject* Obj);
void DisposeList(TList*& List);  // frees every item as raw memory, then the list
TList* CreateList();
void CreateListIfEmpty(TList*& List);
using TListIteratorProc = std::function<void(TObject* Item, Integer ItemIndex, bool& AContinue)>;
bool ForEachListItem(TList* List, const TListIteratorProc& Proc);
Integer MaxIntValue(const std::vector<Integer>& Values);

bool StrToBoolean(const std::string& S);
Integer ShortMonthNameToIndex(const std::string& S);  // 1-12 by the locale's short names, case ignored; -1
Integer CurrentYear();
bool IsLeapHour(Integer H);
bool IsLeapMinute(Integer M);
std::string PointToStr(const TPoint& P);
std::string RectToStr(const TRect& R);
void DCClearPointStruct(TPoint& P);
bool DCIsPointStructClear(const TPoint& P);

// Searches S in Lines from Pos (X: 1-based column, Y: 0-based line). Found: Pos is the match and Len its
// length.
bool FindInStringsEx(const std::string& S, TStrings* Lines, TSearchParams Params, const TCharSet& Delimiters,
                     TPoint& Pos, Integer& Len, const TFindExpression& FindExpr = nullptr);
bool FindFirstInStrings(const std::string& S, TStrings* Lines, bool CaseSensitive, const TFindExpression& FindExpr,
                        Integer& Len, TPoint& Pos);
bool FindNextInStrings(const std::string& S, TStrings* Lines, bool CaseSensitive, const TFindExpression& FindExpr,
                       Integer& Len, TPoint& Pos);

}  // namespace Dorazori
