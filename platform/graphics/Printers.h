// Printing: printer DCs with the document calls, and the class library's TPrinter. Pages go to PDF files (the
// "PDF" printer) or to the system's printers.
#pragma once

#include "platform/classes/StringList.h"
#include "platform/graphics/Graphics.h"

#include <memory>

struct DOCINFO {
  int cbSize = sizeof(DOCINFO);
  LPCSTR lpszDocName = nullptr;
  LPCSTR lpszOutput = nullptr;  // the PDF file to write
  LPCSTR lpszDatatype = nullptr;
  DWORD fwType = 0;
};

// A DC for a printer ("PDF" or a name from the printer list): A4 paper at 150 dots per inch with quarter-inch
// margins; GetDeviceCaps reports the page. Landscape swaps the paper's sides.
HDC CreatePrinterDC(const std::string& Device, bool Landscape);
int StartDoc(HDC DC, const DOCINFO* Info);  // > 0 on success
int StartPage(HDC DC);
int EndPage(HDC DC);
int EndDoc(HDC DC);
int AbortDoc(HDC DC);

Z_EXCEPTION(EPrinter, Exception)

enum TPrinterOrientation { poPortrait, poLandscape };

// The program's printer. BeginDoc starts a document on the chosen printer; the canvas draws on the current page;
// NewPage and EndDoc send pages out. Errors raise EPrinter ("Printing in progress", "Printer is not currently
// printing", "Printer selected is not valid").
class TPrinter : public TObject {
  Z_CLASS(TPrinter, TObject)
public:
  TPrinter();
  ~TPrinter() override;
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  TStrings* Printers();
  Integer PrinterIndex() const { return FPrinterIndex; }
  void SetPrinterIndex(Integer Value);  // -1: the default printer
  std::string Title;
  Integer Copies = 1;
  // Where the "PDF" printer writes; empty: "<Title>.pdf" in the temporary folder.
  std::string OutputFileName;
  TPrinterOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation Value);
  Integer PageWidth();
  Integer PageHeight();
  Integer PageNumber() const { return FPageNumber; }
  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }

  // Virtual, so that a printer can be wrapped (to count or redirect documents).
  virtual void BeginDoc();
  virtual void NewPage();
  virtual void EndDoc();
  virtual void Abort();
  TCanvas* Canvas();
  HDC Handle();

private:
  void FreeDC();
  std::unique_ptr<TStringList> FPrinters;
  Integer FPrinterIndex = -1;
  TPrinterOrientation FOrientation = poPortrait;
  Integer FPageNumber = 0;
  bool FPrinting = false;
  bool FAborted = false;
  HDC FDC = 0;
  std::unique_ptr<TCanvas> FCanvas;
};

TPrinter* Printer();
TPrinter* SetPrinter(TPrinter* NewPrinter);  // returns the old one (not freed)
