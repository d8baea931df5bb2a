object UpdateCheckForm: TUpdateCheckForm
  Left = 0
  Top = 0
  BorderIcons = []
  BorderStyle = bsDialog
  Caption = 'ZUB Quillon: Checking for Updates'
  ClientHeight = 96
  ClientWidth = 300
  Color = clBtnFace
  Position = poScreenCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OnShow = FormShow
  OnHide = FormHide
  object MainLabel: TLabel
    Left = 12
    Top = 12
    Width = 276
    Height = 16
    Alignment = taCenter
    AutoSize = False
    Caption = 'Checking for updates, please wait...'
  end
  object Animate: TAnimate
    Left = 110
    Top = 36
    Width = 80
    Height = 50
    Center = True
    CommonAVI = aviFindFolder
    StopFrame = 29
  end
end
