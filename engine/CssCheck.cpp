// The engine's style-sheet syntax checker.
#include "engine/CssCheck.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <unordered_set>

namespace zubengine {

namespace {

enum class TTok {
  Ident, Function, AtKeyword, Hash, String, BadString, Url, BadUrl, Number, Percentage, Dimension, Whitespace,
  Cdo, Cdc, Colon, Semicolon, Comma, LBracket, RBracket, LParen, RParen, LBrace, RBrace, Delim, End
};

struct TToken {
  TTok Kind = TTok::End;
  std::size_t Begin = 0;  // offset in the document
  std::size_t End = 0;
  std::string_view Value;  // name, unit or number text
  std::string_view Unit;   // dimension unit
  double Number = 0;
  char DelimChar = 0;
};

const char* const CategorySyntax = "CSS Syntax";
const char* const CategoryProperties = "CSS Properties";
const char* const CategoryValues = "CSS Values";

// Identifiers of the checker's messages (each a message ID of its own).
enum TCssId {
  IdUnterminatedComment = IdCssBase + 1, IdUnterminatedString, IdBadUrl, IdUnexpectedClose, IdMissingClose,
  IdMissingSelector, IdExpectedBrace, IdExpectedColon, IdUnexpectedToken, IdNoValue, IdUnknownProperty,
  IdBadColour, IdUnknownColour, IdNeedsUnit, IdUnknownUnit, IdNegative, IdUnbalanced, IdUnknownAtRule,
  IdBadImportant
};

bool IsNameStart(unsigned char C) { return std::isalpha(C) || C == '_' || C >= 0x80; }
bool IsNameChar(unsigned char C) { return IsNameStart(C) || std::isdigit(C) || C == '-'; }

class TTokenizer {
public:
  TTokenizer(const TSourceText& D, std::size_t B, std::size_t E, TMessageList& O) : Doc(D), Pos(B), Stop(E), Out(O) {}

  TToken Next() {
    const std::string_view S = Doc.Text();
    for (;;) {
      TToken T;
      T.Begin = Pos;
      if (Pos >= Stop) {
        T.Kind = TTok::End;
        T.End = Pos;
        return T;
      }
      const unsigned char C = static_cast<unsigned char>(S[Pos]);
      if (C == '/' && At(Pos + 1) == '*') {
        const std::size_t Close = Find("*/", Pos + 2);
        if (Close == std::string_view::npos) {
          Report(MsgError, Pos, 2, IdUnterminatedComment, "Unterminated comment: \"/*\" without \"*/\".",
                 CategorySyntax, 0);
          Pos = Stop;
        } else {
          Pos = Close + 2;
        }
        continue;
      }
      if (std::isspace(C)) {
        while (Pos < Stop && std::isspace(static_cast<unsigned char>(S[Pos]))) {
          ++Pos;
        }
        return Finish(T, TTok::Whitespace);
      }
      if (C == '"' || C == '\'') {
        return StringToken(T, static_cast<char>(C));
      }
      if (C == '#') {
        ++Pos;
        const std::size_t NameBegin = Pos;
        while (Pos < Stop && IsNameChar(static_cast<unsigned char>(S[Pos]))) {
          ++Pos;
        }
        if (Pos == NameBegin) {
          T.DelimChar = '#';
          return Finish(T, TTok::Delim);
        }
        T.Value = S.substr(NameBegin, Pos - NameBegin);
        return Finish(T, TTok::Hash);
      }
      if (std::isdigit(C) || ((C == '.' || C == '+' || C == '-') && StartsNumber(Pos))) {
        return NumberToken(T);
      }
      if (C == '<' && S.substr(Pos, 4) == "<!--" && Pos + 4 <= Stop) {
        Pos += 4;
        return Finish(T, TTok::Cdo);
      }
      if (C == '-' && S.substr(Pos, 3) == "-->" && Pos + 3 <= Stop) {
        Pos += 3;
        return Finish(T, TTok::Cdc);
      }
      if (C == '@' && (IsNameStart(At(Pos + 1)) || (At(Pos + 1) == '-' && IsNameStart(At(Pos + 2))))) {
        ++Pos;
        T.Value = Name();
        return Finish(T, TTok::AtKeyword);
      }
      if (IsNameStart(C) || C == '\\' || (C == '-' && (IsNameStart(At(Pos + 1)) || At(Pos + 1) == '-'))) {
        T.Value = Name();
        if (Pos < Stop && S[Pos] == '(') {
          ++Pos;
          std::string Lower(T.Value);
          std::transform(Lower.begin(), Lower.end(), Lower.begin(), [](unsigned char X) { return std::tolower(X); });
          if (Lower == "url") {
            return UrlToken(T);
          }
          return Finish(T, TTok::Function);
        }
        return Finish(T, TTok::Ident);
      }
      ++Pos;
      switch (C) {
        case ':': return Finish(T, TTok::Colon);
        case ';': return Finish(T, TTok::Semicolon);
        case ',': return Finish(T, TTok::Comma);
        case '[': return Finish(T, TTok::LBracket);
        case ']': return Finish(T, TTok::RBracket);
        case '(': return Finish(T, TTok::LParen);
        case ')': return Finish(T, TTok::RParen);
        case '{': return Finish(T, TTok::LBrace);
        case '}': return Finish(T, TTok::RBrace);
        default: T.DelimChar = static_cast<char>(C); return Finish(T, TTok::Delim);
      }
    }
  }

  void Report(int Type, std::size_t Offset, std::size_t Length, int Id, std::string Text, const char* Category,
              int Flag) {
    const auto [Line, Col] = Doc.Position(Offset);
    Out.Add(Type, Line, Col, static_cast<int>(std::max<std::size_t>(Length, 1)), Id, std::move(Text), Category,
            KindStyle, Flag);
  }

  const TSourceText& Doc;

private:
  std::size_t Pos;
  std::size_t Stop;
  TMessageList& Out;

  unsigned char At(std::size_t I) const { return I < Stop ? static_cast<unsigned char>(Doc.Text()[I]) : 0; }
  std::size_t Find(std::string_view What, std::size_t From) const {
    const std::size_t F = Doc.Text().substr(0, Stop).find(What, From);
    return F;
  }
  TToken Finish(TToken& T, TTok Kind) {
    T.Kind = Kind;
    T.End = Pos;
    if (T.Value.empty() && Kind != TTok::Hash) {
      T.Value = Doc.Text().substr(T.Begin, Pos - T.Begin);
    }
    return T;
  }
  bool StartsNumber(std::size_t I) const {
    unsigned char C = At(I);
    if (C == '+' || C == '-') {
      C = At(++I);
    }
    if (std::isdigit(C)) {
      return true;
    }
    return C == '.' && std::isdigit(At(I + 1));
  }
  std::string_view Name() {
    const std::size_t B = Pos;
    while (Pos < Stop) {
      const unsigned char C = static_cast<unsigned char>(Doc.Text()[Pos]);
      if (C == '\\' && Pos + 1 < Stop) {
        Pos += 2;
      } else if (IsNameChar(C)) {
        ++Pos;
      } else {
        break;
      }
    }
    return Doc.Text().substr(B, Pos - B);
  }
  TToken StringToken(TToken& T, char Quote) {
    ++Pos;
    const std::string_view S = Doc.Text();
    while (Pos < Stop) {
      const char C = S[Pos];
      if (C == Quote) {
        ++Pos;
        return Finish(T, TTok::String);
      }
      if (C == '\n') {
        break;
      }
      if (C == '\\' && Pos + 1 < Stop) {
        ++Pos;
      }
      ++Pos;
    }
    Report(MsgError, T.Begin, Pos - T.Begin, IdUnterminatedString, "Unterminated string.", CategorySyntax, 0);
    return Finish(T, TTok::BadString);
  }
  TToken UrlToken(TToken& T) {
    const std::string_view S = Doc.Text();
    while (Pos < Stop && std::isspace(static_cast<unsigned char>(S[Pos]))) {
      ++Pos;
    }
    if (Pos < Stop && (S[Pos] == '"' || S[Pos] == '\'')) {
      TToken Inner;
      Inner.Begin = Pos;
      StringToken(Inner, S[Pos]);
      while (Pos < Stop && std::isspace(static_cast<unsigned char>(S[Pos]))) {
        ++Pos;
      }
    } else {
      while (Pos < Stop && S[Pos] != ')' && S[Pos] != '\n' && !std::isspace(static_cast<unsigned char>(S[Pos])) &&
             S[Pos] != '"' && S[Pos] != '\'' && S[Pos] != '(') {
        ++Pos;
      }
      while (Pos < Stop && std::isspace(static_cast<unsigned char>(S[Pos])) && S[Pos] != '\n') {
        ++Pos;
      }
    }
    if (Pos < Stop && S[Pos] == ')') {
      ++Pos;
      return Finish(T, TTok::Url);
    }
    while (Pos < Stop && S[Pos] != ')' && S[Pos] != ';' && S[Pos] != '}' && S[Pos] != '\n') {
      ++Pos;
    }
    if (Pos < Stop && S[Pos] == ')') {
      ++Pos;
    }
    Report(MsgError, T.Begin, Pos - T.Begin, IdBadUrl, "Malformed url(): missing \")\" or a bad character.",
           CategorySyntax, 0);
    return Finish(T, TTok::BadUrl);
  }
  TToken NumberToken(TToken& T) {
    const std::string_view S = Doc.Text();
    const std::size_t B = Pos;
    if (S[Pos] == '+' || S[Pos] == '-') {
      ++Pos;
    }
    while (Pos < Stop && std::isdigit(static_cast<unsigned char>(S[Pos]))) {
      ++Pos;
    }
    if (Pos + 1 < Stop && S[Pos] == '.' && std::isdigit(static_cast<unsigned char>(S[Pos + 1]))) {
      ++Pos;
      while (Pos < Stop && std::isdigit(static_cast<unsigned char>(S[Pos]))) {
        ++Pos;
      }
    }
    if (Pos + 1 < Stop && (S[Pos] == 'e' || S[Pos] == 'E') &&
        (std::isdigit(static_cast<unsigned char>(S[Pos + 1])) ||
         ((S[Pos + 1] == '+' || S[Pos + 1] == '-') && Pos + 2 < Stop &&
          std::isdigit(static_cast<unsigned char>(S[Pos + 2]))))) {
      Pos += 2;
      while (Pos < Stop && std::isdigit(static_cast<unsigned char>(S[Pos]))) {
        ++Pos;
      }
    }
    T.Value = S.substr(B, Pos - B);
    T.Number = std::strtod(std::string(T.Value).c_str(), nullptr);
    if (Pos < Stop && S[Pos] == '%') {
      ++Pos;
      return Finish(T, TTok::Percentage);
    }
    if (Pos < Stop && (IsNameStart(static_cast<unsigned char>(S[Pos])) ||
                       (S[Pos] == '-' && IsNameStart(At(Pos + 1))))) {
      T.Unit = Name();
      return Finish(T, TTok::Dimension);
    }
    return Finish(T, TTok::Number);
  }
};

std::string Lower(std::string_view S) {
  std::string R(S);
  for (char& C : R) {
    C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
  }
  return R;
}

const std::unordered_set<std::string>& KnownProperties() {
  static const std::unordered_set<std::string> Set = {
      "align-content", "align-items", "align-self", "all", "animation", "animation-delay", "animation-direction",
      "animation-duration", "animation-fill-mode", "animation-iteration-count", "animation-name",
      "animation-play-state", "animation-timing-function", "appearance", "backface-visibility", "background",
      "background-attachment", "background-blend-mode", "background-clip", "background-color",
      "background-image", "background-origin", "background-position", "background-repeat", "background-size",
      "border", "border-bottom", "border-bottom-color", "border-bottom-left-radius",
      "border-bottom-right-radius", "border-bottom-style", "border-bottom-width", "border-collapse",
      "border-color", "border-image", "border-left", "border-left-color", "border-left-style",
      "border-left-width", "border-radius", "border-right", "border-right-color", "border-right-style",
      "border-right-width", "border-spacing", "border-style", "border-top", "border-top-color",
      "border-top-left-radius", "border-top-right-radius", "border-top-style", "border-top-width",
      "border-width", "bottom", "box-shadow", "box-sizing", "break-after", "break-before", "break-inside",
      "caption-side", "caret-color", "clear", "clip", "clip-path", "color", "column-count", "column-gap",
      "column-rule", "column-span", "column-width", "columns", "content", "counter-increment", "counter-reset",
      "cursor", "direction", "display", "empty-cells", "filter", "flex", "flex-basis", "flex-direction",
      "flex-flow", "flex-grow", "flex-shrink", "flex-wrap", "float", "font", "font-family",
      "font-feature-settings", "font-kerning", "font-size", "font-size-adjust", "font-stretch", "font-style",
      "font-variant", "font-weight", "gap", "grid", "grid-area", "grid-auto-columns", "grid-auto-flow",
      "grid-auto-rows", "grid-column", "grid-column-end", "grid-column-gap", "grid-column-start", "grid-gap",
      "grid-row", "grid-row-end", "grid-row-gap", "grid-row-start", "grid-template", "grid-template-areas",
      "grid-template-columns", "grid-template-rows", "height", "hyphens", "justify-content", "justify-items",
      "justify-self", "left", "letter-spacing", "line-height", "list-style", "list-style-image",
      "list-style-position", "list-style-type", "margin", "margin-bottom", "margin-left", "margin-right",
      "margin-top", "marks", "max-height", "max-width", "min-height", "min-width", "mix-blend-mode",
      "object-fit", "object-position", "opacity", "order", "orphans", "outline", "outline-color",
      "outline-offset", "outline-style", "outline-width", "overflow", "overflow-wrap", "overflow-x",
      "overflow-y", "padding", "padding-bottom", "padding-left", "padding-right", "padding-top", "page",
      "page-break-after", "page-break-before", "page-break-inside", "perspective", "perspective-origin",
      "pointer-events", "position", "quotes", "resize", "right", "row-gap", "scroll-behavior", "size", "speak",
      "src", "tab-size", "table-layout", "text-align", "text-align-last", "text-decoration",
      "text-decoration-color", "text-decoration-line", "text-decoration-style", "text-indent",
      "text-overflow", "text-shadow", "text-transform", "top", "transform", "transform-origin",
      "transform-style", "transition", "transition-delay", "transition-duration", "transition-property",
      "transition-timing-function", "unicode-bidi", "unicode-range", "user-select", "vertical-align",
      "visibility", "white-space", "widows", "width", "will-change", "word-break", "word-spacing", "word-wrap",
      "writing-mode", "z-index", "azimuth", "cue", "elevation", "pause", "pitch", "play-during", "richness",
      "speak-header", "speak-numeral", "speak-punctuation", "speech-rate", "stress", "voice-family", "volume",
      "scrollbar-base-color", "scrollbar-face-color", "scrollbar-arrow-color", "zoom", "font-display",
      "inset", "aspect-ratio", "place-items", "place-content", "place-self", "isolation", "contain",
      "text-rendering", "touch-action", "scroll-snap-type", "scroll-snap-align", "scroll-margin",
      "scroll-padding", "accent-color", "line-break", "outline-radius", "scrollbar-width", "scrollbar-color",
      "scrollbar-gutter", "text-wrap", "text-wrap-style", "text-wrap-mode"};
  return Set;
}

bool IsColourProperty(const std::string& P) {
  return P == "color" || P == "background-color" || P == "border-color" || P == "outline-color" ||
         P == "border-top-color" || P == "border-right-color" || P == "border-bottom-color" ||
         P == "border-left-color" || P == "text-decoration-color" || P == "caret-color";
}

bool IsLengthProperty(const std::string& P) {
  static const std::unordered_set<std::string> Set = {
      "width", "height", "min-width", "min-height", "max-width", "max-height", "top", "right", "bottom", "left",
      "margin", "margin-top", "margin-right", "margin-bottom", "margin-left", "padding", "padding-top",
      "padding-right", "padding-bottom", "padding-left", "font-size", "border-width", "border-top-width",
      "border-right-width", "border-bottom-width", "border-left-width", "letter-spacing", "word-spacing",
      "text-indent", "outline-width", "border-radius", "outline-offset", "column-gap", "row-gap", "gap"};
  return Set.count(P) != 0;
}

bool IsNonNegativeProperty(const std::string& P) {
  return P == "width" || P == "height" || P.rfind("min-", 0) == 0 || P.rfind("max-", 0) == 0 ||
         P.rfind("padding", 0) == 0 || P == "font-size" || (P.rfind("border", 0) == 0 && P.ends_with("width")) ||
         P == "outline-width" || P == "border-radius";
}

bool IsKnownUnit(const std::string& U) {
  static const std::unordered_set<std::string> Set = {
      "px", "em", "ex", "ch", "rem", "vw", "vh", "vmin", "vmax", "cm", "mm", "in", "pt", "pc", "q", "deg", "grad",
      "rad", "turn", "s", "ms", "hz", "khz", "dpi", "dpcm", "dppx", "fr", "x"};
  return Set.count(U) != 0;
}

bool IsColourKeyword(const std::string& W) {
  static const std::unordered_set<std::string> Set = {
      "aqua", "black", "blue", "fuchsia", "gray", "grey", "green", "lime", "maroon", "navy", "olive", "orange",
      "purple", "red", "silver", "teal", "white", "yellow", "transparent", "currentcolor", "inherit", "initial",
      "unset", "revert", "aliceblue", "antiquewhite", "aquamarine", "azure", "beige", "bisque", "blanchedalmond",
      "blueviolet", "brown", "burlywood", "cadetblue", "chartreuse", "chocolate", "coral", "cornflowerblue",
      "cornsilk", "crimson", "cyan", "darkblue", "darkcyan", "darkgoldenrod", "darkgray", "darkgrey",
      "darkgreen", "darkkhaki", "darkmagenta", "darkolivegreen", "darkorange", "darkorchid", "darkred",
      "darksalmon", "darkseagreen", "darkslateblue", "darkslategray", "darkslategrey", "darkturquoise",
      "darkviolet", "deeppink", "deepskyblue", "dimgray", "dimgrey", "dodgerblue", "firebrick", "floralwhite",
      "forestgreen", "gainsboro", "ghostwhite", "gold", "goldenrod", "greenyellow", "honeydew", "hotpink",
      "indianred", "indigo", "ivory", "khaki", "lavender", "lavenderblush", "lawngreen", "lemonchiffon",
      "lightblue", "lightcoral", "lightcyan", "lightgoldenrodyellow", "lightgray", "lightgrey", "lightgreen",
      "lightpink", "lightsalmon", "lightseagreen", "lightskyblue", "lightslategray", "lightslategrey",
      "lightsteelblue", "lightyellow", "limegreen", "linen", "magenta", "mediumaquamarine", "mediumblue",
      "mediumorchid", "mediumpurple", "mediumseagreen", "mediumslateblue", "mediumspringgreen",
      "mediumturquoise", "mediumvioletred", "midnightblue", "mintcream", "mistyrose", "moccasin", "navajowhite",
      "oldlace", "olivedrab", "orangered", "orchid", "palegoldenrod", "palegreen", "paleturquoise",
      "palevioletred", "papayawhip", "peachpuff", "peru", "pink", "plum", "powderblue", "rebeccapurple",
      "rosybrown", "royalblue", "saddlebrown", "salmon", "sandybrown", "seagreen", "seashell", "sienna",
      "skyblue", "slateblue", "slategray", "slategrey", "snow", "springgreen", "steelblue", "tan", "thistle",
      "tomato", "turquoise", "violet", "wheat", "whitesmoke", "yellowgreen", "activeborder", "activecaption",
      "appworkspace", "background", "buttonface", "buttonhighlight", "buttonshadow", "buttontext",
      "captiontext", "graytext", "highlight", "highlighttext", "inactiveborder", "inactivecaption",
      "inactivecaptiontext", "infobackground", "infotext", "menu", "menutext", "scrollbar", "threeddarkshadow",
      "threedface", "threedhighlight", "threedlightshadow", "threedshadow", "window", "windowframe",
      "windowtext"};
  return Set.count(W) != 0;
}

class TParser {
public:
  TParser(const TSourceText& Doc, std::size_t B, std::size_t E, TMessageList& Out) : Tok(Doc, B, E, Out) {
    Advance();
  }

  void Stylesheet(bool Nested) {
    for (;;) {
      switch (Cur.Kind) {
        case TTok::End: return;
        case TTok::Whitespace:
        case TTok::Cdo:
        case TTok::Cdc: Advance(); break;
        case TTok::RBrace:
          if (Nested) {
            return;
          }
          Tok.Report(MsgError, Cur.Begin, 1, IdUnexpectedClose, "Unexpected \"}\" without a matching \"{\".",
                     CategorySyntax, 0);
          Advance();
          break;
        case TTok::AtKeyword: AtRule(); break;
        default: QualifiedRule(); break;
      }
    }
  }

  void Declarations(bool TopLevel) {
    for (;;) {
      switch (Cur.Kind) {
        case TTok::End: return;
        case TTok::Whitespace:
        case TTok::Semicolon: Advance(); break;
        case TTok::RBrace:
          if (!TopLevel) {
            return;
          }
          Tok.Report(MsgError, Cur.Begin, 1, IdUnexpectedClose, "Unexpected \"}\" in a declaration list.",
                     CategorySyntax, 0);
          Advance();
          break;
        case TTok::AtKeyword: SkipComponent(true); break;
        case TTok::Ident: Declaration(); break;
        default: {
          std::string What(Cur.Value.substr(0, 20));
          Tok.Report(MsgError, Cur.Begin, Cur.End - Cur.Begin, IdUnexpectedToken,
                     "Unexpected \"" + What + "\" where a property name was expected.", CategorySyntax, 0);
          SkipToDeclarationEnd();
        }
      }
    }
  }

private:
  static constexpr int MaxDepth = 64;
  TTokenizer Tok;
  TToken Cur;
  int Depth = 0;

  void Advance() { Cur = Tok.Next(); }
  void SkipWhitespace() {
    while (Cur.Kind == TTok::Whitespace) {
      Advance();
    }
  }

  // Skips one component value (a token, or a whole block with what it holds). With StopAtSemicolon an at-rule
  // without block ends at its ";".
  void SkipComponent(bool StopAtSemicolon) {
    if (StopAtSemicolon) {
      Advance();
      while (Cur.Kind != TTok::End && Cur.Kind != TTok::Semicolon && Cur.Kind != TTok::LBrace &&
             Cur.Kind != TTok::RBrace) {
        SkipComponent(false);
      }
      if (Cur.Kind == TTok::Semicolon) {
        Advance();
      }
      if (Cur.Kind == TTok::LBrace) {
        SkipComponent(false);
      }
      return;
    }
    TTok Close;
    switch (Cur.Kind) {
      case TTok::LBrace: Close = TTok::RBrace; break;
      case TTok::LBracket: Close = TTok::RBracket; break;
      case TTok::LParen:
      case TTok::Function: Close = TTok::RParen; break;
      default: Advance(); return;
    }
    // Iterative skip of nested blocks, so deep nesting costs no stack.
    std::vector<TTok> Stack{Close};
    Advance();
    while (!Stack.empty() && Cur.Kind != TTok::End) {
      if (Cur.Kind == Stack.back()) {
        Stack.pop_back();
      } else if (Cur.Kind == TTok::LBrace) {
        Stack.push_back(TTok::RBrace);
      } else if (Cur.Kind == TTok::LBracket) {
        Stack.push_back(TTok::RBracket);
      } else if (Cur.Kind == TTok::LParen || Cur.Kind == TTok::Function) {
        Stack.push_back(TTok::RParen);
      }
      Advance();
    }
  }

  void SkipToDeclarationEnd() {
    while (Cur.Kind != TTok::End && Cur.Kind != TTok::Semicolon && Cur.Kind != TTok::RBrace) {
      SkipComponent(false);
    }
  }

  void Block(bool RuleList, std::size_t OpenOffset) {
    if (Depth >= MaxDepth) {
      // Nested rule blocks this deep are skipped whole rather than parsed (no stack is spent on them).
      SkipComponent(false);
      return;
    }
    ++Depth;
    Advance();  // past "{"
    if (RuleList) {
      Stylesheet(true);
    } else {
      Declarations(false);
    }
    --Depth;
    if (Cur.Kind == TTok::RBrace) {
      Advance();
    } else {
      const auto [Line, Col] = Tok.Doc.Position(OpenOffset);
      (void)Col;
      Tok.Report(MsgError, OpenOffset, 1, IdMissingClose,
                 "Missing \"}\" to close the block opened in line " + std::to_string(Line) + ".", CategorySyntax, 0);
    }
  }

  void AtRule() {
    const std::string Name = Lower(Cur.Value);  // without the "@"
    const std::size_t Start = Cur.Begin;
    static const std::unordered_set<std::string> RuleLists = {"media", "supports", "document", "-moz-document",
                                                                "layer", "container"};
    static const std::unordered_set<std::string> DeclBlocks = {"font-face", "page", "viewport", "counter-style",
                                                                 "-ms-viewport"};
    static const std::unordered_set<std::string> Statements = {"import", "charset", "namespace"};
    const bool KnownRuleList = RuleLists.count(Name) || Name.ends_with("keyframes");
    if (!KnownRuleList && !DeclBlocks.count(Name) && !Statements.count(Name)) {
      Tok.Report(MsgWarning, Start, Cur.End - Cur.Begin, IdUnknownAtRule, "Unknown at-rule \"@" + Name + "\".",
                 CategorySyntax, FlagCssProperties);
      SkipComponent(true);
      return;
    }
    Advance();
    while (Cur.Kind != TTok::End && Cur.Kind != TTok::Semicolon && Cur.Kind != TTok::LBrace &&
           Cur.Kind != TTok::RBrace) {
      SkipComponent(false);
    }
    if (Cur.Kind == TTok::LBrace) {
      if (Name.ends_with("keyframes")) {
        // Keyframe selectors (from, to, percentages) hold declaration blocks.
        const std::size_t Open = Cur.Begin;
        Advance();
        for (;;) {
          SkipWhitespace();
          if (Cur.Kind == TTok::End || Cur.Kind == TTok::RBrace) {
            break;
          }
          QualifiedRule();
        }
        if (Cur.Kind == TTok::RBrace) {
          Advance();
        } else {
          Tok.Report(MsgError, Open, 1, IdMissingClose, "Missing \"}\" to close the keyframes block.",
                     CategorySyntax, 0);
        }
        return;
      }
      Block(KnownRuleList, Cur.Begin);
    } else if (Cur.Kind == TTok::Semicolon) {
      Advance();
    }
  }

  void QualifiedRule() {
    const std::size_t Start = Cur.Begin;
    bool HasSelector = false;
    while (Cur.Kind != TTok::End && Cur.Kind != TTok::LBrace) {
      if (Cur.Kind == TTok::RBrace || Cur.Kind == TTok::Semicolon) {
        Tok.Report(MsgError, Start, std::max<std::size_t>(Cur.Begin - Start, 1), IdExpectedBrace,
                   "Expected \"{\" after the selector.", CategorySyntax, 0);
        if (Cur.Kind == TTok::Semicolon) {
          Advance();
        }
        return;
      }
      if (Cur.Kind != TTok::Whitespace) {
        HasSelector = true;
      }
      SkipComponent(false);
    }
    if (Cur.Kind == TTok::End) {
      if (HasSelector) {
        Tok.Report(MsgError, Start, 1, IdExpectedBrace, "Expected \"{\" after the selector.", CategorySyntax, 0);
      }
      return;
    }
    if (!HasSelector) {
      Tok.Report(MsgError, Cur.Begin, 1, IdMissingSelector, "Missing selector before \"{\".", CategorySyntax, 0);
    }
    Block(false, Cur.Begin);
  }

  void Declaration() {
    const TToken NameTok = Cur;
    const std::string Property = Lower(NameTok.Value);
    Advance();
    SkipWhitespace();
    if (Cur.Kind != TTok::Colon) {
      Tok.Report(MsgError, NameTok.Begin, NameTok.End - NameTok.Begin, IdExpectedColon,
                 "Expected \":\" after the property name \"" + Property + "\".", CategorySyntax, 0);
      SkipToDeclarationEnd();
      return;
    }
    Advance();
    std::vector<TToken> Value;
    int Depth = 0;
    bool Unbalanced = false;
    while (Cur.Kind != TTok::End && !(Depth == 0 && (Cur.Kind == TTok::Semicolon || Cur.Kind == TTok::RBrace))) {
      if (Cur.Kind == TTok::LParen || Cur.Kind == TTok::Function || Cur.Kind == TTok::LBracket) {
        ++Depth;
      }
      if (Cur.Kind == TTok::RParen || Cur.Kind == TTok::RBracket) {
        if (Depth == 0) {
          Unbalanced = true;
        } else {
          --Depth;
        }
      }
      if (Cur.Kind == TTok::LBrace) {
        // A block cannot stand in a value: the declaration (and the rule) is broken here.
        Unbalanced = true;
        SkipComponent(false);
        continue;
      }
      if (Cur.Kind != TTok::Whitespace) {
        Value.push_back(Cur);
      }
      Advance();
    }
    if (Depth > 0) {
      Unbalanced = true;
    }
    CheckValue(NameTok, Property, Value, Unbalanced);
  }

  void CheckValue(const TToken& NameTok, const std::string& Property, std::vector<TToken>& Value, bool Unbalanced) {
    const bool Vendor = !Property.empty() && (Property[0] == '-' || Property[0] == '_');
    if (!Vendor && !IsKnownCssProperty(Property)) {
      Tok.Report(MsgWarning, NameTok.Begin, NameTok.End - NameTok.Begin, IdUnknownProperty,
                 "Unknown property \"" + Property + "\".", CategoryProperties, FlagCssProperties);
    }
    // "!important" at the end.
    if (Value.size() >= 2 && Value[Value.size() - 2].Kind == TTok::Delim && Value[Value.size() - 2].DelimChar == '!') {
      if (Value.back().Kind == TTok::Ident && Lower(Value.back().Value) == "important") {
        Value.resize(Value.size() - 2);
      }
    }
    for (const TToken& T : Value) {
      if (T.Kind == TTok::Delim && T.DelimChar == '!') {
        Tok.Report(MsgError, T.Begin, 1, IdBadImportant, "\"!\" must be followed by \"important\".", CategoryValues,
                   FlagCssValues);
        return;
      }
    }
    if (Value.empty()) {
      Tok.Report(MsgError, NameTok.Begin, NameTok.End - NameTok.Begin, IdNoValue,
                 "The property \"" + Property + "\" has no value.", CategoryValues, FlagCssValues);
      return;
    }
    if (Unbalanced) {
      Tok.Report(MsgError, Value.front().Begin, Value.back().End - Value.front().Begin, IdUnbalanced,
                 "Unbalanced parentheses or brackets in the value of \"" + Property + "\".", CategoryValues,
                 FlagCssValues);
      return;
    }
    const bool Colour = IsColourProperty(Property);
    const bool Length = IsLengthProperty(Property);
    if (Property == "unicode-range") {
      return;  // U+0-7F ranges are tokens of their own
    }
    int Nesting = 0;
    for (const TToken& T : Value) {
      if (T.Kind == TTok::Function || T.Kind == TTok::LParen) {
        ++Nesting;
      }
      if (T.Kind == TTok::RParen && Nesting > 0) {
        --Nesting;
      }
      if (T.Kind == TTok::Dimension && !IsKnownUnit(Lower(T.Unit))) {
        Tok.Report(MsgError, T.Begin, T.End - T.Begin, IdUnknownUnit,
                   "Unknown unit \"" + std::string(T.Unit) + "\" in \"" + std::string(T.Value) + "\".", CategoryValues,
                   FlagCssValues);
      }
      if (Nesting > 0) {
        continue;  // function arguments are the function's business
      }
      if (Colour && T.Kind == TTok::Hash) {
        const std::size_t N = T.Value.size();
        const bool Hex = std::all_of(T.Value.begin(), T.Value.end(),
                                     [](unsigned char C) { return std::isxdigit(C) != 0; });
        if (!Hex || (N != 3 && N != 4 && N != 6 && N != 8)) {
          Tok.Report(MsgError, T.Begin, T.End - T.Begin, IdBadColour,
                     "Invalid colour value \"#" + std::string(T.Value) + "\".", CategoryValues, FlagCssValues);
        }
      }
      if (Colour && Value.size() == 1 && T.Kind == TTok::Ident && !IsColourKeyword(Lower(T.Value))) {
        Tok.Report(MsgError, T.Begin, T.End - T.Begin, IdUnknownColour,
                   "Unknown colour name \"" + std::string(T.Value) + "\".", CategoryValues, FlagCssValues);
      }
      if (Length && T.Kind == TTok::Number && T.Number != 0 && Property != "line-height") {
        Tok.Report(MsgError, T.Begin, T.End - T.Begin, IdNeedsUnit,
                   "The length \"" + std::string(T.Value) + "\" of \"" + Property + "\" needs a unit.",
                   CategoryValues, FlagCssValues);
      }
      if (Length && IsNonNegativeProperty(Property) && T.Number < 0 &&
          (T.Kind == TTok::Number || T.Kind == TTok::Dimension || T.Kind == TTok::Percentage)) {
        Tok.Report(MsgError, T.Begin, T.End - T.Begin, IdNegative,
                   "Negative value \"" + std::string(Doc().Text().substr(T.Begin, T.End - T.Begin)) +
                       "\" is not allowed for \"" + Property + "\".",
                   CategoryValues, FlagCssValues);
      }
    }
  }

  const TSourceText& Doc() const { return Tok.Doc; }
};

}  // namespace

bool IsKnownCssProperty(std::string_view Name) {
  if (KnownProperties().count(std::string(Name)) != 0) {
    return true;
  }
  // Families named by a prefix: the logical (block and inline) sides, scroll snapping, masks, SVG painting.
  static constexpr std::string_view Families[] = {
      "margin-block", "margin-inline", "padding-block", "padding-inline", "border-block", "border-inline",
      "inset-", "scroll-margin", "scroll-padding", "scroll-snap", "overscroll-behavior", "mask", "text-emphasis",
      "text-underline", "font-variant-", "font-variation", "grid-template", "column-rule-", "list-style-",
      "border-start", "border-end", "max-block", "max-inline", "min-block", "min-inline", "block-size",
      "inline-size", "contain-intrinsic", "animation-", "transition-", "offset", "shape-", "stroke", "fill",
      "color-", "text-size-adjust", "content-visibility", "backdrop-filter", "print-color-adjust"};
  for (std::string_view F : Families) {
    if (Name.substr(0, F.size()) == F) {
      return true;
    }
  }
  return false;
}

void CheckCss(const TSourceText& Doc, std::size_t Begin, std::size_t End, bool DeclarationsOnly, TMessageList& Out) {
  End = std::min(End, Doc.Text().size());
  if (Begin >= End) {
    return;
  }
  TParser P(Doc, Begin, End, Out);
  if (DeclarationsOnly) {
    P.Declarations(true);
  } else {
    P.Stylesheet(false);
  }
}

}  // namespace zubengine
