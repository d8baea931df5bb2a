// Development-environment queries and command-line compiling, with a stand-in compiler in a temporary root.
#include "suitebase/Dcapiide.h"

#include "platform/rtl/FileUtils.h"
#include "platform/win/WinReg.h"
#include "suitebase/Dcapi.h"
#include "tests/suitebase/SuiteEnvironment.h"

#include <fstream>
#include <sstream>

using namespace Dcapi;

namespace {
std::string ReadFile(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

void SetMachineString(const std::string& Key, const std::string& Name, const std::string& Value) {
  HKEY H = CreateRegKey(HKEY_LOCAL_MACHINE, Key);
  ASSERT_NE(H, 0u);
  ASSERT_EQ(ChangeRegStrValue(H, Name, Value), ERROR_SUCCESS);
  (void)RegCloseKey(H);
}
}  // namespace

TEST(DcapiIde, VersionCodesAndDefines) {
  EXPECT_EQ(GetDelphiVer("c3"), dvC3);
  EXPECT_EQ(GetDelphiVer("D9"), dvD4);
  TDelphiVer Ver = dvD2;
  EXPECT_TRUE(DCGetDelphiVerFromName("ver130", Ver));
  EXPECT_EQ(Ver, dvD5);
  EXPECT_FALSE(DCGetDelphiVerFromName("VER999", Ver));
  EXPECT_EQ(Ver, dvD5);
  TStringList Defines;
  Defines.SetText("DEBUG\r\nVER110\r\nVER120\r\n");
  EXPECT_TRUE(DCGetDelphiVerFromDefines(&Defines, Ver));
  EXPECT_EQ(Ver, dvC3);
  Defines.SetText("DEBUG\r\n");
  EXPECT_FALSE(DCGetDelphiVerFromDefines(&Defines, Ver));
  EXPECT_EQ(GetDelphiPackagesKey(dvD2), "");
  EXPECT_EQ(GetDelphiPackagesKey(dvC3), "Software\\Borland\\C++Builder\\3.0\\Known Packages");
  EXPECT_EQ(ConvertErrors("  Hint: fine\r\nunit1.pas(3) Error: Undeclared\r\nBorland Delphi Fatal: stop\n"),
            "unit1.pas(3) Error: Undeclared\r\nBorland Delphi Fatal: stop\nBorland Delphi Fatal: stop\n");
}

using DcapiIdeFolders = SuiteFolders;

TEST_F(DcapiIdeFolders, NothingInstalledGivesEmptyAnswers) {
  EXPECT_EQ(GetSpecificDelphiDir(dvD5), "");
  EXPECT_EQ(GetDelphiHelpCntFile(dvD5), "");
  EXPECT_EQ(GetDelphiSourceDirs(), "");
  EXPECT_EQ(GetDelphiCMDFileName(dvD5), "");
  EXPECT_FALSE(VersionCorrect(dvD4));
  EXPECT_TRUE(VersionCorrect(dvD5));  // nothing expected for it
  EXPECT_TRUE(InstallCheckIDERunning("Suite"));
  EXPECT_TRUE(Scripted.Shown().empty());
  EXPECT_EQ(ZODirDPUPath(dvC5), (Temp / "temp") + "/DPU_C5");
  EXPECT_TRUE(::DirectoryExists(Temp / "temp/DPU_C5"));
}

TEST_F(DcapiIdeFolders, SourceFoldersHelpAndPackages) {
  const std::string Root = Temp / "D3";
  SetMachineString("Software\\Borland\\Delphi\\3.0", "RootDir", Root);
  SetMachineString("Software\\Borland\\Delphi\\3.0", "Delphi 3", Root + "/Bin/delphi32.exe");
  EXPECT_EQ(GetDelphiHelpCntFile(dvD3), Root + "/HELP/delphi3.cnt");
  EXPECT_EQ(GetDelphiCMDFileName(dvD3), Root + "/Bin/dcc32.exe");
  const std::string R = Root + "/";
  EXPECT_EQ(GetDelphiSourceDirsEx2(dvD3, {doExcludeSysUnderD3}),
            R + "Doc;" + R + "Source/Vcl;" + R + "Source/Rtl/Win;" + R + "Source/Toolsapi;" + R + "Source/Internet;" +
                R + "Source/Samples;" + R + "Source/Rtl/Corba;");
  const std::string WithLib = GetDelphiSourceDirsEx(dvD3);
  EXPECT_NE(WithLib.find(R + "Source/Rtl/Sys;"), std::string::npos);
  const std::string Libs = R + "Lib;" + R + "Lib/Obj;" + R + "Lib/Delphi2;";
  EXPECT_EQ(WithLib.substr(WithLib.size() - Libs.size()), Libs);
  EXPECT_EQ(ProcessFileTemplate("%D3_HELP%x"), Root + "/HELP/x");

  AddInstalledPackage(dvD3, "My package", "/pk/my.dpl");
  HKEY H = 0;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, GetDelphiPackagesKey(dvD3).c_str(), 0, KEY_READ, &H), ERROR_SUCCESS);
  char Buf[64] = {};
  DWORD Size = sizeof Buf;
  EXPECT_EQ(RegQueryValueEx(H, "/pk/my.dpl", nullptr, nullptr, reinterpret_cast<BYTE*>(Buf), &Size), ERROR_SUCCESS);
  EXPECT_EQ(std::string(Buf, Size), "My package");
  (void)RegCloseKey(H);

  const std::string Cnt = Temp / "delphi3.cnt";
  std::ofstream(Cnt)
      << ":Base delphi3.hlp\r\n:Title Help\r\n:Index Delphi =delphi3.hlp\r\n:Index VCL =vcl3.hlp\r\n1 Intro\r\n";
  AddHelpToCntFile("suite.hlp", "Suite", Cnt);
  EXPECT_EQ(ReadFile(Cnt),
            ":Base delphi3.hlp\r\n:Title Help\r\n:Index Delphi =delphi3.hlp\r\n:Index VCL =vcl3.hlp\r\n"
            ":Index Suite =suite.hlp\r\n1 Intro\r\n");
  AddHelpToCntFile("suite.hlp", "Suite 2", Cnt);  // replaces the line
  EXPECT_EQ(ReadFile(Cnt).find(":Index Suite =suite.hlp"), std::string::npos);
  RemoveHelpFromCntFile("suite.hlp", Cnt);
  EXPECT_EQ(ReadFile(Cnt),
            ":Base delphi3.hlp\r\n:Title Help\r\n:Index Delphi =delphi3.hlp\r\n:Index VCL =vcl3.hlp\r\n1 Intro\r\n");
}

TEST_F(DcapiIdeFolders, RunProgramReportsTheExitCodeFirst) {
  std::ofstream(Temp / "ok.sh") << "echo one\necho two\n";
  std::ofstream(Temp / "bad.sh") << "echo broken\nexit 2\n";
  std::string Output;
  EXPECT_TRUE(RunProgram(QuoteFileName(Temp / "ok.sh"), Temp.Path(), Output, true));
  EXPECT_EQ(Output, "Program failed with code (0)\r\none\r\ntwo\r\n");
  EXPECT_FALSE(RunProgram(QuoteFileName(Temp / "bad.sh"), Temp.Path(), Output, true));
  EXPECT_EQ(Output, "Program failed with code (2)\r\nbroken\r\n");
  EXPECT_FALSE(RunProgram(QuoteFileName(Temp / "missing.sh"), Temp.Path(), Output, true));
  EXPECT_EQ(Output, "The system cannot find the file specified. ErrorCode=2");
  EXPECT_EQ(Dcapi::GetTemporaryPath(), Temp / "temp");
}

TEST_F(DcapiIdeFolders, CompileFileRunsTheToolAndMovesTheProduct) {
  const std::string Root = Temp / "C5";
  CreateAllDirectories(Root + "/Bin", nullptr);
  CreateAllDirectories(Temp / "src", nullptr);
  CreateAllDirectories(Temp / "out", nullptr);
  SetMachineString("Software\\Borland\\C++Builder\\5.0", "RootDir", Root);
  // The stand-in tools record their arguments and make the product beside the source, or fail.
  std::ofstream(Root + "/Bin/dcc32.exe")
      << "echo \"$@\" > " << QuoteFileName(Temp / "args.txt") << "\n"
      << "case \"$4\" in *bad*) echo 'bad.pas(1) Error: Undeclared identifier'; exit 1;; esac\n"
      << "f=\"$4\"; echo compiled > \"${f%.pas}.dcu\"\n";
  std::ofstream(Root + "/Bin/make.exe") << "echo \"$@\" > " << QuoteFileName(Temp / "args.txt") << "\n"
                                        << "f=\"$3\"; echo pkg > \"${f%.bpk}.BPL\"; touch \"${f%.bpk}.tds\"\n";
  std::ofstream(Temp / "src/unit1.pas") << "unit unit1;";
  std::ofstream(Temp / "src/bad.pas") << "unit bad;";
  std::ofstream(Temp / "src/pk.bpk") << "package";

  std::string Messages;
  std::string OutFile;
  ASSERT_TRUE(CompileFile(dvC5, Temp / "src/unit1.pas", Temp / "out", Messages, OutFile)) << Messages;
  EXPECT_EQ(ReadFile(Temp / "args.txt"), "-q -b -JPHN " + (Temp / "src/unit1.pas") + "\n");
  EXPECT_EQ(OutFile, Temp / "out/unit1.dcu");
  EXPECT_TRUE(FileExists(OutFile));
  EXPECT_FALSE(FileExists(Temp / "src/unit1.dcu"));

  ASSERT_TRUE(CompileFile(dvC5, Temp / "src/pk.bpk", Temp / "out/", Messages, OutFile)) << Messages;
  EXPECT_EQ(ReadFile(Temp / "args.txt"), "-B -f " + (Temp / "src/pk.bpk") + "\n");
  EXPECT_EQ(OutFile, Temp / "out/pk.BPL");
  EXPECT_FALSE(FileExists(Temp / "src/pk.tds"));

  EXPECT_FALSE(CompileFile(dvC5, Temp / "src/bad.pas", Temp / "out", Messages, OutFile));
  EXPECT_EQ(Messages, "bad.pas(1) Error: Undeclared identifier\r\n");
}
