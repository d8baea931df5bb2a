object SrchDialog: TSrchDialog
  Left = 200
  Top = 120
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Find Text'
  ClientHeight = 278
  ClientWidth = 433
  Position = poScreenCenter
  ParentFont = True
  ActiveControl = SearText
  OnCreate = FormCreate
  object PageControl: TPageControl
    Left = 0
    Top = 0
    Width = 433
    Height = 237
    ActivePage = EditorFindPage
    Align = alClient
    TabOrder = 0
    object EditorFindPage: TTabSheet
      Caption = 'Find'
      object LTexttFind: TLabel
        Left = 8
        Top = 16
        Width = 81
        Height = 13
        Caption = '&Text to find:'
        FocusControl = SearText
      end
      object SearText: ZEZHistoryEditor
        Left = 96
        Top = 16
        Width = 321
        Height = 21
        TabOrder = 0
      end
      object OptionsGroup: TGroupBox
        Left = 8
        Top = 40
        Width = 201
        Height = 89
        Caption = 'Options'
        TabOrder = 1
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
          Top = 40
          Width = 173
          Height = 17
          Caption = '&Whole words only'
          TabOrder = 1
        end
        object RegExpr: TCheckBox
          Left = 16
          Top = 64
          Width = 173
          Height = 17
          Caption = 'Regular e&xpressions'
          TabOrder = 2
        end
      end
      object DirectionGroup: TGroupBox
        Left = 216
        Top = 40
        Width = 201
        Height = 89
        Caption = 'Direction'
        TabOrder = 2
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
        Top = 136
        Width = 201
        Height = 65
        Caption = 'Scope'
        TabOrder = 3
      end
      object OriginGroup: TRadioGroup
        Left = 216
        Top = 136
        Width = 201
        Height = 65
        Caption = 'Origin'
        TabOrder = 4
      end
    end
    object FileFindPage: TTabSheet
      Caption = 'Find in files'
      TabVisible = False
    end
  end
  object Panel1: TPanel
    Left = 0
    Top = 237
    Width = 433
    Height = 41
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    object OKBut: TButton
      Left = 192
      Top = 8
      Width = 73
      Height = 25
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
      OnClick = OKButClick
    end
    object CancelBut: TButton
      Left = 272
      Top = 8
      Width = 73
      Height = 25
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 1
    end
    object HelpBut: TButton
      Left = 352
      Top = 8
      Width = 73
      Height = 25
      Caption = '&Help'
      TabOrder = 2
    end
  end
end
