// Runs a fuzz target over saved inputs without libFuzzer: every file named on the command line, and every file
// in the folders named (sorted, not recursive). Prints what it ran; a crash or sanitizer finding ends the
// program as it would under the fuzzer, naming the input first.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* Argc, char*** Argv);

int main(int Argc, char** Argv) {
  if (LLVMFuzzerInitialize != nullptr) {
    LLVMFuzzerInitialize(&Argc, &Argv);
  }
  namespace fs = std::filesystem;
  std::vector<fs::path> Files;
  for (int I = 1; I < Argc; ++I) {
    const fs::path Arg = Argv[I];
    std::error_code Ec;
    if (fs::is_directory(Arg, Ec)) {
      std::vector<fs::path> In;
      for (const auto& E : fs::directory_iterator(Arg)) {
        if (E.is_regular_file()) {
          In.push_back(E.path());
        }
      }
      std::sort(In.begin(), In.end());
      Files.insert(Files.end(), In.begin(), In.end());
    } else if (fs::is_regular_file(Arg, Ec)) {
      Files.push_back(Arg);
    } else {
      std::fprintf(stderr, "%s: no such file or folder\n", Argv[I]);
      return 2;
    }
  }
  for (const fs::path& F : Files) {
    std::fprintf(stderr, "running %s\n", F.c_str());
    std::ifstream In(F, std::ios::binary);
    const std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    if (!In.good() && !In.eof()) {
      std::fprintf(stderr, "%s: cannot be read\n", F.c_str());
      return 2;
    }
    // A fresh copy of exactly the input's size, so that reads past its end are caught.
    std::vector<uint8_t> Data(Bytes.begin(), Bytes.end());
    LLVMFuzzerTestOneInput(Data.empty() ? nullptr : Data.data(), Data.size());
  }
  std::printf("%zu inputs ran\n", Files.size());
  return 0;
}
