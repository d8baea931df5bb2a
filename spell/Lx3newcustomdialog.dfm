object NewCustomDictionary: TNewCustomDictionary
  BorderStyle = bsDialog
  Caption = 'New Custom Dictionary'
  ClientHeight = 102
  ClientWidth = 231
  Position = poOwnerFormCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object DialogControl: TConfigurationDialogCtrl
  end
  object EditLabel: TLabel
    Left = 8
    Top = 16
    Width = 200
    Height = 13
    Caption = 'New custom dictionary:'
  end
  object NameEdit: TEdit
    Left = 8
    Top = 40
    Width = 217
    Height = 21
    TabOrder = 0
  end
  object OKButton: TButton
    Left = 70
    Top = 72
    Width = 75
    Height = 23
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelButton: TButton
    Left = 150
    Top = 72
    Width = 75
    Height = 23
    Caption = 'Cancel'
    Cancel = True
    ModalResult = 2
    TabOrder = 2
  end
end
