// A shell combo box linked to a real shell list: the user moves the list and the combo box shows the chain down to
// its folder; the user chooses an entry in the combo box and the list shows that folder.
#include "platform/win/Messages.h"
#include "platform/win/VirtualKeys.h"
#include "shell/Uptshellcombo.h"
#include "tests/shell/UptshelllistFixture.h"

#include <string>

namespace {

using namespace ShellListTest;
using ShellComboAndList = ShellListFixture;

// The combo box's selected entry as "indent:caption" (entries get their captions when drawn, as the open list does).
std::string SelectedEntry(TForm* Form, TPTShellCombo* Combo) {
  const int I = Combo->ItemIndex();
  if (I < 0) {
    return {};
  }
  TBitmap Bmp;
  Bmp.SetSize(300, 18);
  DRAWITEMSTRUCT D{};
  D.CtlType = ODT_COMBOBOX;
  D.itemID = static_cast<UINT>(I);
  D.hwndItem = Combo->Handle();
  D.hDC = Bmp.Canvas()->Handle();
  D.rcItem = Rect(0, 0, 300, 18);
  SendMessage(Form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&D));
  TPTImageComboItem* Item = Combo->GetImageComboItem(I);
  return std::to_string(Item->Indent()) + ":" + Item->Caption();
}

TEST_F(ShellComboAndList, TheComboFollowsTheListAndTheListFollowsTheCombo) {
  auto* Combo = TestSupport::Make<TPTShellCombo>(Form, Form, Rect(0, 364, 300, 388));
  Harness::RunUntilIdle();
  Combo->SetShellList(List);
  ASSERT_EQ(Combo->ShellList(), static_cast<TPTShellListLink*>(List));

  // The list moves: the combo box selects the same folder, indented under the desktop and the home folder.
  Open("docs");
  Harness::RunUntilIdle();
  EXPECT_EQ(Combo->GetSelectedFolder()->GetPathName(), Home / "docs");
  EXPECT_EQ(SelectedEntry(Form, Combo), "2:docs");

  // The user opens a folder in the list with a double click, then goes back up with Backspace.
  List->SetFocus();
  const TRect R = ItemNamed(List, "sub")->DisplayRect(drLabel);
  Harness::DoubleClick(List->Handle(), Point(R.Left + 4, (R.Top + R.Bottom) / 2));
  Harness::RunUntilIdle();
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs/sub");
  EXPECT_EQ(SelectedEntry(Form, Combo), "3:sub");
  Harness::KeyPress(VK_BACK);
  Harness::RunUntilIdle();
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs");
  EXPECT_EQ(SelectedEntry(Form, Combo), "2:docs");

  // The user chooses the home folder's entry in the combo box: the list shows the home folder.
  int HomeEntry = -1;
  for (int I = 0; I < Combo->ItemCount() && HomeEntry < 0; ++I) {
    Combo->SetItemIndex(I);
    if (SelectedEntry(Form, Combo) == "1:Home") {
      HomeEntry = I;
    }
  }
  ASSERT_GE(HomeEntry, 0);
  const auto Box = static_cast<LPARAM>(Combo->Handle());
  SendMessage(Form->Handle(), WM_COMMAND, static_cast<WPARAM>(CBN_SELENDOK) << 16, Box);
  SendMessage(Form->Handle(), WM_COMMAND, static_cast<WPARAM>(CBN_CLOSEUP) << 16, Box);
  Harness::RunUntilIdle();
  EXPECT_EQ(List->Folder()->GetPathName(), Home.Path());
  EXPECT_NE(ItemNamed(List, "docs"), nullptr);

  // A list that goes away is forgotten by the combo box.
  delete List;
  List = nullptr;
  EXPECT_EQ(Combo->ShellList(), nullptr);
}

}  // namespace
