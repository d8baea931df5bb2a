// The edit source: construction, options, update brackets, notification, change tracking, lexing and files.
#include "editor/Easyeditsource.h"

#include "platform/classes/Streams.h"

#include <algorithm>
#include <climits>
#include <cstring>

Z_IMPLEMENT_CLASS(TCustomEasyEditSource, TComponent)
Z_IMPLEMENT_CLASS(TEasyEditSource, TCustomEasyEditSource)

namespace {
// Characters 0 and 2 to 32; character 1 marks an embedded object and belongs to no word.
TEasyCharSet DefaultDelimiters() {
  TEasyCharSet S = MakeCharSet({'\0'}, {{'\x02', ' '}});
  return S;
}
}  // namespace

TCustomEasyEditSource::TCustomEasyEditSource(TComponent* AOwner)
    : TComponent(AOwner),
      Delimiters(DefaultDelimiters()),
      FStrings(new TEasyStrings()),
      FNotifiers(CreateNotifierList()),
      FBookMarks(new TEasyBookMarkList()),
      FLineStyles(new TEasyBookMarkList()),
      FTabs(new TTabStopList()),
      FSpellTokens(new TStringList()),
      FUndo(new TEasyUndoList()),
      FRedo(new TEasyUndoList()) {
  FStrings->OnChange = [this](TObject* Sender) { StringsChanged(Sender); };
  FStrings->OnGetString = [this](TObject* Sender, std::string& S, bool Storing) { GetString(Sender, S, Storing); };
  FSpellTokens->Add("tstring");
  FSpellTokens->Add("tcomment");
  FSpellTokens->SetOnChange([this](TObject* Sender) { SpellTokensChanged(Sender); });
  UpdateInternalStyles();
}

// BeforeDestruction normally did this already; a source that is not deleted through `delete` still
// detaches here, before its members go.
TCustomEasyEditSource::~TCustomEasyEditSource() {
  if (FParser) {
    FParser->UnRegisterNotifier(ParserNotifier());
    FParser->RemoveFreeNotification(this);
  }
  FSpellTokens->SetOnChange(nullptr);
  FStrings->OnChange = nullptr;
  FStrings->OnGetString = nullptr;
}

void TCustomEasyEditSource::BeforeDestruction() {
  if (FParser) {
    FParser->UnRegisterNotifier(ParserNotifier());
    FParser->RemoveFreeNotification(this);
    FParser = nullptr;
  }
  FSpellTokens->SetOnChange(nullptr);
  FStrings->OnChange = nullptr;
  TComponent::BeforeDestruction();
}

TEasyNotifyMethod TCustomEasyEditSource::ParserNotifier() {
  return TEasyNotifyMethod(this, &TCustomEasyEditSource::ParserChanged);
}

void TCustomEasyEditSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == FParser) {
    SetParser(nullptr);
  }
}

// ---- options and settings ----

void TCustomEasyEditSource::SetOptions(TEasySourceOptions Value) {
  const TEasySourceOptions Old = FOptions;
  if (Value.Contains(srUseTab) && !Old.Contains(srUseTab)) {
    Value.Exclude(srSmartTab);
  } else if (Old.Contains(srUseTab) && Value.Contains(srSmartTab)) {
    Value.Exclude(srUseTab);
  }
  if (Value == Old) {
    return;
  }
  const bool UndoOnlyChanges = Value.Contains(srUndoOnlyChanges);
  if (UndoOnlyChanges != Old.Contains(srUndoOnlyChanges)) {
    FUndo->Clear();
    FRedo->Clear();
  }
  FUndo->SetWrapsPayload(UndoOnlyChanges);
  FRedo->SetWrapsPayload(UndoOnlyChanges);
  const bool HadTabs = NeedTabs();
  FOptions = Value;
  FStrings->SetHideLines(Value.Contains(srAllowHiddenLines));
  if (HadTabs && !NeedTabs()) {
    ExpandTabStrings();
  }
  if (Old.Contains(srBeyondEof) && !Value.Contains(srBeyondEof) && CurrentPosition.Y > FStrings->Count() - 1) {
    const int Last = std::max(FStrings->Count() - 1, 0);
    JumpTo(LineLength(Last), Last);
  }
  if (Old.Contains(srLiveSpell) != Value.Contains(srLiveSpell) ||
      Old.Contains(srAllowHiddenLines) != Value.Contains(srAllowHiddenLines)) {
    ParserChanged(this, 0);
  }
}

void TCustomEasyEditSource::ExpandTabStrings() {
  for (int I = 0; I < FStrings->Count(); ++I) {
    TEasyStringItem* Item = FStrings->GetItem(I);
    if (Item->Text.find('\t') == std::string::npos) {
      continue;
    }
    // Each tab's style code is repeated over its blanks, so the codes stay one per character.
    std::string Text;
    std::string Styles;
    const bool HasStyles = Item->Styles.size() == Item->Text.size() * 2;
    for (std::size_t C = 0; C < Item->Text.size(); ++C) {
      const std::size_t Width = Item->Text[C] == '\t'
                                    ? static_cast<std::size_t>(FTabs->Get(static_cast<int>(Text.size())) -
                                                               static_cast<int>(Text.size()))
                                    : 1;
      Text.append(Width, Item->Text[C] == '\t' ? ' ' : Item->Text[C]);
      if (HasStyles) {
        for (std::size_t W = 0; W < Width; ++W) {
          Styles.append(Item->Styles, C * 2, 2);
        }
      }
    }
    Item->Text = std::move(Text);
    Item->Styles = HasStyles ? std::move(Styles) : std::string();
    Item->LexPoints.reset();
    if (AllowParsing()) {
      FStrings->ClearParsed(I, I);
    }
  }
}

void TCustomEasyEditSource::SetReadOnly(bool Value) {
  if (Value != FReadOnly) {
    Bracket(oprOther, [&] {
      FReadOnly = Value;
      State.Include(csReadOnlyChanged);
    });
  }
}

void TCustomEasyEditSource::SetTabStops(const std::string& Value) {
  if (Value == FTabs->GetTabStops()) {
    return;
  }
  FTabs->SetTabStops(Value);
  if (NeedTabs()) {
    Bracket(oprOther, [&] { LinesUpdated(0, INT_MAX, 0, INT_MAX, false); });
  }
}

void TCustomEasyEditSource::SetUseGlobalSettings(bool Value) {
  // No settings class is registered for edit sources, so there is nothing to apply.
  UseGlobalSettings = Value;
}

void TCustomEasyEditSource::SetUsePages(bool Value) {
  if (Value == FUsePages) {
    return;
  }
  FUsePages = Value;
  if (Value && CurrentPosition.Y > FStrings->Count() - 1) {
    const int Last = std::max(FStrings->Count() - 1, 0);
    JumpTo(LineLength(Last), Last);
  }
}

void TCustomEasyEditSource::SetSpellTokens(TStrings* Value) { FSpellTokens->Assign(Value); }

void TCustomEasyEditSource::SetStrings(TStrings* Value) { FStrings->Assign(Value); }

// ---- brackets and notification ----

void TCustomEasyEditSource::BeginSourceUpdate(TEasyOperation Operation) {
  if (FUpdateCount == 0) {
    State.Clear();
    FirstChangedLine = LastChangedLine = FirstChangedChar = LastChangedChar = -1;
    OldPosition = CurrentPosition;
    FUpdateOperation = Operation;
    FGroupStart = true;
    OldLineCount = FStrings->Count();
  }
  ++FUpdateCount;
}

void TCustomEasyEditSource::EndSourceUpdate() {
  if (FUpdateCount <= 0 || --FUpdateCount > 0) {
    return;
  }
  if (!(CurrentPosition == OldPosition)) {
    State.Include(csPositionChanged);
  }
  if (State.Contains(csEdit) || State.Contains(csParagraphChanged)) {
    if (!Modified) {
      State.Include(csModifiedChanged);
    }
    Modified = true;
    if (FirstChangedLine >= 0) {
      FParsedUpTo = std::min(FParsedUpTo, FirstChangedLine);
    }
  }
  if (FStrings->Count() != OldLineCount) {
    State.Include(csCountChanged);
  }
  if ((State.Contains(csPositionChanged) || State.Contains(csEdit)) && !State.Contains(csUndo)) {
    RedoList()->Clear();
  }
  if (!State.Empty()) {
    Notify();
  }
}

void TCustomEasyEditSource::BeginBlockUpdate() {
  if (FBlockUpdateCount++ == 0) {
    FStrings->FirstChanged = -1;
    FStrings->LastChanged = -1;
    FFreshLine = -1;
  }
}

void TCustomEasyEditSource::EndBlockUpdate() {
  if (FBlockUpdateCount <= 0 || --FBlockUpdateCount > 0) {
    return;
  }
  const int First = FStrings->FirstChanged;
  const int Last = FStrings->LastChanged;
  if (First >= 0) {
    // A long line lexed again around its edit, with nothing changed since, keeps its styles.
    if (First == Last && First == FFreshLine && FFreshAt == FChangeCount) {
      FStrings->FirstChanged = -1;
      FStrings->LastChanged = -1;
    } else {
      SetParsedState(First, Last);
    }
    LinesChanged(First, Last);
  }
}

void TCustomEasyEditSource::RegisterNotifier(const TEasyNotifyMethod& Method) { FNotifiers->AddItem(Method); }

void TCustomEasyEditSource::UnRegisterNotifier(const TEasyNotifyMethod& Method) { FNotifiers->DeleteItem(Method); }

void TCustomEasyEditSource::Notify() { FNotifiers->SendNotification(this, 0); }

void TCustomEasyEditSource::NotifyChanges(int X, int Y, TEasyOperation Operation) {
  TEasySourceNotification N{Operation, 0, TPoint{X, Y}};
  FNotifiers->SendNotification(this, reinterpret_cast<NativeInt>(&N));
}

void TCustomEasyEditSource::UpdateBlock(int X, int Y, int DX, int DY) {
  TRect R{X, Y, DX, DY};
  TEasySourceNotification N{oprUpdateBlock, reinterpret_cast<NativeInt>(&R), TPoint{-1, -1}};
  FNotifiers->SendNotification(this, reinterpret_cast<NativeInt>(&N));
}

void TCustomEasyEditSource::LinesUpdated(int X1, int X2, int Y1, int Y2, bool Edit) {
  FirstChangedLine = FirstChangedLine == -1 ? Y1 : std::min(FirstChangedLine, Y1);
  LastChangedLine = std::max(LastChangedLine, Y2);
  FirstChangedChar = FirstChangedChar == -1 ? X1 : std::min(FirstChangedChar, X1);
  LastChangedChar = std::max(LastChangedChar, X2);
  if (Edit) {
    State.Include(csEdit);
  }
}

void TCustomEasyEditSource::UpdateString(int Line) {
  LinesUpdated(0, INT_MAX, Line, Line, false);
  State.Include(csBlockChanged);
}

// ---- changes of the line store ----

void TCustomEasyEditSource::StringsChanged(TObject*) {
  ++FChangeCount;
  const int First = FStrings->FirstChanged;
  const int Last = FStrings->LastChanged;
  if (First < 0) {
    return;  // an update that changed nothing
  }
  if (FBlockUpdateCount == 0) {
    LinesChanged(First, Last);
  }
  if (FStrings->VisibilityChanging) {
    Bracket(oprOther, [&] {
      State.Include(csVisibleChanged);
      LinesUpdated(0, INT_MAX, First, Last, true);
    });
  } else if (FInternalEditCount == 0) {
    // Somebody changed the lines directly (loading, assignment): a new document as far as editing goes.
    Bracket(oprOther, [&] {
      LinesUpdated(0, INT_MAX, First, Last, true);
      State.Include(csPositionChanged);
      State.Include(csEdit);
      State.Include(csModifiedChanged);
      // The caret is put in place directly: a move through Navigate would strip trailing blanks from
      // whatever line of the new text the old caret line happens to be.
      CurrentPosition = TPoint{0, std::min(First, std::max(FStrings->Count() - 1, 0))};
      FUndo->Clear();
      FRedo->Clear();
      FStrings->FirstChanged = FStrings->LastChanged = -1;
      SetParsedState(FirstChangedLine, LastChangedLine);
    });
    Modified = false;
  } else if (FBlockUpdateCount == 0) {
    SetParsedState(First, Last);
  }
}

void TCustomEasyEditSource::GetString(TObject*, std::string& S, bool Storing) {
  if (S.find('\t') == std::string::npos) {
    return;
  }
  if (Storing ? (!NeedTabs() && FInternalEditCount == 0) : NeedTabs()) {
    S = FTabs->GetRealString(S);
  }
}

// ---- lexing ----

void TCustomEasyEditSource::ParserChanged(TObject*, NativeInt) {
  Bracket(oprOther, [&] {
    FParsedUpTo = 0;
    ++FLexGeneration;
    State.Include(csParserChanged);
    FStrings->ClearParsed(0, FStrings->Count() - 1);
    UpdateDelimiters();
    UpdateInternalStyles();
  });
}

void TCustomEasyEditSource::SetParser(TCustomEasyParser* Value) {
  if (Value != FParser) {
    Bracket(oprOther, [&] {
      if (FParser) {
        FParser->UnRegisterNotifier(ParserNotifier());
        FParser->RemoveFreeNotification(this);
      }
      FParser = Value;
      if (FParser) {
        FParser->RegisterNotifier(ParserNotifier());
        FParser->FreeNotification(this);
      }
      LinesUpdated(0, INT_MAX, 0, INT_MAX, false);
      ParserChanged(this, 0);
    });
  }
  UpdateInternalStyles();
}

void TCustomEasyEditSource::UpdateDelimiters() {
  if (FParser && !FParser->Delimiters().empty()) {
    Delimiters = DefaultDelimiters();
    for (char C : FParser->Delimiters()) {
      Delimiters.set(static_cast<unsigned char>(C));
    }
  }
}

void TCustomEasyEditSource::UpdateInternalStyles() {
  ++FLexGeneration;
  FUpdatingStyles = true;
  try {
    UrlStyle = FParser ? FParser->GetStyleByName("turl") : -1;
    if (FOptions.Contains(srLiveSpell)) {
      for (int I = 0; I < FSpellTokens->Count(); ++I) {
        const int Style = FParser ? FParser->GetStyleByName(FSpellTokens->Strings(I)) : -1;
        FSpellTokens->SetObjects(I, reinterpret_cast<TObject*>(static_cast<NativeInt>(Style)));
      }
    }
  } catch (...) {
    FUpdatingStyles = false;
    throw;
  }
  FUpdatingStyles = false;
}

void TCustomEasyEditSource::ParseToString(int Line) {
  Line = std::min(Line, FStrings->Count() - 1);
  if (Line >= FParsedUpTo) {
    ParseStrings(FParsedUpTo, Line, false);
    FParsedUpTo = Line + 1;
  }
}

void TCustomEasyEditSource::ParseStrings(int First, int Last, bool Force) {
  const bool Spell = FOptions.Contains(srLiveSpell) && AllowParsing();
  const bool Urls = FOptions.Contains(srHighlightUrls) && AllowParsing();
  if (!FParser && !Spell && !Urls) {
    return;
  }
  if (Spell) {
    SpellDelimiters = Delimiters | WordDelimSet;
  }
  Last = std::min(Last, FStrings->Count() - 1);
  int RunState = First < 1 ? (FParser ? FParser->InitialState : 0) : FStrings->GetState(First - 1);
  for (int Line = std::max(First, 0); Line <= Last; ++Line) {
    TEasyStringItem* Item = FStrings->GetItem(Line);
    if (!Force && FStrings->IsParsed(Line) && Item->StartState == static_cast<Word>(RunState)) {
      RunState = Item->EndState;
      continue;
    }
    const std::string& Text = Item->Text;
    if (FParser) {
      FParser->CurrentLine = Line;
      // Marked spelling depends on the caret, so a line checked for spelling is always lexed whole.
      const bool Spliced = !Spell && FSplice.Line == Line && RelexSplice(Item, RunState, Urls);
      if (Spliced) {
        NoteFreshLine(Line);
      } else {
        Item->StartState = static_cast<Word>(RunState);
        LexLine(Item, RunState, Urls);
      }
    } else if (!Spell && FSplice.Line == Line && RemarkSplice(Item, Urls)) {
      NoteFreshLine(Line);
    } else {
      Item->StartState = static_cast<Word>(RunState);
      MarkPlainLine(Item, Urls);
    }
    FStrings->SetParsed(Line);
    Item->EndState = static_cast<Word>(RunState);
    if (Spell) {
      DoCheckSpelling(Line, Text, Item->Styles.Mutable());
    }
  }
}

namespace {
// Lines at least this long keep lexing points, this far apart.
constexpr std::size_t LexPointsFrom = 16 * 1024;
constexpr int LexPointSpacing = 4096;

// Writes Style over the characters From to To (1-based, To excluded) of Styles.
void PutStyle(std::string& Styles, int From, int To, int Style) {
  const Word Code = static_cast<Word>(Style);
  char* Out = Styles.data();
  for (int C = From; C < To; ++C) {
    std::memcpy(Out + (C - 1) * 2, &Code, 2);
  }
}
}  // namespace

void TCustomEasyEditSource::LexLine(TEasyStringItem* Item, int& RunState, bool Urls) {
  const std::string& Text = Item->Text;
  const int Len = static_cast<int>(Text.size());
  Item->LexPoints.reset();
  std::unique_ptr<TEasyLexPoints> Points;
  if (Text.size() >= LexPointsFrom && FParser->TellsTokenReach()) {
    Points = std::make_unique<TEasyLexPoints>();
    Points->Length = Text.size();
    Points->Generation = FLexGeneration;
    Points->UrlStyle = Urls ? GetUrlStyle() : -1;
  }
  // The tokens cover the whole line, so the styles need no clearing first. A long line's styles get the room
  // its text has to grow.
  if (Points) {
    Item->Styles.Mutable().reserve(Text.capacity() * 2);
  }
  Item->Styles.resize(Text.size() * 2);
  int Pos = 1;
  int Start = 1;
  int Reach = 0;  // 0-based: no token so far looked at or beyond this offset
  int NextPoint = LexPointSpacing;
  try {
    while (Pos <= Len) {
      Start = Pos;
      if (Points && Start - 1 >= NextPoint) {
        Points->Points.push_back(TEasyLexPoint{Start - 1, Reach, static_cast<Word>(RunState)});
        NextPoint = Start - 1 + LexPointSpacing;
      }
      const int Style = FParser->ParseString(RunState, Text, Pos);
      if (Pos <= Start) {
        Pos = Start + 1;  // a token is at least one character long
      }
      if (Points) {
        Reach = std::max(Reach, Start - 1 + std::max(FParser->TokenReach, Pos - Start + 1));
      }
      PutStyle(Item->Styles.Mutable(), Start, std::min(Pos, Len + 1), Style);
    }
  } catch (...) {
    const std::size_t Done = static_cast<std::size_t>(Start - 1) * 2;
    std::string& Codes = Item->Styles.Mutable();
    std::fill(Codes.begin() + static_cast<std::ptrdiff_t>(Done), Codes.end(), static_cast<char>(0xFF));
    throw;
  }
  if (Urls) {
    DoCheckUrl(Text, Item->Styles.Mutable());
  }
  Item->LexPoints = std::move(Points);
}

void TCustomEasyEditSource::MarkPlainLine(TEasyStringItem* Item, bool Urls) {
  const std::string& Text = Item->Text;
  Item->LexPoints.reset();
  // A long line's styles get the room its text has to grow, and a record that lets an edit mark again only
  // the addresses it touches.
  if (Text.size() >= LexPointsFrom) {
    Item->Styles.Mutable().reserve(Text.capacity() * 2);
  }
  Item->Styles.Mutable().assign(Text.size() * 2, static_cast<char>(0xFF));
  if (Urls) {
    DoCheckUrl(Text, Item->Styles.Mutable());
  }
  if (Text.size() >= LexPointsFrom) {
    auto Points = std::make_unique<TEasyLexPoints>();
    Points->Length = Text.size();
    Points->Generation = FLexGeneration;
    Points->UrlStyle = Urls ? GetUrlStyle() : -1;
    Item->LexPoints = std::move(Points);
  }
}

bool TCustomEasyEditSource::RemarkSplice(TEasyStringItem* Item, bool Urls) {
  std::unique_ptr<TEasyLexPoints> Old = std::move(FSplice.Points);
  FSplice.Line = -1;
  const std::string& Text = Item->Text;
  if (!Old || Old->Generation != FLexGeneration || Old->UrlStyle != (Urls ? GetUrlStyle() : -1) ||
      Item->Styles.size() != Text.size() * 2) {
    return false;
  }
  const std::size_t OldLen = Old->Length;
  const std::size_t NewLen = Text.size();
  const std::size_t X = static_cast<std::size_t>(std::max(FSplice.At, 0));
  const std::size_t Removed = static_cast<std::size_t>(std::max(FSplice.Removed, 0));
  if (FSplice.At < 0 || FSplice.Removed < 0 || X + Removed > OldLen || NewLen + Removed < OldLen) {
    return false;
  }
  const std::size_t Inserted = NewLen + Removed - OldLen;
  // The run of address characters around the change is cleared and marked again whole; the rest of the line
  // keeps its marks, moved by the change.
  const TEasyCharSet UrlChars = ValueSet | UrlSet;
  auto IsUrlChar = [&](std::size_t I) { return Urls && InCharSet(Text[I], UrlChars); };
  std::size_t Left = X;
  while (Left > 0 && IsUrlChar(Left - 1)) {
    --Left;
  }
  std::size_t Right = X + Inserted;
  while (Right < NewLen && IsUrlChar(Right)) {
    ++Right;
  }
  std::fill(Item->Styles.Mutable().begin() + static_cast<std::ptrdiff_t>(Left * 2),
            Item->Styles.Mutable().begin() + static_cast<std::ptrdiff_t>(Right * 2), static_cast<char>(0xFF));
  if (Urls) {
    DoCheckUrlRange(Text, Item->Styles.Mutable(), Left, Right);
  }
  Old->Length = NewLen;
  Item->LexPoints = std::move(Old);
  return true;
}

void TCustomEasyEditSource::BeginSplice(int Line, int At, int Removed) {
  EndSplice();
  TEasyStringItem* Item = FStrings->GetItem(Line);
  if (!Item || !Item->LexPoints || Item->LexPoints->Length != Item->Text.size() ||
      Item->Styles.size() != Item->Text.size() * 2) {
    return;
  }
  FSplice.Line = Line;
  FSplice.At = At;
  FSplice.Removed = Removed;
  FSplice.Points = std::move(Item->LexPoints);
}

bool TCustomEasyEditSource::RelexSplice(TEasyStringItem* Item, int& RunState, bool Urls) {
  std::unique_ptr<TEasyLexPoints> Old = std::move(FSplice.Points);
  FSplice.Line = -1;
  const std::string& Text = Item->Text;
  if (!Old || Old->Generation != FLexGeneration || Old->UrlStyle != (Urls ? GetUrlStyle() : -1) ||
      Item->StartState != static_cast<Word>(RunState) || !FParser->TellsTokenReach() ||
      Item->Styles.size() != Text.size() * 2 || Text.size() > static_cast<std::size_t>(INT_MAX / 2)) {
    return false;
  }
  const int OldLen = static_cast<int>(Old->Length);
  const int NewLen = static_cast<int>(Text.size());
  const int X = FSplice.At;
  const int Removed = FSplice.Removed;
  const int Inserted = NewLen - OldLen + Removed;
  if (X < 0 || Removed < 0 || X + Removed > OldLen || Inserted < 0) {
    return false;
  }
  const int Delta = Inserted - Removed;
  const TEasyCharSet UrlChars = ValueSet | UrlSet;
  auto IsUrlChar = [&](int I) { return Urls && InCharSet(Text[static_cast<std::size_t>(I)], UrlChars); };
  // A run of address characters that the change touches is marked again whole, so its characters are lexed
  // again first: from where the run before the change begins to where the run after it ends.
  int Left = X;
  while (Left > 0 && IsUrlChar(Left - 1)) {
    --Left;
  }
  int Right = X + Inserted;
  while (Right < NewLen && IsUrlChar(Right)) {
    ++Right;
  }
  // The last point at or before Left whose tokens before it looked at nothing the change touched; else the
  // line's start.
  const std::vector<TEasyLexPoint>& P = Old->Points;
  std::size_t Kept = 0;  // points before the restart kept as they are
  int From = 0;
  int Reach = 0;
  RunState = Item->StartState;
  for (std::size_t I = 0; I < P.size() && P[I].Pos <= Left; ++I) {
    if (P[I].Reach <= X) {
      Kept = I;
      From = P[I].Pos;
      Reach = P[I].Reach;
      RunState = P[I].State;
    }
  }
  auto Points = std::make_unique<TEasyLexPoints>();
  Points->Length = Text.size();
  Points->Generation = FLexGeneration;
  Points->UrlStyle = Old->UrlStyle;
  Points->Points.assign(P.begin(), P.begin() + static_cast<std::ptrdiff_t>(Kept));
  // Old points from here on may be where the new tokens meet the old ones.
  std::size_t Next = Kept;
  int Pos = From + 1;
  int Start = Pos;
  int NextPoint = From;
  bool Met = false;
  try {
    while (Pos <= NewLen) {
      Start = Pos;
      const int At = Start - 1;
      if (At >= Right) {
        while (Next < P.size() && P[Next].Pos + Delta < At) {
          ++Next;
        }
        if (Next < P.size() && P[Next].Pos + Delta == At && P[Next].State == static_cast<Word>(RunState)) {
          Met = true;
          break;
        }
      }
      if (At >= NextPoint) {
        Points->Points.push_back(TEasyLexPoint{At, Reach, static_cast<Word>(RunState)});
        NextPoint = At + LexPointSpacing;
      }
      const int Style = FParser->ParseString(RunState, Text, Pos);
      if (Pos <= Start) {
        Pos = Start + 1;
      }
      Reach = std::max(Reach, At + std::max(FParser->TokenReach, Pos - Start + 1));
      PutStyle(Item->Styles.Mutable(), Start, std::min(Pos, NewLen + 1), Style);
    }
  } catch (...) {
    const std::size_t Done = static_cast<std::size_t>(Start - 1) * 2;
    std::string& Codes = Item->Styles.Mutable();
    std::fill(Codes.begin() + static_cast<std::ptrdiff_t>(Done), Codes.end(), static_cast<char>(0xFF));
    throw;
  }
  int Until = NewLen;
  if (Met) {
    // From here on the line lexes as it did, moved by the change.
    Until = Start - 1;
    RunState = Item->EndState;
    for (std::size_t I = Next; I < P.size(); ++I) {
      Points->Points.push_back(TEasyLexPoint{P[I].Pos + Delta, std::max(Reach, P[I].Reach + Delta), P[I].State});
    }
  }
  if (Urls) {
    int UrlFrom = From;
    while (UrlFrom > 0 && IsUrlChar(UrlFrom - 1)) {
      --UrlFrom;
    }
    int UrlTo = Until;
    while (UrlTo < NewLen && IsUrlChar(UrlTo)) {
      ++UrlTo;
    }
    DoCheckUrlRange(Text, Item->Styles.Mutable(), static_cast<std::size_t>(UrlFrom), static_cast<std::size_t>(UrlTo));
  }
  Item->LexPoints = std::move(Points);
  return true;
}

void TCustomEasyEditSource::SetParsedState(int First, int Last) {
  if (FParser || NeedSpell() || FOptions.Contains(srHighlightUrls)) {
    FStrings->ClearParsed(std::max(First, 0), std::min(Last, FStrings->Count() - 1));
  }
  FStrings->FirstChanged = -1;
  FStrings->LastChanged = -1;
}

bool TCustomEasyEditSource::NeedUpdate(int Line) {
  if (Line < 0 || Line >= FStrings->Count()) {
    return false;
  }
  if (!FParser && !NeedSpell()) {
    // A long plain line marks the addresses its edit touched now, while the change is known.
    if (FSplice.Line == Line) {
      ParseStrings(Line, Line, true);
    }
    return false;
  }
  const int Old = FStrings->GetState(Line);
  ParseStrings(Line, Line, true);
  return FStrings->GetState(Line) != Old;
}

// ---- files ----

void TCustomEasyEditSource::LoadFromFile(const std::string& Name) {
  FileName = Name;
  TFileStream Stream(Name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&Stream);
}

void TCustomEasyEditSource::SaveToFile(const std::string& Name) {
  FileName = Name;
  TFileStream Stream(Name, fmCreate);
  SaveToStream(&Stream);
}

void TCustomEasyEditSource::LoadFromStream(TStream* Stream) {
  // One update around the load, marked changed as a whole, so that even loading into an empty store
  // counts as a new document.
  FStrings->BeginUpdate();
  try {
    FStrings->LoadFromStream(Stream);
    FStrings->LinesUpdated(0, INT_MAX);
  } catch (...) {
    FStrings->LinesUpdated(0, INT_MAX);
    FStrings->EndUpdate();
    throw;
  }
  FStrings->EndUpdate();
}

void TCustomEasyEditSource::SaveToStream(TStream* Stream) { FStrings->SaveToStream(Stream); }
