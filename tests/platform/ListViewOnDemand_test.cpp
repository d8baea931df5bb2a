// The list view with many items: texts and images asked for only when an item shows (TextCallback), list cells
// that never ask for them, scrolling by the bar's thumb past the 16 bits of a scroll message, and putting the
// items in an order sorted elsewhere.
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

// Answers LVN_GETDISPINFO with "<item>.<column>" and notes what was asked.
class TAskingList : public TListView {
public:
  using TListView::TListView;
  std::set<std::pair<int, int>> Asked;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(Message.LParam)->code == LVN_GETDISPINFO) {
      auto* Info = reinterpret_cast<NMLVDISPINFO*>(Message.LParam);
      Asked.insert({Info->item.iItem, Info->item.iSubItem});
      const std::string Text = std::to_string(Info->item.iItem) + "." + std::to_string(Info->item.iSubItem);
      snprintf(Info->item.pszText, static_cast<std::size_t>(Info->item.cchTextMax), "%s", Text.c_str());
      if (Info->item.mask & LVIF_IMAGE) {
        Info->item.iImage = 3;
      }
      Message.Result = 0;
      return;
    }
    TListView::Dispatch(Message);
  }
};

class ListViewOnDemand : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 420, 320);
    List = new TAskingList(Form);
    List->AfterConstruction();
    List->SetParent(Form);
    List->SetBounds(0, 0, 400, 300);
    List->SetViewStyle(vsReport);
    for (const char* Caption : {"Name", "Size"}) {
      TListColumn* C = List->Columns()->Add();
      C->SetCaption(Caption);
      C->SetWidth(120);
    }
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override { delete Form; }
  void Fill(int Count, bool Callback) {
    List->Items()->BeginUpdate();
    for (int I = 0; I < Count; ++I) {
      TListItem* Item = List->Items()->Add();
      Item->SubItems()->Add("");
      Item->SetTextCallback(Callback);
    }
    List->Items()->EndUpdate();
  }
  TForm* Form = nullptr;
  TAskingList* List = nullptr;
};

TEST_F(ListViewOnDemand, CallbackItemsAreAskedForTheirTextsOnlyWhileTheyShow) {
  Fill(20000, true);
  List->Asked.clear();
  List->Repaint();
  ASSERT_FALSE(List->Asked.empty());
  const int Rows = List->VisibleRowCount();
  for (const auto& [Item, Column] : List->Asked) {
    EXPECT_LE(Item, Rows);
    EXPECT_LE(Column, 1);
  }
  int Image = -1;
  EXPECT_EQ(List->DisplayText(List->Items()->Item(7), 1, nullptr), "7.1");
  EXPECT_EQ(List->DisplayText(List->Items()->Item(7), 0, &Image), "7.0");
  EXPECT_EQ(Image, 3);
  // The list style lays its cells out without asking for texts of items out of view.
  for (TViewStyle Style : {vsList, vsSmallIcon}) {
    List->SetViewStyle(Style);
    List->Asked.clear();
    List->Repaint();
    ASSERT_FALSE(List->Asked.empty());
    EXPECT_LT(List->Asked.rbegin()->first, 2000) << Style;
  }
  // Items without the mark show what they store and are never asked.
  List->Items()->Clear();
  Fill(3, false);
  List->Items()->Item(1)->SetCaption("stored");
  List->Asked.clear();
  List->Repaint();
  EXPECT_TRUE(List->Asked.empty());
  EXPECT_EQ(List->DisplayText(List->Items()->Item(1), 0, nullptr), "stored");
}

TEST_F(ListViewOnDemand, TheThumbScrollsPastTheSixteenBitsOfAScrollMessage) {
  Fill(70000, true);
  const int Right = List->ClientWidth();
  // The thumb sits at the top of the bar, below the arrow button; drag it to the bottom.
  const TPoint Grab = Point(Right + 8, 20);
  Harness::MouseMove(List->Handle(), Grab);
  Harness::MouseDown(List->Handle(), Grab);
  Harness::MouseMove(List->Handle(), Point(Grab.X, 150));
  Harness::MouseMove(List->Handle(), Point(Grab.X, 400));
  Harness::MouseUp(List->Handle(), Point(Grab.X, 400));
  Harness::RunUntilIdle();
  ASSERT_NE(List->TopItem(), nullptr);
  EXPECT_GT(List->TopItem()->Index(), 65535);
  EXPECT_EQ(List->TopItem()->Index() + List->VisibleRowCount(), 70000);
}

TEST_F(ListViewOnDemand, ItemsTakeAnOrderSortedElsewhereAndKeepTheFocus) {
  Fill(4, false);
  for (int I = 0; I < 4; ++I) {
    List->Items()->Item(I)->SetCaption(std::string(1, static_cast<char>('a' + I)));
  }
  List->Items()->Item(1)->SetFocused(true);
  EXPECT_FALSE(List->SortByOrder({0, 1, 1, 2}));  // not a permutation: nothing moves
  EXPECT_FALSE(List->SortByOrder({0, 1}));
  EXPECT_EQ(List->Items()->Item(0)->Caption(), "a");
  ASSERT_TRUE(List->SortByOrder({3, 1, 0, 2}));
  std::string Order;
  for (int I = 0; I < 4; ++I) {
    Order += List->Items()->Item(I)->Caption();
    EXPECT_EQ(List->Items()->Item(I)->Index(), I);
  }
  EXPECT_EQ(Order, "dbac");
  EXPECT_EQ(List->ItemFocused()->Caption(), "b");
}

TEST_F(ListViewOnDemand, SeveralItemsGoInOnePassEachAnnouncedAndTheFocusStaysOnASurvivor) {
  Fill(8, false);
  for (int I = 0; I < 8; ++I) {
    List->Items()->Item(I)->SetCaption(std::string(1, static_cast<char>('a' + I)));
  }
  List->Items()->Item(5)->SetFocused(true);
  std::string Announced;
  List->OnDeletion = [&](TObject*, TListItem* Item) { Announced += Item->Caption(); };
  EXPECT_THROW(List->Items()->DeleteSeveral({1, 9}), EListError);
  EXPECT_EQ(List->Items()->Count(), 8);
  List->Items()->DeleteSeveral({6, 1, 3, 1});
  EXPECT_EQ(Announced, "gdb");
  std::string Left;
  for (int I = 0; I < List->Items()->Count(); ++I) {
    Left += List->Items()->Item(I)->Caption();
    EXPECT_EQ(List->Items()->Item(I)->Index(), I);
  }
  EXPECT_EQ(Left, "acefh");
  EXPECT_EQ(List->ItemFocused()->Caption(), "f");
  List->Items()->DeleteSeveral({3});
  EXPECT_EQ(List->ItemFocused(), nullptr);
  List->OnDeletion = nullptr;  // the items left go with the form, after this scope
}

}  // namespace
