// Tests of StrStore and the text functions: growth rules, comparisons, editing, references, URLs, words.
#include "core/Strstore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Str(const StrStore& S) { return std::string(S.text, static_cast<std::size_t>(S.length)); }

TEST(StrStoreGrowth, AppendFitsExactlyUntilTheTextIsLong) {
  StrStore S;
  EXPECT_EQ(S.capacity, 32);
  S.append(std::string(31, 'a').c_str());
  EXPECT_EQ(S.capacity, 32);
  S.appendChar('b');
  EXPECT_EQ(S.capacity, 33);
  EXPECT_EQ(S.length, 32);
  EXPECT_EQ(S.text[32], 0);

  StrStore AtThousand;
  AtThousand.append(std::string(1000, 'x').c_str());
  AtThousand.append("12345");
  EXPECT_EQ(AtThousand.capacity, 1006);  // length 1000 is not "above 1000": exact fit

  StrStore Long;
  Long.append(std::string(1001, 'x').c_str());
  Long.append("12345");
  EXPECT_EQ(Long.capacity, 1001 + 5 + 1 + 1000);
  const int Spare = Long.capacity;
  Long.append("abc");  // fits the spare room: no new buffer
  EXPECT_EQ(Long.capacity, Spare);
  EXPECT_EQ(Long.length, 1009);
}

TEST(StrStoreGrowth, AssignmentDropsLargeBuffersBackTo1024) {
  StrStore S;
  S.append(std::string(4999, 'x').c_str());
  ASSERT_EQ(S.capacity, 5000);
  S.assign(std::string(200, 'y').c_str());
  EXPECT_EQ(S.capacity, 5000);
  S.assign("abc");
  EXPECT_EQ(S.capacity, 1024);
  EXPECT_EQ(Str(S), "abc");
}

TEST(StrStoreGrowth, CopyTakesCapacityOrTightFit) {
  StrStore Small("0123456789");  // length 10, capacity 32 > 2 * 10
  EXPECT_EQ(StrStore(Small).capacity, 11);

  const StrStore Abc("abc");
  StrStore Twenty(Abc);  // a copy fits tightly: capacity 4
  ASSERT_EQ(Twenty.capacity, 4);
  Twenty.setString(std::string(19, 'q').c_str(), 19);  // too small: exactly 20 bytes
  ASSERT_EQ(Twenty.capacity, 20);
  Twenty.cut(9, 1);
  ASSERT_EQ(Twenty.length, 10);
  const StrStore Copy(Twenty);
  EXPECT_EQ(Copy.capacity, 20);
  EXPECT_EQ(Str(Copy), std::string(10, 'q'));
}

TEST(StrStore, SetRangeInsideItselfAndSetStringLength) {
  StrStore S("hello world");
  S.setRange(S.text + 6, S.text + 10);
  EXPECT_EQ(Str(S), "world");
  S.setRange(S.text + 2, S.text + 1);
  EXPECT_EQ(Str(S), "");

  StrStore L;
  EXPECT_EQ(L.setStringLength(0), 0);
  EXPECT_EQ(L.setStringLength(100, 'z'), 1);
  EXPECT_EQ(L.length, 99);
  EXPECT_EQ(L.capacity, 100);
  EXPECT_EQ(L.text[99], 0);
  EXPECT_EQ(L.text[98], 'z');
}

TEST(StrStore, ComparisonsAndSearches) {
  StrStore A("a");
  EXPECT_EQ(A.notEqual("a"), 0);
  EXPECT_EQ(A.notEqual("b"), 1);
  EXPECT_EQ(StrStore("A").equalsNoCase("a"), 1);
  EXPECT_EQ(StrStore("Ab").equalsNoCase("a"), 0);
  EXPECT_EQ(StrStore("\xC9").equalsNoCase("\xE9"), 0);  // only ASCII letters fold
  EXPECT_EQ(StrStore("Hello").startsWithNoCase("hE"), 1);
  EXPECT_EQ(StrStore("abc").containsChar(0), 0);

  StrStore T("index.HTML");
  EXPECT_EQ(T.find("html", 4), 6);
  EXPECT_EQ(T.find("html", 0), -1);
  EXPECT_EQ(T.find("x.", 2), -1);
  EXPECT_EQ(T.find("HTML", 2), 6);
  EXPECT_EQ(FindNoCase("abcABC", "C"), 2);
  EXPECT_EQ(FindLastNoCase("abcABC", "c"), 5);
  EXPECT_EQ(FindNoCase("abc", ""), -1);
  EXPECT_EQ(FindInCommaList("HTM", "html,htm,shtml", 1), 5);
  EXPECT_EQ(FindInCommaList("tm", "html,htm", 1), -1);
  EXPECT_EQ(FindInCommaList("", "html", 1), -1);
  EXPECT_EQ(IsWebUrl("HTTP://x"), 1);
  EXPECT_EQ(IsWebUrl("https://x"), 0);
  const char* const List[] = {"one", "Two", ""};
  EXPECT_EQ(IsInStringList("two", List, 0), 1);
  EXPECT_EQ(IsInStringList("two", List, 1), 0);
  EXPECT_EQ(IsInStringList("two", nullptr, 0), 0);
}

TEST(StrStore, EditingInPlace) {
  StrStore S("abab");
  EXPECT_EQ(S.replaceAll("ab", "x", 1), 2);
  EXPECT_EQ(Str(S), "xx");
  StrStore N("ABab");
  EXPECT_EQ(N.replaceAll("ab", "x", 1), 1);
  EXPECT_EQ(Str(N), "ABx");
  EXPECT_EQ(N.replaceAll("ab", "y", 0), 1);
  EXPECT_EQ(Str(N), "yx");
  EXPECT_EQ(N.replaceAll(nullptr, "y", 0), -1);
  EXPECT_EQ(N.replaceAll("", "y", 0), 0);
  EXPECT_EQ(Str(N), "yx");

  StrStore Tag("<br>");
  EXPECT_EQ(Tag.replaceLast(">", " />"), 1);
  EXPECT_EQ(Str(Tag), "<br />");
  EXPECT_EQ(Tag.replaceLast("", "x"), -1);

  StrStore W(" \t a b \r\n");
  W.trim(1);
  EXPECT_EQ(Str(W), "a b \r\n");
  W.trim(2);
  EXPECT_EQ(Str(W), "a b");
  StrStore Blank(" \n ");
  Blank.trim(0);
  EXPECT_EQ(Blank.length, 0);

  StrStore Q("\"a b\" c");
  EXPECT_EQ(Q.unquote(), 1);
  EXPECT_EQ(Str(Q), "a b");
  StrStore Open("\"a b");
  EXPECT_EQ(Open.unquote(), 0);

  StrStore C("| |x|");
  EXPECT_EQ(C.cut(0, 2), 3);
  EXPECT_EQ(Str(C), "x|");
  StrStore OnlyBars(" ||");
  EXPECT_EQ(OnlyBars.cut(0, 2), 0);
  EXPECT_EQ(Str(OnlyBars), " ||");
  EXPECT_EQ(C.cut(5, 1), 0);
  EXPECT_EQ(C.cut(1, 1), 1);
  EXPECT_EQ(Str(C), "x");

  StrStore U("http://h/a/p.htm?q=1#top");
  EXPECT_EQ(U.removeAnchor(), 4);
  EXPECT_EQ(U.removeQuery(), 4);
  EXPECT_EQ(Str(U), "http://h/a/p.htm");
  EXPECT_EQ(U.removeSuffixNoCase(".HTM", 1), 4);
}

TEST(StrStore, RemoveLastPathPartStopsAtTheSchemeSlashes) {
  struct TCase {
    const char* In;
    int Flags;
    int Result;
    const char* Out;
  } Cases[] = {
      {"http://host/dir/", 2, 1, "http://host"},
      {"http://host", 2, 0, "http://host"},
      {"http://host/a/b.htm", 2, 1, "http://host/a"},
      {"/home/u/doc.htm", 1, 1, "/home/u"},
      {" /home/ ", 1, 1, ""},
      {"doc.htm", 1, 0, "doc.htm"},
      {"a/b", 0, -1, "a/b"},
  };
  for (const TCase& C : Cases) {
    StrStore S(C.In);
    EXPECT_EQ(S.removeLastPathPart(C.Flags), C.Result) << C.In;
    EXPECT_EQ(Str(S), C.Out) << C.In;
  }
}

TEST(StrStore, CharacterReferences) {
  struct TCase {
    const char* In;
    const char* Out;
    int Left;
  } Cases[] = {
      {"&amp;lt;", "&lt;", 0},  // one pass: the decoded '&' starts nothing
      {"a&#65;&#x42;&#X43;", "aABC", 0},
      {"&eacute;&Eacute;", "\xE9\xC9", 0},
      {"&EACUTE;", "&EACUTE;", 1},
      {"&#256;&#0;&bogus;", "&#256;&#0;&bogus;", 3},
      {"&amp no semicolon", "&amp no semicolon", 1},
      {"&nbsp;&yuml;&quot;", "\xA0\xFF\"", 0},
      {"&#99999999999999999999;", "&#99999999999999999999;", 1},
  };
  for (const TCase& C : Cases) {
    StrStore S(C.In);
    EXPECT_EQ(S.decodeCharRefs(2), C.Left) << C.In;
    EXPECT_EQ(Str(S), C.Out) << C.In;
  }
  StrStore Plain("no refs");
  EXPECT_EQ(Plain.decodeCharRefs(1), 1);
  StrStore Some("&amp;");
  EXPECT_EQ(Some.decodeCharRefs(1), 0);
}

TEST(StrStore, UrlEncodingAndDecoding) {
  EXPECT_EQ(Str(UrlEncode("a b/\xE9")), "a+b%2f%e9");
  EXPECT_EQ(Str(UrlEncode("\n")), "%0a");

  StrStore D("a+b%2F%e9%00%zz%4");
  EXPECT_EQ(D.urlDecode(0), 0);
  EXPECT_EQ(Str(D), "a b/\xE9%00%zz%4");
  StrStore KeepPlus("a+b");
  EXPECT_EQ(KeepPlus.urlDecode(1), 1);
  EXPECT_EQ(Str(KeepPlus), "a+b");
  StrStore RoundTrip(UrlEncode("x=1&y=\"2\" 3").text);
  RoundTrip.urlDecode(0);
  EXPECT_EQ(Str(RoundTrip), "x=1&y=\"2\" 3");
}

TEST(StrStore, BasicEntities) {
  EXPECT_EQ(Str(EncodeBasicEntities(StrStore("<a href=\"x\">&</a>"), 0)), "&lt;a href=\"x\"&gt;&amp;&lt;/a&gt;");
  EXPECT_EQ(Str(EncodeBasicEntities(StrStore("<\"&"), 2 | 4)), "<&quot;&amp;");
  EXPECT_EQ(Str(DecodeBasicEntities("&lt;&amp;&quot;", 1 | 2)), "<&&quot;");
  // Encoding then decoding gives the text back, also when it holds something that looks like an entity.
  const StrStore Original("a &lt; b & <c>");
  EXPECT_EQ(Str(DecodeBasicEntities(EncodeBasicEntities(Original, 0).text, 7)), Str(Original));
}

TEST(StrStore, TagScanner) {
  StrStore S("  <!-- note --><item name=\"a&amp;b\" value = 'x'/> <last>");
  const char* Cursor = nullptr;
  StrStore Name;
  StrStore Value;
  EXPECT_EQ(S.getNextTagName(&Cursor, Name, 2), TAG_COMMENT_SKIPPED);
  EXPECT_EQ(S.getNextTagName(&Cursor, Name, 0), TAG_FOUND);
  EXPECT_EQ(Str(Name), "item");
  EXPECT_EQ(S.getNextAttribute(&Cursor, Name, Value), ATTR_READ);
  EXPECT_EQ(Str(Name), "name");
  EXPECT_EQ(Str(Value), "a&b");
  EXPECT_EQ(S.getNextAttribute(&Cursor, Name, Value), ATTR_READ);
  EXPECT_EQ(Str(Name), "value");
  EXPECT_EQ(Str(Value), "x");
  EXPECT_EQ(S.getNextAttribute(&Cursor, Name, Value), ATTR_NO_MORE);
  EXPECT_EQ(S.getNextTagName(&Cursor, Name, 0), TAG_FOUND);
  EXPECT_EQ(Str(Name), "last");
  EXPECT_EQ(Cursor, S.text + S.length);
  EXPECT_EQ(S.getNextTagName(&Cursor, Name, 0), TAG_ONLY_WHITESPACE);

  const char* Outside = "elsewhere";
  EXPECT_EQ(S.getNextTagName(&Outside, Name, 0), TAG_CURSOR_OUTSIDE);
  EXPECT_EQ(S.getNextTagName(nullptr, Name, 2), TAG_NO_CURSOR);
  StrStore NoTag("text only");
  Cursor = NoTag.text;
  EXPECT_EQ(NoTag.getNextTagName(&Cursor, Name, 0), TAG_NO_OPEN);
  StrStore Dangling("<  ");
  Cursor = Dangling.text;
  EXPECT_EQ(Dangling.getNextTagName(&Cursor, Name, 0), TAG_NOTHING_AFTER_OPEN);
  StrStore Unclosed("<!-- open");
  Cursor = Unclosed.text;
  EXPECT_EQ(Unclosed.getNextTagName(&Cursor, Name, 0), TAG_COMMENT_SKIPPED);
  EXPECT_EQ(Cursor, Unclosed.text + Unclosed.length);

  struct TAttr {
    const char* Text;
    int Result;
  } Attrs[] = {{"name", ATTR_NAME_AT_END}, {"a b", ATTR_NO_EQUALS}, {"a=b", ATTR_NO_QUOTE},
               {"a=\"b", ATTR_NO_CLOSING_QUOTE}, {"a='b\"", ATTR_NO_CLOSING_QUOTE}};
  for (const TAttr& A : Attrs) {
    StrStore T(A.Text);
    Cursor = T.text;
    EXPECT_EQ(T.getNextAttribute(&Cursor, Name, Value), A.Result) << A.Text;
  }
}

TEST(StrStore, FileExtensions) {
  struct TCase {
    const char* Name;
    int Flags;
    const char* Ext;
  } Cases[] = {
      {"page.html.en", 8, "html"}, {"page.en", 8, "en"},         {"page.html.pt-br", 8, "html"},
      {"page.html.EN", 8, "html"}, {"page.html.en", 0, "en"},    {"dir.x/file", 2, ""},
      {"dir.x/file", 0, "x/file"}, {"dir.x/file", 1, ""},         {".profile", 0, "profile"},
      {"noext", 0, ""},            {"a.b.c", 0, "c"},             {"http://h/d.x/p.htm?a.b#c.d", 4, "htm"},
      {"http://h/d/", 4 | 2, ""},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(Str(GetFileExtension(C.Name, C.Flags)), C.Ext) << C.Name << " flags " << C.Flags;
  }
  EXPECT_EQ(Str(AddDefaultExtension("page", "html", 0)), "page.html");
  EXPECT_EQ(Str(AddDefaultExtension("page.", "html", 0)), "page.html");
  EXPECT_EQ(Str(AddDefaultExtension("page.htm", "html", 0)), "page.htm");
  EXPECT_EQ(Str(AddDefaultExtension("/my.docs/page", "html", 0)), "/my.docs/page.html");
  EXPECT_EQ(Str(AddDefaultExtension("page", "", 0)), "page");
}

TEST(StrStore, FirstWordOfACommandLine) {
  StrStore Source("  \"/tmp/my file.htm\" -x  rest ");
  EXPECT_EQ(Str(GetFirstWord(Source, 7)), "/tmp/my file.htm");
  EXPECT_EQ(Str(Source), " -x  rest");
  EXPECT_EQ(Str(GetFirstWord(Source, 7)), "-x");
  EXPECT_EQ(Str(GetFirstWord(Source, 7)), "rest");
  EXPECT_EQ(Source.length, 0);

  StrStore NoQuotes("\"a b\" c");
  EXPECT_EQ(Str(GetFirstWord(NoQuotes, 1)), "\"a");
  EXPECT_EQ(Str(NoQuotes), "b\" c");
  StrStore Kept("\"a b\"\tc");
  EXPECT_EQ(Str(GetFirstWord(Kept, 2)), "\"a b\"");
  EXPECT_EQ(Str(Kept), "\"a b\"\tc");  // without flag 1 the source only gets trimmed

  StrStore Empty("");
  EXPECT_EQ(GetFirstWord(Empty, 1).length, 0);
  EXPECT_EQ(Empty.length, 0);
}

TEST(StrStore, SmallFunctions) {
  StrStore S("abcdef");
  EXPECT_EQ(Str(SubString(S, 1, 3)), "bcd");
  EXPECT_EQ(Str(SubString(S, 2, 1)), "");
  EXPECT_EQ(Str(SubString(S, 4, 100)), "ef");  // clamped to the text
  EXPECT_EQ(Str(Pluralize("file", 1)), "file");
  EXPECT_EQ(Str(Pluralize("file", 0)), "files");
  EXPECT_EQ(Pluralize(nullptr, 2).length, 0);
  StrStore Out;
  ASSERT_NE(GetScriptLinkUrl("  JavaScript:openWindow('page.htm', 1)", &Out, 1), nullptr);
  EXPECT_EQ(Str(Out), "page.htm");
  ASSERT_NE(GetScriptLinkUrl("linkpage(\"a.htm\")", &Out, 2), nullptr);
  EXPECT_EQ(Str(Out), "a.htm");
  EXPECT_EQ(GetScriptLinkUrl("javascript:close()", &Out, 1), nullptr);
  EXPECT_EQ(GetScriptLinkUrl("linkpage(a.htm)", &Out, 2), nullptr);
  EXPECT_EQ(GetScriptLinkUrl("", &Out, 0), nullptr);
  StrStore Up("aZ9-b");
  Up.toUpper();
  EXPECT_EQ(Str(Up), "AZ9-B");
  StrStore Num;
  Num.assignInt(-42).appendChar('x').appendInt(7);
  EXPECT_EQ(Str(Num), "-42x7");
  Num.assignChar(0);
  EXPECT_EQ(Num.length, 0);
}

}  // namespace
