object CustomDictionaryEditDialog: TCustomDictionaryEditDialog
  BorderStyle = bsDialog
  Caption = 'Custom Dictionary'
  ClientHeight = 320
  ClientWidth = 320
  Position = poOwnerFormCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object DialogControl: TConfigurationDialogCtrl
  end
  object Timer: TTimer
    Enabled = False
    Interval = 5
  end
  object PageControl: TPageControl
    Left = 8
    Top = 8
    Width = 305
    Height = 275
    ActivePage = AddedWordsSheet
    TabOrder = 0
    object AddedWordsSheet: TTabSheet
      Caption = 'xx'
      object AddedWordsExplain: TLabel
        Left = 8
        Top = 8
        Width = 280
        Height = 26
        AutoSize = False
        Caption = 'xxExplain'
        WordWrap = True
      end
      object IgnoreEditLabel: TLabel
        Left = 8
        Top = 40
        Width = 120
        Height = 13
        Caption = 'xxWord'
      end
      object IgnoreEdit: TEdit
        Left = 8
        Top = 56
        Width = 200
        Height = 21
        TabOrder = 0
      end
      object IgnoreList: TListBox
        Left = 8
        Top = 84
        Width = 200
        Height = 160
        Sorted = True
        TabOrder = 1
      end
      object AddIgnoreButton: TButton
        Left = 216
        Top = 56
        Width = 75
        Height = 23
        Caption = 'xxAdd'
        TabOrder = 2
      end
      object DeleteIgnoreButton: TButton
        Left = 216
        Top = 84
        Width = 75
        Height = 23
        Caption = 'xxDelete'
        TabOrder = 3
      end
    end
    object AutoCorrectWordsSheet: TTabSheet
      Caption = 'xx'
      object AutoCorrectWordsExplain: TLabel
        Left = 8
        Top = 8
        Width = 280
        Height = 26
        AutoSize = False
        Caption = 'xxExplain'
        WordWrap = True
      end
      object ReplaceEditLabel: TLabel
        Left = 8
        Top = 40
        Width = 90
        Height = 13
        Caption = 'xxReplace'
      end
      object WithEditLabel: TLabel
        Left = 108
        Top = 40
        Width = 90
        Height = 13
        Caption = 'xxWith'
      end
      object ReplaceEdit: TEdit
        Left = 8
        Top = 56
        Width = 96
        Height = 21
        TabOrder = 0
      end
      object WithEdit: TEdit
        Left = 108
        Top = 56
        Width = 100
        Height = 21
        TabOrder = 1
      end
      object AutoCorrectList: TListView
        Left = 8
        Top = 84
        Width = 200
        Height = 160
        Columns = <
          item
            Width = 100
          end
          item
            Width = 96
          end>
        HideSelection = False
        ReadOnly = True
        RowSelect = True
        ShowColumnHeaders = False
        SortType = stText
        TabOrder = 2
        ViewStyle = vsReport
      end
      object AddAutoCorrectButton: TButton
        Left = 216
        Top = 56
        Width = 75
        Height = 23
        Caption = 'xxAdd'
        TabOrder = 3
      end
      object DeleteAutoCorrectButton: TButton
        Left = 216
        Top = 84
        Width = 75
        Height = 23
        Caption = 'xxDelete'
        TabOrder = 4
      end
    end
    object ExcludedWordsSheet: TTabSheet
      Caption = 'xx'
      object ExcludeWordsExplanation: TLabel
        Left = 8
        Top = 8
        Width = 280
        Height = 26
        AutoSize = False
        Caption = 'xxExplain'
        WordWrap = True
      end
      object ExcludeEditLabel: TLabel
        Left = 8
        Top = 40
        Width = 120
        Height = 13
        Caption = 'xxWord'
      end
      object ExcludeEdit: TEdit
        Left = 8
        Top = 56
        Width = 200
        Height = 21
        TabOrder = 0
      end
      object ExcludeList: TListBox
        Left = 8
        Top = 84
        Width = 200
        Height = 160
        Sorted = True
        TabOrder = 1
      end
      object AddExcludeButton: TButton
        Left = 216
        Top = 56
        Width = 75
        Height = 23
        Caption = 'xxAdd'
        TabOrder = 2
      end
      object DeleteExcludeButton: TButton
        Left = 216
        Top = 84
        Width = 75
        Height = 23
        Caption = 'xxDelete'
        TabOrder = 3
      end
    end
  end
  object HelpButton: TButton
    Left = 157
    Top = 290
    Width = 75
    Height = 23
    Caption = 'xxHelp'
    TabOrder = 1
  end
  object OK: TButton
    Left = 238
    Top = 290
    Width = 75
    Height = 23
    Caption = 'xxOK'
    Default = True
    ModalResult = 1
    TabOrder = 2
  end
end
