// Option groups: the global instance and its copies, update brackets, applying a copy, the list of copies, the
// initialisers, both stores, and the save at shutdown read back by a new process.
#include "suitebase/Optionext.h"

#include "suitebase/Classparams.h"
#include "suitebase/Regstore.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/PeerProcess.h"
#include "tests/support/UnitsEnvironment.h"

#include <cstdlib>
#include <sys/wait.h>

using namespace Dorazori;

namespace {
class TSampleOpts : public TOptionExt {
  Z_CLASS(TSampleOpts, TOptionExt)
public:
  int FCount = 0;
  std::string FText;
  int Updates = 0;
  void InitValues() override { FCount = 5; }
  void Update() override {
    if (!UpdateDisabled()) {
      ++Updates;
    }
  }
  static void Publish(TMetaClass& Meta) {
    TPublisher<TSampleOpts> P(Meta);
    P.Property("Count", &TSampleOpts::FCount, &TSampleOpts::FCount).Default(0);
    P.Property("Text", &TSampleOpts::FText, &TSampleOpts::FText);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TSampleOpts, TOptionExt, TSampleOpts::Publish)

// Saved at shutdown by a peer process.
class TShutdownOpts : public TOptionExt {
  Z_CLASS(TShutdownOpts, TOptionExt)
public:
  std::string FText;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TShutdownOpts>(Meta).Property("Text", &TShutdownOpts::FText, &TShutdownOpts::FText);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TShutdownOpts, TOptionExt, TShutdownOpts::Publish)

std::vector<std::string> InitLog;
void FirstInit(TOptionExt* O) { InitLog.push_back("first " + O->ClassName()); }
void SecondInit(TOptionExt*) { InitLog.push_back("second"); }

class Optionext : public SuiteFolders {
protected:
  void TearDown() override {
    delete GetOptionsByClass(TSampleOpts::StaticClass());
    StoreOptionsInFile = false;
    OptionsFileName.clear();
    UnRegisterClassExt(TSampleOpts::StaticClass());
    SuiteFolders::TearDown();
  }
};
}  // namespace

TEST_F(Optionext, TheFirstInstanceIsGlobalAndLoadedLaterOnesAreCopies) {
  WriteToRegistry("SampleOpts\\Text", Variant("stored"));
  RegisterOptionsInitializator(&FirstInit);
  RegisterOptionsInitializator(&SecondInit);
  InitLog.clear();
  auto* Global = CreateOptions<TSampleOpts>();
  UnRegisterOptionsInitializator(&FirstInit);
  UnRegisterOptionsInitializator(&SecondInit);
  UnRegisterOptionsInitializator(&SecondInit);  // not there: nothing
  EXPECT_EQ(InitLog, (std::vector<std::string>{"second", "first TSampleOpts"}));
  EXPECT_TRUE(Global->IsGlobalInstance());
  EXPECT_EQ(Global->GetKey(), "SampleOpts");
  EXPECT_EQ(Global->FCount, 5);  // defaults survive what was never saved
  EXPECT_EQ(Global->FText, "stored");
  EXPECT_EQ(GetOptionsByClass(TSampleOpts::StaticClass()), Global);

  std::unique_ptr<TSampleOpts> Copy(CreateOptions<TSampleOpts>());
  EXPECT_FALSE(Copy->IsGlobalInstance());
  EXPECT_EQ(Copy->GlobalInstance(), Global);
  EXPECT_EQ(Copy->FText, "stored");
  EXPECT_EQ(Copy->Updates, 0);
}

TEST_F(Optionext, ApplyingACopyUpdatesTheGlobalInstanceOnce) {
  auto* Global = CreateOptions<TSampleOpts>();
  std::unique_ptr<TSampleOpts> Copy(CreateOptions<TSampleOpts>());
  Copy->FText = "changed";
  Copy->FCount = 8;
  Global->Updates = 0;
  Copy->ApplyOptions();
  EXPECT_EQ(Global->Updates, 1);
  EXPECT_EQ(Global->FText, "changed");
  EXPECT_EQ(Global->FCount, 8);
  EXPECT_EQ(Copy->Updates, 0);
  Copy->Assign(Global);
  EXPECT_EQ(Copy->Updates, 0);
  Global->ApplyOptions();
  EXPECT_EQ(Global->Updates, 2);

  Global->EndUpdate();  // without a bracket: nothing
  EXPECT_EQ(Global->Updates, 2);
  EXPECT_EQ(Global->UpdateLevel(), 0);
  Global->BeginUpdate();
  Global->BeginUpdate();
  Global->EndUpdate();
  EXPECT_EQ(Global->Updates, 2);
  Global->EndUpdate();
  EXPECT_EQ(Global->Updates, 3);
}

TEST_F(Optionext, TheListHoldsCopiesOfRegisteredClasses) {
  RegisterOptionExt(TSampleOpts::StaticClass());
  EXPECT_NE(GetItemEqual(TSampleOpts::StaticClass(), {"Environment.Options"}, {123}), nullptr);
  {
    TOptionExtList List;
    auto* Copy = static_cast<TSampleOpts*>(List.GetOptionWithClass("tsampleopts"));
    ASSERT_NE(Copy, nullptr);
    EXPECT_FALSE(Copy->IsGlobalInstance());
    TOptionExt* Global = GetOptionsByClass(TSampleOpts::StaticClass());
    EXPECT_EQ(Copy->GlobalInstance(), Global);
    Copy->FText = "from the list";
    List.ApplyOptions();
    EXPECT_EQ(static_cast<TSampleOpts*>(Global)->FText, "from the list");
    EXPECT_EQ(List.GetOptionWithClass("TNone"), nullptr);
  }
}

TEST_F(Optionext, OptionsCanLiveInAProfileFile) {
  StoreOptionsInFile = true;
  OptionsFileName = Temp / "options.ini";
  auto* Global = CreateOptions<TSampleOpts>();
  Global->FText = "in the file";
  Global->SaveConfig();
  delete Global;
  auto* Again = static_cast<TSampleOpts*>(GetOptionsByClass(TSampleOpts::StaticClass()));
  EXPECT_NE(Again, nullptr);
  EXPECT_EQ(Again->FText, "in the file");
  EXPECT_FALSE(RegValueExists("SampleOpts\\Text"));
}

TEST_F(Optionext, SavedAtShutdownAndReadByANewProcess) {
  if (const char* Role = std::getenv("SUITE_OPTIONS_PEER")) {
    static_cast<TShutdownOpts*>(GetOptionsByClass(TShutdownOpts::StaticClass()))->FText = Role;
    return;  // the unit finalisation at the end of the program saves it
  }
  const std::string Log = Temp / "peer.txt";
  TestSupport::TPeerProcess Peer = TestSupport::StartPeerProcess(
      "Optionext.SavedAtShutdownAndReadByANewProcess",
      {{"SUITE_OPTIONS_PEER", "saved by the peer"}, {"ZUBQ_REGISTRY_DIR", Temp / "registry"}}, Log);
  ASSERT_NE(Peer.Pid, -1);
  int Status = 0;
  ASSERT_EQ(waitpid(Peer.Pid, &Status, 0), Peer.Pid);
  ASSERT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
  RegistryResetForTests();
  auto* Loaded = static_cast<TShutdownOpts*>(GetOptionsByClass(TShutdownOpts::StaticClass()));
  EXPECT_EQ(Loaded->FText, "saved by the peer");
  delete Loaded;
}
