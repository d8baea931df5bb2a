// The engine's markup check: the HTML checker's diagnosis, XHTML rules, style blocks, tag statistics, structure
// and the document's links.
#pragma once

#include "engine/CheckerClient.h"
#include "engine/EngineTypes.h"

namespace zubengine {

struct TMarkupFindings {
  TMessageList Messages;
  std::vector<TTagStat> TagStats;
  TStructure Structure;
  std::vector<TNamedList> Lists;  // "links", "linkstypes", "basehref"
  bool Xhtml = false;
};

// The checker's findings (through its worker) and the engine's own; when the checker fails on the document, an
// error says why and the engine's own findings still come.
void CheckMarkup(const TSourceText& Doc, const TCheckOptions& Options, TCheckerClient& Checker,
                 TMarkupFindings& Out);

// Only the document's links (the link-check-only job).
void ExtractLinks(const TSourceText& Doc, TMarkupFindings& Out);

}  // namespace zubengine
