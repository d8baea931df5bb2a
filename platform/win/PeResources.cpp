// Portable executable images as data: headers, the resource tree, modules loaded as data files and the
// rebuilding of the resource section.
#include "platform/win/PeResources.h"

#include "platform/win/KernelObjects.h"
#include "platform/win/Modules.h"
#include "platform/win/Resources.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>

namespace {
inline constexpr std::uint32_t SectionHeaderSize = 40;
inline constexpr std::uint32_t ResourceDataIndex = 2;
inline constexpr std::uint16_t MagicPe32 = 0x10B;
inline constexpr std::uint16_t MagicPe32Plus = 0x20B;
inline constexpr std::uint32_t HighBit = 0x80000000u;
inline constexpr int TreeLevels = 3;
inline constexpr std::uint32_t ResourceCharacteristics = 0x40000040;  // initialised data, readable
inline constexpr std::uint16_t MaxSections = 96;

bool Get16(const std::string& S, std::uint64_t At, std::uint16_t& V) {
  if (At + 2 > S.size()) {
    return false;
  }
  V = static_cast<std::uint16_t>(static_cast<unsigned char>(S[At]) | static_cast<unsigned char>(S[At + 1]) << 8);
  return true;
}

bool Get32(const std::string& S, std::uint64_t At, std::uint32_t& V) {
  if (At + 4 > S.size()) {
    return false;
  }
  V = 0;
  for (int I = 3; I >= 0; --I) {
    V = V << 8 | static_cast<unsigned char>(S[At + static_cast<std::uint64_t>(I)]);
  }
  return true;
}

void Put16(std::string& S, std::size_t At, std::uint32_t V) {
  S[At] = static_cast<char>(V & 0xFF);
  S[At + 1] = static_cast<char>(V >> 8 & 0xFF);
}

void Put32(std::string& S, std::size_t At, std::uint32_t V) {
  for (int I = 0; I < 4; ++I) {
    S[At + static_cast<std::size_t>(I)] = static_cast<char>(V >> (8 * I) & 0xFF);
  }
}

std::uint32_t AlignUp(std::uint32_t V, std::uint32_t A) { return A == 0 ? V : (V + A - 1) / A * A; }

struct TSection {
  std::uint32_t VirtualSize = 0;
  std::uint32_t VirtualAddress = 0;
  std::uint32_t RawSize = 0;
  std::uint32_t RawPointer = 0;
};

TSection SectionAt(const std::string& Image, const TPeLayout& L, int Index) {
  TSection S;
  const std::uint64_t At = L.SectionTableOffset + static_cast<std::uint64_t>(Index) * SectionHeaderSize;
  (void)Get32(Image, At + 8, S.VirtualSize);  // the table was checked to lie inside the image
  (void)Get32(Image, At + 12, S.VirtualAddress);
  (void)Get32(Image, At + 16, S.RawSize);
  (void)Get32(Image, At + 20, S.RawPointer);
  return S;
}

// The file offset of an address inside a section's raw data, checked against the image; false outside.
bool RvaToOffset(const std::string& Image, const TPeLayout& L, std::uint32_t Rva, std::uint32_t Size,
                 std::uint64_t& Offset) {
  for (int I = 0; I < L.SectionCount; ++I) {
    const TSection S = SectionAt(Image, L, I);
    if (Rva >= S.VirtualAddress &&
        static_cast<std::uint64_t>(Rva) + Size <= static_cast<std::uint64_t>(S.VirtualAddress) + S.RawSize) {
      Offset = static_cast<std::uint64_t>(S.RawPointer) + (Rva - S.VirtualAddress);
      return Offset + Size <= Image.size();
    }
  }
  return false;
}

std::string Utf16ToAnsi(const std::string& Image, std::uint64_t At, std::uint16_t Length) {
  std::string Name;
  for (std::uint16_t I = 0; I < Length; ++I) {
    std::uint16_t C = 0;
    (void)Get16(Image, At + 2ull * I, C);  // the caller checked the whole string
    Name += C < 0x100 ? static_cast<char>(C) : '?';
  }
  return Name;
}

// Walks the resource tree from the section's raw data.
class TTreeReader {
public:
  TTreeReader(const std::string& AImage, const TPeLayout& ALayout, std::uint64_t ABase, std::uint64_t ASize)
      : Image(AImage), Layout(ALayout), Base(ABase), Size(ASize) {}

  bool Read(std::vector<TPeResource>& Out, std::string& Error) {
    TPeResource Current;
    return Directory(0, 0, Current, Out, Error);
  }

private:
  bool Directory(std::uint32_t Offset, int Level, TPeResource& Current, std::vector<TPeResource>& Out,
                 std::string& Error) {
    std::uint16_t Named = 0;
    std::uint16_t Ids = 0;
    if (Offset + 16ull > Size || !Get16(Image, Base + Offset + 12, Named) || !Get16(Image, Base + Offset + 14, Ids)) {
      Error = "Resource directory outside the section";
      return false;
    }
    const std::uint64_t Count = static_cast<std::uint64_t>(Named) + Ids;
    if (Offset + 16ull + Count * 8 > Size) {
      Error = "Resource directory entries outside the section";
      return false;
    }
    for (std::uint64_t I = 0; I < Count; ++I) {
      std::uint32_t NameField = 0;
      std::uint32_t Target = 0;
      (void)Get32(Image, Base + Offset + 16 + I * 8, NameField);  // inside the checked range
      (void)Get32(Image, Base + Offset + 20 + I * 8, Target);
      TPeResKey Key;
      if ((NameField & HighBit) != 0) {
        std::uint16_t Length = 0;
        const std::uint32_t At = NameField & ~HighBit;
        if (At + 2ull > Size || !Get16(Image, Base + At, Length) || At + 2ull + 2ull * Length > Size) {
          Error = "Resource name outside the section";
          return false;
        }
        Key.IsId = false;
        Key.Name = Utf16ToAnsi(Image, Base + At + 2, Length);
      } else {
        Key.Id = static_cast<WORD>(NameField);
      }
      if (Level == 0) {
        Current.Type = Key;
      } else if (Level == 1) {
        Current.Name = Key;
      } else {
        Current.Language = Key.Id;
      }
      const bool IsDir = (Target & HighBit) != 0;
      if (IsDir != (Level < TreeLevels - 1)) {
        Error = "Resource tree of the wrong depth";
        return false;
      }
      if (IsDir) {
        if (!Directory(Target & ~HighBit, Level + 1, Current, Out, Error)) {
          return false;
        }
        continue;
      }
      std::uint32_t Rva = 0;
      std::uint32_t DataSize = 0;
      std::uint64_t DataOffset = 0;
      if (Target + 16ull > Size || !Get32(Image, Base + Target, Rva) || !Get32(Image, Base + Target + 4, DataSize) ||
          !RvaToOffset(Image, Layout, Rva, DataSize, DataOffset)) {
        Error = "Resource data outside the file";
        return false;
      }
      Current.Data = Image.substr(DataOffset, DataSize);
      Out.push_back(Current);
    }
    return true;
  }

  const std::string& Image;
  const TPeLayout& Layout;
  const std::uint64_t Base;
  const std::uint64_t Size;
};

// ---- the rebuilt section ----

bool KeyLess(const TPeResKey& A, const TPeResKey& B) {
  if (A.IsId != B.IsId) {
    return !A.IsId;  // named entries come first
  }
  if (A.IsId) {
    return A.Id < B.Id;
  }
  std::string UA = A.Name;
  std::string UB = B.Name;
  std::transform(UA.begin(), UA.end(), UA.begin(), [](unsigned char C) { return static_cast<char>(std::toupper(C)); });
  std::transform(UB.begin(), UB.end(), UB.begin(), [](unsigned char C) { return static_cast<char>(std::toupper(C)); });
  return UA < UB;
}

struct TKeyOrder {
  bool operator()(const TPeResKey& A, const TPeResKey& B) const { return KeyLess(A, B); }
};
using TLangMap = std::map<WORD, const std::string*>;
using TNameMap = std::map<TPeResKey, TLangMap, TKeyOrder>;
using TTypeMap = std::map<TPeResKey, TNameMap, TKeyOrder>;

// Lays the section out: directories, data entries, names, then the data, each part in tree order.
std::string BuildSection(const std::vector<TPeResource>& Resources, std::uint32_t SectionRva) {
  TTypeMap Tree;
  for (const TPeResource& R : Resources) {
    Tree[R.Type][R.Name][R.Language] = &R.Data;
  }
  std::uint32_t DirSize = 16 + static_cast<std::uint32_t>(Tree.size()) * 8;
  std::uint32_t Leaves = 0;
  std::uint32_t NamesSize = 0;
  const auto NameSize = [](const TPeResKey& K) {
    return K.IsId ? 0u : 2 + 2 * static_cast<std::uint32_t>(K.Name.size());
  };
  for (const auto& [Type, Names] : Tree) {
    NamesSize += NameSize(Type);
    DirSize += 16 + static_cast<std::uint32_t>(Names.size()) * 8;
    for (const auto& [Name, Langs] : Names) {
      NamesSize += NameSize(Name);
      DirSize += 16 + static_cast<std::uint32_t>(Langs.size()) * 8;
      Leaves += static_cast<std::uint32_t>(Langs.size());
    }
  }
  const std::uint32_t EntriesAt = DirSize;
  const std::uint32_t NamesAt = EntriesAt + Leaves * 16;
  std::uint32_t DataAt = AlignUp(NamesAt + NamesSize, 8);
  std::uint32_t DataSize = 0;
  for (const TPeResource& R : Resources) {
    DataSize += AlignUp(static_cast<std::uint32_t>(R.Data.size()), 8);
  }
  std::string S(DataAt + DataSize, '\0');
  std::uint32_t NextDir = 0;
  std::uint32_t NextEntry = EntriesAt;
  std::uint32_t NextName = NamesAt;
  const auto PutKey = [&](std::uint32_t At, const TPeResKey& K) {
    if (K.IsId) {
      Put32(S, At, K.Id);
      return;
    }
    Put32(S, At, NextName | HighBit);
    Put16(S, NextName, static_cast<std::uint32_t>(K.Name.size()));
    for (std::size_t I = 0; I < K.Name.size(); ++I) {
      Put16(S, NextName + 2 + 2 * I, static_cast<unsigned char>(K.Name[I]));
    }
    NextName += 2 + 2 * static_cast<std::uint32_t>(K.Name.size());
  };
  const auto PutDirHeader = [&](std::uint32_t At, const auto& Map) {
    std::uint32_t Named = 0;
    for (const auto& Entry : Map) {
      Named += Entry.first.IsId ? 0 : 1;
    }
    Put16(S, At + 12, Named);
    Put16(S, At + 14, static_cast<std::uint32_t>(Map.size()) - Named);
  };
  const std::uint32_t Root = NextDir;
  NextDir += 16 + static_cast<std::uint32_t>(Tree.size()) * 8;
  Put16(S, Root + 14, static_cast<std::uint32_t>(Tree.size()));
  std::uint32_t RootNamed = 0;
  std::uint32_t Slot = Root + 16;
  for (const auto& [Type, Names] : Tree) {
    RootNamed += Type.IsId ? 0 : 1;
    PutKey(Slot, Type);
    const std::uint32_t TypeDir = NextDir;
    Put32(S, Slot + 4, TypeDir | HighBit);
    Slot += 8;
    NextDir += 16 + static_cast<std::uint32_t>(Names.size()) * 8;
    PutDirHeader(TypeDir, Names);
    std::uint32_t NameSlot = TypeDir + 16;
    for (const auto& [Name, Langs] : Names) {
      PutKey(NameSlot, Name);
      const std::uint32_t NameDir = NextDir;
      Put32(S, NameSlot + 4, NameDir | HighBit);
      NameSlot += 8;
      NextDir += 16 + static_cast<std::uint32_t>(Langs.size()) * 8;
      Put16(S, NameDir + 14, static_cast<std::uint32_t>(Langs.size()));
      std::uint32_t LangSlot = NameDir + 16;
      for (const auto& [Lang, Data] : Langs) {
        Put32(S, LangSlot, Lang);
        Put32(S, LangSlot + 4, NextEntry);
        LangSlot += 8;
        Put32(S, NextEntry, SectionRva + DataAt);
        Put32(S, NextEntry + 4, static_cast<std::uint32_t>(Data->size()));
        NextEntry += 16;
        std::copy(Data->begin(), Data->end(), S.begin() + DataAt);
        DataAt += AlignUp(static_cast<std::uint32_t>(Data->size()), 8);
      }
    }
  }
  Put16(S, Root + 12, RootNamed);
  Put16(S, Root + 14, static_cast<std::uint32_t>(Tree.size()) - RootNamed);
  return S;
}

// ---- modules loaded as data files and update handles ----

struct TDataModule {
  std::vector<TPeResource> Resources;
};

struct TModuleTable {
  std::mutex Lock;
  std::map<HMODULE, std::unique_ptr<TDataModule>> Modules;
};
TModuleTable& DataModules() {
  static TModuleTable T;
  return T;
}

class TUpdateObject final : public TKernelObject {
public:
  std::string FileName;
  std::string Image;
  std::vector<TPeResource> Resources;
};

bool ReadFileBytes(const std::string& FileName, std::string& Bytes) {
  std::ifstream In(FileName, std::ios::binary);
  if (!In) {
    return false;
  }
  std::ostringstream S;
  S << In.rdbuf();
  Bytes = S.str();
  return true;
}
}  // namespace

TPeResKey TPeResKey::From(LPCSTR P) {
  TPeResKey K;
  if (IS_INTRESOURCE(P)) {
    K.Id = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(P));
  } else if (P[0] == '#' && P[1] >= '0' && P[1] <= '9') {
    K.Id = static_cast<WORD>(std::strtoul(P + 1, nullptr, 10));
  } else {
    K.IsId = false;
    K.Name = P;
  }
  return K;
}

bool TPeResKey::operator==(const TPeResKey& Other) const { return !KeyLess(*this, Other) && !KeyLess(Other, *this); }

bool ReadPeLayout(const std::string& Image, TPeLayout& L, std::string& Error) {
  Error = "Invalid file format";
  std::uint32_t NtOffset = 0;
  std::uint32_t Signature = 0;
  std::uint16_t OptionalSize = 0;
  std::uint16_t Magic = 0;
  if (Image.size() < 64 || Image[0] != 'M' || Image[1] != 'Z' || !Get32(Image, 60, NtOffset) ||
      !Get32(Image, NtOffset, Signature) || Signature != 0x00004550 || !Get16(Image, NtOffset + 6ull, L.SectionCount) ||
      !Get16(Image, NtOffset + 20ull, OptionalSize) || !Get16(Image, NtOffset + 24ull, Magic)) {
    return false;
  }
  if ((Magic != MagicPe32 && Magic != MagicPe32Plus) || L.SectionCount > MaxSections) {
    return false;
  }
  L.Pe32Plus = Magic == MagicPe32Plus;
  L.NtOffset = NtOffset;
  L.OptionalOffset = NtOffset + 24;
  L.SectionTableOffset = L.OptionalOffset + OptionalSize;
  const std::uint32_t DirectoryAt = L.OptionalOffset + (L.Pe32Plus ? 112u : 96u);
  std::uint32_t DirectoryCount = 0;
  if (!Get32(Image, L.OptionalOffset + 32ull, L.SectionAlignment) ||
      !Get32(Image, L.OptionalOffset + 36ull, L.FileAlignment) ||
      !Get32(Image, L.OptionalOffset + 60ull, L.SizeOfHeaders) || !Get32(Image, DirectoryAt - 4ull, DirectoryCount) ||
      static_cast<std::uint64_t>(L.SectionTableOffset) +
              static_cast<std::uint64_t>(L.SectionCount) * SectionHeaderSize >
          Image.size() ||
      DirectoryCount <= ResourceDataIndex || DirectoryAt + 8ull * (ResourceDataIndex + 1) > L.SectionTableOffset) {
    return false;
  }
  L.ResourceDirOffset = DirectoryAt + 8 * ResourceDataIndex;
  std::uint32_t ResourceRva = 0;
  (void)Get32(Image, L.ResourceDirOffset, ResourceRva);  // inside the optional header checked above
  L.ResourceSection = -1;
  for (int I = 0; I < L.SectionCount; ++I) {
    const TSection S = SectionAt(Image, L, I);
    const char* Name = Image.data() + L.SectionTableOffset + static_cast<std::size_t>(I) * SectionHeaderSize;
    if ((ResourceRva != 0 && S.VirtualAddress == ResourceRva) || strncasecmp(Name, ".rsrc", 8) == 0) {
      L.ResourceSection = I;
      break;
    }
  }
  Error.clear();
  return true;
}

bool ReadPeResources(const std::string& Image, std::vector<TPeResource>& Resources, std::string& Error) {
  Resources.clear();
  TPeLayout L;
  if (!ReadPeLayout(Image, L, Error)) {
    return false;
  }
  if (L.ResourceSection < 0) {
    return true;
  }
  const TSection S = SectionAt(Image, L, L.ResourceSection);
  if (S.RawPointer > Image.size()) {
    Error = "Resource section outside the file";
    return false;
  }
  const std::uint64_t Size = std::min<std::uint64_t>(S.RawSize, Image.size() - S.RawPointer);
  if (Size == 0) {
    return true;
  }
  TTreeReader Reader(Image, L, S.RawPointer, Size);
  return Reader.Read(Resources, Error);
}

bool WritePeResources(const std::string& Image, const std::vector<TPeResource>& Resources, std::string& Result,
                      std::string& Error) {
  TPeLayout L;
  if (!ReadPeLayout(Image, L, Error)) {
    return false;
  }
  std::string Out = Image;
  // Take the old resource section out of the table: its bytes stay in the file, unreferenced, unless it was
  // the last thing in the file.
  std::uint16_t Count = L.SectionCount;
  std::uint32_t EndOfRaw = L.SizeOfHeaders;
  std::uint32_t EndOfImage = AlignUp(L.SizeOfHeaders, L.SectionAlignment);
  if (L.ResourceSection >= 0) {
    const std::size_t From =
        L.SectionTableOffset + (static_cast<std::size_t>(L.ResourceSection) + 1) * SectionHeaderSize;
    const std::size_t End = L.SectionTableOffset + static_cast<std::size_t>(Count) * SectionHeaderSize;
    Out.erase(From - SectionHeaderSize, SectionHeaderSize);
    Out.insert(End - SectionHeaderSize, SectionHeaderSize, '\0');
    --Count;
  }
  L.SectionCount = Count;
  for (int I = 0; I < Count; ++I) {
    const TSection S = SectionAt(Out, L, I);
    EndOfRaw = std::max(EndOfRaw, S.RawPointer + S.RawSize);
    EndOfImage =
        std::max(EndOfImage, AlignUp(S.VirtualAddress + std::max(S.VirtualSize, S.RawSize), L.SectionAlignment));
  }
  const std::uint32_t TableEnd = L.SectionTableOffset + (static_cast<std::uint32_t>(Count) + 1) * SectionHeaderSize;
  if (TableEnd > L.SizeOfHeaders || EndOfRaw > Out.size()) {
    Error = "No room for the resource section";
    return false;
  }
  const std::uint32_t Rva = EndOfImage;
  const std::string Section = BuildSection(Resources, Rva);
  const std::uint32_t RawPointer = AlignUp(EndOfRaw, L.FileAlignment);
  const std::uint32_t RawSize = AlignUp(static_cast<std::uint32_t>(Section.size()), L.FileAlignment);
  Out.resize(RawPointer, '\0');
  Out += Section;
  Out.resize(static_cast<std::size_t>(RawPointer) + RawSize, '\0');
  const std::size_t Header = L.SectionTableOffset + static_cast<std::size_t>(Count) * SectionHeaderSize;
  std::memcpy(Out.data() + Header, ".rsrc\0\0\0", 8);
  Put32(Out, Header + 8, static_cast<std::uint32_t>(Section.size()));
  Put32(Out, Header + 12, Rva);
  Put32(Out, Header + 16, RawSize);
  Put32(Out, Header + 20, RawPointer);
  Put32(Out, Header + 36, ResourceCharacteristics);
  Put16(Out, L.NtOffset + 6, static_cast<std::uint32_t>(Count) + 1);
  Put32(Out, L.OptionalOffset + 56, AlignUp(Rva + static_cast<std::uint32_t>(Section.size()), L.SectionAlignment));
  Put32(Out, L.ResourceDirOffset, Rva);
  Put32(Out, L.ResourceDirOffset + 4, static_cast<std::uint32_t>(Section.size()));
  Result = std::move(Out);
  return true;
}

HMODULE LoadLibraryEx(LPCSTR FileName, HANDLE /*File*/, DWORD Flags) {
  if ((Flags & LOAD_LIBRARY_AS_DATAFILE) == 0) {
    return LoadLibrary(FileName);
  }
  std::string Image;
  if (FileName == nullptr || !ReadFileBytes(FileName, Image)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  auto Module = std::make_unique<TDataModule>();
  std::string Error;
  if (!ReadPeResources(Image, Module->Resources, Error)) {
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return nullptr;
  }
  TModuleTable& T = DataModules();
  std::lock_guard<std::mutex> Guard(T.Lock);
  const auto Handle = static_cast<HMODULE>(Module.get());
  T.Modules[Handle] = std::move(Module);
  return Handle;
}

bool IsDataModule(HMODULE Module) {
  TModuleTable& T = DataModules();
  std::lock_guard<std::mutex> Guard(T.Lock);
  return Module != nullptr && T.Modules.count(Module) != 0;
}

std::uintptr_t FindDataModuleResource(HMODULE Module, LPCSTR Name, LPCSTR Type) {
  TModuleTable& T = DataModules();
  std::lock_guard<std::mutex> Guard(T.Lock);
  const auto It = T.Modules.find(Module);
  if (It == T.Modules.end() || Name == nullptr || Type == nullptr) {
    return 0;
  }
  const TPeResKey N = TPeResKey::From(Name);
  const TPeResKey Ty = TPeResKey::From(Type);
  const auto& Rs = It->second->Resources;
  for (std::size_t I = 0; I < Rs.size(); ++I) {
    if (Rs[I].Type == Ty && Rs[I].Name == N) {
      return I + 1;
    }
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return 0;
}

const void* DataModuleResource(HMODULE Module, std::uintptr_t Res, DWORD& Size) {
  TModuleTable& T = DataModules();
  std::lock_guard<std::mutex> Guard(T.Lock);
  const auto It = T.Modules.find(Module);
  Size = 0;
  if (It == T.Modules.end() || Res == 0 || Res > It->second->Resources.size()) {
    return nullptr;
  }
  const std::string& Data = It->second->Resources[Res - 1].Data;
  Size = static_cast<DWORD>(Data.size());
  return Data.data();
}

bool FreeDataModule(HMODULE Module) {
  TModuleTable& T = DataModules();
  std::lock_guard<std::mutex> Guard(T.Lock);
  return T.Modules.erase(Module) != 0;
}

HANDLE BeginUpdateResource(LPCSTR FileName, BOOL DeleteExistingResources) {
  auto U = std::make_shared<TUpdateObject>();
  if (FileName == nullptr || !ReadFileBytes(FileName, U->Image)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  std::string Error;
  if (!ReadPeResources(U->Image, U->Resources, Error)) {
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return nullptr;
  }
  if (DeleteExistingResources) {
    U->Resources.clear();
  }
  U->FileName = FileName;
  return AddKernelObject(U);
}

BOOL UpdateResource(HANDLE Update, LPCSTR Type, LPCSTR Name, WORD Language, LPCVOID Data, DWORD Size) {
  const auto U = FindKernelObjectAs<TUpdateObject>(Update);
  if (!U || Type == nullptr || Name == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const TPeResKey Ty = TPeResKey::From(Type);
  const TPeResKey N = TPeResKey::From(Name);
  std::erase_if(U->Resources,
                [&](const TPeResource& R) { return R.Type == Ty && R.Name == N && R.Language == Language; });
  if (Data != nullptr || Size != 0) {
    TPeResource R;
    R.Type = Ty;
    R.Name = N;
    R.Language = Language;
    R.Data.assign(static_cast<const char*>(Data), Size);
    U->Resources.push_back(std::move(R));
  }
  return TRUE;
}

BOOL EndUpdateResource(HANDLE Update, BOOL Discard) {
  const auto U = FindKernelObjectAs<TUpdateObject>(Update);
  if (!U) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  (void)CloseHandle(Update);  // the object lives on in U for the write below
  if (Discard) {
    return TRUE;
  }
  std::string Result;
  std::string Error;
  if (!WritePeResources(U->Image, U->Resources, Result, Error)) {
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return FALSE;
  }
  const std::string Temp = U->FileName + ".update";
  {
    std::ofstream Out(Temp, std::ios::binary | std::ios::trunc);
    Out.write(Result.data(), static_cast<std::streamsize>(Result.size()));
    if (!Out) {
      SetLastError(ERROR_WRITE_FAULT);
      std::remove(Temp.c_str());
      return FALSE;
    }
  }
  if (std::rename(Temp.c_str(), U->FileName.c_str()) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    std::remove(Temp.c_str());
    return FALSE;
  }
  return TRUE;
}
