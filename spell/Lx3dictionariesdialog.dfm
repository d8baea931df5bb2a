object CustomDictionariesDialog: TCustomDictionariesDialog
  BorderStyle = bsDialog
  Caption = 'Dictionaries'
  ClientHeight = 206
  ClientWidth = 312
  Position = poOwnerFormCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object DialogControl: TConfigurationDialogCtrl
  end
  object CustomGroup: TGroupBox
    Left = 8
    Top = 8
    Width = 297
    Height = 161
    Caption = 'Custom dictionaries'
    TabOrder = 0
    object CustomDictionaries: TListView
      Left = 8
      Top = 16
      Width = 201
      Height = 137
      Checkboxes = True
      Columns = <
        item
          Width = 180
        end>
      HideSelection = False
      ShowColumnHeaders = False
      TabOrder = 0
      ViewStyle = vsReport
    end
    object EditButton: TButton
      Left = 214
      Top = 16
      Width = 75
      Height = 23
      Caption = 'Edit...'
      TabOrder = 1
    end
    object DeleteButton: TButton
      Left = 214
      Top = 43
      Width = 75
      Height = 23
      Caption = 'Delete'
      TabOrder = 2
    end
    object NewButton: TButton
      Left = 214
      Top = 70
      Width = 75
      Height = 23
      Caption = 'New...'
      TabOrder = 3
    end
  end
  object HelpButton: TButton
    Left = 149
    Top = 176
    Width = 75
    Height = 23
    Caption = 'Help'
    TabOrder = 1
  end
  object OK: TButton
    Left = 230
    Top = 176
    Width = 75
    Height = 23
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
  end
end
