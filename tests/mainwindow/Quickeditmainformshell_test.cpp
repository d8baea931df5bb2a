// The main window's shell panes and Opened list: opening files from a list, the filter boxes, the commands that
// act on the Shell page shown, the Opened page's commands, and the open and save dialogs' own view settings.
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"
#include "core/Prgclass.h"

#include "platform/controls/Menus.h"
#include "platform/controls/TestHarness.h"
#include "shell/Uptopendlg.h"
#include "tests/shell/ShellTestHome.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

class MainFormShellTest : public MainFormTest {
protected:
  // The shell panes show the home folder's files.
  ShellTest::THome Home;
  std::string Files;

  void SetUp() override {
    MainFormTest::SetUp();
    ASSERT_EQ(Form->UpdateTabControls(), 0);
    Form->Show();
    Files = Home / "files";
    std::filesystem::create_directories(Files + "/inner");
    for (const char* Name : {"a.html", "b.html", "c.html"}) {
      std::ofstream(Files + "/" + Name) << "<p>" << Name << "</p>\n";
    }
  }

  Strings DocumentNames() {
    Strings Out;
    PointerArrayManager* Documents = prg->volatileState->documents;
    for (int I = 0; I < Documents->getCount(); ++I) {
      Out.emplace_back(static_cast<fileinfoclass*>(Documents->getPointer(I))->GetName(NAME_FILE_PART));
    }
    return Out;
  }

  // Shows a folder in a Shell page's list.
  void ShowFolder(TPTShellTree* Tree, TPTShellList* List, const std::string& Folder) {
    Tree->SetSelectedPathName(Folder);
    ASSERT_TRUE(Harness::RunUntil([&] { return List->Items()->Count() >= 3; }, 5000));
  }

  TListItem* ItemNamed(TPTShellList* List, const std::string& Name) {
    for (int I = 0; I < List->Items()->Count(); ++I) {
      TPTShListData* Data = List->GetDataFromItem(List->Items()->Item(I));
      if (Data != nullptr && Data->GetFilename() == Name) {
        return List->Items()->Item(I);
      }
    }
    return nullptr;
  }

  void ShowPage(TTabSheet* Page) {
    Form->ResourcePageControl->SetActivePage(Page);
    Form->ResourcePageControlChange(Form->ResourcePageControl);
  }
};

TEST_F(MainFormShellTest, DoubleClickOpensEverySelectedFileInListOrder) {
  ShowFolder(Form->ShellTree, Form->ShellList, Files);
  for (const char* Name : {"c.html", "a.html", "b.html"}) {
    TListItem* Item = ItemNamed(Form->ShellList, Name);
    ASSERT_NE(Item, nullptr) << Name;
    Item->SetSelected(true);
  }
  bool Handled = false;
  Form->ShellListDblClickOpen(Form->ShellList, Handled);
  EXPECT_TRUE(Handled);
  EXPECT_EQ(DocumentNames(), (Strings{"a.html", "b.html", "c.html"}));
}

// Entries whose filter cannot be read change neither the list's filter nor the stored choice.
TEST_F(MainFormShellTest, FilterEntriesApplyOnlyWithTheirParentheses) {
  struct Case {
    const char* Entry;
    const char* Filter;  // null: unchanged
  };
  const Case Cases[] = {{"HTML Documents (*.htm;*.html)", "*.htm;*.html"},
                        {"Style Sheets ( *.css) ", "*.css"},
                        {"No Filter Here", nullptr},
                        {"Open Only (*.txt", nullptr},
                        {"Closed Later (*.js) trailing", nullptr}};
  TComboBox* Combo = Form->ShellListFileFilterCombo2;
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Entry);
    Form->ShellList2->SetFileFilter("*.keep");
    prg->interface->shellListFileFilter2 = 7;
    Combo->Items()->Add(C.Entry);
    Combo->SetItemIndex(Combo->Items()->Count() - 1);
    Combo->SetText(C.Entry);
    Form->ShellListFileFilterComboChange(Combo);
    if (C.Filter != nullptr) {
      EXPECT_EQ(Form->ShellList2->FileFilter(), C.Filter);
      EXPECT_EQ(prg->interface->shellListFileFilter2, Combo->Items()->Count() - 1);
    } else {
      EXPECT_EQ(Form->ShellList2->FileFilter(), "*.keep");
      EXPECT_EQ(prg->interface->shellListFileFilter2, 7);
    }
  }
}

TEST_F(MainFormShellTest, FilterBoxesAreFilledFromTheStoredList) {
  ASSERT_GT(prg->interface->fileFilters.getCount(), 0);
  ASSERT_EQ(Form->FillFileFilterCombos(0), 0);
  for (TComboBox* Combo : {Form->ShellListFileFilterCombo, Form->ShellListFileFilterCombo2}) {
    EXPECT_EQ(Combo->Items()->Count(), prg->interface->fileFilters.getCount());
    EXPECT_EQ(Combo->Text(), prg->interface->fileFilters.getString(0));
  }
}

TEST_F(MainFormShellTest, UpAndNewFolderActOnTheShellPageShown) {
  ShowFolder(Form->ShellTree, Form->ShellList, Files);
  ShowPage(Form->ShellTabSheet2);
  ShowFolder(Form->ShellTree2, Form->ShellList2, Files);
  EXPECT_TRUE(Form->ShellGoUpBtn->Enabled());
  EXPECT_EQ(Form->GetActiveShellTree(1), Form->ShellTree2);
  EXPECT_EQ(Form->GetActiveShellTree(0), nullptr);
  Form->ShellGoUpBtnClick(Form->ShellGoUpBtn);
  EXPECT_EQ(Form->ShellTree2->GetSelectedPathName(), Home.Path());
  EXPECT_EQ(Form->ShellTree->GetSelectedPathName(), Files);

  ShowPage(Form->ShellTabSheet);
  EXPECT_EQ(Form->GetActiveShellTree(1), Form->ShellTree);
  const int Before = Form->ShellList->Items()->Count();
  Form->ShellListNewFolderClick(nullptr);
  Harness::RunUntil([&] { return Form->ShellList->IsEditing(); }, 2000);
  if (Form->ShellList->IsEditing()) {
    Harness::KeyPress(VK_RETURN);
  }
  ASSERT_TRUE(Harness::RunUntil([&] { return Form->ShellList->Items()->Count() == Before + 1; }, 5000));
  int Folders = 0;
  for (const auto& Entry : std::filesystem::directory_iterator(Files)) {
    Folders += Entry.is_directory() ? 1 : 0;
  }
  EXPECT_EQ(Folders, 2);

  ShowPage(Form->OpenedTabSheet);
  EXPECT_FALSE(Form->ShellGoUpBtn->Enabled());
  Form->ShellGoUpBtnClick(Form->ShellGoUpBtn);
  Form->ShellListNewFolderClick(nullptr);
  EXPECT_EQ(Form->ShellTree->GetSelectedPathName(), Files);
  EXPECT_EQ(Form->ShellTree2->GetSelectedPathName(), Home.Path());
}

TEST_F(MainFormShellTest, OpenedPageSelectsSortsAndRefreshes) {
  for (const char* Name : {"b.html", "a.html"}) {
    ASSERT_EQ(Form->AddNewFileTab(nullptr, (Files + "/" + Name).c_str(), 0, nullptr), 0);
  }
  ShowPage(Form->OpenedTabSheet);
  ASSERT_EQ(Form->RefillOpenedList(1), 0);
  TListItems* Rows = Form->OpenedListView->Items();
  ASSERT_EQ(Rows->Count(), 2);
  auto RowNames = [&] {
    Strings Out;
    for (int I = 0; I < Rows->Count(); ++I) {
      Out.emplace_back(static_cast<fileinfoclass*>(Rows->Item(I)->Data)->GetName(NAME_FILE_PART));
    }
    return Out;
  };
  const Strings First = RowNames();
  Form->OpenedListViewColumnClick(Form->OpenedListView, Form->OpenedListView->Columns()->Items(0));
  const Strings Second = RowNames();
  EXPECT_EQ(Second, (Strings{First[1], First[0]}));  // the name column again turns the order round

  // A click selects the row's document.
  fileinfoclass* Wanted = static_cast<fileinfoclass*>(Rows->Item(0)->Data);
  if (Form->GetCurrentFile() == Wanted) {
    Wanted = static_cast<fileinfoclass*>(Rows->Item(1)->Data);
  }
  for (int I = 0; I < Rows->Count(); ++I) {
    Rows->Item(I)->SetSelected(Rows->Item(I)->Data == Wanted);
  }
  Form->OpenedListViewClick(Form->OpenedListView);
  EXPECT_EQ(Form->GetCurrentFile(), Wanted);
  EXPECT_FALSE(Form->SelectingFromOpenedList);

  Rows->Clear();
  Form->OpenedRefreshClick(nullptr);
  EXPECT_EQ(Rows->Count(), 2);
}

// Each dialog keeps its own view style and sort column from one showing to the next.
TEST_F(MainFormShellTest, DialogsKeepTheirOwnViewSettings) {
  prg->interface->openDialogViewStyle = 3;
  prg->interface->openDialogSortColumn = 2;
  prg->interface->saveDialogViewStyle = 1;
  prg->interface->saveDialogSortColumn = -1;
  auto* Window = new TPTFrmOpenDlg(Application);
  Window->AfterConstruction();
  Form->PTOpenDialogFormShow(Window);
  EXPECT_EQ(Window->PTShellList1->ViewStyle(), vsReport);
  EXPECT_TRUE(Window->DetailsItem->Checked());
  EXPECT_EQ(Window->PTShellList1->SortColumn(), 2);
  Window->PTShellList1->SetViewStyle(vsList);
  Window->PTShellList1->SetSortColumn(-3);
  Form->PTOpenDialogFormClose(Window);
  EXPECT_EQ(prg->interface->openDialogViewStyle, 2);
  EXPECT_EQ(prg->interface->openDialogSortColumn, -3);
  delete Window;

  Window = new TPTFrmOpenDlg(Application);
  Window->AfterConstruction();
  Form->PTSaveDialogFormShow(Window);
  EXPECT_EQ(Window->PTShellList1->ViewStyle(), vsSmallIcon);
  EXPECT_EQ(Window->PTShellList1->SortColumn(), -1);
  Form->PTSaveDialogFormClose(Window);
  EXPECT_EQ(prg->interface->saveDialogViewStyle, 1);
  EXPECT_EQ(prg->interface->openDialogViewStyle, 2);
  delete Window;
}

}  // namespace
