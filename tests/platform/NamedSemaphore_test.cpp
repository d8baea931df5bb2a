// Tests of semaphores shared by name between processes, including holders that crash.
#include "platform/win/NamedSemaphore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <future>
#include <string>

namespace {

// Every test runs with a fresh runtime folder, so no name is left over from an earlier run.
class NamedSemaphoreTest : public ::testing::Test {
protected:
  TestSupport::TTempFolder Temp{"zubq-semtest"};
  void SetUp() override {
    Folder = Temp.Path();
    setenv("XDG_RUNTIME_DIR", Folder.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("XDG_RUNTIME_DIR");
  }
  std::string Folder;
};

// A child process that opens the semaphore, takes one unit, says so through a pipe and then either waits to
// be killed or exits at once, in both cases without releasing the unit.
enum TChildEnd { ceKilled, ceExits };

pid_t StartHolder(const char* Name, TChildEnd End, int& ReadyFd) {
  int Pipe[2];
  if (pipe(Pipe) != 0) {
    return -1;
  }
  const pid_t Pid = fork();
  if (Pid == 0) {
    close(Pipe[0]);
    HANDLE S = CreateSemaphore(nullptr, 1, 1, Name);
    const char Ok = S && WaitForSingleObject(S, 5000) == WAIT_OBJECT_0 ? 'y' : 'n';
    [[maybe_unused]] const ssize_t N = write(Pipe[1], &Ok, 1);
    if (End == ceExits) {
      _exit(0);
    }
    for (;;) {
      pause();
    }
  }
  close(Pipe[1]);
  ReadyFd = Pipe[0];
  return Pid;
}

class CrashedHolder : public NamedSemaphoreTest, public ::testing::WithParamInterface<TChildEnd> {};

TEST_P(CrashedHolder, DoesNotBlockTheNextProcess) {
  const char* Name = "Global\\ZubqSingleInstance";
  int ReadyFd = -1;
  const pid_t Child = StartHolder(Name, GetParam(), ReadyFd);
  ASSERT_GT(Child, 0);
  char Ok = 0;
  ASSERT_EQ(read(ReadyFd, &Ok, 1), 1);
  close(ReadyFd);
  ASSERT_EQ(Ok, 'y');

  HANDLE S = CreateSemaphore(nullptr, 1, 1, Name);
  ASSERT_NE(S, nullptr);
  if (GetParam() == ceKilled) {
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(WaitForSingleObject(S, 0), WAIT_TIMEOUT) << "the living child holds the only unit";
    auto Waiter = std::async(std::launch::async, [S] { return WaitForSingleObject(S, 10000); });
    kill(Child, SIGKILL);
    EXPECT_EQ(Waiter.get(), WAIT_OBJECT_0) << "a waiting process gets the unit of the killed holder";
  } else {
    EXPECT_EQ(WaitForSingleObject(S, 5000), WAIT_OBJECT_0);
  }
  int Status = 0;
  waitpid(Child, &Status, 0);
  EXPECT_EQ(WaitForSingleObject(S, 0), WAIT_TIMEOUT) << "this process now holds it";
  ASSERT_TRUE(ReleaseSemaphore(S, 1, nullptr));
  CloseHandle(S);
}

INSTANTIATE_TEST_SUITE_P(NamedSemaphore, CrashedHolder, ::testing::Values(ceKilled, ceExits),
                         [](const auto& Info) { return Info.param == ceKilled ? "Killed" : "ExitsWithoutRelease"; });

TEST_F(NamedSemaphoreTest, ReleaseInOneProcessLetsAnotherProcessIn) {
  HANDLE S = CreateSemaphore(nullptr, 0, 2, "Units");  // this process holds both units
  ASSERT_NE(S, nullptr);
  ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  int ToChild[2];
  int FromChild[2];
  ASSERT_EQ(pipe(ToChild), 0);
  ASSERT_EQ(pipe(FromChild), 0);
  const pid_t Child = fork();
  if (Child == 0) {
    // The child must not use the parent's open semaphore: it opens its own after the fork.
    char Go = 0;
    HANDLE Mine = OpenSemaphore(SEMAPHORE_ALL_ACCESS, FALSE, "Units");
    char Report[3] = {Mine ? 'o' : '-', 0, 0};
    Report[1] = WaitForSingleObject(Mine, 0) == WAIT_TIMEOUT ? 't' : '-';
    [[maybe_unused]] ssize_t N = write(FromChild[1], Report, 2);
    N = read(ToChild[0], &Go, 1);
    Report[2] = WaitForSingleObject(Mine, 5000) == WAIT_OBJECT_0 ? 's' : '-';
    N = write(FromChild[1], Report + 2, 1);
    _exit(0);
  }
  char Report[4] = {};
  ASSERT_EQ(read(FromChild[0], Report, 2), 2);
  LONG Previous = -1;
  ASSERT_TRUE(ReleaseSemaphore(S, 1, &Previous));
  EXPECT_EQ(Previous, 0);
  ASSERT_EQ(write(ToChild[1], "g", 1), 1);
  ASSERT_EQ(read(FromChild[0], Report + 2, 1), 1);
  EXPECT_STREQ(Report, "ots") << "o: opened, t: timed out while held, s: signaled after the release";
  waitpid(Child, nullptr, 0);
  for (int Fd : {ToChild[0], ToChild[1], FromChild[0], FromChild[1]}) {
    close(Fd);
  }
  CloseHandle(S);
}

TEST_F(NamedSemaphoreTest, NamesAndErrors) {
  SetLastError(0);
  EXPECT_EQ(OpenSemaphore(SEMAPHORE_ALL_ACCESS, FALSE, "Nobody"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  HANDLE A = CreateSemaphore(nullptr, 1, 1, "Local\\Shared");
  HANDLE B = CreateSemaphore(nullptr, 1, 1, "Shared");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "the prefix names the same semaphore";
  EXPECT_EQ(WaitForSingleObject(A, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(B, 0), WAIT_TIMEOUT);
  EXPECT_FALSE(ReleaseSemaphore(B, 2, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TOO_MANY_POSTS));

  // Closing the last handle gives the held unit back and forgets the name.
  CloseHandle(A);
  CloseHandle(B);
  HANDLE C = CreateSemaphore(nullptr, 1, 1, "Shared");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(WaitForSingleObject(C, 0), WAIT_OBJECT_0);
  CloseHandle(C);

  // Names become file names safely.
  HANDLE D = CreateSemaphore(nullptr, 1, 1, "../../etc/x y");
  ASSERT_NE(D, nullptr);
  for (const auto& E : std::filesystem::directory_iterator(Folder + "/zubq/sem")) {
    EXPECT_EQ(E.path().parent_path(), std::filesystem::path(Folder + "/zubq/sem"));
  }
  CloseHandle(D);
}

}  // namespace
