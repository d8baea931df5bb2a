// Fuzz target: adding the program to the user's association list and removing it again over any list. Neither
// may crash, and every line that is not the program's comes back: blank lines and the header of an added
// associations group that held nothing but the program's keys are the list's structure, not anyone's entries.
#include "platform/win/DesktopFiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char Id[] = "zubquillon.desktop";

std::vector<std::string> Lines(const std::string& Text) {
  std::vector<std::string> Out;
  std::size_t At = 0;
  while (At < Text.size()) {
    std::size_t End = Text.find('\n', At);
    if (End == std::string::npos) {
      End = Text.size();
    }
    std::string Line = Text.substr(At, End - At);
    if (!Line.empty() && Line.back() == '\r') {
      Line.pop_back();
    }
    Out.push_back(Line);
    At = End + 1;
  }
  return Out;
}

bool Structural(const std::string& Line) {
  return Line.find_first_not_of(" \t\r") == std::string::npos ||
         Line.find(std::string("[") + AddedAssociationsGroup + "]") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size > (1u << 18)) {
    return 0;
  }
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  const std::string Added = AddMimeAssociations(Text, Id, {"text/html", "text/css"});
  const std::string Removed = RemoveMimeAssociations(Added, Id);
  // The foreign lines of the original, in order, must all be found in the list after adding and removing.
  const std::vector<std::string> After = Lines(Removed);
  std::size_t Next = 0;
  for (const std::string& Line : Lines(Text)) {
    if (Line.find(Id) != std::string::npos || Structural(Line)) {
      continue;
    }
    while (Next < After.size() && After[Next] != Line) {
      ++Next;
    }
    if (Next == After.size()) {
      std::abort();  // a line that was not ours was lost
    }
    ++Next;
  }
  // Removing what is no longer there changes nothing.
  if (RemoveMimeAssociations(Removed, Id) != Removed) {
    std::abort();
  }
  return 0;
}
