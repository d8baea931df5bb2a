object EditorOptionsForm: TEditorOptionsForm
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'ZUB Quillon Integrated Editor Options'
  ClientHeight = 408
  ClientWidth = 472
  Color = clBtnFace
  Position = poOwnerFormCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OnShow = FormShow
  object PageControl: TPageControl
    Left = 8
    Top = 8
    Width = 456
    Height = 352
    ActivePage = GeneralSheet
    TabOrder = 0
    object GeneralSheet: TTabSheet
      Caption = 'General 1'
      object AutoSaveBeforeViewingCheckBox: TCheckBox
        Left = 12
        Top = 10
        Width = 424
        Height = 17
        Caption = 'Automatically &save a changed document before it is used outside'
        TabOrder = 0
      end
      object AutoValidateWhenOpenedCheckBox: TCheckBox
        Left = 12
        Top = 34
        Width = 424
        Height = 17
        Caption = '&Validate documents when they are opened'
        TabOrder = 1
      end
      object AutoValidateOnReload: TCheckBox
        Left = 12
        Top = 58
        Width = 424
        Height = 17
        Caption = 'Validate documents when they are &reloaded'
        TabOrder = 2
      end
      object OfficeXPStyleMenusCheckBox: TCheckBox
        Left = 12
        Top = 82
        Width = 424
        Height = 17
        Caption = 'Office &XP style menus and toolbars'
        TabOrder = 3
      end
      object EnableDynamicRefreshCheckBox: TCheckBox
        Left = 12
        Top = 106
        Width = 424
        Height = 17
        Caption = 'Enable &dynamic refresh of the shell panes'
        TabOrder = 4
      end
      object EnablePasswordSecurityCheckBox: TCheckBox
        Left = 12
        Top = 130
        Width = 424
        Height = 17
        Caption = 'Enable enhanced &password security (passwords are never stored)'
        TabOrder = 5
      end
      object OpenLastCheckBox: TCheckBox
        Left = 12
        Top = 154
        Width = 424
        Height = 17
        Caption = 'Reopen the documents that were &open at the last exit'
        TabOrder = 6
      end
      object LoadScratchPadsCheckBox: TCheckBox
        Left = 12
        Top = 178
        Width = 424
        Height = 17
        Caption = '&Load the scratch pads at start-up'
        TabOrder = 7
      end
      object NewVersionCheckBox: TCheckBox
        Left = 12
        Top = 202
        Width = 424
        Height = 17
        Caption = 'Periodically ask to check for a &new program version'
        TabOrder = 8
      end
      object NewInstanceQueryCheckBox: TCheckBox
        Left = 12
        Top = 226
        Width = 424
        Height = 17
        Caption = 'As&k before running another instance of the program'
        TabOrder = 9
      end
    end
    object GeneralSheet2: TTabSheet
      Caption = 'General 2'
      object WBAutoRefreshCheckBox: TCheckBox
        Left = 12
        Top = 10
        Width = 424
        Height = 17
        Caption = '&Automatically refresh the web browser pane'
        TabOrder = 0
      end
      object WBAutoValidateCheckBox: TCheckBox
        Left = 12
        Top = 34
        Width = 424
        Height = 17
        Caption = 'Automatically &validate the web browser''s source documents'
        TabOrder = 1
      end
      object WBRefreshWhenSavedCheckBox: TCheckBox
        Left = 12
        Top = 58
        Width = 424
        Height = 17
        Caption = '&Refresh the web browser pane when a document is saved'
        TabOrder = 2
      end
      object SendUPDomainMatchOnlyCheckBox: TCheckBox
        Left = 12
        Top = 82
        Width = 424
        Height = 17
        Caption = 'Send user names and passwords only to their own &domain'
        TabOrder = 3
      end
      object AutoLinkCheckCheckBox: TCheckBox
        Left = 12
        Top = 106
        Width = 424
        Height = 17
        Caption = 'Check the &links of a document after each validation'
        TabOrder = 4
      end
      object PreviewExtensionsLabel: TLabel
        Left = 12
        Top = 138
        Width = 424
        Height = 13
        Caption = 'Extensions of the documents the web browser pane &previews:'
        FocusControl = PreviewExtensionsEdit
      end
      object PreviewExtensionsEdit: TEdit
        Left = 12
        Top = 156
        Width = 424
        Height = 21
        TabOrder = 5
      end
    end
    object EditorSheet: TTabSheet
      Caption = 'Editor 1'
      object FontNameLabel: TLabel
        Left = 12
        Top = 12
        Width = 280
        Height = 13
        Caption = 'Font name: '
      end
      object FontSizeLabel: TLabel
        Left = 12
        Top = 30
        Width = 280
        Height = 13
        Caption = 'Font size: '
      end
      object FontExampleLabel: TLabel
        Left = 12
        Top = 52
        Width = 280
        Height = 40
        AutoSize = False
        Caption = '1234567890 Aa Bb Cc Dd Ee'
        Transparent = False
        Layout = tlCenter
      end
      object ChangeFontBtn: TButton
        Left = 308
        Top = 10
        Width = 132
        Height = 25
        Caption = 'Choose &Font...'
        TabOrder = 0
        OnClick = ChangeFontBtnClick
      end
      object ChangeColorBtn: TButton
        Left = 308
        Top = 40
        Width = 132
        Height = 25
        Caption = 'Font &Color...'
        TabOrder = 1
        OnClick = ChangeColorBtnClick
      end
      object BackgroundColorBtn: TButton
        Left = 308
        Top = 70
        Width = 132
        Height = 25
        Caption = '&Background Color...'
        TabOrder = 2
        OnClick = BackgroundColorBtnClick
      end
      object LineNumberColorBtn: TButton
        Left = 308
        Top = 100
        Width = 132
        Height = 25
        Caption = '&Line Number Color...'
        TabOrder = 3
        OnClick = LineNumberColorBtnClick
      end
      object RightMarginLabel: TLabel
        Left = 12
        Top = 140
        Width = 120
        Height = 13
        Caption = '&Right margin:'
        FocusControl = RightMarginEdit
      end
      object RightMarginEdit: TEdit
        Left = 140
        Top = 136
        Width = 60
        Height = 21
        TabOrder = 4
      end
      object TabStopsLabel: TLabel
        Left = 12
        Top = 170
        Width = 120
        Height = 13
        Caption = '&Tab stops:'
        FocusControl = TabStopsEdit
      end
      object TabStopsEdit: TEdit
        Left = 140
        Top = 166
        Width = 160
        Height = 21
        TabOrder = 5
      end
      object UseBoldItalicStylesCheckBox: TCheckBox
        Left = 12
        Top = 200
        Width = 424
        Height = 17
        Caption = 'Use &bold and italic styles'
        TabOrder = 6
        Visible = False
      end
    end
    object Editor2Sheet: TTabSheet
      Caption = 'Editor 2'
      object AutoIndentCheckBox: TCheckBox
        Left = 12
        Top = 10
        Width = 424
        Height = 17
        Caption = '&Auto indent'
        TabOrder = 0
      end
      object LimitEOLCheckBox: TCheckBox
        Left = 12
        Top = 34
        Width = 424
        Height = 17
        Caption = '&Keep the cursor within the line''s end'
        TabOrder = 1
      end
      object BackUnindentsCheckBox: TCheckBox
        Left = 12
        Top = 58
        Width = 424
        Height = 17
        Caption = '&Backspace unindents'
        TabOrder = 2
      end
      object DoubleClickLineCheckBox: TCheckBox
        Left = 12
        Top = 82
        Width = 424
        Height = 17
        Caption = '&Double click selects the line'
        TabOrder = 3
      end
      object StreamedSelectionCheckBox: TCheckBox
        Left = 12
        Top = 106
        Width = 424
        Height = 17
        Caption = 'S&treamed selection'
        TabOrder = 4
      end
      object UseTabCharacterCheckBox: TCheckBox
        Left = 12
        Top = 130
        Width = 424
        Height = 17
        Caption = 'Use the ta&b character'
        TabOrder = 5
      end
      object CursorOnTabsCheckBox: TCheckBox
        Left = 12
        Top = 154
        Width = 424
        Height = 17
        Caption = 'Cursor stops &on tab characters'
        TabOrder = 6
      end
      object WrapAtMarginCheckBox: TCheckBox
        Left = 12
        Top = 178
        Width = 424
        Height = 17
        Caption = '&Wrap words at the right margin'
        TabOrder = 7
      end
      object PersistentBlocksCheckBox: TCheckBox
        Left = 12
        Top = 202
        Width = 424
        Height = 17
        Caption = '&Persistent blocks'
        TabOrder = 8
      end
      object OverwriteBlocksCheckBox: TCheckBox
        Left = 12
        Top = 226
        Width = 424
        Height = 17
        Caption = 'O&verwrite blocks'
        TabOrder = 9
      end
      object SelectOnlyTextCheckBox: TCheckBox
        Left = 12
        Top = 250
        Width = 424
        Height = 17
        Caption = '&Select only text'
        TabOrder = 10
      end
      object LeaveTrailingSpacesCheckBox: TCheckBox
        Left = 12
        Top = 274
        Width = 424
        Height = 17
        Caption = 'Leave t&railing spaces'
        TabOrder = 11
      end
      object SmartTabCheckBox: TCheckBox
        Left = 12
        Top = 298
        Width = 424
        Height = 17
        Caption = 'S&mart tab'
        TabOrder = 12
        Visible = False
      end
    end
    object HTMLSheet: TTabSheet
      Caption = 'HTML and Results'
      object InsertHTMLUppercase: TCheckBox
        Left = 12
        Top = 10
        Width = 424
        Height = 17
        Caption = 'Insert HTML tags in &upper case'
        TabOrder = 0
      end
      object HighlightErrorLinesCheckBox: TCheckBox
        Left = 12
        Top = 34
        Width = 424
        Height = 17
        Caption = 'Highlight &error lines'
        TabOrder = 1
      end
      object HighlightWarningLinesCheckBox: TCheckBox
        Left = 12
        Top = 58
        Width = 424
        Height = 17
        Caption = 'Highlight &warning lines'
        TabOrder = 2
      end
      object HighlightMessageLinesCheckBox: TCheckBox
        Left = 12
        Top = 82
        Width = 424
        Height = 17
        Caption = 'Highlight &message lines'
        TabOrder = 3
      end
      object IncludeGroupedMessagesCheckBox: TCheckBox
        Left = 12
        Top = 106
        Width = 424
        Height = 17
        Caption = 'Include &grouped messages in the messages list'
        TabOrder = 4
      end
      object SortByTypeCheckBox: TCheckBox
        Left = 12
        Top = 130
        Width = 424
        Height = 17
        Caption = '&Sort messages by type'
        TabOrder = 5
      end
      object AutoJumpCheckBox: TCheckBox
        Left = 12
        Top = 154
        Width = 424
        Height = 17
        Caption = '&Jump to the first error or warning after a validation'
        TabOrder = 6
      end
      object IncludeStyleMessagesCheckBox: TCheckBox
        Left = 12
        Top = 178
        Width = 424
        Height = 17
        Caption = 'Include s&tyle messages in the messages list'
        TabOrder = 7
      end
      object IncludeAccessibilityCheckBox: TCheckBox
        Left = 12
        Top = 202
        Width = 424
        Height = 17
        Caption = 'Include a&ccessibility messages in the messages list'
        TabOrder = 8
      end
    end
    object FileTypesSheet: TTabSheet
      Caption = 'File Types'
      object FileTypesListView: TListView
        Left = 8
        Top = 8
        Width = 432
        Height = 256
        GridLines = True
        HideSelection = False
        ReadOnly = True
        RowSelect = True
        SortType = stText
        ViewStyle = vsReport
        TabOrder = 0
        Columns = <
          item
            Caption = 'File Type'
            Width = 140
          end
          item
            Caption = 'On/Off'
            Width = 50
          end
          item
            Caption = 'Extensions'
            Width = 230
          end>
        OnDblClick = FileTypesListViewDblClick
      end
      object EditRowBtn: TButton
        Left = 8
        Top = 272
        Width = 120
        Height = 25
        Caption = 'Edit Selected Row'
        TabOrder = 1
        OnClick = EditRowBtnClick
      end
    end
    object FileOptionsSheet: TTabSheet
      Caption = 'File Options'
      object DefaultExtLabel: TLabel
        Left = 12
        Top = 14
        Width = 200
        Height = 13
        Caption = 'Default file &extension:'
        FocusControl = DefaultExtEdit
      end
      object DefaultExtEdit: TEdit
        Left = 230
        Top = 10
        Width = 80
        Height = 21
        TabOrder = 0
      end
      object NoExtensionLabel: TLabel
        Left = 12
        Top = 44
        Width = 210
        Height = 13
        Caption = 'Document type of files &without an extension:'
        FocusControl = NoExtensionFileTypeComboBox
      end
      object NoExtensionFileTypeComboBox: TComboBox
        Left = 230
        Top = 40
        Width = 200
        Height = 21
        Style = csDropDownList
        TabOrder = 1
      end
      object SaveFileFormatRadioGroup: TRadioGroup
        Left = 12
        Top = 76
        Width = 420
        Height = 80
        Caption = 'Save File Format'
        TabOrder = 2
        Items.Strings = (
          '&DOS/Windows (CR/LF)'
          '&Macintosh (CR)'
          'UNI&X (LF)')
      end
      object DocumentChangesRadioGroup: TRadioGroup
        Left = 12
        Top = 166
        Width = 420
        Height = 80
        Caption = 'If the Document Being Edited Changes on Disk'
        TabOrder = 3
        Items.Strings = (
          '&Prompt to reload from disk'
          '&Automatically reload from disk without prompting'
          'Do not prompt and do &not reload from disk')
      end
    end
  end
  object OKBtn: TButton
    Left = 227
    Top = 370
    Width = 75
    Height = 25
    Caption = 'OK'
    TabOrder = 1
    Default = True
    ModalResult = 1
    OnClick = OKBtnClick
  end
  object CancelBtn: TButton
    Left = 308
    Top = 370
    Width = 75
    Height = 25
    Caption = 'Cancel'
    TabOrder = 2
    Cancel = True
    ModalResult = 2
  end
  object HelpBtn: TButton
    Left = 389
    Top = 370
    Width = 75
    Height = 25
    Caption = '&Help'
    TabOrder = 3
    OnClick = HelpBtnClick
  end
end
