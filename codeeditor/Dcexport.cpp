// The exporter framework and its HTML back end: tag writing, the help contents and index pages, and the
// plain-text escaping functions.
#include "codeeditor/Dcexport.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <array>

namespace Dcexport {

bool SkipHtmlHeader = false;

const std::vector<std::string> SRtfResWords = {
    "\\b",          "\\blue",    "\\cell", "\\cf",    "\\colortbl",  "\\deff",     "\\deflang",   "\\endash",
    "\\f",          "\\fonttbl", "\\fs",   "\\green", "\\highlight", "\\i",        "\\line",      "\\lquote",
    "\\nosupersub", "\\par",     "\\pard", "\\plain", "\\pnf",       "\\pnlvlblt", "\\pnlvlbody", "\\pntext",
    "\\qc",         "\\qr",      "\\red",  "\\row",   "\\rquote",    "\\rtf",      "\\strike",    "\\sub",
    "\\super",      "\\trowd",   "\\tab",  "\\u",     "\\ul",        "\\ulnone",   "\\v"};

Z_IMPLEMENT_CLASS(ZEZExporter, TInterfacedObject)
Z_IMPLEMENT_CLASS(TDCHTMLExporter, ZEZExporter)
Z_IMPLEMENT_CLASS(THTMLExporter, TDCHTMLExporter)
Z_IMPLEMENT_CLASS(THTMLContentWriter, TDCHTMLExporter)
Z_IMPLEMENT_CLASS(THTMLIndexWriter, TDCHTMLExporter)

namespace {
const std::array<const char*, 4> HtmlAlignNames = {"left", "center", "right", "justify"};
const std::array<const char*, 9> HtmlFrameNames = {"void", "above",  "below", "hsides", "lhs",
                                                   "rhs",  "vsides", "box",   "border"};
const std::array<const char*, 5> HtmlRulesNames = {"none", "groups", "rows", "cols", "all"};
constexpr const char* CrLf = "\r\n";

std::string IntText(Integer V) { return std::to_string(V); }

// Escapes a value written inside double quotes or as element text that is not ours: "&", "<", ">" and, with
// Quote, the double quote.
std::string EscapeMarkup(std::string_view S, bool Quote) {
  std::string R;
  R.reserve(S.size());
  for (const char C : S) {
    switch (C) {
      case '&': R += "&amp;"; break;
      case '<': R += "&lt;"; break;
      case '>': R += "&gt;"; break;
      case '"':
        if (Quote) {
          R += "&quot;";
        } else {
          R += C;
        }
        break;
      default: R += C;
    }
  }
  return R;
}

}  // namespace

void ZEZExporter::WriteString(const std::string& S) {
  if (!S.empty()) {
    Stream->WriteBuffer(S.data(), static_cast<LongInt>(S.size()));
  }
}

ZEZSectionKind DCGetGroupSectionKind(ZEZSectionKind Kind) {
  switch (Kind) {
    case skClass: return skClassesGroup;
    case skInterface: return skInterfacesGroup;
    case skType: return skTypesGroup;
    case skProcedure: return skProceduresGroup;
    case skVariable: return skVariableGroup;
    case skUnit: return skUnitsGroup;
    default: return Kind;
  }
}

std::string ColorToHtml(TColor Color) {
  static const char* Hex = "0123456789ABCDEF";
  const COLORREF C = ColorToRGB(Color);
  std::string R = "#";
  for (const BYTE B : {GetRValue(C), GetGValue(C), GetBValue(C)}) {
    R += Hex[B >> 4];
    R += Hex[B & 15];
  }
  return R;
}

Integer PointsToHtmlSize(Integer Points) {
  if (Points >= 1 && Points <= 8) {
    return 1;
  }
  if (Points >= 9 && Points <= 11) {
    return 2;
  }
  if (Points >= 12 && Points <= 13) {
    return 3;
  }
  if (Points >= 14 && Points <= 17) {
    return 4;
  }
  if (Points >= 18 && Points <= 23) {
    return 5;
  }
  if (Points >= 24 && Points <= 35) {
    return 6;
  }
  return 7;
}

std::string HtmlAttributeEscape(std::string_view S) { return EscapeMarkup(S, true); }

std::string HtmlTranslate(std::string_view S) {
  std::string R;
  R.reserve(S.size() + S.size() / 4);
  for (const char C : S) {
    switch (C) {
      case ' ': R += "&nbsp;"; break;
      case '"': R += "&quot;"; break;
      case '&': R += "&amp;"; break;
      case '<': R += "&lt;"; break;
      case '>': R += "&gt;"; break;
      default: R += C;
    }
  }
  return R;
}

// ---- TDCHTMLExporter ----

std::string TDCHTMLExporter::TranslateString(const std::string& S) { return HtmlTranslate(S); }

void TDCHTMLExporter::BeginTag(const std::string& Tag) { WriteString("<" + Tag + ">"); }
void TDCHTMLExporter::EndTag(const std::string& Tag) { WriteString("</" + Tag + ">"); }

void TDCHTMLExporter::BeginComplexTag(const std::string& Tag, const std::string& Content) {
  if (!FLastComplexTag.empty() && FLastComplexTag != Tag) {
    WriteString(CrLf);
  }
  WriteString("<" + Content + ">");
  FLastComplexTag = Tag;
}

void TDCHTMLExporter::BeginTagEx(const std::string& Tag, const std::vector<std::string>& Names,
                                 const std::vector<std::string>& Values) {
  std::string Content = Tag;
  for (std::size_t I = 0; I < Names.size() && I < Values.size(); ++I) {
    if (Values[I].empty()) {
      continue;
    }
    if (!Content.empty()) {
      Content += ' ';
    }
    // Values are names and addresses from outside: a quote or "<" in them must not end the attribute.
    Content += Names[I] + "=\"" + EscapeMarkup(Values[I], true) + "\"";
  }
  BeginComplexTag(Tag, Content);
}

void TDCHTMLExporter::StartParagraph(TParagraphAlign Align) { BeginTagEx("P", {"Align"}, {HtmlAlignNames[Align]}); }
void TDCHTMLExporter::FinishParagraph() { EndTag("P"); }
void TDCHTMLExporter::StartNonScrolledArea() { StartParagraph(paLeft); }
void TDCHTMLExporter::FinishNonScrolledArea() { FinishParagraph(); }
void TDCHTMLExporter::NewLine() { WriteString("<BR>\r\n"); }
void TDCHTMLExporter::StartFont(const std::string& Name) { BeginTagEx("font", {"face"}, {Name}); }
void TDCHTMLExporter::StartFontWithCharSet(const std::string& Name, Byte CharSet) {
  (void)CharSet;
  StartFont(Name);
}
void TDCHTMLExporter::FinishFont() { EndTag("font"); }
void TDCHTMLExporter::StartBigFont() { BeginTag("BIG"); }
void TDCHTMLExporter::FinishBigFont() { EndTag("BIG"); }
void TDCHTMLExporter::StartSmallFont() { BeginTag("SMALL"); }
void TDCHTMLExporter::FinishSmallFont() { EndTag("SMALL"); }
void TDCHTMLExporter::StartFontSize(Integer Size) { BeginTagEx("font", {"SIZE"}, {IntText(PointsToHtmlSize(Size))}); }
void TDCHTMLExporter::FinishFontSize() { EndTag("font"); }
void TDCHTMLExporter::StartItalic() { BeginTag("I"); }
void TDCHTMLExporter::FinishItalic() { EndTag("I"); }
void TDCHTMLExporter::StartBold() { BeginTag("B"); }
void TDCHTMLExporter::FinishBold() { EndTag("B"); }
void TDCHTMLExporter::StartUnderline() { BeginTag("U"); }
void TDCHTMLExporter::FinishUnderline() { EndTag("U"); }
void TDCHTMLExporter::StartStrikeOut() { BeginTag("S"); }
void TDCHTMLExporter::FinishStrikeOut() { EndTag("S"); }
void TDCHTMLExporter::StartNumberedList() { BeginTagWithLine("ol"); }
void TDCHTMLExporter::FinishNumberedList() { EndTag("ol"); }
void TDCHTMLExporter::StartBulletedList() { BeginTagWithLine("ul"); }
void TDCHTMLExporter::FinishBulletedList() { EndTag("ul"); }
void TDCHTMLExporter::StartBulletListItem() { BeginTagWithLine("li"); }
void TDCHTMLExporter::FinishBulletListItem() { EndTag("li"); }
void TDCHTMLExporter::StartNumberedListItem() { BeginTagWithLine("li"); }
void TDCHTMLExporter::FinishNumberedListItem() { EndTag("li"); }
void TDCHTMLExporter::StartQuote() { BeginTag("blockquote"); }
void TDCHTMLExporter::FinishQuote() { EndTag("blockquote"); }
void TDCHTMLExporter::StartSubScript() { BeginTag("sub"); }
void TDCHTMLExporter::FinishSubScript() { EndTag("sub"); }
void TDCHTMLExporter::StartSuperScript() { BeginTag("sup"); }
void TDCHTMLExporter::FinishSuperScript() { EndTag("sup"); }
void TDCHTMLExporter::StartColor(TColor Color) { BeginTagEx("font", {"color"}, {ColorToHtml(Color)}); }
void TDCHTMLExporter::FinishColor() { EndTag("font"); }
void TDCHTMLExporter::StartBackground(TColor Color) {
  if (!SkipHtmlHeader) {
    BeginTagEx("Body", {"BGCOLOR"}, {ColorToHtml(Color)});
  }
}
void TDCHTMLExporter::FinishBackground() {
  if (!SkipHtmlHeader) {
    EndTag("Body");
  }
}
void TDCHTMLExporter::StartBackColor(TColor Color) { (void)Color; }
void TDCHTMLExporter::FinishBackColor() {}
void TDCHTMLExporter::StartHRef(const std::string& Ref, TWindowStyle Style) {
  (void)Style;
  BeginTagEx("A", {"href"}, {Ref + ".html"});
}
void TDCHTMLExporter::FinishHRef() { EndTag("A"); }

void TDCHTMLExporter::StartTable(const TTableParams& Params) {
  auto Opt = [](Integer V) { return V == 0 ? std::string() : IntText(V); };
  const auto Frame = std::min<std::size_t>(Params.Frame, HtmlFrameNames.size() - 1);
  const auto Rules = std::min<std::size_t>(Params.Rules, HtmlRulesNames.size() - 1);
  BeginTagEx("TABLE", {"width", "border", "frame", "rules", "cellspacing", "cellpadding"},
             {Opt(Params.Width), Opt(Params.Border), HtmlFrameNames[Frame], HtmlRulesNames[Rules],
              Opt(Params.CellSpacing), Opt(Params.CellPadding)});
}
void TDCHTMLExporter::FinishTable() { EndTag("TABLE"); }
void TDCHTMLExporter::StartTableRow() { BeginTagWithLine("TR"); }
void TDCHTMLExporter::FinishTableRow() { EndTag("TR"); }
void TDCHTMLExporter::StartTableDataCell(Integer Width) {
  BeginTagEx("TD", {"width"}, {Width == 0 ? std::string() : IntText(Width)});
}
void TDCHTMLExporter::FinishTableDataCell() { EndTag("TD"); }

void TDCHTMLExporter::StartDocument(const std::string& Title) {
  if (!SkipHtmlHeader) {
    // The title is a file name: escaped so that "<" or "&" in it cannot end the element or start markup.
    WriteString("<Html><Head></Head><Title>" + EscapeMarkup(Title, false) + "</Title><Body>");
  }
  StartFont(SDefaultFont);
}

void TDCHTMLExporter::FinishDocument() {
  FinishFont();
  if (!SkipHtmlHeader) {
    WriteString("</Body></Html>");
  }
}

void TDCHTMLExporter::StartPage(const std::string& Name) { StartDocument(Name); }
void TDCHTMLExporter::FinishPage() { FinishDocument(); }

void TDCHTMLExporter::AddSpaces(Integer Count) {
  std::string S;
  for (Integer I = 0; I < Count; ++I) {
    S += "&nbsp;";
  }
  WriteString(S);
}

void TDCHTMLExporter::AddImage(const std::string& FileName, Integer Width, Integer Height) {
  if (FileName.empty()) {
    return;
  }
  if (Width != 0 || Height != 0) {
    BeginTagEx("img", {"src", "WIDTH", "HEIGHT"}, {FileName, IntText(Width), IntText(Height)});
  } else {
    BeginTagEx("img", {"src"}, {FileName});
  }
}

void TDCHTMLExporter::DrawHorzLine() { WriteString("<HR>"); }

void TDCHTMLExporter::WriteExternalURL(const std::string& Text, const std::string& URL) {
  BeginTagEx("A", {"href", "target"}, {URL, "_blank"});
  WriteString(Text);
  EndTag("A");
}

THTMLExporter::~THTMLExporter() { delete Stream; }

// ---- help contents and index ----

namespace {
void WriteSitemapObject(TDCHTMLExporter& E, const std::string& Name) {
  E.SetLastComplexTag("OBJECT");
  E.BeginTagEx("OBJECT", {"type"}, {"text/sitemap"});
  E.BeginTagEx("", {"param name", "value"}, {"Name", Name});
}
}  // namespace

THTMLContentWriter::THTMLContentWriter(TStream* AStream) : TDCHTMLExporter(AStream) { StartDocument("Content"); }

THTMLContentWriter::~THTMLContentWriter() {
  try {
    FinishDocument();
  } catch (const Exception&) {
    // A failing stream cannot be reported from here; the stream is freed all the same.
  }
  delete Stream;
}

void THTMLContentWriter::StartSection(const std::string& Name, const std::string& Ref) {
  NewLine();
  StartBulletedList();
  StartBulletListItem();
  WriteSitemapObject(*this, Name);
  if (!Ref.empty()) {
    BeginTagEx("", {"param name", "value"}, {"Local", Ref + ".html"});
  }
  EndTag("OBJECT");
  FinishBulletListItem();
}

void THTMLContentWriter::FinishSection() { FinishBulletedList(); }

void THTMLContentWriter::StartSectionEx(const std::string& Name, const std::string& Ref, ZEZSectionKind Kind,
                                        const std::string& S1, const std::string& S2) {
  (void)Kind;
  (void)S1;
  (void)S2;
  StartSection(Name, Ref);
}

namespace {
std::string ShortSectionName(const std::string& Name) {
  std::string S = Name;
  const auto Dot = S.rfind('.');
  if (Dot != std::string::npos) {
    S.erase(0, Dot + 1);
  }
  if (!S.empty() && S.back() == ',') {
    S.pop_back();
  }
  return S;
}
}  // namespace

THTMLIndexWriter::THTMLIndexWriter(TStream* AStream) : TDCHTMLExporter(AStream), FIndex(new TStringList()) {
  FIndex->SetSorted(true);
  StartDocument("Index");
}

THTMLIndexWriter::~THTMLIndexWriter() {
  try {
    Flush();
  } catch (const Exception&) {
    // As with the contents page: the stream is freed whatever happened.
  }
  for (Integer I = 0; I < FIndex->Count(); ++I) {
    delete FIndex->Objects(I);
  }
  delete Stream;
}

void THTMLIndexWriter::StartSection(const std::string& Name, const std::string& Ref) {
  const std::string Short = ShortSectionName(Name);
  FSections.push_back(Short);
  if (Short.empty() || Ref.empty()) {
    return;
  }
  std::string Key;
  for (const auto& S : FSections) {
    Key += "." + S;
  }
  Integer Index = FIndex->IndexOf(Key);
  if (Index < 0) {
    auto* Entries = new TStringList();
    Entries->SetSorted(true);
    Index = FIndex->AddObject(Key, Entries);
  }
  static_cast<TStringList*>(FIndex->Objects(Index))->Add(Name + "!" + Ref + ".html");
}

void THTMLIndexWriter::FinishSection() {
  if (!FSections.empty()) {
    FSections.pop_back();
  }
}

void THTMLIndexWriter::SetLevel(Integer Level) {
  while (FLevel < Level) {
    StartBulletedList();
    ++FLevel;
  }
  while (FLevel > Level) {
    FinishBulletedList();
    --FLevel;
  }
}

void THTMLIndexWriter::Flush() {
  if (FFlushed) {
    return;
  }
  FFlushed = true;
  for (Integer I = 0; I < FIndex->Count(); ++I) {
    const std::string Key = FIndex->Strings(I);
    SetLevel(static_cast<Integer>(std::count(Key.begin(), Key.end(), '.')));
    auto* Entries = static_cast<TStringList*>(FIndex->Objects(I));
    if (Entries->Count() == 0) {
      continue;
    }
    StartBulletListItem();
    WriteSitemapObject(*this, Key.substr(Key.rfind('.') + 1));
    for (Integer J = 0; J < Entries->Count(); ++J) {
      const std::string E = Entries->Strings(J);
      const auto Bang = E.find('!');
      BeginTagEx("", {"param name", "value"}, {"Name", E.substr(0, Bang)});
      BeginTagEx("", {"param name", "value"}, {"Local", Bang == std::string::npos ? "" : E.substr(Bang + 1)});
    }
    EndTag("OBJECT");
    FinishBulletListItem();
  }
  SetLevel(0);
  FinishDocument();
}

// ---- plain-text escaping ----

std::string DCExportToHTML(const std::string& S) {
  std::string R;
  R.reserve(S.size());
  for (const char C : S) {
    switch (C) {
      case '<': R += "&lt;"; break;
      case '>': R += "&gt;"; break;
      case '\n': R += "<BR>"; break;
      case '\r': break;
      default: R += C;
    }
  }
  // Each pair of blanks becomes "&nbsp; " until no pair is left.
  std::string Out;
  Out.reserve(R.size());
  for (std::size_t I = 0; I < R.size(); ++I) {
    if (R[I] == ' ' && I + 1 < R.size() && R[I + 1] == ' ') {
      Out += "&nbsp; ";
      ++I;
    } else {
      Out += R[I];
    }
  }
  return Out;
}

void DCProcessHTMLSysSymbols(std::string& S) {
  std::string R;
  R.reserve(S.size());
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S.compare(I, 4, "<BR>") == 0) {
      R += "<BR>";
      I += 3;
    } else if (S[I] == '<') {
      R += "&lt;";
    } else if (S[I] == '>') {
      R += "&gt;";
    } else if (S[I] == '\t') {
      while (I + 1 < S.size() && S[I + 1] == '\t') {
        ++I;
      }
      R += "&nbsp;-&nbsp;";
    } else {
      R += S[I];
    }
  }
  S = std::move(R);
}

}  // namespace Dcexport
