// The history combo box and the input line and reader-error dialogs, driven as a user would.
#include "platform/classes/ClassRegistry.h"
#include "platform/controls/StdCtrls.h"
#include "platform/win/VirtualKeys.h"
#include "suitebase/Compfiler.h"
#include "suitebase/Dcinpfrm.h"
#include "suitebase/Histed.h"
#include "suitebase/Regstore.h"
#include "suitebase/Rerrdlg.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/Forms.h"
#include "tests/support/ModalWindowDriver.h"
#include "tests/support/UnitsEnvironment.h"

using TestSupport::TModalWindowDriver;

namespace {

class SuiteDialogsTest : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    Harness::Start();
  }
  TForm* MakeForm(const std::string& Name) {
    auto* F = TestSupport::Make<TForm>(Application);
    F->SetName(Name);
    F->SetBounds(50, 50, 300, 200);
    return F;
  }
  Histed::ZEZHistoryEditor* MakeCombo(TForm* F, const std::string& Name, int Top) {
    auto* C = TestSupport::Make<Histed::ZEZHistoryEditor>(F, F, TRect{10, Top, 200, Top + 21});
    C->SetName(Name);
    return C;
  }
  static void Enter(Histed::ZEZHistoryEditor* C, const std::string& Text) {
    C->SetFocus();
    C->SetText(Text);
    Harness::KeyPress(VK_RETURN);
    Harness::RunUntilIdle();
  }
};

TEST_F(SuiteDialogsTest, HistoriesMoveRepeatsToTheTopAndSurviveNewWindowsAndForms) {
  TForm* F = MakeForm("Finder");
  auto* A = MakeCombo(F, "FindText", 10);
  auto* B = MakeCombo(F, "ReplaceText", 40);
  F->Show();
  Enter(A, "alpha");
  Enter(A, "beta");
  Enter(A, "");
  Enter(A, "ALPHA");
  Enter(B, "other");
  EXPECT_EQ(A->Items()->CommaText(), "ALPHA,beta");
  EXPECT_EQ(A->HistoryPath(), "EditHistory\\FinderFindText");
  A->DestroyHandle();
  A->HandleNeeded();
  EXPECT_EQ(A->Items()->CommaText(), "ALPHA,beta");
  delete F;
  TForm* G = MakeForm("Finder");
  auto* A2 = MakeCombo(G, "FindText", 10);
  auto* B2 = MakeCombo(G, "ReplaceText", 40);
  G->Show();
  EXPECT_EQ(A2->Items()->CommaText(), "ALPHA,beta");
  EXPECT_EQ(B2->Items()->CommaText(), "other");
  delete G;
  Histed::ZEZHistoryEditor Lonely(nullptr);
  EXPECT_EQ(Lonely.HistoryPath(), "EditHistory\\Default");
}

TEST_F(SuiteDialogsTest, ScaleFactorsAndStrings) {
  double Factor = 0;
  TModalWindowDriver Default("Scale", [](TForm& F) { TModalWindowDriver::Press(F, "OkBut"); });
  Default.Arm();
  EXPECT_TRUE(Dcinpfrm::ReadScaleFactor(Factor));
  EXPECT_TRUE(Default.Driven());
  EXPECT_DOUBLE_EQ(Factor, 1.0);
  TModalWindowDriver Typed("Scale", [](TForm& F) {
    TModalWindowDriver::Find<TEdit>(F, "PropEdit")->SetText("250");
    TModalWindowDriver::Press(F, "OkBut");
  });
  Typed.Arm();
  EXPECT_TRUE(Dcinpfrm::ReadScaleFactor(Factor));
  EXPECT_DOUBLE_EQ(Factor, 2.5);
  TModalWindowDriver Cancelled("Scale", [](TForm& F) { TModalWindowDriver::Press(F, "CancelBut"); });
  Cancelled.Arm();
  EXPECT_FALSE(Dcinpfrm::ReadScaleFactor(Factor));
  EXPECT_DOUBLE_EQ(Factor, 1.0);
  std::string Value = "kept";
  TModalWindowDriver Name("Name", [](TForm& F) {
    TModalWindowDriver::Find<TEdit>(F, "PropEdit")->SetText("changed");
    TModalWindowDriver::Press(F, "CancelBut");
  });
  Name.Arm();
  EXPECT_FALSE(Dcinpfrm::ReadString("Name", "&Name:", 0, Value));
  EXPECT_EQ(Value, "kept");
}

TEST_F(SuiteDialogsTest, AReaderErrorAsksOnceUntilIgnoreAll) {
  RegisterClasses({TEdit::StaticClass()});
  // Installed by the unit's initialisation.
  ASSERT_TRUE(Dccommon::ReaderErrorHandler);
  EXPECT_EQ(*Dccommon::ReaderErrorHandler.target<void (*)(const std::string&, bool&, bool&)>(),
            &Rerrdlg::ReaderErrorHandler);
  const std::string Bad = "object Main: TMain\n  Bogus = 1\n  object E: TEdit\n    Nonsense = 2\n  end\nend\n";
  TStringStream S(Bad);
  std::string Shown;
  TModalWindowDriver Driver("Error Reading Form", [&](TForm& F) {
    Shown = TModalWindowDriver::Find<TLabel>(F, "LerrMess")->Caption();
    TModalWindowDriver::Press(F, "IgnoreAllButton");
  });
  Driver.Arm();
  Dccommon::TCompFiler Filer;
  std::unique_ptr<TComponent> Root(Filer.CreateFromStream(&S, TForm::StaticClass(), false));
  EXPECT_TRUE(Driver.Driven());
  EXPECT_NE(Shown.find("Bogus"), std::string::npos);
  EXPECT_NE(Shown.find("Ignore the error and continue?"), std::string::npos);
  EXPECT_TRUE(Filer.IgnoreAllErrors);
  EXPECT_EQ(Screen->FormCount(), 1);  // the dialog is gone; the loaded form stays
}

}  // namespace
