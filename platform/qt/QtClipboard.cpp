// The desktop clipboard for the program's clipboard store: text in both directions, on real displays only.
#include "platform/rtl/CodePage.h"
#include "platform/win/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

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

struct TRegistration {
  TRegistration() {
    TClipboardMirror M;
    M.Active = &Active;
    M.Export = &Export;
    M.Import = &Import;
    SetClipboardMirror(M);
  }
} Registration;

}  // namespace
