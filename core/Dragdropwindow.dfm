object DragDropForm: TDragDropForm
  Left = 20
  Top = 20
  BorderIcons = []
  BorderStyle = bsNone
  Caption = 'ZUB Quillon Drag and Drop Window'
  ClientHeight = 31
  ClientWidth = 88
  Position = poDefaultPosOnly
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnMouseDown = FormMouseDown
  OnMouseMove = FormMouseMove
  OnMouseUp = FormMouseUp
  object QuillonIconImage: TImage
    Left = 0
    Top = 0
    Width = 88
    Height = 31
    Hint = 'Drag and Drop Window'
    Align = alClient
    PopupMenu = DragDropPopupMenu
    ShowHint = True
    OnDblClick = QuillonIconImageDblClick
    OnMouseMove = FormMouseMove
    OnMouseUp = QuillonIconImageMouseUp
  end
  object DragDropPopupMenu: TTBPopupMenu
    OnPopup = DragPopupMenuPopup
    object RevalidateLastDocumentPopup: TTBItem
      Caption = '&Revalidate Last Document'
      ShortCut = 123
      Options = [tboDefault]
      OnClick = RevalidateLastDocumentPopupClick
    end
    object DragDropSep1: TTBSeparatorItem
    end
    object HideDragDropWindowPopup: TTBItem
      Caption = '&Hide Window'
      OnClick = HideDragDropWindowPopupClick
    end
    object DragDropSep2: TTBSeparatorItem
    end
    object DragDropUseToolPopup: TTBItem
      Caption = 'Use Selected &Tool on Dropped Files'
      ShortCut = 16496
      OnClick = DragDropUseToolPopupClick
    end
    object DragDropUseValidatorPopup: TTBItem
      Caption = 'Use &Validator on Dropped Files'
      ShortCut = 16497
      OnClick = DragDropUseValidatorPopupClick
    end
    object DragDropSep3: TTBSeparatorItem
    end
    object DragDropOptionsPopup: TTBItem
      Caption = '&Drag and Drop Options...'
      ShortCut = 16498
      OnClick = DragDropOptionsPopupClick
    end
    object DragDropValidatorEngineOptions: TTBItem
      Caption = 'Validator &Engine Options'
      ShortCut = 16499
      OnClick = DragDropValidatorEngineOptionsClick
    end
    object DragDropHTMLConfigurationEditor: TTBItem
      Caption = 'C&onfiguration Editor...'
      ShortCut = 16500
      OnClick = DragDropHTMLConfigurationEditorClick
    end
    object DragDropBatchWizardSep: TTBSeparatorItem
    end
    object DragDropBatchWizard: TTBItem
      Caption = '&Batch Wizard'
      ShortCut = 113
      OnClick = DragDropBatchWizardClick
    end
  end
end
