object PreviewForm: TPreviewForm
  Left = 100
  Top = 100
  Width = 706
  Height = 480
  Caption = 'PreviewForm'
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object ToolPanel: TPanel
    Left = 0
    Top = 0
    Width = 698
    Height = 30
    Align = alTop
    TabOrder = 0
    object tbPrint: TSpeedButton
      Left = 4
      Top = 3
      Width = 24
      Height = 24
      Hint = 'Print'
      Flat = True
      ShowHint = True
    end
    object tbMagnifier: TSpeedButton
      Left = 32
      Top = 3
      Width = 24
      Height = 24
      Hint = 'Magnifier'
      AllowAllUp = True
      GroupIndex = 1
      Flat = True
      ShowHint = True
    end
    object tbOnePage: TSpeedButton
      Left = 60
      Top = 3
      Width = 24
      Height = 24
      Hint = 'One Page'
      Flat = True
      ShowHint = True
    end
    object tbMultiplePages: TSpeedButton
      Left = 88
      Top = 3
      Width = 24
      Height = 24
      Hint = 'Multiple Pages'
      Flat = True
      ShowHint = True
    end
    object tbPrintSetup: TSpeedButton
      Left = 116
      Top = 3
      Width = 24
      Height = 24
      Hint = 'Print Setup'
      Flat = True
      ShowHint = True
    end
    object cbZoom: TComboBox
      Left = 148
      Top = 4
      Width = 85
      Height = 21
      TabOrder = 0
      Text = '100%'
      Items.Strings = (
        '500%'
        '200%'
        '150%'
        '100%'
        '75%'
        '50%'
        '25%'
        '10%'
        'Page Width'
        'Whole Page')
    end
    object sbFirstPage: TSpeedButton
      Tag = 0
      Left = 244
      Top = 3
      Width = 24
      Height = 24
      Flat = True
    end
    object sbPrevPage: TSpeedButton
      Tag = 1
      Left = 270
      Top = 3
      Width = 24
      Height = 24
      Flat = True
    end
    object sbNextPage: TSpeedButton
      Tag = 2
      Left = 296
      Top = 3
      Width = 24
      Height = 24
      Flat = True
    end
    object sbLastPage: TSpeedButton
      Tag = 3
      Left = 322
      Top = 3
      Width = 24
      Height = 24
      Flat = True
    end
    object btClose: TButton
      Left = 360
      Top = 3
      Width = 75
      Height = 24
      Caption = '&Close'
      TabOrder = 1
    end
  end
  object EasyPrintPreview: TEasyPrintPreview
    Left = 0
    Top = 30
    Width = 698
    Height = 423
    Align = alClient
    TabOrder = 1
    PageIndex = 0
    Rows = 2
    Columns = 1
    Scale = 100
    PageInterval = 8
    UseMagnifier = False
  end
end
