// Tests of files, folders, searches, file mappings, the temporary folder and the class library's path helpers.
#include "platform/classes/Streams.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Files.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
class FilesTest : public ::testing::Test {
protected:
  TestSupport::TTempFolder Temp{"zubq-files"};
  void SetUp() override {
    Root = Temp.Path() + "/";
    setenv("ZUBQ_TEMP", (Root + "temp").c_str(), 1);
  }
  void TearDown() override { unsetenv("ZUBQ_TEMP"); }
  void Write(const std::string& Name, const std::string& Content = "x") {
    std::ofstream(Root + Name, std::ios::binary) << Content;
  }
  std::string Read(const std::string& Name) {
    std::ifstream In(Root + Name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), {});
  }
  std::string P(const std::string& Name) { return Root + Name; }

  // The names FindFirst/FindNext give for a mask and attribute set, in order.
  std::vector<std::string> Search(const std::string& Mask, int Attr) {
    std::vector<std::string> Names;
    TSearchRec F;
    for (int R = FindFirst(Root + Mask, Attr, F); R == 0; R = FindNext(F)) {
      Names.push_back(F.Name);
    }
    FindClose(F);
    return Names;
  }

  std::string Root;
};

using TNames = std::vector<std::string>;
}  // namespace

TEST_F(FilesTest, FindFirstMasksAndAttributeFilters) {
  for (const char* Name : {"a.txt", "b.TXT", "readme", "x.tar.gz", ".hidden", "data.htm", "data.html", "ab.txt"}) {
    Write(Name);
  }
  ASSERT_TRUE(CreateDir(P("sub")));
  struct TCase {
    const char* Mask;
    int Attr;
    TNames Expected;
  };
  const TCase Cases[] = {
      {"*", faArchive, {"a.txt", "ab.txt", "b.TXT", "data.htm", "data.html", "readme", "x.tar.gz"}},
      {"*.*", 0, {"a.txt", "ab.txt", "b.TXT", "data.htm", "data.html", "readme", "x.tar.gz"}},
      {"*.txt", 0, {"a.txt", "ab.txt"}},  // names are case-sensitive
      {"?.txt", 0, {"a.txt"}},
      {"*.", 0, {"readme"}},
      {"x.*", 0, {"x.tar.gz"}},
      {"readme.*", 0, {"readme"}},
      {"*.htm", 0, {"data.htm"}},
      {"*.gz", 0, {"x.tar.gz"}},
      {"*", faDirectory, {".", "..", "a.txt", "ab.txt", "b.TXT", "data.htm", "data.html", "readme", "sub",
                          "x.tar.gz"}},
      {"*", faHidden, {".hidden", "a.txt", "ab.txt", "b.TXT", "data.htm", "data.html", "readme", "x.tar.gz"}},
      {"s*", faAnyFile, {"sub"}},
      {".h*", faAnyFile, {".hidden"}},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(Search(C.Mask, C.Attr), C.Expected) << "mask " << C.Mask << " attr " << C.Attr;
  }

  TSearchRec F;
  ASSERT_EQ(FindFirst(P("sub"), faDirectory, F), 0);
  EXPECT_EQ(F.Attr & faDirectory, faDirectory);
  FindClose(F);
  FindClose(F);  // twice is harmless
  ASSERT_EQ(FindFirst(P("data.html"), faAnyFile, F), 0);
  EXPECT_EQ(F.Size, 1);
  EXPECT_EQ(F.Time, FileAge(P("data.html")));
  FindClose(F);

  EXPECT_EQ(FindFirst(P("*.none"), faAnyFile, F), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(FindFirst(P("missing/*"), faAnyFile, F), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(FindFirst(P("s*"), 0, F), ERROR_NO_MORE_FILES);  // only a folder matches, and it is not asked for
}

// Names as the file system holds them: UTF-8, Latin-1 bytes (not UTF-8), Cyrillic and CJK.
const std::vector<std::string> NonAsciiNames = {"caf\xC3\xA9.html", "caf\xE9.html", "\xD0\xB4\xD0\xBE\xD0\xBC.html",
                                                "\xE6\x96\x87\xE6\x9B\xB8.html"};

TEST_F(FilesTest, NonAsciiFileNamesOpenRenameDeleteAndSaveByteForByte) {
  for (const std::string& Name : NonAsciiNames) {
    SCOPED_TRACE(Name);
    Write(Name, "content");
    // The name the search hands out is the file's own bytes, and opens it.
    const TNames Listed = Search("*.html", faAnyFile);
    ASSERT_EQ(Listed, TNames{Name});
    {
      TFileStream In(Root + Listed[0], fmOpenRead);
      std::string Bytes(7, '\0');
      EXPECT_EQ(In.Read(Bytes.data(), 7), 7);
      EXPECT_EQ(Bytes, "content");
    }
    {
      TFileStream Out(Root + Listed[0], fmCreate);
      Out.WriteBuffer("saved", 5);
    }
    EXPECT_EQ(Read(Name), "saved");
    EXPECT_TRUE(FileExists(Root + Name));
    ASSERT_TRUE(RenameFile(Root + Name, Root + "x" + Name));
    EXPECT_EQ(Search("*.html", faAnyFile), TNames{"x" + Name});
    EXPECT_TRUE(::DeleteFile((Root + "x" + Name).c_str()));
    EXPECT_TRUE(Search("*.html", faAnyFile).empty());
  }
}

TEST_F(FilesTest, AttributesAndTheirErrors) {
  Write("plain");
  Write(".dotfile");
  ASSERT_TRUE(CreateDir(P("folder")));
  EXPECT_EQ(GetFileAttributes(P("plain").c_str()), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(GetFileAttributes(P("folder").c_str()), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributes(P(".dotfile").c_str()), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);

  ASSERT_TRUE(SetFileAttributes(P("plain").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(FileGetAttr(P("plain")), faArchive | faReadOnly);
  // A read-only file cannot be deleted or replaced, as on the platform.
  EXPECT_FALSE(DeleteFile(P("plain").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(CreateFile(P("plain").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(FileSetAttr(P("plain"), 0), 0);
  EXPECT_EQ(FileGetAttr(P("plain")), faArchive);
  EXPECT_TRUE(DeleteFile(P("plain")));
  EXPECT_FALSE(FileExists(P("plain")));

  SetLastError(0);
  EXPECT_EQ(GetFileAttributes(P("missing").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileAttributes(P("nofolder/missing").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(FileGetAttr(P("missing")), -1);
  EXPECT_TRUE(FileExists(P(".dotfile")));
  EXPECT_FALSE(FileExists(P("folder")));
  EXPECT_TRUE(DirectoryExists(P("folder")));
  EXPECT_FALSE(DirectoryExists(P(".dotfile")));
}

TEST_F(FilesTest, FoldersAreCreatedRemovedAndToldApart) {
  EXPECT_TRUE(CreateDirectory(P("one").c_str(), nullptr));
  EXPECT_FALSE(CreateDirectory(P("one").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  Write("file");
  EXPECT_FALSE(CreateDirectory(P("file").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectory(P("no/such/parent").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  EXPECT_TRUE(ForceDirectories(P("a/b/c/")));
  EXPECT_TRUE(DirectoryExists(P("a/b/c")));
  EXPECT_TRUE(ForceDirectories(P("a/b/c")));  // already there
  EXPECT_FALSE(ForceDirectories(P("file/below")));
  EXPECT_THROW(ForceDirectories(""), EInOutError);

  EXPECT_FALSE(RemoveDir(P("a")));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
  EXPECT_TRUE(RemoveDir(P("a/b/c")));
  EXPECT_FALSE(DeleteFile(P("a/b").c_str()));  // folders are not files
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(FilesTest, CreateFileDispositionsReadWriteAndSeek) {
  struct TCase {
    const char* Name;
    bool Exists;
    DWORD Disposition;
    bool Succeeds;
    DWORD LastError;
    const char* ContentAfter;
  };
  const TCase Cases[] = {
      {"new1", false, CREATE_NEW, true, ERROR_SUCCESS, ""},
      {"new2", true, CREATE_NEW, false, ERROR_FILE_EXISTS, "old"},
      {"alw1", false, CREATE_ALWAYS, true, ERROR_SUCCESS, ""},
      {"alw2", true, CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS, ""},
      {"ex1", false, OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
      {"ex2", true, OPEN_EXISTING, true, ERROR_SUCCESS, "old"},
      {"oa1", false, OPEN_ALWAYS, true, ERROR_SUCCESS, ""},
      {"oa2", true, OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS, "old"},
      {"tr1", true, TRUNCATE_EXISTING, true, ERROR_SUCCESS, ""},
      {"tr2", false, TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
  };
  for (const TCase& C : Cases) {
    if (C.Exists) {
      Write(C.Name, "old");
    }
    HANDLE H = CreateFile(P(C.Name).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, C.Disposition,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(H != INVALID_HANDLE_VALUE, C.Succeeds) << C.Name;
    EXPECT_EQ(GetLastError(), C.LastError) << C.Name;
    if (H != INVALID_HANDLE_VALUE) {
      CloseHandle(H);
    }
    if (C.ContentAfter) {
      EXPECT_EQ(Read(C.Name), C.ContentAfter) << C.Name;
    } else {
      EXPECT_FALSE(FileExists(P(C.Name))) << C.Name;
    }
  }

  HANDLE H = CreateFile(P("rw").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(H, INVALID_HANDLE_VALUE);
  DWORD N = 0;
  ASSERT_TRUE(WriteFile(H, "hello world", 11, &N, nullptr));
  EXPECT_EQ(N, 11u);
  EXPECT_EQ(SetFilePointer(H, 6, nullptr, FILE_BEGIN), 6u);
  char Buf[16] = {};
  ASSERT_TRUE(ReadFile(H, Buf, sizeof(Buf), &N, nullptr));
  EXPECT_EQ(std::string(Buf, N), "world");
  ASSERT_TRUE(ReadFile(H, Buf, sizeof(Buf), &N, nullptr));  // at the end: success with nothing
  EXPECT_EQ(N, 0u);
  EXPECT_EQ(SetFilePointer(H, -5, nullptr, FILE_END), 6u);
  EXPECT_EQ(SetFilePointer(H, -100, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  SetFilePointer(H, 5, nullptr, FILE_BEGIN);
  ASSERT_TRUE(SetEndOfFile(H));
  DWORD High = 99;
  EXPECT_EQ(GetFileSize(H, &High), 5u);
  EXPECT_EQ(High, 0u);
  CloseHandle(H);
  EXPECT_EQ(Read("rw"), "hello");
  EXPECT_EQ(GetFileSize(H, nullptr), INVALID_FILE_SIZE);  // closed
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  HANDLE RO = CreateFile(P("rw").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_FALSE(WriteFile(RO, "x", 1, &N, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(RO);
}

TEST_F(FilesTest, ReadOnlyMemoryMapping) {
  std::string Content(70000, 'a');
  Content.replace(65536, 4, "TAIL");
  Write("big", Content);
  HANDLE F = CreateFile(P("big").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(F, INVALID_HANDLE_VALUE);
  HANDLE M = CreateFileMapping(F, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(M, nullptr);
  // The mapping keeps the file: both handles may be closed while the views live.
  CloseHandle(F);
  const char* View = static_cast<const char*>(MapViewOfFile(M, FILE_MAP_READ, 0, 0, 0));
  ASSERT_NE(View, nullptr);
  const char* Tail = static_cast<const char*>(MapViewOfFile(M, FILE_MAP_READ, 0, 65536, 4));
  ASSERT_NE(Tail, nullptr);
  EXPECT_EQ(MapViewOfFile(M, FILE_MAP_READ, 0, 100, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MAPPED_ALIGNMENT));
  EXPECT_EQ(MapViewOfFile(M, FILE_MAP_WRITE, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(M);
  EXPECT_EQ(std::string(View, Content.size()), Content);
  EXPECT_EQ(std::string(Tail, 4), "TAIL");
  EXPECT_TRUE(UnmapViewOfFile(View));
  EXPECT_TRUE(UnmapViewOfFile(Tail));
  EXPECT_FALSE(UnmapViewOfFile(View));

  // An empty file cannot be mapped, as on the platform.
  Write("empty", "");
  HANDLE E = CreateFile(P("empty").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(E, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileMapping(E, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_INVALID));
  EXPECT_EQ(CreateFileMapping(E, nullptr, PAGE_READONLY, 0, 10, nullptr), nullptr);  // cannot grow a file
  CloseHandle(E);
}

TEST_F(FilesTest, CopyMoveAndRename) {
  Write("src", "data");
  HANDLE H = CreateFile(P("src").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const SYSTEMTIME When{2015, 5, 0, 6, 7, 8, 10, 0};
  FILETIME Ft;
  ASSERT_TRUE(SystemTimeToFileTime(&When, &Ft));
  ASSERT_TRUE(SetFileTime(H, nullptr, nullptr, &Ft));
  CloseHandle(H);

  EXPECT_TRUE(CopyFile(P("src").c_str(), P("copy").c_str(), TRUE));
  EXPECT_EQ(Read("copy"), "data");
  EXPECT_EQ(FileAge(P("copy")), FileAge(P("src")));  // the last-write time travels along
  Write("copy", "changed");
  EXPECT_FALSE(CopyFile(P("src").c_str(), P("copy").c_str(), TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  EXPECT_EQ(Read("copy"), "changed");
  EXPECT_TRUE(CopyFile(P("src").c_str(), P("copy").c_str(), FALSE));
  EXPECT_EQ(Read("copy"), "data");
  EXPECT_FALSE(CopyFile(P("missing").c_str(), P("copy2").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  EXPECT_FALSE(MoveFile(P("src").c_str(), P("copy").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(MoveFileEx(P("src").c_str(), P("copy").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_FALSE(FileExists(P("src")));
  EXPECT_TRUE(RenameFile(P("copy"), P("renamed")));
  EXPECT_EQ(Read("renamed"), "data");

  // File times read back as written, and FileAge is the local packed date of that instant.
  H = CreateFile(P("renamed").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME Write{};
  ASSERT_TRUE(GetFileTime(H, nullptr, nullptr, &Write));
  CloseHandle(H);
  EXPECT_EQ(FileTimeToInt64(Write), FileTimeToInt64(Ft));
  FILETIME Local;
  FileTimeToLocalFileTime(&Ft, &Local);
  SYSTEMTIME L;
  FileTimeToSystemTime(&Local, &L);
  EXPECT_EQ(FileDateToDateTime(FileAge(P("renamed"))), SystemTimeToDateTime(L));
  EXPECT_EQ(FileAge(P("missing")), -1);
}

TEST_F(FilesTest, TemporaryFolderAndUniqueNames) {
  char Buf[MAX_PATH];
  const DWORD N = GetTempPath(sizeof(Buf), Buf);
  EXPECT_EQ(std::string(Buf, N), Root + "temp/");
  EXPECT_TRUE(DirectoryExists(Root + "temp"));
  EXPECT_EQ(GetTempPath(3, Buf), N + 1);  // too small: the size needed

  unsetenv("ZUBQ_TEMP");
  const char* OldCache = std::getenv("XDG_CACHE_HOME");
  const std::string Saved = OldCache ? OldCache : "";
  setenv("XDG_CACHE_HOME", (Root + "cache").c_str(), 1);
  EXPECT_EQ(GetTempPathString(), Root + "cache/ZUB Quillon/Temp/");
  EXPECT_TRUE(DirectoryExists(Root + "cache/ZUB Quillon/Temp"));
  if (OldCache) {
    setenv("XDG_CACHE_HOME", Saved.c_str(), 1);
  } else {
    unsetenv("XDG_CACHE_HOME");
  }

  std::set<std::string> Names;
  for (int I = 0; I < 40; ++I) {
    char Name[MAX_PATH];
    const UINT U = GetTempFileName(Root.c_str(), "zubtmp", 0, Name);
    ASSERT_NE(U, 0u);
    char Expected[MAX_PATH];
    std::snprintf(Expected, sizeof(Expected), "%szub%X.tmp", Root.c_str(), U);
    EXPECT_STREQ(Name, Expected);
    EXPECT_TRUE(FileExists(Name));
    Names.insert(Name);
  }
  EXPECT_EQ(Names.size(), 40u);

  char Name[MAX_PATH];
  EXPECT_EQ(GetTempFileName((Root + "sub").c_str(), "ab", 0x1F, Name), 0x1Fu);  // only formed, never created
  EXPECT_EQ(std::string(Name), Root + "sub/ab1F.tmp");
  EXPECT_EQ(GetTempFileName((Root + "missing").c_str(), "x", 0, Name), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
}

TEST_F(FilesTest, ModuleFileNames) {
  char Self[4096];
  const ssize_t Len = readlink("/proc/self/exe", Self, sizeof(Self) - 1);
  ASSERT_GT(Len, 0);
  char Buf[MAX_PATH * 4];
  const DWORD N = GetModuleFileName(nullptr, Buf, sizeof(Buf));
  EXPECT_EQ(std::string(Buf, N), std::string(Self, static_cast<size_t>(Len)));

  // An address inside the layer's library names that library.
  const std::string Lib = GetModuleFileNameString(reinterpret_cast<HMODULE>(&GetTempPathString));
  EXPECT_NE(Lib.find("zubplatform"), std::string::npos) << Lib;

  char Small[5];
  EXPECT_EQ(GetModuleFileName(nullptr, Small, sizeof(Small)), 5u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::strlen(Small), 4u);
}

TEST(FileUtils, PathHelpers) {
  struct TCase {
    const char* Name;
    const char* Path;
    const char* Dir;
    const char* File;
    const char* Ext;
  };
  const TCase Cases[] = {
      {"/home/u/doc.html", "/home/u/", "/home/u", "doc.html", ".html"},
      {"/x", "/", "/", "x", ""},
      {"rel/a.b.c", "rel/", "rel", "a.b.c", ".c"},
      {"noext", "", "", "noext", ""},
      {"/dir.d/file", "/dir.d/", "/dir.d", "file", ""},
      {"/dir/", "/dir/", "/dir", "", ""},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(ExtractFilePath(C.Name), C.Path) << C.Name;
    EXPECT_EQ(ExtractFileDir(C.Name), C.Dir) << C.Name;
    EXPECT_EQ(ExtractFileName(C.Name), C.File) << C.Name;
    EXPECT_EQ(ExtractFileExt(C.Name), C.Ext) << C.Name;
  }
  EXPECT_EQ(ChangeFileExt("/a.b/c.txt", ".html"), "/a.b/c.html");
  EXPECT_EQ(ChangeFileExt("/a.b/c", ".html"), "/a.b/c.html");
  EXPECT_EQ(ChangeFileExt("c.txt", ""), "c");
  EXPECT_EQ(IncludeTrailingBackslash("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingBackslash("/a/"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
  EXPECT_EQ(ExcludeTrailingBackslash("/a/"), "/a");
  EXPECT_EQ(ExcludeTrailingBackslash("/"), "/");
  EXPECT_TRUE(IsAbsolutePath("/a"));
  EXPECT_FALSE(IsAbsolutePath("a/b"));
  EXPECT_FALSE(IsAbsolutePath(""));
  EXPECT_TRUE(IsPathDelimiter("a/b", 2));
  EXPECT_EQ(ExpandFileName("/a/./b/../c"), "/a/c");
  EXPECT_EQ(ExpandFileName("x/../y"), GetCurrentDir() + "/y");
  EXPECT_TRUE(MatchesFileMask("abc", "a*c"));
  EXPECT_TRUE(MatchesFileMask("a.b.c", "*.*.*"));
  EXPECT_FALSE(MatchesFileMask("abc", "a?"));
  EXPECT_GT(DiskFree(0), 0);
  EXPECT_EQ(DiskFree(3), -1);
}
