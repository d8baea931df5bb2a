// Styled-text export and import: the exporter framework with its HTML and RTF back ends, the RTF scanner and
// converters, and the RTF and HTML importers that hand text back as runs of font and colour.
#pragma once

#include "codeeditor/Dcparser.h"
#include "platform/classes/Streams.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/Graphics.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Dcexport {

enum TParagraphAlign : std::uint8_t { paLeft, paCenter, paRight, paJustify };
enum TWindowStyle : std::uint8_t { wsDefault, wsPopup, wsSecondary };
enum TTableFrame : std::uint8_t { tfvoid, tfabove, tfbelow, tfhsides, tflhs, tfrhs, tfvsides, tfbox, tfborder };
enum TTableRules : std::uint8_t { trnone, trgroups, trrows, trcols, trall };

// The parameters of a table; 0 means "not given" for the four integers.
struct TTableParams {
  Integer Width = 0;
  Integer Border = 0;
  TTableFrame Frame = tfvoid;
  TTableRules Rules = trnone;
  std::uint8_t Reserved[2] = {0, 0};
  Integer CellSpacing = 0;
  Integer CellPadding = 0;
};
static_assert(sizeof(TTableParams) == 20);

enum ZEZSectionKind : std::uint8_t {
  skTitle,
  skClassesGroup,
  skInterfacesGroup,
  skTypesGroup,
  skProceduresGroup,
  skUnitsGroup,
  skUnitHeader,
  skAuxiliaryGroup,
  skIndex,
  skClass,
  skInterface,
  skType,
  skProcedure,
  skVariable,
  skUnit,
  skMethod,
  skProperty,
  skEvent,
  skCategorySectionClass,
  skCategoryGroupSectionIntf,
  skCategoryGroupSectionType,
  skCategoryGroupSectionProc,
  skCategoryGroupSectionVar,
  skSubCategorySection,
  skDefCategorySection,
  skUserDefinedGroup,
  skUserDefinedNode,
  skVariableGroup
};

// The importers' output: one run of text with the font and the background colour in force (-1: none).
using TParseTextEvent = std::function<void(TObject* Sender, const std::string& S, TFont* Font, TColor Color)>;

inline constexpr const char* SDefaultFont = "Times New Roman";
inline constexpr const char* SRtfDefaultFont = "\\fnil Times New Roman";
// When set, the HTML back end writes no document frame (no Html, Head, Title and Body tags).
extern bool SkipHtmlHeader;
// The RTF control words the scanner knows.
extern const std::vector<std::string> SRtfResWords;

// Fixed identifiers of the three interfaces.
inline constexpr const char* IID_IDCExporter = "{6A0F3C21-5B7E-4D0A-9C41-2E8F7B1D9A01}";
inline constexpr const char* IID_IDCSectionWriter = "{6A0F3C22-5B7E-4D0A-9C41-2E8F7B1D9A02}";
inline constexpr const char* IID_IDCSectionWriterEx = "{6A0F3C23-5B7E-4D0A-9C41-2E8F7B1D9A03}";

// The writer every caller talks to: "start" and "finish" pairs, nested, between StartDocument and
// FinishDocument; text goes through TranslateString before WriteString.
class IDCExporter {
public:
  virtual ~IDCExporter() = default;
  virtual void WriteString(const std::string& S) = 0;
  virtual std::string TranslateString(const std::string& S) = 0;
  virtual void StartParagraph(TParagraphAlign Align) = 0;
  virtual void FinishParagraph() = 0;
  virtual void StartNonScrolledArea() = 0;
  virtual void FinishNonScrolledArea() = 0;
  virtual void NewLine() = 0;
  virtual void StartFont(const std::string& Name) = 0;
  virtual void StartFontWithCharSet(const std::string& Name, Byte CharSet) = 0;
  virtual void FinishFont() = 0;
  virtual void StartBigFont() = 0;
  virtual void FinishBigFont() = 0;
  virtual void StartSmallFont() = 0;
  virtual void FinishSmallFont() = 0;
  virtual void StartFontSize(Integer Size) = 0;
  virtual void FinishFontSize() = 0;
  virtual void StartItalic() = 0;
  virtual void FinishItalic() = 0;
  virtual void StartBold() = 0;
  virtual void FinishBold() = 0;
  virtual void StartUnderline() = 0;
  virtual void FinishUnderline() = 0;
  virtual void StartStrikeOut() = 0;
  virtual void FinishStrikeOut() = 0;
  virtual void StartNumberedList() = 0;
  virtual void FinishNumberedList() = 0;
  virtual void StartBulletedList() = 0;
  virtual void FinishBulletedList() = 0;
  virtual void StartBulletListItem() = 0;
  virtual void FinishBulletListItem() = 0;
  virtual void StartNumberedListItem() = 0;
  virtual void FinishNumberedListItem() = 0;
  virtual void StartQuote() = 0;
  virtual void FinishQuote() = 0;
  virtual void StartSubScript() = 0;
  virtual void FinishSubScript() = 0;
  virtual void StartSuperScript() = 0;
  virtual void FinishSuperScript() = 0;
  virtual void StartColor(TColor Color) = 0;
  virtual void FinishColor() = 0;
  virtual void StartBackground(TColor Color) = 0;
  virtual void FinishBackground() = 0;
  virtual void StartBackColor(TColor Color) = 0;
  virtual void FinishBackColor() = 0;
  virtual void StartHRef(const std::string& Ref, TWindowStyle Style) = 0;
  virtual void FinishHRef() = 0;
  virtual void StartTable(const TTableParams& Params) = 0;
  virtual void FinishTable() = 0;
  virtual void StartTableRow() = 0;
  virtual void FinishTableRow() = 0;
  virtual void StartTableDataCell(Integer Width) = 0;
  virtual void FinishTableDataCell() = 0;
  virtual void StartDocument(const std::string& Title) = 0;
  virtual void FinishDocument() = 0;
  virtual void StartPage(const std::string& Name) = 0;
  virtual void FinishPage() = 0;
  virtual void AddSpaces(Integer Count) = 0;
  virtual void AddImage(const std::string& FileName, Integer Width, Integer Height) = 0;
  virtual bool UseTabCharacter() = 0;
  virtual void DrawHorzLine() = 0;
  virtual void WriteExternalURL(const std::string& Text, const std::string& URL) = 0;
};

// A writer of the sections of a help project's contents or index.
class IDCSectionWriter {
public:
  virtual ~IDCSectionWriter() = default;
  virtual void StartSection(const std::string& Name, const std::string& Ref) = 0;
  virtual void FinishSection() = 0;
};

class IDCSectionWriterEx : public IDCSectionWriter {
public:
  // Both implementations call StartSection (Name, Ref) and ignore the rest.
  virtual void StartSectionEx(const std::string& Name, const std::string& Ref, ZEZSectionKind Kind,
                              const std::string& S1, const std::string& S2) = 0;
};

// The abstract exporter over a stream it does not own (THTMLExporter owns its own). Every back end overrides all
// the operations but WriteString.
class ZEZExporter : public TInterfacedObject, public IDCExporter {
  Z_CLASS(ZEZExporter, TInterfacedObject)
public:
  explicit ZEZExporter(TStream* AStream) : Stream(AStream) {}
  ZEZExporter(const ZEZExporter&) = delete;
  ZEZExporter& operator=(const ZEZExporter&) = delete;
  // Writes the bytes of S to Stream; nothing for an empty S. Write failures propagate.
  void WriteString(const std::string& S) override;

  TStream* Stream;
  Integer ParSpaceBefore = 0;  // twips
  Integer ParSpaceAfter = 0;
};

// The group kind of a section kind; kinds without a group give themselves.
ZEZSectionKind DCGetGroupSectionKind(ZEZSectionKind Kind);
// "#RRGGBB" of a colour, system colours resolved.
std::string ColorToHtml(TColor Color);
// The HTML size 1 to 7 of a point size.
Integer PointsToHtmlSize(Integer Points);

// ---------------------------------------------------------------------------------------------------------------
// HTML back end: old-style presentational HTML.
class TDCHTMLExporter : public ZEZExporter {
  Z_CLASS(TDCHTMLExporter, ZEZExporter)
public:
  explicit TDCHTMLExporter(TStream* AStream) : ZEZExporter(AStream) {}
  std::string TranslateString(const std::string& S) override;
  void StartParagraph(TParagraphAlign Align) override;
  void FinishParagraph() override;
  void StartNonScrolledArea() override;
  void FinishNonScrolledArea() override;
  void NewLine() override;
  void StartFont(const std::string& Name) override;
  void StartFontWithCharSet(const std::string& Name, Byte CharSet) override;
  void FinishFont() override;
  void StartBigFont() override;
  void FinishBigFont() override;
  void StartSmallFont() override;
  void FinishSmallFont() override;
  void StartFontSize(Integer Size) override;
  void FinishFontSize() override;
  void StartItalic() override;
  void FinishItalic() override;
  void StartBold() override;
  void FinishBold() override;
  void StartUnderline() override;
  void FinishUnderline() override;
  void StartStrikeOut() override;
  void FinishStrikeOut() override;
  void StartNumberedList() override;
  void FinishNumberedList() override;
  void StartBulletedList() override;
  void FinishBulletedList() override;
  void StartBulletListItem() override;
  void FinishBulletListItem() override;
  void StartNumberedListItem() override;
  void FinishNumberedListItem() override;
  void StartQuote() override;
  void FinishQuote() override;
  void StartSubScript() override;
  void FinishSubScript() override;
  void StartSuperScript() override;
  void FinishSuperScript() override;
  void StartColor(TColor Color) override;
  void FinishColor() override;
  void StartBackground(TColor Color) override;
  void FinishBackground() override;
  void StartBackColor(TColor Color) override;
  void FinishBackColor() override;
  void StartHRef(const std::string& Ref, TWindowStyle Style) override;
  void FinishHRef() override;
  void StartTable(const TTableParams& Params) override;
  void FinishTable() override;
  void StartTableRow() override;
  void FinishTableRow() override;
  void StartTableDataCell(Integer Width) override;
  void FinishTableDataCell() override;
  void StartDocument(const std::string& Title) override;
  void FinishDocument() override;
  void StartPage(const std::string& Name) override;
  void FinishPage() override;
  void AddSpaces(Integer Count) override;
  void AddImage(const std::string& FileName, Integer Width, Integer Height) override;
  bool UseTabCharacter() override { return false; }
  void DrawHorzLine() override;
  void WriteExternalURL(const std::string& Text, const std::string& URL) override;

  // Tag primitives. A complex tag starts on a new line when another complex tag came last; attributes with
  // empty values are left out, and values are written with "&", "<", ">" and the double quote escaped.
  void BeginTag(const std::string& Tag);
  void EndTag(const std::string& Tag);
  void BeginComplexTag(const std::string& Tag, const std::string& Content);
  void BeginTagWithLine(const std::string& Tag) { BeginComplexTag(Tag, Tag); }
  void BeginTagEx(const std::string& Tag, const std::vector<std::string>& Names,
                  const std::vector<std::string>& Values);
  void SetLastComplexTag(const std::string& Tag) { FLastComplexTag = Tag; }

private:
  std::string FLastComplexTag;
};

// The HTML exporter owning its stream.
class THTMLExporter : public TDCHTMLExporter {
  Z_CLASS(THTMLExporter, TDCHTMLExporter)
public:
  explicit THTMLExporter(TStream* AStream) : TDCHTMLExporter(AStream) {}
  ~THTMLExporter() override;
};

// The contents page of a compiled-help project as a site map; owns its stream and finishes the page when freed.
class THTMLContentWriter : public TDCHTMLExporter, public IDCSectionWriterEx {
  Z_CLASS(THTMLContentWriter, TDCHTMLExporter)
public:
  explicit THTMLContentWriter(TStream* AStream);
  ~THTMLContentWriter() override;
  void StartSection(const std::string& Name, const std::string& Ref) override;
  void FinishSection() override;
  void StartSectionEx(const std::string& Name, const std::string& Ref, ZEZSectionKind Kind, const std::string& S1,
                      const std::string& S2) override;
};

// The keyword index page of a compiled-help project; collects keys and writes them sorted when freed.
class THTMLIndexWriter : public TDCHTMLExporter, public IDCSectionWriter {
  Z_CLASS(THTMLIndexWriter, TDCHTMLExporter)
public:
  explicit THTMLIndexWriter(TStream* AStream);
  ~THTMLIndexWriter() override;
  void StartSection(const std::string& Name, const std::string& Ref) override;
  void FinishSection() override;
  void Flush();

private:
  void SetLevel(Integer Level);
  std::vector<std::string> FSections;
  std::unique_ptr<TStringList> FIndex;  // keys, each with a sorted list of "name!file"
  Integer FLevel = 0;
  bool FFlushed = false;
};

// Plain text to HTML: "<", ">" escaped, line feeds as "<BR>", carriage returns removed, blank pairs as
// "&nbsp; ". "&" is left as it is.
std::string DCExportToHTML(const std::string& S);
// Escapes "<" and ">" outside "<BR>" and turns runs of tabs into "&nbsp;-&nbsp;".
void DCProcessHTMLSysSymbols(std::string& S);
// The HTML text escape of the back end (blank, double quote, "&", "<", ">").
std::string HtmlTranslate(std::string_view S);
// A value written between double quotes: "&", "<", ">" and the double quote escaped.
std::string HtmlAttributeEscape(std::string_view S);

// ---------------------------------------------------------------------------------------------------------------
// RTF back end. Output is collected in a writer list and written at FinishDocument.

class TRTFWriterList;

// An object placed in the writer list that writes its own part of the output at Flush.
class TWriterObject : public TObject {
  Z_CLASS(TWriterObject, TObject)
public:
  TWriterObject() = default;
  virtual void BeginTag(const std::string& Tag) { (void)Tag; }
  virtual void EndTag(const std::string& Tag) { (void)Tag; }
  virtual bool IsEmbeddedTag(const std::string& Tag) {
    (void)Tag;
    return false;
  }
  virtual void WriteString(TStream* Stream, const std::string& S);
  virtual void Flush(TStream* Stream) { (void)Stream; }
  virtual bool IsEmbeddedString(const std::string& S) {
    (void)S;
    return false;
  }
  void WritelnString(TStream* Stream, const std::string& S);

  // The argument of the tag being begun (font name, colour or cell width) and the character set of a font tag.
  std::string TagText;
  Integer TagValue = 0;
};

// The font table: names (compared without regard to case) with their character sets.
class TWriterFontObject : public TWriterObject {
  Z_CLASS(TWriterFontObject, TWriterObject)
public:
  TWriterFontObject();
  Integer AddFont(const std::string& Name, Byte CharSet);
  bool IsEmbeddedTag(const std::string& Tag) override { return Tag == "f"; }
  void Flush(TStream* Stream) override;
  Integer Count() const { return FNames->Count(); }
  bool IgnoreCharSet = false;

private:
  std::unique_ptr<TStringList> FNames;
  std::vector<Byte> FCharSets;
};

// The colour table: entries "\redR\greenG\blueB".
class TWriterColorObject : public TWriterObject {
  Z_CLASS(TWriterColorObject, TWriterObject)
public:
  TWriterColorObject();
  Integer AddColor(TColor Color);
  bool IsEmbeddedTag(const std::string& Tag) override { return Tag == "cf" || Tag == "highlight"; }
  void Flush(TStream* Stream) override;
  Integer Count() const { return FColors->Count(); }

private:
  std::unique_ptr<TStringList> FColors;
};

// A table laid out once all its cells are known: rows of cells "width=text".
class TWriterTableObject : public TWriterObject {
  Z_CLASS(TWriterTableObject, TWriterObject)
public:
  explicit TWriterTableObject(const TTableParams& AParams) : FParams(AParams) {}
  void BeginTag(const std::string& Tag) override;
  bool IsEmbeddedTag(const std::string& Tag) override { return Tag == "\\trowd\\" || Tag == "cell"; }
  bool IsEmbeddedString(const std::string& S) override;
  void Flush(TStream* Stream) override;

private:
  struct TRow {
    std::string Header;
    std::vector<std::string> Cells;
  };
  TTableParams FParams;
  std::vector<TRow> FRows;
};

// The ordered output of the RTF back end. Entries are kept in one growing buffer; the places of writer objects
// and of the document and page tags are marks into it, so a large export costs little more than its bytes.
class TRTFWriterList : public TObject {
  Z_CLASS(TRTFWriterList, TObject)
public:
  TRTFWriterList();
  ~TRTFWriterList() override;
  TRTFWriterList(const TRTFWriterList&) = delete;
  TRTFWriterList& operator=(const TRTFWriterList&) = delete;

  void WriteString(const std::string& S);
  void BeginTag(const std::string& Tag);
  void EndTag(const std::string& Tag);
  // Adds an entry carrying the object (owned by the list from now on) and makes it the top of the stack.
  void StartWriterObject(TWriterObject* Object);
  void FinishWriterObject();
  void Flush(TStream* Stream);
  // Entries the document and page tags write; they expand into the font and colour tables and page footnotes.
  void AddDocumentEntry(const std::string& S);
  void AddPageEntry(const std::string& S);

  void SetTagParam(const std::string& Text, Integer Value, Byte CharSet = 1) {
    FTagText = Text;
    FTagValue = Value;
    FTagCharSet = CharSet;
  }
  TWriterFontObject* FontObject() const { return FFont.get(); }
  TWriterColorObject* ColorObject() const { return FColor.get(); }
  TStringList* ContentList() const { return FContent.get(); }
  TStringList* IndexList() const { return FIndex.get(); }
  bool IgnoreCharSet() const { return FFont->IgnoreCharSet; }
  void SetIgnoreCharSet(bool Value) { FFont->IgnoreCharSet = Value; }
  bool BracketsOff = false;
  std::size_t ByteCount() const { return FBuffer.size(); }

private:
  enum TMarkKind : std::uint8_t { mkObject, mkDocument, mkPage };
  struct TMark {
    std::size_t Offset;  // where the entry starts in the buffer
    std::size_t Length;  // of the entry's own text (0 for objects)
    TMarkKind Kind;
    TWriterObject* Object;
  };
  void AddEntry(std::string_view S) { FBuffer.append(S); }
  void WritePage(TStream* Stream, const std::string& Entry);

  std::string FBuffer;
  std::vector<TMark> FMarks;
  std::vector<std::unique_ptr<TWriterObject>> FObjects;
  std::vector<TWriterObject*> FStack;
  std::unique_ptr<TWriterFontObject> FFont;
  std::unique_ptr<TWriterColorObject> FColor;
  std::unique_ptr<TStringList> FContent;
  std::unique_ptr<TStringList> FIndex;
  std::string FTagText;
  Integer FTagValue = 0;
  Byte FTagCharSet = 1;
};

class TDCRTFExporter : public ZEZExporter {
  Z_CLASS(TDCRTFExporter, ZEZExporter)
public:
  explicit TDCRTFExporter(TStream* AStream);
  ~TDCRTFExporter() override;
  virtual TRTFWriterList* GetRTFWriterClass() { return new TRTFWriterList(); }

  void WriteString(const std::string& S) override;
  std::string TranslateString(const std::string& S) override;
  void StartParagraph(TParagraphAlign Align) override;
  void FinishParagraph() override;
  void StartNonScrolledArea() override;
  void FinishNonScrolledArea() override;
  void NewLine() override;
  void StartFont(const std::string& Name) override;
  void StartFontWithCharSet(const std::string& Name, Byte CharSet) override;
  void FinishFont() override;
  void StartBigFont() override;
  void FinishBigFont() override;
  void StartSmallFont() override;
  void FinishSmallFont() override;
  void StartFontSize(Integer Size) override;
  void FinishFontSize() override;
  void StartItalic() override;
  void FinishItalic() override;
  void StartBold() override;
  void FinishBold() override;
  void StartUnderline() override;
  void FinishUnderline() override;
  void StartStrikeOut() override;
  void FinishStrikeOut() override;
  void StartNumberedList() override;
  void FinishNumberedList() override;
  void StartBulletedList() override;
  void FinishBulletedList() override;
  void StartBulletListItem() override;
  void FinishBulletListItem() override;
  void StartNumberedListItem() override;
  void FinishNumberedListItem() override;
  void StartQuote() override;
  void FinishQuote() override;
  void StartSubScript() override;
  void FinishSubScript() override;
  void StartSuperScript() override;
  void FinishSuperScript() override;
  void StartColor(TColor Color) override;
  void FinishColor() override;
  void StartBackground(TColor Color) override;
  void FinishBackground() override;
  void StartBackColor(TColor Color) override;
  void FinishBackColor() override;
  void StartHRef(const std::string& Ref, TWindowStyle Style) override;
  void FinishHRef() override;
  void StartTable(const TTableParams& Params) override;
  void FinishTable() override;
  void StartTableRow() override;
  void FinishTableRow() override;
  void StartTableDataCell(Integer Width) override;
  void FinishTableDataCell() override;
  void StartDocument(const std::string& Title) override;
  void FinishDocument() override;
  void StartPage(const std::string& Name) override;
  void FinishPage() override;
  void AddSpaces(Integer Count) override;
  void AddImage(const std::string& FileName, Integer Width, Integer Height) override;
  bool UseTabCharacter() override { return true; }
  void DrawHorzLine() override;
  void WriteExternalURL(const std::string& Text, const std::string& URL) override;

  TRTFWriterList* WriterList();
  // Writes the entries "{\" T "}" and CR LF.
  void WriteTag(const std::string& T);

private:
  void Tag(const std::string& T) { WriterList()->BeginTag(T); }
  void EndTag(const std::string& T = std::string()) { WriterList()->EndTag(T); }
  std::unique_ptr<TRTFWriterList> FList;
  Integer FFontSize = 24;  // half-points
  TWindowStyle FHRefStyle = wsDefault;
  std::string FHRef;
};

// The contents file of a help project; writes to a stream it does not own.
class TRTFContentWriter : public TInterfacedObject, public IDCSectionWriterEx {
public:
  TRTFContentWriter(TDCRTFExporter* AExporter, TStream* AStream) : FExporter(AExporter), FStream(AStream) {}
  void StartSection(const std::string& Name, const std::string& Ref) override;
  void FinishSection() override { --FLevel; }
  void StartSectionEx(const std::string& Name, const std::string& Ref, ZEZSectionKind Kind, const std::string& S1,
                      const std::string& S2) override;

private:
  TDCRTFExporter* FExporter;
  TStream* FStream;
  Integer FLevel = 0;
};

// Collects index keywords of a help project into the exporter's index list ("K" footnotes of the pages).
class TRTFIndexWriter : public TInterfacedObject, public IDCSectionWriter {
public:
  explicit TRTFIndexWriter(TDCRTFExporter* AExporter) : FExporter(AExporter) {}
  void StartSection(const std::string& Name, const std::string& Ref) override;
  void FinishSection() override;
  void Flush() {}

private:
  TDCRTFExporter* FExporter;
  std::vector<std::string> FSections;
};

Integer AddFont(TDCRTFExporter* Exporter, const std::string& Name);
Integer AddColor(TDCRTFExporter* Exporter, TColor Color);
// Writes S as a plain document: 10 points, lines (CR LF, CR or LF) separated by NewLine.
void DCExportTo(IDCExporter* Exporter, const std::string& S);
void DCExportToRTFStream(TStream* Stream, const std::string& S);
std::string DCExportToRTF(const std::string& S);

// ---------------------------------------------------------------------------------------------------------------
// RTF scanner and converters.

inline constexpr Integer tokRtfGroupBegin = 20;
inline constexpr Integer tokRtfGroupEnd = 21;
inline constexpr Integer tokRtfUnknownWord = 22;
inline constexpr Integer tokRtfHexChar = 23;

// The RTF tokenizer: text, numbers, known control words (token 6 with the word's id), unknown ones (22), hex
// escapes (23) and group brackets (20, 21). Line ends give no token.
class ZEZRtfParser : public Dcparser::TCustomDCParser {
  Z_CLASS(ZEZRtfParser, Dcparser::TCustomDCParser)
public:
  explicit ZEZRtfParser(TComponent* AOwner);
  void InitRtfSyntax();
  // Steps over a "-" followed by a digit, then over digits.
  void SkipRtfDigits();
  // Reads the digits at the scan position.
  std::string ParseDigits();
  Byte HexValue() const { return FHexValue; }
  const std::string& GroupText() const { return FGroupText; }
  // The id of a control word of the list ("\b"...), -1 when it is not one.
  Integer RtfWordId(std::string_view Word) { return WordId(Word); }
  // Points the scanner at Text (kept by the caller, zero-terminated).
  void SetText(const std::string& Text) { SetLinePtr(Text.c_str()); }

  Integer ParseRtfText();
  Integer ParseRtfGroupBegin();
  Integer ParseRtfGroupEnd();
  Integer ParseRtfControl();
  Integer ParseRtfNumber();

  // Reads a numeric parameter ("-" and digits) at the scan position; false when there is none.
  bool ReadParam(Integer& Value);
  // True when the next token is the known control word Id; the position does not change.
  bool PeekIsWord(Integer Id, std::string* Text = nullptr);
  std::string_view TokenText() const { return TokenView(); }

private:
  struct TSaved {
    const char* Cur;
    const char* Tok;
    const char* Line;
    Integer LinePos;
    Integer Token;
    Integer Id;
    Byte Hex;
    std::string Group;
  };
  TSaved Save() const;
  void Restore(const TSaved& S);
  Byte FHexValue = 0;
  std::string FGroupText;
};

// The shared base of the RTF readers: the scanner, the font and colour tables.
class TRTFConverter : public TObject {
  Z_CLASS(TRTFConverter, TObject)
public:
  explicit TRTFConverter(const std::string& Text);
  ~TRTFConverter() override;
  TRTFConverter(const TRTFConverter&) = delete;
  TRTFConverter& operator=(const TRTFConverter&) = delete;

  ZEZRtfParser* Parser() const { return FParser.get(); }
  TStringList* FontTable() const { return FFontTable.get(); }    // objects: the character sets
  TStringList* ColorTable() const { return FColorTable.get(); }  // decimal colour values
  std::string ParseDigits() { return FParser->ParseDigits(); }
  void SkipGroup();
  void SkipToFontTable();
  void ProcessFontTable();
  void ProcessColorTable();
  Byte FontCharSet(Integer Index) const;
  // Word ids of the control words the readers act on.
  Integer Id(std::string_view Word) { return FParser->RtfWordId(Word); }
  // Table entries; a number outside the table raises the string list's index error.
  std::string FontAt(Integer Index) const;
  std::string ColorAt(Integer Index) const;

protected:
  // Called for each colour read; the base appends its decimal value.
  virtual void ColorRead(Integer Value);
  virtual void AutoColorRead();
  std::string FText;
  std::unique_ptr<ZEZRtfParser> FParser;
  std::unique_ptr<TStringList> FFontTable;
  std::unique_ptr<TStringList> FColorTable;
  std::vector<Byte> FCharSets;
  Integer FColorAcc = 0;
};

// Re-numbers the fonts and colours of an RTF fragment into an exporter's tables.
class TDCRTFConverter : public TRTFConverter {
  Z_CLASS(TDCRTFConverter, TRTFConverter)
public:
  TDCRTFConverter(const std::string& Text, TDCRTFExporter* AExporter) : TRTFConverter(Text), FExporter(AExporter) {}
  void ParseRtf();
  const std::string& Result() const { return FResult; }

private:
  TDCRTFExporter* FExporter;
  std::string FResult;
};

// Turns RTF into an HTML fragment without a document frame.
class ZEZHtmlConverter : public TRTFConverter {
  Z_CLASS(ZEZHtmlConverter, TRTFConverter)
public:
  explicit ZEZHtmlConverter(const std::string& Text) : TRTFConverter(Text) {}
  void ParseRtf();
  const std::string& Result() const { return FResult; }

protected:
  void ColorRead(Integer Value) override;
  void AutoColorRead() override;

private:
  void WriteTag(const std::string& T);
  void WriteTagEx(const std::string& T, const std::vector<std::pair<std::string, std::string>>& Attrs);
  void FlushTags(std::initializer_list<const char*> Names);
  void ChangeTag(const std::string& Old, const std::string& New, const std::string& Attrs);
  void PopEntry();
  std::string& Top();
  std::string FResult;
  std::vector<std::string> FClosing;
  Integer FDefLang = -1;
};

std::string Rtf2Rtf(const std::string& Text, TDCRTFExporter* Exporter);
std::string RtfToHtml(const std::string& Text);
// A copy of S without the "\" in front of "\", "{" and "}"; with DropLeadingBlank, without a leading blank.
std::string DCRemoveSlash(const std::string& S, bool DropLeadingBlank);

// ---------------------------------------------------------------------------------------------------------------
// Importers.

class TInternalImporter;

class ZEZImporter : public TObject {
  Z_CLASS(ZEZImporter, TObject)
public:
  ZEZImporter();
  ~ZEZImporter() override;
  ZEZImporter(const ZEZImporter&) = delete;
  ZEZImporter& operator=(const ZEZImporter&) = delete;
  virtual void TextChanged(const std::string& S, TFont* AFont, TColor Color);
  virtual bool IsValidStream(TStream* Stream) = 0;
  virtual void ParseText(const std::string& Text) = 0;
  TFont* Font() const { return FFont.get(); }
  TParseTextEvent OnParseText;

private:
  std::unique_ptr<TFont> FFont;
};
using ZEZImporterClass = TClass;

class ZEZRtfImporter : public ZEZImporter {
  Z_CLASS(ZEZRtfImporter, ZEZImporter)
public:
  ZEZRtfImporter() = default;
  // True when the stream holds at least 5 bytes and they are "{\rtf"; the stream is rewound to 0.
  bool IsValidStream(TStream* Stream) override;
  void ParseText(const std::string& Text) override;
};

class TDCHTMLImporter : public ZEZImporter {
  Z_CLASS(TDCHTMLImporter, ZEZImporter)
public:
  TDCHTMLImporter() = default;
  bool IsValidStream(TStream* Stream) override {
    (void)Stream;
    return true;
  }
  void ParseText(const std::string& Text) override;
};

// Font sizes imported text may ask for, in points.
inline constexpr Integer MinImportFontSize = 1;
inline constexpr Integer MaxImportFontSize = 1638;

}  // namespace Dcexport
