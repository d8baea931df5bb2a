// Editing node texts in place: opening by a second click, committing, cancelling, validation and the editors'
// own sizing, driven through the harness.
#include "TreeTestUtil.h"

#include "treeview/Dcntreeeditor.h"

#include "platform/rtl/Exceptions.h"
#include "platform/win/Clock.h"

#include <functional>

using namespace TreeTest;

namespace {

class EditTest : public TreeFixture {
protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Clock = std::make_unique<TManualClock>();
    Scoped = std::make_unique<TScopedClock>(*Clock);
    A = Items()->Add(nullptr, "alpha");
    B = Items()->Add(nullptr, "beta");
    Tree->OnEdited = [this](TObject*, ZEZTreeNode* N, std::string& T) { Log.push_back("Edited:" + N->GetText() + ">" + T); };
    Tree->OnAfterEditing = [this](TObject*, ZEZTreeNode* N, bool C) {
      Log.push_back(std::string("After:") + N->GetText() + (C ? ":cancel" : ":ok"));
    };
  }
  void TearDown() override {
    TreeFixture::TearDown();
    Scoped.reset();
  }
  TPoint LabelPoint(ZEZTreeNode* N) {
    const TRect R = N->DisplayRect(true);
    return Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  }
  void ClickOn(ZEZTreeNode* N) {
    Harness::Click(Tree->Handle(), LabelPoint(N));
    Harness::RunUntilIdle();
  }
  TControl* OpenBySecondClick(ZEZTreeNode* N) {
    ClickOn(N);
    Clock->Advance(1000);
    ClickOn(N);
    Harness::Advance(*Clock, 800);
    return Tree->Editor();
  }
  std::unique_ptr<TManualClock> Clock;
  std::unique_ptr<TScopedClock> Scoped;
  ZEZTreeNode* A = nullptr;
  ZEZTreeNode* B = nullptr;
};

TEST_F(EditTest, SecondClickOpensTheEditorOverTheLabelAfterTheDelay) {
  Show();
  ClickOn(A);
  EXPECT_FALSE(Tree->EditTimerRunning());
  Clock->Advance(1000);
  ClickOn(A);
  EXPECT_TRUE(Tree->EditTimerRunning());
  Harness::Advance(*Clock, 700);
  EXPECT_FALSE(Tree->IsEditing());
  Harness::Advance(*Clock, 100);
  ASSERT_TRUE(Tree->IsEditing());
  auto* E = dynamic_cast<ZEZTreeSimpleEditor*>(Tree->Editor());
  ASSERT_NE(E, nullptr);
  EXPECT_TRUE(E->Visible());
  EXPECT_EQ(E->GetText(), "alpha");
  const TRect R = A->DisplayRect(true);
  EXPECT_EQ(E->Left(), R.Left);
  EXPECT_LE(E->BoundsRect().Right, Tree->ClientWidth());
  EXPECT_EQ(Tree->EditingNode(), A);
}

TEST_F(EditTest, DoubleClickOpensNoEditor) {
  Show();
  ClickOn(A);
  Clock->Advance(1000);
  Harness::DoubleClick(Tree->Handle(), LabelPoint(A));
  Harness::Advance(*Clock, 1000);
  EXPECT_FALSE(Tree->IsEditing());
}

TEST_F(EditTest, ReadOnlyStartsTheTimerButOpensNothing) {
  Tree->ReadOnly = true;
  Show();
  ClickOn(A);
  Clock->Advance(1000);
  ClickOn(A);
  Harness::Advance(*Clock, 800);
  EXPECT_FALSE(Tree->IsEditing());
  EXPECT_FALSE(Tree->EditNode(A));
}

TEST_F(EditTest, EnterCommitsTypedTextEscapeCancels) {
  Show();
  ASSERT_NE(OpenBySecondClick(A), nullptr);
  Harness::KeyPress(VK_END);
  Harness::TypeText("X");
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_FALSE(Tree->IsEditing());
  EXPECT_EQ(A->GetText(), "alphaX");
  EXPECT_EQ(Joined(), "Edited:alpha>alphaX After:alphaX:ok");
  Log.clear();
  ASSERT_NE(OpenBySecondClick(A), nullptr);
  Harness::TypeText("zz");
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_EQ(A->GetText(), "alphaX");
  EXPECT_EQ(Joined(), "After:alphaX:cancel");
}

TEST_F(EditTest, UnchangedTextRaisesNoEditedEvent) {
  Show();
  ASSERT_TRUE(Tree->EditNode(B));
  Harness::RunUntilIdle();
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_EQ(Joined(), "After:beta:ok");
  EXPECT_EQ(B->GetText(), "beta");
}

TEST_F(EditTest, ClickElsewhereAndSelectionChangeCommit) {
  Show();
  ASSERT_TRUE(Tree->EditNode(A));
  Harness::RunUntilIdle();
  Harness::TypeText("q");
  Harness::RunUntilIdle();
  ClickOn(B);
  EXPECT_FALSE(Tree->IsEditing());
  EXPECT_EQ(Joined(), "Edited:alpha>alphaq After:alphaq:ok");
  EXPECT_EQ(Tree->Selected(), B);
}

TEST_F(EditTest, FocusLossScrollsAndTopItemChangesCommit) {
  for (int I = 0; I < 40; ++I)
    Items()->Add(nullptr, "row " + std::to_string(I));
  auto* Other = new TEdit(Form);
  Other->AfterConstruction();
  Other->SetParent(Form);
  Other->SetBounds(10, 260, 100, 21);
  Show();
  struct Case {
    const char* Name;
    std::function<void()> Trigger;
  } Cases[] = {
      {"focus moves away", [&] { Other->SetFocus(); }},
      {"wheel", [&] { Harness::Wheel(Tree->Handle(), Point(40, 40), -1); }},
      {"scroll bar", [&] { SendMessage(Tree->Handle(), WM_VSCROLL, SB_LINEDOWN, 0); }},
      {"top item", [&] { Tree->SetTopItem(Items()->GetLastNode()); }},
      {"selection", [&] { Tree->SetSelected(B); }},
  };
  for (const auto& C : Cases) {
    Tree->SetTopItem(Items()->GetFirstNode());
    Tree->SetFocus();
    Harness::RunUntilIdle();
    Log.clear();
    A->SetText("alpha");
    ASSERT_TRUE(Tree->EditNode(A)) << C.Name;
    Harness::RunUntilIdle();
    Harness::TypeText("q");
    Harness::RunUntilIdle();
    C.Trigger();
    Harness::RunUntilIdle();
    EXPECT_FALSE(Tree->IsEditing()) << C.Name;
    EXPECT_EQ(A->GetText(), "alphaq") << C.Name;
    EXPECT_EQ(Joined(), "Edited:alpha>alphaq After:alphaq:ok") << C.Name;
  }
}

TEST_F(EditTest, ValidationCanCancelOrKeepEditing) {
  Show();
  ZEZValidateCode Answer = vcContinueEditing;
  Tree->OnValidateEditText = [&](TObject*, ZEZTreeNode*, std::string& T, ZEZValidateCode& C) {
    for (char& Ch : T) Ch = static_cast<char>(std::toupper(static_cast<unsigned char>(Ch)));
    C = Answer;
  };
  ASSERT_TRUE(Tree->EditNode(A));
  Harness::RunUntilIdle();
  EXPECT_THROW(Tree->EndEditNode(false), EAbort);
  EXPECT_TRUE(Tree->IsEditing());
  EXPECT_EQ(Tree->Editor()->GetText(), "ALPHA");
  Answer = vcCancel;
  Tree->EndEditNode(false);
  EXPECT_FALSE(Tree->IsEditing());
  EXPECT_EQ(A->GetText(), "alpha");
  EXPECT_EQ(Joined(), "After:alpha:cancel");
}

TEST_F(EditTest, TheEditorGrowsWithTheTextWithinTheClientArea) {
  Show();
  ASSERT_TRUE(Tree->EditNode(A));
  Harness::RunUntilIdle();
  const Integer W0 = Tree->Editor()->Width();
  Harness::KeyPress(VK_END);
  Harness::TypeText("WWW");
  Harness::RunUntilIdle();
  EXPECT_GT(Tree->Editor()->Width(), W0);
  Harness::TypeText(std::string(80, 'W'));
  Harness::RunUntilIdle();
  EXPECT_LE(Tree->Editor()->BoundsRect().Right, Tree->ClientWidth());
}

TEST_F(EditTest, MultiLineNodesUseTheMemoEditor) {
  Tree->SetMultiLineNodes(true);
  Show();
  ASSERT_TRUE(Tree->EditNode(A));
  EXPECT_NE(dynamic_cast<ZEZTreeMemoEditor*>(Tree->Editor()), nullptr);
  Tree->EndEditNode(true);
  EXPECT_FALSE(Tree->IsEditing());
}

}  // namespace
