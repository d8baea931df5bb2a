object MemoPrintForm: TMemoPrintForm
  Left = 280
  Top = 200
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Print'
  ClientHeight = 249
  ClientWidth = 425
  Position = poScreenCenter
  ParentFont = True
  OnCreate = FormCreate
  OnShow = FormShow
  object gbxPrintDestination: TGroupBox
    Left = 8
    Top = 8
    Width = 409
    Height = 65
    Caption = 'File To Print:'
    TabOrder = 0
    object lblFileName: TLabel
      Left = 8
      Top = 20
      Width = 393
      Height = 13
      AutoSize = False
      Caption = '<Unknown>'
    end
    object PrintSelCheck: TCheckBox
      Left = 8
      Top = 40
      Width = 393
      Height = 17
      Caption = '&Print selected block'
      TabOrder = 0
    end
  end
  object gbxOptions: TGroupBox
    Left = 8
    Top = 80
    Width = 409
    Height = 129
    Caption = 'Options:'
    TabOrder = 1
    object HeaderCheck: TCheckBox
      Left = 8
      Top = 20
      Width = 193
      Height = 17
      Caption = 'Header/page &number'
      TabOrder = 0
    end
    object LineNumbersCheck: TCheckBox
      Left = 8
      Top = 44
      Width = 193
      Height = 17
      Caption = '&Line numbers'
      TabOrder = 1
    end
    object SyntaxPrintCheck: TCheckBox
      Left = 8
      Top = 68
      Width = 193
      Height = 17
      Caption = '&Syntax print'
      TabOrder = 2
    end
    object UseColorCheck: TCheckBox
      Left = 208
      Top = 20
      Width = 193
      Height = 17
      Caption = 'Use &color'
      TabOrder = 3
    end
    object WrapLinesCheck: TCheckBox
      Left = 208
      Top = 44
      Width = 193
      Height = 17
      Caption = '&Wrap lines'
      TabOrder = 4
    end
    object ShowPrintProgress: TCheckBox
      Left = 208
      Top = 68
      Width = 193
      Height = 17
      Caption = 'Show print &progress'
      TabOrder = 5
    end
    object lblLeftMargin: TLabel
      Left = 8
      Top = 98
      Width = 80
      Height = 13
      Caption = 'Left &margin:'
      FocusControl = LeftMarginEdit
    end
    object LeftMarginEdit: TEdit
      Left = 96
      Top = 94
      Width = 73
      Height = 21
      TabOrder = 6
    end
  end
  object SetupBut: TButton
    Left = 104
    Top = 216
    Width = 73
    Height = 25
    Caption = 'Se&tup...'
    TabOrder = 2
    OnClick = SetupButClick
  end
  object OkBut: TButton
    Left = 184
    Top = 216
    Width = 73
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
    OnClick = OkButClick
  end
  object CancelBut: TButton
    Left = 264
    Top = 216
    Width = 73
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 4
  end
  object HelpBut: TButton
    Left = 344
    Top = 216
    Width = 73
    Height = 25
    Caption = '&Help'
    TabOrder = 5
  end
  object PrinterSetup: TPrinterSetupDialog
  end
end
