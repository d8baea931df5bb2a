// Menu animation: popups fade or slide in when the desktop's menu animation is on, one animation at a time, and
// end in the same window state as a popup shown without animation.
#include "tests/toolbars/ToolbarTestHost.h"

#include "platform/controls/TestHarness.h"
#include "tests/support/TempFolder.h"
#include "toolbars/Tb2toolbar.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/Desktop.h"
#include "platform/win/Modules.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/WinReg.h"
#include "platform/win/SystemParams.h"
#include "toolbars/Tb2anim.h"
#include "toolbars/Tb2popup.h"
#include "toolbars/Tbskins.h"

#include <gtest/gtest.h>

using namespace TBTest;

namespace {

class Tb2anim : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 400, 300);
    Form->Show();
    Harness::RunUntilIdle();
    Menu = Make<TTBPopupMenu>(Form, "Menu");
    for (const char* C : {"&Open", "&Save", "&Close"}) {
      AddItem(Form, Menu->Items(), C);
    }
  }
  void TearDown() override {
    TBEndAnimation(0);
    SetAnimation(false, false);
    delete Form;
  }
  static void SetAnimation(bool On, bool Fade) {
    SystemParametersInfo(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(static_cast<std::intptr_t>(On)), 0);
    SystemParametersInfo(SPI_SETMENUFADE, 0, reinterpret_cast<void*>(static_cast<std::intptr_t>(Fade)), 0);
  }
  TTBPopupWindow* Open(bool SelectFirst = false) {
    return TBCreatePopup(Menu->Items(), nullptr, nullptr, false, SelectFirst, false, Point(100, 100), tbpaLeft);
  }
  // What a user would see of the window once it has settled.
  struct TState {
    bool Visible = false;
    bool Layered = false;
    bool HasRegion = false;
    TRect Bounds;
    bool operator==(const TState& O) const {
      return Visible == O.Visible && Layered == O.Layered && HasRegion == O.HasRegion && Bounds == O.Bounds;
    }
  };
  static TState StateOf(HWND W) {
    TState S;
    S.Visible = IsWindowVisible(W) != FALSE;
    S.Layered = (GetWindowLong(W, GWL_EXSTYLE) & static_cast<LONG>(WS_EX_LAYERED)) != 0;
    HRGN R = CreateRectRgn(0, 0, 0, 0);
    S.HasRegion = GetWindowRgn(W, R) != ERROR;
    DeleteObject(R);
    GetWindowRect(W, &S.Bounds);
    return S;
  }
  TForm* Form = nullptr;
  TTBPopupMenu* Menu = nullptr;
};

TEST_F(Tb2anim, FadeAndSlideEndInTheStateOfAPlainPopup) {
  TTBPopupWindow* Plain = Open();
  EXPECT_EQ(0, TBAnimatedWindow());
  Harness::RunUntilIdle();
  const TState Expected = StateOf(Plain->Handle());
  delete Plain;
  ASSERT_TRUE(Expected.Visible);
  for (bool Fade : {true, false}) {
    SetAnimation(true, Fade);
    TTBPopupWindow* W = Open();
    ASSERT_EQ(W->Handle(), TBAnimatedWindow()) << Fade;
    EXPECT_EQ(Fade, TBAnimationFades());
    const TState During = StateOf(W->Handle());
    EXPECT_TRUE(During.Visible);
    // A fade makes the window layered; a slide cuts it down to a growing region, empty at first.
    EXPECT_EQ(Fade, During.Layered);
    EXPECT_EQ(!Fade, During.HasRegion);
    ASSERT_TRUE(Harness::RunUntil([] { return TBAnimatedWindow() == 0; }));
    Harness::RunUntilIdle();
    EXPECT_EQ(Expected, StateOf(W->Handle())) << Fade;
    delete W;
  }
}

TEST_F(Tb2anim, PopupOpenedWithItsFirstItemSelectedIsNotAnimated) {
  SetAnimation(true, true);
  TTBPopupWindow* W = Open(true);
  EXPECT_EQ(0, TBAnimatedWindow());
  EXPECT_TRUE(IsWindowVisible(W->Handle()));
  delete W;
}

TEST_F(Tb2anim, OneAnimationAtATimeAndTheFirstEndsWhole) {
  TTBPopupWindow* A = Open(true);
  TTBPopupWindow* B = Open(true);
  ShowWindow(A->Handle(), SW_HIDE);
  ShowWindow(B->Handle(), SW_HIDE);
  TBStartAnimation(A->Handle(), 60000, false, TTBAnimationDirection{tbadDown});
  EXPECT_EQ(A->Handle(), TBAnimatedWindow());
  EXPECT_TRUE(StateOf(A->Handle()).HasRegion);
  TBStartAnimation(B->Handle(), 60000, false, TTBAnimationDirection{tbadRight});
  EXPECT_EQ(B->Handle(), TBAnimatedWindow());
  const TState First = StateOf(A->Handle());
  EXPECT_TRUE(First.Visible);
  EXPECT_FALSE(First.HasRegion);
  // Ending an animation of another window does nothing; ending its own restores it.
  TBEndAnimation(A->Handle());
  EXPECT_EQ(B->Handle(), TBAnimatedWindow());
  TBEndAnimation(B->Handle());
  EXPECT_EQ(0, TBAnimatedWindow());
  EXPECT_FALSE(StateOf(B->Handle()).HasRegion);
  delete B;
  delete A;
}

TEST_F(Tb2anim, PointingIntoTheMenuEndsTheAnimationAtOnce) {
  TTBPopupWindow* W = Open(true);
  ShowWindow(W->Handle(), SW_HIDE);
  SetCursorPos(10, 10);
  TBStartAnimation(W->Handle(), 60000, true, TTBAnimationDirection{});
  ASSERT_EQ(W->Handle(), TBAnimatedWindow());
  const TPoint Inside = W->ClientToScreen(Point(5, 5));
  SetCursorPos(Inside.X, Inside.Y);
  ASSERT_TRUE(Harness::RunUntil([] { return TBAnimatedWindow() == 0; }));
  const TState S = StateOf(W->Handle());
  EXPECT_TRUE(S.Visible);
  EXPECT_FALSE(S.Layered);
  delete W;
}

TEST_F(Tb2anim, WithoutLayeredWindowsAFadeWithADirectionSlides) {
  RegisterModuleExport("user32.dll", "UpdateLayeredWindow", nullptr);
  TBInitLayeredWindows(true);
  TTBPopupWindow* W = Open(true);
  ShowWindow(W->Handle(), SW_HIDE);
  TBStartAnimation(W->Handle(), 60000, true, TTBAnimationDirection{tbadDown});
  EXPECT_FALSE(TBAnimationFades());
  const TState S = StateOf(W->Handle());
  EXPECT_FALSE(S.Layered);
  EXPECT_TRUE(S.HasRegion);
  TBEndAnimation(0);
  RegisterModuleExport("user32.dll", "UpdateLayeredWindow", reinterpret_cast<void*>(&UpdateLayeredWindow));
  TBInitLayeredWindows(true);
  delete W;
}

TEST_F(Tb2anim, LayeredWindowUpdateIsFoundByName) {
  HMODULE User32 = GetModuleHandle("user32.dll");
  ASSERT_NE(nullptr, User32);
  EXPECT_EQ(reinterpret_cast<void*>(&UpdateLayeredWindow), GetProcAddress(User32, "UpdateLayeredWindow"));
}

TEST_F(Tb2anim, SkinnedPopupsShowTheirShadowsOnceFullyShown) {
  auto* Skin = Make<TTBSkin>(Form, "Skin");
  Skin->SetSkinType(tbsOfficeXP);
  Skin->SetOptions(TTBOptions{tboShadow});
  for (bool Animated : {false, true}) {
    SetAnimation(Animated, false);
    TTBPopupWindow* W = Open();
    EXPECT_EQ(DefaultSkin->SkinType(), W->Skin()->SkinType());
    ASSERT_NE(nullptr, W->RightShadow());
    ASSERT_NE(nullptr, W->BottomShadow());
    // While the popup slides in its shadows wait; they come when it stands whole.
    EXPECT_EQ(!Animated, IsWindowVisible(W->RightShadow()->Handle()) != FALSE) << Animated;
    ASSERT_TRUE(Harness::RunUntil([] { return TBAnimatedWindow() == 0; }));
    Harness::RunUntilIdle();
    EXPECT_TRUE(IsWindowVisible(W->RightShadow()->Handle()));
    EXPECT_TRUE(IsWindowVisible(W->BottomShadow()->Handle()));
    const TRect R = W->BoundsRect();
    EXPECT_EQ(R.Right, W->RightShadow()->Left());
    EXPECT_EQ(R.Top + 4, W->RightShadow()->Top());
    EXPECT_EQ(R.Bottom, W->BottomShadow()->Top());
    EXPECT_EQ(R.Left + 4, W->BottomShadow()->Left());
    delete W;
  }
  delete Skin;
}

TEST_F(Tb2anim, PopupMenuSkinFallsBackToTheDefaultSkin) {
  EXPECT_EQ(static_cast<TTBBaseSkin*>(DefaultSkin), Menu->Skin());
  auto* Own = Make<TTBSkin>(nullptr, "Own");
  Own->SetSkinType(tbsWindowsXP);
  Menu->SetSkin(Own);
  EXPECT_EQ(Own, Menu->Items()->Skin());
  TTBPopupWindow* W = Open();
  EXPECT_EQ(Own, W->Skin());
  delete W;
  Menu->SetSkin(nullptr);
  EXPECT_EQ(static_cast<TTBBaseSkin*>(DefaultSkin), Menu->Skin());
  Menu->SetSkin(Own);
  delete Own;
  EXPECT_EQ(static_cast<TTBBaseSkin*>(DefaultSkin), Menu->Skin());
  EXPECT_EQ(static_cast<TTBBaseSkin*>(DefaultSkin), Menu->Items()->Skin());
}

TEST_F(Tb2anim, OfficeXPDropDownLooksJoinedToItsButton) {
  auto* Skin = Make<TTBSkin>(Form, "Skin");
  Skin->SetSkinType(tbsOfficeXP);
  auto* Dock = Make<TTBDock>(Form, "Dock");
  Dock->SetParent(Form);
  auto* Bar = Make<TTBToolbar>(Form, "Bar");
  auto* Sub = Make<TTBSubmenuItem>(Form);
  Sub->SetCaption("Menu");
  Bar->Items()->Add(Sub);
  AddItem(Form, Sub, "A much longer entry");
  Bar->SetCurrentDock(Dock);
  Harness::RunUntilIdle();
  Bar->View()->SetSelected(Bar->View()->Find(Sub));
  ASSERT_TRUE(Bar->View()->OpenChildPopup(false));
  auto* P = dynamic_cast<TTBPopupWindow*>(Bar->View()->OpenViewerWindow());
  ASSERT_NE(nullptr, P);
  Harness::RunUntilIdle();
  const TRect B = Bar->View()->Find(Sub)->BoundsRect();
  const TPoint ButtonLeft = Bar->ClientToScreen(Point(B.Left, B.Top));
  TestSupport::TTempFolder Temp;
  const std::string File = Temp.Path() + "/popup.png";
  ASSERT_TRUE(Harness::SaveWindowPng(P->Handle(), File));
  Harness::TSavedImage Image;
  ASSERT_TRUE(Harness::LoadPng(File, Image));
  auto Rgb = [](COLORREF C) { return 0xFF000000u | (GetRValue(C) << 16) | (GetGValue(C) << 8) | GetBValue(C); };
  const int UnderButton = ButtonLeft.X - P->Left() + B.Width() / 2;
  EXPECT_EQ(Rgb(Skin->RGBColor(cImageList)), Image.At(UnderButton, 0));
  EXPECT_EQ(Rgb(Skin->RGBColor(cBorder)), Image.At(Image.Width - 2, 0));
  Bar->View()->CloseChildPopups();
  delete Skin;
}

TEST_F(Tb2anim, PopupsPlayTheMenuPopupSoundWhenTheSchemeHasOne) {
  const TestSupport::TTempFolder Temp("zubq-tb2anim");
  const char* Old = getenv("ZUBQ_REGISTRY_DIR");
  const std::string Saved = Old ? Old : "";
  setenv("ZUBQ_REGISTRY_DIR", Temp.Path().c_str(), 1);
  RegistryResetForTests();
  auto Count = [] {
    int N = 0;
    for (const std::string& S : PlayedSounds()) {
      N += S == "MenuPopup" ? 1 : 0;
    }
    return N;
  };
  const int Before = Count();
  delete Open();
  EXPECT_EQ(Before, Count());  // no sound in the scheme: silence
  HKEY Key = 0;
  ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKey(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\.Default\\MenuPopup\\.Current", &Key));
  const std::string Wave = "menu.wav";
  RegSetValueEx(Key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(Wave.c_str()),
                static_cast<DWORD>(Wave.size() + 1));
  RegCloseKey(Key);
  delete Open();
  delete Open();
  EXPECT_EQ(Before + 2, Count());
  if (Old) {
    setenv("ZUBQ_REGISTRY_DIR", Saved.c_str(), 1);
  } else {
    unsetenv("ZUBQ_REGISTRY_DIR");
  }
  RegistryResetForTests();
}

}  // namespace
