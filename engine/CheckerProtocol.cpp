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

void EncodeReply(const TCheckerReply& Reply, std::string& Out) {
  std::size_t Size = 8;
  for (const TCheckerFinding& F : Reply.Findings) {
    Size += 24 + F.Text.size() + F.Key.size();
  }
  for (const TCheckerStructureLine& L : Reply.Structure) {
    Size += 12 + L.Text.size();
  }
  Out.clear();
  Out.reserve(Size);
  PutUint32(Out, static_cast<std::uint32_t>(Reply.Findings.size()));
  for (const TCheckerFinding& F : Reply.Findings) {
    PutUint32(Out, static_cast<std::uint32_t>(F.Level));
    PutUint32(Out, static_cast<std::uint32_t>(F.Line));
    PutUint32(Out, static_cast<std::uint32_t>(F.Column));
    PutUint32(Out, static_cast<std::uint32_t>(F.Code));
    PutText(Out, F.Text);
    PutText(Out, F.Key);
  }
  PutUint32(Out, static_cast<std::uint32_t>(Reply.Structure.size()));
  for (const TCheckerStructureLine& L : Reply.Structure) {
    PutUint32(Out, static_cast<std::uint32_t>(L.Line));
    PutUint32(Out, static_cast<std::uint32_t>(L.Column));
    PutText(Out, L.Text);
  }
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
  if (!R.Int(Count) || Count < 0) {
    return false;
  }
  Reply.Structure.clear();
  Reply.Structure.reserve(std::min<std::size_t>(static_cast<std::size_t>(Count), Body.size() / 12));
  for (int I = 0; I < Count; ++I) {
    TCheckerStructureLine L;
    if (!R.Int(L.Line) || !R.Int(L.Column) || !R.Text(L.Text)) {
      return false;
    }
    Reply.Structure.push_back(std::move(L));
  }
  return R.AtEnd();
}

}  // namespace zubengine
