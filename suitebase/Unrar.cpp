// The RAR extraction library's loader and wrappers, and the extraction of a whole archive.
#include "suitebase/Unrar.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/UnitInit.h"
#include "suitebase/Dcapi.h"

#include <cstring>

namespace Dcapi {

HMODULE UnRARDLLHandle = nullptr;

namespace {

using TOpenArchive = HANDLE (*)(TRAROpenArchiveData* Data);
using TCloseArchive = int (*)(HANDLE Handle);
using TReadHeader = int (*)(HANDLE Handle, TRARHeaderData* Header);
using TProcessFile = int (*)(HANDLE Handle, int Operation, char* DestPath, char* DestName);
using TSetChangeVolProc = void (*)(HANDLE Handle, TRARChangeVolProc Proc);
using TSetProcessDataProc = void (*)(HANDLE Handle, TRARProcessDataProc Proc);
using TSetPassword = void (*)(HANDLE Handle, char* Password);

struct TEntryPoints {
  TOpenArchive OpenArchive = nullptr;
  TCloseArchive CloseArchive = nullptr;
  TReadHeader ReadHeader = nullptr;
  TProcessFile ProcessFile = nullptr;
  TSetChangeVolProc SetChangeVolProc = nullptr;
  TSetProcessDataProc SetProcessDataProc = nullptr;
  TSetPassword SetPassword = nullptr;
} Entries;

template <class F>
F Lookup(const char* Name) {
  return reinterpret_cast<F>(GetProcAddress(UnRARDLLHandle, Name));
}

// Raises the load error when an entry point the library lacks is called.
template <class F>
F Need(F Entry) {
  if (!Entry) {
    throw Exception(SCantLoadUnRAR);
  }
  return Entry;
}

// An empty text is passed as no text.
char* OrNull(std::string& S) { return S.empty() ? nullptr : S.data(); }

bool IsSeparator(char C) { return C == '/' || C == '\\'; }

// Whether an entry's name stays inside the target folder: not absolute, no drive, no ".." part.
bool IsSafeEntryName(const std::string& Name) {
  if (Name.empty() || IsSeparator(Name[0]) || (Name.size() >= 2 && Name[1] == ':')) {
    return false;
  }
  std::size_t Start = 0;
  while (Start <= Name.size()) {
    std::size_t End = Start;
    while (End < Name.size() && !IsSeparator(Name[End])) {
      ++End;
    }
    if (Name.compare(Start, End - Start, "..") == 0 && End - Start == 2) {
      return false;
    }
    Start = End + 1;
  }
  return true;
}

std::string FileNamePart(const std::string& Name) {
  std::size_t I = Name.size();
  while (I > 0 && !IsSeparator(Name[I - 1])) {
    --I;
  }
  return Name.substr(I);
}

// The folder part with the platform's separators.
std::string FolderPart(const std::string& Name) {
  std::size_t I = Name.size();
  while (I > 0 && !IsSeparator(Name[I - 1])) {
    --I;
  }
  std::string Folder = Name.substr(0, I);
  for (char& C : Folder) {
    if (C == '\\') {
      C = '/';
    }
  }
  return Folder;
}

void FinalizeUnRAR() { UnloadUnRAR(); }

}  // namespace

void LoadUnRARFromFile(const std::string& FileName) {
  UnRARDLLHandle = LoadLibrary(FileName.c_str());
  if (!UnRARDLLHandle) {
    throw Exception(SCantLoadUnRAR);
  }
  Entries.OpenArchive = Lookup<TOpenArchive>("RAROpenArchive");
  Entries.CloseArchive = Lookup<TCloseArchive>("RARCloseArchive");
  Entries.ReadHeader = Lookup<TReadHeader>("RARReadHeader");
  Entries.ProcessFile = Lookup<TProcessFile>("RARProcessFile");
  Entries.SetChangeVolProc = Lookup<TSetChangeVolProc>("RARSetChangeVolProc");
  Entries.SetProcessDataProc = Lookup<TSetProcessDataProc>("RARSetProcessDataProc");
  Entries.SetPassword = Lookup<TSetPassword>("RARSetPassword");
}

void LoadUnRAR() {
  if (!UnRARDLLHandle) {
    LoadUnRARFromFile("unrar.dll");
  }
}

void UnloadUnRAR() {
  if (UnRARDLLHandle) {
    FreeLibrary(UnRARDLLHandle);
    UnRARDLLHandle = nullptr;
    Entries = TEntryPoints();
  }
}

HANDLE RAROpenArchive(TRAROpenArchiveData& Data) {
  LoadUnRAR();
  return Need(Entries.OpenArchive)(&Data);
}

int RARCloseArchive(HANDLE Handle) {
  LoadUnRAR();
  return Need(Entries.CloseArchive)(Handle);
}

int RARReadHeader(HANDLE Handle, TRARHeaderData& Header) {
  LoadUnRAR();
  return Need(Entries.ReadHeader)(Handle, &Header);
}

int RARProcessFile(HANDLE Handle, int Operation, const std::string& DestPath, const std::string& DestName) {
  LoadUnRAR();
  std::string Path = DestPath;
  std::string Name = DestName;
  return Need(Entries.ProcessFile)(Handle, Operation, OrNull(Path), OrNull(Name));
}

void RARSetChangeVolProc(HANDLE Handle, TRARChangeVolProc Proc) {
  LoadUnRAR();
  Need(Entries.SetChangeVolProc)(Handle, Proc);
}

void RARSetProcessDataProc(HANDLE Handle, TRARProcessDataProc Proc) {
  LoadUnRAR();
  Need(Entries.SetProcessDataProc)(Handle, Proc);
}

void RARSetPassword(HANDLE Handle, const std::string& Password) {
  LoadUnRAR();
  std::string P = Password;
  Need(Entries.SetPassword)(Handle, OrNull(P));
}

HANDLE OpenRARFile(const std::string& ArchiveName) {
  std::string Name = ArchiveName;
  TRAROpenArchiveData Data;
  Data.ArcName = Name.data();
  Data.OpenMode = 1;
  return RAROpenArchive(Data);
}

bool ExtractRARFile(const std::string& ArchiveName, const std::string& DestDir, const TRARFileExtractCallBack& Callback,
                    TStrings* SystemFiles, TStrings* CreatedDirs, TStrings* ExtractedFiles) {
  const HANDLE Archive = OpenRARFile(ArchiveName);
  if (!Archive) {
    return false;
  }
  struct TCloser {
    HANDLE H;
    ~TCloser() {
      try {
        RARCloseArchive(H);
      } catch (...) {
      }
    }
  } Closer{Archive};
  const std::string SysDir = SystemDirectory();
  TRARHeaderData Header;
  while (RARReadHeader(Archive, Header) == 0) {
    Header.FileName[sizeof Header.FileName - 1] = '\0';
    const std::string EntryName = Header.FileName;
    const bool IsFolder = (Header.FileAttr & 0x10) != 0;
    if (!IsSafeEntryName(EntryName)) {
      // A name that would land outside the target is read past, never written.
      RARProcessFile(Archive, opSkip, {}, {});
      continue;
    }
    std::string DestName;
    const std::string Name = FileNamePart(EntryName);
    const bool IsSystem = SystemFiles && SystemFiles->IndexOf(Name) >= 0;
    std::string DestPath = IsSystem ? SysDir : DestDir;
    const TRARFileOperation Operation = Callback ? Callback(Header, DestPath, DestName) : opExtract;
    if (IsSystem) {
      DestName = AddSlash(DestPath) + Name;
    } else if (!IsFolder && CreatedDirs) {
      CreateAllDirectories(AddSlash(DestPath) + FolderPart(EntryName), CreatedDirs);
    }
    RARProcessFile(Archive, Operation, DestPath, DestName);
    if (!IsFolder && ExtractedFiles) {
      ExtractedFiles->Add(!DestName.empty() ? DestName : AddSlash(DestPath) + FolderPart(EntryName) + Name);
    }
  }
  return true;
}

}  // namespace Dcapi

Z_REGISTER_UNIT(UnitOrder::Dcapi, "Dcapi.UnRAR", nullptr, &Dcapi::FinalizeUnRAR)
