// Loading and saving a large document through the editor's text store, beside a plain read of the file
// into memory and a plain write of the same bytes. Run with repetitions and compare medians: the file is in
// the page cache, so both sides measure copying and memory, not the disk. A load of a 1 GB file shows the
// memory the store needs at its peak beside the file's size.
#include "editor/Easyeditsource.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A temporary file that goes when the program ends.
struct TTempFile {
  std::string Name;
  ~TTempFile() {
    if (!Name.empty()) {
      std::remove(Name.c_str());
      std::remove((Name + ".out").c_str());
    }
  }
};

// The corpus pages, about 800 KB of real lines.
std::string SeedText() {
  std::string Seed;
  for (const char* F : {"html/rust-std-String.html", "html/node-addons.html", "css/rustdoc.css"}) {
    std::ifstream In(CorpusDir() + F, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    Seed += S.str();
  }
  if (Seed.empty()) {
    Seed = "<p class=\"line\">The quick brown fox and the lazy dog</p>\r\n";
  }
  return Seed;
}

// The corpus pages repeated to at least Size bytes in a new temporary file.
std::string WriteRepeated(std::size_t Size) {
  const std::string Seed = SeedText();
  char Path[] = "/tmp/zubq_store_XXXXXX";
  const int Fd = mkstemp(Path);
  if (Fd < 0) {
    return std::string();
  }
  close(Fd);
  std::ofstream Out(Path, std::ios::binary);
  for (std::size_t Done = 0; Done < Size; Done += Seed.size()) {
    Out.write(Seed.data(), static_cast<std::streamsize>(Seed.size()));
  }
  return std::string(Path);
}

// The corpus pages repeated to about 73 MB, written once to a temporary file.
const std::string& DocumentFile() {
  static const TTempFile File{WriteRepeated(73u << 20)};
  return File.Name;
}

// The whole file read into one block of memory, as plainly as it can be: its size from fstat, a block that is
// not cleared first, read() until the end.
std::unique_ptr<char[]> PlainRead(const std::string& Name, std::size_t& Size) {
  Size = 0;
  const int Fd = ::open(Name.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) {
    return nullptr;
  }
  struct stat St {};
  if (::fstat(Fd, &St) != 0) {
    ::close(Fd);
    return nullptr;
  }
  std::unique_ptr<char[]> Data(new char[static_cast<std::size_t>(St.st_size)]);
  while (Size < static_cast<std::size_t>(St.st_size)) {
    const ssize_t N = ::read(Fd, Data.get() + Size, static_cast<std::size_t>(St.st_size) - Size);
    if (N <= 0) {
      break;
    }
    Size += static_cast<std::size_t>(N);
  }
  ::close(Fd);
  return Data;
}

// Loads are measured in two conditions, each side by side. Fresh: the memory a load fills is new to the
// process, as in a program that opens its first document (both sides hand their memory back to the system
// while the clock is stopped). Reused: the plain read goes into a block it filled before, and the store into
// the heap its last load left.
void BM_PlainRead(benchmark::State& State) {
  DocumentFile();
  for (auto _ : State) {
    std::size_t Size = 0;
    std::unique_ptr<char[]> Data = PlainRead(DocumentFile(), Size);
    benchmark::DoNotOptimize(Data.get());
    State.PauseTiming();
    Data.reset();
    malloc_trim(0);
    State.ResumeTiming();
  }
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StoreLoad(benchmark::State& State) {
  DocumentFile();
  for (auto _ : State) {
    std::unique_ptr<TEasyEditSource> Source(new TEasyEditSource(nullptr));
    Source->LoadFromFile(DocumentFile());
    benchmark::DoNotOptimize(Source->Strings()->Count());
    State.PauseTiming();
    Source.reset();
    malloc_trim(0);
    State.ResumeTiming();
  }
}
BENCHMARK(BM_StoreLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainReadIntoReusedMemory(benchmark::State& State) {
  std::size_t Size = 0;
  std::unique_ptr<char[]> Data = PlainRead(DocumentFile(), Size);
  for (auto _ : State) {
    const int Fd = ::open(DocumentFile().c_str(), O_RDONLY | O_CLOEXEC);
    std::size_t Done = 0;
    while (Fd >= 0 && Done < Size) {
      const ssize_t N = ::read(Fd, Data.get() + Done, Size - Done);
      if (N <= 0) {
        break;
      }
      Done += static_cast<std::size_t>(N);
    }
    if (Fd >= 0) {
      ::close(Fd);
    }
    benchmark::DoNotOptimize(Data.get());
  }
}
BENCHMARK(BM_PlainReadIntoReusedMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StoreLoadIntoReusedMemory(benchmark::State& State) {
  DocumentFile();
  for (auto _ : State) {
    std::unique_ptr<TEasyEditSource> Source(new TEasyEditSource(nullptr));
    Source->LoadFromFile(DocumentFile());
    benchmark::DoNotOptimize(Source->Strings()->Count());
    State.PauseTiming();
    Source.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_StoreLoadIntoReusedMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainWrite(benchmark::State& State) {
  std::size_t Size = 0;
  const std::unique_ptr<char[]> Data = PlainRead(DocumentFile(), Size);
  const std::string Out = DocumentFile() + ".out";
  for (auto _ : State) {
    if (FILE* F = std::fopen(Out.c_str(), "wb")) {
      std::fwrite(Data.get(), 1, Size, F);
      std::fclose(F);
    }
  }
  std::remove(Out.c_str());
}
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StoreSave(benchmark::State& State) {
  std::unique_ptr<TEasyEditSource> Source(new TEasyEditSource(nullptr));
  Source->LoadFromFile(DocumentFile());
  const std::string Out = DocumentFile() + ".out";
  for (auto _ : State) {
    Source->SaveToFile(Out);
  }
  std::remove(Out.c_str());
}
BENCHMARK(BM_StoreSave)->Unit(benchmark::kMillisecond)->UseRealTime();

// A value of /proc/self/status in bytes (its lines are "Name:   N kB"), 0 when it cannot be read.
std::size_t ProcStatus(const char* Key) {
  std::ifstream In("/proc/self/status");
  std::string Line;
  const std::size_t KeyLength = std::strlen(Key);
  while (std::getline(In, Line)) {
    if (Line.compare(0, KeyLength, Key) == 0 && Line.size() > KeyLength && Line[KeyLength] == ':') {
      return static_cast<std::size_t>(std::strtoull(Line.c_str() + KeyLength + 1, nullptr, 10)) * 1024;
    }
  }
  return 0;
}

// Loading a 1 GB file (the corpus pages repeated) into a new store. Counters: the file's size, the memory the
// process gained at its peak during the load (the peak is reset first), the memory the loaded store holds,
// both in MB and as a multiple of the file's size.
void BM_StoreLoadGigabyte(benchmark::State& State) {
  static const TTempFile File{WriteRepeated(std::size_t{1} << 30)};
  const double FileSize = static_cast<double>(std::filesystem::file_size(File.Name));
  double Peak = 0;
  double Held = 0;
  for (auto _ : State) {
    State.PauseTiming();
    malloc_trim(0);
    const std::size_t Before = ProcStatus("VmRSS");
    // Writing 5 here resets the process's peak resident size to its present size.
    std::ofstream("/proc/self/clear_refs") << "5";
    State.ResumeTiming();
    std::unique_ptr<TEasyEditSource> Source(new TEasyEditSource(nullptr));
    Source->LoadFromFile(File.Name);
    benchmark::DoNotOptimize(Source->Strings()->Count());
    State.PauseTiming();
    Peak = static_cast<double>(ProcStatus("VmHWM") - Before);
    Held = static_cast<double>(ProcStatus("VmRSS") - Before);
    Source.reset();
    malloc_trim(0);
    State.ResumeTiming();
  }
  constexpr double MB = 1024.0 * 1024.0;
  State.counters["FileMB"] = FileSize / MB;
  State.counters["PeakMB"] = Peak / MB;
  State.counters["HeldMB"] = Held / MB;
  State.counters["PeakPerFile"] = Peak / FileSize;
  State.counters["HeldPerFile"] = Held / FileSize;
}
BENCHMARK(BM_StoreLoadGigabyte)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
