// The registry functions and the hive store: value round trips, names, deletes, enumeration, rights, damaged
// files, two processes and a process killed while writing.
#include "platform/win/RegistryStore.h"
#include "platform/win/WinReg.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <thread>

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

void WriteFile(const fs::path& P, const std::string& Text) {
  std::ofstream Out(P, std::ios::binary | std::ios::trunc);
  Out << Text;
}

class Registry : public ::testing::Test {
protected:
  TestSupport::TTempFolder Temp{"zubq-registry"};
  void SetUp() override {
    Dir = Temp.Path();
    setenv("ZUBQ_REGISTRY_DIR", Dir.c_str(), 1);
    unsetenv("ZUBQ_REGISTRY_READONLY");
    RegistryResetForTests();
  }
  void TearDown() override {
    unsetenv("ZUBQ_REGISTRY_READONLY");
    RegistryResetForTests();
  }

  HKEY Create(HKEY Root, const char* Path, DWORD* Disposition = nullptr) {
    HKEY Key = 0;
    EXPECT_EQ(RegCreateKeyEx(Root, Path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &Key,
                             Disposition),
              ERROR_SUCCESS);
    return Key;
  }
  static LONG SetString(HKEY Key, const char* Name, const std::string& S) {
    return RegSetValueEx(Key, Name, 0, REG_SZ, reinterpret_cast<const BYTE*>(S.c_str()),
                         static_cast<DWORD>(S.size() + 1));
  }
  static std::string QueryData(HKEY Key, const char* Name, DWORD* Type = nullptr) {
    DWORD Size = 0;
    if (RegQueryValueEx(Key, Name, nullptr, Type, nullptr, &Size) != ERROR_SUCCESS) {
      return "<missing>";
    }
    std::string Data(Size, '\0');
    EXPECT_EQ(RegQueryValueEx(Key, Name, nullptr, Type, reinterpret_cast<BYTE*>(Data.data()), &Size),
              ERROR_SUCCESS);
    Data.resize(Size);
    return Data;
  }

  std::string Dir;
};

struct TValueCase {
  const char* Name;
  DWORD Type;
  std::string Data;
};

std::string AllBytes() {
  std::string S;
  for (int I = 0; I < 256; ++I) {
    S += static_cast<char>(I);
  }
  return S;
}

TEST_F(Registry, EveryValueTypeRoundTripsThroughTheHiveFile) {
  const std::string Dword42("\x2a\0\0\0", 4);
  const TValueCase Cases[] = {
      {"Text", REG_SZ, std::string("caf\xe9 \"quoted\" back\\slash\ttab\nline\x01\x7f") + '\0'},
      {"", REG_SZ, std::string("the default value") + '\0'},
      {"Empty", REG_SZ, std::string(1, '\0')},
      {"Embedded NUL", REG_SZ, std::string("a\0b\0", 4)},
      {"No terminator", REG_SZ, "abc"},
      {"Path", REG_EXPAND_SZ, std::string("%HOME%\\bin") + '\0'},
      {"Count", REG_DWORD, Dword42},
      {"Short dword", REG_DWORD, std::string("\x01\x02", 2)},
      {"Blob", REG_BINARY, AllBytes()},
      {"Nothing", REG_BINARY, ""},
      {"List", REG_MULTI_SZ, std::string("one\0two\0\0", 9)},
      {"None", REG_NONE, ""},
      {"Quad", REG_QWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)},
      {"Odd \x01 name \xe9=\"", REG_SZ, std::string("x") + '\0'},
  };
  HKEY Key = Create(HKEY_CURRENT_USER, "Software\\ZUB\\Values");
  for (const TValueCase& C : Cases) {
    ASSERT_EQ(RegSetValueEx(Key, C.Name, 0, C.Type, reinterpret_cast<const BYTE*>(C.Data.data()),
                            static_cast<DWORD>(C.Data.size())),
              ERROR_SUCCESS)
        << C.Name;
  }
  EXPECT_EQ(RegCloseKey(Key), ERROR_SUCCESS);

  // The file is readable text.
  const std::string Text = ReadFile(fs::path(Dir) / "HKCU.reg");
  EXPECT_NE(Text.find("[Software\\ZUB\\Values]\n"), std::string::npos) << Text;
  EXPECT_NE(Text.find("\"Count\"=dword:0000002a\n"), std::string::npos) << Text;
  EXPECT_NE(Text.find("@=sz:\"the default value\"\n"), std::string::npos) << Text;
  EXPECT_NE(Text.find("\"Path\"=expand:\"%HOME%\\\\bin\"\n"), std::string::npos) << Text;

  // A fresh store (as another process) reads every value back byte for byte.
  RegistryResetForTests();
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\ZUB\\Values", 0, KEY_READ, &Key), ERROR_SUCCESS);
  for (const TValueCase& C : Cases) {
    DWORD Type = 0xDEAD;
    EXPECT_EQ(QueryData(Key, C.Name, &Type), C.Data) << C.Name;
    EXPECT_EQ(Type, C.Type) << C.Name;
  }
  RegCloseKey(Key);
}

TEST_F(Registry, WritingAValueItAlreadyHoldsLeavesTheHiveFileAlone) {
  HKEY Key = Create(HKEY_CURRENT_USER, "Software\\ZUB");
  ASSERT_EQ(SetString(Key, "Same", "4"), ERROR_SUCCESS);
  const fs::path File = fs::path(Dir) / "HKCU.reg";
  struct stat Before {};
  ASSERT_EQ(stat(File.c_str(), &Before), 0);
  ASSERT_EQ(SetString(Key, "Same", "4"), ERROR_SUCCESS);
  struct stat After {};
  ASSERT_EQ(stat(File.c_str(), &After), 0);
  EXPECT_EQ(After.st_ino, Before.st_ino);  // no atomic rewrite replaced the file
  ASSERT_EQ(SetString(Key, "Same", "5"), ERROR_SUCCESS);
  EXPECT_EQ(QueryData(Key, "Same"), std::string("5", 2));
  ASSERT_EQ(stat(File.c_str(), &After), 0);
  EXPECT_NE(After.st_ino, Before.st_ino);
  RegCloseKey(Key);
}

TEST_F(Registry, QueryValueSizesFollowTheBufferProtocol) {
  HKEY Key = Create(HKEY_CURRENT_USER, "Software\\ZUB");
  ASSERT_EQ(SetString(Key, "Name", "hello"), ERROR_SUCCESS);

  DWORD Type = 0;
  DWORD Size = 0;
  EXPECT_EQ(RegQueryValueEx(Key, "Name", nullptr, &Type, nullptr, &Size), ERROR_SUCCESS);
  EXPECT_EQ(Type, REG_SZ);
  EXPECT_EQ(Size, 6u);  // the terminating NUL counts

  char Buf[16] = {};
  Size = 3;
  EXPECT_EQ(RegQueryValueEx(Key, "Name", nullptr, &Type, reinterpret_cast<BYTE*>(Buf), &Size), ERROR_MORE_DATA);
  EXPECT_EQ(Size, 6u);
  Size = 6;
  EXPECT_EQ(RegQueryValueEx(Key, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(Buf), &Size), ERROR_SUCCESS);
  EXPECT_STREQ(Buf, "hello");

  EXPECT_EQ(RegQueryValueEx(Key, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(Buf), nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueEx(Key, "Missing", nullptr, &Type, nullptr, &Size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueEx(Key, nullptr, nullptr, &Type, nullptr, &Size), ERROR_FILE_NOT_FOUND);  // no default
  EXPECT_EQ(RegQueryValueEx(0x12345, "Name", nullptr, &Type, nullptr, &Size), ERROR_INVALID_HANDLE);
  RegCloseKey(Key);
}

TEST_F(Registry, NamesMatchWithoutCaseAndKeepTheirCase) {
  HKEY Key = Create(HKEY_CURRENT_USER, "Software\\MyApp\\\xc4rger");
  ASSERT_EQ(SetString(Key, "MixedCase", "1"), ERROR_SUCCESS);
  ASSERT_EQ(SetString(Key, "MIXEDCASE", "2"), ERROR_SUCCESS);  // the same value
  RegCloseKey(Key);

  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\myapp\\\xe4RGER", 0, KEY_READ, &Key), ERROR_SUCCESS);
  EXPECT_EQ(QueryData(Key, "mixedcase"), std::string("2") + '\0');
  char Name[64];
  DWORD NameLen = sizeof Name;
  ASSERT_EQ(RegEnumValue(Key, 0, Name, &NameLen, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_STREQ(Name, "MixedCase");
  EXPECT_EQ(RegEnumValue(Key, 1, Name, &NameLen, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  RegCloseKey(Key);

  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "software", 0, KEY_READ, &Key), ERROR_SUCCESS);
  NameLen = sizeof Name;
  ASSERT_EQ(RegEnumKeyEx(Key, 0, Name, &NameLen, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_STREQ(Name, "MyApp");
  RegCloseKey(Key);
}

TEST_F(Registry, OpenAndCreateReportMissingKeysAndDispositions) {
  HKEY Key = 0x77;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Missing", 0, KEY_READ, &Key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Key, 0u);

  DWORD Disposition = 0;
  Key = Create(HKEY_CURRENT_USER, "A\\B\\C\\", &Disposition);
  EXPECT_EQ(Disposition, REG_CREATED_NEW_KEY);
  RegCloseKey(Key);
  Key = Create(HKEY_CURRENT_USER, "a\\b\\c", &Disposition);
  EXPECT_EQ(Disposition, REG_OPENED_EXISTING_KEY);

  // Opening relative to an open key; the intermediate keys exist.
  HKEY A = 0;
  HKEY B = 0;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "A", 0, KEY_READ, &A), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyEx(A, "B", 0, KEY_READ, &B), ERROR_SUCCESS);
  EXPECT_NE(A, B);
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "\\Lead", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &B, nullptr),
            ERROR_BAD_PATHNAME);
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, std::string(256, 'x').c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                           nullptr, &B, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(A), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(A), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
  RegCloseKey(Key);

  // HKEY_USERS holds the default user.
  EXPECT_EQ(RegOpenKeyEx(HKEY_USERS, ".DEFAULT", 0, KEY_READ, &Key), ERROR_SUCCESS);
  RegCloseKey(Key);
}

TEST_F(Registry, DeleteKeyRefusesAKeyWithSubKeys) {
  HKEY Key = Create(HKEY_CURRENT_USER, "Parent\\Child");
  ASSERT_EQ(SetString(Key, "V", "x"), ERROR_SUCCESS);

  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Parent"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Parent\\Nobody"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "PARENT\\CHILD"), ERROR_SUCCESS);
  // The open handle names a deleted key now.
  DWORD Size = 0;
  EXPECT_EQ(RegQueryValueEx(Key, "V", nullptr, nullptr, nullptr, &Size), ERROR_KEY_DELETED);
  EXPECT_EQ(RegSetValueEx(Key, "V", 0, REG_BINARY, nullptr, 0), ERROR_KEY_DELETED);
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Parent"), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Parent", 0, KEY_READ, &Key), ERROR_FILE_NOT_FOUND);

  Key = Create(HKEY_CURRENT_USER, "Other");
  ASSERT_EQ(SetString(Key, "V", "x"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValue(Key, "v"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValue(Key, "v"), ERROR_FILE_NOT_FOUND);
  RegCloseKey(Key);
}

TEST_F(Registry, EnumerationAndKeyInfo) {
  HKEY Key = Create(HKEY_CURRENT_USER, "Enum");
  for (const char* Sub : {"beta", "Alpha", "GAMMA"}) {
    HKEY S = 0;
    ASSERT_EQ(RegCreateKey(Key, Sub, &S), ERROR_SUCCESS);
    RegCloseKey(S);
  }
  ASSERT_EQ(SetString(Key, "Zulu", "1"), ERROR_SUCCESS);
  ASSERT_EQ(SetString(Key, "LongerName", "12345678"), ERROR_SUCCESS);

  std::vector<std::string> Names;
  char Name[16];
  for (DWORD I = 0;; ++I) {
    DWORD Len = sizeof Name;
    const LONG R = RegEnumKeyEx(Key, I, Name, &Len, nullptr, nullptr, nullptr, nullptr);
    if (R == ERROR_NO_MORE_ITEMS) {
      break;
    }
    ASSERT_EQ(R, ERROR_SUCCESS);
    EXPECT_EQ(Len, std::strlen(Name));
    Names.push_back(Name);
  }
  EXPECT_EQ(Names, (std::vector<std::string>{"Alpha", "beta", "GAMMA"}));
  DWORD Len = 5;  // "Alpha" needs room for its NUL
  EXPECT_EQ(RegEnumKeyEx(Key, 0, Name, &Len, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);

  // Values come in creation order, with type and data.
  DWORD Type = 0;
  BYTE Data[4];
  DWORD DataLen = sizeof Data;
  Len = sizeof Name;
  EXPECT_EQ(RegEnumValue(Key, 1, Name, &Len, nullptr, &Type, Data, &DataLen), ERROR_MORE_DATA);
  EXPECT_EQ(DataLen, 9u);
  Len = sizeof Name;
  DataLen = sizeof Data;
  EXPECT_EQ(RegEnumValue(Key, 0, Name, &Len, nullptr, &Type, Data, &DataLen), ERROR_SUCCESS);
  EXPECT_STREQ(Name, "Zulu");
  EXPECT_EQ(DataLen, 2u);

  DWORD SubKeys = 0, MaxSub = 0, Values = 0, MaxValueName = 0, MaxValue = 0;
  FILETIME Time;
  ASSERT_EQ(RegQueryInfoKey(Key, nullptr, nullptr, nullptr, &SubKeys, &MaxSub, nullptr, &Values, &MaxValueName,
                            &MaxValue, nullptr, &Time),
            ERROR_SUCCESS);
  EXPECT_EQ(SubKeys, 3u);
  EXPECT_EQ(MaxSub, 5u);
  EXPECT_EQ(Values, 2u);
  EXPECT_EQ(MaxValueName, 10u);
  EXPECT_EQ(MaxValue, 9u);
  EXPECT_NE(Time.dwHighDateTime, 0u);
  RegCloseKey(Key);
}

TEST_F(Registry, HandlesKeepTheRightsTheyWereOpenedWith) {
  RegCloseKey(Create(HKEY_CURRENT_USER, "Rights"));
  HKEY Key = 0;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Rights", 0, KEY_READ, &Key), ERROR_SUCCESS);
  EXPECT_EQ(SetString(Key, "V", "x"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValue(Key, "V"), ERROR_ACCESS_DENIED);
  HKEY Sub = 0;
  EXPECT_EQ(RegCreateKeyEx(Key, "Sub", 0, nullptr, 0, KEY_READ, nullptr, &Sub, nullptr), ERROR_ACCESS_DENIED);
  RegCloseKey(Key);
}

TEST_F(Registry, ReadOnlySwitchDeniesChangesToThatHiveOnly) {
  HKEY Key = Create(HKEY_LOCAL_MACHINE, "Software\\ZUB");
  ASSERT_EQ(SetString(Key, "InstallDir", "/opt/zub"), ERROR_SUCCESS);
  RegCloseKey(Key);

  setenv("ZUBQ_REGISTRY_READONLY", "HKLM", 1);
  RegistryResetForTests();
  EXPECT_TRUE(RegistryIsReadOnly(HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(RegistryIsReadOnly(HKEY_CURRENT_USER));
  EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "Software\\ZUB", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &Key,
                           nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\ZUB", 0, KEY_WRITE, &Key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(SetString(HKEY_LOCAL_MACHINE, "V", "x"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, "Software\\ZUB"), ERROR_ACCESS_DENIED);
  // Reading still works, and a handle opened with every allowed right may only read.
  ASSERT_EQ(RegOpenKey(HKEY_LOCAL_MACHINE, "Software\\ZUB", &Key), ERROR_SUCCESS);
  EXPECT_EQ(QueryData(Key, "InstallDir"), std::string("/opt/zub") + '\0');
  EXPECT_EQ(SetString(Key, "V", "x"), ERROR_ACCESS_DENIED);
  RegCloseKey(Key);
  EXPECT_EQ(SetString(HKEY_CURRENT_USER, "V", "x"), ERROR_SUCCESS);

  RegistrySetReadOnly(HKEY_LOCAL_MACHINE, false);
  RegistrySetReadOnly(HKEY_CURRENT_USER, true);
  EXPECT_EQ(SetString(HKEY_LOCAL_MACHINE, "V", "x"), ERROR_SUCCESS);
  EXPECT_EQ(SetString(HKEY_CURRENT_USER, "V", "y"), ERROR_ACCESS_DENIED);
}

struct TDamageCase {
  const char* Label;
  std::string Text;
  const char* Kept;  // the value of Software\A afterwards
};

TEST_F(Registry, DamagedHiveIsMovedAsideAndWhatCanBeReadIsKept) {
  const std::string Good = "ZUB Quillon registry hive 1\n[Software]\n\"A\"=sz:\"1\"\nend\n";
  const TDamageCase Cases[] = {
      {"foreign text", "this is not a hive\n", nullptr},
      {"cut short", Good.substr(0, Good.size() - 4), "1"},
      {"bad escape", "ZUB Quillon registry hive 1\n[Software]\n\"A\"=sz:\"\\q\"\nend\n", "<missing>"},
      {"bad dword", "ZUB Quillon registry hive 1\n[Software]\n\"A\"=dword:12\n\"B\"=sz:\"2\"\nend\n", "<missing>"},
      {"value before key", "ZUB Quillon registry hive 1\n\"A\"=sz:\"1\"\n[Software]\nend\n", "<missing>"},
      {"empty key name", "ZUB Quillon registry hive 1\n[Software\\\\X]\n\"Lost\"=sz:\"x\"\n[Software]\n\"A\"=sz:\"1\"\nend\n",
       "1"},
  };
  for (const TDamageCase& C : Cases) {
    SCOPED_TRACE(C.Label);
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    WriteFile(fs::path(Dir) / "HKCU.reg", C.Text);
    RegistryResetForTests();
    testing::internal::CaptureStderr();
    HKEY Key = 0;
    const LONG Opened = RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &Key);
    const std::string Err = testing::internal::GetCapturedStderr();
    EXPECT_NE(Err.find("HKCU.reg"), std::string::npos);
    ASSERT_EQ(RegistryCorruptHives().size(), 1u);
    if (C.Kept == nullptr) {
      EXPECT_EQ(Opened, ERROR_FILE_NOT_FOUND);  // nothing of it could be read
    } else {
      ASSERT_EQ(Opened, ERROR_SUCCESS);
      EXPECT_EQ(QueryData(Key, "A"), C.Kept == std::string("<missing>") ? C.Kept : std::string(C.Kept) + '\0');
      RegCloseKey(Key);
    }

    // The damaged text is kept under a new name, and the hive works again.
    std::vector<fs::path> Aside;
    for (const auto& E : fs::directory_iterator(Dir)) {
      if (E.path().filename().string().rfind("HKCU.reg.corrupt-", 0) == 0) {
        Aside.push_back(E.path());
      }
    }
    ASSERT_EQ(Aside.size(), 1u);
    EXPECT_EQ(ReadFile(Aside[0]), C.Text);
    EXPECT_NE(RegistryCorruptHives()[0].find(Aside[0].filename().string()), std::string::npos);
    EXPECT_EQ(SetString(HKEY_CURRENT_USER, "New", "1"), ERROR_SUCCESS);
    EXPECT_EQ(ReadFile(Aside[0]), C.Text);
    // Read again from the file: no further report, and what was kept is still there.
    RegistryResetForTests();
    HKEY Again = 0;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &Again),
              C.Kept == nullptr ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS);
    if (Again != 0) {
      RegCloseKey(Again);
    }
    EXPECT_TRUE(RegistryCorruptHives().empty());
  }

  // The good text parses, with CR LF line ends and comments too.
  TRegStoreKey Root;
  std::string Error;
  EXPECT_TRUE(RegParseHive(Good, Root, Error)) << Error;
  EXPECT_TRUE(RegParseHive("ZUB Quillon registry hive 1\r\n; note\r\n[X]\r\n@=hex(7):61,00\r\nend\r\n", Root, Error))
      << Error;
}

// Key names holding the separator or the escape character, as hive files may carry them: an ordinary change
// writes them back escaped, and the next start reads the same single keys (no nesting, nothing set aside).
TEST_F(Registry, KeyNamesWithBackslashOrPercentSurviveAChangeAndARestart) {
  struct TCase {
    const char* File;
    std::string Name;   // the one sub key of the root
    std::string Value;  // its value "x", "" when none
  };
  const TCase Cases[] = {
      {"registry-key-name-backslash-nested.reg", "a\\b", std::string("1\0", 2)},
      {"registry-key-name-backslash.reg", "\\", ""},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.File);
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    fs::copy_file(fs::path(ZUBQ_TEST_DATA_DIR) / "regressions" / C.File, fs::path(Dir) / "HKCU.reg");
    for (int Round = 0; Round < 2; ++Round) {
      RegistryResetForTests();
      EXPECT_EQ(SetString(HKEY_CURRENT_USER, "Round", std::to_string(Round)), ERROR_SUCCESS);
      EXPECT_TRUE(RegistryCorruptHives().empty());
      RegReadHive(HKEY_CURRENT_USER, [&](const TRegStoreKey& Root) {
        EXPECT_EQ(Root.SubKeys.size(), 1u);
        const TRegStoreKey* Key = Root.FindSubKey(C.Name);
        EXPECT_NE(Key, nullptr);
        if (Key != nullptr) {
          EXPECT_TRUE(Key->SubKeys.empty());
          const TRegStoreValue* X = Key->FindValue("x");
          EXPECT_EQ(X != nullptr ? X->Data : std::string(), C.Value);
        }
        return ERROR_SUCCESS;
      });
    }
  }
  // Every byte the reader unescapes in a key name is written escaped, so any name reads back as itself.
  TRegStoreKey Root;
  for (int B = 1; B < 256; ++B) {
    const std::string Name = "k" + std::string(1, static_cast<char>(B)) + "%5c";
    auto Key = std::make_unique<TRegStoreKey>();
    Key->Name = Name;
    Root.SubKeys[RegFoldName(Name)] = std::move(Key);
  }
  TRegStoreKey Back;
  std::string Error;
  ASSERT_TRUE(RegParseHive(RegFormatHive(Root), Back, Error)) << Error;
  EXPECT_EQ(RegFormatHive(Back), RegFormatHive(Root));
  EXPECT_EQ(Back.SubKeys.size(), Root.SubKeys.size());
}

// A hive with damaged lines among good ones: every good key and value stays, the report names each line left out.
TEST_F(Registry, OneBadLineCostsOnlyThatLine) {
  const std::string Text = "ZUB Quillon registry hive 1\n"
                           "[Software\\Good]\n\"a\"=sz:\"1\"\n\"bad\"=nonsense\n\"b\"=dword:00000002\n"
                           "[Software\\\\Broken]\n\"lost\"=sz:\"x\"\n"
                           "[Software\\Later]\n\"c\"=hex:01,02\n"
                           "stray text\n"
                           "end\n";
  TRegStoreKey Strict;
  std::string Error;
  EXPECT_FALSE(RegParseHive(Text, Strict, Error));
  TRegStoreKey Kept;
  std::vector<std::string> Dropped;
  ASSERT_TRUE(RegParseHive(Text, Kept, Error, &Dropped));
  EXPECT_EQ(Dropped, (std::vector<std::string>{"malformed value in line 4", "malformed key in line 6",
                                                "value without its key in line 7", "unknown line in line 10"}));

  WriteFile(fs::path(Dir) / "HKCU.reg", Text);
  RegistryResetForTests();
  testing::internal::CaptureStderr();
  HKEY Good = 0;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Good", 0, KEY_READ, &Good), ERROR_SUCCESS);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(QueryData(Good, "a"), std::string("1\0", 2));
  EXPECT_EQ(QueryData(Good, "b").size(), 4u);
  EXPECT_EQ(QueryData(Good, "bad"), "<missing>");
  RegCloseKey(Good);
  HKEY Later = 0;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Later", 0, KEY_READ, &Later), ERROR_SUCCESS);
  EXPECT_EQ(QueryData(Later, "c"), "\x01\x02");
  RegCloseKey(Later);
  ASSERT_EQ(RegistryCorruptHives().size(), 1u);
  const std::string Report = RegistryCorruptHives()[0];
  for (const std::string& D : Dropped) {
    EXPECT_NE(Report.find(D), std::string::npos) << Report;
  }
  // The hive file holds the kept part now; the original is beside it.
  TRegStoreKey OnDisk;
  ASSERT_TRUE(RegParseHive(ReadFile(fs::path(Dir) / "HKCU.reg"), OnDisk, Error)) << Error;
  EXPECT_EQ(RegFormatHive(OnDisk), RegFormatHive(Kept));
}

// Forks a child that runs Body and exits with its result (0 = success).
pid_t Spawn(const std::function<int()>& Body) {
  const pid_t Pid = fork();
  if (Pid == 0) {
    int Code = 1;
    try {
      Code = Body();
    } catch (...) {
    }
    _exit(Code);
  }
  return Pid;
}

int WaitExit(pid_t Pid) {
  int Status = 0;
  waitpid(Pid, &Status, 0);
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : 100 + WTERMSIG(Status);
}

TEST_F(Registry, TwoProcessesSeeEachOthersWritesAndLoseNone) {
  HKEY Key = Create(HKEY_CURRENT_USER, "Shared");
  ASSERT_EQ(SetString(Key, "Turn", "parent"), ERROR_SUCCESS);
  RegCloseKey(Key);

  // The child has the parent's cached hive; it must notice the parent's later change once it opens the key again.
  const pid_t Child = Spawn([] {
    for (int I = 0; I < 500; ++I) {
      HKEY K = 0;
      if (RegOpenKeyEx(HKEY_CURRENT_USER, "Shared", 0, KEY_ALL_ACCESS, &K) != ERROR_SUCCESS) {
        return 2;
      }
      const bool Seen = QueryData(K, "Turn") == std::string("child") + '\0';
      if (Seen) {
        const LONG R = SetString(K, "Answer", "from child");
        RegCloseKey(K);
        return R == ERROR_SUCCESS ? 0 : 3;
      }
      RegCloseKey(K);
      usleep(10000);
    }
    return 4;
  });
  usleep(20000);
  Key = Create(HKEY_CURRENT_USER, "Shared");
  ASSERT_EQ(SetString(Key, "Turn", "child"), ERROR_SUCCESS);
  RegCloseKey(Key);
  ASSERT_EQ(WaitExit(Child), 0);
  Key = Create(HKEY_CURRENT_USER, "Shared");
  EXPECT_EQ(QueryData(Key, "Answer"), std::string("from child") + '\0');
  RegCloseKey(Key);

  // Two writers at once, each through its own stale copy: every value of both arrives.
  const int Count = 40;
  const auto Writer = [](char Prefix) {
    return [Prefix] {
      for (int I = 0; I < Count; ++I) {
        HKEY K = 0;
        if (RegCreateKeyEx(HKEY_CURRENT_USER, "Shared", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &K, nullptr) !=
            ERROR_SUCCESS) {
          return 2;
        }
        const std::string Name = std::string(1, Prefix) + std::to_string(I);
        if (SetString(K, Name.c_str(), Name) != ERROR_SUCCESS) {
          return 3;
        }
        RegCloseKey(K);
      }
      return 0;
    };
  };
  const pid_t A = Spawn(Writer('A'));
  const pid_t B = Spawn(Writer('B'));
  ASSERT_EQ(WaitExit(A), 0);
  ASSERT_EQ(WaitExit(B), 0);
  Key = Create(HKEY_CURRENT_USER, "Shared");
  for (const char Prefix : {'A', 'B'}) {
    for (int I = 0; I < Count; ++I) {
      const std::string Name = std::string(1, Prefix) + std::to_string(I);
      EXPECT_EQ(QueryData(Key, Name.c_str()), Name + '\0');
    }
  }
  RegCloseKey(Key);
}

TEST_F(Registry, ProcessKilledWhileWritingLeavesAWholeHive) {
  // Each write stores a counter and a payload derived from it; any state read back must be one whole write.
  const auto PayloadFor = [](int N) { return std::string(2000 + N % 500, static_cast<char>('a' + N % 26)); };
  std::mt19937 Random(12345);
  int Last = -1;
  for (int Round = 0; Round < 15; ++Round) {
    // The child says when its first write is on disk, so that the random delay before the kill falls among its
    // writes however slowly a busy machine starts it.
    int Written[2] = {-1, -1};
    ASSERT_EQ(pipe(Written), 0);
    const pid_t Child = Spawn([&] {
      close(Written[0]);
      RegistryResetForTests();
      HKEY K = 0;
      if (RegCreateKey(HKEY_CURRENT_USER, "Crash", &K) != ERROR_SUCCESS) {
        return 2;
      }
      DWORD N = 0;
      DWORD Size = sizeof N;
      RegQueryValueEx(K, "Counter", nullptr, nullptr, reinterpret_cast<BYTE*>(&N), &Size);
      for (;;) {
        ++N;
        const std::string Payload = PayloadFor(static_cast<int>(N));
        SetString(K, "Payload", Payload);
        RegSetValueEx(K, "Counter", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&N), sizeof N);
        if (Written[1] >= 0) {
          const char Byte = 'w';
          if (write(Written[1], &Byte, 1) != 1) {
            return 3;
          }
          close(Written[1]);
          Written[1] = -1;
        }
      }
    });
    close(Written[1]);
    char Byte = 0;
    const ssize_t Got = read(Written[0], &Byte, 1);  // 0 when the child ended without writing
    close(Written[0]);
    if (Got != 1) {
      kill(Child, SIGKILL);
      WaitExit(Child);
      FAIL() << "round " << Round << ": the child ended before its first write";
    }
    std::this_thread::sleep_for(std::chrono::microseconds(Random() % 10000));
    kill(Child, SIGKILL);
    EXPECT_EQ(WaitExit(Child), 100 + SIGKILL);

    const fs::path Hive = fs::path(Dir) / "HKCU.reg";
    ASSERT_TRUE(fs::exists(Hive)) << "round " << Round << ": the hive written before the kill has gone";
    const std::string Text = ReadFile(Hive);
    TRegStoreKey Root;
    std::string Error;
    ASSERT_TRUE(RegParseHive(Text, Root, Error)) << "round " << Round << ": " << Error;
    RegistryResetForTests();
    HKEY K = 0;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Crash", 0, KEY_READ, &K), ERROR_SUCCESS);
    DWORD N = 0;
    DWORD Size = sizeof N;
    if (RegQueryValueEx(K, "Counter", nullptr, nullptr, reinterpret_cast<BYTE*>(&N), &Size) == ERROR_SUCCESS) {
      // The payload is written first: it belongs to this counter or to the next one.
      const std::string Payload = QueryData(K, "Payload");
      EXPECT_TRUE(Payload == PayloadFor(static_cast<int>(N)) + '\0' ||
                  Payload == PayloadFor(static_cast<int>(N) + 1) + '\0');
      EXPECT_GE(static_cast<int>(N), Last);
      Last = static_cast<int>(N);
    }
    RegCloseKey(K);
    EXPECT_TRUE(RegistryCorruptHives().empty());
  }
  EXPECT_GT(Last, 0);
}

}  // namespace
