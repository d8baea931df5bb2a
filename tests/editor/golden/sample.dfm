object Form1: TForm1
  Left = 192
  Caption = 'Main form'#13'second'
  Font.Height = -11
  Scale = 1.25
  Visible = False
  object Image1: TImage
    Picture.Data = {
      0954426974
      6D6170}
  end
end
