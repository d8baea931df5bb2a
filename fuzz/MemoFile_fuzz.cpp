// The memo source reading any bytes under several option sets: saved in each line-end format and read again, the
// lines come back the same.
#include "codeeditor/Dcstring.h"

#include "platform/rtl/UnitInit.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> LinesOf(Dcstring::TCustomMemoSource& M) {
  std::vector<std::string> R;
  for (Integer I = 0; I < M.GetStrCount(); ++I) {
    R.push_back(M.GetRaw(I));
  }
  return R;
}

void Configure(Dcstring::TCustomMemoSource& M, uint8_t Mode) {
  Dcstring::TStringsOptions O = M.Options();
  if ((Mode & 1) != 0) {
    O.Include(Dcstring::soUseTabCharacter);
  }
  M.SetOptions(O);
  M.KeepTrailingBlanks = (Mode & 2) != 0;
  M.SetSpacesInTab(Mode >> 4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const bool Ready = (InitializeUnits(), true);
  (void)Ready;
  if (Size == 0) {
    return 0;
  }
  const uint8_t Mode = Data[0];
  const std::string Bytes(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  Dcstring::TMemoSource M(nullptr);
  Configure(M, Mode);
  TStringStream In(Bytes);
  M.LoadFromStream(&In);
  const std::vector<std::string> Loaded = LinesOf(M);
  for (Dcstring::TOutFormatType Format : {Dcstring::ofWindows, Dcstring::ofMac, Dcstring::ofUnix}) {
    M.OutFormat = Format;
    TStringStream Out("");
    M.SaveToStream(&Out);
    Dcstring::TMemoSource Again(nullptr);
    Configure(Again, Mode);
    TStringStream Back(Out.DataString());
    Again.LoadFromStream(&Back);
    std::vector<std::string> Expected = Loaded;
    // The Windows form ends without a final line break, so a last empty line is not written.
    if (Format == Dcstring::ofWindows && !Expected.empty() && Expected.back().empty()) {
      Expected.pop_back();
    }
    if (LinesOf(Again) != Expected) {
      std::fprintf(stderr, "format %d: the lines read back differ\n", static_cast<int>(Format));
      std::abort();
    }
  }
  return 0;
}
