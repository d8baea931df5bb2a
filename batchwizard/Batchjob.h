// BatchWizardJobClass, the state of one batch run, and the steps of the run that the driver owns: the temporary
// target list, the exclude strings, the folder expansion, the copy-back of results and the process-No marking.
#pragma once

#include "core/Batchwizclass.h"
#include "core/Filestore.h"
#include "core/Pointerarraymanager.h"
#include "core/Strstore.h"

#include <memory>
#include <set>
#include <utility>

class BatchWizardHost;

// Tools of a run.
inline constexpr int TOOL_VALIDATE = 1;
inline constexpr int TOOL_UPPERCASE = 2;
inline constexpr int TOOL_LOWERCASE = 3;
inline constexpr int TOOL_STRIP_TAGS = 4;
inline constexpr int TOOL_CONVERT = 5;
inline constexpr int TOOL_TEMPLATE = 6;
inline constexpr int TOOL_LINK_CHECK = 7;
inline constexpr int TOOL_SPELL_CHECK = 8;
inline constexpr int TOOL_QUOTE = 9;

// Flags of BuildTemporaryTargetList.
inline constexpr int TEMPLIST_ACTIVE_TARGETS = 0x1;
inline constexpr int TEMPLIST_DOCUMENTS = 0x2;
inline constexpr int TEMPLIST_SORTED = 0x4;
// Flags of PassesExcludeStrings.
inline constexpr int EXCLUDE_GIVEN_TEXT = 0x1;

// The batch wizard's settings of the root object, or null without one.
batchwizclass* BatchSettings();
// The batch target list of the run-time state, or null.
PointerArrayManager* BatchTargetList();

int FreeHttpSlot(void* Element);

// One batch run. Made by the driver, deleted at the end of the run with its temporary targets (which hand their
// result handles to their documents and delete their download files) and its download pool.
class BatchWizardJobClass {
public:
  explicit BatchWizardJobClass(BatchWizardHost* Host);
  ~BatchWizardJobClass();
  BatchWizardJobClass(const BatchWizardJobClass&) = delete;
  BatchWizardJobClass& operator=(const BatchWizardJobClass&) = delete;

  PointerArrayManager followedLinks{FreeBatchTarget};
  int toolNumber = 1;
  int callerFlags = 0;  // 0x1: a run over a ready list of open documents
  BatchOptionFlags optionFlags{0u};
  int anotherPass = 1;
  int limitReached = 0;
  int targetReportCount = 0;
  int runState = 0;  // RUNSTATE_*
  PointerArrayManager temporaryTargets{FreeBatchTarget};
  PointerArrayManager* sourceList = nullptr;
  PointerArrayManager httpSlots{FreeHttpSlot};
  int configurationIndex = -1;
  StrStore reportBaseName;
  StrStore cssLinkName;
  std::unique_ptr<FileStore> footerLines;
  int cssFlags = 0;  // 0x1: the external style sheet is used
  PointerArrayManager excludeStrings{FreeStrStore};
  BatchWizardHost* host;  // the window running the job
  // The real folders (device, inode) this run expanded, so that links between folders expand each only once.
  std::set<std::pair<unsigned long long, unsigned long long>> expandedFolders;
  // The pool's limit message was written in this round of downloads.
  bool poolLimitLogged = false;
  // Set by the first asynchronous download of the process.
  static inline bool downloadNoteRead = false;

  bool isDocumentsRun() const { return (callerFlags & 0x1) != 0; }
  bool aborted() const;
  bool ToolMakesReports() const { return ToolMakesReports(toolNumber); }
  static bool ToolMakesReports(int Tool) {
    return Tool == TOOL_VALIDATE || Tool == TOOL_LINK_CHECK || Tool == TOOL_SPELL_CHECK;
  }
  // Replaces the exclude strings with the non-empty pieces of a semicolon-separated text.
  void SetExcludeStrings(const char* Text);
  // False when the target's display name (or, with EXCLUDE_GIVEN_TEXT, Text) begins with an exclude string,
  // ignoring case.
  bool PassesExcludeStrings(batchwiztargetclass* Target, const char* Text, int Flags) const;
  void Log(int Level, const StrStore& Text, int Flags = 0) const;
};

// See TEMPLIST_*: -1 without a list, -2 out of memory, else 0.
[[nodiscard]] int BuildTemporaryTargetList(PointerArrayManager* Source, BatchWizardJobClass* Job, int Flags);
// Expands the folder targets of the temporary list into file targets, pass after pass. 0.
int ExpandDirectories(BatchWizardJobClass* Job, int* AbortWord);
// One folder entry (Name, a folder when IsFolder) of the folder target found at FolderPath (with a final
// separator).
void ExpandDirectoriesAux(BatchWizardJobClass* Job, PointerArrayManager* List, batchwiztargetclass* Folder,
                          const StrStore& FolderPath, const char* Name, bool IsFolder);
// Moves the results of the temporary targets up into the list targets they came from.
void CopyResultsBack(BatchWizardJobClass* Job, PointerArrayManager* Temporary, PointerArrayManager* List);
// Sets process to No for the clean processed targets of the list.
void SetProcessNoForCleanTargets(BatchWizardJobClass* Job, PointerArrayManager* List);
// Logs the target limit once per run.
void ReportTargetLimitReached(BatchWizardJobClass* Job);
// Seconds since a monotonic start time (Clock().MonotonicNs()).
double SecondsSince(unsigned long long StartNs);
// "%.2f" of a value.
StrStore FormatSeconds(double Seconds, const char* Format = "%.2f");
