// The program's arguments as one command line: absolute names, quoting, and arguments that cannot be carried.
#include "app/Commandline.h"

#include "core/Strstore.h"

#include <gtest/gtest.h>

namespace {

struct TCase {
  const char* Name;
  std::vector<std::string> Arguments;
  const char* Line;
};

class CommandLine : public ::testing::TestWithParam<TCase> {};

TEST_P(CommandLine, IsBuiltFromTheArguments) {
  std::string Line, Error;
  EXPECT_EQ(BuildCommandLine(GetParam().Arguments, "/home/ann/work", Line, Error), COMMANDLINE_BUILT);
  EXPECT_EQ(Line, GetParam().Line);
  EXPECT_EQ(Error, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    ::testing::Values(TCase{"Nothing", {}, ""},
                      TCase{"RelativeNamesBecomeAbsolute",
                            {"a.html", "sub/../b.css", "./c.txt"},
                            "/home/ann/work/a.html /home/ann/work/b.css /home/ann/work/c.txt"},
                      TCase{"AbsoluteNamesStay", {"/tmp/x.html"}, "/tmp/x.html"},
                      TCase{"NamesWithBlanksAreQuoted",
                            {"my page.html", "/tmp/other page.htm"},
                            "\"/home/ann/work/my page.html\" \"/tmp/other page.htm\""},
                      TCase{"SwitchesAndAddressesStayAsTheyAre",
                            {"-b", "list.zbl", "-LinkCheckMessage", "-x", "HTTP://Example.org/a b"},
                            "-b /home/ann/work/list.zbl -LinkCheckMessage -x \"HTTP://Example.org/a b\""},
                      TCase{"NamesBeyondAsciiKeepTheirBytes",
                            {"caf\xc3\xa9.html", "\xe9t\xe9.htm"},
                            "/home/ann/work/caf\xc3\xa9.html /home/ann/work/\xe9t\xe9.htm"},
                      TCase{"EmptyArgumentsAreSkipped", {"", "a"}, "/home/ann/work/a"}),
    [](const ::testing::TestParamInfo<TCase>& Info) { return std::string(Info.param.Name); });

TEST(CommandLineWords, ReadBackAsTheSameNames) {
  const std::vector<std::string> Names = {"/tmp/a b/c d.html", "/tmp/plain.html", "/tmp/  two  blanks .htm"};
  std::string Line, Error;
  ASSERT_EQ(BuildCommandLine(Names, "/", Line, Error), COMMANDLINE_BUILT);
  StrStore Rest(Line.c_str());
  for (const std::string& Name : Names) {
    EXPECT_EQ(std::string(GetFirstWord(Rest, 7).text), Name);
  }
  EXPECT_EQ(Rest.length, 0);
}

TEST(CommandLineWords, AnArgumentThatCannotBeCarriedIsLeftOutAndNamed) {
  std::string Line, Error;
  EXPECT_EQ(BuildCommandLine({"a.html", "say \"hi\".html", "tab\there.html", "b.html"}, "/w", Line, Error),
            COMMANDLINE_ARGUMENTS_LEFT_OUT);
  EXPECT_EQ(Line, "/w/a.html /w/b.html");
  EXPECT_NE(Error.find("say \"hi\".html"), std::string::npos);
  EXPECT_NE(Error.find("tab\there.html"), std::string::npos);
}

}  // namespace
