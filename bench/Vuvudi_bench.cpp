// The code editor control's speed: a full repaint of a highlighted C++ view in both measuring modes, scrolling
// by a page and by a row, one character typed deep inside a long document with its repaint, and word wrap over a
// million lines (switching it on, jumping to the last line). Runs offscreen through the layer's harness.
#include "codeeditor/Dclanguages.h"
#include "codeeditor/Vuvudi.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/WinGdi.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// A C++ source of this tree repeated to Lines lines.
std::string CppDocument(int Lines) {
  std::ifstream In(std::string(ZUBQ_SOURCE_DIR) + "/codeeditor/Vuvudiview.cpp");
  std::vector<std::string> Source;
  std::string Line;
  while (std::getline(In, Line)) {
    Source.push_back(Line);
  }
  if (Source.empty()) {
    Source.push_back("int Value = Compute(1, \"text\"); // a comment");
  }
  std::string Text;
  Text.reserve(static_cast<std::size_t>(Lines) * 48);
  for (int I = 0; I < Lines; ++I) {
    Text += Source[static_cast<std::size_t>(I) % Source.size()];
    Text += '\n';
  }
  return Text;
}

// A shown form with one code editor of the given client size over a C++ document with the C++ tokenizer.
class TBenchMemo {
public:
  TBenchMemo(int Width, int Height, int Lines, bool Mono = true) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(0, 0, Width + 40, Height + 60);
    Parser = new Dcparser::TCPPParser(Form);
    Memo = new Vuvudi::ZEZMemo(Form);
    Memo->AfterConstruction();
    Memo->SetParent(Form);
    Memo->SetBorderStyle(bsNone);
    Memo->SetBounds(0, 0, Width, Height);
    Memo->Font()->SetHeight(-10);  // 13-pixel rows: 60 of them in 800 pixels
    Memo->SetOptions(Memo->Options() + Vuvudi::TMemoOptions{Vuvudi::moDrawGutter, Vuvudi::moLineNumbers});
    Memo->SetUseMonoFont(Mono);
    Memo->SetText(CppDocument(Lines));
    Memo->GetSource()->SetSyntaxParser(Parser);
    Form->Show();
    Harness::RunUntilIdle();
  }
  ~TBenchMemo() {
    delete Form;
    Harness::RunUntilIdle();
  }
  void Paint() { UpdateWindow(Memo->Handle()); }
  TForm* Form;
  Dcparser::TCPPParser* Parser;
  Vuvudi::ZEZMemo* Memo;
};

void BM_FullRepaint(benchmark::State& St) {
  TBenchMemo B(1000, 800, 2000, St.range(0) != 0);
  St.counters["rows"] = B.Memo->VisibleRows();
  for (auto _ : St) {
    B.Memo->Invalidate();
    B.Paint();
  }
  St.SetLabel(St.range(0) ? "monospaced" : "proportional");
}
BENCHMARK(BM_FullRepaint)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_ScrollOnePage(benchmark::State& St) {
  TBenchMemo B(1000, 800, 100000);
  B.Memo->SetWinLine(50000);
  B.Paint();
  bool Down = true;
  for (auto _ : St) {
    SendMessage(B.Memo->Handle(), WM_VSCROLL, Down ? SB_PAGEDOWN : SB_PAGEUP, 0);
    B.Paint();
    Down = !Down;
  }
}
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMillisecond);

void BM_ScrollOneRow(benchmark::State& St) {
  TBenchMemo B(1000, 800, 100000);
  B.Memo->SetWinLine(50000);
  B.Paint();
  bool Down = true;
  for (auto _ : St) {
    SendMessage(B.Memo->Handle(), WM_VSCROLL, Down ? SB_LINEDOWN : SB_LINEUP, 0);
    B.Paint();
    Down = !Down;
  }
}
BENCHMARK(BM_ScrollOneRow)->Unit(benchmark::kMillisecond);

void BM_InsertCharDeepInDocument(benchmark::State& St) {
  const int Lines = static_cast<int>(St.range(0));
  TBenchMemo B(1000, 800, Lines);
  const int Target = Lines / 2;
  Dcstring::TCustomMemoSource* Source = B.Memo->GetSource();
  Source->JumpTo(0, Target);
  B.Memo->CenterScreenOnLine();
  B.Paint();
  for (auto _ : St) {
    Source->BeginUpdate(Dcstring::Reason::Insert);
    Source->Insert("x");
    Source->EndUpdate();
    B.Paint();
  }
  St.counters["lines"] = Lines;
}
BENCHMARK(BM_InsertCharDeepInDocument)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_WordWrapOn(benchmark::State& St) {
  TBenchMemo B(1000, 800, 1000000);
  for (auto _ : St) {
    B.Memo->SetWordWrap(true);
    St.PauseTiming();
    B.Memo->SetWordWrap(false);
    St.ResumeTiming();
  }
}
BENCHMARK(BM_WordWrapOn)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_WordWrapJumpToLastLine(benchmark::State& St) {
  TBenchMemo B(1000, 800, 1000000);
  for (auto _ : St) {
    St.PauseTiming();
    B.Memo->SetWordWrap(false);
    B.Memo->GetSource()->JumpTo(0, 0);
    B.Memo->SetWordWrap(true);
    St.ResumeTiming();
    B.Memo->GetSource()->JumpToFileEnd();
  }
}
BENCHMARK(BM_WordWrapJumpToLastLine)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

namespace {

// The same jump without word wrap: what the text model itself costs (colouring up to the caret included).
void BM_JumpToLastLineWithoutWrap(benchmark::State& St) {
  TBenchMemo B(1000, 800, 1000000);
  for (auto _ : St) {
    St.PauseTiming();
    B.Memo->GetSource()->JumpTo(0, 0);
    St.ResumeTiming();
    B.Memo->GetSource()->JumpToFileEnd();
  }
}
BENCHMARK(BM_JumpToLastLineWithoutWrap)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
