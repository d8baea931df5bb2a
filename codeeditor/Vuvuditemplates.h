// The code editor's side of code templates (part of unit Vuvudi): how a chosen template's lines are laid out at
// the caret.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/rtl/System.h"
#include "platform/win/WinTypes.h"

namespace Vuvudi {

// Indents every line after the first by Col blanks and takes out the first "|" (searched line by line from the
// first). Answers where the caret goes once the lines are inserted at (Col, Line): at the marker's place, or at
// (Col, Line) when there is none.
TPoint PlaceTemplateLines(TStrings* Lines, Integer Col, Integer Line);

}  // namespace Vuvudi
