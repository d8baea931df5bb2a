// TStrings, the class library's abstract list of strings with objects, and TStringList, its array version.
#pragma once

#include "platform/classes/Lists.h"
#include "platform/classes/Persistent.h"

#include <string>
#include <string_view>
#include <vector>

class TStream;

// An abstract list of strings, each with an associated object pointer (not owned). Descendants provide the
// storage by overriding Get, GetCount, Insert, Delete, Clear and usually Put, GetObject and PutObject.
// Name/value items have the form "Name=Value". Indexes are 0-based.
class TStrings : public TPersistent {
  Z_CLASS(TStrings, TPersistent)
public:
  TStrings() = default;
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;

  virtual Integer Add(const std::string& S);                        // returns the new index
  virtual Integer AddObject(const std::string& S, TObject* AObject);
  void Append(const std::string& S) { Add(S); }
  virtual void AddStrings(TStrings* Strings);                       // strings and objects, in one update
  void Assign(TPersistent* Source) override;                        // from TStrings: Clear + AddStrings
  void BeginUpdate();                                               // nests; the outermost calls SetUpdateState(true)
  void EndUpdate();
  virtual void Clear() = 0;
  virtual void Delete(Integer Index) = 0;
  bool Equals(TStrings* Strings) const;                             // same count and strings (objects ignored)
  virtual void Exchange(Integer Index1, Integer Index2);
  virtual Integer IndexOf(const std::string& S) const;              // CompareStrings; -1 when absent
  Integer IndexOfName(const std::string& Name) const;
  Integer IndexOfObject(TObject* AObject) const;
  virtual void Insert(Integer Index, const std::string& S) = 0;
  virtual void InsertObject(Integer Index, const std::string& S, TObject* AObject);
  virtual void LoadFromFile(const std::string& FileName);
  // Replaces the list with the text from the stream's position to its end, split as SetText does.
  virtual void LoadFromStream(TStream* Stream);
  virtual void Move(Integer CurIndex, Integer NewIndex);            // keeps the object with its string
  virtual void SaveToFile(const std::string& FileName);
  virtual void SaveToStream(TStream* Stream);                       // writes Text()

  virtual Integer Capacity() const { return Count(); }
  virtual void SetCapacity(Integer NewCapacity);                    // a hint; ignored here
  // Every item separated by commas; an item holding a character <= ' ', a comma or '"' is quoted with '"'
  // (quotes doubled), and an empty item is written as "".
  std::string CommaText() const;
  // Replaces the list with the items of Value: separated by commas or blanks, '"' quotes (doubled inside).
  void SetCommaText(std::string_view Value);
  // The same with any delimiter and quote character (DelimitedText).
  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char Value) { FDelimiter = Value; }
  char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char Value) { FQuoteChar = Value; }
  std::string DelimitedText() const;
  void SetDelimitedText(std::string_view Value);
  Integer Count() const { return GetCount(); }
  std::string Names(Integer Index) const;                           // the part before '=', or ""
  TObject* Objects(Integer Index) const { return GetObject(Index); }
  void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }
  std::string Values(const std::string& Name) const;                // "" when absent
  void SetValues(const std::string& Name, const std::string& Value); // "" deletes the item
  std::string Strings(Integer Index) const { return Get(Index); }
  void SetStrings(Integer Index, const std::string& S) { Put(Index, S); }
  std::string operator[](Integer Index) const { return Get(Index); }
  // Every line followed by CR LF.
  std::string Text() const { return GetTextStr(); }
  // Replaces the list with the lines of Value, split at CR LF, CR or LF; a final line break adds no line.
  void SetText(std::string_view Value) { SetTextStr(Value); }

protected:
  // Streams the lines as the "Strings" property; defined by the streaming unit.
  void DefineProperties(TFiler* Filer) override;
  // Raises EStringListError with Msg formatted with Data.
  [[noreturn]] void Error(const std::string& Msg, NativeInt Data) const;
  // Compares two strings as this list orders them: case-insensitively (AnsiCompareText) here.
  virtual int CompareStrings(std::string_view S1, std::string_view S2) const;
  virtual std::string Get(Integer Index) const = 0;
  virtual Integer GetCount() const = 0;
  virtual TObject* GetObject(Integer Index) const;  // null here
  virtual std::string GetTextStr() const;
  virtual void Put(Integer Index, const std::string& S);  // Delete + InsertObject keeping the object
  virtual void PutObject(Integer Index, TObject* AObject); // ignored here
  virtual void SetTextStr(std::string_view Value);
  // Called with true by the outermost BeginUpdate and with false by the outermost EndUpdate.
  virtual void SetUpdateState(bool Updating);
  Integer UpdateCount() const { return FUpdateCount; }

private:
  Integer FUpdateCount = 0;
  char FDelimiter = ',';
  char FQuoteChar = '"';
};

class TStringList;
// Orders the items at Index1 and Index2 of List: <0, 0 or >0.
using TStringListSortCompare = int (*)(TStringList* List, Integer Index1, Integer Index2);

// A TStrings held in an array of (string, object) pairs. Sorted lists keep their order on Add and reject
// Insert and Put (EStringListError SSortedListError); Duplicates decides what Add does with a string already
// present. The objects are not owned. OnChanging and OnChange fire around every change, and only once around
// an update (at the outermost BeginUpdate and EndUpdate).
class TStringList : public TStrings {
  Z_CLASS(TStringList, TStrings)
public:
  TStringList() = default;
  ~TStringList() override;

  Integer Add(const std::string& S) override;
  Integer AddObject(const std::string& S, TObject* AObject) override;
  void Clear() override;
  void Delete(Integer Index) override;
  void Exchange(Integer Index1, Integer Index2) override;
  // Binary search of a sorted list. True when found; Index is the match (the first one with dupAccept) or
  // where S would be inserted.
  virtual bool Find(const std::string& S, Integer& Index) const;
  Integer IndexOf(const std::string& S) const override;
  void Insert(Integer Index, const std::string& S) override;
  void Move(Integer CurIndex, Integer NewIndex) override;  // a sorted list raises SSortedListError
  void InsertObject(Integer Index, const std::string& S, TObject* AObject) override;
  virtual void Sort();
  virtual void CustomSort(TStringListSortCompare Compare);

  Integer Capacity() const override { return FCapacity; }
  void SetCapacity(Integer NewCapacity) override;  // below Count raises SListCapacityError
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);                      // turning it on sorts the list
  // Off by default: comparisons use AnsiCompareText; on: AnsiCompareStr.
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);               // re-sorts a sorted list
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  const TNotifyEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent Value) { FOnChanging = std::move(Value); }

protected:
  virtual void Changed();   // fires OnChange unless updating
  virtual void Changing();  // fires OnChanging unless updating
  int CompareStrings(std::string_view S1, std::string_view S2) const override;
  std::string Get(Integer Index) const override;
  Integer GetCount() const override { return static_cast<Integer>(FList.size()); }
  TObject* GetObject(Integer Index) const override;
  std::string GetTextStr() const override;
  void Put(Integer Index, const std::string& S) override;
  void PutObject(Integer Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;

private:
  struct TStringItem {
    std::string FString;
    TObject* FObject = nullptr;
  };
  static int CompareItems(TStringList* List, Integer Index1, Integer Index2);
  void CheckIndex(Integer Index) const;
  void Grow();
  void InsertItem(Integer Index, const std::string& S, TObject* AObject);
  void QuickSort(Integer L, Integer R, TStringListSortCompare SCompare);
  bool SortByCollationKeys();

  std::vector<TStringItem> FList;
  Integer FCapacity = 0;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = dupIgnore;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};
