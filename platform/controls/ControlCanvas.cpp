// TControlCanvas: a canvas bound to a control.
#include "platform/controls/ControlCanvas.h"

Z_IMPLEMENT_CLASS(TControlCanvas, TCanvas)

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* AControl) {
  if (FControl != AControl) {
    FreeHandle();
    FControl = AControl;
  }
}

void TControlCanvas::FreeHandle() {
  if (FOwnDC) {
    const bool Current = HandleAllocated();
    HDC DC = FOwnDC;
    FOwnDC = 0;
    if (Current) {
      SetHandle(0);
    }
    ReleaseDC(FOwnWnd, DC);
    FOwnWnd = 0;
  } else {
    SetHandle(0);
  }
}

void TControlCanvas::CreateHandle() {
  auto* Win = FControl && FControl->Is<TWinControl>() ? static_cast<TWinControl*>(FControl) : nullptr;
  if (!Win) {
    return;
  }
  FOwnWnd = Win->Handle();
  FOwnDC = GetDC(FOwnWnd);
  SetHandle(FOwnDC);
}
