// The engine's text tools.
#include "engine/TextTools.h"

#include "engine/EngineTexts.h"
#include "engine/TagScanner.h"

#include <cctype>

namespace zubengine {

namespace {

void AppendCase(std::string& Out, std::string_view S, bool Upper) {
  for (char C : S) {
    Out += static_cast<char>(Upper ? std::toupper(static_cast<unsigned char>(C))
                                   : std::tolower(static_cast<unsigned char>(C)));
  }
}

std::string ApplyTemplateDepth(std::string_view Text, const std::string& Folder, const std::string& DocumentName,
                               int Depth) {
  std::string Out;
  Out.reserve(Text.size());
  std::size_t Pos = 0;
  for (;;) {
    const std::size_t B = Text.find("<!--#", Pos);
    if (B == std::string_view::npos) {
      break;
    }
    const std::size_t E = Text.find("-->", B + 5);
    if (E == std::string_view::npos) {
      break;
    }
    Out.append(Text.substr(Pos, B - Pos));
    const std::string_view Directive = Text.substr(B + 5, E - (B + 5));
    Pos = E + 3;
    std::string_view Word = Directive;
    while (!Word.empty() && std::isspace(static_cast<unsigned char>(Word.back()))) {
      Word.remove_suffix(1);
    }
    if (SameText(Word, "filename")) {
      Out += DocumentName;
      continue;
    }
    if (Word.size() >= 7 && SameText(Word.substr(0, 7), "include")) {
      const std::size_t Q1 = Word.find('"');
      const std::size_t Q2 = Q1 == std::string_view::npos ? Q1 : Word.find('"', Q1 + 1);
      if (Q2 == std::string_view::npos) {
        Out += "<!-- template error: include without a quoted file name -->";
        continue;
      }
      const std::string File(Word.substr(Q1 + 1, Q2 - Q1 - 1));
      const std::string Path = !File.empty() && File[0] == '/' ? File : Folder + File;
      std::string Content;
      if (Depth >= 8) {
        Out += "<!-- template error: includes nested too deeply -->";
      } else if (!ReadFileBytes(Path, Content)) {
        Out += "<!-- template error: cannot read \"" + File + "\" -->";
      } else {
        Out += ApplyTemplateDepth(Content, Folder, DocumentName, Depth + 1);
      }
      continue;
    }
    Out.append(Text.substr(B, Pos - B));  // not ours: kept
  }
  Out.append(Text.substr(Pos));
  return Out;
}

}  // namespace

std::string ChangeTagCase(std::string_view Text, bool Upper) {
  std::string Out;
  Out.reserve(Text.size());
  TTagScanner Scanner(Text);
  TTag Tag;
  std::size_t Copied = 0;
  while (Scanner.Next(Tag)) {
    if (Tag.Kind != TTag::Start && Tag.Kind != TTag::EndTag) {
      continue;
    }
    Out.append(Text.substr(Copied, Tag.NameBegin - Copied));
    AppendCase(Out, Tag.Name, Upper);
    Copied = Tag.NameBegin + Tag.Name.size();
    for (const TTagAttr& A : Tag.Attrs) {
      Out.append(Text.substr(Copied, A.NameBegin - Copied));
      AppendCase(Out, A.Name, Upper);
      Copied = A.NameBegin + A.Name.size();
    }
  }
  Out.append(Text.substr(Copied));
  return Out;
}

std::string StripTags(std::string_view Text) {
  std::string Out;
  Out.reserve(Text.size());
  TTagScanner Scanner(Text);
  TTag Tag;
  std::size_t Copied = 0;
  while (Scanner.Next(Tag)) {
    Out.append(Text.substr(Copied, Tag.Begin - Copied));
    Copied = Tag.RawEnd > Tag.RawBegin ? Tag.RawEnd : Tag.End;
    if (Tag.RawEnd > Tag.RawBegin) {
      // The contents of script and style go with the tags; the scanner resumes at the end tag.
      Copied = Tag.RawEnd;
    }
  }
  if (Copied < Text.size()) {
    Out.append(Text.substr(Copied));
  }
  return Out;
}

std::string QuoteAttributeValues(std::string_view Text, int& Count) {
  Count = 0;
  std::string Out;
  Out.reserve(Text.size() + 64);
  TTagScanner Scanner(Text);
  TTag Tag;
  std::size_t Copied = 0;
  while (Scanner.Next(Tag)) {
    if (Tag.Kind != TTag::Start) {
      continue;
    }
    for (const TTagAttr& A : Tag.Attrs) {
      if (!A.HasValue || A.Quote != 0 || A.ValueEnd <= A.ValueBegin) {
        continue;
      }
      const char Q = A.Value.find('"') == std::string_view::npos ? '"' : '\'';
      Out.append(Text.substr(Copied, A.ValueBegin - Copied));
      Out += Q;
      Out.append(A.Value);
      Out += Q;
      Copied = A.ValueEnd;
      ++Count;
    }
  }
  Out.append(Text.substr(Copied));
  return Out;
}

std::string ApplyTemplate(std::string_view Text, const std::string& Folder, const std::string& DocumentName) {
  return ApplyTemplateDepth(Text, Folder, DocumentName, 0);
}

std::string ConvertLineEnds(std::string_view Text, int Format) {
  const char* End = Format == LineEndCrLf ? "\r\n" : Format == LineEndCr ? "\r" : "\n";
  std::string Out;
  Out.reserve(Text.size() + Text.size() / 32);
  for (std::size_t I = 0; I < Text.size(); ++I) {
    const char C = Text[I];
    if (C == '\r') {
      if (I + 1 < Text.size() && Text[I + 1] == '\n') {
        ++I;
      }
      Out += End;
    } else if (C == '\n') {
      Out += End;
    } else {
      Out += C;
    }
  }
  return Out;
}

}  // namespace zubengine
