// The engine's style-sheet syntax checker: tokenizer after the CSS syntax rules, blocks, property names, values.
#pragma once

#include "engine/EngineTypes.h"

namespace zubengine {

// Checks the style sheet Doc.Text()[Begin, End) and reports into Out with positions in Doc. With
// DeclarationsOnly the text is a declaration list (a style attribute). Every message has the style kind bit.
void CheckCss(const TSourceText& Doc, std::size_t Begin, std::size_t End, bool DeclarationsOnly, TMessageList& Out);

// True when Name (lower case) is a property the checker knows.
bool IsKnownCssProperty(std::string_view Name);

}  // namespace zubengine
