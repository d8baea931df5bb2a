// The line store: lines, style codes, lexer states, lazy lexing marks and change reporting.
#include "editor/Easystrings.h"

#include "platform/classes/Streams.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

Z_IMPLEMENT_CLASS(TEasyStrings, TStrings)

namespace {
// More pending lexing marks than this are merged, the oldest first (merging only ever re-lexes more).
constexpr std::size_t MaxParsedMarks = 32;
// A cleared run shorter than this is cleared line by line.
constexpr int ParsedWalkLimit = 64;
// Lines at least this long get room to grow by an eighth, so that the first keystroke in a long line does not
// move the whole line to a larger block of memory (room that is never written costs no memory).
constexpr std::size_t RoomyLineFrom = 64 * 1024;
std::size_t RoomFor(std::size_t Length) { return Length >= RoomyLineFrom ? Length + Length / 8 : Length; }

// Stores Length characters of Text as a line's text, with room to grow when the line is long.
void AssignLine(std::string& Line, const char* Text, std::size_t Length) {
  Line.reserve(RoomFor(Length));
  Line.assign(Text, Length);
}

void KeepRoom(std::string& Line) {
  if (Line.capacity() < RoomFor(Line.size())) {
    Line.reserve(RoomFor(Line.size()));
  }
}
}  // namespace

TEasyStrings::TEasyStrings() : FHiddenLines(new TEasyVisibleLinesList()) {}

TEasyStrings::~TEasyStrings() {
  OnChange = nullptr;
  OnChanging = nullptr;
  OnGetString = nullptr;
  FreeItems();
  delete FHiddenLines;
}

void TEasyStrings::FreeItems() {
  // Every record goes with the pool's blocks; only what the records own is freed one by one.
  for (int I = 0; I < FLines.Count(); ++I) {
    FLines[I]->~TEasyStringItem();
  }
  FItems.Release();
  FLines.Clear();
  FLines.SetCapacity(0);
  FParsedMarks.clear();
}

void TEasyStrings::Changed() {
  if (!FUpdating && OnChange) {
    OnChange(this);
  }
}

void TEasyStrings::Changing() {
  if (!FUpdating && OnChanging) {
    OnChanging(this);
  }
}

void TEasyStrings::SetUpdateState(bool Value) {
  FUpdating = Value;
  if (Value) {
    FirstChanged = -1;
    LastChanged = -1;
  } else {
    Changed();
  }
}

TEasyStringItem* TEasyStrings::GetItem(int Index) const { return Valid(Index) ? FLines[Index] : nullptr; }

std::string TEasyStrings::Get(int Index) const {
  if (!Valid(Index)) {
    return std::string();
  }
  std::string S = FLines[Index]->Text;
  if (OnGetString) {
    OnGetString(const_cast<TEasyStrings*>(this), S, false);
  }
  return S;
}

void TEasyStrings::SetCapacity(int N) {
  FLines.SetCapacity(N);
  UpdateVisibleLines();
}

TObject* TEasyStrings::GetObject(int Index) const { return Valid(Index) ? FLines[Index]->Obj : nullptr; }

void TEasyStrings::PutObject(int Index, TObject* Obj) {
  if (Valid(Index)) {
    FLines[Index]->Obj = Obj;
  }
}

void TEasyStrings::Put(int Index, const std::string& S) {
  if (!Valid(Index)) {
    return;
  }
  Changing();
  TEasyStringItem* Item = FLines[Index];
  Item->Text = S;
  Item->LexPoints.reset();
  if (OnGetString) {
    OnGetString(this, Item->Text, true);
  }
  LinesUpdated(Index, Index);
  Changed();
}

void TEasyStrings::PutStr(int Index, const std::string& S) {
  if (!Valid(Index)) {
    return;
  }
  Changing();
  FLines[Index]->Text = S;
  FLines[Index]->LexPoints.reset();
  LinesUpdated(Index, Index);
  Changed();
}

void TEasyStrings::Insert(int Index, const std::string& S) {
  if (Index >= 0 && Index <= Count()) {
    InsertItem(Index, S);
  }
}

int TEasyStrings::Add(const std::string& S) {
  const int Index = Count();
  InsertItem(Index, S);
  return Index;
}

void TEasyStrings::InsertItem(int Index, const std::string& S) { InsertItemText(Index, S.data(), S.size()); }

TEasyStringItem* TEasyStrings::MakeItem(TEasyRecordPool<TEasyStringItem>& Pool, const char* Text, std::size_t Length) {
  TEasyStringItem* Item = Pool.New();
  try {
    AssignLine(Item->Text, Text, Length);
    if (OnGetString) {
      OnGetString(this, Item->Text, true);
      KeepRoom(Item->Text);
    }
  } catch (...) {
    Pool.Delete(Item);
    throw;
  }
  return Item;
}

void TEasyStrings::InsertItemText(int Index, const char* Text, std::size_t Length) {
  Changing();
  TEasyStringItem* Item = MakeItem(FItems, Text, Length);
  try {
    FLines.Insert(Index, Item);
  } catch (...) {
    FItems.Delete(Item);
    throw;
  }
  ShiftParsedMarks(Index, 1);
  if (FHideLines) {
    FHiddenLines->LineChanged(Index, 1);
  }
  LinesUpdated(Index, INT_MAX);
  Changed();
}

void TEasyStrings::Delete(int Index) {
  if (!Valid(Index)) {
    return;
  }
  Changing();
  if (FHideLines) {
    FHiddenLines->LineChanged(Index, -1);
  }
  FItems.Delete(FLines[Index]);
  FLines.Delete(Index);
  ShiftParsedMarks(Index, -1);
  LinesUpdated(Index, INT_MAX);
  Changed();
}

void TEasyStrings::Exchange(int Index1, int Index2) {
  if (!Valid(Index1) || !Valid(Index2)) {
    return;
  }
  Changing();
  ExchangeItems(Index1, Index2);
  LinesUpdated(std::min(Index1, Index2), std::max(Index1, Index2));
  Changed();
}

void TEasyStrings::ExchangeItems(int Index1, int Index2) {
  if (!Valid(Index1) || !Valid(Index2)) {
    return;
  }
  TEasyStringItem* A = FLines[Index1];
  TEasyStringItem* B = FLines[Index2];
  std::swap(A->Text, B->Text);
  std::swap(A->Styles, B->Styles);
  std::swap(A->Obj, B->Obj);
  // The lexer states stay with their places, so what lexing could start from is no longer known.
  A->LexPoints.reset();
  B->LexPoints.reset();
}

void TEasyStrings::Clear() {
  if (Count() == 0) {
    return;
  }
  Changing();
  FreeItems();
  LinesUpdated(0, INT_MAX);
  UpdateVisibleLines();
  Changed();
}

std::string TEasyStrings::GetSaveText() const {
  const char* Break = LineBreakStyle == lbsCR ? "\r" : (LineBreakStyle == lbsLF ? "\n" : "\r\n");
  const std::size_t BreakLen = std::strlen(Break);
  const int N = Count();
  std::size_t Total = 0;
  for (int I = 0; I < N; ++I) {
    Total += FLines[I]->Text.size() + BreakLen;
  }
  // Reserved and appended rather than sized first, so the large block is written once and not cleared before.
  std::string Result;
  Result.reserve(Total);
  for (int I = 0; I < N; ++I) {
    Result.append(FLines[I]->Text);
    Result.append(Break, BreakLen);
  }
  return Result;
}

namespace {

// Splits text that arrives in pieces into lines at CR LF, CR or LF and hands each line to Add(Text, Length).
// A line that lies within one piece is handed over straight from it; only a line that crosses pieces is
// gathered first.
template <class F> class TLineSplitter {
public:
  explicit TLineSplitter(F& AAdd) : Add(AAdd) {}

  void Feed(const char* Text, std::size_t Length) {
    const char* P = Text;
    const char* End = Text + Length;
    if (AfterReturn && P < End && *P == '\n') {
      ++P;  // the second half of a CR LF split between pieces
      ++Feeds;
    }
    AfterReturn = false;
    const char* NextFeed = nullptr;  // the next line feed at or after P, End when none
    const char* NextReturn = nullptr;
    while (P < End) {
      if (NextFeed < P) {
        NextFeed = static_cast<const char*>(std::memchr(P, '\n', static_cast<std::size_t>(End - P)));
        NextFeed = NextFeed ? NextFeed : End;
      }
      if (NextReturn < P) {
        NextReturn = static_cast<const char*>(std::memchr(P, '\r', static_cast<std::size_t>(End - P)));
        NextReturn = NextReturn ? NextReturn : End;
      }
      const char* Stop = std::min(NextFeed, NextReturn);
      if (Stop == End) {
        Pending.append(P, static_cast<std::size_t>(End - P));
        HasPending = true;
        return;
      }
      if (HasPending) {
        Pending.append(P, static_cast<std::size_t>(Stop - P));
        Add(Pending.data(), Pending.size());
        Pending.clear();
        HasPending = false;
      } else {
        Add(P, static_cast<std::size_t>(Stop - P));
      }
      P = Stop;
      if (*P == '\r') {
        ++P;
        if (P == End) {
          AfterReturn = true;
        } else if (*P == '\n') {
          ++P;
          ++Feeds;
        }
      } else {
        ++P;
        ++Feeds;
      }
    }
  }

  // Hands over the text after the last line break, when there is any.
  void Finish() {
    if (HasPending) {
      Add(Pending.data(), Pending.size());
      Pending.clear();
      HasPending = false;
    }
  }

  std::size_t Feeds = 0;  // line feeds passed so far

private:
  F& Add;
  std::string Pending;
  bool HasPending = false;
  bool AfterReturn = false;
};

std::size_t CountFeeds(const char* Text, std::size_t Length) {
  std::size_t Feeds = 0;
  const char* End = Text + Length;
  for (const char* P = Text; P < End;) {
    const void* Hit = std::memchr(P, '\n', static_cast<std::size_t>(End - P));
    if (!Hit) {
      break;
    }
    ++Feeds;
    P = static_cast<const char*>(Hit) + 1;
  }
  return Feeds;
}

}  // namespace

void TEasyStrings::SetTextBuffer(const char* Text, std::size_t Length) {
  BeginUpdate();
  try {
    Clear();
    // Room for every line at once: counting the line feeds is cheaper than regrowing the array.
    const std::size_t Feeds = CountFeeds(Text, Length);
    if (Feeds + 1 > static_cast<std::size_t>(Capacity())) {
      FLines.SetCapacity(static_cast<int>(std::min<std::size_t>(Feeds + 1, INT_MAX)));
    }
    // Each line is added as Add would, without building a temporary string first.
    auto Add = [this](const char* Line, std::size_t Size) { InsertItemText(Count(), Line, Size); };
    TLineSplitter<decltype(Add)> Splitter(Add);
    Splitter.Feed(Text, Length);
    Splitter.Finish();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TEasyStrings::SaveToStream(TStream* Stream) {
  // The text goes out through one reused buffer instead of a copy of the whole document.
  const char* Break = LineBreakStyle == lbsCR ? "\r" : (LineBreakStyle == lbsLF ? "\n" : "\r\n");
  const std::size_t BreakLen = std::strlen(Break);
  constexpr std::size_t Chunk = 1 << 20;
  std::string Buffer;
  Buffer.reserve(Chunk + BreakLen);
  auto Flush = [&] {
    if (!Buffer.empty()) {
      Stream->WriteBuffer(Buffer.data(), static_cast<LongInt>(Buffer.size()));
      Buffer.clear();
    }
  };
  const int N = Count();
  for (int I = 0; I < N; ++I) {
    const std::string& T = FLines[I]->Text;
    if (T.size() >= Chunk) {
      Flush();
      Stream->WriteBuffer(T.data(), static_cast<LongInt>(T.size()));
    } else {
      if (Buffer.size() + T.size() > Chunk) {
        Flush();
      }
      Buffer.append(T);
    }
    Buffer.append(Break, BreakLen);
  }
  Flush();
}

void TEasyStrings::LoadFromStream(TStream* Stream) {
  // The stream is read and split a piece at a time: each piece is still in the cache while its lines are
  // copied out, and no copy of the whole document is made besides the lines. The lines are made apart from
  // the store, in a pool and an array of their own, and take the place of its lines only when the whole
  // stream has been read, so a read that fails leaves the store as it was.
  constexpr std::size_t Piece = 1 << 20;
  const Int64 Size = Stream->Size() - Stream->Position();
  std::size_t Left = static_cast<std::size_t>(Size > 0 ? Size : 0);
  std::string Buffer(std::min(Left, Piece), '\0');
  TEasyRecordPool<TEasyStringItem> Pool;
  TEasyGapArray<TEasyStringItem> Made;
  auto Add = [&](const char* Line, std::size_t Length) {
    TEasyStringItem* Item = MakeItem(Pool, Line, Length);
    try {
      Made.Insert(Made.Count(), Item);
    } catch (...) {
      Pool.Delete(Item);
      throw;
    }
  };
  auto DestroyMade = [&] {
    for (int I = 0; I < Made.Count(); ++I) {
      Made[I]->~TEasyStringItem();
    }
    Made.Clear();
  };
  TLineSplitter<decltype(Add)> Splitter(Add);
  try {
    bool First = true;
    while (Left > 0) {
      const std::size_t N = std::min(Left, Piece);
      Stream->ReadBuffer(Buffer.data(), static_cast<LongInt>(N));
      Left -= N;
      if (First) {
        // Room for as many lines as the whole stream holds at the density of its first piece.
        const std::size_t Here = CountFeeds(Buffer.data(), N);
        const double Estimate =
            static_cast<double>(Here + 1) * static_cast<double>(N + Left) / static_cast<double>(N) * 1.05;
        Made.SetCapacity(static_cast<int>(std::min(Estimate, static_cast<double>(INT_MAX))));
        First = false;
      }
      Splitter.Feed(Buffer.data(), N);
    }
    Splitter.Finish();
    // As much room as a load of the whole text at once makes.
    const std::size_t Room = std::max(Splitter.Feeds + 1, static_cast<std::size_t>(Made.Count()));
    Made.SetCapacity(static_cast<int>(std::min<std::size_t>(Room, INT_MAX)));
  } catch (...) {
    DestroyMade();
    throw;
  }
  std::string().swap(Buffer);
  BeginUpdate();
  try {
    Clear();
    // Appended lines move no lexing mark and no folded-away line, so only the change is recorded.
    Changing();
    FLines.Swap(Made);
    FItems.Swap(Pool);
    if (Count() > 0) {
      LinesUpdated(0, INT_MAX);
    }
    Changed();
  } catch (...) {
    DestroyMade();
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TEasyStrings::GetStr(int Index) const { return Valid(Index) ? FLines[Index]->Text : std::string(); }

const std::string& TEasyStrings::GetStrRef(int Index) const {
  static const std::string Empty;
  return Valid(Index) ? FLines[Index]->Text : Empty;
}

std::string TEasyStrings::GetStrData(int Index) const {
  return Valid(Index) ? FLines[Index]->Styles : std::string();
}

int TEasyStrings::GetData(int Index, int Pos) const {
  if (!Valid(Index) || Pos < 1) {
    return -1;
  }
  const std::string& S = FLines[Index]->Styles;
  if (S.size() < static_cast<std::size_t>(Pos) * 2) {
    return -1;
  }
  Word Code = 0;
  std::memcpy(&Code, S.data() + (Pos - 1) * 2, 2);
  return static_cast<SmallInt>(Code);
}

void TEasyStrings::PutData(int Index, int Pos, int Count, int Style) {
  if (!Valid(Index) || Pos < 1) {
    return;
  }
  std::string& S = FLines[Index]->Styles.Mutable();
  FLines[Index]->LexPoints.reset();
  const Word Code = static_cast<Word>(Style);
  for (int I = 0; I < Count && static_cast<std::size_t>(Pos - 1 + I) * 2 + 2 <= S.size(); ++I) {
    std::memcpy(S.data() + (Pos - 1 + I) * 2, &Code, 2);
  }
}

int TEasyStrings::GetState(int Index) const { return Valid(Index) ? FLines[Index]->EndState : 0; }

void TEasyStrings::SetState(int Index, int Value) {
  if (Valid(Index)) {
    FLines[Index]->EndState = static_cast<Word>(Value);
  }
}

void TEasyStrings::LinesUpdated(int First, int Last) {
  FirstChanged = FirstChanged == -1 ? First : std::min(FirstChanged, First);
  LastChanged = std::max(LastChanged, Last);
}

// ---- lexing marks ----

bool TEasyStrings::IsParsed(int Index) const {
  if (!Valid(Index)) {
    return false;
  }
  const TEasyStringItem* Item = FLines[Index];
  if ((Item->Flags & sfParsed) == 0) {
    return false;
  }
  // The newest mark at or before the line decides: the line must have been lexed since.
  auto It = std::upper_bound(FParsedMarks.begin(), FParsedMarks.end(), Index,
                             [](int I, const TParsedMark& M) { return I < M.From; });
  return It == FParsedMarks.begin() || Item->ParsedStamp >= std::prev(It)->Stamp;
}

void TEasyStrings::SetParsed(int Index) {
  if (Valid(Index)) {
    FLines[Index]->Flags |= sfParsed;
    FLines[Index]->ParsedStamp = FParseStamp;
  }
}

void TEasyStrings::ClearParsed(int First, int Last) {
  First = std::max(First, 0);
  Last = std::min(Last, Count() - 1);
  if (First > Last) {
    return;
  }
  if (Last < Count() - 1 || Last - First < ParsedWalkLimit) {
    for (int I = First; I <= Last; ++I) {
      FLines[I]->Flags &= static_cast<Byte>(~sfParsed);
    }
    return;
  }
  ++FParseStamp;
  while (!FParsedMarks.empty() && FParsedMarks.back().From >= First) {
    FParsedMarks.pop_back();
  }
  FParsedMarks.push_back({First, FParseStamp});
  if (FParsedMarks.size() > MaxParsedMarks) {
    // Widen the second mark to start where the first does.
    FParsedMarks[1].From = FParsedMarks[0].From;
    FParsedMarks.erase(FParsedMarks.begin());
  }
}

void TEasyStrings::ShiftParsedMarks(int Index, int Delta) {
  // Marks follow the lines they cover.
  for (auto It = FParsedMarks.rbegin(); It != FParsedMarks.rend() && It->From > Index; ++It) {
    It->From += Delta;
  }
}

// ---- folding ----

bool TEasyStrings::GetVisible(int Index) const { return !Valid(Index) || (FLines[Index]->Flags & sfHidden) == 0; }

void TEasyStrings::SetVisible(int Index, bool Value) {
  if (!Valid(Index)) {
    return;
  }
  TEasyStringItem* Item = FLines[Index];
  if (Value) {
    Item->Flags &= static_cast<Byte>(~sfHidden);
  } else {
    Item->Flags |= sfHidden;
  }
  if (Value || Index == 0 || FLines[Index - 1]->NotShown || (FLines[Index - 1]->Flags & sfCollapsed) != 0) {
    const bool Old = VisibilityChanging;
    VisibilityChanging = true;
    Changing();
    SetLineVisible(Index, Value);
    LinesUpdated(Index, INT_MAX);
    Changed();
    VisibilityChanging = Old;
  }
}

bool TEasyStrings::GetLineVisible(int Index) const {
  if (!Valid(Index) || !FHideLines) {
    return true;
  }
  return FHiddenLines->IndexOfKey(Index) < 0;
}

void TEasyStrings::SetLineVisible(int Index, bool Value) {
  if (!Valid(Index)) {
    return;
  }
  FLines[Index]->NotShown = !Value;
  if (FHideLines) {
    void* Entry = reinterpret_cast<void*>(static_cast<NativeInt>(Index));
    if (Value) {
      const int At = FHiddenLines->IndexOfKey(Index);
      if (At >= 0) {
        FHiddenLines->Delete(At);
      }
    } else {
      FHiddenLines->Add(Entry);
    }
  }
}

bool TEasyStrings::GetExpanded(int Index) const { return Valid(Index) && (FLines[Index]->Flags & sfExpanded) != 0; }

bool TEasyStrings::GetCollapsed(int Index) const {
  return Valid(Index) && (FLines[Index]->Flags & sfCollapsed) != 0;
}

void TEasyStrings::SetLevel(int Index, Byte Level) {
  if (Valid(Index)) {
    FLines[Index]->Level = Level;
  }
}

void TEasyStrings::SetExpandedOrCollapsed(int Index, bool Expanded, bool Collapsed) {
  if (!Valid(Index)) {
    return;
  }
  const bool Old = VisibilityChanging;
  VisibilityChanging = true;
  Changing();
  Byte& Flags = FLines[Index]->Flags;
  Flags &= static_cast<Byte>(~(sfExpanded | sfCollapsed));
  if (Expanded) {
    Flags |= sfExpanded;
  } else if (Collapsed) {
    Flags |= sfCollapsed;
  }
  UpdateVisible(Index);
  LinesUpdated(Index, INT_MAX);
  Changed();
  VisibilityChanging = Old;
}

void TEasyStrings::UpdateVisible(int Index) {
  if (!Valid(Index)) {
    return;
  }
  const bool Show = (FLines[Index]->Flags & sfExpanded) != 0;
  int Line = Index + 1;
  if (Line >= Count() || (FLines[Line]->Flags & sfHidden) == 0) {
    return;
  }
  const Byte BlockLevel = FLines[Line]->Level;
  for (; Line < Count() && (FLines[Line]->Flags & sfHidden) != 0; ++Line) {
    TEasyStringItem* Item = FLines[Line];
    if (Item->Level < BlockLevel) {
      break;
    }
    SetLineVisible(Line, Show);
    if (Show && (Item->Flags & sfCollapsed) != 0) {
      Item->Flags = static_cast<Byte>((Item->Flags & ~sfCollapsed) | sfExpanded);
    }
  }
}

void TEasyStrings::ExpandPrev(int Index) {
  for (int Line = std::min(Index, Count()) - 1; Line >= 0; --Line) {
    if ((FLines[Line]->Flags & sfCollapsed) != 0) {
      SetExpanded(Line, true);
      return;
    }
  }
}

void TEasyStrings::SetHideLines(bool Value) {
  if (Value != FHideLines) {
    FHideLines = Value;
    UpdateVisibleLines();
  }
}

void TEasyStrings::UpdateVisibleLines() {
  FHiddenLines->Clear();
  if (FHideLines) {
    for (int I = 0; I < Count(); ++I) {
      if (FLines[I]->NotShown) {
        FHiddenLines->TList::Add(reinterpret_cast<void*>(static_cast<NativeInt>(I)));
      }
    }
  }
}

int TEasyStrings::GetVisibleCount() const {
  if (!FHideLines) {
    return Count();
  }
  return std::max(Count() - FHiddenLines->Count(), 0);
}

int TEasyStrings::GetHiddenCount() const { return FHideLines ? FHiddenLines->Count() : 0; }

int TEasyStrings::RealToVisibleLineIndex(int Index) {
  if (!FHideLines || Count() == 0 || FHiddenLines->Count() == 0) {
    return Index;
  }
  const int P = FHiddenLines->FindNear(Index, false, false);
  int Result = P >= 0 ? Index - P - 1 : Index;
  if (Valid(Index) && FLines[Index]->NotShown) {
    ++Result;
  }
  return Result;
}

int TEasyStrings::VisibleToRealLineIndex(int Row) {
  if (!FHideLines || Count() == 0 || FHiddenLines->Count() == 0) {
    return Row;
  }
  const int P = FHiddenLines->FindNear(Row, true, false);
  return P >= 0 ? Row + P + 1 : Row;
}
