// The design tools' independent routines: memo text, tabs, tool window counters, colours, variants, shortcuts.
#include "platform/graphics/Colors.h"
#include "suitebase/Notifiers.h"
#include "suitebase/Zodirutils.h"
#include "tests/support/Forms.h"

using namespace Zodir;

namespace {

class TListener : public TObject {
public:
  TListener() { Dorazori::RegisterNotifier(this); }
  ~TListener() override { Dorazori::UnregisterNotifier(this); }
  void Dispatch(TMessage& M) override { Heard.push_back(M.Msg); }
  std::vector<UINT> Heard;
};

class ZodirTest : public TestSupport::TFormTest {};

TEST_F(ZodirTest, MemoTextAndTabs) {
  auto* Memo = TestSupport::Make<TMemo>(Form, Form, TRect{0, 0, 100, 60});
  Memo->SetText("a_b");
  CorrectMemoText(Memo);
  ASSERT_EQ(Memo->Lines()->Count(), 2);
  EXPECT_EQ(Memo->Lines()->Strings(1), "b");
  auto* Tabs = TestSupport::Make<TTabControl>(Form, Form, TRect{0, 70, 200, 120});
  for (const char* T : {"One", "Two", "Three"}) {
    Tabs->Tabs()->Add(T);
  }
  DeleteTab(Tabs, "Three");
  EXPECT_EQ(Tabs->TabIndex(), 1);
  DeleteTab(Tabs, "Nothing");
  EXPECT_EQ(Tabs->Tabs()->Count(), 2);
  DeleteTab(Tabs, "One");
  EXPECT_EQ(Tabs->TabIndex(), 0);
  EXPECT_EQ(Tabs->Tabs()->Strings(0), "Two");
}

TEST_F(ZodirTest, TheInspectorStaysUntilTheLastHide) {
  TListener L;
  ShowObjectInspector();
  ShowObjectInspector();
  HideObjectInspector();
  EXPECT_EQ(std::count(L.Heard.begin(), L.Heard.end(), Dorazori::SM_HIDEINSPECTOR), 0);
  HideObjectInspector();
  EXPECT_EQ(std::count(L.Heard.begin(), L.Heard.end(), Dorazori::SM_HIDEINSPECTOR), 1);
  EXPECT_EQ(std::count(L.Heard.begin(), L.Heard.end(), Dorazori::SM_SHOWINSPECTOR), 2);
}

TEST(Zodirutils, ColoursVariantsAndShortcuts) {
  EXPECT_EQ(GetRGBColor(clNone), 0xFFFFFFFFu);
  EXPECT_EQ(GetRGBColor(clDefault), 0xFF000000u);
  EXPECT_EQ(GetRGBColor(clRed), 0x000000FFu);
  EXPECT_EQ(CompareVariants(Variant(5), Variant(5)), 0);
  EXPECT_LT(CompareVariants(Variant(4), Variant(5)), 0);
  EXPECT_NE(CompareVariants(Variant(5), Variant(5.0)), 0);  // the type codes differ
  int Calls = 0;
  DCEnumShortCuts([&](TShortCut, void*) { ++Calls; }, nullptr);
  EXPECT_EQ(Calls, 108);
  std::vector<std::string> Names;
  DCEnumShortCutNames([&](const std::string& N) { Names.push_back(N); });
  ASSERT_EQ(Names.size(), 109u);
  EXPECT_EQ(Names[0], "");
  EXPECT_EQ(Names[1], "Ctrl+A");
  EXPECT_EQ(DelphiTypeToString(nullptr, 3), "Longint");
}

}  // namespace
