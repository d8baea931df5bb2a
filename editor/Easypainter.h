// The painter: the only place where text positions become pixels and back. It works on a fixed grid (every
// cell the font's average character width, every row the line height), prepares one record per page region
// of a paint pass and draws one display row of a line at a time.
#pragma once

#include "editor/Easyattributes.h"
#include "platform/graphics/Graphics.h"
#include "platform/win/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

class TCustomEasyEdit;

// One region of a paint pass.
class TCustomPainterRecord {
public:
  virtual ~TCustomPainterRecord() = default;
  TRect Rect;
  TRect VisibleRect;
  TRect PageTextRect;
  int FirstVisibleLine = 0;
  int FirstVisibleChar = 0;
  int PageFirstLine = 0;
  int PageFirstChar = 0;
  int GutterOffset = 0;
  int PageIndex = 0;
};

class TSimplePainterRecord : public TCustomPainterRecord {
public:
  int FirstCol = 0;
  int LastCol = 0;
};

class TCustomEasyPainter : public TObject {
  Z_CLASS(TCustomEasyPainter, TObject)
public:
  using TConstructorArg = TCustomEasyEdit*;
  explicit TCustomEasyPainter(TCustomEasyEdit* AEdit);
  ~TCustomEasyPainter() override;
  TCustomEasyPainter(const TCustomEasyPainter&) = delete;
  TCustomEasyPainter& operator=(const TCustomEasyPainter&) = delete;

  virtual int* GetBuffer(int N) { (void)N; return nullptr; }
  virtual void FreeBuffer() {}
  virtual void GetFontAndColor(int Style, TColor& Bk, TFontStyles& FontStyle, TColor& FontColor) = 0;
  virtual TCustomPainterRecord* NewPainterRecord() { return new TCustomPainterRecord(); }
  virtual int LinesOnPage(const TPoint& Origin, const TRect& R, int& LastChar) = 0;
  virtual void ScrollPageSize(const TRect& R, TSize& Size) = 0;
  virtual void InitWordWrap(int Width, const std::string& Delimiters);
  virtual void InitPainterRecord(TCustomPainterRecord* Record) = 0;
  virtual int PaintLine(int Char, int Line, const std::string& Text, const std::string& Marks, TRect& R,
                        char EolMark) = 0;
  virtual int GetTopLineHeight() = 0;
  virtual int GetDefaultCharWidth() = 0;
  virtual int GetDefaultLineHeight() = 0;
  virtual int GetLineHeight(int Line, int Char, bool AtRowEnd) = 0;
  virtual int GetCharWidth(int Line, int Char) = 0;
  virtual int GetOffsetFromChar(int N) = 0;
  virtual TSize GetCaretSize() = 0;
  virtual void FontChanged(TObject* Sender);
  virtual int GetWrapLenForLine(int Line, const std::string& Text, int Width) = 0;
  virtual TPoint TextToPixelPoint(TPoint P, TPoint Origin, bool OriginIsRow, bool AtRowEnd) = 0;
  virtual TPoint PixelToTextPoint(TPoint Pixel, TPoint Origin, int Limit, bool OriginIsRow, bool ClampToRow,
                                  bool AllowRowEnd, bool NoRound) = 0;
  virtual int PixelToTextChar(int& Row, int X, bool ClampToRow, bool AllowRowEnd, bool NoRound) = 0;

  // The records of the current paint pass.
  int RecordCount() const { return static_cast<int>(Records.size()); }
  TCustomPainterRecord* Record(int I) const { return Records[static_cast<std::size_t>(I)].get(); }
  void ClearRecords() { Records.clear(); }
  void AddRecord(TCustomPainterRecord* R) { Records.emplace_back(R); }

  std::vector<std::unique_ptr<TCustomPainterRecord>> Records;
  int WrapWidth = 0;
  TCustomPainterRecord* CurrentRecord = nullptr;
  TCanvas* Canvas = nullptr;
  bool Transparent = false;
  bool LiveSpell = false;
  bool HighlightUrls = false;
  TCustomEasyEdit* Edit;
  std::vector<int> Buffer;
  int MeasureLock = 0;
};

class TEasyPainter : public TCustomEasyPainter {
  Z_CLASS(TEasyPainter, TCustomEasyPainter)
public:
  using TConstructorArg = TCustomEasyEdit*;
  explicit TEasyPainter(TCustomEasyEdit* AEdit);

  int* GetBuffer(int N) override;
  void FreeBuffer() override;
  void GetFontAndColor(int Style, TColor& Bk, TFontStyles& FontStyle, TColor& FontColor) override;
  TCustomPainterRecord* NewPainterRecord() override { return new TSimplePainterRecord(); }
  int LinesOnPage(const TPoint& Origin, const TRect& R, int& LastChar) override;
  void ScrollPageSize(const TRect& R, TSize& Size) override;
  void InitWordWrap(int Width, const std::string& Delimiters) override;
  void InitPainterRecord(TCustomPainterRecord* Record) override;
  int PaintLine(int Char, int Line, const std::string& Text, const std::string& Marks, TRect& R,
                char EolMark) override;
  int GetTopLineHeight() override { return LineHeight(); }
  int GetDefaultCharWidth() override { return CharWidth(); }
  int GetDefaultLineHeight() override { return LineHeight(); }
  int GetLineHeight(int, int, bool) override { return LineHeight(); }
  int GetCharWidth(int, int) override { return CharWidth(); }
  int GetOffsetFromChar(int N) override;
  TSize GetCaretSize() override;
  void FontChanged(TObject* Sender) override;
  int GetWrapLenForLine(int, const std::string&, int) override { return WrapLen; }
  TPoint TextToPixelPoint(TPoint P, TPoint Origin, bool OriginIsRow, bool AtRowEnd) override;
  TPoint PixelToTextPoint(TPoint Pixel, TPoint Origin, int Limit, bool OriginIsRow, bool ClampToRow,
                          bool AllowRowEnd, bool NoRound) override;
  int PixelToTextChar(int& Row, int X, bool ClampToRow, bool AllowRowEnd, bool NoRound) override;
  virtual int GetStringWidth(TFont* Font, const std::string& S);
  virtual void PaintString(int RowStart, int Line, TColor StyleFore, TColor StyleBack, const std::string& Text,
                           const std::string& Marks, TRect& R);
  virtual int GetWrapLineHeight(int Row) { (void)Row; return LineHeight(); }

  // The grid: cell width, row height and the text's base line, computed once per font change.
  int CharWidth();
  int LineHeight();
  int BaseLine();
  // The style code of the character at display column Column of Line, after OnGetDrawStyle.
  int GetSyntaxData(int Line, int Column);

  int LineHeightCache = 0;
  int CharWidthCache = 0;
  int BaseLineCache = 0;
  int WrapLen = 0;

private:
  void ComputeMetrics();
  int PaintWrapLine(int RowStart, int RowEnd, int Line, TColor StyleFore, TColor StyleBack, const std::string& Text,
                    const std::string& Marks, TRect& R, char EolMark);
  void SyntaxPaint(const std::string& Text, const std::string& Marks, int Column, int Line, TColor StyleFore,
                   TColor StyleBack, TRect& R);
  void InternalTextOut(const TRect& R, const std::string& Text, const std::string& Marks, TFontStyles FontStyle,
                       TColor FontColor, TColor Bk, int Column, int Line, bool Misspelled, TColor StyleFore,
                       TColor StyleBack);
  void DoTextOut(const TRect& R, const char* Text, int Count, TFontStyles FontStyle, TColor FontColor, TColor Bk,
                 bool InSel, bool InSearch, bool IsMark, TColor StyleFore, TColor StyleBack);
  void PaintRest(bool HasSel, const TRect& R, int SelStart, int SelEnd, TColor StyleFore, TColor StyleBack);
  HFONT StyledFont(TFontStyles Style);
  // The editor font in each combination of styles, made on first use and dropped when the font changes.
  std::unique_ptr<TFont> FStyledFonts[16];
};

// Style codes at or above this mark a misspelled word (its real style is the code minus the mark).
inline constexpr int EasyMisspelledStyle = 32767;
// The style code of an address found in the text.
inline constexpr int EasyUrlStyle = 32759;
