// The batch reports: report sections, message and link tables, and the page files.
#include "batchwizard/Batchreports.h"

#include "batchwizard/Batchjob.h"
#include "batchwizard/Batchwizardhost.h"
#include "core/Batchwizclass.h"
#include "core/Filestore.h"
#include "core/Linklist.h"
#include "core/Timeutils.h"
#include "core/Validatorlib.h"

#include "platform/rtl/FileUtils.h"
#include "platform/win/Clock.h"

#include <cstring>
#include <new>
#include <string>

const char* const BUILT_IN_REPORT_CSS[] = {
    "body { background-color: white; font-family: arial, helvetica, sans-serif; font-size: small; color: black; }",
    "p { color: black; }",
    "a:hover { color: red; }",
    "li { color: black; }",
    "h1 { font-weight: bold; font-size: x-large; }",
    "h1.title { font-weight: bold; font-size: x-large; color: #202070; }",
    "h2 { font-size: large; }",
    "h3 { font-size: medium; }",
    "h3.target { color: #202070; }",
    "th { background-color: #6666ff; color: white; font-size: small; font-weight: bold; text-align: left; }",
    "td { background-color: #ffffbb; color: black; font-size: small; }",
    "table.validatormsgs { width: 100%; }",
    "table.linkcheck { margin-top: 10px; width: 100%; }",
    ".msgdescription { color: black; }",
    ".htmlsource { font-family: \"courier new\", monospace; color: blue; }",
    ".htmlsourcehighlight { color: red; font-weight: bold; }",
    ".errormsgtype { color: red; font-weight: bold; }",
    ".badlinkstatus { color: red; font-weight: bold; }",
    ".warningmsgtype { font-weight: bold; }",
    ".footer { font-family: tahoma, verdana, sans-serif; font-size: small; }",
    nullptr,
};

namespace {

// Appends N bytes of Text with "&", "<", ">" and the double quote as entities (runs without them in one piece).
void AppendSafe(std::string& Out, const char* Text, int N) {
  int Run = 0;
  for (int I = 0; I < N; ++I) {
    const char* Entity = nullptr;
    switch (Text[I]) {
      case '&': Entity = "&amp;"; break;
      case '<': Entity = "&lt;"; break;
      case '>': Entity = "&gt;"; break;
      case '"': Entity = "&quot;"; break;
      default: continue;
    }
    Out.append(Text + Run, static_cast<std::size_t>(I - Run)).append(Entity);
    Run = I + 1;
  }
  Out.append(Text + Run, static_cast<std::size_t>(N - Run));
}

void AppendSafe(std::string& Out, const char* Text) {
  if (Text != nullptr) {
    AppendSafe(Out, Text, static_cast<int>(std::strlen(Text)));
  }
}

// Names, addresses and texts from documents and links, encoded as above.
StrStore Safe(const char* Text) {
  std::string Out;
  AppendSafe(Out, Text);
  StrStore S;
  (void)S.setString(Out.data(), static_cast<int>(Out.size()));  // out of memory only shortens the report
  return S;
}

// An address or path as an attribute value: the bytes a URI may not hold are %-escaped (escapes already there are
// kept), then the text is encoded as above.
StrStore Href(const char* Text) {
  static const char Hex[] = "0123456789ABCDEF";
  StrStore Out;
  for (const char* P = Text != nullptr ? Text : ""; *P != 0; ++P) {
    const auto C = static_cast<unsigned char>(*P);
    if (C <= 0x20 || C >= 0x7F || std::strchr("\"<>\\^`{|}", C) != nullptr) {
      Out.appendChar('%').appendChar(Hex[C >> 4]).appendChar(Hex[C & 0xF]);
    } else {
      Out.appendChar(static_cast<char>(C));
    }
  }
  return Safe(Out.text);
}

StrStore Plural(int N, const char* Word) {
  StrStore S;
  S.appendInt(N).append(" ").appendStore(Pluralize(Word, N));
  return S;
}

bool Opt(const BatchWizardJobClass* Job, unsigned Bits) { return (Job->optionFlags.bits & Bits) == Bits; }

int ReportsPerPage() {
  const batchwizclass* S = BatchSettings();
  return S != nullptr ? S->reportsPerPage : 10;
}

StrStore ReportFile() {
  const batchwizclass* S = BatchSettings();
  const StrStore* R = S != nullptr ? S->getString(BWGET_REPORT | BWGET_LIST_WINS) : nullptr;
  return R != nullptr ? *R : StrStore();
}

}  // namespace

void AddReportText(FileStore* Lines, const char* Text) {
  (void)Lines->addLine(Text, 0);  // a lost line only shortens the report
}

int GetReportPageCount(const BatchWizardJobClass* Job) {
  const int PerPage = ReportsPerPage() > 0 ? ReportsPerPage() : 1;
  return Job->targetReportCount == 0 ? 1 : (Job->targetReportCount - 1) / PerPage + 2;
}

StrStore GetReportPageFileName(const char* ReportFile, int Page, int Flags) {
  StrStore Name(ReportFile != nullptr ? ReportFile : "");
  if (Page >= 1) {
    int Dot = -1;
    for (int I = Name.length - 1; I >= 0 && Name.text[I] != PathDelim; --I) {
      if (Name.text[I] == '.') {
        Dot = I;
        break;
      }
    }
    StrStore Number;
    Number.appendInt(Page);
    if (Dot < 0) {
      Name.appendStore(Number);
    } else {
      StrStore Out = SubString(Name, 0, Dot - 1);
      Out.appendStore(Number).append(Name.text + Dot);
      Name = Out;
    }
  }
  return (Flags & PAGENAME_FILE_PART) != 0 ? GetPathFileName(Name.text) : Name;
}

StrStore BuildPageNavigation(const BatchWizardJobClass* Job, int Page) {
  StrStore Nav;
  if (!Opt(Job, 0x10)) {
    return Nav;
  }
  const int N = GetReportPageCount(Job);
  const StrStore Report = ReportFile();
  auto Link = [&](int P, const StrStore& Text) {
    StrStore L("<a href=\"");
    L.appendStore(Safe(GetReportPageFileName(Report.text, P, PAGENAME_FILE_PART).text)).append("\">");
    return L.appendStore(Text).append("</a>");
  };
  Nav.assign("  <p>Multiple page report: <b>");
  Nav.appendStore(Page >= 1 ? Link(Page - 1, StrStore("Previous")) : StrStore("Previous")).append(" ");
  for (int I = 0; I < N; ++I) {
    StrStore Number;
    Number.appendInt(I);
    Nav.appendStore(I == Page ? Number : Link(I, Number)).append(" ");
  }
  Nav.appendStore(Page + 1 < N ? Link(Page + 1, StrStore("Next")) : StrStore("Next")).append(" ");
  return Nav.append("</b></p>");
}

int WriteTargetHeading(batchwiztargetclass* T, BatchWizardJobClass* Job) {
  if (T->reportPageNumber != -1) {
    return 0;
  }
  delete T->targetReport;
  T->targetReport = new (std::nothrow) FileStore;
  if (T->targetReport == nullptr) {
    return -1;
  }
  const char* Display = T->getString(TGET_DISPLAY_NAME);
  StrStore Line("  <h3 class=\"target\"><a class=\"target\" name=\"");
  Line.appendInt(T->targetId).append("\" id=\"").appendInt(T->targetId).append("\" target=\"_blank\" href=\"");
  Line.appendStore(Href(Display)).append("\">").appendStore(Safe(Display)).append("</a></h3>\n");
  AddReportText(T->targetReport, Line.text);
  const int Order = Job->targetReportCount++;
  const int PerPage = ReportsPerPage();
  T->reportPageNumber = Opt(Job, 0x10) && PerPage != 0 ? Order / PerPage + 1 : 0;
  return 0;
}

void WriteTargetNavigation(FileStore* Page, batchwiztargetclass* T, BatchWizardJobClass* Job) {
  (void)T;
  StrStore Line("\n  <p align=\"right\">");
  if (Opt(Job, 0x10)) {
    Line.append("[ <a href=\"").appendStore(Safe(GetReportPageFileName(ReportFile().text, 0, PAGENAME_FILE_PART).text));
    Line.append("#top\">To page 0</a> ] ");
  }
  Line.append("[ <a href=\"#top\">To the top</a> ]</p>\n\n");
  AddReportText(Page, Line.text);
}

namespace {

int ResultInt(int Handle, int Id) {
  return ZUBCalls.ZUBGetIntegerEZ != nullptr ? ZUBCalls.ZUBGetIntegerEZ(Handle, Id) : -1;
}

int MessageInt(int Handle, int Id, int I) {
  return ZUBCalls.ZUBGetInteger2EZ != nullptr ? ZUBCalls.ZUBGetInteger2EZ(Handle, Id, I) : -1;
}

const char* MessageText(int Handle, int Id, int I) {
  return ZUBCalls.ZUBGetString2 != nullptr ? ZUBCalls.ZUBGetString2(Handle, Id, I) : nullptr;
}

const char* EngineText6(int Id, int Arg) {
  return ZUBCalls.ZUBGetString6 != nullptr ? ZUBCalls.ZUBGetString6(Id, Arg) : nullptr;
}

void QuoteSourceLineInto(std::string& Row, const char* Source, int Column, int Length) {
  const int N = static_cast<int>(std::strlen(Source));
  Row.append("<p class=\"htmlsource\">");
  if (Column < 1 || Column > N) {
    AppendSafe(Row, Source, N);
  } else {
    const int From = Column - 1;
    const int Span = Length < 0 ? 1 : Length;
    const int To = From + Span > N ? N : From + Span;
    AppendSafe(Row, Source, From);
    Row.append("<span class=\"htmlsourcehighlight\">");
    AppendSafe(Row, Source + From, To - From);
    Row.append("</span>");
    AppendSafe(Row, Source + To, N - To);
  }
  Row.append("<br>&nbsp;</p>");
}

}  // namespace

StrStore QuoteSourceLine(const char* Source, int Column, int Length) {
  std::string Row;
  QuoteSourceLineInto(Row, Source, Column, Length);
  return StrStore(Row.c_str());
}

namespace {

// One row of the message table, built in Row (emptied first).
void MessageRow(std::string& Row, const batchwiztargetclass* T, const BatchWizardJobClass* Job, int R, int I) {
  const int Type = MessageInt(R, ZUB_MSG_TYPE, I);
  const int Id = MessageInt(R, ZUB_MSG_KIND, I);
  const int Line = MessageInt(R, ZUB_MSG_LINE, I);
  const int Column = MessageInt(R, ZUB_MSG_CHAR, I);
  const int Length = MessageInt(R, ZUB_MSG_LENGTH, I);
  Row.assign("    <tr><td valign=\"top\">");
  if (Line < 1) {
    Row.append("&nbsp;");
  } else {
    Row.append(std::to_string(Line));
    if (Column > 0) {
      Row.append(":").append(std::to_string(Column));
    }
  }
  Row.append("</td><td valign=\"top\">");
  const char* Span = Type == ZUB_MSG_ERROR ? "<span class=\"errormsgtype\">"
                                           : (Type == ZUB_MSG_WARNING ? "<span class=\"warningmsgtype\">" : "");
  Row.append(Span);
  AppendSafe(Row, EngineText6(ZUB_TYPE_NAME, Type));
  Row.append(*Span != 0 ? "</span>" : "");
  const char* Extra = MessageText(R, ZUB_MSG_CATEGORY, I);
  if (Extra != nullptr && *Extra != 0) {
    Row.append(" (");
    AppendSafe(Row, Extra);
    Row.append(")");
  }
  const int Version = ZUBCalls.ZUBGetInteger3EZ != nullptr ? ZUBCalls.ZUBGetInteger3EZ(ZUB_ENGINE_VERSION) : 0;
  const char* IdText = Version >= 50100 ? EngineText6(ZUB_KIND_TEXT, Id) : nullptr;
  if (IdText != nullptr && *IdText != 0) {
    Row.append(" ");
    AppendSafe(Row, IdText);
  }
  Row.append("</td><td valign=\"top\"><span class=\"msgdescription\">");
  AppendSafe(Row, MessageText(R, ZUB_MSG_TEXT, I));
  Row.append("</span>");
  const bool Quote = (Type == ZUB_MSG_ERROR && Opt(Job, 0x1)) || (Type == ZUB_MSG_WARNING && Opt(Job, 0x2)) ||
                     (Type == ZUB_MSG_MESSAGE && Opt(Job, 0x4));
  const char* Source = Quote && Line > 0 ? MessageText(T->jobHandle, ZUB_JOB_INPUT_LINE, Line - 1) : nullptr;
  if (Source != nullptr) {
    QuoteSourceLineInto(Row, Source, Column, Length);
  }
  Row.append("</td></tr>");
}

}  // namespace

int WriteMessageTable(batchwiztargetclass* T, BatchWizardJobClass* Job) {
  if (T == nullptr || Job == nullptr || T->resultHandle < 0 || T->jobHandle < 0) {
    return -1;
  }
  const int R = T->resultHandle;
  T->errorCount = ResultInt(R, ZUB_RESULT_ERRORS);
  T->warningCount = ResultInt(R, ZUB_RESULT_WARNINGS);
  T->misspellingCount = ResultInt(R, ZUB_RESULT_MISSPELLINGS);
  StrStore Line = Plural(T->errorCount, "error");
  Line.append(", ").appendStore(Plural(T->warningCount, "warning")).append(". ");
  const bool Skip = Opt(Job, 0x8) && T->errorCount <= 0 && T->warningCount <= 0;
  Line.append(Skip ? "Not generating validation report because there are no errors or warnings."
                   : "Generating validation report...");
  if (Job->toolNumber == TOOL_VALIDATE) {
    Job->Log(LOG_L3, Line);
  }
  int Result = Skip ? 1 : 0;
  if (!Skip && WriteTargetHeading(T, Job) == 0) {
    const int N = ResultInt(R, ZUB_RESULT_MESSAGES);
    if (N > 0) {
      AddReportText(T->targetReport,
                    "  <table class=\"validatormsgs\">\n   <tbody>\n    <tr><th width=\"70\">"
                    "Line:Char</th><th width=\"100\">Type</th><th>Message Description</th></tr>\n");
      std::string Row;
      for (int I = 1; I <= N; ++I) {
        MessageRow(Row, T, Job, R, I);
        AddReportText(T->targetReport, Row.c_str());
      }
      AddReportText(T->targetReport, "   </tbody>\n  </table>\n");
    }
  } else if (!Skip) {
    Result = -1;
  }
  if (!Job->isDocumentsRun()) {
    (void)FreeHandle(T->resultHandle);  // failures are reported by the wrapper
    T->resultHandle = -1;
  }
  (void)FreeHandle(T->jobHandle);  // as above
  T->jobHandle = -1;
  return Result;
}

namespace {

int ListTag(const PointerArrayManager* List, int Index) {
  return List->tags != nullptr ? List->tags->getInt(Index) : 0;
}

StrStore LinkRow(const BatchWizardJobClass* Job, StrStoreEx* Link, int Status) {
  auto Extra = [Link](int I) {
    const char* T = Link->getExtraString(I);
    return T != nullptr ? T : "";
  };
  StrStore Row("    <tr><td>");
  Row.appendInt(Link->spareInts.getInt(LINK_INT_ORDER)).append("</td><td>");
  const StrStore Address = Safe(Link->text);
  if (Opt(Job, 0x100000)) {
    Row.append("<a href=\"").appendStore(Href(Link->text)).append("\" target=\"_blank\">").appendStore(Address);
    Row.append("</a>");
  } else {
    Row.appendStore(Address);
  }
  Row.append("</td><td>");
  const char* Span = Status == LINK_BAD ? "<span class=\"badlinkstatus\">"
                                        : (Status == LINK_WARNING ? "<span class=\"warninglinkstatus\">" : nullptr);
  Row.append(Span).appendStore(Safe(Extra(LINK_STR_STATUS))).append(Span != nullptr ? "</span>" : "");
  Row.append("</td><td>").appendStore(Safe(Extra(LINK_STR_TYPE))).append("</td><td>");
  const char* Comment = Extra(LINK_STR_COMMENT);
  Row.appendStore(*Comment != 0 ? Safe(Comment) : StrStore("&nbsp;"));
  return Row.append("</td></tr>\n");
}

}  // namespace

int WriteLinkTable(batchwiztargetclass* T, BatchWizardJobClass* Job) {
  if (Job == nullptr) {
    return -1;
  }
  PointerArrayManager* Links = T->linkList;
  if (!Opt(Job, 0x20) || Links == nullptr || (T->badLinkCount <= 0 && !Opt(Job, 0x100))) {
    return 0;
  }
  if (WriteTargetHeading(T, Job) != 0) {
    return 0;
  }
  AddReportText(T->targetReport,
                "\n  <table class=\"linkcheck\">\n   <tbody>\n    <tr><th width=\"40\">Order</th>"
                "<th>Absolute URL</th><th width=\"100\">Status</th><th width=\"100\">Type</th>"
                "<th>Comment</th></tr>\n");
  int Rows = 0;
  for (int I = 0; I < Links->getCount(); ++I) {
    auto* Link = static_cast<StrStoreEx*>(Links->getPointer(I));
    if (Link == nullptr) {
      continue;
    }
    const int Status = Link->spareInts.getInt(LINK_INT_STATUS);
    const unsigned Needed = Status == LINK_NOT_CHECKED ? 0x40u
                            : Status == LINK_GOOD      ? 0x80u
                            : Status == LINK_BAD       ? 0x80000u
                            : Status == LINK_WARNING   ? 0x1000000u
                                                       : 0u;
    if (Needed != 0 && Opt(Job, Needed)) {
      AddReportText(T->targetReport, LinkRow(Job, Link, Status).text);
      ++Rows;
    }
  }
  const int Total = ListTag(Links, LINKS_TAG_TOTAL);
  StrStore Line("    <tr><td colspan=\"5\"><b>");
  Line.appendInt(Total).append(Total == 1 ? " link" : " links").append(" extracted; ").appendInt(T->badLinkCount);
  Line.append(" bad, ").appendInt(T->warningLinkCount).append(" warning, ").appendInt(ListTag(Links, LINKS_TAG_GOOD));
  Line.append(" good, ").appendInt(ListTag(Links, LINKS_TAG_NOT_CHECKED)).append(" not checked, ").appendInt(Rows);
  Line.append(" in this link report</b></td></tr>\n   </tbody>\n  </table>\n");
  AddReportText(T->targetReport, Line.text);
  delete T->linkList;
  T->linkList = nullptr;
  return 0;
}

namespace {

// The five lists of a page's summary.
struct SummaryLists {
  StrStore badLinks, noBadLinks, errors, warnings, clean;
};

StrStore SummaryHref(const BatchWizardJobClass* Job, const batchwiztargetclass* T, int Page) {
  StrStore H;
  if (Page != REPORT_SINGLE_PAGE && T->reportPageNumber != Page) {
    H = Safe(GetReportPageFileName(ReportFile().text, T->reportPageNumber, PAGENAME_FILE_PART).text);
  }
  (void)Job;
  return H.append("#").appendInt(T->targetId);
}

void AddSummaryEntry(SummaryLists& L, const BatchWizardJobClass* Job, batchwiztargetclass* T, int Page) {
  const StrStore Name = Safe(T->getString(TGET_DISPLAY_NAME));
  StrStore Linked("<a href=\"");
  Linked.appendStore(SummaryHref(Job, T, Page)).append("\">").appendStore(Name).append("</a>");
  if (T->badLinkCount > 0) {
    L.badLinks.append("   <li>").appendStore(Linked).append(" (").appendInt(T->badLinkCount).append(")</li>\n");
  } else if (Job->toolNumber == TOOL_LINK_CHECK) {
    L.noBadLinks.append("   <li>").appendStore(Opt(Job, 0x100) ? Linked : Name).append("</li>\n");
  }
  if (T->errorCount > 0) {
    L.errors.append("   <li>").appendStore(Linked).append(" (").appendInt(T->errorCount).append("), [and ");
    L.errors.appendStore(Plural(T->warningCount, "warning")).append("]</li>\n");
  } else if (T->warningCount > 0) {
    const bool Spelling = Job->toolNumber == TOOL_SPELL_CHECK && T->misspellingCount >= 0;
    L.warnings.append("   <li>").appendStore(Linked).append(" (");
    L.warnings.appendInt(Spelling ? T->misspellingCount : T->warningCount);
    L.warnings.append(Spelling ? " unique misspellings" : "").append(")</li>\n");
  } else {
    const bool Link = !Opt(Job, 0x8) || Opt(Job, 0x20 | 0x100);
    L.clean.append("   <li>").appendStore(Link ? Linked : Name).append("</li>\n");
  }
}

void WriteSummary(FileStore* B, PointerArrayManager* Targets, int Page, const BatchWizardJobClass* Job) {
  const bool Complete = Page < 1 || (Page == 1 && GetReportPageCount(Job) == 2);
  AddReportText(B,
                Complete ? "\n  <h2>Summary Report (Complete)</h2>\n\n" : "\n  <h2>Summary Report (Partial)</h2>\n\n");
  SummaryLists L;
  for (int I = 0; I < Targets->getCount(); ++I) {
    auto* T = static_cast<batchwiztargetclass*>(Targets->getPointer(I));
    if (T == nullptr || !T->has(TARGET_PROCESSED) || T->has(TARGET_FAILED) ||
        (Page >= 1 && T->reportPageNumber != Page)) {
      continue;
    }
    AddSummaryEntry(L, Job, T, Page);
  }
  StrStore Text;
  const bool Links = Opt(Job, 0x20);
  switch (Job->toolNumber) {
    case TOOL_VALIDATE:
      Text.append("  <h3>1. Documents that have errors</h3>\n  <ul>\n").appendStore(L.errors);
      Text.append("  </ul>\n\n  <h3>2. Documents that have warnings</h3>\n  <ul>\n").appendStore(L.warnings);
      Text.append("  </ul>\n\n  <h3>3. Documents that have no errors or warnings</h3>\n  <ul>\n").appendStore(L.clean);
      if (Links) {
        Text.append("  </ul>\n\n  <h3>4. Documents that have bad links</h3>\n  <ul>\n").appendStore(L.badLinks);
      }
      break;
    case TOOL_LINK_CHECK:
      Text.append("  <h3>1. Documents that have bad links</h3>\n  <ul>\n").appendStore(L.badLinks);
      Text.append("  </ul>\n\n  <h3>2. Documents that do not have bad links</h3>\n  <ul>\n").appendStore(L.noBadLinks);
      break;
    case TOOL_SPELL_CHECK:
      Text.append("  <h3>1. Documents that have possible misspellings</h3>\n  <ul>\n").appendStore(L.warnings);
      Text.append("  </ul>\n\n  <h3>2. Documents with no found possible misspellings</h3>\n  <ul>\n");
      Text.appendStore(L.clean);
      if (Links) {
        Text.append("  </ul>\n\n  <h3>3. Documents that have bad links</h3>\n  <ul>\n").appendStore(L.badLinks);
      }
      break;
    default: return;
  }
  AddReportText(B, Text.append("  </ul>\n").text);
}

void WriteHead(FileStore* B, const StrStore& Prefix, const BatchWizardJobClass* Job) {
  AddReportText(B,
                "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\" "
                "\"http://www.w3.org/TR/REC-html40/loose.dtd\">\n\n");
  StrStore Line("<!-- Created by ZUB Quillon Professional v6.01 (6.0100). Visit ");
  AddReportText(B, Line.append(REPORT_MAKER_SITE).append(" for more information. -->").text);
  Line.assign("<!-- ").append(REPORT_MAKER_NOTICE).append(" -->\n\n<html>\n <head>\n  <title>").appendStore(Prefix);
  AddReportText(B, Line.append("ZUB Quillon Pro Batch Wizard Report</title>").text);
  if ((Job->cssFlags & 0x1) != 0) {
    Line.assign("  <link href=\"")
        .appendStore(Safe(Job->cssLinkName.text))
        .append("\" type=\"text/css\" rel=stylesheet>");
    AddReportText(B, Line.text);
  }
  AddReportText(B,
                "  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">\n"
                "  <meta name=\"Generator\" content=\"ZUB Quillon Professional v6.01\">");
  if ((Job->cssFlags & 0x1) == 0) {
    AddReportText(B, "  <style type=\"text/css\"><!--");
    for (int I = 0; BUILT_IN_REPORT_CSS[I] != nullptr; ++I) {
      AddReportText(B, BUILT_IN_REPORT_CSS[I]);
    }
    AddReportText(B, "  --></style>");
  }
  Line.assign(" </head>\n <body>\n  <h1 class=\"title\"><a name=\"top\">").appendStore(Prefix);
  AddReportText(B, Line.append("Batch Wizard Report</a></h1>").text);
}

void WriteFoot(FileStore* B, const StrStore& Navigation, const BatchWizardJobClass* Job) {
  if (Navigation.length > 0) {
    AddReportText(B, Navigation.text);
  }
  if (Job->footerLines != nullptr) {
    (void)B->appendLines(*Job->footerLines);  // a lost line only shortens the footer
  } else {
    StrStore Text("\n<!-- Begin default footer (can be changed in Batch Wizard Options) -->\n");
    Text.append("  <p class=\"footer\">Report created by <a href=\"").append(REPORT_MAKER_SITE);
    Text.append("\" target=\"_blank\">ZUB Quillon Professional v6.01</a>.<br>\n  ").append(REPORT_MAKER_NOTICE);
    Text.append("<br>\n  Created ").append(GetDateString(nullptr)).append(" at ").append(GetTimeString(nullptr));
    AddReportText(B, Text.append(".</p>\n<!-- End default footer -->").text);
  }
  AddReportText(B, "\n </body>\n</html>");
}

// The sections of a page (all processed targets of a single page).
void WriteSections(FileStore* B, PointerArrayManager* Targets, int* Written, int Page, BatchWizardJobClass* Job) {
  const char* Heading = Job->toolNumber == TOOL_LINK_CHECK    ? "\n  <h2>Link Reports</h2>\n\n"
                        : Job->toolNumber == TOOL_SPELL_CHECK ? "\n  <h2>Spell Check Reports</h2>\n\n"
                                                              : "\n  <h2>Validation Reports</h2>\n\n";
  AddReportText(B, Heading);
  for (int I = 0; I < Targets->getCount(); ++I) {
    auto* T = static_cast<batchwiztargetclass*>(Targets->getPointer(I));
    if (T == nullptr || !T->has(TARGET_PROCESSED) || (Page >= 1 && T->reportPageNumber != Page)) {
      continue;
    }
    if (Written != nullptr) {
      ++*Written;
    }
    const bool Clean = T->errorCount <= 0 && T->warningCount <= 0 && T->badLinkCount <= 0;
    const bool Include = Opt(Job, 0x20 | 0x100) || !(T->has(TARGET_FAILED) || (Opt(Job, 0x8) && Clean));
    if (Include && T->targetReport != nullptr) {
      (void)B->appendLines(*T->targetReport);  // a lost line only shortens the section
      (void)B->addLine("", 0);                 // as above
      WriteTargetNavigation(B, T, Job);
    }
  }
}

}  // namespace

int WriteReportPage(PointerArrayManager* Targets, const char* FileName, int* Written, int Page,
                    BatchWizardJobClass* Job) {
  batchwizclass* S = BatchSettings();
  if (Targets == nullptr || Job == nullptr || S == nullptr) {
    return -1;
  }
  S->prepareRun(PREPARE_PAGE_BUFFER);
  FileStore* B = S->pageBuffer.get();
  StrStore Prefix;
  if (Page >= 0) {
    Prefix.append("[").appendInt(Page).append("] ");
  }
  WriteHead(B, Prefix, Job);
  const StrStore Navigation = BuildPageNavigation(Job, Page);
  if (Navigation.length > 0) {
    AddReportText(B, Navigation.text);
  }
  if (Page == REPORT_ROOT_PAGE || Opt(Job, 0x8000)) {
    WriteSummary(B, Targets, Page, Job);
  }
  if (Page != REPORT_ROOT_PAGE) {
    WriteSections(B, Targets, Written, Page, Job);
  }
  WriteFoot(B, Navigation, Job);
  if (B->saveFile(FileName, "\r\n") != 0) {
    StrStore Line("*** Error writing report file \"");
    Job->Log(LOG_L1, Line.append(FileName).append("\". ***"), LOG_ERROR);
    return -2;
  }
  return 0;
}

int CompileReports2(BatchWizardJobClass* Job) {
  const unsigned long long Start = Clock().MonotonicNs();
  if (Opt(Job, 0x20)) {
    for (int I = 0; I < Job->temporaryTargets.getCount(); ++I) {
      (void)WriteLinkTable(static_cast<batchwiztargetclass*>(Job->temporaryTargets.getPointer(I)), Job);  // 0
    }
  }
  const StrStore Report = ReportFile();
  int Written = 0;
  if (Opt(Job, 0x10)) {
    const int Pages = GetReportPageCount(Job);
    for (int P = 0; P < Pages; ++P) {
      const StrStore File = GetReportPageFileName(Report.text, P, 0);
      if (WriteReportPage(&Job->temporaryTargets, File.text, &Written, P, Job) < 0) {
        Job->Log(LOG_L1, StrStore("CompileReports2() failed, aborting further report compilation."), LOG_ERROR);
        break;
      }
    }
  } else {
    (void)WriteReportPage(&Job->temporaryTargets, Report.text, &Written, REPORT_SINGLE_PAGE, Job);  // logged
  }
  if (Written > 0) {
    const auto Ms = static_cast<Int64>((Clock().MonotonicNs() - Start) / 1000000ull);
    StrStore Line("Report compiled in ");
    Job->Log(LOG_L1, Line.appendStore(FormatElapsedTime(Ms)).append("."));
  }
  if (Opt(Job, 0x10000)) {
    Job->Log(LOG_L2, StrStore("Opening HTML report file..."));
    if (batchwizclass* S = BatchSettings()) {
      (void)S->setString(Report.text, BWSET_LAST_REPORT);  // always 0
    }
    if (Job->host != nullptr) {
      Job->host->ShowReportFile(Report.text);
    }
  } else {
    Job->Log(LOG_L1, StrStore("HTML report file(s) successfully written. The option to automatically open the report "
                              "is not enabled."));
  }
  if (Written == 0) {
    Job->Log(LOG_L1, StrStore("No targets were processed."));
  }
  return 0;
}
