// Setup and design-tool routines: paths, folders, shortcuts, uninstall entries, resources, templates, scripts,
// strings and GUID texts.
#include "suitebase/Dcapi.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"
#include "platform/win/MmSystem.h"
#include "platform/win/Processes.h"
#include "platform/win/Resources.h"
#include "platform/win/Shell.h"
#include "platform/win/ShlObj.h"
#include "suitebase/Dcapiide.h"

#include <fstream>
#include <vector>

namespace Dcapi {

namespace {
inline constexpr DWORD TempFileNameSize = 1024;
inline constexpr const char* FilesSubKey = "Files";
inline constexpr const char* DelmeScript = "$delme.sh";
inline constexpr int DelmeTries = 60;
inline constexpr DWORD VolumeCapability = 1;

std::string AppKey(const std::string& AppName) { return std::string(UninstallKey) + "\\" + AppName; }

// Opens (creating) a key of the machine hive, runs Body on it and closes it.
void WithMachineKey(const std::string& SubKey, const std::function<void(HKEY)>& Body) {
  if (HKEY Key = CreateRegKey(HKEY_LOCAL_MACHINE, SubKey)) {
    Body(Key);
    (void)RegCloseKey(Key);  // closing an open handle cannot fail in a way the caller could act on
  }
}

std::string SpecialFolder(int Csidl) { return AddSlash(SpecialFolderPath(Csidl)); }
}  // namespace

std::string AddSlash(const std::string& Path) {
  if (Path.empty() || Path.back() == PathDelim) {
    return Path;
  }
  return Path + PathDelim;
}

std::string RemoveSlash(const std::string& Path) {
  if (!Path.empty() && Path.back() == PathDelim) {
    return Path.substr(0, Path.size() - 1);
  }
  return Path;
}

std::string DCUpFolder(const std::string& Path) {
  if (Path.empty()) {
    return "";
  }
  const std::string Trimmed = RemoveSlash(Path);
  if (Trimmed.empty()) {
    return Path;  // the root keeps its separator
  }
  const std::size_t Last = Trimmed.rfind(PathDelim);
  if (Last == std::string::npos) {
    return Path;
  }
  return Last == 0 ? std::string(1, PathDelim) : Trimmed.substr(0, Last);
}

void CreateAllDirectories(const std::string& Dir, TStrings* Created) {
  const std::string Folder = RemoveSlash(Dir);
  if (Folder.empty()) {
    return;
  }
  const std::string Parent = Folder.substr(0, Folder.rfind(PathDelim) + 1);
  if (Folder.size() > 1 && !DirectoryExists(Folder) && Folder != Parent) {
    CreateAllDirectories(Parent, Created);
    if (CreateDir(Folder) && Created != nullptr) {
      Created->Add(Folder);
    }
  }
}

void CreateFolders(TStrings* Folders) {
  for (Integer I = 0; Folders != nullptr && I < Folders->Count(); ++I) {
    CreateAllDirectories(Folders->Strings(I), nullptr);
  }
}

std::string GetTemporaryPath() {
  std::string Path = GetTempPathString();
  if (Path.size() > 1) {
    Path = RemoveSlash(Path);
  }
  return Path;
}

std::string GetTemporaryFileName(const std::string& Prefix) {
  std::vector<char> Buffer(TempFileNameSize, '\0');
  if (GetTempFileName(GetTemporaryPath().c_str(), Prefix.c_str(), 0, Buffer.data()) == 0) {
    return "";
  }
  return Buffer.data();
}

std::string SystemDirectory() { return SpecialFolder(CSIDL_SYSTEM); }
std::string WindowsDirectory() { return SpecialFolder(CSIDL_WINDOWS); }
std::string ProgramFilesDirectory() { return SpecialFolder(CSIDL_PROGRAM_FILES); }
std::string StartMenuProgramsFolder() { return SpecialFolder(CSIDL_PROGRAMS); }

void CreateLink(const std::string& LinkFile, const std::string& Target, const std::string& Description,
                const std::string& WorkDir) {
  std::string Name = LinkFile;
  if (Name.size() >= 4 && SameText(Name.substr(Name.size() - 4), ".lnk")) {
    Name = Name.substr(0, Name.size() - 4) + ".desktop";
  }
  TDesktopEntry Entry;
  Entry.Set("Type", "Application");
  Entry.Set("Name", Description.empty() ? ExtractFileName(Target) : Description);
  Entry.Set("Exec", QuoteFileName(Target));
  if (!Description.empty()) {
    Entry.Set("Comment", Description);
  }
  if (!WorkDir.empty()) {
    Entry.Set("Path", WorkDir);
  }
  std::ofstream Out(Name, std::ios::binary | std::ios::trunc);
  Out << FormatDesktopEntry(Entry);
}

HKEY CreateRegKey(HKEY Root, const std::string& SubKey) {
  HKEY Key = 0;
  DWORD Disposition = 0;
  if (RegCreateKeyEx(Root, SubKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &Key,
                     &Disposition) != ERROR_SUCCESS) {
    return 0;
  }
  return Key;
}

LONG ChangeRegStrValue(HKEY Key, const std::string& ValueName, const std::string& Value) {
  return RegSetValueEx(Key, ValueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.data()),
                       static_cast<DWORD>(Value.size()));
}

bool IsAppInstalled(const std::string& AppName) {
  HKEY Key = 0;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, AppKey(AppName).c_str(), 0, KEY_ALL_ACCESS, &Key) != ERROR_SUCCESS) {
    return false;
  }
  (void)RegCloseKey(Key);  // only the opening was asked about
  return true;
}

void AddUnInstaller(const std::string& AppName, const std::string& UninstallCmd) {
  WithMachineKey(AppKey(AppName), [&](HKEY Key) {
    (void)ChangeRegStrValue(Key, "DisplayName", AppName);  // setups report no registry errors
    (void)ChangeRegStrValue(Key, "UninstallString", UninstallCmd);
  });
}

void AddUnInstallInfo(const std::string& AppName, const std::string& ValueName, const std::string& Value) {
  WithMachineKey(AppKey(AppName), [&](HKEY Key) {
    (void)ChangeRegStrValue(Key, ValueName, Value);  // setups report no registry errors
  });
}

void GetUnInstallInfo(const std::string& AppName, const std::string& ValueName, std::string& Value) {
  WithMachineKey(AppKey(AppName), [&](HKEY Key) {
    DWORD Type = 0;
    DWORD Size = 0;
    if (RegQueryValueEx(Key, ValueName.c_str(), nullptr, &Type, nullptr, &Size) != ERROR_SUCCESS) {
      return;
    }
    std::string Data(Size, '\0');
    if (RegQueryValueEx(Key, ValueName.c_str(), nullptr, &Type, reinterpret_cast<BYTE*>(Data.data()), &Size) ==
        ERROR_SUCCESS) {
      Data.resize(Size);
      Value = Data;
    }
  });
}

void RemoveUnInstaller(const std::string& AppName) {
  HKEY Key = 0;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_ALL_ACCESS, &Key) != ERROR_SUCCESS) {
    return;
  }
  (void)RegDeleteKey(Key, AppName.c_str());  // a plain deletion: a key with a "Files" subkey stays
  (void)RegFlushKey(Key);
  (void)RegCloseKey(Key);
}

void AddUnInstallFilesInfo(const std::string& AppName, TStrings* Files) {
  WithMachineKey(AppKey(AppName) + "\\" + FilesSubKey, [&](HKEY Key) {
    const DWORD Zero = 0;
    for (Integer I = 0; Files != nullptr && I < Files->Count(); ++I) {
      (void)RegSetValueEx(Key, Files->Strings(I).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Zero),
                          sizeof Zero);  // setups report no registry errors
    }
  });
}

void GetUninstallFilesInfo(const std::string& AppName, TStrings* Names) {
  WithMachineKey(AppKey(AppName) + "\\" + FilesSubKey, [&](HKEY Key) {
    Names->Clear();
    char Name[1024];
    for (DWORD I = 0;; ++I) {
      DWORD Len = sizeof Name;
      if (RegEnumValue(Key, I, Name, &Len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        break;
      }
      Names->Add(std::string(Name, Len));
    }
  });
}

void RemoveUninstallFilesInfo(const std::string& AppName) {
  WithMachineKey(AppKey(AppName), [&](HKEY Key) {
    (void)RegDeleteKey(Key, FilesSubKey);  // nothing to do when it is not there
  });
}

bool InstallCheckPrevVersion(const std::string& AppName) {
  if (!IsAppInstalled(AppName)) {
    return true;
  }
  const std::string Text = Format(
      "Setup has detected that previous version of %s is already installed. It is highly recommended that you "
      "uninstall previous version before you can install %s.\r\n\r\nPress the OK button to continue the "
      "installation.\r\nPress the Cancel button to abort the installation.",
      {AppName, AppName});
  return MessageBox(0, Text.c_str(), "Installation Error", MB_OKCANCEL | MB_ICONERROR) == IDOK;
}

HGLOBAL GetResData(const std::string& ResName, const void*& Data, DWORD& Size) {
  Data = nullptr;
  Size = 0;
  const HRSRC Res = FindResource(0, ResName.c_str(), RT_RCDATA);
  if (Res == 0) {
    return 0;
  }
  const HGLOBAL Handle = LoadResource(0, Res);
  Data = LockResource(Handle);
  Size = Data != nullptr ? SizeofResource(0, Res) : 0;
  return Handle;
}

void ReleaseResData(HGLOBAL Handle) {
  if (Handle != 0) {
    (void)FreeResource(Handle);  // registered resources live as long as the program
  }
}

std::string LoadStringFromRCData(const std::string& ResName) {
  const void* Data = nullptr;
  DWORD Size = 0;
  const HGLOBAL Handle = GetResData(ResName, Data, Size);
  std::string Result = Data != nullptr ? std::string(static_cast<const char*>(Data), Size) : "";
  ReleaseResData(Handle);
  return Result;
}

std::string ProcessFileTemplate(const std::string& Text) {
  static const TTemplateInfo Templates[] = {
      {"%SYSTEM%", SystemDirectory},
      {"%WINDOWS%", WindowsDirectory},
      {"%PROGRAMFILES%", ProgramFilesDirectory},
      {"%C1_HELP%", [] { return GetDelphiHelpFolder(dvC1); }},
      {"%C3_HELP%", [] { return GetDelphiHelpFolder(dvC3); }},
      {"%D2_HELP%", [] { return GetDelphiHelpFolder(dvD2); }},
      {"%D3_HELP%", [] { return GetDelphiHelpFolder(dvD3); }},
      {"%D4_HELP%", [] { return GetDelphiHelpFolder(dvD4); }},
  };
  std::string Result = Text;
  for (const TTemplateInfo& T : Templates) {
    const std::string Macro = T.Macro;
    // The search goes on after each inserted value, so a value holding the macro is left alone.
    for (std::size_t At = Result.find(Macro); At != std::string::npos; At = Result.find(Macro, At)) {
      const std::string Value = T.Value();
      Result.replace(At, Macro.size(), Value);
      At += Value.size();
    }
  }
  return Result;
}

int RunBatFileEx(const std::string& CommandLine, bool Wait) {
  STARTUPINFO Startup;
  Startup.dwFlags = STARTF_USESHOWWINDOW;
  Startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION Info;
  std::string Line = CommandLine;
  if (!CreateProcess(nullptr, Line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, &Startup,
                     &Info)) {
    return -1;
  }
  if (Wait) {
    (void)WaitForSingleObject(Info.hProcess, INFINITE);  // the exit code below says how it ended
  }
  DWORD Code = 0;
  (void)GetExitCodeProcess(Info.hProcess, &Code);  // the handle is ours and valid
  (void)CloseHandle(Info.hProcess);
  return static_cast<int>(Code);
}

int RunBatFile(const std::string& CommandLine) { return RunBatFileEx(CommandLine, false); }

void RemoveFile(const std::string& FileName) {
  if (DeleteFile(FileName)) {
    return;
  }
  // Single quotes: "$delme" inside double quotes would be read as a shell variable.
  const auto ShellQuote = [](const std::string& S) { return "'" + StringReplace(S, "'", "'\\''", rfReplaceAll) + "'"; };
  const std::string Q = ShellQuote(FileName);
  const std::string Script = ExtractFilePath(FileName) + DelmeScript;
  {
    std::ofstream Out(Script, std::ios::binary | std::ios::trunc);
    Out << "n=0\n"
        << "while [ -e " << Q << " ] && [ $n -lt " << DelmeTries << " ]; do\n"
        << "  rm -f " << Q << " && break\n"
        << "  n=$((n+1)); sleep 1\n"
        << "done\n"
        << "rm -f " << ShellQuote(Script) << "\n";
  }
  (void)RunBatFile(QuoteFileName(Script));  // not waited for: the script finishes on its own
}

std::string ExtractNamePartEx(const std::string& S, const std::string& Sep) {
  const std::size_t At = Sep.empty() ? std::string::npos : S.find(Sep);
  return At == std::string::npos ? "" : S.substr(0, At);
}

std::string ExtractNamePart(const std::string& S) { return ExtractNamePartEx(S, "="); }

std::string ExtractValuePartEx(const std::string& S, const std::string& Sep) {
  const std::size_t At = Sep.empty() ? std::string::npos : S.find(Sep);
  return At == std::string::npos ? "" : S.substr(At + Sep.size());
}

std::string ExtractValuePart(const std::string& S) { return ExtractValuePartEx(S, "="); }

int IndexOfValue(TStrings* Strings, const std::string& Value) {
  for (Integer I = 0; Strings != nullptr && I < Strings->Count(); ++I) {
    if (ExtractValuePart(Strings->Strings(I)) == Value) {
      return I;
    }
  }
  return -1;
}

std::string Quote(const std::string& S, char Ch) { return Ch + S + Ch; }
std::string QuoteFileName(const std::string& S) { return Quote(S, '"'); }
std::string StringFromGUID(REFGUID Guid) { return GUIDToString(Guid); }

std::string GetUniqueString(const std::string& Prefix) {
  GUID Guid;
  (void)CoCreateGuid(&Guid);  // the random source does not fail
  return Prefix + StringFromGUID(Guid);
}

int GetCDDeviceID() {
  for (UINT I = 0; I < auxGetNumDevs(); ++I) {
    AUXCAPS Caps;
    if (auxGetDevCaps(I, &Caps, sizeof Caps) == MMSYSERR_NOERROR && (Caps.dwSupport & VolumeCapability) != 0) {
      return static_cast<int>(I);
    }
  }
  return -1;
}

int SetCDAudioVolume(int Volume) {
  const int Device = GetCDDeviceID();
  if (Device < 0) {
    return -1;
  }
  return static_cast<int>(auxSetVolume(static_cast<UINT>(Device), static_cast<DWORD>(Volume) * 0x1000100u));
}

int GetCDAudioVolume() {
  const int Device = GetCDDeviceID();
  DWORD Volume = 0;
  if (Device < 0 || auxGetVolume(static_cast<UINT>(Device), &Volume) != MMSYSERR_NOERROR) {
    return -1;
  }
  return static_cast<int>((Volume & 0xFFFF) / 512 + (Volume >> 16) / 512);
}

}  // namespace Dcapi
