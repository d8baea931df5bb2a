// The headless test harness over Qt: synthetic input through QTest's window overloads, and the loop helpers.
#include "platform/controls/TestHarness.h"
#include "platform/controls/TestHarnessDesktop.h"
#include "platform/controls/Forms.h"
#include "platform/qt/KeyMap.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/QtNativeControl.h"
#include "platform/win/WindowInternals.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QUrl>
#include <QtTest/QTest>

#include <chrono>

namespace {

QWindow* KeyWindow() {
  auto* B = TQtBackend::Instance();
  if (!B) {
    return nullptr;
  }
  if (THostWidget* H = B->HostOf(GetActiveWindow()); H && H->windowHandle()) {
    return H->windowHandle();
  }
  for (HWND W : WindowSystem::TopLevelWindows()) {
    if (THostWidget* H = B->HostOf(W); H && H->isVisible() && H->windowHandle()) {
      return H->windowHandle();
    }
  }
  return nullptr;
}

Qt::KeyboardModifiers QtMods(Harness::TMods M) {
  Qt::KeyboardModifiers R;
  if (M.Shift) R |= Qt::ShiftModifier;
  if (M.Ctrl) R |= Qt::ControlModifier;
  if (M.Alt) R |= Qt::AltModifier;
  return R;
}

void SendKey(WORD Vk, bool Press, Harness::TMods Mods) {
  QWindow* W = KeyWindow();
  if (!W) {
    return;
  }
  TQtKeyStroke S = QtKeyFromVirtualKey(Vk, Mods.Shift, Mods.Ctrl && !Mods.Alt);
  Qt::KeyboardModifiers M = QtMods(Mods);
  if (S.Keypad) {
    M |= Qt::KeypadModifier;
  }
  QTest::simulateEvent(W, Press, S.QtKey, M, S.Text, false, 0);
}

void ModifierKeys(Harness::TMods Mods, bool Press) {
  Harness::TMods Held;
  auto One = [&](bool Want, WORD Vk, bool& Flag) {
    if (!Want) {
      return;
    }
    if (Press) {
      Flag = true;
      SendKey(Vk, true, Held);
    } else {
      SendKey(Vk, false, Held);
      Flag = false;
    }
  };
  if (Press) {
    One(Mods.Shift, VK_SHIFT, Held.Shift);
    One(Mods.Ctrl, VK_CONTROL, Held.Ctrl);
    One(Mods.Alt, VK_MENU, Held.Alt);
  } else {
    Held = Mods;
    One(Mods.Alt, VK_MENU, Held.Alt);
    One(Mods.Ctrl, VK_CONTROL, Held.Ctrl);
    One(Mods.Shift, VK_SHIFT, Held.Shift);
  }
}

// The top-level host window under the client point and the point in that window's coordinates.
QWindow* MouseWindow(HWND Wnd, TPoint Client, QPoint& Local) {
  auto* B = TQtBackend::Instance();
  TPoint P = Client;
  ClientToScreen(Wnd, &P);
  HWND Top = GetAncestor(Wnd, GA_ROOT);
  THostWidget* H = B ? B->HostOf(Top) : nullptr;
  if (!H || !H->windowHandle()) {
    return nullptr;
  }
  TRect R;
  GetWindowRect(Top, &R);
  Local = QPoint(P.X - R.Left, P.Y - R.Top);
  return H->windowHandle();
}

Qt::MouseButton QtButton(Harness::TButton B) {
  switch (B) {
    case Harness::TButton::Right: return Qt::RightButton;
    case Harness::TButton::Middle: return Qt::MiddleButton;
    default: return Qt::LeftButton;
  }
}

}  // namespace

namespace Harness {

void Start() { TQtBackend::Instance(); }

void KeyDown(WORD Vk, TMods Mods) {
  Start();
  SendKey(Vk, true, Mods);
}

void KeyUp(WORD Vk, TMods Mods) {
  Start();
  SendKey(Vk, false, Mods);
}

void KeyPress(WORD Vk, TMods Mods) {
  Start();
  ModifierKeys(Mods, true);
  SendKey(Vk, true, Mods);
  SendKey(Vk, false, Mods);
  ModifierKeys(Mods, false);
}

void TypeText(const std::string& Text) {
  for (char C : Text) {
    WORD Vk = 0;
    bool Shift = false;
    for (WORD K = 1; K < 256 && !Vk; ++K) {
      if (CharOfKey(K, false) == C && !(K >= VK_NUMPAD0 && K <= VK_DIVIDE)) {
        Vk = K;
      } else if (CharOfKey(K, true) == C && !(K >= VK_NUMPAD0 && K <= VK_DIVIDE)) {
        Vk = K;
        Shift = true;
      }
    }
    if (Vk) {
      KeyPress(Vk, TMods{Shift, false, false});
    }
  }
}

namespace {

void SendInputMethod(const std::string& Preedit, const std::string& Commit) {
  Start();
  QWindow* W = KeyWindow();
  if (!W) {
    return;
  }
  QInputMethodEvent E(AnsiToQString(Preedit), {});
  if (!Commit.empty()) {
    E.setCommitString(AnsiToQString(Commit));
  }
  QObject* Target = W->focusObject();
  QCoreApplication::sendEvent(Target ? Target : W, &E);
}

}  // namespace

void ImeCompose(const std::string& Preedit) { SendInputMethod(Preedit, {}); }

void ImeCommit(const std::string& Text) { SendInputMethod({}, Text); }

void MouseMove(HWND Wnd, TPoint Client, TMods Mods) {
  Start();
  QPoint L;
  if (QWindow* W = MouseWindow(Wnd, Client, L)) {
    (void)Mods;
    QTest::mouseMove(W, L, 0);
  }
}

void MouseDown(HWND Wnd, TPoint Client, TButton Button, TMods Mods) {
  Start();
  QPoint L;
  if (QWindow* W = MouseWindow(Wnd, Client, L)) {
    QTest::mousePress(W, QtButton(Button), QtMods(Mods), L, 0);
  }
}

void MouseUp(HWND Wnd, TPoint Client, TButton Button, TMods Mods) {
  Start();
  QPoint L;
  if (QWindow* W = MouseWindow(Wnd, Client, L)) {
    QTest::mouseRelease(W, QtButton(Button), QtMods(Mods), L, 0);
  }
}

void Click(HWND Wnd, TPoint Client, TButton Button, TMods Mods) {
  MouseDown(Wnd, Client, Button, Mods);
  MouseUp(Wnd, Client, Button, Mods);
}

void DoubleClick(HWND Wnd, TPoint Client, TButton Button, TMods Mods) {
  Click(Wnd, Client, Button, Mods);
  Click(Wnd, Client, Button, Mods);
}

void Wheel(HWND Wnd, TPoint Client, int Notches, TMods Mods) {
  Start();
  QPoint L;
  QWindow* W = MouseWindow(Wnd, Client, L);
  if (!W) {
    return;
  }
  QPointF Global = W->mapToGlobal(QPointF(L));
  QWheelEvent E(QPointF(L), Global, QPoint(), QPoint(0, Notches * 120), Qt::NoButton, QtMods(Mods),
                Qt::NoScrollPhase, false);
  // Wheel events are delivered to the widget under the pointer, as Qt's own window handling does.
  auto* B = TQtBackend::Instance();
  THostWidget* Top = B->HostOf(GetAncestor(Wnd, GA_ROOT));
  QWidget* Target = Top ? Top->childAt(L) : nullptr;
  QCoreApplication::sendEvent(Target ? Target : static_cast<QWidget*>(Top), &E);
}

void DropFiles(HWND Wnd, TPoint Client, const std::vector<std::string>& Files) {
  Start();
  QPoint L;
  if (!MouseWindow(Wnd, Client, L)) {
    return;
  }
  auto* B = TQtBackend::Instance();
  THostWidget* Top = B->HostOf(GetAncestor(Wnd, GA_ROOT));
  QMimeData Data;
  QList<QUrl> Urls;
  for (const std::string& F : Files) {
    Urls.push_back(FileNameToUrl(F));
  }
  Data.setUrls(Urls);
  // The drop goes where Qt would deliver it: the top-level host (its native children refuse drops).
  QDragEnterEvent Enter(L, Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(Top, &Enter);
  if (!Enter.isAccepted()) {
    return;
  }
  QDropEvent Drop(QPointF(L), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(Top, &Drop);
}

TDropAction DragFromDesktop(const TDesktopData& Data, const std::vector<std::pair<HWND, TPoint>>& Path, bool Drop,
                            TMods Mods, const std::function<void()>& Rest) {
  Start();
  QMimeData Mime;
  if (!Data.Files.empty()) {
    QList<QUrl> Urls;
    for (const std::string& F : Data.Files) {
      Urls.push_back(FileNameToUrl(F));
    }
    Mime.setUrls(Urls);
  }
  if (!Data.Text.empty()) {
    Mime.setText(AnsiToQString(Data.Text));
  }
  for (const auto& [Type, Bytes] : Data.Types) {
    Mime.setData(QString::fromStdString(Type), QByteArray(Bytes.data(), static_cast<qsizetype>(Bytes.size())));
  }
  const Qt::DropActions Offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
  auto* B = TQtBackend::Instance();
  QWidget* Current = nullptr;
  QPoint L;
  auto LeaveCurrent = [&] {
    if (Current) {
      QDragLeaveEvent Leave;
      QCoreApplication::sendEvent(Current, &Leave);
      Current = nullptr;
    }
  };
  // Each form's host gets the events, as Qt delivers them to the window under the pointer.
  for (const auto& [Wnd, Client] : Path) {
    QWidget* Top = B->HostOf(GetAncestor(Wnd, GA_ROOT));
    if (!Top || !MouseWindow(Wnd, Client, L)) {
      continue;
    }
    if (Top != Current) {
      LeaveCurrent();
      Current = Top;
      QDragEnterEvent Enter(L, Offered, &Mime, Qt::LeftButton, QtMods(Mods));
      QCoreApplication::sendEvent(Top, &Enter);
    } else {
      QDragMoveEvent Move(L, Offered, &Mime, Qt::LeftButton, QtMods(Mods));
      QCoreApplication::sendEvent(Top, &Move);
    }
  }
  if (Rest) {
    Rest();
  }
  TDropAction Result = TDropAction::Ignore;
  if (Drop && Current) {
    QDropEvent Dropped(QPointF(L), Offered, &Mime, Qt::LeftButton, QtMods(Mods));
    QCoreApplication::sendEvent(Current, &Dropped);
    if (Dropped.isAccepted()) {
      switch (Dropped.dropAction()) {
        case Qt::CopyAction: Result = TDropAction::Copy; break;
        case Qt::MoveAction: Result = TDropAction::Move; break;
        case Qt::LinkAction: Result = TDropAction::Link; break;
        default: break;
      }
    }
  } else {
    LeaveCurrent();
  }
  // A leave is settled once Qt's queued events ran (the next widget's enter would have come with them).
  QCoreApplication::processEvents();
  return Result;
}

int RunUntilIdle(int Limit) {
  // Messages go through the application's loop step, so the class library's key chain sees them as it would
  // in the running program. WM_QUIT stays queued for the caller's loop.
  Start();
  MSG M;
  int N = 0;
  while (N < Limit && PeekMessage(&M, 0, 0, 0, PM_NOREMOVE) && M.message != WM_QUIT) {
    Application->ProcessMessage(M);
    ++N;
  }
  return N;
}

bool RunUntil(const std::function<bool()>& Done, DWORD TimeoutMs) {
  Start();
  auto End = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
  while (!Done()) {
    if (std::chrono::steady_clock::now() >= End) {
      return false;
    }
    if (RunUntilIdle() == 0) {
      auto* B = TQtBackend::Instance();
      B->WaitForEvents(10);
    }
  }
  return true;
}

void Advance(TManualClock& Clock, UInt64 Milliseconds) {
  Clock.Advance(Milliseconds);
  RunUntilIdle();
}

bool WindowShowsPoint(HWND Wnd, TPoint WindowPoint) {
  Start();
  auto* B = TQtBackend::Instance();
  THostWidget* H = B ? B->HostOf(Wnd) : nullptr;
  if (!H || !H->isVisible()) {
    return false;
  }
  QPoint P(WindowPoint.X, WindowPoint.Y);
  return H->rect().contains(P) && (H->mask().isEmpty() || H->mask().contains(P));
}

bool HasTaskbarEntry(HWND Wnd) {
  Start();
  auto* B = TQtBackend::Instance();
  THostWidget* H = B ? B->HostOf(Wnd) : nullptr;
  return H && H->isWindow() && H->windowType() != Qt::Tool;
}

void OtherProgramTakesFocus() {
  Start();
  WindowSystem::DesktopActivationChanged(0);
}

void DesktopActivates(HWND Wnd) {
  Start();
  WindowSystem::DesktopActivationChanged(Wnd);
}

HWND DesktopActiveWindow() {
  Start();
  QCoreApplication::processEvents();
  auto* H = dynamic_cast<THostWidget*>(QApplication::activeWindow());
  return H ? H->Wnd() : 0;
}

bool IconifiedOnDesktop(HWND Wnd) {
  Start();
  auto* B = TQtBackend::Instance();
  THostWidget* H = B ? B->HostOf(Wnd) : nullptr;
  return H && H->isWindow() && H->isMinimized();
}

void DesktopRestores(HWND Wnd) {
  Start();
  auto* B = TQtBackend::Instance();
  if (THostWidget* H = B ? B->HostOf(Wnd) : nullptr; H && H->isWindow()) {
    H->setWindowState(H->windowState() & ~Qt::WindowMinimized);
  }
}

std::uint32_t WindowIconPixel(HWND Wnd) {
  Start();
  auto* B = TQtBackend::Instance();
  THostWidget* H = B ? B->HostOf(Wnd) : nullptr;
  if (!H || !H->isWindow()) {
    return 0;
  }
  const QIcon Icon = H->windowIcon();
  if (Icon.isNull()) {
    return 0;
  }
  const QImage Image = Icon.pixmap(QSize(32, 32), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
  return Image.isNull() ? 0 : static_cast<std::uint32_t>(Image.pixel(Image.width() / 2, Image.height() / 2));
}

bool SaveWindowPng(HWND Wnd, const std::string& FileName) {
  Start();
  auto* B = TQtBackend::Instance();
  return B && B->SaveWindowImage(Wnd, FileName);
}

}  // namespace Harness
