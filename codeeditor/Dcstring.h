// The code editor's text model: the memo source with its lines, caret, selection, undo, marks, search,
// templates, files and colour cache; the line adapters; the clipboard sources.
#pragma once

#include "codeeditor/Dcstringlines.h"
#include "codeeditor/Dcstringoptions.h"
#include "codeeditor/Dcstringparts.h"
#include "platform/classes/Streams.h"
#include "platform/win/WinTypes.h"
#include "suitebase/Dorazori.h"
#include "suitebase/Notifiers.h"

#include <bitset>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TForm;

namespace Dcstring {

class TCustomMemoSource;

inline constexpr Integer MaxInt = 2147483647;

// The lines of a memo source as a string list. Changes through it are memo source updates and are never undoable.
class TSourceStrings : public TStrings {
  Z_CLASS(TSourceStrings, TStrings)
public:
  explicit TSourceStrings(TCustomMemoSource* AOwner) : FMemoSource(AOwner) {}
  TCustomMemoSource* MemoSource() const { return FMemoSource; }

protected:
  TCustomMemoSource* FMemoSource;
};

// The published Lines of a memo source.
class TExternalStrings : public TSourceStrings {
  Z_CLASS(TExternalStrings, TSourceStrings)
public:
  explicit TExternalStrings(TCustomMemoSource* AOwner) : TSourceStrings(AOwner) {}
  void Clear() override;
  void Delete(Integer Index) override;
  void Insert(Integer Index, const std::string& S) override;
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void Assign(TPersistent* Source) override;
  std::string GetTextStr() const override;  // the stored text, joined with CR LF, without a final line break
  void SetTextStr(std::string_view Value) override;

protected:
  std::string Get(Integer Index) const override;
  Integer GetCount() const override;
  TObject* GetObject(Integer Index) const override;
  void Put(Integer Index, const std::string& S) override;
  void PutObject(Integer Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;
};

// The current selection as read-only lines.
class TSelectionStrings : public TSourceStrings {
  Z_CLASS(TSelectionStrings, TSourceStrings)
public:
  explicit TSelectionStrings(TCustomMemoSource* AOwner) : TSourceStrings(AOwner) {}
  void Clear() override;  // deletes the block
  void Delete(Integer) override {}
  void Insert(Integer, const std::string&) override {}
  void Exchange(Integer, Integer) override {}
  std::string GetColorString(Integer Index) const;  // the same slice of the display-aligned colour data

protected:
  std::string Get(Integer Index) const override;
  Integer GetCount() const override;

private:
  void SliceBounds(Integer Index, const std::string& Display, Integer& From, Integer& Width, bool& Pad) const;
};

using TGetBackpNameEvent = std::function<void(TObject* Sender, const std::string& FileName, std::string& BackFileName)>;
using TGetSelectionTypeEvent = std::function<void(TObject* Sender, TSelectionType& SelType)>;
using TSearchExceptionEvent = std::function<void(TObject* Sender, const std::string& Error, bool& Handled)>;
using TStringsEvent = std::function<void(TObject* Sender, TStrings* Strings)>;
using TCreateDialogEvent = std::function<void(TObject* Sender, TForm* Dialog)>;
using TGetPositionEvent = std::function<void(TObject* Sender, Integer& DeltaLine, Integer& DeltaChar)>;
using TOnGetLineHeightEvent = std::function<void(TObject* Sender, Integer Index, TStringItem* Item)>;
using TAfterParseEvent = std::function<void(TObject* Sender, Integer Index, std::string& S, std::string& ColorS)>;
using TBeforeFindReplaceEvent = std::function<void(TObject* Sender, bool InReplace)>;
using TMemoNotifyProc = Dorazori::TNotifierProc;
using TMemoProc = void (TCustomMemoSource::*)();
using TStrFunc = std::function<std::string(TCustomMemoSource* Source, const std::string& S)>;

// Update reasons (the codes every update brackets its work with; undo records keep them).
namespace Reason {
inline constexpr Integer Navigate = 2, JoinLines = 3, BreakLine = 4, Insert = 5, DeleteRight = 6, DeleteCharLeft = 8,
                         DeleteLine = 9, DeleteToLineBegin = 10, MarkBlockBegin = 11, MarkBlockEnd = 12,
                         SetSelType = 13, ToStreamBlock = 14, ToColumnBlock = 15, ExtendSelection = 16, SelRect = 17,
                         SelectAll = 18, MarkLine = 19, Cut = 20, Paste = 21, DeleteBlock = 22, MoveBlock = 23,
                         UpperLine = 24, UpperBlock = 25, LowerBlock = 26, ToggleBlock = 27, LowerLine = 28,
                         ToggleLine = 29, MarkWord = 30, SetSelection = 31, DeleteWord = 32, DeleteWordRight = 33,
                         DeleteWordLeft = 34, LowerWord = 35, UpperWord = 36, ToggleWord = 37, ChangeBlock = 38,
                         InsertString = 39, Enter = 40, InsMode = 41, SetBookmark = 45, ClearBookmark = 46,
                         ResetPositions = 47, Load = 48, ModifiedFlag = 49, RegisterNotifier = 50, Template = 51,
                         Tab = 52, GutterImages = 53, Replace = 54, Find = 55, ObjectName = 56, ParserChange = 57,
                         Clear = 58, LinesPut = 59, LinesText = 60, AfterLoaded = 61, CapitalizeWord = 62,
                         CapitalizeLine = 63, CapitalizeBlock = 64, IndentBlock = 65, OutdentBlock = 66,
                         QuoteBlock = 67, LineTextStyle = 68, DuplicateBlock = 69, ReadOnlyChange = 70,
                         EditorUpdate = 71, ImportPaste = 72, LineState = 73;
}  // namespace Reason

// The text model of the code editor: one document's lines with their per-line data, caret and selection, undo
// and redo, bookmarks and collapsed lines, templates and the search state. It tells every attached editor what
// changed after each outermost update. Lives as a component; attached editors unregister when they go.
class TCustomMemoSource : public TComponent {
  Z_CLASS(TCustomMemoSource, TComponent)
  friend class TExternalStrings;
  friend class TSelectionStrings;

public:
  explicit TCustomMemoSource(TComponent* AOwner);
  ~TCustomMemoSource() override;
  void Loaded() override;

  // ---- virtual operations ----
  virtual void DoLoadFromFile(const std::string& FileName);
  virtual void DoSaveToFile(const std::string& FileName);
  virtual TClass GetStrItemClass() { return TStringItem::StaticClass(); }
  virtual bool SetObjectName(const std::string& Name) { return ChangeObjectName(Name); }
  virtual bool MemoNotify(TObject* Sender, TMessage& Message);
  virtual bool GetReadOnly() { return FReadOnly; }
  virtual void CheckSelectionType(TSelectionType& SelType);
  virtual TInternalStrings* GetStrings() { return FStrings; }
  virtual std::string GetBackupName(const std::string& FileName);
  virtual TForm* CreateReplaceDialog();
  virtual TForm* CreateSearchDialog();
  virtual TForm* CreateNotModalSearchDialog();
  virtual bool HandleSearchException(const std::string& Error);
  virtual void PasteFromClipboard(TStrings* Strings);
  virtual void ParserOnChange(TObject* Sender, NativeInt A, NativeInt B);
  virtual void SetUseGlobalOptions(bool Value);
  virtual void SelAttributesUpdated() {}
  virtual void AfterParse(Integer Index, std::string& S, std::string& ColorS);
  virtual bool IsSyntaxParser();
  virtual void NotifyEvents(Integer A, Integer B);
  virtual void BeforeFindReplace(bool InReplace);
  virtual void TempHighlightLine(Integer Index, Byte Style);
  virtual void TempUnhighlightLine();
  virtual void Navigate(Integer DeltaLine, Integer DeltaChar);
  virtual void BreakLine();
  virtual void JoinLines();
  virtual bool Insert(const std::string& S);
  virtual void DeleteRight(Integer Count);
  virtual bool ChangeObjectName(const std::string& Name);
  virtual void ProcessEscape() {}
  virtual void Save() {}
  virtual void EndUpdate();
  virtual void CopyBlock();
  virtual void CutBlock();
  virtual void PasteBlock();
  virtual void PressEnter();
  virtual void ShowSearchDialog();
  virtual void ShowReplaceDialog();
  virtual bool Find();
  virtual bool Replace();
  virtual bool FindNext();

  // ---- attached editors and updates ----
  void RegisterNotifier(const TMemoNotifyProc& Notifier, bool Update);
  void UnregisterNotifier(const TMemoNotifyProc& Notifier);
  void BeginUpdate(Integer AReason);
  void BeginSafeUpdate(Integer AReason);
  void UpdateChanged(Integer First, Integer Last);
  void UpdateChangedLines(Integer First, Integer Last);
  void UpdateSavedPos();
  // Compact text of lines, caret, selection and marks.
  std::string DebugDump();

  // ---- positions ----
  TPoint GetCaretPoint() const { return {FCaretPos->CharPos, FCaretPos->LinePos}; }
  void SetCaretPoint(const TPoint& P) { JumpTo(P.X, P.Y); }
  Integer GetCurChar() const { return FCaretPos->CharPos; }
  Integer GetCurLine() const { return FCaretPos->LinePos; }
  TPoint GetOldPosition() const { return {FOldCaretChar, FOldCaretLine}; }
  TPosition* CopyPosition(TPosition* P);
  TPosition* CopyCurrent() { return CopyPosition(FCaretPos); }
  void RestorePosition(TPosition* P);
  void ResetPositions();
  void UpdatePositions(TStringsOperation Operation, Integer Delta);
  void AllowUpdate(TObject* Sender, bool& AllowX, bool& AllowY);

  // ---- lines ----
  Integer GetStrCount() { return GetStrings()->Count(); }
  TStringItem* GetStringItem(Integer Index) { return GetStrings()->Items(Index); }
  void GetStringsInsert(Integer Index, const std::string& S) { GetStrings()->Insert(Index, S); }
  void GetStringsDelete(Integer Index) {
    ForgetTabFree();
    GetStrings()->Delete(Index);
  }
  // Every removal of line items calls it: a new item may take a freed one's place.
  void ForgetTabFree() { FTabFreeItem = nullptr; }
  std::string GetRaw(Integer Index) { return GetStrings()->GetRaw(Index); }
  std::string GetDisplay(Integer Index) { return ExpandTabString(GetRaw(Index)); }
  void Clear();
  bool AfterLastLine() { return FCaretPos->LinePos >= GetStrCount(); }
  bool ReadOnlyLine();
  bool ReadOnlyNextLine();
  std::string GetShortObjectName() const;

  // ---- caret and editing ----
  bool InsertEx(const std::string& S, const std::string& ColorS, Integer* Inserted = nullptr);
  void InsertLine() { BreakLine(); }
  void CursorUp() { Navigate(-1, 0); }
  void CursorDown() { Navigate(1, 0); }
  void CursorLeft();
  void CursorRight();
  void JumpTo(Integer Char, Integer Line);
  void JumpToChar(Integer Char) { JumpTo(Char, GetCurLine()); }
  void JumpToLine(Integer Line) { JumpTo(GetCurChar(), Line); }
  void JumpToFileBegin() { JumpTo(0, 0); }
  void JumpToFileEnd();
  void JumpToLineBegin() { JumpTo(0, GetCurLine()); }
  void JumpToLineEnd();
  void JumpWordLeft();
  void JumpWordRight();
  void DeleteCharLeft();
  void DeleteCharRight();
  void DeleteLine();
  void DeleteToLineBegin();
  void DeleteToLineEnd() { DeleteRight(MaxInt); }
  void DeleteWord();
  void DeleteWordLeft();
  void DeleteWordRight();
  void CorrectDeleteWordRight();
  void DeleteLastEmptyLine();
  void DiscardTrailingTabs(bool Delete);
  void SetOverwrite(bool Value);
  void SetInsertMode() { SetOverwrite(false); }
  void SetOverwriteMode() { SetOverwrite(true); }
  void ToggleInsMode() { SetOverwrite(!GetOverwrite()); }
  static bool GetOverwrite();
  void InsertDate();
  void InsertTime();
  void InsertGUID();
  void SetDelimeters(const std::string& S);
  bool InDelimSet(const std::string& S, Integer Pos) const;  // 1-based Pos
  bool IsDelimiter(char C) const { return FDelimSet[static_cast<Byte>(C)]; }
  bool WordBounds(Integer Col, Integer Line, TWordSelectionType Type, Integer& WordEnd, Integer& WordStart);
  std::string GetTextAt(Integer Col, Integer Line);
  std::string GetTextAtCursor() { return GetTextAt(GetCurChar(), GetCurLine()); }
  std::string CorrectTextAt(Integer Col, Integer Line);
  std::string CorrectTextAtCursor() { return CorrectTextAt(GetCurChar(), GetCurLine()); }
  Integer GetFirstNonSpaceChar(Integer Line, Integer MinCol);

  // ---- tabs and indentation ----
  void SetTabStops(const std::string& S);
  Integer GetVirtualTabStop(Integer Index) const;
  Integer ExtraTabDelta() const;
  Integer TabWidthAt(Integer Disp) const;  // the width of a tab standing at display column Disp
  std::string ExpandTabString(const std::string& S) const;
  void CheckForTabs(TObject* Sender, std::string& S) const;
  Integer ChangeTabString(std::string& S, Integer Index, Integer& StopIndex) const;
  Integer ChangeTabStringEx(std::string& S, Integer Index, char FillChar, Integer& StopIndex) const;
  Integer GetRealTabIndex(const std::string& S, Integer Col) const;
  void ChangeTabIndex(const std::string& S, Integer& Col) const { Col = GetRealTabIndex(S, Col); }
  Integer GetRelativeTabIndex(const std::string& S, Integer Index) const;
  bool GetTabDelta(Integer Col, Integer Line, Integer& Delta, bool Forward);
  void CheckDeltaChar(Integer Line, Integer Col, Integer& DeltaChar);
  void TabCursorLeft();
  void TabCursorRight();
  std::string GetSpecialString(Integer Index, bool Special, char TabChar, char SpaceChar);
  static std::string ExpandTabs(const std::string& S, Integer N);
  static void ExpandTabsinStrings(TStrings* Src, TStrings* Dst, Integer N);
  Integer GetSmartTabPos(Integer StopIndex, Integer Col, Integer Line);
  void PressTab();
  void PressShiftTab();
  void IndentBlock();
  void OutDentBlock();
  std::string FIndentBlockStr(const std::string& S);
  std::string FOutDentBlockStr(const std::string& S);
  Integer GetMemoIndent(Integer Column);
  static std::string ExpandString(const std::string& S, Integer Width);
  static void ExpandStrings(TStrings* Strings, Integer Width);
  void JustifyBlock();
  void JustifyText();
  // Stored text of S for the model: tabs become SpacesInTab blanks unless tab characters are kept.
  std::string ConvertTabs(const std::string& S) const;

  // ---- selection and blocks ----
  TSelectionType SelectionType() const { return FSelectionType; }
  void SetSelectionType(TSelectionType T);
  void ClearSelection() { SetSelectionType(stNotSelected); }
  void SetBlockOption(TBlockOption V);
  TBlockOption BlockOption() const { return FBlockOption; }
  void SetSelectionRect(const TRect& R);
  TRect GetSelectionRect() const;
  void SetSelection(TSelectionType Type, Integer StartChar, Integer StartLine, Integer EndChar, Integer EndLine);
  bool IsBlockEmpty(TSelectionType Type) const;
  bool IsValidBlockPos(Integer Col, Integer Line) const;
  void SelectionBounds(Integer Line, Integer& StartCol, Integer& EndCol) const;
  bool IsPosInBlock(Integer Col, Integer Line) const;
  TPoint PointToSelPoint(const TPoint& P) const;
  TPoint SelPointToPoint(const TPoint& P) const;
  bool CanCopy() const { return FSelectionType != stNotSelected; }
  bool CanPaste();
  void UnivMark(TSelectionType SelType, TMemoProc MoveProc);
  // The same with a move of the caller's (an editor's display-row moves).
  void UnivMarkWith(TSelectionType SelType, const std::function<void()>& MoveProc);
  void MarkLeft() { UnivMark(stStreamSel, &TCustomMemoSource::CursorLeft); }
  void MarkRight() { UnivMark(stStreamSel, &TCustomMemoSource::CursorRight); }
  void MarkUp() { UnivMark(stStreamSel, &TCustomMemoSource::CursorUp); }
  void MarkDown() { UnivMark(stStreamSel, &TCustomMemoSource::CursorDown); }
  void MarkColLeft() { UnivMark(stBlockSel, &TCustomMemoSource::CursorLeft); }
  void MarkColRight() { UnivMark(stBlockSel, &TCustomMemoSource::CursorRight); }
  void MarkColUp() { UnivMark(stBlockSel, &TCustomMemoSource::CursorUp); }
  void MarkColDown() { UnivMark(stBlockSel, &TCustomMemoSource::CursorDown); }
  void MarkToLineBegin() { UnivMark(stStreamSel, &TCustomMemoSource::JumpToLineBegin); }
  void MarkToLineEnd() { UnivMark(stStreamSel, &TCustomMemoSource::JumpToLineEnd); }
  void MarkToFileBegin() { UnivMark(stStreamSel, &TCustomMemoSource::JumpToFileBegin); }
  void MarkToFileEnd() { UnivMark(stStreamSel, &TCustomMemoSource::JumpToFileEnd); }
  void MarkColToLineBegin() { UnivMark(stBlockSel, &TCustomMemoSource::JumpToLineBegin); }
  void MarkColToLineEnd() { UnivMark(stBlockSel, &TCustomMemoSource::JumpToLineEnd); }
  void MarkColToFileBegin() { UnivMark(stBlockSel, &TCustomMemoSource::JumpToFileBegin); }
  void MarkColToFileEnd() { UnivMark(stBlockSel, &TCustomMemoSource::JumpToFileEnd); }
  void MarkWordLeft() { UnivMark(stStreamSel, &TCustomMemoSource::JumpWordLeft); }
  void MarkWordRight() { UnivMark(stStreamSel, &TCustomMemoSource::JumpWordRight); }
  void MarkColWordLeft() { UnivMark(stBlockSel, &TCustomMemoSource::JumpWordLeft); }
  void MarkColWordRight() { UnivMark(stBlockSel, &TCustomMemoSource::JumpWordRight); }
  void MarkBriefRight() { UnivMark(stStreamSel, nullptr); }
  void MarkBriefColRight() { UnivMark(stBlockSel, nullptr); }
  void MarkBlockBegin();
  void MarkBlockEnd();
  void SetBlockAsColBlock();
  void SetBlockAsLineBlock();
  void SelectAll();
  void MarkLine();
  void MarkWord() { MarkWordWithType(wsWordOnly); }
  void MarkWordWithType(TWordSelectionType Type);
  void CorrectMarkWordRight();
  void JumpToBlockBegin();
  void JumpToBlockEnd();
  void ClipboardToStrings(TStrings* Strings);
  void InsertStrings(TStrings* Strings, bool AsBlock);
  void InsertString(const std::string& S);
  void PasteBlockFromStrings(TStrings* Strings, bool AsBlock) { PasteBlockFromStringsEx(Strings, nullptr, AsBlock); }
  void PasteBlockFromStringsEx(TStrings* Strings, TStrings* Colors, bool AsBlock);
  void DeleteBlock();
  bool CheckOverwriteBlock();
  void DuplicateBlock();
  bool MoveBlock() { return MoveBlockEx(true); }
  bool CopyBlockToPos() { return MoveBlockEx(false); }
  void KeyMoveBlock() { MoveBlock(); }
  bool MoveBlockEx(bool Move);
  void WriteBlockToStream(TStream* S);
  void WriteBlockToFile(const std::string& Name);
  void ReadBlockFromStream(TStream* S) { ReadBlockFromStreamEx(S, false); }
  void ReadBlockFromStreamEx(TStream* S, bool AsBlock);
  void ReadBlockFromFile(const std::string& Name);
  void ChangeBlockTo(const std::string& S);
  void AssignLines(TStrings* Strings, bool SelectionOnly);
  void DoWithBlock(Integer AReason, bool KeepCaret, TMemoProc Action, TMemoProc Marker);
  void DoWithBlockStr(Integer AReason, bool KeepCaret, const TStrFunc& StrFunc);
  void UpperCaseBlock();
  void LowerCaseBlock();
  void ToggleBlockCase();
  void CapitalizeBlock();
  void QuoteBlock();
  void UpperCaseLine() {
    DoWithBlock(Reason::UpperLine, true, &TCustomMemoSource::UpperCaseBlock, &TCustomMemoSource::MarkLine);
  }
  void LowerCaseLine() {
    DoWithBlock(Reason::LowerLine, true, &TCustomMemoSource::LowerCaseBlock, &TCustomMemoSource::MarkLine);
  }
  void ToggleLineCase() {
    DoWithBlock(Reason::ToggleLine, true, &TCustomMemoSource::ToggleBlockCase, &TCustomMemoSource::MarkLine);
  }
  void CapitalizeLine() {
    DoWithBlock(Reason::CapitalizeLine, true, &TCustomMemoSource::CapitalizeBlock, &TCustomMemoSource::MarkLine);
  }
  void UpperCaseWord() {
    DoWithBlock(Reason::UpperWord, true, &TCustomMemoSource::UpperCaseBlock, &TCustomMemoSource::MarkWord);
  }
  void LowerCaseWord() {
    DoWithBlock(Reason::LowerWord, true, &TCustomMemoSource::LowerCaseBlock, &TCustomMemoSource::MarkWord);
  }
  void ToggleWordCase() {
    DoWithBlock(Reason::ToggleWord, true, &TCustomMemoSource::ToggleBlockCase, &TCustomMemoSource::MarkWord);
  }
  void CapitalizeWord() {
    DoWithBlock(Reason::CapitalizeWord, true, &TCustomMemoSource::CapitalizeBlock, &TCustomMemoSource::MarkWord);
  }
  std::string FUpperCaseStr(const std::string& S) const;
  std::string FLowerCaseStr(const std::string& S) const;
  std::string FToggleStrCase(const std::string& S) const;
  std::string FCapitalizeStr(const std::string& S) const;
  std::string FQuoteBlockStr(const std::string& S) const { return ">" + S; }
  static Integer ClipSelType;
  static void SetClipSelToStream() { ClipSelType = 0; }

  // ---- undo ----
  TUndoList* CurrentUndoList() const { return FUndoSwapped ? FRedoList : FUndoList; }
  TUndoList* CurrentRedoList() const { return FUndoSwapped ? FUndoList : FRedoList; }
  void SwapUndoRedoLists() { FUndoSwapped = !FUndoSwapped; }
  bool UndoAvailable() const { return CurrentUndoList()->Count() > 0; }
  bool RedoAvailable() const { return CurrentRedoList()->Count() > 0; }
  TUndoRecord* CreateNewUndoRecord(TStringsOperation Operation);
  void BeginUndoBlock() { ++FUndoBlockDepth; }
  void EndUndoBlock();
  void Undo();
  void Redo();
  void ClearUndoBuffer();
  void ClearRedoBuffer() { CurrentRedoList()->Clear(); }
  void SetModified(bool Value);
  void CheckModified(bool Value) { SafeCheckModified(Value, true); }
  void SafeCheckModified(bool Value, bool Notify);
  Integer FindModifiedRecord(Integer N);
  bool IsSourceModified();
  bool Modified() const { return FModified; }
  bool AllowUndo() const { return FAllowUndo; }
  TBlockOption GetBlockOption() const { return FBlockOption; }
  TOutFormatType GetOutFormat() const { return OutFormat; }
  void SetOutFormat(TOutFormatType Value) { OutFormat = Value; }
  void SetAllowUndo(bool Value);
  Integer UndoLimit() const { return FUndoLimit; }
  void SetUndoLimit(Integer Value);
  Integer SavedUndoIndex() const { return FSavedUndoIndex; }
  bool ForcedModified() const { return FForcedModified; }

  // ---- bookmarks, line states, collapsing ----
  void SetBookmark(Integer Number);
  void ClearBookmark(Integer Number);
  void ToggleBookMark(Integer Number);
  void ToggleBookMarkForLine(Integer Number, Integer Line);
  void GoToBookmark(Integer Number);
  bool FindBookMark(Integer Number, TPoint& P);
  Integer NextBookmarkNumber();
  Integer GetBookmarkFromRange(Integer Line, Integer FromCol, Integer ToCol) {
    return FBookMarks->GetBookmarkFromRange(Line, FromCol, ToCol);
  }
  Integer FGetBookmark(Integer Line);
  void FSetBookMark(Integer Line, Integer Number);
  void UpdateGutterImg(Integer Line);
  void ToggleBookMark0() { ToggleBookMark(10); }
  void ToggleBookMark1() { ToggleBookMark(1); }
  void ToggleBookMark2() { ToggleBookMark(2); }
  void ToggleBookMark3() { ToggleBookMark(3); }
  void ToggleBookMark4() { ToggleBookMark(4); }
  void ToggleBookMark5() { ToggleBookMark(5); }
  void ToggleBookMark6() { ToggleBookMark(6); }
  void ToggleBookMark7() { ToggleBookMark(7); }
  void ToggleBookMark8() { ToggleBookMark(8); }
  void ToggleBookMark9() { ToggleBookMark(9); }
  void GoToBookMark0() { GoToBookmark(10); }
  void GoToBookMark1() { GoToBookmark(1); }
  void GoToBookMark2() { GoToBookmark(2); }
  void GoToBookMark3() { GoToBookmark(3); }
  void GoToBookMark4() { GoToBookmark(4); }
  void GoToBookMark5() { GoToBookmark(5); }
  void GoToBookMark6() { GoToBookmark(6); }
  void GoToBookMark7() { GoToBookmark(7); }
  void GoToBookMark8() { GoToBookmark(8); }
  void GoToBookMark9() { GoToBookmark(9); }
  bool SetLineState(Integer Index, Integer ChangedTo, bool Value, TStringItemState State);
  bool GetLineReadOnly(Integer Line);
  bool SetLineReadOnly(Integer Line, bool Value) { return SetLineState(Line, Line, Value, isReadOnly); }
  void SetImageBit(Integer Index, Integer Bit, bool Value);
  bool GetImageBit(Integer Index, Integer Bit);
  void ClearImageBit(Integer Index);
  Byte GetLineTextStyle(Integer Index);
  void SetLineTextStyle(Integer Index, Byte Style);
  void AssignLineProps(TStringItem* From, TStringItem* To);
  void MoveLineProps(TStringItem* From, TStringItem* To);
  bool GetLineVisible(Integer Index);
  bool GetRealLineVisible(Integer Index) { return !FHiddenLines->Contains(Index); }
  void SetLineVisible(Integer Index, bool Visible);
  TCollapseState GetCollapseState(Integer Index);
  void SetCollapseState(Integer Index, TCollapseState State);
  void CheckCollapsed(Integer Index);
  void ExpandPrevLine(Integer Index);
  Integer RealToVisibleIndex(Integer Line) { return FHiddenLines->RealToVisibleIndex(Line); }
  Integer VisibleToRealIndex(Integer V) { return FHiddenLines->VisibleToRealIndex(V); }

  // ---- search ----
  TSearchOptions* GetSearchOptions();
  void SetSearchOptions(TSearchOptions* Options);
  void ToggleCaseSensitiveSearch();
  void ToggleRegularExprSearch();
  void SmartSearchOptions();
  bool InternalFind(Integer& FoundLen);
  bool InternalReplace();
  void KeyFindNext() { FindNext(); }
  void KeyReplace() { Replace(); }
  Integer FindWord(const std::string& S, const TPoint& P, bool Forward, bool WholeWord);
  bool FindCloseBracket(char Open, bool MoveCaret, TPoint& P);
  bool FindOpenBracket(char Close, bool MoveCaret, TPoint& P);
  void NextBracket();
  void PrevBracket();
  void FindNextBracket();
  char CorrectCharUnderCursor(TPoint& P);
  Integer ReplaceCount = 0;
  bool CheckNotModalSearchRepl(Integer PageIndex);
  bool ReadIntegerDialog(const std::string& Caption, const std::string& Prompt, Integer HelpContext, Integer& Value,
                         const TCreateDialogEvent& Callback, TObject* Sender);
  void ShowGoToLineDialog();

  // ---- templates ----
  TMemoCodeTemplates* CodeTemplates() const { return FCodeTemplates; }
  void SetCodeTemplates(TMemoCodeTemplates* Value) { FCodeTemplates->Assign(Value); }
  const std::string& TemplatesType() const { return FTemplatesType; }
  void SetTemplatesType(const std::string& S);

  // ---- files and options ----
  void LoadFromFile(const std::string& Name) { DoLoadFromFile(Name); }
  void QuickLoadFromFile(const std::string& Name);
  void LoadFromStream(TStream* S);
  void LoadFromStrings(TStrings* Strings);
  void LoadFromProp(TPersistent* Obj, const std::string& PropName);
  void SaveToStream(TStream* S);
  void SaveToFile(const std::string& Name);
  void SaveToProp(TPersistent* Obj, const std::string& PropName);
  Integer SaveWithQuestion();
  void LoadGlobalOptions();
  bool UseGlobalOptions() const { return FUseGlobalOptions; }
  bool KeepTrailingBlanks = false;

  // ---- colour cache ----
  bool StoreColorData();
  Integer ParseStrings(Integer From, Integer To, bool Force);
  void ParseToString(Integer Index, bool Force);
  std::string GetColorData(Integer Index);
  std::string GetStoredColorData(Integer Index);
  void CheckColorData(const std::string& Text, std::string& Colour) const;
  void CheckStringItem(TStringItem* Item);
  void MoveColorData(const std::string& NewSlice, std::string& Colour, Integer Index, Integer Line);
  void ColorDataChanged(const std::string& Old, Integer Line, Integer Index);
  bool UpdateString(Integer Index);
  Byte GetAttr(const TPoint& P);
  void ParseUrl(Integer Index, const std::string& Text, std::string& Colour);
  Integer GetMaxLen(Integer Index);
  void ReCalculateMaxLine();
  void UpdateMaxLine(bool Enable);
  void GetLineHeight(Integer Index, TStringItem* Item);
  void ParserChanged();
  Dorazori::TSimpleParser* SyntaxParser() const { return FSyntaxParser; }
  void SetSyntaxParser(Dorazori::TSimpleParser* Value);
  bool HighlightUrls() const { return FHighlightUrls; }
  void SetHighLightUrls(bool Value);
  Integer ParsedCount = 0;
  Integer ColorChangeMark = -1;
  Integer InitialParserState = 0;
  Integer MaxLineLength = 0;
  Integer MaxLineIndex = -1;
  Integer CurrentAttr = -1;
  bool KeepCurrentAttr = false;
  bool ImportFlag = false;

  // ---- properties ----
  TStringsOptions Options() const { return FOptions; }
  void SetOptions(TStringsOptions Value);
  const std::string& TabStops() const { return FTabStopsStr; }
  const std::string& Delimeters() const { return FDelimeters; }
  TStrings* Lines() const { return FLines; }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  bool ReadOnly() const { return FReadOnly; }
  // Set while the caret jumps (jumps, undo, replace): a view keeps no column goal across a jump.
  bool Jumping() const { return FJumping; }
  void SetReadOnly(bool Value);
  Integer BlockIndent() const { return FBlockIndent; }
  void SetBlockIndent(Integer Value);
  Integer SpacesInTab() const { return FSpacesInTab; }
  void SetSpacesInTab(Integer Value);
  TOutFormatType OutFormat = ofWindows;
  const std::string& ObjectName() const { return FObjectName; }
  const std::string& OldObjectName() const { return FOldObjectName; }
  TSelectionStrings* SelectionStrings() const { return FSelectionStrings; }
  TMemoBookMarkList* BookMarks() const { return FBookMarks; }
  TVisibleLinesList* HiddenLines() const { return FHiddenLines; }
  const std::string& Version() const { return FVersion; }
  static void Publish(TMetaClass& Meta);

  // ---- state read by attached editors ----
  TPosition* CaretPos() const { return FCaretPos; }
  TPosition* BlockBegin() const { return FBlockBegin; }
  TPosition* BlockEnd() const { return FBlockEnd; }
  Integer UpdateCount() const { return FUpdateCount; }
  Integer UpdateReason() const { return FUpdateReason; }
  TMemoStates State;
  Integer FirstChangedLine = MaxInt;
  Integer LastChangedLine = -MaxInt;
  Integer OldLineCount = 0;
  TRect FoundRect{};
  TRect OldFoundRect{};
  bool BookmarkJump = false;
  bool IndentRequest = false;
  bool BulkLoad = false;
  Integer SelectionLock = 0;
  TComponent* ActiveMemo = nullptr;

  TGetBackpNameEvent OnGetBackupName;
  TGetSelectionTypeEvent OnGetSelectionType;
  TSearchExceptionEvent OnSearchException;
  TStringsEvent OnPasteFromClipboard;
  TCreateDialogEvent OnCreateDialog;
  TGetPositionEvent OnGetPosition;
  TOnGetLineHeightEvent OnGetLineHeight;
  TAfterParseEvent OnAfterParse;
  TBeforeFindReplaceEvent OnBeforeFindReplace;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The clipboard sequence number of this source's last copy (0: none), to paste its column blocks as such.
  DWORD FOwnCopySequence = 0;

private:
  // helpers of the editing primitives
  // Whether the line's stored text holds a tab; the last line found free of tabs is remembered (with its text's
  // buffer and size), so typing into or undoing in a long line does not scan it again.
  bool LineHasTabs(const TStringItem* Item);
  void NoteTabFree(const TStringItem* Item) {
    FTabFreeItem = Item;
    FTabFreeData = Item->Text.data();
    FTabFreeSize = Item->Text.size();
  }
  const TStringItem* FTabFreeItem = nullptr;
  const char* FTabFreeData = nullptr;
  std::size_t FTabFreeSize = 0;
  void AppendLinesToCaret();
  void MarkBlockChanged(bool TypeUnchanged);
  void DoTextDelete(Integer Line, Integer Col, Integer Count);
  Integer DisplayLength(Integer Line);
  void MaxLineAfterInsert(Integer Line, bool Recalc);
  bool SearchinStringsLocal(Integer& Line, Integer& Col, Integer& FoundLen, bool Selection);
  bool ReplaceStep();
  void ReplaceAllLoop();
  void DoSaveToFileAtomic(const std::string& Target, const std::string& Content);
  std::string TextForSave();
  bool CharIsStringOrComment(Integer Line, Integer Col);

  TInternalStrings* FStrings = nullptr;
  TExternalStrings* FLines = nullptr;
  TSelectionStrings* FSelectionStrings = nullptr;
  TCollection* FPositions = nullptr;
  TPosition* FCaretPos = nullptr;
  TPosition* FBlockBegin = nullptr;
  TPosition* FBlockEnd = nullptr;
  TPosition* FOldBlockBegin = nullptr;
  TPosition* FOldBlockEnd = nullptr;
  TPosition* FSavedBlockBegin = nullptr;
  TPosition* FSavedBlockEnd = nullptr;
  TPosition* FSavedCaret = nullptr;
  TSelectionType FSavedSelType = stNotSelected;
  bool FSavedHeld = false;
  TSelectionType FSelectionType = stNotSelected;
  TSelectionType FOldSelectionType = stNotSelected;
  Integer FUpdateCount = 0;
  Integer FUpdateReason = 0;
  Integer FOldCaretLine = 0;
  Integer FOldCaretChar = 0;
  bool FNewUndoGroup = false;
  bool FJumping = false;
  bool FModified = false;
  bool FOldModified = false;
  bool FForcedModified = false;
  Integer FSavedUndoIndex = -1;
  TUndoList* FUndoList = nullptr;
  TUndoList* FRedoList = nullptr;
  bool FUndoSwapped = false;
  Integer FUndoBlockDepth = 0;
  bool FAllowUndo = true;
  Integer FUndoLimit = 0;
  bool FColorUndo = false;
  std::string FObjectName;
  std::string FOldObjectName;
  std::bitset<256> FDelimSet;
  std::string FDelimeters;
  std::vector<Integer> FTabStops;
  std::string FTabStopsStr;
  bool FUseGlobalOptions = false;
  std::string FBlockIndentStr;
  Integer FBlockIndent = 1;
  Integer FSpacesInTab = 8;
  TStringsOptions FOptions;
  bool FReadOnly = false;
  TBlockOption FBlockOption = bkBoth;
  bool FHighlightUrls = false;
  Dorazori::TSimpleParser* FSyntaxParser = nullptr;
  bool FMaxLineTracking = false;
  bool FMaxLineBatch = false;
  bool FMaxLinePending = false;
  Dorazori::TNotifierList* FNotifiers = nullptr;
  Integer FTempHighlightLine = 0;
  Byte FTempHighlightStyle = 0;
  TMemoCodeTemplates* FCodeTemplates = nullptr;
  std::string FTemplatesType = "None";
  TMemoBookMarkList* FBookMarks = nullptr;
  TVisibleLinesList* FHiddenLines = nullptr;
  std::string FVersion = "4.11";
  bool FDestroying = false;
};

// The published memo source.
class TMemoSource : public TCustomMemoSource {
  Z_CLASS(TMemoSource, TCustomMemoSource)
public:
  explicit TMemoSource(TComponent* AOwner) : TCustomMemoSource(AOwner) {}
  static void Publish(TMetaClass& Meta);
};

// A memo source that collects every text put on the clipboard, one entry per line.
class TClipBoardSource : public TCustomMemoSource {
  Z_CLASS(TClipBoardSource, TCustomMemoSource)
public:
  static void Publish(TMetaClass& Meta);
  explicit TClipBoardSource(TComponent* AOwner);
  ~TClipBoardSource() override;
  void CopyBlock() override;
  bool ChangeObjectName(const std::string&) override { return false; }
  HWND Handle() const { return FWindow; }
  LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam);

private:
  bool FOwnCopy = false;
  HWND FWindow = 0;
  HWND FNextViewer = 0;
};

class TClipbrdMemoSource : public TClipBoardSource {
  Z_CLASS(TClipbrdMemoSource, TClipBoardSource)
public:
  explicit TClipbrdMemoSource(TComponent* AOwner) : TClipBoardSource(AOwner) {}
};

// Every live memo source, in creation order.
TList* MemoSources();
TCustomMemoSource* MemoSourceByName(const std::string& Name);
// The memo source whose modal search dialog is open, and the one the non-modal search window works on.
extern TCustomMemoSource* FLastSource;
extern TCustomMemoSource* CurrentFindSource;
extern bool ModalSearchAndReplace;
// The characters an address may hold besides letters, digits and "_".
extern std::string cHotSpotChars;
// The hot-string test: a web address prefix, a mail address, or what OnHotString accepts.
bool IsStringHot(const std::string& S);
extern std::function<bool(const std::string& S)> OnHotString;
extern std::bitset<256> HotCharSet;

}  // namespace Dcstring
