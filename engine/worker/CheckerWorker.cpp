// The engine's checker worker: reads documents from the engine on its standard input, runs the HTML checker
// over each and writes the findings back. A document that crashes the checker or runs it out of memory or stack
// ends only this process; the engine reports that document and starts a new worker.
#include "engine/CheckerProtocol.h"
#include "engine/worker/TidyRunner.h"

#include <fcntl.h>
#include <malloc.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <string>

using namespace zubengine;

namespace {

// The checker recurses once per level of nesting; its stack gets twice the room of a program's main thread, so
// every document that could be checked in the program can be checked here, while a runaway recursion ends at
// the stack's limit within seconds (with a stack of gigabytes it would run for minutes and eat memory).
#if defined(__SANITIZE_ADDRESS__)
#define ZUBQ_WORKER_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZUBQ_WORKER_SANITIZED 1
#endif
#endif
#ifdef ZUBQ_WORKER_SANITIZED
// The sanitizer's frames are larger, and it reserves far more address space than it uses.
constexpr std::size_t CheckerStackSize = std::size_t{64} << 20;
constexpr bool LimitAddressSpace = false;
#else
constexpr std::size_t CheckerStackSize = std::size_t{16} << 20;
constexpr bool LimitAddressSpace = true;
#endif

}  // namespace

#ifdef ZUBQ_WORKER_SANITIZED
// A runaway in the checker ends this process by its signal in a sanitized build too, which the engine reports as
// a crash of the checker. The sanitizer's own handler would instead take tens of seconds to report the checker
// library's overflow (long enough for the engine to give up on the worker as stalled) and then exit with a code
// of its own.
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
  return "handle_segv=0";
}
#endif

namespace {

// Address space allowed while a document is checked: a base plus a multiple of the document's size.
constexpr std::uint64_t AddressSpaceBase = std::uint64_t{4} << 30;
constexpr std::uint64_t AddressSpacePerByte = 64;
// Heap kept between documents, and the size from which blocks are mapped on their own.
constexpr int KeptHeap = 1 << 30;
constexpr int LargeBlock = 32 << 20;
// Larger documents are refused as damaged requests.
constexpr std::uint64_t MaxDocumentSize = std::uint64_t{1} << 30;

bool ReadAll(int Fd, void* Data, std::size_t Size) {
  auto* P = static_cast<char*>(Data);
  while (Size > 0) {
    const ssize_t N = ::read(Fd, P, Size);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N <= 0) {
      return false;
    }
    P += N;
    Size -= static_cast<std::size_t>(N);
  }
  return true;
}

bool WriteAll(int Fd, const char* Data, std::size_t Size) {
  while (Size > 0) {
    const ssize_t N = ::write(Fd, Data, Size);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N <= 0) {
      return false;
    }
    Data += N;
    Size -= static_cast<std::size_t>(N);
  }
  return true;
}


void LimitMemory(std::uint64_t DocumentSize) {
  if (!LimitAddressSpace) {
    return;
  }
  rlimit L{};
  if (::getrlimit(RLIMIT_AS, &L) != 0) {
    return;
  }
  const std::uint64_t Wanted = AddressSpaceBase + AddressSpacePerByte * DocumentSize;
  if (L.rlim_max == RLIM_INFINITY || Wanted < L.rlim_max) {
    L.rlim_cur = static_cast<rlim_t>(Wanted);
  } else {
    L.rlim_cur = L.rlim_max;
  }
  ::setrlimit(RLIMIT_AS, &L);
}

// The request stream is moved off the standard input and output, so nothing the checker library might print
// can mix with the replies.
int TakeStream() {
  const int Fd = ::fcntl(0, F_DUPFD_CLOEXEC, 3);
  const int Null = ::open("/dev/null", O_RDWR);
  if (Null >= 0) {
    ::dup2(Null, 0);
    ::dup2(Null, 1);
    if (Null > 2) {
      ::close(Null);
    }
  }
  return Fd;
}

// Answers the engine's requests until it goes; the process's exit code.
int Serve(int Fd) {
  // Kept from document to document, so that their memory is reused: the text read from the channel, the shared
  // block as far as it is mapped, and the reply.
  std::string Text;
  const char* Shared = nullptr;
  std::size_t SharedMapped = 0;
  TCheckerReply Reply;
  std::string Body;
  for (;;) {
    unsigned char Header[CheckerRequestHeaderSize];
    if (!ReadAll(Fd, Header, sizeof Header)) {
      return 0;  // the engine has gone
    }
    TCheckerRequest Request;
    std::uint64_t Size = 0;
    if (!DecodeRequestHeader(Header, Request, Size) || Size > MaxDocumentSize) {
      return 2;
    }
    // The limit for this document holds while its text is taken in, too.
    LimitMemory(Size);
    if (Request.Shared) {
      if (Size > SharedMapped) {
        if (Shared) {
          ::munmap(const_cast<char*>(Shared), SharedMapped);
          Shared = nullptr;
          SharedMapped = 0;
        }
        void* P = ::mmap(nullptr, static_cast<std::size_t>(Size), PROT_READ, MAP_SHARED, CheckerSharedBlock, 0);
        if (P == MAP_FAILED) {
          return 4;
        }
        Shared = static_cast<const char*>(P);
        SharedMapped = static_cast<std::size_t>(Size);
      }
    } else {
      Text.resize(static_cast<std::size_t>(Size));
      if (!ReadAll(Fd, Text.data(), Text.size())) {
        return 0;
      }
    }
    if (Request.Stall) {
      for (;;) {
        ::pause();
      }
    }
    Request.Text = Request.Shared ? std::string_view(Shared, static_cast<std::size_t>(Size)) : std::string_view(Text);
    Reply.Findings.clear();
    Reply.Structure.clear();
    TCheckedDocumentPtr Checked = RunChecker(Request, Reply);
    EncodeReply(Reply, Body);
    if (!WriteAll(Fd, Body.data(), Body.size())) {
      return 0;
    }
    // The engine has its answer: the document's tree is freed while it reads it.
    Checked.reset();
  }
}

// The checker runs on the main thread, whose stack grows up to the process's stack limit: the worker sets the
// limit to CheckerStackSize and starts itself again once, so that the room is laid out (and a sanitizer knows
// the stack) from the start. The main thread's own stack, not a thread made for the work, keeps the worker a
// single thread: one wake-up per document, and a worker killed between documents is gone at once, never a
// thread group still ending while the engine hands it the next document.
void SetStackLimit(char** Argv) {
  rlimit L{};
  if (::getrlimit(RLIMIT_STACK, &L) != 0) {
    return;
  }
  const rlim_t Wanted =
      L.rlim_max != RLIM_INFINITY && L.rlim_max < CheckerStackSize ? L.rlim_max : static_cast<rlim_t>(CheckerStackSize);
  if (L.rlim_cur == Wanted) {
    return;
  }
  L.rlim_cur = Wanted;
  // Started again under its own file name, which the process keeps as its name.
  char Path[PATH_MAX];
  const ssize_t N = ::readlink("/proc/self/exe", Path, sizeof Path - 1);
  if (N > 0 && ::setrlimit(RLIMIT_STACK, &L) == 0) {
    Path[N] = '\0';
    ::execv(Path, Argv);  // when it fails, the worker goes on with the limit set
  }
}

}  // namespace

int main(int, char** Argv) {
  SetStackLimit(Argv);
  ::signal(SIGPIPE, SIG_IGN);
  // The checker allocates many small blocks per document: one heap, kept between documents rather than handed
  // back and faulted in again each time.
  ::mallopt(M_ARENA_MAX, 1);
  ::mallopt(M_TRIM_THRESHOLD, KeptHeap);
  ::mallopt(M_MMAP_THRESHOLD, LargeBlock);
  const int Fd = TakeStream();
  if (Fd < 0) {
    return 1;
  }
  return Serve(Fd);
}
