// The editor's memo-style interface: offsets and positions, selected text, the edit-control messages and the
// formatted export through an exporter of the test's own.
#include "tests/editor/EditorInputSupport.h"

#include "editor/Easyeditmessages.h"
#include "editor/Easyexport.h"
#include "platform/graphics/Clipbrd.h"
#include "platform/win/Messages.h"

namespace {

using PublicOps = EditorInputTest;

TEST_F(PublicOps, OffsetsAndPositions) {
  SetText("abc\ndefg\nhi");
  Caret(2, 1);
  EXPECT_EQ(Edit->GetSelStart(), 7) << "3 characters and a line break before (2, 1)";
  Edit->SetSelStart(4);
  EXPECT_TRUE(SamePoint(Pos(), 0, 1)) << "an offset between CR and LF gives the next line's start";
  Edit->SetSelStart(3);
  EXPECT_TRUE(SamePoint(Pos(), 3, 0));
  EXPECT_EQ(Edit->GetTextLen(), 13);
  Edit->SetSelLength(5);
  EXPECT_EQ(Edit->GetSelText(), "\r\ndef");
  EXPECT_EQ(Edit->GetSelLength(), 5);
  SetText("");
  EXPECT_EQ(Edit->GetTextLen(), 0);
  SetText("abc");
  EXPECT_EQ(Edit->GetTextLen(), 3);
}

TEST_F(PublicOps, SelectedTextReplacesAndEndsSelected) {
  SetText("one two");
  Caret(4, 0);
  Edit->SetSelText("new\r\n");
  EXPECT_EQ(Text(), "one new\ntwo");
  EXPECT_TRUE(SamePoint(Pos(), 0, 1)) << "text ending in a line break leaves the caret at the next line's start";
  EXPECT_EQ(Edit->GetSelText(), "new\r\n");
  SetText("one two");
  Edit->SetSelection(Rect(0, 0, 3, 0), slStream);
  Edit->SetSelText("1");
  EXPECT_EQ(Text(), "1 two");
  EXPECT_EQ(Edit->GetSelText(), "1");
  EXPECT_TRUE(Edit->GetCanUndo());
  Edit->Undo();
  EXPECT_EQ(Text(), "one two");
  EXPECT_TRUE(Edit->GetModified());
  Edit->ClearUndo();
  EXPECT_FALSE(Edit->GetCanUndo());
}

LRESULT Send(TCustomEasyEdit* E, UINT Msg, WPARAM W, LPARAM L) { return SendMessage(E->Handle(), Msg, W, L); }

TEST_F(PublicOps, TheEditControlMessages) {
  SetText("abc\ndefg\nhi");
  EXPECT_EQ(Send(Edit, EM_GETSEL, 0, 0), 0);
  EXPECT_EQ(Send(Edit, EM_SETSEL, 0, static_cast<LPARAM>(-1)), 13) << "(0, -1) selects all";
  EXPECT_EQ(Send(Edit, EM_GETSEL, 0, 0), MAKELONG(0, 13));
  EXPECT_EQ(Send(Edit, EM_SETSEL, 5, 7), 2);
  TEasyCharRange Range;
  Send(Edit, EasyEmExGetSel, 0, reinterpret_cast<LPARAM>(&Range));
  EXPECT_EQ(Range.cpMin, 5);
  EXPECT_EQ(Range.cpMax, 7);
  char Sel[16] = {};
  EXPECT_EQ(Send(Edit, EasyEmGetSelText, 0, reinterpret_cast<LPARAM>(Sel)), 2);
  EXPECT_STREQ(Sel, "de");
  EXPECT_EQ(Send(Edit, EM_GETLINECOUNT, 0, 0), 3);
  EXPECT_EQ(Send(Edit, EM_LINEINDEX, 2, 0), 11);
  EXPECT_EQ(Send(Edit, EM_LINEFROMCHAR, 9, 0), 1);
  EXPECT_EQ(Send(Edit, EM_LINEFROMCHAR, 11, 0), 2);
  EXPECT_EQ(Send(Edit, EasyEmExLineFromChar, 0, 5), 1);
  char Buffer[8] = {};
  *reinterpret_cast<WORD*>(Buffer) = 3;
  EXPECT_EQ(Send(Edit, EM_GETLINE, 1, reinterpret_cast<LPARAM>(Buffer)), 3);
  EXPECT_EQ(std::string(Buffer, 3), "def");
  // A text range is read without disturbing the selection.
  char Out[32] = {};
  TEasyTextRange TR;
  TR.chrg.cpMin = 1;
  TR.chrg.cpMax = 6;
  TR.lpstrText = Out;
  EXPECT_EQ(Send(Edit, EasyEmGetTextRange, 0, reinterpret_cast<LPARAM>(&TR)), 5);
  EXPECT_STREQ(Out, "bc\r\nd");
  Send(Edit, EasyEmExGetSel, 0, reinterpret_cast<LPARAM>(&Range));
  EXPECT_EQ(Range.cpMin, 5) << "the selection is as it was";
  TR.chrg.cpMin = 0;
  TR.chrg.cpMax = -1;
  EXPECT_EQ(Send(Edit, EasyEmGetTextRange, 0, reinterpret_cast<LPARAM>(&TR)), 13);
  EXPECT_STREQ(Out, "abc\r\ndefg\r\nhi");
  // Clipboard, undo and the modified flag.
  Send(Edit, WM_COPY, 0, 0);
  EXPECT_EQ(Clipboard()->AsText(), "de");
  EXPECT_EQ(Send(Edit, EasyEmCanPaste, 1, 0), 1);
  EXPECT_EQ(Send(Edit, EasyEmCanPaste, 2, 0), 0);
  Send(Edit, WM_CUT, 0, 0);
  EXPECT_EQ(Line(1), "fg");
  EXPECT_EQ(Send(Edit, EM_GETMODIFY, 0, 0), 1);
  EXPECT_EQ(Send(Edit, EM_CANUNDO, 0, 0), 1);
  EXPECT_EQ(Send(Edit, EM_UNDO, 0, 0), 1);
  EXPECT_EQ(Line(1), "defg");
  Send(Edit, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_EQ(Send(Edit, EM_CANUNDO, 0, 0), 0);
  const LRESULT Pixel = Send(Edit, EasyEmPosFromChar, 0, MAKELONG(2, 1));
  const TPoint Q = Edit->TextToPixelPoint(TPoint{2, 1}, false);
  EXPECT_EQ(LOWORD(Pixel), Q.X);
  EXPECT_EQ(HIWORD(Pixel), Q.Y);
  // Offsets above 65535 do not fit EM_GETSEL.
  std::string Long(70000, 'x');
  SetText(Long);
  Send(Edit, EM_SETSEL, 0, static_cast<LPARAM>(-1));
  EXPECT_EQ(Send(Edit, EM_GETSEL, 0, 0), 0);
  Send(Edit, EasyEmExGetSel, 0, reinterpret_cast<LPARAM>(&Range));
  EXPECT_EQ(Range.cpMax, 70000);
}

TEST_F(PublicOps, TheWindowsKeyAndLineScrollMessages) {
  std::string Text;
  for (int I = 0; I < 100; ++I) {
    Text += "line\n";
  }
  SetText(Text);
  EXPECT_EQ(Send(Edit, EM_LINESCROLL, 0, 10), 1);
  EXPECT_EQ(Edit->WindowLine(), 10);
  EXPECT_EQ(Send(Edit, EM_GETFIRSTVISIBLELINE, 0, 0), 10);
  Send(Edit, EM_LINESCROLL, 0, static_cast<LPARAM>(-50));
  EXPECT_EQ(Edit->WindowLine(), 0);
  Edit->SetWantTabs(false);
  Edit->SetWantReturns(false);
  EXPECT_EQ(Send(Edit, WM_GETDLGCODE, 0, 0), 129);
  Edit->SetWantTabs(true);
  EXPECT_EQ(Send(Edit, WM_GETDLGCODE, 0, 0), 131);
}

// An exporter that records what it is given.
class TRecordingExporter : public TCustomEasyExporter {
  Z_CLASS(TRecordingExporter, TCustomEasyExporter)
public:
  using TCustomEasyExporter::TCustomEasyExporter;
  void NewLine(TObject*, bool Flag) override { Log += Flag ? "|" : "!"; }
  void WriteString(const std::string& Text, TCustomEasyEditorAttributes* A, TObject*) override {
    Log += "[" + Text + (A->Style().Contains(TFontStyle::fsBold) ? "*" : "") + "]";
  }
  void Flush() override {
    ++Flushed;
    Stream()->WriteBuffer(Log.data(), static_cast<LongInt>(Log.size()));
  }
  std::string Log;
  static inline int Flushed = 0;
};

Z_IMPLEMENT_CLASS(TRecordingExporter, TCustomEasyExporter)

TEST_F(PublicOps, FormattedExportWritesRunsOfOneStyle) {
  Edit->SetParser(HtmlParser());
  SetText("<b>x</b> text\nmore");
  TMemoryStream Out;
  TRecordingExporter::Flushed = 0;
  Edit->SaveToFmtStream(&Out, false, TRecordingExporter::StaticClass());
  EXPECT_EQ(TRecordingExporter::Flushed, 1);
  const std::string Whole(static_cast<const char*>(Out.Memory()), static_cast<std::size_t>(Out.Size()));
  EXPECT_EQ(Whole.substr(0, 1), "|") << Whole;
  EXPECT_NE(Whole.find("[ text]"), std::string::npos) << Whole;
  EXPECT_NE(Whole.find("|[more]"), std::string::npos) << Whole;
  EXPECT_GT(std::count(Whole.begin(), Whole.end(), '['), 3) << "tags and text are separate runs: " << Whole;

  TMemoryStream Sel;
  Edit->SetSelection(Rect(9, 0, 2, 1), slStream);
  Edit->SaveToFmtStream(&Sel, true, TRecordingExporter::StaticClass());
  const std::string Part(static_cast<const char*>(Sel.Memory()), static_cast<std::size_t>(Sel.Size()));
  EXPECT_EQ(Part, "|[text]|[mo]");

  TMemoryStream Block;
  TRecordingExporter::Flushed = 0;
  Edit->SetSelection(Rect(0, 0, 2, 1), slBlock);
  Edit->SaveToFmtStream(&Block, true, TRecordingExporter::StaticClass());
  EXPECT_EQ(Block.Size(), 0) << "a block selection exports nothing";
  EXPECT_EQ(TRecordingExporter::Flushed, 1) << "but the exporter is flushed";
  EXPECT_THROW(Edit->SaveToFmtStream(&Block, false, TEasyEdit::StaticClass()), Exception);
}

}  // namespace
