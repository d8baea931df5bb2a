// Development-environment queries, help contents files and command-line compiling.
#include "suitebase/Dcapiide.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Modules.h"
#include "platform/win/Processes.h"
#include "platform/win/WinReg.h"
#include "suitebase/Dcapi.h"

#include <dirent.h>
#include <fstream>
#include <sstream>

namespace Dcapi {

std::array<Integer, DelphiVerCount> DelphiReqVer = {
    -1, -1, (5 << 16) | 83, (3 << 16) | 70, (5 << 16) | 108, (14 << 16) | 11, -1, -1, -1};

namespace {
inline constexpr const char* BorlandKey = "Software\\Borland\\";
inline constexpr std::array<const char*, DelphiVerCount> RegSubKeys = {
    "Delphi\\2.0",     "C++Builder\\1.0", "Delphi\\3.0",     "C++Builder\\3.0", "Delphi\\4.0",
    "C++Builder\\4.0", "Delphi\\5.0",     "C++Builder\\5.0", "Delphi\\6.0"};
inline constexpr std::array<const char*, DelphiVerCount> IdeValueNames = {
    "Delphi 2.0", "App", "Delphi 3", "App", "Delphi 4", "App", "Delphi 5", "App", "Delphi 6"};
inline constexpr std::array<const char*, DelphiVerCount> HelpCntFiles = {"delphi.cnt",  "bcb.cnt",     "delphi3.cnt",
                                                                         "bcb3.cnt",    "delphi4.cnt", "bcb4.cnt",
                                                                         "delphi5.cnt", "bcb5.cnt",    "delphi6.cnt"};
inline constexpr std::array<const char*, DelphiVerCount> PackageExts = {"",     "",     ".DPL", ".BPL", ".BPL",
                                                                        ".BPL", ".BPL", ".BPL", ".BPL"};
inline constexpr const char* IndexPrefix = ":Index ";
inline constexpr const char* CaptureFilePrefix = "tempfile";

bool IsBuilder(TDelphiVer Ver) { return Ver == dvC1 || Ver == dvC3 || Ver == dvC4 || Ver == dvC5; }

std::string VersionKey(TDelphiVer Ver) { return std::string(BorlandKey) + RegSubKeys[Ver]; }

std::string RegString(HKEY Root, const std::string& Key, const std::string& ValueName) {
  HKEY H = 0;
  if (RegOpenKeyEx(Root, Key.c_str(), 0, KEY_READ, &H) != ERROR_SUCCESS) {
    return "";
  }
  DWORD Type = 0;
  DWORD Size = 0;
  std::string Value;
  if (RegQueryValueEx(H, ValueName.c_str(), nullptr, &Type, nullptr, &Size) == ERROR_SUCCESS && Size > 0) {
    Value.resize(Size);
    if (RegQueryValueEx(H, ValueName.c_str(), nullptr, &Type, reinterpret_cast<BYTE*>(Value.data()), &Size) !=
        ERROR_SUCCESS) {
      Value.clear();
    }
    Value.resize(std::min<std::size_t>(Size, Value.size()));
    while (!Value.empty() && Value.back() == '\0') {
      Value.pop_back();
    }
  }
  (void)RegCloseKey(H);  // the value has been read
  return Value;
}

// A folder below the version's root, "" while the root is unknown.
std::string BelowRoot(TDelphiVer Ver, const std::string& Sub) {
  const std::string Root = GetSpecificDelphiDir(Ver);
  return Root.empty() ? "" : Root + Sub;
}

std::string ErrorText(DWORD Code) {
  switch (Code) {
    case ERROR_FILE_NOT_FOUND: return "The system cannot find the file specified";
    case ERROR_PATH_NOT_FOUND: return "The system cannot find the path specified";
    case ERROR_ACCESS_DENIED: return "Access is denied";
    case ERROR_DIRECTORY: return "The directory name is invalid";
    default: return "";
  }
}

bool IsRunningIdeName(std::string Name) {
  while (!Name.empty() && (Name.back() == '\n' || Name.back() == '\r')) {
    Name.pop_back();
  }
  for (const char* Ide : {"delphi32", "delphi32.exe", "bcb", "bcb.exe"}) {
    if (SameText(Name, Ide)) {
      return true;
    }
  }
  return false;
}

bool AnyIdeRunning() {
  DIR* Proc = opendir("/proc");
  if (Proc == nullptr) {
    return false;
  }
  bool Found = false;
  while (dirent* E = readdir(Proc)) {
    if (E->d_name[0] < '0' || E->d_name[0] > '9') {
      continue;
    }
    std::ifstream Comm(std::string("/proc/") + E->d_name + "/comm");
    std::string Name;
    if (std::getline(Comm, Name) && IsRunningIdeName(Name)) {
      Found = true;
      break;
    }
  }
  closedir(Proc);
  return Found;
}

// Moves a file, replacing the target; copies and deletes across file systems.
bool MoveReplacing(const std::string& From, const std::string& To) {
  return MoveFileEx(From.c_str(), To.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != FALSE;
}
}  // namespace

TDelphiVer GetThisDelphiVer() { return dvC5; }

TDelphiVer GetDelphiVer(const std::string& Code) {
  for (int I = 0; I < DelphiVerCount; ++I) {
    if (SameText(Code, cDelphiVers[I])) {
      return static_cast<TDelphiVer>(I);
    }
  }
  return dvD4;
}

bool DCGetDelphiVerFromName(const std::string& Define, TDelphiVer& Ver) {
  for (int I = 0; I < DelphiVerCount; ++I) {
    if (SameText(Define, cDCNativeVerDefine[I])) {
      Ver = static_cast<TDelphiVer>(I);
      return true;
    }
  }
  Ver = dvD5;
  return false;
}

bool DCGetDelphiVerFromDefines(TStrings* Defines, TDelphiVer& Ver) {
  for (Integer I = 0; Defines != nullptr && I < Defines->Count(); ++I) {
    if (DCGetDelphiVerFromName(Defines->Strings(I), Ver)) {
      return true;
    }
  }
  return false;
}

std::string GetDelphiRegKey(TDelphiVer Ver, const std::string& ValueName) {
  return RegString(HKEY_LOCAL_MACHINE, VersionKey(Ver), ValueName);
}

std::string GetSpecificDelphiDir(TDelphiVer Ver) { return AddSlash(GetDelphiRegKey(Ver, "RootDir")); }
std::string GetDelphiDir() { return GetSpecificDelphiDir(GetThisDelphiVer()); }
std::string GetDelphiIDEFileName(TDelphiVer Ver) { return GetDelphiRegKey(Ver, IdeValueNames[Ver]); }

std::string GetDelphiCMDFileName(TDelphiVer Ver) {
  const std::string Ide = GetDelphiIDEFileName(Ver);
  return Ide.empty() ? "" : ExtractFilePath(Ide) + "dcc32.exe";
}

std::string GetDelphiHelpFolder(TDelphiVer Ver) { return BelowRoot(Ver, std::string("HELP") + PathDelim); }

std::string GetDelphiHelpCntFile(TDelphiVer Ver) {
  const std::string Help = GetDelphiHelpFolder(Ver);
  return Help.empty() ? "" : Help + HelpCntFiles[Ver];
}

std::string ZODirDPUPath(TDelphiVer Ver) {
  const std::string Path = GetTemporaryPath() + PathDelim + "DPU_" + cDelphiVers[Ver];
  CreateAllDirectories(Path, nullptr);
  return Path;
}

std::string GetDelphiSourceDirs() { return GetDelphiSourceDirsEx(GetThisDelphiVer()); }

std::string GetDelphiSourceDirsEx(TDelphiVer Ver) { return GetDelphiSourceDirsEx2(Ver, {doAddLibFolder}); }

std::string GetDelphiSourceDirsEx2(TDelphiVer Ver, ZEZDelphiSourceDirsOpts Options) {
  const std::string R = GetSpecificDelphiDir(Ver);
  if (R.empty()) {
    return "";
  }
  std::vector<const char*> Dirs = {"Doc", "Source/Vcl"};
  if (!(Options.Contains(doExcludeSysUnderD3) && (Ver == dvD3 || Ver == dvC3))) {
    Dirs.push_back("Source/Rtl/Sys");
  }
  Dirs.insert(Dirs.end(),
              {"Source/Rtl/Win", "Source/Toolsapi", "Source/Internet", "Source/Samples", "Source/Rtl/Corba"});
  if (Ver == dvD5 || Ver == dvC5 || Ver == dvd6) {
    Dirs.insert(Dirs.end(), {"Source/Decision Cube", "Source/Property Editors", "Source/WebMidas"});
  }
  if (Ver == dvd6) {
    Dirs.insert(Dirs.end(), {"Source/Rtl/Common", "Source/Rtl/Corba40", "Source/Clx", "Source/Soap"});
  }
  if (Options.Contains(doAddLibFolder)) {
    Dirs.insert(Dirs.end(), {"Lib", "Lib/Obj", "Lib/Delphi2"});
  }
  std::string Result;
  for (const char* D : Dirs) {
    Result += R + D + ";";
  }
  return Result;
}

std::string GetDelphiPackagesKey(TDelphiVer Ver) {
  if (Ver == dvD2 || Ver == dvC1) {
    return "";
  }
  return VersionKey(Ver) + "\\Known Packages";
}

void AddInstalledPackage(TDelphiVer Ver, const std::string& Description, const std::string& PackageFile) {
  const std::string Key = GetDelphiPackagesKey(Ver);
  if (Key.empty()) {
    return;
  }
  if (HKEY H = CreateRegKey(HKEY_CURRENT_USER, Key)) {
    (void)ChangeRegStrValue(H, PackageFile, Description);  // setups report no registry errors
    (void)RegCloseKey(H);
  }
}

bool VersionCorrect(TDelphiVer Ver) {
  if (DelphiReqVer[Ver] == -1) {
    return true;
  }
  const std::string Root = GetSpecificDelphiDir(Ver);
  if (Root.empty()) {
    return false;
  }
  const std::string Exe = Root + "Bin" + PathDelim + (IsBuilder(Ver) ? "bcb" : "delphi32") + ".exe";
  DWORD Handle = 0;
  const DWORD Size = GetFileVersionInfoSize(Exe.c_str(), &Handle);
  if (Size == 0) {
    return false;
  }
  std::vector<BYTE> Data(Size);
  VS_FIXEDFILEINFO* Fixed = nullptr;
  UINT Len = 0;
  if (!GetFileVersionInfo(Exe.c_str(), Handle, Size, Data.data()) ||
      !VerQueryValue(Data.data(), "\\", reinterpret_cast<LPVOID*>(&Fixed), &Len) || Fixed == nullptr) {
    return false;
  }
  return static_cast<Integer>(Fixed->dwFileVersionLS) == DelphiReqVer[Ver];
}

bool InstallCheckIDERunning(const std::string& ProductName) {
  if (!AnyIdeRunning()) {
    return true;
  }
  const std::string Text = Format(
      "You have one or more of the following applications running. It is highly recommended that you shut down "
      "these applications before you can install %s.\r\n\r\nBorland Delphi\r\nBorland C++ Builder\r\n",
      {ProductName});
  return MessageBox(0, Text.c_str(), "Installation Warning", MB_OKCANCEL | MB_ICONERROR) == IDOK;
}

void RemoveHelpFromCntFile(const std::string& HelpFile, const std::string& CntFile) {
  TStringList Lines;
  Lines.LoadFromFile(CntFile);
  for (Integer I = 0; I < Lines.Count(); ++I) {
    const std::string Line = Lines[I];
    const std::size_t Eq = Line.find('=');
    if (Eq != std::string::npos && Line.substr(Eq + 1) == HelpFile) {
      Lines.Delete(I);
      Lines.SaveToFile(CntFile);
      return;
    }
  }
}

void AddHelpToCntFile(const std::string& HelpFile, const std::string& Title, const std::string& CntFile) {
  RemoveHelpFromCntFile(HelpFile, CntFile);
  TStringList Lines;
  Lines.LoadFromFile(CntFile);
  Integer I = 0;
  while (I < Lines.Count() && Lines[I].find(IndexPrefix) == std::string::npos) {
    ++I;
  }
  while (I < Lines.Count() && Lines[I].rfind(IndexPrefix, 0) == 0) {
    ++I;
  }
  Lines.Insert(I, std::string(IndexPrefix) + Title + " =" + HelpFile);
  Lines.SaveToFile(CntFile);
}

bool RunProgram(const std::string& CommandLine, const std::string& WorkDir, std::string& Output, bool Capture) {
  std::string CaptureFile;
  HANDLE Out = nullptr;
  STARTUPINFO Startup;
  Startup.dwFlags = STARTF_USESHOWWINDOW;
  Startup.wShowWindow = SW_HIDE;
  if (Capture) {
    CaptureFile = GetTemporaryFileName(CaptureFilePrefix);
    SECURITY_ATTRIBUTES Inherit;
    Inherit.bInheritHandle = TRUE;
    Out = CreateFile(CaptureFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &Inherit, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (Out == INVALID_HANDLE_VALUE) {
      Out = nullptr;
    }
    Startup.dwFlags |= STARTF_USESTDHANDLES;
    Startup.hStdOutput = Out;
  }
  PROCESS_INFORMATION Info;
  std::string Line = CommandLine;
  if (!CreateProcess(nullptr, Line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                     WorkDir.empty() ? nullptr : WorkDir.c_str(), &Startup, &Info)) {
    const DWORD Code = GetLastError();
    const std::string Text = ErrorText(Code);
    Output = (Text.empty() ? "" : Text + ". ") + "ErrorCode=" + IntToStr(Code);
    if (Out != nullptr) {
      (void)CloseHandle(Out);
      (void)DeleteFile(CaptureFile);  // an empty capture file of our own
    }
    return false;
  }
  (void)WaitForSingleObject(Info.hProcess, INFINITE);  // the exit code says how it ended
  DWORD ExitCode = 0;
  (void)GetExitCodeProcess(Info.hProcess, &ExitCode);  // the handle is ours and valid
  (void)CloseHandle(Info.hProcess);
  std::string Captured;
  if (Capture) {
    if (Out != nullptr) {
      (void)CloseHandle(Out);
    }
    std::ifstream In(CaptureFile, std::ios::binary);
    std::string L;
    while (std::getline(In, L)) {
      if (!L.empty() && L.back() == '\r') {
        L.pop_back();
      }
      Captured += L + "\r\n";
    }
    In.close();
    (void)DeleteFile(CaptureFile);  // our own temporary file
  }
  Output = Format("Program failed with code (%d)", {static_cast<Integer>(ExitCode)}) + "\r\n" + Captured;
  return ExitCode == 0;
}

std::string ConvertErrors(const std::string& Text) {
  std::string Result;
  std::size_t Start = 0;
  while (Start < Text.size()) {
    std::size_t End = Text.find('\n', Start);
    const std::size_t Next = End == std::string::npos ? Text.size() : End + 1;
    std::size_t First = Start;
    while (First < Next && Text[First] == ' ') {
      ++First;
    }
    const std::string Line = Text.substr(First, Next - First);
    std::istringstream Words(Line);
    std::string Word;
    while (Words >> Word) {
      if (SameText(Word, "Error:") || SameText(Word, "Borland") || SameText(Word, "Fatal:")) {
        Result += Line;
      }
    }
    Start = Next;
  }
  return Result;
}

bool CompileFile(TDelphiVer Ver, const std::string& FileName, const std::string& DestDir, std::string& Messages,
                 std::string& OutFile) {
  const std::string Ext = LowerCase(ExtractFileExt(FileName));
  const bool Unit = Ext == ".pas";
  std::string Tool = "dcc32.exe";
  std::string Options = "-q -b";
  if (IsBuilder(Ver)) {
    Tool = Unit ? "dcc32.exe" : "make.exe";
    Options = Unit ? "-q -b -JPHN" : "-B -f";
  }
  const std::string Bin = GetSpecificDelphiDir(Ver) + "Bin" + PathDelim;
  const std::string Command = QuoteFileName(Bin + Tool) + " " + Options + " " + QuoteFileName(FileName);
  if (!RunProgram(Command, ExtractFileDir(FileName), Messages, true)) {
    Messages = ConvertErrors(Messages);
    return false;
  }
  std::string Product;
  if (Unit) {
    Product = ChangeFileExt(FileName, ".dcu");
  } else if (Ext == ".dpk") {
    Product = ChangeFileExt(FileName, PackageExts[Ver]);
    (void)DeleteFile(ChangeFileExt(FileName, ".dcu"));  // by-products that may not be there
    (void)DeleteFile(ChangeFileExt(FileName, ".dcp"));
  } else if (Ext == ".bpk" || Ext == ".mak") {
    Product = ChangeFileExt(FileName, PackageExts[Ver]);
    (void)DeleteFile(ChangeFileExt(FileName, ".tds"));  // by-products that may not be there
    (void)DeleteFile(ChangeFileExt(FileName, ".obj"));
  } else if (Ext == ".dpr") {
    Product = ChangeFileExt(FileName, ".exe");
  }
  if (!Product.empty()) {
    OutFile = AddSlash(DestDir) + ExtractFileName(Product);
    if (OutFile != Product) {
      (void)MoveReplacing(Product, OutFile);  // a missing product leaves OutFile naming where it would be
    }
  }
  return true;
}

}  // namespace Dcapi
