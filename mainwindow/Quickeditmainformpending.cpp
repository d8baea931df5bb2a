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

void TZUBQEForm::EditUndoLastMajorChangeClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewLinkInfoPanelClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewWebBrowserClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewWrapBookmarkClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewNextMessageClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewPreviousMessageClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewNextResultsPageClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewPreviousResultsPageClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewRefreshResourceWindowClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsValidateClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsValidateAllClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsValidateWithBatchWizardClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsValidateAllWithBatchWizardClick(TObject*) { PendingCommand(); }
void TZUBQEForm::RevalidateLastDocument1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsSpellCheckClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsSpellCheckAllClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsLowercaseClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsUppercaseClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsStripClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsQuoteClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsTemplateClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsConvertClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsBatchWizardClick(TObject*) { PendingCommand(); }
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
void TZUBQEForm::ResultsWindowMsgSingleClickBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsWindowShowToolTipsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsWindowSelectBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksPlayBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksStopBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksNetworkOptionsBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksHelpBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditorPopupLowercaseClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditorPopupUppercaseClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditorPopupSpellCheckClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsListRefreshClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsListClearClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupCopyToClipboardClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupCopyToClipboardInXMLClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupExportLinksClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupResetLinkCacheClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupChangeToErrorClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupDisableMessageClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupQuickHelpClick(TObject*) { PendingCommand(); }
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
void TZUBQEForm::StructureEdit2MouseUp(TObject*, TMouseButton, TShiftState, int, int) {}
void TZUBQEForm::ResultsPageControlChange(TObject*) {}
void TZUBQEForm::ResultsListViewClick(TObject*) {}
void TZUBQEForm::ResultsListViewDblClick(TObject*) {}
void TZUBQEForm::ResultsListViewEnter(TObject*) {}
void TZUBQEForm::ResultsListViewColumnClick(TObject*, TListColumn*) {}
void TZUBQEForm::ResultsListViewSelectItem(TObject*, TListItem*, bool) {}
void TZUBQEForm::ResultsTreeViewChange(TObject*, ZEZTreeNode*) {}
void TZUBQEForm::ResultsTreeViewClick(TObject*) {}
void TZUBQEForm::ResultsTreeViewDblClick(TObject*) {}
void TZUBQEForm::ResultsTreeViewRightClickNode(TObject*, ZEZTreeNode*, TRightClickAction&) {}
void TZUBQEForm::LinksListViewColumnClick(TObject*, TListColumn*) {}
void TZUBQEForm::LinksListViewDblClick(TObject*) {}
void TZUBQEForm::LinksListViewSelectItem(TObject*, TListItem*, bool) {}
void TZUBQEForm::TagCountListViewColumnClick(TObject*, TListColumn*) {}
void TZUBQEForm::ResultsPopupMenuPopup(TObject*) {}
void TZUBQEForm::PTOpenDialogFormShow(TObject*) {}
void TZUBQEForm::PTOpenDialogFormClose(TObject*) {}
void TZUBQEForm::PTSaveDialogFormShow(TObject*) {}
void TZUBQEForm::PTSaveDialogFormClose(TObject*) {}
void TZUBQEForm::MessageClick(TObject*) {}
void TZUBQEForm::BrowserTimerTimer(TObject*) {}
void TZUBQEForm::SpellGetString(TObject*, int, std::string&) {}
void TZUBQEForm::LexiSpellCompleteCheck(TObject*) {}

// ---- Operations -------------------------------------------------------------------------------------------------

int TZUBQEForm::FillFileFilterCombos(int) { return 0; }
int TZUBQEForm::ShowDocumentResults(fileinfoclass*, int) { return 0; }
void TZUBQEForm::ShowResultCounts(int) {}
int TZUBQEForm::SelectMessage(msginfoclass*, int) { return 0; }
int TZUBQEForm::GoToMessage(TObject*, int) { return 0; }
int TZUBQEForm::ExportResults(TObject*, int) { return 0; }
int TZUBQEForm::ValidateDocuments(TObject*, fileinfoclass*, int, int) { return 0; }
int TZUBQEForm::CheckLinks(TObject*, int) { return 0; }
void TZUBQEForm::UpdateLinkCheckButtons() {}
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
