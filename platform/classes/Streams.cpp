// TStream, THandleStream, TFileStream, TCustomMemoryStream, TMemoryStream and TStringStream.
#include "platform/classes/Streams.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

Z_IMPLEMENT_CLASS(TStream, TObject)
Z_IMPLEMENT_CLASS(THandleStream, TStream)
Z_IMPLEMENT_CLASS(TFileStream, THandleStream)
Z_IMPLEMENT_CLASS(TCustomMemoryStream, TStream)
Z_IMPLEMENT_CLASS(TMemoryStream, TCustomMemoryStream)
Z_IMPLEMENT_CLASS(TStringStream, TStream)

// ---- TStream ----

Int64 TStream::GetSize() {
  Int64 Pos = Seek(0, soFromCurrent);
  Int64 Result = Seek(0, soFromEnd);
  Seek(Pos, soFromBeginning);
  return Result;
}

void TStream::SetSize(Int64 NewSize) {
  (void)NewSize;
}

void TStream::ReadBuffer(void* Buffer, LongInt Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) {
    throw EReadError(RtlConsts::SReadError);
  }
}

void TStream::WriteBuffer(const void* Buffer, LongInt Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) {
    throw EWriteError(RtlConsts::SWriteError);
  }
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
  constexpr Int64 MaxBufSize = 0xF000;
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  Int64 Result = Count;
  Int64 BufSize = std::min(Count, MaxBufSize);
  if (BufSize <= 0) {
    return 0;
  }
  std::unique_ptr<char[]> Buffer(new char[static_cast<std::size_t>(BufSize)]);
  while (Count > 0) {
    LongInt N = static_cast<LongInt>(std::min(Count, BufSize));
    Source->ReadBuffer(Buffer.get(), N);
    WriteBuffer(Buffer.get(), N);
    Count -= N;
  }
  return Result;
}

// ---- THandleStream ----

namespace {
// read() and write() may move less than asked on pipes and signals: Once (given what is done so far) is repeated
// until all of Count is moved, the end or an error; an interrupted call is retried.
template <class F> LongInt TransferAll(LongInt Count, F Once) {
  if (Count <= 0) {
    return 0;
  }
  LongInt Done = 0;
  while (Done < Count) {
    const ssize_t N = Once(Done);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N <= 0) {
      break;
    }
    Done += static_cast<LongInt>(N);
  }
  return Done;
}
}  // namespace

LongInt THandleStream::Read(void* Buffer, LongInt Count) {
  return TransferAll(Count, [&](LongInt Done) {
    return ::read(FHandle, static_cast<char*>(Buffer) + Done, static_cast<std::size_t>(Count - Done));
  });
}

LongInt THandleStream::Write(const void* Buffer, LongInt Count) {
  return TransferAll(Count, [&](LongInt Done) {
    return ::write(FHandle, static_cast<const char*>(Buffer) + Done, static_cast<std::size_t>(Count - Done));
  });
}

Int64 THandleStream::Seek(Int64 Offset, Word Origin) {
  int Whence = Origin == soFromCurrent ? SEEK_CUR : Origin == soFromEnd ? SEEK_END : SEEK_SET;
  return static_cast<Int64>(::lseek(FHandle, static_cast<off_t>(Offset), Whence));
}

void THandleStream::SetSize(Int64 NewSize) {
  Seek(NewSize, soFromBeginning);
  if (::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0) {
    int Code = errno;
    throw EOSError(Format("System Error.  Code: %d.\n%s", {Code, std::strerror(Code)}));
  }
}

// ---- TFileStream ----

namespace {
int OpenFile(const std::string& FileName, Word Mode) {
  bool Create = Mode == fmCreate;
  int Flags = O_CLOEXEC;
  if (Create) {
    Flags |= O_RDWR | O_CREAT;
  } else {
    switch (Mode & 3) {
      case fmOpenWrite:
        Flags |= O_WRONLY;
        break;
      case fmOpenReadWrite:
        Flags |= O_RDWR;
        break;
      default:
        Flags |= O_RDONLY;
        break;
    }
  }
  // File names are the file system's bytes, as listings and dialogs hand them out: never converted.
  int Fd = ::open(FileName.c_str(), Flags, 0666);
  if (Fd < 0) {
    return -1;
  }
  struct stat St {};
  if (::fstat(Fd, &St) != 0 || S_ISDIR(St.st_mode)) {
    ::close(Fd);
    return -1;
  }
  // Advisory locks stand in for share modes. A stream that denies others keeps a lock (exclusive for
  // fmCreate, fmShareExclusive and fmShareDenyRead, shared for fmShareDenyWrite). Every open first checks
  // that nobody denies it: writers must be able to lock exclusively (no one denies writing), readers
  // shared (no one holds the file exclusively).
  bool Writes = Create || (Mode & 3) != fmOpenRead;
  Word Share = Create ? fmShareExclusive : static_cast<Word>(Mode & 0xF0);
  int Keep = 0;
  if (Share == fmShareExclusive || Share == fmShareDenyRead) {
    Keep = LOCK_EX;
  } else if (Share == fmShareDenyWrite) {
    Keep = LOCK_SH;
  }
  int Probe = Writes ? LOCK_EX : LOCK_SH;
  bool Ok = ::flock(Fd, (Keep == LOCK_EX ? LOCK_EX : Probe) | LOCK_NB) == 0;
  if (Ok && Keep != LOCK_EX) {
    Ok = ::flock(Fd, (Keep == LOCK_SH ? LOCK_SH : LOCK_UN) | LOCK_NB) == 0;
  }
  if (!Ok) {
    ::close(Fd);
    return -1;
  }
  // Truncate only once the lock is held, so that a file another stream holds is never emptied.
  if (Create && ::ftruncate(Fd, 0) != 0) {
    ::close(Fd);
    return -1;
  }
  return Fd;
}
}  // namespace

TFileStream::TFileStream(const std::string& FileName, Word Mode)
    : THandleStream(OpenFile(FileName, Mode)), FFileName(FileName) {
  if (FHandle < 0) {
    if (Mode == fmCreate) {
      throw EFCreateError(Format(RtlConsts::SFCreateError, {FileName}));
    }
    throw EFOpenError(Format(RtlConsts::SFOpenError, {FileName}));
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) {
    ::close(FHandle);
  }
}

// ---- TCustomMemoryStream ----

void TCustomMemoryStream::SetPointer(void* Ptr, LongInt Size) {
  FMemory = static_cast<char*>(Ptr);
  FSize = Size;
}

LongInt TCustomMemoryStream::Read(void* Buffer, LongInt Count) {
  if (FPosition >= 0 && Count > 0) {
    Int64 Result = FSize - FPosition;
    if (Result > 0) {
      if (Result > Count) {
        Result = Count;
      }
      std::memcpy(Buffer, FMemory + FPosition, static_cast<std::size_t>(Result));
      FPosition += Result;
      return static_cast<LongInt>(Result);
    }
  }
  return 0;
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, Word Origin) {
  switch (Origin) {
    case soFromBeginning:
      FPosition = Offset;
      break;
    case soFromCurrent:
      FPosition += Offset;
      break;
    case soFromEnd:
      FPosition = FSize + Offset;
      break;
    default:
      break;
  }
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) {
  if (FSize != 0) {
    Stream->WriteBuffer(FMemory, FSize);
  }
}

void TCustomMemoryStream::SaveToFile(const std::string& FileName) {
  std::unique_ptr<TFileStream> Stream(new TFileStream(FileName, fmCreate));
  SaveToStream(Stream.get());
}

// ---- TMemoryStream ----

namespace {
constexpr LongInt MemoryDelta = 0x2000;
}

TMemoryStream::~TMemoryStream() {
  Clear();
}

void TMemoryStream::Clear() {
  SetCapacity(0);
  FSize = 0;
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  Int64 Count = Stream->Size();
  SetSize(Count);
  if (Count != 0) {
    Stream->ReadBuffer(FMemory, static_cast<LongInt>(Count));
  }
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
  std::unique_ptr<TFileStream> Stream(new TFileStream(FileName, fmOpenRead | fmShareDenyWrite));
  LoadFromStream(Stream.get());
}

void TMemoryStream::SetCapacity(LongInt NewCapacity) {
  SetPointer(Realloc(NewCapacity), FSize);
  FCapacity = NewCapacity;
}

void TMemoryStream::SetSize(Int64 NewSize) {
  if (NewSize < 0 || NewSize > 0x7FFFFFFF) {
    throw EStreamError(RtlConsts::SMemoryStreamError);
  }
  Int64 OldPosition = FPosition;
  LongInt OldSize = FSize;
  SetCapacity(static_cast<LongInt>(NewSize));
  FSize = static_cast<LongInt>(NewSize);
  if (FSize > OldSize) {
    std::memset(FMemory + OldSize, 0, static_cast<std::size_t>(FSize - OldSize));
  }
  if (OldPosition > NewSize) {
    Seek(0, soFromEnd);
  }
}

void* TMemoryStream::Realloc(LongInt& NewCapacity) {
  if (NewCapacity > 0 && NewCapacity != FSize) {
    NewCapacity = static_cast<LongInt>((static_cast<Int64>(NewCapacity) + (MemoryDelta - 1)) & ~Int64(MemoryDelta - 1));
  }
  void* Result = FMemory;
  if (NewCapacity != FCapacity) {
    if (NewCapacity == 0) {
      FreeMem(FMemory);
      Result = nullptr;
    } else {
      try {
        Result = ReallocMem(FCapacity == 0 ? nullptr : FMemory, NewCapacity);
      } catch (const EOutOfMemory&) {
        throw EStreamError(RtlConsts::SMemoryStreamError);
      }
    }
  }
  return Result;
}

LongInt TMemoryStream::Write(const void* Buffer, LongInt Count) {
  if (FPosition >= 0 && Count > 0) {
    Int64 Pos = FPosition + Count;
    if (Pos > 0x7FFFFFFF) {
      return 0;
    }
    if (Pos > FSize) {
      if (Pos > FCapacity) {
        SetCapacity(static_cast<LongInt>(Pos));
      }
      // A gap between the old end and the write position reads as zeros, never as stale memory.
      if (FPosition > FSize) {
        std::memset(FMemory + FSize, 0, static_cast<std::size_t>(FPosition - FSize));
      }
      FSize = static_cast<LongInt>(Pos);
    }
    std::memcpy(FMemory + FPosition, Buffer, static_cast<std::size_t>(Count));
    FPosition = Pos;
    return Count;
  }
  return 0;
}

// ---- TStringStream ----

LongInt TStringStream::Read(void* Buffer, LongInt Count) {
  Int64 Result = static_cast<Int64>(FDataString.size()) - FPosition;
  if (Result > Count) {
    Result = Count;
  }
  if (Result <= 0) {
    return 0;
  }
  std::memcpy(Buffer, FDataString.data() + FPosition, static_cast<std::size_t>(Result));
  FPosition += Result;
  return static_cast<LongInt>(Result);
}

std::string TStringStream::ReadString(LongInt Count) {
  Int64 Len = static_cast<Int64>(FDataString.size()) - FPosition;
  if (Len > Count) {
    Len = Count;
  }
  if (Len <= 0) {
    return std::string();
  }
  std::string Result = FDataString.substr(static_cast<std::size_t>(FPosition), static_cast<std::size_t>(Len));
  FPosition += Len;
  return Result;
}

Int64 TStringStream::Seek(Int64 Offset, Word Origin) {
  switch (Origin) {
    case soFromBeginning:
      FPosition = Offset;
      break;
    case soFromCurrent:
      FPosition += Offset;
      break;
    case soFromEnd:
      FPosition = static_cast<Int64>(FDataString.size()) + Offset;
      break;
    default:
      break;
  }
  FPosition = std::clamp<Int64>(FPosition, 0, static_cast<Int64>(FDataString.size()));
  return FPosition;
}

LongInt TStringStream::Write(const void* Buffer, LongInt Count) {
  if (Count <= 0) {
    return 0;
  }
  std::size_t End = static_cast<std::size_t>(FPosition) + static_cast<std::size_t>(Count);
  if (End > FDataString.size()) {
    FDataString.resize(End);
  }
  std::memcpy(FDataString.data() + FPosition, Buffer, static_cast<std::size_t>(Count));
  FPosition += Count;
  return Count;
}

void TStringStream::WriteString(const std::string& AString) {
  Write(AString.data(), static_cast<LongInt>(AString.size()));
}

void TStringStream::SetSize(Int64 NewSize) {
  FDataString.resize(static_cast<std::size_t>(std::max<Int64>(NewSize, 0)));
  if (FPosition > NewSize) {
    FPosition = static_cast<Int64>(FDataString.size());
  }
}
