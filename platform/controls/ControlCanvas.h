// TControlCanvas: a canvas bound to a control, which makes its device context from the control's window when it
// is asked to draw without one.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/graphics/Graphics.h"

class TControlCanvas : public TCanvas {
  Z_CLASS(TControlCanvas, TCanvas)
public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControlCanvas(const TControlCanvas&) = delete;
  TControlCanvas& operator=(const TControlCanvas&) = delete;

  TControl* Control() const { return FControl; }
  // Binds the canvas to a control (null: none); a context made for the previous control is released.
  void SetControl(TControl* AControl);
  // Releases a context the canvas made itself (GetDC); a context given with SetHandle is only forgotten.
  void FreeHandle();

protected:
  // A windowed control's client context (GetDC of its window).
  void CreateHandle() override;

private:
  TControl* FControl = nullptr;
  HDC FOwnDC = 0;
  HWND FOwnWnd = 0;
};
