// One batch run's state and the steps the driver owns: temporary list, exclude strings, folder expansion,
// copy-back of results and the process-No marking.
#include "batchwizard/Batchjob.h"

#include "batchwizard/Batchwizardhost.h"
#include "batchwizard/Httppool.h"
#include "core/Fileinfoclass.h"
#include "core/Prgclass.h"
#include "core/Volatileclass.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Clock.h"

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <vector>

batchwizclass* BatchSettings() { return prg != nullptr ? prg->batchWizard : nullptr; }

PointerArrayManager* BatchTargetList() {
  return prg != nullptr && prg->volatileState != nullptr ? prg->volatileState->batchTargets : nullptr;
}

double SecondsSince(unsigned long long StartNs) { return static_cast<double>(Clock().MonotonicNs() - StartNs) / 1e9; }

StrStore FormatSeconds(double Seconds, const char* Format) {
  char Text[64];
  std::snprintf(Text, sizeof(Text), Format, Seconds);
  return StrStore(Text);
}

BatchWizardJobClass::BatchWizardJobClass(BatchWizardHost* Host) : host(Host) {
  const batchwizclass* S = BatchSettings();
  toolNumber = S != nullptr ? S->toolNumber : TOOL_VALIDATE;
}

BatchWizardJobClass::~BatchWizardJobClass() {
  // The pool goes first: its clients may still name targets, and their streams hold the download files open.
  (void)httpSlots.removeAllPointers(1);      // the slot callback never refuses
  (void)followedLinks.removeAllPointers(1);  // nor does the target callback
  (void)temporaryTargets.removeAllPointers(1);
}

bool BatchWizardJobClass::aborted() const { return host != nullptr && (host->abortWord & ABORT_REQUESTED) != 0; }

void BatchWizardJobClass::Log(int Level, const StrStore& Text, int Flags) const {
  if (host != nullptr) {
    host->AddLogLine(Level, Text, Flags);
  }
}

void BatchWizardJobClass::SetExcludeStrings(const char* Text) {
  (void)excludeStrings.removeAllPointers(0);  // the string callback never refuses
  if (Text == nullptr) {
    return;
  }
  const char* P = Text;
  while (*P != 0) {
    while (*P == ';') {
      ++P;
    }
    const char* Start = P;
    while (*P != 0 && *P != ';') {
      ++P;
    }
    if (P > Start) {
      auto* Piece = new (std::nothrow) StrStore;
      if (Piece == nullptr || Piece->setString(Start, static_cast<int>(P - Start)) == 0 ||
          excludeStrings.addPointer(Piece) < 0) {
        delete Piece;
        return;
      }
    }
  }
}

bool BatchWizardJobClass::PassesExcludeStrings(batchwiztargetclass* Target, const char* Text, int Flags) const {
  const char* Name =
      (Flags & EXCLUDE_GIVEN_TEXT) != 0 ? Text : (Target != nullptr ? Target->getString(TGET_DISPLAY_NAME) : nullptr);
  if (Name == nullptr) {
    return true;
  }
  const StrStore N(Name);
  for (int I = 0; I < excludeStrings.getCount(); ++I) {
    const auto* S = static_cast<const StrStore*>(excludeStrings.getPointer(I));
    if (S != nullptr && S->length > 0 && N.startsWithNoCase(S->text) != 0) {
      return false;
    }
  }
  return true;
}

namespace {

bool Qualifies(const BatchWizardJobClass* Job, batchwiztargetclass* T) {
  if (!T->has(TARGET_PROCESS)) {
    return false;
  }
  const int Tool = Job->toolNumber;
  if (T->has(TARGET_URL) && !BatchWizardJobClass::ToolMakesReports(Tool)) {
    return false;
  }
  if (T->has(TARGET_NEVER_VALIDATE) && Tool == TOOL_VALIDATE) {
    return false;
  }
  return Job->PassesExcludeStrings(T, nullptr, 0);
}

}  // namespace

int BuildTemporaryTargetList(PointerArrayManager* Source, BatchWizardJobClass* Job, int Flags) {
  if (Source == nullptr || Job == nullptr) {
    return -1;
  }
  for (int I = 0; I < Source->getCount(); ++I) {
    batchwiztargetclass* T = nullptr;
    if ((Flags & TEMPLIST_DOCUMENTS) != 0) {
      auto* Document = static_cast<fileinfoclass*>(Source->getPointer(I));
      if (Document == nullptr) {
        continue;
      }
      T = new (std::nothrow) batchwiztargetclass;
      if (T != nullptr) {
        T->sourceDocument = Document;
        T->sourceSerial = Document->serial;
        const char* Name = Document->GetName(NAME_DISPLAY);
        T->targetText.assign(Name != nullptr && *Name != 0 ? Name : UNTITLED_NAME);
        T->setBit(TARGET_FILE, true);
      }
    } else if ((Flags & TEMPLIST_ACTIVE_TARGETS) != 0) {
      auto* Original = static_cast<batchwiztargetclass*>(Source->getPointer(I));
      if (Original == nullptr || !Qualifies(Job, Original)) {
        continue;
      }
      T = Original->clone();
      if (T != nullptr) {
        T->listView = nullptr;  // run copies have no rows
      }
    } else {
      continue;
    }
    if (T == nullptr) {
      return -2;
    }
    const int At = (Flags & TEMPLIST_DOCUMENTS) != 0 ? Job->temporaryTargets.addPointer(T)
                                                     : Job->temporaryTargets.addPointer(T, CompareTargetsCallback);
    if (At < 0) {
      delete T;
      return -2;
    }
  }
  return 0;
}

void ReportTargetLimitReached(BatchWizardJobClass* Job) {
  if (Job->limitReached != 0) {
    return;
  }
  Job->limitReached = 1;
  const batchwizclass* S = BatchSettings();
  StrStore Line("No more targets will be added because maximum number of targets (");
  Line.appendInt(S != nullptr ? S->targetListLimit : 0).append(") has been reached.");
  Job->Log(LOG_L1, Line, LOG_ERROR);
}

namespace {

// True (after reporting it) when a validation run has as many targets as it may have.
bool AtLimit(BatchWizardJobClass* Job) {
  const batchwizclass* S = BatchSettings();
  if (Job->toolNumber != TOOL_VALIDATE || S == nullptr || Job->temporaryTargets.getCount() < S->targetListLimit) {
    return false;
  }
  ReportTargetLimitReached(Job);
  return true;
}

struct FolderEntry {
  std::string name;
  bool folder = false;
};

// The entries of a folder, sorted by name; false when it cannot be read or was expanded before in this run.
bool ReadFolder(BatchWizardJobClass* Job, const std::string& Path, std::vector<FolderEntry>& Entries) {
  struct stat Info {};
  if (::stat(Path.c_str(), &Info) != 0 || !S_ISDIR(Info.st_mode)) {
    return false;
  }
  if (!Job->expandedFolders
           .insert({static_cast<unsigned long long>(Info.st_dev), static_cast<unsigned long long>(Info.st_ino)})
           .second) {
    return false;
  }
  DIR* D = ::opendir(Path.c_str());
  if (D == nullptr) {
    return false;
  }
  while (const dirent* E = ::readdir(D)) {
    FolderEntry Entry;
    Entry.name = E->d_name;
    if (Entry.name == "." || Entry.name == "..") {
      continue;
    }
    struct stat EntryInfo {};
    if (::stat((Path + Entry.name).c_str(), &EntryInfo) != 0) {
      continue;  // a dangling link
    }
    Entry.folder = S_ISDIR(EntryInfo.st_mode);
    Entries.push_back(std::move(Entry));
  }
  ::closedir(D);
  std::sort(Entries.begin(), Entries.end(), [](const FolderEntry& A, const FolderEntry& B) { return A.name < B.name; });
  return true;
}

// Expands one folder target; false when the run must stop (abort or the limit).
bool ExpandOne(BatchWizardJobClass* Job, batchwiztargetclass* T) {
  T->setBit(TARGET_PROCESS, false);
  StrStore Folder(T->targetText);
  while (Folder.length > 1 && Folder.text[Folder.length - 1] == PathDelim) {
    Folder.cut(1, 1);
  }
  StrStore Line("Expanding directory target \"");
  Job->Log(LOG_L1, Line.appendStore(Folder).append("\"..."));
  StrStore Path(Folder);
  if (Path.length == 0 || Path.text[Path.length - 1] != PathDelim) {
    Path.appendChar(PathDelim);
  }
  std::vector<FolderEntry> Entries;
  if (!ReadFolder(Job, Path.text, Entries)) {
    return true;
  }
  for (const FolderEntry& E : Entries) {
    ExpandDirectoriesAux(Job, &Job->temporaryTargets, T, Path, E.name.c_str(), E.folder);
    if (Job->aborted() || AtLimit(Job)) {
      return false;
    }
  }
  return true;
}

}  // namespace

int ExpandDirectories(BatchWizardJobClass* Job, int* AbortWord) {
  (void)AbortWord;  // the job reads its host's abort word
  const unsigned long long Start = Clock().MonotonicNs();
  bool Stop = false;
  bool Expanded = true;
  while (Expanded && !Stop) {
    Expanded = false;
    const int N = Job->temporaryTargets.getCount();
    for (int I = 0; I < N && !Stop; ++I) {
      if (Job->host != nullptr) {
        Job->host->ProcessMessages();
      }
      if (Job->aborted() || AtLimit(Job)) {
        Stop = true;
        break;
      }
      auto* T = static_cast<batchwiztargetclass*>(Job->temporaryTargets.getPointer(I));
      if (T == nullptr || !T->has(TARGET_PROCESS) || !T->has(TARGET_DIRECTORY)) {
        continue;
      }
      Expanded = true;
      Stop = !ExpandOne(Job, T);
    }
  }
  if (Job->aborted()) {
    Job->Log(LOG_L1, StrStore(), LOG_ABORT);
  }
  StrStore Line("Finished expanding directories in ");
  Job->Log(LOG_L1, Line.appendStore(FormatSeconds(SecondsSince(Start))).append(" seconds."));
  return 0;
}

namespace {

void AddFileEntry(BatchWizardJobClass* Job, PointerArrayManager* List, batchwiztargetclass* Folder,
                  const StrStore& Full, const char* Name) {
  if (GetFileTypeByPath(Full.text, nullptr, 1) != 1) {
    return;
  }
  if (Job->reportBaseName.length > 0 && Full.startsWithNoCase(Job->reportBaseName.text) != 0) {
    StrStore Line("Excluding file target \"");
    Job->Log(LOG_L2, Line.append(Name).append("\" because it appears to be a report file from a previous Batch "
                                              "Wizard run."));
    return;
  }
  if (!Job->PassesExcludeStrings(nullptr, Name, EXCLUDE_GIVEN_TEXT)) {
    StrStore Line("Excluding file target \"");
    Job->Log(LOG_L2, Line.append(Name).append("\" because it matches an exclude string."));
    return;
  }
  batchwiztargetclass* Added = nullptr;
  if (AddTarget(List, Full.text, TARGET_KIND_FILE | ADD_NO_SORT | ADD_NO_ROW, &Added) == ADD_DONE && Added != nullptr) {
    Added->listView = nullptr;
    Added->sourceTarget = Folder;
    Added->inheritFollowSettings(*Folder, INHERIT_FOLLOW | INHERIT_LI_BITS);
    StrStore Line("Added file target \"");
    Job->Log(LOG_L2, Line.append(Name).append("\"."));
  }
}

void AddFolderEntry(BatchWizardJobClass* Job, PointerArrayManager* List, batchwiztargetclass* Folder,
                    const StrStore& Full, const char* Name) {
  if (!Folder->has(TARGET_INCLUDE_SUB)) {
    return;
  }
  if (Folder->has(TARGET_SKIP_SPECIAL_FOLDERS)) {
    const char* Why = nullptr;
    if (Name[0] == '_') {
      Why = "\" due to underscore and option set to do so.";
    } else if (CompareText(Name, "CVS") == 0) {
      Why = "\" because of name and option set to do so.";
    } else if (!Job->PassesExcludeStrings(nullptr, Name, EXCLUDE_GIVEN_TEXT)) {
      Why = "\" because it matches an exclude string.";
    }
    if (Why != nullptr) {
      StrStore Line("Excluding directory target \"");
      Job->Log(LOG_L2, Line.append(Name).append(Why));
      return;
    }
  }
  batchwiztargetclass* Added = nullptr;
  const int Flags = TARGET_KIND_DIRECTORY | TARGET_KIND_WITH_SUB | ADD_NO_SORT | ADD_NO_ROW;
  if (AddTarget(List, Full.text, Flags, &Added) == ADD_DONE && Added != nullptr) {
    Added->listView = nullptr;
    Added->sourceTarget = Folder;
    Added->inheritFollowSettings(*Folder, INHERIT_FOLLOW | INHERIT_LI_BITS);
    StrStore Line("Added directory target \"");
    Job->Log(LOG_L2, Line.append(Name).append("\"."));
  }
}

}  // namespace

void ExpandDirectoriesAux(BatchWizardJobClass* Job, PointerArrayManager* List, batchwiztargetclass* Folder,
                          const StrStore& FolderPath, const char* Name, bool IsFolder) {
  StrStore Full(FolderPath);
  Full.append(Name);
  if (IsFolder) {
    AddFolderEntry(Job, List, Folder, Full, Name);
  } else {
    AddFileEntry(Job, List, Folder, Full, Name);
  }
  if (Job->host != nullptr) {
    Job->host->ProcessMessages();
  }
}

void CopyResultsBack(BatchWizardJobClass* Job, PointerArrayManager* Temporary, PointerArrayManager* List) {
  const unsigned long long Start = Clock().MonotonicNs();
  for (int I = 0; I < List->getCount(); ++I) {
    auto* T = static_cast<batchwiztargetclass*>(List->getPointer(I));
    if (T != nullptr && T->has(TARGET_PROCESS)) {
      T->reset(TRESET_COUNTS);
    }
  }
  bool Moved = true;
  while (Moved) {
    Moved = false;
    for (int I = 0; I < Temporary->getCount(); ++I) {
      auto* T = static_cast<batchwiztargetclass*>(Temporary->getPointer(I));
      if (T != nullptr && T->sourceTarget != nullptr && T->moveResultsTo(T->sourceTarget) != 0) {
        Moved = true;
      }
    }
  }
  for (int I = 0; I < List->getCount(); ++I) {
    auto* T = static_cast<batchwiztargetclass*>(List->getPointer(I));
    if (T != nullptr) {
      T->updateListItem(ROW_RESULTS | ROW_KEEP_PAGE);
    }
  }
  const batchwizclass* S = BatchSettings();
  BatchTargetView* View = DefaultBatchTargetView();
  if (View != nullptr && S != nullptr && (S->sortOrder & 0x10) != 0) {
    View->Sort();
  }
  StrStore Line("Updated target list in ");
  Job->Log(LOG_L3, Line.appendStore(FormatSeconds(SecondsSince(Start))).append(" seconds."));
}

void SetProcessNoForCleanTargets(BatchWizardJobClass* Job, PointerArrayManager* List) {
  int Changed = 0;
  for (int I = 0; I < List->getCount(); ++I) {
    auto* T = static_cast<batchwiztargetclass*>(List->getPointer(I));
    if (T != nullptr && T->has(TARGET_PROCESS) && T->badLinkCount <= 0 && T->errorCount == 0 && T->warningCount == 0) {
      (void)T->setInt(List, static_cast<int>(T->targetFlags & ~TARGET_PROCESS), TINT_FLAGS);  // always 0
      ++Changed;
    }
  }
  const batchwizclass* S = BatchSettings();
  BatchTargetView* View = DefaultBatchTargetView();
  if (View != nullptr && S != nullptr && (S->sortOrder & 0x4) != 0) {
    View->Sort();
  }
  StrStore Line("Changed ");
  Job->Log(LOG_L3, Line.appendInt(Changed).append(" targets from process 'Yes' to process 'No'."));
}
