// Aligned layout with a splitter: panels aligned top, left, client and bottom laid out from a form file, resized,
// hidden and shown again; dragging the splitter in each direction and resize style, with its limits and events.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/Splitter.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/WinGdi.h"

#include <gtest/gtest.h>

namespace {

class SplitterTest : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    RegisterClasses({TPanel::StaticClass(), TSplitter::StaticClass()});
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 500, 400);
  }
  void TearDown() override { delete Form; }

  // Reads a layout into the form and shows it with a client area of 400 x 300.
  void Load(const std::string& Body) {
    TStringStream In("object Form1: TForm\r\n" + Body + "end\r\n");
    TMemoryStream Bin;
    ObjectTextToBinary(&In, &Bin);
    Bin.SetPosition(0);
    Bin.ReadComponent(Form);
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
    Form->Show();
    Harness::RunUntilIdle();
  }
  TControl* C(const std::string& Name) {
    auto* Result = dynamic_cast<TControl*>(Form->FindComponent(Name));
    EXPECT_NE(Result, nullptr) << Name;
    return Result;
  }
  static std::string Bounds(TControl* Control) {
    TRect R = Control->BoundsRect();
    return std::to_string(R.Left) + "," + std::to_string(R.Top) + "," + std::to_string(R.Right) + "," +
           std::to_string(R.Bottom);
  }
  void Drag(TControl* Bar, TPoint From, TPoint To, const std::function<void()>& Midway = {}) {
    HWND W = Form->Handle();
    TPoint Start{Bar->Left() + From.X, Bar->Top() + From.Y};
    Harness::MouseMove(W, Start);
    Harness::MouseDown(W, Start);
    Harness::RunUntilIdle();
    Harness::MouseMove(W, Point((Start.X + To.X) / 2, (Start.Y + To.Y) / 2));
    Harness::RunUntilIdle();
    Harness::MouseMove(W, To);
    Harness::RunUntilIdle();
    if (Midway) {
      Midway();
    }
    Harness::MouseUp(W, To);
    Harness::RunUntilIdle();
  }

  TForm* Form = nullptr;
  std::vector<std::string> Log;
};

// Top, bottom, left (with its splitter written first in the file, but placed right of the panel), client.
const char* const Layout =
    "  object Top1: TPanel\r\n    Left = 0\r\n    Top = 0\r\n    Width = 10\r\n    Height = 30\r\n"
    "    Align = alTop\r\n  end\r\n"
    "  object Splitter1: TSplitter\r\n    Left = 120\r\n    Top = 30\r\n    Width = 4\r\n    Height = 100\r\n"
    "    MinSize = 40\r\n    ResizeStyle = rsUpdate\r\n  end\r\n"
    "  object Left1: TPanel\r\n    Left = 0\r\n    Top = 30\r\n    Width = 120\r\n    Height = 100\r\n"
    "    Align = alLeft\r\n  end\r\n"
    "  object Bottom1: TPanel\r\n    Left = 0\r\n    Top = 250\r\n    Width = 10\r\n    Height = 20\r\n"
    "    Align = alBottom\r\n  end\r\n"
    "  object Client1: TPanel\r\n    Left = 130\r\n    Top = 40\r\n    Width = 10\r\n    Height = 10\r\n"
    "    Align = alClient\r\n  end\r\n";

TEST_F(SplitterTest, AlignedPanelsAndSplitterLayOutBeforeAndAfterResizingAndHiding) {
  Load(Layout);
  auto Snapshot = [&] {
    return Bounds(C("Top1")) + " " + Bounds(C("Bottom1")) + " " + Bounds(C("Left1")) + " " + Bounds(C("Splitter1")) +
           " " + Bounds(C("Client1"));
  };
  EXPECT_EQ(Snapshot(), "0,0,400,30 0,280,400,300 0,30,120,280 120,30,124,280 124,30,400,280");
  auto* Splitter = static_cast<TSplitter*>(C("Splitter1"));
  EXPECT_EQ(Splitter->MinSize(), 40);
  EXPECT_EQ(Splitter->ResizeStyle, rsUpdate);
  EXPECT_EQ(Splitter->Cursor, crHSplit);

  Form->SetClientWidth(600);
  Form->SetClientHeight(200);
  EXPECT_EQ(Snapshot(), "0,0,600,30 0,180,600,200 0,30,120,180 120,30,124,180 124,30,600,180");

  // Hidden, the left panel leaves its room to the splitter and the client; shown again, it returns to its place
  // before the splitter.
  C("Left1")->Hide();
  EXPECT_EQ(Bounds(C("Splitter1")) + " " + Bounds(C("Client1")), "0,30,4,180 4,30,600,180");
  EXPECT_EQ(Splitter->FindResizeControl(), nullptr);
  C("Left1")->Show();
  EXPECT_EQ(Snapshot(), "0,0,600,30 0,180,600,200 0,30,120,180 120,30,124,180 124,30,600,180");

  C("Top1")->Hide();
  EXPECT_EQ(Bounds(C("Left1")) + " " + Bounds(C("Splitter1")), "0,0,120,180 120,0,124,180");
  C("Top1")->Show();
  EXPECT_EQ(Bounds(C("Top1")) + " " + Bounds(C("Left1")), "0,0,600,30 0,30,120,180");
}

TEST_F(SplitterTest, DraggingResizesWithinTheLimitsAndReportsEachMove) {
  Load(Layout);
  auto* Splitter = static_cast<TSplitter*>(C("Splitter1"));
  auto* Left = C("Left1");
  Splitter->OnMoved = [&](TObject*) { Log.push_back("moved " + std::to_string(Left->Width())); };
  // rsUpdate: the panel follows every move.
  Drag(Splitter, Point(2, 50), Point(200, 100));
  EXPECT_EQ(Left->Width(), 198);
  EXPECT_EQ(Bounds(Splitter), "198,30,202,280");
  EXPECT_EQ(Bounds(C("Client1")), "202,30,400,280");
  EXPECT_EQ(Log, (std::vector<std::string>{"moved 159", "moved 198"}));

  // Past the far side: the client keeps MinSize (400 - 40 - 4 = 356 for the panel).
  Log.clear();
  Drag(Splitter, Point(1, 50), Point(399, 100));
  EXPECT_EQ(Left->Width(), 356);
  EXPECT_EQ(Bounds(C("Client1")), "360,30,400,280");
  // A press and release on the spot changes nothing and reports nothing.
  Log.clear();
  Drag(Splitter, Point(1, 50), Point(357, 80));
  EXPECT_TRUE(Log.empty());

  // Below MinSize the panel snaps shut; without AutoSnap it stops at MinSize.
  Drag(Splitter, Point(1, 50), Point(30, 100));
  EXPECT_EQ(Left->Width(), 0);
  EXPECT_EQ(Splitter->Left(), 0);
  EXPECT_EQ(Splitter->FindResizeControl(), Left);  // a collapsed panel can be pulled open again
  Drag(Splitter, Point(1, 50), Point(101, 100));
  EXPECT_EQ(Left->Width(), 100);
  Splitter->AutoSnap = false;
  Drag(Splitter, Point(1, 50), Point(20, 100));
  EXPECT_EQ(Left->Width(), 40);
}

TEST_F(SplitterTest, OnCanResizeMayChangeOrRefuseASize) {
  Load(Layout);
  auto* Splitter = static_cast<TSplitter*>(C("Splitter1"));
  auto* Left = C("Left1");
  Splitter->OnCanResize = [&](TObject*, int& NewSize, bool& Accept) {
    Log.push_back(std::to_string(NewSize));
    if (NewSize > 250) {
      Accept = false;
    } else {
      NewSize = NewSize / 10 * 10;  // snap to a grid of ten
    }
  };
  Drag(Splitter, Point(2, 50), Point(177, 100));
  EXPECT_EQ(Left->Width(), 170);
  Log.clear();
  Drag(Splitter, Point(2, 50), Point(300, 100));  // the midway size is taken, the end refused
  EXPECT_EQ(Log, (std::vector<std::string>{"234", "298"}));
  EXPECT_EQ(Left->Width(), 230);
}

TEST_F(SplitterTest, LineStyleDrawsAnInvertedLineAndResizesOnRelease) {
  Load(Layout);
  auto* Splitter = static_cast<TSplitter*>(C("Splitter1"));
  auto* Left = C("Left1");
  Splitter->ResizeStyle = rsLine;
  int Moves = 0;
  Splitter->OnMoved = [&](TObject*) { ++Moves; };
  HDC DC = GetDC(Form->Handle());
  const COLORREF Before = GetPixel(DC, 181, 100);
  Drag(Splitter, Point(1, 50), Point(181, 100), [&] {
    // The line stands where the bar would go, inverting what is under it; the panel has not moved yet.
    EXPECT_EQ(GetPixel(DC, 181, 100), Before ^ 0xFFFFFFu);
    EXPECT_EQ(GetPixel(DC, 181 - 2, 100), Before);
    EXPECT_EQ(Left->Width(), 120);
    EXPECT_TRUE(Splitter->Sizing());
  });
  EXPECT_FALSE(Splitter->Sizing());
  EXPECT_EQ(Left->Width(), 180);
  EXPECT_EQ(Moves, 1);
  ReleaseDC(Form->Handle(), DC);

  // Escape in the form's active control cancels the drag, taking the line away.
  Splitter->ResizeStyle = rsPattern;
  auto* Client = static_cast<TPanel*>(C("Client1"));
  Client->TabStop = true;
  Form->SetActiveControl(Client);
  Word Seen = 0;
  Client->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { Seen = Key; };
  HWND W = Form->Handle();
  Harness::MouseDown(W, Point(181, 100));
  Harness::MouseMove(W, Point(250, 100));
  Harness::RunUntilIdle();
  EXPECT_TRUE(Splitter->Sizing());
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_FALSE(Splitter->Sizing());
  Harness::MouseUp(W, Point(250, 100));
  Harness::RunUntilIdle();
  EXPECT_EQ(Left->Width(), 180);
  EXPECT_EQ(Moves, 1);
  Harness::KeyPress('A');  // the control's own handler is back
  Harness::RunUntilIdle();
  EXPECT_EQ(Seen, 'A');
}

TEST_F(SplitterTest, RightAndBottomSplittersResizeTheControlBeyondThem) {
  Load("  object Right1: TPanel\r\n    Left = 300\r\n    Width = 100\r\n    Align = alRight\r\n  end\r\n"
       "  object VBar: TSplitter\r\n    Left = 290\r\n    Align = alRight\r\n    ResizeStyle = rsNone\r\n  end\r\n"
       "  object Bottom1: TPanel\r\n    Top = 200\r\n    Height = 80\r\n    Align = alBottom\r\n  end\r\n"
       "  object HBar: TSplitter\r\n    Top = 190\r\n    Height = 3\r\n    Align = alBottom\r\n  end\r\n"
       "  object Client1: TPanel\r\n    Align = alClient\r\n  end\r\n");
  auto* HBar = C("HBar");
  EXPECT_EQ(Bounds(C("Bottom1")) + " " + Bounds(HBar), "0,220,400,300 0,217,400,220");
  EXPECT_EQ(Bounds(C("Right1")) + " " + Bounds(C("VBar")), "300,0,400,217 297,0,300,217");
  EXPECT_EQ(HBar->Cursor, crVSplit);
  Drag(HBar, Point(50, 1), Point(50, 158));  // up by 60
  EXPECT_EQ(Bounds(C("Bottom1")) + " " + Bounds(HBar), "0,160,400,300 0,157,400,160");
  Drag(C("VBar"), Point(1, 50), Point(248, 50));  // left by 50
  EXPECT_EQ(Bounds(C("Right1")) + " " + Bounds(C("VBar")), "250,0,400,157 247,0,250,157");
  EXPECT_EQ(Bounds(C("Client1")), "0,0,247,157");
}

}  // namespace

TEST_F(SplitterTest, TheBarIsPaintedInItsColourByTheForm) {
  Load(Layout);
  auto* Splitter = static_cast<TSplitter*>(C("Splitter1"));
  Splitter->SetColor(clRed);
  Harness::RunUntilIdle();
  TRect R = Splitter->BoundsRect();
  HDC DC = GetDC(Form->Handle());
  EXPECT_EQ(GetPixel(DC, R.Left + 1, R.Top + 20), ColorToRGB(clRed));
  EXPECT_EQ(GetPixel(DC, R.Right - 1, R.Bottom - 1), ColorToRGB(clRed));
  ReleaseDC(Form->Handle(), DC);
}
