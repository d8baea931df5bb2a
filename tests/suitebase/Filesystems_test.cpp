// File systems: resource file names, a form kept as RCDATA in a module read, changed and written back, the
// cache by filer ID, and the platform's files.
#include "suitebase/Filesystems.h"

#include "platform/rtl/Exceptions.h"
#include "platform/win/Resources.h"
#include "tests/suitebase/SuiteSamples.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/PeImage.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

using namespace Dorazori;
using namespace TestSupport;

TEST(Filesystems, ResourceFileNames) {
  struct TCase {
    const char* In;
    bool HasType;
    bool IsId;
    WORD Id;
    const char* TypeName;
    const char* Name;
  } Cases[] = {{"RCDATA\\ABOUT.DFM", true, true, 10, "", "ABOUT"},
               {"rcdata\\About", true, true, 10, "", "About"},
               {"MYTYPE\\X", true, false, 0, "MYTYPE", "X"},
               {"NAME.TXT", false, true, 0, "", ""},
               {"ANIICON\\A", true, true, 22, "", "A"}};
  for (const TCase& C : Cases) {
    TPeResKey Type;
    std::string Name;
    bool HasType = false;
    SplitFileName(C.In, Type, Name, HasType);
    EXPECT_EQ(HasType, C.HasType) << C.In;
    EXPECT_EQ(Type.IsId, C.IsId) << C.In;
    EXPECT_EQ(Type.Id, C.Id) << C.In;
    EXPECT_EQ(Type.Name, C.TypeName) << C.In;
    EXPECT_EQ(Name, C.Name) << C.In;
  }
}

TEST(Filesystems, AFormInAModuleIsReadChangedAndWrittenBack) {
  TTempFolder Temp("zubq-fs");
  SuiteSamples::TSampleComponent Form;
  Form.SetName("About");
  Form.FCaption = "first";
  TMemoryStream Stream;
  Stream.WriteComponent(&Form);
  TPeImageOptions O;
  O.Resources = {
      PeResource(RT_RCDATA, "ABOUT",
                 std::string(static_cast<const char*>(Stream.Memory()), static_cast<std::size_t>(Stream.Size())))};
  const std::string Module = Temp / "app.exe";
  std::ofstream(Module, std::ios::binary) << MakePeImage(O);

  TFileSystem* FS = GetFileSystem(GetResFileSystemFilerID(Module));
  ASSERT_NE(dynamic_cast<TResFileSystem*>(FS), nullptr);
  EXPECT_EQ(GetFileSystem(GetResFileSystemFilerID(Module)), FS);  // one file system for equal IDs
  EXPECT_TRUE(FS->FileExists("RCDATA\\ABOUT.DFM"));
  EXPECT_FALSE(FS->FileExists("RCDATA\\OTHER.DFM"));
  EXPECT_EQ(FS->GetFileSystemLevel(), flOnlyGetStream);
  const std::string Before = ReadFile(Module);
  {
    std::unique_ptr<TStream> Read(FS->GetFileStream("RCDATA\\ABOUT.DFM", fmOpenRead));
    SuiteSamples::TSampleComponent Loaded;
    Read->ReadComponent(&Loaded);
    EXPECT_EQ(Loaded.FCaption, "first");
  }
  EXPECT_EQ(ReadFile(Module), Before);  // a stream only read writes nothing back
  {
    std::unique_ptr<TStream> Write(FS->GetFileStream("RCDATA\\ABOUT.DFM", fmCreate));
    Form.FCaption = "changed";
    Write->WriteComponent(&Form);
    static_cast<TResWriteStream*>(Write.get())->Flush();
  }
  {
    std::unique_ptr<TStream> Read(FS->GetFileStream("RCDATA\\ABOUT.DFM", fmOpenRead));
    SuiteSamples::TSampleComponent Loaded;
    Read->ReadComponent(&Loaded);
    EXPECT_EQ(Loaded.FCaption, "changed");
  }
  ReleaseFileSystem(FS);
  EXPECT_EQ(GetFileSystem(GetResFileSystemFilerID(Module)), FS);  // still cached after one release
  ReleaseFileSystem(FS);
  ReleaseFileSystem(FS);
  TFileSystem* Again = GetFileSystem(GetResFileSystemFilerID(Module));
  EXPECT_TRUE(Again->FileExists("RCDATA\\ABOUT"));
  ReleaseFileSystem(Again);
}

TEST(Filesystems, ThePlatformFiles) {
  TTempFolder Temp("zubq-fs");
  TFileSystem* FS = GetFileSystem("");
  EXPECT_EQ(FS, Win32FileSystem());
  ReleaseFileSystem(FS);  // nothing for the platform's
  {
    std::unique_ptr<TStream> S(FS->GetFileStream(Temp / "a.txt", fmCreate));
    S->WriteBuffer("abc", 3);
  }
  EXPECT_TRUE(FS->FileExists(Temp / "a.txt"));
  EXPECT_FALSE(FS->IsReadonly(Temp / "a.txt"));
  FS->RenameFileExcept(Temp / "a.txt", Temp / "b.txt");
  EXPECT_THROW(FS->RenameFileExcept(Temp / "a.txt", Temp / "c.txt"), Exception);
  FS->DeleteFileExcept(Temp / "missing.txt");  // nothing
  const std::string Tmp = FS->GetTempFileName(Temp / "pre");
  EXPECT_EQ(Tmp.substr(0, Temp.Path().size() + 4), (Temp / "pre"));
  EXPECT_EQ(FS->GetBackupFileName("/p/a.pas"), "/p/a.~pa");
  EXPECT_EQ(ExpandRelativeFileName(Temp / "dir/base.txt", "../x.txt", ""), Temp / "x.txt");
  EXPECT_EQ(ExpandRelativeFileName(Temp / "base.txt", "", ""), "");
  EXPECT_THROW((void)GetFileSystem("TPF0\x08TUnknown\x00\x00\x00"), Exception);
}
