// The RTF and HTML importers: two readers that feed a formatting stack, which hands runs of text with their
// font and background colour to the importer's callback.
#include "codeeditor/Dcexport.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <cctype>

namespace Dcexport {

using namespace Dcparser;

Z_IMPLEMENT_CLASS(ZEZImporter, TObject)
Z_IMPLEMENT_CLASS(ZEZRtfImporter, ZEZImporter)
Z_IMPLEMENT_CLASS(TDCHTMLImporter, ZEZImporter)

namespace {
constexpr const char* CrLf = "\r\n";
constexpr Integer tokHtmlText = 24;

bool IsDigitChar(char C) { return C >= '0' && C <= '9'; }
bool IsLetter(char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_'; }
bool IsIdent(char C) { return IsLetter(C) || IsDigitChar(C); }

Integer ToIntDef(std::string_view S, Integer Default) {
  if (S.empty()) {
    return Default;
  }
  std::size_t I = S[0] == '-' || S[0] == '+' ? 1 : 0;
  if (I >= S.size()) {
    return Default;
  }
  Int64 V = 0;
  for (; I < S.size(); ++I) {
    if (!IsDigitChar(S[I])) {
      return Default;
    }
    V = std::min<Int64>(V * 10 + (S[I] - '0'), 0x7FFFFFFF);
  }
  return static_cast<Integer>(S[0] == '-' ? -V : V);
}

Integer ClampSize(Int64 Points) {
  return static_cast<Integer>(std::clamp<Int64>(Points, MinImportFontSize, MaxImportFontSize));
}

// One level of formatting.
struct TImportRecord {
  Integer Key = -1;
  std::string FontName;
  Byte CharSet = 1;
  TFontStyles StylesOn;
  TFontStyles StylesOff;
  TColor Color = -1;
  Integer Size = -1;
  TColor BackColor = -1;
  bool StylesSet = false;
  bool BackColorSet = false;
};
}  // namespace

// The formatting stack shared by both readers.
class TInternalImporter {
public:
  TInternalImporter(ZEZImporter* AOwner, std::string ADefaultFont, TRTFConverter* ATable)
      : FOwner(AOwner), FDefaultFont(std::move(ADefaultFont)), FTable(ATable) {}

  void Push(Integer Key) {
    FStack.emplace_back();
    FStack.back().Key = Key;
  }
  void Pop(Integer Key) {
    if (FStack.empty()) {
      return;
    }
    if (Key == -1) {
      FStack.pop_back();
      return;
    }
    for (auto It = FStack.rbegin(); It != FStack.rend(); ++It) {
      if (It->Key == Key) {
        FStack.erase(std::next(It).base());
        return;
      }
    }
  }
  void Clear() { FStack.clear(); }
  void SetStyle(TFontStyle Style, bool On) {
    TImportRecord& R = Top();
    R.StylesSet = true;
    if (On) {
      R.StylesOn.Include(Style);
      R.StylesOff.Exclude(Style);
    } else {
      R.StylesOff.Include(Style);
      R.StylesOn.Exclude(Style);
    }
  }
  void SetColor(TColor C) { Top().Color = C; }
  void SetBackColor(TColor C) {
    Top().BackColor = C;
    Top().BackColorSet = true;
  }
  void SetSize(Integer Points) { Top().Size = ClampSize(Points); }
  void SetFont(const std::string& Name, Byte CharSet) {
    Top().FontName = Name;
    Top().CharSet = CharSet;
  }
  void Plain() {
    TImportRecord& R = Top();
    DefaultFont(R.FontName, R.CharSet);
    R.Size = 12;
    R.Color = 0;
    R.BackColor = -1;
    R.StylesOn = {};
    R.StylesOff = {};
    R.StylesSet = true;
    R.BackColorSet = false;
  }
  void Output(const std::string& Text) {
    if (Text.empty()) {
      return;
    }
    std::string Name;
    Byte CharSet = 1;
    Integer Size = -1;
    TColor Color = -1;
    TFontStyles Styles;
    TColor Back = -1;
    for (const auto& R : FStack) {
      if (!R.FontName.empty()) {
        Name = R.FontName;
        CharSet = R.CharSet;
      }
      if (R.Size != -1) {
        Size = R.Size;
      }
      if (R.Color != -1) {
        Color = R.Color;
      }
      if (R.StylesSet) {
        if (R.StylesOn.Empty() && R.StylesOff.Empty()) {
          Styles = {};
        } else {
          Styles = (Styles + R.StylesOn) - R.StylesOff;
        }
      }
      if (R.BackColorSet) {
        Back = R.BackColor;
      }
    }
    if (Name.empty()) {
      DefaultFont(Name, CharSet);
    }
    TFont* F = FOwner->Font();
    if (F->Name() != Name) {
      F->SetName(Name);
    }
    if (F->Charset() != CharSet) {
      F->SetCharset(CharSet);
    }
    const Integer Points = Size < 0 ? 12 : Size;
    if (F->Size() != Points) {
      F->SetSize(Points);
    }
    const TColor FontColor = Color < 0 ? 0 : Color;
    if (F->Color() != FontColor) {
      F->SetColor(FontColor);
    }
    if (F->Style() != Styles) {
      F->SetStyle(Styles);
    }
    if (PendingBlank && Text != CrLf) {
      FOwner->TextChanged(" " + Text, F, Back);
    } else {
      FOwner->TextChanged(Text, F, Back);
    }
    PendingBlank = false;
  }

  bool PendingBlank = false;

private:
  TImportRecord& Top() {
    if (FStack.empty()) {
      Push(-1);
    }
    return FStack.back();
  }
  void DefaultFont(std::string& Name, Byte& CharSet) const {
    if (FTable != nullptr && FTable->FontTable()->Count() > 0) {
      Name = FTable->FontTable()->Strings(0);
      CharSet = FTable->FontCharSet(0);
    } else {
      Name = FDefaultFont;
      CharSet = 1;
    }
  }

  ZEZImporter* FOwner;
  std::string FDefaultFont;
  TRTFConverter* FTable;
  std::vector<TImportRecord> FStack;
};

// ---- the importers ----

ZEZImporter::ZEZImporter() : FFont(new TFont()) {}
ZEZImporter::~ZEZImporter() = default;

void ZEZImporter::TextChanged(const std::string& S, TFont* AFont, TColor Color) {
  if (OnParseText) {
    OnParseText(this, S, AFont, Color);
  }
}

bool ZEZRtfImporter::IsValidStream(TStream* Stream) {
  char Head[5] = {};
  const LongInt Got = Stream->Read(Head, 5);
  Stream->SetPosition(0);
  return Got == 5 && std::string_view(Head, 5) == "{\\rtf";
}

namespace {
// The RTF reader.
class TRtfImporter : public TRTFConverter {
public:
  TRtfImporter(ZEZRtfImporter* AOwner, const std::string& Text)
      : TRTFConverter(Text), FImporter(AOwner, std::string(), this) {}
  void Run();

private:
  void OutputText(const std::string& S) {
    if (!S.empty() && S != CrLf) {
      FImporter.Output(S);
    }
  }
  void ControlWord();
  void GroupBegin();
  void HexChars();
  void SkipReplacement();
  TInternalImporter FImporter;
};

const char* const SkippedGroupWords[] = {"\\stylesheet", "\\pntxta",   "\\pntxtb", "\\propname",
                                         "\\staticval",  "\\object",   "\\*",      "\\title",
                                         "\\author",     "\\operator", "\\pict"};

void TRtfImporter::Run() {
  Integer Prev = tokSymbol;
  for (;;) {
    const Integer T = FParser->NextToken();
    if (T == tokEof) {
      break;
    }
    switch (T) {
      case tokString:
      case tokInteger:
      case tokFloat: {
        const bool Drop =
            (Prev == tokResWord || Prev == tokRtfUnknownWord) && FParser->TokenPtr() != FParser->LinePtr();
        OutputText(DCRemoveSlash(std::string(FParser->TokenText()), Drop));
        break;
      }
      case tokResWord: ControlWord(); break;
      case tokRtfGroupBegin: GroupBegin(); break;
      case tokRtfGroupEnd: FImporter.Pop(-1); break;
      case tokRtfUnknownWord:
        if (FParser->TokenText() == "\\" && *FParser->CurPtr() == '~') {
          FParser->SetCharPos(FParser->GetCharPos() + 1);
          FImporter.Output(" ");
        } else {
          FParser->SkipRtfDigits();
        }
        break;
      case tokRtfHexChar: HexChars(); break;
      default: break;
    }
    Prev = T;
  }
  FImporter.Clear();
}

void TRtfImporter::GroupBegin() {
  std::string Next;
  const bool IsColorTable = FParser->GroupText().empty() && FParser->PeekIsWord(Id("\\colortbl"), &Next);
  if (IsColorTable) {
    (void)FParser->NextToken();
    ProcessColorTable();
    return;
  }
  if (FParser->GroupText().empty() && Next != "\\") {
    // Destinations that hold no document text are skipped whole.
    for (const char* W : SkippedGroupWords) {
      if (Next == W) {
        SkipGroup();
        return;
      }
    }
  }
  FImporter.Push(-1);
  OutputText(FParser->GroupText());
}

void TRtfImporter::HexChars() {
  std::string Bytes(1, static_cast<char>(FParser->HexValue()));
  while (*FParser->CurPtr() == '\\' && FParser->CurPtr()[1] == '\'') {
    (void)FParser->NextToken();
    Bytes += static_cast<char>(FParser->HexValue());
  }
  FImporter.Output(Bytes);
  const char C = *FParser->CurPtr();
  if (static_cast<unsigned char>(C) >= 32 && C != '\\' && C != '{' && C != '}') {
    (void)FParser->NextToken();
    FImporter.Output(std::string(FParser->TokenText()));
  }
}

// Steps over the one-character stand-in that follows a "\u" character: a hex escape or one plain character.
void TRtfImporter::SkipReplacement() {
  const char* P = FParser->CurPtr();
  if (*P == ' ') {
    FParser->SetCharPos(FParser->GetCharPos() + 1);
    P = FParser->CurPtr();
  }
  if (P[0] == '\\' && P[1] == '\'') {
    (void)FParser->NextToken();
  } else if (static_cast<unsigned char>(*P) >= 32 && *P != '\\' && *P != '{' && *P != '}') {
    FParser->SetCharPos(FParser->GetCharPos() + 1);
  }
}

void TRtfImporter::ControlWord() {
  const std::string Word(FParser->TokenText());
  const char Next = *FParser->CurPtr();
  Integer N = 0;
  if (SameText(Word, "\\b") || SameText(Word, "\\i") || SameText(Word, "\\strike") || SameText(Word, "\\ul")) {
    const TFontStyle Style = SameText(Word, "\\b")    ? fsBold
                             : SameText(Word, "\\i")  ? fsItalic
                             : SameText(Word, "\\ul") ? fsUnderline
                                                      : fsStrikeOut;
    FImporter.SetStyle(Style, Next != '0');
  } else if (SameText(Word, "\\ulnone")) {
    FImporter.SetStyle(fsUnderline, false);
  } else if (SameText(Word, "\\cell") || SameText(Word, "\\tab")) {
    FImporter.Output("\t");
  } else if (SameText(Word, "\\cf")) {
    if (FParser->ReadParam(N) && N >= 0 && N < FColorTable->Count()) {
      FImporter.SetColor(ToIntDef(FColorTable->Strings(N), 0));
    }
  } else if (SameText(Word, "\\endash")) {
    FImporter.Output("-");
  } else if (SameText(Word, "\\f") || SameText(Word, "\\pnf")) {
    if (FParser->ReadParam(N) && N >= 0 && N < FFontTable->Count()) {
      FImporter.SetFont(FFontTable->Strings(N), FontCharSet(N));
    }
  } else if (SameText(Word, "\\fs")) {
    if (FParser->ReadParam(N)) {
      FImporter.SetSize(N / 2);
    } else if (Next == '-') {
      FParser->SetCharPos(FParser->GetCharPos() + 1);
      (void)FParser->NextToken();
      FImporter.SetSize(72);
    } else {
      FImporter.SetSize(12);
    }
  } else if (SameText(Word, "\\highlight")) {
    (void)FParser->ReadParam(N);
    const TColor C = N >= 0 && N < FColorTable->Count() ? ToIntDef(FColorTable->Strings(N), 0) : -1;
    FImporter.SetBackColor(N == 0 && C == 0 ? -1 : C);
  } else if (SameText(Word, "\\line") || SameText(Word, "\\par") || SameText(Word, "\\row")) {
    FImporter.Output(CrLf);
  } else if (SameText(Word, "\\lquote") || SameText(Word, "\\rquote")) {
    FImporter.Output("'");
  } else if (SameText(Word, "\\plain")) {
    FImporter.Plain();
  } else if (SameText(Word, "\\rtf")) {
    SkipToFontTable();
  } else if (SameText(Word, "\\u")) {
    if (FParser->ReadParam(N)) {
      // RTF writes characters above 32767 as negative numbers.
      const char32_t Code = static_cast<char32_t>(N < 0 ? N + 65536 : N) & 0xFFFF;
      const int B = UnicodeToCp1252(Code);
      FImporter.Output(std::string(1, B < 0 ? '?' : static_cast<char>(B)));
      SkipReplacement();
    }
    return;
  }
  FParser->SkipRtfDigits();
}
}  // namespace

void ZEZRtfImporter::ParseText(const std::string& Text) {
  TRtfImporter Reader(this, Text);
  Reader.Run();
}

// ---- HTML ----

namespace {
constexpr Integer psHtmlText = 0;
constexpr Integer psHtmlComment = 2;
constexpr Integer psHtmlInTag = 3;

// The HTML tokenizer of the importer.
class TIntHTMLParser : public TCustomDCParser {
public:
  TIntHTMLParser(TInternalImporter* AImporter) : TCustomDCParser(nullptr), FImporter(AImporter) {
    TSysCharSet TextChars = TSysCharSet::Range(' ', '\xFF');
    RegisterProc({psHtmlText}, TextChars, static_cast<TParseProc>(&TIntHTMLParser::ParseText));
    RegisterProc({psHtmlText}, TSysCharSet{'>'}, static_cast<TParseProc>(&TIntHTMLParser::ParseStray));
    RegisterProc({psHtmlText}, TSysCharSet{'<'}, static_cast<TParseProc>(&TIntHTMLParser::ParseTagStart));
    RegisterProc({psHtmlText}, TSysCharSet::Range('0', '9'), static_cast<TParseProc>(&TIntHTMLParser::ParseNumber));
    RegisterProc({psHtmlText}, TSysCharSet{'\r', '\n'}, static_cast<TParseProc>(&TIntHTMLParser::ParseLineEnd));
    TSysCharSet TagChars = TSysCharSet::Range('A', 'Z') + TSysCharSet::Range('a', 'z');
    TagChars.Include('_');
    RegisterProc({psHtmlInTag}, TSysCharSet{'"'}, static_cast<TParseProc>(&TIntHTMLParser::ParseQuoted));
    RegisterProc({psHtmlInTag}, TagChars, static_cast<TParseProc>(&TIntHTMLParser::ParseName));
    RegisterProc({psHtmlInTag}, TSysCharSet{'>'}, static_cast<TParseProc>(&TIntHTMLParser::ParseTagEnd));
    RegisterProc({psHtmlInTag}, TSysCharSet::Range('0', '9'), static_cast<TParseProc>(&TIntHTMLParser::ParseNumber));
    RegisterProc({psHtmlInTag}, TSysCharSet{'#'}, static_cast<TParseProc>(&TIntHTMLParser::ParseHex));
    TSysCharSet CommentChars = TSysCharSet::Range('\x01', '\xFF');
    CommentChars.Exclude('\r');
    CommentChars.Exclude('\n');
    RegisterProc({psHtmlComment}, CommentChars, static_cast<TParseProc>(&TIntHTMLParser::ParseComment));
  }
  void SetText(const std::string& Text) { SetLinePtr(Text.c_str()); }
  std::string_view Text() const { return TokenView(); }

private:
  static bool IsRunChar(char C) { return static_cast<unsigned char>(C) >= 32 && C != '<' && C != '>'; }
  Integer ParseText() {
    while (IsRunChar(Cur())) {
      Advance();
    }
    return tokHtmlText;
  }
  Integer ParseStray() {
    Advance();
    return tokSymbol;
  }
  Integer ParseTagStart() {
    if (Cur() == '<' && PeekAt(1) == '!' && PeekAt(2) == '-' && PeekAt(3) == '-') {
      SetCharPos(GetCharPos() + 4);
      FState = psHtmlComment;
      return ParseComment();
    }
    Advance();
    if (Cur() != '\0') {
      Advance();
    }
    while (IsIdent(Cur())) {
      Advance();
    }
    FState = psHtmlInTag;
    return tokHtmlTag;
  }
  Integer ParseNumber() {
    while (IsDigitChar(Cur())) {
      Advance();
    }
    return tokInteger;
  }
  Integer ParseLineEnd() {
    Advance();
    FImporter->PendingBlank = true;
    return tokSymbol;
  }
  Integer ParseQuoted() {
    Advance();
    while (Cur() != '"' && Cur() != '\0') {
      Advance();
    }
    if (Cur() == '"') {
      Advance();
    }
    return tokString;
  }
  Integer ParseName() {
    while (IsIdent(Cur())) {
      Advance();
    }
    return tokHtmlParam;
  }
  Integer ParseTagEnd() {
    Advance();
    FState = psHtmlText;
    return tokHtmlTag;
  }
  Integer ParseHex() {
    Advance();
    while (std::isxdigit(static_cast<unsigned char>(Cur())) != 0) {
      Advance();
    }
    return tokInteger;
  }
  Integer ParseComment() {
    while (Cur() != '\0' && Cur() != '\r' && Cur() != '\n') {
      if (Cur() == '-' && PeekAt(1) == '-' && PeekAt(2) == '>') {
        SetCharPos(GetCharPos() + 3);
        FState = psHtmlText;
        return tokComment;
      }
      Advance();
    }
    return tokComment;
  }

  TInternalImporter* FImporter;
};

std::string Unquote(std::string_view S) {
  if (S.size() >= 2 && (S.front() == '"' || S.front() == '\'') && (S.back() == '"' || S.back() == '\'')) {
    return std::string(S.substr(1, S.size() - 2));
  }
  return std::string(S);
}

TColor HtmlColorValue(const std::string& Value) {
  std::string S = Unquote(Value);
  if (!S.empty() && S[0] == '#') {
    S.erase(0, 1);
  }
  auto Pair = [&](std::size_t At) -> Integer {
    if (At + 2 > S.size() || std::isxdigit(static_cast<unsigned char>(S[At])) == 0 ||
        std::isxdigit(static_cast<unsigned char>(S[At + 1])) == 0) {
      return 0;
    }
    return static_cast<Integer>(std::stoi(S.substr(At, 2), nullptr, 16));
  };
  return Pair(0) + Pair(2) * 256 + Pair(4) * 65536;
}

Integer HtmlLevelPoints(Integer Level) {
  static const Integer Points[] = {8, 10, 12, 14, 18, 24, 36};
  return Level >= 1 && Level <= 7 ? Points[Level - 1] : 48;
}

struct THtmlTagCode {
  const char* Name;
  Integer Code;
};
const THtmlTagCode HtmlTagCodes[] = {{"B", 0},     {"font", 8},  {"I", 13},      {"BR", 14},    {"P", 17},
                                     {"S", 30},    {"U", 36},    {"BIG", 39},    {"SMALL", 40}, {"A", 41},
                                     {"Head", 42}, {"Body", 43}, {"STRONG", 44}, {"EM", 45}};

Integer HtmlTagCode(std::string_view Name) {
  for (const auto& T : HtmlTagCodes) {
    if (SameText(Name, T.Name)) {
      return T.Code;
    }
  }
  return 255;
}

std::string DecodeEntities(std::string_view S) {
  static const std::pair<const char*, char> Entities[] = {
      {"&nbsp;", ' '}, {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};
  std::string R;
  R.reserve(S.size());
  for (std::size_t I = 0; I < S.size(); ++I) {
    bool Done = false;
    if (S[I] == '&') {
      for (const auto& [Name, Ch] : Entities) {
        const std::string_view E(Name);
        if (S.substr(I, E.size()) == E) {
          R += Ch;
          I += E.size() - 1;
          Done = true;
          break;
        }
      }
    }
    if (!Done) {
      R += S[I];
    }
  }
  return R;
}

// The HTML reader.
class THTMLImporter {
public:
  THTMLImporter(TDCHTMLImporter* AOwner, const std::string& Text)
      : FText(Text), FImporter(AOwner, SDefaultFont, nullptr), FParser(&FImporter) {
    FParser.SetText(FText);
  }
  void Run();

private:
  void Tag();
  // The next value token of an attribute (1, 4 or 11), or empty at the tag's end.
  std::string AttributeValue();
  void SkipToTagEnd();
  std::string FText;
  TInternalImporter FImporter;
  TIntHTMLParser FParser;
  TColor FLinkColor = 255 * 65536;
  Integer FLevel = 1;
};

void THTMLImporter::Run() {
  for (;;) {
    const Integer T = FParser.NextToken();
    if (T == tokEof) {
      break;
    }
    if (T == tokHtmlText || T == tokInteger) {
      std::string S(FParser.Text());
      if (FImporter.PendingBlank) {
        S.erase(0, S.find_first_not_of(' ') == std::string::npos ? S.size() : S.find_first_not_of(' '));
      }
      if (S == CrLf) {
        FImporter.Output(" ");
      } else {
        FImporter.Output(DecodeEntities(S));
      }
    } else if (T == tokHtmlTag) {
      FImporter.PendingBlank = false;
      if (FParser.Text() != ">") {
        Tag();
      }
    }
    const bool LineBreak = T == tokSymbol && (FParser.Text() == "\r" || FParser.Text() == "\n");
    if (!LineBreak) {
      FImporter.PendingBlank = false;
    }
  }
  FImporter.Clear();
}

std::string THTMLImporter::AttributeValue() {
  for (;;) {
    const Integer T = FParser.NextToken();
    if (T == tokEof || T == tokHtmlTag) {
      return std::string();
    }
    if (T == tokString || T == tokInteger || T == tokHtmlParam) {
      return std::string(FParser.Text());
    }
  }
}

void THTMLImporter::SkipToTagEnd() {
  while (FParser.State() == psHtmlInTag) {
    const Integer T = FParser.NextToken();
    if (T == tokEof || T == tokHtmlTag) {
      return;
    }
  }
}

void THTMLImporter::Tag() {
  std::string_view Name = FParser.Text().substr(1);
  const bool Closing = !Name.empty() && Name[0] == '/';
  if (Closing) {
    Name.remove_prefix(1);
  }
  const Integer Code = HtmlTagCode(Name);
  // The head, and the title that the exporter writes after it, hold no document text.
  const bool IsTitle = SameText(Name, "Title");
  if ((Code == 42 || IsTitle) && !Closing) {
    const char* End = IsTitle ? "</Title" : "</Head";
    for (;;) {
      const Integer T = FParser.NextToken();
      if (T == tokEof || (T == tokHtmlTag && SameText(FParser.Text(), End))) {
        break;
      }
    }
    SkipToTagEnd();
    return;
  }
  if (Code == 43 && !Closing) {
    while (FParser.State() == psHtmlInTag) {
      const Integer T = FParser.NextToken();
      if (T == tokEof || T == tokHtmlTag) {
        break;
      }
      if (T == tokHtmlParam && SameText(FParser.Text(), "link")) {
        FLinkColor = HtmlColorValue(AttributeValue());
      }
    }
    return;
  }
  if (Closing) {
    FImporter.Pop(Code);
    if (Code == 39) {
      --FLevel;
    } else if (Code == 40) {
      ++FLevel;
    }
    SkipToTagEnd();
    return;
  }
  // Only tags that format push a level: a level of "BR", "P" or a tag without a code would change nothing, and
  // pages close few of them, so the stack would grow with the page and every run would cost more.
  if (Code != 14 && Code != 17 && Code != 255) {
    FImporter.Push(Code);
  }
  switch (Code) {
    case 0:
    case 44: FImporter.SetStyle(fsBold, true); break;
    case 13:
    case 45: FImporter.SetStyle(fsItalic, true); break;
    case 36: FImporter.SetStyle(fsUnderline, true); break;
    case 30: FImporter.SetStyle(fsStrikeOut, true); break;
    case 14: FImporter.Output(CrLf); break;
    case 17:
      FImporter.Output(CrLf);
      FImporter.Output(CrLf);
      break;
    case 39:
      ++FLevel;
      FImporter.SetSize(HtmlLevelPoints(FLevel));
      break;
    case 40:
      if (FLevel > 1) {
        --FLevel;
      }
      FImporter.SetSize(HtmlLevelPoints(FLevel));
      break;
    case 41:
      FImporter.SetStyle(fsUnderline, true);
      FImporter.SetColor(FLinkColor);
      break;
    case 8:
      while (FParser.State() == psHtmlInTag) {
        const Integer T = FParser.NextToken();
        if (T == tokEof || T == tokHtmlTag) {
          break;
        }
        if (T != tokHtmlParam) {
          continue;
        }
        const std::string Attr(FParser.Text());
        if (SameText(Attr, "face")) {
          FImporter.SetFont(Unquote(AttributeValue()), 1);
        } else if (SameText(Attr, "SIZE")) {
          FLevel = ToIntDef(Unquote(AttributeValue()), 1);
          FImporter.SetSize(HtmlLevelPoints(FLevel));
        } else if (SameText(Attr, "color")) {
          FImporter.SetColor(HtmlColorValue(AttributeValue()));
        }
      }
      return;
    default: break;
  }
  SkipToTagEnd();
}
}  // namespace

void TDCHTMLImporter::ParseText(const std::string& Text) {
  THTMLImporter Reader(this, Text);
  Reader.Run();
}

}  // namespace Dcexport
