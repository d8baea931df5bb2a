// Bad input never crashes the engine: odd documents through every job kind, and random handles, identifiers
// and texts on every entry point (a fixed seed, so a failure repeats).
#include "EngineTestUtil.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "platform/win/Shell.h"
#include "tests/support/ModalWindowDriver.h"

#include <random>

using namespace EngineTest;

namespace {

class EngineRobustness : public TEngineFixture {};

TEST_F(EngineRobustness, OddDocumentsGoThroughEveryJobKind) {
  std::string Garbage(64 * 1024, '\0');
  std::mt19937 Rng(7);
  for (char& C : Garbage) C = static_cast<char>(Rng() % 256);
  std::string Nested;
  for (int I = 0; I < 5000; ++I) Nested += "<div><span>";  // 10,000 levels
  const std::string OneLine = "<p>" + std::string(5 * 1024 * 1024, 'x') + "<b>&amp;</p>";
  const std::vector<std::pair<const char*, std::string>> Documents = {
      {"empty", ""},
      {"garbage", Garbage},
      {"unterminated comment", "<html><body><!-- never closed <p>x</p>\n<style>p { /* open\n"},
      {"unterminated tag", "<p class=\"x"},
      {"deep nesting", Nested},
      {"css braces", std::string(5000, '{') + std::string(3000, '}') + "@media{" + std::string(200, '(')},
  };
  for (const auto& [What, Text] : Documents) {
    for (int Kind : {6, 10, 1, 3, 11, 8}) {
      const ZUBInt R = Run(Kind, Text);
      EXPECT_GE(R, 0) << What << " kind " << Kind;
      Api().ZUBGetIntegerEZ(R, 6003);
      Api().ZUBFreeHandle(R, 0);
    }
  }
  // A 5 MB document on one line is validated, with its fault found at the right column.
  const ZUBInt R = Run(6, OneLine);
  const std::vector<TFinding> LineMs = Messages(R);
  const TFinding* Missing = FindMsg(LineMs, "missing </b>");
  ASSERT_NE(Missing, nullptr);
  EXPECT_EQ(Missing->Line, 1);
  EXPECT_EQ(Missing->Char, 5 * 1024 * 1024 + 4);
  Api().ZUBFreeHandle(R, 0);
  // An unterminated comment is reported where it starts.
  const ZUBInt C = Run(6, "<html><head><title>t</title></head><body>\n<p>x</p> <!-- open\n</body></html>\n");
  const std::vector<TFinding> CommentMs = Messages(C);
  const TFinding* Open = FindMsg(CommentMs, "Unterminated comment");
  ASSERT_NE(Open, nullptr);
  EXPECT_EQ(Open->Line, 2);
  EXPECT_EQ(Open->Char, 10);
}

TEST_F(EngineRobustness, RandomHandlesAndIdentifiersOnEveryEntryPoint) {
  const TApi& E = Api();
  std::mt19937 Rng(20261210);
  // Live handles of every kind are in the pool, with stale and made-up ones.
  const ZUBInt Result = Run(6, ReadFile(DataFile("faults.html")));
  const ZUBInt Job = E.ZUBGetNewHandle(ZUB_KIND_JOB);
  const ZUBInt Freed = E.ZUBGetNewHandle(ZUB_KIND_JOB);
  E.ZUBFreeHandle(Freed, 0);
  const std::vector<ZUBInt> Handles = {Config, Job, Result, Freed, -1, 0, 1, 0x7FFFFFFF, -0x7FFFFFFF, 4242};
  // The identifiers the program uses and their neighbours, and a few wild ones.
  const std::vector<ZUBInt> Ids = {1003, 1004, 1006, 1007, 1021, 1022, 2000, 3000, 3001, 4003, 4005, 4006, 4008,
                                   5000, 5001, 5003, 5004, 6000, 6001, 6002, 6003, 6004, 6005, 6006, 6007, 6008,
                                   6009, 7000, 7001, 7008, 8000, 8002, 10000, 11000, 12000, 12001, 12002, 12003,
                                   12004, 12005, 13000, 13001, 15000, 15001, 15005, 15008, 15010, 15016, 16000,
                                   16001, 16002, 16006, 17000, 17005, 20000, 23000, 24000, 25003, 26000, 27000,
                                   27001, 28000, 29000, 30000, 30001, 31000, 34000, 35000, 0, -1, 999999};
  const char* Texts[] = {nullptr, "", "links", "linkstypes", "basehref", "x.html", "\xff\xfe<>&\""};
  auto H = [&] { return Handles[Rng() % Handles.size()]; };
  auto Id = [&] { return Ids[Rng() % Ids.size()] + static_cast<ZUBInt>(Rng() % 3) - 1; };
  auto N = [&] { return static_cast<ZUBInt>(Rng() % 5) == 0 ? static_cast<ZUBInt>(Rng()) : static_cast<ZUBInt>(Rng() % 40) - 5; };
  auto T = [&] { return Texts[Rng() % std::size(Texts)]; };
  ZUBInt Out = 0;
  // Help and quick help are recorded, not shown; the live handles above are never freed at random.
  TScriptedDialogs Dialogs;
  TScopedDialogService UseDialogs(Dialogs);
  SetShellExecuteRecording(true);
  // The engine's windows open for the live configuration handle: each is closed as soon as it shows.
  Harness::Start();
  auto Cancel = [](TForm& F) { TestSupport::TModalWindowDriver::Press(F, "CancelButton"); };
  TestSupport::TModalWindowDriver CloseOptions("Validator Engine Options (Validator/Logging/Tools/Network)", Cancel);
  TestSupport::TModalWindowDriver CloseEditor("ZUB Quillon Pro Configuration Editor", Cancel);
  const std::vector<ZUBInt> Operations = {1, 4, 0x10, 0x20, 0x40, 0x80, 0x100, 0x8000, 0x10000, 0, 3, -1};
  for (int Round = 0; Round < 20000; ++Round) {
    switch (Rng() % 45) {
      case 34: E.ZUBFreeHandle(std::vector<ZUBInt>{Freed, -1, 0, 4242, 0x7FFFFFFF}[Rng() % 5], N()); break;
      case 35: {
        const ZUBInt New = E.ZUBGetNewHandle(N());
        if (New >= 0 && Rng() % 2) E.ZUBFreeHandle(New, 0);
        break;
      }
      case 36: E.ZUBHTMLConfiguration(0, H(), Operations[Rng() % Operations.size()]); break;
      case 37: E.ZUBWriteToRegistry(0, H(), N()); break;
      case 38: E.ZUBReadFromRegistry(0, H(), N()); break;
      case 39: E.ZUBSetPointer(Id(), nullptr); break;
      case 40: E.ZUBSpellCheck(Id()); break;
      case 41: E.ZUBDisplayHelp(0, Id(), T(), N()); break;
      case 42: E.ZUBDisplayMessage(0, Id(), N()); break;
      case 43: E.ZUBSetString3(Id(), T()); break;
      case 44: E.ZUBGetFlag2(Id(), N()); break;
      case 0: E.ZUBHandle(H()); break;
      case 1: E.ZUBGetFlag(H(), Id(), N()); break;
      case 2: E.ZUBGetFlag2(Id(), N()); break;
      case 3: E.ZUBGetInteger(H(), Id(), Rng() % 2 ? &Out : nullptr); break;
      case 4: E.ZUBGetIntegerEZ(H(), Id()); break;
      case 5: E.ZUBGetInteger2(H(), Id(), N(), Rng() % 2 ? &Out : nullptr); break;
      case 6: E.ZUBGetInteger2EZ(H(), Id(), N()); break;
      case 7: E.ZUBGetInteger3(Id(), Rng() % 2 ? &Out : nullptr); break;
      case 8: E.ZUBGetInteger3EZ(Id()); break;
      case 9: E.ZUBGetInteger4(H(), Id(), T(), Rng() % 2 ? &Out : nullptr); break;
      case 10: E.ZUBGetInteger4EZ(H(), Id(), T()); break;
      case 11: E.ZUBGetInteger5(Id(), T(), Rng() % 2 ? &Out : nullptr); break;
      case 12: E.ZUBGetInteger5EZ(Id(), T()); break;
      case 13: E.ZUBGetInteger6(Id(), N(), Rng() % 2 ? &Out : nullptr); break;
      case 14: E.ZUBGetInteger6EZ(Id(), N()); break;
      case 15: E.ZUBGetNumberOfHandles(N()); break;
      case 16: E.ZUBGetString(H(), Id()); break;
      case 17: E.ZUBGetString2(H(), Id(), N()); break;
      case 18: E.ZUBGetString3(Id()); break;
      case 19: E.ZUBGetString4(H(), Id(), N(), N()); break;
      case 20: E.ZUBGetString5(Id(), T()); break;
      case 21: E.ZUBGetString6(Id(), N()); break;
      case 22: E.ZUBSetFlag(H(), Id(), N(), N()); break;
      case 23: {
        const ZUBInt I = Id();
        if (I != 26000) E.ZUBSetFlag2(I, N(), N());  // the stop bit would only slow the link tests down
        break;
      }
      case 24: E.ZUBSetInteger(H(), Id(), N()); break;
      case 25: E.ZUBSetInteger2(H(), Id(), N(), N()); break;
      case 26: {
        const ZUBInt I = Id();
        if (I != 16001) E.ZUBSetInteger3(I, N());
        break;
      }
      case 27: E.ZUBSetInteger6(Id(), N(), N()); break;
      case 28: E.ZUBSetString(H(), Id(), T()); break;
      case 29: E.ZUBSetString7(Id(), N(), T()); break;
      case 30: {
        const ZUBInt Handle = H();
        if (Handle == Config) CloseOptions.Arm();
        E.ZUBOpenValidatorOptions(0, Handle, N());
        break;
      }
      case 31: {
        const ZUBInt Handle = H();
        if (Handle == Config) CloseEditor.Arm();
        E.ZUBOpenConfigurationEditor(0, Handle, N());
        break;
      }
      case 32: {
        // Runs only jobs whose kind keeps the test quick and off the network.
        const ZUBInt J = H();
        const ZUBInt K = E.ZUBGetIntegerEZ(J, 5001);
        if (K != 7 && K != 4) E.ZUBRunJob(0, H(), J, N());
        break;
      }
      case 33: E.ZUBSpellCheck2(Id(), T()); break;
    }
  }
  SetShellExecuteRecording(false);
  // The engine still works, and the live handles are still what they were.
  EXPECT_EQ(E.ZUBHandle(Config), ZUB_KIND_CONFIGURATION);
  EXPECT_EQ(E.ZUBHandle(Job), ZUB_KIND_JOB);
  EXPECT_EQ(E.ZUBHandle(Result), ZUB_KIND_RESULT);
  EXPECT_LT(E.ZUBHandle(Freed), 0);
  EXPECT_GT(E.ZUBGetIntegerEZ(Result, 6003), 0);
  const ZUBInt Again = Run(6, ReadFile(DataFile("faults.html")));
  EXPECT_GE(Again, 0);
  EXPECT_LT(E.ZUBGetNewHandle(5), 0);
  EXPECT_LT(E.ZUBSetInteger(Job, 5001, 12), 0);
  EXPECT_LT(E.ZUBRunJob(0, Job, Config, 0), 0);  // handles of the wrong kinds
}

}  // namespace
