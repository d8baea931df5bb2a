object DragDropToolForm: TDragDropToolForm
  BorderStyle = bsDialog
  Caption = 'Drag and Drop Default Tool Select'
  ClientHeight = 206
  ClientWidth = 340
  Position = poOwnerFormCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object ToolSelectRadioGroup: TRadioGroup
    Left = 8
    Top = 8
    Width = 324
    Height = 112
    Caption = 'Default Tool for Drag and Drop'
    Items.Strings = (
      'Quick &Lowercase'
      'Quick &Uppercase'
      'Quick &Strip HTML Tags'
      '&Template'
      '&Convert File Format')
    TabOrder = 0
  end
  object ShowDragDropToolDialogCheckBox: TCheckBox
    Left = 8
    Top = 130
    Width = 324
    Height = 30
    Caption = 'S&how this dialog box when files are dropped for tool processing'
    TabOrder = 1
  end
  object OKBtn: TButton
    Left = 95
    Top = 172
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
  end
  object CancelBtn: TButton
    Left = 176
    Top = 172
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 3
  end
  object HelpBtn: TButton
    Left = 257
    Top = 172
    Width = 75
    Height = 25
    Caption = '&Help'
    TabOrder = 4
  end
end
