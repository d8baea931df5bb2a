// Tests of the toolbox's string, address and codec functions.
#include "editor/Easyutils.h"

#include <gtest/gtest.h>

TEST(EasyUtils, Scanners) {
  EXPECT_EQ(FindPos("ab", "xxab", 4), 0);
  EXPECT_EQ(FindPos("ab", "xxab", 3), 3);
  EXPECT_EQ(FindPos("ab", "xxab", 0), 3);
  EXPECT_EQ(FindBackPos("ab", "abxab", 4), 4);
  EXPECT_EQ(FindBackPos("ab", "abxab", 3), 1);
  EXPECT_EQ(FindBackPos("ab", "abxab", 5), 4);
  EXPECT_EQ(FindPos("", "abc", 1), 0);
  EXPECT_EQ(FindBackPos("", "abc", 1), 0);
  EXPECT_EQ(FindPos("abcd", "abc", 1), 0);
}

TEST(EasyUtils, StringHelpers) {
  EXPECT_EQ(TrimRightEx(std::string("ab\x01  ")), std::string("ab\x01"));
  EXPECT_EQ(TrimRightEx("ab \t "), "ab");
  EXPECT_EQ(RemoveQuotes("'"), "");
  EXPECT_EQ(RemoveQuotes("\"a'"), "a");
  EXPECT_EQ(RemoveQuotes("abc"), "abc");
  EXPECT_EQ(AddQuotes(""), "\"\"");
  EXPECT_EQ(AddQuotes("'x"), "'x");
  EXPECT_EQ(AddQuotes("x"), "\"x\"");
  EXPECT_EQ(GetFirstValidChar("   "), 4);
  EXPECT_EQ(GetFirstValidChar("  a"), 3);
  EXPECT_EQ(CompareTextEx("abc", "ABCD", 3), 0);
  EXPECT_EQ(CompareTextEx("abc", "ABCD", 2), 1);
  EXPECT_LT(CompareStrEx("abc", "ABCD", 3), 0 + 'a');
  EXPECT_NE(CompareStrEx("abc", "ABCD", 3), 0);
  EXPECT_EQ(CompareTextEx("abc", nullptr, 5), 3);
  EXPECT_EQ(TrimWord("  'hello,' "), "hello");
  EXPECT_EQ(TrimWord("..."), "");
  EXPECT_EQ(RemoveLastLineEnd("a\r\n\r\n"), "a\r\n");
  std::string S = "ab";
  AddTrailSpaces(S, 4);
  EXPECT_EQ(S, "ab  ");
  AddTrailSpaces(S, 1);
  EXPECT_EQ(S, "ab  ");
}

TEST(EasyUtils, Addresses) {
  struct {
    const char* Text;
    bool Hyper;
  } Cases[] = {{"www.x.org", true},       {"HTTP://x", true},     {"ftp://h", true},   {"mailto:me", true},
               {"a@b", false},            {"a@b@c.d", false},     {"a@b.c", true},     {"a@.b", false},
               {"a@", false},             {"plain.text", false},  {"file://c", true},
               {"https://x.org/", true}, {"HTTPS://x", true},    {"httpsx", false},   {"https:/x", false}};
  for (const auto& C : Cases) {
    EXPECT_EQ(IsHyperString(C.Text), C.Hyper) << C.Text;
  }
}

TEST(EasyUtils, HexCodecAndPaths) {
  EXPECT_EQ(StringToHex(std::string("\x00\x0f\xff", 3)), "000FFF");
  EXPECT_EQ(HexToString("414"), "A");
  EXPECT_EQ(HexToString("4a"), "J");
  EXPECT_EQ(HexToString("4A"), "J");
  EXPECT_EQ(AddSlash(""), "");
  EXPECT_EQ(AddSlash("/tmp"), "/tmp/");
  EXPECT_EQ(AddSlash("/tmp/"), "/tmp/");
  EXPECT_EQ(ChangeSlashes("a/b"), "a\\b");
}
