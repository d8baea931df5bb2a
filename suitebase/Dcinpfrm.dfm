object InputLineForm: TInputLineForm
  Left = 245
  Top = 108
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Go to line Number'
  ClientHeight = 129
  ClientWidth = 393
  ParentFont = True
  Position = poScreenCenter
  ActiveControl = PropEdit
  OnCreate = FormCreate
  object Panel1: TPanel
    Left = 8
    Top = 8
    Width = 377
    Height = 81
    BevelInner = bvRaised
    BevelOuter = bvLowered
    TabOrder = 0
    object InputLabel: TLabel
      Left = 16
      Top = 16
      Caption = '&Enter new line number:'
      FocusControl = PropEdit
    end
    object PropEdit: TEdit
      Left = 16
      Top = 40
      Width = 345
      Height = 21
      TabOrder = 0
    end
  end
  object OkBut: TButton
    Left = 152
    Top = 96
    Width = 73
    Height = 25
    Caption = 'Ok'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelBut: TButton
    Left = 232
    Top = 96
    Width = 73
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
  object HelpBut: TButton
    Left = 312
    Top = 96
    Width = 73
    Height = 25
    Caption = '&Help'
    TabOrder = 3
  end
end
