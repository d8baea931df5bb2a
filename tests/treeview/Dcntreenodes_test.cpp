// The node collection: index and visible-row lookup with its one-entry cache, the update lock and copying.
#include "TreeTestUtil.h"

#include "platform/rtl/Exceptions.h"

namespace {

class TreeNodes : public TreeTest::TreeFixture {
protected:
  // g0(m0 m1 m2) g1(...) ... : Groups groups of Per children each.
  void Fill(int Groups, int Per) {
    Items()->BeginUpdate();
    for (int G = 0; G < Groups; ++G) {
      ZEZTreeNode* N = Items()->Add(nullptr, "g" + std::to_string(G));
      for (int M = 0; M < Per; ++M) {
        Items()->AddChild(N, "g" + std::to_string(G) + "m" + std::to_string(M));
      }
    }
    Items()->EndUpdate();
  }
};

std::string OutOfBounds(const std::function<void()>& F) {
  try {
    F();
  } catch (const EInvalidOperation& E) {
    return E.Message();
  }
  return "none";
}

TEST_F(TreeNodes, GetItemSteppingAndBounds) {
  Fill(3, 4);
  ASSERT_EQ(Items()->GetCount(), 15);
  // Every index agrees with the pre-order walk, forwards and backwards.
  int I = 0;
  for (ZEZTreeNode* N = Items()->GetFirstNode(); N; N = N->GetNext(), ++I) {
    EXPECT_EQ(Items()->GetItem(I), N);
    EXPECT_EQ(N->GetAbsoluteIndex(), I);
  }
  for (int J = 14; J >= 0; --J) {
    EXPECT_EQ(Items()->GetItem(J)->GetAbsoluteIndex(), J);
  }
  // Random access too.
  EXPECT_EQ(Items()->GetItem(7)->GetText(), "g1m1");
  EXPECT_EQ(Items()->GetItem(10)->GetText(), "g2");
  EXPECT_EQ(OutOfBounds([&] { Items()->GetItem(15); }), "Index out of bounds (15)");
  EXPECT_EQ(OutOfBounds([&] { Items()->GetItem(-1); }), "Index out of bounds (-1)");
}

TEST_F(TreeNodes, SteppingCostsOneStep) {
  Fill(200, 50);
  const int Count = Items()->GetCount();
  ZEZTreeNode* Expected = Items()->GetFirstNode();
  // With the cache, a step of one is the pre-order neighbour: walking the whole tree by index stays linear, which
  // the benchmark measures; here the answers must agree with the walk at every step.
  for (int I = 0; I < Count; ++I) {
    ASSERT_EQ(Items()->GetItem(I), Expected) << I;
    Expected = Expected->GetNext();
  }
  // A structural change drops the cache: the answer is searched again, not stepped from a stale node.
  Items()->GetItem(5);
  Items()->GetFirstNode()->Delete();
  EXPECT_EQ(Items()->GetItem(6)->GetText(), "g1m5");
}

TEST_F(TreeNodes, VisibleItemsFromEitherEnd) {
  Fill(5, 3);
  Items()->GetItem(4)->Expand(false);   // g1
  Items()->GetItem(12)->Expand(false);  // g3
  ASSERT_EQ(Items()->GetVisibleCount(), 11);
  std::vector<std::string> Rows;
  for (ZEZTreeNode* N = Items()->GetFirstNode(); N; N = N->GetNextVisibleSimple()) Rows.push_back(N->GetText());
  ASSERT_EQ(Rows.size(), 11u);
  for (int R = 0; R < 11; ++R) {
    EXPECT_EQ(Items()->GetVisibleItem(R)->GetText(), Rows[static_cast<std::size_t>(R)]) << R;
  }
  EXPECT_EQ(OutOfBounds([&] { Items()->GetVisibleItem(11); }), "Index out of bounds (11)");
  EXPECT_EQ(Items()->GetLastVisibleNode()->GetText(), "g4");
  EXPECT_EQ(Items()->GetLastNode()->GetText(), "g4m2");
}

TEST_F(TreeNodes, NestedUpdateRepaintsOnceAtTheOutermostEnd) {
  Show();
  const int Before = Tree->FullRedrawCount();
  Items()->EndUpdate();  // without BeginUpdate: nothing
  EXPECT_EQ(Tree->FullRedrawCount(), Before);
  Items()->BeginUpdate();
  Items()->BeginUpdate();
  ZEZTreeNode* A = Items()->Add(nullptr, "a");
  Items()->EndUpdate();
  EXPECT_EQ(Tree->FullRedrawCount(), Before);
  EXPECT_TRUE(Items()->Locked());
  A->MakeVisible();  // deferred while locked
  Tree->SetSelected(A);
  Items()->EndUpdate();
  EXPECT_EQ(Tree->FullRedrawCount(), Before + 1);
  EXPECT_FALSE(Items()->Locked());
  EXPECT_EQ(Tree->Selected(), A);
}

TEST_F(TreeNodes, LockedPaintDrawsNothing) {
  Show();
  Items()->Add(nullptr, "a");
  Harness::RunUntilIdle();
  Items()->BeginUpdate();
  Items()->Add(nullptr, "b");
  Tree->Invalidate();
  Harness::RunUntilIdle();
  EXPECT_EQ(GetUpdateRect(Tree->Handle(), nullptr, FALSE), FALSE);  // validated, nothing drawn
  Items()->EndUpdate();
}

TEST_F(TreeNodes, CreateNodeEventChoosesTheClassForOneNode) {
  std::vector<int> Levels;
  Tree->OnCreateNodeClass = [&](TObject*, Integer Level, ZEZTreeNodeClass& C) {
    Levels.push_back(Level);
    (void)C;
  };
  ZEZTreeNode* A = Items()->Add(nullptr, "a");
  ZEZTreeNode* B = Items()->AddChild(A, "b");
  Items()->AddChildFirst(B, "c");
  Items()->Add(B, "d");
  EXPECT_EQ(Levels, (std::vector<int>{0, 1, 2, 1}));
}

}  // namespace

namespace {

TEST_F(TreeNodes, EndUpdateSortsAndRunsTheDeferredMakeVisible) {
  Show();
  Tree->SetSortType(stText);
  Items()->BeginUpdate();
  for (const char* T : {"delta", "alpha", "charlie", "bravo"}) Items()->Add(nullptr, T);
  ZEZTreeNode* Far = nullptr;
  for (int I = 0; I < 60; ++I) {
    char Buf[16];
    std::snprintf(Buf, sizeof Buf, "zz%02d", 59 - I);
    ZEZTreeNode* N = Items()->Add(nullptr, Buf);
    if (I == 0) Far = N;  // "zz59", the last row once sorted
  }
  EXPECT_EQ(Items()->GetFirstNode()->GetText(), "delta");  // not sorted while locked
  Far->MakeVisible();
  EXPECT_EQ(Tree->TopItem()->GetText(), "delta");
  Items()->EndUpdate();
  EXPECT_EQ(Items()->GetFirstNode()->GetText(), "alpha");
  EXPECT_EQ(Items()->GetLastNode(), Far);
  EXPECT_TRUE(Far->InTreeViewVert());
  EXPECT_NE(Tree->TopItem(), Items()->GetFirstNode());
}

}  // namespace
