// Per-target processing: the engine jobs of a batch run, link following and the final link check.
#include "batchwizard/Batchprocess.h"

#include "batchwizard/Batchjob.h"
#include "batchwizard/Batchreports.h"
#include "batchwizard/Batchwizardhost.h"
#include "batchwizard/Httppool.h"
#include "core/Enginejobs.h"
#include "core/Fileinfoclass.h"
#include "core/Fileinfoextraclass.h"
#include "core/Linklist.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"

#include "platform/rtl/FileUtils.h"
#include "platform/win/Clock.h"

#include <algorithm>

namespace {

int ConfigHandle() {
  volatileclass* Vol = EngineOwnerState();
  return Vol != nullptr ? Vol->configHandle : -1;
}

int EngineVersion() { return ZUBCalls.ZUBGetInteger3EZ != nullptr ? ZUBCalls.ZUBGetInteger3EZ(ZUB_ENGINE_VERSION) : 0; }

HWND Owner(const BatchWizardJobClass* Job) { return Job->host != nullptr ? Job->host->OwnerWindow() : 0; }

int RunJobDirect(const BatchWizardJobClass* Job, int Handle) {
  return ZUBCalls.ZUBRunJob != nullptr ? ZUBCalls.ZUBRunJob(Owner(Job), ConfigHandle(), Handle, 0) : -1;
}

void FreeJob(batchwiztargetclass* T) {
  (void)FreeHandle(T->jobHandle);  // failures are reported by the wrapper
  T->jobHandle = -1;
}

// Steps 3 and 4 of the document job: the kind and the configuration. False on a failure.
bool SetJobKind(batchwiztargetclass* T, BatchWizardJobClass* Job, int H) {
  bool Ok = SetFlag(H, ZUB_JOB_FLAGS, ZUB_JOB_BATCH2, Job->optionFlags.has(BWF::ProgressBar) ? 1 : 0) >= 0;
  Ok = Ok && SetFlag(H, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATE_COMMAND, 0) >= 0;
  if (!Ok) {
    return false;
  }
  fileinfoclass* Doc = T->sourceDocument;
  switch (Job->toolNumber) {
    case TOOL_VALIDATE: {
      const bool Css = (T->kindFlags & TARGET_KIND_STYLE_SHEET) != 0 || (Doc != nullptr && Doc->GetFileType(0) == 11);
      if (SetInteger(H, ZUB_JOB_KIND, Css ? ZUB_JOB_VALIDATE_CSS : ZUB_JOB_VALIDATE_MARKUP) < 0) {
        return false;
      }
      if (EngineVersion() > 45090) {
        const int Config = Doc != nullptr ? Doc->configurationNumber : Job->configurationIndex;
        if (Config >= 0 && SetInteger(H, ZUB_JOB_CONFIGURATION, Config) < 0) {
          return false;
        }
      }
      return true;
    }
    case TOOL_LINK_CHECK:
    case TOOL_SPELL_CHECK:
      return SetFlag(H, ZUB_JOB_FLAGS, ZUB_JOB_BATCH2, 0) >= 0 &&
             SetInteger(H, ZUB_JOB_KIND,
                        Job->toolNumber == TOOL_LINK_CHECK ? ZUB_JOB_EXTRACT_LINKS : ZUB_JOB_SPELL_CHECK) >= 0;
    default: return false;
  }
}

// Step 5 of the document job: the input. False on a failure.
bool SetJobInput(batchwiztargetclass* T, int H, const StrStore& FileName) {
  bool Ok = SetFlag(H, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION, 1) >= 0 && SetFlag(H, ZUB_JOB_FLAGS, ZUB_JOB_BATCH, 1) >= 0;
  if (Ok && T->sourceDocument != nullptr) {
    Ok = SetFlag(H, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION2, 1) >= 0 &&
         SetInteger(H, ZUB_JOB_SOURCE, ZUB_SOURCE_LINES) >= 0 && T->sourceDocument->SendTextToJob(H) >= 0;
  } else if (Ok) {
    Ok = SetInteger(H, ZUB_JOB_SOURCE, ZUB_SOURCE_FILE) >= 0 && SetString(H, ZUB_JOB_NAME, FileName.text) >= 0;
  }
  return Ok && SetFlag(H, ZUB_JOB_FLAGS, ZUB_JOB_READ_FILE, 1) >= 0;
}

// Step 7 of the document job: the link list, resolved against the document's base address.
void MakeLinkList(batchwiztargetclass* T) {
  fileinfoclass* Doc = T->sourceDocument;
  StrStore Base(Doc != nullptr ? Doc->GetName(46) : "");
  const fileinfoextraclass* Origin = Doc != nullptr ? Doc->webOrigin : nullptr;
  const int R = T->resultHandle;
  const int BaseList =
      ZUBCalls.ZUBGetInteger4EZ != nullptr ? ZUBCalls.ZUBGetInteger4EZ(R, ZUB_LIST_INDEX, "basehref") : -1;
  const char* BaseHref = BaseList >= 0 && ZUBCalls.ZUBGetString4 != nullptr
                             ? ZUBCalls.ZUBGetString4(R, ZUB_LIST_ITEM, BaseList, 0)
                             : nullptr;
  if (BaseHref != nullptr) {
    Base.assign(BaseHref);
  } else if (Base.length == 0) {
    if (T->webOrigin != nullptr && T->webOrigin->address.length > 0) {
      Base.assign(T->webOrigin->GetString(0x40));
      Origin = T->webOrigin;
    } else {
      Base = T->targetText;
    }
  }
  (void)BuildLinkList(R, &T->linkList, Origin, nullptr, Base.text, 1);  // a list that cannot be made stays empty
}

}  // namespace

int RunEngineJobOnTarget(batchwiztargetclass* T, BatchWizardJobClass* Job) {
  StrStore FileName;
  if (T->sourceDocument == nullptr) {
    if (T->has(TARGET_URL)) {
      if (T->webOrigin == nullptr) {
        return -9;
      }
      FileName = T->webOrigin->localFile;
    } else {
      FileName = T->targetText;
    }
    if (FileName.length == 0) {
      return -8;
    }
  }
  const int H = GetNewHandle(ZUB_KIND_JOB);
  if (H < 0) {
    return -1;
  }
  T->jobHandle = H;
  if (!SetJobKind(T, Job, H)) {
    FreeJob(T);
    return -2;
  }
  if (!SetJobInput(T, H, FileName)) {
    FreeJob(T);
    return -6;
  }
  const int Result = RunJobDirect(Job, H);
  if (Result < 0) {
    FreeJob(T);
    return -3;
  }
  T->resultHandle = Result;
  if (Job->optionFlags.has(BWF::LinkCheckWhenValidating) || T->has(TARGET_FOLLOW_LINKS)) {
    MakeLinkList(T);
  }
  if (T->has(TARGET_FOLLOW_LINKS)) {
    (void)AddFollowedLinks(T, Job);  // its refusals are logged or mean nothing is left to follow
  }
  T->setBit(TARGET_PROCESSED, true);
  if (WriteMessageTable(T, Job) < 0) {
    T->setBit(TARGET_FAILED, true);
  }
  return 0;
}

int RunToolOnTarget(batchwiztargetclass* T, int Mode, BatchWizardJobClass* Job) {
  const int H = GetNewHandle(ZUB_KIND_JOB);
  if (H < 0) {
    return -1;
  }
  T->jobHandle = H;
  int Code = 0;
  if (SetInteger(H, ZUB_JOB_KIND, Mode) < 0) {
    Code = -2;
  } else if (SetString(H, ZUB_JOB_NAME, T->targetText.text) < 0 ||
             SetFlag(H, ZUB_JOB_FLAGS, ZUB_JOB_FILE_OPTION, 1) < 0 ||
             SetFlag(H, ZUB_JOB_FLAGS, ZUB_JOB_READ_FILE, 1) < 0) {
    Code = -6;
  }
  if (Code != 0) {
    FreeJob(T);
    T->setBit(TARGET_PROCESSED, true);
    T->setBit(TARGET_FAILED, true);
    return Code;
  }
  T->setBit(TARGET_PROCESSED, true);
  const int Result = RunJobDirect(Job, H);
  if (Result < 0) {
    FreeJob(T);
    return -3;
  }
  Code = GetFlag(Result, ZUB_RESULT_FLAGS2, ZUB_RESULT_TOOL_FAILED) == 1 ? -7 : 0;
  FreeJob(T);
  (void)FreeHandle(Result);  // reported by the wrapper
  return Code;
}

bool IsLinkToFollow(batchwiztargetclass* T, BatchWizardJobClass* Job, StrStoreEx* Link) {
  const char* Absolute = Link->text;
  const StrStore A(Absolute);
  if (T->followLimitTo != nullptr && T->followLimitTo->length > 0) {
    const char* AsUsed = Link->getExtraString(LINK_STR_AS_USED);
    if (A.startsWithNoCase(T->followLimitTo->text) == 0 &&
        (AsUsed == nullptr || StrStore(AsUsed).startsWithNoCase(T->followLimitTo->text) == 0)) {
      return false;
    }
  }
  if (!Job->PassesExcludeStrings(nullptr, Absolute, EXCLUDE_GIVEN_TEXT)) {
    return false;
  }
  if (IsWebUrl(Absolute) == 0 && !IsAbsolutePath(Absolute)) {
    return false;
  }
  StrStore Address(A);
  Address.removeAnchor();
  Address.removeQuery();
  const StrStore Extension = GetFileExtension(Address.text, 2);
  const char* List = T->getString(TGET_EXTENSIONS | TGET_EMPTY_NOT_NULL);
  return Extension.length == 0 || FindInCommaList(Extension.text, List, 1) >= 0;
}

int AddFollowedLinks(batchwiztargetclass* T, BatchWizardJobClass* Job) {
  if (T->linkList == nullptr) {
    return -1;
  }
  if (Job->limitReached != 0) {
    return 1;
  }
  const int Depth = T->followDepthLimit;
  if (Depth == 0) {
    Job->Log(LOG_L3, StrStore("Follow links depth limit reached. Not following any links in this target."));
    return 0;
  }
  const int NewDepth = Depth == -1 ? -1 : Depth - 1;
  int Added = 0;
  for (int I = 0; I < T->linkList->getCount(); ++I) {
    auto* Link = static_cast<StrStoreEx*>(T->linkList->getPointer(I));
    if (Link == nullptr || !IsLinkToFollow(T, Job, Link)) {
      continue;
    }
    batchwiztargetclass* L = CreateTarget(Link->text, T, TARGET_KIND_LINK);
    if (L == nullptr) {
      return -3;
    }
    L->listView = nullptr;
    const int InFollowed = Job->followedLinks.findSortedPointer(L, CompareTargetsCallback);
    const bool InTemporary = Job->temporaryTargets.findSortedPointer(L, CompareTargetsCallback) != ZUB_NOT_FOUND;
    if (InFollowed == ZUB_NOT_FOUND && !InTemporary) {
      L->followDepthLimit = NewDepth;
      if (Job->followedLinks.addPointer(L, CompareTargetsCallback) < 0) {
        delete L;
        return -3;
      }
      ++Added;
      continue;
    }
    if (InFollowed != ZUB_NOT_FOUND && !InTemporary) {
      auto* Waiting = static_cast<batchwiztargetclass*>(Job->followedLinks.getPointer(InFollowed));
      if (NewDepth == -1 || (Waiting->followDepthLimit != -1 && NewDepth > Waiting->followDepthLimit)) {
        Waiting->followDepthLimit = NewDepth;
      }
    }
    delete L;
  }
  StrStore Line("Added ");
  Job->Log(LOG_L2, Line.appendInt(Added).append(" new link targets to follow."));
  return 0;
}

namespace {

struct ToolRow {
  const char* before;
  bool display;  // the display name (else the target's text)
  int mode;      // the tool job's mode; 0 for the document job
};

const ToolRow* ToolOf(int Tool) {
  static const ToolRow Rows[] = {
      {"Validating \"", true, 0},
      {"Using the Uppercase Tool on \"", false, ZUB_JOB_UPPER_CASE},
      {"Using the Lowercase Tool on \"", false, ZUB_JOB_LOWER_CASE},
      {"Using the Strip Tool on \"", false, ZUB_JOB_STRIP_TAGS},
      {"Using the Convert File Format Tool on \"", false, ZUB_JOB_TEXT_FORMAT},
      {"Using the Template Tool on \"", false, ZUB_JOB_TEMPLATE},
      {"Extracting links from \"", true, 0},
      {"Spell checking \"", true, 0},
      {"Using the Quote Attribute Values Tool on \"", false, ZUB_JOB_QUOTE_VALUES},
  };
  return Tool >= 1 && Tool <= 9 ? &Rows[Tool - 1] : nullptr;
}

// Runs the tool on one active target; false for a tool number outside 1-9. Validated counts validations.
bool ProcessOne(batchwiztargetclass* T, BatchWizardJobClass* Job, int& Validated) {
  const ToolRow* Row = ToolOf(Job->toolNumber);
  if (Row == nullptr) {
    Job->Log(LOG_L1, StrStore("*** Error in switch() in batchwiztargetclass::ProcessArray() ***"), LOG_ERROR);
    return false;
  }
  const unsigned long long Start = Clock().MonotonicNs();
  StrStore Line(Row->before);
  Line.append(Row->display ? T->getString(TGET_DISPLAY_NAME) : T->targetText.text).append("\"...");
  Job->Log(LOG_L1, Line);
  int Result = 0;
  if (T->sourceDocument != nullptr && !T->documentAlive()) {
    // The document was closed while the run pumped messages: nothing of it may be touched any more.
    Line.assign("The document \"").appendStore(T->targetText).append("\" was closed during the run.");
    Job->Log(LOG_L1, Line, LOG_ERROR);
    (void)FreeHandle(T->resultHandle);  // reported by the wrapper
    T->resultHandle = -1;
    T->sourceDocument = nullptr;
    T->setBit(TARGET_PROCESSED, true);
    T->setBit(TARGET_FAILED, true);
    Result = -1;
  } else if (Row->mode == 0) {
    Result = RunEngineJobOnTarget(T, Job);
    T->setBit(TARGET_PROCESSED, true);
    if (Result < 0) {
      T->setBit(TARGET_FAILED, true);
    } else if (Job->toolNumber == TOOL_VALIDATE) {
      ++Validated;
    }
  } else {
    Result = RunToolOnTarget(T, Row->mode, Job);
  }
  if (Result < 0) {
    Job->Log(LOG_L1, StrStore("*** A problem occurred processing this target. ***"), LOG_ERROR);
  }
  Line.assign("Target processed in ").appendStore(FormatSeconds(SecondsSince(Start))).append(" seconds.");
  Job->Log(LOG_L2, Line);
  return true;
}

// Moves the followed links into the temporary list while the limit allows; the rest are deleted.
void MoveFollowedLinks(BatchWizardJobClass* Job) {
  const batchwizclass* S = BatchSettings();
  const int Limit = S != nullptr ? S->targetListLimit : 1000;
  int I = 0;
  for (; I < Job->followedLinks.getCount(); ++I) {
    if (Job->temporaryTargets.getCount() >= Limit) {
      ReportTargetLimitReached(Job);
      break;
    }
    auto* L = static_cast<batchwiztargetclass*>(Job->followedLinks.getPointer(I));
    L->reset(TRESET_RUN | TRESET_PROCESS);
    if (Job->temporaryTargets.addPointer(L, CompareTargetsCallback) < 0) {
      break;
    }
    Job->followedLinks.elements[I] = nullptr;  // moved: the temporary list owns it now
  }
  (void)Job->followedLinks.removeAllPointers(0);  // frees the links not moved; null slots are skipped
}

}  // namespace

int ProcessArray(int* AbortWord, BatchWizardJobClass* Job) {
  (void)AbortWord;  // the job reads its host's abort word
  if (Job == nullptr || Job->host == nullptr) {
    return -1;
  }
  BatchWizardHost& Host = *Job->host;
  const int P0 = Host.GetProgress();
  const batchwizclass* S = BatchSettings();
  const int Limit = S != nullptr ? S->targetListLimit : 1000;
  int Done = 0;
  int Validated = 0;
  bool Stopped = false;
  while (!Stopped && !Job->aborted() && Job->anotherPass != 0) {
    const int N = Job->temporaryTargets.getCount();
    Job->anotherPass = 0;
    for (int I = 0; I < N; ++I) {
      Host.ProcessMessages();
      if (Job->aborted()) {
        Job->Log(LOG_L1, StrStore(), LOG_ABORT);
        Stopped = true;
        break;
      }
      auto* T = static_cast<batchwiztargetclass*>(Job->temporaryTargets.getPointer(I));
      if (T == nullptr || T->has(TARGET_PROCESSED) || T->has(TARGET_DIRECTORY)) {
        continue;
      }
      if (!T->has(TARGET_PROCESS)) {
        T->setBit(TARGET_PROCESSED, true);
      } else if (!ProcessOne(T, Job, Validated)) {
        continue;
      }
      ++Done;
      const int Total = std::min(N + Job->followedLinks.getCount(), Limit);
      if (Total > 0) {
        const int Value = P0 + static_cast<int>(static_cast<double>(Done) / Total * 80);
        Host.SetProgressWithCounts(Value, Done, PROGRESS_SET | PROGRESS_COUNTS, Total);
      }
    }
    Job->anotherPass = Job->followedLinks.getCount() > 0 && !Job->aborted() && !Stopped ? 1 : 0;
    if (Job->anotherPass != 0 && Job->limitReached == 0) {
      MoveFollowedLinks(Job);
    } else if (Job->limitReached != 0) {
      (void)Job->followedLinks.removeAllPointers(0);  // no room left for them
      Job->anotherPass = 0;
    }
    if (Job->anotherPass != 0) {
      Job->Log(LOG_L2, StrStore("Making another pass to validate the followed links..."));
      (void)StartDownloads(Job, &Host.abortWord, DOWNLOAD_START);  // failures are logged per target
      WaitForDownloads(Job, &Host.abortWord, DOWNLOAD_WAIT);
    }
  }
  if (Validated > 0) {
    StrStore Line;
    Line.appendInt(Validated).append(" targets validated, ").appendInt(Job->targetReportCount);
    Job->Log(LOG_L1, Line.append(" target reports generated."));
  }
  if (Job->ToolMakesReports() && Job->optionFlags.has(BWF::LinkCheckWhenValidating)) {
    (void)CheckAllLinks(&Job->temporaryTargets, Job);  // always 0 here
  }
  if (ZUBCalls.ZUBSetInteger3 != nullptr) {
    (void)ZUBCalls.ZUBSetInteger3(ZUB_VALIDATE_ALL_DONE, 1);  // a mark for the engine; nothing depends on it here
  }
  return 0;
}

int CheckAllLinks(PointerArrayManager* Temporary, BatchWizardJobClass* Job) {
  if (Temporary == nullptr || Job == nullptr) {
    return -1;
  }
  const unsigned long long Start = Clock().MonotonicNs();
  Job->Log(LOG_L1, StrStore("Checking links (this could take awhile)..."));
  for (int I = 0; I < Temporary->getCount(); ++I) {
    auto* T = static_cast<batchwiztargetclass*>(Temporary->getPointer(I));
    if (T != nullptr && T->linkList != nullptr) {
      (void)SubmitLinksForCheck(T->linkList, 1);  // a refusal leaves those links unchecked
    }
  }
  Job->runState |= RUNSTATE_FINAL_LINK_CHECK;
  (void)RunLinkCheckJob(Job->optionFlags.has(BWF::ProgressBar) ? 11 : 3);  // failures are reported by it
  Job->runState &= ~RUNSTATE_FINAL_LINK_CHECK;
  for (int I = 0; I < Temporary->getCount(); ++I) {
    auto* T = static_cast<batchwiztargetclass*>(Temporary->getPointer(I));
    if (T != nullptr && T->linkList != nullptr) {
      (void)ReadLinkStatuses(T->linkList, 1);  // always 0
      T->badLinkCount = T->linkList->tags != nullptr ? T->linkList->tags->getInt(LINKS_TAG_BAD) : 0;
      T->warningLinkCount = T->linkList->tags != nullptr ? T->linkList->tags->getInt(LINKS_TAG_WARNING) : 0;
      T->badLinkCount = T->badLinkCount < 0 ? 0 : T->badLinkCount;
      T->warningLinkCount = T->warningLinkCount < 0 ? 0 : T->warningLinkCount;
    }
  }
  StrStore Line("Links checked in ");
  Job->Log(LOG_L1, Line.appendStore(FormatSeconds(SecondsSince(Start))).append(" seconds."));
  return 0;
}
