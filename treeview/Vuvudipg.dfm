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
  object pnlInfo: TPanel
    Left = 8
    Top = 8
    Width = 337
    Height = 53
    BevelOuter = bvNone
    TabOrder = 2
    object lblPrinter: TLabel
      Left = 0
      Top = 0
      Width = 337
      Height = 13
      Align = alTop
      Caption = 'Searching printers ...'
      WordWrap = True
    end
    object lblFileName: TLabel
      Left = 0
      Top = 13
      Width = 337
      Height = 13
      Align = alTop
      WordWrap = True
    end
    object lblProgress: TLabel
      Left = 0
      Top = 26
      Width = 337
      Height = 13
      Align = alTop
      Caption = 'Printing pages:    calculation ...'
      WordWrap = True
    end
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
