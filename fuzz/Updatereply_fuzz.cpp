// Fuzz target: the update check's reply commands over arbitrary reply lines. Questions are answered Yes and No in
// turn, nothing is started, and only web addresses may ever be opened.
#include "core/Updatecheck.h"

#include "platform/rtl/SysUtils.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Answers every question in turn with Yes and No, and everything else with OK.
class TAlternatingDialogs final : public TDialogService {
public:
  TDialogAnswer Run(const TDialogRequest& Request) override {
    if ((Request.Flags & MB_YESNO) == MB_YESNO) {
      Yes = !Yes;
      return TDialogAnswer(Yes ? IDYES : IDNO);
    }
    return TDialogAnswer(IDOK);
  }

private:
  bool Yes = false;
};

std::vector<std::string> Lines(const std::string& Text) {
  std::vector<std::string> Out;
  std::size_t At = 0;
  while (At <= Text.size()) {
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size > (1u << 20)) {
    return 0;
  }
  static TAlternatingDialogs Dialogs;
  static TScopedDialogService UseDialogs(Dialogs);
  SetShellExecuteRecording(true);
  ClearShellExecuteRecords();
  const std::vector<std::string> Reply = Lines(std::string(reinterpret_cast<const char*>(Data), Size));
  const int Done = CarryOutUpdateReply(Reply, 0);
  if (Done < 0 || static_cast<std::size_t>(Done) > Reply.size()) {
    std::abort();
  }
  for (const TShellExecuteRecord& Opened : ShellExecuteRecords()) {
    const std::string Lower = LowerCase(Opened.File);
    if (Lower.rfind("http://", 0) != 0 && Lower.rfind("https://", 0) != 0) {
      std::abort();  // a reply made the program open something that is not a web page
    }
  }
  return 0;
}
