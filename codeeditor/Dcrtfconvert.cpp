// The RTF scanner and the converters over it: the shared font and colour table reader, the re-numbering of an
// RTF fragment into an exporter, and RTF to HTML.
#include "codeeditor/Dcexport.h"

#include "platform/rtl/Exceptions.h"

namespace Dcexport {

using namespace Dcparser;

Z_IMPLEMENT_CLASS(ZEZRtfParser, TCustomDCParser)
Z_IMPLEMENT_CLASS(TRTFConverter, TObject)
Z_IMPLEMENT_CLASS(TDCRTFConverter, TRTFConverter)
Z_IMPLEMENT_CLASS(ZEZHtmlConverter, TRTFConverter)

namespace {
constexpr const char* CrLf = "\r\n";

bool IsNotStrChar(char C) { return static_cast<unsigned char>(C) < 32 || C == '\\' || C == '{' || C == '}'; }
bool IsRtfIdentChar(char C) { return C == '*' || C == '_' || (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'); }
bool IsDigitChar(char C) { return C >= '0' && C <= '9'; }
int HexDigit(char C) {
  if (C >= '0' && C <= '9') {
    return C - '0';
  }
  if (C >= 'a' && C <= 'f') {
    return C - 'a' + 10;
  }
  if (C >= 'A' && C <= 'F') {
    return C - 'A' + 10;
  }
  return 0;
}

// The string list's own index error, for table numbers the converters do not check.
[[noreturn]] void ListIndexError(Integer Index) { throw EStringListError(RtlConsts::SListIndexError, {Index}); }

Integer ToInt(std::string_view S, Integer Default) {
  if (S.empty()) {
    return Default;
  }
  Int64 V = 0;
  std::size_t I = 0;
  const bool Neg = S[0] == '-';
  if (Neg) {
    I = 1;
  }
  if (I >= S.size()) {
    return Default;
  }
  for (; I < S.size(); ++I) {
    if (!IsDigitChar(S[I])) {
      return Default;
    }
    V = V * 10 + (S[I] - '0');
    if (V > 0x7FFFFFFF) {
      V = 0x7FFFFFFF;
    }
  }
  return static_cast<Integer>(Neg ? -V : V);
}
}  // namespace

// ---- the scanner ----

ZEZRtfParser::ZEZRtfParser(TComponent* AOwner) : TCustomDCParser(AOwner) { InitRtfSyntax(); }

void ZEZRtfParser::InitRtfSyntax() {
  TStringList Words;
  for (const auto& W : SRtfResWords) {
    Words.Add(W);
  }
  SetResWords(&Words);
  InitCommon();
  TSysCharSet TextChars = TSysCharSet::Range(' ', '\xFF');
  TextChars.Include('\t');
  RegisterNormalProc(TextChars, static_cast<TParseProc>(&ZEZRtfParser::ParseRtfText));
  RegisterNormalProc(TSysCharSet{'{'}, static_cast<TParseProc>(&ZEZRtfParser::ParseRtfGroupBegin));
  RegisterNormalProc(TSysCharSet{'}'}, static_cast<TParseProc>(&ZEZRtfParser::ParseRtfGroupEnd));
  RegisterNormalProc(TSysCharSet{'\\'}, static_cast<TParseProc>(&ZEZRtfParser::ParseRtfControl));
  RegisterNormalProc(TSysCharSet::Range('0', '9'), static_cast<TParseProc>(&ZEZRtfParser::ParseRtfNumber));
  InitEolState(psNormal);
}

Integer ZEZRtfParser::ParseRtfText() {
  Advance();
  while (!IsNotStrChar(Cur())) {
    Advance();
  }
  return tokString;
}

Integer ZEZRtfParser::ParseRtfGroupBegin() {
  Advance();
  FGroupText.clear();
  if (Cur() == '\\' || Cur() == '{' || Cur() == '}') {
    return tokRtfGroupBegin;
  }
  const char* Start = FCurPtr;
  while (!IsNotStrChar(Cur())) {
    Advance();
  }
  FGroupText.assign(Start, FCurPtr);
  return tokRtfGroupBegin;
}

Integer ZEZRtfParser::ParseRtfGroupEnd() {
  Advance();
  return tokRtfGroupEnd;
}

Integer ZEZRtfParser::ParseRtfControl() {
  Advance();
  if (Cur() == '\'') {
    Advance();
    int V = 0;
    for (int I = 0; I < 2 && Cur() != '\0'; ++I) {
      V = V * 16 + HexDigit(Cur());
      Advance();
    }
    FHexValue = static_cast<Byte>(V);
    return tokRtfHexChar;
  }
  if (Cur() == '\\' || Cur() == '{' || Cur() == '}') {
    // An escaped character starts a text run.
    FTokenPtr = FCurPtr;
    return ParseRtfText();
  }
  while (IsRtfIdentChar(Cur())) {
    Advance();
  }
  if (FindResWord(TokenView())) {
    return tokResWord;
  }
  FResWordId = -1;
  return tokRtfUnknownWord;
}

Integer ZEZRtfParser::ParseRtfNumber() {
  while (IsDigitChar(Cur())) {
    Advance();
  }
  return tokInteger;
}

void ZEZRtfParser::SkipRtfDigits() {
  if (Cur() == '-' && IsDigitChar(PeekAt(1))) {
    Advance();
  }
  while (IsDigitChar(Cur())) {
    Advance();
  }
}

std::string ZEZRtfParser::ParseDigits() {
  const char* Start = FCurPtr;
  while (IsDigitChar(Cur())) {
    Advance();
  }
  return std::string(Start, FCurPtr);
}

bool ZEZRtfParser::ReadParam(Integer& Value) {
  const char* Start = FCurPtr;
  SkipRtfDigits();
  if (FCurPtr == Start) {
    return false;
  }
  Value = ToInt(std::string_view(Start, static_cast<std::size_t>(FCurPtr - Start)), 0);
  return true;
}

ZEZRtfParser::TSaved ZEZRtfParser::Save() const {
  return TSaved{FCurPtr, FTokenPtr, FLinePtr, FLinePos, FToken, FResWordId, FHexValue, FGroupText};
}

void ZEZRtfParser::Restore(const TSaved& S) {
  FCurPtr = S.Cur;
  FTokenPtr = S.Tok;
  FLinePtr = S.Line;
  FLinePos = S.LinePos;
  FToken = S.Token;
  FResWordId = S.Id;
  FHexValue = S.Hex;
  FGroupText = S.Group;
}

bool ZEZRtfParser::PeekIsWord(Integer Id, std::string* Text) {
  const TSaved S = Save();
  const Integer T = NextToken();
  const bool Result = T == tokResWord && FResWordId == Id;
  if (Text != nullptr) {
    *Text = T == tokEof ? std::string() : std::string(TokenView());
  }
  Restore(S);
  return Result;
}

// ---- the converter base ----

TRTFConverter::TRTFConverter(const std::string& Text)
    : FText(Text), FParser(new ZEZRtfParser(nullptr)), FFontTable(new TStringList()), FColorTable(new TStringList()) {
  FParser->SetText(FText);
}

TRTFConverter::~TRTFConverter() = default;

void TRTFConverter::SkipGroup() {
  Integer Depth = 0;
  for (;;) {
    const Integer T = FParser->NextToken();
    if (T == tokEof) {
      return;
    }
    if (T == tokRtfGroupBegin) {
      ++Depth;
    } else if (T == tokRtfGroupEnd) {
      if (Depth == 0) {
        return;
      }
      --Depth;
    }
  }
}

void TRTFConverter::SkipToFontTable() {
  const Integer FontTbl = Id("\\fonttbl");
  for (;;) {
    const Integer T = FParser->NextToken();
    if (T == tokEof) {
      return;
    }
    if (T == tokResWord && FParser->ResWordId() == FontTbl) {
      ProcessFontTable();
      return;
    }
  }
}

Byte TRTFConverter::FontCharSet(Integer Index) const {
  return Index >= 0 && static_cast<std::size_t>(Index) < FCharSets.size() ? FCharSets[static_cast<std::size_t>(Index)]
                                                                          : Byte(1);
}

void TRTFConverter::ProcessFontTable() {
  const Integer FWord = Id("\\f");
  Integer Depth = 0;
  Byte PendingSet = 1;
  Integer PendingNumber = -1;
  for (;;) {
    const Integer T = FParser->NextToken();
    if (T == tokEof) {
      return;
    }
    if (T == tokString && Depth <= 1) {
      std::string Name;
      for (const char C : FParser->TokenView()) {
        if (C != ';') {
          Name += C;
        }
      }
      Name = Trim(Name);
      if (Name.empty()) {
        continue;
      }
      if (PendingNumber < 0) {
        FFontTable->Add(Name);
        FCharSets.push_back(PendingSet);
      } else if (PendingNumber < 0x10000) {
        while (FFontTable->Count() <= PendingNumber) {
          FFontTable->Add("");
          FCharSets.push_back(1);
        }
        FFontTable->SetStrings(PendingNumber, Name);
        FCharSets[static_cast<std::size_t>(PendingNumber)] = PendingSet;
      }
      PendingSet = 0;
    } else if (T == tokResWord && FParser->ResWordId() == FWord) {
      Integer N = 0;
      if (FParser->ReadParam(N)) {
        PendingNumber = N;
      }
    } else if (T == tokRtfUnknownWord && SameText(FParser->TokenView(), "\\fcharset")) {
      PendingSet = static_cast<Byte>(ToInt(FParser->ParseDigits(), 0));
    } else if (T == tokRtfGroupBegin) {
      ++Depth;
    } else if (T == tokRtfGroupEnd) {
      if (Depth == 0) {
        return;
      }
      --Depth;
    }
  }
}

void TRTFConverter::ColorRead(Integer Value) { FColorTable->Add(std::to_string(Value)); }
void TRTFConverter::AutoColorRead() { FColorTable->Add("0"); }

void TRTFConverter::ProcessColorTable() {
  const Integer Red = Id("\\red");
  const Integer Green = Id("\\green");
  const Integer Blue = Id("\\blue");
  bool AtStart = true;
  Integer Depth = 0;
  for (;;) {
    const Integer T = FParser->NextToken();
    if (T == tokEof) {
      return;
    }
    if (T == tokRtfGroupBegin) {
      ++Depth;
      continue;
    }
    if (T == tokRtfGroupEnd) {
      if (Depth == 0) {
        return;
      }
      --Depth;
      continue;
    }
    if (T == tokString || T == tokSymbol) {
      if (AtStart && Trim(FParser->TokenView()) == ";") {
        AutoColorRead();
        AtStart = false;
      }
      continue;
    }
    if (T != tokResWord && T != tokRtfUnknownWord) {
      continue;
    }
    AtStart = false;
    const Integer W = FParser->ResWordId();
    Integer N = 0;
    if (T == tokResWord && W == Red) {
      (void)FParser->ReadParam(N);
      FColorAcc = N;
    } else if (T == tokResWord && W == Green) {
      (void)FParser->ReadParam(N);
      FColorAcc += N * 256;
    } else if (T == tokResWord && W == Blue) {
      (void)FParser->ReadParam(N);
      FColorAcc += N * 65536;
      ColorRead(FColorAcc);
    } else {
      FParser->SkipRtfDigits();
    }
  }
}

std::string TRTFConverter::FontAt(Integer Index) const {
  if (Index < 0 || Index >= FFontTable->Count()) {
    ListIndexError(Index);
  }
  return FFontTable->Strings(Index);
}

std::string TRTFConverter::ColorAt(Integer Index) const {
  if (Index < 0 || Index >= FColorTable->Count()) {
    ListIndexError(Index);
  }
  return FColorTable->Strings(Index);
}

// ---- re-numbering into an exporter ----

void TDCRTFConverter::ParseRtf() {
  FResult.clear();
  const Integer FWord = Id("\\f");
  const Integer PnfWord = Id("\\pnf");
  const Integer CfWord = Id("\\cf");
  const Integer RtfWord = Id("\\rtf");
  const Integer ColorTbl = Id("\\colortbl");
  for (;;) {
    const Integer T = FParser->NextToken();
    if (T == tokEof) {
      break;
    }
    if (T == tokResWord) {
      FResult += CrLf;
    }
    if (T == tokRtfGroupBegin && FParser->GroupText().empty() && FParser->PeekIsWord(ColorTbl)) {
      (void)FParser->NextToken();
      ProcessColorTable();
      continue;
    }
    const Integer W = T == tokResWord ? FParser->ResWordId() : -1;
    if (W >= 0 && (W == FWord || W == PnfWord)) {
      const std::string Word(FParser->TokenView());
      Integer N = -1;
      (void)FParser->ReadParam(N);
      const Integer Index = AddFont(FExporter, "\\fnil " + FontAt(N));
      FResult += Word + std::to_string(Index);
    } else if (W >= 0 && W == CfWord) {
      Integer N = -1;
      (void)FParser->ReadParam(N);
      const Integer Index = AddColor(FExporter, ToInt(ColorAt(N), 0));
      FResult += "\\cf" + std::to_string(Index);
    } else if (W >= 0 && W == RtfWord) {
      SkipToFontTable();
    } else {
      FResult += FParser->TokenView();
    }
  }
}

std::string Rtf2Rtf(const std::string& Text, TDCRTFExporter* Exporter) {
  TDCRTFConverter Converter(Text, Exporter);
  Converter.ParseRtf();
  return Converter.Result();
}

// ---- RTF to HTML ----

void ZEZHtmlConverter::ColorRead(Integer Value) { FColorTable->Add(ColorToHtml(Value & 0xFFFFFF)); }
void ZEZHtmlConverter::AutoColorRead() { FColorTable->Add("0"); }

std::string& ZEZHtmlConverter::Top() {
  if (FClosing.empty()) {
    FClosing.emplace_back();
  }
  return FClosing.back();
}

void ZEZHtmlConverter::WriteTag(const std::string& T) {
  FResult += "<" + T + ">" + CrLf;
  Top() += "</" + T + ">";
}

void ZEZHtmlConverter::WriteTagEx(const std::string& T, const std::vector<std::pair<std::string, std::string>>& Attrs) {
  std::string A;
  for (const auto& [Name, Value] : Attrs) {
    if (Value.empty()) {
      continue;
    }
    if (!A.empty()) {
      A += ' ';
    }
    A += Name + "=\"" + HtmlAttributeEscape(Value) + "\"";
  }
  FResult += "<" + T + " " + A + ">";
  Top() += "</" + T + ">";
}

void ZEZHtmlConverter::FlushTags(std::initializer_list<const char*> Names) {
  for (const char* Name : Names) {
    const std::string Closing = std::string("</") + Name + ">";
    std::string& Entry = Top();
    const auto At = Entry.rfind(Closing);
    if (At != std::string::npos) {
      FResult += Closing;
      Entry.erase(At, Closing.size());
    }
  }
}

void ZEZHtmlConverter::ChangeTag(const std::string& Old, const std::string& New, const std::string& Attrs) {
  if (Top().find("</" + Old + ">") == std::string::npos) {
    return;
  }
  const std::string Tag = "<" + Old + ">";
  const auto At = FResult.rfind(Tag);
  if (At != std::string::npos) {
    FResult.replace(At, Tag.size(), "<" + New + Attrs + ">");
  }
}

void ZEZHtmlConverter::PopEntry() {
  if (FClosing.empty()) {
    return;
  }
  std::string Entry = std::move(FClosing.back());
  FClosing.pop_back();
  std::size_t At;
  while ((At = Entry.find("</BR>")) != std::string::npos) {
    Entry.erase(At, 5);
  }
  FResult += Entry;
}

void ZEZHtmlConverter::ParseRtf() {
  FResult.clear();
  FClosing.clear();
  struct TWordIds {
    Integer B, Cf, DefLang, F, Pnf, Fs, I, Line, Par, Pard, Plain, PnBlt, PnBody, PnText, Qc, Qr, Rtf, Tab, Ul,
        ColorTbl;
  };
  const TWordIds W{Id("\\b"),     Id("\\cf"),       Id("\\deflang"),   Id("\\f"),      Id("\\pnf"),
                   Id("\\fs"),    Id("\\i"),        Id("\\line"),      Id("\\par"),    Id("\\pard"),
                   Id("\\plain"), Id("\\pnlvlblt"), Id("\\pnlvlbody"), Id("\\pntext"), Id("\\qc"),
                   Id("\\qr"),    Id("\\rtf"),      Id("\\tab"),       Id("\\ul"),     Id("\\colortbl")};
  for (;;) {
    const Integer T = FParser->NextToken();
    if (T == tokEof) {
      break;
    }
    switch (T) {
      case tokRtfGroupBegin:
        if (FParser->GroupText().empty() && FParser->PeekIsWord(W.ColorTbl)) {
          (void)FParser->NextToken();
          ProcessColorTable();
        } else {
          FClosing.emplace_back();
          // Text right after the brace is text of the group.
          FResult += HtmlTranslate(DCRemoveSlash(FParser->GroupText(), true));
        }
        break;
      case tokRtfGroupEnd: PopEntry(); break;
      case tokString: {
        const std::string Text(FParser->TokenView());
        if (!SameText(Text, "b7")) {
          FResult += HtmlTranslate(DCRemoveSlash(Text, true));
        }
        break;
      }
      case tokResWord: {
        const Integer Word = FParser->ResWordId();
        Integer N = 0;
        if (Word == W.B) {
          WriteTag("B");
        } else if (Word == W.Cf) {
          (void)FParser->ReadParam(N);
          WriteTagEx("font", {{"color", ColorAt(N)}});
        } else if (Word == W.DefLang) {
          if (FParser->ReadParam(N)) {
            FDefLang = N;
          }
        } else if (Word == W.F || Word == W.Pnf) {
          (void)FParser->ReadParam(N);
          FlushTags({"font"});
          WriteTagEx("font", {{"face", FontAt(N)}});
        } else if (Word == W.Fs) {
          (void)FParser->ReadParam(N);
          WriteTagEx("font", {{"SIZE", std::to_string(PointsToHtmlSize(N / 2))}});
        } else if (Word == W.I) {
          WriteTag("I");
        } else if (Word == W.Line) {
          FResult += "<BR>";
        } else if (Word == W.Par) {
          FlushTags({"P"});
          WriteTag("BR");
        } else if (Word == W.Pard) {
          ChangeTag("P", "P", " Align=\"left\"");
        } else if (Word == W.Plain) {
          FlushTags({"B", "I", "U", "BIG", "SMALL", "font"});
        } else if (Word == W.PnBlt) {
          WriteTag("ul");
        } else if (Word == W.PnBody) {
          WriteTag("ol");
        } else if (Word == W.PnText) {
          WriteTag("li");
        } else if (Word == W.Qc) {
          ChangeTag("BR", "P", " Align=\"center\"");
        } else if (Word == W.Qr) {
          ChangeTag("BR", "P", " Align=\"right\"");
        } else if (Word == W.Rtf) {
          SkipToFontTable();
          if (FDefLang != -1) {
            WriteTagEx("font", {{"face", FontAt(0)}});
          }
        } else if (Word == W.Tab) {
          FResult += '\t';
        } else if (Word == W.Ul) {
          WriteTag("U");
        } else {
          FParser->SkipRtfDigits();
        }
        break;
      }
      default: break;  // hex escapes, unknown words and numbers
    }
  }
  while (!FClosing.empty()) {
    PopEntry();
  }
}

std::string RtfToHtml(const std::string& Text) {
  ZEZHtmlConverter Converter(Text);
  Converter.ParseRtf();
  return Converter.Result();
}

std::string DCRemoveSlash(const std::string& S, bool DropLeadingBlank) {
  std::string R;
  R.reserve(S.size());
  std::size_t I = DropLeadingBlank && !S.empty() && S[0] == ' ' ? 1 : 0;
  for (; I < S.size(); ++I) {
    if (S[I] == '\\' && I + 1 < S.size() && (S[I + 1] == '\\' || S[I + 1] == '{' || S[I + 1] == '}')) {
      ++I;
    }
    R += S[I];
  }
  return R;
}

}  // namespace Dcexport
