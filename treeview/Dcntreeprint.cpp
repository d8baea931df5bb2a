// ZEZTreePrintOptions, and printing a tree view: the setup window, paging the rows into page-sized tiles of the
// screen picture, recording each tile and stretching it onto the printable area with header and footer, and the
// progress window with its Cancel button.
#include "treeview/Dcntree.h"
#include "treeview/Dcntreepo.h"
#include "treeview/Vuvudipg.h"

#include "platform/graphics/Metafiles.h"
#include "platform/graphics/Printers.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <memory>
#include <vector>

Z_IMPLEMENT_CLASS_PUBLISHED(ZEZTreePrintOptions, TPersistent, ZEZTreePrintOptions::Publish)

// ---- print options -----------------------------------------------------------------------------------------------

void ZEZTreePrintOptions::Publish(TMetaClass& Meta) {
  TPublisher<ZEZTreePrintOptions> P(Meta);
  using O = ZEZTreePrintOptions;
  P.Property("Footer", &O::Footer, &O::Footer);
  P.Property("FooterFont", &O::FooterFont, &O::SetFooterFont);
  P.Property("Header", &O::Header, &O::Header);
  P.Property("HeaderFont", &O::HeaderFont, &O::SetHeaderFont);
  P.Property("ParentFooterFont", &O::ParentFooterFont, &O::SetParentFooterFont).Default(true);
  P.Property("ParentHeaderFont", &O::ParentHeaderFont, &O::SetParentHeaderFont).Default(true);
  P.Property("ParentPrintFont", &O::ParentPrintFont, &O::SetParentPrintFont).Default(true);
  P.Property("PrintFont", &O::PrintFont, &O::SetPrintFont);
  P.Property("Title", &O::Title, &O::Title);
  P.Property("Options", &O::Options, &O::Options);
}

ZEZTreePrintOptions::ZEZTreePrintOptions(ZEZCustomTreeView* View)
    : FFooterFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()),
      FPrintFont(std::make_unique<TFont>()),
      FTreeView(View) {
  SetParentFooterFont(true);
  SetParentHeaderFont(true);
  SetParentPrintFont(true);
}

ZEZTreePrintOptions::~ZEZTreePrintOptions() = default;

void ZEZTreePrintOptions::CopyViewFont(TFont* Font) {
  if (FTreeView) {
    Font->Assign(FTreeView->Font());
  }
}

void ZEZTreePrintOptions::SetFooterFont(TFont* Value) {
  FFooterFont->Assign(Value);
  FParentFooterFont = false;
}

void ZEZTreePrintOptions::SetHeaderFont(TFont* Value) {
  FHeaderFont->Assign(Value);
  FParentHeaderFont = false;
}

void ZEZTreePrintOptions::SetPrintFont(TFont* Value) {
  FPrintFont->Assign(Value);
  FParentPrintFont = false;
}

void ZEZTreePrintOptions::SetParentFooterFont(bool Value) {
  if (Value == FParentFooterFont) {
    return;
  }
  FParentFooterFont = Value;
  if (Value) {
    CopyViewFont(FFooterFont.get());
  }
}

void ZEZTreePrintOptions::SetParentHeaderFont(bool Value) {
  if (Value == FParentHeaderFont) {
    return;
  }
  FParentHeaderFont = Value;
  if (Value) {
    CopyViewFont(FHeaderFont.get());
  }
}

void ZEZTreePrintOptions::SetParentPrintFont(bool Value) {
  if (Value == FParentPrintFont) {
    return;
  }
  FParentPrintFont = Value;
  if (Value) {
    CopyViewFont(FPrintFont.get());
  }
}

void ZEZTreePrintOptions::ViewFontChanged() {
  if (FParentHeaderFont)
    CopyViewFont(FHeaderFont.get());
  if (FParentFooterFont)
    CopyViewFont(FFooterFont.get());
  if (FParentPrintFont)
    CopyViewFont(FPrintFont.get());
}

void ZEZTreePrintOptions::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<ZEZTreePrintOptions*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  if (S == this) {
    return;
  }
  Footer = S->Footer;
  Header = S->Header;
  Title = S->Title;
  Options = S->Options;
  SetFooterFont(S->FooterFont());
  SetHeaderFont(S->HeaderFont());
  SetPrintFont(S->PrintFont());
  SetParentFooterFont(S->ParentFooterFont());
  SetParentHeaderFont(S->ParentHeaderFont());
  SetParentPrintFont(S->ParentPrintFont());
}

// ---- printing ----------------------------------------------------------------------------------------------------

// Everything one print run computes before the pages go out.
struct ZEZCustomTreeView::TPrintJob {
  TPrinter* Printer = nullptr;
  TMemoPrintProgress* Progress = nullptr;
  bool All = false;
  // The printed rows in order and the index of the first row of each page down.
  std::vector<ZEZTreeNode*> Rows;
  std::vector<std::size_t> PageStarts;
  // In printer pixels: the margins and edges of the printed area, where the header line and the footer go, and
  // the rectangle the page picture is stretched into.
  Integer LeftMargin = 0;
  Integer TopMargin = 0;
  Integer RightEdge = 0;
  Integer BottomEdge = 0;
  Integer FooterLine = 0;
  TRect Target;
  // One page of the screen picture, in screen pixels.
  Integer PageWidth = 0;
  Integer PageHeight = 0;
  Integer PrintWidth = 0;
  Integer Across = 1;
  Integer Down = 1;
  std::string TotalText;
};

TFont* ZEZCustomTreeView::NodeParentFont() { return FPrinting ? FPrintOptions->PrintFont() : Font(); }

Integer ZEZCustomTreeView::GetPrintWidth() {
  Integer Widest = 0;
  ForEachNode(FRoot, [&Widest, this](ZEZTreeNode* N) {
    if (N != FRoot) {
      Widest = std::max(Widest, N->GetWidth());
    }
  });
  return Widest;
}

bool ZEZCustomTreeView::PrintWithDialog(bool All) {
  auto Setup = std::make_unique<TfrmTreePrintSetup>(this);
  Setup->AfterConstruction();
  const ZEZPrintOptions Was = FPrintOptions->Options;
  Setup->chkShowPrintProgress->SetChecked(Was.Contains(poShowProgress));
  Setup->chkHeader->SetChecked(Was.Contains(poHeader));
  Setup->chkFooter->SetChecked(Was.Contains(poFooter));
  Setup->lblFileName->SetCaption(FPrintOptions->Header);
  if (Setup->ShowModal() != mrOk) {
    return false;
  }
  ZEZPrintOptions Chosen;
  if (Setup->chkShowPrintProgress->Checked())
    Chosen.Include(poShowProgress);
  if (Setup->chkHeader->Checked())
    Chosen.Include(poHeader);
  if (Setup->chkFooter->Checked())
    Chosen.Include(poFooter);
  FPrintOptions->Options = Chosen;
  Setup.reset();
  Print(All);
  return true;
}

void ZEZCustomTreeView::Print(bool All) {
  if (FItems->Locked()) {
    RecalcAll();
  }
  HandleNeeded();
  TPrintJob Job;
  Job.Printer = ::Printer();
  Job.All = All;
  const ZEZCanvasFlags SavedFlags = FCanvas->Flags;
  std::unique_ptr<TMemoPrintProgress> Progress;
  // Rows are measured in the print font while printing; their cached sizes are dropped before and after.
  FCanvas->FreeHandle();
  ResetTextCache();
  FPrinting = true;
  FCanvas->Flags.Include(cfNoTextFill);
  auto Restore = [&] {
    FPrinting = false;
    FCanvas->Flags = SavedFlags;
    FCanvas->SetHandle(0);
    ResetTextCache();
    Progress.reset();
  };
  try {
    if (FPrintOptions->Options.Contains(poShowProgress)) {
      Progress = std::make_unique<TMemoPrintProgress>(Application);
      Progress->AfterConstruction();
      Job.Progress = Progress.get();
      const Integer Index = Job.Printer->PrinterIndex();
      TStrings* Names = Job.Printer->Printers();
      const std::string Name = Names->Count() > 0 ? Names->Strings(Index < 0 ? 0 : Index) : std::string();
      Progress->lblPrinter->SetCaption(Format("Printing on printer %s", {Name}));
      Progress->lblFileName->SetCaption(FPrintOptions->Header);
      Progress->lblProgress->SetCaption(Format("Printing page %d from %s", {1, " ... "}));
      Progress->ProgressBar->SetPosition(0);
      Progress->Show();
      Application->ProcessMessages();
    }
    PrintPages(Job);
  } catch (...) {
    Restore();
    RecalcAll();
    Invalidate();
    throw;
  }
  Restore();
  RecalcAll();
  Invalidate();
}

void ZEZCustomTreeView::PrintPages(TPrintJob& Job) {
  TPrinter* P = Job.Printer;
  HDC PrinterDC = P->Handle();
  HDC Screen = GetDC(0);
  const Integer ScreenX = GetDeviceCaps(Screen, LOGPIXELSX);
  const Integer ScreenY = GetDeviceCaps(Screen, LOGPIXELSY);
  ReleaseDC(0, Screen);
  const Integer PrinterX = std::max(1, GetDeviceCaps(PrinterDC, LOGPIXELSX));
  const Integer PrinterY = std::max(1, GetDeviceCaps(PrinterDC, LOGPIXELSY));
  const Integer OffsetX = GetDeviceCaps(PrinterDC, PHYSICALOFFSETX);
  const Integer OffsetY = GetDeviceCaps(PrinterDC, PHYSICALOFFSETY);
  const Integer PageW = P->PageWidth();
  const Integer PageH = P->PageHeight();
  Job.LeftMargin = OffsetX + (GetDeviceCaps(PrinterDC, PHYSICALWIDTH) - PageW) / 2;
  Job.TopMargin = OffsetY + (GetDeviceCaps(PrinterDC, PHYSICALHEIGHT) - PageH) / 2;
  Job.RightEdge = PageW - 2 * OffsetX;
  Job.BottomEdge = PageH - 2 * OffsetY;

  // The header takes one line at the top and the footer two at the bottom, in their fonts on the printer.
  TCanvas* PC = P->Canvas();
  Integer Top = Job.TopMargin;
  Integer Bottom = Job.BottomEdge;
  if (FPrintOptions->Options.Contains(poHeader)) {
    PC->SetFont(FPrintOptions->HeaderFont());
    Top += PC->TextHeight("Wg");
  }
  if (FPrintOptions->Options.Contains(poFooter)) {
    PC->SetFont(FPrintOptions->FooterFont());
    Job.FooterLine = PC->TextHeight("Wg");
    Bottom -= 2 * Job.FooterLine;
  }
  Job.Target = Rect(Job.LeftMargin, Top, Job.RightEdge, std::max(Top + 1, Bottom));
  // A page of the screen picture is the printed area at screen resolution, so that the picture keeps its
  // proportions on paper.
  Job.PageWidth = std::max(1, MulDiv(Job.Target.Width(), ScreenX, PrinterX));
  Job.PageHeight = std::max(1, MulDiv(Job.Target.Height(), ScreenY, PrinterY));

  // The rows in print order, each measured in the print font, cut into pages down.
  if (Job.All) {
    for (ZEZTreeNode* N = FRoot->GetFirstChild(); N; N = N->GetNext()) {
      if (N->GetFirstChild() || N->GetHasChildren()) {
        DoExpandNode(N);
      }
      Job.Rows.push_back(N);
    }
    Job.PrintWidth = GetPrintWidth();
  } else {
    for (ZEZTreeNode* N = FRoot->GetFirstChild(); N; N = N->GetNextVisibleSimple()) {
      Job.Rows.push_back(N);
      Job.PrintWidth = std::max(Job.PrintWidth, N->GetWidth());
    }
  }
  Integer Room = Job.PageHeight;
  for (std::size_t I = 0; I < Job.Rows.size(); ++I) {
    const Integer H = Job.Rows[I]->GetHeight();
    if (Job.PageStarts.empty() || (H > Room && Job.PageStarts.back() != I)) {
      Job.PageStarts.push_back(I);
      Room = Job.PageHeight;
    }
    Room -= H;
  }
  if (Job.PageStarts.empty()) {
    Job.PageStarts.push_back(0);  // an empty tree prints one empty page
  }
  Job.Across = std::max<Integer>(1, (Job.PrintWidth + Job.PageWidth - 1) / Job.PageWidth);
  Job.Down = static_cast<Integer>(Job.PageStarts.size());
  const Integer Total = Job.Across * Job.Down;
  Job.TotalText = IntToStr(Total);
  if (Job.Progress) {
    Job.Progress->ProgressBar->SetMax(Total);
  }

  FSavedHorzPos = FHorzPos;
  P->Title = FPrintOptions->Title;
  P->BeginDoc();
  IntersectClipRect(P->Handle(), Job.LeftMargin, Job.TopMargin, Job.RightEdge, Job.BottomEdge);
  try {
    bool First = true;
    for (Integer Down = 0; Down < Job.Down; ++Down) {
      for (Integer Across = 0; Across < Job.Across; ++Across) {
        if (Job.Progress && Job.Progress->ModalResult == mrCancel) {
          Down = Job.Down;
          break;
        }
        if (!First) {
          P->NewPage();
          IntersectClipRect(P->Handle(), Job.LeftMargin, Job.TopMargin, Job.RightEdge, Job.BottomEdge);
        }
        First = false;
        PrintPage(Job, Across, Down);
      }
    }
  } catch (...) {
    SelectClipRgn(P->Handle(), 0);
    FHorzPos = FSavedHorzPos;
    if (P->Printing()) {
      P->Abort();
    }
    throw;
  }
  SelectClipRgn(P->Handle(), 0);
  FHorzPos = FSavedHorzPos;
  P->EndDoc();
}

void ZEZCustomTreeView::PrintPage(TPrintJob& Job, Integer Across, Integer Down) {
  TPrinter* P = Job.Printer;
  TCanvas* PC = P->Canvas();
  const Integer Number = Across + Down * Job.Across + 1;
  if (Job.Progress) {
    Job.Progress->lblProgress->SetCaption(Format("Printing page %d from %s", {Number, Job.TotalText}));
  }
  if (FPrintOptions->Options.Contains(poHeader)) {
    PC->SetFont(FPrintOptions->HeaderFont());
    PC->Brush()->SetStyle(bsClear);
    PC->TextOut(Job.LeftMargin, Job.TopMargin, FPrintOptions->Header);
    const std::string PageText = IntToStr(Number) + "/" + Job.TotalText;
    PC->TextOut(Job.RightEdge - PC->TextWidth(PageText), Job.TopMargin, PageText);
  }
  TMetafile Meta;
  Meta.SetWidth(Job.PageWidth);
  Meta.SetHeight(Job.PageHeight);
  {
    TMetafileCanvas MetaCanvas(&Meta, 0);
    FCanvas->FreeHandle();  // a measuring context of the window's goes first
    FCanvas->SetHandle(MetaCanvas.Handle());
    FHorzPos = Across * Job.PageWidth;
    const TRect Page = Rect(0, 0, Job.PageWidth, Job.PageHeight);
    FCanvas->Brush()->SetColor(Color());
    FCanvas->FillRect(Page);
    const std::size_t From = Job.PageStarts[static_cast<std::size_t>(Down)];
    const std::size_t To = static_cast<std::size_t>(Down + 1) < Job.PageStarts.size()
                               ? Job.PageStarts[static_cast<std::size_t>(Down) + 1]
                               : Job.Rows.size();
    Integer Y = 0;
    ZEZNodeDispInfo Info;
    for (std::size_t I = From; I < To; ++I) {
      ZEZTreeNode* N = Job.Rows[I];
      N->GetNodeDispInfoByPos(Point(N->GetPositionX(), Y), Info);
      InternalDrawNode(N, Info, Page);
      Y += N->GetHeight();
    }
    FCanvas->SetHandle(0);
  }
  if (FPrintOptions->Options.Contains(poFooter)) {
    PC->SetFont(FPrintOptions->FooterFont());
    PC->Brush()->SetStyle(bsClear);
    PC->TextOut(Job.LeftMargin, Job.Target.Bottom + Job.FooterLine, FPrintOptions->Footer);
  }
  if (Job.Progress) {
    Job.Progress->ProgressBar->StepIt();
  }
  Application->ProcessMessages();
  PC->StretchDraw(Job.Target, &Meta);
}
