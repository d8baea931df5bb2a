// The suite's hidden message windows, Ctrl+Tab tab control, lean speed buttons and transparent picture drawing.
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Colors.h"
#include "platform/win/VirtualKeys.h"
#include "suitebase/Smallcontrols.h"
#include "tests/support/Forms.h"

using namespace Dccommon;

namespace {

class TTarget : public TObject {
public:
  std::vector<UINT> Handled;
  int Defaults = 0;
  void Dispatch(TMessage& M) override {
    if (M.Msg == WM_USER + 1) {
      Handled.push_back(M.Msg);
      M.Result = 11;
      return;
    }
    TObject::Dispatch(M);
  }
  void DefaultHandler(TMessage&) override { ++Defaults; }
};

class SmallControlsTest : public TestSupport::TFormTest {};

TEST_F(SmallControlsTest, AHandleObjectHandsItsMessagesToItsTarget) {
  TTarget Target;
  ZEZHandleObject Object(&Target);
  ASSERT_TRUE(IsWindow(Object.Handle()));
  EXPECT_EQ(SendMessage(Object.Handle(), WM_USER + 1, 0, 0), 11);
  const int Before = Target.Defaults;
  SendMessage(Object.Handle(), WM_USER + 2, 0, 0);
  EXPECT_EQ(Target.Defaults, Before + 1);  // no handler: the target's default handler
  Object.PostMsg(WM_USER + 1, 0, 0);
  Harness::RunUntilIdle();
  EXPECT_EQ(Target.Handled.size(), 2u);
  ZEZHandleObject Lonely(nullptr);
  EXPECT_EQ(SendMessage(Lonely.Handle(), WM_USER + 1, 0, 0), 0);
}

TEST_F(SmallControlsTest, CtrlTabCyclesTheTabsOfTheControlHoldingTheFocus) {
  auto* Tabs = TestSupport::Make<ZEZTabControl>(Form, Form, TRect{0, 0, 300, 200});
  Tabs->Tabs()->Add("One");
  Tabs->Tabs()->Add("Two");
  Tabs->SetTabIndex(0);
  auto* Inner = TestSupport::Make<TEdit>(Form, Tabs, TRect{10, 40, 100, 60});
  auto* Outside = TestSupport::Make<TEdit>(Form, Form, TRect{10, 210, 100, 230});
  int Changes = 0;
  Tabs->OnChange = [&](TObject*) { ++Changes; };
  Form->Show();
  Inner->SetFocus();
  Harness::RunUntilIdle();
  Harness::KeyPress(VK_TAB, {.Ctrl = true});
  Harness::RunUntilIdle();
  EXPECT_EQ(Tabs->TabIndex(), 1);
  EXPECT_EQ(Changes, 1);
  Harness::KeyPress(VK_TAB, {.Shift = true, .Ctrl = true});
  Harness::RunUntilIdle();
  EXPECT_EQ(Tabs->TabIndex(), 0);
  Outside->SetFocus();
  Harness::RunUntilIdle();
  Harness::KeyPress(VK_TAB, {.Ctrl = true});
  Harness::RunUntilIdle();
  EXPECT_EQ(Tabs->TabIndex(), 0);
}

TEST_F(SmallControlsTest, SpeedButtonsHearEveryGlyphChangeAndGoFlatTogether) {
  auto* A = TestSupport::Make<ZEZSpeedButton>(Form, Form, TRect{0, 0, 20, 20});
  auto* B = TestSupport::Make<ZEZSpeedButton>(Form, Form, TRect{20, 0, 40, 20});
  TBitmap G;
  G.SetSize(16, 16);
  A->SetGlyph(&G);
  EXPECT_GE(A->GlyphChanges(), 1);
  EXPECT_EQ(A->Glyph()->Width(), 16);
  SetFlatPropToAll(Form, true);
  EXPECT_TRUE(A->Flat());
  EXPECT_TRUE(B->Flat());
}

TEST(SmallControls, BitmapsAreDrawnStretchedWithoutTheirTransparentColour) {
  TBitmap Picture;
  Picture.SetSize(2, 2);
  Picture.Canvas()->Brush()->SetColor(clRed);
  Picture.Canvas()->FillRect(TRect{0, 0, 2, 2});
  Picture.Canvas()->SetPixels(1, 1, clLime);  // red (the top-left pixel) is transparent
  TBitmap Out;
  Out.SetSize(20, 20);
  Out.Canvas()->Brush()->SetColor(clWhite);
  Out.Canvas()->FillRect(TRect{0, 0, 20, 20});
  DrawImage(Out.Canvas(), &Picture, clBlue, TRect{4, 4, 8, 8}, 0);
  const HDC DC = Out.Canvas()->Handle();
  EXPECT_EQ(GetPixel(DC, 4, 4), 0x00FF0000u);  // transparent: the back colour
  EXPECT_EQ(GetPixel(DC, 7, 7), 0x0000FF00u);  // the green pixel, stretched
  EXPECT_EQ(GetPixel(DC, 6, 6), 0x0000FF00u);
  EXPECT_EQ(GetPixel(DC, 2, 2), 0x00FFFFFFu);  // outside the rectangle
  TPersistent Other;
  DrawImage(Out.Canvas(), &Other, clBlack, TRect{0, 0, 4, 4}, 0);
  EXPECT_EQ(GetPixel(DC, 1, 1), 0x00FFFFFFu);
}

}  // namespace
