object FrmPrintDlg: TFrmPrintDlg
  BorderStyle = bsDialog
  Caption = 'Print settings'
  ClientHeight = 236
  ClientWidth = 357
  Position = poScreenCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object gbDestination: TGroupBox
    Left = 8
    Top = 4
    Width = 341
    Height = 61
    Caption = 'File To Print:'
    TabOrder = 0
    object lblFileName: TLabel
      Left = 12
      Top = 18
      Width = 320
      Height = 13
      Caption = 'FileName'
    end
    object chkPrintSel: TCheckBox
      Left = 12
      Top = 38
      Width = 200
      Height = 17
      Caption = '&Print selected block'
      TabOrder = 0
    end
  end
  object gbOptions: TGroupBox
    Left = 8
    Top = 70
    Width = 341
    Height = 125
    Caption = 'Options:'
    TabOrder = 1
    object chkHeader: TCheckBox
      Left = 12
      Top = 20
      Width = 140
      Height = 17
      Caption = 'Header'
      TabOrder = 0
    end
    object chkLineNum: TCheckBox
      Left = 12
      Top = 44
      Width = 140
      Height = 17
      Caption = '&Line numbers'
      TabOrder = 1
    end
    object chkPageNum: TCheckBox
      Left = 12
      Top = 68
      Width = 140
      Height = 17
      Caption = 'Page numbers'
      TabOrder = 2
    end
    object chkWordWrap: TCheckBox
      Left = 12
      Top = 92
      Width = 140
      Height = 17
      Caption = '&Word wrap '
      TabOrder = 3
    end
    object chkSyntaxPrint: TCheckBox
      Left = 176
      Top = 20
      Width = 150
      Height = 17
      Caption = '&Syntax print'
      TabOrder = 4
    end
    object chkColorPrint: TCheckBox
      Left = 176
      Top = 44
      Width = 150
      Height = 17
      Caption = '&Color print'
      TabOrder = 5
    end
    object chkProgress: TCheckBox
      Left = 176
      Top = 68
      Width = 150
      Height = 17
      Caption = 'Show print &progress'
      TabOrder = 6
    end
    object lblLeftMargin: TLabel
      Left = 176
      Top = 95
      Width = 60
      Height = 13
      Caption = 'Left &indent:'
      FocusControl = edLeftIndent
    end
    object edLeftIndent: TEdit
      Left = 250
      Top = 92
      Width = 76
      Height = 21
      TabOrder = 7
      Text = '0'
    end
  end
  object SetupBut: TButton
    Left = 8
    Top = 204
    Width = 75
    Height = 25
    Caption = 'Se&tup...'
    TabOrder = 2
  end
  object OkBut: TButton
    Left = 194
    Top = 204
    Width = 75
    Height = 25
    Caption = 'Ok'
    Default = True
    ModalResult = 1
    TabOrder = 3
  end
  object CancelBut: TButton
    Left = 274
    Top = 204
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 4
  end
end
