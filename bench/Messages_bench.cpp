// Message throughput: posting and dispatching, sending, and a key typed through Qt reaching a window procedure.
#include "platform/controls/TestHarness.h"
#include "platform/win/WinUser.h"

#include <benchmark/benchmark.h>

namespace {

int Handled = 0;

LRESULT CountingProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_USER || Msg == WM_KEYDOWN) {
    ++Handled;
    return 0;
  }
  return DefWindowProc(Wnd, Msg, WParam, LParam);
}

HWND BenchWindow(bool Visible) {
  static bool Registered = [] {
    WNDCLASS WC;
    WC.lpfnWndProc = &CountingProc;
    WC.lpszClassName = "ZubBenchWindow";
    return RegisterClass(&WC) != 0;
  }();
  (void)Registered;
  HWND W = CreateWindowEx(0, "ZubBenchWindow", "bench", WS_POPUP, 10, 10, 200, 100, 0, 0, nullptr, nullptr);
  if (Visible) {
    ShowWindow(W, SW_SHOW);
    SetFocus(W);
  }
  return W;
}

// Posts a batch of messages, then reads and dispatches them all.
void BM_PostAndDispatch(benchmark::State& State) {
  HWND W = BenchWindow(false);
  const int Batch = static_cast<int>(State.range(0));
  MSG M;
  for (auto _ : State) {
    for (int I = 0; I < Batch; ++I) {
      PostMessage(W, WM_USER, static_cast<WPARAM>(I), 0);
    }
    while (PeekMessage(&M, 0, 0, 0, PM_REMOVE)) {
      DispatchMessage(&M);
    }
  }
  State.SetItemsProcessed(State.iterations() * Batch);
  DestroyWindow(W);
}
BENCHMARK(BM_PostAndDispatch)->Arg(1)->Arg(100)->Arg(10000);

void BM_SendMessage(benchmark::State& State) {
  HWND W = BenchWindow(false);
  for (auto _ : State) {
    benchmark::DoNotOptimize(SendMessage(W, WM_USER, 1, 2));
  }
  State.SetItemsProcessed(State.iterations());
  DestroyWindow(W);
}
BENCHMARK(BM_SendMessage);

// A key press synthesized as Qt window-system input, through the event filter, the input queue,
// PeekMessage and DispatchMessage to the window procedure.
void BM_KeyToHandler(benchmark::State& State) {
  Harness::Start();
  HWND W = BenchWindow(true);
  Harness::RunUntilIdle();
  for (auto _ : State) {
    int Before = Handled;
    Harness::KeyDown('A');
    Harness::RunUntilIdle();
    Harness::KeyUp('A');
    Harness::RunUntilIdle();
    if (Handled == Before) {
      State.SkipWithError("the key never reached the window");
      break;
    }
  }
  State.SetItemsProcessed(State.iterations());
  DestroyWindow(W);
}
BENCHMARK(BM_KeyToHandler);

}  // namespace
