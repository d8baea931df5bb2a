// Write batches of the registry store: one durable write per batch, reads that see the batch, nesting, refusals,
// and a process killed inside a batch.
#include "platform/win/RegistryStore.h"
#include "tests/support/TempFolder.h"
#include "platform/win/WinReg.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& P) {
  std::ifstream In(P, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

class RegistryBatch : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = Temp.Path();
    setenv("ZUBQ_REGISTRY_DIR", Dir.c_str(), 1);
    unsetenv("ZUBQ_REGISTRY_READONLY");
    RegistryResetForTests();
  }
  void TearDown() override {
    RegistryResetForTests();
  }
  TestSupport::TTempFolder Temp{"zubq-regbatch"};

  static LONG SetInt(const char* Name, DWORD Value) {
    HKEY K = 0;
    LONG R = RegCreateKeyEx(HKEY_CURRENT_USER, "Batch", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &K, nullptr);
    if (R == ERROR_SUCCESS) {
      R = RegSetValueEx(K, Name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Value), sizeof Value);
      RegCloseKey(K);
    }
    return R;
  }
  static DWORD GetInt(const char* Name) {
    HKEY K = 0;
    DWORD Value = 0xFFFFFFFF;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "Batch", 0, KEY_READ, &K) == ERROR_SUCCESS) {
      DWORD Size = sizeof Value;
      RegQueryValueEx(K, Name, nullptr, nullptr, reinterpret_cast<BYTE*>(&Value), &Size);
      RegCloseKey(K);
    }
    return Value;
  }
  std::string Hive() const { return ReadFile(fs::path(Dir) / "HKCU.reg"); }
  ino_t HiveInode() const {
    struct stat St {};
    return stat((fs::path(Dir) / "HKCU.reg").c_str(), &St) == 0 ? St.st_ino : 0;
  }

  std::string Dir;
};

}  // namespace

TEST_F(RegistryBatch, WritesReachTheFileOnceAtTheEnd) {
  ASSERT_EQ(SetInt("Before", 1), ERROR_SUCCESS);
  const std::string Old = Hive();
  const ino_t OldInode = HiveInode();
  {
    TRegistryWriteBatch Batch;
    for (DWORD I = 0; I < 50; ++I) {
      ASSERT_EQ(SetInt(("V" + std::to_string(I)).c_str(), I), ERROR_SUCCESS);
    }
    EXPECT_EQ(GetInt("V49"), 49u);  // the batch's own reads see its changes
    EXPECT_EQ(Hive(), Old);          // the file does not
    EXPECT_EQ(HiveInode(), OldInode);
    {
      TRegistryWriteBatch Inner;
      ASSERT_EQ(SetInt("Inner", 7), ERROR_SUCCESS);
      EXPECT_EQ(Inner.End(), ERROR_SUCCESS);
    }
    EXPECT_EQ(Hive(), Old);  // only the outermost end writes
    EXPECT_EQ(Batch.End(), ERROR_SUCCESS);
  }
  EXPECT_NE(HiveInode(), OldInode);
  RegistryResetForTests();  // read the file afresh
  EXPECT_EQ(GetInt("Before"), 1u);
  EXPECT_EQ(GetInt("V0"), 0u);
  EXPECT_EQ(GetInt("V49"), 49u);
  EXPECT_EQ(GetInt("Inner"), 7u);
}

TEST_F(RegistryBatch, ABatchWithoutChangesWritesNothing) {
  ASSERT_EQ(SetInt("Before", 1), ERROR_SUCCESS);
  const ino_t OldInode = HiveInode();
  TRegistryWriteBatch Batch;
  EXPECT_EQ(GetInt("Before"), 1u);
  EXPECT_EQ(Batch.End(), ERROR_SUCCESS);
  EXPECT_EQ(HiveInode(), OldInode);
}

TEST_F(RegistryBatch, ReadOnlyHiveRefusesEachChange) {
  RegistrySetReadOnly(HKEY_CURRENT_USER, true);
  TRegistryWriteBatch Batch;
  EXPECT_EQ(SetInt("V", 1), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Batch.End(), ERROR_SUCCESS);
  EXPECT_FALSE(fs::exists(fs::path(Dir) / "HKCU.reg"));
}

TEST_F(RegistryBatch, AFailedWriteAtTheEndDropsTheChanges) {
  ASSERT_EQ(SetInt("Before", 1), ERROR_SUCCESS);
  const std::string Old = Hive();
  TRegistryWriteBatch Batch;
  ASSERT_EQ(SetInt("Lost", 2), ERROR_SUCCESS);
  // A folder where the new hive text would be written makes the write fail, for every user.
  const fs::path Blocker = fs::path(Dir) / "HKCU.reg.tmp";
  fs::create_directory(Blocker);
  EXPECT_EQ(Batch.End(), ERROR_CANTWRITE);
  fs::remove(Blocker);
  EXPECT_EQ(Hive(), Old);
  EXPECT_EQ(GetInt("Before"), 1u);
  EXPECT_EQ(GetInt("Lost"), 0xFFFFFFFFu);
}

TEST_F(RegistryBatch, ProcessKilledInsideABatchLeavesThePreviousState) {
  ASSERT_EQ(SetInt("Before", 1), ERROR_SUCCESS);
  const std::string Old = Hive();
  for (const bool Finish : {false, true}) {
    SCOPED_TRACE(Finish ? "ended" : "killed");
    const pid_t Child = fork();
    ASSERT_GE(Child, 0);
    if (Child == 0) {
      RegistryResetForTests();
      RegBeginWriteBatch();
      for (DWORD I = 0; I < 100; ++I) {
        SetInt(("V" + std::to_string(I)).c_str(), I);
      }
      if (Finish) {
        RegEndWriteBatch();
      }
      _exit(0);  // without an end: as if killed
    }
    int Status = 0;
    ASSERT_EQ(waitpid(Child, &Status, 0), Child);
    RegistryResetForTests();
    if (Finish) {
      EXPECT_EQ(GetInt("V99"), 99u);
      EXPECT_EQ(GetInt("Before"), 1u);
    } else {
      EXPECT_EQ(Hive(), Old);
      EXPECT_EQ(GetInt("V0"), 0xFFFFFFFFu);
    }
  }
}
