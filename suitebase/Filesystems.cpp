// File systems: the base, the platform's files, module resources and the cache by filer ID.
#include "suitebase/Filesystems.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/UnitInit.h"
#include "platform/win/Files.h"
#include "platform/win/Modules.h"
#include "platform/win/Resources.h"
#include "suitebase/Fileutils.h"
#include "suitebase/Reswriter.h"

#include <array>
#include <memory>
#include <vector>

namespace Dorazori {

Z_IMPLEMENT_CLASS(TFileSystem, TComponent)
Z_IMPLEMENT_CLASS(TWin32FileSystem, TFileSystem)
Z_IMPLEMENT_CLASS_PUBLISHED(TResFileSystem, TFileSystem, TResFileSystem::Publish)
Z_IMPLEMENT_CLASS(TResWriteStream, TMemoryStream)

namespace {
struct TCacheEntry {
  std::string FilerID;
  std::unique_ptr<TFileSystem> FileSystem;
  Integer Count = 0;
};

std::vector<TCacheEntry>& Cache() {
  static std::vector<TCacheEntry> Entries;
  return Entries;
}

std::unique_ptr<TWin32FileSystem> ThePlatformFileSystem;

constexpr std::array<const char*, 23> ResourceTypeNames = {
    "",        "CURSOR",      "BITMAP", "ICON",         "MENU",         "DIALOG",    "STRING",     "FONTDIR",
    "FONT",    "ACCELERATOR", "RCDATA", "MESSAGETABLE", "GROUP_CURSOR", "",          "GROUP_ICON", "",
    "VERSION", "DLGINCLUDE",  "",       "PLUGPLAY",     "VXD",          "ANICURSOR", "ANIICON"};

void InitializeFileSystems() { RegisterClasses({TWin32FileSystem::StaticClass(), TResFileSystem::StaticClass()}); }

void FinalizeFileSystems() {
  Cache().clear();
  ThePlatformFileSystem.reset();
}
}  // namespace

void TFileSystem::RenameFileExcept(const std::string& OldName, const std::string& NewName) {
  if (!RenameFile(OldName, NewName)) {
    throw Exception(SCantRename, {OldName, NewName});
  }
}

void TFileSystem::DeleteFileExcept(const std::string& Name) {
  if (FileExists(Name) && !DeleteFile(Name)) {
    throw Exception(SCantDelete, {Name});
  }
}

std::string TFileSystem::GetBackupFileName(const std::string& Name) { return FileBakName(Name); }

std::string TFileSystem::ChangeFileExt(const std::string& Name, const std::string& Ext) {
  return ::ChangeFileExt(Name, Ext);
}

std::string TWin32FileSystem::GetCurrentDir() { return ::GetCurrentDir(); }
void TWin32FileSystem::SetCurrentDir(const std::string& Dir) { (void)::SetCurrentDir(Dir); }  // as the platform does
TStream* TWin32FileSystem::GetFileStream(const std::string& Name, Word Mode) { return new TFileStream(Name, Mode); }

Integer TWin32FileSystem::FileAge(const std::string& Name) { return ::FileAge(Name); }
bool TWin32FileSystem::RenameFile(const std::string& OldName, const std::string& NewName) {
  return ::RenameFile(OldName, NewName);
}
bool TWin32FileSystem::DeleteFile(const std::string& Name) { return ::DeleteFile(Name); }
bool TWin32FileSystem::FileExists(const std::string& Name) { return ::FileExists(Name); }

bool TWin32FileSystem::IsReadonly(const std::string& Name) {
  const Integer Attr = FileGetAttr(Name);
  return Attr != -1 && (Attr & faReadOnly) != 0;
}

std::string TWin32FileSystem::GetTempFileName(const std::string& Name) {
  char Buffer[MAX_PATH + 1] = {};
  const std::string Folder = ExtractFileDir(Name);
  if (::GetTempFileName((Folder.empty() ? std::string(".") : Folder).c_str(), ExtractFileName(Name).c_str(), 0,
                        Buffer) == 0) {
    throw Exception(SCantCreateTempName);
  }
  return Buffer;
}

TWin32FileSystem* Win32FileSystem() {
  if (!ThePlatformFileSystem) {
    ThePlatformFileSystem = std::make_unique<TWin32FileSystem>();
  }
  return ThePlatformFileSystem.get();
}

void SplitFileName(const std::string& FileName, TPeResKey& ResourceType, std::string& ResourceName, bool& HasType) {
  const std::string Name = ::ChangeFileExt(FileName, "");
  const std::size_t Slash = Name.find('\\');
  HasType = Slash != std::string::npos;
  ResourceName.clear();
  ResourceType = TPeResKey();
  if (!HasType) {
    return;
  }
  const std::string Type = Name.substr(0, Slash);
  ResourceName = Name.substr(Slash + 1);
  for (std::size_t I = 1; I < ResourceTypeNames.size(); ++I) {
    if (*ResourceTypeNames[I] != '\0' && SameText("RT_" + Type, std::string("RT_") + ResourceTypeNames[I])) {
      ResourceType.Id = static_cast<WORD>(I);
      return;
    }
  }
  ResourceType.IsId = false;
  ResourceType.Name = Type;
}

void TResFileSystem::Publish(TMetaClass& Meta) {
  TPublisher<TResFileSystem>(Meta).Property("FileName", &TResFileSystem::FileName, &TResFileSystem::SetFileName);
}

void TResFileSystem::SetFileName(const std::string& Value) {
  if (Value != FFileName) {
    CloseModule();
    FFileName = Value;
  }
}

void TResFileSystem::OpenModule() {
  if (FLoadedModule == nullptr) {
    FLoadedModule = LoadLibraryEx(FFileName.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
}

void TResFileSystem::CloseModule() {
  if (FLoadedModule != nullptr) {
    (void)FreeLibrary(FLoadedModule);  // a data module always goes
    FLoadedModule = nullptr;
  }
}

bool TResFileSystem::FileExists(const std::string& Name) {
  TPeResKey Type;
  std::string ResName;
  bool HasType = false;
  SplitFileName(Name, Type, ResName, HasType);
  OpenModule();
  bool Found = false;
  if (FLoadedModule != nullptr && HasType) {
    const std::string TypeText = Type.IsId ? "#" + IntToStr(Type.Id) : Type.Name;
    Found = FindResource(FLoadedModule, ResName.c_str(), TypeText.c_str()) != 0;
  }
  CloseModule();
  return Found;
}

TStream* TResFileSystem::GetFileStream(const std::string& Name, Word Mode) {
  TPeResKey Type;
  std::string ResName;
  bool HasType = false;
  SplitFileName(Name, Type, ResName, HasType);
  return new TResWriteStream(FFileName, Mode, Type, ResName);
}

TResWriteStream::TResWriteStream(const std::string& AModuleFile, Word Mode, const TPeResKey& AResourceType,
                                 const std::string& AResourceName)
    : FResourceName(AResourceName), FResourceType(AResourceType), FModulePath(AModuleFile) {
  const HMODULE Module = LoadLibraryEx(FModulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (Module == nullptr || Mode == fmCreate) {
    if (Module != nullptr) {
      (void)FreeLibrary(Module);  // a data module always goes
    }
    return;
  }
  const std::string TypeText = FResourceType.IsId ? "#" + IntToStr(FResourceType.Id) : FResourceType.Name;
  const HRSRC Res = FindResource(Module, FResourceName.c_str(), TypeText.c_str());
  FLoadedSize = Res != 0 ? static_cast<Integer>(SizeofResource(Module, Res)) : 0;
  if (FLoadedSize > 0) {
    TMemoryStream::Write(LockResource(LoadResource(Module, Res)), FLoadedSize);
    SetPosition(0);
  }
  (void)FreeLibrary(Module);  // a data module always goes
}

LongInt TResWriteStream::Write(const void* Buffer, LongInt Count) {
  FDirty = true;
  return TMemoryStream::Write(Buffer, Count);
}

void TResWriteStream::Flush() {
  if (!FDirty && Size() == FLoadedSize) {
    return;
  }
  const std::string TypeText = FResourceType.IsId ? "#" + IntToStr(FResourceType.Id) : FResourceType.Name;
  if (!ResourceUpdate(FModulePath, TypeText.c_str(), FResourceName.c_str(), static_cast<Integer>(Size()), Memory(),
                      0)) {
    throw Exception(SErrorUpdatingResource);
  }
  FDirty = false;
  FLoadedSize = static_cast<Integer>(Size());
}

TResWriteStream::~TResWriteStream() {
  try {
    Flush();
  } catch (...) {
    // A destructor cannot report: the module keeps what it had (Flush reports it to callers that ask).
  }
}

std::string GetFilerID(TFileSystem* FileSystem) {
  TMemoryStream S;
  S.WriteComponent(FileSystem);
  return std::string(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
}

std::string GetResFileSystemFilerID(const std::string& ModuleFile) {
  TResFileSystem FS;
  FS.SetFileName(ModuleFile);
  return GetFilerID(&FS);
}

TFileSystem* GetFileSystem(const std::string& FilerID) {
  if (FilerID.empty()) {
    return Win32FileSystem();
  }
  for (TCacheEntry& E : Cache()) {
    if (CompareText(E.FilerID, FilerID) == 0) {
      ++E.Count;
      return E.FileSystem.get();
    }
  }
  TMemoryStream S;
  S.WriteBuffer(FilerID.data(), static_cast<LongInt>(FilerID.size()));
  S.SetPosition(0);
  std::unique_ptr<TComponent> Read(S.ReadComponent(nullptr));
  auto* FS = dynamic_cast<TFileSystem*>(Read.get());
  if (FS == nullptr) {
    throw EReadError(Format("Class %s is not a file system", {Read ? Read->ClassName() : std::string("nil")}));
  }
  (void)Read.release();
  Cache().push_back(TCacheEntry{FilerID, std::unique_ptr<TFileSystem>(FS), 1});
  return FS;
}

void ReleaseFileSystem(TFileSystem* FileSystem) {
  if (FileSystem == nullptr || FileSystem == ThePlatformFileSystem.get()) {
    return;
  }
  auto& C = Cache();
  for (auto It = C.rbegin(); It != C.rend(); ++It) {
    if (It->FileSystem.get() == FileSystem) {
      if (--It->Count <= 0) {
        C.erase(std::next(It).base());
      }
      return;
    }
  }
}

std::string ExpandRelativePath(const std::string& BaseDir, const std::string& FileName, const std::string& FilerID) {
  TFileSystem* FS = GetFileSystem(FilerID);
  std::string Result;
  try {
    const std::string Old = FS->GetCurrentDir();
    FS->SetCurrentDir(BaseDir);
    Result = IsAbsolutePath(FileName) || BaseDir.empty()
                 ? ExpandFileName(FileName)
                 : ExpandFileName(IncludeTrailingPathDelimiter(BaseDir) + FileName);
    FS->SetCurrentDir(Old);
  } catch (...) {
    ReleaseFileSystem(FS);
    throw;
  }
  ReleaseFileSystem(FS);
  return Result;
}

std::string ExpandRelativeFileName(const std::string& BaseFile, const std::string& FileName,
                                   const std::string& FilerID) {
  return FileName.empty() ? "" : ExpandRelativePath(ExtractFileDir(BaseFile), FileName, FilerID);
}

}  // namespace Dorazori

Z_REGISTER_UNIT(UnitOrder::Dorazori, "Dorazori.FileSystems", &Dorazori::InitializeFileSystems,
                &Dorazori::FinalizeFileSystems)
