// The file-name and folder edits: their dialogs (answered by script) and files dropped on them.
#include "platform/win/MessageBox.h"
#include "platform/classes/DesignHooks.h"
#include "suitebase/Dcfileedit.h"
#include "suitebase/Histed.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/Forms.h"
#include "tests/support/UnitsEnvironment.h"

#include <filesystem>

using namespace Dcedit;

namespace {

class FileEditTest : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    Harness::Start();
    Form = TestSupport::Make<TForm>(Application);
    Form->SetBounds(40, 40, 400, 200);
    Files = TestSupport::Make<ZEZFileNameEdit>(Form, Form, TRect{10, 10, 300, 31});
    Dirs = TestSupport::Make<ZEZDirectoryEdit>(Form, Form, TRect{10, 50, 300, 71});
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    delete Form;
    SuiteFolders::TearDown();
  }
  TForm* Form = nullptr;
  ZEZFileNameEdit* Files = nullptr;
  ZEZDirectoryEdit* Dirs = nullptr;
};

TEST_F(FileEditTest, FoldersChosenInTurnMakeAListAndTheNextDialogStartsAtTheLast) {
  Dirs->MultipleDirs = true;
  const std::string First = Temp / "home";
  const std::string Second = Temp / "temp";
  Scripted.QueueAnswer(IDOK, First);
  Dirs->Button1()->Button()->Click();
  Scripted.QueueAnswer(IDOK, Second);
  Dirs->Button1()->Button()->Click();
  EXPECT_EQ(Dirs->GetText(), First + ";" + Second);
  Scripted.QueueAnswer(IDCANCEL);
  Dirs->Button1()->Button()->Click();
  const auto Shown = Scripted.Shown();
  ASSERT_EQ(Shown.size(), 3u);
  EXPECT_EQ(Shown[2].Caption, "Select Directory");
  EXPECT_EQ(Shown[2].Params.at("Selection"), Second);
  EXPECT_EQ(Dirs->GetText(), First + ";" + Second);
}

TEST_F(FileEditTest, TheFileDialogGivesItsChoice) {
  Files->Filter = "Text (*.txt)|*.txt";
  Files->SetText("old.txt");
  Scripted.QueueAnswer(IDOK, Temp / "new.txt");
  Files->Button1()->Button()->Click();
  EXPECT_EQ(Files->FileName(), Temp / "new.txt");
  Scripted.QueueAnswer(IDCANCEL);
  Files->Button1()->Button()->Click();
  EXPECT_EQ(Files->FileName(), Temp / "new.txt");
}

TEST_F(FileEditTest, DroppedFilesGiveTheFirstFileOrTheFolder) {
  const std::string A = Temp / "home/a.txt";
  const std::string B = Temp / "home/b.txt";
  WriteFile(A, "a");
  WriteFile(B, "b");
  Files->SetAcceptFiles(true);
  Dirs->SetAcceptFiles(true);
  int Drops = 0;
  Dirs->OnDropFiles = [&](TObject*) { ++Drops; };
  Harness::DropFiles(Files->Handle(), TPoint{5, 5}, {A, B});
  Harness::RunUntilIdle();
  EXPECT_EQ(Files->GetText(), A);
  Harness::DropFiles(Dirs->Handle(), TPoint{5, 5}, {A});
  Harness::RunUntilIdle();
  EXPECT_EQ(Dirs->GetText(), (Temp / "home") + "/");
  EXPECT_EQ(Drops, 1);
}

}  // namespace

namespace {

// The design-time registrations go to the palette page "Nimbra Edit", and only when components can be registered.
TEST(EditRegistrations, TheEditsAndTheHistoryComboGoOnTheirPalettePage) {
  const TRegisterComponentsProc Saved = RegisterComponentsProc;
  RegisterComponentsProc = nullptr;
  const Integer Before = Dorazori::ClassItems()->Count();
  Dcedit::Register();
  Histed::Register();
  EXPECT_EQ(Dorazori::ClassItems()->Count(), Before);

  Dorazori::InstallRegistrationHooks();
  Dcedit::Register();
  Histed::Register();
  std::vector<std::string> OnPage;
  for (Integer I = 0; I < Dorazori::ClassItems()->Count(); ++I) {
    const Dorazori::TClassItem* Item = Dorazori::ClassItems()->Items(I);
    if (Item->Page == "Nimbra Edit") {
      OnPage.push_back(Item->ItemClass->ClassName());
    }
  }
  EXPECT_EQ(OnPage, (std::vector<std::string>{"ZEZEdit", "ZEZColorEdit", "ZEZPenStyleEdit", "ZEZBrushStyleEdit",
                                              "ZEZFileNameEdit", "ZEZDirectoryEdit", "ZEZHistoryEditor"}));
  Dorazori::RemoveRegistrationHooks();
  RegisterComponentsProc = Saved;
}

}  // namespace
