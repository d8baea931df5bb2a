// Tests of the streams: short transfers, memory growth, string streams, file streams and their errors.
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace {

std::string TempName(const std::string& Leaf) {
  return testing::TempDir() + Leaf;
}

// A stream that accepts at most Limit bytes per call, to provoke short transfers.
class TShortStream : public TStream {
public:
  explicit TShortStream(LongInt ALimit) : FLimit(ALimit) {}
  LongInt Read(void*, LongInt Count) override { return std::min(Count, FLimit); }
  LongInt Write(const void*, LongInt Count) override { return std::min(Count, FLimit); }
  Int64 Seek(Int64, Word) override { return 0; }

private:
  LongInt FLimit;
};

TEST(StreamTest, ShortTransfersRaiseReadAndWriteErrors) {
  TShortStream S(3);
  char Buf[8] = {};
  EXPECT_NO_THROW(S.ReadBuffer(Buf, 3));
  EXPECT_NO_THROW(S.ReadBuffer(Buf, 0));
  try {
    S.ReadBuffer(Buf, 4);
    FAIL();
  } catch (const EReadError& E) {
    EXPECT_EQ(E.Message(), "Stream read error");
  }
  try {
    S.WriteBuffer(Buf, 8);
    FAIL();
  } catch (const EWriteError& E) {
    EXPECT_EQ(E.Message(), "Stream write error");
  }

  TMemoryStream M;
  M.WriteBuffer("abc", 3);
  M.SetPosition(1);
  EXPECT_THROW(M.ReadBuffer(Buf, 3), EReadError);  // only two bytes left
}

TEST(MemoryStreamTest, GrowsInEightKilobyteStepsAndZeroFillsGaps) {
  TMemoryStream M;
  M.Write("x", 1);
  EXPECT_EQ(M.Capacity(), 8192);
  std::string Big(8192, 'y');
  M.Write(Big.data(), static_cast<LongInt>(Big.size()));
  EXPECT_EQ(M.Capacity(), 16384);
  EXPECT_EQ(M.Size(), 8193);

  M.Seek(10, soFromEnd);  // past the end: the gap reads as zeros
  M.Write("z", 1);
  EXPECT_EQ(M.Size(), 8204);
  const char* Mem = static_cast<const char*>(M.Memory());
  EXPECT_EQ(std::string(Mem + 8193, 11), std::string(10, '\0') + "z");

  M.SetPosition(100);
  M.SetSize(50);  // a position past the new end moves to the end
  EXPECT_EQ(M.Position(), 50);
  char C = 0;
  EXPECT_EQ(M.Read(&C, 1), 0);
  EXPECT_EQ(M.Seek(-60, soFromCurrent), -10);
  EXPECT_EQ(M.Read(&C, 1), 0);  // negative positions read nothing
  EXPECT_EQ(M.Write(&C, 1), 0);
  M.Clear();
  EXPECT_EQ(M.Size(), 0);
  EXPECT_EQ(M.Memory(), nullptr);
}

TEST(MemoryStreamTest, CopyFromWithCountZeroCopiesTheWholeSource) {
  TStringStream Src("0123456789");
  Src.SetPosition(7);
  TMemoryStream Dst;
  EXPECT_EQ(Dst.CopyFrom(&Src, 0), 10);
  EXPECT_EQ(std::string(static_cast<const char*>(Dst.Memory()), 10), "0123456789");

  Src.SetPosition(2);
  TStringStream Part;
  EXPECT_EQ(Part.CopyFrom(&Src, 3), 3);
  EXPECT_EQ(Part.DataString(), "234");
  EXPECT_THROW(Part.CopyFrom(&Src, 100), EReadError);

  TMemoryStream Loaded;
  Loaded.LoadFromStream(&Src);  // from the start, whatever the position
  EXPECT_EQ(Loaded.Size(), 10);
  TStringStream Saved;
  Loaded.SaveToStream(&Saved);
  EXPECT_EQ(Saved.DataString(), "0123456789");
}

TEST(StringStreamTest, WritesOverwriteWithoutCuttingTheTail) {
  TStringStream S("hello world");
  S.SetPosition(6);
  S.WriteString("W");
  EXPECT_EQ(S.DataString(), "hello World");
  S.Seek(0, soFromEnd);
  S.WriteString("!!");
  EXPECT_EQ(S.DataString(), "hello World!!");
  EXPECT_EQ(S.Seek(100, soFromBeginning), 13);  // clamped to the length
  EXPECT_EQ(S.Seek(-100, soFromCurrent), 0);
  EXPECT_EQ(S.ReadString(5), "hello");
  EXPECT_EQ(S.ReadString(100), " World!!");
  S.SetSize(5);
  EXPECT_EQ(S.Position(), 5);
  EXPECT_EQ(S.DataString(), "hello");
}

TEST(FileStreamTest, CreatesWritesReopensAndReads) {
  std::string Name = TempName("filestream_rw.bin");
  {
    TFileStream F(Name, fmCreate);
    F.WriteBuffer("abcdef", 6);
    F.SetSize(4);
    EXPECT_EQ(F.Size(), 4);
  }
  {
    TFileStream F(Name, fmOpenReadWrite);
    F.Seek(0, soFromEnd);
    F.WriteBuffer("XY", 2);
    F.SetPosition(0);
    char Buf[6] = {};
    F.ReadBuffer(Buf, 6);
    EXPECT_EQ(std::string(Buf, 6), "abcdXY");
    EXPECT_THROW(F.ReadBuffer(Buf, 1), EReadError);
  }
  {
    TFileStream F(Name, fmCreate);  // truncates
    EXPECT_EQ(F.Size(), 0);
  }
  {
    TFileStream F(Name, fmOpenRead);
    EXPECT_THROW(F.WriteBuffer("q", 1), EWriteError);
  }
  std::remove(Name.c_str());
}

TEST(FileStreamTest, ErrorsNameTheFile) {
  std::string Missing = TempName("no_such_dir/x.txt");
  try {
    TFileStream F(Missing, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& E) {
    EXPECT_EQ(E.Message(), "Cannot open file " + Missing);
  }
  try {
    TFileStream F(Missing, fmCreate);
    FAIL();
  } catch (const EFCreateError& E) {
    EXPECT_EQ(E.Message(), "Cannot create file " + Missing);
  }
  EXPECT_THROW(TFileStream(testing::TempDir(), fmOpenRead), EFOpenError);  // a directory is no file
}

TEST(FileStreamTest, ShareModesHoldOtherStreamsBack) {
  std::string Name = TempName("filestream_share.txt");
  { TFileStream Create(Name, fmCreate); }
  {
    TFileStream Exclusive(Name, fmOpenRead | fmShareExclusive);
    EXPECT_THROW(TFileStream(Name, fmOpenRead | fmShareDenyNone), EFOpenError);
    EXPECT_THROW(TFileStream(Name, fmCreate), EFCreateError);
  }
  {
    TFileStream Reader(Name, fmOpenRead | fmShareDenyWrite);
    EXPECT_NO_THROW(TFileStream(Name, fmOpenRead | fmShareDenyWrite));
    EXPECT_NO_THROW(TFileStream(Name, fmOpenRead | fmShareDenyNone));
    EXPECT_THROW(TFileStream(Name, fmOpenWrite | fmShareDenyNone), EFOpenError);
  }
  {
    TFileStream Writer(Name, fmOpenReadWrite | fmShareDenyNone);
    EXPECT_NO_THROW(TFileStream(Name, fmOpenReadWrite | fmShareDenyNone));
    EXPECT_NO_THROW(TFileStream(Name, fmOpenRead | fmShareExclusive));
  }
  std::remove(Name.c_str());
}

}  // namespace
