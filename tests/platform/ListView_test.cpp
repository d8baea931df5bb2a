// The list view: report geometry with its header window and header notifications, owner data asked only for
// what shows, selection events and LVN_ notifications in order, sorting, insertion and deletion, editing, the
// list view style and custom draw stages.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/ImgList.h"
#include "platform/graphics/WinGdi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

using Strings = std::vector<std::string>;

namespace {

class TListForm : public TForm {
  Z_CLASS(TListForm, TForm)
public:
  using TForm::TForm;
  Strings* Log = nullptr;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_NOTIFY && Log) {
      auto* NM = reinterpret_cast<NMLISTVIEW*>(Message.LParam);
      std::string Name;
      switch (NM->hdr.code) {
        case LVN_ITEMCHANGING: Name = "ITEMCHANGING"; break;
        case LVN_ITEMCHANGED: Name = "ITEMCHANGED"; break;
        case LVN_COLUMNCLICK: Name = "COLUMNCLICK"; break;
        case LVN_DELETEITEM: Name = "DELETEITEM"; break;
        case LVN_INSERTITEM: Name = "INSERTITEM"; break;
        case LVN_BEGINDRAG: Name = "BEGINDRAG"; break;
        default: break;
      }
      if (!Name.empty()) {
        Log->push_back(Name + ":" + std::to_string(NM->hdr.code == LVN_COLUMNCLICK ? NM->iSubItem : NM->iItem));
      }
    }
    TForm::Dispatch(Message);
  }
};
Z_IMPLEMENT_CLASS(TListForm, TForm)

class ListViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    RegisterClasses({TListView::StaticClass()});
    Form = new TListForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 400, 300);
    TStringStream In(
        "object Form1: TListForm\r\n  object List1: TListView\r\n    Left = 0\r\n    Top = 0\r\n"
        "    Width = 300\r\n    Height = 200\r\n    ViewStyle = vsReport\r\n    Columns = <\r\n      item\r\n"
        "        Caption = 'Name'\r\n        Width = 100\r\n      end\r\n      item\r\n        Alignment = taRightJustify\r\n"
        "        Caption = 'Size'\r\n        Width = 60\r\n      end\r\n      item\r\n        Caption = 'Type'\r\n"
        "        Width = 80\r\n      end>\r\n  end\r\nend\r\n");
    TMemoryStream Bin;
    ObjectTextToBinary(&In, &Bin);
    Bin.SetPosition(0);
    Bin.ReadComponent(Form);
    List = dynamic_cast<TListView*>(Form->FindComponent("List1"));
    ASSERT_NE(List, nullptr);
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override { delete Form; }
  void Fill(std::initializer_list<const char*> Names) {
    for (const char* Name : Names) {
      TListItem* Item = List->Items()->Add();
      Item->SetCaption(Name);
      Item->SubItems()->Add(std::to_string(std::string(Name).size()));
      Item->SubItems()->Add("file");
    }
  }
  TPoint LabelPoint(int Index) {
    TRect R = List->Items()->Item(Index)->DisplayRect(drLabel);
    return Point(R.Left + 3, (R.Top + R.Bottom) / 2);
  }
  void ClickAt(HWND Wnd, TPoint P, Harness::TMods Mods = {}) {
    Harness::Click(Wnd, P, Harness::TButton::Left, Mods);
    Harness::RunUntilIdle();
    Harness::MouseMove(Wnd, Point(P.X, P.Y + 200));  // no double clicks between steps
    Harness::RunUntilIdle();
  }
  Strings Captions() {
    Strings R;
    for (int I = 0; I < List->Items()->Count(); ++I) {
      R.push_back(List->Items()->Item(I)->Caption());
    }
    return R;
  }

  TListForm* Form = nullptr;
  TListView* List = nullptr;
  Strings Log;
};

TEST_F(ListViewTest, TheReportViewLaysOutRowsUnderItsHeaderWindow) {
  Fill({"alpha", "beta", "gamma"});
  ASSERT_EQ(List->Columns()->Count(), 3);
  EXPECT_EQ(List->Columns()->Items(1)->Alignment(), taRightJustify);
  HWND Header = List->HeaderHandle();
  ASSERT_NE(Header, static_cast<HWND>(0));
  EXPECT_EQ(static_cast<HWND>(SendMessage(List->Handle(), LVM_GETHEADER, 0, 0)), Header);
  EXPECT_EQ(GetDlgItem(List->Handle(), 0), Header);  // the list's child window with id 0
  EXPECT_TRUE(IsWindowVisible(Header));
  EXPECT_EQ(SendMessage(Header, HDM_GETITEMCOUNT, 0, 0), 3);
  TRect R;
  ASSERT_EQ(SendMessage(Header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&R)), 1);
  EXPECT_EQ(R.Left, 100);
  EXPECT_EQ(R.Right, 160);
  const int HH = R.Height(), IH = List->ItemHeight();
  TListItem* Beta = List->Items()->Item(1);
  EXPECT_EQ(Beta->DisplayRect(drBounds), Rect(0, HH + IH, 240, HH + 2 * IH));
  EXPECT_EQ(Beta->DisplayRect(drLabel).Right, 100);
  // Over the label there is an item; over a sub-item only with RowSelect.
  EXPECT_EQ(List->GetItemAt(LabelPoint(1).X, LabelPoint(1).Y), Beta);
  EXPECT_EQ(List->GetItemAt(130, HH + IH + 2), nullptr);
  List->RowSelect = true;
  EXPECT_EQ(List->GetItemAt(130, HH + IH + 2), Beta);
  EXPECT_EQ(List->GetItemAt(130, HH + 5 * IH), nullptr);
  EXPECT_EQ(List->TopItem(), List->Items()->Item(0));
  EXPECT_EQ(List->VisibleRowCount(), (List->ClientHeight() - HH) / IH);
  // The list style puts the items in columns from the top.
  List->SetViewStyle(vsList);
  EXPECT_FALSE(IsWindowVisible(Header));
  EXPECT_EQ(List->Items()->Item(1)->DisplayRect(drBounds).Top, IH);
  EXPECT_EQ(List->Items()->Item(1)->DisplayRect(drBounds).Left, 0);
}

TEST_F(ListViewTest, OwnerDataIsAskedOnlyForTheItemsInView) {
  List->SetOwnerData(true);
  std::set<int> Asked;
  List->OnData = [&](TObject*, TListItem* Item) {
    Asked.insert(Item->Index());
    Item->SetCaption("Item " + std::to_string(Item->Index()));
    Item->SubItems()->Add(std::to_string(Item->Index() * 10));
  };
  List->Items()->SetCount(100000);
  List->Repaint();
  ASSERT_FALSE(Asked.empty());
  const int Rows = List->VisibleRowCount();
  EXPECT_LE(*Asked.rbegin(), Rows);  // the last row may show in part
  EXPECT_EQ(*Asked.begin(), 0);
  Asked.clear();
  List->Scroll(0, 500 * List->ItemHeight());
  List->Repaint();
  EXPECT_EQ(*Asked.begin(), 500);
  EXPECT_LE(*Asked.rbegin(), 500 + Rows);
  EXPECT_EQ(List->TopItem()->Caption(), "Item 500");
  EXPECT_EQ(List->Items()->Item(77)->SubItems()->Strings(0), "770");
  // Selection by index works without items.
  Log.clear();
  Form->Log = &Log;
  ClickAt(List->Handle(), LabelPoint(502));
  EXPECT_EQ(List->Selected()->Index(), 502);
  EXPECT_EQ(List->SelCount(), 1);
  EXPECT_EQ(Log, (Strings{"ITEMCHANGING:502", "ITEMCHANGED:502"}));
  EXPECT_FALSE(List->AlphaSort());
}

TEST_F(ListViewTest, ClickingSelectsWithTheNotificationsAndOnChangingMayRefuse) {
  Fill({"alpha", "beta", "gamma", "delta"});
  Form->Log = &Log;
  bool Allow = true;
  List->OnChanging = [&](TObject*, TListItem* Item, TItemChange Change, bool& AllowChange) {
    if (Change == ctState) Log.push_back("OnChanging:" + Item->Caption());
    AllowChange = Allow;
  };
  List->OnChange = [&](TObject*, TListItem* Item, TItemChange Change) {
    if (Change == ctState) Log.push_back("OnChange:" + Item->Caption());
  };
  List->OnSelectItem = [&](TObject*, TListItem* Item, bool Selected) {
    Log.push_back(std::string(Selected ? "select:" : "unselect:") + Item->Caption());
  };
  ClickAt(List->Handle(), LabelPoint(1));
  EXPECT_EQ(Log, (Strings{"ITEMCHANGING:1", "OnChanging:beta", "ITEMCHANGED:1", "OnChange:beta", "select:beta"}));
  EXPECT_TRUE(List->Items()->Item(1)->Focused());
  Log.clear();
  ClickAt(List->Handle(), LabelPoint(2));
  EXPECT_EQ(Log, (Strings{"ITEMCHANGING:1", "OnChanging:beta", "ITEMCHANGED:1", "OnChange:beta", "unselect:beta",
                          "ITEMCHANGING:2", "OnChanging:gamma", "ITEMCHANGED:2", "OnChange:gamma", "select:gamma"}));
  Log.clear();
  Allow = false;
  ClickAt(List->Handle(), LabelPoint(0));
  EXPECT_EQ(List->Selected(), List->Items()->Item(2));
  EXPECT_EQ(Log, (Strings{"ITEMCHANGING:2", "OnChanging:gamma"}));
  Allow = true;
  Form->Log = nullptr;
  List->OnChanging = nullptr;
  List->OnChange = nullptr;
  List->OnSelectItem = nullptr;

  // Ctrl adds to the selection and Shift takes the run from the anchor, when several may be selected.
  List->SetMultiSelect(true);
  ClickAt(List->Handle(), LabelPoint(0), Harness::TMods{false, true, false});
  EXPECT_EQ(List->SelCount(), 2);
  ClickAt(List->Handle(), LabelPoint(3), Harness::TMods{true, false, false});
  EXPECT_EQ(List->SelCount(), 4);
  EXPECT_TRUE(List->Items()->Item(3)->Focused());
  ClickAt(List->Handle(), Point(20, List->ClientHeight() - 3));  // beside the items: none selected
  EXPECT_EQ(List->SelCount(), 0);
  // Keys move the focus and the selection.
  List->SetFocus();
  List->Items()->Item(1)->SetSelected(true);
  List->Items()->Item(1)->SetFocused(true);
  Harness::KeyPress(VK_DOWN);
  Harness::RunUntilIdle();
  EXPECT_EQ(List->Selected(), List->Items()->Item(2));
  EXPECT_EQ(List->ItemFocused(), List->Items()->Item(2));
}

TEST_F(ListViewTest, TheHeaderReportsClicksAndTrackingAndKeepsItsSortMarks) {
  Fill({"a"});
  Form->Log = &Log;
  TListColumn* Clicked = nullptr;
  List->OnColumnClick = [&](TObject*, TListColumn* Column) { Clicked = Column; };
  HWND Header = List->HeaderHandle();
  TRect Size;
  SendMessage(Header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&Size));
  ClickAt(Header, Point(Size.Left + 10, 5));
  EXPECT_EQ(Clicked, List->Columns()->Items(1));
  EXPECT_EQ(Log, (Strings{"COLUMNCLICK:1"}));

  // Dragging the divider after "Name" widens the column.
  Harness::MouseDown(Header, Point(100, 5));
  Harness::MouseMove(Header, Point(130, 5));
  Harness::RunUntilIdle();
  Harness::MouseUp(Header, Point(130, 5));
  Harness::RunUntilIdle();
  EXPECT_EQ(List->Columns()->Items(0)->Width(), 130);
  EXPECT_EQ(List->Items()->Item(0)->DisplayRect(drLabel).Right, 130);

  HDITEM Item;
  Item.mask = HDI_FORMAT;
  Item.fmt = HDF_STRING | HDF_RIGHT | HDF_SORTDOWN;
  EXPECT_EQ(SendMessage(Header, HDM_SETITEM, 2, reinterpret_cast<LPARAM>(&Item)), 1);
  HDITEM Back;
  Back.mask = HDI_FORMAT | HDI_TEXT | HDI_WIDTH;
  char Text[16] = {};
  Back.pszText = Text;
  Back.cchTextMax = sizeof Text;
  ASSERT_EQ(SendMessage(Header, HDM_GETITEM, 2, reinterpret_cast<LPARAM>(&Back)), 1);
  EXPECT_EQ(Back.fmt & (HDF_SORTDOWN | HDF_SORTUP), HDF_SORTDOWN);
  EXPECT_EQ(Back.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
  EXPECT_STREQ(Text, "Type");
  EXPECT_EQ(Back.cxy, 80);
  EXPECT_EQ(List->Columns()->Items(2)->Alignment(), taRightJustify);
}

TEST_F(ListViewTest, SortingInsertingAndDeletingItems) {
  Fill({"delta", "alpha", "charlie", "bravo"});
  EXPECT_TRUE(List->AlphaSort());
  EXPECT_EQ(Captions(), (Strings{"alpha", "bravo", "charlie", "delta"}));
  List->CustomSort([](TListItem* A, TListItem* B, LPARAM Data) {
    return static_cast<int>(Data) * A->Caption().compare(B->Caption());
  }, -1);
  EXPECT_EQ(Captions(), (Strings{"delta", "charlie", "bravo", "alpha"}));
  EXPECT_EQ(List->Items()->Item(0)->Index(), 0);
  List->OnCompare = [](TObject*, TListItem* A, TListItem* B, int, int& Compare) {
    Compare = static_cast<int>(A->Caption().size()) - static_cast<int>(B->Caption().size());
  };
  List->SetSortType(stText);
  EXPECT_EQ(Captions(), (Strings{"delta", "bravo", "alpha", "charlie"}));  // by length, stable
  List->OnCompare = nullptr;
  List->Items()->Add()->SetCaption("aaa");
  EXPECT_EQ(Captions().front(), "aaa");

  Form->Log = &Log;
  Strings Events;
  List->OnInsert = [&](TObject*, TListItem* Item) { Events.push_back("insert@" + std::to_string(Item->Index())); };
  List->OnDeletion = [&](TObject*, TListItem* Item) { Events.push_back("delete:" + Item->Caption()); };
  List->SetSortType(stNone);
  List->Items()->Insert(1);
  List->Items()->Item(2)->Delete();
  EXPECT_EQ(Events, (Strings{"insert@1", "delete:alpha"}));
  EXPECT_EQ(Log, (Strings{"INSERTITEM:1", "DELETEITEM:2"}));
  EXPECT_THROW(List->Items()->Delete(99), EListError);
  // Freeing the list view announces every item left.
  Events.clear();
  Form->Log = nullptr;
  delete List;
  EXPECT_EQ(Events.size(), 5u);
}

TEST_F(ListViewTest, EditingACaptionAndDraggingAnItem) {
  Fill({"alpha", "beta"});
  bool Allow = true;
  List->OnEditing = [&](TObject*, TListItem*, bool& AllowEdit) { AllowEdit = Allow; };
  List->OnEdited = [&](TObject*, TListItem*, std::string& S) { S = "[" + S + "]"; };
  TListItem* Beta = List->Items()->Item(1);
  ASSERT_TRUE(Beta->EditCaption());
  EXPECT_TRUE(List->IsEditing());
  Harness::RunUntilIdle();
  Harness::TypeText("omega");
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_FALSE(List->IsEditing());
  EXPECT_EQ(Beta->Caption(), "[omega]");
  ASSERT_TRUE(Beta->EditCaption());
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_EQ(Beta->Caption(), "[omega]");
  Allow = false;
  EXPECT_FALSE(Beta->EditCaption());

  Form->Log = &Log;
  TPoint P = LabelPoint(0);
  Harness::MouseDown(List->Handle(), P);
  Harness::RunUntilIdle();
  Harness::MouseMove(List->Handle(), Point(P.X + 20, P.Y + 20));
  Harness::RunUntilIdle();
  Harness::MouseUp(List->Handle(), Point(P.X + 20, P.Y + 20));
  Harness::RunUntilIdle();
  EXPECT_NE(std::find(Log.begin(), Log.end(), "BEGINDRAG:0"), Log.end());
}

TEST_F(ListViewTest, CustomDrawIsAskedPerItemAndSubItemForWhatShows) {
  Fill({"alpha", "beta", "gamma"});
  Strings Seen;
  List->OnCustomDrawItem = [&](TCustomListView*, TListItem* Item, TCustomDrawState, bool& Default) {
    Seen.push_back(Item->Caption());
    Default = Item->Index() != 1;  // the second item is drawn by nobody
  };
  List->OnCustomDrawSubItem = [&](TCustomListView*, TListItem* Item, int SubItem, TCustomDrawState, bool&) {
    Seen.push_back(Item->Caption() + "." + std::to_string(SubItem));
  };
  List->Repaint();
  EXPECT_EQ(Seen, (Strings{"alpha", "alpha.0", "alpha.1", "alpha.2", "beta", "gamma", "gamma.0", "gamma.1",
                           "gamma.2"}));
  Seen.clear();
  List->OnCustomDraw = [](TCustomListView*, const TRect&, bool& Default) { Default = false; };
  List->Repaint();
  EXPECT_TRUE(Seen.empty());
}

// A report list as a layout keeps it: two items with their indexes, sub-items and sub-item images in the binary
// Items.Data block (size, count, the item records, then the sub-item images).
const char* const ListLayout =
    "object List2: TListView\r\n"
    "  Left = 0\r\n"
    "  Top = 0\r\n"
    "  Width = 250\r\n"
    "  Height = 150\r\n"
    "  Color = clWindow\r\n"
    "  TabOrder = 1\r\n"
    "  Columns = <\r\n"
    "    item\r\n"
    "      Caption = 'Name'\r\n"
    "      Width = 100\r\n"
    "    end\r\n"
    "    item\r\n"
    "      Alignment = taRightJustify\r\n"
    "      Caption = 'Size'\r\n"
    "    end\r\n"
    "    item\r\n"
    "      Caption = 'Type'\r\n"
    "    end>\r\n"
    "  Items.Data = {\r\n"
    "    520000000200000001000000FFFFFFFFFFFFFFFF020000000000000006726561\r\n"
    "    646D65053132204B4204546578740000000002000000FFFFFFFF010000000000\r\n"
    "    00000162013303000000FFFFFFFFFFFFFFFF}\r\n"
    "  ViewStyle = vsReport\r\n"
    "end\r\n";

TEST_F(ListViewTest, ItemsTravelInTheLayoutAsTheItemsDataBlockAndComeBackByteForByte) {
  TStringStream In(ListLayout);
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  auto* Copy = new TListView(Form);
  Copy->AfterConstruction();
  Copy->SetParent(Form);
  Bin.SetPosition(0);
  Bin.ReadComponent(Copy);
  ASSERT_EQ(Copy->Items()->Count(), 2);
  TListItem* A = Copy->Items()->Item(0);
  TListItem* B = Copy->Items()->Item(1);
  EXPECT_EQ(A->Caption(), "readme");
  EXPECT_EQ(A->ImageIndex(), 1);
  EXPECT_EQ(A->StateIndex(), -1);
  EXPECT_EQ(A->SubItems()->Text(), "12 KB\r\nText\r\n");
  EXPECT_EQ(A->SubItemImages(0), 3);
  EXPECT_EQ(A->SubItemImages(1), -1);
  EXPECT_EQ(A->Data, nullptr);
  EXPECT_EQ(B->Caption(), "b");
  EXPECT_EQ(B->ImageIndex(), 0);
  EXPECT_EQ(B->StateIndex(), 2);
  EXPECT_EQ(B->SubItems()->Strings(0), "3");
  EXPECT_EQ(Copy->Columns()->Count(), 3);
  EXPECT_EQ(Copy->ViewStyle(), vsReport);
  // Written back, the form is the same bytes.
  TMemoryStream Out;
  Out.WriteComponent(Copy);
  ASSERT_EQ(Out.Size(), Bin.Size());
  EXPECT_EQ(std::memcmp(Out.Memory(), Bin.Memory(), static_cast<std::size_t>(Bin.Size())), 0);
  Out.SetPosition(0);
  TStringStream Text("");
  ObjectBinaryToText(&Out, &Text);
  EXPECT_EQ(Text.DataString(), ListLayout);
  delete Copy;
}

TEST_F(ListViewTest, ADamagedItemsDataBlockIsRefusedAndTheItemsStay) {
  Fill({"kept"});
  struct TCase {
    const char* Name;
    const char* Hex;
  };
  const TCase Cases[] = {
      // The caption's length runs past the block.
      {"caption past the end", "1D000000 01000000 00000000FFFFFFFFFFFFFFFF0000000000000000 0A6162"},
      // A negative sub-item count.
      {"negative count", "1E000000 01000000 00000000FFFFFFFFFFFFFFFFFFFFFFFF00000000 016100"},
      // Bytes left over that are not one image per sub-item.
      {"stray bytes", "1F000000 01000000 00000000FFFFFFFFFFFFFFFF0000000000000000 0161 0000"},
      // A size beyond the stream.
      {"size past the stream", "FF000000 00000000"},
      // More items than the block could hold.
      {"count too large", "0C000000 FFFFFF7F 00000000"},
  };
  for (const TCase& Case : Cases) {
    TStringStream In(std::string("object List1: TListView\r\n  Items.Data = {\r\n    ") + Case.Hex +
                     "}\r\nend\r\n");
    TMemoryStream Bin;
    ObjectTextToBinary(&In, &Bin);
    Bin.SetPosition(0);
    EXPECT_THROW(Bin.ReadComponent(List), EReadError) << Case.Name;
    ASSERT_EQ(List->Items()->Count(), 1) << Case.Name;
    EXPECT_EQ(List->Items()->Item(0)->Caption(), "kept") << Case.Name;
  }
}

TEST_F(ListViewTest, HotTrackingMarksTheItemUnderThePointer) {
  Fill({"alpha", "beta", "gamma"});
  std::vector<int> HotDrawn;
  List->OnCustomDrawItem = [&](TCustomListView*, TListItem* Item, TCustomDrawState State, bool&) {
    if (State.Contains(cdsHot)) {
      HotDrawn.push_back(Item->Index());
    }
  };
  auto Move = [&](TPoint P) {
    Harness::MouseMove(List->Handle(), P);
    Harness::RunUntilIdle();
  };
  Move(LabelPoint(1));
  EXPECT_EQ(List->HotItemIndex(), -1);  // only with HotTrack
  List->SetHotTrack(true);
  List->SetHotTrackStyles(THotTrackStyles{htHandPoint, htUnderlineHot});
  Move(LabelPoint(2));
  Move(LabelPoint(1));
  ASSERT_EQ(List->HotItemIndex(), 1);
  HotDrawn.clear();
  List->Repaint();
  EXPECT_EQ(HotDrawn, (std::vector<int>{1}));
  // Underlined in the hot-track colour.
  HDC DC = GetDC(List->Handle());
  TRect Label = List->Items()->Item(1)->DisplayRect(drLabel);
  TSize Extent{};
  HGDIOBJ OldFont = SelectObject(DC, List->Font()->Handle());
  GetTextExtentPoint32(DC, "beta", 4, &Extent);
  SelectObject(DC, OldFont);
  const int TextW = Extent.cx;
  int Longest = 0;
  for (int Y = Label.Top; Y < Label.Bottom; ++Y) {
    int Run = 0;
    for (int X = Label.Left; X < Label.Right; ++X) {
      Run += GetPixel(DC, X, Y) == ColorToRGB(clHotLight) ? 1 : 0;
    }
    Longest = std::max(Longest, Run);
  }
  ReleaseDC(List->Handle(), DC);
  EXPECT_GE(Longest, TextW - 1);
  // The hand with htHandPoint only.
  TPoint Screen = List->ClientToScreen(LabelPoint(1));
  SetCursorPos(Screen.X, Screen.Y);
  const HCURSOR Hand = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_HAND));
  SendMessage(List->Handle(), WM_SETCURSOR, List->Handle(), MAKELONG(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), Hand);
  List->SetHotTrackStyles(THotTrackStyles{});
  SetCursor(LoadCursor(nullptr, MAKEINTRESOURCE(IDC_ARROW)));
  SendMessage(List->Handle(), WM_SETCURSOR, List->Handle(), MAKELONG(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(GetCursor(), Hand);
  // Leaving the list, nothing is hot.
  Harness::MouseMove(Form->Handle(), Point(List->Width() + 20, 20));
  Harness::RunUntilIdle();
  EXPECT_EQ(List->HotItemIndex(), -1);
  List->OnCustomDrawItem = nullptr;
}

}  // namespace
