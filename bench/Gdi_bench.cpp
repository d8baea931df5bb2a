// Repainting an editor-sized client area: 60 lines of fixed-pitch text in coloured runs on a 1000x800 buffer.
#include "platform/graphics/WinGdi.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

void BM_EditorRepaint(benchmark::State& State) {
  HDC DC = CreateCompatibleDC(0);
  BITMAPINFO Info{};
  Info.bmiHeader.biWidth = 1000;
  Info.bmiHeader.biHeight = -800;
  Info.bmiHeader.biBitCount = 32;
  void* Bits = nullptr;
  HBITMAP B = CreateDIBSection(DC, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  HGDIOBJ OldBitmap = SelectObject(DC, B);
  LOGFONT L;
  L.lfHeight = -13;
  std::strcpy(L.lfFaceName, "Courier New");
  HFONT F = CreateFontIndirect(&L);
  HGDIOBJ OldFont = SelectObject(DC, F);
  TEXTMETRIC Tm;
  GetTextMetrics(DC, &Tm);
  const COLORREF Colors[] = {RGB(0, 0, 128), RGB(128, 0, 0), RGB(0, 128, 0), RGB(0, 0, 0), RGB(128, 0, 128),
                             RGB(0, 128, 128), RGB(255, 0, 0), RGB(0, 0, 255)};
  const char* Runs[] = {"<table ", "class=", "\"grid\" ", "width=", "\"100%\"", ">", "&nbsp;", "text between tags "};
  for (auto _ : State) {
    TRect All = Rect(0, 0, 1000, 800);
    FillRect(DC, &All, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int Line = 0; Line < 60; ++Line) {
      int X = 0, Y = Line * Tm.tmHeight;
      for (int Run = 0; X < 1000; ++Run) {
        const char* T = Runs[(Line + Run) % 8];
        int N = static_cast<int>(std::strlen(T));
        SetTextColor(DC, Colors[(Line * 3 + Run) % 8]);
        SetBkColor(DC, (Run % 5 == 4) ? RGB(255, 255, 200) : RGB(255, 255, 255));
        TRect Cell = Rect(X, Y, X + N * Tm.tmAveCharWidth, Y + Tm.tmHeight);
        ExtTextOut(DC, X, Y, ETO_OPAQUE | ETO_CLIPPED, &Cell, T, static_cast<UINT>(N), nullptr);
        X += N * Tm.tmAveCharWidth;
      }
    }
    benchmark::DoNotOptimize(Bits);
  }
  SelectObject(DC, OldFont);
  DeleteObject(F);
  SelectObject(DC, OldBitmap);
  DeleteObject(B);
  DeleteDC(DC);
}
BENCHMARK(BM_EditorRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
