// The multi-line edit and the memo: CR LF text and positions, line messages, Lines as a view of the window's
// text, typing with Return and Tab, the text limit, and memos read from form files.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/NativeControls.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

class Memo : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 320, 240);
    M = new TMemo(Form);
    M->AfterConstruction();
    M->SetName("Memo1");
    M->SetParent(Form);
    M->SetBounds(10, 10, 200, 120);
  }
  void TearDown() override { delete Form; }
  LRESULT Send(UINT Msg, WPARAM W = 0, LPARAM L = 0) { return SendMessage(M->Handle(), Msg, W, L); }
  std::pair<DWORD, DWORD> Sel() {
    DWORD S = 0, E = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&S), reinterpret_cast<LPARAM>(&E));
    return {S, E};
  }
  Strings LinesOf() {
    Strings Out;
    for (int I = 0; I < M->Lines()->Count(); ++I) Out.push_back(M->Lines()->Strings(I));
    return Out;
  }
  TForm* Form = nullptr;
  TMemo* M = nullptr;
};

TEST_F(Memo, LineMessagesCountALineBreakAsTwoCharacters) {
  M->HandleNeeded();
  M->SetText("ab\ncd\r\n\r\nlast");
  EXPECT_EQ(M->GetText(), "ab\r\ncd\r\n\r\nlast");  // every break becomes CR LF
  EXPECT_EQ(Send(WM_GETTEXTLENGTH), 14);
  EXPECT_EQ(Send(EM_GETLINECOUNT), 4);
  struct {
    int Line;
    LRESULT Index;
  } const Starts[] = {{0, 0}, {1, 4}, {2, 8}, {3, 10}, {4, -1}};
  for (auto& C : Starts) EXPECT_EQ(Send(EM_LINEINDEX, C.Line), C.Index) << C.Line;
  struct {
    int Char;
    LRESULT Line, Length;
  } const Chars[] = {{0, 0, 2}, {3, 0, 2}, {4, 1, 2}, {8, 2, 0}, {13, 3, 4}, {99, 3, 4}};
  for (auto& C : Chars) {
    EXPECT_EQ(Send(EM_LINEFROMCHAR, C.Char), C.Line) << C.Char;
    EXPECT_EQ(Send(EM_LINELENGTH, C.Char), C.Length) << C.Char;
  }
  // EM_GETLINE: the first word is the buffer's size; no terminating null; a short buffer truncates.
  char Buf[8] = {};
  *reinterpret_cast<WORD*>(Buf) = 8;
  EXPECT_EQ(Send(EM_GETLINE, 3, reinterpret_cast<LPARAM>(Buf)), 4);
  EXPECT_EQ(std::string(Buf, 4), "last");
  *reinterpret_cast<WORD*>(Buf) = 3;
  EXPECT_EQ(Send(EM_GETLINE, 1, reinterpret_cast<LPARAM>(Buf)), 2);
  EXPECT_EQ(std::string(Buf, 2), "cd");
  EXPECT_EQ(Send(EM_GETLINE, 9, reinterpret_cast<LPARAM>(Buf)), 0);
  // Selections across lines, and replacing them with text that has line breaks.
  Send(EM_SETSEL, 3, 5);  // inside the first CR LF .. 'c'|'d'
  EXPECT_EQ(Sel(), (std::pair<DWORD, DWORD>{2, 5}));
  Send(EM_SETSEL, 1, 9);
  Send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("X\r\nY"));
  EXPECT_EQ(M->GetText(), "aX\r\nY\r\nlast");
  EXPECT_EQ(Sel(), (std::pair<DWORD, DWORD>{5, 5}));
  Send(EM_SETSEL, 0, -1);
  EXPECT_EQ(Sel(), (std::pair<DWORD, DWORD>{0, 11}));
  EXPECT_TRUE(Send(EM_CANUNDO));
  Send(EM_EMPTYUNDOBUFFER);
  EXPECT_FALSE(Send(EM_CANUNDO));
  EXPECT_TRUE(Send(EM_SCROLLCARET));
}

TEST_F(Memo, LinesEditTheWindowText) {
  int Changes = 0;
  M->OnChange = [&](TObject*) { ++Changes; };
  TStrings* L = M->Lines();
  EXPECT_EQ(L->Count(), 0);
  L->Add("one");
  L->Add("three");
  EXPECT_EQ(M->GetText(), "one\r\nthree\r\n");
  EXPECT_EQ(L->Count(), 2);  // the empty line after the final break is not one
  L->Insert(1, "two");
  L->SetStrings(2, "3");
  EXPECT_EQ(LinesOf(), (Strings{"one", "two", "3"}));
  L->Delete(0);
  EXPECT_EQ(M->GetText(), "two\r\n3\r\n");
  EXPECT_GT(Changes, 0);
  // A last line without a break: Add puts the break before the new line.
  M->SetText("a\r\nb");
  L->Add("c");
  EXPECT_EQ(M->GetText(), "a\r\nb\r\nc");
  L->Delete(2);
  EXPECT_EQ(LinesOf(), (Strings{"a", "b"}));
  EXPECT_THROW(L->Delete(5), EStringListError);
  EXPECT_THROW((void)L->Strings(-1), EStringListError);
  L->SetText("x\ny\n");
  EXPECT_EQ(L->Text(), "x\r\ny\r\n");
  L->Clear();
  EXPECT_EQ(M->GetText(), "");
  // Remade for another wrapping and scroll bars, the window keeps the text.
  M->SetText("kept\r\ntext");
  M->SetWordWrap(false);
  M->SetScrollBars(ssBoth);
  EXPECT_EQ(GetWindowLong(M->Handle(), GWL_STYLE) & (ES_MULTILINE | ES_AUTOHSCROLL),
            static_cast<LONG>(ES_MULTILINE | ES_AUTOHSCROLL));
  EXPECT_EQ(LinesOf(), (Strings{"kept", "text"}));
  M->SetCaretPos(TPoint{2, 1});
  EXPECT_EQ(M->CaretPos().X, 2);
  EXPECT_EQ(M->CaretPos().Y, 1);
  // The widget's own scroll bars: the window's client area stays whole.
  TRect Client{};
  GetClientRect(M->Handle(), &Client);
  EXPECT_EQ(Client.Width(), M->ClientWidth());
  EXPECT_GE(Client.Width(), M->Width() - 4);
}

TEST_F(Memo, TypingMakesLinesUntilTheLimitAndTheDialogKeysFollowWantReturnsAndWantTabs) {
  auto* Ok = new TButton(Form);
  Ok->AfterConstruction();
  Ok->SetParent(Form);
  Ok->SetBounds(220, 10, 75, 25);
  Ok->SetDefault(true);
  int Clicks = 0;
  Ok->OnClick = [&](TObject*) { ++Clicks; };
  Form->Show();
  M->SetFocus();
  Harness::RunUntilIdle();
  Harness::TypeText("ab");
  Harness::KeyPress(VK_RETURN);
  Harness::TypeText("c");
  Harness::KeyPress(VK_TAB);
  Harness::RunUntilIdle();
  EXPECT_EQ(M->GetText(), "ab\r\nc");
  EXPECT_EQ(Clicks, 0);
  EXPECT_TRUE(M->Modified());
  EXPECT_EQ(Form->ActiveControl(), Ok);  // Tab moved the focus on
  M->SetFocus();
  M->WantTabs = true;
  M->WantReturns = false;
  M->SetMaxLength(8);
  Harness::RunUntilIdle();
  M->SetSelStart(5);
  Harness::KeyPress(VK_TAB);
  Harness::KeyPress(VK_RETURN);
  Harness::TypeText("defg");
  Harness::RunUntilIdle();
  EXPECT_EQ(M->GetText(), "ab\r\nc\tde");  // the limit stops typing at 8 characters
  EXPECT_EQ(Clicks, 1);
  M->SetText("12345\r\n");
  M->SetSelStart(7);
  M->WantReturns = true;
  Harness::KeyPress(VK_RETURN);  // would need two more characters
  Harness::RunUntilIdle();
  EXPECT_EQ(M->GetText(), "12345\r\n");
}

TEST_F(Memo, AMemoComesFromAFormFile) {
  RegisterClasses({TMemo::StaticClass()});
  const std::string Text =
      "object Form1: TForm\r\n"
      "  object Notes: TMemo\r\n"
      "    ReadOnly = True\r\n"
      "    ScrollBars = ssVertical\r\n"
      "    WordWrap = False\r\n"
      "    Lines.Strings = (\r\n"
      "      'first'\r\n"
      "      'second')\r\n"
      "  end\r\n"
      "end\r\n";
  TStringStream In(Text);
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* Notes = dynamic_cast<TMemo*>(Form->FindComponent("Notes"));
  ASSERT_TRUE(Notes);
  EXPECT_EQ(Notes->Lines()->Count(), 2);
  EXPECT_EQ(Notes->Lines()->Strings(1), "second");
  EXPECT_EQ(Notes->ScrollBars(), ssVertical);
  EXPECT_FALSE(Notes->WordWrap());
  const LONG Style = GetWindowLong(Notes->Handle(), GWL_STYLE);
  EXPECT_TRUE(Style & ES_READONLY);
  EXPECT_TRUE(Style & ES_AUTOHSCROLL);
}

}  // namespace
