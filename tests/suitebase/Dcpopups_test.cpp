// The free-standing popup list: its width from the measured columns, its place on the screen, and the keys of its
// parent choosing or cancelling.
#include "platform/win/VirtualKeys.h"
#include "suitebase/Dcpopups.h"
#include "tests/support/Forms.h"

#include <cmath>

using namespace Dcedit;

namespace {

class PopupTest : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    Owner = TestSupport::Make<TEdit>(Form, Form, TRect{10, 10, 200, 31});
    Form->Show();
    Owner->SetFocus();
    Harness::RunUntilIdle();
    for (const char* S : {"first|~int~ alpha", "second|double beta and more", "third|x"}) {
      Items.Add(S);
    }
  }
  TEdit* Owner = nullptr;
  TStringList Items;
  std::vector<int> Chosen;
  TPopupListBoxCallback Record = [this](TObject*, int Index) { Chosen.push_back(Index); };
};

TEST_F(PopupTest, AClickOutsideOrTheApplicationLosingActivationCancels) {
  std::unique_ptr<ZEZPopupListBox> List(
      PopupListbox(Owner, &Items, 0, 20, {Dccontrols::lrLeftJustify}, nullptr, Record, 0));
  Harness::RunUntilIdle();
  ASSERT_TRUE(List->Shown());
  Harness::Click(List->Handle(), TPoint{3, 3});  // inside: the list goes on
  Harness::RunUntilIdle();
  Chosen.clear();
  if (!List->Shown()) {
    List->Popup(100, 100);  // a click inside accepts, as in a drop-down list
  }
  Harness::Click(Form->Handle(), TPoint{Form->ClientWidth() - 5, Form->ClientHeight() - 5});
  Harness::RunUntilIdle();
  EXPECT_FALSE(List->Shown());
  EXPECT_EQ(Chosen, std::vector<int>{-1});

  List->Popup(100, 100);
  SendMessage(Application->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  Harness::RunUntilIdle();
  EXPECT_FALSE(List->Shown());
  EXPECT_EQ(Chosen, (std::vector<int>{-1, -1}));
  // Once closed, the hooks are gone: the application's activation changes reach no list.
  SendMessage(Application->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  Harness::RunUntilIdle();
  EXPECT_EQ(Chosen.size(), 2u);
}

TEST_F(PopupTest, WidthComesFromTheColumnsAndIsScaledToMaxSize) {
  std::unique_ptr<ZEZPopupListBox> Wide(
      PopupListbox(Owner, &Items, 0, 0, {Dccontrols::lrLeftJustify, Dccontrols::lrRightJustify}, nullptr, Record, 0));
  ASSERT_EQ(Wide->MeasuredColumnCount(), 2);
  const int W0 = Wide->MeasuredWidth(0);
  const int W1 = Wide->MeasuredWidth(1);
  const int Natural = 8 + W0 + W1;
  EXPECT_GE(Wide->ClientWidth(), Natural);
  Wide->Close(false);
  std::unique_ptr<ZEZPopupListBox> Narrow(
      PopupListbox(Owner, &Items, 0, 0, {Dccontrols::lrLeftJustify, Dccontrols::lrLeftJustify}, nullptr, Record, 60));
  ASSERT_GT(Natural, 60);
  // Each column scaled by 60 / Natural, rounded.
  EXPECT_EQ(Narrow->MeasuredWidth(0), static_cast<int>(std::lround(W0 * 60.0 / Natural)));
  EXPECT_EQ(Narrow->MeasuredWidth(1), static_cast<int>(std::lround(W1 * 60.0 / Natural)));
  Narrow->Close(false);
}

TEST_F(PopupTest, NearTheBottomRightItOpensAboveAndLeftOfThePoint) {
  const int W = GetSystemMetrics(SM_CXSCREEN);
  const int H = GetSystemMetrics(SM_CYSCREEN);
  const TPoint Corner = Owner->ScreenToClient(TPoint{W - 5, H - 5});
  std::unique_ptr<ZEZPopupListBox> List(
      PopupListbox(Owner, &Items, Corner.X, Corner.Y, {Dccontrols::lrLeftJustify}, nullptr, Record, 0));
  RECT R;
  GetWindowRect(List->Handle(), &R);
  EXPECT_EQ(R.Right, W - 5);
  EXPECT_EQ(R.Bottom, H - 5);
  List->Close(false);
}

TEST_F(PopupTest, TheParentsKeysChooseOrCancel) {
  std::unique_ptr<ZEZPopupListBox> List(
      PopupListbox(Owner, &Items, 0, 20, {Dccontrols::lrLeftJustify}, nullptr, Record, 0));
  EXPECT_TRUE(IsWindowVisible(List->Handle()));
  Harness::KeyPress(VK_DOWN);
  Harness::KeyPress(VK_DOWN);
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  ASSERT_EQ(Chosen, std::vector<int>{2});
  EXPECT_FALSE(List->Shown());
  EXPECT_EQ(Owner->Text(), "");  // the keys went to the list, not the edit
  List->Popup(100, 100);
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_EQ(Chosen, (std::vector<int>{2, -1}));
  Harness::TypeText("a");
  Harness::RunUntilIdle();
  EXPECT_EQ(Owner->Text(), "a");  // closed: the edit has its keys back
}

}  // namespace
