// The native single-line edit control ("EDIT") over a QLineEdit: text, selection, modification and read-only
// messages, and EN_ notifications to the parent.
#include "platform/qt/QtNativeControl.h"
#include "platform/win/WindowInternals.h"

#include <QLineEdit>

#include <algorithm>
#include <climits>

std::unique_ptr<TNativeControl> MakeNativeMemo(HWND Wnd, const CREATESTRUCT* Create);

namespace {

int SignedParam(WPARAM W) { return static_cast<int>(static_cast<std::intptr_t>(W)); }

class TNativeEdit final : public TNativeControl {
public:
  TNativeEdit(HWND AWnd, const CREATESTRUCT* Create) : TNativeControl(AWnd) {
    FEdit = new QLineEdit;
    SetWidget(FEdit);
    FEdit->setFrame(false);
    DWORD Style = static_cast<DWORD>(GetWindowLong(AWnd, GWL_STYLE));
    if (Style & ES_PASSWORD) {
      FEdit->setEchoMode(QLineEdit::Password);
      FPasswordChar = '*';
    }
    FEdit->setReadOnly(Style & ES_READONLY);
    FEdit->setAlignment((Style & ES_CENTER) ? Qt::AlignHCenter : (Style & ES_RIGHT) ? Qt::AlignRight : Qt::AlignLeft);
    FQuiet = true;
    if (Create && Create->lpszName) {
      FEdit->setText(AnsiToQString(Create->lpszName));
    } else if (auto R = WindowSystem::Find(AWnd)) {
      FEdit->setText(AnsiToQString(R->Text));
    }
    FQuiet = false;
    QObject::connect(FEdit, &QLineEdit::textChanged, [this](const QString& Text) {
      // The window's text follows the widget's, so GetWindowText reads what the user typed.
      if (auto R = WindowSystem::Find(Wnd())) {
        R->Text = QStringToAnsi(Text);
      }
      if (!FQuiet) {
        Notify(EN_UPDATE);
        Notify(EN_CHANGE);
      }
    });
  }

  LRESULT DialogCode() override { return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; }

  void SetText(const QString& Text) override {
    if (FEdit->text() != Text) {
      FEdit->setText(Text);
    }
    FEdit->setModified(false);
  }

  bool HandleMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    switch (Msg) {
      case EM_GETSEL: {
        auto [Start, End] = Selection();
        if (WParam) {
          *reinterpret_cast<DWORD*>(WParam) = static_cast<DWORD>(Start);
        }
        if (LParam) {
          *reinterpret_cast<DWORD*>(LParam) = static_cast<DWORD>(End);
        }
        Result = MAKELONG(static_cast<WORD>(std::min(Start, 0xFFFF)), static_cast<WORD>(std::min(End, 0xFFFF)));
        return true;
      }
      case EM_SETSEL: SetSelection(SignedParam(WParam), static_cast<int>(LParam)); return true;
      case EM_REPLACESEL:
        FEdit->insert(AnsiToQString(LParam ? reinterpret_cast<LPCSTR>(LParam) : ""));
        return true;
      case EM_GETMODIFY: Result = FEdit->isModified() ? TRUE : FALSE; return true;
      case EM_SETMODIFY: FEdit->setModified(WParam != 0); return true;
      case EM_SETREADONLY: {
        FEdit->setReadOnly(WParam != 0);
        DWORD Style = static_cast<DWORD>(GetWindowLong(Wnd(), GWL_STYLE));
        SetWindowLong(Wnd(), GWL_STYLE, static_cast<LONG>(WParam ? Style | ES_READONLY : Style & ~ES_READONLY));
        Result = TRUE;
        return true;
      }
      case EM_LIMITTEXT: {
        int Limit = SignedParam(WParam);
        FEdit->setMaxLength(Limit <= 0 ? 0x7FFFFFFE : Limit);
        return true;
      }
      case EM_GETLIMITTEXT: Result = FEdit->maxLength(); return true;
      case EM_CANUNDO: Result = FEdit->isUndoAvailable() ? TRUE : FALSE; return true;
      case EM_UNDO: case WM_UNDO: FEdit->undo(); Result = TRUE; return true;
      case EM_EMPTYUNDOBUFFER: {
        // A line edit keeps no undo history apart from its text: setting the text again clears it.
        FQuiet = true;
        bool Modified = FEdit->isModified();
        auto [Start, End] = Selection();
        FEdit->setText(FEdit->text());
        FEdit->setModified(Modified);
        SetSelection(Start, End);
        FQuiet = false;
        return true;
      }
      case EM_SETPASSWORDCHAR:
        FPasswordChar = static_cast<char>(WParam);
        FEdit->setEchoMode(WParam ? QLineEdit::Password : QLineEdit::Normal);
        return true;
      case EM_GETPASSWORDCHAR: Result = static_cast<unsigned char>(FPasswordChar); return true;
      case EM_GETLINECOUNT: Result = 1; return true;
      case EM_LINELENGTH: Result = FEdit->text().size(); return true;
      case EM_LINEINDEX: Result = 0; return true;
      case EM_LINEFROMCHAR: Result = 0; return true;
      case EM_SCROLLCARET: Result = TRUE; return true;
      case WM_CUT: FEdit->cut(); return true;
      case WM_COPY: FEdit->copy(); return true;
      case WM_PASTE: FEdit->paste(); return true;
      case WM_CLEAR: FEdit->del(); return true;
      case WM_SETFOCUS: Notify(EN_SETFOCUS); return false;
      case WM_KILLFOCUS: Notify(EN_KILLFOCUS); return false;
      default: return false;
    }
  }

private:
  std::pair<int, int> Selection() const {
    if (FEdit->hasSelectedText()) {
      int Start = FEdit->selectionStart();
      return {Start, Start + static_cast<int>(FEdit->selectedText().size())};
    }
    int P = FEdit->cursorPosition();
    return {P, P};
  }

  // Start -1 removes the selection; End -1 (or past the end) means the end of the text; the caret goes to End.
  void SetSelection(int Start, int End) {
    int Len = static_cast<int>(FEdit->text().size());
    if (Start == -1) {
      FEdit->deselect();
      return;
    }
    if (End < 0 || End > Len) {
      End = Len;
    }
    Start = std::clamp(Start, 0, Len);
    if (Start == End) {
      FEdit->deselect();
      FEdit->setCursorPosition(End);
      return;
    }
    FEdit->setSelection(Start, End - Start);
  }

  QLineEdit* FEdit = nullptr;
  char FPasswordChar = 0;
};

// A multi-line edit is a different widget (NativeMemo.cpp).
const ATOM EditClass = RegisterNativeClass(WC_EDIT, [](HWND Wnd, const CREATESTRUCT* Create) -> std::unique_ptr<TNativeControl> {
  if (static_cast<DWORD>(GetWindowLong(Wnd, GWL_STYLE)) & ES_MULTILINE) {
    return MakeNativeMemo(Wnd, Create);
  }
  return std::make_unique<TNativeEdit>(Wnd, Create);
});

}  // namespace
