// The RTF scanner, the RTF converters and the RTF and HTML importers: tokens, re-numbered fragments, HTML
// fragments and the runs of text with their fonts and colours.
#include "codeeditor/Dcexport.h"

#include "platform/rtl/Exceptions.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace Dcexport;
using namespace Dcparser;

namespace {
// "token:text" for each token of Text.
std::string Tokens(const std::string& Text) {
  ZEZRtfParser P(nullptr);
  P.SetText(Text);
  std::string R;
  for (Integer T = P.NextToken(); T != tokEof; T = P.NextToken()) {
    R += std::to_string(T) + ":" + std::string(P.TokenText());
    if (T == tokRtfHexChar) {
      R += "=" + std::to_string(P.HexValue());
    }
    R += "|";
  }
  return R;
}

TEST(RtfScanner, GivesWordsNumbersTextAndEscapes) {
  EXPECT_EQ(Tokens("\\fs24 Hello"), "6:\\fs|4:24|1: Hello|");
  EXPECT_EQ(Tokens("\\'e9x"), "23:\\'e9=233|1:x|");
  EXPECT_EQ(Tokens("\\{a}"), "1:{a|21:}|");
  EXPECT_EQ(Tokens("{\\foo1 a\r\nb}"), "20:{|22:\\foo|4:1|1: a|1:b|21:}|");
  EXPECT_EQ(Tokens("{abc\\b}"), "20:{abc|6:\\b|21:}|");
  ZEZRtfParser P(nullptr);
  // Ids come from the sorted list: "\tab" sorts before "\trowd".
  EXPECT_LT(P.RtfWordId("\\tab"), P.RtfWordId("\\trowd"));
  EXPECT_EQ(P.RtfWordId("\\fcharset"), -1);
}

TEST(RtfConverters, Rtf2RtfRenumbersIntoTheExporter) {
  TStringStream Stream;
  TDCRTFExporter E(&Stream);
  const std::string Text =
      "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}\\f0\\cf1 Hi}";
  EXPECT_EQ(Rtf2Rtf(Text, &E), "{\r\n\r\n\\f1\r\n\\cf0 Hi}");
  E.StartDocument("");
  E.FinishDocument();
  EXPECT_NE(Stream.DataString().find("{\\f1\\fcharset1 \\fnil Arial;}"), std::string::npos);
  EXPECT_NE(Stream.DataString().find("\\red255\\green0\\blue0;"), std::string::npos);
}

TEST(RtfConverters, RtfToHtml) {
  EXPECT_EQ(RtfToHtml("{\\b bold}"), "<B>\r\nbold</B>");
  EXPECT_EQ(
      RtfToHtml("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green128\\blue255;}\\f0\\cf1\\fs20 a b\\par c}"),
      "<font face=\"Arial\"><font color=\"#0080FF\"><font SIZE=\"2\">a&nbsp;b<BR>\r\nc</font></font></font>");
  EXPECT_EQ(RtfToHtml("x\\tab y\\line z"), "x\ty<BR>z");
  // Table numbers outside the tables stop the conversion with the list's index error.
  EXPECT_THROW((void)RtfToHtml("\\cf3 x"), EStringListError);
  TStringStream Stream;
  TDCRTFExporter E(&Stream);
  EXPECT_THROW((void)Rtf2Rtf("\\f2 x", &E), EStringListError);
  EXPECT_EQ(DCRemoveSlash(" a\\\\b", true), "a\\b");
  EXPECT_EQ(DCRemoveSlash(" \\{x\\}", false), " {x}");
}

// The runs an importer hands out: "text[font,size,colour,BIUS,back]".
struct TRunLog {
  std::string Runs;
  std::string Text;
  void Attach(ZEZImporter& I) {
    I.OnParseText = [this](TObject*, const std::string& S, TFont* F, TColor Back) {
      std::ostringstream Out;
      Out << S << "[" << F->Name() << "," << F->Size() << "," << F->Color() << ","
          << (F->Style().Contains(fsBold) ? "B" : "") << (F->Style().Contains(fsItalic) ? "I" : "")
          << (F->Style().Contains(fsUnderline) ? "U" : "") << (F->Style().Contains(fsStrikeOut) ? "S" : "") << ","
          << Back << "]";
      Runs += Out.str();
      Text += S;
    };
  }
};

TRunLog ImportRtf(const std::string& Text) {
  TRunLog Log;
  ZEZRtfImporter I;
  Log.Attach(I);
  I.ParseText(Text);
  return Log;
}

TRunLog ImportHtml(const std::string& Text) {
  TRunLog Log;
  TDCHTMLImporter I;
  Log.Attach(I);
  I.ParseText(Text);
  return Log;
}

const std::string RtfHead =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1 Courier;}}"
    "{\\colortbl;\\red255\\green0\\blue0;}";

TEST(RtfImporter, ValidStreams) {
  ZEZRtfImporter I;
  TStringStream Short("{\\rt");
  EXPECT_FALSE(I.IsValidStream(&Short));
  TStringStream Good("{\\rtf1");
  EXPECT_TRUE(I.IsValidStream(&Good));
  EXPECT_EQ(Good.Position(), 0);
}

TEST(RtfImporter, StylesFontsAndColours) {
  EXPECT_EQ(ImportRtf(RtfHead + "\\b a\\b0 b}").Runs, "a[Arial,12,0,B,-1]b[Arial,12,0,,-1]");
  EXPECT_EQ(ImportRtf(RtfHead + "\\f1\\fs20\\cf1 x\\cf9 y}").Runs, "x[Courier,10,255,,-1]y[Courier,10,255,,-1]");
  EXPECT_EQ(ImportRtf(RtfHead + "{\\i\\ul a}{\\highlight1 b}\\strike c\\ulnone d}").Runs,
            "a[Arial,12,0,IU,-1]b[Arial,12,0,,255]c[Arial,12,0,S,-1]d[Arial,12,0,S,-1]");
}

TEST(RtfImporter, CharactersAndBreaks) {
  // The euro sign is byte 0x80 of the ANSI code page; its stand-in "?" is not output.
  EXPECT_EQ(ImportRtf(RtfHead + "\\u8364?100}").Text,
            "\x80"
            "100");
  // RTF writes characters above 32767 as negative numbers; one lacking in the code page becomes "?".
  EXPECT_EQ(ImportRtf(RtfHead + "\\u-4?a\\u12354\\'3fb}").Text, "?a?b");
  EXPECT_EQ(ImportRtf(RtfHead + "\\u x}").Text, "x");
  EXPECT_EQ(ImportRtf(RtfHead + "a\\par b\\tab c\\'e9\\'e8d\\~e\\lquote\\endash}").Text,
            "a\r\nb\tc\xE9\xE8"
            "d e'-");
  EXPECT_EQ(ImportRtf(RtfHead + "{\\*\\generator x}{\\stylesheet{\\s1 y}}z\\\\\\{}").Text, "z\\{");
}

TEST(RtfImporter, SizesAreLimited) {
  EXPECT_EQ(ImportRtf(RtfHead + "\\fs2000000000 a\\fs1 b\\fs c}").Runs,
            "a[Arial,1638,0,,-1]b[Arial,1,0,,-1]c[Arial,12,0,,-1]");
}

TEST(HtmlImporter, TextRunsAndLineBreaks) {
  EXPECT_EQ(ImportHtml("<Body>a\r\nb</Body>").Text, "a b");
  // The title the exporter writes after the head is not document text.
  EXPECT_EQ(ImportHtml("<Html><Head></Head><Title>N</Title><Body>x</Body></Html>").Text, "x");
  EXPECT_EQ(ImportHtml("say \"hi\"\tthere &lt;&amp;&gt;&nbsp;&quot;").Text, "say \"hi\"there <&> \"");
  EXPECT_EQ(ImportHtml("<Head><Title>T</Title></Head>x<BR>y<P>z<!-- c\r\nd -->w").Text, "x\r\ny\r\n\r\nzw");
}

TEST(HtmlImporter, FontsSizesAndNesting) {
  EXPECT_EQ(ImportHtml("<font SIZE=\"9\">a</font><font SIZE=x>b</font>").Runs,
            "a[Times New Roman,48,0,,-1]b[Times New Roman,8,0,,-1]");
  EXPECT_EQ(ImportHtml("<b><i>x</b>y</i>").Runs, "x[Times New Roman,12,0,BI,-1]y[Times New Roman,12,0,I,-1]");
  EXPECT_EQ(ImportHtml("<font face=\"Arial\" color=\"#FF0080\">a</font><A href=\"x\">l</A>").Runs,
            "a[Arial,12,8388863,,-1]l[Times New Roman,12,16711680,U,-1]");
  EXPECT_EQ(ImportHtml("<Body link=\"#00FF00\"><A>l</A><BIG>b</BIG>").Runs,
            "l[Times New Roman,12,65280,U,-1]b[Times New Roman,10,0,,-1]");
}
}  // namespace
