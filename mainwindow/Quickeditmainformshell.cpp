// The main window's shell panes, the Opened list's commands and the view settings of the open and save dialogs.
#include "mainwindow/Quickeditmainform.h"

#include "core/Fileinfoclass.h"
#include "core/Mainsetup.h"
#include "core/Prgclass.h"
#include "core/Stringarraystore.h"
#include "core/Volatileclass.h"

#include "platform/controls/Menus.h"
#include "platform/rtl/SysUtils.h"
#include "shell/Uptopendlg.h"

#include <string>
#include <vector>

namespace {

// Flags of FillFileFilterCombos and GetActiveShellTree.
constexpr int FILTERS_ALREADY_LOADED = 0x1;
constexpr int SHELL_TREE_OF_ACTIVE_PAGE = 0x1;
// Flags of SelectTab and ShowDocumentResults.
constexpr int SELECT_UNLESS_CURRENT = 0x2;
constexpr int RESULTS_RESOURCE_PAGES = 0x1 | 0x40;
// RefillOpenedList: rebuild whichever page is showing.
constexpr int OPENED_FORCED = 0x1;
// SortOpenedList: sort by the given column.
constexpr int OPENED_BY_COLUMN = 0x1;

bool Running() { return prg && prg->volatileState && prg->interface && prg->volatileState->shuttingDown == 0; }

// The filter part of an entry such as "HTML Documents (*.htm;*.html)": what follows the first "(", trimmed, less
// a final ")"; false when the entry has no "(" or no final ")".
bool FilterOfEntry(const std::string& Entry, std::string& Filter) {
  const std::size_t Open = Entry.find('(');
  if (Open == std::string::npos) {
    return false;
  }
  std::string Rest = Trim(Entry.substr(Open + 1));
  if (Rest.empty() || Rest.back() != ')') {
    return false;
  }
  Rest.pop_back();
  Filter = Rest;
  return true;
}

// Applies a stored view-style code to a dialog window's list: codes above 2 run the window's own "&Details"
// command so that its view menu follows; then the stored sort column.
void ApplyDialogView(TObject* Sender, int ViewStyle, int SortColumn) {
  auto* Window = dynamic_cast<TPTFrmOpenDlg*>(Sender);
  if (Window == nullptr || Window->PTShellList1 == nullptr) {
    return;
  }
  if (ViewStyle > 2 || ViewStyle < 0) {
    if (Window->DetailsItem != nullptr) {
      Window->DetailsItem->Click();
    }
  } else {
    Window->PTShellList1->SetViewStyle(static_cast<TViewStyle>(ViewStyle));
  }
  Window->PTShellList1->SetSortColumn(SortColumn);
}

void KeepDialogView(TObject* Sender, int& ViewStyle, int& SortColumn) {
  auto* Window = dynamic_cast<TPTFrmOpenDlg*>(Sender);
  if (Window == nullptr || Window->PTShellList1 == nullptr) {
    return;
  }
  ViewStyle = ViewStyleToSetting(static_cast<int>(Window->PTShellList1->ViewStyle()));
  SortColumn = Window->PTShellList1->SortColumn();
}

}  // namespace

TPTShellTree* TZUBQEForm::GetActiveShellTree(int Flags) {
  if ((Flags & SHELL_TREE_OF_ACTIVE_PAGE) == 0) {
    return nullptr;
  }
  if (ResourcePageControl != nullptr && ResourcePageControl->ActivePage() == ShellTabSheet2) {
    return ShellTree2;
  }
  return ShellTree;
}

int TZUBQEForm::FillFileFilterCombos(int Flags) {
  if (!prg || !prg->interface) {
    return 1;
  }
  StringArrayStore& Filters = prg->interface->fileFilters;
  if ((Flags & FILTERS_ALREADY_LOADED) == 0) {
    // A missing key leaves the list as it was.
    const std::string Key = std::string(SETTINGS_ROOT) + "\\" + FILE_FILTERS_KEY;
    (void)StringArrayStore::loadFromRegistry(&Filters, HKEY_CURRENT_USER, Key.c_str(), HISTORY_COUNT_MAXIMUM);
  }
  for (TComboBox* Combo : {ShellListFileFilterCombo, ShellListFileFilterCombo2}) {
    if (Combo == nullptr) {
      continue;
    }
    TStrings* Items = Combo->Items();
    Items->BeginUpdate();
    Items->Clear();
    for (int I = 0; I < Filters.getCount(); ++I) {
      const char* Entry = Filters.getString(I);
      Items->Add(Entry != nullptr ? Entry : "");
    }
    Items->EndUpdate();
    const char* First = Filters.getCount() > 0 ? Filters.getString(0) : nullptr;
    Combo->SetText(First != nullptr ? First : "");
    Combo->SetSelLength(0);
  }
  return 0;
}

void TZUBQEForm::ShellListFileFilterComboChange(TObject* Sender) {
  if (!Running()) {
    return;
  }
  auto* Combo = dynamic_cast<TComboBox*>(Sender);
  const bool Second = Combo != nullptr && Combo == ShellListFileFilterCombo2;
  TPTShellList* List = Second ? ShellList2 : ShellList;
  if (Combo == nullptr || List == nullptr) {
    return;
  }
  std::string Filter;
  if (!FilterOfEntry(Combo->Text(), Filter)) {
    return;
  }
  List->SetFileFilter(Filter);
  (Second ? prg->interface->shellListFileFilter2 : prg->interface->shellListFileFilter) = Combo->ItemIndex();
}

void TZUBQEForm::ShellListDblClickOpen(TObject* Sender, bool& Handled) {
  Handled = true;
  auto* List = dynamic_cast<TPTShellList*>(Sender);
  if (!Running() || List == nullptr) {
    return;
  }
  // The names first: opening a document may refresh the list under the loop.
  std::vector<std::string> Names;
  TListItems* Items = List->Items();
  for (int I = 0; I < Items->Count(); ++I) {
    TListItem* Item = Items->Item(I);
    if (!Item->Selected()) {
      continue;
    }
    if (TPTShListData* Data = List->GetDataFromItem(Item)) {
      Names.push_back(Data->GetPathName());
    }
  }
  for (const std::string& Name : Names) {
    if (!Running()) {
      return;
    }
    (void)AddNewFileTab(nullptr, Name.c_str(), 0, nullptr);  // a file that cannot be opened says so itself
  }
}

void TZUBQEForm::ViewRefreshResourceWindowClick(TObject*) {
  if (!Running()) {
    return;
  }
  for (TPTShellList* List : {ShellList, ShellList2}) {
    if (List != nullptr) {
      List->RefreshItems();
    }
  }
  for (TPTShellTree* Tree : {ShellTree, ShellTree2}) {
    if (Tree != nullptr) {
      Tree->RefreshNodes();
    }
  }
}

void TZUBQEForm::ShellListRefreshClick(TObject* Sender) { ViewRefreshResourceWindowClick(Sender); }

void TZUBQEForm::ShellListNewFolderClick(TObject*) {
  if (!Running() || ResourcePageControl == nullptr) {
    return;
  }
  TTabSheet* Page = ResourcePageControl->ActivePage();
  TPTShellList* List = Page == ShellTabSheet ? ShellList : Page == ShellTabSheet2 ? ShellList2 : nullptr;
  if (List != nullptr) {
    (void)List->CreateNewFolder(true);  // a folder that cannot be made is reported by the shell
  }
}

void TZUBQEForm::ShellGoUpBtnClick(TObject*) {
  if (!Running() || ResourcePageControl == nullptr) {
    return;
  }
  TTabSheet* Page = ResourcePageControl->ActivePage();
  if (Page != ShellTabSheet && Page != ShellTabSheet2) {
    return;
  }
  if (TPTShellTree* Tree = GetActiveShellTree(SHELL_TREE_OF_ACTIVE_PAGE)) {
    Tree->GoUp(1);
  }
}

void TZUBQEForm::ResourcePageControlChange(TObject*) {
  if (!Running() || ResourcePageControl == nullptr) {
    return;
  }
  if (fileinfoclass* Document = GetCurrentFile()) {
    (void)ShowDocumentResults(Document, RESULTS_RESOURCE_PAGES);  // a page without results stays empty
  }
  TTabSheet* Page = ResourcePageControl->ActivePage();
  if (ShellGoUpBtn != nullptr) {
    ShellGoUpBtn->SetEnabled(Page == ShellTabSheet || Page == ShellTabSheet2);
  }
  (void)SafeSetFocus(CurrentEditor);  // a hidden editor takes no focus; nothing to report
}

void TZUBQEForm::OpenedListViewClick(TObject*) {
  if (!Running() || OpenedListView == nullptr || CurrentEditor == nullptr) {
    return;
  }
  TListItem* Row = OpenedListView->Selected();
  auto* Document = Row != nullptr ? static_cast<fileinfoclass*>(Row->Data) : nullptr;
  auto* Tabs = reinterpret_cast<TComponent*>(CurrentEditor->Tag());
  const int Index = Document != nullptr ? prg->volatileState->documents->findPointer(Document) : -1;
  if (Tabs != nullptr && Index >= 0) {
    SelectingFromOpenedList = true;
    (void)SelectTab(Tabs, Index, SELECT_UNLESS_CURRENT);  // reports its own failures
    SelectingFromOpenedList = false;
  }
  (void)SafeSetFocus(CurrentEditor);  // nothing to report when it cannot take the focus
}

void TZUBQEForm::OpenedListViewColumnClick(TObject*, TListColumn* Column) {
  if (Running()) {
    (void)SortOpenedList(Column, OPENED_BY_COLUMN);  // always 0
  }
}

void TZUBQEForm::OpenedRefreshClick(TObject*) {
  if (!Running()) {
    return;
  }
  (void)RefillOpenedList(OPENED_FORCED);  // always 0
  (void)SafeSetFocus(CurrentEditor);      // nothing to report when it cannot take the focus
}

void TZUBQEForm::PTOpenDialogFormShow(TObject* Sender) {
  if (prg && prg->interface) {
    ApplyDialogView(Sender, prg->interface->openDialogViewStyle, prg->interface->openDialogSortColumn);
  }
}

void TZUBQEForm::PTOpenDialogFormClose(TObject* Sender) {
  if (prg && prg->interface) {
    KeepDialogView(Sender, prg->interface->openDialogViewStyle, prg->interface->openDialogSortColumn);
  }
}

void TZUBQEForm::PTSaveDialogFormShow(TObject* Sender) {
  if (prg && prg->interface) {
    ApplyDialogView(Sender, prg->interface->saveDialogViewStyle, prg->interface->saveDialogSortColumn);
  }
}

void TZUBQEForm::PTSaveDialogFormClose(TObject* Sender) {
  if (prg && prg->interface) {
    KeepDialogView(Sender, prg->interface->saveDialogViewStyle, prg->interface->saveDialogSortColumn);
  }
}

void TZUBQEForm::ShellListTopPanelResize(TObject*) {}
void TZUBQEForm::ShellListFileFilterComboDropDown(TObject*) {}
void TZUBQEForm::ShellListFileFilterComboEnter(TObject*) {}
void TZUBQEForm::ShellListFileFilterComboExit(TObject*) {}
void TZUBQEForm::ShellListFileFilterComboKeyPress(TObject*, char&) {}
