// The tree view: the node model, deletion children first, selection, expansion and editing with their events
// and TVN_ notifications in order, geometry and hit tests, sorting, keys and custom draw.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/controls/ToolTipControl.h"
#include "platform/graphics/ImgList.h"
#include "platform/graphics/WinGdi.h"

#include <gtest/gtest.h>

#include <map>

using Strings = std::vector<std::string>;

namespace {

// Logs the tree notifications its children send.
class TTreeForm : public TForm {
  Z_CLASS(TTreeForm, TForm)
public:
  using TForm::TForm;
  Strings* Log = nullptr;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_NOTIFY && Log) {
      auto* NM = reinterpret_cast<NMTREEVIEW*>(Message.LParam);
      std::string Name;
      switch (NM->hdr.code) {
        case TVN_SELCHANGING: Name = "SELCHANGING"; break;
        case TVN_SELCHANGED: Name = "SELCHANGED"; break;
        case TVN_ITEMEXPANDING: Name = "EXPANDING"; break;
        case TVN_ITEMEXPANDED: Name = "EXPANDED"; break;
        case TVN_DELETEITEM: Name = "DELETEITEM"; break;
        default: break;
      }
      if (!Name.empty()) {
        TTreeNode* Node = NM->hdr.code == TVN_DELETEITEM ? NM->itemOld.hItem : NM->itemNew.hItem;
        Log->push_back(Name + ":" + (Node ? Node->Text() : "-"));
      }
    }
    TForm::Dispatch(Message);
  }
};
Z_IMPLEMENT_CLASS(TTreeForm, TForm)

class TreeViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TTreeForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 300, 300);
    Tree = new TTreeView(Form);
    Tree->AfterConstruction();
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 200, 200);
    Items = Tree->Items();
    // Animals: Cat, Dog (Puppy, Hound (Beagle)); Plants
    Animals = Items->Add(nullptr, "Animals");
    Plants = Items->Add(Animals, "Plants");
    Dog = Items->AddChild(Animals, "Dog");
    Cat = Items->AddChildFirst(Animals, "Cat");
    Hound = Items->AddChild(Dog, "Hound");
    Puppy = Items->Insert(Hound, "Puppy");
    Beagle = Items->AddChild(Hound, "Beagle");
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override { delete Form; }
  void Track() { Form->Log = &Log; }
  void ClickAt(TPoint P, Harness::TButton Button = Harness::TButton::Left) {
    Harness::Click(Tree->Handle(), P, Button);
    Harness::RunUntilIdle();
  }
  TPoint LabelPoint(TTreeNode* Node) {
    TRect R = Node->DisplayRect(true);
    return Point(R.Left + 3, (R.Top + R.Bottom) / 2);
  }

  TTreeForm* Form = nullptr;
  TTreeView* Tree = nullptr;
  TTreeNodes* Items = nullptr;
  TTreeNode *Animals, *Plants, *Dog, *Cat, *Hound, *Puppy, *Beagle;
  Strings Log;
};

TEST_F(TreeViewTest, NodesKeepTheirOrderAndAbsoluteIndexes) {
  ASSERT_EQ(Items->Count(), 7);
  Strings Order;
  for (int I = 0; I < Items->Count(); ++I) {
    TTreeNode* N = Items->Item(I);
    Order.push_back(N->Text() + std::to_string(N->Level()));
    EXPECT_EQ(N->AbsoluteIndex(), I);
  }
  EXPECT_EQ(Order, (Strings{"Animals0", "Cat1", "Dog1", "Puppy2", "Hound2", "Beagle3", "Plants0"}));
  EXPECT_THROW(Items->Item(7), EListError);
  EXPECT_EQ(Animals->getFirstChild(), Cat);
  EXPECT_EQ(Cat->getNextSibling(), Dog);
  EXPECT_EQ(Dog->getPrevSibling(), Cat);
  EXPECT_EQ(Beagle->Parent(), Hound);
  EXPECT_EQ(Animals->Parent(), nullptr);
  EXPECT_EQ(Plants->GetPrev(), Beagle);
  EXPECT_EQ(Dog->Count(), 2);
  EXPECT_EQ(Dog->Item(1), Hound);
  EXPECT_TRUE(Beagle->HasAsParent(Animals));
  auto* First = Items->AddFirst(Plants, "Zero");
  EXPECT_EQ(Items->GetFirstNode(), First);
  // Only expanded parents show their children.
  EXPECT_FALSE(Cat->IsVisible());
  EXPECT_EQ(Animals->GetNextVisible(), Plants);
  Animals->Expand(false);
  EXPECT_EQ(Animals->GetNextVisible(), Cat);
  EXPECT_EQ(Cat->DisplayRect(false).Top, 2 * Tree->ItemHeight());
  EXPECT_TRUE((Beagle->DisplayRect(true) == TRect{}));
}

TEST_F(TreeViewTest, DeletingAnnouncesEveryNodeOnceChildrenFirst) {
  Track();
  Strings Deleted;
  Tree->OnDeletion = [&](TObject*, TTreeNode* Node) {
    Deleted.push_back(Node->Text() + (Node->Parent() ? "<" + Node->Parent()->Text() : ""));
  };
  Dog->Delete();
  EXPECT_EQ(Deleted, (Strings{"Puppy<Dog", "Beagle<Hound", "Hound<Dog", "Dog<Animals"}));
  EXPECT_EQ(Items->Count(), 3);
  EXPECT_EQ(Log, (Strings{"DELETEITEM:Puppy", "DELETEITEM:Beagle", "DELETEITEM:Hound", "DELETEITEM:Dog"}));

  // The selection going (with its node or an ancestor) passes to a neighbour of what goes; only the change is
  // reported.
  auto* Kitten = Items->AddChild(Cat, "Kitten");
  Tree->SetSelected(Kitten);
  Log.clear();
  Strings Changes;
  Tree->OnChange = [&](TObject*, TTreeNode* Node) { Changes.push_back(Node ? Node->Text() : "-"); };
  Cat->Delete();
  EXPECT_EQ(Tree->Selected(), Animals);
  EXPECT_EQ(Log, (Strings{"DELETEITEM:Kitten", "DELETEITEM:Cat", "SELCHANGED:Animals"}));
  EXPECT_EQ(Changes, (Strings{"Animals"}));

  // What is left goes when the tree does, still announced: the top-level nodes in order, children first.
  Items->AddChild(Plants, "Fern");
  Deleted.clear();
  Form->Log = nullptr;
  delete Tree;
  EXPECT_EQ(Deleted, (Strings{"Animals", "Fern<Plants", "Plants"}));
}

TEST_F(TreeViewTest, SelectionAsksOnChangingWhichMayRefuse) {
  Track();
  bool Allow = true;
  Tree->OnChanging = [&](TObject*, TTreeNode* Node, bool& AllowChange) {
    Log.push_back("OnChanging:" + Node->Text() + " from " + (Tree->Selected() ? Tree->Selected()->Text() : "-"));
    AllowChange = Allow;
  };
  Tree->OnChange = [&](TObject*, TTreeNode* Node) { Log.push_back("OnChange:" + Node->Text()); };
  Tree->SetSelected(Plants);
  EXPECT_EQ(Log, (Strings{"SELCHANGING:Plants", "OnChanging:Plants from -", "SELCHANGED:Plants", "OnChange:Plants"}));
  Log.clear();
  Allow = false;
  ClickAt(LabelPoint(Animals));
  EXPECT_EQ(Tree->Selected(), Plants);
  EXPECT_EQ(Log, (Strings{"SELCHANGING:Animals", "OnChanging:Animals from Plants"}));
  Allow = true;
  ClickAt(LabelPoint(Animals));
  EXPECT_EQ(Tree->Selected(), Animals);
  EXPECT_TRUE(Animals->Selected());
  // Selecting a hidden node opens its parents and brings it into view.
  Log.clear();
  Beagle->SetSelected(true);
  EXPECT_TRUE(Animals->Expanded() && Dog->Expanded() && Hound->Expanded());
  EXPECT_FALSE((Beagle->DisplayRect(true) == TRect{}));
}

TEST_F(TreeViewTest, ExpandingAsksFirstAndLoadsChildrenOnDemand) {
  Track();
  bool Allow = true;
  Tree->OnExpanding = [&](TObject*, TTreeNode* Node, bool& AllowExpansion) {
    Log.push_back("OnExpanding:" + Node->Text());
    AllowExpansion = Allow;
    if (Node == Plants && Plants->Count() == 0 && Node->Data) {
      Items->AddChild(Plants, "Fern");  // children arrive as the node opens
    }
  };
  Tree->OnExpanded = [&](TObject*, TTreeNode* Node) { Log.push_back("OnExpanded:" + Node->Text()); };
  Tree->OnCollapsing = [&](TObject*, TTreeNode* Node, bool&) { Log.push_back("OnCollapsing:" + Node->Text()); };
  Tree->OnCollapsed = [&](TObject*, TTreeNode* Node) { Log.push_back("OnCollapsed:" + Node->Text()); };

  Allow = false;
  Animals->Expand(false);
  EXPECT_FALSE(Animals->Expanded());
  EXPECT_EQ(Log, (Strings{"EXPANDING:Animals", "OnExpanding:Animals"}));
  Log.clear();
  Allow = true;
  // A click on the button opens the node without selecting it.
  TRect Row = Animals->DisplayRect(true);
  ClickAt(Point(Tree->Indent() / 2 + 2, (Row.Top + Row.Bottom) / 2));
  EXPECT_TRUE(Animals->Expanded());
  EXPECT_EQ(Tree->Selected(), nullptr);
  EXPECT_EQ(Log, (Strings{"EXPANDING:Animals", "OnExpanding:Animals", "EXPANDED:Animals", "OnExpanded:Animals"}));

  // A promised child: the node shows a button, and gets its children when it opens.
  Plants->SetHasChildren(true);
  Plants->Data = Plants;
  EXPECT_EQ(Plants->Count(), 0);
  Plants->Expand(false);
  EXPECT_TRUE(Plants->Expanded());
  EXPECT_EQ(Plants->getFirstChild()->Text(), "Fern");
  // A promise that comes to nothing takes the button away.
  auto* Empty = Items->Add(nullptr, "Empty");
  Empty->SetHasChildren(true);
  Empty->Expand(false);
  EXPECT_FALSE(Empty->Expanded());
  EXPECT_FALSE(Empty->HasChildren());

  // Collapsing over the selection moves it up to the collapsed node.
  Tree->SetSelected(Cat);
  Log.clear();
  Animals->Collapse(false);
  EXPECT_EQ(Tree->Selected(), Animals);
  EXPECT_EQ(Log, (Strings{"EXPANDING:Animals", "OnCollapsing:Animals", "SELCHANGED:Animals", "EXPANDED:Animals",
                          "OnCollapsed:Animals"}));
}

TEST_F(TreeViewTest, RowsHitTestsAndScrolling) {
  Tree->FullExpand();
  const int H = Tree->ItemHeight();
  const int Indent = Tree->Indent();
  EXPECT_EQ(Tree->GetNodeAt(5, 3 * H + 1), Puppy);
  EXPECT_EQ(Tree->GetNodeAt(5, 10 * H), nullptr);
  TRect Label = Beagle->DisplayRect(true);
  EXPECT_EQ(Label.Left, 4 * Indent + 2);  // three levels deep plus the root's lines
  EXPECT_EQ(Label.Top, 5 * H);
  EXPECT_EQ(Beagle->DisplayRect(false), Rect(0, 5 * H, Tree->ClientWidth(), 6 * H));
  struct Case {
    TPoint P;
    THitTest Expected;
  };
  const int Y = 2 * H + H / 2;  // Dog, level 1, has children
  for (const Case& C : std::vector<Case>{{{2, Y}, htOnIndent},
                                         {{Indent + Indent / 2, Y}, htOnButton},
                                         {{2 * Indent + 4, Y}, htOnLabel},
                                         {{Tree->ClientWidth() - 2, Y}, htOnRight},
                                         {{5, 9 * H}, htNowhere},
                                         {{5, -3}, htAbove},
                                         {{Tree->ClientWidth() + 5, Y}, htToRight}}) {
    EXPECT_TRUE(Tree->GetHitTestInfoAt(C.P.X, C.P.Y).Contains(C.Expected)) << C.P.X << "," << C.P.Y;
  }
  EXPECT_TRUE(Tree->GetHitTestInfoAt(2 * Indent + 4, Y).Contains(htOnItem));

  // A short tree view scrolls to show the node asked for.
  Tree->SetHeight(3 * H + 4);
  EXPECT_EQ(Tree->VisibleRowCount(), 3);
  EXPECT_EQ(Tree->TopItem(), Animals);
  Plants->MakeVisible();
  EXPECT_EQ(Tree->TopItem(), Hound);
  EXPECT_EQ(Plants->DisplayRect(false).Top, 2 * H);
  Tree->SetTopItem(Cat);
  EXPECT_EQ(Tree->GetNodeAt(5, 1), Cat);
  SendMessage(Tree->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Tree->TopItem(), Dog);
}

TEST_F(TreeViewTest, SortingByTextOrByTheProgramsOrder) {
  auto* Root = Items->Add(nullptr, "Letters");
  for (const char* S : {"delta", "alpha", "charlie", "bravo"}) {
    Items->AddChild(Root, S);
  }
  auto Children = [&](TTreeNode* N) {
    Strings R;
    for (TTreeNode* C = N->getFirstChild(); C; C = C->getNextSibling()) {
      R.push_back(C->Text());
    }
    return R;
  };
  Root->CustomSort([](TTreeNode* A, TTreeNode* B, LPARAM Data) {
    return static_cast<int>(Data) * (static_cast<int>(B->Text().size()) - static_cast<int>(A->Text().size()));
  }, 1);
  EXPECT_EQ(Children(Root), (Strings{"charlie", "delta", "alpha", "bravo"}));  // longest first, stable
  Tree->OnCompare = [](TObject*, TTreeNode* A, TTreeNode* B, int, int& Compare) {
    Compare = B->Text().compare(A->Text());
  };
  Root->AlphaSort();
  EXPECT_EQ(Children(Root), (Strings{"delta", "charlie", "bravo", "alpha"}));
  Tree->OnCompare = nullptr;
  Tree->SetSortType(stText);
  EXPECT_EQ(Children(Root), (Strings{"alpha", "bravo", "charlie", "delta"}));
  Items->AddChild(Root, "beta");
  Root->getFirstChild()->SetText("zulu");
  EXPECT_EQ(Children(Root), (Strings{"beta", "bravo", "charlie", "delta", "zulu"}));
}

TEST_F(TreeViewTest, EditingALabelAsksFirstAndLetsTheHandlerAmendTheText) {
  bool Allow = false;
  Tree->OnEditing = [&](TObject*, TTreeNode* Node, bool& AllowEdit) {
    Log.push_back("OnEditing:" + Node->Text());
    AllowEdit = Allow;
  };
  Tree->OnEdited = [&](TObject*, TTreeNode* Node, std::string& S) {
    Log.push_back("OnEdited:" + Node->Text() + "->" + S);
    S += "!";
  };
  EXPECT_FALSE(Plants->EditText());
  EXPECT_FALSE(Tree->IsEditing());
  Allow = true;
  ASSERT_TRUE(Plants->EditText());
  EXPECT_TRUE(Tree->IsEditing());
  Harness::RunUntilIdle();
  Harness::TypeText("Trees");
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_FALSE(Tree->IsEditing());
  EXPECT_EQ(Plants->Text(), "Trees!");
  EXPECT_EQ(Log, (Strings{"OnEditing:Plants", "OnEditing:Plants", "OnEdited:Plants->Trees"}));  // refused, then allowed
  // Escape, or EndEdit(true), leaves the text alone without OnEdited.
  Log.clear();
  Tree->SetSelected(Animals);
  Harness::KeyPress(VK_F2);
  Harness::RunUntilIdle();
  ASSERT_EQ(Tree->EditingNode(), Animals);
  Harness::TypeText("xyz");
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_EQ(Animals->Text(), "Animals");
  ASSERT_TRUE(Animals->EditText());
  Animals->EndEdit(true);
  EXPECT_EQ(Log, (Strings{"OnEditing:Animals", "OnEditing:Animals"}));
  Tree->ReadOnly = true;
  EXPECT_FALSE(Animals->EditText());
}

TEST_F(TreeViewTest, KeysMoveTheSelectionAndOpenNodes) {
  Tree->SetFocus();
  Tree->SetSelected(Animals);
  struct Step {
    WORD Key;
    TTreeNode* Selected;
    bool AnimalsOpen;
  };
  for (const Step& S : std::vector<Step>{{VK_RIGHT, Animals, true},
                                         {VK_RIGHT, Cat, true},
                                         {VK_DOWN, Dog, true},
                                         {VK_END, Plants, true},
                                         {VK_HOME, Animals, true},
                                         {VK_LEFT, Animals, false},
                                         {VK_DOWN, Plants, false}}) {
    Harness::KeyPress(S.Key);
    Harness::RunUntilIdle();
    EXPECT_EQ(Tree->Selected(), S.Selected) << S.Key;
    EXPECT_EQ(Animals->Expanded(), S.AnimalsOpen) << S.Key;
  }
}

TEST_F(TreeViewTest, CustomDrawGoesThroughItsStagesAndMayRecolourOrSkip) {
  Animals->Expand(false);
  Tree->SetSelected(Dog);
  Strings Drawn;
  Tree->OnCustomDrawItem = [&](TCustomTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool& Default) {
    Drawn.push_back(Node->Text() + (State.Contains(cdsSelected) ? "*" : ""));
    if (Node == Cat) {
      Sender->Canvas()->Brush()->SetColor(clRed);
    }
    if (Node == Plants) {
      Default = false;
    }
  };
  Tree->Repaint();
  EXPECT_EQ(Drawn, (Strings{"Animals", "Cat", "Dog*", "Plants"}));
  HDC DC = GetDC(Tree->Handle());
  TRect CatLabel = Cat->DisplayRect(true);
  EXPECT_EQ(GetPixel(DC, CatLabel.Left + 1, CatLabel.Top + 1), static_cast<COLORREF>(clRed));
  TRect PlantsRow = Plants->DisplayRect(true);
  const COLORREF Window = GetPixel(DC, Tree->ClientWidth() - 2, PlantsRow.Top + 1);
  int Inked = 0;
  for (int X = PlantsRow.Left; X < PlantsRow.Right; ++X) {
    Inked += GetPixel(DC, X, (PlantsRow.Top + PlantsRow.Bottom) / 2) != Window ? 1 : 0;
  }
  EXPECT_EQ(Inked, 0);  // skipped: nothing drawn for it
  // The whole-control stage can take over the painting.
  Drawn.clear();
  Tree->OnCustomDraw = [](TCustomTreeView*, const TRect&, bool& Default) { Default = false; };
  Tree->Repaint();
  EXPECT_TRUE(Drawn.empty());
  ReleaseDC(Tree->Handle(), DC);
}

TEST_F(TreeViewTest, RightClickSelectSelectsTheNodeUnderThePointer) {
  int Rclicks = 0;
  Track();
  Tree->RightClickSelect = true;
  ClickAt(LabelPoint(Plants), Harness::TButton::Right);
  EXPECT_EQ(Tree->Selected(), Plants);
  Tree->RightClickSelect = false;
  Tree->OnChanging = [&](TObject*, TTreeNode*, bool&) { ++Rclicks; };
  ClickAt(LabelPoint(Animals), Harness::TButton::Right);
  EXPECT_EQ(Tree->Selected(), Plants);
  EXPECT_EQ(Rclicks, 0);
}

TEST_F(TreeViewTest, ATreeViewIsLaidOutFromAFormFile) {
  RegisterClasses({TTreeView::StaticClass()});
  TStringStream In("object Form1: TTreeForm\r\n  object Tree2: TTreeView\r\n    Left = 210\r\n    Width = 80\r\n"
                   "    Indent = 12\r\n    ReadOnly = True\r\n    RowSelect = True\r\n    ShowRoot = False\r\n"
                   "    SortType = stText\r\n  end\r\nend\r\n");
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* Tree2 = dynamic_cast<TTreeView*>(Form->FindComponent("Tree2"));
  ASSERT_NE(Tree2, nullptr);
  EXPECT_EQ(Tree2->Indent(), 12);
  EXPECT_TRUE(Tree2->ReadOnly);
  EXPECT_TRUE(Tree2->RowSelect());
  EXPECT_FALSE(Tree2->ShowRoot());
  EXPECT_EQ(Tree2->SortType(), stText);
  auto* Top = Tree2->Items()->Add(nullptr, "b");
  Tree2->Items()->Add(nullptr, "a");
  EXPECT_EQ(Tree2->Items()->GetFirstNode()->Text(), "a");
  EXPECT_EQ(Top->DisplayRect(true).Left, 2);  // no room for root lines
}

TEST_F(TreeViewTest, NodesTravelInTheLayoutAsTheItemsDataBlock) {
  RegisterClasses({TTreeView::StaticClass()});
  Tree->SetName("Tree1");
  Cat->SetImageIndex(3);
  Cat->SetStateIndex(2);
  TMemoryStream Bin;
  Bin.WriteComponent(Tree);
  Bin.SetPosition(0);
  TStringStream Text("");
  ObjectBinaryToText(&Bin, &Text);
  // One top-level node record: its size (24 + 1 + text), the indexes, the data slot, the child count, the text.
  const std::string Plants = "1F000000" "00000000" "00000000" "FFFFFFFF" "FFFFFFFF" "00000000" "00000000"
                             "06506C616E7473";
  std::string Flat;
  for (char C : Text.DataString()) {
    if (std::isxdigit(static_cast<unsigned char>(C))) Flat += C;
    else if (C == '}') Flat += '|';
  }
  EXPECT_NE(Text.DataString().find("Items.Data = {"), std::string::npos);
  EXPECT_NE(Flat.find(Plants), std::string::npos) << Text.DataString();

  auto* Copy = new TTreeView(nullptr);
  Copy->AfterConstruction();
  Bin.SetPosition(0);
  Bin.ReadComponent(Copy);
  ASSERT_EQ(Copy->Items()->Count(), 7);
  Strings Got;
  for (int I = 0; I < 7; ++I) {
    TTreeNode* N = Copy->Items()->Item(I);
    Got.push_back(N->Text() + "/" + std::to_string(N->Level()) + "/" + std::to_string(N->ImageIndex()) + "/" +
                  std::to_string(N->StateIndex()));
  }
  EXPECT_EQ(Got, (Strings{"Animals/0/0/-1", "Cat/1/3/2", "Dog/1/0/-1", "Puppy/2/0/-1", "Hound/2/0/-1",
                          "Beagle/3/0/-1", "Plants/0/0/-1"}));

  // A record whose size and text disagree is refused, not read past.
  TTreeView* Target = Copy;
  EXPECT_THROW(
      {
        TStringStream In("object Tree1: TTreeView\r\n  Items.Data = {\r\n    01000000 1D000000 000000000000000000000000"
                         "000000000000000000000000 C8616263 64}\r\nend\r\n");
        TMemoryStream B;
        ObjectTextToBinary(&In, &B);
        B.SetPosition(0);
        B.ReadComponent(Target);
      },
      EReadError);
  // So is a node that promises a child the block does not hold; either way the nodes read before stay.
  EXPECT_THROW(
      {
        TStringStream In("object Tree1: TTreeView\r\n  Items.Data = {\r\n    01000000 19000000 000000000000000000000000"
                         "000000000000000001000000 00}\r\nend\r\n");
        TMemoryStream B;
        ObjectTextToBinary(&In, &B);
        B.SetPosition(0);
        B.ReadComponent(Target);
      },
      EReadError);
  EXPECT_EQ(Copy->Items()->Count(), 7);
  EXPECT_EQ(Copy->Items()->Item(6)->Text(), "Plants");
  delete Copy;
}

TEST_F(TreeViewTest, ImagesAreAskedForThroughTheDisplayInfoOfTheNodesShown) {
  TImageList Images(nullptr);
  Images.SetWidth(8);
  Images.SetHeight(8);
  TBitmap Strip;
  Strip.SetSize(16, 8);
  Strip.Canvas()->Brush()->SetColor(clRed);
  Strip.Canvas()->FillRect(Rect(0, 0, 8, 8));
  Strip.Canvas()->Brush()->SetColor(clBlue);
  Strip.Canvas()->FillRect(Rect(8, 0, 16, 8));
  ASSERT_EQ(Images.AddMasked(&Strip, clFuchsia), 0);
  Tree->SetImages(&Images);
  Strings Asked;
  bool Answered = false;
  Form->Log = nullptr;
  Tree->OnGetImageIndex = [&](TObject*, TTreeNode* Node) {
    Asked.push_back(Node->Text());
    Node->SetImageIndex(Node == Plants ? 1 : 0);
  };
  Tree->OnGetSelectedIndex = [&](TObject*, TTreeNode* Node) {
    Answered = true;
    Node->SetSelectedIndex(1);
  };
  Tree->SetSelected(Animals);
  Tree->Repaint();
  EXPECT_EQ(Asked, (Strings{"Plants"}));  // the collapsed children are not asked; the selected node gives its
  EXPECT_TRUE(Answered);                  // selected image instead
  HDC DC = GetDC(Tree->Handle());
  TRect PlantsLabel = Plants->DisplayRect(true), AnimalsLabel = Animals->DisplayRect(true);
  const int Mid = (PlantsLabel.Top + PlantsLabel.Bottom) / 2;
  EXPECT_EQ(GetPixel(DC, PlantsLabel.Left - 5, Mid), static_cast<COLORREF>(clBlue));
  EXPECT_EQ(GetPixel(DC, AnimalsLabel.Left - 5, (AnimalsLabel.Top + AnimalsLabel.Bottom) / 2),
            static_cast<COLORREF>(clBlue));
  ReleaseDC(Tree->Handle(), DC);
  Tree->SetImages(nullptr);
}

// ---- Under the pointer: hot tracking, label tips, the delayed change ------------------------------------------------

class TreeHoverTest : public TreeViewTest {
protected:
  void MoveTo(TPoint P) {
    Harness::MouseMove(Tree->Handle(), P);
    Harness::RunUntilIdle();
  }
  // Off the tree, onto the form beside it.
  void Leave() {
    Harness::MouseMove(Form->Handle(), Point(Tree->Width() + 20, 20));
    Harness::RunUntilIdle();
  }
  bool TipUp() { return Tree->ToolTipHandle() && IsWindowVisible(Tree->ToolTipHandle()); }
  TManualClock Clock;
  TScopedClock UseClock{Clock};
};

TEST_F(TreeHoverTest, HotTrackingFollowsThePointerUnderlinesInTheHotColourAndShowsTheHand) {
  Animals->Expand(false);
  std::map<std::string, bool> HotDrawn;
  Tree->OnCustomDrawItem = [&](TCustomTreeView*, TTreeNode* Node, TCustomDrawState State, bool&) {
    HotDrawn[Node->Text()] = State.Contains(cdsHot);
  };
  // Without HotTrack nothing is hot.
  MoveTo(LabelPoint(Cat));
  EXPECT_EQ(Tree->HotNode(), nullptr);
  Tree->SetHotTrack(true);
  EXPECT_NE(GetWindowLong(Tree->Handle(), GWL_STYLE) & TVS_TRACKSELECT, 0);
  MoveTo(LabelPoint(Dog));
  EXPECT_EQ(Tree->HotNode(), Dog);
  MoveTo(LabelPoint(Cat));
  ASSERT_EQ(Tree->HotNode(), Cat);
  Tree->Repaint();
  EXPECT_TRUE(HotDrawn["Cat"]);
  EXPECT_FALSE(HotDrawn["Dog"]);
  EXPECT_FALSE(HotDrawn["Animals"]);
  // The label is underlined in the hot colour: a run of it under the text.
  HDC DC = GetDC(Tree->Handle());
  TRect Label = Cat->DisplayRect(true);
  int Longest = 0;
  for (int Y = Label.Top; Y < Label.Bottom; ++Y) {
    int Run = 0;
    for (int X = Label.Left; X < Label.Right; ++X) {
      Run += GetPixel(DC, X, Y) == ColorToRGB(clHotLight) ? 1 : 0;
    }
    Longest = std::max(Longest, Run);
  }
  ReleaseDC(Tree->Handle(), DC);
  EXPECT_GE(Longest, Label.Width() / 2);
  // The hand shows over the hot label.
  TPoint Screen = Tree->ClientToScreen(LabelPoint(Cat));
  SetCursorPos(Screen.X, Screen.Y);
  SendMessage(Tree->Handle(), WM_SETCURSOR, Tree->Handle(), MAKELONG(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, MAKEINTRESOURCE(IDC_HAND)));
  // Beside the labels nothing is hot; leaving the window takes the highlight away too.
  MoveTo(Point(Tree->ClientWidth() - 3, LabelPoint(Cat).Y));
  EXPECT_EQ(Tree->HotNode(), nullptr);
  MoveTo(LabelPoint(Plants));
  EXPECT_EQ(Tree->HotNode(), Plants);
  Leave();
  EXPECT_EQ(Tree->HotNode(), nullptr);
  // A node deleted while hot leaves nothing behind.
  MoveTo(LabelPoint(Plants));
  Plants->Delete();
  EXPECT_EQ(Tree->HotNode(), nullptr);
}

TEST_F(TreeHoverTest, ACutOffLabelShowsItsWholeTextInATipLaidOverIt) {
  Tree->SetWidth(90);
  TTreeNode* Long = Items->Add(nullptr, "A node whose text is far too long");
  Harness::RunUntilIdle();
  HWND Tip = Tree->ToolTipHandle();
  ASSERT_NE(Tip, 0u);
  EXPECT_EQ(static_cast<HWND>(SendMessage(Tree->Handle(), TVM_GETTOOLTIPS, 0, 0)), Tip);
  EXPECT_EQ(static_cast<HFONT>(SendMessage(Tip, WM_GETFONT, 0, 0)), Tree->Font()->Handle());
  // A label that fits gets no tip.
  MoveTo(LabelPoint(Animals));
  Harness::Advance(Clock, GetDoubleClickTime() + 1);
  EXPECT_FALSE(TipUp());
  MoveTo(LabelPoint(Long));
  EXPECT_FALSE(TipUp());  // the platform's initial delay first
  Harness::Advance(Clock, GetDoubleClickTime() + 1);
  ASSERT_TRUE(TipUp());
  EXPECT_EQ(GetWindowTextString(Tip), Long->Text());
  TRect Label = Long->DisplayRect(true);
  ASSERT_GT(Label.Right, Tree->ClientWidth());
  TPoint Origin = Tree->ClientToScreen(Point(Label.Left, Label.Top));
  TRect R;
  GetWindowRect(Tip, &R);
  EXPECT_EQ(R.Left, Origin.X);
  EXPECT_EQ(R.Top, Origin.Y);
  EXPECT_EQ(R.Height(), Label.Height());
  HDC DC = GetDC(Tree->Handle());
  HGDIOBJ Old = SelectObject(DC, Tree->Font()->Handle());
  TSize Text;
  GetTextExtentPoint32(DC, Long->Text().c_str(), static_cast<int>(Long->Text().size()), &Text);
  SelectObject(DC, Old);
  ReleaseDC(Tree->Handle(), DC);
  EXPECT_GE(R.Width(), Label.Width());
  EXPECT_GE(R.Width(), Text.cx);
  EXPECT_LE(R.Width(), Text.cx + 12);
  // Moving along the label keeps it; a click goes through to the tree.
  MoveTo(Point(LabelPoint(Long).X + 4, LabelPoint(Long).Y));
  EXPECT_TRUE(TipUp());
  ClickAt(Point(LabelPoint(Long).X + 4, LabelPoint(Long).Y));
  EXPECT_EQ(Tree->Selected(), Long);
  // Off the label, or off the tree, it goes.
  MoveTo(LabelPoint(Long));
  Harness::Advance(Clock, GetDoubleClickTime() + 1);
  ASSERT_TRUE(TipUp());
  MoveTo(LabelPoint(Animals));
  EXPECT_FALSE(TipUp());
  MoveTo(LabelPoint(Long));
  Harness::Advance(Clock, GetDoubleClickTime() + 1);
  ASSERT_TRUE(TipUp());
  Leave();
  EXPECT_FALSE(TipUp());
  // A tip whose node is renamed goes; the next hover shows the new text.
  MoveTo(LabelPoint(Long));
  Harness::Advance(Clock, GetDoubleClickTime() + 1);
  ASSERT_TRUE(TipUp());
  Long->SetText("Another text that is also too long");
  EXPECT_FALSE(TipUp());
  MoveTo(Point(LabelPoint(Long).X + 1, LabelPoint(Long).Y));
  Harness::Advance(Clock, GetDoubleClickTime() + 1);
  ASSERT_TRUE(TipUp());
  EXPECT_EQ(GetWindowTextString(Tip), Long->Text());
  // ToolTips off: no tip window at all.
  Tree->SetToolTips(false);
  EXPECT_NE(GetWindowLong(Tree->Handle(), GWL_STYLE) & TVS_NOTOOLTIPS, 0);
  EXPECT_EQ(Tree->ToolTipHandle(), 0u);
  EXPECT_FALSE(IsWindow(Tip));
  MoveTo(LabelPoint(Long));
  Harness::Advance(Clock, GetDoubleClickTime() + 1);
  EXPECT_FALSE(TipUp());
}

// A descendant that asks the platform for no tooltips through the window style, as trees on old platforms do.
class TNoTipsTree : public TTreeView {
  Z_CLASS(TNoTipsTree, TTreeView)
public:
  using TTreeView::TTreeView;

protected:
  void CreateParams(TCreateParams& Params) override {
    TTreeView::CreateParams(Params);
    Params.Style |= TVS_NOTOOLTIPS;
  }
};
Z_IMPLEMENT_CLASS(TNoTipsTree, TTreeView)

TEST_F(TreeHoverTest, TheWindowStyleDecidesAndAnotherTipCanBeHandedIn) {
  auto* Plain = new TNoTipsTree(Form);
  Plain->AfterConstruction();
  Plain->SetParent(Form);
  Plain->SetBounds(210, 0, 60, 100);
  Plain->Items()->Add(nullptr, "Long enough to be cut off");
  Harness::RunUntilIdle();
  EXPECT_TRUE(Plain->ToolTips());
  EXPECT_EQ(SendMessage(Plain->Handle(), TVM_GETTOOLTIPS, 0, 0), 0);
  // A tip handed in is used; the one handed back is the caller's.
  HWND Mine = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, 0, 0, nullptr, nullptr);
  HWND Own = Tree->ToolTipHandle();
  EXPECT_EQ(static_cast<HWND>(SendMessage(Tree->Handle(), TVM_SETTOOLTIPS, Mine, 0)), Own);
  EXPECT_EQ(Tree->ToolTipHandle(), Mine);
  EXPECT_EQ(SendMessage(Mine, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessage(Own, TTM_GETTOOLCOUNT, 0, 0), 0);
  Tree->SetWidth(40);
  MoveTo(LabelPoint(Animals));
  Harness::Advance(Clock, GetDoubleClickTime() + 1);
  EXPECT_TRUE(IsWindowVisible(Mine));
  DestroyWindow(Own);
  delete Form;
  Form = nullptr;
  EXPECT_TRUE(IsWindow(Mine));  // not the tree's to destroy
  DestroyWindow(Mine);
}

TEST_F(TreeHoverTest, ChangeDelayReportsOnlyTheLastOfQuickChangesAfterTheDelay) {
  Strings Changes;
  Tree->OnChange = [&](TObject*, TTreeNode* Node) { Changes.push_back(Node ? Node->Text() : "-"); };
  Tree->SetChangeDelay(300);
  Tree->SetSelected(Animals);
  Tree->SetSelected(Plants);
  EXPECT_TRUE(Changes.empty());
  Harness::Advance(Clock, 299);
  EXPECT_TRUE(Changes.empty());
  Harness::Advance(Clock, 2);
  EXPECT_EQ(Changes, (Strings{"Plants"}));
  Harness::Advance(Clock, 1000);
  EXPECT_EQ(Changes.size(), 1u);
  // The node waiting to be reported is deleted: the change reports the selection that replaced it.
  Changes.clear();
  Animals->Expand(false);
  Tree->SetSelected(Cat);
  Cat->Delete();
  Harness::Advance(Clock, 301);
  ASSERT_EQ(Changes.size(), 1u);
  EXPECT_EQ(Changes[0], Tree->Selected() ? Tree->Selected()->Text() : "-");
  // Without a delay the change is reported at once.
  Changes.clear();
  Tree->SetChangeDelay(0);
  TTreeNode* Next = Tree->Selected() == Animals ? Plants : Animals;
  Tree->SetSelected(Next);
  EXPECT_EQ(Changes, (Strings{Next->Text()}));
  Tree->OnChange = nullptr;
}

}  // namespace
