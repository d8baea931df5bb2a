// The engine's configuration file: every name and text the options window accepts reads back exactly.
#include "engine/EngineConfig.cpp"  // the engine library exports only its entry points

#include <gtest/gtest.h>

namespace {

using zubengine::TEngineConfig;

TEST(EngineConfig, ProgramNamesAndProxyTextsThatLookLikeFileSyntaxRoundTrip) {
  TEngineConfig C;
  C.Programs = {
      {";semicolon", "cmd ;1"}, {"#hash", " leading blank"}, {"[bracket", "trailing blank "}, {"[whole]", "x"},
      {"a=b", "\"quoted\""},    {"\"quote", "back\\slash"},  {" padded ", "tab\there"},       {"plain", ""}};
  C.ProxyHost = " host ";
  C.ProxyUser = "#user";
  C.ProxyPassword = "  p;w\"= ";
  C.ProxyPort = "8080";
  C.LogFile = "/tmp/log file ";
  C.Configurations.push_back({";odd name ", zubengine::cpStrict});
  TEngineConfig Back;
  std::vector<std::string> Dropped;
  Back.LoadText(C.ToText(), "x.cfg", Dropped);
  EXPECT_TRUE(Dropped.empty()) << Dropped.front();
  EXPECT_EQ(Back.Programs, C.Programs);
  EXPECT_EQ(Back.ProxyHost, C.ProxyHost);
  EXPECT_EQ(Back.ProxyUser, C.ProxyUser);
  EXPECT_EQ(Back.ProxyPassword, C.ProxyPassword);
  EXPECT_EQ(Back.ProxyPort, C.ProxyPort);
  EXPECT_EQ(Back.LogFile, C.LogFile);
  EXPECT_EQ(Back.Configurations, C.Configurations);
  EXPECT_EQ(Back.ToText(), C.ToText());
}

TEST(EngineConfig, OlderFilesWithoutQuotesStillRead) {
  TEngineConfig C;
  std::vector<std::string> Dropped;
  C.LoadText(
      "[Network]\nProxyHost= proxy.example \nProxyPassword=\"half\n[Programs]\nTidy = tidy -q \"%s\"\n"
      "\"odd\"name=run\nEditor=\"/opt/my editor/vi\"\n\"Old\"=x\n",
      "old.cfg", Dropped);
  EXPECT_TRUE(Dropped.empty()) << Dropped.front();
  EXPECT_EQ(C.ProxyHost, "proxy.example");
  EXPECT_EQ(C.ProxyPassword, "\"half");
  using P = std::pair<std::string, std::string>;
  EXPECT_EQ(C.Programs, (std::vector<P>{P("Tidy", "tidy -q \"%s\""), P("\"odd\"name", "run"),
                                        P("Editor", "\"/opt/my editor/vi\""), P("\"Old\"", "x")}));
}

}  // namespace
