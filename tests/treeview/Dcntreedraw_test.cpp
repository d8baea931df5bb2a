// Drawing helpers: the font-height cache, the word-wrap line breaker, multi-line text and rectangle helpers.
#include "TreeTestUtil.h"

#include "treeview/Dcntreedraw.h"
#include "treeview/Fontman.h"

#include <memory>

using namespace TreeFonts;

namespace {

class TreeDraw : public TreeTest::TreeFixture {
protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Show();
    DC = GetDC(Tree->Handle());
    Canvas.SetHandle(DC);
    Canvas.Font()->SetName("Courier New");
    Canvas.Font()->SetHeight(-13);
    W = GetWidth(Canvas.Font()->Handle(), "x", 1);
  }
  void TearDown() override {
    Canvas.SetHandle(0);
    ReleaseDC(Tree->Handle(), DC);
    TreeFixture::TearDown();
  }
  HDC DC = 0;
  TCanvas Canvas;
  Integer W = 0;
};

TEST_F(TreeDraw, FontHeightIsEvenAndCached) {
  for (int Height : {-11, -12, -13, -16, -20}) {
    TFont F;
    F.SetHeight(Height);
    TEXTMETRIC Tm;
    HGDIOBJ Old = SelectObject(DC, F.Handle());
    GetTextMetrics(DC, &Tm);
    SelectObject(DC, Old);
    EXPECT_EQ(GetFontHeight(&F), (Tm.tmHeight + 1) & ~1) << Height;
    EXPECT_EQ(GetFontHeight(&F) % 2, 0);
  }
  // 21 fonts: the cache holds 20, and the 21st asked again is a hit (no new entry).
  std::vector<std::unique_ptr<TFont>> Fonts;
  for (int I = 0; I < 21; ++I) {
    Fonts.push_back(std::make_unique<TFont>());
    Fonts.back()->SetHeight(-(30 + I));
    GetFontHeight(Fonts.back().get());
  }
  EXPECT_EQ(FontHeightCacheCount(), 20);
  const Integer H = GetFontHeight(Fonts.back().get());
  EXPECT_EQ(GetFontHeight(Fonts.back().get()), H);
  EXPECT_EQ(FontHeightCacheCount(), 20);
}

TEST_F(TreeDraw, LineBreaks) {
  ASSERT_GT(W, 0);
  auto Lines = [&](const std::string& Text, Integer Chars) {
    std::vector<std::string> Out;
    std::size_t Start = 0;
    while (Start <= Text.size()) {
      std::size_t End = Start;
      FindLineBreak(&Canvas, Text, Start, End, Chars * W, 0);
      Out.push_back(Text.substr(Start, End - Start));
      if (End >= Text.size()) break;
      if (Text[End] == '\n') ++End;
      Start = End;
    }
    return Out;
  };
  // Two four-letter words with room for six characters: the second word goes to the next line.
  EXPECT_EQ(Lines("abcd efgh", 6), (std::vector<std::string>{"abcd ", "efgh"}));
  // A word longer than the width is broken where it overflows.
  EXPECT_EQ(Lines("abcdefghij", 4), (std::vector<std::string>{"abcd", "efgh", "ij"}));
  // Narrower than one character: still one character per line.
  EXPECT_EQ(Lines("abc", 0), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(GetWrappedTextHeight(&Canvas, "abcd efgh", 6 * W), 2 * Canvas.TextHeight("A"));
  EXPECT_EQ(GetMultiLineTextHeight(&Canvas, "a\r\nb", 100, false), 2 * Canvas.TextHeight("A"));
  EXPECT_EQ(GetMultiLineTextHeight(&Canvas, "", 100, true), Canvas.TextHeight("A"));
  EXPECT_LE(GetMultiLineTextWidth(&Canvas, "abcdefghijkl", 5 * W, true), 5 * W);
}

TEST_F(TreeDraw, MultiLineTextDrawsEachLine) {
  for (const char* Text : {"a\r\nb", "a\rb"}) {
    Canvas.Brush()->SetColor(clWhite);
    Canvas.Font()->SetColor(clBlack);
    Canvas.FillRect(Rect(0, 0, 60, 60));
    Canvas.Brush()->SetColor(clAqua);
    DrawMultiLineText(&Canvas, Text, Rect(0, 0, 40, 50), false);
    const Integer LineH = Canvas.TextHeight("A");
    auto InkInBand = [&](int Top) {
      for (int Y = Top; Y < Top + LineH; ++Y)
        for (int X = 0; X < W; ++X)
          if (Canvas.Pixels(X, Y) != clAqua && Canvas.Pixels(X, Y) != clWhite) return true;
      return false;
    };
    EXPECT_TRUE(InkInBand(0)) << Text;
    EXPECT_TRUE(InkInBand(LineH)) << Text;
    EXPECT_FALSE(InkInBand(2 * LineH)) << Text;
    EXPECT_EQ(Canvas.Pixels(30, 45), clAqua);  // the rest filled with the brush
    EXPECT_EQ(Canvas.Pixels(45, 45), clWhite);  // outside the rectangle untouched
  }
}

TEST_F(TreeDraw, RectangleHelpers) {
  TRect R = Rect(0, 0, 10, 10);
  ShrinkRectInRect(R, Rect(0, 0, 10, 10));
  EXPECT_EQ(R, Rect(1, 1, 9, 9));
  R = Rect(0, 0, 4, 4);
  CenterRect(R, Rect(10, 10, 21, 21));
  EXPECT_EQ(R, Rect(13, 13, 17, 17));
  R = Rect(0, 0, 9, 9);
  CenterRectVertEven(R, Rect(0, 0, 19, 18));
  EXPECT_EQ(R.Top, 4);
  EXPECT_EQ(MidPoint(0, 10), 4);
  ZEZCanvas C;
  C.SetHandle(DC);
  TRect T = Rect(0, 0, 100, 40);
  C.HorzAlign = haRight;
  C.VertAlign = vaCenter;
  C.DrawText("abc", T, TDrawTextFlags{dtfCalcRect, dtfSingleLine});
  EXPECT_EQ(T.Right, 100);
  EXPECT_LT(T.Left, 100);
  EXPECT_THROW(C.DrawText("abc", T, TDrawTextFlags{dtfEndEllipsis, dtfPathEllipsis}), EInvalidOperation);
  C.SetHandle(0);
}

}  // namespace

namespace {

TEST(FontHeightCache, MadeByTheFirstViewAndFreedWithTheLast) {
  Harness::Start();
  EXPECT_FALSE(FontHeightCacheExists());
  auto* A = new ZEZTree(nullptr);
  A->AfterConstruction();
  auto* B = new ZEZTree(nullptr);
  B->AfterConstruction();
  EXPECT_TRUE(FontHeightCacheExists());
  delete A;
  EXPECT_TRUE(FontHeightCacheExists());
  delete B;
  EXPECT_FALSE(FontHeightCacheExists());
  // Without a view a height is still measured.
  TFont F;
  EXPECT_GT(GetFontHeight(&F), 0);
}

}  // namespace
