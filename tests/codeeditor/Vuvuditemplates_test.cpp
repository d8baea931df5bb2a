// Laying out a code template at the caret: continuation lines indented to the caret column, the "|" marker
// taken out and turned into the caret's target.
#include "codeeditor/Vuvuditemplates.h"
#include "platform/classes/StringList.h"

#include <gtest/gtest.h>

using namespace Vuvudi;

namespace {

TEST(TemplateLayout, IndentsContinuationLinesAndFindsTheMarker) {
  struct Case {
    std::vector<std::string> Lines;
    Integer Col, Line;
    std::vector<std::string> Expected;
    TPoint Caret;
  };
  const Case Cases[] = {
      {{"begin|", "end"}, 4, 7, {"begin", "    end"}, {9, 7}},
      {{"if () {", "  |", "}"}, 2, 0, {"if () {", "    ", "  }"}, {4, 1}},
      {{"plain", "text"}, 3, 5, {"plain", "   text"}, {3, 5}},
      {{"a|b|c"}, 0, 0, {"ab|c"}, {1, 0}},
      {{}, 6, 1, {}, {6, 1}},
  };
  for (const Case& C : Cases) {
    TStringList L;
    for (const std::string& S : C.Lines) {
      L.Add(S);
    }
    const TPoint P = PlaceTemplateLines(&L, C.Col, C.Line);
    std::vector<std::string> Got;
    for (Integer I = 0; I < L.Count(); ++I) {
      Got.push_back(L.Strings(I));
    }
    EXPECT_EQ(Got, C.Expected) << (C.Lines.empty() ? std::string() : C.Lines[0]);
    EXPECT_EQ(P, C.Caret) << (C.Lines.empty() ? std::string() : C.Lines[0]);
  }
}

}  // namespace
