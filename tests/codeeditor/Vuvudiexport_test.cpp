// The code editor control's styled text through the HTML and RTF exporters and back through the importers.
#include "codeeditor/Vuvudiexport.h"

#include "codeeditor/Dclanguages.h"
#include "codeeditor/Vuvudirich.h"
#include "platform/win/Clipboard.h"
#include "support/Corpus.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/Forms.h"

#include <algorithm>

using namespace Vuvudi;

namespace {
class VuvudiExport : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    Form->SetBounds(40, 40, 640, 400);
    Memo = TestSupport::Make<ZEZMemo>(Form, Form, TRect{0, 0, 600, 160});
    Other = TestSupport::Make<ZEZMemo>(Form, Form, TRect{0, 170, 600, 330});
    Form->Show();
    Harness::RunUntilIdle();
  }
  std::string Html(bool SelectionOnly = false) {
    TMemoryStream Out;
    ExportToHtmlStreamEx(Memo, &Out, SelectionOnly);
    return std::string(static_cast<const char*>(Out.Memory()), static_cast<std::size_t>(Out.Size()));
  }
  std::string Rtf() {
    TMemoryStream Out;
    ExportToRtfStream(Memo, &Out);
    return std::string(static_cast<const char*>(Out.Memory()), static_cast<std::size_t>(Out.Size()));
  }
  ZEZMemo* Memo = nullptr;
  ZEZMemo* Other = nullptr;
};

// Records the calls that show where line breaks fall among the formats.
class TTraceExporter : public Dcexport::TDCHTMLExporter {
public:
  explicit TTraceExporter(TStream* S) : TDCHTMLExporter(S) {}
  void NewLine() override { Trace += "N"; }
  void FinishColor() override { Trace += ")"; }
  std::string TranslateString(const std::string& S) override {
    Trace += "t";
    return S;
  }
  std::string Trace;
};
}  // namespace

TEST_F(VuvudiExport, HtmlOfPlainTextIsWrittenByteForByte) {
  Memo->Font()->SetName("Courier New");
  Memo->Font()->SetSize(10);
  Memo->Font()->SetColor(clBlack);
  Memo->SetColor(clWhite);
  Memo->GetSource()->SetName("N");
  Memo->SetText("ab");
  EXPECT_EQ(Html(),
            "<Html><Head></Head><Title>N</Title><Body><font face=\"Times New Roman\">\r\n"
            "<Body BGCOLOR=\"#FFFFFF\">\r\n"
            "<font face=\"Courier New\"><font SIZE=\"2\"><font color=\"#000000\">ab</font></font></font>"
            "</Body></font></Body></Html>");
  const std::string Frame = Html(true);
  EXPECT_EQ(Frame.find(">ab<"), std::string::npos) << "selection only without a selection: the frame alone";
  EXPECT_NE(Frame.find("</Html>"), std::string::npos);
}

TEST_F(VuvudiExport, ASelectionExportStartsWithItsText) {
  Memo->SetText("0\n1\n2\n3\n4\nfive six\nseven\n");
  Memo->GetSource()->SetSelection(Dcstring::stStreamSel, 5, 5, 3, 6);
  const std::string H = Html(true);
  const std::size_t At = H.find("<font color=\"#000000\">");
  ASSERT_NE(At, std::string::npos);
  EXPECT_EQ(H.substr(At + 22, 12), "six<BR>\r\nsev") << H;
  EXPECT_EQ(H.find("seven"), std::string::npos) << "the selection ends at its right column";
}

TEST_F(VuvudiExport, RtfKeepsATabAndTheWholeLine) {
  Memo->GetSource()->SetOptions(Memo->GetSource()->Options() + Dcstring::TStringsOptions{Dcstring::soUseTabCharacter});
  Memo->SetText("a\tb c");
  const std::string R = Rtf();
  EXPECT_NE(R.find("a\\tab b c"), std::string::npos) << R;
}

TEST_F(VuvudiExport, EmptyLinesAfterAColouredLineAreNewLinesInsideItsFormat) {
  Memo->GetSource()->SetSyntaxParser(new Dcparser::TCPPParser(Form));
  Memo->SetText("int a; // c\n\n\n\nint b;");
  TMemoryStream Out;
  TTraceExporter E(&Out);
  ExportTo(Memo, &E);
  // The comment that ends the first line holds the three empty lines inside its colour; then the fifth line.
  EXPECT_NE(E.Trace.find("tNNN)Nt"), std::string::npos) << E.Trace;
  EXPECT_EQ(std::count(E.Trace.begin(), E.Trace.end(), 'N'), 4) << E.Trace;
}

TEST_F(VuvudiExport, ColouredCodePastedAsRtfKeepsTextFontsAndColours) {
  Memo->GetSource()->SetSyntaxParser(new Dcparser::TCPPParser(Form));
  Memo->SetText("int x = 1; // note\nchar* s = \"text\";\nreturn x;");
  TMemoryStream Out;
  ExportToRtfStream(Memo, &Out);
  Out.SetPosition(0);
  PasteFromRtfStream(Other, &Out);
  ASSERT_EQ(Other->GetText(), Memo->GetText());
  auto* P = dynamic_cast<TAttributeParser*>(Other->GetSource()->SyntaxParser());
  ASSERT_NE(P, nullptr);
  for (Integer Line = 0; Line < 3; ++Line) {
    const std::string Want = Memo->GetSource()->GetColorData(Line);
    const std::string Got = Other->GetSource()->GetColorData(Line);
    ASSERT_EQ(Got.size(), Want.size());
    for (std::size_t I = 0; I < Want.size(); ++I) {
      TFont* F = Memo->GetFontFromTextStyle(static_cast<unsigned char>(Want[I]));
      TMemoAttributes* A = P->GetAttrFromIndex(static_cast<unsigned char>(Got[I]));
      EXPECT_EQ(A->Color(), F->Color()) << Line << ":" << I;
      EXPECT_EQ(A->Name(), F->Name()) << Line << ":" << I;
      EXPECT_EQ(A->Style(), F->Style()) << Line << ":" << I;
    }
  }
}

TEST_F(VuvudiExport, PlainTextThroughTheRtfPasteGoesInAsLines) {
  TMemoryStream In;
  const std::string Text = "one\ntwo";
  In.WriteBuffer(Text.data(), static_cast<LongInt>(Text.size()));
  PasteFromRtfStream(Other, &In);
  EXPECT_EQ(Other->GetLines()->Count(), 2);
  EXPECT_EQ(Other->GetLines()->Strings(1), "two");
}

TEST_F(VuvudiExport, LoadingAPageReplacesTheTextAndLeavesUndoAndTheModifiedFlag) {
  Other->SetText("old text");
  Dcstring::TCustomMemoSource* S = Other->GetSource();
  const bool Undo = S->AllowUndo();
  S->SetModified(false);
  LoadFromHtmlFile(Other, CorpusDir() + "html/FAQ.html");
  EXPECT_EQ(Other->GetText().find("old text"), std::string::npos);
  EXPECT_GT(Other->GetLines()->Count(), 3);
  EXPECT_EQ(S->AllowUndo(), Undo);
  EXPECT_FALSE(S->Modified());
  EXPECT_EQ(S->GetCaretPoint(), (TPoint{0, 0}));
}

// ---- the rich-text clipboard ----

TEST_F(VuvudiExport, RichCopyAndPasteKeepFontsColoursAndTheColumnBlockKind) {
  Memo->GetSource()->SetSyntaxParser(new Dcparser::TCPPParser(Form));
  Memo->SetClipboardType(cbRtf);
  Memo->SetText("int x = 1;\nchar c;\n");
  Memo->GetSource()->SetSelection(Dcstring::stBlockSel, 0, 0, 3, 1);
  Memo->CopyToClipboard();
  ASSERT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormat(SRichTextFormatName)));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT)) << "plain text still goes along";
  EXPECT_EQ(Dcstring::TCustomMemoSource::ClipSelType, 1);

  Other->SetClipboardType(cbRtf);
  Other->SetText("AAAAAA\nBBBBBB\n");
  Other->GetSource()->JumpTo(2, 0);
  Other->PasteFromClipboard();
  EXPECT_EQ(Other->GetLines()->Strings(0), "AAint AAAA");
  EXPECT_EQ(Other->GetLines()->Strings(1), "BBcharBBBB") << "the column block's lines stay one below the other";
  auto* P = dynamic_cast<TAttributeParser*>(Other->GetSource()->SyntaxParser());
  ASSERT_NE(P, nullptr);
  const std::string C = Other->GetSource()->GetColorData(0);
  EXPECT_EQ(P->GetAttrFromIndex(static_cast<unsigned char>(C[2]))->Color(),
            Memo->GetFontFromTextStyle(Memo->GetSource()->GetColorData(0)[0])->Color());
  EXPECT_TRUE(P->GetAttrFromIndex(static_cast<unsigned char>(C[2]))->Style().Contains(fsBold));
  EXPECT_EQ(P->GetAttrFromIndex(static_cast<unsigned char>(C[0]))->Color(), Other->Font()->Color());
}

TEST_F(VuvudiExport, ARichMoveKeepsTheRunsFormatting) {
  Other->SetClipboardType(cbRtf);
  Other->SetText("abc def\n");
  Dcstring::TCustomMemoSource* S = Other->GetSource();
  S->SetOptions(S->Options() + Dcstring::TStringsOptions{Dcstring::soPersistentBlocks});  // the caret moves alone
  S->SetSelection(Dcstring::stStreamSel, 0, 0, 3, 0);
  GetSelAttributes(Other)->SetColor(clRed);
  S->SetSelection(Dcstring::stStreamSel, 0, 0, 3, 0);
  S->JumpTo(1, 0);
  ASSERT_TRUE(S->IsPosInBlock(1, 0));
  EXPECT_FALSE(MoveRtfBlockToPos(Other, true)) << "the caret inside the selection";
  S->JumpTo(7, 0);
  ASSERT_EQ(S->SelectionType(), Dcstring::stStreamSel) << S->GetCaretPoint().X;
  ASSERT_TRUE(Other->MoveBlockToPosEx(true));
  EXPECT_EQ(Other->GetLines()->Strings(0), " defabc");
  auto* P = dynamic_cast<TAttributeParser*>(S->SyntaxParser());
  const std::string C = S->GetColorData(0);
  ASSERT_EQ(C.size(), 7u);
  EXPECT_EQ(P->GetAttrFromIndex(static_cast<unsigned char>(C[4]))->Color(), clRed);
  EXPECT_NE(P->GetAttrFromIndex(static_cast<unsigned char>(C[1]))->Color(), clRed);
}
