// The resource writer: in-place patching of 32-bit modules and the resource-update route.
#include "suitebase/Reswriter.h"

#include "platform/rtl/Exceptions.h"
#include "platform/win/PeResources.h"
#include "platform/win/Resources.h"
#include "suitebase/Dcapi.h"
#include "suitebase/Fileutils.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>

namespace Dorazori {

namespace {
inline constexpr std::uint32_t HighBit = 0x80000000u;
inline constexpr Integer GrowthUnit = 4096;
inline constexpr std::size_t SectionHeaderSize = 40;

std::uint32_t Get32(const std::string& S, std::uint64_t At) {
  if (At + 4 > S.size()) {
    throw Exception(std::string(SInvalidFileFormat) + Format(SErrorCode, {0}));
  }
  std::uint32_t V = 0;
  for (int I = 3; I >= 0; --I) {
    V = V << 8 | static_cast<unsigned char>(S[At + static_cast<std::uint64_t>(I)]);
  }
  return V;
}

void Put32(std::string& S, std::size_t At, std::uint32_t V) {
  for (int I = 0; I < 4; ++I) {
    S[At + static_cast<std::size_t>(I)] = static_cast<char>(V >> (8 * I) & 0xFF);
  }
}

[[noreturn]] void Fail(const char* Message, int Code) { throw Exception(Message + Format(SErrorCode, {Code})); }

// Finds the data entry of the first resource named Name: its offset inside the section, or 0.
class TNameFinder {
public:
  TNameFinder(const std::string& AImage, std::uint64_t ABase, std::uint64_t ASize, const std::string& AName)
      : Image(AImage), Base(ABase), Size(ASize), Name(AName) {}

  std::uint32_t Find(std::uint32_t Dir, int Level) {
    if (Level > 1 || Dir + 16ull > Size) {
      return 0;
    }
    const std::uint32_t Counts = Get32(Image, Base + Dir + 12);
    const std::uint64_t Count = (Counts & 0xFFFF) + (Counts >> 16);
    if (Dir + 16ull + Count * 8 > Size) {
      return 0;
    }
    for (std::uint64_t I = 0; I < Count; ++I) {
      const std::uint32_t NameField = Get32(Image, Base + Dir + 16 + I * 8);
      const std::uint32_t Target = Get32(Image, Base + Dir + 20 + I * 8);
      if (Level == 0) {
        if ((Target & HighBit) != 0) {
          if (const std::uint32_t Found = Find(Target & ~HighBit, 1)) {
            return Found;
          }
        }
        continue;
      }
      if ((NameField & HighBit) != 0 && NameMatches(NameField & ~HighBit)) {
        return FirstData(Target);
      }
    }
    return 0;
  }

private:
  bool NameMatches(std::uint32_t At) const {
    if (At + 2ull > Size) {
      return false;
    }
    const std::uint32_t Length = Get32(Image, Base + At) & 0xFFFF;
    if (Length != Name.size() || At + 2ull + 2ull * Length > Size) {
      return false;
    }
    for (std::uint32_t I = 0; I < Length; ++I) {
      const std::uint32_t C = static_cast<unsigned char>(Image[Base + At + 2 + 2 * I]) |
                              static_cast<unsigned char>(Image[Base + At + 3 + 2 * I]) << 8;
      if (C != static_cast<unsigned char>(Name[I])) {
        return false;
      }
    }
    return true;
  }

  // The data entry of a name: the first language's when it is a directory.
  std::uint32_t FirstData(std::uint32_t Target) const {
    if ((Target & HighBit) == 0) {
      return Target + 16ull <= Size ? Target : 0;
    }
    const std::uint32_t Dir = Target & ~HighBit;
    if (Dir + 24ull > Size) {
      return 0;
    }
    const std::uint32_t First = Get32(Image, Base + Dir + 20);
    return (First & HighBit) == 0 && First + 16ull <= Size ? First : 0;
  }

  const std::string& Image;
  const std::uint64_t Base;
  const std::uint64_t Size;
  const std::string& Name;
};
}  // namespace

TResourceWriter::TResourceWriter(const std::string& AModulePath) : FModulePath(AModulePath) {
  std::ifstream In(FModulePath, std::ios::binary);
  std::fstream Probe(FModulePath, std::ios::binary | std::ios::in | std::ios::out);
  if (!In || !Probe) {
    Fail(SCantOpenForWriting, errno);
  }
  std::ostringstream S;
  S << In.rdbuf();
  FImage = S.str();
}

void TResourceWriter::Replace(const std::string& ResourceName, const void* Data, Integer Length) {
  TPeLayout L;
  std::string Error;
  if (!ReadPeLayout(FImage, L, Error)) {
    Fail(SInvalidFileFormat, 0);
  }
  if (L.Pe32Plus) {
    Fail(SNot32BitModule, 0);
  }
  int Rsrc = -1;
  for (int I = 0; I < L.SectionCount && Rsrc < 0; ++I) {
    if (strncasecmp(FImage.data() + L.SectionTableOffset + static_cast<std::size_t>(I) * SectionHeaderSize, ".rsrc",
                    8) == 0) {
      Rsrc = I;
    }
  }
  if (Rsrc < 0) {
    Fail(SNoResources, 0);
  }
  const std::size_t Header = L.SectionTableOffset + static_cast<std::size_t>(Rsrc) * SectionHeaderSize;
  const std::uint32_t VirtualSize = Get32(FImage, Header + 8);
  const std::uint32_t Va = Get32(FImage, Header + 12);
  const std::uint32_t RawSize = Get32(FImage, Header + 16);
  const std::uint32_t Raw = Get32(FImage, Header + 20);
  for (int I = 0; I < L.SectionCount; ++I) {
    const std::size_t Other = L.SectionTableOffset + static_cast<std::size_t>(I) * SectionHeaderSize;
    if (I != Rsrc && Get32(FImage, Other + 12) > Va) {
      Fail(SResourcesNotLast, 0);
    }
  }
  if (static_cast<std::uint64_t>(Raw) + RawSize != FImage.size()) {
    Fail(SResourcesNotLast, 0);
  }
  TNameFinder Finder(FImage, Raw, RawSize, ResourceName);
  const std::uint32_t Entry = Finder.Find(0, 0);
  if (Entry == 0) {
    throw Exception(SResourceNotFound);
  }
  FGrowth = (std::max(Length, 0) / GrowthUnit + 1) * GrowthUnit;
  const auto PreviousFileSize = static_cast<std::uint32_t>(FImage.size());
  FImage.append(static_cast<std::size_t>(FGrowth), '\0');
  if (Length > 0) {
    std::copy_n(static_cast<const char*>(Data), Length, FImage.begin() + PreviousFileSize);
  }
  Put32(FImage, Raw + Entry, Va + (PreviousFileSize - Raw));
  Put32(FImage, Raw + Entry + 4, static_cast<std::uint32_t>(Length));
  const auto Grow = static_cast<std::uint32_t>(FGrowth);
  Put32(FImage, L.OptionalOffset + 8, Get32(FImage, L.OptionalOffset + 8) + Grow);
  Put32(FImage, L.ResourceDirOffset + 4, Get32(FImage, L.ResourceDirOffset + 4) + Grow);
  const std::uint32_t NewVirtual = std::max(VirtualSize, RawSize) + Grow;
  Put32(FImage, Header + 8, NewVirtual);
  Put32(FImage, Header + 16, RawSize + Grow);
  const std::uint32_t Align = std::max<std::uint32_t>(L.SectionAlignment, 1);
  Put32(FImage, L.OptionalOffset + 56, (Va + NewVirtual + Align - 1) / Align * Align);
  std::ofstream Out(FModulePath, std::ios::binary | std::ios::in | std::ios::out);
  Out.write(FImage.data(), static_cast<std::streamsize>(FImage.size()));
  if (!Out) {
    Fail(SCantOpenForWriting, errno);
  }
}

bool ResourceUpdate(const std::string& ModuleFile, LPCSTR ResourceType, LPCSTR ResourceName, Integer Size,
                    const void* Data, WORD Language) {
  if (UnderWindowsNT()) {
    const HANDLE Update = BeginUpdateResource(ModuleFile.c_str(), FALSE);
    if (Update == nullptr) {
      return false;
    }
    if (!UpdateResource(Update, ResourceType, ResourceName, Language, Data, static_cast<DWORD>(Size))) {
      (void)EndUpdateResource(Update, TRUE);  // dropping the update cannot fail in a way that matters here
      return false;
    }
    return EndUpdateResource(Update, FALSE) != FALSE;
  }
  TResourceWriter Writer(ModuleFile);
  Writer.Replace(IS_INTRESOURCE(ResourceName) ? std::string() : std::string(ResourceName), Data, Size);
  return true;
}

void AddResFromFile(const std::string& SourceFile, const std::string& ModuleFile, const std::string& ResourceName) {
  TMemoryStream Source;
  Source.LoadFromFile(SourceFile);
  (void)Dcapi::AddRCDataResource(ModuleFile, ResourceName, Source.Memory(),
                                 static_cast<DWORD>(Source.Size()));  // no result is asked for
}

}  // namespace Dorazori
