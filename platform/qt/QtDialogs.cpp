// The platform's dialog service over Qt: message boxes shown with open() and waited for in the layer's loop, so
// that the program's queues keep flowing while they are up.
#include "platform/qt/QtHost.h"
#include "platform/rtl/CodePage.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WinUser.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

std::atomic<bool>& RealDialogs() {
  static std::atomic<bool> On{[] {
    const char* V = std::getenv("ZUB_REAL_DIALOGS");
    return V && std::strcmp(V, "1") == 0;
  }()};
  return On;
}

}  // namespace

void SetShowRealDialogs(bool On) { RealDialogs() = On; }
bool ShowRealDialogs() { return RealDialogs(); }

namespace {

QString FromAnsi(const std::string& S) {
  QString Out;
  for (unsigned char B : S) {
    Out += QChar(static_cast<char16_t>(Cp1252ToUnicode(B)));
  }
  return Out;
}

const char* ButtonText(int Id) {
  switch (Id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "&Abort";
    case IDRETRY: return "&Retry";
    case IDIGNORE: return "&Ignore";
    case IDYES: return "&Yes";
    case IDNO: return "&No";
    case IDHELP: return "Help";
    case IDTRYAGAIN: return "&Try Again";
    case IDCONTINUE: return "&Continue";
    default: return "?";
  }
}

class TQtDialogService final : public TDialogService {
public:
  TDialogAnswer Run(const TDialogRequest& R) override {
    auto* B = TQtBackend::Instance();
    // Without a screen to show it on (offscreen tests) nobody could answer: the default button does, at once.
    if (!B || (QGuiApplication::platformName() == "offscreen" && !ShowRealDialogs()) || R.Kind != "MessageBox" ||
        R.Buttons.empty()) {
      return TDialogAnswer{R.DefaultButton, {}};
    }
    QMessageBox Box;
    Box.setWindowTitle(FromAnsi(R.Caption));
    Box.setText(FromAnsi(R.Text));
    switch (R.Flags & MB_ICONMASK) {
      case MB_ICONHAND: Box.setIcon(QMessageBox::Critical); break;
      case MB_ICONQUESTION: Box.setIcon(QMessageBox::Question); break;
      case MB_ICONEXCLAMATION: Box.setIcon(QMessageBox::Warning); break;
      case MB_ICONASTERISK: Box.setIcon(QMessageBox::Information); break;
      default: break;
    }
    if (R.Flags & (MB_TOPMOST | MB_SETFOREGROUND | MB_SYSTEMMODAL)) {
      Box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    std::vector<std::pair<QAbstractButton*, int>> Map;
    int Escape = R.Buttons.size() == 1 ? R.Buttons.front() : 0;
    for (int Id : R.Buttons) {
      auto Role = Id == IDCANCEL ? QMessageBox::RejectRole : Id == IDHELP ? QMessageBox::HelpRole
                                                                          : QMessageBox::AcceptRole;
      QPushButton* Btn = Box.addButton(QString::fromLatin1(ButtonText(Id)), Role);
      Map.emplace_back(Btn, Id);
      if (Id == R.DefaultButton) {
        Box.setDefaultButton(Btn);
      }
      if (Id == IDCANCEL) {
        Escape = IDCANCEL;
      }
      if (Id == Escape) {
        Box.setEscapeButton(Btn);
      }
    }
    bool Done = false;
    QObject::connect(&Box, &QMessageBox::finished, [&](int) { Done = true; });
    Box.open();
    if (R.Flags & MB_SETFOREGROUND) {
      Box.activateWindow();
    }
    while (!Done) {
      MSG M;
      if (PeekMessage(&M, 0, 0, 0, PM_REMOVE)) {
        if (M.message == WM_QUIT) {
          PostQuitMessage(static_cast<int>(M.wParam));
          Box.reject();
          break;
        }
        TranslateMessage(&M);
        DispatchMessage(&M);
      } else {
        B->WaitForEvents(50);
      }
    }
    QAbstractButton* Clicked = Box.clickedButton();
    for (auto& [Btn, Id] : Map) {
      if (Btn == Clicked) {
        return TDialogAnswer{Id, {}};
      }
    }
    return TDialogAnswer{Escape ? Escape : R.Buttons.front(), {}};
  }
};

struct TRegistration {
  TRegistration() {
    static TQtDialogService Service;
    RegisterPlatformDialogService(&Service);
  }
} Registration;

}  // namespace
