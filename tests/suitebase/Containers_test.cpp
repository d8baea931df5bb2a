// Record lists, method lists, stacks, the index quicksort and linked components.
#include "suitebase/Containers.h"

#include "suitebase/Zizudo.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

using namespace Vivaridiriz;

TEST(RecordList, GrowsTo32ThenDoublesAndChecksIndexes) {
  TRecordList L(8);
  const std::int64_t V = 7;
  EXPECT_EQ(L.Add(&V), 0);
  EXPECT_EQ(L.Capacity(), 32);
  for (int I = 1; I < 33; ++I) {
    (void)L.Add(nullptr);
  }
  EXPECT_EQ(L.Count(), 33);
  EXPECT_EQ(L.Capacity(), 64);
  EXPECT_EQ(*static_cast<std::int64_t*>(L.Get(0)), 7);
  EXPECT_EQ(*static_cast<std::int64_t*>(L.Get(32)), 0);  // zero-filled
  EXPECT_NO_THROW((void)L.Get(33));                      // the next free record
  EXPECT_THROW((void)L.Get(34), EListError);
  EXPECT_THROW(L.Delete(33), EListError);
  L.Delete(32);
  EXPECT_EQ(L.Count(), 32);
}

TEST(RecordList, SavesAndLoadsByteExact) {
  TRecordList L(3);
  for (int I = 0; I < 5; ++I) {
    const Byte Rec[3] = {static_cast<Byte>(I), 0xAB, static_cast<Byte>(0xF0 + I)};
    (void)L.Add(Rec);
  }
  TMemoryStream S;
  L.SaveToStream(&S);
  EXPECT_EQ(S.Size(), 4 + 15);
  S.SetPosition(0);
  TRecordList Back(3);
  Back.LoadFromStream(&S);
  EXPECT_EQ(Back.Count(), 5);
  EXPECT_EQ(Back.Capacity(), 5);
  EXPECT_EQ(std::memcmp(Back.Data(), L.Data(), 15), 0);
}

namespace {
// The largest block asked of the memory manager while it is installed.
NativeInt LargestRequest = 0;
TMemoryManager Chained{};
void* CountingGetMem(NativeInt Size) {
  LargestRequest = std::max(LargestRequest, Size);
  return Chained.GetMem(Size);
}
void* CountingReallocMem(void* P, NativeInt Size) {
  LargestRequest = std::max(LargestRequest, Size);
  return Chained.ReallocMem(P, Size);
}
}  // namespace

TEST(RecordList, ACountBeyondTheStreamFailsAndChangesNothing) {
  TRecordList L(4);
  const Integer Keep = 0x11223344;
  (void)L.Add(&Keep);
  TMemoryStream S;
  const Byte Header[4] = {0xFF, 0xFF, 0xFF, 0x0F};  // 268 million records of 4 bytes, and no data
  S.WriteBuffer(Header, 4);
  S.SetPosition(0);
  GetMemoryManager(Chained);
  SetMemoryManager(TMemoryManager{&CountingGetMem, Chained.FreeMem, &CountingReallocMem});
  LargestRequest = 0;
  EXPECT_THROW(L.LoadFromStream(&S), EReadError);
  SetMemoryManager(Chained);
  EXPECT_LT(LargestRequest, 4096);  // the stored count was never allocated
  EXPECT_EQ(L.Count(), 1);
  EXPECT_EQ(*static_cast<Integer*>(L.Get(0)), Keep);
}

TEST(MethodList, RemovesTheFirstEqualMethod) {
  struct TTarget {
    void A() {}
    void B() {}
  } T1, T2;
  using M = TDCMethod<void()>;
  TMethodList L;
  L.Add(M::Of<&TTarget::A>(&T1).Rec());
  L.Add(M::Of<&TTarget::A>(&T2).Rec());
  L.Add(M::Of<&TTarget::B>(&T1).Rec());
  L.Remove(M::Of<&TTarget::B>(&T2).Rec());  // absent: nothing
  EXPECT_EQ(L.GetCount(), 3);
  L.Remove(M::Of<&TTarget::A>(&T2).Rec());
  EXPECT_EQ(L.GetCount(), 2);
  EXPECT_TRUE(isMethodsEqual(L.Get(1), M::Of<&TTarget::B>(&T1).Rec()));
}

TEST(Stacks, PopOnAnEmptyStackRaisesStackIsEmpty) {
  TIntStack S;
  S.Push(-5);
  EXPECT_EQ(S.Pop(), -5);
  EXPECT_TRUE(S.IsEmpty());
  TVariantStack V;
  for (TObject* Stack : {static_cast<TObject*>(&S), static_cast<TObject*>(&V)}) {
    try {
      if (Stack == &S) {
        (void)S.Pop();
      } else {
        (void)V.Pop();
      }
      ADD_FAILURE() << "no exception";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), "Stack is empty");
    }
  }
}

TEST(VariantStack, BlocksOf1024CollapseAndExpand) {
  TVariantStack S;
  for (int I = 0; I < 1025; ++I) {
    S.PushInt(I);
  }
  EXPECT_EQ(S.BlockCount(), 2);
  EXPECT_EQ(S.Pop().AsInteger(), 1024);
  EXPECT_EQ(S.BlockCount(), 1);
  EXPECT_EQ(S.Items(1023)->AsInteger(), 1023);
  EXPECT_EQ(S.Items(1024), nullptr);

  S.Collapse(0);
  EXPECT_EQ(S.Count(), 1024);
  EXPECT_THROW(S.Collapse(1025), Exception);
  EXPECT_EQ(S.Count(), 1024);
  S.Collapse(1000);
  EXPECT_EQ(S.Count(), 24);
  EXPECT_EQ(S.Items(23)->AsInteger(), 23);

  TVariantStack E;
  E.Expand(5);
  ASSERT_EQ(E.Count(), 5);
  for (int I = 0; I < 5; ++I) {
    EXPECT_EQ(VarType(*E.Items(I)), varInteger);
    EXPECT_EQ(E.Items(I)->AsInteger(), 3);
  }
  Variant* Slots[2] = {};
  E.FillWithItems(Slots, 3, 2);
  EXPECT_EQ(Slots[1], E.Items(4));
}

TEST(DCQuickSort, SortsAsStdSortAndNeverExchangesEqualItems) {
  std::mt19937 Rng(42);
  for (const int N : {0, 1, 2, 7, 100000}) {
    std::vector<int> Values(static_cast<std::size_t>(N));
    for (int& X : Values) {
      X = static_cast<int>(Rng() % (N < 100 ? 3 : 50000));  // many equal values
    }
    std::vector<int> Expected = Values;
    std::sort(Expected.begin(), Expected.end());
    bool ExchangedEqual = false;
    DCQuickSort(
        0, N - 1, [&](Integer A, Integer B) { return CompareValues(Values[A], Values[B]); },
        [&](Integer A, Integer B) {
          ExchangedEqual = ExchangedEqual || Values[A] == Values[B];
          std::swap(Values[A], Values[B]);
        });
    EXPECT_EQ(Values, Expected) << N;
    EXPECT_FALSE(ExchangedEqual) << N;
  }
}

TEST(LinkedComponent, ForwardsAReleasedComponentToItsOwnerAndAnyObjectToItsOwnHandler) {
  struct TOwner : TComponent {
    using TComponent::TComponent;
    std::vector<std::pair<TComponent*, TOperation>> Heard;
    void Notification(TComponent* AComponent, TOperation Operation) override {
      TComponent::Notification(AComponent, Operation);
      Heard.emplace_back(AComponent, Operation);
    }
  };
  auto* Owner = new TOwner(nullptr);
  auto* Link = new ZEZLinkedComponent(Owner);
  auto* Watched = new TComponent(nullptr);
  Link->SetLink(Watched);
  Owner->Heard.clear();
  delete Watched;
  EXPECT_EQ(Link->Link(), nullptr);
  ASSERT_FALSE(Owner->Heard.empty());
  EXPECT_EQ(Owner->Heard[0].first, Watched);
  EXPECT_EQ(Owner->Heard[0].second, opRemove);

  // A released plain object is gone when it is reported: the owner's Notification, which would look into it,
  // hears nothing; the link is cleared all the same.
  auto* Plain = new TObject();
  Link->SetLink(Plain);
  Owner->Heard.clear();
  delete Plain;
  EXPECT_EQ(Link->Link(), nullptr);
  EXPECT_TRUE(Owner->Heard.empty());

  // A handler of its own hears the address, to use as a key.
  void* Reported = nullptr;
  Link->SetOnLinkNotify([&Reported](TComponent* C, TOperation) { Reported = C; });
  auto* Keyed = new TObject();
  Link->SetLink(Keyed);
  delete Keyed;
  EXPECT_EQ(Reported, static_cast<void*>(Keyed));

  auto* Kept = new TObject();
  Link->SetLink(Kept);
  delete Owner;  // frees the linked component, which withdraws its registration
  EXPECT_EQ(Zizudo::GlobalNotifierCount(), 0);
  delete Kept;
}

TEST(Routines, SmallHelpers) {
  Integer A = 5, B = 2;
  SwapMaxInt(A, B);
  EXPECT_EQ(A, 2);
  SwapMaxInt(A, B);
  EXPECT_EQ(B, 5);
  EXPECT_TRUE(StrToBool("tRUE"));
  EXPECT_FALSE(StrToBool("yes"));
  Pointer P = nullptr;
  GetMem0(P, 48);
  EXPECT_TRUE(std::all_of(static_cast<Byte*>(P), static_cast<Byte*>(P) + 48, [](Byte X) { return X == 0; }));
  FreePointer(P);
  EXPECT_EQ(P, nullptr);
  TList L1, L2;
  L1.Add(&A);
  L1.Add(&B);
  CopyList(&L1, &L2);
  AppendList(&L1, &L2);
  EXPECT_EQ(L2.Count(), 4);
  EXPECT_EQ(ListIndexOf(&L2, &B), 1);
  EXPECT_EQ(ListIndexOf(&L2, nullptr), -1);
}
