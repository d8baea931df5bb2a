// Native controls over Qt widgets: the class registry, the shared window procedure, input re-delivery under the
// delivery guard, and the kept Qt events of input messages.
#include "platform/qt/QtNativeControl.h"
#include "platform/qt/KeyMap.h"
#include "platform/qt/QtGdi.h"
#include "platform/qt/QtHost.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/WindowInternals.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <QFile>
#include <QFont>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <map>
#include <unordered_map>
#include <utility>

using namespace WindowSystem;

namespace {

// ---- Kept events and the guard ----------------------------------------------------------------------------------

struct TKept {
  LPARAM Id = 0;
  std::unique_ptr<QEvent> Event;
};
std::deque<TKept>& KeptEvents() {
  static auto* D = new std::deque<TKept>;
  return *D;
}

QEvent* GuardEvent = nullptr;
QObject* GuardWidget = nullptr;

// ---- The class registry -----------------------------------------------------------------------------------------

constexpr std::size_t MaxNativeClasses = 48;

struct TNativeClass {
  std::string Name;
  TNativeControlFactory Factory;
};
std::array<TNativeClass, MaxNativeClasses>& Classes() {
  static auto* A = new std::array<TNativeClass, MaxNativeClasses>;
  return *A;
}
std::size_t ClassCount = 0;

std::unordered_map<HWND, std::unique_ptr<TNativeControl>>& Natives() {
  static auto* M = new std::unordered_map<HWND, std::unique_ptr<TNativeControl>>;
  return *M;
}

LRESULT NativeWndProc(std::size_t Index, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// A window class needs a procedure of its own that knows its class even when a subclass registered under
// another name calls it, so each native class gets one slot of this table.
template <std::size_t I> LRESULT NativeSlotProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return NativeWndProc(I, Wnd, Msg, WParam, LParam);
}
template <std::size_t... I> constexpr std::array<WNDPROC, sizeof...(I)> MakeSlots(std::index_sequence<I...>) {
  return {&NativeSlotProc<I>...};
}
constexpr auto SlotProcs = MakeSlots(std::make_index_sequence<MaxNativeClasses>());

// ---- Re-delivering input ----------------------------------------------------------------------------------------

Qt::KeyboardModifiers CurrentModifiers() {
  Qt::KeyboardModifiers M;
  if (GetKeyState(VK_SHIFT) < 0) M |= Qt::ShiftModifier;
  if (GetKeyState(VK_CONTROL) < 0) M |= Qt::ControlModifier;
  if (GetKeyState(VK_MENU) < 0) M |= Qt::AltModifier;
  return M;
}

// The kept key event of the message being handled, when it is the Qt event behind this very key.
const QKeyEvent* KeptKey(QEvent::Type Type, WPARAM Vk) {
  const QEvent* E = KeptEvent(GetMessageExtraInfo());
  if (!E || E->type() != Type) {
    return nullptr;
  }
  auto* K = static_cast<const QKeyEvent*>(E);
  return VirtualKeyFromQt(K->key(), K->modifiers() & Qt::KeypadModifier) == Vk ? K : nullptr;
}

bool IsPrintable(const QString& Text) { return !Text.isEmpty() && Text.at(0).isPrint(); }

// Keys that make characters wait for WM_CHAR, so that the character reaches the widget as the message chain
// left it; every other key goes to the widget at WM_KEYDOWN.
bool WaitsForChar(WPARAM Vk, const QKeyEvent* Kept) {
  if (Vk == VK_BACK) {
    return true;
  }
  if (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
    return false;  // Ctrl+key: a command of the widget (select all, copy...)
  }
  if (Kept) {
    return IsPrintable(Kept->text());
  }
  char C = CharOfKey(static_cast<WORD>(Vk), GetKeyState(VK_SHIFT) < 0);
  return static_cast<unsigned char>(C) >= 0x20;
}

void DeliverKey(QWidget* W, UINT Msg, WPARAM Vk) {
  bool Down = Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN;
  QEvent::Type Type = Down ? QEvent::KeyPress : QEvent::KeyRelease;
  const QKeyEvent* Kept = KeptKey(Type, Vk);
  if (Down && (WaitsForChar(Vk, Kept) || Vk == VK_TAB)) {
    return;
  }
  if (Kept) {
    std::unique_ptr<QEvent> Copy(Kept->clone());
    DeliverToWidget(W, Copy.get());
    return;
  }
  TQtKeyStroke S = QtKeyFromVirtualKey(static_cast<WORD>(Vk), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0);
  if (!S.QtKey) {
    return;
  }
  Qt::KeyboardModifiers M = CurrentModifiers();
  if (S.Keypad) {
    M |= Qt::KeypadModifier;
  }
  QKeyEvent E(Type, S.QtKey, M, Down ? S.Text : QString());
  DeliverToWidget(W, &E);
}

// A character as WM_CHAR carries it, as a new key press for the widget.
void DeliverChar(QWidget* W, WPARAM Char) {
  auto C = static_cast<unsigned char>(Char);
  if (C == '\b') {
    QKeyEvent E(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    DeliverToWidget(W, &E);
    return;
  }
  if (C < 0x20 || C == 0x7F) {
    return;  // control characters were the widget's at WM_KEYDOWN
  }
  QString Text(QChar(static_cast<char16_t>(Cp1252ToUnicode(C))));
  int Key = C < 0x80 ? static_cast<int>(std::toupper(C)) : static_cast<int>(Qt::Key_unknown);
  Qt::KeyboardModifiers M = GetKeyState(VK_SHIFT) < 0 ? Qt::ShiftModifier : Qt::NoModifier;
  QKeyEvent E(QEvent::KeyPress, Key, M, Text);
  DeliverToWidget(W, &E);
}

// A mouse message rebuilt as a Qt mouse event at the same point of the widget (it covers the client area), mapped
// to the input widget W when that is a child of it.
void DeliverMouse(HWND Wnd, QWidget* Base, QWidget* W, UINT Msg, WPARAM Keys, LPARAM LParam) {
  QPointF Local(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(LParam))),
                static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(LParam))));
  TPoint S = Point(static_cast<int>(Local.x()), static_cast<int>(Local.y()));
  if (Base != nullptr && W != Base && Base->isAncestorOf(W)) {
    Local = W->mapFrom(Base, Local);
  }
  ClientToScreen(Wnd, &S);
  Qt::MouseButtons Buttons;
  if (Keys & MK_LBUTTON) Buttons |= Qt::LeftButton;
  if (Keys & MK_RBUTTON) Buttons |= Qt::RightButton;
  if (Keys & MK_MBUTTON) Buttons |= Qt::MiddleButton;
  Qt::KeyboardModifiers Mods;
  if (Keys & MK_SHIFT) Mods |= Qt::ShiftModifier;
  if (Keys & MK_CONTROL) Mods |= Qt::ControlModifier;
  if (GetKeyState(VK_MENU) < 0) Mods |= Qt::AltModifier;
  Qt::MouseButton Button = Qt::NoButton;
  QEvent::Type Type = QEvent::MouseMove;
  bool Double = false;
  switch (Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: Button = Qt::LeftButton; break;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: Button = Qt::RightButton; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: Button = Qt::MiddleButton; break;
    case WM_LBUTTONUP: Button = Qt::LeftButton; break;
    case WM_RBUTTONUP: Button = Qt::RightButton; break;
    case WM_MBUTTONUP: Button = Qt::MiddleButton; break;
    default: break;
  }
  switch (Msg) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: Type = QEvent::MouseButtonPress; break;
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
      Type = QEvent::MouseButtonPress;
      Double = true;
      break;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: Type = QEvent::MouseButtonRelease; break;
    default: break;
  }
  QPointF Global(S.X, S.Y);
  QMouseEvent E(Type, Local, Local, Global, Button, Buttons, Mods);
  DeliverToWidget(W, &E);
  if (Double) {
    // Qt reports the second press of a double click as a press and then a double click.
    QMouseEvent D(QEvent::MouseButtonDblClick, Local, Local, Global, Button, Buttons, Mods);
    DeliverToWidget(W, &D);
  }
}

bool IsMouseMessage(UINT Msg) { return Msg >= WM_MOUSEMOVE && Msg <= WM_MBUTTONDBLCLK && Msg != WM_MOUSEWHEEL; }

// What every native control does with a message its class left alone.
bool CommonHandling(TNativeControl& N, UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
  QWidget* W = N.InputWidget();
  HWND Wnd = N.Wnd();
  switch (Msg) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP:
      if (W) {
        DeliverKey(W, Msg, WParam);
      }
      return false;  // the default procedure still sees it (context-menu key, Alt+F4...)
    case WM_CHAR:
      if (W) {
        DeliverChar(W, WParam);
      }
      Result = 0;
      return true;
    case WM_IME_COMPOSITION:
      if (const QEvent* E = KeptEvent(GetMessageExtraInfo()); W && E && E->type() == QEvent::InputMethod) {
        std::unique_ptr<QEvent> Copy(E->clone());
        DeliverToWidget(W, Copy.get());
        Result = 0;
        return true;
      }
      return false;
    case WM_MOUSEWHEEL:
      return false;
    case WM_ENABLE:
      if (QWidget* Own = N.Widget()) {
        Own->setEnabled(WParam != 0);
      }
      return false;
    case WM_GETDLGCODE:
      Result = N.DialogCode();
      return true;
    case WM_SETTEXT:
      N.SetText(AnsiToQString(LParam ? reinterpret_cast<LPCSTR>(LParam) : ""));
      return false;  // DefWindowProc keeps the window's text
    case WM_ERASEBKGND:
      Result = 1;
      return true;
    case WM_SETFONT:
      N.SetFontHandle(static_cast<HFONT>(WParam));
      if (LParam) {
        InvalidateRect(Wnd, nullptr, TRUE);
      }
      Result = 0;
      return true;
    case WM_GETFONT:
      Result = static_cast<LRESULT>(N.FontHandle());
      return true;
    default:
      break;
  }
  if (IsMouseMessage(Msg) && W) {
    if ((Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK) && N.FocusOnClick() && GetFocus() != Wnd) {
      ::SetFocus(Wnd);
      if (!IsWindow(Wnd) || !NativeControlOf(Wnd)) {
        Result = 0;
        return true;
      }
    }
    DeliverMouse(Wnd, N.Widget(), W, Msg, WParam, LParam);
    return false;
  }
  return false;
}

LRESULT NativeWndProc(std::size_t Index, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto& M = Natives();
  auto It = M.find(Wnd);
  if (Msg == WM_NCDESTROY) {
    if (It != M.end()) {
      auto Gone = std::move(It->second);
      M.erase(It);
    }
    return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
  if (It == M.end()) {
    auto R = Find(Wnd);
    if (!R || R->Dead || R->Destroying || Index >= ClassCount || !TQtBackend::Instance()) {
      return DefWindowProc(Wnd, Msg, WParam, LParam);
    }
    const CREATESTRUCT* Create =
        (Msg == WM_NCCREATE || Msg == WM_CREATE) ? reinterpret_cast<const CREATESTRUCT*>(LParam) : nullptr;
    auto Made = Classes()[Index].Factory(Wnd, Create);
    if (!Made) {
      return DefWindowProc(Wnd, Msg, WParam, LParam);
    }
    It = M.emplace(Wnd, std::move(Made)).first;
    if (QWidget* W = It->second->Widget()) {
      W->setEnabled(IsWindowEnabled(Wnd));
    }
    if (auto* B = TQtBackend::Instance()) {
      B->AdoptNativeWidget(Wnd);
    }
  }
  TNativeControl& N = *It->second;
  LRESULT Result = 0;
  if (N.HandleMessage(Msg, WParam, LParam, Result)) {
    return Result;
  }
  if (CommonHandling(N, Msg, WParam, LParam, Result)) {
    return Result;
  }
  return DefWindowProc(Wnd, Msg, WParam, LParam);
}

}  // namespace

std::unique_ptr<QKeyEvent> KeyEventOfMessage(UINT Msg, WPARAM Vk) {
  const bool Down = Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN;
  const QEvent::Type Type = Down ? QEvent::KeyPress : QEvent::KeyRelease;
  if (const QKeyEvent* Kept = KeptKey(Type, Vk)) {
    return std::unique_ptr<QKeyEvent>(static_cast<QKeyEvent*>(Kept->clone()));
  }
  TQtKeyStroke S = QtKeyFromVirtualKey(static_cast<WORD>(Vk), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0);
  if (!S.QtKey) {
    return nullptr;
  }
  Qt::KeyboardModifiers M = CurrentModifiers();
  if (S.Keypad) {
    M |= Qt::KeypadModifier;
  }
  return std::make_unique<QKeyEvent>(Type, S.QtKey, M, Down ? S.Text : QString());
}

// ---- TNativeControl ---------------------------------------------------------------------------------------------

TNativeControl::~TNativeControl() { delete FWidget.data(); }

void TNativeControl::SetWidget(QWidget* W) {
  FWidget = W;
  W->setFocusPolicy(Qt::NoFocus);  // the focus is the layer's; SetFocus hands it to the widget
  W->setAttribute(Qt::WA_NoMousePropagation);
  W->setAcceptDrops(false);  // files dropped on it go to the windows (WM_DROPFILES), not into its text
}

void TNativeControl::SetFontHandle(HFONT Font) {
  FFontHandle = Font;
  if (!FWidget) {
    return;
  }
  LOGFONT L;
  if (!Font || GetObject(Font, sizeof L, &L) == 0) {
    FWidget->setFont(QFont());
    return;
  }
  // The widget draws with the family the layer maps the face name to, at the font's pixel height.
  QFont Q(QString::fromStdString(MappedFontFamily(L.lfFaceName)));
  const long long Pixels = L.lfHeight ? std::llabs(static_cast<long long>(L.lfHeight)) : 13;
  Q.setPixelSize(static_cast<int>(std::min<long long>(Pixels, MaxFontPixelSize)));
  Q.setWeight(static_cast<QFont::Weight>(std::clamp<int>(L.lfWeight == 0 ? FW_NORMAL : L.lfWeight, 1, 1000)));
  Q.setItalic(L.lfItalic != 0);
  Q.setUnderline(L.lfUnderline != 0);
  Q.setStrikeOut(L.lfStrikeOut != 0);
  FWidget->setFont(Q);
}

LRESULT TNativeControl::SendToParent(UINT Msg, WPARAM WParam, LPARAM LParam) {
  HWND Parent = GetParent(FWnd);
  if (!Parent || !(GetWindowLong(FWnd, GWL_STYLE) & WS_CHILD)) {
    return 0;
  }
  return SendMessage(Parent, Msg, WParam, LParam);
}

LRESULT TNativeControl::Notify(WORD Code) {
  auto Id = static_cast<WORD>(GetDlgCtrlID(FWnd));
  return SendToParent(WM_COMMAND, MAKELONG(Id, Code), static_cast<LPARAM>(FWnd));
}

// ---- Registry ---------------------------------------------------------------------------------------------------

ATOM RegisterNativeClass(const char* ClassName, TNativeControlFactory Factory, UINT ClassStyle) {
  if (ClassCount >= MaxNativeClasses || !ClassName || !Factory) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASS WC;
  WC.style = ClassStyle | CS_GLOBALCLASS;
  WC.lpfnWndProc = SlotProcs[ClassCount];
  WC.lpszClassName = ClassName;
  ATOM A = RegisterClass(&WC);
  if (A) {
    Classes()[ClassCount] = TNativeClass{ClassName, std::move(Factory)};
    ++ClassCount;
  }
  return A;
}

TNativeControl* NativeControlOf(HWND Wnd) {
  auto& M = Natives();
  auto It = M.find(Wnd);
  return It == M.end() ? nullptr : It->second.get();
}

namespace {

bool HostsNativeWidget(HWND Wnd) { return NativeControlOf(Wnd) != nullptr; }

struct TNativeTestRegistration {
  TNativeTestRegistration() { RegisterNativeWindowTest(&HostsNativeWidget); }
} NativeTestRegistration;

}  // namespace

// ---- Guard and kept events --------------------------------------------------------------------------------------

bool DeliverToWidget(QWidget* Widget, QEvent* Event) {
  if (!Widget || !Event) {
    return false;
  }
  QEvent* SavedEvent = GuardEvent;
  QObject* SavedWidget = GuardWidget;
  GuardEvent = Event;
  GuardWidget = Widget;
  Event->setAccepted(true);
  QCoreApplication::sendEvent(Widget, Event);
  GuardEvent = SavedEvent;
  GuardWidget = SavedWidget;
  return Event->isAccepted();
}

bool GuardedDelivery(QObject* Receiver, QEvent* Event, bool& Block) {
  if (!GuardEvent || Event != GuardEvent) {
    return false;
  }
  Block = Receiver != GuardWidget;
  return true;
}

TGuardPause::TGuardPause() : FEvent(GuardEvent), FWidget(GuardWidget) {
  GuardEvent = nullptr;
  GuardWidget = nullptr;
}

TGuardPause::~TGuardPause() {
  GuardEvent = FEvent;
  GuardWidget = FWidget;
}

void KeepEvent(LPARAM ExtraInfo, const QEvent* Event) {
  auto& D = KeptEvents();
  D.push_back(TKept{ExtraInfo, std::unique_ptr<QEvent>(Event->clone())});
  while (D.size() > 128) {
    D.pop_front();
  }
}

const QEvent* KeptEvent(LPARAM ExtraInfo) {
  if (!ExtraInfo) {
    return nullptr;
  }
  auto& D = KeptEvents();
  for (auto It = D.rbegin(); It != D.rend(); ++It) {
    if (It->Id == ExtraInfo) {
      return It->Event.get();
    }
  }
  return nullptr;
}

// ---- Text -------------------------------------------------------------------------------------------------------

QString AnsiToQString(const std::string& S) {
  QString Out;
  Out.reserve(static_cast<qsizetype>(S.size()));
  for (unsigned char B : S) {
    Out += QChar(static_cast<char16_t>(Cp1252ToUnicode(B)));
  }
  return Out;
}

std::string QStringToAnsi(const QString& S) {
  std::string Out;
  Out.reserve(static_cast<std::size_t>(S.size()));
  for (QChar C : S) {
    int B = UnicodeToCp1252(C.unicode());
    Out += static_cast<char>(B >= 0 ? B : '?');
  }
  return Out;
}

QString FileNameToQString(const std::string& Name) { return QFile::decodeName(QByteArray::fromStdString(Name)); }

std::string QStringToFileName(const QString& Name) { return QFile::encodeName(Name).toStdString(); }

QUrl FileNameToUrl(const std::string& Name) {
  // Every byte but the unreserved characters and "/" is percent-encoded, so that any bytes survive.
  const QByteArray Path = QByteArray::fromStdString(Name).toPercentEncoding("/");
  return QUrl::fromEncoded("file://" + Path, QUrl::StrictMode);
}

std::string UrlToFileName(const QUrl& Url) {
  if (!Url.isLocalFile()) {
    return {};
  }
  return QByteArray::fromPercentEncoding(Url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}
