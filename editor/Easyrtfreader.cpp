// The RTF reader: importer bases with the attribute stack, the tokenizer and the control-word interpreter.
#include "editor/Easyrtfreader.h"

#include "editor/Easyutils.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstring>

Z_IMPLEMENT_CLASS(TCustomEasyImporter, TObject)
Z_IMPLEMENT_CLASS(TCustomEasyImporterEx, TCustomEasyImporter)
Z_IMPLEMENT_CLASS(TEasyRtfImporter, TCustomEasyImporterEx)

namespace {
// Font table entries beyond this index are ignored: an index is a number in the text, and the table grows to
// reach it.
constexpr int MaxFontIndex = 4096;
// Nested groups deeper than this are read as flat text: the attribute stack stays small whatever the input.
constexpr std::size_t MaxStackDepth = 10000;

int SafeMulDiv(int A, int B, int C) {
  if (C == 0) {
    return -1;
  }
  const long long R = (static_cast<long long>(A) * B + (C / 2) * ((A < 0) != (B < 0) ? -1 : 1)) / C;
  return static_cast<int>(std::clamp<long long>(R, INT_MIN, INT_MAX));
}

bool IsWordChar(char C) {
  const auto U = static_cast<unsigned char>(C);
  return std::isalnum(U) != 0 || C == '-' || C == '*' || C == '\'' || C == '_';
}

bool IsHex(char C) { return std::isxdigit(static_cast<unsigned char>(C)) != 0; }

int HexValue(char C) {
  if (C >= '0' && C <= '9') {
    return C - '0';
  }
  return (std::tolower(static_cast<unsigned char>(C)) - 'a') + 10;
}

// Splits a control word (without its backslash) into its name and numeric parameter (-1 when absent or not a
// number that fits).
void SplitWord(const std::string& Word, std::string& Name, int& Param) {
  std::size_t End = Word.size();
  while (End > 0 && (std::isdigit(static_cast<unsigned char>(Word[End - 1])) != 0 || Word[End - 1] == '-')) {
    --End;
  }
  Name = Word.substr(0, End);
  Param = -1;
  const std::string Digits = Word.substr(End);
  if (Digits.empty()) {
    return;
  }
  long long V = 0;
  bool Negative = false;
  std::size_t I = 0;
  if (Digits[0] == '-') {
    Negative = true;
    I = 1;
  }
  if (I >= Digits.size()) {
    return;
  }
  for (; I < Digits.size(); ++I) {
    if (std::isdigit(static_cast<unsigned char>(Digits[I])) == 0) {
      return;
    }
    V = V * 10 + (Digits[I] - '0');
    if (V > INT_MAX) {
      return;
    }
  }
  Param = static_cast<int>(Negative ? -V : V);
}

// The control words, looked up by name ignoring case.
// The largest font size, in points, a run takes: what word processors offer at most. Larger sizes are no text
// anyone means to read and would ask for fonts larger than the screen.
constexpr int MaxFontSize = 1638;

enum TRtfWord {
  rwAuthor,
  rwB,
  rwBlue,
  rwCell,
  rwCf,
  rwColortbl,
  rwDeff,
  rwDeflang,
  rwEndash,
  rwF,
  rwFcharset,
  rwFi,
  rwField,
  rwFnil,
  rwFonttbl,
  rwFprq,
  rwFs,
  rwGreen,
  rwHighlight,
  rwI,
  rwLi,
  rwLine,
  rwListtext,
  rwLquote,
  rwNosupersub,
  rwObject,
  rwOperator,
  rwPar,
  rwPard,
  rwPict,
  rwPlain,
  rwPnf,
  rwPnlvlblt,
  rwPnlvlbody,
  rwPntext,
  rwPropname,
  rwQc,
  rwQj,
  rwQl,
  rwQr,
  rwRed,
  rwRi,
  rwRow,
  rwRquote,
  rwRtf,
  rwStaticval,
  rwStrike,
  rwStylesheet,
  rwSub,
  rwSuper,
  rwTab,
  rwTitle,
  rwTrowd,
  rwU,
  rwUl,
  rwUlnone,
  rwV,
  rwUnknown
};
constexpr std::array<const char*, 57> RtfResWords = {
    "author",    "b",        "blue",       "cell",  "cf",       "colortbl", "deff",       "deflang", "endash",
    "f",         "fcharset", "fi",         "field", "fnil",     "fonttbl",  "fprq",       "fs",      "green",
    "highlight", "i",        "li",         "line",  "listtext", "lquote",   "nosupersub", "object",  "operator",
    "par",       "pard",     "pict",       "plain", "pnf",      "pnlvlblt", "pnlvlbody",  "pntext",  "propname",
    "qc",        "qj",       "ql",         "qr",    "red",      "ri",       "row",        "rquote",  "rtf",
    "staticval", "strike",   "stylesheet", "sub",   "super",    "tab",      "title",      "trowd",   "u",
    "ul",        "ulnone",   "v"};
constexpr std::array<const char*, 13> PictureResWords = {"dibitmap",  "emfblip",   "jpegblip",  "macpict", "pich",
                                                         "picscaled", "picscalex", "picscaley", "picw",    "pmmetafile",
                                                         "pngblip",   "wbitmap",   "wmetafile"};

TRtfWord LookUp(const std::string& Name) {
  for (std::size_t I = 0; I < RtfResWords.size(); ++I) {
    if (SameText(Name, RtfResWords[I])) {
      return static_cast<TRtfWord>(I);
    }
  }
  return rwUnknown;
}

int LookUpPicture(const std::string& Name) {
  for (std::size_t I = 0; I < PictureResWords.size(); ++I) {
    if (SameText(Name, PictureResWords[I])) {
      return static_cast<int>(I);
    }
  }
  return -1;
}

std::string UnicodeChar(int N) {
  // Values above 32767 come as negative 16-bit numbers.
  if (N < 0) {
    N += 65536;
  }
  if (N < 0) {
    return "?";
  }
  const int C = UnicodeToCp1252(static_cast<char32_t>(N));
  return std::string(1, C >= 0 ? static_cast<char>(C) : '?');
}

std::string Trim(const std::string& S) {
  std::size_t A = 0;
  std::size_t B = S.size();
  while (A < B && static_cast<unsigned char>(S[A]) <= ' ') {
    ++A;
  }
  while (B > A && static_cast<unsigned char>(S[B - 1]) <= ' ') {
    --B;
  }
  return S.substr(A, B - A);
}

std::uint32_t Le32(const std::string& S, std::size_t At) {
  std::uint32_t V = 0;
  for (int I = 3; I >= 0; --I) {
    V = (V << 8) | static_cast<unsigned char>(S[At + static_cast<std::size_t>(I)]);
  }
  return V;
}

// Whether a device-independent bitmap (with the file header in front) holds the pixels its header promises, so
// that no header can ask for more memory than the data it came with.
bool PlausibleBitmap(const std::string& File) {
  auto Le16 = [&](std::size_t At) {
    return static_cast<int>(static_cast<unsigned char>(File[At]) | (static_cast<unsigned char>(File[At + 1]) << 8));
  };
  if (File.size() < 14 + 12) {
    return false;
  }
  const std::uint32_t HeaderSize = Le32(File, 14);
  std::int32_t W = 0;
  std::int32_t H = 0;
  int Bits = 0;
  if (HeaderSize == 12) {
    W = Le16(18);
    H = static_cast<std::int16_t>(Le16(20));
    Bits = Le16(24);
  } else if (HeaderSize >= 40 && File.size() >= 14 + 40) {
    W = static_cast<std::int32_t>(Le32(File, 18));
    H = static_cast<std::int32_t>(Le32(File, 22));
    Bits = Le16(28);
  } else {
    return false;
  }
  if (W <= 0 || H == 0 || H == INT_MIN || Bits <= 0) {
    return false;
  }
  // Compared by division: the product of the largest width, height and depth does not fit in 64 bits.
  const long long Stride = ((static_cast<long long>(W) * Bits + 31) / 32) * 4;
  return Stride <= static_cast<long long>(File.size()) / std::llabs(static_cast<long long>(H));
}

}  // namespace

// ---- importer bases ----

TCustomEasyImporter::TCustomEasyImporter(TFont*) {}

void TCustomEasyImporter::DoParseText(const std::string& Text, TCustomEasyEditorAttributes* Attributes,
                                      TCustomEasyParagraph* Paragraph, TObject* Object) {
  if (OnParseText) {
    OnParseText(this, Text, Object, Paragraph, Attributes);
  }
}

void TCustomEasyImporter::ParseString(const std::string& Text) {
  if (Text.empty()) {
    return;
  }
  TMemoryStream M;
  M.WriteBuffer(Text.data(), static_cast<LongInt>(Text.size()));
  M.SetPosition(0);
  ParseStream(&M);
}

TCustomEasyImporterEx::TCustomEasyImporterEx(TFont* AFont)
    : TCustomEasyImporter(AFont),
      FAttributes(std::make_unique<TCustomEasyEditorAttributes>()),
      FParagraph(std::make_unique<TCustomEasyParagraph>()) {
  if (AFont) {
    SetDefaultFont(AFont);
  }
}

TCustomEasyImporterEx::~TCustomEasyImporterEx() = default;

void TCustomEasyImporterEx::SetDefaultFont(TFont* AFont) {
  if (AFont) {
    SetDefaultFont(AFont->Name(), AFont->Size());
  }
}

void TCustomEasyImporterEx::SetDefaultFont(const std::string& Name, int Size) {
  FBaseName = Name;
  FBaseSize = Size;
}

TEasyRtfRecord* TCustomEasyImporterEx::GetCurrent() {
  if (FStack.empty()) {
    Push(-1);
  }
  return &FStack.back();
}

void TCustomEasyImporterEx::Push(int Key) {
  TEasyRtfRecord R;
  R.Key = Key;
  FStack.push_back(R);
}

void TCustomEasyImporterEx::Pop(int Key) {
  if (FStack.empty()) {
    return;
  }
  if (Key == -1) {
    FStack.pop_back();
    return;
  }
  for (std::size_t I = FStack.size(); I > 0; --I) {
    if (FStack[I - 1].Key == Key) {
      FStack.erase(FStack.begin() + static_cast<std::ptrdiff_t>(I - 1));
      return;
    }
  }
}

void TCustomEasyImporterEx::WriteColor(Integer Color) {
  TEasyRtfRecord* R = GetCurrent();
  R->Background = Color;
  R->BackgroundSet = true;
}

void TCustomEasyImporterEx::WriteFontName(const std::string& Name, Byte Charset) {
  TEasyRtfRecord* R = GetCurrent();
  R->FontName = Name;
  R->Charset = Charset;
}

void TCustomEasyImporterEx::WriteFontStyle(TEasyFontStyle Style, bool On) {
  TEasyRtfRecord* R = GetCurrent();
  if (On) {
    R->StylesOn.Include(Style);
    R->StylesOff.Exclude(Style);
  } else {
    R->StylesOff.Include(Style);
    R->StylesOn.Exclude(Style);
  }
  R->StylesSet = true;
}

void TCustomEasyImporterEx::WriteScriptStyle(TEasyScriptStyle Style, bool On) {
  TEasyRtfRecord* R = GetCurrent();
  R->ScriptSet = true;
  R->Script = On ? Style : ssNormal;
}

void TCustomEasyImporterEx::GetCurrentAttributes(TCustomEasyEditorAttributes* A) {
  std::string Name = FBaseName;
  Byte Charset = 0;
  int Size = FBaseSize;
  TEasyFontStyles Style;
  Integer Color = -1;
  Integer Back = -1;
  TEasyScriptStyle Script = ssNormal;
  std::string Url;
  for (const TEasyRtfRecord& R : FStack) {
    if (!R.FontName.empty()) {
      Name = R.FontName;
      Charset = R.Charset;
    }
    if (R.Size != -1) {
      Size = R.Size;
    }
    if (R.Color != -1) {
      Color = R.Color;
    }
    if (R.StylesSet) {
      if (R.StylesOn.Empty() && R.StylesOff.Empty()) {
        Style = TEasyFontStyles{};
      } else {
        Style = (Style + R.StylesOn) - R.StylesOff;
      }
    }
    if (R.BackgroundSet) {
      Back = R.Background;
    }
    if (R.ScriptSet) {
      Script = R.Script;
    }
    if (!R.Url.empty()) {
      Url = R.Url;
    }
  }
  A->SetName(Name);
  A->SetCharset(Charset);
  A->SetSize(Size);
  A->SetStyle(Style);
  A->SetColor(Color);
  A->SetBkColor(Back);
  A->SetScriptStyle(Script);
  A->SetUrl(Url);
}

void TCustomEasyImporterEx::WriteString(const std::string& Text) {
  if (Text.empty()) {
    return;
  }
  GetCurrentAttributes(FAttributes.get());
  CheckNewLine();
  DoParseText(Text, FAttributes.get(), nullptr, nullptr);
}

// ---- tokenizer ----

void TEasyRtfParser::SetLines(std::vector<std::string> Lines) {
  FLines = std::move(Lines);
  Reset();
}

bool TEasyRtfParser::EndOfSource() {
  while (FState.Line < static_cast<int>(FLines.size()) &&
         FState.Pos >= FLines[static_cast<std::size_t>(FState.Line)].size()) {
    ++FState.Line;
    FState.Pos = 0;
  }
  return FState.Line >= static_cast<int>(FLines.size());
}

void TEasyRtfParser::StepBack() {
  if (FState.Pos > 0) {
    --FState.Pos;
  }
}

int TEasyRtfParser::NextToken(std::string& Text) {
  Text.clear();
  if (EndOfSource()) {
    return tkEnd;
  }
  const std::string& L = FLines[static_cast<std::size_t>(FState.Line)];
  std::size_t& P = FState.Pos;
  FTokenStart = P;
  const char C = L[P];
  if (C == '{') {
    ++P;
    Text = "{";
    return tkOpen;
  }
  if (C == '}') {
    ++P;
    Text = "}";
    return tkClose;
  }
  if (C == '|') {
    ++P;
    Text = "|";
    return tkText;
  }
  auto Escaped = [&](std::size_t At) {
    return At + 1 < L.size() && L[At] == '\\' &&
           (L[At + 1] == '\\' || L[At + 1] == '{' || L[At + 1] == '}' || L[At + 1] == '|');
  };
  if (C == '\\' && !Escaped(P)) {
    std::size_t E = P + 1;
    if (E < L.size()) {
      ++E;
      while (E < L.size() && IsWordChar(L[E])) {
        ++E;
      }
    }
    Text = L.substr(P, E - P);
    P = E;
    return tkWord;
  }
  std::size_t E = P;
  while (E < L.size()) {
    if (Escaped(E)) {
      E += 2;
      continue;
    }
    const char D = L[E];
    if (D == '\\' || D == '{' || D == '}' || D == '|') {
      break;
    }
    ++E;
  }
  Text = L.substr(P, E - P);
  P = E;
  return tkText;
}

// ---- the RTF importer ----

TEasyRtfImporter::TEasyRtfImporter(TFont* AFont)
    : TCustomEasyImporterEx(AFont),
      FFontTable(std::make_unique<TStringList>()),
      FColorTable(std::make_unique<TStringList>()) {}

TEasyRtfImporter::~TEasyRtfImporter() = default;

bool TEasyRtfImporter::IsValidStream(TStream* Stream) {
  char Head[5] = {};
  const LongInt Start = Stream->Position();
  const bool Ok = Stream->Size() - Start >= 5 && Stream->Read(Head, 5) == 5 && std::memcmp(Head, "{\\rtf", 5) == 0;
  Stream->SetPosition(Start);
  return Ok;
}

std::string TEasyRtfImporter::RemoveSlash(const std::string& Text, bool DropLeadingSpace) {
  std::string S = Text;
  if (DropLeadingSpace && !S.empty() && S[0] == ' ') {
    S.erase(0, 1);
  }
  std::string Out;
  Out.reserve(S.size());
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '\\' && I + 1 < S.size() && (S[I + 1] == '\\' || S[I + 1] == '{' || S[I + 1] == '}')) {
      Out += S[I + 1];
      ++I;
    } else {
      Out += S[I];
    }
  }
  return Out;
}

int TEasyRtfImporter::PixelToRtfWidth(int N) { return SafeMulDiv(SafeMulDiv(N, 567, 100), 254, 96); }
int TEasyRtfImporter::RtfWidthToPixel(int N) { return SafeMulDiv(SafeMulDiv(N, 100, 567), 96, 254); }

void TEasyRtfImporter::CheckNewLine() {
  if (FNewLinePending) {
    FNewLinePending = false;
    DoParseText("\r\n", nullptr, Paragraph(), nullptr);
    return;
  }
  if (FFirstParagraph) {
    if (FFirstFormatGiven) {
      DoParseText(std::string(), nullptr, Paragraph(), nullptr);
    }
    FFirstParagraph = false;
  }
}

void TEasyRtfImporter::WriteText(const std::string& Text) {
  if (!FSkippingListText) {
    WriteString(Text);
  }
}

void TEasyRtfImporter::ParseStream(TStream* Stream) {
  const LongInt Size = Stream->Size() - Stream->Position();
  if (Size <= 0) {
    return;
  }
  std::string Text(static_cast<std::size_t>(Size), '\0');
  Stream->ReadBuffer(Text.data(), Size);
  std::vector<std::string> Lines;
  std::size_t Start = 0;
  for (std::size_t I = 0; I <= Text.size(); ++I) {
    if (I == Text.size() || Text[I] == '\r' || Text[I] == '\n') {
      Lines.push_back(Text.substr(Start, I - Start));
      if (I + 1 < Text.size() && Text[I] == '\r' && Text[I + 1] == '\n') {
        ++I;
      }
      Start = I + 1;
    }
  }
  GetCurrentAttributes(Attributes());
  ClearStack();
  FParser.SetLines(std::move(Lines));
  FNewLinePending = false;
  FFirstParagraph = true;
  FFirstFormatGiven = false;
  FSkippingListText = false;
  int PrevKind = TEasyRtfParser::tkEnd;
  int LastLine = -1;
  std::string Token;
  const int Count = FParser.LineCount();
  while (true) {
    const int Kind = FParser.NextToken(Token);
    if (Kind == TEasyRtfParser::tkEnd) {
      break;
    }
    switch (Kind) {
      case TEasyRtfParser::tkOpen:
        if (static_cast<std::size_t>(StackDepth()) < MaxStackDepth) {
          Push(-1);
        }
        break;
      case TEasyRtfParser::tkClose:
        Pop(-1);
        FSkippingListText = false;
        break;
      case TEasyRtfParser::tkText: {
        const bool Drop = PrevKind == TEasyRtfParser::tkWord && !FParser.TokenStartsLine();
        WriteText(RemoveSlash(Token, Drop));
        break;
      }
      case TEasyRtfParser::tkWord: ProcessResWord(Token, PrevKind); break;
      default: break;
    }
    // A character escape takes no delimiting blank: the blank after it is text, as after any text.
    const bool CharEscape = Kind == TEasyRtfParser::tkWord && Token.size() >= 2 && Token[1] == '\'';
    PrevKind = CharEscape ? TEasyRtfParser::tkText : Kind;
    if (FParser.LineIndex() != LastLine) {
      LastLine = FParser.LineIndex();
      if (OnProgress) {
        OnProgress(this, LastLine, Count);
      }
    }
  }
  CheckNewLine();
  if (OnProgress) {
    OnProgress(this, Count, Count);
  }
}

Integer TEasyRtfImporter::TableColor(int Index, bool& Found) const {
  Found = Index >= 0 && Index < FColorTable->Count();
  return Found ? StrToIntDef(FColorTable->Strings(Index), 0) : -1;
}

void TEasyRtfImporter::PlainFont() {
  TEasyRtfRecord* R = GetCurrent();
  if (FFontTable->Count() > 0) {
    R->FontName = FFontTable->Strings(0);
    R->Charset = static_cast<Byte>(reinterpret_cast<std::uintptr_t>(FFontTable->Objects(0)));
  } else {
    R->FontName = BaseFontName();
    R->Charset = 0;
  }
  R->Size = 12;
  R->Color = 0;
  R->Background = -1;
  R->BackgroundSet = true;
  R->StylesSet = true;
  R->StylesOn = TEasyFontStyles{};
  R->StylesOff = TEasyFontStyles{};
  R->ScriptSet = false;
  R->Script = ssNormal;
}

void TEasyRtfImporter::ProcessResWord(const std::string& Word, int PrevKind) {
  if (Word == "\\*") {
    SkipGroup();
    return;
  }
  if (Word.size() >= 2 && Word[1] == '\'') {
    ReadCodePageChars(Word);
    return;
  }
  std::string Name;
  int N = -1;
  SplitWord(Word.substr(1), Name, N);
  const TRtfWord W = LookUp(Name);
  if (FFirstParagraph && (W == rwFi || W == rwLi || W == rwListtext || W == rwPard || W == rwPntext || W == rwQc ||
                          W == rwQj || W == rwQl || W == rwQr || W == rwRi)) {
    FFirstFormatGiven = true;
  }
  switch (W) {
    case rwAuthor:
    case rwOperator:
    case rwPropname:
    case rwStaticval:
    case rwStylesheet:
    case rwTitle: SkipGroup(); break;
    case rwB: WriteFontStyle(fsBold, N != 0); break;
    case rwI: WriteFontStyle(fsItalic, N != 0); break;
    case rwUl: WriteFontStyle(fsUnderline, N != 0); break;
    case rwStrike: WriteFontStyle(fsStrikeOut, N != 0); break;
    case rwUlnone: WriteFontStyle(fsUnderline, false); break;
    case rwCell:
    case rwTab: WriteText("\t"); break;
    case rwCf: {
      bool Found = false;
      const Integer C = TableColor(N == -1 ? 0 : N, Found);
      if (Found) {
        WriteFontColor(C);
      }
      break;
    }
    case rwColortbl: ReadColorTable(); break;
    case rwEndash: WriteText("-"); break;
    case rwF:
    case rwPnf:
      if (N >= 0 && N < FFontTable->Count()) {
        WriteFontName(FFontTable->Strings(N),
                      static_cast<Byte>(reinterpret_cast<std::uintptr_t>(FFontTable->Objects(N))));
      }
      break;
    case rwFi: Paragraph()->SetFirstIndent(RtfWidthToPixel(N)); break;
    case rwLi: Paragraph()->SetLeftIndent(RtfWidthToPixel(N)); break;
    case rwRi: Paragraph()->SetRightIndent(RtfWidthToPixel(N)); break;
    case rwField: ReadField(); break;
    case rwFonttbl: ReadFontTable(); break;
    case rwFs: WriteFontSize(N < 0 ? 72 : std::min(N / 2, MaxFontSize)); break;
    case rwHighlight: {
      bool Found = false;
      Integer C = TableColor(N, Found);
      if (Found && N == 0 && C == 0) {
        C = -1;
      }
      WriteColor(C);
      break;
    }
    case rwLine:
    case rwTrowd: WriteText("\r\n"); break;
    case rwListtext:
    case rwPntext:
      if (PrevKind == TEasyRtfParser::tkOpen) {
        FSkippingListText = true;
      }
      WriteNumberingStyle(W == rwListtext ? nbsNumber : nbsBullet);
      break;
    case rwLquote:
    case rwRquote: WriteText("'"); break;
    case rwNosupersub: WriteScriptStyle(ssNormal, false); break;
    case rwSub: WriteScriptStyle(ssSubScript, N != 0); break;
    case rwSuper: WriteScriptStyle(ssSuperScript, N != 0); break;
    case rwPar:
      if (FNewLinePending) {
        CheckNewLine();
      }
      WriteNumberingStyle(nbsNone);
      FNewLinePending = true;
      FFirstParagraph = false;
      break;
    case rwPard: WriteParagraphAlign(algLeft); break;
    case rwPict: try { ReadPicture();
      } catch (const std::exception&) {
        // A picture that cannot be read is left out.
      }
      break;
    case rwPlain: PlainFont(); break;
    case rwQc: WriteParagraphAlign(algCenter); break;
    case rwQj: WriteParagraphAlign(algJustify); break;
    case rwQl: WriteParagraphAlign(algLeft); break;
    case rwQr: WriteParagraphAlign(algRight); break;
    case rwU: WriteText(UnicodeChar(N)); break;
    default: break;
  }
}

void TEasyRtfImporter::ReadCodePageChars(const std::string& First) {
  std::string Run;
  std::string Rest;
  auto Decode = [&](const std::string& Word) {
    // "\'" and up to two hex digits; whatever else the word holds is ordinary text.
    std::size_t I = 2;
    int V = 0;
    int Digits = 0;
    while (I < Word.size() && Digits < 2 && IsHex(Word[I])) {
      V = V * 16 + HexValue(Word[I]);
      ++I;
      ++Digits;
    }
    if (Digits == 0) {
      return false;
    }
    Run += static_cast<char>(V);
    Rest = Word.substr(I);
    return true;
  };
  if (!Decode(First)) {
    return;
  }
  while (Rest.empty()) {
    const TEasyRtfParser::TState Saved = FParser.SaveState();
    std::string Next;
    if (FParser.NextToken(Next) != TEasyRtfParser::tkWord || Next.size() < 2 || Next[1] != '\'' || !Decode(Next)) {
      FParser.RestoreState(Saved);
      break;
    }
  }
  WriteText(Run);
  if (!Rest.empty()) {
    WriteText(RemoveSlash(Rest, false));
  }
}

int TEasyRtfImporter::NextGroupToken(std::string& T, int& Depth) {
  const int Kind = FParser.NextToken(T);
  if (Kind == TEasyRtfParser::tkOpen) {
    ++Depth;
  } else if (Kind == TEasyRtfParser::tkClose) {
    if (Depth == 0) {
      FParser.StepBack();
      return TEasyRtfParser::tkEnd;
    }
    --Depth;
  }
  return Kind;
}

void TEasyRtfImporter::SkipGroup() {
  FPendingUrl.clear();
  int Depth = 0;
  bool AfterFldInst = false;
  std::string T;
  while (true) {
    const int Kind = NextGroupToken(T, Depth);
    if (Kind == TEasyRtfParser::tkEnd) {
      return;
    }
    if (Kind == TEasyRtfParser::tkWord) {
      AfterFldInst = SameText(T, "\\fldinst");
    } else if (Kind == TEasyRtfParser::tkText && AfterFldInst) {
      const std::string S = Trim(T);
      if (S.size() >= 9 && SameText(S.substr(0, 9), "HYPERLINK")) {
        std::string Target = Trim(S.substr(9));
        if (Target.size() >= 2 && Target.front() == '"' && Target.back() == '"') {
          Target = Target.substr(1, Target.size() - 2);
        } else if (!Target.empty() && Target.front() == '"') {
          Target.erase(0, 1);
        }
        FPendingUrl = Target;
      }
    }
  }
}

void TEasyRtfImporter::ReadFontTable() {
  int Depth = 0;
  int Index = -1;
  Byte Charset = 1;
  std::string T;
  while (true) {
    const int Kind = NextGroupToken(T, Depth);
    if (Kind == TEasyRtfParser::tkEnd) {
      return;
    }
    if (Kind == TEasyRtfParser::tkWord) {
      std::string Name;
      int N = -1;
      SplitWord(T.substr(1), Name, N);
      if (SameText(Name, "f")) {
        Index = N;
      } else if (SameText(Name, "fcharset")) {
        Charset = static_cast<Byte>(N < 0 ? 0 : N);
      } else if (T == "\\*") {
        SkipGroup();
      }
    } else if (Kind == TEasyRtfParser::tkText && Depth <= 1) {
      std::string Name = Trim(T);
      Name.erase(std::remove(Name.begin(), Name.end(), ';'), Name.end());
      if (Name.empty()) {
        continue;
      }
      auto* CharsetObject = reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(Charset));
      if (Index < 0) {
        FFontTable->AddObject(Name, CharsetObject);
      } else if (Index <= MaxFontIndex) {
        while (FFontTable->Count() <= Index) {
          FFontTable->Add(std::string());
        }
        FFontTable->SetStrings(Index, Name);
        FFontTable->SetObjects(Index, CharsetObject);
      }
      Charset = 0;
    }
  }
}

void TEasyRtfImporter::ReadColorTable() {
  bool WordSeen = false;
  long long Color = 0;
  std::string T;
  while (true) {
    const int Kind = FParser.NextToken(T);
    if (Kind == TEasyRtfParser::tkEnd) {
      return;
    }
    if (Kind == TEasyRtfParser::tkClose) {
      FParser.StepBack();
      return;
    }
    if (Kind == TEasyRtfParser::tkText) {
      if (!WordSeen && T.find(';') != std::string::npos) {
        FColorTable->Add("0");
      }
    } else if (Kind == TEasyRtfParser::tkWord) {
      WordSeen = true;
      std::string Name;
      int N = -1;
      SplitWord(T.substr(1), Name, N);
      const long long V = std::clamp(N, 0, 255);
      if (SameText(Name, "red")) {
        Color = V;
      } else if (SameText(Name, "green")) {
        Color += V * 256;
      } else if (SameText(Name, "blue")) {
        Color += V * 65536;
        FColorTable->Add(std::to_string(Color));
        Color = 0;
      }
    }
  }
}

void TEasyRtfImporter::ReadField() {
  const TEasyRtfParser::TState Saved = FParser.SaveState();
  std::string T;
  FPendingUrl.clear();
  if (FParser.NextToken(T) == TEasyRtfParser::tkOpen && FParser.NextToken(T) == TEasyRtfParser::tkWord && T == "\\*") {
    SkipGroup();
  }
  FParser.RestoreState(Saved);
  if (!FPendingUrl.empty()) {
    WriteUrl(FPendingUrl);
  }
}

void TEasyRtfImporter::ReadPicture() {
  TPictureInfo Info;
  std::string Hex;
  int Depth = 0;
  std::string T;
  while (true) {
    const int Kind = NextGroupToken(T, Depth);
    if (Kind == TEasyRtfParser::tkEnd) {
      break;
    }
    if (Kind == TEasyRtfParser::tkText) {
      Hex += Trim(T);
    } else if (Kind == TEasyRtfParser::tkWord) {
      if (T == "\\*") {
        SkipGroup();
        continue;
      }
      std::string Name;
      int N = -1;
      SplitWord(T.substr(1), Name, N);
      switch (LookUpPicture(Name)) {
        case 0: Info.SourceType = TPictureSourceType::psDib; break;
        case 1: Info.SourceType = TPictureSourceType::psEmf; break;
        case 2: Info.SourceType = TPictureSourceType::psJpeg; break;
        case 3: Info.SourceType = TPictureSourceType::psMac; break;
        case 4: Info.Height = N; break;
        case 5: Info.Scaled = true; break;
        case 6: Info.ScaleX = N; break;
        case 7: Info.ScaleY = N; break;
        case 8: Info.Width = N; break;
        case 9: Info.SourceType = TPictureSourceType::psOs2Mf; break;
        case 10: Info.SourceType = TPictureSourceType::psPng; break;
        case 11: Info.SourceType = TPictureSourceType::psBmp; break;
        case 12:
          Info.SourceType = TPictureSourceType::psWmf;
          Info.MappingMode = N;
          break;
        default: break;
      }
    }
  }
  if (Hex.empty() || (Info.SourceType != TPictureSourceType::psBmp && Info.SourceType != TPictureSourceType::psDib)) {
    return;
  }
  Info.Data = HexToString(Hex);
  std::string File = "BM";
  const auto FileSize = static_cast<std::uint32_t>(Info.Data.size() + 14);
  for (int I = 0; I < 4; ++I) {
    File += static_cast<char>((FileSize >> (8 * I)) & 0xFF);
  }
  File.append(8, '\0');
  File += Info.Data;
  // The pixels start after the info header and its palette: the file header's offset field.
  if (File.size() >= 18) {
    const std::uint32_t HeaderSize = Le32(File, 14);
    std::uint32_t Offset = 14 + HeaderSize;
    if (HeaderSize >= 40 && File.size() >= 54) {
      const int Bits = static_cast<unsigned char>(File[28]) | (static_cast<unsigned char>(File[29]) << 8);
      std::uint32_t Colors = Le32(File, 46);
      if (Colors == 0 && Bits > 0 && Bits <= 8) {
        Colors = 1u << Bits;
      }
      Offset += std::min<std::uint32_t>(Colors, 256) * 4;
    }
    for (int I = 0; I < 4; ++I) {
      File[10 + static_cast<std::size_t>(I)] = static_cast<char>((Offset >> (8 * I)) & 0xFF);
    }
  }
  if (!PlausibleBitmap(File)) {
    return;
  }
  TBitmap Bitmap;
  TMemoryStream M;
  M.WriteBuffer(File.data(), static_cast<LongInt>(File.size()));
  M.SetPosition(0);
  Bitmap.LoadFromStream(&M);
  TCustomEasyEditorObject Object;
  const int W = Info.Width > 0 ? Info.Width : Bitmap.Width();
  const int H = Info.Height > 0 ? Info.Height : Bitmap.Height();
  Object.SetWidth(SafeMulDiv(W, Info.ScaleX, 100));
  Object.SetHeight(SafeMulDiv(H, Info.ScaleY, 100));
  Object.SetStretch(Info.ScaleX != 100 || Info.ScaleY != 100 || Object.Width() != Bitmap.Width() ||
                    Object.Height() != Bitmap.Height());
  CheckNewLine();
  DoParseText(std::string(), nullptr, nullptr, &Object);
}

void ImportFromRtfString(const std::string& Text, const TParseTextEvent& Notification) {
  TEasyRtfImporter Importer;
  Importer.OnParseText = Notification;
  Importer.ParseString(Text);
}

void ImportFromRtfStream(TStream* Stream, const TParseTextEvent& Notification) {
  TEasyRtfImporter Importer;
  Importer.OnParseText = Notification;
  Importer.ParseStream(Stream);
}
