// Code templates: choosing by prefix, the completion entries, and the file form that round-trips them.
#include "editor/Easyeditobjects.h"

#include "editor/Easyclasses.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

void AddTemplate(TEasyCodeTemplates& T, const std::string& Name, const std::string& Desc,
                 const std::string& Code = {}) {
  auto* Item = static_cast<TEasyCodeTemplate*>(T.Add());
  Item->Name = Name;
  Item->Desc = Desc;
  Item->Code()->SetText(Code);
}

std::vector<std::string> Names(const std::vector<TEasyCodeTemplate*>& List) {
  std::vector<std::string> N;
  for (auto* T : List) {
    N.push_back(T->Name);
  }
  return N;
}

struct TFilterCase {
  const char* Name;
  std::vector<std::string> Templates;
  std::string Prefix;
  std::vector<std::string> Listed;
  bool Exact;
};

class TemplateFilter : public ::testing::TestWithParam<TFilterCase> {};

TEST_P(TemplateFilter, ListsWhatThePrefixSelects) {
  const TFilterCase& C = GetParam();
  TEasyCodeTemplates T;
  for (const auto& N : C.Templates) {
    AddTemplate(T, N, N + " statement");
  }
  std::vector<TEasyCodeTemplate*> List;
  bool Exact = !C.Exact;
  T.ApplyFilter(List, C.Prefix, Exact);
  EXPECT_EQ(Names(List), C.Listed);
  EXPECT_EQ(Exact, C.Exact);
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, TemplateFilter,
    ::testing::Values(
        TFilterCase{"FirstStartsButIsLonger", {"fori", "for", "forin"}, "for", {"fori", "for", "forin"}, false},
        TFilterCase{"ExactFirstMatchAlone", {"for", "fori"}, "for", {"for"}, true},
        TFilterCase{"CaseIgnored", {"while", "For", "fori"}, "FOR", {"For"}, true},
        TFilterCase{"OthersAreSkipped", {"if", "fori", "else", "forin"}, "fo", {"fori", "forin"}, false},
        TFilterCase{"NoNameStartsListsAll", {"if", "else"}, "zz", {"if", "else"}, false},
        TFilterCase{"EmptyPrefixListsAll", {"if", "else"}, "", {"if", "else"}, false},
        TFilterCase{"NoTemplates", {}, "x", {}, false}),
    [](const ::testing::TestParamInfo<TFilterCase>& I) { return std::string(I.param.Name); });

TEST(CodeTemplates, EntriesShowTheDescriptionABarAndTheBoldName) {
  TEasyCodeTemplates T;
  AddTemplate(T, "if", "if statement");
  EXPECT_EQ(TEasyCodeTemplates::TemplateToString(T.Template(0)), "if statement|{\\b if}");
}

TEST(CodeTemplates, TemplateToStringsKeepsTheIndexes) {
  TEasyCodeTemplates T;
  AddTemplate(T, "if", "if statement");
  AddTemplate(T, "for", "for loop");
  AddTemplate(T, "forin", "for in loop");
  TStringList L;
  EXPECT_EQ(T.TemplateToStrings(&L, "fo"), -1);
  ASSERT_EQ(L.Count(), 2);
  EXPECT_EQ(L.Strings(1), "for in loop|{\\b forin}");
  EXPECT_EQ(reinterpret_cast<std::intptr_t>(L.Objects(1)), 2);
  EXPECT_EQ(T.TemplateToStrings(&L, "IF"), 0);
  ASSERT_EQ(L.Count(), 1);
  EXPECT_EQ(reinterpret_cast<std::intptr_t>(L.Objects(0)), 0);
}

TEST(CodeTemplates, SavedInTheComponentStreamTextFormAndLoadedBack) {
  TEasyCodeTemplates T;
  AddTemplate(T, "if", "if statement", "if (|) {\r\n}");
  AddTemplate(T, "b", "bold", "<b>|</b>");
  TMemoryStream M;
  T.SaveToStream(&M);
  const std::string Text(static_cast<const char*>(M.Memory()), static_cast<std::size_t>(M.Size()));
  EXPECT_NE(Text.find("TEasyHolder"), std::string::npos) << Text;
  EXPECT_NE(Text.find("P = <"), std::string::npos) << Text;
  EXPECT_NE(Text.find("Code.Strings = ("), std::string::npos) << Text;
  EXPECT_NE(Text.find("Desc = 'if statement'"), std::string::npos) << Text;

  TEasyCodeTemplates Back;
  AddTemplate(Back, "old", "replaced");
  M.SetPosition(0);
  Back.LoadFromStream(&M);
  ASSERT_EQ(Back.Count(), 2);
  EXPECT_EQ(Back.Template(0)->Name, "if");
  EXPECT_EQ(Back.Template(0)->Code()->Text(), "if (|) {\r\n}\r\n");
  EXPECT_EQ(Back.Template(1)->Desc, "bold");
}

TEST(CodeTemplates, FilesAreReplacedOnSaveAndBadFilesRaise) {
  TestSupport::TTempFolder Dir("easytemplates");
  const std::string File = Dir.Path() + "/templates.txt";
  {
    std::ofstream Old(File);
    Old << std::string(5000, 'x');
  }
  TEasyCodeTemplates T;
  AddTemplate(T, "p", "paragraph", "<p>|</p>");
  T.SaveToFile(File);
  TEasyCodeTemplates Back;
  Back.LoadFromFile(File);
  ASSERT_EQ(Back.Count(), 1);
  EXPECT_EQ(Back.Template(0)->Code()->Strings(0), "<p>|</p>");

  {
    std::ofstream Bad(File, std::ios::trunc);
    Bad << "object TEasyHolder\n  P = <\n    item\n      Name = 'unfinished";
  }
  EXPECT_THROW(Back.LoadFromFile(File), Exception);
  EXPECT_THROW(Back.LoadFromFile(Dir.Path() + "/missing.txt"), Exception);
}

}  // namespace
