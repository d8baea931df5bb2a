// The sizeable popup window: where it shows, how it closes (double click, Enter, Escape, the cross, a click
// outside, the program losing the activation), its size grip, and the borrowed control going back in its place.
#include "TreeTestUtil.h"

#include "treeview/Dcntreepopup.h"

#include "platform/win/SystemParams.h"

#include <functional>

using namespace TreeTest;

namespace {

class PopupTest : public TreeFixture {
protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Items()->Add(nullptr, "alpha");
    Items()->Add(nullptr, "beta");
    Tree->SetAlign(alNone);
    OldDblClick = [this](TObject*) { ++OwnDblClicks; };
    Tree->OnDblClick = OldDblClick;
    Show();
  }
  void TearDown() override {
    Application->OnMessage = nullptr;
    TreeFixture::TearDown();
  }
  // Runs Step once, inside the popup's modal loop, as soon as the popup is on screen.
  bool PopupWith(std::function<void(ZEZPopupWindow*)> Step, Integer X = 5, Integer Y = 5) {
    bool Done = false;
    Application->OnMessage = [&, Step](MSG&, bool&) {
      ZEZPopupWindow* P = ZEZPopupWindow::Current();
      if (Done || !P || !P->Visible())
        return;
      Done = true;
      Shown = P;
      Bounds = Rect(P->Left(), P->Top(), P->Left() + P->Width(), P->Top() + P->Height());
      Step(P);
    };
    PostMessage(Form->Handle(), WM_NULL, 0, 0);
    const bool Result = Tree->Popup(X, Y);
    Application->OnMessage = nullptr;
    EXPECT_TRUE(Done) << "the popup never showed";
    return Result;
  }
  void ExpectTreeBack() {
    EXPECT_EQ(Tree->Parent(), Form);
    EXPECT_TRUE(Tree->Visible());
    EXPECT_EQ(Tree->Align(), alNone);
    EXPECT_EQ(Tree->Left(), 10);
    EXPECT_EQ(Tree->Top(), 10);
    EXPECT_EQ(Tree->Width(), 300);
    EXPECT_EQ(Tree->Height(), 200);
    ASSERT_TRUE(static_cast<bool>(Tree->OnDblClick));
    const int Before = OwnDblClicks;
    Tree->OnDblClick(Tree);
    EXPECT_EQ(OwnDblClicks, Before + 1) << "the own double-click handler is back";
  }
  TNotifyEvent OldDblClick;
  int OwnDblClicks = 0;
  ZEZPopupWindow* Shown = nullptr;
  TRect Bounds;
};

TEST_F(PopupTest, ADoubleClickOnTheControlAcceptsAndTheControlGoesBack) {
  TPoint Where;
  const bool Accepted = PopupWith([&](ZEZPopupWindow* P) {
    EXPECT_EQ(Tree->Parent(), P);
    EXPECT_EQ(Tree->Align(), alClient);
    EXPECT_TRUE(P->Panel()->Visible());
    EXPECT_EQ(P->ClientHeight(), 200 + P->Panel()->Height());
    EXPECT_EQ(P->ClientWidth(), 300);
    Where = P->ClientToScreen(Point(0, 0));
    const TRect R = Items()->GetFirstNode()->DisplayRect(true);
    Harness::DoubleClick(Tree->Handle(), Point(R.Left + 3, (R.Top + R.Bottom) / 2));
  });
  EXPECT_TRUE(Accepted);
  // The popup opened at the point of the tree's parent it was asked for.
  EXPECT_EQ(Point(Bounds.Left, Bounds.Top), Form->ClientToScreen(Point(5, 5)));
  EXPECT_EQ(OwnDblClicks, 0) << "the popup's handler took the double click";
  ExpectTreeBack();
  EXPECT_EQ(ZEZPopupWindow::Current(), nullptr);
}

TEST_F(PopupTest, KeysCloseOnlyWithoutModifiers) {
  struct Case {
    const char* Name;
    std::vector<std::pair<WORD, Harness::TMods>> Keys;
    bool Accepted;
  } Cases[] = {
      {"Enter", {{VK_RETURN, {}}}, true},
      {"Escape", {{VK_ESCAPE, {}}}, false},
      {"CtrlEnterThenEscape", {{VK_RETURN, {false, true, false}}, {VK_ESCAPE, {}}}, false},
  };
  for (const auto& C : Cases) {
    const bool Accepted = PopupWith([&](ZEZPopupWindow*) {
      for (const auto& [Vk, Mods] : C.Keys) {
        Harness::KeyPress(Vk, Mods);
      }
    });
    EXPECT_EQ(Accepted, C.Accepted) << C.Name;
    ExpectTreeBack();
  }
}

TEST_F(PopupTest, TheCrossAClickOutsideAndDeactivationCancel) {
  EXPECT_FALSE(PopupWith([](ZEZPopupWindow* P) { P->CancelButton()->Click(); }));
  ExpectTreeBack();
  // A click on another window of the program closes the popup and does not reach that window.
  int FormClicks = 0;
  Form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++FormClicks; };
  Tree->SetBounds(10, 10, 100, 60);
  EXPECT_FALSE(PopupWith([&](ZEZPopupWindow*) { Harness::Click(Form->Handle(), Point(380, 300)); }, 150, 150));
  EXPECT_EQ(FormClicks, 0);
  // The program losing the activation to another application.
  EXPECT_FALSE(PopupWith([](ZEZPopupWindow*) { SendMessage(Application->Handle(), WM_ACTIVATEAPP, FALSE, 0); }));
  EXPECT_EQ(Tree->Width(), 100);
  EXPECT_EQ(Tree->Parent(), Form);
}

TEST_F(PopupTest, APopupAtTheBottomRightCornerMovesIntoTheWorkArea) {
  TRect Work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &Work, 0);
  const TPoint Corner = Form->ScreenToClient(Point(Work.Right - 2, Work.Bottom - 2));
  EXPECT_FALSE(PopupWith([](ZEZPopupWindow* P) { P->CancelButton()->Click(); }, Corner.X, Corner.Y));
  EXPECT_EQ(Bounds.Right, Work.Right);
  EXPECT_EQ(Bounds.Bottom, Work.Bottom);
}

TEST_F(PopupTest, TheGripResizesDownToFiftyByForty) {
  TSize Grown;
  TSize Shrunk;
  PopupWith([&](ZEZPopupWindow* P) {
    TImage* Grip = P->SizeGrip();
    const TPoint G = Point(Grip->Left() + 8, Grip->Top() + 8);  // in the panel
    const HWND Panel = P->Panel()->Handle();
    Harness::MouseDown(Panel, G);
    Harness::MouseMove(Panel, Point(G.X + 30, G.Y + 20));
    Harness::RunUntilIdle();
    Grown = TSize{P->Width(), P->Height()};
    Harness::MouseMove(Panel, Point(G.X - 1000, G.Y - 1000));
    Harness::RunUntilIdle();
    Shrunk = TSize{P->Width(), P->Height()};
    Harness::MouseUp(Panel, Point(G.X - 1000, G.Y - 1000));
    Harness::RunUntilIdle();
    P->CancelButton()->Click();
  });
  EXPECT_EQ(Grown.cx, Bounds.Width() + 30);
  EXPECT_EQ(Grown.cy, Bounds.Height() + 20);
  EXPECT_EQ(Shrunk.cx, 50);
  EXPECT_EQ(Shrunk.cy, 40);
  ExpectTreeBack();
}

TEST(SizeablePopup, WithoutAControlTheWindowIsFiftyByForty) {
  Harness::Start();
  bool Seen = false;
  TSize Size;
  Application->OnMessage = [&](MSG&, bool&) {
    ZEZPopupWindow* P = ZEZPopupWindow::Current();
    if (Seen || !P || !P->Visible())
      return;
    Seen = true;
    Size = TSize{P->Width(), P->Height()};
    Harness::KeyPress(VK_RETURN);
  };
  Harness::RunUntilIdle();
  PostMessage(Application->Handle(), WM_NULL, 0, 0);
  EXPECT_TRUE(SizeablePopup(nullptr, nullptr, 100, 100, false));
  Application->OnMessage = nullptr;
  EXPECT_TRUE(Seen);
  EXPECT_EQ(Size.cx, 50);
  EXPECT_EQ(Size.cy, 40);
}

}  // namespace
