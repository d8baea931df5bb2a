// TIniFile and the private profile functions over real ini files: reading hand-written files, rewriting them
// with everything else kept, the buffer conventions, refused input and concurrent writers.
#include "platform/classes/IniFiles.h"
#include "platform/classes/StringList.h"
#include "platform/win/Profile.h"
#include "platform/win/RegistryStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A file as another program would write it: CR LF, comments, blanks around '=', a quoted value, odd case.
const std::string HandWritten =
    "; settings written by hand\r\n"
    "orphan=before any section\r\n"
    "[General]\r\n"
    "  Title = My Site  \r\n"
    "count=$1F\r\n"
    "Hex=0x10\r\n"
    "Bad=12abc\r\n"
    "Quoted=\"  padded  \"\r\n"
    "; a comment inside\r\n"
    "Enabled=0\r\n"
    "\r\n"
    "[ Paths ]\r\n"
    "Home=/home/me\r\n"
    "Flag=yes\r\n";

class IniFiles : public ::testing::Test {
protected:
  TestSupport::TTempFolder Temp{"zubq-ini"};
  void SetUp() override {
    Dir = Temp.Path();
    setenv("ZUBQ_REGISTRY_DIR", Dir.c_str(), 1);
    RegistryResetForTests();
    File = Dir + "/site.ini";
  }

  void Write(const std::string& Text) {
    std::ofstream Out(File, std::ios::binary | std::ios::trunc);
    Out << Text;
  }
  std::string Read() const {
    std::ifstream In(File, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
  }
  static std::vector<std::string> ToVector(const TStrings& S) {
    std::vector<std::string> V;
    for (Integer I = 0; I < S.Count(); ++I) {
      V.push_back(S[I]);
    }
    return V;
  }

  std::string Dir;
  std::string File;
};

TEST_F(IniFiles, ReadsAHandWrittenFile) {
  Write(HandWritten);
  TIniFile Ini(File);
  EXPECT_EQ(Ini.ReadString("general", "TITLE", "x"), "My Site");
  EXPECT_EQ(Ini.ReadString("General", "Quoted", "x"), "  padded  ");
  EXPECT_EQ(Ini.ReadString("Paths", "Home", "x"), "/home/me");  // "[ Paths ]" names Paths
  EXPECT_EQ(Ini.ReadString("General", "orphan", "none"), "none");
  EXPECT_EQ(Ini.ReadString("Missing", "Title", "none"), "none");
  EXPECT_EQ(Ini.ReadInteger("General", "Count", -1), 31);
  EXPECT_EQ(Ini.ReadInteger("General", "Hex", -1), 16);
  EXPECT_EQ(Ini.ReadInteger("General", "Bad", -1), -1);
  EXPECT_FALSE(Ini.ReadBool("General", "Enabled", true));
  EXPECT_TRUE(Ini.ReadBool("General", "Count", false));
  EXPECT_TRUE(Ini.ReadBool("Paths", "Flag", true));  // not a number: the default
  EXPECT_FALSE(Ini.ReadBool("Paths", "Flag", false));

  TStringList S;
  Ini.ReadSections(&S);
  EXPECT_EQ(ToVector(S), (std::vector<std::string>{"General", "Paths"}));
  Ini.ReadSection("GENERAL", &S);
  EXPECT_EQ(ToVector(S), (std::vector<std::string>{"Title", "count", "Hex", "Bad", "Quoted", "Enabled"}));
  Ini.ReadSectionValues("Paths", &S);
  EXPECT_EQ(ToVector(S), (std::vector<std::string>{"Home=/home/me", "Flag=yes"}));
  EXPECT_TRUE(Ini.SectionExists("paths"));
  EXPECT_FALSE(Ini.SectionExists("Nope"));
  EXPECT_TRUE(Ini.ValueExists("Paths", "HOME"));
  EXPECT_FALSE(Ini.ValueExists("Paths", "Title"));
}

TEST_F(IniFiles, WritesChangeOnlyTheirLines) {
  Write(HandWritten);
  TIniFile Ini(File);
  Ini.WriteString("GENERAL", "title", "New Title");  // replaced in place, the key keeps its spelling
  Ini.WriteInteger("General", "Added", 5);           // after the section's last line, before the blank
  Ini.WriteBool("New Section", "On", true);          // a new section at the end
  Ini.DeleteKey("General", "Bad");
  Ini.EraseSection("Paths");
  Ini.UpdateFile();
  EXPECT_EQ(Read(),
            "; settings written by hand\r\n"
            "orphan=before any section\r\n"
            "[General]\r\n"
            "Title=New Title\r\n"
            "count=$1F\r\n"
            "Hex=0x10\r\n"
            "Quoted=\"  padded  \"\r\n"
            "; a comment inside\r\n"
            "Enabled=0\r\n"
            "Added=5\r\n"
            "\r\n"
            "[New Section]\r\n"
            "On=1\r\n");

  // A new file gets CR LF lines; a file with LF lines keeps them.
  TIniFile Fresh(Dir + "/fresh.ini");
  Fresh.WriteString("A", "K", "V");
  Fresh.WriteString("B", "K", "W");
  std::ifstream In(Dir + "/fresh.ini", std::ios::binary);
  std::stringstream Text;
  Text << In.rdbuf();
  EXPECT_EQ(Text.str(), "[A]\r\nK=V\r\n\r\n[B]\r\nK=W\r\n");
  Write("[A]\nK=V\n");
  Ini.WriteString("A", "L", "W");
  EXPECT_EQ(Read(), "[A]\nK=V\nL=W\n");
}

TEST_F(IniFiles, MixedAndDoubledLineEndsReadTheSameAfterAWrite) {
  // LF lines (so the file is rewritten with LF), a CR LF line, lines ending in CR CR LF, a CR-only line and a
  // lone CR inside a value: carriage returns at a line's ends belong to its break, one inside stays.
  Write("[A]\nK=1\r\r\n\r\r\nL=2\r\nM=x\ry\n[B]\r\nN= 3 \r\r\n");
  TIniFile Ini(File);
  const auto Values = [&] {
    std::vector<std::string> V;
    for (const char* Section : {"A", "B"}) {
      TStringList S;
      Ini.ReadSectionValues(Section, &S);
      const auto Lines = ToVector(S);
      V.insert(V.end(), Lines.begin(), Lines.end());
    }
    return V;
  };
  const std::vector<std::string> Expected{"K=1", "L=2", "M=x\ry", "N=3"};
  EXPECT_EQ(Values(), Expected);
  Ini.WriteString("C", "New", "1");
  EXPECT_EQ(Values(), Expected);
  EXPECT_EQ(Ini.ReadString("C", "New", ""), "1");
}

TEST_F(IniFiles, ProfileFunctionsFollowTheBufferConventions) {
  Write(HandWritten);
  const char* F = File.c_str();
  char Buf[64];
  std::memset(Buf, 'x', sizeof Buf);
  EXPECT_EQ(GetPrivateProfileString("General", "Title", "", Buf, 4, F), 3u);  // cut to nSize - 1
  EXPECT_STREQ(Buf, "My ");
  EXPECT_EQ(GetPrivateProfileString("General", "Nope", "dflt   ", Buf, sizeof Buf, F), 4u);
  EXPECT_STREQ(Buf, "dflt");  // trailing blanks of the default go
  EXPECT_EQ(GetPrivateProfileString("General", "Nope", nullptr, Buf, sizeof Buf, F), 0u);
  EXPECT_STREQ(Buf, "");

  // Lists: each name NUL-ended, then one more NUL; cut lists end with two NULs and give nSize - 2.
  EXPECT_EQ(GetPrivateProfileString(nullptr, nullptr, nullptr, Buf, sizeof Buf, F), 14u);
  EXPECT_EQ(std::string(Buf, 15), std::string("General\0Paths\0\0", 15));
  EXPECT_EQ(GetPrivateProfileSectionNames(Buf, 10, F), 8u);
  EXPECT_EQ(std::string(Buf, 10), std::string("General\0\0\0", 10));
  EXPECT_EQ(GetPrivateProfileString("Paths", nullptr, nullptr, Buf, sizeof Buf, F), 10u);
  EXPECT_EQ(std::string(Buf, 11), std::string("Home\0Flag\0\0", 11));
  EXPECT_EQ(GetPrivateProfileSection("Paths", Buf, sizeof Buf, F), 23u);
  EXPECT_EQ(std::string(Buf, 24), std::string("Home=/home/me\0Flag=yes\0\0", 24));
  EXPECT_EQ(GetPrivateProfileString("Missing", nullptr, nullptr, Buf, sizeof Buf, F), 0u);

  EXPECT_EQ(GetPrivateProfileInt("General", "Bad", 7, F), 12u);  // the leading number
  EXPECT_EQ(GetPrivateProfileInt("Paths", "Flag", 7, F), 0u);
  EXPECT_EQ(GetPrivateProfileInt("Paths", "Missing", 7, F), 7u);

  ASSERT_TRUE(WritePrivateProfileSection("Paths", "A=1\0B=2\0", F));
  EXPECT_EQ(GetPrivateProfileSection("Paths", Buf, sizeof Buf, F), 8u);
  EXPECT_EQ(std::string(Buf, 9), std::string("A=1\0B=2\0\0", 9));
  ASSERT_TRUE(WritePrivateProfileString("Paths", nullptr, nullptr, F));
  EXPECT_EQ(GetPrivateProfileSectionNames(Buf, sizeof Buf, F), 8u);
  EXPECT_TRUE(WritePrivateProfileString(nullptr, nullptr, nullptr, F));

  // A bare file name lives in the configuration folder.
  ASSERT_TRUE(WritePrivateProfileString("S", "K", "V", "bare.ini"));
  EXPECT_TRUE(fs::exists(fs::path(Dir) / "bare.ini"));
  EXPECT_EQ(GetPrivateProfileString("S", "K", "", Buf, sizeof Buf, "bare.ini"), 1u);
}

TEST_F(IniFiles, InputThatWouldBreakTheFileIsRefused) {
  Write(HandWritten);
  const char* F = File.c_str();
  const struct {
    const char* Section;
    const char* Key;
    const char* Value;
  } Cases[] = {{"General", "Title", "two\r\nlines"}, {"General", "a=b", "x"}, {"Gen]eral", "K", "V"},
               {"Gen\neral", "K", "V"}};
  for (const auto& C : Cases) {
    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileString(C.Section, C.Key, C.Value, F)) << C.Key;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
  EXPECT_EQ(Read(), HandWritten);

  TIniFile Ini(File);
  try {
    Ini.WriteString("General", "Title", "a\nb");
    FAIL() << "no exception";
  } catch (const EIniFileException& E) {
    EXPECT_EQ(E.Message(), "Unable to write to " + File);
  }
  TIniFile Nowhere(Dir + "/no/such/folder/x.ini");
  EXPECT_THROW(Nowhere.WriteString("S", "K", "V"), EIniFileException);
  EXPECT_EQ(Nowhere.ReadString("S", "K", "default"), "default");
}

TEST_F(IniFiles, ConcurrentWritersLoseNothing) {
  const int Count = 30;
  pid_t Children[2];
  for (int C = 0; C < 2; ++C) {
    Children[C] = fork();
    if (Children[C] == 0) {
      for (int I = 0; I < Count; ++I) {
        const std::string Key = std::to_string(C) + "_" + std::to_string(I);
        if (!WritePrivateProfileString("Shared", Key.c_str(), Key.c_str(), File.c_str())) {
          _exit(2);
        }
      }
      _exit(0);
    }
  }
  for (const pid_t Pid : Children) {
    int Status = 0;
    waitpid(Pid, &Status, 0);
    ASSERT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
  }
  TIniFile Ini(File);
  TStringList S;
  Ini.ReadSection("Shared", &S);
  EXPECT_EQ(S.Count(), 2 * Count);
  EXPECT_EQ(Ini.ReadString("Shared", "1_29", ""), "1_29");
}

}  // namespace
