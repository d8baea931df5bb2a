// Drag data read from drops and the clipboard: any bytes offered as "Shell IDList Array" or as a dropped-files
// block are read without harm through a data object, and what reads as an id-list array writes back the same.
#include "platform/win/Desktop.h"
#include "platform/win/ShlObj.h"
#include "shell/Uptdragdrop.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  std::string Parent;
  std::vector<std::string> Items;
  if (ReadIdListArray(Bytes.data(), Bytes.size(), Parent, Items)) {
    std::vector<LPCITEMIDLIST> Lists;
    for (const std::string& I : Items) {
      Lists.push_back(reinterpret_cast<LPCITEMIDLIST>(I.data()));
    }
    std::string P2;
    std::vector<std::string> I2;
    const std::string Again = MakeIdListArray(reinterpret_cast<LPCITEMIDLIST>(Parent.data()), Lists);
    if (!ReadIdListArray(Again.data(), Again.size(), P2, I2) || P2 != Parent || I2 != Items) {
      std::abort();
    }
  }
  // The same bytes offered by a data object, in both formats, reach the readers the drop targets use.
  auto* Obj = new TMemoryDataObject({ShellIdListFormat(), CF_HDROP}, [&Bytes](UINT, std::string& Out) {
    Out = Bytes;
    return true;
  });
  FilesOfDataObject(Obj);
  PTShGetDataObjectAttributes(Obj);
  Obj->Release();
  HGLOBAL H = GlobalAlloc(GHND, Size ? Size : 1);
  if (Size) {
    std::memcpy(GlobalLock(H), Data, Size);
    GlobalUnlock(H);
  }
  std::vector<std::string> Files;
  ReadDropFilesBlock(H, Files);
  GlobalFree(H);
  return 0;
}
