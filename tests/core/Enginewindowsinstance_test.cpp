// The engine's windows seen from another process: a start-up that finds the options window or the configuration
// editor open (in a peer process started here) is refused, and the window is found by class and caption.
#include "core/Enginedialogs.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/WinUser.h"
#include "tests/support/PeerProcess.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr const char* RoleVar = "ZUBQ_ENGINE_WINDOW_ROLE";
const char* const OptionsClass = "TValOptionsForm";
const char* const OptionsCaption = "Validator Engine Options (Validator/Logging/Tools/Network)";
const char* const EditorCaption = "ZUB Quillon Pro Configuration Editor";

using TPeer = TestSupport::TPeerProcess;

// Starts this program again as a peer that opens one of the engine's windows.
TPeer StartPeer(const std::string& Role, const std::string& Folder) {
  return TestSupport::StartPeerProcess("EngineWindowPeer.Act", {{RoleVar, Role}}, Folder + "/peer-" + Role + ".txt");
}

// Waits for the peer's end: its exit status, or -1 after the time-out (it is then killed).
int WaitPeer(TPeer& P, int TimeoutMs) {
  const auto End = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
  while (std::chrono::steady_clock::now() < End) {
    int St = 0;
    if (::waitpid(P.Pid, &St, WNOHANG) == P.Pid) {
      P.Pid = -1;
      return WIFEXITED(St) ? WEXITSTATUS(St) : 128 + WTERMSIG(St);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ::kill(P.Pid, SIGKILL);
  ::waitpid(P.Pid, nullptr, 0);
  P.Pid = -1;
  return -1;
}

HWND WaitForWindow(const char* Class, const char* Caption, int TimeoutMs) {
  const auto End = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
  while (std::chrono::steady_clock::now() < End) {
    if (HWND W = FindWindow(Class, Caption)) {
      return W;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return 0;
}

std::string ReadText(const std::string& Name) {
  std::ifstream F(Name);
  std::stringstream S;
  S << F.rdbuf();
  return S.str();
}

}  // namespace

// Runs only as a peer: loads the engine and shows the window its role names until the window is closed.
TEST(EngineWindowPeer, Act) {
  const char* Role = std::getenv(RoleVar);
  if (!Role || !*Role) {
    GTEST_SKIP() << "runs only as a peer process of the tests below";
  }
  Harness::Start();
  volatileclass Vol;
  ASSERT_EQ(Vol.LoadValidatorLibrary(0, 0), 0);
  const int R = std::string(Role) == "options" ? OpenValidatorOptions(0, DIALOG_OWNER_NONE)
                                                : OpenConfigurationEditor(0, DIALOG_OWNER_MAIN_WINDOW);
  EXPECT_EQ(R, 0);  // closed without a change
}

class EngineWindowsInOtherProcesses : public ::testing::Test {
protected:
  void SetUp() override {
    // Private folders: the registry (the engine's configuration) and the runtime folder of findable windows, so
    // that windows of tests running side by side are never seen.
    setenv("ZUBQ_REGISTRY_DIR", Folder.Path().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", Folder.Path().c_str(), 1);
    RegistryResetForTests();
  }
  TestSupport::TTempFolder Folder{"zubq-enginewin"};
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope{Dialogs};
};

TEST_F(EngineWindowsInOtherProcesses, AStartUpIsRefusedWhileEitherWindowIsOpen) {
  EXPECT_EQ(RefuseWhileEngineWindowsOpen(), 0);
  EXPECT_TRUE(Dialogs.Shown().empty());
  struct TCase {
    const char* Role;
    const char* Class;
    const char* Caption;
  };
  const TCase Cases[] = {{"options", OptionsClass, OptionsCaption}, {"editor", nullptr, EditorCaption}};
  for (const TCase& C : Cases) {
    TPeer Peer = StartPeer(C.Role, Folder.Path());
    ASSERT_GT(Peer.Pid, 0);
    const HWND W = WaitForWindow(C.Class, C.Caption, 20000);
    if (!W) {
      WaitPeer(Peer, 0);
      FAIL() << C.Role << " did not show:\n" << ReadText(Peer.Output);
    }
    EXPECT_EQ(RefuseWhileEngineWindowsOpen(), STARTUP_ENGINE_WINDOW_OPEN) << C.Role;
    // Closing the window ends the peer's call normally.
    EXPECT_TRUE(PostMessage(W, WM_CLOSE, 0, 0));
    EXPECT_EQ(WaitPeer(Peer, 20000), 0) << ReadText(Peer.Output);
  }
  const auto Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 2u);
  for (const TDialogRequest& Box : Shown) {
    EXPECT_EQ(Box.Caption, "Quillon: Close Window First");
    EXPECT_EQ(Box.Text,
              "Before running ZUB Quillon Professional, both the options dialog box and Configuration Editor must be "
              "closed.");
    EXPECT_EQ(Box.Owner, 0u);
  }
  EXPECT_EQ(RefuseWhileEngineWindowsOpen(), 0);
}
