// Streams: the abstract TStream, file handles and files, memory blocks and strings.
#pragma once

#include "platform/rtl/System.h"

#include <string>

class TComponent;

// Seek origins (the Word values the class library passes to Seek).
inline constexpr Word soFromBeginning = 0;
inline constexpr Word soFromCurrent = 1;
inline constexpr Word soFromEnd = 2;
// The same origins as an enumeration; they convert to the Word values above.
enum TSeekOrigin : Word { soBeginning = 0, soCurrent = 1, soEnd = 2 };

// File open modes: one access mode or'ed with one share mode, or fmCreate alone.
inline constexpr Word fmCreate = 0xFFFF;
inline constexpr Word fmOpenRead = 0x0000;
inline constexpr Word fmOpenWrite = 0x0001;
inline constexpr Word fmOpenReadWrite = 0x0002;
inline constexpr Word fmShareCompat = 0x0000;
inline constexpr Word fmShareExclusive = 0x0010;
inline constexpr Word fmShareDenyWrite = 0x0020;
inline constexpr Word fmShareDenyRead = 0x0030;
inline constexpr Word fmShareDenyNone = 0x0040;

// A sequence of bytes with a position. Read and Write move as many bytes as they can and return the
// number moved; ReadBuffer and WriteBuffer insist on the whole count (EReadError / EWriteError).
class TStream : public TObject {
  Z_CLASS(TStream, TObject)
public:
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  virtual LongInt Read(void* Buffer, LongInt Count) = 0;
  virtual LongInt Write(const void* Buffer, LongInt Count) = 0;
  // Moves the position relative to Origin (soFromBeginning, soFromCurrent, soFromEnd); returns the new one.
  virtual Int64 Seek(Int64 Offset, Word Origin) = 0;
  void ReadBuffer(void* Buffer, LongInt Count);         // EReadError "Stream read error" when short
  void WriteBuffer(const void* Buffer, LongInt Count);  // EWriteError "Stream write error" when short
  // Copies Count bytes from Source's position; Count 0 copies all of Source from its start. Returns the
  // number of bytes copied.
  Int64 CopyFrom(TStream* Source, Int64 Count);

  Int64 Position() { return Seek(0, soFromCurrent); }
  void SetPosition(Int64 Pos) { Seek(Pos, soFromBeginning); }
  Int64 Size() { return GetSize(); }
  virtual void SetSize(Int64 NewSize);  // nothing here

  // Component streaming (defined by the streaming unit).
  TComponent* ReadComponent(TComponent* Instance);
  TComponent* ReadComponentRes(TComponent* Instance);
  void WriteComponent(TComponent* Instance);
  void WriteComponentRes(const std::string& ResName, TComponent* Instance);
  void WriteDescendent(TComponent* Instance, TComponent* Ancestor);
  void WriteDescendentRes(const std::string& ResName, TComponent* Instance, TComponent* Ancestor);
  void ReadResHeader();

protected:
  virtual Int64 GetSize();  // seeks to the end and back
};

// A stream over an open POSIX file descriptor, which it does not close.
class THandleStream : public TStream {
  Z_CLASS(THandleStream, TStream)
public:
  explicit THandleStream(int AHandle) : FHandle(AHandle) {}

  LongInt Read(void* Buffer, LongInt Count) override;    // 0 on error
  LongInt Write(const void* Buffer, LongInt Count) override;
  Int64 Seek(Int64 Offset, Word Origin) override;        // -1 on error
  void SetSize(Int64 NewSize) override;                  // truncates or extends; EOSError on failure
  int Handle() const { return FHandle; }

protected:
  int FHandle;
};

// A stream over a named file, opened in the constructor and closed by the destructor. Mode is fmCreate
// (create or truncate, read and write) or an fmOpen* access or'ed with an fmShare* mode. File names are
// program text (code page 1252), converted for the file system.
// Share modes are honoured between streams and processes that also take advisory locks (every TFileStream
// does): fmCreate, fmShareExclusive and fmShareDenyRead hold an exclusive lock, fmShareDenyWrite a shared
// one, fmShareDenyNone and fmShareCompat none; an open for writing fails while anyone holds a lock, an open
// for reading while anyone holds an exclusive one. Programs that take no locks are not held back: Linux has
// no mandatory sharing.
// Failure raises EFCreateError "Cannot create file <name>" or EFOpenError "Cannot open file <name>";
// directories are refused.
class TFileStream : public THandleStream {
  Z_CLASS(TFileStream, THandleStream)
public:
  TFileStream(const std::string& FileName, Word Mode);
  ~TFileStream() override;
  const std::string& FileName() const { return FFileName; }

private:
  std::string FFileName;
};

// A stream over a block of memory it reads from; the block is set by descendants.
class TCustomMemoryStream : public TStream {
  Z_CLASS(TCustomMemoryStream, TStream)
public:
  LongInt Read(void* Buffer, LongInt Count) override;
  Int64 Seek(Int64 Offset, Word Origin) override;  // any position is allowed; reads past the end give 0
  void SaveToStream(TStream* Stream);               // the whole block
  void SaveToFile(const std::string& FileName);
  void* Memory() const { return FMemory; }

protected:
  void SetPointer(void* Ptr, LongInt Size);
  Int64 GetSize() override { return FSize; }
  char* FMemory = nullptr;
  LongInt FSize = 0;
  Int64 FPosition = 0;
};

// A growable memory stream. Memory comes from the memory manager in 8 KB steps; bytes between the old end
// and a write or SetSize past it read as zero.
class TMemoryStream : public TCustomMemoryStream {
  Z_CLASS(TMemoryStream, TCustomMemoryStream)
public:
  TMemoryStream() = default;
  ~TMemoryStream() override;

  void Clear();
  void LoadFromStream(TStream* Stream);  // all of Stream, from its start
  void LoadFromFile(const std::string& FileName);
  void SetSize(Int64 NewSize) override;
  LongInt Write(const void* Buffer, LongInt Count) override;
  LongInt Capacity() const { return FCapacity; }

protected:
  virtual void SetCapacity(LongInt NewCapacity);
  // Returns the block for NewCapacity (rounded up to 8 KB), reallocating Memory; EStreamError when full.
  virtual void* Realloc(LongInt& NewCapacity);

private:
  LongInt FCapacity = 0;
};

// A stream over a string. Writing overwrites from the position and extends the string when it passes
// the end; seeking is clamped to 0..length.
class TStringStream : public TStream {
  Z_CLASS(TStringStream, TStream)
public:
  explicit TStringStream(std::string AString = {}) : FDataString(std::move(AString)) {}

  LongInt Read(void* Buffer, LongInt Count) override;
  std::string ReadString(LongInt Count);  // up to Count bytes from the position
  Int64 Seek(Int64 Offset, Word Origin) override;
  LongInt Write(const void* Buffer, LongInt Count) override;
  void WriteString(const std::string& AString);
  void SetSize(Int64 NewSize) override;
  const std::string& DataString() const { return FDataString; }

protected:
  Int64 GetSize() override { return static_cast<Int64>(FDataString.size()); }

private:
  std::string FDataString;
  Int64 FPosition = 0;
};
