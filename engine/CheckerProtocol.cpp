// Framing of the engine's requests to its checker worker and of the worker's replies.
#include "engine/CheckerProtocol.h"

#include <algorithm>

namespace zubengine {

namespace {

void PutUint32(std::string& Out, std::uint32_t V) {
  const char Bytes[4] = {static_cast<char>(V & 0xFF), static_cast<char>((V >> 8) & 0xFF),
                         static_cast<char>((V >> 16) & 0xFF), static_cast<char>((V >> 24) & 0xFF)};
  Out.append(Bytes, sizeof Bytes);
}

std::uint32_t GetUint32(const unsigned char* P) {
  std::uint32_t V = 0;
  for (int I = 3; I >= 0; --I) {
    V = (V << 8) | P[I];
  }
  return V;
}

void PutText(std::string& Out, const std::string& S) {
  PutUint32(Out, static_cast<std::uint32_t>(S.size()));
  Out += S;
}

// Reads the body front to back; every read checks that the bytes are there.
class TReader {
public:
  explicit TReader(std::string_view Body) : Data(Body) {}
  bool Int(int& Out) {
    if (Data.size() - Pos < 4) {
      return false;
    }
    Out = static_cast<int>(GetUint32(reinterpret_cast<const unsigned char*>(Data.data() + Pos)));
    Pos += 4;
    return true;
  }
  bool Text(std::string& Out) {
    int Size = 0;
    if (!Int(Size) || Size < 0 || Data.size() - Pos < static_cast<std::size_t>(Size)) {
      return false;
    }
    Out.assign(Data.substr(Pos, static_cast<std::size_t>(Size)));
    Pos += static_cast<std::size_t>(Size);
    return true;
  }
  // A 64-bit length or offset, which cannot pass the body's end.
  bool Length(std::size_t& Out) {
    if (Data.size() - Pos < 8) {
      return false;
    }
    const std::uint64_t V = GetUint64(reinterpret_cast<const unsigned char*>(Data.data() + Pos));
    if (V > Data.size()) {
      return false;
    }
    Out = static_cast<std::size_t>(V);
    Pos += 8;
    return true;
  }
  // A block of bytes after its 64-bit length, as it lies in the body.
  bool Bytes(std::string_view& Out) {
    std::size_t Size = 0;
    if (!Length(Size) || Data.size() - Pos < Size) {
      return false;
    }
    Out = Data.substr(Pos, Size);
    Pos += Size;
    return true;
  }
  bool AtEnd() const { return Pos == Data.size(); }

private:
  std::string_view Data;
  std::size_t Pos = 0;
};

}  // namespace

void PutUint64(std::string& Out, std::uint64_t V) {
  for (int I = 0; I < 8; ++I) {
    Out += static_cast<char>((V >> (8 * I)) & 0xFF);
  }
}

std::uint64_t GetUint64(const unsigned char* P) {
  std::uint64_t V = 0;
  for (int I = 7; I >= 0; --I) {
    V = (V << 8) | P[I];
  }
  return V;
}

std::string EncodeRequestHeader(const TCheckerRequest& Request) {
  std::string H;
  PutUint32(H, CheckerRequestMagic);
  PutUint32(H, static_cast<std::uint32_t>(Request.AccessLevel));
  PutUint32(H, (Request.RawEncoding ? 1u : 0u) | (Request.WantStructure ? 2u : 0u) | (Request.Stall ? 4u : 0u) |
                   (Request.Shared ? 8u : 0u));
  PutUint64(H, Request.Text.size());
  return H;
}

bool DecodeRequestHeader(const unsigned char* Header, TCheckerRequest& Request, std::uint64_t& TextSize) {
  if (GetUint32(Header) != CheckerRequestMagic) {
    return false;
  }
  Request.AccessLevel = static_cast<int>(GetUint32(Header + 4));
  const std::uint32_t Flags = GetUint32(Header + 8);
  Request.RawEncoding = (Flags & 1u) != 0;
  Request.WantStructure = (Flags & 2u) != 0;
  Request.Stall = (Flags & 4u) != 0;
  Request.Shared = (Flags & 8u) != 0;
  TextSize = GetUint64(Header + 12);
  return true;
}

void TCheckerStructure::Add(std::string_view Text, int Line, int Column) {
  Entries.push_back({Texts.size(), Line, Column});
  Texts.append(Text);
  Texts.push_back('\0');
}

void EncodeReply(const TCheckerReply& Reply, std::string& Out) {
  std::size_t Size = CheckerReplyLengthSize + 16 + Reply.Structure.Texts.size() + 16 * Reply.Structure.size();
  for (const TCheckerFinding& F : Reply.Findings) {
    Size += 24 + F.Text.size() + F.Key.size();
  }
  Out.clear();
  Out.reserve(Size);
  PutUint64(Out, 0);  // the length, written when the body is there
  PutUint32(Out, static_cast<std::uint32_t>(Reply.Findings.size()));
  for (const TCheckerFinding& F : Reply.Findings) {
    PutUint32(Out, static_cast<std::uint32_t>(F.Level));
    PutUint32(Out, static_cast<std::uint32_t>(F.Line));
    PutUint32(Out, static_cast<std::uint32_t>(F.Column));
    PutUint32(Out, static_cast<std::uint32_t>(F.Code));
    PutText(Out, F.Text);
    PutText(Out, F.Key);
  }
  const TCheckerStructure& S = Reply.Structure;
  PutUint32(Out, static_cast<std::uint32_t>(S.size()));
  for (const TCheckerStructure::TEntry& E : S.Entries) {
    PutUint64(Out, E.Offset);
    PutUint32(Out, static_cast<std::uint32_t>(E.Line));
    PutUint32(Out, static_cast<std::uint32_t>(E.Column));
  }
  PutUint64(Out, S.Texts.size());
  Out += S.Texts;
  std::string Length;
  PutUint64(Length, Out.size() - CheckerReplyLengthSize);
  Out.replace(0, CheckerReplyLengthSize, Length);
}

bool DecodeReply(std::string_view Body, TCheckerReply& Reply) {
  TReader R(Body);
  int Count = 0;
  if (!R.Int(Count) || Count < 0) {
    return false;
  }
  Reply.Findings.clear();
  Reply.Findings.reserve(std::min<std::size_t>(static_cast<std::size_t>(Count), Body.size() / 24));
  for (int I = 0; I < Count; ++I) {
    TCheckerFinding F;
    if (!R.Int(F.Level) || !R.Int(F.Line) || !R.Int(F.Column) || !R.Int(F.Code) || !R.Text(F.Text) ||
        !R.Text(F.Key)) {
      return false;
    }
    Reply.Findings.push_back(std::move(F));
  }
  TCheckerStructure& S = Reply.Structure;
  S.clear();
  if (!R.Int(Count) || Count < 0) {
    return false;
  }
  S.Entries.reserve(std::min<std::size_t>(static_cast<std::size_t>(Count), Body.size() / 16));
  for (int I = 0; I < Count; ++I) {
    TCheckerStructure::TEntry E;
    if (!R.Length(E.Offset) || !R.Int(E.Line) || !R.Int(E.Column)) {
      return false;
    }
    S.Entries.push_back(E);
  }
  std::string_view Texts;
  if (!R.Bytes(Texts) || !R.AtEnd()) {
    return false;
  }
  // Every text starts inside the block and ends at a NUL in it.
  if (Count > 0 && (Texts.empty() || Texts.back() != '\0')) {
    return false;
  }
  for (const TCheckerStructure::TEntry& E : S.Entries) {
    if (E.Offset >= Texts.size()) {
      return false;
    }
  }
  S.Texts.assign(Texts);
  return true;
}

}  // namespace zubengine
