// The HTML reports of a batch run: each target's report section, the link tables and the report pages (a single
// page, or a root page with pages of target sections).
#pragma once

#include "core/Strstore.h"

class BatchWizardJobClass;
class FileStore;
class PointerArrayManager;
class batchwiztargetclass;

// Pages of WriteReportPage.
inline constexpr int REPORT_SINGLE_PAGE = -1;
inline constexpr int REPORT_ROOT_PAGE = 0;
// Flags of GetReportPageFileName.
inline constexpr int PAGENAME_FILE_PART = 0x1;
// The maker's site and notice written into every page.
inline constexpr const char REPORT_MAKER_SITE[] = "http://www.palvane.com/";
inline constexpr const char REPORT_MAKER_NOTICE[] = "Copyright (c) Palvane. All rights reserved.";

// Writes the report pages. 0.
int CompileReports2(BatchWizardJobClass* Job);
// One page (see REPORT_*; n >= 1 a target page); Written counts the targets written. 0, -1 without targets, -2
// when the file cannot be written.
[[nodiscard]] int WriteReportPage(PointerArrayManager* Targets, const char* FileName, int* Written, int Page,
                                  BatchWizardJobClass* Job);
int GetReportPageCount(const BatchWizardJobClass* Job);
// The file of page n: the report file with n before its extension; pages below 1 give the report file.
StrStore GetReportPageFileName(const char* ReportFile, int Page, int Flags);
// The navigation paragraph of a page; empty unless the report has several pages.
StrStore BuildPageNavigation(const BatchWizardJobClass* Job, int Page);
// Starts the target's report section (once). 0, -1 when it cannot be made.
int WriteTargetHeading(batchwiztargetclass* Target, BatchWizardJobClass* Job);
void WriteTargetNavigation(FileStore* Page, batchwiztargetclass* Target, BatchWizardJobClass* Job);
// Reads the target's counts and writes its message table. 1 skipped for a clean target, 0 written, -1 without
// result or job handle. Frees the job handle and, except in a documents run, the result handle.
int WriteMessageTable(batchwiztargetclass* Target, BatchWizardJobClass* Job);
// The target's link table (and frees its link list). 0, -1 without a job.
int WriteLinkTable(batchwiztargetclass* Target, BatchWizardJobClass* Job);
// The quoted source line of a message: the characters from Column (from 1) for Length (negative: 1) highlighted;
// the whole line without highlight when the column lies outside it. Encoded.
StrStore QuoteSourceLine(const char* Source, int Column, int Length);
// Adds Text to the lines, split at each line feed (a final line feed ends the last line).
void AddReportText(FileStore* Lines, const char* Text);
// The built-in style sheet's rules, one per line.
extern const char* const BUILT_IN_REPORT_CSS[];
