object GoToLineForm: TGoToLineForm
  BorderStyle = bsDialog
  Caption = 'Go To Line'
  ClientHeight = 128
  ClientWidth = 236
  Position = poOwnerFormCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object GoToLineLabel: TLabel
    Left = 8
    Top = 10
    Width = 220
    Height = 13
    Caption = 'Go to &line:'
    FocusControl = GoToLineEdit
  end
  object GoToLineEdit: TEdit
    Left = 8
    Top = 26
    Width = 220
    Height = 21
    TabOrder = 0
  end
  object GoToCharLabel: TLabel
    Left = 8
    Top = 52
    Width = 220
    Height = 13
    Caption = 'Go to &char position:'
    FocusControl = GoToCharEdit
  end
  object GoToCharEdit: TEdit
    Left = 8
    Top = 68
    Width = 220
    Height = 21
    TabOrder = 1
  end
  object OKBtn: TButton
    Left = 72
    Top = 98
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
  end
  object CancelBtn: TButton
    Left = 153
    Top = 98
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 3
  end
end
