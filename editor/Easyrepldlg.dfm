inherited FrmReplDlg: TFrmReplDlg
  Caption = 'Replace With'
  ClientHeight = 268
  ClientWidth = 374
  inherited gbOptions: TGroupBox
    Top = 72
    inherited cbCaseSensitive: TCheckBox
      Top = 14
    end
    inherited cbWholeWord: TCheckBox
      Top = 31
    end
    inherited cbRegularExpr: TCheckBox
      Top = 48
    end
    object chbPromptOnReplace: TCheckBox
      Left = 8
      Top = 65
      Width = 161
      Height = 17
      Caption = '&Prompt on replace'
      TabOrder = 3
    end
  end
  inherited gbDirection: TGroupBox
    Top = 72
  end
  inherited rgScope: TRadioGroup
    Top = 166
  end
  inherited rgOrigin: TRadioGroup
    Top = 166
  end
  inherited pnButtons: TPanel
    Top = 232
    Width = 374
    inherited btOK: TButton
      Left = 48
    end
    object btReplaceAll: TButton
      Left = 128
      Top = 6
      Width = 75
      Height = 25
      Caption = 'Replace &All'
      ModalResult = 8
      TabOrder = 1
      OnClick = btOKClick
    end
    inherited btCancel: TButton
      TabOrder = 2
    end
    inherited btHelp: TButton
      TabOrder = 3
    end
  end
  object lbReplaceWith: TLabel
    Left = 8
    Top = 44
    Width = 80
    Height = 13
    Caption = '&Replace with:'
    FocusControl = cbReplaceWith
  end
  object cbReplaceWith: TEasyHistoryEditor
    Left = 96
    Top = 40
    Width = 269
    Height = 21
    TabOrder = 6
  end
end
