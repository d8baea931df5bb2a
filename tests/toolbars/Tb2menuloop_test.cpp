// Popup menus and the modal menu loop driven by keys and the mouse as a user would: navigation, accelerators,
// submenus, backing out with Escape, clicks outside, and where popups open at the screen's edges.
#include "tests/toolbars/ToolbarTestHost.h"

#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "toolbars/Tb2popup.h"
#include "toolbars/Tb2toolbar.h"

#include <gtest/gtest.h>

using namespace TBTest;

namespace {

class Tb2menuloop : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 400, 300);
    Form->Show();
    Harness::RunUntilIdle();
    Menu = Make<TTBPopupMenu>(Form, "Menu");
  }
  void TearDown() override {
    SetScreenRectForTests(Rect(0, 0, 0, 0));
    delete Form;
  }
  // An item that counts its clicks under its caption.
  TTBItem* Item(TTBCustomItem* Parent, const std::string& Caption) {
    TTBItem* I = AddItem(Form, Parent, Caption);
    I->SetOnClick([this, Caption](TObject*) { Clicked += Caption + ";"; });
    return I;
  }
  TTBSubmenuItem* Submenu(TTBCustomItem* Parent, const std::string& Caption) {
    auto* S = Make<TTBSubmenuItem>(Form);
    S->SetCaption(Caption);
    Parent->Add(S);
    return S;
  }
  // Pops the menu up at a point of the form with the keys already typed, then lets the chosen click run.
  void PopupWith(std::initializer_list<WORD> Keys) {
    for (WORD K : Keys) {
      Harness::KeyPress(K);
    }
    Menu->Popup(100, 100);
    Harness::RunUntilIdle();
  }
  TForm* Form = nullptr;
  TTBPopupMenu* Menu = nullptr;
  std::string Clicked;
};

TEST_F(Tb2menuloop, ArrowsWalkTheMenuAndEnterClicks) {
  Item(Menu->Items(), "&Open");
  AddSeparator(Form, Menu->Items());
  Item(Menu->Items(), "&Save");
  Item(Menu->Items(), "&Close");
  PopupWith({VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ("&Save;", Clicked);
  Clicked.clear();
  PopupWith({VK_UP, VK_RETURN});  // upwards from nothing: the last item
  EXPECT_EQ("&Close;", Clicked);
}

TEST_F(Tb2menuloop, EscapeCancelsWithoutAClick) {
  Item(Menu->Items(), "&Open");
  PopupWith({VK_DOWN, VK_ESCAPE});
  EXPECT_EQ("", Clicked);
  EXPECT_EQ(nullptr, Menu->LastChosen());
}

TEST_F(Tb2menuloop, UniqueAcceleratorClicksSharedOneOnlySelects) {
  Item(Menu->Items(), "&Open");
  Item(Menu->Items(), "&Save");
  Item(Menu->Items(), "&Send");
  Item(Menu->Items(), "&Quit");
  PopupWith({'Q'});
  EXPECT_EQ("&Quit;", Clicked);
  Clicked.clear();
  // S selects Save, S again Send, Enter clicks it: neither S clicked by itself.
  PopupWith({'S', 'S', VK_RETURN});
  EXPECT_EQ("&Send;", Clicked);
}

TEST_F(Tb2menuloop, FirstLetterServesItemsWithoutAccelerator) {
  Item(Menu->Items(), "Print");
  Item(Menu->Items(), "Exit");
  PopupWith({'E'});
  EXPECT_EQ("Exit;", Clicked);
}

TEST_F(Tb2menuloop, DisabledItemIsSelectedByItsAcceleratorButNotClicked) {
  TTBItem* Off = Item(Menu->Items(), "&Delete");
  Off->SetEnabled(false);
  Item(Menu->Items(), "&Keep");
  PopupWith({'D', VK_RETURN});
  EXPECT_EQ("", Clicked);
}

TEST_F(Tb2menuloop, RightOpensASubmenuAndEscapeBacksOutOneLevel) {
  TTBSubmenuItem* Recent = Submenu(Menu->Items(), "&Recent");
  Item(Recent, "&One");
  Item(Recent, "&Two");
  Item(Menu->Items(), "&Quit");
  PopupWith({VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
  EXPECT_EQ("&Two;", Clicked);
  Clicked.clear();
  PopupWith({VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_DOWN, VK_RETURN});
  EXPECT_EQ("&Quit;", Clicked);
  Clicked.clear();
  PopupWith({VK_DOWN, VK_RIGHT, VK_LEFT, VK_ESCAPE});  // Left also closes the submenu; Escape then ends
  EXPECT_EQ("", Clicked);
}

TEST_F(Tb2menuloop, ClickOutsideClosesTheMenuAndStillReachesItsTarget) {
  Item(Menu->Items(), "&Open");
  int FormClicks = 0;
  Form->OnMouseDown = [&FormClicks](TObject*, TMouseButton, TShiftState, int, int) { ++FormClicks; };
  Harness::Click(Form->Handle(), Point(300, 200));
  Menu->Popup(100, 100);
  EXPECT_EQ(0, FormClicks);
  Harness::RunUntilIdle();
  EXPECT_EQ(1, FormClicks);
  EXPECT_EQ("", Clicked);
}

TEST_F(Tb2menuloop, ContextMenuOpensOnTheSideThatFitsAtAScreenEdge) {
  SetScreenRectForTests(Rect(0, 0, 640, 480));
  Item(Menu->Items(), "&Open");
  Item(Menu->Items(), "&Close");
  auto Place = [this](TPoint Pt, TTBPopupAlignment A) {
    TTBPopupWindow* W = TBCreatePopup(Menu->Items(), nullptr, nullptr, false, false, false, Pt, A);
    const TRect R = W->BoundsRect();
    delete W;
    return R;
  };
  const TRect Plain = Place(Point(100, 100), tbpaLeft);
  EXPECT_EQ(100, Plain.Left);
  EXPECT_EQ(100, Plain.Top);
  const int W = Plain.Width();
  const int H = Plain.Height();
  // Left-aligned at the right edge: opens to the left of the point.
  EXPECT_EQ(630 - W, Place(Point(630, 100), tbpaLeft).Left);
  // Right-aligned at the left edge: opens to the right of the point.
  EXPECT_EQ(5, Place(Point(5, 100), tbpaRight).Left);
  // Near the bottom: opens upwards from the point.
  EXPECT_EQ(470 - H, Place(Point(100, 470), tbpaLeft).Top);
}

TEST_F(Tb2menuloop, SubmenuOpensLeftWhenTheRightHasNoRoom) {
  SetScreenRectForTests(Rect(0, 0, 640, 480));
  TTBSubmenuItem* Recent = Submenu(Menu->Items(), "&Recent");
  Item(Recent, "&One");
  TTBPopupWindow* Root = TBCreatePopup(Menu->Items(), nullptr, nullptr, false, true, false, Point(540, 50), tbpaLeft);
  ASSERT_EQ(540, Root->Left());
  ASSERT_TRUE(Root->View()->OpenChildPopup(true));
  auto* Child = dynamic_cast<TTBPopupWindow*>(Root->View()->OpenViewerWindow());
  ASSERT_NE(nullptr, Child);
  EXPECT_LT(Child->Left(), Root->Left());
  EXPECT_LT(Child->BoundsRect().Right, Root->BoundsRect().Right);
  EXPECT_TRUE(Child->View()->State().Contains(vsOppositePopup));
  Root->View()->CloseChildPopups();
  EXPECT_EQ(nullptr, Root->View()->OpenViewerWindow());
  delete Root;
}

TEST_F(Tb2menuloop, MenuBarWalksItsMenusWithTheKeyboard) {
  auto* Dock = Make<TTBDock>(Form, "Dock");
  Dock->SetParent(Form);
  auto* Bar = Make<TTBToolbar>(Form, "MenuBar");
  Bar->SetMenuBar(true);
  TTBSubmenuItem* File = Submenu(Bar->Items(), "&File");
  Item(File, "&New");
  Item(File, "E&xit");
  TTBSubmenuItem* Edit = Submenu(Bar->Items(), "&Edit");
  Item(Edit, "&Undo");
  Item(Edit, "&Paste");
  Bar->SetCurrentDock(Dock);
  Harness::RunUntilIdle();
  // Down opens File with New selected; Right moves to Edit's menu; Down, Enter clicks Paste.
  for (WORD K : {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}) {
    Harness::KeyPress(K);
  }
  Bar->View()->SetSelected(Bar->View()->FirstSelectable());
  Bar->View()->EnterToolbarLoop(TTBEnterToolbarLoopOptions{tbetKeyboardControl});
  Harness::RunUntilIdle();
  EXPECT_EQ("&Paste;", Clicked);
  EXPECT_EQ(nullptr, Bar->View()->OpenViewerWindow());
  // A letter opens its menu; Escape backs out to the bar, a second Escape leaves the loop.
  Clicked.clear();
  for (WORD K : {WORD('E'), VK_ESCAPE, VK_ESCAPE}) {
    Harness::KeyPress(K);
  }
  Bar->View()->EnterToolbarLoop(TTBEnterToolbarLoopOptions{tbetKeyboardControl});
  Harness::RunUntilIdle();
  EXPECT_EQ("", Clicked);
  EXPECT_FALSE(Bar->View()->State().Contains(vsOpen));
}

}  // namespace

namespace {

class Tb2menubarkeys : public Tb2menuloop {
protected:
  void SetUp() override {
    Tb2menuloop::SetUp();
    auto* Dock = Make<TTBDock>(Form, "Dock");
    Dock->SetParent(Form);
    Bar = Make<TTBToolbar>(Form, "MenuBar");
    Bar->SetMenuBar(true);
    TTBSubmenuItem* File = Submenu(Bar->Items(), "&File");
    Item(File, "&New");
    Item(File, "E&xit");
    TTBSubmenuItem* Edit = Submenu(Bar->Items(), "&Edit");
    Item(Edit, "&Undo");
    Item(Edit, "&Paste");
    Item(Bar->Items(), "&Help");
    Bar->SetCurrentDock(Dock);
    Harness::RunUntilIdle();
    Form->SetFocus();
    Harness::RunUntilIdle();
  }
  TTBToolbar* Bar = nullptr;
};

TEST_F(Tb2menubarkeys, AltAndF10SelectTheMenuBar) {
  for (WORD First : {WORD(VK_MENU), WORD(VK_F10)}) {
    Clicked.clear();
    Harness::KeyPress(First);
    for (WORD K : {VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}) {
      Harness::KeyPress(K);
    }
    Harness::RunUntilIdle();
    EXPECT_EQ("&Paste;", Clicked) << First;
    EXPECT_FALSE(Bar->View()->State().Contains(vsOpen));
  }
}

TEST_F(Tb2menubarkeys, ASecondAltOrF10LeavesTheMenuBarAndTheNextLetterReachesTheEditor) {
  auto* Edit = new TEdit(Form);
  Edit->SetParent(Form);
  Edit->SetBounds(10, 100, 200, 24);
  Harness::RunUntilIdle();
  for (WORD Key : {WORD(VK_F10), WORD(VK_MENU)}) {
    Edit->SetText("");
    Edit->SetFocus();
    Harness::RunUntilIdle();
    // The Escapes end a menu wrongly opened by the letter, so that the test sees the fault instead of waiting.
    for (WORD K : {Key, Key, WORD('E'), WORD(VK_ESCAPE), WORD(VK_ESCAPE)}) {
      Harness::KeyPress(K);
    }
    Harness::RunUntilIdle();
    EXPECT_EQ(Edit->Text(), "e") << Key;
    EXPECT_FALSE(Bar->View()->State().Contains(vsOpen)) << Key;
    EXPECT_EQ(Clicked, "") << Key;
  }
}

TEST_F(Tb2menubarkeys, AltLetterOpensItsMenuOrClicksALoneItem) {
  Harness::KeyPress('E', Harness::TMods{.Alt = true});
  Harness::KeyPress('P');
  Harness::RunUntilIdle();
  EXPECT_EQ("&Paste;", Clicked);
  Clicked.clear();
  Harness::KeyPress('H', Harness::TMods{.Alt = true});
  Harness::RunUntilIdle();
  EXPECT_EQ("&Help;", Clicked);
}

}  // namespace

namespace {

// The mouse inside an open popup: the timer fires inside the menu loop, when the popup exists, and moves to and
// clicks the item at the given row of the popup under the menu's point.
int ClickRow = 0;
void ClickInPopup(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(0, Id);
  auto* Popup = dynamic_cast<TTBPopupWindow*>(FindControl(WindowFromPoint(Point(110, 110))));
  if (!Popup) {
    return;
  }
  TTBItemViewer* V = Popup->View()->Viewers(ClickRow);
  const TPoint P = Point(V->BoundsRect().Left + 5, V->BoundsRect().Top + 3);
  Harness::MouseMove(Popup->Handle(), P);
  Harness::Click(Popup->Handle(), P);
}

TEST_F(Tb2menuloop, ClickOnAnItemChoosesIt) {
  Item(Menu->Items(), "&Open");
  Item(Menu->Items(), "&Save");
  Item(Menu->Items(), "&Close");
  ClickRow = 1;
  SetTimer(0, 0, 1, &ClickInPopup);
  Menu->Popup(100, 100);
  Harness::RunUntilIdle();
  EXPECT_EQ("&Save;", Clicked);
}

}  // namespace

namespace {

// Inside the menu loop: rests the mouse on the tall popup's down arrow, then watches until the arrow is gone.
TTBPopupWindow* TallPopup = nullptr;
bool ReachedTheEnd = false;
int Checks = 0;
void WatchScrolling(HWND, UINT, UINT_PTR Id, DWORD) {
  ++Checks;
  if (TallPopup && !TallPopup->View()->ShowDownArrow()) {
    TTBView* V = TallPopup->View();
    ReachedTheEnd = V->Viewers(V->ViewerCount() - 1)->Show();
  }
  if (ReachedTheEnd || Checks > 200) {
    KillTimer(0, Id);
    Harness::KeyPress(VK_ESCAPE);
  }
}
void RestOnTheDownArrow(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(0, Id);
  TallPopup = dynamic_cast<TTBPopupWindow*>(FindControl(WindowFromPoint(Point(110, 110))));
  if (!TallPopup || !TallPopup->View()->ShowDownArrow()) {
    Harness::KeyPress(VK_ESCAPE);
    return;
  }
  const TPoint P = Point(TallPopup->ClientWidth() / 2, TallPopup->ClientHeight() - 5);
  Harness::MouseMove(TallPopup->Handle(), Point(P.X, P.Y - 40));
  Harness::MouseMove(TallPopup->Handle(), P);
  SetTimer(0, 0, 50, &WatchScrolling);
}

TEST_F(Tb2menuloop, RestingOnTheDownArrowScrollsUntilTheLastItemShows) {
  SetScreenRectForTests(Rect(0, 0, 640, 200));
  for (int I = 0; I < 24; ++I) {
    Item(Menu->Items(), "Entry " + std::to_string(I));
  }
  SetTimer(0, 0, 1, &RestOnTheDownArrow);
  Menu->Popup(100, 100);
  Harness::RunUntilIdle();
  EXPECT_TRUE(ReachedTheEnd);
  EXPECT_EQ("", Clicked);
}

}  // namespace
