// The results pages with a large result: reading 10,000 messages from the engine, filling and sorting the
// Messages page, the Grouped Messages tree with 100 categories, a page already showing the document, a Links page
// of 5,000 links with one progress refresh, and the line re-sync of 156 bookmarks in a 100,000-line document.
#include "core/Fileinfoclass.h"
#include "core/Linklist.h"
#include "core/Msginfoclass.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Volatileclass.h"
#include "editor/Easyeditsource.h"
#include "mainwindow/Editormessagewindow.h"
#include "mainwindow/Linkspage.h"
#include "mainwindow/Quickeditmainform.h"
#include "mainwindow/Resultsmodel.h"
#include "mainwindow/Resultspages.h"

#include "platform/classes/Streams.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Setting {
  std::string Dir;
  TScriptedDialogs Dialogs;
  std::unique_ptr<prgclass> Root;
  TZUBQEForm* Form = nullptr;
  TZUBEditorMessageWindow* MessageWindow = nullptr;

  Setting() {
    char Template[] = "/tmp/zubresultsbench-XXXXXX";
    Dir = ::mkdtemp(Template);
    for (const char* Sub : {"/registry", "/temp", "/files"}) {
      std::filesystem::create_directories(Dir + Sub);
    }
    ::setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
    ::setenv("ZUBQ_TEMP", (Dir + "/temp").c_str(), 1);
    (void)SetDialogService(&Dialogs);  // every question gets its default answer at once
    Harness::Start();
    Root = std::make_unique<prgclass>();
    (void)LoadSettings();
    (void)Root->volatileState->LoadValidatorLibrary(0, 0);
    (void)Root->volatileState->CreateSharedSources(SHARED_SOURCES_CREATE);
    Application->CreateForm(Form);
    Application->CreateForm(MessageWindow);
    Form->Show();
    // Every message is listed, so that the Messages page holds them all.
    Root->interface->flags2.set(IF2::GroupedInMessages, true);
    Root->interface->flags2.set(IF2::StylesInMessages, true);
    Root->interface->flags2.set(IF2::AccessibilityInMessages, true);
  }

  // Opens a page and validates it; the document.
  fileinfoclass* Validated(const std::string& Name, const std::string& Text) {
    const std::string Path = Dir + "/files/" + Name;
    std::ofstream(Path, std::ios::binary) << Text;
    (void)Form->CloseALLFiles(0);
    (void)Form->AddNewFileTab(nullptr, Path.c_str(), 0, nullptr);
    fileinfoclass* D = Form->GetCurrentFile();
    (void)D->Validate(-1, 0x2);
    return D;
  }
};

Setting& Env() {
  static Setting S;
  return S;
}

// A page whose every paragraph holds an unknown element: an error and two warnings each.
std::string ManyMessages(int Count) {
  std::string Page =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><head><title>t</title></head><body>\n";
  for (int I = 0; I < Count; ++I) {
    Page += "<p><x" + std::to_string(I % 100) + ">a</x" + std::to_string(I % 100) + "></p>\n";
  }
  return Page + "</body></html>\n";
}

fileinfoclass* BigResult() {
  static fileinfoclass* D = nullptr;
  if (D == nullptr || Env().Form->GetCurrentFile() != D) {
    D = Env().Validated("messages.html", ManyMessages(3333));  // three messages a paragraph
  }
  return D;
}

void BM_ReadMessages(benchmark::State& State) {
  fileinfoclass* D = BigResult();
  for (auto _ : State) {
    (void)D->messages.setUnchanged(0);
    benchmark::DoNotOptimize(ReadResults(D, READ_MESSAGES));
  }
  State.counters["messages"] = D->messages.getCount();
}
BENCHMARK(BM_ReadMessages)->Unit(benchmark::kMillisecond);

void BM_FillMessagesPage(benchmark::State& State) {
  fileinfoclass* D = BigResult();
  (void)ReadResults(D, READ_MESSAGES);
  for (auto _ : State) {
    benchmark::DoNotOptimize(FillMessagesPage(D, SHOW_FORCE));
  }
  State.counters["rows"] = Env().Form->ResultsListView->Items()->Count();
}
BENCHMARK(BM_FillMessagesPage)->Unit(benchmark::kMillisecond);

void BM_SortMessagesByText(benchmark::State& State) {
  fileinfoclass* D = BigResult();
  (void)FillMessagesPage(D, SHOW_FORCE);
  TListView* List = Env().Form->ResultsListView;
  int Word = 0x11 | SORT_CHOSEN;
  for (auto _ : State) {
    SortMessagesList(List, Word);
    Word ^= SORT_ASCENDING;
  }
}
BENCHMARK(BM_SortMessagesByText)->Unit(benchmark::kMillisecond);

// The engine files its messages under a few categories: the messages are spread over 100 for this measurement.
void SpreadOverCategories(fileinfoclass* D, int Count) {
  (void)ReadResults(D, READ_MESSAGES);
  PointerArrayManager& List = D->stringLists[CATEGORIES_PLAIN];
  (void)List.removeAllPointers(1, 0);
  std::vector<std::string> Names;
  for (int I = 0; I < Count; ++I) {
    Names.push_back("Category " + std::to_string(1000 + I));
    (void)List.addPointer(new StrStore(Names.back().c_str()));  // already in sorted order
  }
  for (int I = 0; I < D->messages.getCount(); ++I) {
    auto* M = static_cast<msginfoclass*>(D->messages.getPointer(I));
    M->category = Names[static_cast<std::size_t>(I % Count)].c_str();
    M->kind = 0;
  }
}

void BM_FillGroupedMessagesPage(benchmark::State& State) {
  fileinfoclass* D = BigResult();
  SpreadOverCategories(D, 100);
  for (auto _ : State) {
    benchmark::DoNotOptimize(FillGroupedMessagesPage(D, SHOW_FORCE));
  }
  State.counters["categories"] = D->stringLists[CATEGORIES_PLAIN].getCount();
}
BENCHMARK(BM_FillGroupedMessagesPage)->Unit(benchmark::kMillisecond);

void BM_PageAlreadyShowingTheDocument(benchmark::State& State) {
  fileinfoclass* D = BigResult();
  (void)FillMessagesPage(D, SHOW_FORCE);
  for (auto _ : State) {
    benchmark::DoNotOptimize(FillMessagesPage(D, 0));
  }
}
BENCHMARK(BM_PageAlreadyShowingTheDocument);

fileinfoclass* ManyLinks() {
  static fileinfoclass* D = nullptr;
  if (D == nullptr || Env().Form->GetCurrentFile() != D) {
    std::string Page =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><head><title>t</title></head><body><p>\n";
    for (int I = 0; I < 5000; ++I) {
      Page += "<a href=\"dir" + std::to_string(I % 50) + "/page%20" + std::to_string(I) + ".html?a=1&amp;b=2\">x</a>\n";
    }
    D = Env().Validated("links.html", Page + "</p></body></html>\n");
  }
  return D;
}

void BM_LinksPageBuiltReadAndFilled(benchmark::State& State) {
  fileinfoclass* D = ManyLinks();
  for (auto _ : State) {
    (void)D->resultLists->setTag(LINKS_TAG_BUILT, 0);
    benchmark::DoNotOptimize(FillLinksPage(D, SHOW_FORCE));
  }
  State.counters["links"] = D->resultLists->getCount();
}
BENCHMARK(BM_LinksPageBuiltReadAndFilled)->Unit(benchmark::kMillisecond);

void BM_LinkProgressRefresh(benchmark::State& State) {
  fileinfoclass* D = ManyLinks();
  (void)FillLinksPage(D, SHOW_FORCE);
  for (auto _ : State) {
    UpdateLinksPageImage(D, 3);
  }
}
BENCHMARK(BM_LinkProgressRefresh)->Unit(benchmark::kMillisecond);

void BM_ResyncBookmarkedLines(benchmark::State& State) {
  static fileinfoclass* D = nullptr;
  if (D == nullptr) {
    std::string Page = ManyMessages(156);
    for (int I = 0; I < 100000 - 160; ++I) {
      Page += "<!-- filler line -->\n";
    }
    D = Env().Validated("resync.html", Page);
    (void)ReadResults(D, READ_MESSAGES);
  }
  for (auto _ : State) {
    benchmark::DoNotOptimize(SyncMessageLines(D));
  }
  State.counters["lines"] = D->text->Strings()->Count();
}
BENCHMARK(BM_ResyncBookmarkedLines)->Unit(benchmark::kMillisecond);

}  // namespace
