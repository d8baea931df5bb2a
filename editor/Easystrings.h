// The line store of a document: per line the 8-bit text, one 16-bit style code per character, the lexer
// states at the line's start and end and the folding marks; the list of folded-away lines; and the plain
// text search over a line store.
#pragma once

#include "editor/Easyclasses.h"
#include "editor/Easylinearray.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/Sets.h"
#include "platform/win/WinTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Bits of TEasyStringItem::Flags.
enum : Byte {
  sfParsed = 0x01,     // Styles and EndState are valid for StartState
  sfHidden = 0x04,     // part of a foldable block body (Visible is false)
  sfExpanded = 0x08,   // heads an expanded block
  sfCollapsed = 0x10,  // heads a collapsed block
};

// Where lexing a long line can start again after an edit: token starts at intervals along the line, each
// with the lexer state there and how far the tokens before it looked. Made by the edit source when it
// lexes a long line; valid for the text, start state and styles it was made with, so any other change of
// the line's text or styles drops it.
struct TEasyLexPoint {
  int Pos = 0;    // 0-based offset of a token's start
  int Reach = 0;  // the tokens before Pos looked at no character at or after this offset
  Word State = 0; // the lexer state at Pos
};
struct TEasyLexPoints {
  std::vector<TEasyLexPoint> Points;  // ascending Pos
  std::size_t Length = 0;             // the length of the text they were made for
  Cardinal Generation = 0;            // the edit source's lexing generation they were made in
  int UrlStyle = -1;                  // the style addresses were marked with, -1 for none
};

// The style codes of a line. A line that was never styled holds one null pointer instead of an empty string:
// most lines of a large file just loaded are never lexed, and the store keeps millions of them.
class TEasyStyleBytes {
public:
  TEasyStyleBytes() = default;
  TEasyStyleBytes(const TEasyStyleBytes& Other) { *this = Other.Str(); }
  TEasyStyleBytes(TEasyStyleBytes&&) noexcept = default;
  TEasyStyleBytes& operator=(const TEasyStyleBytes& Other) {
    if (this != &Other) {
      *this = Other.Str();
    }
    return *this;
  }
  TEasyStyleBytes& operator=(TEasyStyleBytes&&) noexcept = default;
  TEasyStyleBytes& operator=(std::string Value) {
    if (Value.empty()) {
      FBytes.reset();
    } else if (FBytes) {
      *FBytes = std::move(Value);
    } else {
      FBytes = std::make_unique<std::string>(std::move(Value));
    }
    return *this;
  }

  // The codes to read (an empty string for a line never styled) and to change in place.
  const std::string& Str() const { return FBytes ? *FBytes : EmptyBytes(); }
  std::string& Mutable() {
    if (!FBytes) {
      FBytes = std::make_unique<std::string>();
    }
    return *FBytes;
  }
  operator const std::string&() const { return Str(); }

  std::size_t size() const { return FBytes ? FBytes->size() : 0; }
  bool empty() const { return !FBytes || FBytes->empty(); }
  const char* data() const { return Str().data(); }
  char operator[](std::size_t I) const { return Str()[I]; }
  std::string::const_iterator begin() const { return Str().begin(); }
  std::string::const_iterator end() const { return Str().end(); }
  std::string substr(std::size_t Pos, std::size_t Count = std::string::npos) const { return Str().substr(Pos, Count); }
  void clear() { FBytes.reset(); }
  void resize(std::size_t Count, char Fill = '\0') {
    if (Count == 0) {
      FBytes.reset();
    } else {
      Mutable().resize(Count, Fill);
    }
  }
  friend void swap(TEasyStyleBytes& A, TEasyStyleBytes& B) noexcept { A.FBytes.swap(B.FBytes); }

private:
  static const std::string& EmptyBytes() {
    static const std::string Empty;
    return Empty;
  }
  std::unique_ptr<std::string> FBytes;
};

// One line, owned by its store.
struct TEasyStringItem {
  std::string Text;
  TEasyStyleBytes Styles;  // two bytes per character, little-endian; -1 = no style; empty until lexed
  Word EndState = 0;
  Word StartState = 0;
  Byte Flags = 0;
  bool NotShown = false;
  Byte Level = 0;
  Cardinal ParsedStamp = 0;  // when the line was last lexed (see TEasyStrings::IsParsed)
  TObject* Obj = nullptr;
  std::unique_ptr<TEasyLexPoints> LexPoints;  // long lines only; see TEasyLexPoints
};

// Line breaks written by SaveToStream.
enum : int { lbsCRLF = 0, lbsCR = 1, lbsLF = 2 };

class TEasyStrings;

// The sorted indexes of the lines that are folded away. Compare works in real mode (entries against line
// indexes) or, during a visible-row search, in visible mode (entry minus its position against a row).
class TEasyVisibleLinesList : public TEasySortedList {
  Z_CLASS(TEasyVisibleLinesList, TEasySortedList)
public:
  TEasyVisibleLinesList() = default;
  int Entry(int Position) const { return static_cast<int>(reinterpret_cast<NativeInt>(Items(Position))); }
  // The greatest position whose value is <= Key (< Key when Strict); -1 when none.
  int FindNear(int Key, bool Visible, bool Strict);
  // Moves every entry at or above Line by Delta (an entry equal to Line is removed first when Delta < 0).
  void LineChanged(int Line, int Delta);

protected:
  int Compare(void* Item1, void* Item2) override;

private:
  bool FVisibleMode = false;
};

using TEasyStringsChangeEvent = std::function<void(TObject* Sender)>;
using TEasyGetStringEvent = std::function<void(TObject* Sender, std::string& S, bool Storing)>;

// The line store. Lines live in records allocated from the store's pool, reached through a gap array of
// pointers.
// Getters give neutral values for a bad index (empty text, null, 0, -1 for a style code) and setters
// ignore it. Owned by its edit source (or the editor's selection).
class TEasyStrings : public TStrings {
  Z_CLASS(TEasyStrings, TStrings)
public:
  TEasyStrings();
  ~TEasyStrings() override;

  // The string-list operations.
  std::string Get(Integer Index) const override;  // through OnGetString (Storing false)
  Integer GetCount() const override { return FLines.Count(); }
  Integer Capacity() const override { return FLines.Capacity(); }
  int GetCapacity() const { return FLines.Capacity(); }
  void SetCapacity(Integer N) override;  // also rebuilds the hidden-line list
  TObject* GetObject(Integer Index) const override;
  void PutObject(Integer Index, TObject* Obj) override;
  void Put(Integer Index, const std::string& S) override;
  void Insert(Integer Index, const std::string& S) override;
  Integer Add(const std::string& S) override;
  void Delete(Integer Index) override;
  void Exchange(Integer Index1, Integer Index2) override;
  void Clear() override;
  void SetUpdateState(bool Updating) override;
  // The lines joined and followed by the break of LineBreakStyle (raw text); empty for an empty store.
  std::string GetSaveText() const;
  // Writes what GetSaveText gives, through a reused buffer; an empty store writes nothing.
  void SaveToStream(TStream* Stream) override;
  // Replaces the lines with Text split at CR LF, CR or LF, one Add per line, inside one update. Every
  // byte other than the line breaks is kept.
  void SetTextBuffer(const char* Text, std::size_t Length);
  // Loads the rest of the stream as SetTextBuffer does. A failed read leaves the lines as they were.
  void LoadFromStream(TStream* Stream) override;

  virtual void Changed();
  virtual void Changing();

  // Own operations.
  void InsertItem(int Index, const std::string& S);
  std::string GetStr(int Index) const;      // raw text
  const std::string& GetStrRef(int Index) const;  // raw text without a copy; empty for a bad index
  std::string GetStrData(int Index) const;  // raw style string
  int GetData(int Index, int Pos) const;    // style code of character Pos (1-based) or -1
  void PutData(int Index, int Pos, int Count, int Style);
  int GetState(int Index) const;
  void SetState(int Index, int Value);
  void LinesUpdated(int First, int Last);
  void ExchangeItems(int Index1, int Index2);
  // The record of a line (null for a bad index); the edit source reads and writes it directly.
  TEasyStringItem* GetItem(int Index) const;
  // Stores raw text without the OnGetString filter, marking the line changed.
  void PutStr(int Index, const std::string& S);
  // As Put, but Change edits the stored text in place: a long line is not copied for a small change.
  template <typename F>
  void PutWith(int Index, F&& Change) {
    if (!Valid(Index)) {
      return;
    }
    Changing();
    GetItem(Index)->LexPoints.reset();
    std::string& Text = GetItem(Index)->Text;
    Change(Text);
    if (OnGetString) {
      OnGetString(this, Text, true);
    }
    LinesUpdated(Index, Index);
    Changed();
  }

  // Lexing marks. Clearing runs to the end of the store are recorded, not walked, so that a line
  // inserted into a large document costs no walk over the lines below it.
  bool IsParsed(int Index) const;
  void SetParsed(int Index);  // marks the line lexed now
  void ClearParsed(int First, int Last);

  // Folding.
  bool GetVisible(int Index) const;
  void SetVisible(int Index, bool Value);
  bool GetLineVisible(int Index) const;
  void SetLineVisible(int Index, bool Value);
  bool GetExpanded(int Index) const;
  void SetExpanded(int Index, bool Value) { SetExpandedOrCollapsed(Index, Value, false); }
  bool GetCollapsed(int Index) const;
  void SetCollapsed(int Index, bool Value) { SetExpandedOrCollapsed(Index, false, Value); }
  void SetExpandedOrCollapsed(int Index, bool Expanded, bool Collapsed);
  void UpdateVisible(int Index);
  void ExpandPrev(int Index);
  bool GetHideLines() const { return FHideLines; }
  void SetHideLines(bool Value);
  void UpdateVisibleLines();
  int GetVisibleCount() const;
  int GetHiddenCount() const;
  int RealToVisibleLineIndex(int Index);
  int VisibleToRealLineIndex(int Row);
  void SetLevel(int Index, Byte Level);

  TEasyStringsChangeEvent OnChange;
  TEasyStringsChangeEvent OnChanging;
  TEasyGetStringEvent OnGetString;
  bool Updating() const { return FUpdating; }
  int FirstChanged = -1;
  int LastChanged = -1;
  bool VisibilityChanging = false;
  int LineBreakStyle = lbsCRLF;
  TEasyVisibleLinesList* HiddenLines() const { return FHiddenLines; }

private:
  void InsertItemText(int Index, const char* Text, std::size_t Length);
  // A record from Pool holding Length characters of Text passed through OnGetString.
  TEasyStringItem* MakeItem(TEasyRecordPool<TEasyStringItem>& Pool, const char* Text, std::size_t Length);
  void SetTextStr(std::string_view Value) override { SetTextBuffer(Value.data(), Value.size()); }
  bool Valid(int Index) const { return Index >= 0 && Index < FLines.Count(); }
  void FreeItems();
  void ShiftParsedMarks(int Index, int Delta);

  TEasyRecordPool<TEasyStringItem> FItems;  // the records of FLines
  TEasyGapArray<TEasyStringItem> FLines;
  TEasyVisibleLinesList* FHiddenLines;
  bool FHideLines = false;
  bool FUpdating = false;
  // Pending "not lexed from here to the end" marks: ascending line and ascending stamp.
  struct TParsedMark {
    int From;
    Cardinal Stamp;
  };
  std::vector<TParsedMark> FParsedMarks;
  Cardinal FParseStamp = 1;
};

// The search parameters of SearchInStrings.
enum TEasySearchParam { srpCaseSensitive, srpWholeWords, srpForward };
using TEasySearchParams = TSet<TEasySearchParam, srpForward>;
// A find routine: (line text, position in/out 1-based, length in/out, forward) -> found.
using TEasyMatchFunc = std::function<bool(const std::string& Line, int& Pos, int& Len, bool Forward)>;

// Searches Text in Strings from Pos (X 1-based column, Y line) forward or backward; on success Pos holds
// the match and Len its length. Trailing blanks of a line are never matched.
bool SearchInStrings(const std::string& Text, TEasyStrings* Strings, TEasySearchParams Params,
                     const TEasyCharSet& Delimiters, TPoint& Pos, int& Len, const TEasyMatchFunc& MatchFunc = nullptr);
