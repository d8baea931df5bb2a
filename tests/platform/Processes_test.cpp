// Child processes: standard output to a file handle, the working folder, waiting, exit codes and start failures;
// identifiers and their text form.
#include "platform/win/Files.h"
#include "platform/win/Guids.h"
#include "platform/win/Processes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

TEST(Processes, OutputFolderWaitAndExitCode) {
  TestSupport::TTempFolder Temp("zubq-proc");
  std::ofstream(Temp / "run.sh") << "pwd\necho \"$1\"\nsleep 0.3\nexit 5\n";
  SECURITY_ATTRIBUTES Inherit;
  Inherit.bInheritHandle = TRUE;
  const HANDLE Out = CreateFile((Temp / "out.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &Inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(Out, INVALID_HANDLE_VALUE);
  STARTUPINFO Startup;
  Startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  Startup.hStdOutput = Out;
  PROCESS_INFORMATION Info;
  std::string Line = "\"" + (Temp / "run.sh") + "\" \"two words\"";
  ASSERT_TRUE(
      CreateProcess(nullptr, Line.data(), nullptr, nullptr, TRUE, 0, nullptr, Temp.Path().c_str(), &Startup, &Info));
  DWORD Code = 0;
  ASSERT_TRUE(GetExitCodeProcess(Info.hProcess, &Code));
  EXPECT_EQ(Code, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(Info.hProcess, 10000), WAIT_OBJECT_0);
  ASSERT_TRUE(GetExitCodeProcess(Info.hProcess, &Code));
  EXPECT_EQ(Code, 5u);
  EXPECT_TRUE(CloseHandle(Info.hProcess));
  EXPECT_TRUE(CloseHandle(Out));
  std::ifstream In(Temp / "out.txt");
  std::stringstream S;
  S << In.rdbuf();
  EXPECT_EQ(S.str(), Temp.Path() + "\ntwo words\n");

  std::string Missing = "/no/such/program";
  EXPECT_FALSE(CreateProcess(nullptr, Missing.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Startup, &Info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  std::string True = "true";
  EXPECT_FALSE(
      CreateProcess(nullptr, True.data(), nullptr, nullptr, FALSE, 0, nullptr, "/no/such/folder", &Startup, &Info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
}

TEST(Guids, RandomVersionFourAndTheRegistryTextForm) {
  std::set<std::string> Seen;
  for (int I = 0; I < 20; ++I) {
    GUID G;
    ASSERT_EQ(CoCreateGuid(&G), S_OK);
    const std::string Text = GUIDToString(G);
    EXPECT_EQ(Text[15], '4');
    EXPECT_NE(std::string("89AB").find(Text[20]), std::string::npos);
    GUID Back;
    ASSERT_TRUE(StringToGUID(Text, Back));
    EXPECT_TRUE(IsEqualGUID(G, Back));
    Seen.insert(Text);
  }
  EXPECT_EQ(Seen.size(), 20u);
  char Small[10];
  EXPECT_EQ(StringFromGUID2(GUID{}, Small, sizeof Small), 0);
  GUID G;
  EXPECT_FALSE(StringToGUID("{12345678-1234-1234-1234-12345678901}", G));
  EXPECT_FALSE(StringToGUID("{12345678-1234-1234-1234-12345678901G}", G));
}
