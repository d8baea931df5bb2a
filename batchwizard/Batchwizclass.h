// batchwizclass: the batch wizard's settings (owned by the root object, loaded and saved with the other
// settings), and the report settings of the open target list (batchwizclass2).
#pragma once

#include "core/Filestore.h"
#include "core/Flagword.h"
#include "core/Pathprocessor.h"
#include "core/Stringarraystore.h"
#include "core/Strstore.h"

#include <memory>

// The options word of the batch wizard.
namespace BWF {
using B = TFlagBit<BatchOptionFlagsTag>;
inline constexpr B SourceForErrors{0x1};
inline constexpr B SourceForWarnings{0x2};
inline constexpr B SourceForMessages{0x4};
inline constexpr B ReportsOnlyWithProblems{0x8};
inline constexpr B MultiPageReport{0x10};
inline constexpr B LinkCheckWhenValidating{0x20};
inline constexpr B UncheckedLinks{0x40};
inline constexpr B PassedLinks{0x80};
inline constexpr B AlwaysLinkReport{0x100};
inline constexpr B VerboseLog{0x200};
inline constexpr B SummaryReport{0x8000};
inline constexpr B OpenReport{0x10000};
inline constexpr B UnsetCleanTargets{0x20000};
inline constexpr B SizeColumns{0x40000};
inline constexpr B FailedLinks{0x80000};
inline constexpr B LinkAddresses{0x100000};
inline constexpr B DoubleClickOpens{0x200000};
inline constexpr B NewDirectoriesIncludeSub{0x400000};
inline constexpr B Toolbar{0x800000};
inline constexpr B WarningLinks{0x1000000};
inline constexpr B ProgressBar{0x2000000};
}  // namespace BWF

// Selectors of batchwizclass::getString.
inline constexpr int BWGET_REPORT = 0x1;
inline constexpr int BWGET_LIST_WINS = 0x2;
inline constexpr int BWGET_LIST_REPORT = 0x4;
inline constexpr int BWGET_CSS = 0x8;
inline constexpr int BWGET_LIST_CSS = 0x10;
inline constexpr int BWGET_LIST_EXCLUDE = 0x20;
inline constexpr int BWGET_FOOTER = 0x40;
inline constexpr int BWGET_LAST_REPORT = 0x80;
// Selectors of batchwizclass::setString.
inline constexpr int BWSET_REPORT = 0x1;
inline constexpr int BWSET_LIST_REPORT = 0x2;
inline constexpr int BWSET_CSS = 0x4;
inline constexpr int BWSET_LIST_CSS = 0x8;
inline constexpr int BWSET_LIST_EXCLUDE = 0x20;
inline constexpr int BWSET_FOOTER = 0x40;
inline constexpr int BWSET_LAST_REPORT = 0x80;

// The four report settings of the open target list: slot 1 report file, 2 style sheet, 3 exclude-begin strings,
// 4 footer file. An empty slot leaves the batch wizard's own setting in force.
class batchwizclass2 {
public:
  StrStore slots[4];
  // Set by the target list's owner: called when a slot changes, so that the list is marked modified.
  void (*onModified)(void* Context) = nullptr;
  void* context = nullptr;

  const StrStore& slot(int N) const { return slots[N - 1]; }
  void setSlot(int N, const char* Text) {
    StrStore& S = slots[N - 1];
    if (S.notEqual(Text != nullptr ? Text : "") != 0) {
      S.assign(Text);
      if (onModified != nullptr) {
        onModified(context);
      }
    }
  }
};

// The batch wizard's settings. One instance, owned by prgclass.
class batchwizclass {
public:
  BatchOptionFlags optionFlags{0x3FFF801Fu};
  int toolNumber = 1;           // 1 Validate ... 9 Quote attribute values
  int sortOrder = 0x21;         // sort word of the target list view
  int reportsPerPage = 10;      // the settings load raises values below 1 to 1
  int stateFlags = 0;           // 0x1: the last report file exists
  int maxHttpRequests = 10;     // the settings load raises values below 1 to 1
  int runningHttpRequests = 0;
  int runKind = 0;  // 1: the run processes a list given on the command line (not stored)
  StrStore listFileName;
  StrStore lastOpenDirectory;
  StrStore workingDirectory;    // set by the settings load
  StrStore lastAddFilesDirectory;
  StrStore lastAddDirectory;
  std::unique_ptr<FileStore> pageBuffer;
  StringArrayStore recentLists;
  StrStore followLinkExtensions{"HTM,HTML,SHTM,SHTML,ASA,ASP,CFM,CFML,CSS,PHP,PHP3,PHP4,RT,SMI,SMIL,WML"};
  int targetListLimit = 1000;
  int downloadTimeout = 60;     // seconds
  StrStore jobSubtype{"Normal"};
  int configurationIndex = -1;
  StrStore reportFileName;
  StrStore cssFileName;
  StrStore footerFileName;
  StrStore lastReportFileName;
  // Not stored: the text report file (set at every start) and the open list's report settings (not owned).
  StrStore textReportFileName;
  batchwizclass2* listOptions = nullptr;

  batchwizclass() { recentLists.maximum = 15; }
  ~batchwizclass() = default;
  batchwizclass(const batchwizclass&) = delete;
  batchwizclass& operator=(const batchwizclass&) = delete;

  // Every setting except the download time-out, the last report file, the recent lists and the page buffer.
  void copyFrom(const batchwizclass& O) {
    optionFlags = O.optionFlags;
    toolNumber = O.toolNumber;
    sortOrder = O.sortOrder;
    reportsPerPage = O.reportsPerPage;
    stateFlags = O.stateFlags;
    maxHttpRequests = O.maxHttpRequests;
    runningHttpRequests = O.runningHttpRequests;
    listFileName = O.listFileName;
    lastOpenDirectory = O.lastOpenDirectory;
    workingDirectory = O.workingDirectory;
    lastAddFilesDirectory = O.lastAddFilesDirectory;
    lastAddDirectory = O.lastAddDirectory;
    followLinkExtensions = O.followLinkExtensions;
    targetListLimit = O.targetListLimit;
    jobSubtype = O.jobSubtype;
    configurationIndex = O.configurationIndex;
    reportFileName = O.reportFileName;
    cssFileName = O.cssFileName;
    footerFileName = O.footerFileName;
    textReportFileName = O.textReportFileName;
  }

  // The text of the first selector bit that names one (see BWGET_*); null when none does.
  const StrStore* getString(int Selector) const {
    const bool ListWins = (Selector & BWGET_LIST_WINS) != 0 && listOptions != nullptr;
    auto Pick = [&](const StrStore& Own, int Slot) -> const StrStore* {
      if (ListWins && listOptions->slot(Slot).length > 0) {
        return &listOptions->slot(Slot);
      }
      return &Own;
    };
    if ((Selector & BWGET_REPORT) != 0) {
      return Pick(reportFileName, 1);
    }
    if ((Selector & BWGET_LIST_REPORT) != 0) {
      return listOptions != nullptr ? &listOptions->slot(1) : nullptr;
    }
    if ((Selector & BWGET_CSS) != 0) {
      return Pick(cssFileName, 2);
    }
    if ((Selector & BWGET_LIST_CSS) != 0) {
      return listOptions != nullptr ? &listOptions->slot(2) : nullptr;
    }
    if ((Selector & BWGET_LIST_EXCLUDE) != 0) {
      return listOptions != nullptr ? &listOptions->slot(3) : nullptr;
    }
    if ((Selector & BWGET_FOOTER) != 0) {
      return Pick(footerFileName, 4);
    }
    if ((Selector & BWGET_LAST_REPORT) != 0) {
      return &lastReportFileName;
    }
    return nullptr;
  }

  // Sets every text the selector bits name (see BWSET_*); list slots only when a list options record exists.
  // The last report file also records whether that file exists. 0.
  int setString(const char* Text, int Selector) {
    const char* T = Text != nullptr ? Text : "";
    if ((Selector & BWSET_REPORT) != 0) {
      reportFileName.assign(T);
    }
    if ((Selector & BWSET_CSS) != 0) {
      cssFileName.assign(T);
    }
    if ((Selector & BWSET_FOOTER) != 0) {
      footerFileName.assign(T);
    }
    if (listOptions != nullptr) {
      if ((Selector & BWSET_LIST_REPORT) != 0) {
        listOptions->setSlot(1, T);
      }
      if ((Selector & BWSET_LIST_CSS) != 0) {
        listOptions->setSlot(2, T);
      }
      if ((Selector & BWSET_LIST_EXCLUDE) != 0) {
        listOptions->setSlot(3, T);
      }
    }
    if ((Selector & BWSET_LAST_REPORT) != 0) {
      lastReportFileName.assign(T);
      const bool Exists = *T != 0 && DoesFileExist(T) != 0;
      stateFlags = Exists ? (stateFlags | 0x1) : (stateFlags & ~0x1);
    }
    return 0;
  }
};

// The name of the settings' tool: "Validate" ... "Quote" for tools 1 to 9, "Error" otherwise.
inline const char* GetToolName(const batchwizclass& Settings) {
  static const char* const Names[] = {"Validate",  "Uppercase",  "Lowercase",   "Strip tags", "Convert file",
                                      "Template",  "Link check", "Spell check", "Quote"};
  const int T = Settings.toolNumber;
  return (T >= 1 && T <= 9) ? Names[T - 1] : "Error";
}
