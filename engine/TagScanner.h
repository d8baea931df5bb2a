// A fast, forgiving scanner over markup: start and end tags with their attributes, comments and declarations.
#pragma once

#include <string_view>
#include <vector>

namespace zubengine {

struct TTagAttr {
  std::string_view Name;
  std::string_view Value;       // without quotes
  std::size_t NameBegin = 0;
  std::size_t ValueBegin = 0;   // offset of the value (after an opening quote)
  std::size_t ValueEnd = 0;     // offset after the value (before a closing quote)
  char Quote = 0;               // '"', '\'' or 0 when unquoted
  bool HasValue = false;
};

struct TTag {
  enum TKind { Start, EndTag, Comment, Declaration, Processing };
  TKind Kind = Start;
  std::size_t Begin = 0;  // offset of '<'
  std::size_t End = 0;    // offset after '>' (or the end of the text)
  std::string_view Name;
  std::size_t NameBegin = 0;
  bool SelfClosing = false;
  bool Unterminated = false;
  std::vector<TTagAttr> Attrs;
  // Raw text that follows a start tag of script or style, up to its end tag.
  std::size_t RawBegin = 0;
  std::size_t RawEnd = 0;
};

class TTagScanner {
public:
  explicit TTagScanner(std::string_view Text) : S(Text) {}
  // The next tag at or after the current position; false at the end. Text between tags is skipped.
  bool Next(TTag& Tag);
  std::size_t Position() const { return Pos; }

private:
  std::string_view S;
  std::size_t Pos = 0;
  std::size_t PendingRawEnd = std::string_view::npos;  // set after <script>/<style>: skip to this end tag
  void ScanAttributes(TTag& Tag);
};

// ASCII case-insensitive comparison.
bool SameText(std::string_view A, std::string_view B);
bool IsVoidElement(std::string_view Name);

}  // namespace zubengine
