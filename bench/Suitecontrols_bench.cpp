// Speed of the suite's form-level services: a form of 500 components created from its text form by the filer, a
// property store of 100 properties saved and loaded, a full-screen gradient and a file search over 10,000 files
// in 100 folders.
#include "platform/classes/ClassRegistry.h"
#include "platform/controls/StdCtrls.h"
#include "platform/win/RegistryStore.h"
#include "suitebase/Compfiler.h"
#include "suitebase/Dccontrols.h"
#include "suitebase/Fileutils.h"
#include "suitebase/Propstore.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

TestSupport::TTempFolder& Temp() {
  static TestSupport::TTempFolder T{"zubq-bench-controls"};
  static const bool Ready = [] {
    setenv("ZUBQ_REGISTRY_DIR", T.Path().c_str(), 1);
    RegistryResetForTests();
    RegisterClasses({TEdit::StaticClass(), TButton::StaticClass(), TLabel::StaticClass(), TCheckBox::StaticClass(),
                     TPanel::StaticClass()});
    return true;
  }();
  (void)Ready;
  return T;
}

std::string FormText(int Count) {
  std::string T = "object Big: TBig\n  Left = 0\n  Top = 0\n  Width = 800\n  Height = 600\n  Caption = 'Big'\n";
  const char* Classes[] = {"TEdit", "TButton", "TLabel", "TCheckBox", "TPanel"};
  for (int I = 0; I < Count; ++I) {
    T += std::string("  object C") + std::to_string(I) + ": " + Classes[I % 5] +
         "\n    Left = " + std::to_string(I % 40 * 20) + "\n    Top = " + std::to_string(I / 40 * 20) +
         "\n    Width = 18\n    Height = 18\n    OnClick = Handler" + std::to_string(I % 17) + "\n  end\n";
  }
  return T + "end\n";
}

void BM_FilerCreateFormOf500FromText(benchmark::State& State) {
  Temp();
  const std::string Text = FormText(500);
  for (auto _ : State) {
    TStringStream In(Text);
    Dccommon::TCompFiler Filer;
    std::unique_ptr<TComponent> Root(Filer.CreateFromStream(&In, TForm::StaticClass(), false));
    benchmark::DoNotOptimize(Root->ComponentCount());
  }
}
BENCHMARK(BM_FilerCreateFormOf500FromText)->Unit(benchmark::kMillisecond);

struct TStoreForm {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  Dccommon::ZEZPropStore* Store = nullptr;
  TStoreForm() {
    Form->SetName("StoreBench");
    for (int I = 0; I < 100; ++I) {
      auto* E = new TEdit(Form.get());
      E->SetName("Edit" + std::to_string(I));
      E->SetText("value " + std::to_string(I));
    }
    Store = new Dccommon::ZEZPropStore(Form.get());
    Store->SetName("Store");
    for (int I = 0; I < 100; ++I) {
      Store->PropList()->Add("Edit" + std::to_string(I) + ".Text");
    }
    Store->StorePos = false;
  }
};

void BM_PropStoreSave100(benchmark::State& State) {
  Temp();
  TStoreForm F;
  for (auto _ : State) {
    F.Store->Save();
  }
}
BENCHMARK(BM_PropStoreSave100)->Unit(benchmark::kMillisecond);

void BM_PropStoreLoad100(benchmark::State& State) {
  Temp();
  TStoreForm F;
  F.Store->Save();
  for (auto _ : State) {
    F.Store->Load();
  }
}
BENCHMARK(BM_PropStoreLoad100)->Unit(benchmark::kMillisecond);

void BM_FillGradientFullHd(benchmark::State& State) {
  TBitmap B;
  B.SetSize(1920, 1080);
  for (auto _ : State) {
    Dccontrols::FillGradient(B.Canvas(), 1920, 1080, clBlack, clWhite, State.range(0) != 0);
  }
}
BENCHMARK(BM_FillGradientFullHd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FindFilesEx10000In100Folders(benchmark::State& State) {
  const std::string Root = Temp() / "tree";
  if (!std::filesystem::exists(Root)) {
    for (int D = 0; D < 100; ++D) {
      const std::string Dir = Root + "/dir" + std::to_string(D);
      std::filesystem::create_directories(Dir);
      for (int F = 0; F < 100; ++F) {
        std::ofstream(Dir + "/file" + std::to_string(F) + (F % 2 ? ".pas" : ".txt")) << "x";
      }
    }
  }
  for (auto _ : State) {
    TStringList List;
    Dorazori::FindFilesEx(Root, "*.pas;*.txt", 0x2F, true, &List);
    benchmark::DoNotOptimize(List.Count());
  }
}
BENCHMARK(BM_FindFilesEx10000In100Folders)->Unit(benchmark::kMillisecond);

}  // namespace
