// Hints: the pause before a hint, CM_HINTSHOW and OnShowHint changing or refusing it, hiding on time-out, on a
// key and on leaving the control, and the hint window's size.
#include "platform/controls/Forms.h"
#include "platform/controls/Hints.h"
#include "platform/controls/TestHarness.h"
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
    Probe->ShowHint = true;
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
  Probe->ShowHint = false;
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
