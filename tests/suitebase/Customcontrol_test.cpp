// The keyboard-driven control base through real key input: key map, sequences, layouts and dialog keys.
#include "platform/controls/StdCtrls.h"
#include "platform/win/VirtualKeys.h"
#include "suitebase/Customcontrol.h"
#include "tests/support/Forms.h"

using namespace Dccommon;
using Dorazori::TKeyboardMethod;

namespace {

class TKeyControl : public ZEZCustomControl {
  Z_CLASS(TKeyControl, ZEZCustomControl)
public:
  explicit TKeyControl(TComponent* AOwner) : ZEZCustomControl(AOwner) { TabStop = true; }
  using ZEZCustomControl::SetDesigning;
  std::string Typed;
  std::vector<std::string> Actions;
  int DefaultFills = 0;
  void Bold() { Actions.push_back("bold"); }
  void NextPage() { Actions.push_back("next-page"); }

protected:
  void InitDefaultKeyMapping() override {
    ++DefaultFills;
    KeyList()->AddKey('K', TShiftState{ssCtrl}, {}, 0, 1);  // opens a sequence, no action
    KeyList()->AddKey('B', TShiftState{}, TKeyboardMethod::Of<&TKeyControl::Bold>(this), 1, 0);
    KeyList()->AddSimpleKey(VK_TAB, TShiftState{}, TKeyboardMethod::Of<&TKeyControl::NextPage>(this));
  }
  bool InsertChar(char Ch) override {
    Typed += Ch;
    return true;
  }
};
Z_IMPLEMENT_CLASS(TKeyControl, ZEZCustomControl)

int BriefFills = 0;
void BriefLayout(TObject* Control) {
  ++BriefFills;
  static_cast<TKeyControl*>(Control)->KeyList()->AddSimpleKey('Q', TShiftState{ssCtrl}, {});
}

class CustomControlTest : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    Control = TestSupport::Make<TKeyControl>(Form, Form, TRect{10, 10, 110, 60});
    Other = TestSupport::Make<TEdit>(Form, Form, TRect{10, 80, 110, 100});
    Form->Show();
    Control->SetFocus();
    Harness::RunUntilIdle();
  }
  void Press(WORD Vk, Harness::TMods Mods = {}) {
    Harness::KeyPress(Vk, Mods);
    Harness::RunUntilIdle();
  }
  TKeyControl* Control = nullptr;
  TEdit* Other = nullptr;
};

TEST_F(CustomControlTest, ATwoKeySequenceRunsItsActionAndTypesNothing) {
  EXPECT_EQ(Control->DefaultFills, 1);
  Press('K', {.Ctrl = true});
  EXPECT_EQ(Control->KeyState(), 1);
  Press('B');
  EXPECT_EQ(Control->Actions, std::vector<std::string>{"bold"});
  EXPECT_EQ(Control->Typed, "");
  EXPECT_EQ(Control->KeyState(), 0);
  Harness::TypeText("b");
  Harness::RunUntilIdle();
  EXPECT_EQ(Control->Typed, "b");  // in state 0 the same key is typed
}

TEST_F(CustomControlTest, AnUnboundSecondKeyResetsTheStateAndIsTyped) {
  Press('K', {.Ctrl = true});
  Harness::TypeText("x");
  Harness::RunUntilIdle();
  EXPECT_EQ(Control->KeyState(), 0);
  EXPECT_EQ(Control->Typed, "x");
  EXPECT_TRUE(Control->Actions.empty());
}

TEST_F(CustomControlTest, TabNavigatesButCtrlTabReachesTheKeyMap) {
  Press(VK_TAB, {.Ctrl = true});
  EXPECT_EQ(Control->Actions, std::vector<std::string>{"next-page"});
  EXPECT_TRUE(Control->Focused());
  Press(VK_TAB);
  EXPECT_EQ(Control->Actions.size(), 1u);
  EXPECT_TRUE(Other->Focused());
}

TEST_F(CustomControlTest, LayoutsRebuildOnlyOnAChangeAndFallBackToTheDefault) {
  Dorazori::RegisterKeyboardInitProc(TKeyControl::StaticClass(), "Brief", &BriefLayout);
  Control->SetKeyMapping("Default");
  EXPECT_EQ(Control->KeyMappingUpdates(), 1);
  Control->SetKeyMapping("Brief");
  EXPECT_EQ(BriefFills, 1);
  EXPECT_EQ(Control->KeyList()->Count(), 1);
  Control->SetKeyMapping("Brief");
  EXPECT_EQ(BriefFills, 1);
  Control->SetKeyMapping("Nobody's");
  EXPECT_EQ(Control->DefaultFills, 2);
  EXPECT_EQ(Control->KeyList()->Count(), 3);
}

TEST_F(CustomControlTest, InDesignModeNoKeyReachesTheMapOrTheCharacterHook) {
  Control->SetDesigning(true);
  Press('K', {.Ctrl = true});
  Harness::TypeText("z");
  Harness::RunUntilIdle();
  EXPECT_EQ(Control->KeyState(), 0);
  EXPECT_EQ(Control->Typed, "");
}

TEST_F(CustomControlTest, DialogCodes) {
  EXPECT_EQ(Control->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS);
  Control->WantTabs = true;
  Control->WantReturns = false;
  EXPECT_EQ(Control->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
}

}  // namespace
