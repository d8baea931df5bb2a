// The code editor's keyboard through the harness's input path: the five layouts' bindings reach the commands
// they name, and the caret, typing, wheel and edit-control commands behave as specified.
#include "codeeditor/Vuvudi.h"
#include "codeeditor/Vuvudikeys.h"
#include "platform/controls/Menus.h"
#include "platform/win/Clock.h"
#include "platform/win/Messages.h"
#include "platform/win/VirtualKeys.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/Forms.h"
#include "tests/support/UnitsEnvironment.h"

#include <cstring>

using namespace Vuvudi;
using namespace Dcstring;

namespace {

class VuvudiInput : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    Harness::Start();
    Form = TestSupport::Make<TForm>(Application);
    Form->SetBounds(40, 40, 640, 400);
    Memo = TestSupport::Make<ZEZMemo>(Form, Form, TRect{0, 0, 600, 340});
    Form->Show();
    Memo->SetFocus();
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    delete Form;
    SuiteFolders::TearDown();
  }
  void SetText(const std::string& Text) {
    Memo->SetText(Text);
    Memo->GetSource()->JumpTo(0, 0);
    Harness::RunUntilIdle();
  }
  void Key(WORD Vk, Harness::TMods Mods = {}) {
    Harness::KeyPress(Vk, Mods);
    Harness::RunUntilIdle();
  }
  void HoldCtrl(std::initializer_list<WORD> Keys) {
    Harness::KeyDown(VK_CONTROL, {false, true, false});
    for (WORD K : Keys) {
      Harness::KeyDown(K, {false, true, false});
      Harness::KeyUp(K, {false, true, false});
    }
    Harness::KeyUp(VK_CONTROL);
    Harness::RunUntilIdle();
  }
  std::string Dump() { return Memo->GetSource()->DebugDump(); }
  TForm* Form = nullptr;
  ZEZMemo* Memo = nullptr;
};

const Harness::TMods Ctrl{false, true, false}, Alt{false, false, true};

TEST_F(VuvudiInput, TheDefaultLayoutIsTheControlsOwnAndSequencesWork) {
  SetText("alpha beta\ngamma\n");
  EXPECT_EQ(Memo->KeyMapping(), "Default");
  Memo->GetSource()->JumpTo(2, 0);
  Key('K', Ctrl);
  EXPECT_EQ(Memo->KeyState(), 1);
  Key('B');
  EXPECT_EQ(Memo->KeyState(), 0);
  // Same as calling the command on an equal source.
  TMemoSource Twin(nullptr);
  Twin.Lines()->SetText("alpha beta\ngamma\n");
  Twin.JumpTo(2, 0);
  Twin.MarkBlockBegin();
  EXPECT_EQ(Dump(), Twin.DebugDump());
  // Ctrl+K then an unbound key: back to state 0 and the key handled as usual (typed).
  Key('K', Ctrl);
  Key('X');
  EXPECT_EQ(Memo->KeyState(), 0);
  EXPECT_EQ(Memo->GetSource()->GetRaw(0), "alxpha beta");
  // A character that arrives while a sequence is pending is not typed.
  Key('K', Ctrl);
  SendMessage(Memo->Handle(), WM_CHAR, 'y', 0);
  EXPECT_EQ(Memo->GetSource()->GetRaw(0), "alxpha beta");
}

TEST_F(VuvudiInput, LayoutEdgeCases) {
  SetText("one two\nthree (x) four\nfive\n");
  Memo->SetKeyMapping("Classic");
  Key('A', Ctrl);
  EXPECT_EQ(Memo->GetSource()->SelectionType(), stStreamSel);
  EXPECT_EQ(Memo->GetSource()->GetSelectionRect(), (TRect{0, 0, 4, 2}));

  Memo->SetKeyMapping("Brief");
  Memo->GetSource()->ClearSelection();
  Memo->GetSource()->JumpTo(1, 1);
  Key('A', Alt);
  EXPECT_EQ(Memo->KeyState(), 6);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  Key(VK_DOWN);
  EXPECT_EQ(Memo->KeyState(), 6);
  EXPECT_EQ(Memo->GetSource()->GetSelectionRect(), (TRect{1, 1, 3, 2}));
  Key(VK_ESCAPE);
  EXPECT_EQ(Memo->KeyState(), 0);
  EXPECT_EQ(Memo->GetSource()->SelectionType(), stNotSelected);
  Memo->GetSource()->JumpTo(3, 1);
  Key(VK_HOME);
  EXPECT_EQ(Memo->GetCaretPoint(), (TPoint{0, 1}));
  Key(VK_HOME);
  EXPECT_EQ(Memo->GetCaretPoint(), (TPoint{0, 0}));

  Memo->SetKeyMapping("Epsilon");
  Harness::TypeText("q");
  Harness::RunUntilIdle();
  EXPECT_EQ(Memo->GetSource()->GetRaw(0), "qone two");
  // Ctrl held down across the sequence (pressing Ctrl again in state 4 ends the sequence: the base control
  // looks the modifier's own key-down up like any other key).
  HoldCtrl({'X', 'U'});
  EXPECT_EQ(Memo->GetSource()->GetRaw(0), "one two");
  HoldCtrl({'X', 'R'});
  EXPECT_EQ(Memo->GetSource()->GetRaw(0), "qone two");

  Memo->SetKeyMapping("Visual Studio");
  Memo->GetSource()->JumpTo(6, 1);
  Key('Q', Ctrl);
  Key(VK_OPENBRACKET);
  const TPoint Close = Memo->GetCaretPoint();
  EXPECT_EQ(Close.Y, 1);
  EXPECT_GE(Close.X, 8);
  Key(VK_CLOSEBRACKET, Alt);
  EXPECT_LE(Memo->GetCaretPoint().X, 7);

  Memo->SetKeyMapping("Brief");
  Memo->SetKeyMapping("Default");
  Memo->GetSource()->JumpTo(0, 0);
  Key('A', Alt);
  EXPECT_EQ(Memo->KeyState(), 0);
}

TEST_F(VuvudiInput, CaretCommandsTypingAndMessages) {
  SetText("abc\n\nlonger line\n");
  // Notepad style: Left at column 0 goes to the end of the line above; on line 0 it stays.
  TMemoOptions O = Memo->Options();
  O.Include(moNotePadCursorStyle);
  Memo->SetOptions(O);
  Memo->GetSource()->JumpTo(0, 2);
  Key(VK_LEFT);
  EXPECT_EQ(Memo->GetCaretPoint(), (TPoint{0, 1}));
  Key(VK_LEFT);
  EXPECT_EQ(Memo->GetCaretPoint(), (TPoint{3, 0}));
  Memo->GetSource()->JumpTo(0, 0);
  Key(VK_LEFT);
  EXPECT_EQ(Memo->GetCaretPoint(), (TPoint{0, 0}));

  // Typing over a selection with overwrite blocks replaces it.
  TStringsOptions SO = Memo->SrcStringsOptions();
  SO.Include(soOverwriteBlocks);
  Memo->SetSrcStringsOptions(SO);
  Memo->GetSource()->JumpTo(2, 0);
  Memo->GetSource()->SetSelection(stStreamSel, 0, 0, 2, 0);
  Harness::TypeText("X");
  Harness::RunUntilIdle();
  EXPECT_EQ(Memo->GetSource()->GetRaw(0), "Xc");

  // EM_GETLINE: a capacity of 5 on a longer line, and an empty line.
  char Buffer[16];
  std::memset(Buffer, '#', sizeof Buffer);
  const Word Capacity = 5;
  std::memcpy(Buffer, &Capacity, sizeof Capacity);
  EXPECT_EQ(SendMessage(Memo->Handle(), EM_GETLINE, 2, reinterpret_cast<LPARAM>(Buffer)), 5);
  EXPECT_EQ(std::string(Buffer, 6), "longe#");
  std::memcpy(Buffer, &Capacity, sizeof Capacity);
  EXPECT_EQ(SendMessage(Memo->Handle(), EM_GETLINE, 1, reinterpret_cast<LPARAM>(Buffer)), 0);
  EXPECT_EQ(Buffer[0], '\0');
  EXPECT_EQ(SendMessage(Memo->Handle(), EM_GETLINE, 9, reinterpret_cast<LPARAM>(Buffer)), 0);
  EXPECT_EQ(SendMessage(Memo->Handle(), EM_GETLINECOUNT, 0, 0), 3);
  // Line indexes as the platform's edit controls give them: line breaks counted.
  EXPECT_EQ(SendMessage(Memo->Handle(), EM_LINEINDEX, 2, 0), 2 + 2 + 0 + 2);
}

TEST_F(VuvudiInput, WheelNotchesAddUpAndHiddenCaretArrowsScroll) {
  std::string Text;
  for (int I = 0; I < 200; ++I) {
    Text += "line " + std::to_string(I) + "\n";
  }
  SetText(Text);
  for (int I = 0; I < 2; ++I) {
    SendMessage(Memo->Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-40)) << 16, 0);
    EXPECT_EQ(Memo->WinLine(), 0);
  }
  SendMessage(Memo->Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-40)) << 16, 0);
  EXPECT_EQ(Memo->WinLine(), 3);

  Memo->SetHideCaret(true);
  Memo->GetSource()->JumpTo(0, 5);
  Key(VK_DOWN);
  EXPECT_EQ(Memo->WinLine(), 4);
  EXPECT_EQ(Memo->GetCaretPoint(), (TPoint{0, 5}));
}

TEST_F(VuvudiInput, OneHintAfterTheLastOfQuickKeysAndNoneWhenTheCaretMoved) {
  SetText("\n\n");
  TManualClock Clock;
  TScopedClock UseClock(Clock);
  int Asked = 0;
  bool Allow = true;
  TPopupType Kind = ptHint;
  std::vector<std::string> Answer{"hint text"};
  Memo->OnHintPopup = [&](TObject*, TStrings* Strings, bool& AllowPopup, TPopupType& Type) {
    ++Asked;
    for (const std::string& A : Answer) {
      Strings->Add(A);
    }
    AllowPopup = Allow;
    Type = Kind;
  };
  for (const char* C : {"a", "b", "c"}) {
    Harness::TypeText(C);
    Harness::RunUntilIdle();
    Harness::Advance(Clock, 200);
  }
  EXPECT_EQ(Asked, 0);
  Harness::Advance(Clock, 300);
  EXPECT_EQ(Asked, 1);
  EXPECT_TRUE(Memo->PopupHint()->Visible());
  Harness::Advance(Clock, 1000);
  EXPECT_EQ(Asked, 1);
  Memo->HidePopupHint();

  // A caret move in the delay: nothing.
  Harness::TypeText("d");
  Harness::RunUntilIdle();
  Memo->GetSource()->JumpTo(0, 1);
  Harness::Advance(Clock, 600);
  EXPECT_EQ(Asked, 0 + 1);
  // Allowed but empty: nothing shown.
  Answer.clear();
  Memo->GetSource()->JumpTo(0, 2);
  Harness::TypeText("e");
  Harness::RunUntilIdle();
  Harness::Advance(Clock, 600);
  EXPECT_EQ(Asked, 2);
  EXPECT_FALSE(Memo->PopupHint()->Visible());
}

TEST_F(VuvudiInput, PopupListSearchesThePrefixAndReplacesIt) {
  SetText("\n");
  Harness::TypeText("Sys");
  Harness::RunUntilIdle();
  TStringList Items;
  for (const char* I : {"alpha", "TEMP", "terminal", "zero"}) {
    Items.Add(I);
  }
  Memo->ShowPopupListBox(&Items);
  ASSERT_NE(Memo->PopupListBox(), nullptr);
  EXPECT_TRUE(Memo->PopupListBox()->Visible());
  for (char C : std::string("te")) {
    char K = C;
    Memo->PopupBoxKeyPress(Memo->PopupListBox(), K);
    EXPECT_EQ(K, 0);
  }
  EXPECT_EQ(Memo->GetSource()->GetRaw(0), "Syste");
  EXPECT_EQ(Memo->PopupListBox()->ItemIndex(), 1);  // TEMP: case ignored
  // The application's own search wins.
  Memo->OnFindStringInPopup = [](TObject*, TStrings*, const std::string& S, Integer& Index, bool& Handled) {
    if (S == "ter") {
      Index = 2;
      Handled = true;
    }
  };
  char K = 'r';
  Memo->PopupBoxKeyPress(Memo->PopupListBox(), K);
  EXPECT_EQ(Memo->PopupListBox()->ItemIndex(), 2);
  // Backspace edits the text and keeps the list while the caret stays at or right of the anchor.
  Word Back = VK_BACK;
  Memo->PopupBoxKeyDown(Memo->PopupListBox(), Back, {});
  EXPECT_EQ(Memo->GetSource()->GetRaw(0), "Syste");
  EXPECT_TRUE(Memo->PopupListBox()->Visible());
  // Return accepts: the typed "te" gives way to the item.
  Word Ret = VK_RETURN;
  SendMessage(Memo->Handle(), WM_KEYDOWN, Ret, 0);  // the list takes the control's keys
  EXPECT_EQ(Memo->GetSource()->GetRaw(0), "Systerminal");
  EXPECT_EQ(Memo->GetCaretPoint(), (TPoint{11, 0}));

  // "." accepts and is typed; Left closes without accepting and moves the caret.
  Memo->ShowPopupListBox(&Items);
  K = '.';
  Memo->PopupBoxKeyPress(Memo->PopupListBox(), K);
  EXPECT_EQ(Memo->GetSource()->GetRaw(0), "Systerminalalpha.");
  Memo->ShowPopupListBox(&Items);
  Word Left = VK_LEFT;
  Memo->PopupBoxKeyDown(Memo->PopupListBox(), Left, {});
  EXPECT_FALSE(Memo->PopupListBox()->Visible());
  EXPECT_EQ(Memo->GetSource()->GetRaw(0), "Systerminalalpha.");
  EXPECT_EQ(Memo->GetCaretPoint(), (TPoint{16, 0}));
}

TEST_F(VuvudiInput, CodeTemplates) {
  SetText("    \n\nfoo bar\n");
  TMemoCodeTemplates* T = Memo->GetSource()->CodeTemplates();
  Memo->GetSource()->SetTemplatesType("None");
  Memo->GetSource()->JumpTo(2, 2);
  Memo->ShowCodeTemplates();
  EXPECT_EQ(Memo->PopupListBox(), nullptr);
  EXPECT_EQ(Memo->GetSource()->SelectionType(), stNotSelected);

  Memo->GetSource()->SetTemplatesType("Delphi");
  T->Clear();
  T->AddTemplate("be", "begin end", "begin|\nend");
  T->AddTemplate("wr", "writeln", "writeln");
  // The word left of the caret is the filter; one exact match is inserted at once, the two-line template at
  // column 4 with its continuation indented and the caret at the marker.
  Memo->GetSource()->JumpTo(4, 0);
  Harness::TypeText("be");
  Harness::RunUntilIdle();
  Memo->ShowCodeTemplates();
  EXPECT_EQ(Memo->GetSource()->GetRaw(0), "    begin");
  EXPECT_EQ(Memo->GetSource()->GetRaw(1), "    end");
  EXPECT_EQ(Memo->GetCaretPoint(), (TPoint{9, 0}));
  // No marker: the caret stays at the insertion point.
  Memo->GetSource()->JumpTo(0, 2);
  Harness::TypeText("wr");
  Harness::RunUntilIdle();
  Memo->ShowCodeTemplates();
  EXPECT_EQ(Memo->GetSource()->GetRaw(2), "writeln");
  EXPECT_EQ(Memo->GetCaretPoint(), (TPoint{0, 2}));
  // In the middle of a word nothing is marked: every template is listed.
  Memo->GetSource()->JumpTo(1, 3);
  Memo->ShowCodeTemplates();
  EXPECT_EQ(Memo->GetSource()->SelectionType(), stNotSelected);
  ASSERT_NE(Memo->PopupListBox(), nullptr);
  EXPECT_EQ(Memo->PopupListBox()->Items()->Count(), 2);
  Memo->FreePopupListBox();
}

TEST_F(VuvudiInput, DefaultMenuItemsFollowTheTextAndAnApplicationMenuWins) {
  SetText("some text\n");
  Memo->UseDefaultMenu = true;
  Memo->GetSource()->SetSelection(stStreamSel, 0, 0, 4, 0);
  Memo->GetSource()->SetReadOnly(true);
  ASSERT_TRUE(Memo->CheckMenuPopup());
  TPopupMenu* M = Memo->PopupMenu();
  ASSERT_EQ(M, Memo->GetDefaultMenu());
  std::string States;
  for (int I = 0; I < M->Items()->Count(); ++I) {
    States += M->Items()->Items(I)->Caption() + (M->Items()->Items(I)->Enabled() ? "+ " : "- ");
  }
  EXPECT_EQ(States, "&Undo- -- Cu&t- &Copy+ &Paste- &Delete- -- Se&lect All+ ");
  Memo->SetPopupMenu(nullptr);
  Memo->GetSource()->SetReadOnly(false);
  Memo->CheckMenuPopup();
  EXPECT_TRUE(M->Items()->Items(2)->Enabled());
  EXPECT_TRUE(M->Items()->Items(5)->Enabled());
  Memo->SetPopupMenu(nullptr);

  auto* Own = new TPopupMenu(Form);
  Memo->SetPopupMenu(Own);
  EXPECT_FALSE(Memo->CheckMenuPopup());
  EXPECT_FALSE(Memo->ContextMenu(TPoint{-1, -1}));
  EXPECT_EQ(Memo->PopupMenu(), Own);
}

TEST_F(VuvudiInput, MouseClicksDragsAndDoubleClicks) {
  SetText("alpha beta gamma\nsecond line here\nthird\n");
  TManualClock Clock;
  TScopedClock UseClock(Clock);
  const TPoint A = Memo->TextToPixelPoint(TPoint{6, 0});
  const TPoint B = Memo->TextToPixelPoint(TPoint{3, 1});
  const int H = 4;  // inside the row
  Harness::Click(Memo->Handle(), TPoint{A.X + 1, A.Y + H});
  Harness::RunUntilIdle();
  EXPECT_EQ(Memo->GetCaretPoint(), (TPoint{6, 0}));
  EXPECT_EQ(Memo->GetSource()->SelectionType(), stNotSelected);

  Harness::Advance(Clock, 2000);  // no double click
  // A drag selects from the press to where the mouse is at the timer's tick.
  Harness::MouseDown(Memo->Handle(), TPoint{A.X + 1, A.Y + H});
  Harness::RunUntilIdle();
  EXPECT_EQ(Memo->MouseMode(), mmSelecting);
  Harness::MouseMove(Memo->Handle(), TPoint{B.X + 1, B.Y + H});
  Harness::RunUntilIdle();
  Harness::Advance(Clock, 40);
  Harness::RunUntilIdle();
  Harness::MouseUp(Memo->Handle(), TPoint{B.X + 1, B.Y + H});
  Harness::RunUntilIdle();
  EXPECT_EQ(Memo->MouseMode(), mmNone);
  EXPECT_EQ(Memo->GetSource()->SelectionType(), stStreamSel);
  EXPECT_EQ(Memo->GetSource()->GetSelectionRect(), (TRect{6, 0, 3, 1}));

  // A double click selects the word.
  Harness::Advance(Clock, 2000);
  const TPoint W = Memo->TextToPixelPoint(TPoint{12, 0});
  Memo->GetSource()->ClearSelection();
  Harness::DoubleClick(Memo->Handle(), TPoint{W.X + 1, W.Y + H});
  Harness::RunUntilIdle();
  EXPECT_EQ(Memo->GetSource()->GetSelectionRect(), (TRect{11, 0, 16, 0}));
}

}  // namespace
