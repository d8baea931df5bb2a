// A user-editable word store kept in one file.
#include "spell/Lx3customdictionary.h"

#include "spell/Lx3utils.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void PutLE32(std::string& S, std::uint32_t V) {
  for (int I = 0; I < 4; ++I) {
    S.push_back(static_cast<char>(V >> (8 * I)));
  }
}

std::uint32_t GetLE32(const char* P) {
  const auto* B = reinterpret_cast<const unsigned char*>(P);
  return B[0] | (B[1] << 8) | (B[2] << 16) | (static_cast<std::uint32_t>(B[3]) << 24);
}

bool WriteAll(int Fd, const std::string& Bytes) {
  std::size_t Done = 0;
  while (Done < Bytes.size()) {
    const auto N = ::write(Fd, Bytes.data() + Done, Bytes.size() - Done);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N <= 0) {
      return false;
    }
    Done += static_cast<std::size_t>(N);
  }
  return true;
}

bool Exists(const std::string& Name) {
  struct stat St {};
  return ::stat(Name.c_str(), &St) == 0;
}

}  // namespace

TDictionaryStamp GetDictionaryStamp(const std::string& FileName) {
  struct stat St {};
  if (::stat(FileName.c_str(), &St) != 0) {
    return TDictionaryStamp{};
  }
  return TDictionaryStamp{true, static_cast<std::int64_t>(St.st_mtim.tv_sec) * 1000000000 + St.st_mtim.tv_nsec,
                          static_cast<std::int64_t>(St.st_size), static_cast<std::uint64_t>(St.st_ino)};
}

TCustomDictionary::~TCustomDictionary() { WriteLoaded(false); }

int TCustomDictionary::KindIndex(char Kind) {
  switch (Kind) {
    case 'I':
      return kiIgnore;
    case 'E':
      return kiExclude;
    case 'A':
      return kiAutoCorrect;
    default:
      return -1;
  }
}

bool TCustomDictionary::IsCustomDictionary(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  if (Name.empty() || !In) {
    return Name.empty() || CanFileBeWritten(Name, true);
  }
  char Head[AduFormat::HeadSize] = {};
  In.read(Head, sizeof(Head));
  if (In.gcount() != static_cast<std::streamsize>(sizeof(Head))) {
    return false;
  }
  return std::string_view(Head, AduFormat::Banner.size()) == AduFormat::Banner &&
         Head[AduFormat::Banner.size()] == 0;
}

void TCustomDictionary::WriteFilename(const std::string& Name) {
  if (!IsCustomDictionary(Name)) {
    return;
  }
  const bool WasLoaded = FLoaded;
  WriteLoaded(false);
  FFilename = Name;
  FTracking = !Name.empty();
  FDamaged = false;
  if (WasLoaded) {
    WriteLoaded(true);
  }
}

void TCustomDictionary::Clear() {
  FModified = false;
  for (int K = 0; K < 3; ++K) {
    FCounts[K] = 0;
    FIndex[K].clear();
    FRemoved[K].clear();
    FAdded[K].clear();
  }
  FAddedReplacements.clear();
  FWordCount = 0;
  FArea.clear();
  FArea.shrink_to_fit();
  FUsed = 0;
  FTable.clear();
  FIndexValid = false;
}

void TCustomDictionary::WriteLoaded(bool Flag) {
  if (!Flag) {
    if (FLoaded && FModified) {
      Save();
    }
    Clear();
    FLoaded = false;
    return;
  }
  if (FLoaded) {
    return;
  }
  if (FFilename.empty()) {
    // A dictionary without a file lives in memory only (the words of Ignore All, a word processor's list).
    Clear();
    FLoaded = true;
    return;
  }
  if (!IsCustomDictionary(FFilename)) {
    return;
  }
  Clear();
  FDamaged = false;
  FLoaded = true;
  if (!Exists(FFilename)) {
    FStamp = TDictionaryStamp{};
    FModified = true;  // written at the next save
    return;
  }
  FStamp = GetDictionaryStamp(FFilename);
  if (!LoadDictionary()) {
    // A file with a valid banner whose body does not hold together: use it empty and leave it alone.
    Clear();
    FDamaged = true;
  }
}

bool TCustomDictionary::EnsureLoaded() {
  if (!FLoaded) {
    WriteLoaded(true);
  }
  return FLoaded;
}

bool TCustomDictionary::LoadDictionary() {
  std::ifstream In(FFilename, std::ios::binary);
  if (!In) {
    return false;
  }
  const std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  const std::size_t Fixed = AduFormat::HeadSize + 20;
  if (Bytes.size() < Fixed + 4) {
    return false;
  }
  const char* P = Bytes.data() + AduFormat::HeadSize;
  // The stored counts are not trusted: they are counted again from the live records below.
  int Counts[3] = {0, 0, 0};
  const std::uint64_t H = GetLE32(P + 16);
  if (Bytes.size() < Fixed + 4 * H + 4) {
    return false;
  }
  const std::uint64_t U = GetLE32(Bytes.data() + Fixed + 4 * H);
  if (Bytes.size() < Fixed + 4 * H + 4 + U) {
    return false;
  }
  std::vector<std::int32_t> Table(H);
  std::size_t Live = 0;
  bool HasFree = H == 0;
  for (std::uint64_t I = 0; I < H; ++I) {
    const auto Slot = static_cast<std::int32_t>(GetLE32(Bytes.data() + Fixed + 4 * I));
    Table[I] = Slot;
    if (Slot == 0) {
      HasFree = true;
    } else if (Slot != -1) {
      // A slot names a record's word: its kind letter before it, its zero (and a replacement's) inside the area.
      if (Slot < 1 || static_cast<std::uint64_t>(Slot) >= U) {
        return false;
      }
      const char* Area = Bytes.data() + Fixed + 4 * H + 4;
      const char Kind = Area[Slot - 1];
      const void* Zero = std::memchr(Area + Slot, 0, U - static_cast<std::uint64_t>(Slot));
      if (KindIndex(Kind) < 0 || !Zero) {
        return false;
      }
      ++Counts[KindIndex(Kind)];
      if (Kind == 'A') {
        const auto After = static_cast<const char*>(Zero) + 1 - Area;
        if (static_cast<std::uint64_t>(After) >= U || !std::memchr(Area + After, 0, U - After)) {
          return false;
        }
      }
      ++Live;
    }
  }
  if (!HasFree) {
    return false;
  }
  for (int K = 0; K < 3; ++K) {
    FCounts[K] = Counts[K];
  }
  FWordCount = static_cast<int>(Live);
  FTable = std::move(Table);
  FUsed = static_cast<std::size_t>(U);
  FArea.assign((FUsed / AduFormat::AreaStep + 1) * AduFormat::AreaStep, '\0');
  std::memcpy(FArea.data(), Bytes.data() + Fixed + 4 * H + 4, FUsed);
  return true;
}

std::string TCustomDictionary::StringFromStreamPos(std::int32_t Offset) const {
  if (Offset < 1 || static_cast<std::size_t>(Offset) >= FUsed) {
    return std::string();
  }
  const char* Start = FArea.data() + Offset;
  const void* Zero = std::memchr(Start, 0, FUsed - static_cast<std::size_t>(Offset));
  const std::size_t Len = Zero ? static_cast<std::size_t>(static_cast<const char*>(Zero) - Start)
                               : FUsed - static_cast<std::size_t>(Offset);
  return std::string(Start, Len);
}

int TCustomDictionary::InternalHash(const std::string& Word, int Size) const { return HashString(Word, Size); }

bool TCustomDictionary::FindWord(char Kind, const std::string& Word, std::int32_t& Value, int& Index) {
  if (!EnsureLoaded() || FTable.empty()) {
    return false;
  }
  const int H = static_cast<int>(FTable.size());
  int I = InternalHash(Word, H);
  const int Step = SecondaryHash(I);
  // Never probe more slots than the table has: a full table must not make the search endless.
  for (int Probe = 0; Probe < H; ++Probe) {
    const std::int32_t Slot = FTable[static_cast<std::size_t>(I)];
    if (Slot == 0) {
      return false;
    }
    if (Slot > 0 && StringFromStreamPos(Slot) == Word) {
      if (Kind != '*' && FArea[static_cast<std::size_t>(Slot - 1)] != Kind) {
        return false;
      }
      Value = Slot;
      Index = I;
      return true;
    }
    I = (I + Step) % H;
  }
  return false;
}

void TCustomDictionary::AppendBuffer(const std::string& Record) {
  while (FUsed + Record.size() > FArea.size()) {
    FArea.resize(FArea.size() + AduFormat::AreaStep, '\0');
  }
  std::memcpy(FArea.data() + FUsed, Record.data(), Record.size());
  FUsed += Record.size();
}

void TCustomDictionary::InsertOffset(std::vector<std::int32_t>& Table, const std::string& Word,
                                     std::int32_t Offset) const {
  const int H = static_cast<int>(Table.size());
  int I = InternalHash(Word, H);
  if (Table[static_cast<std::size_t>(I)] > 0) {
    const int Step = SecondaryHash(I);
    for (int Probe = 0; Probe < H && Table[static_cast<std::size_t>(I)] != 0; ++Probe) {
      I = (I + Step) % H;
    }
  }
  Table[static_cast<std::size_t>(I)] = Offset;
}

void TCustomDictionary::AddHash(const std::string& Word, std::int32_t Offset) {
  if (static_cast<std::uint64_t>(FWordCount) * 4 >= FTable.size()) {
    std::vector<std::int32_t> Table(GetNextPrime(static_cast<std::uint32_t>(FTable.size())), 0);
    for (auto Slot : FTable) {
      if (Slot > 0) {
        InsertOffset(Table, StringFromStreamPos(Slot), Slot);
      }
    }
    FTable = std::move(Table);
    FIndexValid = false;
  }
  InsertOffset(FTable, Word, Offset);
}

bool TCustomDictionary::AddWord(char Kind, const std::string& Word, const std::string& Replacement) {
  if (!EnsureLoaded()) {
    return false;
  }
  if (Word.size() + Replacement.size() > AduFormat::MaxEntryBytes || Word.empty() ||
      Word.find('\0') != std::string::npos || Replacement.find('\0') != std::string::npos) {
    return false;
  }
  std::int32_t Value = 0;
  int Index = 0;
  if (FindWord('*', Word, Value, Index)) {
    return false;
  }
  std::string Record(1, Kind);
  Record += Word;
  Record.push_back('\0');
  if (Kind == 'A') {
    Record += Replacement;
    Record.push_back('\0');
  }
  const auto Offset = static_cast<std::int32_t>(FUsed + 1);
  AppendBuffer(Record);
  ++FWordCount;
  AddHash(Word, Offset);
  if (FIndexValid) {
    FIndex[KindIndex(Kind)].push_back(Offset);
  }
  return true;
}

bool TCustomDictionary::RemoveWord(char Kind, const std::string& Word) {
  std::int32_t Value = 0;
  int Index = 0;
  if (!FindWord(Kind, Word, Value, Index)) {
    return false;
  }
  FTable[static_cast<std::size_t>(Index)] = -1;
  --FWordCount;
  FIndexValid = false;
  return true;
}

void TCustomDictionary::AddToIndexList(std::int32_t Offset) {
  const int K = KindIndex(FArea[static_cast<std::size_t>(Offset - 1)]);
  if (K >= 0) {
    FIndex[K].push_back(Offset);
  }
}

void TCustomDictionary::SetupIndexLists() {
  if (!EnsureLoaded()) {
    return;
  }
  for (int K = 0; K < 3; ++K) {
    FIndex[K].clear();
    FIndex[K].reserve(static_cast<std::size_t>(std::max(0, FCounts[K])) + 256);
  }
  for (auto Slot : FTable) {
    if (Slot > 0) {
      AddToIndexList(Slot);
    }
  }
  FIndexValid = true;
}

int TCustomDictionary::ReadIgnoreCount() {
  if (!FIndexValid) {
    SetupIndexLists();
  }
  return static_cast<int>(FIndex[kiIgnore].size());
}

int TCustomDictionary::ReadExcludeCount() {
  if (!FIndexValid) {
    SetupIndexLists();
  }
  return static_cast<int>(FIndex[kiExclude].size());
}

int TCustomDictionary::ReadAutoCorrectCount() {
  if (!FIndexValid) {
    SetupIndexLists();
  }
  return static_cast<int>(FIndex[kiAutoCorrect].size());
}

std::string TCustomDictionary::IndexedWord(TKindIndex Kind, int Index) {
  if (!FIndexValid) {
    SetupIndexLists();
  }
  if (Index < 0 || Index >= static_cast<int>(FIndex[Kind].size())) {
    return std::string();
  }
  return StringFromStreamPos(FIndex[Kind][static_cast<std::size_t>(Index)]);
}

std::string TCustomDictionary::GetIgnoreWord(int Index) { return IndexedWord(kiIgnore, Index); }
std::string TCustomDictionary::GetExcludeWord(int Index) { return IndexedWord(kiExclude, Index); }

std::string TCustomDictionary::GetAutoCorrectWord(int Index, std::string& Replacement) {
  const std::string Word = IndexedWord(kiAutoCorrect, Index);
  Replacement.clear();
  if (!Word.empty()) {
    const auto Offset = FIndex[kiAutoCorrect][static_cast<std::size_t>(Index)];
    Replacement = StringFromStreamPos(Offset + static_cast<std::int32_t>(Word.size()) + 1);
  }
  return Word;
}

bool TCustomDictionary::IgnoreExists(const std::string& Word) {
  std::int32_t Value = 0;
  int Index = 0;
  return FindWord('I', Word, Value, Index);
}

bool TCustomDictionary::ExcludeExists(const std::string& Word) {
  std::int32_t Value = 0;
  int Index = 0;
  return FindWord('E', Word, Value, Index);
}

bool TCustomDictionary::AutoCorrectExists(const std::string& Word, std::string& Replacement) {
  std::int32_t Value = 0;
  int Index = 0;
  if (!FindWord('A', Word, Value, Index)) {
    return false;
  }
  Replacement = StringFromStreamPos(Value + static_cast<std::int32_t>(Word.size()) + 1);
  return true;
}

bool TCustomDictionary::AddIgnore(const std::string& Word) {
  if (!AddWord('I', Word, std::string())) {
    return false;
  }
  if (FTracking) {
    FAdded[kiIgnore].push_back(Word);
  }
  FModified = true;
  ++FCounts[kiIgnore];
  return true;
}

bool TCustomDictionary::AddExclude(const std::string& Word) {
  if (!AddWord('E', Word, std::string())) {
    return false;
  }
  if (FTracking) {
    FAdded[kiExclude].push_back(Word);
  }
  FModified = true;
  ++FCounts[kiExclude];
  return true;
}

bool TCustomDictionary::AddAutoCorrect(const std::string& Word, const std::string& Replacement) {
  if (!AddWord('A', Word, Replacement)) {
    return false;
  }
  if (FTracking) {
    FAdded[kiAutoCorrect].push_back(Word);
    FAddedReplacements.push_back(Replacement);
  }
  FModified = true;
  ++FCounts[kiAutoCorrect];
  return true;
}

bool TCustomDictionary::RemoveIgnore(const std::string& Word) {
  if (!RemoveWord('I', Word)) {
    return false;
  }
  if (FTracking) {
    FRemoved[kiIgnore].push_back(Word);
  }
  FModified = true;
  --FCounts[kiIgnore];
  return true;
}

bool TCustomDictionary::RemoveExclude(const std::string& Word) {
  if (!RemoveWord('E', Word)) {
    return false;
  }
  if (FTracking) {
    FRemoved[kiExclude].push_back(Word);
  }
  FModified = true;
  --FCounts[kiExclude];
  return true;
}

bool TCustomDictionary::RemoveAutoCorrect(const std::string& Word) {
  if (!RemoveWord('A', Word)) {
    return false;
  }
  if (FTracking) {
    FRemoved[kiAutoCorrect].push_back(Word);
  }
  FModified = true;
  --FCounts[kiAutoCorrect];
  return true;
}

void TCustomDictionary::RemoveAll() {
  if (!EnsureLoaded()) {
    return;
  }
  const bool Modified = FModified;
  Clear();
  FModified = Modified;
}

std::unique_ptr<TCustomDictionary> TCustomDictionary::CreateInstance() const {
  return std::make_unique<TCustomDictionary>();
}

void TCustomDictionary::Save() {
  if (FModified && !FFilename.empty() && !FDamaged && (!Exists(FFilename) || IsCustomDictionary(FFilename))) {
    TDictionaryStamp Present = GetDictionaryStamp(FFilename);
    if (!Present.Exists) {
      Present = FStamp;
    }
    if (Present == FStamp) {
      SaveDictionary(FFilename);
    } else {
      // Another program saved the file since it was loaded: replay this instance's changes onto its contents.
      auto Other = CreateInstance();
      Other->WriteFilename(FFilename);
      for (const auto& W : FAdded[kiIgnore]) {
        Other->AddIgnore(W);
      }
      for (const auto& W : FAdded[kiExclude]) {
        Other->AddExclude(W);
      }
      for (std::size_t I = 0; I < FAdded[kiAutoCorrect].size(); ++I) {
        Other->AddAutoCorrect(FAdded[kiAutoCorrect][I], I < FAddedReplacements.size() ? FAddedReplacements[I] : "");
      }
      for (const auto& W : FRemoved[kiIgnore]) {
        Other->RemoveIgnore(W);
      }
      for (const auto& W : FRemoved[kiExclude]) {
        Other->RemoveExclude(W);
      }
      for (const auto& W : FRemoved[kiAutoCorrect]) {
        Other->RemoveAutoCorrect(W);
      }
      Other->Save();
    }
  }
  FModified = false;
  for (int K = 0; K < 3; ++K) {
    FAdded[K].clear();
    FRemoved[K].clear();
  }
  FAddedReplacements.clear();
}

void TCustomDictionary::SaveAs(const std::string& Name) {
  if (EnsureLoaded()) {
    SaveDictionary(Name);
  }
}

bool TCustomDictionary::SaveDictionary(const std::string& Name) {
  std::string Bytes(AduFormat::Banner);
  Bytes.push_back('\0');
  Bytes.push_back('\x1A');
  for (int K = 0; K < 3; ++K) {
    PutLE32(Bytes, static_cast<std::uint32_t>(FCounts[K]));
  }
  PutLE32(Bytes, static_cast<std::uint32_t>(FWordCount));
  PutLE32(Bytes, static_cast<std::uint32_t>(FTable.size()));
  for (auto Slot : FTable) {
    PutLE32(Bytes, static_cast<std::uint32_t>(Slot));
  }
  PutLE32(Bytes, static_cast<std::uint32_t>(FUsed));
  Bytes.append(FArea.data(), FUsed);

  // Write beside the file and rename it over the old one, so that a failed write never loses the old file.
  const std::string Temp = Name + ".saving~";
  const int Fd = ::open(Temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (Fd >= 0) {
    struct stat Old {};
    if (::stat(Name.c_str(), &Old) == 0) {
      ::fchmod(Fd, Old.st_mode & 07777);
    }
    const bool Ok = WriteAll(Fd, Bytes) && ::fsync(Fd) == 0;
    ::close(Fd);
    if (Ok && ::rename(Temp.c_str(), Name.c_str()) == 0) {
      return true;
    }
    // The old file stays as it was.
    ::unlink(Temp.c_str());
    return false;
  }
  // The folder takes no new file (read-only folder): write the file in place.
  const int InPlace = ::open(Name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (InPlace < 0) {
    return false;
  }
  const bool Ok = WriteAll(InPlace, Bytes) && ::ftruncate(InPlace, static_cast<off_t>(Bytes.size())) == 0;
  ::close(InPlace);
  return Ok;
}
