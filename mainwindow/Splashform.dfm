object SplashForm: TSplashForm
  Left = 0
  Top = 0
  BorderStyle = bsNone
  Caption = 'Quillon'
  ClientHeight = 150
  ClientWidth = 360
  Color = clBtnFace
  Position = poScreenCenter
  OnMouseMove = SplashMouseMove
  object MainPanel: TPanel
    Left = 0
    Top = 0
    Width = 360
    Height = 150
    Align = alClient
    BevelInner = bvLowered
    Caption = ''
    OnMouseMove = SplashMouseMove
    object LoadingLabel: TLabel
      Left = 16
      Top = 20
      Width = 328
      Height = 24
      AutoSize = False
      Caption = 'Loading Quillon...'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clNavy
      Font.Height = -19
      Font.Name = 'Arial'
      Font.Style = [fsBold]
      ParentFont = False
      OnMouseMove = SplashMouseMove
    end
    object NoticeLabel: TLabel
      Left = 16
      Top = 60
      Width = 328
      Height = 14
      AutoSize = False
      Caption = 'A web document editor with validation, link checking and spelling.'
      OnMouseMove = SplashMouseMove
    end
    object InfoLabel: TLabel
      Left = 16
      Top = 80
      Width = 328
      Height = 14
      AutoSize = False
      Caption = 'Copyright Palvane. All rights reserved.'
      OnMouseMove = SplashMouseMove
    end
    object StatusLabel: TLabel
      Left = 16
      Top = 120
      Width = 328
      Height = 14
      AutoSize = False
      Caption = 'Status'
      OnMouseMove = SplashMouseMove
    end
  end
end
