object ConfigEditorForm: TConfigEditorForm
  BorderStyle = bsDialog
  Caption = 'ZUB Quillon Pro Configuration Editor'
  ClientHeight = 476
  ClientWidth = 560
  Position = poOwnerFormCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object ConfigurationsGroup: TGroupBox
    Left = 8
    Top = 8
    Width = 544
    Height = 136
    Caption = 'Named configurations'
    TabOrder = 0
    object ConfigurationList: TListBox
      Left = 10
      Top = 18
      Width = 240
      Height = 108
      TabOrder = 0
    end
    object NameLabel: TLabel
      Left = 260
      Top = 20
      Width = 80
      Height = 13
      Caption = '&Name:'
    end
    object NameEdit: TEdit
      Left = 300
      Top = 16
      Width = 234
      Height = 21
      TabOrder = 1
    end
    object NewButton: TButton
      Left = 260
      Top = 44
      Width = 88
      Height = 23
      Caption = '&New'
      TabOrder = 2
    end
    object CopyButton: TButton
      Left = 353
      Top = 44
      Width = 88
      Height = 23
      Caption = '&Copy'
      TabOrder = 3
    end
    object RenameButton: TButton
      Left = 446
      Top = 44
      Width = 88
      Height = 23
      Caption = '&Rename'
      TabOrder = 4
    end
    object DeleteButton: TButton
      Left = 260
      Top = 72
      Width = 88
      Height = 23
      Caption = '&Delete'
      TabOrder = 5
    end
    object UseButton: TButton
      Left = 353
      Top = 72
      Width = 181
      Height = 23
      Caption = '&Use for Validation'
      TabOrder = 6
    end
    object InUseLabel: TLabel
      Left = 260
      Top = 106
      Width = 274
      Height = 13
      Caption = 'In use:'
    end
  end
  object MessagesGroup: TGroupBox
    Left = 8
    Top = 150
    Width = 544
    Height = 196
    Caption = 'Messages by ID (checked: reported)'
    TabOrder = 1
    object SearchLabel: TLabel
      Left = 10
      Top = 22
      Width = 44
      Height = 13
      Caption = '&Search:'
    end
    object SearchEdit: TEdit
      Left = 60
      Top = 18
      Width = 300
      Height = 21
      TabOrder = 0
    end
    object MessageList: TListView
      Left = 10
      Top = 44
      Width = 524
      Height = 144
      Checkboxes = True
      Columns = <
        item
          Caption = 'ID'
          Width = 56
        end
        item
          Caption = 'Type'
          Width = 64
        end
        item
          Caption = 'Category'
          Width = 100
        end
        item
          Caption = 'Text'
          Width = 280
        end>
      HideSelection = False
      ReadOnly = True
      RowSelect = True
      TabOrder = 1
      ViewStyle = vsReport
    end
  end
  object ProgramsGroup: TGroupBox
    Left = 8
    Top = 352
    Width = 544
    Height = 86
    Caption = 'Program list'
    TabOrder = 2
    object ProgramList: TListView
      Left = 10
      Top = 18
      Width = 430
      Height = 60
      Columns = <
        item
          Caption = 'Name'
          Width = 140
        end
        item
          Caption = 'Command'
          Width = 270
        end>
      ReadOnly = True
      RowSelect = True
      TabOrder = 0
      ViewStyle = vsReport
    end
    object ImportButton: TButton
      Left = 446
      Top = 18
      Width = 88
      Height = 23
      Caption = '&Import...'
      TabOrder = 1
    end
    object ExportButton: TButton
      Left = 446
      Top = 48
      Width = 88
      Height = 23
      Caption = '&Export...'
      TabOrder = 2
    end
  end
  object OKButton: TButton
    Left = 396
    Top = 446
    Width = 75
    Height = 23
    Caption = 'OK'
    Default = True
    TabOrder = 3
  end
  object CancelButton: TButton
    Left = 477
    Top = 446
    Width = 75
    Height = 23
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 4
  end
end
