object EditParserForm: TEditParserForm
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Edit Options'
  ClientHeight = 178
  ClientWidth = 360
  Color = clBtnFace
  Position = poOwnerFormCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object FileExtLabel: TLabel
    Left = 12
    Top = 12
    Width = 336
    Height = 13
    Caption = '&File extensions:'
    FocusControl = FileExtEdit
  end
  object FileExtEdit: TEdit
    Left = 12
    Top = 28
    Width = 336
    Height = 21
    TabOrder = 0
  end
  object DelimitersLabel: TLabel
    Left = 12
    Top = 58
    Width = 336
    Height = 13
    Caption = '&Delimiters:'
    FocusControl = DelimitersEdit
  end
  object DelimitersEdit: TEdit
    Left = 12
    Top = 74
    Width = 336
    Height = 21
    TabOrder = 1
  end
  object EnableParserCheckBox: TCheckBox
    Left = 12
    Top = 106
    Width = 200
    Height = 17
    Caption = '&Enable syntax highlighting'
    TabOrder = 2
  end
  object LiveSpellCheckBox: TCheckBox
    Left = 220
    Top = 106
    Width = 128
    Height = 17
    Caption = '&Live-spelling'
    TabOrder = 3
    Visible = False
  end
  object OKBtn: TButton
    Left = 192
    Top = 142
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 4
  end
  object CancelBtn: TButton
    Left = 273
    Top = 142
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 5
  end
end
