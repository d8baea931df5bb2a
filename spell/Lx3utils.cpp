// Small routines shared by the spell checker.
#include "spell/Lx3utils.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TEventList::~TEventList() {
  while (!FListeners.empty()) {
    Remove(FListeners.back());
  }
}

void TEventList::Add(TObject* Listener, const TLexiNotifyMethod& Method) {
  if (std::find(FListeners.begin(), FListeners.end(), Listener) != FListeners.end()) {
    return;
  }
  FListeners.push_back(Listener);
  FMethods.push_back(std::make_unique<TLexiNotifyMethod>(Method));
}

void TEventList::Remove(TObject* Listener) {
  auto It = std::find(FListeners.begin(), FListeners.end(), Listener);
  if (It == FListeners.end()) {
    return;
  }
  const auto Index = It - FListeners.begin();
  FListeners.erase(It);
  FMethods.erase(FMethods.begin() + Index);
}

void TEventList::Notify(TObject* Sender) {
  // A method may remove its own listener: walk a snapshot of the methods.
  std::vector<TLexiNotifyMethod> Methods;
  for (const auto& M : FMethods) {
    Methods.push_back(*M);
  }
  for (const auto& M : Methods) {
    if (M) {
      M(Sender);
    }
  }
}

const TLexiNotifyMethod* TEventList::ReadItems(int Index) const {
  if (Index < 0 || Index >= ReadCount()) {
    return nullptr;
  }
  return FMethods[static_cast<std::size_t>(Index)].get();
}

std::string GetLexiVersion() { return std::string("3.3.1") + " Pro"; }

namespace {

// Signed 32-bit arithmetic with wrap-around.
std::int32_t WrapMul(std::int32_t A, std::int32_t B) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(A) * static_cast<std::uint32_t>(B));
}
std::int32_t WrapAdd(std::int32_t A, std::int32_t B) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(A) + static_cast<std::uint32_t>(B));
}
// Remainder with the sign of the dividend; a zero divisor yields 0 instead of a fault.
std::int32_t Mod(std::int32_t A, std::int32_t B) {
  if (B == 0) {
    return 0;
  }
  if (B == -1) {
    return 0;
  }
  return A % B;
}

constexpr std::uint32_t Primes[] = {251,      509,      1021,      2039,      4093,      8191,
                                    16381,    32749,    65521,     131071,    262139,    524287,
                                    1048573,  2097143,  4194301,   8388593,   16777213,  33554393,
                                    67108859, 134217689, 268435399, 536870909, 1073741789, 2147483647};

}  // namespace

int HashString(const std::string& Text, int Size) {
  if (Size <= 0) {
    return 0;
  }
  std::int32_t H = 0;
  std::int32_t A = 31415;
  for (unsigned char C : Text) {
    if (C == 0) {
      break;  // the text is zero-terminated
    }
    H = Mod(WrapAdd(WrapMul(A, H), C), Size);
    if (H < 0) {
      H = Mod(-H, Size);
    }
    A = Mod(WrapMul(A, 27183), Size - 1);
  }
  return H;
}

int SecondaryHash(int Value) { return Mod(Value, 97) + 1; }

std::uint32_t GetNextPrime(std::uint32_t Count) {
  for (std::uint32_t P : Primes) {
    if (P > Count) {
      return P;
    }
  }
  return Primes[std::size(Primes) - 1];
}

int GetEditDistance(const std::string& A, const std::string& B) {
  const std::size_t LA = A.size();
  const std::size_t LB = B.size();
  if (LA >= 255 || LB >= 255) {
    return static_cast<int>(std::max(LA, LB));
  }
  // Levenshtein distance where a swap of two neighbouring bytes is one edit (optimal string alignment).
  std::vector<std::uint8_t> D((LA + 1) * (LB + 1));
  auto At = [&](std::size_t I, std::size_t J) -> std::uint8_t& { return D[I * (LB + 1) + J]; };
  for (std::size_t I = 0; I <= LA; ++I) {
    At(I, 0) = static_cast<std::uint8_t>(I);
  }
  for (std::size_t J = 0; J <= LB; ++J) {
    At(0, J) = static_cast<std::uint8_t>(J);
  }
  for (std::size_t I = 1; I <= LA; ++I) {
    for (std::size_t J = 1; J <= LB; ++J) {
      if (A[I - 1] == B[J - 1]) {
        At(I, J) = At(I - 1, J - 1);
        continue;
      }
      int Best = std::min({At(I - 1, J), At(I, J - 1), At(I - 1, J - 1)}) + 1;
      if (I > 1 && J > 1 && A[I - 1] == B[J - 2] && A[I - 2] == B[J - 1]) {
        Best = std::min(Best, At(I - 2, J - 2) + 1);
      }
      At(I, J) = static_cast<std::uint8_t>(Best);
    }
  }
  return At(LA, LB);
}

bool CanFileBeWritten(const std::string& FileName, bool DeleteOnClose) {
  if (FileName.empty()) {
    return false;
  }
  struct stat St {};
  const bool Existed = ::stat(FileName.c_str(), &St) == 0;
  if (Existed && S_ISDIR(St.st_mode)) {
    return false;
  }
  const int Fd = ::open(FileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (Fd < 0) {
    return false;
  }
  ::close(Fd);
  if (DeleteOnClose && !Existed) {
    ::unlink(FileName.c_str());
  }
  return true;
}

bool GetFileVersion(const std::string&, std::uint32_t& High, std::uint32_t& Low) {
  High = 0;
  Low = 0;
  return false;
}
