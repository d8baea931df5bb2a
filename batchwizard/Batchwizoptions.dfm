object WizardOptionsForm: TWizardOptionsForm
  BorderStyle = bsDialog
  Caption = 'ZUB Quillon Pro Batch Wizard Options'
  ClientHeight = 394
  ClientWidth = 480
  Position = poOwnerFormCenter
  object OptionsPageControl: TPageControl
    Left = 8
    Top = 8
    Width = 464
    Height = 346
    ActivePage = GeneralSheet
    object GeneralSheet: TTabSheet
      Caption = 'General'
      object ToolGroupBox: TGroupBox
        Left = 8
        Top = 8
        Width = 440
        Height = 52
        Caption = '&Tool To Use'
        object ToolComboBox: TComboBox
          Left = 12
          Top = 20
          Width = 200
          Height = 21
          Style = csDropDownList
        end
        object ToolSubtypeComboBox: TComboBox
          Left = 220
          Top = 20
          Width = 200
          Height = 21
          Style = csDropDownList
        end
      end
      object MiscGroupBox: TGroupBox
        Left = 8
        Top = 66
        Width = 440
        Height = 210
        Caption = 'Miscellaneous'
        object MaximumTargetsLabel: TLabel
          Left = 12
          Top = 22
          Width = 200
          Height = 13
          Caption = '&Max targets:'
        end
        object MaximumTargetsEdit: TEdit
          Left = 100
          Top = 18
          Width = 60
          Height = 21
        end
        object MaximumHTTPRequestsLabel: TLabel
          Left = 180
          Top = 22
          Width = 170
          Height = 13
          Caption = 'Max concurrent &HTTP requests:'
        end
        object MaximumHTTPRequests: TEdit
          Left = 356
          Top = 18
          Width = 60
          Height = 21
        end
        object AutoDeselectCheckBox: TCheckBox
          Left = 12
          Top = 48
          Width = 420
          Height = 17
          Caption = 'After validating a target list, set process to ''&No'' for the targets with no errors, warnings, or bad links'
        end
        object AutoOpenHTMLReportCheckBox: TCheckBox
          Left = 12
          Top = 70
          Width = 420
          Height = 17
          Caption = '&Automatically open HTML report after validating a target list'
        end
        object AutoAutoSizeCheckBox: TCheckBox
          Left = 12
          Top = 92
          Width = 420
          Height = 17
          Caption = 'Automatically AutoSize &columns when a new target list is loaded'
        end
        object DCOpenInEditorCheckBox: TCheckBox
          Left = 12
          Top = 114
          Width = 420
          Height = 17
          Caption = '&Double-clicking a target opens target in editor (file or URL targets); if unchecked, target properties are displayed'
        end
        object VerboseCheckBox: TCheckBox
          Left = 12
          Top = 136
          Width = 420
          Height = 17
          Caption = 'Display &verbose messages in the Batch Progress Tab'
        end
        object AutoSetIFlagCheckBox: TCheckBox
          Left = 12
          Top = 158
          Width = 420
          Height = 17
          Caption = 'Automatically set the &I flag to include subdirectories when adding a directory target'
        end
        object ShowProgressCheckBox: TCheckBox
          Left = 12
          Top = 180
          Width = 420
          Height = 17
          Caption = 'Show &progress bar for Batch Wizard operations'
        end
      end
    end
    object ReportingSheet: TTabSheet
      Caption = 'Reporting'
      object OtherOptionsGroupBox: TGroupBox
        Left = 8
        Top = 8
        Width = 440
        Height = 114
        Caption = 'Other Options'
        object ReportsPerPageLabel: TLabel
          Left = 12
          Top = 22
          Width = 200
          Height = 13
          Caption = '&Reports per page:'
        end
        object ReportsPerPageEdit: TEdit
          Left = 120
          Top = 18
          Width = 60
          Height = 21
        end
        object OnlyErrorOrWarningResultsCheckBox: TCheckBox
          Left = 12
          Top = 46
          Width = 420
          Height = 17
          Caption = '&Include message reports only for documents containing errors or warnings'
        end
        object IncludeSummaryCheckBox: TCheckBox
          Left = 12
          Top = 68
          Width = 420
          Height = 17
          Caption = 'Include &summary report (list of documents containing 1) errors, 2) warnings, 3) no errors or warnings), etc.'
        end
        object MultipleHTMLPageReport: TCheckBox
          Left = 12
          Top = 90
          Width = 420
          Height = 17
          Caption = '&Generate a multiple HTML page report (recommended for large target lists)'
        end
      end
      object FileOptionsGroupBox: TGroupBox
        Left = 8
        Top = 126
        Width = 440
        Height = 142
        Caption = 'File Options'
        object ReportFileLabel: TLabel
          Left = 12
          Top = 18
          Width = 400
          Height = 13
          Caption = '&HTML report filename (root page):'
        end
        object ReportFileEdit: TEdit
          Left = 12
          Top = 32
          Width = 330
          Height = 21
        end
        object ReportFileBrowseBtn: TButton
          Left = 350
          Top = 31
          Width = 75
          Height = 23
          Caption = 'Browse...'
        end
        object CSSFileLabel: TLabel
          Left = 12
          Top = 58
          Width = 400
          Height = 13
          Caption = 'Use external &CSS file to change look:'
        end
        object CSSFileEdit: TEdit
          Left = 12
          Top = 72
          Width = 330
          Height = 21
        end
        object CSSFileBrowseBtn: TButton
          Left = 350
          Top = 71
          Width = 75
          Height = 23
          Caption = 'Browse...'
        end
        object FooterFileLabel: TLabel
          Left = 12
          Top = 98
          Width = 400
          Height = 13
          Caption = 'Use external HTML file for report footers (default footer used if blank):'
        end
        object FooterFileEdit: TEdit
          Left = 12
          Top = 112
          Width = 330
          Height = 21
        end
        object FooterFileBrowseBtn: TButton
          Left = 350
          Top = 111
          Width = 75
          Height = 23
          Caption = 'Browse...'
        end
      end
      object IncludeSourceGroupBox: TGroupBox
        Left = 8
        Top = 272
        Width = 440
        Height = 42
        Caption = 'Include HTML Source Lines in Report For'
        object IncludeErrorsCheckBox: TCheckBox
          Left = 12
          Top = 18
          Width = 100
          Height = 17
          Caption = '&Errors'
        end
        object IncludeWarningsCheckBox: TCheckBox
          Left = 120
          Top = 18
          Width = 100
          Height = 17
          Caption = '&Warnings'
        end
        object IncludeMessagesCheckBox: TCheckBox
          Left = 228
          Top = 18
          Width = 100
          Height = 17
          Caption = '&Messages'
        end
      end
    end
    object LinksSheet: TTabSheet
      Caption = 'Links'
      object LinkReportingGroupBox: TGroupBox
        Left = 8
        Top = 8
        Width = 440
        Height = 156
        Caption = 'Link Reporting Options'
        object IncludeFailedLinksCheckBox: TCheckBox
          Left = 12
          Top = 20
          Width = 420
          Height = 17
          Caption = 'Include links that have &failed the link check in the link report'
        end
        object IncludeNotCheckedLinksCheckBox: TCheckBox
          Left = 12
          Top = 42
          Width = 420
          Height = 17
          Caption = 'Include links that &could not be checked in the link report'
        end
        object IncludePassedLinksCheckBox: TCheckBox
          Left = 12
          Top = 64
          Width = 420
          Height = 17
          Caption = 'Include links that have &passed the link check in the link report'
        end
        object ActuallyLinkCheckBox: TCheckBox
          Left = 12
          Top = 86
          Width = 420
          Height = 17
          Caption = '&Link each link in the link report to the link it represents'
        end
        object AlwaysGenerateLinkReportCheckBox: TCheckBox
          Left = 12
          Top = 108
          Width = 420
          Height = 17
          Caption = '&Always generate a link report (even for documents with no errors or warnings)'
        end
        object EnableLinkCheckingCheckBox: TCheckBox
          Left = 12
          Top = 130
          Width = 420
          Height = 17
          Caption = '&Enable link checking (and generate a link report) when validating'
        end
      end
      object TextEditGroupBox: TGroupBox
        Left = 8
        Top = 170
        Width = 440
        Height = 70
        Caption = 'Text Edit Options'
        object DefaultLinkFollowExtensionsLabel: TLabel
          Left = 12
          Top = 20
          Width = 400
          Height = 13
          Caption = '&Default target extensions to follow when following links:'
        end
        object DefaultLinkFollowExtensionsEdit: TEdit
          Left = 12
          Top = 36
          Width = 410
          Height = 21
        end
      end
    end
  end
  object OKBtn: TButton
    Left = 236
    Top = 362
    Width = 75
    Height = 23
    Caption = '&OK'
    Default = True
    ModalResult = 1
  end
  object CancelBtn: TButton
    Left = 316
    Top = 362
    Width = 75
    Height = 23
    Caption = 'Cancel'
    Cancel = True
    ModalResult = 2
  end
  object HelpBtn: TButton
    Left = 396
    Top = 362
    Width = 75
    Height = 23
    Caption = '&Help'
  end
end
