// The RTF reader: runs and their attributes, line breaks, code-page and Unicode characters, the font and colour
// tables, hyperlink fields, pictures, and damaged documents that must be read without failing.
#include "editor/Easyrtfreader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// What one notification delivered.
struct TPiece {
  std::string Text;
  bool Run = false;        // attributes came with it
  bool Paragraph = false;  // a line break or the first paragraph's format
  bool Object = false;     // a picture
  TFontStyles Style;
  int Size = 0;
  Integer Color = -1;
  Integer Back = -1;
  std::string Font;
  std::string Url;
  TEasyScriptStyle Script = ssNormal;
  int ObjectWidth = 0;
  int ObjectHeight = 0;
};

std::vector<TPiece> Read(const std::string& Rtf, TEasyRtfImporter* Importer = nullptr) {
  std::vector<TPiece> Out;
  TParseTextEvent Collect = [&](TObject*, const std::string& S, TObject* Object, TCustomEasyParagraph* Paragraph,
                                TCustomEasyEditorAttributes* A) {
    TPiece P;
    P.Text = S;
    P.Run = A != nullptr;
    P.Paragraph = Paragraph != nullptr;
    P.Object = Object != nullptr;
    if (A) {
      P.Style = A->Style();
      P.Size = A->Size();
      P.Color = A->Color();
      P.Back = A->BkColor();
      P.Font = A->Name();
      P.Url = A->Url();
      P.Script = A->ScriptStyle();
    }
    if (auto* O = dynamic_cast<TCustomEasyEditorObject*>(Object)) {
      P.ObjectWidth = O->Width();
      P.ObjectHeight = O->Height();
    }
    Out.push_back(P);
  };
  if (Importer) {
    Importer->OnParseText = Collect;
    Importer->ParseString(Rtf);
  } else {
    ImportFromRtfString(Rtf, Collect);
  }
  return Out;
}

std::vector<std::string> Texts(const std::vector<TPiece>& Pieces) {
  std::vector<std::string> T;
  for (const TPiece& P : Pieces) {
    T.push_back(P.Text);
  }
  return T;
}

using Strings = std::vector<std::string>;

TEST(EasyRtfReader, BoldGroupThenPlainTextGiveTwoRuns) {
  const auto P = Read("{\\b bold} plain");
  ASSERT_EQ(Texts(P), (Strings{"bold", " plain"}));
  EXPECT_TRUE(P[0].Style.Contains(fsBold));
  EXPECT_FALSE(P[1].Style.Contains(fsBold)) << "the group's formatting ends with the group";
  EXPECT_EQ(P[0].Font, "Times New Roman");
  EXPECT_EQ(P[0].Size, 10);
}

TEST(EasyRtfReader, ParagraphsBreakLinesAndTheBlankAfterAWordIsDropped) {
  auto P = Read("a\\par b");
  ASSERT_EQ(Texts(P), (Strings{"a", "\r\n", "b"}));
  EXPECT_TRUE(P[1].Paragraph);
  EXPECT_FALSE(P[1].Run);
  P = Read("a\\par");
  EXPECT_EQ(Texts(P), (Strings{"a", "\r\n"})) << "a text that ends with a paragraph ends with a break";
}

TEST(EasyRtfReader, CodePageEscapesAndUnicodeCharacters) {
  auto P = Read("caf\\'e9s");
  ASSERT_EQ(Texts(P), (Strings{"caf", "\xE9", "s"}));
  EXPECT_EQ(P[1].Style, P[0].Style);
  P = Read("\\'e9\\'e8 x");
  EXPECT_EQ(Texts(P), (Strings{"\xE9\xE8", " x"}))
      << "escapes that follow each other are one run, and the blank after one is text";
  P = Read("\\u233?");
  EXPECT_EQ(Texts(P), (Strings{"\xE9", "?"})) << "the replacement character is not skipped";
  P = Read("\\u8364 x\\u-3 y");
  EXPECT_EQ(Texts(P), (Strings{"\x80", "x", "?", "y"})) << "the euro sign, and a code with no 1252 form";
}

TEST(EasyRtfReader, ColourTableAndFontSizes) {
  auto P = Read("{\\colortbl;\\red255\\green0\\blue0;}{\\cf1 red}{\\cf0 auto}{\\fs zz}{\\fs24 twelve}");
  ASSERT_EQ(Texts(P), (Strings{"red", "auto", "zz", "twelve"}));
  EXPECT_EQ(P[0].Color, 255);
  EXPECT_EQ(P[1].Color, 0);
  EXPECT_EQ(P[2].Size, 72) << "fs without a number";
  EXPECT_EQ(P[3].Size, 12);
}

TEST(EasyRtfReader, FontTableHighlightAndScript) {
  TEasyRtfImporter Importer;
  const auto P = Read(
      "{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f2 Courier New;}}{\\colortbl;\\red0\\green128\\blue0;}"
      "{\\f2 mono}{\\f9 kept}{\\highlight1 marked}{\\super up}{\\i\\plain flat}",
      &Importer);
  ASSERT_EQ(Texts(P), (Strings{"mono", "kept", "marked", "up", "flat"}));
  EXPECT_EQ(P[0].Font, "Courier New");
  EXPECT_EQ(P[1].Font, "Times New Roman") << "an index outside the table changes nothing";
  EXPECT_EQ(P[2].Back, 128 * 256);
  EXPECT_EQ(P[3].Script, ssSuperScript);
  EXPECT_EQ(P[4].Font, "Arial") << "plain takes the table's first font";
  EXPECT_EQ(P[4].Size, 12);
  EXPECT_TRUE(P[4].Style.Empty());
  ASSERT_EQ(Importer.FontTable()->Count(), 3);
  EXPECT_EQ(Importer.FontTable()->Strings(1), "") << "the table grows up to the index given";
}

TEST(EasyRtfReader, HyperlinkFieldsGiveTheirResultTheTarget) {
  const auto P = Read("see {\\field{\\*\\fldinst HYPERLINK \"http://example.org/a\"}{\\fldrslt here}} now");
  ASSERT_EQ(Texts(P), (Strings{"see ", "here", " now"}));
  EXPECT_EQ(P[1].Url, "http://example.org/a");
  EXPECT_EQ(P[2].Url, "");
}

TEST(EasyRtfReader, EscapesAndColumnBreaks) {
  EXPECT_EQ(Texts(Read("a\\{b\\}c")), (Strings{"a{b}c"}));
  EXPECT_EQ(Texts(Read("x\\|y")), (Strings{"x\\|y"})) << "an escaped bar keeps its backslash";
  EXPECT_EQ(Texts(Read("Desc|{\\b name}")), (Strings{"Desc", "|", "name"}));
  EXPECT_EQ(Texts(Read("\\rtf\\b Line : \\b0 12 ")), (Strings{"Line : ", "12 "}));
  EXPECT_EQ(Texts(Read("a\\tab b\\line c\\endash\\lquote")), (Strings{"a", "\t", "b", "\r\n", "c", "-", "'"}));
  EXPECT_EQ(Texts(Read("{\\*\\generator Hidden;}{\\title T}{\\stylesheet{\\s0 N;}}shown")), (Strings{"shown"}));
}

TEST(EasyRtfReader, ListTextIsSkippedAndTheFirstParagraphFormatIsReported) {
  const auto P = Read("{\\pntext 1.}\\qc centred");
  ASSERT_EQ(Texts(P), (Strings{"", "centred"}));
  EXPECT_TRUE(P[0].Paragraph) << "the first paragraph's format comes before its text";
}

std::string DibHex(int W, int H) {
  auto Le = [](std::uint32_t V, int Bytes) {
    std::string S;
    for (int I = 0; I < Bytes; ++I) {
      S += static_cast<char>((V >> (8 * I)) & 0xFF);
    }
    return S;
  };
  std::string Header = Le(40, 4) + Le(static_cast<std::uint32_t>(W), 4) + Le(static_cast<std::uint32_t>(H), 4) +
                       Le(1, 2) + Le(24, 2) + Le(0, 4) + Le(0, 4) + Le(0, 4) + Le(0, 4) + Le(0, 4) + Le(0, 4);
  const int Stride = ((W * 3) + 3) / 4 * 4;
  Header += std::string(static_cast<std::size_t>(Stride * H), '\x7F');
  std::string Hex;
  static const char Digits[] = "0123456789abcdef";
  for (unsigned char C : Header) {
    Hex += Digits[C >> 4];
    Hex += Digits[C & 15];
  }
  return Hex;
}

TEST(EasyRtfReader, BitmapPicturesBecomeObjectsAndOtherKindsAreDropped) {
  auto P = Read("{\\pict\\dibitmap0\\picw4\\pich2\\picscalex50 " + DibHex(4, 2) + "}after");
  ASSERT_EQ(P.size(), 2u);
  EXPECT_TRUE(P[0].Object);
  EXPECT_EQ(P[0].ObjectWidth, 2);
  EXPECT_EQ(P[0].ObjectHeight, 2);
  EXPECT_EQ(P[1].Text, "after");
  P = Read("{\\b {\\pict\\jpegblip ffd8ffe000104a464946}after}plain");
  ASSERT_EQ(Texts(P), (Strings{"after", "plain"})) << "a JPEG picture gives nothing";
  EXPECT_TRUE(P[0].Style.Contains(fsBold));
  EXPECT_FALSE(P[1].Style.Contains(fsBold));
  P = Read("{\\pict\\wbitmap0 424d00ff}x{\\pict\\emfblip 0102}y");
  EXPECT_EQ(Texts(P), (Strings{"x", "y"})) << "bad bitmap data and metafiles are left out";
}

TEST(EasyRtfReader, ValidStreamsStartWithTheRtfHeader) {
  TMemoryStream M;
  M.WriteBuffer("{\\rtf1 x}", 8);
  M.SetPosition(0);
  EXPECT_TRUE(TEasyRtfImporter::IsValidStream(&M));
  EXPECT_EQ(M.Position(), 0);
  TMemoryStream Short;
  Short.WriteBuffer("{\\rt", 4);
  Short.SetPosition(0);
  EXPECT_FALSE(TEasyRtfImporter::IsValidStream(&Short));
}

TEST(EasyRtfReader, WidthConversions) {
  EXPECT_EQ(TEasyRtfImporter::PixelToRtfWidth(96), 1439) << "rounded twice, as the conversion is defined";
  EXPECT_EQ(TEasyRtfImporter::RtfWidthToPixel(1440), 96);
  EXPECT_EQ(TEasyRtfImporter::RemoveSlash(" a\\\\b\\{", true), "a\\b{");
}

// Damaged documents: each is read to its end without an error, and the text around the damage survives.
struct TDamaged {
  const char* Name;
  std::string Rtf;
  std::string MustContain;
};

class EasyRtfDamaged : public ::testing::TestWithParam<TDamaged> {};

TEST(EasyRtfReader, HugeFontSizeIsClampedToASaneMaximum) {
  const auto P = Read("{\\rtf1\\fs999999999 huge}{\\fs3276 largest}");
  ASSERT_EQ(Texts(P), (Strings{"huge", "largest"}));
  EXPECT_EQ(P[0].Size, 1638);
  EXPECT_EQ(P[1].Size, 1638);
}

TEST(EasyRtfReader, PictureHeaderOverflowingTheSizeCheckGivesNoPicture) {
  // Width and height 0x7FFFFFFF at 65,535 bits per pixel, with a few bytes of data.
  const auto P =
      Read("{\\pict\\dibitmap0\\picw10\\pich10 28000000ffffff7fffffff7f0100ffff" + std::string(50, '0') + "}ok");
  ASSERT_EQ(Texts(P), (Strings{"ok"}));
  EXPECT_FALSE(P[0].Object);
}

TEST_P(EasyRtfDamaged, IsReadWithoutFailing) {
  std::string All;
  EXPECT_NO_THROW({
    for (const TPiece& P : Read(GetParam().Rtf)) {
      All += P.Text;
    }
  });
  EXPECT_NE(All.find(GetParam().MustContain), std::string::npos) << All;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, EasyRtfDamaged,
    ::testing::Values(
        TDamaged{"UnclosedGroups", "{\\rtf1{\\b{\\i text", "text"}, TDamaged{"ExtraClosingBraces", "}}}a}}b", "ab"},
        TDamaged{"HugeNumbers", "\\fs99999999999999999999 a\\cf4294967297 b\\u99999999999 c\\f-2147483648 d", "d"},
        TDamaged{"HugeFontIndex", "{\\fonttbl{\\f2000000000 Big;}{\\f7 Small;}}x", "x"},
        TDamaged{"DeepNesting", std::string(50000, '{') + "deep" + std::string(50000, '}') + "end", "deepend"},
        TDamaged{"UnclosedTables", "{\\fonttbl{\\f0 Arial;", ""},
        TDamaged{"UnclosedColourTable", "{\\colortbl;\\red300\\green-5\\blue", ""},
        TDamaged{"BrokenEscapes", "a\\'zz\\'\\'4b", "a"}, TDamaged{"LoneBackslash", "text\\", "text"},
        TDamaged{"UnclosedField", "{\\field{\\*\\fldinst HYPERLINK \"x", ""},
        TDamaged{"HugePictureHeader", "{\\pict\\dibitmap0 28000000ffffff7fffffff7f01001800}ok", "ok"},
        TDamaged{"HugePictureCoreHeader", "{\\pict\\wbitmap0 0c000000ff7fff7f01001800}ok", "ok"},
        TDamaged{"OddHexDigits", "{\\pict\\wbitmap0 abc}ok", "ok"},
        TDamaged{"ControlCharacters", std::string("a\0b\x01{\\b\x7F}", 9), "a"},
        TDamaged{"OnlyLineBreaks", "\r\n\r\r\n\n", ""}),
    [](const ::testing::TestParamInfo<TDamaged>& I) { return std::string(I.param.Name); });

}  // namespace
