// The system-wide hot key on X11: the test runs itself again under xvfb-run on Qt's xcb platform, where another X
// client takes the focus and types F2 through XTEST.
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/Desktop.h"
#include "platform/win/VirtualKeys.h"

#include <gtest/gtest.h>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const char InnerVariable[] = "ZUBQ_HOTKEY_UNDER_XVFB";

bool UnderXvfb() { return std::getenv(InnerVariable) != nullptr; }

// A form that counts the WM_HOTKEY messages it gets.
class THotKeyForm : public TForm {
public:
  explicit THotKeyForm(TComponent* AOwner) : TForm(AOwner) {}
  int HotKeys = 0;
  WPARAM LastId = 0xFFFF;

protected:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_HOTKEY) {
      ++HotKeys;
      LastId = Message.WParam;
    }
    TForm::Dispatch(Message);
  }
};

// Another X client: its own window with the input focus, typing through XTEST and grabbing keys of its own.
class TOtherClient {
public:
  TOtherClient() {
    C = xcb_connect(nullptr, nullptr);
    Screen = xcb_setup_roots_iterator(xcb_get_setup(C)).data;
    Window = xcb_generate_id(C);
    xcb_create_window(C, XCB_COPY_FROM_PARENT, Window, Screen->root, 0, 0, 200, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      Screen->root_visual, 0, nullptr);
    xcb_map_window(C, Window);
    Sync();
    Symbols = xcb_key_symbols_alloc(C);
  }
  ~TOtherClient() {
    xcb_key_symbols_free(Symbols);
    xcb_disconnect(C);
  }
  void TakeFocus() {
    xcb_set_input_focus(C, XCB_INPUT_FOCUS_POINTER_ROOT, Window, XCB_CURRENT_TIME);
    Sync();
  }
  xcb_keycode_t Keycode(xcb_keysym_t Sym) {
    xcb_keycode_t* Codes = xcb_key_symbols_get_keycode(Symbols, Sym);
    const xcb_keycode_t Code = Codes != nullptr ? Codes[0] : 0;
    std::free(Codes);
    return Code;
  }
  void Type(xcb_keysym_t Sym) {
    const xcb_keycode_t Code = Keycode(Sym);
    xcb_test_fake_input(C, XCB_KEY_PRESS, Code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(C, XCB_KEY_RELEASE, Code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    Sync();
  }
  void GrabKey(xcb_keysym_t Sym) {
    xcb_grab_key(C, 1, Screen->root, 0, Keycode(Sym), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    Sync();
  }

private:
  // Waits until the server has handled every request sent so far.
  void Sync() { std::free(xcb_get_input_focus_reply(C, xcb_get_input_focus(C), nullptr)); }

  xcb_connection_t* C = nullptr;
  xcb_screen_t* Screen = nullptr;
  xcb_window_t Window = 0;
  xcb_key_symbols_t* Symbols = nullptr;
};

constexpr xcb_keysym_t XK_F2 = 0xFFBF;
constexpr xcb_keysym_t XK_F3 = 0xFFC0;

TEST(HotKeyX11, TheGrabWorksWhileAnotherClientHasTheFocus) {
  if (UnderXvfb()) {
    GTEST_SKIP() << "the inner run only runs the X11 cases";
  }
  if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "xvfb-run (package xvfb) is not installed: the X11 hot key grab was not tried";
  }
  char Self[4096] = {};
  const ssize_t N = readlink("/proc/self/exe", Self, sizeof Self - 1);
  ASSERT_GT(N, 0);
  const std::string Command = std::string("xvfb-run -a env QT_QPA_PLATFORM=xcb ") + InnerVariable + "=1 '" + Self +
                              "' --gtest_filter='HotKeyX11Inner.*'";
  EXPECT_EQ(std::system(Command.c_str()), 0) << Command;
}

class HotKeyX11Inner : public ::testing::Test {
protected:
  void SetUp() override {
    if (!UnderXvfb()) {
      GTEST_SKIP() << "runs under xvfb-run, started by HotKeyX11.TheGrabWorksWhileAnotherClientHasTheFocus";
    }
    Harness::Start();
    Form = new THotKeyForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(10, 10, 200, 100);
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override { delete Form; }
  // Runs the loop until the form got Count hot keys, or the time is up.
  bool WaitForHotKeys(int Count, DWORD Ms) {
    return Harness::RunUntil([&] { return Form->HotKeys >= Count; }, Ms);
  }

  THotKeyForm* Form = nullptr;
};

TEST_F(HotKeyX11Inner, F2ArrivesThroughTheGrabAndNotOnceReleased) {
  TOtherClient Other;
  ASSERT_TRUE(RegisterHotKey(Form->Handle(), 0, 0, VK_F2));
  Other.TakeFocus();
  Other.Type(XK_F2);
  ASSERT_TRUE(WaitForHotKeys(1, 5000));
  EXPECT_EQ(Form->LastId, 0u);
  ASSERT_TRUE(UnregisterHotKey(Form->Handle(), 0));
  Other.Type(XK_F2);
  EXPECT_FALSE(WaitForHotKeys(2, 500));
  EXPECT_EQ(Form->HotKeys, 1);
}

TEST_F(HotKeyX11Inner, AKeyAnotherClientHoldsCannotBeRegistered) {
  TOtherClient Other;
  Other.GrabKey(XK_F3);
  SetLastError(0);
  EXPECT_FALSE(RegisterHotKey(Form->Handle(), 1, 0, VK_F3));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
  EXPECT_TRUE(RegisteredHotKeys().empty());
}

}  // namespace
