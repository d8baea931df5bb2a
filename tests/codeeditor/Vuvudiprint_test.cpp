// The code editor's print dialog: its texts, the options it shows and the options OK gives back.
#include "codeeditor/Vuvudipr.h"
#include "treeview/Vuvudipg.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/Forms.h"

#include <memory>

using namespace Vuvudi;
using Vuvudipr::TMemoPrintForm;

namespace {

class PrintDialog : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    Harness::Start();
    Form.reset(static_cast<TMemoPrintForm*>(TMemoPrintForm::StaticClass()->NewInstance(Application)));
  }
  void TearDown() override {
    Form.reset();
    SuiteFolders::TearDown();
  }
  std::unique_ptr<TMemoPrintForm> Form;
};

TEST_F(PrintDialog, ShowsTheOptionsAndOkRebuildsThemFromTheSevenBoxes) {
  EXPECT_EQ(Form->Caption(), "Print");
  EXPECT_EQ(Form->ClientWidth(), 425);
  EXPECT_EQ(Form->ClientHeight(), 249);
  EXPECT_EQ(Form->WrapLinesCheck->Caption(), "&Wrap lines");
  EXPECT_EQ(Form->LeftMarginEdit->Text(), "");
  // Without the help button Setup takes OK's place and the standard buttons move right.
  EXPECT_FALSE(Form->HelpBut->Visible());
  EXPECT_EQ(Form->SetupBut->Left(), 184);

  Form->Options = ZEZPrintOptions{poPrintHeader, poInColor, poWrapLines};
  Form->FormShow(Form.get());
  EXPECT_TRUE(Form->HeaderCheck->Checked());
  EXPECT_TRUE(Form->UseColorCheck->Checked());
  EXPECT_TRUE(Form->WrapLinesCheck->Checked());
  EXPECT_FALSE(Form->LineNumbersCheck->Checked());
  EXPECT_FALSE(Form->SyntaxPrintCheck->Checked());
  EXPECT_FALSE(Form->ShowPrintProgress->Checked());

  Form->HeaderCheck->SetChecked(false);
  Form->LineNumbersCheck->SetChecked(true);
  Form->PrintSelCheck->SetChecked(true);
  Form->OkButClick(Form->OkBut);
  EXPECT_EQ(Form->Options, (ZEZPrintOptions{poPrintSel, poLineNumbers, poInColor, poWrapLines}));

  Form->PrintSelCheckChange(Form->PrintSelCheck);
  EXPECT_EQ(Form->Caption(), "Print Selection");
  Form->PrintSelCheck->SetChecked(false);
  Form->PrintSelCheckChange(Form->PrintSelCheck);
  EXPECT_EQ(Form->Caption(), "Print");
}

}  // namespace

namespace {

TEST_F(PrintDialog, ProgressWindowStacksItsWordWrappingLabelsInOnePanel) {
  std::unique_ptr<TMemoPrintProgress> P(
      static_cast<TMemoPrintProgress*>(TMemoPrintProgress::StaticClass()->NewInstance(Application)));
  ASSERT_NE(P->pnlInfo, nullptr);
  EXPECT_EQ(P->ClientWidth(), 353);
  EXPECT_EQ(P->ClientHeight(), 129);
  for (TLabel* L : {P->lblPrinter, P->lblFileName, P->lblProgress}) {
    EXPECT_EQ(L->Parent(), P->pnlInfo) << L->Name();
    EXPECT_EQ(L->Align(), alTop) << L->Name();
    EXPECT_TRUE(L->WordWrap()) << L->Name();
  }
  P->lblFileName->SetCaption(std::string(12, ' ') + std::string(40, 'x') + " " + std::string(40, 'y') + " " +
                             std::string(40, 'z') + " " + std::string(40, 'w'));
  P->Show();
  Harness::RunUntilIdle();
  EXPECT_LT(P->lblPrinter->Top(), P->lblFileName->Top());
  EXPECT_LT(P->lblFileName->Top(), P->lblProgress->Top());
  // A long name takes more than one line and pushes the progress line down.
  EXPECT_GT(P->lblProgress->Top() - P->lblFileName->Top(), P->lblPrinter->Height());
}

}  // namespace
