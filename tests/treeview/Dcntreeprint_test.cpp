// Printing a tree to a PDF file: print options and their fonts, pages across and down in order with header,
// footer and page numbers (checked with poppler's pdfinfo and pdftoppm), the progress window and its Cancel
// button, and the print setup window.
#include "TreeTestUtil.h"

#include "treeview/Dcntreepo.h"
#include "treeview/Vuvudipg.h"

#include "platform/classes/Streams.h"
#include "platform/graphics/Printers.h"
#include "platform/win/DialogService.h"
#include "tests/support/TempFolder.h"

#include <cstdio>
#include <filesystem>
#include <memory>

using namespace TreeTest;

namespace {

// Runs a command and returns what it wrote to its standard output.
std::string Run(const std::string& Command) {
  std::string Out;
  if (FILE* P = popen(Command.c_str(), "r")) {
    char Buf[512];
    while (std::size_t N = fread(Buf, 1, sizeof Buf, P)) {
      Out.append(Buf, N);
    }
    pclose(P);
  }
  return Out;
}

bool HavePoppler() { return Run("command -v pdfinfo && command -v pdftoppm").find("pdftoppm") != std::string::npos; }

int PdfPages(const std::string& File) {
  const std::string Info = Run("pdfinfo '" + File + "' 2>/dev/null");
  const auto At = Info.find("Pages:");
  return At == std::string::npos ? -1 : std::atoi(Info.c_str() + At + 6);
}

// Page Page (from 1) at 150 dots per inch: the paper's dots, the same as the printer's.
Harness::TSavedImage RenderPage(const std::string& File, int Page, const std::string& Prefix) {
  Run("pdftoppm -r 150 -png -f " + std::to_string(Page) + " -l " + std::to_string(Page) + " -singlefile '" + File +
      "' '" + Prefix + "'");
  Harness::TSavedImage Image;
  EXPECT_TRUE(Harness::LoadPng(Prefix + ".png", Image)) << "page " << Page;
  return Image;
}

// How many dark pixels (text, lines) lie in a rectangle of the paper.
int DarkIn(const Harness::TSavedImage& I, TRect R) {
  int N = 0;
  for (int Y = std::max(0, R.Top); Y < std::min(I.Height, R.Bottom); ++Y) {
    for (int X = std::max(0, R.Left); X < std::min(I.Width, R.Right); ++X) {
      const std::uint32_t P = I.At(X, Y);
      const int Lum = ((P >> 16) & 0xFF) + ((P >> 8) & 0xFF) + (P & 0xFF);
      N += Lum < 3 * 128 ? 1 : 0;
    }
  }
  return N;
}

template <class T>
T* FindForm() {
  for (int I = 0; I < Screen->FormCount(); ++I) {
    if (auto* F = dynamic_cast<T*>(Screen->Forms(I))) {
      return F;
    }
  }
  return nullptr;
}

class PrintTest : public TreeFixture {
protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Folder = std::make_unique<TestSupport::TTempFolder>("zubq-treeprint");
    File = Folder->Path() + "/tree.pdf";
    Printer()->OutputFileName = File;
  }
  void TearDown() override {
    Application->OnMessage = nullptr;
    Printer()->OutputFileName.clear();
    TreeFixture::TearDown();
    Folder.reset();
  }
  // Short rows enough for a page and a few more, then one row one and a half pages wide: two pages down and two
  // across.
  void FillTwoByTwo() {
    Show();
    Items()->Add(nullptr, "row 0");
    const Integer RowHeight = Items()->GetFirstNode()->GetHeight();
    ASSERT_GT(RowHeight, 0);
    const Integer Rows = PageHeight / RowHeight + 5;
    for (Integer I = 1; I < Rows; ++I) {
      Items()->Add(nullptr, "row " + std::to_string(I));
    }
    Wide = Items()->Add(nullptr, "wide");
    while (Wide->GetWidth() < PageWidth * 3 / 2) {
      Wide->SetText(Wide->GetText() + " mmmm");
    }
  }
  // A page of the screen picture: the printed area of A4 at 150 dots per inch (margins twice the printer's
  // quarter inch) at 96 pixels per inch.
  const Integer PageWidth = (1167 - 2 * 74) * 96 / 150;
  const Integer PageHeight = (1680 - 2 * 74) * 96 / 150;
  // The printed area on the paper (the printer's origin lies a quarter inch into the paper).
  const TRect Area = Rect(37 + 74, 37 + 74, 37 + 1093, 37 + 1606);
  std::unique_ptr<TestSupport::TTempFolder> Folder;
  std::string File;
  ZEZTreeNode* Wide = nullptr;
};

TEST_F(PrintTest, OptionsFollowTheViewFontUntilTheirOwnIsSet) {
  ZEZTreePrintOptions* O = Tree->PrintOptions();
  EXPECT_TRUE(O->ParentHeaderFont() && O->ParentFooterFont() && O->ParentPrintFont());
  EXPECT_TRUE(O->Options.Empty());
  EXPECT_EQ(O->PrintFont()->Name(), Tree->Font()->Name());
  EXPECT_EQ(O->PrintFont()->Height(), Tree->Font()->Height());

  TFont Big;
  Big.SetName("Courier New");
  Big.SetHeight(-20);
  O->SetHeaderFont(&Big);
  EXPECT_FALSE(O->ParentHeaderFont());
  EXPECT_EQ(O->HeaderFont()->Height(), -20);
  // A font the view takes later reaches the fonts that follow it, not the header's own.
  Tree->Font()->SetHeight(-15);
  EXPECT_EQ(O->PrintFont()->Height(), -15);
  EXPECT_EQ(O->FooterFont()->Height(), -15);
  EXPECT_EQ(O->HeaderFont()->Height(), -20);
  O->SetParentHeaderFont(true);
  EXPECT_EQ(O->HeaderFont()->Height(), -15);

  // Assign copies texts, options, fonts, and ends with the source's Parent flags.
  ZEZTreePrintOptions Copy(Tree);
  O->Header = "head";
  O->Options = ZEZPrintOptions{poHeader, poFooter};
  O->SetFooterFont(&Big);
  Copy.Assign(O);
  EXPECT_EQ(Copy.Header, "head");
  EXPECT_EQ(Copy.Options, (ZEZPrintOptions{poHeader, poFooter}));
  EXPECT_TRUE(Copy.ParentPrintFont());
  EXPECT_TRUE(Copy.ParentHeaderFont());
  EXPECT_FALSE(Copy.ParentFooterFont());
  EXPECT_EQ(Copy.FooterFont()->Name(), "Courier New");

  // The view keeps its own object: setting the property takes the values.
  ZEZTreePrintOptions* Own = Tree->PrintOptions();
  Copy.Footer = "set";
  Tree->SetPrintOptions(&Copy);
  EXPECT_EQ(Tree->PrintOptions(), Own);
  EXPECT_EQ(Own->Footer, "set");

  // Layouts carry the options with the view.
  TMemoryStream S;
  Tree->SetName("Printed");
  S.WriteComponent(Tree);
  auto* Read = new ZEZTree(nullptr);
  Read->AfterConstruction();
  S.SetPosition(0);
  S.ReadComponent(Read);
  EXPECT_EQ(Read->PrintOptions()->Header, "head");
  EXPECT_EQ(Read->PrintOptions()->Footer, "set");
  EXPECT_EQ(Read->PrintOptions()->Options, (ZEZPrintOptions{poHeader, poFooter}));
  EXPECT_EQ(Read->PrintOptions()->FooterFont()->Name(), "Courier New");
  EXPECT_FALSE(Read->PrintOptions()->ParentFooterFont());
  EXPECT_TRUE(Read->PrintOptions()->ParentPrintFont());
  delete Read;
}

TEST_F(PrintTest, TwoPagesAcrossAndTwoDownPrintFourNumberedPagesLeftColumnFirst) {
  if (!HavePoppler())
    GTEST_SKIP() << "pdfinfo and pdftoppm (Debian package poppler-utils) are not installed";
  FillTwoByTwo();
  ZEZTreePrintOptions* O = Tree->PrintOptions();
  O->Title = "Tree";
  O->Header = "Tree header";
  O->Footer = "Tree footer";
  O->Options = ZEZPrintOptions{poHeader, poFooter};
  const Integer HorzBefore = Tree->HorzPos();
  Tree->Print(false);
  EXPECT_FALSE(Tree->Printing());
  EXPECT_EQ(Tree->HorzPos(), HorzBefore);
  ASSERT_EQ(PdfPages(File), 4);

  const std::string Prefix = Folder->Path() + "/page";
  const auto P1 = RenderPage(File, 1, Prefix + "1");
  const auto P2 = RenderPage(File, 2, Prefix + "2");
  const auto P3 = RenderPage(File, 3, Prefix + "3");
  const auto P4 = RenderPage(File, 4, Prefix + "4");
  const int Header = 30;  // the header line's band at the top of the printed area
  const TRect HeaderText = Rect(Area.Left, Area.Top, Area.Left + 300, Area.Top + Header);
  const TRect PageNumber = Rect(Area.Right - 120, Area.Top, Area.Right, Area.Top + Header);
  const TRect FooterText = Rect(Area.Left, Area.Bottom - Header, Area.Left + 300, Area.Bottom);
  const TRect LeftRows = Rect(Area.Left, Area.Top + Header + 5, Area.Left + 300, Area.Top + 300);
  const TRect RightBody = Rect(Area.Left, Area.Top + Header + 5, Area.Right, Area.Bottom - 2 * Header);
  for (const auto* P : {&P1, &P2, &P3, &P4}) {
    EXPECT_GT(DarkIn(*P, HeaderText), 20);
    EXPECT_GT(DarkIn(*P, PageNumber), 10);
    EXPECT_GT(DarkIn(*P, FooterText), 20);
    EXPECT_EQ(DarkIn(*P, Rect(0, 0, P->Width, Area.Top - 2)), 0) << "nothing above the printed area";
  }
  // Page 1 and 3 are the left column (the short rows); page 2 is the empty right part of the first page row;
  // page 4 holds the end of the wide row.
  EXPECT_GT(DarkIn(P1, LeftRows), 100);
  EXPECT_GT(DarkIn(P3, LeftRows), 100);
  EXPECT_EQ(DarkIn(P2, RightBody), 0);
  EXPECT_GT(DarkIn(P4, RightBody), 20);
  // The page numbers differ: "1/4" and "2/4" are not the same picture.
  int Differ = 0;
  for (int Y = PageNumber.Top; Y < PageNumber.Bottom; ++Y) {
    for (int X = PageNumber.Left; X < PageNumber.Right; ++X) {
      Differ += P1.At(X, Y) != P2.At(X, Y) ? 1 : 0;
    }
  }
  EXPECT_GT(Differ, 5);
}

TEST_F(PrintTest, WithoutHeaderAndFooterAPageHoldsMoreRows) {
  if (!HavePoppler())
    GTEST_SKIP() << "pdfinfo (Debian package poppler-utils) is not installed";
  Show();
  for (int I = 0; I < 10; ++I)
    Items()->Add(nullptr, "row " + std::to_string(I));
  const Integer RowHeight = Items()->GetFirstNode()->GetHeight();
  // Exactly one page of rows without header and footer, a row too many with them.
  const Integer Fits = PageHeight / RowHeight;
  Items()->Clear();
  for (Integer I = 0; I < Fits; ++I)
    Items()->Add(nullptr, "row " + std::to_string(I));
  Tree->Print(false);
  EXPECT_EQ(PdfPages(File), 1);
  Tree->PrintOptions()->Options = ZEZPrintOptions{poHeader, poFooter};
  Tree->Print(false);
  EXPECT_EQ(PdfPages(File), 2);
}

TEST_F(PrintTest, APrinterThatIsBusyFailsClearlyAndTheTreeIsLeftAsItWas) {
  Show();
  ZEZTreeNode* Row = Items()->Add(nullptr, "row");
  const Integer Height = Row->GetHeight();
  Printer()->BeginDoc();
  EXPECT_THROW(Tree->Print(false), EPrinter);
  Printer()->Abort();
  EXPECT_FALSE(Tree->Printing());
  EXPECT_EQ(Row->GetHeight(), Height);
  EXPECT_EQ(FindForm<TMemoPrintProgress>(), nullptr);
}

TEST_F(PrintTest, AllPrintsCollapsedNodesToo) {
  if (!HavePoppler())
    GTEST_SKIP() << "pdfinfo (Debian package poppler-utils) is not installed";
  Show();
  ZEZTreeNode* Parent = Items()->Add(nullptr, "parent");
  const Integer RowHeight = Parent->GetHeight();
  for (Integer I = 0; I < PageHeight / RowHeight + 3; ++I)
    Items()->AddChild(Parent, "child " + std::to_string(I));
  ASSERT_FALSE(Parent->GetExpanded());
  Tree->Print(false);
  EXPECT_EQ(PdfPages(File), 1);
  Tree->Print(true);
  EXPECT_EQ(PdfPages(File), 2);
  EXPECT_FALSE(Parent->GetExpanded());
}

TEST_F(PrintTest, TheProgressWindowShowsThePagesAndItsCancelEndsTheDocument) {
  if (!HavePoppler())
    GTEST_SKIP() << "pdfinfo (Debian package poppler-utils) is not installed";
  FillTwoByTwo();
  Tree->PrintOptions()->Header = "the header";
  Tree->PrintOptions()->Options = ZEZPrintOptions{poShowProgress};
  std::vector<std::string> Seen;
  std::string Printer;
  std::string Name;
  int Max = 0;
  Application->OnMessage = [&](MSG&, bool&) {
    auto* F = FindForm<TMemoPrintProgress>();
    if (!F || !F->Visible())
      return;
    Printer = F->lblPrinter->Caption();
    Name = F->lblFileName->Caption();
    Max = F->ProgressBar->Max();
    const std::string Page = F->lblProgress->Caption();
    if (Seen.empty() || Seen.back() != Page)
      Seen.push_back(Page);
    if (F->ProgressBar->Position() >= 1)
      F->btnCancel->Click();
  };
  Tree->Print(false);
  Application->OnMessage = nullptr;
  EXPECT_EQ(FindForm<TMemoPrintProgress>(), nullptr) << "the window is freed";
  EXPECT_EQ(Printer, "Printing on printer PDF");
  EXPECT_EQ(Name, "the header");
  EXPECT_EQ(Max, 4);
  ASSERT_FALSE(Seen.empty());
  EXPECT_EQ(Seen.front(), "Printing page 1 from  ... ");
  EXPECT_EQ(Seen.back(), "Printing page 1 from 4");
  EXPECT_EQ(PdfPages(File), 1) << "the page in progress is printed, then the document ends";
}

TEST_F(PrintTest, TheSetupWindowSetsTheOptionsOnOkAndLeavesThemOnCancel) {
  Show();
  Items()->Add(nullptr, "row");
  ZEZTreePrintOptions* O = Tree->PrintOptions();
  O->Header = "report.html";
  O->Options = ZEZPrintOptions{poHeader};
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  bool Ok = false;
  std::string Label;
  bool HeaderBox = false;
  bool FooterBox = true;
  Application->OnMessage = [&](MSG&, bool&) {
    auto* F = FindForm<TfrmTreePrintSetup>();
    if (!F || !F->Visible() || F->ModalResult != mrNone)
      return;
    Label = F->lblFileName->Caption();
    HeaderBox = F->chkHeader->Checked();
    FooterBox = F->chkFooter->Checked();
    F->SetupBut->Click();
    F->chkHeader->SetChecked(false);
    F->chkFooter->SetChecked(true);
    F->chkShowPrintProgress->SetChecked(true);
    (Ok ? F->OkBut : F->CancelBut)->Click();
  };
  EXPECT_FALSE(Tree->PrintWithDialog(false));
  EXPECT_EQ(O->Options, ZEZPrintOptions{poHeader});
  EXPECT_FALSE(std::filesystem::exists(File));
  EXPECT_EQ(Label, "report.html");
  EXPECT_TRUE(HeaderBox);
  EXPECT_FALSE(FooterBox);
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Dialogs.Shown()[0].Kind, "PrinterSetupDialog");

  Ok = true;
  EXPECT_TRUE(Tree->PrintWithDialog(false));
  Application->OnMessage = nullptr;
  EXPECT_EQ(O->Options, (ZEZPrintOptions{poFooter, poShowProgress}));
  EXPECT_TRUE(std::filesystem::exists(File));
  EXPECT_EQ(FindForm<TfrmTreePrintSetup>(), nullptr);
}

TEST_F(PrintTest, TheWindowsAreLaidOutFromTheirLayouts) {
  auto Setup = std::make_unique<TfrmTreePrintSetup>(Application);
  Setup->AfterConstruction();
  EXPECT_EQ(Setup->Caption(), "Print");
  EXPECT_EQ(Setup->ClientWidth(), 425);
  EXPECT_EQ(Setup->ClientHeight(), 137);
  EXPECT_EQ(Setup->chkShowPrintProgress->Left(), 208);
  EXPECT_EQ(Setup->chkShowPrintProgress->Caption(), "Show &print progress");
  EXPECT_EQ(Setup->SetupBut->Caption(), "Se&tup...");
  EXPECT_EQ(Setup->OkBut->ModalResult, mrOk);
  EXPECT_TRUE(Setup->CancelBut->Cancel);
  auto Progress = std::make_unique<TMemoPrintProgress>(Application);
  Progress->AfterConstruction();
  EXPECT_EQ(Progress->Caption(), "Printing Status");
  EXPECT_EQ(Progress->ClientWidth(), 353);
  EXPECT_EQ(Progress->ClientHeight(), 129);
  EXPECT_EQ(Progress->lblProgress->Caption(), "Printing pages:    calculation ...");
  EXPECT_EQ(Progress->ProgressBar->Min(), 0);
  EXPECT_EQ(Progress->ProgressBar->Max(), 100);
  EXPECT_EQ(Progress->ProgressBar->Step(), 1);
  EXPECT_EQ(Progress->btnCancel->ModalResult, mrCancel);
}

}  // namespace
