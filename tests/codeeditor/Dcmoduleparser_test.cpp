// Conditional directives, include files and the source utilities of the module parser.
#include "codeeditor/Dcmoduleparser.h"

#include "tests/codeeditor/TokenDump.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace Dcparser;
using TokenTest::Raised;
using TokenTest::ReadAll;

namespace {
std::string Defs(const std::string& Source, const std::string& Defines = "", const std::string& Ignored = "") {
  return DCRemoveIfDefs(Source, Defines, Ignored, "", false);
}

void WriteFile(const std::string& Name, const std::string& Text) { std::ofstream(Name, std::ios::binary) << Text; }

// The module parser's own reading (full Pascal tables, initial defines) of a text.
std::string ModuleTokens(const std::string& Text) {
  TModuleParser P(nullptr);
  P.SetLinePtr(Text.c_str());
  std::string Out;
  while (P.NextValidToken() != tokEof) {
    Out += P.TokenString() + " ";
  }
  return Out;
}

std::string Nested(int Levels) {
  std::string Text;
  for (int I = 0; I < Levels; ++I) {
    Text += "{$IFDEF A}";
  }
  return Text;
}
}  // namespace

TEST(Dcmoduleparser, ConditionalBranches) {
  EXPECT_EQ(ModuleTokens("{$IFDEF WIN32}a{$ELSE}b{$ENDIF}"), "a ");
  EXPECT_EQ(Defs("{$IFDEF WIN32}a{$ELSE}b{$ENDIF}"), "a");  // a platform symbol with the defines emptied
  EXPECT_EQ(Defs("{$IFDEF VER130}a{$ELSE}b{$ENDIF}"), "b");
  EXPECT_EQ(Defs("{$IFNDEF X}{$IFDEF Y}c{$ENDIF}{$ENDIF}d", "X;Y"), "d");
  EXPECT_EQ(Defs("{$IFOPT R+}a{$ENDIF}{$IF ConditionalExpressions}b{$IFEND}"), "ab");
  EXPECT_EQ(Defs("{$IF DEFINED(LINUX) AND DEFINED(VER140)}a{$ELSE}b{$ENDIF}", "LINUX;VER140"), "a");
  EXPECT_EQ(Defs("{$IF NOT (DEFINED(LINUX) AND DEFINED(VER140))}a{$ELSE}b{$ENDIF}", "LINUX"), "a");
  EXPECT_EQ(Defs("{$DEFINE A}{$IFDEF a}x{$ENDIF}"), "x");
  EXPECT_EQ(Defs("{$DEFINE A}{$IFDEF A}x{$ENDIF}", "", "A"), "");  // an ignored define has no effect
  EXPECT_EQ(Defs("{$UNDEF A}{$IFDEF A}x{$ENDIF}", "A", "A"), "");  // but is removed
  EXPECT_EQ(Defs("{$IFDEF Z}{$DEFINE Q}{$ENDIF}{$IFDEF Q}x{$ENDIF}"), "");
  EXPECT_EQ(Defs("{$I+}{$R-}a (* c *) b // d\n\n\n\tc"), "a  b \r\nc");
  EXPECT_EQ(Defs("{$R *.res}a"), "a");  // no such resource: silently ignored
}

TEST(Dcmoduleparser, DirectiveErrors) {
  EXPECT_EQ(Raised([] { (void)Defs(Nested(32)); }), "nothing raised");
  EXPECT_EQ(Raised([] { (void)Defs(Nested(33)); }),
            "Only 32 nested levels of compiler directives are allowed at Line:1, Char:321. ");
  EXPECT_EQ(Raised([] { (void)Defs("a\n {$ENDIF}"); }), "Invalid compiler directive: \"$ENDIF\" at Line:2, Char:2. ");
  EXPECT_EQ(Raised([] { (void)Defs("{$ELSE}"); }), "Invalid compiler directive: \"$ELSE\" at Line:1, Char:1. ");
  EXPECT_EQ(Raised([] { (void)Defs("{$IFEND}"); }), "Invalid compiler directive: \"$IFEND\" at Line:1, Char:1. ");
  EXPECT_EQ(Raised([] { (void)Defs("{$I missing%s.inc}"); }), "File missing%s.inc not found at Line:1, Char:1. ");
}

TEST(Dcmoduleparser, IncludeFiles) {
  TestSupport::TTempFolder Dir;
  WriteFile(Dir / "main.pas", "unit main;\n{$I inc1.inc}\n{$INCLUDE 'part two.x'}\n{$I UPPER.INC}\n{$I sub}\nend.");
  WriteFile(Dir / "inc1.inc", "one");
  WriteFile(Dir / "part.pas", "two");
  WriteFile(Dir / "upper.inc", "three");
  std::filesystem::create_directories(Dir / "lib");
  WriteFile(Dir / "lib/sub.pas", "{$IFDEF W}four{$ENDIF}");
  std::vector<std::string> Asked;
  const std::string Out =
      DCRemoveIfDefsEx(Dir / "main.pas", "W", "", Dir / "lib", true, [&](std::string& Name, bool& GiveUp) {
        Asked.push_back(Name);
        GiveUp = true;
      });
  // Line breaks follow the line numbers of the file each token comes from: the includes' first lines are line 0.
  EXPECT_EQ(Out, "unit main;onetwothreefour\r\nend.");
  EXPECT_TRUE(Asked.empty());

  // A missing include is answered through the handler, which may name another file.
  WriteFile(Dir / "ask.pas", "a{$I gone.inc}b");
  const std::string Answered = DCRemoveIfDefsEx(Dir / "ask.pas", "", "", "", true, [&](std::string& Name, bool&) {
    Asked.push_back(Name);
    Name = "inc1.inc";
  });
  EXPECT_EQ(Answered, "aoneb");
  EXPECT_EQ(Asked, std::vector<std::string>{"gone.inc"});
}

TEST(Dcmoduleparser, IncludeOfItselfIsAnErrorNotAnEndlessNesting) {
  TestSupport::TTempFolder Dir;
  WriteFile(Dir / "self.inc", "x{$I self.inc}");
  WriteFile(Dir / "a.inc", "{$I b.inc}");
  WriteFile(Dir / "b.inc", "{$I a.inc}");
  EXPECT_EQ(Raised([&] { (void)DCRemoveIfDefs(Dir / "self.inc", "", "", "", true); }),
            "More than 64 include files are open at once: " + (Dir / "self.inc") + " at Line:1, Char:2. ");
  EXPECT_NE(Raised([&] { (void)DCRemoveIfDefs(Dir / "a.inc", "", "", "", true); }), "nothing raised");
}

TEST(Dcmoduleparser, PeekAtTheEndOfAnIncludeFileSeesTheIncludingFile) {
  TestSupport::TTempFolder Dir;
  WriteFile(Dir / "inner.inc", "x");
  const std::string Text = "{$I inner.inc} y z";
  ZEZIncludeParser P(nullptr);
  P.SetParsedFileName(Dir / "main.pas");
  P.SetLinePtr(Text.c_str());
  EXPECT_EQ(P.NextValidTokenStr(), "x");
  EXPECT_EQ(P.IncludeDepth(), 1);
  EXPECT_EQ(P.PeekTokenStr(), "y");
  EXPECT_EQ(P.IncludeDepth(), 1);  // still inside the include file
  EXPECT_EQ(P.TokenString(), "x");
  EXPECT_EQ(P.NextValidTokenStr(), "y");
  EXPECT_EQ(P.IncludeDepth(), 0);
  EXPECT_EQ(P.NextValidTokenStr(), "z");
  EXPECT_EQ(P.IncludedFiles()->Count(), 1);
}

TEST(Dcmoduleparser, CharSetDefinitions) {
  TSysCharSet Expected = TSysCharSet{'a', 'b', 'c', '\r'};
  EXPECT_TRUE(ParseCharSetDef("'a'..'c', #13") == Expected);
  EXPECT_TRUE(ParseCharSetDef("'a' 'b'") == TSysCharSet{'a'});
  EXPECT_TRUE(ParseCharSetDef("'x''y', #300") == (TSysCharSet{'x', '\'', 'y', static_cast<char>(44)}));
  EXPECT_TRUE(ParseCharSetDef("").Empty());
  EXPECT_EQ(Raised([] { (void)ParseCharSetDef("a"); }), "Invalid charset definition at Line:1, Char:1. ");
  EXPECT_EQ(Raised([] { (void)ParseCharSetDef("'a',"); }), "Invalid charset definition at Line:1, Char:5. ");
  EXPECT_EQ(Raised([] { (void)ParseCharSetDef("'a'.'b'"); }), "'.' expected at Line:1, Char:5. ");
  EXPECT_EQ(Raised([] { (void)ParseCharSetDef("'a'..'b' 'c'"); }), "',' expected at Line:1, Char:10. ");
}

TEST(Dcmoduleparser, InterfaceFiles) {
  TestSupport::TTempFolder Dir;
  WriteFile(Dir / "u.pas", "unit u;\n{ implementation }\ninterface\nimplementation\nbegin end.");
  WriteFile(Dir / "none.pas", "program p; begin end.");
  CreateIntFile(Dir / "u.pas");
  CreateIntFile(Dir / "none.pas");
  EXPECT_EQ(ReadAll(Dir / "u.INT"), "unit u;\n{ implementation }\ninterface\nimplementation");
  EXPECT_TRUE(std::filesystem::exists(Dir / "none.INT"));
  EXPECT_EQ(ReadAll(Dir / "none.INT"), "");
}

TEST(Dcmoduleparser, StringNumbers) {
  TDCIDStringConvert C;
  EXPECT_EQ(C.StringToID("x"), 1);
  EXPECT_EQ(C.StringToID("x"), 1);
  EXPECT_EQ(C.StringToID("X"), 2);
  EXPECT_EQ(C.IDToString(2), "X");
  EXPECT_EQ(C.IDToString(9), "");
}

// ---- the Free Pascal run-time library (Debian's fpc-source) ----

namespace {
const std::string Rtl = "/usr/share/fpcsrc/3.2.2/rtl";
}

TEST(Dcmoduleparser, RunTimeLibraryUnitWithItsIncludeFolders) {
  ASSERT_TRUE(std::filesystem::exists(Rtl)) << "scripts/deps.sh installs fpc-source";
  const std::string Paths =
      Rtl + "/objpas/sysutils;" + Rtl + "/objpas;" + Rtl + "/inc;" + Rtl + "/unix;" + Rtl + "/linux;" + Rtl + "/x86_64";
  std::vector<std::string> Missing;
  const std::string Out = DCRemoveIfDefsEx(Rtl + "/unix/sysutils.pp", "FPC;UNIX;LINUX;CPUX86_64", "", Paths, true,
                                           [&](std::string& Name, bool& GiveUp) {
                                             Missing.push_back(Name);
                                             GiveUp = true;
                                           });
  EXPECT_NE(Out.find("unit sysutils;"), std::string::npos);
  EXPECT_NE(Out.find("linux,"), std::string::npos);         // {$IFDEF LINUX}linux,{$ENDIF}
  EXPECT_EQ(Out.find("freebsd,"), std::string::npos);       // an inactive branch
  EXPECT_NE(Out.find("EConvertError"), std::string::npos);  // from the included declarations
  EXPECT_EQ(Out.find("{$"), std::string::npos);
  EXPECT_GT(Out.size(), 100000u);
  // Includes this machine's sources lack are answered through the handler and listed, not raised.
  for (const std::string& Name : Missing) {
    EXPECT_FALSE(Name.empty());
  }
}

TEST(Dcmoduleparser, InterfaceFileOfARealUnit) {
  TestSupport::TTempFolder Dir;
  std::filesystem::copy_file(Rtl + "/objpas/types.pp", Dir / "types.pp");
  CreateIntFile(Dir / "types.pp");
  const std::string Int = ReadAll(Dir / "types.INT");
  const std::string Unit = ReadAll(Dir / "types.pp");
  ASSERT_GT(Int.size(), 1000u);
  EXPECT_EQ(Unit.compare(0, Int.size(), Int), 0);
  EXPECT_EQ(LowerCase(Int.substr(Int.size() - 14)), "implementation");
}

TEST(Dcmoduleparser, StringsThatAreNotResourced) {
  TestSupport::TTempFolder Dir;
  std::filesystem::create_directories(Dir / "sub");
  WriteFile(Dir / "a.pas",
            "const S = 'Hello';\nT = 'abc'; U = 'x'; // don't resource\n"
            "//BeginSkipConst\nV = 'Skipped';\n//EndSkipConst\nW = '{Braced}'; X = '12345';\n"
            "Y = 'One'; Z = 'Two';\n");
  WriteFile(Dir / "sub/b.pas", "M = 'Message';\n");
  WriteFile(Dir / "skipped.pas", "Q = 'Never';\n");
  WriteFile(Dir / "skip.txt", "skipped.pas\n");
  EXPECT_TRUE(SearchNotResourcedStrings(Dir.Path(), Dir / "report.txt", Dir / "skip.txt", true));
  const std::string Folder = Dir.Path() + "/";
  // The report's lines end as the string list writes them.
  EXPECT_EQ(ReadAll(Dir / "report.txt"), "\r\nDirectory :  " + Folder + "\r\nNot processed files:\r\n" +
                                             std::string(20, ' ') + "skipped.pas\r\n\r\n" + Folder +
                                             "a.pas  Line 1 'Hello'\r\n" + Folder + "a.pas  Line 7 'One'\r\n \r\n" +
                                             Folder + "sub/b.pas  Line 1 'Message'\r\n \r\n");
  EXPECT_FALSE(SearchNotResourcedStrings(Dir / "sub", Dir / "none.txt", "", false) &&
               ReadAll(Dir / "none.txt").find("Message") == std::string::npos);
}

TEST(Dcmoduleparser, CompilerVersionFromTheDefines) {
  TModuleParser P(nullptr);
  EXPECT_EQ(P.GetDelphiVer(), Dcapi::dvD5);  // VER130 is among the first defines
  P.Defines()->Clear();
  P.Defines()->Add("VER120");
  EXPECT_EQ(P.GetDelphiVer(), Dcapi::dvD4);
}
