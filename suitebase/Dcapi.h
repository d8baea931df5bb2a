// Setup and design-tool routines without state: paths and folders, special folders, temporary files,
// shortcuts, registry keys and uninstall entries, RCDATA resources, file templates, hidden scripts, name=value
// strings, quoting, GUID texts and the CD-audio volume.
#pragma once

#include "core/Dcapi.h"
#include "platform/classes/Classes.h"
#include "platform/win/Guids.h"
#include "platform/win/WinReg.h"

#include <functional>
#include <string>

namespace Dcapi {

// Paths use the platform's separator ('/').
std::string AddSlash(const std::string& Path);     // "" stays ""
std::string RemoveSlash(const std::string& Path);  // removes one trailing separator
// The parent folder: "/data/a/Sub/" gives "/data/a", "/data" gives "/", "/" stays "/", a text without a
// separator stays as it is, "" stays "".
std::string DCUpFolder(const std::string& Path);
// Creates Dir and every missing folder above it; each one made is appended to Created (when given), outermost
// first. Failures are not reported.
void CreateAllDirectories(const std::string& Dir, TStrings* Created);
void CreateFolders(TStrings* Folders);

// The temporary folder without its trailing separator (the root keeps it); a new empty file in it.
std::string GetTemporaryPath();
std::string GetTemporaryFileName(const std::string& Prefix);
// The per-user folders a setup writes, each with a trailing separator.
std::string SystemDirectory();
std::string WindowsDirectory();
std::string ProgramFilesDirectory();
std::string StartMenuProgramsFolder();
// Writes a desktop entry (a LinkFile ending in ".lnk" is written as ".desktop") starting Target; nothing when
// it cannot be written.
void CreateLink(const std::string& LinkFile, const std::string& Target, const std::string& Description,
                const std::string& WorkDir);

// Registry and the list of installed programs (HKEY_LOCAL_MACHINE).
inline constexpr const char* UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
HKEY CreateRegKey(HKEY Root, const std::string& SubKey);  // 0 when it cannot be opened or created
[[nodiscard]] LONG ChangeRegStrValue(HKEY Key, const std::string& ValueName, const std::string& Value);
bool IsAppInstalled(const std::string& AppName);
void AddUnInstaller(const std::string& AppName, const std::string& UninstallCmd);
void AddUnInstallInfo(const std::string& AppName, const std::string& ValueName, const std::string& Value);
void GetUnInstallInfo(const std::string& AppName, const std::string& ValueName, std::string& Value);
void RemoveUnInstaller(const std::string& AppName);
void AddUnInstallFilesInfo(const std::string& AppName, TStrings* Files);
void GetUninstallFilesInfo(const std::string& AppName, TStrings* Names);
void RemoveUninstallFilesInfo(const std::string& AppName);
// True when not installed; otherwise asks (OK / Cancel) and gives true for OK.
bool InstallCheckPrevVersion(const std::string& AppName);

// RCDATA resources of the running module: the handle (0 when there is none, Data null and Size 0).
HGLOBAL GetResData(const std::string& ResName, const void*& Data, DWORD& Size);
void ReleaseResData(HGLOBAL Handle);
std::string LoadStringFromRCData(const std::string& ResName);  // "" when there is none

// Replaces the folder macros ("%SYSTEM%", "%WINDOWS%", "%PROGRAMFILES%" and the help folders), case
// sensitive; a value holding its own macro is not replaced again.
struct TTemplateInfo {
  const char* Macro;
  std::function<std::string()> Value;
};
std::string ProcessFileTemplate(const std::string& Text);
// Starts CommandLine hidden; waits when Wait. The exit code (STILL_ACTIVE, 259, while it runs), or -1 when it
// could not be started.
int RunBatFileEx(const std::string& CommandLine, bool Wait);
int RunBatFile(const std::string& CommandLine);
// Deletes the file, or leaves it to a hidden script "$delme.sh" in its folder that retries once a second (at
// most 60 times) and then deletes itself.
void RemoveFile(const std::string& FileName);

std::string ExtractNamePartEx(const std::string& S, const std::string& Sep);
std::string ExtractNamePart(const std::string& S);
std::string ExtractValuePartEx(const std::string& S, const std::string& Sep);
std::string ExtractValuePart(const std::string& S);
int IndexOfValue(TStrings* Strings, const std::string& Value);
std::string Quote(const std::string& S, char Ch);
std::string QuoteFileName(const std::string& S);
std::string StringFromGUID(REFGUID Guid);
std::string GetUniqueString(const std::string& Prefix);

// The first auxiliary audio device with volume control; -1 when there is none (always, here).
int GetCDDeviceID();
int SetCDAudioVolume(int Volume);
int GetCDAudioVolume();

}  // namespace Dcapi
