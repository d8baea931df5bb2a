object ZUBEditorMessageWindow: TZUBEditorMessageWindow
  Left = 0
  Top = 0
  Width = 120
  Height = 40
  Caption = 'ZUB Editor Message Window'
  OnCreate = FormCreate
end
