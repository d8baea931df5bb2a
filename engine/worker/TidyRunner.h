// The HTML checker library run over one document: its findings and the document's element tree.
#pragma once

#include "engine/CheckerProtocol.h"

#include <memory>

namespace zubengine {

// A checked document as the checker library still holds it; its tree is freed when this goes, so that the worker
// can answer first and free after.
struct TCheckedDocument;
struct TCheckedDocumentFree {
  void operator()(TCheckedDocument* Doc) const;
};
using TCheckedDocumentPtr = std::unique_ptr<TCheckedDocument, TCheckedDocumentFree>;

TCheckedDocumentPtr RunChecker(const TCheckerRequest& Request, TCheckerReply& Reply);

}  // namespace zubengine
