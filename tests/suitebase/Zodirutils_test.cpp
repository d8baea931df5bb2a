// The design tools' independent routines: memo text, tabs, tool window counters, colours, variants, shortcuts.
#include "platform/graphics/Colors.h"
#include "suitebase/Notifiers.h"
#include "platform/win/Resources.h"
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

namespace {

// A 2 x 2 icon file with 32-bit pixels, registered as an icon group of the program.
std::string TinyIcon() {
  std::string S;
  auto U16 = [&](unsigned V) {
    S += static_cast<char>(V & 0xFF);
    S += static_cast<char>((V >> 8) & 0xFF);
  };
  auto U32 = [&](unsigned V) {
    U16(V & 0xFFFF);
    U16(V >> 16);
  };
  U16(0), U16(1), U16(1);                                                         // header: one icon
  S += '\2', S += '\2', S += '\0', S += '\0', U16(1), U16(32), U32(64), U32(22);  // its entry
  U32(40), U32(2), U32(4), U16(1), U16(32), U32(0), U32(0), U32(0), U32(0), U32(0), U32(0);
  for (int I = 0; I < 4; ++I) {
    U32(0xFF0000FFu);  // opaque blue
  }
  S += std::string(8, '\0');  // the mask: all shown
  return S;
}

TEST(Zodirutils, IconsComeFromTheProgramsResources) {
  static const std::string Icon = TinyIcon();
  RegisterResource(RT_GROUP_ICON, "ZODIRTESTICON", Icon.data(), Icon.size());
  TCustomImageList List(nullptr);
  List.SetWidth(2);
  List.SetHeight(2);
  EXPECT_TRUE(AddIconFromAnyResource(&List, "ZODIRTESTICON"));
  EXPECT_EQ(List.Count(), 1);
  EXPECT_FALSE(AddIconFromAnyResource(&List, "NOSUCHICON"));
  EXPECT_FALSE(AddIconFromResource(&List, "", GetModuleHandle(nullptr)));
  EXPECT_EQ(List.Count(), 1);
}

}  // namespace
