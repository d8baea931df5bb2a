object FrmFindDlg: TFrmFindDlg
  BorderStyle = bsDialog
  Caption = 'Find Text'
  ClientHeight = 236
  ClientWidth = 373
  Position = poScreenCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OnCreate = FormCreate
  object lbTextToFind: TLabel
    Left = 8
    Top = 12
    Width = 80
    Height = 13
    Caption = '&Text to Find'
    FocusControl = cbTextToFind
  end
  object cbTextToFind: TEasyHistoryEditor
    Left = 96
    Top = 8
    Width = 269
    Height = 21
    TabOrder = 0
  end
  object gbOptions: TGroupBox
    Left = 8
    Top = 40
    Width = 177
    Height = 89
    Caption = 'Options:'
    TabOrder = 1
    object cbCaseSensitive: TCheckBox
      Left = 8
      Top = 18
      Width = 161
      Height = 17
      Caption = '&Case sensitive'
      TabOrder = 0
    end
    object cbWholeWord: TCheckBox
      Left = 8
      Top = 38
      Width = 161
      Height = 17
      Caption = '&Whole words only'
      TabOrder = 1
    end
    object cbRegularExpr: TCheckBox
      Left = 8
      Top = 58
      Width = 161
      Height = 17
      Caption = 'Regular e&xpressions'
      TabOrder = 2
    end
  end
  object gbDirection: TGroupBox
    Left = 192
    Top = 40
    Width = 173
    Height = 89
    Caption = 'Direction'
    TabOrder = 2
    object rbForward: TRadioButton
      Left = 8
      Top = 24
      Width = 157
      Height = 17
      Caption = 'Forward'
      Checked = True
      TabOrder = 0
    end
    object rbBackward: TRadioButton
      Left = 8
      Top = 48
      Width = 157
      Height = 17
      Caption = 'Backward'
      TabOrder = 1
    end
  end
  object rgScope: TRadioGroup
    Left = 8
    Top = 136
    Width = 177
    Height = 57
    Caption = 'Scope:'
    ItemIndex = 0
    Items.Strings = (
      '&Global'
      '&Selected text')
    TabOrder = 3
  end
  object rgOrigin: TRadioGroup
    Left = 192
    Top = 136
    Width = 173
    Height = 57
    Caption = 'Origin:'
    ItemIndex = 1
    Items.Strings = (
      '&From cursor'
      '&Entire scope')
    TabOrder = 4
  end
  object pnButtons: TPanel
    Left = 0
    Top = 200
    Width = 373
    Height = 36
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 5
    object btOK: TButton
      Left = 128
      Top = 6
      Width = 75
      Height = 25
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
      OnClick = btOKClick
    end
    object btCancel: TButton
      Left = 208
      Top = 6
      Width = 75
      Height = 25
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 1
    end
    object btHelp: TButton
      Left = 288
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Help'
      Enabled = False
      TabOrder = 2
    end
  end
end
