// The HTML checker library (libtidy) over one document, with its messages collected as they come.
#include "engine/worker/TidyRunner.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
#include <tidy.h>
#include <tidybuffio.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <climits>
#include <cstring>

namespace zubengine {

namespace {

// Structure lines are indented by depth up to this many levels.
constexpr int MaxIndentDepth = 40;

struct TCollector {
  TCheckerReply* Reply = nullptr;
  bool AccessOnly = false;
};

int LevelOf(TidyReportLevel Level) {
  switch (Level) {
    case TidyInfo: return CheckerInfo;
    case TidyWarning: return CheckerWarning;
    case TidyAccess: return CheckerAccess;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal: return CheckerError;
    default: return 0;  // summaries, dialogue and configuration notes are not findings
  }
}

Bool TIDY_CALL CollectMessage(TidyMessage M) {
  auto* C = static_cast<TCollector*>(tidyGetAppData(tidyGetMessageDoc(M)));
  if (!C) {
    return no;
  }
  const TidyReportLevel Level = tidyGetMessageLevel(M);
  const int Ours = LevelOf(Level);
  if (Ours == 0 || C->AccessOnly != (Level == TidyAccess)) {
    return no;
  }
  TCheckerFinding F;
  F.Level = Ours;
  F.Line = std::max(0, tidyGetMessageLine(M));
  F.Column = std::max(0, tidyGetMessageColumn(M));
  F.Code = static_cast<int>(tidyGetMessageCode(M));
  const char* Text = tidyGetMessage(M);
  const char* Key = tidyGetMessageKey(M);
  F.Text = Text ? Text : "";
  F.Key = Key ? Key : "";
  C->Reply->Findings.push_back(std::move(F));
  return no;
}

// The element's structure line into Line: its name and its id, class and name attributes, indented by depth.
void StructureText(TidyNode N, int Depth, std::string& Line) {
  Line.assign(static_cast<std::size_t>(std::min(Depth, MaxIndentDepth)) * 2, ' ');
  Line += '<';
  const char* Name = tidyNodeGetName(N);
  Line += Name ? Name : "?";
  for (TidyAttr A = tidyAttrFirst(N); A; A = tidyAttrNext(A)) {
    const char* AN = tidyAttrName(A);
    if (AN && (std::strcmp(AN, "id") == 0 || std::strcmp(AN, "class") == 0 || std::strcmp(AN, "name") == 0)) {
      const char* V = tidyAttrValue(A);
      Line += ' ';
      Line += AN;
      Line += "=\"";
      Line += V ? V : "";
      Line += '"';
    }
  }
  Line += '>';
}

// An iterative walk: documents may nest very deeply.
void BuildStructure(TidyDoc D, TCheckerStructure& Out) {
  TidyNode Root = tidyGetRoot(D);
  if (!Root) {
    return;
  }
  TidyNode N = tidyGetChild(Root);
  int Depth = 0;
  std::string Line;
  while (N) {
    const TidyNodeType T = tidyNodeGetType(N);
    if (T == TidyNode_Start || T == TidyNode_StartEnd) {
      StructureText(N, Depth, Line);
      Out.Add(Line, static_cast<int>(tidyNodeLine(N)), static_cast<int>(tidyNodeColumn(N)));
    }
    if (TidyNode Child = tidyGetChild(N)) {
      N = Child;
      ++Depth;
      continue;
    }
    while (N && !tidyGetNext(N)) {
      N = tidyGetParent(N);
      --Depth;
      if (N == Root) {
        N = nullptr;
      }
    }
    if (N) {
      N = tidyGetNext(N);
    }
  }
}

}  // namespace

struct TCheckedDocument {
  TidyDoc Doc = nullptr;
  TidyBuffer Errors{};
  TCollector Collector;
};

void TCheckedDocumentFree::operator()(TCheckedDocument* C) const {
  // Nothing is collected once the reply has gone.
  tidySetAppData(C->Doc, nullptr);
  tidyRelease(C->Doc);
  tidyBufFree(&C->Errors);
  delete C;
}

TCheckedDocumentPtr RunChecker(const TCheckerRequest& Request, TCheckerReply& Reply) {
  TCheckedDocumentPtr Checked(new TCheckedDocument);
  TidyDoc D = tidyCreate();
  Checked->Doc = D;
  TCollector& Collector = Checked->Collector;
  Collector.Reply = &Reply;
  Collector.AccessOnly = Request.AccessLevel > 0;
  tidySetAppData(D, &Collector);
  tidySetMessageCallback(D, CollectMessage);
  // Text is 8-bit: the system code page, except that a document that says it is UTF-8 is taken byte by byte
  // (so its bytes are not reported as invalid characters, and columns still count bytes).
  tidyOptSetValue(D, TidyInCharEncoding, Request.RawEncoding ? "raw" : "win1252");
  tidyOptSetInt(D, TidyTabSize, 1);
  tidyOptSetBool(D, TidyShowWarnings, yes);
  tidyOptSetBool(D, TidyShowInfo, yes);
  tidyOptSetInt(D, TidyShowErrors, INT_MAX / 2);
  tidyOptSetBool(D, TidyQuiet, yes);
  if (Request.AccessLevel > 0) {
    tidyOptSetInt(D, TidyAccessibilityCheckLevel, static_cast<ulong>(Request.AccessLevel));
  }
  tidyBufInit(&Checked->Errors);
  tidySetErrorBuffer(D, &Checked->Errors);
  TidyBuffer In;
  tidyBufInit(&In);
  tidyBufAttach(&In, reinterpret_cast<byte*>(const_cast<char*>(Request.Text.data())),
                static_cast<uint>(Request.Text.size()));
  tidyParseBuffer(D, &In);
  tidyBufDetach(&In);
  // The structure shows the document as written, before the repair step changes the tree.
  if (Request.WantStructure) {
    BuildStructure(D, Reply.Structure);
  }
  // The checker's full diagnosis, as its own command line makes it: what the repair and the diagnostics find
  // (attributes not allowed in the document's version, for example) comes with the parser's findings. Their
  // positions are those of the document's own nodes.
  if (tidyCleanAndRepair(D) >= 0) {
    tidyRunDiagnostics(D);
  }
  return Checked;
}

}  // namespace zubengine
