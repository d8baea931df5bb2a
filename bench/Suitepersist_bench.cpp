// Speed of the suite's persistence: a named-items collection of 10,000 items written and read back, an option
// object of 40 properties saved to the registry and loaded, a 64 KB profile image saved and loaded, and one
// resource replaced in a 2 MB program module.
#include "platform/win/RegistryStore.h"
#include "platform/win/Resources.h"
#include "suitebase/Nameditems.h"
#include "suitebase/Regstore.h"
#include "suitebase/Reswriter.h"
#include "tests/support/PeImage.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>

namespace {
class TBenchItem : public Vivaridiriz::ZEZNamedItem {
  Z_CLASS(TBenchItem, ZEZNamedItem)
public:
  using ZEZNamedItem::ZEZNamedItem;
  int FColor = 0;
  std::string GetName() const { return Name(); }
  static void Publish(TMetaClass& Meta) {
    TPublisher<TBenchItem> P(Meta);
    P.Property("Name", &TBenchItem::GetName, &TBenchItem::SetName);
    P.Property("Color", &TBenchItem::FColor, &TBenchItem::FColor).Default(0);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TBenchItem, ZEZNamedItem, TBenchItem::Publish)

#define BENCH_FIELDS(X)                                                                                                \
  X(0)                                                                                                                 \
  X(1) X(2) X(3) X(4) X(5) X(6) X(7) X(8) X(9) X(10) X(11) X(12) X(13) X(14) X(15) X(16) X(17) X(18) X(19) X(20) X(21) \
      X(22) X(23) X(24) X(25) X(26) X(27) X(28) X(29) X(30) X(31) X(32) X(33) X(34) X(35) X(36) X(37) X(38) X(39)

class TBenchOptions : public TPersistent {
  Z_CLASS(TBenchOptions, TPersistent)
public:
#define BENCH_FIELD(N) int F##N = N + 1;
  BENCH_FIELDS(BENCH_FIELD)
  static void Publish(TMetaClass& Meta) {
    TPublisher<TBenchOptions> P(Meta);
#define BENCH_PROP(N) P.Property("Option" #N, &TBenchOptions::F##N, &TBenchOptions::F##N).Default(0);
    BENCH_FIELDS(BENCH_PROP)
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TBenchOptions, TPersistent, TBenchOptions::Publish)

class TBenchImage : public TPersistent {
  Z_CLASS(TBenchImage, TPersistent)
public:
  std::string FData;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TBenchImage>(Meta).Property("Data", &TBenchImage::FData, &TBenchImage::FData);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TBenchImage, TPersistent, TBenchImage::Publish)

// The registry and profile files in a folder of their own.
struct TFolders {
  TestSupport::TTempFolder Temp{"zubq-bench-persist"};
  TFolders() {
    setenv("ZUBQ_REGISTRY_DIR", Temp.Path().c_str(), 1);
    RegistryResetForTests();
    Dorazori::OptionsFileName = Temp / "options.ini";
  }
};
TFolders& Folders() {
  static TFolders F;
  return F;
}

void BM_NamedItemsWrite(benchmark::State& State) {
  Dorazori::ZEZNamedItems Items(nullptr, TBenchItem::StaticClass());
  for (int I = 0; I < 10000; ++I) {
    auto* Item = static_cast<TBenchItem*>(Items.Add());
    Item->SetName("Item" + std::to_string(I));
    Item->FColor = I;
  }
  for (auto _ : State) {
    TMemoryStream S;
    Items.SaveToStream(&S);
    benchmark::DoNotOptimize(S.Size());
  }
}
BENCHMARK(BM_NamedItemsWrite)->Unit(benchmark::kMillisecond);

void BM_NamedItemsRead(benchmark::State& State) {
  Dorazori::ZEZNamedItems Items(nullptr, TBenchItem::StaticClass());
  for (int I = 0; I < 10000; ++I) {
    static_cast<TBenchItem*>(Items.Add())->SetName("Item" + std::to_string(I));
  }
  TMemoryStream S;
  Items.SaveToStream(&S);
  for (auto _ : State) {
    Dorazori::ZEZNamedItems Back(nullptr, TBenchItem::StaticClass());
    S.SetPosition(0);
    Back.LoadFromStream(&S);
    benchmark::DoNotOptimize(Back.Count());
  }
}
BENCHMARK(BM_NamedItemsRead)->Unit(benchmark::kMillisecond);

void BM_OptionsRegistrySaveLoad(benchmark::State& State) {
  Folders();
  TBenchOptions Options;
  for (auto _ : State) {
    Dorazori::WritePropsToRegistry(&Options, "BenchOptions");
    TBenchOptions Back;
    Dorazori::ReadPropsFromRegistry(&Back, "BenchOptions");
    benchmark::DoNotOptimize(Back.F39);
  }
}
BENCHMARK(BM_OptionsRegistrySaveLoad)->Unit(benchmark::kMillisecond);

void BM_ProfileImageSaveLoad(benchmark::State& State) {
  Folders();
  TBenchImage Image;
  Image.FData = std::string(64 * 1024, 'p');
  for (auto _ : State) {
    Dorazori::SaveComponentToIniFile(&Image, "Image");
    TBenchImage Back;
    Dorazori::LoadComponentFromIniFile(&Back, "Image");
    benchmark::DoNotOptimize(Back.FData.size());
  }
}
BENCHMARK(BM_ProfileImageSaveLoad)->Unit(benchmark::kMillisecond);

// The read alone: the section of 2,048 lines found and turned back into the object.
void BM_ProfileImageLoad(benchmark::State& State) {
  Folders();
  TBenchImage Image;
  Image.FData = std::string(64 * 1024, 'p');
  Dorazori::SaveComponentToIniFile(&Image, "Image");
  for (auto _ : State) {
    TBenchImage Back;
    Dorazori::LoadComponentFromIniFile(&Back, "Image");
    benchmark::DoNotOptimize(Back.FData.size());
  }
}
BENCHMARK(BM_ProfileImageLoad)->Unit(benchmark::kMillisecond);

void BM_ReplaceResourceIn2MBModule(benchmark::State& State) {
  TestSupport::TPeImageOptions O;
  O.CodeSize = 2 * 1024 * 1024;
  O.Resources = {TestSupport::PeResource(RT_RCDATA, "ABOUT", std::string(4096, 'a'))};
  const std::string Module = Folders().Temp / "big.exe";
  std::ofstream(Module, std::ios::binary) << TestSupport::MakePeImage(O);
  const std::string Data(8192, 'b');
  for (auto _ : State) {
    benchmark::DoNotOptimize(
        Dorazori::ResourceUpdate(Module, RT_RCDATA, "ABOUT", static_cast<Integer>(Data.size()), Data.data(), 0));
  }
}
BENCHMARK(BM_ReplaceResourceIn2MBModule)->Unit(benchmark::kMillisecond);
}  // namespace
