object OpenFromWebForm: TOpenFromWebForm
  BorderStyle = bsDialog
  Caption = 'Open From the Web'
  ClientHeight = 262
  ClientWidth = 452
  Position = poOwnerFormCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object RequestGroupBox: TGroupBox
    Left = 8
    Top = 8
    Width = 436
    Height = 210
    Caption = 'Enter HTTP request information (may require a network/Internet connection)'
    TabOrder = 0
    object URLLabel: TLabel
      Left = 12
      Top = 28
      Width = 80
      Height = 13
      Caption = 'U&RL:'
      FocusControl = URLCombo
    end
    object AgentLabel: TLabel
      Left = 12
      Top = 60
      Width = 80
      Height = 13
      Caption = '&Agent:'
      FocusControl = AgentCombo
    end
    object UsernameLabel: TLabel
      Left = 12
      Top = 120
      Width = 80
      Height = 13
      Caption = '&Username:'
      FocusControl = UsernameCombo
    end
    object PasswordLabel: TLabel
      Left = 12
      Top = 152
      Width = 80
      Height = 13
      Caption = '&Password:'
      FocusControl = PasswordCombo
    end
    object NoteLabel: TLabel
      Left = 100
      Top = 182
      Width = 320
      Height = 13
      Caption = 'NOTE: Stored passwords are not stored securely.'
    end
    object URLCombo: TComboBox
      Left = 100
      Top = 24
      Width = 324
      Height = 21
      DropDownCount = 12
      TabOrder = 0
    end
    object AgentCombo: TComboBox
      Left = 100
      Top = 56
      Width = 324
      Height = 21
      DropDownCount = 12
      TabOrder = 1
    end
    object UseUPCheckBox: TCheckBox
      Left = 12
      Top = 88
      Width = 412
      Height = 17
      Caption = 'U&se username and password (required for some requests)'
      TabOrder = 2
    end
    object UsernameCombo: TComboBox
      Left = 100
      Top = 116
      Width = 200
      Height = 21
      TabOrder = 3
    end
    object PasswordCombo: TComboBox
      Left = 100
      Top = 148
      Width = 200
      Height = 21
      TabOrder = 4
    end
    object PasswordEdit: TEdit
      Left = 100
      Top = 148
      Width = 150
      Height = 21
      PasswordChar = '*'
      TabOrder = 5
      Visible = False
    end
  end
  object OKBtn: TButton
    Left = 8
    Top = 228
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelBtn: TButton
    Left = 89
    Top = 228
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&Cancel'
    ModalResult = 2
    TabOrder = 2
  end
  object DeleteFromRegistryBtn: TButton
    Left = 314
    Top = 228
    Width = 130
    Height = 25
    Caption = '&Delete from Registry'
    TabOrder = 3
  end
end
