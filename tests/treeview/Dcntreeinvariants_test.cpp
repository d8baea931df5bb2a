// Random edits keep the tree's counts, links, index lookups and the cached top row consistent.
#include "TreeTestUtil.h"

#include <random>

namespace {

class TreeInvariants : public TreeTest::TreeFixture {
protected:
  // Recounts a subtree the slow way and compares with the node's kept counts.
  int Check(ZEZTreeNode* N, int& Visible) {
    int Items = 0, Count = 0;
    int Rows = 0;
    ZEZTreeNode* Prev = nullptr;
    for (ZEZTreeNode* C = N->GetFirstChild(); C; C = C->GetNextSibling()) {
      EXPECT_EQ(C->GetPrevSibling(), Prev);
      EXPECT_EQ(C->InternalParent(), N);
      EXPECT_EQ(C->Parent(), N == Tree->Root() ? nullptr : N);
      int ChildRows = 0;
      Items += 1 + Check(C, ChildRows);
      Rows += 1 + (C->GetExpanded() ? ChildRows : 0);
      ++Count;
      Prev = C;
    }
    EXPECT_EQ(N->GetLastChild(), Prev);
    EXPECT_EQ(N->GetCount(), Count);
    EXPECT_EQ(N->ItemCount(), Items);
    EXPECT_EQ(N->VisibleCount(), N->GetExpanded() ? Rows : 0) << N->GetText();
    if (N != Tree->Root() && !N->GetFirstChild()) {
      EXPECT_FALSE(N->GetExpanded());
    }
    Visible = Rows;
    return Items;
  }
  void CheckAll() {
    int Rows = 0;
    Check(Tree->Root(), Rows);
    ASSERT_EQ(Items()->GetVisibleCount(), Rows);
    if (Tree->TopItem() && Tree->TopIndexValid()) {
      ASSERT_EQ(Tree->TopIndex(), Tree->TopItem()->GetVisibleIndex());
      int Row = 0;
      for (ZEZTreeNode* N = Items()->GetFirstNode(); N && N != Tree->TopItem(); N = N->GetNextVisibleSimple()) ++Row;
      ASSERT_EQ(Tree->TopIndex(), Row) << "cached top row";
    }
    int R = 0;
    for (ZEZTreeNode* N = Items()->GetFirstNode(); N; N = N->GetNextVisibleSimple(), ++R) {
      ASSERT_EQ(Items()->GetVisibleItem(R), N) << R;
      ASSERT_EQ(N->GetVisibleIndex(), R) << N->GetText();
    }
    // The widest row, kept incrementally, is the widest visible row.
    int Widest = 0;
    for (ZEZTreeNode* N = Items()->GetFirstNode(); N; N = N->GetNextVisibleSimple()) Widest = std::max(Widest, N->GetWidth());
    ASSERT_EQ(Tree->GetMaxWidth(), Widest);
    int I = 0;
    for (ZEZTreeNode* N = Items()->GetFirstNode(); N; N = N->GetNext(), ++I) {
      ASSERT_EQ(Items()->GetItem(I), N);
    }
    if (Tree->TopItem() && Tree->TopIndexValid()) {
      ASSERT_EQ(Tree->TopIndex(), Tree->TopItem()->GetVisibleIndex());
    }
  }
};

TEST_F(TreeInvariants, RandomEditsKeepCountsAndLookups) {
  Show();
  std::mt19937 Rng(27);
  auto Pick = [&]() -> ZEZTreeNode* {
    const int C = Items()->GetCount();
    return C ? Items()->GetItem(static_cast<int>(Rng() % static_cast<unsigned>(C))) : nullptr;
  };
  int Serial = 0;
  for (int Step = 0; Step < 600; ++Step) {
    ZEZTreeNode* N = Pick();
    const std::string Name = "n" + std::to_string(Serial++);
    const unsigned Op = Rng() % 10;
    SCOPED_TRACE("step " + std::to_string(Step) + " op " + std::to_string(Op));
    switch (Op) {
      case 0: Items()->Add(N, Name); break;
      case 1:
      case 2: Items()->AddChild(N, Name); break;
      case 3: Items()->Insert(N, Name); break;
      case 4:
        if (N) N->Expand(Rng() % 3 == 0);
        break;
      case 5:
        if (N) N->Collapse(Rng() % 3 == 0);
        break;
      case 6:
        if (N && Items()->GetCount() > 10) N->Delete();
        break;
      case 7: {
        ZEZTreeNode* D = Pick();
        if (N && D && D != N && !D->HasAsParent(N)) {
          N->MoveTo(D, static_cast<TNodeAttachMode>(Rng() % 5));
        }
        break;
      }
      case 8:
        if (N) Tree->SetTopItem(N);
        break;
      case 9:
        if (N && Rng() % 2) {
          N->AlphaSort();
        } else if (N) {
          N->SetText(std::string(Rng() % 40, 'w'));
        }
        break;
    }
    // Every other stretch of 40 edits runs inside an update lock; the end of the update catches up.
    if (Step % 40 == 20) {
      Items()->BeginUpdate();
      Items()->BeginUpdate();
    } else if (Step % 40 == 39) {
      Items()->EndUpdate();
      Items()->EndUpdate();
    }
    if (Step % 5 == 0 && !Items()->Locked()) {
      CheckAll();
      if (HasFatalFailure()) return;
    }
  }
  CheckAll();
  Tree->FullExpand();
  CheckAll();
  Tree->SetSortType(stText);
  CheckAll();
  Tree->FullCollapse();
  CheckAll();
}

}  // namespace
