// The code editor control's view: defaults, styles, gutter images, word wrap, conversion, scrolling, caret,
// source binding, the published form and painting, headless.
#include "codeeditor/Dclanguages.h"
#include "codeeditor/Vuvudi.h"
#include "suitebase/Dorazori.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/MessageBox.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/Forms.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace Vuvudi;
using namespace Dcstring;

namespace {

class VuvudiTest : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    Form->SetBounds(40, 40, 640, 400);
    Memo = TestSupport::Make<ZEZMemo>(Form, Form, TRect{0, 0, 600, 340});
    Form->Show();
    Harness::RunUntilIdle();
  }
  void SetText(ZEZMemo* M, const std::string& Text) {
    M->SetText(Text);
    Harness::RunUntilIdle();
  }
  COLORREF Pixel(int X, int Y) {
    Harness::RunUntilIdle();
    HDC DC = GetDC(Memo->Handle());
    const COLORREF C = GetPixel(DC, X, Y);
    ReleaseDC(Memo->Handle(), DC);
    return C;
  }
  // Whether a colour shows anywhere in the rectangle.
  bool Shows(const TRect& R, TColor Color) {
    Harness::RunUntilIdle();
    const COLORREF Want = ColorToRGB(Color);
    HDC DC = GetDC(Memo->Handle());
    bool Found = false;
    for (int Y = R.Top; Y < R.Bottom && !Found; ++Y) {
      for (int X = R.Left; X < R.Right && !Found; ++X) {
        Found = GetPixel(DC, X, Y) == Want;
      }
    }
    ReleaseDC(Memo->Handle(), DC);
    return Found;
  }
  // Whether text shows in the rectangle: a dark pixel (text is drawn smoothed, so not always pure black).
  bool ShowsText(const TRect& R) {
    Harness::RunUntilIdle();
    HDC DC = GetDC(Memo->Handle());
    bool Found = false;
    for (int Y = R.Top; Y < R.Bottom && !Found; ++Y) {
      for (int X = R.Left; X < R.Right && !Found; ++X) {
        const COLORREF C = GetPixel(DC, X, Y);
        Found = C != CLR_INVALID && GetRValue(C) < 0xB0 && GetGValue(C) < 0xB0 && GetBValue(C) < 0xB0;
      }
    }
    ReleaseDC(Memo->Handle(), DC);
    return Found;
  }
  ZEZMemo* Memo = nullptr;
};

// --- defaults and styles ------------------------------------------------------------------------------------------

TEST_F(VuvudiTest, ANewControlHasTheDocumentedDefaults) {
  EXPECT_EQ(Memo->Options(), (TMemoOptions{moThumbTracking, moColorSyntax}));
  EXPECT_EQ(Memo->KeyMapping(), "Default");
  EXPECT_TRUE(Memo->UseMonoFont());
  EXPECT_EQ(Memo->PrintOptions, ZEZPrintOptions{poShowProgress});
  ASSERT_EQ(Memo->GutterImgs()->Count(), 11);
  EXPECT_EQ(Memo->GutterImgs()->GetItem(0)->Name(), "BreakPoint");
  EXPECT_EQ(Memo->GutterImgs()->GetItem(0)->BookmarkIndex(), -1);
  EXPECT_EQ(Memo->GutterImgs()->GetItem(10)->Name(), "Bookmark9");
  EXPECT_EQ(Memo->GutterImgs()->GetItem(10)->BookmarkIndex(), 9);
  EXPECT_GT(Memo->GutterImgs()->GetItem(0)->Glyph()->Width(), 0);
  EXPECT_EQ(Memo->BookmarkImageMap()[0], 2);  // bookmark 0 is image 1 ("Bookmark0"), one-based
  EXPECT_EQ(Memo->SelColor(), clWhite);
  EXPECT_EQ(Memo->SelBackColor(), clNavy);
  EXPECT_EQ(Memo->MatchColor(), clLime);
  EXPECT_EQ(Memo->MatchBackColor(), clBlack);
  EXPECT_EQ(Memo->HorzMaxPos(), 512);
  EXPECT_EQ(Memo->MarginPos(), 80);
  EXPECT_EQ(Memo->GutterWidth(), 32);
  EXPECT_EQ(Memo->Font()->Name(), "Courier New");
  EXPECT_EQ(Memo->Font()->Size(), 10);
  EXPECT_EQ(Memo->GetCurPosText(), "1: 1");
  EXPECT_FALSE(Memo->TextStylesStored());
  EXPECT_FALSE(Memo->GutterImgsStored());
  // Every event of the control is published, with the class library's own.
  for (const char* Event : {"OnChange",
                            "OnGetColorStyle",
                            "OnStateChange",
                            "OnSelectionChange",
                            "OnJumpToUrl",
                            "OnClickGutter",
                            "OnHintPopup",
                            "OnTemplateInsert",
                            "OnHintInsert",
                            "OnCreateDialog",
                            "OnMemoScroll",
                            "OnVerticalScroll",
                            "OnCustomString",
                            "OnCustomDraw",
                            "OnDrawGutter",
                            "OnCollapseStateChanging",
                            "OnCollapseStateChanged",
                            "OnExportString",
                            "OnFindStringInPopup",
                            "OnGetLineNumber",
                            "OnBeforePrint",
                            "OnKeyDown",
                            "OnEnter"}) {
    EXPECT_NE(GetPropInfo(Memo, Event), nullptr) << Event;
  }
}

TEST_F(VuvudiTest, TheDefaultStylesAreTheTwentyFiveOfTheTable) {
  struct TRow {
    int Index;
    const char* Name;
    TColor Font;
    bool Bold, Italic, Under, MemoColor;
    TColor Back;
  };
  const TRow Rows[] = {{0, "Whitespace", clBlack, false, false, false, true, clWindow},
                       {1, "String", clMaroon, false, false, false, true, clWindow},
                       {2, "Comment", clGray, false, true, false, true, clWindow},
                       {6, "Reserved words", clBlue, true, false, false, true, clWindow},
                       {12, "Url", clBlue, false, false, true, true, clWindow},
                       {13, "BreakPoint", clWindow, false, false, false, false, clRed},
                       {14, "Error line", clWindow, false, false, false, false, clMaroon},
                       {15, "Marked Block", clWhite, false, false, false, false, clNavy},
                       {16, "Search Match", clLime, false, false, false, false, clBlack},
                       {19, "Script Whitespace", clTeal, false, false, false, true, clWindow},
                       {24, "Script ResWord", clBlack, true, false, false, true, clWindow}};
  TTextStyles* S = Memo->TextStyles();
  ASSERT_EQ(S->Count(), 25);
  for (const TRow& R : Rows) {
    SCOPED_TRACE(R.Name);
    TTextStyle* T = S->GetItem(R.Index);
    EXPECT_EQ(T->Name(), R.Name);
    EXPECT_EQ(T->Font()->Color(), R.Font);
    EXPECT_EQ(T->Font()->Style().Contains(fsBold), R.Bold);
    EXPECT_EQ(T->Font()->Style().Contains(fsItalic), R.Italic);
    EXPECT_EQ(T->Font()->Style().Contains(fsUnderline), R.Under);
    EXPECT_EQ(T->UseMemoColor(), R.MemoColor);
    EXPECT_FALSE(T->UseMemoFont());
    EXPECT_EQ(T->Color(), R.Back);
  }
}

TEST_F(VuvudiTest, StyleRulesHold) {
  TTextStyles* S = Memo->TextStyles();
  TTextStyle* Marked = S->GetItem(15);
  Marked->SetUseMemoColor(true);  // refused: it drives the selection colours
  EXPECT_FALSE(Marked->UseMemoColor());
  EXPECT_EQ(Marked->Color(), clNavy);

  Memo->Font()->SetSize(14);
  S->UpdateParams();
  for (Integer I = 0; I < S->Count(); ++I) {
    EXPECT_EQ(S->GetItem(I)->Font()->Size(), 14) << I;
  }

  // Two styles with the same bold font and different colours are equal when colours are ignored.
  S->GetItem(17)->Font()->SetColor(clRed);  // "Emphasis", bold black
  EXPECT_TRUE(Memo->EqualStyles(17, 24, true));
  EXPECT_FALSE(Memo->EqualStyles(17, 24, false));
  EXPECT_TRUE(Memo->EqualStyles(-1, 3, false));
  EXPECT_TRUE(Memo->TextStylesStored());  // changed: now written

  // Selection colours: a "BreakPoint" line swaps the style's colours, otherwise the selection colours.
  TColor Fg = 0, Bg = 0;
  Memo->GetSelColorsFromStyle(13, Fg, Bg);
  EXPECT_EQ(Fg, clRed);
  EXPECT_EQ(Bg, clWindow);
  Memo->GetSelColorsFromStyle(0, Fg, Bg);
  EXPECT_EQ(Fg, clWhite);
  EXPECT_EQ(Bg, clNavy);
  Memo->SetOptions(Memo->Options() + TMemoOptions{moDisableInvertedSel});
  Memo->GetSelColorsFromStyle(13, Fg, Bg);
  EXPECT_EQ(Fg, clWhite);
  EXPECT_EQ(Bg, clNavy);

  // Out-of-range styles resolve to the control's font and colour.
  EXPECT_EQ(Memo->GetFontFromTextStyle(99), Memo->Font());
  EXPECT_EQ(Memo->GetColorFromTextStyle(-3), Memo->Color());
}

TEST(VuvudiGlobal, RemoveExtraStylesLeavesSeventeenAndEnumListsThem) {
  TTextStyles* S = GlobalMemoOptions()->TextStyles();
  S->SetDefaultStyles();
  RemoveExtraStyles();
  EXPECT_EQ(S->Count(), 17);
  std::vector<std::string> Names;
  EnumTextStyles([](void* Data, const std::string& N) { static_cast<std::vector<std::string>*>(Data)->push_back(N); },
                 &Names);
  ASSERT_EQ(Names.size(), 17u);
  EXPECT_EQ(Names.back(), "Search Match");
  S->SetDefaultStyles();
}

TEST_F(VuvudiTest, PropertyLimitsHold) {
  Memo->MarginPen()->SetWidth(5);
  EXPECT_EQ(Memo->MarginPen()->Width(), 2);
  const struct { Integer Value, Expected; } Horz[] = {{39, 512}, {10000, 512}, {40, 40}, {9999, 9999}};
  for (const auto& H : Horz) {
    Memo->SetHorzMaxPos(H.Value);
    EXPECT_EQ(Memo->HorzMaxPos(), H.Expected) << H.Value;
  }
  Memo->SetLeftIndent(-4);
  EXPECT_EQ(Memo->LeftIndent(), 0);
}

TEST_F(VuvudiTest, GutterImageMapFollowsTheCollection) {
  Memo->GutterImgs()->Delete(6);  // "Bookmark5"
  EXPECT_EQ(Memo->BookmarkImageMap()[5], 0);
  EXPECT_EQ(Memo->BookmarkImageMap()[6], 7);
  EXPECT_TRUE(Memo->GutterImgsStored());
  // An image taller than the line is scaled to the line height - 1, keeping its proportions.
  TBitmap Tall;
  Tall.SetSize(20, 100);
  Memo->GutterImgs()->GetItem(0)->SetGlyph(&Tall);
  Integer W = 0, H = 0;
  Memo->CalcGutterImgSize(0, W, H);
  EXPECT_EQ(H, Memo->GetAveLineHeight() - 1);
  EXPECT_EQ(W, (20 * H * 2 + 100) / 200);
}

// --- word wrap ----------------------------------------------------------------------------------------------------

TEST_F(VuvudiTest, WrapBreaksAfterTheLastDelimiterThatFits) {
  Memo->SetOptions(Memo->Options() + TMemoOptions{moBreakWordAtMargin});
  Memo->SetMarginPos(11);
  SetText(Memo, "alpha beta gamma\nabcdefghijklmnopqrstuvwxyz\nexactly11ch\nexactly12chr\n");
  Memo->SetWordWrap(true);
  EXPECT_EQ(Memo->WrapColumns(), 10);
  TStringList Rows;
  Memo->GetWrapLines(&Rows);
  const std::vector<std::string> Expected{"alpha beta ", "gamma",       "abcdefghijk", "lmnopqrstuv",
                                          "wxyz",        "exactly11ch", "exactly12ch", "r"};
  ASSERT_GE(Rows.Count(), static_cast<Integer>(Expected.size()));
  for (std::size_t I = 0; I < Expected.size(); ++I) {
    EXPECT_EQ(Rows.Strings(static_cast<Integer>(I)), Expected[I]) << I;
  }
  ASSERT_GT(Memo->WordWrapList().Count(), 0);
  EXPECT_EQ(Memo->WordWrapList()[0].Column, 11);
  EXPECT_EQ(Memo->WordWrapList()[0].Line, 0);
  // A character in the third row of line 1 is on display row 1 + 1 (line 0's break) + 2.
  TPoint D;
  Memo->GetWBPosition({23, 1}, D);
  EXPECT_EQ(D, (TPoint{1, 4}));
  TPoint Back;
  Memo->GetRealPosition(D, Back);
  EXPECT_EQ(Back, (TPoint{23, 1}));
}

TEST_F(VuvudiTest, WrapSwitchesTheBlockOptionAndBack) {
  EXPECT_EQ(Memo->BlockOption(), bkBoth);
  Memo->SetWordWrap(true);
  EXPECT_EQ(Memo->BlockOption(), bkStreamSel);
  Memo->SetWordWrap(false);
  EXPECT_EQ(Memo->BlockOption(), bkBoth);
}

TEST_F(VuvudiTest, TheSelectedTextIsReadAndReplacedInOneStep) {
  SetText(Memo, "alpha beta gamma\nlonger second line\n");
  EXPECT_EQ(Memo->GetMaxLineLen(), Memo->GetSource()->MaxLineLength);
  Memo->GetSource()->SetSelection(stStreamSel, 6, 0, 10, 0);
  EXPECT_EQ(Memo->GetSelText(), "beta");
  EXPECT_EQ(Memo->SelLength(), 4);
  Memo->GetSource()->SetSelection(stStreamSel, 11, 0, 6, 1);  // across the line break
  EXPECT_EQ(Memo->GetSelText(), "gamma\r\nlonger");
  Memo->GetSource()->SetSelection(stStreamSel, 6, 0, 10, 0);
  Memo->SetSelText("delta");
  EXPECT_EQ(Memo->GetSource()->GetDisplay(0), "alpha delta gamma");
  Memo->GetSource()->Undo();
  EXPECT_EQ(Memo->GetSource()->GetDisplay(0), "alpha beta gamma");
}

TEST_F(VuvudiTest, ResizingAWrappedViewBringsACaretBeyondItsLineBack) {
  SetText(Memo, "short line\nsecond\n");
  Memo->SetWordWrap(true);
  Memo->GetSource()->JumpTo(30, 0);
  ASSERT_EQ(Memo->GetCaretPoint().X, 30);
  Memo->SetBounds(0, 0, 300, 340);
  Harness::RunUntilIdle();
  EXPECT_EQ(Memo->GetCaretPoint(), (TPoint{10, 0}));
}

TEST_F(VuvudiTest, WrappingIsLazy) {
  std::string Text;
  const std::string Long(300, 'x');
  for (int I = 0; I < 10000; ++I) {
    Text += Long + " " + Long + "\n";
  }
  SetText(Memo, Text);
  Memo->SetWordWrap(true);
  EXPECT_GE(Memo->WrappedUpTo(), 250);
  EXPECT_LE(Memo->WrappedUpTo(), 260);
  Memo->GetSource()->JumpTo(0, 5000);
  Harness::RunUntilIdle();
  EXPECT_GE(Memo->WrappedUpTo(), 5000);
  EXPECT_LE(Memo->WrappedUpTo(), 5200);
  EXPECT_LT(Memo->WordWrapList()[Memo->WordWrapList().Count() - 1].Line, 5300);
  // A jump colours nothing on its way: only what is painted gets coloured.
  auto* Parser = new Dcparser::TCPPParser(Form);
  Memo->GetSource()->SetSyntaxParser(Parser);
  Harness::RunUntilIdle();
  Memo->GetSource()->JumpTo(0, 0);
  Harness::RunUntilIdle();
  const Integer Before = Memo->GetSource()->ParsedCount;
  Memo->GetSource()->JumpToFileEnd();
  EXPECT_LT(Memo->GetSource()->ParsedCount, Before + 400);
  Memo->GetSource()->SetSyntaxParser(nullptr);
}

// --- conversion ---------------------------------------------------------------------------------------------------

TEST_F(VuvudiTest, PixelColumnsRoundToTheNearerCharacterLeftOfTheMargin) {
  Memo->SetOptions(Memo->Options() + TMemoOptions{moDrawGutter});
  Memo->SetGutterWidth(30);
  SetText(Memo, "abcdefgh\n");
  const Integer W = Memo->GetAveCharWidth();
  ASSERT_EQ(Memo->GetPaintX(), 30);
  const struct {
    Integer X, Column;
  } Cases[] = {{30 + 3 * W / 8, 0}, {30 + W / 2, 0}, {30 + W / 2 + 1, 1}, {30 + W + 1, 1}};
  for (const auto& C : Cases) {
    EXPECT_EQ(Memo->PixelToTextChar(0, 1, false, C.X), C.Column) << C.X << " width " << W;
  }
  // At or right of the wrap margin there is no rounding up.
  const Integer Margin = Memo->GetWrapMargin();
  EXPECT_EQ(Memo->PixelToTextChar(0, 1, false, Margin + W / 2 + 1), (Margin + W / 2 + 1 - 30) / W);
}

TEST_F(VuvudiTest, TextPointsSurviveARoundTripThroughPixels) {
  std::ifstream In(std::string(ZUBQ_SOURCE_DIR) + "/codeeditor/Vuvudiview.cpp");
  std::string Text, Line;
  for (int I = 0; I < 40 && std::getline(In, Line); ++I) {
    Text += Line + "\n";
  }
  SetText(Memo, Text);
  Memo->GetSource()->SetLineVisible(3, false);
  Memo->GetSource()->SetLineVisible(4, false);
  for (int Mode = 0; Mode < 3; ++Mode) {
    const bool Wrap = Mode == 1;
    const bool Hidden = Mode == 2;
    for (bool Mono : {true, false}) {
      SCOPED_TRACE(std::string(Wrap ? "wrap " : Hidden ? "hidden lines " : "") + (Mono ? "mono" : "proportional"));
      Memo->SetUseMonoFont(Mono);
      Memo->SetWordWrap(Wrap);
      Memo->SetOptions(Hidden ? Memo->Options() + TMemoOptions{moHideInvisibleLines}
                              : Memo->Options() - TMemoOptions{moHideInvisibleLines});
      TCustomMemoSource* S = Memo->GetSource();
      for (Integer L = 0; L < 12; ++L) {
        if (Hidden && (L == 3 || L == 4)) {
          continue;
        }
        const Integer Len = static_cast<Integer>(S->GetDisplay(L).size());
        for (Integer C = 0; C < Len; ++C) {
          const TPoint P = Memo->TextToPixelPoint({C, L});
          TPoint Back{-1, -1};
          Memo->MouseToTextPoint(P.X + 1, P.Y + 1, Back, true);
          if (Back != (TPoint{C, L})) {
            ADD_FAILURE() << "column " << C << " line " << L << " gave " << Back.X << "," << Back.Y;
            return;
          }
        }
      }
    }
  }
}

TEST_F(VuvudiTest, AClickRightOfAWrappedRowGivesItsLastColumn) {
  Memo->SetOptions(Memo->Options() + TMemoOptions{moBreakWordAtMargin});
  Memo->SetMarginPos(11);
  SetText(Memo, "alpha beta gamma\n");
  Memo->SetWordWrap(true);
  TPoint P;
  Memo->MouseToTextPoint(Memo->ClientWidth() - 5, 1, P, true);
  EXPECT_EQ(P, (TPoint{10, 0}));  // the blank ending "alpha beta ", not the "g" of the next row
}

TEST_F(VuvudiTest, CenteringNearTheTopKeepsRowZero) {
  std::string Text;
  for (int I = 0; I < 100; ++I) {
    Text += "line " + std::to_string(I) + "\n";
  }
  SetText(Memo, Text);
  Memo->SetBounds(0, 0, 300, Memo->GetAveLineHeight() * 10 + 4);
  Harness::RunUntilIdle();
  Memo->SetWinLine(20);
  Memo->GetSource()->JumpTo(0, 3);
  Memo->CenterScreenOnLine();
  EXPECT_EQ(Memo->WinLine(), 0);
  Memo->GetSource()->JumpTo(0, 60);
  Memo->CenterScreenOnLine();
  EXPECT_EQ(Memo->WinLine(), 60 - Memo->VisibleRows() / 2);
}

// --- scrolling and caret -----------------------------------------------------------------------------------------

TEST_F(VuvudiTest, ScrollingReportsOnlyRealMoves) {
  std::string Text;
  for (int I = 0; I < 50; ++I) {
    Text += "row\n";
  }
  SetText(Memo, Text);
  std::vector<std::pair<TScrollStyle, Integer>> Moves;
  Memo->OnMemoScroll = [&](TObject*, TScrollStyle S, Integer D) { Moves.emplace_back(S, D); };
  Memo->ScrollUp();
  Memo->ScrollLeft();
  EXPECT_TRUE(Moves.empty());
  Memo->ScrollDown();
  Memo->ScrollRight();
  ASSERT_EQ(Moves.size(), 2u);
  EXPECT_EQ(Moves[0], (std::pair<TScrollStyle, Integer>{ssVertical, 1}));
  EXPECT_EQ(Moves[1], (std::pair<TScrollStyle, Integer>{ssHorizontal, 1}));
  Memo->ScrollScreenVert(1000);  // the last row may come to the top, not beyond
  EXPECT_EQ(Memo->WinLine(), Memo->GetRealStrCount());
  Memo->SetOptions(Memo->Options() + TMemoOptions{moShowScrollHint});
  Memo->VerticalScroll(SB_THUMBTRACK);
  EXPECT_EQ(Memo->LastScrollHint(), "Line " + std::to_string(Memo->WinLine() + 1));
  // The hint window shows the text, its right edge on the client area's right edge, its top inside the client.
  ASSERT_TRUE(Memo->PopupHint()->Visible());
  EXPECT_EQ(Memo->PopupHint()->Caption(), "Line " + std::to_string(Memo->WinLine() + 1));
  const TRect HintR = Memo->PopupHint()->HintRect;
  const TPoint ClientTL = Memo->ClientToScreen({0, 0});
  const TPoint ClientBR = Memo->ClientToScreen({Memo->ClientWidth(), Memo->ClientHeight()});
  EXPECT_EQ(HintR.Right, ClientBR.X);
  EXPECT_GE(HintR.Top, ClientTL.Y);
  EXPECT_LE(HintR.Top, ClientBR.Y);
  Memo->OnVerticalScroll = [](TObject*, Integer Top, bool, bool&, std::string& Hint) {
    Hint = "At " + std::to_string(Top);
  };
  Memo->VerticalScroll(SB_THUMBTRACK);
  EXPECT_EQ(Memo->PopupHint()->Caption(), "At " + std::to_string(Memo->WinLine()));
  Memo->VerticalScroll(SB_ENDSCROLL);
  EXPECT_EQ(Memo->LastScrollHint(), "");
  EXPECT_FALSE(Memo->PopupHint()->Visible());
}

TEST_F(VuvudiTest, ScrollRangesFollowTheText) {
  Memo->SetScrollBars(ssBoth);
  Harness::RunUntilIdle();
  std::string Text;
  for (int I = 0; I < 200; ++I) {
    Text += "row\n";
  }
  SetText(Memo, Text);
  Memo->UpdateScrollSize();
  SCROLLINFO Si;
  Si.fMask = SIF_ALL;
  GetScrollInfo(Memo->Handle(), SB_VERT, &Si);
  EXPECT_EQ(Si.nMax, Memo->GetRealStrCount());
  EXPECT_EQ(static_cast<Integer>(Si.nPage), Memo->GetMaxCaretLine() + 1);
  GetScrollInfo(Memo->Handle(), SB_HORZ, &Si);
  EXPECT_EQ(Si.nMax, 512);
  Memo->SetHideScrollBars(true);
  SetText(Memo, "short\n");
  Memo->UpdateScrollSize();
  GetScrollInfo(Memo->Handle(), SB_VERT, &Si);
  EXPECT_LE(Si.nMax, 1);  // hidden: fewer rows than a page
  // Thumb tracking scrolls while the thumb moves only with moThumbTracking.
  SetText(Memo, Text);
  Memo->ModifyScrollBar(1, SB_THUMBTRACK, 10);
  EXPECT_EQ(Memo->WinLine(), 10);
  Memo->SetOptions(Memo->Options() - TMemoOptions{moThumbTracking});
  Memo->ModifyScrollBar(1, SB_THUMBTRACK, 20);
  EXPECT_EQ(Memo->WinLine(), 10);
  Memo->ModifyScrollBar(1, SB_THUMBPOSITION, 20);
  EXPECT_EQ(Memo->WinLine(), 20);
}

TEST_F(VuvudiTest, TheCaretSitsOnItsCharacter) {
  SetText(Memo, "abc\ndefgh\n");
  Memo->SetFocus();
  Harness::RunUntilIdle();
  Memo->GetSource()->JumpTo(2, 1);
  Harness::RunUntilIdle();
  const Integer W = Memo->GetAveCharWidth(), H = Memo->GetAveLineHeight();
  EXPECT_EQ(Memo->CaretPixel(), (TPoint{Memo->GetPaintX() + 2 * W, H}));
  EXPECT_EQ(Memo->CaretSize().cy, H);
  Memo->SetOptions(Memo->Options() + TMemoOptions{moOverwriteCaret});
  Memo->GetSource()->SetOverwrite(true);
  Memo->UpdateCaretMode();
  EXPECT_EQ(Memo->CaretSize().cx, W);
  Memo->GetSource()->SetOverwrite(false);
  // Proportional mode: the caret stands where the measured text ends.
  Memo->SetUseMonoFont(false);
  Memo->UpdateCaret();
  EXPECT_EQ(Memo->CaretPixel(), (TPoint{Memo->TextToPixelChar({2, 1}), H}));
  EXPECT_GT(Memo->CaretPixel().X, Memo->GetPaintX());
  Memo->SetHideCaret(true);
  EXPECT_EQ(Memo->CaretPixel(), (TPoint{-5, -5}));
}

// --- source binding -----------------------------------------------------------------------------------------------

TEST_F(VuvudiTest, TwoControlsShareOneSource) {
  auto* Other = TestSupport::Make<ZEZMemo>(Form, Form, TRect{0, 340, 600, 400});
  auto* Source = new TMemoSource(Form);
  std::string Text;
  for (int I = 0; I < 100; ++I) {
    Text += "shared " + std::to_string(I) + "\n";
  }
  Source->Lines()->SetText(Text);
  Memo->SetSource(Source);
  Other->SetSource(Source);
  EXPECT_EQ(TCustomVUVudi::GetConnectedMemoCount(Source), 2);
  EXPECT_EQ(TCustomVUVudi::GetConnectedMemoCount(Memo->PositionStore() ? Other->MemoSource() : nullptr), 2);
  Memo->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_EQ(Source->ActiveMemo, Memo);
  int Changes = 0;
  Other->OnChange = [&](TObject*) { ++Changes; };
  Source->JumpTo(0, 80);
  Harness::RunUntilIdle();
  EXPECT_GT(Memo->WinLine(), 0);   // the active control scrolled to the caret
  EXPECT_EQ(Other->WinLine(), 0);  // the other did not
  Harness::RunUntilIdle();
  Source->JumpTo(0, 2);
  Source->BeginUpdate(Reason::Insert);
  Source->Insert("x");
  Source->EndUpdate();
  EXPECT_EQ(Changes, 1);
  TRect R{};  // the other control repaints the edited line too
  EXPECT_TRUE(GetUpdateRect(Other->Handle(), &R, FALSE));
  EXPECT_EQ(R.Top, 2 * Other->GetAveLineHeight());
  // Focus moving keeps each control's caret.
  Other->SetFocus();
  Harness::RunUntilIdle();
  Source->JumpTo(0, 5);
  Harness::RunUntilIdle();
  Memo->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_EQ(Source->GetCaretPoint().Y, 2);
  Other->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_EQ(Source->GetCaretPoint().Y, 5);
}

TEST_F(VuvudiTest, ViewsAreRestoredPerSourceAndDroppedWithIt) {
  auto* A = new TMemoSource(Form);
  auto* B = new TMemoSource(Form);
  std::string Text;
  for (int I = 0; I < 100; ++I) {
    Text += "text " + std::to_string(I) + "\n";
  }
  A->Lines()->SetText(Text);
  B->Lines()->SetText(Text);
  Memo->SetSource(B);
  Memo->SetWinLine(30);
  B->JumpTo(2, 40);
  Memo->SetSource(A);
  EXPECT_EQ(Memo->WinLine(), 0);
  Memo->SetSource(B);
  EXPECT_EQ(Memo->WinLine(), 30);
  EXPECT_EQ(B->GetCaretPoint(), (TPoint{2, 40}));
  EXPECT_NE(Memo->PositionStore()->Find(A), nullptr);
  delete A;  // its entry goes with it
  EXPECT_EQ(Memo->PositionStore()->Find(A), nullptr);
  delete B;  // the attached source: back to the private one
  EXPECT_EQ(Memo->MemoSource(), nullptr);
  EXPECT_NE(Memo->GetSource(), nullptr);
  EXPECT_EQ(TCustomVUVudi::GetConnectedMemoCount(Memo->GetSource()), 1);
  SetText(Memo, "still works\n");
  EXPECT_EQ(Memo->GetLines()->Count(), 1);
}

// --- environment options ------------------------------------------------------------------------------------------

TEST_F(VuvudiTest, GlobalOptionsReachOnlyControlsThatUseThem) {
  auto* Other = TestSupport::Make<ZEZMemo>(Form, Form, TRect{0, 340, 600, 400});
  Memo->SetUseGlobalOptions(true);
  TMemoEnvOptions* G = GlobalMemoOptions();
  G->MarginPos = 66;
  G->Changed();
  EXPECT_EQ(Memo->MarginPos(), 66);
  EXPECT_EQ(Other->MarginPos(), 80);
  G->InitValues();
  G->Changed();
}

class VuvudiOptions : public SuiteFolders {};

TEST_F(VuvudiOptions, TheCodeEditGroupSurvivesTheRegistry) {
  TMemoEnvOptions* G = GlobalMemoOptions();
  G->MarginPos = 64;
  G->Options = TMemoOptions{moDrawGutter, moLineNumbers};
  G->Font()->SetSize(12);
  G->MarginPen()->SetColor(clRed);
  G->LineHighlight()->SetVisible(true);
  G->TextStyles()->GetItem(6)->Font()->SetColor(clFuchsia);
  G->SaveConfig();
  G->InitValues();
  EXPECT_EQ(G->MarginPos, 80);
  G->LoadConfig();
  EXPECT_EQ(G->MarginPos, 64);
  EXPECT_EQ(G->Options, (TMemoOptions{moDrawGutter, moLineNumbers}));
  EXPECT_EQ(G->Font()->Size(), 12);
  EXPECT_EQ(G->MarginPen()->Color(), clRed);
  EXPECT_TRUE(G->LineHighlight()->Visible());
  ASSERT_EQ(G->TextStyles()->Count(), 25);
  EXPECT_EQ(G->TextStyles()->GetItem(6)->Font()->Color(), clFuchsia);
  G->InitValues();
}

TEST_F(VuvudiOptions, ColourStylesDialogsSaveAsRgbAndRefuseOtherFiles) {
  const std::string Dir = Temp.Path();
  TTextStyles Styles(nullptr);
  Styles.SetDefaultStyles();
  Styles.GetItem(3)->Font()->SetColor(clTeal);
  Scripted.QueueAnswer(IDOK, Dir + "/mine.txt");
  ASSERT_TRUE(Styles.SaveColorStyles());
  EXPECT_TRUE(std::filesystem::exists(Dir + "/mine.RGB"));
  EXPECT_FALSE(std::filesystem::exists(Dir + "/mine.txt"));
  ASSERT_FALSE(Scripted.Shown().empty());
  EXPECT_EQ(Scripted.Shown().back().Caption, "Save color styles");
  EXPECT_EQ(Scripted.Shown().back().Params.at("Filter"), "Color scheme (*.rgb)|*.RGB");
  Scripted.QueueAnswer(IDCANCEL);
  EXPECT_FALSE(Styles.LoadColorStyles());  // cancelled: nothing changes
  EXPECT_EQ(Styles.GetItem(3)->Font()->Color(), clTeal);
  WriteFile(Dir + "/other.RGB", "object Other: TForm\nend\n");
  Scripted.QueueAnswer(IDOK, Dir + "/other.RGB");
  try {
    Styles.LoadColorStyles();
    ADD_FAILURE() << "a file of another kind was read";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "Not a color styles file");
  }
  EXPECT_EQ(Styles.Count(), 25);
  EXPECT_EQ(Scripted.Shown().back().Caption, "Load color styles");
}

TEST_F(VuvudiTest, ColourStylesFilesUseTheRgbExtension) {
  const auto Dir = std::filesystem::temp_directory_path() / ("vuvudi_" + std::to_string(getpid()));
  std::filesystem::create_directories(Dir);
  Memo->TextStyles()->GetItem(1)->Font()->SetColor(clPurple);
  Memo->TextStyles()->SaveColorStylesToFile((Dir / "scheme.txt").string());
  EXPECT_TRUE(std::filesystem::exists(Dir / "scheme.RGB"));
  EXPECT_FALSE(std::filesystem::exists(Dir / "scheme.txt"));
  Memo->TextStyles()->SetDefaultStyles();
  Memo->TextStyles()->LoadColorStylesFromFile((Dir / "scheme.RGB").string());
  EXPECT_EQ(Memo->TextStyles()->GetItem(1)->Font()->Color(), clPurple);
  { std::ofstream(Dir / "other.RGB") << "not a text form at all"; }
  try {
    Memo->TextStyles()->LoadColorStylesFromFile((Dir / "other.RGB").string());
    ADD_FAILURE() << "a file of another kind was read";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "Not a color styles file");
  }
  std::filesystem::remove_all(Dir);
}

// --- the published form -------------------------------------------------------------------------------------------

TEST_F(VuvudiTest, AMemoInAFormLayoutReadsBackWithItsProperties) {
  RegisterClasses({ZEZMemo::StaticClass(), TForm::StaticClass()});
  Memo->SetName("Code");
  Memo->SetMarginPos(72);
  Memo->SetOptions(TMemoOptions{moDrawGutter, moLineNumbers});
  Memo->SpecialSymbols()->SetEOLString("<eol>");
  Memo->SpecialSymbols()->SetEOFString("");
  Memo->TextStyles()->GetItem(2)->Font()->SetColor(clOlive);
  SetText(Memo, "first\nsecond\n");
  TStringStream Binary;
  Binary.WriteComponent(Form);
  Binary.SetPosition(0);
  TStringStream Text;
  ObjectBinaryToText(&Binary, &Text);
  const std::string Layout = Text.DataString();
  EXPECT_EQ(Layout.find("MarginPos = 80"), std::string::npos);
  EXPECT_NE(Layout.find("MarginPos = 72"), std::string::npos);
  EXPECT_NE(Layout.find("EOLStringBinary"), std::string::npos);
  EXPECT_NE(Layout.find("TextStyles"), std::string::npos);
  EXPECT_EQ(Layout.find("GutterImgs"), std::string::npos);  // unchanged: not written
  EXPECT_NE(Layout.find("Lines.Strings"), std::string::npos);

  Binary.SetPosition(0);
  std::unique_ptr<TForm> Copy(new TForm(nullptr));
  Binary.ReadComponent(Copy.get());
  auto* Read = dynamic_cast<ZEZMemo*>(Copy->FindComponent("Code"));
  ASSERT_TRUE(Read);
  EXPECT_EQ(Read->MarginPos(), 72);
  EXPECT_EQ(Read->Options(), (TMemoOptions{moDrawGutter, moLineNumbers}));
  EXPECT_EQ(Read->SpecialSymbols()->EOLString(), "<eol>");
  EXPECT_EQ(Read->SpecialSymbols()->EOFString(), "");
  EXPECT_EQ(Read->TextStyles()->GetItem(2)->Font()->Color(), clOlive);
  EXPECT_EQ(Read->GetLines()->Count(), 2);
  EXPECT_EQ(Read->GutterImgs()->Count(), 11);
}

TEST(VuvudiSymbols, ABinaryLengthBeyondTheStreamFailsBeforeAllocating) {
  TMemoryStream S;
  const std::int32_t Huge = 0x7FFFFFF0;
  S.WriteBuffer(&Huge, sizeof Huge);
  S.WriteBuffer("abc", 3);
  S.SetPosition(0);
  EXPECT_THROW(TSpecialSymbols::ReadString(&S), EReadError);
  TMemoryStream Ok;
  TSpecialSymbols::WriteString(&Ok, "\xB6");
  Ok.SetPosition(0);
  EXPECT_EQ(TSpecialSymbols::ReadString(&Ok), "\xB6");
}

// --- painting -----------------------------------------------------------------------------------------------------

TEST_F(VuvudiTest, PaintsColouredCodeWithGutterMarginAndSelection) {
  Form->SetBounds(0, 0, 1100, 500);
  Memo->SetBounds(0, 0, 1000, 400);
  auto* Parser = new Dcparser::TCPPParser(Form);
  Memo->GetSource()->SetSyntaxParser(Parser);
  Memo->SetOptions(Memo->Options() + TMemoOptions{moDrawGutter, moDrawMargin, moDrawSpecialSymbols});
  SetText(Memo, "int x = 1; // note\nchar* s = \"text\";\nreturn x;\n");
  const Integer W = Memo->GetAveCharWidth(), H = Memo->GetAveLineHeight(), X0 = Memo->GetPaintX();
  auto Cell = [&](Integer Col, Integer Row) { return TRect{X0 + Col * W, Row * H, X0 + (Col + 1) * W, (Row + 1) * H}; };
  auto Cells = [&](Integer From, Integer To, Integer Row) {
    return TRect{X0 + From * W, Row * H, X0 + To * W, (Row + 1) * H};
  };
  Harness::SaveWindowPng(Memo->Handle(), ::testing::TempDir() + "vuvudi_paint.png");
  EXPECT_TRUE(Shows(Cells(0, 3, 0), clBlue));      // "int"
  EXPECT_TRUE(Shows(Cells(11, 18, 0), clGray));    // the comment
  EXPECT_TRUE(Shows(Cells(10, 16, 1), clMaroon));  // the string
  EXPECT_FALSE(Shows(Cells(0, 3, 0), clMaroon));
  // The gutter: its brush, then the two lines at width - 2 and width - 1.
  EXPECT_EQ(Pixel(5, 5), ColorToRGB(clBtnFace));
  EXPECT_EQ(Pixel(Memo->GutterWidth() - 2, 5), ColorToRGB(clWindow));
  EXPECT_EQ(Pixel(Memo->GutterWidth() - 1, 5), ColorToRGB(clGray));
  // The margin at column 80.
  EXPECT_EQ(Pixel(X0 + 80 * W, 3 * H + 2), ColorToRGB(clGrayText));
  // "¶" after each line, "_" after the last.
  EXPECT_TRUE(ShowsText(Cell(18, 0)));
  EXPECT_FALSE(ShowsText(Cell(19, 0)));
  EXPECT_TRUE(ShowsText(Cells(0, 2, 3)));
  EXPECT_FALSE(ShowsText(Cells(0, 2, 4)));
  // A stream selection in the selection colours; with moSelectOnlyText it stops at the text.
  Memo->GetSource()->SetSelection(stStreamSel, 0, 1, 0, 2);
  Memo->Invalidate();
  EXPECT_TRUE(Shows(Cell(2, 1), clNavy));
  EXPECT_TRUE(Shows(Cell(40, 1), clNavy));
  Memo->SetOptions(Memo->Options() + TMemoOptions{moSelectOnlyText});
  EXPECT_FALSE(Shows(Cell(40, 1), clNavy));
  Memo->GetSource()->ClearSelection();
  // A breakpoint line with moColoredLineStyle: red background.
  Memo->GetSource()->SetLineTextStyle(2, 13);
  Memo->SetOptions(Memo->Options() + TMemoOptions{moColoredLineStyle});
  Memo->Invalidate();
  EXPECT_EQ(Pixel(X0 + 20 * W, 2 * H + H / 2), ColorToRGB(clRed));
  // Selected text on that line is drawn in the style's colours swapped: red on the window colour.
  Memo->GetSource()->SetSelection(stStreamSel, 0, 2, 6, 2);
  Memo->Invalidate();
  EXPECT_TRUE(Shows(Cells(0, 6, 2), clRed));
  EXPECT_EQ(Pixel(X0 + 3 * W, 2 * H + 1), ColorToRGB(clWindow));
  Memo->GetSource()->ClearSelection();
  // A column block with moSelectOnlyText covers its columns on every line it spans.
  Memo->GetSource()->SetSelection(stBlockSel, 2, 0, 5, 1);
  Memo->Invalidate();
  EXPECT_EQ(Pixel(X0 + 3 * W, H + 1), ColorToRGB(clNavy));
  EXPECT_NE(Pixel(X0 + 6 * W, H + 1), ColorToRGB(clNavy));
  Memo->GetSource()->ClearSelection();
  // A disabled control paints in DisabledColor.
  Memo->SetEnabled(false);
  EXPECT_EQ(Pixel(X0 + 60 * W, 5 * H), ColorToRGB(Memo->DisabledColor()));
  Memo->SetEnabled(true);
  // OnCustomDraw answering Handled leaves the text to the handler.
  Memo->OnCustomDraw = [](TObject*, TCanvas*, const TRect&, Integer, Integer, const std::string&, TDrawStates DS,
                          bool& Handled) { Handled = DS.Contains(dsText); };
  Memo->Invalidate();
  EXPECT_FALSE(Shows(Cells(0, 3, 0), clBlue));
  Memo->OnCustomDraw = nullptr;
  Memo->GetSource()->SetSyntaxParser(nullptr);
}

TEST_F(VuvudiTest, PaintsSearchMatchesAndVisibleBlanksAndTabs) {
  SetText(Memo, "alpha beta gamma\na\tb c\n");
  const Integer W = Memo->GetAveCharWidth(), H = Memo->GetAveLineHeight(), X0 = Memo->GetPaintX();
  auto Cells = [&](Integer From, Integer To, Integer Row) {
    return TRect{X0 + From * W, Row * H, X0 + To * W, (Row + 1) * H};
  };
  // The found text ("beta") in the match colours, and only it.
  Memo->SetMatchBackColor(clYellow);
  Memo->GetSource()->FoundRect = TRect{6, 0, 10, 1};
  Memo->Invalidate();
  EXPECT_TRUE(Shows(Cells(6, 7, 0), clYellow));
  EXPECT_TRUE(Shows(Cells(9, 10, 0), clYellow));
  EXPECT_FALSE(Shows(Cells(0, 5, 0), clYellow));
  EXPECT_FALSE(Shows(Cells(11, 16, 0), clYellow));
  Memo->GetSource()->FoundRect = TRect{};
  Memo->Invalidate();
  EXPECT_FALSE(Shows(Cells(6, 10, 0), clYellow));
  // Blanks and tabs stay blank until special symbols show them; the tab's mark sits inside its expansion.
  Memo->SpecialSymbols()->SetSpaceChar('~');
  Memo->SpecialSymbols()->SetTabChar('>');
  const Integer TabEnd = static_cast<Integer>(Memo->GetSource()->GetDisplay(1).find('b'));
  ASSERT_GT(TabEnd, 1);
  EXPECT_FALSE(ShowsText(Cells(5, 6, 0)));
  EXPECT_FALSE(ShowsText(Cells(1, TabEnd, 1)));
  Memo->SetOptions(Memo->Options() + TMemoOptions{moDrawSpecialSymbols});
  Memo->Invalidate();
  EXPECT_TRUE(ShowsText(Cells(5, 6, 0)));
  EXPECT_TRUE(ShowsText(Cells(1, TabEnd, 1)));
  EXPECT_TRUE(ShowsText(Cells(TabEnd + 1, TabEnd + 2, 1)));
  EXPECT_EQ(Memo->TextToPixelChar({TabEnd, 1}), X0 + TabEnd * W);  // columns do not move
}

TEST_F(VuvudiTest, TypingRepaintsOnlyItsLine) {
  std::string Text;
  for (int I = 0; I < 10; ++I) {
    Text += "line\n";
  }
  SetText(Memo, Text);
  Memo->GetSource()->JumpTo(2, 4);
  Harness::RunUntilIdle();
  Memo->GetSource()->BeginUpdate(Reason::Insert);
  Memo->GetSource()->Insert("x");
  Memo->GetSource()->EndUpdate();
  TRect R{};
  GetUpdateRect(Memo->Handle(), &R, FALSE);
  const Integer H = Memo->GetAveLineHeight();
  EXPECT_EQ(R.Top, 4 * H);
  EXPECT_EQ(R.Bottom, 5 * H);
  Harness::RunUntilIdle();
}

TEST_F(VuvudiTest, GutterImagesAndLineNumbersShow) {
  Memo->SetOptions(Memo->Options() + TMemoOptions{moDrawGutter, moLineNumbers, moLineNumbersOnGutter});
  SetText(Memo, "a\nb\nc\n");
  Memo->GetSource()->SetImageBit(1, 0, true);  // "BreakPoint"
  Memo->Invalidate();
  const Integer H = Memo->GetAveLineHeight();
  EXPECT_TRUE(Shows(TRect{1, H, 16, 2 * H}, clRed));
  EXPECT_FALSE(Shows(TRect{1, 0, 16, H}, clRed));
  // A wrapped line shows its number once.
  Memo->SetOptions(Memo->Options() + TMemoOptions{moBreakWordAtMargin});
  Memo->SetMarginPos(6);
  SetText(Memo, "aaaa bbbb cccc dddd\nz\n");
  Memo->SetWordWrap(true);
  Harness::RunUntilIdle();
  EXPECT_TRUE(ShowsText(TRect{0, 0, Memo->GetRealGutterWidth() - 2, H}));
  EXPECT_FALSE(ShowsText(TRect{0, H, Memo->GetRealGutterWidth() - 2, 2 * H}));
  EXPECT_TRUE(ShowsText(
      TRect{0, (Memo->GetRealStrCount()) * H, Memo->GetRealGutterWidth() - 2, (Memo->GetRealStrCount() + 1) * H}));
}

// A tokenizer whose digits are drawn in a large font and everything else in a small one.
class TSizesParser : public Dorazori::TSimpleParser {
  Z_CLASS(TSizesParser, TSimpleParser)
public:
  explicit TSizesParser(TComponent* AOwner) : TSimpleParser(AOwner) {
    Small.SetName("DejaVu Sans");
    Small.SetSize(8);
    Small.SetColor(clBlack);
    Big.SetName("DejaVu Sans");
    Big.SetSize(20);
    Big.SetColor(clBlack);
  }
  Integer ColorString(const std::string& S, Integer State, std::string& ColorData) override {
    ColorData.assign(S.size(), '\0');
    for (std::size_t I = 0; I < S.size(); ++I) {
      if (S[I] >= '0' && S[I] <= '9') {
        ColorData[I] = 1;
      }
    }
    return State;
  }
  TFont* GetFont(Integer Index) override { return Index == 0 ? &Small : &Big; }
  TFont Small, Big;
};
Z_IMPLEMENT_CLASS(TSizesParser, TSimpleParser)

// The lowest dark pixel row within the columns [X1, X2) of the first text row.
int LowestInk(ZEZMemo* M, int X1, int X2, int Height) {
  HDC DC = GetDC(M->Handle());
  int Lowest = -1;
  for (int Y = 0; Y < Height; ++Y) {
    for (int X = X1; X < X2; ++X) {
      const COLORREF C = GetPixel(DC, X, Y);
      if (C != CLR_INVALID && GetRValue(C) < 0x80 && GetGValue(C) < 0x80 && GetBValue(C) < 0x80) {
        Lowest = Y;
      }
    }
  }
  ReleaseDC(M->Handle(), DC);
  return Lowest;
}

TEST_F(VuvudiTest, ProportionalRunsOfDifferentSizesShareTheirBaseline) {
  auto* Parser = new TSizesParser(Form);
  Memo->GetSource()->SetSyntaxParser(Parser);
  Memo->SetUseMonoFont(false);
  SetText(Memo, "xxx 1111 xxx\nsecond line\n");
  Memo->UpdateAVESize();
  Memo->Invalidate();
  Harness::RunUntilIdle();
  Harness::SaveWindowPng(Memo->Handle(), ::testing::TempDir() + "vuvudi_baseline.png");
  const Integer H = Memo->GetAveLineHeight();
  const Integer SmallX1 = Memo->TextToPixelChar({0, 0}), SmallX2 = Memo->TextToPixelChar({3, 0});
  const Integer BigX1 = Memo->TextToPixelChar({4, 0}), BigX2 = Memo->TextToPixelChar({8, 0});
  EXPECT_GT(BigX2 - BigX1, 2 * (SmallX2 - SmallX1));  // the digits really are larger
  const int SmallBase = LowestInk(Memo, SmallX1, SmallX2, H);
  const int BigBase = LowestInk(Memo, BigX1, BigX2, H);
  ASSERT_GE(SmallBase, 0);
  EXPECT_LE(std::abs(SmallBase - BigBase), 1);
  // Conversion in this mode: each character's pixel maps back to it.
  for (Integer C = 0; C < 12; ++C) {
    TPoint Back;
    Memo->MouseToTextPoint(Memo->TextToPixelChar({C, 0}) + 1, 1, Back, true);
    EXPECT_EQ(Back, (TPoint{C, 0})) << C;
  }
  // Measuring: the size of a stretch is what the painter draws, and what fits a width counts whole characters
  // (Truncate) or the nearer boundary, the rest of the width filled with blanks.
  std::string S, C;
  Memo->GetStrData(0, S, C);
  TSize Size{};
  Integer Base = 0;
  Memo->CalcStringSize(S, C, Size, Base, 8, 0);
  EXPECT_EQ(Size.cx, Memo->TextToPixelChar({8, 0}) - Memo->TextToPixelChar({0, 0}));
  EXPECT_EQ(Size.cy, Memo->GetRealLineHeight(0));
  EXPECT_EQ(Base, Memo->GetBaseLine(0));
  const Integer To4 = Memo->TextToPixelChar({4, 0}) - SmallX1, To5 = Memo->TextToPixelChar({5, 0}) - SmallX1;
  const Integer Blank = Memo->CalcSpacesSize(1, {0, 0});
  struct TFit {
    Integer Width;
    bool Truncate;
    Integer Expected;
  };
  for (const TFit& F :
       {TFit{To4, true, 4}, TFit{To4 + (To5 - To4) / 2 + 2, false, 5}, TFit{To4 + (To5 - To4) / 2 + 2, true, 4},
        TFit{Size.cx + 0, true, 8}, TFit{Memo->TextToPixelChar({12, 0}) - SmallX1 + 3 * Blank, true, 15}}) {
    TRect R{0, 0, F.Width, H};
    Integer Extra = 0;
    EXPECT_EQ(Memo->SymbolsDrawn(0, 0, S, C, R, Extra, F.Truncate), F.Expected) << F.Width << " " << F.Truncate;
  }
  EXPECT_EQ(Memo->CalcSpacesSize(0, {0, 0}), 0);
  Memo->GetSource()->SetSyntaxParser(nullptr);
}

// Proportional mode measures each line: a line of large digits is taller than a line of small letters, and rows,
// pixels, the caret and painting all follow the measured heights.
TEST_F(VuvudiTest, ProportionalLinesHaveTheirOwnHeights) {
  auto* Parser = new TSizesParser(Form);
  Memo->GetSource()->SetSyntaxParser(Parser);
  Memo->SetUseMonoFont(false);
  std::string Text = "xxx small\n12345 big\nxx after\n";
  for (int I = 0; I < 40; ++I) {
    Text += I % 3 == 0 ? "9 tall row 9\n" : "low row\n";
  }
  SetText(Memo, Text);
  Harness::RunUntilIdle();
  Harness::SaveWindowPng(Memo->Handle(), ::testing::TempDir() + "vuvudi_heights.png");
  const Integer H0 = Memo->GetRealLineHeight(0), H1 = Memo->GetRealLineHeight(1), H2 = Memo->GetRealLineHeight(2);
  EXPECT_GT(H1, H0 + 5);
  EXPECT_EQ(H0, H2);
  EXPECT_GT(Memo->GetBaseLine(1), Memo->GetBaseLine(0));
  EXPECT_EQ(Memo->TextToPixelLine({0, 1}), H0);
  EXPECT_EQ(Memo->TextToPixelLine({0, 2}), H0 + H1);
  EXPECT_EQ(Memo->LineToPixel(0, 3, 0), H0 + H1 + H2);
  // Fewer big digits than small letters fit across the client: the visible columns follow the caret line.
  SetText(Memo, std::string(200, 'x') + "\n" + std::string(200, '1') + "\n");
  Memo->GetSource()->JumpTo(0, 0);
  const Integer SmallColumns = Memo->GetMaxCaretChar();
  Memo->GetSource()->JumpTo(0, 1);
  EXPECT_LT(Memo->GetMaxCaretChar(), SmallColumns / 2);
  EXPECT_GT(Memo->GetMaxCaretChar(), 10);
  SetText(Memo, Text);
  Integer Y = H0 + H1 + 1, Pos = 0;
  EXPECT_EQ(Memo->PixelToTextLine(Y, Pos, false), 2);
  EXPECT_EQ(Y, H0 + H1);
  EXPECT_EQ(Pos, 1);
  // The third line's text is drawn in its own band, below the tall line.
  EXPECT_TRUE(ShowsText(TRect{Memo->GetPaintX(), H0 + H1, Memo->GetPaintX() + 20, H0 + H1 + H2}));
  EXPECT_FALSE(ShowsText(TRect{Memo->GetPaintX() + 200, H0 + H1, Memo->ClientWidth() - 2, H0 + H1 + H2}));
  // Every character of several lines maps to its pixel and back, also after scrolling by one tall row.
  auto RoundTrips = [&]() {
    for (Integer L = Memo->WinLine(); L < Memo->WinLine() + 6; ++L) {
      const Integer Len = static_cast<Integer>(Memo->GetSource()->GetDisplay(L).size());
      for (Integer C = 0; C < Len; ++C) {
        const TPoint Px = Memo->TextToPixelPoint({C, L});
        TPoint Back;
        Memo->MouseToTextPoint(Px.X + 1, Px.Y + 1, Back, true);
        EXPECT_EQ(Back, (TPoint{C, L})) << C << "," << L;
      }
    }
  };
  RoundTrips();
  Memo->ScrollDown();
  EXPECT_EQ(Memo->TextToPixelLine({0, 1}), 0);
  EXPECT_EQ(Memo->TextToPixelLine({0, 0}), -H0);
  RoundTrips();
  Memo->ScrollUp();
  // The caret takes the size of the character under it and stands on the row's baseline.
  Memo->SetFocus();
  Memo->GetSource()->JumpTo(1, 1);
  Harness::RunUntilIdle();
  EXPECT_EQ(Memo->CaretSize().cy, H1);
  EXPECT_EQ(Memo->CaretPixel().Y, H0);
  Memo->GetSource()->JumpTo(7, 1);  // a small letter on the tall line
  Harness::RunUntilIdle();
  EXPECT_LT(Memo->CaretSize().cy, H1);
  EXPECT_EQ(Memo->CaretPixel().Y + Memo->CaretSize().cy, H0 + Memo->GetBaseLine(1) + (H0 - Memo->GetBaseLine(0)));
  // A page down keeps the caret in view with rows of mixed heights.
  Memo->GetSource()->JumpTo(0, 30);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Memo->IsPointVisible({0, 30}));
  EXPECT_LE(Memo->TextToPixelLine({0, 30}) + Memo->GetRealLineHeight(30), Memo->ClientHeight());
  // Word wrap: each row of a tall line is tall, and every character still maps back from its pixel.
  Memo->GetSource()->JumpTo(0, 0);
  SetText(Memo, "short\n1 22 333 4444 55555 666666 7777777 88888888 999999999 and a few small words\nend\n");
  Memo->SetWordWrap(true);
  Memo->SetMarginPos(20);
  Memo->SetOptions(Memo->Options() + TMemoOptions{moBreakWordAtMargin});
  Harness::RunUntilIdle();
  ASSERT_GT(Memo->WordWrapList().Count(), 1);
  const Integer Tall = Memo->GetRealLineHeight(1);
  EXPECT_EQ(Memo->RowHeight(2), Tall);
  // Rows break by their measured width: each fits the margin, and the rows use most of it.
  const Integer Room = Memo->GetWrapMargin() - Memo->GetPaintX();
  Integer Widest = 0;
  for (Integer Pos = 1, Row = 0; Pos <= static_cast<Integer>(Memo->GetSource()->GetDisplay(1).size()); ++Row) {
    const Integer RowW = Memo->GetWrappedLineWidth(1, Pos, true);
    EXPECT_LE(RowW, Room) << Row;
    Widest = std::max(Widest, RowW);
  }
  EXPECT_GT(Widest, Room * 3 / 4);
  EXPECT_EQ(Memo->TextToPixelLine({0, 2}), Memo->GetRealLineHeight(0) + (Memo->WordWrapList().Count() + 1) * Tall);
  const Integer Len = static_cast<Integer>(Memo->GetSource()->GetDisplay(1).size());
  for (Integer C = 0; C < Len; ++C) {
    const TPoint Px = Memo->TextToPixelPoint({C, 1});
    TPoint Back;
    Memo->MouseToTextPoint(Px.X + 1, Px.Y + 1, Back, true);
    EXPECT_EQ(Back, (TPoint{C, 1})) << C;
  }
  // Typing a tall character makes its line taller: the lines below are repainted where they now stand.
  Memo->SetWordWrap(false);
  SetText(Memo, "abc\ndef\nghi\n");
  const Integer Before = Memo->GetRealLineHeight(0);
  Memo->GetSource()->JumpTo(3, 0);
  Memo->GetSource()->BeginUpdate(Reason::Insert);
  Memo->GetSource()->Insert("5");
  Memo->GetSource()->EndUpdate();
  EXPECT_GT(Memo->GetRealLineHeight(0), Before);
  TRect R{};
  GetUpdateRect(Memo->Handle(), &R, FALSE);
  EXPECT_EQ(R.Top, 0);
  EXPECT_EQ(R.Bottom, Memo->ClientHeight());
  Memo->GetSource()->SetSyntaxParser(nullptr);
}

TEST_F(VuvudiTest, ScrollingByOneRowRepaintsOnlyTheNewRow) {
  std::string Text;
  for (int I = 0; I < 100; ++I) {
    Text += "row " + std::to_string(I) + "\n";
  }
  SetText(Memo, Text);
  Harness::RunUntilIdle();
  Memo->ScrollDown();
  TRect R{};
  GetUpdateRect(Memo->Handle(), &R, FALSE);
  const Integer H = Memo->GetAveLineHeight();
  EXPECT_LE(R.Bottom - R.Top, H + Memo->ClientHeight() % H);
  EXPECT_EQ(R.Bottom, Memo->ClientHeight());
  Harness::RunUntilIdle();
  EXPECT_TRUE(ShowsText(TRect{Memo->GetPaintX(), 0, Memo->GetPaintX() + 40, H}));
}

// A caret jump that moves the view repaints it, also while another control has the focus.
TEST_F(VuvudiTest, AJumpThatMovesTheViewRepaintsIt) {
  std::string Text;
  for (int I = 0; I < 100; ++I) {
    Text += "row " + std::to_string(I) + "\n";
  }
  SetText(Memo, Text);
  ASSERT_FALSE(Memo->Focused());
  Memo->GetSource()->JumpTo(0, 80);
  EXPECT_GT(Memo->WinLine(), 0);
  TRect R{};
  EXPECT_TRUE(GetUpdateRect(Memo->Handle(), &R, FALSE));
  EXPECT_GT(R.Bottom - R.Top, Memo->ClientHeight() / 2);
  Harness::RunUntilIdle();
  // The caret's row now shows its own text: "row 80" is wider than "row 8", so ink reaches the sixth cell.
  const Integer W = Memo->GetAveCharWidth(), Y = Memo->TextToPixelLine({0, 80});
  EXPECT_TRUE(ShowsText(TRect{Memo->GetPaintX() + 5 * W, Y, Memo->GetPaintX() + 6 * W, Y + Memo->GetAveLineHeight()}));
}

TEST_F(VuvudiTest, PaintsHighlightBookmarksCollapseBoxesLinksAndBackground) {
  SetText(Memo, "first line\nsee http://example.org here\nthird\nfourth\n");
  const Integer W = Memo->GetAveCharWidth(), H = Memo->GetAveLineHeight();
  // The current line's highlight, while focused.
  Memo->LineHighlight()->SetVisible(true);
  Memo->LineHighlight()->Brush()->SetColor(clYellow);
  Memo->SetFocus();
  Memo->GetSource()->JumpTo(0, 2);
  Harness::RunUntilIdle();
  EXPECT_EQ(Pixel(Memo->GetPaintX() + 40 * W, 2 * H + H / 2), ColorToRGB(clYellow));
  EXPECT_NE(Pixel(Memo->GetPaintX() + 40 * W, 1 * H + H / 2), ColorToRGB(clYellow));
  Memo->LineHighlight()->SetVisible(false);
  // A line bookmark: a triangle under its column.
  Memo->SetOptions(Memo->Options() + TMemoOptions{moDrawLineBookmarks});
  Memo->GetSource()->JumpTo(3, 0);
  Memo->GetSource()->SetBookmark(1);
  Memo->Invalidate();
  EXPECT_TRUE(Shows(TRect{Memo->GetPaintX() + 3 * W - 4, H - 6, Memo->GetPaintX() + 3 * W + 4, H}, clRed));
  // Links in style 12 without colour syntax.
  Memo->SetOptions(Memo->Options() - TMemoOptions{moColorSyntax});
  Memo->GetSource()->SetHighLightUrls(true);
  Memo->Invalidate();
  EXPECT_TRUE(Shows(TRect{Memo->GetPaintX() + 4 * W, H, Memo->GetPaintX() + 22 * W, 2 * H}, clBlue));
  EXPECT_FALSE(Shows(TRect{Memo->GetPaintX(), H, Memo->GetPaintX() + 3 * W, 2 * H}, clBlue));
  // Collapse boxes left of the text with moHideInvisibleLines.
  Memo->SetOptions(Memo->Options() + TMemoOptions{moHideInvisibleLines});
  Memo->GetSource()->SetCollapseState(0, csExpanded);
  Memo->Invalidate();
  EXPECT_EQ(Memo->GetPaintX(), H);
  EXPECT_TRUE(Shows(TRect{0, 0, H, H}, clGray));
  EXPECT_FALSE(Shows(TRect{0, 2 * H, H, 3 * H}, clGray));
  // A gradient background under the text.
  Memo->SetOptions(TMemoOptions{});
  Memo->MemoBackground()->SetGradientBeginColor(clRed);
  Memo->MemoBackground()->SetGradientEndColor(clBlue);
  Memo->SetBkgndOption(Dccontrols::boVertGradient);
  Memo->MemoBackground()->PaintBackground();
  Memo->Invalidate();
  const COLORREF Top = Pixel(300, 6 * H), Bottom = Pixel(300, Memo->ClientHeight() - 3);
  EXPECT_NE(Top, Bottom);
  EXPECT_GT(GetRValue(Top), GetRValue(Bottom));
  EXPECT_TRUE(ShowsText(TRect{Memo->GetPaintX(), 0, Memo->GetPaintX() + 10 * W, H}));
}

}  // namespace
