// The editor's keyboard in word-wrapped text: one character typed, one Return and one Backspace at line
// 500,000 of 1,000,000 lines, each with its repaint (in the plain view, and one character and one Return in page
// layout, where rows wrap at their sheet's width), and turning word wrap on for a 100,000-line document.
// Runs offscreen through the layer's harness.
#include "editor/Easyeditor.h"
#include "editor/Easyeditorparser.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/VirtualKeys.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

// A page of the shared corpus repeated to Lines lines (a generated line when the corpus is missing).
std::string HtmlDocument(int Lines) {
  return RepeatedCorpusLines(
      "html/FAQ.html", Lines,
      "<p class=\"x\">Some <b>bold</b> text and a <a href=\"index.html\">link</a> in a paragraph that is long "
      "enough to wrap in a narrow window</p>\n");
}

// A shown form with one wrapping editor (80 columns, or the sheet's text width in page layout) over a
// highlighted HTML document.
class TWrapBench {
public:
  explicit TWrapBench(int Lines, bool Wrap, bool Sheets = false) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(0, 0, 900, 860);
    Parser = new TEasyEditorParser(Form);
    Parser->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/html.xs");
    Edit = new TEasyEdit(Form);
    Edit->AfterConstruction();
    Edit->SetParent(Form);
    Edit->SetBorderStyle(bsNone);
    Edit->SetBounds(0, 0, 860, 800);
    Edit->Font()->SetHeight(-10);
    Edit->Margin()->SetPosition(80);
    TEasyEditorOptions O = Edit->Options();
    if (!Sheets) {
      O.Include(eoBreakWordsAtMargin);
    }
    Edit->SetOptions(O);
    if (Sheets) {
      Edit->SetPageType(ptPageLayout);
    }
    const std::string Text = HtmlDocument(Lines);
    Edit->GetLines()->SetTextBuffer(Text.data(), Text.size());
    Edit->SetParser(Parser);
    Form->Show();
    Edit->SetFocus();
    Edit->SetWordWrap(Wrap);
    Harness::RunUntilIdle();
  }
  ~TWrapBench() {
    delete Form;
    Harness::RunUntilIdle();
  }
  void Key(WORD Vk) {
    SendMessage(Edit->Handle(), WM_KEYDOWN, Vk, 0);
    SendMessage(Edit->Handle(), WM_KEYUP, Vk, 0);
  }
  void Char(char C) { SendMessage(Edit->Handle(), WM_CHAR, static_cast<unsigned char>(C), 0); }
  void Paint() { UpdateWindow(Edit->Handle()); }
  TForm* Form;
  TEasyEditorParser* Parser;
  TEasyEdit* Edit;
};

TWrapBench& Million() {
  static TWrapBench* Bench = [] {
    auto* B = new TWrapBench(1000000, true);
    B->Edit->GetEditSource()->JumpTo(10, 500000);
    B->Paint();
    return B;
  }();
  return *Bench;
}

void BM_TypeAtLine500000Wrapped(benchmark::State& State) {
  TWrapBench& B = Million();
  B.Edit->GetEditSource()->JumpTo(10, 500000);
  B.Paint();
  for (auto _ : State) {
    B.Char('x');
    B.Paint();
  }
}
BENCHMARK(BM_TypeAtLine500000Wrapped)->Unit(benchmark::kMicrosecond);

void BM_ReturnAtLine500000Wrapped(benchmark::State& State) {
  TWrapBench& B = Million();
  B.Edit->GetEditSource()->JumpTo(10, 500000);
  B.Paint();
  for (auto _ : State) {
    B.Key(VK_RETURN);
    B.Paint();
  }
}
BENCHMARK(BM_ReturnAtLine500000Wrapped)->Unit(benchmark::kMicrosecond);

void BM_BackspaceAtLine500000Wrapped(benchmark::State& State) {
  TWrapBench& B = Million();
  B.Edit->GetEditSource()->JumpTo(10, 500000);
  B.Paint();
  for (auto _ : State) {
    B.Key(VK_BACK);
    B.Paint();
  }
}
BENCHMARK(BM_BackspaceAtLine500000Wrapped)->Unit(benchmark::kMicrosecond);

TWrapBench& MillionOnSheets() {
  static TWrapBench* Bench = [] {
    auto* B = new TWrapBench(1000000, true, true);
    B->Edit->GetEditSource()->JumpTo(10, 500000);
    B->Paint();
    return B;
  }();
  return *Bench;
}

void BM_TypeAtLine500000WrappedPageLayout(benchmark::State& State) {
  TWrapBench& B = MillionOnSheets();
  B.Edit->GetEditSource()->JumpTo(10, 500000);
  B.Paint();
  for (auto _ : State) {
    B.Char('x');
    B.Paint();
  }
}
BENCHMARK(BM_TypeAtLine500000WrappedPageLayout)->Unit(benchmark::kMicrosecond);

void BM_ReturnAtLine500000WrappedPageLayout(benchmark::State& State) {
  TWrapBench& B = MillionOnSheets();
  B.Edit->GetEditSource()->JumpTo(10, 500000);
  B.Paint();
  for (auto _ : State) {
    B.Key(VK_RETURN);
    B.Paint();
  }
}
BENCHMARK(BM_ReturnAtLine500000WrappedPageLayout)->Unit(benchmark::kMicrosecond);

void BM_WordWrapOnFor100000Lines(benchmark::State& State) {
  TWrapBench B(100000, false);
  for (auto _ : State) {
    B.Edit->SetWordWrap(true);
    B.Paint();
    State.PauseTiming();
    B.Edit->SetWordWrap(false);
    B.Paint();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_WordWrapOnFor100000Lines)->Unit(benchmark::kMillisecond);

}  // namespace
