// File, path and environment utilities and the suite's log.
#include "suitebase/Fileutils.h"

#include "platform/classes/Registry.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Files.h"
#include "platform/win/Guids.h"
#include "platform/win/Modules.h"
#include "suitebase/Dcapi.h"
#include "suitebase/Suitestrings.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <dlfcn.h>
#include <fstream>
#include <iostream>
#include <vector>

namespace Dorazori {

TWriteLogEvent WriteLogEvent;
bool DCLogFileShowGUID = false;
bool DCLogFileShowTime = false;
bool DCLogFileWriteln = false;
Integer DCLogSuspend = 0;

namespace {
inline constexpr Integer PlainFileAttrs = faReadOnly | faHidden | faSysFile | faVolumeID | faArchive;  // 0x2F
inline constexpr Integer NormalAttr = 0x80;
inline constexpr char ListSep = ';';

// The process's own identifier, shown in front of log lines when asked.
const std::string& ProcessGUID() {
  static const std::string Text = [] {
    GUID G;
    (void)CoCreateGuid(&G);  // the random source does not fail
    return GUIDToString(G);
  }();
  return Text;
}

bool Reported(const TSearchRec& F, Integer Attr) {
  return (F.Attr & Attr) != 0 || ((F.Attr == 0 || F.Attr == NormalAttr) && (Attr & PlainFileAttrs) != 0);
}

// Calls Proc for each blank-free, non-empty part of a ";"-separated list.
void ForEachListPart(const std::string& List, const std::function<void(const std::string&)>& Proc) {
  TStringList Parts;
  Vivaridiriz::ParseString(List, ListSep, &Parts);
  for (Integer I = 0; I < Parts.Count(); ++I) {
    const std::string Part = Trim(Parts[I]);
    if (!Part.empty()) {
      Proc(Part);
    }
  }
}

// Runs Proc on a list that is unsorted for the time being.
void WithUnsorted(TStrings* List, const std::function<void()>& Proc) {
  auto* Sorted = dynamic_cast<TStringList*>(List);
  const bool WasSorted = Sorted != nullptr && Sorted->Sorted();
  if (WasSorted) {
    Sorted->SetSorted(false);
  }
  Proc();
  if (WasSorted) {
    Sorted->SetSorted(true);
  }
}
}  // namespace

Integer ForEachFile(const std::string& Mask, Integer Attr, bool Recursive, const TFileFoundCallBack& CallBack) {
  if (!CallBack) {
    return 0;
  }
  const std::string Folder = ExtractFilePath(Mask);
  const std::string NamePart = ExtractFileName(Mask);
  Integer Count = 0;
  TSearchRec F;
  if (FindFirst(Mask, Attr, F) == 0) {
    bool Continue = true;
    do {
      if (Reported(F, Attr)) {
        ++Count;
        CallBack(Folder, F, Continue);
      }
    } while (Continue && FindNext(F) == 0);
    FindClose(F);
  }
  if (Recursive && FindFirst(Folder + "*", faDirectory, F) == 0) {
    do {
      if ((F.Attr & faDirectory) != 0 && !F.Name.empty() && F.Name[0] != '.') {
        Count += ForEachFile(Folder + F.Name + PathDelim + NamePart, Attr, true, CallBack);
      }
    } while (FindNext(F) == 0);
    FindClose(F);
  }
  return Count;
}

void FindFiles(const std::string& Mask, Integer Attr, bool Recursive, TStrings* List) {
  List->BeginUpdate();
  List->Clear();
  (void)ForEachFile(Mask, Attr, Recursive, [List](const std::string& Path, const TSearchRec& F, bool&) {
    List->Add(Path + F.Name);
  });  // the list holds what was found
  List->EndUpdate();
}

void FindFilesEx(const std::string& Dir, const std::string& Masks, Integer Attr, bool Recursive, TStrings* List) {
  // File names here are case sensitive: they are kept as found (upper-cased they would name nothing), ordered by
  // their bytes, and a file that several masks match is listed once. They are gathered and sorted once rather
  // than inserted one by one into a sorted list.
  std::vector<std::string> All;
  ForEachListPart(Masks.empty() ? std::string("*") : Masks, [&](const std::string& Mask) {
    (void)ForEachFile(Dcapi::AddSlash(Dir) + Mask, Attr, Recursive,
                      [&All](const std::string& Path, const TSearchRec& F, bool&) { All.push_back(Path + F.Name); });
  });
  std::sort(All.begin(), All.end());
  All.erase(std::unique(All.begin(), All.end()), All.end());
  List->BeginUpdate();
  List->Clear();
  for (const std::string& Name : All) {
    List->Add(Name);
  }
  List->EndUpdate();
}

void ModifyFileAttr(const std::string& FileName, Integer Remove, Integer Add) {
  const Integer Old = FileGetAttr(FileName);
  (void)FileSetAttr(FileName, (Old & ~Remove) | Add);  // the log line is the only report
  WriteToLog(Variant("Setting file attr to " + FileName));
}

void ModifyFilesAttr(TStrings* List, Integer Remove, Integer Add) {
  for (Integer I = 0; I < List->Count(); ++I) {
    ModifyFileAttr(List->Strings(I), Remove, Add);
  }
}

void ModifyFilesAttrInFolder(const std::string& Mask, Integer Remove, Integer Add, bool Recursive) {
  TStringList Files;
  FindFiles(Mask, PlainFileAttrs, Recursive, &Files);
  ModifyFilesAttr(&Files, Remove, Add);
}

std::string FileBakName(const std::string& FileName) {
  const std::string Ext = ExtractFileExt(FileName);
  const std::string NewExt = Ext.empty() ? ".~" : ("." + ("~" + Ext.substr(1))).substr(0, 4);
  return ChangeFileExt(FileName, NewExt);
}

void RenameToBak(const std::string& FileName) {
  if (FileExists(FileName)) {
    const std::string Bak = FileBakName(FileName);
    (void)DeleteFile(Bak);            // there may be none
    (void)RenameFile(FileName, Bak);  // a failure leaves the file where it was
  }
}

std::string ChangeFileName(const std::string& FileName, const std::string& NewName) {
  return ExtractFilePath(FileName) + NewName;
}

std::string DCChangeFilePath(const std::string& FileName, const std::string& NewDir) {
  return Dcapi::AddSlash(NewDir) + ExtractFileName(FileName);
}

void DCChangeFilePathInStrings(TStrings* List, const std::string& NewDir) {
  WithUnsorted(List, [&] {
    for (Integer I = 0; I < List->Count(); ++I) {
      List->SetStrings(I, DCChangeFilePath(List->Strings(I), NewDir));
    }
  });
}

void DCChangeFileExtInStrings(TStrings* List, const std::string& NewExt) {
  WithUnsorted(List, [&] {
    for (Integer I = 0; I < List->Count(); ++I) {
      List->SetStrings(I, ChangeFileExt(List->Strings(I), NewExt));
    }
  });
}

std::string ExtractOnlyName(const std::string& FileName) { return ChangeFileExt(ExtractFileName(FileName), ""); }

void ExtractFilePaths(TStrings* Source, TStrings* Dest) {
  TStringList Paths;
  Paths.SetSorted(true);
  Paths.SetDuplicates(dupIgnore);
  for (Integer I = 0; I < Source->Count(); ++I) {
    Paths.Add(ExtractFilePath(Source->Strings(I)));
  }
  Dest->Assign(&Paths);
}

std::string RemoveExtraSlash(const std::string& S) {
  std::string Result = S;
  ReplaceAllOccur(Result, std::string(2, PathDelim), std::string(1, PathDelim));
  return Result;
}

void SaveStringToFile(const std::string& FileName, const std::string& S) {
  Dcapi::CreateAllDirectories(ExtractFilePath(FileName), nullptr);
  TStringList Lines;
  Lines.SetText(S);
  Lines.SaveToFile(FileName);
}

std::string AppFolder() { return ExtractFilePath(GetModuleFileNameString(nullptr)); }

std::string ChangeParamsEx(const std::string& S, TStrings* Params, const std::string& Marker) {
  std::string Result = S;
  for (Integer I = 0; Params != nullptr && I < Params->Count(); ++I) {
    const std::string Line = Params->Strings(I);
    const std::size_t Eq = Line.find('=');
    if (Eq == std::string::npos) {
      continue;
    }
    ReplaceAllOccurEx(Result, Marker + Trim(Line.substr(0, Eq)) + Marker, Trim(Line.substr(Eq + 1)), true);
  }
  return Result;
}

void ChangeParamsInStringsEx(TStrings* List, TStrings* Params, const std::string& Marker) {
  List->BeginUpdate();
  for (Integer I = 0; I < List->Count(); ++I) {
    List->SetStrings(I, ChangeParamsEx(List->Strings(I), Params, Marker));
  }
  List->EndUpdate();
}

void ChangeParamsInStrings(TStrings* List, TStrings* Params) { ChangeParamsInStringsEx(List, Params, "%"); }

void ChangeParamsInFile(const std::string& FileName, TStrings* Params) {
  TStringList Lines;
  Lines.LoadFromFile(FileName);
  ChangeParamsInStrings(&Lines, Params);
  Lines.SaveToFile(FileName);
}

void ChangeParamsInFiles(const std::string& Dir, const std::string& Masks, Integer Attr, TStrings* Params,
                         bool Recursive) {
  TStringList Files;
  FindFilesEx(Dir, Masks, Attr, Recursive, &Files);
  for (Integer I = 0; I < Files.Count(); ++I) {
    ChangeParamsInFile(Files[I], Params);
  }
}

std::string DCExpandRelativePathEx(const std::string& BaseDir, const std::string& Path) {
  if (Path.empty()) {
    return Dcapi::AddSlash(BaseDir);
  }
  if (IsAbsolutePath(Path)) {
    return ExpandFileName(Path);
  }
  // Joining with the base folder has the effect of changing the current folder for the expansion, without
  // touching the process's current folder that other threads see.
  return ExpandFileName(Dcapi::AddSlash(ExpandFileName(BaseDir)) + Path);
}

std::string DCExpandRelativeFileEx(const std::string& BaseDir, const std::string& FileName) {
  const std::string Folder = ExtractFilePath(FileName);
  const std::string Expanded = DCExpandRelativePathEx(BaseDir, Folder);
  return Dcapi::AddSlash(Expanded) + ExtractFileName(FileName);
}

std::string DCRelativeFileSearch(const std::string& FileName, const std::string& SearchPath) {
  if (FileExists(FileName)) {
    return FileName;
  }
  std::string Found;
  ForEachListPart(SearchPath, [&](const std::string& Folder) {
    if (Found.empty()) {
      const std::string Candidate = DCExpandRelativeFileEx(Folder, FileName);
      if (FileExists(Candidate)) {
        Found = Candidate;
      }
    }
  });
  return Found;
}

bool DCGetUnitSource(std::string& FileName, const std::string& SearchPath, TStrings* Lines) {
  Lines->Clear();
  const std::string Found = DCRelativeFileSearch(FileName, SearchPath);
  if (Found.empty()) {
    return false;
  }
  Lines->LoadFromFile(Found);
  FileName = Found;
  return true;
}

bool UnderWindowsNT() { return Win32Platform == static_cast<Integer>(VER_PLATFORM_WIN32_NT); }

bool CompiledWithPackages() { return false; }

void* GetClassModule(const void* Address) {
  Dl_info Info{};
  if (Address == nullptr || dladdr(Address, &Info) == 0) {
    return nullptr;
  }
  return Info.dli_fbase;
}

Dcapi::TDelphiVers StrToDelphiVers(const std::string& S) {
  std::string Compact;
  for (char C : S) {
    if (C != ' ') {
      Compact += C;
    }
  }
  TStringList Parts;
  Vivaridiriz::ParseString(Compact, ',', &Parts);
  Dcapi::TDelphiVers Result;
  for (int V = 0; V < Dcapi::DelphiVerCount; ++V) {
    for (Integer I = 0; I < Parts.Count(); ++I) {
      if (SameText(Parts[I], Dcapi::cDelphiVers[V])) {
        Result.Include(static_cast<Dcapi::TDelphiVer>(V));
      }
    }
  }
  return Result;
}

bool DCGetDelphiVerFromDefinesStr(const std::string& Defines, Dcapi::TDelphiVer& Ver) {
  TStringList List;
  Vivaridiriz::ParseString(Defines, ListSep, &List);
  return Dcapi::DCGetDelphiVerFromDefines(&List, Ver);
}

void DCGetDelphiSourceDirsAsStrings(Dcapi::TDelphiVer Ver, TStrings* List) {
  List->Clear();
  ForEachListPart(Dcapi::GetDelphiSourceDirsEx(Ver), [List](const std::string& Dir) { List->Add(Dir); });
}

void DCRemoveVCLPaths(TStrings* List, Dcapi::TDelphiVer Ver) {
  TStringList Vcl;
  DCGetDelphiSourceDirsAsStrings(Ver, &Vcl);
  for (Integer I = 0; I < Vcl.Count(); ++I) {
    Vcl.SetStrings(I, Dcapi::AddSlash(Vcl[I]));
  }
  for (Integer I = List->Count() - 1; I >= 0; --I) {
    const std::string Dir = Dcapi::AddSlash(List->Strings(I));
    if (Vcl.IndexOf(Dir) >= 0) {
      List->Delete(I);
    } else {
      List->SetStrings(I, Dir);
    }
  }
}

std::string ConvertDelphiTypeToString(Integer VarType) {
  static constexpr std::array<const char*, 32> Names = {
      "",          "",        "Smallint", "Longint",  "Single",  "Double",  "Currency",  "TDateTime",
      "PWideChar", "Pointer", "Integer",  "WordBool", "Variant", "Pointer", "PWideChar", "",
      "ShortInt",  "Byte",    "Word",     "Cardinal", "Variant", "Variant", "Integer",   "Cardinal",
      "Variant",   "HResult", "Pointer",  "Variant",  "Variant", "Variant", "PChar",     "PWideChar"};
  return VarType >= 0 && VarType < static_cast<Integer>(Names.size()) ? Names[static_cast<std::size_t>(VarType)] : "";
}

void RegisterOCX(const std::string& FileName) {
  static constexpr const char* ProcName = "DllRegisterServer";
  const HMODULE Module = LoadLibrary(FileName.c_str());
  if (Module == 0) {
    throw Exception(SErrOCXLoadFail, {FileName});
  }
  struct TRelease {
    HMODULE M;
    ~TRelease() { (void)FreeLibrary(M); }
  } Release{Module};
  using TRegisterProc = HRESULT (*)();
  const auto Proc = reinterpret_cast<TRegisterProc>(GetProcAddress(Module, ProcName));
  if (Proc == nullptr) {
    throw Exception(SErrOCXCantFindProc, {ProcName, FileName});
  }
  if (Proc() != S_OK) {
    throw Exception(SErrOCXRegFail, {ProcName, FileName});
  }
}

std::string ExtractActiveXHint(const std::string& S) {
  static const std::string Suffix = "CONTROL";
  const std::string Upper = AnsiUpperCase(S);
  if (Upper.size() >= Suffix.size() && Upper.compare(Upper.size() - Suffix.size(), Suffix.size(), Suffix) == 0) {
    return Trim(S.substr(0, S.size() - Suffix.size()));
  }
  return Trim(S);
}

std::string GetTypeLibName(REFGUID Guid) {
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CLASSES_ROOT);
  const std::string Key = "TypeLib\\" + GUIDToString(Guid);
  if (!Reg.OpenKeyReadOnly(Key)) {
    return {};
  }
  TStringList Versions;
  Reg.GetKeyNames(&Versions);
  if (Versions.Count() == 0 || !Reg.OpenKeyReadOnly("\\" + Key + "\\" + Versions[0])) {
    return {};
  }
  return Reg.ReadString("");
}

HRESULT SetPropByDispatch(IDispatch* Dispatch, DISPID DispID, const Variant& Value) {
  if (!Dispatch) {
    return E_POINTER;
  }
  Variant Arg = Value;
  DISPID Named = DISPID_PROPERTYPUT;
  DISPPARAMS Params;
  Params.rgvarg = &Arg;
  Params.rgdispidNamedArgs = &Named;
  Params.cArgs = 1;
  Params.cNamedArgs = 1;
  const WORD Flags = VariantHoldsDispatch(Value) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
  return Dispatch->Invoke(DispID, Flags, &Params, nullptr);
}

void WriteToLog(const Variant& V) {
  if (WriteLogEvent) {
    WriteLogEvent(V);
  }
}

void MapLogFileToWriteln() {
  WriteLogEvent = [](const Variant& V) { std::cout << VarToStr(V) << std::endl; };
}

std::string LogFileName() { return ChangeFileExt(GetModuleFileNameString(nullptr), ".LOG"); }

void DoWriteToLog(const Variant& V) {
  if (DCLogSuspend > 0) {
    return;
  }
  try {
    std::string Line;
    if (DCLogFileShowGUID) {
      Line += ProcessGUID() + " ";
    }
    if (DCLogFileShowTime) {
      Line += DateTimeToStr(Now()) + "  ";
    }
    Line += VarToStr(V);
    std::ofstream Out(LogFileName(), std::ios::binary | std::ios::app);
    Out << Line << "\r\n";
    if (DCLogFileWriteln) {
      std::cout << Line << std::endl;
    }
  } catch (...) {
    // Logging never disturbs the program.
  }
}

std::string GetLogDataFileName() {
  const std::string Folder = AppFolder() + "LOGS" + PathDelim;
  Dcapi::CreateAllDirectories(Folder, nullptr);
  GUID G;
  (void)CoCreateGuid(&G);  // the random source does not fail
  return Folder + GUIDToString(G) + ".log";
}

}  // namespace Dorazori
