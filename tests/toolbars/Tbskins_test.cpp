// Tests of skins: colour arithmetic, colour sets and options, the default skin and the skin manager, shadow
// darkening, icon shadows, and each look painting hot, pressed, checked and disabled toolbar buttons.
#include "toolbars/Tbskins.h"

#include "platform/controls/TestHarness.h"
#include "tests/toolbars/ToolbarTestHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace TBTest;

namespace {

std::uint32_t Pixel(COLORREF C) {
  return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(C)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(C)) << 8) | GetBValue(C);
}

class Tbskins : public ::testing::Test {
protected:
  void SetUp() override { Harness::Start(); }
};

TEST_F(Tbskins, ColourArithmetic) {
  // (1 - 0.5) * 1 + 0.5 * 2 = 1.5 rounds to even: 2; 0.5 * 3 = 1.5 too, 0.5 * 5 = 2.5 gives 2.
  EXPECT_EQ(BlendColors(RGB(1, 0, 0), RGB(2, 3, 5), 0.5), static_cast<TColor>(RGB(2, 2, 2)));
  EXPECT_EQ(BlendColors(RGB(0, 0, 0), RGB(255, 255, 255), 1.0), static_cast<TColor>(RGB(255, 255, 255)));
  EXPECT_EQ(ColorLighterRGB(RGB(100, 0, 255), 50), static_cast<TColor>(RGB(177, 127, 255)));
  EXPECT_EQ(ColorDarkerRGB(RGB(100, 10, 255), 20), static_cast<TColor>(RGB(80, 0, 235)));
  EXPECT_EQ(BlendColors(clWindow, clWindow, 0.3), static_cast<TColor>(ColorToRGB(clWindow)));
}

TEST_F(Tbskins, ColourSetsAndOptionsFollowTheSkinType) {
  TComponent Owner(nullptr);
  auto* Skin = Make<TTBSkin>(&Owner, "Skin");
  EXPECT_EQ(Skin->SkinType(), tbsOfficeXP);
  EXPECT_EQ(Skin->Colors()->tcSelBar(), BlendColors(clHighlight, clWindow, 0.7));
  EXPECT_EQ(Skin->RGBColor(cSelPushed), static_cast<COLORREF>(BlendColors(clHighlight, clWindow, 0.601)));
  EXPECT_EQ(Skin->Colors()->tcChecked(),
            BlendColors(Skin->Colors()->tcSelPushed(), BlendColors(clBtnFace, clWindow, 0.44), 0.794));
  EXPECT_EQ(Skin->Colors()->GetColor(0), clNone);
  // Not custom: setting a colour changes nothing.
  const TColor Before = Skin->Colors()->tcFace();
  Skin->Colors()->SettcFace(RGB(1, 2, 3));
  EXPECT_EQ(Skin->Colors()->tcFace(), Before);
  // Native XP without visual styles is the Windows XP look and colour set.
  Skin->SetSkinType(tbsNativeXP);
  EXPECT_EQ(Skin->SkinType(), tbsWindowsXP);
  EXPECT_EQ(Skin->ColorSet(), tbcWindowsXP);
  EXPECT_EQ(Skin->Colors()->tcSelItem(), ColorLighter(clHighlight, 13));
  EXPECT_EQ(Skin->Colors()->tcSelPushed(), ColorDarker(Skin->Colors()->tcSelItem(), 20));
  EXPECT_TRUE(Skin->Options().Contains(tboPopupOverlap));
  EXPECT_EQ(tbChevronSize, 12);
  // Office XP again: its colour set, shadow and blended images, and an 11-pixel chevron.
  Skin->SetOptions({});
  Skin->SetSkinType(tbsOfficeXP);
  EXPECT_EQ(Skin->ColorSet(), tbcOfficeXP);
  EXPECT_EQ(Skin->Options(), (TTBOptions{tboShadow, tboBlendedImages}));
  EXPECT_EQ(tbChevronSize, 11);
  EXPECT_EQ(Skin->GetPopupNCSize(), 2);
  // Custom colours stay custom through a change of look, and then the setter acts.
  Skin->SetColorSet(tbcCustom);
  Skin->Colors()->SettcFace(RGB(1, 2, 3));
  EXPECT_EQ(Skin->Colors()->tcFace(), static_cast<TColor>(RGB(1, 2, 3)));
  Skin->SetSkinType(tbsWindowsXP);
  EXPECT_EQ(Skin->ColorSet(), tbcCustom);
  EXPECT_EQ(Skin->RGBColor(cFace), RGB(1, 2, 3));
  EXPECT_EQ(Skin->GetPopupNCSize(), 3);
  delete Skin;
  tbChevronSize = 12;
}

TEST_F(Tbskins, TheDefaultSkinFollowsTheFirstSkinComponent) {
  EXPECT_EQ(DefaultSkin->SkinType(), tbsDisabled);
  TComponent Owner(nullptr);
  auto* First = Make<TTBSkin>(&Owner, "First");
  First->SetSkinType(tbsWindowsXP);
  auto* Second = Make<TTBSkin>(&Owner, "Second");
  EXPECT_TRUE(First->IsDefaultSkin());
  EXPECT_FALSE(Second->IsDefaultSkin());
  EXPECT_EQ(DefaultSkin->SkinType(), tbsWindowsXP);
  First->SetGradient(tbgLeftRight);
  EXPECT_EQ(DefaultSkin->Gradient(), tbgLeftRight);
  // Marking another skin as the default one moves the mark and the default skin's look.
  Second->SetSkinType(tbsOfficeXP);
  EXPECT_EQ(DefaultSkin->SkinType(), tbsWindowsXP);
  Second->SetIsDefaultSkin(true);
  EXPECT_FALSE(First->IsDefaultSkin());
  EXPECT_EQ(DefaultSkin->SkinType(), tbsOfficeXP);
  First->SetIsDefaultSkin(true);
  EXPECT_FALSE(Second->IsDefaultSkin());
  EXPECT_EQ(DefaultSkin->SkinType(), tbsWindowsXP);
  // Removing the default skin makes the next one the default without changing the look.
  delete First;
  EXPECT_TRUE(Second->IsDefaultSkin());
  EXPECT_EQ(DefaultSkin->SkinType(), tbsDisabled);  // the removed skin disabled itself on the way out
  Second->SetSkinType(tbsWindowsXP);
  EXPECT_EQ(DefaultSkin->SkinType(), tbsWindowsXP);
  EXPECT_THROW(TBSkinManager->RemoveSkin(DefaultSkin), ESkinError);
  delete Second;
  EXPECT_EQ(DefaultSkin->SkinType(), tbsDisabled);
  tbChevronSize = 12;
}

TEST_F(Tbskins, ShadowsDarkenTheirStrip) {
  TBitmap B;
  B.SetPixelFormat(pf32bit);
  B.SetSize(4, 20);
  B.Canvas()->Brush()->SetColor(RGB(200, 200, 200));
  B.Canvas()->FillRect(Rect(0, 0, 4, 20));
  OfficeXPShadow(&B, true, false, false, -1, 0);
  // Rows from 2w darken by 60 - 15x; the rows above stay without the first corner.
  EXPECT_EQ(B.Canvas()->Pixels(0, 10), static_cast<TColor>(RGB(140, 140, 140)));
  EXPECT_EQ(B.Canvas()->Pixels(3, 10), static_cast<TColor>(RGB(185, 185, 185)));
  EXPECT_EQ(B.Canvas()->Pixels(0, 2), static_cast<TColor>(RGB(200, 200, 200)));
  // A clip range leaves its rows alone.
  B.Canvas()->FillRect(Rect(0, 0, 4, 20));
  OfficeXPShadow(&B, true, true, false, 9, 12);
  EXPECT_EQ(B.Canvas()->Pixels(0, 10), static_cast<TColor>(RGB(200, 200, 200)));
  EXPECT_EQ(B.Canvas()->Pixels(0, 13), static_cast<TColor>(RGB(140, 140, 140)));
  EXPECT_EQ(B.Canvas()->Pixels(0, 4), static_cast<TColor>(RGB(175, 175, 175)));  // 5*4 - 0 - 40 + 45 = 25
  // Windows XP blends towards a dark grey.
  TBitmap H;
  H.SetPixelFormat(pf32bit);
  H.SetSize(20, 4);
  H.Canvas()->Brush()->SetColor(RGB(200, 200, 200));
  H.Canvas()->FillRect(Rect(0, 0, 20, 4));
  WindowsXPShadow(&H, false, false, false, -1, 0);
  EXPECT_EQ(H.Canvas()->Pixels(8, 0), BlendColors(RGB(200, 200, 200), RGB(30, 30, 30), 0.5));
  EXPECT_EQ(H.Canvas()->Pixels(8, 3), BlendColors(RGB(200, 200, 200), RGB(30, 30, 30), 0.05));
}

TEST_F(Tbskins, AShadowWindowLetsClicksThroughAndKeepsItsDarkenedCopy) {
  // Windowed controls are freed with delete, which destroys their window first.
  auto* Shadow = new TShadow(true, true);
  Shadow->AfterConstruction();
  Shadow->ShadowStyle = sOfficeXP;
  Shadow->SetBounds(100, 100, 4, 40);
  EXPECT_EQ(SendMessage(Shadow->Handle(), WM_NCHITTEST, 0, MAKELONG(101, 110)), HTTRANSPARENT);
  EXPECT_TRUE(GetWindowLong(Shadow->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(Shadow->Prepared());
  Shadow->Prepare();
  EXPECT_TRUE(Shadow->Prepared());
  Shadow->UnPrepare();
  EXPECT_FALSE(Shadow->Prepared());
  const HWND Wnd = Shadow->Handle();
  delete Shadow;
  EXPECT_FALSE(IsWindow(Wnd));
}

TEST_F(Tbskins, IconShadowsFollowTheImageLuminance) {
  TImageList List(nullptr);
  List.SetWidth(2);
  List.SetHeight(1);
  TBitmap Img;
  Img.SetSize(2, 1);
  Img.Canvas()->SetPixels(0, 0, RGB(255, 255, 255));
  Img.Canvas()->SetPixels(1, 0, RGB(1, 1, 1));
  List.Add(&Img, nullptr);
  for (bool Lighter : {false, true}) {
    TBitmap Dest;
    Dest.SetPixelFormat(pf32bit);
    Dest.SetSize(2, 1);
    Dest.Canvas()->Brush()->SetColor(RGB(0, 0, 0));
    Dest.Canvas()->FillRect(Rect(0, 0, 2, 1));
    Dest.Canvas()->Brush()->SetColor(RGB(200, 200, 200));
    Dest.Canvas()->FillRect(Rect(0, 0, 2, 1));
    DrawTBXIconShadow(Dest.Canvas(), Rect(0, 0, 2, 1), &List, 0, Lighter);
    const int Light = GetRValue(ColorToRGB(Dest.Canvas()->Pixels(0, 0)));
    const int Dark = GetRValue(ColorToRGB(Dest.Canvas()->Pixels(1, 0)));
    EXPECT_GT(Light, Dark) << Lighter;
    if (Lighter) {
      EXPECT_GE(Dark, 200 * 87 / 100);  // never more than 13 percent darker
    }
  }
}

// Paints a toolbar of four buttons in a look and probes them: hot, pressed, checked and disabled.
class TbskinsPainting : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 400, 200);
    Host = Make<THost>(Form);
    Host->SetParent(Form);
    Host->SetBounds(10, 10, 300, 40);
    Root = Make<TTBRootItem>(Form, "Root");
    View = new TTBView(Host, nullptr, Root, Host, true, false, true);
    View->AfterConstruction();
    Host->View = View;
    Hot = AddItem(Form, Root, "Hot");
    Pushed = AddItem(Form, Root, "Push");
    Checked = AddItem(Form, Root, "Chk");
    Checked->SetChecked(true);
    Disabled = AddItem(Form, Root, "Dis");
    Disabled->SetEnabled(false);
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override { delete Form; }

  // Saves the host as PNG and reads it back.
  Harness::TSavedImage Shot(const std::string& Name) {
    const std::string File = std::string(ZUBQ_BINARY_DIR) + "/toolbar_" + Name + ".png";
    Harness::RunUntilIdle();
    EXPECT_TRUE(Harness::SaveWindowPng(Host->Handle(), File));
    Harness::TSavedImage Img;
    EXPECT_TRUE(Harness::LoadPng(File, Img));
    return Img;
  }
  // A point inside a button, left of its centred caption.
  static TPoint Inside(TTBItemViewer* V) {
    return TPoint{V->BoundsRect().Left + 3, (V->BoundsRect().Top + V->BoundsRect().Bottom) / 2};
  }
  void MakeHot() {
    View->SetSelected(View->Find(Hot));
    View->SetMouseOverSelected(true);
  }
  void MakePushed() {
    View->SetSelected(View->Find(Pushed));
    View->SetCapture();
    View->SetMouseOverSelected(true);
  }
  std::uint32_t At(const Harness::TSavedImage& Img, TPoint P) { return Img.At(P.X, P.Y); }

  TForm* Form = nullptr;
  THost* Host = nullptr;
  TTBRootItem* Root = nullptr;
  TTBView* View = nullptr;
  TTBItem* Hot = nullptr;
  TTBItem* Pushed = nullptr;
  TTBItem* Checked = nullptr;
  TTBItem* Disabled = nullptr;
};

TEST_F(TbskinsPainting, PlainLookUsesEdges) {
  ASSERT_EQ(View->ActiveSkin(), nullptr);
  const std::uint32_t Face = Pixel(GetSysColor(COLOR_BTNFACE));
  MakeHot();
  auto Img = Shot("plain_hot");
  TTBItemViewer* H = View->Find(Hot);
  EXPECT_EQ(Img.At(H->BoundsRect().Left, H->BoundsRect().Top), Pixel(GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(At(Img, Inside(View->Find(Disabled))), Face);
  MakePushed();
  Img = Shot("plain");
  TTBItemViewer* P = View->Find(Pushed);
  EXPECT_EQ(Img.At(P->BoundsRect().Left, P->BoundsRect().Top), Pixel(GetSysColor(COLOR_BTNSHADOW)));
  TTBItemViewer* C = View->Find(Checked);
  const TPoint In{C->BoundsRect().Left + 2, C->BoundsRect().Top + 2};
  EXPECT_NE(Img.At(In.X, In.Y), Img.At(In.X + 1, In.Y));  // the checked face is dithered
  EXPECT_EQ(Img.At(H->BoundsRect().Left, H->BoundsRect().Top), Face);  // no longer hot
}

// Counts the pixels inside a viewer's rectangle whose every channel is at least (Light) or at most (dark) Level:
// text is smoothed, so its colours show in its darkest and lightest pixels.
int CountIn(const Harness::TSavedImage& Img, const TRect& R, bool Light, int Level) {
  int N = 0;
  for (int Y = R.Top; Y < R.Bottom; ++Y) {
    for (int X = R.Left; X < R.Right; ++X) {
      const std::uint32_t P = Img.At(X, Y);
      const int Ch[] = {int((P >> 16) & 0xFF), int((P >> 8) & 0xFF), int(P & 0xFF)};
      bool All = true;
      for (int C : Ch) {
        All = All && (Light ? C >= Level : C <= Level);
      }
      N += All ? 1 : 0;
    }
  }
  return N;
}

TEST_F(TbskinsPainting, DisabledCaptionsAreEmbossedOnlyInThePlainLook) {
  auto Img = Shot("plain_disabled");
  const TRect R = View->Find(Disabled)->BoundsRect();
  EXPECT_GT(CountIn(Img, R, true, 0xF0), 0);   // the highlight copy
  EXPECT_GT(CountIn(Img, R, false, 0xA0), 0);  // the shadow copy
  auto* Skin = Make<TTBSkin>(Form, "Skin");
  Skin->SetSkinType(tbsOfficeXP);
  View->SetSkin(Skin);
  Img = Shot("officexp_disabled");
  const TRect S = View->Find(Disabled)->BoundsRect();
  EXPECT_EQ(CountIn(Img, S, true, 0xF0), 0);
  EXPECT_GT(CountIn(Img, S, false, 0xA0), 0);
}

TEST_F(TbskinsPainting, OfficeXPLookFillsWithItsColours) {
  auto* Skin = Make<TTBSkin>(Form, "Skin");
  Skin->SetSkinType(tbsOfficeXP);
  View->SetSkin(Skin);
  MakeHot();
  auto Img = Shot("officexp_hot");
  TTBItemViewer* H = View->Find(Hot);
  EXPECT_EQ(At(Img, Inside(H)), Pixel(Skin->RGBColor(cSelBar)));
  EXPECT_EQ(Img.At(H->BoundsRect().Left, H->BoundsRect().Top), Pixel(Skin->RGBColor(cSelBarBorder)));
  MakePushed();
  Img = Shot("officexp");
  EXPECT_EQ(At(Img, Inside(View->Find(Pushed))), Pixel(Skin->RGBColor(cSelPushed)));
  EXPECT_EQ(At(Img, Inside(View->Find(Checked))), Pixel(Skin->RGBColor(cChecked)));
  TTBItemViewer* C = View->Find(Checked);
  EXPECT_EQ(Img.At(C->BoundsRect().Left, C->BoundsRect().Top), Pixel(Skin->RGBColor(cSelBarBorder)));
  EXPECT_EQ(At(Img, Inside(View->Find(Disabled))), Pixel(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(At(Img, Inside(H)), Pixel(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(TbskinsPainting, WindowsXPLooksUseRoundedFaces) {
  for (TTBSkins Type : {tbsWindowsXP, tbsNativeXP}) {
    auto* Skin = Make<TTBSkin>(Form);
    Skin->SetSkinType(Type);
    ASSERT_EQ(Skin->SkinType(), tbsWindowsXP);
    View->SetSkin(Skin);
    View->SetSelected(nullptr);
    View->CancelCapture();
    MakeHot();
    const std::string Name = Type == tbsWindowsXP ? "windowsxp" : "nativexp";
    auto Img = Shot(Name + "_hot");
    TTBItemViewer* H = View->Find(Hot);
    EXPECT_EQ(At(Img, Inside(H)), Pixel(Skin->RGBColor(cSelBar))) << Name;
    EXPECT_EQ(Img.At((H->BoundsRect().Left + H->BoundsRect().Right) / 2, H->BoundsRect().Top),
              Pixel(Skin->RGBColor(cSelBarBorder)))
        << Name;
    // The rounded corner leaves the very corner pixel to the background.
    EXPECT_EQ(Img.At(H->BoundsRect().Left, H->BoundsRect().Top), Pixel(GetSysColor(COLOR_BTNFACE))) << Name;
    MakePushed();
    Img = Shot(Name);
    EXPECT_EQ(At(Img, Inside(View->Find(Pushed))), Pixel(Skin->RGBColor(cSelBar))) << Name;
    EXPECT_EQ(At(Img, Inside(View->Find(Checked))), Pixel(Skin->RGBColor(cChecked))) << Name;
    EXPECT_EQ(At(Img, Inside(View->Find(Disabled))), Pixel(GetSysColor(COLOR_BTNFACE))) << Name;
    View->SetSkin(nullptr);
    delete Skin;
  }
  tbChevronSize = 12;
}

}  // namespace
