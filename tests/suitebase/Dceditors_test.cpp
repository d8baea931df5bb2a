// Inner editors of the drop-down edit: the check box's texts and read-only frames, the colour display's swatch and
// refusals, and the colour list.
#include "platform/graphics/Colors.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/ListControls.h"
#include "platform/win/VirtualKeys.h"
#include "suitebase/Dceditors.h"
#include "tests/support/Forms.h"
#include "tests/support/UnitsEnvironment.h"

using namespace Dcedit;

namespace {

class EditorsTest : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    Form->Show();
  }
};

TEST_F(EditorsTest, CheckBoxTextsAndReadOnlyFrames) {
  auto* Frame = TestSupport::Make<ZEZEdit>(Form, Form, TRect{10, 10, 131, 31});
  Frame->SetEditClass("TCheckEdit");
  auto* Check = dynamic_cast<TCheckEdit*>(Frame->Edit());
  ASSERT_TRUE(Check);
  struct TCase {
    const char* Text;
    bool Checked;
  } Cases[] = {{"yes", true}, {"no", false}, {"True", true}, {"false", false}, {"Y", true}, {"", false}};
  for (const TCase& C : Cases) {
    Check->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(C.Text));
    EXPECT_EQ(Check->Checked(), C.Checked) << C.Text;
    EXPECT_EQ(Frame->GetText(), C.Checked ? "True" : "False");
  }
  Check->ChangeChecked();
  EXPECT_TRUE(Check->Checked());
  EXPECT_EQ(Frame->EditSource()->GetValue(), "True");  // the toggle commits
  Frame->AccelCaption = "&Visible";
  Frame->Perform(CM_DIALOGCHAR, 'v', 0);  // its accelerator clicks it
  EXPECT_FALSE(Check->Checked());
  EXPECT_EQ(Frame->Perform(CM_DIALOGCHAR, 'x', 0), 0);
  Frame->SetReadOnly(true);
  Check->ChangeChecked();
  EXPECT_FALSE(Check->Checked());
}

TEST_F(EditorsTest, AColourDisplayPaintsItsSwatchAndRefusesOtherNames) {
  auto* Frame = TestSupport::Make<ZEZColorEdit>(Form, Form, TRect{10, 40, 160, 61});
  ASSERT_TRUE(dynamic_cast<TColorEdit*>(Frame->Edit()));
  EXPECT_TRUE(Frame->DropOnClick);
  Frame->SetSelectedColor(clRed);
  EXPECT_EQ(Frame->GetText(), "clRed");
  EXPECT_EQ(Frame->SelectedColor(), clRed);
  TBitmap B;
  B.SetSize(Frame->Edit()->Width(), Frame->Edit()->Height());
  Frame->Edit()->Perform(CM_PAINTTO, reinterpret_cast<WPARAM>(B.Canvas()), 0);
  EXPECT_EQ(GetPixel(B.Canvas()->Handle(), 10, B.Height() / 2), 0x000000FFu);  // the swatch
  EXPECT_EQ(GetPixel(B.Canvas()->Handle(), 2, 2), 0u);                         // its black frame
  bool Text = false;
  for (int X = 28; X < B.Width() && !Text; ++X) {
    for (int Y = 0; Y < B.Height() && !Text; ++Y) {
      Text = GetPixel(B.Canvas()->Handle(), X, Y) != GetPixel(B.Canvas()->Handle(), B.Width() - 1, 0);
    }
  }
  EXPECT_TRUE(Text);  // "Red" is drawn right of it
  EXPECT_THROW(Frame->SetText("clNoSuchColour"), EConvertError);
  EXPECT_EQ(Frame->GetText(), "clRed");
}

TEST_F(EditorsTest, TheColourListHoldsFortyTwoColours) {
  auto* Frame = TestSupport::Make<ZEZColorEdit>(Form, Form, TRect{10, 40, 160, 61});
  auto* List = dynamic_cast<TPopupColorBox*>(Frame->PopupWindow());
  ASSERT_TRUE(List);
  List->BuildList();
  ASSERT_EQ(List->Items()->Count(), 42);
  EXPECT_EQ(List->Items()->Strings(0), "clBlack");
  EXPECT_EQ(List->Items()->Strings(9), "clRed");
  EXPECT_EQ(List->Items()->Strings(16), "clScrollBar");
  EXPECT_EQ(List->Items()->Strings(40), "clInfoBk");
  EXPECT_EQ(List->Items()->Strings(41), "clNone");
  Frame->SetSelectedColor(clBlue);
  Frame->SetDroppedDown(true);
  EXPECT_EQ(List->ItemIndex(), 12);
  List->SetItemIndex(10);
  Frame->CloseDropped(true);
  EXPECT_EQ(Frame->SelectedColor(), clLime);
}

TEST_F(EditorsTest, PenAndBrushStylesByName) {
  auto* Pen = TestSupport::Make<ZEZPenStyleEdit>(Form, Form, TRect{10, 70, 160, 91});
  auto* Brush = TestSupport::Make<ZEZBrushStyleEdit>(Form, Form, TRect{10, 100, 160, 121});
  ASSERT_TRUE(dynamic_cast<TPenStyleEdit*>(Pen->Edit()));
  ASSERT_TRUE(dynamic_cast<TBrushStyleEdit*>(Brush->Edit()));
  EXPECT_EQ(Pen->PenStyle(), psSolid);
  Pen->SetPenStyle(psDash);
  EXPECT_EQ(Pen->GetText(), "psDash");
  EXPECT_THROW(Pen->SetText("psNothing"), EConvertError);
  EXPECT_EQ(Pen->PenStyle(), psDash);
  auto* PenList = dynamic_cast<TPopupPenBox*>(Pen->PopupWindow());
  ASSERT_TRUE(PenList);
  Pen->SetDroppedDown(true);
  EXPECT_EQ(PenList->Items()->Count(), 7);
  EXPECT_EQ(PenList->ItemIndex(), 1);
  PenList->SetItemIndex(2);
  Pen->CloseDropped(true);
  EXPECT_EQ(Pen->PenStyle(), psDot);

  Brush->SetBrushStyle(bsCross);
  auto* BrushList = dynamic_cast<TPopupBrushBox*>(Brush->PopupWindow());
  ASSERT_TRUE(BrushList);
  Brush->SetDroppedDown(true);
  EXPECT_EQ(BrushList->Items()->Strings(BrushList->ItemIndex()), "Cross");
  BrushList->SetItemIndex(1);
  Brush->CloseDropped(true);
  EXPECT_EQ(Brush->BrushStyle(), bsClear);
  TBitmap B;
  B.SetSize(Brush->Edit()->Width(), Brush->Edit()->Height());
  Brush->Edit()->Perform(CM_PAINTTO, reinterpret_cast<WPARAM>(B.Canvas()), 0);
  EXPECT_EQ(GetPixel(B.Canvas()->Handle(), 10, B.Height() / 2), ColorToRGB(clInfoBk));  // "Clear": a plain field
}

// The dropped lists draw a swatch per row: the colour itself, a pen-style line, a brush pattern.
TEST_F(EditorsTest, TheStyleListsDrawTheirSwatches) {
  auto* Colour = TestSupport::Make<ZEZColorEdit>(Form, Form, TRect{10, 40, 160, 61});
  auto* Pen = TestSupport::Make<ZEZPenStyleEdit>(Form, Form, TRect{10, 70, 160, 91});
  auto* Brush = TestSupport::Make<ZEZBrushStyleEdit>(Form, Form, TRect{10, 100, 160, 121});
  const std::string File = ::testing::TempDir() + "/swatches.png";
  auto Picture = [&](TCustomDCEdit* Frame) {
    Frame->SetDroppedDown(true);
    Harness::RunUntilIdle();
    Harness::TSavedImage Image;
    EXPECT_TRUE(Harness::SaveWindowPng(Frame->PopupWindow()->Handle(), File));
    EXPECT_TRUE(Harness::LoadPng(File, Image));
    return Image;
  };
  // Where the list's client area starts in its window's picture.
  auto Origin = [](TWinControl* List) {
    TRect W{};
    GetWindowRect(List->Handle(), &W);
    const TPoint C = List->ClientToScreen(TPoint{0, 0});
    return TPoint{C.X - W.Left, C.Y - W.Top};
  };
  auto RGB = [](TColor Color) {
    const TColor C = ColorToRGB(Color);
    return static_cast<std::uint32_t>(((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF));
  };
  auto At = [](const Harness::TSavedImage& Image, TPoint O, int X, int Y) {
    return Image.At(O.X + X, O.Y + Y) & 0xFFFFFFu;
  };

  // Rows of colours: a black frame around the item's colour (the rows below the selected one).
  Colour->SetSelectedColor(clBlack);
  auto* ColourList = static_cast<TPopupColorBox*>(Colour->PopupWindow());
  Harness::TSavedImage Image = Picture(Colour);
  TPoint O = Origin(ColourList);
  for (int I = 1; I <= 3; ++I) {
    const TRect R = ColourList->ItemRect(I);
    const auto Want = static_cast<TColor>(reinterpret_cast<std::uintptr_t>(ColourList->Items()->Objects(I)));
    EXPECT_EQ(At(Image, O, R.Left + 12, (R.Top + R.Bottom) / 2), RGB(Want)) << I;
    EXPECT_EQ(At(Image, O, R.Left + 2, (R.Top + R.Bottom) / 2), 0u) << I;  // the frame
  }
  Colour->CloseDropped(false);

  // A pen swatch is a black line through the middle across the row (no names): solid has no gaps, dashes have.
  Pen->SetPenStyle(psSolid);
  auto* PenList = static_cast<TPopupPenBox*>(Pen->PopupWindow());
  Image = Picture(Pen);
  O = Origin(PenList);
  auto BlackRun = [&](int Row) {
    const TRect R = PenList->ItemRect(Row);
    const int Y = (R.Top + 2 + R.Bottom - 2) / 2;
    int Black = 0;
    for (int X = R.Left + 2; X < PenList->ClientWidth() - 3; ++X) {
      Black += At(Image, O, X, Y) == 0 ? 1 : 0;
    }
    return Black;
  };
  const int Width = PenList->ClientWidth() - 5;
  EXPECT_GE(BlackRun(0), Width - 1);
  EXPECT_LT(BlackRun(1), Width - 4);
  EXPECT_GT(BlackRun(1), Width / 3);
  Pen->CloseDropped(false);

  // Brush rows: "Solid" is all black inside its frame, "Clear" all info background.
  Brush->SetBrushStyle(bsSolid);
  auto* BrushList = static_cast<TPopupBrushBox*>(Brush->PopupWindow());
  Image = Picture(Brush);
  O = Origin(BrushList);
  const TRect B0 = BrushList->ItemRect(0);
  const TRect B1 = BrushList->ItemRect(1);
  EXPECT_EQ(At(Image, O, B0.Left + 12, (B0.Top + B0.Bottom) / 2), 0u);
  EXPECT_EQ(At(Image, O, B1.Left + 12, (B1.Top + B1.Bottom) / 2), RGB(clInfoBk));
  Brush->CloseDropped(false);
}

TEST_F(EditorsTest, ADateEditTakesTheButtonsAwayAndCommitsNoValueForAnEmptyText) {
  auto* Frame = TestSupport::Make<ZEZEdit>(Form, Form, TRect{10, 130, 160, 151});
  Frame->SetEditorClass(ZEZDateEdit::StaticClass());
  auto* Date = dynamic_cast<ZEZDateEdit*>(Frame->Edit());
  ASSERT_TRUE(Date);
  EXPECT_EQ(Frame->NumButtons(), 0);
  EXPECT_EQ(Frame->Edit()->Width(), Frame->ClientWidth());
  const std::string Day = DateToStr(EncodeDate(2024, 2, 29));
  Frame->SetText(Day);
  EXPECT_EQ(Frame->GetText(), Day);
  EXPECT_TRUE(Date->Checked());
  Frame->Term();
  EXPECT_EQ(Frame->EditSource()->GetValue(), Day);
  Frame->SetText("");
  Frame->Term();
  EXPECT_EQ(Frame->EditSource()->GetValue(), "");
  EXPECT_FALSE(Date->Checked());
  EXPECT_EQ(Date->Perform(CB_GETDROPPEDSTATE, 0, 0), 0);
}

TEST_F(EditorsTest, RadioBoxesIgnoreSpaceWhenCheckedAndCtrlClickOpensTheColourEditor) {
  auto* Frame = TestSupport::Make<ZEZEdit>(Form, Form, TRect{10, 160, 131, 181});
  Frame->SetEditorClass(TRadioEdit::StaticClass());
  auto* Radio = static_cast<TRadioEdit*>(Frame->Edit());
  Radio->SetFocus();
  Harness::RunUntilIdle();
  Harness::KeyPress(' ');
  Harness::RunUntilIdle();
  EXPECT_TRUE(Radio->Checked());
  Harness::KeyPress(' ');
  Harness::RunUntilIdle();
  EXPECT_TRUE(Radio->Checked());

  std::string Asked;
  Dorazori::CallPropEditProc = [&](TPersistent*, const std::string& Name) { Asked = Name; };
  auto* Colour = TestSupport::Make<ZEZColorEdit>(Form, Form, TRect{10, 190, 160, 211});
  Harness::RunUntilIdle();
  Colour->SetFocus();
  Harness::RunUntilIdle();
  Harness::Click(Colour->Edit()->Handle(), TPoint{5, 5}, Harness::TButton::Left, {.Ctrl = true});
  Harness::RunUntilIdle();
  EXPECT_EQ(Asked, "SelectedColor");
  Dorazori::CallPropEditProc = nullptr;

  UnRegisterBooleanEditor();
  Frame->SetEditClass("TCheckEdit");
  EXPECT_TRUE(dynamic_cast<ZEZSimpleEdit*>(Frame->Edit()));  // no longer an editor class
  RegisterValueEditors();
}

// A picture display of a red picture.
class TRedPicture : public TGraphEdit {
  Z_CLASS(TRedPicture, TGraphEdit)
public:
  explicit TRedPicture(TComponent* AOwner) : TGraphEdit(AOwner) {
    Picture.SetSize(4, 4);
    Picture.Canvas()->Brush()->SetColor(clRed);
    Picture.Canvas()->FillRect(TRect{0, 0, 4, 4});
  }
  TGraphic* GetGraphic() override { return &Picture; }
  TBitmap Picture;
};
Z_IMPLEMENT_CLASS(TRedPicture, TGraphEdit)

TEST_F(EditorsTest, APictureShowsOnlyInsideAPropertyEditorFrame) {
  auto* Plain = TestSupport::Make<ZEZEdit>(Form, Form, TRect{10, 10, 131, 31});
  auto* Prop = TestSupport::Make<TCustomDCPropEditor>(Form, Form, TRect{10, 40, 131, 61});
  Plain->SetEditorClass(TRedPicture::StaticClass());
  Prop->SetEditorClass(TRedPicture::StaticClass());
  for (auto [Frame, Red] : {std::pair<TCustomDCEdit*, bool>{Plain, false}, {Prop, true}}) {
    TWinControl* E = Frame->Edit();
    E->SetColor(clWhite);
    TBitmap B;
    B.SetSize(E->Width(), E->Height());
    E->Perform(CM_PAINTTO, reinterpret_cast<WPARAM>(B.Canvas()), 0);
    EXPECT_EQ(GetPixel(B.Canvas()->Handle(), B.Width() / 2, B.Height() / 2), Red ? 0x000000FFu : 0x00FFFFFFu);
  }
}

}  // namespace
