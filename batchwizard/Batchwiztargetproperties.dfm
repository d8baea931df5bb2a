object WizardPropertiesForm: TWizardPropertiesForm
  BorderStyle = bsDialog
  Caption = 'Target Properties'
  ClientHeight = 248
  ClientWidth = 476
  Position = poOwnerFormCenter
  object PropertiesPageControl: TPageControl
    Left = 8
    Top = 8
    Width = 460
    Height = 200
    ActivePage = GeneralSheet
    object GeneralSheet: TTabSheet
      Caption = 'General'
      object OptionsGroupBox: TGroupBox
        Left = 8
        Top = 8
        Width = 436
        Height = 130
        Caption = 'Options'
        object TargetLabel: TLabel
          Left = 12
          Top = 24
          Width = 80
          Height = 13
          Caption = '&Target:'
        end
        object TargetEdit: TEdit
          Left = 70
          Top = 20
          Width = 350
          Height = 21
        end
        object ProcessTargetCheckBox: TCheckBox
          Left = 12
          Top = 52
          Width = 420
          Height = 30
          Caption = '&Process this target when the target list is processed, otherwise the target is ignored.'
        end
        object NeverValidateCheckBox: TCheckBox
          Left = 12
          Top = 88
          Width = 420
          Height = 30
          Caption = '&Never validate this target. If checked, only tools other than the validation tool will be used on this target. (N flag)'
        end
      end
    end
    object FileSheet: TTabSheet
      Caption = 'File Specific'
    end
    object DirectorySheet: TTabSheet
      Caption = 'Directory Specific'
      object IncludeSubdirectoriesCheckBox: TCheckBox
        Left = 12
        Top = 12
        Width = 420
        Height = 30
        Caption = '&Include subdirectories (also includes all directories within the subdirectories) (I flag)'
      end
      object ExcludeUnderscoreDirsCheckBox: TCheckBox
        Left = 12
        Top = 48
        Width = 420
        Height = 30
        Caption = '&When including subdirectories, exclude directories that begin with an underscore (_) or are named "CVS"'
      end
    end
    object URLSheet: TTabSheet
      Caption = 'URL Specific'
      object AgentLabel: TLabel
        Left = 12
        Top = 16
        Width = 80
        Height = 13
        Caption = '&Agent:'
      end
      object AgentEdit: TEdit
        Left = 90
        Top = 12
        Width = 340
        Height = 21
      end
      object UseUPCheckBox: TCheckBox
        Left = 12
        Top = 44
        Width = 420
        Height = 17
        Caption = 'U&se username and password (required for some requests) (P flag)'
      end
      object UsernameLabel: TLabel
        Left = 12
        Top = 76
        Width = 80
        Height = 13
        Caption = '&Username:'
      end
      object UsernameEdit: TEdit
        Left = 90
        Top = 72
        Width = 200
        Height = 21
      end
      object PasswordLabel: TLabel
        Left = 12
        Top = 108
        Width = 80
        Height = 13
        Caption = '&Password:'
      end
      object PasswordEdit: TEdit
        Left = 90
        Top = 104
        Width = 200
        Height = 21
      end
      object PasswordNoteLabel: TLabel
        Left = 90
        Top = 136
        Width = 300
        Height = 13
        Caption = 'NOTE: Passwords are not stored securely.'
      end
    end
    object FollowSheet: TTabSheet
      Caption = 'Follow Links'
      object FollowLinksCheckBox: TCheckBox
        Left = 12
        Top = 12
        Width = 420
        Height = 17
        Caption = '&Follow and validate links contained in this target when validating (L flag)'
      end
      object LimitToLabel: TLabel
        Left = 12
        Top = 44
        Width = 80
        Height = 13
        Caption = '&Limit to:'
      end
      object LimitToEdit: TEdit
        Left = 90
        Top = 40
        Width = 340
        Height = 21
      end
      object ExtensionsLabel: TLabel
        Left = 12
        Top = 76
        Width = 80
        Height = 13
        Caption = '&Extensions:'
      end
      object ExtensionsEdit: TEdit
        Left = 90
        Top = 72
        Width = 340
        Height = 21
      end
      object DepthLabel: TLabel
        Left = 12
        Top = 108
        Width = 80
        Height = 13
        Caption = '&Depth limit:'
      end
      object DepthEdit: TEdit
        Left = 90
        Top = 104
        Width = 60
        Height = 21
      end
      object FollowNoteLabel: TLabel
        Left = 12
        Top = 136
        Width = 420
        Height = 26
        WordWrap = True
        Caption = 'NOTE: When validating, not all links may be followed from documents with too many errors or warnings.'
      end
    end
  end
  object OKBtn: TButton
    Left = 232
    Top = 216
    Width = 75
    Height = 23
    Caption = '&OK'
    Default = True
  end
  object CancelBtn: TButton
    Left = 312
    Top = 216
    Width = 75
    Height = 23
    Caption = 'Cancel'
    Cancel = True
    ModalResult = 2
  end
  object HelpBtn: TButton
    Left = 392
    Top = 216
    Width = 75
    Height = 23
    Caption = '&Help'
  end
end
