object SpellDialog: TSpellDialog
  Left = 200
  Top = 120
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Spelling'
  ClientHeight = 167
  ClientWidth = 432
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object DialogControl: TConfigurationDialogCtrl
  end
  object NotFoundText: TLabel
    Left = 8
    Top = 8
    Width = 63
    Height = 13
    Caption = 'Not in Dictionary:'
  end
  object ReplaceWithText: TLabel
    Left = 8
    Top = 36
    Width = 78
    Height = 13
    Caption = 'Replace with:'
  end
  object SuggestionsText: TLabel
    Left = 8
    Top = 64
    Width = 71
    Height = 13
    Caption = 'Suggestions:'
  end
  object NotFoundEdit: TEdit
    Left = 104
    Top = 8
    Width = 140
    Height = 21
    ReadOnly = True
    TabStop = False
    TabOrder = 0
  end
  object ReplaceWithEdit: TEdit
    Left = 104
    Top = 35
    Width = 140
    Height = 21
    TabOrder = 1
  end
  object SuggestionsListbox: TListBox
    Left = 104
    Top = 62
    Width = 140
    Height = 99
    ItemHeight = 13
    TabOrder = 2
  end
  object IgnoreButton: TButton
    Left = 252
    Top = 8
    Width = 85
    Height = 23
    Caption = 'Ignore'
    TabOrder = 3
  end
  object IgnoreAllButton: TButton
    Left = 340
    Top = 8
    Width = 85
    Height = 23
    Caption = 'Ignore All'
    TabOrder = 4
  end
  object ChangeButton: TButton
    Left = 252
    Top = 35
    Width = 85
    Height = 23
    Caption = 'Change'
    TabOrder = 5
  end
  object ChangeAllButton: TButton
    Left = 340
    Top = 35
    Width = 85
    Height = 23
    Caption = 'Change All'
    TabOrder = 6
  end
  object AddButton: TButton
    Left = 252
    Top = 62
    Width = 85
    Height = 23
    Caption = 'Add'
    TabOrder = 7
  end
  object AutoCorrectButton: TButton
    Left = 340
    Top = 62
    Width = 85
    Height = 23
    Caption = 'Auto-Correct'
    TabOrder = 8
  end
  object HelpButton: TButton
    Left = 252
    Top = 138
    Width = 85
    Height = 23
    Caption = 'Help'
    TabOrder = 9
  end
  object UndoButton: TButton
    Left = 8
    Top = 111
    Width = 85
    Height = 23
    Caption = 'Undo'
    TabOrder = 10
  end
  object CancelButton: TButton
    Left = 340
    Top = 138
    Width = 85
    Height = 23
    Caption = 'Cancel'
    Cancel = True
    TabOrder = 11
  end
  object OptionsButton: TButton
    Left = 8
    Top = 138
    Width = 85
    Height = 23
    Caption = 'Options...'
    TabOrder = 12
  end
end
