// The main window: every component of its layout, its commands and the operations the rest of the program calls.
#pragma once

#include "core/Errorreport.h"
#include "core/Mainwindowservices.h"

#include "editor/Easyeditor.h"
#include "editor/Easyeditorparser.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Splitter.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/ImgList.h"
#include "platform/win/Desktop.h"
#include "shell/Uptdialogs.h"
#include "shell/Uptshelllist.h"
#include "shell/Uptshelltree.h"
#include "toolbars/Tb2dock.h"
#include "toolbars/Tb2item.h"
#include "toolbars/Tb2popup.h"
#include "toolbars/Tb2toolbar.h"
#include "toolbars/Tb2toolwindow.h"
#include "toolbars/Tbskins.h"
#include "treeview/Dcntree.h"

#include <functional>
#include <memory>
#include <string>

class TColorDialog;
class TBrowserControl;
class TEasyLineStyles;
class TLexiSpell3;
class TTimer;
class TUpdateCheckForm;
class StringArrayStore;
class msginfoclass;
class tabinfoclass;

// The program's one main window. The main function creates it after the root object and the settings exist and
// owns it through the application; it registers itself as the core's main window and message box from FormCreate
// until shutdown (or its destruction). Every component of its layout is published by name and every handler the
// layout names is bound by name when the layout is read.
class TZUBQEForm : public TForm, public MainWindowServices, public MainWindowMessageBox {
  Z_CLASS(TZUBQEForm, TForm)
public:
  explicit TZUBQEForm(TComponent* AOwner);
  ~TZUBQEForm() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  static void Publish(TMetaClass& Meta);
  // The classes of every component the layout names, registered before the first layout is read.
  static void RegisterLayoutClasses();

  // ---- Components of the layout ---------------------------------------------------------------------------
  TTBDock* EditorMenuBarDock = nullptr;
  TTBToolbar* EditorMainMenu = nullptr;
  TTBSubmenuItem* FileMenu = nullptr;
  TTBItem* FileNew = nullptr;
  TTBSubmenuItem* FileOpen = nullptr;
  TTBItem* FileOpenFromTheWeb = nullptr;
  TTBItem* FileReload = nullptr;
  TTBItem* FileSave = nullptr;
  TTBItem* FileSaveAs = nullptr;
  TTBItem* FileSaveAll = nullptr;
  TTBItem* FileClose = nullptr;
  TTBItem* FileCloseAll = nullptr;
  TTBItem* FileCloseComplete = nullptr;
  TTBItem* FilePrint = nullptr;
  TTBItem* FilePrintPreview = nullptr;
  TTBItem* FilePrinterSetup = nullptr;
  TTBItem* FileExit = nullptr;
  TTBSubmenuItem* EditMenu = nullptr;
  TTBItem* EditUndo = nullptr;
  TTBItem* EditRedo = nullptr;
  TTBItem* EditUndoLastMajorChange = nullptr;
  TTBItem* EditCut = nullptr;
  TTBItem* EditCopy = nullptr;
  TTBItem* EditPaste = nullptr;
  TTBItem* EditSelectAll = nullptr;
  TTBItem* EditGoToLine = nullptr;
  TTBSubmenuItem* SearchMenu = nullptr;
  TTBItem* SearchFind = nullptr;
  TTBItem* SearchFindAgain = nullptr;
  TTBItem* SearchReplace = nullptr;
  TTBSubmenuItem* ViewMenu = nullptr;
  TTBItem* ViewToolbar = nullptr;
  TTBItem* ViewSmallToolbar = nullptr;
  TTBItem* ViewStatusBar = nullptr;
  TTBItem* ViewResource = nullptr;
  TTBItem* ViewResults = nullptr;
  TTBItem* ViewMessage = nullptr;
  TTBItem* ViewLinkInfoPanel = nullptr;
  TTBItem* ViewWebBrowser = nullptr;
  TTBSubmenuItem* ViewInsertersMenu = nullptr;
  TTBItem* ViewTagInserter = nullptr;
  TTBItem* ViewCSSInserter = nullptr;
  TTBItem* ViewUserInserter = nullptr;
  TTBItem* ViewFullScreen = nullptr;
  TTBItem* ViewSplitView = nullptr;
  TTBItem* ViewGutter = nullptr;
  TTBItem* ViewLineNumbers = nullptr;
  TTBItem* ViewLineSeparators = nullptr;
  TTBItem* ViewRightMargin = nullptr;
  TTBItem* ViewSpecialSymbols = nullptr;
  TTBItem* ViewWrapBookmark = nullptr;
  TTBItem* ViewLineHighlighting = nullptr;
  TTBItem* ViewNextDocument = nullptr;
  TTBItem* ViewPreviousDocument = nullptr;
  TTBItem* ViewNextMessage = nullptr;
  TTBItem* ViewPreviousMessage = nullptr;
  TTBItem* ViewNextResultsPage = nullptr;
  TTBItem* ViewPreviousResultsPage = nullptr;
  TTBItem* ViewExternalViewer = nullptr;
  TTBItem* ViewValidationLog = nullptr;
  TTBItem* ViewRefreshResourceWindow = nullptr;
  TTBItem* ViewRefreshMainWindow = nullptr;
  TTBSubmenuItem* TagsMenu = nullptr;
  TTBItem* TagsStartTag = nullptr;
  TTBItem* TagsEndTag = nullptr;
  TTBItem* TagsBold = nullptr;
  TTBItem* TagsItalic = nullptr;
  TTBItem* TagsUnderline = nullptr;
  TTBItem* TagsA = nullptr;
  TTBItem* TagsBlockquote = nullptr;
  TTBItem* TagsBreak = nullptr;
  TTBItem* TagsBreakAndNewline = nullptr;
  TTBItem* TagsCenter = nullptr;
  TTBItem* TagsComment = nullptr;
  TTBItem* TagsHorizontalRule = nullptr;
  TTBItem* TagsParagraph = nullptr;
  TTBItem* TagsColor = nullptr;
  TTBSubmenuItem* TagsDeclarationsMenu = nullptr;
  TTBItem* TagsHTML401Strict = nullptr;
  TTBItem* TagsHTML401Transitional = nullptr;
  TTBItem* TagsHTML401Frameset = nullptr;
  TTBItem* TagsXHTML10Strict = nullptr;
  TTBItem* TagsXHTML10Transitional = nullptr;
  TTBItem* TagsXHTML10Frameset = nullptr;
  TTBItem* XHTML111 = nullptr;
  TTBItem* TagsXMLDeclaration = nullptr;
  TTBItem* TagsWMLPrologue = nullptr;
  TTBSubmenuItem* TagsEntitiesMenu = nullptr;
  TTBItem* TagsEntitiesAmpersand = nullptr;
  TTBItem* TagsEntitiesCopyright = nullptr;
  TTBItem* TagsEntitiesDoubleQuote = nullptr;
  TTBItem* TagsEntitiesGreaterThan = nullptr;
  TTBItem* TagsEntitiesLessThan = nullptr;
  TTBItem* TagsEntitiesSpace = nullptr;
  TTBItem* TagsEntitiesTrademark = nullptr;
  TTBSubmenuItem* TagsFormsMenu = nullptr;
  TTBItem* TagsFormsFORM = nullptr;
  TTBItem* TagsFormsINPUT = nullptr;
  TTBItem* TagsFormsOPTION = nullptr;
  TTBItem* TagsFormsSELECT = nullptr;
  TTBItem* TagsFormsTEXTAREA = nullptr;
  TTBSubmenuItem* TagsFramesMenu = nullptr;
  TTBItem* TagsFramesFRAMESET = nullptr;
  TTBItem* TagsFramesFRAME = nullptr;
  TTBItem* TagsFramesIFRAME = nullptr;
  TTBItem* TagsFramesNOFRAMES = nullptr;
  TTBSubmenuItem* TagsHeadingsMenu = nullptr;
  TTBItem* TagsHeadingsH1 = nullptr;
  TTBItem* TagsHeadingsH2 = nullptr;
  TTBItem* TagsHeadingsH3 = nullptr;
  TTBItem* TagsHeadingsH4 = nullptr;
  TTBItem* TagsHeadingsH5 = nullptr;
  TTBItem* TagsHeadingsH6 = nullptr;
  TTBSubmenuItem* TagsListsSubmenu = nullptr;
  TTBItem* TagsListsOL = nullptr;
  TTBItem* TagsListsUL = nullptr;
  TTBItem* TagsListsLI = nullptr;
  TTBItem* TagsListsDD = nullptr;
  TTBItem* TagsListsDT = nullptr;
  TTBItem* TagsListsMENU = nullptr;
  TTBSubmenuItem* TagsMediaMenu = nullptr;
  TTBItem* TagsMediaAPPLET = nullptr;
  TTBItem* TagsMediaBGSOUND = nullptr;
  TTBItem* TagsMediaEMBED = nullptr;
  TTBItem* TagsMediaIMG = nullptr;
  TTBItem* TagsMediaOBJECT = nullptr;
  TTBSubmenuItem* TagsMetaMenu = nullptr;
  TTBItem* TagsMetaAuthor = nullptr;
  TTBItem* TagsMetaCopyright = nullptr;
  TTBItem* TagsMetaCSS1 = nullptr;
  TTBItem* TagsMetaCSS2 = nullptr;
  TTBItem* TagsMetaDescription = nullptr;
  TTBItem* TagsMetaKeywords = nullptr;
  TTBItem* TagsMetaRSACiRating = nullptr;
  TTBSubmenuItem* TagsTablesMenu = nullptr;
  TTBItem* TagsTablesTABLE = nullptr;
  TTBItem* TagsTablesTR = nullptr;
  TTBItem* TagsTablesTH = nullptr;
  TTBItem* TagsTablesTD = nullptr;
  TTBItem* TagsTablesCAPTION = nullptr;
  TTBItem* TagsTablesTHEAD = nullptr;
  TTBItem* TagsTablesTBODY = nullptr;
  TTBItem* TagsTablesTFOOT = nullptr;
  TTBSubmenuItem* TagsTextMenu = nullptr;
  TTBItem* TagsTextACRONYM = nullptr;
  TTBItem* TagsTextBIG = nullptr;
  TTBItem* TagsTextBLINK = nullptr;
  TTBItem* TagsTextCITE = nullptr;
  TTBItem* TagsTextCODE = nullptr;
  TTBItem* TagsTextDEL = nullptr;
  TTBItem* TagsTextDFN = nullptr;
  TTBItem* TagsTextEM = nullptr;
  TTBItem* TagsTextFONT = nullptr;
  TTBItem* TagsTextINS = nullptr;
  TTBItem* TagsTextKBD = nullptr;
  TTBItem* TagsTextQ = nullptr;
  TTBItem* TagsTextS = nullptr;
  TTBItem* TagsTextSAMP = nullptr;
  TTBItem* TagsTextSMALL = nullptr;
  TTBItem* TagsTextSTRIKE = nullptr;
  TTBItem* TagsTextSTRONG = nullptr;
  TTBItem* TagsTextSUB = nullptr;
  TTBItem* TagsTextSUP = nullptr;
  TTBItem* TagsTextTT = nullptr;
  TTBItem* TagsTextVAR = nullptr;
  TTBSubmenuItem* ToolsMenu = nullptr;
  TTBItem* ToolsValidate = nullptr;
  TTBItem* ToolsValidateAll = nullptr;
  TTBItem* ToolsValidateWithBatchWizard = nullptr;
  TTBItem* ToolsValidateAllWithBatchWizard = nullptr;
  TTBItem* ToolsRevalidateLastDocument = nullptr;
  TTBItem* ValidateStyleSheetwithTopStyle = nullptr;
  TTBItem* ToolsSpellCheck = nullptr;
  TTBItem* ToolsSpellCheckAll = nullptr;
  TTBItem* ToolsLowercase = nullptr;
  TTBItem* ToolsUppercase = nullptr;
  TTBItem* ToolsStrip = nullptr;
  TTBItem* ToolsQuote = nullptr;
  TTBItem* ToolsTemplate = nullptr;
  TTBItem* ToolsConvert = nullptr;
  TTBItem* ToolsBatchWizard = nullptr;
  TTBItem* ToolsToolsOptions = nullptr;
  TTBItem* ToolsHelp = nullptr;
  TTBSubmenuItem* OptionsMenu = nullptr;
  TTBItem* OptionsEditorOptions = nullptr;
  TTBSubmenuItem* OptionsValidatorOptions = nullptr;
  TTBItem* OptionsEnableAccessibilityChecking = nullptr;
  TTBItem* OptionsEnableCSSChecking = nullptr;
  TTBSubmenuItem* OptionsHTMLConfigurationEditor = nullptr;
  TTBItem* SettingsHTMLConfigLoad = nullptr;
  TTBItem* SettingsHTMLConfigSave = nullptr;
  TTBItem* SettingsHTMLConfigSaveAs = nullptr;
  TTBItem* SettingsHTMLConfigClean = nullptr;
  TTBItem* SettingsHTMLConfigReset = nullptr;
  TTBSeparatorItem* OptionsDeveloperItemsSep = nullptr;
  TTBItem* OptionsHTMLConfigExportPrograms = nullptr;
  TTBItem* OptionsHTMLConfigImportPrograms = nullptr;
  TTBItem* OptionsSpellChecker = nullptr;
  TTBItem* OptionsLiveSpell = nullptr;
  TTBItem* OptionsWordWrap = nullptr;
  TTBItem* OptionsSyntaxHighlighting = nullptr;
  TTBSubmenuItem* OptionsInsertersMenu = nullptr;
  TTBSubmenuItem* OptionsTagInserterMenu = nullptr;
  TTBItem* OptionsTagInserterEdit = nullptr;
  TTBItem* OptionsTagInserterReload = nullptr;
  TTBSubmenuItem* OptionsCSSInserterMenu = nullptr;
  TTBItem* OptionsCSSInserterEdit = nullptr;
  TTBItem* OptionsCSSInserterReload = nullptr;
  TTBSubmenuItem* OptionsUserInserterMenu = nullptr;
  TTBItem* OptionsUserInserterEdit = nullptr;
  TTBItem* OptionsUserInserterReload = nullptr;
  TTBSubmenuItem* DragDropMenu = nullptr;
  TTBItem* DragDropViewDragDropWindow = nullptr;
  TTBItem* DragDropUseValidator = nullptr;
  TTBItem* DragDropUseTool = nullptr;
  TTBItem* DragDropOptions = nullptr;
  TTBSubmenuItem* OptionsLoggingMenu = nullptr;
  TTBItem* OptionsLoggingEnable = nullptr;
  TTBItem* OptionsLoggingView = nullptr;
  TTBItem* OptionsLoggingDelete = nullptr;
  TTBSubmenuItem* OptionsAssociationsMenu = nullptr;
  TTBItem* OptionsAddAssociations = nullptr;
  TTBItem* OptionsRemoveAssociations = nullptr;
  TTBItem* SettingsMakeSourceViewer = nullptr;
  TTBItem* RestoreSourceViewerinInternetExplorer = nullptr;
  TTBSubmenuItem* LinksMenu = nullptr;
  TTBItem* LinksZUBHome = nullptr;
  TTBItem* LinksSupport = nullptr;
  TTBItem* LinksDownload = nullptr;
  TTBSubmenuItem* LinksSpecsMenu = nullptr;
  TTBItem* LinksSpecsHTML401 = nullptr;
  TTBItem* LinksSpecsXHTML10 = nullptr;
  TTBItem* LinksSpecsXHTML11 = nullptr;
  TTBItem* LinksSpecsCSS1 = nullptr;
  TTBItem* LinksSpecsCSS2 = nullptr;
  TTBItem* LinksSpecsWCAG = nullptr;
  TTBItem* LinksWorldWideWebConsortium = nullptr;
  TTBItem* LinksSection508Accessibility = nullptr;
  TTBItem* LinksInternetContentRatingAssociation = nullptr;
  TTBItem* LinksWPForum = nullptr;
  TTBSubmenuItem* HelpMenu = nullptr;
  TTBItem* HelpContents = nullptr;
  TTBItem* HelpContentsInBrowser = nullptr;
  TTBItem* HelpOnline = nullptr;
  TTBItem* HelpCheckVersion = nullptr;
  TTBItem* CopyProgramInfotoClipboard = nullptr;
  TTBItem* HelpAboutZUB = nullptr;
  TTBToolbar* EditorToolbar = nullptr;
  TTBItem* FileNewBtn = nullptr;
  TTBSubmenuItem* FileOpenBtn = nullptr;
  TTBItem* FileSaveBtn = nullptr;
  TTBItem* FileSaveAllBtn = nullptr;
  TTBItem* FilePrintBtn = nullptr;
  TTBItem* EditUndoBtn = nullptr;
  TTBItem* EditRedoBtn = nullptr;
  TTBItem* EditCutBtn = nullptr;
  TTBItem* EditCopyBtn = nullptr;
  TTBItem* EditPasteBtn = nullptr;
  TTBItem* SearchFindBtn = nullptr;
  TTBItem* SearchReplaceBtn = nullptr;
  TTBSubmenuItem* ValidateBigBtn = nullptr;
  TTBItem* SpellCheckBigBtn = nullptr;
  TTBSubmenuItem* HelpBigBtn = nullptr;
  TTBItem* HelpBigBtnContents = nullptr;
  TTBItem* HelpBigBtnCheckVersion = nullptr;
  TTBDock* SmallToolbarDock = nullptr;
  TTBToolbar* SmallToolbar = nullptr;
  TTBItem* FileOpenFromTheWebBtn = nullptr;
  TTBItem* ValidateBtn = nullptr;
  TTBItem* SpellCheckSmallBtn = nullptr;
  TTBItem* UnindentBtn = nullptr;
  TTBItem* IndentBtn = nullptr;
  TTBItem* ViewResourceBtn = nullptr;
  TTBItem* ViewSplitViewBtn = nullptr;
  TTBItem* ViewHorzSplitBtn = nullptr;
  TTBItem* ViewFullScreenBtn = nullptr;
  TTBItem* ViewBrowserBtn = nullptr;
  TTBItem* ViewExternalBtn = nullptr;
  TTBItem* ViewGutterBtn = nullptr;
  TTBItem* ViewLineNumbersBtn = nullptr;
  TTBItem* ViewSymbolsBtn = nullptr;
  TTBItem* OptionsWordWrapBtn = nullptr;
  TTBItem* LineHighlightButton = nullptr;
  TTBItem* FirstTabBtn = nullptr;
  TTBItem* LastTabBtn = nullptr;
  TTBDock* EditorLeftDock = nullptr;
  TTBDock* EditorRightDock = nullptr;
  TTBToolWindow* WebBrowserToolWindow = nullptr;
  TPanel* WBToolbarPanel = nullptr;
  TTBDock* WBToolbarDock = nullptr;
  TTBToolbar* WBToolbar = nullptr;
  TTBItem* WBBackBtn = nullptr;
  TTBItem* WBForwardBtn = nullptr;
  TTBItem* WBStopBtn = nullptr;
  TTBItem* WBRefreshBtn = nullptr;
  TTBItem* ViewWBSourceBtn = nullptr;
  TTBItem* WBPreviewBtn = nullptr;
  TTBItem* WBHelpBtn = nullptr;
  TPanel* Panel20 = nullptr;
  TComboBox* OpenCombo = nullptr;
  TButton* WBGoButton = nullptr;
  TStatusBar* WBStatusBar = nullptr;
  TPanel* WBPanel = nullptr;
  TTBDock* EditorBottomDock = nullptr;
  TTBToolWindow* MessageToolWindow = nullptr;
  TEasyEdit* ResultsMessageEdit = nullptr;
  TStatusBar* StatusBar = nullptr;
  TPanel* MainPanel = nullptr;
  TPanel* ResourcePanel = nullptr;
  TPanel* ResourceTopPanel = nullptr;
  TSpeedButton* ShellGoUpBtn = nullptr;
  TSpeedButton* MoveResourceToTopBtn = nullptr;
  TSpeedButton* MoveResourceToLeftBtn = nullptr;
  TSpeedButton* HideResourceBtn = nullptr;
  TPageControl* ResourcePageControl = nullptr;
  TTabSheet* ShellTabSheet = nullptr;
  TPanel* ShellTree1Panel = nullptr;
  TPTShellTree* ShellTree = nullptr;
  TSplitter* Shell1Splitter = nullptr;
  TPanel* ShellListTopPanel = nullptr;
  TComboBox* ShellListFileFilterCombo = nullptr;
  TPTShellList* ShellList = nullptr;
  TTabSheet* ShellTabSheet2 = nullptr;
  TPanel* ShellTree2Panel = nullptr;
  TPTShellTree* ShellTree2 = nullptr;
  TSplitter* Shell2Splitter = nullptr;
  TPanel* ShellListTopPanel2 = nullptr;
  TComboBox* ShellListFileFilterCombo2 = nullptr;
  TPTShellList* ShellList2 = nullptr;
  TTabSheet* OpenedTabSheet = nullptr;
  TListView* OpenedListView = nullptr;
  TTabSheet* Structure2Sheet = nullptr;
  TEasyEdit* StructureEdit2 = nullptr;
  TTabSheet* TreeStructureTabSheet = nullptr;
  ZEZTree* StructureTree = nullptr;
  TSplitter* VertSplit1 = nullptr;
  TPanel* EditorsAndWBPanel = nullptr;
  TPanel* ResultsPanel = nullptr;
  TTBDock* ResultWindowLeftDock = nullptr;
  TTBDock* ResultWindowRightDock = nullptr;
  TPanel* ResultsTopPanel = nullptr;
  TSpeedButton* ResultsWindowMsgSingleClickBtn = nullptr;
  TSpeedButton* ResultsWindowShowToolTips = nullptr;
  TSpeedButton* ResultsWindowSelectBtn = nullptr;
  TSpeedButton* HideResultsWindowBtn = nullptr;
  TPageControl* ResultsPageControl = nullptr;
  TTabSheet* MessagesSheet = nullptr;
  TPanel* MessagesPanel = nullptr;
  TListView* ResultsListView = nullptr;
  TTabSheet* TreeViewSheet = nullptr;
  TPanel* TreeViewPanel = nullptr;
  ZEZTree* ResultsTreeView = nullptr;
  TTabSheet* AccessibilitySheet = nullptr;
  TPanel* AccessibilityPanel = nullptr;
  ZEZTree* AccessibilityTreeView = nullptr;
  TTabSheet* StylesSheet = nullptr;
  TPanel* StylesPanel = nullptr;
  ZEZTree* StyleMessagesTreeView = nullptr;
  TTabSheet* LinksSheet = nullptr;
  TPanel* LinksTopPanel = nullptr;
  TSpeedButton* LinksPlayBtn = nullptr;
  TSpeedButton* LinksStopBtn = nullptr;
  TSpeedButton* LinksNetworkOptionsBtn = nullptr;
  TSpeedButton* LinksHelpBtn = nullptr;
  TAnimate* Animate = nullptr;
  TPanel* LinksPanel = nullptr;
  TLabel* LinkLabel = nullptr;
  TLabel* AbsoluteLabel = nullptr;
  TPanel* LinksPanel2 = nullptr;
  TListView* LinksListView = nullptr;
  TTabSheet* StructureSheet = nullptr;
  TListView* TagCountListView = nullptr;
  TSplitter* StructureSplitter = nullptr;
  TPanel* StructurePanel = nullptr;
  TEasyEdit* StructureEdit = nullptr;
  TTabSheet* ScratchSheet = nullptr;
  TEasyEdit* ScratchPad1Edit = nullptr;
  TSplitter* ScratchSplitter = nullptr;
  TEasyEdit* ScratchPad2Edit = nullptr;
  TSplitter* EditorResultsSplitter = nullptr;
  TPanel* EditorDecorationPanel = nullptr;
  TPanel* DecorationPanelLeft = nullptr;
  TPanel* BothEditorsPanel = nullptr;
  TPanel* Editor1Panel = nullptr;
  TTabControl* TabControl1 = nullptr;
  TEasyEdit* EasyEdit1 = nullptr;
  TSplitter* EditorsSplitter = nullptr;
  TPanel* Editor2Panel = nullptr;
  TTabControl* TabControl2 = nullptr;
  TEasyEdit* EasyEdit2 = nullptr;
  TTBPopupMenu* EditorPopupMenu = nullptr;
  TTBItem* EditorPopupCut = nullptr;
  TTBItem* EditorPopupCopy = nullptr;
  TTBItem* EditorPopupPaste = nullptr;
  TTBItem* EditorPopupSelectAll = nullptr;
  TTBSubmenuItem* EditorPopupSelection = nullptr;
  TTBItem* EditorPopupOpenFile = nullptr;
  TTBItem* EditorPopupLowercase = nullptr;
  TTBItem* EditorPopupUppercase = nullptr;
  TTBItem* EditorPopupConvertToEntities = nullptr;
  TTBItem* EditorPopupIndent = nullptr;
  TTBItem* EditorPopupUnindent = nullptr;
  TTBItem* EditorPopupSpellCheck = nullptr;
  TTBSubmenuItem* EditorPopupToggleBookmark = nullptr;
  TTBSubmenuItem* EditorPopupGotoBookmark = nullptr;
  TTBItem* EditorPopupValidate = nullptr;
  TTBItem* EditorPopupValidateWithWizard = nullptr;
  TTBItem* EditorPopupSave = nullptr;
  TTBItem* EditorPopupSaveAll = nullptr;
  TTBItem* EditorPopupReload = nullptr;
  TTBPopupMenu* GenericMemoPopup = nullptr;
  TTBItem* GenericMemoPopupCut = nullptr;
  TTBItem* GenericMemoPopupCopy = nullptr;
  TTBItem* GenericMemoPopupPaste = nullptr;
  TTBItem* GenericMemoPopupPrint = nullptr;
  TTBItem* GenericMemoPopupSelectAll = nullptr;
  TTBPopupMenu* ResultsPopupMenu = nullptr;
  TTBItem* ResultsPopupValidateHTML = nullptr;
  TTBItem* ResultsPopupValidateWithWizard = nullptr;
  TTBItem* ResultsListRefresh = nullptr;
  TTBItem* ResultsListClear = nullptr;
  TTBSubmenuItem* ResultsPopupCopyToClipboard = nullptr;
  TTBItem* ResultsPopupCopyToClipboardInXML = nullptr;
  TTBItem* ResultsPopupExportLinks = nullptr;
  TTBItem* ResultsPopupCheckLinks = nullptr;
  TTBItem* ResultsPopupStopCheckingLinks = nullptr;
  TTBItem* ResultsPopupNetworkOptions = nullptr;
  TTBItem* ResultsPopupResetLinkCache = nullptr;
  TTBSeparatorItem* ResultsPopupOptionsSeparatorItem = nullptr;
  TTBSubmenuItem* ResultsPopupOptions = nullptr;
  TTBItem* ResultsPopupChangeToError = nullptr;
  TTBItem* ResultsPopupChangeToWarning = nullptr;
  TTBItem* ResultsPopupChangeToMessage = nullptr;
  TTBItem* ResultsPopupChangeToComment = nullptr;
  TTBItem* ResultsPopupChangeToDefault = nullptr;
  TTBItem* ResultsPopupEnableMessage = nullptr;
  TTBItem* ResultsPopupDisableMessage = nullptr;
  TTBItem* ResultsPopupQuickHelp = nullptr;
  TTBPopupMenu* ShellListPopupMenu = nullptr;
  TTBItem* ShellListNewFolder = nullptr;
  TTBItem* ShellListRefresh = nullptr;
  TTBPopupMenu* OpenedPopupMenu = nullptr;
  TTBItem* OpenedValidateAll = nullptr;
  TTBItem* OpenedRefresh = nullptr;
  TTBPopupMenu* StatusBarPopupMenu = nullptr;
  TTBItem* HideStatusBar = nullptr;
  TTBPopupMenu* EditorMenuBarDockPopupMenu = nullptr;
  TTBItem* AllowDrag = nullptr;
  TTBItem* DisallowDrag = nullptr;
  TTBItem* HideSpeedBar = nullptr;
  TTBPopupMenu* LinksPanelPopupMenu = nullptr;
  TTBItem* HideLinkInfoPanel = nullptr;
  TTBPopupMenu* DragDropPopupMenu = nullptr;
  TTBItem* DragDropPopupUseValidator = nullptr;
  TTBItem* DragDropPopupUseTool = nullptr;
  TTBItem* HideDragDropWindow = nullptr;
  TTBPopupMenu* ResultsAreaPopupMenu = nullptr;
  TTBItem* HideResultsWindow = nullptr;
  TPTOpenDlg* PTOpenDialog = nullptr;
  TPTSaveDlg* PTSaveDialog = nullptr;
  TTBSkin* TBSkin = nullptr;
  TImageList* EditorImageList = nullptr;
  TEasyEditorParser* EasyEditorParser1 = nullptr;

  // ---- Handlers bound in the layout ------------------------------------------------------------------------
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormDestroy(TObject* Sender);
  void FormResize(TObject* Sender);
  void FormCanResize(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);
  void EditorMenuBarDockRequestDock(TObject* Sender, TTBCustomDockableWindow* Bar, bool& Accept);
  void EditorMenuBarDockResize(TObject* Sender);
  void FileNewClick(TObject* Sender);
  void FileOpenClick(TObject* Sender);
  void FileOpenFromTheWebClick(TObject* Sender);
  void FileReloadClick(TObject* Sender);
  void FileSaveClick(TObject* Sender);
  void FileSaveAsClick(TObject* Sender);
  void FileSaveAllClick(TObject* Sender);
  void FileCloseClick(TObject* Sender);
  void FileCloseAllClick(TObject* Sender);
  void FileCloseCompleteClick(TObject* Sender);
  void FilePrintClick(TObject* Sender);
  void FilePrintPreviewClick(TObject* Sender);
  void FilePrinterSetupClick(TObject* Sender);
  void FileExitClick(TObject* Sender);
  void EditUndoClick(TObject* Sender);
  void EditRedoClick(TObject* Sender);
  void EditUndoLastMajorChangeClick(TObject* Sender);
  void EditCutClick(TObject* Sender);
  void EditCopyClick(TObject* Sender);
  void EditPasteClick(TObject* Sender);
  void EditSelectAllClick(TObject* Sender);
  void EditGoToLineClick(TObject* Sender);
  void SearchFindClick(TObject* Sender);
  void SearchFindAgainClick(TObject* Sender);
  void SearchReplaceClick(TObject* Sender);
  void ViewToolbarClick(TObject* Sender);
  void ViewSmallToolbarClick(TObject* Sender);
  void ViewStatusBarClick(TObject* Sender);
  void ViewResourceClick(TObject* Sender);
  void ViewResultsClick(TObject* Sender);
  void ViewMessageClick(TObject* Sender);
  void ViewLinkInfoPanelClick(TObject* Sender);
  void ViewWebBrowserClick(TObject* Sender);
  void ViewTagInserterClick(TObject* Sender);
  void ViewCSSInserterClick(TObject* Sender);
  void ViewUserInserterClick(TObject* Sender);
  void ViewFullScreenClick(TObject* Sender);
  void ViewSplitViewClick(TObject* Sender);
  void ViewGutterClick(TObject* Sender);
  void ViewLineNumbersClick(TObject* Sender);
  void ViewLineSeparatorsClick(TObject* Sender);
  void ViewRightMarginClick(TObject* Sender);
  void ViewSymbolsButtonClick(TObject* Sender);
  void ViewWrapBookmarkClick(TObject* Sender);
  void LineHighlightButtonClick(TObject* Sender);
  void ViewNextDocumentClick(TObject* Sender);
  void ViewPreviousDocumentClick(TObject* Sender);
  void ViewNextMessageClick(TObject* Sender);
  void ViewPreviousMessageClick(TObject* Sender);
  void ViewNextResultsPageClick(TObject* Sender);
  void ViewPreviousResultsPageClick(TObject* Sender);
  void ViewExternalBtnClick(TObject* Sender);
  void OptionsLoggingViewClick(TObject* Sender);
  void ViewRefreshResourceWindowClick(TObject* Sender);
  void ViewRefreshMainWindowClick(TObject* Sender);
  void TagsStartTagClick(TObject* Sender);
  void TagsEndTagClick(TObject* Sender);
  void TagsBoldClick(TObject* Sender);
  void TagsItalicClick(TObject* Sender);
  void TagsUnderlineClick(TObject* Sender);
  void TagsAClick(TObject* Sender);
  void TagsBlockquoteClick(TObject* Sender);
  void TagsBreakClick(TObject* Sender);
  void TagsBreakAndNewlineClick(TObject* Sender);
  void TagsCenterClick(TObject* Sender);
  void TagsCommentClick(TObject* Sender);
  void TagsHorizontalRuleClick(TObject* Sender);
  void TagsParagraphClick(TObject* Sender);
  void TagsColorClick(TObject* Sender);
  void TagsHTML401StrictClick(TObject* Sender);
  void TagsHTML401TransitionalClick(TObject* Sender);
  void TagsHTML401FramesetClick(TObject* Sender);
  void TagsXHTML10StrictClick(TObject* Sender);
  void TagsXHTML10TransitionalClick(TObject* Sender);
  void TagsXHTML10FramesetClick(TObject* Sender);
  void XHTML111Click(TObject* Sender);
  void TagsXMLDeclarationClick(TObject* Sender);
  void TagsWMLPrologueClick(TObject* Sender);
  void TagsEntitiesAmpersandClick(TObject* Sender);
  void TagsEntitiesCopyrightClick(TObject* Sender);
  void TagsEntitiesDoubleQuoteClick(TObject* Sender);
  void TagsEntitiesGreaterThanClick(TObject* Sender);
  void TagsEntitiesLessThanClick(TObject* Sender);
  void TagsEntitiesSpaceClick(TObject* Sender);
  void TagsEntitiesTrademarkClick(TObject* Sender);
  void TagsFormsFORMClick(TObject* Sender);
  void TagsFormsINPUTClick(TObject* Sender);
  void TagsFormsOPTIONClick(TObject* Sender);
  void TagsFormsSELECTClick(TObject* Sender);
  void TagsFormsTEXTAREAClick(TObject* Sender);
  void TagsFramesFRAMESETClick(TObject* Sender);
  void TagsFramesFRAMEClick(TObject* Sender);
  void TagsFramesIFRAMEClick(TObject* Sender);
  void TagsFramesNOFRAMESClick(TObject* Sender);
  void TagsHeadingsH1Click(TObject* Sender);
  void TagsHeadingsH2Click(TObject* Sender);
  void TagsHeadingsH3Click(TObject* Sender);
  void TagsHeadingsH4Click(TObject* Sender);
  void TagsHeadingsH5Click(TObject* Sender);
  void TagsHeadingsH6Click(TObject* Sender);
  void TagsListsOLClick(TObject* Sender);
  void TagsListsULClick(TObject* Sender);
  void TagsListsLIClick(TObject* Sender);
  void TagsListsDDClick(TObject* Sender);
  void TagsListsDTClick(TObject* Sender);
  void TagsListsMENUClick(TObject* Sender);
  void TagsMediaAPPLETClick(TObject* Sender);
  void TagsMediaBGSOUNDClick(TObject* Sender);
  void TagsMediaEMBEDClick(TObject* Sender);
  void TagsMediaIMGClick(TObject* Sender);
  void TagsMediaOBJECTClick(TObject* Sender);
  void TagsMetaAuthorClick(TObject* Sender);
  void TagsMetaCopyrightClick(TObject* Sender);
  void TagsMetaCSS1Click(TObject* Sender);
  void TagsMetaCSS2Click(TObject* Sender);
  void TagsMetaDescriptionClick(TObject* Sender);
  void TagsMetaKeywordsClick(TObject* Sender);
  void TagsMetaRSACiRatingClick(TObject* Sender);
  void TagsTablesTABLEClick(TObject* Sender);
  void TagsTablesTRClick(TObject* Sender);
  void TagsTablesTHClick(TObject* Sender);
  void TagsTablesTDClick(TObject* Sender);
  void TagsTablesCAPTIONClick(TObject* Sender);
  void TagsTablesTHEADClick(TObject* Sender);
  void TagsTablesTBODYClick(TObject* Sender);
  void TagsTablesTFOOTClick(TObject* Sender);
  void TagsTextACRONYMClick(TObject* Sender);
  void TagsTextBIGClick(TObject* Sender);
  void TagsTextBLINKClick(TObject* Sender);
  void TagsTextCITEClick(TObject* Sender);
  void TagsTextCODEClick(TObject* Sender);
  void TagsTextDELClick(TObject* Sender);
  void TagsTextDFNClick(TObject* Sender);
  void TagsTextEMClick(TObject* Sender);
  void TagsTextFONTClick(TObject* Sender);
  void TagsTextINSClick(TObject* Sender);
  void TagsTextKBDClick(TObject* Sender);
  void TagsTextQClick(TObject* Sender);
  void TagsTextSClick(TObject* Sender);
  void TagsTextSAMPClick(TObject* Sender);
  void TagsTextSMALLClick(TObject* Sender);
  void TagsTextSTRIKEClick(TObject* Sender);
  void TagsTextSTRONGClick(TObject* Sender);
  void TagsTextSUBClick(TObject* Sender);
  void TagsTextSUPClick(TObject* Sender);
  void TagsTextTTClick(TObject* Sender);
  void TagsTextVARClick(TObject* Sender);
  void ToolsValidateClick(TObject* Sender);
  void ToolsValidateAllClick(TObject* Sender) override;
  void ToolsValidateWithBatchWizardClick(TObject* Sender);
  void ToolsValidateAllWithBatchWizardClick(TObject* Sender);
  void RevalidateLastDocument1Click(TObject* Sender);
  void ValidateStyleSheetwithTopStyle1Click(TObject* Sender);
  void ToolsSpellCheckClick(TObject* Sender);
  void ToolsSpellCheckAllClick(TObject* Sender);
  void ToolsLowercaseClick(TObject* Sender);
  void ToolsUppercaseClick(TObject* Sender);
  void ToolsStripClick(TObject* Sender);
  void ToolsQuoteClick(TObject* Sender);
  void ToolsTemplateClick(TObject* Sender);
  void ToolsConvertClick(TObject* Sender);
  void ToolsBatchWizardClick(TObject* Sender) override;
  void ToolsToolsOptionsClick(TObject* Sender);
  void ToolsHelpClick(TObject* Sender);
  void OptionsEditorOptionsClick(TObject* Sender) override;
  void OptionsValidatorOptionsClick(TObject* Sender);
  void OptionsValidatorOptionsPopup(TTBCustomItem* Sender, bool FromLink);
  void OptionsEnableAccessibilityCheckingClick(TObject* Sender);
  void OptionsEnableCSSCheckingClick(TObject* Sender);
  void OptionsHTMLConfigurationEditorClick(TObject* Sender) override;
  void SettingsHTMLConfigLoad1Click(TObject* Sender);
  void SettingsHTMLConfigSave1Click(TObject* Sender);
  void SettingsHTMLConfigSaveAs1Click(TObject* Sender);
  void SettingsHTMLConfigClean1Click(TObject* Sender);
  void SettingsHTMLConfigReset1Click(TObject* Sender);
  void OptionsHTMLConfigExportProgramsClick(TObject* Sender);
  void OptionsHTMLConfigImportProgramsClick(TObject* Sender);
  void OptionsSpellCheckerClick(TObject* Sender) override;
  void OptionsLiveSpellClick(TObject* Sender);
  void OptionsWordWrapClick(TObject* Sender);
  void OptionsSyntaxHighlightingClick(TObject* Sender);
  void OptionsTagInserterEditClick(TObject* Sender);
  void OptionsTagInserterReloadClick(TObject* Sender);
  void OptionsCSSInserterEditClick(TObject* Sender);
  void OptionsCSSInserterReloadClick(TObject* Sender);
  void OptionsUserInserterEditClick(TObject* Sender);
  void OptionsUserInserterReloadClick(TObject* Sender);
  void DragDropViewDragDropWindowClick(TObject* Sender);
  void DragDropUseValidatorClick(TObject* Sender) override;
  void DragDropUseToolClick(TObject* Sender) override;
  void DragDropOptionsClick(TObject* Sender);
  void OptionsLoggingEnableClick(TObject* Sender);
  void OptionsLoggingDeleteClick(TObject* Sender);
  void OptionsAddAssociationsClick(TObject* Sender);
  void OptionsRemoveAssociationsClick(TObject* Sender);
  void SettingsMakeSourceViewerClick(TObject* Sender);
  void RestoreSourceViewerinInternetExplorer1Click(TObject* Sender);
  void LinksZUBHomeClick(TObject* Sender);
  void LinksSupportClick(TObject* Sender);
  void LinksDownloadClick(TObject* Sender);
  void LinksSpecsHTML401Click(TObject* Sender);
  void LinksSpecsXHTML10Click(TObject* Sender);
  void LinksSpecsXHTML11Click(TObject* Sender);
  void LinksSpecsCSS1Click(TObject* Sender);
  void LinksSpecsCSS2Click(TObject* Sender);
  void TBItem8Click(TObject* Sender);
  void LinksWorldWideWebConsortiumClick(TObject* Sender);
  void LinksSection508AccessibilityClick(TObject* Sender);
  void LinksInternetContentRatingAssociationClick(TObject* Sender);
  void LinksWPForumClick(TObject* Sender);
  void HelpContentsClick(TObject* Sender);
  void WBHelpBtnClick(TObject* Sender);
  void HelpOnlineClick(TObject* Sender);
  void HelpCheckVersionClick(TObject* Sender);
  void CopyProgramInfotoClipboard1Click(TObject* Sender);
  void HelpAboutZUBClick(TObject* Sender) override;
  void EditorToolbarClose(TObject* Sender);
  void EditorToolbarVisibleChanged(TObject* Sender);
  void ValidateBigBtnPopup(TTBCustomItem* Sender, bool FromLink);
  void SmallToolbarDockRequestDock(TObject* Sender, TTBCustomDockableWindow* Bar, bool& Accept);
  void SmallToolbarVisibleChanged(TObject* Sender);
  void UnindentBtnClick(TObject* Sender);
  void IndentBtnClick(TObject* Sender);
  void ViewHorzSplitBtnClick(TObject* Sender);
  void ViewBrowserBtnClick(TObject* Sender);
  void FirstTabBtnClick(TObject* Sender);
  void LastTabBtnClick(TObject* Sender);
  void EditorLeftDockRequestDock(TObject* Sender, TTBCustomDockableWindow* Bar, bool& Accept);
  void WebBrowserToolWindowVisibleChanged(TObject* Sender);
  void WebBrowserToolWindowDockChanged(TObject* Sender);
  void WebBrowserToolWindowDockChanging(TObject* Sender, bool Floating, TTBDock* DockingTo);
  void WBBackBtnClick(TObject* Sender);
  void WBForwardBtnClick(TObject* Sender);
  void WBStopButtonClick(TObject* Sender);
  void WBRefreshBtnClick(TObject* Sender);
  void ViewWBSourceBtnClick(TObject* Sender);
  void WBPreviewBtnClick(TObject* Sender);
  void Panel20Resize(TObject* Sender);
  void OpenComboKeyPress(TObject* Sender, char& Key);
  void WBGoButtonClick(TObject* Sender);
  void MessageToolWindowVisibleChanged(TObject* Sender);
  void ShellGoUpBtnClick(TObject* Sender);
  void MoveResourceToTopBtnClick(TObject* Sender);
  void MoveResourceToLeftBtnClick(TObject* Sender);
  void ResourcePageControlChange(TObject* Sender);
  void Shell1SplitterMoved(TObject* Sender);
  void ShellListTopPanelResize(TObject* Sender);
  void ShellListFileFilterComboChange(TObject* Sender);
  void ShellListFileFilterComboDropDown(TObject* Sender);
  void ShellListFileFilterComboEnter(TObject* Sender);
  void ShellListFileFilterComboExit(TObject* Sender);
  void ShellListFileFilterComboKeyPress(TObject* Sender, char& Key);
  void ShellListDblClickOpen(TObject* Sender, bool& Handled);
  void Shell2SplitterMoved(TObject* Sender);
  void OpenedListViewClick(TObject* Sender);
  void OpenedListViewColumnClick(TObject* Sender, TListColumn* Column);
  void StructureEdit2MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void VertSplit1Moved(TObject* Sender);
  void ResultsPanelResize(TObject* Sender);
  void ResultWindowLeftDockRequestDock(TObject* Sender, TTBCustomDockableWindow* Bar, bool& Accept);
  void ZUBQEFormBottomDockRequestDock(TObject* Sender, TTBCustomDockableWindow* Bar, bool& Accept);
  void ResultsWindowMsgSingleClickBtnClick(TObject* Sender);
  void ResultsWindowShowToolTipsClick(TObject* Sender);
  void ResultsWindowSelectBtnClick(TObject* Sender);
  void ResultsPageControlChange(TObject* Sender);
  void ResultsListViewClick(TObject* Sender);
  void ResultsListViewDblClick(TObject* Sender);
  void ResultsListViewEnter(TObject* Sender);
  void ResultsListViewColumnClick(TObject* Sender, TListColumn* Column);
  void ResultsListViewSelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void ResultsTreeViewChange(TObject* Sender, ZEZTreeNode* Node);
  void ResultsTreeViewClick(TObject* Sender);
  void ResultsTreeViewDblClick(TObject* Sender);
  void ResultsTreeViewRightClickNode(TObject* Sender, ZEZTreeNode* Node, TRightClickAction& Action);
  void LinksPlayBtnClick(TObject* Sender);
  void LinksStopBtnClick(TObject* Sender);
  void LinksNetworkOptionsBtnClick(TObject* Sender);
  void LinksHelpBtnClick(TObject* Sender);
  void LinksListViewColumnClick(TObject* Sender, TListColumn* Column);
  void LinksListViewDblClick(TObject* Sender);
  void LinksListViewSelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void StructureSheetResize(TObject* Sender);
  void TagCountListViewColumnClick(TObject* Sender, TListColumn* Column);
  void StructureSplitterMoved(TObject* Sender);
  void ScratchSheetResize(TObject* Sender);
  void ScratchSplitterMoved(TObject* Sender);
  void ScratchPad2EditResize(TObject* Sender);
  void HorzSplit1Change(TObject* Sender);
  void EditorDecorationPanelResize(TObject* Sender);
  void DecorationPanelLeftResize(TObject* Sender);
  void BothEditorsPanelResize(TObject* Sender);
  void TabControlChange(TObject* Sender);
  void EasyEdit1Enter(TObject* Sender);
  void EasyEdit1GutterClick(TObject* Sender, int Line, int Index);
  void EasyEdit1SourceChanged(TObject* Sender, TEasyEditSourceStates State);
  void EditorsSplitterMoved(TObject* Sender);
  void TabControl2MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void EditorPopupMenuPopup(TObject* Sender);
  void EditorPopupOpenFileClick(TObject* Sender);
  void EditorPopupLowercaseClick(TObject* Sender);
  void EditorPopupUppercaseClick(TObject* Sender);
  void EditorPopupConvertToEntitiesClick(TObject* Sender);
  void EditorPopupSpellCheckClick(TObject* Sender);
  void GenericMemoPopupPopup(TObject* Sender);
  void ResultsPopupMenuPopup(TObject* Sender);
  void ResultsListRefreshClick(TObject* Sender);
  void ResultsListClearClick(TObject* Sender);
  void ResultsPopupCopyToClipboardClick(TObject* Sender);
  void ResultsPopupCopyToClipboardInXMLClick(TObject* Sender);
  void ResultsPopupExportLinksClick(TObject* Sender);
  void ResultsPopupResetLinkCacheClick(TObject* Sender);
  void ResultsPopupChangeToErrorClick(TObject* Sender);
  void ResultsPopupDisableMessageClick(TObject* Sender);
  void ResultsPopupQuickHelpClick(TObject* Sender);
  void ShellListNewFolderClick(TObject* Sender);
  void ShellListRefreshClick(TObject* Sender);
  void OpenedRefreshClick(TObject* Sender);
  void HideStatusBarClick(TObject* Sender);
  void AllowDragClick(TObject* Sender);
  void DisallowDragClick(TObject* Sender);
  void HideSpeedBarClick(TObject* Sender);
  void HideDragDropWindowClick(TObject* Sender) override;
  void HideResultsWindowClick(TObject* Sender);
  void PTOpenDialogFormShow(TObject* Sender);
  void PTOpenDialogFormClose(TObject* Sender);
  void PTSaveDialogFormShow(TObject* Sender);
  void PTSaveDialogFormClose(TObject* Sender);

  // ---- Handlers installed at run time --------------------------------------------------------------------
  // The application's events, installed by FormCreate.
  void ApplicationIdle(TObject* Sender, bool& Done);
  void ApplicationActivate(TObject* Sender);
  void ApplicationDeactivate(TObject* Sender);
  void ApplicationHint(TObject* Sender);
  void ApplicationMinimize(TObject* Sender);
  // OnEnter of the document editors when the core binds it at run time (the same work as EasyEdit1Enter).
  void EasyEditEnter(TObject* Sender);
  // A click in the results list or a results tree.
  void MessageClick(TObject* Sender);
  // The web browser's refresh timer.
  void BrowserTimerTimer(TObject* Sender);
  // The inserter toolbars' items and visibility.
  void InserterItemClick(TObject* Sender);
  void InserterItemSelect(TTBCustomItem* Sender, TTBItemViewer* Viewer, bool Selecting);
  void InserterToolbarVisibleChanged(TObject* Sender);
  // The spell checker's text and completion events.
  void SpellGetString(TObject* Sender, int Id, std::string& Text);
  void LexiSpellCompleteCheck(TObject* Sender);

  // ---- Lifecycle, activation and the hot key ------------------------------------------------------------
  // WM_HOTKEY: restores the application and makes the window the foreground and active window.
  void RestoreFromHotKey(TMessage& Message);

  // ---- Message boxes, status bar and title --------------------------------------------------------------
  // The program's message box: flags 1 error icon, 2 information icon (wins over 1), 4 yes/no question; 0x100
  // keeps the text off the status bar, 0x200 shows no box. IDYES or IDNO for a question, else 0.
  int ShowMessageBox(const StrStore& Text, const StrStore& Caption, int Flags) override;
  // Kind 1 "There are no messages available.", kind 2 "This feature is not yet implemented."; 0.
  int ShowInfoKind(int Kind);
  void ShowInfoMessage(int Kind) override;
  void SetStatusText(const StrStore& Text) override;
  int SetStatusText(const char* Text);
  // Writes the status panels by flags; 1 (nothing written) without a root object or while shutting down.
  int UpdateStatusPanels(int Flags, int ChangedState, int ReadOnly);
  // The title for the document at the tab control's current tab (the current editor's tab control when null).
  std::string GetTitleText(TComponent* TabControl);
  void UpdateTitle(int Flags) override;

  // ---- Document tabs and file commands (their own sources) ------------------------------------------------
  int AddNewFileTab(TComponent* TabControl, const char* NameOrAddress, int Flags, fileinfoextraclass* Extra) override;
  int SelectTab(TComponent* TabControl, int TabIndex, int Flags) override;
  [[nodiscard]] int CloseFileTab(TComponent* TabControl, int Index, int Flags);
  [[nodiscard]] int CloseAllTabFiles(TComponent* TabControl, int Flags);
  int CloseALLFiles(int Flags) override;
  [[nodiscard]] int SaveFileTab(TComponent* TabControl, int Index, int Flags);
  [[nodiscard]] int SaveAllTabFiles(TComponent* TabControl);
  [[nodiscard]] int SaveALLFiles();
  [[nodiscard]] int UpdateTabControls();
  [[nodiscard]] int UpdateTab(TComponent* TabControl, int Index);
  fileinfoclass* GetCurrentFile() override;
  // The open document of that name and, when asked, its tab control; null when none is open.
  fileinfoclass* FindOpenDocument(const char* Name, TComponent** TabControl);
  void CheckFileChangedOnDisk(int Flag) override;
  [[nodiscard]] int Reload(fileinfoclass* Document);
  int BuildReopenMenus(StringArrayStore* List);
  // Downloads the record's address into the temporary file of that name and opens it as a saved, writable web
  // document (flag 2: a copy of the record; else the record is taken over). 0 opened, -1 no record, -2 download
  // failed (reported), -3 no memory.
  int OpenWebDocument(fileinfoextraclass* Origin, const char* PseudoName, int Flags) override;
  // The web download of AddNewFileTab: the name (flag 0x10) or a copy of the record (0x20) is downloaded and
  // opened into the tab control as a changed document. AddNewFileTab's result; -9 when the download failed.
  int OpenWebAddress(TComponent* TabControl, const char* Name, int Flags, fileinfoextraclass* Extra);
  bool GetOpenFromWebCredentialsCheck(bool& Checked) override;
  // The steps of AddNewFileTab and CloseFileTab after their checks (Quickeditmainformfiles.cpp).
  int OpenIntoTabs(TComponent* Tabs, tabinfoclass* Record, const char* Name, int Flags);
  int LoadNamedDocument(fileinfoclass* Document, const char* Name, int Flags);
  void ReplacePlaceholder(TComponent* Tabs, tabinfoclass* Record, int Flags);
  int AskToSaveBeforeClosing(TComponent* TabControl, int Index, fileinfoclass* Document, int Flags);
  // The Save As part of SaveFileTab: asks for a name until one is accepted (1 when cancelled) and saves under it; a
  // failed save gives the document back its old name and state (Quickeditmainformsave.cpp).
  int SaveFileTabAs(TComponent* Tabs, int Index, fileinfoclass* Document, int Flags);
  // The open document, other than Except, that is the named file (by identity), or null.
  fileinfoclass* FindOtherDocumentOfFile(const char* Name, fileinfoclass* Except);
  // CheckFileChangedOnDisk with its result: 0, 1 changed (flag 1: only report), 2 reload refused or impossible,
  // 3 shutting down.
  int CheckDiskChanges(int Flags);
  // Opens a file chosen in the open dialog, asking to create it when it does not exist.
  void OpenChosenFile(const std::string& Name);
  // A recent-files item or "Clear Recent Files List" clicked: the work is posted (WM_REOPEN_RECENT), because it
  // rebuilds the menus that hold the item; ReopenRecent does it (LParam 1: clear the list).
  void ReopenItemClick(TObject* Sender);
  void ReopenRecent(TMessage& Message);
  std::string PendingReopen;
  // The next (Step 1) or previous (-1) tab of the current editor's tab control, wrapping at the ends.
  void SelectNeighbourTab(int Step);
  // Non-zero while a save, a reload or a test for changes on disk runs: the window's activation when one of their
  // questions closes does not start another test meanwhile.
  int DiskQuestionDepth = 0;
  // The folders the open and save dialogs used last in this process; empty until then.
  static std::string LastOpenFolder;
  static std::string LastSaveFolder;
  int OpenDroppedFiles(HDROP Drop, int Flags);

  // ---- Document state and the Opened list (their own sources) ---------------------------------------------
  int MarkDocumentSaved(fileinfoclass* Document);
  int MarkDocumentModified(fileinfoclass* Document);
  void UpdateOpenedListItem(fileinfoclass* Document, int Flags) override;
  void ReplaceOpenedListDocument(fileinfoclass* Old, fileinfoclass* New, int Flags) override;
  int RefillOpenedList(int Flags);
  int SortOpenedList(TListColumn* Column, int Flags);

  // ---- Layout and view settings ---------------------------------------------------------------------------
  int ApplyViewSettings(int Flags);
  int ApplySettings(int Flags) override;
  void UpdateMenuChecks() override;
  // Records the window's left, top, width and height as its normal bounds when it is visible, in the normal
  // state and not in full screen.
  void SaveFormBounds() override;
  int ShowResultsArea(int Show);
  int PlaceResourceWindow(int Show);
  int UpdateDragDropWindow();
  // The positions of the window's toolbars and tool windows (inserters included) under the interface key.
  void SaveToolbarPositions() override;
  void LoadToolbarPositions() override;
  // OnDockChanging of the message window: docking beside or below the editors cuts it to a share of the window.
  void MessageToolWindowDockChanging(TObject* Sender, bool Floating, TTBDock* DockingTo);
  // The steps of ApplyViewSettings (Quickeditmainformview.cpp).
  void ApplyShellOptions();
  void ApplyEditorDisplayOptions();
  void ApplyFullScreen();
  void ApplySplitView();
  void ApplyWebBrowserPane(int Flags);
  // Focuses the active editor (FOCUS_AS_ACTIVE_CONTROL: as the window's active control); nothing when it cannot.
  void FocusActiveEditor(int How);
  // The parts of ApplySettings (Quickeditmainformviewcommands.cpp): the Validate button's menu, the skin, the
  // batch wizard's progress editor, and the engine's logging flag for the menu check.
  void BuildValidateMenu();
  void ApplySkin();
  void ApplyBatchWizardAppearance();
  bool EngineLoggingEnabled();
  // Full screen: -1 not decided yet, 0 off, 1 on; and the window state to go back to when it ends.
  int FullScreenState = -1;
  TWindowState SavedWindowState = wsNormal;
  // The colour dialog of the Tags menu, made on first use and owned by the window.
  TColorDialog* TagColorDialog = nullptr;

  // ---- Results, links, validation and tools ---------------------------------------------------------------
  int ShowDocumentResults(fileinfoclass* Document, int Flags);
  void ShowResultCounts(int Flag) override;
  int SelectMessage(msginfoclass* Message, int Flags);
  int GoToMessage(TObject* Sender, int Flags);
  int ExportResults(TObject* Sender, int Flags);
  int ValidateDocuments(TObject* Sender, fileinfoclass* Document, int Flags, int Configuration);
  int CheckLinks(TObject* Sender, int Flags);
  void UpdateLinkCheckButtons() override;
  // The results part's own members (Quickeditmainformvalidate/results/links/export/navigation.cpp).
  // True when the results area is on screen.
  bool ResultsAreaShown();
  // Fills the ready list with the current (All false) or every validatable document and hands it to the batch
  // wizard; 1 when the list stayed empty (the user was told).
  int HandToBatchWizard(TObject* Sender, bool All);
  // The services of the message model and the results pages.
  void ReadResults(fileinfoclass* Document, int Flags) override;
  void ShowResults(fileinfoclass* Document, int Flags) override;
  bool ClearResultViews(fileinfoclass* Document) override;
  void UpdateMessagesPageImage(fileinfoclass* Document, int Flags) override;
  void FillLinksPage(fileinfoclass* Document, int Flags) override;
  void UpdateLinksPageImage(fileinfoclass* Document, int Flags) override;
  int ApplyMessageLineStyles(fileinfoclass* Document, int Flags) override;
  // The message of the selected row or node of the active message page (the remembered row on the Messages page
  // when none is selected); null when none.
  msginfoclass* SelectedPageMessage();
  // Selects a message's row or node with the selection events muted.
  void SelectQuietly(TListItem* Item, ZEZTreeNode* Node);
  // Makes a results page active and runs the page-change handler.
  void ActivateResultsPage(TTabSheet* Page);
  void FocusCurrentEditor();
  // The popup's run-time items: a program flag's submenu and the link items.
  void AddFlagItem(int Flag);
  void ProgramFlagItemClick(TObject* Sender);
  void FlagHelpItemClick(TObject* Sender);
  void OpenLinkInEditorClick(TObject* Sender);
  void OpenLinkInBrowserClick(TObject* Sender);
  // The wait after marking the structure line (200 ms; tests put in their own).
  std::function<void(int Milliseconds)> StructureMarkWait;
  // Puts the undo copy into the document array at the index (PAM_DONE or PAM_FAILED); null: the array's own
  // setPointer. Tests put in a placement that fails.
  std::function<int(PointerArrayManager* Documents, fileinfoclass* Copy, int Index)> PlaceUndoCopy;
  // The link of the last double-click on the Links list, so that a second one finds the next occurrence.
  void* LastLinkDoubleClicked = nullptr;
  int InsertTag(const char* StartText, const char* EndText, int Flags);
  // The Tags menu's command of that item name: its text for an XHTML or any other document inserted through
  // InsertTag (InsertTag's result).
  int InsertTagsCommand(const char* Command);
  // Whether the current document carries the XHTML mark; false without one.
  bool CurrentDocumentIsXhtml();
  int InserterCommand(int KindMask, int Flags);
  // Flips an inserter's visibility bit and lets every inserter follow its bit.
  void ToggleInserter(int KindMask);

  // ---- Web browser, shell panes and spelling --------------------------------------------------------------
  void NavigateWebBrowser(TObject* Sender, int Flags) override;
  int NavigateTo(const char* Address, int Flags);
  int IsPreviewable(fileinfoclass* Document, const char* Name, int Flags);
  int CreateWebBrowser();
  int ToggleWebBrowser(int Flags);
  int WaitForBrowser(int Flags);
  int WebBrowserDocumentComplete(TObject* Sender, TObject* Frame, int Flags);
  fileinfoclass* GetBrowserSourceDocument(int* Index);
  int ShowBrowserSourceTab(int Flags);
  // The browser's events and its window procedure (installed by CreateWebBrowser).
  void WebBrowserStatusTextChange(TObject* Sender, const std::string& Text);
  void WebBrowserCommandStateChange(TObject* Sender, int Command, bool Enable);
  void WebBrowserWindowProc(TBrowserControl* Browser, TMessage& Message);
  // Fills the address box from the address history, its first entry as the text.
  void FillAddressBox();
  // Whether the browser exists and is loading a page.
  bool WebBrowserBusy();
  TPTShellTree* GetActiveShellTree(int Flags);
  int FillFileFilterCombos(int Flags);
  TEasyEdit* GetSpellCheckEditor(int Flags);
  int CanSpellCheck(TControl* Control, int Flags);
  // Spell checks by flags: 1 the focused document, 2 every document of the active tab control, 4 more documents
  // follow (no end message), 8 the selection only. 0 done or refused, 2 not running, -3 without an active tab
  // control, -1 and -2 internal errors (reported).
  int EkSpellCheckInForm(int Flags);

  // ---- What the core asks of the window -------------------------------------------------------------------
  HWND GetApplicationWindow() override;
  void SetBusyCursor(bool Busy) override;
  bool GetEditorScroll(int Editor, int& Column, int& TopLine) override;
  void SetEditorScroll(int Editor, int Column, int TopLine) override;
  TComponent* GetEditorTabControl(int Editor) override;
  int TabCount(TComponent* TabControl) override;
  int TabIndex(TComponent* TabControl) override;
  void SetTabIndex(TComponent* TabControl, int Index) override;
  int AddTab(TComponent* TabControl, const char* Caption) override;
  void DeleteTabAt(TComponent* TabControl, int Index) override;
  void SetTabCaption(TComponent* TabControl, int Index, const char* Caption) override;
  void InvalidateTabControl(TComponent* TabControl) override;
  TComponent* ResultPlaceholder(int Index) override;
  void SetControlTextNow(TComponent* Control, const char* Text) override;
  TForm* CreateDragDropToolForm() override;
  TForm* MainForm() override;
  TForm* SplashForm() override;
  // What shutdown keeps of the window for the next start.
  int ShellListSortColumn() override;
  int VisibleResultsPanelHeight() override;
  TFont* CurrentEditorFont() override;
  bool GetFileDialogSize(int Dialog, int& Width, int& Height) override;
  TPTOpenDlg* GetOpenDialog() override { return PTOpenDialog; }
  TPTSaveDlg* GetSaveDialog() override { return PTSaveDialog; }
  bool GetShellTreeFolder(int Pane, StrStore& Folder) override;
  bool GetSplitWidths(int& TagCountList, int& StructurePage, int& ScratchPad1, int& ScratchPage) override;
  int ValidateDocuments(fileinfoclass* Document, int Flags, int Configuration) override;

  // ---- Help, links, options and the wait window (their own sources) ----------------------------------------
  // The wait window of network operations, made and shown at once (a null caption or text keeps its own); hidden
  // and freed again.
  void ShowWaitWindow(const char* Caption, const char* Text) override;
  void HideWaitWindow() override;
  // Frees the editor options window when it exists (shutdown).
  void DeleteEditorOptionsWindow() override;
  // What OK in the editor options window brings about: the settings saved (a failed save is reported), the
  // scratch pads' text-store options, every document's kind decided again, the view applied, the results list
  // repainted.
  void ApplyEditorOptions();
  // The wait window while it is shown, else null.
  TUpdateCheckForm* WaitWindow = nullptr;

  // ---- Run-time members -----------------------------------------------------------------------------------
  // The shell's small-icon list, shared (not owned); the Opened list shows its icons.
  TCustomImageList* SystemImageList = nullptr;
  // The document editor (EasyEdit1 or EasyEdit2) that last had the focus.
  TEasyEdit* CurrentEditor = nullptr;
  // Set while a tab change selects a tab, so that the editor's enter event does not select again.
  bool TabChangeGuard = false;
  // Set while the Opened list selects a tab.
  bool SelectingFromOpenedList = false;
  // Set once the browser pane was navigated to the document preview.
  bool BrowserPreviewDone = false;
  // Owned by the window (as a component): the spell checker, null until FormCreate.
  TLexiSpell3* LexiSpell = nullptr;
  // The engine's spell-check callback's view of LexiSpell: made with it, deleted by FormDestroy before it.
  SpellCheckService* EngineSpellService = nullptr;
  SpellCheckService* GetSpellChecker() override { return EngineSpellService; }
  // The web browser and its refresh timer: null until the browser pane is first used.
  TWinControl* WebBrowser = nullptr;
  TTimer* BrowserTimer = nullptr;
  // The message-line styles, made by FormCreate and freed by FormDestroy.
  std::unique_ptr<TEasyLineStyles> LineStyles;
  // The application's icon, loaded by FormCreate from the program folder; null when there is none.
  std::unique_ptr<TIcon> ApplicationIcon;
  // The status bar's document-state cache: 1 "READ ONLY", 2 "CHANGED", 4 "UNCHANGED".
  int StatusStateBits() const { return StatusBar ? static_cast<int>(StatusBar->Tag()) : 0; }

protected:
  void Dispatch(TMessage& Message) override;

private:
  void SetUpSpellChecker();
  // The image strip of the toolbars and menus, and the application's icon.
  void SetUpIcons();
  void SetUpEditorsAndTabs();
  void SetUpMenusAndHints();
  void SetUpTreesAndShell();
  void SetUpSizes();
  void SetUpBookmarkMenus();
  void SetIdleCommandStates(TEasyEdit* Editor, bool InEditor);
  void UnregisterServices();
  void ForgetTabSets();
  bool FServicesRegistered = false;
};

// The main window's own posted message: a recent-files command (TZUBQEForm::ReopenRecent).
inline constexpr UINT WM_REOPEN_RECENT = WM_APP + 0x138;

// Flags of TZUBQEForm::ApplyViewSettings.
inline constexpr int VIEW_KEEP_BOUNDS = 0x1;
inline constexpr int VIEW_APPLY_SETTINGS = 0x2;
inline constexpr int VIEW_EDITOR_ONLY = 0x4;
inline constexpr int VIEW_NO_PREVIEW = 0x8;
inline constexpr int VIEW_KEEP_DOCUMENT_TYPE = 0x10;
// Flags of TZUBQEForm::ApplySettings.
inline constexpr int APPLY_ALL = 0x1;
inline constexpr int APPLY_ALL_MASK = 0x1fce;
inline constexpr int APPLY_RIGHT_MARGIN = 0x2;
inline constexpr int APPLY_TAB_STOPS = 0x4;
inline constexpr int APPLY_APPEARANCE = 0x8;
inline constexpr int APPLY_OPENED_CAPTION = 0x10;
inline constexpr int APPLY_VALIDATE_MENU = 0x20;
inline constexpr int APPLY_SKIN = 0x40;
inline constexpr int APPLY_MESSAGE_LINES = 0x80;
inline constexpr int APPLY_BROWSER_STATUS_BAR = 0x100;
inline constexpr int APPLY_SINGLE_CLICK_BUTTON = 0x200;
inline constexpr int APPLY_TOOLTIPS = 0x400;
inline constexpr int APPLY_FORM_BOUNDS = 0x800;
inline constexpr int APPLY_SELECT_BUTTON = 0x1000;
// How TZUBQEForm::FocusActiveEditor focuses.
inline constexpr int FOCUS_SAFELY = 0;
inline constexpr int FOCUS_AS_ACTIVE_CONTROL = 1;
// Results and flags of TZUBQEForm::InsertTag.
inline constexpr int INSERT_DONE = 0;
inline constexpr int INSERT_READ_ONLY = 1;
inline constexpr int INSERT_NEW_LINE = 0x1;
inline constexpr int INSERT_KEEP_CASE = 0x2;
// Flags of TZUBQEForm::InserterCommand.
inline constexpr int INSERTER_OPEN_FILE = 0x1;
inline constexpr int INSERTER_RELOAD = 0x2;
inline constexpr int INSERTER_CLOSE = 0x10;
// Flags of TZUBQEForm::ShowMessageBox.
inline constexpr int MSG_ERROR = 0x1;
inline constexpr int MSG_INFORMATION = 0x2;
inline constexpr int MSG_QUESTION = 0x4;
inline constexpr int MSG_NOT_ON_STATUS_BAR = 0x100;
inline constexpr int MSG_STATUS_BAR_ONLY = 0x200;
// Flags of TZUBQEForm::UpdateStatusPanels.
inline constexpr int STATUS_CHANGED = 0x1;
inline constexpr int STATUS_UNCHANGED = 0x2;
inline constexpr int STATUS_BY_STATE = 0x4;
inline constexpr int STATUS_INSERT_MODE = 0x8;
inline constexpr int STATUS_POSITION = 0x10;
inline constexpr int STATUS_READ_ONLY = 0x20;
inline constexpr int STATUS_CURRENT_DOCUMENT = 0x40;
inline constexpr int STATUS_CLEAR_STATE = 0x80;
// Flags of TZUBQEForm::UpdateTitle.
inline constexpr int TITLE_SKIP = 0x2;

// Flags of TZUBQEForm::ValidateDocuments.
inline constexpr int VALIDATEDOCS_CURRENT = 0x1;
inline constexpr int VALIDATEDOCS_GIVEN = 0x2;
inline constexpr int VALIDATEDOCS_ALL = 0x4;
// Flags of TZUBQEForm::GoToMessage.
inline constexpr int GOTO_NEXT = 0x1;
inline constexpr int GOTO_ERRORS_ONLY = 0x2;
inline constexpr int GOTO_MESSAGES_PAGE = 0x4;
inline constexpr int GOTO_GROUPED_PAGE = 0x8;
inline constexpr int GOTO_STYLES_PAGE = 0x10;
inline constexpr int GOTO_ACCESSIBILITY_PAGE = 0x20;
inline constexpr int GOTO_DONE = 0;
inline constexpr int GOTO_VALIDATED = 1;
inline constexpr int GOTO_NO_ENTRIES = 2;
// Flags of TZUBQEForm::SelectMessage.
inline constexpr int SELECT_FROM_TREE = 0x1;
inline constexpr int SELECT_FROM_LIST = 0x2;
inline constexpr int SELECT_FROM_STYLES = 0x4;
inline constexpr int SELECT_TEXT_ONLY = 0x8;
inline constexpr int SELECT_RESOLVE = 0x10;
inline constexpr int SELECT_FROM_ACCESSIBILITY = 0x20;
// Flags of TZUBQEForm::CheckLinks.
inline constexpr int CHECKLINKS_MANUAL = 0x1;
inline constexpr int CHECKLINKS_STAY = 0x2;
inline constexpr int CHECKLINKS_AUTOMATIC = 0x4;
inline constexpr int CHECKLINKS_SHOW_PAGE_FIRST = 0x8;
inline constexpr int CHECKLINKS_RUNNING = 1;
inline constexpr int CHECKLINKS_ALREADY_RAN = 2;
inline constexpr int CHECKLINKS_NOTHING_LEFT = 3;
// Flags of TZUBQEForm::ExportResults.
inline constexpr int EXPORT_LINKS = 0x1;
inline constexpr int EXPORT_MESSAGES = 0x2;
inline constexpr int EXPORT_XML = 0x4;

// Kinds of TZUBQEForm::ShowInfoKind.
inline constexpr int INFO_NO_MESSAGES = 1;
inline constexpr int INFO_NOT_IMPLEMENTED = 2;

// The main window's spell checker, owned by Owner and configured for the program (the spell checker's names are
// kept out of the window's own sources, where the trees' names would clash with them).
// The adapter through which the validator engine's spell-check callback asks the main window's spell checker.
SpellCheckService* CreateEngineSpellService(TLexiSpell3* Speller);
TLexiSpell3* CreateMainSpellChecker(TComponent* Owner, const std::string& DictionaryFolder,
                                    std::function<void(TObject* Sender, int Id, std::string& Text)> OnGetString,
                                    TNotifyEvent OnCompleteCheck);

// The XHTML mark of a text: one of its first two lines begins with "<!doctype" and names "xhtml" (any case).
bool IsXhtmlText(TCustomEasyEditSource* Text);

// The main window while it exists.
extern TZUBQEForm* ZUBQEForm;
