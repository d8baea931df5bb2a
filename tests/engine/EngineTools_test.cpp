// The engine's text tools (in text and named-file mode) and its spell check through the program's callback.
#include "EngineTestUtil.h"

using namespace EngineTest;

namespace {

class EngineTools : public TEngineFixture {
protected:
  static std::string NewText(ZUBInt R) {
    std::string T;
    const int N = Api().ZUBGetIntegerEZ(R, 6002);
    for (int I = 0; I < N; ++I) T += std::string(Api().ZUBGetString2(R, 12000, I)) + "\n";
    return T;
  }
};

TEST_F(EngineTools, EachToolGivesItsNewTextLineByLine) {
  struct TCase {
    int Kind;
    const char* In;
    const char* Out;
  };
  const TCase Cases[] = {
      {1, "<P CLASS=\"A\">Keep CASE<BR></P>\n<!-- <B> -->\n", "<p class=\"A\">Keep CASE<br></p>\n<!-- <B> -->\n"},
      {2, "<a href=\"x.html\">link</a>\n", "<A HREF=\"x.html\">link</A>\n"},
      {3, "<p>One <b>two</b></p>\n<script>var a = 1 < 2;</script>three<!-- c -->\n", "One two\nthree\n"},
      {11, "<td width=50 align='left' nowrap class=a\"b>x</td>\n",
       "<td width=\"50\" align='left' nowrap class='a\"b'>x</td>\n"},
  };
  for (const TCase& C : Cases) {
    const ZUBInt R = Run(C.Kind, C.In);
    ASSERT_GE(R, 0) << C.Kind;
    EXPECT_EQ(Api().ZUBGetFlag(R, 3000, 1), 0) << C.Kind;
    EXPECT_EQ(Api().ZUBGetFlag(R, 3001, 2), 0) << C.Kind;
    EXPECT_EQ(NewText(R), C.Out) << C.Kind;
    if (C.Kind == 11) {
      EXPECT_EQ(Api().ZUBGetIntegerEZ(R, 15016), 2);
    }
    Api().ZUBFreeHandle(R, 0);
  }
  // Nothing to do: "no new text", and the quote count is 0.
  const ZUBInt Same = Run(11, "<p class=\"a\">x</p>\n");
  EXPECT_EQ(Api().ZUBGetFlag(Same, 3000, 1), 1);
  EXPECT_EQ(Api().ZUBGetIntegerEZ(Same, 15016), 0);
  EXPECT_EQ(Api().ZUBGetIntegerEZ(Same, 6002), 0);
}

TEST_F(EngineTools, NamedFileModeReadsAndRewritesTheFile) {
  const TApi& E = Api();
  std::string LastFirstLine;
  auto RunOnFile = [&](int Kind, const std::string& Name) {
    const ZUBInt Job = E.ZUBGetNewHandle(ZUB_KIND_JOB);
    E.ZUBSetInteger(Job, 5001, Kind);
    E.ZUBSetString(Job, 8000, Name.c_str());
    for (int Bit : {0x10, 0x800, 2}) E.ZUBSetFlag(Job, 2000, Bit, 1);
    const ZUBInt R = E.ZUBRunJob(0, Config, Job, 0);
    const char* First = E.ZUBGetString2(Job, 10000, 0);
    LastFirstLine = First ? First : "<null>";
    E.ZUBFreeHandle(Job, 0);
    return R;
  };
  const std::string File = (Folder / "page.html").string();
  std::ofstream(File, std::ios::binary) << "<P>One\r\n<B>Two</B>\r\n";
  ZUBInt R = RunOnFile(1, File);
  EXPECT_EQ(E.ZUBGetFlag(R, 3000, 1), 0);
  EXPECT_EQ(ReadFile(File), "<p>One\r\n<b>Two</b>\r\n");  // the file's own line ends are kept
  // Converting the text file format: CR LF and lone CR become the configured line end (LF by default).
  std::ofstream(File, std::ios::binary | std::ios::trunc) << "a\r\nb\rc\n";
  R = RunOnFile(5, File);
  EXPECT_EQ(ReadFile(File), "a\nb\nc\n");
  EXPECT_EQ(E.ZUBGetIntegerEZ(R, 6002), 3);
  // A file that cannot be read: the tool failed, and the file is not made.
  R = RunOnFile(1, (Folder / "absent.html").string());
  EXPECT_EQ(E.ZUBGetFlag(R, 3001, 2), 1);
  EXPECT_FALSE(std::filesystem::exists(Folder / "absent.html"));
  // Validation in named-file mode reads the file and keeps its lines on the job for 10000.
  std::ofstream(File, std::ios::binary | std::ios::trunc) << "<html>\n<foo></foo>\n";
  R = RunOnFile(6, File);
  const std::vector<TFinding> Ms = Messages(R);
  const TFinding* Foo = FindMsg(Ms, "<foo> is not recognized");
  ASSERT_NE(Foo, nullptr);
  EXPECT_EQ(Foo->Line, 2);
  EXPECT_EQ(LastFirstLine, "<html>");
}

TEST_F(EngineTools, TemplateIncludesFilesBesideTheDocument) {
  const TApi& E = Api();
  std::ofstream(Folder / "menu.inc") << "<ul><li>Home</li></ul>";
  const std::string Doc = (Folder / "page.html").string();
  const ZUBInt R = Run(4, "<body>\n<!--#include file=\"menu.inc\"-->\n<!--#include file=\"none.inc\"-->\n</body>\n", Doc);
  EXPECT_EQ(NewText(R),
            "<body>\n<ul><li>Home</li></ul>\n<!-- template error: cannot read \"none.inc\" -->\n</body>\n");
  E.ZUBFreeHandle(R, 0);
}

// The program's side of the spell-check protocol, as a test double: it splits the prepared text at blanks,
// accepts the words of a small list and asks to ignore words in capitals.
struct TSpeller {
  static inline std::vector<std::string> Words;
  static inline std::size_t Next = 0;
  static inline std::string Current;
  static inline std::vector<std::string> Calls;
  static std::intptr_t Callback(const char* Text, ZUBInt Flags) {
    Calls.push_back(std::to_string(Flags));
    if (Flags & 1) {
      const std::string W = Text;
      return W == "good" || W == "words" || W == "here" ? 1 : 0;
    }
    if (Flags & 0x20) {
      Current = Next < Words.size() ? Words[Next++] : std::string();
      return reinterpret_cast<std::intptr_t>(Current.c_str());
    }
    if (Flags & 4) return std::string(Text) == "NASA" ? 1 : 0;
    if (Flags & 8) {
      Words.clear();
      Next = 0;
      std::stringstream S(Text);
      std::string W;
      while (S >> W) Words.push_back(W);
      return 1;
    }
    return 0;
  }
};

TEST_F(EngineTools, SpellCheckAsksTheProgramAboutEveryWord) {
  const TApi& E = Api();
  EXPECT_LT(E.ZUBSpellCheck(31000), 0);  // no callback yet
  ASSERT_EQ(E.ZUBSetPointer(30000, reinterpret_cast<void*>(&TSpeller::Callback)), 0);
  const ZUBInt R = Run(9, "<p>good wrods here</p>\n<b>NASA</b> teh good\nwrods\n");
  const auto Ms = Messages(R);
  ASSERT_EQ(Ms.size(), 3u);
  EXPECT_EQ(Ms[0].Text, "Possible misspelling: \"wrods\".");
  EXPECT_EQ(Ms[0].Line, 1);
  EXPECT_EQ(Ms[0].Char, 9);
  EXPECT_EQ(Ms[0].Length, 5);
  EXPECT_EQ(Ms[1].Line, 2);
  EXPECT_EQ(Ms[1].Char, 13);
  EXPECT_EQ(Ms[2].Line, 3);
  EXPECT_EQ(E.ZUBGetIntegerEZ(R, 6009), 2);  // "wrods" twice, "teh" once
  // The options call hands the program its setup request.
  TSpeller::Calls.clear();
  EXPECT_EQ(E.ZUBSpellCheck(31000), 0);
  EXPECT_EQ(TSpeller::Calls, (std::vector<std::string>{"2"}));
  E.ZUBSetPointer(30000, nullptr);
  // Without a callback the job reports that spelling is not available.
  const ZUBInt None = Run(9, "word\n");
  EXPECT_NE(FindMsg(Messages(None), "not available"), nullptr);
}

}  // namespace
