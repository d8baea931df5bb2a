// File searching with callbacks, attributes, backup names, parameters in text files, relative paths, the
// development environments' defines and folders, COM-server registration and the suite's small log.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Variants.h"
#include "platform/win/OleAuto.h"
#include "suitebase/Dcapiide.h"

#include <functional>
#include <string>

namespace Dorazori {

// Path is the folder with a trailing separator. Setting AContinue to false ends the listing of that folder.
using TFileFoundCallBack = std::function<void(const std::string& Path, const TSearchRec& SearchRec, bool& AContinue)>;
// Reports the entries of Mask's folder matching it and Attr (an entry whose attributes share a bit with Attr,
// or a plain file when Attr holds any of 0x2F); with Recursive, then searches every subfolder not beginning
// with "." for the same name part. Gives the number reported.
Integer ForEachFile(const std::string& Mask, Integer Attr, bool Recursive, const TFileFoundCallBack& CallBack);
void FindFiles(const std::string& Mask, Integer Attr, bool Recursive, TStrings* List);
// Masks separated by ";" (empty: "*"); the names found, sorted, each once (as found: names are case
// sensitive here).
void FindFilesEx(const std::string& Dir, const std::string& Masks, Integer Attr, bool Recursive, TStrings* List);

void ModifyFileAttr(const std::string& FileName, Integer Remove, Integer Add);
void ModifyFilesAttr(TStrings* List, Integer Remove, Integer Add);
void ModifyFilesAttrInFolder(const std::string& Mask, Integer Remove, Integer Add, bool Recursive);
// unit1.pas gives unit1.~pa; readme gives readme.~.
std::string FileBakName(const std::string& FileName);
void RenameToBak(const std::string& FileName);
std::string ChangeFileName(const std::string& FileName, const std::string& NewName);
std::string DCChangeFilePath(const std::string& FileName, const std::string& NewDir);
void DCChangeFilePathInStrings(TStrings* List, const std::string& NewDir);
void DCChangeFileExtInStrings(TStrings* List, const std::string& NewExt);
std::string ExtractOnlyName(const std::string& FileName);
// Dest gets the folders of Source's lines, sorted, each once (Source may be Dest).
void ExtractFilePaths(TStrings* Source, TStrings* Dest);
std::string RemoveExtraSlash(const std::string& S);  // "//" becomes "/", left to right
void SaveStringToFile(const std::string& FileName, const std::string& S);
std::string AppFolder();

// Replaces Marker + name + Marker (case ignored) by the value of each name=value line of Params, in order.
std::string ChangeParamsEx(const std::string& S, TStrings* Params, const std::string& Marker);
void ChangeParamsInStringsEx(TStrings* List, TStrings* Params, const std::string& Marker);
void ChangeParamsInStrings(TStrings* List, TStrings* Params);
void ChangeParamsInFile(const std::string& FileName, TStrings* Params);
void ChangeParamsInFiles(const std::string& Dir, const std::string& Masks, Integer Attr, TStrings* Params,
                         bool Recursive);

// Path made absolute against BaseDir (AddSlash(BaseDir) for an empty Path).
std::string DCExpandRelativePathEx(const std::string& BaseDir, const std::string& Path);
std::string DCExpandRelativeFileEx(const std::string& BaseDir, const std::string& FileName);
// FileName when it exists, else the first existing one relative to the ";"-separated folders; "" when none.
std::string DCRelativeFileSearch(const std::string& FileName, const std::string& SearchPath);
bool DCGetUnitSource(std::string& FileName, const std::string& SearchPath, TStrings* Lines);

bool UnderWindowsNT();
bool CompiledWithPackages();  // false: no package module is ever loaded
// The start of the loaded module (program or library) holding Address; null when none does.
void* GetClassModule(const void* Address);
Dcapi::TDelphiVers StrToDelphiVers(const std::string& S);
bool DCGetDelphiVerFromDefinesStr(const std::string& Defines, Dcapi::TDelphiVer& Ver);
void DCGetDelphiSourceDirsAsStrings(Dcapi::TDelphiVer Ver, TStrings* List);
void DCRemoveVCLPaths(TStrings* List, Dcapi::TDelphiVer Ver);
// The type name of an OLE variant type code (0 to 31).
std::string ConvertDelphiTypeToString(Integer VarType);

inline constexpr const char* SErrOCXLoadFail = "Failed to load \"%s\"";
inline constexpr const char* SErrOCXCantFindProc = "%s procedure not found in \"%s\"";
inline constexpr const char* SErrOCXRegFail = "Call to %s failed in \"%s\"";
// Loads the library and calls its DllRegisterServer; raises Exception with the texts above on failure.
void RegisterOCX(const std::string& FileName);
std::string ExtractActiveXHint(const std::string& S);
// The name of a registered type library: the default value of the first version key below TypeLib\<GUID> of the
// class registration; empty when the library is not registered.
std::string GetTypeLibName(REFGUID Guid);
// Puts a property through the automation interface: one argument named as the put argument, by reference when
// Value holds an automation object. The call's result.
HRESULT SetPropByDispatch(IDispatch* Dispatch, DISPID DispID, const Variant& Value);

// Logging: WriteToLog hands the value to WriteLogEvent when set.
using TWriteLogEvent = std::function<void(const Variant& V)>;
extern TWriteLogEvent WriteLogEvent;
extern bool DCLogFileShowGUID;
extern bool DCLogFileShowTime;
extern bool DCLogFileWriteln;
extern Integer DCLogSuspend;
void WriteToLog(const Variant& V);
void MapLogFileToWriteln();
// Appends one line to the program's ".LOG" file beside it; failures are swallowed.
void DoWriteToLog(const Variant& V);
// The program's folder + "LOGS/" (created) + a new GUID + ".log".
std::string GetLogDataFileName();
// The file DoWriteToLog writes: the program's path with the extension ".LOG".
std::string LogFileName();

}  // namespace Dorazori
