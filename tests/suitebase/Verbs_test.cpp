// The verb dispatcher through the harness: menu items, speed buttons and buttons kept in step with their verbs.
#include "platform/controls/Buttons.h"
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"
#include "suitebase/Notifiers.h"
#include "suitebase/Verbs.h"
#include "tests/support/Forms.h"

using namespace Dccommon;

namespace {

Dorazori::TVerbStates SaveState{Dorazori::vsVisible, Dorazori::vsEnabled};
int SaveRuns = 0;
int UpdateCountSeen = -1;
void SaveGetState(Dorazori::TVerbStates& State) { State = SaveState; }
void SaveExecute() {
  ++SaveRuns;
  UpdateCountSeen = Dorazori::IDEUpdateCount();
}

class VerbsTest : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    static const bool Registered = [] {
      Dorazori::RegisterVerb("File.Save", &SaveGetState, &SaveExecute);
      return true;
    }();
    (void)Registered;
    SaveState = Dorazori::TVerbStates{Dorazori::vsVisible, Dorazori::vsEnabled};
    SaveRuns = 0;
    Dispatcher = TestSupport::Make<TVerbDispatcher>(Form);
    Item = new TMenuItem(Form);
    Speed = TestSupport::Make<TSpeedButton>(Form, Form, TRect{0, 0, 20, 20});
    Button = TestSupport::Make<TButton>(Form, Form, TRect{30, 0, 100, 25});
    Label = TestSupport::Make<TLabel>(Form, Form, TRect{0, 40, 100, 60});
    for (TComponent* C : std::initializer_list<TComponent*>{Item, Speed, Button, Label}) {
      TVerbListItem* V = Dispatcher->VerbList()->Add();
      V->SetVerbComp(C);
      V->SetVerbName("  File.Save ");
    }
    Form->Show();
    Harness::RunUntilIdle();
  }
  TVerbDispatcher* Dispatcher = nullptr;
  TMenuItem* Item = nullptr;
  TSpeedButton* Speed = nullptr;
  TButton* Button = nullptr;
  TLabel* Label = nullptr;
};

TEST_F(VerbsTest, ControlsFollowTheVerbsStateOnEveryChangeNotice) {
  EXPECT_EQ(Dispatcher->VerbList()->Items(0)->VerbName(), "File.Save");  // trimmed, and bound
  EXPECT_TRUE(Item->OnClick());
  EXPECT_TRUE(Button->OnClick);
  EXPECT_FALSE(Label->OnClick);  // no assign procedure: never touched
  SaveState = Dorazori::TVerbStates{Dorazori::vsVisible, Dorazori::vsChecked};
  Dorazori::BroadCastToNotifiers(nullptr, Dorazori::SM_IDECHANGED, 0, 0);
  EXPECT_FALSE(Item->Enabled());
  EXPECT_TRUE(Item->Checked());
  EXPECT_FALSE(Speed->Enabled());
  EXPECT_FALSE(Button->Enabled());
  SaveState = Dorazori::TVerbStates{Dorazori::vsEnabled};
  Dorazori::BroadCastToNotifiers(nullptr, SM_PROPCHANGED, 0, 0);
  EXPECT_FALSE(Item->Visible());
  EXPECT_FALSE(Button->Visible());
  EXPECT_TRUE(Button->Enabled());
  EXPECT_TRUE(Label->Visible());
}

TEST_F(VerbsTest, AClickRunsTheVerbInsideTheUpdateBracket) {
  Harness::Click(Button->Handle(), TPoint{5, 5});
  Harness::RunUntilIdle();
  EXPECT_EQ(SaveRuns, 1);
  EXPECT_EQ(UpdateCountSeen, 1);
  EXPECT_EQ(Dorazori::IDEUpdateCount(), 0);
  Item->Click();
  EXPECT_EQ(SaveRuns, 2);
}

TEST_F(VerbsTest, FreeingTheButtonUnbindsAndFreeingAnItemClearsTheClick) {
  delete Button;
  EXPECT_EQ(Dispatcher->VerbList()->Items(2)->VerbComp(), nullptr);
  Dorazori::BroadCastToNotifiers(nullptr, Dorazori::SM_IDECHANGED, 0, 0);  // nothing touches the freed button
  delete Dispatcher->VerbList()->Items(0);
  EXPECT_FALSE(Item->OnClick());
}

}  // namespace
