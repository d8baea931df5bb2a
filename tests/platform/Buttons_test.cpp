// Bitmap buttons (kinds with their captions and modal results), speed buttons (groups that keep one button down,
// clicks with the mouse, the glyph image drawn for each state) and radio groups (buttons made from the items, the
// checked item, clicks, columns, and groups read from form files).
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/TestHarness.h"
#include "tests/support/Forms.h"
#include "platform/graphics/Colors.h"
#include "platform/win/NativeControls.h"
#include "platform/win/WinMenu.h"
#include "GdiTestUtil.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

using TestSupport::Make;

class Buttons : public TestSupport::TFormTest {};

TEST_F(Buttons, BitBtnKindsGiveCaptionsAndModalResults) {
  struct {
    TBitBtnKind Kind;
    const char* Caption;
    TModalResult Result;
  } const Cases[] = {{bkOK, "OK", mrOk},         {bkCancel, "Cancel", mrCancel}, {bkHelp, "&Help", mrNone},
                     {bkYes, "&Yes", mrYes},     {bkNo, "&No", mrNo},             {bkClose, "&Close", mrNone},
                     {bkAbort, "Abort", mrAbort}, {bkRetry, "&Retry", mrRetry},   {bkIgnore, "&Ignore", mrIgnore},
                     {bkAll, "&All", mrAll}};
  for (auto& C : Cases) {
    auto* B = Make<TBitBtn>(Form, Form, Rect(0, 0, 75, 25));
    B->SetKind(C.Kind);
    EXPECT_EQ(B->Caption(), C.Caption) << C.Kind;
    EXPECT_EQ(B->ModalResult, C.Result) << C.Kind;
    EXPECT_EQ(B->Default(), C.Kind == bkOK) << C.Kind;
    EXPECT_EQ(B->Cancel, C.Kind == bkCancel) << C.Kind;
    delete B;
  }
  // Back to custom, the button keeps what the kind gave it; NumGlyphs stays within 1 .. 4.
  auto* B = Make<TBitBtn>(Form, Form, Rect(0, 0, 75, 25));
  B->SetKind(bkYes);
  B->SetKind(bkCustom);
  EXPECT_EQ(B->Caption(), "&Yes");
  B->SetNumGlyphs(9);
  EXPECT_EQ(B->NumGlyphs(), 4);
  B->SetNumGlyphs(0);
  EXPECT_EQ(B->NumGlyphs(), 1);
}

TEST_F(Buttons, BitBtnsEndModalFormsAndACloseButtonClosesIt) {
  auto* Yes = Make<TBitBtn>(Form, Form, Rect(10, 10, 85, 35));
  Yes->SetKind(bkYes);
  PostMessage(Yes->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Form->ShowModal(), mrYes);
  auto* Close = Make<TBitBtn>(Form, Form, Rect(90, 10, 165, 35));
  Close->SetKind(bkClose);
  int Clicks = 0;
  Close->OnClick = [&](TObject*) { ++Clicks; };
  PostMessage(Close->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Form->ShowModal(), mrCancel);
  EXPECT_EQ(Clicks, 1);
  EXPECT_FALSE(Form->Visible());
}

TEST_F(Buttons, RadioGroupsCheckOneItemAndReportClicks) {
  auto* Group = Make<TRadioGroup>(Form, Form, Rect(10, 10, 210, 110));
  int Clicks = 0;
  Group->OnClick = [&](TObject*) { ++Clicks; };
  Group->Items()->SetCommaText("Red,Green,Blue");
  Group->SetColumns(2);
  ASSERT_EQ(Group->ButtonCount(), 3);
  EXPECT_EQ(Group->Buttons(2)->Caption(), "Blue");
  // Two columns: Red and Green above each other, Blue to their right.
  EXPECT_EQ(Group->Buttons(0)->Left(), Group->Buttons(1)->Left());
  EXPECT_LT(Group->Buttons(0)->Top(), Group->Buttons(1)->Top());
  EXPECT_GT(Group->Buttons(2)->Left(), Group->Buttons(0)->Left() + 50);
  EXPECT_EQ(Group->Buttons(2)->Top(), Group->Buttons(0)->Top());
  Group->SetItemIndex(1);
  EXPECT_TRUE(Group->Buttons(1)->Checked());
  EXPECT_EQ(Clicks, 0);  // set in code: no OnClick
  SendMessage(Group->Buttons(2)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Group->ItemIndex(), 2);
  EXPECT_FALSE(Group->Buttons(1)->Checked());
  EXPECT_EQ(Clicks, 1);
  SendMessage(Group->Buttons(2)->Handle(), BM_CLICK, 0, 0);  // already checked
  EXPECT_EQ(Clicks, 1);
  // Out of range: clamped; items dropped under the checked one: none checked.
  Group->SetItemIndex(7);
  EXPECT_EQ(Group->ItemIndex(), 2);
  Group->Items()->Delete(2);
  EXPECT_EQ(Group->ButtonCount(), 2);
  EXPECT_EQ(Group->ItemIndex(), -1);
  Group->SetEnabled(false);
  EXPECT_FALSE(Group->Buttons(0)->Enabled());
}

TEST_F(Buttons, RadioGroupsAndBitBtnsComeFromFormFiles) {
  RegisterClasses({TRadioGroup::StaticClass(), TBitBtn::StaticClass()});
  const std::string Text =
      "object Form1: TForm\r\n"
      "  object Units: TRadioGroup\r\n"
      "    Caption = 'Units'\r\n"
      "    ItemIndex = 1\r\n"
      "    Items.Strings = (\r\n"
      "      'Pixels'\r\n"
      "      'Points')\r\n"
      "  end\r\n"
      "  object OkBtn: TBitBtn\r\n"
      "    Kind = bkOK\r\n"
      "  end\r\n"
      "end\r\n";
  TStringStream In(Text);
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* Units = dynamic_cast<TRadioGroup*>(Form->FindComponent("Units"));
  auto* Ok = dynamic_cast<TBitBtn*>(Form->FindComponent("OkBtn"));
  ASSERT_TRUE(Units && Ok);
  EXPECT_EQ(Units->ItemIndex(), 1);
  ASSERT_EQ(Units->ButtonCount(), 2);
  EXPECT_TRUE(Units->Buttons(1)->Checked());
  EXPECT_EQ(Ok->Caption(), "OK");
  EXPECT_TRUE(Ok->Default());
  EXPECT_EQ(Ok->ModalResult, mrOk);
}

TEST_F(Buttons, SpeedButtonGroupsKeepOneButtonDown) {
  std::vector<TSpeedButton*> B;
  for (int I = 0; I < 3; ++I) {
    B.push_back(Make<TSpeedButton>(Form, Form, Rect(10 + I * 30, 10, 33 + I * 30, 32)));
  }
  B[0]->SetGroupIndex(1);
  B[1]->SetGroupIndex(1);
  B[0]->SetDown(true);
  B[1]->SetDown(true);
  EXPECT_FALSE(B[0]->Down());
  EXPECT_TRUE(B[1]->Down());
  B[1]->SetDown(false);  // without AllowAllUp one stays down
  EXPECT_TRUE(B[1]->Down());
  B[0]->SetAllowAllUp(true);  // shared by the group
  EXPECT_TRUE(B[1]->AllowAllUp());
  B[1]->SetDown(false);
  EXPECT_FALSE(B[1]->Down());
  B[2]->SetDown(true);  // no group: never down
  EXPECT_FALSE(B[2]->Down());
  B[1]->SetDown(true);
  B[1]->SetGroupIndex(0);  // leaving the group lifts it
  EXPECT_FALSE(B[1]->Down());
}

TEST_F(Buttons, SpeedButtonsClickWhenReleasedOverThem) {
  auto* A = Make<TSpeedButton>(Form, Form, Rect(10, 10, 33, 32));
  auto* Bb = Make<TSpeedButton>(Form, Form, Rect(40, 10, 63, 32));
  A->SetGroupIndex(3);
  Bb->SetGroupIndex(3);
  Strings Log;
  A->OnClick = [&](TObject*) { Log.push_back("A"); };
  Bb->OnClick = [&](TObject*) { Log.push_back("B"); };
  Form->Show();
  Harness::RunUntilIdle();
  Harness::Click(Form->Handle(), Point(20, 20));
  Harness::RunUntilIdle();
  EXPECT_TRUE(A->Down());
  Harness::Click(Form->Handle(), Point(20, 20));  // clicked again: stays down, still a click
  Harness::Click(Form->Handle(), Point(50, 20));
  Harness::RunUntilIdle();
  EXPECT_FALSE(A->Down());
  EXPECT_TRUE(Bb->Down());
  // Pressed over A but released outside: no click, nothing changes.
  Harness::MouseDown(Form->Handle(), Point(20, 20));
  Harness::MouseMove(Form->Handle(), Point(150, 150));
  Harness::MouseUp(Form->Handle(), Point(150, 150));
  Harness::RunUntilIdle();
  EXPECT_EQ(Log, (Strings{"A", "A", "B"}));
  EXPECT_TRUE(Bb->Down());
}

TEST_F(Buttons, SpeedButtonsDrawTheGlyphImageOfTheirState) {
  TBitmap Glyph;
  Glyph.SetSize(16, 8);  // two 8 x 8 images: red (up), blue (disabled)
  Glyph.Canvas()->Brush()->SetColor(clRed);
  Glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
  Glyph.Canvas()->Brush()->SetColor(clBlue);
  Glyph.Canvas()->FillRect(Rect(8, 0, 16, 8));
  Glyph.Canvas()->SetPixels(0, 7, clOlive);  // the transparent colour (bottom-left)
  auto* S = Make<TSpeedButton>(Form, Form, Rect(0, 0, 24, 22));
  S->SetGlyph(&Glyph);
  S->SetNumGlyphs(2);
  S->SetGroupIndex(1);
  TBitmap Out;
  Out.SetSize(24, 22);
  auto Center = [&] {
    S->PaintOn(*Out.Canvas(), Point(0, 0));
    return ColorToRGB(Out.Canvas()->Pixels(12, 11));
  };
  EXPECT_EQ(Center(), ColorToRGB(clRed));
  S->SetEnabled(false);
  EXPECT_EQ(S->State(), bsDisabled);
  EXPECT_EQ(Center(), ColorToRGB(clBlue));
  S->SetEnabled(true);
  S->SetDown(true);  // no down image: the up one, on the down button's face
  EXPECT_EQ(S->State(), bsExclusive);
  EXPECT_EQ(Center(), ColorToRGB(clRed));
  EXPECT_EQ(ColorToRGB(Out.Canvas()->Pixels(3, 3)), ColorToRGB(clBtnHighlight));
}

TEST_F(Buttons, SpeedButtonsAppearOnTheirForm) {
  Form->SetColor(clNavy);
  auto* S = Make<TSpeedButton>(Form, Form, Rect(30, 20, 54, 42));
  Form->Show();
  Harness::RunUntilIdle();
  HDC DC = GetDC(Form->Handle());
  EXPECT_EQ(GetPixel(DC, 42, 31), ColorToRGB(clBtnFace));  // the button's face, painted by the form
  EXPECT_EQ(GetPixel(DC, 60, 31), ColorToRGB(clNavy));     // the form around it
  ReleaseDC(Form->Handle(), DC);
  (void)S;
}

// ---- The owner-drawn bitmap button ------------------------------------------------------------------------------

// A 20 x 10 glyph of two images: red (up) and blue (disabled); its bottom-left pixel (olive) is transparent.
void MakeTwoPartGlyph(TBitmap& Glyph) {
  Glyph.SetSize(20, 10);
  Glyph.Canvas()->Brush()->SetColor(clRed);
  Glyph.Canvas()->FillRect(Rect(0, 0, 10, 10));
  Glyph.Canvas()->Brush()->SetColor(clBlue);
  Glyph.Canvas()->FillRect(Rect(10, 0, 20, 10));
  Glyph.Canvas()->SetPixels(0, 9, clOlive);
}

// The bounding box of the pixels of colour C (empty when none).
TRect BoxOf(const GdiTest::TCanvasDC& DC, TColor C) {
  const COLORREF Want = ColorToRGB(C);
  TRect B{DC.Width(), DC.Height(), 0, 0};
  for (int Y = 0; Y < DC.Height(); ++Y) {
    for (int X = 0; X < DC.Width(); ++X) {
      if (DC.At(X, Y) == Want) {
        B = Rect(std::min<LONG>(B.Left, X), std::min<LONG>(B.Top, Y), std::max<LONG>(B.Right, X + 1),
                 std::max<LONG>(B.Bottom, Y + 1));
      }
    }
  }
  return B.Right > B.Left ? B : TRect{};
}

// The bounding box of the caption's ink: dark pixels inside the frame (the text is smoothed, so few are black).
TRect TextBox(const GdiTest::TCanvasDC& DC) {
  TRect B{DC.Width(), DC.Height(), 0, 0};
  for (int Y = 3; Y < DC.Height() - 3; ++Y) {
    for (int X = 3; X < DC.Width() - 3; ++X) {
      const COLORREF P = DC.At(X, Y);
      if (GetRValue(P) < 0x70 && GetGValue(P) < 0x70 && GetBValue(P) < 0x70) {
        B = Rect(std::min<LONG>(B.Left, X), std::min<LONG>(B.Top, Y), std::max<LONG>(B.Right, X + 1),
                 std::max<LONG>(B.Bottom, Y + 1));
      }
    }
  }
  return B.Right > B.Left ? B : TRect{};
}

// The button as its parent draws it (the native button asks it through WM_DRAWITEM).
void Print(TBitBtn* B, const GdiTest::TCanvasDC& DC) {
  SendMessage(B->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC.DC()), PRF_CLIENT);
}

TEST_F(Buttons, BitBtnsLayTheirGlyphAndCaptionOutByLayoutMarginAndSpacing) {
  TBitmap Glyph;
  MakeTwoPartGlyph(Glyph);
  auto* B = Make<TBitBtn>(Form, Form, Rect(10, 10, 130, 50));
  B->SetCaption("Go");
  B->SetGlyph(&Glyph);
  EXPECT_EQ(B->NumGlyphs(), 2);  // two square images
  B->SetMargin(6);
  B->SetSpacing(5);
  EXPECT_EQ(GetWindowLong(B->Handle(), GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_OWNERDRAW));
  // Inside the raised two-pixel frame: (2, 2) - (118, 38).
  const TRect In = Rect(2, 2, 118, 38);
  const int MidX = In.Left + (In.Width() - 10 + 1) / 2, MidY = In.Top + (In.Height() - 10 + 1) / 2;
  struct {
    TButtonLayout Layout;
    TRect Glyph;
  } const Cases[] = {
      {blGlyphLeft, Rect(In.Left + 6, MidY, In.Left + 16, MidY + 10)},
      {blGlyphRight, Rect(In.Right - 16, MidY, In.Right - 6, MidY + 10)},
      {blGlyphTop, Rect(MidX, In.Top + 6, MidX + 10, In.Top + 16)},
      {blGlyphBottom, Rect(MidX, In.Bottom - 16, MidX + 10, In.Bottom - 6)},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Layout);
    B->SetLayout(C.Layout);
    GdiTest::TCanvasDC DC(120, 40, RGB(1, 2, 3));
    Print(B, DC);
    EXPECT_EQ(BoxOf(DC, clRed), C.Glyph);
    EXPECT_EQ(BoxOf(DC, clOlive), TRect{});  // the transparent pixel shows the face
    EXPECT_EQ(DC.At(C.Glyph.Left, C.Glyph.Bottom - 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(BoxOf(DC, clBlue), TRect{});
    EXPECT_EQ(DC.At(5, 20), ColorToRGB(clBtnFace));  // the face is filled
    // The caption lies Spacing beyond the glyph, on the far side from the margin.
    const TRect Text = TextBox(DC);
    ASSERT_NE(Text, TRect{});
    switch (C.Layout) {
      case blGlyphLeft: EXPECT_GE(Text.Left, C.Glyph.Right + 5); EXPECT_LE(Text.Left, C.Glyph.Right + 7); break;
      case blGlyphRight: EXPECT_LE(Text.Right, C.Glyph.Left - 5); EXPECT_GE(Text.Right, C.Glyph.Left - 7); break;
      case blGlyphTop: EXPECT_GE(Text.Top, C.Glyph.Bottom + 5); break;
      case blGlyphBottom: EXPECT_LE(Text.Bottom, C.Glyph.Top - 5); break;
    }
  }
  // With Margin -1 glyph and caption are centred together.
  B->SetLayout(blGlyphLeft);
  B->SetMargin(-1);
  GdiTest::TCanvasDC DC(120, 40);
  Print(B, DC);
  const TRect G = BoxOf(DC, clRed), Text = TextBox(DC);
  EXPECT_NEAR(G.Left - In.Left, In.Right - Text.Right, 3);
}

TEST_F(Buttons, BitBtnsShowTheirStatesAndKindGlyphs) {
  TBitmap Glyph;
  MakeTwoPartGlyph(Glyph);
  auto* B = Make<TBitBtn>(Form, Form, Rect(10, 10, 130, 50));
  B->SetCaption("Go");
  B->SetGlyph(&Glyph);
  auto Draw = [&](GdiTest::TCanvasDC& DC) { Print(B, DC); };
  GdiTest::TCanvasDC Up(120, 40);
  Draw(Up);
  const TRect UpBox = BoxOf(Up, clRed);
  EXPECT_NE(Up.At(0, 0), ColorToRGB(clWindowFrame));  // neither focused nor default: no dark frame

  // Disabled: the disabled image, and an embossed caption.
  B->SetEnabled(false);
  GdiTest::TCanvasDC Off(120, 40);
  Draw(Off);
  EXPECT_EQ(BoxOf(Off, clBlue), UpBox);
  EXPECT_EQ(BoxOf(Off, clRed), TRect{});
  EXPECT_EQ(TextBox(Off), TRect{});
  EXPECT_NE(BoxOf(Off, clBtnShadow), TRect{});
  // Without a disabled image the glyph's shape is embossed: shadow where it was, highlight one pixel off.
  B->SetNumGlyphs(1);
  GdiTest::TCanvasDC Embossed(120, 40);
  Draw(Embossed);
  EXPECT_EQ(BoxOf(Embossed, clRed), TRect{});
  EXPECT_EQ(BoxOf(Embossed, clBlue), TRect{});
  int Shadow = 0, Light = 0;
  for (int Y = 3; Y < 37; ++Y) {
    for (int X = 3; X < 117; ++X) {
      Shadow += Embossed.At(X, Y) == ColorToRGB(clBtnShadow) ? 1 : 0;
      Light += Embossed.At(X, Y) == ColorToRGB(clBtnHighlight) ? 1 : 0;
    }
  }
  EXPECT_GE(Shadow, 199);  // every pixel of the 20 x 10 image but the transparent one
  EXPECT_GE(Light, 20);    // its lower and right edges, lit
  B->SetEnabled(true);
  B->SetNumGlyphs(2);

  // Pressed: a one-pixel shadow frame, the contents one pixel down and right of where the thinner frame puts them.
  SendMessage(B->Handle(), BM_SETSTATE, TRUE, 0);
  GdiTest::TCanvasDC Down(120, 40);
  Draw(Down);
  SendMessage(B->Handle(), BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(Down.At(0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(BoxOf(Down, clRed).Top, UpBox.Top + 1);
  // Default (the button Return clicks): a dark line round the face.
  B->SetDefault(true);
  EXPECT_EQ(GetWindowLong(B->Handle(), GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_OWNERDRAW));
  GdiTest::TCanvasDC Def(120, 40);
  Draw(Def);
  EXPECT_EQ(Def.At(0, 0), ColorToRGB(clWindowFrame));
  EXPECT_EQ(Def.At(119, 39), ColorToRGB(clWindowFrame));

  // Kinds bring glyphs of their own (transparent ground) while no glyph is set.
  struct {
    TBitBtnKind Kind;
    TColor Ink;
  } const Kinds[] = {{bkOK, clGreen}, {bkCancel, clRed}, {bkYes, clGreen}, {bkAbort, clRed}};
  for (const auto& K : Kinds) {
    auto* KB = Make<TBitBtn>(Form, Form, Rect(10, 60, 130, 100));
    KB->SetKind(K.Kind);
    GdiTest::TCanvasDC DC(120, 40);
    Print(KB, DC);
    EXPECT_NE(BoxOf(DC, K.Ink), TRect{}) << K.Kind;
    EXPECT_EQ(BoxOf(DC, clOlive), TRect{}) << K.Kind;
    delete KB;
  }
}

// The native button paints through its parent and keeps clicks, the keyboard and Default/Cancel working.
class TCountingBitBtn : public TBitBtn {
public:
  using TBitBtn::TBitBtn;
  std::vector<UINT> States;

protected:
  void DrawItem(const DRAWITEMSTRUCT& D) override {
    States.push_back(D.itemState);
    TBitBtn::DrawItem(D);
  }
};

TEST_F(Buttons, OwnerDrawnBitBtnsPaintAndClickAsButtons) {
  auto* Ok = Make<TCountingBitBtn>(Form, Form, Rect(10, 10, 85, 35));
  Ok->SetKind(bkOK);
  auto* Cancel = Make<TBitBtn>(Form, Form, Rect(90, 10, 165, 35));
  Cancel->SetKind(bkCancel);
  Form->Show();
  Harness::RunUntilIdle();
  ASSERT_TRUE(Harness::SaveWindowPng(Form->Handle(), testing::TempDir() + "bitbtn.png"));
  ASSERT_FALSE(Ok->States.empty());  // the widget's paint asked for the face
  SendMessage(Ok->Handle(), BM_SETSTATE, TRUE, 0);
  Ok->States.clear();
  Harness::SaveWindowPng(Form->Handle(), testing::TempDir() + "bitbtn.png");
  ASSERT_FALSE(Ok->States.empty());
  EXPECT_TRUE(Ok->States.back() & ODS_SELECTED);
  SendMessage(Ok->Handle(), BM_SETSTATE, FALSE, 0);

  Harness::Click(Ok->Handle(), Point(20, 10));
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->ModalResult, mrOk);
  Form->ModalResult = mrNone;
  Harness::KeyPress(VK_ESCAPE);  // Cancel
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->ModalResult, mrCancel);
  Form->ModalResult = mrNone;
  Cancel->SetFocus();
  Harness::RunUntilIdle();
  Harness::KeyPress(VK_SPACE);  // the focused button
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->ModalResult, mrCancel);
  Form->ModalResult = mrNone;
  Ok->SetFocus();
  Harness::RunUntilIdle();
  // Focused, the face shows the dotted focus rectangle four pixels in.
  GdiTest::TCanvasDC DC(75, 25);
  Print(Ok, DC);
  int Dots = 0;
  for (int X = 6; X < 69; ++X) {
    Dots += DC.At(X, 4) != ColorToRGB(clBtnFace) ? 1 : 0;
  }
  EXPECT_GE(Dots, 20);
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->ModalResult, mrOk);
}

}  // namespace
