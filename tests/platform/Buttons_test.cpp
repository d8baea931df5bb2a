// Bitmap buttons (kinds with their captions and modal results), speed buttons (groups that keep one button down,
// clicks with the mouse, the glyph image drawn for each state) and radio groups (buttons made from the items, the
// checked item, clicks, columns, and groups read from form files).
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/Colors.h"
#include "platform/win/NativeControls.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

template <class T> T* Make(TComponent* Owner, TWinControl* Parent, TRect Bounds) {
  auto* C = new T(Owner);
  C->AfterConstruction();
  C->SetParent(Parent);
  C->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
  return C;
}

class Buttons : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 320, 240);
  }
  void TearDown() override { delete Form; }
  TForm* Form = nullptr;
};

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

}  // namespace
