// Tests of ShellExecute (recorded and real), special folders, the user's name and the environment.
#include "platform/rtl/FileUtils.h"
#include "platform/win/Clock.h"
#include "platform/win/Shell.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Remembers environment variables and puts them back at the end of a test.
class TEnvGuard {
public:
  explicit TEnvGuard(std::initializer_list<const char*> Names) {
    for (const char* N : Names) {
      const char* V = std::getenv(N);
      Saved.push_back({N, V != nullptr, V ? V : ""});
    }
  }
  ~TEnvGuard() {
    for (const TSaved& S : Saved) {
      if (S.Had) {
        setenv(S.Name.c_str(), S.Value.c_str(), 1);
      } else {
        unsetenv(S.Name.c_str());
      }
    }
  }

private:
  struct TSaved {
    std::string Name;
    bool Had;
    std::string Value;
  };
  std::vector<TSaved> Saved;
};

class ShellTest : public ::testing::Test {
protected:
  TestSupport::TTempFolder Temp{"zubq-shell"};
  void SetUp() override {
    Root = Temp.Path();
    ClearShellExecuteRecords();
  }
  void TearDown() override { SetShellExecuteRecording(false); }
  void WriteFile(const std::string& Path, const std::string& Content, bool Executable = false) {
    std::ofstream(Path, std::ios::binary) << Content;
    if (Executable) {
      chmod(Path.c_str(), 0755);
    }
  }
  std::string Root;
};
}  // namespace

TEST_F(ShellTest, CallsAreRecordedNotRun) {
  SetShellExecuteRecording(true);
  WriteFile(Root + "/page.html", "<p>");
  WriteFile(Root + "/tool.sh", "#!/bin/sh\n", true);
  ASSERT_TRUE(CreateDir(Root + "/folder"));
  struct TCase {
    const char* Operation;
    std::string File;
    const char* Parameters;
    std::string Directory;
    int Result;
    const char* Action;
    std::string Program;
    std::vector<std::string> Arguments;
  };
  const TCase Cases[] = {
      {"open", "http://example.com/a?b=1", "", "", 42, "xdg-open", "xdg-open", {"http://example.com/a?b=1"}},
      {nullptr, "mailto:x@example.com", "", "", 42, "xdg-open", "xdg-open", {"mailto:x@example.com"}},
      {"open", Root + "/page.html", "", "", 42, "xdg-open", "xdg-open", {Root + "/page.html"}},
      {"open", "page.html", "", Root, 42, "xdg-open", "xdg-open", {Root + "/page.html"}},
      {"open", "tool.sh", "-x \"two words\" last", Root, 42, "spawn", Root + "/tool.sh",
       {"-x", "two words", "last"}},
      {"explore", Root + "/folder", "", "", 42, "xdg-open", "xdg-open", {Root + "/folder"}},
      {"open", Root + "/missing.html", "", "", ERROR_FILE_NOT_FOUND, "", "", {}},
      {"open", Root + "/nodir/missing.html", "", "", ERROR_PATH_NOT_FOUND, "", "", {}},
      {"open", "page.html", "", Root + "/nodir", ERROR_PATH_NOT_FOUND, "", "", {}},
      {"print", Root + "/page.html", "", "", SE_ERR_NOASSOC, "", "", {}},
      {"explore", Root + "/page.html", "", "", SE_ERR_NOASSOC, "", "", {}},
      {"open", "", "", "", ERROR_FILE_NOT_FOUND, "", "", {}},
  };
  for (const TCase& C : Cases) {
    ClearShellExecuteRecords();
    const int R = ShellExecuteResult(
        ShellExecute(0, C.Operation, C.File.c_str(), C.Parameters, C.Directory.c_str(), SW_SHOWNORMAL));
    EXPECT_EQ(R, C.Result) << C.File;
    const auto Records = ShellExecuteRecords();
    ASSERT_EQ(Records.size(), 1u) << C.File;
    EXPECT_EQ(Records[0].Action, C.Action) << C.File;
    EXPECT_EQ(Records[0].Program, C.Program) << C.File;
    EXPECT_EQ(Records[0].Arguments, C.Arguments) << C.File;
    EXPECT_EQ(Records[0].Result, C.Result) << C.File;
    EXPECT_EQ(Records[0].ShowCmd, SW_SHOWNORMAL);
  }
}

TEST_F(ShellTest, LogVariableRecordsIntoAFile) {
  TEnvGuard Env({"ZUBQ_SHELLEXECUTE_LOG"});
  const std::string Log = Root + "/calls.log";
  setenv("ZUBQ_SHELLEXECUTE_LOG", Log.c_str(), 1);
  EXPECT_TRUE(ShellExecuteRecording());
  EXPECT_GT(ShellExecuteResult(ShellExecute(0, "open", "https://example.org", nullptr, nullptr, SW_SHOW)), 32);
  EXPECT_EQ(ShellExecuteResult(ShellExecute(0, "edit", "https://example.org", nullptr, nullptr, SW_SHOW)),
            SE_ERR_NOASSOC);
  std::ifstream In(Log);
  std::string L1;
  std::string L2;
  std::getline(In, L1);
  std::getline(In, L2);
  EXPECT_EQ(L1, "open\thttps://example.org\t\t\t5\txdg-open\t42");
  EXPECT_EQ(L2, "edit\thttps://example.org\t\t\t5\t\t31");
}

TEST_F(ShellTest, StartsAProgramWithParametersInItsFolder) {
  const std::string Out = Root + "/out.txt";
  WriteFile(Root + "/tool.sh", "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > out.tmp\nmv out.tmp out.txt\n",
            true);
  const int R = ShellExecuteResult(
      ShellExecute(0, "open", (Root + "/tool.sh").c_str(), "one \"two three\"", Root.c_str(), SW_HIDE));
  ASSERT_GT(R, 32);
  // The program runs on its own; give it a while (on the real clock) to write its answer, generously: a busy
  // machine may take seconds to start a shell.
  for (int I = 0; I < 6000 && access(Out.c_str(), F_OK) != 0; ++I) {
    Sleep(10);
  }
  std::ifstream In(Out);
  std::string Text((std::istreambuf_iterator<char>(In)), {});
  EXPECT_EQ(Text, Root + "\n[one]\n[two three]\n");

  EXPECT_EQ(ShellExecuteResult(ShellExecute(0, "open", (Root + "/missing").c_str(), nullptr, nullptr, SW_SHOW)),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(ShellTest, SpecialFoldersFollowTheXdgFolders) {
  TEnvGuard Env({"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"});
  setenv("HOME", Root.c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("XDG_DATA_HOME");
  setenv("XDG_CACHE_HOME", (Root + "/cache").c_str(), 1);
  ASSERT_TRUE(ForceDirectories(Root + "/.config"));
  WriteFile(Root + "/.config/user-dirs.dirs",
            "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
            "XDG_DOCUMENTS_DIR=\"" + Root + "/Dokumente/\"\n");
  struct TCase {
    int Csidl;
    std::string Expected;
  };
  const TCase Cases[] = {
      {CSIDL_DESKTOP, Root + "/Schreibtisch"},
      {CSIDL_DESKTOPDIRECTORY, Root + "/Schreibtisch"},
      {CSIDL_PERSONAL, Root + "/Dokumente"},
      {CSIDL_TEMPLATES, Root + "/Templates"},
      {CSIDL_APPDATA, Root + "/.config"},
      {CSIDL_LOCAL_APPDATA, Root + "/.local/share"},
      {CSIDL_INTERNET_CACHE, Root + "/cache"},
      {CSIDL_PROFILE, Root},
      {CSIDL_PROGRAMS, Root + "/.local/share/applications"},
      {CSIDL_WINDOWS, Root + "/.local/share"},
      {CSIDL_SYSTEM, Root + "/.local/lib"},
      {CSIDL_PROGRAM_FILES, Root + "/.local/opt"},
      {CSIDL_STARTMENU, ""},
      {CSIDL_DRIVES, ""},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(SpecialFolderPath(C.Csidl), C.Expected) << C.Csidl;
  }

  char Path[MAX_PATH];
  EXPECT_FALSE(SHGetSpecialFolderPath(0, Path, CSIDL_PERSONAL, FALSE));  // does not exist yet
  EXPECT_STREQ(Path, "");
  EXPECT_TRUE(SHGetSpecialFolderPath(0, Path, CSIDL_PERSONAL, TRUE));
  EXPECT_EQ(std::string(Path), Root + "/Dokumente");
  EXPECT_TRUE(DirectoryExists(Path));
  EXPECT_TRUE(SHGetSpecialFolderPath(0, Path, CSIDL_APPDATA, FALSE));
  EXPECT_FALSE(SHGetSpecialFolderPath(0, Path, CSIDL_STARTMENU, TRUE));

  LPITEMIDLIST Pidl = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(0, CSIDL_PERSONAL, &Pidl), S_OK);
  ASSERT_TRUE(SHGetPathFromIDList(Pidl, Path));
  EXPECT_EQ(std::string(Path), Root + "/Dokumente");
  ILFree(Pidl);
  EXPECT_EQ(SHGetSpecialFolderLocation(0, CSIDL_TEMPLATES, &Pidl), E_FAIL);
  EXPECT_EQ(Pidl, nullptr);
}

TEST(Environment, ExpandEnvironmentStrings) {
  TEnvGuard Env({"ZUBQ_A", "ZUBQ_B"});
  setenv("ZUBQ_A", "alpha", 1);
  setenv("ZUBQ_B", "", 1);
  struct TCase {
    const char* Source;
    const char* Expected;
  };
  const TCase Cases[] = {
      {"%ZUBQ_A%", "alpha"},
      {"x%ZUBQ_A%y%ZUBQ_A%", "xalphayalpha"},
      {"[%ZUBQ_B%]", "[]"},
      {"%zubq_a%", "alpha"},  // names are matched without regard to case when needed
      {"%ZUBQ_UNKNOWN%", "%ZUBQ_UNKNOWN%"},
      {"%ZUBQ_UNKNOWN%ZUBQ_A%", "%ZUBQ_UNKNOWNalpha"},
      {"100% sure", "100% sure"},
      {"%%", "%%"},
      {"", ""},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(ExpandEnvironmentString(C.Source), C.Expected) << C.Source;
  }
  EXPECT_EQ(ExpandEnvironmentStrings("%ZUBQ_A%!", nullptr, 0), 7u);  // "alpha!" and the null
  char Small[4] = "old";
  EXPECT_EQ(ExpandEnvironmentStrings("%ZUBQ_A%!", Small, sizeof(Small)), 7u);
  EXPECT_STREQ(Small, "old");  // untouched when too small
  char Buf[16];
  EXPECT_EQ(ExpandEnvironmentStrings("%ZUBQ_A%!", Buf, sizeof(Buf)), 7u);
  EXPECT_STREQ(Buf, "alpha!");
}

TEST(Environment, VariablesUserNameAndPlatformNames) {
  TEnvGuard Env({"ZUBQ_A", "TEMP", "ZUBQ_TEMP"});
  setenv("ZUBQ_A", "alpha", 1);
  char Buf[64];
  EXPECT_EQ(GetEnvironmentVariable("ZUBQ_A", Buf, sizeof(Buf)), 5u);
  EXPECT_STREQ(Buf, "alpha");
  EXPECT_EQ(GetEnvironmentVariable("ZUBQ_A", Buf, 3), 6u);
  EXPECT_EQ(GetEnvironmentVariable("ZUBQ_NOT_SET", Buf, sizeof(Buf)), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
  EXPECT_TRUE(SetEnvironmentVariable("ZUBQ_A", nullptr));
  EXPECT_EQ(GetEnvironmentVariable(std::string("ZUBQ_A")), "");

  // TEMP stands for the temporary folder when the environment does not say otherwise.
  unsetenv("TEMP");
  setenv("ZUBQ_TEMP", "/tmp/zubq-env-temp", 1);
  EXPECT_EQ(ExpandEnvironmentString("%TEMP%\\x"), "/tmp/zubq-env-temp\\x");
  rmdir("/tmp/zubq-env-temp");

  const passwd* Pw = getpwuid(geteuid());
  ASSERT_NE(Pw, nullptr);
  char Name[256];
  DWORD Size = sizeof(Name);
  ASSERT_TRUE(GetUserName(Name, &Size));
  EXPECT_STREQ(Name, Pw->pw_name);
  EXPECT_EQ(Size, std::strlen(Pw->pw_name) + 1);
  Size = 1;
  EXPECT_FALSE(GetUserName(Name, &Size));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(Size, std::strlen(Pw->pw_name) + 1);
}
