// The Qt backend of the window system: the application object, host widgets and the input event filter.
#include "platform/qt/QtHost.h"
#include "platform/graphics/GdiInternals.h"
#include "platform/qt/KeyMap.h"
#include "platform/qt/QtGdi.h"
#include "platform/qt/QtNativeControl.h"
#include "platform/rtl/CodePage.h"
#include "platform/win/Desktop.h"
#include "platform/win/SessionEnd.h"
#include "platform/win/WindowInternals.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QImage>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSessionManager>
#include <QWheelEvent>

#include <cstdlib>
#include <cstring>

using namespace WindowSystem;

namespace {

std::string To1252(const QString& S) {
  std::string Out;
  Out.reserve(static_cast<std::size_t>(S.size()));
  for (QChar C : S) {
    int B = UnicodeToCp1252(C.unicode());
    if (B >= 0) {
      Out += static_cast<char>(B);
    }
  }
  return Out;
}

QString FromAnsi(const std::string& S) { return AnsiToQString(S); }

THostWidget* HostAbove(QObject* Obj) {
  auto* W = qobject_cast<QWidget*>(Obj);
  for (; W; W = W->parentWidget()) {
    if (auto* H = dynamic_cast<THostWidget*>(W)) {
      return H;
    }
    if (W->isWindow()) {
      return nullptr;  // a Qt window of its own (a popup list, a dialog): Qt handles its input
    }
  }
  return nullptr;
}

int ButtonNumber(Qt::MouseButton B) {
  switch (B) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 3;
    case Qt::BackButton: return 4;
    case Qt::ForwardButton: return 5;
    default: return 0;
  }
}

TPoint ToPoint(const QPointF& P) {
  QPoint I = P.toPoint();
  return Point(I.x(), I.y());
}

}  // namespace

// Takes key, mouse and wheel input aimed at host widgets into the layer's input queue.
class TQtEventFilter final : public QObject {
public:
  bool eventFilter(QObject* Obj, QEvent* E) override {
    // A native widget getting its input back from the window procedure: exactly that delivery passes.
    if (bool Block = false; GuardedDelivery(Obj, E, Block)) {
      return Block;
    }
    if (E->type() == QEvent::Leave) {
      // The pointer left a top-level host: a move to where it is now lets the layer end mouse tracking.
      if (auto* H = dynamic_cast<THostWidget*>(Obj); H && H->isWindow()) {
        TInputEvent I;
        I.Kind = TInputEvent::ikMouseMove;
        QPoint P = QCursor::pos();
        I.ScreenPos = Point(P.x(), P.y());
        QueueInputEvent(I);
      }
      return false;
    }
    switch (E->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::ShortcutOverride:
      case QEvent::ContextMenu:
      case QEvent::InputMethod:
        break;
      default:
        return false;
    }
    if (!HostAbove(Obj)) {
      return false;
    }
    E->accept();
    // A native widget that gets back keys it handed on (a browser engine sends the keys a page left alone to the
    // view's parent) has had them already as input.
    if ((E->type() == QEvent::KeyPress || E->type() == QEvent::KeyRelease || E->type() == QEvent::ShortcutOverride) &&
        !E->spontaneous() && Obj->property("zubqReturnedInput").toBool()) {
      return true;
    }
    switch (E->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease: {
        auto* K = static_cast<QKeyEvent*>(E);
        if (E->type() == QEvent::KeyRelease && K->isAutoRepeat()) {
          return true;  // a repeated key stays down: only its presses count
        }
        bool Keypad = K->modifiers() & Qt::KeypadModifier;
        TInputEvent I;
        I.Kind = E->type() == QEvent::KeyPress ? TInputEvent::ikKeyDown : TInputEvent::ikKeyUp;
        I.VirtualKey = VirtualKeyFromQt(K->key(), Keypad);
        I.Extended = IsExtendedKey(K->key(), Keypad);
        I.AutoRepeat = K->isAutoRepeat();
        I.Text = To1252(K->text());
        I.Shift = K->modifiers() & Qt::ShiftModifier;
        I.Ctrl = K->modifiers() & Qt::ControlModifier;
        I.Alt = K->modifiers() & Qt::AltModifier;
        if (K->key() == Qt::Key_Shift || K->key() == Qt::Key_Control || K->key() == Qt::Key_Alt) {
          // The modifier's own release must not count it as still held.
          bool Down = I.Kind == TInputEvent::ikKeyDown;
          (K->key() == Qt::Key_Shift ? I.Shift : K->key() == Qt::Key_Control ? I.Ctrl : I.Alt) = Down;
        }
        KeepEvent(QueueInputEvent(I), E);
        return true;
      }
      case QEvent::InputMethod: {
        auto* M = static_cast<QInputMethodEvent*>(E);
        TInputEvent I;
        I.Kind = TInputEvent::ikIme;
        I.Text = To1252(M->commitString());
        I.Composing = !M->preeditString().isEmpty();
        KeepEvent(QueueInputEvent(I), E);
        return true;
      }
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove: {
        auto* M = static_cast<QMouseEvent*>(E);
        TInputEvent I;
        I.Kind = E->type() == QEvent::MouseMove           ? TInputEvent::ikMouseMove
                 : E->type() == QEvent::MouseButtonPress ? TInputEvent::ikButtonDown
                                                          : TInputEvent::ikButtonUp;
        I.Button = ButtonNumber(M->button());
        if (I.Kind != TInputEvent::ikMouseMove && I.Button == 0) {
          return true;
        }
        I.ScreenPos = ToPoint(M->globalPosition());
        I.Shift = M->modifiers() & Qt::ShiftModifier;
        I.Ctrl = M->modifiers() & Qt::ControlModifier;
        I.Alt = M->modifiers() & Qt::AltModifier;
        QueueInputEvent(I);
        return true;
      }
      case QEvent::MouseButtonDblClick:
        // Qt reports the second press of a double click as a press of its own as well; double clicks are
        // recognised by the layer from the presses, by the platform's time and distance.
        return true;
      case QEvent::Wheel: {
        auto* W = static_cast<QWheelEvent*>(E);
        int Delta = W->angleDelta().y();
        if (Delta == 0) {
          return true;
        }
        TInputEvent I;
        I.Kind = TInputEvent::ikWheel;
        I.WheelDelta = Delta;
        I.ScreenPos = ToPoint(W->globalPosition());
        I.Shift = W->modifiers() & Qt::ShiftModifier;
        I.Ctrl = W->modifiers() & Qt::ControlModifier;
        QueueInputEvent(I);
        return true;
      }
      default:
        return true;  // shortcut overrides and context-menu events: the layer makes its own
    }
  }
};

// ---- Host widgets -----------------------------------------------------------------------------------------------

THostWidget::THostWidget(HWND AWnd, QWidget* Parent) : QWidget(Parent), FWnd(AWnd) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_NoMousePropagation);
  setAttribute(Qt::WA_InputMethodEnabled);
  setMouseTracking(true);
  setAcceptDrops(true);
}

void THostWidget::changeEvent(QEvent* E) {
  QWidget::changeEvent(E);
  if (E->type() != QEvent::WindowStateChange || !isWindow()) {
    return;
  }
  // The desktop iconified or restored the window itself: the program hears it as the system command it would have
  // chosen. A change the layer made already matches its state.
  const bool LayerMinimized = IsIconic(FWnd) != 0;
  if (isMinimized() && !LayerMinimized) {
    PostMessage(FWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (!isMinimized() && LayerMinimized) {
    PostMessage(FWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  }
}

void THostWidget::dragEnterEvent(QDragEnterEvent* E) { QtOleDragMove(this, E); }

void THostWidget::dragMoveEvent(QDragMoveEvent* E) { QtOleDragMove(this, E); }

void THostWidget::dragLeaveEvent(QDragLeaveEvent* E) {
  E->accept();
  QtOleDragLeave();
}

void THostWidget::dropEvent(QDropEvent* E) { QtOleDrop(this, E); }

// A top-level window shows only its window region and, when layered with a colour key, only the pixels that are
// not the key: the host's mask follows both.
static void ApplyWindowShape(THostWidget* H) {
  if (!H->isWindow()) {
    return;
  }
  Gdi::TWindowShape Shape;
  if (!Gdi::WindowShape(H->Wnd(), Shape)) {
    if (!H->mask().isEmpty()) {
      H->clearMask();
    }
    return;
  }
  auto ToRegion = [](const std::vector<TRect>& Rects) {
    QRegion R;
    for (const TRect& Rc : Rects) {
      R += QRect(Rc.Left, Rc.Top, Rc.Width(), Rc.Height());
    }
    return R;
  };
  QRegion M = Shape.HasRegion ? ToRegion(Shape.Region) : QRegion(H->rect());
  if (Shape.HasKey) {
    M &= ToRegion(Shape.Opaque);
  }
  if (M != H->mask()) {
    H->setMask(M);
  }
}

void THostWidget::paintEvent(QPaintEvent* E) {
  // The host only shows what the window drew into its backing image; until it has one, the window face colour.
  {
    QPainter P(this);
    if (!PaintWindowBacking(FWnd, P, E->rect())) {
      P.fillRect(E->rect(), QColor(0xD4, 0xD0, 0xC8));
    }
  }
  ApplyWindowShape(this);
}

// ---- The backend ------------------------------------------------------------------------------------------------

TQtBackend::TQtBackend() {
  if (!QCoreApplication::instance()) {
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
      ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    static int Argc = 1;
    static char Name[] = "zubquillon";
    static char* Argv[] = {Name, nullptr};
    // The browser engine, loaded later from a library of its own, needs contexts that share with the
    // application's; it must be asked for before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    FOwnApp = std::make_unique<QApplication>(Argc, Argv);
  }
  FFilter = std::make_unique<TQtEventFilter>();
  QCoreApplication::instance()->installEventFilter(FFilter.get());
#ifndef QT_NO_SESSIONMANAGER
  // The desktop's session is ending: the program's windows are asked through the layer, with their questions.
  if (auto* Gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    QObject::connect(Gui, &QGuiApplication::commitDataRequest, Gui, [](QSessionManager& Manager) {
      if (Manager.allowsInteraction()) {
        const bool MayEnd = SessionEnd::QueryEndSession();
        Manager.release();
        if (!MayEnd) {
          Manager.cancel();
        }
      }
    });
  }
#endif
  // Another program taking the focus, or giving it back, reaches the program as the layer's activation. Offscreen
  // there is no other program: tests act as one through the harness.
  if (auto* Gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
      Gui && QGuiApplication::platformName() != QLatin1String("offscreen")) {
    QObject::connect(Gui, &QGuiApplication::applicationStateChanged, Gui, [this](Qt::ApplicationState State) {
      if (State == Qt::ApplicationActive) {
        QWidget* Active = QApplication::activeWindow();
        for (const auto& [Wnd, Host] : FHosts) {
          if (Host == Active) {
            DesktopActivationChanged(Wnd);
            break;
          }
        }
      } else {
        DesktopActivationChanged(0);
      }
    });
  }
  FWakeTimer.setSingleShot(true);
}

TQtBackend::~TQtBackend() {
  if (auto* App = QCoreApplication::instance()) {
    App->removeEventFilter(FFilter.get());
  }
}

TQtBackend* TQtBackend::Instance() { return static_cast<TQtBackend*>(WindowBackend()); }

void TQtBackend::ProcessEvents() {
  TGuardPause Pause;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TQtBackend::WaitForEvents(int TimeoutMs) {
  TGuardPause Pause;
  // With no event loop of Qt's own running, deferred deletes only happen here.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  if (TimeoutMs >= 0) {
    FWakeTimer.start(TimeoutMs);
  }
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  FWakeTimer.stop();
}

void TQtBackend::WakeUp() {
  if (auto* App = QCoreApplication::instance()) {
    if (auto* D = QAbstractEventDispatcher::instance(App->thread())) {
      D->wakeUp();
    }
  }
}

TRect TQtBackend::ScreenRect() {
  if (auto* S = QGuiApplication::primaryScreen()) {
    QRect R = S->availableGeometry();
    return Rect(R.left(), R.top(), R.left() + R.width(), R.top() + R.height());
  }
  return Rect(0, 0, 800, 600);
}

void TQtBackend::FocusChanged(HWND Wnd) {
  // Qt's focus follows the layer's onto native widgets (they show a caret, take input-method text) and leaves
  // them when the layer's focus moves to a window that draws itself.
  if (TNativeControl* N = NativeControlOf(Wnd); N && N->Widget()) {
    N->Widget()->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (QWidget* F = QApplication::focusWidget(); F && !dynamic_cast<THostWidget*>(F)) {
    if (HostAbove(F)) {
      F->clearFocus();
    }
  }
}

void TQtBackend::AdoptNativeWidget(HWND Wnd) {
  TNativeControl* N = NativeControlOf(Wnd);
  THostWidget* H = HostOf(Wnd);
  if (!N || !N->Widget() || !H) {
    return;
  }
  QWidget* W = N->Widget();
  auto R = Find(Wnd);
  if (!R) {
    return;
  }
  if (W->parentWidget() != H) {
    W->setParent(H);
  }
  // The widget covers the client area; the layer draws the frame around it.
  W->setGeometry(R->Client.Left - R->Window.Left, R->Client.Top - R->Window.Top, R->Client.Width(),
                 R->Client.Height());
  W->show();
}

bool TQtBackend::SaveWindowImage(HWND Wnd, const std::string& FileName) {
  THostWidget* H = HostOf(Wnd);
  if (!H) {
    return false;
  }
  return H->grab().save(QString::fromStdString(FileName), "PNG");
}

std::vector<std::string> TQtBackend::FontFamilies() {
  std::vector<std::string> Out;
  for (const QString& F : QFontDatabase::families()) {
    Out.push_back(To1252(F));
  }
  return Out;
}

THostWidget* TQtBackend::HostOf(HWND Wnd) const {
  auto It = FHosts.find(Wnd);
  return It == FHosts.end() ? nullptr : It->second;
}

bool TQtBackend::HasTaskbarEntry(HWND Wnd) const {
  auto R = Find(Wnd);
  if (!R || R->Parent) {
    return false;
  }
  if (R->ExStyle & WS_EX_APPWINDOW) {
    return true;
  }
  if (R->ExStyle & WS_EX_TOOLWINDOW) {
    return false;
  }
  // The class library's forms are owned by the application's window, which the desktop never shows: the entry
  // that window would have is theirs. A window owned by the desktop window (no owner here) or by a window on
  // screen has none.
  auto Owner = R->Owner ? Find(R->Owner) : nullptr;
  return Owner && !Owner->Dead && !(Owner->Style & WS_VISIBLE) && HostOf(R->Owner) == nullptr;
}

QIcon TQtBackend::IconOf(HICON Icon) {
  int W = 0;
  int H = 0;
  std::vector<std::uint32_t> Argb;
  if (Icon == 0 || !Gdi::IconPixels(Icon, W, H, Argb) || W <= 0 || H <= 0) {
    return QIcon();
  }
  QImage Image(W, H, QImage::Format_ARGB32);
  for (int Y = 0; Y < H; ++Y) {
    std::memcpy(Image.scanLine(Y), Argb.data() + static_cast<std::size_t>(Y) * W, static_cast<std::size_t>(W) * 4);
  }
  return QIcon(QPixmap::fromImage(Image));
}

void TQtBackend::ApplyWindowIcon(HWND Wnd) {
  auto R = Find(Wnd);
  THostWidget* H = HostOf(Wnd);
  if (!R || !H || !H->isWindow()) {
    return;
  }
  const HICON Own = R->BigIcon ? R->BigIcon : R->SmallIcon;
  // A null icon gives the widget the application's icon back.
  H->setWindowIcon(IconOf(Own));
}

void TQtBackend::ApplicationIconChanged(HICON Icon) { QApplication::setWindowIcon(IconOf(Icon)); }

THostWidget* TQtBackend::EnsureHost(HWND Wnd) {
  if (THostWidget* H = HostOf(Wnd)) {
    return H;
  }
  auto R = Find(Wnd);
  if (!R || R->Dead || R->MessageOnly) {
    return nullptr;
  }
  QWidget* Parent = nullptr;
  if (R->Parent) {
    Parent = EnsureHost(R->Parent);
    if (!Parent) {
      return nullptr;
    }
  }
  auto* H = new THostWidget(Wnd, Parent);
  if (!Parent) {
    Qt::WindowFlags F = Qt::Window | Qt::FramelessWindowHint;
    // A tool window gets no taskbar entry, and neither does an owned one without WS_EX_APPWINDOW (desktops list
    // no utility windows).
    if ((R->ExStyle & WS_EX_TOOLWINDOW) || !HasTaskbarEntry(Wnd)) {
      F |= Qt::Tool;
    }
    if (R->ExStyle & WS_EX_TOPMOST) {
      F |= Qt::WindowStaysOnTopHint;
    }
    if (R->ExStyle & WS_EX_NOACTIVATE) {
      F |= Qt::WindowDoesNotAcceptFocus;
      H->setAttribute(Qt::WA_ShowWithoutActivating);
    }
    // Layered windows with WS_EX_TRANSPARENT (drag images) let the mouse through to the windows beneath.
    if ((R->ExStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == (WS_EX_LAYERED | WS_EX_TRANSPARENT)) {
      F |= Qt::WindowTransparentForInput;
    }
    H->setWindowFlags(F);
    H->setWindowTitle(FromAnsi(R->Text));
    if (R->BigIcon || R->SmallIcon) {
      H->setWindowIcon(IconOf(R->BigIcon ? R->BigIcon : R->SmallIcon));
    }
  }
  FHosts[Wnd] = H;
  PlaceHost(Wnd, H);
  AdoptNativeWidget(Wnd);
  if (R->Parent) {
    Restack(R->Parent);
  }
  return H;
}

void TQtBackend::PlaceHost(HWND Wnd, THostWidget* H) {
  auto R = Find(Wnd);
  if (!R) {
    return;
  }
  QWidget* WantParent = nullptr;
  if (R->Parent) {
    WantParent = EnsureHost(R->Parent);
  }
  if (H->parentWidget() != WantParent) {
    bool WasVisible = R->Style & WS_VISIBLE;
    H->setParent(WantParent, WantParent ? Qt::Widget : (Qt::Window | Qt::FramelessWindowHint));
    H->setVisible(WasVisible);
  }
  TRect G = R->Window;
  if (auto P = Find(R->Parent)) {
    // Child windows are placed in their parent's client area; the parent's host covers its whole window.
    G = Rect(G.Left + P->Client.Left - P->Window.Left, G.Top + P->Client.Top - P->Window.Top,
             G.Right + P->Client.Left - P->Window.Left, G.Bottom + P->Client.Top - P->Window.Top);
  }
  // An iconified top-level window keeps its place on the desktop; the layer's parking rectangle is not shown.
  if (R->Parent || !(R->Style & WS_MINIMIZE)) {
    H->setGeometry(G.Left, G.Top, G.Width(), G.Height());
  }
  if (NativeControlOf(Wnd)) {
    AdoptNativeWidget(Wnd);
  }
}

namespace {

// Whether the desktop stacks top-level windows (the offscreen platform keeps no stacking and says so for each
// raise).
bool DesktopStacksWindows() {
  static const bool Stacks = QGuiApplication::platformName() != QLatin1String("offscreen");
  return Stacks;
}

}  // namespace

void TQtBackend::Restack(HWND Parent) {
  // Top-level windows are stacked on the desktop as in the layer's list, topmost last raised.
  if (!Parent && !DesktopStacksWindows()) {
    return;
  }
  auto Children = Parent ? ChildrenOf(Parent) : TopLevelWindows();
  for (auto It = Children.rbegin(); It != Children.rend(); ++It) {
    if (THostWidget* H = HostOf(*It)) {
      H->raise();
    }
  }
}

void TQtBackend::Sync(HWND Wnd, bool Recurse) {
  auto R = Find(Wnd);
  if (!R || R->Dead || R->MessageOnly) {
    return;
  }
  THostWidget* H = HostOf(Wnd);
  if (!H) {
    if (!IsWindowVisible(Wnd)) {
      return;
    }
    H = EnsureHost(Wnd);
    if (!H) {
      return;
    }
  } else {
    PlaceHost(Wnd, H);
  }
  H->setVisible(R->Style & WS_VISIBLE);
  if (H->isWindow() && (R->Style & WS_VISIBLE)) {
    // SW_MINIMIZE iconifies the window on the desktop; a restore in the layer shows it again.
    const bool Minimized = (R->Style & WS_MINIMIZE) != 0;
    if (Minimized != H->isMinimized()) {
      H->setWindowState(Minimized ? (H->windowState() | Qt::WindowMinimized)
                                  : (H->windowState() & ~Qt::WindowMinimized));
    }
  }
  if (Recurse) {
    for (HWND C : ChildrenOf(Wnd)) {
      Sync(C, true);
    }
  }
}

void TQtBackend::DropHost(HWND Wnd) {
  auto It = FHosts.find(Wnd);
  if (It == FHosts.end()) {
    return;
  }
  THostWidget* H = It->second;
  FHosts.erase(It);
  // The native widget belongs to the window's toolkit half, which outlives the host by a message or two.
  if (TNativeControl* N = NativeControlOf(Wnd); N && N->Widget() && N->Widget()->parentWidget() == H) {
    N->Widget()->hide();
    N->Widget()->setParent(nullptr);
  }
  // Hosts of children still alive (re-parented elsewhere later) must not die with this one.
  for (QObject* C : H->children()) {
    if (auto* CH = dynamic_cast<THostWidget*>(C)) {
      CH->setParent(nullptr);
      CH->hide();
    }
  }
  delete H;
}

void TQtBackend::WindowChanged(HWND Wnd, TWindowChange What) {
  switch (What) {
    case TWindowChange::Created:
    case TWindowChange::Enabled:
      break;
    case TWindowChange::Destroyed:
      DropHost(Wnd);
      break;
    case TWindowChange::Visibility:
    case TWindowChange::Parent:
    case TWindowChange::Geometry:
      Sync(Wnd, true);
      if (THostWidget* H = HostOf(Wnd)) {
        ApplyWindowShape(H);
      }
      if (What == TWindowChange::Parent) {
        if (auto R = Find(Wnd)) {
          Restack(R->Parent);
        }
      }
      break;
    case TWindowChange::ZOrder:
      if (auto R = Find(Wnd)) {
        Restack(R->Parent);
      }
      break;
    case TWindowChange::Text:
      if (THostWidget* H = HostOf(Wnd); H && H->isWindow()) {
        if (auto R = Find(Wnd)) {
          H->setWindowTitle(FromAnsi(R->Text));
        }
      }
      break;
    case TWindowChange::Icon: ApplyWindowIcon(Wnd); break;
    case TWindowChange::Activated:
      if (THostWidget* H = HostOf(Wnd); H && H->isWindow() && H->isVisible()) {
        if (DesktopStacksWindows()) {
          H->raise();
        }
        H->activateWindow();
      }
      break;
    case TWindowChange::Invalidated:
      // Only the invalid part goes to the screen again: painting it shows its own touched pixels as it draws.
      if (THostWidget* H = HostOf(Wnd)) {
        if (auto R = Find(Wnd); R && R->NeedsPaint) {
          const int X = R->Client.Left - R->Window.Left + R->Invalid.Left;
          const int Y = R->Client.Top - R->Window.Top + R->Invalid.Top;
          H->update(QRect(X, Y, R->Invalid.Width(), R->Invalid.Height()));
        } else {
          H->update();
        }
      }
      break;
  }
}

namespace {

TWindowBackend* CreateQtBackend() { return new TQtBackend; }

struct TRegistration {
  TRegistration() { RegisterWindowBackendFactory(&CreateQtBackend); }
} Registration;

}  // namespace
