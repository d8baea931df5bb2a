object frmTreePrintSetup: TfrmTreePrintSetup
  Left = 280
  Top = 220
  BorderStyle = bsDialog
  Caption = 'Print'
  ClientHeight = 137
  ClientWidth = 425
  Position = poScreenCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OnCreate = FormCreate
  object lblFileName: TLabel
    Left = 8
    Top = 8
    Width = 3
    Height = 13
  end
  object gbxOptions: TGroupBox
    Left = 8
    Top = 24
    Width = 409
    Height = 69
    Caption = 'Options:'
    TabOrder = 0
    object chkHeader: TCheckBox
      Left = 8
      Top = 16
      Width = 193
      Height = 21
      Caption = 'Header/page &number'
      TabOrder = 0
    end
    object chkShowPrintProgress: TCheckBox
      Left = 208
      Top = 16
      Width = 193
      Height = 21
      Caption = 'Show &print progress'
      TabOrder = 2
    end
    object chkFooter: TCheckBox
      Left = 8
      Top = 40
      Width = 193
      Height = 21
      Caption = '&Footer'
      TabOrder = 1
    end
  end
  object SetupBut: TButton
    Left = 104
    Top = 104
    Width = 73
    Height = 25
    Caption = 'Se&tup...'
    TabOrder = 1
    OnClick = SetupButClick
  end
  object OkBut: TButton
    Left = 184
    Top = 104
    Width = 73
    Height = 25
    Caption = 'Ok'
    Default = True
    ModalResult = 1
    TabOrder = 2
  end
  object CancelBut: TButton
    Left = 264
    Top = 104
    Width = 73
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 3
  end
  object HelpBut: TButton
    Left = 344
    Top = 104
    Width = 73
    Height = 25
    Caption = '&Help'
    TabOrder = 4
  end
  object PrinterSetup: TPrinterSetupDialog
  end
end
