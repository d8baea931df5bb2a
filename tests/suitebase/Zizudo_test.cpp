// The memory-release hook: free notifications for objects, memory blocks and components, the lock that lets
// other threads release, and code patching.
#include "suitebase/Zizudo.h"

#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

using namespace Zizudo;

namespace {
// Records every release it is told about.
class TWatcher {
public:
  void Freed(void* Obj) {
    std::lock_guard<std::mutex> Guard(Lock);
    Calls.push_back(Obj);
  }
  void FreedAndRemoveSelf(void* Obj) {
    Freed(Obj);
    dcRemoveFreeNotification(Obj, Proc());
  }
  TFreeNotifyProc Proc() { return TFreeNotifyProc::Of<&TWatcher::Freed>(this); }
  TFreeNotifyProc SelfRemovingProc() { return TFreeNotifyProc::Of<&TWatcher::FreedAndRemoveSelf>(this); }
  std::mutex Lock;
  std::vector<void*> Calls;
};
}  // namespace

TEST(FreeNotification, AnObjectAndABlockEachCallBackOnceWithTheirAddress) {
  ASSERT_TRUE(HookInstalled());
  TWatcher W;
  auto* Obj = new TObject();
  void* Block = GetMem(64);
  dcAddFreeNotification(Obj, W.Proc());
  dcAddFreeNotification(Block, W.Proc());
  EXPECT_EQ(GlobalNotifierCount(), 2);
  delete Obj;
  FreeMem(Block);
  EXPECT_EQ(W.Calls, (std::vector<void*>{Obj, Block}));
  EXPECT_EQ(GlobalNotifierCount(), 0);

  void* Unwatched = GetMem(16);
  FreeMem(Unwatched);
  EXPECT_EQ(W.Calls.size(), 2u);
}

TEST(FreeNotification, TheSameCallbackTwiceRunsTwiceAndOneRemovalTakesBoth) {
  TWatcher W;
  auto* Obj = new TObject();
  dcAddFreeNotification(Obj, W.Proc());
  dcAddFreeNotification(Obj, W.Proc());
  auto* Other = new TObject();
  dcAddFreeNotification(Other, W.Proc());
  dcAddFreeNotification(Other, W.Proc());
  dcRemoveFreeNotification(Other, W.Proc());
  EXPECT_EQ(GlobalNotifierCount(), 1);
  delete Obj;
  delete Other;
  EXPECT_EQ(W.Calls, (std::vector<void*>{Obj, Obj}));
}

TEST(FreeNotification, ACallbackRemovingItselfDoesNotDisturbTheWalk) {
  TWatcher First, Second;
  auto* Obj = new TObject();
  dcAddFreeNotification(Obj, First.SelfRemovingProc());
  dcAddFreeNotification(Obj, Second.Proc());
  delete Obj;
  EXPECT_EQ(First.Calls.size(), 1u);
  EXPECT_EQ(Second.Calls.size(), 1u);
  EXPECT_EQ(GlobalNotifierCount(), 0);
}

TEST(FreeNotification, AComponentIsToldDuringItsDestructionAndTheStoreGoesWithItsLastRegistration) {
  struct TProbe {
    TComponent* Watched = nullptr;
    bool SawDestroying = false;
    int Calls = 0;
    void Freed(void* Obj) {
      ++Calls;
      SawDestroying = Obj == Watched && Watched->ComponentState().Contains(csDestroying);
    }
  } Probe;
  const auto Proc = TFreeNotifyProc::Of<&TProbe::Freed>(&Probe);
  auto* C = new TComponent(nullptr);
  Probe.Watched = C;
  dcAddFreeNotification(C, Proc);
  ASSERT_NE(NotifierStorage(), nullptr);
  EXPECT_EQ(GlobalNotifierCount(), 0);  // components never reach the release hook's list
  delete C;
  EXPECT_EQ(Probe.Calls, 1);
  EXPECT_TRUE(Probe.SawDestroying);
  EXPECT_EQ(NotifierStorage(), nullptr);

  auto* D = new TComponent(nullptr);
  dcAddFreeNotification(D, Proc);
  EXPECT_NE(NotifierStorage(), nullptr);
  dcRemoveFreeNotification(D, Proc);
  EXPECT_EQ(NotifierStorage(), nullptr);
  delete D;
  EXPECT_EQ(Probe.Calls, 1);
}

TEST(FreeNotification, NothingRegistersBeforeInitialisationOrAfterFinalisation) {
  FinalizeUnits();
  EXPECT_FALSE(HookInstalled());
  TWatcher W;
  auto* Obj = new TObject();
  dcAddFreeNotification(Obj, W.Proc());
  EXPECT_EQ(GlobalNotifierCount(), 0);
  delete Obj;
  EXPECT_TRUE(W.Calls.empty());
  InitializeUnits();
  EXPECT_TRUE(HookInstalled());
}

TEST(FreeNotification, AWorkerReleasingRegisteredBlocksWhileTheUserInterfaceRegistersOthers) {
  constexpr int Blocks = 1000;
  TWatcher W;
  std::vector<void*> Released(Blocks);
  std::vector<void*> Others(Blocks);
  for (int I = 0; I < Blocks; ++I) {
    Released[I] = GetMem(32);
    Others[I] = GetMem(32);
    dcAddFreeNotification(Released[I], W.Proc());
  }
  std::atomic<bool> Go{false};
  std::thread Worker([&] {
    while (!Go.load()) {
    }
    for (void* B : Released) {
      FreeMem(B);
    }
  });
  Go.store(true);
  for (int Round = 0; Round < 3; ++Round) {
    for (void* B : Others) {
      dcAddFreeNotification(B, W.Proc());
    }
    for (void* B : Others) {
      dcRemoveFreeNotification(B, W.Proc());
    }
  }
  Worker.join();
  std::map<void*, int> Seen;
  for (void* B : W.Calls) {
    ++Seen[B];
  }
  EXPECT_EQ(Seen.size(), static_cast<std::size_t>(Blocks));
  for (void* B : Released) {
    EXPECT_EQ(Seen[B], 1);
  }
  EXPECT_EQ(GlobalNotifierCount(), 0);
  for (void* B : Others) {
    FreeMem(B);
  }
}

namespace {
__attribute__((noinline)) int Original(int X) {
  asm volatile("");
  return X + 1;
}
__attribute__((noinline)) int Replacement(int X) {
  asm volatile("");
  return X * 100;
}
// Called through a volatile pointer so that the compiler cannot fold the call.
int (*volatile CallOriginal)(int) = &Original;
}  // namespace

TEST(CodePatching, SetupHookRedirectsARoutineAndRestoreHookPutsItBack) {
#if defined(__x86_64__)
  ASSERT_EQ(CallOriginal(2), 3);
  const THookInfo Info = SetupHook(reinterpret_cast<void*>(&Original), reinterpret_cast<void*>(&Replacement));
  if (Info.Address == nullptr) {
    GTEST_SKIP() << "the kernel refuses forced writes to /proc/self/mem";
  }
  EXPECT_EQ(CallOriginal(2), 200);
  RestoreHook(Info);
  EXPECT_EQ(CallOriginal(2), 3);
#else
  GTEST_SKIP() << "code patching writes x86-64 jumps only";
#endif
}

TEST(CodePatching, AnUnmappedAddressGivesNullAndRestoringWritesNothing) {
  const THookInfo Info = SetupHook(reinterpret_cast<void*>(0x10), reinterpret_cast<void*>(&Replacement));
  EXPECT_EQ(Info.Address, nullptr);
  RestoreHook(Info);  // must not touch anything
  EXPECT_EQ(CallOriginal(2), 3);
}
