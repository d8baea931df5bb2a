// A real C++ source of this tree, coloured by the C++ tokenizer and exported as RTF and HTML, read back by the
// editor component's RTF reader and by the importers: the same text, and per character the same colour and style.
#include "codeeditor/Dcexport.h"
#include "codeeditor/Dclanguages.h"
#include "editor/Easyattributes.h"
#include "editor/Easyrtfreader.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>
#include <tidy.h>
#include <tidybuffio.h>

#include <fstream>
#include <string>
#include <vector>

using namespace Dcexport;

namespace {
struct TStyled {
  TColor Color = 0;
  bool Bold = false;
  bool Italic = false;
  bool operator==(const TStyled&) const = default;
};

struct TColoredDoc {
  std::vector<std::string> Lines;
  std::vector<std::string> Colors;
};

TColoredDoc LoadSource(const std::string& Name) {
  std::ifstream In(std::string(ZUBQ_SOURCE_DIR) + "/" + Name, std::ios::binary);
  TColoredDoc D;
  std::string Line;
  while (std::getline(In, Line)) {
    D.Lines.push_back(Line);
  }
  Dcparser::TCPPParser P(nullptr);
  Integer State = 0;
  for (const auto& L : D.Lines) {
    std::string C(L.size(), '\0');
    State = P.ColorString(L, State, C);
    D.Colors.push_back(C);
  }
  return D;
}

TStyled StyleOf(char Token) {
  switch (Token) {
    case Dcparser::tokResWord: return {0xFF0000, true, false};
    case Dcparser::tokComment: return {0x808080, false, true};
    case Dcparser::tokString: return {0x000080, false, false};
    default: return {};
  }
}

// Writes the document a run per token kind, as the editor writes its coloured text.
void ExportDoc(IDCExporter& E, const TColoredDoc& D) {
  E.StartDocument("Dcexport.cpp");
  for (std::size_t L = 0; L < D.Lines.size(); ++L) {
    if (L > 0) {
      E.NewLine();
    }
    const std::string& S = D.Lines[L];
    const std::string& C = D.Colors[L];
    for (std::size_t I = 0; I < S.size();) {
      std::size_t J = I + 1;
      while (J < S.size() && StyleOf(C[J]) == StyleOf(C[I])) {
        ++J;
      }
      const TStyled St = StyleOf(C[I]);
      if (St.Color != 0) {
        E.StartColor(St.Color);
      }
      if (St.Bold) {
        E.StartBold();
      }
      if (St.Italic) {
        E.StartItalic();
      }
      E.WriteString(E.TranslateString(S.substr(I, J - I)));
      if (St.Italic) {
        E.FinishItalic();
      }
      if (St.Bold) {
        E.FinishBold();
      }
      if (St.Color != 0) {
        E.FinishColor();
      }
      I = J;
    }
  }
  E.FinishDocument();
}

std::string Joined(const TColoredDoc& D) {
  std::string S;
  for (std::size_t I = 0; I < D.Lines.size(); ++I) {
    S += (I > 0 ? "\r\n" : "") + D.Lines[I];
  }
  return S;
}

std::vector<TStyled> ExpectedStyles(const TColoredDoc& D) {
  std::vector<TStyled> R;
  for (std::size_t I = 0; I < D.Lines.size(); ++I) {
    if (I > 0) {
      R.push_back({});
      R.push_back({});
    }
    for (const char C : D.Colors[I]) {
      R.push_back(StyleOf(C));
    }
  }
  return R;
}

// The first character where the styles differ, with the text around it; empty when they agree.
std::string FirstDifference(const std::string& Text, const std::vector<TStyled>& Got,
                            const std::vector<TStyled>& Want) {
  for (std::size_t I = 0; I < Want.size() && I < Got.size(); ++I) {
    // Line breaks carry no style of their own.
    if (Text[I] == '\r' || Text[I] == '\n') {
      continue;
    }
    if (!(Got[I] == Want[I])) {
      return "at " + std::to_string(I) + " near \"" + Text.substr(I > 20 ? I - 20 : 0, 40) + "\": colour " +
             std::to_string(Got[I].Color) + " want " + std::to_string(Want[I].Color);
    }
  }
  return Got.size() == Want.size() ? "" : "length " + std::to_string(Got.size());
}

class ExportRoundTrip : public ::testing::Test {
protected:
  void SetUp() override {
    Doc = LoadSource("codeeditor/Dcexportrtf.cpp");
    ASSERT_GT(Doc.Lines.size(), 100u);
  }
  TColoredDoc Doc;
};

TEST_F(ExportRoundTrip, RtfReadBackByTheEditorComponent) {
  TStringStream Out;
  TDCRTFExporter E(&Out);
  ExportDoc(E, Doc);
  std::string Text;
  std::vector<TStyled> Styles;
  ImportFromRtfString(Out.DataString(), [&](TObject*, const std::string& S, TObject*, TCustomEasyParagraph* Paragraph,
                                            TCustomEasyEditorAttributes* Attributes) {
    if (Attributes != nullptr) {
      Text += S;
      const TStyled St{Attributes->Color(), Attributes->Style().Contains(fsBold),
                       Attributes->Style().Contains(fsItalic)};
      Styles.insert(Styles.end(), S.size(), St);
    } else if (Paragraph != nullptr && !S.empty()) {
      Text += S;
      Styles.insert(Styles.end(), S.size(), TStyled{});
    }
  });
  std::string Want = Joined(Doc);
  std::string Got = Text;
  // The reader reports each line break as a paragraph mark of its own kind; compare lines.
  auto Normalize = [](std::string S) {
    std::string R;
    for (std::size_t I = 0; I < S.size(); ++I) {
      if (S[I] == '\r' && I + 1 < S.size() && S[I + 1] == '\n') {
        continue;
      }
      R += S[I] == '\r' ? '\n' : S[I];
    }
    return R;
  };
  ASSERT_EQ(Normalize(Got), Normalize(Want));
  // Per character (line breaks left out) the same colour, bold and italic.
  std::vector<TStyled> GotStyles;
  std::vector<TStyled> WantStyles;
  std::string Chars;
  const std::vector<TStyled> All = ExpectedStyles(Doc);
  for (std::size_t I = 0; I < Want.size(); ++I) {
    if (Want[I] != '\r' && Want[I] != '\n') {
      WantStyles.push_back(All[I]);
      Chars += Want[I];
    }
  }
  for (std::size_t I = 0; I < Got.size(); ++I) {
    if (Got[I] != '\r' && Got[I] != '\n') {
      GotStyles.push_back(Styles[I]);
    }
  }
  EXPECT_EQ(FirstDifference(Chars, GotStyles, WantStyles), "");
}

TEST_F(ExportRoundTrip, RtfAndHtmlReadBackByTheImporters) {
  const std::string Want = Joined(Doc);
  const std::vector<TStyled> WantStyles = ExpectedStyles(Doc);
  for (const bool Html : {false, true}) {
    TStringStream Out;
    std::unique_ptr<ZEZImporter> Importer;
    if (Html) {
      TDCHTMLExporter E(&Out);
      ExportDoc(E, Doc);
      Importer = std::make_unique<TDCHTMLImporter>();
    } else {
      TDCRTFExporter E(&Out);
      ExportDoc(E, Doc);
      Importer = std::make_unique<ZEZRtfImporter>();
    }
    std::string Text;
    std::vector<TStyled> Styles;
    Importer->OnParseText = [&](TObject*, const std::string& S, TFont* F, TColor) {
      Text += S;
      Styles.insert(Styles.end(), S.size(),
                    TStyled{F->Color(), F->Style().Contains(fsBold), F->Style().Contains(fsItalic)});
    };
    Importer->ParseText(Out.DataString());
    if (Html) {
      // HTML keeps no tab characters: the exporter's callers expand them, as this document has none to expand.
      std::string NoTabs = Want;
      std::erase(NoTabs, '\t');
      // The line break after each "<BR>" in the page reads as one blank in front of the next line.
      std::string Got;
      for (std::size_t I = 0; I < Text.size(); ++I) {
        Got += Text[I];
        if (Text[I] == '\n' && I + 1 < Text.size() && Text[I + 1] == ' ') {
          ++I;
        }
      }
      EXPECT_EQ(Got, NoTabs);
    } else {
      EXPECT_EQ(Text, Want);
      EXPECT_EQ(FirstDifference(Text, Styles, WantStyles), "");
    }
  }
}
// Collects the body text of a page parsed by libtidy, with the colour, bold and italic each character is in.
struct TTidyText {
  TidyDoc Doc;
  std::string Text;
  std::vector<TStyled> Styles;
  void Walk(TidyNode Node, TStyled St) {
    for (TidyNode Child = tidyGetChild(Node); Child != nullptr; Child = tidyGetNext(Child)) {
      if (tidyNodeIsText(Child)) {
        TidyBuffer Buf;
        tidyBufInit(&Buf);
        tidyNodeGetValue(Doc, Child, &Buf);
        std::string V(reinterpret_cast<const char*>(Buf.bp), Buf.size);
        tidyBufFree(&Buf);
        for (std::size_t I = 0; I < V.size(); ++I) {
          if (V[I] == '\r' || V[I] == '\n') {
            continue;  // line breaks of the page's source
          }
          if (V.compare(I, 2, "\xC2\xA0") == 0) {
            ++I;
            Text += ' ';
          } else {
            Text += V[I];
          }
          Styles.push_back(St);
        }
        continue;
      }
      const char* Name = tidyNodeGetName(Child);
      const std::string Tag = Name != nullptr ? Name : "";
      TStyled Inner = St;
      if (Tag == "br") {
        Text += '\n';
        Styles.push_back({});
      } else if (Tag == "b") {
        Inner.Bold = true;
      } else if (Tag == "i") {
        Inner.Italic = true;
      } else if (Tag == "font") {
        if (TidyAttr A = tidyAttrGetById(Child, TidyAttr_COLOR); A != nullptr && tidyAttrValue(A) != nullptr) {
          const unsigned long Rgb = std::stoul(std::string(tidyAttrValue(A)).substr(1), nullptr, 16);
          Inner.Color = static_cast<TColor>(((Rgb >> 16) & 0xFF) | (Rgb & 0xFF00) | ((Rgb & 0xFF) << 16));
        }
      }
      Walk(Child, Inner);
    }
  }
};

TEST_F(ExportRoundTrip, HtmlParsedByTidyHasTheTextAndColours) {
  TStringStream Out;
  {
    TDCHTMLExporter E(&Out);
    ExportDoc(E, Doc);
  }
  TTidyText T{tidyCreate(), {}, {}};
  tidyOptSetBool(T.Doc, TidyShowWarnings, no);
  tidyOptSetInt(T.Doc, TidyShowErrors, 0);
  tidyOptSetBool(T.Doc, TidyQuiet, yes);
  tidySetCharEncoding(T.Doc, "latin1");
  TidyBuffer Errors;
  tidyBufInit(&Errors);
  tidySetErrorBuffer(T.Doc, &Errors);
  ASSERT_GE(tidyParseString(T.Doc, Out.DataString().c_str()), 0);
  T.Walk(tidyGetBody(T.Doc), TStyled{});
  tidyRelease(T.Doc);
  tidyBufFree(&Errors);
  std::string Want;
  std::vector<TStyled> WantStyles;
  const std::vector<TStyled> All = ExpectedStyles(Doc);
  const std::string Joint = Joined(Doc);
  for (std::size_t I = 0; I < Joint.size(); ++I) {
    if (Joint[I] != '\r') {
      Want += Joint[I];
      WantStyles.push_back(All[I]);
    }
  }
  ASSERT_EQ(T.Text, Want);
  EXPECT_EQ(FirstDifference(T.Text, T.Styles, WantStyles), "");
}
}  // namespace
