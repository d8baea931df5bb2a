// The screen and the mouse objects, cursors chosen through WM_SETCURSOR, and the controls' constraints, anchors,
// context menus, dragging, and the forms' position and window state.
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/controls/TestHarness.h"

#include <gtest/gtest.h>

namespace {

class Screens : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = MakeForm(100, 100, 300, 200);
  }
  void TearDown() override {
    Screen->SetCursor(crDefault);
    for (TForm* F : Forms) {
      delete F;
    }
    Harness::RunUntilIdle();
  }
  TForm* MakeForm(int X, int Y, int W, int H) {
    auto* F = new TForm(nullptr);
    F->AfterConstruction();
    F->BorderStyle = bsNone;
    F->SetBounds(X, Y, W, H);
    Forms.push_back(F);
    return F;
  }
  template <class T> T* Child(TWinControl* Parent, int X, int Y, int W, int H) {
    auto* C = new T(Parent);
    C->SetParent(Parent);
    C->SetBounds(X, Y, W, H);
    return C;
  }
  std::vector<TForm*> Forms;
  TForm* Form = nullptr;
};

class TBox : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
};
class TMark : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
};

TEST_F(Screens, FormsAreListedTopmostFirstWithTheActiveFormAndControl) {
  TForm* Second = MakeForm(150, 150, 200, 100);
  auto* Box = Child<TBox>(Second, 0, 0, 50, 50);
  Box->TabStop = true;
  std::vector<std::string> Changes;
  Screen->OnActiveFormChange = [&](TObject*) { Changes.push_back("form"); };
  Screen->OnActiveControlChange = [&](TObject*) { Changes.push_back("control"); };
  Form->Show();
  Second->Show();
  Box->SetFocus();
  Harness::RunUntilIdle();
  int Base = Screen->FormCount() - 2;
  ASSERT_GE(Base, 0);
  EXPECT_EQ(Screen->Forms(0), Second);
  EXPECT_EQ(Screen->Forms(1), Form);
  EXPECT_EQ(Screen->ActiveForm(), Second);
  EXPECT_EQ(Screen->ActiveControl(), Box);
  EXPECT_EQ(Changes, (std::vector<std::string>{"form", "form", "control"}));
  Screen->OnActiveFormChange = nullptr;
  Screen->OnActiveControlChange = nullptr;
  Form->Show();  // brought to the front
  EXPECT_EQ(Screen->Forms(0), Form);
  EXPECT_EQ(Screen->ActiveForm(), Form);
  EXPECT_THROW(Screen->Forms(Screen->FormCount()), EListError);
  TRect Work = Screen->WorkAreaRect();
  EXPECT_GT(Work.Width(), 0);
  EXPECT_LE(Work.Width(), Screen->Width());
  EXPECT_EQ(Screen->PixelsPerInch, 96);
  EXPECT_GT(Screen->Fonts()->Count(), 0);
}

TEST_F(Screens, TheCursorComesFromTheScreenThenTheControlUnderThePointer) {
  auto* Box = Child<TBox>(Form, 0, 0, 200, 100);
  auto* Mark = Child<TMark>(Box, 10, 10, 20, 20);
  Box->Cursor = crIBeam;
  Mark->Cursor = crHandPoint;
  Form->Show();
  Harness::RunUntilIdle();
  Harness::MouseMove(Box->Handle(), Point(100, 50));
  Harness::RunUntilIdle();
  EXPECT_EQ(GetCursor(), Screen->Cursors(crIBeam));
  Harness::MouseMove(Box->Handle(), Point(15, 15));  // over the windowless child
  Harness::RunUntilIdle();
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));
  // The screen's cursor wins while it is set; crDefault gives the windows theirs back at once.
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHourGlass));
  Harness::MouseMove(Box->Handle(), Point(100, 60));
  Harness::RunUntilIdle();
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHourGlass));
  Screen->SetCursor(crDefault);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crIBeam));
  EXPECT_EQ(Mouse->CursorPos(), Box->ClientToScreen(Point(100, 60)));
  // A program's own cursor in the table.
  Screen->SetCursors(5, Screen->Cursors(crCross));
  EXPECT_EQ(Screen->Cursors(5), Screen->Cursors(crCross));
  EXPECT_EQ(Screen->Cursors(12345), Screen->Cursors(crArrow));
}

TEST_F(Screens, DefaultWindowProcedureShowsSizingCursorsOnTheFrame) {
  Form->BorderStyle = bsSizeable;
  Form->Show();
  Harness::RunUntilIdle();
  struct TCase {
    LRESULT Hit;
    HCURSOR Want;
  };
  for (TCase C : {TCase{HTLEFT, IDC_SIZEWE}, TCase{HTBOTTOM, IDC_SIZENS}, TCase{HTTOPLEFT, IDC_SIZENWSE},
                  TCase{HTBOTTOMLEFT, IDC_SIZENESW}, TCase{HTCAPTION, IDC_ARROW}}) {
    SendMessage(Form->Handle(), WM_SETCURSOR, Form->Handle(), MAKELONG(static_cast<WORD>(C.Hit), WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), C.Want) << C.Hit;
  }
}

TEST_F(Screens, ConstraintsLimitTheSizeAndAnchorsFollowTheParent) {
  auto* Fixed = Child<TBox>(Form, 10, 10, 50, 20);
  auto* Right = Child<TBox>(Form, 240, 10, 50, 20);
  auto* Stretch = Child<TBox>(Form, 10, 50, 280, 100);
  Right->SetAnchors(TAnchors{akTop, akRight});
  Stretch->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  Stretch->Constraints()->SetMaxHeight(120);
  Form->Show();
  Harness::RunUntilIdle();
  Form->SetBounds(100, 100, 400, 260);
  EXPECT_EQ(Fixed->BoundsRect(), Rect(10, 10, 60, 30));
  EXPECT_EQ(Right->BoundsRect(), Rect(340, 10, 390, 30));
  EXPECT_EQ(Stretch->BoundsRect(), Rect(10, 50, 390, 170));  // 160 high by the anchors, 120 by the limit
  Form->SetBounds(100, 100, 300, 200);
  EXPECT_EQ(Right->BoundsRect(), Rect(240, 10, 290, 30));
  EXPECT_EQ(Stretch->BoundsRect(), Rect(10, 50, 290, 150));
  // A new minimum applies at once; a maximum below it gives way.
  Fixed->Constraints()->SetMinWidth(80);
  EXPECT_EQ(Fixed->Width(), 80);
  Fixed->Constraints()->SetMaxWidth(40);
  Fixed->SetWidth(10);
  EXPECT_EQ(Fixed->Width(), 80);
  // A form's limits reach the window system.
  Form->Constraints()->SetMinHeight(150);
  Form->SetHeight(100);
  EXPECT_EQ(Form->Height(), 150);
}

TEST_F(Screens, ContextMenusGoToTheHandlerThenThePopupMenuThenTheParent) {
  auto* Box = Child<TBox>(Form, 0, 0, 200, 100);
  auto* Mark = Child<TMark>(Box, 10, 10, 20, 20);
  std::vector<std::string> Log;
  static std::vector<std::string>* Shown = nullptr;
  Shown = &Log;
  SetPopupMenuHandler([](TPopupMenu* Menu, TControl* Control, TPoint P) {
    Shown->push_back("menu " + std::to_string(reinterpret_cast<std::uintptr_t>(Menu)) + " for " + Control->Name() +
                     " at " + std::to_string(P.X) + "," + std::to_string(P.Y));
    return true;
  });
  Box->SetName("Box");
  Mark->SetName("Mark");
  Form->SetName("Form");
  auto* FormMenu = new TPopupMenu(Form);
  FormMenu->AfterConstruction();
  Form->SetPopupMenu(FormMenu);
  Mark->OnContextPopup = [&](TObject*, TPoint P, bool& Handled) {
    Log.push_back("mark at " + std::to_string(P.X) + "," + std::to_string(P.Y));
    Handled = true;
  };
  Form->Show();
  Harness::RunUntilIdle();
  Harness::Click(Box->Handle(), Point(15, 15), Harness::TButton::Right);  // over the windowless child
  Harness::Click(Box->Handle(), Point(100, 50), Harness::TButton::Right);  // the box has no menu: its parent's
  Harness::RunUntilIdle();
  TPoint Screen = Box->ClientToScreen(Point(100, 50));
  const std::string Menu = std::to_string(reinterpret_cast<std::uintptr_t>(FormMenu));
  EXPECT_EQ(Log, (std::vector<std::string>{"mark at 5,5", "menu " + Menu + " for Form at " + std::to_string(Screen.X) +
                                                              "," + std::to_string(Screen.Y)}));
  SetPopupMenuHandler(nullptr);
}

TEST_F(Screens, DraggingAControlAsksTheTargetAndDropsOnIt) {
  auto* Source = Child<TBox>(Form, 0, 0, 100, 100);
  auto* Target = Child<TBox>(Form, 150, 0, 100, 100);
  Source->DragMode = dmAutomatic;
  std::vector<std::string> Log;
  Source->OnStartDrag = [&](TObject*, TDragObject*&) { Log.push_back("start"); };
  Source->OnEndDrag = [&](TObject*, TObject* T, int X, int Y) {
    Log.push_back(std::string("end ") + (T == Target ? "on target" : "nowhere") + " " + std::to_string(X) + "," +
                  std::to_string(Y));
  };
  Target->OnDragOver = [&](TObject*, TObject* S, int, int, TDragState State, bool& Accept) {
    Accept = S == Source;
    if (State == dsDragEnter) {
      Log.push_back("enter");
    }
  };
  Target->OnDragDrop = [&](TObject*, TObject*, int X, int Y) {
    Log.push_back("drop " + std::to_string(X) + "," + std::to_string(Y));
  };
  Form->Show();
  Harness::RunUntilIdle();
  Harness::MouseDown(Source->Handle(), Point(10, 10));
  Harness::RunUntilIdle();
  EXPECT_TRUE(Source->Dragging());
  Harness::MouseMove(Target->Handle(), Point(20, 30));
  Harness::RunUntilIdle();
  EXPECT_EQ(GetCursor(), Screen->Cursors(crDrag));
  Harness::MouseUp(Target->Handle(), Point(20, 30));
  Harness::RunUntilIdle();
  EXPECT_FALSE(Source->Dragging());
  EXPECT_EQ(Log, (std::vector<std::string>{"start", "enter", "drop 20,30", "end on target 20,30"}));

  // Escape cancels: no drop, the end has no target.
  Log.clear();
  Harness::MouseDown(Source->Handle(), Point(10, 10));
  Harness::MouseMove(Target->Handle(), Point(20, 30));
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_EQ(Log, (std::vector<std::string>{"start", "enter", "end nowhere 0,0"}));
  Harness::MouseUp(Target->Handle(), Point(20, 30));
  Harness::RunUntilIdle();
  EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(Screens, WindowStateAndPositionOfForms) {
  Form->Position = poScreenCenter;
  Form->SetWindowState(wsMaximized);
  Form->Show();
  EXPECT_TRUE(IsZoomed(Form->Handle()));
  EXPECT_EQ(Form->WindowState(), wsMaximized);
  // The main form's minimising and restoring are the application's.
  std::vector<std::string> Log;
  Application->OnMinimize = [&](TObject*) { Log.push_back("minimize"); };
  Application->OnRestore = [&](TObject*) { Log.push_back("restore"); };
  TCustomForm* OldMain = Application->MainForm();
  Application->SetMainForm(Form);
  SendMessage(Form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(Application->Minimized());
  EXPECT_EQ(Form->WindowState(), wsMinimized);
  Application->Restore();
  EXPECT_FALSE(Application->Minimized());
  EXPECT_EQ(Form->WindowState(), wsMaximized);  // back as it was before
  Form->SetWindowState(wsNormal);
  EXPECT_EQ(Log, (std::vector<std::string>{"minimize", "restore"}));
  Application->SetMainForm(OldMain);
  Application->OnMinimize = nullptr;
  Application->OnRestore = nullptr;

  // A dialog centred on its owner form.
  TRect Main;
  GetWindowRect(Form->Handle(), &Main);
  auto* Dialog = new TForm(Form);
  Dialog->AfterConstruction();
  Dialog->BorderStyle = bsDialog;
  Dialog->Position = poOwnerFormCenter;
  Dialog->SetBounds(0, 0, 100, 60);
  Dialog->Show();
  TRect D;
  GetWindowRect(Dialog->Handle(), &D);
  EXPECT_EQ(D.Left + D.Width() / 2, Main.Left + Main.Width() / 2);
  EXPECT_EQ(D.Top + D.Height() / 2, Main.Top + Main.Height() / 2);
}

}  // namespace

TEST_F(Screens, ClientCoordinatesOfAFramedFormStartInsideItsFrame) {
  TForm* Framed = MakeForm(50, 40, 300, 200);
  Framed->BorderStyle = bsSizeable;
  Framed->Show();
  Harness::RunUntilIdle();
  auto* Inner = Child<TCustomControl>(Framed, 10, 20, 50, 30);
  TPoint Expected = Point(0, 0);
  ::ClientToScreen(Framed->Handle(), &Expected);
  EXPECT_GT(Expected.Y, 40);  // below the caption
  EXPECT_EQ(Framed->ClientToScreen(Point(0, 0)), Expected);
  EXPECT_EQ(Inner->ClientToScreen(Point(1, 2)), Point(Expected.X + 11, Expected.Y + 22));
  EXPECT_EQ(Framed->ScreenToClient(Expected), Point(0, 0));
}
