// The ruler control (marks, sliders, dragging bands and sliders) and the editor's rulers: made and freed by the
// settings, no sliders, fixed outside page layout, and a dragged band that sets the current page's indent.
#include "tests/editor/EditorWindowSupport.h"

#include "editor/Easyruler.h"

namespace {

class Rulers : public EditorWindowTest {
protected:
  TEasyRuler* NewRuler() {
    auto* R = new TEasyRuler(Form);
    R->AfterConstruction();
    R->SetParent(Form);
    R->SetBounds(0, 420, 400, 26);
    Harness::RunUntilIdle();
    return R;
  }
  // Drags on the ruler's window with the left button, as a user would.
  static void Drag(TEasyRuler* R, TPoint From, TPoint To) {
    Harness::MouseMove(R->Handle(), From);
    Harness::MouseDown(R->Handle(), From);
    Harness::MouseMove(R->Handle(), TPoint{(From.X + To.X) / 2, (From.Y + To.Y) / 2});
    Harness::MouseMove(R->Handle(), To);
    Harness::MouseUp(R->Handle(), To);
    Harness::RunUntilIdle();
  }
};

TEST_F(Rulers, MarksFollowTheUnits) {
  TEasyRuler* R = NewRuler();
  EXPECT_EQ(R->Sliders()->Count(), 4);
  R->SetUnits(erMilimeters);
  // 2.5 mm at 96 pixels per inch: 9 or 10 pixels apart; a number every fourth mark counts centimetres.
  for (int N = 1; N < 12; ++N) {
    const int Step = R->MarkDistance(N + 1) - R->MarkDistance(N);
    EXPECT_TRUE(Step == 9 || Step == 10) << N;
  }
  EXPECT_EQ(R->MarkDistance(4), 38);
  R->SetUnits(erCharacters);
  R->SetPixelsPerMark(8);
  EXPECT_EQ(R->MarkDistance(1), 12);
  EXPECT_EQ(R->MarkDistance(4), 36);
  R->SetUnits(erInches);
  EXPECT_EQ(R->MarkDistance(4), 96);
  R->SetPixelsPerMark(0);
  EXPECT_EQ(R->PixelsPerMark(), 1);
  // Snapping rounds down to whole marks.
  R->SetUnits(erPixels);
  R->SetPixelsPerMark(8);
  EXPECT_EQ(R->GetDiscreteInterval(23), 16);
  R->SetUnits(erMilimeters);
  EXPECT_EQ(R->GetDiscreteInterval(20), 18);
  // A vertical ruler has no sliders whatever the options say.
  R->SetOrientation(roVertical);
  EXPECT_EQ(R->Sliders()->Count(), 0);
  EXPECT_EQ(R->Width(), 26);
  TEasyRulerOptions O = R->Options();
  O.Exclude(roShowSliders);
  R->SetOptions(O);
  O.Include(roShowSliders);
  R->SetOptions(O);
  EXPECT_EQ(R->Sliders()->Count(), 0);
  TBitmap B;
  R->PaintTo(&B);
  EXPECT_EQ(B.Width(), 26);
}

TEST_F(Rulers, DraggingTheBoxMovesLeftAndFirstLineAndTheRightSliderKeepsItsDistance) {
  TEasyRuler* R = NewRuler();
  R->SetUnits(erPixels);
  R->SetPixelsPerMark(4);
  R->SetLeftPageIndent(0);
  R->SetRightPageIndent(0);
  TEasyRulerSlider* First = R->Sliders()->Slider(0);
  TEasyRulerSlider* Right = R->Sliders()->Slider(1);
  TEasyRulerSlider* Left = R->Sliders()->Slider(2);
  TEasyRulerSlider* Box = R->Sliders()->Slider(3);
  First->SetIndent(20);
  std::vector<TCollectionItem*> Released;
  R->OnChange = [&](TObject*, TCollectionItem* Item) { Released.push_back(Item); };
  const TRect B = R->SliderBoundsRect(Box);
  Drag(R, TPoint{(B.Left + B.Right) / 2, B.Top + 3}, TPoint{(B.Left + B.Right) / 2 + 40, B.Top + 3});
  EXPECT_EQ(Box->Indent(), 40);
  EXPECT_EQ(Left->Indent(), 40);
  EXPECT_EQ(First->Indent(), 60);
  ASSERT_EQ(Released.size(), 1U);
  EXPECT_EQ(Released[0], Box);
  // The right slider stops 40 pixels right of the rightmost left-anchored slider (the first-line one at 60).
  const TRect RB = R->SliderBoundsRect(Right);
  Drag(R, TPoint{RB.Left + 2, RB.Top + 3}, TPoint{5, RB.Top + 3});
  EXPECT_EQ(R->SliderPos(Right), 100);
  EXPECT_EQ(R->GuidePosition(), -1) << "the guide line is gone after the release";
}

TEST_F(Rulers, DraggingABandSetsItsIndentUnlessIndentsAreFixed) {
  TEasyRuler* R = NewRuler();
  R->SetUnits(erPixels);
  R->SetPixelsPerMark(1);
  R->SetLeftPageIndent(36);
  for (int I = 0; I < R->Sliders()->Count(); ++I) {
    R->Sliders()->Slider(I)->SetIndent(150);  // out of the way of the band's edge
  }
  const TRect Hit = R->IndentationHitRect(R->Indentations()->Indentation(0));
  Drag(R, TPoint{(Hit.Left + Hit.Right) / 2, 20}, TPoint{80, 20});
  EXPECT_EQ(R->LeftPageIndent(), 80);
  TEasyRulerOptions O = R->Options();
  O.Include(roFixedIndents);
  R->SetOptions(O);
  Drag(R, TPoint{80, 20}, TPoint{120, 20});
  EXPECT_EQ(R->LeftPageIndent(), 80);
}

TEST_F(Rulers, TheEditorsRulersAreMadeAndFreedByItsSettings) {
  TEasyEditorRuler* Settings = Edit->Ruler();
  TEasyEditorRulerOptions O;
  O.Include(roHorzRuler);
  Settings->SetOptions(O);
  ASSERT_NE(Settings->HorzRuler(), nullptr);
  EXPECT_TRUE(Settings->HorzRulerVisible());
  EXPECT_EQ(Edit->GetTopIndent(), Settings->HorzRuler()->Height());
  EXPECT_EQ(Settings->HorzRuler()->Sliders()->Count(), 0) << "the editor's rulers show no sliders";
  EXPECT_TRUE(Settings->HorzRuler()->Options().Contains(roFixedIndents));
  Settings->SetOptions(TEasyEditorRulerOptions{});
  EXPECT_EQ(Settings->HorzRuler(), nullptr);
  EXPECT_EQ(Edit->GetTopIndent(), 0);
  // Assign copies the options, not the units.
  TEasyEditorRuler Other(nullptr);
  Other.SetUnits(erInches);
  Settings->SetUnits(erPixels);
  TEasyEditorRuler Source(nullptr);
  TEasyEditorRulerOptions V;
  V.Include(roVertRuler);
  Source.SetOptions(V);
  Source.SetUnits(erInches);
  Settings->Assign(&Source);
  EXPECT_EQ(Settings->Units(), erPixels);
  EXPECT_TRUE(Settings->VertRulerVisible());
  EXPECT_EQ(Edit->GetLeftRulerIndent(), 26);
  EXPECT_EQ(Settings->VertRuler()->Units(), erPixels);
  Settings->SetUnits(erCharacters);
  EXPECT_EQ(Settings->VertRuler()->PixelsPerMark(), Edit->EasyPainter()->LineHeight());
}

TEST_F(Rulers, InPageLayoutDraggingTheLeftBandSetsThePagesLeftIndent) {
  std::string Text;
  for (int I = 0; I < 50; ++I) {
    Text += "Some text on a page\r\n";
  }
  Edit->GetLines()->SetTextBuffer(Text.data(), Text.size());
  Edit->SetPageType(ptPageLayout);
  TEasyEditorRulerOptions O;
  O.Include(roHorzRuler);
  Edit->Ruler()->SetOptions(O);
  Edit->Ruler()->SetUnits(erPixels);
  Harness::RunUntilIdle();
  TEasyRuler* H = Edit->Ruler()->HorzRuler();
  ASSERT_NE(H, nullptr);
  H->SetPixelsPerMark(1);
  EXPECT_FALSE(H->Options().Contains(roFixedIndents));
  TEasyPage* Page = Edit->GetDefaultPage();
  const TRect Outer = Page->PageOuterRect(false);
  EXPECT_EQ(H->PageStart(), Outer.Left);
  EXPECT_EQ(H->LeftPageIndent(), Page->LeftIndent() + Edit->GetGutterIndent(true));
  const int OldLeft = Page->LeftIndent();
  const int X = H->IndentationPos(H->Indentations()->Indentation(0));
  Drag(H, TPoint{X, 13}, TPoint{X + 30, 13});
  EXPECT_EQ(Page->LeftIndent(), OldLeft + 30);
  EXPECT_EQ(Edit->TextToPixelPoint(TPoint{0, 0}, false).X, Outer.Left + Edit->GetGutterIndent(true) + OldLeft + 30);
}

}  // namespace
