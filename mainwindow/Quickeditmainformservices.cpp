// What the application core asks of the main window: its editors, tab controls and result placeholders.
#include "mainwindow/Quickeditmainform.h"

#include "mainwindow/Defaultdragdroptoolform.h"

#include "core/Splashstatus.h"

namespace {

TTabControl* AsTabs(TComponent* Control) { return dynamic_cast<TTabControl*>(Control); }

}  // namespace

HWND TZUBQEForm::GetApplicationWindow() { return Application ? Application->Handle() : 0; }

void TZUBQEForm::SetBusyCursor(bool Busy) { Screen->SetCursor(Busy ? crHourGlass : crDefault); }

bool TZUBQEForm::GetEditorScroll(int Editor, int& Column, int& TopLine) {
  TEasyEdit* Edit = Editor == 0 ? EasyEdit1 : Editor == 1 ? EasyEdit2 : nullptr;
  if (!Edit) {
    return false;
  }
  Column = Edit->WindowChar();
  TopLine = Edit->WindowLine();
  return true;
}

void TZUBQEForm::SetEditorScroll(int Editor, int Column, int TopLine) {
  if (TEasyEdit* Edit = Editor == 0 ? EasyEdit1 : Editor == 1 ? EasyEdit2 : nullptr) {
    Edit->SetWindowLine(TopLine);
    Edit->SetWindowChar(Column);
  }
}

TComponent* TZUBQEForm::GetEditorTabControl(int Editor) {
  return Editor == 0 ? static_cast<TComponent*>(TabControl1) : Editor == 1 ? TabControl2 : nullptr;
}

int TZUBQEForm::TabCount(TComponent* TabControl) {
  TTabControl* Tabs = AsTabs(TabControl);
  return Tabs ? Tabs->Tabs()->Count() : 0;
}

int TZUBQEForm::TabIndex(TComponent* TabControl) {
  TTabControl* Tabs = AsTabs(TabControl);
  return Tabs ? Tabs->TabIndex() : -1;
}

void TZUBQEForm::SetTabIndex(TComponent* TabControl, int Index) {
  if (TTabControl* Tabs = AsTabs(TabControl)) {
    Tabs->SetTabIndex(Index);
  }
}

int TZUBQEForm::AddTab(TComponent* TabControl, const char* Caption) {
  TTabControl* Tabs = AsTabs(TabControl);
  return Tabs ? Tabs->Tabs()->Add(Caption ? Caption : "") : -1;
}

void TZUBQEForm::DeleteTabAt(TComponent* TabControl, int Index) {
  TTabControl* Tabs = AsTabs(TabControl);
  if (Tabs && Index >= 0 && Index < Tabs->Tabs()->Count()) {
    Tabs->Tabs()->Delete(Index);
  }
}

void TZUBQEForm::SetTabCaption(TComponent* TabControl, int Index, const char* Caption) {
  TTabControl* Tabs = AsTabs(TabControl);
  if (Tabs && Index >= 0 && Index < Tabs->Tabs()->Count()) {
    Tabs->Tabs()->SetStrings(Index, Caption ? Caption : "");
  }
}

void TZUBQEForm::InvalidateTabControl(TComponent* TabControl) {
  if (TTabControl* Tabs = AsTabs(TabControl)) {
    Tabs->Invalidate();
  }
}

TComponent* TZUBQEForm::ResultPlaceholder(int Index) {
  TComponent* const Placeholders[] = {MessagesPanel,      TreeViewPanel, StylesPanel,
                                      AccessibilityPanel, LinksPanel2,   StructurePanel};
  return Index >= 0 && Index < static_cast<int>(std::size(Placeholders)) ? Placeholders[Index] : nullptr;
}

void TZUBQEForm::SetControlTextNow(TComponent* Control, const char* Text) {
  if (auto* C = dynamic_cast<TControl*>(Control)) {
    C->SetText(Text ? Text : "");
    C->Update();
  }
}

TForm* TZUBQEForm::CreateDragDropToolForm() {
  auto* Chooser = new TDragDropToolForm(Application);
  Chooser->AfterConstruction();
  return Chooser;
}

TForm* TZUBQEForm::MainForm() { return this; }

TForm* TZUBQEForm::SplashForm() { return dynamic_cast<TForm*>(GetSplashWindow()); }

int TZUBQEForm::ShellListSortColumn() { return ShellList ? ShellList->SortColumn() : -1; }

int TZUBQEForm::VisibleResultsPanelHeight() {
  return ResultsPanel && EditorResultsSplitter && EditorResultsSplitter->Visible() ? ResultsPanel->Height() : -1;
}

TFont* TZUBQEForm::CurrentEditorFont() { return CurrentEditor ? CurrentEditor->Font() : nullptr; }

bool TZUBQEForm::GetFileDialogSize(int Dialog, int& Width, int& Height) {
  TPTFileDlg* Chooser = Dialog == FILEDIALOG_OPEN   ? static_cast<TPTFileDlg*>(PTOpenDialog)
                        : Dialog == FILEDIALOG_SAVE ? static_cast<TPTFileDlg*>(PTSaveDialog)
                                                    : nullptr;
  if (!Chooser) {
    return false;
  }
  Width = Chooser->FormWidth;
  Height = Chooser->FormHeight;
  return true;
}

bool TZUBQEForm::GetShellTreeFolder(int Pane, StrStore& Folder) {
  TPTShellTree* Tree = Pane == 0 ? ShellTree : Pane == 1 ? ShellTree2 : nullptr;
  if (!Tree) {
    return false;
  }
  Folder = StrStore(Tree->GetSelectedPathName().c_str());
  return true;
}

bool TZUBQEForm::GetSplitWidths(int& TagCountList, int& StructurePage, int& ScratchPad1, int& ScratchPage) {
  TagCountList = TagCountListView->Width();
  StructurePage = StructureSheet->Width();
  ScratchPad1 = ScratchPad1Edit->Width();
  ScratchPage = ScratchSheet->Width();
  return true;
}

int TZUBQEForm::ValidateDocuments(fileinfoclass* Document, int Flags, int Configuration) {
  return ValidateDocuments(nullptr, Document, Flags, Configuration);
}
