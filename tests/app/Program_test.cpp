// The built program as a user starts it: a first instance that goes idle and closes with its settings stored, a
// second instance that hands its names over, and the exit codes of the starts that cannot go on.
#include "support/ProgramProcess.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/WinUser.h"
#include "tests/support/PeerProcess.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace ProgramProcess;

constexpr const char* PeerRoleVar = "ZUBQ_PROGRAM_TEST_ROLE";

class ProgramTest : public ::testing::Test {
protected:
  TestSupport::TTempFolder Temp{"zubq-program"};
  THome Home{Temp.Path()};
  const std::string& Dir = Home.Dir;

  void SetUp() override { Harness::Start(); }

  pid_t Start(const std::vector<std::string>& Arguments, const std::string& Log, const TEnv& Extra = {},
              const std::string& Program = ZUBQ_PROGRAM_PATH) {
    return Home.Start(Program, Arguments, Log, Extra);
  }

  std::string Settings() const { return ReadFile(Dir + "/registry/HKCU.reg"); }

  std::string MakeDocument(const std::string& Name, const std::string& Text) const {
    const std::string Path = Dir + "/docs/" + Name;
    std::ofstream(Path) << Text;
    return Path;
  }

  // A program folder holding the program with its libraries and, when Engine names one, that engine library as
  // the one it loads.
  std::string ProgramFolderWith(const std::string& Engine) const {
    const std::string Folder = Dir + "/program";
    fs::create_directories(Folder);
    const fs::path Program(ZUBQ_PROGRAM_PATH);
    for (const fs::directory_entry& E : fs::directory_iterator(Program.parent_path())) {
      const std::string Name = E.path().filename().string();
      const bool Library = Name.rfind("lib", 0) == 0 && Name.find(".so") != std::string::npos;
      if (E.path() == Program || (Library && Name.rfind("libzubvalidator", 0) != 0)) {
        std::error_code Error;
        fs::create_hard_link(E.path(), Folder + "/" + Name, Error);
        if (Error) {
          fs::copy_file(E.path(), Folder + "/" + Name, fs::copy_options::overwrite_existing);
        }
      }
    }
    const std::string Copy = Folder + "/" + Program.filename().string();
    if (!Engine.empty()) {
      fs::copy_file(Program.parent_path() / Engine, Folder + "/libzubvalidatorV60.so",
                    fs::copy_options::overwrite_existing);
    }
    return Copy;
  }
};

TEST_F(ProgramTest, FirstInstanceGoesIdleAndClosesWithItsSettingsStored) {
  const pid_t First = Start({}, "first.txt");
  ASSERT_GT(First, 0);
  const HWND Form = WaitForMainWindow();
  ASSERT_NE(Form, 0) << Home.Output("first.txt");
  EXPECT_NE(Caption(Form).find("ZUB Quillon"), std::string::npos) << Caption(Form);
  ASSERT_TRUE(PostMessage(Form, WM_CLOSE, 0, 0));
  EXPECT_EQ(WaitForExit(First), 0) << Home.Output("first.txt");
  EXPECT_NE(Settings().find("Editor\\Interface"), std::string::npos);
  // A first run offers the Getting Started page; without a screen the question takes its default, Yes.
  EXPECT_NE(ReadFile(Dir + "/shellexecute.log").find("gettingstarted.html"), std::string::npos);
}

TEST_F(ProgramTest, SecondInstanceHandsItsNamesToTheFirstAndEndsWithSeven) {
  const std::string A = MakeDocument("first page.html", "<p>one</p>\n");
  const std::string B = MakeDocument("second sheet.css", "p { color: red }\n");
  const pid_t First = Start({}, "first.txt");
  const HWND Form = WaitForMainWindow();
  ASSERT_NE(Form, 0) << Home.Output("first.txt");
  ASSERT_TRUE(HandOverWithoutAsking(Home));

  const pid_t Second = Start({A, B}, "second.txt");
  EXPECT_EQ(WaitForExit(Second), 7) << Home.Output("second.txt");
  // The last name handed over is the one shown.
  EXPECT_TRUE(WaitForCaption(Form, "second sheet.css")) << Caption(Form);

  // Without arguments the second instance only brings the first forward.
  EXPECT_EQ(WaitForExit(Start({}, "third.txt")), 7) << Home.Output("third.txt");
  EXPECT_TRUE(WaitForCaption(Form, "second sheet.css")) << Caption(Form);

  ASSERT_TRUE(PostMessage(Form, WM_CLOSE, 0, 0));
  EXPECT_EQ(WaitForExit(First), 0) << Home.Output("first.txt");
  // Both documents were open at the close: the recent list holds both.
  const std::string Stored = Settings();
  EXPECT_NE(Stored.find("first page.html"), std::string::npos);
  EXPECT_NE(Stored.find("second sheet.css"), std::string::npos);
}

TEST_F(ProgramTest, TerminationSignalClosesLikeTheCloseCommand) {
  const pid_t First = Start({}, "first.txt");
  ASSERT_NE(WaitForMainWindow(), 0) << Home.Output("first.txt");
  ASSERT_EQ(::kill(First, SIGTERM), 0);
  EXPECT_EQ(WaitForExit(First), 0) << Home.Output("first.txt");
  EXPECT_NE(Settings().find("Editor\\Interface"), std::string::npos);
}

TEST_F(ProgramTest, RemovingTheAssociationsEndsWithSixAndWritesNoSettings) {
  for (const char* Switch : {"-x", "-Xall"}) {
    EXPECT_EQ(WaitForExit(Start({Switch}, "x.txt")), 6) << Switch << ": " << Home.Output("x.txt");
    EXPECT_EQ(Settings().find("Editor\\Interface"), std::string::npos) << Switch;
    EXPECT_EQ(FindWindow(MESSAGE_WINDOW_CLASS, MESSAGE_WINDOW_CAPTION), 0);
  }
}

TEST_F(ProgramTest, EngineFaultsEndWithTheirOwnCodes) {
  struct TCase {
    const char* Name;
    const char* Engine;  // the library placed beside a copy of the program; "" for none, nullptr for the built one
    TEnv Extra;
    int Code;
  };
  const std::vector<TCase> Cases = {
      {"missing", "", {}, 8},
      {"entry point missing", "libzubvalidatorV60_missing.so", {}, 9},
      {"too old", nullptr, {{"ZUBQ_ENGINE_VERSION", "1"}}, 11},
      {"settings store read-only", nullptr, {{"ZUBQ_REGISTRY_READONLY", "HKCU"}}, 1},
  };
  for (const TCase& C : Cases) {
    fs::remove_all(Dir + "/program");
    const std::string Program = C.Engine ? ProgramFolderWith(C.Engine) : std::string(ZUBQ_PROGRAM_PATH);
    EXPECT_EQ(WaitForExit(Start({}, "run.txt", C.Extra, Program)), C.Code) << C.Name << ": " << Home.Output("run.txt");
    EXPECT_EQ(FindWindow(MESSAGE_WINDOW_CLASS, MESSAGE_WINDOW_CAPTION), 0) << C.Name;
  }
}

// A peer that holds the engine's options window open until it is closed.
TEST(ProgramTestPeer, HoldEngineOptionsWindow) {
  if (std::getenv(PeerRoleVar) == nullptr) {
    GTEST_SKIP() << "runs only as a peer process";
  }
  Harness::Start();
  WNDCLASS Class{};
  Class.lpfnWndProc = DefWindowProc;
  Class.lpszClassName = "TValOptionsForm";
  RegisterClass(&Class);
  const HWND Window = CreateWindowEx(0, "TValOptionsForm", "Validator Engine Options (Validator/Logging/Tools/Network)",
                                     WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, 0, 0, 0, nullptr);
  ASSERT_NE(Window, 0);
  ShowWindow(Window, SW_SHOW);
  std::ofstream(std::string(std::getenv(PeerRoleVar))) << "ready";
  MSG Msg;
  while (IsWindow(Window) && GetMessage(&Msg, 0, 0, 0) > 0) {
    TranslateMessage(&Msg);
    DispatchMessage(&Msg);
  }
}

TEST_F(ProgramTest, AnOpenEngineOptionsWindowElsewhereEndsWithTen) {
  const std::string Ready = Dir + "/peer-ready";
  TestSupport::TPeerProcess Peer = TestSupport::StartPeerProcess("ProgramTestPeer.HoldEngineOptionsWindow",
                                                                 {{PeerRoleVar, Ready}}, Dir + "/peer.txt");
  ASSERT_GT(Peer.Pid, 0);
  struct TEnd {
    pid_t Pid;
    ~TEnd() {
      ::kill(Pid, SIGKILL);
      ::waitpid(Pid, nullptr, 0);
    }
  } End{Peer.Pid};
  ASSERT_TRUE(Harness::RunUntil([&] { return fs::exists(Ready); }, 20000)) << ReadFile(Dir + "/peer.txt");
  EXPECT_EQ(WaitForExit(Start({}, "run.txt")), 10) << Home.Output("run.txt");
  EXPECT_EQ(Settings().find("Editor\\Interface"), std::string::npos);
}

}  // namespace
