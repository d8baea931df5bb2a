object LayoutForm: TLayoutForm
  Left = 120
  Top = 80
  ActiveControl = Second
  BorderStyle = bsDialog
  Caption = 'Layout test'
  ClientHeight = 150
  ClientWidth = 260
  KeyPreview = True
  Visible = True
  OnCreate = FormCreate
  object Box: TLayoutBox
    Left = 0
    Top = 0
    Width = 100
    Height = 40
    Align = alTop
    Hint = 'A box'
    ShowHint = True
    OnClick = BoxClick
  end
  object First: TLayoutEdit
    Left = 8
    Top = 60
    Width = 120
    Height = 21
    Caption = 'Anna'
    Font.Charset = ANSI_CHARSET
    Font.Color = clRed
    Font.Height = -13
    Font.Name = 'Courier New'
    Font.Style = [fsBold, fsItalic]
    ParentFont = False
    TabOrder = 1
    TabStop = True
  end
  object Second: TLayoutEdit
    Left = 8
    Top = 90
    Width = 120
    Height = 21
    TabOrder = 0
    TabStop = True
    OnKeyPress = SecondKeyPress
  end
  object Hidden: TLayoutBox
    Left = 140
    Top = 60
    Width = 50
    Height = 50
    Visible = False
  end
end
