// What the engine and its checker worker say to each other: a request (one document and how to check it) and
// the reply (the HTML checker's findings and the document's structure), framed as bytes over a stream.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zubengine {

inline constexpr const char* CheckerWorkerName = "zubvalidator-worker";

struct TCheckerRequest {
  int AccessLevel = 0;         // 0: the diagnosis; 1..3: only the accessibility findings of that level
  bool RawEncoding = false;    // bytes as they stand (a UTF-8 document), else the system code page
  bool WantStructure = false;  // also the element tree as structure lines
  bool Stall = false;          // a test switch: the worker never answers
  // The text lies at the start of the shared block the worker was started with (its descriptor
  // CheckerSharedBlock) instead of following the header.
  bool Shared = false;
  std::string_view Text;
};

// The worker's descriptor of the block of memory the engine shares with it for documents.
inline constexpr int CheckerSharedBlock = 3;

struct TCheckerFinding {
  int Level = 0;  // the checker's report level
  int Line = 0;
  int Column = 0;
  int Code = 0;
  std::string Text;
  std::string Key;
};

struct TCheckerReply;

// The document's element tree as the structure view shows it: a line of text for each element, with the
// element's line and column. The texts lie in one block, each ended by a NUL, so that a large document's tens of
// thousands of lines cross from the worker and reach the caller without a string of their own each.
class TCheckerStructure {
public:
  std::size_t size() const { return Entries.size(); }
  bool empty() const { return Entries.empty(); }
  const char* Text(std::size_t I) const { return Texts.data() + Entries[I].Offset; }
  int Line(std::size_t I) const { return Entries[I].Line; }
  int Column(std::size_t I) const { return Entries[I].Column; }
  void Add(std::string_view Text, int Line, int Column);
  void clear() {
    Texts.clear();
    Entries.clear();
  }

private:
  friend void EncodeReply(const TCheckerReply& Reply, std::string& Out);
  friend bool DecodeReply(std::string_view Body, TCheckerReply& Reply);
  struct TEntry {
    std::size_t Offset = 0;
    int Line = 0;
    int Column = 0;
  };
  std::string Texts;
  std::vector<TEntry> Entries;
};

struct TCheckerReply {
  std::vector<TCheckerFinding> Findings;
  TCheckerStructure Structure;
};

// The checker's report levels as the reply carries them.
enum TCheckerLevel : int { CheckerInfo = 1, CheckerWarning, CheckerAccess, CheckerError };

// A request is a fixed header and the text; a reply is its length and then its body.
inline constexpr std::uint32_t CheckerRequestMagic = 0x5A43'4B31;  // "ZCK1"
inline constexpr std::size_t CheckerRequestHeaderSize = 20;
inline constexpr std::size_t CheckerReplyLengthSize = 8;

std::string EncodeRequestHeader(const TCheckerRequest& Request);
// Reads a request header; false when it is not one. TextSize gets the length of the text that follows.
bool DecodeRequestHeader(const unsigned char* Header, TCheckerRequest& Request, std::uint64_t& TextSize);

// The whole reply, its length first, in Out (its memory is reused), so that it goes in one write.
void EncodeReply(const TCheckerReply& Reply, std::string& Out);
// False when the body is damaged or cut short.
bool DecodeReply(std::string_view Body, TCheckerReply& Reply);

void PutUint64(std::string& Out, std::uint64_t V);
std::uint64_t GetUint64(const unsigned char* P);

}  // namespace zubengine
