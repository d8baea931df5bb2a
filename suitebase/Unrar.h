// The RAR extraction library ("unrar.dll", loaded on first use): its loader, thin wrappers of its seven entry
// points, and ExtractRARFile, which unpacks a whole archive.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/win/Modules.h"

#include <functional>
#include <string>

namespace Dcapi {

// The library's published records; this unit sets the archive name and open mode of the first and reads the
// entry's name and attributes of the second.
struct TRAROpenArchiveData {
  char* ArcName = nullptr;
  UINT OpenMode = 0;  // 1: extract
  UINT OpenResult = 0;
  char* CmtBuf = nullptr;
  UINT CmtBufSize = 0;
  UINT CmtSize = 0;
  UINT CmtState = 0;
};
struct TRARHeaderData {
  char ArcName[260] = {};
  char FileName[260] = {};
  UINT Flags = 0;
  UINT PackSize = 0;
  UINT UnpSize = 0;
  UINT HostOS = 0;
  UINT FileCRC = 0;
  UINT FileTime = 0;
  UINT UnpVer = 0;
  UINT Method = 0;
  UINT FileAttr = 0;  // 0x10: a folder
  char* CmtBuf = nullptr;
  UINT CmtBufSize = 0;
  UINT CmtSize = 0;
  UINT CmtState = 0;
};
enum TRARFileOperation { opSkip = 0, opTest = 1, opExtract = 2 };
using TRARChangeVolProc = int (*)(char* ArcName, int Mode);
using TRARProcessDataProc = int (*)(unsigned char* Addr, int Size);
using TRARFileExtractCallBack =
    std::function<TRARFileOperation(const TRARHeaderData& Header, std::string& DestPath, std::string& DestName)>;

inline constexpr const char* SCantLoadUnRAR = "Can't load UNRAR.DLL";
extern HMODULE UnRARDLLHandle;
// Loads the library (raising SCantLoadUnRAR when it does not load) and looks up its entry points.
void LoadUnRARFromFile(const std::string& FileName);
void LoadUnRAR();  // "unrar.dll", unless a library is loaded
void UnloadUnRAR();

HANDLE RAROpenArchive(TRAROpenArchiveData& Data);
int RARCloseArchive(HANDLE Handle);
int RARReadHeader(HANDLE Handle, TRARHeaderData& Header);
int RARProcessFile(HANDLE Handle, int Operation, const std::string& DestPath, const std::string& DestName);
void RARSetChangeVolProc(HANDLE Handle, TRARChangeVolProc Proc);
void RARSetProcessDataProc(HANDLE Handle, TRARProcessDataProc Proc);
void RARSetPassword(HANDLE Handle, const std::string& Password);

HANDLE OpenRARFile(const std::string& ArchiveName);
// False when the archive does not open. Entries go to DestDir, or, when SystemFiles names their file name, to the
// system folder; an entry whose name is absolute or climbs out with ".." is skipped and makes no folder. The lists
// get the folders made (outermost first) and the files' destination names.
bool ExtractRARFile(const std::string& ArchiveName, const std::string& DestDir, const TRARFileExtractCallBack& Callback,
                    TStrings* SystemFiles, TStrings* CreatedDirs, TStrings* ExtractedFiles);

}  // namespace Dcapi
