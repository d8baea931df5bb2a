// OLE drag and drop over Qt's: desktop drags over the program's windows reach their drop targets with the mime
// data as a data object, and the program's own drags that leave its windows continue as Qt drags.
#include "platform/qt/QtHost.h"
#include "platform/qt/QtNativeControl.h"
#include "platform/rtl/CodePage.h"
#include "platform/win/Ole.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <cstring>

namespace {

const QString WindowsMimePrefix = QStringLiteral("application/x-qt-windows-mime;value=\"");

// The names (the file system's bytes) of the local files among the mime data's URLs.
std::vector<std::string> LocalFiles(const QMimeData* Mime) {
  std::vector<std::string> Files;
  if (!Mime || !Mime->hasUrls()) {
    return Files;
  }
  for (const QUrl& U : Mime->urls()) {
    std::string Name = UrlToFileName(U);
    if (!Name.empty()) {
      Files.push_back(std::move(Name));
    }
  }
  return Files;
}

// A dropped-files block as bytes: the header, each name with its zero, and the closing zero.
std::string DropFilesBytes(const std::vector<std::string>& Files) {
  DROPFILES H;
  H.pFiles = sizeof(DROPFILES);
  std::string Bytes(reinterpret_cast<const char*>(&H), sizeof H);
  for (const std::string& F : Files) {
    Bytes += F;
    Bytes += '\0';
  }
  Bytes += '\0';
  return Bytes;
}

// The clipboard format a mime type stands for, by name (Qt names Windows formats with a prefix of its own).
UINT FormatOfMimeType(const QString& Type) {
  QString Name = Type;
  if (Name.startsWith(WindowsMimePrefix) && Name.endsWith(QLatin1Char('"'))) {
    Name = Name.mid(WindowsMimePrefix.size(), Name.size() - WindowsMimePrefix.size() - 1);
  }
  std::string Ansi = QStringToAnsi(Name);
  return Ansi.empty() ? 0 : RegisterClipboardFormat(Ansi.c_str());
}

// A data object over mime data: CF_HDROP from local file URLs, CF_TEXT from text, other types as registered
// formats of the same name. Rendered on request while the mime data lives.
TMemoryDataObject* WrapMimeData(const QMimeData* Mime) {
  std::vector<UINT> Formats;
  std::vector<QString> Types(1, QString());  // index 0 unused; format i >= 1 renders Types[i]
  if (!LocalFiles(Mime).empty()) {
    Formats.push_back(CF_HDROP);
  }
  if (Mime->hasText()) {
    Formats.push_back(CF_TEXT);
  }
  std::vector<std::pair<UINT, QString>> Others;
  for (const QString& T : Mime->formats()) {
    if (T == QLatin1String("text/uri-list") || T.startsWith(QLatin1String("text/plain"))) {
      continue;
    }
    if (UINT F = FormatOfMimeType(T); F && std::find(Formats.begin(), Formats.end(), F) == Formats.end()) {
      Formats.push_back(F);
      Others.emplace_back(F, T);
    }
  }
  QPointer<const QMimeData> Source(Mime);
  auto Render = [Source, Others](UINT Format, std::string& Bytes) {
    if (!Source) {
      return false;
    }
    if (Format == CF_HDROP) {
      Bytes = DropFilesBytes(LocalFiles(Source));
      return true;
    }
    if (Format == CF_TEXT) {
      Bytes = QStringToAnsi(Source->text());
      Bytes += '\0';
      return true;
    }
    for (const auto& [F, Type] : Others) {
      if (F == Format) {
        QByteArray Data = Source->data(Type);
        Bytes.assign(Data.constData(), static_cast<std::size_t>(Data.size()));
        return true;
      }
    }
    return false;
  };
  return new TMemoryDataObject(std::move(Formats), std::move(Render));
}

DWORD EffectsOf(Qt::DropActions A) {
  DWORD E = DROPEFFECT_NONE;
  if (A & Qt::CopyAction) E |= DROPEFFECT_COPY;
  if (A & Qt::MoveAction) E |= DROPEFFECT_MOVE;
  if (A & Qt::LinkAction) E |= DROPEFFECT_LINK;
  return E;
}

Qt::DropActions ActionsOf(DWORD E) {
  Qt::DropActions A;
  if (E & DROPEFFECT_COPY) A |= Qt::CopyAction;
  if (E & DROPEFFECT_MOVE) A |= Qt::MoveAction;
  if (E & DROPEFFECT_LINK) A |= Qt::LinkAction;
  return A;
}

// The one action Qt is told: the proposed one when the effect allows it, else copy, move, link in that order.
Qt::DropAction ActionFor(DWORD Effect, Qt::DropAction Proposed) {
  if (ActionsOf(Effect) & Proposed) {
    return Proposed;
  }
  for (Qt::DropAction A : {Qt::CopyAction, Qt::MoveAction, Qt::LinkAction}) {
    if (ActionsOf(Effect) & A) {
      return A;
    }
  }
  return Qt::IgnoreAction;
}

DWORD KeyStateOf(const QDropEvent* E) {
  DWORD K = 0;
  Qt::MouseButtons B = E->buttons();
  Qt::KeyboardModifiers M = E->modifiers();
  if (B & Qt::LeftButton) K |= MK_LBUTTON;
  if (B & Qt::RightButton) K |= MK_RBUTTON;
  if (B & Qt::MiddleButton) K |= MK_MBUTTON;
  if (M & Qt::ShiftModifier) K |= MK_SHIFT;
  if (M & Qt::ControlModifier) K |= MK_CONTROL;
  if (M & Qt::AltModifier) K |= MK_ALT;
  return K;
}

// The drag coming in: the mime data it wraps and the data object handed to targets. Qt leaves one widget and
// enters the next within the same event, so a leave only counts once the events queued with it are handled.
struct TIncoming {
  QPointer<const QMimeData> Mime;
  const QMimeData* MimeKey = nullptr;
  IDataObject* Data = nullptr;    // one reference
  TMemoryDataObject* Own = nullptr;  // when Data wraps the mime data
  unsigned LeaveSerial = 0;
  bool LeavePending = false;
};
TIncoming& Incoming() {
  static auto* I = new TIncoming;
  return *I;
}

void ForgetIncoming() {
  auto& I = Incoming();
  if (I.Own && I.Own->RefCount() > 1) {
    I.Own->Detach();  // a target kept the object: it keeps the data too
  }
  if (IDataObject* D = I.Data) {
    I.Data = nullptr;
    D->Release();
  }
  I.Own = nullptr;
  I.Mime = nullptr;
  I.MimeKey = nullptr;
  I.LeavePending = false;
}

IDataObject* IncomingData(const QDropEvent* E) {
  auto& I = Incoming();
  I.LeavePending = false;
  const QMimeData* Mime = E->mimeData();
  if (I.Data && I.MimeKey == Mime && I.Mime) {
    return I.Data;
  }
  OleDesktopDragLeave();
  ForgetIncoming();
  I.Mime = Mime;
  I.MimeKey = Mime;
  if (IDataObject* Own = OleCurrentDragData(); Own && E->source()) {
    // Our own drag, handed to Qt when it left our windows, has come back: targets get the original object.
    I.Data = Own;
    Own->AddRef();
  } else if (Mime) {
    I.Own = WrapMimeData(Mime);
    I.Data = I.Own;
  }
  return I.Data;
}

TPoint ScreenPoint(QWidget* Host, const QDropEvent* E) {
  QPoint G = Host->mapToGlobal(E->position().toPoint());
  return Point(G.x(), G.y());
}

void Answer(QDropEvent* E, DWORD Effect) {
  Qt::DropAction A = ActionFor(Effect, E->proposedAction());
  if (A == Qt::IgnoreAction) {
    E->ignore();
    return;
  }
  E->setDropAction(A);
  E->accept();
}

// ---- Outgoing drags ---------------------------------------------------------------------------------------------

bool RealSession() {
  QString P = QGuiApplication::platformName();
  return !P.isEmpty() && P != QLatin1String("offscreen") && P != QLatin1String("minimal");
}

// Only runs on a real desktop: the desktop's drag loop is Qt's own, and the pointer is outside our windows.
DWORD StartDesktopDrag(IDataObject* Data, DWORD OkEffects) {
  auto* Mime = new QMimeData;
  STGMEDIUM M;
  FORMATETC F{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  if (SUCCEEDED(Data->GetData(&F, &M))) {
    std::vector<std::string> Files;
    if (M.tymed == TYMED_HGLOBAL && ReadDropFilesBlock(M.hGlobal, Files)) {
      QList<QUrl> Urls;
      for (const std::string& Name : Files) {
        Urls.push_back(FileNameToUrl(Name));
      }
      Mime->setUrls(Urls);
    }
    ReleaseStgMedium(&M);
  }
  std::string Text;
  if (OleReadFormat(Data, CF_TEXT, Text)) {
    Mime->setText(AnsiToQString(Text.substr(0, Text.find('\0'))));
  }
  QWidget* Source = nullptr;
  if (auto* B = TQtBackend::Instance()) {
    Source = B->HostOf(GetActiveWindow());
  }
  auto* Drag = new QDrag(Source ? static_cast<QObject*>(Source) : QCoreApplication::instance());
  Drag->setMimeData(Mime);
  Qt::DropActions Allowed = ActionsOf(OkEffects);
  Qt::DropAction Default = (Allowed & Qt::CopyAction) ? Qt::CopyAction : ActionFor(OkEffects, Qt::CopyAction);
  Qt::DropAction Done = Drag->exec(Allowed, Default);
  return EffectsOf(Done) & OkEffects;
}

struct TRegistration {
  TRegistration() {
    TOleDesktopDrag B;
    B.Active = &RealSession;
    B.Start = &StartDesktopDrag;
    SetOleDesktopDrag(B);
  }
} Registration;

}  // namespace

// ---- Incoming drags, called by the host widgets -------------------------------------------------------------------

void QtOleDragMove(QWidget* Host, QDragMoveEvent* E) {
  IDataObject* Data = IncomingData(E);
  if (!Data) {
    E->ignore();
    return;
  }
  Answer(E, OleDesktopDragOver(Data, ScreenPoint(Host, E), KeyStateOf(E), EffectsOf(E->possibleActions())));
}

void QtOleDragLeave() {
  auto& I = Incoming();
  I.LeavePending = true;
  unsigned Serial = ++I.LeaveSerial;
  QTimer::singleShot(0, [Serial] {
    auto& I = Incoming();
    if (I.LeavePending && I.LeaveSerial == Serial) {
      OleDesktopDragLeave();
      ForgetIncoming();
    }
  });
}

void QtOleDrop(QWidget* Host, QDropEvent* E) {
  IDataObject* Data = IncomingData(E);
  DWORD Effect = DROPEFFECT_NONE;
  if (Data) {
    Effect = OleDesktopDrop(Data, ScreenPoint(Host, E), KeyStateOf(E), EffectsOf(E->possibleActions()));
  }
  ForgetIncoming();
  Answer(E, Effect);
}
