// batchwizclass: the batch wizard's settings (owned by the root object, loaded and saved with the other
// settings), and the report settings of the open target list (batchwizclass2).
#pragma once

#include "core/Filestore.h"
#include "core/Flagword.h"
#include "core/Pathprocessor.h"
#include "core/Stringarraystore.h"
#include "core/Strstore.h"

#include <cstdint>
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
  // Called when a slot changes, so that the owner marks the target list modified.
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

// Bits of batchwizclass::prepareRun.
inline constexpr int PREPARE_PAGE_BUFFER = 0x1;
inline constexpr int PREPARE_CONFIGURATION = 0x2;

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
  // Not stored: the text report file (set at every start) and the open list's report settings, which the
  // settings own while a list is open (none: no list options).
  StrStore textReportFileName;
  std::unique_ptr<batchwizclass2> listOptions;

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
  // 0x1 makes a fresh empty page buffer; 0x2 resolves configurationIndex from jobSubtype through the engine.
  void prepareRun(int Bits);
  // Makes a copy of Options the current list options (none: no list options); its changes mark the batch target
  // list modified. 0, or -1 when out of memory.
  [[nodiscard]] int SetCurrentListOptions(const batchwizclass2* Options);

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

// ---- Batch targets ------------------------------------------------------------------------------------------

class batchwiztargetclass;
class fileinfoclass;
class fileinfoextraclass;

// The target flag word.
inline constexpr unsigned TARGET_FILE = 0x1;             // F
inline constexpr unsigned TARGET_DIRECTORY = 0x2;        // D
inline constexpr unsigned TARGET_URL = 0x4;              // U
inline constexpr unsigned TARGET_INCLUDE_SUB = 0x8;      // I
inline constexpr unsigned TARGET_PROCESS = 0x10;         // process: Yes
inline constexpr unsigned TARGET_PROCESSED = 0x20;       // processed in the current run
inline constexpr unsigned TARGET_NEVER_VALIDATE = 0x40;  // N
inline constexpr unsigned TARGET_FOLLOW_LINKS = 0x80;    // L
inline constexpr unsigned TARGET_DOWNLOAD_REQUESTED = 0x100;
inline constexpr unsigned TARGET_FAILED = 0x200;
inline constexpr unsigned TARGET_SKIP_SPECIAL_FOLDERS = 0x400000;  // skip "_..." and "CVS" subfolders
inline constexpr unsigned TARGET_DEFAULT_FLAGS = 0x3FC00010;
// kindFlags of a target: the downloaded document is a style sheet.
inline constexpr int TARGET_KIND_STYLE_SHEET = 0x1;

// Flags of updateListItem (the rows of a target list view).
inline constexpr int ROW_REPLACE = 0x1;
inline constexpr int ROW_DELETE = 0x2;
inline constexpr int ROW_REFRESH = 0x4;
inline constexpr int ROW_RESORT = 0x8;
inline constexpr int ROW_PROC = 0x10;
inline constexpr int ROW_FLAGS = 0x20;
inline constexpr int ROW_KEEP_PAGE = 0x40;
inline constexpr int ROW_NO_SORT = 0x80;
inline constexpr int ROW_RESULTS = 0x100;

// The list view that shows the rows of a target list; implemented by the batch wizard window. A target without
// a view has no rows.
class BatchTargetView {
public:
  virtual ~BatchTargetView() = default;
  // Makes, refreshes or deletes the target's row by the ROW_* flags.
  virtual void updateListItem(batchwiztargetclass* Target, int Flags) = 0;
  // Suspends and resumes repainting around many row changes.
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
  // Sorts the rows by the settings' sort word.
  virtual void Sort() {}
};

// The view new targets belong to: the batch wizard's target list view (null while there is none).
BatchTargetView* DefaultBatchTargetView();
void SetDefaultBatchTargetView(BatchTargetView* View);

// Selectors of batchwiztargetclass::getString.
inline constexpr int TGET_CAPTION = 0x1;
inline constexpr int TGET_PROCESS = 0x2;
inline constexpr int TGET_FLAGS = 0x4;
inline constexpr int TGET_RESULTS = 0x8;
inline constexpr int TGET_DISPLAY_NAME = 0x10;
inline constexpr int TGET_FOLDER_KEY = 0x20;
inline constexpr int TGET_DISPLAY_NAME2 = 0x40;
inline constexpr int TGET_AGENT = 0x80;
inline constexpr int TGET_USER = 0x100;
inline constexpr int TGET_PASSWORD = 0x200;
inline constexpr int TGET_EMPTY_NOT_NULL = 0x400;
inline constexpr int TGET_LIMIT_TO = 0x800;
inline constexpr int TGET_EXTENSIONS = 0x1000;
// Selectors of batchwiztargetclass::setString.
inline constexpr int TSET_TEXT = 0x1;
inline constexpr int TSET_AGENT = 0x2;
inline constexpr int TSET_USER = 0x4;
inline constexpr int TSET_PASSWORD = 0x8;
inline constexpr int TSET_LIMIT_TO = 0x10;
inline constexpr int TSET_EXTENSIONS = 0x20;
// Selectors of batchwiztargetclass::setInt and getInt.
inline constexpr int TINT_FLAGS = 0x1;
inline constexpr int TINT_CREDENTIALS = 0x2;
inline constexpr int TINT_DEPTH = 0x4;
inline constexpr int TINT_ICON = 0x1;
inline constexpr int TINT_HAS_ERRORS = 0x2;
inline constexpr int TINT_HAS_WARNINGS = 0x4;
inline constexpr int TINT_CLEAN = 0x8;
inline constexpr int TINT_HAS_BAD_LINKS = 0x20;
inline constexpr int TINT_ALL_CLEAN = 0x40;
inline constexpr int TINT_USES_CREDENTIALS = 0x80;
inline constexpr int TINT_DEPTH_LIMIT = 0x100;
// Bits of batchwiztargetclass::reset.
inline constexpr int TRESET_COUNTS = 0x1;
inline constexpr int TRESET_RUN = 0x2;
inline constexpr int TRESET_PROCESS = 0x4;
inline constexpr int TRESET_PROCESSED = 0x8;
// Bits of batchwiztargetclass::inheritFollowSettings.
inline constexpr int INHERIT_FOLLOW = 0x2;
inline constexpr int INHERIT_LI_BITS = 0x4;

// One batch target: a file, a folder or a web address, with its flag word, its results and its report section.
// Targets live in target lists (PointerArrayManager with FreeBatchTarget) and are deleted by them.
class batchwiztargetclass {
public:
  StrStore targetText;
  StrStore folderKey;  // targetText without its last path part; computed on first use (folderKeyMade)
  unsigned targetFlags = TARGET_DEFAULT_FLAGS;
  int kindFlags = 0;
  int errorCount = -1, warningCount = -1;
  int badLinkCount = 0, warningLinkCount = 0;
  int resultHandle = -1, jobHandle = -1;
  int targetId;
  int reportPageNumber = -1;
  int misspellingCount = -1;
  int followDepthLimit = -1;
  void* listItem = nullptr;
  BatchTargetView* listView = nullptr;
  fileinfoclass* sourceDocument = nullptr;      // borrowed
  unsigned sourceSerial = 0;                    // the document's serial when it was borrowed
  fileinfoextraclass* webOrigin = nullptr;      // owned
  batchwiztargetclass* sourceTarget = nullptr;  // borrowed
  FileStore* targetReport = nullptr;            // owned
  PointerArrayManager* linkList = nullptr;      // owned link entries
  StrStore* followLimitTo = nullptr;            // owned
  StrStore* followExtensions = nullptr;         // owned

  batchwiztargetclass();
  ~batchwiztargetclass();
  batchwiztargetclass(const batchwiztargetclass&) = delete;
  batchwiztargetclass& operator=(const batchwiztargetclass&) = delete;

  bool has(unsigned Bit) const { return (targetFlags & Bit) != 0; }
  // True when the target's document is still open (the same document, not a new one at the same address).
  bool documentAlive() const;
  void setBit(unsigned Bit, bool On) { targetFlags = On ? (targetFlags | Bit) : (targetFlags & ~Bit); }
  // The kind rank of CompareTargets: URL 1, directory 2, file 3, none 0.
  int kindRank() const;
  const StrStore& getFolderKey();

  // See TINT_*; -1 for an unknown selector.
  int getInt(int Selector);
  // See TGET_*; null where the selector gives none (TGET_EMPTY_NOT_NULL: ""). The caption, flags and results
  // texts live in a buffer of the target that the next such call overwrites.
  const char* getString(int Selector);
  // See TSET_*: 0, -1 a missing text, -2 out of memory.
  [[nodiscard]] int setString(const char* Text, int Selector);
  // See TINT_FLAGS, TINT_CREDENTIALS, TINT_DEPTH; changes mark List modified. 0.
  int setInt(PointerArrayManager* List, int Value, int Selector);
  void reset(int Bits);
  batchwiztargetclass* clone();
  void inheritFollowSettings(const batchwiztargetclass& Other, int Bits);
  // Moves the counts into Receiver (summed); 1 when anything moved.
  int moveResultsTo(batchwiztargetclass* Receiver);
  // Asks the view for the row by the ROW_* flags; nothing without a view.
  void updateListItem(int Flags);

private:
  StrStore buffer;
  bool folderKeyMade = false;
};

// Free callback of target lists: deletes the target; 1.
int FreeBatchTarget(void* Element);
// Orders targets: kind rank, then folder and text for files and folders, text, agent and credentials for URLs.
int CompareTargets(const batchwiztargetclass* A, const batchwiztargetclass* B);
int CompareTargetsCallback(const void* New, const void* Existing);

// Kinds of CreateTarget and AddTarget.
inline constexpr int TARGET_KIND_PATH = 0x2;
inline constexpr int TARGET_KIND_ORIGIN = 0x4;
inline constexpr int TARGET_KIND_FILE = 0x8;
inline constexpr int TARGET_KIND_DIRECTORY = 0x10;
inline constexpr int TARGET_KIND_URL = 0x20;
inline constexpr int TARGET_KIND_WITH_SUB = 0x40;
inline constexpr int TARGET_KIND_LINK = 0x80;
// Flags of AddTarget besides the kind.
inline constexpr int ADD_NO_SORT = 0x1;
inline constexpr int ADD_NO_ROW = 0x100;
inline constexpr int ADD_OPTION_SUB = 0x200;
// Results of AddTarget.
inline constexpr int ADD_DONE = 0;
inline constexpr int ADD_EQUAL_PRESENT = 1;
inline constexpr int ADD_NO_LIST = -1;
inline constexpr int ADD_NO_TEXT = -2;
inline constexpr int ADD_CANNOT_MAKE = -3;

// A new target, or null. With TARGET_KIND_ORIGIN, Text is a fileinfoextraclass* that the target takes over.
batchwiztargetclass* CreateTarget(const void* Text, batchwiztargetclass* Parent, int Kind);
// Adds a target unless an equal one is in the list; see ADD_*. The kind is the first of the kind bits in the low
// byte. Added (when given) receives the added target, or null when nothing was added.
[[nodiscard]] int AddTarget(PointerArrayManager* List, const void* Text, int Flags,
                            batchwiztargetclass** Added = nullptr);
// Marks the batch target list modified (clears its unchanged flag).
void MarkTargetListModified(PointerArrayManager* List);
