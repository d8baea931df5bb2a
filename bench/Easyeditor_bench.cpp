// The editor control's speed: a full repaint of a large highlighted view, one character typed deep inside a
// long document with its repaint (also until it is in the window on the screen, the loop run until idle after
// each keystroke), and scrolling by a page. Runs offscreen through the layer's harness.
#include "editor/Easyeditor.h"
#include "editor/Easyeditorparser.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/WinGdi.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

// A page of the shared corpus repeated to Lines lines (a generated line when the corpus is missing).
std::string HtmlDocument(int Lines) {
  return RepeatedCorpusLines("html/FAQ.html", Lines,
                             "<p class=\"x\">Some <b>bold</b> text and a <a href=\"index.html\">link</a></p>\n");
}

// A shown form with one editor of the given client size over an HTML document with the shipped highlighter.
class TBenchEditor {
public:
  TBenchEditor(int Width, int Height, int Lines) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(0, 0, Width + 40, Height + 60);
    Parser = new TEasyEditorParser(Form);
    Parser->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/html.xs");
    Edit = new TEasyEdit(Form);
    Edit->AfterConstruction();
    Edit->SetParent(Form);
    Edit->SetBorderStyle(bsNone);
    Edit->SetBounds(0, 0, Width, Height);
    Edit->Font()->SetHeight(-10);  // 13-pixel rows: 60 of them in 800 pixels
    Edit->LineNumbers()->SetVisible(true);
    const std::string Text = HtmlDocument(Lines);
    Edit->GetLines()->SetTextBuffer(Text.data(), Text.size());
    Edit->SetParser(Parser);
    Form->Show();
    Harness::RunUntilIdle();
  }
  ~TBenchEditor() {
    delete Form;
    Harness::RunUntilIdle();
  }
  void Paint() { UpdateWindow(Edit->Handle()); }
  TForm* Form;
  TEasyEditorParser* Parser;
  TEasyEdit* Edit;
};

void BM_FullRepaint(benchmark::State& St) {
  TBenchEditor B(1000, 800, 2000);
  St.counters["rows"] = B.Edit->ScrollPageSize().cy;
  for (auto _ : St) {
    B.Edit->Invalidate();
    B.Paint();
  }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

void BM_InsertCharDeepInDocument(benchmark::State& St) {
  const int Lines = static_cast<int>(St.range(0));
  TBenchEditor B(1000, 800, Lines);
  const int Target = Lines / 2;
  TCustomEasyEditSource* Source = B.Edit->GetEditSource();
  Source->JumpTo(0, Target);
  B.Edit->SetWindowLine(Target - 10);
  Harness::RunUntilIdle();
  for (auto _ : St) {
    Source->InsertString("x");
    B.Paint();
  }
  St.counters["lines"] = Lines;
}
BENCHMARK(BM_InsertCharDeepInDocument)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// As above, with the window's own drawing on the screen: the loop runs until idle after each keystroke.
void BM_InsertCharDeepInDocumentShown(benchmark::State& St) {
  const int Lines = static_cast<int>(St.range(0));
  TBenchEditor B(1000, 800, Lines);
  const int Target = Lines / 2;
  TCustomEasyEditSource* Source = B.Edit->GetEditSource();
  Source->JumpTo(0, Target);
  B.Edit->SetWindowLine(Target - 10);
  Harness::RunUntilIdle();
  for (auto _ : St) {
    Source->InsertString("x");
    Harness::RunUntilIdle();
  }
  St.counters["lines"] = Lines;
}
BENCHMARK(BM_InsertCharDeepInDocumentShown)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_ScrollOnePage(benchmark::State& St) {
  TBenchEditor B(1000, 800, 1000000);
  B.Edit->SetWindowLine(500000);
  Harness::RunUntilIdle();
  bool Down = true;
  for (auto _ : St) {
    SendMessage(B.Edit->Handle(), WM_VSCROLL, Down ? SB_PAGEDOWN : SB_PAGEUP, 0);
    B.Paint();
    Down = !Down;
  }
}
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMillisecond);

}  // namespace
