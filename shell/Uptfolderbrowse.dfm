object PTFrmFolderBrowseDlg: TPTFrmFolderBrowseDlg
  Left = 0
  Top = 0
  ClientHeight = 313
  ClientWidth = 358
  Position = poScreenCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  ShowHint = True
  object CreateNewFolderBtn: TSpeedButton
    Left = 295
    Top = 3
    Width = 23
    Height = 22
    Hint = 'Create New Folder|Create a new folder here'
    Flat = True
  end
  object DeleteFolderBtn: TSpeedButton
    Left = 325
    Top = 3
    Width = 23
    Height = 22
    Hint = 'Delete|Deletes the selected item(s).'
    Flat = True
  end
  object StatusTxt: TPTFrame
    Left = 8
    Top = 8
    Width = 281
    Height = 17
    Alignment = taLeftJustify
    FrameSpace = 0
    FrameStyle = ptfsNone
  end
  object PTShellTree1: TPTShellTree
    Left = 8
    Top = 28
    Width = 341
    Height = 245
    TabOrder = 0
  end
  object ButtonPanel: TPanel
    Left = 0
    Top = 278
    Width = 358
    Height = 35
    Align = alBottom
    BevelOuter = bvNone
    ParentColor = True
    TabOrder = 1
    object OkBtn: TButton
      Left = 12
      Top = 6
      Width = 75
      Height = 23
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
    end
    object CancelBtn: TButton
      Left = 92
      Top = 6
      Width = 75
      Height = 23
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 1
    end
    object CreateBtn: TButton
      Left = 186
      Top = 6
      Width = 75
      Height = 23
      Cancel = True
      Caption = '&Create...'
      TabOrder = 2
    end
    object DeleteBtn: TButton
      Left = 266
      Top = 6
      Width = 75
      Height = 23
      Cancel = True
      Caption = '&Delete...'
      TabOrder = 3
    end
  end
end
