// The exporter framework with its HTML and RTF back ends: exact bytes of the callbacks, documents, tables, fonts,
// colours, links and pages, the help writers and the plain-text export functions.
#include "codeeditor/Dcexport.h"

#include "platform/rtl/Exceptions.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Dcexport;

namespace {
// Runs Body on an exporter of type E over a string stream and answers the bytes written.
template <class E>
std::string Written(const std::function<void(E&)>& Body) {
  TStringStream Stream;
  E Exporter(&Stream);
  Body(Exporter);
  return Stream.DataString();
}

std::string Html(const std::function<void(TDCHTMLExporter&)>& Body) { return Written<TDCHTMLExporter>(Body); }

// An RTF document around Body, with the header and the two closing braces of the document cut off, so that the
// expected text shows only what Body wrote (with the font and colour tables that it caused).
std::string RtfBody(const std::function<void(TDCRTFExporter&)>& Body) {
  return Written<TDCRTFExporter>([&](TDCRTFExporter& E) {
    E.StartDocument("");
    Body(E);
    E.FinishDocument();
  });
}

struct TByteCase {
  const char* Name;
  std::function<std::string()> Run;
  std::string Expected;
};
std::ostream& operator<<(std::ostream& Out, const TByteCase& C) { return Out << C.Name; }

class HtmlBytes : public ::testing::TestWithParam<TByteCase> {};
TEST_P(HtmlBytes, AreExact) { EXPECT_EQ(GetParam().Run(), GetParam().Expected); }

const std::string Head = "<Html><Head></Head><Title>N</Title><Body><font face=\"Times New Roman\">";

INSTANTIATE_TEST_SUITE_P(
    Callbacks, HtmlBytes,
    ::testing::Values(
        TByteCase{"TranslateString",
                  [] { return Html([](auto& E) { E.WriteString(E.TranslateString("a <\"&> b")); }); },
                  "a&nbsp;&lt;&quot;&amp;&gt;&nbsp;b"},
        TByteCase{"LetterAndBlank", [] { return Html([](auto& E) { E.WriteString(E.TranslateString("a ")); }); },
                  "a&nbsp;"},
        TByteCase{"EmptyWriteWritesNothing", [] { return Html([](auto& E) { E.WriteString(""); }); }, ""},
        TByteCase{"PureRed",
                  [] {
                    return Html([](auto& E) {
                      E.StartColor(0x0000FF);
                      E.FinishColor();
                    });
                  },
                  "<font color=\"#FF0000\"></font>"},
        TByteCase{"SizeTen", [] { return Html([](auto& E) { E.StartFontSize(10); }); }, "<font SIZE=\"2\">"},
        TByteCase{"SizeZero", [] { return Html([](auto& E) { E.StartFontSize(0); }); }, "<font SIZE=\"7\">"},
        TByteCase{"Document",
                  [] {
                    return Html([](auto& E) {
                      E.StartDocument("N");
                      E.WriteString("x");
                      E.FinishDocument();
                    });
                  },
                  Head + "x</font></Body></Html>"},
        TByteCase{"EmptyTitle", [] { return Html([](auto& E) { E.StartDocument(""); }); },
                  "<Html><Head></Head><Title></Title><Body><font face=\"Times New Roman\">"},
        TByteCase{"TitleEscaped", [] { return Html([](auto& E) { E.StartDocument("a<b>&\"c"); }); },
                  "<Html><Head></Head><Title>a&lt;b&gt;&amp;\"c</Title><Body><font face=\"Times New Roman\">"},
        TByteCase{"LinkAddressEscaped",
                  [] {
                    return Html([](auto& E) {
                      E.StartHRef("x\"><script>", wsDefault);
                      E.FinishHRef();
                    });
                  },
                  "<A href=\"x&quot;&gt;&lt;script&gt;.html\"></A>"},
        TByteCase{"ImageSized", [] { return Html([](auto& E) { E.AddImage("a.png", 3, 0); }); },
                  "<img src=\"a.png\" WIDTH=\"3\" HEIGHT=\"0\">"},
        TByteCase{"ImageNoName", [] { return Html([](auto& E) { E.AddImage("", 3, 4); }); }, ""},
        TByteCase{"RowsWithoutTagBetween",
                  [] {
                    return Html([](auto& E) {
                      E.StartTableRow();
                      E.FinishTableRow();
                      E.StartTableRow();
                    });
                  },
                  "<TR></TR><TR>"},
        TByteCase{"RowsWithCellBetween",
                  [] {
                    return Html([](auto& E) {
                      E.StartTableRow();
                      E.StartTableDataCell(0);
                      E.FinishTableDataCell();
                      E.FinishTableRow();
                      E.StartTableRow();
                    });
                  },
                  "<TR>\r\n<TD></TD></TR>\r\n<TR>"},
        TByteCase{"Table",
                  [] {
                    return Html([](auto& E) {
                      TTableParams P;
                      P.Width = 100;
                      P.Frame = tfbox;
                      P.Rules = trall;
                      E.StartTable(P);
                      E.StartTableDataCell(7);
                    });
                  },
                  "<TABLE width=\"100\" frame=\"box\" rules=\"all\">\r\n<TD width=\"7\">"},
        TByteCase{"ParagraphAndLine",
                  [] {
                    return Html([](auto& E) {
                      E.StartParagraph(paCenter);
                      E.NewLine();
                      E.FinishParagraph();
                    });
                  },
                  "<P Align=\"center\"><BR>\r\n</P>"},
        TByteCase{"Spaces", [] { return Html([](auto& E) { E.AddSpaces(2); }); }, "&nbsp;&nbsp;"},
        TByteCase{"ExternalURL", [] { return Html([](auto& E) { E.WriteExternalURL("T", "http://x"); }); },
                  "<A href=\"http://x\" target=\"_blank\">T</A>"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(HtmlExport, SkipHtmlHeaderWritesOnlyTheFont) {
  SkipHtmlHeader = true;
  const std::string S = Html([](auto& E) {
    E.StartDocument("N");
    E.StartBackground(clRed);
    E.WriteString("x");
    E.FinishBackground();
    E.FinishDocument();
  });
  SkipHtmlHeader = false;
  EXPECT_EQ(S, "<font face=\"Times New Roman\">x</font>");
}

TEST(HtmlExport, TextFunctions) {
  EXPECT_EQ(DCExportToHTML("   "), "&nbsp;  ");
  EXPECT_EQ(DCExportToHTML("a<b>\r\nc&"), "a&lt;b&gt;<BR>c&");
  std::string S = "<BR>a<b\t\t\tc";
  DCProcessHTMLSysSymbols(S);
  EXPECT_EQ(S, "<BR>a&lt;b&nbsp;-&nbsp;c");
  EXPECT_EQ(DCGetGroupSectionKind(skMethod), skMethod);
  EXPECT_EQ(DCGetGroupSectionKind(skClass), skClassesGroup);
  EXPECT_EQ(PointsToHtmlSize(36), 7);
  EXPECT_EQ(PointsToHtmlSize(-3), 7);
  EXPECT_EQ(PointsToHtmlSize(13), 3);
}

// A string stream that leaves its bytes in Out when the writer that owns it frees it.
class TCaptureStream : public TStringStream {
public:
  explicit TCaptureStream(std::string& AOut) : FOut(AOut) {}
  ~TCaptureStream() override { FOut = DataString(); }

private:
  std::string& FOut;
};

TEST(HtmlExport, ContentPageNestsSections) {
  std::string S;
  {
    THTMLContentWriter W(new TCaptureStream(S));
    W.StartSection("Unit1", "u1");
    W.StartSectionEx("Unit1.TFoo", "", skClass, "", "");
    W.FinishSection();
    W.FinishSection();
  }
  EXPECT_EQ(S,
            "<Html><Head></Head><Title>Content</Title><Body><font face=\"Times New Roman\"><BR>\r\n\r\n<ul>\r\n"
            "<li><OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"Unit1\">"
            "<param name=\"Local\" value=\"u1.html\"></OBJECT></li><BR>\r\n<ul>\r\n"
            "<li><OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"Unit1.TFoo\"></OBJECT></li>"
            "</ul></ul></font></Body></Html>");
}

TEST(HtmlExport, IndexPageListsKeysSorted) {
  std::string S;
  {
    THTMLIndexWriter W(new TCaptureStream(S));
    W.StartSection("Unit1.TFoo", "foo");
    W.StartSection("TFoo.Bar,", "bar");
    W.FinishSection();
    W.FinishSection();
    W.StartSection("Alpha", "alpha");
    W.FinishSection();
  }
  EXPECT_EQ(S,
            "<Html><Head></Head><Title>Index</Title><Body><font face=\"Times New Roman\">\r\n<ul>\r\n<li>"
            "<OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"Alpha\"><param name=\"Name\" "
            "value=\"Alpha\"><param name=\"Local\" value=\"alpha.html\"></OBJECT></li><li><OBJECT "
            "type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"TFoo\"><param name=\"Name\" value=\"Unit1.TFoo\">"
            "<param name=\"Local\" value=\"foo.html\"></OBJECT></li><ul>\r\n<li><OBJECT type=\"text/sitemap\">"
            "\r\n<param name=\"Name\" value=\"Bar\"><param name=\"Name\" value=\"TFoo.Bar,\">"
            "<param name=\"Local\" value=\"bar.html\"></OBJECT></li></ul></ul></font></Body></Html>");
}

// ---- RTF ----

TEST(RtfExport, PlainTextDocumentIsExact) {
  EXPECT_EQ(DCExportToRTF("ab"),
            "{\\rtf1\\ansi {\\fonttbl\r\n{\\f0\\fcharset1 \\fnil Times New Roman;}\r\n}\r\n\r\n{\\plain \r\n"
            "{\\fs20 \r\nab}}}");
  EXPECT_EQ(DCExportToRTF("a\r\nb"),
            "{\\rtf1\\ansi {\\fonttbl\r\n{\\f0\\fcharset1 \\fnil Times New Roman;}\r\n}\r\n\r\n{\\plain \r\n"
            "{\\fs20 \r\na{\\line \r\n}b}}}");
}

std::string AfterHeader(const std::string& S) {
  const std::string Plain = "{\\plain \r\n";
  const auto At = S.find(Plain);
  return At == std::string::npos ? S : S.substr(At + Plain.size());
}

class RtfBytes : public ::testing::TestWithParam<TByteCase> {};
TEST_P(RtfBytes, AreExact) { EXPECT_EQ(AfterHeader(GetParam().Run()), GetParam().Expected); }

INSTANTIATE_TEST_SUITE_P(
    Callbacks, RtfBytes,
    ::testing::Values(TByteCase{"ByteFFAndTab",
                                [] { return RtfBody([](auto& E) { E.WriteString(E.TranslateString("\xFF\t{\\")); }); },
                                "\\'FF\\tab \\{\\\\}}"},
                      TByteCase{"SmallFontSteps",
                                [] {
                                  return RtfBody([](auto& E) {
                                    for (int I = 0; I < 4; ++I) {
                                      E.StartSmallFont();
                                    }
                                  });
                                },
                                "{\\fs18 \r\n{\\fs12 \r\n{\\fs6 \r\n{\\fs1 \r\n}}"},
                      TByteCase{"HRefDefault",
                                [] {
                                  return RtfBody([](auto& E) {
                                    E.StartHRef("T", wsDefault);
                                    E.FinishHRef();
                                  });
                                },
                                "{\\uldb \r\n{\\v T>main}\r\n}}}"},
                      TByteCase{"HRefPopup",
                                [] {
                                  return RtfBody([](auto& E) {
                                    E.StartHRef("T", wsPopup);
                                    E.FinishHRef();
                                  });
                                },
                                "{\\ul \r\n{\\v T}\r\n}}}"},
                      TByteCase{"TableWithoutRows",
                                [] {
                                  return RtfBody([](auto& E) {
                                    E.StartTable(TTableParams{});
                                    E.WriteString("lost");
                                    E.FinishTable();
                                  });
                                },
                                "{}}}"},
                      TByteCase{"Paragraph",
                                [] {
                                  return RtfBody([](auto& E) {
                                    E.StartParagraph(paRight);
                                    E.FinishParagraph();
                                  });
                                },
                                "{\\par \\qr \r\n\\par\\pard}}}"},
                      TByteCase{"TextHoldingPageWordStaysText",
                                [] { return RtfBody([](auto& E) { E.WriteString("my_page x"); }); }, "my_page x}}"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(RtfExport, EqualColoursShareOneEntry) {
  const std::string S = RtfBody([](auto& E) {
    E.StartColor(clRed);
    E.FinishColor();
    E.StartColor(0x0000FF);
    E.FinishColor();
    E.StartColor(clBlue);
    E.FinishColor();
  });
  EXPECT_NE(S.find("{\\colortbl\r\n\\red255\\green0\\blue0;\r\n\\red0\\green0\\blue255;\r\n}\r\n"), std::string::npos)
      << S;
  EXPECT_EQ(AfterHeader(S), "{\\cf0 }{\\cf0 }{\\cf1 }}}");
}

TEST(RtfExport, FontsAreNumberedWithoutRegardToCase) {
  const std::string S = RtfBody([](auto& E) {
    E.StartFont("Arial");
    E.FinishFont();
    E.StartFontWithCharSet("ARIAL", 0);
    E.FinishFont();
    E.StartFontWithCharSet("Courier", 0);
    E.FinishFont();
  });
  EXPECT_NE(S.find("{\\f1\\fcharset1 Arial;}\r\n{\\f2\\fcharset0 Courier;}\r\n"), std::string::npos) << S;
  EXPECT_EQ(AfterHeader(S), "{\\f1 }{\\f1 }{\\f2 }}}");
}

TEST(RtfExport, TableCellsArePlacedInTwips) {
  const std::string S = RtfBody([](auto& E) {
    TTableParams P;
    P.Frame = tfbox;
    E.StartTable(P);
    E.StartTableRow();
    E.StartTableDataCell(100);
    E.WriteString("a");
    E.FinishTableDataCell();
    E.StartTableDataCell(150);
    E.WriteString("b");
    E.FinishTableDataCell();
    E.FinishTableRow();
    E.FinishTable();
  });
  EXPECT_EQ(AfterHeader(S),
            "{\\par\r\n{\\trowd\\trbrdrt\\trbrdrb\\trbrdrh\\trbrdrl\\trbrdrr\\trbrdrv\r\n\\cellx2835\r\n\\cellx7088\r\n"
            "\\pard \\intbl a\\cell\r\n\\pard \\intbl b\\cell\r\n\\row\\pard}\r\n}}}");
}

TEST(RtfExport, PagesGetTheirFootnotes) {
  TStringStream Stream;
  TDCRTFExporter E(&Stream);
  {
    TRTFIndexWriter Index(&E);
    Index.StartSection("Unit.TFoo", "Topic12");
    Index.FinishSection();
  }
  E.StartDocument("");
  E.StartPage("Topic12");
  E.WriteString("x");
  E.FinishPage();
  E.FinishDocument();
  EXPECT_EQ(AfterHeader(Stream.DataString()),
            "{\r\n{\\page}\\super #{\\footnote {\\super # }Topic12}\\super ${\\footnote {\\super $ }Topic}"
            "\\super K{\\footnote {\\super K }{TFoo}}\\super A{\\footnote {\\super A }Topic12}\r\nx}}}");
}

TEST(RtfExport, ContentWriterWritesLevels) {
  TStringStream Out;
  TDCRTFExporter E(&Out);
  TStringStream Contents;
  TRTFContentWriter W(&E, &Contents);
  W.StartSection("A", "");
  W.StartSectionEx("Unit.B", "b", skClass, "", "");
  W.FinishSection();
  W.FinishSection();
  EXPECT_EQ(Contents.DataString(), "1 A\r\n2 Unit.B=b\r\n");
  EXPECT_EQ(E.WriterList()->ContentList()->Text(), "!A\r\nb!B\r\n");
}
}  // namespace
