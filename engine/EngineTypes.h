// The engine's inner records: messages, results, jobs and the options a check runs with.
#pragma once

#include "engine/CheckerProtocol.h"
#include "engine/ZubValidator.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zubengine {

// Message types as callers see them.
inline constexpr int MsgError = ZUB_MSG_ERROR;
inline constexpr int MsgWarning = ZUB_MSG_WARNING;
inline constexpr int MsgComment = ZUB_MSG_COMMENT;
inline constexpr int MsgMessage = ZUB_MSG_MESSAGE;
// A message setting's type that leaves the message's own type as it is.
inline constexpr int MsgEngineDefault = 5;

// Kind bits (ZUB_MSG_KIND).
inline constexpr int KindStyle = ZUB_MSG_KIND_STYLE;
inline constexpr int KindAccessibility = ZUB_MSG_KIND_ACCESSIBILITY;

// Program flags (ZUB_CONFIG_PROGRAM_FLAGS, numbered): a message names the flags that decide whether it is shown.
inline constexpr int FlagMarkupWarnings = 1;
inline constexpr int FlagMarkupInfo = 2;
inline constexpr int FlagXhtmlRules = 3;
inline constexpr int FlagCssProperties = 4;
inline constexpr int FlagCssValues = 5;
inline constexpr int FlagAccessibility = 6;
inline constexpr int FlagSpelling = 7;
inline constexpr int FlagLinks = 8;
inline constexpr int ProgramFlagCount = ZUB_PROGRAM_FLAG_LIMIT;

// Message identifiers of the engine's own checks (markup messages use the HTML checker's code numbers).
inline constexpr int IdCssBase = 2000;
inline constexpr int IdXhtmlBase = 3000;
inline constexpr int IdSpelling = 4001;
inline constexpr int IdFileUnreadable = 5001;
inline constexpr int IdSpellUnavailable = 5002;
inline constexpr int IdDocumentSummary = 5003;
inline constexpr int IdNestingTooDeep = 5004;
inline constexpr int IdCheckerFailed = 5005;

struct TMessage {
  int Type = MsgError;
  int Line = 0;    // from 1; 0 = none
  int Char = 0;    // from 1; 0 = none
  int Length = 1;
  int Flag1 = 0;
  int Flag2 = 0;
  int Kind = 0;
  int Id = 0;
  std::string Text;
  std::string Category;
};

struct TTagStat {
  std::string Name;
  int Opened = 0;
  int Closed = 0;
  int Used = 0;
};

// The structure view's lines: each element's text, and its line and column. The checker's worker makes them, so
// they are taken over from its reply as they are.
using TStructure = TCheckerStructure;

struct TNamedList {
  std::string Name;
  std::vector<std::string> Items;
};

// What a check needs to know about the options in force.
struct TCheckOptions {
  bool Accessibility = false;
  int AccessibilityLevel = 1;
  bool CssInMarkup = true;
  bool ErrorsOnly = false;
  // Whether the XHTML rules apply: by the document's own document type, always, or never.
  enum TXhtmlMode { XhtmlByDocument, XhtmlAlways, XhtmlNever };
  TXhtmlMode Xhtml = XhtmlByDocument;
};

// A message sink with positions relative to the document.
class TMessageList {
public:
  std::vector<TMessage> Items;
  void Add(int Type, int Line, int Char, int Length, int Id, std::string Text, std::string Category, int Kind = 0,
           int Flag1 = 0, int Flag2 = 0) {
    TMessage M;
    M.Type = Type;
    M.Line = Line;
    M.Char = Char;
    M.Length = Length;
    M.Id = Id;
    M.Text = std::move(Text);
    M.Category = std::move(Category);
    M.Kind = Kind;
    M.Flag1 = Flag1;
    M.Flag2 = Flag2;
    Items.push_back(std::move(M));
  }
};

// A document text with an index of its line starts, so that offsets turn into line and column quickly.
class TSourceText {
public:
  explicit TSourceText(std::string_view Text);
  std::string_view Text() const { return Data; }
  // Line and column from 1 of a byte offset.
  std::pair<int, int> Position(std::size_t Offset) const;
  std::string_view LineText(int Line) const;  // Line from 1; empty past the end
  int LineCount() const { return static_cast<int>(Starts.size()); }
  // The lines of the document itself: the empty rest after a final line break is not one of them (at least 1).
  int DocumentLineCount() const {
    const bool EndsWithBreak = !Data.empty() && Data.back() == '\n' && Starts.size() > 1;
    return static_cast<int>(Starts.size()) - (EndsWithBreak ? 1 : 0);
  }

private:
  std::string_view Data;
  std::vector<std::size_t> Starts;
};

}  // namespace zubengine
