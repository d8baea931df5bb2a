// The native multi-line edit control (an "EDIT" window with ES_MULTILINE) over a QPlainTextEdit: text with CR LF
// line breaks, character positions counting a line break as two characters, lines, selection, scrolling and the
// EN_ notifications to the parent.
#include "platform/graphics/ScrollBars.h"
#include "platform/qt/QtNativeControl.h"
#include "platform/win/VirtualKeys.h"
#include "platform/win/WindowInternals.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstring>

namespace {

int SignedParam(WPARAM W) { return static_cast<int>(static_cast<std::intptr_t>(W)); }

// The widget keeps one character per line break; the window's text and its positions use CR LF.
QString ToWidgetText(const QString& S) {
  QString Out = S;
  Out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return Out;
}

class TNativeMemo final : public TNativeControl {
public:
  TNativeMemo(HWND AWnd, const CREATESTRUCT* Create) : TNativeControl(AWnd) {
    FEdit = new QPlainTextEdit;
    SetWidget(FEdit);
    FEdit->setFrameShape(QFrame::NoFrame);
    const DWORD Style = static_cast<DWORD>(GetWindowLong(AWnd, GWL_STYLE));
    FEdit->setReadOnly(Style & ES_READONLY);
    // The widget shows its own scroll bars in place of the window's frame bars.
    FEdit->setVerticalScrollBarPolicy((Style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FEdit->setHorizontalScrollBarPolicy((Style & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // Without horizontal scrolling the lines wrap at the window's width.
    FEdit->setLineWrapMode((Style & (ES_AUTOHSCROLL | WS_HSCROLL)) ? QPlainTextEdit::NoWrap
                                                                   : QPlainTextEdit::WidgetWidth);
    // The window's text is made CR LF at WM_CREATE: while the window is being made, the creation record
    // points into it.
    FQuiet = true;
    if (Create && Create->lpszName) {
      ShowText(AnsiToQString(Create->lpszName));
    } else if (auto R = WindowSystem::Find(AWnd)) {
      ShowText(AnsiToQString(R->Text));
    }
    FQuiet = false;
    QObject::connect(FEdit, &QPlainTextEdit::textChanged, [this] {
      if (FSyncing) {
        return;  // SetText reports it once the window has the text
      }
      SyncWindowText();
      if (!FQuiet) {
        Notify(EN_UPDATE);
        Notify(EN_CHANGE);
      }
    });
  }

  LRESULT DialogCode() override {
    return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTALLKEYS;
  }

  void SetText(const QString& Text) override {
    const bool Changed = ShowText(Text);
    SyncWindowText();
    if (Changed && !FQuiet) {
      Notify(EN_UPDATE);
      Notify(EN_CHANGE);
    }
  }

  bool HandleMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    switch (Msg) {
      case WM_CREATE:
        SyncWindowText();  // the creation stored the text as given
        // The widget shows its own scroll bars, so the window's frame has none.
        if (GetWindowLong(Wnd(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) {
          ShowScrollBar(Wnd(), SB_BOTH, FALSE);
        }
        return false;
      case WM_SETTEXT:
        // The window keeps the text with its line breaks made CR LF, as the widget holds it.
        SetText(AnsiToQString(LParam ? reinterpret_cast<LPCSTR>(LParam) : ""));
        if (auto R = WindowSystem::Find(Wnd())) {
          const std::string Kept = R->Text;
          Result = DefWindowProc(Wnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Kept.c_str()));
        }
        return true;
      case WM_KEYDOWN:
        // Return makes its line break at the key (two characters): not past the text limit.
        if (WParam == VK_RETURN && !Fits(2)) {
          Result = 0;
          return true;
        }
        return false;
      case WM_CHAR:
        // Typing stops at the text limit. A tab reaches the text only when the control got the key (the class
        // library decides whether Tab moves the focus instead).
        if ((WParam >= 32 || WParam == '\t') && !Fits(1)) {
          Result = 0;
          return true;
        }
        if (WParam == '\t' && !FEdit->isReadOnly()) {
          FEdit->insertPlainText(QStringLiteral("\t"));
          Result = 0;
          return true;
        }
        return false;
      case EM_GETSEL: {
        const QTextCursor C = FEdit->textCursor();
        const int Start = ToWin(C.selectionStart());
        const int End = ToWin(C.selectionEnd());
        if (WParam) *reinterpret_cast<DWORD*>(WParam) = static_cast<DWORD>(Start);
        if (LParam) *reinterpret_cast<DWORD*>(LParam) = static_cast<DWORD>(End);
        Result = MAKELONG(static_cast<WORD>(std::min(Start, 0xFFFF)), static_cast<WORD>(std::min(End, 0xFFFF)));
        return true;
      }
      case EM_SETSEL: SetSelection(SignedParam(WParam), static_cast<int>(LParam)); return true;
      case EM_REPLACESEL: {
        QTextCursor C = FEdit->textCursor();
        C.insertText(ToWidgetText(AnsiToQString(LParam ? reinterpret_cast<LPCSTR>(LParam) : "")));
        FEdit->setTextCursor(C);
        return true;
      }
      case EM_GETMODIFY: Result = FEdit->document()->isModified() ? TRUE : FALSE; return true;
      case EM_SETMODIFY: FEdit->document()->setModified(WParam != 0); return true;
      case EM_SETREADONLY: {
        FEdit->setReadOnly(WParam != 0);
        const DWORD Style = static_cast<DWORD>(GetWindowLong(Wnd(), GWL_STYLE));
        SetWindowLong(Wnd(), GWL_STYLE, static_cast<LONG>(WParam ? Style | ES_READONLY : Style & ~ES_READONLY));
        Result = TRUE;
        return true;
      }
      case EM_LIMITTEXT: FLimit = SignedParam(WParam) <= 0 ? 0x7FFFFFFE : SignedParam(WParam); return true;
      case EM_GETLIMITTEXT: Result = FLimit; return true;
      case EM_CANUNDO: Result = FEdit->document()->isUndoAvailable() ? TRUE : FALSE; return true;
      case EM_UNDO: case WM_UNDO: FEdit->undo(); Result = TRUE; return true;
      case EM_EMPTYUNDOBUFFER: FEdit->document()->clearUndoRedoStacks(); return true;
      case EM_GETLINECOUNT: Result = FEdit->document()->blockCount(); return true;
      case EM_LINEINDEX: {
        const int Line = SignedParam(WParam);
        const QTextBlock B = Line < 0 ? FEdit->textCursor().block() : FEdit->document()->findBlockByNumber(Line);
        Result = B.isValid() ? ToWin(B.position()) : -1;
        return true;
      }
      case EM_LINEFROMCHAR: {
        const int Pos = SignedParam(WParam);
        Result = Pos < 0 ? FEdit->textCursor().block().blockNumber() : FEdit->document()->findBlock(ToWidget(Pos)).blockNumber();
        return true;
      }
      case EM_LINELENGTH: {
        const int Pos = SignedParam(WParam);
        const QTextBlock B = Pos < 0 ? FEdit->textCursor().block() : FEdit->document()->findBlock(ToWidget(Pos));
        Result = B.isValid() ? B.length() - 1 : 0;
        return true;
      }
      case EM_GETLINE: {
        // The buffer's first word holds its size in characters; the line is copied without a terminating null.
        const QTextBlock B = FEdit->document()->findBlockByNumber(SignedParam(WParam));
        Result = 0;
        if (B.isValid() && LParam) {
          char* Buffer = reinterpret_cast<char*>(LParam);
          WORD Size = 0;
          std::memcpy(&Size, Buffer, sizeof(Size));
          const std::string Line = QStringToAnsi(B.text());
          const std::size_t N = std::min<std::size_t>(Size, Line.size());
          std::memcpy(Buffer, Line.data(), N);
          Result = static_cast<LRESULT>(N);
        }
        return true;
      }
      case EM_GETFIRSTVISIBLELINE: Result = FEdit->verticalScrollBar()->value(); return true;
      case EM_LINESCROLL: {
        QScrollBar* V = FEdit->verticalScrollBar();
        QScrollBar* H = FEdit->horizontalScrollBar();
        V->setValue(V->value() + static_cast<int>(LParam));
        H->setValue(H->value() + SignedParam(WParam) * FEdit->fontMetrics().averageCharWidth());
        Result = TRUE;
        return true;
      }
      case EM_SCROLLCARET: FEdit->ensureCursorVisible(); Result = TRUE; return true;
      case EM_SETRECTNP: case EM_SETRECT: return true;
      case WM_CUT: FEdit->cut(); return true;
      case WM_COPY: FEdit->copy(); return true;
      case WM_PASTE: FEdit->paste(); return true;
      case WM_CLEAR: FEdit->textCursor().removeSelectedText(); return true;
      case WM_SETFOCUS: Notify(EN_SETFOCUS); return false;
      case WM_KILLFOCUS: Notify(EN_KILLFOCUS); return false;
      default: return false;
    }
  }

private:
  // Shows Text on the widget (not yet in the window's text); whether it differed.
  bool ShowText(const QString& Text) {
    const QString T = ToWidgetText(Text);
    const bool Changed = FEdit->toPlainText() != T;
    FSyncing = true;
    if (Changed) {
      FEdit->setPlainText(T);
    }
    FSyncing = false;
    FEdit->document()->setModified(false);
    return Changed;
  }

  void SyncWindowText() {
    if (auto R = WindowSystem::Find(Wnd())) {
      QString T = FEdit->toPlainText();
      T.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
      R->Text = QStringToAnsi(T);
    }
  }

  // Whether Adds more characters replacing the selection keep within the text limit.
  bool Fits(int Adds) const {
    const QTextCursor C = FEdit->textCursor();
    return WindowLength() - (ToWin(C.selectionEnd()) - ToWin(C.selectionStart())) + Adds <= FLimit;
  }

  int WindowLength() const {
    const QTextDocument* D = FEdit->document();
    return D->characterCount() - 1 + D->blockCount() - 1;
  }

  // A widget position as the window counts it (each earlier line break is two characters).
  int ToWin(int Pos) const { return Pos + FEdit->document()->findBlock(Pos).blockNumber(); }

  // A window position in the widget; inside a CR LF pair it is the end of that line, past the end the end.
  int ToWidget(int Pos) const {
    for (QTextBlock B = FEdit->document()->firstBlock(); B.isValid(); B = B.next()) {
      const int Start = B.position() + B.blockNumber();
      const int Length = B.length() - 1;
      if (Pos <= Start + Length + 1) {
        return B.position() + std::clamp(Pos - Start, 0, Length);
      }
    }
    return std::max(0, FEdit->document()->characterCount() - 1);
  }

  // Start -1 removes the selection; End -1 (or past the end) means the end of the text; the caret goes to End.
  void SetSelection(int Start, int End) {
    QTextCursor C = FEdit->textCursor();
    const int Last = std::max(0, FEdit->document()->characterCount() - 1);
    if (Start == -1) {
      C.clearSelection();
      FEdit->setTextCursor(C);
      return;
    }
    const int E = End < 0 ? Last : std::min(ToWidget(End), Last);
    C.setPosition(std::min(ToWidget(std::max(Start, 0)), Last));
    C.setPosition(E, QTextCursor::KeepAnchor);
    FEdit->setTextCursor(C);
  }

  QPlainTextEdit* FEdit = nullptr;
  bool FSyncing = false;
  int FLimit = 0x7FFFFFFE;
};

}  // namespace

std::unique_ptr<TNativeControl> MakeNativeMemo(HWND Wnd, const CREATESTRUCT* Create) {
  return std::make_unique<TNativeMemo>(Wnd, Create);
}
