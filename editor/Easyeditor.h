// The editor control: a windowed, syntax-highlighting text view over an edit source. TCustomEasyEdit holds the
// state and operations; TEasyEdit publishes the properties. The implementation is split by responsibility:
// Easyeditor.cpp (state and properties), Easyeditpaint.cpp (paint pass, gutter and margin),
// Easyeditselection.cpp, Easyeditscroll.cpp (scrolling, extents, mapping, window messages),
// Easyeditbinding.cpp (source binding and change notifications), Easyeditkeys.cpp (keys and block commands),
// Easyeditnavigate.cpp (navigation and caret), Easyeditclipboard.cpp, Easyeditmouse.cpp, Easywordwrap.cpp and
// Easyeditpublic.cpp (memo-style operations, edit-control messages, formatted export).
#pragma once

#include "editor/Easycontrols.h"
#include "editor/Easyeditgutter.h"
#include "editor/Easyeditobjects.h"
#include "editor/Easyeditsource.h"
#include "editor/Easypainter.h"
#include "editor/Easysettings.h"
#include "platform/controls/Controls.h"
#include "platform/controls/StdCtrls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

Z_ENUM_TYPEINFO(TEasySourceOption, "srAutoIndent", "srBackUnindents", "srUseTab", "srCursorThroughTabs",
                "srAlwaysOnTabs", "srOptimalFill", "srSmartTab", "srAllowUndo", "srGroupUndo", "srBeyondEof",
                "srBeyondEol", "srMoveUpAtLineBegin", "srLeaveTrailSpaces", "srLiveSpell", "srMoveDownAtLineEnd",
                "srAllowHiddenLines", "srHighlightUrls", "srUndoOnlyChanges", "srAutoCorrect", "srLeaveTabs")

enum TEasyEditorOption {
  eoPaintGutter, eoPaintMargin, eoPaintWrapBookmark, eoPersistentBlocks, eoOverwriteBlocks, eoEnableDragging,
  eoEnableSearchHighlight, eoEnableSelection, eoSelectBeyondEol, eoColorSelection, eoWordSelection,
  eoSelectFoundText, eoDblClickLine, eoForceCutCopy, eoLineStyleBeyondEol, eoInvertLineStyle, eoUseReadOnlyColor,
  eoUseDisabledColor, eoThumbTracking, eoOverwriteCaret, eoBreakWordsAtMargin, eoMoveOnRightClick, eoKeepColumn,
  eoCenterOnBookmark, eoShowScrollHint, eoFindTextAtCursor, eoCollapseButtonOnGutter, eoHighlightBrackets,
  eoReduceBlockSel, eoEnTabBlock, eoPaintFormattingMarks, eoDisableSearchHighlight
};
Z_ENUM_TYPEINFO(TEasyEditorOption, "eoPaintGutter", "eoPaintMargin", "eoPaintWrapBookmark", "eoPersistentBlocks",
                "eoOverwriteBlocks", "eoEnableDragging", "eoEnableSearchHighlight", "eoEnableSelection",
                "eoSelectBeyondEol", "eoColorSelection", "eoWordSelection", "eoSelectFoundText", "eoDblClickLine",
                "eoForceCutCopy", "eoLineStyleBeyondEol", "eoInvertLineStyle", "eoUseReadOnlyColor",
                "eoUseDisabledColor", "eoThumbTracking", "eoOverwriteCaret", "eoBreakWordsAtMargin",
                "eoMoveOnRightClick", "eoKeepColumn", "eoCenterOnBookmark", "eoShowScrollHint",
                "eoFindTextAtCursor", "eoCollapseButtonOnGutter", "eoHighlightBrackets", "eoReduceBlockSel",
                "eoEnTabBlock", "eoPaintFormattingMarks", "eoDisableSearchHighlight")
using TEasyEditorOptions = TSet<TEasyEditorOption, eoDisableSearchHighlight>;
inline const TEasyEditorOptions DefaultEditorOptions = TEasyEditorOptions::FromMask(0xE1F3);

enum TEasySelType { slNone, slStream, slBlock };
// Scoped: the class library's border styles already use bsNone.
enum class TEasyBlockSelMode { bsStream, bsBlock, bsNone, bsBoth };
Z_ENUM_TYPEINFO(TEasyBlockSelMode, "bsStream", "bsBlock", "bsNone", "bsBoth")
enum TEasySelState { seNone, seSel, seDrag, seWord };
enum TEasyPageType { ptNormal, ptPageBreaks, ptPageLayout };
Z_ENUM_TYPEINFO(TEasyPageType, "ptNormal", "ptPageBreaks", "ptPageLayout")
enum TEasyKeyMapping { kmDefault, kmClassic, kmBrief, kmEpsilon, kmVisualStudio, kmOther };
Z_ENUM_TYPEINFO(TEasyKeyMapping, "kmDefault", "kmClassic", "kmBrief", "kmEpsilon", "kmVisualStudio", "kmOther")
enum TEasyFormattingMark { fmSpace, fmTab, fmEol, fmEof };
enum TEasyLineBreak { lbCRLF, lbCR, lbLF };
Z_ENUM_TYPEINFO(TEasyLineBreak, "lbCRLF", "lbCR", "lbLF")

class TCustomEasyEdit;
class TEasySelStrings;
class TCustomEasyExporter;
using TCustomEasyExporterClass = TClass;
class TEasySearchSettings;
class TCustomForm;
class TEasyListBox;
class TEasyHint;

using TAfterCreateDialogEvent = std::function<void(TObject* Sender, Byte Code, TObject* Form)>;
using TBeforeCreateDialogEvent =
    std::function<void(TObject* Sender, Byte Code, TObject*& Form, bool& Modal, bool& Handled)>;
using TInsertPopupEvent = std::function<void(TObject* Sender, std::string& S)>;
using TGetDrawStyleEvent = std::function<void(TObject* Sender, int Line, int Char, Word& Style)>;
using TClickGutterEvent = std::function<void(TObject* Sender, int Line, int Index)>;
using TScrollEditEvent = std::function<void(TObject* Sender, bool Vertical, int Code)>;
using TScrollHintEvent = std::function<void(TObject* Sender, int Line, int Page, std::string& S)>;
using TSourceChangedEvent = std::function<void(TObject* Sender, TEasyEditSourceStates State)>;
using TUrlJumpEvent = std::function<void(TObject* Sender, const std::string& Url, bool& Handled)>;
using TWordAutoCorrectEvent =
    std::function<void(TObject* Sender, const std::string& Word, std::string& CorrectWord, bool& HasCorrection)>;
using TAutoCompleteEvent = std::function<void(TObject* Sender, TStrings* Strings, char AKey, bool& AllowPopup)>;
using TDisplayHintEvent = std::function<void(TObject* Sender, std::string& S, char AKey, bool& AllowPopup)>;
using TEasyProgressEvent = std::function<void(TObject* Sender, int Pos, int Size)>;
using TGetFormattingMarkEvent = std::function<void(TObject* Sender, TEasyFormattingMark Mark, char& FmtChar)>;

// Every live editor, in order of creation.
std::vector<TCustomEasyEdit*>& EditList();
// The insert/overwrite mode shared by every editor of the process.
extern bool EditOverwrite;
// The selection kind of the last text the editors put on the clipboard.
extern TEasySelType ClipboardSelType;
// Sets Font to the editors' default: "Courier New", 10 points.
void AssignEditorFont(TFont* Font);
// Registers the gutter's image strip "EASYBOOKMARK" (14 images of 16 x 15, white transparent) once.
void RegisterEditorResources();
// The screen cursor shown over links in the text: the hand of resource "EASYHANDPT", our own image.
inline constexpr SmallInt crEasyHand = 91;
// Registers "EASYHANDPT" and loads it into the screen's cursor table as crEasyHand (once).
void RegisterEditorCursors();
// Opens an address with the desktop's handler for it.
void UrlJump(const std::string& Url);

inline constexpr int cDefaultWrapDelta = 256;
inline constexpr int EasyMaxInt = 2147483647;
// Window timers of the editor.
inline constexpr UINT_PTR EasySelTimerId = 11;
inline constexpr UINT_PTR EasyAutoCompleteTimerId = 12;

// The editor control. It shows its own private source until an outside one is attached through EditSource;
// it owns its painter and chrome objects and registers itself in EditList for its lifetime.
class TCustomEasyEdit : public TCustomControl {
  Z_CLASS(TCustomEasyEdit, TCustomControl)
  friend class TEasyPainter;

public:
  explicit TCustomEasyEdit(TComponent* AOwner);
  ~TCustomEasyEdit() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  // ---- state and properties (Easyeditor.cpp) ----
  TCustomEasyEditSource* GetEditSource() const { return AttachedSource ? AttachedSource : FOwnSource; }
  TCustomEasyEditSource* EditSource() const { return AttachedSource; }
  void SetEditSource(TCustomEasyEditSource* Value);
  TEasyStrings* GetLines() const { return GetEditSource()->Strings(); }
  void SetLines(TEasyStrings* Value) { GetEditSource()->SetStrings(Value); }
  TCustomEasyParser* GetParser() const { return GetEditSource()->Parser(); }
  void SetParser(TCustomEasyParser* Value) { GetEditSource()->SetParser(Value); }
  bool GetReadOnly() const { return GetEditSource()->ReadOnly(); }
  void SetReadOnly(bool Value) { GetEditSource()->SetReadOnly(Value); }
  TEasySourceOptions GetSourceOptions() const { return GetEditSource()->Options(); }
  void SetSourceOptions(TEasySourceOptions Value) { GetEditSource()->SetOptions(Value); }
  TWordSpellEvent GetOnWordSpell() const { return GetEditSource()->OnWordSpell; }
  void SetOnWordSpell(const TWordSpellEvent& Value) { GetEditSource()->OnWordSpell = Value; }
  TPoint GetCurrentPosition() const { return GetEditSource()->CurrentPosition; }
  void SetCurrentPosition(const TPoint& P) { GetEditSource()->SetCurrentPosition(P); }
  TPoint GetCharacterPos() const { return GetEditSource()->GetCharacterPos(); }
  TEasyLineBreak GetLineBreak() const { return static_cast<TEasyLineBreak>(GetLines()->LineBreakStyle); }
  void SetLineBreak(TEasyLineBreak Value) { GetLines()->LineBreakStyle = Value; }
  TPoint GetCaretPos() const;
  bool GetOverwrite() const { return EditOverwrite; }
  void SetOverwrite(bool Value);

  TEasyPageType PageType() const { return FPageType; }
  void SetPageType(TEasyPageType Value);
  TEasyKeyMapping KeyMapping() const { return FKeyMapping; }
  void SetKeyMapping(TEasyKeyMapping Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TEasyEditorOptions Options() const { return FOptions; }
  void SetOptions(TEasyEditorOptions Value);
  int WindowLine() const { return FWindowLine; }
  void SetWindowLine(int Value);
  int WindowChar() const { return FWindowChar; }
  void SetWindowChar(int Value);
  void CheckWindowLine(bool Apply);
  void InternalSetWindowLine(int Value);
  bool HideCaret() const { return FHideCaret; }
  void SetHideCaret(bool Value);
  bool HideScrollBars() const { return FHideScrollBars; }
  void SetHideScrollBars(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  int MaxScrollPos() const { return FMaxScrollPos; }
  void SetMaxScrollPos(int Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool FlatScrollBars() const { return FFlatScrollBars; }
  void SetFlatScrollBars(bool Value);
  bool UseGlobalSettings() const { return FUseGlobalSettings; }
  void SetUseGlobalSettings(bool Value);
  TEasyBlockSelMode BlockSelMode() const { return FBlockSelMode; }
  void SetBlockSelMode(TEasyBlockSelMode Value);
  int BlockIndent() const { return FBlockIndent; }
  void SetBlockIndent(int Value) { FBlockIndent = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  int AutoCompletePause() const { return FAutoCompletePause; }
  void SetAutoCompletePause(int Value) { FAutoCompletePause = Value; }
  const std::string& AutoCorrectDelims() const { return FAutoCorrectDelims; }
  void SetAutoCorrectDelims(const std::string& Value) { FAutoCorrectDelims = Value; }

  TEasyControlBackground* Background() const { return FBackground.get(); }
  void SetBackground(TEasyControlBackground* Value) { FBackground->Assign(Value); }
  TEasyEditorGutter* Gutter() const { return FGutter.get(); }
  void SetGutter(TEasyEditorGutter* Value) { FGutter->Assign(Value); }
  TEasyEditorMargin* Margin() const { return FMargin.get(); }
  void SetMargin(TEasyEditorMargin* Value) { FMargin->Assign(Value); }
  TEasyLineNumbers* LineNumbers() const { return FLineNumbers.get(); }
  void SetLineNumbers(TEasyLineNumbers* Value) { FLineNumbers->Assign(Value); }
  TEasyLineStyles* LineStyles() const { return FLineStyles.get(); }
  void SetLineStyles(TEasyLineStyles* Value) { FLineStyles->Assign(Value); }
  TEasyCodeTemplates* CodeTemplates() const { return FCodeTemplates.get(); }
  void SetCodeTemplates(TEasyCodeTemplates* Value) { FCodeTemplates->Assign(Value); }
  TEasyEditorColors* Colors() const { return FColors.get(); }
  void SetColors(TEasyEditorColors* Value) { FColors->Assign(Value); }
  TFont* PageNumFont() const { return FPageNumFont.get(); }
  void SetPageNumFont(TFont* Value) { FPageNumFont->Assign(Value); }
  TEasyPopupWindow* PopupWindow() const { return FPopupWindow.get(); }
  void SetPopupWindow(TEasyPopupWindow* Value) { FPopupWindow->Assign(Value); }
  TEasyEditorRuler* Ruler() const { return FRuler.get(); }
  void SetRuler(TEasyEditorRuler* Value) { FRuler->Assign(Value); }
  TEasyLineDivider* LineDivider() const { return FLineDivider.get(); }
  void SetLineDivider(TEasyLineDivider* Value) { FLineDivider->Assign(Value); }
  TEasyPages* Pages() const { return FPages.get(); }
  void SetPages(TEasyPages* Value) { FPages->Assign(Value); }
  TEasyPage* GetDefaultPage() const;
  void SetDefaultPage(TEasyPage* Value);

  TCustomEasyEditSource* OwnSource() const { return FOwnSource; }
  TCustomEasyEditSource* AttachedSourceValue() const { return AttachedSource; }
  TCustomEasyPainter* Painter() const { return FPainter.get(); }
  TEasyPainter* EasyPainter() const;
  TEasyWrapList* WrapList() const { return FWrapList.get(); }
  TEasyKeyList* KeyList() const { return FKeyList.get(); }
  TEasySelStrings* SelStrings() const { return FSelStrings.get(); }
  TBitmap* BackBuffer() const { return FBackBuffer.get(); }

  void UpdateInvisibleLines();
  void ParseStrings(int First, int Last);
  void GetWrapLines(TStrings* Strings);
  void UpdateColors();
  void ColorsChanged(TObject* Sender);
  TColor GetEditorColor();
  bool PageLayout() const { return FPageType == ptPageLayout; }
  bool NeedPages() const { return FPageType != ptNormal; }
  bool IsEditSourceStored() const { return AttachedSource != nullptr && AttachedSource != FOwnSource; }
  bool IsEditPropStored() const { return AttachedSource == nullptr; }
  void GetColorFromStyle(int Index, TColor& Fore, TColor& Back);
  bool IsFocused();
  void DisableSelTimer();
  void DisableAutoCompleteTimer();

  // ---- word wrap, caret and pages: the places later behaviour fills ----
  bool UpdateWordWrap(int First, int Last, bool Repaint);
  // Repaints everything when asked, then updates the scroll bars (Easywordwrap.cpp).
  void WordWrapUpdated(bool Invalidate);
  // The wrap list's request for more rows.
  void OnUpdateWordWrap(TObject* Sender, int First, int Last);
  int GetWrapWidth();
  // Where a wrap pass stands among the pages: the page of the next row (Settings: the page whose settings it
  // has, the default page for one not made yet), the rows left on it and its sheet's top in document pixels.
  struct TWrapSheet {
    int Index = 0;
    int Settings = 0;
    int RowsLeft = 0;
    int Top = 0;
  };
  TWrapSheet FirstWrapSheet(int Row);
  void NextWrapSheet(TWrapSheet& Sheet);
  // Whether every page's text wraps at the same width (page layout).
  bool SheetsWrapAlike();
  // A page's size or margins changed: in wrapped page layout its text is wrapped again, lazily.
  void PageGeometryChanged(TEasyPage* Page);
  // The line shown in the view's top row (WindowLine is a display row); in page layout the first line of the
  // page at the top of the view.
  int TopLine();
  // The break rule: Pos (1-based) is the first character of the row to fill; afterwards the first character
  // of the next row, or 2147483647 when the row is the line's last.
  void WordBreakProc(int Line, const std::string& Text, int& Pos);
  // Pulls a column past the visible end of a row (a break delimiter that does not fit) back onto the row.
  void CheckAfterLineEnd(int Line, int& Column, bool AtRowEnd);
  // The caret and the view (Easyeditnavigate.cpp).
  bool UpdateCaretMode();
  void EnsureCaretVisible();
  void EnsureVisible(const TPoint& P);
  void CenterCurrentLine(bool OnlyIfHidden);
  bool IsCurrentLineVisble();
  void WrapNavigate(int DX, int DY);
  bool PageUpOrDown(bool Up);
  TSize GetCaretSize();
  void CreateCaret();
  void UpdateCaretEx(int X, int Y);
  void CheckIncrementalSearch();
  void HighlightBrackets();
  bool CheckBrackets(int Line, int Column) const;
  void HidePopupHint();
  void InitDefaultKeys() { InitializeDefaultKeys(this); }
  void InitClassicKeys() { InitializeClassicKeys(this); }
  void InitBriefKeys() { InitializeBriefKeys(this); }
  void InitEpsilonKeys() { InitializeEpsilonKeys(this); }
  void InitVStudioKeys() { InitializeVStudioKeys(this); }
  void MouseSelect();
  bool DoCodeCompletion();
  void CheckAutoCorrect();
  void AddDefaultPage();
  void UpdateAllPages();
  TEasyPage* GetCurrentPage();
  TEasyPage* GetLastPage() const;

  // ---- virtual operations, in their slot order ----
  virtual void ProcessVScroll(int Code, int Pos);
  virtual void AssignDefaultFont();
  virtual void AssignContent(TCustomEasyEdit* Other, bool SelectionOnly);
  virtual void DoFontChanged(TObject* Sender);
  virtual void AddToWrapList(const std::string& Text, int Line, int Start, int Row, int Next);
  virtual void BeforeWrapString(int Line, std::string& S) { (void)Line, (void)S; }
  virtual bool NeedStoreInfo() { return false; }
  virtual bool NeedSelection() { return FOptions.Contains(eoEnableSelection); }
  virtual TClass GetEditSourceClass() { return TCustomEasyEditSource::StaticClass(); }
  virtual TClass GetWrapListClass() { return TEasyWrapList::StaticClass(); }
  virtual void PageTypeChanged();
  virtual void PageChanged(TEasyPage* Page);
  virtual void EditSourceChanged();
  virtual void HandleEvents(TObject* Sender, NativeInt Data);
  virtual void DoPaste(TEasyStrings* Lines) { (void)Lines; }
  virtual bool UrlAtPoint(int X, int Y);
  virtual void ProcessUrl(const TPoint& P);
  virtual void InvalidateSelection(TRect R, TEasySelType Type);
  virtual char GetFmtMark(TEasyFormattingMark Mark);
  virtual TClass GetPainterClass() { return TEasyPainter::StaticClass(); }
  virtual void UpdateCaret();
  virtual void CheckSelType(TEasySelType& Type);
  virtual bool AllowBlockSel() { return !FWordWrap; }
  virtual bool MoveBlock(bool Move);
  virtual void SourceChanged(TEasyEditSourceStates State);
  virtual void SelectionChanged();
  virtual void BeforeInsertPopup(std::string& S);
  virtual void GutterClick(int Line, int Index);
  virtual void GutterDblClick(int Line, int Index);
  virtual void DoScroll(bool Vertical, int Code);
  virtual void DoScrollHint(int Line, int Page, std::string& S);
  virtual void DoGetDrawStyle(int Line, int Char, Word& Style);
  virtual void JumpToUrl(const std::string& Url);
  virtual bool CreateEditorDlg(Byte Code, TCustomForm*& Form, bool& Modal);
  virtual void RulerChanged(TObject* Ruler, int Indentation);
  virtual void SaveFmtString(TCustomEasyExporter* Exporter, const std::string& Text, TObject* Obj, int Style);
  virtual void NewFmtLine(TCustomEasyExporter* Exporter, int Line, bool Flag);
  virtual void SaveFmtObject(TCustomEasyExporter* Exporter, int Style) { (void)Exporter, (void)Style; }
  virtual void DeleteStr(Byte Cmd);
  virtual void InsertStr(Byte Cmd);
  virtual bool InsideBlock(int X, int Y);
  virtual void CopyBlock();
  virtual void CutBlock();
  virtual void PasteBlock();

  // ---- keyboard commands and block operations (Easyeditkeys.cpp) ----
  void ProcessKey(Byte Cmd);
  void UndoOrRedo(Byte Cmd);
  void ProcessBlock(Byte Cmd);
  void Toggle(Byte Cmd);
  void ToggleBookMark(Byte Number);
  void GoToBookMark(Byte Number);
  void DoProcessBlock(int Before, int Navigation, int After, bool Restore);
  using TEasyStrProc = void (TCustomEasyEdit::*)(std::string& S);
  void DoProcessString(bool Restore, TEasyStrProc Proc);
  void IndentProc(std::string& S);
  void OutdentProc(std::string& S);
  void UpperCaseProc(std::string& S);
  void LowerCaseProc(std::string& S);
  void CapitalizeProc(std::string& S);
  void ToggleCaseProc(std::string& S);
  void SelectLine();
  void SelectWrapLine();
  void MarkWord();
  void DeleteBlock();
  bool NeedDeleteBlock();
  int GetTabIndent(bool UseTabStops);
  void InsertTab();
  void EnTabBlock();
  void DeTabBlock();
  std::string TabStepText();
  void EnTabLine() { DoProcessBlock(34, -1, 64, true); }
  void DeTabLine() { DoProcessBlock(34, -1, 65, true); }
  bool HasAutoCorrection(const std::string& Word, std::string& CorrectWord);

  // ---- clipboard (Easyeditclipboard.cpp) ----
  bool CanCopy() { return SelType != slNone; }
  bool CanPaste();
  void FillStringsFromClipboard(TEasyStrings* Lines);
  void PasteStrings(TEasyStrings* Lines, TEasySelType Kind);
  bool WriteToClipboard(UINT Format, const void* Buffer, int Size);
  int ReadFromClipboard(UINT Format, TStream* Stream);

  // ---- mouse (Easyeditmouse.cpp) ----
  void SetPosByMouse(int X, int Y);
  void MoveProc();
  void MarkLineOrWord();
  bool CheckEndOfLine(const TPoint& P);
  void EnableSelTimer();
  bool MouseOnGutter(int X, int Y);
  bool CursorOnGutter();
  int GetGutterImageIndex(const TPoint& P, int X);
  int StyleAtCursor(int X, int Y);

  // ---- memo-style operations, offsets and formatted export (Easyeditpublic.cpp) ----
  bool GetCanUndo();
  bool GetCanRedo();
  void Undo();
  void Redo();
  void ClearUndo();
  bool GetModified();
  void SetModified(bool Value);
  std::string GetSelText();
  void SetSelText(const std::string& S);
  int GetSelLength();
  void SetSelLength(int N);
  int GetSelStart();
  void SetSelStart(int N);
  int GetTextLen();
  void Clear();
  void ClearSelection() { DeleteBlock(); }
  void CopyToClipboard() { CopyBlock(); }
  void CutToClipboard() { CutBlock(); }
  void PasteFromClipboard() { PasteBlock(); }
  void SelectAll() { ProcessBlock(44); }
  int TextPointToPos(const TPoint& P);
  TPoint PosToTextPoint(int Pos);
  void SaveToFmtStream(TStream* Stream, bool SelectionOnly, TCustomEasyExporterClass ExporterClass);
  void SaveToFmtFile(const std::string& FileName, TCustomEasyExporterClass ExporterClass);
  // The edit-control messages the editor answers; false for any other message.
  bool HandleEditMessage(TMessage& Message);

  // ---- find, replace, go to line and incremental search (Easyeditfind.cpp) ----
  // Codes of the dialog commands: find, replace, go to line.
  static constexpr Byte DlgFind = 26;
  static constexpr Byte DlgReplace = 27;
  static constexpr Byte DlgGotoLine = 28;
  void ExecuteDialog(Byte Code);
  bool Find();
  bool Replace();
  bool ReplaceEx(int& Count);
  void GotoLine();
  // 26 repeats the last find (or replace), 27 repeats it as a replace.
  void FindNext(Byte Code);
  bool DoFind(int& Len, bool Silent, bool WrapAround);
  void StringFound(TEasySearchScope Scope, bool ToEnd, int Len, TPoint P);
  bool DoReplace(int& Count);
  int OccurrenceCount();
  TPoint PointToBlockPoint(const TPoint& P);
  TPoint BlockPointToPoint(const TPoint& P);
  void InitIncrementalSearch();
  void DoneIncrementalSearch();
  bool IncrementalSearch(const std::string& Chars, bool Backspace);
  // The keyboard's way into incremental search: a typed character (Backspace is #8, Escape #27) while the
  // mode is active. Returns true when the search used the key, which is then not typed.
  bool IncrementalSearchKey(char Key);

  // ---- completion, templates and brackets (Easycompletion.cpp) ----
  void EnableAutoCompleteTimer();
  // The typing code's way into completion: after Key was typed, remember where the word starts and start the
  // completion timer (any typed key stops it first).
  void CompletionKeyTyped(char Key);
  TEasyListBox* PopupListBox();
  void ShowPopupListBox(TStrings* List, bool RememberStart) { ShowPopupListBoxEx(List, true, RememberStart); }
  void ShowPopupListBoxEx(TStrings* List, bool HookKeys, bool RememberStart);
  void HidePopupListBox();
  void PopupCallBack(TObject* Sender);
  void PopupListBoxKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void PopupListBoxKeyPress(TObject* Sender, char& Key);
  TEasyHint* PopupHint();
  void ShowPopupHint(const std::string& S, TPoint P, bool AutoHide);
  void ShowCodeTemplates();
  void BeforeShowTemplate();
  void InsertTemplate(int Index);
  void FindBracket();
  void UnHighlightBrackets();
  void InvalidateBrackets();
  // Closes a popup that shows this editor's list and frees the list and the hint (the editor is going).
  void FreeTypingAids();
  // The screen rectangle of the scroll hint last shown beside the vertical scroll bar, for inspection.
  TRect ScrollHintRect{0, 0, 0, 0};

  // ---- painting (Easyeditpaint.cpp) ----
  void PaintRect(TRect R);
  void InitPainter(const TRect& R);
  void PaintPages(const TRect& R);
  void PaintPage(int Index, const TRect& Clip, const TRect& Outer);
  void PaintGutter(TRect R);
  void PaintGutterContent(const TRect& R, int PageIndex, int FirstLine, int FirstChar, int GutterOffset);
  int PaintGutterImage(int RowStart, int RowEnd, int HitX, bool HitTest, const TRect& R, int LineStyle, int X,
                       int Line);
  void PaintLineNumber(const TRect& R, int RowStart, int Line);
  void PaintMargin(int Top, int Bottom);
  void PaintPageNumber(int Index, const TRect& R);
  void PaintPageBreak(int Index, int Y);
  void PaintBoundsRect(const TRect& Outer, const TRect& Inner, TColor Color);
  void DoFillRect(const TRect& R);
  void PaintBackground();
  bool NeedPaintGutterBrush();
  std::string GetFmtString(int Line);
  void RepaintControl(int OldChar, int OldLine);

  // ---- selection (Easyeditselection.cpp) ----
  void SetSelection(TRect R, TEasySelType Type);
  void SetSelType(TEasySelType Type) { SetSelection(SelRect, Type); }
  void SetSelRect(const TRect& R) { SetSelection(R, SelType); }
  bool GetSelBounds(int Line, int Row, bool Pixels, int& Start, int& End);
  TRect GetBlockSelRect(TRect R);
  bool InsideSearchRect(int X, int Y);
  bool InsideRect(int X, int Y, TEasySelType Type, const TRect& R);
  bool IsValidBlockPos(int X, int Y);
  bool IsBlockEmpty();
  void SetSearchRect(const TRect& R);
  bool SelectionShown();
  // Moves the caret (through MoveProc, or the navigation command) and extends the selection that has From as
  // its moving end, or starts one at From.
  void SelectBlock(TEasySelType OldType, TEasySelType NewType, TPoint From, Byte Command,
                   const std::function<void()>& MoveProc, bool RowEnd);
  void SelectStreamBlock(Byte Command) {
    SelectBlock(SelType, slStream, GetCurrentPosition(), Command, nullptr, CaretAtRowEnd);
  }
  void SelectSquareBlock(Byte Command) {
    SelectBlock(SelType, slBlock, GetCurrentPosition(), Command, nullptr, CaretAtRowEnd);
  }
  // Runs a navigation command; the key table's commands come with the keyboard handling.
  virtual void Navigate(Byte Command);

  // ---- scrolling, extents and mapping (Easyeditscroll.cpp) ----
  void DoVScroll(int Code, int Pos);
  void DoHScroll(int Code, int Pos);
  TSize ScrollPageSize();
  void UpdateScrollBars();
  void UpdateScrollPos();
  void SetScrollBarInfo(int Max, int Page, bool Vertical);
  int GetScrollPos(int Bar);
  void SetScrollPos(int Bar, int Pos);
  void SetScrollSize(int Bar, int Min, int Page, int Max);
  int GetMaxScrollHeight();
  int GetEstimatedHeight();
  int GetMaxScrollWidth();
  int LineCount() const { return GetLines()->Count(); }
  int WrapLineCount() const;
  int VisibleLineCount();
  int MaxVisibleLine();
  bool InvisibleLines() const { return GetSourceOptions().Contains(srAllowHiddenLines); }
  void GetVisibleLineIndex(int& Line);
  void GetRealLineIndex(int& Line);
  void UpdateLines(int First, int Last);
  int LineWidth(int Line);
  int GetMaxLineWidth();
  void UpdateMaxLine();
  int GetGutterIndent(bool WithFoldButtons);
  int GetLeftRulerIndent() { return FRuler->VertRulerVisible() ? FRuler->VertRulerWidth() : 0; }
  int GetTopRulerIndent() { return FRuler->HorzRulerVisible() ? FRuler->HorzRulerHeight() : 0; }
  int GetTopIndent() { return PageLayout() ? 0 : GetTopRulerIndent(); }
  int GetLeftIndent();
  int GetLineNumberLength();
  int GetLineNumberWidth();
  bool UpdateLineNumbers(bool Force);
  TPoint TextToPixelPoint(const TPoint& P, bool AtRowEnd);
  TPoint PixelToTextPoint(const TPoint& Q, bool AtRowEnd);
  TPoint PixelToTextPointEx(const TPoint& Q, bool AtRowEnd, bool ClampToRow, bool AllowRowEnd, bool NoRound);
  int PixelToTextChar(int& Row, int X, bool ClampToRow, bool AllowRowEnd, bool NoRound);
  int GetRealChar(int Line, int Column);
  TRect RectFromTextPoint(const TRect& Range);
  void InvalidateEditor(int First, int Last);
  void UpdateRulers();
  void MouseWheel(int Delta);

  // ---- pages, page layout and rulers (Easyeditpages.cpp) ----
  bool IsDestroying() const { return FDestroying; }
  // The page holding a text position (ByText) or a document pixel; 0 (the first page) without pages.
  int GetPageIndexAt(TPoint P, bool ByText);
  TEasyPage* GetPageAt(const TPoint& P, bool ByText);
  // The page-layout branches of the mapping: client pixels of a text position and back.
  TPoint PageLayoutTextToPixel(const TPoint& P, bool AtRowEnd);
  TPoint PageLayoutPixelToText(const TPoint& Q, bool AtRowEnd, bool ClampToRow, bool AllowRowEnd, bool NoRound);
  int PageLayoutPixelToTextChar(int& Row, int X, bool ClampToRow, bool AllowRowEnd, bool NoRound);
  // The page holding a text position shown at a row end (AtRowEnd) or at a row start: where a page ends
  // inside a line, its end belongs to it only at a row end.
  TEasyPage* GetPageAtPoint(const TPoint& P, bool AtRowEnd);
  // The display row under client y in page layout (word wrap), clamped to the rows of the page there.
  int PageLayoutRowAt(int Y);
  // The laid-out height of the pages (page layout), plus the last page's top band.
  int PagedMaxScrollHeight();
  // The largest pixel offset the view scrolls to in page layout: max(height - client height, 0).
  int PageLayoutMaxWindowLine();
  int PageLayoutMaxWindowChar();
  void PageLayoutHScroll(int Code, int Pos);
  void PageLayoutScrollBars();
  // Builds one painter record per page the paint rectangle reaches (paged views).
  void InitPagedPainter(const TRect& R);
  // The page's text rectangle shortened to the text it holds, as the painter records take it.
  TRect PageTextPaintRect(TEasyPage* Page);
  // Paints page PageIndex at its real size on Target (preview and printing): the view scrolls to the page.
  void PaintSinglePageTo(TCanvas* Target, int PageIndex);
  // Selection edges of a row in pixels: the page's text edges in page layout, else the left indent and the
  // client width.
  int SelRowLeft(int Line);
  int SelRowRight(int Line);
  // For the caret and mouse code of page layout: the view scrolls so that P is visible; whether the caret's
  // row is inside the view; the vertical step of a page move; the text points at the view's top and bottom.
  void PageLayoutEnsureVisible(const TPoint& P);
  bool PageLayoutIsCurrentLineVisible();
  void PageLayoutCenterCurrentLine();
  int PageLayoutPageStep();
  TPoint PageLayoutVisiblePoint(bool Bottom);
  // The wrap width of the current page's text rectangle (page layout).
  int PageLayoutWrapWidth(TEasyPage* Page);
  // Whether a client pixel lies on the gutter band of its page, and where that band starts.
  bool PageLayoutMouseOnGutter(const TPoint& P);
  int PageLayoutGutterLeft(const TPoint& P);
  // Whether the caret may be drawn at client pixel (X, Y): below the top ruler, right of the left ruler.
  bool PageLayoutCaretPlaceable(int X, int Y);

  // ---- source binding (Easyeditbinding.cpp) ----
  void BeforeNavigate(TPoint& Offset);
  void UpdateBlock(int X, int Y, int DX, int DY);

  // Fields other parts of the editor read and write directly.
  int KeyState = 0;
  bool KeyHandled = false;
  bool PageScrollDone = false;
  TPoint PageScrollPos{0, 0};
  bool UpdatingScrollPos = false;
  int ScrollHeightCache = 0;
  int ScrollWidthCache = 0;
  int FirstPaintPage = 0;
  int LastPaintPage = 0;
  int WrappedUpTo = -1;
  bool WrapUpdating = false;
  bool WrapNavigating = false;
  int NavigateCount = 0;
  bool CaretAtRowEnd = false;
  bool SelStartAtRowEnd = false;
  bool SelEndAtRowEnd = false;
  bool WrapColumnValid = false;
  int WrapColumnX = 0;
  int WrapWindowChar = 0;
  int LineNumberDigits = 0;
  int LineNumberWidth = 0;
  int CaretWidth = 0;
  int CaretHeight = 0;
  TRect SelRect{0, 0, 0, 0};
  TPoint BlockAnchor{-1, -1};
  TRect SearchRect{0, 0, 0, 0};
  TEasySelType SelType = slNone;
  int SelectionHold = 0;
  int SearchRectHold = 0;
  TEasySelState MouseSelState = seNone;
  TPoint WordAnchorStart{0, 0};
  TPoint WordAnchorEnd{0, 0};
  bool WordAnchorForward = false;
  bool WordAnchorExtended = false;
  bool WordSnapActive = false;
  bool PlatformDragging = false;
  TPoint* TrackedPoint1 = nullptr;
  TPoint* TrackedPoint2 = nullptr;
  bool MeasuringLineNumbers = false;
  int PaintLock = 0;
  bool NoScrollRepaint = false;
  SmallInt SavedCursor = 0;
  bool PressedOnUrl = false;
  bool PressedOnGutter = false;
  int MarginX = 0;
  // The rectangle the last paint pass covered, for inspection.
  TRect LastPaintedRect{0, 0, 0, 0};
  std::unique_ptr<TWinControl> PopupList;
  std::unique_ptr<TComponent> PopupHintWindow;
  bool ShowingTemplates = false;
  SmallInt WheelDelta = 0;
  bool FlatScrollBarsActive = false;
  int PaintPageIndex = 0;
  bool PaintSinglePage = false;
  bool Printing = false;
  bool PrintMonochrome = false;
  TPoint CompletionStart{0, 0};
  char CompletionKey = 0;
  TPoint BracketPos1{-1, -1};
  TPoint BracketPos2{-1, -1};
  std::string IndentText;
  std::unique_ptr<TEasySearchSettings> IncrSearchSettings;
  std::string IncrSearchText;
  bool IncrSearchRunning = false;
  bool IncrSearchActive = false;
  int DirtyFirstLine = -1;
  int DirtyLastLine = -1;
  int MaxLineWidth = 0;
  int MaxWidthLine = -1;
  std::unique_ptr<TCustomEasyEditorAttributes> ExportAttributes;
  char LastTypedChar = 0;

  TAfterCreateDialogEvent OnAfterCreateDialog;
  TBeforeCreateDialogEvent OnBeforeCreateDialog;
  TInsertPopupEvent OnBeforeInsertPopup;
  TGetDrawStyleEvent OnGetDrawStyle;
  TClickGutterEvent OnGutterClick;
  TClickGutterEvent OnGutterDblClick;
  TNotifyEvent OnMouseLeave;
  TScrollEditEvent OnScroll;
  TScrollHintEvent OnScrollHint;
  TNotifyEvent OnSelectionChanged;
  TSourceChangedEvent OnSourceChanged;
  TUrlJumpEvent OnUrlJump;
  TAutoCompleteEvent OnAutoComplete;
  TDisplayHintEvent OnDisplayHint;
  TGetFormattingMarkEvent OnGetFormattingMark;
  TEasyProgressEvent OnFileLoad;
  TEasyProgressEvent OnFileSave;
  TWordAutoCorrectEvent OnWordAutoCorrect;

  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Paint() override;
  // Keyboard and mouse: the key table, typing, navigation, mouse selection and dragging build on these.
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void DoCreateWnd();
  void DoSetFocus();
  void DoKillFocus();
  void DoEnabledChanged();
  void DoColorChanged();
  void DoMouseLeave();
  bool DoSetCursor();
  TEasyNotifyMethod Notifier();

private:
  void SetBarRanges();
  bool HandleEditorMessage(TMessage& Message);
  // The longer navigation commands (Easyeditnavigate.cpp); P is the caret's position when the command came.
  void NavigateWordLeft(TCustomEasyEditSource* Source, const TPoint& P);
  void NavigateWordRight(TCustomEasyEditSource* Source, const TPoint& P);
  void NavigateLineStart(TCustomEasyEditSource* Source, const TPoint& P);
  void NavigateLineEnd(TCustomEasyEditSource* Source, const TPoint& P);
  void NavigateScreenEdge(TCustomEasyEditSource* Source, bool Bottom);
  void NavigateNextWordStart(TCustomEasyEditSource* Source, const TPoint& P);

  TCustomEasyEditSource* FOwnSource = nullptr;
  TCustomEasyEditSource* AttachedSource = nullptr;
  TEasyPageType FPageType = ptNormal;
  std::unique_ptr<TCustomEasyPainter> FPainter;
  std::unique_ptr<TEasyPages> FPages;
  TColor FBorderColor = clBtnShadow;
  TScrollStyle FScrollBars = ssNone;
  std::unique_ptr<TEasyKeyList> FKeyList;
  TEasyKeyMapping FKeyMapping = kmDefault;
  bool FWantTabs = false;
  bool FWantReturns = true;
  bool FHideCaret = false;
  bool FHideScrollBars = false;
  bool FHideSelection = false;
  TBorderStyle FBorderStyle = bsSingle;
  bool FUseGlobalSettings = false;
  int FWindowLine = 0;
  int FWindowChar = 0;
  std::unique_ptr<TEasyWrapList> FWrapList;
  bool FWordWrap = false;
  std::unique_ptr<TEasySelStrings> FSelStrings;
  std::unique_ptr<TEasyEditorColors> FColors;
  std::unique_ptr<TFont> FPageNumFont;
  int FBlockIndent = 2;
  TEasyEditorOptions FOptions = DefaultEditorOptions;
  std::unique_ptr<TEasyControlBackground> FBackground;
  std::unique_ptr<TBitmap> FBackBuffer;
  std::unique_ptr<TEasyEditorGutter> FGutter;
  std::unique_ptr<TEasyEditorMargin> FMargin;
  std::unique_ptr<TEasyLineNumbers> FLineNumbers;
  std::unique_ptr<TEasyCodeTemplates> FCodeTemplates;
  std::unique_ptr<TEasyLineStyles> FLineStyles;
  std::unique_ptr<TEasyPopupWindow> FPopupWindow;
  int FMaxScrollPos = 255;
  std::unique_ptr<TEasyEditorRuler> FRuler;
  std::unique_ptr<TEasyLineDivider> FLineDivider;
  TEasyBlockSelMode FBlockSelMode = TEasyBlockSelMode::bsBoth;
  bool FFlatScrollBars = false;
  int FAutoCompletePause = 500;
  std::string FAutoCorrectDelims;
  std::vector<TEasyWrapRow> FPendingRows;
  // Whether every page wraps at the same width: -1 until asked after a page's geometry changed.
  int FSheetsAlike = -1;
  bool FDestroying = false;
  bool FFocused = false;
};

// The selection as a read-only list of lines, computed from the editor's selection on every read.
class TEasySelStrings : public TEasyStrings {
  Z_CLASS(TEasySelStrings, TEasyStrings)
public:
  explicit TEasySelStrings(TCustomEasyEdit* AEdit = nullptr) : FEdit(AEdit) {}
  std::string Get(Integer Index) const override;
  Integer GetCount() const override;
  void Clear() override;
  void Delete(Integer) override {}
  void Insert(Integer, const std::string&) override {}
  void Exchange(Integer, Integer) override {}

private:
  TCustomEasyEdit* FEdit;
};

// The editor as forms place it: every property published.
class TEasyEdit : public TCustomEasyEdit {
  Z_CLASS(TEasyEdit, TCustomEasyEdit)
public:
  using TCustomEasyEdit::TCustomEasyEdit;
  static void Publish(TMetaClass& Meta);
};
