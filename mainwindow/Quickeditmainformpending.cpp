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

void TZUBQEForm::FilePrintClick(TObject*) { PendingCommand(); }
void TZUBQEForm::FilePrintPreviewClick(TObject*) { PendingCommand(); }
void TZUBQEForm::FilePrinterSetupClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditUndoClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditRedoClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditUndoLastMajorChangeClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditCutClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditCopyClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditPasteClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditSelectAllClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditGoToLineClick(TObject*) { PendingCommand(); }
void TZUBQEForm::SearchFindClick(TObject*) { PendingCommand(); }
void TZUBQEForm::SearchFindAgainClick(TObject*) { PendingCommand(); }
void TZUBQEForm::SearchReplaceClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewToolbarClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewSmallToolbarClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewStatusBarClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewResourceClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewResultsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewMessageClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewLinkInfoPanelClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewTagInserterClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewCSSInserterClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewUserInserterClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewFullScreenClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewSplitViewClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewGutterClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewLineNumbersClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewLineSeparatorsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewRightMarginClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewSymbolsButtonClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewWrapBookmarkClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LineHighlightButtonClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewNextMessageClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewPreviousMessageClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewNextResultsPageClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewPreviousResultsPageClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewExternalBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsLoggingViewClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsStartTagClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsEndTagClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsBoldClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsItalicClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsUnderlineClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsAClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsBlockquoteClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsBreakClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsBreakAndNewlineClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsCenterClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsCommentClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsHorizontalRuleClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsParagraphClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsColorClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsHTML401StrictClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsHTML401TransitionalClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsHTML401FramesetClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsXHTML10StrictClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsXHTML10TransitionalClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsXHTML10FramesetClick(TObject*) { PendingCommand(); }
void TZUBQEForm::XHTML111Click(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsXMLDeclarationClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsWMLPrologueClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsEntitiesAmpersandClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsEntitiesCopyrightClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsEntitiesDoubleQuoteClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsEntitiesGreaterThanClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsEntitiesLessThanClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsEntitiesSpaceClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsEntitiesTrademarkClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsFormsFORMClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsFormsINPUTClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsFormsOPTIONClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsFormsSELECTClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsFormsTEXTAREAClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsFramesFRAMESETClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsFramesFRAMEClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsFramesIFRAMEClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsFramesNOFRAMESClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsHeadingsH1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsHeadingsH2Click(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsHeadingsH3Click(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsHeadingsH4Click(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsHeadingsH5Click(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsHeadingsH6Click(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsListsOLClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsListsULClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsListsLIClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsListsDDClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsListsDTClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsListsMENUClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsMediaAPPLETClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsMediaBGSOUNDClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsMediaEMBEDClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsMediaIMGClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsMediaOBJECTClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsMetaAuthorClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsMetaCopyrightClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsMetaCSS1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsMetaCSS2Click(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsMetaDescriptionClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsMetaKeywordsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsMetaRSACiRatingClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTablesTABLEClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTablesTRClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTablesTHClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTablesTDClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTablesCAPTIONClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTablesTHEADClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTablesTBODYClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTablesTFOOTClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextACRONYMClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextBIGClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextBLINKClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextCITEClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextCODEClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextDELClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextDFNClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextEMClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextFONTClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextINSClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextKBDClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextQClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextSClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextSAMPClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextSMALLClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextSTRIKEClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextSTRONGClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextSUBClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextSUPClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextTTClick(TObject*) { PendingCommand(); }
void TZUBQEForm::TagsTextVARClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsValidateClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsValidateAllClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsValidateWithBatchWizardClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsValidateAllWithBatchWizardClick(TObject*) { PendingCommand(); }
void TZUBQEForm::RevalidateLastDocument1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::ValidateStyleSheetwithTopStyle1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsLowercaseClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsUppercaseClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsStripClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsQuoteClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsTemplateClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsConvertClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsBatchWizardClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsToolsOptionsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ToolsHelpClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsEditorOptionsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsValidatorOptionsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsEnableAccessibilityCheckingClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsEnableCSSCheckingClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsHTMLConfigurationEditorClick(TObject*) { PendingCommand(); }
void TZUBQEForm::SettingsHTMLConfigLoad1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::SettingsHTMLConfigSave1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::SettingsHTMLConfigSaveAs1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::SettingsHTMLConfigClean1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::SettingsHTMLConfigReset1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsHTMLConfigExportProgramsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsHTMLConfigImportProgramsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsWordWrapClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsSyntaxHighlightingClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsTagInserterEditClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsTagInserterReloadClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsCSSInserterEditClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsCSSInserterReloadClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsUserInserterEditClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsUserInserterReloadClick(TObject*) { PendingCommand(); }
void TZUBQEForm::DragDropViewDragDropWindowClick(TObject*) { PendingCommand(); }
void TZUBQEForm::DragDropUseValidatorClick(TObject*) { PendingCommand(); }
void TZUBQEForm::DragDropUseToolClick(TObject*) { PendingCommand(); }
void TZUBQEForm::DragDropOptionsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsLoggingEnableClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsLoggingDeleteClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsAddAssociationsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::OptionsRemoveAssociationsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::SettingsMakeSourceViewerClick(TObject*) { PendingCommand(); }
void TZUBQEForm::RestoreSourceViewerinInternetExplorer1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksZUBHomeClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksSupportClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksDownloadClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksSpecsHTML401Click(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksSpecsXHTML10Click(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksSpecsXHTML11Click(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksSpecsCSS1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksSpecsCSS2Click(TObject*) { PendingCommand(); }
void TZUBQEForm::TBItem8Click(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksWorldWideWebConsortiumClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksSection508AccessibilityClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksInternetContentRatingAssociationClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksWPForumClick(TObject*) { PendingCommand(); }
void TZUBQEForm::HelpContentsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::HelpOnlineClick(TObject*) { PendingCommand(); }
void TZUBQEForm::HelpCheckVersionClick(TObject*) { PendingCommand(); }
void TZUBQEForm::CopyProgramInfotoClipboard1Click(TObject*) { PendingCommand(); }
void TZUBQEForm::HelpAboutZUBClick(TObject*) { PendingCommand(); }
void TZUBQEForm::UnindentBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::IndentBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ViewHorzSplitBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::MoveResourceToTopBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::MoveResourceToLeftBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsWindowMsgSingleClickBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsWindowShowToolTipsClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsWindowSelectBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksPlayBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksStopBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksNetworkOptionsBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::LinksHelpBtnClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditorPopupOpenFileClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditorPopupLowercaseClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditorPopupUppercaseClick(TObject*) { PendingCommand(); }
void TZUBQEForm::EditorPopupConvertToEntitiesClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsListRefreshClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsListClearClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupCopyToClipboardClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupCopyToClipboardInXMLClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupExportLinksClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupResetLinkCacheClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupChangeToErrorClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupDisableMessageClick(TObject*) { PendingCommand(); }
void TZUBQEForm::ResultsPopupQuickHelpClick(TObject*) { PendingCommand(); }
void TZUBQEForm::HideStatusBarClick(TObject*) { PendingCommand(); }
void TZUBQEForm::AllowDragClick(TObject*) { PendingCommand(); }
void TZUBQEForm::DisallowDragClick(TObject*) { PendingCommand(); }
void TZUBQEForm::HideSpeedBarClick(TObject*) { PendingCommand(); }
void TZUBQEForm::HideDragDropWindowClick(TObject*) { PendingCommand(); }
void TZUBQEForm::HideResultsWindowClick(TObject*) { PendingCommand(); }

// ---- Events -----------------------------------------------------------------------------------------------------

void TZUBQEForm::FormResize(TObject*) {}
void TZUBQEForm::FormCanResize(TObject*, int&, int&, bool&) {}
void TZUBQEForm::EditorMenuBarDockRequestDock(TObject*, TTBCustomDockableWindow*, bool&) {}
void TZUBQEForm::EditorMenuBarDockResize(TObject*) {}
void TZUBQEForm::OptionsValidatorOptionsPopup(TTBCustomItem*, bool) {}
void TZUBQEForm::EditorToolbarClose(TObject*) {}
void TZUBQEForm::EditorToolbarVisibleChanged(TObject*) {}
void TZUBQEForm::ValidateBigBtnPopup(TTBCustomItem*, bool) {}
void TZUBQEForm::SmallToolbarDockRequestDock(TObject*, TTBCustomDockableWindow*, bool&) {}
void TZUBQEForm::SmallToolbarVisibleChanged(TObject*) {}
void TZUBQEForm::EditorLeftDockRequestDock(TObject*, TTBCustomDockableWindow*, bool&) {}
void TZUBQEForm::Panel20Resize(TObject*) {}
void TZUBQEForm::MessageToolWindowVisibleChanged(TObject*) {}
void TZUBQEForm::Shell1SplitterMoved(TObject*) {}
void TZUBQEForm::Shell2SplitterMoved(TObject*) {}
void TZUBQEForm::StructureEdit2MouseUp(TObject*, TMouseButton, TShiftState, int, int) {}
void TZUBQEForm::VertSplit1Moved(TObject*) {}
void TZUBQEForm::ResultsPanelResize(TObject*) {}
void TZUBQEForm::ResultWindowLeftDockRequestDock(TObject*, TTBCustomDockableWindow*, bool&) {}
void TZUBQEForm::ZUBQEFormBottomDockRequestDock(TObject*, TTBCustomDockableWindow*, bool&) {}
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
void TZUBQEForm::StructureSheetResize(TObject*) {}
void TZUBQEForm::TagCountListViewColumnClick(TObject*, TListColumn*) {}
void TZUBQEForm::StructureSplitterMoved(TObject*) {}
void TZUBQEForm::ScratchSheetResize(TObject*) {}
void TZUBQEForm::ScratchSplitterMoved(TObject*) {}
void TZUBQEForm::ScratchPad2EditResize(TObject*) {}
void TZUBQEForm::HorzSplit1Change(TObject*) {}
void TZUBQEForm::EditorDecorationPanelResize(TObject*) {}
void TZUBQEForm::DecorationPanelLeftResize(TObject*) {}
void TZUBQEForm::BothEditorsPanelResize(TObject*) {}
void TZUBQEForm::EditorsSplitterMoved(TObject*) {}
void TZUBQEForm::EditorPopupMenuPopup(TObject*) {}
void TZUBQEForm::GenericMemoPopupPopup(TObject*) {}
void TZUBQEForm::ResultsPopupMenuPopup(TObject*) {}
void TZUBQEForm::MessageClick(TObject*) {}
void TZUBQEForm::InserterItemClick(TObject*) { PendingCommand(); }
void TZUBQEForm::InserterItemSelect(TTBCustomItem*, TTBItemViewer*, bool) {}
void TZUBQEForm::InserterToolbarVisibleChanged(TObject*) {}

// ---- Operations -------------------------------------------------------------------------------------------------

int TZUBQEForm::ApplyViewSettings(int) { return 0; }
int TZUBQEForm::ShowResultsArea(int) { return 0; }
int TZUBQEForm::PlaceResourceWindow(int) { return 0; }
void TZUBQEForm::UpdateMenuChecks() {}
int TZUBQEForm::UpdateDragDropWindow() { return 0; }
int TZUBQEForm::ShowDocumentResults(fileinfoclass*, int) { return 0; }
void TZUBQEForm::ShowResultCounts(int) {}
int TZUBQEForm::SelectMessage(msginfoclass*, int) { return 0; }
int TZUBQEForm::GoToMessage(TObject*, int) { return 0; }
int TZUBQEForm::ExportResults(TObject*, int) { return 0; }
int TZUBQEForm::ValidateDocuments(TObject*, fileinfoclass*, int, int) { return 0; }
int TZUBQEForm::CheckLinks(TObject*, int) { return 0; }
void TZUBQEForm::UpdateLinkCheckButtons() {}
int TZUBQEForm::InsertTag(const char*, const char*, int) { return 0; }
int TZUBQEForm::InserterCommand(int, int) { return 0; }
