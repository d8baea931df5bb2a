// TBuffer: one chunk of a socket's send queue.
#include "net/Wsockbuf.h"

#include <algorithm>
#include <cstring>

Z_IMPLEMENT_CLASS(TBuffer, TObject)

TBuffer::TBuffer(int Size) { SetBufSize(Size); }

int TBuffer::Write(const void* Data, int Len) {
  int Count = std::clamp(BufSize() - FWrCount, 0, std::max(Len, 0));
  if (Count > 0) {
    std::memcpy(FBuf.data() + FWrCount, Data, static_cast<std::size_t>(Count));
    FWrCount += Count;
  }
  return Count;
}

int TBuffer::Read(void* Data, int Len) {
  int Count = std::clamp(FWrCount - FRdCount, 0, std::max(Len, 0));
  if (Count > 0) {
    std::memcpy(Data, FBuf.data() + FRdCount, static_cast<std::size_t>(Count));
    FRdCount += Count;
  }
  ResetWhenEmpty();
  return Count;
}

const char* TBuffer::Peek(int& Len) {
  Len = FWrCount - FRdCount;
  return Len > 0 ? FBuf.data() + FRdCount : nullptr;
}

int TBuffer::Remove(int Len) {
  int Count = std::clamp(FWrCount - FRdCount, 0, std::max(Len, 0));
  FRdCount += Count;
  ResetWhenEmpty();
  return Count;
}

void TBuffer::SetBufSize(int NewSize) {
  if (NewSize <= 0) {
    NewSize = 1514;
  }
  if (NewSize == BufSize()) {
    return;
  }
  if (FWrCount == FRdCount) {
    FBuf.assign(static_cast<std::size_t>(NewSize), 0);
    FWrCount = FRdCount = 0;
    return;
  }
  // Keep what was written (as far as it fits in the new block).
  FBuf.resize(static_cast<std::size_t>(NewSize));
  FWrCount = std::min(FWrCount, NewSize);
  FRdCount = std::min(FRdCount, FWrCount);
}

void TBuffer::ResetWhenEmpty() {
  if (FRdCount >= FWrCount) {
    FRdCount = FWrCount = 0;
  }
}
