// Drives a modal window that the code under test shows: the steps run from inside the window's own modal loop,
// on the form found by its caption, through the window harness.
#pragma once

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/UtilWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace TestSupport {

// Arm() before the call that shows the window: once its modal loop runs, Act gets the form. When no form with the
// caption shows, the topmost visible form is cancelled instead (so a test never waits for good) and the failure
// is recorded.
class TModalWindowDriver {
public:
  TModalWindowDriver(std::string Caption, std::function<void(TForm&)> Act)
      : FCaption(std::move(Caption)), FAct(std::move(Act)) {
    FWindow = AllocateHWnd([this](TMessage& M) {
      if (M.Msg == DriveMessage) {
        Drive();
      } else {
        M.Result = DefWindowProc(FWindow, M.Msg, M.WParam, M.LParam);
      }
    });
  }
  ~TModalWindowDriver() { DeallocateHWnd(FWindow); }
  TModalWindowDriver(const TModalWindowDriver&) = delete;
  TModalWindowDriver& operator=(const TModalWindowDriver&) = delete;

  void Arm() { PostMessage(FWindow, DriveMessage, 0, 0); }
  bool Driven() const { return FDriven; }
  // The form's window and its owner when it was driven.
  HWND Window() const { return FFormWindow; }
  HWND OwnerWindow() const { return FOwner; }

  // Helpers for the steps.
  template <class T> static T* Find(TForm& Form, const std::string& Name) {
    auto* C = dynamic_cast<T*>(Form.FindComponent(Name));
    EXPECT_NE(C, nullptr) << Name;
    return C;
  }
  // A click on a windowed control near its left end (on a check box's or radio button's mark), as the mouse
  // gives it (handled when the loop runs next).
  static void Click(TWinControl* Control) {
    if (Control) {
      Harness::Click(Control->Handle(), TPoint{std::min(8, Control->Width() / 2), Control->Height() / 2});
    }
  }
  static void Click(TForm& Form, const std::string& Name) { Click(Find<TWinControl>(Form, Name)); }
  // A button pressed (BM_CLICK, handled when the loop runs next), after the input given before it.
  static void Press(TForm& Form, const std::string& Name) {
    Harness::RunUntilIdle();
    if (auto* B = Find<TWinControl>(Form, Name)) {
      PostMessage(B->Handle(), BM_CLICK, 0, 0);
    }
  }

private:
  static constexpr UINT DriveMessage = WM_USER + 0x321;

  void Drive() {
    HWND W = FindWindow(nullptr, FCaption.c_str());
    auto* Form = dynamic_cast<TForm*>(FindControl(W));
    if (!Form || !Form->Visible()) {
      ADD_FAILURE() << "no window \"" << FCaption << "\" showed";
      if (TCustomForm* Other = Screen->ActiveForm()) {
        Other->ModalResult = mrCancel;
      }
      return;
    }
    // The window is up and painted before it gets input, as a user sees it before clicking.
    Harness::RunUntilIdle();
    FDriven = true;
    FFormWindow = W;
    FOwner = GetWindow(W, GW_OWNER);
    FAct(*Form);
  }

  std::string FCaption;
  std::function<void(TForm&)> FAct;
  HWND FWindow = 0;
  HWND FFormWindow = 0;
  HWND FOwner = 0;
  bool FDriven = false;
};

}  // namespace TestSupport
