object SpellCheckConfigDialog: TSpellCheckConfigDialog
  BorderStyle = bsDialog
  Caption = 'Spelling Options'
  ClientHeight = 397
  ClientWidth = 320
  Position = poOwnerFormCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object DialogControl: TConfigurationDialogCtrl
  end
  object OptionsGroup: TGroupBox
    Left = 8
    Top = 8
    Width = 305
    Height = 185
    Caption = 'Options'
    TabOrder = 0
    object Option1: TCheckBox
      Left = 8
      Top = 16
      Width = 289
      Height = 17
      Caption = 'Option1'
      TabOrder = 0
    end
    object Option2: TCheckBox
      Left = 8
      Top = 32
      Width = 289
      Height = 17
      Caption = 'Option2'
      TabOrder = 1
    end
    object Option3: TCheckBox
      Left = 8
      Top = 48
      Width = 289
      Height = 17
      Caption = 'Option3'
      TabOrder = 2
    end
    object Option4: TCheckBox
      Left = 8
      Top = 64
      Width = 289
      Height = 17
      Caption = 'Option4'
      TabOrder = 3
    end
    object Option5: TCheckBox
      Left = 8
      Top = 80
      Width = 289
      Height = 17
      Caption = 'Option5'
      TabOrder = 4
    end
    object Option6: TCheckBox
      Left = 8
      Top = 96
      Width = 289
      Height = 17
      Caption = 'Option6'
      TabOrder = 5
    end
    object Option7: TCheckBox
      Left = 8
      Top = 112
      Width = 289
      Height = 17
      Caption = 'Option7'
      TabOrder = 6
    end
    object Option8: TCheckBox
      Left = 8
      Top = 128
      Width = 289
      Height = 17
      Caption = 'Option8'
      TabOrder = 7
    end
    object Option9: TCheckBox
      Left = 8
      Top = 144
      Width = 289
      Height = 17
      Caption = 'Option9'
      TabOrder = 8
    end
    object Option10: TCheckBox
      Left = 8
      Top = 160
      Width = 289
      Height = 17
      Caption = 'Option10'
      TabOrder = 9
    end
  end
  object DictionariesGroup: TGroupBox
    Left = 8
    Top = 200
    Width = 305
    Height = 161
    Caption = 'Dictionaries'
    TabOrder = 1
    object MainDictionaries: TListView
      Left = 8
      Top = 16
      Width = 289
      Height = 97
      Checkboxes = True
      Columns = <
        item
          Caption = 'Name'
          Width = 140
        end
        item
          Caption = 'File name'
        end>
      ReadOnly = True
      RowSelect = True
      TabOrder = 0
      ViewStyle = vsReport
    end
    object CustomLabel: TLabel
      Left = 8
      Top = 117
      Width = 120
      Height = 13
      Caption = 'Custom dictionary:'
    end
    object CustomCombo: TComboBox
      Left = 8
      Top = 132
      Width = 169
      Height = 21
      Style = csDropDownList
      TabOrder = 1
    end
    object DictionariesButton: TButton
      Left = 192
      Top = 130
      Width = 105
      Height = 23
      Caption = 'Dictionaries...'
      TabOrder = 2
    end
  end
  object ResetButton: TButton
    Left = 8
    Top = 368
    Width = 100
    Height = 23
    Caption = 'Reset Defaults'
    TabOrder = 2
  end
  object HelpButton: TButton
    Left = 157
    Top = 368
    Width = 75
    Height = 23
    Caption = 'Help'
    TabOrder = 3
  end
  object OK: TButton
    Left = 238
    Top = 368
    Width = 75
    Height = 23
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 4
  end
end
