// The code editor control (unit Vuvudi): TCustomVUVudi shows one memo source with syntax colours, a gutter with
// images and line numbers, word wrap and hidden lines; ZEZMemo publishes it. The text lives in the memo source;
// the control keeps only the view (top row, first column, caret shape, wrap breaks) and repaints from the
// source's notifications. Several controls may show one source.
#pragma once

#include "codeeditor/Dcstring.h"
#include "platform/controls/Controls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Metafiles.h"
#include "suitebase/Controlbackground.h"
#include "suitebase/Customcontrol.h"
#include "suitebase/Dcpopups.h"
#include "suitebase/Nameditems.h"
#include "suitebase/Optionext.h"
#include "suitebase/Suitehint.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TForm;
class TPopupMenu;

namespace Vuvudi {

using Dcstring::TCustomMemoSource;

enum TMemoOption {
  moDrawMargin,
  moDrawGutter,
  moThumbTracking,
  moDblClickLine,
  moColorSyntax,
  moLineNumbers,
  moOverwriteCaret,
  moLeftIndent,
  moDisableDrag,
  moSelectOnlyText,
  moLineNumbersOnGutter,
  moNotePadCursorStyle,
  moBreakWordAtMargin,
  moDrawSpecialSymbols,
  moDisableRightClickMove,
  moColoredLineStyle,
  moDisableInvertedSel,
  moHideInvisibleLines,
  moDrawLineBookmarks,
  moShowScrollHint,
  moUseReadOnlyColor,
  moExtendedSel,
  moCenterOnBookmark,
  moTripleClick,
  moLimitLineNumbers
};
using TMemoOptions = TSet<TMemoOption, moLimitLineNumbers>;

enum ZEZPrintOption { poWrapLines, poInColor, poPrintSel, poPrintHeader, poLineNumbers, poPrintSyntax, poShowProgress };
using ZEZPrintOptions = TSet<ZEZPrintOption, poShowProgress>;
enum TGutterImgsAlign { iaLeft, iaRight };
enum TClipboardType { cbNormal, cbRtf };
enum ZEZGraphicsFormat { gfBitmap, gfMetafile, gfEnhancedMetafile };
enum TEditState { esNone, esBlockSel, esBlockDrag, esMarkWord };
enum TPopupType { ptHint, ptListBox };
enum TPrintType { ptHeader, ptFooter };
enum TDrawState { dsBeforePaint, dsAfterPaint, dsText, dsAfterText, dsSelection, dsMarkedText };
using TDrawStates = TSet<TDrawState, dsMarkedText>;
enum TUpdateMemoColors { mcNone, mcText, mcSelection, mcSearchMatch };
enum TSeparatorOption { moDrawLineSeparator, moWrappedLineSeparator };
using TSeparatorOptions = TSet<TSeparatorOption, moWrappedLineSeparator>;
enum TShapeHighlightType { shDoubleLine, shSingleLine };

inline constexpr Integer MinHorzMaxPos = 40, MaxHorzMaxPos = 9999;
inline constexpr Integer LazyWrapRows = 255, WrapStep = 100;
// The control window's timers: the mouse selection's step and the popup hint's delay.
inline constexpr UINT_PTR SelTimerId = 1, HintTimerId = 2;

class TCustomVUVudi;

// A font that knows the object it belongs to (the control, the environment options or a text style).
class TMemoFont : public TFont {
  Z_CLASS(TMemoFont, TFont)
public:
  explicit TMemoFont(TPersistent* AOwner = nullptr);
  TPersistent* Owner() const { return FOwner; }

private:
  TPersistent* FOwner;
};

// Lines drawn under every text line or every wrapped row.
class TLineSeparator : public TPersistent {
  Z_CLASS(TLineSeparator, TPersistent)
public:
  explicit TLineSeparator(TCustomVUVudi* AMemo = nullptr);
  ~TLineSeparator() override;
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TSeparatorOptions Options() const { return FOptions; }
  void SetOptions(TSeparatorOptions Value);

private:
  void Changed(TObject* Sender);
  TCustomVUVudi* FMemo;
  std::unique_ptr<TPen> FPen;
  TSeparatorOptions FOptions;
};

// The caret row's highlight: a filled band with one or two lines.
class TLineHighlight : public TPersistent {
  Z_CLASS(TLineHighlight, TPersistent)
public:
  explicit TLineHighlight(TCustomVUVudi* AMemo = nullptr);
  ~TLineHighlight() override;
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TShapeHighlightType Shape() const { return FShape; }
  void SetShape(TShapeHighlightType Value);

private:
  void Changed(TObject* Sender);
  TCustomVUVudi* FMemo;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  bool FVisible = false;
  TShapeHighlightType FShape = shDoubleLine;
};

// The marks drawn for line ends, the file's end, blanks and tabs. The two strings are stored as binary
// properties (EOLStringBinary, EOFStringBinary): a 32-bit length and the bytes.
class TSpecialSymbols : public TPersistent {
  Z_CLASS(TSpecialSymbols, TPersistent)
public:
  explicit TSpecialSymbols(TCustomVUVudi* AMemo = nullptr);
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;
  const std::string& EOLString() const { return FEOLString; }
  void SetEOLString(const std::string& Value);
  const std::string& EOFString() const { return FEOFString; }
  void SetEOFString(const std::string& Value);
  char SpaceChar() const { return FSpaceChar; }
  void SetSpaceChar(char Value);
  char TabChar() const { return FTabChar; }
  void SetTabChar(char Value);
  // The binary form: the 32-bit length and the bytes. A length beyond the stream's end raises the stream's
  // read error before anything is allocated.
  static void WriteString(TStream* Stream, const std::string& S);
  static std::string ReadString(TStream* Stream);

private:
  void Changed();
  TCustomVUVudi* FMemo;
  std::string FEOLString;
  std::string FEOFString;
  char FSpaceChar = 0;
  char FTabChar = 0;
};

// The gutter's background picture or gradient.
class TGutterBackground : public Dccontrols::TControlBackground {
  Z_CLASS(TGutterBackground, TControlBackground)
public:
  explicit TGutterBackground(TCustomControl* AOwner);
  TRect GetPaintRect() override;
};

// One text style: colours, font style and case of one class of text (a style number indexes the collection).
class TTextStyle : public Vivaridiriz::ZEZNamedItem {
  Z_CLASS(TTextStyle, ZEZNamedItem)
public:
  explicit TTextStyle(TCollection* ACollection);
  ~TTextStyle() override;
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TMemoFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  bool UseMemoFont() const { return FUseMemoFont; }
  void SetUseMemoFont(bool Value);
  bool UseMemoColor() const { return FUseMemoColor; }
  void SetUseMemoColor(bool Value);
  bool UpperCase() const { return FUpperCase; }
  void SetUpperCase(bool Value);
  TUpdateMemoColors UpdateMemoColors() const { return FUpdateMemoColors; }
  void SetUpdateMemoColors(TUpdateMemoColors Value);

  TCustomVUVudi* Memo() const;
  void AssignMemoFont();
  void AssignMemoColor();
  void AssignFontNameAndSize();
  void DoUpdateMemoColors();
  void DoParserChanged(bool Force);
  void OnFontChange(TObject* Sender);
  bool IsColorStored() const { return !FUseMemoColor; }
  bool IsFontStored() const { return !FUseMemoFont; }

private:
  TColor FColor = clWindow;
  std::unique_ptr<TMemoFont> FFont;
  std::unique_ptr<TBrush> FBrush;
  bool FUseMemoFont = false;
  bool FUseMemoColor = false;
  bool FUpperCase = false;
  TUpdateMemoColors FUpdateMemoColors = mcNone;
  bool FAssigningFont = false;
};

class TTextStyles : public Dorazori::ZEZNamedItems {
  Z_CLASS(TTextStyles, ZEZNamedItems)
public:
  explicit TTextStyles(TComponent* AOwner);
  TTextStyle* GetItem(Integer Index) const { return static_cast<TTextStyle*>(Items(Index)); }
  void Assign(TPersistent* Source) override;
  TTextStyle* AddStyle(const std::string& Name, TColor FontColor, TColor BackColor);
  TTextStyle* AddStyleEx(const std::string& Name, TColor FontColor, TColor BackColor, TFontStyles FontStyles,
                         TUpdateMemoColors UpdateMemoColors, bool UseMemoFont, bool UseMemoColor);
  void SetDefaultStyles();
  void UpdateParams();
  void BeginParserUpdate() { ++FParserUpdateCount; }
  void EndParserUpdate();
  Integer GetMaxCharWidth();
  Integer GetMaxCharHeight();
  TCustomVUVudi* Memo() const;
  // The text form of the collection (the colour-style file, extension ".RGB").
  void SaveColorStylesToFile(const std::string& FileName);
  void LoadColorStylesFromFile(const std::string& FileName);
  // The dialogs around the two above; false when cancelled.
  bool SaveColorStyles();
  bool LoadColorStyles();
  bool ParserChangedFlag = false;

private:
  // The largest of one text metric over the styles' fonts; -1 without styles.
  Integer MaxTextMetric(LONG TEXTMETRIC::*Field);
  Integer FParserUpdateCount = 0;
};

// One gutter picture: drawn on lines whose image bit of the same index is set, or for a bookmark number.
class TGutterImage : public Vivaridiriz::ZEZNamedItem {
  Z_CLASS(TGutterImage, ZEZNamedItem)
public:
  explicit TGutterImage(TCollection* ACollection);
  ~TGutterImage() override;
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  Integer BookmarkIndex() const { return FBookmarkIndex; }
  void SetBookmarkIndex(Integer Value);
  void FreeResources() {}

private:
  std::unique_ptr<TBitmap> FGlyph;
  Integer FBookmarkIndex = -1;
};

class ZEZGutterImages : public Dorazori::ZEZNamedItems {
  Z_CLASS(ZEZGutterImages, ZEZNamedItems)
public:
  explicit ZEZGutterImages(TComponent* AOwner);
  TGutterImage* GetItem(Integer Index) const { return static_cast<TGutterImage*>(Items(Index)); }
  // Adds an image whose glyph is the library's picture ResName ("MEMO_BREAKPOINT", "BIGBOOKMARK0".."9").
  TGutterImage* AddFromResource(const std::string& ResName, const std::string& Name, Integer BookmarkIndex);
};

// The library's own gutter pictures by resource name; false for an unknown name.
bool LoadGutterPicture(const std::string& ResName, TBitmap* Bitmap);

// One row break of a wrapped line.
struct TWordBreak {
  Integer Column = 0;  // where the next row begins (0-based)
  Integer Line = 0;
  Integer Width = 0, Height = 0, BaseLine = 0;  // of the row that ends here (0 in monospaced mode)
};

// The row breaks, ordered by line and column.
class TWordWrapList {
public:
  Integer Count() const { return static_cast<Integer>(FItems.size()); }
  const TWordBreak& operator[](Integer I) const { return FItems[static_cast<std::size_t>(I)]; }
  void Clear() { FItems.clear(); }
  void Add(const TWordBreak& B);
  // Position of the first break at or after (Column, Line) in line order.
  Integer LowerBound(Integer Column, Integer Line) const;
  // The last break at or before (Column, Line) in line order, or -1.
  Integer FindNear(Integer Column, Integer Line, bool& Exact) const;
  // In row order: the last break whose row (its line + position + 1) is at or before Row, or -1.
  Integer FindRow(Integer Row) const;
  void ClearRange(Integer FirstLine, Integer LastLine);
  Integer CountInLines(Integer FirstLine, Integer LastLine) const;

private:
  std::vector<TWordBreak> FItems;
};
using TLineInfoList = TWordWrapList;

// One remembered view of one source.
struct TStoredPosition {
  TCustomMemoSource* Source = nullptr;
  Integer WinLine = 0, WinChar = 0;
  TPoint Caret{};
};

// The views a control had on the sources it showed; an entry goes when its source is freed.
class TMemoPostionStore {
public:
  TMemoPostionStore();
  ~TMemoPostionStore();
  TMemoPostionStore(const TMemoPostionStore&) = delete;
  TMemoPostionStore& operator=(const TMemoPostionStore&) = delete;
  void SavePosition(TCustomVUVudi* Memo);
  void RestorePosition(TCustomVUVudi* Memo);
  const TStoredPosition* Find(TCustomMemoSource* Source) const;
  void Forget(TCustomMemoSource* Source);
  Integer Count() const { return static_cast<Integer>(FItems.size()); }

private:
  std::vector<TStoredPosition> FItems;
};

// The control's hint window: shown at once where the control asks, whatever the mouse does.
class TPopupHint : public Dccontrols::ZEZHint {
  Z_CLASS(TPopupHint, ZEZHint)
public:
  explicit TPopupHint(TComponent* AOwner) : ZEZHint(AOwner) {}
  bool IsHintInRect(const TRect&, const TPoint&) override { return true; }
};

// What a held mouse button is doing.
enum TMouseMode : Byte { mmNone, mmSelecting, mmDragging, mmMultiClick };

using TGetColorStyleEvent = std::function<void(TObject* Sender, const TPoint& APoint, Integer& AStyle)>;
using TMemoChangeEvent = std::function<void(TObject* Sender, Dcstring::TMemoStates State)>;
using TJumpToUrlEvent = std::function<void(TObject* Sender, const std::string& S, bool& Handled)>;
using TClickGutterEvent = std::function<void(TObject* Sender, Integer LinePos, Integer ImageIndex, TShiftState Shift)>;
using THintPopup = std::function<void(TObject* Sender, TStrings* Strings, bool& AllowPopup, TPopupType& PopupType)>;
using THintInsertEvent = std::function<void(TObject* Sender, std::string& S)>;
using TMemoScrollEvent = std::function<void(TObject* Sender, TScrollStyle ScrollStyle, Integer Delta)>;
using TVertScrollEvent = std::function<void(TObject* Sender, Integer TopLine, bool EndScroll, bool& ShowScrollHint,
                                            std::string& ScrollHint)>;
using TCustomStringEvent = std::function<void(TObject* Sender, std::string& S, std::string& ColorS)>;
using TCustomDrawEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& Rect, Integer LinePos, Integer CharPos,
                       const std::string& S, TDrawStates DrawState, bool& Handled)>;
using TDrawGutterEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& Rect, TDrawState DrawState, bool& OwnerDraw)>;
using TCollapseStateChanging = std::function<void(TObject* Sender, Integer LinePos, bool ACollapsed, bool& Handled)>;
using TCollapseStateChanged = std::function<void(TObject* Sender, Integer LinePos, bool ACollapsed)>;
using TExportStringEvent = std::function<void(TObject* Sender, std::string& S)>;
using TFindStringInPopupEvent =
    std::function<void(TObject* Sender, TStrings* Strings, const std::string& S, Integer& Index, bool& Handled)>;
using TGetLineNumberEvent = std::function<void(TObject* Sender, std::string& S, Integer& MaxLen)>;
using TBeforePrintEvent = std::function<void(TObject* Sender, std::string& S, TPrintType AType)>;
using TGetFontFromStyleEvent = std::function<void(TObject* Sender, Integer Style, TFont* Font, TColor& Color)>;

// The code editor control.
class TCustomVUVudi : public Dccommon::ZEZCustomControl {
  Z_CLASS(TCustomVUVudi, ZEZCustomControl)
  friend class TMemoPostionStore;

public:
  explicit TCustomVUVudi(TComponent* AOwner);
  ~TCustomVUVudi() override;
  void Loaded() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Dispatch(TMessage& Message) override;

  // --- state and properties -------------------------------------------------------------------------------------
  TCustomMemoSource* GetSource() const { return FMemoSource ? FMemoSource : FPrivateSource; }
  TCustomMemoSource* MemoSource() const { return FMemoSource; }
  void SetSource(TCustomMemoSource* Value);
  void SetMemoSource(TCustomMemoSource* Value) { SetSource(Value); }
  TStrings* GetLines() const { return GetSource()->Lines(); }
  void SetLines(TStrings* Value) { GetSource()->SetLines(Value); }
  std::string GetText() const { return GetLines()->Text(); }
  std::string GetText() override { return GetLines()->Text(); }
  void SetText(const std::string& S) override { GetLines()->SetText(S); }
  std::string GetCurPosText() const;
  std::string GetSelText() const;
  Integer SelLength() const { return static_cast<Integer>(GetSelText().size()); }
  void SetSelText(const std::string& S);
  void SetSelTextBuf(const char* Buffer) { SetSelText(Buffer ? std::string(Buffer) : std::string()); }
  Integer GetMaxLineLen() const;
  // Shows the arrow over the gutter and over selected text; true when it set the cursor itself.
  bool DoSetCursor();
  TBitmap* GetBackground() const { return FMemoBackground->Background(); }
  void SetBackground(TBitmap* V) { FMemoBackground->SetBackground(V); }
  bool GetReadOnly() const { return GetSource()->ReadOnly(); }
  void SetReadOnly(bool V) { GetSource()->SetReadOnly(V); }

  TMemoOptions Options() const { return FOptions; }
  void SetOptions(TMemoOptions Value);
  bool HasOption(TMemoOption O) const { return FOptions.Contains(O); }
  Integer MarginPos() const { return FMarginPos; }
  void SetMarginPos(Integer Value);
  Integer GutterWidth() const { return FGutterWidth; }
  void SetGutterWidth(Integer Value);
  Integer HorzMaxPos() const { return FHorzMaxPos; }
  void SetHorzMaxPos(Integer Value);
  Integer LeftIndent() const { return FLeftIndent; }
  void SetLeftIndent(Integer Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool UseMonoFont() const { return FUseMonoFont; }
  void SetUseMonoFont(bool Value);
  bool HideScrollBars() const { return FHideScrollBars; }
  void SetHideScrollBars(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool HideCaret() const { return FHideCaret; }
  void SetHideCaret(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool UseGlobalOptions() const { return FUseGlobalOptions; }
  virtual void SetUseGlobalOptions(bool Value);
  virtual void LoadGlobalOptions();
  Dcstring::TBlockOption BlockOption() const { return GetSource()->BlockOption(); }
  void SetBlockOption(Dcstring::TBlockOption Value);

  TColor SelColor() const { return FSelColor; }
  void SetSelColor(TColor V) { SetColorField(FSelColor, V); }
  TColor SelBackColor() const { return FSelBackColor; }
  void SetSelBackColor(TColor V) { SetColorField(FSelBackColor, V); }
  TColor MatchColor() const { return FMatchColor; }
  void SetMatchColor(TColor V) { SetColorField(FMatchColor, V); }
  TColor MatchBackColor() const { return FMatchBackColor; }
  void SetMatchBackColor(TColor V) { SetColorField(FMatchBackColor, V); }
  TColor DisabledColor() const { return FDisabledColor; }
  void SetDisabledColor(TColor V);
  TColor ReadOnlyColor() const { return FReadOnlyColor; }
  void SetReadOnlyColor(TColor V);
  TColor LineNumColor() const { return FLineNumColor; }
  void SetLineNumColor(TColor V) { SetColorField(FLineNumColor, V); }
  TColor LineNumBackColor() const { return FLineNumBackColor; }
  void SetLineNumBackColor(TColor V) { SetColorField(FLineNumBackColor, V); }
  TColor LineBookmarkColor() const { return FLineBookmarkColor; }
  void SetLineBookmarkColor(TColor V) { SetColorField(FLineBookmarkColor, V); }
  TColor GutterBackColor() const { return FGutterBackColor; }
  void SetGutterBackColor(TColor V) { SetColorField(FGutterBackColor, V); }
  TColor GutterLineColor() const { return FGutterLineColor; }
  void SetGutterLineColor(TColor V) { SetColorField(FGutterLineColor, V); }
  Integer GutterLineIndent() const { return FGutterLineIndent; }
  void SetGutterLineIndent(Integer V);
  TAlignment LineNumAlign() const { return FLineNumAlign; }
  void SetLineNumAlign(TAlignment V);
  TGutterImgsAlign GutterImgsAlign() const { return FGutterImgsAlign; }
  void SetGutterImgsAlign(TGutterImgsAlign V);
  Dcstring::TWordSelectionType WordSelectionType = Dcstring::wsWordOnly;
  ZEZPrintOptions PrintOptions{poShowProgress};
  Integer PrintIndent = 0;
  bool UseDefaultMenu = false;
  bool UsePrinterFont = false;
  TClipboardType ClipboardType() const { return FClipboardType; }
  void SetClipboardType(TClipboardType V) { FClipboardType = V; }
  bool PlainText() const { return FClipboardType == cbNormal; }
  void SetPlainText(bool V) { FClipboardType = V ? cbNormal : cbRtf; }
  const std::string& Version() const { return FVersion; }

  // The source's properties, forwarded (stored only without a MemoSource).
  Dcstring::TStringsOptions SrcStringsOptions() const { return GetSource()->Options(); }
  void SetSrcStringsOptions(Dcstring::TStringsOptions V) { GetSource()->SetOptions(V); }
  std::string SrcTabStops() const { return GetSource()->TabStops(); }
  void SetSrcTabStops(const std::string& V) { GetSource()->SetTabStops(V); }
  std::string SrcDelimeters() const { return GetSource()->Delimeters(); }
  void SetSrcDelimeters(const std::string& V) { GetSource()->SetDelimeters(V); }
  bool SrcAllowUndo() const { return GetSource()->AllowUndo(); }
  void SetSrcAllowUndo(bool V) { GetSource()->SetAllowUndo(V); }
  Integer SrcUndoLimit() const { return GetSource()->UndoLimit(); }
  void SetSrcUndoLimit(Integer V) { GetSource()->SetUndoLimit(V); }
  Dcstring::TOutFormatType SrcOutFormat() const { return GetSource()->OutFormat; }
  void SetSrcOutFormat(Dcstring::TOutFormatType V) { GetSource()->SetOutFormat(V); }
  Integer SrcBlockIndent() const { return GetSource()->BlockIndent(); }
  void SetSrcBlockIndent(Integer V) { GetSource()->SetBlockIndent(V); }
  Integer SrcSpacesInTab() const { return GetSource()->SpacesInTab(); }
  void SetSrcSpacesInTab(Integer V) { GetSource()->SetSpacesInTab(V); }
  bool SrcHighlightUrls() const { return GetSource()->HighlightUrls(); }
  void SetSrcHighlightUrls(bool V) { GetSource()->SetHighLightUrls(V); }
  std::string KeyMappingName() const { return KeyMapping(); }
  void SetKeyMappingName(const std::string& V) { SetKeyMapping(V); }

  TMemoFont* Font() const { return FFont.get(); }
  void SetFont(TFont* V) { FFont->Assign(V); }
  TMemoFont* PrinterFont() const { return FPrinterFont.get(); }
  void SetPrinterFont(TFont* V) { FPrinterFont->Assign(V); }
  TFont* TemplateFont() const { return FTemplateFont.get(); }
  void SetTemplateFont(TFont* V) { FTemplateFont->Assign(V); }
  TTextStyles* TextStyles() const { return FTextStyles.get(); }
  void SetTextStyles(TTextStyles* Value);
  ZEZGutterImages* GutterImgs() const { return FGutterImgs.get(); }
  void SetGutterImgs(ZEZGutterImages* Value) { FGutterImgs->Assign(Value); }
  TBrush* GutterBrush() const { return FGutterBrush.get(); }
  void SetGutterBrush(TBrush* V) { FGutterBrush->Assign(V); }
  TPen* MarginPen() const { return FMarginPen.get(); }
  void SetMarginPen(TPen* V) { FMarginPen->Assign(V); }
  TLineSeparator* LineSeparator() const { return FLineSeparator.get(); }
  void SetLineSeparator(TLineSeparator* V) { FLineSeparator->Assign(V); }
  TLineHighlight* LineHighlight() const { return FLineHighlight.get(); }
  void SetLineHighlight(TLineHighlight* V) { FLineHighlight->Assign(V); }
  TSpecialSymbols* SpecialSymbols() const { return FSpecialSymbols.get(); }
  void SetSpecialSymbols(TSpecialSymbols* V) { FSpecialSymbols->Assign(V); }
  Dccontrols::TControlBackground* MemoBackground() const { return FMemoBackground.get(); }
  void SetMemoBackground(Dccontrols::TControlBackground* V) { FMemoBackground->Assign(V); }
  Dccontrols::TControlBackground* GutterBackground() const { return FGutterBackground.get(); }
  void SetGutterBackground(Dccontrols::TControlBackground* V) { FGutterBackground->Assign(V); }
  Dccontrols::TBkgndOption BkgndOption() const { return FMemoBackground->BkgndOption(); }
  void SetBkgndOption(Dccontrols::TBkgndOption V) { FMemoBackground->SetBkgndOption(V); }
  bool TextStylesStored() const { return FStylesChanged; }
  bool GutterImgsStored() const { return FImagesChanged; }
  bool SourcePropsStored() const { return FMemoSource == nullptr; }
  const std::array<Integer, 10>& BookmarkImageMap() const { return FBookmarkImages; }

  // --- text styles ------------------------------------------------------------------------------------------------
  TFont* GetFontFromTextStyle(Integer Style);
  TColor GetFontColorFromTextStyle(Integer Style) { return GetFontFromTextStyle(Style)->Color(); }
  TColor GetColorFromTextStyle(Integer Style);
  bool IsUpperCaseStyle(Integer Style);
  bool EqualStyles(Integer A, Integer B, bool IgnoreColor);
  void GetSelColorsFromStyle(Integer Style, TColor& FontColor, TColor& BackColor);
  TColor CheckReadOnlyColor(TColor Value);
  TColor GetSelColor();
  TColor GetSelBkColor();
  virtual void DoGetFontFromStyle(Integer Style, TFont* Font, TColor& Color);
  void DoColorChanged();
  Integer TempHighlightLineWithStyle(Integer Line, const std::string& StyleName);
  void ToggleImageAndTextStyle(const std::string& Name);
  void TextStylesChanged(TObject* Sender);
  void UpdateMonoFontFlag();
  bool IsMemoFontMonoSpaced();
  bool MonoSpacedFont() const { return FMonoSpaced; }

  // --- metrics ----------------------------------------------------------------------------------------------------
  Integer GetAveLineHeight();
  Integer GetAveCharWidth();
  void UpdateLineHeight();
  void UpdateAVESize();
  void UpdateCharSp(Integer Count);
  void FreeCharSp() { FCharSp.clear(); }
  const std::vector<Integer>& CharSp() const { return FCharSp; }
  void FontOnChange(TObject* Sender);
  // Gives the control's font and colour to an attribute parser's first attributes.
  void AssignAttributeFont();

  // --- gutter -----------------------------------------------------------------------------------------------------
  Integer GetRealGutterWidth();  // 0 without moDrawGutter
  Integer GetPaintX();           // the text's left edge
  Integer LineNumbersWidth() const { return FLineNumWidth; }
  bool UpdateLineNumbersWidth();  // true when the width changed
  void OnGutterImgsChange(TObject* Sender);
  void CalcGutterImgSize(Integer Index, Integer& Width, Integer& Height);
  virtual bool DoPaintGutter(const TRect& Rect, TDrawState DrawState);

  // --- word wrap --------------------------------------------------------------------------------------------------
  void WordWrapLines(Integer First, Integer Last, bool Force);
  void SafeWordWrapLines(Integer First, Integer Last);
  void WordWrapUpdated();
  void CheckLastWrappedLine(Integer Line);
  void CheckWBCount(bool Force);
  Integer GetWrapMargin();
  Integer WrapColumns() const { return FWrapColumns; }
  Integer WrappedUpTo() const { return FWrappedUpTo; }
  const TWordWrapList& WordWrapList() const { return FWordWrapList; }
  void GetWBPosition(const TPoint& P, TPoint& D);
  void GetWBPositionEx(const TPoint& P, TPoint& D, Integer& RowStart);
  void GetRealPosition(const TPoint& D, TPoint& P);
  Integer GetRealLineIndex(Integer Row, Integer& RowStart);
  Integer GetWBStringLength(Integer Line, Integer Row, bool Flag);
  Integer GetWordBreakCount(Integer FirstLine, Integer FromColumn, Integer LastLine);
  Integer GetRealStrCount();
  Integer GetRealStrCountEx();
  void CheckBlockOptions(bool Switch);
  void GetWrapLines(TStrings* Strings);
  bool HideLines() const { return !FWordWrap && FOptions.Contains(moHideInvisibleLines); }
  Integer RealToVisible(Integer Line);
  Integer VisibleToReal(Integer Row);

  // --- conversion -------------------------------------------------------------------------------------------------
  void GetStrData(Integer Line, std::string& S, std::string& ColorS);
  Integer TextToPixelLine(const TPoint& P);
  Integer TextToPixelChar(const TPoint& P);
  TPoint TextToPixelPoint(const TPoint& P) { return {TextToPixelChar(P), TextToPixelLine(P)}; }
  TPoint GetCurentPosinPixels() { return TextToPixelPoint(GetSource()->GetCaretPoint()); }
  Integer PixelToTextChar(Integer Line, Integer Pos, bool Clamp, Integer X);
  void MouseToTextPoint(Integer X, Integer Y, TPoint& P, bool Clamp);
  void ConvertMousePos(Integer X, Integer Y, TPoint& P) { MouseToTextPoint(X, Y, P, false); }
  void ConvertMousePosEx(Integer X, Integer Y, TPoint& P, bool Clamp);
  bool IsPointVisible(const TPoint& P);
  void CenterScreenOnLine();
  void CenterScreenOnLineEx();
  Integer GetWrappedLineWidth(Integer Line, Integer& Pos, bool OneRow);
  Integer CalcSpacesSize(Integer Count, const TPoint& P);
  // P becomes its display point; with word wrap S and ColorS start at the row's first character.
  void GetStrDataEx(TPoint& P, std::string& S, std::string& ColorS);
  Integer GetRealLineHeight(Integer Line);
  Integer GetRealLineWidth(Integer Line);
  Integer GetBaseLine(Integer Line);
  Integer GetStringSize(Integer Line, Integer Start, Integer Count);
  // Width and height of Count characters of S from Start as the painter draws them; (0, 0) without a window.
  void CalcStringSize(const std::string& S, const std::string& ColorS, TSize& Size, Integer& Extra, Integer Count,
                      Integer Start);
  // Characters of S (from column Start) that fit into Rect.Right pixels; without Truncate a character counts
  // when at least half of it fits, and the rest of the width is filled with blanks.
  Integer SymbolsDrawn(Integer Line, Integer Start, const std::string& S, const std::string& ColorS, TRect& Rect,
                       Integer& Extra, bool Truncate);
  Integer GetWrappedLineHeightEx(Integer Line, Integer& Pos, bool Next, bool OneRow, Integer& BaseLine);
  Integer GetWrappedLineHeight(Integer Line);
  // Pixel height of the lines FromLine to ToLine - 1; the first counts from its row at Pos when Pos > 1.
  Integer LineToPixel(Integer FromLine, Integer ToLine, Integer Pos);
  // The line under client pixel Y; Pos gets the found row's first column + 1, Y the row's top offset.
  Integer PixelToTextLine(Integer& Y, Integer& Pos, bool Clamp);
  void TextAtMousePoint(const TPoint& P, std::string& S);
  // Row geometry: the height of a display row (a visible index), the pixel top of a row relative to the view's
  // top row, and the row under a client pixel Y with its top. In monospaced mode all rows have the average height.
  Integer RowHeight(Integer Row);
  Integer RowTop(Integer Row);
  Integer PixelToRow(Integer Y, Integer& Top);
  // The line and first column of a display row.
  Integer RowLine(Integer Row, Integer& RowStart);
  Integer VisibleRows();  // rows that fit into the client area (at least 1)

  // --- scrolling --------------------------------------------------------------------------------------------------
  Integer WinLine() const { return FWinLine; }
  Integer WinChar() const { return FWinChar; }
  void SetWinLine(Integer N) { ScrollScreenVert(N - FWinLine); }
  void SetWinChar(Integer N) { ScrollScreenHorz(N - FWinChar); }
  void ScrollScreenVert(Integer Delta);
  void ScrollScreenHorz(Integer Delta);
  void ScrollUp() { ScrollScreenVert(-1); }
  void ScrollDown() { ScrollScreenVert(1); }
  void ScrollLeft() { ScrollScreenHorz(-1); }
  void ScrollRight() { ScrollScreenHorz(1); }
  void ScrollPageUp();
  void ScrollPageDown();
  void ScrollPageLeft();
  void ScrollPageRight();
  void ModifyScrollBar(Integer ScrollBar, Integer ScrollCode, Integer Pos);
  virtual void VerticalScroll(Integer ScrollCode);
  virtual void DoMemoScroll(TScrollStyle ScrollStyle, Integer Delta);
  void UpdateScrollSize();
  void UpdateScrollPos();
  void UpdateMaxLine(bool Force);
  bool CharScrollSize();
  std::string LastScrollHint() const { return FLastScrollHint; }

  // --- caret and view ---------------------------------------------------------------------------------------------
  TPoint GetCaretPoint() const { return GetSource()->GetCaretPoint(); }
  void SetCaretPoint(const TPoint& P) { GetSource()->SetCaretPoint(P); }
  Integer GetCaretWidth();
  void GetCaretSize(TSize& Size);
  void CreateCaret();
  bool UpdateCaretMode();
  void UpdateCaret();
  void GetRealPoint(const TPoint& P, TPoint& R);
  void CheckRealPosition();
  void EnsureCaretVisible() { EnsurePointVisible(GetCaretPoint()); }
  void EnsurePointVisible(const TPoint& P);
  void RecalculatePosition();
  Integer GetMaxCaretChar() { return GetMaxCaretCharEx(false); }
  Integer GetMaxCaretCharEx(bool Flag);
  Integer GetMaxCaretLine() { return GetMaxCaretLineEx(ClientHeight()); }
  Integer GetMaxCaretLineEx(Integer Height);
  Integer GetCaretChar();
  Integer GetCaretLine();
  void MakeSearchPointVisible(const TRect& Rect, bool UseStart);
  void CheckVisibleIndex(Integer& Index, bool ToVisible);
  TPoint CaretPixel() const { return FCaretPixel; }
  TSize CaretSize() const { return {FCaretWidth, FCaretHeight}; }
  void GetNavigation(TObject* Sender, Integer& DeltaLine, Integer& DeltaChar);
  void GetLineHeight(TObject* Sender, Integer Index, Dcstring::TStringItem* Item);
  void DoSetFocus();
  void DoKillFocus();
  void UpdateHiddenSelection();

  // --- painting ---------------------------------------------------------------------------------------------------
  void InvalidateLines(Integer First, Integer Last);
  // Moves the picture by the view's change since (OldWinChar, OldWinLine) and repaints what came into view.
  void QuickPaint(Integer OldWinChar, Integer OldWinLine);
  bool NeedSyntaxPaint();
  // Whether the text point lies in the source's last found text.
  bool InFoundRect(Integer Column, Integer Line);
  bool DrawEof();

  // --- notifications ----------------------------------------------------------------------------------------------
  virtual void SourceChanged(TObject* Sender, NativeInt A, NativeInt B);
  virtual void StateChanged(Dcstring::TMemoStates State);
  virtual void SelectionChanged();
  virtual TCustomMemoSource* CreateDefaultMemoSource();
  virtual void DoCustomString(std::string& S, std::string& ColorS);
  virtual bool CustomDraw(TCanvas* Canvas, const TRect& Rect, TDrawStates DrawState, Integer LinePos, Integer CharPos,
                          const std::string& Text);
  virtual void DoGetColorStyle(const TPoint& P, Integer& Style);
  virtual void DoClickGutter(Integer Line, Integer ImageIndex, TShiftState Shift);
  virtual void MemoJumpToUrl(const std::string& Url);
  virtual bool CollapseStateChanging(Integer Line, Dcstring::TCollapseState State);
  virtual void CollapseStateChanged(Integer Line, Dcstring::TCollapseState State);
  virtual void CopyToClipboard();
  virtual void CutToClipboard();
  virtual void PasteFromClipboard();
  static TCustomVUVudi* GetConnectedMemo(TCustomMemoSource* Source);
  static void GetConnectedMemos(TCustomMemoSource* Source, TList* List);
  static Integer GetConnectedMemoCount(TCustomMemoSource* Source);
  TMemoPostionStore* PositionStore() const { return FPositionStore.get(); }
  TPopupHint* PopupHint() const { return FPopupHint.get(); }
  bool Ready() const { return FReady; }

  // --- caret moves and editing commands ----------------------------------------------------------------------------
  void MemoCursorUp();
  void MemoCursorDown();
  void MemoCursorLeft();
  void MemoCursorRight();
  void CheckCursorLeft();
  void MemoMarkUp();
  void MemoMarkDown();
  void MemoMarkLeft();
  void MemoJumpToLineBegin();
  void MemoJumpToLineEnd();
  void MemoMarkToLineBegin();
  void MemoMarkToLineEnd();
  void JumpToScreenTop();
  void JumpToScreenBottom();
  void JumpLeftMost();
  void JumpRightMost();
  void PageUp() { PageUpDown(false); }
  void PageDown() { PageUpDown(true); }
  void PageUpDown(bool Down);
  void PageLeft();
  void PageRight();
  void ProcessEscape();
  void PromptedGotoLine();
  void CenteredJumpTo(Integer Char, Integer Line);
  void InsertSpace() { InsertChar(' '); }
  bool MoveBlockToPosEx(bool Move);
  // Scrolls by whole wheel notches (120 units) and keeps the remainder.
  void MouseWheel(Integer Delta);
  void MarkToTop();
  void MarkToBottom();
  void MarkPageUp();
  void MarkPageDown();
  void MarkColToTop();
  void MarkColToBottom();
  void MarkColPageUp();
  void MarkColPageDown();

  // --- mouse ------------------------------------------------------------------------------------------------------
  void SetPosByMouse(Integer X, Integer Y);
  void DoSelTimer();
  // The caret move used while selecting with the mouse.
  void MMoveEvent();
  void KillTimer();
  void CancelDragging();
  bool PosInBlock(Integer Char, Integer Line);
  bool IsUrlUnderPoint(const TPoint& P, std::string& S, bool TestOnly);
  bool MouseAtHotString(Integer X, Integer Y);
  bool CheckMouseOnButton(Integer X, Integer Y, Integer& Line);
  Integer PointToImageIndex(Integer Line, Integer X);
  TMouseMode MouseMode() const { return FMouseMode; }

  // --- context menu and clipboard buffers -------------------------------------------------------------------------
  TPopupMenu* GetDefaultMenu();
  bool CanPaste();
  bool CheckMenuPopup();
  bool ContextMenu(const TPoint& P);
  void GetClipboardBuffer(UINT Format, TStream* Stream);
  void SetClipboardBuffer(UINT Format, const void* Buffer, Integer Size);
  void UndoClick(TObject* Sender);
  void CutClick(TObject* Sender);
  void CopyClick(TObject* Sender);
  void PasteClick(TObject* Sender);
  void DeleteClick(TObject* Sender);
  void SelectAllClick(TObject* Sender);

  // --- popup hints and list box -----------------------------------------------------------------------------------
  void KillHintTimer();
  virtual void PopupHintBox();
  bool PopupHintBoxEx(bool AutoHide);
  virtual bool ActivatePopupBox(TPopupType& PopupType);
  // Shows Text at a screen point in the control's hint window.
  void ShowPopupHint(const std::string& Text, const TPoint& ScreenPoint, bool AutoHide);
  void HidePopupHint();
  void ShowPopupListBox(TStrings* Strings);
  void ShowPopupListBoxEx(TStrings* Strings, const std::vector<TAlignment>& Alignments, Integer MaxSize);
  void FreePopupListBox();
  void PopupBoxKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void PopupBoxKeyPress(TObject* Sender, char& Key);
  virtual bool ClosePopupListBox(Word& Key, TShiftState Shift);
  virtual bool DoFindInPopupBox(TStrings* Strings, const std::string& S, Integer& Index);
  virtual void HintCallBack(TObject* Sender, Integer Index);
  virtual void InsertHint(const std::string& S);
  virtual void HintInsert(std::string& S);
  Dcedit::ZEZPopupListBox* PopupListBox() const { return FPopupListBox.get(); }
  TStrings* PopupStrings() const { return FPopupStrings.get(); }
  Integer HintDelay = 500;

  // --- code templates ---------------------------------------------------------------------------------------------
  void ShowCodeTemplates();
  virtual void MarkWordOnTemplate();
  void CodeTemplCallBack(TObject* Sender, Integer Index);
  virtual void TemplateInsert(TStrings* Strings);

  // --- printing and pictures --------------------------------------------------------------------------------------
  void PrintWithDialog();
  void Print();
  virtual TForm* CreatePrintDialog();
  virtual TForm* CreatePrintProgressDialog();
  std::string DoBeforePrint(const std::string& Text, TPrintType Kind);
  void DrawToMetaFile(TMetafile* Metafile, HDC ReferenceDC);
  void DrawToMetaFileEx(TMetafile* Metafile, HDC ReferenceDC, const TPoint& Offset);
  void DrawToBitmap(TBitmap* Bitmap);
  void DrawToBMPFile(const std::string& FileName);
  void DrawToEMFWMF(const std::string& FileName, bool Enhanced);
  void DrawToFile(const std::string& FileName, ZEZGraphicsFormat Format);
  void DrawBitmapToClipboard();
  void DrawMetaFileToClipboard(bool Enhanced);
  void CopyGraphicToClipboard(ZEZGraphicsFormat Format);

  TNotifyEvent OnChange;
  TGetColorStyleEvent OnGetColorStyle;
  TMemoChangeEvent OnStateChange;
  TNotifyEvent OnSelectionChange;
  TJumpToUrlEvent OnJumpToUrl;
  TClickGutterEvent OnClickGutter;
  THintPopup OnHintPopup;
  Dcstring::TStringsEvent OnTemplateInsert;
  THintInsertEvent OnHintInsert;
  Dcstring::TCreateDialogEvent OnCreateDialog;
  TMemoScrollEvent OnMemoScroll;
  TVertScrollEvent OnVerticalScroll;
  TCustomStringEvent OnCustomString;
  TCustomDrawEvent OnCustomDraw;
  TDrawGutterEvent OnDrawGutter;
  TCollapseStateChanging OnCollapseStateChanging;
  TCollapseStateChanged OnCollapseStateChanged;
  TExportStringEvent OnExportString;
  TFindStringInPopupEvent OnFindStringInPopup;
  TGetLineNumberEvent OnGetLineNumber;
  TBeforePrintEvent OnBeforePrint;
  TNotifyEvent OnMouseLeave;
  TGetFontFromStyleEvent OnGetFontFromStyle;

protected:
  void InitDefaultKeyMapping() override;
  void CreateHandle() override;
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool InsertChar(char Ch) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  // Message handlers.
  void WMTimer(TMessage& Message);
  void WMEditMessage(TMessage& Message);  // the edit-control messages
  void WMMouseWheel(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMRButtonUp(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);

  // The painter's pieces.
  void PaintGutter(TCanvas* C, const TRect& Clip);
  void PaintLine(TCanvas* C, Integer Line, Integer RowStart, Integer RowEnd, Integer Y, Integer RowHeight,
                 bool LastRow);
  void PaintMargin(TCanvas* C, const TRect& Clip);

private:
  void SetColorField(TColor& Field, TColor Value);
  void RegisterWithSource(TCustomMemoSource* S, bool Full);
  void UnregisterFromSource(TCustomMemoSource* S);
  void TakeActive(TCustomMemoSource* S);
  void DoBoundsChanged();
  void RewrapAll() { WordWrapLines(0, Dcstring::MaxInt, true); }
  Integer TextWidthForBounds();
  void DrawGutterImage(TCanvas* C, Integer Index, Integer& X, Integer Y, Integer RowHeight, Integer RightLimit);

  TCustomMemoSource* FPrivateSource = nullptr;
  TCustomMemoSource* FMemoSource = nullptr;
  std::vector<Integer> FCharSp;
  std::unique_ptr<Dcedit::ZEZPopupListBox> FPopupListBox;
  bool FHideCaret = false;
  std::array<Integer, 10> FBookmarkImages{};
  TColor FDisabledColor = clGrayText;
  TColor FReadOnlyColor = clWindow;
  TPoint FOffScreenSize{};  // the picture's size while drawing into a metafile
  bool FDrawingToPicture = false;
  Integer FLineNumDigits = 0;
  TAlignment FLineNumAlign = taRightJustify;
  TColor FGutterBackColor = clWindow;
  TColor FLineBookmarkColor = clRed;
  Integer FLineNumWidth = 0;
  TColor FSelColor = clHighlightText;
  TColor FSelBackColor = clHighlight;
  Integer FHorzMaxPos = 512;
  TMouseMode FMouseMode = mmNone;
  TPoint FMouseTextPos{};  // the mouse's text point at the last selection step
  TPoint FSelAnchor{};     // the caret when the gesture began
  bool FMovingRight = false;
  bool FEndSnapped = false;
  bool FAnchorSnapped = false;
  bool FHintTimerStarted = false;
  bool FHintTimerFired = false;
  std::unique_ptr<TTextStyles> FTextStyles;
  std::unique_ptr<ZEZGutterImages> FGutterImgs;
  TGutterImgsAlign FGutterImgsAlign = iaLeft;
  std::unique_ptr<TPen> FMarginPen;
  std::unique_ptr<TBrush> FGutterBrush;
  Integer FGutterWidth = 32;
  Integer FMarginPos = 80;
  TMemoOptions FOptions{moThumbTracking, moColorSyntax};
  TRect FPaintRect{};
  TCanvas* FDrawCanvas = nullptr;  // the memory canvas while a background picture is painted
  Integer FWinLine = 0;
  Integer FWinChar = 0;
  TPoint FLastCaretDisplay{-1, -1};
  TScrollStyle FScrollBars = ssNone;
  TBorderStyle FBorderStyle = bsSingle;
  Integer FLineHeight = 0;
  Integer FCharWidth = 0;
  std::unique_ptr<TMemoFont> FFont;
  std::unique_ptr<TFont> FTemplateFont;
  std::unique_ptr<TMemoFont> FPrinterFont;
  TColor FGutterLineColor = clGray;
  TColor FMatchColor = clLime;
  TColor FMatchBackColor = clWindowText;
  TColor FLineNumColor = clWindowText;
  bool FUseGlobalOptions = false;
  std::int16_t FWheelRemainder = 0;
  bool FHideSelection = false;
  std::unique_ptr<TStringList> FTemplateList;
  std::unique_ptr<TStringList> FPopupStrings;
  Integer FCaretWidth = 0;
  Integer FCaretHeight = 0;
  Integer FThinCaretWidth = 2;
  Integer FLeftIndent = 0;
  std::unique_ptr<TLineSeparator> FLineSeparator;
  std::unique_ptr<TLineHighlight> FLineHighlight;
  std::unique_ptr<TSpecialSymbols> FSpecialSymbols;
  std::unique_ptr<Dccontrols::TControlBackground> FMemoBackground;
  std::unique_ptr<Dccontrols::TControlBackground> FGutterBackground;
  bool FHideScrollBars = false;
  bool FStylesChanged = false;
  bool FImagesChanged = false;
  bool FHotLinkPressed = false;
  bool FCollapseButtonPressed = false;
  bool FGutterPressed = false;
  std::unique_ptr<TMemoPostionStore> FPositionStore;
  std::unique_ptr<TPopupHint> FPopupHint;
  TPoint FHintAnchor{};
  TCursor FSavedCursor = crDefault;
  std::string FVersion = "4.11";
  Integer FGutterLineIndent = 0;
  bool FUseMonoFont = true;
  Integer FCaretBaseLine = 0;
  bool FGoalValid = false;
  Integer FGoalX = 0;
  Integer FGoalWinChar = 0;
  Integer FCurStyle = -1;     // the style of the run being drawn
  TFont* FCurFont = nullptr;  // and its font
  bool FReady = false;
  bool FMonoSpaced = true;
  TPopupMenu* FDefaultMenu = nullptr;  // owned as a component of the control
  TClipboardType FClipboardType = cbNormal;
  bool FStyleLock = false;
  Integer FTemplateColumn = 0;
  Cardinal FLastDblClickTime = 0;
  TPoint FLastDblClickPoint{};
  std::vector<TPoint> FBookmarkPoints;  // the line bookmarks of the row being drawn
  bool FWordWrap = false;
  TWordWrapList FWordWrapList;
  TLineInfoList FLineInfoList;
  Integer FWrapColumns = 1;
  bool FBlockOptionSwitched = false;
  Dcstring::TBlockOption FSavedBlockOption = Dcstring::bkBoth;
  Integer FWrappedUpTo = 0;
  bool FWrapping = false;
  bool FDeepColor = true;
  TPoint FPageSize{};  // the printable size while the control is a print clone
  TColor FLineNumBackColor = clWindow;
  std::unique_ptr<TBitmap> FTextOutBitmap;
  TPoint FCaretPixel{-5, -5};
  bool FCaretCreated = false;
  std::string FLastScrollHint;
  Integer FLastTextWidth = 0;
  bool FWindowScrolled = false;  // the window's picture was already moved with the view
};

// Publishes the control.
class ZEZMemo : public TCustomVUVudi {
  Z_CLASS(ZEZMemo, TCustomVUVudi)
public:
  explicit ZEZMemo(TComponent* AOwner) : TCustomVUVudi(AOwner) {}
  static void Publish(TMetaClass& Meta);
};

// The global options of the code editor controls (one per process), stored in the "CodeEdit\\" group.
class TMemoEnvOptions : public Dorazori::TOptionExt {
  Z_CLASS(TMemoEnvOptions, Dorazori::TOptionExt)
public:
  TMemoEnvOptions();
  ~TMemoEnvOptions() override;
  static void Publish(TMetaClass& Meta);
  std::string GetKey() override { return "CodeEdit\\"; }
  void InitValues() override;
  // Tells every control in EnvOptObjectList (those with UseGlobalOptions load the new values).
  void Update() override { Changed(); }
  void Assign(TPersistent* Source) override;
  Integer MarginPos = 80;
  Integer GutterWidth = 32;
  TMemoOptions Options{moDrawMargin, moDrawGutter, moThumbTracking, moColorSyntax};
  std::string KeyMapping = "Default";
  TColor Color = clWindow;
  bool UseMonoFont = true;
  TColor ReadOnlyColor = clWindow;
  TBrush* GutterBrush() const { return FGutterBrush.get(); }
  void SetGutterBrush(TBrush* V) { FGutterBrush->Assign(V); }
  TPen* MarginPen() const { return FMarginPen.get(); }
  void SetMarginPen(TPen* V) { FMarginPen->Assign(V); }
  TMemoFont* Font() const { return FFont.get(); }
  void SetFont(TFont* V) { FFont->Assign(V); }
  TTextStyles* TextStyles() const { return FTextStyles.get(); }
  void SetTextStyles(TTextStyles* V) { FTextStyles->Assign(V); }
  TLineSeparator* LineSeparator() const { return FLineSeparator.get(); }
  void SetLineSeparator(TLineSeparator* V) { FLineSeparator->Assign(V); }
  TLineHighlight* LineHighlight() const { return FLineHighlight.get(); }
  void SetLineHighlight(TLineHighlight* V) { FLineHighlight->Assign(V); }
  TSpecialSymbols* SpecialSymbols() const { return FSpecialSymbols.get(); }
  void SetSpecialSymbols(TSpecialSymbols* V) { FSpecialSymbols->Assign(V); }
  void Changed();

private:
  std::unique_ptr<TBrush> FGutterBrush;
  std::unique_ptr<TPen> FMarginPen;
  std::unique_ptr<TMemoFont> FFont;
  std::unique_ptr<TTextStyles> FTextStyles;
  std::unique_ptr<TLineSeparator> FLineSeparator;
  std::unique_ptr<TLineHighlight> FLineHighlight;
  std::unique_ptr<TSpecialSymbols> FSpecialSymbols;
};

TMemoEnvOptions* GlobalMemoOptions();
// Every control, in creation order; the objects that hear the option-update message.
TList* MemoList();
TList* EnvOptObjectList();
using TEnumTextStylesProc = void (*)(void* Data, const std::string& Name);
void EnumTextStyles(TEnumTextStylesProc Proc, void* Data);
void RemoveExtraStyles();
inline constexpr UINT CM_UPDATEOPTIONS = 0x81F;

}  // namespace Vuvudi

Z_ENUM_TYPEINFO(Vuvudi::TMemoOption, "moDrawMargin", "moDrawGutter", "moThumbTracking", "moDblClickLine",
                "moColorSyntax", "moLineNumbers", "moOverwriteCaret", "moLeftIndent", "moDisableDrag",
                "moSelectOnlyText", "moLineNumbersOnGutter", "moNotePadCursorStyle", "moBreakWordAtMargin",
                "moDrawSpecialSymbols", "moDisableRightClickMove", "moColoredLineStyle", "moDisableInvertedSel",
                "moHideInvisibleLines", "moDrawLineBookmarks", "moShowScrollHint", "moUseReadOnlyColor",
                "moExtendedSel", "moCenterOnBookmark", "moTripleClick", "moLimitLineNumbers")
Z_ENUM_TYPEINFO(Vuvudi::ZEZPrintOption, "poWrapLines", "poInColor", "poPrintSel", "poPrintHeader", "poLineNumbers",
                "poPrintSyntax", "poShowProgress")
Z_ENUM_TYPEINFO(Vuvudi::TGutterImgsAlign, "iaLeft", "iaRight")
Z_ENUM_TYPEINFO(Vuvudi::TClipboardType, "cbNormal", "cbRtf")
Z_ENUM_TYPEINFO(Vuvudi::TUpdateMemoColors, "mcNone", "mcText", "mcSelection", "mcSearchMatch")
Z_ENUM_TYPEINFO(Vuvudi::TSeparatorOption, "moDrawLineSeparator", "moWrappedLineSeparator")
Z_ENUM_TYPEINFO(Vuvudi::TShapeHighlightType, "shDoubleLine", "shSingleLine")
