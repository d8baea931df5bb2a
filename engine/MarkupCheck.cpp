// The engine's markup check over the HTML checker library and the engine's own scanner.
#include "engine/MarkupCheck.h"

#include "engine/CssCheck.h"
#include "engine/TagScanner.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
#include <tidy.h>
#include <tidybuffio.h>
#pragma GCC diagnostic pop

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

struct TTidyCollector {
  const TSourceText* Doc = nullptr;
  TMessageList* Out = nullptr;
  bool AccessOnly = false;
};

Bool TIDY_CALL CollectMessage(TidyMessage M) {
  TidyDoc D = tidyGetMessageDoc(M);
  auto* C = static_cast<TTidyCollector*>(tidyGetAppData(D));
  if (!C) {
    return no;
  }
  const TidyReportLevel Level = tidyGetMessageLevel(M);
  int Type = 0;
  int Kind = 0;
  int Flag = 0;
  std::string Category;
  switch (Level) {
    case TidyInfo: Type = MsgMessage; Flag = FlagMarkupInfo; break;
    case TidyWarning: Type = MsgWarning; Flag = FlagMarkupWarnings; break;
    case TidyAccess: Type = MsgWarning; Kind = KindAccessibility; Flag = FlagAccessibility; break;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal: Type = MsgError; break;
    default: return no;  // summaries, dialogue and configuration notes are not findings
  }
  if (C->AccessOnly != (Level == TidyAccess)) {
    return no;
  }
  const char* Text = tidyGetMessage(M);
  const char* Key = tidyGetMessageKey(M);
  std::string Message = Text ? Text : "";
  if (Kind == KindAccessibility) {
    // "[2.1.1.1]: ..." names the checkpoint; its first number is the guideline.
    int Guideline = 0;
    if (Message.size() > 2 && Message[0] == '[') {
      Guideline = std::atoi(Message.c_str() + 1);
    }
    Category = Guideline > 0 ? "WCAG Guideline " + std::to_string(Guideline) : "Accessibility";
  } else {
    Category = CategoryOf(Key);
  }
  const int Line = std::max(0, tidyGetMessageLine(M));
  const int Col = std::max(0, tidyGetMessageColumn(M));
  int Length = 1;
  if (Line > 0 && Col > 0) {
    const std::string_view L = C->Doc->LineText(Line);
    if (static_cast<std::size_t>(Col - 1) < L.size()) {
      Length = MarkLength(L, static_cast<std::size_t>(Col - 1));
    }
  }
  C->Out->Add(Type, Line, Col, Length, static_cast<int>(tidyGetMessageCode(M)), std::move(Message),
              std::move(Category), Kind, Flag);
  return no;
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

// Runs the checker library over the text; keeps the parsed tree in Doc when asked.
TidyDoc RunTidy(std::string_view Text, const TSourceText& Source, int AccessLevel, TMessageList& Out,
                TTidyCollector& Collector) {
  TidyDoc D = tidyCreate();
  Collector.Doc = &Source;
  Collector.Out = &Out;
  Collector.AccessOnly = AccessLevel > 0;
  tidySetAppData(D, &Collector);
  tidySetMessageCallback(D, CollectMessage);
  // Text is 8-bit: the system code page, except that a document that says it is UTF-8 is taken byte by byte
  // (so its bytes are not reported as invalid characters, and columns still count bytes).
  tidyOptSetValue(D, TidyInCharEncoding, DeclaresUtf8(Text) ? "raw" : "win1252");
  tidyOptSetInt(D, TidyTabSize, 1);
  tidyOptSetBool(D, TidyShowWarnings, yes);
  tidyOptSetBool(D, TidyShowInfo, yes);
  tidyOptSetInt(D, TidyShowErrors, INT_MAX / 2);
  tidyOptSetBool(D, TidyQuiet, yes);
  if (AccessLevel > 0) {
    tidyOptSetInt(D, TidyAccessibilityCheckLevel, static_cast<ulong>(AccessLevel));
  }
  TidyBuffer Errors;
  tidyBufInit(&Errors);
  tidySetErrorBuffer(D, &Errors);
  TidyBuffer In;
  tidyBufInit(&In);
  tidyBufAttach(&In, reinterpret_cast<byte*>(const_cast<char*>(Text.data())), static_cast<uint>(Text.size()));
  tidyParseBuffer(D, &In);
  tidyBufDetach(&In);
  tidyBufFree(&Errors);
  return D;
}

void BuildStructure(TidyDoc D, std::vector<TStructureLine>& Out) {
  TidyNode Root = tidyGetRoot(D);
  if (!Root) {
    return;
  }
  // Iterative walk: documents may nest very deeply.
  TidyNode N = tidyGetChild(Root);
  int Depth = 0;
  std::string Line;
  while (N) {
    const TidyNodeType T = tidyNodeGetType(N);
    if (T == TidyNode_Start || T == TidyNode_StartEnd) {
      Line.assign(static_cast<std::size_t>(std::min(Depth, 40)) * 2, ' ');
      Line += '<';
      const char* Name = tidyNodeGetName(N);
      Line += Name ? Name : "?";
      for (TidyAttr A = tidyAttrFirst(N); A; A = tidyAttrNext(A)) {
        const char* AN = tidyAttrName(A);
        if (AN && (std::strcmp(AN, "id") == 0 || std::strcmp(AN, "class") == 0 || std::strcmp(AN, "name") == 0)) {
          const char* V = tidyAttrValue(A);
          Line += ' ';
          Line += AN;
          Line += "=\"";
          Line += V ? V : "";
          Line += '"';
        }
      }
      Line += '>';
      Out.push_back({Line, static_cast<int>(tidyNodeLine(N)), static_cast<int>(tidyNodeColumn(N))});
    }
    if (TidyNode Child = tidyGetChild(N)) {
      N = Child;
      ++Depth;
      continue;
    }
    while (N && !tidyGetNext(N)) {
      N = tidyGetParent(N);
      --Depth;
      if (N == Root) {
        N = nullptr;
      }
    }
    if (N) {
      N = tidyGetNext(N);
    }
  }
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

void CheckMarkup(const TSourceText& Doc, const TCheckOptions& Options, TMarkupFindings& Out) {
  Out.Xhtml = LooksLikeXhtml(Doc.Text());
  TTidyCollector Collector;
  TidyDoc D = RunTidy(Doc.Text(), Doc, 0, Out.Messages, Collector);
  BuildStructure(D, Out.Structure);
  tidyRelease(D);
  if (Options.Accessibility) {
    TTidyCollector AccessCollector;
    TidyDoc A = RunTidy(Doc.Text(), Doc, std::clamp(Options.AccessibilityLevel, 1, 3), Out.Messages, AccessCollector);
    tidyRelease(A);
  }
  ScanDocument(Doc, &Options, Out);
  Out.Messages.Add(MsgComment, 0, 0, 0, IdDocumentSummary,
                   Out.Xhtml ? "The document was checked as XHTML." : "The document was checked as HTML.",
                   "Document Type", 0, FlagMarkupInfo);
}

}  // namespace zubengine
