// The markup side of the program's strings: the tag and attribute scanner walking a whole document, character
// references (decoded in place and one at a time) and URL encoding, which must decode back to the same text.
#include "core/Strstore.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Fail(const char* What) {
  std::fprintf(stderr, "%s\n", What);
  std::abort();
}

void ScanTags(const StrStore& Doc) {
  const char* End = Doc.text + Doc.length;
  const char* Cursor = Doc.text;
  StrStore Name;
  StrStore Value;
  for (int Guard = 0; Guard <= Doc.length + 1; ++Guard) {
    const char* Before = Cursor;
    const int R = Doc.getNextTagName(&Cursor, Name, 0);
    if (R != TAG_FOUND && R != TAG_COMMENT_SKIPPED) {
      return;
    }
    if (Cursor < Doc.text || Cursor > End || Cursor <= Before) {
      Fail("the tag scanner's cursor left the text or did not move on");
    }
    while (R == TAG_FOUND) {
      const char* AttrBefore = Cursor;
      if (Doc.getNextAttribute(&Cursor, Name, Value) != ATTR_READ) {
        break;
      }
      if (Cursor < Doc.text || Cursor > End || Cursor <= AttrBefore) {
        Fail("the attribute scanner's cursor left the text or did not move on");
      }
    }
  }
  Fail("the tag scanner did not come to an end");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  StrStore Doc;
  Doc.setString(reinterpret_cast<const char*>(Data), static_cast<int>(Size));
  ScanTags(Doc);

  for (int Flags : {0, 1, 2}) {
    StrStore Copy(Doc);
    Copy.decodeCharRefs(Flags);
    if (Copy.length > Doc.length || Copy.text[Copy.length] != 0) {
      Fail("decoding character references grew the text or lost its terminator");
    }
  }
  for (const char* P = std::strchr(Doc.text, '&'); P != nullptr; P = std::strchr(P + 1, '&')) {
    int Len = 0;
    if (StrStore::parseCharRef(P, &Len) != 0 && (Len < 3 || P + Len > Doc.text + std::strlen(Doc.text))) {
      Fail("a character reference's length points past its text");
    }
  }
  DecodeBasicEntities(Doc.text, 0);
  DecodeBasicEntities(Doc.text, 1);
  EncodeBasicEntities(Doc, 0);
  EncodeBasicEntities(Doc, 1);

  // URL encoding covers the text up to its first NUL; decoding gives it back.
  const std::string Plain(Doc.text);
  StrStore Encoded = UrlEncode(Doc.text);
  Encoded.urlDecode(0);
  if (Plain != std::string(Encoded.text, static_cast<std::size_t>(Encoded.length))) {
    Fail("a URL-encoded text does not decode to itself");
  }
  for (int Flags : {0, 1}) {
    StrStore Copy(Doc);
    Copy.urlDecode(Flags);
  }
  return 0;
}
