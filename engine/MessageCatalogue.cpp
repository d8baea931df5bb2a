// The engine's catalogue of message IDs.
#include "engine/MessageCatalogue.h"

namespace zubengine {

namespace {

struct TOwnMessage {
  int Id;
  int Type;
  const char* Category;
  const char* Text;
};

// The engine's own checks: style sheets, XHTML rules, spelling and the engine's notes.
constexpr TOwnMessage OwnMessages[] = {
    {IdCssBase + 1, MsgError, "CSS Syntax", "Unterminated comment in a style sheet"},
    {IdCssBase + 2, MsgError, "CSS Syntax", "Unterminated string in a style sheet"},
    {IdCssBase + 3, MsgError, "CSS Syntax", "Bad url() value"},
    {IdCssBase + 4, MsgError, "CSS Syntax", "Unexpected closing bracket or brace"},
    {IdCssBase + 5, MsgError, "CSS Syntax", "Missing closing bracket or brace"},
    {IdCssBase + 6, MsgError, "CSS Syntax", "Declaration block without a selector"},
    {IdCssBase + 7, MsgError, "CSS Syntax", "\"{\" expected after a selector"},
    {IdCssBase + 8, MsgError, "CSS Syntax", "\":\" expected after a property name"},
    {IdCssBase + 9, MsgError, "CSS Syntax", "Unexpected token in a style sheet"},
    {IdCssBase + 10, MsgError, "CSS Syntax", "Property without a value"},
    {IdCssBase + 11, MsgWarning, "CSS Properties", "Unknown style-sheet property"},
    {IdCssBase + 12, MsgError, "CSS Values", "Bad colour value"},
    {IdCssBase + 13, MsgWarning, "CSS Values", "Unknown colour name"},
    {IdCssBase + 14, MsgWarning, "CSS Values", "Length without a unit"},
    {IdCssBase + 15, MsgWarning, "CSS Values", "Unknown unit"},
    {IdCssBase + 16, MsgWarning, "CSS Values", "Negative size"},
    {IdCssBase + 17, MsgError, "CSS Syntax", "Unbalanced brackets in a value"},
    {IdCssBase + 18, MsgWarning, "CSS Syntax", "Unknown at-rule"},
    {IdCssBase + 19, MsgWarning, "CSS Syntax", "Misplaced !important"},
    {IdXhtmlBase + 1, MsgError, "XHTML Rules", "Element names must be lower case in XHTML"},
    {IdXhtmlBase + 2, MsgError, "XHTML Rules", "Attribute names must be lower case in XHTML"},
    {IdXhtmlBase + 3, MsgError, "XHTML Rules", "Attributes need a value in XHTML"},
    {IdXhtmlBase + 4, MsgError, "XHTML Rules", "Attribute values must be quoted in XHTML"},
    {IdXhtmlBase + 5, MsgWarning, "XHTML Rules", "Empty elements must be closed with \" />\" in XHTML"},
    {IdXhtmlBase + 10, MsgError, "XHTML Rules", "Unterminated comment"},
    {IdSpelling, MsgWarning, "Spelling", "Misspelt word"},
    {IdFileUnreadable, MsgError, "Engine", "The file could not be read"},
    {IdSpellUnavailable, MsgComment, "Engine", "The spelling check is not available"},
    {IdDocumentSummary, MsgComment, "Engine", "How the document was checked"},
    {IdNestingTooDeep, MsgError, "Engine", "Elements nested too deeply to check"},
    {IdCheckerFailed, MsgError, "Engine", "The HTML checker could not check the document"},
};

}  // namespace

TMessageCatalogue::TMessageCatalogue() {
  for (const TOwnMessage& M : OwnMessages) {
    FEntries[M.Id] = {M.Id, M.Type, M.Category, M.Text};
  }
}

void TMessageCatalogue::Learn(const std::vector<TMessage>& Messages) {
  for (const TMessage& M : Messages) {
    if (M.Id > 0 && !FEntries.count(M.Id)) {
      FEntries[M.Id] = {M.Id, M.Type, M.Category, M.Text};
    }
  }
}

std::vector<TCatalogueEntry> TMessageCatalogue::Entries(const std::vector<int>& Extra) const {
  std::map<int, TCatalogueEntry> All = FEntries;
  for (int Id : Extra) {
    if (Id > 0 && !All.count(Id)) {
      All[Id] = {Id, 0, "", ""};
    }
  }
  std::vector<TCatalogueEntry> Out;
  Out.reserve(All.size());
  for (auto& [Id, E] : All) {
    Out.push_back(std::move(E));
  }
  return Out;
}

}  // namespace zubengine
