// The code editor's print dialog: its texts, the options it shows and the options OK gives back.
#include "codeeditor/Vuvudipr.h"
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
