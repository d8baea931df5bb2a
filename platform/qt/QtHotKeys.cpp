// System-wide hot keys on X11: a registered key is grabbed on the root window over Qt's own connection, in every
// combination with NumLock and CapsLock, and its presses become WM_HOTKEY through a native event filter. On any
// other platform (Wayland, offscreen) there is no grab and hot keys work in the program's own windows.
#include "platform/win/Desktop.h"
#include "platform/win/VirtualKeys.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr xcb_keysym_t NoKeysym = 0;

// The keysym of a virtual key; NoKeysym for a key that has no grab here.
xcb_keysym_t KeysymOf(UINT Vk) {
  if (Vk >= VK_F1 && Vk <= VK_F24) {
    return 0xFFBE + (Vk - VK_F1);  // XK_F1 onwards
  }
  if ((Vk >= 'A' && Vk <= 'Z')) {
    return Vk - 'A' + 'a';
  }
  if (Vk >= '0' && Vk <= '9') {
    return Vk;
  }
  switch (Vk) {
    case VK_SPACE: return 0x0020;
    case VK_ESCAPE: return 0xFF1B;
    case VK_TAB: return 0xFF09;
    case VK_RETURN: return 0xFF0D;
    case VK_HOME: return 0xFF50;
    case VK_END: return 0xFF57;
    case VK_INSERT: return 0xFF63;
    case VK_DELETE: return 0xFFFF;
    case VK_PAUSE: return 0xFF13;
    default: return NoKeysym;
  }
}

uint16_t XModifiers(UINT Modifiers) {
  uint16_t M = 0;
  M |= (Modifiers & MOD_SHIFT) ? XCB_MOD_MASK_SHIFT : 0;
  M |= (Modifiers & MOD_CONTROL) ? XCB_MOD_MASK_CONTROL : 0;
  M |= (Modifiers & MOD_ALT) ? XCB_MOD_MASK_1 : 0;
  M |= (Modifiers & MOD_WIN) ? XCB_MOD_MASK_4 : 0;
  return M;
}

// NumLock (Mod2) and CapsLock (Lock) must not stop the key: each combination is grabbed.
constexpr uint16_t LockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr uint16_t IgnoredModifiers = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2;

struct TGrab {
  UINT Modifiers = 0;
  UINT Vk = 0;
  std::vector<xcb_keycode_t> Keycodes;
};

class TX11HotKeys final : public THotKeyGrabber, public QAbstractNativeEventFilter {
public:
  ~TX11HotKeys() override {
    SetHotKeyGrabber(nullptr);
    if (Symbols != nullptr) {
      xcb_key_symbols_free(Symbols);
    }
  }
  LONG Grab(UINT Modifiers, UINT Vk) override {
    if (!Start()) {
      return ERROR_NOT_SUPPORTED;
    }
    const xcb_keysym_t Sym = KeysymOf(Vk);
    xcb_keycode_t* Codes = Sym != NoKeysym ? xcb_key_symbols_get_keycode(Symbols, Sym) : nullptr;
    if (Codes == nullptr) {
      return ERROR_NOT_SUPPORTED;
    }
    TGrab G{Modifiers, Vk, {}};
    for (xcb_keycode_t* C = Codes; *C != XCB_NO_SYMBOL; ++C) {
      G.Keycodes.push_back(*C);
    }
    std::free(Codes);
    bool Held = false;
    std::vector<xcb_void_cookie_t> Cookies;
    for (const xcb_keycode_t Code : G.Keycodes) {
      for (const uint16_t Lock : LockVariants) {
        Cookies.push_back(xcb_grab_key_checked(Connection, 1, Root, XModifiers(Modifiers) | Lock, Code,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
      }
    }
    for (const xcb_void_cookie_t& Cookie : Cookies) {
      if (xcb_generic_error_t* Error = xcb_request_check(Connection, Cookie)) {
        Held = true;  // BadAccess: another client holds the combination
        std::free(Error);
      }
    }
    if (Held) {
      Ungrab(G);
      return ERROR_HOTKEY_ALREADY_REGISTERED;
    }
    Grabs.push_back(G);
    return ERROR_SUCCESS;
  }

  void Release(UINT Modifiers, UINT Vk) override {
    for (auto It = Grabs.begin(); It != Grabs.end(); ++It) {
      if (It->Modifiers == Modifiers && It->Vk == Vk) {
        Ungrab(*It);
        Grabs.erase(It);
        return;
      }
    }
  }

  bool nativeEventFilter(const QByteArray& EventType, void* Message, qintptr*) override {
    if (EventType != "xcb_generic_event_t" || Grabs.empty()) {
      return false;
    }
    const auto* Event = static_cast<const xcb_generic_event_t*>(Message);
    const uint8_t Type = Event->response_type & 0x7F;
    if (Type != XCB_KEY_PRESS && Type != XCB_KEY_RELEASE) {
      return false;
    }
    const auto* Key = static_cast<const xcb_key_press_event_t*>(Message);
    if (Key->event != Root) {
      return false;  // a key typed in one of our windows goes the usual way
    }
    for (const TGrab& G : Grabs) {
      const bool Mine = std::find(G.Keycodes.begin(), G.Keycodes.end(), Key->detail) != G.Keycodes.end() &&
                        (Key->state & ~IgnoredModifiers & 0xFF) == XModifiers(G.Modifiers);
      if (Mine) {
        if (Type == XCB_KEY_PRESS) {
          PostHotKey(G.Modifiers, G.Vk);
        }
        return true;
      }
    }
    return false;
  }

private:
  // Connects to Qt's X11 connection the first time; false when Qt does not run on X11.
  bool Start() {
    if (Connection != nullptr) {
      return true;
    }
    if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
      return false;
    }
    auto* X11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (X11 == nullptr || X11->connection() == nullptr) {
      return false;
    }
    Connection = X11->connection();
    const xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data;
    Root = Screen->root;
    Symbols = xcb_key_symbols_alloc(Connection);
    qGuiApp->installNativeEventFilter(this);
    return true;
  }

  void Ungrab(const TGrab& G) {
    for (const xcb_keycode_t Code : G.Keycodes) {
      for (const uint16_t Lock : LockVariants) {
        xcb_ungrab_key(Connection, Code, Root, XModifiers(G.Modifiers) | Lock);
      }
    }
    xcb_flush(Connection);
  }

  xcb_connection_t* Connection = nullptr;
  xcb_window_t Root = 0;
  xcb_key_symbols_t* Symbols = nullptr;
  std::vector<TGrab> Grabs;
};

struct TRegistration {
  TRegistration() {
    static TX11HotKeys HotKeys;
    SetHotKeyGrabber(&HotKeys);
  }
} Registration;

}  // namespace
