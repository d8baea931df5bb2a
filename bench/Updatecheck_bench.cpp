// The update check's reply: 10,000 lines carried out, most of them ignored, some messages and addresses.
#include "core/Updatecheck.h"

#include "platform/win/DialogService.h"
#include "platform/win/Shell.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Reply() {
  std::vector<std::string> Lines;
  for (int I = 0; I < 10000; ++I) {
    switch (I % 100) {
      case 0: Lines.push_back("DISPLAYINFOMESSAGE=Version 6." + std::to_string(I) + " is out."); break;
      case 1: Lines.push_back("displayquestionmessage=Read about it?"); break;
      case 2: Lines.push_back("GOTOURL=http://www.palvane.example/news/" + std::to_string(I)); break;
      default: Lines.push_back("note " + std::to_string(I) + ": nothing the program has to do with this line"); break;
    }
  }
  return Lines;
}

void BM_TenThousandLineReply(benchmark::State& State) {
  TScriptedDialogs Dialogs;
  TScopedDialogService Use(Dialogs);
  SetShellExecuteRecording(true);
  const std::vector<std::string> Lines = Reply();
  for (auto _ : State) {
    ClearShellExecuteRecords();
    benchmark::DoNotOptimize(CarryOutUpdateReply(Lines, 0));
  }
  SetShellExecuteRecording(false);
}
BENCHMARK(BM_TenThousandLineReply)->Unit(benchmark::kMillisecond);

}  // namespace
