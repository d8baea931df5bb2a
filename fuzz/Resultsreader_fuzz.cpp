// Fuzz target: a page made from the input is validated by the engine; its result is then read back as the
// results pages read it: the message model, the text export, the link list with its decoding and resolution, and
// the link statuses. Each reading must agree with itself.
#include "core/Filestore.h"
#include "core/Fileinfoclass.h"
#include "core/Linklist.h"
#include "core/Msginfoclass.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Volatileclass.h"
#include "editor/Easyeditsource.h"
#include "mainwindow/Linkspage.h"
#include "mainwindow/Resultsexport.h"
#include "mainwindow/Resultsmodel.h"

#include "platform/classes/Streams.h"
#include "platform/win/DialogService.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

[[noreturn]] void Violation(const char* What) {
  std::fprintf(stderr, "%s\n", What);
  std::abort();
}

struct Fixture {
  Fixture() {
    const std::filesystem::path Folder =
        std::filesystem::temp_directory_path() / ("zubresults-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(Folder / "temp");
    std::filesystem::create_directories(Folder / "registry");
    setenv("ZUBQ_REGISTRY_DIR", (Folder / "registry").c_str(), 1);
    setenv("ZUBQ_TEMP", (Folder / "temp").c_str(), 1);
    (void)SetDialogService(&Dialogs);  // no previous service to restore in this process
    Root = std::make_unique<prgclass>();
    (void)LoadSettings();
    Loaded = Root->volatileState->LoadValidatorLibrary(0, 0) >= 0;
    Name = (Folder / "page.html").string();
  }
  TScriptedDialogs Dialogs;
  std::unique_ptr<prgclass> Root;
  bool Loaded = false;
  std::string Name;
};

Fixture& Shared() {
  static Fixture F;
  return F;
}

// Counts as the Links page reads them: one not stored yet is 0.
int Tag(PointerArrayManager* A, int I) {
  const int V = A != nullptr && A->tags != nullptr ? A->tags->getInt(I) : 0;
  return V > 0 ? V : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  Fixture& F = Shared();
  if (!F.Loaded) {
    return 0;
  }
  fileinfoclass D(nullptr, nullptr);
  D.name = F.Name.c_str();
  TStringStream Stream(std::string(reinterpret_cast<const char*>(Data), Size));
  D.text->LoadFromStream(&Stream);
  if (D.Validate(-1, 0x2) < 0 || D.resultHandle < 0) {
    return 0;
  }
  if (ReadResults(&D, READ_MESSAGES) != READRESULTS_DONE ||
      ReadResults(&D, READ_MESSAGES) != READRESULTS_ALREADY_READ) {
    Violation("the messages were not read exactly once");
  }
  const int N = D.messages.getCount();
  if (MessageTag(&D, MSGTAG_ALL) != N) {
    Violation("tag 0 is not the number of messages");
  }
  int Listed = 0;
  int Bookmarked = 0;
  for (int I = 0; I < N; ++I) {
    auto* M = static_cast<msginfoclass*>(D.messages.getPointer(I));
    if (M == nullptr || M->number != I + 1 || M->document != &D) {
      Violation("a message record is out of place");
    }
    if ((M->kind & (MSGKIND_STYLE | MSGKIND_ACCESSIBILITY)) != 0 && M->category.length == 0) {
      Violation("a style or accessibility message without a category");
    }
    Listed += M->classindex >= 0 ? M->listed : 0;
    Bookmarked += M->bookmark >= 0 ? 1 : 0;
    if (M->bookmark >= 0 && FindBookmarkLine(D.text, M->bookmark) != M->line) {
      Violation("a bookmark is not on its message's line");
    }
  }
  if (Listed != MessageTag(&D, 1) + MessageTag(&D, 2) + MessageTag(&D, 3) + MessageTag(&D, 4)) {
    Violation("the listed counters disagree with the records");
  }
  if (Bookmarked > MESSAGE_BOOKMARK_END - FIRST_MESSAGE_BOOKMARK) {
    Violation("more bookmarks than numbers");
  }
  const std::string Export = MessageExportText(&D);
  if (Export.empty() || Export.front() != '\n' || Export.back() != '\n') {
    Violation("the text export is not framed by line feeds");
  }
  (void)SyncMessageLines(&D);
  (void)ReadResults(&D, READ_LINK_LIST | READ_LINK_STATUSES);
  PointerArrayManager* Links = D.resultLists;
  const int Count = Links != nullptr ? Links->getCount() : 0;
  if (Tag(Links, LINKS_TAG_TOTAL) != Count) {
    Violation("the link total is not the number of links");
  }
  for (int I = 0; I < Count; ++I) {
    auto* E = static_cast<StrStoreEx*>(Links->getPointer(I));
    if (E == nullptr || E->length == 0 || E->spareInts.getInt(LINK_INT_ORDER) != I + 1) {
      Violation("a link entry is out of place");
    }
  }
  if (Tag(Links, LINKS_TAG_GOOD) + Tag(Links, LINKS_TAG_BAD) + Tag(Links, LINKS_TAG_WARNING) +
          Tag(Links, LINKS_TAG_NOT_CHECKED) !=
      Count) {
    Violation("the link statuses do not add up");
  }
  const StrStore Summary = LinkSummaryText(Links);
  if (std::strchr(Summary.text, '-') != nullptr) {
    Violation("a negative count in the link summary");
  }
  (void)LinkExportText(&D);
  return 0;
}
