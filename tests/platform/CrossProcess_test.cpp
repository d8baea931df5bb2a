// Windows across processes: a second process finds a window of the first by class and caption and hands it a
// command line through a global atom; entries of dead processes disappear.
#include "platform/win/CrossProcess.h"
#include "platform/win/Atoms.h"
#include "platform/win/WinUser.h"
#include "platform/controls/TestHarness.h"
#include "tests/support/PeerProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr UINT WM_HANDOVER = 0x8001;
constexpr UINT WM_ADD = WM_USER + 7;
constexpr const char* RoleVar = "ZUBQ_XPROC_ROLE";
constexpr const char* ArgVar = "ZUBQ_XPROC_ARG";
const char* const MessageClass = "TZUBEditorMessageWindow";
const char* const MessageCaption = "ZUB Editor Message Window";
const char* const CommandLine = "-open \"/tmp/a file.html\" -line 3";

// The runtime folder: each test makes its own (inherited by the peers it starts), so that runs of the suite side
// by side never see each other's windows.
std::string PrivateRuntimeFolder() {
  const char* F = std::getenv("XDG_RUNTIME_DIR");
  return F ? F : "";
}

void MakePrivateRuntimeFolder() {
  char Template[] = "/tmp/zubq-xproc-test-XXXXXX";
  ::setenv("XDG_RUNTIME_DIR", ::mkdtemp(Template) ? Template : "", 1);
}

using TPeer = TestSupport::TPeerProcess;

// Starts this test program again running only CrossProcessPeer.Act in the given role.
TPeer StartPeer(const std::string& Role, const std::string& Arg = "") {
  return TestSupport::StartPeerProcess("CrossProcessPeer.Act", {{RoleVar, Role}, {ArgVar, Arg}},
                                       PrivateRuntimeFolder() + "/peer-" + Role + ".txt");
}

std::string ReadFile(const std::string& Name) {
  std::ifstream F(Name);
  std::stringstream S;
  S << F.rdbuf();
  return S.str();
}

// The peer's exit status once it ended, -1 while it runs.
int PeerStatus(TPeer& P) {
  int St = 0;
  if (P.Pid > 0 && ::waitpid(P.Pid, &St, WNOHANG) == P.Pid) {
    P.Pid = 0;
    P.Status = WIFEXITED(St) ? WEXITSTATUS(St) : 128 + WTERMSIG(St);
  }
  return P.Status;
}

void KillPeer(TPeer& P) {
  if (P.Pid > 0) {
    ::kill(P.Pid, SIGKILL);
    ::waitpid(P.Pid, nullptr, 0);
    P.Pid = 0;
  }
}

template <typename F>
bool PollUntil(F Done, int TimeoutMs) {
  auto End = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
  while (!Done()) {
    if (std::chrono::steady_clock::now() > End) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

ATOM RegisterPlainClass(const char* Name, WNDPROC Proc) {
  WNDCLASS C;
  C.lpfnWndProc = Proc;
  C.lpszClassName = Name;
  return RegisterClass(&C);
}

HWND CreateHidden(const char* Class, const char* Caption) {
  return CreateWindowEx(0, Class, Caption, WS_POPUP, 0, 0, 10, 10, 0, 0, nullptr, nullptr);
}

// ---- The first instance's message window ------------------------------------------------------------------------

struct TReceived {
  int Count = 0;
  WPARAM WParam = 1;
  std::string Text;
  bool OnMainThread = false;
  bool WasSent = true;
  bool AtomDeleted = false;
} Received;

LRESULT MessageWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_HANDOVER) {
    ++Received.Count;
    Received.WParam = WParam;
    Received.OnMainThread = GetCurrentThreadId() == MainThreadID;
    Received.WasSent = InSendMessage();
    char Buf[1024] = {};
    if (LParam && GlobalGetAtomName(static_cast<ATOM>(LParam), Buf, sizeof Buf) > 0) {
      Received.Text = Buf;
    }
    Received.AtomDeleted = LParam && GlobalDeleteAtom(static_cast<ATOM>(LParam)) == 0;
    return 0;
  }
  if (Msg == WM_ADD) {
    return static_cast<LRESULT>(WParam) + LParam;
  }
  return DefWindowProc(Wnd, Msg, WParam, LParam);
}

// ---- The peers --------------------------------------------------------------------------------------------------

// The second instance: finds the message window, hands over its command line, and asks a sum of it.
void ActAsSecondInstance(const std::string& Line) {
  for (const char* Filler : {"one", "two", "three", "four", "five"}) {
    GlobalAddAtom(Filler);  // so this process's atom numbers differ from the receiver's
  }
  HWND W = FindWindow(MessageClass, MessageCaption);
  ASSERT_NE(W, 0u);
  EXPECT_TRUE(CrossProcess::IsForeignHandle(W));
  EXPECT_TRUE(IsWindow(W));
  EXPECT_EQ(FindWindow(MessageClass, nullptr), W);
  EXPECT_EQ(FindWindow("", "zub editor MESSAGE window"), W);  // captions and classes compare without case
  EXPECT_EQ(FindWindowEx(0, W, MessageClass, nullptr), 0u);   // the only one
  EXPECT_EQ(FindWindow(MessageClass, "Another caption"), 0u);
  EXPECT_EQ(GetWindowTextString(W), MessageCaption);
  char ClassName[64] = {};
  EXPECT_EQ(GetClassName(W, ClassName, sizeof ClassName), 23);
  EXPECT_STREQ(ClassName, MessageClass);

  // Pointers cannot travel.
  SetLastError(0);
  EXPECT_FALSE(PostMessage(W, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")));
  EXPECT_EQ(GetLastError(), ERROR_MESSAGE_SYNC_ONLY);

  ATOM A = GlobalAddAtom(Line.c_str());
  ASSERT_GE(A, 0xC005);
  EXPECT_TRUE(PostMessage(W, WM_HANDOVER, 0, A));
  EXPECT_EQ(SendMessage(W, WM_ADD, 20, 22), 42);
}

// A process that asks a window of another process, found by its caption, to come to the foreground.
void ActAsForegroundAsker(const std::string& Caption) {
  HWND W = FindWindow(nullptr, Caption.c_str());
  ASSERT_NE(W, 0u);
  EXPECT_TRUE(SetForegroundWindow(W));
}

// A process with windows that it renames and destroys, then waits to be killed.
void ActAsPublisher() {
  Harness::Start();
  RegisterPlainClass("ZubqXprocGone", DefWindowProc);
  RegisterPlainClass("ZubqXprocTemp", DefWindowProc);
  HWND W = CreateHidden("ZubqXprocGone", "Before rename");
  ASSERT_NE(W, 0u);
  HWND T = CreateHidden("ZubqXprocTemp", "Temporary");
  ASSERT_NE(T, 0u);
  DestroyWindow(T);
  SetWindowText(W, ("After rename " + std::to_string(::getpid())).c_str());
  for (int I = 0; I < 300; ++I) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // killed by the test long before
  }
}

}  // namespace

// Runs only as a peer started by the tests below.
TEST(CrossProcessPeer, Act) {
  const char* Role = std::getenv(RoleVar);
  if (!Role || !*Role) {
    GTEST_SKIP() << "runs only as a peer process of the cross-process tests";
  }
  const char* Arg = std::getenv(ArgVar);
  if (std::string(Role) == "second-instance") {
    ActAsSecondInstance(Arg ? Arg : "");
  } else if (std::string(Role) == "foreground") {
    ActAsForegroundAsker(Arg ? Arg : "");
  } else if (std::string(Role) == "publisher") {
    ActAsPublisher();
  } else {
    FAIL() << "unknown role " << Role;
  }
}

class CrossProcessTest : public ::testing::Test {
protected:
  void SetUp() override {
    MakePrivateRuntimeFolder();
    ASSERT_FALSE(PrivateRuntimeFolder().empty());
  }
  void TearDown() override {
    KillPeer(Peer);
    CrossProcess::Shutdown();
    std::filesystem::remove_all(PrivateRuntimeFolder());
  }
  TPeer Peer;
};

TEST_F(CrossProcessTest, SecondInstanceHandsItsCommandLineToTheFirst) {
  Harness::Start();
  ASSERT_NE(RegisterPlainClass(MessageClass, MessageWindowProc), 0);
  HWND W = CreateHidden(MessageClass, "Starting");
  ASSERT_NE(W, 0u);
  ASSERT_TRUE(SetWindowText(W, MessageCaption));  // the caption is set after creation, as the form does
  Peer = StartPeer("second-instance", CommandLine);
  ASSERT_GT(Peer.Pid, 0);
  EXPECT_TRUE(Harness::RunUntil([&] { return PeerStatus(Peer) >= 0 && Received.Count > 0; }, 15000));
  EXPECT_EQ(Peer.Status, 0) << ReadFile(PrivateRuntimeFolder() + "/peer-second-instance.txt");
  EXPECT_EQ(Received.Count, 1);
  EXPECT_EQ(Received.Text, CommandLine);
  EXPECT_EQ(Received.WParam, 0u);
  EXPECT_TRUE(Received.OnMainThread);
  EXPECT_FALSE(Received.WasSent);  // arrived through the queue
  EXPECT_TRUE(Received.AtomDeleted);
  EXPECT_EQ(GlobalFindAtom(CommandLine), 0);
  DestroyWindow(W);
  UnregisterClass(MessageClass, nullptr);
}

TEST_F(CrossProcessTest, SetForegroundWindowFromAnotherProcessActivatesTheWindow) {
  Harness::Start();
  ASSERT_NE(RegisterPlainClass("ZubqXprocFront", DefWindowProc), 0);
  auto Make = [](const char* Caption) {
    HWND W = CreateWindowEx(0, "ZubqXprocFront", Caption, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, 0, 0, nullptr,
                            nullptr);
    ShowWindow(W, SW_SHOWNORMAL);
    return W;
  };
  HWND Options = Make("Options of another instance");
  HWND Other = Make("Some other window");
  SetActiveWindow(Other);
  ASSERT_EQ(GetActiveWindow(), Other);
  Peer = StartPeer("foreground", "Options of another instance");
  ASSERT_GT(Peer.Pid, 0);
  EXPECT_TRUE(Harness::RunUntil([&] { return PeerStatus(Peer) >= 0 && GetActiveWindow() == Options; }, 15000));
  EXPECT_EQ(Peer.Status, 0) << ReadFile(PrivateRuntimeFolder() + "/peer-foreground.txt");
  EXPECT_EQ(GetActiveWindow(), Options);
  DestroyWindow(Options);
  DestroyWindow(Other);
  UnregisterClass("ZubqXprocFront", nullptr);
}

TEST_F(CrossProcessTest, RegistryFollowsRenamesAndForgetsDeadProcesses) {
  Peer = StartPeer("publisher");
  ASSERT_GT(Peer.Pid, 0);
  const pid_t PeerPid = Peer.Pid;
  const std::string Caption = "After rename " + std::to_string(PeerPid);
  HWND W = 0;
  ASSERT_TRUE(PollUntil([&] { return (W = FindWindow(nullptr, Caption.c_str())) != 0 || PeerStatus(Peer) >= 0; },
                        15000));
  ASSERT_NE(W, 0u) << ReadFile(PrivateRuntimeFolder() + "/peer-publisher.txt");
  EXPECT_EQ(FindWindow("ZubqXprocGone", nullptr), W);  // by class only
  EXPECT_EQ(FindWindow(nullptr, "Before rename"), 0u);
  EXPECT_EQ(FindWindow("ZubqXprocTemp", nullptr), 0u);  // destroyed
  EXPECT_TRUE(IsWindow(W));

  KillPeer(Peer);  // no chance to clean up
  EXPECT_EQ(FindWindow("ZubqXprocGone", nullptr), 0u);
  EXPECT_FALSE(IsWindow(W));
  EXPECT_EQ(GetWindowTextLength(W), 0);
  SetLastError(0);
  EXPECT_FALSE(PostMessage(W, WM_HANDOVER, 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_EQ(SendMessage(W, WM_ADD, 1, 2), 0);
  // The dead process's files are gone from the registry.
  for (auto& E : std::filesystem::directory_iterator(PrivateRuntimeFolder() + "/zubq/windows")) {
    EXPECT_NE(E.path().filename().string().rfind(std::to_string(PeerPid) + "-", 0), 0u) << E.path();
  }
}

// Another process scanning the registry all the time while publishers start never takes a starting one for dead
// (it would remove its files, and its windows could never be found again).
TEST_F(CrossProcessTest, APublisherStartingDuringScansIsFound) {
  for (int Round = 0; Round < 100; ++Round) {
    Peer = StartPeer("publisher");
    ASSERT_GT(Peer.Pid, 0);
    const std::string Caption = "After rename " + std::to_string(Peer.Pid);
    HWND W = 0;
    const auto End = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while ((W = FindWindow(nullptr, Caption.c_str())) == 0 && PeerStatus(Peer) < 0 &&
           std::chrono::steady_clock::now() < End) {
      // no pause: every scan looks at the files of the starting process
    }
    EXPECT_NE(W, 0u) << "round " << Round << ": " << ReadFile(PrivateRuntimeFolder() + "/peer-publisher.txt");
    KillPeer(Peer);
  }
}
