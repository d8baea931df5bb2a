// Hints: the pause before a hint, CM_HINTSHOW and OnShowHint changing or refusing it, hiding on time-out, on a
// key and on leaving the control, the hint window's size; the tooltip control's hover cycle and placement.
#include "platform/controls/Forms.h"
#include "platform/controls/Hints.h"
#include "platform/controls/TestHarness.h"
#include "platform/controls/ToolTipControl.h"
#include "platform/win/Clock.h"

#include <gtest/gtest.h>

namespace {

TPoint OnScreen(TWinControl* C, int X, int Y) {
  TPoint P = Point(X, Y);
  ClientToScreen(C->Handle(), &P);
  return P;
}

// A control that records CM_HINTSHOW and can change the hint record.
class THintProbe : public TCustomControl {
  Z_CLASS(THintProbe, TCustomControl)
public:
  using TCustomControl::TCustomControl;
  int Asked = 0;
  std::function<LRESULT(THintInfo&)> OnHintShow;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CM_HINTSHOW) {
      ++Asked;
      auto& Info = *reinterpret_cast<THintInfo*>(Message.LParam);
      EXPECT_EQ(Info.HintControl, this);
      Message.Result = OnHintShow ? OnHintShow(Info) : 0;
      return;
    }
    TCustomControl::Dispatch(Message);
  }
};
Z_IMPLEMENT_CLASS(THintProbe, TCustomControl)

class HintsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(60, 60, 300, 200);
    Probe = new THintProbe(Form);
    Probe->SetParent(Form);
    Probe->SetBounds(10, 10, 100, 50);
    Probe->Hint = "Save|Saves the document";
    Probe->SetShowHint(true);
    Plain = new TCustomControl(Form);
    Plain->SetParent(Form);
    Plain->SetBounds(150, 10, 100, 50);
    Form->Show();
    Harness::RunUntilIdle();
    Hints().Install();
    Hints().CancelHint();
  }
  void TearDown() override {
    Hints().CancelHint();
    Hints().OnShowHint = nullptr;
    Hints().Uninstall();
    delete Form;
  }
  bool HintUp() { return Hints().HintShowing(); }
  TManualClock Clock;
  TScopedClock UseClock{Clock};
  TForm* Form = nullptr;
  THintProbe* Probe = nullptr;
  TCustomControl* Plain = nullptr;
};

TEST_F(HintsTest, TheHintComesAfterThePauseAndGoesAfterTheHidePause) {
  Harness::MouseMove(Probe->Handle(), Point(20, 20));
  Harness::RunUntilIdle();
  Harness::Advance(Clock, Hints().HintPause - 10);
  EXPECT_FALSE(HintUp());
  Harness::Advance(Clock, 20);
  ASSERT_TRUE(HintUp());
  EXPECT_EQ(Probe->Asked, 1);
  EXPECT_EQ(Hints().HintWindow()->Caption(), "Save");  // the short part
  // The window sits below the cursor, on top and without taking the activation.
  TRect R;
  GetWindowRect(Hints().HintWindow()->Handle(), &R);
  TPoint Cursor = Point(20, 20);
  ClientToScreen(Probe->Handle(), &Cursor);
  EXPECT_EQ(R.Left, Cursor.X);
  EXPECT_GT(R.Top, Cursor.Y);
  EXPECT_NE(GetWindowLong(Hints().HintWindow()->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  // Moving within the control keeps it; the hide pause ends it.
  Harness::MouseMove(Probe->Handle(), Point(30, 25));
  Harness::RunUntilIdle();
  EXPECT_TRUE(HintUp());
  Harness::Advance(Clock, Hints().HintHidePause + 10);
  EXPECT_FALSE(HintUp());
}

TEST_F(HintsTest, KeysAndLeavingEndTheHintAndControlsWithoutHintsShowNone) {
  Harness::MouseMove(Probe->Handle(), Point(20, 20));
  Harness::RunUntilIdle();
  Harness::Advance(Clock, Hints().HintPause + 10);
  ASSERT_TRUE(HintUp());
  Harness::KeyPress(VK_SHIFT);
  Harness::RunUntilIdle();
  EXPECT_FALSE(HintUp());

  Harness::MouseMove(Probe->Handle(), Point(21, 20));
  Harness::RunUntilIdle();
  Harness::Advance(Clock, Hints().HintPause + 10);
  ASSERT_TRUE(HintUp());
  Harness::MouseMove(Plain->Handle(), Point(5, 5));
  Harness::RunUntilIdle();
  EXPECT_FALSE(HintUp());
  Harness::Advance(Clock, Hints().HintPause * 2);
  EXPECT_FALSE(HintUp());
}

TEST_F(HintsTest, CMHintShowAndOnShowHintMayChangeOrRefuseTheHint) {
  Probe->OnHintShow = [](THintInfo& Info) {
    Info.HintStr = "Changed";
    Info.HideTimeout = 100;
    return LRESULT(0);
  };
  std::string Seen;
  Hints().OnShowHint = [&](std::string& HintStr, bool& CanShow, THintInfo&) {
    Seen = HintStr;
    CanShow = true;
  };
  ASSERT_TRUE(Hints().ActivateHint(OnScreen(Probe, 5, 5)));
  EXPECT_EQ(Seen, "Changed");
  EXPECT_EQ(Hints().HintWindow()->Caption(), "Changed");
  Harness::Advance(Clock, 110);
  EXPECT_FALSE(HintUp());
  // A control that answers CM_HINTSHOW with non-zero, or OnShowHint saying no, shows nothing.
  Probe->OnHintShow = [](THintInfo&) { return LRESULT(1); };
  EXPECT_FALSE(Hints().ActivateHint(OnScreen(Probe, 5, 5)));
  Probe->OnHintShow = nullptr;
  Hints().OnShowHint = [](std::string&, bool& CanShow, THintInfo&) { CanShow = false; };
  EXPECT_FALSE(Hints().ActivateHint(OnScreen(Probe, 5, 5)));
  EXPECT_FALSE(HintUp());
  // ShowHint off: no hint at all.
  Hints().OnShowHint = nullptr;
  Probe->SetShowHint(false);
  EXPECT_FALSE(Hints().ActivateHint(OnScreen(Probe, 5, 5)));
}

TEST_F(HintsTest, CalcHintRectWrapsAtTheMaximumWidth) {
  THintWindow W(nullptr);
  TRect One = W.CalcHintRect(1000, "A short hint", nullptr);
  TRect Long = W.CalcHintRect(1000, "A short hint that is a good deal longer than the first", nullptr);
  EXPECT_GT(Long.Width(), One.Width());
  EXPECT_EQ(Long.Height(), One.Height());
  TRect Wrapped = W.CalcHintRect(80, "A short hint that is a good deal longer than the first", nullptr);
  EXPECT_LE(Wrapped.Width(), 80 + 6);
  EXPECT_GT(Wrapped.Height(), One.Height());
}

}  // namespace

// ---- The tooltip control ----------------------------------------------------------------------------------------

namespace {

// A tool window that records the tooltip's notifications.
class TToolProbe : public TCustomControl {
  Z_CLASS(TToolProbe, TCustomControl)
public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> Notes;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_NOTIFY) {
      auto* H = reinterpret_cast<NMHDR*>(Message.LParam);
      Notes.push_back(H->code == TTN_SHOW ? "show" : H->code == TTN_POP ? "pop" : "?");
      Message.Result = 0;
      return;
    }
    TCustomControl::Dispatch(Message);
  }
};
Z_IMPLEMENT_CLASS(TToolProbe, TCustomControl)

// Forces the tip's position, as a handler of the tip's WM_WINDOWPOSCHANGING that lays it over a text does.
WNDPROC TipPrevious = nullptr;
TPoint ForcedAt{-1, -1};
LRESULT PlacingProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_WINDOWPOSCHANGING && ForcedAt.X >= 0) {
    auto* Pos = reinterpret_cast<WINDOWPOS*>(LParam);
    if (!(Pos->flags & SWP_NOMOVE) || (Pos->flags & SWP_SHOWWINDOW)) {
      Pos->x = ForcedAt.X;
      Pos->y = ForcedAt.Y;
      Pos->flags &= ~SWP_NOMOVE;
    }
  }
  return CallWindowProc(TipPrevious, Wnd, Msg, WParam, LParam);
}

class ToolTips : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(60, 60, 300, 200);
    Tool = new TToolProbe(Form);
    Tool->SetParent(Form);
    Tool->SetBounds(10, 10, 200, 100);
    Form->Show();
    Harness::RunUntilIdle();
    Tip = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, Form->Handle(), 0, nullptr, nullptr);
    ASSERT_NE(Tip, 0u);
    Info.uFlags = TTF_SUBCLASS;
    Info.hwnd = Tool->Handle();
    Info.uId = 1;
    Info.rect = Rect(10, 10, 60, 30);
    Info.lpszText = const_cast<LPSTR>("Hello");
    Previous = GetWindowLongPtr(Tool->Handle(), GWLP_WNDPROC);
    // Start outside the tool: a move to where the pointer already is makes no mouse message.
    Move(150, 80);
    ASSERT_TRUE(SendMessage(Tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&Info)));
  }
  void TearDown() override {
    DestroyWindow(Tip);
    delete Form;
  }
  void Move(int X, int Y) {
    Harness::MouseMove(Tool->Handle(), Point(X, Y));
    Harness::RunUntilIdle();
  }
  bool Up() { return IsWindowVisible(Tip) != FALSE; }
  TManualClock Clock;
  TScopedClock UseClock{Clock};
  TForm* Form = nullptr;
  TToolProbe* Tool = nullptr;
  HWND Tip = 0;
  TOOLINFO Info;
  LONG_PTR Previous = 0;
};

TEST_F(ToolTips, HoveringOverAToolShowsItsTipAfterTheDelayUntilTheMouseLeaves) {
  EXPECT_EQ(SendMessage(Tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), static_cast<LRESULT>(GetDoubleClickTime()));
  Move(20, 20);
  EXPECT_FALSE(Up());
  Harness::Advance(Clock, GetDoubleClickTime() + 1);
  ASSERT_TRUE(Up());
  EXPECT_EQ(GetWindowTextString(Tip), "Hello");
  EXPECT_NE(GetWindowLong(Tip, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  Move(30, 25);  // still inside: it stays
  EXPECT_TRUE(Up());
  Move(100, 80);  // outside the tool's rectangle
  EXPECT_FALSE(Up());
  EXPECT_EQ(Tool->Notes, (std::vector<std::string>{"show", "pop"}));
  // The auto-pop time ends a tip too.
  SendMessage(Tip, TTM_SETDELAYTIME, TTDT_INITIAL, 0);
  SendMessage(Tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 1000);
  Move(20, 20);
  ASSERT_TRUE(Up());
  Harness::Advance(Clock, 1001);
  EXPECT_FALSE(Up());
}

TEST_F(ToolTips, TheTipCanBePlacedExactlyAndWrapsAtTheMaximumWidth) {
  SendMessage(Tip, TTM_SETDELAYTIME, TTDT_INITIAL, 0);
  EXPECT_EQ(SendMessage(Tip, TTM_SETMAXTIPWIDTH, 0, 40), -1);
  EXPECT_EQ(SendMessage(Tip, TTM_SETMAXTIPWIDTH, 0, 40), 40);
  Info.lpszText = const_cast<LPSTR>("A tip text that is much wider than forty pixels");
  SendMessage(Tip, TTM_SETTOOLINFO, 0, reinterpret_cast<LPARAM>(&Info));
  TipPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtr(Tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlacingProc)));
  ForcedAt = Point(123, 77);
  Move(20, 20);
  ASSERT_TRUE(Up());
  TRect R;
  GetWindowRect(Tip, &R);
  EXPECT_EQ(R.Left, 123);
  EXPECT_EQ(R.Top, 77);
  EXPECT_LE(R.Width(), 40 + 12);
  EXPECT_GT(R.Height(), 30);  // wrapped onto several lines
  ForcedAt = Point(-1, -1);
  SetWindowLongPtr(Tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TipPrevious));
}

TEST_F(ToolTips, InactiveTipsShowNothingAndDeletingTheToolUnhooksItsWindow) {
  SendMessage(Tip, TTM_SETDELAYTIME, TTDT_INITIAL, 0);
  SendMessage(Tip, TTM_ACTIVATE, FALSE, 0);
  Move(20, 20);
  EXPECT_FALSE(Up());
  SendMessage(Tip, TTM_ACTIVATE, TRUE, 0);
  Move(21, 20);
  EXPECT_TRUE(Up());
  EXPECT_EQ(SendMessage(Tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  SendMessage(Tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&Info));
  EXPECT_FALSE(Up());
  EXPECT_EQ(SendMessage(Tip, TTM_GETTOOLCOUNT, 0, 0), 0);
  EXPECT_EQ(GetWindowLongPtr(Tool->Handle(), GWLP_WNDPROC), Previous);
}

}  // namespace
