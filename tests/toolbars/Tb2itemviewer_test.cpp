// Tests of item viewers: the split of combo buttons, captions and images shown by display mode, and menu lines
// painted plain and in the Office XP look.
#include "tests/toolbars/ToolbarTestHost.h"

#include "platform/controls/TestHarness.h"
#include "toolbars/Tbskins.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace TBTest;

namespace {

std::uint32_t Pixel(COLORREF C) {
  return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(C)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(C)) << 8) | GetBValue(C);
}

class Tb2itemviewer : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 400, 300);
    Host = Make<THost>(Form);
    Host->SetParent(Form);
    Host->SetBounds(10, 10, 200, 100);
    Root = Make<TTBRootItem>(Form, "Root");
  }
  void TearDown() override { delete Form; }
  TTBView* MakeView(bool Toolbar) {
    auto* V = new TTBView(Host, nullptr, Root, Host, Toolbar, false, Toolbar);
    V->AfterConstruction();
    Host->View = V;
    return V;
  }
  Harness::TSavedImage Shot(const std::string& Name) {
    const std::string File = std::string(ZUBQ_BINARY_DIR) + "/menu_" + Name + ".png";
    Harness::RunUntilIdle();
    EXPECT_TRUE(Harness::SaveWindowPng(Host->Handle(), File));
    Harness::TSavedImage Img;
    EXPECT_TRUE(Harness::LoadPng(File, Img));
    return Img;
  }
  TForm* Form = nullptr;
  THost* Host = nullptr;
  TTBRootItem* Root = nullptr;
  TTextMeasure M;
};

TEST_F(Tb2itemviewer, ComboButtonsAreSplitBeforeTheirArrow) {
  TTBView* V = MakeView(true);
  auto* Combo = Make<TTBSubmenuItem>(Form, "Combo");
  Combo->SetCaption("Go");
  Combo->SetDropdownCombo(true);
  Root->Add(Combo);
  auto* Plain = Make<TTBSubmenuItem>(Form, "Plain");
  Plain->SetCaption("Go");
  Plain->SetOptions({tboDropdownArrow});
  Root->Add(Plain);
  V->ValidatePositions();
  TTBItemViewer* C = V->Viewers(0);
  const int W = M.Width("Go") + 12;
  EXPECT_EQ(C->BoundsRect().Width(), W + 11);
  EXPECT_EQ(V->Viewers(1)->BoundsRect().Width(), W + 8);
  EXPECT_TRUE(C->IsPtInButtonPart(W - 1, 5));
  EXPECT_FALSE(C->IsPtInButtonPart(W, 5));
  EXPECT_FALSE(V->Viewers(1)->IsPtInButtonPart(1, 1));  // a plain submenu button only opens
}

TEST_F(Tb2itemviewer, DisplayModesChooseCaptionAndImage) {
  auto* List = Make<TImageList>(Form, "List");
  Root->SetSubMenuImages(List);
  TTBView* V = MakeView(true);
  auto* I = AddItem(Form, Root, "Text");
  I->SetImageIndex(0);
  V->ValidatePositions();
  TTBItemViewer* VW = V->Viewers(0);
  struct {
    TTBItemDisplayMode Mode;
    bool Caption;
    bool Image;
  } const Cases[] = {{nbdmDefault, false, true},
                     {nbdmTextOnly, true, false},
                     {nbdmTextOnlyInMenus, false, true},
                     {nbdmImageAndText, true, true}};
  for (const auto& C : Cases) {
    I->SetDisplayMode(C.Mode);
    EXPECT_EQ(VW->CaptionShown(), C.Caption) << C.Mode;
    EXPECT_EQ(VW->ImageShown(), C.Image) << C.Mode;
  }
  EXPECT_EQ(VW->GetImageList(), List);
}

TEST_F(Tb2itemviewer, DisabledButtonsDrawFromTheDisabledImages) {
  auto Filled = [this](TCustomImageList* L, TColor C) {
    L->SetWidth(8);
    L->SetHeight(8);
    TBitmap B;
    B.SetSize(8, 8);
    B.Canvas()->Brush()->SetColor(C);
    B.Canvas()->FillRect(Rect(0, 0, 8, 8));
    L->Add(&B, nullptr);
    (void)this;
  };
  auto* Main = Make<TTBImageList>(Form, "Main");
  Filled(Main, clRed);
  Root->SetSubMenuImages(Main);
  TTBView* V = MakeView(true);
  auto* I = AddItem(Form, Root, "");
  I->SetImageIndex(0);
  I->SetEnabled(false);
  Form->Show();
  auto Img = Shot("disabled_image_greyed");
  const TRect R = V->Viewers(0)->BoundsRect();
  const TPoint Mid{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
  EXPECT_NE(Img.At(Mid.X, Mid.Y), Pixel(RGB(255, 0, 0)));  // greyed by the list
  auto* Disabled = Make<TImageList>(Form, "Disabled");
  Filled(Disabled, clLime);
  Main->SetDisabledImages(Disabled);
  V->Invalidate(V->Viewers(0));
  Img = Shot("disabled_image");
  EXPECT_EQ(Img.At(Mid.X, Mid.Y), Pixel(RGB(0, 255, 0)));  // in full colour
}

TEST_F(Tb2itemviewer, MenuLinesPaintPlainAndInOfficeXP) {
  TTBView* V = MakeView(false);
  AddItem(Form, Root, "Open");
  auto* Checked = AddItem(Form, Root, "Wrap");
  Checked->SetChecked(true);
  AddItem(Form, Root, "Close");
  Form->Show();
  V->SetSelected(V->Viewers(0));
  auto Img = Shot("plain");
  const TRect Sel = V->Viewers(0)->BoundsRect();
  EXPECT_EQ(Img.At(Sel.Right - 2, (Sel.Top + Sel.Bottom) / 2), Pixel(GetSysColor(COLOR_HIGHLIGHT)));
  const TRect Other = V->Viewers(2)->BoundsRect();
  EXPECT_EQ(Img.At(Other.Right - 2, (Other.Top + Other.Bottom) / 2), Pixel(GetSysColor(COLOR_BTNFACE)));

  auto* Skin = Make<TTBSkin>(Form, "Skin");
  Skin->SetSkinType(tbsOfficeXP);
  V->SetSkin(Skin);
  V->SetSelected(V->Viewers(0));
  Img = Shot("officexp");
  const TRect S2 = V->Viewers(0)->BoundsRect();
  EXPECT_EQ(Img.At(S2.Right - 3, (S2.Top + S2.Bottom) / 2), Pixel(Skin->RGBColor(cSelItem)));
  EXPECT_EQ(Img.At(S2.Right - 2, S2.Top), Pixel(Skin->RGBColor(cSelItemBorder)));
  const TRect O2 = V->Viewers(2)->BoundsRect();
  EXPECT_EQ(Img.At(O2.Left + 1, (O2.Top + O2.Bottom) / 2), Pixel(Skin->RGBColor(cImageList)));
  // The checked item's box without an image: the selection colour, framed.
  const TRect C2 = V->Viewers(1)->BoundsRect();
  EXPECT_EQ(Img.At(C2.Left + 2, C2.Top + 2), Pixel(Skin->RGBColor(cSelItem)));
  EXPECT_EQ(Img.At(C2.Left + 1, C2.Top + 1), Pixel(Skin->RGBColor(cSelItemBorder)));
  V->SetSkin(nullptr);
}

}  // namespace
