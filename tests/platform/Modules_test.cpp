// Tests of library loading, the built-in system modules, the platform identity and version resources.
#include "platform/win/Modules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using TAdd = int (*)(int, int);
using TNext = int (*)();

TEST(LoadLibrary, LoadsTheProjectsLibraryByItsPlatformNameAndCallsThroughGetProcAddress) {
  HMODULE Lib = LoadLibrary("zubqtestlib.dll");
  ASSERT_NE(Lib, nullptr) << "libzubqtestlib.so must be built into the program folder (GetLastError "
                          << GetLastError() << ")";
  auto Add = reinterpret_cast<TAdd>(GetProcAddress(Lib, "ZubqTestAdd"));
  ASSERT_NE(Add, nullptr);
  EXPECT_EQ(Add(2, 3), 5);
  EXPECT_EQ(GetModuleHandle("zubqtestlib.dll"), Lib);
  EXPECT_EQ(LoadLibrary("ZubqTestLib.DLL"), Lib) << "module names ignore case";
  EXPECT_TRUE(FreeLibrary(Lib));
  EXPECT_TRUE(FreeLibrary(Lib));
}

TEST(LoadLibrary, FreeLibraryCountsReferencesAndUnloadsAtZero) {
  HMODULE First = LoadLibrary("zubqtestlib.dll");
  ASSERT_NE(First, nullptr);
  HMODULE Second = LoadLibrary("zubqtestlib");
  EXPECT_EQ(First, Second);
  auto Next = reinterpret_cast<TNext>(GetProcAddress(First, "ZubqTestNext"));
  ASSERT_NE(Next, nullptr);
  EXPECT_EQ(Next(), 1);
  FreeLibrary(First);
  EXPECT_EQ(Next(), 2) << "one reference left: still loaded";
  FreeLibrary(Second);
  EXPECT_FALSE(FreeLibrary(Second)) << "no longer a module handle";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  HMODULE Again = LoadLibrary("zubqtestlib.dll");
  Next = reinterpret_cast<TNext>(GetProcAddress(Again, "ZubqTestNext"));
  EXPECT_EQ(Next(), 1) << "a fresh load";
  FreeLibrary(Again);
}

TEST(LoadLibrary, MissingLibrariesAndNamesFailWithThePlatformCodes) {
  struct TCase {
    const char* Name;
    LONG Error;
  };
  const TCase Cases[] = {{"nosuchlibrary.dll", ERROR_MOD_NOT_FOUND},
                         {"UxTheme.dll", ERROR_MOD_NOT_FOUND},
                         {"/nonexistent/folder/zubqtestlib.dll", ERROR_MOD_NOT_FOUND}};
  for (const TCase& C : Cases) {
    SetLastError(0);
    EXPECT_EQ(LoadLibrary(C.Name), nullptr) << C.Name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(C.Error)) << C.Name;
  }
  HMODULE Lib = LoadLibrary("zubqtestlib.dll");
  ASSERT_NE(Lib, nullptr);
  EXPECT_EQ(GetProcAddress(Lib, "NoSuchFunction"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddress(Lib, reinterpret_cast<LPCSTR>(1)), nullptr) << "ordinals are not supported";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  FreeLibrary(Lib);
  EXPECT_EQ(GetModuleHandle("nosuchlibrary.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

int FakeTrackMouseEvent(void*) { return 1; }

TEST(BuiltinModules, SystemModulesAreAlwaysThereAndTakeRegisteredExports) {
  for (const char* Name : {"user32.dll", "COMCTL32.DLL", "msimg32", "shell32.dll", "kernel32.dll", "version.dll"}) {
    HMODULE M = LoadLibrary(Name);
    EXPECT_NE(M, nullptr) << Name;
    EXPECT_EQ(GetModuleHandle(Name), M) << Name;
    EXPECT_TRUE(FreeLibrary(M)) << Name;
    EXPECT_EQ(GetModuleHandle(Name), M) << "built-in modules are never unloaded: " << Name;
  }
  HMODULE User = LoadLibrary("user32.dll");
  EXPECT_EQ(GetProcAddress(User, "NoSuchExport"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  ASSERT_TRUE(RegisterModuleExport("user32.dll", "ZubqTestExport", reinterpret_cast<void*>(&FakeTrackMouseEvent)));
  EXPECT_EQ(GetProcAddress(User, "ZubqTestExport"), reinterpret_cast<void*>(&FakeTrackMouseEvent));
  EXPECT_FALSE(RegisterModuleExport("uxtheme.dll", "OpenThemeData", reinterpret_cast<void*>(&FakeTrackMouseEvent)));

  HMODULE Kernel = GetModuleHandle("kernel32.dll");
  auto Load = reinterpret_cast<HMODULE (*)(LPCSTR)>(GetProcAddress(Kernel, "LoadLibraryA"));
  ASSERT_NE(Load, nullptr);
  EXPECT_EQ(Load("user32.dll"), User);
}

TEST(BuiltinModules, CommonControlsAndShellReportTheirVersionThroughDllGetVersion) {
  struct TCase {
    const char* Module;
    DWORD Major;
  };
  for (const TCase& C : {TCase{"comctl32.dll", 6}, TCase{"shell32.dll", 6}}) {
    auto Get = reinterpret_cast<DLLGETVERSIONPROC>(GetProcAddress(LoadLibrary(C.Module), "DllGetVersion"));
    ASSERT_NE(Get, nullptr) << C.Module;
    DLLVERSIONINFO Info;
    Info.cbSize = sizeof Info;
    EXPECT_EQ(Get(&Info), 0) << C.Module;
    EXPECT_EQ(Info.dwMajorVersion, C.Major);
    EXPECT_EQ(Info.dwMinorVersion, 0u);
    EXPECT_EQ(Info.dwPlatformID, DLLVER_PLATFORM_NT);
    Info.cbSize = 4;
    EXPECT_NE(Get(&Info), 0) << "a record of the wrong size is refused";
  }
}

TEST(Identity, GetVersionExReportsWindowsXp) {
  OSVERSIONINFO Info;
  Info.dwOSVersionInfoSize = sizeof Info;
  ASSERT_TRUE(GetVersionEx(&Info));
  EXPECT_EQ(Info.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(Info.dwMajorVersion, 5u);
  EXPECT_EQ(Info.dwMinorVersion, 1u);
  EXPECT_EQ(Info.dwBuildNumber, 2600u);
  EXPECT_STREQ(Info.szCSDVersion, "Service Pack 2");
  EXPECT_EQ(Win32Platform, 2);
  EXPECT_EQ(Win32MajorVersion, 5);
  EXPECT_EQ(Win32MinorVersion, 1);

  OSVERSIONINFOEX Ex;
  Ex.dwOSVersionInfoSize = sizeof Ex;
  ASSERT_TRUE(GetVersionEx(&Ex));
  EXPECT_EQ(Ex.wServicePackMajor, 2);
  EXPECT_EQ(Ex.wProductType, VER_NT_WORKSTATION);

  Info.dwOSVersionInfoSize = 12;
  EXPECT_FALSE(GetVersionEx(&Info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(VersionResources, SystemModulesHaveThemOtherFilesDoNot) {
  DWORD Handle = 1;
  const DWORD Size = GetFileVersionInfoSize("comctl32.dll", &Handle);
  ASSERT_GT(Size, 0u);
  EXPECT_EQ(Handle, 0u);
  std::vector<char> Block(Size);
  ASSERT_TRUE(GetFileVersionInfo("comctl32.dll", 0, Size, Block.data()));

  void* P = nullptr;
  UINT Len = 0;
  ASSERT_TRUE(VerQueryValue(Block.data(), "\\", &P, &Len));
  ASSERT_EQ(Len, sizeof(VS_FIXEDFILEINFO));
  const auto* Fixed = static_cast<const VS_FIXEDFILEINFO*>(P);
  EXPECT_EQ(Fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(HIWORD(Fixed->dwFileVersionMS), 6);
  EXPECT_EQ(LOWORD(Fixed->dwFileVersionMS), 0);

  ASSERT_TRUE(VerQueryValue(Block.data(), "\\VarFileInfo\\Translation", &P, &Len));
  ASSERT_EQ(Len, 4u);
  const auto* Pair = static_cast<const WORD*>(P);
  char Key[64];
  std::snprintf(Key, sizeof Key, "\\StringFileInfo\\%04x%04x\\FileVersion", Pair[0], Pair[1]);
  ASSERT_TRUE(VerQueryValue(Block.data(), Key, &P, &Len)) << Key;
  EXPECT_STREQ(static_cast<const char*>(P), "6.0.2900.2180");
  EXPECT_EQ(Len, std::strlen("6.0.2900.2180") + 1);
  EXPECT_FALSE(VerQueryValue(Block.data(), "\\StringFileInfo\\040904e4\\NoSuchValue", &P, &Len));

  EXPECT_FALSE(GetFileVersionInfo("comctl32.dll", 0, Size - 1, Block.data()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(GetFileVersionInfoSize("/nonexistent/file.dll", &Handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileVersionInfoSize("/proc/self/exe", &Handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
}

}  // namespace
