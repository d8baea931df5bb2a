// The engine's text tools: tag case, strip tags, quote attribute values, templates, text file format.
#pragma once

#include <string>
#include <string_view>

namespace zubengine {

// Line-end formats of the text format tool.
inline constexpr int LineEndLf = 0;
inline constexpr int LineEndCrLf = 1;
inline constexpr int LineEndCr = 2;

// Tag and attribute names in lower (Upper false) or upper case; texts, values and comments stay as they are.
std::string ChangeTagCase(std::string_view Text, bool Upper);
// The text without tags, comments, declarations and script or style contents.
std::string StripTags(std::string_view Text);
// Every unquoted attribute value in double quotes (single quotes when the value holds a double quote); Count
// gets the number of values quoted.
std::string QuoteAttributeValues(std::string_view Text, int& Count);
// Template directives <!--#include file="name"--> are replaced by the named file (relative to Folder) and
// <!--#filename--> by DocumentName. Failed includes leave a comment that says why. Nesting is limited.
std::string ApplyTemplate(std::string_view Text, const std::string& Folder, const std::string& DocumentName);
// Line ends made uniform: Format LineEndLf, LineEndCrLf or LineEndCr.
std::string ConvertLineEnds(std::string_view Text, int Format);

}  // namespace zubengine
