// The RTF back end of the exporter framework: the writer list with its font, colour and table objects, the
// exporter's callbacks, the help contents and index writers, and the plain-text export functions.
#include "codeeditor/Dcexport.h"

#include "platform/rtl/Exceptions.h"

#include <array>
#include <cmath>

namespace Dcexport {

Z_IMPLEMENT_CLASS(TWriterObject, TObject)
Z_IMPLEMENT_CLASS(TWriterFontObject, TWriterObject)
Z_IMPLEMENT_CLASS(TWriterColorObject, TWriterObject)
Z_IMPLEMENT_CLASS(TWriterTableObject, TWriterObject)
Z_IMPLEMENT_CLASS(TRTFWriterList, TObject)
Z_IMPLEMENT_CLASS(TDCRTFExporter, ZEZExporter)

namespace {
constexpr std::string_view CrLf = "\r\n";
const std::array<const char*, 4> RtfAlignNames = {"ql", "qc", "qr", "qj"};
const std::array<const char*, 3> RtfWindowNames = {"main", "", "second"};
const std::array<const char*, 9> RtfBorderNames = {"void",
                                                   "trbrdrt",
                                                   "trbrdrb",
                                                   "trbrdrh",
                                                   "trbrdrl",
                                                   "trbrdrr",
                                                   "trbrdrv",
                                                   "trbrdrt\\trbrdrb\\trbrdrh\\trbrdrl\\trbrdrr\\trbrdrv",
                                                   "trbrdrt\\trbrdrb\\trbrdrh\\trbrdrl\\trbrdrr\\trbrdrv"};

std::string IntText(Int64 V) { return std::to_string(V); }

void Put(TStream* Stream, std::string_view S) {
  if (!S.empty()) {
    Stream->WriteBuffer(S.data(), static_cast<LongInt>(S.size()));
  }
}

// A cell position in twips: Sum x 56.7 / 2, to the nearest integer with halves to even.
Int64 CellX(Int64 Sum) {
  if (Sum < 0) {
    return static_cast<Int64>(std::nearbyint(static_cast<double>(Sum) * 56.7 / 2.0));
  }
  const Int64 Q = Sum * 567;
  Int64 N = Q / 20;
  const Int64 Rem = Q % 20;
  if (Rem > 10 || (Rem == 10 && (N & 1) != 0)) {
    ++N;
  }
  return N;
}

std::string AfterLastDot(const std::string& Name) {
  const auto Dot = Name.rfind('.');
  return Dot == std::string::npos ? Name : Name.substr(Dot + 1);
}
}  // namespace

// ---- writer objects ----

void TWriterObject::WriteString(TStream* Stream, const std::string& S) { Put(Stream, S); }

void TWriterObject::WritelnString(TStream* Stream, const std::string& S) {
  WriteString(Stream, S);
  WriteString(Stream, std::string(CrLf));
}

TWriterFontObject::TWriterFontObject() : FNames(new TStringList()) { AddFont(SRtfDefaultFont, 1); }

Integer TWriterFontObject::AddFont(const std::string& Name, Byte CharSet) {
  const Integer Index = FNames->IndexOf(Name);
  if (Index >= 0) {
    return Index;
  }
  FCharSets.push_back(CharSet);
  return FNames->Add(Name);
}

void TWriterFontObject::Flush(TStream* Stream) {
  if (Count() == 0) {
    return;
  }
  WritelnString(Stream, "{\\fonttbl");
  for (Integer I = 0; I < Count(); ++I) {
    if (IgnoreCharSet) {
      WritelnString(Stream, "{\\f" + IntText(I) + " " + FNames->Strings(I) + ";}");
    } else {
      WritelnString(Stream, "{\\f" + IntText(I) + "\\fcharset" + IntText(FCharSets[static_cast<std::size_t>(I)]) + " " +
                                FNames->Strings(I) + ";}");
    }
  }
  WritelnString(Stream, "}");
}

TWriterColorObject::TWriterColorObject() : FColors(new TStringList()) {}

Integer TWriterColorObject::AddColor(TColor Color) {
  const COLORREF C = ColorToRGB(Color);
  const std::string Entry =
      "\\red" + IntText(GetRValue(C)) + "\\green" + IntText(GetGValue(C)) + "\\blue" + IntText(GetBValue(C));
  const Integer Index = FColors->IndexOf(Entry);
  return Index >= 0 ? Index : FColors->Add(Entry);
}

void TWriterColorObject::Flush(TStream* Stream) {
  if (Count() == 0) {
    return;
  }
  WritelnString(Stream, "{\\colortbl");
  for (Integer I = 0; I < Count(); ++I) {
    WritelnString(Stream, FColors->Strings(I) + ";");
  }
  WritelnString(Stream, "}");
}

void TWriterTableObject::BeginTag(const std::string& Tag) {
  if (Tag == "\\trowd\\") {
    const auto Frame = std::min<std::size_t>(FParams.Frame, RtfBorderNames.size() - 1);
    FRows.push_back(TRow{std::string("{\\trowd\\") + RtfBorderNames[Frame], {}});
  } else if (Tag == "cell" && !FRows.empty()) {
    FRows.back().Cells.push_back(IntText(TagValue == 0 ? 250 : TagValue) + "=");
  }
}

bool TWriterTableObject::IsEmbeddedString(const std::string& S) {
  if (!FRows.empty() && !FRows.back().Cells.empty()) {
    FRows.back().Cells.back() += S;
  }
  return true;
}

void TWriterTableObject::Flush(TStream* Stream) {
  if (FRows.empty()) {
    WriteString(Stream, "{");
    return;
  }
  WritelnString(Stream, "{\\par");
  for (const auto& Row : FRows) {
    WritelnString(Stream, Row.Header);
    Int64 Sum = 0;
    for (const auto& Cell : Row.Cells) {
      Sum += std::atoll(Cell.c_str());
      WritelnString(Stream, "\\cellx" + IntText(CellX(Sum)));
    }
    for (const auto& Cell : Row.Cells) {
      WritelnString(Stream, "\\pard \\intbl " + Cell.substr(Cell.find('=') + 1) + "\\cell");
    }
    WritelnString(Stream, "\\row\\pard}");
  }
}

// ---- the writer list ----

TRTFWriterList::TRTFWriterList()
    : FFont(new TWriterFontObject()),
      FColor(new TWriterColorObject()),
      FContent(new TStringList()),
      FIndex(new TStringList()) {
  FContent->SetSorted(true);
  FIndex->SetSorted(true);
  FIndex->SetDuplicates(dupAccept);
}

TRTFWriterList::~TRTFWriterList() = default;

void TRTFWriterList::WriteString(const std::string& S) {
  if (S.empty()) {
    return;
  }
  if (!FStack.empty() && FStack.back()->IsEmbeddedString(S)) {
    return;
  }
  AddEntry(S);
}

void TRTFWriterList::BeginTag(const std::string& Tag) {
  const char* Open = BracketsOff ? "\\" : "{\\";
  if (FFont->IsEmbeddedTag(Tag)) {
    const Integer Index = FFont->AddFont(FTagText, FTagCharSet);
    AddEntry(Open + Tag + IntText(Index) + " ");
    return;
  }
  if (FColor->IsEmbeddedTag(Tag)) {
    const Integer Index = FColor->AddColor(FTagValue);
    AddEntry(Open + Tag + IntText(Index) + " ");
    return;
  }
  for (auto It = FStack.rbegin(); It != FStack.rend(); ++It) {
    if ((*It)->IsEmbeddedTag(Tag)) {
      (*It)->TagText = FTagText;
      (*It)->TagValue = FTagValue;
      (*It)->BeginTag(Tag);
      return;
    }
  }
  if (Tag.empty()) {
    AddEntry(BracketsOff ? "" : "{");
  } else if (Tag.find("rtf1\\ansi") != std::string::npos) {
    AddDocumentEntry(Open + Tag + " ");
  } else {
    AddEntry(Open + Tag + " ");
  }
  WriteString(std::string(CrLf));
}

void TRTFWriterList::EndTag(const std::string& Tag) {
  for (auto It = FStack.rbegin(); It != FStack.rend(); ++It) {
    if ((*It)->IsEmbeddedTag(Tag)) {
      (*It)->EndTag(Tag);
      return;
    }
  }
  const char* Close = BracketsOff ? "" : "}";
  AddEntry(Tag.empty() ? std::string(Close) : "\\" + Tag + Close);
}

void TRTFWriterList::StartWriterObject(TWriterObject* Object) {
  FObjects.emplace_back(Object);
  FMarks.push_back(TMark{FBuffer.size(), 0, mkObject, Object});
  FStack.push_back(Object);
}

void TRTFWriterList::FinishWriterObject() {
  if (!FStack.empty()) {
    FStack.pop_back();
  }
}

void TRTFWriterList::AddDocumentEntry(const std::string& S) {
  FMarks.push_back(TMark{FBuffer.size(), S.size(), mkDocument, nullptr});
  AddEntry(S);
}

void TRTFWriterList::AddPageEntry(const std::string& S) {
  FMarks.push_back(TMark{FBuffer.size(), S.size(), mkPage, nullptr});
  AddEntry(S);
}

void TRTFWriterList::Flush(TStream* Stream) {
  std::size_t Pos = 0;
  const std::string_view Buffer(FBuffer);
  for (const auto& Mark : FMarks) {
    Put(Stream, Buffer.substr(Pos, Mark.Offset - Pos));
    switch (Mark.Kind) {
      case mkObject: Mark.Object->Flush(Stream); break;
      case mkDocument:
        Put(Stream, Buffer.substr(Mark.Offset, Mark.Length));
        FFont->Flush(Stream);
        FColor->Flush(Stream);
        break;
      case mkPage: WritePage(Stream, FBuffer.substr(Mark.Offset, Mark.Length)); break;
    }
    Pos = Mark.Offset + Mark.Length;
  }
  Put(Stream, Buffer.substr(Pos));
}

void TRTFWriterList::WritePage(TStream* Stream, const std::string& Entry) {
  Put(Stream, "{\\page}");
  std::string Name;
  const auto At = Entry.find("_page");
  if (At != std::string::npos && At + 6 <= Entry.size()) {
    for (const char C : Entry.substr(At + 6)) {
      if (C != '{' && C != '}') {
        Name += C;
      }
    }
  }
  auto Footnote = [&](const char* Mark, const std::string& Text) {
    Put(Stream, std::string("\\super") + Mark + "{\\footnote {\\super" + Mark + " }" + Text + "}");
  };
  Footnote(" #", Name);
  std::string Title;
  for (const char C : Name) {
    if (C < '0' || C > '9') {
      Title += C;
    }
  }
  Footnote(" $", Title);
  std::string Keys;
  for (Integer Index = 0; Index < FIndex->Count(); ++Index) {
    const std::string E = FIndex->Strings(Index);
    const auto Bang = E.find('!');
    if (Bang == Name.size() && E.compare(0, Bang, Name) == 0) {
      Keys += (Keys.empty() ? "" : ";") + E.substr(Bang + 1);
    }
  }
  if (!Keys.empty()) {
    Footnote(" K", "{" + Keys + "}");
  }
  Footnote(" A", Name);
}

// ---- the exporter ----

TDCRTFExporter::TDCRTFExporter(TStream* AStream) : ZEZExporter(AStream) {}
TDCRTFExporter::~TDCRTFExporter() = default;

TRTFWriterList* TDCRTFExporter::WriterList() {
  if (!FList) {
    FList.reset(GetRTFWriterClass());
  }
  return FList.get();
}

void TDCRTFExporter::WriteString(const std::string& S) {
  if (S.find('\xFF') == std::string::npos) {
    WriterList()->WriteString(S);
    return;
  }
  std::string R;
  R.reserve(S.size() + 8);
  for (const char C : S) {
    if (C == '\xFF') {
      R += "\\'FF";
    } else {
      R += C;
    }
  }
  WriterList()->WriteString(R);
}

std::string TDCRTFExporter::TranslateString(const std::string& S) {
  std::string R;
  R.reserve(S.size() + S.size() / 8);
  for (const char C : S) {
    if (C == '\t') {
      R += "\\tab ";
    } else {
      if (C == '\\' || C == '{' || C == '}') {
        R += '\\';
      }
      R += C;
    }
  }
  return R;
}

void TDCRTFExporter::WriteTag(const std::string& T) {
  if (T.rfind("_page", 0) == 0 && WriterList()->BracketsOff == false) {
    WriterList()->AddPageEntry("{\\" + T + "}");
  } else {
    WriterList()->WriteString("{\\" + T + "}");
  }
  WriterList()->WriteString(std::string(CrLf));
}

void TDCRTFExporter::StartParagraph(TParagraphAlign Align) {
  Tag(std::string("par \\") + RtfAlignNames[std::min<std::size_t>(Align, 3)]);
}
void TDCRTFExporter::FinishParagraph() { EndTag("par\\pard"); }
void TDCRTFExporter::StartNonScrolledArea() { Tag(""); }
void TDCRTFExporter::FinishNonScrolledArea() {
  WriteTag("keepn\\par");
  EndTag();
}
void TDCRTFExporter::NewLine() {
  Tag("line");
  EndTag();
}
void TDCRTFExporter::StartFont(const std::string& Name) { StartFontWithCharSet(Name, 1); }
void TDCRTFExporter::StartFontWithCharSet(const std::string& Name, Byte CharSet) {
  WriterList()->SetTagParam(Name, 0, CharSet);
  Tag("f");
}
void TDCRTFExporter::FinishFont() { EndTag(); }
void TDCRTFExporter::StartBigFont() {
  FFontSize += 6;
  Tag("fs" + IntText(FFontSize));
}
void TDCRTFExporter::FinishBigFont() {
  FFontSize -= 6;
  EndTag();
}
void TDCRTFExporter::StartSmallFont() {
  FFontSize -= 6;
  Tag(FFontSize > 0 ? "fs" + IntText(FFontSize) : std::string("fs1"));
}
void TDCRTFExporter::FinishSmallFont() {
  FFontSize += 6;
  EndTag();
}
void TDCRTFExporter::StartFontSize(Integer Size) { Tag("fs" + IntText(2 * static_cast<Int64>(Size))); }
void TDCRTFExporter::FinishFontSize() { EndTag(); }
void TDCRTFExporter::StartItalic() { Tag("i"); }
void TDCRTFExporter::FinishItalic() { EndTag(); }
void TDCRTFExporter::StartBold() { Tag("b"); }
void TDCRTFExporter::FinishBold() { EndTag(); }
void TDCRTFExporter::StartUnderline() { Tag("ul"); }
void TDCRTFExporter::FinishUnderline() { EndTag(); }
void TDCRTFExporter::StartStrikeOut() { Tag("strike"); }
void TDCRTFExporter::FinishStrikeOut() { EndTag(); }
void TDCRTFExporter::StartNumberedList() {
  Tag("");
  WriteTag("par");
  WriteTag("pntext");
  WriteTag("pn\\pnlvlbody\\pnstart1{\\pntxta .}");
}
void TDCRTFExporter::FinishNumberedList() { EndTag(); }
void TDCRTFExporter::StartBulletedList() {
  Tag("");
  WriteTag("par");
  WriteTag("pntext");
  WriteTag("pn\\pnlvlblt");
}
void TDCRTFExporter::FinishBulletedList() { EndTag(); }
void TDCRTFExporter::StartBulletListItem() {
  Tag("");
  WriteTag("pntext");
  WriteTag("pntxtb\\'b7");
}
void TDCRTFExporter::FinishBulletListItem() { EndTag("par"); }
void TDCRTFExporter::StartNumberedListItem() {
  Tag("");
  WriteTag("pntext");
  WriteTag("pntxtb\\pndec");
}
void TDCRTFExporter::FinishNumberedListItem() { EndTag("par"); }
void TDCRTFExporter::StartQuote() { Tag("pard\\li500"); }
void TDCRTFExporter::FinishQuote() { EndTag("par"); }
void TDCRTFExporter::StartSubScript() { Tag("sub"); }
void TDCRTFExporter::FinishSubScript() { EndTag(); }
void TDCRTFExporter::StartSuperScript() { Tag("super"); }
void TDCRTFExporter::FinishSuperScript() { EndTag(); }
void TDCRTFExporter::StartColor(TColor Color) {
  WriterList()->SetTagParam("", Color);
  Tag("cf");
}
void TDCRTFExporter::FinishColor() { EndTag(); }
void TDCRTFExporter::StartBackground(TColor Color) { (void)Color; }
void TDCRTFExporter::FinishBackground() {}
void TDCRTFExporter::StartBackColor(TColor Color) {
  WriterList()->SetTagParam("", Color);
  Tag("highlight");
}
void TDCRTFExporter::FinishBackColor() { EndTag(); }
void TDCRTFExporter::StartHRef(const std::string& Ref, TWindowStyle Style) {
  Tag(Style == wsPopup ? "ul" : "uldb");
  FHRefStyle = Style;
  FHRef = Ref;
}
void TDCRTFExporter::FinishHRef() {
  if (FHRefStyle == wsPopup) {
    WriteTag("v " + FHRef);
  } else {
    WriteTag("v " + FHRef + ">" + RtfWindowNames[std::min<std::size_t>(FHRefStyle, 2)]);
  }
  EndTag();
}
void TDCRTFExporter::StartTable(const TTableParams& Params) {
  WriterList()->StartWriterObject(new TWriterTableObject(Params));
}
void TDCRTFExporter::FinishTable() {
  WriterList()->FinishWriterObject();
  EndTag();
}
void TDCRTFExporter::StartTableRow() { Tag("\\trowd\\"); }
void TDCRTFExporter::FinishTableRow() { EndTag("\\trowd\\"); }
void TDCRTFExporter::StartTableDataCell(Integer Width) {
  WriterList()->SetTagParam("", Width);
  Tag("cell");
}
void TDCRTFExporter::FinishTableDataCell() { EndTag("cell"); }

void TDCRTFExporter::StartDocument(const std::string& Title) {
  (void)Title;
  Tag("rtf1\\ansi");
  Tag("plain");
  if (ParSpaceBefore > 0) {
    WriteString("\\sb" + IntText(ParSpaceBefore));
  }
  if (ParSpaceAfter > 0) {
    WriteString("\\sa" + IntText(ParSpaceAfter));
  }
}

void TDCRTFExporter::FinishDocument() {
  EndTag();
  EndTag();
  WriterList()->Flush(Stream);
}

void TDCRTFExporter::StartPage(const std::string& Name) {
  Tag("");
  WriteTag("_page\\" + Name);
}
void TDCRTFExporter::FinishPage() { EndTag(); }
void TDCRTFExporter::AddSpaces(Integer Count) {
  if (Count > 0) {
    WriteString(std::string(static_cast<std::size_t>(Count), ' '));
  }
}
void TDCRTFExporter::AddImage(const std::string& FileName, Integer Width, Integer Height) {
  (void)Width;
  (void)Height;
  WriteString(" \\{bmc " + FileName + "\\}");
}
void TDCRTFExporter::DrawHorzLine() { WriteString("\\par\\pard\\brdrt\\brdrs{\\f0\\fs2\\cf0  }\\par\\pard "); }
void TDCRTFExporter::WriteExternalURL(const std::string& Text, const std::string& URL) {
  WriteString("{\\uldb " + Text + "}{\\v *!ExecFile('" + URL + "')}");
}

// ---- help writers ----

void TRTFContentWriter::StartSection(const std::string& Name, const std::string& Ref) {
  ++FLevel;
  Put(FStream, IntText(FLevel) + " " + Name + (Ref.empty() ? "" : "=" + Ref) + std::string(CrLf));
  FExporter->WriterList()->ContentList()->Add(Ref + "!" + AfterLastDot(Name));
}

void TRTFContentWriter::StartSectionEx(const std::string& Name, const std::string& Ref, ZEZSectionKind Kind,
                                       const std::string& S1, const std::string& S2) {
  (void)Kind;
  (void)S1;
  (void)S2;
  StartSection(Name, Ref);
}

void TRTFIndexWriter::StartSection(const std::string& Name, const std::string& Ref) {
  const std::string Short = AfterLastDot(Name);
  const std::string Keyword = FSections.empty() ? Short : FSections.back() + "," + Short;
  FExporter->WriterList()->IndexList()->Add(Ref + "!" + Keyword);
  std::string Pushed = Short;
  if (!Pushed.empty() && Pushed.back() == ',') {
    Pushed.pop_back();
  }
  FSections.push_back(Pushed);
}

void TRTFIndexWriter::FinishSection() {
  if (!FSections.empty()) {
    FSections.pop_back();
  }
}

// ---- unit functions ----

Integer AddFont(TDCRTFExporter* Exporter, const std::string& Name) {
  return Exporter->WriterList()->FontObject()->AddFont(Name, 1);
}

Integer AddColor(TDCRTFExporter* Exporter, TColor Color) {
  return Exporter->WriterList()->ColorObject()->AddColor(Color);
}

void DCExportTo(IDCExporter* Exporter, const std::string& S) {
  Exporter->StartDocument("");
  Exporter->StartFontSize(10);
  try {
    std::size_t Pos = 0;
    bool First = true;
    while (Pos < S.size()) {
      std::size_t End = Pos;
      while (End < S.size() && S[End] != '\r' && S[End] != '\n') {
        ++End;
      }
      if (!First) {
        Exporter->NewLine();
      }
      First = false;
      Exporter->WriteString(Exporter->TranslateString(S.substr(Pos, End - Pos)));
      Pos = End;
      if (Pos < S.size() && S[Pos] == '\r') {
        ++Pos;
        if (Pos < S.size() && S[Pos] == '\n') {
          ++Pos;
        }
      } else if (Pos < S.size()) {
        ++Pos;
      }
    }
  } catch (...) {
    Exporter->FinishFontSize();
    Exporter->FinishDocument();
    throw;
  }
  Exporter->FinishFontSize();
  Exporter->FinishDocument();
}

void DCExportToRTFStream(TStream* Stream, const std::string& S) {
  TDCRTFExporter Exporter(Stream);
  DCExportTo(&Exporter, S);
}

std::string DCExportToRTF(const std::string& S) {
  TStringStream Stream("");
  DCExportToRTFStream(&Stream, S);
  return Stream.DataString();
}

}  // namespace Dcexport
