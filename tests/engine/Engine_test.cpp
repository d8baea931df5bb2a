// The validator engine through its entry points: exports, validation of pages with known faults, style sheets,
// XHTML, accessibility, links, structure, the configuration and the test switches.
#include "EngineTestUtil.h"

#include "platform/win/DialogService.h"
#include "platform/win/Shell.h"
#include "support/Corpus.h"

using namespace EngineTest;

namespace {

class Engine : public TEngineFixture {};

TEST(EngineExports, AllFortyFourNamesAndTheVariantLacksOne) {
  const TApi A = LoadApi();
  ASSERT_NE(A.Module, nullptr);
  for (const char* Name : ZUBEntryPointNames) EXPECT_NE(GetProcAddress(A.Module, Name), nullptr) << Name;
  HMODULE Missing = LoadLibrary("zubvalidatorV60_missing.dll");
  ASSERT_NE(Missing, nullptr);
  int Absent = 0;
  for (const char* Name : ZUBEntryPointNames) Absent += GetProcAddress(Missing, Name) == nullptr;
  EXPECT_EQ(Absent, 1);
  EXPECT_EQ(GetProcAddress(Missing, "ZUBSpellCheck2"), nullptr);
  FreeLibrary(Missing);
  // Nothing but the entry points leaves the library.
  EXPECT_EQ(GetProcAddress(A.Module, "_ZN9zubengine8CheckCssERKNS_11TSourceTextEmmbRNS_12TMessageListE"), nullptr);
}

TEST_F(Engine, PageWithKnownFaultsGivesTheMessagesAtTheirLinesAndColumns) {
  const ZUBInt R = Run(6, ReadFile(DataFile("faults.html")));
  ASSERT_GE(R, 0);
  const auto Ms = Messages(R);
  struct TExpect {
    const char* Text;
    int Type, Line, Char, Kind;
  };
  const TExpect Expected[] = {
      {"Unknown property \"colr\"", 2, 6, 5, 1},
      {"The length \"10\" of \"width\" needs a unit", 1, 6, 23, 1},
      {"missing </b> before </p>", 2, 10, 14, 0},
      {"lacks \"alt\" attribute", 2, 11, 1, 0},
      {"<foo> is not recognized", 1, 12, 1, 0},
      {"unknown entity \"&bad\"", 2, 13, 34, 0},
  };
  for (const TExpect& E : Expected) {
    const TFinding* M = FindMsg(Ms, E.Text);
    ASSERT_NE(M, nullptr) << E.Text;
    EXPECT_EQ(M->Type, E.Type) << E.Text;
    EXPECT_EQ(M->Line, E.Line) << E.Text;
    EXPECT_EQ(M->Char, E.Char) << E.Text;
    EXPECT_EQ(M->Kind, E.Kind) << E.Text;
    EXPECT_FALSE(M->Category.empty()) << E.Text;
    EXPECT_GT(M->Id, 0) << E.Text;
  }
  EXPECT_EQ(FindMsg(Ms, "<foo> is not recognized")->Length, 5);  // the whole tag is marked
  EXPECT_EQ(FindMsg(Ms, "&bad")->Length, 5);  // "&bad;"
  // The counts agree with the messages, and the messages come in line order.
  int Counts[5] = {};
  int LastLine = 0;
  for (const TFinding& M : Ms) {
    ++Counts[M.Type];
    if (M.Line > 0) {
      EXPECT_GE(M.Line, LastLine);
      LastLine = M.Line;
    }
  }
  const TApi& E = Api();
  EXPECT_EQ(E.ZUBGetIntegerEZ(R, 6000), Counts[1]);
  EXPECT_EQ(E.ZUBGetIntegerEZ(R, 6001), Counts[2]);
  EXPECT_EQ(E.ZUBGetIntegerEZ(R, 6008), Counts[3]);
  EXPECT_EQ(E.ZUBGetIntegerEZ(R, 6007), Counts[4]);
  EXPECT_EQ(Counts[3], 1);  // how the document was checked
  EXPECT_STREQ(E.ZUBGetString6(27000, 1), "Error");
  EXPECT_STREQ(E.ZUBGetString6(27000, 4), "Message");
  EXPECT_STREQ(E.ZUBGetString6(27001, 1), "[Style]");
  EXPECT_STREQ(E.ZUBGetString6(27001, 0), "");
  // The line written back by the program is the line read.
  EXPECT_EQ(E.ZUBSetInteger2(R, 15001, 1, 42), 0);
  EXPECT_EQ(E.ZUBGetInteger2EZ(R, 15001, 1), 42);
  EXPECT_LT(E.ZUBSetInteger2(R, 15001, 0, 1), 0);
  // The XML report: one line per message between the header and the closing line, then null.
  int N = 0;
  while (E.ZUBGetString2(R, 12005, N)) ++N;
  EXPECT_EQ(N, static_cast<int>(Ms.size()) + 3);
  EXPECT_STREQ(E.ZUBGetString2(R, 12005, N - 1), "</validationresults>");
  EXPECT_NE(std::string(E.ZUBGetString2(R, 12005, 2)).find("line=\""), std::string::npos);
  EXPECT_EQ(E.ZUBFreeHandle(R, 0), 0);
  EXPECT_LT(E.ZUBFreeHandle(R, 0), 0);
  EXPECT_LT(E.ZUBGetIntegerEZ(R, 6003), 0);
}

TEST_F(Engine, StructureAndTagStatistics) {
  const ZUBInt R = Run(6, ReadFile(DataFile("faults.html")));
  const TApi& E = Api();
  ASSERT_EQ(E.ZUBSetInteger(R, 6005, 1), 0);
  std::map<std::string, std::array<int, 3>> Stats;
  for (int I = 0; I < E.ZUBGetIntegerEZ(R, 6006); ++I) {
    Stats[E.ZUBGetString2(R, 12003, I)] = {E.ZUBGetInteger2EZ(R, 15006, I), E.ZUBGetInteger2EZ(R, 15007, I),
                                           E.ZUBGetInteger2EZ(R, 15009, I)};
  }
  EXPECT_EQ(Stats["p"], (std::array<int, 3>{2, 2, 2}));
  EXPECT_EQ(Stats["b"], (std::array<int, 3>{1, 0, 1}));
  EXPECT_EQ(Stats["img"], (std::array<int, 3>{0, 0, 1}));  // an empty element is used, never opened
  const int Lines = E.ZUBGetIntegerEZ(R, 6004);
  ASSERT_GT(Lines, 5);
  bool FoundImg = false;
  for (int I = 0; I < Lines; ++I) {
    if (std::string(E.ZUBGetString2(R, 12002, I)).find("<img>") != std::string::npos) {
      FoundImg = true;
      EXPECT_EQ(E.ZUBGetInteger2EZ(R, 15010, I), 11);
      EXPECT_EQ(E.ZUBGetInteger2EZ(R, 15011, I), 1);
    }
  }
  EXPECT_TRUE(FoundImg);
  EXPECT_EQ(E.ZUBGetString2(R, 12002, Lines), nullptr);
  E.ZUBFreeHandle(R, 0);
}

TEST_F(Engine, XhtmlRulesApplyOnlyToXhtmlDocuments) {
  const std::string Xhtml = ReadFile(DataFile("faults.xhtml"));
  const ZUBInt R = Run(6, Xhtml, "faults.xhtml");
  const auto Ms = Messages(R);
  ASSERT_NE(FindMsg(Ms, "Element names must be lower case in XHTML: <P>"), nullptr);
  EXPECT_EQ(FindMsg(Ms, "<P>")->Line, 6);
  const TFinding* Unquoted = FindMsg(Ms, "attribute \"type\" must be quoted");
  ASSERT_NE(Unquoted, nullptr);
  EXPECT_EQ(Unquoted->Line, 7);
  EXPECT_EQ(Unquoted->Char, 59);
  ASSERT_NE(FindMsg(Ms, "\"disabled\" needs a value"), nullptr);
  ASSERT_NE(FindMsg(Ms, "<br> should be closed as <br />"), nullptr);
  EXPECT_EQ(FindMsg(Ms, "\"checked\" needs a value"), nullptr);  // checked="checked" is right
  EXPECT_NE(FindMsg(Ms, "checked as XHTML"), nullptr);
  // The same markup under an HTML document type has none of these.
  std::string Html = Xhtml;
  Html.replace(Html.find("XHTML 1.0 Strict"), 16, "HTML 4.01");
  Html.replace(Html.find("xhtml1/DTD/xhtml1-strict.dtd"), 28, "html4/strict.dtd");
  const ZUBInt H = Run(6, Html);
  EXPECT_EQ(FindMsg(Messages(H), "in XHTML"), nullptr);
  Api().ZUBFreeHandle(R, 0);
  Api().ZUBFreeHandle(H, 0);
}

TEST_F(Engine, StyleSheetJobReportsSyntaxAndValueFaults) {
  const ZUBInt R = Run(10, ReadFile(DataFile("faults.css")), "faults.css");
  const auto Ms = Messages(R);
  struct TExpect {
    const char* Text;
    int Type, Line, Char;
  };
  const TExpect Expected[] = {
      {"Invalid colour value \"#12\"", 1, 2, 15},
      {"The length \"10\" of \"margin\" needs a unit", 1, 2, 28},
      {"Negative value \"-2em\"", 1, 3, 17},
      {"Unknown property \"colour\"", 2, 3, 23},
      {"Unknown unit \"pz\"", 1, 4, 12},
      {"\"color\" has no value", 1, 5, 7},
      {"Missing \"}\" to close the block opened in line 6", 1, 6, 7},
  };
  for (const TExpect& E : Expected) {
    const TFinding* M = FindMsg(Ms, E.Text);
    ASSERT_NE(M, nullptr) << E.Text;
    EXPECT_EQ(M->Type, E.Type) << E.Text;
    EXPECT_EQ(M->Line, E.Line) << E.Text;
    EXPECT_EQ(M->Char, E.Char) << E.Text;
    EXPECT_EQ(M->Kind, 1) << E.Text;
  }
  EXPECT_EQ(Ms.size(), std::size(Expected));
  Api().ZUBFreeHandle(R, 0);
  // Tokenizer faults: unterminated comment and string, a stray brace, a missing colon.
  const ZUBInt T = Run(10, "a { color: \"red; }\n} p { width 3px; }\nb { x: 1 } /* open");
  const auto Ts = Messages(T);
  EXPECT_NE(FindMsg(Ts, "Unterminated string"), nullptr);
  EXPECT_NE(FindMsg(Ts, "Expected \":\" after the property name \"width\""), nullptr);
  EXPECT_NE(FindMsg(Ts, "Unterminated comment"), nullptr);
  Api().ZUBFreeHandle(T, 0);
  // A clean sheet from the corpus has no errors.
  const ZUBInt C = Run(10, ReadFile(CorpusDir() + "css/node-style.css"));
  EXPECT_EQ(Api().ZUBGetIntegerEZ(C, 6000), 0);
  Api().ZUBFreeHandle(C, 0);
}

TEST_F(Engine, AccessibilityFindingsAndCssSwitchFollowTheConfiguration) {
  const TApi& E = Api();
  const std::string Page = ReadFile(DataFile("access.html"));
  const ZUBInt Off = Run(6, Page);
  for (const TFinding& M : Messages(Off)) EXPECT_EQ(M.Kind & 2, 0) << M.Text;
  ASSERT_EQ(E.ZUBSetFlag(Config, 1021, 0x100000, 1), 0);
  EXPECT_EQ(E.ZUBGetFlag(Config, 1021, 0x100000), 1);
  const ZUBInt On = Run(6, Page);
  const auto Ms = Messages(On);
  const TFinding* Alt = FindMsg(Ms, "<img> missing 'alt' text");
  ASSERT_NE(Alt, nullptr);
  EXPECT_EQ(Alt->Kind, 2);
  EXPECT_EQ(Alt->Line, 3);
  EXPECT_EQ(Alt->Category, "WCAG Guideline 1");
  EXPECT_NE(FindMsg(Ms, "lacks \"alt\" attribute"), nullptr);  // the plain markup findings stay
  // CSS checking inside markup follows 1022 bit 1.
  const std::string Styled = "<html><head><title>t</title></head><body><p style=\"colr: red\">x</p></body></html>";
  EXPECT_NE(FindMsg(Messages(Run(6, Styled)), "colr"), nullptr);
  E.ZUBSetFlag(Config, 1022, 1, 0);
  EXPECT_EQ(FindMsg(Messages(Run(6, Styled)), "colr"), nullptr);
}

TEST_F(Engine, LinksOfTheDocumentInNamedListsAndTheLinkOnlyJob) {
  const std::string Page = ReadFile(DataFile("links.html"));
  for (int Kind : {6, 8}) {
    const ZUBInt R = Run(Kind, Page);
    EXPECT_EQ(NamedList(R, "links"),
              (std::vector<std::string>{"one.html", "pic.png", "http://127.0.0.1/x", "/cgi/go"}));
    EXPECT_EQ(NamedList(R, "linkstypes"), (std::vector<std::string>{"a href", "img src", "a href", "form action"}));
    EXPECT_EQ(NamedList(R, "basehref"), (std::vector<std::string>{"http://example.org/docs/"}));
    EXPECT_LT(Api().ZUBGetInteger4EZ(R, 23000, "nosuchlist"), 0);
    EXPECT_EQ(Api().ZUBGetString4(R, 20000, 0, 99), nullptr);
    if (Kind == 8) {
      EXPECT_EQ(Api().ZUBGetIntegerEZ(R, 6003), 0);  // extracting links only
    }
    Api().ZUBFreeHandle(R, 0);
  }
}

TEST_F(Engine, ConfigurationFileKeepsOptionsAndMessageSettingsTakeEffectAtTheNextValidation) {
  const TApi& E = Api();
  const std::string File = E.ZUBGetString(Config, 7001);
  EXPECT_EQ(File, (Folder / "zubvalidator.cfg").string());
  EXPECT_TRUE(std::filesystem::exists(File));  // made with the defaults on first load
  EXPECT_EQ(E.ZUBGetIntegerEZ(Config, 4005), 4);
  EXPECT_STREQ(E.ZUBGetString2(Config, 11000, 0), "Normal");
  EXPECT_EQ(E.ZUBGetString2(Config, 11000, 4), nullptr);
  EXPECT_EQ(E.ZUBGetIntegerEZ(Config, 4008), 1);
  const std::string Page = ReadFile(DataFile("faults.html"));
  const int Id = FindMsg(Messages(Run(6, Page)), "<foo> is not recognized")->Id;
  EXPECT_EQ(E.ZUBGetInteger2EZ(Config, 13000, Id), 5);
  EXPECT_EQ(E.ZUBGetInteger2EZ(Config, 13001, Id), 1);
  ASSERT_EQ(E.ZUBSetInteger2(Config, 13000, Id, 2), 0);
  EXPECT_EQ(FindMsg(Messages(Run(6, Page)), "<foo> is not recognized")->Type, 2);
  ASSERT_EQ(E.ZUBSetInteger2(Config, 13001, Id, 0), 0);
  EXPECT_EQ(FindMsg(Messages(Run(6, Page)), "<foo> is not recognized"), nullptr);
  EXPECT_LT(E.ZUBSetInteger2(Config, 13000, Id, 9), 0);
  // Program flags (numbered): the CSS property flag of a message switches it off.
  const auto ColrMs = Messages(Run(6, Page));
  const TFinding* Colr = FindMsg(ColrMs, "colr");
  ASSERT_NE(Colr, nullptr);
  ASSERT_EQ(E.ZUBSetFlag(Config, 1007, Colr->Flag1, 0), 0);
  EXPECT_EQ(E.ZUBGetFlag(Config, 1007, Colr->Flag1), 0);
  EXPECT_EQ(FindMsg(Messages(Run(6, Page)), "colr"), nullptr);
  // "Errors Only" (configuration 2) keeps only errors.
  for (const TFinding& M : Messages(Run(6, Page, "x.html", 2))) EXPECT_EQ(M.Type, 1) << M.Text;
  // Saved, the settings come back in a new configuration handle; a damaged file loads what it can.
  E.ZUBSetFlag(Config, 1006, 8, 1);
  E.ZUBSetString(Config, 7002, "proxy.local");
  EXPECT_EQ(E.ZUBWriteToRegistry(0, Config, 0), 0);
  const ZUBInt Second = E.ZUBGetNewHandle(ZUB_KIND_CONFIGURATION);
  ASSERT_EQ(E.ZUBHTMLConfiguration(0, Second, 1), 0);
  EXPECT_EQ(E.ZUBGetFlag(Second, 1006, 8), 1);
  EXPECT_STREQ(E.ZUBGetString(Second, 7002), "proxy.local");
  EXPECT_EQ(E.ZUBGetInteger2EZ(Second, 13001, Id), 0);
  EXPECT_EQ(E.ZUBGetFlag(Second, 1007, Colr->Flag1), 0);
  std::ofstream(File, std::ios::app) << "garbage without an equals sign\n";
  {
    TScriptedDialogs Dialogs;
    TScopedDialogService Use(Dialogs);
    EXPECT_EQ(E.ZUBHTMLConfiguration(0, Second, 1), 0);
    EXPECT_EQ(Dialogs.Shown().size(), 1u);
  }
  EXPECT_NE(std::string(E.ZUBGetString(Second, 7009)).find("\"=\" expected"), std::string::npos);
  EXPECT_STREQ(E.ZUBGetString(Second, 7002), "proxy.local");
  EXPECT_STREQ(E.ZUBGetString(Second, 7000), File.c_str());
  // Reset (4) brings the defaults back.
  EXPECT_EQ(E.ZUBHTMLConfiguration(0, Second, 4), 0);
  EXPECT_EQ(E.ZUBGetFlag(Second, 1006, 8), 0);
  E.ZUBFreeHandle(Second, 0);
}

TEST_F(Engine, ValidationLogIsWrittenWhenLoggingIsOn) {
  const TApi& E = Api();
  const std::string Log = (Folder / "val.log").string();
  E.ZUBSetString(Config, 7008, Log.c_str());
  Run(6, "<p>x");
  EXPECT_FALSE(std::filesystem::exists(Log));
  E.ZUBSetFlag(Config, 1006, 8, 1);
  E.ZUBFreeHandle(Run(6, "<p>x", "logged.html"), 0);
  EXPECT_NE(ReadFile(Log).find("logged.html: "), std::string::npos);
}

TEST_F(Engine, TestSwitchesChangeVersionFailAnEntryPointAndForceTheRunResult) {
  const TApi& E = Api();
  EXPECT_EQ(E.ZUBGetInteger3EZ(16000), 60100);
  EXPECT_STREQ(E.ZUBGetString3(17000), "ZUB Validator Engine v6.0100");
  for (int V : {60049, 60050, 45090, 54929}) {
    setenv("ZUBQ_ENGINE_VERSION", std::to_string(V).c_str(), 1);
    EXPECT_EQ(E.ZUBGetInteger3EZ(16000), V);
  }
  setenv("ZUBQ_ENGINE_FAIL", "ZUBSetString,ZUBGetString2", 1);
  const ZUBInt Job = E.ZUBGetNewHandle(ZUB_KIND_JOB);
  EXPECT_GE(Job, 0);
  EXPECT_LT(E.ZUBSetString(Job, 8000, "x"), 0);
  EXPECT_EQ(E.ZUBGetString2(Config, 11000, 0), nullptr);
  unsetenv("ZUBQ_ENGINE_FAIL");
  setenv("ZUBQ_ENGINE_RUN_RESULT", "-10", 1);
  E.ZUBSetInteger(Job, 5001, 6);
  EXPECT_EQ(E.ZUBRunJob(0, Config, Job, 0), -10);
  unsetenv("ZUBQ_ENGINE_RUN_RESULT");
  setenv("ZUBQ_ENGINE_CONFIG_FAIL", "1", 1);
  EXPECT_LT(E.ZUBHTMLConfiguration(0, Config, 1), 0);
  EXPECT_STREQ(E.ZUBGetString(Config, 7000), (Folder / "zubvalidator.cfg").c_str());
  E.ZUBFreeHandle(Job, 0);
}

// The engine notices a switch however the environment changed around it between two calls: a variable taken out
// just before a switch is added in its place at the end, a switch replaced, a variable taken out ahead of a
// switch, a switch taken out behind a new variable, and the last entry taken out.
TEST_F(Engine, SwitchesAreSeenHoweverTheEnvironmentChangedAroundThem) {
  const TApi& E = Api();
  struct TStep {
    std::function<void()> Change;
    ZUBInt Version;
  };
  const TStep Steps[] = {
      {[] { setenv("ZUBQ_SWITCH_TEST_A", "a", 1); }, 60100},
      {[] {
         unsetenv("ZUBQ_SWITCH_TEST_A");
         setenv("ZUBQ_ENGINE_VERSION", "60200", 1);
       },
       60200},
      {[] { setenv("ZUBQ_SWITCH_TEST_B", "b", 1); }, 60200},
      {[] { setenv("ZUBQ_ENGINE_VERSION", "60300", 1); }, 60300},
      {[] {
         unsetenv("ZUBQ_ENGINE_VERSION");
         setenv("ZUBQ_ENGINE_VERSION", "60400", 1);
         unsetenv("ZUBQ_SWITCH_TEST_B");
       },
       60400},
      {[] {
         setenv("ZUBQ_SWITCH_TEST_C", "c", 1);
         unsetenv("ZUBQ_ENGINE_VERSION");
       },
       60100},
      {[] {
         unsetenv("ZUBQ_SWITCH_TEST_C");
         setenv("ZUBQ_ENGINE_VERSION", "60500", 1);
       },
       60500},
      {[] { unsetenv("ZUBQ_ENGINE_VERSION"); }, 60100},
  };
  int Number = 0;
  for (const TStep& Step : Steps) {
    Step.Change();
    EXPECT_EQ(E.ZUBGetInteger3EZ(ZUB_ENGINE_VERSION), Step.Version) << "step " << Number++;
  }
}

// A text of a handle stays as it was however many other texts are asked for, until the handle is freed or the
// property set again (they used to share a small ring, so the seventeenth call overwrote the first).
TEST_F(Engine, ConfigurationTextsLiveInTheirHandle) {
  const TApi& E = Api();
  ASSERT_EQ(E.ZUBSetString(Config, ZUB_CONFIG_PROXY_HOST, "proxy.local"), 0);
  ASSERT_EQ(E.ZUBSetString(Config, ZUB_CONFIG_PROXY_USER, "someone"), 0);
  const char* Host = E.ZUBGetString(Config, ZUB_CONFIG_PROXY_HOST);
  const char* File = E.ZUBGetString(Config, ZUB_CONFIG_FILE_NAME);
  const std::string FileText = File ? File : "";
  const ZUBInt Other = E.ZUBGetNewHandle(ZUB_KIND_CONFIGURATION);
  for (int I = 0; I < 40; ++I) {
    E.ZUBGetString(Config, ZUB_CONFIG_PROXY_USER);
    E.ZUBGetString(Other, I % 2 ? ZUB_CONFIG_LOADED_FILE_NAME : ZUB_CONFIG_LOG_FILE);
    E.ZUBGetString6(ZUB_TYPE_NAME, I % 5);
  }
  EXPECT_STREQ(Host, "proxy.local");
  EXPECT_STREQ(File, FileText.c_str());
  EXPECT_STREQ(E.ZUBGetString6(ZUB_TYPE_NAME, ZUB_MSG_WARNING), "Warning");
  EXPECT_STREQ(E.ZUBGetString6(ZUB_KIND_TEXT, ZUB_MSG_KIND_STYLE), "[Style]");
  E.ZUBFreeHandle(Other, 0);
}

TEST_F(Engine, WindowsNeedAConfigurationHandleAndQuickHelpIsAMessageBox) {
  const TApi& E = Api();
  EXPECT_LT(E.ZUBOpenConfigurationEditor(0, 123456, 0), 0);  // not a configuration handle
  EXPECT_LT(E.ZUBOpenValidatorOptions(0, 123456, 0), 0);
  // The quick help is a message box of the engine, through the layer's dialog service.
  TScriptedDialogs Dialogs;
  TDialogService* Old = SetDialogService(&Dialogs);
  EXPECT_EQ(E.ZUBDisplayMessage(0, 34000, 0), 0);
  SetDialogService(Old);
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Dialogs.Shown()[0].Caption, "ZUB Validator Engine Quick Help");
}

}  // namespace

namespace {

TEST_F(Engine, ConfigurationOperationsSaveCleanAndExchangeThePrograms) {
  const TApi& E = Api();
  const std::string File = E.ZUBGetString(Config, 7001);
  const std::string Exchange = (Folder / "programexport.xml").string();
  std::ofstream(Exchange) << "<?xml version=\"1.0\"?>\n<programs>\n"
                          << "  <program name=\"Tidy &amp; Co\" command=\"tidy -q &quot;%1&quot;\"/>\n"
                          << "  <program name=\"Viewer\" command=\"view %1\"/>\n</programs>\n";
  ASSERT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x10000), 0);  // import
  ASSERT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x20), 0);     // save
  EXPECT_NE(ReadFile(File).find("Tidy & Co=tidy -q \"%1\""), std::string::npos);
  std::filesystem::remove(Exchange);
  ASSERT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x8000), 0);  // export
  EXPECT_NE(ReadFile(Exchange).find("name=\"Tidy &amp; Co\" command=\"tidy -q &quot;%1&quot;\""), std::string::npos);
  // Clean drops message settings equal to the defaults; save (0x20) writes what is left.
  E.ZUBSetInteger2(Config, 13000, 601, 5);
  E.ZUBSetInteger2(Config, 13001, 602, 0);
  ASSERT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x40), 0);
  ASSERT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x20), 0);
  const std::string Saved = ReadFile(File);
  EXPECT_EQ(Saved.find("601="), std::string::npos);
  EXPECT_NE(Saved.find("602=5,0"), std::string::npos);
  EXPECT_LT(E.ZUBHTMLConfiguration(0, Config, 0x12345), 0);
  EXPECT_LT(E.ZUBHTMLConfiguration(0, -3, 1), 0);
}

TEST_F(Engine, HelpOpensPagesAddressesAndFilesThroughTheDesktop) {
  const TApi& E = Api();
  SetShellExecuteRecording(true);
  ClearShellExecuteRecords();
  const std::string Local = (Folder / "report.html").string();
  std::ofstream(Local) << "<html></html>";
  E.ZUBDisplayHelp(0, 35001, "http://127.0.0.1/help.html", 0);
  EXPECT_EQ(E.ZUBDisplayHelp(0, 35001, ("file://" + Local).c_str(), 0), 0);
  E.ZUBDisplayHelp(0, 35001, "wizardmain.html", 0);
  E.ZUBDisplayHelp(0, 35000, reinterpret_cast<const char*>(std::intptr_t{7}), 0);
  EXPECT_LT(E.ZUBDisplayHelp(0, 35001, nullptr, 0), 0);
  EXPECT_LT(E.ZUBDisplayHelp(0, 34000, "x", 0), 0);
  const auto Records = ShellExecuteRecords();
  SetShellExecuteRecording(false);
  ASSERT_EQ(Records.size(), 4u);
  EXPECT_EQ(Records[0].File, "http://127.0.0.1/help.html");
  EXPECT_EQ(Records[1].File, "file://" + Local);
  EXPECT_TRUE(Records[2].File.ends_with("/Help/wizardmain.html")) << Records[2].File;
  EXPECT_TRUE(Records[3].File.ends_with("/Help/programflags.html#flag7")) << Records[3].File;
}

}  // namespace
