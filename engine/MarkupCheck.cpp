// The engine's markup check over the HTML checker library and the engine's own scanner.
#include "engine/MarkupCheck.h"

#include "engine/CssCheck.h"
#include "engine/EngineState.h"
#include "engine/TagScanner.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <unordered_map>

namespace zubengine {

namespace {

// The encoding declaration and the document type are looked for in the document's first bytes.
constexpr std::size_t HeadSize = 2048;

std::string LowerCopy(std::string_view S) {
  std::string R(S);
  for (char& C : R) {
    C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
  }
  return R;
}

bool HasUpper(std::string_view S) {
  return std::any_of(S.begin(), S.end(), [](unsigned char C) { return std::isupper(C) != 0; });
}

// The category a markup message is grouped under, from the checker's message key.
const char* CategoryOf(const char* Key) {
  const std::string_view K = Key ? Key : "";
  auto Has = [&](std::string_view W) { return K.find(W) != std::string_view::npos; };
  if (Has("ENTITY") || Has("AMPERSAND")) {
    return "Character Entities";
  }
  if (Has("DOCTYPE") || Has("DTD") || Has("XML_")) {
    return "Document Type";
  }
  if (Has("ENCODING") || Has("UTF") || Has("CHARACTER") || Has("VENDOR") || Has("CODEPOINT")) {
    return "Character Encoding";
  }
  if (Has("COMMENT")) {
    return "Comments";
  }
  if (Has("ATTR") || Has("QUOTE") || Has("ATTRIBUTE") || Has("ID_NAME") || Has("ANCHOR")) {
    return "Attributes";
  }
  if (Has("TAG") || Has("ELEMENT") || Has("ENDTAG") || Has("NESTED") || Has("INSERTING") || Has("DISCARDING") ||
      Has("MISSING") || Has("TRIM") || Has("CONTENT") || Has("NOFRAMES") || Has("BODY") || Has("HEAD")) {
    return "Elements";
  }
  return "Document Structure";
}

// How many characters a message at Offset marks: a whole tag, an entity reference, else one.
int MarkLength(std::string_view S, std::size_t Offset) {
  if (Offset >= S.size()) {
    return 1;
  }
  const std::size_t Limit = std::min(S.size(), Offset + 200);
  if (S[Offset] == '<') {
    for (std::size_t I = Offset + 1; I < Limit; ++I) {
      if (S[I] == '>') {
        return static_cast<int>(I - Offset + 1);
      }
      if (S[I] == '\n' || S[I] == '<') {
        return static_cast<int>(I - Offset);
      }
    }
    return static_cast<int>(Limit - Offset);
  }
  if (S[Offset] == '&') {
    std::size_t I = Offset + 1;
    if (I < Limit && S[I] == '#') {
      ++I;
    }
    while (I < Limit && std::isalnum(static_cast<unsigned char>(S[I]))) {
      ++I;
    }
    if (I < Limit && S[I] == ';') {
      ++I;
    }
    return static_cast<int>(I - Offset);
  }
  return 1;
}

// A finding of the checker as a message of the engine, with the span it marks in the document.
void AddFinding(const TSourceText& Doc, TCheckerFinding& F, TMessageList& Out) {
  int Type = MsgError;
  int Kind = 0;
  int Flag = 0;
  switch (F.Level) {
    case CheckerInfo: Type = MsgMessage; Flag = FlagMarkupInfo; break;
    case CheckerWarning: Type = MsgWarning; Flag = FlagMarkupWarnings; break;
    case CheckerAccess: Type = MsgWarning; Kind = KindAccessibility; Flag = FlagAccessibility; break;
    default: break;
  }
  std::string Category;
  if (Kind == KindAccessibility) {
    // "[2.1.1.1]: ..." names the checkpoint; its first number is the guideline.
    int Guideline = 0;
    if (F.Text.size() > 2 && F.Text[0] == '[') {
      Guideline = std::atoi(F.Text.c_str() + 1);
    }
    Category = Guideline > 0 ? "WCAG Guideline " + std::to_string(Guideline) : "Accessibility";
  } else {
    Category = CategoryOf(F.Key.c_str());
  }
  int Length = 1;
  if (F.Line > 0 && F.Column > 0) {
    const std::string_view L = Doc.LineText(F.Line);
    if (static_cast<std::size_t>(F.Column - 1) < L.size()) {
      Length = MarkLength(L, static_cast<std::size_t>(F.Column - 1));
    }
  }
  Out.Add(Type, F.Line, F.Column, Length, F.Code, std::move(F.Text), std::move(Category), Kind, Flag);
}

bool HasLoneCr(std::string_view Text) {
  for (std::size_t I = Text.find('\r'); I != std::string_view::npos; I = Text.find('\r', I + 1)) {
    if (I + 1 == Text.size() || Text[I + 1] != '\n') {
      return true;
    }
  }
  return false;
}

std::string BlankLoneCr(std::string_view Text) {
  std::string Out(Text);
  for (std::size_t I = 0; I < Out.size(); ++I) {
    if (Out[I] == '\r' && (I + 1 == Out.size() || Out[I + 1] != '\n')) {
      Out[I] = ' ';
    }
  }
  return Out;
}

bool CheckerStallSwitch() {
  long V = 0;
  return EnvInt("ZUBQ_ENGINE_CHECKER_STALL", V) && V != 0;
}

bool DeclaresUtf8(std::string_view Text) {
  const std::string Head = LowerCopy(Text.substr(0, HeadSize));
  for (const char* Pattern : {"charset=utf-8", "charset=\"utf-8", "encoding=\"utf-8", "charset='utf-8", "encoding='utf-8"}) {
    if (Head.find(Pattern) != std::string::npos) {
      return true;
    }
  }
  return false;
}

// Which attribute of which element is a link, with the type the Links page shows.
const char* LinkAttribute(std::string_view Tag) {
  if (SameText(Tag, "a") || SameText(Tag, "link") || SameText(Tag, "area") || SameText(Tag, "base")) {
    return "href";
  }
  if (SameText(Tag, "img") || SameText(Tag, "script") || SameText(Tag, "frame") || SameText(Tag, "iframe")) {
    return "src";
  }
  if (SameText(Tag, "form")) {
    return "action";
  }
  return nullptr;
}

struct TScanState {
  std::unordered_map<std::string, std::size_t> StatIndex;
  TNamedList* Links = nullptr;
  TNamedList* Types = nullptr;
  TNamedList* Base = nullptr;
};

void NoteLink(const TTag& Tag, TScanState& St) {
  const char* Attr = LinkAttribute(Tag.Name);
  if (!Attr) {
    return;
  }
  for (const TTagAttr& A : Tag.Attrs) {
    if (!A.HasValue || !SameText(A.Name, Attr)) {
      continue;
    }
    std::string_view V = A.Value;
    while (!V.empty() && std::isspace(static_cast<unsigned char>(V.front()))) {
      V.remove_prefix(1);
    }
    while (!V.empty() && std::isspace(static_cast<unsigned char>(V.back()))) {
      V.remove_suffix(1);
    }
    if (V.empty()) {
      break;
    }
    if (SameText(Tag.Name, "base")) {
      St.Base->Items.emplace_back(V);
    } else {
      St.Links->Items.emplace_back(V);
      St.Types->Items.push_back(LowerCopy(Tag.Name) + " " + Attr);
    }
    break;
  }
}

void XhtmlRules(const TSourceText& Doc, const TTag& Tag, TMessageList& Out) {
  auto Report = [&](int Type, std::size_t Offset, std::size_t Len, int Id, std::string Text) {
    const auto [Line, Col] = Doc.Position(Offset);
    Out.Add(Type, Line, Col, static_cast<int>(std::max<std::size_t>(Len, 1)), Id, std::move(Text), "XHTML Rules", 0,
            FlagXhtmlRules);
  };
  if (HasUpper(Tag.Name)) {
    Report(MsgError, Tag.NameBegin, Tag.Name.size(), IdXhtmlBase + 1,
           "Element names must be lower case in XHTML: <" + std::string(Tag.Kind == TTag::EndTag ? "/" : "") +
               std::string(Tag.Name) + ">.");
  }
  if (Tag.Kind != TTag::Start) {
    return;
  }
  for (const TTagAttr& A : Tag.Attrs) {
    if (HasUpper(A.Name)) {
      Report(MsgError, A.NameBegin, A.Name.size(), IdXhtmlBase + 2,
             "Attribute names must be lower case in XHTML: \"" + std::string(A.Name) + "\".");
    }
    if (!A.HasValue) {
      Report(MsgError, A.NameBegin, A.Name.size(), IdXhtmlBase + 3,
             "The attribute \"" + std::string(A.Name) + "\" needs a value in XHTML (" + LowerCopy(A.Name) + "=\"" +
                 LowerCopy(A.Name) + "\").");
    } else if (A.Quote == 0) {
      Report(MsgError, A.ValueBegin, A.ValueEnd - A.ValueBegin, IdXhtmlBase + 4,
             "The value of the attribute \"" + std::string(A.Name) + "\" must be quoted in XHTML.");
    }
  }
  if (IsVoidElement(Tag.Name) && !Tag.SelfClosing) {
    Report(MsgWarning, Tag.Begin, Tag.End - Tag.Begin, IdXhtmlBase + 5,
           "The empty element <" + LowerCopy(Tag.Name) + "> should be closed as <" + LowerCopy(Tag.Name) +
               " /> in XHTML.");
  }
}

bool LooksLikeXhtml(std::string_view S) {
  const std::size_t Limit = std::min<std::size_t>(S.size(), HeadSize);
  const std::string Head = LowerCopy(S.substr(0, Limit));
  const std::size_t D = Head.find("<!doctype");
  if (D == std::string::npos) {
    return false;
  }
  const std::size_t E = Head.find('>', D);
  return Head.substr(D, E == std::string::npos ? std::string::npos : E - D).find("xhtml") != std::string::npos;
}

void ScanDocument(const TSourceText& Doc, const TCheckOptions* Options, TMarkupFindings& Out) {
  Out.Lists.push_back({"links", {}});
  Out.Lists.push_back({"linkstypes", {}});
  Out.Lists.push_back({"basehref", {}});
  TScanState St;
  St.Links = &Out.Lists[0];
  St.Types = &Out.Lists[1];
  St.Base = &Out.Lists[2];
  const std::string_view S = Doc.Text();
  TTagScanner Scanner(S);
  TTag Tag;
  while (Scanner.Next(Tag)) {
    if (Tag.Kind == TTag::Comment && Tag.Unterminated && Options) {
      const auto [Line, Col] = Doc.Position(Tag.Begin);
      Out.Messages.Add(MsgError, Line, Col, 4, IdXhtmlBase + 10, "Unterminated comment: \"<!--\" without \"-->\".",
                       "Comments");
    }
    if (Tag.Kind != TTag::Start && Tag.Kind != TTag::EndTag) {
      continue;
    }
    NoteLink(Tag, St);
    if (!Options) {
      continue;
    }
    std::string Name = LowerCopy(Tag.Name);
    auto [It, Added] = St.StatIndex.try_emplace(Name, Out.TagStats.size());
    if (Added) {
      Out.TagStats.push_back({Name, 0, 0, 0});
    }
    TTagStat& Stat = Out.TagStats[It->second];
    if (Tag.Kind == TTag::Start) {
      ++Stat.Used;
      if (!Tag.SelfClosing && !IsVoidElement(Name)) {
        ++Stat.Opened;
      }
    } else {
      ++Stat.Closed;
    }
    if (Out.Xhtml) {
      XhtmlRules(Doc, Tag, Out.Messages);
    }
    if (Options->CssInMarkup && Tag.Kind == TTag::Start) {
      if (Name == "style" && Tag.RawEnd > Tag.RawBegin) {
        CheckCss(Doc, Tag.RawBegin, Tag.RawEnd, false, Out.Messages);
      }
      for (const TTagAttr& A : Tag.Attrs) {
        if (A.HasValue && SameText(A.Name, "style") && A.ValueEnd > A.ValueBegin) {
          CheckCss(Doc, A.ValueBegin, A.ValueEnd, true, Out.Messages);
        }
      }
    }
  }
}

}  // namespace

void ExtractLinks(const TSourceText& Doc, TMarkupFindings& Out) { ScanDocument(Doc, nullptr, Out); }

void CheckMarkup(const TSourceText& Doc, const TCheckOptions& Options, TCheckerClient& Checker,
                 TMarkupFindings& Out) {
  Out.Xhtml = Options.Xhtml == TCheckOptions::XhtmlAlways ||
             (Options.Xhtml == TCheckOptions::XhtmlByDocument && LooksLikeXhtml(Doc.Text()));
  // The checker counts a lone CR as a line break and the engine does not (the program hands over lines, and a CR
  // inside one is a character of that line): it gets a blank in its place, so that both count lines alike.
  std::string WithoutLoneCr;
  std::string_view Text = Doc.Text();
  if (HasLoneCr(Text)) {
    WithoutLoneCr = BlankLoneCr(Text);
    Text = WithoutLoneCr;
  }
  TCheckerRequest Request;
  Request.Text = Text;
  Request.RawEncoding = DeclaresUtf8(Text);
  Request.WantStructure = true;
  Request.Stall = CheckerStallSwitch();
  // The engine's own scan runs while the worker checks.
  std::string Why;
  TCheckerReply Reply;
  const bool Begun = Checker.Begin(Request, Why);
  TMarkupFindings Own;
  Own.Xhtml = Out.Xhtml;
  ScanDocument(Doc, &Options, Own);
  bool Checked = Begun && Checker.Finish(Reply, Why);
  if (Checked && Options.Accessibility) {
    TCheckerReply Access;
    Request.AccessLevel = std::clamp(Options.AccessibilityLevel, 1, 3);
    Request.WantStructure = false;
    Checked = Checker.Check(Request, Access, Why);
    for (TCheckerFinding& F : Access.Findings) {
      Reply.Findings.push_back(std::move(F));
    }
  }
  Out.Messages.Items.reserve(Reply.Findings.size() + Own.Messages.Items.size() + 2);
  for (TCheckerFinding& F : Reply.Findings) {
    AddFinding(Doc, F, Out.Messages);
  }
  for (TMessage& M : Own.Messages.Items) {
    Out.Messages.Items.push_back(std::move(M));
  }
  Out.TagStats = std::move(Own.TagStats);
  Out.Lists = std::move(Own.Lists);
  Out.Structure = std::move(Reply.Structure);
  if (!Checked) {
    Out.Messages.Add(MsgError, 0, 0, 0, IdCheckerFailed,
                     "The HTML checker could not check this document: " + Why +
                         ". Its findings are missing; the engine's own checks were made.",
                     "Document Structure");
  }
  Out.Messages.Add(MsgComment, 0, 0, 0, IdDocumentSummary,
                   Out.Xhtml ? "The document was checked as XHTML." : "The document was checked as HTML.",
                   "Document Type", 0, FlagMarkupInfo);
}

}  // namespace zubengine
