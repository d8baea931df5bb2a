// The window system's side of native control windows: which windows host a toolkit widget, and which owner-drawn
// box is asking its parent for row heights.
#include "platform/win/ListControls.h"
#include "platform/win/NativeControls.h"

#include <atomic>

namespace {

std::atomic<bool (*)(HWND)> NativeTest{nullptr};
thread_local HWND Measuring = 0;

}  // namespace

void RegisterNativeWindowTest(bool (*Test)(HWND Wnd)) { NativeTest = Test; }

bool IsNativeWindow(HWND Wnd) {
  auto* Test = NativeTest.load();
  return Test != nullptr && Test(Wnd);
}

HWND MeasuringItemWindow() { return Measuring; }

HWND SetMeasuringItemWindow(HWND Wnd) {
  const HWND Was = Measuring;
  Measuring = Wnd;
  return Was;
}
