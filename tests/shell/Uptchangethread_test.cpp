// The change-notification worker: watches, posted notices, the slot table and its limits, and ending it.
#include "shell/Uptchangethread.h"

#include "platform/win/UtilWindow.h"
#include "platform/win/WinUser.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace {

constexpr UINT Notice = 0x465;

class ChangeThread : public ::testing::Test {
protected:
  void SetUp() override {
    Wnd = AllocateHWnd([this](TMessage& M) {
      if (M.Msg == Notice) {
        Slots.push_back(static_cast<int>(M.WParam));
      }
    });
  }
  void TearDown() override { DeallocateHWnd(Wnd); }
  // Pumps posted messages until one notice arrives or two seconds pass.
  bool WaitForNotice() {
    const auto End = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    const std::size_t Before = Slots.size();
    while (std::chrono::steady_clock::now() < End) {
      MSG Msg;
      while (PeekMessage(&Msg, 0, 0, 0, PM_REMOVE)) {
        DispatchMessage(&Msg);
      }
      if (Slots.size() > Before) {
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }
  HWND Wnd = 0;
  std::vector<int> Slots;
  TestSupport::TTempFolder Dir{"zubq-change"};
};

TEST_F(ChangeThread, FolderNamesPostTheSlotFileNamesOnlyWhenAsked) {
  TChangeHandlerThread T(Wnd, Notice);
  int Slot = -1;
  ASSERT_TRUE(T.AddWatch(Dir.Path(), FILE_NOTIFY_CHANGE_DIR_NAME, Slot, false));
  EXPECT_EQ(Slot, 0);
  std::ofstream(Dir / "file") << "x";
  EXPECT_FALSE(WaitForNotice());
  mkdir((Dir / "sub").c_str(), 0700);
  ASSERT_TRUE(WaitForNotice());
  EXPECT_EQ(Slots.back(), 0);
  T.RemoveAllWatches();
  ASSERT_TRUE(T.AddWatch(Dir.Path(), FILE_NOTIFY_CHANGE_FILE_NAME, Slot, false));
  EXPECT_EQ(Slot, 0);  // the freed slot is used again
  std::ofstream(Dir / "file2") << "x";
  EXPECT_TRUE(WaitForNotice());
  EXPECT_FALSE(T.AddWatch("", FILE_NOTIFY_CHANGE_FILE_NAME, Slot, false));
  EXPECT_FALSE(T.AddWatch(Dir / "missing", FILE_NOTIFY_CHANGE_FILE_NAME, Slot, false));
}

TEST_F(ChangeThread, SixtyThreeWatchesFitTheSixtyFourthDoesNot) {
  TChangeHandlerThread T(Wnd, Notice);
  int Slot = -1;
  for (int I = 0; I < TChangeHandlerThread::SlotCount; ++I) {
    const std::string Sub = Dir / ("d" + std::to_string(I));
    mkdir(Sub.c_str(), 0700);
    ASSERT_TRUE(T.AddWatch(Sub, FILE_NOTIFY_CHANGE_DIR_NAME, Slot, false)) << I;
    EXPECT_EQ(Slot, I);
  }
  EXPECT_FALSE(T.AddWatch(Dir.Path(), FILE_NOTIFY_CHANGE_DIR_NAME, Slot, false));
  mkdir((Dir / "d5/x").c_str(), 0700);
  ASSERT_TRUE(WaitForNotice());
  EXPECT_EQ(Slots.back(), 5);
}

TEST_F(ChangeThread, EndsCleanlyWhileTheFolderKeepsChanging) {
  std::atomic<bool> Stop{false};
  std::thread Writer([&] {
    for (int I = 0; !Stop; ++I) {
      std::ofstream(Dir / ("f" + std::to_string(I % 50))) << I;
    }
  });
  {
    TChangeHandlerThread T(Wnd, Notice);
    int Slot = -1;
    ASSERT_TRUE(T.AddWatch(Dir.Path(), FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME, Slot, true));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  Stop = true;
  Writer.join();
  // A watched folder that goes away is dropped by the worker, which keeps running.
  TChangeHandlerThread T(Wnd, Notice);
  mkdir((Dir / "gone").c_str(), 0700);
  int Slot = -1;
  ASSERT_TRUE(T.AddWatch(Dir / "gone", FILE_NOTIFY_CHANGE_DIR_NAME, Slot, false));
  rmdir((Dir / "gone").c_str());
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_TRUE(T.AddWatch(Dir.Path(), FILE_NOTIFY_CHANGE_DIR_NAME, Slot, false));
  EXPECT_EQ(Slot, 0);
}

}  // namespace
