// The animation control (a common clip opened and sized, frames played on the timer once the window exists,
// painted), and a gallery of the masked edit, the date and time pickers and the animation saved as PNG.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Mask.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/DateUtils.h"
#include "platform/win/Clock.h"

#include <gtest/gtest.h>

#include <filesystem>

using Strings = std::vector<std::string>;

namespace {

class Animate : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 360, 240);
  }
  void TearDown() override { delete Form; }
  template <class T> T* Make(TRect Bounds) {
    auto* C = new T(Form);
    C->AfterConstruction();
    C->SetParent(Form);
    C->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    return C;
  }
  TAnimate* MakeAnimate() {
    auto* A = Make<TAnimate>(Rect(8, 8, 108, 88));
    A->OnOpen = [this](TObject*) { Log.push_back("open"); };
    A->OnClose = [this](TObject*) { Log.push_back("close"); };
    A->OnStart = [this](TObject*) { Log.push_back("start"); };
    A->OnStop = [this](TObject*) { Log.push_back("stop"); };
    return A;
  }
  // Lets the frame timer fire Count times (a late timer fires once, as on the platform).
  static void Frames(TManualClock& Clock, int Count) {
    for (int I = 0; I < Count; ++I) {
      Harness::Advance(Clock, 100);
    }
  }
  // The window's pixels, to tell frames apart.
  static std::vector<COLORREF> Pixels(HWND Wnd) {
    TRect R;
    GetClientRect(Wnd, &R);
    HDC DC = GetDC(Wnd);
    std::vector<COLORREF> Out;
    for (int Y = 0; Y < R.Bottom; Y += 2) {
      for (int X = 0; X < R.Right; X += 2) {
        Out.push_back(GetPixel(DC, X, Y));
      }
    }
    ReleaseDC(Wnd, DC);
    return Out;
  }

  TForm* Form = nullptr;
  Strings Log;
};

TEST_F(Animate, ACommonClipOpensWithItsFrameSize) {
  auto* A = MakeAnimate();
  EXPECT_FALSE(A->Open());
  A->SetCommonAVI(aviFindFolder);
  EXPECT_TRUE(A->Open());
  EXPECT_EQ(A->FrameCount(), 8);
  EXPECT_EQ(A->FrameWidth(), 272);
  EXPECT_EQ(A->FrameHeight(), 60);
  EXPECT_EQ(A->Width(), 272);  // AutoSize
  EXPECT_EQ(A->Height(), 60);
  EXPECT_EQ(A->Frame(), 1);
  A->SetCommonAVI(aviNone);
  EXPECT_FALSE(A->Open());
  EXPECT_EQ(A->FrameCount(), 0);
  EXPECT_EQ(Log, (Strings{"open", "close"}));
  // Without AutoSize the control keeps its size; Open reopens the clip it names.
  A->SetAutoSize(false);
  A->SetBounds(8, 8, 300, 100);
  A->SetCommonAVI(aviCopyFiles);
  EXPECT_EQ(A->Width(), 300);
  A->SetOpen(false);
  A->SetOpen(true);
  EXPECT_TRUE(A->Open());
  EXPECT_EQ(A->FrameWidth(), 272);
}

TEST_F(Animate, ActivePlaysOnTheTimerOnceTheControlIsShown) {
  TManualClock Manual;
  TScopedClock Use(Manual);
  auto* A = MakeAnimate();
  A->SetCommonAVI(aviFindFolder);
  A->SetActive(true);
  Harness::Advance(Manual, 500);
  EXPECT_EQ(A->Frame(), 1);  // no window yet
  Form->Show();
  Harness::RunUntilIdle();
  const auto First = Pixels(A->Handle());
  Harness::Advance(Manual, 100);
  EXPECT_EQ(A->Frame(), 2);
  Harness::RunUntilIdle();
  EXPECT_NE(Pixels(A->Handle()), First);  // the magnifier moved
  Frames(Manual, 7);
  EXPECT_EQ(A->Frame(), 1);  // round again
  // A counted play stops at its last frame.
  A->Play(2, 4, 1);
  Frames(Manual, 5);
  EXPECT_EQ(A->Frame(), 4);
  EXPECT_FALSE(A->Active());
  EXPECT_EQ(Log, (Strings{"open", "start", "stop"}));
  A->Seek(6);
  EXPECT_EQ(A->Frame(), 6);
  A->Seek(99);
  EXPECT_EQ(A->Frame(), 8);
  A->Reset();
  EXPECT_EQ(A->Frame(), 1);
  Harness::Advance(Manual, 500);
  EXPECT_EQ(A->Frame(), 1);
}

TEST_F(Animate, TheClipIsDrawnCentredOverTheParentsColour) {
  Form->SetColor(clTeal);
  auto* A = MakeAnimate();
  A->SetAutoSize(false);
  A->SetBounds(0, 0, 300, 100);
  A->SetCommonAVI(aviFindFolder);
  Form->Show();
  Harness::RunUntilIdle();
  HDC DC = GetDC(A->Handle());
  EXPECT_EQ(GetPixel(DC, 2, 2), ColorToRGB(clTeal));  // transparent: the form shows around the clip
  // The folder lies in the middle of the centred frame: (300 - 272) / 2 + 100 + 20, (100 - 60) / 2 + 14 + 20.
  EXPECT_EQ(GetPixel(DC, 14 + 100 + 20, 20 + 14 + 25), static_cast<COLORREF>(0x4CC8F0));
  ReleaseDC(A->Handle(), DC);
  A->SetTransparent(false);
  A->SetColor(clWhite);
  Harness::RunUntilIdle();
  DC = GetDC(A->Handle());
  EXPECT_EQ(GetPixel(DC, 2, 2), ColorToRGB(clWhite));
  ReleaseDC(A->Handle(), DC);
}

TEST_F(Animate, AFormFileOpensTheClipAndPlaysItWhenShown) {
  TManualClock Manual;
  TScopedClock Use(Manual);
  RegisterClasses({TAnimate::StaticClass()});
  TStringStream In(
      "object Form1: TForm\r\n"
      "  object Animate: TAnimate\r\n"
      "    Left = 16\r\n    Top = 40\r\n    Width = 100\r\n    Height = 80\r\n"
      "    Active = True\r\n"
      "    CommonAVI = aviFindFolder\r\n"
      "  end\r\n"
      "end\r\n");
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* A = dynamic_cast<TAnimate*>(Form->FindComponent("Animate"));
  ASSERT_NE(A, nullptr);
  EXPECT_EQ(A->CommonAVI(), aviFindFolder);
  EXPECT_TRUE(A->Active());
  EXPECT_EQ(A->BoundsRect(), Rect(16, 40, 16 + 272, 40 + 60));
  Harness::Advance(Manual, 300);
  EXPECT_EQ(A->Frame(), 1);
  Form->Show();
  Frames(Manual, 3);
  EXPECT_EQ(A->Frame(), 4);
}

TEST_F(Animate, AGalleryOfTheMaskedEditPickersAndAnimationIsSavedAsPng) {
  Form->SetBounds(40, 40, 420, 260);
  auto* Mask = Make<TMaskEdit>(Rect(8, 8, 160, 29));
  Mask->SetEditMask("!(999) 000-0000;1;_");
  Mask->SetText("(555) 12");
  auto* Date = Make<TDateTimePicker>(Rect(8, 40, 200, 64));
  Date->SetDateTime(EncodeDate(2026, 3, 14));
  Date->SetShowCheckbox(true);
  auto* Long = Make<TDateTimePicker>(Rect(210, 40, 410, 64));
  Long->SetDateFormat(dfLong);
  Long->SetDateTime(EncodeDate(2026, 3, 14));
  auto* Time = Make<TDateTimePicker>(Rect(8, 72, 200, 96));
  Time->SetKind(dtkTime);
  Time->SetDateTime(EncodeTime(15, 9, 26, 0));
  auto* Up = Make<TDateTimePicker>(Rect(210, 72, 410, 96));
  Up->SetDateMode(dmUpDown);
  Up->SetShowCheckbox(true);
  Up->SetChecked(false);
  auto* Anim = Make<TAnimate>(Rect(8, 110, 300, 200));
  Anim->SetCommonAVI(aviFindFolder);
  Form->Show();
  Harness::RunUntilIdle();
  const std::string File = (std::filesystem::temp_directory_path() / "zub_newctl_gallery.png").string();
  ASSERT_TRUE(Harness::SaveWindowPng(Form->Handle(), File));
  EXPECT_GT(std::filesystem::file_size(File), 1000u);
  std::filesystem::remove(File);
}

}  // namespace
