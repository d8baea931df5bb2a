object FrmSearRepl: TFrmSearRepl
  Left = 200
  Top = 120
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Find and Replace'
  ClientHeight = 267
  ClientWidth = 491
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  ParentFont = True
  OnClose = FormClose
  OnCreate = FormCreate
  object PageControl: TPageControl
    Left = 0
    Top = 0
    Width = 491
    Height = 121
    ActivePage = EditorFindPage
    Align = alTop
    TabOrder = 0
    OnChange = PageControlChange
    object EditorFindPage: TTabSheet
      Caption = 'Find'
      object LTexttFind: TLabel
        Left = 8
        Top = 12
        Width = 81
        Height = 13
        Caption = '&Text to find:'
        FocusControl = SearText
      end
      object SearText: ZEZHistoryEditor
        Left = 96
        Top = 12
        Width = 321
        Height = 21
        TabOrder = 0
      end
      object InfoLbl: TLabel
        Left = 8
        Top = 80
      end
    end
    object EditorReplacePage: TTabSheet
      Caption = 'Replace'
      object Label1: TLabel
        Left = 8
        Top = 12
        Width = 76
        Height = 13
        Caption = '&Text to find:'
        FocusControl = SearText1
      end
      object SearText1: ZEZHistoryEditor
        Left = 96
        Top = 12
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
      object InfoLbl1: TLabel
        Left = 8
        Top = 80
      end
    end
    object GotoTab: TTabSheet
      Caption = 'Go to line Number'
      object Label4: TLabel
        Left = 8
        Top = 12
        Width = 26
        Height = 13
        Caption = 'Go to'
      end
      object GotoBox: TListBox
        Left = 8
        Top = 32
        Width = 145
        Height = 41
        Items.Strings = (
          'Line'
          'BookMark')
        TabOrder = 0
      end
      object InputLabel: TLabel
        Left = 168
        Top = 12
        Width = 108
        Height = 13
        Caption = '&Enter new line number:'
        FocusControl = LineEd
      end
      object LineEd: TEdit
        Left = 168
        Top = 32
        Width = 281
        Height = 21
        TabOrder = 1
      end
      object InfoLbl2: TLabel
        Left = 8
        Top = 80
      end
    end
  end
  object Panel2: TPanel
    Left = 0
    Top = 121
    Width = 491
    Height = 40
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 1
    object ExBtn: TBitBtn
      Left = 56
      Top = 8
      Width = 73
      Height = 25
      Caption = '&Less'
      TabOrder = 0
      OnClick = ExBtnClick
    end
    object FindBtn: TButton
      Left = 144
      Top = 8
      Width = 73
      Height = 25
      Caption = 'Find'
      Default = True
      TabOrder = 1
      OnClick = FindBtnClick
    end
    object ReplBtn: TButton
      Left = 232
      Top = 8
      Width = 73
      Height = 25
      Caption = 'Replace'
      TabOrder = 2
      OnClick = ReplBtnClick
    end
    object ReplAllBtn: TButton
      Left = 320
      Top = 8
      Width = 75
      Height = 25
      Caption = 'Replace &All'
      TabOrder = 3
      OnClick = ReplBtnClick
    end
    object GoToBtn: TButton
      Left = 320
      Top = 8
      Width = 73
      Height = 25
      Caption = 'Go To'
      TabOrder = 4
      Visible = False
      OnClick = GoToBtnClick
    end
    object CloseBtn: TButton
      Left = 408
      Top = 8
      Width = 73
      Height = 25
      Cancel = True
      Caption = 'Close'
      TabOrder = 5
      OnClick = CloseBtnClick
    end
  end
  object ExPanel: TPanel
    Left = 0
    Top = 161
    Width = 491
    Height = 106
    Align = alClient
    BevelOuter = bvNone
    TabOrder = 2
    object gbxOptions: TGroupBox
      Left = 8
      Top = 8
      Width = 185
      Height = 89
      Caption = 'Options'
      TabOrder = 0
      object CaseSens: TCheckBox
        Left = 8
        Top = 16
        Width = 169
        Height = 17
        Caption = '&Case sensitive'
        TabOrder = 0
      end
      object WholeWord: TCheckBox
        Left = 8
        Top = 40
        Width = 169
        Height = 17
        Caption = '&Whole words only'
        TabOrder = 1
      end
      object RegExpr: TCheckBox
        Left = 8
        Top = 64
        Width = 169
        Height = 17
        Caption = 'Regular e&xpressions'
        TabOrder = 2
      end
    end
    object gbxDirection: TGroupBox
      Left = 200
      Top = 8
      Width = 137
      Height = 89
      Caption = 'Direction'
      TabOrder = 1
      object dirForward: TRadioButton
        Left = 8
        Top = 16
        Width = 121
        Height = 17
        Caption = 'Forwar&d'
        Checked = True
        TabOrder = 0
      end
      object dirBackward: TRadioButton
        Left = 8
        Top = 40
        Width = 121
        Height = 17
        Caption = '&Backward'
        TabOrder = 1
      end
    end
    object gbxScope: TGroupBox
      Left = 344
      Top = 8
      Width = 137
      Height = 89
      Caption = 'Scope'
      TabOrder = 2
      object ScopeGlobal: TRadioButton
        Left = 8
        Top = 16
        Width = 121
        Height = 17
        Caption = '&Global'
        Checked = True
        TabOrder = 0
      end
      object ScopeSelected: TRadioButton
        Left = 8
        Top = 40
        Width = 121
        Height = 17
        Caption = '&Selected text'
        TabOrder = 1
      end
    end
  end
end
