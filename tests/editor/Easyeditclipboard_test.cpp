// The editor and the clipboard: blocks round-trip as blocks, text from other windows pastes as a stream, line
// breaks at the end, the caret after one-line block pastes, the selection after a paste, and 10 MB of text.
#include "tests/editor/EditorInputSupport.h"

#include "platform/graphics/Clipbrd.h"
#include "platform/win/Clipboard.h"
#include "platform/win/GlobalMemory.h"

#include <cstring>

namespace {

using ClipboardEdits = EditorInputTest;

// Puts text on the clipboard the way another program does: its own window opens, empties and fills it.
void SetClipboardFromOtherWindow(HWND Wnd, const std::string& Text) {
  ASSERT_TRUE(OpenClipboard(Wnd));
  EmptyClipboard();
  HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, Text.size() + 1);
  std::memcpy(GlobalLock(Mem), Text.c_str(), Text.size() + 1);
  GlobalUnlock(Mem);
  SetClipboardData(CF_TEXT, Mem);
  CloseClipboard();
}

TEST_F(ClipboardEdits, ABlockCopiedHerePastesAsABlockAndOtherTextAsAStream) {
  SetText("abcd\nefgh\nijkl");
  Edit->SetSelection(Rect(1, 0, 2, 1), slBlock);
  Key('C', Ctrl());
  EXPECT_EQ(Clipboard()->AsText(), "bc\r\nfg");
  EXPECT_EQ(ClipboardSelType, slBlock);
  Caret(0, 1);
  Key('V', Ctrl());
  EXPECT_EQ(Text(), "abcd\nbcefgh\nfgijkl") << "inserted as columns";
  EXPECT_EQ(Edit->SelType, slNone) << "the selection goes after a paste";

  TForm* Other = new TForm(Application);
  Other->AfterConstruction();
  SetClipboardFromOtherWindow(Other->Handle(), "xy\r\nz");
  SetText("123\n456");
  Caret(1, 0);
  Key('V', Ctrl());
  EXPECT_EQ(Text(), "1xy\nz23\n456") << "another window's text is a stream";
  EXPECT_EQ(ClipboardSelType, slStream);
  delete Other;
}

TEST_F(ClipboardEdits, TextEndingInALineBreakAddsALineAndOneLineBlocksStepDown) {
  Clipboard()->SetAsText("whole line\r\n");
  ClipboardSelType = slStream;
  SetText("first\nsecond");
  Caret(0, 1);
  Edit->PasteFromClipboard();
  EXPECT_EQ(Text(), "first\nwhole line\nsecond");
  EXPECT_TRUE(SamePoint(Pos(), 0, 2)) << "the caret starts the line after the pasted text";

  SetText("abc\ndef\nghi");
  Edit->SetSelection(Rect(1, 0, 1, 0), slBlock);
  Edit->CopyToClipboard();
  ASSERT_EQ(ClipboardSelType, slBlock);
  Edit->SetSelType(slNone);
  Caret(0, 0);
  Edit->PasteFromClipboard();
  Edit->PasteFromClipboard();
  EXPECT_EQ(Text(), "babc\nbdef\nghi") << "repeated one-line block pastes build a column";
  EXPECT_TRUE(SamePoint(Pos(), 0, 2));
}

TEST_F(ClipboardEdits, PersistentBlocksKeepThePastedSelectionAndCutWithoutSelection) {
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoPersistentBlocks);
  O.Include(eoForceCutCopy);
  Edit->SetOptions(O);
  Clipboard()->SetAsText("xyz");
  ClipboardSelType = slStream;
  SetText("ab");
  Caret(1, 0);
  Edit->PasteFromClipboard();
  EXPECT_EQ(Text(), "axyzb");
  EXPECT_EQ(Edit->GetSelText(), "xyz") << "the pasted text stays selected";
  Edit->SetSelType(slNone);
  Edit->CutToClipboard();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT)) << "a cut of nothing empties the clipboard";
  O.Exclude(eoForceCutCopy);
  Edit->SetOptions(O);
  Clipboard()->SetAsText("kept");
  Edit->CutToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "kept");
}

TEST_F(ClipboardEdits, CutCopyAndPasteOfTenMegabytes) {
  std::string Big;
  Big.reserve(10 * 1024 * 1024 + 64);
  int Lines = 0;
  while (Big.size() < 10u * 1024 * 1024) {
    Big += "<p class=\"row\">Line " + std::to_string(Lines++) + " of a long generated page with some text.</p>\n";
  }
  SetText(Big);
  const int Count = Edit->LineCount();
  Edit->SelectAll();
  Edit->CopyToClipboard();
  EXPECT_GE(Clipboard()->AsText().size(), 10u * 1024 * 1024);
  Edit->CutToClipboard();
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->LineCount(), 1);
  EXPECT_EQ(Edit->GetLines()->Get(0), "");
  Edit->PasteFromClipboard();
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->LineCount(), Count);
  EXPECT_EQ(Edit->GetLines()->Get(Count - 2), Edit->GetLines()->Get(Count - 2));
  EXPECT_EQ(Edit->GetLines()->Get(12345), "<p class=\"row\">Line 12345 of a long generated page with some text.</p>");
  Edit->Undo();
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->GetLines()->Get(0), "") << "the paste undoes in one step";
}

}  // namespace
