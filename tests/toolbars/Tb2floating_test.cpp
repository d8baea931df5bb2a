// Floating frames and the user's hands on dockable windows: the frame's hit areas, caption, close button and size
// loop (toolbars snap to the sizes their items allow), the move loop with Ctrl, other forms' docks, outline mode
// and windows that may not float, the docked close button, and clicks on toolbar items and menu bar menus.
#include "tests/toolbars/ToolbarTestHost.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/SystemParams.h"
#include "toolbars/Tb2popup.h"
#include "toolbars/Tb2toolbar.h"
#include "toolbars/Tb2toolwindow.h"

#include <gtest/gtest.h>

using namespace TBTest;

namespace {

LPARAM PointParam(TPoint P) { return MAKELONG(static_cast<WORD>(P.X), static_cast<WORD>(P.Y)); }

class Tb2floating : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 500, 400);
    Form->Show();
    Top = Make<TTBDock>(Form, "TopDock");
    Top->SetParent(Form);
    Bottom = Make<TTBDock>(Form, "BottomDock");
    Bottom->SetPosition(dpBottom);
    Bottom->SetParent(Form);
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    SystemParametersInfo(SPI_SETMENUDROPALIGNMENT, 0, nullptr, 0);
    delete Form;
  }
  TTBToolbar* Toolbar(const std::string& Name, int Items) {
    auto* T = Make<TTBToolbar>(Form, Name);
    for (int I = 0; I < Items; ++I) {
      TTBItem* It = AddItem(Form, T->Items(), "Item" + std::to_string(I));
      It->SetOnClick([this, I](TObject*) { Clicked += "Item" + std::to_string(I) + ";"; });
    }
    return T;
  }
  // A floating toolbar in its frame at a known place.
  TTBToolbar* Floating(int Items) {
    TTBToolbar* T = Toolbar("F", Items);
    T->SetCurrentDock(Top);
    T->SetFloatingPosition(Point(150, 150));
    T->SetFloating(true);
    Harness::RunUntilIdle();
    return T;
  }
  static LRESULT HitAt(TTBFloatingWindowParent* Frame, TPoint Client) {
    const TPoint S = Frame->ClientToScreen(Client);
    return SendMessage(Frame->Handle(), WM_NCHITTEST, 0, PointParam(S));
  }
  // A point of the caption and of the close button, in the frame's client coordinates.
  static TPoint CaptionPoint(TTBFloatingWindowParent*) { return Point(4, -5); }
  static TPoint ClosePoint(TTBFloatingWindowParent* Frame) { return Point(Frame->ClientWidth() - 5, -5); }
  // Mouse input at a screen point, through whichever window lies there (a drag may leave the window it began in).
  static void MoveTo(TPoint Screen) {
    HWND W = GetAncestor(WindowFromPoint(Screen), GA_ROOT);
    TPoint C = Screen;
    ScreenToClient(W, &C);
    Harness::MouseMove(W, C);
  }
  static void UpAt(TPoint Screen) {
    HWND W = GetAncestor(WindowFromPoint(Screen), GA_ROOT);
    TPoint C = Screen;
    ScreenToClient(W, &C);
    Harness::MouseUp(W, C);
  }
  // Drags with the mouse from a point of one window to a point of the form's client area.
  // Presses alternate between two rows, as two quick presses at one spot would make a double click.
  void Drag(HWND From, TPoint FromClient, TPoint FormClient, bool Release = true) {
    FromClient.Y += (Drags++ % 2) * 6;
    Harness::MouseDown(From, FromClient);
    const TPoint S = Form->ClientToScreen(FormClient);
    MoveTo(S);
    if (Release) {
      UpAt(S);
    }
  }
  TForm* Form = nullptr;
  TTBDock* Top = nullptr;
  TTBDock* Bottom = nullptr;
  std::string Clicked;
  int Drags = 0;
};

TEST_F(Tb2floating, FrameAnswersItsHitAreas) {
  auto* T = Make<TTBToolWindow>(Form, "Pane");
  T->SetParent(Form);
  T->SetClientAreaSize(120, 80);
  T->SetFloatingPosition(Point(150, 150));
  T->SetFloating(true);
  Harness::RunUntilIdle();
  TTBFloatingWindowParent* Frame = T->FloatingParent();
  ASSERT_NE(nullptr, Frame);
  EXPECT_EQ(T->ClientWidth(), Frame->ClientWidth());
  EXPECT_EQ(T->ClientHeight(), Frame->ClientHeight());
  const int W = Frame->ClientWidth();
  const int H = Frame->ClientHeight();
  struct TCase {
    TPoint Client;
    LRESULT Hit;
  };
  const TCase Cases[] = {
      {CaptionPoint(Frame), HTTBCAPTION},
      {ClosePoint(Frame), HTTBCLOSEBUTTON},
      {Point(5, 5), HTCLIENT},
      {Point(W + 2, H / 2), HTRIGHT},
      {Point(-2, H / 2), HTLEFT},
      {Point(W / 2, H + 2), HTBOTTOM},
      {Point(W + 2, H + 2), HTBOTTOMRIGHT},
      {Point(-2, H + 2), HTBOTTOMLEFT},
      {Point(W / 2, -TBSmallCaptionHeight() - 2), HTTOP},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(C.Hit, HitAt(Frame, C.Client)) << C.Client.X << "," << C.Client.Y;
  }
  // A window that cannot be resized has no sizing border: its frame answers nowhere there.
  T->Resizable = false;
  EXPECT_EQ(HTNOWHERE, HitAt(Frame, Point(W + 2, H / 2)));
  // Without a close button the whole caption drags.
  T->Resizable = true;
  T->CloseButton = false;
  EXPECT_EQ(HTTBCAPTION, HitAt(Frame, ClosePoint(Frame)));
}

TEST_F(Tb2floating, CloseButtonHidesTheWindowAndAltF4ClosesTheForm) {
  TTBToolbar* T = Floating(2);
  TTBFloatingWindowParent* Frame = T->FloatingParent();
  int Closed = 0;
  T->OnClose = [&Closed](TObject*) { ++Closed; };
  // The close button works as a button: let go outside it and nothing happens.
  Harness::MouseDown(Frame->Handle(), ClosePoint(Frame));
  Harness::MouseUp(Frame->Handle(), Point(5, 5));
  Harness::RunUntilIdle();
  EXPECT_TRUE(T->Visible());
  Harness::Click(Frame->Handle(), ClosePoint(Frame));
  Harness::RunUntilIdle();
  EXPECT_FALSE(T->Visible());
  EXPECT_EQ(1, Closed);
  // The frame never closes itself: WM_CLOSE goes to its form.
  T->Show();
  int FormAsked = 0;
  Form->OnCloseQuery = [&FormAsked](TObject*, bool& CanClose) {
    ++FormAsked;
    CanClose = false;
  };
  SendMessage(Frame->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(1, FormAsked);
  EXPECT_TRUE(T->Visible());
  EXPECT_EQ(1, Closed);
}

TEST_F(Tb2floating, CaptionDragsAndDoubleClickDocksBack) {
  TTBToolbar* T = Floating(2);
  TTBFloatingWindowParent* Frame = T->FloatingParent();
  const HWND Handle = T->Handle();
  const TPoint Before = Point(Frame->Left(), Frame->Top());
  const TPoint Grab = Frame->ClientToScreen(CaptionPoint(Frame));
  Drag(Frame->Handle(), CaptionPoint(Frame), Form->ScreenToClient(Point(Grab.X + 40, Grab.Y + 30)));
  Harness::RunUntilIdle();
  ASSERT_TRUE(T->Floating());
  EXPECT_EQ(Before.X + 40, T->FloatingParent()->Left());
  EXPECT_EQ(Before.Y + 30, T->FloatingParent()->Top());
  EXPECT_EQ(Before.X + 40, T->FloatingPosition().X);
  Harness::DoubleClick(T->FloatingParent()->Handle(), CaptionPoint(T->FloatingParent()));
  Harness::RunUntilIdle();
  EXPECT_EQ(Top, T->CurrentDock());
  EXPECT_EQ(Handle, T->Handle());
}

TEST_F(Tb2floating, ResizingAFloatingToolbarSnapsToTheSizesItsItemsAllow) {
  TTBToolbar* T = Floating(5);
  TTBFloatingWindowParent* Frame = T->FloatingParent();
  std::vector<TPoint> Sizes;
  T->BuildPotentialSizesList(Sizes);
  ASSERT_GE(Sizes.size(), 3u);
  const int W0 = Frame->Width();
  const int H0 = Frame->Height();
  const int NCW = Frame->Width() - Frame->ClientWidth();
  const int NCH = Frame->Height() - Frame->ClientHeight();
  const TPoint Edge = Point(Frame->ClientWidth() + 2, Frame->ClientHeight() / 2);
  // A small pull stays within the snap distance: the frame keeps its size.
  Harness::MouseDown(Frame->Handle(), Edge);
  Harness::MouseMove(Frame->Handle(), Point(Edge.X - 4, Edge.Y));
  Harness::MouseUp(Frame->Handle(), Point(Edge.X - 4, Edge.Y));
  Harness::RunUntilIdle();
  EXPECT_EQ(W0, Frame->Width());
  EXPECT_EQ(0, T->FloatingWidth());
  // A long pull lands on one of the allowed sizes, never in between.
  const int Target = Sizes[2].X + NCW + 3;
  const TPoint Edge2 = Point(Edge.X, Edge.Y + 4);  // not where the last press was: no double click
  Harness::MouseDown(Frame->Handle(), Edge2);
  Harness::MouseMove(Frame->Handle(), Point(Edge2.X - (W0 - Target), Edge2.Y));
  Harness::MouseUp(Frame->Handle(), Point(Edge2.X - (W0 - Target), Edge2.Y));
  Harness::RunUntilIdle();
  bool Allowed = false;
  for (const TPoint& S : Sizes) {
    Allowed = Allowed || (S.X + NCW == Frame->Width() && S.Y + NCH == Frame->Height());
  }
  EXPECT_TRUE(Allowed) << Frame->Width() << "x" << Frame->Height();
  EXPECT_LT(Frame->Width(), W0);
  EXPECT_GT(Frame->Height(), H0);
  EXPECT_GT(T->FloatingWidth(), 0);
  EXPECT_EQ(T->ClientWidth(), Frame->ClientWidth());
  // Escape during a pull leaves the size that was reached (live sizing) and the loop ends.
  Harness::MouseDown(Frame->Handle(), Point(Frame->ClientWidth() + 2, Frame->ClientHeight() / 2));
  MoveTo(Frame->ClientToScreen(Point(Frame->ClientWidth() + 250, Frame->ClientHeight() / 2)));
  Harness::KeyPress(VK_ESCAPE);
  UpAt(Frame->ClientToScreen(Point(Frame->ClientWidth() + 250, Frame->ClientHeight() / 2)));
  Harness::RunUntilIdle();
  EXPECT_EQ(0, T->FloatingWidth());
  EXPECT_EQ(W0, Frame->Width());
}

TEST_F(Tb2floating, FloatingToolWindowCannotBeMadeSmallerThanItsMinimum) {
  auto* W = Make<TTBToolWindow>(Form, "Pane");
  W->SetParent(Form);
  W->SetClientAreaSize(120, 80);
  W->SetFloatingPosition(Point(150, 150));
  W->SetFloating(true);
  Harness::RunUntilIdle();
  TTBFloatingWindowParent* Frame = W->FloatingParent();
  ASSERT_NE(nullptr, Frame);
  const TPoint Corner = Point(Frame->ClientWidth() + 2, Frame->ClientHeight() + 2);
  Harness::MouseDown(Frame->Handle(), Corner);
  Harness::MouseMove(Frame->Handle(), Point(2, 2));
  Harness::MouseUp(Frame->Handle(), Point(2, 2));
  Harness::RunUntilIdle();
  EXPECT_EQ(32, W->ClientAreaWidth());
  EXPECT_EQ(32, W->ClientAreaHeight());
  EXPECT_EQ(32, W->StoredClientWidth());
  EXPECT_EQ(W->ClientWidth(), Frame->ClientWidth());
  // The top-left corner moves the frame's top-left edge, keeping the opposite corner in place.
  const TRect Before = Frame->BoundsRect();
  Harness::MouseDown(Frame->Handle(), Point(-2, -15));
  MoveTo(Frame->ClientToScreen(Point(-42, -45)));
  UpAt(Frame->ClientToScreen(Point(-42, -45)));
  Harness::RunUntilIdle();
  EXPECT_EQ(Before.Right, Frame->BoundsRect().Right);
  EXPECT_EQ(Before.Bottom, Frame->BoundsRect().Bottom);
  EXPECT_EQ(72, W->ClientAreaWidth());
}

TEST_F(Tb2floating, CtrlKeepsADraggedWindowFromDocking) {
  TTBToolbar* A = Toolbar("A", 2);
  A->SetCurrentDock(Top);
  Harness::RunUntilIdle();
  const TPoint BottomSpot = Point(60, Form->ClientHeight() - 10);
  Harness::KeyDown(VK_CONTROL);
  Drag(A->Handle(), Point(-4, 4), BottomSpot);
  Harness::KeyUp(VK_CONTROL);
  Harness::RunUntilIdle();
  EXPECT_TRUE(A->Floating());
  // Pressing and letting go of Ctrl during a drag turns docking off and on at once.
  A->SetCurrentDock(Top);
  Harness::RunUntilIdle();
  Drag(A->Handle(), Point(-4, 4), BottomSpot, false);
  Harness::KeyDown(VK_CONTROL);
  Harness::KeyUp(VK_CONTROL);
  const TPoint S = Form->ClientToScreen(BottomSpot);
  TPoint C = S;
  ScreenToClient(A->Handle(), &C);
  Harness::MouseUp(A->Handle(), C);
  Harness::RunUntilIdle();
  EXPECT_EQ(Bottom, A->CurrentDock());
}

TEST_F(Tb2floating, DocksOfAnotherFormTakeTheWindowOnlyWhenListed) {
  auto* Other = new TForm(Application);
  Other->AfterConstruction();
  Other->SetBounds(600, 40, 300, 200);
  Other->Show();
  auto* OtherDock = Make<TTBDock>(Other, "OtherDock");
  OtherDock->SetParent(Other);
  OtherDock->SetFixAlign(true);
  Harness::RunUntilIdle();
  TTBToolbar* A = Toolbar("A", 2);
  A->SetCurrentDock(Top);
  Harness::RunUntilIdle();
  const TPoint OnOther = Form->ScreenToClient(Other->ClientToScreen(Point(40, 2)));
  Drag(A->Handle(), Point(-4, 4), OnOther);
  Harness::RunUntilIdle();
  EXPECT_TRUE(A->Floating());
  A->SetCurrentDock(Top);
  A->AddDockForm(Other);
  Harness::RunUntilIdle();
  Drag(A->Handle(), Point(-4, 4), OnOther);
  Harness::RunUntilIdle();
  EXPECT_EQ(OtherDock, A->CurrentDock());
  A->SetCurrentDock(Top);
  delete Other;
  EXPECT_TRUE(A->DockForms().empty());
}

TEST_F(Tb2floating, OutlineDragAppliesOnlyOnReleaseAndEscapeLeavesAll) {
  TTBToolbar* A = Toolbar("A", 2);
  A->SmoothDrag = false;
  A->SetCurrentDock(Top);
  Harness::RunUntilIdle();
  const TPoint BottomSpot = Point(60, Form->ClientHeight() - 10);
  Drag(A->Handle(), Point(-4, 4), BottomSpot, false);
  Harness::KeyPress(VK_ESCAPE);
  UpAt(Form->ClientToScreen(BottomSpot));
  Harness::RunUntilIdle();
  EXPECT_EQ(Top, A->CurrentDock());
  Drag(A->Handle(), Point(-4, 4), BottomSpot);
  Harness::RunUntilIdle();
  EXPECT_EQ(Bottom, A->CurrentDock());
  // Live dragging keeps what was reached when Escape ends it.
  A->SmoothDrag = true;
  Drag(A->Handle(), Point(-4, 4), Point(60, 5), false);
  Harness::KeyPress(VK_ESCAPE);
  UpAt(Form->ClientToScreen(Point(60, 5)));
  Harness::RunUntilIdle();
  EXPECT_EQ(Top, A->CurrentDock());
}

TEST_F(Tb2floating, WindowThatCannotFloatStaysWhereItWas) {
  TTBToolbar* A = Toolbar("A", 2);
  A->DockMode = dmCannotFloat;
  A->SetCurrentDock(Top);
  Harness::RunUntilIdle();
  Drag(A->Handle(), Point(-4, 4), Point(200, 150));
  Harness::RunUntilIdle();
  EXPECT_EQ(Top, A->CurrentDock());
  EXPECT_FALSE(A->Floating());
  // One that may not change docks only moves along its own.
  A->DockMode = dmCannotFloatOrChangeDocks;
  Drag(A->Handle(), Point(-4, 4), Point(60, Form->ClientHeight() - 10));
  Harness::RunUntilIdle();
  EXPECT_EQ(Top, A->CurrentDock());
}

TEST_F(Tb2floating, DockedCloseButtonClosesTheWindow) {
  TTBToolbar* A = Toolbar("A", 2);
  A->SetCloseButtonWhenDocked(true);
  A->SetCurrentDock(Top);
  Harness::RunUntilIdle();
  TRect B;
  A->GetDockedCloseButtonRect(false, B);
  TRect WR;
  GetWindowRect(A->Handle(), &WR);
  const TPoint Centre = A->ScreenToClient(Point(WR.Left + (B.Left + B.Right) / 2, WR.Top + (B.Top + B.Bottom) / 2));
  const TPoint S = A->ClientToScreen(Centre);
  EXPECT_EQ(HTTBCLOSEBUTTON, SendMessage(A->Handle(), WM_NCHITTEST, 0, PointParam(S)));
  Harness::Click(A->Handle(), Centre);
  Harness::RunUntilIdle();
  EXPECT_FALSE(A->Visible());
}

TEST_F(Tb2floating, ClickingAToolbarButtonClicksItsItemOnlyWhenReleasedOnIt) {
  TTBToolbar* T = Toolbar("T", 3);
  T->SetCurrentDock(Top);
  Harness::RunUntilIdle();
  const TRect B = T->View()->Viewers(1)->BoundsRect();
  const TPoint Centre = Point((B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2);
  Harness::MouseDown(T->Handle(), Centre);
  Harness::MouseUp(T->Handle(), Point(Centre.X, Centre.Y + 200));
  Harness::RunUntilIdle();
  EXPECT_EQ("", Clicked);
  Harness::Click(T->Handle(), Centre);
  Harness::RunUntilIdle();
  EXPECT_EQ("Item1;", Clicked);
  EXPECT_EQ(Top, T->CurrentDock());  // pressing an item does not drag the toolbar
}

// Inside the menu loop (a timer fires there), clicks the given row of the open popup of the menu bar.
TTBToolbar* Bar = nullptr;
int RowToClick = 0;
void ClickRowOfOpenMenu(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(0, Id);
  auto* Popup = dynamic_cast<TTBPopupWindow*>(Bar->View()->OpenViewerWindow());
  if (!Popup) {
    return;
  }
  const TRect R = Popup->View()->Viewers(RowToClick)->BoundsRect();
  const TPoint P = Point(R.Left + 5, R.Top + 3);
  Harness::MouseMove(Popup->Handle(), P);
  Harness::Click(Popup->Handle(), P);
}

TEST_F(Tb2floating, MenuBarMenusOpenAndChooseWithTheMouse) {
  Bar = Make<TTBToolbar>(Form, "MenuBar");
  Bar->SetMenuBar(true);
  auto* File = Make<TTBSubmenuItem>(Form);
  File->SetCaption("&File");
  Bar->Items()->Add(File);
  for (const char* C : {"&New", "&Open"}) {
    TTBItem* I = AddItem(Form, File, C);
    I->SetOnClick([this, C](TObject*) { Clicked += std::string(C) + ";"; });
  }
  Bar->SetCurrentDock(Top);
  Harness::RunUntilIdle();
  const TRect B = Bar->View()->Viewers(0)->BoundsRect();
  const TPoint OnFile = Point(B.Left + 5, B.Top + 5);
  RowToClick = 1;
  SetTimer(0, 0, 1, &ClickRowOfOpenMenu);
  Harness::Click(Bar->Handle(), OnFile);
  Harness::RunUntilIdle();
  EXPECT_EQ("&Open;", Clicked);
  EXPECT_EQ(nullptr, Bar->View()->OpenViewerWindow());
  // A second click on the open menu's button closes it without a choice.
  Clicked.clear();
  Harness::Click(Bar->Handle(), OnFile);
  Harness::Click(Bar->Handle(), OnFile);
  Harness::RunUntilIdle();
  EXPECT_EQ("", Clicked);
  EXPECT_EQ(nullptr, Bar->View()->OpenViewerWindow());
  EXPECT_FALSE(Bar->View()->State().Contains(vsOpen));
}

TEST_F(Tb2floating, DropDownMenusFollowTheDesktopsDropAlignment) {
  TTBToolbar* T = Toolbar("T", 1);
  auto* Sub = Make<TTBSubmenuItem>(Form);
  Sub->SetCaption("Wide menu button here");
  T->Items()->Add(Sub);
  AddItem(Form, Sub, "x");
  T->SetCurrentDock(Top);
  Harness::RunUntilIdle();
  TTBItemViewer* V = T->View()->Find(Sub);
  const TPoint ButtonTL = T->ClientToScreen(Point(V->BoundsRect().Left, V->BoundsRect().Top));
  const TPoint ButtonBR = T->ClientToScreen(Point(V->BoundsRect().Right, V->BoundsRect().Bottom));
  for (bool Right : {false, true}) {
    SystemParametersInfo(SPI_SETMENUDROPALIGNMENT, Right ? 1 : 0, nullptr, 0);
    ASSERT_EQ(Right ? 1 : 0, GetSystemMetrics(SM_MENUDROPALIGNMENT));
    TTBPopupWindow* P = TBCreatePopup(Sub, T->View(), V, false, false, false, Point(0, 0), tbpaLeft);
    // Unskinned popups sit 3 pixels right of where they align.
    if (Right) {
      EXPECT_EQ(ButtonBR.X + 3, P->BoundsRect().Right);
    } else {
      EXPECT_EQ(ButtonTL.X + 3, P->Left());
    }
    T->View()->CloseChildPopups();
  }
}

TEST_F(Tb2floating, FloatingWindowHidesAndShowsWithItsForm) {
  TTBToolbar* T = Floating(2);
  T->HideWhenInactive = false;
  T->UpdateVisibility();
  TTBFloatingWindowParent* Frame = T->FloatingParent();
  ASSERT_TRUE(IsWindowVisible(Frame->Handle()));
  Form->Hide();
  Harness::RunUntilIdle();
  EXPECT_FALSE(IsWindowVisible(Frame->Handle()));
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_TRUE(IsWindowVisible(Frame->Handle()));
  EXPECT_TRUE(T->Floating());
}

LRESULT PlainProc(HWND W, UINT M, WPARAM WP, LPARAM LP) { return DefWindowProc(W, M, WP, LP); }

TEST_F(Tb2floating, AltLetterInTheMdiClientAreaOpensTheMenuBar) {
  TCustomForm* OldMain = Application->MainForm();
  Application->SetMainForm(Form);
  auto* MenuBar = Make<TTBToolbar>(Form, "MenuBar");
  MenuBar->SetMenuBar(true);
  TTBItem* Help = AddItem(Form, MenuBar->Items(), "&Help");
  Help->SetOnClick([this](TObject*) { Clicked += "Help;"; });
  MenuBar->SetCurrentDock(Top);
  WNDCLASS C{};
  C.lpfnWndProc = &PlainProc;
  C.lpszClassName = "MDICLIENT";
  RegisterClass(&C);
  const HWND Client =
      CreateWindowEx(0, "MDICLIENT", "", WS_CHILD | WS_VISIBLE, 0, 60, 300, 200, Form->Handle(), 0, 0, nullptr);
  ASSERT_NE(HWND(0), Client);
  Harness::RunUntilIdle();
  // The client area has the focus; Alt+H typed there reaches the main form's menu bar.
  ::SetFocus(Client);
  Harness::KeyPress('H', Harness::TMods{.Alt = true});
  Harness::RunUntilIdle();
  EXPECT_EQ("Help;", Clicked);
  DestroyWindow(Client);
  Application->SetMainForm(OldMain);
}

}  // namespace

namespace {

TEST_F(Tb2floating, ToolWindowFloatsAndDocksBackKeepingItsWindow) {
  auto* W = Make<TTBToolWindow>(Form, "Pane");
  W->SetParent(Form);
  W->SetClientAreaSize(80, 40);
  W->SetCurrentDock(Top);
  Harness::RunUntilIdle();
  const HWND Handle = W->Handle();
  Drag(W->Handle(), Point(-4, 10), Point(200, 150));
  Harness::RunUntilIdle();
  ASSERT_TRUE(W->Floating());
  EXPECT_EQ(Handle, W->Handle());
  EXPECT_EQ(80, W->ClientAreaWidth());
  TTBFloatingWindowParent* Frame = W->FloatingParent();
  Drag(Frame->Handle(), CaptionPoint(Frame), Point(60, Form->ClientHeight() - 10));
  Harness::RunUntilIdle();
  EXPECT_EQ(Bottom, W->CurrentDock());
  EXPECT_EQ(Handle, W->Handle());
  EXPECT_EQ(80, W->ClientAreaWidth());
  EXPECT_EQ(40, W->ClientAreaHeight());
}

}  // namespace

namespace {

TEST_F(Tb2floating, ClickingAFloatingToolbarLeavesTheFormActive) {
  TTBToolbar* T = Floating(3);
  SetActiveWindow(Form->Handle());
  Harness::RunUntilIdle();
  ASSERT_EQ(Form->Handle(), GetActiveWindow());
  const TRect B = T->View()->Viewers(2)->BoundsRect();
  Harness::Click(T->Handle(), Point((B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2));
  Harness::RunUntilIdle();
  EXPECT_EQ("Item2;", Clicked);
  EXPECT_EQ(Form->Handle(), GetActiveWindow());
  EXPECT_TRUE(T->Floating());
}

}  // namespace

namespace {

TEST_F(Tb2floating, ToolbarsDockOnEveryEdge) {
  auto* LeftDock = Make<TTBDock>(Form, "LeftDock");
  LeftDock->SetPosition(dpLeft);
  LeftDock->SetParent(Form);
  auto* RightDock = Make<TTBDock>(Form, "RightDock");
  RightDock->SetPosition(dpRight);
  RightDock->SetParent(Form);
  TTBToolbar* A = Toolbar("A", 2);
  A->SetCurrentDock(Top);
  Harness::RunUntilIdle();
  const HWND Handle = A->Handle();
  struct TCase {
    TTBDock* Dock;
    TPoint Spot;
    TTBViewOrientation Orientation;
  };
  const TCase Cases[] = {
      {RightDock, Point(Form->ClientWidth() - 5, 150), tbvoVertical},
      {Bottom, Point(200, Form->ClientHeight() - 5), tbvoHorizontal},
      {LeftDock, Point(1, 150), tbvoVertical},  // an empty dock takes drops only close to its edge
      {Top, Point(200, 3), tbvoHorizontal},
  };
  int N = 0;
  for (const TCase& C : Cases) {
    // The handle lies at the top on left and right docks, at the left on top and bottom docks; presses move
    // along it so that no two make a double click.
    const int Along = 4 + 6 * (N++ % 2);
    const TPoint Grip = A->CurrentDock()->IsVertical() ? Point(Along, -4) : Point(-4, Along);
    Harness::MouseDown(A->Handle(), Grip);
    MoveTo(Form->ClientToScreen(C.Spot));
    UpAt(Form->ClientToScreen(C.Spot));
    Harness::RunUntilIdle();
    EXPECT_EQ(C.Dock, A->CurrentDock()) << C.Dock->Name();
    EXPECT_EQ(C.Orientation, A->View()->Orientation()) << C.Dock->Name();
    EXPECT_EQ(Handle, A->Handle());
  }
}

}  // namespace

namespace {

TEST_F(Tb2floating, SkinsWithDockedCaptionsGiveSideDocksACaptionForTheHandle) {
  auto* LeftDock = Make<TTBDock>(Form, "LeftDock");
  LeftDock->SetPosition(dpLeft);
  LeftDock->SetParent(Form);
  TTBToolbar* A = Toolbar("A", 2);
  A->SetCurrentDock(LeftDock);
  Harness::RunUntilIdle();
  EXPECT_EQ(6 + 4, A->Height() - A->ClientHeight());  // a single grip
  auto* Skin = Make<TTBSkin>(Form, "Skin");
  Skin->SetSkinType(tbsOfficeXP);
  Skin->SetOptions(TTBOptions{tboDockedCaptions});
  A->SetCurrentDock(Top);
  A->SetCurrentDock(LeftDock);
  Harness::RunUntilIdle();
  EXPECT_EQ(14 + 4, A->Height() - A->ClientHeight());
  TPoint TL, BR;
  A->GetDockedNCArea(TL, BR, true);
  EXPECT_EQ(2 + 14, TL.Y);
  A->GetDockedNCArea(TL, BR, false);
  EXPECT_EQ(2 + 6, TL.X);  // top and bottom docks keep the grip
  delete Skin;
}

}  // namespace

namespace {

TEST_F(Tb2floating, DraggingAlongAnOverfullRowKeepsTheOrderAndShrinksTheOthers) {
  TTBToolbar* A = Toolbar("A", 8);
  TTBToolbar* B = Toolbar("B", 8);
  Form->SetClientWidth(2000);
  A->SetCurrentDock(Top);
  B->SetDockPos(A->Width() + 10);
  B->SetCurrentDock(Top);
  Form->SetClientWidth(A->Width() + B->Width() / 2);
  Harness::RunUntilIdle();
  ASSERT_EQ(A->EffectiveDockRow(), B->EffectiveDockRow());
  ASSERT_LT(A->EffectiveDockPos(), B->EffectiveDockPos());
  // The row is too long: the last window gives way first.
  ASSERT_EQ(0, A->CurrentShrunkSize());
  ASSERT_GT(B->CurrentShrunkSize(), 0);
  const int PosBefore = B->Left();
  // Pull B's handle 40 pixels to the left along its row.
  const TPoint Grip = Point(-4, 6);
  Harness::MouseDown(B->Handle(), Grip);
  Harness::MouseMove(B->Handle(), Point(Grip.X - 20, Grip.Y));
  Harness::MouseMove(B->Handle(), Point(Grip.X - 40, Grip.Y));
  Harness::MouseUp(B->Handle(), Point(Grip.X - 40, Grip.Y));
  Harness::RunUntilIdle();
  EXPECT_EQ(Top, B->CurrentDock());
  EXPECT_EQ(A->EffectiveDockRow(), B->EffectiveDockRow());
  EXPECT_LT(A->EffectiveDockPos(), B->EffectiveDockPos());  // still after A
  EXPECT_LT(B->Left(), PosBefore);
  EXPECT_GT(A->CurrentShrunkSize(), 0);
  EXPECT_LT(A->Width(), PosBefore);
}

}  // namespace

namespace {

TEST_F(Tb2floating, EscapeInAFloatingWindowGivesTheFocusBackToTheForm) {
  auto* Pane = Make<TTBToolWindow>(Form, "Pane");
  Pane->SetParent(Form);
  Pane->SetClientAreaSize(120, 40);
  auto* Edit = Make<TEdit>(Form, "Edit");
  Edit->SetParent(Pane);
  Pane->SetFloatingPosition(Point(150, 150));
  Pane->SetFloating(true);
  Harness::RunUntilIdle();
  Edit->SetFocus();
  Harness::RunUntilIdle();
  ASSERT_EQ(Edit->Handle(), GetFocus());
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->Handle(), GetFocus());
  EXPECT_TRUE(Pane->Floating());
}

}  // namespace

namespace {

TEST_F(Tb2floating, OnTopOfAllFormsTheFrameBelongsToTheApplicationAndOutlivesTheFormsShowing) {
  TTBToolbar* T = Floating(2);
  T->HideWhenInactive = false;
  T->UpdateVisibility();
  const HWND Frame = T->FloatingParent()->Handle();
  EXPECT_EQ(Form->Handle(), static_cast<HWND>(GetWindowLongPtr(Frame, GWLP_HWNDPARENT)));
  T->FloatingMode = fmOnTopOfAllForms;
  T->UpdateVisibility();
  EXPECT_EQ(Application->Handle(), static_cast<HWND>(GetWindowLongPtr(Frame, GWLP_HWNDPARENT)));
  EXPECT_NE(0, GetWindowLong(Frame, GWL_EXSTYLE) & static_cast<LONG>(WS_EX_TOPMOST));
  Form->Hide();
  Harness::RunUntilIdle();
  EXPECT_TRUE(IsWindowVisible(Frame));
  // Disabled (as a modal dialog would leave it), the window leaves the topmost band.
  EnableWindow(T->Handle(), FALSE);
  EXPECT_EQ(0, GetWindowLong(Frame, GWL_EXSTYLE) & static_cast<LONG>(WS_EX_TOPMOST));
  EnableWindow(T->Handle(), TRUE);
  EXPECT_NE(0, GetWindowLong(Frame, GWL_EXSTYLE) & static_cast<LONG>(WS_EX_TOPMOST));
  Form->Show();
}

}  // namespace
