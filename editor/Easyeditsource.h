// The edit source: the document behind one or more editors. It owns the line store, the caret, undo and
// redo, bookmarks and line styles and the tab stops, keeps the lexer states lazily valid and tells the
// attached editors what changed, once per outermost update bracket.
#pragma once

#include "editor/Easybookmarks.h"
#include "editor/Easyparser.h"
#include "editor/Easystrings.h"
#include "editor/Easytab.h"
#include "editor/Easyundo.h"
#include "platform/classes/Component.h"
#include "platform/rtl/Sets.h"

#include <functional>
#include <memory>
#include <string>

enum TEasySourceOption {
  srAutoIndent, srBackUnindents, srUseTab, srCursorThroughTabs, srAlwaysOnTabs, srOptimalFill, srSmartTab,
  srAllowUndo, srGroupUndo, srBeyondEof, srBeyondEol, srMoveUpAtLineBegin, srLeaveTrailSpaces, srLiveSpell,
  srMoveDownAtLineEnd, srAllowHiddenLines, srHighlightUrls, srUndoOnlyChanges, srAutoCorrect, srLeaveTabs
};
using TEasySourceOptions = TSet<TEasySourceOption, srLeaveTabs>;
// srAutoIndent, srBackUnindents, srAllowUndo, srGroupUndo, srBeyondEol, srHighlightUrls.
inline const TEasySourceOptions DefaultSourceOptions = TEasySourceOptions::FromMask(0x10583);

enum TEasyEditSourceState {
  csParagraphChanged, csPositionChanged, csParserChanged, csEdit, csCountChanged, csUndo, csBookMarkChanged,
  csLineStyleChanged, csReadOnlyChanged, csBlockChanged, csVisibleChanged, csIncrementalSearchChanged,
  csInsModeChanged, csModifiedChanged
};
using TEasyEditSourceStates = TSet<TEasyEditSourceState, csModifiedChanged>;

// Passed by address as the Data of a notification; Data 0 means "read State and the touched area".
struct TEasySourceNotification {
  TEasyOperation Operation;
  NativeInt Info;  // a value, or the address of a TRect for oprUpdateBlock
  TPoint Position;
};

enum TEasyWordSelection { wsWord, wsWordAndSpace, wsToNextWord };

class TCustomEasyEditSource;
using TWordSpellEvent = std::function<void(TObject* Sender, const std::string& Word, bool& Correct)>;

class TCustomEasyEditSource : public TComponent {
  Z_CLASS(TCustomEasyEditSource, TComponent)
public:
  explicit TCustomEasyEditSource(TComponent* AOwner);
  ~TCustomEasyEditSource() override;
  void BeforeDestruction() override;

  // What editors read while they handle a notification.
  TEasyEditSourceStates State;
  TPoint OldPosition;
  TPoint CurrentPosition;
  int FirstChangedLine = -1, LastChangedLine = -1, FirstChangedChar = -1, LastChangedChar = -1;
  int OldLineCount = 0;
  TEasyCharSet Delimiters;
  TEasyCharSet SpellDelimiters;
  std::string FileName;
  bool Modified = false;
  bool GoingToBookmark = false;
  bool Jumping = false;
  bool UseGlobalSettings = false;
  int UrlStyle = -1;
  TWordSpellEvent OnWordSpell;
  // The editor that follows the caret among those showing this source (the last focused one); only
  // compared with editors, never followed.
  TObject* ActiveEditor = nullptr;

  TEasyStrings* Strings() const { return FStrings.get(); }
  void SetStrings(TStrings* Value);  // an external change
  int UpdateCount() const { return FUpdateCount; }
  TEasyOperation UpdateOperation() const { return FUpdateOperation; }
  int ParsedUpTo() const { return FParsedUpTo; }

  // Options and settings.
  TEasySourceOptions Options() const { return FOptions; }
  void SetOptions(TEasySourceOptions Value);
  bool NeedTabs() const { return FOptions.Contains(srUseTab) || FOptions.Contains(srLeaveTabs); }
  TCustomEasyParser* Parser() const { return FParser; }
  void SetParser(TCustomEasyParser* Value);
  bool ReadOnly() const { return GetReadOnly(); }
  void SetReadOnly(bool Value);
  std::string GetTabStops() const { return FTabs->GetTabStops(); }
  void SetTabStops(const std::string& Value);  // raises "Invalid Tab Stop"
  TTabStopList* TabStopList() const { return FTabs.get(); }
  void SetUseGlobalSettings(bool Value);
  bool UsePages() const { return FUsePages; }
  void SetUsePages(bool Value);
  TStringList* SpellTokens() const { return FSpellTokens.get(); }
  bool Focused() const { return FFocused; }
  virtual void SetFocused(bool Value) { FFocused = Value; }
  void SetSpellTokens(TStrings* Value);

  // Update brackets and notification.
  virtual void BeginSourceUpdate(TEasyOperation Operation);
  virtual void EndSourceUpdate();
  virtual void BeginBlockUpdate();
  virtual void EndBlockUpdate();
  void RegisterNotifier(const TEasyNotifyMethod& Method);
  void UnRegisterNotifier(const TEasyNotifyMethod& Method);
  void Notify();
  void NotifyChanges(int X, int Y, TEasyOperation Operation);
  void LinesChanged(int First, int Last) { NotifyChanges(First, Last, oprUpdateLines); }
  void UpdateBlock(int X, int Y, int DX, int DY);
  void LinesUpdated(int X1, int X2, int Y1, int Y2, bool Edit);
  void UpdateString(int Line);

  // Text operations; each runs in its own bracket. The first five do nothing while read-only.
  virtual void InsertString(const std::string& Text) { InsertStringWithData(Text, std::string()); }
  void InsertStringWithData(const std::string& Text, const std::string& Styles);
  virtual void DeleteString(int Count);
  virtual void JoinStrings();
  virtual void BreakString();
  virtual void AddString(int Index, const std::string& Text);
  virtual void Clear();
  void UpdateStringData(const TPoint& Position, const std::string& Styles);
  void StringDataChanged(int X, int Line, int Count, const std::string& Styles);
  void MoveLeft();
  void MoveRight() { MoveRightEx(false); }
  void MoveRightEx(bool Force);
  void DeleteLeft();
  int GetPrevIndent();
  void AutoIndentLine(bool Insert, int Column);
  bool RemoveTrailSpaces(bool Undoable);
  void CheckLastLine();
  bool OutOfText() const;

  // Positions.
  void Navigate(int DX, int DY);
  void JumpTo(int X, int Y);
  void JumpToLine(int Y) { JumpTo(CurrentPosition.X, Y); }
  void JumpToChar(int X) { JumpTo(X, CurrentPosition.Y); }
  void SetCurrentPosition(const TPoint& P) { JumpTo(P.X, P.Y); }
  TPoint GetCharacterPos();
  int GetRealPos(int Line, int Index);
  int LineLength(int Line);  // the length of the line as shown (tab-expanded when tabs stay)
  void GetWord(const TPoint& Position, int& Start, int& End, TEasyWordSelection Type);
  std::string GetTextAt(const TPoint& Position, bool OnlyOnWord);
  bool IsDelimiter(const std::string& Text, int Index) const;

  // Lexing.
  void ParseToString(int Line);
  void ParseStrings(int First, int Last, bool Force);
  void ParseString(int Line, bool Force) { ParseStrings(Line, Line, Force); }
  void SetParsedState(int First, int Last);
  bool NeedUpdate(int Line);
  virtual void ParserChanged(TObject* Sender, NativeInt Data);
  void UpdateDelimiters();
  void UpdateInternalStyles();
  virtual bool AllowParsing() { return true; }

  // Files.
  void LoadFromFile(const std::string& Name);
  void SaveToFile(const std::string& Name);
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToStream(TStream* Stream);

  // Undo and redo.
  void Undo();
  void Redo();
  bool UndoAvailable() const;
  bool RedoAvailable() const;
  TEasyUndoList* UndoList() const { return FUndoSwapped ? FRedo.get() : FUndo.get(); }
  TEasyUndoList* RedoList() const { return FUndoSwapped ? FUndo.get() : FRedo.get(); }
  TEasyUndoRecord* LastRedoRecord() const { return RedoList()->Last(); }
  void LockUndo() { ++FUndoLockCount; }
  void UnlockUndo();
  void AddUndoRecord(TEasyOperation Operation, NativeInt Data);
  void AddUndoRecordEx(TEasyOperation Operation, NativeInt Data);
  virtual void ProcessUndo(const TEasyUndoRecord& Record);

  // Bookmarks, line styles and brackets.
  TEasyBookMarkList* BookMarks() const { return FBookMarks.get(); }
  TEasyBookMarkList* LineStyles() const { return FLineStyles.get(); }
  void SetBookMark(int Number, const TPoint& Point);
  void ClearBookmark(int Number);
  void ToggleBookMark(int Number, const TPoint& Point);
  void SetLineBookMark(int Line, int Number);
  void GoToBookmark(int Number);
  bool FindBookMark(int Number, TPoint& Point) const;
  int GetLineBookMark(int Line) { return FBookMarks->GetLineBookMark(Line); }
  int MaxBookMarkNumber() const;
  void UpdateBookMark(int Line);
  int GetLineStyle(int Line);
  void SetLineStyle(int Line, int Style);
  void ToggleLineStyle(int Line, int Style);
  virtual void UpdatePosition(int DX, int DY);
  int FindBracket(char Ch, const TPoint& Point, bool Forward);
  bool FindCloseBracket(char Ch, TPoint& Point);
  bool FindOpenBracket(char Ch, TPoint& Point);

  // URLs and live spelling.
  int GetUrlStyle() const;
  void DoCheckUrl(const std::string& Text, std::string& Styles);
  // The same over the characters From to To (0-based, To excluded) alone; neither may split a run of
  // address characters.
  void DoCheckUrlRange(const std::string& Text, std::string& Styles, std::size_t From, std::size_t To);
  void DoCheckSpelling(int Line, const std::string& Text, std::string& Styles);
  virtual bool CheckWordSpelling(const std::string& Word);
  bool NeedSpell();
  bool NeedUrls();
  void UpdateSpelling(int Line);
  virtual void SpellTokensChanged(TObject* Sender);
  // Runs Body inside one update bracket; the bracket is closed when an exception passes.
  template <class F> void Bracket(TEasyOperation Operation, F&& Body);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual bool GetReadOnly() const { return FReadOnly; }
  virtual void BeforeTextChanged(int, int, TEasyOperation, int, const std::string&) {}
  virtual void AfterTextChanged(int, int, TEasyOperation) {}
  bool Replaying() const { return FUpdateCount > 0 && State.Contains(csUndo); }
  // Runs Body as the source's own edit of the line store.
  template <class F> void InternalEdit(F&& Body);

private:
  void StringsChanged(TObject* Sender);
  void GetString(TObject* Sender, std::string& S, bool Storing);
  void ExpandTabStrings();
  void DeleteChars(int Count);
  TEasyNotifyMethod ParserNotifier();
  // Lexing a long line again after an edit starts from the last lexing point the edit cannot have changed and
  // stops where the states meet those of the line as it was. An edit operation names the change before it
  // makes it (taking the line's points) and drops it when done; ParseStrings uses it for that line.
  struct TLineSplice {
    int Line = -1;
    int At = 0;       // where the change begins
    int Removed = 0;  // how many characters it took out there
    std::unique_ptr<TEasyLexPoints> Points;
  };
  void BeginSplice(int Line, int At, int Removed);
  void EndSplice() { FSplice = TLineSplice(); }
  // Drops the pending splice when an edit operation leaves, also by an exception.
  struct TSpliceScope {
    explicit TSpliceScope(TCustomEasyEditSource& ASource) : Source(ASource) {}
    TSpliceScope(const TSpliceScope&) = delete;
    TSpliceScope& operator=(const TSpliceScope&) = delete;
    ~TSpliceScope() { Source.EndSplice(); }
    TCustomEasyEditSource& Source;
  };
  // Lexes the whole line from RunState, leaving RunState as the state at its end.
  void LexLine(TEasyStringItem* Item, int& RunState, bool Urls);
  // Lexes again only what the pending splice of the line can have changed; false (and nothing done) when
  // that cannot be told.
  bool RelexSplice(TEasyStringItem* Item, int& RunState, bool Urls);
  // Styles of a line without a highlighter: none, or addresses marked when Urls.
  void MarkPlainLine(TEasyStringItem* Item, bool Urls);
  // Marks again only the addresses the pending splice of a plain line touched; false (and nothing done) when
  // that cannot be told.
  bool RemarkSplice(TEasyStringItem* Item, bool Urls);
  // Line was lexed again around its edit just now: an edit inside a block update (an undo step) need not lex it
  // whole at the block's end, unless the store changes again before.
  void NoteFreshLine(int Line) {
    FFreshLine = Line;
    FFreshAt = FChangeCount;
  }

  std::unique_ptr<TEasyStrings> FStrings;
  std::unique_ptr<TEasyNotifierList> FNotifiers;
  std::unique_ptr<TEasyBookMarkList> FBookMarks;
  std::unique_ptr<TEasyBookMarkList> FLineStyles;
  std::unique_ptr<TTabStopList> FTabs;
  std::unique_ptr<TStringList> FSpellTokens;
  std::unique_ptr<TEasyUndoList> FUndo;
  std::unique_ptr<TEasyUndoList> FRedo;
  std::unique_ptr<TEasyStrings> FBracketStore;
  TCustomEasyParser* FParser = nullptr;
  TEasySourceOptions FOptions = DefaultSourceOptions;
  TEasyOperation FUpdateOperation = oprNavigate;
  int FUpdateCount = 0;
  int FUndoLockCount = 0;
  int FInternalEditCount = 0;
  int FBlockUpdateCount = 0;
  int FParsedUpTo = 0;
  bool FGroupStart = false;
  bool FUndoSwapped = false;
  bool FReadOnly = false;
  bool FUsePages = false;
  bool FFocused = false;
  bool FUpdatingStyles = false;
  TLineSplice FSplice;
  Cardinal FChangeCount = 0;  // changes the store has reported
  int FFreshLine = -1;
  Cardinal FFreshAt = 0;
  Cardinal FLexGeneration = 1;  // advances whenever the styles lexing gives may change
};

// The source as the application uses it.
class TEasyEditSource : public TCustomEasyEditSource {
  Z_CLASS(TEasyEditSource, TCustomEasyEditSource)
public:
  using TCustomEasyEditSource::TCustomEasyEditSource;
};

template <class F> void TCustomEasyEditSource::Bracket(TEasyOperation Operation, F&& Body) {
  BeginSourceUpdate(Operation);
  try {
    Body();
  } catch (...) {
    EndSourceUpdate();
    throw;
  }
  EndSourceUpdate();
}

template <class F> void TCustomEasyEditSource::InternalEdit(F&& Body) {
  ++FInternalEditCount;
  try {
    Body();
  } catch (...) {
    --FInternalEditCount;
    throw;
  }
  --FInternalEditCount;
}
