inherited TestForm2: TTestForm2
  Caption = 'Derived'
  inherited Button1: TTestButton
    Caption = 'Go'
  end
  object Button3: TTestButton
    Buddy = Button2
    OnClick = Button3Click
  end
end
