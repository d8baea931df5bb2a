// Tests of FileStore: whole-file loads, line splitting, chunked adding, errors, saving.
#include "core/Filestore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

class FileStoreTest : public ::testing::Test {
protected:
  TestSupport::TTempFolder Temp{"zubcore-filestore"};
  void SetUp() override {
    Dir = Temp.Path();
  }

  std::string Write(const std::string& Name, const std::string& Bytes) {
    const std::string Path = Dir + "/" + Name;
    std::ofstream(Path, std::ios::binary) << Bytes;
    return Path;
  }

  static std::vector<std::string> Lines(const FileStore& F) {
    std::vector<std::string> Out;
    for (int I = 0; I < F.getLineCount(); ++I) {
      Out.emplace_back(F.getLineText(I));
    }
    return Out;
  }

  std::string Dir;
};

TEST_F(FileStoreTest, SplitsAtEveryKindOfLineEnd) {
  struct TCase {
    const char* Name;
    std::string Bytes;
    std::vector<std::string> Lines;
  } Cases[] = {
      {"empty", "", {}},
      {"no-final-break", "a\nb", {"a", "b"}},
      {"crlf-end", "a\r\nb\r\n", {"a", "b"}},
      {"blank-line", "a\r\n\r\nb", {"a", "", "b"}},
      {"lone-cr", "a\rb\n", {"a", "b"}},
      {"lf-cr", "a\n\rb", {"a", "", "b"}},
      {"only-break", "\n", {""}},
  };
  for (const TCase& C : Cases) {
    FileStore F;
    ASSERT_EQ(F.loadFile(Write(C.Name, C.Bytes).c_str(), "rb"), 1) << C.Name;
    EXPECT_EQ(Lines(F), C.Lines) << C.Name;
    EXPECT_EQ(F.counters.getInt(0), static_cast<int>(C.Bytes.size())) << C.Name;
  }
}

TEST_F(FileStoreTest, GetLineTracksTheCurrentLine) {
  FileStore F;
  ASSERT_EQ(F.loadFile(Write("f", "one\ntwo\n").c_str(), "rb"), 1);
  EXPECT_STREQ(F.fileName.text, (Dir + "/f").c_str());
  PositionInfo P;
  EXPECT_STREQ(F.getLine(1, &P), "two");
  EXPECT_STREQ(F.currentLine, "two");
  EXPECT_EQ(F.counters.getInt(1), 2);
  EXPECT_EQ(P.line, 2);
  EXPECT_EQ(F.getLine(2), nullptr);
  StrStore Text;
  EXPECT_EQ(F.getText(&Text, 1), 1);
  EXPECT_STREQ(Text.text, "one\ntwo");
  EXPECT_EQ(F.getText(&Text, 0), 0);
  EXPECT_EQ(F.getText(nullptr, 1), -1);
}

TEST_F(FileStoreTest, FailedLoads) {
  FileStore F;
  ASSERT_EQ(F.loadFile(Write("f", "kept\n").c_str(), "rb"), 1);
  EXPECT_EQ(F.loadFile((Dir + "/missing").c_str(), "rb"), ZUB_GENERAL_FAILURE);
  EXPECT_EQ(F.error.code, FILESTORE_CANNOT_OPEN);
  EXPECT_STREQ(F.error.getMessage(), "loadFile() can't open file");
  EXPECT_EQ(F.getLineCount(), 1);  // the open failed: what was loaded stays

  // A folder opens here but cannot be read: the load fails after the open and leaves the store empty.
  EXPECT_EQ(F.loadFile(Dir.c_str(), "rb"), ZUB_GENERAL_FAILURE);
  EXPECT_NE(F.error.code, 0);
  EXPECT_EQ(F.getLineCount(), 0);
  EXPECT_EQ(F.buffer.length, 0);

  EXPECT_EQ(F.loadFile(static_cast<std::FILE*>(nullptr), 0), ZUB_GENERAL_FAILURE);
  EXPECT_EQ(F.error.code, FILESTORE_NULL_FILE);
}

TEST_F(FileStoreTest, AddLineInChunks) {
  FileStore F;
  EXPECT_EQ(F.addLine("ab", ADDLINE_CHUNK), 0);
  EXPECT_EQ(F.addLine("c\nd", ADDLINE_CHUNK), 0);
  EXPECT_EQ(Lines(F), (std::vector<std::string>{"abc", "d"}));
  EXPECT_EQ(F.counters.getInt(2), 1);  // d is unfinished
  EXPECT_EQ(F.addLine("e\r", ADDLINE_CHUNK), 0);  // a CR LF split between chunks
  EXPECT_EQ(F.addLine("\nf\n", ADDLINE_CHUNK), 0);
  EXPECT_EQ(Lines(F), (std::vector<std::string>{"abc", "de", "f"}));
  EXPECT_EQ(F.counters.getInt(2), 0);
  EXPECT_EQ(F.addLine("g", 0), 0);
  EXPECT_EQ(F.addLine("&lt;b&gt; &amp;lt;", ADDLINE_DECODE_ENTITIES), 0);
  EXPECT_EQ(Lines(F).back(), "<b> &lt;");

  FileStore Empty;
  Empty.counters.setInt(2, 1);
  EXPECT_EQ(Empty.addLine("x", ADDLINE_CHUNK), -2);
  EXPECT_EQ(Empty.getLineCount(), 0);
}

TEST_F(FileStoreTest, CopySaveAndReload) {
  FileStore A;
  A.addLine("one\ntwo", 0);
  FileStore B;
  B.addLine("zero", 0);
  EXPECT_EQ(B.appendLines(A), 0);
  EXPECT_EQ(Lines(B), (std::vector<std::string>{"zero", "one", "two"}));
  EXPECT_EQ(B.copyLines(A), 0);
  EXPECT_EQ(Lines(B), Lines(A));
  EXPECT_EQ(B.copyLines(B), 0);
  EXPECT_EQ(Lines(B), Lines(A));

  const std::string Path = Dir + "/saved.txt";
  EXPECT_EQ(A.saveFile(Path.c_str(), "\r\n"), 0);
  std::ifstream In(Path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(In), {}), "one\r\ntwo\r\n");
  EXPECT_EQ(A.saveFile((Dir + "/no/such/folder/x").c_str(), "\n"), -1);
#ifdef __linux__
  EXPECT_EQ(A.saveFile("/dev/full", "\n"), -1);  // a full disk is no success
#endif
}

TEST(ErrorStore, KeepFirstAndPatterns) {
  ErrorStore E;
  EXPECT_EQ(E.setError(5, "%s failed at %d", "open", 3), 1);
  EXPECT_STREQ(E.getMessage(), "open failed at 3");
  E.options = 1;
  E.setError(6, "second");
  EXPECT_EQ(E.code, 5);
  E.clearError();
  EXPECT_EQ(E.code, 0);
  EXPECT_STREQ(E.getMessage(), "");
  E.setError(7, "100% %q");  // not a pattern that fits: stored as it stands
  EXPECT_STREQ(E.getMessage(), "100% %q");
}

TEST(StrStoreEx, ExtraStringsAndReadPosition) {
  StrStoreEx S;
  EXPECT_EQ(S.getExtraString(0), nullptr);
  EXPECT_EQ(S.setExtraString(3, "three"), 0);
  EXPECT_EQ(S.setExtraString(3, "THREE"), 0);
  EXPECT_STREQ(S.getExtraString(3), "THREE");
  EXPECT_EQ(S.getExtraString(1), nullptr);
  S.assign("ab\ncd");
  EXPECT_EQ(S.setReadPosition(6), 0);
  EXPECT_EQ(S.setReadPosition(3), 1);
  StrStore Line;
  EXPECT_EQ(S.getNextLine(Line), 1);
  EXPECT_STREQ(Line.text, "cd");
  EXPECT_EQ(S.getNextLine(Line), 0);
  S.reset(1);
  EXPECT_EQ(S.getExtraString(3), nullptr);
  EXPECT_EQ(S.length, 0);
}

TEST(PositionInfo, SpanKeepsTheEnd) {
  PositionInfo P;
  P.reset(100);
  EXPECT_EQ(P.line, 1);
  EXPECT_EQ(P.size, 100);
  P.setOffset(10);
  P.setSpan(5);
  P.setSpan(3);  // offset + span stays 15
  EXPECT_EQ(P.offset, 12);
  P.setLineColumn(-5, 7);
  EXPECT_EQ(P.line, 1);
  EXPECT_EQ(P.column, 7);
  EXPECT_EQ(P.setSize(0), ZUB_GENERAL_FAILURE);
}

}  // namespace
