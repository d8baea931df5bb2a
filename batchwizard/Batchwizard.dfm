object BatchWizardForm: TBatchWizardForm
  Left = 40
  Top = 40
  Width = 560
  Height = 400
  Caption = 'ZUB Quillon Pro Batch Wizard'
  Color = clBtnFace
  OnCreate = FormCreate
  OnShow = FormShow
  OnActivate = FormActivate
  OnCloseQuery = FormCloseQuery
  OnDestroy = FormDestroy
  object BatchWizardMenuDock: TTBDock
    Left = 0
    Top = 0
    Width = 552
    Height = 50
    object BatchWizardMenuBar: TTBToolbar
      Left = 0
      Top = 0
      Caption = 'Menu'
      DockRow = 0
      DockPos = 0
      object FileMenu: TTBSubmenuItem
        Caption = '&File'
        object FileNewList: TTBItem
          Caption = '&New List'
          ShortCut = 16462
          OnClick = FileNewListClick
        end
        object FileOpenList: TTBSubmenuItem
          Caption = '&Open List...'
          ShortCut = 16463
          DropdownCombo = True
          OnClick = FileOpenListClick
        end
        object FileSaveList: TTBItem
          Caption = '&Save List'
          ShortCut = 16467
          OnClick = FileSaveListClick
        end
        object FileSaveListAs: TTBItem
          Caption = 'Save List &As...'
          ShortCut = 24641
          OnClick = FileSaveListAsClick
        end
        object FileCloseList: TTBItem
          Caption = '&Close List'
          ShortCut = 16471
          OnClick = FileNewListClick
        end
        object FileMenuSep1: TTBSeparatorItem
        end
        object FileStartProcessing: TTBItem
          Caption = '&Process List'
          ShortCut = 117
          OnClick = FileStartProcessingClick
        end
        object FileStopProcessing: TTBItem
          Caption = 'S&top Processing'
          ShortCut = 118
          OnClick = FileStopProcessingClick
        end
        object FileMenuSep2: TTBSeparatorItem
        end
        object FileReopenLastReport: TTBItem
          Caption = '&Reopen Last Report'
          ShortCut = 16466
          OnClick = FileReopenLastReportClick
        end
        object FileMenuSep3: TTBSeparatorItem
        end
        object FileExit: TTBItem
          Caption = 'E&xit Batch Wizard'
          ShortCut = 32883
          OnClick = FileExitClick
        end
      end
      object ViewMenu: TTBSubmenuItem
        Caption = '&View'
        object ViewToolbar: TTBItem
          Caption = '&Toolbar'
          OnClick = ViewToolbarClick
        end
      end
      object TargetMenu: TTBSubmenuItem
        Caption = '&Target'
        object TargetAddFiles: TTBItem
          Caption = 'Add &Files...'
          ShortCut = 16454
          OnClick = TargetAddFilesClick
        end
        object TargetAddDirectory: TTBItem
          Caption = 'Add &Directory...'
          ShortCut = 16452
          OnClick = TargetAddDirectoryClick
        end
        object TargetAddURL: TTBItem
          Caption = 'Add &URL...'
          ShortCut = 16469
          OnClick = TargetAddURLClick
        end
        object TargetMenuSep1: TTBSeparatorItem
        end
        object TargetDelete: TTBItem
          Caption = 'D&elete'
          ShortCut = 46
          OnClick = TargetDeleteClick
        end
        object TargetMenuSep2: TTBSeparatorItem
        end
        object TargetSelectionMenu: TTBSubmenuItem
          Caption = '&Selection'
          object SelectionProcessYes: TTBItem
            Caption = 'Set Process to &Yes'
            ShortCut = 16464
            OnClick = SelectionProcessYesClick
          end
          object SelectionProcessNo: TTBItem
            Caption = 'Set Process to &No'
            ShortCut = 24656
            OnClick = SelectionProcessNoClick
          end
          object SelectionSetIFlag: TTBItem
            Caption = 'Set &I Flag'
            OnClick = SelectionSetIFlagClick
          end
          object SelectionClearIFlag: TTBItem
            Caption = 'Clear I Flag'
            OnClick = SelectionClearIFlagClick
          end
          object SelectionSetNFlag: TTBItem
            Caption = 'Set N &Flag'
            OnClick = SelectionSetNFlagClick
          end
          object SelectionClearNFlag: TTBItem
            Caption = 'Clear N Flag'
            OnClick = SelectionClearNFlagClick
          end
        end
        object TargetAllMenu: TTBSubmenuItem
          Caption = 'All &Targets'
          object AllProcessYes: TTBItem
            Caption = 'Set Process to &Yes'
            OnClick = AllProcessYesClick
          end
          object AllProcessNo: TTBItem
            Caption = 'Set Process to &No'
            OnClick = AllProcessNoClick
          end
        end
        object TargetSelectAll: TTBItem
          Caption = 'Select &All Targets'
          ShortCut = 16449
          OnClick = TargetSelectAllClick
        end
        object TargetMenuSep3: TTBSeparatorItem
        end
        object TargetOpenInEditor: TTBItem
          Caption = '&Open in Editor (File and URL Targets)'
          OnClick = TargetOpenInEditorClick
        end
        object TargetProperties: TTBItem
          Caption = '&Properties...'
          ShortCut = 116
          OnClick = TargetPropertiesClick
        end
        object TargetMenuSep4: TTBSeparatorItem
        end
        object TargetAutoSizeColumns: TTBItem
          Caption = 'AutoSize &Columns'
          OnClick = TargetAutoSizeColumnsClick
        end
      end
      object OptionsMenu: TTBSubmenuItem
        Caption = '&Options'
        object OptionsWizard: TTBItem
          Caption = '&Batch Wizard Options...'
          ShortCut = 115
          OnClick = OptionsWizardClick
        end
        object OptionsSpellCheck: TTBItem
          Caption = '&Spell Check Configuration...'
          OnClick = OptionsSpellCheckClick
        end
        object OptionsValidatorEngine: TTBItem
          Caption = '&Validator Engine Options...'
          ShortCut = 16499
          OnClick = OptionsValidatorEngineClick
        end
        object OptionsConfigurationEditor: TTBItem
          Caption = '&Configuration Editor...'
          ShortCut = 16500
          OnClick = OptionsConfigurationEditorClick
        end
      end
      object HelpMenu: TTBSubmenuItem
        Caption = '&Help'
        object HelpWizard: TTBItem
          Caption = 'Batch Wizard &Help'
          ShortCut = 112
          OnClick = HelpWizardClick
        end
        object HelpAbout: TTBItem
          Caption = '&About...'
          OnClick = HelpAboutClick
        end
      end
    end
    object BatchWizardToolbar: TTBToolbar
      Left = 0
      Top = 24
      Caption = 'Toolbar'
      DockRow = 1
      DockPos = 0
      OnClose = BatchWizardToolbarClose
      object NewListBtn: TTBItem
        Caption = 'New'
        Hint = 'New target list'
        OnClick = FileNewListClick
      end
      object OpenListBtn: TTBSubmenuItem
        Caption = 'Open'
        DropdownCombo = True
        Hint = 'Open a target list'
        OnClick = FileOpenListClick
      end
      object SaveListBtn: TTBItem
        Caption = 'Save'
        Hint = 'Save the target list'
        OnClick = FileSaveListClick
      end
      object CloseListBtn: TTBItem
        Caption = 'Close'
        Hint = 'Close the target list'
        OnClick = FileNewListClick
      end
      object ToolbarSep1: TTBSeparatorItem
      end
      object ProcessBtn: TTBItem
        Caption = 'Process'
        Hint = 'Process the target list'
        OnClick = FileStartProcessingClick
      end
      object StopBtn: TTBItem
        Caption = 'Stop'
        Hint = 'Stop processing'
        OnClick = FileStopProcessingClick
      end
      object ToolbarSep2: TTBSeparatorItem
      end
      object AddFilesBtn: TTBItem
        Caption = 'Files'
        Hint = 'Add file targets'
        OnClick = TargetAddFilesClick
      end
      object AddDirectoryBtn: TTBItem
        Caption = 'Directory'
        Hint = 'Add a directory target'
        OnClick = TargetAddDirectoryClick
      end
      object AddURLBtn: TTBItem
        Caption = 'URL'
        Hint = 'Add a URL target'
        OnClick = TargetAddURLClick
      end
      object DeleteBtn: TTBItem
        Caption = 'Delete'
        Hint = 'Delete the selected targets'
        OnClick = TargetDeleteClick
      end
      object PropertiesBtn: TTBItem
        Caption = 'Properties'
        Hint = 'Target properties'
        OnClick = TargetPropertiesClick
      end
      object ToolbarSep3: TTBSeparatorItem
      end
      object OptionsBtn: TTBItem
        Caption = 'Options'
        Hint = 'Batch wizard options'
        OnClick = OptionsWizardClick
      end
    end
  end
  object BatchWizardStatusBar: TStatusBar
    Left = 0
    Top = 354
    Width = 552
    Height = 19
    Panels = <
      item
        Width = 100
      end
      item
        Width = 1600
      end>
  end
  object BatchWizardPageControl: TPageControl
    Left = 0
    Top = 50
    Width = 552
    Height = 304
    Align = alClient
    ActivePage = TargetSheet
    OnChange = BatchWizardPageControlChange
    OnChanging = BatchWizardPageControlChanging
    object TargetSheet: TTabSheet
      Caption = 'Target List'
      OnShow = TargetSheetShow
      object TargetListView: TListView
        Left = 0
        Top = 0
        Width = 544
        Height = 276
        Align = alClient
        MultiSelect = True
        ReadOnly = True
        RowSelect = True
        HideSelection = False
        ViewStyle = vsReport
        PopupMenu = WizardPopup
        OnDblClick = TargetListViewDblClick
        OnColumnClick = TargetListViewColumnClick
        OnKeyPress = TargetListViewKeyPress
        Columns = <
          item
            Caption = 'Target'
            Width = 125
          end
          item
            Caption = 'Proc'
            Width = 40
          end
          item
            Caption = 'Flags'
            Width = 45
          end
          item
            Caption = 'Results'
            Width = 55
          end
          item
            Caption = 'Full Target'
            Width = 300
          end>
      end
    end
    object ListOptionsSheet: TTabSheet
      Caption = 'Target List Options'
      object HTMLReportFilenameLabel: TLabel
        Left = 8
        Top = 12
        Width = 440
        Height = 13
        Caption = '&HTML report filename (root page; blank uses the batch wizard options):'
        FocusControl = HTMLReportFilenameEdit
      end
      object HTMLReportFilenameEdit: TEdit
        Left = 8
        Top = 28
        Width = 440
        Height = 21
        TabOrder = 0
        OnChange = ReportFieldChange
      end
      object HTMLReportBrowseBtn: TButton
        Left = 456
        Top = 27
        Width = 75
        Height = 23
        Caption = 'Browse...'
        TabOrder = 1
        OnClick = HTMLReportBrowseBtnClick
      end
      object HTMLReportCSSFilenameLabel: TLabel
        Left = 8
        Top = 60
        Width = 440
        Height = 13
        Caption = 'External &CSS file for the report (blank uses the batch wizard options):'
        FocusControl = HTMLReportCSSFilenameEdit
      end
      object HTMLReportCSSFilenameEdit: TEdit
        Left = 8
        Top = 76
        Width = 440
        Height = 21
        TabOrder = 2
        OnChange = ReportFieldChange
      end
      object HTMLReportCSSBrowseBtn: TButton
        Left = 456
        Top = 75
        Width = 75
        Height = 23
        Caption = 'Browse...'
        TabOrder = 3
        OnClick = HTMLReportCSSBrowseBtnClick
      end
      object ExcludeBeginStringsLabel: TLabel
        Left = 8
        Top = 108
        Width = 440
        Height = 13
        Caption = '&Exclude targets that begin with (separate several with semicolons):'
        FocusControl = ExcludeBeginStringsEdit
      end
      object ExcludeBeginStringsEdit: TEdit
        Left = 8
        Top = 124
        Width = 440
        Height = 21
        TabOrder = 4
        OnChange = ReportFieldChange
      end
    end
    object ProgressSheet: TTabSheet
      Caption = 'Batch Progress'
      object BatchProgressEdit: TEasyEdit
        Left = 0
        Top = 0
        Width = 544
        Height = 260
        Align = alClient
      end
      object BatchProgressBar: TProgressBar
        Left = 0
        Top = 260
        Width = 544
        Height = 16
        Align = alBottom
        Max = 100
      end
    end
  end
  object WizardPopup: TTBPopupMenu
    OnPopup = WizardPopupPopup
    object PopupProperties: TTBItem
      Caption = '&Properties...'
      OnClick = TargetPropertiesClick
    end
    object PopupOpenInEditor: TTBItem
      Caption = '&Open in Editor'
      OnClick = TargetOpenInEditorClick
    end
    object PopupSep1: TTBSeparatorItem
    end
    object PopupSelectionMenu: TTBSubmenuItem
      Caption = '&Selection'
      object PopupProcessYes: TTBItem
        Caption = 'Set Process to &Yes'
        OnClick = SelectionProcessYesClick
      end
      object PopupProcessNo: TTBItem
        Caption = 'Set Process to &No'
        OnClick = SelectionProcessNoClick
      end
      object PopupSetIFlag: TTBItem
        Caption = 'Set &I Flag'
        OnClick = SelectionSetIFlagClick
      end
      object PopupClearIFlag: TTBItem
        Caption = 'Clear I Flag'
        OnClick = SelectionClearIFlagClick
      end
      object PopupSetNFlag: TTBItem
        Caption = 'Set N &Flag'
        OnClick = SelectionSetNFlagClick
      end
      object PopupClearNFlag: TTBItem
        Caption = 'Clear N Flag'
        OnClick = SelectionClearNFlagClick
      end
    end
    object PopupDelete: TTBItem
      Caption = '&Delete Target(s)'
      OnClick = TargetDeleteClick
    end
    object PopupSep2: TTBSeparatorItem
    end
    object PopupProcess: TTBItem
      Caption = 'P&rocess List'
      OnClick = FileStartProcessingClick
    end
    object PopupStop: TTBItem
      Caption = 'S&top Processing'
      OnClick = FileStopProcessingClick
    end
    object PopupSaveList: TTBItem
      Caption = '&Save List'
      OnClick = FileSaveListClick
    end
  end
  object FolderBrowseDlg: TPTFolderBrowseDlg
  end
end
