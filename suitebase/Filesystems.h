// Abstract file systems through which the suite reads and writes documents: the platform's files, resources of
// a program module, and the process-wide cache of file systems found by their filer IDs (the component stream
// of the file system itself).
#pragma once

#include "platform/classes/Classes.h"
#include "platform/win/PeResources.h"

#include <string>

namespace Dorazori {

inline constexpr const char* SCantRename = "Can't rename file %s to file %s";
inline constexpr const char* SCantDelete = "Can't delete file %s";
inline constexpr const char* SCantCreateTempName = "Can't create temporary filename";
inline constexpr const char* SErrorUpdatingResource = "Error updating resource";

enum TFileSystemLevel { flFullSupport, flOnlyGetStream };

class TFileSystem : public TComponent {
  Z_CLASS(TFileSystem, TComponent)
public:
  using TComponent::TComponent;
  virtual void RenameFileExcept(const std::string& OldName, const std::string& NewName);
  virtual void DeleteFileExcept(const std::string& Name);
  virtual std::string GetCurrentDir() { return ""; }
  virtual void SetCurrentDir(const std::string& /*Dir*/) {}
  virtual TStream* GetFileStream(const std::string& Name, Word Mode) = 0;  // owned by the caller
  virtual Integer FileAge(const std::string& /*Name*/) { return 0; }
  virtual bool RenameFile(const std::string& /*OldName*/, const std::string& /*NewName*/) { return true; }
  virtual bool IsReadonly(const std::string& /*Name*/) { return false; }
  virtual bool DeleteFile(const std::string& /*Name*/) { return true; }
  virtual bool FileExists(const std::string& Name) = 0;
  virtual std::string GetTempFileName(const std::string& Name) { return Name; }
  virtual std::string GetBackupFileName(const std::string& Name);
  virtual TFileSystemLevel GetFileSystemLevel() { return flFullSupport; }
  virtual std::string ChangeFileExt(const std::string& Name, const std::string& Ext);
};

// The platform's files.
class TWin32FileSystem : public TFileSystem {
  Z_CLASS(TWin32FileSystem, TFileSystem)
public:
  explicit TWin32FileSystem(TComponent* AOwner = nullptr) : TFileSystem(AOwner) {}
  std::string GetCurrentDir() override;
  void SetCurrentDir(const std::string& Dir) override;
  TStream* GetFileStream(const std::string& Name, Word Mode) override;
  Integer FileAge(const std::string& Name) override;
  bool RenameFile(const std::string& OldName, const std::string& NewName) override;
  bool IsReadonly(const std::string& Name) override;
  bool DeleteFile(const std::string& Name) override;
  bool FileExists(const std::string& Name) override;
  // A new unique file in the folder of Name, its name's first characters as prefix.
  std::string GetTempFileName(const std::string& Name) override;
};

// The process's platform file system.
TWin32FileSystem* Win32FileSystem();

// "Type\Name[.ext]": the extension is dropped; a predefined type name gives its identifier, anything else the
// type as a string. Without a backslash there is no type (null) and the name is empty.
void SplitFileName(const std::string& FileName, TPeResKey& ResourceType, std::string& ResourceName, bool& HasType);

// The resources of a program module as files named Type\Name.
class TResFileSystem : public TFileSystem {
  Z_CLASS(TResFileSystem, TFileSystem)
public:
  explicit TResFileSystem(TComponent* AOwner = nullptr) : TFileSystem(AOwner) {}
  ~TResFileSystem() override { CloseModule(); }
  TStream* GetFileStream(const std::string& Name, Word Mode) override;
  bool FileExists(const std::string& Name) override;
  TFileSystemLevel GetFileSystemLevel() override { return flOnlyGetStream; }
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& Value);
  void OpenModule();
  void CloseModule();
  static void Publish(TMetaClass& Meta);

private:
  std::string FFileName;
  HMODULE FLoadedModule = nullptr;
};

// One resource of a module file as a memory stream; written back if written to or resized. Flush writes it
// (raising SErrorUpdatingResource when that fails); destruction writes what was not flushed, and as a
// destructor cannot raise, a failure there keeps the module as it was.
class TResWriteStream : public TMemoryStream {
  Z_CLASS(TResWriteStream, TMemoryStream)
public:
  TResWriteStream(const std::string& AModuleFile, Word Mode, const TPeResKey& AResourceType,
                  const std::string& AResourceName);
  ~TResWriteStream() override;
  LongInt Write(const void* Buffer, LongInt Count) override;
  void Flush();

private:
  std::string FResourceName;
  TPeResKey FResourceType;
  std::string FModulePath;
  Integer FLoadedSize = 0;
  bool FDirty = false;
};

std::string GetFilerID(TFileSystem* FileSystem);
std::string GetResFileSystemFilerID(const std::string& ModuleFile);
// The file system of a filer ID (the platform's for ""), shared and counted; pair with ReleaseFileSystem.
TFileSystem* GetFileSystem(const std::string& FilerID);
void ReleaseFileSystem(TFileSystem* FileSystem);
std::string ExpandRelativePath(const std::string& BaseDir, const std::string& FileName, const std::string& FilerID);
std::string ExpandRelativeFileName(const std::string& BaseFile, const std::string& FileName,
                                   const std::string& FilerID);

}  // namespace Dorazori
