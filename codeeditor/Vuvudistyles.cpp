// Code editor control: the memo font, the appearance objects, text styles, gutter images and the environment
// options.
#include "codeeditor/Vuvudi.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/Dialogs.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/SysUtils.h"
#include "suitebase/Objstreams.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace Vuvudi {

Z_IMPLEMENT_CLASS(TMemoFont, TFont)
Z_IMPLEMENT_CLASS_PUBLISHED(TLineSeparator, TPersistent, TLineSeparator::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TLineHighlight, TPersistent, TLineHighlight::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TSpecialSymbols, TPersistent, TSpecialSymbols::Publish)
Z_IMPLEMENT_CLASS(TGutterBackground, TControlBackground)
Z_IMPLEMENT_CLASS_PUBLISHED(TTextStyle, ZEZNamedItem, TTextStyle::Publish)
Z_IMPLEMENT_CLASS(TTextStyles, ZEZNamedItems)
Z_IMPLEMENT_CLASS_PUBLISHED(TGutterImage, ZEZNamedItem, TGutterImage::Publish)
Z_IMPLEMENT_CLASS(ZEZGutterImages, ZEZNamedItems)
Z_IMPLEMENT_CLASS_PUBLISHED(TMemoEnvOptions, TOptionExt, TMemoEnvOptions::Publish)

TMemoFont::TMemoFont(TPersistent* AOwner) : FOwner(AOwner) {
  SetName("Courier New");
  SetSize(10);
  SetColor(clBlack);
}

// --- line separator -------------------------------------------------------------------------------------------

TLineSeparator::TLineSeparator(TCustomVUVudi* AMemo) : FMemo(AMemo), FPen(std::make_unique<TPen>()) {
  FPen->SetColor(clGrayText);
  FPen->OnChange = [this](TObject* S) { Changed(S); };
}
TLineSeparator::~TLineSeparator() { FPen->OnChange = nullptr; }

void TLineSeparator::Publish(TMetaClass& Meta) {
  TPublisher<TLineSeparator> P(Meta);
  P.Property("Options", &TLineSeparator::Options, &TLineSeparator::SetOptions).Default(TSeparatorOptions{});
  P.Property("Pen", &TLineSeparator::Pen, &TLineSeparator::SetPen);
}

void TLineSeparator::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TLineSeparator*>(Source)) {
    FPen->Assign(S->Pen());
    SetOptions(S->Options());
    return;
  }
  TPersistent::Assign(Source);
}

void TLineSeparator::SetOptions(TSeparatorOptions Value) {
  if (Value != FOptions) {
    FOptions = Value;
    Changed(this);
  }
}

void TLineSeparator::Changed(TObject*) {
  if (FMemo) {
    FMemo->Invalidate();
  }
}

// --- line highlight -------------------------------------------------------------------------------------------

TLineHighlight::TLineHighlight(TCustomVUVudi* AMemo)
    : FMemo(AMemo), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FPen->SetColor(clGrayText);
  FBrush->SetColor(clBtnFace);
  FPen->OnChange = [this](TObject* S) { Changed(S); };
  FBrush->OnChange = [this](TObject* S) { Changed(S); };
}
TLineHighlight::~TLineHighlight() {
  FPen->OnChange = nullptr;
  FBrush->OnChange = nullptr;
}

void TLineHighlight::Publish(TMetaClass& Meta) {
  TPublisher<TLineHighlight> P(Meta);
  P.Property("Pen", &TLineHighlight::Pen, &TLineHighlight::SetPen);
  P.Property("Brush", &TLineHighlight::Brush, &TLineHighlight::SetBrush);
  P.Property("Visible", &TLineHighlight::Visible, &TLineHighlight::SetVisible).Default(false);
  P.Property("Shape", &TLineHighlight::Shape, &TLineHighlight::SetShape).Default(shDoubleLine);
}

void TLineHighlight::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TLineHighlight*>(Source)) {
    FPen->Assign(S->Pen());
    FBrush->Assign(S->Brush());
    SetShape(S->Shape());
    SetVisible(S->Visible());
    return;
  }
  TPersistent::Assign(Source);
}

void TLineHighlight::SetVisible(bool Value) {
  if (Value != FVisible) {
    FVisible = Value;
    Changed(this);
  }
}

void TLineHighlight::SetShape(TShapeHighlightType Value) {
  if (Value != FShape) {
    FShape = Value;
    Changed(this);
  }
}

void TLineHighlight::Changed(TObject*) {
  if (FMemo) {
    FMemo->Invalidate();
  }
}

// --- special symbols ------------------------------------------------------------------------------------------

TSpecialSymbols::TSpecialSymbols(TCustomVUVudi* AMemo) : FMemo(AMemo), FEOLString("\xB6"), FEOFString("_") {}

void TSpecialSymbols::Publish(TMetaClass& Meta) {
  TPublisher<TSpecialSymbols> P(Meta);
  P.Property("SpaceChar", &TSpecialSymbols::SpaceChar, &TSpecialSymbols::SetSpaceChar).Default(char(0));
  P.Property("TabChar", &TSpecialSymbols::TabChar, &TSpecialSymbols::SetTabChar).Default(char(0));
}

void TSpecialSymbols::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "EOLStringBinary", [this](TStream* S) { SetEOLString(ReadString(S)); },
      [this](TStream* S) { WriteString(S, FEOLString); }, true);
  Filer->DefineBinaryProperty(
      "EOFStringBinary", [this](TStream* S) { SetEOFString(ReadString(S)); },
      [this](TStream* S) { WriteString(S, FEOFString); }, true);
}

void TSpecialSymbols::WriteString(TStream* Stream, const std::string& S) {
  const auto Len = static_cast<std::int32_t>(S.size());
  Stream->WriteBuffer(&Len, sizeof Len);
  if (Len > 0) {
    Stream->WriteBuffer(S.data(), Len);
  }
}

std::string TSpecialSymbols::ReadString(TStream* Stream) {
  std::int32_t Len = 0;
  Stream->ReadBuffer(&Len, sizeof Len);
  if (Len < 0 || Len > Stream->Size() - Stream->Position()) {
    throw EReadError("Stream read error");
  }
  std::string S(static_cast<std::size_t>(Len), '\0');
  if (Len > 0) {
    Stream->ReadBuffer(S.data(), Len);
  }
  return S;
}

void TSpecialSymbols::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TSpecialSymbols*>(Source)) {
    FEOLString = S->FEOLString;
    FEOFString = S->FEOFString;
    FSpaceChar = S->FSpaceChar;
    FTabChar = S->FTabChar;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TSpecialSymbols::SetEOLString(const std::string& Value) {
  if (Value != FEOLString) {
    FEOLString = Value;
    Changed();
  }
}
void TSpecialSymbols::SetEOFString(const std::string& Value) {
  if (Value != FEOFString) {
    FEOFString = Value;
    Changed();
  }
}
void TSpecialSymbols::SetSpaceChar(char Value) {
  if (Value != FSpaceChar) {
    FSpaceChar = Value;
    Changed();
  }
}
void TSpecialSymbols::SetTabChar(char Value) {
  if (Value != FTabChar) {
    FTabChar = Value;
    Changed();
  }
}
void TSpecialSymbols::Changed() {
  if (FMemo && FMemo->HasOption(moDrawSpecialSymbols)) {
    FMemo->Invalidate();
  }
}

// --- gutter background ----------------------------------------------------------------------------------------

TGutterBackground::TGutterBackground(TCustomControl* AOwner) : TControlBackground(AOwner) {}

TRect TGutterBackground::GetPaintRect() {
  TRect R = TControlBackground::GetPaintRect();
  if (auto* M = dynamic_cast<TCustomVUVudi*>(Owner())) {
    R.Right = R.Left + M->GetRealGutterWidth();
  }
  return R;
}

// --- text styles ----------------------------------------------------------------------------------------------

TTextStyle::TTextStyle(TCollection* ACollection)
    : ZEZNamedItem(ACollection), FFont(std::make_unique<TMemoFont>(this)), FBrush(std::make_unique<TBrush>()) {
  FFont->OnChange = [this](TObject* S) { OnFontChange(S); };
  SetUseMemoColor(true);
  SetUseMemoFont(true);
}

TTextStyle::~TTextStyle() { FFont->OnChange = nullptr; }

void TTextStyle::Publish(TMetaClass& Meta) {
  TPublisher<TTextStyle> P(Meta);
  P.Property("Name", &TTextStyle::Name, &TTextStyle::SetName);
  P.Property("Color", &TTextStyle::Color, &TTextStyle::SetColor)
      .Stored(&TTextStyle::IsColorStored)
      .Type(TypeInfoColor());
  P.Property("Font", &TTextStyle::Font, &TTextStyle::SetFont).Stored(&TTextStyle::IsFontStored);
  P.Property("UpdateMemoColors", &TTextStyle::UpdateMemoColors, &TTextStyle::SetUpdateMemoColors).Default(mcNone);
  P.Property("UseMemoColor", &TTextStyle::UseMemoColor, &TTextStyle::SetUseMemoColor).NoDefault();
  P.Property("UseMemoFont", &TTextStyle::UseMemoFont, &TTextStyle::SetUseMemoFont).NoDefault();
  P.Property("UpperCase", &TTextStyle::UpperCase, &TTextStyle::SetUpperCase).Default(false);
}

void TTextStyle::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TTextStyle*>(Source)) {
    SetName(S->Name());
    FUpdateMemoColors = mcNone;
    SetColor(S->Color());
    FFont->Assign(S->Font());
    FUpperCase = S->UpperCase();
    SetUseMemoColor(S->UseMemoColor());
    SetUseMemoFont(S->UseMemoFont());
    SetUpdateMemoColors(S->UpdateMemoColors());
    return;
  }
  ZEZNamedItem::Assign(Source);
}

TCustomVUVudi* TTextStyle::Memo() const {
  auto* C = dynamic_cast<TTextStyles*>(Collection());
  return C ? C->Memo() : nullptr;
}

void TTextStyle::SetUseMemoFont(bool Value) {
  if (Value == FUseMemoFont || (Value && FUpdateMemoColors != mcNone)) {
    return;
  }
  FUseMemoFont = Value;
  if (Value) {
    AssignMemoFont();
  }
  Changed(false);
}

void TTextStyle::SetUseMemoColor(bool Value) {
  if (Value == FUseMemoColor || (Value && FUpdateMemoColors != mcNone)) {
    return;
  }
  FUseMemoColor = Value;
  if (Value) {
    AssignMemoColor();
  }
  Changed(false);
}

void TTextStyle::SetColor(TColor Value) {
  FColor = Value;
  FUseMemoColor = false;
  FBrush->SetColor(Value);
  DoUpdateMemoColors();
  Changed(false);
}

void TTextStyle::SetUpperCase(bool Value) {
  if (Value != FUpperCase) {
    FUpperCase = Value;
    DoParserChanged(true);
    Changed(false);
  }
}

void TTextStyle::SetUpdateMemoColors(TUpdateMemoColors Value) {
  if (Value != FUpdateMemoColors) {
    FUpdateMemoColors = Value;
    DoUpdateMemoColors();
  }
}

void TTextStyle::OnFontChange(TObject*) {
  if (FAssigningFont) {
    return;
  }
  FUseMemoFont = false;
  DoUpdateMemoColors();
  Changed(false);
  DoParserChanged(false);
}

void TTextStyle::DoUpdateMemoColors() {
  TCustomVUVudi* M = Memo();
  if (!M) {
    return;
  }
  switch (FUpdateMemoColors) {
    case mcText:
      M->Font()->SetColor(FFont->Color());
      M->SetColor(FColor);
      break;
    case mcSelection:
      M->SetSelColor(FFont->Color());
      M->SetSelBackColor(FColor);
      break;
    case mcSearchMatch:
      M->SetMatchColor(FFont->Color());
      M->SetMatchBackColor(FColor);
      break;
    case mcNone: break;
  }
}

void TTextStyle::AssignMemoFont() {
  if (TCustomVUVudi* M = Memo()) {
    FAssigningFont = true;
    FFont->Assign(M->Font());
    FAssigningFont = false;
    FUseMemoFont = true;
  }
}

void TTextStyle::AssignMemoColor() {
  if (TCustomVUVudi* M = Memo()) {
    FColor = M->Color();
    FUseMemoColor = true;
  } else {
    FColor = clWindow;
  }
  FBrush->SetColor(FColor);
}

void TTextStyle::AssignFontNameAndSize() {
  if (TCustomVUVudi* M = Memo()) {
    FAssigningFont = true;
    FFont->SetName(M->Font()->Name());
    FFont->SetHeight(M->Font()->Height());
    FAssigningFont = false;
  }
}

void TTextStyle::DoParserChanged(bool Force) {
  TCustomVUVudi* M = Memo();
  if (!M || (!Force && M->UseMonoFont())) {
    return;
  }
  auto* C = static_cast<TTextStyles*>(Collection());
  C->ParserChangedFlag = true;
  C->BeginParserUpdate();
  C->EndParserUpdate();
}

TTextStyles::TTextStyles(TComponent* AOwner) : ZEZNamedItems(AOwner, TTextStyle::StaticClass()) {}

TCustomVUVudi* TTextStyles::Memo() const { return dynamic_cast<TCustomVUVudi*>(OwnerComponent()); }

void TTextStyles::Assign(TPersistent* Source) {
  BeginParserUpdate();
  ZEZNamedItems::Assign(Source);
  EndParserUpdate();
}

void TTextStyles::EndParserUpdate() {
  if (--FParserUpdateCount > 0) {
    return;
  }
  FParserUpdateCount = 0;
  if (TCustomVUVudi* M = Memo()) {
    if (ParserChangedFlag) {
      ParserChangedFlag = false;
      M->GetSource()->ParserChanged();
      M->UpdateCaretMode();
    }
    M->UpdateMonoFontFlag();
    M->UpdateLineHeight();
    M->UpdateScrollSize();
    M->UpdateScrollPos();
    M->UpdateAVESize();
  }
}

TTextStyle* TTextStyles::AddStyle(const std::string& Name, TColor FontColor, TColor BackColor) {
  auto* S = static_cast<TTextStyle*>(Add());
  S->SetColor(BackColor);
  S->SetName(Name);
  S->Font()->SetColor(FontColor);
  return S;
}

TTextStyle* TTextStyles::AddStyleEx(const std::string& Name, TColor FontColor, TColor BackColor, TFontStyles FontStyles,
                                    TUpdateMemoColors UpdateMemoColors, bool UseMemoFont, bool UseMemoColor) {
  BeginUpdate();
  auto* S = static_cast<TTextStyle*>(Add());
  S->SetColor(BackColor);
  S->SetName(Name);
  S->Font()->SetColor(FontColor);
  S->Font()->SetStyle(FontStyles);
  S->SetUseMemoColor(UseMemoColor);
  S->SetUseMemoFont(UseMemoFont);
  S->SetUpdateMemoColors(UpdateMemoColors);
  EndUpdate();
  return S;
}

void TTextStyles::SetDefaultStyles() {
  struct TRow {
    const char* Name;
    TColor Font;
    TFontStyles Style;
    TUpdateMemoColors Update;
    TColor Back;  // clNone: the control's colour
  };
  const TFontStyles None{}, Bold{fsBold}, Italic{fsItalic}, Under{fsUnderline};
  const TRow Rows[] = {{"Whitespace", clBlack, None, mcNone, clNone},
                       {"String", clMaroon, None, mcNone, clNone},
                       {"Comment", clGray, Italic, mcNone, clNone},
                       {"Identifier", clBlack, None, mcNone, clNone},
                       {"Integer", clGreen, None, mcNone, clNone},
                       {"Float", clGreen, None, mcNone, clNone},
                       {"Reserved words", clBlue, Bold, mcNone, clNone},
                       {"Delimiters", clBlack, None, mcNone, clNone},
                       {"Defines", clGreen, None, mcNone, clNone},
                       {"Assembler", clGreen, None, mcNone, clNone},
                       {"Html tags", clBlue, None, mcNone, clNone},
                       {"Html params", clBlue, None, mcNone, clNone},
                       {"Url", clBlue, Under, mcNone, clNone},
                       {"BreakPoint", clWindow, None, mcNone, clRed},
                       {"Error line", clWindow, None, mcNone, clMaroon},
                       {"Marked Block", clWhite, None, mcSelection, clNavy},
                       {"Search Match", clLime, None, mcSearchMatch, clBlack},
                       {"Emphasis", clBlack, Bold, mcNone, clNone},
                       {"System Variable", clBlue, None, mcNone, clNone},
                       {"Script Whitespace", clTeal, None, mcNone, clNone},
                       {"Script Delimiters", clBlack, None, mcNone, clNone},
                       {"Script Comment", clGray, Italic, mcNone, clNone},
                       {"Script String", clMaroon, None, mcNone, clNone},
                       {"Script Number", clBlue, None, mcNone, clNone},
                       {"Script ResWord", clBlack, Bold, mcNone, clNone}};
  BeginParserUpdate();
  Clear();
  for (const TRow& R : Rows) {
    const bool Memo = R.Back == clNone;
    AddStyleEx(R.Name, R.Font, Memo ? clWindow : R.Back, R.Style, R.Update, false, Memo);
  }
  EndParserUpdate();
}

void TTextStyles::UpdateParams() {
  BeginParserUpdate();
  for (Integer I = 0; I < Count(); ++I) {
    TTextStyle* S = GetItem(I);
    if (S->UseMemoColor()) {
      S->AssignMemoColor();
    }
    if (S->UseMemoFont()) {
      S->AssignMemoFont();
    }
    S->AssignFontNameAndSize();
  }
  EndParserUpdate();
}

Integer TTextStyles::MaxTextMetric(LONG TEXTMETRIC::*Field) {
  if (Count() == 0) {
    return -1;
  }
  HDC DC = GetDC(0);
  Integer Result = 0;
  for (Integer I = 0; I < Count(); ++I) {
    HGDIOBJ Old = SelectObject(DC, GetItem(I)->Font()->Handle());
    TEXTMETRIC Tm{};
    GetTextMetrics(DC, &Tm);
    SelectObject(DC, Old);
    Result = std::max<Integer>(Result, Tm.*Field);
  }
  ReleaseDC(0, DC);
  return Result;
}

Integer TTextStyles::GetMaxCharWidth() { return MaxTextMetric(&TEXTMETRIC::tmAveCharWidth); }

Integer TTextStyles::GetMaxCharHeight() { return MaxTextMetric(&TEXTMETRIC::tmHeight); }

namespace {
std::string WithRgbExtension(const std::string& FileName) {
  const auto Slash = FileName.find_last_of('/');
  const auto Dot = FileName.find_last_of('.');
  const bool HasExt = Dot != std::string::npos && (Slash == std::string::npos || Dot > Slash);
  return (HasExt ? FileName.substr(0, Dot) : FileName) + ".RGB";
}
}  // namespace

void TTextStyles::SaveColorStylesToFile(const std::string& FileName) {
  Vivaridiriz::WriteObjToTextFile(this, WithRgbExtension(FileName));
}

void TTextStyles::LoadColorStylesFromFile(const std::string& FileName) {
  // A colour-style file is the text form of the holder of one collection: its first line names the holder.
  {
    std::ifstream In(FileName, std::ios::binary);
    if (!In) {
      throw EFOpenError("Cannot open file " + FileName);
    }
    std::string First;
    std::getline(In, First);
    std::istringstream Words(First);
    std::string Word, Cls;
    Words >> Word;
    while (Words >> Cls) {
    }
    if (!SameText(Word, "object") || !SameText(Cls, "TPersHolder")) {
      throw Exception("Not a color styles file");
    }
  }
  // Read into a scratch collection first: a file of another kind changes nothing.
  TTextStyles Scratch(nullptr);
  try {
    Vivaridiriz::ReadObjFromTextFile(&Scratch, FileName);
  } catch (const EFOpenError&) {
    throw;
  } catch (const Exception&) {
    throw Exception("Not a color styles file");
  }
  Assign(&Scratch);
}

bool TTextStyles::SaveColorStyles() {
  TSaveDialog Dlg(nullptr);
  Dlg.Title = "Save color styles";
  Dlg.Filter = "Color scheme (*.rgb)|*.RGB";
  Dlg.Options.Include(ofHideReadOnly);
  if (!Dlg.Execute()) {
    return false;
  }
  SaveColorStylesToFile(Dlg.FileName);
  return true;
}

bool TTextStyles::LoadColorStyles() {
  TOpenDialog Dlg(nullptr);
  Dlg.Title = "Load color styles";
  Dlg.Filter = "Color scheme (*.rgb)|*.RGB";
  Dlg.Options.Include(ofHideReadOnly);
  if (!Dlg.Execute()) {
    return false;
  }
  LoadColorStylesFromFile(Dlg.FileName);
  return true;
}

// --- gutter images --------------------------------------------------------------------------------------------

TGutterImage::TGutterImage(TCollection* ACollection) : ZEZNamedItem(ACollection), FGlyph(std::make_unique<TBitmap>()) {
  FGlyph->OnChange = [this](TObject* S) { OnChange(S); };
}

TGutterImage::~TGutterImage() { FGlyph->OnChange = nullptr; }

void TGutterImage::Publish(TMetaClass& Meta) {
  TPublisher<TGutterImage> P(Meta);
  P.Property("Name", &TGutterImage::Name, &TGutterImage::SetName);
  P.Property("Glyph", &TGutterImage::Glyph, &TGutterImage::SetGlyph);
  P.Property("BookmarkIndex", &TGutterImage::BookmarkIndex, &TGutterImage::SetBookmarkIndex).Default(-1);
}

void TGutterImage::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TGutterImage*>(Source)) {
    SetName(S->Name());
    FGlyph->Assign(S->Glyph());
    SetBookmarkIndex(S->BookmarkIndex());
    return;
  }
  ZEZNamedItem::Assign(Source);
}

void TGutterImage::SetBookmarkIndex(Integer Value) {
  if (Value != FBookmarkIndex) {
    FBookmarkIndex = Value;
    Changed(false);
  }
}

ZEZGutterImages::ZEZGutterImages(TComponent* AOwner) : ZEZNamedItems(AOwner, TGutterImage::StaticClass()) {}

TGutterImage* ZEZGutterImages::AddFromResource(const std::string& ResName, const std::string& Name,
                                               Integer BookmarkIndex) {
  auto* I = static_cast<TGutterImage*>(Add());
  LoadGutterPicture(ResName, I->Glyph());
  I->SetName(Name);
  I->SetBookmarkIndex(BookmarkIndex);
  return I;
}

namespace {
// A 5x7 digit font for the bookmark flags, one row per byte (bit 4 = left column).
const unsigned char DigitRows[10][7] = {
    {14, 17, 19, 21, 25, 17, 14}, {4, 12, 4, 4, 4, 4, 14},    {14, 17, 1, 2, 4, 8, 31},   {31, 2, 4, 2, 1, 17, 14},
    {2, 6, 10, 18, 31, 2, 2},     {31, 16, 30, 1, 1, 17, 14}, {6, 8, 16, 30, 17, 17, 14}, {31, 1, 2, 4, 8, 8, 8},
    {14, 17, 17, 14, 17, 17, 14}, {14, 17, 17, 15, 1, 2, 12}};
constexpr TColor Transparent = clFuchsia;
}  // namespace

bool LoadGutterPicture(const std::string& ResName, TBitmap* Bitmap) {
  if (ResName == "MEMO_BREAKPOINT") {
    Bitmap->SetSize(14, 14);
    TCanvas* C = Bitmap->Canvas();
    C->Brush()->SetColor(Transparent);
    C->FillRect(TRect{0, 0, 14, 14});
    C->Brush()->SetColor(clRed);
    C->Pen()->SetColor(clMaroon);
    C->Ellipse(1, 1, 13, 13);
    Bitmap->SetTransparentColor(Transparent);
    Bitmap->SetTransparent(true);
    return true;
  }
  if (ResName.size() == 12 && ResName.compare(0, 11, "BIGBOOKMARK") == 0 && std::isdigit(Byte(ResName[11]))) {
    const int D = ResName[11] - '0';
    Bitmap->SetSize(11, 14);
    TCanvas* C = Bitmap->Canvas();
    C->Brush()->SetColor(Transparent);
    C->FillRect(TRect{0, 0, 11, 14});
    C->Pen()->SetColor(clBlack);
    C->MoveTo(0, 0);
    C->LineTo(0, 14);  // the pole
    C->Brush()->SetColor(clAqua);
    C->Rectangle(1, 1, 11, 11);  // the flag
    for (int Y = 0; Y < 7; ++Y) {
      for (int X = 0; X < 5; ++X) {
        if (DigitRows[D][Y] & (16 >> X)) {
          C->SetPixels(3 + X, 2 + Y, clBlack);
        }
      }
    }
    Bitmap->SetTransparentColor(Transparent);
    Bitmap->SetTransparent(true);
    return true;
  }
  return false;
}

// --- environment options --------------------------------------------------------------------------------------

TMemoEnvOptions::TMemoEnvOptions()
    : FGutterBrush(std::make_unique<TBrush>()),
      FMarginPen(std::make_unique<TPen>()),
      FFont(std::make_unique<TMemoFont>(this)),
      FTextStyles(std::make_unique<TTextStyles>(nullptr)),
      FLineSeparator(std::make_unique<TLineSeparator>()),
      FLineHighlight(std::make_unique<TLineHighlight>()),
      FSpecialSymbols(std::make_unique<TSpecialSymbols>()) {
  FTextStyles->SetPropName("TextStyles");
  FTextStyles->SetDefaultStyles();
}

TMemoEnvOptions::~TMemoEnvOptions() = default;

void TMemoEnvOptions::Publish(TMetaClass& Meta) {
  TPublisher<TMemoEnvOptions> P(Meta);
  P.Property("MarginPos", &TMemoEnvOptions::MarginPos, &TMemoEnvOptions::MarginPos).NoDefault();
  P.Property("GutterWidth", &TMemoEnvOptions::GutterWidth, &TMemoEnvOptions::GutterWidth).NoDefault();
  P.Property("Options", &TMemoEnvOptions::Options, &TMemoEnvOptions::Options).NoDefault();
  P.Property("KeyMapping", &TMemoEnvOptions::KeyMapping, &TMemoEnvOptions::KeyMapping);
  P.Property("GutterBrush", &TMemoEnvOptions::GutterBrush, &TMemoEnvOptions::SetGutterBrush);
  P.Property("MarginPen", &TMemoEnvOptions::MarginPen, &TMemoEnvOptions::SetMarginPen);
  P.Property("LineSeparator", &TMemoEnvOptions::LineSeparator, &TMemoEnvOptions::SetLineSeparator);
  P.Property("LineHighlight", &TMemoEnvOptions::LineHighlight, &TMemoEnvOptions::SetLineHighlight);
  P.Property("Font", &TMemoEnvOptions::Font, &TMemoEnvOptions::SetFont);
  P.Property("Color", &TMemoEnvOptions::Color, &TMemoEnvOptions::Color).NoDefault().Type(TypeInfoColor());
  P.Property("TextStyles", &TMemoEnvOptions::TextStyles, &TMemoEnvOptions::SetTextStyles);
  P.Property("UseMonoFont", &TMemoEnvOptions::UseMonoFont, &TMemoEnvOptions::UseMonoFont).Default(true);
  P.Property("ReadOnlyColor", &TMemoEnvOptions::ReadOnlyColor, &TMemoEnvOptions::ReadOnlyColor)
      .NoDefault()
      .Type(TypeInfoColor());
  P.Property("SpecialSymbols", &TMemoEnvOptions::SpecialSymbols, &TMemoEnvOptions::SetSpecialSymbols);
}

void TMemoEnvOptions::Assign(TPersistent* Source) {
  if (auto* O = dynamic_cast<TMemoEnvOptions*>(Source)) {
    MarginPos = O->MarginPos;
    GutterWidth = O->GutterWidth;
    Options = O->Options;
    KeyMapping = O->KeyMapping;
    Color = O->Color;
    UseMonoFont = O->UseMonoFont;
    ReadOnlyColor = O->ReadOnlyColor;
    FGutterBrush->Assign(O->GutterBrush());
    FMarginPen->Assign(O->MarginPen());
    FFont->Assign(O->Font());
    FTextStyles->Assign(O->TextStyles());
    FLineSeparator->Assign(O->LineSeparator());
    FLineHighlight->Assign(O->LineHighlight());
    FSpecialSymbols->Assign(O->SpecialSymbols());
    return;
  }
  TOptionExt::Assign(Source);
}

void TMemoEnvOptions::InitValues() {
  MarginPos = 80;
  GutterWidth = 32;
  Options = TMemoOptions{moDrawMargin, moDrawGutter, moThumbTracking, moColorSyntax};
  KeyMapping = "Default";
  FGutterBrush->SetColor(clBtnFace);
  FMarginPen->SetColor(clGrayText);
  FMarginPen->SetWidth(1);
  FFont->SetName("Courier New");
  FFont->SetSize(10);
  FFont->SetColor(clBlack);
  Color = clWindow;
  FTextStyles->SetDefaultStyles();
  TLineSeparator FreshSeparator;
  FLineSeparator->Assign(&FreshSeparator);
  TLineHighlight FreshHighlight;
  FLineHighlight->Assign(&FreshHighlight);
  TSpecialSymbols FreshSymbols;
  FSpecialSymbols->Assign(&FreshSymbols);
  UseMonoFont = true;
  ReadOnlyColor = clWindow;
}

void TMemoEnvOptions::Changed() {
  TList* L = EnvOptObjectList();
  for (Integer I = 0; I < L->Count(); ++I) {
    // Controls and syntax parsers alike: each takes the message as its own.
    auto* O = static_cast<TObject*>(L->Items(I));
    TMessage Msg{CM_UPDATEOPTIONS, 0, 0, 0};
    O->Dispatch(Msg);
  }
}

TMemoEnvOptions* GlobalMemoOptions() {
  return static_cast<TMemoEnvOptions*>(Dorazori::GetOptionsByClass(TMemoEnvOptions::StaticClass()));
}

void EnumTextStyles(TEnumTextStylesProc Proc, void* Data) {
  TTextStyles* S = GlobalMemoOptions()->TextStyles();
  for (Integer I = 0; I < S->Count(); ++I) {
    Proc(Data, S->GetItem(I)->Name());
  }
}

void RemoveExtraStyles() {
  static const char* const Extra[] = {"Emphasis",       "System Variable", "Script Whitespace", "Script Delimiters",
                                      "Script Comment", "Script String",   "Script Number",     "Script ResWord"};
  TTextStyles* S = GlobalMemoOptions()->TextStyles();
  for (Integer I = S->Count() - 1; I >= 0; --I) {
    for (const char* E : Extra) {
      if (SameText(S->GetItem(I)->Name(), E)) {
        S->Delete(I);
        break;
      }
    }
  }
}

}  // namespace Vuvudi
