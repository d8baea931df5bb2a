// Tests of views: the viewer array following the item tree, and the layout of a small tree in pixels as a
// toolbar (horizontal, vertical, floating, wrapped), as a menu, in the plain and skinned looks, with a chevron.
#include "tests/toolbars/ToolbarTestHost.h"

#include "platform/controls/TestHarness.h"
#include "toolbars/Tbskins.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace TBTest;

namespace {

std::string RectText(const TRect& R) {
  std::ostringstream S;
  S << "(" << R.Left << "," << R.Top << "," << R.Right << "," << R.Bottom << ")";
  return S.str();
}

// "caption(rect)" of every shown viewer, in order; hidden ones as "caption hidden".
std::string Dump(TTBView* V) {
  V->ValidatePositions();
  std::string Out;
  for (int I = 0; I < V->ViewerCount(); ++I) {
    TTBItemViewer* VW = V->Viewers(I);
    std::string Name = VW->Item()->Caption().empty() ? "-" : VW->Item()->Caption();
    Out += (Out.empty() ? "" : " ") + Name + (VW->Show() ? RectText(VW->BoundsRect()) : " hidden");
  }
  return Out;
}

std::string Expect(std::initializer_list<std::pair<std::string, TRect>> Items) {
  std::string Out;
  for (const auto& [Name, R] : Items) {
    Out += (Out.empty() ? "" : " ") + Name + (R.Left < 0 ? std::string(" hidden") : RectText(R));
  }
  return Out;
}

const TRect Hidden = Rect(-1, -1, -1, -1);

class Tb2view : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 400, 300);
    Host = Make<THost>(Form);
    Host->SetParent(Form);
    Host->SetBounds(10, 10, 100, 50);
    Root = Make<TTBRootItem>(Form, "Root");
  }
  void TearDown() override {
    delete Form;
  }
  TTBView* MakeView(bool Toolbar) {
    auto* V = new TTBView(Host, nullptr, Root, Host, Toolbar, false, Toolbar);
    V->AfterConstruction();
    Host->View = V;
    return V;
  }
  void FourItems() {
    AddItem(Form, Root, "&Alpha");
    AddItem(Form, Root, "Beta");
    AddSeparator(Form, Root);
    AddItem(Form, Root, "Gamma");
  }
  TForm* Form = nullptr;
  THost* Host = nullptr;
  TTBRootItem* Root = nullptr;
  TTextMeasure M;
};

TEST_F(Tb2view, ViewersFollowTheTreeThroughGroups) {
  TTBView* V = MakeView(true);
  auto* A = AddItem(Form, Root, "A");
  auto* Group = Make<TTBGroupItem>(Form, "Group");
  Root->Add(Group);
  auto* G1 = AddItem(Form, Group, "G1");
  auto* B = AddItem(Form, Root, "B");
  AddItem(Form, Group, "G2");
  auto Captions = [V] {
    std::string S;
    for (int I = 0; I < V->ViewerCount(); ++I) {
      S += (S.empty() ? "" : " ") + (V->Viewers(I)->Item()->Caption().empty() ? "-" : V->Viewers(I)->Item()->Caption());
    }
    return S;
  };
  EXPECT_EQ(Captions(), "A - G1 G2 B");
  Group->Insert(0, Make<TTBItem>(Form, "G0"));
  Group->Items(0)->SetCaption("G0");
  EXPECT_EQ(Captions(), "A - G0 G1 G2 B");
  Root->Move(0, 2);
  EXPECT_EQ(Captions(), "- G0 G1 G2 B A");
  delete G1;
  EXPECT_EQ(Captions(), "- G0 G2 B A");
  delete Group;
  EXPECT_EQ(Captions(), "B A");
  EXPECT_EQ(V->Find(B)->Item(), B);
  EXPECT_THROW(V->Find(Root), ETBItemError);
  (void)A;
}

TEST_F(Tb2view, AnEmptyViewIs23By22) {
  TTBView* V = MakeView(true);
  AddSeparator(Form, Root);
  V->ValidatePositions();
  EXPECT_EQ(V->BaseSize(), (TPoint{23, 22}));
  EXPECT_EQ(Host->ClientWidth(), 23);
  EXPECT_EQ(Host->ClientHeight(), 22);
}

TEST_F(Tb2view, SeparatorsAreNeverDoubledLeadingOrTrailing) {
  TTBView* V = MakeView(true);
  AddSeparator(Form, Root);
  AddItem(Form, Root, "A");
  AddSeparator(Form, Root);
  AddSeparator(Form, Root);
  AddItem(Form, Root, "B");
  AddSeparator(Form, Root);
  const int W = M.Width("A") + 12;
  const int WB = M.Width("B") + 12;
  const int H = M.Height + 6;
  EXPECT_EQ(Dump(V), Expect({{"-", Hidden}, {"A", Rect(0, 0, W, H)}, {"-", Rect(W, 0, W + 6, H)}, {"-", Hidden},
                             {"B", Rect(W + 6, 0, W + 6 + WB, H)}, {"-", Hidden}}));
}

TEST_F(Tb2view, HorizontalToolbar) {
  TTBView* V = MakeView(true);
  FourItems();
  const int WA = M.Width("&Alpha") + 12;
  const int WB = M.Width("Beta") + 12;
  const int WG = M.Width("Gamma") + 12;
  const int H = M.Height + 6;
  EXPECT_EQ(Dump(V), Expect({{"&Alpha", Rect(0, 0, WA, H)}, {"Beta", Rect(WA, 0, WA + WB, H)},
                             {"-", Rect(WA + WB, 0, WA + WB + 6, H)},
                             {"Gamma", Rect(WA + WB + 6, 0, WA + WB + 6 + WG, H)}}));
  EXPECT_EQ(V->BaseSize(), (TPoint{WA + WB + 6 + WG, H}));
  EXPECT_EQ(Host->ClientWidth(), WA + WB + 6 + WG);
}

TEST_F(Tb2view, VerticalToolbarRotatesAndStacks) {
  TTBView* V = MakeView(true);
  V->SetOrientation(tbvoVertical);
  FourItems();
  const int W = M.Height + 6;
  const int HA = M.Width("&Alpha") + 12;
  const int HB = M.Width("Beta") + 12;
  const int HG = M.Width("Gamma") + 12;
  EXPECT_EQ(Dump(V), Expect({{"&Alpha", Rect(0, 0, W, HA)}, {"Beta", Rect(0, HA, W, HA + HB)},
                             {"-", Rect(0, HA + HB, W, HA + HB + 6)},
                             {"Gamma", Rect(0, HA + HB + 6, W, HA + HB + 6 + HG)}}));
}

TEST_F(Tb2view, FloatingToolbarKeepsItsMargins) {
  TTBView* V = MakeView(true);
  V->SetOrientation(tbvoFloating);
  AddItem(Form, Root, "Alpha");
  AddItem(Form, Root, "Be");
  const int WA = M.Width("Alpha") + 12;
  const int WB = M.Width("Be") + 12;
  const int H = M.Height + 6;
  EXPECT_EQ(Dump(V), Expect({{"Alpha", Rect(4, 2, 4 + WA, 2 + H)}, {"Be", Rect(4 + WA, 2, 4 + WA + WB, 2 + H)}}));
  EXPECT_EQ(Host->ClientWidth(), 4 + WA + WB + 4);
  EXPECT_EQ(Host->ClientHeight(), 2 + H + 1);
}

TEST_F(Tb2view, WrappedToolbarBreaksLinesAtSeparators) {
  TTBView* V = MakeView(true);
  // Equal widths keep the arithmetic plain.
  AddItem(Form, Root, "AA");
  AddItem(Form, Root, "AA");
  AddSeparator(Form, Root);
  for (int I = 0; I < 3; ++I) {
    AddItem(Form, Root, "AA");
  }
  const int W = M.Width("AA") + 12;
  const int H = M.Height + 6;
  V->SetWrapOffset(2 * W + 1);
  EXPECT_EQ(Dump(V), Expect({{"AA", Rect(0, 0, W, H)}, {"AA", Rect(W, 0, 2 * W, H)},
                             {"-", Rect(0, H, 2 * W + 1, H + 6)},
                             {"AA", Rect(0, H + 6, W, 2 * H + 6)}, {"AA", Rect(W, H + 6, 2 * W, 2 * H + 6)},
                             {"AA", Rect(0, 2 * H + 6, W, 3 * H + 6)}}));
  EXPECT_EQ(V->WrappedLines(), 3);
  EXPECT_EQ(Host->ClientWidth(), 2 * W + 1);
  EXPECT_EQ(Host->ClientHeight(), 3 * H + 6);
}

TEST_F(Tb2view, RightAlignedItemEndsAtTheWrapOffset) {
  TTBView* V = MakeView(true);
  AddItem(Form, Root, "AA");
  auto* B = AddItem(Form, Root, "BB");
  (void)B;
  const int W = M.Width("AA") + 12;
  const int H = M.Height + 6;
  // Right alignment is a style of the item kind; a help-menu style item is made by a subclass.
  struct TRightItem : TTBItem {
    explicit TRightItem(TComponent* O) : TTBItem(O) { FItemStyle.Include(tbisRightAlign); }
  };
  auto* R = new TRightItem(Form);
  R->AfterConstruction();
  R->SetCaption("AA");
  Root->Add(R);
  V->SetWrapOffset(4 * W);
  EXPECT_EQ(Dump(V), Expect({{"AA", Rect(0, 0, W, H)}, {"BB", Rect(W, 0, 2 * W, H)}, {"AA", Rect(2 * W, 0, 3 * W, H)}}));
  // Wrapped onto a second line, it ends at the wrap offset there.
  V->SetWrapOffset(2 * W + 2);
  EXPECT_EQ(Dump(V),
            Expect({{"AA", Rect(0, 0, W, H)}, {"BB", Rect(W, 0, 2 * W, H)}, {"AA", Rect(W + 2, H, 2 * W + 2, 2 * H)}}));
}

TEST_F(Tb2view, MenuLinesShareTheWidestWidth) {
  TTBView* V = MakeView(false);
  FourItems();
  Root->Items(1)->SetCaption("Beta\tCtrl+B");
  const int H = M.Height + M.ExternalLeading + 4;
  const int SepH = (2 * M.Height + 2) / 3;
  const int WA = M.Width("&Alpha") + H + 6 + H;
  const int WB = M.Width("Beta") + H + 6 + M.Width("Ctrl+B") + H - 6 + H;
  const int Widest = std::max(WA, WB);
  EXPECT_EQ(Dump(V), Expect({{"&Alpha", Rect(0, 0, Widest, H)}, {"Beta\tCtrl+B", Rect(0, H, Widest, 2 * H)},
                             {"-", Rect(0, 2 * H, Widest, 2 * H + SepH)},
                             {"Gamma", Rect(0, 2 * H + SepH, Widest, 3 * H + SepH)}}));
}

TEST_F(Tb2view, OfficeXPSkinMeasuresTaller) {
  auto* Skin = Make<TTBSkin>(Form, "Skin");
  Skin->SetSkinType(tbsOfficeXP);
  TTBView* V = MakeView(false);
  V->SetSkin(Skin);
  AddItem(Form, Root, "Alpha");
  AddSeparator(Form, Root);
  AddItem(Form, Root, "Beta");
  const int H = M.Height + 3 + M.ExternalLeading + 4 + 2;
  const int W = M.Width("Alpha") + H + 6 + H;
  EXPECT_EQ(Dump(V), Expect({{"Alpha", Rect(0, 0, W, H)}, {"-", Rect(0, H, W, H + 3)}, {"Beta", Rect(0, H + 3, W, 2 * H + 3)}}));
  TTBView* T = new TTBView(Form, nullptr, Root, nullptr, true, false, true);
  T->AfterConstruction();
  T->SetSkin(Skin);
  const int TH = 6 + M.Height + 3;
  T->ValidatePositions();
  EXPECT_EQ(T->Viewers(0)->BoundsRect(), Rect(0, 0, M.Width("Alpha") + 12, TH));
  EXPECT_EQ(T->Viewers(1)->BoundsRect(), Rect(M.Width("Alpha") + 12, 0, M.Width("Alpha") + 18, TH));
}

TEST_F(Tb2view, ImagesMeasureAsTheirSizeSays) {
  auto* List = Make<TImageList>(Form, "List");
  Root->SetSubMenuImages(List);
  TTBView* V = MakeView(true);
  auto* Img = AddItem(Form, Root, "");
  Img->SetImageIndex(0);
  V->ValidatePositions();
  EXPECT_EQ(V->Viewers(0)->BoundsRect(), Rect(0, 0, 23, 22));
  // In a menu the image column follows the line height; text-only-in-menus hides the image there.
  Img->SetCaption("Pic");
  Img->SetDisplayMode(nbdmTextOnlyInMenus);
  EXPECT_FALSE(V->Viewers(0)->CaptionShown());
  EXPECT_TRUE(V->Viewers(0)->ImageShown());
  TTBView* Menu = new TTBView(Form, nullptr, Root, nullptr, false, false, false);
  Menu->AfterConstruction();
  Menu->ValidatePositions();
  EXPECT_FALSE(Menu->Viewers(0)->ImageShown());
  const int H = std::max(M.Height + M.ExternalLeading + 4, 19);
  EXPECT_EQ(Menu->Viewers(0)->BoundsRect().Height(), H);
  EXPECT_EQ(Menu->Viewers(0)->BoundsRect().Width(), M.Width("Pic") + MulDiv(19, H, 19) + 6 + H);
}

TEST_F(Tb2view, ChevronHidesTheLowestPriorityItemsFirst) {
  auto* Chevron = Make<TChevron>(Form, "Chevron");
  auto* V = new TChevronView(Host, nullptr, Root, Host, true, false, true);
  V->Chevron = Chevron;
  V->AfterConstruction();
  Host->View = V;
  V->RecreateAllViewers();
  AddItem(Form, Root, "AA");
  AddItem(Form, Root, "AA");
  AddSeparator(Form, Root);
  AddItem(Form, Root, "AA");
  const int W = M.Width("AA") + 12;
  const int H = M.Height + 6;
  V->SetChevronSize(12);
  V->SetChevronOffset(2 * W + 15);  // room for two items and the 12-pixel chevron: the separator goes too
  V->ValidatePositions();
  ASSERT_EQ(V->ViewerCount(), 5);
  EXPECT_TRUE(V->Viewers(0)->Show());
  EXPECT_TRUE(V->Viewers(1)->Show());
  EXPECT_FALSE(V->Viewers(2)->Show());
  EXPECT_FALSE(V->Viewers(3)->Show());
  EXPECT_TRUE(V->Viewers(3)->OffEdge());
  // The chevron starts where the available length ends, or after the items when they are longer.
  EXPECT_EQ(V->Viewers(4)->BoundsRect(), Rect(2 * W + 3, 0, 2 * W + 15, H));
  EXPECT_TRUE(Chevron->Enabled());
  // With very little room one item stays.
  V->SetChevronOffset(5);
  V->ValidatePositions();
  EXPECT_TRUE(V->Viewers(0)->Show());
  EXPECT_FALSE(V->Viewers(1)->Show());
  EXPECT_EQ(V->Viewers(4)->BoundsRect(), Rect(W, 0, W + 12, H));
  // Enough room: no chevron.
  V->SetChevronOffset(1000);
  V->ValidatePositions();
  EXPECT_FALSE(V->Viewers(4)->Show());
  EXPECT_TRUE(V->Viewers(3)->Show());
}

TEST_F(Tb2view, ControlsHiddenBehindTheChevronLeaveItDisabled) {
  auto* Chevron = Make<TChevron>(Form, "Chevron");
  auto* V = new TChevronView(Host, nullptr, Root, Host, true, false, true);
  V->Chevron = Chevron;
  V->AfterConstruction();
  Host->View = V;
  V->RecreateAllViewers();
  AddItem(Form, Root, "AA");
  auto* Box = Make<THost>(Form);
  Box->SetParent(Host);
  Box->SetBounds(0, 0, 30, 10);
  auto* Wrapper = new TTBControlItem(Form, Box);
  Wrapper->AfterConstruction();
  Root->Add(Wrapper);
  const int W = M.Width("AA") + 12;
  const int H = M.Height + 6;
  V->SetChevronSize(12);
  V->SetChevronOffset(W + 20);
  V->ValidatePositions();
  EXPECT_FALSE(V->Viewers(1)->Show());
  EXPECT_TRUE(V->Viewers(1)->OffEdge());
  EXPECT_FALSE(Chevron->Enabled());
  // The control waits just outside the visible area.
  EXPECT_GE(Box->Left(), Host->ClientWidth());
  std::vector<TWinControl*> OffEdge;
  V->GetOffEdgeControlList(OffEdge);
  EXPECT_EQ(OffEdge, std::vector<TWinControl*>{Box});
  // With room for it, the control sits in its item's place.
  V->SetChevronOffset(0);
  V->ValidatePositions();
  EXPECT_TRUE(V->Viewers(1)->Show());
  EXPECT_EQ(Box->BoundsRect(), Rect(W, (H - 10) / 2, W + 30, (H - 10) / 2 + 10));
}

TEST_F(Tb2view, TallPopupsScrollBehindArrows) {
  TTBView* V = MakeView(false);
  for (int I = 0; I < 10; ++I) {
    AddItem(Form, Root, "Item" + std::to_string(I));
  }
  const int H = M.Height + M.ExternalLeading + 4;
  V->SetMaxHeight(4 * H);
  V->ValidatePositions();
  EXPECT_FALSE(V->ShowUpArrow());
  EXPECT_TRUE(V->ShowDownArrow());
  EXPECT_EQ(Host->ClientHeight(), 4 * H);
  int Shown = 0;
  for (int I = 0; I < V->ViewerCount(); ++I) {
    if (V->Viewers(I)->Show()) {
      ++Shown;
      EXPECT_LE(V->Viewers(I)->BoundsRect().Bottom, 4 * H - 19);
    } else {
      EXPECT_TRUE(V->Viewers(I)->Clipped());
    }
  }
  EXPECT_EQ(Shown, (4 * H - 19) / H);
}

}  // namespace
