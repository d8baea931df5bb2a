// The native multi-line edit control (an "EDIT" window with ES_MULTILINE) over a QPlainTextEdit: text with CR LF
// line breaks, character positions counting a line break as two characters, lines, selection, scrolling and the
// EN_ notifications to the parent, the text limit on what the user types or pastes, the clipboard, and the
// formatting rectangle the text is laid out in.
#include "platform/graphics/Clipbrd.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/qt/QtNativeControl.h"
#include "platform/win/VirtualKeys.h"
#include "platform/win/WindowInternals.h"

#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstring>

UINT EditClipboardCommand(WPARAM Key);  // NativeEdit.cpp

namespace {

// The text widget with its viewport margins open to the control (they place the formatting rectangle).
// Mouse input reaches the widget itself (it covers the client area); the text takes it at the viewport's place,
// so a press outside the formatting rectangle does not reach the text.
class TMemoWidget final : public QPlainTextEdit {
public:
  using QPlainTextEdit::setViewportMargins;
  using QPlainTextEdit::viewportMargins;

protected:
  bool event(QEvent* E) override {
    switch (E->type()) {
      case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove: {
        auto* M = static_cast<QMouseEvent*>(E);
        const QPointF Local = M->position() - QPointF(viewport()->geometry().topLeft());
        const bool Inside = viewport()->rect().contains(Local.toPoint());
        if (!Inside && (E->type() == QEvent::MouseButtonPress || E->type() == QEvent::MouseButtonDblClick)) {
          return true;
        }
        QMouseEvent Mapped(E->type(), Local, Local, M->globalPosition(), M->button(), M->buttons(), M->modifiers());
        viewportEvent(&Mapped);
        E->setAccepted(Mapped.isAccepted());
        return true;
      }
      default: return QPlainTextEdit::event(E);
    }
  }
};

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
    FEdit = new TMemoWidget;
    SetWidget(FEdit);
    FEdit->setFrameShape(QFrame::NoFrame);
    FDefaultMargin = FEdit->document()->documentMargin();
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
        if (WParam == VK_RETURN && !FEdit->isReadOnly() && !Fits(2)) {
          Notify(EN_MAXTEXT);
          Result = 0;
          return true;
        }
        // The clipboard keys go through the platform's clipboard (and the text limit).
        if (UINT Command = EditClipboardCommand(WParam)) {
          SendMessage(Wnd(), Command, 0, 0);
          Result = 0;
          return true;
        }
        return false;
      case WM_CHAR:
        // Typing stops at the text limit. A tab reaches the text only when the control got the key (the class
        // library decides whether Tab moves the focus instead).
        if ((WParam >= 32 || WParam == '\t') && !FEdit->isReadOnly() && !Fits(1)) {
          Notify(EN_MAXTEXT);
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
      case EM_REPLACESEL: InsertLimited(LParam ? reinterpret_cast<LPCSTR>(LParam) : ""); return true;
      case EM_GETMODIFY: Result = FEdit->document()->isModified() ? TRUE : FALSE; return true;
      case EM_SETMODIFY: FEdit->document()->setModified(WParam != 0); return true;
      case EM_SETREADONLY: {
        FEdit->setReadOnly(WParam != 0);
        const DWORD Style = static_cast<DWORD>(GetWindowLong(Wnd(), GWL_STYLE));
        SetWindowLong(Wnd(), GWL_STYLE, static_cast<LONG>(WParam ? Style | ES_READONLY : Style & ~ES_READONLY));
        Result = TRUE;
        return true;
      }
      case EM_LIMITTEXT:
        // No limit is the largest count there is for a multi-line edit.
        FLimit = static_cast<UINT>(WParam) == 0 ? 0xFFFFFFFFu : static_cast<UINT>(WParam);
        return true;
      case EM_GETLIMITTEXT: Result = static_cast<LRESULT>(FLimit); return true;
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
      case EM_GETRECT:
        if (LParam) {
          *reinterpret_cast<TRect*>(LParam) = FormattingRect();
        }
        return true;
      case EM_SETRECT: case EM_SETRECTNP:
        // The widget lays the text out again at once; EM_SETRECT also has the window repainted.
        SetFormattingRect(LParam ? reinterpret_cast<const TRect*>(LParam) : nullptr);
        if (Msg == EM_SETRECT) {
          InvalidateRect(Wnd(), nullptr, TRUE);
        }
        return true;
      case WM_SIZE:
        SetFormattingRect(nullptr);  // a new size brings back the default rectangle
        return false;
      case WM_CUT:
        if (Copy() && !FEdit->isReadOnly()) {
          FEdit->textCursor().removeSelectedText();
        }
        return true;
      case WM_COPY: Copy(); return true;
      case WM_PASTE:
        if (!FEdit->isReadOnly()) {
          InsertLimited(Clipboard()->AsText());
        }
        return true;
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

  // How many characters (a line break counting two) fit in place of the selection.
  long long Room() const {
    const QTextCursor C = FEdit->textCursor();
    return static_cast<long long>(FLimit) - (WindowLength() - (ToWin(C.selectionEnd()) - ToWin(C.selectionStart())));
  }

  // Whether Adds more characters replacing the selection keep within the text limit.
  bool Fits(int Adds) const { return Adds <= Room(); }

  // Replaces the selection with as much of Text as the limit leaves room for (never half a line break);
  // EN_MAXTEXT when it was cut.
  void InsertLimited(const std::string& Text) {
    QString T = AnsiToQString(Text);
    T.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    T.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    long long Left = std::max(0LL, Room());
    qsizetype Keep = 0;
    for (; Keep < T.size(); ++Keep) {
      const int Cost = T[Keep] == QLatin1Char('\n') ? 2 : 1;
      if (Cost > Left) {
        break;
      }
      Left -= Cost;
    }
    const bool Cut = Keep < T.size();
    T.truncate(Keep);
    QTextCursor C = FEdit->textCursor();
    C.insertText(T);
    FEdit->setTextCursor(C);
    if (Cut) {
      Notify(EN_MAXTEXT);
    }
  }

  // Puts the selection on the clipboard with CR LF line breaks; whether there was one.
  bool Copy() {
    const QTextCursor C = FEdit->textCursor();
    if (!C.hasSelection()) {
      return false;
    }
    // The cursor's selection uses the paragraph separator for line breaks.
    QString T = C.selectedText();
    T.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    Clipboard()->SetAsText(QStringToAnsi(T));
    return true;
  }

  // The area the text may take: the client area less the widget's own scroll bars.
  TRect TextArea() const {
    TRect C{};
    GetClientRect(Wnd(), &C);
    const DWORD Style = static_cast<DWORD>(GetWindowLong(Wnd(), GWL_STYLE));
    if (Style & WS_VSCROLL) {
      C.Right = std::max(C.Left, C.Right - FEdit->verticalScrollBar()->sizeHint().width());
    }
    if (Style & WS_HSCROLL) {
      C.Bottom = std::max(C.Top, C.Bottom - FEdit->horizontalScrollBar()->sizeHint().height());
    }
    return C;
  }

  TRect FormattingRect() const {
    if (FHasRect) {
      return FRect;
    }
    // By default the text keeps the document's margin from the edges.
    const TRect A = TextArea();
    const int M = static_cast<int>(FEdit->document()->documentMargin());
    return Rect(A.Left + M, A.Top + M, std::max<LONG>(A.Left + M, A.Right - M), std::max<LONG>(A.Top + M, A.Bottom - M));
  }

  // Lays the text out inside R (client coordinates, kept within the text area), or back in the default
  // rectangle when R is null. The viewport becomes the rectangle, so the text is clipped to it too.
  void SetFormattingRect(const TRect* R) {
    if (!R) {
      if (FHasRect) {
        FHasRect = false;
        FEdit->setViewportMargins(0, 0, 0, 0);
        FEdit->document()->setDocumentMargin(FDefaultMargin);
      }
      return;
    }
    const TRect A = TextArea();
    TRect N = Rect(std::clamp(R->Left, A.Left, A.Right), std::clamp(R->Top, A.Top, A.Bottom),
                   std::clamp(R->Right, A.Left, A.Right), std::clamp(R->Bottom, A.Top, A.Bottom));
    N.Right = std::max(N.Right, N.Left);
    N.Bottom = std::max(N.Bottom, N.Top);
    FHasRect = true;
    FRect = N;
    FEdit->document()->setDocumentMargin(0);
    FEdit->setViewportMargins(N.Left - A.Left, N.Top - A.Top, A.Right - N.Right, A.Bottom - N.Bottom);
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

  TMemoWidget* FEdit = nullptr;
  bool FSyncing = false;
  UINT FLimit = 32767;  // the platform's limit until EM_LIMITTEXT sets one
  bool FHasRect = false;
  TRect FRect{};
  qreal FDefaultMargin = 4;
};

}  // namespace

std::unique_ptr<TNativeControl> MakeNativeMemo(HWND Wnd, const CREATESTRUCT* Create) {
  return std::make_unique<TNativeMemo>(Wnd, Create);
}
