// Tests of the text cursor over an edit window.
#include "spell/Lx3winapiparser.h"

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "spell/Lx3parseengine.h"

#include <gtest/gtest.h>

namespace {

class WinApiParser : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 320, 240);
    Memo = new TMemo(Form);
    Memo->AfterConstruction();
    Memo->SetParent(Form);
    Memo->SetBounds(5, 5, 300, 200);
    Memo->Lines()->SetText("first line\nsecond wurd here\nthird");
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override { delete Form; }

  std::vector<std::string> Words(TWinAPIControlParser& P, int Mode) {
    TMainParsingEngine Engine;
    Engine.KeepUnfinishedLastWord = true;
    Engine.Initialize(&P, Mode);
    std::vector<std::string> Out;
    for (std::string W = Engine.NextWord(); !W.empty(); W = Engine.NextWord()) {
      Out.push_back(W);
    }
    return Out;
  }

  TForm* Form = nullptr;
  TMemo* Memo = nullptr;
};

}  // namespace

TEST_F(WinApiParser, WalksLinesAndStopsAtTheEdges) {
  TWinAPIControlParser P;
  P.Initialize(Memo);
  EXPECT_EQ(P.ControlType(), actEdit);
  P.SetPosition(0, 0, ptCurrent);
  EXPECT_EQ(P.GetChar(), 'f');
  EXPECT_FALSE(P.MovePrevious());  // before column 0 of line 0
  P.SetPosition(9, 0, ptCurrent);
  EXPECT_EQ(P.GetChar(), 'e');
  EXPECT_TRUE(P.MoveNext());
  EXPECT_EQ(P.GetChar(), '\r');
  EXPECT_TRUE(P.MoveNext());
  EXPECT_EQ(P.GetChar(), '\n');
  EXPECT_TRUE(P.MoveNext());  // on to column 0 of the next line
  int X = -1;
  int Y = -1;
  P.GetPosition(X, Y);
  EXPECT_EQ(X, 0);
  EXPECT_EQ(Y, 1);
  EXPECT_EQ(P.GetChar(), 's');
  EXPECT_TRUE(P.MovePrevious());
  EXPECT_EQ(P.GetChar(), '\n');
  EXPECT_EQ(Words(P, 2), (std::vector<std::string>{"first", "line", "second", "wurd", "here", "third"}));
}

TEST_F(WinApiParser, ReplacingMovesTheLimitAndCheckingStopsThere) {
  TWinAPIControlParser P;
  P.Initialize(Memo);
  P.SetPosition(11, 1, ptEnd);  // just behind "wurd"
  P.SetPosition(11, 1, ptCurrent);
  P.SelectWord(4);
  P.ReplaceWord("wordy", 0);
  EXPECT_EQ(Memo->Lines()->Strings(1), "second wordy here");
  int X = 0;
  int Y = 0;
  P.GetPosition(X, Y);
  EXPECT_EQ(X, 12);
  P.SetPosition(0, 1, ptCurrent);
  TMainParsingEngine Engine;
  Engine.KeepUnfinishedLastWord = true;
  Engine.Initialize(&P, 3);
  EXPECT_EQ(Engine.NextWord(), "second");
  EXPECT_EQ(Engine.NextWord(), "wordy");  // the limit moved with the longer word
  EXPECT_EQ(Engine.NextWord(), "");
  // A selection checks the words from the one where it starts to its end.
  const auto Line1 = SendMessage(Memo->Handle(), EM_LINEINDEX, 1, 0);
  SendMessage(Memo->Handle(), EM_SETSEL, 3, Line1 + 6);
  TWinAPIControlParser S;
  S.Initialize(Memo);
  int SX = 0;
  int SY = 0;
  int EX = 0;
  int EY = 0;
  S.GetSelectionPosition(SX, SY, EX, EY);
  EXPECT_EQ(SX, 3);
  EXPECT_EQ(EY, 1);
  EXPECT_EQ(Words(S, 0), (std::vector<std::string>{"first", "line", "second"}));
  RECT R;
  S.GetControlScreenPosition(R);
  EXPECT_EQ(R.Width(), 300);
}
