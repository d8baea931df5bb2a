// Tests of the file and path functions: names, file tests, normalising and resolving links.
#include "core/Pathprocessor.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct TResolveCase {
  const char* Name;
  const char* Base;
  const char* Target;
  int Flags;
  const char* Result;
  int Code;
};

class ResolveRelativePathTest : public ::testing::TestWithParam<TResolveCase> {};

TEST_P(ResolveRelativePathTest, Resolves) {
  const TResolveCase& C = GetParam();
  int Code = 99;
  const StrStore R = ResolveRelativePath(C.Base, C.Target, C.Flags, &Code);
  EXPECT_EQ(Code, C.Code);
  EXPECT_STREQ(R.text, C.Result);
}

const int File = RESOLVE_FILE | RESOLVE_BASE_DOCUMENT;
const int Url = RESOLVE_URL | RESOLVE_BASE_DOCUMENT;

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolveRelativePathTest,
    ::testing::Values(
        // Document paths on this platform's file system.
        TResolveCase{"FileSibling", "/a/b.htm", "c.gif", File, "/a/c.gif", 0},
        TResolveCase{"FileParent", "/a/b.htm", "../c.gif", File, "/c.gif", 0},
        TResolveCase{"FileFromRoot", "/a/b.htm", "/x/y.gif", File, "/x/y.gif", 0},
        TResolveCase{"FileAboveRoot", "/a/b.htm", "../../c.gif", File, "", PATH_TOO_MANY_PARENTS},
        TResolveCase{"FileDotParts", "/a/b/c.htm", "./../d/./e.gif", File, "/a/d/e.gif", 0},
        TResolveCase{"FileFolderBase", "/a/b/", "c.gif", File, "/a/b/c.gif", 0},
        TResolveCase{"FileTargetWithSlashes", "/a/b.htm", "img/c.gif", RESOLVE_TARGET_AS_FILE | RESOLVE_BASE_DOCUMENT,
                     "/a/img/c.gif", 0},
        TResolveCase{"FileInnerParent", "/a/b.htm", "x/../c.gif", File, "/a/c.gif", 0},
        TResolveCase{"FileUrlTarget", "/a/b.htm", "http://h/x.gif", File, "http://h/x.gif", 0},
        // Web addresses.
        TResolveCase{"UrlSibling", "http://h/a/b.htm", "c.gif", Url, "http://h/a/c.gif", 0},
        TResolveCase{"UrlParent", "http://h/a/b/c.htm", "../d.gif", Url, "http://h/a/d.gif", 0},
        TResolveCase{"UrlRootRelative", "http://h/a/b/c.htm", "/x.gif", Url, "http://h/x.gif", 0},
        TResolveCase{"UrlAboveHost", "http://h/a.htm", "../x.gif", Url, "", PATH_TOO_MANY_PARENTS},
        TResolveCase{"UrlAbsolute", "http://h/a.htm", "HTTP://other/x/../y.htm", Url, "HTTP://other/y.htm", 0},
        TResolveCase{"UrlAnchor", "http://h/a/b.htm", "#top", Url | RESOLVE_ANCHOR_SELF, "http://h/a/b.htm#top", 0},
        TResolveCase{"UrlAnchorAsFile", "http://h/a/b.htm", "#top", Url, "http://h/a/#top", 0},
        TResolveCase{"UrlHostOnly", "http://h", "x.htm", Url, "http://h/x.htm", 0},
        TResolveCase{"UrlKeepBase", "placeholder", "x.htm", Url | RESOLVE_KEEP_BASE, "placeholder", 0},
        TResolveCase{"UrlKeepBaseAbsolute", "placeholder", "http://h/x", Url | RESOLVE_KEEP_BASE, "http://h/x", 0},
        TResolveCase{"NoStyle", "/a/b.htm", "c.gif", RESOLVE_BASE_DOCUMENT, "", PATH_RESOLVE_NO_STYLE},
        TResolveCase{"BadBase", "http://h/../a.htm", "c.gif", Url, "", PATH_NORMALIZE_FAILED}),
    [](const ::testing::TestParamInfo<TResolveCase>& Info) { return std::string(Info.param.Name); });

TEST(NormalizePath, DotsAndCodes) {
  struct TCase {
    const char* In;
    int Style;
    const char* Out;
    int Code;
  } Cases[] = {
      {"a/b/../c", PATH_STYLE_FILE, "a/c", 0},
      {"a/./b", PATH_STYLE_FILE, "a/b", 0},
      {"/../x", PATH_STYLE_FILE, "", PATH_ABOVE_ROOT},
      {"../a/./b/..", PATH_STYLE_FILE, "../a/b/..", 0},
      {"http://h/a/../b", PATH_STYLE_URL, "http://h/b", 0},
      {"http://h/../b", PATH_STYLE_URL, "", PATH_ABOVE_ROOT},
      {"a/b", 0, "", PATH_NO_STYLE},
  };
  for (const TCase& C : Cases) {
    int Code = 99;
    EXPECT_STREQ(NormalizePath(C.In, C.Style, &Code).text, C.Out) << C.In;
    EXPECT_EQ(Code, C.Code) << C.In;
  }
}

TEST(PathNames, FileAndUrlNames) {
  EXPECT_STREQ(GetFileNameFromPath("/home/u/page.htm").text, "page.htm");
  EXPECT_STREQ(GetPathFileName("page.htm").text, "page.htm");
  EXPECT_STREQ(GetFileNameFromPath("/home/u/").text, "");
  struct TCase {
    const char* Url;
    int Flags;
    const char* Name;
  } Cases[] = {
      {"http://h/dir/page.htm?x=1", 0, "page.htm"},
      {"http://h/dir/page.htm?next=/a/b", 0, "page.htm"},
      {"http://h/dir/page.htm#sec", 0, "page.htm#sec"},
      {"http://h/dir/page.htm#sec", 2, "page.htm"},
      {"http://h/a/dir/", 0, "dir/"},
      {"page.htm", 0, "page.htm"},
  };
  for (const TCase& C : Cases) {
    EXPECT_STREQ(GetUrlFileName(C.Url, C.Flags).text, C.Name) << C.Url;
  }
  EXPECT_STREQ(RemoveUrlAnchor("http://h/a.htm#x").text, "http://h/a.htm");
  EXPECT_STREQ(RemoveUrlAnchor("http://h/#x/a.htm").text, "http://h/#x/a.htm");

  EXPECT_EQ(HasDriveOrScheme("  mailto:x@y"), 1);
  EXPECT_EQ(HasDriveOrScheme("a/b:c"), 0);
  EXPECT_EQ(EndsWithBackslash("/a/"), 1);
  EXPECT_EQ(EndsWithBackslash(""), 0);
  EXPECT_EQ(IsAbsoluteWindowsPath("/a/b"), 1);
  EXPECT_EQ(IsAbsoluteWindowsPath("/a/"), 0);
  EXPECT_EQ(IsAbsoluteWindowsPath("a/b"), 0);
  EXPECT_EQ(HasDriveLetter("/a", 1), 1);
  EXPECT_EQ(HasDriveLetter("/a", 0), 0);
}

TEST(FileTests, ExistenceTimesAndSizes) {
  const TestSupport::TTempFolder Temp("zubcore-paths");
  const std::string& Dir = Temp.Path();
  const std::string Name = Dir + "/f.txt";
  std::ofstream(Name, std::ios::binary) << "12345";

  EXPECT_EQ(DoesFileExist(Name.c_str()), 1);
  EXPECT_EQ(DoesFileExist(Dir.c_str()), 0);
  EXPECT_EQ(DoesFileExist((Dir + "/missing").c_str()), 0);

  FILETIME Time;
  Int64 Size = -1;
  int Found = -1;
  GetFileWriteTime(&Time, Name.c_str(), &Size, &Found);
  EXPECT_EQ(Found, 1);
  EXPECT_EQ(Size, 5);
  EXPECT_GT(FileTimeToInt64(Time), UnixEpochFileTime);
  GetFileWriteTime(&Time, (Dir + "/missing").c_str(), &Size, &Found);
  EXPECT_EQ(Found, 0);
  EXPECT_EQ(FileTimeToInt64(Time), 0);
}

}  // namespace
