// The engine's markup scanner.
#include "engine/TagScanner.h"

#include <cctype>

namespace zubengine {

namespace {

bool IsSpace(char C) { return C == ' ' || C == '\t' || C == '\n' || C == '\r' || C == '\f'; }
bool IsNameChar(char C) {
  const unsigned char U = static_cast<unsigned char>(C);
  return std::isalnum(U) || C == '-' || C == '_' || C == ':' || C == '.' || U >= 0x80;
}

// Offset of the end tag "</Name" (any case) at or after From, or npos.
std::size_t FindEndTag(std::string_view S, std::string_view Name, std::size_t From) {
  for (std::size_t I = S.find("</", From); I != std::string_view::npos; I = S.find("</", I + 2)) {
    if (I + 2 + Name.size() <= S.size() && SameText(S.substr(I + 2, Name.size()), Name)) {
      const std::size_t After = I + 2 + Name.size();
      if (After == S.size() || !IsNameChar(S[After])) {
        return I;
      }
    }
  }
  return std::string_view::npos;
}

}  // namespace

bool SameText(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) {
    return false;
  }
  for (std::size_t I = 0; I < A.size(); ++I) {
    if (std::tolower(static_cast<unsigned char>(A[I])) != std::tolower(static_cast<unsigned char>(B[I]))) {
      return false;
    }
  }
  return true;
}

bool IsVoidElement(std::string_view N) {
  static constexpr std::string_view Void[] = {"area", "base", "br", "col", "embed", "hr", "img", "input",
                                              "link", "meta", "param", "source", "track", "wbr", "basefont",
                                              "frame", "isindex", "keygen"};
  for (std::string_view V : Void) {
    if (SameText(N, V)) {
      return true;
    }
  }
  return false;
}

bool TTagScanner::Next(TTag& Tag) {
  if (PendingRawEnd != std::string_view::npos) {
    Pos = PendingRawEnd;
    PendingRawEnd = std::string_view::npos;
  }
  for (;;) {
    const std::size_t Lt = S.find('<', Pos);
    if (Lt == std::string_view::npos || Lt + 1 >= S.size()) {
      Pos = S.size();
      return false;
    }
    Tag.Attrs.clear();
    Tag.Begin = Lt;
    Tag.SelfClosing = false;
    Tag.Unterminated = false;
    Tag.Name = {};
    Tag.RawBegin = Tag.RawEnd = 0;
    const char C = S[Lt + 1];
    if (C == '!') {
      if (S.compare(Lt, 4, "<!--") == 0) {
        const std::size_t Close = S.find("-->", Lt + 4);
        Tag.Kind = TTag::Comment;
        Tag.Unterminated = Close == std::string_view::npos;
        Tag.End = Tag.Unterminated ? S.size() : Close + 3;
      } else {
        const std::size_t Close = S.find('>', Lt + 2);
        Tag.Kind = TTag::Declaration;
        Tag.Unterminated = Close == std::string_view::npos;
        Tag.End = Tag.Unterminated ? S.size() : Close + 1;
        Tag.NameBegin = Lt + 2;
        std::size_t E = Lt + 2;
        while (E < Tag.End && IsNameChar(S[E])) {
          ++E;
        }
        Tag.Name = S.substr(Lt + 2, E - (Lt + 2));
      }
      Pos = Tag.End;
      return true;
    }
    if (C == '?') {
      const std::size_t Close = S.find('>', Lt + 2);
      Tag.Kind = TTag::Processing;
      Tag.Unterminated = Close == std::string_view::npos;
      Tag.End = Tag.Unterminated ? S.size() : Close + 1;
      Pos = Tag.End;
      return true;
    }
    const bool IsEnd = C == '/';
    const std::size_t NameStart = Lt + (IsEnd ? 2 : 1);
    if (NameStart >= S.size() || !std::isalpha(static_cast<unsigned char>(S[NameStart]))) {
      Pos = Lt + 1;  // a lone '<' is text
      continue;
    }
    std::size_t E = NameStart;
    while (E < S.size() && IsNameChar(S[E])) {
      ++E;
    }
    Tag.Kind = IsEnd ? TTag::EndTag : TTag::Start;
    Tag.Name = S.substr(NameStart, E - NameStart);
    Tag.NameBegin = NameStart;
    Pos = E;
    if (IsEnd) {
      const std::size_t Close = S.find('>', Pos);
      Tag.Unterminated = Close == std::string_view::npos;
      Tag.End = Tag.Unterminated ? S.size() : Close + 1;
      Pos = Tag.End;
      return true;
    }
    ScanAttributes(Tag);
    if (!Tag.SelfClosing && (SameText(Tag.Name, "script") || SameText(Tag.Name, "style"))) {
      const std::size_t EndTag = FindEndTag(S, Tag.Name, Pos);
      Tag.RawBegin = Pos;
      Tag.RawEnd = EndTag == std::string_view::npos ? S.size() : EndTag;
      PendingRawEnd = Tag.RawEnd;
    }
    return true;
  }
}

void TTagScanner::ScanAttributes(TTag& Tag) {
  for (;;) {
    while (Pos < S.size() && IsSpace(S[Pos])) {
      ++Pos;
    }
    if (Pos >= S.size()) {
      Tag.Unterminated = true;
      Tag.End = S.size();
      return;
    }
    const char C = S[Pos];
    if (C == '>') {
      Tag.End = ++Pos;
      return;
    }
    if (C == '/' && Pos + 1 < S.size() && S[Pos + 1] == '>') {
      Tag.SelfClosing = true;
      Pos += 2;
      Tag.End = Pos;
      return;
    }
    if (C == '<') {  // a tag that never closed: the next one starts here
      Tag.Unterminated = true;
      Tag.End = Pos;
      return;
    }
    TTagAttr A;
    A.NameBegin = Pos;
    while (Pos < S.size() && !IsSpace(S[Pos]) && S[Pos] != '=' && S[Pos] != '>' && S[Pos] != '<' &&
           !(S[Pos] == '/' && Pos + 1 < S.size() && S[Pos + 1] == '>')) {
      ++Pos;
    }
    if (Pos == A.NameBegin) {  // stray '/' or '=' with nothing: skip it
      ++Pos;
      continue;
    }
    A.Name = S.substr(A.NameBegin, Pos - A.NameBegin);
    std::size_t P = Pos;
    while (P < S.size() && IsSpace(S[P])) {
      ++P;
    }
    if (P < S.size() && S[P] == '=') {
      ++P;
      while (P < S.size() && IsSpace(S[P])) {
        ++P;
      }
      A.HasValue = true;
      if (P < S.size() && (S[P] == '"' || S[P] == '\'')) {
        A.Quote = S[P];
        const std::size_t Close = S.find(A.Quote, P + 1);
        A.ValueBegin = P + 1;
        A.ValueEnd = Close == std::string_view::npos ? S.size() : Close;
        Pos = Close == std::string_view::npos ? S.size() : Close + 1;
      } else {
        A.ValueBegin = P;
        while (P < S.size() && !IsSpace(S[P]) && S[P] != '>') {
          ++P;
        }
        A.ValueEnd = P;
        Pos = P;
      }
      A.Value = S.substr(A.ValueBegin, A.ValueEnd - A.ValueBegin);
    }
    Tag.Attrs.push_back(A);
  }
}

}  // namespace zubengine
