// Printing speed: a 10,000-line highlighted HTML document printed to a PDF file, with the editor's rendering of
// the pages and the layer's output (page images to the PDF writer) reported apart as counters, besides the
// layout of the pages in the preview's own editor.
#include "editor/Easyeditor.h"
#include "editor/Easyeditorparser.h"
#include "editor/Easyprint.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/Printers.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// A page of the shared corpus repeated to Lines lines (a generated line when the corpus is missing).
std::string HtmlDocument(int Lines) {
  return RepeatedCorpusLines("html/FAQ.html", Lines,
                             "<p class=\"x\">Some <b>bold</b> text and a <a href=\"index.html\">link</a></p>\n");
}

void BM_PrintDocumentToPdf(benchmark::State& State) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Harness::Start();
  auto* Form = new TForm(Application);
  Form->AfterConstruction();
  auto* Parser = new TEasyEditorParser(Form);
  Parser->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/html.xs");
  auto* Edit = new TEasyEdit(Form);
  Edit->AfterConstruction();
  Edit->SetParent(Form);
  const std::string Text = HtmlDocument(static_cast<int>(State.range(0)));
  Edit->GetLines()->SetTextBuffer(Text.data(), Text.size());
  Edit->SetParser(Parser);
  const std::string Pdf = (std::filesystem::temp_directory_path() / "zubq_print_bench.pdf").string();
  Printer()->OutputFileName = Pdf;
  double Layout = 0;
  double Render = 0;
  double Output = 0;
  int Pages = 0;
  for (auto _ : State) {
    auto* Preview = new TEasyPrintPreview(Form);
    Preview->AfterConstruction();
    Preview->SetParent(Form);
    Preview->HandleNeeded();
    const auto Start = std::chrono::steady_clock::now();
    Preview->SetEditor(Edit);
    Layout += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
    Preview->Print();
    Render += Preview->LastRenderMs;
    Output += Preview->LastOutputMs;
    Pages = Preview->GetPageCount();
    delete Preview;
  }
  const double N = static_cast<double>(State.iterations());
  State.counters["pages"] = Pages;
  State.counters["layout_ms"] = Layout / N;
  State.counters["render_ms"] = Render / N;
  State.counters["output_ms"] = Output / N;
  std::filesystem::remove(Pdf);
  delete Form;
}

}  // namespace

BENCHMARK(BM_PrintDocumentToPdf)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);
