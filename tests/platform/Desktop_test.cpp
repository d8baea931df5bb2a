// What the window system takes from the desktop: files dropped on windows, hot keys, sounds, help requests,
// frames drawn by the layer and window regions.
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/controls/TestHarnessDesktop.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/ApplicationIcon.h"
#include "platform/win/Desktop.h"
#include "platform/win/MessageBox.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace WinTest;

namespace {

class Desktop : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = Make("F", WS_POPUP | WS_BORDER, 100, 100, 300, 200);
    A = Make("A", WS_CHILD | WS_VISIBLE, 10, 10, 100, 80, Form, 0, 1);
    B = Make("B", WS_CHILD | WS_VISIBLE, 150, 10, 100, 80, Form, 0, 2);
    ShowWindow(Form, SW_SHOW);
    Harness::RunUntilIdle();
    TakeLog();
  }
  void TearDown() override {
    Harness::RunUntilIdle();
    Reset();
  }
  HWND Form = 0, A = 0, B = 0;
};

struct TDropSeen {
  HWND Wnd = 0;
  std::vector<std::string> Files;
  TPoint Point;
  BOOL Client = FALSE;
  UINT Count = 0;
  UINT Needed = 0;
};

TEST_F(Desktop, DroppedFilesReachTheWindowThatAcceptsThem) {
  std::vector<TDropSeen> Seen;
  auto Receiver = [&](HWND W, UINT M, WPARAM WParam, LPARAM, LRESULT&) {
    if (M != WM_DROPFILES) {
      return false;
    }
    auto Drop = static_cast<HDROP>(WParam);
    TDropSeen S;
    S.Wnd = W;
    S.Count = DragQueryFile(Drop, 0xFFFFFFFF, nullptr, 0);
    S.Needed = DragQueryFile(Drop, 0, nullptr, 0);
    for (UINT I = 0; I < S.Count; ++I) {
      char Buf[260];
      DragQueryFile(Drop, I, Buf, sizeof Buf);
      S.Files.push_back(Buf);
    }
    char Small[4];
    EXPECT_EQ(DragQueryFile(Drop, 0, Small, sizeof Small), 3u);  // cut to the buffer
    EXPECT_EQ(DragQueryFile(Drop, S.Count, Small, sizeof Small), 0u);
    S.Client = DragQueryPoint(Drop, &S.Point);
    DragFinish(Drop);
    Seen.push_back(S);
    return true;
  };
  Handlers[Form] = Receiver;
  Handlers[A] = Receiver;
  std::vector<std::string> Files = {"/tmp/one.html", "/tmp/caf\xE9 two.css"};
  // Nobody accepts files yet: nothing arrives.
  Harness::DropFiles(A, Point(5, 5), Files);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Seen.empty());

  // The form accepts them: a drop on a child that does not goes to the form, at the form's client point.
  DragAcceptFiles(Form, TRUE);
  EXPECT_TRUE(GetWindowLong(Form, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  Harness::DropFiles(A, Point(5, 6), Files);
  Harness::RunUntilIdle();
  ASSERT_EQ(Seen.size(), 1u);
  EXPECT_EQ(Seen[0].Wnd, Form);
  EXPECT_EQ(Seen[0].Files, Files);
  EXPECT_EQ(Seen[0].Count, 2u);
  EXPECT_EQ(Seen[0].Needed, 13u);
  TPoint Expect = Point(5, 6);
  MapWindowPoints(A, Form, &Expect, 1);
  EXPECT_EQ(Seen[0].Point, Expect);
  EXPECT_TRUE(Seen[0].Client);

  // A child that accepts takes its own; turning acceptance off stops it; every handle was freed.
  DragAcceptFiles(A, TRUE);
  Harness::DropFiles(A, Point(5, 6), {"/tmp/x"});
  DragAcceptFiles(Form, FALSE);
  Harness::DropFiles(B, Point(5, 6), {"/tmp/y"});
  Harness::RunUntilIdle();
  ASSERT_EQ(Seen.size(), 2u);
  EXPECT_EQ(Seen[1].Wnd, A);
  EXPECT_EQ(Seen[1].Point, Point(5, 6));
  EXPECT_EQ(OpenDropHandles(), 0);
}

TEST_F(Desktop, DropsOnADestroyedWindowFreeTheirHandle) {
  DragAcceptFiles(A, TRUE);
  Harness::DropFiles(A, Point(5, 6), {"/tmp/x"});
  EXPECT_EQ(OpenDropHandles(), 1);  // posted, not yet read
  DestroyWindow(A);
  Harness::RunUntilIdle();
  // The message died with the window; its handle is the receiver's to free, so it stays until freed.
  EXPECT_LE(OpenDropHandles(), 1);
}

TEST_F(Desktop, HotKeysAreRecordedAndTypedOnesArriveAsWmHotkey) {
  SetFocus(A);
  std::vector<std::pair<WPARAM, LPARAM>> HotKeys;
  Handlers[Form] = [&](HWND, UINT M, WPARAM W, LPARAM L, LRESULT&) {
    if (M == WM_HOTKEY) {
      HotKeys.emplace_back(W, L);
    }
    return false;
  };
  ASSERT_TRUE(RegisterHotKey(Form, 7, MOD_CONTROL | MOD_ALT, 'K'));
  EXPECT_FALSE(RegisterHotKey(B, 8, MOD_CONTROL | MOD_ALT, 'K'));
  EXPECT_EQ(GetLastError(), ERROR_HOTKEY_ALREADY_REGISTERED);
  EXPECT_FALSE(RegisterHotKey(Form, 7, 0, VK_F9));  // the id is taken
  Harness::KeyPress('K', Harness::TMods{false, true, true});
  Harness::KeyPress('K', Harness::TMods{false, true, false});  // other modifiers: an ordinary key
  Harness::RunUntilIdle();
  EXPECT_EQ(HotKeys, (std::vector<std::pair<WPARAM, LPARAM>>{{7, MAKELONG(MOD_CONTROL | MOD_ALT, 'K')}}));
  auto Log = TakeLog();
  // Both Ctrl presses and the second K; the hot key's K made none.
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "A:KEYDOWN"), 3);
  EXPECT_TRUE(UnregisterHotKey(Form, 7));
  EXPECT_FALSE(UnregisterHotKey(Form, 7));
  // A window's hot keys go with it.
  ASSERT_TRUE(RegisterHotKey(B, 9, MOD_SHIFT, VK_F2));
  DestroyWindow(B);
  EXPECT_TRUE(RegisteredHotKeys().empty());
}

TEST_F(Desktop, SoundsAreRecordedAndQuiet) {
  std::size_t Before = PlayedSounds().size();
  std::string File = std::filesystem::temp_directory_path() / "zubq_desktop_test.wav";
  std::ofstream(File) << "RIFF";
  EXPECT_TRUE(PlaySound("SystemAsterisk", nullptr, SND_ALIAS | SND_ASYNC));
  EXPECT_TRUE(PlaySound(File.c_str(), nullptr, SND_FILENAME | SND_ASYNC));
  EXPECT_TRUE(PlaySound("NoSuchAlias", nullptr, SND_ALIAS));                    // the default sound instead
  EXPECT_FALSE(PlaySound("NoSuchAlias", nullptr, SND_ALIAS | SND_NODEFAULT));  // unless that is refused
  EXPECT_FALSE(PlaySound("/no/such.wav", nullptr, SND_FILENAME | SND_NODEFAULT));
  EXPECT_TRUE(PlaySound(nullptr, nullptr, 0));                                  // stop: nothing to stop
  EXPECT_TRUE(MessageBeep(MB_ICONEXCLAMATION));
  auto All = PlayedSounds();
  std::vector<std::string> New(All.begin() + static_cast<std::ptrdiff_t>(Before), All.end());
  EXPECT_EQ(New, (std::vector<std::string>{"SystemAsterisk", File, ".Default", "SystemExclamation"}));
  std::filesystem::remove(File);
}

TEST_F(Desktop, HelpRequestsAreRecorded) {
  Application->HelpFile = "";
  EXPECT_FALSE(Application->HelpContext(10));  // no help file: nothing to show
  Application->HelpFile = "/opt/zubq/help.hlp";
  EXPECT_TRUE(Application->HelpContext(42));
  EXPECT_TRUE(Application->HelpKeyword("tables"));
  bool Asked = false;
  Application->OnHelp = [&](UINT, NativeInt, bool& CallHelp) {
    Asked = true;
    CallHelp = false;
    return true;
  };
  EXPECT_TRUE(Application->HelpCommand(HELP_CONTENTS, 0));
  EXPECT_TRUE(Asked);
  Application->OnHelp = nullptr;
  auto& R = Application->HelpRequests;
  ASSERT_GE(R.size(), 4u);
  auto Tail = std::vector<TApplication::THelpRequest>(R.end() - 3, R.end());
  EXPECT_EQ(Tail[0].Command, HELP_CONTEXT);
  EXPECT_EQ(Tail[0].Data, 42);
  EXPECT_EQ(Tail[1].Command, HELP_KEY);
  EXPECT_EQ(Tail[1].Text, "tables");
  EXPECT_EQ(Tail[2].Command, HELP_CONTENTS);
  // Requests not handled by OnHelp reach WinHelp with the file.
  auto W = WinHelpRequests();
  ASSERT_GE(W.size(), 2u);
  EXPECT_EQ(W.back().File, "/opt/zubq/help.hlp");
  EXPECT_EQ(W.back().Command, HELP_KEY);
}

// The colour of a pixel of a window as drawn in its backing image (window coordinates).
COLORREF WindowPixel(HWND Wnd, int X, int Y) {
  HDC DC = GetWindowDC(Wnd);
  COLORREF C = GetPixel(DC, X, Y);
  ReleaseDC(Wnd, DC);
  return C;
}

// The same pixel as DrawEdge draws it on a bitmap of the window's size.
COLORREF EdgePixel(int W, int H, UINT Edge, int X, int Y) {
  HDC Screen = GetDC(0);
  HDC Mem = CreateCompatibleDC(Screen);
  HBITMAP Bmp = CreateCompatibleBitmap(Screen, W, H);
  HGDIOBJ Old = SelectObject(Mem, Bmp);
  TRect R = Rect(0, 0, W, H);
  DrawEdge(Mem, &R, Edge, BF_RECT);
  COLORREF C = GetPixel(Mem, X, Y);
  SelectObject(Mem, Old);
  DeleteObject(Bmp);
  DeleteDC(Mem);
  ReleaseDC(0, Screen);
  return C;
}

TEST_F(Desktop, TheLayerDrawsBordersAndClientEdges) {
  HWND Edge = Make("E", WS_CHILD | WS_VISIBLE, 10, 100, 80, 40, Form, WS_EX_CLIENTEDGE, 3);
  Harness::RunUntilIdle();
  for (auto [X, Y] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{79, 39}, std::pair{78, 38}, std::pair{40, 0}}) {
    EXPECT_EQ(WindowPixel(Edge, X, Y), EdgePixel(80, 40, EDGE_SUNKEN, X, Y)) << X << "," << Y;
  }
  EXPECT_EQ(WindowPixel(Form, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(WindowPixel(Form, 299, 100), GetSysColor(COLOR_WINDOWFRAME));
  // A window without a frame gets no WM_NCPAINT drawing of its client.
  EXPECT_NE(WindowPixel(Form, 5, 5), GetSysColor(COLOR_WINDOWFRAME));
}

TEST_F(Desktop, AWindowRegionShapesWhereTheMouseGoes) {
  // Only the left half of A is A's now: a click in the right half falls through to the form.
  ASSERT_NE(SetWindowRgn(A, CreateRectRgn(0, 0, 50, 80), TRUE), 0);
  Harness::Click(A, Point(20, 20));
  Harness::Click(A, Point(70, 20));
  Harness::RunUntilIdle();
  std::vector<std::string> Downs;
  for (auto& L : TakeLog()) {
    if (L.find("LBUTTONDOWN") != std::string::npos) {
      Downs.push_back(L);
    }
  }
  EXPECT_EQ(Downs, (std::vector<std::string>{"A:LBUTTONDOWN", "F:LBUTTONDOWN"}));
  HRGN Copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(A, Copy), SIMPLEREGION);
  TRect Box;
  GetRgnBox(Copy, &Box);
  EXPECT_EQ(Box, Rect(0, 0, 50, 80));
  DeleteObject(Copy);
  SetWindowRgn(A, 0, FALSE);
  EXPECT_EQ(WindowFromPoint(Point(100 + 1 + 10 + 70, 100 + 1 + 10 + 20)), A);
}

}  // namespace

namespace {

// The pixels of a window's caption bar that are not the caption's fill colour (the drawn title's pixels).
int CaptionTextPixels(HWND Wnd) {
  const int Frame = GetSystemMetrics(SM_CXFRAME);
  const int Height = GetSystemMetrics(SM_CYCAPTION);
  TRect W{};
  GetWindowRect(Wnd, &W);
  const COLORREF Fill = GetSysColor(GetActiveWindow() == Wnd ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  int Count = 0;
  for (int Y = Frame + 2; Y < Frame + Height - 2; ++Y) {
    for (int X = Frame + 4; X < W.Width() / 2; ++X) {
      Count += WindowPixel(Wnd, X, Y) != Fill ? 1 : 0;
    }
  }
  return Count;
}

}  // namespace

TEST_F(Desktop, TheCaptionBarShowsANewTextAtOnce) {
  HWND Top = Make("T", WS_OVERLAPPEDWINDOW, 120, 120, 320, 160);
  SetWindowText(Top, "");
  ShowWindow(Top, SW_SHOW);
  Harness::RunUntilIdle();
  ASSERT_EQ(CaptionTextPixels(Top), 0);
  // No message loop runs between the change and the look: the caption is drawn as the text is set.
  SetWindowText(Top, "Document.html - Editor");
  EXPECT_GT(CaptionTextPixels(Top), 20);
  SetWindowText(Top, "");
  EXPECT_EQ(CaptionTextPixels(Top), 0);
  DestroyWindow(Top);
}

TEST_F(Desktop, OnlyTheApplicationsOwnWindowsGetTaskbarEntries) {
  // The application's window stays hidden; the windows it owns stand for it on the taskbar.
  HWND App = Make("App", WS_POPUP, 0, 0, 10, 10);
  HWND Main = Make("Main", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, App);
  HWND Owned = Make("Owned", WS_POPUP | WS_BORDER, 20, 20, 80, 40, Main);
  HWND Unowned = Make("Unowned", WS_POPUP | WS_BORDER, 30, 30, 80, 40);
  HWND Listed = Make("Listed", WS_POPUP | WS_BORDER, 40, 40, 80, 40, 0, WS_EX_APPWINDOW);
  HWND Tool = Make("Tool", WS_POPUP | WS_BORDER, 50, 50, 80, 40, App, WS_EX_TOOLWINDOW);
  for (HWND W : {Main, Owned, Unowned, Listed, Tool}) {
    ShowWindow(W, SW_SHOWNOACTIVATE);
  }
  Harness::RunUntilIdle();
  EXPECT_TRUE(Harness::HasTaskbarEntry(Main));
  EXPECT_FALSE(Harness::HasTaskbarEntry(Owned));
  EXPECT_FALSE(Harness::HasTaskbarEntry(Unowned));  // owned by the desktop window
  EXPECT_TRUE(Harness::HasTaskbarEntry(Listed));
  EXPECT_FALSE(Harness::HasTaskbarEntry(Tool));
  EXPECT_FALSE(Harness::HasTaskbarEntry(App));  // not on screen
  for (HWND W : {Tool, Listed, Unowned, Owned, Main, App}) {
    DestroyWindow(W);
  }
}

namespace {

// A 16 x 16 icon of one colour.
HICON SolidIcon(COLORREF Color) {
  HDC Screen = GetDC(0);
  HBITMAP ColorBits = CreateCompatibleBitmap(Screen, 16, 16);
  HBITMAP MaskBits = CreateBitmap(16, 16, 1, 1, nullptr);
  HDC Mem = CreateCompatibleDC(Screen);
  HGDIOBJ Old = SelectObject(Mem, ColorBits);
  TRect All = Rect(0, 0, 16, 16);
  HBRUSH Brush = CreateSolidBrush(Color);
  FillRect(Mem, &All, Brush);
  SelectObject(Mem, MaskBits);
  FillRect(Mem, &All, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(Mem, Old);
  DeleteObject(Brush);
  DeleteDC(Mem);
  ReleaseDC(0, Screen);
  ICONINFO Info;
  Info.hbmColor = ColorBits;
  Info.hbmMask = MaskBits;
  HICON Icon = CreateIconIndirect(&Info);
  DeleteObject(ColorBits);
  DeleteObject(MaskBits);
  return Icon;
}

}  // namespace

TEST_F(Desktop, TheDesktopShowsAWindowsIconElseTheApplications) {
  HICON Red = SolidIcon(RGB(255, 0, 0));
  HICON Blue = SolidIcon(RGB(0, 0, 255));
  HWND Own = Make("Own", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, 0, WS_EX_APPWINDOW);
  HWND Plain = Make("Plain", WS_OVERLAPPEDWINDOW, 20, 20, 200, 100, 0, WS_EX_APPWINDOW);
  EXPECT_EQ(SendMessage(Own, WM_SETICON, ICON_BIG, static_cast<LPARAM>(Red)), 0);
  EXPECT_EQ(static_cast<HICON>(SendMessage(Own, WM_GETICON, ICON_BIG, 0)), Red);
  SetApplicationIcon(Blue);
  ShowWindow(Own, SW_SHOWNOACTIVATE);
  ShowWindow(Plain, SW_SHOWNOACTIVATE);
  Harness::RunUntilIdle();
  EXPECT_EQ(Harness::WindowIconPixel(Own), 0xFFFF0000u);
  EXPECT_EQ(Harness::WindowIconPixel(Plain), 0xFF0000FFu);
  // A window given an icon once it is on screen shows it at once.
  SendMessage(Plain, WM_SETICON, ICON_BIG, static_cast<LPARAM>(Red));
  EXPECT_EQ(Harness::WindowIconPixel(Plain), 0xFFFF0000u);
  SetApplicationIcon(0);
  DestroyWindow(Own);
  DestroyWindow(Plain);
  DestroyIcon(Red);
  DestroyIcon(Blue);
}

TEST_F(Desktop, AnotherProgramTakingAndGivingBackTheFocusActivatesAsTheLayerDoes) {
  int Activated = 0;
  int Deactivated = 0;
  Application->Handle();
  Application->OnActivate = [&](TObject*) { ++Activated; };
  Application->OnDeactivate = [&](TObject*) { ++Deactivated; };
  SetActiveWindow(Form);
  ASSERT_EQ(GetActiveWindow(), Form);
  Harness::RunUntilIdle();
  TakeLog();
  Harness::OtherProgramTakesFocus();
  EXPECT_EQ(GetActiveWindow(), 0);
  EXPECT_EQ(Deactivated, 1);
  Harness::DesktopActivates(A);  // a click into a child activates its top-level window
  EXPECT_EQ(GetActiveWindow(), Form);
  EXPECT_EQ(Activated, 1);
  // Told twice, the desktop's activation is still one change.
  Harness::DesktopActivates(Form);
  EXPECT_EQ(Activated, 1);
  Application->OnActivate = nullptr;
  Application->OnDeactivate = nullptr;
}

TEST_F(Desktop, ForegroundAndMinimizeReachTheDesktopAndItsRestoreComesBack) {
  HWND Other = Make("O", WS_OVERLAPPEDWINDOW, 150, 150, 200, 100);
  ShowWindow(Other, SW_SHOW);
  Harness::RunUntilIdle();
  ASSERT_TRUE(SetForegroundWindow(Form));
  EXPECT_EQ(Harness::DesktopActiveWindow(), Form);
  ASSERT_TRUE(SetForegroundWindow(Other));
  EXPECT_EQ(Harness::DesktopActiveWindow(), Other);

  ShowWindow(Other, SW_MINIMIZE);
  Harness::RunUntilIdle();
  EXPECT_TRUE(IsIconic(Other));
  EXPECT_TRUE(Harness::IconifiedOnDesktop(Other));
  TakeLog();
  Harness::DesktopRestores(Other);
  Harness::RunUntilIdle();
  EXPECT_FALSE(IsIconic(Other));
  EXPECT_FALSE(Harness::IconifiedOnDesktop(Other));
  const auto Seen = TakeLog();
  EXPECT_NE(std::find(Seen.begin(), Seen.end(), "O:SYSCOMMAND"), Seen.end());
  DestroyWindow(Other);
}
