// Native controls hosted in windows: the edit and button classes driven by synthetic input through the message
// chain, their messages and notifications, a class library control subclassing one, and input-method text.
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/Clipbrd.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"
#include "platform/win/WinUser.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

using namespace WinTest;

namespace {

struct TCommand {
  WORD Id;
  WORD Code;
  HWND From;
  bool operator==(const TCommand&) const = default;
};

class NativeControls : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = Make("F", WS_POPUP | WS_BORDER, 100, 100, 400, 200);
    Handlers[Form] = [this](HWND, UINT M, WPARAM W, LPARAM L, LRESULT&) {
      if (M == WM_COMMAND) {
        Commands.push_back(TCommand{LOWORD(W), HIWORD(W), static_cast<HWND>(L)});
      }
      return false;
    };
    Edit = CreateWindowEx(WS_EX_CLIENTEDGE, WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 200, 24, Form,
                          static_cast<HMENU>(7), nullptr, nullptr);
    ShowWindow(Form, SW_SHOW);
    Harness::RunUntilIdle();
    Commands.clear();
  }
  void TearDown() override {
    Harness::RunUntilIdle();
    Reset();
  }
  std::string Text(HWND W) { return GetWindowTextString(W); }
  std::pair<DWORD, DWORD> Sel(HWND W) {
    DWORD S = 0, E = 0;
    SendMessage(W, EM_GETSEL, reinterpret_cast<WPARAM>(&S), reinterpret_cast<LPARAM>(&E));
    return {S, E};
  }
  int CountOf(WORD Code) {
    int N = 0;
    for (auto& C : Commands) {
      N += C.Code == Code ? 1 : 0;
    }
    return N;
  }
  HWND Button(const char* Caption, DWORD Kind, int X, int Id, DWORD Extra = 0) {
    return CreateWindowEx(0, WC_BUTTON, Caption, WS_CHILD | WS_VISIBLE | Kind | Extra, X, 60, 80, 24, Form,
                          static_cast<HMENU>(Id), nullptr, nullptr);
  }

  HWND Form = 0, Edit = 0;
  std::vector<TCommand> Commands;
};

// Subclassing the edit: a handler that changes one character and eats another, as a program's key hook does.
WNDPROC OldEditProc = nullptr;
LRESULT FilteringEditProc(HWND W, UINT M, WPARAM WParam, LPARAM LParam) {
  if (M == WM_CHAR && WParam == 'a') {
    WParam = 'x';
  } else if (M == WM_CHAR && (WParam == 'b' || WParam == '\b')) {
    return 0;
  }
  return CallWindowProc(OldEditProc, W, M, WParam, LParam);
}

TEST_F(NativeControls, TypingReachesTheEditAsTheMessageChainLeftIt) {
  SetFocus(Edit);
  Harness::TypeText("hello");
  Harness::RunUntilIdle();
  EXPECT_EQ(Text(Edit), "hello");
  EXPECT_EQ(Sel(Edit), (std::pair<DWORD, DWORD>{5, 5}));
  EXPECT_EQ(CountOf(EN_CHANGE), 5);
  EXPECT_EQ(Commands.back(), (TCommand{7, EN_CHANGE, Edit}));

  // Control keys go to the widget at WM_KEYDOWN: Home moves the caret, Shift+End selects, Ctrl+A selects all.
  Harness::KeyPress(VK_HOME);
  Harness::TypeText("X");
  Harness::KeyPress(VK_END, Harness::TMods{true, false, false});
  Harness::RunUntilIdle();
  EXPECT_EQ(Text(Edit), "Xhello");
  EXPECT_EQ(Sel(Edit), (std::pair<DWORD, DWORD>{1, 6}));
  Harness::KeyPress('A', Harness::TMods{false, true, false});
  Harness::TypeText("ab");
  Harness::KeyPress(VK_BACK);
  Harness::RunUntilIdle();
  EXPECT_EQ(Text(Edit), "a");

  // Characters changed or eaten on the way are what the edit gets.
  OldEditProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(Edit, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&FilteringEditProc)));
  Harness::TypeText("abc");
  Harness::KeyPress(VK_BACK);
  Harness::RunUntilIdle();
  EXPECT_EQ(Text(Edit), "axc");
  SetWindowLongPtr(Edit, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(OldEditProc));
}

TEST_F(NativeControls, EditMessagesSetAndReadTextAndSelection) {
  EXPECT_TRUE(SetWindowText(Edit, "hello world"));
  EXPECT_EQ(CountOf(EN_CHANGE), 1);
  char Buf[6];
  EXPECT_EQ(GetWindowText(Edit, Buf, sizeof Buf), 5);
  EXPECT_STREQ(Buf, "hello");
  EXPECT_EQ(SendMessage(Edit, EM_GETMODIFY, 0, 0), FALSE);

  struct TCase {
    int Start, End;
    DWORD WantStart, WantEnd;
  };
  for (TCase C : {TCase{0, -1, 0, 11}, TCase{2, 4, 2, 4}, TCase{7, 3, 3, 7}, TCase{6, 99, 6, 11}, TCase{4, 4, 4, 4}}) {
    SendMessage(Edit, EM_SETSEL, static_cast<WPARAM>(C.Start), C.End);
    auto R = SendMessage(Edit, EM_GETSEL, 0, 0);
    EXPECT_EQ(Sel(Edit), (std::pair<DWORD, DWORD>{C.WantStart, C.WantEnd})) << C.Start << "," << C.End;
    EXPECT_EQ(R, MAKELONG(C.WantStart, C.WantEnd));
  }
  SendMessage(Edit, EM_SETSEL, 0, 5);
  SendMessage(Edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("bye"));
  EXPECT_EQ(Text(Edit), "bye world");
  EXPECT_EQ(Sel(Edit), (std::pair<DWORD, DWORD>{3, 3}));
  EXPECT_EQ(SendMessage(Edit, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL);
  HFONT Font = CreateFont(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Courier New");
  SendMessage(Edit, WM_SETFONT, Font, FALSE);
  EXPECT_EQ(static_cast<HFONT>(SendMessage(Edit, WM_GETFONT, 0, 0)), Font);

  // Read-only edits keep their text against typing; text set while read-only still shows.
  SendMessage(Edit, EM_SETREADONLY, TRUE, 0);
  EXPECT_TRUE(GetWindowLong(Edit, GWL_STYLE) & ES_READONLY);
  SetFocus(Edit);
  Harness::TypeText("zz");
  Harness::RunUntilIdle();
  EXPECT_EQ(Text(Edit), "bye world");
  SetWindowText(Edit, "fixed");
  EXPECT_EQ(Text(Edit), "fixed");
  SendMessage(Edit, WM_SETFONT, 0, FALSE);
  DeleteObject(Font);
}

TEST_F(NativeControls, ClicksFocusTheEditAndReachItsWidget) {
  HWND Other = Make("O", WS_CHILD | WS_VISIBLE, 250, 10, 100, 30, Form, 0, 3);
  SetFocus(Other);
  SetWindowText(Edit, "hello world");
  Commands.clear();
  Harness::Click(Edit, Point(2, 5));
  Harness::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Edit);
  EXPECT_EQ(CountOf(EN_SETFOCUS), 1);
  EXPECT_EQ(Sel(Edit), (std::pair<DWORD, DWORD>{0, 0}));  // the caret went where the click was
  // A double click selects the word under the pointer, as the widget does it.
  Harness::DoubleClick(Edit, Point(3, 5));
  Harness::RunUntilIdle();
  auto [S, E] = Sel(Edit);
  EXPECT_EQ(S, 0u);
  EXPECT_GE(E, 5u);
  SetFocus(Other);
  EXPECT_EQ(CountOf(EN_KILLFOCUS), 1);
}

TEST_F(NativeControls, ButtonsNotifyTheirParentAndKeepTheirChecks) {
  HWND Push = Button("&Go", BS_PUSHBUTTON, 10, 20);
  HWND Auto = Button("Auto", BS_AUTOCHECKBOX, 100, 21);
  HWND Manual = Button("Manual", BS_CHECKBOX, 190, 22);
  Harness::RunUntilIdle();
  // Mouse click, Space on the focused button, and BM_CLICK each click once.
  Harness::Click(Push, Point(10, 10));
  Harness::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Push);
  Harness::KeyPress(VK_SPACE);
  Harness::RunUntilIdle();
  SendMessage(Push, BM_CLICK, 0, 0);
  EXPECT_EQ(Commands, (std::vector<TCommand>{{20, BN_CLICKED, Push}, {20, BN_CLICKED, Push}, {20, BN_CLICKED, Push}}));
  // A press outside the button then a release is no click.
  Harness::MouseDown(Push, Point(10, 10));
  Harness::MouseUp(Push, Point(200, 10));
  Harness::RunUntilIdle();
  EXPECT_EQ(Commands.size(), 3u);

  Commands.clear();
  Harness::Click(Auto, Point(5, 5));
  Harness::Click(Manual, Point(5, 5));
  Harness::RunUntilIdle();
  EXPECT_EQ(Commands, (std::vector<TCommand>{{21, BN_CLICKED, Auto}, {22, BN_CLICKED, Manual}}));
  EXPECT_EQ(SendMessage(Auto, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  EXPECT_EQ(SendMessage(Manual, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));  // the parent decides
  SendMessage(Manual, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessage(Manual, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  EXPECT_EQ(Commands.size(), 2u);  // setting a check notifies nobody
  EXPECT_EQ(SendMessage(Push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
}

TEST_F(NativeControls, AutomaticRadioButtonsClearTheirGroup) {
  HWND R1 = Button("1", BS_AUTORADIOBUTTON, 10, 31, WS_GROUP);
  HWND R2 = Button("2", BS_AUTORADIOBUTTON, 100, 32);
  HWND R3 = Button("3", BS_AUTORADIOBUTTON, 190, 33, WS_GROUP);  // a new group
  SendMessage(R1, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(R3, BM_SETCHECK, BST_CHECKED, 0);
  Harness::Click(R2, Point(5, 5));
  Harness::Click(R2, Point(5, 5));  // clicking a checked radio button keeps it checked
  Harness::RunUntilIdle();
  EXPECT_EQ(SendMessage(R1, BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(SendMessage(R2, BM_GETCHECK, 0, 0), 1);
  EXPECT_EQ(SendMessage(R3, BM_GETCHECK, 0, 0), 1);
}

TEST_F(NativeControls, ALoopStartedInsideAClickStillGetsNewInput) {
  HWND First = Button("1", BS_PUSHBUTTON, 10, 41);
  HWND Second = Button("2", BS_PUSHBUTTON, 100, 42);
  Harness::RunUntilIdle();
  bool SecondClicked = false;
  int Nested = 0;
  Handlers[Form] = [&](HWND, UINT M, WPARAM W, LPARAM, LRESULT&) {
    if (M == WM_COMMAND && LOWORD(W) == 41) {
      // A modal loop of the parent's own, run from inside the first button's click.
      Harness::Click(Second, Point(5, 5));
      MSG Msg;
      while (!SecondClicked && ++Nested < 1000 && PeekMessage(&Msg, 0, 0, 0, PM_REMOVE)) {
        TranslateMessage(&Msg);
        DispatchMessage(&Msg);
      }
    } else if (M == WM_COMMAND && LOWORD(W) == 42) {
      SecondClicked = true;
    }
    return false;
  };
  Harness::Click(First, Point(5, 5));
  Harness::RunUntilIdle();
  EXPECT_TRUE(SecondClicked);
}

TEST_F(NativeControls, InputMethodTextReachesEditsAndCustomWindows) {
  HWND Custom = Make("C", WS_CHILD | WS_VISIBLE, 250, 10, 100, 30, Form, 0, 3);
  std::string Chars;
  std::vector<LPARAM> Compositions;
  Handlers[Custom] = [&](HWND, UINT M, WPARAM W, LPARAM L, LRESULT&) {
    if (M == WM_CHAR) {
      Chars += static_cast<char>(W);
    } else if (M == WM_IME_COMPOSITION) {
      Compositions.push_back(L);
    }
    return false;
  };
  SetFocus(Custom);
  Harness::ImeCompose("ca");
  Harness::ImeCommit("caf\xE9");
  Harness::RunUntilIdle();
  EXPECT_EQ(Compositions, (std::vector<LPARAM>{GCS_COMPSTR, GCS_RESULTSTR}));
  EXPECT_EQ(Chars, "caf\xE9");

  SetFocus(Edit);
  Harness::TypeText("x");
  Harness::ImeCommit("\xE9t\xE9");
  Harness::RunUntilIdle();
  EXPECT_EQ(Text(Edit), "x\xE9t\xE9");
}

// A class library control over the native edit, as the standard controls are built.
class TTestEdit : public TWinControl {
  Z_CLASS(TTestEdit, TWinControl)

public:
  explicit TTestEdit(TComponent* AOwner) : TWinControl(AOwner) { TabStop = true; }
  int Changes = 0;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == EN_CHANGE) {
      ++Changes;
      return;
    }
    TWinControl::Dispatch(Message);
  }

protected:
  void CreateParams(TCreateParams& Params) override {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_EDIT);
  }
};
Z_IMPLEMENT_CLASS(TTestEdit, TWinControl)

TEST_F(NativeControls, AClassLibraryControlSubclassesTheNativeEdit) {
  auto* F = new TForm(nullptr);
  F->SetBounds(50, 50, 300, 120);
  auto* E = new TTestEdit(F);
  E->SetParent(F);
  E->SetBounds(10, 10, 150, 24);
  E->SetText("start");
  E->OnKeyPress = [](TObject*, char& Key) {
    if (Key == 'q') {
      Key = 0;
    } else if (Key == 'u') {
      Key = 'U';
    }
  };
  F->Show();
  E->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_EQ(E->GetText(), "start");
  SendMessage(E->Handle(), EM_SETSEL, 5, 5);
  Harness::TypeText("quit");
  Harness::RunUntilIdle();
  EXPECT_EQ(E->GetText(), "startUit");
  EXPECT_EQ(E->Changes, 3);
  // Recreating the window keeps the text.
  E->RecreateWnd();
  EXPECT_EQ(E->GetText(), "startUit");
  delete F;
}

// Both kinds of edit stop what the user types or pastes at the text limit and tell the parent (EN_MAXTEXT);
// text set by the program is never cut.
TEST_F(NativeControls, EditsCutTypedAndPastedTextAtTheLimit) {
  HWND Memo = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 10, 40, 200, 80,
                             Form, static_cast<HMENU>(8), nullptr, nullptr);
  struct {
    HWND Wnd;
    const char* Pasted;  // into "ab" with the limit at 5
    const char* AfterPaste;
    LRESULT NoLimit;
  } const Cases[] = {
      {Edit, "12345", "ab123", 0x7FFFFFFE},
      {Edit, "1234\r\n5", "ab123", 0x7FFFFFFE},  // a single line takes its first line only
      {Memo, "1\r\n2", "ab1\r\n", 0xFFFFFFFF},   // a line break counts two
      {Memo, "12\r\n3", "ab12", 0xFFFFFFFF},     // and is never cut in half
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Pasted);
    SendMessage(C.Wnd, EM_LIMITTEXT, 0, 0);
    const std::string Long(40000, 'x');
    SetWindowText(C.Wnd, Long.c_str());
    EXPECT_EQ(Text(C.Wnd), Long);
    EXPECT_EQ(SendMessage(C.Wnd, EM_GETLIMITTEXT, 0, 0), C.NoLimit);
    SendMessage(C.Wnd, EM_LIMITTEXT, 5, 0);
    SetWindowText(C.Wnd, "ab");
    SendMessage(C.Wnd, EM_SETSEL, 2, 2);
    Clipboard()->SetAsText(C.Pasted);
    Commands.clear();
    SetFocus(C.Wnd);
    Harness::KeyPress('V', {.Ctrl = true});
    Harness::RunUntilIdle();
    EXPECT_EQ(Text(C.Wnd), C.AfterPaste);
    EXPECT_EQ(CountOf(EN_MAXTEXT), 1);
    // Typing at the limit does nothing but tell; Ctrl+C copies, WM_PASTE over the selection fits.
    SetWindowText(C.Wnd, "abcde");
    SendMessage(C.Wnd, EM_SETSEL, 5, 5);
    Harness::TypeText("z");
    Harness::RunUntilIdle();
    EXPECT_EQ(Text(C.Wnd), "abcde");
    EXPECT_EQ(CountOf(EN_MAXTEXT), 2);
    SendMessage(C.Wnd, EM_SETSEL, 1, 3);
    Harness::KeyPress('C', {.Ctrl = true});
    Harness::RunUntilIdle();
    EXPECT_EQ(Clipboard()->AsText(), "bc");
    SendMessage(C.Wnd, EM_SETSEL, 0, 5);
    SendMessage(C.Wnd, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(C.Wnd), "bc");
    // EM_REPLACESEL is held to the limit too.
    SendMessage(C.Wnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("123456"));
    EXPECT_EQ(Text(C.Wnd), "bc123");
    EXPECT_EQ(CountOf(EN_MAXTEXT), 3);
  }
  // Before any EM_LIMITTEXT a new edit takes the platform's 32767 characters.
  HWND Fresh = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE, 10, 130, 100, 24, Form, 0, nullptr, nullptr);
  EXPECT_EQ(SendMessage(Fresh, EM_GETLIMITTEXT, 0, 0), 32767);
}

// The multi-line edit lays its text out in the formatting rectangle; a new size brings the default one back.
TEST_F(NativeControls, TheMultiLineEditLaysItsTextOutInTheFormattingRectangle) {
  HWND Memo = CreateWindowEx(0, WC_EDIT, "line0\r\nline1\r\nline2\r\nline3\r\nline4\r\nline5",
                             WS_CHILD | WS_VISIBLE | ES_MULTILINE, 10, 40, 200, 120, Form, 0, nullptr, nullptr);
  Harness::RunUntilIdle();
  TRect Client{}, R{};
  GetClientRect(Memo, &Client);
  SendMessage(Memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
  EXPECT_TRUE(R.Left >= 0 && R.Top >= 0 && R.Right <= Client.Right && R.Bottom <= Client.Bottom && R.Left < R.Right)
      << R.Left << "," << R.Top << "," << R.Right << "," << R.Bottom;
  const TRect Default = R;
  auto LineAt = [&](TPoint P) {
    SendMessage(Memo, EM_SETSEL, 0, 0);
    Harness::Click(Memo, P);
    Harness::RunUntilIdle();
    DWORD Start = 0;
    SendMessage(Memo, EM_GETSEL, reinterpret_cast<WPARAM>(&Start), 0);
    return SendMessage(Memo, EM_LINEFROMCHAR, Start, 0);
  };
  const TPoint Probe = Point(62, 62);
  const LRESULT Before = LineAt(Probe);
  EXPECT_GE(Before, 2);
  TRect Box = Rect(60, 30, 180, 115);
  SendMessage(Memo, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&Box));
  SendMessage(Memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
  EXPECT_EQ(R, Box);
  // The lines now start at the rectangle's top: the probe's line lies as far below it as it lay below the
  // default rectangle's top.
  EXPECT_LT(LineAt(Probe), Before);
  EXPECT_EQ(LineAt(Point(62, Box.Top + Probe.Y - Default.Top)), Before);
  // Outside the rectangle a click does not reach the text.
  SendMessage(Memo, EM_SETSEL, 3, 3);
  Harness::Click(Memo, Point(20, 20));
  Harness::RunUntilIdle();
  EXPECT_EQ(Sel(Memo), (std::pair<DWORD, DWORD>{3, 3}));
  // A rectangle larger than the window is kept within it; a null one restores the default.
  TRect Huge = Rect(-10, -10, 500, 500);
  SendMessage(Memo, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&Huge));
  SendMessage(Memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
  EXPECT_EQ(R, Client);
  SendMessage(Memo, EM_SETRECT, 0, 0);
  SendMessage(Memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
  EXPECT_EQ(R, Default);
  SendMessage(Memo, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&Box));
  SetWindowPos(Memo, 0, 0, 0, 220, 130, SWP_NOMOVE | SWP_NOZORDER);
  SendMessage(Memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
  EXPECT_EQ(R.Left, Default.Left);
  EXPECT_EQ(R.Right, Default.Right + 20);
}

}  // namespace
