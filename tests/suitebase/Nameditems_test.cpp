// Named items: lookup by name, change events and their order, the owner freed first, copying and streaming.
#include "suitebase/Nameditems.h"

#include "platform/rtl/Exceptions.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

using namespace Vivaridiriz;

namespace {
// A style-like item that publishes its name first.
class TTextStyle : public ZEZNamedItem {
  Z_CLASS(TTextStyle, ZEZNamedItem)
public:
  using ZEZNamedItem::ZEZNamedItem;
  int FColor = 0;
  std::string GetName() const { return Name(); }
  static void Publish(TMetaClass& Meta) {
    TPublisher<TTextStyle> P(Meta);
    P.Property("Name", &TTextStyle::GetName, &TTextStyle::SetName);
    P.Property("Color", &TTextStyle::FColor, &TTextStyle::FColor).Default(0);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TTextStyle, ZEZNamedItem, TTextStyle::Publish)

TTextStyle* AddStyle(TCollection& C, const std::string& Name, int Color = 0) {
  auto* S = static_cast<TTextStyle*>(C.Add());
  S->SetName(Name);
  S->FColor = Color;
  return S;
}
}  // namespace

TEST(Nameditems, LookupTakesTheFirstMatchIgnoringAsciiCase) {
  Dorazori::ZEZNamedItems Styles(nullptr, TTextStyle::StaticClass());
  AddStyle(Styles, "Comment");
  TTextStyle* Second = AddStyle(Styles, "comment");
  AddStyle(Styles, "\xC9t\xE9");  // "Été"
  AddStyle(Styles, "");
  EXPECT_EQ(Styles.IndexOfName("COMMENT"), 0);
  EXPECT_EQ(Styles.IndexOfName("\xE9t\xE9"), -1);  // accented letters are not folded
  EXPECT_EQ(Styles.IndexOfName("none"), -1);
  EXPECT_EQ(Styles.IndexOf(Second), 1);
  EXPECT_EQ(Styles.Items(3)->DisplayName(), "TTextStyle");
  EXPECT_EQ(Styles.Items(0)->DisplayName(), "Comment");
  EXPECT_EQ(Styles.Owner(), nullptr);
}

TEST(Nameditems, ChangesRaiseBothEventsInOrderButNamesDoNot) {
  Dorazori::ZEZNamedItems Styles(nullptr, TTextStyle::StaticClass());
  std::vector<std::string> Log;
  Styles.OnChange = [&Log](TObject*) { Log.push_back("change"); };
  Styles.OnUpdateItem = [&Log](TObject*, TCollectionItem* Item) {
    Log.push_back(Item != nullptr ? "item " + Item->DisplayName() : "item all");
  };
  TTextStyle* A = AddStyle(Styles, "A");
  Log.clear();
  A->SetName("B");
  A->SetDisplayName("C");
  EXPECT_TRUE(Log.empty());
  A->OnChange(nullptr);
  EXPECT_EQ(Log, (std::vector<std::string>{"change", "item C"}));
  Log.clear();
  AddStyle(Styles, "D");
  Styles.Items(1)->SetIndex(0);
  Styles.Delete(0);
  EXPECT_EQ(Log.size(), 6u);
  for (std::size_t I = 0; I < Log.size(); I += 2) {
    EXPECT_EQ(Log[I], "change");
    EXPECT_EQ(Log[I + 1].substr(0, 4), "item");
  }
}

TEST(Nameditems, TheOwnerFreedFirstIsForgotten) {
  auto* Owner = new TComponent(nullptr);
  Owner->SetName("Editor");
  Dorazori::ZEZNamedItems Styles(Owner, TTextStyle::StaticClass());
  EXPECT_EQ(Styles.Owner(), Owner);
  AddStyle(Styles, "A");
  delete Owner;
  EXPECT_EQ(Styles.OwnerComponent(), nullptr);
  EXPECT_EQ(Styles.Owner(), nullptr);
  AddStyle(Styles, "B");
  EXPECT_EQ(Styles.IndexOfName("b"), 1);
}

TEST(Nameditems, AssignCopiesPublishedPropertiesAndStreamsRoundTrip) {
  Dorazori::ZEZNamedItems Styles(nullptr, TTextStyle::StaticClass());
  TTextStyle* A = AddStyle(Styles, "Keyword", 0xFF);
  TTextStyle* B = AddStyle(Styles, "Other");
  B->Assign(A);
  EXPECT_EQ(B->Name(), "Keyword");
  EXPECT_EQ(B->FColor, 0xFF);
  TCollection Plain(TCollectionItem::StaticClass());
  EXPECT_THROW(B->Assign(&Plain), EConvertError);

  const std::string File = testing::TempDir() + "/sb_styles.bin";
  Styles.SaveToFile(File);
  Dorazori::ZEZNamedItems Back(nullptr, TTextStyle::StaticClass());
  AddStyle(Back, "replaced");
  Back.LoadFromFile(File);
  ASSERT_EQ(Back.Count(), 2);
  EXPECT_EQ(static_cast<TTextStyle*>(Back.Items(1))->Name(), "Keyword");
  EXPECT_EQ(static_cast<TTextStyle*>(Back.Items(1))->FColor, 0xFF);
  EXPECT_THROW(Back.LoadFromFile(File + ".missing"), EFOpenError);
}
