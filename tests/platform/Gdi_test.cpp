// Tests of the drawing calls on memory DCs: colours, regions, DC state, raster operations, blits, lines and shapes,
// edges and frame controls.
#include "platform/graphics/GdiInternals.h"
#include "platform/win/Modules.h"
#include "tests/platform/GdiTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

using GdiTest::TCanvasDC;

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

TEST(Colors, SystemColoursComeFromTheFixedClassicPalette) {
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
  EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(64, 64, 64));
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
  EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
  EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
  EXPECT_EQ(static_cast<unsigned>(clBtnFace), 0x8000000Fu);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), White);
  EXPECT_EQ(GetSysColor(99), 0u);
  EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
  EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
  EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
  // The system colour brushes are stock objects: deleting them does nothing.
  HBRUSH B = GetSysColorBrush(COLOR_BTNFACE);
  EXPECT_EQ(B, GetSysColorBrush(COLOR_BTNFACE));
  DeleteObject(B);
  LOGBRUSH L;
  ASSERT_EQ(GetObject(B, sizeof L, &L), static_cast<int>(sizeof L));
  EXPECT_EQ(L.lbColor, RGB(212, 208, 200));
}

TEST(Colors, NamesRoundTrip) {
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_EQ(StringToColor("clRed"), clRed);
  EXPECT_EQ(StringToColor("$00123456"), 0x123456);
  EXPECT_EQ(StringToColor(ColorToString(clGradientActiveCaption)), clGradientActiveCaption);
}

// ---- Regions -----------------------------------------------------------------------------------------------------

struct TCombineCase {
  const char* Name;
  int Mode;
  int Kind;
  TRect Box;
  bool In[4];  // (2,2) only in A, (7,7) in both, (12,12) only in B, (2,12) in neither
};

class CombineRgnTest : public ::testing::TestWithParam<TCombineCase> {};

TEST_P(CombineRgnTest, CombinesTwoOverlappingSquares) {
  const auto& C = GetParam();
  HRGN A = CreateRectRgn(0, 0, 10, 10);
  HRGN B = CreateRectRgn(5, 5, 15, 15);
  HRGN D = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(D, A, B, C.Mode), C.Kind);
  TRect Box;
  GetRgnBox(D, &Box);
  EXPECT_EQ(Box, C.Box);
  const TPoint Probes[4] = {{2, 2}, {7, 7}, {12, 12}, {2, 12}};
  for (int I = 0; I < 4; ++I) {
    EXPECT_EQ(PtInRegion(D, Probes[I].X, Probes[I].Y) != FALSE, C.In[I]) << "probe " << I;
  }
  for (HRGN R : {A, B, D}) {
    DeleteObject(R);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CombineRgnTest,
    ::testing::Values(TCombineCase{"And", RGN_AND, SIMPLEREGION, {5, 5, 10, 10}, {false, true, false, false}},
                      TCombineCase{"Or", RGN_OR, COMPLEXREGION, {0, 0, 15, 15}, {true, true, true, false}},
                      TCombineCase{"Xor", RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}, {true, false, true, false}},
                      TCombineCase{"Diff", RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}, {true, false, false, false}},
                      TCombineCase{"Copy", RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}, {true, true, false, false}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(Regions, HalvesJoinIntoOneRectangleAndEdgesAreExclusive) {
  HRGN A = CreateRectRgn(0, 0, 10, 5);
  HRGN B = CreateRectRgn(0, 5, 10, 10);
  HRGN Whole = CreateRectRgn(0, 0, 10, 10);
  HRGN D = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(D, A, B, RGN_OR), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(D, Whole));
  EXPECT_FALSE(PtInRegion(D, 10, 5));
  EXPECT_TRUE(PtInRegion(D, 9, 9));
  EXPECT_EQ(CombineRgn(D, A, A, RGN_DIFF), NULLREGION);
  EXPECT_EQ(OffsetRgn(Whole, 5, -5), SIMPLEREGION);
  TRect Box;
  GetRgnBox(Whole, &Box);
  EXPECT_EQ(Box, Rect(5, -5, 15, 5));
  EXPECT_EQ(CombineRgn(D, A, 0, RGN_OR), ERROR);
  for (HRGN R : {A, B, Whole, D}) {
    DeleteObject(R);
  }
}

// ---- Objects and DC state ----------------------------------------------------------------------------------------

TEST(DeviceContext, SelectionSaveAndRestore) {
  TCanvasDC C(10, 10);
  HPEN Red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HGDIOBJ OldPen = SelectObject(C.DC(), Red);
  EXPECT_EQ(OldPen, GetStockObject(BLACK_PEN));
  // Selected objects cannot be deleted; stock objects never are.
  EXPECT_FALSE(DeleteObject(Red));
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
  int Depth = SaveDC(C.DC());
  EXPECT_EQ(Depth, 1);
  SetTextColor(C.DC(), RGB(1, 2, 3));
  SetBkMode(C.DC(), TRANSPARENT);
  SelectObject(C.DC(), GetStockObject(WHITE_PEN));
  SetWindowOrgEx(C.DC(), 4, 4, nullptr);
  EXPECT_EQ(SaveDC(C.DC()), 2);
  SetTextColor(C.DC(), RGB(9, 9, 9));
  EXPECT_TRUE(RestoreDC(C.DC(), -1));
  EXPECT_EQ(GetTextColor(C.DC()), RGB(1, 2, 3));
  EXPECT_TRUE(RestoreDC(C.DC(), 1));
  EXPECT_EQ(GetTextColor(C.DC()), Black);
  EXPECT_EQ(GetBkMode(C.DC()), OPAQUE);
  EXPECT_EQ(GetCurrentObject(C.DC(), OBJ_PEN), Red);
  TPoint Org;
  GetWindowOrgEx(C.DC(), &Org);
  EXPECT_EQ(Org, Point(0, 0));
  EXPECT_FALSE(RestoreDC(C.DC(), 1));  // nothing saved any more
  // A bitmap lives in one DC at a time.
  HDC Other = CreateCompatibleDC(0);
  EXPECT_EQ(SelectObject(Other, C.Bitmap()), 0u);
  DeleteDC(Other);
  SelectObject(C.DC(), OldPen);
  EXPECT_TRUE(DeleteObject(Red));
  EXPECT_FALSE(DeleteObject(Red));
}

TEST(DeviceContext, ObjectsDescribeThemselves) {
  HBITMAP Mono = CreateBitmap(17, 3, 1, 1, nullptr);
  BITMAP B;
  ASSERT_EQ(GetObject(Mono, sizeof B, &B), static_cast<int>(sizeof B));
  EXPECT_EQ(B.bmWidth, 17);
  EXPECT_EQ(B.bmBitsPixel, 1);
  EXPECT_EQ(B.bmWidthBytes, 4);  // rows padded to 16 bits
  HDC DC = CreateCompatibleDC(0);
  // A fresh memory DC holds a 1x1 monochrome bitmap, so compatible bitmaps made from it are monochrome.
  HBITMAP Compat = CreateCompatibleBitmap(DC, 5, 5);
  GetObject(Compat, sizeof B, &B);
  EXPECT_EQ(B.bmBitsPixel, 1);
  LOGFONT L;
  L.lfHeight = -13;
  std::strcpy(L.lfFaceName, "Courier New");
  HFONT F = CreateFontIndirect(&L);
  LOGFONT Back;
  EXPECT_EQ(GetObject(F, sizeof Back, &Back), static_cast<int>(sizeof Back));
  EXPECT_STREQ(Back.lfFaceName, "Courier New");
  EXPECT_EQ(GetObjectType(F), OBJ_FONT);
  EXPECT_EQ(GetObjectType(DC), OBJ_MEMDC);
  for (HGDIOBJ O : {Mono, Compat, F}) {
    DeleteObject(O);
  }
  DeleteDC(DC);
}

// ---- Filling, framing, lines -------------------------------------------------------------------------------------

TEST(Drawing, RectanglesAndLinesLeaveOutTheirRightAndBottomEdges) {
  TCanvasDC C(8, 6);
  SelectObject(C.DC(), GetStockObject(BLACK_BRUSH));
  Rectangle(C.DC(), 1, 1, 5, 4);
  EXPECT_EQ(C.Map(Rect(0, 0, 8, 6), Black),
            "........\n"
            ".####...\n"
            ".####...\n"
            ".####...\n"
            "........\n"
            "........\n");
  TCanvasDC L(8, 3);
  MoveToEx(L.DC(), 1, 1, nullptr);
  LineTo(L.DC(), 6, 1);
  EXPECT_EQ(L.Map(Rect(0, 0, 8, 3), Black), "........\n.#####..\n........\n");
  TPoint P;
  GetCurrentPositionEx(L.DC(), &P);
  EXPECT_EQ(P, Point(6, 1));
  TCanvasDC F(6, 5);
  HBRUSH Red = CreateSolidBrush(RGB(255, 0, 0));
  TRect R = Rect(1, 1, 5, 4);
  FrameRect(F.DC(), &R, Red);
  EXPECT_EQ(F.Map(Rect(0, 0, 6, 5), RGB(255, 0, 0)), "......\n.####.\n.#..#.\n.####.\n......\n");
  DeleteObject(Red);
}

TEST(Drawing, XorDrawnTwiceRestoresTheImage) {
  TCanvasDC C(40, 30);
  // Some content to restore.
  HBRUSH B = CreateSolidBrush(RGB(10, 200, 30));
  TRect R = Rect(5, 5, 25, 20);
  FillRect(C.DC(), &R, B);
  DeleteObject(B);
  auto Before = C.Snapshot();
  HPEN Pen = CreatePen(PS_DOT, 1, RGB(255, 255, 255));
  HGDIOBJ Old = SelectObject(C.DC(), Pen);
  SetROP2(C.DC(), R2_XORPEN);
  HBRUSH Half = CreateSolidBrush(RGB(0x55, 0xAA, 0x0F));
  SelectObject(C.DC(), Half);
  for (int Pass = 0; Pass < 2; ++Pass) {
    MoveToEx(C.DC(), 0, 0, nullptr);
    LineTo(C.DC(), 39, 29);
    TRect F = Rect(2, 3, 33, 27);
    DrawFocusRect(C.DC(), &F);
    PatBlt(C.DC(), 10, 0, 20, 30, PATINVERT);
    InvertRect(C.DC(), &F);
    PatBlt(C.DC(), 0, 10, 40, 5, DSTINVERT);
    if (Pass == 0) {
      EXPECT_NE(C.Snapshot(), Before);
    }
  }
  EXPECT_EQ(C.Snapshot(), Before);
  SelectObject(C.DC(), Old);
  DeleteObject(Pen);
  SelectObject(C.DC(), GetStockObject(WHITE_BRUSH));
  DeleteObject(Half);
}

TEST(Drawing, ClipRegionsAndOriginsLimitWhatIsDrawn) {
  TCanvasDC C(10, 10);
  HRGN Rgn = CreateRectRgn(2, 2, 6, 6);
  SelectClipRgn(C.DC(), Rgn);
  DeleteObject(Rgn);  // the DC keeps its own copy
  ExcludeClipRect(C.DC(), 3, 3, 5, 5);
  TRect All = Rect(0, 0, 10, 10);
  FillRect(C.DC(), &All, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(C.Map(Rect(0, 0, 8, 8), Black),
            "........\n"
            "........\n"
            "..####..\n"
            "..#..#..\n"
            "..#..#..\n"
            "..####..\n"
            "........\n"
            "........\n");
  EXPECT_EQ(GetPixel(C.DC(), 0, 0), CLR_INVALID);
  TRect Box;
  EXPECT_EQ(GetClipBox(C.DC(), &Box), COMPLEXREGION);
  EXPECT_EQ(Box, Rect(2, 2, 6, 6));
  // The window origin moves logical coordinates; the clip region stays where it is on the device.
  SetWindowOrgEx(C.DC(), 2, 2, nullptr);
  GetClipBox(C.DC(), &Box);
  EXPECT_EQ(Box, Rect(4, 4, 8, 8));
  SelectClipRgn(C.DC(), 0);
  SetViewportOrgEx(C.DC(), 5, 0, nullptr);
  EXPECT_EQ(SetPixel(C.DC(), 2, 2, RGB(255, 0, 0)), RGB(255, 0, 0));
  EXPECT_EQ(C.At(5, 0), RGB(255, 0, 0));
  EXPECT_EQ(IntersectClipRect(C.DC(), 100, 100, 101, 101), NULLREGION);
}

TEST(Drawing, PatternBrushesFollowTheBrushOrigin) {
  // The halftone brush: a checkerboard of 0 and 1 bits, drawn in the text and background colours.
  WORD Bits[8];
  for (int I = 0; I < 8; ++I) {
    Bits[I] = static_cast<WORD>((I % 2) ? 0xAAAA : 0x5555);
  }
  HBITMAP Pattern = CreateBitmap(8, 8, 1, 1, Bits);
  HBRUSH Halftone = CreatePatternBrush(Pattern);
  DeleteObject(Pattern);
  TCanvasDC C(4, 2);
  SetTextColor(C.DC(), RGB(255, 0, 0));
  SetBkColor(C.DC(), RGB(0, 0, 255));
  TRect R = Rect(0, 0, 4, 2);
  FillRect(C.DC(), &R, Halftone);
  EXPECT_EQ(C.Map(R, RGB(255, 0, 0)), "#.#.\n.#.#\n");
  EXPECT_EQ(C.Map(R, RGB(0, 0, 255)), ".#.#\n#.#.\n");
  SetBrushOrgEx(C.DC(), 1, 0, nullptr);
  FillRect(C.DC(), &R, Halftone);
  EXPECT_EQ(C.Map(R, RGB(255, 0, 0)), ".#.#\n#.#.\n");
  DeleteObject(Halftone);
}

// ---- Raster operations -------------------------------------------------------------------------------------------

struct TRopCase {
  const char* Name;
  DWORD Rop;
  COLORREF Expected;
};

class BitBltRopTest : public ::testing::TestWithParam<TRopCase> {};

// Source 0x0F0F0F... per channel, destination 0x3C, pattern 0x55: the truth tables show in the bits.
TEST_P(BitBltRopTest, AppliesTheTernaryOperation) {
  TCanvasDC Src(2, 2, RGB(0x0F, 0xF0, 0x00));
  TCanvasDC Dst(2, 2, RGB(0x3C, 0x3C, 0xFF));
  HBRUSH Pat = CreateSolidBrush(RGB(0x55, 0x55, 0x55));
  HGDIOBJ Old = SelectObject(Dst.DC(), Pat);
  EXPECT_TRUE(BitBlt(Dst.DC(), 0, 0, 2, 2, Src.DC(), 0, 0, GetParam().Rop));
  EXPECT_EQ(Dst.At(1, 1), GetParam().Expected);
  SelectObject(Dst.DC(), Old);
  DeleteObject(Pat);
}

constexpr BYTE S0 = 0x0F, S1 = 0xF0, S2 = 0x00;  // source channels (R, G, B)
constexpr BYTE D0 = 0x3C, D1 = 0x3C, D2 = 0xFF;  // destination
constexpr BYTE P = 0x55;                          // pattern
INSTANTIATE_TEST_SUITE_P(
    Rops, BitBltRopTest,
    ::testing::Values(
        TRopCase{"SRCCOPY", SRCCOPY, RGB(S0, S1, S2)},
        TRopCase{"SRCAND", SRCAND, RGB(S0 & D0, S1 & D1, S2 & D2)},
        TRopCase{"SRCPAINT", SRCPAINT, RGB(S0 | D0, S1 | D1, S2 | D2)},
        TRopCase{"SRCINVERT", SRCINVERT, RGB(S0 ^ D0, S1 ^ D1, S2 ^ D2)},
        TRopCase{"SRCERASE", SRCERASE, RGB(S0 & ~D0 & 0xFF, S1 & ~D1 & 0xFF, S2 & ~D2 & 0xFF)},
        TRopCase{"NOTSRCCOPY", NOTSRCCOPY, RGB(~S0 & 0xFF, ~S1 & 0xFF, ~S2 & 0xFF)},
        TRopCase{"MERGEPAINT", MERGEPAINT, RGB((~S0 | D0) & 0xFF, (~S1 | D1) & 0xFF, (~S2 | D2) & 0xFF)},
        TRopCase{"PATCOPY", PATCOPY, RGB(P, P, P)},
        TRopCase{"PATINVERT", PATINVERT, RGB(P ^ D0, P ^ D1, P ^ D2)},
        TRopCase{"DSTINVERT", DSTINVERT, RGB(~D0 & 0xFF, ~D1 & 0xFF, ~D2 & 0xFF)},
        // Where the source bit is 1 the pattern shows, else the destination.
        TRopCase{"DSPDxax", ROP_DSPDxax, RGB((S0 & P) | (~S0 & D0), (S1 & P) | (~S1 & D1), (S2 & P) | (~S2 & D2))}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(Blits, MonochromeConversionsUseTheDCColours) {
  // Colour to monochrome: pixels of the source's background colour become 1 (white), the rest 0: a mask.
  TCanvasDC Src(3, 1, RGB(255, 0, 255));
  SetPixel(Src.DC(), 1, 0, RGB(10, 20, 30));
  HDC MaskDC = CreateCompatibleDC(0);
  HBITMAP Mask = CreateBitmap(3, 1, 1, 1, nullptr);
  HGDIOBJ OldMask = SelectObject(MaskDC, Mask);
  SetBkColor(Src.DC(), RGB(255, 0, 255));
  BitBlt(MaskDC, 0, 0, 3, 1, Src.DC(), 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(MaskDC, 0, 0), White);
  EXPECT_EQ(GetPixel(MaskDC, 1, 0), Black);
  // Monochrome to colour: 0 bits take the destination's text colour, 1 bits its background colour.
  TCanvasDC Dst(3, 1);
  SetTextColor(Dst.DC(), RGB(0, 0, 255));
  SetBkColor(Dst.DC(), RGB(0, 255, 0));
  BitBlt(Dst.DC(), 0, 0, 3, 1, MaskDC, 0, 0, SRCCOPY);
  EXPECT_EQ(Dst.At(0, 0), RGB(0, 255, 0));
  EXPECT_EQ(Dst.At(1, 0), RGB(0, 0, 255));
  // MaskBlt: the foreground operation where the mask is 1, the background one where it is 0.
  TCanvasDC Out(3, 1, RGB(7, 7, 7));
  MaskBlt(Out.DC(), 0, 0, 3, 1, Src.DC(), 0, 0, Mask, 0, 0, MAKEROP4(0x00AA0029 /* keep destination */, SRCCOPY));
  EXPECT_EQ(Out.At(0, 0), RGB(7, 7, 7));
  EXPECT_EQ(Out.At(1, 0), RGB(10, 20, 30));
  SelectObject(MaskDC, OldMask);
  DeleteObject(Mask);
  DeleteDC(MaskDC);
}

TEST(Blits, StretchAndOverlappingCopies) {
  TCanvasDC Src(2, 1);
  SetPixel(Src.DC(), 1, 0, Black);
  TCanvasDC Dst(4, 2);
  StretchBlt(Dst.DC(), 0, 0, 4, 2, Src.DC(), 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(Dst.Map(Rect(0, 0, 4, 2), Black), "..##\n..##\n");
  // Mirrored by a negative width.
  StretchBlt(Dst.DC(), 4, 0, -4, 1, Src.DC(), 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(Dst.Map(Rect(0, 0, 4, 1), Black), "##..\n");
  // Copying within one bitmap over itself reads the pixels as they were.
  TCanvasDC Self(5, 1);
  SetPixel(Self.DC(), 0, 0, Black);
  SetPixel(Self.DC(), 1, 0, Black);
  BitBlt(Self.DC(), 1, 0, 4, 1, Self.DC(), 0, 0, SRCCOPY);
  EXPECT_EQ(Self.Map(Rect(0, 0, 5, 1), Black), "###..\n");
}

TEST(Blits, GradientFillRunsFromFirstToLastColourAndIsExported) {
  TCanvasDC C(256, 2);
  TRIVERTEX V[2];
  V[0].x = 0;
  V[0].y = 0;
  V[0].Red = 0;
  V[1].x = 256;
  V[1].y = 2;
  V[1].Red = 0xFF00;
  V[1].Blue = 0xFF00;
  GRADIENT_RECT G{0, 1};
  using TGradientFill = BOOL (*)(HDC, TRIVERTEX*, ULONG, void*, ULONG, ULONG);
  auto Fn = reinterpret_cast<TGradientFill>(GetProcAddress(LoadLibrary("msimg32.dll"), "GradientFill"));
  ASSERT_NE(Fn, nullptr);
  EXPECT_TRUE(Fn(C.DC(), V, 2, &G, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(C.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(C.At(128, 1), RGB(127, 0, 127));
  EXPECT_EQ(C.At(255, 0), RGB(254, 0, 254));
  EXPECT_TRUE(GradientFill(C.DC(), V, 2, &G, 1, GRADIENT_FILL_RECT_V));
  EXPECT_EQ(C.At(10, 0), RGB(0, 0, 0));
  EXPECT_EQ(C.At(10, 1), RGB(127, 0, 127));
  EXPECT_FALSE(GradientFill(C.DC(), V, 2, &G, 1, 7));
}

TEST(Bitmaps, BottomUpSectionsKeepTheCallersRowOrder) {
  HDC DC = CreateCompatibleDC(0);
  BITMAPINFO Info{};
  Info.bmiHeader.biWidth = 2;
  Info.bmiHeader.biHeight = 3;  // bottom-up
  Info.bmiHeader.biBitCount = 32;
  void* Bits = nullptr;
  HBITMAP B = CreateDIBSection(DC, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  ASSERT_NE(Bits, nullptr);
  HGDIOBJ Old = SelectObject(DC, B);
  SetPixel(DC, 0, 0, RGB(255, 0, 0));  // top row of the picture: the last row in memory
  auto* Px = static_cast<std::uint32_t*>(Bits);
  EXPECT_EQ(Px[4] & 0xFFFFFF, 0xFF0000u);
  Px[0] = 0x0000FF;  // first row in memory: the bottom of the picture
  EXPECT_EQ(GetPixel(DC, 0, 2), RGB(0, 0, 255));
  Info.bmiHeader.biBitCount = 8;
  EXPECT_EQ(CreateDIBSection(DC, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0), 0u);
  SelectObject(DC, Old);
  DeleteObject(B);
  DeleteDC(DC);
}

// ---- Shapes ------------------------------------------------------------------------------------------------------

TEST(Shapes, EllipsePolygonAndRoundRectStayInsideTheirBoxes) {
  TCanvasDC C(40, 40);
  SelectObject(C.DC(), GetStockObject(BLACK_BRUSH));
  Ellipse(C.DC(), 5, 5, 25, 15);
  EXPECT_EQ(C.Ink(White, Rect(0, 0, 40, 40)), Rect(5, 5, 25, 15));
  EXPECT_EQ(C.At(15, 10), Black);
  EXPECT_EQ(C.At(5, 5), White);  // the corner is outside the ellipse
  TCanvasDC P(20, 20);
  SelectObject(P.DC(), GetStockObject(NULL_PEN));
  SelectObject(P.DC(), GetStockObject(BLACK_BRUSH));
  TPoint Tri[3] = {{0, 0}, {10, 0}, {0, 10}};
  Polygon(P.DC(), Tri, 3);
  EXPECT_EQ(P.At(1, 1), Black);
  EXPECT_EQ(P.At(8, 8), White);
  TCanvasDC R(30, 30);
  SelectObject(R.DC(), GetStockObject(BLACK_BRUSH));
  RoundRect(R.DC(), 2, 2, 22, 12, 6, 6);
  EXPECT_EQ(R.Ink(White, Rect(0, 0, 30, 30)), Rect(2, 2, 22, 12));
  EXPECT_EQ(R.At(2, 2), White);
  EXPECT_EQ(R.At(12, 2), Black);
}

// ---- Edges and frame controls ------------------------------------------------------------------------------------

struct TEdgeCase {
  const char* Name;
  UINT Edge;
  UINT Flags;
  const char* Map;  // 6x5: L light (3DLIGHT), H highlight, S shadow, D dark shadow, . untouched
  TRect Adjusted;
};

class DrawEdgeTest : public ::testing::TestWithParam<TEdgeCase> {};

TEST_P(DrawEdgeTest, DrawsRingsOnTheChosenSides) {
  const auto& E = GetParam();
  TCanvasDC C(6, 5, RGB(1, 1, 1));
  TRect R = Rect(0, 0, 6, 5);
  EXPECT_TRUE(DrawEdge(C.DC(), &R, E.Edge, E.Flags | BF_ADJUST));
  std::string Map;
  for (int Y = 0; Y < 5; ++Y) {
    for (int X = 0; X < 6; ++X) {
      COLORREF P = C.At(X, Y);
      Map += P == GetSysColor(COLOR_3DLIGHT) ? 'L' : P == GetSysColor(COLOR_BTNHIGHLIGHT) ? 'H'
           : P == GetSysColor(COLOR_BTNSHADOW) ? 'S' : P == GetSysColor(COLOR_3DDKSHADOW) ? 'D' : '.';
    }
    Map += '\n';
  }
  EXPECT_EQ(Map, E.Map);
  EXPECT_EQ(R, E.Adjusted);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, DrawEdgeTest,
    ::testing::Values(
        TEdgeCase{"Raised", EDGE_RAISED, BF_RECT,
                  "LLLLLD\nLHHHSD\nLH..SD\nLSSSSD\nDDDDDD\n", Rect(2, 2, 4, 3)},
        TEdgeCase{"Sunken", EDGE_SUNKEN, BF_RECT,
                  "SSSSSH\nSDDDLH\nSD..LH\nSLLLLH\nHHHHHH\n", Rect(2, 2, 4, 3)},
        TEdgeCase{"Etched", EDGE_ETCHED, BF_RECT,
                  "SSSSSH\nSHHHSH\nSH..SH\nSSSSSH\nHHHHHH\n", Rect(2, 2, 4, 3)},
        TEdgeCase{"Bump", EDGE_BUMP, BF_RECT,
                  "LLLLLD\nLDDDLD\nLD..LD\nLLLLLD\nDDDDDD\n", Rect(2, 2, 4, 3)},
        TEdgeCase{"OuterOnly", BDR_RAISEDOUTER, BF_RECT,
                  "LLLLLD\nL....D\nL....D\nL....D\nDDDDDD\n", Rect(1, 1, 5, 4)},
        TEdgeCase{"TopLeftSides", BDR_SUNKENINNER, BF_TOPLEFT,
                  "DDDDDD\nD.....\nD.....\nD.....\nD.....\n", Rect(1, 1, 6, 5)},
        TEdgeCase{"BottomRightSides", BDR_RAISEDINNER, BF_BOTTOMRIGHT,
                  ".....S\n.....S\n.....S\n.....S\nSSSSSS\n", Rect(0, 0, 5, 4)},
        // The button face has the same colour as 3DLIGHT in the classic palette.
        TEdgeCase{"Flat", EDGE_RAISED, BF_RECT | BF_FLAT,
                  "SSSSSS\nSLLLLS\nSL..LS\nSLLLLS\nSSSSSS\n", Rect(2, 2, 4, 3)},
        TEdgeCase{"Middle", BDR_SUNKENOUTER, BF_LEFT | BF_MIDDLE,
                  "SLLLLL\nSLLLLL\nSLLLLL\nSLLLLL\nSLLLLL\n", Rect(1, 0, 6, 5)}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(FrameControls, CheckBoxIsThirteenPixelsAtTheLeftAndShowsItsState) {
  TCanvasDC C(40, 21, GetSysColor(COLOR_BTNFACE));
  TRect R = Rect(2, 0, 40, 21);
  DrawFrameControl(C.DC(), &R, DFC_BUTTON, DFCS_BUTTONCHECK);
  EXPECT_EQ(C.Ink(GetSysColor(COLOR_BTNFACE), Rect(0, 0, 40, 21)), Rect(2, 4, 15, 17));
  EXPECT_EQ(C.At(3, 5), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(C.Ink(White, Rect(4, 6, 13, 15)), TRect{});  // unchecked: a white well
  R = Rect(2, 0, 40, 21);
  DrawFrameControl(C.DC(), &R, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  EXPECT_NE(C.Ink(White, Rect(4, 6, 13, 15)), TRect{});
  // A pushed button with DFCS_ADJUSTRECT gives back its face.
  TCanvasDC B(20, 10);
  TRect Face = Rect(0, 0, 20, 10);
  DrawFrameControl(B.DC(), &Face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
  EXPECT_EQ(Face, Rect(2, 2, 18, 8));
  EXPECT_EQ(B.At(10, 5), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(B.At(19, 9), GetSysColor(COLOR_3DDKSHADOW));
  // Scroll arrows and caption buttons draw a glyph in button-text colour inside a raised box.
  TCanvasDC S(16, 16);
  TRect Arrow = Rect(0, 0, 16, 16);
  DrawFrameControl(S.DC(), &Arrow, DFC_SCROLL, DFCS_SCROLLDOWN);
  EXPECT_NE(S.Ink(GetSysColor(COLOR_BTNFACE), Rect(3, 3, 13, 13)), TRect{});
}

}  // namespace
