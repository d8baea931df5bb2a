// Tree nodes: structure and counts, events in order, check states, moving, deleting and sorting.
#include "TreeTestUtil.h"

#include "platform/rtl/Exceptions.h"

using TreeTest::Dump;

namespace {

class TreeNode : public TreeTest::TreeFixture {};

TEST_F(TreeNode, NewNodeDefaults) {
  ZEZTreeNode* N = Items()->Add(nullptr, "a");
  EXPECT_EQ(N->ImageIndex(), 0);
  EXPECT_EQ(N->SelectedIndex(), 0);
  EXPECT_EQ(N->StateIndex(), -1);
  EXPECT_EQ(N->OverlayIndex(), -1);
  EXPECT_TRUE(N->GetParentColor());
  EXPECT_TRUE(N->GetParentFont());
  EXPECT_EQ(N->Parent(), nullptr);
  EXPECT_EQ(N->InternalParent(), Tree->Root());
  EXPECT_EQ(Items()->GetCount(), 1);
  EXPECT_EQ(Tree->Selected(), nullptr);
}

TEST_F(TreeNode, AddersPlaceNodesByMode) {
  ZEZTreeNode* B = Items()->Add(nullptr, "b");
  Items()->AddFirst(B, "a");
  Items()->Insert(nullptr, "d");  // nil: last top-level node
  Items()->Insert(Items()->Item(2), "c");
  ZEZTreeNode* X = Items()->AddChild(B, "x");
  Items()->AddChildFirst(B, "w");
  Items()->Add(X, "y");
  Items()->AddFirst(X, "v");
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "a b(v w x y) c d");
  EXPECT_EQ(Items()->GetCount(), 8);
  EXPECT_EQ(B->GetCount(), 4);
  EXPECT_EQ(B->ItemCount(), 4);
  EXPECT_EQ(X->GetLevel(), 1);
  EXPECT_TRUE(B->GetHasChildren());
  // Collapsed b hides its children: 4 rows.
  EXPECT_EQ(Items()->GetVisibleCount(), 4);
  B->Expand(false);
  EXPECT_EQ(Items()->GetVisibleCount(), 8);
  EXPECT_EQ(B->GetExpandedCount(), 4);
}

TEST_F(TreeNode, AbsoluteIndexAndNavigation) {
  ZEZTreeNode* A = Items()->Add(nullptr, "a");
  ZEZTreeNode* A1 = Items()->AddChild(A, "a1");
  Items()->AddChild(A1, "a11");
  ZEZTreeNode* B = Items()->Add(nullptr, "b");
  EXPECT_EQ(A->GetAbsoluteIndex(), 0);
  EXPECT_EQ(A1->GetAbsoluteIndex(), 1);
  EXPECT_EQ(B->GetAbsoluteIndex(), 1 + A->ItemCount());
  // Pre-order both ways.
  std::string Fwd, Back;
  for (ZEZTreeNode* N = A; N; N = N->GetNext()) Fwd += N->GetText() + " ";
  for (ZEZTreeNode* N = B; N; N = N->GetPrev()) Back += N->GetText() + " ";
  EXPECT_EQ(Fwd, "a a1 a11 b ");
  EXPECT_EQ(Back, "b a11 a1 a ");
  // Visible walks skip the collapsed subtree.
  EXPECT_EQ(A->GetNextVisibleSimple(), B);
  EXPECT_EQ(B->GetPrevVisibleSimple(), A);
  EXPECT_EQ(A->GetExpandedCount(), 2);  // counts collapsed descendants too
  EXPECT_TRUE(A1->HasAsParent(A));
  EXPECT_FALSE(A->HasAsParent(A));
  EXPECT_THROW(A->GetItem(1), EListError);
  EXPECT_EQ(A->IndexOf(A1), 0);
  EXPECT_EQ(A->IndexOf(B), -1);
}

TEST_F(TreeNode, ExpandAndCollapseEventsInOrder) {
  ZEZTreeNode* A = Items()->Add(nullptr, "a");
  ZEZTreeNode* B = Items()->AddChild(A, "b");
  Items()->AddChild(B, "c");
  LogEvents();
  A->Expand(true);
  EXPECT_EQ(Joined(), "Expanding:a Expanding:b Expanded:b Expanded:a");
  EXPECT_EQ(Items()->GetVisibleCount(), 3);
  Log.clear();
  A->Collapse(true);
  EXPECT_EQ(Joined(), "Collapsing:a Collapsing:b Collapsed:b Collapsed:a");
  EXPECT_EQ(Items()->GetVisibleCount(), 1);
  EXPECT_FALSE(B->GetExpanded());
  // HasChildren without children: no expansion, no event.
  ZEZTreeNode* D = Items()->Add(nullptr, "d");
  D->SetHasChildren(true);
  Log.clear();
  D->Expand(false);
  EXPECT_FALSE(D->GetExpanded());
  EXPECT_EQ(Joined(), "Expanding:d");
}

TEST_F(TreeNode, RefusedExpansionStaysCollapsed) {
  ZEZTreeNode* A = Items()->Add(nullptr, "a");
  Items()->AddChild(A, "b");
  Tree->OnExpanding = [](TObject*, ZEZTreeNode*, bool& Allow) { Allow = false; };
  A->Expand(false);
  EXPECT_FALSE(A->GetExpanded());
  A->Expand(true);  // a recursive expansion goes ahead anyway
  EXPECT_TRUE(A->GetExpanded());
}

TEST_F(TreeNode, CheckStates) {
  ZEZTreeNode* P = Items()->Add(nullptr, "p");
  ZEZTreeNode* R1 = Items()->AddChild(P, "r1");
  ZEZTreeNode* R2 = Items()->AddChild(P, "r2");
  R1->SetNodeType(ntRadioButton);
  R2->SetNodeType(ntRadioButton);
  R1->SetChecked(true);
  R2->SetChecked(true);
  EXPECT_FALSE(R1->GetChecked());
  EXPECT_EQ(P->CheckedRadioChild(), R2);
  R2->SetState(cbGrayed);
  EXPECT_EQ(R2->State(), cbChecked);
  R2->SwitchToNextState();  // a checked radio button stays checked
  EXPECT_EQ(R2->State(), cbChecked);

  ZEZTreeNode* C = Items()->Add(nullptr, "c");
  C->SetNodeType(ntCheckBox);
  C->SetAllowGrayed(true);
  std::string Cycle;
  for (int I = 0; I < 3; ++I) {
    C->SwitchToNextState();
    Cycle += std::to_string(C->State());
  }
  EXPECT_EQ(Cycle, "120");
  C->SetReadOnly(true);
  C->SwitchToNextState();
  EXPECT_EQ(C->State(), cbUnchecked);
}

TEST_F(TreeNode, AutoCheckRipplesUpAndDown) {
  ZEZTreeNode* Top = Items()->Add(nullptr, "top");
  ZEZTreeNode* P = Items()->AddChild(Top, "p");
  ZEZTreeNode* Kids[3];
  for (int I = 0; I < 3; ++I) {
    Kids[I] = Items()->AddChild(P, "k" + std::to_string(I));
  }
  ZEZTreeNode* Radio = Items()->AddChild(P, "radio");
  Tree->SetCheckBoxesType(ctAll);
  Radio->SetNodeType(ntRadioButton);
  Tree->SetAutoCheck(true);
  Top->SetChecked(true);
  for (ZEZTreeNode* K : Kids) EXPECT_TRUE(K->GetChecked());
  EXPECT_TRUE(P->GetChecked());
  Kids[1]->SetChecked(false);
  EXPECT_EQ(P->State(), cbGrayed);
  EXPECT_EQ(Top->State(), cbGrayed);
  // With AutoCheck on, a check box never cycles to grayed.
  Kids[1]->SetAllowGrayed(true);
  Kids[1]->SwitchToNextState();
  Kids[1]->SwitchToNextState();
  EXPECT_EQ(Kids[1]->State(), cbUnchecked);
  // ctAll then ctNone leaves the node types.
  Tree->SetCheckBoxesType(ctNone);
  EXPECT_EQ(Kids[0]->NodeType(), ntCheckBox);
}

TEST_F(TreeNode, MoveToModesAndErrors) {
  ZEZTreeNode* A = Items()->Add(nullptr, "a");
  ZEZTreeNode* A1 = Items()->AddChild(A, "a1");
  ZEZTreeNode* B = Items()->Add(nullptr, "b");
  ZEZTreeNode* C = Items()->Add(nullptr, "c");
  struct TCase {
    const char* Text;
    std::function<void()> Call;
  };
  auto Message = [](const std::function<void()>& F) {
    try {
      F();
    } catch (const EInvalidOperation& E) {
      return E.Message();
    }
    return std::string("none");
  };
  EXPECT_EQ(Message([&] { A->MoveTo(A1, naAddChild); }), "Trying move to child");
  EXPECT_EQ(Message([&] { A->MoveTo(A, naAdd); }), "Invalid operation");
  EXPECT_EQ(Message([&] { A->MoveTo(nullptr, naAddChild); }), "Invalid operation");
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "a(a1) b c");
  A->MoveTo(nullptr, naInsert);
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "b c a(a1)");
  C->MoveTo(A1, naAddChildFirst);
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "b a(a1(c))");
  EXPECT_EQ(Items()->GetCount(), 4);
  EXPECT_EQ(A->ItemCount(), 2);
  B->MoveTo(C, naAdd);
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "a(a1(c b))");
  EXPECT_EQ(B->Parent(), A1);
  A1->MoveTo(A, naInsert);
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "a1(c b) a");
  EXPECT_FALSE(A->GetHasChildren());  // lost its last child
  EXPECT_EQ(Items()->GetCount(), 4);
  EXPECT_EQ(Tree->Root()->ItemCount(), 4);
}

TEST_F(TreeNode, MovingCheckedRadioUnchecksTheOtherParentsOne) {
  ZEZTreeNode* P = Items()->Add(nullptr, "p");
  ZEZTreeNode* Q = Items()->Add(nullptr, "q");
  ZEZTreeNode* R1 = Items()->AddChild(P, "r1");
  ZEZTreeNode* R2 = Items()->AddChild(Q, "r2");
  for (ZEZTreeNode* R : {R1, R2}) {
    R->SetNodeType(ntRadioButton);
    R->SetChecked(true);
  }
  R1->MoveTo(Q, naAddChild);
  EXPECT_EQ(Q->CheckedRadioChild(), R1);
  EXPECT_FALSE(R2->GetChecked());
  EXPECT_EQ(P->CheckedRadioChild(), nullptr);
}

TEST_F(TreeNode, DeletingSelectedSelectsNextOrPrevious) {
  ZEZTreeNode* A = Items()->Add(nullptr, "a");
  ZEZTreeNode* B = Items()->Add(nullptr, "b");
  ZEZTreeNode* C = Items()->Add(nullptr, "c");
  Items()->AddChild(B, "b1");
  LogEvents();
  Tree->SetSelected(B);
  EXPECT_EQ(Tree->Selected(), B);
  Log.clear();
  B->Delete();
  EXPECT_EQ(Joined(), "Deletion:b1 Change:c Deletion:b");
  EXPECT_EQ(Tree->Selected(), C);
  C->Delete();
  EXPECT_EQ(Tree->Selected(), A);
  // While locked, the new selection waits for EndUpdate.
  ZEZTreeNode* D = Items()->Add(nullptr, "d");
  Tree->SetSelected(A);
  Items()->BeginUpdate();
  A->Delete();
  EXPECT_EQ(Tree->Focused(), nullptr);
  EXPECT_EQ(Tree->Selected(), D);  // the deferred one
  Items()->EndUpdate();
  EXPECT_EQ(Tree->Focused(), D);
  EXPECT_EQ(Items()->GetCount(), 1);
}

TEST_F(TreeNode, ClearLeavesNoSelection) {
  ZEZTreeNode* A = Items()->Add(nullptr, "a");
  Items()->AddChild(A, "a1");
  Tree->SetSelected(A);
  Items()->Clear();
  EXPECT_EQ(Tree->Selected(), nullptr);
  EXPECT_EQ(Items()->GetCount(), 0);
  EXPECT_EQ(Items()->GetVisibleCount(), 0);
  EXPECT_EQ(Tree->TopItem(), nullptr);
}

TEST_F(TreeNode, SortIsStableAndDescendingReversesEqualKeys) {
  ZEZTreeNode* P = Items()->Add(nullptr, "p");
  int Tags[] = {0, 1, 2, 3};
  const char* Texts[] = {"b", "a", "c", "A"};  // "a" and "A" compare equal
  for (int I = 0; I < 4; ++I) {
    Items()->AddChildObject(P, Texts[I], &Tags[I]);
  }
  auto Order = [&] {
    std::string S;
    for (ZEZTreeNode* N = P->GetFirstChild(); N; N = N->GetNextSibling()) S += N->GetText();
    return S;
  };
  P->AlphaSort();
  EXPECT_EQ(Order(), "aAbc");
  Tree->SetSortOrder(soDescending);  // SortType none: no re-sort
  EXPECT_EQ(Order(), "aAbc");
  // Back to [b a c A]: a descending sort reverses equal keys.
  for (int I : {0, 1, 2, 3}) {
    for (ZEZTreeNode* N = P->GetFirstChild(); N; N = N->GetNextSibling()) {
      if (N->Data() == &Tags[I]) N->MoveTo(P, naAddChild);
    }
  }
  EXPECT_EQ(Order(), "bacA");
  P->AlphaSort();
  EXPECT_EQ(Order(), "cbAa");
}

TEST_F(TreeNode, SortCostsFewComparisonsOnOrderedInput) {
  ZEZTreeNode* P = Items()->Add(nullptr, "p");
  for (int I = 0; I < 1000; ++I) {
    char Buf[8];
    std::snprintf(Buf, sizeof Buf, "%04d", I);
    Items()->AddChild(P, Buf);
  }
  int Calls = 0;
  P->CustomSort([&](ZEZTreeNode* A, ZEZTreeNode* B, Integer) {
    ++Calls;
    return A->GetText().compare(B->GetText());
  }, 0);
  EXPECT_LE(Calls, 2 * 1000);
  EXPECT_EQ(P->GetFirstChild()->GetText(), "0000");
  EXPECT_EQ(P->GetLastChild()->GetText(), "0999");
}

TEST_F(TreeNode, ThrowingComparisonKeepsTheSiblingListWhole) {
  ZEZTreeNode* P = Items()->Add(nullptr, "p");
  for (const char* T : {"d", "c", "b", "a", "e"}) Items()->AddChild(P, T);
  int Calls = 0;
  EXPECT_THROW(P->CustomSort([&](ZEZTreeNode* A, ZEZTreeNode* B, Integer) -> Integer {
    if (++Calls == 3) throw Exception("boom");
    return A->GetText().compare(B->GetText());
  }, 0), Exception);
  EXPECT_EQ(P->GetCount(), 5);
  int Seen = 0;
  for (ZEZTreeNode* N = P->GetFirstChild(); N; N = N->GetNextSibling()) {
    ++Seen;
    EXPECT_EQ(N->InternalParent(), P);
  }
  EXPECT_EQ(Seen, 5);
  EXPECT_EQ(P->GetLastChild()->GetNextSibling(), nullptr);
}

TEST_F(TreeNode, SortedTreePlacesNewAndRenamedNodes) {
  Tree->SetSortType(stText);
  Items()->Add(nullptr, "m");
  Items()->Add(nullptr, "c");
  ZEZTreeNode* X = Items()->Add(nullptr, "x");
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "c m x");
  X->SetText("a");
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "a c m");
  // By data, with a handler, AddObject places by data.
  Tree->SetSortType(stData);
  Tree->OnCompare = [](TObject*, ZEZTreeNode* A, ZEZTreeNode* B, Integer, Integer& C) {
    C = static_cast<Integer>(reinterpret_cast<std::intptr_t>(A->Data()) - reinterpret_cast<std::intptr_t>(B->Data()));
  };
  Items()->Clear();
  Items()->AddObject(nullptr, "two", reinterpret_cast<void*>(2));
  Items()->AddObject(nullptr, "one", reinterpret_cast<void*>(1));
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "one two");
  // Without a handler, stData does not sort.
  Tree->OnCompare = nullptr;
  Items()->Clear();
  Items()->AddObject(nullptr, "b", reinterpret_cast<void*>(1));
  Items()->AddObject(nullptr, "a", reinterpret_cast<void*>(2));
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "b a");
}

TEST_F(TreeNode, AssignCopiesPropertiesAndChildren) {
  ZEZTree* Other = new ZEZTree(Form);
  Other->AfterConstruction();
  ZEZTreeNode* A = Other->Items()->Add(nullptr, "a");
  A->SetImageIndex(5);
  A->SetFontStyle(TFontStyles{fsBold});
  ZEZTreeNode* A1 = Other->Items()->AddChild(A, "a1");
  A1->SetStateIndex(2);
  A->Expand(false);
  Items()->Assign(Other->Items());
  ZEZTreeNode* B = Items()->GetFirstNode();
  EXPECT_EQ(Dump(B), "a(a1)");
  EXPECT_EQ(B->ImageIndex(), 5);
  EXPECT_TRUE(B->GetExpanded());
  EXPECT_TRUE(B->GetFontStyle().Contains(fsBold));
  EXPECT_FALSE(B->GetParentFont());
  EXPECT_EQ(B->GetFirstChild()->StateIndex(), 2);
  EXPECT_EQ(Items()->GetVisibleCount(), 2);
}

}  // namespace
