// Print jobs over QPrinter: each page image is drawn over the whole paper of a PDF file or a system printer.
#include "platform/graphics/GdiInternals.h"
#include "platform/qt/QtGdi.h"
#include "platform/win/WindowBackend.h"

#include <QCoreApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstdio>
#include <memory>

namespace {

struct TQtJob {
  std::unique_ptr<QPrinter> Printer;
  QPainter Painter;
  bool FirstPage = true;
  std::string Output;
  bool Pdf = true;
};

}  // namespace

namespace Gdi {

std::vector<std::string> QtPrinterNames() {
  std::vector<std::string> Names{"PDF"};
  if (!QCoreApplication::instance()) {
    WindowBackend();
  }
  for (const QString& N : QPrinterInfo::availablePrinterNames()) {
    Names.push_back(N.toStdString());
  }
  return Names;
}

void* QtPrintJobStart(const TPrintSettings& S) {
  if (!QCoreApplication::instance()) {
    WindowBackend();
  }
  auto J = std::make_unique<TQtJob>();
  J->Pdf = S.Printer.empty() || S.Printer == "PDF";
  J->Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (J->Pdf) {
    J->Printer->setOutputFormat(QPrinter::PdfFormat);
    J->Printer->setOutputFileName(QString::fromStdString(S.Output));
    J->Output = S.Output;
  } else {
    J->Printer->setPrinterName(QString::fromStdString(S.Printer));
  }
  J->Printer->setPageSize(QPageSize(QPageSize::A4));
  J->Printer->setPageOrientation(S.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  J->Printer->setFullPage(true);
  J->Printer->setDocName(QString::fromStdString(S.Title));
  J->Printer->setCopyCount(std::max(1, S.Copies));
  if (!J->Painter.begin(J->Printer.get())) {
    return nullptr;
  }
  return J.release();
}

bool QtPrintJobPage(void* Job, const TPixels& Page) {
  auto* J = static_cast<TQtJob*>(Job);
  if (!J) {
    return false;
  }
  if (!J->FirstPage && !J->Printer->newPage()) {
    return false;
  }
  J->FirstPage = false;
  QImage Img(reinterpret_cast<const uchar*>(Page.Data.data()), Page.Width, Page.Height,
             static_cast<qsizetype>(Page.Width) * 4, QImage::Format_RGB32);
  J->Painter.drawImage(J->Printer->paperRect(QPrinter::DevicePixel), Img);
  return true;
}

bool QtPrintJobEnd(void* Job, bool Abort) {
  std::unique_ptr<TQtJob> J(static_cast<TQtJob*>(Job));
  if (!J) {
    return false;
  }
  if (J->FirstPage && !Abort) {
    // A document needs a page, even an empty one.
    J->FirstPage = false;
  }
  bool Ok = J->Painter.end();
  if (Abort && J->Pdf && !J->Output.empty()) {
    std::remove(J->Output.c_str());
  }
  return Ok && !Abort;
}

}  // namespace Gdi
