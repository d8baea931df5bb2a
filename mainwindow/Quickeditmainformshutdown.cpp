// What the shutdown reads of the main window: the shell panes, the results panel, the current editor's font, the
// file dialogs' last sizes and the widths the split ratios are made of.
#include "mainwindow/Quickeditmainform.h"

int TZUBQEForm::ShellListSortColumn() { return ShellList != nullptr ? ShellList->SortColumn() : -1; }

int TZUBQEForm::VisibleResultsPanelHeight() {
  return ResultsPanel != nullptr && ResultsPanel->Visible() ? ResultsPanel->Height() : -1;
}

TFont* TZUBQEForm::CurrentEditorFont() {
  TEasyEdit* Editor = CurrentEditor != nullptr ? CurrentEditor : EasyEdit1;
  return Editor != nullptr ? Editor->Font() : nullptr;
}

bool TZUBQEForm::GetFileDialogSize(int Dialog, int& Width, int& Height) {
  TPTDialog* Chosen =
      Dialog == FILEDIALOG_OPEN ? static_cast<TPTDialog*>(PTOpenDialog) : static_cast<TPTDialog*>(PTSaveDialog);
  // A dialog never shown keeps the layout's size (-1), and the stored size stays as it was.
  if (Chosen == nullptr || Chosen->FormWidth < 0 || Chosen->FormHeight < 0) {
    return false;
  }
  Width = Chosen->FormWidth;
  Height = Chosen->FormHeight;
  return true;
}

bool TZUBQEForm::GetShellTreeFolder(int Pane, StrStore& Folder) {
  TPTShellTree* Tree = Pane == 0 ? ShellTree : ShellTree2;
  if (Tree == nullptr) {
    return false;
  }
  Folder.assign(Tree->GetSelectedPathName().c_str());
  return true;
}

bool TZUBQEForm::GetSplitWidths(int& TagCountList, int& StructurePage, int& ScratchPad1, int& ScratchPage) {
  if (TagCountListView == nullptr || StructureSheet == nullptr || ScratchPad1Edit == nullptr ||
      ScratchSheet == nullptr) {
    return false;
  }
  TagCountList = TagCountListView->Width();
  StructurePage = StructureSheet->Width();
  ScratchPad1 = ScratchPad1Edit->Width();
  ScratchPage = ScratchSheet->Width();
  return true;
}
