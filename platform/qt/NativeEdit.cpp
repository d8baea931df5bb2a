// The native single-line edit control ("EDIT") over a QLineEdit: text, selection, modification and read-only
// messages, the text limit on what the user types or pastes, the clipboard, and EN_ notifications to the parent.
#include "platform/graphics/Clipbrd.h"
#include "platform/qt/QtNativeControl.h"
#include "platform/win/VirtualKeys.h"
#include "platform/win/WindowInternals.h"

#include <QLineEdit>

#include <algorithm>
#include <climits>

std::unique_ptr<TNativeControl> MakeNativeMemo(HWND Wnd, const CREATESTRUCT* Create);

// The clipboard message a key stands for with the modifiers now down (Ctrl+X/C/V, Shift+Delete, Ctrl+Insert,
// Shift+Insert), else 0. The multi-line edit uses it too.
UINT EditClipboardCommand(WPARAM Key) {
  const bool Ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool Shift = GetKeyState(VK_SHIFT) < 0;
  const bool Alt = GetKeyState(VK_MENU) < 0;
  if (Alt || (Ctrl && Shift)) {
    return 0;
  }
  switch (Key) {
    case 'X': return Ctrl ? WM_CUT : 0;
    case 'C': return Ctrl ? WM_COPY : 0;
    case 'V': return Ctrl ? WM_PASTE : 0;
    case VK_DELETE: return Shift ? WM_CUT : 0;
    case VK_INSERT: return Ctrl ? WM_COPY : Shift ? WM_PASTE : 0;
    default: return 0;
  }
}

namespace {

int SignedParam(WPARAM W) { return static_cast<int>(static_cast<std::intptr_t>(W)); }

class TNativeEdit final : public TNativeControl {
public:
  TNativeEdit(HWND AWnd, const CREATESTRUCT* Create) : TNativeControl(AWnd) {
    FEdit = new QLineEdit;
    SetWidget(FEdit);
    FEdit->setFrame(false);
    // The text limit is the control's own (it stops input only); the widget would cut any text set.
    FEdit->setMaxLength(INT_MAX);
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
      case EM_REPLACESEL: InsertLimited(LParam ? reinterpret_cast<LPCSTR>(LParam) : ""); return true;
      case EM_GETMODIFY: Result = FEdit->isModified() ? TRUE : FALSE; return true;
      case EM_SETMODIFY: FEdit->setModified(WParam != 0); return true;
      case EM_SETREADONLY: {
        FEdit->setReadOnly(WParam != 0);
        DWORD Style = static_cast<DWORD>(GetWindowLong(Wnd(), GWL_STYLE));
        SetWindowLong(Wnd(), GWL_STYLE, static_cast<LONG>(WParam ? Style | ES_READONLY : Style & ~ES_READONLY));
        Result = TRUE;
        return true;
      }
      case EM_LIMITTEXT: FLimit = SignedParam(WParam) <= 0 ? 0x7FFFFFFE : SignedParam(WParam); return true;
      case EM_GETLIMITTEXT: Result = FLimit; return true;
      case EM_GETRECT:
        if (LParam) {
          *reinterpret_cast<TRect*>(LParam) = FormattingRect();
        }
        return true;
      case EM_SETRECT: case EM_SETRECTNP: return true;  // multi-line edits only
      case WM_CHAR:
        // Typing stops at the text limit.
        if (WParam >= 32 && !FEdit->isReadOnly() && Room() < 1) {
          Notify(EN_MAXTEXT);
          Result = 0;
          return true;
        }
        return false;
      case WM_KEYDOWN:
        // The clipboard keys go through the platform's clipboard (and the text limit).
        if (UINT Command = EditClipboardCommand(WParam)) {
          SendMessage(Wnd(), Command, 0, 0);
          Result = 0;
          return true;
        }
        return false;
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
      case WM_CUT:
        if (Copy() && !FEdit->isReadOnly()) {
          FEdit->del();
        }
        return true;
      case WM_COPY: Copy(); return true;
      case WM_PASTE:
        if (!FEdit->isReadOnly()) {
          // A single line takes the clipboard's text up to its first line break.
          std::string Text = Clipboard()->AsText();
          Text = Text.substr(0, Text.find_first_of("\r\n"));
          InsertLimited(Text);
        }
        return true;
      case WM_CLEAR: FEdit->del(); return true;
      case WM_SETFOCUS: Notify(EN_SETFOCUS); return false;
      case WM_KILLFOCUS: Notify(EN_KILLFOCUS); return false;
      default: return false;
    }
  }

private:
  // How many characters fit in place of the selection.
  long long Room() const {
    auto [Start, End] = Selection();
    return static_cast<long long>(FLimit) - (FEdit->text().size() - (End - Start));
  }

  // Replaces the selection with as much of Text as the limit leaves room for; EN_MAXTEXT when it was cut.
  void InsertLimited(const std::string& Text) {
    QString T = AnsiToQString(Text);
    const long long Fit = std::max(0LL, Room());
    const bool Cut = T.size() > Fit;
    if (Cut) {
      T.truncate(static_cast<qsizetype>(Fit));
    }
    FEdit->insert(T);
    if (Cut) {
      Notify(EN_MAXTEXT);
    }
  }

  // Puts the selection on the clipboard (never from a password edit); whether there was one.
  bool Copy() {
    if (!FEdit->hasSelectedText() || FEdit->echoMode() != QLineEdit::Normal) {
      return false;
    }
    Clipboard()->SetAsText(QStringToAnsi(FEdit->selectedText()));
    return true;
  }

  // The text area in client coordinates: the widget less its text margins.
  TRect FormattingRect() const {
    TRect C{};
    GetClientRect(Wnd(), &C);
    const QMargins M = FEdit->textMargins();
    const int Side = 2;  // the line edit keeps this much room on either side of the text
    return Rect(C.Left + M.left() + Side, C.Top + M.top(), std::max<LONG>(C.Left, C.Right - M.right() - Side),
                std::max<LONG>(C.Top, C.Bottom - M.bottom()));
  }

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
  int FLimit = 32767;  // the platform's limit until EM_LIMITTEXT sets one
};

// A multi-line edit is a different widget (NativeMemo.cpp).
const ATOM EditClass = RegisterNativeClass(WC_EDIT, [](HWND Wnd, const CREATESTRUCT* Create) -> std::unique_ptr<TNativeControl> {
  if (static_cast<DWORD>(GetWindowLong(Wnd, GWL_STYLE)) & ES_MULTILINE) {
    return MakeNativeMemo(Wnd, Create);
  }
  return std::make_unique<TNativeEdit>(Wnd, Create);
});

}  // namespace
