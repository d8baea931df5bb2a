// The painter: the grid metrics, text <-> pixel mapping and the drawing of one display row.
#include "editor/Easypainter.h"

#include "editor/Easyeditor.h"
#include "editor/Easyfontman.h"
#include "editor/Easyutils.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>
#include <cstring>

Z_IMPLEMENT_CLASS(TCustomEasyPainter, TObject)
Z_IMPLEMENT_CLASS(TEasyPainter, TCustomEasyPainter)

namespace {

constexpr int MaxInt = EasyMaxInt;
constexpr int ChunkLimit = 512;

// Floor division, so that rows above the origin count as negative rows.
int FloorDiv(int A, int B) { return A >= 0 ? A / B : -((-A + B - 1) / B); }

TFontStyles ToFontStyles(TEasyFontStyles S) { return S; }

int StylesMask(TFontStyles S) { return static_cast<int>(S.ToMask()); }

}  // namespace

// ---- TCustomEasyPainter ----

TCustomEasyPainter::TCustomEasyPainter(TCustomEasyEdit* AEdit) : Edit(AEdit) {}

TCustomEasyPainter::~TCustomEasyPainter() = default;

void TCustomEasyPainter::InitWordWrap(int Width, const std::string&) { WrapWidth = Width; }

void TCustomEasyPainter::FontChanged(TObject*) {}

// ---- TEasyPainter: metrics ----

TEasyPainter::TEasyPainter(TCustomEasyEdit* AEdit) : TCustomEasyPainter(AEdit) { Buffer.assign(ChunkLimit, 0); }

void TEasyPainter::ComputeMetrics() {
  TFont* Font = Edit->Font();
  const TEasyFontInfo Info = GetFontInfo(Font->Handle());
  CharWidthCache = std::max(Info.AveCharWidth, 1);
  LineHeightCache = std::max(Info.Height, 1);
  BaseLineCache = Info.Ascent;
  if (TCustomEasyParser* Parser = Edit->GetParser()) {
    const int Own = StylesMask(Font->Style());
    bool Seen[16] = {};
    for (int S = 0; S < Parser->GetStyleCount(); ++S) {
      Integer Color = 0;
      TEasyFontStyles Style;
      Parser->GetFont(S, Color, Style);
      const TFontStyles FS = ToFontStyles(Style);
      const int Mask = StylesMask(FS);
      if (Mask == Own || Seen[Mask]) {
        continue;
      }
      Seen[Mask] = true;
      LineHeightCache = std::max(LineHeightCache, GetFontInfo(StyledFont(FS)).Height);
    }
  }
  for (int& W : Buffer) {
    W = CharWidthCache;
  }
}

int TEasyPainter::CharWidth() {
  if (CharWidthCache == 0) {
    ComputeMetrics();
  }
  return CharWidthCache;
}

int TEasyPainter::LineHeight() {
  if (LineHeightCache == 0) {
    ComputeMetrics();
  }
  return LineHeightCache;
}

int TEasyPainter::BaseLine() {
  if (LineHeightCache == 0) {
    ComputeMetrics();
  }
  return BaseLineCache;
}

HFONT TEasyPainter::StyledFont(TFontStyles Style) {
  std::unique_ptr<TFont>& F = FStyledFonts[StylesMask(Style) & 15];
  if (!F) {
    F = std::make_unique<TFont>();
    F->Assign(Edit->Font());
    F->SetStyle(Style);
  }
  return F->Handle();
}

int* TEasyPainter::GetBuffer(int N) {
  if (N > static_cast<int>(Buffer.size())) {
    Buffer.assign(static_cast<std::size_t>(N), CharWidth());
  }
  return Buffer.data();
}

void TEasyPainter::FreeBuffer() { Buffer.clear(); }

void TEasyPainter::FontChanged(TObject*) {
  for (auto& F : FStyledFonts) {
    F.reset();
  }
  LineHeightCache = CharWidthCache = BaseLineCache = 0;
  Buffer.assign(ChunkLimit, 0);
  ComputeMetrics();
}

int TEasyPainter::GetOffsetFromChar(int N) { return N == MaxInt ? MaxInt : N * CharWidth(); }

TSize TEasyPainter::GetCaretSize() {
  const int W = EditOverwrite && Edit->Options().Contains(eoOverwriteCaret) ? CharWidth() : 2;
  return TSize{W, LineHeight()};
}

void TEasyPainter::ScrollPageSize(const TRect& R, TSize& Size) {
  const int W = R.Right - R.Left;
  const int H = R.Bottom - R.Top;
  Size.cx = W > 0 ? W / CharWidth() : -1;
  Size.cy = H > 0 ? H / LineHeight() : -1;
}

void TEasyPainter::InitWordWrap(int Width, const std::string& Delimiters) {
  TCustomEasyPainter::InitWordWrap(Width, Delimiters);
  WrapLen = std::max(Width / CharWidth(), 1);
}

int TEasyPainter::GetStringWidth(TFont*, const std::string& S) { return static_cast<int>(S.size()) * CharWidth(); }

// ---- mapping ----

// The display row of a text position in wrapped text; lines below the last wrapped row count one row each.
static int WrapRowOf(TCustomEasyEdit* Edit, const TPoint& P, bool AtRowEnd, int* Column) {
  TEasyWrapList* List = Edit->WrapList();
  const int I = List->IndexFromPoint(P, AtRowEnd);
  if (I >= 0) {
    if (Column) {
      *Column = P.X == MaxInt ? MaxInt : P.X - List->Row(I).StartChar;
    }
    return I;
  }
  if (Column) {
    *Column = P.X;
  }
  if (List->Count() > 0 && P.Y > List->Row(List->Count() - 1).Line) {
    return List->Count() - 1 + (P.Y - List->Row(List->Count() - 1).Line);
  }
  return P.Y;
}

TPoint TEasyPainter::TextToPixelPoint(TPoint P, TPoint Origin, bool OriginIsRow, bool AtRowEnd) {
  TPoint R;
  if (P.Y == MaxInt) {
    R.X = P.X == MaxInt ? MaxInt : P.X * CharWidth();
    R.Y = MaxInt;
    return R;
  }
  if (Edit->WordWrap()) {
    int Column = P.X;
    const int Row = WrapRowOf(Edit, P, AtRowEnd, &Column);
    // A page may start inside a line: the origin's own column names its row.
    const int OriginRow = OriginIsRow ? Origin.Y : WrapRowOf(Edit, Origin, false, nullptr);
    R.X = Column == MaxInt ? MaxInt : Column * CharWidth();
    R.Y = (Row - OriginRow) * LineHeight();
    return R;
  }
  R.X = P.X == MaxInt ? MaxInt : P.X * CharWidth();
  int Row = P.Y;
  int OriginRow = Origin.Y;
  if (Edit->InvisibleLines()) {
    Edit->GetVisibleLineIndex(Row);
    if (!OriginIsRow) {
      Edit->GetVisibleLineIndex(OriginRow);
    }
  }
  R.Y = (Row - OriginRow) * LineHeight();
  return R;
}

TPoint TEasyPainter::PixelToTextPoint(TPoint Pixel, TPoint Origin, int Limit, bool OriginIsRow, bool ClampToRow,
                                      bool AllowRowEnd, bool NoRound) {
  int OriginRow = Origin.Y;
  if (!OriginIsRow) {
    if (Edit->WordWrap()) {
      OriginRow = WrapRowOf(Edit, Origin, false, nullptr);
    } else if (Edit->InvisibleLines()) {
      Edit->GetVisibleLineIndex(OriginRow);
    }
  }
  int Y = Pixel.Y;
  if (Limit != MaxInt) {
    Y = std::min(Y, Limit);
  }
  const int H = LineHeight();
  int Row = FloorDiv(Y, H);
  if (Limit != MaxInt && Row > 0 && Limit < (Row + 1) * H) {
    --Row;
  }
  Row += OriginRow;
  int Line = Row;
  const int Column = PixelToTextChar(Line, Pixel.X, ClampToRow, AllowRowEnd, NoRound);
  if (!Edit->WordWrap() && Edit->InvisibleLines()) {
    Edit->GetRealLineIndex(Line);
  }
  return TPoint{Column, Line};
}

int TEasyPainter::PixelToTextChar(int& Row, int X, bool, bool, bool NoRound) {
  int Column = MaxInt;
  if (X != MaxInt) {
    const int W = CharWidth();
    Column = std::max(X, 0) / W;
    if (!NoRound && 2 * (std::max(X, 0) % W) > W) {
      ++Column;
    }
  }
  if (!Edit->WordWrap() || Row < 0) {
    return Column;
  }
  // Wrapped text: Row is a display row; it becomes the row's line, and the column is limited to the row.
  TEasyWrapList* List = Edit->WrapList();
  int I = 0;
  if (MeasureLock > 0 && Row >= List->Count()) {
    // Measuring past the rows wrapped so far wraps nothing: each further row counts as one more line.
    if (List->Count() == 0) {
      return Column;
    }
    I = List->Count() - 1;
  } else {
    I = List->IndexFromWrapPoint(TPoint{0, Row});
    if (I < 0) {
      return Column;
    }
  }
  const TEasyWrapRow& R = List->Row(I);
  if (Row > I) {
    Row = R.Line + (Row - I);
    return Column;
  }
  Row = R.Line;
  if (Column != MaxInt && R.EndChar != MaxInt) {
    Column = std::min(Column, R.EndChar - R.StartChar);
  }
  return Column == MaxInt ? MaxInt : Column + R.StartChar;
}

void TEasyPainter::InitPainterRecord(TCustomPainterRecord* Record) {
  auto* R = static_cast<TSimplePainterRecord*>(Record);
  const int W = CharWidth();
  const int H = LineHeight();
  const TRect& Page = R->PageTextRect;
  R->FirstCol = std::max(FloorDiv(R->Rect.Left - Page.Left, W), 0);
  R->LastCol = FloorDiv(R->Rect.Right - Page.Left, W) + 1;
  R->Rect.Left = Page.Left + R->FirstCol * W;
  R->Rect.Top = Page.Top + FloorDiv(R->Rect.Top - Page.Top, H) * H;
  if (Edit->WordWrap()) {
    // Wrapped text is painted by display rows: the record's first visible line is the display row at its top.
    // A page's origin is a text position (its first row may start inside a line); the plain view's is a row.
    TEasyWrapList* List = Edit->WrapList();
    const bool Paged = Edit->NeedPages() && Edit->Pages()->Count() > 0;
    const int OriginRow =
        Paged ? WrapRowOf(Edit, TPoint{R->PageFirstChar, R->PageFirstLine}, false, nullptr) : R->PageFirstLine;
    const int Row = OriginRow + FloorDiv(R->Rect.Top - Page.Top, H);
    R->FirstVisibleLine = Row;
    const int Start = Row >= 0 && Row < List->Count() ? List->Row(Row).StartChar : 0;
    R->FirstVisibleChar = Start == 0 ? 0 : Start + 1;
    return;
  }
  ++MeasureLock;
  const TPoint P = PixelToTextPoint(TPoint{0, R->Rect.Top - Page.Top}, TPoint{R->PageFirstChar, R->PageFirstLine},
                                    MaxInt, true, false, false, true);
  --MeasureLock;
  R->FirstVisibleLine = P.Y;
  R->FirstVisibleChar = R->PageFirstChar == 0 ? 0 : R->PageFirstChar + 1;
}

int TEasyPainter::LinesOnPage(const TPoint& Origin, const TRect& R, int& LastChar) {
  LastChar = MaxInt;
  const int Height = std::max(R.Bottom - R.Top, 0);
  const int Count = Edit->LineCount();
  TEasyWrapList* List = Edit->WordWrap() ? Edit->WrapList() : nullptr;
  if (List != nullptr) {
    // The rows the page reaches are wrapped first, so that its end is exact; while a wrap pass runs (which
    // cannot wrap again) the rows past it are estimated below.
    const int OriginRow = WrapRowOf(Edit, Origin, false, nullptr);
    List->CheckWrapUpdated(OriginRow + std::max(Height / LineHeight(), 1), true);
  }
  // The text point at the height of the page's text ends the page; a row partly below it does not count.
  ++MeasureLock;
  TPoint P;
  try {
    P = PixelToTextPoint(TPoint{0, Height}, Origin, Height, false, false, false, true);
  } catch (...) {
    --MeasureLock;
    throw;
  }
  --MeasureLock;
  if (P.Y >= Count) {
    return Count - Origin.Y;
  }
  if (List != nullptr && List->Count() > 0 && P.Y <= List->Row(List->Count() - 1).Line) {
    // A page that ends on a row which is not its line's last ends inside the line, at that row's last character.
    const int I = List->IndexFromPoint(P, false);
    if (I >= 0 && List->Row(I).EndChar != MaxInt) {
      LastChar = List->Row(I).EndChar - 1;
    }
  }
  return P.Y - Origin.Y + 1;
}

// ---- drawing ----

int TEasyPainter::GetSyntaxData(int Line, int Column) {
  TCustomEasyEditSource* Source = Edit->GetEditSource();
  int Index = Column;
  if (Source->NeedTabs()) {
    Index = Source->TabStopList()->PosToRealPos(Source->Strings()->GetStrRef(Line), Column);
  }
  Word Style = static_cast<Word>(Source->Strings()->GetData(Line, Index + 1));
  Edit->DoGetDrawStyle(Line, Column, Style);
  return Style;
}

void TEasyPainter::GetFontAndColor(int Style, TColor& Bk, TFontStyles& FontStyle, TColor& FontColor) {
  TFont* Font = Edit->Font();
  if (TCustomEasyParser* Parser = Edit->GetParser()) {
    Bk = Parser->GetColor(Style);
    if (Bk == -1 || Bk == Edit->Color()) {
      Bk = Edit->GetEditorColor();
    }
    Integer Color = -1;
    TEasyFontStyles ES;
    Parser->GetFont(Style, Color, ES);
    FontColor = Color == -1 ? Font->Color() : Color;
    FontStyle = ToFontStyles(ES);
    if (Edit->PrintMonochrome) {
      Bk = clWhite;
      FontColor = clBlack;
    }
    return;
  }
  Bk = Edit->GetEditorColor();
  if (Style == EasyUrlStyle || (HighlightUrls && Style == 8)) {
    FontColor = Edit->Colors()->HyperStringColor;
    FontStyle = TFontStyles{TFontStyle::fsUnderline};
  } else {
    FontColor = Font->Color();
    FontStyle = Font->Style();
  }
}

int TEasyPainter::PaintLine(int Char, int Line, const std::string& Text, const std::string& Marks, TRect& R,
                            char EolMark) {
  TColor StyleFore = -1;
  TColor StyleBack = -1;
  Edit->GetColorFromStyle(Edit->GetEditSource()->GetLineStyle(Line), StyleFore, StyleBack);
  // Char is the first column of the display row whose text Text holds (0 for a whole line).
  return PaintWrapLine(Char, MaxInt, Line, StyleFore, StyleBack, Text, Marks, R, EolMark);
}

int TEasyPainter::PaintWrapLine(int RowStart, int RowEnd, int Line, TColor StyleFore, TColor StyleBack,
                                const std::string& Text, const std::string& Marks, TRect& R, char EolMark) {
  (void)RowEnd, (void)EolMark;
  if (CurrentRecord == nullptr || R.Top >= CurrentRecord->VisibleRect.Bottom) {
    return 0;
  }
  const int H = LineHeight();
  TRect Row = Rect(R.Left, R.Top, R.Right, R.Top + H);
  HDC DC = Canvas->Handle();
  const int OldMode = GetBkMode(DC);
  int SelStart = 0;
  int SelEnd = 0;
  bool HasSel = false;
  if (Edit->Options().Contains(eoSelectBeyondEol) && Edit->SelectionShown()) {
    // In wrapped text the row is named by its first column, so that each row gets its own part.
    HasSel = Edit->GetSelBounds(Line, Edit->WordWrap() ? RowStart : Line, true, SelStart, SelEnd);
  }
  const TEasyLineDivider* Divider = Edit->LineDivider();
  const bool Highlight = Divider->Options().Contains(ldHighlightCurrentLine) &&
                         Line == Edit->GetCurrentPosition().Y && Edit->IsFocused();
  if (Highlight) {
    HBRUSH B = CreateSolidBrush(ColorToRGB(Divider->Brush()->Color()));
    FillRect(DC, &Row, B);
    DeleteObject(B);
    if (Divider->Brush()->Style() != bsClear) {
      SetBkMode(DC, TRANSPARENT);
    }
  }
  TRect Left = Row;
  PaintString(RowStart, Line, StyleFore, StyleBack, Text, Marks, Left);
  Left.Right = std::max(CurrentRecord->Rect.Right, Left.Left);
  PaintRest(HasSel, Left, SelStart, SelEnd, StyleFore, StyleBack);
  const TEasyLineDividerOptions Opts = Divider->Options();
  if (Opts.Contains(ldSeparateLines) || Opts.Contains(ldSeparateWrapLines) ||
      (Highlight && Opts == TEasyLineDividerOptions{ldHighlightCurrentLine})) {
    TPen* Pen = Canvas->Pen();
    const TColor OldColor = Pen->Color();
    const int OldWidth = Pen->Width();
    Pen->Assign(Divider->Pen());
    const int Y = Row.Top + (Divider->Pen()->Width() > 1 ? 1 : 0);
    Canvas->MoveTo(Row.Left, Y);
    Canvas->LineTo(Row.Right, Y);
    if (Highlight) {
      Canvas->MoveTo(Row.Left, Row.Bottom - 1);
      Canvas->LineTo(Row.Right, Row.Bottom - 1);
    }
    Pen->SetColor(OldColor);
    Pen->SetWidth(OldWidth);
  }
  SetBkMode(DC, OldMode);
  R.Top += H;
  return H;
}

void TEasyPainter::PaintString(int RowStart, int Line, TColor StyleFore, TColor StyleBack, const std::string& Text,
                               const std::string& Marks, TRect& R) {
  auto* Rec = static_cast<TSimplePainterRecord*>(CurrentRecord);
  const int First = Rec->FirstCol;
  const int Len = static_cast<int>(Text.size());
  if (First >= Len) {
    return;
  }
  const int Last = Rec->LastCol == MaxInt ? Len : std::min(Len, Rec->LastCol);
  const std::string Part = Text.substr(static_cast<std::size_t>(First), static_cast<std::size_t>(Last - First));
  const std::string MarkPart =
      static_cast<int>(Marks.size()) > First
          ? Marks.substr(static_cast<std::size_t>(First), static_cast<std::size_t>(Last - First))
          : std::string();
  if (Edit->GetParser() || LiveSpell || HighlightUrls) {
    SyntaxPaint(Part, MarkPart, RowStart + First, Line, StyleFore, StyleBack, R);
  } else {
    TRect Run = R;
    Run.Right = R.Left + static_cast<int>(Part.size()) * CharWidth();
    InternalTextOut(Run, Part, MarkPart, Edit->Font()->Style(), -1, -1, RowStart + First, Line, false, StyleFore,
                    StyleBack);
  }
  R.Left += static_cast<int>(Part.size()) * CharWidth();
}

void TEasyPainter::SyntaxPaint(const std::string& Text, const std::string& Marks, int Column, int Line,
                               TColor StyleFore, TColor StyleBack, TRect& R) {
  const int Len = static_cast<int>(Text.size());
  const int W = CharWidth();
  TCustomEasyEditSource* Source = Edit->GetEditSource();
  const std::string& Raw = Source->Strings()->GetStrRef(Line);
  const bool Tabs = Source->NeedTabs() && Raw.find('\t') != std::string::npos;
  const bool Hooked = static_cast<bool>(Edit->OnGetDrawStyle);
  const TEasyStringItem* Item = Source->Strings()->GetItem(Line);
  auto StyleAt = [&](int Col) -> int {
    if (Tabs || Hooked || Item == nullptr) {
      return GetSyntaxData(Line, Col);
    }
    const std::size_t Pos = static_cast<std::size_t>(Col) * 2;
    if (Pos + 1 >= Item->Styles.size()) {
      return 0xFFFF;
    }
    return static_cast<unsigned char>(Item->Styles[Pos]) | (static_cast<unsigned char>(Item->Styles[Pos + 1]) << 8);
  };
  // Runs of one style code and bracket state; neighbouring runs that look the same are drawn as one.
  struct TLook {
    TColor Bk = -1;
    TColor FontColor = -1;
    TFontStyles FontStyle;
    bool Misspelled = false;
    bool operator==(const TLook& O) const {
      return Bk == O.Bk && FontColor == O.FontColor && FontStyle == O.FontStyle && Misspelled == O.Misspelled;
    }
  };
  auto LookOf = [&](int Code, bool Bracket) {
    TLook L;
    int Style = Code == 0xFFFF ? -1 : Code;
    if (Code >= EasyMisspelledStyle && Code <= 65534) {
      L.Misspelled = true;
      Style = Code == 65534 ? -1 : Code - EasyMisspelledStyle;
    }
    GetFontAndColor(Style, L.Bk, L.FontStyle, L.FontColor);
    if (Bracket) {
      L.FontStyle.Include(TFontStyle::fsBold);
    }
    return L;
  };
  int Start = 0;
  int Left = R.Left;
  int Code = Len > 0 ? StyleAt(Column) : 0;
  bool Bracket = Len > 0 && Edit->CheckBrackets(Line, Column);
  while (Start < Len) {
    const TLook Look = LookOf(Code, Bracket);
    int End = Start + 1;
    while (End < Len) {
      const int NextCode = StyleAt(Column + End);
      const bool NextBracket = Edit->CheckBrackets(Line, Column + End);
      if (NextCode != Code || NextBracket != Bracket) {
        Code = NextCode;
        Bracket = NextBracket;
        if (!(LookOf(Code, Bracket) == Look)) {
          break;
        }
      }
      ++End;
    }
    const TRect Run = Rect(Left, R.Top, Left + (End - Start) * W, R.Bottom);
    const std::string RunMarks = static_cast<int>(Marks.size()) > Start
                                     ? Marks.substr(static_cast<std::size_t>(Start),
                                                    static_cast<std::size_t>(End - Start))
                                     : std::string();
    InternalTextOut(Run, Text.substr(static_cast<std::size_t>(Start), static_cast<std::size_t>(End - Start)),
                    RunMarks, Look.FontStyle, Look.FontColor, Look.Bk, Column + Start, Line, Look.Misspelled,
                    StyleFore, StyleBack);
    Left = Run.Right;
    Start = End;
  }
}

void TEasyPainter::InternalTextOut(const TRect& R, const std::string& Text, const std::string& Marks,
                                   TFontStyles FontStyle, TColor FontColor, TColor Bk, int Column, int Line,
                                   bool Misspelled, TColor StyleFore, TColor StyleBack) {
  const bool UseMarks = Edit->Options().Contains(eoPaintFormattingMarks) && !Marks.empty();
  const bool UseSearch = Edit->Options().Contains(eoEnableSearchHighlight) && !IsNullRect(Edit->SearchRect);
  const bool UseSel = Edit->SelType != slNone && Edit->SelectionShown();
  const int Len = static_cast<int>(Text.size());
  const int W = CharWidth();
  const int H = LineHeight();
  auto DrawChunk = [&](int Start, int End, bool InSel, bool InSearch, bool IsMark) {
    const TRect Chunk = Rect(R.Left + Start * W, R.Top, R.Left + End * W, R.Top + H);
    const std::string& Source = IsMark ? Marks : Text;
    DoTextOut(Chunk, Source.data() + Start, End - Start, FontStyle, FontColor, Bk, InSel, InSearch, IsMark,
              StyleFore, StyleBack);
    if (Misspelled && LiveSpell) {
      TRect U = Chunk;
      U.Bottom = std::min(Chunk.Top + BaseLine() + 4, Chunk.Bottom);
      DrawLiveSpell(Canvas, U, Edit->Colors()->LiveSpellColor);
    }
  };
  if (!UseMarks && !UseSearch && !UseSel && Len <= ChunkLimit) {
    DrawChunk(0, Len, false, false, false);
    return;
  }
  auto State = [&](int I, bool& InSel, bool& InSearch, bool& IsSpace) {
    InSel = UseSel && Edit->InsideBlock(Column + I, Line);
    InSearch = UseSearch && Edit->InsideSearchRect(Column + I, Line);
    IsSpace = UseMarks && I < static_cast<int>(Marks.size()) && Text[static_cast<std::size_t>(I)] == ' ' &&
              Marks[static_cast<std::size_t>(I)] != ' ';
  };
  int Start = 0;
  while (Start < Len) {
    bool Sel = false, Search = false, Space = false;
    State(Start, Sel, Search, Space);
    int End = Start + 1;
    while (End < Len && End - Start < ChunkLimit) {
      bool S2 = false, F2 = false, P2 = false;
      State(End, S2, F2, P2);
      if (S2 != Sel || F2 != Search || P2 != Space) {
        break;
      }
      ++End;
    }
    DrawChunk(Start, End, Sel, Search, Space);
    Start = End;
  }
}

void TEasyPainter::DoTextOut(const TRect& R, const char* Text, int Count, TFontStyles FontStyle, TColor FontColor,
                             TColor Bk, bool InSel, bool InSearch, bool IsMark, TColor StyleFore, TColor StyleBack) {
  HDC DC = Canvas->Handle();
  TEasyEditorColors* Colors = Edit->Colors();
  if (IsMark && StyleFore == -1 && StyleBack == -1) {
    FontColor = Colors->FmtMarkColor;
  }
  TColor Text_ = FontColor != -1 ? FontColor : Edit->Font()->Color();
  TColor Back = Bk != -1 ? Bk : Edit->GetEditorColor();
  if (InSearch) {
    Text_ = Colors->SearchMatchColor;
    Back = Colors->SearchMatchBackColor;
  } else if (!InSel) {
    if (StyleBack != -1) {
      Back = StyleBack;
    }
    if (StyleFore != -1) {
      Text_ = StyleFore;
    }
  } else if (StyleFore == -1 || StyleBack == -1) {
    Text_ = Edit->Options().Contains(eoColorSelection) && FontColor != -1 ? FontColor : Colors->GetSelColor();
    Back = Colors->GetSelBackColor();
  } else {
    Text_ = StyleBack;
    Back = StyleFore;
  }
  HGDIOBJ OldFont = SelectObject(DC, StylesMask(FontStyle) == StylesMask(Edit->Font()->Style())
                                         ? Edit->Font()->Handle()
                                         : StyledFont(FontStyle));
  const COLORREF OldText = SetTextColor(DC, ColorToRGB(Text_));
  const COLORREF OldBack = SetBkColor(DC, ColorToRGB(Back));
  UINT Flags = ETO_CLIPPED;
  if (!Transparent || Back != Edit->GetEditorColor()) {
    Flags |= ETO_OPAQUE;
  }
  int* Dx = GetBuffer(Count);
  ExtTextOut(DC, R.Left, R.Top, Flags, &R, Text, static_cast<UINT>(std::max(Count, 0)), Dx);
  SetTextColor(DC, OldText);
  SetBkColor(DC, OldBack);
  SelectObject(DC, OldFont);
}

void TEasyPainter::PaintRest(bool HasSel, const TRect& R, int SelStart, int SelEnd, TColor StyleFore,
                             TColor StyleBack) {
  if (R.Right <= R.Left) {
    return;
  }
  HDC DC = Canvas->Handle();
  auto Fill = [&](int L, int Rt, TColor C) {
    if (Rt <= L) {
      return;
    }
    TRect F = Rect(L, R.Top, Rt, R.Bottom);
    HBRUSH B = CreateSolidBrush(ColorToRGB(C));
    FillRect(DC, &F, B);
    DeleteObject(B);
  };
  const TColor EditorColor = Edit->GetEditorColor();
  const bool BeyondEol = Edit->Options().Contains(eoLineStyleBeyondEol);
  if (HasSel && SelEnd > R.Left) {
    if (!(BeyondEol && StyleFore != -1)) {
      StyleFore = StyleBack = -1;
    }
    const int S = std::max(SelStart, R.Left);
    const int E = SelEnd == MaxInt ? R.Right : std::min(SelEnd, R.Right);
    if (StyleBack != -1 || !Transparent) {
      Fill(R.Left, S, StyleBack != -1 ? StyleBack : EditorColor);
      Fill(E, R.Right, StyleBack != -1 ? StyleBack : EditorColor);
    }
    Fill(S, E, StyleFore != -1 ? StyleFore : Edit->Colors()->GetSelBackColor());
    return;
  }
  if (BeyondEol && StyleBack != -1) {
    Fill(R.Left, R.Right, StyleBack);
  } else if (!Transparent) {
    Fill(R.Left, R.Right, EditorColor);
  }
}
