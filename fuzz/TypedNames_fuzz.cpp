// Typed file names: any text splits, checks and combines without harm, and a combined path is always a clean full
// path (one leading '/', no empty or dot parts, within the length limit).
#include "shell/Upttypednames.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void CheckClean(const std::string& Path) {
  if (Path.empty()) {
    return;
  }
  if (Path[0] != '/' || Path.size() > PTMaxTypedPath || (Path.size() > 1 && Path.back() == '/') ||
      Path.find("//") != std::string::npos || Path.find("/./") != std::string::npos ||
      Path.find("/../") != std::string::npos || Path.ends_with("/.") || Path.ends_with("/..")) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  // The first line is the folder, the rest the typed text.
  const std::size_t Break = Text.find('\n');
  const std::string Folder = Break == std::string::npos ? "/home/user" : "/" + Text.substr(0, Break);
  const std::string Typed = Break == std::string::npos ? Text : Text.substr(Break + 1);
  (void)PTIsValidTypedText(Typed);
  (void)PTHasWildcardName(Typed);
  std::string FolderPart;
  std::string NamePart;
  PTSplitTypedName(Typed, FolderPart, NamePart);
  if (FolderPart + NamePart != Typed) {
    std::abort();
  }
  std::vector<std::string> Names = PTSplitQuotedNames(Typed);
  Names.push_back(Typed);
  for (const std::string& Name : Names) {
    if (Name.empty() && &Name != &Names.back()) {
      std::abort();  // the split leaves out empty names
    }
    std::string Path;
    if (PTCombineTypedPath(Folder, Name, Path)) {
      CheckClean(Path);
    } else if (!Path.empty()) {
      std::abort();
    }
    bool Different = false;
    const std::string WithExt = PTApplyDefaultExt(Path.empty() ? Name : Path, "htm", NamePart, Different,
                                                  [](const std::string& Ext) { return Ext.size() == 4; });
    if (WithExt.size() < (Path.empty() ? Name : Path).size()) {
      std::abort();  // the default extension only ever appends
    }
  }
  return 0;
}
