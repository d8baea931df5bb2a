object ZUBQEForm: TZUBQEForm
  Left = 0
  Top = 0
  Width = 800
  Height = 600
  Caption = 'ZUB Quillon Pro v6.01'
  Color = clBtnFace
  ActiveControl = EasyEdit1
  OnCreate = FormCreate
  OnShow = FormShow
  OnActivate = FormActivate
  OnCloseQuery = FormCloseQuery
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnCanResize = FormCanResize
  object EditorMenuBarDock: TTBDock
    Left = 0
    Top = 0
    Width = 792
    Height = 50
    OnRequestDock = EditorMenuBarDockRequestDock
    OnResize = EditorMenuBarDockResize
    PopupMenu = EditorMenuBarDockPopupMenu
    object EditorMainMenu: TTBToolbar
      Left = 0
      Top = 0
      Caption = 'Main Menu'
      DockRow = 0
      DockPos = 0
      object FileMenu: TTBSubmenuItem
        Caption = '&File'
        object FileNew: TTBItem
          Caption = '&New'
          ShortCut = 16462
          ImageIndex = 0
          OnClick = FileNewClick
          Hint = 'Create a new document.'
        end
        object FileOpen: TTBSubmenuItem
          Caption = '&Open...'
          ShortCut = 16463
          ImageIndex = 1
          DropdownCombo = True
          OnClick = FileOpenClick
          Hint = 'Open a document.'
        end
        object FileOpenFromTheWeb: TTBItem
          Caption = 'Open from the We&b...'
          OnClick = FileOpenFromTheWebClick
          Hint = 'Open a document from the web.'
        end
        object FileReload: TTBItem
          Caption = '&Reload'
          OnClick = FileReloadClick
          Hint = 'Reload the document from its file.'
        end
        object FileMenuSep1: TTBSeparatorItem
        end
        object FileSave: TTBItem
          Caption = '&Save'
          ShortCut = 16467
          ImageIndex = 2
          OnClick = FileSaveClick
          Hint = 'Save the document.'
        end
        object FileSaveAs: TTBItem
          Caption = 'Save &As...'
          OnClick = FileSaveAsClick
          Hint = 'Save the document under another name.'
        end
        object FileSaveAll: TTBItem
          Caption = 'Sa&ve All'
          ImageIndex = 3
          OnClick = FileSaveAllClick
          Hint = 'Save every changed document.'
        end
        object FileMenuSep2: TTBSeparatorItem
        end
        object FileClose: TTBItem
          Caption = '&Close'
          ShortCut = 16499
          OnClick = FileCloseClick
          Hint = 'Close the document.'
        end
        object FileCloseAll: TTBItem
          Caption = 'C&lose All'
          OnClick = FileCloseAllClick
          Hint = 'Close every document.'
        end
        object FileCloseComplete: TTBItem
          Caption = 'Close Co&mplete'
          OnClick = FileCloseCompleteClick
          Hint = 'Close every document and empty the results.'
        end
        object FileMenuSep3: TTBSeparatorItem
        end
        object FilePrint: TTBItem
          Caption = '&Print...'
          ShortCut = 16464
          ImageIndex = 4
          OnClick = FilePrintClick
          Hint = 'Print the document.'
        end
        object FilePrintPreview: TTBItem
          Caption = 'Print Pre&view'
          OnClick = FilePrintPreviewClick
          Hint = 'Show the printed pages.'
        end
        object FilePrinterSetup: TTBItem
          Caption = 'Printer Set&up...'
          OnClick = FilePrinterSetupClick
          Hint = 'Choose and set up the printer.'
        end
        object FileMenuSep4: TTBSeparatorItem
        end
        object FileExit: TTBItem
          Caption = 'E&xit'
          OnClick = FileExitClick
          Hint = 'Close the program.'
        end
      end
      object EditMenu: TTBSubmenuItem
        Caption = '&Edit'
        object EditUndo: TTBItem
          Caption = '&Undo'
          ShortCut = 16474
          ImageIndex = 5
          OnClick = EditUndoClick
        end
        object EditRedo: TTBItem
          Caption = '&Redo'
          ShortCut = 24666
          ImageIndex = 6
          OnClick = EditRedoClick
        end
        object EditUndoLastMajorChange: TTBItem
          Caption = 'Undo Last Major Change/Last Tool'
          OnClick = EditUndoLastMajorChangeClick
        end
        object EditMenuSep1: TTBSeparatorItem
        end
        object EditCut: TTBItem
          Caption = 'Cu&t'
          ShortCut = 16472
          ImageIndex = 7
          OnClick = EditCutClick
        end
        object EditCopy: TTBItem
          Caption = '&Copy'
          ShortCut = 16451
          ImageIndex = 8
          OnClick = EditCopyClick
        end
        object EditPaste: TTBItem
          Caption = '&Paste'
          ShortCut = 16470
          ImageIndex = 9
          OnClick = EditPasteClick
        end
        object EditSelectAll: TTBItem
          Caption = 'Select &All'
          ShortCut = 16449
          OnClick = EditSelectAllClick
        end
        object EditMenuSep2: TTBSeparatorItem
        end
        object EditGoToLine: TTBItem
          Caption = '&Go To Line...'
          ShortCut = 16455
          OnClick = EditGoToLineClick
        end
      end
      object SearchMenu: TTBSubmenuItem
        Caption = '&Search'
        object SearchFind: TTBItem
          Caption = '&Find...'
          ShortCut = 16454
          ImageIndex = 10
          OnClick = SearchFindClick
        end
        object SearchFindAgain: TTBItem
          Caption = 'Find &Again'
          ShortCut = 114
          OnClick = SearchFindAgainClick
        end
        object SearchReplace: TTBItem
          Caption = '&Replace...'
          ShortCut = 16466
          ImageIndex = 11
          OnClick = SearchReplaceClick
        end
      end
      object ViewMenu: TTBSubmenuItem
        Caption = '&View'
        object ViewToolbar: TTBItem
          Caption = '&Toolbar'
          OnClick = ViewToolbarClick
        end
        object ViewSmallToolbar: TTBItem
          Caption = 'S&mall Toolbar'
          OnClick = ViewSmallToolbarClick
        end
        object ViewStatusBar: TTBItem
          Caption = '&Status Bar'
          OnClick = ViewStatusBarClick
        end
        object ViewResource: TTBItem
          Caption = 'Reso&urce Window'
          ShortCut = 32888
          OnClick = ViewResourceClick
        end
        object ViewResults: TTBItem
          Caption = '&Results Window'
          ShortCut = 120
          OnClick = ViewResultsClick
        end
        object ViewMessage: TTBItem
          Caption = '&Message Window'
          OnClick = ViewMessageClick
        end
        object ViewLinkInfoPanel: TTBItem
          Caption = '&Link Information Panel'
          OnClick = ViewLinkInfoPanelClick
        end
        object ViewWebBrowser: TTBItem
          Caption = '&Web Browser'
          ShortCut = 119
          OnClick = ViewWebBrowserClick
        end
        object ViewInsertersMenu: TTBSubmenuItem
          Caption = '&Inserters'
          object ViewTagInserter: TTBItem
            Caption = '&Tag'
            OnClick = ViewTagInserterClick
          end
          object ViewCSSInserter: TTBItem
            Caption = '&CSS'
            OnClick = ViewCSSInserterClick
          end
          object ViewUserInserter: TTBItem
            Caption = '&User'
            OnClick = ViewUserInserterClick
          end
        end
        object ViewMenuSep1: TTBSeparatorItem
        end
        object ViewFullScreen: TTBItem
          Caption = '&Full Screen'
          ShortCut = 121
          OnClick = ViewFullScreenClick
        end
        object ViewSplitView: TTBItem
          Caption = 'S&plit View'
          ShortCut = 122
          OnClick = ViewSplitViewClick
        end
        object ViewMenuSep2: TTBSeparatorItem
        end
        object ViewGutter: TTBItem
          Caption = '&Gutter'
          OnClick = ViewGutterClick
        end
        object ViewLineNumbers: TTBItem
          Caption = 'Line &Numbers'
          OnClick = ViewLineNumbersClick
        end
        object ViewLineSeparators: TTBItem
          Caption = 'Line Se&parators'
          OnClick = ViewLineSeparatorsClick
        end
        object ViewRightMargin: TTBItem
          Caption = 'Right M&argin'
          OnClick = ViewRightMarginClick
        end
        object ViewSpecialSymbols: TTBItem
          Caption = 'Special S&ymbols'
          OnClick = ViewSymbolsButtonClick
        end
        object ViewWrapBookmark: TTBItem
          Caption = 'W&rap Symbol'
          OnClick = ViewWrapBookmarkClick
        end
        object ViewLineHighlighting: TTBItem
          Caption = 'Message Line &Highlighting'
          OnClick = LineHighlightButtonClick
        end
        object ViewMenuSep3: TTBSeparatorItem
        end
        object ViewNextDocument: TTBItem
          Caption = 'Ne&xt Document'
          ShortCut = 16393
          OnClick = ViewNextDocumentClick
        end
        object ViewPreviousDocument: TTBItem
          Caption = '&Previous Document'
          ShortCut = 24585
          OnClick = ViewPreviousDocumentClick
        end
        object ViewNextMessage: TTBItem
          Caption = 'Next Messa&ge'
          ShortCut = 16424
          OnClick = ViewNextMessageClick
        end
        object ViewPreviousMessage: TTBItem
          Caption = 'Previous Mess&age'
          ShortCut = 16422
          OnClick = ViewPreviousMessageClick
        end
        object ViewNextResultsPage: TTBItem
          Caption = 'Next Results Pag&e'
          ShortCut = 16418
          OnClick = ViewNextResultsPageClick
        end
        object ViewPreviousResultsPage: TTBItem
          Caption = 'Previous Results Pa&ge'
          ShortCut = 16417
          OnClick = ViewPreviousResultsPageClick
        end
        object ViewMenuSep4: TTBSeparatorItem
        end
        object ViewExternalViewer: TTBItem
          Caption = 'View with E&xternal Viewer'
          ShortCut = 32887
          OnClick = ViewExternalBtnClick
        end
        object ViewValidationLog: TTBItem
          Caption = '&View Validation Log'
          OnClick = OptionsLoggingViewClick
        end
        object ViewRefreshResourceWindow: TTBItem
          Caption = 'Refresh Resource &Window'
          ShortCut = 116
          OnClick = ViewRefreshResourceWindowClick
        end
        object ViewRefreshMainWindow: TTBItem
          Caption = 'Refresh Main Window'
          OnClick = ViewRefreshMainWindowClick
        end
      end
      object TagsMenu: TTBSubmenuItem
        Caption = 'T&ags'
        object TagsStartTag: TTBItem
          Caption = '&Start Tag'
          ShortCut = 32956
          OnClick = TagsStartTagClick
        end
        object TagsEndTag: TTBItem
          Caption = '&End Tag'
          ShortCut = 32958
          OnClick = TagsEndTagClick
        end
        object TagsMenuSep1: TTBSeparatorItem
        end
        object TagsBold: TTBItem
          Caption = '&Bold'
          ShortCut = 16450
          OnClick = TagsBoldClick
        end
        object TagsItalic: TTBItem
          Caption = '&Italic'
          ShortCut = 16457
          OnClick = TagsItalicClick
        end
        object TagsUnderline: TTBItem
          Caption = '&Underline'
          ShortCut = 16469
          OnClick = TagsUnderlineClick
        end
        object TagsA: TTBItem
          Caption = '&Anchor'
          ShortCut = 49217
          OnClick = TagsAClick
        end
        object TagsBlockquote: TTBItem
          Caption = 'Block&quote'
          OnClick = TagsBlockquoteClick
        end
        object TagsBreak: TTBItem
          Caption = 'B&reak'
          ShortCut = 32834
          OnClick = TagsBreakClick
        end
        object TagsBreakAndNewline: TTBItem
          Caption = 'Break and &New Line'
          ShortCut = 16397
          OnClick = TagsBreakAndNewlineClick
        end
        object TagsCenter: TTBItem
          Caption = '&Center'
          OnClick = TagsCenterClick
        end
        object TagsComment: TTBItem
          Caption = 'Co&mment'
          ShortCut = 32845
          OnClick = TagsCommentClick
        end
        object TagsHorizontalRule: TTBItem
          Caption = '&Horizontal Rule'
          ShortCut = 32850
          OnClick = TagsHorizontalRuleClick
        end
        object TagsParagraph: TTBItem
          Caption = '&Paragraph'
          OnClick = TagsParagraphClick
        end
        object TagsColor: TTBItem
          Caption = 'C&olor...'
          ShortCut = 32841
          OnClick = TagsColorClick
        end
        object TagsMenuSep2: TTBSeparatorItem
        end
        object TagsDeclarationsMenu: TTBSubmenuItem
          Caption = '&Declarations'
          object TagsHTML401Strict: TTBItem
            Caption = 'HTML 4.01 &Strict'
            OnClick = TagsHTML401StrictClick
          end
          object TagsHTML401Transitional: TTBItem
            Caption = 'HTML 4.01 &Transitional'
            OnClick = TagsHTML401TransitionalClick
          end
          object TagsHTML401Frameset: TTBItem
            Caption = 'HTML 4.01 &Frameset'
            OnClick = TagsHTML401FramesetClick
          end
          object TagsDeclarationsMenuSep1: TTBSeparatorItem
          end
          object TagsXHTML10Strict: TTBItem
            Caption = 'XHTML 1.0 S&trict'
            OnClick = TagsXHTML10StrictClick
          end
          object TagsXHTML10Transitional: TTBItem
            Caption = 'XHTML 1.0 Tr&ansitional'
            OnClick = TagsXHTML10TransitionalClick
          end
          object TagsXHTML10Frameset: TTBItem
            Caption = 'XHTML 1.0 Fr&ameset'
            OnClick = TagsXHTML10FramesetClick
          end
          object XHTML111: TTBItem
            Caption = 'XHTML &1.1'
            OnClick = XHTML111Click
          end
          object TagsDeclarationsMenuSep2: TTBSeparatorItem
          end
          object TagsXMLDeclaration: TTBItem
            Caption = '&XML Declaration'
            OnClick = TagsXMLDeclarationClick
          end
          object TagsWMLPrologue: TTBItem
            Caption = '&WML Prologue'
            OnClick = TagsWMLPrologueClick
          end
        end
        object TagsEntitiesMenu: TTBSubmenuItem
          Caption = 'E&ntities'
          object TagsEntitiesAmpersand: TTBItem
            Caption = '&Ampersand'
            OnClick = TagsEntitiesAmpersandClick
          end
          object TagsEntitiesCopyright: TTBItem
            Caption = '&Copyright'
            OnClick = TagsEntitiesCopyrightClick
          end
          object TagsEntitiesDoubleQuote: TTBItem
            Caption = '&Double Quote'
            OnClick = TagsEntitiesDoubleQuoteClick
          end
          object TagsEntitiesGreaterThan: TTBItem
            Caption = '&Greater Than'
            OnClick = TagsEntitiesGreaterThanClick
          end
          object TagsEntitiesLessThan: TTBItem
            Caption = '&Less Than'
            OnClick = TagsEntitiesLessThanClick
          end
          object TagsEntitiesSpace: TTBItem
            Caption = 'Non-breaking &Space'
            OnClick = TagsEntitiesSpaceClick
          end
          object TagsEntitiesTrademark: TTBItem
            Caption = '&Trademark'
            OnClick = TagsEntitiesTrademarkClick
          end
        end
        object TagsFormsMenu: TTBSubmenuItem
          Caption = '&Forms'
          object TagsFormsFORM: TTBItem
            Caption = '&FORM'
            OnClick = TagsFormsFORMClick
          end
          object TagsFormsINPUT: TTBItem
            Caption = '&INPUT'
            OnClick = TagsFormsINPUTClick
          end
          object TagsFormsOPTION: TTBItem
            Caption = '&OPTION'
            OnClick = TagsFormsOPTIONClick
          end
          object TagsFormsSELECT: TTBItem
            Caption = '&SELECT'
            OnClick = TagsFormsSELECTClick
          end
          object TagsFormsTEXTAREA: TTBItem
            Caption = '&TEXTAREA'
            OnClick = TagsFormsTEXTAREAClick
          end
        end
        object TagsFramesMenu: TTBSubmenuItem
          Caption = 'F&rames'
          object TagsFramesFRAMESET: TTBItem
            Caption = 'FRAME&SET'
            OnClick = TagsFramesFRAMESETClick
          end
          object TagsFramesFRAME: TTBItem
            Caption = '&FRAME'
            OnClick = TagsFramesFRAMEClick
          end
          object TagsFramesIFRAME: TTBItem
            Caption = '&IFRAME'
            OnClick = TagsFramesIFRAMEClick
          end
          object TagsFramesNOFRAMES: TTBItem
            Caption = '&NOFRAMES'
            OnClick = TagsFramesNOFRAMESClick
          end
        end
        object TagsHeadingsMenu: TTBSubmenuItem
          Caption = '&Headings'
          object TagsHeadingsH1: TTBItem
            Caption = 'H&1'
            OnClick = TagsHeadingsH1Click
          end
          object TagsHeadingsH2: TTBItem
            Caption = 'H&2'
            OnClick = TagsHeadingsH2Click
          end
          object TagsHeadingsH3: TTBItem
            Caption = 'H&3'
            OnClick = TagsHeadingsH3Click
          end
          object TagsHeadingsH4: TTBItem
            Caption = 'H&4'
            OnClick = TagsHeadingsH4Click
          end
          object TagsHeadingsH5: TTBItem
            Caption = 'H&5'
            OnClick = TagsHeadingsH5Click
          end
          object TagsHeadingsH6: TTBItem
            Caption = 'H&6'
            OnClick = TagsHeadingsH6Click
          end
        end
        object TagsListsSubmenu: TTBSubmenuItem
          Caption = '&Lists'
          object TagsListsOL: TTBItem
            Caption = '&OL'
            OnClick = TagsListsOLClick
          end
          object TagsListsUL: TTBItem
            Caption = '&UL'
            OnClick = TagsListsULClick
          end
          object TagsListsLI: TTBItem
            Caption = '&LI'
            OnClick = TagsListsLIClick
          end
          object TagsListsDD: TTBItem
            Caption = 'D&D'
            OnClick = TagsListsDDClick
          end
          object TagsListsDT: TTBItem
            Caption = 'D&T'
            OnClick = TagsListsDTClick
          end
          object TagsListsMENU: TTBItem
            Caption = '&MENU'
            OnClick = TagsListsMENUClick
          end
        end
        object TagsMediaMenu: TTBSubmenuItem
          Caption = 'M&edia'
          object TagsMediaAPPLET: TTBItem
            Caption = '&APPLET'
            OnClick = TagsMediaAPPLETClick
          end
          object TagsMediaBGSOUND: TTBItem
            Caption = '&BGSOUND'
            OnClick = TagsMediaBGSOUNDClick
          end
          object TagsMediaEMBED: TTBItem
            Caption = '&EMBED'
            OnClick = TagsMediaEMBEDClick
          end
          object TagsMediaIMG: TTBItem
            Caption = '&IMG'
            OnClick = TagsMediaIMGClick
          end
          object TagsMediaOBJECT: TTBItem
            Caption = '&OBJECT'
            OnClick = TagsMediaOBJECTClick
          end
        end
        object TagsMetaMenu: TTBSubmenuItem
          Caption = 'Me&ta'
          object TagsMetaAuthor: TTBItem
            Caption = '&Author'
            OnClick = TagsMetaAuthorClick
          end
          object TagsMetaCopyright: TTBItem
            Caption = '&Copyright'
            OnClick = TagsMetaCopyrightClick
          end
          object TagsMetaCSS1: TTBItem
            Caption = 'Style Sheet Language text/c&ss'
            OnClick = TagsMetaCSS1Click
          end
          object TagsMetaCSS2: TTBItem
            Caption = 'Style Sheet Language text/css&2'
            OnClick = TagsMetaCSS2Click
          end
          object TagsMetaDescription: TTBItem
            Caption = '&Description'
            OnClick = TagsMetaDescriptionClick
          end
          object TagsMetaKeywords: TTBItem
            Caption = '&Keywords'
            OnClick = TagsMetaKeywordsClick
          end
          object TagsMetaRSACiRating: TTBItem
            Caption = 'Content &Rating'
            OnClick = TagsMetaRSACiRatingClick
          end
        end
        object TagsTablesMenu: TTBSubmenuItem
          Caption = 'Ta&bles'
          object TagsTablesTABLE: TTBItem
            Caption = '&TABLE'
            OnClick = TagsTablesTABLEClick
          end
          object TagsTablesTR: TTBItem
            Caption = 'T&R'
            OnClick = TagsTablesTRClick
          end
          object TagsTablesTH: TTBItem
            Caption = 'T&H'
            OnClick = TagsTablesTHClick
          end
          object TagsTablesTD: TTBItem
            Caption = 'T&D'
            OnClick = TagsTablesTDClick
          end
          object TagsTablesCAPTION: TTBItem
            Caption = '&CAPTION'
            OnClick = TagsTablesCAPTIONClick
          end
          object TagsTablesTHEAD: TTBItem
            Caption = 'THE&AD'
            OnClick = TagsTablesTHEADClick
          end
          object TagsTablesTBODY: TTBItem
            Caption = 'T&BODY'
            OnClick = TagsTablesTBODYClick
          end
          object TagsTablesTFOOT: TTBItem
            Caption = 'T&FOOT'
            OnClick = TagsTablesTFOOTClick
          end
        end
        object TagsTextMenu: TTBSubmenuItem
          Caption = 'Te&xt'
          object TagsTextACRONYM: TTBItem
            Caption = '&ACRONYM'
            OnClick = TagsTextACRONYMClick
          end
          object TagsTextBIG: TTBItem
            Caption = '&BIG'
            OnClick = TagsTextBIGClick
          end
          object TagsTextBLINK: TTBItem
            Caption = 'B&LINK'
            OnClick = TagsTextBLINKClick
          end
          object TagsTextCITE: TTBItem
            Caption = '&CITE'
            OnClick = TagsTextCITEClick
          end
          object TagsTextCODE: TTBItem
            Caption = 'C&ODE'
            OnClick = TagsTextCODEClick
          end
          object TagsTextDEL: TTBItem
            Caption = '&DEL'
            OnClick = TagsTextDELClick
          end
          object TagsTextDFN: TTBItem
            Caption = 'D&FN'
            OnClick = TagsTextDFNClick
          end
          object TagsTextEM: TTBItem
            Caption = '&EM'
            OnClick = TagsTextEMClick
          end
          object TagsTextFONT: TTBItem
            Caption = 'FO&NT'
            OnClick = TagsTextFONTClick
          end
          object TagsTextINS: TTBItem
            Caption = '&INS'
            OnClick = TagsTextINSClick
          end
          object TagsTextKBD: TTBItem
            Caption = '&KBD'
            OnClick = TagsTextKBDClick
          end
          object TagsTextQ: TTBItem
            Caption = '&Q'
            OnClick = TagsTextQClick
          end
          object TagsTextS: TTBItem
            Caption = '&S'
            OnClick = TagsTextSClick
          end
          object TagsTextSAMP: TTBItem
            Caption = 'SA&MP'
            OnClick = TagsTextSAMPClick
          end
          object TagsTextSMALL: TTBItem
            Caption = 'S&MALL'
            OnClick = TagsTextSMALLClick
          end
          object TagsTextSTRIKE: TTBItem
            Caption = 'S&TRIKE'
            OnClick = TagsTextSTRIKEClick
          end
          object TagsTextSTRONG: TTBItem
            Caption = 'STRON&G'
            OnClick = TagsTextSTRONGClick
          end
          object TagsTextSUB: TTBItem
            Caption = 'S&UB'
            OnClick = TagsTextSUBClick
          end
          object TagsTextSUP: TTBItem
            Caption = 'SU&P'
            OnClick = TagsTextSUPClick
          end
          object TagsTextTT: TTBItem
            Caption = '&TT'
            OnClick = TagsTextTTClick
          end
          object TagsTextVAR: TTBItem
            Caption = '&VAR'
            OnClick = TagsTextVARClick
          end
        end
      end
      object ToolsMenu: TTBSubmenuItem
        Caption = '&Tools'
        object ToolsValidate: TTBItem
          Caption = '&Validate'
          ShortCut = 117
          ImageIndex = 20
          OnClick = ToolsValidateClick
          Hint = 'Validate the document.'
        end
        object ToolsValidateAll: TTBItem
          Caption = 'Validate &All'
          OnClick = ToolsValidateAllClick
        end
        object ToolsValidateWithBatchWizard: TTBItem
          Caption = 'Validate with Batch &Wizard'
          ShortCut = 8309
          OnClick = ToolsValidateWithBatchWizardClick
        end
        object ToolsValidateAllWithBatchWizard: TTBItem
          Caption = 'Validate All with Batch Wi&zard'
          OnClick = ToolsValidateAllWithBatchWizardClick
        end
        object ToolsRevalidateLastDocument: TTBItem
          Caption = '&Revalidate Last Document'
          OnClick = RevalidateLastDocument1Click
        end
        object ValidateStyleSheetwithTopStyle: TTBItem
          Caption = 'Validate Style Sheet with T&opStyle'
          OnClick = ValidateStyleSheetwithTopStyle1Click
        end
        object ToolsMenuSep1: TTBSeparatorItem
        end
        object ToolsSpellCheck: TTBItem
          Caption = '&Spell Check'
          ShortCut = 118
          ImageIndex = 12
          OnClick = ToolsSpellCheckClick
        end
        object ToolsSpellCheckAll: TTBItem
          Caption = 'Spell Check A&ll'
          ShortCut = 8310
          OnClick = ToolsSpellCheckAllClick
        end
        object ToolsMenuSep2: TTBSeparatorItem
        end
        object ToolsLowercase: TTBItem
          Caption = 'Quick &Lowercase'
          OnClick = ToolsLowercaseClick
        end
        object ToolsUppercase: TTBItem
          Caption = 'Quick &Uppercase'
          OnClick = ToolsUppercaseClick
        end
        object ToolsStrip: TTBItem
          Caption = 'Quick S&trip HTML Tags'
          OnClick = ToolsStripClick
        end
        object ToolsQuote: TTBItem
          Caption = 'Quick &Quote Tool'
          OnClick = ToolsQuoteClick
        end
        object ToolsTemplate: TTBItem
          Caption = 'T&emplate'
          OnClick = ToolsTemplateClick
        end
        object ToolsConvert: TTBItem
          Caption = '&Convert Text File Format...'
          OnClick = ToolsConvertClick
        end
        object ToolsMenuSep3: TTBSeparatorItem
        end
        object ToolsBatchWizard: TTBItem
          Caption = '&Batch Wizard...'
          OnClick = ToolsBatchWizardClick
        end
        object ToolsToolsOptions: TTBItem
          Caption = 'Tools &Options...'
          OnClick = ToolsToolsOptionsClick
        end
        object ToolsHelp: TTBItem
          Caption = '&Help with Tools'
          OnClick = ToolsHelpClick
        end
      end
      object OptionsMenu: TTBSubmenuItem
        Caption = '&Options'
        object OptionsEditorOptions: TTBItem
          Caption = '&Editor Options...'
          ShortCut = 115
          OnClick = OptionsEditorOptionsClick
        end
        object OptionsValidatorOptions: TTBSubmenuItem
          Caption = '&Validator Engine Options...'
          ShortCut = 16499
          DropdownCombo = True
          OnClick = OptionsValidatorOptionsClick
          OnPopup = OptionsValidatorOptionsPopup
          object OptionsEnableAccessibilityChecking: TTBItem
            Caption = 'Enable &Accessibility Checking'
            AutoCheck = True
            OnClick = OptionsEnableAccessibilityCheckingClick
          end
          object OptionsEnableCSSChecking: TTBItem
            Caption = 'Enable &CSS Syntax Checking'
            AutoCheck = True
            OnClick = OptionsEnableCSSCheckingClick
          end
        end
        object OptionsHTMLConfigurationEditor: TTBSubmenuItem
          Caption = 'C&onfiguration Editor...'
          DropdownCombo = True
          OnClick = OptionsHTMLConfigurationEditorClick
          object SettingsHTMLConfigLoad: TTBItem
            Caption = '&Load Configuration...'
            OnClick = SettingsHTMLConfigLoad1Click
          end
          object SettingsHTMLConfigSave: TTBItem
            Caption = '&Save Configuration'
            OnClick = SettingsHTMLConfigSave1Click
          end
          object SettingsHTMLConfigSaveAs: TTBItem
            Caption = 'Save Configuration &As...'
            OnClick = SettingsHTMLConfigSaveAs1Click
          end
          object SettingsHTMLConfigClean: TTBItem
            Caption = '&Clean Configuration'
            OnClick = SettingsHTMLConfigClean1Click
          end
          object SettingsHTMLConfigReset: TTBItem
            Caption = '&Reset Configuration'
            OnClick = SettingsHTMLConfigReset1Click
          end
          object OptionsDeveloperItemsSep: TTBSeparatorItem
          end
          object OptionsHTMLConfigExportPrograms: TTBItem
            Caption = 'Export programs to c:\programexport.xml'
            OnClick = OptionsHTMLConfigExportProgramsClick
          end
          object OptionsHTMLConfigImportPrograms: TTBItem
            Caption = 'Import programs from c:\programexport.xml'
            OnClick = OptionsHTMLConfigImportProgramsClick
          end
        end
        object OptionsSpellChecker: TTBItem
          Caption = 'S&pelling Options...'
          OnClick = OptionsSpellCheckerClick
        end
        object OptionsLiveSpell: TTBItem
          Caption = '&Live Spelling'
          OnClick = OptionsLiveSpellClick
        end
        object OptionsWordWrap: TTBItem
          Caption = '&Word Wrap'
          OnClick = OptionsWordWrapClick
        end
        object OptionsSyntaxHighlighting: TTBItem
          Caption = '&Syntax Highlighting'
          OnClick = OptionsSyntaxHighlightingClick
        end
        object OptionsMenuSep1: TTBSeparatorItem
        end
        object OptionsInsertersMenu: TTBSubmenuItem
          Caption = '&Inserters'
          object OptionsTagInserterMenu: TTBSubmenuItem
            Caption = '&Tag Inserter'
            object OptionsTagInserterEdit: TTBItem
              Caption = '&Edit Configuration'
              OnClick = OptionsTagInserterEditClick
            end
            object OptionsTagInserterReload: TTBItem
              Caption = '&Reload Configuration'
              OnClick = OptionsTagInserterReloadClick
            end
          end
          object OptionsCSSInserterMenu: TTBSubmenuItem
            Caption = '&CSS Inserter'
            object OptionsCSSInserterEdit: TTBItem
              Caption = '&Edit Configuration'
              OnClick = OptionsCSSInserterEditClick
            end
            object OptionsCSSInserterReload: TTBItem
              Caption = '&Reload Configuration'
              OnClick = OptionsCSSInserterReloadClick
            end
          end
          object OptionsUserInserterMenu: TTBSubmenuItem
            Caption = '&User Inserter'
            object OptionsUserInserterEdit: TTBItem
              Caption = '&Edit Configuration'
              OnClick = OptionsUserInserterEditClick
            end
            object OptionsUserInserterReload: TTBItem
              Caption = '&Reload Configuration'
              OnClick = OptionsUserInserterReloadClick
            end
          end
        end
        object DragDropMenu: TTBSubmenuItem
          Caption = '&Drag and Drop'
          object DragDropViewDragDropWindow: TTBItem
            Caption = '&Show Drag and Drop Window'
            OnClick = DragDropViewDragDropWindowClick
          end
          object DragDropUseValidator: TTBItem
            Caption = 'Use &Validator on Dropped Files'
            OnClick = DragDropUseValidatorClick
          end
          object DragDropUseTool: TTBItem
            Caption = 'Use Default &Tool on Dropped Files'
            OnClick = DragDropUseToolClick
          end
          object DragDropOptions: TTBItem
            Caption = '&Drag and Drop Options...'
            ShortCut = 16498
            OnClick = DragDropOptionsClick
          end
        end
        object OptionsLoggingMenu: TTBSubmenuItem
          Caption = 'Validation L&og'
          object OptionsLoggingEnable: TTBItem
            Caption = '&Enable Logging'
            ShortCut = 32884
            OnClick = OptionsLoggingEnableClick
          end
          object OptionsLoggingView: TTBItem
            Caption = '&View Log'
            ShortCut = 32885
            OnClick = OptionsLoggingViewClick
          end
          object OptionsLoggingDelete: TTBItem
            Caption = '&Delete Log'
            ShortCut = 32886
            OnClick = OptionsLoggingDeleteClick
          end
        end
        object OptionsAssociationsMenu: TTBSubmenuItem
          Caption = 'File &Associations'
          object OptionsAddAssociations: TTBItem
            Caption = '&Add File Associations'
            OnClick = OptionsAddAssociationsClick
          end
          object OptionsRemoveAssociations: TTBItem
            Caption = '&Remove File Associations'
            OnClick = OptionsRemoveAssociationsClick
          end
          object SettingsMakeSourceViewer: TTBItem
            Caption = 'Make Source &Viewer in Internet Explorer'
            OnClick = SettingsMakeSourceViewerClick
          end
          object RestoreSourceViewerinInternetExplorer: TTBItem
            Caption = 'Restore Source Viewer in &Internet Explorer'
            OnClick = RestoreSourceViewerinInternetExplorer1Click
          end
        end
      end
      object LinksMenu: TTBSubmenuItem
        Caption = '&Links'
        object LinksZUBHome: TTBItem
          Caption = 'ZUB Quillon &Home Page'
          OnClick = LinksZUBHomeClick
        end
        object LinksSupport: TTBItem
          Caption = '&Support'
          OnClick = LinksSupportClick
        end
        object LinksDownload: TTBItem
          Caption = '&Download'
          OnClick = LinksDownloadClick
        end
        object LinksMenuSep1: TTBSeparatorItem
        end
        object LinksSpecsMenu: TTBSubmenuItem
          Caption = 'S&pecifications'
          object LinksSpecsHTML401: TTBItem
            Caption = 'HTML &4.01'
            OnClick = LinksSpecsHTML401Click
          end
          object LinksSpecsXHTML10: TTBItem
            Caption = 'XHTML 1.&0'
            OnClick = LinksSpecsXHTML10Click
          end
          object LinksSpecsXHTML11: TTBItem
            Caption = 'XHTML 1.&1'
            OnClick = LinksSpecsXHTML11Click
          end
          object LinksSpecsCSS1: TTBItem
            Caption = 'CSS Level &1'
            OnClick = LinksSpecsCSS1Click
          end
          object LinksSpecsCSS2: TTBItem
            Caption = 'CSS Level &2'
            OnClick = LinksSpecsCSS2Click
          end
          object LinksSpecsWCAG: TTBItem
            Caption = 'Web Content Accessibility Guidelines 1.0 (WCAG)'
            OnClick = TBItem8Click
          end
        end
        object LinksWorldWideWebConsortium: TTBItem
          Caption = '&World Wide Web Consortium'
          OnClick = LinksWorldWideWebConsortiumClick
        end
        object LinksSection508Accessibility: TTBItem
          Caption = 'Section &508 Accessibility'
          OnClick = LinksSection508AccessibilityClick
        end
        object LinksInternetContentRatingAssociation: TTBItem
          Caption = 'Internet &Content Rating Association'
          OnClick = LinksInternetContentRatingAssociationClick
        end
        object LinksWPForum: TTBItem
          Caption = 'W&AP Forum'
          OnClick = LinksWPForumClick
        end
      end
      object HelpMenu: TTBSubmenuItem
        Caption = '&Help'
        object HelpContents: TTBItem
          Caption = '&Help Contents'
          ShortCut = 112
          OnClick = HelpContentsClick
        end
        object HelpContentsInBrowser: TTBItem
          Caption = 'Help Contents in Integrated &Browser'
          OnClick = WBHelpBtnClick
        end
        object HelpOnline: TTBItem
          Caption = 'O&nline Help Contents'
          OnClick = HelpOnlineClick
        end
        object HelpMenuSep1: TTBSeparatorItem
        end
        object HelpCheckVersion: TTBItem
          Caption = 'Check for New Program &Version'
          OnClick = HelpCheckVersionClick
        end
        object CopyProgramInfotoClipboard: TTBItem
          Caption = '&Copy Program Information to Clipboard'
          OnClick = CopyProgramInfotoClipboard1Click
        end
        object HelpMenuSep2: TTBSeparatorItem
        end
        object HelpAboutZUB: TTBItem
          Caption = '&About ZUB Quillon...'
          OnClick = HelpAboutZUBClick
        end
      end
    end
    object EditorToolbar: TTBToolbar
      Left = 0
      Top = 24
      Caption = 'Main Toolbar'
      DockRow = 1
      DockPos = 0
      OnClose = EditorToolbarClose
      OnVisibleChanged = EditorToolbarVisibleChanged
      object FileNewBtn: TTBItem
        Caption = 'New'
        ImageIndex = 0
        OnClick = FileNewClick
        Hint = 'New document'
      end
      object FileOpenBtn: TTBSubmenuItem
        Caption = 'Open'
        ImageIndex = 1
        DropdownCombo = True
        OnClick = FileOpenClick
        Hint = 'Open a document'
      end
      object FileSaveBtn: TTBItem
        Caption = 'Save'
        ImageIndex = 2
        OnClick = FileSaveClick
        Hint = 'Save the document'
      end
      object FileSaveAllBtn: TTBItem
        Caption = 'Save All'
        ImageIndex = 3
        OnClick = FileSaveAllClick
        Hint = 'Save every changed document'
      end
      object FilePrintBtn: TTBItem
        Caption = 'Print'
        ImageIndex = 4
        OnClick = FilePrintClick
        Hint = 'Print the document'
      end
      object EditorToolbarSep1: TTBSeparatorItem
      end
      object EditUndoBtn: TTBItem
        Caption = 'Undo'
        ImageIndex = 5
        OnClick = EditUndoClick
        Hint = 'Undo'
      end
      object EditRedoBtn: TTBItem
        Caption = 'Redo'
        ImageIndex = 6
        OnClick = EditRedoClick
        Hint = 'Redo'
      end
      object EditCutBtn: TTBItem
        Caption = 'Cut'
        ImageIndex = 7
        OnClick = EditCutClick
        Hint = 'Cut'
      end
      object EditCopyBtn: TTBItem
        Caption = 'Copy'
        ImageIndex = 8
        OnClick = EditCopyClick
        Hint = 'Copy'
      end
      object EditPasteBtn: TTBItem
        Caption = 'Paste'
        ImageIndex = 9
        OnClick = EditPasteClick
        Hint = 'Paste'
      end
      object EditorToolbarSep2: TTBSeparatorItem
      end
      object SearchFindBtn: TTBItem
        Caption = 'Find'
        ImageIndex = 10
        OnClick = SearchFindClick
        Hint = 'Find text'
      end
      object SearchReplaceBtn: TTBItem
        Caption = 'Replace'
        ImageIndex = 11
        OnClick = SearchReplaceClick
        Hint = 'Replace text'
      end
      object EditorToolbarSep3: TTBSeparatorItem
      end
      object ValidateBigBtn: TTBSubmenuItem
        Caption = 'Validate'
        ImageIndex = 20
        DropdownCombo = True
        OnClick = ToolsValidateClick
        OnPopup = ValidateBigBtnPopup
        Hint = 'Validate the document'
      end
      object SpellCheckBigBtn: TTBItem
        Caption = 'Spell Check'
        ImageIndex = 12
        OnClick = ToolsSpellCheckClick
        Hint = 'Check the spelling'
      end
      object EditorToolbarSep4: TTBSeparatorItem
      end
      object HelpBigBtn: TTBSubmenuItem
        Caption = 'Help'
        ImageIndex = 13
        DropdownCombo = True
        OnClick = HelpContentsClick
        Hint = 'Help'
        object HelpBigBtnContents: TTBItem
          Caption = '&Help Contents'
          OnClick = HelpContentsClick
        end
        object HelpBigBtnCheckVersion: TTBItem
          Caption = 'Check for New Program &Version'
          OnClick = HelpCheckVersionClick
        end
      end
    end
  end
  object SmallToolbarDock: TTBDock
    Left = 0
    Top = 50
    Width = 792
    Height = 23
    OnRequestDock = SmallToolbarDockRequestDock
    object SmallToolbar: TTBToolbar
      Left = 0
      Top = 0
      Caption = 'Small Toolbar'
      DockRow = 0
      DockPos = 0
      OnVisibleChanged = SmallToolbarVisibleChanged
      object FileOpenFromTheWebBtn: TTBItem
        Caption = 'Open from the Web'
        ImageIndex = 14
        OnClick = FileOpenFromTheWebClick
        Hint = 'Open from the Web'
      end
      object ValidateBtn: TTBItem
        Caption = 'Validate'
        ImageIndex = 20
        OnClick = ToolsValidateClick
        Hint = 'Validate'
      end
      object SpellCheckSmallBtn: TTBItem
        Caption = 'Spell Check'
        ImageIndex = 12
        OnClick = ToolsSpellCheckClick
        Hint = 'Spell check'
      end
      object SmallToolbarSep1: TTBSeparatorItem
      end
      object UnindentBtn: TTBItem
        Caption = 'Unindent'
        ShortCut = 24661
        ImageIndex = 15
        OnClick = UnindentBtnClick
        Hint = 'Unindent the selection'
      end
      object IndentBtn: TTBItem
        Caption = 'Indent'
        ShortCut = 24649
        ImageIndex = 16
        OnClick = IndentBtnClick
        Hint = 'Indent the selection'
      end
      object SmallToolbarSep2: TTBSeparatorItem
      end
      object ViewResourceBtn: TTBItem
        Caption = 'Resource Window'
        ImageIndex = 17
        OnClick = ViewResourceClick
        Hint = 'Show or hide the resource window'
      end
      object ViewSplitViewBtn: TTBItem
        Caption = 'Split View'
        ImageIndex = 18
        OnClick = ViewSplitViewClick
        Hint = 'Split view'
      end
      object ViewHorzSplitBtn: TTBItem
        Caption = 'Stack Split View'
        ImageIndex = 19
        OnClick = ViewHorzSplitBtnClick
        Hint = 'Stack the two editors'
      end
      object ViewFullScreenBtn: TTBItem
        Caption = 'Full Screen'
        ImageIndex = 21
        OnClick = ViewFullScreenClick
        Hint = 'Full screen'
      end
      object ViewBrowserBtn: TTBItem
        Caption = 'Web Browser'
        ImageIndex = 22
        OnClick = ViewBrowserBtnClick
        Hint = 'Web browser'
      end
      object ViewExternalBtn: TTBItem
        Caption = 'External Viewer'
        ImageIndex = 23
        OnClick = ViewExternalBtnClick
        Hint = 'View with the external viewer'
      end
      object SmallToolbarSep3: TTBSeparatorItem
      end
      object ViewGutterBtn: TTBItem
        Caption = 'Gutter'
        ImageIndex = 24
        OnClick = ViewGutterClick
        Hint = 'Gutter'
      end
      object ViewLineNumbersBtn: TTBItem
        Caption = 'Line Numbers'
        ImageIndex = 25
        OnClick = ViewLineNumbersClick
        Hint = 'Line numbers'
      end
      object ViewSymbolsBtn: TTBItem
        Caption = 'Special Symbols'
        ImageIndex = 26
        OnClick = ViewSymbolsButtonClick
        Hint = 'Special symbols'
      end
      object OptionsWordWrapBtn: TTBItem
        Caption = 'Word Wrap'
        ImageIndex = 27
        OnClick = OptionsWordWrapClick
        Hint = 'Word wrap'
      end
      object LineHighlightButton: TTBItem
        Caption = 'Message Line Highlighting'
        ImageIndex = 28
        OnClick = LineHighlightButtonClick
        Hint = 'Highlight message lines'
      end
      object SmallToolbarSep4: TTBSeparatorItem
      end
      object FirstTabBtn: TTBItem
        Caption = 'First Tab'
        ImageIndex = 29
        OnClick = FirstTabBtnClick
        Hint = 'Jump to First Tab'
      end
      object LastTabBtn: TTBItem
        Caption = 'Last Tab'
        ImageIndex = 30
        OnClick = LastTabBtnClick
        Hint = 'Jump to Last Tab'
      end
    end
  end
  object EditorLeftDock: TTBDock
    Left = 0
    Top = 73
    Width = 9
    Height = 472
    Position = dpLeft
    OnRequestDock = EditorLeftDockRequestDock
  end
  object EditorRightDock: TTBDock
    Left = 783
    Top = 73
    Width = 9
    Height = 472
    Position = dpRight
    object WebBrowserToolWindow: TTBToolWindow
      Left = 0
      Top = 0
      Caption = 'Web Browser Window'
      Visible = False
      DockRow = 0
      DockPos = 0
      OnVisibleChanged = WebBrowserToolWindowVisibleChanged
      OnDockChanged = WebBrowserToolWindowDockChanged
      OnDockChanging = WebBrowserToolWindowDockChanging
      object WBToolbarPanel: TPanel
        Left = 0
        Top = 0
        Width = 300
        Height = 23
        Align = alTop
        BevelOuter = bvNone
        Caption = ''
        object WBToolbarDock: TTBDock
          Left = 0
          Top = 0
          Width = 300
          Height = 23
          object WBToolbar: TTBToolbar
            Left = 0
            Top = 0
            Caption = 'Web Browser Toolbar'
            DockRow = 0
            DockPos = 0
            object WBBackBtn: TTBItem
              Caption = 'Back'
              ImageIndex = 31
              OnClick = WBBackBtnClick
              Hint = 'Back'
            end
            object WBForwardBtn: TTBItem
              Caption = 'Forward'
              ImageIndex = 32
              OnClick = WBForwardBtnClick
              Hint = 'Forward'
            end
            object WBStopBtn: TTBItem
              Caption = 'Stop'
              ImageIndex = 33
              OnClick = WBStopButtonClick
              Hint = 'Stop'
            end
            object WBRefreshBtn: TTBItem
              Caption = 'Refresh'
              ImageIndex = 34
              OnClick = WBRefreshBtnClick
              Hint = 'Refresh'
            end
            object ViewWBSourceBtn: TTBItem
              Caption = 'Goto Web Browser Source Tab in Editor'
              ImageIndex = 35
              OnClick = ViewWBSourceBtnClick
              Hint = 'Goto Web Browser Source Tab in Editor'
            end
            object WBPreviewBtn: TTBItem
              Caption = 'Preview'
              ImageIndex = 36
              OnClick = WBPreviewBtnClick
              Hint = 'Preview the current document'
            end
            object WBHelpBtn: TTBItem
              Caption = 'Help'
              ImageIndex = 13
              OnClick = WBHelpBtnClick
              Hint = 'Help'
            end
          end
        end
      end
      object Panel20: TPanel
        Left = 0
        Top = 23
        Width = 300
        Height = 25
        Align = alTop
        BevelOuter = bvNone
        Caption = ''
        OnResize = Panel20Resize
        object OpenCombo: TComboBox
          Left = 0
          Top = 2
          Width = 250
          Height = 21
          OnKeyPress = OpenComboKeyPress
        end
        object WBGoButton: TButton
          Left = 252
          Top = 1
          Width = 40
          Height = 23
          Caption = 'Go'
          OnClick = WBGoButtonClick
        end
      end
      object WBStatusBar: TStatusBar
        Left = 0
        Top = 200
        Width = 300
        Height = 19
        Visible = False
        SimplePanel = True
      end
      object WBPanel: TPanel
        Left = 0
        Top = 48
        Width = 300
        Height = 152
        Align = alClient
        BevelOuter = bvNone
        Caption = ''
      end
    end
  end
  object EditorBottomDock: TTBDock
    Left = 0
    Top = 545
    Width = 792
    Height = 9
    Position = dpBottom
    object MessageToolWindow: TTBToolWindow
      Left = 0
      Top = 0
      Caption = 'Message Window'
      DockRow = 0
      DockPos = 0
      OnVisibleChanged = MessageToolWindowVisibleChanged
      OnDockChanging = MessageToolWindowDockChanging
      object ResultsMessageEdit: TEasyEdit
        Left = 0
        Top = 0
        Width = 300
        Height = 60
        Align = alClient
        PopupMenu = GenericMemoPopup
      end
    end
  end
  object StatusBar: TStatusBar
    Left = 0
    Top = 554
    Width = 792
    Height = 19
    PopupMenu = StatusBarPopupMenu
    Panels = <
      item
        Alignment = taCenter
        Width = 70
      end
      item
        Alignment = taCenter
        Width = 35
      end
      item
        Alignment = taCenter
        Width = 85
      end
      item
        Width = 1600
      end>
  end
  object MainPanel: TPanel
    Left = 9
    Top = 73
    Width = 774
    Height = 472
    Align = alClient
    BevelOuter = bvNone
    Caption = ''
    object ResourcePanel: TPanel
      Left = 0
      Top = 0
      Width = 225
      Height = 472
      Align = alLeft
      BevelOuter = bvNone
      Caption = ''
      object ResourceTopPanel: TPanel
        Left = 0
        Top = 0
        Width = 225
        Height = 24
        Align = alTop
        BevelOuter = bvNone
        Caption = ''
        object ShellGoUpBtn: TSpeedButton
          Left = 2
          Top = 1
          Width = 22
          Height = 22
          Hint = 'Up One Level'
          ShowHint = True
          OnClick = ShellGoUpBtnClick
        end
        object MoveResourceToTopBtn: TSpeedButton
          Left = 26
          Top = 1
          Width = 22
          Height = 22
          Hint = 'Move the resource window above the editors'
          ShowHint = True
          OnClick = MoveResourceToTopBtnClick
        end
        object MoveResourceToLeftBtn: TSpeedButton
          Left = 50
          Top = 1
          Width = 22
          Height = 22
          Hint = 'Move the resource window beside the editors'
          ShowHint = True
          OnClick = MoveResourceToLeftBtnClick
        end
        object HideResourceBtn: TSpeedButton
          Left = 200
          Top = 1
          Width = 22
          Height = 22
          Anchors = [akTop,akRight]
          Hint = 'Hide the resource window'
          ShowHint = True
          OnClick = ViewResourceClick
        end
      end
      object ResourcePageControl: TPageControl
        Left = 0
        Top = 24
        Width = 225
        Height = 448
        Align = alClient
        ActivePage = ShellTabSheet
        OnChange = ResourcePageControlChange
        object ShellTabSheet: TTabSheet
          Caption = 'Shell'
          object ShellTree1Panel: TPanel
            Left = 0
            Top = 0
            Width = 217
            Height = 140
            Align = alTop
            BevelOuter = bvNone
            Caption = ''
            object ShellTree: TPTShellTree
              Left = 0
              Top = 0
              Width = 217
              Height = 140
              Align = alClient
            end
          end
          object Shell1Splitter: TSplitter
            Left = 0
            Top = 140
            Width = 217
            Height = 3
            Align = alTop
            OnMoved = Shell1SplitterMoved
          end
          object ShellListTopPanel: TPanel
            Left = 0
            Top = 143
            Width = 217
            Height = 24
            Align = alTop
            BevelOuter = bvNone
            Caption = ''
            OnResize = ShellListTopPanelResize
            object ShellListFileFilterCombo: TComboBox
              Left = 0
              Top = 1
              Width = 217
              Height = 21
              Align = alClient
              OnChange = ShellListFileFilterComboChange
              OnDropDown = ShellListFileFilterComboDropDown
              OnEnter = ShellListFileFilterComboEnter
              OnExit = ShellListFileFilterComboExit
              OnKeyPress = ShellListFileFilterComboKeyPress
            end
          end
          object ShellList: TPTShellList
            Left = 0
            Top = 167
            Width = 217
            Height = 253
            Align = alClient
            MultiSelect = True
            ViewStyle = vsReport
            PopupMenu = ShellListPopupMenu
            OnDblClickOpen = ShellListDblClickOpen
          end
        end
        object ShellTabSheet2: TTabSheet
          Caption = 'Shell 2'
          object ShellTree2Panel: TPanel
            Left = 0
            Top = 0
            Width = 217
            Height = 140
            Align = alTop
            BevelOuter = bvNone
            Caption = ''
            object ShellTree2: TPTShellTree
              Left = 0
              Top = 0
              Width = 217
              Height = 140
              Align = alClient
            end
          end
          object Shell2Splitter: TSplitter
            Left = 0
            Top = 140
            Width = 217
            Height = 3
            Align = alTop
            OnMoved = Shell2SplitterMoved
          end
          object ShellListTopPanel2: TPanel
            Left = 0
            Top = 143
            Width = 217
            Height = 24
            Align = alTop
            BevelOuter = bvNone
            Caption = ''
            OnResize = ShellListTopPanelResize
            object ShellListFileFilterCombo2: TComboBox
              Left = 0
              Top = 1
              Width = 217
              Height = 21
              Align = alClient
              OnChange = ShellListFileFilterComboChange
              OnDropDown = ShellListFileFilterComboDropDown
              OnEnter = ShellListFileFilterComboEnter
              OnExit = ShellListFileFilterComboExit
              OnKeyPress = ShellListFileFilterComboKeyPress
            end
          end
          object ShellList2: TPTShellList
            Left = 0
            Top = 167
            Width = 217
            Height = 253
            Align = alClient
            MultiSelect = True
            ViewStyle = vsReport
            PopupMenu = ShellListPopupMenu
            OnDblClickOpen = ShellListDblClickOpen
          end
        end
        object OpenedTabSheet: TTabSheet
          Caption = 'Open'
          object OpenedListView: TListView
            Left = 0
            Top = 0
            Width = 217
            Height = 420
            Align = alClient
            ReadOnly = True
            RowSelect = True
            ViewStyle = vsReport
            PopupMenu = OpenedPopupMenu
            Columns = <
              item
                Caption = 'Name'
                Width = 130
              end
              item
                Caption = 'Parser'
                Width = 60
              end
              item
                Caption = 'Results'
                Width = 55
              end
              item
                Caption = 'Full Name'
                Width = 500
              end>
            OnClick = OpenedListViewClick
            OnColumnClick = OpenedListViewColumnClick
          end
        end
        object Structure2Sheet: TTabSheet
          Caption = 'Structure'
          object StructureEdit2: TEasyEdit
            Left = 0
            Top = 0
            Width = 217
            Height = 420
            Align = alClient
            PopupMenu = GenericMemoPopup
            OnMouseUp = StructureEdit2MouseUp
          end
        end
        object TreeStructureTabSheet: TTabSheet
          Caption = 'Tree'
          object StructureTree: ZEZTree
            Left = 0
            Top = 0
            Width = 217
            Height = 420
            Align = alClient
          end
        end
      end
    end
    object VertSplit1: TSplitter
      Left = 225
      Top = 0
      Width = 3
      Height = 472
      Align = alLeft
      OnMoved = VertSplit1Moved
    end
    object EditorsAndWBPanel: TPanel
      Left = 228
      Top = 0
      Width = 546
      Height = 472
      Align = alClient
      BevelOuter = bvNone
      Caption = ''
      object ResultsPanel: TPanel
        Left = 0
        Top = 322
        Width = 546
        Height = 150
        Align = alBottom
        BevelOuter = bvNone
        Caption = ''
        OnResize = ResultsPanelResize
        object ResultWindowLeftDock: TTBDock
          Left = 0
          Top = 0
          Width = 9
          Height = 150
          Position = dpLeft
          OnRequestDock = ResultWindowLeftDockRequestDock
        end
        object ResultWindowRightDock: TTBDock
          Left = 537
          Top = 0
          Width = 9
          Height = 150
          Position = dpRight
          OnRequestDock = ZUBQEFormBottomDockRequestDock
        end
        object ResultsTopPanel: TPanel
          Left = 9
          Top = 0
          Width = 528
          Height = 22
          Align = alTop
          BevelOuter = bvNone
          Caption = ''
          object ResultsWindowMsgSingleClickBtn: TSpeedButton
            Left = 2
            Top = 0
            Width = 22
            Height = 22
            AllowAllUp = True
            GroupIndex = 1
            Hint = 'Jump to a message with a single click'
            ShowHint = True
            OnClick = ResultsWindowMsgSingleClickBtnClick
          end
          object ResultsWindowShowToolTips: TSpeedButton
            Left = 26
            Top = 0
            Width = 22
            Height = 22
            AllowAllUp = True
            GroupIndex = 2
            Hint = 'Show tooltips in the results trees'
            ShowHint = True
            OnClick = ResultsWindowShowToolTipsClick
          end
          object ResultsWindowSelectBtn: TSpeedButton
            Left = 50
            Top = 0
            Width = 22
            Height = 22
            AllowAllUp = True
            GroupIndex = 3
            Hint = 'Select the text of a message when jumping to it'
            ShowHint = True
            OnClick = ResultsWindowSelectBtnClick
          end
          object HideResultsWindowBtn: TSpeedButton
            Left = 504
            Top = 0
            Width = 22
            Height = 22
            Anchors = [akTop,akRight]
            Hint = 'Close the results window'
            ShowHint = True
            OnClick = ViewResultsClick
          end
        end
        object ResultsPageControl: TPageControl
          Left = 9
          Top = 22
          Width = 528
          Height = 128
          Align = alClient
          ActivePage = MessagesSheet
          PopupMenu = ResultsPopupMenu
          OnChange = ResultsPageControlChange
          object MessagesSheet: TTabSheet
            Caption = 'Messages'
            object MessagesPanel: TPanel
              Left = 0
              Top = 0
              Width = 520
              Height = 100
              Align = alClient
              BevelOuter = bvNone
              Caption = 'No messages to display.'
              Color = clWindow
              OnClick = ToolsValidateClick
            end
            object ResultsListView: TListView
              Left = 0
              Top = 0
              Width = 520
              Height = 100
              Align = alClient
              Visible = False
              ReadOnly = True
              RowSelect = True
              ViewStyle = vsReport
              PopupMenu = ResultsPopupMenu
              Columns = <
                item
                  Caption = 'Type'
                  Width = 70
                end
                item
                  Caption = 'Line'
                  Width = 50
                end
                item
                  Caption = 'Message'
                  Width = 600
                end>
              OnClick = ResultsListViewClick
              OnDblClick = ResultsListViewDblClick
              OnEnter = ResultsListViewEnter
              OnColumnClick = ResultsListViewColumnClick
              OnSelectItem = ResultsListViewSelectItem
            end
          end
          object TreeViewSheet: TTabSheet
            Caption = 'Grouped Messages'
            object TreeViewPanel: TPanel
              Left = 0
              Top = 0
              Width = 520
              Height = 100
              Align = alClient
              BevelOuter = bvNone
              Caption = 'No messages to display.'
              Color = clWindow
              OnClick = ToolsValidateClick
            end
            object ResultsTreeView: ZEZTree
              Left = 0
              Top = 0
              Width = 520
              Height = 100
              Align = alClient
              Visible = False
              PopupMenu = ResultsPopupMenu
              OnChange = ResultsTreeViewChange
              OnClick = ResultsTreeViewClick
              OnDblClick = ResultsTreeViewDblClick
              OnRightClickNode = ResultsTreeViewRightClickNode
            end
          end
          object AccessibilitySheet: TTabSheet
            Caption = 'Accessibility'
            object AccessibilityPanel: TPanel
              Left = 0
              Top = 0
              Width = 520
              Height = 100
              Align = alClient
              BevelOuter = bvNone
              Caption = 'No messages to display.'
              Color = clWindow
              OnClick = ToolsValidateClick
            end
            object AccessibilityTreeView: ZEZTree
              Left = 0
              Top = 0
              Width = 520
              Height = 100
              Align = alClient
              Visible = False
              PopupMenu = ResultsPopupMenu
              OnChange = ResultsTreeViewChange
              OnClick = ResultsTreeViewClick
              OnDblClick = ResultsTreeViewDblClick
              OnRightClickNode = ResultsTreeViewRightClickNode
            end
          end
          object StylesSheet: TTabSheet
            Caption = 'Styles'
            object StylesPanel: TPanel
              Left = 0
              Top = 0
              Width = 520
              Height = 100
              Align = alClient
              BevelOuter = bvNone
              Caption = 'No messages to display.'
              Color = clWindow
              OnClick = ToolsValidateClick
            end
            object StyleMessagesTreeView: ZEZTree
              Left = 0
              Top = 0
              Width = 520
              Height = 100
              Align = alClient
              Visible = False
              PopupMenu = ResultsPopupMenu
              OnChange = ResultsTreeViewChange
              OnClick = ResultsTreeViewClick
              OnDblClick = ResultsTreeViewDblClick
              OnRightClickNode = ResultsTreeViewRightClickNode
            end
          end
          object LinksSheet: TTabSheet
            Caption = 'Links'
            object LinksTopPanel: TPanel
              Left = 0
              Top = 0
              Width = 520
              Height = 24
              Align = alTop
              BevelOuter = bvNone
              Caption = ''
              object LinksPlayBtn: TSpeedButton
                Left = 2
                Top = 1
                Width = 22
                Height = 22
                Hint = 'Check Links'
                ShowHint = True
                OnClick = LinksPlayBtnClick
              end
              object LinksStopBtn: TSpeedButton
                Left = 26
                Top = 1
                Width = 22
                Height = 22
                Enabled = False
                Hint = 'Stop Checking Links'
                ShowHint = True
                OnClick = LinksStopBtnClick
              end
              object LinksNetworkOptionsBtn: TSpeedButton
                Left = 50
                Top = 1
                Width = 22
                Height = 22
                Hint = 'Network Options'
                ShowHint = True
                OnClick = LinksNetworkOptionsBtnClick
              end
              object LinksHelpBtn: TSpeedButton
                Left = 74
                Top = 1
                Width = 22
                Height = 22
                Caption = '?'
                Hint = 'Help with the Links page'
                ShowHint = True
                OnClick = LinksHelpBtnClick
              end
              object Animate: TAnimate
                Left = 100
                Top = 2
                Width = 20
                Height = 20
                Visible = False
              end
            end
            object LinksPanel: TPanel
              Left = 0
              Top = 52
              Width = 520
              Height = 48
              Align = alBottom
              BevelOuter = bvNone
              Caption = ''
              PopupMenu = LinksPanelPopupMenu
              object LinkLabel: TLabel
                Left = 4
                Top = 4
                Width = 512
                Height = 16
                AutoSize = False
                Caption = 'NA'
              end
              object AbsoluteLabel: TLabel
                Left = 4
                Top = 24
                Width = 512
                Height = 16
                AutoSize = False
                Caption = 'NA'
              end
            end
            object LinksPanel2: TPanel
              Left = 0
              Top = 24
              Width = 520
              Height = 28
              Align = alClient
              BevelOuter = bvNone
              Caption = 'No links to display.'
              Color = clWindow
              OnClick = ToolsValidateClick
            end
            object LinksListView: TListView
              Left = 0
              Top = 24
              Width = 520
              Height = 28
              Align = alClient
              Visible = False
              ReadOnly = True
              RowSelect = True
              ViewStyle = vsReport
              PopupMenu = ResultsPopupMenu
              Columns = <
                item
                  Caption = 'Order'
                  Width = 50
                end
                item
                  Caption = 'Link'
                  Width = 200
                end
                item
                  Caption = 'Absolute URL'
                  Width = 250
                end
                item
                  Caption = 'Status'
                  Width = 120
                end
                item
                  Caption = 'Type'
                  Width = 80
                end
                item
                  Caption = 'Comment'
                  Width = 0
                end>
              OnColumnClick = LinksListViewColumnClick
              OnDblClick = LinksListViewDblClick
              OnSelectItem = LinksListViewSelectItem
            end
          end
          object StructureSheet: TTabSheet
            Caption = 'Structure'
            OnResize = StructureSheetResize
            object TagCountListView: TListView
              Left = 0
              Top = 0
              Width = 208
              Height = 100
              Align = alLeft
              ReadOnly = True
              RowSelect = True
              ViewStyle = vsReport
              Columns = <
                item
                  Caption = 'Name'
                  Width = 70
                end
                item
                  Caption = 'Used'
                  Width = 45
                end
                item
                  Caption = 'Opened'
                  Width = 50
                end
                item
                  Caption = 'Closed'
                  Width = 50
                end
                item
                  Caption = 'Percent'
                  Width = 55
                end>
              OnColumnClick = TagCountListViewColumnClick
            end
            object StructureSplitter: TSplitter
              Align = alLeft
              Left = 208
              Top = 0
              Width = 3
              Height = 100
              OnMoved = StructureSplitterMoved
            end
            object StructurePanel: TPanel
              Left = 211
              Top = 0
              Width = 309
              Height = 100
              Align = alClient
              BevelOuter = bvNone
              Caption = 'No structure to display.'
              Color = clWindow
              OnClick = ToolsValidateClick
              object StructureEdit: TEasyEdit
                Left = 0
                Top = 0
                Width = 309
                Height = 100
                Align = alClient
                PopupMenu = GenericMemoPopup
                OnMouseUp = StructureEdit2MouseUp
              end
            end
          end
          object ScratchSheet: TTabSheet
            Caption = 'Scratch'
            OnResize = ScratchSheetResize
            object ScratchPad1Edit: TEasyEdit
              Left = 0
              Top = 0
              Width = 260
              Height = 100
              Align = alLeft
              PopupMenu = GenericMemoPopup
            end
            object ScratchSplitter: TSplitter
              Align = alLeft
              Left = 260
              Top = 0
              Width = 3
              Height = 100
              OnMoved = ScratchSplitterMoved
            end
            object ScratchPad2Edit: TEasyEdit
              Left = 263
              Top = 0
              Width = 257
              Height = 100
              Align = alClient
              PopupMenu = GenericMemoPopup
              OnResize = ScratchPad2EditResize
            end
          end
        end
      end
      object EditorResultsSplitter: TSplitter
        Left = 0
        Top = 319
        Width = 546
        Height = 3
        Cursor = crVSplit
        Align = alBottom
        OnMoved = HorzSplit1Change
      end
      object EditorDecorationPanel: TPanel
        Left = 0
        Top = 0
        Width = 546
        Height = 319
        Align = alClient
        BevelOuter = bvNone
        Caption = ''
        OnResize = EditorDecorationPanelResize
        object DecorationPanelLeft: TPanel
          Left = 0
          Top = 0
          Width = 0
          Height = 319
          Align = alLeft
          BevelOuter = bvNone
          Caption = ''
          OnResize = DecorationPanelLeftResize
        end
        object BothEditorsPanel: TPanel
          Left = 0
          Top = 0
          Width = 546
          Height = 319
          Align = alClient
          BevelOuter = bvNone
          Caption = ''
          OnResize = BothEditorsPanelResize
          object Editor1Panel: TPanel
            Left = 0
            Top = 0
            Width = 273
            Height = 319
            Align = alLeft
            BevelOuter = bvNone
            Caption = ''
            object TabControl1: TTabControl
              Left = 0
              Top = 0
              Width = 273
              Height = 319
              Align = alClient
              OnChange = TabControlChange
              object EasyEdit1: TEasyEdit
                Left = 4
                Top = 24
                Width = 265
                Height = 291
                Align = alClient
                PopupMenu = EditorPopupMenu
                OnEnter = EasyEdit1Enter
                OnGutterClick = EasyEdit1GutterClick
                OnSourceChanged = EasyEdit1SourceChanged
              end
            end
          end
          object EditorsSplitter: TSplitter
            Align = alLeft
            Left = 273
            Top = 0
            Width = 3
            Height = 319
            OnMoved = EditorsSplitterMoved
          end
          object Editor2Panel: TPanel
            Left = 276
            Top = 0
            Width = 270
            Height = 319
            Align = alClient
            BevelOuter = bvNone
            Caption = ''
            object TabControl2: TTabControl
              Left = 0
              Top = 0
              Width = 270
              Height = 319
              Align = alClient
              OnChange = TabControlChange
              OnMouseDown = TabControl2MouseDown
              object EasyEdit2: TEasyEdit
                Left = 4
                Top = 24
                Width = 262
                Height = 291
                Align = alClient
                PopupMenu = EditorPopupMenu
                OnEnter = EasyEdit1Enter
                OnGutterClick = EasyEdit1GutterClick
                OnSourceChanged = EasyEdit1SourceChanged
              end
            end
          end
        end
      end
    end
  end
  object EditorPopupMenu: TTBPopupMenu
    OnPopup = EditorPopupMenuPopup
    object EditorPopupCut: TTBItem
      Caption = 'Cu&t'
      OnClick = EditCutClick
    end
    object EditorPopupCopy: TTBItem
      Caption = '&Copy'
      OnClick = EditCopyClick
    end
    object EditorPopupPaste: TTBItem
      Caption = '&Paste'
      OnClick = EditPasteClick
    end
    object EditorPopupSelectAll: TTBItem
      Caption = 'Select &All'
      OnClick = EditSelectAllClick
    end
    object EditorPopupMenuSep1: TTBSeparatorItem
    end
    object EditorPopupSelection: TTBSubmenuItem
      Caption = 'S&election'
      object EditorPopupOpenFile: TTBItem
        Caption = '&Open File'
        OnClick = EditorPopupOpenFileClick
      end
      object EditorPopupLowercase: TTBItem
        Caption = 'Change to &Lowercase'
        OnClick = EditorPopupLowercaseClick
      end
      object EditorPopupUppercase: TTBItem
        Caption = 'Change to &Uppercase'
        OnClick = EditorPopupUppercaseClick
      end
      object EditorPopupConvertToEntities: TTBItem
        Caption = 'Convert to &Entities'
        OnClick = EditorPopupConvertToEntitiesClick
      end
      object EditorPopupIndent: TTBItem
        Caption = '&Indent'
        OnClick = IndentBtnClick
      end
      object EditorPopupUnindent: TTBItem
        Caption = 'U&nindent'
        OnClick = UnindentBtnClick
      end
      object EditorPopupSpellCheck: TTBItem
        Caption = '&Spell Check'
        OnClick = EditorPopupSpellCheckClick
      end
    end
    object EditorPopupToggleBookmark: TTBSubmenuItem
      Caption = '&Toggle Bookmark'
      DropdownCombo = True
    end
    object EditorPopupGotoBookmark: TTBSubmenuItem
      Caption = '&Goto Bookmark'
      DropdownCombo = True
    end
    object EditorPopupMenuSep2: TTBSeparatorItem
    end
    object EditorPopupValidate: TTBItem
      Caption = '&Validate'
      OnClick = ToolsValidateClick
    end
    object EditorPopupValidateWithWizard: TTBItem
      Caption = 'Validate with Wi&zard'
      OnClick = ToolsValidateWithBatchWizardClick
    end
    object EditorPopupMenuSep3: TTBSeparatorItem
    end
    object EditorPopupSave: TTBItem
      Caption = '&Save'
      OnClick = FileSaveClick
    end
    object EditorPopupSaveAll: TTBItem
      Caption = 'Sa&ve All'
      OnClick = FileSaveAllClick
    end
    object EditorPopupReload: TTBItem
      Caption = '&Reload'
      OnClick = FileReloadClick
    end
  end
  object GenericMemoPopup: TTBPopupMenu
    OnPopup = GenericMemoPopupPopup
    object GenericMemoPopupCut: TTBItem
      Caption = 'Cu&t'
      OnClick = EditCutClick
    end
    object GenericMemoPopupCopy: TTBItem
      Caption = '&Copy'
      OnClick = EditCopyClick
    end
    object GenericMemoPopupPaste: TTBItem
      Caption = '&Paste'
      OnClick = EditPasteClick
    end
    object GenericMemoPopupSep1: TTBSeparatorItem
    end
    object GenericMemoPopupPrint: TTBItem
      Caption = 'P&rint...'
      OnClick = FilePrintClick
    end
    object GenericMemoPopupSelectAll: TTBItem
      Caption = 'Select &All'
      OnClick = EditSelectAllClick
    end
  end
  object ResultsPopupMenu: TTBPopupMenu
    OnPopup = ResultsPopupMenuPopup
    object ResultsPopupValidateHTML: TTBItem
      Caption = '&Validate'
      OnClick = ToolsValidateClick
    end
    object ResultsPopupValidateWithWizard: TTBItem
      Caption = 'Validate with Wi&zard'
      OnClick = ToolsValidateWithBatchWizardClick
    end
    object ResultsListRefresh: TTBItem
      Caption = '&Refresh View'
      OnClick = ResultsListRefreshClick
    end
    object ResultsListClear: TTBItem
      Caption = '&Clear Results'
      OnClick = ResultsListClearClick
    end
    object ResultsPopupMenuSep1: TTBSeparatorItem
    end
    object ResultsPopupCopyToClipboard: TTBSubmenuItem
      Caption = 'Copy &Messages to Clipboard'
      DropdownCombo = True
      OnClick = ResultsPopupCopyToClipboardClick
      object ResultsPopupCopyToClipboardInXML: TTBItem
        Caption = 'In &XML Format'
        OnClick = ResultsPopupCopyToClipboardInXMLClick
      end
    end
    object ResultsPopupExportLinks: TTBItem
      Caption = 'E&xport Links to Text'
      OnClick = ResultsPopupExportLinksClick
    end
    object ResultsPopupCheckLinks: TTBItem
      Caption = '&Check Links'
      OnClick = LinksPlayBtnClick
    end
    object ResultsPopupStopCheckingLinks: TTBItem
      Caption = '&Stop Checking Links'
      OnClick = LinksStopBtnClick
    end
    object ResultsPopupNetworkOptions: TTBItem
      Caption = '&Network Options'
      OnClick = LinksNetworkOptionsBtnClick
    end
    object ResultsPopupResetLinkCache: TTBItem
      Caption = '&Reset Link Cache'
      OnClick = ResultsPopupResetLinkCacheClick
    end
    object ResultsPopupOptionsSeparatorItem: TTBSeparatorItem
    end
    object ResultsPopupOptions: TTBSubmenuItem
      Caption = '&Options for this Message'
      object ResultsPopupChangeToError: TTBItem
        Caption = '&Error'
        OnClick = ResultsPopupChangeToErrorClick
      end
      object ResultsPopupChangeToWarning: TTBItem
        Caption = '&Warning'
        OnClick = ResultsPopupChangeToErrorClick
      end
      object ResultsPopupChangeToMessage: TTBItem
        Caption = '&Message'
        OnClick = ResultsPopupChangeToErrorClick
      end
      object ResultsPopupChangeToComment: TTBItem
        Caption = '&Comment'
        OnClick = ResultsPopupChangeToErrorClick
      end
      object ResultsPopupChangeToDefault: TTBItem
        Caption = '&Default'
        OnClick = ResultsPopupChangeToErrorClick
      end
      object ResultsPopupOptionsSep1: TTBSeparatorItem
      end
      object ResultsPopupEnableMessage: TTBItem
        Caption = '&Enable Message'
        OnClick = ResultsPopupDisableMessageClick
      end
      object ResultsPopupDisableMessage: TTBItem
        Caption = '&Disable Message'
        OnClick = ResultsPopupDisableMessageClick
      end
    end
    object ResultsPopupQuickHelp: TTBItem
      Caption = '&Quick Help'
      OnClick = ResultsPopupQuickHelpClick
    end
  end
  object ShellListPopupMenu: TTBPopupMenu
    object ShellListNewFolder: TTBItem
      Caption = '&New Folder'
      OnClick = ShellListNewFolderClick
    end
    object ShellListRefresh: TTBItem
      Caption = '&Refresh'
      OnClick = ShellListRefreshClick
    end
  end
  object OpenedPopupMenu: TTBPopupMenu
    object OpenedValidateAll: TTBItem
      Caption = '&Validate All'
      OnClick = ToolsValidateAllClick
    end
    object OpenedRefresh: TTBItem
      Caption = '&Refresh'
      OnClick = OpenedRefreshClick
    end
  end
  object StatusBarPopupMenu: TTBPopupMenu
    object HideStatusBar: TTBItem
      Caption = '&Hide Status Bar'
      OnClick = HideStatusBarClick
    end
  end
  object EditorMenuBarDockPopupMenu: TTBPopupMenu
    object AllowDrag: TTBItem
      Caption = 'Allow Drag'
      OnClick = AllowDragClick
    end
    object DisallowDrag: TTBItem
      Caption = 'Disallow Drag'
      OnClick = DisallowDragClick
    end
    object EditorMenuBarDockPopupMenuSep1: TTBSeparatorItem
    end
    object HideSpeedBar: TTBItem
      Caption = '&Hide Toolbar'
      OnClick = HideSpeedBarClick
    end
  end
  object LinksPanelPopupMenu: TTBPopupMenu
    object HideLinkInfoPanel: TTBItem
      Caption = '&Hide Link Information Panel'
      OnClick = ViewLinkInfoPanelClick
    end
  end
  object DragDropPopupMenu: TTBPopupMenu
    object DragDropPopupUseValidator: TTBItem
      Caption = 'Use &Validator on Dropped Files'
      OnClick = DragDropUseValidatorClick
    end
    object DragDropPopupUseTool: TTBItem
      Caption = 'Use Default &Tool on Dropped Files'
      OnClick = DragDropUseToolClick
    end
    object DragDropPopupMenuSep1: TTBSeparatorItem
    end
    object HideDragDropWindow: TTBItem
      Caption = '&Hide Drag and Drop Window'
      OnClick = HideDragDropWindowClick
    end
  end
  object ResultsAreaPopupMenu: TTBPopupMenu
    object HideResultsWindow: TTBItem
      Caption = '&Hide Results Window'
      OnClick = HideResultsWindowClick
    end
  end
  object PTOpenDialog: TPTOpenDlg
    OnFormShow = PTOpenDialogFormShow
    OnFormClose = PTOpenDialogFormClose
  end
  object PTSaveDialog: TPTSaveDlg
    OnFormShow = PTSaveDialogFormShow
    OnFormClose = PTSaveDialogFormClose
  end
  object TBSkin: TTBSkin
  end
  object EditorImageList: TImageList
  end
  object EasyEditorParser1: TEasyEditorParser
  end
end
