// The batch job driver: one run from the target list (or a ready list of open documents) to the report.
#include "batchwizard/Batchjob.h"
#include "batchwizard/Batchprocess.h"
#include "batchwizard/Batchreports.h"
#include "batchwizard/Batchwizardhost.h"
#include "batchwizard/Httppool.h"
#include "core/Prgclass.h"
#include "core/Timeutils.h"

#include "platform/rtl/FileUtils.h"
#include "platform/win/Clock.h"

#include <filesystem>
#include <new>

namespace {

StrStore TimeAndDate(const char* Before) {
  StrStore Line(Before);
  Line.append(GetTimeString(nullptr)).append(" on ").append(GetDateString(nullptr)).append(".");
  return Line;
}

bool SameFile(const char* A, const char* B) {
  std::error_code Ec;
  return std::filesystem::equivalent(A, B, Ec) && !Ec;
}

// The report's base name, the style sheet beside it and the footer. False when out of memory.
bool PrepareReportFiles(BatchWizardJobClass* Job, batchwizclass* S) {
  const StrStore* Report = S->getString(BWGET_REPORT | BWGET_LIST_WINS);
  Job->reportBaseName = Report != nullptr ? *Report : StrStore();
  int Dot = -1;
  for (int I = Job->reportBaseName.length - 1; I >= 0 && Job->reportBaseName.text[I] != PathDelim; --I) {
    if (Job->reportBaseName.text[I] == '.') {
      Dot = I;
      break;
    }
  }
  if (Dot >= 0) {
    Job->reportBaseName = SubString(Job->reportBaseName, 0, Dot - 1);
  }
  Job->cssLinkName = Job->reportBaseName;
  Job->cssLinkName.append(".css");
  const StrStore* TemplateName = S->getString(BWGET_CSS | BWGET_LIST_WINS);
  const StrStore Template = TemplateName != nullptr ? *TemplateName : StrStore();
  if (DoesFileExist(Template.text) != 0) {
    std::error_code Ec;
    // A template that is the report's own style sheet is used as it stands: copying it onto itself would
    // truncate it.
    if (!SameFile(Template.text, Job->cssLinkName.text)) {
      std::filesystem::copy_file(Template.text, Job->cssLinkName.text,
                                 std::filesystem::copy_options::overwrite_existing, Ec);
    }
    if (!Ec) {
      StrStore Line("Successfully copied external CSS template file \"");
      Line.appendStore(Template).append("\" to \"").appendStore(Job->cssLinkName);
      Job->Log(LOG_L3, Line.append("\". Using this external stylesheet."));
      Job->cssLinkName = GetPathFileName(Job->cssLinkName.text);
      Job->cssFlags |= 0x1;
    } else {
      StrStore Line("Failed to copy external CSS file \"");
      Line.appendStore(Template).append("\" to \"").appendStore(Job->cssLinkName);
      Job->Log(LOG_L1, Line.append("\". Falling back to using internal default CSS instead."), LOG_ERROR);
    }
  } else {
    StrStore Line("External CSS file \"");
    Line.appendStore(Template).append(
        "\" cannot be opened. Does it exist? Falling back to using internal default "
        "CSS instead.");
    Job->Log(LOG_L1, Line, LOG_ERROR);
  }
  const StrStore* FooterName = S->getString(BWGET_FOOTER | BWGET_LIST_WINS);
  if (FooterName != nullptr && FooterName->length > 0) {
    Job->footerLines.reset(new (std::nothrow) FileStore);
    if (Job->footerLines == nullptr) {
      return false;
    }
    StrStore Line;
    if (Job->footerLines->loadFile(FooterName->text, "rb") == 1) {
      Line.assign("Successfully using footer file \"").appendStore(*FooterName).append("\".");
      Job->Log(LOG_L3, Line);
    } else {
      Job->footerLines.reset();
      Line.assign("External footer file \"").appendStore(*FooterName);
      Line.append("\" cannot be opened. Does it exist? Falling back to using internal default footer instead.");
      Job->Log(LOG_L1, Line, LOG_ERROR);
    }
  } else {
    Job->Log(LOG_L3, StrStore("Footer filename not specified so using internal default footer."));
  }
  return true;
}

// Steps 8 to 12 of a run: the temporary list, the downloads and the folder expansion. False when out of memory.
bool GatherTargets(BatchWizardHost& Host, BatchWizardJobClass* Job, PointerArrayManager* Documents, int N) {
  const bool Documents0 = Job->isDocumentsRun();
  if (!Job->aborted()) {
    StrStore Line;
    Line.appendInt(N).append(" initial ").append(N == 1 ? "target" : "targets").append(" to process.");
    Job->Log(LOG_L1, Line);
    Job->Log(LOG_L3, StrStore("Generating a temporary list of targets to process..."));
    int Built = 0;
    if (Documents0) {
      Built = BuildTemporaryTargetList(Documents, Job, TEMPLIST_DOCUMENTS);
    } else {
      Job->Log(LOG_L3, StrStore("Adding targets with process set to 'Yes' (active targets) to the temporary list "
                                "(excluding URLs if not using the validator, targets flagged 'N' if using the "
                                "validator, and targets matching exclude strings)..."));
      Built = BuildTemporaryTargetList(Job->sourceList, Job, TEMPLIST_ACTIVE_TARGETS | TEMPLIST_SORTED);
    }
    if (Built == -2) {
      return false;
    }
    Line.assign("");
    Job->Log(LOG_L2, Line.appendInt(Job->temporaryTargets.getCount())
                         .append(" active target(s) added to the "
                                 "temporary list."));
  }
  Host.SetProgress(3, PROGRESS_SET);
  Host.ProcessMessages();
  if (!Documents0 && !Job->aborted()) {
    (void)StartDownloads(Job, &Host.abortWord, DOWNLOAD_START);  // a pool without slots was logged per target
  }
  Host.SetProgress(10, PROGRESS_SET);
  Host.ProcessMessages();
  if (!Documents0 && !Job->aborted()) {
    Job->Log(LOG_L1, StrStore("Expanding the directory targets into file targets..."));
    (void)ExpandDirectories(Job, &Host.abortWord);  // always 0
    StrStore Line;
    Job->Log(LOG_L2, Line.appendInt(Job->temporaryTargets.getCount()).append(" target(s) now in temporary list."));
  }
  Host.ProcessMessages();
  if (!Documents0 && !Job->aborted()) {
    WaitForDownloads(Job, &Host.abortWord, DOWNLOAD_WAIT);
  }
  Host.SetProgress(15, PROGRESS_SET);
  Host.ProcessMessages();
  if (!Documents0 && Job->aborted()) {
    Job->Log(LOG_L1, StrStore("Aborting any HTTP requests already in progress..."));
    (void)AbortHttpRequests(Job, ABORT_ALL);  // the count is not needed
    FinishAbortedDownloads(Job);
  }
  return true;
}

// Steps 13 to 16: processing, reports, copy-back and the process-No marking.
void RunAndReport(BatchWizardHost& Host, BatchWizardJobClass* Job) {
  const bool Documents0 = Job->isDocumentsRun();
  Host.ProcessMessages();
  if (!Job->aborted()) {
    Job->Log(LOG_L1, StrStore("Processing targets..."));
    for (int I = 0; I < Job->temporaryTargets.getCount(); ++I) {
      static_cast<batchwiztargetclass*>(Job->temporaryTargets.getPointer(I))->reset(TRESET_COUNTS | TRESET_PROCESSED);
    }
    (void)ProcessArray(&Host.abortWord, Job);  // per-target failures are logged there
  }
  Host.SetProgress(95, PROGRESS_SET);
  if (Job->ToolMakesReports()) {
    Job->Log(LOG_L2, StrStore("Compiling report(s)..."));
    (void)CompileReports2(Job);  // always 0; page failures are logged
  }
  Host.SetProgress(98, PROGRESS_SET);
  Host.ProcessMessages();
  if (!Documents0 && !Job->aborted() && Job->ToolMakesReports() && Job->sourceList != nullptr) {
    Job->Log(LOG_L3, StrStore("Updating the original list of targets with the results of the temporary list..."));
    CopyResultsBack(Job, &Job->temporaryTargets, Job->sourceList);
  }
  Host.ProcessMessages();
  if (!Documents0 && !Job->aborted() && Job->optionFlags.has(BWF::UnsetCleanTargets) &&
      Job->toolNumber == TOOL_VALIDATE && Job->sourceList != nullptr) {
    Job->Log(LOG_L3, StrStore("Setting process to 'No' for processed targets that have no errors or warnings..."));
    SetProcessNoForCleanTargets(Job, Job->sourceList);
  }
}

}  // namespace

int BatchWizardHost::ProcessTargets(TObject* Sender, PointerArrayManager* Documents, int Flags) {
  (void)Sender;
  const bool DocumentsRun = (Flags & 0x1) != 0;
  if (DocumentsRun && Documents == nullptr) {
    return -1;
  }
  if (running != 0) {
    return -3;
  }
  batchwizclass* S = BatchSettings();
  if (S == nullptr) {
    return -2;
  }
  SyncListOptions(SYNC_FROM_FIELDS);
  auto* Job = new (std::nothrow) BatchWizardJobClass(this);
  if (Job == nullptr) {
    return -2;
  }
  runningJob = Job;
  running = 1;
  ShowListStatus(STATUS_PROCESSING);
  SetProgress(0, PROGRESS_ZERO);
  UpdateRunningState(true);
  SetBusyCursor(true);
  const unsigned long long Start = Clock().MonotonicNs();
  ClearLog();
  AddLogLine(LOG_L1, TimeAndDate("Begin processing at "), 0);
  abortWord = 0;
  S->prepareRun(PREPARE_CONFIGURATION);
  Job->configurationIndex = S->configurationIndex;
  Job->optionFlags = S->optionFlags;
  bool Ok = true;
  if (BatchWizardJobClass::ToolMakesReports(S->toolNumber)) {
    Ok = PrepareReportFiles(Job, S);
  }
  int N = 0;
  if (DocumentsRun) {
    Job->toolNumber = TOOL_VALIDATE;
    Job->callerFlags = Flags;
    N = Documents->getCount();
  } else {
    const StrStore* Exclude = S->getString(BWGET_LIST_EXCLUDE);
    Job->SetExcludeStrings(Exclude != nullptr ? Exclude->text : nullptr);
    Job->sourceList = BatchTargetList();
    N = Job->sourceList != nullptr ? Job->sourceList->getCount() : 0;
    Job->toolNumber = S->toolNumber;
    if (Job->toolNumber == TOOL_LINK_CHECK) {
      Job->optionFlags.set(BWF::LinkCheckWhenValidating, true);
      Job->optionFlags.set(BWF::ReportsOnlyWithProblems, true);
    }
  }
  if (Ok) {
    Ok = GatherTargets(*this, Job, Documents, N);
  }
  if (Ok) {
    RunAndReport(*this, Job);
  }
  AddLogLine(LOG_L3, "Deleting the temporary list of targets and cleaning up...", 0);
  runningJob = nullptr;
  delete Job;
  SetProgress(0, PROGRESS_FULL);
  AddLogLine(LOG_L1, TimeAndDate("End processing at "), 0);
  StrStore Total("Total processing time was ");
  const auto Ms = static_cast<Int64>((Clock().MonotonicNs() - Start) / 1000000ull);
  AddLogLine(LOG_L1, Total.appendStore(FormatElapsedTime(Ms)).append("."), 0);
  ShowListStatus(STATUS_COMPLETE);
  SetBusyCursor(false);
  running = 0;
  UpdateRunningState(false);
  return Ok ? 0 : -2;
}
