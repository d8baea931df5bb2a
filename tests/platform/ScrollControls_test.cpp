// The scroll bar control (scroll actions moving its position within the range, OnScroll overriding them,
// OnChange, the window's own bar following, a click on its arrow) and the scroll box (ranges set or following
// the controls, positions moving the controls), both read from form files too.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/ScrollBars.h"

#include <gtest/gtest.h>

namespace {

class ScrollControls : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 320, 240);
    Bar = new TScrollBar(Form);
    Bar->AfterConstruction();
    Bar->SetParent(Form);
    Bar->SetBounds(10, 10, 200, 17);
    Bar->OnChange = [this](TObject*) { ++Changes; };
  }
  void TearDown() override { delete Form; }
  int BarPos() { return GetScrollPos(Bar->Handle(), SB_HORZ); }
  TForm* Form = nullptr;
  TScrollBar* Bar = nullptr;
  int Changes = 0;
};

TEST_F(ScrollControls, ScrollActionsMoveThePositionWithinTheRange) {
  Bar->SetParams(50, 0, 100);
  Bar->SmallChange = 2;
  Bar->LargeChange = 25;
  EXPECT_EQ(Changes, 1);
  Changes = 0;
  struct {
    int Code;
    int Position;
  } const Steps[] = {{SB_LINEDOWN, 52}, {SB_LINEUP, 50},  {SB_PAGEDOWN, 75}, {SB_PAGEDOWN, 100},
                     {SB_PAGEDOWN, 100}, {SB_PAGEUP, 75}, {SB_TOP, 0},       {SB_LINEUP, 0},
                     {SB_BOTTOM, 100},   {SB_ENDSCROLL, 100}};
  for (auto& S : Steps) {
    SendMessage(Bar->Handle(), WM_HSCROLL, static_cast<WPARAM>(S.Code), 0);
    EXPECT_EQ(Bar->Position(), S.Position) << S.Code;
    EXPECT_EQ(BarPos(), S.Position) << S.Code;
  }
  EXPECT_EQ(Changes, 7);  // no change: no OnChange
  // A page keeps the last position at Max - PageSize + 1.
  Bar->SetPageSize(10);
  EXPECT_EQ(Bar->Position(), 91);
  SCROLLINFO Info;
  Info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Bar->Handle(), SB_HORZ, &Info));
  EXPECT_EQ(Info.nPage, 10u);
  EXPECT_EQ(Info.nMax, 100);
  SendMessage(Bar->Handle(), WM_HSCROLL, MAKELONG(SB_THUMBPOSITION, 40), 0);
  EXPECT_EQ(Bar->Position(), 40);
  EXPECT_THROW(Bar->SetParams(0, 10, 5), EInvalidOperation);
  EXPECT_EQ(Bar->Max(), 100);
  EXPECT_THROW(Bar->SetPageSize(500), EInvalidOperation);
}

TEST_F(ScrollControls, OnScrollSeesEachActionAndMayChangeIt) {
  std::vector<TScrollCode> Codes;
  Bar->OnScroll = [&](TObject*, TScrollCode Code, int& Pos) {
    Codes.push_back(Code);
    if (Code == scPageDown) Pos = 3;  // the handler decides
  };
  Bar->SetKind(sbVertical);
  EXPECT_EQ(Bar->Width(), 17);
  EXPECT_EQ(Bar->Height(), 200);
  SendMessage(Bar->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  SendMessage(Bar->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  SendMessage(Bar->Handle(), WM_VSCROLL, SB_ENDSCROLL, 0);
  EXPECT_EQ(Codes, (std::vector<TScrollCode>{scLineDown, scPageDown, scEndScroll}));
  EXPECT_EQ(Bar->Position(), 3);
  EXPECT_EQ(GetScrollPos(Bar->Handle(), SB_VERT), 3);
}

TEST_F(ScrollControls, AClickOnTheArrowScrollsALine) {
  Form->Show();
  Harness::RunUntilIdle();
  // The right arrow is at the right end of the bar.
  Harness::Click(Form->Handle(), Point(Bar->Left() + Bar->Width() - 5, Bar->Top() + Bar->Height() / 2));
  Harness::RunUntilIdle();
  EXPECT_EQ(Bar->Position(), 1);
  EXPECT_EQ(Changes, 1);
}

TEST_F(ScrollControls, AScrollBarComesFromAFormFile) {
  RegisterClasses({TScrollBar::StaticClass()});
  const std::string Text =
      "object Form1: TForm\r\n"
      "  object Zoom: TScrollBar\r\n"
      "    Max = -5\r\n"
      "    Min = -50\r\n"
      "    PageSize = 5\r\n"
      "    Position = -1\r\n"
      "  end\r\n"
      "end\r\n";
  TStringStream In(Text);
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* Zoom = dynamic_cast<TScrollBar*>(Form->FindComponent("Zoom"));
  ASSERT_TRUE(Zoom);
  EXPECT_EQ(Zoom->Min(), -50);
  EXPECT_EQ(Zoom->Max(), -5);
  EXPECT_EQ(Zoom->Position(), -9);  // kept within Max - PageSize + 1
}

TEST_F(ScrollControls, AScrollBoxMovesItsControlsByItsPositions) {
  auto* Box = new TScrollBox(Form);
  Box->AfterConstruction();
  Box->SetParent(Form);
  Box->SetBounds(0, 0, 200, 150);
  auto* Child = new TPanel(Form);
  Child->AfterConstruction();
  Child->SetParent(Box);
  Child->SetBounds(10, 300, 50, 40);
  Form->Show();
  Harness::RunUntilIdle();
  // Following the controls: the range reaches the bottom of the lowest.
  EXPECT_EQ(Box->VertScrollBar()->Range(), 340);
  Box->SetAutoScroll(false);
  Box->VertScrollBar()->SetRange(500);
  const int Client = Box->ClientHeight();
  Box->VertScrollBar()->SetPosition(100);
  EXPECT_EQ(Child->Top(), 200);
  EXPECT_EQ(GetScrollPos(Box->Handle(), SB_VERT), 100);
  SendMessage(Box->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Box->VertScrollBar()->Position(), 108);
  SendMessage(Box->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(Box->VertScrollBar()->Position(), 500 - Client);
  EXPECT_EQ(Child->Top(), 300 - (500 - Client));
  Box->VertScrollBar()->SetPosition(-20);  // kept within the range
  EXPECT_EQ(Box->VertScrollBar()->Position(), 0);
  EXPECT_EQ(Child->Top(), 300);
  Box->ScrollInView(Child);
  EXPECT_GE(Child->Top(), 0);
  EXPECT_LE(Child->Top() + Child->Height(), Client);
  // No horizontal extent beyond the client: no horizontal scrolling.
  Box->HorzScrollBar()->SetPosition(30);
  EXPECT_EQ(Box->HorzScrollBar()->Position(), 0);
  EXPECT_EQ(Child->Left(), 10);
}

TEST_F(ScrollControls, AScrollBoxComesFromAFormFile) {
  RegisterClasses({TScrollBox::StaticClass(), TPanel::StaticClass()});
  const std::string Text =
      "object Form1: TForm\r\n"
      "  object Box: TScrollBox\r\n"
      "    Width = 200\r\n"
      "    Height = 150\r\n"
      "    AutoScroll = False\r\n"
      "    VertScrollBar.Range = 400\r\n"
      "    VertScrollBar.Position = 50\r\n"
      "    object Inner: TPanel\r\n"
      "      Top = 100\r\n"
      "    end\r\n"
      "  end\r\n"
      "end\r\n";
  TStringStream In(Text);
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* Box = dynamic_cast<TScrollBox*>(Form->FindComponent("Box"));
  auto* Inner = dynamic_cast<TPanel*>(Form->FindComponent("Inner"));
  ASSERT_TRUE(Box && Inner);
  EXPECT_FALSE(Box->AutoScroll());
  EXPECT_EQ(Box->VertScrollBar()->Range(), 400);
  EXPECT_EQ(Box->VertScrollBar()->Position(), 50);
  EXPECT_EQ(Inner->Top(), 50);
}

}  // namespace
