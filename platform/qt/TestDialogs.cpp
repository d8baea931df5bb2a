// The test harness's side of the real dialogs: reading saved pictures back, and driving the real Qt dialogs and
// popup menus the way a user would, from a timer that runs inside the layer's loop while it waits for them.
#include "platform/controls/TestHarness.h"
#include "platform/qt/KeyMap.h"
#include "platform/qt/QtNativeControl.h"
#include "platform/win/VirtualKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <deque>

namespace {

QString Plain(QString S) {
  S.remove(QRegularExpression("&(?!&)"));
  S.replace("&&", "&");
  return S;
}

// Runs F later from the loop (not inside the driving timer's slot), so that anything modal it starts can still be
// driven and cancelled.
void Later(QObject* Context, std::function<void()> F) { QTimer::singleShot(0, Context, std::move(F)); }

void SendKey(QWidget* W, WORD Vk) {
  if (!W) {
    return;
  }
  const TQtKeyStroke S = QtKeyFromVirtualKey(Vk, false, false);
  QWidget* Target = W->focusWidget() ? W->focusWidget() : W;
  QKeyEvent Press(QEvent::KeyPress, S.QtKey, Qt::NoModifier, S.Text);
  QApplication::sendEvent(Target, &Press);
  QKeyEvent Release(QEvent::KeyRelease, S.QtKey, Qt::NoModifier, S.Text);
  QApplication::sendEvent(Target, &Release);
}

class TQtDialogDriver final : public Harness::TDialogDriver {
public:
  explicit TQtDialogDriver(QWidget* AWidget) : W(AWidget) {}

  std::string Kind() const override {
    if (qobject_cast<QMessageBox*>(W)) return "MessageBox";
    if (qobject_cast<QFileDialog*>(W)) return "FileDialog";
    if (qobject_cast<QFontDialog*>(W)) return "FontDialog";
    if (qobject_cast<QColorDialog*>(W)) return "ColorDialog";
    if (qobject_cast<QPrintDialog*>(W)) return "PrintDialog";
    if (qobject_cast<QPageSetupDialog*>(W)) return "PageSetupDialog";
    if (qobject_cast<QMenu*>(W)) return "Menu";
    return W->metaObject()->className();
  }
  std::string Title() const override { return QStringToAnsi(W->windowTitle()); }
  std::string Text() const override {
    auto* Box = qobject_cast<QMessageBox*>(W);
    return Box ? QStringToAnsi(Box->text()) : std::string();
  }
  std::vector<std::string> Buttons() const override {
    std::vector<std::string> Out;
    if (auto* Menu = qobject_cast<QMenu*>(W)) {
      for (QAction* A : Menu->actions()) {
        Out.push_back(A->isSeparator() ? "-" : QStringToAnsi(Plain(A->text())));
      }
    } else if (auto* Box = qobject_cast<QMessageBox*>(W)) {
      // In the order the box was given them (the layout may order them by role).
      for (QAbstractButton* B : Box->buttons()) {
        Out.push_back(QStringToAnsi(Plain(B->text())));
      }
    }
    return Out;
  }
  std::string DefaultButton() const override {
    if (auto* Box = qobject_cast<QMessageBox*>(W); Box && Box->defaultButton()) {
      return QStringToAnsi(Plain(Box->defaultButton()->text()));
    }
    return {};
  }
  bool Click(const std::string& Caption) override {
    const QString C = AnsiToQString(Caption);
    if (auto* Menu = qobject_cast<QMenu*>(W)) {
      for (QAction* A : Menu->actions()) {
        if (!A->isSeparator() && Plain(A->text()) == C) {
          QPointer<QMenu> M = Menu;
          Later(Menu, [M, A] {
            if (!M || !M->isVisible()) return;
            M->setActiveAction(A);  // as the pointer resting on it
            if (!A->menu()) {
              SendKey(M, VK_RETURN);
            } else if (!A->menu()->isVisible()) {
              SendKey(M, VK_RIGHT);
            }
          });
          return true;
        }
      }
      return false;
    }
    for (QAbstractButton* B : W->findChildren<QAbstractButton*>()) {
      if (B->isVisible() && Plain(B->text()) == C) {
        QPointer<QAbstractButton> P = B;
        Later(W, [P] {
          if (P && P->isVisible()) P->click();  // a closed dialog's buttons cannot be clicked
        });
        return true;
      }
    }
    return false;
  }
  void Key(WORD Vk) override {
    QPointer<QWidget> P = W;
    Later(W, [P, Vk] { SendKey(P, Vk); });
  }
  bool TypeFileName(const std::string& Name) override {
    auto* D = qobject_cast<QFileDialog*>(W);
    if (!D) return false;
    auto* Edit = D->findChild<QLineEdit*>("fileNameEdit");
    if (!Edit) {
      D->selectFile(AnsiToQString(Name));
      return true;
    }
    Edit->setFocus();
    Edit->selectAll();
    Edit->insert(AnsiToQString(Name));  // as typed: the dialog follows the field's edits
    return true;
  }
  std::vector<std::string> Filters() const override {
    std::vector<std::string> Out;
    if (auto* D = qobject_cast<QFileDialog*>(W)) {
      for (const QString& F : D->nameFilters()) Out.push_back(QStringToAnsi(F));
    }
    return Out;
  }
  std::string SelectedFilter() const override {
    auto* D = qobject_cast<QFileDialog*>(W);
    return D ? QStringToAnsi(D->selectedNameFilter()) : std::string();
  }
  bool SelectFilter(int Index) override {
    auto* D = qobject_cast<QFileDialog*>(W);
    if (!D || Index < 0 || Index >= D->nameFilters().size()) return false;
    D->selectNameFilter(D->nameFilters()[Index]);
    return true;
  }
  bool ChooseFont(const std::string& Family, int PointSize, bool Bold) override {
    auto* D = qobject_cast<QFontDialog*>(W);
    if (!D) return false;
    QFont F(AnsiToQString(Family), PointSize);
    F.setBold(Bold);
    D->setCurrentFont(F);
    return true;
  }
  bool ChooseColor(std::uint32_t C) override {
    auto* D = qobject_cast<QColorDialog*>(W);
    if (!D) return false;
    D->setCurrentColor(QColor(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF));
    return true;
  }
  void Accept() override {
    QPointer<QWidget> P = W;
    Later(W, [P] {
      if (auto* D = qobject_cast<QDialog*>(P.data())) {
        D->accept();
      } else if (P) {
        P->close();
      }
    });
  }
  void Reject() override {
    QPointer<QWidget> P = W;
    Later(W, [P] {
      if (auto* D = qobject_cast<QDialog*>(P.data())) {
        D->reject();
      } else if (P) {
        P->close();
      }
    });
  }

private:
  QWidget* W;
};

// The drive under way.
struct TDrive {
  std::deque<Harness::TDialogStep> Steps;
  DWORD TimeoutMs = 5000;
  QElapsedTimer Waiting;  // since the last step (or the start)
  QPointer<QWidget> Last;  // the dialog or menu the last step acted on
  std::string Error;
  int Done = 0;
  // A file dialog settles when its folder has been read (it then selects the file it was given, which would
  // replace a name typed before); its step waits for that, or for a second at most.
  QPointer<QWidget> Settling;
  bool Settled = false;
  QElapsedTimer SettlingFor;
  QTimer* Timer = nullptr;
};

TDrive& Drive() {
  static TDrive D;
  return D;
}

// The dialog or menu a user would be looking at: the innermost popup menu, else the modal dialog on top.
QWidget* Showing() {
  // Menus only: a completer's or combo box's list is part of the dialog under it.
  if (auto* P = qobject_cast<QMenu*>(QApplication::activePopupWidget())) return P;
  if (QWidget* M = QApplication::activeModalWidget(); M && M->isVisible()) return M;
  QWidget* Found = nullptr;
  for (QWidget* T : QApplication::topLevelWidgets()) {
    if (T->isVisible() && (qobject_cast<QDialog*>(T) || qobject_cast<QMenu*>(T))) Found = T;
  }
  return Found;
}

// Closes every real dialog and menu on screen without a choice.
void CancelAll() {
  for (QWidget* T : QApplication::topLevelWidgets()) {
    if (!T->isVisible()) continue;
    if (auto* D = qobject_cast<QDialog*>(T)) {
      QPointer<QDialog> P = D;
      Later(qApp, [P] {
        if (P) P->reject();
      });
    } else if (auto* M = qobject_cast<QMenu*>(T)) {
      QPointer<QMenu> P = M;
      Later(qApp, [P] {
        if (P) P->hide();
      });
    }
  }
}

void Fail(const std::string& Why) {
  TDrive& D = Drive();
  if (D.Error.empty()) D.Error = Why;
  D.Steps.clear();
  CancelAll();
}

void Tick() {
  TDrive& D = Drive();
  QWidget* W = Showing();
  const bool Fresh = W && W != D.Last.data();
  if (D.Steps.empty()) {
    if (Fresh) {
      D.Last = W;
      Fail("a dialog showed with no step left for it: " + TQtDialogDriver(W).Kind() + " '" +
           TQtDialogDriver(W).Title() + "'");
    }
    return;
  }
  if (!Fresh) {
    if (D.Waiting.elapsed() > static_cast<qint64>(D.TimeoutMs)) {
      Fail("timed out waiting for the dialog of step " + std::to_string(D.Done + 1));
    }
    return;
  }
  if (auto* F = qobject_cast<QFileDialog*>(W)) {
    if (D.Settling.data() != W) {
      D.Settling = W;
      D.Settled = false;
      D.SettlingFor.start();
      if (auto* Model = F->findChild<QFileSystemModel*>()) {
        QObject::connect(Model, &QFileSystemModel::directoryLoaded, F, [] { Drive().Settled = true; });
      } else {
        D.Settled = true;
      }
    }
    if (!D.Settled && D.SettlingFor.elapsed() < 1000) {
      return;
    }
    D.Settling = nullptr;
  }
  D.Last = W;
  Harness::TDialogStep Step = std::move(D.Steps.front());
  D.Steps.pop_front();
  TQtDialogDriver Driver(W);
  Step(Driver);
  ++D.Done;
  D.Waiting.restart();
}

}  // namespace

namespace Harness {

bool LoadPng(const std::string& FileName, TSavedImage& Image) {
  QImage Q;
  if (!Q.load(QString::fromStdString(FileName), "PNG")) {
    return false;
  }
  Q = Q.convertToFormat(QImage::Format_RGB32);
  Image.Width = Q.width();
  Image.Height = Q.height();
  Image.Pixels.resize(static_cast<std::size_t>(Image.Width) * Image.Height);
  for (int Y = 0; Y < Image.Height; ++Y) {
    const auto* Row = reinterpret_cast<const std::uint32_t*>(Q.constScanLine(Y));
    std::copy(Row, Row + Image.Width, Image.Pixels.begin() + static_cast<std::ptrdiff_t>(Y) * Image.Width);
  }
  return true;
}

void DriveDialogs(std::vector<TDialogStep> Steps, DWORD TimeoutMs) {
  Start();
  TDrive& D = Drive();
  D.Steps.assign(std::make_move_iterator(Steps.begin()), std::make_move_iterator(Steps.end()));
  D.TimeoutMs = TimeoutMs;
  D.Error.clear();
  D.Done = 0;
  D.Last = nullptr;
  D.Waiting.start();
  if (!D.Timer) {
    D.Timer = new QTimer(qApp);
    D.Timer->setInterval(10);
    QObject::connect(D.Timer, &QTimer::timeout, [] { Tick(); });
  }
  D.Timer->start();
}

bool DriveDone() { return Drive().Steps.empty() && Drive().Error.empty(); }

std::string DriveError() { return Drive().Error; }

void StopDriving() {
  TDrive& D = Drive();
  D.Steps.clear();
  if (D.Timer) D.Timer->stop();
}

}  // namespace Harness
