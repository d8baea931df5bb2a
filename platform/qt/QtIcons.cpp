// The Qt side of the desktop's icons: the icon theme first, then the style's standard icons.
#include "platform/qt/QtGdi.h"
#include "platform/graphics/GdiInternals.h"
#include "platform/win/WindowBackend.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QThread>

namespace {

QStyle::StandardPixmap StandardOf(TStandardIcon Icon) {
  switch (Icon) {
    case TStandardIcon::File: return QStyle::SP_FileIcon;
    case TStandardIcon::FileLink: return QStyle::SP_FileLinkIcon;
    case TStandardIcon::Folder: return QStyle::SP_DirIcon;
    case TStandardIcon::FolderOpen: return QStyle::SP_DirOpenIcon;
    case TStandardIcon::Home: return QStyle::SP_DirHomeIcon;
    case TStandardIcon::Computer: return QStyle::SP_ComputerIcon;
    case TStandardIcon::Drive: return QStyle::SP_DriveHDIcon;
    case TStandardIcon::Removable: return QStyle::SP_DriveFDIcon;
    case TStandardIcon::Trash: return QStyle::SP_TrashIcon;
    case TStandardIcon::Desktop: return QStyle::SP_DesktopIcon;
    case TStandardIcon::None: break;
  }
  return QStyle::SP_CustomBase;
}

// The icon drawn at Size x Size (centred when the icon has no image that large); false when nothing shows.
bool Render(const QIcon& Icon, int Size, std::vector<std::uint32_t>& Pixels) {
  QImage Img(Size, Size, QImage::Format_ARGB32_Premultiplied);
  Img.fill(Qt::transparent);
  {
    QPainter P(&Img);
    const QPixmap Pm = Icon.pixmap(QSize(Size, Size), 1.0);
    if (Pm.isNull()) {
      return false;
    }
    P.drawPixmap((Size - Pm.width()) / 2, (Size - Pm.height()) / 2, Pm);
  }
  const QImage Plain = Img.convertToFormat(QImage::Format_ARGB32);
  Pixels.assign(static_cast<std::size_t>(Size * Size), 0);
  bool Shows = false;
  for (int Y = 0; Y < Size; ++Y) {
    const auto* Row = reinterpret_cast<const std::uint32_t*>(Plain.constScanLine(Y));
    for (int X = 0; X < Size; ++X) {
      Pixels[static_cast<std::size_t>(Y * Size + X)] = Row[X];
      Shows = Shows || (Row[X] >> 24) != 0;
    }
  }
  return Shows;
}

}  // namespace

namespace Gdi {

int QtDesktopIcon(const std::vector<std::string>& Names, TStandardIcon Standard, int Size, std::string& Key,
                  std::vector<std::uint32_t>* Pixels) {
  if (!QCoreApplication::instance()) {
    WindowBackend();  // creates the application object, on the main thread only
  }
  auto* App = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (!App || QThread::currentThread() != App->thread() || Size <= 0) {
    return -1;
  }
  QIcon Icon;
  for (const std::string& Name : Names) {
    const QString N = QString::fromUtf8(Name.data(), static_cast<qsizetype>(Name.size()));
    if (!N.isEmpty() && QIcon::hasThemeIcon(N)) {
      Icon = QIcon::fromTheme(N);
      Key = "theme:" + Name;
      break;
    }
  }
  if (Icon.isNull()) {
    const QStyle::StandardPixmap Sp = StandardOf(Standard);
    auto* Widgets = qobject_cast<QApplication*>(App);
    if (Sp == QStyle::SP_CustomBase || !Widgets || !QApplication::style()) {
      return 0;
    }
    Icon = QApplication::style()->standardIcon(Sp);
    Key = "standard:" + std::to_string(static_cast<int>(Sp));
    if (Icon.isNull()) {
      return 0;
    }
  }
  if (Pixels && !Render(Icon, Size, *Pixels)) {
    return 0;
  }
  return 1;
}

}  // namespace Gdi
