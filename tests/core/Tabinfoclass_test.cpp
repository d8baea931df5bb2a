// Document tabs: two controls sharing one document array keep their captions in step; closing tabs passes every
// control through a change and reselects only those whose current tab was closed.
#include "core/Tabinfoclass.h"
#include "core/Enginejobs.h"
#include "core/Fileinfoclass.h"

#include "FakeMainWindow.h"
#include "SettingsTestSupport.h"

#include <gtest/gtest.h>

namespace {

class Tabs : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    MakeRoot();
    Window = std::make_unique<FakeMainWindow>();
    Vol = prg->volatileState;
    for (FakeTabControl* C : {&First, &Second}) {
      auto* R = new tabinfoclass();
      R->Bind(C, Vol->documents, nullptr);
      EXPECT_GE(Vol->tabs->addPointer(R), 0);
    }
  }
  void TearDown() override {
    Root.reset();
    Window.reset();
    SettingsTest::TearDown();
  }
  // Opens a document named Name in both controls.
  int Open(const char* Name) {
    auto* D = new fileinfoclass(Vol->undoDocuments, Vol->documents);
    D->name = Name;
    D->onDisk = 1;
    EXPECT_GE(Vol->documents->addPointer(D), 0);
    return AddTabName(Vol->tabs, D->GetName(NAME_TAB_CAPTION), Vol->documents);
  }
  FakeTabControl First, Second;
  volatileclass* Vol = nullptr;
  std::unique_ptr<FakeMainWindow> Window;
};

TEST_F(Tabs, CaptionsStayInStepAcrossControls) {
  EXPECT_EQ(Open("/d/a.html"), 0);
  EXPECT_EQ(Open("/d/b.html"), 1);
  EXPECT_EQ(First.Captions, (std::vector<std::string>{"a.html", "b.html"}));
  EXPECT_EQ(Second.Captions, First.Captions);
  EXPECT_EQ(reinterpret_cast<tabinfoclass*>(First.Tag())->tabControl, &First);
  Second.Current = 1;
  fileinfoclass* B = GetTabControlDocument(&Second, -1);
  ASSERT_NE(B, nullptr);
  EXPECT_STREQ(B->name.text, "/d/b.html");
  EXPECT_EQ(B->tabIndex, 1);
  EXPECT_EQ(GetTabControlDocument(&Second, 5), nullptr);
  B->name = "/d/renamed.html";
  EXPECT_EQ(UpdateTabName(Vol->tabs, 1, Vol->documents, 0), 0);
  EXPECT_EQ(First.Captions[1], "renamed.html");
  EXPECT_EQ(Second.Captions[1], "renamed.html");
  EXPECT_EQ(UpdateTabName(Vol->tabs, 7, Vol->documents, 0), TAB_NO_DOCUMENT);
  EXPECT_EQ(UpdateTabName(Vol->tabs, 7, Vol->documents, 1), 1);
  // Controls that disagree on their tab count get no new tab.
  Second.Captions.pop_back();
  EXPECT_EQ(AddTabName(Vol->tabs, "c.html", Vol->documents), TAB_COUNTS_DIFFER);
  EXPECT_EQ(First.Captions.size(), 2u);
  PointerArrayManager Unbound;
  EXPECT_EQ(AddTabName(Vol->tabs, "x", &Unbound), -1);
  EXPECT_EQ(AddTabName(nullptr, "x", Vol->documents), TAB_BAD_ARGUMENTS);
}

TEST_F(Tabs, ClosingTabs) {
  for (const char* N : {"/d/a.html", "/d/b.html", "/d/c.html", "/d/d.html"}) {
    Open(N);
  }
  First.Current = 3;   // shows d
  Second.Current = 1;  // shows b
  First.IndexChanges.clear();
  Second.IndexChanges.clear();
  // Closing b: the second control's current tab is closed, the first keeps d (now at 2) after a change.
  EXPECT_EQ(DeleteTab(Vol->tabs, 1, Vol->documents, 1), 1);
  EXPECT_EQ(Vol->documents->getCount(), 3);
  EXPECT_EQ(First.Captions, (std::vector<std::string>{"a.html", "c.html", "d.html"}));
  EXPECT_EQ(Second.Captions, First.Captions);
  EXPECT_EQ(First.Current, 2);
  EXPECT_EQ(First.IndexChanges, (std::vector<int>{0, 2}));
  EXPECT_EQ(Second.Current, 1);
  ASSERT_EQ(Window->Selected.size(), 1u);
  EXPECT_EQ(Window->Selected[0], std::make_pair(static_cast<TComponent*>(&Second), 1));
  EXPECT_GT(First.Invalidated, 0);
  // Closing the current last tab makes the new last tab current; before the current one keeps the document.
  Window->Selected.clear();
  EXPECT_EQ(DeleteTab(Vol->tabs, 2, Vol->documents, 1), 2);
  EXPECT_EQ(First.Current, 1);
  ASSERT_EQ(Window->Selected.size(), 1u);
  EXPECT_EQ(Window->Selected[0].second, 1);
  // Flag 2: nothing is selected through the main window.
  Window->Selected.clear();
  First.Current = 0;
  Second.Current = 0;
  EXPECT_EQ(DeleteTab(Vol->tabs, 0, Vol->documents, 3), 0);
  EXPECT_TRUE(Window->Selected.empty());
  // The last tab: no tabs left, nothing selected.
  EXPECT_EQ(DeleteTab(Vol->tabs, 0, Vol->documents, 1), 0);
  EXPECT_TRUE(First.Captions.empty());
  EXPECT_EQ(First.Current, -1);
  EXPECT_TRUE(Window->Selected.empty());
  EXPECT_EQ(DeleteTab(Vol->tabs, -1, Vol->documents, 1), TAB_BAD_ARGUMENTS);
}

TEST_F(Tabs, ReplacingADocumentReselectsItsTab) {
  Open("/d/a.html");
  Open("/d/b.html");
  First.Current = 1;
  Second.Current = 0;
  auto* Replacement = new fileinfoclass(Vol->undoDocuments, Vol->documents);
  Replacement->name = "/d/new.html";
  Replacement->onDisk = 1;
  auto* Old = static_cast<fileinfoclass*>(Vol->documents->getPointer(1));
  EXPECT_EQ(tabinfoclass::UpdateForFileInfoChange(Vol->tabs, Replacement, 1, Vol->documents, 5), 0);
  EXPECT_EQ(Vol->documents->getPointer(1), Replacement);
  ASSERT_EQ(Window->Selected.size(), 1u);
  EXPECT_EQ(Window->Selected[0].first, &First);
  EXPECT_EQ(First.Captions[1], "new.html");
  delete Old;  // the array no longer owns it
}

}  // namespace

namespace {

TEST_F(Tabs, ScrollPositionsFollowTheDocumentsOfEachEditor) {
  Open("/d/a.html");
  Open("/d/b.html");
  Window->EditorTabs[0] = &First;
  Window->EditorTabs[1] = &Second;
  First.Current = 0;
  Second.Current = 1;
  Window->Scroll[0][0] = 4;
  Window->Scroll[0][1] = 120;
  Window->Scroll[1][1] = 7;
  SaveScrollPositions();
  auto* A = static_cast<fileinfoclass*>(Vol->documents->getPointer(0));
  auto* B = static_cast<fileinfoclass*>(Vol->documents->getPointer(1));
  EXPECT_EQ(A->scrollPosition1.column, 4);
  EXPECT_EQ(A->scrollPosition1.topLine, 120);
  EXPECT_EQ(B->scrollPosition2.topLine, 7);
  Window->Scroll[0][1] = 0;
  Window->Scroll[0][0] = 0;
  A->RestoreScrollPosition(0);
  EXPECT_EQ(Window->Scroll[0][1], 120);
  EXPECT_EQ(Window->Scroll[0][0], 4);
  A->ResetScrollPosition(A->scrollPosition1);
  EXPECT_EQ(A->scrollPosition1.topLine, 0);
}

TEST_F(Tabs, ResultPanelsShowTheirPlaceholderTexts) {
  FakeTabControl Panels[6];
  for (int I = 0; I < 6; ++I) {
    Window->Placeholders[I] = &Panels[I];
  }
  EXPECT_EQ(SetResultPanelsText(nullptr, 1), 0);
  ASSERT_EQ(Window->ControlTexts.size(), 6u);
  EXPECT_EQ(Window->ControlTexts[5], std::make_pair(static_cast<TComponent*>(&Panels[5]), std::string("Validating...")));
  Window->ControlTexts.clear();
  EXPECT_EQ(SetResultPanelsText(nullptr, 3), 0);
  EXPECT_EQ(Window->ControlTexts[0].second, "A problem occurred.");
  EXPECT_EQ(SetResultPanelsText(&Panels[2], 0), 1);
  EXPECT_EQ(Window->ControlTexts.back().second, "Validating...");
}

}  // namespace
