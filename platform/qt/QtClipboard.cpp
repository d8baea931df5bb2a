// The desktop clipboard for the program's clipboard store: text, and rich text as "text/rtf", in both directions,
// on real displays only.
#include "platform/rtl/CodePage.h"
#include "platform/win/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QString LastSeen;

bool Active() {
  auto* App = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (!App) {
    return false;
  }
  QString P = QGuiApplication::platformName();
  return P != QLatin1String("offscreen") && P != QLatin1String("minimal");
}

void Export(const std::string& Text) {
  QString S;
  for (unsigned char B : Text) {
    S += QChar(static_cast<char16_t>(Cp1252ToUnicode(B)));
  }
  LastSeen = S;
  QGuiApplication::clipboard()->setText(S);
}

bool Import(std::string& Text) {
  QClipboard* C = QGuiApplication::clipboard();
  if (C->ownsClipboard()) {
    return false;
  }
  QString S = C->text();
  if (S.isEmpty() || S == LastSeen) {
    return false;
  }
  LastSeen = S;
  Text.clear();
  for (QChar Ch : S) {
    int B = UnicodeToCp1252(Ch.unicode());
    Text += static_cast<char>(B >= 0 ? B : '?');
  }
  return true;
}

QString FromAnsi(const std::string& Text) {
  QString S;
  for (unsigned char B : Text) {
    S += QChar(static_cast<char16_t>(Cp1252ToUnicode(B)));
  }
  return S;
}

void ExportRich(const std::string& Text, const std::string& Rtf) {
  if (Rtf.empty()) {
    Export(Text);
    return;
  }
  auto* Mime = new QMimeData();
  LastSeen = FromAnsi(Text);
  Mime->setText(LastSeen);
  Mime->setData(QStringLiteral("text/rtf"), QByteArray(Rtf.data(), static_cast<qsizetype>(Rtf.size())));
  QGuiApplication::clipboard()->setMimeData(Mime);
}

bool ImportRich(std::string& Text, std::string& Rtf) {
  QClipboard* C = QGuiApplication::clipboard();
  if (C->ownsClipboard()) {
    return false;
  }
  const QMimeData* Mime = C->mimeData();
  QByteArray Rich;
  if (Mime) {
    for (const char* Type : {"text/rtf", "application/rtf"}) {
      if (Mime->hasFormat(QLatin1String(Type))) {
        Rich = Mime->data(QLatin1String(Type));
        break;
      }
    }
  }
  if (!Import(Text)) {
    return false;
  }
  Rtf.assign(Rich.constData(), static_cast<std::size_t>(Rich.size()));
  return true;
}

struct TRegistration {
  TRegistration() {
    TClipboardMirror M;
    M.Active = &Active;
    M.Export = &Export;
    M.Import = &Import;
    M.ExportRich = &ExportRich;
    M.ImportRich = &ImportRich;
    SetClipboardMirror(M);
  }
} Registration;

}  // namespace
