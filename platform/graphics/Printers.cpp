// Printer DCs (a page image per DC, handed to the toolkit's print job) and TPrinter.
#include "platform/graphics/GdiInternals.h"
#include "platform/graphics/Printers.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Files.h"

#include <unordered_map>

Z_IMPLEMENT_CLASS(EPrinter, Exception)
Z_IMPLEMENT_CLASS(TPrinter, TObject)

namespace {

constexpr int PrinterDpi = 150;

struct TJob {
  TPrintSettings Settings;
  void* Handle = nullptr;
  bool PageDirty = false;
};

std::unordered_map<HDC, TJob>& Jobs() {
  static std::unordered_map<HDC, TJob> J;
  return J;
}

void ClearPage(TPixels& P) { std::fill(P.Data.begin(), P.Data.end(), 0xFFFFFFFFu); }

}  // namespace

HDC CreatePrinterDC(const std::string& Device, bool Landscape) {
  // A4: 8.27 x 11.69 inches.
  int W = static_cast<int>(8.27 * PrinterDpi + 0.5), H = static_cast<int>(11.69 * PrinterDpi + 0.5);
  if (Landscape) {
    std::swap(W, H);
  }
  auto Page = std::make_shared<TPixels>();
  Page->Width = W;
  Page->Height = H;
  Page->Data.assign(static_cast<std::size_t>(W) * static_cast<std::size_t>(H), 0xFFFFFFFFu);
  auto D = std::make_shared<TDCRec>();
  D->Printer = true;
  D->Dpi = PrinterDpi;
  D->Target = Page;
  int Margin = PrinterDpi / 4;
  D->Origin = Point(Margin, Margin);
  D->Limit = TRegionData(Rect(Margin, Margin, W - Margin, H - Margin));
  HDC DC = Gdi::AddDC(D);
  TJob J;
  J.Settings.Printer = Device;
  J.Settings.Landscape = Landscape;
  J.Settings.Dpi = PrinterDpi;
  std::lock_guard G(Gdi::Lock());
  Jobs()[DC] = J;
  return DC;
}

int StartDoc(HDC DC, const DOCINFO* Info) {
  std::lock_guard G(Gdi::Lock());
  auto It = Jobs().find(DC);
  auto D = Gdi::DC(DC);
  if (It == Jobs().end() || !D || !Info || It->second.Handle) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  TJob& J = It->second;
  J.Settings.Title = Info->lpszDocName ? Info->lpszDocName : "";
  J.Settings.Output = Info->lpszOutput ? Info->lpszOutput : "";
  J.Handle = Gdi::PrintJobStart(J.Settings);
  if (!J.Handle) {
    SetLastError(ERROR_WRITE_FAULT);
    return 0;
  }
  ClearPage(*D->Target);
  return 1;
}

int StartPage(HDC DC) {
  std::lock_guard G(Gdi::Lock());
  auto It = Jobs().find(DC);
  return It != Jobs().end() && It->second.Handle ? 1 : 0;
}

int EndPage(HDC DC) {
  std::lock_guard G(Gdi::Lock());
  auto It = Jobs().find(DC);
  auto D = Gdi::DC(DC);
  if (It == Jobs().end() || !It->second.Handle || !D) {
    return 0;
  }
  bool Ok = Gdi::PrintJobPage(It->second.Handle, *D->Target);
  ClearPage(*D->Target);
  return Ok ? 1 : 0;
}

int EndDoc(HDC DC) {
  std::lock_guard G(Gdi::Lock());
  auto It = Jobs().find(DC);
  if (It == Jobs().end() || !It->second.Handle) {
    return 0;
  }
  bool Ok = Gdi::PrintJobEnd(It->second.Handle, false);
  It->second.Handle = nullptr;
  return Ok ? 1 : 0;
}

int AbortDoc(HDC DC) {
  std::lock_guard G(Gdi::Lock());
  auto It = Jobs().find(DC);
  if (It == Jobs().end() || !It->second.Handle) {
    return 0;
  }
  Gdi::PrintJobEnd(It->second.Handle, true);
  It->second.Handle = nullptr;
  return 1;
}

// ---- TPrinter ----------------------------------------------------------------------------------------------------

namespace {

// The printer's canvas: its font measures in the printer's dots.
class TPrinterCanvas final : public TCanvas {
public:
  explicit TPrinterCanvas(TPrinter* Owner) : FOwner(Owner) { Font()->PixelsPerInch = PrinterDpi; }

protected:
  void CreateHandle() override { SetHandle(FOwner->Handle()); }

private:
  TPrinter* FOwner;
};

TPrinter*& CurrentPrinter() {
  static TPrinter* P = nullptr;
  return P;
}

}  // namespace

TPrinter* Printer() {
  if (!CurrentPrinter()) {
    // Never freed: its canvas and fonts use the graphics caches, which may be gone by the time statics are
    // destroyed at exit.
    static TPrinter* const Default = new TPrinter();
    CurrentPrinter() = Default;
  }
  return CurrentPrinter();
}

TPrinter* SetPrinter(TPrinter* NewPrinter) {
  TPrinter* Old = Printer();
  CurrentPrinter() = NewPrinter;
  return Old;
}

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
  if (FPrinting) {
    Abort();
  }
  FreeDC();
}

void TPrinter::FreeDC() {
  if (FCanvas) {
    FCanvas->SetHandle(0);
  }
  if (FDC) {
    {
      std::lock_guard G(Gdi::Lock());
      Jobs().erase(FDC);
    }
    DeleteDC(FDC);
    FDC = 0;
  }
}

TStrings* TPrinter::Printers() {
  if (!FPrinters) {
    FPrinters = std::make_unique<TStringList>();
    for (const std::string& N : Gdi::PrinterNames()) {
      FPrinters->Add(N);
    }
  }
  return FPrinters.get();
}

void TPrinter::SetPrinterIndex(Integer Value) {
  if (FPrinting) {
    throw EPrinter("Printing in progress");
  }
  if (Value < -1 || Value >= Printers()->Count()) {
    throw EPrinter("Printer selected is not valid");
  }
  FPrinterIndex = Value;
  FreeDC();
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
  if (FPrinting) {
    throw EPrinter("Printing in progress");
  }
  if (Value != FOrientation) {
    FOrientation = Value;
    FreeDC();
  }
}

HDC TPrinter::Handle() {
  if (!FDC) {
    std::string Device = Printers()->Strings(FPrinterIndex < 0 ? 0 : FPrinterIndex);
    FDC = CreatePrinterDC(Device, FOrientation == poLandscape);
  }
  return FDC;
}

TCanvas* TPrinter::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TPrinterCanvas>(this);
  }
  return FCanvas.get();
}

Integer TPrinter::PageWidth() { return GetDeviceCaps(Handle(), HORZRES); }

Integer TPrinter::PageHeight() { return GetDeviceCaps(Handle(), VERTRES); }

void TPrinter::BeginDoc() {
  if (FPrinting) {
    throw EPrinter("Printing in progress");
  }
  std::string Output = OutputFileName;
  if (Output.empty()) {
    Output = IncludeTrailingPathDelimiter(GetTempPathString()) + (Title.empty() ? std::string("Document") : Title) + ".pdf";
  }
  DOCINFO Info;
  Info.lpszDocName = Title.c_str();
  Info.lpszOutput = Output.c_str();
  HDC DC = Handle();
  {
    std::lock_guard G(Gdi::Lock());
    Jobs()[DC].Settings.Copies = Copies;
  }
  if (StartDoc(DC, &Info) <= 0) {
    throw EPrinter(Format("Printing to %s failed", {Output}));
  }
  FPrinting = true;
  FAborted = false;
  FPageNumber = 1;
  StartPage(DC);
  Canvas()->Refresh();
}

void TPrinter::NewPage() {
  if (!FPrinting) {
    throw EPrinter("Printer is not currently printing");
  }
  EndPage(FDC);
  StartPage(FDC);
  ++FPageNumber;
  Canvas()->Refresh();
}

void TPrinter::EndDoc() {
  if (!FPrinting) {
    throw EPrinter("Printer is not currently printing");
  }
  EndPage(FDC);
  bool Ok = ::EndDoc(FDC) > 0;
  FPrinting = false;
  FPageNumber = 0;
  if (!Ok) {
    throw EPrinter("Printing failed");
  }
}

void TPrinter::Abort() {
  if (!FPrinting) {
    throw EPrinter("Printer is not currently printing");
  }
  AbortDoc(FDC);
  FPrinting = false;
  FAborted = true;
  FPageNumber = 0;
}
