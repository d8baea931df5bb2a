// TBuffer: one chunk of a socket's send queue, with a write count and a read count.
#pragma once

#include "platform/rtl/System.h"

#include <vector>

// A fixed-size block that is filled at its end and drained from its front. Unread bytes lie between the read
// count and the write count; when the last unread byte goes, both counts return to 0. Owned by the socket's
// list of send buffers.
class TBuffer : public TObject {
  Z_CLASS(TBuffer, TObject)
public:
  // A size of 0 or less gives 1514 bytes.
  explicit TBuffer(int Size);
  TBuffer(const TBuffer&) = delete;
  TBuffer& operator=(const TBuffer&) = delete;

  // Stores min(Len, free space) bytes behind the written ones; returns that count (0 when full).
  int Write(const void* Data, int Len);
  // Copies min(Len, unread) bytes out and removes them.
  int Read(void* Data, int Len);
  // The unread bytes: their address and count (null and 0 when none).
  const char* Peek(int& Len);
  // Drops min(Len, unread) unread bytes; returns how many went.
  int Remove(int Len);
  // Resizes the block; the written bytes are kept when they fit.
  void SetBufSize(int NewSize);

  int BufSize() const { return static_cast<int>(FBuf.size()); }
  int WrCount() const { return FWrCount; }
  int RdCount() const { return FRdCount; }

private:
  void ResetWhenEmpty();

  std::vector<char> FBuf;
  int FWrCount = 0;
  int FRdCount = 0;
};
