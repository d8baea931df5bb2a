// The commands and events whose work is not built yet: each command tells the user so, each event does nothing,
// and each operation that others call answers as if there were nothing to do.
#include "mainwindow/Quickeditmainform.h"

#include "core/Prgclass.h"

void TZUBQEForm::PendingCommand() {
  if (prg && prg->volatileState && prg->volatileState->shuttingDown == 0) {
    (void)ShowInfoKind(INFO_NOT_IMPLEMENTED);  // the information box has no answer to act on
  }
}

// ---- Commands ---------------------------------------------------------------------------------------------------

void TZUBQEForm::ViewWebBrowserClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewRefreshResourceWindowClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsSpellCheckClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsSpellCheckAllClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsSpellCheckerClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsLiveSpellClick(TObject*) { PendingCommand(); }
void TZUBQEForm::WBHelpBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewBrowserBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::WBBackBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::WBForwardBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::WBStopButtonClick(TObject*) { PendingCommand(); }
void TZUBQEForm::WBRefreshBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewWBSourceBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::WBPreviewBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::WBGoButtonClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ShellGoUpBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditorPopupSpellCheckClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ShellListNewFolderClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ShellListRefreshClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OpenedRefreshClick(TObject*) { PendingCommand(); }

// ---- Events -----------------------------------------------------------------------------------------------------

void TZUBQEForm::WebBrowserToolWindowVisibleChanged(TObject*) {}
void TZUBQEForm::WebBrowserToolWindowDockChanged(TObject*) {}
void TZUBQEForm::WebBrowserToolWindowDockChanging(TObject*, bool, TTBDock*) {}
void TZUBQEForm::OpenComboKeyPress(TObject*, char&) {}
void TZUBQEForm::ResourcePageControlChange(TObject*) {}
void TZUBQEForm::ShellListTopPanelResize(TObject*) {}
void TZUBQEForm::ShellListFileFilterComboChange(TObject*) {}
void TZUBQEForm::ShellListFileFilterComboDropDown(TObject*) {}
void TZUBQEForm::ShellListFileFilterComboEnter(TObject*) {}
void TZUBQEForm::ShellListFileFilterComboExit(TObject*) {}
void TZUBQEForm::ShellListFileFilterComboKeyPress(TObject*, char&) {}
void TZUBQEForm::ShellListDblClickOpen(TObject*, bool&) {}
void TZUBQEForm::OpenedListViewClick(TObject*) {}
void TZUBQEForm::OpenedListViewColumnClick(TObject*, TListColumn*) {}
void TZUBQEForm::PTOpenDialogFormShow(TObject*) {}
void TZUBQEForm::PTOpenDialogFormClose(TObject*) {}
void TZUBQEForm::PTSaveDialogFormShow(TObject*) {}
void TZUBQEForm::PTSaveDialogFormClose(TObject*) {}
void TZUBQEForm::BrowserTimerTimer(TObject*) {}
void TZUBQEForm::SpellGetString(TObject*, int, std::string&) {}
void TZUBQEForm::LexiSpellCompleteCheck(TObject*) {}

// ---- Operations -------------------------------------------------------------------------------------------------

int TZUBQEForm::FillFileFilterCombos(int) { return 0; }
void TZUBQEForm::NavigateWebBrowser(TObject*, int) {}
int TZUBQEForm::NavigateTo(const char*, int) { return 0; }
int TZUBQEForm::IsPreviewable(fileinfoclass*, const char*, int) { return 0; }
// No browser can be made yet: the pane stays off.
int TZUBQEForm::CreateWebBrowser() { return 1; }
int TZUBQEForm::ToggleWebBrowser(int) { return 0; }
// Without a browser there is nothing to wait for.
int TZUBQEForm::WaitForBrowser(int) { return 1; }
int TZUBQEForm::WebBrowserDocumentComplete(TObject*, TObject*, int) { return -1; }
fileinfoclass* TZUBQEForm::GetBrowserSourceDocument(int*) { return nullptr; }
int TZUBQEForm::ShowBrowserSourceTab(int) { return -1; }
TEasyEdit* TZUBQEForm::GetSpellCheckEditor(int) { return nullptr; }
int TZUBQEForm::CanSpellCheck(TControl*, int) { return 0; }
