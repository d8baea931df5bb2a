// Program modules as data: resources read from generated images, the resource-update calls, and the rebuilt
// files checked by objdump.
#include "platform/win/Modules.h"
#include "platform/win/PeResources.h"
#include "platform/win/Resources.h"
#include "tests/support/PeImage.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

using namespace TestSupport;

namespace {
void WriteFile(const std::string& Name, const std::string& Bytes) { std::ofstream(Name, std::ios::binary) << Bytes; }

std::string ReadFile(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

// objdump's section headers and private headers of a file ("" when objdump is missing or fails).
std::string Objdump(const std::string& File) {
  std::string Out;
  const std::string Command = "objdump -h -p '" + File + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> Pipe(popen(Command.c_str(), "r"), pclose);
  std::array<char, 512> Buf{};
  while (Pipe && fgets(Buf.data(), Buf.size(), Pipe.get()) != nullptr) {
    Out += Buf.data();
  }
  return Out;
}

std::string ResourceText(HMODULE M, LPCSTR Name, LPCSTR Type) {
  const HRSRC R = FindResource(M, Name, Type);
  if (R == 0) {
    return "<none>";
  }
  const void* P = LockResource(LoadResource(M, R));
  return std::string(static_cast<const char*>(P), SizeofResource(M, R));
}
}  // namespace

TEST(PeResources, ModulesLoadedAsDataGiveTheirResources) {
  TTempFolder Temp("zubq-pe");
  TPeImageOptions O;
  O.Resources = {PeResource(RT_RCDATA, "ABOUT", "about form"), PeResource(RT_RCDATA, MAKEINTRESOURCE(7), "seven"),
                 PeResource("MYTYPE", "X", "custom")};
  WriteFile(Temp / "a.dll", MakePeImage(O));
  const HMODULE M = LoadLibraryEx((Temp / "a.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(M, nullptr);
  EXPECT_EQ(ResourceText(M, "about", RT_RCDATA), "about form");
  EXPECT_EQ(ResourceText(M, "#7", RT_RCDATA), "seven");
  EXPECT_EQ(ResourceText(M, "7", RT_RCDATA), "<none>");  // an identifier is not found by name
  EXPECT_EQ(ResourceText(M, "X", "mytype"), "custom");
  EXPECT_TRUE(FreeLibrary(M));
  EXPECT_FALSE(IsDataModule(M));

  WriteFile(Temp / "bad.dll", "ZM not a module");
  EXPECT_EQ(LoadLibraryEx((Temp / "bad.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  EXPECT_EQ(LoadLibraryEx((Temp / "none.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), nullptr);
}

TEST(PeResources, UpdatesRebuildTheSectionLastInTheFile) {
  TTempFolder Temp("zubq-pe");
  for (const bool After : {false, true}) {
    for (const bool Plus : {false, true}) {
      TPeImageOptions O;
      O.Pe32Plus = Plus;
      O.SectionAfterResources = After;
      O.Resources = {PeResource(RT_RCDATA, "ABOUT.DFM", "old"), PeResource(RT_RCDATA, "KEEP", "kept")};
      const std::string File = Temp / ("m" + std::to_string(After) + std::to_string(Plus) + ".exe");
      WriteFile(File, MakePeImage(O));
      const HANDLE U = BeginUpdateResource(File.c_str(), FALSE);
      ASSERT_NE(U, nullptr);
      const std::string Big(5000, 'n');
      ASSERT_TRUE(UpdateResource(U, RT_RCDATA, "ABOUT.DFM", 0, Big.data(), static_cast<DWORD>(Big.size())));
      ASSERT_TRUE(UpdateResource(U, RT_RCDATA, "NEW", 0, "new", 3));
      ASSERT_TRUE(EndUpdateResource(U, FALSE));

      std::vector<TPeResource> Back;
      std::string Error;
      ASSERT_TRUE(ReadPeResources(ReadFile(File), Back, Error)) << Error;
      ASSERT_EQ(Back.size(), 3u);
      const HMODULE M = LoadLibraryEx(File.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
      EXPECT_EQ(ResourceText(M, "ABOUT.DFM", RT_RCDATA), Big);
      EXPECT_EQ(ResourceText(M, "KEEP", RT_RCDATA), "kept");
      EXPECT_EQ(ResourceText(M, "NEW", RT_RCDATA), "new");
      (void)FreeLibrary(M);

      const std::string Dump = Objdump(File);
      if (Dump.empty()) {
        continue;
      }
      EXPECT_NE(Dump.find(Plus ? "pei-x86-64" : "pei-i386"), std::string::npos) << Dump;
      // The resource section is listed once, last, and the resource directory entry names it.
      std::vector<std::string> Sections;
      std::istringstream Lines(Dump.substr(Dump.find("Sections:")));
      std::string Line;
      while (std::getline(Lines, Line)) {
        std::istringstream Words(Line);
        int Index = -1;
        std::string Name;
        if (Words >> Index >> Name) {
          Sections.push_back(Name);
        }
      }
      const std::vector<std::string> Expected =
          After ? std::vector<std::string>{".text", ".reloc", ".rsrc"} : std::vector<std::string>{".text", ".rsrc"};
      EXPECT_EQ(Sections, Expected) << Dump;
      EXPECT_NE(Dump.find("Resource Directory [.rsrc]"), std::string::npos) << Dump;
    }
  }
}

TEST(PeResources, DiscardedUpdatesAndDeletionsLeaveWhatTheySay) {
  TTempFolder Temp("zubq-pe");
  TPeImageOptions O;
  O.Resources = {PeResource(RT_RCDATA, "A", "a"), PeResource(RT_RCDATA, "B", "b")};
  const std::string Image = MakePeImage(O);
  WriteFile(Temp / "m.exe", Image);
  HANDLE U = BeginUpdateResource((Temp / "m.exe").c_str(), FALSE);
  ASSERT_TRUE(UpdateResource(U, RT_RCDATA, "A", 0, nullptr, 0));
  ASSERT_TRUE(EndUpdateResource(U, TRUE));
  EXPECT_EQ(ReadFile(Temp / "m.exe"), Image);
  U = BeginUpdateResource((Temp / "m.exe").c_str(), FALSE);
  ASSERT_TRUE(UpdateResource(U, RT_RCDATA, "a", 0, nullptr, 0));
  ASSERT_TRUE(EndUpdateResource(U, FALSE));
  std::vector<TPeResource> Back;
  std::string Error;
  ASSERT_TRUE(ReadPeResources(ReadFile(Temp / "m.exe"), Back, Error));
  ASSERT_EQ(Back.size(), 1u);
  EXPECT_EQ(Back[0].Data, "b");
  EXPECT_EQ(BeginUpdateResource((Temp / "missing.exe").c_str(), FALSE), nullptr);
}
