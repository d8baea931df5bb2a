object MemoPrintProgress: TMemoPrintProgress
  Left = 300
  Top = 250
  BorderStyle = bsDialog
  Caption = 'Printing Status'
  ClientHeight = 129
  ClientWidth = 353
  Position = poScreenCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OnCreate = FormCreate
  object lblPrinter: TLabel
    Left = 8
    Top = 8
    Width = 337
    Height = 13
    AutoSize = False
    Caption = 'Searching printers ...'
  end
  object lblFileName: TLabel
    Left = 8
    Top = 28
    Width = 337
    Height = 13
    AutoSize = False
  end
  object lblProgress: TLabel
    Left = 8
    Top = 48
    Width = 337
    Height = 13
    AutoSize = False
    Caption = 'Printing pages:    calculation ...'
  end
  object ProgressBar: TProgressBar
    Left = 8
    Top = 68
    Width = 337
    Height = 16
    Step = 1
    TabOrder = 1
  end
  object btnCancel: TButton
    Left = 139
    Top = 96
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 0
  end
end
