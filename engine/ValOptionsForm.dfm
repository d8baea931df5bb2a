object ValOptionsForm: TValOptionsForm
  BorderStyle = bsDialog
  Caption = 'Validator Engine Options (Validator/Logging/Tools/Network)'
  ClientHeight = 476
  ClientWidth = 500
  Position = poOwnerFormCenter
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object PageControl: TPageControl
    Left = 8
    Top = 8
    Width = 484
    Height = 428
    ActivePage = ValidatorSheet
    TabOrder = 0
    object ValidatorSheet: TTabSheet
      Caption = 'Validator'
      object DocumentTypeRadioGroup: TRadioGroup
        Left = 8
        Top = 6
        Width = 460
        Height = 72
        Caption = 'Document type handling'
        ItemIndex = 0
        Items.Strings = (
          'Check each document by its own document type'
          'Check every markup document by the XHTML rules'
          'Never apply the XHTML rules')
        TabOrder = 0
      end
      object RulesGroup: TGroupBox
        Left = 8
        Top = 84
        Width = 460
        Height = 74
        Caption = 'HTML/XHTML rules'
        TabOrder = 1
          object MarkupWarningsCheck: TCheckBox
            Left = 10
            Top = 16
            Width = 440
            Height = 17
            Caption = 'Report markup &warnings'
            TabOrder = 0
          end
          object MarkupInfoCheck: TCheckBox
            Left = 10
            Top = 34
            Width = 440
            Height = 17
            Caption = 'Report markup &information'
            TabOrder = 1
          end
          object XhtmlRulesCheck: TCheckBox
            Left = 10
            Top = 52
            Width = 440
            Height = 17
            Caption = 'Report breaches of the &XHTML rules'
            TabOrder = 2
          end
      end
      object AccessibilityGroup: TGroupBox
        Left = 8
        Top = 162
        Width = 460
        Height = 92
        Caption = 'Accessibility'
        TabOrder = 2
          object AccessibilityCheck: TCheckBox
            Left = 10
            Top = 16
            Width = 440
            Height = 17
            Caption = 'Enable &Accessibility Checking'
            TabOrder = 0
          end
          object AccessibilityFlagCheck: TCheckBox
            Left = 10
            Top = 34
            Width = 440
            Height = 17
            Caption = 'Show accessibility &findings'
            TabOrder = 1
          end
        object AccessibilityLevelRadioGroup: TRadioGroup
          Left = 10
          Top = 52
          Width = 440
          Height = 34
          Caption = 'Checkpoints up to priority'
          Columns = 3
          ItemIndex = 0
          Items.Strings = (
            'Priority &1'
            'Priority &2'
            'Priority &3')
          TabOrder = 2
        end
      end
      object CssGroup: TGroupBox
        Left = 8
        Top = 258
        Width = 460
        Height = 74
        Caption = 'Style sheets'
        TabOrder = 3
          object CssSyntaxCheck: TCheckBox
            Left = 10
            Top = 16
            Width = 440
            Height = 17
            Caption = 'Enable &CSS Syntax Checking'
            TabOrder = 0
          end
          object CssPropertiesCheck: TCheckBox
            Left = 10
            Top = 34
            Width = 440
            Height = 17
            Caption = 'Report unknown style-sheet &properties'
            TabOrder = 1
          end
          object CssValuesCheck: TCheckBox
            Left = 10
            Top = 52
            Width = 440
            Height = 17
            Caption = 'Report doubtful style-sheet &values'
            TabOrder = 2
          end
      end
      object ProgramGroup: TGroupBox
        Left = 8
        Top = 336
        Width = 460
        Height = 60
        Caption = 'Program'
        TabOrder = 4
          object SpellingFlagCheck: TCheckBox
            Left = 10
            Top = 16
            Width = 220
            Height = 17
            Caption = 'Report &misspellings'
            TabOrder = 0
          end
          object MessageIdsCheck: TCheckBox
            Left = 236
            Top = 16
            Width = 214
            Height = 17
            Caption = 'Show message &IDs'
            TabOrder = 1
          end
          object LinkCheckOnlyCheck: TCheckBox
            Left = 10
            Top = 36
            Width = 440
            Height = 17
            Caption = 'Offer the &link-check-only mode'
            TabOrder = 2
          end
      end
    end
    object LoggingSheet: TTabSheet
      Caption = 'Logging'
      object LogCheck: TCheckBox
        Left = 8
        Top = 12
        Width = 460
        Height = 17
        Caption = '&Log every validation'
        TabOrder = 0
      end
      object LogFileLabel: TLabel
        Left = 8
        Top = 40
        Width = 200
        Height = 13
        Caption = 'Log &file:'
      end
      object LogFileEdit: TEdit
        Left = 8
        Top = 56
        Width = 370
        Height = 21
        TabOrder = 1
      end
      object LogFileBrowseButton: TButton
        Left = 386
        Top = 55
        Width = 80
        Height = 23
        Caption = '&Browse...'
        TabOrder = 2
      end
    end
    object ToolsSheet: TTabSheet
      Caption = 'Tools'
      object LineEndsRadioGroup: TRadioGroup
        Left = 8
        Top = 6
        Width = 460
        Height = 72
        Caption = 'Line ends written by the Convert File Format tool'
        ItemIndex = 0
        Items.Strings = (
          'LF (Unix)'
          'CR LF (Windows)'
          'CR (Macintosh)')
        TabOrder = 0
      end
      object DropNoPauseCheck: TCheckBox
        Left = 8
        Top = 88
        Width = 460
        Height = 17
        Caption = 'Do not &pause between dropped files'
        TabOrder = 1
      end
    end
    object NetworkSheet: TTabSheet
      Caption = 'Network'
      object ProxyForDocumentsCheck: TCheckBox
        Left = 8
        Top = 12
        Width = 460
        Height = 17
        Caption = 'Use the proxy to open &documents from the web'
        TabOrder = 0
      end
      object ProxyForLinksCheck: TCheckBox
        Left = 8
        Top = 32
        Width = 460
        Height = 17
        Caption = 'Use the proxy for link &checks and batch downloads'
        TabOrder = 1
      end
      object ProxyHostLabel: TLabel
        Left = 8
        Top = 64
        Width = 180
        Height = 13
        Caption = 'Proxy &host:'
      end
      object ProxyHostEdit: TEdit
        Left = 196
        Top = 60
        Width = 270
        Height = 21
        TabOrder = 2
      end
      object ProxyPortLabel: TLabel
        Left = 8
        Top = 94
        Width = 180
        Height = 13
        Caption = 'Proxy p&ort:'
      end
      object ProxyPortEdit: TEdit
        Left = 196
        Top = 90
        Width = 270
        Height = 21
        TabOrder = 3
      end
      object ProxyUserLabel: TLabel
        Left = 8
        Top = 124
        Width = 180
        Height = 13
        Caption = '&User name:'
      end
      object ProxyUserEdit: TEdit
        Left = 196
        Top = 120
        Width = 270
        Height = 21
        TabOrder = 4
      end
      object ProxyPasswordLabel: TLabel
        Left = 8
        Top = 154
        Width = 180
        Height = 13
        Caption = 'Pass&word:'
      end
      object ProxyPasswordEdit: TEdit
        Left = 196
        Top = 150
        Width = 270
        Height = 21
        PasswordChar = '*'
        TabOrder = 5
      end
      object LinkTimeoutLabel: TLabel
        Left = 8
        Top = 184
        Width = 180
        Height = 13
        Caption = 'Link check &time-out (seconds):'
      end
      object LinkTimeoutEdit: TEdit
        Left = 196
        Top = 180
        Width = 270
        Height = 21
        TabOrder = 6
      end
    end
  end
  object OKButton: TButton
    Left = 336
    Top = 444
    Width = 75
    Height = 23
    Caption = 'OK'
    Default = True
    TabOrder = 1
  end
  object CancelButton: TButton
    Left = 417
    Top = 444
    Width = 75
    Height = 23
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
