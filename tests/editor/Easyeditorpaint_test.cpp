// The editor control's paint pass, offscreen: a highlighted page from the corpus with gutter, line numbers,
// bookmark and line-style images, margin, selection, found text, formatting marks and the spelling underline,
// read back as a picture and probed at known cells.
#include "tests/editor/EditorWindowSupport.h"

namespace {

class EditorPaint : public EditorWindowTest {
protected:
  TRect Cell(int Col, int Row) {
    TEasyPainter* P = Edit->EasyPainter();
    const int L = Edit->GetLeftIndent();
    return Rect(L + Col * P->CharWidth(), Row * P->LineHeight(), L + (Col + 1) * P->CharWidth(),
                (Row + 1) * P->LineHeight());
  }
};

TEST_F(EditorPaint, HighlightedPageShowsEveryLayerAtItsCell) {
  const std::string Page = ReadCorpusFile("html/FAQ.html");
  ASSERT_FALSE(Page.empty());
  Edit->GetLines()->SetTextBuffer(Page.data(), Page.size());
  Edit->SetParser(HtmlParser());
  Edit->LineNumbers()->SetVisible(true);
  Edit->Margin()->SetPosition(40);
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoPaintFormattingMarks);
  Edit->SetOptions(O);
  TCustomEasyEditSource* Source = Edit->GetEditSource();
  Source->SetBookMark(3, TPoint{0, 1});
  auto* Style = static_cast<TEasyLineStyle*>(Edit->LineStyles()->Add());
  Style->SetBackColor(static_cast<TColor>(RGB(255, 255, 160)));
  Style->SetColor(clBlack);
  Style->SetImageIndex(12);
  Source->SetLineStyle(6, 0);
  // Line 3 is "<title>Valgrind FAQ</title>": the word "Valgrind" (columns 7 to 14) counts as misspelt.
  Source->OnWordSpell = [](TObject*, const std::string&, bool& Correct) { Correct = true; };
  TEasySourceOptions SO = Source->Options();
  SO.Include(srLiveSpell);
  Source->SetOptions(SO);
  Edit->OnGetDrawStyle = [](TObject*, int Line, int Char, Word& S) {
    if (Line == 3 && Char >= 7 && Char < 15) {
      S = static_cast<Word>(S == 0xFFFF ? 65534 : S + EasyMisspelledStyle);
    }
  };
  // The tag name "html" of line 0 takes a colour no other style has.
  const int TagStyle = Edit->GetLines()->GetData(0, 2);
  ASSERT_GE(TagStyle, 0);
  HtmlParser()->Styles()->Style(TagStyle)->SetFontColor(static_cast<TColor>(RGB(0, 128, 255)));
  Edit->SetFocus();
  Edit->SetSelection(Rect(2, 2, 10, 2), slStream);
  Edit->SetSearchRect(Rect(0, 4, 5, 4));
  const Harness::TSavedImage Image = Snapshot(Edit, "editor_paint.png");
  const TPoint O0 = ClientOrigin(Edit);
  const int LH = Edit->EasyPainter()->LineHeight();

  EXPECT_EQ(Image.At(O0.X + 3, O0.Y + 2), Argb(clBtnFace)) << "gutter";
  EXPECT_TRUE(CellHasNear(Image, O0, Rect(32, 0, Edit->GetLeftIndent(), LH), Argb(clBlack), 60)) << "line number 0";
  EXPECT_TRUE(CellHas(Image, O0, Rect(2, LH, 30, 2 * LH), Argb(static_cast<TColor>(RGB(0, 64, 160)))))
      << "bookmark 3 on line 1";
  EXPECT_TRUE(CellHas(Image, O0, Rect(2, 6 * LH, 30, 7 * LH), Argb(static_cast<TColor>(RGB(240, 240, 240)))))
      << "line style image";
  EXPECT_EQ(Image.At(O0.X + 590, O0.Y + 6 * LH + LH / 2), Argb(static_cast<TColor>(RGB(255, 255, 160))))
      << "line style colour beyond the end of the line";
  EXPECT_TRUE(CellHas(Image, O0, Cell(1, 0), Argb(static_cast<TColor>(RGB(0, 128, 255))))) << "tag colour";
  const TRect Selected = Cell(4, 2);
  EXPECT_EQ(Image.At(O0.X + Selected.Left, O0.Y + Selected.Top), Argb(clHighlight)) << "selection";
  EXPECT_TRUE(CellHas(Image, O0, Cell(1, 4), Argb(static_cast<TColor>(RGB(0, 255, 0))))) << "found text";
  EXPECT_TRUE(CellHasNear(Image, O0, Cell(5, 2), Argb(clBtnShadow), 40)) << "space mark";
  const int MarginX = Edit->GetLeftIndent() + 40 * Edit->EasyPainter()->CharWidth();
  EXPECT_EQ(Image.At(O0.X + MarginX, O0.Y + 20 * LH + 1), Argb(clBtnShadow)) << "margin";
  TRect Under = Rect(Cell(7, 3).Left, Cell(7, 3).Top, Cell(14, 3).Right, Cell(7, 3).Bottom);
  EXPECT_TRUE(CellHas(Image, O0, Under, Argb(static_cast<TColor>(RGB(255, 0, 0))))) << "wavy underline";
}

}  // namespace
