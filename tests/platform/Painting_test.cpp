// Tests of window painting: backing images, BeginPaint and erasing, window DCs, RedrawWindow, ScrollWindowEx and
// WM_PRINT, plus the demo control saved as PNG.
#include "platform/controls/TestHarness.h"
#include "platform/graphics/Caret.h"
#include "platform/graphics/GdiInternals.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/Desktop.h"
#include "platform/win/Clock.h"
#include "tests/platform/GdiTestUtil.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace WinTest;
using GdiTest::TCanvasDC;
using Strings = std::vector<std::string>;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

// A recording window class with a white class background, so that erasing shows.
const char* PaintClass() {
  static bool Registered = [] {
    WNDCLASS WC;
    WC.lpfnWndProc = &RecordingProc;
    WC.hbrBackground = static_cast<HBRUSH>(COLOR_WINDOW + 1);
    WC.lpszClassName = "ZubPaintTest";
    return RegisterClass(&WC) != 0;
  }();
  (void)Registered;
  return "ZubPaintTest";
}

HWND MakePainted(const std::string& Name, DWORD Style, int X, int Y, int W, int H, HWND Parent = 0) {
  PendingName = Name;
  HWND Wnd = CreateWindowEx(0, PaintClass(), Name.c_str(), Style, X, Y, W, H, Parent, 0, nullptr, nullptr);
  PendingName.clear();
  Names[Wnd] = Name;
  return Wnd;
}

// Fills the client area in WM_PAINT with a brush of the given colour.
THandler PaintWith(COLORREF Color, PAINTSTRUCT* Seen = nullptr) {
  return [Color, Seen](HWND W, UINT M, WPARAM, LPARAM, LRESULT& Result) {
    if (M != WM_PAINT) {
      return false;
    }
    PAINTSTRUCT Ps;
    HDC DC = BeginPaint(W, &Ps);
    TRect All = Rect(0, 0, 1000, 1000);
    HBRUSH B = CreateSolidBrush(Color);
    FillRect(DC, &All, B);
    DeleteObject(B);
    EndPaint(W, &Ps);
    if (Seen) {
      *Seen = Ps;
    }
    Result = 0;
    return true;
  };
}

COLORREF PixelOf(HWND W, int X, int Y) {
  HDC DC = GetDC(W);
  COLORREF C = GetPixel(DC, X, Y);
  ReleaseDC(W, DC);
  return C;
}

class Painting : public ::testing::Test {
protected:
  void SetUp() override { Harness::Start(); }
  void TearDown() override { Reset(); }
};

TEST_F(Painting, BeginPaintClipsToTheInvalidAreaAndValidatesIt) {
  HWND W = MakePainted("W", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40);
  Harness::RunUntilIdle();  // the first paint: erased white by the class background
  EXPECT_EQ(PixelOf(W, 30, 20), RGB(255, 255, 255));
  PAINTSTRUCT Seen;
  Handlers[W] = PaintWith(Red, &Seen);
  TRect Part = Rect(10, 5, 20, 15);
  InvalidateRect(W, &Part, FALSE);
  TakeLog();
  Harness::RunUntilIdle();
  EXPECT_EQ(TakeLog(), Strings{"W:PAINT"});
  EXPECT_EQ(Seen.rcPaint, Part);
  EXPECT_FALSE(Seen.fErase);
  EXPECT_EQ(PixelOf(W, 10, 5), Red);
  EXPECT_EQ(PixelOf(W, 19, 14), Red);
  EXPECT_EQ(PixelOf(W, 20, 14), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(W, 9, 5), RGB(255, 255, 255));
  TRect U;
  EXPECT_FALSE(GetUpdateRect(W, &U, FALSE));
}

TEST_F(Painting, ErasingSendsTheDCAndTheDefaultFillsTheClassBackground) {
  HWND W = MakePainted("W", WS_POPUP | WS_VISIBLE, 0, 0, 30, 30);
  Harness::RunUntilIdle();
  HDC ErasedWith = 0;
  Handlers[W] = [&](HWND Wnd, UINT M, WPARAM Wp, LPARAM, LRESULT& Result) {
    if (M == WM_ERASEBKGND) {
      ErasedWith = static_cast<HDC>(Wp);
      Result = 0;  // not erased: BeginPaint reports fErase
      return true;
    }
    if (M == WM_PAINT) {
      PAINTSTRUCT Ps;
      BeginPaint(Wnd, &Ps);
      EXPECT_TRUE(Ps.fErase);
      EXPECT_EQ(Ps.hdc, ErasedWith);
      EndPaint(Wnd, &Ps);
      Result = 0;
      return true;
    }
    return false;
  };
  InvalidateRect(W, nullptr, TRUE);
  Harness::RunUntilIdle();
  EXPECT_NE(ErasedWith, 0u);
  // GetUpdateRect with erasing erases at once, through the default procedure.
  Handlers.erase(W);
  HDC DC = GetDC(W);
  TRect All = Rect(0, 0, 30, 30);
  FillRect(DC, &All, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(W, DC);
  TRect Part = Rect(0, 0, 10, 10);
  InvalidateRect(W, &Part, TRUE);
  TRect U;
  EXPECT_TRUE(GetUpdateRect(W, &U, TRUE));
  EXPECT_EQ(PixelOf(W, 5, 5), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(W, 15, 15), RGB(0, 0, 0));
}

TEST_F(Painting, WindowDCsDrawAtOnceAtTheirOrigins) {
  HWND W = MakePainted("W", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 40, 30);
  Harness::RunUntilIdle();
  TRect Client;
  GetClientRect(W, &Client);
  EXPECT_EQ(Client, Rect(0, 0, 38, 28));
  // Client DCs start at the client area; window DCs at the frame's corner.
  HDC DC = GetDC(W);
  SetPixel(DC, 0, 0, Red);
  TRect Box;
  GetClipBox(DC, &Box);
  EXPECT_EQ(Box, Rect(0, 0, 38, 28));
  EXPECT_EQ(ReleaseDC(W, DC), 1);
  HDC WDC = GetWindowDC(W);
  EXPECT_EQ(GetPixel(WDC, 1, 1), Red);
  SetPixel(WDC, 0, 0, Blue);
  ReleaseDC(W, WDC);
  // The window's picture (WM_PRINT into a memory DC) has both.
  TCanvasDC Out(40, 30);
  SendMessage(W, WM_PRINT, static_cast<WPARAM>(Out.DC()), PRF_CLIENT | PRF_NONCLIENT);
  EXPECT_EQ(Out.At(0, 0), Blue);
  EXPECT_EQ(Out.At(1, 1), Red);
  // A region handed to GetDCEx limits the DC.
  HRGN Rgn = CreateRectRgn(0, 0, 5, 5);
  HDC Ex = GetDCEx(W, Rgn, DCX_INTERSECTRGN);
  GetClipBox(Ex, &Box);
  EXPECT_EQ(Box, Rect(0, 0, 5, 5));
  ReleaseDC(W, Ex);
  EXPECT_TRUE(Harness::SaveWindowPng(W, std::string(ZUBQ_BINARY_DIR) + "/painting-dc.png"));
}

TEST_F(Painting, RedrawWindowPaintsAtOnceWhenAsked) {
  HWND P = MakePainted("P", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  HWND C = MakePainted("C", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, P);
  Harness::RunUntilIdle();
  TakeLog();
  RedrawWindow(P, nullptr, 0, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(TakeLog(), (Strings{"P:PAINT", "C:PAINT"}));
  // Validating leaves nothing to paint.
  RedrawWindow(P, nullptr, 0, RDW_INVALIDATE);
  RedrawWindow(P, nullptr, 0, RDW_VALIDATE);
  Harness::RunUntilIdle();
  EXPECT_EQ(TakeLog(), Strings{});
  // A rectangle given to the parent reaches the child in the child's coordinates.
  TRect Part = Rect(15, 15, 18, 18);
  RedrawWindow(P, &Part, 0, RDW_INVALIDATE | RDW_ALLCHILDREN);
  TRect U;
  GetUpdateRect(C, &U, FALSE);
  EXPECT_EQ(U, Rect(5, 5, 8, 8));
  HRGN Rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(C, Rgn, FALSE), SIMPLEREGION);
  EXPECT_TRUE(PtInRegion(Rgn, 5, 5));
  DeleteObject(Rgn);
}

TEST_F(Painting, ScrollWindowExMovesPixelsAndInvalidatesTheRest) {
  HWND W = MakePainted("W", WS_POPUP | WS_VISIBLE, 0, 0, 20, 40);
  Harness::RunUntilIdle();
  // Rows 0..9 red, 10..19 blue, the rest white.
  HDC DC = GetDC(W);
  HBRUSH R = CreateSolidBrush(Red), B = CreateSolidBrush(Blue);
  TRect Top = Rect(0, 0, 20, 10), Second = Rect(0, 10, 20, 20);
  FillRect(DC, &Top, R);
  FillRect(DC, &Second, B);
  DeleteObject(R);
  DeleteObject(B);
  ReleaseDC(W, DC);
  HRGN Update = CreateRectRgn(0, 0, 0, 0);
  TRect UpdateRc;
  EXPECT_EQ(ScrollWindowEx(W, 0, -10, nullptr, nullptr, Update, &UpdateRc, SW_INVALIDATE), SIMPLEREGION);
  EXPECT_EQ(PixelOf(W, 5, 0), Blue);
  EXPECT_EQ(PixelOf(W, 5, 9), Blue);
  EXPECT_EQ(PixelOf(W, 5, 10), RGB(255, 255, 255));
  EXPECT_EQ(UpdateRc, Rect(0, 30, 20, 40));
  TRect U;
  EXPECT_TRUE(GetUpdateRect(W, &U, FALSE));
  EXPECT_EQ(U, Rect(0, 30, 20, 40));
  // A scroll rectangle limits what moves; an invalid area inside it moves along.
  ValidateRect(W, nullptr);
  TRect Inv = Rect(0, 20, 5, 25);
  InvalidateRect(W, &Inv, FALSE);
  TRect Area = Rect(0, 10, 20, 40);
  ScrollWindowEx(W, 3, 0, &Area, &Area, Update, &UpdateRc, 0);
  EXPECT_EQ(PixelOf(W, 2, 0), Blue);  // outside the scrolled area: unchanged
  EXPECT_EQ(UpdateRc, Rect(0, 10, 3, 40));
  GetUpdateRect(W, &U, FALSE);
  EXPECT_EQ(U, Rect(3, 20, 8, 25));  // moved, nothing new invalidated without SW_INVALIDATE
  DeleteObject(Update);
}

TEST_F(Painting, PrintDrawsTheWindowAndItsChildrenIntoADC) {
  HWND P = MakePainted("P", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
  HWND C = MakePainted("C", WS_CHILD | WS_VISIBLE, 10, 5, 10, 10, P);
  Handlers[P] = PaintWith(Red);
  Handlers[C] = PaintWith(Blue);
  Harness::RunUntilIdle();
  TCanvasDC Out(40, 30);
  SendMessage(P, WM_PRINT, static_cast<WPARAM>(Out.DC()), PRF_CLIENT | PRF_CHILDREN);
  EXPECT_EQ(Out.At(0, 0), Red);
  EXPECT_EQ(Out.At(10, 5), Blue);
  EXPECT_EQ(Out.At(19, 14), Blue);
  EXPECT_EQ(Out.At(20, 15), Red);
  TCanvasDC Alone(40, 30, RGB(0, 255, 0));
  SendMessage(P, WM_PRINT, static_cast<WPARAM>(Alone.DC()), PRF_CLIENT);
  EXPECT_EQ(Alone.At(10, 5), Red);  // the parent's own image under the child
}

TEST_F(Painting, CaretBlinksAndNeverStaysDrawnWhenHidden) {
  TManualClock Clock;
  TScopedClock UseClock(Clock);
  HWND W = MakePainted("W", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
  Handlers[W] = PaintWith(RGB(255, 255, 255));
  Harness::RunUntilIdle();
  constexpr COLORREF Ink = RGB(0, 0, 0), Paper = RGB(255, 255, 255);
  ASSERT_TRUE(CreateCaret(W, 0, 2, 10));
  SetCaretPos(5, 5);
  EXPECT_EQ(PixelOf(W, 5, 5), Paper);  // a new caret is hidden
  ShowCaret(W);
  EXPECT_EQ(PixelOf(W, 6, 14), Ink);
  EXPECT_EQ(PixelOf(W, 7, 5), Paper);
  // Hiding nests.
  HideCaret(W);
  HideCaret(0);
  EXPECT_EQ(PixelOf(W, 5, 5), Paper);
  ShowCaret(W);
  EXPECT_EQ(PixelOf(W, 5, 5), Paper);
  ShowCaret(W);
  EXPECT_EQ(PixelOf(W, 5, 5), Ink);
  // It blinks with the blink time.
  Harness::Advance(Clock, GetCaretBlinkTime());
  EXPECT_EQ(PixelOf(W, 5, 5), Paper);
  Harness::Advance(Clock, GetCaretBlinkTime());
  EXPECT_EQ(PixelOf(W, 5, 5), Ink);
  // Painting over it does not leave a stale inverted block: it comes back drawn once.
  InvalidateRect(W, nullptr, FALSE);
  Harness::RunUntilIdle();
  EXPECT_EQ(PixelOf(W, 5, 5), Ink);
  // Moving takes it along; hiding after the move leaves nothing behind.
  SetCaretPos(20, 5);
  EXPECT_EQ(PixelOf(W, 5, 5), Paper);
  EXPECT_EQ(PixelOf(W, 20, 5), Ink);
  TPoint P;
  GetCaretPos(&P);
  EXPECT_EQ(P, Point(20, 5));
  HideCaret(W);
  EXPECT_EQ(PixelOf(W, 20, 5), Paper);
  Harness::Advance(Clock, 3 * GetCaretBlinkTime());
  EXPECT_EQ(PixelOf(W, 20, 5), Paper);  // no blinking while hidden
  ShowCaret(W);
  EXPECT_TRUE(DestroyCaret());
  EXPECT_EQ(PixelOf(W, 20, 5), Paper);
  EXPECT_FALSE(ShowCaret(W));
}

TEST_F(Painting, CaptionsAndLayeredWindows) {
  HWND W = MakePainted("Caption text", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, 0);
  TCanvasDC C(200, 18);
  TRect R = Rect(0, 0, 200, 18);
  ASSERT_TRUE(DrawCaption(W, C.DC(), &R, DC_ACTIVE | DC_GRADIENT | DC_TEXT));
  EXPECT_EQ(C.At(199, 0), RGB(165, 201, 239));  // near the gradient's end colour
  EXPECT_EQ(C.At(0, 17), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_NE(C.Ink(GetSysColor(COLOR_ACTIVECAPTION), Rect(0, 0, 60, 18)), TRect{});  // the text
  DrawCaption(W, C.DC(), &R, 0);
  EXPECT_EQ(C.At(199, 0), GetSysColor(COLOR_INACTIVECAPTION));
  // Only layered windows take layer attributes.
  EXPECT_FALSE(SetLayeredWindowAttributes(W, 0, 128, LWA_ALPHA));
  SetWindowLong(W, GWL_EXSTYLE, GetWindowLong(W, GWL_EXSTYLE) | WS_EX_LAYERED);
  ASSERT_TRUE(SetLayeredWindowAttributes(W, RGB(1, 2, 3), 128, LWA_ALPHA | LWA_COLORKEY));
  COLORREF Key = 0;
  BYTE Alpha = 0;
  DWORD Flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(W, &Key, &Alpha, &Flags));
  EXPECT_EQ(Key, RGB(1, 2, 3));
  EXPECT_EQ(Alpha, 128);
  EXPECT_EQ(Flags, LWA_ALPHA | LWA_COLORKEY);
  BLENDFUNCTION Blend;
  Blend.SourceConstantAlpha = 200;
  ASSERT_TRUE(UpdateLayeredWindow(W, 0, nullptr, nullptr, 0, nullptr, 0, &Blend, ULW_ALPHA));
  GetLayeredWindowAttributes(W, nullptr, &Alpha, nullptr);
  EXPECT_EQ(Alpha, 200);
}

TEST_F(Painting, TheDesktopShowsOnlyTheWindowRegionAndThePixelsThatAreNotTheColourKey) {
  constexpr COLORREF Key = RGB(1, 2, 3);
  HWND W = MakePainted("Shaped", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
  // The key colour everywhere but a 10 x 10 square at (5, 5).
  Handlers[W] = [](HWND Wnd, UINT M, WPARAM, LPARAM, LRESULT& Result) {
    if (M != WM_PAINT) {
      return false;
    }
    PAINTSTRUCT Ps;
    HDC DC = BeginPaint(Wnd, &Ps);
    TRect All = Rect(0, 0, 40, 30), Square = Rect(5, 5, 15, 15);
    HBRUSH B = CreateSolidBrush(Key), Ink = CreateSolidBrush(RGB(200, 0, 0));
    FillRect(DC, &All, B);
    FillRect(DC, &Square, Ink);
    DeleteObject(B);
    DeleteObject(Ink);
    EndPaint(Wnd, &Ps);
    Result = 0;
    return true;
  };
  InvalidateRect(W, nullptr, TRUE);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Harness::WindowShowsPoint(W, Point(30, 20)));  // no shape yet: the whole rectangle
  ASSERT_NE(SetWindowRgn(W, CreateRectRgn(0, 0, 20, 30), TRUE), 0);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Harness::WindowShowsPoint(W, Point(19, 20)));
  EXPECT_FALSE(Harness::WindowShowsPoint(W, Point(20, 20)));
  SetWindowRgn(W, 0, TRUE);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Harness::WindowShowsPoint(W, Point(30, 20)));
  SetWindowLong(W, GWL_EXSTYLE, GetWindowLong(W, GWL_EXSTYLE) | WS_EX_LAYERED);
  ASSERT_TRUE(SetLayeredWindowAttributes(W, Key, 255, LWA_COLORKEY));
  InvalidateRect(W, nullptr, TRUE);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Harness::WindowShowsPoint(W, Point(5, 5)));
  EXPECT_TRUE(Harness::WindowShowsPoint(W, Point(14, 14)));
  EXPECT_FALSE(Harness::WindowShowsPoint(W, Point(4, 5)));
  EXPECT_FALSE(Harness::WindowShowsPoint(W, Point(15, 14)));
  EXPECT_FALSE(Harness::WindowShowsPoint(W, Point(30, 20)));
  // Without the key the whole window shows again.
  ASSERT_TRUE(SetLayeredWindowAttributes(W, 0, 255, LWA_ALPHA));
  InvalidateRect(W, nullptr, TRUE);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Harness::WindowShowsPoint(W, Point(30, 20)));
}

TEST_F(Painting, DesktopOutlinesShowAboveTheWindowsAndGoWhenDrawnAgain) {
  HWND W = MakePainted("W", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40);
  Harness::RunUntilIdle();
  auto Outline = [] {
    HDC DC = GetDC(0);
    HPEN Pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ Old = SelectObject(DC, Pen);
    HGDIOBJ OldBrush = SelectObject(DC, GetStockObject(NULL_BRUSH));
    SetROP2(DC, R2_XORPEN);
    Rectangle(DC, 10, 10, 200, 100);  // crosses the window's edge
    SelectObject(DC, Old);
    SelectObject(DC, OldBrush);
    DeleteObject(Pen);
    ReleaseDC(0, DC);
  };
  Outline();
  EXPECT_TRUE(Gdi::DesktopOverlayVisible());
  HDC DC = GetDC(0);
  EXPECT_EQ(GetPixel(DC, 150, 10), RGB(255, 255, 255));
  ReleaseDC(0, DC);
  Outline();
  EXPECT_FALSE(Gdi::DesktopOverlayVisible());
  // The window's own picture was never touched.
  EXPECT_EQ(PixelOf(W, 10, 10), RGB(255, 255, 255));
}

// The demo control: a little of everything the drawing unit does, saved as PNG for looking at.
LRESULT DemoPaint(HWND W) {
  PAINTSTRUCT Ps;
  HDC DC = BeginPaint(W, &Ps);
  TRect R = Rect(0, 0, 320, 200);
  FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
  TRIVERTEX V[2];
  V[0].x = 0;
  V[0].y = 0;
  V[0].Red = 0x0A00;
  V[0].Green = 0x2400;
  V[0].Blue = 0x6A00;
  V[1].x = 320;
  V[1].y = 20;
  V[1].Red = 0xA600;
  V[1].Green = 0xCA00;
  V[1].Blue = 0xF000;
  GRADIENT_RECT G{0, 1};
  GradientFill(DC, V, 2, &G, 1, GRADIENT_FILL_RECT_H);
  LOGFONT L;
  L.lfHeight = -11;
  L.lfWeight = FW_BOLD;
  std::strcpy(L.lfFaceName, "MS Sans Serif");
  HFONT Bold = CreateFontIndirect(&L);
  HGDIOBJ OldFont = SelectObject(DC, Bold);
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, RGB(255, 255, 255));
  TextOut(DC, 4, 3, "Graphics demo", 13);
  SelectObject(DC, OldFont);
  DeleteObject(Bold);
  SetTextColor(DC, 0);
  TRect Box = Rect(10, 30, 110, 70);
  DrawEdge(DC, &Box, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  DrawText(DC, "&Raised", -1, &Box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  Box = Rect(120, 30, 220, 70);
  DrawEdge(DC, &Box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(DC, &Box, GetSysColorBrush(COLOR_WINDOW));
  DrawText(DC, "Sunken edge with word breaks", -1, &Box, DT_WORDBREAK | DT_CENTER);
  TRect Check = Rect(10, 80, 120, 100);
  DrawFrameControl(DC, &Check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  TextOut(DC, 28, 83, "Checked", 7);
  TRect Radio = Rect(10, 105, 120, 125);
  DrawFrameControl(DC, &Radio, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
  TextOut(DC, 28, 108, "Radio", 5);
  for (UINT K : {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT}) {
    TRect A = Rect(230 + static_cast<int>(K) * 18, 30, 246 + static_cast<int>(K) * 18, 46);
    DrawFrameControl(DC, &A, DFC_SCROLL, K);
  }
  for (UINT K : {DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONCLOSE}) {
    TRect A = Rect(230 + static_cast<int>(K) * 18, 50, 246 + static_cast<int>(K) * 18, 64);
    DrawFrameControl(DC, &A, DFC_CAPTION, K);
  }
  HPEN Pen = CreatePen(PS_SOLID, 1, RGB(128, 0, 0));
  HGDIOBJ OldPen = SelectObject(DC, Pen);
  HGDIOBJ OldBrush = SelectObject(DC, GetStockObject(LTGRAY_BRUSH));
  Ellipse(DC, 130, 80, 200, 130);
  RoundRect(DC, 210, 80, 300, 130, 12, 12);
  TPoint Tri[3] = {{20, 190}, {60, 140}, {100, 190}};
  Polygon(DC, Tri, 3);
  SelectObject(DC, OldPen);
  SelectObject(DC, OldBrush);
  DeleteObject(Pen);
  TRect Focus = Rect(120, 140, 300, 190);
  DrawFocusRect(DC, &Focus);
  LOGFONT M;
  M.lfHeight = -13;
  std::strcpy(M.lfFaceName, "Courier New");
  HFONT Mono = CreateFontIndirect(&M);
  OldFont = SelectObject(DC, Mono);
  const COLORREF Colors[] = {RGB(0, 0, 128), RGB(128, 0, 0), RGB(0, 128, 0)};
  const char* Words[] = {"<p ", "class=", "\"x\">"};
  int X = 126;
  for (int I = 0; I < 3; ++I) {
    SetTextColor(DC, Colors[I]);
    TextOut(DC, X, 150, Words[I], static_cast<int>(std::strlen(Words[I])));
    X += 8 * static_cast<int>(std::strlen(Words[I]));
  }
  SelectObject(DC, OldFont);
  DeleteObject(Mono);
  EndPaint(W, &Ps);
  return 0;
}

TEST_F(Painting, DemoControlIsSavedAsPng) {
  HWND W = MakePainted("Demo", WS_POPUP | WS_VISIBLE, 0, 0, 336, 200);
  SCROLLINFO Bar;
  Bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  Bar.nMax = 99;
  Bar.nPage = 40;
  Bar.nPos = 30;
  SetScrollInfo(W, SB_VERT, &Bar, TRUE);
  Handlers[W] = [](HWND Wnd, UINT M, WPARAM, LPARAM, LRESULT& Result) {
    if (M != WM_PAINT) {
      return false;
    }
    Result = DemoPaint(Wnd);
    return true;
  };
  Harness::RunUntilIdle();
  EXPECT_EQ(PixelOf(W, 165, 105), RGB(192, 192, 192));  // inside the light grey ellipse
  std::string File = std::string(ZUBQ_BINARY_DIR) + "/graphics-demo.png";
  ASSERT_TRUE(Harness::SaveWindowPng(W, File));
  EXPECT_GT(std::filesystem::file_size(File), 1000u);
}

}  // namespace
