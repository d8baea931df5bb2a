// Typed file names: the text rules, the default extension, and the parser over a fixture folder with a host that
// stands for the open and save window.
#include "shell/Upttypednames.h"

#include "platform/rtl/SysUtils.h"
#include "platform/win/MessageBox.h"
#include "shell/Uptshellutils.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <fstream>

namespace {

struct CombineCase {
  const char* Name;
  const char* Folder;
  const char* Typed;
  const char* Expected;
};

class TypedPathCombining : public ::testing::TestWithParam<CombineCase> {};

TEST_P(TypedPathCombining, GivesTheFullPath) {
  const CombineCase& C = GetParam();
  std::string Result = "junk";
  EXPECT_TRUE(PTCombineTypedPath(C.Folder, C.Typed, Result));
  EXPECT_EQ(Result, C.Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TypedPathCombining,
                         ::testing::Values(CombineCase{"Relative", "/e/a/b", "x.htm", "/e/a/b/x.htm"},
                                           CombineCase{"ParentFolder", "/e/a/b", "../x.htm", "/e/a/x.htm"},
                                           CombineCase{"Absolute", "/e/a/b", "/x.htm", "/x.htm"},
                                           CombineCase{"ThreeDotsClimbTwo", "/e/a/b", ".../x", "/e/x"},
                                           CombineCase{"OneDotStays", "/e/a/b", "./c/./x", "/e/a/b/c/x"},
                                           CombineCase{"EmptyPartsSkipped", "/e/a", "c///x", "/e/a/c/x"},
                                           CombineCase{"NeverAboveTheRoot", "/e/a", "../../../../x", "/x"},
                                           CombineCase{"AbsoluteWithDots", "/e", "/usr/../x", "/x"},
                                           CombineCase{"JustTheRoot", "/e/a", "/", "/"},
                                           CombineCase{"UpToTheRoot", "/e", "..", "/"},
                                           CombineCase{"FolderWithTrailingSlash", "/e/a/", "x", "/e/a/x"},
                                           CombineCase{"FolderIsTheRoot", "/", "x", "/x"},
                                           CombineCase{"EmptyName", "/e/a", "", ""},
                                           CombineCase{"RelativeWithoutFolder", "", "x", ""},
                                           CombineCase{"AbsoluteWithoutFolder", "", "/tmp/x", "/tmp/x"}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(TypedPathCombiningLimits, APathLongerThanTheSystemsLimitIsRefusedNotCut) {
  std::string Result = "junk";
  const std::string Long(PTMaxTypedPath, 'a');
  EXPECT_FALSE(PTCombineTypedPath("/e", Long, Result));
  EXPECT_EQ(Result, "");
  EXPECT_TRUE(PTCombineTypedPath("/", std::string(PTMaxTypedPath - 1, 'a'), Result));
  EXPECT_EQ(Result.size(), PTMaxTypedPath);
}

TEST(TypedTextRules, InvalidCharactersAndDoubleSlashes) {
  for (const char* Good : {"a.htm", "/home/x/a b.htm", "*.txt", "\"a\" \"b\"", ""}) {
    EXPECT_TRUE(PTIsValidTypedText(Good)) << Good;
  }
  for (const char* Bad : {"a\\b", "a<b", "a>b", "a|b", "a//b", "//server/share"}) {
    EXPECT_FALSE(PTIsValidTypedText(Bad)) << Bad;
  }
}

TEST(TypedTextRules, WildcardsCountOnlyInTheNamePart) {
  EXPECT_TRUE(PTHasWildcardName("*.txt"));
  EXPECT_TRUE(PTHasWildcardName("/tmp/a?.htm"));
  EXPECT_FALSE(PTHasWildcardName("/tm*p/a.htm"));
  EXPECT_FALSE(PTHasWildcardName("a.htm"));
  std::string Folder;
  std::string Name;
  PTSplitTypedName("sub/dir/*.htm", Folder, Name);
  EXPECT_EQ(Folder, "sub/dir/");
  EXPECT_EQ(Name, "*.htm");
  PTSplitTypedName("*.htm", Folder, Name);
  EXPECT_EQ(Folder, "");
  EXPECT_EQ(Name, "*.htm");
}

TEST(TypedTextRules, QuotedNames) {
  using V = std::vector<std::string>;
  EXPECT_EQ(PTSplitQuotedNames("\"a.htm\" \"b c.htm\""), (V{"a.htm", "b c.htm"}));
  EXPECT_EQ(PTSplitQuotedNames("\"a.htm\"\t\"b.htm\"  "), (V{"a.htm", "b.htm"}));
  EXPECT_EQ(PTSplitQuotedNames("plain name \"q\""), (V{"plain name", "q"}));
  EXPECT_EQ(PTSplitQuotedNames("\"\" \"  \" \"x  \""), (V{"x"}));
  EXPECT_EQ(PTSplitQuotedNames("\"unterminated name"), (V{"unterminated name"}));
  EXPECT_EQ(PTSplitQuotedNames("\""), V{});
}

TEST(DefaultExtension, ExtensionsOfNamesAndTypes) {
  EXPECT_EQ(PTTypeExtension("*.htm"), ".htm");
  EXPECT_EQ(PTTypeExtension("*.htm;*.html"), ".html");
  EXPECT_EQ(PTTypeExtension("*"), "");
  EXPECT_EQ(PTTypeExtension("*.*"), "");
  EXPECT_EQ(PTNameExtension("page.htm"), ".htm");
  EXPECT_EQ(PTNameExtension("/a.b/page"), "");
  EXPECT_EQ(PTNameExtension(".bashrc"), "");
  EXPECT_EQ(PTNameExtension("/x/.config.htm"), ".htm");
}

struct ExtCase {
  const char* Name;
  const char* Typed;
  const char* Masks;
  const char* Expected;
  bool Different;
};

class DefaultExtensionCases : public ::testing::TestWithParam<ExtCase> {};

TEST_P(DefaultExtensionCases, AppendsAndSetsTheDifferentBit) {
  const ExtCase& C = GetParam();
  auto Known = [](const std::string& Ext) { return SameText(Ext, ".txt") || SameText(Ext, ".htm"); };
  bool Different = !C.Different;
  EXPECT_EQ(PTApplyDefaultExt(C.Typed, "htm", C.Masks, Different, Known), C.Expected);
  EXPECT_EQ(Different, C.Different);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DefaultExtensionCases,
    ::testing::Values(ExtCase{"TypeExtensionAppended", "page", "*.html", "page.html", true},
                      ExtCase{"TypeWithoutExtensionGivesDefault", "page", "*", "page.htm", false},
                      ExtCase{"WildcardTypeGivesDefault", "page", "*.*", "page.htm", false},
                      ExtCase{"TypeSameAsDefault", "page", "*.htm", "page.htm", false},
                      ExtCase{"KnownExtensionKept", "notes.txt", "*.html", "notes.txt", true},
                      ExtCase{"KnownDefaultExtensionKept", "page.HTM", "*.html", "page.HTM", false},
                      ExtCase{"UnknownExtensionGetsTheType", "page.v2", "*.html", "page.v2.html", true},
                      ExtCase{"UnknownExtensionSameAsType", "page.xyz", "*.xyz", "page.xyz", true}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(DefaultExtension, NoDefaultExtensionChangesNothing) {
  bool Different = true;
  EXPECT_EQ(PTApplyDefaultExt("page", "", "*.html", Different), "page");
  EXPECT_TRUE(Different);
}

TEST(DefaultExtension, TheSystemsTypesAreTheMimeDatabasesExtensions) {
  EXPECT_TRUE(PTIsRegisteredExtension(".html"));
  EXPECT_TRUE(PTIsRegisteredExtension(".PNG"));
  EXPECT_FALSE(PTIsRegisteredExtension(".zubqnosuchtype"));
  EXPECT_FALSE(PTIsRegisteredExtension("."));
}

// ---- The parser ---------------------------------------------------------------------------------------------------

struct TAsked {
  TPTTypedNameMessage Kind;
  std::string Text;
};

// Stands for the window: the folder is a real one, its items are the folder's entries.
class TFakeHost : public TPTTypedNameHost {
public:
  std::string Folder;
  std::vector<std::string> Opened;
  std::vector<std::string> Moved;
  std::string Selected;
  std::string Focused;
  std::vector<TAsked> Asked;
  std::deque<int> Answers;

  std::string CurrentFolder() override { return Folder; }
  bool IsShellFolder(const std::string& Path) override { return std::filesystem::is_directory(Path); }
  void OpenFolder(const std::string& Path) override { Opened.push_back(Path); }
  void MoveToFolder(const std::string& F) override {
    Moved.push_back(F);
    Folder = F;
  }
  bool NameFromSelection(std::string& Path) override {
    Path = Selected;
    return !Selected.empty();
  }
  int FindListItems(const std::string& Name, std::string& FirstPath) override {
    int Count = 0;
    for (const auto& E : std::filesystem::directory_iterator(Folder)) {
      const std::string Caption = E.path().filename().string();
      if (Caption == Name) {
        FirstPath = E.path().string();
        return 1;
      }
      if (SameText(Caption, Name) && Count++ == 0) {
        FirstPath = E.path().string();
      }
    }
    return std::min(Count, 2);
  }
  void FocusFirstListItem(const std::string& Name) override { Focused = Name; }
  int Ask(TPTTypedNameMessage Kind, const std::string& Text) override {
    Asked.push_back({Kind, Text});
    if (Answers.empty()) {
      return IDOK;
    }
    const int A = Answers.front();
    Answers.pop_front();
    return A;
  }
};

class TypedNameParser : public ::testing::Test {
protected:
  void SetUp() override {
    Host.Folder = Dir.Path();
    std::filesystem::create_directory(Dir / "sub");
    Make("a.htm");
    Make("b.htm");
  }
  void Make(const std::string& Name) const { std::ofstream(Dir / Name) << "x"; }
  bool Parse(const std::string& Text) { return Parser.Parse(Text, Files); }

  TestSupport::TTempFolder Dir{"zubq-typed"};
  TFakeHost Host;
  TPTTypedNameParser Parser{Host};
  std::vector<std::string> Files{"stale"};
};

TEST_F(TypedNameParser, ANewNameIsCombinedWithTheFolderAndGetsTheDefaultExtension) {
  Parser.DefaultExt = "htm";
  Parser.TypeMasks = "*.html";
  EXPECT_TRUE(Parse("page"));
  EXPECT_EQ(Files, std::vector<std::string>{Dir / "page.html"});
  EXPECT_TRUE(Parser.Options.Contains(ptofExtensionDifferent));
  Parser.TypeMasks = "*";
  EXPECT_TRUE(Parse("page"));
  EXPECT_EQ(Files, std::vector<std::string>{Dir / "page.htm"});
  EXPECT_FALSE(Parser.Options.Contains(ptofExtensionDifferent));
  EXPECT_TRUE(Host.Asked.empty());
}

TEST_F(TypedNameParser, TwoQuotedNamesGiveTwoEntriesWithoutTheDefaultExtension) {
  Parser.DefaultExt = "htm";
  EXPECT_TRUE(Parse("\"a.htm\" \"new\""));
  EXPECT_EQ(Files, (std::vector<std::string>{Dir / "a.htm", Dir / "new"}));
}

TEST_F(TypedNameParser, AFolderNameNavigatesInsteadOfClosing) {
  EXPECT_FALSE(Parse("sub"));
  EXPECT_EQ(Host.Opened, std::vector<std::string>{Dir / "sub"});
  EXPECT_TRUE(Files.empty());
  Host.Opened.clear();
  EXPECT_FALSE(Parse("sub/.."));
  EXPECT_EQ(Host.Opened, std::vector<std::string>{Dir.Path()});
}

TEST_F(TypedNameParser, RefusalsShowTheirMessageAndEmptyTheList) {
  struct Case {
    TPTOpenOptions Options;
    std::string Typed;
    TPTTypedNameMessage Kind;
    std::string Text;
  };
  chmod((Dir / "b.htm").c_str(), 0444);
  const std::vector<Case> Cases = {
      {{}, "\"a.htm\" \"x|y\"", TPTTypedNameMessage::Invalid, "\"a.htm\" \"x|y\"\nThe above file name is invalid."},
      {{}, "back\\slash", TPTTypedNameMessage::Invalid, "back\\slash\nThe above file name is invalid."},
      {{ptofFileMustExist},
       "gone.htm",
       TPTTypedNameMessage::MustExist,
       Dir / "gone.htm" + "\nFile not found.\nPlease verify the correct file name was given."},
      {{ptofNoReadOnlyReturn},
       "b.htm",
       TPTTypedNameMessage::ReadOnly,
       Dir / "b.htm" + "\nThis file exists with Read Only attributes.\nPlease use a different file name."},
  };
  for (const Case& C : Cases) {
    Host.Asked.clear();
    Parser.Options = C.Options;
    EXPECT_FALSE(Parse(C.Typed)) << C.Typed;
    EXPECT_TRUE(Files.empty()) << C.Typed;
    ASSERT_EQ(Host.Asked.size(), 1u) << C.Typed;
    EXPECT_EQ(Host.Asked[0].Kind, C.Kind) << C.Typed;
    EXPECT_EQ(Host.Asked[0].Text, C.Text) << C.Typed;
  }
  // Without validation the odd characters are only part of a name.
  Host.Asked.clear();
  Parser.Options = {ptofNoValidate};
  EXPECT_TRUE(Parse("x|y"));
  EXPECT_EQ(Files, std::vector<std::string>{Dir / "x|y"});
}

TEST_F(TypedNameParser, TheReplaceAndCreateQuestionsDecide) {
  Parser.Options = {ptofOverwritePrompt, ptofCreatePrompt};
  Host.Answers = {IDNO};
  EXPECT_FALSE(Parse("a.htm"));
  EXPECT_TRUE(Files.empty());
  ASSERT_EQ(Host.Asked.size(), 1u);
  EXPECT_EQ(Host.Asked[0].Text, Dir / "a.htm" + " already exists.\nDo you want to replace it?");
  Host.Answers = {IDYES};
  EXPECT_TRUE(Parse("a.htm"));
  EXPECT_EQ(Files, std::vector<std::string>{Dir / "a.htm"});
  Host.Asked.clear();
  Host.Answers = {IDNO};
  EXPECT_FALSE(Parse("fresh.htm"));
  ASSERT_EQ(Host.Asked.size(), 1u);
  EXPECT_EQ(Host.Asked[0].Text, "fresh.htm\nThis file does not exist.\n\nCreate the file?");
  Host.Answers = {IDYES};
  EXPECT_TRUE(Parse("fresh.htm"));
}

TEST_F(TypedNameParser, ANameInAnotherFolderMovesThereAndTakesTheItemsName) {
  Make("sub/Readme.txt");
  EXPECT_TRUE(Parse("sub/readme.txt"));
  EXPECT_EQ(Host.Moved, std::vector<std::string>{Dir / "sub"});
  EXPECT_EQ(Files, std::vector<std::string>{Dir / "sub/Readme.txt"});
}

TEST_F(TypedNameParser, ANameMatchingTwoItemsAsksToChooseOne) {
  Make("Case.htm");
  Make("CASE.htm");
  EXPECT_FALSE(Parse("case.htm"));
  ASSERT_EQ(Host.Asked.size(), 1u);
  EXPECT_EQ(Host.Asked[0].Kind, TPTTypedNameMessage::Ambiguous);
  EXPECT_EQ(Host.Asked[0].Text, "More than one file has the name 'case.htm'.\n\nChoose one from the list of files.");
  EXPECT_EQ(Host.Focused, "case.htm");
  // The exact name is no question on a file system that tells case apart.
  Host.Asked.clear();
  EXPECT_TRUE(Parse("CASE.htm"));
  EXPECT_EQ(Files, std::vector<std::string>{Dir / "CASE.htm"});
  EXPECT_TRUE(Host.Asked.empty());
}

TEST_F(TypedNameParser, TheSelectedItemReplacesASingleName) {
  Host.Selected = Dir / "b.htm";
  EXPECT_TRUE(Parse("b"));
  EXPECT_EQ(Files, std::vector<std::string>{Dir / "b.htm"});
}

TEST_F(TypedNameParser, ADesktopEntryGivesItsTargetUnlessLinksAreKept) {
  ASSERT_TRUE(SUCCEEDED(CreateQuickShortcut(Dir / "to-a.desktop", Dir / "a.htm")));
  EXPECT_TRUE(Parse("to-a.desktop"));
  EXPECT_EQ(Files, std::vector<std::string>{Dir / "a.htm"});
  Parser.Options = {ptofNoDereferenceLinks};
  EXPECT_TRUE(Parse("to-a.desktop"));
  EXPECT_EQ(Files, std::vector<std::string>{Dir / "to-a.desktop"});
}

TEST_F(TypedNameParser, TextThatNamesNothingIsNoAnswer) {
  for (const char* Typed : {"", "   ", "\"\" \"\""}) {
    EXPECT_FALSE(Parse(Typed)) << Typed;
    EXPECT_TRUE(Files.empty());
  }
  Host.Folder.clear();  // a folder without a path: relative names name nothing
  EXPECT_FALSE(Parse("a.htm"));
  EXPECT_TRUE(Host.Asked.empty());
}

}  // namespace
