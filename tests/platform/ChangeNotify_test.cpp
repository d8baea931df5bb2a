// Tests of change notification handles and their waits alongside events.
#include "platform/win/ChangeNotify.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace fs = std::filesystem;

namespace {

class ChangeNotifyTest : public ::testing::Test {
protected:
  TestSupport::TTempFolder Temp{"zubq-watch"};
  void SetUp() override {
    Dir = Temp.Path();
    Stop = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  }
  void TearDown() override {
    CloseHandle(Stop);
  }
  static void Write(const fs::path& P, const std::string& Text) { std::ofstream(P) << Text; }
  // Waits the way a watcher thread does: for its stop event or the change handle.
  DWORD WaitChange(HANDLE Change, DWORD Timeout) {
    const HANDLE Handles[2] = {Stop, Change};
    return WaitForMultipleObjects(2, Handles, FALSE, Timeout);
  }
  fs::path Dir;
  HANDLE Stop = nullptr;
};

TEST_F(ChangeNotifyTest, FileCreatedInTheWatchedFolderSignalsUntilFindNext) {
  HANDLE Change = FindFirstChangeNotification(Dir.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
  ASSERT_NE(Change, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WaitChange(Change, 0), WAIT_TIMEOUT);
  Write(Dir / "new.html", "x");
  EXPECT_EQ(WaitChange(Change, 5000), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitChange(Change, 0), WAIT_OBJECT_0 + 1) << "stays signaled until FindNextChangeNotification";
  ASSERT_TRUE(FindNextChangeNotification(Change));
  EXPECT_EQ(WaitChange(Change, 100), WAIT_TIMEOUT);

  fs::rename(Dir / "new.html", Dir / "renamed.html");
  EXPECT_EQ(WaitChange(Change, 5000), WAIT_OBJECT_0 + 1);
  SetEvent(Stop);
  EXPECT_EQ(WaitChange(Change, 0), WAIT_OBJECT_0) << "the lower index wins";
  EXPECT_TRUE(FindCloseChangeNotification(Change));
  EXPECT_FALSE(FindNextChangeNotification(Change));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(ChangeNotifyTest, OnlyTheKindsOfChangeAskedForSignal) {
  struct TCase {
    const char* Name;
    DWORD Filter;
    BOOL Subtree;
    std::function<void(const fs::path&)> Change;
    bool Fires;
  };
  const TCase Cases[] = {
      {"write with file-name filter", FILE_NOTIFY_CHANGE_FILE_NAME, FALSE,
       [](const fs::path& D) { Write(D / "existing.txt", "more"); }, false},
      {"write with last-write filter", FILE_NOTIFY_CHANGE_LAST_WRITE, FALSE,
       [](const fs::path& D) { Write(D / "existing.txt", "more"); }, true},
      {"new folder with file-name filter", FILE_NOTIFY_CHANGE_FILE_NAME, FALSE,
       [](const fs::path& D) { fs::create_directory(D / "folder"); }, false},
      {"new folder with dir-name filter", FILE_NOTIFY_CHANGE_DIR_NAME, FALSE,
       [](const fs::path& D) { fs::create_directory(D / "folder"); }, true},
      {"permissions with attributes filter", FILE_NOTIFY_CHANGE_ATTRIBUTES, FALSE,
       [](const fs::path& D) { fs::permissions(D / "existing.txt", fs::perms::owner_read); }, true},
      {"file in a sub-folder without subtree", FILE_NOTIFY_CHANGE_FILE_NAME, FALSE,
       [](const fs::path& D) { Write(D / "sub" / "deep.txt", "x"); }, false},
      {"file in a sub-folder with subtree", FILE_NOTIFY_CHANGE_FILE_NAME, TRUE,
       [](const fs::path& D) { Write(D / "sub" / "deep.txt", "x"); }, true},
      {"file in a folder made after the watch began", FILE_NOTIFY_CHANGE_FILE_NAME, TRUE,
       [](const fs::path& D) {
         // The file may appear before the watcher has added the new folder: it must still count.
         fs::create_directory(D / "later");
         Write(D / "later" / "x.txt", "x");
       },
       true},
  };
  for (const TCase& C : Cases) {
    fs::remove_all(Dir);
    fs::create_directories(Dir / "sub");
    Write(Dir / "existing.txt", "x");
    HANDLE Change = FindFirstChangeNotification(Dir.c_str(), C.Subtree, C.Filter);
    ASSERT_NE(Change, INVALID_HANDLE_VALUE) << C.Name;
    C.Change(Dir);
    EXPECT_EQ(WaitChange(Change, C.Fires ? 5000 : 200), C.Fires ? WAIT_OBJECT_0 + 1 : WAIT_TIMEOUT) << C.Name;
    FindCloseChangeNotification(Change);
  }
}

TEST_F(ChangeNotifyTest, DeletedWatchedFolderAbandonsTheHandle) {
  fs::create_directory(Dir / "watched");
  HANDLE Change = FindFirstChangeNotification((Dir / "watched").c_str(), FALSE, FILE_NOTIFY_CHANGE_SIZE);
  ASSERT_NE(Change, INVALID_HANDLE_VALUE);
  fs::remove(Dir / "watched");
  EXPECT_EQ(WaitChange(Change, 5000), WAIT_ABANDONED_0 + 1);
  EXPECT_EQ(WaitChange(Change, 0), WAIT_ABANDONED_0 + 1) << "it stays abandoned";
  EXPECT_FALSE(FindNextChangeNotification(Change));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  FindCloseChangeNotification(Change);
}

TEST_F(ChangeNotifyTest, BadArgumentsFail) {
  Write(Dir / "file.txt", "x");
  struct TCase {
    fs::path Path;
    DWORD Filter;
    LONG Error;
  };
  const TCase Cases[] = {
      {Dir / "missing", FILE_NOTIFY_CHANGE_FILE_NAME, ERROR_FILE_NOT_FOUND},
      {Dir / "file.txt", FILE_NOTIFY_CHANGE_FILE_NAME, ERROR_DIRECTORY},
      {Dir, 0, ERROR_INVALID_PARAMETER},
      {Dir, 0x80000000, ERROR_INVALID_PARAMETER},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(FindFirstChangeNotification(C.Path.c_str(), FALSE, C.Filter), INVALID_HANDLE_VALUE) << C.Path;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(C.Error)) << C.Path;
  }
}

}  // namespace
