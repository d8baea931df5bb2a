// Frame drawing in every style, the group control's client area and frame, and the windowless frame control.
#include "shell/Uptframes.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/Messages.h"
#include "tests/support/Forms.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

COLORREF C(TColor Color) { return ColorToRGB(Color); }

// ---- The drawing routines on a bitmap ------------------------------------------------------------------------------

struct TPixel {
  int X, Y;
  TColor Color;
};

struct TStyleCase {
  const char* Name;
  TPTFrameStyle Style;
  std::vector<TPixel> Pixels;  // on a 20 x 20 white bitmap framed over (0, 0)-(19, 19)
  TRect Inside;                // AdjustRectForFrame of (0, 0, 19, 19)
};

class FrameStyles : public ::testing::TestWithParam<TStyleCase> {};

TEST_P(FrameStyles, DrawTheirLinesAndShrinkTheRectangle) {
  const TStyleCase& Case = GetParam();
  TBitmap Bmp;
  Bmp.SetSize(20, 20);
  Bmp.Canvas()->Brush()->SetColor(clWhite);
  Bmp.Canvas()->FillRect(Rect(0, 0, 20, 20));
  Bmp.Canvas()->Brush()->SetStyle(bsClear);
  DrawFrame(Case.Style, Bmp.Canvas(), Rect(0, 0, 19, 19));
  for (const TPixel& P : Case.Pixels) {
    EXPECT_EQ(Bmp.Canvas()->Pixels(P.X, P.Y), C(P.Color)) << "pixel " << P.X << "," << P.Y;
  }
  TRect R = Rect(0, 0, 19, 19);
  AdjustRectForFrame(Case.Style, R);
  EXPECT_EQ(R, Case.Inside);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, FrameStyles,
    ::testing::Values(
        TStyleCase{"None", ptfsNone, {{0, 0, clWhite}, {19, 19, clWhite}}, Rect(0, 0, 19, 19)},
        TStyleCase{"Lowered",
                   ptfsLowered,
                   {{0, 0, clBtnShadow}, {0, 18, clBtnShadow}, {18, 0, clBtnShadow}, {1, 1, cl3DDkShadow},
                    {1, 18, clBtnFace}, {18, 18, clBtnFace}, {0, 19, clBtnHighlight}, {19, 19, clBtnHighlight},
                    {19, 0, clBtnHighlight}, {2, 2, clWhite}},
                   Rect(2, 2, 17, 17)},
        TStyleCase{"Raised",
                   ptfsRaised,
                   {{0, 0, clBtnHighlight}, {1, 1, clBtnFace}, {18, 18, clBtnShadow}, {19, 19, cl3DDkShadow}},
                   Rect(2, 2, 17, 17)},
        TStyleCase{"Dint",
                   ptfsDint,
                   {{0, 0, clBtnShadow}, {19, 0, clBtnHighlight}, {19, 19, clBtnHighlight}, {1, 1, clWhite}},
                   Rect(1, 1, 18, 18)},
        TStyleCase{"Bump", ptfsBump, {{0, 0, clBtnHighlight}, {19, 19, clBtnShadow}}, Rect(1, 1, 18, 18)},
        TStyleCase{"Single",
                   ptfsSingle,
                   {{0, 0, clWindowFrame}, {19, 19, clWindowFrame}, {19, 0, clWindowFrame}, {1, 1, clWhite}},
                   Rect(1, 1, 18, 18)},
        TStyleCase{"HorzLine",
                   ptfsHorzLine,
                   {{0, 0, clBtnShadow}, {19, 0, clBtnShadow}, {0, 1, clBtnHighlight}, {0, 19, clWhite}},
                   Rect(0, 2, 19, 19)},
        TStyleCase{"HorzEdge",
                   ptfsHorzEdge,
                   {{0, 0, clBtnShadow}, {5, 1, clBtnHighlight}, {5, 18, clBtnShadow}, {19, 19, clBtnHighlight}},
                   Rect(0, 2, 19, 17)},
        TStyleCase{"VertLine",
                   ptfsVertLine,
                   {{0, 0, clBtnShadow}, {0, 19, clBtnShadow}, {1, 5, clBtnHighlight}, {19, 5, clWhite}},
                   Rect(2, 0, 19, 19)},
        TStyleCase{"VertEdge",
                   ptfsVertEdge,
                   {{0, 0, clBtnShadow}, {1, 5, clBtnHighlight}, {18, 5, clBtnShadow}, {19, 19, clBtnHighlight}},
                   Rect(2, 0, 17, 19)},
        // Without a caption the etched line runs along the top: shadow at row 0, highlight at row 1.
        TStyleCase{"Group",
                   ptfsGroup,
                   {{0, 0, clBtnShadow}, {1, 1, clBtnHighlight}, {18, 18, clBtnShadow}, {19, 19, clBtnHighlight}},
                   Rect(0, 0, 19, 19)}),
    [](const ::testing::TestParamInfo<TStyleCase>& Info) { return std::string(Info.param.Name); });

TEST(FrameDrawing, MeasuredCaptionsNeverHaveZeroHeight) {
  HDC DC = GetDC(0);
  for (const std::string& Caption : {std::string(), std::string("&")}) {
    TRect R = Rect(0, 0, 0, 0);
    PTDrawCaptionText(DC, Caption, R, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(R.Height(), 0) << "\"" << Caption << "\"";
  }
  ReleaseDC(0, DC);
}

// ---- The controls --------------------------------------------------------------------------------------------------

class Frames : public TestSupport::TFormTest {
protected:
  TPTGroup* MakeGroup(TRect Bounds = Rect(10, 10, 130, 90)) {
    auto* G = TestSupport::Make<TPTGroup>(Form, Form, Bounds);
    return G;
  }
  TRect ClientInWindow(TWinControl* W) {
    TRect Wr;
    GetWindowRect(W->Handle(), &Wr);
    const TPoint P = W->ClientToScreen(Point(0, 0));
    return Rect(P.X - Wr.Left, P.Y - Wr.Top, P.X - Wr.Left + W->ClientWidth(), P.Y - Wr.Top + W->ClientHeight());
  }
  COLORREF WindowPixel(TWinControl* W, int X, int Y) {
    HDC DC = GetWindowDC(W->Handle());
    const COLORREF P = GetPixel(DC, X, Y);
    ReleaseDC(W->Handle(), DC);
    return P;
  }
  COLORREF ClientPixel(TWinControl* W, int X, int Y) {
    HDC DC = GetDC(W->Handle());
    const COLORREF P = GetPixel(DC, X, Y);
    ReleaseDC(W->Handle(), DC);
    return P;
  }
  // Pixels of a colour (or with Unlike, of any other colour) in a rectangle of window coordinates.
  int CountInRect(TWinControl* W, const TRect& R, TColor Color, bool Unlike = false) {
    HDC DC = GetWindowDC(W->Handle());
    int N = 0;
    for (int Y = R.Top; Y < R.Bottom; ++Y) {
      for (int X = R.Left; X < R.Right; ++X) {
        N += (GetPixel(DC, X, Y) == C(Color)) != Unlike ? 1 : 0;
      }
    }
    ReleaseDC(W->Handle(), DC);
    return N;
  }
};

TEST_F(Frames, TheGroupsClientAreaLiesInsideItsFrame) {
  auto* G = MakeGroup();
  Form->Show();
  Harness::RunUntilIdle();
  // Without a caption: two pixels on every side.
  EXPECT_EQ(ClientInWindow(G), Rect(2, 2, 118, 78));
  // With a caption in the default font (text height 13): the client area starts below the caption.
  G->SetCaption("Files");
  Harness::RunUntilIdle();
  EXPECT_EQ(ClientInWindow(G), Rect(2, 13, 118, 78));
  struct {
    TPTFrameStyle Style;
    TRect Client;
  } const Cases[] = {{ptfsNone, Rect(0, 0, 120, 80)},     {ptfsLowered, Rect(2, 2, 118, 78)},
                     {ptfsDint, Rect(1, 1, 119, 79)},     {ptfsHorzLine, Rect(0, 2, 120, 80)},
                     {ptfsVertEdge, Rect(2, 0, 118, 80)}, {ptfsGroup, Rect(2, 13, 118, 78)}};
  for (const auto& Case : Cases) {
    G->SetFrameStyle(Case.Style);
    Harness::RunUntilIdle();
    EXPECT_EQ(ClientInWindow(G), Case.Client) << Case.Style;
  }
  // A child aligned to the client fills exactly the inner area.
  auto* Child = TestSupport::Make<TPTGroup>(Form, G, Rect(0, 0, 10, 10));
  Child->SetAlign(alClient);
  Harness::RunUntilIdle();
  EXPECT_EQ(Child->BoundsRect(), Rect(0, 0, 116, 65));
}

TEST_F(Frames, TheGroupDrawsItsFrameInTheNonClientArea) {
  auto* G = MakeGroup();
  G->SetFrameStyle(ptfsLowered);
  G->SetColor(clWhite);
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_EQ(WindowPixel(G, 0, 0), C(clBtnShadow));
  EXPECT_EQ(WindowPixel(G, 1, 1), C(cl3DDkShadow));
  EXPECT_EQ(WindowPixel(G, 118, 78), C(clBtnFace));
  EXPECT_EQ(WindowPixel(G, 119, 79), C(clBtnHighlight));
  EXPECT_EQ(WindowPixel(G, 2, 2), C(clWhite));  // the client area in the group's colour
  // With DefaultDrawing the caption is drawn inside the frame, centred.
  G->SetCaption("Middle");
  Harness::RunUntilIdle();
  EXPECT_GT(CountInRect(G, Rect(40, 30, 80, 50), clWhite, true), 0);
  EXPECT_EQ(CountInRect(G, Rect(2, 2, 30, 78), clWhite, true), 0);
  G->SetAlignment(taLeftJustify);
  Harness::RunUntilIdle();
  EXPECT_GT(CountInRect(G, Rect(2, 30, 30, 50), clWhite, true), 0);
}

TEST_F(Frames, ADisabledGroupEngravesItsCaptionAndTheGroupEnablesItsChildren) {
  auto* G = MakeGroup();
  G->SetColor(clBtnFace);
  G->SetCaption("WWWW");
  auto* A = TestSupport::Make<TPTGroup>(Form, G, Rect(0, 0, 20, 20));
  auto* B = TestSupport::Make<TPTFrame>(Form, G, Rect(30, 0, 20, 20));
  Form->Show();
  Harness::RunUntilIdle();
  const TRect CaptionArea = Rect(8, 0, 20, 13);
  EXPECT_GT(CountInRect(G, CaptionArea, clWindowText), 0);
  EXPECT_EQ(CountInRect(G, CaptionArea, clBtnHighlight), 0);
  G->SetEnabled(false);
  Harness::RunUntilIdle();
  EXPECT_FALSE(A->Enabled());
  EXPECT_FALSE(B->Enabled());
  EXPECT_EQ(CountInRect(G, CaptionArea, clWindowText), 0);
  EXPECT_GT(CountInRect(G, CaptionArea, clBtnHighlight), 0);
  EXPECT_GT(CountInRect(G, CaptionArea, clBtnShadow), 0);
  G->SetEnabled(true);
  EXPECT_TRUE(A->Enabled());
  EXPECT_TRUE(B->Enabled());
}

TEST_F(Frames, TheFrameControlPaintsItsFrameAndOnlyNonGroupFramesFireOnPaint) {
  Form->SetColor(clWhite);
  auto* F = TestSupport::Make<TPTFrame>(Form, Form, Rect(20, 20, 100, 30));
  int Paints = 0;
  F->OnPaint = [&](TObject*, TCanvas*) { ++Paints; };
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_GT(Paints, 0);
  EXPECT_EQ(ClientPixel(Form, 20, 20), C(clBtnShadow));
  EXPECT_EQ(ClientPixel(Form, 21, 21), C(cl3DDkShadow));
  EXPECT_EQ(ClientPixel(Form, 119, 49), C(clBtnHighlight));
  F->SetFrameStyle(ptfsGroup);
  F->SetCaption("Status");
  Paints = 0;
  Form->Repaint();
  Harness::RunUntilIdle();
  EXPECT_EQ(Paints, 0);
}

TEST_F(Frames, AFormLayoutSetsTheGroupAndFrameProperties) {
  RegisterClasses({TPTGroup::StaticClass(), TPTFrame::StaticClass()});
  TStringStream In(
      "object Form1: TForm\r\n"
      "  object Box: TPTGroup\r\n"
      "    Left = 8\r\n    Top = 8\r\n    Width = 200\r\n    Height = 100\r\n"
      "    Caption = 'Options'\r\n    FrameStyle = ptfsRaised\r\n    FrameSpace = 6\r\n"
      "    object Status: TPTFrame\r\n"
      "      Left = 4\r\n      Top = 4\r\n      Width = 150\r\n      Height = 20\r\n"
      "      Alignment = taLeftJustify\r\n      DefaultDrawing = False\r\n"
      "    end\r\n"
      "  end\r\n"
      "end\r\n");
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* Box = dynamic_cast<TPTGroup*>(Form->FindComponent("Box"));
  auto* Status = dynamic_cast<TPTFrame*>(Form->FindComponent("Status"));
  ASSERT_NE(Box, nullptr);
  ASSERT_NE(Status, nullptr);
  EXPECT_EQ(Box->FrameStyle(), ptfsRaised);
  EXPECT_EQ(Box->FrameSpace(), 6);
  EXPECT_EQ(Box->Alignment(), taCenter);
  EXPECT_EQ(Status->Parent(), Box);
  EXPECT_EQ(Status->FrameStyle(), ptfsLowered);
  EXPECT_EQ(Status->Alignment(), taLeftJustify);
  EXPECT_FALSE(Status->DefaultDrawing());
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_EQ(ClientInWindow(Box), Rect(2, 2, 198, 98));
}

}  // namespace
