// Common controls: page and tab controls (tab layout, clicks with OnChanging refusal and the TCN_ notifications,
// hidden tabs, rows, positions, images), the status bar (panels, grip, messages, immediate repaint) and the
// progress bar.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "tests/support/Forms.h"
#include "platform/graphics/WinGdi.h"

#include <gtest/gtest.h>

#include <filesystem>

using Strings = std::vector<std::string>;

namespace {

using TestSupport::Make;

// The width of a text in the control's font.
int TextWidthIn(TControl* Control, const std::string& Text) {
  HDC DC = CreateCompatibleDC(0);
  HGDIOBJ Old = SelectObject(DC, Control->Font()->Handle());
  TSize Size{};
  GetTextExtentPoint32(DC, Text.c_str(), static_cast<int>(Text.size()), &Size);
  SelectObject(DC, Old);
  DeleteDC(DC);
  return Size.cx;
}

TPoint Center(const TRect& R) { return Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }

// A form that logs the notifications its children send it.
class TNotifyForm : public TForm {
  Z_CLASS(TNotifyForm, TForm)
public:
  using TForm::TForm;
  Strings* Log = nullptr;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_NOTIFY && Log) {
      auto Code = reinterpret_cast<NMHDR*>(Message.LParam)->code;
      Log->push_back(Code == TCN_SELCHANGING ? "TCN_SELCHANGING" : Code == TCN_SELCHANGE ? "TCN_SELCHANGE" : "?");
    }
    TForm::Dispatch(Message);
  }
};
Z_IMPLEMENT_CLASS(TNotifyForm, TForm)

class ComCtrls : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    RegisterClasses({TPageControl::StaticClass(), TTabSheet::StaticClass(), TTabControl::StaticClass(),
                     TStatusBar::StaticClass(), TProgressBar::StaticClass(), TImageList::StaticClass()});
    Form = new TNotifyForm(Application);
    Form->AfterConstruction();
    Form->Log = &Log;
    Form->SetBounds(40, 40, 420, 320);
  }
  void TearDown() override { delete Form; }
  void Load(const std::string& Body) {
    TStringStream In("object Form1: TNotifyForm\r\n" + Body + "end\r\n");
    TMemoryStream Bin;
    ObjectTextToBinary(&In, &Bin);
    Bin.SetPosition(0);
    Bin.ReadComponent(Form);
    Form->Show();
    Harness::RunUntilIdle();
  }
  template <class T> T* Find(const std::string& Name) {
    auto* C = dynamic_cast<T*>(Form->FindComponent(Name));
    EXPECT_NE(C, nullptr) << Name;
    return C;
  }
  void ClickAt(TWinControl* Control, TPoint P) {
    Harness::Click(Control->Handle(), P);
    Harness::RunUntilIdle();
  }

  TNotifyForm* Form = nullptr;
  Strings Log;
};

const char* const Pages =
    "  object ImageList1: TImageList\r\n  end\r\n"
    "  object PageControl1: TPageControl\r\n    Left = 8\r\n    Top = 8\r\n    Width = 300\r\n    Height = 200\r\n"
    "    ActivePage = Sheet2\r\n    Images = ImageList1\r\n"
    "    object Sheet1: TTabSheet\r\n      Caption = 'General'\r\n    end\r\n"
    "    object Sheet2: TTabSheet\r\n      Caption = 'View'\r\n      ImageIndex = 0\r\n    end\r\n"
    "    object Hidden1: TTabSheet\r\n      Caption = 'Secret'\r\n      TabVisible = False\r\n    end\r\n"
    "    object Sheet3: TTabSheet\r\n      Caption = 'Spelling'\r\n    end\r\n"
    "  end\r\n";

TEST_F(ComCtrls, APageControlReadFromALayoutShowsItsActivePageInTheDisplayArea) {
  Load(Pages);
  auto* PC = Find<TPageControl>("PageControl1");
  auto* Sheet2 = Find<TTabSheet>("Sheet2");
  ASSERT_EQ(PC->PageCount(), 4);
  EXPECT_EQ(PC->ActivePage(), Sheet2);
  EXPECT_EQ(PC->ActivePageIndex(), 1);
  for (int I = 0; I < PC->PageCount(); ++I) {
    EXPECT_EQ(PC->Pages(I)->Visible(), PC->Pages(I) == Sheet2) << I;
    EXPECT_EQ(PC->Pages(I)->PageControl(), PC);
  }
  EXPECT_EQ(Find<TTabSheet>("Hidden1")->TabIndex(), -1);
  EXPECT_EQ(Find<TTabSheet>("Sheet3")->TabIndex(), 2);
  EXPECT_EQ(SendMessage(PC->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessage(PC->Handle(), TCM_GETCURSEL, 0, 0), 1);
  // One row of tabs along the top; the sheet fills the framed area under it.
  TRect Display = PC->DisplayRect();
  EXPECT_EQ(Sheet2->BoundsRect(), Display);
  EXPECT_EQ(Display.Left, 4);
  EXPECT_EQ(Display.Right, 296);
  EXPECT_EQ(Display.Bottom, 196);
  TRect T0 = PC->TabRect(0), T1 = PC->TabRect(1), T2 = PC->TabRect(2);
  EXPECT_EQ(T0.Left, 2);
  EXPECT_EQ(T1.Left, T0.Right);
  EXPECT_EQ(T2.Left, T1.Right);
  EXPECT_EQ(T0.Bottom, Display.Top - 4);
  EXPECT_EQ(T0.Top, 2);
  // The image of "View" widens its tab by the image and a gap.
  EXPECT_EQ(T1.Width(), TextWidthIn(PC, "View") + 12 + 16 + 3);
  TRect Item;
  EXPECT_EQ(SendMessage(PC->Handle(), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&Item)), 1);
  EXPECT_EQ(Item, T2);
  EXPECT_EQ(PC->IndexOfTabAt(T2.Left + 1, T2.Top + 1), 2);
  EXPECT_EQ(PC->IndexOfTabAt(T2.Right + 1, T2.Top + 1), -1);

  // Setting the page in code sends nothing.
  PC->OnChanging = [&](TObject*, bool&) { Log.push_back("OnChanging"); };
  PC->OnChange = [&](TObject*) { Log.push_back("OnChange"); };
  PC->SetActivePage(Find<TTabSheet>("Sheet3"));
  EXPECT_TRUE(Log.empty());
  EXPECT_TRUE(Find<TTabSheet>("Sheet3")->Visible());
  EXPECT_FALSE(Sheet2->Visible());
}

TEST_F(ComCtrls, ClickingATabAsksOnChangingWhichMayRefuseThenReportsTheChange) {
  Load(Pages);
  auto* PC = Find<TPageControl>("PageControl1");
  auto* Sheet1 = Find<TTabSheet>("Sheet1");
  auto* Sheet2 = Find<TTabSheet>("Sheet2");
  bool Allow = false;
  PC->OnChanging = [&](TObject*, bool& AllowChange) {
    Log.push_back("OnChanging:" + PC->ActivePage()->Name());
    AllowChange = Allow;
  };
  PC->OnChange = [&](TObject*) { Log.push_back("OnChange:" + PC->ActivePage()->Name()); };
  ClickAt(PC, Center(PC->TabRect(0)));
  EXPECT_EQ(Log, (Strings{"TCN_SELCHANGING", "OnChanging:Sheet2"}));
  EXPECT_EQ(PC->ActivePage(), Sheet2);
  EXPECT_TRUE(Sheet2->Visible());

  Log.clear();
  Allow = true;
  ClickAt(PC, Center(PC->TabRect(0)));
  EXPECT_EQ(Log, (Strings{"TCN_SELCHANGING", "OnChanging:Sheet2", "TCN_SELCHANGE", "OnChange:Sheet1"}));
  EXPECT_EQ(PC->ActivePage(), Sheet1);
  EXPECT_TRUE(Sheet1->Visible());
  EXPECT_FALSE(Sheet2->Visible());

  // The selected tab again, or a click beside the tabs: nothing.
  Log.clear();
  ClickAt(PC, Center(PC->TabRect(0)));
  ClickAt(PC, Point(PC->TabRect(2).Right + 10, 5));
  EXPECT_TRUE(Log.empty());

  // Ctrl+Tab turns the page through OnChanging / OnChange too, skipping the hidden tab and wrapping round.
  PC->SetActivePage(Find<TTabSheet>("Sheet3"));
  PC->SetFocus();
  Harness::KeyPress(VK_TAB, Harness::TMods{false, true, false});
  Harness::RunUntilIdle();
  EXPECT_EQ(PC->ActivePage(), Sheet1);
  EXPECT_EQ(Log, (Strings{"OnChanging:Sheet3", "OnChange:Sheet1"}));
}

TEST_F(ComCtrls, HidingTheActiveTabActivatesTheTabInItsPlace) {
  Load(Pages);
  auto* PC = Find<TPageControl>("PageControl1");
  auto* Sheet2 = Find<TTabSheet>("Sheet2");
  auto* Sheet3 = Find<TTabSheet>("Sheet3");
  Sheet2->SetTabVisible(false);
  EXPECT_EQ(PC->ActivePage(), Sheet3);  // now second of the tabs
  EXPECT_FALSE(Sheet2->Visible());
  Sheet3->SetTabVisible(false);
  EXPECT_EQ(PC->ActivePage(), Find<TTabSheet>("Sheet1"));  // the last tab left
  Find<TTabSheet>("Hidden1")->SetTabVisible(true);
  EXPECT_EQ(SendMessage(PC->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(PC->TabRect(1).Width(), TextWidthIn(PC, "Secret") + 12);
  // A page freed goes from the control; the active one passes the role on.
  delete Find<TTabSheet>("Sheet1");
  EXPECT_EQ(PC->PageCount(), 3);
  EXPECT_EQ(PC->ActivePage(), Find<TTabSheet>("Hidden1"));
}

TEST_F(ComCtrls, MultiLineRowsKeepTheSelectedRowNextToThePageAndPositionsMoveTheTabs) {
  auto* PC = Make<TPageControl>(Form, Form, Rect(0, 0, 160, 150));
  std::vector<TTabSheet*> Sheets;
  for (const char* Caption : {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot"}) {
    auto* S = new TTabSheet(Form);
    S->AfterConstruction();
    S->SetPageControl(PC);
    S->SetCaption(Caption);
    Sheets.push_back(S);
  }
  Form->Show();
  EXPECT_EQ(PC->ActivePage(), Sheets[0]);  // the first page added
  EXPECT_EQ(PC->RowCount(), 1);
  PC->SetMultiLine(true);
  int Rows = PC->RowCount();
  ASSERT_GE(Rows, 2);
  const int Band = PC->DisplayRect().Top - 4;
  auto RowOf = [&](int Tab) { return PC->TabRect(Tab).Top; };
  EXPECT_EQ(PC->TabRect(0).Bottom, Band);  // the selected row touches the page
  for (int I = 0; I < 6; ++I) {
    EXPECT_LE(PC->TabRect(I).Right, 160 - 2) << I;
  }
  PC->SetActivePage(Sheets[5]);
  EXPECT_EQ(PC->TabRect(5).Bottom, Band);
  EXPECT_NE(RowOf(0), RowOf(5));
  EXPECT_EQ(Sheets[5]->BoundsRect(), PC->DisplayRect());

  // Tabs under the page: the display area starts at the top and the tabs lie below it.
  PC->SetMultiLine(false);
  PC->SetTabPosition(tpBottom);
  TRect D = PC->DisplayRect();
  EXPECT_EQ(D.Top, 4);
  EXPECT_EQ(PC->TabRect(0).Top, D.Bottom + 4);
  EXPECT_EQ(Sheets[5]->BoundsRect(), D);
  PC->SetTabPosition(tpLeft);
  EXPECT_EQ(PC->TabRect(1).Top, PC->TabRect(0).Bottom);
  EXPECT_EQ(PC->DisplayRect().Left, PC->TabRect(0).Right + 4);

  // HotTrack follows the pointer over the tabs.
  PC->SetTabPosition(tpTop);
  PC->SetHotTrack(true);
  Harness::MouseMove(PC->Handle(), Center(PC->TabRect(1)));
  Harness::RunUntilIdle();
  EXPECT_EQ(PC->HotTab(), 1);
  Application->DoMouseIdle();
  Harness::MouseMove(PC->Handle(), Center(PC->TabRect(0)));
  Harness::RunUntilIdle();
  EXPECT_EQ(PC->HotTab(), 0);
  // Onto the page: the control hears the pointer leave it.
  Harness::MouseMove(PC->Handle(), Point(80, 100));
  Harness::RunUntilIdle();
  Application->DoMouseIdle();
  EXPECT_EQ(PC->HotTab(), -1);
}

TEST_F(ComCtrls, SideTabsStandTheirCaptionsUpReadingUpOnTheLeftAndDownOnTheRight) {
  auto* Tabs = Make<TTabControl>(Form, Form, Rect(0, 0, 200, 240));
  Tabs->Tabs()->Add("Wide caption");
  Tabs->Tabs()->Add("Two");
  Form->Show();
  Harness::RunUntilIdle();
  const int TextW = TextWidthIn(Tabs, "Wide caption");
  const int Across = Tabs->TabRect(0).Height();  // an upright tab's depth: the text's height and its margins
  for (TTabPosition Side : {tpLeft, tpRight}) {
    Tabs->SetTabPosition(Side);
    Tabs->SetTabWidth(0);
    // Turned: as long as the text is wide, as deep as an upright tab is high.
    TRect R = Tabs->TabRect(0);
    EXPECT_EQ(R.Height(), TextW + 12) << Side;
    EXPECT_EQ(R.Width(), Across) << Side;
    EXPECT_EQ(Tabs->TabRect(1).Top, R.Bottom);
    // On a long tab the text starts at its reading start: the bottom on the left, the top on the right.
    Tabs->SetTabWidth(200);
    Tabs->Repaint();
    R = Tabs->TabRect(0);
    HDC DC = GetDC(Tabs->Handle());
    TRect Ink{R.Right, R.Bottom, R.Left, R.Top};
    for (int Y = R.Top + 3; Y < R.Bottom - 3; ++Y) {
      for (int X = R.Left + 3; X < R.Right - 3; ++X) {
        COLORREF C = GetPixel(DC, X, Y);
        if (GetRValue(C) < 100 && GetGValue(C) < 100 && GetBValue(C) < 100) {
          Ink = Rect(std::min<LONG>(Ink.Left, X), std::min<LONG>(Ink.Top, Y), std::max<LONG>(Ink.Right, X + 1),
                     std::max<LONG>(Ink.Bottom, Y + 1));
        }
      }
    }
    ReleaseDC(Tabs->Handle(), DC);
    ASSERT_GT(Ink.Right, Ink.Left) << Side;
    EXPECT_GT(Ink.Height(), 3 * Ink.Width()) << Side;
    EXPECT_GE(Ink.Height(), TextW - 3) << Side;
    if (Side == tpLeft) {
      EXPECT_GE(Ink.Bottom, R.Bottom - 8);
      EXPECT_GT(Ink.Top, (R.Top + R.Bottom) / 2);
    } else {
      EXPECT_LE(Ink.Top, R.Top + 8);
      EXPECT_LT(Ink.Bottom, (R.Top + R.Bottom) / 2);
    }
  }
}

TEST_F(ComCtrls, ATabControlSelectsAmongItsStrings) {
  Load("  object Tabs1: TTabControl\r\n    Left = 0\r\n    Top = 0\r\n    Width = 300\r\n    Height = 100\r\n"
       "    Tabs.Strings = (\r\n      'One'\r\n      'Two'\r\n      'Three')\r\n    TabIndex = 1\r\n  end\r\n");
  auto* Tabs = Find<TTabControl>("Tabs1");
  ASSERT_EQ(Tabs->Tabs()->Count(), 3);
  EXPECT_EQ(Tabs->TabIndex(), 1);
  Tabs->OnChanging = [&](TObject*, bool&) { Log.push_back("changing:" + std::to_string(Tabs->TabIndex())); };
  Tabs->OnChange = [&](TObject*) { Log.push_back("change:" + std::to_string(Tabs->TabIndex())); };
  ClickAt(Tabs, Center(Tabs->TabRect(2)));
  EXPECT_EQ(Log, (Strings{"TCN_SELCHANGING", "changing:1", "TCN_SELCHANGE", "change:2"}));
  Log.clear();
  Tabs->SetTabIndex(0);
  Tabs->SetTabIndex(7);  // out of range: ignored
  EXPECT_EQ(Tabs->TabIndex(), 0);
  EXPECT_TRUE(Log.empty());
  Tabs->SetTabIndex(2);
  Tabs->Tabs()->Delete(2);  // the selection follows the shrinking list
  EXPECT_EQ(Tabs->TabIndex(), 1);
  Tabs->Tabs()->Clear();
  EXPECT_EQ(Tabs->TabIndex(), -1);
  EXPECT_EQ(Tabs->IndexOfTabAt(10, 10), -1);
}

TEST_F(ComCtrls, StatusBarPanelsLayOutAndAnswerTheStatusMessages) {
  Load("  object StatusBar1: TStatusBar\r\n    Panels = <\r\n      item\r\n        Text = 'Ready'\r\n"
       "        Width = 100\r\n      end\r\n      item\r\n        Alignment = taRightJustify\r\n"
       "        Width = 60\r\n      end\r\n      item\r\n        Style = psOwnerDraw\r\n        Width = 50\r\n"
       "      end>\r\n  end\r\n");
  auto* Bar = Find<TStatusBar>("StatusBar1");
  ASSERT_EQ(Bar->Panels()->Count(), 3);
  EXPECT_EQ(Bar->Align(), alBottom);
  EXPECT_EQ(Bar->BoundsRect(), Rect(0, Form->ClientHeight() - 19, Form->ClientWidth(), Form->ClientHeight()));
  EXPECT_EQ(Bar->Panels()->Items(1)->Alignment(), taRightJustify);
  const int W = Bar->Width();
  // The last panel runs to the grip (the form is sizeable), or to the end without it.
  ASSERT_TRUE(Bar->ShowingSizeGrip());
  EXPECT_EQ(Bar->PanelRect(0), Rect(0, 2, 100, 19));
  EXPECT_EQ(Bar->PanelRect(1), Rect(100, 2, 160, 19));
  EXPECT_EQ(Bar->PanelRect(2), Rect(160, 2, Bar->SizeGripRect().Left, 19));
  Form->BorderStyle = bsSingle;
  EXPECT_EQ(Bar->PanelRect(2).Right, W);
  Form->BorderStyle = bsSizeable;
  Bar->SetSizeGrip(false);
  EXPECT_EQ(Bar->PanelRect(2).Right, W);

  HWND H = Bar->Handle();
  EXPECT_EQ(SendMessage(H, SB_SETTEXT, 1, reinterpret_cast<LPARAM>("Ln 4")), 1);
  EXPECT_EQ(Bar->Panels()->Items(1)->Text(), "Ln 4");
  char Buffer[32] = {};
  EXPECT_EQ(SendMessage(H, SB_GETTEXT, 0, reinterpret_cast<LPARAM>(Buffer)), 5);
  EXPECT_STREQ(Buffer, "Ready");
  int Edges[3] = {};
  EXPECT_EQ(SendMessage(H, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(Edges)), 3);
  EXPECT_EQ(std::vector<int>(Edges, Edges + 3), (std::vector<int>{100, 160, -1}));
  TRect R;
  EXPECT_EQ(SendMessage(H, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&R)), 1);
  EXPECT_EQ(R, Bar->PanelRect(1));
  EXPECT_EQ(SendMessage(H, SB_GETRECT, 5, reinterpret_cast<LPARAM>(&R)), 0);
  SendMessage(H, SB_SIMPLE, 1, 0);
  SendMessage(H, SB_SETTEXT, SB_SIMPLEID, reinterpret_cast<LPARAM>("Printing..."));
  EXPECT_TRUE(Bar->SimplePanel());
  EXPECT_EQ(Bar->SimpleText(), "Printing...");
  EXPECT_EQ(Bar->PanelRect(0), Rect(0, 2, W, 19));

  // Owner-drawn panels are painted by OnDrawPanel with the panel's inner rectangle; Repaint paints at once,
  // without the loop running.
  SendMessage(H, SB_SIMPLE, 0, 0);
  TRect Drawn{};
  Bar->OnDrawPanel = [&](TStatusBar* Sender, TStatusPanel* Panel, const TRect& Rect) {
    EXPECT_EQ(Panel, Sender->Panels()->Items(2));
    Drawn = Rect;
    Sender->Canvas()->Brush()->SetColor(clRed);
    Sender->Canvas()->FillRect(Rect);
  };
  Bar->Repaint();
  EXPECT_EQ(Drawn, Rect(161, 3, W - 3, 18));
  HDC DC = GetDC(H);
  EXPECT_EQ(GetPixel(DC, 200, 10), static_cast<COLORREF>(clRed));
  const COLORREF Before = GetPixel(DC, 5, 10);
  std::string Wide(20, '#');
  Bar->Panels()->Items(0)->SetText(Wide);
  Bar->Repaint();
  int Changed = 0;
  for (int X = 3; X < 60; ++X) {
    Changed += GetPixel(DC, X, 10) != Before ? 1 : 0;
  }
  EXPECT_GT(Changed, 10);
  ReleaseDC(H, DC);
}

// Dragging the status bar's grip sizes the form from its corner, within the form's constraints.
TEST_F(ComCtrls, TheStatusBarsGripSizesTheForm) {
  Form->BorderStyle = bsSizeable;
  Form->SetBounds(40, 40, 320, 240);
  Form->Constraints()->SetMinWidth(300);
  Form->Constraints()->SetMinHeight(200);
  auto* Bar = Make<TStatusBar>(Form, Form, Rect(0, 0, 100, 19));
  Bar->SetAlign(alBottom);
  Form->Show();
  Harness::RunUntilIdle();
  ASSERT_TRUE(Bar->ShowingSizeGrip());
  int Resized = 0;
  Form->OnResize = [&](TObject*) { ++Resized; };
  struct {
    int Dx, Dy, WantW, WantH;
  } const Drags[] = {{40, 30, 360, 270}, {-100, -100, 300, 200}};
  for (const auto& D : Drags) {
    const TRect Grip = Bar->SizeGripRect();
    const TPoint At = Point(Grip.Left + Grip.Width() / 2, Grip.Top + Grip.Height() / 2);
    Harness::MouseDown(Bar->Handle(), At);
    Harness::MouseMove(Bar->Handle(), Point(At.X + D.Dx, At.Y + D.Dy));
    Harness::MouseUp(Bar->Handle(), Point(At.X + D.Dx, At.Y + D.Dy));
    Harness::RunUntilIdle();
    EXPECT_EQ(Form->Width(), D.WantW);
    EXPECT_EQ(Form->Height(), D.WantH);
    EXPECT_EQ(Form->Left(), 40);
  }
  EXPECT_GE(Resized, 2);
  EXPECT_EQ(Bar->Top(), Form->ClientHeight() - Bar->Height());  // the bar follows the bottom
}

TEST_F(ComCtrls, ProgressBarKeepsItsPositionInRangeAndWrapsWhenStepping) {
  auto* Bar = Make<TProgressBar>(Form, Form, Rect(10, 10, 114, 30));
  Form->Show();
  HWND H = Bar->Handle();
  struct Case {
    const char* What;
    std::function<void()> Act;
    int Position;
  };
  const std::vector<Case> Cases = {
      {"above max", [&] { Bar->SetPosition(150); }, 100},
      {"below min", [&] { Bar->SetPosition(-5); }, 0},
      {"step", [&] { Bar->StepIt(); }, 10},
      {"step by", [&] { Bar->StepBy(85); }, 95},
      {"step past max wraps", [&] { Bar->StepIt(); }, 5},
      {"range shrinks", [&] { Bar->SetPosition(80); Bar->SetMax(50); }, 50},
      {"PBM_SETPOS", [&] { EXPECT_EQ(SendMessage(H, PBM_SETPOS, 20, 0), 50); }, 20},
      {"PBM_DELTAPOS", [&] { EXPECT_EQ(SendMessage(H, PBM_DELTAPOS, 5, 0), 20); }, 25},
      {"PBM_SETRANGE32", [&] { SendMessage(H, PBM_SETRANGE32, 30, 40); }, 30},
  };
  for (const Case& C : Cases) {
    C.Act();
    EXPECT_EQ(Bar->Position(), C.Position) << C.What;
    EXPECT_EQ(SendMessage(H, PBM_GETPOS, 0, 0), C.Position) << C.What;
  }
  EXPECT_EQ(SendMessage(H, PBM_GETRANGE, 1, 0), 30);
  EXPECT_EQ(SendMessage(H, PBM_GETRANGE, 0, 0), 40);
  Bar->SetRange(0, 200);
  Bar->SetPosition(50);
  EXPECT_EQ(Bar->BarRect(), Rect(2, 2, 27, 18));  // a quarter of the 100 inner pixels
  Bar->SetOrientation(pbVertical);
  EXPECT_EQ(Bar->Width(), 20);
  EXPECT_EQ(Bar->BarRect(), Rect(2, 102 - 25, 18, 102));
}

TEST_F(ComCtrls, AGalleryOfTheCommonControlsPaintsAndSavesAsPng) {
  auto* PC = Make<TPageControl>(Form, Form, Rect(4, 4, 204, 124));
  for (const char* Caption : {"First", "Second"}) {
    auto* S = new TTabSheet(Form);
    S->AfterConstruction();
    S->SetPageControl(PC);
    S->SetCaption(Caption);
  }
  auto* Tabs = Make<TTabControl>(Form, Form, Rect(210, 4, 400, 60));
  Tabs->Tabs()->Add("One");
  Tabs->Tabs()->Add("Two");
  auto* Tree = Make<TTreeView>(Form, Form, Rect(4, 130, 140, 250));
  TTreeNode* Root = Tree->Items()->Add(nullptr, "Root");
  Tree->Items()->AddChild(Root, "Child");
  Root->Expand(false);
  Tree->SetSelected(Root);
  auto* List = Make<TListView>(Form, Form, Rect(150, 130, 400, 250));
  List->SetViewStyle(vsReport);
  List->Columns()->Add()->SetCaption("Name");
  List->Items()->Add()->SetCaption("Entry");
  auto* Progress = Make<TProgressBar>(Form, Form, Rect(210, 70, 400, 90));
  Progress->SetSmooth(true);
  Progress->SetPosition(50);
  auto* Bar = Make<TStatusBar>(Form, Form, Rect(0, 0, 0, 19));
  Bar->Panels()->Add()->SetText("Ready");
  Form->Show();
  Harness::RunUntilIdle();

  HDC DC = GetDC(Progress->Handle());
  TRect Filled = Progress->BarRect();
  EXPECT_EQ(GetPixel(DC, Filled.Left + 2, 8), ColorToRGB(clHighlight));
  EXPECT_NE(GetPixel(DC, Filled.Right + 2, 8), ColorToRGB(clHighlight));
  ReleaseDC(Progress->Handle(), DC);
  const std::string File = (std::filesystem::temp_directory_path() / "zub_comctrls_gallery.png").string();
  ASSERT_TRUE(Harness::SaveWindowPng(Form->Handle(), File));
  EXPECT_GT(std::filesystem::file_size(File), 1000u);
  std::filesystem::remove(File);
}

}  // namespace
