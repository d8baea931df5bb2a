// Component streams read by the suite: any input, read as an object stream, a text stream, a property record or
// a stream whose class is asked for or as a file system's filer ID, fails with the class library's errors and never crashes.
#include "suitebase/Filesystems.h"
#include "suitebase/Objstreams.h"

#include "platform/rtl/Exceptions.h"
#include "tests/suitebase/SuiteSamples.h"

#include <cstddef>
#include <cstdint>

namespace {
TMemoryStream* StreamOf(TMemoryStream& S, const uint8_t* Data, size_t Size) {
  S.Clear();
  if (Size > 0) {
    S.WriteBuffer(Data, static_cast<LongInt>(Size));
  }
  S.SetPosition(0);
  return &S;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TMemoryStream S;
  try {
    SuiteSamples::TSampleComponent C;
    Vivaridiriz::ReadObjFromStream(StreamOf(S, Data, Size), &C);
  } catch (const Exception&) {
  }
  try {
    TOwnedCollection Items(nullptr, SuiteSamples::TSampleItem::StaticClass());
    Vivaridiriz::ReadObjFromTextStream(StreamOf(S, Data, Size), &Items);
  } catch (const Exception&) {
  }
  try {
    SuiteSamples::TSampleComponent C;
    Dorazori::ReadPropsFromStream(StreamOf(S, Data, Size), &C);
  } catch (const Exception&) {
  }
  try {
    (void)Dorazori::GetClassFromStream(StreamOf(S, Data, Size));  // only the absence of a crash matters
  } catch (const Exception&) {
  }
  try {
    // A filer ID names the file system it was written from.
    Dorazori::ReleaseFileSystem(Dorazori::GetFileSystem(std::string(reinterpret_cast<const char*>(Data), Size)));
  } catch (const Exception&) {
  }
  return 0;
}
