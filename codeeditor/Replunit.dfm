object ReplDialog: TReplDialog
  Left = 200
  Top = 120
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Replace Text'
  ClientHeight = 281
  ClientWidth = 425
  Position = poScreenCenter
  ParentFont = True
  ActiveControl = SearText
  OnCreate = FormCreate
  object LTexttFind: TLabel
    Left = 8
    Top = 8
    Width = 76
    Height = 13
    Caption = '&Text to find:'
    FocusControl = SearText
  end
  object SearText: ZEZHistoryEditor
    Left = 96
    Top = 8
    Width = 321
    Height = 21
    TabOrder = 0
  end
  object LReplWith: TLabel
    Left = 8
    Top = 40
    Width = 65
    Height = 13
    Caption = '&Replace with:'
    FocusControl = ReplText
  end
  object ReplText: ZEZHistoryEditor
    Left = 96
    Top = 40
    Width = 321
    Height = 21
    TabOrder = 1
  end
  object OptionsGroup: TGroupBox
    Left = 8
    Top = 72
    Width = 201
    Height = 97
    Caption = 'Options'
    TabOrder = 2
    object CaseSens: TCheckBox
      Left = 16
      Top = 16
      Width = 130
      Height = 17
      Caption = '&Case sensitive'
      TabOrder = 0
    end
    object WholeWord: TCheckBox
      Left = 16
      Top = 36
      Width = 130
      Height = 17
      Caption = '&Whole words only'
      TabOrder = 1
    end
    object RegExpr: TCheckBox
      Left = 16
      Top = 56
      Width = 173
      Height = 17
      Caption = 'Regular e&xpressions'
      TabOrder = 2
    end
    object PromptRepl: TCheckBox
      Left = 16
      Top = 76
      Width = 173
      Height = 17
      Caption = '&Prompt on replace'
      TabOrder = 3
    end
  end
  object DirectionGroup: TGroupBox
    Left = 216
    Top = 72
    Width = 201
    Height = 97
    Caption = 'Direction'
    TabOrder = 3
    object dirForward: TRadioButton
      Left = 8
      Top = 16
      Width = 185
      Height = 17
      Caption = 'Forwar&d'
      Checked = True
      TabOrder = 0
    end
    object dirBackward: TRadioButton
      Left = 8
      Top = 40
      Width = 185
      Height = 17
      Caption = '&Backward'
      TabOrder = 1
    end
  end
  object ScopeGroup: TRadioGroup
    Left = 8
    Top = 176
    Width = 201
    Height = 65
    Caption = 'Scope'
    TabOrder = 4
  end
  object OriginGroup: TRadioGroup
    Left = 216
    Top = 176
    Width = 201
    Height = 65
    Caption = 'Origin'
    TabOrder = 5
  end
  object OKBut: TButton
    Left = 88
    Top = 248
    Width = 73
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 6
    OnClick = OKButClick
  end
  object ReplBut: TButton
    Left = 168
    Top = 248
    Width = 89
    Height = 25
    Caption = 'Replace &All'
    ModalResult = 8
    TabOrder = 7
    OnClick = ReplButClick
  end
  object CancelBut: TButton
    Left = 264
    Top = 248
    Width = 73
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 8
  end
  object HelpBut: TButton
    Left = 344
    Top = 248
    Width = 73
    Height = 25
    Caption = '&Help'
    TabOrder = 9
  end
end
