object PTFrmOpenDlg: TPTFrmOpenDlg
  Left = 0
  Top = 0
  Caption = 'Open'
  ClientHeight = 265
  ClientWidth = 451
  Position = poScreenCenter
  KeyPreview = True
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  ShowHint = True
  object LookInTxt: TLabel
    Left = 8
    Top = 8
    Width = 41
    Height = 13
    Caption = 'Look &in:'
  end
  object UpOneLevelBtn: TSpeedButton
    Left = 272
    Top = 4
    Width = 23
    Height = 22
    Flat = True
  end
  object ShowDesktopBtn: TSpeedButton
    Left = 304
    Top = 4
    Width = 23
    Height = 22
    Hint = 'Show Desktop'
    Flat = True
  end
  object CreateNewFolderBtn: TSpeedButton
    Left = 336
    Top = 4
    Width = 23
    Height = 22
    Flat = True
  end
  object ShowTreeBtn: TSpeedButton
    Left = 368
    Top = 4
    Width = 23
    Height = 23
    AllowAllUp = True
    GroupIndex = 2
    Flat = True
  end
  object ViewBtn: TSpeedButton
    Tag = 3
    Left = 399
    Top = 4
    Width = 34
    Height = 23
    Flat = True
  end
  object PTShellCombo1: TPTShellCombo
    Left = 72
    Top = 4
    Width = 193
    Height = 22
    TabOrder = 0
  end
  object SplitterContainer: TPTGroup
    Left = 2
    Top = 30
    Width = 447
    Height = 153
    FrameStyle = ptfsNone
    TabOrder = 1
    object PTSplitter1: TPTSplitter
      Left = 0
      Top = 0
      Width = 447
      Height = 153
      Align = alClient
      Position = 141
      SplitterWidth = 5
      object PTSplitter1_pane1: TPTPane
        MinSize = 4
        object PTShellTree1: TPTShellTree
          Left = 2
          Top = 2
          Width = 137
          Height = 149
          Align = alClient
        end
      end
      object PTSplitter1_pane2: TPTPane
        Index = 1
        MinSize = 60
        object PTShellList1: TPTShellList
          Left = 2
          Top = 2
          Width = 297
          Height = 149
          Align = alClient
          TabOrder = 0
        end
      end
    end
  end
  object Panel1: TPanel
    Left = 0
    Top = 181
    Width = 451
    Height = 84
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 2
    object FileNameTxt: TLabel
      Left = 8
      Top = 10
      Width = 51
      Height = 13
      Caption = 'File &name:'
    end
    object FilesOfTypeTxt: TLabel
      Left = 8
      Top = 38
      Width = 66
      Height = 13
      Caption = 'Files of &type:'
    end
    object FileNameEdt: TEdit
      Left = 88
      Top = 6
      Width = 277
      Height = 21
      TabOrder = 0
    end
    object FileNameCbx: TComboBox
      Left = 88
      Top = 6
      Width = 277
      Height = 21
      TabStop = False
      Visible = False
      TabOrder = 6
    end
    object FileTypesCbx: TPTCombobox
      Left = 88
      Top = 34
      Width = 277
      Height = 21
      TabOrder = 1
    end
    object OpenBtn: TButton
      Left = 372
      Top = 4
      Width = 75
      Height = 23
      Caption = '&Open'
      Default = True
      ModalResult = 1
      TabOrder = 2
    end
    object CancelBtn: TButton
      Left = 372
      Top = 32
      Width = 75
      Height = 23
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 3
    end
    object ReadOnlyChk: TCheckBox
      Left = 88
      Top = 60
      Width = 277
      Height = 17
      Caption = 'Open as &read-only'
      TabOrder = 4
    end
    object HelpBtn: TButton
      Left = 372
      Top = 60
      Width = 75
      Height = 23
      Caption = '&Help'
      Visible = False
      TabOrder = 5
    end
  end
  object LvPopup: TPopupMenu
    Left = 8
    Top = 40
    object ViewMenu: TMenuItem
      Caption = '&View'
      object LargeIconsItem: TMenuItem
        Caption = 'Lar&ge icons'
        GroupIndex = 1
        RadioItem = True
      end
      object SmallIconsItem: TMenuItem
        Tag = 1
        Caption = 'S&mall icons'
        GroupIndex = 1
        RadioItem = True
      end
      object ListItem: TMenuItem
        Tag = 2
        Caption = '&List'
        Checked = True
        GroupIndex = 1
        RadioItem = True
      end
      object DetailsItem: TMenuItem
        Tag = 3
        Caption = '&Details'
        GroupIndex = 1
        RadioItem = True
      end
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object PasteItem: TMenuItem
      Caption = '&Paste'
    end
    object N2: TMenuItem
      Caption = '-'
    end
    object NewMenu: TMenuItem
      Caption = 'Ne&w'
      object NewFolderItem: TMenuItem
        Caption = '&Folder'
      end
    end
    object N3: TMenuItem
      Caption = '-'
    end
    object PropertiesItem: TMenuItem
      Caption = 'P&roperties'
    end
  end
  object ViewPopupMenu: TPopupMenu
    Left = 40
    Top = 40
    object LargeIconsItem2: TMenuItem
      Caption = 'Lar&ge icons'
      GroupIndex = 1
      RadioItem = True
    end
    object SmallIconsItem2: TMenuItem
      Tag = 1
      Caption = 'S&mall icons'
      GroupIndex = 1
      RadioItem = True
    end
    object ListItem2: TMenuItem
      Tag = 2
      Caption = '&List'
      Checked = True
      GroupIndex = 1
      RadioItem = True
    end
    object DetailsItem2: TMenuItem
      Tag = 3
      Caption = '&Details'
      GroupIndex = 1
      RadioItem = True
    end
  end
end
