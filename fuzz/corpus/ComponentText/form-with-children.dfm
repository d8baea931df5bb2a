object TestForm: TTestForm
  Caption = 'Main'
  object Button1: TTestButton
    Caption = 'OK'
    Buddy = Button2
    OnClick = Button1Click
  end
  object Button2: TTestButton
    Tag = 7
    Caption = 'Cancel'
    Buddy = Button1
  end
end
