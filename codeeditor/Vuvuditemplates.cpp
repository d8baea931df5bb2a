// Laying out a code template's lines at the caret.
#include "codeeditor/Vuvuditemplates.h"

#include <string>

namespace Vuvudi {

TPoint PlaceTemplateLines(TStrings* Lines, Integer Col, Integer Line) {
  const std::string Indent(static_cast<std::size_t>(std::max<Integer>(Col, 0)), ' ');
  for (Integer I = 1; I < Lines->Count(); ++I) {
    Lines->SetStrings(I, Indent + Lines->Strings(I));
  }
  for (Integer I = 0; I < Lines->Count(); ++I) {
    std::string S = Lines->Strings(I);
    const std::size_t At = S.find('|');
    if (At == std::string::npos) {
      continue;
    }
    S.erase(At, 1);
    Lines->SetStrings(I, S);
    const Integer Pos = static_cast<Integer>(At) + 1;  // 1-based character position
    return I == 0 ? TPoint{Col + Pos - 1, Line} : TPoint{Pos - 1, Line + I};
  }
  return TPoint{Col, Line};
}

}  // namespace Vuvudi
