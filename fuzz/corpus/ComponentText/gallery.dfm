object GalleryForm: TGalleryForm
  Left = 60
  Top = 40
  Caption = 'Gallery'
  ClientHeight = 440
  ClientWidth = 640
  PopupMenu = GalleryPopup
  object TopPanel: TPanel
    Left = 0
    Top = 0
    Width = 640
    Height = 33
    Align = alTop
    BevelOuter = bvNone
    Caption = 'Every control of the layer'
    object BoldButton: TSpeedButton
      Left = 4
      Top = 4
      Width = 25
      Height = 25
      AllowAllUp = True
      GroupIndex = 1
      Down = True
      Caption = 'B'
      Flat = True
    end
  end
  object Status: TStatusBar
    Left = 0
    Top = 421
    Width = 640
    Height = 19
    Panels = <
      item
        Text = 'Ready'
        Width = 120
      end
      item
        Alignment = taRightJustify
        Text = 'Line 1'
        Width = 80
      end>
  end
  object Tree: TTreeView
    Left = 0
    Top = 33
    Width = 150
    Height = 388
    Align = alLeft
    Indent = 19
    Items.Data = {
      010000001D0000000000000000000000FFFFFFFFFFFFFFFF0000000001000000
      0453697465230000000000000000000000FFFFFFFFFFFFFFFF00000000000000
      000A696E6465782E68746D6C}
  end
  object LeftSplitter: TSplitter
    Left = 150
    Top = 33
    Width = 3
    Height = 388
    MinSize = 40
  end
  object Pages: TPageControl
    Left = 153
    Top = 33
    Width = 487
    Height = 388
    ActivePage = StandardSheet
    Align = alClient
    TabOrder = 2
    object StandardSheet: TTabSheet
      Caption = 'Standard'
      object NameLabel: TLabel
        Left = 8
        Top = 12
        Width = 31
        Height = 13
        Caption = '&Name:'
        FocusControl = NameEdit
      end
      object NameEdit: TEdit
        Left = 80
        Top = 8
        Width = 121
        Height = 21
        MaxLength = 40
        TabOrder = 0
        Text = 'Anna'
      end
      object PhoneEdit: TMaskEdit
        Left = 216
        Top = 8
        Width = 121
        Height = 21
        EditMask = '!\(999\) 000-0000;1;_'
        MaxLength = 14
        TabOrder = 1
        Text = '(555) 123-4567'
      end
      object NotesMemo: TMemo
        Left = 8
        Top = 40
        Width = 193
        Height = 57
        Lines.Strings = (
          'First line'
          'Second line')
        ScrollBars = ssVertical
        TabOrder = 2
      end
      object KindCombo: TComboBox
        Left = 216
        Top = 40
        Width = 145
        Height = 21
        Style = csDropDownList
        DropDownCount = 5
        ItemIndex = 1
        Items.Strings = (
          'HTML'
          'XHTML'
          'CSS')
        TabOrder = 3
      end
      object FileList: TListBox
        Left = 216
        Top = 68
        Width = 145
        Height = 57
        Items.Strings = (
          'index.html'
          'style.css')
        TabOrder = 4
      end
      object WrapCheck: TCheckBox
        Left = 8
        Top = 104
        Width = 97
        Height = 17
        Caption = 'Word wrap'
        Checked = True
        State = cbChecked
        TabOrder = 5
      end
      object UpperRadio: TRadioButton
        Left = 8
        Top = 124
        Width = 97
        Height = 17
        Caption = 'Upper case'
        TabOrder = 6
      end
      object CaseGroup: TRadioGroup
        Left = 8
        Top = 148
        Width = 193
        Height = 65
        Caption = 'Case'
        ItemIndex = 0
        Items.Strings = (
          'Keep'
          'Lower')
        TabOrder = 7
      end
      object OptionsGroup: TGroupBox
        Left = 216
        Top = 132
        Width = 145
        Height = 81
        Caption = 'Options'
        TabOrder = 8
        object Line: TBevel
          Left = 8
          Top = 40
          Width = 129
          Height = 2
          Shape = bsTopLine
        end
      end
      object OkButton: TBitBtn
        Left = 8
        Top = 224
        Width = 89
        Height = 25
        Kind = bkOK
        TabOrder = 9
      end
      object MoreButton: TBitBtn
        Left = 104
        Top = 224
        Width = 89
        Height = 25
        Caption = 'More'
        Layout = blGlyphRight
        TabOrder = 10
      end
      object ApplyButton: TButton
        Left = 200
        Top = 224
        Width = 75
        Height = 25
        Caption = '&Apply'
        Default = True
        TabOrder = 11
      end
      object Scroller: TScrollBar
        Left = 8
        Top = 256
        Width = 193
        Height = 17
        Max = 50
        Position = 10
        TabOrder = 12
      end
      object Box: TScrollBox
        Left = 216
        Top = 256
        Width = 145
        Height = 57
        TabOrder = 13
        object Picture: TImage
          Left = 0
          Top = 0
          Width = 32
          Height = 32
          Stretch = True
        end
      end
    end
    object CommonSheet: TTabSheet
      Caption = 'Common'
      ImageIndex = -1
      object Files: TListView
        Left = 8
        Top = 8
        Width = 281
        Height = 97
        Columns = <
          item
            Caption = 'Name'
            Width = 120
          end
          item
            Alignment = taRightJustify
            Caption = 'Size'
          end>
        Items.Data = {
          2C0000000100000000000000FFFFFFFFFFFFFFFF010000000000000005696E64
          6578053132204B42FFFFFFFF}
        RowSelect = True
        TabOrder = 0
        ViewStyle = vsReport
      end
      object Tabs: TTabControl
        Left = 8
        Top = 112
        Width = 281
        Height = 41
        TabOrder = 1
        Tabs.Strings = (
          'One'
          'Two')
        TabIndex = 0
      end
      object Progress: TProgressBar
        Left = 8
        Top = 160
        Width = 150
        Height = 16
        Position = 40
      end
      object DatePicker: TDateTimePicker
        Left = 8
        Top = 184
        Width = 186
        Height = 21
        CalAlignment = dtaRight
        ShowCheckbox = True
        TabOrder = 2
      end
      object Searching: TAnimate
        Left = 200
        Top = 184
        Width = 272
        Height = 60
        CommonAVI = aviFindFolder
      end
    end
  end
  object Images: TImageList
    Left = 8
    Top = 380
  end
  object Actions: TActionList
    Left = 40
    Top = 380
    object ApplyAction: TAction
      Caption = '&Apply'
      Hint = 'Apply the changes'
      ShortCut = 16449
    end
  end
  object GalleryPopup: TPopupMenu
    Left = 72
    Top = 380
    object CopyItem: TMenuItem
      Caption = '&Copy'
      ShortCut = 16451
    end
    object SepItem: TMenuItem
      Caption = '-'
    end
    object ViewItem: TMenuItem
      Caption = '&View'
      object ViewTreeItem: TMenuItem
        Caption = '&Tree'
        Checked = True
      end
    end
  end
  object OpenDlg: TOpenDialog
    DefaultExt = 'html'
    Filter = 'Web pages|*.html;*.htm|All files|*.*'
    Left = 104
    Top = 380
  end
  object SaveDlg: TSaveDialog
    Left = 136
    Top = 380
  end
  object FontDlg: TFontDialog
    Left = 168
    Top = 380
  end
  object ColorDlg: TColorDialog
    Left = 200
    Top = 380
  end
  object PrintDlg: TPrintDialog
    Left = 232
    Top = 380
  end
  object SetupDlg: TPrinterSetupDialog
    Left = 264
    Top = 380
  end
end
