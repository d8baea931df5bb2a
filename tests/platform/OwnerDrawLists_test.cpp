// Owner-drawn list and combo boxes in the real widgets: row heights from the owner's measurements used for layout
// and hit-testing, rows and the selection field drawn by the owner, and how many rows an open combo list shows.
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/ListControls.h"
#include "platform/win/WinMenu.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

template <class T> T* Make(TComponent* Owner, TWinControl* Parent, const std::string& Name, TRect Bounds) {
  auto* C = new T(Owner);
  C->AfterConstruction();
  C->SetName(Name);
  C->SetParent(Parent);
  C->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
  return C;
}

struct TDrawn {
  int Index;
  TRect Rect;
  TOwnerDrawState State;
};

// The box around the pixels of one colour in a picture; empty when there are none.
TRect Extent(const Harness::TSavedImage& Image, TColor Color) {
  const COLORREF C = ColorToRGB(Color);
  const std::uint32_t Want = 0xFF000000u | (GetRValue(C) << 16) | (GetGValue(C) << 8) | GetBValue(C);
  TRect R{Image.Width, Image.Height, 0, 0};
  for (int Y = 0; Y < Image.Height; ++Y) {
    for (int X = 0; X < Image.Width; ++X) {
      if (Image.At(X, Y) == Want) {
        R = Rect(std::min(R.Left, X), std::min(R.Top, Y), std::max(R.Right, X + 1), std::max(R.Bottom, Y + 1));
      }
    }
  }
  return R.Right > R.Left ? R : Rect(0, 0, 0, 0);
}

Harness::TSavedImage Picture(HWND Wnd, const std::string& Name) {
  const std::string File = ::testing::TempDir() + Name + ".png";
  Harness::TSavedImage Image;
  EXPECT_TRUE(Harness::SaveWindowPng(Wnd, File));
  EXPECT_TRUE(Harness::LoadPng(File, Image));
  return Image;
}

class OwnerDrawLists : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 360, 300);
  }
  void TearDown() override {
    Harness::RunUntilIdle();
    delete Form;
  }
  // Logs every draw; rows are filled with their own colour, the rest left to the class library's drawing.
  TDrawItemEvent Logger(TCanvas* Canvas) {
    return [this, Canvas](TWinControl*, int Index, const TRect& R, TOwnerDrawState State) {
      Drawn.push_back({Index, R, State});
      auto It = Colors.find(Index);
      Canvas->Brush()->SetColor(It != Colors.end() ? It->second : clWindow);
      Canvas->FillRect(R);
    };
  }
  const TDrawn* LastDraw(int Index, bool Edit = false) const {
    for (auto It = Drawn.rbegin(); It != Drawn.rend(); ++It) {
      if (It->Index == Index && It->State.Contains(odComboBoxEdit) == Edit) return &*It;
    }
    return nullptr;
  }
  TForm* Form = nullptr;
  std::vector<TDrawn> Drawn;
  std::map<int, TColor> Colors;
};

TEST_F(OwnerDrawLists, AFixedListLaysOutItsRowsAtItsItemHeightAndHasThemDrawn) {
  auto* List = Make<TListBox>(Form, Form, "List1", Rect(10, 10, 170, 110));
  List->SetStyle(lbOwnerDrawFixed);
  List->SetItemHeight(24);
  int Measured = 0;
  List->OnMeasureItem = [&](TWinControl*, int, int&) { ++Measured; };
  List->OnDrawItem = Logger(List->Canvas());
  Colors = {{1, clRed}, {2, clBlue}};
  List->Items()->SetCommaText("A,B,C,D,E,F,G,H,I,J");
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_EQ(Measured, 0);  // a fixed-height box asks only for its one height
  EXPECT_EQ(List->ItemHeight(), 24);
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(List->ItemRect(I).Top, 24 * I);
    EXPECT_EQ(List->ItemRect(I).Height(), 24);
  }
  EXPECT_EQ(List->ItemAtPos(Point(5, 2 * 24 + 3), true), 2);
  EXPECT_EQ(List->ItemAtPos(Point(5, 24 - 1), true), 0);

  // The visible rows are drawn, each at its rectangle in the list's client coordinates, unselected; the rows
  // below the list are not.
  const Harness::TSavedImage Image = Picture(List->Handle(), "ownerdraw_fixed");
  for (int I = 0; I < 3; ++I) {
    const TDrawn* D = LastDraw(I);
    ASSERT_NE(D, nullptr) << I;
    EXPECT_EQ(D->Rect, List->ItemRect(I));
    EXPECT_FALSE(D->State.Contains(odSelected));
  }
  EXPECT_EQ(LastDraw(9), nullptr);
  // What the owner drew is what the list shows: a red row and a blue row, each 24 pixels high, one above the other.
  const TRect Red = Extent(Image, clRed);
  const TRect Blue = Extent(Image, clBlue);
  EXPECT_EQ(Red.Height(), 24);
  EXPECT_EQ(Blue.Height(), 24);
  EXPECT_EQ(Blue.Top, Red.Bottom);
  EXPECT_GT(Red.Width(), 100);

  // A click selects the row under it by the owner's heights; the row is drawn again, selected and focused.
  Drawn.clear();
  Harness::Click(List->Handle(), Point(5, 2 * 24 + 20));
  Harness::RunUntilIdle();
  Picture(List->Handle(), "ownerdraw_fixed_selected");
  EXPECT_EQ(List->ItemIndex(), 2);
  const TDrawn* Sel = LastDraw(2);
  ASSERT_NE(Sel, nullptr);
  EXPECT_TRUE(Sel->State.Contains(odSelected));
  EXPECT_TRUE(Sel->State.Contains(odFocused));

  // A disabled list draws its rows disabled.
  List->SetEnabled(false);
  Harness::RunUntilIdle();
  Picture(List->Handle(), "ownerdraw_fixed_disabled");
  ASSERT_NE(LastDraw(0), nullptr);
  EXPECT_TRUE(LastDraw(0)->State.Contains(odDisabled));
}

TEST_F(OwnerDrawLists, AVariableListAsksForEachItemAndUsesTheHeightsForLayoutAndClicks) {
  auto* List = Make<TListBox>(Form, Form, "List1", Rect(10, 10, 170, 200));
  List->SetStyle(lbOwnerDrawVariable);
  std::vector<int> Asked;
  List->OnMeasureItem = [&](TWinControl* Control, int Index, int& Height) {
    EXPECT_EQ(Control, List);
    Asked.push_back(Index);
    Height = 10 + 6 * Index;
  };
  List->OnDrawItem = Logger(List->Canvas());
  Colors = {{3, clLime}};
  List->Items()->SetCommaText("a,b,c,d");
  EXPECT_EQ(Asked, (std::vector<int>{0, 1, 2, 3}));
  Form->Show();
  Harness::RunUntilIdle();
  int Top = 0;
  for (int I = 0; I < 4; ++I) {
    const TRect R = List->ItemRect(I);
    EXPECT_EQ(R.Top, Top) << I;
    EXPECT_EQ(R.Height(), 10 + 6 * I) << I;
    EXPECT_EQ(SendMessage(List->Handle(), LB_GETITEMHEIGHT, static_cast<WPARAM>(I), 0), 10 + 6 * I);
    Top = R.Bottom;
  }
  // Rows 0..2 end at 10 + 16 + 22 = 48: y 47 is in row 2, y 49 in row 3 (28 high).
  EXPECT_EQ(List->ItemAtPos(Point(5, 47), true), 2);
  EXPECT_EQ(List->ItemAtPos(Point(5, 49), true), 3);
  Harness::Click(List->Handle(), Point(5, 49));
  Harness::RunUntilIdle();
  EXPECT_EQ(List->ItemIndex(), 3);
  Harness::Click(List->Handle(), Point(5, 47));
  Harness::RunUntilIdle();
  EXPECT_EQ(List->ItemIndex(), 2);
  Harness::Click(List->Handle(), Point(5, 10));
  Harness::RunUntilIdle();
  EXPECT_EQ(List->ItemIndex(), 1);
  EXPECT_EQ(Extent(Picture(List->Handle(), "ownerdraw_variable"), clLime).Height(), 28);

  // One item's height set afterwards moves the rows below it.
  SendMessage(List->Handle(), LB_SETITEMHEIGHT, 0, 30);
  Harness::RunUntilIdle();
  EXPECT_EQ(List->ItemRect(1).Top, 30);
  EXPECT_EQ(SendMessage(List->Handle(), LB_SETITEMHEIGHT, 9, 30), LB_ERR);
}

TEST_F(OwnerDrawLists, WithoutADrawHandlerTheListDrawsItsText) {
  auto* List = Make<TListBox>(Form, Form, "List1", Rect(10, 10, 170, 110));
  List->SetStyle(lbOwnerDrawFixed);
  List->SetItemHeight(20);
  List->Items()->SetCommaText("Alpha,Beta");
  List->SetItemIndex(1);
  Form->Show();
  Harness::RunUntilIdle();
  // The selected row is filled in the highlight colour with its text on it.
  const Harness::TSavedImage Image = Picture(List->Handle(), "ownerdraw_default");
  const TRect Highlight = Extent(Image, clHighlight);
  EXPECT_EQ(Highlight.Height(), 20);
  EXPECT_EQ(Extent(Image, clHighlightText).Height() > 4, true);
}

TEST_F(OwnerDrawLists, ACombosFieldAndListRowsAreDrawnByTheOwner) {
  auto* Combo = Make<TComboBox>(Form, Form, "Combo1", Rect(10, 10, 170, 34));
  Combo->SetStyle(csOwnerDrawFixed);
  Combo->SetItemHeight(20);
  Combo->OnDrawItem = Logger(Combo->Canvas());
  Colors = {{1, clFuchsia}};
  Combo->Items()->SetCommaText("One,Two,Three");
  Combo->SetItemIndex(1);
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_EQ(Combo->ItemHeight(), 20);
  // The selection field shows item 1, drawn by the owner inside the box.
  const Harness::TSavedImage Image = Picture(Combo->Handle(), "ownerdraw_combo");
  const TDrawn* Field = LastDraw(1, true);
  ASSERT_NE(Field, nullptr);
  const TRect Client = Combo->ClientRect();
  EXPECT_GE(Field->Rect.Left, 0);
  EXPECT_LE(Field->Rect.Right, Client.Right);
  EXPECT_GT(Field->Rect.Height(), 8);
  EXPECT_EQ(Extent(Image, clFuchsia), Field->Rect);
  EXPECT_EQ(LastDraw(0), nullptr);  // the list is closed

  // Focused, the field is drawn selected and focused.
  Combo->SetFocus();
  Harness::RunUntilIdle();
  Picture(Combo->Handle(), "ownerdraw_combo_focused");
  Field = LastDraw(1, true);
  ASSERT_NE(Field, nullptr);
  EXPECT_TRUE(Field->State.Contains(odFocused));
  EXPECT_TRUE(Field->State.Contains(odSelected));

  // Open, the list's rows are drawn at the owner's height.
  Combo->SetDroppedDown(true);
  Harness::RunUntilIdle();
  for (int I = 0; I < 3; ++I) {
    const TDrawn* Row = LastDraw(I);
    ASSERT_NE(Row, nullptr) << I;
    EXPECT_EQ(Row->Rect.Height(), 20);
  }
  EXPECT_EQ(LastDraw(1)->Rect.Top, LastDraw(0)->Rect.Bottom);
  Combo->SetDroppedDown(false);
}

TEST_F(OwnerDrawLists, TheOpenListShowsDropDownCountRows) {
  auto* Combo = Make<TComboBox>(Form, Form, "Combo1", Rect(10, 10, 170, 34));
  Combo->SetStyle(csOwnerDrawVariable);
  Combo->OnMeasureItem = [](TWinControl*, int, int& Height) { Height = 18; };
  for (int I = 0; I < 30; ++I) Combo->Items()->Add("Item " + std::to_string(I));
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_EQ(SendMessage(Combo->Handle(), CB_GETMINVISIBLE, 0, 0), 8);
  EXPECT_FALSE(SendMessage(Combo->Handle(), CB_SETMINVISIBLE, 0, 0));
  EXPECT_EQ(SendMessage(Combo->Handle(), CB_GETMINVISIBLE, 0, 0), 8);
  // The program sets the count as the list opens.
  auto ListHeight = [&](int Count) {
    Combo->OnDropDown = [&, Count](TObject*) { Combo->DropDownCount = Count; };
    Combo->SetDroppedDown(true);
    Harness::RunUntilIdle();
    EXPECT_EQ(SendMessage(Combo->Handle(), CB_GETMINVISIBLE, 0, 0), Count);
    TRect R;
    SendMessage(Combo->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&R));
    Combo->SetDroppedDown(false);
    Harness::RunUntilIdle();
    return R.Height();
  };
  for (int Count : {5, 12}) {
    const int H = ListHeight(Count);
    EXPECT_GE(H, Count * 18) << Count;
    EXPECT_LT(H, (Count + 1) * 18) << Count;
  }
  // A plain list keeps the same row height whatever the count.
  Combo->SetStyle(csDropDownList);
  Harness::RunUntilIdle();
  const int Five = ListHeight(5);
  const int Ten = ListHeight(10);
  EXPECT_NEAR(Ten - Five, Five, 4);
}

// A raw owner-drawn list without strings: items are their data, found by it and handed to the owner with it.
TEST_F(OwnerDrawLists, AListWithoutStringsKeepsItemDataAsItsItems) {
  using namespace WinTest;
  HWND Parent = WinTest::Make("P", WS_POPUP, 50, 50, 200, 200);
  std::vector<DRAWITEMSTRUCT> Draws;
  std::vector<MEASUREITEMSTRUCT> Measures;
  std::vector<HWND> Asking;
  Handlers[Parent] = [&](HWND, UINT M, WPARAM, LPARAM L, LRESULT& R) {
    if (M == WM_MEASUREITEM) {
      auto* Mi = reinterpret_cast<MEASUREITEMSTRUCT*>(L);
      Asking.push_back(MeasuringItemWindow());
      Measures.push_back(*Mi);
      Mi->itemHeight = 15;
      R = TRUE;
      return true;
    }
    if (M == WM_DRAWITEM) {
      auto* D = reinterpret_cast<DRAWITEMSTRUCT*>(L);
      Draws.push_back(*D);
      HBRUSH B = CreateSolidBrush(RGB(255, 0, 0));
      FillRect(D->hDC, &D->rcItem, B);
      DeleteObject(B);
      R = TRUE;
      return true;
    }
    return false;
  };
  HWND List = CreateWindowEx(0, WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE, 0, 0, 150, 150, Parent,
                        static_cast<HMENU>(5), nullptr, nullptr);
  ASSERT_NE(List, HWND(0));
  EXPECT_EQ(SendMessage(List, LB_ADDSTRING, 0, 0x1234), 0);
  EXPECT_EQ(SendMessage(List, LB_ADDSTRING, 0, 0x5678), 1);
  ASSERT_EQ(Measures.size(), 2u);
  EXPECT_EQ(Measures[1].CtlType, ODT_LISTBOX);
  EXPECT_EQ(Measures[1].CtlID, 5u);
  EXPECT_EQ(Measures[1].itemID, 1u);
  EXPECT_EQ(Measures[1].itemData, 0x5678u);
  EXPECT_EQ(MeasuringItemWindow(), HWND(0));
  // A fixed-height list asks once, as it is made, and keeps the answer for every row.
  HWND Fixed = CreateWindowEx(0, WC_LISTBOX, "", WS_CHILD | LBS_OWNERDRAWFIXED, 0, 0, 150, 150, Parent,
                              static_cast<HMENU>(6), nullptr, nullptr);
  ASSERT_EQ(Measures.size(), 3u);
  EXPECT_EQ(Measures[2].CtlID, 6u);
  SendMessage(Fixed, LB_ADDSTRING, 0, 1);
  EXPECT_EQ(Measures.size(), 3u);
  EXPECT_EQ(SendMessage(Fixed, LB_GETITEMHEIGHT, 0, 0), 15);
  EXPECT_EQ(Asking, (std::vector<HWND>{List, List, Fixed}));
  DestroyWindow(Fixed);
  ULONG_PTR Value = 0;
  EXPECT_EQ(SendMessage(List, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(&Value)), static_cast<LRESULT>(sizeof Value));
  EXPECT_EQ(Value, 0x5678u);
  EXPECT_EQ(SendMessage(List, LB_FINDSTRING, static_cast<WPARAM>(-1), 0x5678), 1);
  EXPECT_EQ(SendMessage(List, LB_FINDSTRING, static_cast<WPARAM>(-1), 0x9999), LB_ERR);
  ShowWindow(Parent, SW_SHOW);
  Harness::RunUntilIdle();
  Picture(List, "ownerdraw_nostrings");
  ASSERT_GE(Draws.size(), 2u);
  const auto Second = std::find_if(Draws.begin(), Draws.end(), [](const DRAWITEMSTRUCT& D) { return D.itemID == 1; });
  ASSERT_NE(Second, Draws.end());
  EXPECT_EQ(Second->CtlType, ODT_LISTBOX);
  EXPECT_EQ(Second->hwndItem, List);
  EXPECT_EQ(Second->itemData, 0x5678u);
  EXPECT_EQ(Second->itemAction, ODA_DRAWENTIRE);
  EXPECT_EQ(Second->rcItem, Rect(0, 15, Second->rcItem.Right, 30));
  // Selecting an item redraws it for the change of selection only.
  Draws.clear();
  SendMessage(List, LB_SETCURSEL, 1, 0);
  Harness::RunUntilIdle();
  Picture(List, "ownerdraw_nostrings_selected");
  const auto Selected = std::find_if(Draws.begin(), Draws.end(), [](const DRAWITEMSTRUCT& D) { return D.itemID == 1; });
  ASSERT_NE(Selected, Draws.end());
  EXPECT_EQ(Selected->itemAction, ODA_SELECT);
  EXPECT_TRUE(Selected->itemState & ODS_SELECTED);
  DestroyWindow(Parent);
  Reset();
}

}  // namespace
