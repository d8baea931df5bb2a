// Knowledge about the installed development environments (their registry keys, folders, help contents files
// and packages) and compiling a unit, package or project with their command-line tools.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/rtl/Sets.h"

#include <array>
#include <string>

namespace Dcapi {

enum TDelphiVer : Byte { dvD2, dvC1, dvD3, dvC3, dvD4, dvC4, dvD5, dvC5, dvd6 };
using TDelphiVers = TSet<TDelphiVer, dvd6>;
inline constexpr int DelphiVerCount = dvd6 + 1;

inline constexpr std::array<const char*, DelphiVerCount> cDelphiVers = {"D2", "C1", "D3", "C3", "D4",
                                                                        "C4", "D5", "C5", "D6"};
inline constexpr std::array<const char*, DelphiVerCount> cDCNativeVerDefine = {
    "VER90", "VER93", "VER100", "VER110", "VER120", "VER125", "VER130", "VER130", "VER140"};
// The expected third and fourth file version numbers of the IDE program (third in the high word); -1: no
// check.
extern std::array<Integer, DelphiVerCount> DelphiReqVer;

enum ZEZDelphiSourceDirsOpt { doAddLibFolder, doExcludeSysUnderD3 };
using ZEZDelphiSourceDirsOpts = TSet<ZEZDelphiSourceDirsOpt, doExcludeSysUnderD3>;

TDelphiVer GetThisDelphiVer();
TDelphiVer GetDelphiVer(const std::string& Code);  // dvD4 when no code matches
// True for a define name of the table (the first match: VER130 gives dvD5); else false with Ver = dvD5.
bool DCGetDelphiVerFromName(const std::string& Define, TDelphiVer& Ver);
// True for the first line of Defines that DCGetDelphiVerFromName accepts.
bool DCGetDelphiVerFromDefines(TStrings* Defines, TDelphiVer& Ver);

// Registry queries under HKEY_LOCAL_MACHINE\Software\Borland\<version's key>: "" when missing. Folders end in
// the platform's separator; folders below an unknown root folder are "" too.
std::string GetDelphiRegKey(TDelphiVer Ver, const std::string& ValueName);
std::string GetSpecificDelphiDir(TDelphiVer Ver);
std::string GetDelphiDir();
std::string GetDelphiIDEFileName(TDelphiVer Ver);
std::string GetDelphiCMDFileName(TDelphiVer Ver);
std::string GetDelphiHelpFolder(TDelphiVer Ver);
std::string GetDelphiHelpCntFile(TDelphiVer Ver);
// The temporary folder + "/DPU_" + the version's code; created.
std::string ZODirDPUPath(TDelphiVer Ver);
std::string GetDelphiSourceDirs();
std::string GetDelphiSourceDirsEx(TDelphiVer Ver);
// A ";"-terminated list of source folders; "" when the root folder is unknown.
std::string GetDelphiSourceDirsEx2(TDelphiVer Ver, ZEZDelphiSourceDirsOpts Options);
std::string GetDelphiPackagesKey(TDelphiVer Ver);  // "" for dvD2 and dvC1
void AddInstalledPackage(TDelphiVer Ver, const std::string& Description, const std::string& PackageFile);
// False on any failure; true without an expected version or when the IDE program's version matches.
bool VersionCorrect(TDelphiVer Ver);
// True when no development environment of the table runs (a process named like their IDE programs); otherwise
// asks (OK / Cancel) and gives true for OK.
bool InstallCheckIDERunning(const std::string& ProductName);

void AddHelpToCntFile(const std::string& HelpFile, const std::string& Title, const std::string& CntFile);
void RemoveHelpFromCntFile(const std::string& HelpFile, const std::string& CntFile);

// Runs CommandLine in WorkDir and waits; with Capture its standard output becomes Output's lines (CR LF each).
// Output always begins "Program failed with code (<code>)" and a line break; true for exit code 0. A program
// that cannot start gives the error's text, ". " and "ErrorCode=<code>" in Output and false.
bool RunProgram(const std::string& CommandLine, const std::string& WorkDir, std::string& Output, bool Capture);
// The lines of a compiler's output holding the word "Error:", "Borland" or "Fatal:" (any case), once per match.
std::string ConvertErrors(const std::string& Text);
// Compiles FileName with the version's command-line tool and moves the product to DestDir (OutFile); on failure
// Messages holds the error lines.
bool CompileFile(TDelphiVer Ver, const std::string& FileName, const std::string& DestDir, std::string& Messages,
                 std::string& OutFile);

}  // namespace Dcapi
