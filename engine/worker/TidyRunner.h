// The HTML checker library run over one document: its findings and the document's element tree.
#pragma once

#include "engine/CheckerProtocol.h"

namespace zubengine {

void RunChecker(const TCheckerRequest& Request, TCheckerReply& Reply);

}  // namespace zubengine
