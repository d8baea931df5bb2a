// Dragging controls in the program: the event order between source and target, refusal, cancelling, drag
// objects, automatic drags with a threshold, drag images over the controls that show them, and TDragImageList.
#include "platform/controls/Forms.h"
#include "platform/graphics/ImgList.h"
#include "platform/controls/TestHarness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Pt(int X, int Y) { return std::to_string(X) + "," + std::to_string(Y); }

const char* StateName(TDragState S) {
  return S == dsDragEnter ? "enter" : S == dsDragLeave ? "leave" : "move";
}

// A windowed control that logs the CM_DRAG messages it answers for itself.
class TBox : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  std::vector<std::string>* Messages = nullptr;
  TDragImageList* Images = nullptr;
  TDragImageList* GetDragImages() override { return Images; }
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CM_DRAG && Messages) {
      static const char* const Names[] = {"dmDragEnter", "dmDragLeave", "dmDragMove",
                                          "dmDragDrop",  "dmDragCancel", "dmFindTarget"};
      Messages->push_back(Names[Message.WParam]);
    }
    TCustomControl::Dispatch(Message);
  }
};

class TMark : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
};

// The top-level window showing the drag image, or 0 when there is none.
HWND DragImageWindow() {
  HWND Found = 0;
  EnumWindows(
      [](HWND W, LPARAM P) -> BOOL {
        char Name[64] = {};
        GetClassName(W, Name, sizeof Name);
        if (std::strcmp(Name, "ZDragImageWindow") == 0) {
          *reinterpret_cast<HWND*>(P) = W;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&Found));
  return Found;
}

bool DragImageShownAt(TPoint TopLeft) {
  HWND W = DragImageWindow();
  if (!W || !IsWindowVisible(W)) {
    return false;
  }
  TRect R;
  GetWindowRect(W, &R);
  return R.Left == TopLeft.X && R.Top == TopLeft.Y;
}

bool DragImageVisible() {
  HWND W = DragImageWindow();
  return W && IsWindowVisible(W);
}

// A 16x16 image: red with a fuchsia (see-through) top-left quarter.
void AddRedImage(TCustomImageList& L) {
  TBitmap B;
  B.SetSize(16, 16);
  B.Canvas()->Brush()->SetColor(clRed);
  B.Canvas()->FillRect(Rect(0, 0, 16, 16));
  B.Canvas()->Brush()->SetColor(clFuchsia);
  B.Canvas()->FillRect(Rect(0, 0, 8, 8));
  L.AddMasked(&B, clFuchsia);
}

class Dragging : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(nullptr);
    Form->AfterConstruction();
    Form->BorderStyle = bsNone;
    Form->SetBounds(100, 100, 400, 200);
    Source = Child<TBox>(0, 0, 100, 100);
    Target = Child<TBox>(150, 0, 100, 100);
    Plain = Child<TBox>(270, 0, 100, 100);
    Source->SetName("Source");
    Target->SetName("Target");
    Plain->SetName("Plain");
    Source->OnEndDrag = [this](TObject*, TObject* T, int X, int Y) {
      auto* C = dynamic_cast<TComponent*>(T);
      Log.push_back("end " + (C ? C->Name() : std::string(T ? "object" : "nil")) + " " + Pt(X, Y));
    };
    Target->OnDragOver = [this](TObject*, TObject* S, int X, int Y, TDragState State, bool& Accept) {
      Log.push_back(std::string(StateName(State)) + " " + Pt(X, Y));
      LastSource = S;
      Accept = State == dsDragLeave ? AcceptLeave : AcceptMove;
    };
    Target->OnDragDrop = [this](TObject*, TObject* S, int X, int Y) {
      LastSource = S;
      Log.push_back("drop " + Pt(X, Y));
    };
    Saved = {Mouse->DragImmediate, Mouse->DragThreshold};
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    CancelDrag();
    Mouse->DragImmediate = Saved.first;
    Mouse->DragThreshold = Saved.second;
    delete Form;
    Harness::RunUntilIdle();
  }
  template <class T> T* Child(int X, int Y, int W, int H) {
    auto* C = new T(Form);
    C->SetParent(Form);
    C->SetBounds(X, Y, W, H);
    return C;
  }
  // Presses on the source and starts a drag at once.
  void Start(TPoint At = Point(10, 10)) {
    Source->DragMode = dmAutomatic;
    Mouse->DragImmediate = true;
    Harness::MouseDown(Source->Handle(), At);
    Harness::RunUntilIdle();
  }
  void MoveTo(TControl* C, TPoint P) {
    Harness::MouseMove(Form->Handle(), Point(C->Left() + P.X, C->Top() + P.Y));
    Harness::RunUntilIdle();
  }
  void ReleaseAt(TControl* C, TPoint P) {
    Harness::MouseUp(Form->Handle(), Point(C->Left() + P.X, C->Top() + P.Y));
    Harness::RunUntilIdle();
  }

  TForm* Form = nullptr;
  TBox* Source = nullptr;
  TBox* Target = nullptr;
  TBox* Plain = nullptr;
  std::vector<std::string> Log;
  TObject* LastSource = nullptr;
  bool AcceptMove = true;
  bool AcceptLeave = true;
  std::pair<bool, int> Saved;
};

TEST_F(Dragging, FromOneControlToAnotherTheTargetHearsEnterMovesLeaveThenTheDrop) {
  Source->OnStartDrag = [this](TObject* Sender, TDragObject*& Obj) {
    Log.push_back(std::string("start ") + (Sender == Source && !Obj ? "ok" : "bad"));
  };
  std::vector<std::string> Messages;
  Target->Messages = &Messages;
  Screen->SetCursors(crMultiDrag, LoadCursor(0, MAKEINTRESOURCE(IDC_HAND)));
  Source->DragCursor = crMultiDrag;
  Start();
  EXPECT_TRUE(Source->Dragging());
  EXPECT_EQ(DragControl(), Source);
  ASSERT_NE(DragObject(), nullptr);
  EXPECT_NE(GetCapture(), 0u);
  MoveTo(Target, Point(20, 30));
  EXPECT_EQ(GetCursor(), Screen->Cursors(crMultiDrag));  // the source's DragCursor over an accepting target
  EXPECT_EQ(DragObject()->DragTarget, Target);
  EXPECT_EQ(DragObject()->DragTargetPos, Point(20, 30));
  MoveTo(Target, Point(25, 35));
  ReleaseAt(Target, Point(25, 35));
  EXPECT_FALSE(Source->Dragging());
  EXPECT_EQ(DragControl(), nullptr);
  EXPECT_EQ(DragObject(), nullptr);
  EXPECT_EQ(GetCapture(), 0u);
  EXPECT_EQ(LastSource, Source);  // the drag's own object reaches the handlers as the dragged control
  EXPECT_EQ(Log, (std::vector<std::string>{"start ok", "enter 20,30", "move 20,30", "move 25,35", "leave 25,35",
                                           "drop 25,35", "end Target 25,35"}));
  EXPECT_EQ(Messages, (std::vector<std::string>{"dmFindTarget", "dmDragEnter", "dmDragMove", "dmFindTarget",
                                                "dmDragMove", "dmDragLeave", "dmDragDrop"}));
  Screen->SetCursors(crMultiDrag, 0);
}

TEST_F(Dragging, LeavingATargetAndWindowlessTargets) {
  auto* Mark = Child<TMark>(380, 10, 15, 15);
  Mark->SetName("Mark");
  Mark->OnDragOver = [this](TObject*, TObject*, int X, int Y, TDragState State, bool& Accept) {
    Log.push_back(std::string("mark ") + StateName(State) + " " + Pt(X, Y));
    Accept = true;
  };
  Mark->OnDragDrop = [this](TObject*, TObject*, int X, int Y) { Log.push_back("mark drop " + Pt(X, Y)); };
  Start();
  MoveTo(Target, Point(5, 5));
  MoveTo(Plain, Point(5, 5));  // the pointer leaves the target for a control that takes no drops
  EXPECT_EQ(GetCursor(), Screen->Cursors(crNoDrop));
  MoveTo(Mark, Point(2, 3));
  ReleaseAt(Mark, Point(2, 3));
  EXPECT_EQ(Log, (std::vector<std::string>{"enter 5,5", "move 5,5", "leave 5,5", "mark enter 2,3",
                                           "mark move 2,3", "mark leave 2,3", "mark drop 2,3", "end Mark 2,3"}));
}

TEST_F(Dragging, ARefusedDropEndsWithoutTarget) {
  // The answer to the leave just before the drop decides, whatever the moves said.
  struct TCase {
    bool Move, Leave;
    bool Dropped;
  } Cases[] = {{false, false, false}, {true, false, false}, {false, true, true}, {true, true, true}};
  for (const TCase& C : Cases) {
    SCOPED_TRACE(std::to_string(C.Move) + std::to_string(C.Leave));
    Log.clear();
    AcceptMove = C.Move;
    AcceptLeave = C.Leave;
    Start();
    MoveTo(Target, Point(20, 30));
    EXPECT_EQ(GetCursor(), Screen->Cursors(C.Move ? crDrag : crNoDrop));
    TDragObject* Obj = DragObject();
    ASSERT_NE(Obj, nullptr);
    bool Dropped = false;
    Source->OnEndDrag = [&](TObject*, TObject* T, int X, int Y) {
      Dropped = Obj->Dropped();
      Log.push_back(std::string("end ") + (T ? "target " : "nil ") + Pt(X, Y));
    };
    ReleaseAt(Target, Point(20, 30));
    EXPECT_EQ(Dropped, C.Dropped);
    std::vector<std::string> Want{"enter 20,30", "move 20,30", "leave 20,30"};
    if (C.Dropped) {
      Want.push_back("drop 20,30");
      Want.push_back("end target 20,30");
    } else {
      Want.push_back("end nil 0,0");
    }
    EXPECT_EQ(Log, Want);
    EXPECT_EQ(GetCapture(), 0u);
  }
}

TEST_F(Dragging, EscapeAndARightPressCancel) {
  auto* Edit = Child<TBox>(0, 120, 100, 30);
  Edit->TabStop = true;
  bool KeySeen = false;
  Edit->OnKeyDown = [&](TObject*, Word&, TShiftState) { KeySeen = true; };
  Edit->SetFocus();
  std::vector<std::string> Messages;
  Target->Messages = &Messages;
  for (bool ByEscape : {true, false}) {
    SCOPED_TRACE(ByEscape ? "escape" : "right press");
    Log.clear();
    Messages.clear();
    Start();
    MoveTo(Target, Point(20, 30));
    if (ByEscape) {
      Harness::KeyPress(VK_ESCAPE);
    } else {
      Harness::MouseDown(Form->Handle(), Point(170, 30), Harness::TButton::Right);
    }
    Harness::RunUntilIdle();
    EXPECT_FALSE(Source->Dragging());
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(Log, (std::vector<std::string>{"enter 20,30", "move 20,30", "leave 20,30", "end nil 0,0"}));
    ASSERT_FALSE(Messages.empty());
    EXPECT_EQ(Messages.back(), "dmDragCancel");
    if (!ByEscape) {
      Harness::MouseUp(Form->Handle(), Point(170, 30), Harness::TButton::Right);
    }
    ReleaseAt(Target, Point(20, 30));  // the release after the end is an ordinary one
    EXPECT_EQ(Log.size(), 4u);
  }
  EXPECT_FALSE(KeySeen);  // the Escape was the drag's
}

// A drag object of the program: it picks its own cursor and sees the end.
class TNodeDrag : public TDragControlObject {
public:
  TNodeDrag(TControl* C, std::vector<std::string>& L, bool& Gone) : TDragControlObject(C), Log(L), GoneFlag(Gone) {}
  ~TNodeDrag() override { GoneFlag = true; }
  TCursor GetDragCursor(bool Accepted, int, int) override { return Accepted ? crHandPoint : crNo; }
  void Finished(TObject* Target, int X, int Y, bool Accepted) override {
    Log.push_back(std::string("finished ") + (Accepted ? "accepted " : "refused ") + Pt(X, Y));
    TDragControlObject::Finished(Target, X, Y, Accepted);
  }
  std::vector<std::string>& Log;
  bool& GoneFlag;
};
class TNodeDragEx : public TNodeDrag {
public:
  using TNodeDrag::TNodeDrag;
  bool FreeWhenDone() const override { return true; }
};

TEST_F(Dragging, ADragObjectFromOnStartDragReachesTheTargetAsItself) {
  bool Gone = false;
  std::unique_ptr<TNodeDrag> Own;
  Source->OnStartDrag = [&](TObject*, TDragObject*& Obj) {
    Own = std::make_unique<TNodeDrag>(Source, Log, Gone);
    Obj = Own.get();
  };
  Start();
  MoveTo(Target, Point(20, 30));
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));
  EXPECT_EQ(LastSource, Own.get());
  EXPECT_TRUE(IsDragObject(LastSource));
  EXPECT_FALSE(IsDragObject(Source));
  ReleaseAt(Target, Point(20, 30));
  EXPECT_EQ(LastSource, Own.get());
  EXPECT_TRUE(Own->Dropped());
  EXPECT_FALSE(Gone);  // the program's object stays the program's
  EXPECT_EQ(Log.back(), "end Target 20,30");
  EXPECT_EQ(Log[Log.size() - 2], "finished accepted 20,30");

  // An object that asks to be freed goes when the drag ended, also when refused.
  Own.reset();
  Gone = false;
  Log.clear();
  AcceptLeave = false;
  Source->OnStartDrag = [&](TObject*, TDragObject*& Obj) { Obj = new TNodeDragEx(Source, Log, Gone); };
  Start();
  MoveTo(Target, Point(20, 30));
  ReleaseAt(Target, Point(20, 30));
  EXPECT_TRUE(Gone);
  EXPECT_EQ(Log.back(), "end nil 0,0");
  EXPECT_EQ(Log[Log.size() - 2], "finished refused 0,0");
}

TEST_F(Dragging, AutomaticDragsWaitForTheThreshold) {
  Source->DragMode = dmAutomatic;
  Mouse->DragImmediate = false;
  Mouse->DragThreshold = 5;
  bool Pressed = false;
  Source->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { Pressed = true; };
  Source->OnDragOver = [this](TObject*, TObject*, int X, int Y, TDragState State, bool& Accept) {
    Log.push_back(std::string("source ") + StateName(State) + " " + Pt(X, Y));
    Accept = false;
  };
  Harness::MouseDown(Source->Handle(), Point(10, 10));
  Harness::RunUntilIdle();
  EXPECT_FALSE(Pressed);  // the press belongs to the drag
  EXPECT_TRUE(Source->Dragging());
  MoveTo(Source, Point(14, 13));
  EXPECT_TRUE(Log.empty());  // not yet a drag: nobody is asked
  MoveTo(Source, Point(15, 10));
  EXPECT_EQ(Log, (std::vector<std::string>{"source enter 15,10", "source move 15,10"}));
  ReleaseAt(Source, Point(15, 10));

  // Released before the threshold: the drag ends without a target.
  Log.clear();
  Harness::MouseDown(Source->Handle(), Point(10, 10));
  MoveTo(Source, Point(12, 12));
  ReleaseAt(Source, Point(12, 12));
  EXPECT_EQ(Log, (std::vector<std::string>{"end nil 0,0"}));
  EXPECT_FALSE(Source->Dragging());

  // A control that docks instead starts no drag here.
  Source->DragKind = dkDock;
  Source->BeginDrag(true);
  EXPECT_FALSE(Source->Dragging());
  EXPECT_THROW(Form->BeginDrag(true), EInvalidOperation);
}

TEST_F(Dragging, TheDragImageFollowsThePointerOverControlsThatShowIt) {
  TDragImageList Images(nullptr);
  AddRedImage(Images);
  Images.SetDragImage(0, 4, 6);
  Source->Images = &Images;
  Target->ControlStyle.Include(csDisplayDragImage);
  Start();
  auto At = [](TControl* C, int X, int Y) { return C->ClientToScreen(Point(X, Y)); };
  MoveTo(Target, Point(20, 30));
  TPoint P = At(Target, 20, 30);
  EXPECT_TRUE(DragImageShownAt(Point(P.X - 4, P.Y - 6)));
  EXPECT_TRUE(Images.Dragging());
  // The image lets the pointer through: the window under it is still the target's.
  EXPECT_EQ(WindowFromPoint(P), Target->Handle());
  HDC DC = GetDC(DragImageWindow());
  EXPECT_EQ(GetPixel(DC, 12, 12), static_cast<COLORREF>(RGB(255, 0, 0)));
  ReleaseDC(DragImageWindow(), DC);
  MoveTo(Target, Point(40, 50));
  P = At(Target, 40, 50);
  EXPECT_TRUE(DragImageShownAt(Point(P.X - 4, P.Y - 6)));

  MoveTo(Plain, Point(20, 30));  // no csDisplayDragImage: hidden
  EXPECT_FALSE(DragImageVisible());
  EXPECT_FALSE(Images.Dragging());
  MoveTo(Target, Point(10, 10));  // shown again
  P = At(Target, 10, 10);
  EXPECT_TRUE(DragImageShownAt(Point(P.X - 4, P.Y - 6)));
  ReleaseAt(Target, Point(10, 10));
  EXPECT_FALSE(DragImageVisible());
  EXPECT_FALSE(Images.Dragging());
  EXPECT_EQ(Log.back(), "end Target 10,10");

  // A drag object that always shows its image does so over any control.
  Source->OnStartDrag = [&](TObject*, TDragObject*& Obj) {
    Obj = new TDragControlObjectEx(Source);
    Obj->AlwaysShowDragImages = true;
  };
  Start();
  MoveTo(Plain, Point(20, 30));
  P = At(Plain, 20, 30);
  EXPECT_TRUE(DragImageShownAt(Point(P.X - 4, P.Y - 6)));
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_FALSE(DragImageVisible());
}

TEST_F(Dragging, DestroyingTheDraggedControlStopsTheDrag) {
  TDragImageList Images(nullptr);
  AddRedImage(Images);
  Source->Images = &Images;
  Target->ControlStyle.Include(csDisplayDragImage);
  Start();
  MoveTo(Target, Point(20, 30));
  delete Source;
  Source = nullptr;
  EXPECT_EQ(DragControl(), nullptr);
  EXPECT_EQ(DragObject(), nullptr);
  EXPECT_EQ(GetCapture(), 0u);
  EXPECT_FALSE(DragImageVisible());
  MoveTo(Target, Point(30, 30));  // later input is ordinary input
  ReleaseAt(Target, Point(30, 30));
}

TEST(DragImageList, DragsOneImageWithItsHotSpot) {
  Harness::Start();
  TDragImageList L(nullptr);
  EXPECT_FALSE(L.BeginDrag(GetDesktopWindow(), 10, 10));  // nothing to drag
  EXPECT_FALSE(L.SetDragImage(0, 1, 1));
  AddRedImage(L);
  EXPECT_TRUE(L.SetDragImage(0, 3, 5));
  EXPECT_EQ(L.DragHotspot(), Point(3, 5));
  ASSERT_TRUE(L.BeginDrag(GetDesktopWindow(), 200, 150));
  EXPECT_TRUE(L.Dragging());
  TPoint Pos, Hot;
  EXPECT_NE(ImageList_GetDragImage(&Pos, &Hot), 0u);
  EXPECT_EQ(Pos, Point(200, 150));
  EXPECT_EQ(Hot, Point(3, 5));
  EXPECT_TRUE(DragImageShownAt(Point(197, 145)));
  EXPECT_TRUE(L.DragMove(220, 160));
  EXPECT_TRUE(DragImageShownAt(Point(217, 155)));
  L.HideDragImage();
  EXPECT_FALSE(DragImageVisible());
  L.ShowDragImage();
  EXPECT_TRUE(DragImageShownAt(Point(217, 155)));

  // Locked to a window, positions count from its upper-left corner.
  TForm* F = new TForm(nullptr);
  F->AfterConstruction();
  F->BorderStyle = bsNone;
  F->SetBounds(50, 40, 200, 100);
  F->Show();
  EXPECT_TRUE(L.DragLock(F->Handle(), 10, 20));
  EXPECT_TRUE(DragImageShownAt(Point(57, 55)));
  L.DragUnlock();
  EXPECT_FALSE(DragImageVisible());
  EXPECT_TRUE(L.DragLock(GetDesktopWindow(), 100, 100));

  // A cursor image merges with its hot spot on the drag image's: the picture grows to hold both.
  TImageList Cursor(nullptr);
  Cursor.SetWidth(4);
  Cursor.SetHeight(4);
  TBitmap B;
  B.SetSize(4, 4);
  B.Canvas()->Brush()->SetColor(clBlue);
  B.Canvas()->FillRect(Rect(0, 0, 4, 4));
  Cursor.Add(&B, nullptr);
  EXPECT_TRUE(ImageList_SetDragCursorImage(Cursor.Handle(), 0, 2, 9));
  HIMAGELIST Merged = ImageList_GetDragImage(nullptr, &Hot);
  int Cx = 0, Cy = 0;
  ImageList_GetIconSize(Merged, &Cx, &Cy);
  EXPECT_EQ(Cx, 16);
  EXPECT_EQ(Cy, 20);  // the cursor image starts 4 rows above the drag image
  EXPECT_EQ(Hot, Point(3, 9));
  EXPECT_TRUE(DragImageShownAt(Point(97, 91)));

  EXPECT_TRUE(L.EndDrag());
  EXPECT_FALSE(L.Dragging());
  EXPECT_FALSE(DragImageVisible());
  EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), 0u);
  EXPECT_FALSE(L.EndDrag());
  delete F;
  Harness::RunUntilIdle();
}

}  // namespace
