object ReaderErrorDlg: TReaderErrorDlg
  Left = 245
  Top = 108
  BorderStyle = bsDialog
  Caption = 'Error Reading Form'
  ClientHeight = 128
  ClientWidth = 312
  ParentFont = True
  Position = poScreenCenter
  OnCreate = FormCreate
  object Bevel1: TBevel
    Left = 8
    Top = 8
    Width = 300
    Height = 81
  end
  object LerrMess: TLabel
    Left = 14
    Top = 12
    Width = 283
    Height = 61
    AutoSize = False
    WordWrap = True
  end
  object IgnoreButton: TButton
    Left = 38
    Top = 96
    Width = 75
    Height = 25
    Caption = '&Ignore'
    ModalResult = 1
    TabOrder = 0
  end
  object CancelButton: TButton
    Left = 119
    Top = 96
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 1
  end
  object IgnoreAllButton: TButton
    Left = 199
    Top = 96
    Width = 75
    Height = 25
    Caption = 'Ignore &All'
    ModalResult = 5
    TabOrder = 2
  end
end
