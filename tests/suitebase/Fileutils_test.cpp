// File, path and environment utilities: searching with callbacks, backup names, parameters in text, relative
// search, version defines, type names, library registration and the log.
#include "suitebase/Fileutils.h"

#include "platform/classes/Registry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Guids.h"
#include "platform/win/Files.h"
#include "tests/suitebase/SuiteEnvironment.h"

#include <filesystem>
#include <fstream>

using namespace Dorazori;

class Fileutils : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    for (const char* Name :
         {"tree/a.pas", "tree/b.PAS", "tree/c.txt", "tree/sub/d.pas", "tree/sub/e.pas", "tree/.hidden/f.pas"}) {
      std::filesystem::create_directories(std::filesystem::path(Temp / Name).parent_path());
      std::ofstream(Temp / Name) << "x";
    }
  }
};

TEST_F(Fileutils, ForEachFileStopsOneFolderButStillDescends) {
  std::vector<std::string> Seen;
  const Integer Count = ForEachFile(Temp / "tree/*.pas", faArchive, true,
                                    [&Seen](const std::string& Path, const TSearchRec& F, bool& Continue) {
                                      Seen.push_back(Path + F.Name);
                                      Continue = false;
                                    });
  ASSERT_EQ(Count, 2);
  EXPECT_EQ(ExtractFilePath(Seen[0]), (Temp / "tree") + "/");
  EXPECT_EQ(ExtractFilePath(Seen[1]), (Temp / "tree/sub") + "/");
  EXPECT_EQ(ForEachFile(Temp / "tree/*.pas", faAnyFile, true, nullptr), 0);
}

TEST_F(Fileutils, FindFilesExListsEachFileOnce) {
  TStringList List;
  List.Add("old");
  FindFilesEx(Temp / "tree", "*.pas; ;*.PAS", faArchive, true, &List);
  const std::string T = Temp.Path();
  EXPECT_EQ(List.CommaText(), T + "/tree/a.pas," + T + "/tree/b.PAS," + T + "/tree/sub/d.pas," + T + "/tree/sub/e.pas");
  FindFilesEx(Temp / "tree", "", faArchive, false, &List);
  EXPECT_EQ(List.Count(), 3);
}

TEST(FileutilsNames, BackupNamesAndPaths) {
  struct TCase {
    const char* In;
    const char* Out;
  } Cases[] = {{"/p/unit1.pas", "/p/unit1.~pa"},
               {"/p/readme", "/p/readme.~"},
               {"/p/index.html", "/p/index.~ht"},
               {"/p/a.c", "/p/a.~c"}};
  for (const TCase& C : Cases) {
    EXPECT_EQ(FileBakName(C.In), C.Out) << C.In;
  }
  EXPECT_EQ(ChangeFileName("/p/a.txt", "b.txt"), "/p/b.txt");
  EXPECT_EQ(DCChangeFilePath("/p/a.txt", "/q"), "/q/a.txt");
  EXPECT_EQ(ExtractOnlyName("/p/a.b.txt"), "a.b");
  EXPECT_EQ(RemoveExtraSlash("/a//b///c"), "/a/b//c");
  TStringList Sorted;
  Sorted.SetSorted(true);
  Sorted.Add("/z/b.pas");
  Sorted.Add("/y/a.pas");
  DCChangeFileExtInStrings(&Sorted, ".dcu");
  EXPECT_EQ(Sorted.CommaText(), "/y/a.dcu,/z/b.dcu");
  EXPECT_TRUE(Sorted.Sorted());
  ExtractFilePaths(&Sorted, &Sorted);
  EXPECT_EQ(Sorted.CommaText(), "/y/,/z/");
}

TEST(FileutilsParams, ParametersInText) {
  TStringList Params;
  Params.SetText("NAME=World\r\n greet = Hello %name% \r\nnoequals\r\n");
  TStringList Lines;
  Lines.SetText("Hello %name%\r\n%GREET%!\r\n%name\r\n");
  ChangeParamsInStrings(&Lines, &Params);
  EXPECT_EQ(Lines.Text(), "Hello World\r\nHello %name%!\r\n%name\r\n");
  EXPECT_EQ(ChangeParamsEx("$NAME$", &Params, "$"), "World");
}

TEST_F(Fileutils, ParametersInFilesAndRelativeSearch) {
  std::ofstream(Temp / "tree/sub/t.txt") << "Hi %who%\r\n";
  TStringList Params;
  Params.Add("who=there");
  ChangeParamsInFiles(Temp / "tree", "*.txt", faArchive, &Params, true);
  TStringList Back;
  Back.LoadFromFile(Temp / "tree/sub/t.txt");
  EXPECT_EQ(Back[0], "Hi there");

  EXPECT_EQ(DCExpandRelativePathEx(Temp / "tree", ""), (Temp / "tree") + "/");
  EXPECT_EQ(DCExpandRelativePathEx(Temp / "tree/sub", "../c"), Temp / "tree/c");
  EXPECT_EQ(DCRelativeFileSearch("d.pas", (Temp / "tree") + ";" + (Temp / "tree/sub")), Temp / "tree/sub/d.pas");
  EXPECT_EQ(DCRelativeFileSearch("nothing.pas", Temp / "tree"), "");
  std::string Name = "sub/e.pas";
  EXPECT_TRUE(DCGetUnitSource(Name, Temp / "tree", &Back));
  EXPECT_EQ(Name, Temp / "tree/sub/e.pas");
  EXPECT_EQ(Back.Text(), "x\r\n");

  SaveStringToFile(Temp / "new/deep/s.txt", "one\ntwo");
  Back.LoadFromFile(Temp / "new/deep/s.txt");
  EXPECT_EQ(Back.Count(), 2);
  RenameToBak(Temp / "new/deep/s.txt");
  EXPECT_TRUE(FileExists(Temp / "new/deep/s.~tx"));
}

TEST(FileutilsEnvironment, VersionsTypesAndModules) {
  const Dcapi::TDelphiVers V = StrToDelphiVers(" d3, C5 ,x,D6");
  EXPECT_TRUE(V.Contains(Dcapi::dvD3));
  EXPECT_TRUE(V.Contains(Dcapi::dvC5));
  EXPECT_TRUE(V.Contains(Dcapi::dvd6));
  EXPECT_FALSE(V.Contains(Dcapi::dvD5));
  Dcapi::TDelphiVer Ver = Dcapi::dvD2;
  EXPECT_TRUE(DCGetDelphiVerFromDefinesStr("DEBUG;VER120", Ver));
  EXPECT_EQ(Ver, Dcapi::dvD4);
  EXPECT_EQ(ConvertDelphiTypeToString(3), "Longint");
  EXPECT_EQ(ConvertDelphiTypeToString(31), "PWideChar");
  EXPECT_EQ(ConvertDelphiTypeToString(15), "");
  EXPECT_TRUE(UnderWindowsNT());
  EXPECT_FALSE(CompiledWithPackages());
  EXPECT_NE(GetClassModule(reinterpret_cast<const void*>(&ConvertDelphiTypeToString)), nullptr);
  EXPECT_EQ(GetClassModule(nullptr), nullptr);
  EXPECT_EQ(ExtractActiveXHint(" Calendar control"), "Calendar");
  EXPECT_EQ(ExtractActiveXHint(" Calendar "), "Calendar");
}

TEST(FileutilsOcx, RegistrationFailuresNameTheLibrary) {
  try {
    RegisterOCX("/no/such/lib.ocx");
    FAIL();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "Failed to load \"/no/such/lib.ocx\"");
  }
  // The layer's library loads but exports no registration entry.
  try {
    RegisterOCX("zubplatform.dll");
    FAIL();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "DllRegisterServer procedure not found in \"zubplatform.dll\"");
  }
}

TEST(FileutilsLog, LogLinesGoWhereTheyAreSent) {
  std::vector<std::string> Lines;
  WriteLogEvent = [&Lines](const Variant& V) { Lines.push_back(VarToStr(V)); };
  WriteToLog(Variant("one"));
  ModifyFileAttr("/no/such/file", 0, 0);
  WriteLogEvent = nullptr;
  WriteToLog(Variant("lost"));
  EXPECT_EQ(Lines, (std::vector<std::string>{"one", "Setting file attr to /no/such/file"}));

  const std::string Log = LogFileName();
  std::filesystem::remove(Log);
  DCLogFileShowGUID = true;
  DoWriteToLog(Variant("first"));
  DCLogFileShowGUID = false;
  ++DCLogSuspend;
  DoWriteToLog(Variant("suspended"));
  --DCLogSuspend;
  DoWriteToLog(Variant(2));
  TStringList Back;
  Back.LoadFromFile(Log);
  ASSERT_EQ(Back.Count(), 2);
  EXPECT_EQ(Back[0].size(), 38u + 1 + 5);
  EXPECT_EQ(Back[0].substr(39), "first");
  EXPECT_EQ(Back[1], "2");
  std::filesystem::remove(Log);
  const std::string Data = GetLogDataFileName();
  EXPECT_EQ(ExtractFilePath(Data), AppFolder() + "LOGS/");
  EXPECT_TRUE(DirectoryExists(AppFolder() + "LOGS"));
  std::filesystem::remove(AppFolder() + "LOGS");
}

TEST_F(Fileutils, TypeLibraryNamesComeFromTheClassRegistration) {
  const GUID Lib = {0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
  EXPECT_EQ(GetTypeLibName(Lib), "");
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CLASSES_ROOT);
  ASSERT_TRUE(Reg.OpenKey("TypeLib\\" + GUIDToString(Lib) + "\\1.0", true));
  Reg.WriteString("", "Suite Controls Library");
  Reg.CloseKey();
  EXPECT_EQ(GetTypeLibName(Lib), "Suite Controls Library");
}

namespace {
// An automation object that records how its properties were put.
class TRecordingDispatch : public IDispatch {
public:
  HRESULT QueryInterface(REFIID, void** Object) override {
    *Object = this;
    return S_OK;
  }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT Invoke(DISPID DispId, WORD Flags, DISPPARAMS* Params, Variant* Result) override {
    LastId = DispId;
    LastFlags = Flags;
    NamedPut = Params->cNamedArgs == 1 && Params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
    Value = Params->cArgs == 1 ? Params->rgvarg[0] : Variant();
    (void)Result;
    return DispId == 99 ? DISP_E_MEMBERNOTFOUND : S_OK;
  }
  DISPID LastId = 0;
  WORD LastFlags = 0;
  bool NamedPut = false;
  Variant Value;
};
}  // namespace

TEST(FileutilsDispatch, PropertiesArePutByValueOrByReference) {
  TRecordingDispatch Object;
  EXPECT_EQ(SetPropByDispatch(&Object, 7, Variant(42)), S_OK);
  EXPECT_EQ(Object.LastId, 7);
  EXPECT_EQ(Object.LastFlags, DISPATCH_PROPERTYPUT);
  EXPECT_TRUE(Object.NamedPut);
  EXPECT_EQ(Object.Value.AsInteger(), 42);
  TRecordingDispatch Other;
  EXPECT_EQ(SetPropByDispatch(&Object, 8, Variant::FromPointer(varDispatch, static_cast<IDispatch*>(&Other))), S_OK);
  EXPECT_EQ(Object.LastFlags, DISPATCH_PROPERTYPUTREF);
  EXPECT_EQ(SetPropByDispatch(&Object, 99, Variant(1)), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(SetPropByDispatch(nullptr, 1, Variant(1)), E_POINTER);
}
