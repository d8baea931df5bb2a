// The shared text stores of the run-time state and the set-up of a text store.
#include "SettingsTestSupport.h"

#include "core/Mainsetup.h"

#include "editor/Easyeditsource.h"

using SharedSources = SettingsTest;

TEST_F(SharedSources, CreatedReadOnlyWhereTheyShowFixedText) {
  MakeRoot();
  volatileclass& V = *prg->volatileState;
  EXPECT_EQ(V.CreateSharedSources(0), 0);
  EXPECT_EQ(V.emptySource, nullptr);
  ASSERT_EQ(V.CreateSharedSources(SHARED_SOURCES_CREATE), 0);
  ASSERT_NE(V.emptySource, nullptr);
  EXPECT_TRUE(V.emptySource->ReadOnly());
  EXPECT_TRUE(V.structurePlaceholderSource->ReadOnly());
  EXPECT_EQ(V.structurePlaceholderSource->Strings()->Count(), 1);
  EXPECT_EQ(V.structurePlaceholderSource->Strings()->Get(0), STRUCTURE_PLACEHOLDER_TEXT);
  EXPECT_FALSE(V.scratchPad1Source->ReadOnly());
  EXPECT_TRUE(V.resultsMessageSource->UseGlobalSettings);
  EXPECT_TRUE(V.resultsMessageSource->Options().Contains(srLeaveTabs));
  EXPECT_FALSE(V.resultsMessageSource->Options().Contains(srHighlightUrls));
  EXPECT_EQ(V.resultsMessageSource->GetTabStops(), "3,6,9,12");
  // A second creation replaces the sources.
  ASSERT_EQ(V.CreateSharedSources(SHARED_SOURCES_CREATE), 0);
  EXPECT_TRUE(V.emptySource->ReadOnly());
}

TEST_F(SharedSources, UnusableTabStopsAreReset) {
  MakeRoot();
  prg->editorOptions->tabStops.assign("9,3,x");
  TEasyEditSource Source(nullptr);
  EXPECT_EQ(SetupEditSource(&Source, EDITSOURCE_DOCUMENT), 0);
  EXPECT_STREQ(prg->editorOptions->tabStops.text, "3,6,9,12");
  EXPECT_EQ(Source.GetTabStops(), "3,6,9,12");
  EXPECT_EQ(SetupEditSource(nullptr, 0), -1);
}

